// Fuzz target: any bytes as an employee import file, through decoding, the record syntax and
// the import check. Besides the sanitizers' own findings, it stops on a check result that the
// import screen could not trust.

#include "employee_csv.h"

#include <cstdint>
#include <cstdlib>

namespace {
void require(bool condition) {
    if (!condition) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray content =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const ImportCheck check = CheckEmployeeCsv(content);

    require(check.rows.size() == check.lineNos.size());
    int errors = 0;
    int lastLine = 1;
    for (size_t r = 0; r < check.rows.size(); ++r) {
        const ImportRow &row = check.rows[r];
        // Records follow the heading in file order.
        require(check.lineNos[r] > lastLine);
        lastLine = check.lineNos[r];
        require(row[ColSex] == kSexMale || row[ColSex] == kSexFemale);
        if (row[ColStatus] == kStatusError) {
            ++errors;
            continue;
        }
        require(row[ColStatus].isEmpty());
        // A row that passed must be one the import can store as it is.
        require(!row[ColName].isEmpty() && !row[ColNumber].isEmpty());
        int ymd = 0;
        require(ParseImportDate(row[ColBirth], ymd));
        require(ParseImportDate(row[ColEntry], ymd));
    }
    require(errors == check.errors);
    if (check.outcome != ImportCheck::Checked)
        require(check.rows.empty() && check.errors == 0);
    else
        require(!check.rows.empty());

    // Every line on its own, as the single-line reader sees it.
    QStringList fields;
    for (const CsvTextLine &line : DecodeCsvLines(content))
        ParseCsvLine(line.text, fields);
    return 0;
}
