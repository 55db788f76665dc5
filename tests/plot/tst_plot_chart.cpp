// The chart picture: geometry and mapping, ticks and grid, the drawn marks, centre lines and
// curves checked on rendered pixels, the hit test, and the curves built from stored rows.

#include "plot_chart.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

const QSize kSize(1000, 736); // plot area L 153, R 862, T 35, B 665

// An age / basic wage chart 20..60 by 10..50 with distinct line colours and one red group.
PlotChart ageChart() {
    PlotChart c;
    c.chart = kChartWagePlot;
    c.fx = 0;
    c.fy = 2;
    c.yItemName = QStringLiteral("基本給");
    c.xMin = 20;
    c.xMax = 60;
    c.yMin = 10;
    c.yMax = 50;
    c.xAverage = 40;
    c.yAverage = 30;
    c.lines[1] = {QStringLiteral("clBlack"), 1, 1};
    c.lines[2] = {QStringLiteral("clGray"), 1, 1};
    c.lines[3] = {QStringLiteral("clSilver"), 2, 1};
    c.lines[4] = {QStringLiteral("clLime"), 1, 1};
    for (int k = 1; k <= 6; ++k)
        c.groups[k] = {QStringLiteral("●"), QStringLiteral("clBlue"), 9, QStringLiteral("g")};
    c.groups[2] = {QStringLiteral("■"), QStringLiteral("clRed"), 12, QStringLiteral("管理職")};
    c.groupInLegend[2] = true;
    return c;
}

QImage render(const PlotChart &c, QSize size = kSize) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    RenderPlot(p, size, c);
    return image;
}

// Whether a pixel of `colour` lies within `radius` of `at`.
bool colourNear(const QImage &image, QPoint at, QColor colour, int radius = 2) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint q = at + QPoint(dx, dy);
            if (image.rect().contains(q) && image.pixelColor(q) == colour) return true;
        }
    return false;
}

// Whether any pixel in the rectangle is not white.
bool inked(const QImage &image, QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.rect().contains(x, y) && image.pixel(x, y) != qRgb(255, 255, 255)) return true;
    return false;
}

} // namespace

class TstPlotChart : public QObject {
    Q_OBJECT
private slots:
    void geometryAndMapping();
    void zeroMinimaStartAtTheCorner();
    void zeroRangeMapsToPixelZero();
    void ticksAndGrid_data();
    void ticksAndGrid();
    void scalesByItem();
    void marksAndCentreLinesAreDrawnWhereTheyMap();
    void groupWithoutColourDrawsNothing();
    void designChartWithoutPointsDrawsOnlyDesigns();
    void livingCostCurves();
    void modelWageCurves();
    void designPoints();
};

void TstPlotChart::geometryAndMapping() {
    const PlotChart c = ageChart();
    const PlotGeometry g = PlotGeometryFor(kSize, c);
    QCOMPARE(g.left, 153);
    QCOMPARE(g.right, 862); // trunc(991 × 0.87)
    QCOMPARE(g.top, 35);    // trunc(700 × 0.05)
    QCOMPARE(g.bottom, 665);
    // Non-zero minima leave a 30-pixel gap before each axis.
    QCOMPARE(g.originX, 183);
    QCOMPARE(g.originY, 635);
    QCOMPARE(g.xSpan, 659);
    QCOMPARE(g.ySpan, 580);
    QCOMPARE(g.map(20, 10), QPoint(183, 635));
    QCOMPARE(g.map(60, 50), QPoint(g.right - 20, g.top + 20));
    QCOMPARE(g.px(40), 513);   // 20 / 40 × 659 + 183 = 512.5, half away from zero
    QCOMPARE(g.py(30), 345);   // 635 − 20 / 40 × 580
    QCOMPARE(g.value(QPoint(513, 345)).toPoint(), QPoint(40, 30));
}

