// The plot statistics: group sums, the least-squares curves, the regression and level curves of
// the raise-curve analysis, the curve figures (average wage and pitch) and the texts of the
// analysis result window.

#include "plot_statistics.h"

#include <QTest>
#include <cmath>

namespace {

std::vector<QPointF> sampled(const std::function<double(double)> &f, int from, int to) {
    std::vector<QPointF> points;
    for (int x = from; x <= to; ++x)
        points.emplace_back(x, f(x));
    return points;
}

PlotPoint point(int group, double x, double y) {
    PlotPoint p;
    p.group = group;
    p.x = x;
    p.y = y;
    return p;
}

// A chart whose six groups have the marks ●, ■, ▲, ◆, ★, ○.
PlotChart chartOf(int code, std::vector<PlotPoint> points) {
    PlotChart c;
    c.chart = code;
    const char *marks[] = {"", "●", "■", "▲", "◆", "★", "○"};
    for (int k = 1; k <= 6; ++k) {
        c.groups[k].mark = QString::fromUtf8(marks[k]);
        c.rows[k].Fchk = 1;
        c.rows[k].Cgraph = 1;
    }
    c.points = std::move(points);
    return c;
}

std::array<TMMARK, 7> curveMarks() {
    std::array<TMMARK, 7> marks;
    for (int k = 1; k <= 6; ++k) {
        marks[k].Mkco = k;
        marks[k].Kcolor = QStringLiteral("clRed");
        marks[k].Ksyurui = 1;
        marks[k].Khaba = 2;
    }
    return marks;
}

} // namespace

class TstPlotStatistics : public QObject {
    Q_OBJECT
private slots:
    void groupSums();
    void fitsRecoverExactCurves_data();
    void fitsRecoverExactCurves();
    void degenerateSetsGiveLinesOrConstants();
    void polylineOfACurve();
    void levelCurves_data();
    void levelCurves();
    void curveFigures_data();
    void curveFigures();
    void raiseCurveFiguresPerGroup();
    void wagePlotTexts();
    void wagePlotTextsOfSixGroups();
    void raiseCurveTexts();
};

void TstPlotStatistics::groupSums() {
    const GroupSums s = GroupSumsOf({point(1, 30, 20.25), point(1, 40, 30.5), point(3, 50, 40.01),
                                     point(9, 20, 10)});
    QCOMPARE(s.count[1], 3); // group 9 counts as group 1
    QCOMPARE(s.count[3], 1);
    QCOMPARE(s.count[0], 4);
    QCOMPARE(s.sumX[1], qint64(900000));
    QCOMPARE(s.sumY[1], qint64(607500));
    QCOMPARE(s.sumY[0], qint64(1007600));
    QCOMPARE(s.groupsWithPoints(), 2);
}

void TstPlotStatistics::fitsRecoverExactCurves_data() {
    QTest::addColumn<int>("degree");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<double>("c0");
    QTest::addColumn<double>("c1");
    QTest::addColumn<double>("c2");
    QTest::addColumn<double>("c3");
    QTest::newRow("quadratic by age") << 2 << 20 << 60 << -12.5 << 1.75 << -0.0125 << 0.0;
    QTest::newRow("quadratic, few points") << 2 << 1 << 3 << 3.0 << -2.0 << 0.5 << 0.0;
    QTest::newRow("cubic by age") << 3 << 18 << 65 << 5.0 << 0.3 << 0.012 << -0.00015;
    QTest::newRow("cubic by step") << 3 << 0 << 40 << 15.0 << 0.8 << -0.02 << 0.000125;
    QTest::newRow("cubic, four points") << 3 << 2 << 5 << 1.0 << 2.0 << -1.0 << 0.25;
}

