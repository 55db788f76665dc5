#include "company_store.h"

#include "message_seam.h"
#include "sql_builder.h"
#include "tdm.h"

namespace {

const QString kIndexTable = kControlSchema + QStringLiteral(".MKIGYOU1");

// The per-project tables a company is deleted from, in the order they are emptied.
const QStringList kDataTables = {
    QStringLiteral("MSYAIN1"),    QStringLiteral("MSYAIN2"),   QStringLiteral("MKIGYOU2"),
    QStringLiteral("MMARK"),      QStringLiteral("MGRAPH"),    QStringLiteral("MCHART"),
    QStringLiteral("DCHINGIN"),   QStringLiteral("DCHINGIN2"), QStringLiteral("DKSEN2"),
    QStringLiteral("DKSEN3"),     QStringLiteral("DSCALE"),    QStringLiteral("DSPDRAW"),
    QStringLiteral("MCHINGIN"),   QStringLiteral("MHYOUKA"),   QStringLiteral("YHYOUKA"),
    QStringLiteral("BANDM"),      QStringLiteral("MATRIXID"),  QStringLiteral("MATRIXCELL"),
    QStringLiteral("SALARYNAME"), QStringLiteral("MGENSHI"),
};

// The settings columns of MKIGYOU2 after its key, as registering and changing write them.
SqlRow &addSettings(SqlRow &row, const TMKIGYOU2 &s) {
    row.set(QStringLiteral("KNA"), s.Kna)
        .set(QStringLiteral("CYOUSAHI"), s.Cyousahi)
        .set(QStringLiteral("BEARITSU"), s.Bearitsu)
        .set(QStringLiteral("TAIKEI"), s.Taikei)
        .setNumbered(QStringLiteral("KKNA"), s.Kkna, 3)
        .setNumbered(QStringLiteral("TNA"), s.Tna, 5)
        .set(QStringLiteral("MCCO"), s.Mcco)
        .set(QStringLiteral("MDCO"), s.Mdco)
        .setNumbered(QStringLiteral("TK"), s.Tk, 9, 2);
    return row.set(QStringLiteral("FRSTKYU"), s.Frstkyu)
        .set(QStringLiteral("SKCO"), s.Skco)
        .set(QStringLiteral("SYOUKYUHI"), s.Syoukyuhi)
        .set(QStringLiteral("FRSTKYUM"), s.Frstkyum)
        .set(QStringLiteral("FRENCM"), 0);
}

SqlRow keyRow(const ProjectKey &key) {
    SqlRow row;
    row.set(QStringLiteral("KCO"), key.kco).set(QStringLiteral("NENDO"), key.nendo);
    return row;
}

// Copies the default marks (control table MMMARK) or graph lines (MMGRAPH) of company 0, year
// 9999, numbers 1..last, to the new company, one row per number that has a default.
bool copyDefaults(TQuery &q, const ProjectKey &key, const QString &from, const QString &to,
                  const QString &numberColumn, int last, const QStringList &texts,
                  const QStringList &integers) {
    TQuery defaults(DM().ACN2);
    for (int n = 1; n <= last; ++n) {
        RunSql(defaults,
               QStringLiteral("SELECT * FROM ") + kControlSchema + QLatin1Char('.') + from +
                   QStringLiteral(" WHERE ") + numberColumn +
                   QStringLiteral(" = %1 AND NENDO = 9999 AND KCO = 0").arg(n),
               'S');
        if (defaults.Eof()) continue;
        SqlRow row = keyRow(key);
        row.set(numberColumn, defaults.AsInteger(numberColumn));
        for (const QString &column : texts)
            row.set(column, defaults.AsString(column));
        for (const QString &column : integers)
            row.set(column, defaults.AsInteger(column));
        if (!RunSql(q, row.insertInto(to), 'E')) return false;
    }
    return true;
}

// Commits a save over both databases when all its statements ran; a save that could not
// start reports the SQL failure.
bool finish(BothDatabasesTransaction &transaction, bool ok) {
    if (!transaction.active()) {
        ShowMessage(kMsgSqlUnknown, QString(), MsgIcon::Error);
        return false;
    }
    return ok && transaction.commit();
}

} // namespace

