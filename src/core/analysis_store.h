#pragma once
// The employee rows the analysis charts are built from.

#include "records.h"

#include <vector>

// The employees of the open project, all of them (workType 0) or those of work type 1..4, in
// the order their points are written (by company and date, then employee code).
std::vector<TAnalysisEmployee> ReadAnalysisEmployees(int workType);
