#pragma once
// The help command: the user manual beside the program, opened in the desktop's viewer for
// HTML. Documents are opened through one replaceable function, so tests record what would be
// opened instead of starting a browser.

#include <QString>
#include <QUrl>
#include <functional>

inline const QString kHelpFileName = QStringLiteral("New_Valten_M.html");
inline const QString kMsgHelpMissing = QStringLiteral("ヘルプファイルが見つかりません。");
// Followed by the path of the help file.
inline const QString kMsgHelpRefused = QStringLiteral("HELPの起動に失敗しました ");

// Opens a document with the desktop's default viewer; true when the desktop took it.
using DocumentOpener = std::function<bool(const QUrl &)>;
// Installs how documents are opened; an empty function puts back the desktop (QDesktopServices).
void InstallDocumentOpener(DocumentOpener opener);
bool OpenDocument(const QUrl &url);

// The path of the help file: gAppPath + New_Valten_M.html.
QString HelpFilePath();
// Opens the help file. A missing file shows kMsgHelpMissing; a desktop that refuses it shows a
// warning with the path as its caption. True when the viewer was started.
bool OpenHelpFile();
