#pragma once
// The group reports of the employees of the open project, grouped by plot mark: the wage
// report (current pay), the raise report and the matrix raise report (pay after the raise),
// each as a printed report written to a work file through the report engine, or as a CSV file.
// Everything here is free of widgets; messages go through the message seam.

#include "csv_text.h"
#include "matrix_raise.h"
#include "message_seam.h"
#include "records.h"
#include "report_store.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

class TReportEngine;

// The report kinds as the project state gReportKind holds them.
inline constexpr int kRaiseReport = 1;
inline constexpr int kWageReport = 2;
inline constexpr int kMatrixReport = 3;

// What distinguishes the three reports.
struct TGroupReportKind {
    int kind = kWageReport;
    QString title;         // caption of the screen, title of the report, name of the CSV file
    QString templateName;  // "PrintSyainSalaryList": template <name>.jfm, work file wk<name>.rdf
    QString subtotalLabel; // name column of the group's sum line
    QString averageLabel;  // name column of the group's average line
    QString csvHeading;    // first line of the CSV file
};
// 1 raise, 3 matrix raise, anything else the wage report.
const TGroupReportKind &GroupReportKind(int reportKind);

// --- Selection --------------------------------------------------------------------------------

// One range box: the code and name of the chosen item (0 and empty when none is chosen).
struct TRangeChoice {
    int code = 0;
    QString name;
};
struct TSelectionChoices {
    TRangeChoice markLow, markHigh, gradeLow, gradeHigh, workTypeLow, workTypeHigh;
};
struct TReportSelection {
    TReportRange range;
    QString text; // the ranges as the page heading shows them
};
// Reads the ranges in the order marks, grades, work types; an empty result on success,
// otherwise the refusal of the first reversed range (nothing after it is read).
QString ReadReportSelection(const TSelectionChoices &choices, TReportSelection &out);

inline const QString kMsgMarkRange = QStringLiteral("マーク範囲の指定に誤りがあります。");
inline const QString kMsgGradeRange = QStringLiteral("等級範囲の指定に誤りがあります。");
inline const QString kMsgWorkTypeRange = QStringLiteral("就労形態範囲の指定に誤りがあります。");
inline const QString kMsgNothingToPrint = QStringLiteral("印刷対象データは有りません。");
inline const QString kMsgNothingToWrite = QStringLiteral("対象データは有りません。");
inline const QString kCsvCaption = QStringLiteral("NXｳﾞｧﾙﾃﾝ");

// --- Values per employee ----------------------------------------------------------------------

// The current pay as the wage report shows it: items, allowances and bonuses; the rest follows.
struct TWagePay {
    std::array<qint64, 4> items{}; // [1..3]
    qint64 allowances = 0, bonus1 = 0, bonus2 = 0;
    qint64 base() const { return items[1] + items[2] + items[3]; }
    qint64 fixed() const { return base() + allowances; }
    qint64 annual() const { return fixed() * 12 + bonus1 + bonus2; }
};

// Pay now and after the raise as the raise reports show them.
struct TRaisePay {
    qint64 base = 0, allowances = 0, newBase = 0, newAllowances = 0;
    qint64 fixed() const { return base + allowances; }
    qint64 newFixed() const { return newBase + newAllowances; }
    qint64 raise() const { return newFixed() - fixed(); }
};

struct TEmployeeFigures {
    int age = 0, service = 0;
    TWagePay wage;
    TRaisePay pay;
    std::array<qint64, 4> newItems{}; // base pay items after the raise [1..3]
    int newZone = 0;                  // zone after the matrix raise, 0 without a link
    bool linked = false;              // MLINK is not 0
    QString roleSymbol;               // symbol of the new role evaluation, or its code
};

// Role evaluation symbols by code text (the first entry of each code counts).
QHash<QString, QString> RoleSymbols(const std::vector<TYHYOUKA> &table);

