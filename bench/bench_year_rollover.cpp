// Rolls a generated company of 10,000 employees over to the next fiscal year and, side by side
// in the same run, copies the same tables to the next year with plain INSERT ... SELECT
// statements in one transaction. Prints the median of both and their ratio (goal: at most 3).
//
// Usage: bench_year_rollover [employees] [rounds]   (defaults 10000 and 5)

#include "bench_company.h"
#include "company_store.h"
#include "database_setup.h"
#include "message_recorder.h"
#include "program_setup.h"
#include "project.h"
#include "state.h"
#include "tdm.h"
#include "year_rollover.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The tables the year end copies, data database first, then the company index.
const QStringList kTables = {"MKIGYOU2", "MGRAPH",    "MHYOUKA",    "MMARK",    "MSEIKEI",
                             "MCHART",   "DSPDRAW",   "MCHINGIN",   "DSCALE",   "DKSEN2",
                             "DKSEN3",   "DCHINGIN2", "MSYAIN1",    "MSYAIN2",  "YHYOUKA",
                             "BANDM",    "MATRIXID",  "MATRIXCELL", "SALARYNAME"};

// "INSERT INTO t SELECT <every column, NENDO + 1 for NENDO> FROM t WHERE <year>".
QString plainCopy(TConnection &connection, const QString &table, const ProjectKey &from) {
    TQuery q(connection);
    RunSql(q, QStringLiteral("PRAGMA table_info(%1)").arg(table), 'S');
    QStringList columns;
    for (; !q.Eof(); q.Next()) {
        const QString name = q.AsString(QStringLiteral("name"));
        columns << (name == QLatin1String("NENDO") ? QStringLiteral("NENDO + 1") : name);
    }
    return QStringLiteral("INSERT INTO %1 SELECT %2 FROM %1%3")
        .arg(table, columns.join(QStringLiteral(", ")), from.where());
}

ProjectKey keyOf(int kco, int nendo) {
    ProjectKey key;
    key.kco = kco;
    key.nendo = nendo;
    key.isSet = true;
    return key;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int employees = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    QTemporaryDir dir;
    TDM dm;
    MessageRecorder messages;
    if (!OpenBenchCompany(dir.path(), employees, 4242, false)) return 1;
    const ProjectKey from = keyOf(1, 2018);
    const ProjectKey next = keyOf(1, 2019);

    QStringList copies;
    for (const QString &table : kTables)
        copies << plainCopy(DM().ACN2, table, from);
    const QString indexCopy =
        plainCopy(DM().ACN1, QStringLiteral("MKIGYOU1"), from)
            .replace(QStringLiteral("INSERT INTO MKIGYOU1"),
                     QStringLiteral("INSERT INTO ") + kControlSchema + QStringLiteral(".MKIGYOU1"))
            .replace(QStringLiteral(" FROM MKIGYOU1"),
                     QStringLiteral(" FROM ") + kControlSchema + QStringLiteral(".MKIGYOU1"));

    std::vector<double> plain, rollover;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer timer;
        timer.start();
        {
            BothDatabasesTransaction transaction;
            TQuery q(DM().ACN2);
            for (const QString &sql : copies)
                RunSql(q, sql, 'E');
            RunSql(q, indexCopy, 'E');
            transaction.commit();
        }
        plain.push_back(timer.nsecsElapsed() / 1e6);
        DeleteCompany(next);

        timer.restart();
        const RolloverOutcome outcome = RollOverCompanyYear(from, 20181215);
        rollover.push_back(timer.nsecsElapsed() / 1e6);
        if (outcome != RolloverOutcome::Done) {
            std::fprintf(stderr, "the rollover failed\n");
            return 1;
        }
        DeleteCompany(next);
    }
    const double ratio = Median(rollover) / Median(plain);
    std::printf("year end of %d employees (median of %d rounds)\n", employees, rounds);
    std::printf("  plain INSERT ... SELECT copy : %8.1f ms\n", Median(plain));
    std::printf("  year end (rollover)          : %8.1f ms\n", Median(rollover));
    std::printf("  ratio                        : %8.2f (goal: at most 3)\n", ratio);
    if (!messages.entries.isEmpty())
        std::printf("  messages shown: %s\n", qPrintable(messages.texts().join(QLatin1Char('|'))));
    return 0;
}
