#include "message_seam.h"

#include "state.h"

namespace {
class SilentSeam : public MessageSeam {
public:
    void message(const QString &, const QString &, MsgIcon) override {}
    bool askYesNo(const QString &, const QString &) override { return false; }
    bool askOkCancel(const QString &, const QString &) override { return false; }
    QString openFile(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFile(const QString &, const QString &, const QString &) override { return {}; }
    bool chooseColor(QColor &) override { return false; }
    bool printerSetup() override { return false; }
};

SilentSeam silent;
MessageSeam *current = &silent;

QString captionOr(const QString &caption) {
    return caption.isEmpty() ? kAppCaption : caption;
}
} // namespace

MessageSeam &Seam() {
    return *current;
}

void InstallSeam(MessageSeam *seam) {
    current = seam ? seam : &silent;
}

void ShowMessage(const QString &text, const QString &caption, MsgIcon icon) {
    Seam().message(captionOr(caption), text, icon);
}

bool AskYesNo(const QString &text, const QString &caption) {
    return Seam().askYesNo(captionOr(caption), text);
}

bool AskOkCancel(const QString &text, const QString &caption) {
    return Seam().askOkCancel(captionOr(caption), text);
}
