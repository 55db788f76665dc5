// How the employees of a matrix spread over its evaluations and zones after the raise.

#include "matrix_spread.h"

#include <QTest>

namespace {

// Matrix 1 "一般職" has two zones; evaluation 1 "A" is raised 5 % and 3 %, evaluation 2 "B"
// 2 % and 1 %. Bands 10 and 11 both use it: zone 1 is 100,000-200,000, zone 2 200,000-300,000.
// Band 20 uses matrix 2 (three zones, evaluation 1 only).
constexpr int kMatrix = 1;

TBANDM bandEntry(int band, int evaluation) {
    TBANDM e;
    e.BandId = QString::number(band);
    e.YHyouka = QString::number(evaluation);
    e.ZoneSu = 2;
    e.ZoneKagen[1] = 100000;
    e.ZoneJyogen[1] = 200000;
    e.ZoneKagen[2] = 200000;
    e.ZoneJyogen[2] = 300000;
    return e;
}

TMATRIX cell(int evaluation, const QString &symbol, int zones, std::initializer_list<double> up) {
    TMATRIX c;
    c.YHyouka = evaluation;
    c.YHyoukaName = symbol;
    c.ZoneSu = zones;
    int z = 1;
    for (double rate : up)
        c.Up[z++] = rate;
    return c;
}

TMATHYOUKA group(int band, int matrix, const QString &name, std::vector<TMATRIX> cells) {
    TMATHYOUKA g;
    g.BandId = band;
    g.MatrixId = matrix;
    g.BandName = QStringLiteral("バンド%1").arg(band);
    g.MatrixName = name;
    g.Cells = std::move(cells);
    return g;
}

struct Fixture {
    TBANDTBL bands;
    TMATTBL matrices;
    Fixture() {
        bands.Marume = 0;
        for (int band : {10, 11})
            for (int evaluation : {1, 2})
                bands.Bands.push_back(bandEntry(band, evaluation));
        TBANDM other = bandEntry(20, 1);
        other.ZoneSu = 3;
        other.ZoneKagen[3] = 300000;
        other.ZoneJyogen[3] = 400000;
        bands.Bands.push_back(other);
        const std::vector<TMATRIX> cells = {cell(1, QStringLiteral("A"), 2, {5, 3}),
                                            cell(2, QStringLiteral("B"), 2, {2, 1})};
        matrices.Rows = {
            group(10, kMatrix, QStringLiteral("一般職"), cells),
            group(11, kMatrix, QStringLiteral("一般職"), cells),
            group(20, 2, QStringLiteral("管理職"), {cell(1, QStringLiteral("A"), 3, {4, 3, 2})})};
    }
};

// Four employees of evaluation A and six of B; after the raise five lie in zone 1 and five in
// zone 2. `band` puts them all in one band; 0 spreads them over bands 10 and 11.
std::vector<SpreadEmployee> tenEmployees(int band) {
    std::vector<SpreadEmployee> out;
    const auto add = [&](int evaluation, int pay) {
        const int b = band != 0 ? band : (out.size() % 2 == 0 ? 10 : 11);
        out.push_back({b, evaluation, pay});
    };
    for (int pay : {150000, 160000, 250000, 260000}) // A: 157,500 168,000 | 257,500 267,800
        add(1, pay);
    for (int pay : {150000, 170000, 180000, 250000, 260000, 270000}) // B: zones 1 1 1 2 2 2
        add(2, pay);
    return out;
}

QStringList texts(const std::array<double, 6> &values, int zones) {
    QStringList out;
    for (int z = 1; z <= zones; ++z)
        out << PercentText(values[z]);
    return out;
}

} // namespace

class TstMatrixSpread : public QObject {
    Q_OBJECT
private slots:
    void sharesAndAverageRaise_data();
    void sharesAndAverageRaise();
    void outsideEveryZone_data();
    void outsideEveryZone();
    void evaluationTheMatrixDoesNotRate();
    void noLinkedEmployee();
    void matrixNotInTheTable();
    void zoneBeyondTheMatrixIsShown();
    void caption_data();
    void caption();
    void percentText_data();
    void percentText();
};

void TstMatrixSpread::sharesAndAverageRaise_data() {
    QTest::addColumn<int>("band");
    QTest::newRow("one band") << 10;
    // Both bands of the matrix: each employee counts once, not once per band.
    QTest::newRow("two bands share the matrix") << 0;
}

void TstMatrixSpread::sharesAndAverageRaise() {
    QFETCH(int, band);
    const Fixture f;
    const MatrixSpread s = ComputeMatrixSpread(f.matrices, f.bands, tenEmployees(band), kMatrix);
    QVERIFY(s.found);
    QCOMPARE(s.matrixName, QStringLiteral("一般職"));
    QCOMPARE(s.zones, 2);
    QCOMPARE(s.total, 10);
    QCOMPARE(s.outside, 0);
    QCOMPARE(s.zoneCount[1], 5);
    QCOMPARE(s.zoneCount[2], 5);
    QCOMPARE(texts(s.zoneShare, 2), QStringList({"50.00%", "50.00%"}));
    QCOMPARE(s.evaluations.size(), size_t(2));
    const SpreadEvaluation &a = s.evaluations[0];
    const SpreadEvaluation &b = s.evaluations[1];
    QCOMPARE(a.symbol, QStringLiteral("A"));
    QCOMPARE(b.symbol, QStringLiteral("B"));
    QCOMPARE(a.headCount, 4);
    QCOMPARE(b.headCount, 6);
    QCOMPARE(PercentText(a.share), QStringLiteral("40.00%"));
    QCOMPARE(PercentText(b.share), QStringLiteral("60.00%"));
    QCOMPARE(texts(a.up, 2), QStringList({"5.00%", "3.00%"}));
    QCOMPARE(texts(a.zoneShare, 2), QStringList({"1.00%", "0.60%"}));
    QCOMPARE(texts(b.zoneShare, 2), QStringList({"0.60%", "0.30%"}));
    QCOMPARE(PercentText(s.sum), QStringLiteral("2.50%"));
}

