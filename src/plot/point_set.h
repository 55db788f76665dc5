#pragma once
// The point set of an analysis chart and its axis ranges, built from the employee rows and the
// dialog's choices: which employees are plotted (mark group and grade), the X and Y value and
// the mark label text of each, the averages, and axis ranges that start and end on multiples
// of 5 around the points (and around the comparison curves of charts 1030 and 1040).

#include "records.h"

#include <array>
#include <vector>

// The choices of an analysis dialog that decide the points.
struct PointSetChoices {
    int chart = 0;
    int fx = 0;    // X item 0..5
    int fy = 0;    // Y item 0..5
    int markr = 0; // mark label kind 0..3
    std::array<int, 7> plot{};   // [1..6] mark group plotted when 1
    std::array<int, 10> grade{}; // [1..9] grade plotted when 1
};

// The extent of the values on the axes.
struct ValueExtent {
    double xMin = 0.0, xMax = 0.0;
    double yMin = 0.0, yMax = 0.0;
    void include(double x, double y);
};

struct AxisRanges {
    int xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

// The rows of the comparison curves a chart's axis ranges also cover: living costs (chart
// 1030), model wages by line type [1..3] (chart 1040).
struct ComparisonRows {
    std::vector<TLivingCurveRow> living;
    std::array<std::vector<TModelWageRow>, 4> model;
};

struct PointSet {
    std::vector<TDCHART> points; // in the order of the employee rows
    ValueExtent extent;          // of the points
    int axisXMin = 0, axisXMax = 0, axisYMin = 0, axisYMax = 0;
    int xAverage = 0;            // rounded half away from zero to an integer
    double yAverage = 0.0;       // 1 decimal (charts 1010, 1020) or integer (1030, 1040)
    int lastJiseki = 0;          // JISEKI of the last employee plotted
    bool empty() const { return points.empty(); }
};

// The X value of an employee for X item fx (the achievement rate cut to an integer).
double XValueOf(const TAnalysisEmployee &e, int fx);
// The Y value of an employee for Y item fy: the amount in 10,000 yen, rounded half away from
// zero to 2 decimals.
double YValueOf(const TAnalysisEmployee &e, int fy);
// The text drawn above an employee's point for mark label kind markr.
QString MarkLabelOf(const TAnalysisEmployee &e, int markr);

// The points of the employees whose mark group (1..6) and grade (1..9) are chosen, with their
// extent, averages and axis ranges (around the comparison curves too on charts 1030 and 1040).
// Empty when nobody is chosen.
PointSet BuildPointSet(const std::vector<TAnalysisEmployee> &employees,
                       const PointSetChoices &choices, const ComparisonRows &comparison = {});

// Widens an extent by the living-cost values of chart 1030 (every row with an age). A kind of
// value (or, below, a line type) that is 0 throughout has no curve and widens nothing.
void IncludeLivingCosts(ValueExtent &extent, const std::vector<TLivingCurveRow> &rows);
// Widens an extent by the model wages of chart 1040 (line types 1..3) for the X and Y item.
void IncludeModelWages(ValueExtent &extent,
                       const std::array<std::vector<TModelWageRow>, 4> &rowsByType, int fx,
                       int fy);

// The axis ranges around an extent: a minimum goes down to a multiple of 5, a maximum up to the
// next multiple of 5 above it; on the wage plot, job evaluation points (X item 5) always get 10
// more than the tens of the maximum.
AxisRanges AxisRangesFor(const ValueExtent &extent, int chart, int fx);