void TstPlotStatistics::fitsRecoverExactCurves() {
    QFETCH(int, degree);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(double, c0);
    QFETCH(double, c1);
    QFETCH(double, c2);
    QFETCH(double, c3);
    const auto f = [&](double x) { return c0 + c1 * x + c2 * x * x + c3 * x * x * x; };
    const Polynomial p = degree == 2 ? FitQuadratic(sampled(f, from, to))
                                     : FitCubic(sampled(f, from, to));
    const double tolerance = degree == 2 ? 1e-5 : 1e-6;
    const std::array<double, 4> expected{c0, c1, c2, c3};
    for (int i = 0; i <= 3; ++i)
        QVERIFY2(std::abs(p.c[i] - expected[i]) < tolerance,
                 qPrintable(QStringLiteral("c%1 = %2").arg(i).arg(p.c[i], 0, 'g', 12)));
    QCOMPARE(FitCurve(sampled(f, from, to), degree == 2 ? 0 : 1).c[degree], p.c[degree]);
}

void TstPlotStatistics::degenerateSetsGiveLinesOrConstants() {
    // All X equal: a constant at the mean.
    Polynomial p = FitQuadratic({{40, 20}, {40, 30}, {40, 25}});
    QCOMPARE(p.c[2], 0.0);
    QCOMPARE(p.c[1], 0.0);
    QCOMPARE(p.c[0], 25.0);
    p = FitCubic({{40, 20}, {40, 30}});
    QCOMPARE(p.at(40), 25.0);
    // Two points: the quadratic has no curvature to find and goes through both.
    p = FitQuadratic({{30, 20}, {40, 30}});
    QVERIFY(std::abs(p.at(30) - 20) < 1e-3 && std::abs(p.at(40) - 30) < 1e-3);
    QCOMPARE(FitQuadratic({}).at(10), 0.0);
}

void TstPlotStatistics::polylineOfACurve() {
    Polynomial p;
    p.c = {10, 0.5, 0, 0};
    std::vector<QPointF> line = CurvePolyline(p, 20, 22, 5);
    QCOMPARE(line.size(), size_t(10)); // 20, 20.2, .., 21.8
    QCOMPARE(line.front(), QPointF(20, 20));
    QVERIFY(std::abs(line.back().x() - 21.8) < 1e-9);
    QVERIFY(std::abs(line.back().y() - 20.9) < 1e-9);
    // From an X of exactly 0 the curve starts on the X axis and fades its constant term in.
    line = CurvePolyline(p, 0, 10, 5);
    QCOMPARE(line.front(), QPointF(0, 5));
    QVERIFY(std::abs(line[1].y() - (10 * 0.2 / 20 + 0.5 * 0.2)) < 1e-9);
    // From 0.5 it starts at the curve and still fades in.
    line = CurvePolyline(p, 0.5, 10, 5);
    QCOMPARE(line.front(), QPointF(0.5, 10.25));
    QVERIFY(std::abs(line[1].y() - (10 * 0.7 / 20 + 0.5 * 0.7)) < 1e-9);
}

void TstPlotStatistics::levelCurves_data() {
    QTest::addColumn<QList<double>>("levels");
    QTest::addColumn<QList<double>>("factors"); // of the curves drawn, in order
    QTest::newRow("5, -5, 0, 0") << QList<double>{5, -5, 0, 0} << QList<double>{1, 1.05, 0.95};
    QTest::newRow("none") << QList<double>{0, 0, 0, 0} << QList<double>{1};
    QTest::newRow("four levels") << QList<double>{10, -10, 2.5, 20}
                                 << QList<double>{1, 1.1, 0.9, 1.025, 1.2};
}

