#include "plot_statistics.h"

#include "colour_text.h"
#include "utilities.h"

#include <algorithm>
#include <cmath>

namespace {

int groupOf(int group) {
    return group >= 1 && group <= 6 ? group : 1;
}

// A quotient whose divisor is 0 is taken as 0.
double quotient(double a, double b) {
    return b == 0 ? 0.0 : a / b;
}

// a − b, taken as exactly 0 when the two differ only by rounding error, so that points of one X
// give the zero divisors they would give in exact arithmetic.
double difference(double a, double b) {
    const double d = a - b;
    return std::abs(d) <= 1e-10 * std::max(std::abs(a), std::abs(b)) ? 0.0 : d;
}

// Σ x^i (i = 0..2·degree) and Σ x^i·y (i = 0..degree).
struct PowerSums {
    std::array<double, 7> x{};
    std::array<double, 4> xy{};
};
PowerSums powerSums(const std::vector<QPointF> &points, int degree) {
    PowerSums s;
    for (const QPointF &p : points) {
        double power = 1.0;
        for (int i = 0; i <= 2 * degree; ++i) {
            s.x[i] += power;
            if (i <= degree) s.xy[i] += power * p.y();
            power *= p.x();
        }
    }
    return s;
}

double round5(double v) {
    return RoundHalfUp(6, v);
}

double round6(double v) {
    return RoundHalfUp(7, v);
}

} // namespace

int GroupSums::groupsWithPoints() const {
    return static_cast<int>(std::count_if(count.begin() + 1, count.end(), [](int n) { return n > 0; }));
}

GroupSums GroupSumsOf(const std::vector<PlotPoint> &points) {
    GroupSums s;
    for (const PlotPoint &p : points) {
        const qint64 x = std::llround(p.x * 10000);
        const qint64 y = std::llround(p.y * 10000);
        for (int g : {groupOf(p.group), 0}) {
            ++s.count[g];
            s.sumX[g] += x;
            s.sumY[g] += y;
        }
    }
    return s;
}

Polynomial FitQuadratic(const std::vector<QPointF> &points) {
    Polynomial p;
    if (points.empty()) return p;
    const PowerSums s = powerSums(points, 2);
    const double n = s.x[0], S1 = s.x[1], S2 = s.x[2], S3 = s.x[3], S4 = s.x[4];
    const double Sy = s.xy[0], Sxy = s.xy[1], Sx2y = s.xy[2];
    double e = 0, g = 0, l = 0, o = 0, u = 0, w = 0;
    if (S1 != 0) {
        e = difference(Sxy / S1, Sy / n);
        g = difference(S2 / S1, S1 / n);
        l = difference(S3 / S1, S2 / n);
    }
    if (S2 != 0) {
        o = difference(Sx2y / S2, Sy / n);
        u = difference(S3 / S2, S1 / n);
        w = difference(S4 / S2, S2 / n);
    }
    const double a = quotient(e, g), b = quotient(l, g);
    const double c = quotient(o, u), d = quotient(w, u);
    p.c[2] = round5(quotient(difference(a, c), difference(b, d)));
    p.c[1] = round5(a - p.c[2] * b);
    p.c[0] = round5((Sy - S1 * p.c[1] - S2 * p.c[2]) / n);
    return p;
}

// The same elimination one order further: at each step every equation is divided by its
// leading coefficient and the first is subtracted from the others, which removes one unknown;
// the coefficients are then found from the last equation back to the first.
Polynomial FitCubic(const std::vector<QPointF> &points) {
    Polynomial p;
    if (points.empty()) return p;
    const PowerSums s = powerSums(points, 3);
    struct Equation {
        std::array<double, 4> a{}; // coefficients of c0..c3
        double rhs = 0.0;
    };
    std::vector<Equation> equations(4);
    for (int i = 0; i <= 3; ++i) {
        for (int j = 0; j <= 3; ++j)
            equations[i].a[j] = s.x[i + j];
        equations[i].rhs = s.xy[i];
    }
    std::array<Equation, 4> first; // the first equation of each step, divided by its leader
    for (int step = 0; step <= 3; ++step) {
        for (Equation &eq : equations) {
            const double lead = eq.a[step];
            for (int j = step; j <= 3; ++j)
                eq.a[j] = quotient(eq.a[j], lead);
            eq.rhs = quotient(eq.rhs, lead);
        }
        first[step] = equations.front();
        std::vector<Equation> next;
        for (size_t i = 1; i < equations.size(); ++i) {
            Equation eq;
            for (int j = step + 1; j <= 3; ++j)
                eq.a[j] = difference(equations[i].a[j], first[step].a[j]);
            eq.rhs = difference(equations[i].rhs, first[step].rhs);
            next.push_back(eq);
        }
        equations = std::move(next);
    }
    for (int k = 3; k >= 0; --k) {
        double v = first[k].rhs;
        for (int j = k + 1; j <= 3; ++j)
            v -= first[k].a[j] * p.c[j];
        p.c[k] = round6(v);
    }
    return p;
}

