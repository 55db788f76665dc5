#pragma once
// A chart as the plot window draws it: everything read from the database when the chart is
// executed (settings, points, line settings, legend, curves), the geometry that maps data to
// pixels, and one render function that draws the whole picture into any painter. Painting
// never reads the database: the window, the clipboard, printing and image export all draw the
// same kept chart.

#include "records.h"

#include <QColor>
#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>
#include <array>
#include <optional>
#include <vector>

class QPainter;

// The chart codes and their captions.
inline constexpr int kChartWagePlot = 1010;
inline constexpr int kChartRaiseCurve = 1020;
inline constexpr int kChartLivingCost = 1030;
inline constexpr int kChartModelWage = 1040;
inline constexpr int kChartDesign = 1050;
QString ChartCaption(int chart);

// The X items (0..5) and Y items (0..5): their names in the dialogs, the unit on the axis and
// the axis title.
QString XItemName(int fx);
QString XUnit(int fx);
QString XAxisTitle(int fx);
QString YItemName(int fy);
// The short Y item names the dialogs hand over ("項目Ⅰ" .. "年収入").
std::array<QString, 6> DefaultYItemNames();
// The mark label kinds (0..3): what the text above each point says.
QString MarkLabelKindName(int markr);

// Tick and grid steps of an item and the limits of its axis range boxes.
struct AxisScale {
    int xTick = 5;
    int xGrid = 10;
    int xLow = 15; // limits of the X range boxes
    int xHigh = 75;
    int yTick = 5;
    int yLow = 0; // limits of the Y range boxes
    int yHigh = 70;
};
AxisScale AxisScaleFor(int chart, int fx, int fy);

// One drawn line setting (axis, ticks, grid, centre lines): colour text, line type 0 none,
// 1 solid, 2 dotted, 3 dash-dot, and width.
struct PlotLine {
    QString colour;
    int type = 1;
    int width = 1;
};

// A plot mark group (1..6): its symbol, colour text (empty: not drawn), size and legend text.
struct PlotMarkGroup {
    QString mark;
    QString colour;
    int size = 9;
    QString legend;
};

// A polyline in data coordinates with its pen and its legend: a sample line right of the plot
// at T + legendOffset (none when 0), and the legend text beside it (none when empty).
struct PlotCurve {
    std::vector<QPointF> points;
    QColor colour = Qt::black;
    int type = 1;
    int width = 1;
    QString legend;
    int legendOffset = 0;
    int legendLength = 30;
    int legendWidth = 1;
};

// A designed curve of chart 1050.
struct PlotDesign {
    int number = 0;
    std::vector<QPointF> points; // X value, Y in 10,000 yen
    QString colour;
    int type = 1;
    int width = 1;
    QString legend;
};

// One point of the chart and where its mark went.
struct PlotPoint {
    qint64 sco = 0;
    QString label; // the text above the mark
    int group = 1; // 1..6
    double x = 0.0;
    double y = 0.0;
};

// Everything the picture is drawn from.
struct PlotChart {
    int chart = 0;
    int fx = 0;
    int fy = 0;
    int markr = 0;
    int cgraph = 0;
    QString title;
    QString commentary;
    QString yItemName; // the Y axis title's source ("基本給" ...)
    int xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    int xAverage = 0;
    double yAverage = 0.0;
    std::array<PlotLine, 5> lines;            // [1..4] axis, ticks, grid, centre lines
    std::array<PlotMarkGroup, 7> groups;      // [1..6]
    std::array<bool, 7> groupInLegend{};      // [1..6]
    TChartRows rows{};                        // the chart's settings rows [1..6]
    std::vector<PlotPoint> points;
    std::vector<PlotCurve> curves;            // living-cost, model wage or regression curves
    std::vector<PlotDesign> designs;          // chart 1050
    std::vector<QPointF> captured;            // design points being captured (data values)

    // Whether the marks and point texts are drawn (chart 1050 only when asked).
    bool showsPoints() const { return chart != kChartDesign || cgraph == 1; }
};

// The pixel layout of a chart of a given size.
struct PlotGeometry {
    int width = 0, height = 0;
    int left = 0, right = 0, top = 0, bottom = 0; // the plot area L, R, T, B
    int originX = 0, originY = 0;
    int xSpan = 0, ySpan = 0;
    int xRange = 0, yRange = 0;
    int xMin = 0, yMin = 0;

    int px(double x) const;
    int py(double y) const;
    QPoint map(double x, double y) const { return {px(x), py(y)}; }
    // The data value at a pixel (inverse of the mapping; 0 for a zero range).
    QPointF value(QPoint pixel) const;
};
PlotGeometry PlotGeometryFor(QSize size, const PlotChart &chart);

// The values the axes are ticked, numbered and gridded at.
struct PlotTicks {
    std::vector<int> yTicks;   // intermediate Y ticks (numbered)
    std::vector<int> yGrid;    // horizontal grid lines
    std::vector<int> xTicks;   // intermediate X ticks (numbered)
    std::vector<int> xGrid;    // vertical grid lines
};
PlotTicks PlotTicksFor(const PlotChart &chart);

// Draws the whole chart (frame, axes, ticks, grid, centre lines, numbers, units, titles,
// legend, point texts, marks, curves, designs) for a picture of `size`, from (0, 0).
void RenderPlot(QPainter &painter, QSize size, const PlotChart &chart);

// The point whose mark lies under `pixel` (index into chart.points), the topmost one when
// marks overlap; nothing when no drawn mark is there.
std::optional<int> PointAt(const PlotChart &chart, QSize size, QPoint pixel);

// The living-cost curves of chart 1030 and the model wage curves of chart 1040, from the rows
// read for them; `largestX` is the largest X value of the points.
std::vector<PlotCurve> LivingCostCurves(const std::vector<TLivingCurveRow> &rows, double largestX);
std::vector<PlotCurve> ModelWageCurves(const std::array<std::vector<TModelWageRow>, 4> &rowsByType,
                                       int fx, int fy);
// A design as drawn: its points (X not 0) in 10,000 yen, its pen and legend.
PlotDesign DesignOf(const TDSPDRAW &row);
