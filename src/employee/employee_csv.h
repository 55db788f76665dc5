#pragma once
// The employee CSV files: Shift_JIS (code page 932) encoding, CSV field syntax, the check of
// an import file into preview rows, and the export of the open project's employees.
// Everything here except ExportEmployees is free of widgets and dialogs.

#include "csv_text.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// --- Encoding -------------------------------------------------------------------------------

// One line of a text file, decoded, without its line end.
struct CsvTextLine {
    QString text;
    int lineNo = 0;       // from 1
    bool badText = false; // invalid bytes for the file's encoding, or a NUL byte
};

// Splits a file into lines (CR LF, LF or CR) and decodes them: UTF-8 when the file starts with
// a UTF-8 byte-order mark or is valid UTF-8 throughout, otherwise code page 932 (unless UTF-8
// leaves fewer lines undecodable). A line end at the very end of the file starts no line.
std::vector<CsvTextLine> DecodeCsvLines(const QByteArray &content);

// --- Field syntax ---------------------------------------------------------------------------

// The fields of one CSV line. A field that starts with a double quote runs to the closing
// quote (a doubled quote inside stands for one quote); anything between the closing quote and
// the next comma is kept as it is. An unquoted field runs to the next comma and loses a
// leading backslash. Returns false when a quoted field is not closed before the end of the
// line (that field then holds the rest of the line).
bool ParseCsvLine(const QString &line, QStringList &fields);

// One record of a CSV file: one line, or several when a quoted field holds line breaks.
struct CsvRecord {
    QStringList fields;
    int lineNo = 0;         // the line the record starts on
    bool badText = false;   // one of its lines has invalid bytes or a NUL byte
    bool wellFormed = true; // every quoted field is closed as the syntax asks
};

// Reads the record that starts at lines[from] with the syntax of ParseCsvLine, except that a
// quoted field still open at the end of a line goes on at the start of the next one. A line
// break inside a field reads as "\n", whatever the file's line ends (the form the text boxes
// of the register use). A quoted field that went on over a line break is closed only by a
// quote followed by a comma or by the end of the record; any other single quote in it is kept
// and makes the record malformed, as does a quoted field still open at the end of the file.
// Returns the index of the first line after the record.
size_t ReadCsvRecord(const std::vector<CsvTextLine> &lines, size_t from, CsvRecord &record);

// --- Import check ---------------------------------------------------------------------------

// The columns of the import preview; column 0 is the row status.
inline constexpr int kImportColumns = 16;
enum ImportColumn {
    ColStatus,
    ColName,
    ColNumber,
    ColBranchId,
    ColJobId,
    ColPosition,
    ColSex,
    ColEducation,
    ColMajor,
    ColExperience,
    ColCategory,
    ColBirth,
    ColEntry,
    ColGrade,
    ColPosting,
    ColQualification,
};
const std::array<QString, kImportColumns> &ImportHeadings();
inline const QString kStatusError = QStringLiteral("ERROR");
inline const QString kSexMale = QStringLiteral("男");
inline const QString kSexFemale = QStringLiteral("女");

// "男" for the values that mean male ("男性", "True", "true", "TRUE", "1", "-1", "男"), "女"
// for every other value, empty included.
QString NormaliseSex(const QString &value);

// A date written year/month/day with "/" (four-digit year, or two digits read as 2000..2030
// and 1931..1999) as yyyymmdd; false when it is none or no calendar date.
bool ParseSlashDate(const QString &text, int &ymd);
// A date field of the import: empty and "0" (what the export writes for no date) give 0.
bool ParseImportDate(const QString &text, int &ymd);

using ImportRow = std::array<QString, kImportColumns>;

struct ImportCheck {
    enum Outcome { Checked, NoData, NoHeading };
    Outcome outcome = NoData;
    std::vector<ImportRow> rows;
    std::vector<int> lineNos; // the file line each row starts on
    int errors = 0;
};

// Checks the content of an import file: maps the heading record to the preview columns, puts
// each further record into a row and marks rows that cannot be imported with "ERROR". A record
// with fewer fields than the heading has its missing trailing fields empty; fields beyond the
// heading are ignored. Empty lines between records are skipped; a file without data records
// is NoData.
ImportCheck CheckEmployeeCsv(const QByteArray &content);

// --- Export ---------------------------------------------------------------------------------

inline const QString kExportHeading = QStringLiteral(
    "社員番号,社員名,役職,性別,学歴,専攻,職務経験,社内身分,生年月日,入社日,賃金等級");

// The export file beside the program: gAppPath + "CSV/社員マスタ出力.CSV".
QString EmployeeExportPath();

// An exported employee with texts the code page cannot hold: the headings of the fields
// written with "?".
using ExportLoss = CsvLoss;

// Writes the employees of the open project, ordered by employee number, to the export file.
// Returns the number of employees written, 0 when the project has none (nothing is written),
// or -1 when the file could not be written. `losses`, when given, receives the employees whose
// texts were not written exactly, in file order.
int WriteEmployeeCsv(std::vector<ExportLoss> *losses = nullptr);

// The export command: asks for confirmation, writes the file and tells the user the outcome,
// naming the employees and fields that could not be written exactly.
void ExportEmployees();

inline const QString kMsgNoEmployees = QStringLiteral("社員マスタは有りません。");
inline const QString kMsgExported = QStringLiteral("CSVデレクトリに社員マスタが出力されました。");
inline const QString &kMsgExportFailed = kMsgCsvFailed;
inline const QString kExportCaption = QStringLiteral("NXｳﾞｧﾙﾃﾝ");
