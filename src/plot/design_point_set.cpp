#include "design_point_set.h"

#include "utilities.h"

#include <algorithm>
#include <cmath>

double DesignXValue(const TDesignEmployee &e, int fx) {
    switch (fx) {
    case 1: return e.Kinzoku;
    case 2: return e.Nensu;
    case 3: return e.Gouhou;
    case 4: return std::trunc(e.Tritsu);
    case 5: return e.Tensu;
    default: return e.Nenrei;
    }
}

double DesignYValue(const TDesignEmployee &e, int fy) {
    double yen = 0.0;
    switch (fy) {
    case 1: yen = e.Kkyu2; break;
    case 2: yen = e.Kkyu1 + e.Kkyu2 + e.Kkyu3; break;
    case 3: yen = e.Syotei; break;
    case 4: yen = e.Syouyo + e.Syouyo2; break;
    case 5: yen = e.Syotei * 12 + e.Syouyo + e.Syouyo2; break;
    default: yen = e.Kkyu1; break;
    }
    return RoundHalfUp(3, yen / 10000);
}

QString DesignMarkLabel(const TDesignEmployee &e, int markr) {
    switch (markr) {
    case 0: return QString::number(e.Sco);
    case 1: return e.Hyouka;
    case 2: return QString::number(e.Zonex);
    default: return {};
    }
}

namespace {
// The tens of a value (cut toward zero) and the rest above them.
double tensOf(double v) {
    return std::trunc(v / 10);
}
} // namespace

int AxisLowFor(double minimum) {
    const double t = tensOf(minimum);
    return static_cast<int>(10 * t + (minimum - 10 * t >= 5 ? 5 : 0));
}

int AxisHighFor(double maximum) {
    const double t = tensOf(maximum);
    return static_cast<int>(10 * t + (maximum - 10 * t >= 5 ? 10 : 5));
}

std::optional<DesignPointSet> BuildDesignPointSet(const std::vector<TDesignEmployee> &employees,
                                                  const DesignChartChoice &choice,
                                                  const TDesignSet &designs) {
    DesignPointSet set;
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0, xSum = 0, ySum = 0;
    for (const TDesignEmployee &e : employees) {
        if (e.Mco < 1 || e.Mco > 6 || choice.marks[e.Mco] != 1) continue;
        if (e.Toukyu < 1 || e.Toukyu > 9 || choice.grades[e.Toukyu] != 1) continue;
        TDCHART p;
        p.Sco = e.Sco;
        p.Sna = e.Sna;
        p.Markl = DesignMarkLabel(e, choice.markr);
        p.X = DesignXValue(e, choice.fx);
        p.Y = DesignYValue(e, choice.fy);
        p.Mkco = e.Mco;
        if (set.points.empty()) {
            xMin = xMax = p.X;
            yMin = yMax = p.Y;
        }
        xMin = std::min(xMin, p.X);
        xMax = std::max(xMax, p.X);
        yMin = std::min(yMin, p.Y);
        yMax = std::max(yMax, p.Y);
        xSum += p.X;
        ySum += p.Y;
        set.lastJiseki = e.Jiseki;
        set.points.push_back(std::move(p));
    }
    if (set.points.empty()) return std::nullopt;
    const double count = static_cast<double>(set.points.size());
    set.xAverage = static_cast<int>(RoundHalfUp(1, xSum / count));
    set.yAverage = RoundHalfUp(1, ySum / count);

    // The design points held by the screen, saved or not, widen the ranges.
    for (int d = 1; d <= 5; ++d)
        for (int n = 1; n <= 6; ++n) {
            const double x = designs[d].age[n];
            const double y = RoundHalfUp(1, designs[d].amount[n] / 10000);
            if (x == 0 && y == 0) continue;
            xMin = std::min(xMin, x);
            xMax = std::max(xMax, x);
            yMin = std::min(yMin, y);
            yMax = std::max(yMax, y);
        }
    set.xMin = AxisLowFor(xMin);
    set.xMax = static_cast<int>(10 * tensOf(xMax) + 10);
    set.yMin = AxisLowFor(yMin);
    set.yMax = AxisHighFor(yMax);
    return set;
}

std::optional<DesignPointFault> FindDesignPointFault(const TDesignSet &designs) {
    for (int d = 1; d <= 5; ++d) {
        const TDesignPoints &p = designs[d];
        const auto entered = [&p](int n) { return p.age[n] != 0 || p.amount[n] != 0.0; };
        int last = 0;
        for (int n = 1; n <= 6; ++n)
            if (entered(n)) last = n;
        for (int n = 1; n <= last; ++n) {
            if (!entered(n)) return DesignPointFault{d, n, DesignPointFault::Gap};
            if (n > 1 && p.age[n] <= p.age[n - 1])
                return DesignPointFault{d, n, DesignPointFault::NotIncreasing};
        }
    }
    return std::nullopt;
}
