// The matrix raise of one employee over in-memory band and matrix tables.

#include "matrix_raise.h"
#include "state.h"

#include <QTest>

namespace {
TBANDM bandEntry(int band, int evaluation, std::initializer_list<std::pair<int, int>> zones) {
    TBANDM e;
    e.BandId = QString::number(band);
    e.YHyouka = QString::number(evaluation);
    int k = 1;
    for (auto [lower, upper] : zones) {
        e.ZoneKagen[k] = lower;
        e.ZoneJyogen[k] = upper;
        ++k;
    }
    e.ZoneSu = k - 1;
    return e;
}

TMATHYOUKA matrixGroup(int band, int evaluation, std::initializer_list<double> rates) {
    TMATHYOUKA g;
    g.BandId = band;
    TMATRIX cell;
    cell.YHyouka = evaluation;
    int k = 1;
    for (double r : rates)
        cell.Up[k++] = r;
    g.Cells.push_back(cell);
    return g;
}

// Band 1: three zones 240,000-280,000-320,000-360,000, evaluation 1 at 5 / 3 / 1 %.
// Band 2: five zones of 40,000 from 240,000 to 440,000, evaluation 1 at 5 / 4 / 3 / 2 / 1 %.
// Band 3: one wide zone 200,000-500,000 at 2.5 % for the rounding cases.
// Band 4 has an entry for evaluation 1 only; its matrix also rates evaluation 2.
void fixture(TBANDTBL &bands, TMATTBL &matrices, int marume) {
    bands = {};
    bands.Marume = marume;
    bands.Bands = {bandEntry(1, 1, {{240000, 280000}, {280000, 320000}, {320000, 360000}}),
                   bandEntry(2, 1,
                             {{240000, 280000},
                              {280000, 320000},
                              {320000, 360000},
                              {360000, 400000},
                              {400000, 440000}}),
                   bandEntry(3, 1, {{200000, 500000}}),
                   bandEntry(4, 1, {{200000, 300000}, {300000, 400000}})};
    matrices = {};
    matrices.Rows = {matrixGroup(1, 1, {5, 3, 1}), matrixGroup(2, 1, {5, 4, 3, 2, 1}),
                     matrixGroup(3, 1, {2.5}), matrixGroup(4, 2, {9, 9})};
}
} // namespace

class TstMatrixRaise : public QObject {
    Q_OBJECT
private slots:
    void raise_data();
    void raise();
    void firstEntriesCount();
    void projectStateOverloadUsesTheLoadedTables();
};

void TstMatrixRaise::raise_data() {
    QTest::addColumn<int>("marume");
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("evaluation");
    QTest::addColumn<int>("pay");
    QTest::addColumn<int>("zone");
    QTest::addColumn<double>("rate");
    QTest::addColumn<int>("newPay");
    QTest::addColumn<int>("newZone");
    QTest::newRow("inside zone 2") << 0 << 1 << 1 << 300000 << 2 << 3.0 << 309000 << 2;
    QTest::newRow("on a limit belongs to the upper zone")
        << 0 << 1 << 1 << 280000 << 2 << 3.0 << 288400 << 2;
    QTest::newRow("raise crosses into zone 3") << 0 << 1 << 1 << 318000 << 2 << 3.0 << 327540 << 3;
    QTest::newRow("zone 3") << 0 << 1 << 1 << 355000 << 3 << 1.0 << 358550 << 3;
    QTest::newRow("cut to the top, top is in no zone")
        << 0 << 1 << 1 << 359000 << 3 << 1.0 << 360000 << 0;
    QTest::newRow("top of a three-zone band") << 0 << 1 << 1 << 360000 << 0 << 0.0 << 360000 << 0;
    QTest::newRow("below the band") << 0 << 1 << 1 << 230000 << 0 << 0.0 << 230000 << 0;
    QTest::newRow("pay 0 matches empty zone 5") << 0 << 1 << 1 << 0 << 5 << 0.0 << 240000 << 1;
    QTest::newRow("five zones: top included in zone 5")
        << 0 << 2 << 1 << 440000 << 5 << 1.0 << 440000 << 0;
    QTest::newRow("five zones: zone 4") << 0 << 2 << 1 << 399999 << 4 << 2.0 << 408000 << 5;
    QTest::newRow("round to tens") << 0 << 3 << 1 << 301234 << 1 << 2.5 << 308760 << 1;
    QTest::newRow("round to hundreds") << 1 << 3 << 1 << 301234 << 1 << 2.5 << 308800 << 1;
    QTest::newRow("round to thousands") << 2 << 3 << 1 << 301234 << 1 << 2.5 << 309000 << 1;
    QTest::newRow("evaluation without band entry")
        << 0 << 1 << 2 << 300000 << 0 << 0.0 << 300000 << 0;
    QTest::newRow("unknown band") << 0 << 9 << 1 << 300000 << 0 << 0.0 << 300000 << 0;
    QTest::newRow("evaluation without matrix cell")
        << 0 << 4 << 1 << 250000 << 1 << 0.0 << 250000 << 1;
}

