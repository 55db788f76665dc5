#include "budget_store.h"

#include "sql_builder.h"
#include "state.h"
#include "tdm.h"
#include "utilities.h"

TRaiseBudget ReadRaiseBudget() {
    TRaiseBudget budget;
    const ProjectKey &key = G().gProjectKey;
    if (!key.isSet) return budget;
    TQuery q(DM().ACN2);
    RunSql(q, QStringLiteral("SELECT GKUBUN, GRITSU, GGAKU FROM MGENSHI") + key.where(), 'S');
    if (q.Eof()) return budget;
    budget.kind = q.AsInteger(QStringLiteral("GKUBUN")) == TRaiseBudget::Amount
                      ? TRaiseBudget::Amount
                      : TRaiseBudget::Percent;
    budget.percent = q.AsFloat(QStringLiteral("GRITSU"));
    budget.amount = ToInt64(RoundHalfUp(1, q.AsFloat(QStringLiteral("GGAKU"))));
    return budget;
}

bool SaveRaiseBudget(const TRaiseBudget &budget) {
    const ProjectKey &key = G().gProjectKey;
    if (!key.isSet) return false;
    ScopedTransaction transaction(DM().ACN2);
    TQuery q(DM().ACN2);
    if (!RunSql(q, QStringLiteral("DELETE FROM MGENSHI") + key.where(), 'E')) return false;
    SqlRow row;
    row.set(QStringLiteral("KCO"), key.kco)
        .set(QStringLiteral("NENDO"), key.nendo)
        .set(QStringLiteral("GKUBUN"), budget.kind)
        .set(QStringLiteral("GRITSU"), budget.percent)
        .set(QStringLiteral("GGAKU"), budget.amount);
    if (!RunSql(q, row.insertInto(QStringLiteral("MGENSHI")), 'E')) return false;
    return transaction.commit();
}

std::vector<TMatrixCellRow> ProjectMatrixCells() {
    std::vector<TMatrixCellRow> rows;
    const ProjectKey &key = G().gProjectKey;
    if (!key.isSet) return rows;
    TQuery q(DM().ACN2);
    const QString sql =
        QStringLiteral("SELECT C.rowid AS RID, C.MATRIXID, C.YHYOUKA, C.UP1, C.UP2, C.UP3, "
                       "C.UP4, C.UP5, M.NAME, M.ZONESU, "
                       "(SELECT Y.HKIGOU FROM YHYOUKA Y WHERE Y.KCO = C.KCO AND "
                       "Y.NENDO = C.NENDO AND Y.HCO = C.YHYOUKA ORDER BY Y.rowid LIMIT 1) "
                       "AS HKIGOU "
                       "FROM MATRIXCELL C LEFT JOIN MATRIXID M ON M.KCO = C.KCO AND "
                       "M.NENDO = C.NENDO AND M.MATRIXID = C.MATRIXID "
                       "WHERE C.KCO = %1 AND C.NENDO = %2 "
                       "ORDER BY C.MATRIXID, C.YHYOUKA, C.rowid")
            .arg(key.kco)
            .arg(key.nendo);
    if (!RunSql(q, sql, 'S')) return rows;
    for (; !q.Eof(); q.Next()) {
        TMatrixCellRow r;
        r.rowId = q.Value(QStringLiteral("RID")).toLongLong();
        r.matrixId = q.AsInteger(QStringLiteral("MATRIXID"));
        r.matrixName = q.AsString(QStringLiteral("NAME"));
        r.zones = q.AsInteger(QStringLiteral("ZONESU"));
        r.evaluation = q.AsInteger(QStringLiteral("YHYOUKA"));
        r.symbol = q.AsString(QStringLiteral("HKIGOU"));
        ReadNumbered(r.up, QStringLiteral("UP"), 5,
                     [&q](const QString &column) { return q.AsFloat(column); });
        rows.push_back(r);
    }
    return rows;
}

bool SaveMatrixCellRates(const std::vector<TMatrixCellRow> &rows) {
    const ProjectKey &key = G().gProjectKey;
    if (!key.isSet) return false;
    ScopedTransaction transaction(DM().ACN2);
    TQuery q(DM().ACN2);
    for (const TMatrixCellRow &r : rows) {
        SqlRow row;
        row.setNumbered(QStringLiteral("UP"), r.up, 5);
        const QString where =
            QStringLiteral(" WHERE rowid = %1 AND").arg(r.rowId) + key.condition();
        if (!RunSql(q, row.update(QStringLiteral("MATRIXCELL"), where), 'E')) return false;
    }
    return transaction.commit();
}
