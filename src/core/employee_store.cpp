#include "employee_store.h"

#include "project.h"
#include "sql_builder.h"
#include "state.h"
#include "tdm.h"
#include "utilities.h"

#include <QDate>
#include <QDateTime>

namespace {

const QString kTable1 = QStringLiteral("MSYAIN1");
const QString kTable2 = QStringLiteral("MSYAIN2");
// The columns an import writes, in the order their values are bound.
const QStringList kImportColumns1 =
    QStringLiteral("KCO HSCO SCO NENDO SCOT SNA SEIHI NYUHI YAKU TCO NEWDAY1").split(u' ');
const QStringList kImportColumns2 =
    QStringLiteral("KCO SCO NENDO SEIBETSU TOUKYU SM1 SM2 GAKU SENKOU KSIKAKU KEIKEN").split(u' ');

QString employeeWhere(int sco) {
    return G().gProjectKey.where() + QStringLiteral(" AND SCO = %1").arg(sco);
}

// An amount column as the register shows it: whole yen, rounded half away from zero.
qint64 amount(const TQuery &q, const QString &column) {
    return ToInt64(RoundHalfUp(1, FieldVarToFloat(q.Value(column))));
}

int integer(const TQuery &q, const char *column) {
    return FieldVarToInt(q.Value(QLatin1String(column)));
}

// The MSYAIN1 columns the register writes on both inserting and changing an employee.
SqlRow &addRegisterColumns1(SqlRow &row, const TEmployee &e) {
    return row.set(QStringLiteral("SCOT"), e.scot)
        .set(QStringLiteral("SNA"), e.sna)
        .set(QStringLiteral("SEIHI"), e.seihi)
        .set(QStringLiteral("NYUHI"), e.nyuhi)
        .set(QStringLiteral("YAKU"), e.yaku)
        .set(QStringLiteral("TCO"), e.grade)
        .set(QStringLiteral("NENREI"), YearsSince(e.seihi))
        .set(QStringLiteral("KINZOKU"), YearsSince(e.nyuhi))
        .set(QStringLiteral("NENSU"), e.experience)
        .set(QStringLiteral("JISEKI"), e.wageLink)
        .set(QStringLiteral("TRITSU"), e.tritsu)
        .set(QStringLiteral("SRITSU"), e.sritsu)
        .set(QStringLiteral("SYOUYO"), e.bonus1)
        .set(QStringLiteral("NENSYU"), e.nensyu)
        .set(QStringLiteral("MCO"), e.mark)
        .set(QStringLiteral("MNA"), QString())
        .set(QStringLiteral("MLINK"), e.link)
        .set(QStringLiteral("BANDID"), e.band)
        .set(QStringLiteral("YHYOUKA"), e.yhyouka);
}

// The MSYAIN2 columns the register writes on both inserting and changing an employee.
SqlRow &addRegisterColumns2(SqlRow &row, const TEmployee &e) {
    row.set(QStringLiteral("SEIBETSU"), e.sex)
        .set(QStringLiteral("TOUKYU"), e.grade)
        .set(QStringLiteral("GOUHOU"), e.step)
        .set(QStringLiteral("SM1"), e.workType)
        .set(QStringLiteral("SM2"), QString())
        .set(QStringLiteral("GAKU"), e.gaku)
        .set(QStringLiteral("SENKOU"), e.senkou)
        .set(QStringLiteral("KSIKAKU"), e.ksikaku)
        .set(QStringLiteral("KEIKEN"), e.keiken)
        .set(QStringLiteral("THI"), e.thi)
        .set(QStringLiteral("ZONEX"), e.zone)
        .set(QStringLiteral("TENSU"), e.points)
        .set(QStringLiteral("HCO"), e.hco)
        .set(QStringLiteral("UPK"), e.upk)
        .set(QStringLiteral("UPT"), e.upt)
        .setNumbered(QStringLiteral("KKYU"), e.kkyu, 3)
        .setNumbered(QStringLiteral("TEATE"), e.teate, 5)
        .setNumbered(QStringLiteral("NKKYU"), e.nkkyu, 3)
        .setNumbered(QStringLiteral("NTEATE"), e.nteate, 5)
        .set(QStringLiteral("SYOUYO2"), e.bonus2)
        .set(QStringLiteral("NNENSYU"), e.nnensyu)
        .setNumbered(QStringLiteral("HNA"), e.hna, 3);
    return row.set(QStringLiteral("SYOTEI"), e.syotei)
        .set(QStringLiteral("NSYOTEI"), e.nsyotei)
        .set(QStringLiteral("SPATH"), e.spath);
}

SqlRow keyRow(int sco) {
    const ProjectKey &key = G().gProjectKey;
    SqlRow row;
    row.set(QStringLiteral("KCO"), key.kco)
        .set(QStringLiteral("SCO"), sco)
        .set(QStringLiteral("NENDO"), key.nendo);
    return row;
}

// Runs the statements of one employee save as one transaction.
bool runBoth(const QString &sql1, const QString &sql2) {
    ScopedTransaction transaction(DM().ACN2);
    TQuery q(DM().ACN2);
    // A failure has shown its message; both tables stay as they were.
    return RunSql(q, sql1, 'E') && RunSql(q, sql2, 'E') && transaction.commit();
}

} // namespace

