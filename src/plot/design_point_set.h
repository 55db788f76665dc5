#pragma once
// The chart of the raise-curve design built from the employees and the designs held by the
// screen: the points of the selected employees and the axis ranges, which the design points
// widen so every curve fits. Also the rule the design points are saved by. No widgets, no
// database.

#include "design_records.h"
#include "records.h"

#include <optional>
#include <vector>

// Which employees are plotted and what their points show.
struct DesignChartChoice {
    int fx = 0;                  // X item 0..5
    int fy = 0;                  // Y item 0..5
    int markr = 0;               // mark label kind 0..3
    std::array<int, 7> marks{};  // [1..6] mark group plotted
    std::array<int, 10> grades{}; // [1..9] grade plotted
};

// The point set and what is derived from it.
struct DesignPointSet {
    std::vector<TDCHART> points; // in the order of the employees
    int xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    int xAverage = 0;
    double yAverage = 0.0; // 10,000 yen, a whole number
    int lastJiseki = 0;    // JISEKI of the last employee plotted
};

// The X value of an employee for X item fx (achievement rate cut to an integer).
double DesignXValue(const TDesignEmployee &e, int fx);
// The Y value of an employee for Y item fy, in 10,000 yen rounded to 2 decimals.
double DesignYValue(const TDesignEmployee &e, int fy);
// The text shown above an employee's mark for label kind markr.
QString DesignMarkLabel(const TDesignEmployee &e, int markr);

// The lower end of an axis (down to a multiple of 5) and the upper end of the Y axis (up to
// the next multiple of 5 above the maximum).
int AxisLowFor(double minimum);
int AxisHighFor(double maximum);

// Builds the point set of the selected employees; nothing when none is selected. The design
// points (an age or a rounded amount not 0) widen the ranges, the X axis ends 10 above the
// tens of the largest X value, and the averages are those of the employees (Y a whole number).
std::optional<DesignPointSet> BuildDesignPointSet(const std::vector<TDesignEmployee> &employees,
                                                  const DesignChartChoice &choice,
                                                  const TDesignSet &designs);

// A design whose points are not entered in order: the design, the point and whether the point
// is missing before a later one (a gap) or its X value is not above the previous point's.
struct DesignPointFault {
    enum Kind { Gap, NotIncreasing };
    int design = 0;
    int point = 0;
    Kind kind = Gap;
};
// Points are entered from point 1 onward without gaps (a point is entered when its X value or
// amount is not 0) and with increasing X values. The first fault, in design and point order.
std::optional<DesignPointFault> FindDesignPointFault(const TDesignSet &designs);