void TstMatrixSpread::outsideEveryZone_data() {
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("pay");
    QTest::newRow("below the band") << 10 << 90000;
    QTest::newRow("raised to the top, which no zone includes") << 10 << 295000;
    QTest::newRow("in the second band of the matrix") << 11 << 295000;
    QTest::newRow("band not in the table") << 99 << 150000;
}

// An employee whose new pay lies in no zone counts in the total and outside, in no zone and
// in no evaluation; the shares of the others are taken over the total.
void TstMatrixSpread::outsideEveryZone() {
    QFETCH(int, band);
    QFETCH(int, pay);
    const Fixture f;
    std::vector<SpreadEmployee> employees = tenEmployees(10);
    employees.push_back({band, 1, pay});
    const MatrixSpread s = ComputeMatrixSpread(f.matrices, f.bands, employees, kMatrix);
    QCOMPARE(s.total, 11);
    QCOMPARE(s.outside, 1);
    QCOMPARE(s.zoneCount[1] + s.zoneCount[2], 10);
    QCOMPARE(s.evaluations[0].headCount, 4);
    QCOMPARE(PercentText(s.zoneShare[1]), QStringLiteral("45.45%"));
    QCOMPARE(PercentText(s.evaluations[0].share), QStringLiteral("36.36%"));
}

void TstMatrixSpread::evaluationTheMatrixDoesNotRate() {
    const Fixture f;
    std::vector<SpreadEmployee> employees = tenEmployees(10);
    employees.push_back({10, 7, 150000});
    const MatrixSpread s = ComputeMatrixSpread(f.matrices, f.bands, employees, kMatrix);
    QCOMPARE(s.total, 11);
    QCOMPARE(s.outside, 0);
    QCOMPARE(s.zoneCount[1] + s.zoneCount[2], 10);
}

void TstMatrixSpread::noLinkedEmployee() {
    const Fixture f;
    const MatrixSpread s = ComputeMatrixSpread(f.matrices, f.bands, {}, kMatrix);
    QVERIFY(s.found);
    QCOMPARE(s.total, 0);
    QCOMPARE(s.zones, 2);
    QCOMPARE(s.evaluations.size(), size_t(2));
    QCOMPARE(s.evaluations[1].symbol, QStringLiteral("B"));
    QCOMPARE(s.sum, 0.0);
    QCOMPARE(s.zoneShare[1], 0.0);
    QCOMPARE(MatrixSpreadCaption(s), QStringLiteral("  一般職 人数 0名"));
}

void TstMatrixSpread::matrixNotInTheTable() {
    const Fixture f;
    for (const TMATTBL &matrices : {f.matrices, TMATTBL{}}) {
        const MatrixSpread s = ComputeMatrixSpread(matrices, f.bands, tenEmployees(10), 5);
        QVERIFY(!s.found);
        QCOMPARE(s.total, 10);
        QCOMPARE(s.zones, 0);
        QVERIFY(s.evaluations.empty());
        QCOMPARE(MatrixSpreadCaption(s), QStringLiteral("   人数 10名"));
    }
}

// A band with more zones than its matrix (the matrix was changed after the band was made):
// an employee in the band's third zone still shows in a third zone column.
void TstMatrixSpread::zoneBeyondTheMatrixIsShown() {
    Fixture f;
    for (TBANDM &e : f.bands.Bands)
        if (e.BandId == QLatin1String("10")) {
            e.ZoneKagen[3] = 300000;
            e.ZoneJyogen[3] = 400000;
        }
    const MatrixSpread s = ComputeMatrixSpread(f.matrices, f.bands, {{10, 1, 350000}}, kMatrix);
    QCOMPARE(s.zones, 3);
    QCOMPARE(s.zoneCount[3], 1);
    QCOMPARE(PercentText(s.zoneShare[3]), QStringLiteral("100.00%"));
    QCOMPARE(s.sum, 0.0); // the matrix has no rate for the third zone
}

void TstMatrixSpread::caption_data() {
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("outside");
    QTest::addColumn<QString>("text");
    QTest::newRow("all in zones") << 10 << 0 << QStringLiteral("  一般職 人数 10名");
    QTest::newRow("some outside") << 11 << 3 << QStringLiteral("  一般職 人数 11名 範囲外 = (3)");
}

void TstMatrixSpread::caption() {
    QFETCH(int, total);
    QFETCH(int, outside);
    QFETCH(QString, text);
    MatrixSpread s;
    s.matrixName = QStringLiteral("一般職");
    s.total = total;
    s.outside = outside;
    QCOMPARE(MatrixSpreadCaption(s), text);
}

void TstMatrixSpread::percentText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 50.0 << QStringLiteral("50.00%");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0.00%");
    QTest::newRow("a third") << 100.0 / 3 << QStringLiteral("33.33%");
    QTest::newRow("half rounds up") << 2.005 << QStringLiteral("2.01%");
    QTest::newRow("tiny negative shows no sign") << -0.001 << QStringLiteral("0.00%");
    QTest::newRow("hundred") << 100.0 << QStringLiteral("100.00%");
}

void TstMatrixSpread::percentText() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(PercentText(value), text);
}

QTEST_APPLESS_MAIN(TstMatrixSpread)
#include "tst_matrix_spread.moc"
