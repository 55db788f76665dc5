// The year end: the final amounts after the raise, the copy of a company's year to the next
// one, the carry-forward of the employee data, the refusals, and that a failure keeps nothing.

#include "band_loaders.h"
#include "project.h"
#include "screen_test.h"
#include "state.h"
#include "test_program.h"
#include "year_rollover.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace {

const QString kMsgNotNumber = QStringLiteral("数値を入力してください。");
const QString kMsgTargetExists = QStringLiteral(
    "既にデータが存在します。企業データ　を削除してから、再度年次更新を行ってください。");
const QString kMsgDone = QStringLiteral("年次更新が終了しました。");

// Every per-project table of the data database.
const QStringList kDataTables = {"MKIGYOU2", "MGRAPH",   "MHYOUKA",  "MMARK",     "MSEIKEI",
                                 "MCHART",   "DSPDRAW",  "MCHINGIN", "DSCALE",    "DKSEN2",
                                 "DKSEN3",   "DCHINGIN2", "MSYAIN1", "MSYAIN2",   "YHYOUKA",
                                 "BANDM",    "MATRIXID", "MATRIXCELL", "SALARYNAME"};

void data(const QString &sql) {
    exec(DM().ACN2, sql);
}

QString value(const QString &sql) {
    return SqlValue(DM().ACN2, sql);
}

// "table:count" of every table for a company's year, the index row included.
QStringList rowCounts(int kco, int nendo) {
    QStringList out;
    const QString where = QStringLiteral(" WHERE KCO = %1 AND NENDO = %2").arg(kco).arg(nendo);
    for (const QString &table : kDataTables)
        out << table + ":" + value("SELECT COUNT(*) FROM " + table + where);
    out << "MKIGYOU1:" + SqlValue(DM().ACN1, "SELECT COUNT(*) FROM MKIGYOU1" + where);
    return out;
}

ProjectKey keyOf(int kco, int nendo) {
    ProjectKey key;
    key.kco = kco;
    key.nendo = nendo;
    key.isSet = true;
    return key;
}

// Company 31, year 2030: one band (2 zones of 250,000..300,000..350,000, rounded to tens)
// whose matrix gives evaluation 1 3 % in zone 2; evaluations S, A, B, C; a wage table step 10
// of 281,000 in grade 3; three employees:
//  1 linked to the matrix through item 1 (300,000 now), evaluation 2 (A), history S, B, C;
//  2 following the wage table through item 2 (grade 3 step 10 after the raise), a quoted name;
//  3 linked to nothing, amounts after the raise entered by hand.
void fixture() {
    exec(DM().ACN1, "INSERT INTO MKIGYOU1 (KCO, NENDO, KNA, PATH, SDATE, FNK, KDATE, REKI) "
                    "VALUES (31, 2030, '試験''会社', '', 20300401, 0, 20300401, 0)");
    data("INSERT INTO MKIGYOU2 (KCO, NENDO, KNA, TAIKEI) VALUES (31, 2030, '試験''会社', 'x')");
    for (const char *row : {"1, 'S'", "2, 'A'", "3, 'B'", "4, 'C'"})
        data(QStringLiteral("INSERT INTO MHYOUKA (KCO, NENDO, HCO, HKIGOU, SGOUSU) "
                            "VALUES (31, 2030, %1, 1)")
                 .arg(QString::fromUtf8(row)));
    data("INSERT INTO YHYOUKA VALUES (31, 2030, 1, 'S')");
    data("INSERT INTO YHYOUKA VALUES (31, 2030, 2, 'A')");
    data("INSERT INTO MATRIXID VALUES (31, 2030, 1, '試験', '', 2)");
    data("INSERT INTO MATRIXCELL VALUES (31, 2030, 1, 1, 5, 3, 0, 0, 0)");
    data("INSERT INTO MATRIXCELL VALUES (31, 2030, 1, 2, 4, 2, 0, 0, 0)");
    data("INSERT INTO BANDM VALUES (31, 2030, 1, 'バンド', '', 1, '', 0, 300000, -20, 20, 1.4, "
         "50000, 250000, 300000, 300000, 350000, 0, 0, 0, 0, 0, 0)");
    data("INSERT INTO DCHINGIN2 (KCO, NENDO, GOUHOU, KIN3) VALUES (31, 2030, 10, 281000)");
    const QString employee =
        "INSERT INTO MSYAIN1 (KCO, HSCO, SCO, NENDO, SNA, MLINK, JISEKI, BANDID, YHYOUKA, MZONE, "
        "NEWBANDID, NEWYHYOUKA, NEWMZONE, NENSYU) VALUES (31, 0, %1, 2030, %2, 5000000)";
    data(employee.arg(1).arg("'一', 1, 0, 1, 1, 2, 1, 2, 2"));
    data(employee.arg(2).arg("'O''Neil \"二\"', 0, 2, 0, 0, 0, 0, 0, 0"));
    data(employee.arg(3).arg("'三', 0, 0, 0, 0, 0, 0, 0, 0"));
    const QString pay =
        "INSERT INTO MSYAIN2 (KCO, SCO, NENDO, TOUKYU, GOUHOU, NTOUKYU, NGOUHOU, HCO, UPK, UPT, "
        "KKYU1, KKYU2, KKYU3, TEATE1, NKKYU1, NKKYU2, NKKYU3, NTEATE1, NSRITSU, NNENSYU, "
        "SGOUHOU, FSKCHK, HCO1, HNA1, HCO2, HNA2, HCO3, HNA3, SYOTEI, NSYOTEI, SM2) "
        "VALUES (31, %1, 2030, %2)";
    data(pay.arg(1).arg("2, 5, 2, 6, 2, 1000, 1.5, 300000, 0, 0, 10000, 301000, 0, 0, 12000, 3, "
                        "6000000, 1, 1, 1, 'S', 3, 'B', 4, 'C', 310000, 321000, '役''員'"));
    data(pay.arg(2).arg("3, 9, 3, 10, 1, 0, 0, 0, 270000, 0, 0, 0, 275000, 0, 0, 0, "
                        "3500000, 0, 0, 0, '', 0, '', 0, '', 270000, 281000, ''"));
    data(pay.arg(3).arg("1, 1, 1, 1, 1, 0, 0, 200000, 50000, 1000, 0, 205000, 51000, 1500.5, "
                        "0, 0, 2700000, 0, 0, 0, '', 0, '', 0, '', 251000, 257500.5, ''"));
}

