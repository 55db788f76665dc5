#include "work_type_store.h"

#include "project.h"
#include "sql_builder.h"
#include "state.h"
#include "tdm.h"

namespace {
QString workTypeWhere(int id) {
    return G().gProjectKey.where() + QStringLiteral(" AND SALARYID = %1").arg(id);
}
} // namespace

QStringList WorkTypeItems() {
    return ProjectCodeNameItems(QStringLiteral("SALARYID"), QStringLiteral("SALARYNAME"),
                                QStringLiteral("SALARYNAME"));
}

bool ReadWorkType(int id, TSALARYTBL &workType) {
    workType = TSALARYTBL{};
    if (!G().gProjectKey.isSet) return false;
    TQuery q(DM().ACN2);
    RunSql(q, QStringLiteral("SELECT * FROM SALARYNAME") + workTypeWhere(id), 'S');
    if (q.Eof()) return false;
    workType.SalaryId = QString::number(id);
    workType.SalaryName = q.AsString(QStringLiteral("SALARYNAME"));
    workType.Teigi = q.AsString(QStringLiteral("TEIGI"));
    const auto text = [&q](const QString &column) { return q.AsString(column); };
    ReadNumbered(workType.Kihon, QStringLiteral("KIHON"), 3, text);
    ReadNumbered(workType.Teate, QStringLiteral("TEATE"), 5, text);
    return true;
}

bool SaveWorkType(int id, const TSALARYTBL &workType) {
    const ProjectKey &key = G().gProjectKey;
    if (!key.isSet) return false;
    SqlRow row;
    row.set(QStringLiteral("KCO"), key.kco)
        .set(QStringLiteral("NENDO"), key.nendo)
        .set(QStringLiteral("SALARYID"), id)
        .set(QStringLiteral("SALARYNAME"), workType.SalaryName)
        .set(QStringLiteral("TEIGI"), workType.Teigi)
        .setNumbered(QStringLiteral("KIHON"), workType.Kihon, 3)
        .setNumbered(QStringLiteral("TEATE"), workType.Teate, 5);
    ScopedTransaction transaction(DM().ACN2);
    TQuery q(DM().ACN2);
    RunSql(q, QStringLiteral("DELETE FROM SALARYNAME") + workTypeWhere(id), 'E');
    RunSql(q, row.insertInto(QStringLiteral("SALARYNAME")), 'E');
    return transaction.commit();
}

bool DeleteWorkType(int id) {
    if (!G().gProjectKey.isSet) return false;
    TQuery q(DM().ACN2);
    return RunSql(q, QStringLiteral("DELETE FROM SALARYNAME") + workTypeWhere(id), 'E');
}
