#include "rollover_store.h"

#include "company_store.h"
#include "message_seam.h"
#include "project.h"
#include "tdm.h"

namespace {

QStringList numbered(const QString &prefix, int last) {
    QStringList out;
    for (int n = 1; n <= last; ++n)
        out << prefix + QString::number(n);
    return out;
}

QStringList words(const char *list) {
    return QString::fromUtf8(list).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// A table whose rows the next year takes over unchanged: the columns after KCO and NENDO.
struct CopiedTable {
    QString table;
    QStringList columns;
};

// The tables copied before the year's employee data, in the order they are copied. The
// wage table by step (DCHINGIN2) goes with them: the next year's raises look their grade and
// step amounts up in it, and no screen fills it again.
QList<CopiedTable> tablesBeforeEmployees() {
    QStringList spDraw = words("SDCO X Y FCHKS FREN");
    for (int i = 1; i <= 6; ++i)
        spDraw << QStringLiteral("SNENREI%1").arg(i) << QStringLiteral("SKIN%1").arg(i);
    spDraw << words("KAISETSU HANREI SETSUMEI SCOLOR SSYURUI SHABA");
    return {
        {QStringLiteral("MKIGYOU2"),
         words("KNA CYOUSAHI BEARITSU TAIKEI") + numbered(QStringLiteral("KKNA"), 3) +
             numbered(QStringLiteral("TNA"), 5) + words("MCCO MDCO") +
             words("TK01 TK02 TK03 TK04 TK05 TK06 TK07 TK08 TK09") +
             words("FRSTKYU SKCO SYOUKYUHI FRSTKYUM FRENCM")},
        {QStringLiteral("MGRAPH"), words("GSCO CCOLOR CSYURUI CHABA")},
        {QStringLiteral("MHYOUKA"), words("HCO HKIGOU SGOUSU")},
        {QStringLiteral("MMARK"), words("MKCO MARK HANREI MKCOLOR MKSIZE KCOLOR KSYURUI KHABA")},
        {QStringLiteral("MSEIKEI"), words("SKCO SNIN SNENREI SEIKEIHI YURITSU STRITSU TNRITSU "
                                          "KKRITSU DEDOKORO TCHIIKI CJITEN NSUCHI")},
        {QStringLiteral("MCHART"), words("CHCO KNO FCHK TOUKYU TITLE FX FY MARKR X1 X2 Y1 Y2 "
                                         "FKINJI CGRAPH SJYUN1 SJYUN2 SJYUN3 SJYUN4 TOUKYU1 "
                                         "KAISETSU MIBUN")},
        {QStringLiteral("DSPDRAW"), spDraw},
        {QStringLiteral("MCHINGIN"), words("CGCO TKSU GOUSU KSENTAKUF UKAKIF MARUMEF TITLE SKCO "
                                           "K2CO K3CO GOUHOU1 GOUHOU2")},
        {QStringLiteral("DSCALE"), words("SKCO TKNO TKNA RITSU1 KKIN RITSU2 SPKIN RNKIN")},
        {QStringLiteral("DKSEN2"),
         words("K2CO TKNO SGOUSU SKIN C1GOUSU C1KIN EGOUSU EKIN KRITSU")},
        {QStringLiteral("DKSEN3"),
         words("K3CO TKNO SGOUSU SKIN C1GOUSU C1KIN C2GOUSU C2KIN EGOUSU EKIN KRITSU")},
        {QStringLiteral("DCHINGIN2"), QStringList{QStringLiteral("GOUHOU")} +
                                          numbered(QStringLiteral("KIN"), 9)},
    };
}

// The band and matrix design and the work types, copied after the employee data.
QList<CopiedTable> tablesAfterEmployees() {
    QStringList band = words("BANDID BANDNAME TEIGI MATRIXID TITLE MARUME 基準賃金 下限率 上限率 "
                             "スプレッド レンジ");
    for (int k = 1; k <= 5; ++k)
        band << QStringLiteral("下限額%1").arg(k) << QStringLiteral("上限額%1").arg(k);
    return {
        {QStringLiteral("YHYOUKA"), words("HCO HKIGOU")},
        {QStringLiteral("BANDM"), band},
        {QStringLiteral("MATRIXID"), words("MATRIXID NAME TEIGI ZONESU")},
        {QStringLiteral("MATRIXCELL"),
         words("MATRIXID YHYOUKA") + numbered(QStringLiteral("UP"), 5)},
        {QStringLiteral("SALARYNAME"), words("SALARYID SALARYNAME TEIGI") +
                                           numbered(QStringLiteral("KIHON"), 3) +
                                           numbered(QStringLiteral("TEATE"), 5)},
    };
}

// "INSERT INTO t (KCO, NENDO, c...) SELECT KCO, NENDO + 1, <values> FROM t S WHERE <year>":
// the rows of the year being closed, as the next year's.
QString copyStatement(const QString &table, const QStringList &columns, const QStringList &values,
                      const ProjectKey &from, const QString &extra = QString()) {
    return QStringLiteral("INSERT INTO %1 (KCO, NENDO, %2) SELECT S.KCO, S.NENDO + 1, %3 FROM %1 S "
                          "WHERE S.NENDO = %4 AND S.KCO = %5%6 ORDER BY S.rowid")
        .arg(table, columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")))
        .arg(from.nendo)
        .arg(from.kco)
        .arg(extra);
}

QStringList prefixed(const QStringList &columns) {
    QStringList out;
    for (const QString &c : columns)
        out << QStringLiteral("S.") + c;
    return out;
}

bool copyTable(TQuery &q, const CopiedTable &t, const ProjectKey &from) {
    // The living costs stay in place when a company's year is deleted; a year rolled over
    // again must not get its living-cost codes twice.
    const QString extra =
        t.table == QLatin1String("MSEIKEI")
            ? QStringLiteral(" AND NOT EXISTS (SELECT 1 FROM MSEIKEI N WHERE N.KCO = S.KCO AND "
                             "N.NENDO = S.NENDO + 1 AND N.SKCO = S.SKCO)")
            : QString();
    return RunSql(q, copyStatement(t.table, t.columns, prefixed(t.columns), from, extra), 'E');
}

// This year's amounts after the raise, fixed with the final computation. Only the items the
// computation replaces are written; the others keep what was entered.
bool writeFinalAmounts(const ProjectKey &from,
                       const std::function<TFinalAmounts(const TYearEndPay &)> &finalAmounts) {
    TQuery q(DM().ACN2);
    if (!SelectOfProject(q, from,
                         QStringLiteral("SCO, MLINK, JISEKI, BANDID, YHYOUKA, KKYU1, KKYU2, "
                                        "KKYU3, NKIN"),
                         QStringLiteral("VSYAIN"), QStringLiteral(" ORDER BY SCO")))
        return false;
    TPrepared update(DM().ACN2,
                     QStringLiteral("UPDATE MSYAIN2 SET NKKYU1 = COALESCE(?, NKKYU1), "
                                    "NKKYU2 = COALESCE(?, NKKYU2), NKKYU3 = COALESCE(?, NKKYU3) "
                                    "WHERE NENDO = ? AND KCO = ? AND SCO = ?"));
    if (!update.isValid()) return false;
    const QStringList items = numbered(QStringLiteral("KKYU"), 3);
    for (; !q.Eof(); q.Next()) {
        TYearEndPay pay;
        pay.Sco = q.Value(QStringLiteral("SCO")).toLongLong();
        pay.Mlink = q.AsInteger(QStringLiteral("MLINK"));
        pay.Jiseki = q.AsInteger(QStringLiteral("JISEKI"));
        pay.BandId = q.AsInteger(QStringLiteral("BANDID"));
        pay.YHyouka = q.AsInteger(QStringLiteral("YHYOUKA"));
        for (int i = 1; i <= 3; ++i)
            pay.Kkyu[i] = q.AsInteger(items[i - 1]);
        pay.Nkin = q.AsInteger(QStringLiteral("NKIN"));
        const TFinalAmounts amounts = finalAmounts(pay);
        if (!amounts.Nkkyu[1] && !amounts.Nkkyu[2] && !amounts.Nkkyu[3]) continue;
        QVariantList values;
        for (int i = 1; i <= 3; ++i)
            values << (amounts.Nkkyu[i] ? QVariant(*amounts.Nkkyu[i]) : QVariant());
        values << from.nendo << from.kco << pay.Sco;
        if (!update.run(values)) return false;
    }
    return true;
}

// Next year's employee master: the band, evaluation and zone after the raise become current,
// the annual income is this year's income after the raise.
bool carryForwardEmployees(TQuery &q, const ProjectKey &from) {
    const QStringList columns = words(
        "HSCO SCO SCOT SNA SEIHI NYUHI YAKU SKCO TCO NENREI KINZOKU NENSU SIKAKUGO JISEKI TRITSU "
        "NENKYU SYOKUKYU KIHONKYU SYOTEIKYU SRITSU SYOUYO NENSYU MCO MNA MLINK BANDID YHYOUKA "
        "MZONE NEWBANDID NEWYHYOUKA NEWMZONE NEWDAY1");
    QStringList values = prefixed(columns);
    const auto replace = [&](const char *column, const QString &value) {
        values[columns.indexOf(QLatin1String(column))] = value;
    };
    replace("NENSYU", QStringLiteral("COALESCE((SELECT P.NNENSYU FROM MSYAIN2 P WHERE P.NENDO = "
                                     "S.NENDO AND P.KCO = S.KCO AND P.SCO = S.SCO ORDER BY "
                                     "P.rowid DESC LIMIT 1), 0)"));
    replace("BANDID", QStringLiteral("S.NEWBANDID"));
    replace("YHYOUKA", QStringLiteral("S.NEWYHYOUKA"));
    replace("MZONE", QStringLiteral("S.NEWMZONE"));
    return RunSql(q, copyStatement(QStringLiteral("MSYAIN1"), columns, values, from), 'E');
}

// Next year's pay data: grade, step and amounts after the raise become current and start the
// new year's amounts after the raise; the raise figures start at 0; the evaluation history
// moves down one year.
bool carryForwardPay(TQuery &q, const ProjectKey &from) {
    const QStringList amounts = numbered(QStringLiteral("KKYU"), 3) + numbered(QStringLiteral("TEATE"), 5);
    const QStringList newAmounts =
        numbered(QStringLiteral("NKKYU"), 3) + numbered(QStringLiteral("NTEATE"), 5);
    QStringList columns = words("SCO SEIBETSU TOUKYU GOUHOU SM1 SM2 GAKU SENKOU KSIKAKU KEIKEN "
                                "THI ZONEX TENSU HCO UPK UPT");
    columns << amounts << newAmounts
            << words("NSRITSU SYOUYO2 NNENSYU NTOUKYU SGOUHOU NGOUHOU FSKCHK HCO1 HNA1 HCO2 HNA2 "
                     "HCO3 HNA3 SYOTEI NSYOTEI SPATH");
    QStringList values = prefixed(columns);
    const auto replace = [&](const QString &column, const QString &value) {
        values[columns.indexOf(column)] = value;
    };
    replace(QStringLiteral("TOUKYU"), QStringLiteral("S.NTOUKYU"));
    replace(QStringLiteral("GOUHOU"), QStringLiteral("S.NGOUHOU"));
    for (qsizetype i = 0; i < amounts.size(); ++i)
        replace(amounts[i], QStringLiteral("S.") + newAmounts[i]);
    for (const char *zero : {"UPK", "UPT", "NSRITSU", "NNENSYU", "SGOUHOU", "FSKCHK", "NSYOTEI"})
        replace(QLatin1String(zero), QStringLiteral("0"));
    replace(QStringLiteral("SYOTEI"), QStringLiteral("S.NSYOTEI"));
    replace(QStringLiteral("HCO1"), QStringLiteral("S.HCO"));
    replace(QStringLiteral("HNA1"),
            QStringLiteral("COALESCE((SELECT H.HKIGOU FROM MHYOUKA H WHERE H.NENDO = S.NENDO AND "
                           "H.KCO = S.KCO AND H.HCO = S.HCO ORDER BY H.rowid DESC LIMIT 1), '')"));
    replace(QStringLiteral("HCO2"), QStringLiteral("S.HCO1"));
    replace(QStringLiteral("HNA2"), QStringLiteral("S.HNA1"));
    replace(QStringLiteral("HCO3"), QStringLiteral("S.HCO2"));
    replace(QStringLiteral("HNA3"), QStringLiteral("S.HNA2"));
    return RunSql(q, copyStatement(QStringLiteral("MSYAIN2"), columns, values, from), 'E');
}

// The next year's row of the company index, registered today; written last.
bool copyIndexRow(TQuery &q, const ProjectKey &from, int todayYmd) {
    const QStringList columns = words("KNA PATH SDATE FNK KDATE REKI");
    QStringList values = prefixed(columns);
    values[columns.indexOf(QStringLiteral("SDATE"))] = QString::number(todayYmd);
    return RunSql(q, copyStatement(kControlSchema + QStringLiteral(".MKIGYOU1"), columns, values,
                                   from),
                  'E');
}

} // namespace

RolloverOutcome RollOverYear(const ProjectKey &from, int todayYmd,
                             const std::function<TFinalAmounts(const TYearEndPay &)> &finalAmounts,
                             const std::function<void(int step)> &progress) {
    CompanyIndexRow index;
    if (ReadCompanyIndex(from.kco, from.nendo + 1, index)) return RolloverOutcome::TargetExists;
    if (!ReadCompanyIndex(from.kco, from.nendo, index)) return RolloverOutcome::NoSourceYear;

    int step = 0;
    const auto next = [&] {
        if (progress) progress(++step);
        return true;
    };
    BothDatabasesTransaction transaction;
    if (!transaction.active()) {
        ShowMessage(kMsgSqlUnknown, QString(), MsgIcon::Error);
        return RolloverOutcome::Failed;
    }
    TQuery q(DM().ACN2);
    bool ok = true;
    for (const CopiedTable &t : tablesBeforeEmployees())
        ok = ok && next() && copyTable(q, t, from);
    ok = ok && next() && writeFinalAmounts(from, finalAmounts);
    ok = ok && next() && carryForwardEmployees(q, from);
    ok = ok && next() && carryForwardPay(q, from);
    for (const CopiedTable &t : tablesAfterEmployees())
        ok = ok && next() && copyTable(q, t, from);
    ok = ok && next() && copyIndexRow(q, from, todayYmd);
    if (!ok || !transaction.commit()) return RolloverOutcome::Failed;
    return RolloverOutcome::Done;
}