void TstMatrixRaise::raise() {
    QFETCH(int, marume);
    QFETCH(int, band);
    QFETCH(int, evaluation);
    QFETCH(int, pay);
    TBANDTBL bands;
    TMATTBL matrices;
    fixture(bands, matrices, marume);
    // A single raise scans the tables; a report's many raises look them up in the index.
    const MatrixRaiseTable table(bands, matrices);
    for (const MatrixRaise &r : {CalcMatrixRaise(bands, matrices, band, evaluation, pay),
                                 table.raise(band, evaluation, pay)}) {
        QTEST(r.zone, "zone");
        QTEST(r.rate, "rate");
        QTEST(r.newPay, "newPay");
        QTEST(r.newZone, "newZone");
    }
}

void TstMatrixRaise::firstEntriesCount() {
    // Band 1 listed twice (the second with other zones), its matrix group twice and the
    // evaluation twice in the first group: the first of each is used, by both lookups.
    TBANDTBL bands;
    TMATTBL matrices;
    fixture(bands, matrices, 0);
    bands.Bands.push_back(bandEntry(1, 1, {{0, 1000000}}));
    TMATHYOUKA first = matrices.Rows[0];
    first.Cells.push_back(first.Cells[0]);
    first.Cells.back().Up = {0, 50, 50, 50, 50, 50};
    matrices.Rows[0] = first;
    matrices.Rows.push_back(matrixGroup(1, 1, {40, 40, 40}));
    const MatrixRaiseTable table(bands, matrices);
    for (const MatrixRaise &r :
         {CalcMatrixRaise(bands, matrices, 1, 1, 300000), table.raise(1, 1, 300000)}) {
        QCOMPARE(r.zone, 2);
        QCOMPARE(r.rate, 3.0);
        QCOMPARE(r.newPay, 309000);
    }
}

void TstMatrixRaise::projectStateOverloadUsesTheLoadedTables() {
    ResetState();
    fixture(G().gBandTbl, G().gMatTbl, 0);
    double rate = -1;
    int newPay = -1, newZone = -1;
    QCOMPARE(CalcMatrixRaise(1, 1, 318000, rate, newPay, newZone), 2);
    QCOMPARE(rate, 3.0);
    QCOMPARE(newPay, 327540);
    QCOMPARE(newZone, 3);
    // Non-numeric ids in the table read as 0 and never match a real band.
    G().gBandTbl.Bands[0].BandId = QStringLiteral("x");
    QCOMPARE(CalcMatrixRaise(1, 1, 318000, rate, newPay, newZone), 0);
    QCOMPARE(newPay, 318000);
    ResetState();
}

QTEST_MAIN(TstMatrixRaise)
#include "tst_matrix_raise.moc"
