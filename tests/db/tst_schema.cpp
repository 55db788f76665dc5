// The tables and views of both databases: names, column order, case-insensitive access and
// inserts without a column list.

#include "database_setup.h"
#include "schema.h"
#include "test_program.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString expand(const QString &columns) {
    // "KKYU1..3" -> "KKYU1 KKYU2 KKYU3"; "TK01..09" keeps the width.
    QStringList out;
    for (const QString &word : columns.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const qsizetype dots = word.indexOf(QLatin1String(".."));
        if (dots < 0) {
            out << word;
            continue;
        }
        qsizetype digits = dots;
        while (digits > 0 && word[digits - 1].isDigit())
            --digits;
        const QString prefix = word.left(digits);
        const QString first = word.mid(digits, dots - digits);
        const int last = word.mid(dots + 2).toInt();
        for (int i = first.toInt(); i <= last; ++i)
            out << prefix + QStringLiteral("%1").arg(i, int(first.size()), 10, QLatin1Char('0'));
    }
    return out.join(QLatin1Char(' '));
}

QString actualColumns(TConnection &c, const QString &table) {
    QSqlQuery q(QSqlDatabase::database(c.name(), false));
    if (!q.exec(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(table)))
        return QStringLiteral("<missing>");
    QStringList names;
    const QSqlRecord r = q.record();
    // The server numbers every table's rows in a last column of its own: no column of ours.
    for (int i = 0; i < r.count(); ++i)
        if (!(c.onServer() && r.fieldName(i) == QLatin1String("rowid"))) names << r.fieldName(i);
    return names.join(QLatin1Char(' '));
}

// The server folds the names of tables and columns to lower case.
QString asNamed(const QString &columns) {
    return TestingOnServer() ? columns.toLower() : columns;
}

// The schema version each database carries: PRAGMA user_version of the file, on the server the
// row of the version table of its schema.
QString schemaVersion(TConnection &c) {
    return SqlValue(c, c.onServer() ? "SELECT MAX(VERSION) FROM " + dbsetup::kVersionTable
                                    : QStringLiteral("PRAGMA user_version"));
}
} // namespace

class TstSchema : public QObject {
    Q_OBJECT
private slots:
    void columns_data();
    void columns();
    void mixedCaseNamesReachTheSameColumns();
    void insertWithoutColumnListFillsInOrder_data();
    void insertWithoutColumnListFillsInOrder();
    void databasesCarryTheSchemaVersion();
    void upgradeAddsTheBudgetTable_data();
    void upgradeAddsTheBudgetTable();
};

