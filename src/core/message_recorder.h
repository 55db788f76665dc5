#pragma once
// A message seam for tests: records every message and question, answers questions and
// dialogs from a script (first in, first out), and installs itself while it lives.

#include "message_seam.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QVariant>

class MessageRecorder : public MessageSeam {
public:
    enum class Kind { Message, YesNo, OkCancel, OpenFile, SaveFile, Color, Printer };
    struct Entry {
        Kind kind;
        QString caption;
        QString text;
    };

    MessageRecorder();
    ~MessageRecorder() override;

    // Scripted answers, used in order; a question without one answers No/Cancel.
    void answer(bool yes) { m_answers.enqueue(yes); }
    void answerFile(const QString &path) { m_files.enqueue(path); }
    void answerColor(const QColor &color) { m_colors.enqueue(color); }

    QList<Entry> entries;
    // Texts of the messages and questions, in order.
    QStringList texts() const;
    QString lastText() const { return entries.isEmpty() ? QString() : entries.last().text; }
    void clear() { entries.clear(); }

    void message(const QString &caption, const QString &text, MsgIcon icon) override;
    bool askYesNo(const QString &caption, const QString &text) override;
    bool askOkCancel(const QString &caption, const QString &text) override;
    QString openFile(const QString &caption, const QString &dir, const QString &filter) override;
    QString saveFile(const QString &caption, const QString &dir, const QString &filter) override;
    bool chooseColor(QColor &color) override;
    bool printerSetup() override;

private:
    bool nextAnswer();
    QQueue<bool> m_answers;
    QQueue<QString> m_files;
    QQueue<QColor> m_colors;
};
