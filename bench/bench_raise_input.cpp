// Opens the raise input on a generated company of 10,000 employees (offscreen) and prints the
// time to read the wage table, construct the screen and prepare it (its lists, the first
// employee), the time until it is shown, and the time of 100 steps to the next employee on
// each page. Median of several rounds.
//
// Usage: bench_raise_input [employees] [rounds]   (defaults 10000 and 5)

#include "bench_company.h"
#include "database_setup.h"
#include "loaders.h"
#include "message_recorder.h"
#include "program_setup.h"
#include "project.h"
#include "raise_input.h"
#include "state.h"
#include "tdm.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTabWidget>
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

    std::vector<double> open, shown, next[2];
    int listed = 0;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer timer;
        timer.start();
        // As the main window opens it: the wage table first, handed to the screen.
        TNX3010 dlg;
        dlg.prepare(LoadWageTable());
        open.push_back(timer.nsecsElapsed() / 1e6);
        dlg.show();
        QCoreApplication::processEvents();
        shown.push_back(timer.nsecsElapsed() / 1e6);
        listed = dlg.listedCount();

        auto *pages = dlg.findChild<QTabWidget *>(QStringLiteral("PageControl1"));
        for (int page = 0; page < 2; ++page) {
            pages->setCurrentIndex(page);
            QCoreApplication::processEvents();
            timer.restart();
            for (int i = 0; i < 100; ++i) {
                dlg.btnNextClick();
                QCoreApplication::processEvents(); // the list repaints its highlighted row
            }
            next[page].push_back(timer.nsecsElapsed() / 1e6);
        }
        G().gDataChanged = 0;
    }
    std::printf("raise input, %d employees listed (median of %d rounds)\n", listed, rounds);
    std::printf("  wage table + construct + prepare : %8.1f ms\n", Median(open));
    std::printf("  ... until shown                  : %8.1f ms\n", Median(shown));
    const char *names[2] = {"マトリクス", "昇給管理"};
    for (int page = 0; page < 2; ++page)
        std::printf("  100 x next employee (%s) : %8.1f ms (%.2f ms per step)\n", names[page],
                    Median(next[page]), Median(next[page]) / 100);
    if (!messages.entries.isEmpty())
        std::printf("  messages shown: %s\n", qPrintable(messages.texts().join(QLatin1Char('|'))));
    return 0;
}
