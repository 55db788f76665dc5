// The point set of the analysis charts: which employees are plotted, the X and Y value and the
// label of each point, the averages, and the axis ranges around the points and the comparison
// curves.

#include "plot_chart.h"
#include "point_set.h"

#include <QTest>

namespace {

TAnalysisEmployee employee(qint64 sco, int mco, int toukyu, int age, double basicYen) {
    TAnalysisEmployee e;
    e.Sco = sco;
    e.Sna = QStringLiteral("社員%1").arg(sco);
    e.Mco = mco;
    e.Toukyu = toukyu;
    e.Nenrei = age;
    e.Kkyu[1] = basicYen;
    e.Hyouka = QStringLiteral("A");
    e.Zonex = 3;
    e.Jiseki = static_cast<int>(sco % 3);
    return e;
}

PointSetChoices everyone(int chart = kChartWagePlot, int fx = 0, int fy = 0) {
    PointSetChoices c;
    c.chart = chart;
    c.fx = fx;
    c.fy = fy;
    c.plot.fill(1);
    c.grade.fill(1);
    return c;
}

ValueExtent extent(double xMin, double xMax, double yMin, double yMax) {
    return {xMin, xMax, yMin, yMax};
}

} // namespace

class TstPointSet : public QObject {
    Q_OBJECT
private slots:
    void onlyChosenGroupsAndGradesArePlotted();
    void nobodyChosenGivesNoPoints();
    void valuesOfTheItems_data();
    void valuesOfTheItems();
    void markLabels();
    void averagesAndLastJiseki();
    void axisRanges_data();
    void axisRanges();
    void comparisonCurvesWidenTheRanges();
};

void TstPointSet::onlyChosenGroupsAndGradesArePlotted() {
    const std::vector<TAnalysisEmployee> rows = {
        employee(1, 1, 1, 30, 200000), employee(2, 0, 1, 31, 200000), // no mark group
        employee(3, 7, 1, 32, 200000), employee(4, 2, 0, 33, 200000), // group 7, grade 0
        employee(5, 2, 10, 34, 200000), employee(6, 3, 9, 35, 200000),
        employee(7, 4, 2, 36, 200000), employee(8, 6, 4, 37, 200000)};
    PointSetChoices c = everyone();
    c.plot[4] = 0;  // group 4 left out
    c.grade[4] = 0; // grade 4 left out
    const PointSet set = BuildPointSet(rows, c);
    QList<qint64> codes;
    for (const TDCHART &p : set.points)
        codes << p.Sco;
    QCOMPARE(codes, QList<qint64>({1, 6}));
    QCOMPARE(set.points[1].Seqno, 2);
    QCOMPARE(set.points[1].Mkco, 3);
    QCOMPARE(set.points[1].Sna, QStringLiteral("社員6"));
}

void TstPointSet::nobodyChosenGivesNoPoints() {
    const std::vector<TAnalysisEmployee> rows = {employee(1, 1, 1, 30, 200000)};
    PointSetChoices c = everyone();
    c.plot.fill(0);
    QVERIFY(BuildPointSet(rows, c).empty());
    QVERIFY(BuildPointSet({}, everyone()).empty());
}

void TstPointSet::valuesOfTheItems_data() {
    QTest::addColumn<int>("fx");
    QTest::addColumn<int>("fy");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    // Age 41, service 12, experience 15, step 23, rate 87.9, job points 310; items I 180,004,
    // II 50,005, III 10,000, scheduled 260,000, bonuses 400,000 + 123,456.
    QTest::newRow("age, item I") << 0 << 0 << 41.0 << 18.0;
    QTest::newRow("service, item II") << 1 << 1 << 12.0 << 5.0; // 5.0005 rounds to 5.00
    QTest::newRow("experience, basic") << 2 << 2 << 15.0 << 24.0;
    QTest::newRow("step, scheduled") << 3 << 3 << 23.0 << 26.0;
    QTest::newRow("rate cut, bonus") << 4 << 4 << 87.0 << 52.35; // 52.3456
    QTest::newRow("job points, income") << 5 << 5 << 310.0 << 364.35; // 364.3456
}

void TstPointSet::valuesOfTheItems() {
    QFETCH(int, fx);
    QFETCH(int, fy);
    QFETCH(double, x);
    QFETCH(double, y);
    TAnalysisEmployee e = employee(1, 1, 1, 41, 180004);
    e.Kinzoku = 12;
    e.Nensu = 15;
    e.Gouhou = 23;
    e.Tritsu = 87.9;
    e.Tensu = 310;
    e.Kkyu[2] = 50005;
    e.Kkyu[3] = 9991;
    e.Syotei = 260000;
    e.Syouyo = 400000;
    e.Syouyo2 = 123456;
    QCOMPARE(XValueOf(e, fx), x);
    QCOMPARE(YValueOf(e, fy), y);
}

void TstPointSet::markLabels() {
    const TAnalysisEmployee e = employee(1234, 1, 1, 30, 0);
    QCOMPARE(MarkLabelOf(e, 0), QStringLiteral("1234"));
    QCOMPARE(MarkLabelOf(e, 1), QStringLiteral("A"));
    QCOMPARE(MarkLabelOf(e, 2), QStringLiteral("3"));
    QCOMPARE(MarkLabelOf(e, 3), QString());
}