Polynomial FitCurve(const std::vector<QPointF> &points, int fkinji) {
    return fkinji == 1 ? FitCubic(points) : FitQuadratic(points);
}

std::vector<QPointF> CurvePolyline(const Polynomial &p, double xMin, double xMax, int yAxisMin) {
    std::vector<QPointF> line;
    line.emplace_back(xMin, xMin == 0 ? double(yAxisMin) : p.at(xMin));
    const bool fade = std::trunc(xMin) == 0;
    const double fadeSpan = 2 * std::trunc(xMax);
    for (int i = 1;; ++i) {
        const double x = xMin + 0.2 * i;
        if (x >= xMax - 1e-9) break;
        double y = p.at(x);
        if (fade) y += quotient(p.c[0] * x, fadeSpan) - p.c[0];
        line.emplace_back(x, y);
    }
    return line;
}

namespace {

std::vector<QPointF> pointsOfGroup(const std::vector<PlotPoint> &points, int group, double factor) {
    std::vector<QPointF> out;
    for (const PlotPoint &p : points)
        if (group == 0 || p.group == group) out.emplace_back(p.x, p.y * factor);
    return out;
}

std::pair<double, double> xExtent(const std::vector<QPointF> &points) {
    const auto [low, high] = std::minmax_element(
        points.begin(), points.end(), [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); });
    return {low->x(), high->x()};
}

} // namespace

std::vector<PlotCurve> RegressionCurves(const std::vector<PlotPoint> &points,
                                        const TChartRows &rows,
                                        const std::array<TMMARK, 7> &marks, int yAxisMin) {
    std::vector<PlotCurve> curves;
    for (int k = 1; k <= 6; ++k) {
        const TMCHART &row = rows[k];
        if (row.Cgraph != 1 || row.Fchk != 1 || marks[k].Ksyurui == 0) continue;
        std::vector<double> factors{1.0};
        for (int l = 1; l <= 4; ++l)
            if (const double f = 1 + row.Sjyun[l] / 100; f != 1.0) factors.push_back(f);
        for (double factor : factors) {
            const std::vector<QPointF> set = pointsOfGroup(points, k, factor);
            if (set.empty()) break;
            const auto [xMin, xMax] = xExtent(set);
            PlotCurve curve;
            curve.points = CurvePolyline(FitCurve(set, row.Fkinji), xMin, xMax, yAxisMin);
            curve.colour = ColourFromText(marks[k].Kcolor);
            curve.type = marks[k].Ksyurui;
            curve.width = marks[k].Khaba;
            curves.push_back(std::move(curve));
        }
    }
    return curves;
}

CurveFigures CurveFiguresOf(const Polynomial &p, double xMin, double xMax) {
    const auto v = [&p](double x) { return static_cast<qint64>(RoundHalfUp(1, p.at(x) * 10000)); };
    qint64 count = 0;
    qint64 sum = 0;
    const auto add = [&](qint64 value) {
        ++count;
        sum += value;
    };
    const double xFirst = xMin;
    const qint64 vFirst = v(xFirst);
    add(vFirst);
    double x = xFirst + 1;
    const qint64 vSecond = v(x);
    add(vSecond);
    int state = vSecond > vFirst ? 1 : 0;
    qint64 previous = vSecond;
    // Without further points the curve ends at the second one.
    double endX = std::trunc(x);
    qint64 endValue = vSecond;
    while (x + 1 < xMax) {
        x += 1;
        const qint64 value = v(x);
        add(value);
        if (state < 2) {
            endX = std::trunc(x);
            endValue = value;
        }
        if (state == 0 && endValue > previous) state = 1;
        if (state == 1 && endValue < previous) state = 2;
        previous = endValue;
    }
    CurveFigures f;
    f.averageWage = static_cast<qint64>(RoundHalfUp(1, double(sum) / double(count)));
    if (endX != xFirst)
        f.pitch = static_cast<qint64>(RoundHalfUp(1, double(endValue - vFirst) / (endX - xFirst)));
    return f;
}

