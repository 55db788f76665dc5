#include "band_loaders.h"

#include "band_tables.h"

#include "loaders.h"
#include "project.h"
#include "sql_builder.h"
#include "state.h"
#include "tdm.h"
#include "utilities.h"

namespace {

QVariant v(const TQuery &q, const char *column) {
    return q.Value(QString::fromUtf8(column));
}

// Columns shared by VBANDM and VBANDM2, read into either band record.
void readBandColumns(const TQuery &q, TBANDM2 &b) {
    b.BandId = FieldVarToStr(v(q, "BANDID"));
    b.BandName = FieldVarToStrEmpty(v(q, "BANDNAME"));
    b.BandTeigi = FieldVarToStrEmpty(v(q, "BANDTEIGI"));
    b.Kijun = FieldVarToInt(v(q, "基準賃金"));
    b.KagenRitsu = FieldVarToInt(v(q, "下限率"));
    b.JyogenRitsu = FieldVarToInt(v(q, "上限率"));
    b.Spread = FieldVarToFloat(v(q, "スプレッド"));
    b.Range = FieldVarToInt(v(q, "レンジ"));
    const auto integer = [&q](const QString &column) { return FieldVarToInt(q.Value(column)); };
    ReadNumbered(b.ZoneKagen, QStringLiteral("下限額"), 5, integer);
    ReadNumbered(b.ZoneJyogen, QStringLiteral("上限額"), 5, integer);
    b.MatrixId = FieldVarToStrEmpty(v(q, "MATRIXID"));
    b.MatrixName = FieldVarToStrEmpty(v(q, "MATRIXNAME"));
    b.ZoneSu = FieldVarToInt(v(q, "ZONESU"));
}

template <typename Band> void readBandSettings(const TQuery &q, TBandTable<Band> &t) {
    t.Title = FieldVarToStrEmpty(v(q, "TITLE"));
    t.Marume = FieldVarToInt(v(q, "Marume"));
}

} // namespace

bool LoadYHyoukaTbl() {
    auto &tbl = G().gYHyoukaTbl;
    tbl.clear();
    TQuery q(DM().ACN2);
    SelectOfProject(q, QStringLiteral("*"), QStringLiteral("YHYOUKA"),
                    QStringLiteral(" ORDER BY HCO"));
    for (; !q.Eof(); q.Next())
        tbl.push_back({FieldVarToStr(v(q, "HCO")), FieldVarToStrEmpty(v(q, "HKIGOU"))});
    q.Close();
    return true;
}

// Reads one of the band views of the project into a band table: the columns both views
// share, the project-wide title and rounding unit, then what readRow adds per view.
template <typename Table, typename ReadRow>
void loadBands(const ProjectKey &key, Table &tbl, const QString &view, const QString &order,
               ReadRow readRow) {
    tbl.Bands.clear();
    tbl.Title.clear();
    tbl.Marume = 0;
    TQuery q(DM().ACN2);
    if (!SelectOfProject(q, key, QStringLiteral("*"), view, QStringLiteral(" ORDER BY ") + order))
        return;
    tbl.Bands.reserve(q.RecordCount());
    for (; !q.Eof(); q.Next()) {
        typename decltype(tbl.Bands)::value_type b;
        readBandColumns(q, b);
        readBandSettings(q, tbl);
        readRow(q, b);
        tbl.Bands.push_back(std::move(b));
    }
    q.Close();
}

bool LoadBandTbl() {
    LoadBandTbl(G().gProjectKey, G().gBandTbl);
    return true;
}

void LoadBandTbl(const ProjectKey &key, TBANDTBL &table) {
    loadBands(key, table, QStringLiteral("VBANDM"), QStringLiteral("BANDID,MATRIXID,YHYOUKA"),
              [](const TQuery &q, TBANDM &b) {
                  b.YHyouka = FieldVarToStrEmpty(v(q, "YHYOUKA"));
                  ReadNumbered(b.Up, QStringLiteral("UP"), 5, [&q](const QString &column) {
                      return FieldVarToFloat(q.Value(column));
                  });
              });
}

bool LoadBandTbl2() {
    loadBands(G().gProjectKey, G().gBandTbl2, QStringLiteral("VBANDM2"), QStringLiteral("BANDID,MATRIXID"),
              [](const TQuery &, TBANDM2 &b) {
                  b.BandKagen = b.ZoneKagen[1];
                  b.BandJyogen = BandUpperBound(b.ZoneJyogen, b.ZoneSu);
              });
    return true;
}

bool LoadMatTbl() {
    LoadMatTbl(G().gProjectKey, G().gMatTbl);
    return true;
}