void TstPlotStatistics::levelCurves() {
    QFETCH(QList<double>, levels);
    QFETCH(QList<double>, factors);
    // Group 2 on a straight line y = 10 + 0.5x from 20 to 40; group 3 has no points.
    std::vector<PlotPoint> points;
    for (int x = 20; x <= 40; x += 2)
        points.push_back(point(2, x, 10 + 0.5 * x));
    PlotChart c = chartOf(kChartRaiseCurve, points);
    for (int k = 1; k <= 6; ++k)
        for (int l = 1; l <= 4; ++l)
            c.rows[k].Sjyun[l] = levels[l - 1];
    const std::vector<PlotCurve> curves = RegressionCurves(c.points, c.rows, curveMarks(), 10);
    QCOMPARE(int(curves.size()), int(factors.size()));
    for (int i = 0; i < factors.size(); ++i) {
        const PlotCurve &curve = curves[i];
        QCOMPARE(curve.colour, QColor(Qt::red));
        QCOMPARE(curve.width, 2);
        QCOMPARE(curve.points.front().x(), 20.0);
        QVERIFY2(std::abs(curve.points.front().y() - 20 * factors[i]) < 1e-4,
                 qPrintable(QString::number(curve.points.front().y())));
        QVERIFY(curve.points.back().x() < 40);
    }
}

void TstPlotStatistics::curveFigures_data() {
    QTest::addColumn<double>("c1");
    QTest::addColumn<double>("c2");
    QTest::addColumn<double>("xMax");
    QTest::addColumn<qint64>("average");
    QTest::addColumn<qint64>("pitch");
    // y = 10 + c1·x + c2·x² (10,000 yen) from x = 20.
    // Rising to the end: values at 20..29 (x + 1 < 30), pitch 5,000 to the last one.
    QTest::newRow("rising") << 0.5 << 0.0 << 30.0 << qint64(222500) << qint64(5000);
    // Rising to 40 and falling after: the pitch runs to the first value below its predecessor.
    // y = 10 + 1.6x − 0.02x²: 34 at 20, 42 at 40 (top), 41.98 at 41: (419,800 − 340,000) / 21.
    // The average is over 20..49: 1,196.9 / 30.
    QTest::newRow("turning down") << 1.6 << -0.02 << 50.0 << qint64(398967) << qint64(3800);
    // Two X units or less: the curve ends at xMin + 1.
    QTest::newRow("short") << 0.5 << 0.0 << 21.0 << qint64(202500) << qint64(5000);
}

void TstPlotStatistics::curveFigures() {
    QFETCH(double, c1);
    QFETCH(double, c2);
    QFETCH(double, xMax);
    QFETCH(qint64, average);
    QFETCH(qint64, pitch);
    Polynomial p;
    p.c = {10, c1, c2, 0};
    const CurveFigures f = CurveFiguresOf(p, 20, xMax);
    QCOMPARE(f.averageWage, average);
    QCOMPARE(f.pitch, pitch);
}

void TstPlotStatistics::raiseCurveFiguresPerGroup() {
    // Group 1 on y = 10 + 0.5x (20..30), group 2 on y = 30 + 0.1x (20..40); group 2 draws no
    // curve and keeps 0.
    std::vector<PlotPoint> points;
    for (int x = 20; x <= 30; ++x)
        points.push_back(point(1, x, 10 + 0.5 * x));
    for (int x = 20; x <= 40; ++x)
        points.push_back(point(2, x, 30 + 0.1 * x));
    PlotChart c = chartOf(kChartRaiseCurve, points);
    c.rows[2].Cgraph = 0;
    std::array<CurveFigures, 7> f = RaiseCurveFigures(kChartRaiseCurve, c.points, c.rows);
    QCOMPARE(f[1].pitch, qint64(5000));
    QCOMPARE(f[1].averageWage, qint64(222500));
    QCOMPARE(f[2].pitch, qint64(0));
    // The design chart fits every point for each group it shows.
    c.rows[2].Cgraph = 1;
    f = RaiseCurveFigures(kChartDesign, c.points, c.rows);
    QCOMPARE(f[1].pitch, f[2].pitch);
    QVERIFY(f[1].pitch != 5000);
}

