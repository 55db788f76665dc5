#include "chart_store.h"

#include "project.h"
#include "sql_builder.h"
#include "state.h"
#include "tdm.h"

#include <QRegularExpression>
#include <cmath>

namespace {

const QString kChartTable = QStringLiteral("MCHART");

QString chartRowWhere(int chart, int kno) {
    return G().gProjectKey.where() + QStringLiteral(" AND CHCO = %1 AND KNO = %2").arg(chart).arg(kno);
}

bool hasRegressionColumns(int chart) {
    return chart == 1020 || chart == 1050;
}

SqlRow chartRow(int chart, const TMCHART &r) {
    SqlRow row;
    row.set(QStringLiteral("FCHK"), r.Fchk)
        .set(QStringLiteral("TOUKYU"), r.Toukyu)
        .set(QStringLiteral("TOUKYU1"), r.Toukyu1)
        .set(QStringLiteral("TITLE"), r.Title)
        .set(QStringLiteral("FX"), r.Fx)
        .set(QStringLiteral("FY"), r.Fy)
        .set(QStringLiteral("MARKR"), r.Markr)
        .set(QStringLiteral("X1"), 0)
        .set(QStringLiteral("X2"), 0)
        .set(QStringLiteral("Y1"), 0)
        .set(QStringLiteral("Y2"), 0)
        .set(QStringLiteral("KAISETSU"), r.Kaisetsu);
    if (hasRegressionColumns(chart))
        row.set(QStringLiteral("FKINJI"), r.Fkinji)
            .set(QStringLiteral("CGRAPH"), r.Cgraph)
            .setNumbered(QStringLiteral("SJYUN"), r.Sjyun, 4);
    row.set(QStringLiteral("MIBUN"), r.Mibun);
    return row;
}

} // namespace

bool ChartRowsExist(int chart) {
    TQuery q(DM().ACN2);
    SelectOfProject(q, QStringLiteral("KNO"), kChartTable,
                    QStringLiteral(" AND CHCO = %1 AND KNO = 1").arg(chart));
    return !q.Eof();
}

bool EnsureChartRows(int chart, const TMCHART &defaults) {
    if (ChartRowsExist(chart)) return true;
    const ProjectKey &key = G().gProjectKey;
    TQuery q(DM().ACN2);
    ScopedTransaction tx(DM().ACN2);
    for (int k = 1; k <= 6; ++k) {
        SqlRow row;
        row.set(QStringLiteral("CHCO"), chart)
            .set(QStringLiteral("KCO"), key.kco)
            .set(QStringLiteral("NENDO"), key.nendo)
            .set(QStringLiteral("KNO"), k);
        TMCHART r = defaults;
        SqlRow values = chartRow(1020, r); // every column on insertion
        if (!RunSql(q, row.insertInto(kChartTable), 'E')) return false;
        if (!RunSql(q, values.update(kChartTable, chartRowWhere(chart, k)), 'E')) return false;
    }
    return tx.commit();
}

TChartRows ReadChartRows(int chart) {
    TChartRows rows{};
    TQuery q(DM().ACN2);
    SelectOfProject(q, QStringLiteral("*"), kChartTable,
                    QStringLiteral(" AND CHCO = %1 ORDER BY KNO").arg(chart));
    for (; !q.Eof(); q.Next()) {
        const int k = q.AsInteger(QStringLiteral("KNO"));
        if (k < 1 || k > 6) continue;
        TMCHART &r = rows[k];
        r.Fchk = q.AsInteger(QStringLiteral("FCHK"));
        r.Toukyu = q.AsInteger(QStringLiteral("TOUKYU"));
        r.Toukyu1 = q.AsInteger(QStringLiteral("TOUKYU1"));
        r.Title = q.AsString(QStringLiteral("TITLE"));
        r.Fx = q.AsInteger(QStringLiteral("FX"));
        r.Fy = q.AsInteger(QStringLiteral("FY"));
        r.Markr = q.AsInteger(QStringLiteral("MARKR"));
        r.Fkinji = q.AsInteger(QStringLiteral("FKINJI"));
        r.Cgraph = q.AsInteger(QStringLiteral("CGRAPH"));
        ReadNumbered(r.Sjyun, QStringLiteral("SJYUN"), 4,
                     [&q](const QString &column) { return q.AsFloat(column); });
        r.Kaisetsu = q.AsString(QStringLiteral("KAISETSU"));
        r.Mibun = q.AsInteger(QStringLiteral("MIBUN"));
    }
    return rows;
}

