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

// --- The plot window's interaction ------------------------------------------------------------

// The point whose mark is named `label` ("Label001", ...); nothing when none is.
std::optional<TDCHART> ReadPointByLabel(const QString &label);
// Marks pop-up page `page` (1..4) of the employee's point as open or closed (F1..F4).
bool SetPopupPageOpen(qint64 sco, int page, bool open);

// An employee of the open project as the plot's pop-up pages and its band dialog show it
// (VSYAIN). Amounts in yen; arrays indexed by their number.
struct TPlotEmployee {
    qint64 sco = 0;
    QString scot, sna, gaku, senkou, yaku, hyouka;
    int nenrei = 0, kinzoku = 0, toukyu = 0, gouhou = 0, thi = 0, jiseki = 0;
    std::array<QString, 4> hna;    // [1..3] evaluations one to three years ago
    std::array<qint64, 4> kkyu{};  // [1..3]
    std::array<qint64, 6> teate{}; // [1..5]
    qint64 syotei = 0, syouyo = 0, syouyo2 = 0;
    int band = 0, yhyouka = 0, mlink = 0;
    // The base-pay item linked to the matrix (MLINK 1..3); 0 when none is.
    qint64 linkedPay() const { return mlink >= 1 && mlink <= 3 ? kkyu[mlink] : 0; }
};
std::optional<TPlotEmployee> ReadPlotEmployee(qint64 sco);
// Sets the employee's band and role evaluation (MSYAIN1) in one save.
bool SaveEmployeeBand(qint64 sco, int band, int yhyouka);

// Replaces design `design.Sdco` of the item pair design.X / design.Y with `design` (delete and
// insert in one save). The number and items must be in range; false when refused or failed.
bool StoreDesign(const TDSPDRAW &design);
