#include "employee_csv.h"

#include "employee_store.h"
#include "message_seam.h"
#include "screen_kit.h"
#include "state.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString exportDate(int ymd) {
    if (ymd == 0) return QStringLiteral("\"0\"");
    const QString t = QString::number(ymd);
    return CsvQuote(t.left(4) + QLatin1Char('/') + t.mid(4, 2) + QLatin1Char('/') + t.mid(6, 2));
}

// A text field of the export. A line break stays inside the quoted field, written as LF as
// spreadsheet programs write a cell of several lines (records end in CR LF), so the import
// reads the same text back.
QString exportText(const QString &text) {
    if (!text.contains(QLatin1Char('\r'))) return CsvQuote(text);
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return CsvQuote(t);
}

std::vector<ExportLoss> findLosses(const std::vector<TExportedEmployee> &employees) {
    const QStringList headings = kExportHeading.split(QLatin1Char(','));
    Cp932Probe probe;
    std::vector<ExportLoss> losses;
    for (const TExportedEmployee &e : employees) {
        // The text fields, by their column in the file.
        const std::pair<int, const QString *> texts[] = {
            {0, &e.scot},   {1, &e.sna},    {2, &e.yaku},    {4, &e.gaku},
            {5, &e.senkou}, {6, &e.keiken}, {7, &e.category}};
        ExportLoss loss;
        for (const auto &[column, value] : texts)
            if (!probe.holds(*value)) loss.headings << headings[column];
        if (loss.headings.isEmpty()) continue;
        loss.number = e.scot;
        loss.name = e.sna;
        losses.push_back(std::move(loss));
    }
    return losses;
}

} // namespace

QString EmployeeExportPath() {
    return G().gAppPath + QStringLiteral("CSV/社員マスタ出力.CSV");
}

int WriteEmployeeCsv(std::vector<ExportLoss> *losses) {
    if (!G().gProjectKey.isSet) return 0;
    const std::vector<TExportedEmployee> employees = EmployeesForExport();
    if (employees.empty()) return 0;

    const QString sep = QStringLiteral(",");
    QString text;
    text.reserve(static_cast<qsizetype>(employees.size()) * 120 + 128);
    text += kExportHeading + QStringLiteral("\r\n");
    for (const TExportedEmployee &e : employees) {
        text += exportText(e.scot) + sep;
        text += exportText(e.sna) + sep;
        text += exportText(e.yaku) + sep;
        text += CsvQuote(e.sex == QLatin1String("0") ? kSexMale : kSexFemale) + sep;
        text += exportText(e.gaku) + sep;
        text += exportText(e.senkou) + sep;
        text += exportText(e.keiken) + sep;
        text += exportText(e.category) + sep;
        text += exportDate(e.seihi) + sep;
        text += exportDate(e.nyuhi) + sep;
        text += QString::number(e.grade) + QStringLiteral("\r\n");
    }

    const QString path = EmployeeExportPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return -1;
    bool exact = true;
    file.write(EncodeCp932(text, &exact));
    if (!file.commit()) return -1;
    // Only a file that lost characters is searched for the fields that hold them.
    if (!exact && losses) *losses = findLosses(employees);
    return static_cast<int>(employees.size());
}

void ExportEmployees() {
    if (!G().gProjectKey.isSet) return;
    if (!AskYesNo(QStringLiteral("社員マスタを") + G().gAppPath +
                      QStringLiteral("CSVへ出力します。\r\nよろしいですか？"),
                  kExportCaption))
        return;
    int written = 0;
    std::vector<ExportLoss> losses;
    {
        TBusyCursor busy;
        written = WriteEmployeeCsv(&losses);
    }
    if (written == 0)
        ShowMessage(kMsgNoEmployees);
    else if (written < 0)
        ShowMessage(kMsgExportFailed + EmployeeExportPath(), QString(), MsgIcon::Error);
    else if (!losses.empty())
        ShowMessage(CsvLossMessage(kMsgExported, losses), QString(), MsgIcon::Warning);
    else
        ShowMessage(kMsgExported);
}