void TstPlotChart::zeroMinimaStartAtTheCorner() {
    PlotChart c = ageChart();
    c.xMin = 0;
    c.yMin = 0;
    const PlotGeometry g = PlotGeometryFor(kSize, c);
    QCOMPARE(QPoint(g.originX, g.originY), QPoint(g.left, g.bottom));
    QCOMPARE(g.xSpan, 862 - 20 - 153);
    QCOMPARE(g.ySpan, 665 - 35 - 20);
    // A single "0" under the corner, no minimum numbers beside the axes.
    const QImage image = render(c);
    QVERIFY(inked(image, QRect(g.left - 10, g.bottom + 5, 10, 14)));
    QVERIFY(!inked(image, QRect(g.left - 40, g.bottom - 37, 25, 12)));
    QVERIFY(!inked(image, QRect(g.left + 25, g.bottom + 5, 20, 14)));
}

void TstPlotChart::zeroRangeMapsToPixelZero() {
    PlotChart c = ageChart();
    c.xMax = c.xMin;
    PlotCurve curve;
    curve.points = {{20, 10}, {60, 50}};
    curve.colour = Qt::magenta;
    curve.width = 3;
    c.curves.push_back(curve);
    const PlotGeometry g = PlotGeometryFor(kSize, c);
    QCOMPARE(g.px(35), 0);
    QVERIFY(g.py(30) != 0);
    QVERIFY(PlotTicksFor(c).xTicks.empty());
    // The picture is drawn without the curves, which need both scales.
    const QImage image = render(c);
    QVERIFY(!colourNear(image, QPoint(500, 345), Qt::magenta, 200));
}

void TstPlotChart::ticksAndGrid_data() {
    QTest::addColumn<int>("fx");
    QTest::addColumn<int>("fy");
    QTest::addColumn<QList<int>>("range"); // xMin, xMax, yMin, yMax
    QTest::addColumn<QList<int>>("xTicks");
    QTest::addColumn<QList<int>>("xGrid");
    QTest::addColumn<int>("yStep");
    QTest::addColumn<int>("yTickCount");
    QTest::newRow("age 20..60") << 0 << 2 << QList<int>{20, 60, 10, 50}
                                << QList<int>{25, 30, 35, 40, 45, 50, 55}
                                << QList<int>{20, 30, 40, 50, 60} << 5 << 7;
    QTest::newRow("annual income 100..2000")
        << 0 << 5 << QList<int>{20, 60, 100, 2000} << QList<int>{25, 30, 35, 40, 45, 50, 55}
        << QList<int>{20, 30, 40, 50, 60} << 50 << 37;
    QTest::newRow("pay step -10..80")
        << 3 << 0 << QList<int>{-10, 80, 0, 70} << QList<int>{0, 10, 20, 30, 40, 50, 60, 70}
        << QList<int>{-10, 0, 10, 20, 30, 40, 50, 60, 70, 80} << 5 << 13;
    QTest::newRow("job points 10..500 grid on multiples of 20")
        << 5 << 3 << QList<int>{10, 90, 10, 200} << QList<int>{30, 50, 70}
        << QList<int>{} << 5 << 37;
}

void TstPlotChart::ticksAndGrid() {
    QFETCH(int, fx);
    QFETCH(int, fy);
    QFETCH(QList<int>, range);
    QFETCH(int, yStep);
    PlotChart c = ageChart();
    c.fx = fx;
    c.fy = fy;
    c.xMin = range[0];
    c.xMax = range[1];
    c.yMin = range[2];
    c.yMax = range[3];
    const PlotTicks t = PlotTicksFor(c);
    QTEST(QList<int>(t.xTicks.begin(), t.xTicks.end()), "xTicks");
    QTEST(QList<int>(t.xGrid.begin(), t.xGrid.end()), "xGrid");
    QTEST(int(t.yTicks.size()), "yTickCount");
    QCOMPARE(t.yTicks.front(), c.yMin + yStep);
    QCOMPARE(t.yGrid.back(), c.yMin + int(t.yGrid.size()) * yStep);
    // Each grid line is drawn in the grid colour where it maps.
    const QImage image = render(c);
    const PlotGeometry g = PlotGeometryFor(kSize, c);
    for (int v : t.xGrid)
        QVERIFY2(colourNear(image, QPoint(g.px(v), (g.top + g.bottom) / 2 + 1), QColor(192, 192, 192), 1) ||
                     v == c.xAverage,
                 qPrintable(QString::number(v)));
}