QString employeeRow(int sco, int nendo, const QString &columns) {
    return SqlRows(DM().ACN2,
                   QStringLiteral("SELECT %1 FROM MSYAIN2 WHERE KCO = 31 AND NENDO = %2 AND "
                                  "SCO = %3")
                       .arg(columns)
                       .arg(nendo)
                       .arg(sco))
        .value(0);
}

QString masterRow(int sco, int nendo, const QString &columns) {
    return SqlRows(DM().ACN2,
                   QStringLiteral("SELECT %1 FROM MSYAIN1 WHERE KCO = 31 AND NENDO = %2 AND "
                                  "SCO = %3")
                       .arg(columns)
                       .arg(nendo)
                       .arg(sco))
        .value(0);
}

} // namespace

class TstYearRollover : public QObject {
    Q_OBJECT
private slots:
    void finalAmountsAndCarryForward();
    void sampleCompanyRollsOverCompletely();
    void failureLeavesNoTrace();
    void existingTargetYearIsRefused();
    void screenRefusesBadInput_data();
    void screenRefusesBadInput();
};

// The final amounts come from the rolled company's own design, even while another project
// (the sample, with bands of its own) is open.
void TstYearRollover::finalAmountsAndCarryForward() {
    TestProgram p;
    openSample();
    LoadBandTbl();
    LoadMatTbl();
    fixture();
    QList<int> steps;
    QCOMPARE(RollOverCompanyYear(keyOf(31, 2030), 20301215, [&steps](int s) { steps << s; }),
             RolloverOutcome::Done);
    QCOMPARE(steps.size(), kRolloverSteps);
    QCOMPARE(steps.last(), kRolloverSteps);
    QVERIFY(p.messages.entries.isEmpty());

    // This year: item 1 of employee 1 raised 3 % in zone 2; item 2 of employee 2 is the wage
    // table's amount of grade 3, step 10; employee 3 keeps what was entered.
    QCOMPARE(employeeRow(1, 2030, "NKKYU1, NKKYU2, NKKYU3"), QStringLiteral("309000|0|0"));
    QCOMPARE(employeeRow(2, 2030, "NKKYU1, NKKYU2, NKKYU3"), QStringLiteral("0|281000|0"));
    QCOMPARE(employeeRow(3, 2030, "NKKYU1, NKKYU2, NKKYU3"), QStringLiteral("205000|51000|1500.5"));

    // Next year: the amounts, grade and step after the raise are current and start the new
    // amounts after the raise; the raise figures start at 0.
    const QString carried = "TOUKYU, GOUHOU, KKYU1, KKYU2, KKYU3, TEATE1, NKKYU1, NKKYU2, NKKYU3, "
                            "NTEATE1, NTOUKYU, NGOUHOU, UPK, UPT, NSRITSU, NNENSYU, SGOUHOU, "
                            "FSKCHK, SYOTEI, NSYOTEI, SM2";
    QCOMPARE(employeeRow(1, 2031, carried),
             QStringLiteral("2|6|309000|0|0|12000|309000|0|0|12000|2|6|0|0|0|0|0|0|321000|0|役'員"));
    QCOMPARE(employeeRow(2, 2031, carried).section('|', 0, 4),
             QStringLiteral("3|10|0|281000|0"));
    QCOMPARE(employeeRow(3, 2031, carried).section('|', 2, 4),
             QStringLiteral("205000|51000|1500.5"));
    // The evaluation history moves down a year; the one of three years ago drops out.
    QCOMPARE(employeeRow(1, 2031, "HCO, HCO1, HNA1, HCO2, HNA2, HCO3, HNA3"),
             QStringLiteral("2|2|A|1|S|3|B"));
    QCOMPARE(employeeRow(2, 2031, "HCO1, HNA1, HCO2, HNA2"), QStringLiteral("1|S|0|"));
    // The master: band, evaluation and zone after the raise are current; the annual income is
    // this year's after the raise; texts with quotes are copied intact.
    QCOMPARE(masterRow(1, 2031, "BANDID, YHYOUKA, MZONE, NEWBANDID, NEWYHYOUKA, NEWMZONE, NENSYU"),
             QStringLiteral("1|2|2|1|2|2|6000000"));
    QCOMPARE(masterRow(2, 2031, "SNA, NENSYU"), QStringLiteral("O'Neil \"二\"|3500000"));
    // The index row of the new year, registered today, with the company's name intact.
    QCOMPARE(SqlRows(DM().ACN1, "SELECT KNA, SDATE FROM MKIGYOU1 WHERE KCO = 31 AND NENDO = 2031"),
             QStringList{"試験'会社|20301215"});
    QCOMPARE(rowCounts(31, 2031), rowCounts(31, 2030));
    // The open project's design in memory is untouched.
    QCOMPARE(G().gBandTbl.Bands.front().BandName, QStringLiteral("一般職Ⅰ"));
}

