#pragma once
// A simple point set for the plot window's developer command and benchmark, until the analysis
// dialogs build charts: every employee of the open project by age and basic wage (in 10,000
// yen), marked by its plot mark group and labelled with its employee code; the axis ranges
// and averages are set around the points.

#include "records.h"

#include <vector>

std::vector<TDCHART> AgeAndBasicWagePoints();
// Sets gAxisXMin..gAxisYMax, gXAverage and gYAverage for the points.
void SetAxesAround(const std::vector<TDCHART> &points);
