#include "message_recorder.h"

MessageRecorder::MessageRecorder() {
    InstallSeam(this);
}

MessageRecorder::~MessageRecorder() {
    if (&Seam() == this) InstallSeam(nullptr);
}

QStringList MessageRecorder::texts() const {
    QStringList out;
    for (const Entry &e : entries)
        out << e.text;
    return out;
}

bool MessageRecorder::nextAnswer() {
    return m_answers.isEmpty() ? false : m_answers.dequeue();
}

void MessageRecorder::message(const QString &caption, const QString &text, MsgIcon) {
    entries.append({Kind::Message, caption, text});
}

bool MessageRecorder::askYesNo(const QString &caption, const QString &text) {
    entries.append({Kind::YesNo, caption, text});
    return nextAnswer();
}

bool MessageRecorder::askOkCancel(const QString &caption, const QString &text) {
    entries.append({Kind::OkCancel, caption, text});
    return nextAnswer();
}

QString MessageRecorder::openFile(const QString &caption, const QString &dir, const QString &) {
    entries.append({Kind::OpenFile, caption, dir});
    return m_files.isEmpty() ? QString() : m_files.dequeue();
}

QString MessageRecorder::saveFile(const QString &caption, const QString &dir, const QString &) {
    entries.append({Kind::SaveFile, caption, dir});
    return m_files.isEmpty() ? QString() : m_files.dequeue();
}

bool MessageRecorder::chooseColor(QColor &color) {
    entries.append({Kind::Color, QString(), color.name()});
    if (m_colors.isEmpty()) return false;
    color = m_colors.dequeue();
    return true;
}

bool MessageRecorder::printerSetup() {
    entries.append({Kind::Printer, QString(), QString()});
    return nextAnswer();
}
