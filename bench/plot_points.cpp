#include "plot_points.h"

#include "project.h"
#include "state.h"
#include "tdm.h"
#include "utilities.h"

#include <algorithm>
#include <cmath>

std::vector<TDCHART> AgeAndBasicWagePoints() {
    std::vector<TDCHART> points;
    TQuery q(DM().ACN2);
    SelectOfProject(q, QStringLiteral("SCO, SNA, NENREI, KKYU1, KKYU2, KKYU3, MCO"),
                    QStringLiteral("VSYAIN"), QStringLiteral(" ORDER BY KCO, NEWDAY1"));
    for (; !q.Eof(); q.Next()) {
        TDCHART p;
        p.Sco = q.Value(QStringLiteral("SCO")).toLongLong();
        p.Sna = q.AsString(QStringLiteral("SNA"));
        p.Markl = QString::number(p.Sco);
        p.X = q.AsInteger(QStringLiteral("NENREI"));
        const double yen = q.AsFloat(QStringLiteral("KKYU1")) + q.AsFloat(QStringLiteral("KKYU2")) +
                           q.AsFloat(QStringLiteral("KKYU3"));
        p.Y = RoundHalfUp(3, yen / 10000);
        p.Mkco = q.AsInteger(QStringLiteral("MCO"));
        points.push_back(std::move(p));
    }
    return points;
}

void SetAxesAround(const std::vector<TDCHART> &points) {
    ProjectState &g = G();
    if (points.empty()) return;
    double xLow = points[0].X, xHigh = xLow, yLow = points[0].Y, yHigh = yLow, xSum = 0, ySum = 0;
    for (const TDCHART &p : points) {
        xLow = std::min(xLow, p.X);
        xHigh = std::max(xHigh, p.X);
        yLow = std::min(yLow, p.Y);
        yHigh = std::max(yHigh, p.Y);
        xSum += p.X;
        ySum += p.Y;
    }
    g.gAxisXMin = int(std::floor(xLow / 10)) * 10;
    g.gAxisXMax = int(std::ceil(xHigh / 10)) * 10;
    g.gAxisYMin = int(std::floor(yLow / 10)) * 10;
    g.gAxisYMax = int(std::ceil(yHigh / 10)) * 10;
    g.gXAverage = int(RoundHalfUp(1, xSum / points.size()));
    g.gYAverage = RoundHalfUp(2, ySum / points.size());
}
