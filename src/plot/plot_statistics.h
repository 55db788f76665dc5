#pragma once
// The figures of a plotted chart: per-mark-group counts and sums, least-squares curves of Y on X
// (degree 2 or 3), the regression and level curves of the raise-curve analysis, and from a
// fitted curve the average wage and the average raise per X unit ("ピッチ"); and the texts of the
// analysis result window made from them. No widgets, no database.

#include "plot_chart.h"
#include "records.h"

#include <QPointF>
#include <QString>
#include <array>
#include <vector>

// Counts and sums of the points per mark group [1..6] and in total ([0]). Sums are held in
// ten-thousandths, so averages of amounts with 2 decimals come out exact.
struct GroupSums {
    std::array<int, 7> count{};
    std::array<qint64, 7> sumX{}; // ten-thousandths
    std::array<qint64, 7> sumY{}; // ten-thousandths of 10,000 yen, that is yen
    int groupsWithPoints() const;
};
// Every point counts in its group (a group outside 1..6 counts as group 1) and in the total.
GroupSums GroupSumsOf(const std::vector<PlotPoint> &points);

// y = c[0] + c[1]·x + c[2]·x² (+ c[3]·x³).
struct Polynomial {
    std::array<double, 4> c{};
    double at(double x) const { return c[0] + x * (c[1] + x * (c[2] + x * c[3])); }
};
// The least-squares quadratic by the normal equations, each coefficient rounded half away from
// zero to 5 decimals; a quotient whose divisor is 0 is taken as 0, so too few points or points
// of one X give a line or a constant.
Polynomial FitQuadratic(const std::vector<QPointF> &points);
// The least-squares cubic, each coefficient rounded half away from zero to 6 decimals, with the
// same rule for zero divisors.
Polynomial FitCubic(const std::vector<QPointF> &points);
// FitQuadratic (degree 0 or 2) or FitCubic (degree 1 or 3: MCHART.FKINJI 1).
Polynomial FitCurve(const std::vector<QPointF> &points, int fkinji);

// The polyline of a fitted curve over [xMin, xMax): the first point at xMin (on the X axis,
// yAxisMin, when xMin is exactly 0), then every 0.2 while below xMax. When xMin is below 1 the
// constant term is faded in (c0 · x / (2 · trunc(xMax)) instead of c0) after the first point.
std::vector<QPointF> CurvePolyline(const Polynomial &p, double xMin, double xMax, int yAxisMin);

// The regression curves of the raise-curve analysis: for every mark group k whose row k draws
// curves (CGRAPH 1) and is plotted (FCHK 1), the fitted curve of its points and one scaled curve
// per level percentage that is not 0 (factor 1 + level / 100), in the group's curve colour,
// line type and width. A group without points or with line type 0 draws nothing.
std::vector<PlotCurve> RegressionCurves(const std::vector<PlotPoint> &points,
                                        const TChartRows &rows,
                                        const std::array<TMMARK, 7> &marks, int yAxisMin);

// The average wage and the pitch of a fitted curve, in yen.
struct CurveFigures {
    qint64 averageWage = 0;
    qint64 pitch = 0;
};
// Evaluates the curve (in yen, rounded half away from zero) at xMin, xMin + 1, ... while below
// xMax, at least at the first two: the average of those values, and the average raise per X
// unit from xMin up to where the curve first turns down after rising (or to the last value
// evaluated when it never does). A curve over two X units or less ends at xMin + 1.
CurveFigures CurveFiguresOf(const Polynomial &p, double xMin, double xMax);

// The curve figures of every mark group [1..6] of a raise-curve chart: for each group whose row
// draws curves (CGRAPH 1) and is plotted (FCHK 1), the figures of its main curve fitted on the
// group's points (chart 1020) or on all points (chart 1050); the other groups keep 0. This is
// what the raise-curve design's statistics use as well.
std::array<CurveFigures, 7> RaiseCurveFigures(int chart, const std::vector<PlotPoint> &points,
                                              const TChartRows &rows);

// The texts of the analysis result window: titles labTitle[1..8] and fields Caption[1..8].
struct ResultTexts {
    std::array<QString, 9> titles;
    std::array<QString, 9> captions;
};
// The texts for a chart: counts and X and Y averages per group for the wage plot, counts,
// pitches and average wages for charts 1020 and 1050, nothing for the others.
ResultTexts AnalysisResultTexts(const PlotChart &chart);