std::vector<CompanyIndexRow> CompaniesOfYear(int nendo) {
    std::vector<CompanyIndexRow> rows;
    TQuery q(DM().ACN1);
    RunSql(q,
           QStringLiteral("SELECT KCO, KNA, REKI, FNK, KDATE FROM MKIGYOU1 WHERE NENDO = ") +
               SqlInt(nendo) + QStringLiteral(" ORDER BY KCO"),
           'S');
    for (; !q.Eof(); q.Next())
        rows.push_back({q.AsInteger(QStringLiteral("KCO")), q.AsString(QStringLiteral("KNA")),
                        q.AsInteger(QStringLiteral("REKI")), q.AsInteger(QStringLiteral("FNK")),
                        q.AsInteger(QStringLiteral("KDATE"))});
    return rows;
}

int HighestCompanyCode() {
    TQuery q(DM().ACN1);
    RunSql(q, QStringLiteral("SELECT MAX(KCO) AS MAXKCO FROM MKIGYOU1"), 'S');
    return q.Eof() ? 0 : q.AsInteger(QStringLiteral("MAXKCO"));
}

bool ReadCompanyIndex(int kco, int nendo, CompanyIndexRow &row) {
    row = CompanyIndexRow{};
    TQuery q(DM().ACN1);
    RunSql(q, QStringLiteral("SELECT * FROM MKIGYOU1") + ProjectKey{kco, nendo, true}.where(), 'S');
    if (q.Eof()) return false;
    row = {kco, q.AsString(QStringLiteral("KNA")), q.AsInteger(QStringLiteral("REKI")),
           q.AsInteger(QStringLiteral("FNK")), q.AsInteger(QStringLiteral("KDATE"))};
    return true;
}

bool RegisterCompany(const ProjectKey &key, const TMKIGYOU2 &settings, int registeredYmd) {
    BothDatabasesTransaction transaction;
    TQuery q(DM().ACN2);
    bool ok = true;
    if (transaction.active()) {
        SqlRow index = keyRow(key);
        index.set(QStringLiteral("KNA"), settings.Kna)
            .set(QStringLiteral("PATH"), QString())
            .set(QStringLiteral("SDATE"), registeredYmd)
            .set(QStringLiteral("FNK"), 0)
            .set(QStringLiteral("KDATE"), 20040401)
            .set(QStringLiteral("REKI"), 0);
        SqlRow row = keyRow(key);
        ok = RunSql(q, index.insertInto(kIndexTable), 'E') &&
             RunSql(q, addSettings(row, settings).insertInto(QStringLiteral("MKIGYOU2")), 'E') &&
             copyDefaults(
                 q, key, QStringLiteral("MMMARK"), QStringLiteral("MMARK"), QStringLiteral("MKCO"),
                 6,
                 {QStringLiteral("MARK"), QStringLiteral("HANREI"), QStringLiteral("MKCOLOR"),
                  QStringLiteral("KCOLOR")},
                 {QStringLiteral("MKSIZE"), QStringLiteral("KSYURUI"), QStringLiteral("KHABA")}) &&
             copyDefaults(q, key, QStringLiteral("MMGRAPH"), QStringLiteral("MGRAPH"),
                          QStringLiteral("GSCO"), 4, {QStringLiteral("CCOLOR")},
                          {QStringLiteral("CSYURUI"), QStringLiteral("CHABA")});
    }
    return finish(transaction, ok);
}

bool ModifyCompany(const ProjectKey &key, const TMKIGYOU2 &settings) {
    BothDatabasesTransaction transaction;
    TQuery q(DM().ACN2);
    bool ok = true;
    if (transaction.active()) {
        SqlRow name;
        name.set(QStringLiteral("KNA"), settings.Kna);
        SqlRow row;
        ok = RunSql(q, name.update(kIndexTable, key.where()), 'E') &&
             RunSql(q, addSettings(row, settings).update(QStringLiteral("MKIGYOU2"), key.where()),
                    'E');
    }
    return finish(transaction, ok);
}

bool DeleteCompany(const ProjectKey &key) {
    BothDatabasesTransaction transaction;
    TQuery q(DM().ACN2);
    bool ok = true;
    if (transaction.active()) {
        for (const QString &table : kDataTables) {
            ok = RunSql(q, QStringLiteral("DELETE FROM ") + table + key.where(), 'E');
            if (!ok) break;
        }
        if (ok) ok = RunSql(q, QStringLiteral("DELETE FROM ") + kIndexTable + key.where(), 'E');
    }
    return finish(transaction, ok);
}
