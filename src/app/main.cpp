// The program: the data module, the main window with its databases, the splash while the
// long-lived screens are made, then the event loop until the main window closes.

#include "main_window.h"
#include "qt_message_seam.h"
#include "splash.h"
#include "state.h"
#include "tdm.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kAppCaption);
    QtMessageSeam seam;
    InstallSeam(&seam);

    int rc = 0;
    {
        TDM dm;
        ResetState();
        SetAppPath(QCoreApplication::applicationDirPath());

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
