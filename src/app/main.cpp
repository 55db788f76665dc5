// The program: the data module, the main window with its databases, the splash while the
// long-lived screens are made, then the event loop until the main window closes.

#include "company_copy.h"
#include "database_location.h"
#include "main_window.h"
#include "message_seam.h"
#include "qt_message_seam.h"
#include "splash.h"
#include "state.h"
#include "tdm.h"

#include <QApplication>
#include <cstdio>

namespace {
const QString kMsgBadLocation = QStringLiteral(
    "データベースの指定が正しくないため、プログラムのフォルダのデータベースを使います。");
}

int main(int argc, char *argv[]) {
    // The company copy runs without windows, from the command line.
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--copy-company") == 0) {
            QCoreApplication tool(argc, argv);
            QStringList lines;
            const int rc = dbcopy::RunCopyCommand(QCoreApplication::arguments(), &lines);
            std::fputs(qPrintable(lines.join(u'\n') + u'\n'), rc == 0 ? stdout : stderr);
            return rc;
        }
    QApplication app(argc, argv);
    QApplication::setApplicationName(kAppCaption);
    QtMessageSeam seam;
    InstallSeam(&seam);

    int rc = 0;
    {
        ResetState();
        SetAppPath(QCoreApplication::applicationDirPath());
        // The embedded files, or the server named on the command line or in the settings file.
        dbloc::Location location;
        const QString problem =
            dbloc::ChooseLocation(QCoreApplication::arguments(), G().gAppPath, &location);
        if (!problem.isEmpty())
            ShowMessage(kMsgBadLocation + QLatin1Char('\n') + problem, kAppCaption,
                        MsgIcon::Error);
        dbloc::SetCurrent(location);
        TDM dm;

        // Without a screen to look at, the splash's minimum times serve nothing.
        const bool offscreen = QGuiApplication::platformName() == QLatin1String("offscreen");
        const std::unique_ptr<TNX0000> window =
            StartUp(offscreen ? SplashTimings::None() : SplashTimings{});
        window->showMaximized();
        rc = QApplication::exec();
    }
    InstallSeam(nullptr);
    return rc;
}
