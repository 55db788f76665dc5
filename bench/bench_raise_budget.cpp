// The raise budget screen on a generated company of 10,000 employees (offscreen): the time to
// construct and prepare it (bands, matrices, employees, every figure) and until it is shown
// with its picture painted, and the time the fit to a budget takes to find its factor. Median
// of several rounds.
//
// Usage: bench_raise_budget [employees] [rounds]   (defaults 10000 and 5)

#include "bench_company.h"
#include "budget_store.h"
#include "message_recorder.h"
#include "raise_budget_screen.h"
#include "state.h"
#include "tdm.h"

#include <QApplication>
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

    // A budget of 80 % of the planned raises: the factor lies below 1.
    qint64 planned = 0, budget = 0;
    {
        TfrmRaiseBudget first;
        first.prepare();
        planned = first.data().position.raiseTotal;
        budget = planned * 8 / 10;
        TRaiseBudget b;
        b.kind = TRaiseBudget::Amount;
        b.amount = budget;
        if (!SaveRaiseBudget(b)) return 1;
    }

    std::vector<double> open, shown, fit;
    int points = 0;
    TBudgetFit result;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer timer;
        timer.start();
        TfrmRaiseBudget dlg;
        dlg.prepare();
        open.push_back(timer.nsecsElapsed() / 1e6);
        dlg.show();
        dlg.repaint();
        QCoreApplication::processEvents();
        shown.push_back(timer.nsecsElapsed() / 1e6);
        points = static_cast<int>(dlg.data().position.points.size());

        // The button: the search and the scaled matrices shown.
        timer.restart();
        dlg.btnFitClick();
        fit.push_back(timer.nsecsElapsed() / 1e6);
        result = dlg.fit();
    }
    std::printf("raise budget, %d employees, %d in bands (median of %d rounds)\n", employees,
                points, rounds);
    std::printf("  construct + prepare          : %8.1f ms\n", Median(open));
    std::printf("  ... until shown and painted  : %8.1f ms\n", Median(shown));
    std::printf("  fit to budget (button)       : %8.1f ms (%d computations of the total)\n",
                Median(fit), result.evaluations);
    std::printf("  planned %lld, budget %lld, fitted %lld (as stored %lld) at factor %.4f\n",
                static_cast<long long>(planned), static_cast<long long>(budget),
                static_cast<long long>(result.fittedTotal),
                static_cast<long long>(result.appliedTotal), result.factor);
    if (!messages.entries.isEmpty())
        std::printf("  messages shown: %s\n", qPrintable(messages.texts().join(QLatin1Char('|'))));
    return 0;
}
