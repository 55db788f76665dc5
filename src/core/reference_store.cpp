#include "reference_store.h"

#include "sql_builder.h"
#include "state.h"
#include "tdm.h"

namespace {

QString livingWhere(int skco) {
    return QStringLiteral(" WHERE SKCO = %1").arg(skco);
}

QString modelWhere(int mdco) {
    return QStringLiteral(" WHERE MDCO = %1").arg(mdco);
}

QString wageWhere(int mdco, int mcco) {
    return modelWhere(mdco) + QStringLiteral(" AND MCCO = %1").arg(mcco);
}

// Whether the statement finds a row; false as well when it fails.
bool exists(TConnection &connection, const QString &sql) {
    TQuery q(connection);
    return RunSql(q, sql, 'S') && !q.Eof();
}

TModelWage readWage(const TQuery &q) {
    TModelWage w;
    w.mcco = q.AsInteger(QStringLiteral("MCCO"));
    w.nenrei = q.AsInteger(QStringLiteral("NENREI"));
    w.knensu = q.AsInteger(QStringLiteral("KNENSU"));
    w.kknensu = q.AsInteger(QStringLiteral("KKNENSU"));
    w.kkin = q.AsFloat(QStringLiteral("KKIN"));
    w.skin = q.AsFloat(QStringLiteral("SKIN"));
    w.syouyo = q.AsFloat(QStringLiteral("SYOUYO"));
    w.nensyu = q.AsFloat(QStringLiteral("NENSYU"));
    w.sensyu = q.AsInteger(QStringLiteral("SENSYU"));
    return w;
}

} // namespace

// --- Living costs -------------------------------------------------------------------------

bool ReadLivingCosts(int skco, TLivingCosts &costs) {
    costs = TLivingCosts{};
    TQuery q(DM().ACN2);
    // Rows of equal size and age keep the order they were written in.
    RunSql(q,
           QStringLiteral("SELECT * FROM MSEIKEI") + livingWhere(skco) +
               QStringLiteral(" ORDER BY SKCO,SNIN,SNENREI,rowid"),
           'S');
    if (q.Eof()) return false;
    costs.kkritsu = q.AsFloat(QStringLiteral("KKRITSU"));
    costs.dedokoro = q.AsString(QStringLiteral("DEDOKORO"));
    costs.tchiiki = q.AsString(QStringLiteral("TCHIIKI"));
    costs.cjiten = q.AsString(QStringLiteral("CJITEN"));
    costs.nsuchi = q.AsString(QStringLiteral("NSUCHI"));
    for (; !q.Eof(); q.Next()) {
        TLivingCostRow r;
        r.snin = q.AsInteger(QStringLiteral("SNIN"));
        r.snenrei = q.AsInteger(QStringLiteral("SNENREI"));
        r.seikeihi = q.AsFloat(QStringLiteral("SEIKEIHI"));
        r.yuritsu = q.AsFloat(QStringLiteral("YURITSU"));
        r.stritsu = q.AsFloat(QStringLiteral("STRITSU"));
        r.tnritsu = q.AsFloat(QStringLiteral("TNRITSU"));
        costs.rows.push_back(r);
    }
    return true;
}

bool SaveLivingCosts(int skco, const TLivingCosts &costs) {
    const ProjectKey &key = G().gProjectKey;
    if (!key.isSet) return false;
    ScopedTransaction transaction(DM().ACN2);
    TQuery q(DM().ACN2);
    if (!RunSql(q, QStringLiteral("DELETE FROM MSEIKEI") + livingWhere(skco), 'E')) return false;
    for (const TLivingCostRow &r : costs.rows) {
        SqlRow row;
        row.set(QStringLiteral("KCO"), key.kco)
            .set(QStringLiteral("NENDO"), key.nendo)
            .set(QStringLiteral("SKCO"), skco)
            .set(QStringLiteral("SNIN"), r.snin)
            .set(QStringLiteral("SNENREI"), r.snenrei)
            .set(QStringLiteral("SEIKEIHI"), r.seikeihi)
            .set(QStringLiteral("YURITSU"), r.yuritsu)
            .set(QStringLiteral("STRITSU"), r.stritsu)
            .set(QStringLiteral("TNRITSU"), r.tnritsu)
            .set(QStringLiteral("KKRITSU"), costs.kkritsu)
            .set(QStringLiteral("DEDOKORO"), costs.dedokoro)
            .set(QStringLiteral("TCHIIKI"), costs.tchiiki)
            .set(QStringLiteral("CJITEN"), costs.cjiten)
            .set(QStringLiteral("NSUCHI"), costs.nsuchi);
        if (!RunSql(q, row.insertInto(QStringLiteral("MSEIKEI")), 'E')) return false;
    }
    return transaction.commit();
}

bool DeleteLivingCosts(int skco) {
    TQuery q(DM().ACN2);
    return RunSql(q, QStringLiteral("DELETE FROM MSEIKEI") + livingWhere(skco), 'E');
}

