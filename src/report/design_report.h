#pragma once
// The design wage table of the raise-curve design as a printed report ("昇給設計レポート",
// five designs side by side with an average line at the foot of the last page) and as the CSV
// file "昇給カーブの設計.CSV". Both compute the table afresh from the points the screen holds
// and store it in DCHINGIN first. Free of widgets; messages go through the message seam.

#include "design_wage_table.h"
#include "group_report.h"

#include <QDate>
#include <QString>
#include <vector>

class TReportEngine;

inline const QString kDesignReportTitle = QStringLiteral("昇給設計レポート");
inline const QString kMsgNoDesignTable = QStringLiteral("賃金表データは有りません。");
inline const QString kMsgDesignCsvDone = QStringLiteral("CSVデレクトリに賃金表が出力されました。");

// What the design screen hands over: its points, item pair and the texts of the headings.
struct TDesignReportInput {
    TDesignSet designs{};
    int fx = 0, fy = 0;
    QString title;    // the screen's title
    QString xCaption; // caption of the chosen X item ("年　　齢")
    QString yCaption; // caption of the chosen Y item ("基　本　給")
};

// Computes the table of the designs, rewrites the project's DCHINGIN with it and makes the
// title the chart title (gChartTitle). The designs must pass FindDesignWageFault. Returns the
// rows ordered by position and design.
std::vector<TDesignWageRow> RunDesignWageTable(const TDesignReportInput &input);

// What the page headings show.
struct TDesignReportHeading {
    QString title, xCaption, yCaption;
    QString yearText; // the fiscal year as shown (NendoText)
    QString company;
    QDate today;
};

// The template and work file under `reportDir` (the program's Report folder).
QString DesignReportTemplatePath(const QString &reportDir);
QString DesignReportWorkFilePath(const QString &reportDir);

// Lays the table out on the engine's pages: one line per position, 32 lines a page, the
// average line on the last line of the last page (a full last page pushes it onto a page of
// its own), then ends the document. Returns the work file's path; throws TReportError.
QString LayOutDesignReport(TReportEngine &engine, const QString &reportDir,
                           const std::vector<TDesignWageLine> &lines,
                           const TDesignReportHeading &heading);

// The printed report: empties gPreviewFile, computes and stores the table, writes the work
// file and sets gPreviewFile to it. Tells "印刷対象データは有りません。" when no design has a
// point and the engine's failure when the report could not be written.
TReportNotice PrintDesignWageTable(const TDesignReportInput &input, const QDate &today);

// The CSV file: gAppPath + "CSV/昇給カーブの設計.CSV".
QString DesignCsvPath();
// The question before the CSV file is written; true for Yes.
bool AskDesignWageCsv();
// Computes and stores the table and writes the CSV file (replacing it as a whole, never half
// written); tells the outcome.
TReportNotice WriteDesignWageCsv(const TDesignReportInput &input);
