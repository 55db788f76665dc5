#include "design_store.h"

#include "project.h"
#include "sql_builder.h"
#include "state.h"
#include "tdm.h"

namespace {

const QString kDesignTable = QStringLiteral("DSPDRAW");

// " AND SDCO = d AND X = fx AND Y = fy": one design of one item pair.
QString designOfPair(int number, int fx, int fy) {
    return QStringLiteral(" AND SDCO = %1 AND X = %2 AND Y = %3").arg(number).arg(fx).arg(fy);
}

SqlRow &pointsOf(SqlRow &row, const TDesignPoints &p) {
    for (int n = 1; n <= 6; ++n)
        row.set(NumberedColumn(QStringLiteral("SNENREI"), n), p.age[n])
            .set(NumberedColumn(QStringLiteral("SKIN"), n), p.amount[n]);
    return row;
}

bool hasPoints(const TDesignPoints &p) {
    double sum = 0.0;
    for (int n = 1; n <= 6; ++n)
        sum += p.age[n] + p.amount[n];
    return sum != 0.0;
}

} // namespace

bool SaveDesigns(const TDesignSet &designs, const TDesignSave &with) {
    const ProjectKey &key = G().gProjectKey;
    if (!key.isSet) return false;
    TQuery q(DM().ACN2);
    ScopedTransaction tx(DM().ACN2);
    for (int d = 1; d <= 5; ++d) {
        const QString rest = designOfPair(d, with.fx, with.fy);
        SelectOfProject(q, QStringLiteral("SDCO"), kDesignTable, rest);
        const bool exists = !q.Eof();
        const bool points = hasPoints(designs[d]);
        const QString where = key.where() + rest;
        QString sql;
        if (points) {
            SqlRow row;
            if (!exists)
                row.set(QStringLiteral("KCO"), key.kco)
                    .set(QStringLiteral("NENDO"), key.nendo)
                    .set(QStringLiteral("SDCO"), d)
                    .set(QStringLiteral("X"), with.fx)
                    .set(QStringLiteral("Y"), with.fy);
            row.set(QStringLiteral("FCHKS"), with.shown[d]).set(QStringLiteral("FREN"), with.legend[d]);
            pointsOf(row, designs[d]).set(QStringLiteral("KAISETSU"), with.description);
            if (exists) {
                sql = row.update(kDesignTable, where);
            } else {
                row.set(QStringLiteral("HANREI"), QString())
                    .set(QStringLiteral("SETSUMEI"), QString())
                    .set(QStringLiteral("SCOLOR"), with.colour)
                    .set(QStringLiteral("SSYURUI"), with.type)
                    .set(QStringLiteral("SHABA"), with.width);
                sql = row.insertInto(kDesignTable);
            }
        } else if (exists) {
            sql = QStringLiteral("DELETE FROM ") + kDesignTable + where;
        }
        if (!sql.isEmpty() && !RunSql(q, sql, 'E')) return false;
    }
    return tx.commit();
}

std::optional<TDSPDRAW> ReadDesignStyle(int number) {
    TQuery q(DM().ACN2);
    SelectOfProject(q, QStringLiteral("*"), kDesignTable,
                    QStringLiteral(" AND SDCO = %1 ORDER BY rowid").arg(number));
    if (q.Eof()) return std::nullopt;
    TDSPDRAW d;
    d.Sdco = number;
    d.X = q.AsInteger(QStringLiteral("X"));
    d.Y = q.AsInteger(QStringLiteral("Y"));
    d.Hanrei = q.AsString(QStringLiteral("HANREI"));
    d.Setsumei = q.AsString(QStringLiteral("SETSUMEI"));
    d.Scolor = q.AsString(QStringLiteral("SCOLOR"));
    d.Ssyurui = q.AsInteger(QStringLiteral("SSYURUI"));
    d.Shaba = q.AsInteger(QStringLiteral("SHABA"));
    return d;
}

bool SaveDesignStyle(int number, const QString &legend, const QString &explanation,
                     const QString &colour, int type, int width) {
    const ProjectKey &key = G().gProjectKey;
    if (!key.isSet) return false;
    TQuery q(DM().ACN2);
    ScopedTransaction tx(DM().ACN2);
    const QString rest = QStringLiteral(" AND SDCO = %1").arg(number);
    SelectOfProject(q, QStringLiteral("SDCO"), kDesignTable, rest);
    SqlRow row;
    if (q.Eof()) {
        row.set(QStringLiteral("KCO"), key.kco)
            .set(QStringLiteral("NENDO"), key.nendo)
            .set(QStringLiteral("SDCO"), number)
            .set(QStringLiteral("FCHKS"), 0)
            .set(QStringLiteral("FREN"), 0);
        pointsOf(row, TDesignPoints{}).set(QStringLiteral("KAISETSU"), QString());
    }
    row.set(QStringLiteral("HANREI"), legend)
        .set(QStringLiteral("SETSUMEI"), explanation)
        .set(QStringLiteral("SCOLOR"), colour)
        .set(QStringLiteral("SSYURUI"), type)
        .set(QStringLiteral("SHABA"), width);
    const QString sql = q.Eof() ? row.insertInto(kDesignTable)
                                : row.update(kDesignTable, key.where() + rest);
    if (!RunSql(q, sql, 'E')) return false;
    return tx.commit();
}

