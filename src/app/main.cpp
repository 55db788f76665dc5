// The program: prepares its folders and databases beside the executable and shows the
// main window.

#include "app_setup.h"
#include "qt_message_seam.h"
#include "state.h"
#include "tdm.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kAppCaption);
    QtMessageSeam seam;
    InstallSeam(&seam);

    TDM dm;
    ResetState();
    SetAppPath(QCoreApplication::applicationDirPath());
    G().gNendo = QDate::currentDate().year();
    PrepareProgramFolders();
    OpenDatabases();
    LoadCalendarSettings();

    QMainWindow window;
    window.setObjectName(QStringLiteral("TNX0000"));
    window.setWindowTitle(kAppCaption);
    window.setCentralWidget(new QLabel(kAppCaption, &window));
    window.resize(1024, 700);
    window.show();
    const int rc = QApplication::exec();
    InstallSeam(nullptr);
    return rc;
}