bool SaveChartRows(int chart, const TChartRows &rows) {
    TQuery q(DM().ACN2);
    ScopedTransaction tx(DM().ACN2);
    for (int k = 1; k <= 6; ++k)
        if (!RunSql(q, chartRow(chart, rows[k]).update(kChartTable, chartRowWhere(chart, k)), 'E'))
            return false;
    return tx.commit();
}

bool WriteChartPoints(const std::vector<TDCHART> &points) {
    TQuery q(DM().ACN2);
    ScopedTransaction tx(DM().ACN2);
    if (!RunSql(q, QStringLiteral("DELETE FROM DCHART"), 'E')) return false;
    TPrepared insert(DM().ACN2,
                     InsertTemplate(QStringLiteral("DCHART"),
                                    {"SCO", "SNA", "LABELN", "MARKL", "F1", "F2", "F3", "F4", "F5",
                                     "X", "Y", "SEQNO", "MKCO", "GTOP", "GLEFT"}));
    if (!insert.isValid()) return false;
    int seqno = 0;
    for (const TDCHART &p : points) {
        QVariantList values{p.Sco, TextValue(p.Sna), TextValue(p.Labeln), TextValue(p.Markl)};
        for (int f = 1; f <= 5; ++f)
            values << p.F[f];
        values << p.X << p.Y << ++seqno << p.Mkco << p.Gtop << p.Gleft;
        if (!insert.run(values)) return false;
    }
    return tx.commit();
}

std::vector<TDCHART> ReadChartPoints() {
    std::vector<TDCHART> points;
    TQuery q(DM().ACN2);
    RunSql(q, QStringLiteral("SELECT * FROM DCHART ORDER BY SEQNO"), 'S');
    points.reserve(q.RecordCount());
    for (; !q.Eof(); q.Next()) {
        TDCHART p;
        p.Sco = q.Value(QStringLiteral("SCO")).toLongLong();
        p.Sna = q.AsString(QStringLiteral("SNA"));
        p.Labeln = q.AsString(QStringLiteral("LABELN"));
        p.Markl = q.AsString(QStringLiteral("MARKL"));
        ReadNumbered(p.F, QStringLiteral("F"), 5,
                     [&q](const QString &column) { return q.AsInteger(column); });
        p.X = q.AsFloat(QStringLiteral("X"));
        p.Y = q.AsFloat(QStringLiteral("Y"));
        p.Seqno = q.AsInteger(QStringLiteral("SEQNO"));
        p.Mkco = q.AsInteger(QStringLiteral("MKCO"));
        p.Gtop = q.AsInteger(QStringLiteral("GTOP"));
        p.Gleft = q.AsInteger(QStringLiteral("GLEFT"));
        points.push_back(std::move(p));
    }
    return points;
}

bool WriteMarkPositions(const std::vector<TDCHART> &points) {
    // The point set has no index on the employee code, so the positions are gathered in an
    // indexed table of the connection first (a temporary table, found before the database's own
    // tables on both engines) and written to every point with one statement.
    ScopedTransaction tx(DM().ACN2);
    TQuery q(DM().ACN2);
    if (!RunSql(q, QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS MARKPOS (SCO INTEGER PRIMARY KEY, "
                                  "LABELN TEXT, GTOP INTEGER, GLEFT INTEGER)"),
                'E') ||
        !RunSql(q, QStringLiteral("DELETE FROM MARKPOS"), 'E'))
        return false;
    {
        // A code listed twice keeps its last position, as updates one by one would.
        TPrepared insert(DM().ACN2,
                         QStringLiteral("INSERT INTO MARKPOS VALUES (?, ?, ?, ?) ON CONFLICT (SCO) "
                                        "DO UPDATE SET LABELN = excluded.LABELN, "
                                        "GTOP = excluded.GTOP, GLEFT = excluded.GLEFT"));
        if (!insert.isValid()) return false;
        for (const TDCHART &p : points)
            if (p.Sco != 0 && !insert.run({p.Sco, TextValue(p.Labeln), p.Gtop, p.Gleft})) return false;
    }
    if (!RunSql(q, QStringLiteral("UPDATE DCHART SET LABELN = M.LABELN, GTOP = M.GTOP, GLEFT = M.GLEFT "
                                  "FROM MARKPOS M WHERE M.SCO = DCHART.SCO"),
                'E') ||
        !RunSql(q, QStringLiteral("DELETE FROM MARKPOS"), 'E'))
        return false;
    return tx.commit();
}