void TstYearRollover::sampleCompanyRollsOverCompletely() {
    TestProgram p;
    openSample();
    TNX3030 dlg;
    dlg.prepare();
    showActive(dlg);
    auto *year = find<QComboBox>(dlg, "cmbNendo");
    auto *company = find<QComboBox>(dlg, "cmbCorpName");
    QCOMPARE(year->currentText(), QStringLiteral("2018"));
    QCOMPARE(year->itemText(0), QStringLiteral("2004"));
    QCOMPARE(year->itemText(year->count() - 1), QString::number(G().gNendo + 1));
    QCOMPARE(company->currentText(), QString());
    QVERIFY(company->count() > 0);
    company->setCurrentIndex(company->findText("1 : ", Qt::MatchStartsWith));
    QVERIFY(company->currentText().startsWith("1 : "));
    click(dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{kMsgDone});
    QCOMPARE(company->currentText(), QStringLiteral("1"));
    QCOMPARE(G().gNendo, 2018);
    QCOMPARE(G().gKco, 1);
    const QStringList next = rowCounts(1, 2019);
    QCOMPARE(next, rowCounts(1, 2018));
    QVERIFY(!next.contains("MSYAIN1:0"));

    // The new year opens, and its current pay is last year's pay after the raise.
    QVERIFY(OpenProject(1, 2019));
    QCOMPARE(SqlRows(DM().ACN2, "SELECT SCO, KKYU1, KKYU2, KKYU3 FROM MSYAIN2 WHERE KCO = 1 AND "
                                "NENDO = 2019 ORDER BY SCO"),
             SqlRows(DM().ACN2, "SELECT SCO, NKKYU1, NKKYU2, NKKYU3 FROM MSYAIN2 WHERE KCO = 1 "
                                "AND NENDO = 2018 ORDER BY SCO"));
    // Rolling the same year again is refused.
    p.messages.clear();
    click(dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{kMsgTargetExists});
}

