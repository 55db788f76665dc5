#include "point_set.h"

#include "plot_chart.h"
#include "utilities.h"

#include <QPointF>
#include <algorithm>
#include <cmath>

void ValueExtent::include(double x, double y) {
    xMin = std::min(xMin, x);
    xMax = std::max(xMax, x);
    yMin = std::min(yMin, y);
    yMax = std::max(yMax, y);
}

double XValueOf(const TAnalysisEmployee &e, int fx) {
    switch (fx) {
    case 1: return e.Kinzoku;
    case 2: return e.Nensu;
    case 3: return e.Gouhou;
    case 4: return std::trunc(e.Tritsu);
    case 5: return e.Tensu;
    default: return e.Nenrei;
    }
}

double YValueOf(const TAnalysisEmployee &e, int fy) {
    double yen = 0.0;
    switch (fy) {
    case 1: yen = e.Kkyu[2]; break;
    case 2: yen = e.Kkyu[1] + e.Kkyu[2] + e.Kkyu[3]; break;
    case 3: yen = e.Syotei; break;
    case 4: yen = e.Syouyo + e.Syouyo2; break;
    case 5: yen = e.Syotei * 12 + e.Syouyo + e.Syouyo2; break;
    default: yen = e.Kkyu[1]; break;
    }
    return RoundHalfUp(3, yen / 10000);
}

namespace {

// A comparison curve widens the range by its points; one whose values are all 0 (a table
// without figures for that item) is not drawn and widens nothing.
void includeCurve(ValueExtent &extent, const std::vector<QPointF> &curve) {
    if (std::all_of(curve.begin(), curve.end(), [](const QPointF &p) { return p.y() == 0; }))
        return;
    for (const QPointF &p : curve)
        extent.include(p.x(), p.y());
}

} // namespace

QString MarkLabelOf(const TAnalysisEmployee &e, int markr) {
    switch (markr) {
    case 0: return QString::number(e.Sco);
    case 1: return e.Hyouka;
    case 2: return QString::number(e.Zonex);
    default: return QString();
    }
}

PointSet BuildPointSet(const std::vector<TAnalysisEmployee> &employees,
                       const PointSetChoices &choices, const ComparisonRows &comparison) {
    PointSet set;
    double sumX = 0.0;
    double sumY = 0.0;
    for (const TAnalysisEmployee &e : employees) {
        if (e.Mco < 1 || e.Mco > 6 || choices.plot[e.Mco] != 1) continue;
        if (e.Toukyu < 1 || e.Toukyu > 9 || choices.grade[e.Toukyu] != 1) continue;
        TDCHART p;
        p.Sco = e.Sco;
        p.Sna = e.Sna;
        p.Markl = MarkLabelOf(e, choices.markr);
        p.X = XValueOf(e, choices.fx);
        p.Y = YValueOf(e, choices.fy);
        p.Mkco = e.Mco;
        if (set.points.empty())
            set.extent = {p.X, p.X, p.Y, p.Y};
        else
            set.extent.include(p.X, p.Y);
        sumX += p.X;
        sumY += p.Y;
        set.lastJiseki = e.Jiseki;
        p.Seqno = static_cast<int>(set.points.size()) + 1;
        set.points.push_back(std::move(p));
    }
    if (set.points.empty()) return set;
    const double count = static_cast<double>(set.points.size());
    set.xAverage = static_cast<int>(RoundHalfUp(1, sumX / count));
    // The comparison charts centre on whole 10,000 yen.
    const bool wholeYAverage =
        choices.chart == kChartLivingCost || choices.chart == kChartModelWage;
    set.yAverage = RoundHalfUp(wholeYAverage ? 1 : 2, sumY / count);
    ValueExtent extent = set.extent;
    if (choices.chart == kChartLivingCost) IncludeLivingCosts(extent, comparison.living);
    if (choices.chart == kChartModelWage)
        IncludeModelWages(extent, comparison.model, choices.fx, choices.fy);
    const AxisRanges axes = AxisRangesFor(extent, choices.chart, choices.fx);
    set.axisXMin = axes.xMin;
    set.axisXMax = axes.xMax;
    set.axisYMin = axes.yMin;
    set.axisYMax = axes.yMax;
    return set;
}

void IncludeLivingCosts(ValueExtent &extent, const std::vector<TLivingCurveRow> &rows) {
    using Rate = double (*)(const TLivingCurveRow &);
    static const Rate rates[] = {
        [](const TLivingCurveRow &) { return 1.0; },
        [](const TLivingCurveRow &r) { return r.Yuritsu; },
        [](const TLivingCurveRow &r) { return r.Stritsu; },
        [](const TLivingCurveRow &r) { return r.Tnritsu; },
    };
    const auto value = [](const TLivingCurveRow &r, Rate rate) {
        return RoundHalfUp(1, r.Seikeihi * rate(r) * r.Kkritsu / 10);
    };
    for (Rate rate : rates) {
        std::vector<QPointF> curve;
        for (const TLivingCurveRow &r : rows)
            if (r.Snenrei != 0) curve.emplace_back(r.Snenrei, value(r, rate));
        includeCurve(extent, curve);
    }
}

void IncludeModelWages(ValueExtent &extent,
                       const std::array<std::vector<TModelWageRow>, 4> &rowsByType, int fx,
                       int fy) {
    for (int s = 1; s <= 3; ++s) {
        std::vector<QPointF> curve;
        for (const TModelWageRow &r : rowsByType[s]) {
            const int x = fx == 0 ? r.Nenrei : fx == 1 ? r.Knensu : fx == 2 ? r.Kknensu : 0;
            double amount = 0.0;
            switch (fy) {
            case 2: amount = r.Kkin; break;
            case 3: amount = r.Skin; break;
            case 4: amount = r.Syouyo; break;
            case 5: amount = r.Nensyu; break;
            default: break;
            }
            curve.emplace_back(x, RoundHalfUp(1, amount / 10));
        }
        includeCurve(extent, curve);
    }
}

namespace {

// The tens of a value (cut toward zero) and what is left over.
struct Tens {
    double tens;
    double rest;
};
Tens tensOf(double v) {
    const double t = std::trunc(v / 10);
    return {10 * t, v - 10 * t};
}

int lowerEnd(double v) {
    const Tens t = tensOf(v);
    return static_cast<int>(t.tens + (t.rest >= 5 ? 5 : 0));
}

int upperEnd(double v) {
    const Tens t = tensOf(v);
    return static_cast<int>(t.tens + (t.rest >= 5 ? 10 : 5));
}

} // namespace

AxisRanges AxisRangesFor(const ValueExtent &extent, int chart, int fx) {
    AxisRanges r;
    r.xMin = lowerEnd(extent.xMin);
    r.xMax = upperEnd(extent.xMax);
    if (chart == kChartWagePlot && fx == 5) r.xMax = static_cast<int>(tensOf(extent.xMax).tens) + 10;
    r.yMin = lowerEnd(extent.yMin);
    r.yMax = upperEnd(extent.yMax);
    return r;
}
