#include "help_file.h"

#include "message_seam.h"
#include "state.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace {
DocumentOpener &installedOpener() {
    static DocumentOpener opener;
    return opener;
}
} // namespace

void InstallDocumentOpener(DocumentOpener opener) {
    installedOpener() = std::move(opener);
}

bool OpenDocument(const QUrl &url) {
    if (const DocumentOpener &opener = installedOpener()) return opener(url);
    return QDesktopServices::openUrl(url);
}

QString HelpFilePath() {
    return G().gAppPath + kHelpFileName;
}

bool OpenHelpFile() {
    const QString path = HelpFilePath();
    if (!QFileInfo(path).isFile()) {
        ShowMessage(kMsgHelpMissing);
        return false;
    }
    if (OpenDocument(QUrl::fromLocalFile(path))) return true;
    const QString shownPath = QDir::toNativeSeparators(path);
    ShowMessage(kMsgHelpRefused + shownPath, shownPath, MsgIcon::Warning);
    return false;
}