// --- Model data ---------------------------------------------------------------------------

bool ReadModelData(int mdco, TModelData &model) {
    model = TModelData{};
    TQuery q(DM().ACN1);
    RunSql(q, QStringLiteral("SELECT * FROM MDEL") + modelWhere(mdco), 'S');
    if (q.Eof()) return false;
    model.mdco = mdco;
    model.mdna = q.AsString(QStringLiteral("MDNA"));
    model.dedokoro = q.AsString(QStringLiteral("DEDOKORO"));
    model.tchiiki = q.AsString(QStringLiteral("TCHIIKI"));
    model.jsu = q.AsInteger(QStringLiteral("JSU"));
    model.cjiten = q.AsString(QStringLiteral("CJITEN"));
    model.gyousyu = q.AsString(QStringLiteral("GYOUSYU"));
    model.kibo = q.AsString(QStringLiteral("KIBO"));
    model.bikou = q.AsString(QStringLiteral("BIKOU"));
    return true;
}

bool SaveModelData(const TModelData &model) {
    const auto values = [&model](SqlRow &row) {
        row.set(QStringLiteral("MDNA"), model.mdna)
            .set(QStringLiteral("DEDOKORO"), model.dedokoro)
            .set(QStringLiteral("TCHIIKI"), model.tchiiki)
            .set(QStringLiteral("JSU"), model.jsu)
            .set(QStringLiteral("CJITEN"), model.cjiten)
            .set(QStringLiteral("GYOUSYU"), model.gyousyu)
            .set(QStringLiteral("KIBO"), model.kibo)
            .set(QStringLiteral("BIKOU"), model.bikou);
    };
    ScopedTransaction transaction(DM().ACN1);
    TQuery q(DM().ACN1);
    const QString where = modelWhere(model.mdco);
    SqlRow row;
    if (exists(DM().ACN1, QStringLiteral("SELECT MDCO FROM MDEL") + where)) {
        values(row);
        if (!RunSql(q, row.update(QStringLiteral("MDEL"), where), 'E')) return false;
    } else {
        row.set(QStringLiteral("MDCO"), model.mdco);
        values(row);
        if (!RunSql(q, row.insertInto(QStringLiteral("MDEL")), 'E')) return false;
    }
    return transaction.commit();
}

bool DeleteModelData(int mdco) {
    TQuery q(DM().ACN1);
    return RunSql(q, QStringLiteral("DELETE FROM MDEL") + modelWhere(mdco), 'E');
}

// --- Model wages --------------------------------------------------------------------------

std::vector<TModelWage> ModelWages(int mdco) {
    std::vector<TModelWage> wages;
    TQuery q(DM().ACN1);
    RunSql(q,
           QStringLiteral("SELECT * FROM MDCHINGIN") + modelWhere(mdco) +
               QStringLiteral(" ORDER BY MCCO"),
           'S');
    for (; !q.Eof(); q.Next())
        wages.push_back(readWage(q));
    return wages;
}

bool ReadModelWage(int mdco, int mcco, TModelWage &wage) {
    wage = TModelWage{};
    TQuery q(DM().ACN1);
    RunSql(q, QStringLiteral("SELECT * FROM MDCHINGIN") + wageWhere(mdco, mcco), 'S');
    if (q.Eof()) return false;
    wage = readWage(q);
    return true;
}

bool SaveModelWage(int mdco, const TModelWage &wage) {
    const auto values = [&wage](SqlRow &row) {
        row.set(QStringLiteral("NENREI"), wage.nenrei)
            .set(QStringLiteral("KNENSU"), wage.knensu)
            .set(QStringLiteral("KKIN"), wage.kkin)
            .set(QStringLiteral("SKIN"), wage.skin)
            .set(QStringLiteral("SYOUYO"), wage.syouyo)
            .set(QStringLiteral("NENSYU"), wage.nensyu)
            .set(QStringLiteral("SENSYU"), wage.sensyu)
            .set(QStringLiteral("KKNENSU"), wage.kknensu);
    };
    ScopedTransaction transaction(DM().ACN1);
    TQuery q(DM().ACN1);
    const QString where = wageWhere(mdco, wage.mcco);
    SqlRow row;
    if (exists(DM().ACN1, QStringLiteral("SELECT MCCO FROM MDCHINGIN") + where)) {
        values(row);
        if (!RunSql(q, row.update(QStringLiteral("MDCHINGIN"), where), 'E')) return false;
    } else {
        row.set(QStringLiteral("MDCO"), mdco).set(QStringLiteral("MCCO"), wage.mcco);
        values(row);
        if (!RunSql(q, row.insertInto(QStringLiteral("MDCHINGIN")), 'E')) return false;
    }
    return transaction.commit();
}

bool DeleteModelWage(int mdco, int mcco) {
    TQuery q(DM().ACN1);
    return RunSql(q, QStringLiteral("DELETE FROM MDCHINGIN") + wageWhere(mdco, mcco), 'E');
}
