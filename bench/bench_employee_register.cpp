// Opens the employee register on a generated company of 10,000 employees (offscreen) and
// prints the time to construct the screen and fill its grid, the time until it is shown, and
// the time of 100 steps to the next employee. Median of several rounds.
//
// Usage: bench_employee_register [employees] [rounds]   (defaults 10000 and 5)

#include "band_loaders.h"
#include "band_tables.h"
#include "bench_company.h"
#include "database_setup.h"
#include "employee_register.h"
#include "loaders.h"
#include "message_recorder.h"
#include "program_setup.h"
#include "project.h"
#include "state.h"
#include "tdm.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int employees = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    QTemporaryDir dir;
    TDM dm;
    MessageRecorder messages;
    if (!OpenBenchCompany(dir.path(), employees)) return 1;

    std::vector<double> open, shown, next;
    int listed = 0;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer timer;
        timer.start();
        TNX0030 dlg;
        dlg.prepare();
        open.push_back(timer.nsecsElapsed() / 1e6);
        dlg.show();
        QCoreApplication::processEvents();
        shown.push_back(timer.nsecsElapsed() / 1e6);
        listed = dlg.listedCount();

        timer.restart();
        for (int i = 0; i < 100; ++i) {
            dlg.btnNextClick();
            QCoreApplication::processEvents(); // the grid repaints its highlighted row
        }
        next.push_back(timer.nsecsElapsed() / 1e6);
        G().gDataChanged = 0;
    }
    std::printf("employee register, %d employees listed (median of %d rounds) on %s\n", listed,
                rounds, qPrintable(BenchEngineText()));
    std::printf("  construct + prepare   : %8.1f ms\n", Median(open));
    std::printf("  ... until shown       : %8.1f ms\n", Median(shown));
    std::printf("  100 x next employee   : %8.1f ms (%.2f ms per step)\n", Median(next),
                Median(next) / 100);
    if (!messages.entries.isEmpty())
        std::printf("  messages shown: %s\n", qPrintable(messages.texts().join(QLatin1Char('|'))));
    return 0;
}