bool WriteChartRowsAnew(int chart, const TChartRows &rows) {
    const ProjectKey &key = G().gProjectKey;
    if (!key.isSet) return false;
    TQuery q(DM().ACN2);
    ScopedTransaction tx(DM().ACN2);
    if (!RunSql(q,
                QStringLiteral("DELETE FROM MCHART") + key.where() +
                    QStringLiteral(" AND CHCO = %1").arg(chart),
                'E'))
        return false;
    for (int k = 1; k <= 6; ++k) {
        const TMCHART &r = rows[k];
        SqlRow row;
        row.set(QStringLiteral("CHCO"), chart)
            .set(QStringLiteral("KCO"), key.kco)
            .set(QStringLiteral("NENDO"), key.nendo)
            .set(QStringLiteral("KNO"), k)
            .set(QStringLiteral("FCHK"), r.Fchk)
            .set(QStringLiteral("TOUKYU"), r.Toukyu)
            .set(QStringLiteral("TITLE"), r.Title)
            .set(QStringLiteral("FX"), r.Fx)
            .set(QStringLiteral("FY"), r.Fy)
            .set(QStringLiteral("MARKR"), r.Markr)
            .set(QStringLiteral("X1"), 0)
            .set(QStringLiteral("X2"), 0)
            .set(QStringLiteral("Y1"), 0)
            .set(QStringLiteral("Y2"), 0)
            .set(QStringLiteral("FKINJI"), r.Fkinji)
            .set(QStringLiteral("CGRAPH"), r.Cgraph)
            .setNumbered(QStringLiteral("SJYUN"), r.Sjyun, 4)
            .set(QStringLiteral("TOUKYU1"), r.Toukyu1)
            .set(QStringLiteral("MIBUN"), r.Mibun);
        if (!RunSql(q, row.insertInto(QStringLiteral("MCHART")), 'E')) return false;
    }
    return tx.commit();
}

bool WriteDesignWageTable(int fx, int fy, const std::vector<TDesignWageRow> &rows) {
    const ProjectKey &key = G().gProjectKey;
    if (!key.isSet) return false;
    TQuery q(DM().ACN2);
    ScopedTransaction tx(DM().ACN2);
    if (!RunSql(q, QStringLiteral("DELETE FROM DCHINGIN") + key.where(), 'E')) return false;
    TPrepared insert(DM().ACN2,
                     InsertTemplate(QStringLiteral("DCHINGIN"),
                                    {"KCO", "NENDO", "SDCO", "XKOMOKU", "YKOMOKU", "NO", "SNENREI",
                                     "SKIN", "SUPKIN", "SUPRITSU", "KAKUSA"}));
    if (!insert.isValid()) return false;
    for (const TDesignWageRow &r : rows)
        if (!insert.run({key.kco, key.nendo, r.design, fx, fy, r.no, r.age, r.amount, r.increase,
                         r.rate, r.index}))
            return false;
    return tx.commit();
}

std::vector<TDesignEmployee> ReadDesignEmployees(int workType) {
    std::vector<TDesignEmployee> rows;
    TQuery q(DM().ACN2);
    QString rest;
    if (workType != 0) rest = QStringLiteral(" AND SM1 = %1").arg(workType);
    SelectOfProject(q, QStringLiteral("*"), QStringLiteral("VSYAIN"),
                    rest + QStringLiteral(" ORDER BY KCO,NEWDAY1"));
    rows.reserve(q.RecordCount());
    for (; !q.Eof(); q.Next()) {
        TDesignEmployee e;
        e.Sco = q.Value(QStringLiteral("SCO")).toLongLong();
        e.Sna = q.AsString(QStringLiteral("SNA"));
        e.Mco = q.AsInteger(QStringLiteral("MCO"));
        e.Toukyu = q.AsInteger(QStringLiteral("TOUKYU"));
        e.Nenrei = q.AsInteger(QStringLiteral("NENREI"));
        e.Kinzoku = q.AsInteger(QStringLiteral("KINZOKU"));
        e.Nensu = q.AsInteger(QStringLiteral("NENSU"));
        e.Gouhou = q.AsInteger(QStringLiteral("GOUHOU"));
        e.Tritsu = q.AsFloat(QStringLiteral("TRITSU"));
        e.Tensu = q.AsInteger(QStringLiteral("TENSU"));
        e.Kkyu1 = q.AsFloat(QStringLiteral("KKYU1"));
        e.Kkyu2 = q.AsFloat(QStringLiteral("KKYU2"));
        e.Kkyu3 = q.AsFloat(QStringLiteral("KKYU3"));
        e.Syotei = q.AsFloat(QStringLiteral("SYOTEI"));
        e.Syouyo = q.AsFloat(QStringLiteral("SYOUYO"));
        e.Syouyo2 = q.AsFloat(QStringLiteral("SYOUYO2"));
        e.Hyouka = q.AsString(QStringLiteral("HYOUKA"));
        e.Zonex = q.AsInteger(QStringLiteral("ZONEX"));
        e.Jiseki = q.AsInteger(QStringLiteral("JISEKI"));
        rows.push_back(std::move(e));
    }
    return rows;
}
