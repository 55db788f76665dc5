#pragma once
// The program's message seam: Qt message boxes and standard dialogs.

#include "message_seam.h"

class QPrinter;

// The printer the user chose in the printer set-up; every print job of the run uses it.
QPrinter &ProgramPrinter();

class QtMessageSeam : public MessageSeam {
public:
    void message(const QString &caption, const QString &text, MsgIcon icon) override;
    bool askYesNo(const QString &caption, const QString &text) override;
    bool askOkCancel(const QString &caption, const QString &text) override;
    QString openFile(const QString &caption, const QString &dir, const QString &filter) override;
    QString saveFile(const QString &caption, const QString &dir, const QString &filter) override;
    bool chooseColor(QColor &color) override;
    bool printerSetup() override;
};