std::vector<EmployeeListRow> ListEmployees(int grade) {
    std::vector<EmployeeListRow> rows;
    QString rest;
    if (grade != 0) rest = QStringLiteral(" AND TOUKYU = %1").arg(grade);
    // Only the listed columns are read: the view's wage-table amounts are not needed here.
    TQuery q(DM().ACN2);
    SelectOfProject(
        q, QStringLiteral("SCO, SCOT, SNA, SEIHI, NYUHI, YAKU, HCO, TOUKYU, GOUHOU, ZONEX"),
        QStringLiteral("VSYAIN"), rest + QStringLiteral(" ORDER BY KCO,SCO"));
    rows.reserve(q.RecordCount());
    for (; !q.Eof(); q.Next()) {
        EmployeeListRow r;
        r.sco = q.AsInteger(QStringLiteral("SCO"));
        r.scot = q.AsString(QStringLiteral("SCOT"));
        r.sna = q.AsString(QStringLiteral("SNA"));
        r.seihi = q.AsInteger(QStringLiteral("SEIHI"));
        r.nyuhi = q.AsInteger(QStringLiteral("NYUHI"));
        r.yaku = q.AsString(QStringLiteral("YAKU"));
        r.hco = q.AsInteger(QStringLiteral("HCO"));
        r.toukyu = q.AsString(QStringLiteral("TOUKYU"));
        r.gouhou = q.AsString(QStringLiteral("GOUHOU"));
        r.zonex = q.AsString(QStringLiteral("ZONEX"));
        rows.push_back(std::move(r));
    }
    return rows;
}

bool EmployeeExists(int sco) {
    if (!G().gProjectKey.isSet) return false;
    TQuery q(DM().ACN2);
    RunSql(q, QStringLiteral("SELECT SCO FROM MSYAIN1") + employeeWhere(sco), 'S');
    return !q.Eof();
}

bool ReadEmployee(int sco, TEmployee &e) {
    e = TEmployee{};
    if (!G().gProjectKey.isSet) return false;
    TQuery q(DM().ACN2);
    RunSql(q, QStringLiteral("SELECT * FROM VSYAIN") + employeeWhere(sco), 'S');
    if (q.Eof()) return false;
    const auto text = [&q](const char *column) { return q.AsString(QLatin1String(column)); };
    e.sco = sco;
    e.scot = text("SCOT");
    e.sna = text("SNA");
    e.yaku = text("YAKU");
    e.seihi = integer(q, "SEIHI");
    e.nyuhi = integer(q, "NYUHI");
    e.thi = integer(q, "THI");
    e.sex = integer(q, "SEIBETSU");
    e.grade = integer(q, "TOUKYU");
    e.step = integer(q, "GOUHOU");
    e.workType = integer(q, "SM1");
    e.gaku = text("GAKU");
    e.senkou = text("SENKOU");
    e.ksikaku = text("KSIKAKU");
    e.keiken = text("KEIKEN");
    e.spath = text("SPATH");
    ReadNumbered(e.hna, QStringLiteral("HNA"), 3,
                 [&q](const QString &column) { return q.AsString(column); });
    e.tritsu = FieldVarToFloat(q.Value(QStringLiteral("TRITSU")));
    e.sritsu = FieldVarToFloat(q.Value(QStringLiteral("SRITSU")));
    e.experience = integer(q, "NENSU");
    e.points = integer(q, "TENSU");
    e.hco = integer(q, "HCO");
    e.mark = integer(q, "MCO");
    e.band = integer(q, "BANDID");
    e.yhyouka = integer(q, "YHYOUKA");
    e.zone = integer(q, "ZONEX");
    e.link = integer(q, "MLINK");
    e.wageLink = integer(q, "JISEKI");
    const auto amountOf = [&q](const QString &column) { return amount(q, column); };
    ReadNumbered(e.kkyu, QStringLiteral("KKYU"), 3, amountOf);
    ReadNumbered(e.nkkyu, QStringLiteral("NKKYU"), 3, amountOf);
    ReadNumbered(e.teate, QStringLiteral("TEATE"), 5, amountOf);
    ReadNumbered(e.nteate, QStringLiteral("NTEATE"), 5, amountOf);
    e.bonus1 = amount(q, QStringLiteral("SYOUYO"));
    e.bonus2 = amount(q, QStringLiteral("SYOUYO2"));
    e.nkin = amount(q, QStringLiteral("NKIN"));
    e.newBand = integer(q, "NEWBANDID");
    e.newYhyouka = integer(q, "NEWYHYOUKA");
    return true;
}

