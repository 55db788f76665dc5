#include "employee_store.h"

#include "project.h"
#include "sql_builder.h"
#include "state.h"
#include "tdm.h"
#include "utilities.h"

#include <QDate>
#include <QDateTime>
#include <variant>

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

// A column of an employee and the field of TEmployee that holds it. Where it is written
// (MSYAIN1, MSYAIN2) and whether the register reads it back from the view.
using Field = std::variant<QString TEmployee::*, int TEmployee::*, qint64 TEmployee::*,
                           double TEmployee::*>;
enum Use : unsigned { Row1 = 1, Row2 = 2, Read = 4 };
struct Column {
    const char *name;
    Field field;
    unsigned use;
};
// clang-format off
const Column kColumns[] = {
    {"SCOT", &TEmployee::scot, Row1 | Read},     {"SNA", &TEmployee::sna, Row1 | Read},
    {"SEIHI", &TEmployee::seihi, Row1 | Read},   {"NYUHI", &TEmployee::nyuhi, Row1 | Read},
    {"YAKU", &TEmployee::yaku, Row1 | Read},     {"TCO", &TEmployee::grade, Row1},
    {"NENSU", &TEmployee::experience, Row1 | Read}, {"JISEKI", &TEmployee::wageLink, Row1 | Read},
    {"TRITSU", &TEmployee::tritsu, Row1 | Read}, {"SRITSU", &TEmployee::sritsu, Row1 | Read},
    {"SYOUYO", &TEmployee::bonus1, Row1 | Read}, {"NENSYU", &TEmployee::nensyu, Row1},
    {"MCO", &TEmployee::mark, Row1 | Read},      {"MLINK", &TEmployee::link, Row1 | Read},
    {"BANDID", &TEmployee::band, Row1 | Read},   {"YHYOUKA", &TEmployee::yhyouka, Row1 | Read},
    {"SEIBETSU", &TEmployee::sex, Row2 | Read},  {"TOUKYU", &TEmployee::grade, Row2 | Read},
    {"GOUHOU", &TEmployee::step, Row2 | Read},   {"SM1", &TEmployee::workType, Row2 | Read},
    {"GAKU", &TEmployee::gaku, Row2 | Read},     {"SENKOU", &TEmployee::senkou, Row2 | Read},
    {"KSIKAKU", &TEmployee::ksikaku, Row2 | Read}, {"KEIKEN", &TEmployee::keiken, Row2 | Read},
    {"THI", &TEmployee::thi, Row2 | Read},       {"ZONEX", &TEmployee::zone, Row2 | Read},
    {"TENSU", &TEmployee::points, Row2 | Read},  {"HCO", &TEmployee::hco, Row2 | Read},
    {"UPK", &TEmployee::upk, Row2},              {"UPT", &TEmployee::upt, Row2},
    {"SYOUYO2", &TEmployee::bonus2, Row2 | Read}, {"NNENSYU", &TEmployee::nnensyu, Row2},
    {"SYOTEI", &TEmployee::syotei, Row2},        {"NSYOTEI", &TEmployee::nsyotei, Row2},
    {"SPATH", &TEmployee::spath, Row2 | Read},   {"NKIN", &TEmployee::nkin, Read},
    {"NEWBANDID", &TEmployee::newBand, Read},    {"NEWYHYOUKA", &TEmployee::newYhyouka, Read},
    {"NTOUKYU", &TEmployee::newGrade, Read},     {"NGOUHOU", &TEmployee::newStep, Read},
    {"FSKCHK", &TEmployee::promoted, Read},
};
// clang-format on

// The columns of one employee table the register writes on both inserting and changing an
// employee: those of the table above, the ages and years of service as of the reference
// date, and the unused texts it always empties.
SqlRow &addRegisterColumns(SqlRow &row, const TEmployee &e, Use table) {
    for (const Column &c : kColumns)
        if (c.use & table)
            std::visit([&](auto field) { row.set(QLatin1String(c.name), e.*field); }, c.field);
    if (table == Row1)
        return row.set(QStringLiteral("NENREI"), YearsSince(e.seihi))
            .set(QStringLiteral("KINZOKU"), YearsSince(e.nyuhi))
            .set(QStringLiteral("MNA"), QString());
    return row.set(QStringLiteral("SM2"), QString())
        .setNumbered(QStringLiteral("KKYU"), e.kkyu, 3)
        .setNumbered(QStringLiteral("TEATE"), e.teate, 5)
        .setNumbered(QStringLiteral("NKKYU"), e.nkkyu, 3)
        .setNumbered(QStringLiteral("NTEATE"), e.nteate, 5)
        .setNumbered(QStringLiteral("HNA"), e.hna, 3);
}

