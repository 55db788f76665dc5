#include "schema.h"

namespace schema {
namespace {

// "PREFIX1 TYPE", "PREFIX2 TYPE", ... for numbered column groups.
QStringList numbered(const QString &prefix, int from, int to, const QString &type, int width = 0) {
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << prefix + QStringLiteral("%1").arg(i, width, 10, QLatin1Char('0')) +
                   QLatin1Char(' ') + type;
    return out;
}

QStringList cols(std::initializer_list<QStringList> parts) {
    QStringList out;
    for (const QStringList &p : parts)
        out << p;
    return out;
}

const QString I = QStringLiteral("INTEGER");
const QString N = QStringLiteral("NUMERIC");
const QString T = QStringLiteral("TEXT");

QStringList L(std::initializer_list<const char *> names, const QString &type) {
    QStringList out;
    for (const char *n : names)
        out << QString::fromUtf8(n) + QLatin1Char(' ') + type;
    return out;
}

QStringList markColumns() {
    return cols({L({"KCO", "NENDO", "MKCO"}, I), L({"MARK", "HANREI", "MKCOLOR"}, T),
                 L({"MKSIZE"}, I), L({"KCOLOR"}, T), L({"KSYURUI", "KHABA"}, I)});
}

QStringList graphColumns() {
    return cols({L({"KCO", "NENDO", "GSCO"}, I), L({"CCOLOR"}, T), L({"CSYURUI", "CHABA"}, I)});
}

const QStringList kProject = {QStringLiteral("KCO"), QStringLiteral("NENDO")};

QList<Table> controlTables() {
    return {
        {QStringLiteral("MSEIGYO"),
         cols({L({"CO"}, I), numbered(QStringLiteral("REKI"), 1, 3, T),
               numbered(QStringLiteral("SNEN"), 1, 3, I),
               numbered(QStringLiteral("STSUKI"), 1, 3, I),
               numbered(QStringLiteral("SHI"), 1, 3, I), L({"FREKI"}, I)}),
         {QStringLiteral("CO")},
         {}},
        {QStringLiteral("MKIGYOU1"),
         cols({L({"KCO", "NENDO"}, I), L({"KNA", "PATH"}, T), L({"SDATE"}, N), L({"FNK"}, I),
               L({"KDATE"}, N), L({"REKI"}, I)}),
         {QStringLiteral("NENDO"), QStringLiteral("KCO")},
         {}},
        {QStringLiteral("MMMARK"), markColumns(), {}, {}},
        {QStringLiteral("MMGRAPH"), graphColumns(), {}, {}},
        {QStringLiteral("MDEL"),
         cols({L({"MDCO"}, I), L({"MDNA", "DEDOKORO", "TCHIIKI"}, T), L({"JSU"}, I),
               L({"CJITEN", "GYOUSYU", "KIBO", "BIKOU"}, T)}),
         {QStringLiteral("MDCO")},
         {}},
        {QStringLiteral("MDCHINGIN"),
         cols({L({"MDCO", "MCCO", "NENREI", "KNENSU"}, I),
               L({"KKIN", "SKIN", "SYOUYO", "NENSYU"}, N), L({"SENSYU", "KKNENSU"}, I)}),
         {QStringLiteral("MDCO"), QStringLiteral("MCCO")},
         {}},
        {QStringLiteral("Before"), cols({L({"ID"}, I), L({"Name", "Memo"}, T)}), {}, {}},
    };
}

QList<Table> dataTables() {
    return {
        {QStringLiteral("MKIGYOU2"),
         cols({L({"KCO", "NENDO"}, I), L({"KNA"}, T), L({"CYOUSAHI", "BEARITSU"}, N),
               L({"TAIKEI"}, T), numbered(QStringLiteral("KKNA"), 1, 3, T),
               numbered(QStringLiteral("TNA"), 1, 5, T), L({"MCCO", "MDCO"}, I),
               numbered(QStringLiteral("TK"), 1, 9, T, 2), L({"FRSTKYU", "SKCO"}, I),
               L({"SYOUKYUHI"}, N), L({"FRSTKYUM", "FRENCM"}, I)}),
         kProject,
         {}},
        {QStringLiteral("MMARK"),
         markColumns(),
         {QStringLiteral("NENDO"), QStringLiteral("KCO"), QStringLiteral("MKCO")},
         {}},
        {QStringLiteral("MGRAPH"), graphColumns(), {}, kProject},
        {QStringLiteral("SALARYNAME"),
         cols({L({"KCO", "NENDO", "SALARYID"}, I), L({"SALARYNAME", "TEIGI"}, T),
               numbered(QStringLiteral("KIHON"), 1, 3, T),
               numbered(QStringLiteral("TEATE"), 1, 5, T)}),
         {},
         kProject},
        {QStringLiteral("MSYAIN1"),
         cols({L({"KCO", "HSCO", "SCO", "NENDO"}, I), L({"SCOT", "SNA"}, T),
               L({"SEIHI", "NYUHI"}, N), L({"YAKU"}, T),
               L({"SKCO", "TCO", "NENREI", "KINZOKU", "NENSU", "SIKAKUGO", "JISEKI"}, I),
               L({"TRITSU", "NENKYU", "SYOKUKYU", "KIHONKYU", "SYOTEIKYU", "SRITSU", "SYOUYO",
                  "NENSYU"},
                 N),
               L({"MCO"}, I), L({"MNA"}, T),
               L({"MLINK", "BANDID", "YHYOUKA", "MZONE", "NEWBANDID", "NEWYHYOUKA", "NEWMZONE"}, I),
               L({"NEWDAY1"}, T)}),
         {QStringLiteral("NENDO"), QStringLiteral("KCO"), QStringLiteral("SCO")},
         {}},
        {QStringLiteral("MSYAIN2"),
         cols({L({"KCO", "SCO", "NENDO", "SEIBETSU", "TOUKYU", "GOUHOU", "SM1"}, I),
               L({"SM2", "GAKU", "SENKOU", "KSIKAKU", "KEIKEN"}, T), L({"THI"}, N),
               L({"ZONEX", "TENSU", "HCO"}, I), L({"UPK", "UPT"}, N),
               numbered(QStringLiteral("KKYU"), 1, 3, N),
               numbered(QStringLiteral("TEATE"), 1, 5, N),
               numbered(QStringLiteral("NKKYU"), 1, 3, N),
               numbered(QStringLiteral("NTEATE"), 1, 5, N), L({"NSRITSU", "SYOUYO2", "NNENSYU"}, N),
               L({"NTOUKYU", "SGOUHOU", "NGOUHOU", "FSKCHK"}, I), L({"HCO1"}, I), L({"HNA1"}, T),
               L({"HCO2"}, I), L({"HNA2"}, T), L({"HCO3"}, I), L({"HNA3"}, T),
               L({"SYOTEI", "NSYOTEI"}, N), L({"SPATH"}, T)}),
         {QStringLiteral("NENDO"), QStringLiteral("KCO"), QStringLiteral("SCO")},
         {}},
        {QStringLiteral("MHYOUKA"),
         cols({L({"KCO", "NENDO", "HCO"}, I), L({"HKIGOU"}, T), L({"SGOUSU"}, I)}),
         {},
         kProject},
        {QStringLiteral("YHYOUKA"),
         cols({L({"KCO", "NENDO", "HCO"}, I), L({"HKIGOU"}, T)}),
         {},
         kProject},
        {QStringLiteral("MATRIXID"),
         cols({L({"KCO", "NENDO", "MATRIXID"}, I), L({"NAME", "TEIGI"}, T), L({"ZONESU"}, I)}),
         {},
         kProject},
        {QStringLiteral("MATRIXCELL"),
         cols({L({"KCO", "NENDO", "MATRIXID", "YHYOUKA"}, I),
               numbered(QStringLiteral("UP"), 1, 5, N)}),
         {},
         kProject},
        {QStringLiteral("BANDM"),
         cols({L({"KCO", "NENDO", "BANDID"}, I), L({"BANDNAME", "TEIGI"}, T), L({"MATRIXID"}, I),
               L({"TITLE"}, T), L({"MARUME", "基準賃金", "下限率", "上限率"}, I),
               L({"スプレッド"}, N),
               L({"レンジ", "下限額1", "上限額1", "下限額2", "上限額2", "下限額3", "上限額3",
                  "下限額4", "上限額4", "下限額5", "上限額5"},
                 I)}),
         {},
         kProject},
        {QStringLiteral("MSEIKEI"),
         cols({L({"KCO", "NENDO", "SKCO", "SNIN", "SNENREI"}, I),
               L({"SEIKEIHI", "YURITSU", "STRITSU", "TNRITSU", "KKRITSU"}, N),
               L({"DEDOKORO", "TCHIIKI", "CJITEN", "NSUCHI"}, T)}),
         {},
         kProject},
        {QStringLiteral("MCHART"),
         cols({L({"CHCO", "KCO", "NENDO", "KNO", "FCHK", "TOUKYU"}, I), L({"TITLE"}, T),
               L({"FX", "FY", "MARKR"}, I), L({"X1", "X2", "Y1", "Y2"}, N),
               L({"FKINJI", "CGRAPH"}, I), numbered(QStringLiteral("SJYUN"), 1, 4, N),
               L({"TOUKYU1"}, I), L({"KAISETSU"}, T), L({"MIBUN"}, I)}),
         {QStringLiteral("CHCO"), QStringLiteral("KCO"), QStringLiteral("NENDO"),
          QStringLiteral("KNO")},
         {}},
        {QStringLiteral("DCHART"),
         cols({L({"SCO"}, I), L({"SNA", "LABELN", "MARKL"}, T),
               numbered(QStringLiteral("F"), 1, 5, I), L({"X", "Y"}, N),
               L({"SEQNO", "MKCO", "GTOP", "GLEFT"}, I)}),
         {},
         {}},
        {QStringLiteral("DSPDRAW"),
         [] {
             QStringList c = L({"KCO", "NENDO", "SDCO", "X", "Y", "FCHKS", "FREN"}, I);
             for (int i = 1; i <= 6; ++i)
                 c << QStringLiteral("SNENREI%1 INTEGER").arg(i)
                   << QStringLiteral("SKIN%1 NUMERIC").arg(i);
             c << L({"KAISETSU", "HANREI", "SETSUMEI", "SCOLOR"}, T) << L({"SSYURUI", "SHABA"}, I);
             return c;
         }(),
         {},
         kProject},
        {QStringLiteral("DCHINGIN"),
         cols({L({"KCO", "NENDO", "SDCO", "XKOMOKU", "YKOMOKU", "NO", "SNENREI"}, I),
               L({"SKIN", "SUPKIN", "SUPRITSU"}, N), L({"KAKUSA"}, I)}),
         {},
         kProject},
        {QStringLiteral("DCHINGIN2"),
         cols({L({"KCO", "NENDO", "GOUHOU"}, I), numbered(QStringLiteral("KIN"), 1, 9, I)}),
         {QStringLiteral("KCO"), QStringLiteral("NENDO"), QStringLiteral("GOUHOU")},
         {}},
        {QStringLiteral("MCHINGIN"),
         cols({L({"KCO", "NENDO", "CGCO", "TKSU", "GOUSU", "KSENTAKUF", "UKAKIF", "MARUMEF"}, I),
               L({"TITLE"}, T), L({"SKCO", "K2CO", "K3CO", "GOUHOU1", "GOUHOU2"}, I)}),
         {},
         kProject},
        {QStringLiteral("DSCALE"),
         cols({L({"KCO", "NENDO", "SKCO", "TKNO"}, I), L({"TKNA"}, T),
               L({"RITSU1", "KKIN", "RITSU2", "SPKIN", "RNKIN"}, N)}),
         {},
         kProject},
        {QStringLiteral("DKSEN2"),
         cols({L({"KCO", "NENDO", "K2CO", "TKNO", "SGOUSU"}, I), L({"SKIN"}, N), L({"C1GOUSU"}, I),
               L({"C1KIN"}, N), L({"EGOUSU"}, I), L({"EKIN", "KRITSU"}, N)}),
         {},
         kProject},
        // The raise budget of a project: kind 0 is a percentage of the monthly fixed-pay total
        // (GRITSU), kind 1 an amount in yen (GGAKU); the other follows from it.
        {QStringLiteral("MGENSHI"),
         cols({L({"KCO", "NENDO", "GKUBUN"}, I), L({"GRITSU", "GGAKU"}, N)}),
         {QStringLiteral("NENDO"), QStringLiteral("KCO")},
         {}},
        {QStringLiteral("DKSEN3"),
         cols({L({"KCO", "NENDO", "K3CO", "TKNO", "SGOUSU"}, I), L({"SKIN"}, N), L({"C1GOUSU"}, I),
               L({"C1KIN"}, N), L({"C2GOUSU"}, I), L({"C2KIN"}, N), L({"EGOUSU"}, I),
               L({"EKIN", "KRITSU"}, N)}),
         {},
         kProject},
    };
}

// The wage-table amount of grade g at the joined DCHINGIN2 row W (0 when there is none).
QString wageOfGrade(const QString &gradeColumn) {
    QString s = QStringLiteral("COALESCE(CASE %1").arg(gradeColumn);
    for (int g = 1; g <= 9; ++g)
        s += QStringLiteral(" WHEN %1 THEN W.KIN%1").arg(g);
    return s + QStringLiteral(" END, 0)");
}

QString zoneLimits(const QString &alias) {
    QStringList out;
    for (int k = 1; k <= 5; ++k)
        out << QStringLiteral("%1.下限額%2").arg(alias).arg(k)
            << QStringLiteral("%1.上限額%2").arg(alias).arg(k);
    return out.join(QStringLiteral(", "));
}

QList<View> dataViews() {
    const QString bandCommon =
        QStringLiteral(
            "B.KCO, B.NENDO, B.BANDID, B.BANDNAME, B.TEIGI AS BANDTEIGI, B.TITLE, "
            "B.MARUME AS Marume, B.基準賃金, B.下限率, B.上限率, B.スプレッド, B.レンジ, ") +
        zoneLimits(QStringLiteral("B")) + QStringLiteral(", B.MATRIXID");
    return {
        // One row per employee: both master tables, this year's evaluation symbol, the
        // matrix of the employee's band, and the wage-table amounts of the grade and step
        // after the raise (NKIN) and now (KIN).
        {QStringLiteral("VSYAIN"),
         QStringLiteral(
             "SELECT S1.*, S2.SEIBETSU, S2.TOUKYU, S2.GOUHOU, S2.SM1, S2.SM2, S2.GAKU, S2.SENKOU, "
             "S2.KSIKAKU, S2.KEIKEN, S2.THI, S2.ZONEX, S2.TENSU, S2.HCO, S2.UPK, S2.UPT, "
             "S2.KKYU1, S2.KKYU2, S2.KKYU3, S2.TEATE1, S2.TEATE2, S2.TEATE3, S2.TEATE4, "
             "S2.TEATE5, S2.NKKYU1, S2.NKKYU2, S2.NKKYU3, S2.NTEATE1, S2.NTEATE2, S2.NTEATE3, "
             "S2.NTEATE4, S2.NTEATE5, S2.NSRITSU, S2.SYOUYO2, S2.NNENSYU, S2.NTOUKYU, "
             "S2.SGOUHOU, S2.NGOUHOU, S2.FSKCHK, S2.HCO1, S2.HNA1, S2.HCO2, S2.HNA2, S2.HCO3, "
             "S2.HNA3, S2.SYOTEI, S2.NSYOTEI, S2.SPATH, "
             "(SELECT H.HKIGOU FROM MHYOUKA H WHERE H.KCO = S1.KCO AND H.NENDO = S1.NENDO "
             "AND H.HCO = S2.HCO) AS HYOUKA, "
             "(SELECT B.MATRIXID FROM BANDM B WHERE B.KCO = S1.KCO AND B.NENDO = S1.NENDO "
             "AND B.BANDID = S1.BANDID) AS MATRIXID, "
             "(SELECT %1 FROM DCHINGIN2 W WHERE W.KCO = S1.KCO AND W.NENDO = S1.NENDO "
             "AND W.GOUHOU = S2.NGOUHOU) AS NKIN, "
             "(SELECT %2 FROM DCHINGIN2 W WHERE W.KCO = S1.KCO AND W.NENDO = S1.NENDO "
             "AND W.GOUHOU = S2.GOUHOU) AS KIN "
             "FROM MSYAIN1 S1 INNER JOIN MSYAIN2 S2 "
             "ON S2.NENDO = S1.NENDO AND S2.KCO = S1.KCO AND S2.SCO = S1.SCO")
             .arg(wageOfGrade(QStringLiteral("S2.NTOUKYU")),
                  wageOfGrade(QStringLiteral("S2.TOUKYU")))},
        // One row per band and role evaluation of the band's matrix; a band without a
        // matrix or without cells still gives one row.
        {QStringLiteral("VBANDM"),
         QStringLiteral("SELECT %1, M.NAME AS MATRIXNAME, M.ZONESU, C.YHYOUKA, C.UP1, C.UP2, "
                        "C.UP3, C.UP4, C.UP5 FROM BANDM B "
                        "LEFT JOIN MATRIXID M ON M.KCO = B.KCO AND M.NENDO = B.NENDO "
                        "AND M.MATRIXID = B.MATRIXID "
                        "LEFT JOIN MATRIXCELL C ON C.KCO = B.KCO AND C.NENDO = B.NENDO "
                        "AND C.MATRIXID = B.MATRIXID")
             .arg(bandCommon)},
        // One row per band; the matrix as its "id : name" list text.
        {QStringLiteral("VBANDM2"),
         QStringLiteral("SELECT %1, CASE WHEN M.MATRIXID IS NULL THEN '' "
                        "ELSE M.MATRIXID || ' : ' || COALESCE(M.NAME, '') END AS MATRIXNAME, "
                        "M.ZONESU FROM BANDM B "
                        "LEFT JOIN MATRIXID M ON M.KCO = B.KCO AND M.NENDO = B.NENDO "
                        "AND M.MATRIXID = B.MATRIXID")
             .arg(bandCommon)},
        // One row per band and role evaluation that has a cell in the band's matrix.
        {QStringLiteral("VMATRIXCELL"),
         QStringLiteral("SELECT B.KCO, B.NENDO, B.BANDID, B.MATRIXID, B.BANDNAME, M.NAME, "
                        "C.YHYOUKA, Y.HKIGOU AS YHYOUKANAME, M.ZONESU, C.UP1, C.UP2, C.UP3, "
                        "C.UP4, C.UP5 FROM BANDM B "
                        "INNER JOIN MATRIXCELL C ON C.KCO = B.KCO AND C.NENDO = B.NENDO "
                        "AND C.MATRIXID = B.MATRIXID "
                        "LEFT JOIN MATRIXID M ON M.KCO = B.KCO AND M.NENDO = B.NENDO "
                        "AND M.MATRIXID = B.MATRIXID "
                        "LEFT JOIN YHYOUKA Y ON Y.KCO = B.KCO AND Y.NENDO = B.NENDO "
                        "AND Y.HCO = C.YHYOUKA")},
    };
}

} // namespace

const QList<Table> &Tables(Db db) {
    static const QList<Table> control = controlTables();
    static const QList<Table> data = dataTables();
    return db == Db::Control ? control : data;
}

const QList<View> &Views(Db db) {
    static const QList<View> none;
    static const QList<View> data = dataViews();
    return db == Db::Control ? none : data;
}

namespace {
QStringList tableStatements(const Table &t, dbloc::Engine engine) {
    QStringList out;
    QStringList columns = t.columns;
    if (engine == dbloc::Engine::Server) {
        for (QString &c : columns)
            if (c.endsWith(QLatin1String(" INTEGER"))) c = c.chopped(8) + QStringLiteral(" NUMERIC");
        columns << QStringLiteral("rowid BIGSERIAL");
    }
    QString s = QStringLiteral("CREATE TABLE %1 (%2").arg(t.name, columns.join(QStringLiteral(", ")));
    if (!t.key.isEmpty())
        s += QStringLiteral(", PRIMARY KEY (%1)").arg(t.key.join(QStringLiteral(", ")));
    out << s + QLatin1Char(')');
    if (!t.index.isEmpty())
        out << QStringLiteral("CREATE INDEX IX_%1 ON %1 (%2)")
                   .arg(t.name, t.index.join(QStringLiteral(", ")));
    return out;
}
} // namespace

QStringList CreateTableStatements(Db db, const QString &table, dbloc::Engine engine) {
    for (const Table &t : Tables(db))
        if (t.name == table) return tableStatements(t, engine);
    return {};
}

QStringList CreateStatements(Db db, dbloc::Engine engine) {
    QStringList out;
    for (const Table &t : Tables(db))
        out << tableStatements(t, engine);
    for (const View &v : Views(db))
        out << QStringLiteral("CREATE VIEW %1 AS %2").arg(v.name, v.select);
    return out;
}

} // namespace schema
