#include "list_store.h"

#include "project.h"
#include "sql_builder.h"
#include "state.h"
#include "tdm.h"
#include "utilities.h"

namespace {
QString matrixWhere(int matrixId) {
    return G().gProjectKey.where() + QStringLiteral(" AND MATRIXID = %1").arg(matrixId);
}

// Deletes the rows `where` selects and inserts `rows` (the key columns first) in one
// transaction.
bool replaceRows(const QString &table, const QString &where, const QStringList &columns,
                 const std::vector<QVariantList> &rows) {
    const ProjectKey &key = G().gProjectKey;
    if (!key.isSet) return false;
    ScopedTransaction transaction(DM().ACN2);
    TQuery q(DM().ACN2);
    if (!RunSql(q, QStringLiteral("DELETE FROM ") + table + where, 'E')) return false;
    TPrepared insert(DM().ACN2, InsertTemplate(table, QStringList{QStringLiteral("KCO"),
                                                                  QStringLiteral("NENDO")} +
                                                          columns));
    for (const QVariantList &row : rows)
        if (!insert.run(QVariantList{key.kco, key.nendo} + row)) return false;
    return transaction.commit();
}
} // namespace

const ListTable &MatrixIdList() {
    static const ListTable list{QStringLiteral("MATRIXID"),
                                {QStringLiteral("MATRIXID"), QStringLiteral("NAME"),
                                 QStringLiteral("TEIGI"), QStringLiteral("ZONESU")},
                                {true, false, false, true},
                                QStringLiteral("MATRIXID")};
    return list;
}

const ListTable &RoleEvaluationList() {
    static const ListTable list{QStringLiteral("YHYOUKA"),
                                {QStringLiteral("HCO"), QStringLiteral("HKIGOU")},
                                {true, false},
                                QStringLiteral("KCO,NENDO,HCO")};
    return list;
}

const ListTable &EvaluationList() {
    static const ListTable list{
        QStringLiteral("MHYOUKA"),
        {QStringLiteral("HCO"), QStringLiteral("HKIGOU"), QStringLiteral("SGOUSU")},
        {true, false, true},
        QStringLiteral("KCO,NENDO,HCO")};
    return list;
}

std::vector<QStringList> LoadList(const ListTable &list) {
    std::vector<QStringList> rows;
    TQuery q(DM().ACN2);
    SelectOfProject(q, list.columns.join(QLatin1Char(',')), list.table,
                    QStringLiteral(" ORDER BY ") + list.order);
    for (; !q.Eof(); q.Next()) {
        QStringList row;
        for (qsizetype c = 0; c < list.columns.size(); ++c)
            row << (list.integer[c] ? QString::number(q.AsInteger(list.columns[c]))
                                    : q.AsString(list.columns[c]));
        rows.push_back(row);
    }
    return rows;
}

bool SaveList(const ListTable &list, const std::vector<QVariantList> &rows) {
    return replaceRows(list.table, G().gProjectKey.where(), list.columns, rows);
}

QStringList MatrixItems() {
    return ProjectCodeNameItems(QStringLiteral("MATRIXID"), QStringLiteral("NAME"),
                                QStringLiteral("MATRIXID"));
}

bool ReadMatrixZones(int matrixId, int &zones) {
    zones = 0;
    if (!G().gProjectKey.isSet) return false;
    TQuery q(DM().ACN2);
    RunSql(q, QStringLiteral("SELECT * FROM MATRIXID") + matrixWhere(matrixId), 'S');
    if (q.Eof()) return false;
    zones = FieldVarToInt(q.Value(QStringLiteral("ZONESU")));
    return true;
}

std::vector<TMatrixRates> LoadMatrixRates(int matrixId) {
    std::vector<TMatrixRates> rows;
    if (!G().gProjectKey.isSet) return rows;
    TQuery q(DM().ACN2);
    RunSql(q,
           QStringLiteral("SELECT * FROM MATRIXCELL") + matrixWhere(matrixId) +
               QStringLiteral(" ORDER BY rowid"),
           'S');
    for (; !q.Eof(); q.Next()) {
        TMatrixRates r;
        r.evaluation = FieldVarToInt(q.Value(QStringLiteral("YHYOUKA")));
        ReadNumbered(r.up, QStringLiteral("UP"), 5,
                     [&q](const QString &column) { return FieldVarToFloat(q.Value(column)); });
        rows.push_back(r);
    }
    return rows;
}

bool SaveMatrixRates(int matrixId, const std::vector<TMatrixRates> &rows) {
    std::vector<QVariantList> values;
    values.reserve(rows.size());
    for (const TMatrixRates &r : rows) {
        QVariantList row{matrixId, r.evaluation};
        for (int z = 1; z <= 5; ++z)
            row << r.up[z];
        values.push_back(row);
    }
    QStringList columns{QStringLiteral("MATRIXID"), QStringLiteral("YHYOUKA")};
    for (int z = 1; z <= 5; ++z)
        columns << NumberedColumn(QStringLiteral("UP"), z);
    return replaceRows(QStringLiteral("MATRIXCELL"), matrixWhere(matrixId), columns, values);
}
