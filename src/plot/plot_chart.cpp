#include "plot_chart.h"

#include "colour_text.h"
#include "utilities.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

// Fixed layout of the picture (pixels).
constexpr int kFrameLeft = 73;
constexpr int kPlotLeft = 153;
constexpr int kFrameRight = 9;
constexpr int kFrameBottom = 36;
constexpr int kGap = 30; // before an axis that does not start at 0
constexpr int kSpanEnd = 20;

int truncInt(double x) {
    return static_cast<int>(std::trunc(x));
}

int roundHalfUp(double x) {
    return static_cast<int>(RoundHalfUp(1, x));
}

Qt::PenStyle penStyle(int type) {
    switch (type) {
    case 0: return Qt::NoPen;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    default: return Qt::SolidLine;
    }
}

QPen linePen(const PlotLine &line) {
    QPen pen(ColourFromText(line.colour), std::max(1, line.width), penStyle(line.type));
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QPen curvePen(const QColor &colour, int type, int width) {
    QPen pen(colour, std::max(1, width), penStyle(type == 0 ? 1 : type));
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// Font sizes are given in points of a 96-dpi display and drawn as pixels, so the picture is
// the same on every device it is drawn to.
QFont fontOf(int points, bool bold = false) {
    QFont font;
    font.setPixelSize(std::max(1, points * 4 / 3));
    font.setBold(bold);
    return font;
}

// A text whose top-left corner is at (x, y).
void textAt(QPainter &p, int x, int y, const QString &text) {
    p.drawText(QRect(x, y, 2000, 400), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

const PlotMarkGroup &groupOf(const PlotChart &chart, int group) {
    return chart.groups[group >= 1 && group <= 6 ? group : 1];
}

// Half the side of the square a mark symbol of `size` points covers.
int markHalf(int size) {
    return std::max(4, (std::max(1, size) * 4 / 3 + 1) / 2);
}

void drawFrame(QPainter &p, const PlotGeometry &g, const PlotChart &c) {
    p.setPen(linePen(c.lines[1]));
    p.drawLine(g.left, g.top, g.left, g.bottom);
    p.drawLine(g.left, g.bottom, g.right, g.bottom);
}

void drawAxes(QPainter &p, const PlotGeometry &g, const PlotChart &c, const PlotTicks &t) {
    // Y ticks, grid and centre line.
    p.setPen(linePen(c.lines[2]));
    if (c.yMin != 0) p.drawLine(g.left - 5, g.bottom - kGap, g.left + 5, g.bottom - kGap);
    p.drawLine(g.left - 5, g.top + kSpanEnd, g.left + 5, g.top + kSpanEnd);
    for (int v : t.yTicks)
        p.drawLine(g.left - 5, g.py(v), g.left + 5, g.py(v));
    p.setPen(linePen(c.lines[3]));
    for (int v : t.yGrid)
        p.drawLine(g.left, g.py(v), g.right, g.py(v));
    p.setPen(linePen(c.lines[4]));
    p.drawLine(g.left, g.py(c.yAverage), g.right, g.py(c.yAverage));
    // X ticks, grid and centre line.
    p.setPen(linePen(c.lines[2]));
    p.drawLine(g.right - kSpanEnd, g.bottom - 5, g.right - kSpanEnd, g.bottom + 5);
    if (c.xMin != 0) p.drawLine(g.left + kGap, g.bottom - 5, g.left + kGap, g.bottom + 5);
    for (int v : t.xTicks)
        p.drawLine(g.px(v), g.bottom - 5, g.px(v), g.bottom + 5);
    p.setPen(linePen(c.lines[3]));
    for (int v : t.xGrid)
        p.drawLine(g.px(v), g.top, g.px(v), g.bottom);
    p.setPen(linePen(c.lines[4]));
    p.drawLine(g.px(c.xAverage), g.top, g.px(c.xAverage), g.bottom);

    // Numbers in the tick colour.
    p.setFont(fontOf(12));
    p.setPen(ColourFromText(c.lines[2].colour));
    if (c.xMin == 0 || c.yMin == 0) textAt(p, g.left - 10, g.bottom + 5, QStringLiteral("0"));
    if (c.yMin != 0) textAt(p, g.left - 40, g.bottom - 37, QString::number(c.yMin));
    textAt(p, g.left - 40, g.top + 13, QString::number(c.yMax));
    for (int v : t.yTicks)
        textAt(p, g.left - 40, g.py(v) - 7, QString::number(v));
    if (c.xMin != 0) textAt(p, g.left + 25, g.bottom + 5, QString::number(c.xMin));
    textAt(p, g.right - 25, g.bottom + 5, QString::number(c.xMax));
    for (int v : t.xTicks)
        textAt(p, g.px(v) - 5, g.bottom + 5, QString::number(v));

    // Units and titles.
    p.setFont(fontOf(11));
    p.setPen(Qt::black);
    textAt(p, g.right - 10, g.bottom + 20, XUnit(c.fx));
    textAt(p, g.left - 10, g.top - 20, QStringLiteral("万円"));
    textAt(p, g.left + 40, g.bottom + 20, XAxisTitle(c.fx));
    const QString yTitle = c.yItemName.left(3);
    const int rows[] = {80, 57, 34};
    for (int i = 0; i < yTitle.size(); ++i)
        textAt(p, g.left - 70, g.bottom - rows[i], yTitle.mid(i, 1));
}

void drawLegend(QPainter &p, const PlotGeometry &g, const PlotChart &c) {
    p.setFont(fontOf(11));
    p.setPen(Qt::black);
    textAt(p, g.right + 20, g.top - 20, QStringLiteral("凡例"));
    int shown = 0;
    for (int k = 1; k <= 6; ++k) {
        if (!c.groupInLegend[k]) continue;
        const PlotMarkGroup &group = c.groups[k];
        p.setPen(ColourFromText(group.colour));
        ++shown;
        textAt(p, g.right + 20, g.top + 15 * shown - 10,
               group.mark + QStringLiteral("  ") + group.legend);
    }
}

void drawPoints(QPainter &p, const PlotGeometry &g, const PlotChart &c) {
    if (!c.showsPoints()) return;
    p.setFont(fontOf(11));
    for (const PlotPoint &pt : c.points) {
        const PlotMarkGroup &group = groupOf(c, pt.group);
        if (group.colour.isEmpty() || pt.label.isEmpty()) continue;
        p.setPen(ColourFromText(group.colour));
        textAt(p, g.px(pt.x) - 5, g.py(pt.y) - 23, pt.label);
    }
    // The marks: each group's symbol centred on its points.
    for (int k = 1; k <= 6; ++k) {
        const PlotMarkGroup &group = c.groups[k];
        if (group.colour.isEmpty()) continue;
        p.setFont(fontOf(std::max(1, group.size)));
        p.setPen(ColourFromText(group.colour));
        const int half = markHalf(group.size) + 2;
        for (const PlotPoint &pt : c.points) {
            if ((pt.group >= 1 && pt.group <= 6 ? pt.group : 1) != k) continue;
            const QPoint at = g.map(pt.x, pt.y);
            p.drawText(QRect(at.x() - half, at.y() - half, 2 * half, 2 * half),
                       Qt::AlignCenter | Qt::TextDontClip, group.mark);
        }
    }
}

void drawCurves(QPainter &p, const PlotGeometry &g, const PlotChart &c) {
    for (const PlotCurve &curve : c.curves) {
        p.setPen(curvePen(curve.colour, curve.type, curve.width));
        for (size_t i = 1; i < curve.points.size(); ++i)
            p.drawLine(g.map(curve.points[i - 1].x(), curve.points[i - 1].y()),
                       g.map(curve.points[i].x(), curve.points[i].y()));
    }
}

void drawCurveLegends(QPainter &p, const PlotGeometry &g, const PlotChart &c) {
    p.setFont(fontOf(11));
    for (const PlotCurve &curve : c.curves) {
        if (curve.legendOffset == 0) continue;
        const int y = g.top + curve.legendOffset;
        p.setPen(curvePen(curve.colour, curve.type, curve.legendWidth));
        p.drawLine(g.right + 20, y, g.right + 20 + curve.legendLength, y);
        if (curve.legend.isEmpty()) continue;
        p.setPen(curve.colour);
        textAt(p, g.right + 60, y - 5, curve.legend);
    }
}

void drawDesigns(QPainter &p, const PlotGeometry &g, const PlotChart &c) {
    p.setFont(fontOf(11));
    int drawn = 0;
    for (const PlotDesign &d : c.designs) {
        if (d.points.size() < 2) continue;
        const QColor colour = ColourFromText(d.colour.isEmpty() ? QStringLiteral("clBlack") : d.colour);
        p.setPen(colour);
        for (const QPointF &pt : d.points) {
            const QPoint at = g.map(pt.x(), pt.y());
            p.drawText(QRect(at.x() - 10, at.y() - 10, 20, 20), Qt::AlignCenter | Qt::TextDontClip,
                       QStringLiteral("＋"));
        }
        const QPoint last = g.map(d.points.back().x(), d.points.back().y());
        textAt(p, last.x() + 5, last.y() - 10, QStringLiteral("(%1)").arg(d.number));
        p.setPen(curvePen(colour, d.type, d.width == 0 ? 1 : d.width));
        for (size_t i = 1; i < d.points.size(); ++i)
            p.drawLine(g.map(d.points[i - 1].x(), d.points[i - 1].y()),
                       g.map(d.points[i].x(), d.points[i].y()));
        ++drawn;
        // The legend line lies right of the plot, outside the curves' clip.
        p.save();
        p.setClipping(false);
        p.setPen(colour);
        textAt(p, g.right + 20, g.top + 95 + 15 * drawn,
               QStringLiteral("(%1) ").arg(d.number) + d.legend);
        p.restore();
    }
    // The points being captured with the mouse.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    for (size_t i = 0; i < c.captured.size(); ++i) {
        const QPoint at = g.map(c.captured[i].x(), c.captured[i].y());
        p.drawEllipse(at, 5, 5);
        if (i > 0) p.drawLine(g.map(c.captured[i - 1].x(), c.captured[i - 1].y()), at);
    }
}

// A table without figures for an item (a rate or amount stored as 0 throughout) has no curve
// for it: a line along 0 would read as a real value.
void dropWhenAllZero(std::vector<QPointF> &points) {
    if (std::all_of(points.begin(), points.end(), [](const QPointF &p) { return p.y() == 0; }))
        points.clear();
}

} // namespace

QString ChartCaption(int chart) {
    switch (chart) {
    case kChartWagePlot: return QStringLiteral("賃金プロット");
    case kChartRaiseCurve: return QStringLiteral("昇給カーブの分析");
    case kChartLivingCost: return QStringLiteral("生計費との比較");
    case kChartModelWage: return QStringLiteral("モデル賃金との比較");
    case kChartDesign: return QStringLiteral("昇給カーブの設計");
    default: return {};
    }
}

namespace {
template <size_t N> QString itemText(const char *const (&texts)[N], int item) {
    return item >= 0 && item < int(N) ? QString::fromUtf8(texts[item]) : QString();
}
} // namespace

QString XItemName(int fx) {
    static const char *const texts[] = {"年　　齢", "勤　　続", "経　　験",
                                        "号　　俸", "達 成 率", "職務評価"};
    return itemText(texts, fx);
}

QString XUnit(int fx) {
    static const char *const texts[] = {"歳", "年", "年", "号", "％", "点"};
    return itemText(texts, fx);
}

QString XAxisTitle(int fx) {
    static const char *const texts[] = {"年　齢", "勤　続", "経　験", "号　俸", "達成率", "職務評価"};
    return itemText(texts, fx);
}

QString YItemName(int fy) {
    static const char *const texts[] = {"項　目　Ⅰ", "項　目　Ⅱ", "基　本　給",
                                        "所　定　給", "年　賞　与", "年　収　入"};
    return itemText(texts, fy);
}

std::array<QString, 6> DefaultYItemNames() {
    return {QStringLiteral("項目Ⅰ"), QStringLiteral("項目Ⅱ"), QStringLiteral("基本給"),
            QStringLiteral("所定給"), QStringLiteral("年賞与"), QStringLiteral("年収入")};
}

QString MarkLabelKindName(int markr) {
    static const char *const texts[] = {"シーケンス Ｎｏ", "人事評価 記号", "ゾーン", "表示しない"};
    return itemText(texts, markr);
}

AxisScale AxisScaleFor(int chart, int fx, int fy) {
    AxisScale s;
    switch (fx) {
    case 1:
    case 2: s.xTick = 5, s.xGrid = 10, s.xLow = 0, s.xHigh = 50; break;
    case 3: s.xTick = 10, s.xGrid = 10, s.xLow = -10, s.xHigh = 80; break;
    case 4: s.xTick = 20, s.xGrid = 20, s.xLow = 20, s.xHigh = 120; break;
    case 5: s.xTick = 20, s.xGrid = 20, s.xLow = 10, s.xHigh = 500; break;
    default: s.xTick = 5, s.xGrid = 10, s.xLow = 15, s.xHigh = 75; break;
    }
    switch (fy) {
    case 1: s.yTick = 5, s.yLow = 0, s.yHigh = 90; break;
    case 2: s.yTick = chart == kChartModelWage ? 10 : 5, s.yLow = 0, s.yHigh = 100; break;
    case 3:
    case 4: s.yTick = 5, s.yLow = 10, s.yHigh = 200; break;
    case 5: s.yTick = 50, s.yLow = 100, s.yHigh = 2000; break;
    default: s.yTick = 5, s.yLow = 0, s.yHigh = 70; break;
    }
    return s;
}

int PlotGeometry::px(double x) const {
    if (xRange == 0) return 0;
    return roundHalfUp((x - xMin) / xRange * xSpan + originX);
}

int PlotGeometry::py(double y) const {
    if (yRange == 0) return 0;
    return roundHalfUp(originY - (y - yMin) / yRange * ySpan);
}

QPointF PlotGeometry::value(QPoint pixel) const {
    const double x = xSpan == 0 ? 0.0 : double(pixel.x() - originX) / xSpan * xRange + xMin;
    const double y = ySpan == 0 ? 0.0 : double(originY - pixel.y()) / ySpan * yRange + yMin;
    return {x, y};
}

PlotGeometry PlotGeometryFor(QSize size, const PlotChart &c) {
    PlotGeometry g;
    g.width = size.width();
    g.height = size.height();
    g.left = kPlotLeft;
    g.right = truncInt((g.width - kFrameRight) * 0.87);
    g.top = truncInt((g.height - kFrameBottom) * 0.05);
    g.bottom = truncInt((g.height - kFrameBottom) * 0.95);
    g.xMin = c.xMin;
    g.yMin = c.yMin;
    g.xRange = c.xMax - c.xMin;
    g.yRange = c.yMax - c.yMin;
    g.originX = c.xMin != 0 ? g.left + kGap : g.left;
    g.originY = c.yMin != 0 ? g.bottom - kGap : g.bottom;
    g.xSpan = g.right - kSpanEnd - g.left - (c.xMin != 0 ? kGap : 0);
    g.ySpan = g.bottom - g.top - kSpanEnd - (c.yMin != 0 ? kGap : 0);
    return g;
}

PlotTicks PlotTicksFor(const PlotChart &c) {
    PlotTicks t;
    const AxisScale s = AxisScaleFor(c.chart, c.fx, c.fy);
    const int yRange = c.yMax - c.yMin;
    const int xRange = c.xMax - c.xMin;
    const int n = s.yTick > 0 ? yRange / s.yTick : 0;
    for (int f = 1; f <= n - 1; ++f)
        t.yTicks.push_back(c.yMin + f * s.yTick);
    for (int i = 1; i <= n; ++i)
        t.yGrid.push_back(c.yMin + i * s.yTick);
    const int m = s.xTick > 0 ? xRange / s.xTick : 0;
    for (int k = 1; k <= m - 1; ++k)
        t.xTicks.push_back(c.xMin + k * s.xTick);
    for (int a = 0; a <= m; ++a) {
        const int v = c.xMin + a * s.xTick;
        if (s.xGrid > 0 && v % s.xGrid == 0) t.xGrid.push_back(v);
    }
    return t;
}

void RenderPlot(QPainter &painter, QSize size, const PlotChart &chart) {
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const PlotGeometry g = PlotGeometryFor(size, chart);
    const PlotTicks ticks = PlotTicksFor(chart);
    drawFrame(painter, g, chart);
    drawAxes(painter, g, chart, ticks);
    drawLegend(painter, g, chart);
    // Points outside the axis ranges stay within the drawing area, curves within the plot.
    painter.setClipRect(QRect(QPoint(kFrameLeft, 0), QPoint(size.width() - kFrameRight,
                                                            size.height() - kFrameBottom)));
    drawPoints(painter, g, chart);
    // Curves need a scale on both axes.
    if (g.xRange != 0 && g.yRange != 0) {
        painter.setClipRect(QRect(QPoint(g.left, g.top), QPoint(g.right, g.bottom)));
        drawCurves(painter, g, chart);
        drawDesigns(painter, g, chart);
    }
    painter.setClipping(false);
    drawCurveLegends(painter, g, chart);
    painter.restore();
}

std::optional<int> PointAt(const PlotChart &chart, QSize size, QPoint pixel) {
    if (!chart.showsPoints()) return std::nullopt;
    const PlotGeometry g = PlotGeometryFor(size, chart);
    // Marks are drawn group by group, so the topmost mark is the last one of the highest group
    // under the pixel.
    std::optional<int> found;
    int foundGroup = 0;
    for (int i = 0; i < static_cast<int>(chart.points.size()); ++i) {
        const PlotPoint &pt = chart.points[i];
        const int group = pt.group >= 1 && pt.group <= 6 ? pt.group : 1;
        const PlotMarkGroup &settings = chart.groups[group];
        if (settings.colour.isEmpty()) continue;
        const QPoint at = g.map(pt.x, pt.y);
        const int half = markHalf(settings.size);
        if (std::abs(pixel.x() - at.x()) > half || std::abs(pixel.y() - at.y()) > half) continue;
        if (group >= foundGroup) {
            found = i;
            foundGroup = group;
        }
    }
    return found;
}

std::vector<PlotCurve> LivingCostCurves(const std::vector<TLivingCurveRow> &rows, double largestX) {
    struct Kind {
        QColor colour;
        int type;
        int width;
        const char *legend;
        double (*rate)(const TLivingCurveRow &);
    };
    static const Kind kinds[] = {
        {QColor(128, 64, 64), 1, 2, "標準生計費", [](const TLivingCurveRow &) { return 1.0; }},
        {Qt::black, 3, 1, "愉楽率", [](const TLivingCurveRow &r) { return r.Yuritsu; }},
        {Qt::red, 2, 1, "最低率", [](const TLivingCurveRow &r) { return r.Stritsu; }},
        {Qt::blue, 1, 1, "単身率", [](const TLivingCurveRow &r) { return r.Tnritsu; }},
    };
    // At most six rows are read; the curve runs through the first row and every later row
    // with an age.
    std::vector<const TLivingCurveRow *> used;
    for (size_t i = 0; i < rows.size() && i < 6; ++i)
        if (i == 0 || rows[i].Snenrei != 0) used.push_back(&rows[i]);
    int largestAge = 0;
    for (size_t i = 0; i < rows.size() && i < 6; ++i)
        largestAge = std::max(largestAge, rows[i].Snenrei);

    std::vector<PlotCurve> curves;
    int offset = 110;
    for (const Kind &k : kinds) {
        PlotCurve c;
        c.colour = k.colour;
        c.type = k.type;
        c.width = k.width;
        c.legend = QString::fromUtf8(k.legend);
        c.legendOffset = offset;
        c.legendLength = 30;
        c.legendWidth = k.width;
        offset += 15;
        for (const TLivingCurveRow *r : used)
            c.points.emplace_back(r->Snenrei, roundHalfUp(r->Seikeihi * k.rate(*r) * r->Kkritsu / 10));
        dropWhenAllZero(c.points);
        if (!c.points.empty() && largestAge < largestX)
            c.points.emplace_back(largestX, c.points.back().y());
        curves.push_back(std::move(c));
    }
    return curves;
}

std::vector<PlotCurve> ModelWageCurves(const std::array<std::vector<TModelWageRow>, 4> &rowsByType,
                                       int fx, int fy) {
    std::vector<PlotCurve> curves;
    for (int s = 1; s <= 3; ++s) {
        PlotCurve c;
        c.colour = Qt::blue;
        c.type = s == 1 ? 1 : s == 2 ? 2 : 3;
        c.width = s == 1 ? 2 : 1;
        c.legendOffset = 110 + 15 * (s - 1);
        c.legendLength = 40;
        c.legendWidth = 1;
        for (const TModelWageRow &r : rowsByType[s]) {
            const int x = fx == 0 ? r.Nenrei : fx == 1 ? r.Knensu : fx == 2 ? r.Kknensu : 0;
            const double amount = fy == 2   ? r.Kkin
                                  : fy == 3 ? r.Skin
                                  : fy == 4 ? r.Syouyo
                                  : fy == 5 ? r.Nensyu
                                            : 0.0;
            c.points.emplace_back(x, roundHalfUp(amount / 10));
        }
        dropWhenAllZero(c.points);
        curves.push_back(std::move(c));
    }
    return curves;
}

PlotDesign DesignOf(const TDSPDRAW &row) {
    PlotDesign d;
    d.number = row.Sdco;
    for (int i = 1; i <= 6; ++i)
        if (row.Snenrei[i] != 0)
            d.points.emplace_back(row.Snenrei[i], RoundHalfUp(3, row.Skin[i] / 10000.0));
    d.colour = row.Scolor;
    d.type = row.Ssyurui;
    d.width = row.Shaba;
    d.legend = row.Hanrei;
    return d;
}