std::optional<TDSPDRAW> ReadDesign(int number, int fx, int fy) {
    TQuery q(DM().ACN2);
    SelectOfProject(q, QStringLiteral("*"), QStringLiteral("DSPDRAW"),
                    QStringLiteral(" AND SDCO = %1 AND X = %2 AND Y = %3").arg(number).arg(fx).arg(fy));
    if (q.Eof()) return std::nullopt;
    TDSPDRAW d;
    d.Sdco = number;
    d.X = fx;
    d.Y = fy;
    d.Fchks = q.AsInteger(QStringLiteral("FCHKS"));
    d.Fren = q.AsInteger(QStringLiteral("FREN"));
    ReadNumbered(d.Snenrei, QStringLiteral("SNENREI"), 6,
                 [&q](const QString &column) { return q.AsInteger(column); });
    ReadNumbered(d.Skin, QStringLiteral("SKIN"), 6,
                 [&q](const QString &column) { return q.AsFloat(column); });
    d.Kaisetsu = q.AsString(QStringLiteral("KAISETSU"));
    d.Hanrei = q.AsString(QStringLiteral("HANREI"));
    d.Setsumei = q.AsString(QStringLiteral("SETSUMEI"));
    d.Scolor = q.AsString(QStringLiteral("SCOLOR"));
    d.Ssyurui = q.AsInteger(QStringLiteral("SSYURUI"));
    d.Shaba = q.AsInteger(QStringLiteral("SHABA"));
    return d;
}

std::vector<TLivingCurveRow> ReadLivingCostCurve(int skco) {
    std::vector<TLivingCurveRow> rows;
    TQuery q(DM().ACN2);
    RunSql(q,
           QStringLiteral("SELECT * FROM MSEIKEI WHERE SKCO = %1 ORDER BY KCO,NENDO,SKCO,SNIN,"
                          "SNENREI")
               .arg(skco),
           'S');
    for (; !q.Eof(); q.Next())
        rows.push_back({q.AsInteger(QStringLiteral("SNENREI")), q.AsFloat(QStringLiteral("SEIKEIHI")),
                        q.AsFloat(QStringLiteral("YURITSU")), q.AsFloat(QStringLiteral("STRITSU")),
                        q.AsFloat(QStringLiteral("TNRITSU")), q.AsFloat(QStringLiteral("KKRITSU"))});
    return rows;
}

std::vector<TModelWageRow> ReadModelWageCurve(int mdco, int lineType) {
    std::vector<TModelWageRow> rows;
    TQuery q(DM().ACN1);
    RunSql(q,
           QStringLiteral("SELECT * FROM MDCHINGIN WHERE MDCO = %1 AND SENSYU = %2 ORDER BY "
                          "MDCO,MCCO")
               .arg(mdco)
               .arg(lineType),
           'S');
    for (; !q.Eof(); q.Next())
        rows.push_back({q.AsInteger(QStringLiteral("NENREI")), q.AsInteger(QStringLiteral("KNENSU")),
                        q.AsInteger(QStringLiteral("KKNENSU")), q.AsFloat(QStringLiteral("KKIN")),
                        q.AsFloat(QStringLiteral("SKIN")), q.AsFloat(QStringLiteral("SYOUYO")),
                        q.AsFloat(QStringLiteral("NENSYU"))});
    return rows;
}

// --- The plot window's interaction ------------------------------------------------------------

std::optional<TDCHART> ReadPointByLabel(const QString &label) {
    // Mark names are the window's own ("Label" and a number); anything else names no mark.
    static const QRegularExpression markName(QStringLiteral("^Label[0-9]{1,6}$"));
    if (!markName.match(label).hasMatch()) return std::nullopt;
    TQuery q(DM().ACN2);
    RunSql(q,
           QStringLiteral("SELECT SCO, SNA, LABELN, F1, F2, F3, F4, GTOP, GLEFT FROM DCHART "
                          "WHERE LABELN = '%1' ORDER BY SEQNO")
               .arg(label),
           'S');
    if (q.Eof()) return std::nullopt;
    TDCHART p;
    p.Sco = q.Value(QStringLiteral("SCO")).toLongLong();
    p.Sna = q.AsString(QStringLiteral("SNA"));
    p.Labeln = q.AsString(QStringLiteral("LABELN"));
    ReadNumbered(p.F, QStringLiteral("F"), 4,
                 [&q](const QString &column) { return q.AsInteger(column); });
    p.Gtop = q.AsInteger(QStringLiteral("GTOP"));
    p.Gleft = q.AsInteger(QStringLiteral("GLEFT"));
    return p;
}

bool SetPopupPageOpen(qint64 sco, int page, bool open) {
    if (page < 1 || page > 4) return false;
    TQuery q(DM().ACN2);
    SqlRow row;
    row.set(NumberedColumn(QStringLiteral("F"), page), open ? 1 : 0);
    return RunSql(
        q, row.update(QStringLiteral("DCHART"), QStringLiteral(" WHERE SCO = %1").arg(sco)), 'E');
}