void TstPointSet::averagesAndLastJiseki() {
    // Ages 30, 31, 32 and 10,000 yen 20.00, 20.15, 20.15: X average 31, Y average 20.1.
    const std::vector<TAnalysisEmployee> rows = {employee(4, 1, 1, 30, 200000),
                                                 employee(5, 1, 1, 31, 201500),
                                                 employee(6, 1, 1, 32, 201500),
                                                 employee(7, 2, 1, 99, 900000)};
    PointSetChoices c = everyone();
    c.plot[2] = 0;
    PointSet set = BuildPointSet(rows, c);
    QCOMPARE(set.xAverage, 31);
    QCOMPARE(set.yAverage, 20.1);
    QCOMPARE(set.lastJiseki, 0); // employee 6, not the unplotted 7
    // The comparison charts centre on whole 10,000 yen.
    set = BuildPointSet(rows, [&] {
        PointSetChoices l = c;
        l.chart = kChartLivingCost;
        return l;
    }());
    QCOMPARE(set.yAverage, 20.0);
}

void TstPointSet::axisRanges_data() {
    QTest::addColumn<int>("chart");
    QTest::addColumn<int>("fx");
    QTest::addColumn<double>("xLow");
    QTest::addColumn<double>("xHigh");
    QTest::addColumn<int>("xMin");
    QTest::addColumn<int>("xMax");
    QTest::newRow("23..58") << kChartWagePlot << 0 << 23.0 << 58.0 << 20 << 60;
    QTest::newRow("20..55") << kChartWagePlot << 0 << 20.0 << 55.0 << 20 << 60;
    QTest::newRow("25..65") << kChartWagePlot << 0 << 25.0 << 65.0 << 25 << 70;
    QTest::newRow("60, 64") << kChartRaiseCurve << 0 << 60.0 << 64.0 << 60 << 65;
    QTest::newRow("job points, wage plot") << kChartWagePlot << 5 << 120.0 << 450.0 << 120 << 460;
    QTest::newRow("job points 455, wage plot") << kChartWagePlot << 5 << 120.0 << 455.0 << 120
                                               << 460;
    QTest::newRow("job points, raise curve") << kChartRaiseCurve << 5 << 120.0 << 450.0 << 120
                                             << 455;
    QTest::newRow("job points 455, raise curve") << kChartRaiseCurve << 5 << 120.0 << 455.0 << 120
                                                 << 460;
}

void TstPointSet::axisRanges() {
    QFETCH(int, chart);
    QFETCH(int, fx);
    QFETCH(double, xLow);
    QFETCH(double, xHigh);
    QFETCH(int, xMin);
    QFETCH(int, xMax);
    // The Y axis follows the same rule on amounts with decimals.
    const AxisRanges r = AxisRangesFor(extent(xLow, xHigh, 17.35, 34.99), chart, fx);
    QCOMPARE(r.xMin, xMin);
    QCOMPARE(r.xMax, xMax);
    QCOMPARE(r.yMin, 15);
    QCOMPARE(r.yMax, 35);
    QCOMPARE(AxisRangesFor(extent(0, 0, 14.99, 35.0), chart, fx).yMin, 10);
    QCOMPARE(AxisRangesFor(extent(0, 0, 14.99, 35.0), chart, fx).yMax, 40);

    // The same through the build, from employees at both ends.
    std::vector<TAnalysisEmployee> rows = {employee(1, 1, 1, 0, 173500),
                                           employee(2, 1, 1, 0, 349900)};
    rows[0].Nenrei = rows[0].Tensu = static_cast<int>(xLow);
    rows[1].Nenrei = rows[1].Tensu = static_cast<int>(xHigh);
    const PointSet set = BuildPointSet(rows, everyone(chart, fx));
    QCOMPARE(set.axisXMin, xMin);
    QCOMPARE(set.axisXMax, xMax);
    QCOMPARE(set.axisYMin, 15);
    QCOMPARE(set.axisYMax, 35);
}

void TstPointSet::comparisonCurvesWidenTheRanges() {
    // Employees aged 30..40 earning 25..30 (10,000 yen).
    const std::vector<TAnalysisEmployee> rows = {employee(1, 1, 1, 30, 250000),
                                                 employee(2, 1, 1, 40, 300000)};
    ComparisonRows comparison;
    // Living costs at 22 and 45 (ages 0 are no rows): standard 119.11 → 12 and 258 → 26, the
    // single rate 0.5 → 6 and 13; the comfort and minimum rates are 0 throughout: no curves.
    comparison.living = {{0, 999, 9, 9, 9, 1}, {22, 119.11, 0, 0, 0.5, 1}, {45, 258, 0, 0, 0.5, 1}};
    PointSet set = BuildPointSet(rows, everyone(kChartLivingCost, 0, 2), comparison);
    QCOMPARE(set.axisXMin, 20);
    QCOMPARE(set.axisXMax, 50);
    QCOMPARE(set.axisYMin, 5);
    QCOMPARE(set.axisYMax, 35);
    QCOMPARE(set.xAverage, 35); // the averages stay those of the employees
    QCOMPARE(set.yAverage, 28.0);

    // Model wages by service (KNENSU) and annual income (NENSYU, thousand yen): 8,000 → 800.
    TModelWageRow model;
    model.Nenrei = 60;
    model.Knensu = 38;
    model.Nensyu = 8000;
    model.Kkin = 100;
    comparison = {};
    comparison.model[2] = {model};
    std::vector<TAnalysisEmployee> staff = rows;
    staff[0].Kinzoku = 5;
    staff[1].Kinzoku = 12;
    set = BuildPointSet(staff, everyone(kChartModelWage, 1, 5), comparison);
    QCOMPARE(set.axisXMin, 5);
    QCOMPARE(set.axisXMax, 40);
    QCOMPARE(set.axisYMax, 805);
    // The other charts ignore the comparison rows.
    set = BuildPointSet(staff, everyone(kChartWagePlot, 1, 5), comparison);
    QCOMPARE(set.axisXMax, 15);
}

QTEST_APPLESS_MAIN(TstPointSet)
#include "tst_point_set.moc"