std::array<CurveFigures, 7> RaiseCurveFigures(int chart, const std::vector<PlotPoint> &points,
                                              const TChartRows &rows) {
    std::array<CurveFigures, 7> figures{};
    for (int k = 1; k <= 6; ++k) {
        if (rows[k].Cgraph != 1 || rows[k].Fchk != 1) continue;
        const std::vector<QPointF> set = pointsOfGroup(points, chart == kChartDesign ? 0 : k, 1.0);
        if (set.empty()) continue;
        const auto [xMin, xMax] = xExtent(set);
        figures[k] = CurveFiguresOf(FitCurve(set, rows[k].Fkinji), xMin, xMax);
    }
    return figures;
}

ResultTexts AnalysisResultTexts(const PlotChart &chart) {
    ResultTexts t;
    const GroupSums sums = GroupSumsOf(chart.points);
    const int groups = sums.groupsWithPoints();
    const auto xAverage = [&](int g) {
        return FormatAmount(static_cast<qint64>(
            RoundHalfUp(1, double(sums.sumX[g]) / sums.count[g] / 10000)));
    };
    // The Y sums are in yen already; the average is shown to tens of yen.
    const auto yAverage = [&](int g) {
        return FormatAmount(RoundToUnit(0, double(sums.sumY[g]) / sums.count[g]));
    };
    const QString gap = QStringLiteral("  ");
    const QString yen = QStringLiteral("円  ");
    auto mark = [&](int k) { return chart.groups[k].mark + QStringLiteral(":"); };

    if (chart.chart == kChartWagePlot) {
        t.titles[1] = QStringLiteral("プロット数 :");
        t.titles[3] = QStringLiteral("Ｘ軸平均　 :");
        t.titles[6] = QStringLiteral("Ｙ軸平均　 :");
        int j = 0;
        for (int k = 1; k <= 6; ++k) {
            if (sums.count[k] == 0) continue;
            t.captions[1] += mark(k) + QString::number(sums.count[k]) + gap;
            t.captions[3] += mark(k) + xAverage(k) + gap;
            t.captions[j < 3 ? 6 : 7] += mark(k) + yAverage(k) + yen;
            ++j;
        }
        if (groups >= 2) {
            const QString all = QStringLiteral("全体:");
            t.captions[groups == 6 ? 2 : 1] += all + QString::number(sums.count[0]);
            t.captions[groups == 6 ? 4 : 3] += all + xAverage(0);
            t.captions[groups <= 2 ? 6 : groups <= 5 ? 7 : 8] += all + yAverage(0) + yen;
        }
    } else if ((chart.chart == kChartRaiseCurve || chart.chart == kChartDesign) && groups > 0) {
        for (int k = 1; k <= 6; ++k)
            if (sums.count[k] > 0) t.captions[1] += mark(k) + QString::number(sums.count[k]) + gap;
        const std::array<CurveFigures, 7> figures =
            RaiseCurveFigures(chart.chart, chart.points, chart.rows);
        t.titles[3] = QStringLiteral("平均昇給　 :");
        t.titles[4] = QStringLiteral("ピッチ");
        t.titles[6] = QStringLiteral("昇給カーブ :");
        t.titles[7] = QStringLiteral("平均");
        for (int k = 1; k <= 6; ++k) {
            if (sums.count[k] == 0) continue;
            t.captions[k <= 3 ? 3 : 4] += mark(k) + FormatAmount(figures[k].pitch) + yen;
            t.captions[k <= 3 ? 6 : 7] += mark(k) + FormatAmount(figures[k].averageWage) + yen;
        }
    }
    return t;
}