bool InsertEmployee(const TEmployee &e) {
    if (!G().gProjectKey.isSet) return false;
    SqlRow row1 = keyRow(e.sco);
    row1.set(QStringLiteral("HSCO"), 0);
    addRegisterColumns1(row1, e)
        .set(QStringLiteral("SKCO"), 0)
        .set(QStringLiteral("SIKAKUGO"), 0)
        .set(QStringLiteral("NENKYU"), 0)
        .set(QStringLiteral("SYOKUKYU"), 0)
        .set(QStringLiteral("KIHONKYU"), 0)
        .set(QStringLiteral("SYOTEIKYU"), 0)
        .set(QStringLiteral("MZONE"), 0)
        .set(QStringLiteral("NEWBANDID"), 0)
        .set(QStringLiteral("NEWYHYOUKA"), 0)
        .set(QStringLiteral("NEWMZONE"), 0)
        .set(QStringLiteral("NEWDAY1"),
             QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")));
    SqlRow row2 = keyRow(e.sco);
    addRegisterColumns2(row2, e);
    for (const char *column :
         {"NSRITSU", "NTOUKYU", "SGOUHOU", "NGOUHOU", "FSKCHK", "HCO1", "HCO2", "HCO3"})
        row2.set(QLatin1String(column), 0);
    return runBoth(row1.insertInto(kTable1), row2.insertInto(kTable2));
}

bool UpdateEmployee(const TEmployee &e) {
    if (!G().gProjectKey.isSet) return false;
    SqlRow row1;
    SqlRow row2;
    const QString where = employeeWhere(e.sco);
    return runBoth(addRegisterColumns1(row1, e).update(kTable1, where),
                   addRegisterColumns2(row2, e).update(kTable2, where));
}

bool DeleteEmployee(int sco) {
    if (!G().gProjectKey.isSet) return false;
    const QString where = employeeWhere(sco);
    return runBoth(QStringLiteral("DELETE FROM ") + kTable1 + where,
                   QStringLiteral("DELETE FROM ") + kTable2 + where);
}

ImportOutcome ImportEmployees(const std::vector<TImportedEmployee> &rows, bool replace) {
    ImportOutcome outcome;
    const ProjectKey &key = G().gProjectKey;
    if (!key.isSet) return outcome;
    ScopedTransaction transaction(DM().ACN2);
    TQuery q(DM().ACN2);
    if (replace && (!RunSql(q, QStringLiteral("DELETE FROM ") + kTable1 + key.where(), 'E') ||
                    !RunSql(q, QStringLiteral("DELETE FROM ") + kTable2 + key.where(), 'E')))
        return outcome;
    if (!RunSql(q, QStringLiteral("SELECT MAX(SCO) AS MAXSCO FROM ") + kTable1 + key.where(), 'S'))
        return outcome;
    int sco = q.AsInteger(QStringLiteral("MAXSCO")) + 1;
    q.Close();

    // One prepared statement per table, bound for every employee.
    TPrepared insert1(DM().ACN2, InsertTemplate(kTable1, kImportColumns1));
    TPrepared insert2(DM().ACN2, InsertTemplate(kTable2, kImportColumns2));
    if (!insert1.isValid() || !insert2.isValid()) return outcome;
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
    for (size_t r = 0; r < rows.size(); ++r, ++sco) {
        const TImportedEmployee &e = rows[r];
        if (!insert1.run({key.kco, 0, sco, key.nendo, TextValue(e.scot), TextValue(e.sna), e.seihi,
                          e.nyuhi, TextValue(e.yaku), e.grade, today}) ||
            !insert2.run({key.kco, sco, key.nendo, e.sex, e.grade, e.workType,
                          TextValue(e.category), TextValue(e.gaku), TextValue(e.senkou),
                          TextValue(e.ksikaku), TextValue(e.keiken)})) {
            outcome.failedRow = static_cast<int>(r);
            return outcome;
        }
    }
    outcome.ok = transaction.commit();
    return outcome;
}

std::vector<TExportedEmployee> EmployeesForExport() {
    std::vector<TExportedEmployee> rows;
    TQuery q(DM().ACN2);
    SelectOfProject(q,
                    QStringLiteral("SCOT, SNA, YAKU, SEIBETSU, GAKU, SENKOU, KEIKEN, SM2, SEIHI, "
                                   "NYUHI, TOUKYU"),
                    QStringLiteral("VSYAIN"), QStringLiteral(" ORDER BY SCOT"));
    rows.reserve(q.RecordCount());
    for (; !q.Eof(); q.Next()) {
        const auto text = [&q](const char *column) { return q.AsString(QLatin1String(column)); };
        rows.push_back({text("SCOT"), text("SNA"), text("YAKU"), text("SEIBETSU"), text("GAKU"),
                        text("SENKOU"), text("KEIKEN"), text("SM2"),
                        q.AsInteger(QStringLiteral("SEIHI")), q.AsInteger(QStringLiteral("NYUHI")),
                        q.AsInteger(QStringLiteral("TOUKYU"))});
    }
    return rows;
}
