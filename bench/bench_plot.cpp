// The plot window on a chart of 10,000 points (a generated company, every employee by age and
// basic wage): writing the point set and the marks' positions, executing the chart (reading the
// point set, computing, recording the marks, first paint) and a repaint. Median of several
// rounds. Goals: writing under 0.5 s, executing under 0.5 s, a repaint under 50 ms.
//
// Usage: bench_plot [employees] [rounds]   (defaults 10000 and 5)

#include "chart_store.h"
#include "bench_company.h"
#include "database_setup.h"
#include "message_recorder.h"
#include "plot_points.h"
#include "plot_window.h"
#include "program_setup.h"
#include "project.h"
#include "state.h"
#include "tdm.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
double msSince(const QElapsedTimer &t) {
    return t.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int employees = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    QTemporaryDir dir;
    TDM dm;
    MessageRecorder messages;
    if (!OpenBenchCompany(dir.path(), employees)) return 1;
    TMCHART defaults;
    defaults.Fy = 2;
    defaults.Fchk = 1;
    PrepareChart(1010, defaults);
    const std::vector<TDCHART> points = AgeAndBasicWagePoints();
    SetAxesAround(points);

    TNX1100 plot;
    plot.resize(1260, 700);
    std::vector<double> write, marks, execute, repaint;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        WriteChartPoints(points);
        write.push_back(msSince(t));
        // The marks' positions as the window records them.
        std::vector<TDCHART> placed = points;
        for (size_t i = 0; i < placed.size(); ++i) {
            placed[i].Labeln = QStringLiteral("Label%1").arg(i + 1, 3, 10, QLatin1Char('0'));
            placed[i].Gtop = int(i % 600);
            placed[i].Gleft = int(i % 1000);
        }
        t.restart();
        WriteMarkPositions(placed);
        marks.push_back(msSince(t));

        t.restart();
        plot.handOver(nullptr, QStringLiteral("ベンチマーク"));
        plot.grab();
        execute.push_back(msSince(t));
        t.restart();
        plot.grab();
        repaint.push_back(msSince(t));
    }
    std::printf("plot window, %zu points (median of %d rounds)\n", points.size(), rounds);
    std::printf("  write the point set          : %8.1f ms\n", Median(write));
    std::printf("  write the marks' positions   : %8.1f ms\n", Median(marks));
    std::printf("  both (goal under 500 ms)     : %8.1f ms\n", Median(write) + Median(marks));
    std::printf("  execute + first paint (< 500): %8.1f ms\n", Median(execute));
    std::printf("  repaint (goal under 50 ms)   : %8.1f ms\n", Median(repaint));
    if (!messages.entries.isEmpty())
        std::printf("  messages shown: %s\n", qPrintable(messages.texts().join(QLatin1Char('|'))));
    return 0;
}
