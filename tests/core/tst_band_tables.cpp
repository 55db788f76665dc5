// Loading the band and matrix design of a project into memory, saving a band and looking up
// matrix rates.

#include "band_loaders.h"
#include "band_tables.h"
#include "project.h"
#include "state.h"
#include "test_program.h"

#include <QTest>

namespace {
void exec(const QString &sql) {
    QVERIFY2(RunSql(DM().Query22, sql, 'E'), qPrintable(sql));
}

QString band(int id, const char *name, int matrix, int zones) {
    // Zones of 40,000 from 200,000; zones beyond the count stay 0.
    QStringList limits;
    for (int k = 1; k <= 5; ++k)
        limits << (k <= zones ? QString::number(200000 + 40000 * (k - 1)) : "0")
               << (k <= zones ? QString::number(240000 + 40000 * (k - 1)) : "0");
    return QStringLiteral("INSERT INTO BANDM VALUES (31, 2030, %1, '%2', 'def %1', %3, '設計', 1, "
                          "240000, -20, 20, 1.5, 40000, %4)")
        .arg(id)
        .arg(QString::fromUtf8(name))
        .arg(matrix)
        .arg(limits.join(','));
}

// Company 31, 2030: role evaluations 1..3; matrix 1 (three zones) rates all three, matrix 2
// (five zones) rates 1 and 3 only; bands 10 and 20 share matrix 1, band 30 uses matrix 2,
// band 40 names a matrix that does not exist, and a stray band 0 uses matrix 1.
void fixture() {
    SetProjectKey(31, 2030);
    exec("INSERT INTO YHYOUKA VALUES (31, 2030, 3, 'B')");
    exec("INSERT INTO YHYOUKA VALUES (31, 2030, 1, 'S')");
    exec("INSERT INTO YHYOUKA VALUES (31, 2030, 2, 'A')");
    exec("INSERT INTO MATRIXID VALUES (31, 2030, 1, '三段階', '', 3)");
    exec("INSERT INTO MATRIXID VALUES (31, 2030, 2, '五段階', '', 5)");
    exec("INSERT INTO MATRIXCELL VALUES (31, 2030, 1, 1, 5, 3, 1, 0, 0)");
    exec("INSERT INTO MATRIXCELL VALUES (31, 2030, 1, 2, 4, 2, 1, 0, 0)");
    exec("INSERT INTO MATRIXCELL VALUES (31, 2030, 1, 3, 3, 1, 0.5, 0, 0)");
    exec("INSERT INTO MATRIXCELL VALUES (31, 2030, 2, 1, 6, 5, 4, 3, 2)");
    exec("INSERT INTO MATRIXCELL VALUES (31, 2030, 2, 3, 1, 1, 1, 1, 1.5)");
    exec(band(10, "一般", 1, 3));
    exec(band(20, "主任", 1, 3));
    exec(band(30, "管理", 2, 5));
    exec(band(40, "孤立", 99, 0));
    exec(band(0, "ゼロ", 1, 3));
    // Another project's rows must never show up.
    exec("INSERT INTO BANDM (KCO, NENDO, BANDID, MATRIXID) VALUES (31, 2031, 10, 1)");
    exec("INSERT INTO MATRIXCELL VALUES (31, 2031, 1, 1, 50, 50, 50, 0, 0)");
}
} // namespace

class TstBandTables : public QObject {
    Q_OBJECT
private slots:
    void projectWithoutBandsGivesEmptyTables();
    void roleEvaluationsInCodeOrder();
    void bandTableHasOneEntryPerBandAndEvaluation();
    void bandTable2BoundsFollowTheZoneCount();
    void matrixTableGroupsByBand();
    void findMatrixRate_data();
    void findMatrixRate();
    void savedBandReadsBackUnchanged_data();
    void savedBandReadsBackUnchanged();
    void failedSaveKeepsTheStoredBand();
    void savingAllBandsIsOneSave();
};

void TstBandTables::projectWithoutBandsGivesEmptyTables() {
    TestProgram p;
    fixture();
    SetProjectKey(31, 2029);
    G().gBandTbl.Title = "stale";
    G().gBandTbl.Marume = 2;
    G().gBandTbl2.Marume = 2;
    QVERIFY(LoadBandTbl());
    QVERIFY(LoadBandTbl2());
    QVERIFY(LoadMatTbl());
    QVERIFY(LoadYHyoukaTbl());
    QVERIFY(G().gBandTbl.Bands.empty());
    QVERIFY(G().gBandTbl2.Bands.empty());
    QVERIFY(G().gMatTbl.Rows.empty());
    QVERIFY(G().gYHyoukaTbl.empty());
    QCOMPARE(G().gBandTbl.Title, QString());
    QCOMPARE(G().gBandTbl.Marume, 0);
    QCOMPARE(G().gBandTbl2.Marume, 0);
    QVERIFY(p.messages.entries.isEmpty());
}