void TstSchema::columns_data() {
    QTest::addColumn<bool>("control");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("expected");
    auto c = [](const char *t, const char *cols) {
        QTest::newRow(t) << true << QString::fromUtf8(t) << expand(QString::fromUtf8(cols));
    };
    auto d = [](const char *t, const char *cols) {
        QTest::newRow(t) << false << QString::fromUtf8(t) << expand(QString::fromUtf8(cols));
    };
    c("MSEIGYO", "CO REKI1..3 SNEN1..3 STSUKI1..3 SHI1..3 FREKI");
    c("MKIGYOU1", "KCO NENDO KNA PATH SDATE FNK KDATE REKI");
    c("MMMARK", "KCO NENDO MKCO MARK HANREI MKCOLOR MKSIZE KCOLOR KSYURUI KHABA");
    c("MMGRAPH", "KCO NENDO GSCO CCOLOR CSYURUI CHABA");
    c("MDEL", "MDCO MDNA DEDOKORO TCHIIKI JSU CJITEN GYOUSYU KIBO BIKOU");
    c("MDCHINGIN", "MDCO MCCO NENREI KNENSU KKIN SKIN SYOUYO NENSYU SENSYU KKNENSU");
    c("Before", "ID Name Memo");
    d("MKIGYOU2", "KCO NENDO KNA CYOUSAHI BEARITSU TAIKEI KKNA1..3 TNA1..5 MCCO MDCO TK01..09 "
                  "FRSTKYU SKCO SYOUKYUHI FRSTKYUM FRENCM");
    d("MMARK", "KCO NENDO MKCO MARK HANREI MKCOLOR MKSIZE KCOLOR KSYURUI KHABA");
    d("MGRAPH", "KCO NENDO GSCO CCOLOR CSYURUI CHABA");
    d("SALARYNAME", "KCO NENDO SALARYID SALARYNAME TEIGI KIHON1..3 TEATE1..5");
    d("MSYAIN1", "KCO HSCO SCO NENDO SCOT SNA SEIHI NYUHI YAKU SKCO TCO NENREI KINZOKU NENSU "
                 "SIKAKUGO JISEKI TRITSU NENKYU SYOKUKYU KIHONKYU SYOTEIKYU SRITSU SYOUYO NENSYU "
                 "MCO MNA MLINK BANDID YHYOUKA MZONE NEWBANDID NEWYHYOUKA NEWMZONE NEWDAY1");
    d("MSYAIN2", "KCO SCO NENDO SEIBETSU TOUKYU GOUHOU SM1 SM2 GAKU SENKOU KSIKAKU KEIKEN THI "
                 "ZONEX TENSU HCO UPK UPT KKYU1..3 TEATE1..5 NKKYU1..3 NTEATE1..5 NSRITSU "
                 "SYOUYO2 NNENSYU NTOUKYU SGOUHOU NGOUHOU FSKCHK HCO1 HNA1 HCO2 HNA2 HCO3 HNA3 "
                 "SYOTEI NSYOTEI SPATH");
    d("MHYOUKA", "KCO NENDO HCO HKIGOU SGOUSU");
    d("YHYOUKA", "KCO NENDO HCO HKIGOU");
    d("MATRIXID", "KCO NENDO MATRIXID NAME TEIGI ZONESU");
    d("MATRIXCELL", "KCO NENDO MATRIXID YHYOUKA UP1..5");
    d("BANDM", "KCO NENDO BANDID BANDNAME TEIGI MATRIXID TITLE MARUME 基準賃金 下限率 上限率 "
               "スプレッド レンジ 下限額1 上限額1 下限額2 上限額2 下限額3 上限額3 下限額4 上限額4 "
               "下限額5 上限額5");
    d("MSEIKEI", "KCO NENDO SKCO SNIN SNENREI SEIKEIHI YURITSU STRITSU TNRITSU KKRITSU DEDOKORO "
                 "TCHIIKI CJITEN NSUCHI");
    d("MCHART", "CHCO KCO NENDO KNO FCHK TOUKYU TITLE FX FY MARKR X1 X2 Y1 Y2 FKINJI CGRAPH "
                "SJYUN1..4 TOUKYU1 KAISETSU MIBUN");
    d("DCHART", "SCO SNA LABELN MARKL F1..5 X Y SEQNO MKCO GTOP GLEFT");
    d("DSPDRAW", "KCO NENDO SDCO X Y FCHKS FREN SNENREI1 SKIN1 SNENREI2 SKIN2 SNENREI3 SKIN3 "
                 "SNENREI4 SKIN4 SNENREI5 SKIN5 SNENREI6 SKIN6 KAISETSU HANREI SETSUMEI SCOLOR "
                 "SSYURUI SHABA");
    d("DCHINGIN", "KCO NENDO SDCO XKOMOKU YKOMOKU NO SNENREI SKIN SUPKIN SUPRITSU KAKUSA");
    d("DCHINGIN2", "KCO NENDO GOUHOU KIN1..9");
    d("MCHINGIN", "KCO NENDO CGCO TKSU GOUSU KSENTAKUF UKAKIF MARUMEF TITLE SKCO K2CO K3CO "
                  "GOUHOU1 GOUHOU2");
    d("DSCALE", "KCO NENDO SKCO TKNO TKNA RITSU1 KKIN RITSU2 SPKIN RNKIN");
    d("DKSEN2", "KCO NENDO K2CO TKNO SGOUSU SKIN C1GOUSU C1KIN EGOUSU EKIN KRITSU");
    d("DKSEN3", "KCO NENDO K3CO TKNO SGOUSU SKIN C1GOUSU C1KIN C2GOUSU C2KIN EGOUSU EKIN KRITSU");
    d("MGENSHI", "KCO NENDO GKUBUN GRITSU GGAKU");
    // Views: the project key first, then the columns their readers use.
    d("VSYAIN",
      "KCO HSCO SCO NENDO SCOT SNA SEIHI NYUHI YAKU SKCO TCO NENREI KINZOKU NENSU SIKAKUGO "
      "JISEKI TRITSU NENKYU SYOKUKYU KIHONKYU SYOTEIKYU SRITSU SYOUYO NENSYU MCO MNA MLINK "
      "BANDID YHYOUKA MZONE NEWBANDID NEWYHYOUKA NEWMZONE NEWDAY1 "
      "SEIBETSU TOUKYU GOUHOU SM1 SM2 GAKU SENKOU KSIKAKU KEIKEN THI ZONEX TENSU HCO UPK UPT "
      "KKYU1..3 TEATE1..5 NKKYU1..3 NTEATE1..5 NSRITSU SYOUYO2 NNENSYU NTOUKYU SGOUHOU NGOUHOU "
      "FSKCHK HCO1 HNA1 HCO2 HNA2 HCO3 HNA3 SYOTEI NSYOTEI SPATH HYOUKA MATRIXID NKIN KIN");
    const char *band = "KCO NENDO BANDID BANDNAME BANDTEIGI TITLE Marume 基準賃金 下限率 上限率 "
                       "スプレッド レンジ 下限額1 上限額1 下限額2 上限額2 下限額3 上限額3 下限額4 "
                       "上限額4 下限額5 上限額5 MATRIXID MATRIXNAME ZONESU";
    d("VBANDM", (QByteArray(band) + " YHYOUKA UP1..5").constData());
    d("VBANDM2", band);
    d("VMATRIXCELL", "KCO NENDO BANDID MATRIXID BANDNAME NAME YHYOUKA YHYOUKANAME ZONESU UP1..5");
}