void TstPlotChart::scalesByItem() {
    QCOMPARE(AxisScaleFor(kChartWagePlot, 0, 2).yTick, 5);
    QCOMPARE(AxisScaleFor(kChartModelWage, 0, 2).yTick, 10);
    const AxisScale income = AxisScaleFor(kChartWagePlot, 4, 5);
    QCOMPARE(income.xTick, 20);
    QCOMPARE(income.yTick, 50);
    QCOMPARE(QList<int>({income.xLow, income.xHigh, income.yLow, income.yHigh}),
             QList<int>({20, 120, 100, 2000}));
    QCOMPARE(XUnit(4), QStringLiteral("％"));
    QCOMPARE(XAxisTitle(5), QStringLiteral("職務評価"));
    QCOMPARE(DefaultYItemNames()[5], QStringLiteral("年収入"));
}

void TstPlotChart::marksAndCentreLinesAreDrawnWhereTheyMap() {
    PlotChart c = ageChart();
    c.points = {{101, QStringLiteral("101"), 2, 30, 20}, {102, QStringLiteral("102"), 2, 50, 40}};
    const QImage image = render(c);
    const PlotGeometry g = PlotGeometryFor(kSize, c);
    for (const PlotPoint &p : c.points)
        QVERIFY(colourNear(image, g.map(p.x, p.y), Qt::red));
    // The centre lines where the averages map, in the centre line colour.
    QCOMPARE(image.pixelColor(g.left + 12, g.py(c.yAverage)), QColor(Qt::green));
    QCOMPARE(image.pixelColor(g.px(c.xAverage), g.top + 12), QColor(Qt::green));
    // The axes in the axis colour.
    QCOMPARE(image.pixelColor(g.left, (g.top + g.bottom) / 2 + 3), QColor(Qt::black));
    // Hit test: the mark under a pixel, nothing away from the marks.
    QCOMPARE(PointAt(c, kSize, g.map(50, 40) + QPoint(3, -2)), std::optional<int>(1));
    QCOMPARE(PointAt(c, kSize, g.map(40, 30)), std::nullopt);
}

void TstPlotChart::groupWithoutColourDrawsNothing() {
    PlotChart c = ageChart();
    c.groups[3].colour.clear();
    c.points = {{7, QStringLiteral("7"), 3, 33, 22}}; // away from the grid lines
    const QImage image = render(c);
    const PlotGeometry g = PlotGeometryFor(kSize, c);
    const QPoint at = g.map(33, 22);
    QVERIFY(!inked(image, QRect(at.x() - 6, at.y() - 26, 30, 20))); // no point text
    QVERIFY(!colourNear(image, at, Qt::blue, 4));
    QCOMPARE(PointAt(c, kSize, at), std::nullopt);
}

void TstPlotChart::designChartWithoutPointsDrawsOnlyDesigns() {
    PlotChart c = ageChart();
    c.chart = kChartDesign;
    c.cgraph = 0;
    c.points = {{1, QStringLiteral("1"), 2, 30, 20}};
    PlotDesign d;
    d.number = 1;
    d.points = {{25, 15}, {55, 45}};
    d.colour = QStringLiteral("clFuchsia");
    d.width = 3;
    c.designs.push_back(d);
    const QImage image = render(c);
    const PlotGeometry g = PlotGeometryFor(kSize, c);
    QVERIFY(!colourNear(image, g.map(30, 20), Qt::red, 4));
    QVERIFY(colourNear(image, g.map(40, 30), Qt::magenta, 1));
    QCOMPARE(PointAt(c, kSize, g.map(30, 20)), std::nullopt);
    c.cgraph = 1;
    QVERIFY(colourNear(render(c), g.map(30, 20), Qt::red));
}

