// Employee CSV export, check and import of a 10,000-employee company, next to the sqlite3
// shell's .import of the same rows into a table of the same columns. Prints median times.
//
// Usage: bench_employee_csv [employees] [rounds]   (defaults 10000 and 3)

#include "bench_company.h"
#include "company_generator.h"
#include "database_setup.h"
#include "employee_csv.h"
#include "import_worker.h"
#include "loaders.h"
#include "message_recorder.h"
#include "program_setup.h"
#include "project.h"
#include "state.h"
#include "tdm.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
double medianMs(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

double timeMs(const std::function<void()> &run) {
    QElapsedTimer t;
    t.start();
    run();
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

int count(const char *sql) {
    RunSql(DM().Query22, QString::fromUtf8(sql), 'S');
    const int n = DM().Query22.AsInteger(QStringLiteral("N"));
    DM().Query22.Close();
    return n;
}

bool writeBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int employees = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 3;

    QTemporaryDir dir;
    SetAppPath(dir.path());
    TDM dm;
    MessageRecorder messages;
    QDir().mkpath(G().gDataPath);

    generator::CompanyOptions company;
    company.kco = 1;
    company.name = QStringLiteral("ベンチ株式会社");
    company.years = {2018};
    company.employees = employees;
    company.seed = 7;
    QElapsedTimer setup;
    setup.start();
    if (!generator::WriteCompanyDatabase(G().gDataPath + dbsetup::kDataFile, company) ||
        !generator::WriteControlDatabase(G().gDataPath + dbsetup::kControlFile, {company})) {
        std::fprintf(stderr, "could not create the databases\n");
        return 1;
    }
    if (!MoveBenchCompanyToServer()) return 1;
    PrepareProgramFolders();
    OpenDatabases();
    LoadCalendarSettings();
    if (!OpenProject(1, 2018)) {
        std::fprintf(stderr, "the company has no settings\n");
        return 1;
    }
    const int stored = count("SELECT count(*) AS N FROM MSYAIN1 WHERE KCO = 1 AND NENDO = 2018");
    std::printf("on %s\n", qPrintable(BenchEngineText()));
    std::printf("company with %d employees made in %.0f ms\n", stored,
                static_cast<double>(setup.elapsed()));

    // Export.
    std::vector<double> exportMs;
    for (int r = 0; r < rounds; ++r) {
        messages.answer(true);
        exportMs.push_back(timeMs([] { ExportEmployees(); }));
    }
    if (messages.lastText() != kMsgExported) {
        std::fprintf(stderr, "export failed: %s\n", qPrintable(messages.lastText()));
        return 1;
    }
    QFile exported(EmployeeExportPath());
    exported.open(QIODevice::ReadOnly);
    const QByteArray csv = exported.readAll();
    const QString input = dir.path() + QStringLiteral("/input.csv");
    writeBytes(input, csv);

    // Check and import through the screen (replacing, so every round starts alike).
    TfrmImportWorker screen;
    screen.findChild<QLineEdit *>(QStringLiteral("EB_FileName"))->setText(input);
    std::vector<double> checkMs, importMs, totalMs;
    for (int r = 0; r < rounds; ++r) {
        messages.clear();
        bool ok = false;
        const double check = timeMs([&] { ok = screen.BTN_CheckClick(); });
        messages.answer(true);
        const double import = timeMs([&] { screen.BTN_RepClick(); });
        if (!ok || messages.entries.size() != 1) {
            std::fprintf(stderr, "import failed: %s\n", qPrintable(messages.texts().join('|')));
            return 1;
        }
        checkMs.push_back(check);
        importMs.push_back(import);
        totalMs.push_back(check + import);
    }
    const int after = count("SELECT count(*) AS N FROM MSYAIN1 WHERE KCO = 1 AND NENDO = 2018");

    // Baseline: the sqlite3 shell importing the same rows (as UTF-8, which it reads).
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    std::vector<double> shellMs;
    if (!shell.isEmpty()) {
        QString text;
        DecodeCp932(csv, text);
        const QString utf8 = dir.path() + QStringLiteral("/input-utf8.csv");
        writeBytes(utf8, text.toUtf8());
        for (int r = 0; r < rounds; ++r) {
            const QString db = dir.path() + QStringLiteral("/baseline%1.db").arg(r);
            QProcess create;
            create.start(shell, {db, QStringLiteral("CREATE TABLE emp(社員番号 TEXT, 社員名 TEXT, "
                                                    "役職 TEXT, 性別 TEXT, 学歴 TEXT, 専攻 TEXT, "
                                                    "職務経験 TEXT, 社内身分 TEXT, 生年月日 TEXT, "
                                                    "入社日 TEXT, 賃金等級 INTEGER);")});
            create.waitForFinished(-1);
            QProcess import;
            const double ms = timeMs([&] {
                import.start(shell, {db, QStringLiteral(".import --csv --skip 1 ") + utf8 +
                                             QStringLiteral(" emp")});
                import.waitForFinished(-1);
            });
            shellMs.push_back(ms);
        }
    }

    const double exportMed = medianMs(exportMs);
    const double checkMed = medianMs(checkMs);
    const double importMed = medianMs(importMs);
    const double totalMed = medianMs(totalMs);
    const double shellMed = medianMs(shellMs);
    std::printf("file: %lld bytes, %d employees after import\n", static_cast<long long>(csv.size()),
                after);
    std::printf("export (confirm, query, encode, write): %8.1f ms (median of %d)\n", exportMed,
                rounds);
    std::printf("check into the preview grid:            %8.1f ms\n", checkMed);
    std::printf("replace import (delete + insert):       %8.1f ms\n", importMed);
    std::printf("check + import:                         %8.1f ms\n", totalMed);
    if (shellMed > 0) {
        std::printf("sqlite3 .import of the same rows:       %8.1f ms\n", shellMed);
        std::printf("ratio check+import / sqlite3 .import:   %8.1f\n", totalMed / shellMed);
        std::printf("ratio export / sqlite3 .import:         %8.1f\n", exportMed / shellMed);
    } else {
        std::printf("sqlite3 shell not found: no baseline\n");
    }
    return 0;
}
