#pragma once
// The statements of the plot analysis: a chart's six settings rows (MCHART), the point set of
// the chart being plotted (DCHART, one chart at a time), the designed curves (DSPDRAW), and the
// living-cost and model wage rows the comparison charts draw.

#include "records.h"

#include <optional>
#include <vector>

// Whether the open project has the settings rows of a chart.
bool ChartRowsExist(int chart);
// Creates the six settings rows of a chart (KNO 1..6) from `defaults` when row 1 does not
// exist yet, in one save. False when they could not be written.
bool EnsureChartRows(int chart, const TMCHART &defaults);
// The six settings rows of a chart ([1..6]; a missing row reads as empty).
TChartRows ReadChartRows(int chart);
// Writes the six settings rows of a chart in one save. The regression columns (FKINJI,
// CGRAPH, SJYUN1..4) are written for chart 1020 and 1050 only.
bool SaveChartRows(int chart, const TChartRows &rows);

// Replaces the point set with `points` (SEQNO numbered from 1 in the given order), in one save.
bool WriteChartPoints(const std::vector<TDCHART> &points);
// The point set in the order it was written.
std::vector<TDCHART> ReadChartPoints();
// Records the mark of every point (LABELN, GTOP, GLEFT by SCO), in one save.
bool WriteMarkPositions(const std::vector<TDCHART> &points);

// Design `number` of the open project for the X and Y item; nothing when it has no row.
std::optional<TDSPDRAW> ReadDesign(int number, int fx, int fy);

// The living-cost rows of a living-cost code, by company, year, household size and age.
std::vector<TLivingCurveRow> ReadLivingCostCurve(int skco);
// The model wage rows of a model code with one line type, by wage code.
std::vector<TModelWageRow> ReadModelWageCurve(int mdco, int lineType);