void TstBandTables::roleEvaluationsInCodeOrder() {
    TestProgram p;
    fixture();
    LoadYHyoukaTbl();
    QCOMPARE(G().gYHyoukaTbl.size(), size_t(3));
    QCOMPARE(G().gYHyoukaTbl[0].Hco, QStringLiteral("1"));
    QCOMPARE(G().gYHyoukaTbl[0].Hkigou, QStringLiteral("S"));
    QCOMPARE(G().gYHyoukaTbl[2].Hkigou, QStringLiteral("B"));
}

void TstBandTables::bandTableHasOneEntryPerBandAndEvaluation() {
    TestProgram p;
    fixture();
    LoadBandTbl();
    const TBANDTBL &t = G().gBandTbl;
    QStringList keys;
    for (const TBANDM &b : t.Bands)
        keys << b.BandId + "/" + b.YHyouka;
    QCOMPARE(keys, QStringList({"0/1", "0/2", "0/3", "10/1", "10/2", "10/3", "20/1", "20/2", "20/3",
                                "30/1", "30/3", "40/"}));
    QCOMPARE(t.Title, QStringLiteral("設計"));
    QCOMPARE(t.Marume, 1);
    const TBANDM &b30 = t.Bands[10];
    QCOMPARE(b30.BandName, QStringLiteral("管理"));
    QCOMPARE(b30.BandTeigi, QStringLiteral("def 30"));
    QCOMPARE(b30.MatrixName, QStringLiteral("五段階"));
    QCOMPARE(b30.ZoneSu, 5);
    QCOMPARE(b30.Kijun, 240000);
    QCOMPARE(b30.KagenRitsu, -20);
    QCOMPARE(b30.Spread, 1.5);
    QCOMPARE(b30.ZoneKagen[5], 360000);
    QCOMPARE(b30.ZoneJyogen[5], 400000);
    QCOMPARE(b30.Up[5], 1.5);
    QCOMPARE(b30.BandKagen, 0); // bounds are only filled in the per-band table
    QCOMPARE(t.Bands[11].ZoneSu, 0);
}

void TstBandTables::bandTable2BoundsFollowTheZoneCount() {
    TestProgram p;
    fixture();
    LoadBandTbl2();
    const auto &b = G().gBandTbl2.Bands;
    QCOMPARE(b.size(), size_t(5));
    QCOMPARE(b[1].BandId, QStringLiteral("10"));
    QCOMPARE(b[1].MatrixName, QStringLiteral("1 : 三段階"));
    QCOMPARE(b[1].BandKagen, 200000);
    QCOMPARE(b[1].BandJyogen, 320000); // upper limit of zone 3
    QCOMPARE(b[3].BandJyogen, 400000); // five zones
    QCOMPARE(b[4].ZoneSu, 0);          // matrix not found: the upper limit of zone 1
    QCOMPARE(b[4].BandJyogen, b[4].ZoneJyogen[1]);
    QCOMPARE(b[4].MatrixName, QString());
    QCOMPARE(G().gBandTbl2.Title, QStringLiteral("設計"));
}

void TstBandTables::matrixTableGroupsByBand() {
    TestProgram p;
    fixture();
    LoadMatTbl();
    const auto &rows = G().gMatTbl.Rows;
    QList<int> ids;
    for (const TMATHYOUKA &r : rows)
        ids << r.BandId;
    // Band 0 starts no group and is attached to none; band 40 has no cells.
    QCOMPARE(ids, QList<int>({10, 20, 30}));
    QCOMPARE(rows[0].Cells.size(), size_t(3));
    QCOMPARE(rows[1].Cells.size(), size_t(3));
    QCOMPARE(rows[1].MatrixId, 1);
    QCOMPARE(rows[1].BandName, QStringLiteral("主任"));
    QCOMPARE(rows[1].MatrixName, QStringLiteral("三段階"));
    QCOMPARE(rows[1].Cells[1].YHyoukaName, QStringLiteral("A"));
    QCOMPARE(rows[2].Cells.size(), size_t(2));
    QCOMPARE(rows[2].Cells[1].YHyouka, 3);
    QCOMPARE(rows[2].Cells[1].ZoneSu, 5);
    // Each band owns its copy of the shared matrix.
    G().gMatTbl.Rows[0].Cells[0].Up[1] = 99;
    QCOMPARE(rows[1].Cells[0].Up[1], 5.0);
}

void TstBandTables::findMatrixRate_data() {
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("evaluation");
    QTest::addColumn<int>("zone");
    QTest::addColumn<double>("rate");
    QTest::newRow("shared matrix, first band") << 10 << 2 << 1 << 4.0;
    QTest::newRow("shared matrix, second band") << 20 << 3 << 3 << 0.5;
    QTest::newRow("zone 5") << 30 << 3 << 5 << 1.5;
    QTest::newRow("zone 0") << 30 << 3 << 0 << 0.0;
    QTest::newRow("zone 6") << 30 << 3 << 6 << 0.0;
    QTest::newRow("evaluation without cell") << 30 << 2 << 1 << 0.0;
    QTest::newRow("band without cells") << 40 << 1 << 1 << 0.0;
    QTest::newRow("band 0") << 0 << 1 << 1 << 0.0;
}

