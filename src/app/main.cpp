// The program: the data module, the main window with its databases, the splash while the
// long-lived screens are made, then the event loop until the main window closes.

#include "database_location.h"
#include "main_window.h"
#include "message_seam.h"
#include "qt_message_seam.h"
#include "splash.h"
#include "state.h"
#include "tdm.h"

#include <QApplication>

namespace {
const QString kMsgBadLocation = QStringLiteral(
    "データベースの指定が正しくないため、プログラムのフォルダのデータベースを使います。");
}

int main(int argc, char *argv[]) {
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
