#pragma once
// Every message box, question and file/colour/printer dialog of the program goes through
// the seam. The program installs the Qt implementation (QtMessageSeam); tests install a
// MessageRecorder that records what would have been shown and answers from a script.

#include <QColor>
#include <QString>

enum class MsgIcon { None, Information, Warning, Error, Question };

class MessageSeam {
public:
    virtual ~MessageSeam() = default;
    // A message with an OK button.
    virtual void message(const QString &caption, const QString &text, MsgIcon icon) = 0;
    // A Yes/No question; true for Yes.
    virtual bool askYesNo(const QString &caption, const QString &text) = 0;
    // An OK/Cancel question; true for OK.
    virtual bool askOkCancel(const QString &caption, const QString &text) = 0;
    // File dialogs: the chosen path, empty when cancelled.
    virtual QString openFile(const QString &caption, const QString &dir, const QString &filter) = 0;
    virtual QString saveFile(const QString &caption, const QString &dir, const QString &filter) = 0;
    // Colour dialog: true and the colour set when the user chose one.
    virtual bool chooseColor(QColor &color) = 0;
    // The platform's printer set-up dialog; true when accepted.
    virtual bool printerSetup() = 0;
};

// The installed seam; never null once the program or a test has installed one. Installing
// nullptr puts back a silent seam that answers No/Cancel.
MessageSeam &Seam();
void InstallSeam(MessageSeam *seam);

// Shorthands used everywhere. The caption defaults to the program's caption.
void ShowMessage(const QString &text, const QString &caption = QString(),
                 MsgIcon icon = MsgIcon::Information);
bool AskYesNo(const QString &text, const QString &caption = QString());
bool AskOkCancel(const QString &text, const QString &caption = QString());