// A statement failing late (the matrix cells, after the employee data) leaves neither the next
// year nor this year's final amounts; once the cause is gone the rollover simply runs again.
void TstYearRollover::failureLeavesNoTrace() {
    TestProgram p;
    openSample();
    fixture();
    const QStringList thisYear = SqlRows(DM().ACN2, "SELECT * FROM MSYAIN2 WHERE KCO = 31");
    RefuseWrites(DM().ACN2, "refuse", "INSERT", "MATRIXCELL", "NEW.NENDO = 2031");
    QCOMPARE(RollOverCompanyYear(keyOf(31, 2030), 20301215), RolloverOutcome::Failed);
    QCOMPARE(shown(p.messages), QStringList{"ＳＱＬ処理で不明なエラーが発生しました。"});
    for (const QString &count : rowCounts(31, 2031))
        QVERIFY2(count.endsWith(":0"), qPrintable(count));
    QCOMPARE(SqlRows(DM().ACN2, "SELECT * FROM MSYAIN2 WHERE KCO = 31"), thisYear);

    AllowWrites(DM().ACN2, "refuse", "MATRIXCELL");
    p.messages.clear();
    QCOMPARE(RollOverCompanyYear(keyOf(31, 2030), 20301215), RolloverOutcome::Done);
    QCOMPARE(rowCounts(31, 2031), rowCounts(31, 2030));
}

void TstYearRollover::existingTargetYearIsRefused() {
    TestProgram p;
    openSample();
    const QStringList before2018 = rowCounts(1, 2018);
    const QStringList rows2017 = SqlRows(DM().ACN2, "SELECT * FROM MSYAIN2 WHERE NENDO = 2017");
    QCOMPARE(RollOverCompanyYear(keyOf(1, 2017), 20301215), RolloverOutcome::TargetExists);
    QCOMPARE(rowCounts(1, 2018), before2018);
    QCOMPARE(SqlRows(DM().ACN2, "SELECT * FROM MSYAIN2 WHERE NENDO = 2017"), rows2017);
    // A year the company does not have gives nothing to roll over.
    QCOMPARE(RollOverCompanyYear(keyOf(1, 2010), 20301215), RolloverOutcome::NoSourceYear);
    for (const QString &count : rowCounts(1, 2011))
        QVERIFY2(count.endsWith(":0"), qPrintable(count));
}

void TstYearRollover::screenRefusesBadInput_data() {
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("empty year") << "" << "1" << kMsgNotNumber << "cmbNendo";
    QTest::newRow("year abc") << "abc" << "1" << kMsgNotNumber << "cmbNendo";
    QTest::newRow("company abc") << "2018" << "abc 株式会社" << kMsgNotNumber << "cmbCorpName";
    QTest::newRow("company empty") << "2018" << "" << kMsgNotNumber << "cmbCorpName";
    QTest::newRow("next year exists") << "2017" << "1 : 株式会社ロメルタ" << kMsgTargetExists
                                      << "";
}

void TstYearRollover::screenRefusesBadInput() {
    QFETCH(QString, year);
    QFETCH(QString, company);
    QFETCH(QString, focus);
    TestProgram p;
    openSample();
    const QStringList before = rowCounts(1, 2019);
    TNX3030 dlg;
    dlg.prepare();
    showActive(dlg);
    typeInto(find<QComboBox>(dlg, "cmbNendo"), year);
    typeInto(find<QComboBox>(dlg, "cmbCorpName"), company);
    click(dlg, "btnAdd");
    QFETCH(QString, message);
    QCOMPARE(shown(p.messages), QStringList{message});
    if (!focus.isEmpty()) QVERIFY(find<QComboBox>(dlg, focus)->hasFocus());
    QCOMPARE(rowCounts(1, 2019), before);
}

QTEST_MAIN(TstYearRollover)
#include "tst_year_rollover.moc"