std::optional<TPlotEmployee> ReadPlotEmployee(qint64 sco) {
    TQuery q(DM().ACN2);
    SelectOfProject(q, QStringLiteral("*"), QStringLiteral("VSYAIN"),
                    QStringLiteral(" AND SCO = %1").arg(sco));
    if (q.Eof()) return std::nullopt;
    const auto integer = [&q](const QString &column) { return q.AsInteger(column); };
    const auto amount = [&q](const QString &column) {
        return qint64(std::llround(q.AsFloat(column)));
    };
    TPlotEmployee e;
    e.sco = sco;
    e.scot = q.AsString(QStringLiteral("SCOT"));
    e.sna = q.AsString(QStringLiteral("SNA"));
    e.gaku = q.AsString(QStringLiteral("GAKU"));
    e.senkou = q.AsString(QStringLiteral("SENKOU"));
    e.yaku = q.AsString(QStringLiteral("YAKU"));
    e.hyouka = q.AsString(QStringLiteral("HYOUKA"));
    e.nenrei = integer(QStringLiteral("NENREI"));
    e.kinzoku = integer(QStringLiteral("KINZOKU"));
    e.toukyu = integer(QStringLiteral("TOUKYU"));
    e.gouhou = integer(QStringLiteral("GOUHOU"));
    e.thi = integer(QStringLiteral("THI"));
    e.jiseki = integer(QStringLiteral("JISEKI"));
    ReadNumbered(e.hna, QStringLiteral("HNA"), 3,
                 [&q](const QString &column) { return q.AsString(column); });
    ReadNumbered(e.kkyu, QStringLiteral("KKYU"), 3, amount);
    ReadNumbered(e.teate, QStringLiteral("TEATE"), 5, amount);
    e.syotei = amount(QStringLiteral("SYOTEI"));
    e.syouyo = amount(QStringLiteral("SYOUYO"));
    e.syouyo2 = amount(QStringLiteral("SYOUYO2"));
    e.band = integer(QStringLiteral("BANDID"));
    e.yhyouka = integer(QStringLiteral("YHYOUKA"));
    e.mlink = integer(QStringLiteral("MLINK"));
    return e;
}

bool SaveEmployeeBand(qint64 sco, int band, int yhyouka) {
    TQuery q(DM().ACN2);
    ScopedTransaction tx(DM().ACN2);
    SqlRow row;
    row.set(QStringLiteral("BANDID"), band).set(QStringLiteral("YHYOUKA"), yhyouka);
    if (!RunSql(q,
                row.update(QStringLiteral("MSYAIN1"),
                           G().gProjectKey.where() + QStringLiteral(" AND SCO = %1").arg(sco)),
                'E'))
        return false;
    return tx.commit();
}

bool StoreDesign(const TDSPDRAW &d) {
    if (d.Sdco < 1 || d.Sdco > 5 || d.X < 0 || d.X > 5 || d.Y < 0 || d.Y > 5) return false;
    const ProjectKey &key = G().gProjectKey;
    if (!key.isSet) return false;
    TQuery q(DM().ACN2);
    ScopedTransaction tx(DM().ACN2);
    if (!RunSql(q,
                QStringLiteral("DELETE FROM DSPDRAW") + key.where() +
                    QStringLiteral(" AND SDCO = %1 AND X = %2 AND Y = %3")
                        .arg(d.Sdco)
                        .arg(d.X)
                        .arg(d.Y),
                'E'))
        return false;
    SqlRow row;
    row.set(QStringLiteral("KCO"), key.kco)
        .set(QStringLiteral("NENDO"), key.nendo)
        .set(QStringLiteral("SDCO"), d.Sdco)
        .set(QStringLiteral("X"), d.X)
        .set(QStringLiteral("Y"), d.Y)
        .set(QStringLiteral("FCHKS"), d.Fchks)
        .set(QStringLiteral("FREN"), d.Fren);
    for (int i = 1; i <= 6; ++i)
        row.set(NumberedColumn(QStringLiteral("SNENREI"), i), d.Snenrei[i])
            .set(NumberedColumn(QStringLiteral("SKIN"), i), d.Skin[i]);
    row.set(QStringLiteral("KAISETSU"), d.Kaisetsu)
        .set(QStringLiteral("HANREI"), d.Hanrei)
        .set(QStringLiteral("SETSUMEI"), d.Setsumei)
        .set(QStringLiteral("SCOLOR"), d.Scolor)
        .set(QStringLiteral("SSYURUI"), d.Ssyurui)
        .set(QStringLiteral("SHABA"), d.Shaba);
    if (!RunSql(q, row.insertInto(QStringLiteral("DSPDRAW")), 'E')) return false;
    return tx.commit();
}