// The values of one employee: ages as of the project's reference date (YearsSince), the new
// base pay items through the shared raise rule.
TEmployeeFigures FiguresOf(const TReportEmployee &e, const MatrixRaiseTable &raises,
                           const QHash<QString, QString> &roleSymbols);

// Sums over employees, added up in 64 bits.
struct TFigureSums {
    qint64 count = 0;
    qint64 ages = 0, services = 0;
    TWagePay wage;
    TRaisePay pay;
    void add(const TEmployeeFigures &f);
    // Each summed amount divided by the count, truncated toward zero.
    TWagePay averageWage() const;
    TRaisePay averagePay() const;
};

// The texts of one printed line, by column.
QStringList EmployeeLine(int reportKind, const TReportEmployee &e, const TEmployeeFigures &f);
QStringList SumLine(int reportKind, const QString &label, const TFigureSums &s);
QStringList AverageLine(int reportKind, const QString &label, const TFigureSums &s);
// The raise rate raise x 100 / current fixed pay as "#0.00"; empty when the fixed pay is 0.
QString RaiseRateText(qint64 raise, qint64 fixed);

// --- Printing ---------------------------------------------------------------------------------

// What the page headings show besides the report.
struct TReportHeading {
    QDate today;          // the date printed in the heading
    int referenceYmd = 0; // ages and years of service as of this date (yyyymmdd)
    QString yearText;     // the fiscal year as shown (NendoText)
    QString company;
};

// The template and work file paths of a report under `reportDir` (the program's Report folder).
QString ReportTemplatePath(const QString &reportDir, int reportKind);
QString ReportWorkFilePath(const QString &reportDir, int reportKind);

// Lays the report out on the engine's pages: prepares the engine, writes every group with its
// sum and average lines, the totals, and ends the document. Returns the work file's path.
// Throws TReportError when the engine fails.
QString LayOutGroupReport(TReportEngine &engine, int reportKind, const QString &reportDir,
                          const std::vector<TReportEmployee> &employees,
                          const std::vector<TEmployeeFigures> &figures,
                          const QString &selectionText, const TReportHeading &heading);

// --- CSV --------------------------------------------------------------------------------------

// The CSV file of a report: gAppPath + "CSV/" + title + ".CSV".
QString GroupCsvPath(int reportKind);
// The file's content before encoding: the heading and one line per employee, CR LF ends.
QString GroupCsvText(int reportKind, const std::vector<TReportEmployee> &employees,
                     const std::vector<TEmployeeFigures> &figures);
// The employees with texts code page 932 cannot hold, with the headings of those fields.
std::vector<CsvLoss> GroupCsvLosses(int reportKind, const std::vector<TReportEmployee> &employees,
                                    const std::vector<TEmployeeFigures> &figures);

// --- The commands -----------------------------------------------------------------------------

// The employees of the selection with their values; the band and matrix tables and the role
// evaluations must have been loaded.
struct TReportData {
    std::vector<TReportEmployee> employees;
    std::vector<TEmployeeFigures> figures;
};
TReportData ReadReportData(const TReportRange &range);

// What a command has to tell the user afterwards (nothing when the text is empty).
struct TReportNotice {
    QString text;
    MsgIcon icon = MsgIcon::Information;
};

// The printed report of the open project: empties gPreviewFile, writes the work file and sets
// gPreviewFile to it. Tells "印刷対象データは有りません。" when no employee is selected, and
// the engine's failure when the report could not be written. `today` is the heading's date.
TReportNotice PrintGroupReport(int reportKind, const TReportSelection &selection,
                               const QDate &today);

// The question before a CSV file is written; true for Yes.
bool AskGroupReportCsv(int reportKind);
// Writes the CSV file of the open project (replacing it as a whole, never half written) and
// tells the outcome, naming the employees whose texts could not be written exactly.
TReportNotice WriteGroupReportCsv(int reportKind, const TReportSelection &selection);