void LoadMatTbl(const ProjectKey &key, TMATTBL &tbl) {
    tbl.Rows.clear();
    TQuery q(DM().ACN2);
    SelectOfProject(q, key, QStringLiteral("*"), QStringLiteral("VMATRIXCELL"),
                    QStringLiteral(" ORDER BY BANDID,MATRIXID,YHYOUKA"));
    int currentBand = 0;
    for (; !q.Eof(); q.Next()) {
        const int bandId = FieldVarToInt(v(q, "BANDID"));
        if (bandId != currentBand) {
            TMATHYOUKA group;
            group.BandId = bandId;
            group.MatrixId = FieldVarToInt(v(q, "MATRIXID"));
            group.BandName = FieldVarToStrEmpty(v(q, "BANDNAME"));
            group.MatrixName = FieldVarToStrEmpty(v(q, "NAME"));
            tbl.Rows.push_back(std::move(group));
            currentBand = bandId;
        } else if (tbl.Rows.empty()) {
            continue; // band id 0 before any band: there is no group to attach it to
        }
        TMATRIX cell;
        cell.YHyouka = FieldVarToInt(v(q, "YHYOUKA"));
        cell.YHyoukaName = FieldVarToStr(v(q, "YHYOUKANAME"));
        cell.ZoneSu = FieldVarToInt(v(q, "ZONESU"));
        ReadNumbered(cell.Up, QStringLiteral("UP"), 5,
                     [&q](const QString &column) { return FieldVarToFloat(q.Value(column)); });
        tbl.Rows.back().Cells.push_back(std::move(cell));
    }
    q.Close();
}

bool SaveBandRow(const TBANDTBL2 &table, int index) {
    if (index < 0 || index >= static_cast<int>(table.Bands.size())) return false;
    const TBANDM2 &b = table.Bands[index];
    const ProjectKey &key = G().gProjectKey;
    bool ok = false;
    const qint64 bandId = b.BandId.trimmed().toLongLong(&ok);
    if (!ok || !key.isSet) return false;
    // A matrix id that is no number is stored as 0 (no matrix) rather than breaking the row.
    const qint64 matrixId = b.MatrixId.trimmed().toLongLong();

    SqlRow row;
    row.set(QStringLiteral("KCO"), key.kco)
        .set(QStringLiteral("NENDO"), key.nendo)
        .set(QStringLiteral("BANDID"), bandId)
        .set(QStringLiteral("BANDNAME"), b.BandName)
        .set(QStringLiteral("TEIGI"), b.BandTeigi)
        .set(QStringLiteral("MATRIXID"), matrixId)
        .set(QStringLiteral("TITLE"), table.Title)
        .set(QStringLiteral("MARUME"), table.Marume)
        .set(QStringLiteral("基準賃金"), b.Kijun)
        .set(QStringLiteral("下限率"), b.KagenRitsu)
        .set(QStringLiteral("上限率"), b.JyogenRitsu)
        // The spread is stored with two decimals.
        .set(QStringLiteral("スプレッド"), QString::number(b.Spread, 'f', 2).toDouble())
        .set(QStringLiteral("レンジ"), b.Range);
    // Stored lower, upper, lower, upper ... by zone.
    for (int k = 1; k <= 5; ++k)
        row.set(QStringLiteral("下限額%1").arg(k), b.ZoneKagen[k])
            .set(QStringLiteral("上限額%1").arg(k), b.ZoneJyogen[k]);

    TQuery q(DM().ACN2);
    ScopedTransaction tx(DM().ACN2);
    RunSql(q,
           QStringLiteral("DELETE FROM BANDM") + key.where() +
               QStringLiteral(" AND BANDID = %1").arg(bandId),
           'E');
    RunSql(q, row.insertInto(QStringLiteral("BANDM")), 'E');
    return tx.commit();
}

bool SaveAllBands(const TBANDTBL2 &table) {
    const ProjectKey &key = G().gProjectKey;
    if (!key.isSet) return false;
    TQuery q(DM().ACN2);
    ScopedTransaction tx(DM().ACN2);
    if (!RunSql(q, QStringLiteral("DELETE FROM BANDM") + key.where(), 'E')) return false;
    for (int i = 0; i < static_cast<int>(table.Bands.size()); ++i)
        if (!SaveBandRow(table, i)) return false;
    return tx.commit();
}

bool DeleteBand(qint64 bandId) {
    const ProjectKey &key = G().gProjectKey;
    if (!key.isSet) return false;
    TQuery q(DM().ACN2);
    return RunSql(q,
                  QStringLiteral("DELETE FROM BANDM") + key.where() +
                      QStringLiteral(" AND BANDID = %1").arg(bandId),
                  'E');
}

QStringList BandItems() {
    return ProjectCodeNameItems(QStringLiteral("BANDID"), QStringLiteral("BANDNAME"),
                                QStringLiteral("BANDM"));
}

QStringList RoleEvaluationItems() {
    return ProjectCodeNameItems(QStringLiteral("HCO"), QStringLiteral("HKIGOU"),
                                QStringLiteral("YHYOUKA"));
}