// Reads a column into its field: texts as they are, integers through FieldVarToInt, amounts
// rounded to whole yen, rates as numbers.
void readColumn(const TQuery &q, const QString &name, QString &to) {
    to = q.AsString(name);
}
void readColumn(const TQuery &q, const QString &name, int &to) {
    to = FieldVarToInt(q.Value(name));
}
void readColumn(const TQuery &q, const QString &name, qint64 &to) {
    to = amount(q, name);
}
void readColumn(const TQuery &q, const QString &name, double &to) {
    to = FieldVarToFloat(q.Value(name));
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
    SelectOfProject(q,
                    QStringLiteral("SCO, SCOT, SNA, SEIHI, NYUHI, YAKU, HCO, TOUKYU, GOUHOU, "
                                   "ZONEX, NTOUKYU, NGOUHOU, MCO, TRITSU"),
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
        r.ntoukyu = q.AsString(QStringLiteral("NTOUKYU"));
        r.ngouhou = q.AsString(QStringLiteral("NGOUHOU"));
        r.mco = q.AsInteger(QStringLiteral("MCO"));
        r.tritsu = q.AsFloat(QStringLiteral("TRITSU"));
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
    e.sco = sco;
    for (const Column &c : kColumns)
        if (c.use & Read)
            std::visit([&](auto field) { readColumn(q, QLatin1String(c.name), e.*field); },
                       c.field);
    const auto amountOf = [&q](const QString &column) { return amount(q, column); };
    ReadNumbered(e.kkyu, QStringLiteral("KKYU"), 3, amountOf);
    ReadNumbered(e.nkkyu, QStringLiteral("NKKYU"), 3, amountOf);
    ReadNumbered(e.teate, QStringLiteral("TEATE"), 5, amountOf);
    ReadNumbered(e.nteate, QStringLiteral("NTEATE"), 5, amountOf);
    ReadNumbered(e.hna, QStringLiteral("HNA"), 3,
                 [&q](const QString &column) { return q.AsString(column); });
    return true;
}

bool InsertEmployee(const TEmployee &e) {
    if (!G().gProjectKey.isSet) return false;
    SqlRow row1 = keyRow(e.sco);
    row1.set(QStringLiteral("HSCO"), 0);
    addRegisterColumns(row1, e, Row1)
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
    addRegisterColumns(row2, e, Row2);
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
    return runBoth(addRegisterColumns(row1, e, Row1).update(kTable1, where),
                   addRegisterColumns(row2, e, Row2).update(kTable2, where));
}

bool DeleteEmployee(int sco) {
    if (!G().gProjectKey.isSet) return false;
    const QString where = employeeWhere(sco);
    return runBoth(QStringLiteral("DELETE FROM ") + kTable1 + where,
                   QStringLiteral("DELETE FROM ") + kTable2 + where);
}

bool SaveRaise(const TRaiseInput &r) {
    if (!G().gProjectKey.isSet) return false;
    SqlRow row1;
    row1.set(QStringLiteral("BANDID"), r.band)
        .set(QStringLiteral("YHYOUKA"), r.yhyouka)
        .set(QStringLiteral("NEWBANDID"), r.newBand)
        .set(QStringLiteral("NEWYHYOUKA"), r.newYhyouka);
    SqlRow row2;
    row2.set(QStringLiteral("TOUKYU"), r.grade)
        .set(QStringLiteral("HCO"), r.hco)
        .set(QStringLiteral("UPK"), r.upk)
        .set(QStringLiteral("UPT"), r.upt)
        .setNumbered(QStringLiteral("KKYU"), r.kkyu, 3)
        .setNumbered(QStringLiteral("TEATE"), r.teate, 5)
        .setNumbered(QStringLiteral("NKKYU"), r.nkkyu, 3)
        .setNumbered(QStringLiteral("NTEATE"), r.nteate, 5)
        .set(QStringLiteral("NNENSYU"), r.nnensyu)
        .set(QStringLiteral("NTOUKYU"), r.newGrade)
        .set(QStringLiteral("FSKCHK"), r.promoted)
        .set(QStringLiteral("SYOTEI"), r.syotei)
        .set(QStringLiteral("NSYOTEI"), r.nsyotei);
    const QString where = employeeWhere(r.sco);
    return runBoth(row1.update(kTable1, where), row2.update(kTable2, where));
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

std::vector<TMatrixLinkedEmployee> MatrixLinkedEmployees(int matrixId) {
    std::vector<TMatrixLinkedEmployee> rows;
    TQuery q(DM().ACN2);
    SelectOfProject(q, QStringLiteral("NEWYHYOUKA, BANDID, MLINK, KKYU1, KKYU2, KKYU3"),
                    QStringLiteral("VSYAIN"),
                    QStringLiteral(" AND MATRIXID = %1 AND MLINK <> 0 ORDER BY SCO").arg(matrixId));
    rows.reserve(q.RecordCount());
    for (; !q.Eof(); q.Next()) {
        TMatrixLinkedEmployee e;
        e.newEvaluation = FieldVarToInt(q.Value(QStringLiteral("NEWYHYOUKA")));
        e.band = FieldVarToInt(q.Value(QStringLiteral("BANDID")));
        e.link = FieldVarToInt(q.Value(QStringLiteral("MLINK")));
        ReadNumbered(e.kkyu, QStringLiteral("KKYU"), 3,
                     [&q](const QString &column) { return ToInt(amount(q, column)); });
        rows.push_back(e);
    }
    return rows;
}