void TstPlotChart::livingCostCurves() {
    // Living cost 200 (thousand yen) at 22, 250 at 30 and a row without age; multiplier 1.
    const std::vector<TLivingCurveRow> rows = {{22, 200, 1.25, 0.8, 1, 1},
                                              {30, 250, 1.25, 0.8, 0.7, 1},
                                              {0, 999, 1, 1, 1, 1}};
    const std::vector<PlotCurve> curves = LivingCostCurves(rows, 58);
    QCOMPARE(curves.size(), size_t(4));
    // Standard in 10,000 yen; continued flat to the largest age of the points.
    QCOMPARE(curves[0].points, (std::vector<QPointF>{{22, 20}, {30, 25}, {58, 25}}));
    QCOMPARE(curves[0].legend, QStringLiteral("標準生計費"));
    QCOMPARE(curves[0].colour, QColor(128, 64, 64));
    QCOMPARE(curves[1].points[0], QPointF(22, 25)); // comfort 200 × 1.25 / 10
    QCOMPARE(curves[2].points[1], QPointF(30, 20)); // minimum 250 × 0.8 / 10
    QCOMPARE(curves[3].points[1], QPointF(30, 18)); // single 17.5 rounds half up
    QCOMPARE(curves[3].legendOffset, 155);
    // No continuation when the table reaches the points' largest age.
    QCOMPARE(LivingCostCurves(rows, 30)[0].points.size(), size_t(2));
    // A rate without figures (0 throughout) draws no curve, only its legend.
    std::vector<TLivingCurveRow> noMinimum = rows;
    for (TLivingCurveRow &r : noMinimum)
        r.Stritsu = 0;
    const std::vector<PlotCurve> withoutMinimum = LivingCostCurves(noMinimum, 58);
    QVERIFY(withoutMinimum[2].points.empty());
    QCOMPARE(withoutMinimum[2].legend, QStringLiteral("最低率"));
}

void TstPlotChart::modelWageCurves() {
    std::array<std::vector<TModelWageRow>, 4> rows;
    rows[1] = {{22, 0, 1, 2005, 2300, 5000, 32600}, {40, 18, 19, 3504, 4100, 12000, 61200}};
    rows[2] = {{22, 0, 0, 1900, 0, 0, 0}};
    const std::vector<PlotCurve> curves = ModelWageCurves(rows, 0, 2);
    QCOMPARE(curves.size(), size_t(3));
    QCOMPARE(curves[0].points, (std::vector<QPointF>{{22, 201}, {40, 350}}));
    QCOMPARE(curves[0].width, 2);
    QCOMPARE(curves[1].type, 2);
    QCOMPARE(curves[2].points.size(), size_t(0));
    QCOMPARE(ModelWageCurves(rows, 1, 5)[0].points[1], QPointF(18, 6120));
    // A model without scheduled pay figures has no curve for it.
    QVERIFY(ModelWageCurves(rows, 0, 3)[1].points.empty());
}

void TstPlotChart::designPoints() {
    TDSPDRAW row;
    row.Sdco = 2;
    row.Snenrei = {0, 22, 30, 0, 45, 0, 0};
    row.Skin = {0, 200000, 251234, 999999, 401250, 0, 0};
    row.Scolor = QStringLiteral("clRed");
    row.Hanrei = QStringLiteral("総合職");
    const PlotDesign d = DesignOf(row);
    QCOMPARE(d.points, (std::vector<QPointF>{{22, 20}, {30, 25.12}, {45, 40.13}}));
    QCOMPARE(d.legend, QStringLiteral("総合職"));
}

QTEST_MAIN(TstPlotChart)
#include "tst_plot_chart.moc"