void TstPlotStatistics::wagePlotTexts() {
    // Group 1: 10 points at ages 30..39, Y average 25.437; group 3: 5 points, Y average 25.4326.
    std::vector<PlotPoint> points;
    for (int i = 0; i < 10; ++i)
        points.push_back(point(1, 30 + i, i < 5 ? 25.43 : 25.444));
    for (int i = 0; i < 5; ++i)
        points.push_back(point(3, 40, i == 0 ? 25.4346 : 25.4321));
    const ResultTexts t = AnalysisResultTexts(chartOf(kChartWagePlot, points));
    QCOMPARE(t.titles[1], QStringLiteral("プロット数 :"));
    QCOMPARE(t.titles[3], QStringLiteral("Ｘ軸平均　 :"));
    QCOMPARE(t.titles[6], QStringLiteral("Ｙ軸平均　 :"));
    QVERIFY(t.titles[4].isEmpty() && t.titles[7].isEmpty());
    QCOMPARE(t.captions[1], QStringLiteral("●:10  ▲:5  全体:15"));
    QCOMPARE(t.captions[3], QStringLiteral("●:35  ▲:40  全体:36"));
    QCOMPARE(t.captions[6], QStringLiteral("●:254,370円  ▲:254,330円  全体:254,360円  "));
    QVERIFY(t.captions[7].isEmpty() && t.captions[2].isEmpty());
    // One group alone: no totals.
    points.resize(10);
    QCOMPARE(AnalysisResultTexts(chartOf(kChartWagePlot, points)).captions[1],
             QStringLiteral("●:10  "));
}

void TstPlotStatistics::wagePlotTextsOfSixGroups() {
    std::vector<PlotPoint> points;
    for (int k = 1; k <= 6; ++k)
        points.push_back(point(k, 20 + k, 20));
    const ResultTexts t = AnalysisResultTexts(chartOf(kChartWagePlot, points));
    QCOMPARE(t.captions[1], QStringLiteral("●:1  ■:1  ▲:1  ◆:1  ★:1  ○:1  "));
    QCOMPARE(t.captions[2], QStringLiteral("全体:6"));
    QCOMPARE(t.captions[4], QStringLiteral("全体:24")); // 23.5 rounds up
    QCOMPARE(t.captions[6], QStringLiteral("●:200,000円  ■:200,000円  ▲:200,000円  "));
    QCOMPARE(t.captions[7], QStringLiteral("◆:200,000円  ★:200,000円  ○:200,000円  "));
    QCOMPARE(t.captions[8], QStringLiteral("全体:200,000円  "));
}

void TstPlotStatistics::raiseCurveTexts() {
    // Group 1 rises by 5,000 yen a year from 20 to 30; group 5 by 1,000 from 20 to 40.
    std::vector<PlotPoint> points;
    for (int x = 20; x <= 30; ++x)
        points.push_back(point(1, x, 10 + 0.5 * x));
    for (int x = 20; x <= 40; ++x)
        points.push_back(point(5, x, 30 + 0.1 * x));
    const ResultTexts t = AnalysisResultTexts(chartOf(kChartRaiseCurve, points));
    QCOMPARE(t.titles[3], QStringLiteral("平均昇給　 :"));
    QCOMPARE(t.titles[4], QStringLiteral("ピッチ"));
    QCOMPARE(t.titles[6], QStringLiteral("昇給カーブ :"));
    QCOMPARE(t.titles[7], QStringLiteral("平均"));
    QCOMPARE(t.captions[1], QStringLiteral("●:11  ★:21  "));
    QCOMPARE(t.captions[3], QStringLiteral("●:5,000円  "));
    QCOMPARE(t.captions[4], QStringLiteral("★:1,000円  "));
    QCOMPARE(t.captions[6], QStringLiteral("●:222,500円  "));
    QCOMPARE(t.captions[7], QStringLiteral("★:329,500円  ")); // 20..39
    // Charts without statistics show nothing.
    const ResultTexts none = AnalysisResultTexts(chartOf(kChartLivingCost, points));
    for (int i = 1; i <= 8; ++i)
        QVERIFY(none.titles[i].isEmpty() && none.captions[i].isEmpty());
}

QTEST_APPLESS_MAIN(TstPlotStatistics)
#include "tst_plot_statistics.moc"
