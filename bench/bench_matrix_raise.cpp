// Times the matrix raise of one employee: every report, the raise input and the fiscal-year
// roll-over call it once per employee. Prints the time of a million raises over a design of 9
// bands with 7 role evaluations each, through the table indexed once (goal: at least 5 million
// raises per second), and of one-off raises that index the tables for each call.

#include "matrix_raise.h"

#include <QElapsedTimer>
#include <cstdio>

int main() {
    TBANDTBL bands;
    TMATTBL matrices;
    bands.Marume = 1;
    for (int band = 1; band <= 9; ++band) {
        TMATHYOUKA group;
        group.BandId = band;
        for (int eval = 1; eval <= 7; ++eval) {
            TBANDM e;
            e.BandId = QString::number(band);
            e.YHyouka = QString::number(eval);
            e.ZoneSu = 5;
            for (int k = 1; k <= 5; ++k) {
                e.ZoneKagen[k] = 150000 + band * 30000 + (k - 1) * 20000;
                e.ZoneJyogen[k] = e.ZoneKagen[k] + 20000;
            }
            bands.Bands.push_back(e);
            TMATRIX cell;
            cell.YHyouka = eval;
            for (int k = 1; k <= 5; ++k)
                cell.Up[k] = (8 - eval) * 0.75 + (5 - k) * 0.5;
            group.Cells.push_back(cell);
        }
        matrices.Rows.push_back(group);
    }

    const auto run = [&](int calls, auto raise) {
        long long checksum = 0;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < calls; ++i) {
            const int band = 1 + i % 9;
            const int eval = 1 + (i / 9) % 7;
            const int pay = 170000 + (i * 37) % 400000;
            const MatrixRaise r = raise(band, eval, pay);
            checksum += r.newPay + r.zone;
        }
        const double ns = double(timer.nsecsElapsed());
        std::printf("%d calls in %.1f ms: %.0f ns per call, %.2f million per second (checksum "
                    "%lld)\n",
                    calls, ns / 1e6, ns / calls, calls / ns * 1e3, checksum);
    };
    std::printf("indexed table (built once):  ");
    const MatrixRaiseTable table(bands, matrices);
    run(1000000, [&](int b, int e, int p) { return table.raise(b, e, p); });
    std::printf("one-off CalcMatrixRaise:     ");
    run(100000, [&](int b, int e, int p) { return CalcMatrixRaise(bands, matrices, b, e, p); });
    return 0;
}