void TstBandTables::findMatrixRate() {
    QFETCH(int, band);
    QFETCH(int, evaluation);
    QFETCH(int, zone);
    TestProgram p;
    fixture();
    LoadMatTbl();
    QTEST(FindMatrixRate(band, evaluation, zone), "rate");
}

void TstBandTables::savedBandReadsBackUnchanged_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("single quote") << QStringLiteral("O'Neil's band");
    QTest::newRow("double quote") << QStringLiteral("\"特別\" バンド");
    QTest::newRow("both") << QStringLiteral("'\"'\"");
    QTest::newRow("column name") << QStringLiteral("BANDID");
}

void TstBandTables::savedBandReadsBackUnchanged() {
    QFETCH(QString, name);
    TestProgram p;
    fixture();
    LoadBandTbl2();
    TBANDTBL2 t = G().gBandTbl2;
    TBANDM2 &b = t.Bands[2]; // band 20
    b.BandName = name;
    b.BandTeigi = name + "\n2行目";
    b.Spread = 1.456;
    b.ZoneJyogen[3] = 333333;
    t.Title = name;
    t.Marume = 2;
    QVERIFY(SaveBandRow(t, 2));
    QVERIFY(p.messages.entries.isEmpty());
    LoadBandTbl2();
    const TBANDM2 &r = G().gBandTbl2.Bands[2];
    QCOMPARE(r.BandId, QStringLiteral("20"));
    QCOMPARE(r.BandName, name);
    QCOMPARE(r.BandTeigi, name + "\n2行目");
    QCOMPARE(r.Spread, 1.46);
    QCOMPARE(r.ZoneJyogen[3], 333333);
    QCOMPARE(r.MatrixId, QStringLiteral("1"));
    // Title and rounding unit are project-wide; the loader takes them from the last row.
    QCOMPARE(SqlValue(DM().ACN2, "SELECT TITLE FROM BANDM WHERE KCO = 31 AND BANDID = 20"), name);
    QCOMPARE(SqlValue(DM().ACN2, "SELECT MARUME FROM BANDM WHERE KCO = 31 AND BANDID = 20"),
             QStringLiteral("2"));
    QCOMPARE(G().gBandTbl2.Bands.size(), size_t(5));
    QCOMPARE(G().gBandTbl2.Bands[1].BandName, QStringLiteral("一般"));
}

void TstBandTables::failedSaveKeepsTheStoredBand() {
    TestProgram p;
    fixture();
    RefuseWrites(DM().ACN2, "refuse", "INSERT", "BANDM", "NEW.BANDNAME = 'fail'");
    LoadBandTbl2();
    TBANDTBL2 t = G().gBandTbl2;
    t.Bands[1].BandName = "fail";
    QVERIFY(!SaveBandRow(t, 1));
    QCOMPARE(p.messages.texts(),
             QStringList{QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。")});
    QCOMPARE(SqlValue(DM().ACN2,
                      "SELECT BANDNAME FROM BANDM WHERE KCO = 31 AND NENDO = 2030 AND BANDID = 10"),
             QStringLiteral("一般"));
    QVERIFY(!SaveBandRow(t, 9)); // no such entry
}

// Rewriting every band replaces the project's rows by the table's; when one band cannot be
// written, none of the stored bands is lost.
void TstBandTables::savingAllBandsIsOneSave() {
    TestProgram p;
    fixture();
    const QString bands = "SELECT BANDID, BANDNAME, TITLE FROM BANDM WHERE KCO = 31 AND NENDO = 2030 "
                          "ORDER BY BANDID";
    const QStringList before = SqlRows(DM().ACN2, bands);
    RefuseWrites(DM().ACN2, "refuse", "INSERT", "BANDM", "NEW.BANDNAME = 'fail'");
    LoadBandTbl2();
    TBANDTBL2 t = G().gBandTbl2;
    t.Title = "新タイトル";
    t.Bands.back().BandName = "fail";
    QVERIFY(!SaveAllBands(t));
    QCOMPARE(SqlRows(DM().ACN2, bands), before);

    p.messages.entries.clear();
    t.Bands.back().BandName = "最後";
    t.Bands.erase(t.Bands.begin()); // a band left out of the table is no longer stored
    QVERIFY(SaveAllBands(t));
    QVERIFY(p.messages.entries.isEmpty());
    const QStringList after = SqlRows(DM().ACN2, bands);
    QCOMPARE(after.size(), before.size() - 1);
    for (const QString &row : after)
        QVERIFY2(row.endsWith("|新タイトル"), qPrintable(row));
    QVERIFY(after.back().contains("|最後|"));
    // Other projects keep their bands.
    QVERIFY(SqlValue(DM().ACN2, "SELECT COUNT(*) FROM BANDM WHERE NOT (KCO = 31 AND NENDO = 2030)")
                .toInt() > 0);

    QVERIFY(DeleteBand(t.Bands.front().BandId.toLongLong()));
    QCOMPARE(SqlRows(DM().ACN2, bands).size(), after.size() - 1);
}

QTEST_MAIN(TstBandTables)
#include "tst_band_tables.moc"
