#pragma once
// The texts of the raise budget as the screen, the printed report and the CSV file show them:
// the summary, the per-band table and the lists of employees above and below their band. No
// widgets.

#include "raise_budget.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

class TReportEngine;

inline const QString kBudgetTitle = QStringLiteral("昇給原資とポジション");

// Everything the texts are made from.
struct TBudgetReportData {
    std::vector<TBudgetBand> bands;
    std::vector<TBudgetEmployee> employees;
    TBudgetPosition position;
    TRaiseBudget budget;
};

// "0.00" compa-ratio and "0%" range penetration.
QString CompaText(double ratio);
QString PenetrationText(double share);
// A percentage with two decimals and "%" ("3.25%").
QString RatePercentText(double percent);

QStringList BandTableHeadings();
// One line of the table: a band's, or (band nullptr) a line of its own with `label`.
QStringList BandTableTexts(const TBudgetBand *band, const QString &label,
                           const TBandPosition &line);
inline const QString kUnlinkedLabel = QStringLiteral("マトリクス対象外");
inline const QString kNoBandLabel = QStringLiteral("バンド未登録");
inline const QString kTotalLabel = QStringLiteral("合計");
// Every line of the table: the bands, the lines of their own that have employees, the total.
std::vector<QStringList> BandTableLines(const TBudgetReportData &data);

// The lists: above the maximum (limit "上限額", distance "超過額") and below the minimum.
QStringList LimitHeadings(bool above);
QStringList LimitTexts(const TBudgetReportData &data, const TLimitRow &row);

// The budget figures in one line, as the report's summary shows them.
QString BudgetSummaryText(const TBudgetReportData &data);

// --- Report and CSV ---------------------------------------------------------------------------

// The template and work file under the program's Report folder.
QString BudgetTemplatePath(const QString &reportDir);
QString BudgetWorkFilePath(const QString &reportDir);
// Lays the report out on the engine's pages and ends the document; returns the work file's
// path. Throws TReportError when the engine fails.
QString LayOutBudgetReport(TReportEngine &engine, const QString &reportDir,
                           const TBudgetReportData &data, const QString &yearText,
                           const QString &company, const QDate &today);

// The CSV file: gAppPath + "CSV/昇給原資とポジション.CSV".
QString BudgetCsvPath();
// The file's content before encoding: the table, then each list, each under its heading line
// and parted by an empty line; CR LF ends.
QString BudgetCsvText(const TBudgetReportData &data);