void TstSchema::columns() {
    QFETCH(bool, control);
    QFETCH(QString, table);
    QFETCH(QString, expected);
    TestProgram p;
    TConnection &c = control ? DM().ACN1 : DM().ACN2;
    QCOMPARE(actualColumns(c, table), asNamed(expected));
}

void TstSchema::mixedCaseNamesReachTheSameColumns() {
    TestProgram p;
    TQuery &q = DM().Query21;
    QVERIFY(RunSql(
        q, "insert into SalaryName (Kco, Nendo, SalaryId, SalaryName) values (7, 2030, 2, 'x')",
        'E'));
    QVERIFY(RunSql(q, "select salaryname, NENDO from SALARYNAME where kco = 7", 'S'));
    QCOMPARE(q.RecordCount(), 1);
    QCOMPARE(q.AsString("SalaryName"), QStringLiteral("x"));
    QCOMPARE(q.AsInteger("nendo"), 2030);
    QVERIFY(RunSql(q, "select Marume, MARUME from Bandm where kco = 7", 'S'));
    QVERIFY(RunSql(q, "select 基準賃金 from bandm where KCO = 7", 'S'));
    QVERIFY(p.messages.entries.isEmpty());
}

void TstSchema::insertWithoutColumnListFillsInOrder_data() {
    QTest::addColumn<QString>("table");
    for (const char *t : {"SALARYNAME", "MATRIXCELL", "BANDM", "DCHART", "DCHINGIN"})
        QTest::newRow(t) << QString::fromLatin1(t);
}

void TstSchema::insertWithoutColumnListFillsInOrder() {
    QFETCH(QString, table);
    TestProgram p;
    const QStringList cols = actualColumns(DM().ACN2, table).split(QLatin1Char(' '));
    QStringList values;
    for (int i = 0; i < cols.size(); ++i)
        values << QString::number(9000 + i);
    TQuery &q = DM().Query21;
    QVERIFY(
        RunSql(q, QStringLiteral("insert into %1 values (%2)").arg(table, values.join(',')), 'E'));
    QVERIFY(RunSql(q, QStringLiteral("select * from %1 where %2 = 9000").arg(table, cols.first()),
                   'S'));
    QCOMPARE(q.RecordCount(), 1);
    for (int i = 0; i < cols.size(); ++i)
        QCOMPARE(q.AsInteger(cols[i]), 9000 + i);
}

void TstSchema::databasesCarryTheSchemaVersion() {
    TestProgram p;
    QCOMPARE(schemaVersion(DM().ACN1), QStringLiteral("2"));
    QCOMPARE(schemaVersion(DM().ACN2), QStringLiteral("2"));
}

void TstSchema::upgradeAddsTheBudgetTable_data() {
    QTest::addColumn<bool>("data");
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("budgetTable");
    QTest::newRow("data file of version 1") << true << 1 << "KCO NENDO GKUBUN GRITSU GGAKU";
    QTest::newRow("data file before versioning") << true << 0 << "KCO NENDO GKUBUN GRITSU GGAKU";
    QTest::newRow("control file") << false << 1 << "<missing>";
}

void TstSchema::upgradeAddsTheBudgetTable() {
    QFETCH(bool, data);
    QFETCH(int, version);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.db"));
    const QString name = QStringLiteral("upgrade");
    const auto run = [&](const QString &sql) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        QSqlQuery q(db);
        if (!q.exec(sql)) return QStringLiteral("<error>");
        return q.next() ? q.value(0).toString() : QString();
    };
    const auto columns = [&] {
        QSqlQuery q(QSqlDatabase::database(name, false));
        if (!q.exec(QStringLiteral("SELECT * FROM MGENSHI LIMIT 0"))) return QStringLiteral("<missing>");
        QStringList names;
        for (int i = 0; i < q.record().count(); ++i)
            names << q.record().fieldName(i);
        return names.join(QLatin1Char(' '));
    };
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QCOMPARE(run(QStringLiteral("CREATE TABLE MSYAIN1 (KCO INTEGER)")), QString());
        QCOMPARE(run(QStringLiteral("PRAGMA user_version = %1").arg(version)), QString());
        db.close();
    }
    const schema::Db db = data ? schema::Db::Data : schema::Db::Control;
    QVERIFY(dbsetup::UpgradeDatabase(path, db));
    QSqlDatabase::database(name, false).open();
    QCOMPARE(run(QStringLiteral("PRAGMA user_version")), QStringLiteral("2"));
    QTEST(columns(), "budgetTable");
    QCOMPARE(run(QStringLiteral("SELECT count(*) FROM MSYAIN1")), QStringLiteral("0"));
    QSqlDatabase::database(name, false).close();
    // A file already upgraded is left alone.
    QVERIFY(dbsetup::UpgradeDatabase(path, db));
    QSqlDatabase::database(name, false).open();
    QCOMPARE(run(QStringLiteral("PRAGMA user_version")), QStringLiteral("2"));
    QSqlDatabase::database(name, false).close();
    QSqlDatabase::removeDatabase(name);
}

QTEST_MAIN(TstSchema)
#include "tst_schema.moc"
