// Opens the band graph and the matrix check on a generated company of 10,000 employees
// (offscreen) and prints the times: the band graph constructed, prepared and rendered once;
// the matrix check constructed and prepared (reading the linked employees and computing their
// spread) for every matrix of the company. Median of several rounds, and the first round,
// which also loads the fonts.
//
// Usage: bench_band_views [employees] [rounds]   (defaults 10000 and 5)

#include "band_graph.h"
#include "band_loaders.h"
#include "bench_company.h"
#include "database_setup.h"
#include "employee_store.h"
#include "loaders.h"
#include "matrix_check.h"
#include "message_recorder.h"
#include "program_setup.h"
#include "project.h"
#include "state.h"
#include "tdm.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <set>
#include <vector>

namespace {

double msSince(const QElapsedTimer &timer) {
    return timer.nsecsElapsed() / 1e6;
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
    // As the screens that open them leave the tables.
    LoadBandTbl2();
    LoadBandTbl();
    LoadMatTbl();
    std::set<int> matrices;
    for (const TMATHYOUKA &row : G().gMatTbl.Rows)
        matrices.insert(row.MatrixId);

    std::vector<double> graph;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer timer;
        timer.start();
        TfrmBandGraph dlg;
        dlg.prepare();
        QImage image(dlg.chartSize(), QImage::Format_RGB32);
        QPainter painter(&image);
        RenderBandGraph(painter, image.size(), G().gBandTbl2);
        painter.end();
        graph.push_back(msSince(timer));
    }
    std::printf("band graph, %zu bands (median of %d rounds)\n", G().gBandTbl2.Bands.size(),
                rounds);
    std::printf("  construct + prepare + render : %8.1f ms (first opening %.1f ms)\n",
                Median(graph), graph.front());

    std::printf("matrix check, %d employees in the company (median of %d rounds)\n", employees,
                rounds);
    for (const int m : matrices) {
        std::vector<double> check, read;
        for (int r = 0; r < rounds; ++r) {
            QElapsedTimer timer;
            timer.start();
            const size_t linked = MatrixLinkedEmployees(m).size();
            read.push_back(msSince(timer));
            timer.restart();
            TfrmMatCheck dlg;
            dlg.prepare(m);
            check.push_back(msSince(timer));
            if (r == 0) std::printf("  matrix %d, %zu linked employees\n", m, linked);
        }
        std::printf("    construct + prepare        : %8.1f ms (first %.1f ms; employee read "
                    "alone %.1f ms)\n",
                    Median(check), check.front(), Median(read));
    }
    if (!messages.entries.isEmpty())
        std::printf("  messages shown: %s\n", qPrintable(messages.texts().join(QLatin1Char('|'))));
    return 0;
}
