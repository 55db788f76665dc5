// Loaders of the company settings, marks, wage table and work types.

#include "loaders.h"
#include "project.h"
#include "state.h"
#include "test_program.h"

#include <QTest>

namespace {
// A project of its own (company 31, fiscal year 2030) so the shipped sample does not matter.
void openProject() {
    SetProjectKey(31, 2030);
}

void exec(const QString &sql) {
    QVERIFY2(RunSql(DM().Query22, sql, 'E'), qPrintable(sql));
}
} // namespace

class TstLoaders : public QObject {
    Q_OBJECT
private slots:
    void companySettingsWithoutRowKeepDefaults();
    void companySettingsAreRead();
    void marksFillByNumberAndSkipOthers();
    void wageByStep_data();
    void wageByStep();
    void wageTableByStep();
    void codeListsOfTheProject();
    void salaryNamesAndLabels();
};

void TstLoaders::companySettingsWithoutRowKeepDefaults() {
    TestProgram p;
    TMKIGYOU2 rec;
    rec.Kco = "31";
    rec.Nendo = "2030";
    rec.Kna = "old";
    rec.Frstkyu = 1;
    rec.Mcco = 9;
    rec.Kkna[4] = "kept";
    QVERIFY(!LoadCompanySettings(rec));
    QCOMPARE(rec.Kco, QStringLiteral("31"));
    QCOMPARE(rec.Kna, QString());
    QCOMPARE(rec.Mcco, 0);
    QCOMPARE(rec.Frstkyu, 3);
    QCOMPARE(rec.Frstkyum, 3);
    QCOMPARE(rec.Kkna[4], QStringLiteral("kept"));
    QVERIFY(p.messages.entries.isEmpty());
}

void TstLoaders::companySettingsAreRead() {
    TestProgram p;
    exec("INSERT INTO MKIGYOU2 (KCO, NENDO, KNA, CYOUSAHI, BEARITSU, TAIKEI, KKNA1, KKNA3, TNA5, "
         "MCCO, MDCO, TK01, TK09, FRSTKYU, SKCO, SYOUKYUHI, FRSTKYUM) VALUES (31, 2030, 'ロ''メ', "
         "20300401, 1.25, '職能', '基本給', '調整給', '住宅', 4, 2, '一般', '部長', 0, 7, "
         "20300415, 1)");
    TMKIGYOU2 rec;
    rec.Kco = "31";
    rec.Nendo = "2030";
    QVERIFY(LoadCompanySettings(rec));
    QCOMPARE(rec.Kna, QStringLiteral("ロ'メ"));
    QCOMPARE(rec.Cyousahi, 20300401);
    QCOMPARE(rec.Bearitsu, 1.25);
    QCOMPARE(rec.Taikei, QStringLiteral("職能"));
    QCOMPARE(rec.Kkna[1], QStringLiteral("基本給"));
    QCOMPARE(rec.Kkna[2], QString());
    QCOMPARE(rec.Kkna[3], QStringLiteral("調整給"));
    QCOMPARE(rec.Tna[5], QStringLiteral("住宅"));
    QCOMPARE(rec.Tk[1], QStringLiteral("一般"));
    QCOMPARE(rec.Tk[9], QStringLiteral("部長"));
    QCOMPARE(rec.Mcco, 4);
    QCOMPARE(rec.Mdco, 2);
    QCOMPARE(rec.Frstkyu, 0);
    QCOMPARE(rec.Skco, 7);
    QCOMPARE(rec.Syoukyuhi, 20300415);
    QCOMPARE(rec.Frstkyum, 1);
}

void TstLoaders::marksFillByNumberAndSkipOthers() {
    TestProgram p;
    openProject();
    exec("INSERT INTO MMARK VALUES (31, 2030, 3, '▲', '課長', 'clRed', 12, 'clBlue', 2, 3)");
    exec("INSERT INTO MMARK VALUES (31, 2030, 7, '×', 'seven', 'clRed', 12, 'clBlue', 2, 3)");
    exec("INSERT INTO MMARK VALUES (31, 2031, 1, '●', 'other year', 'clRed', 12, 'clBlue', 2, 3)");
    G().gMarks[1].Mark = "stale";
    QVERIFY(LoadMarks(G().gMarks));
    const TMMARK &m3 = G().gMarks[3];
    QCOMPARE(m3.Mkco, 3);
    QCOMPARE(m3.Mark, QStringLiteral("▲"));
    QCOMPARE(m3.Hanrei, QStringLiteral("課長"));
    QCOMPARE(m3.Mkcolor, QStringLiteral("clRed"));
    QCOMPARE(m3.Mksize, 12);
    QCOMPARE(m3.Kcolor, QStringLiteral("clBlue"));
    QCOMPARE(m3.Ksyurui, 2);
    QCOMPARE(m3.Khaba, 3);
    for (int i : {1, 2, 4, 5, 6}) {
        QCOMPARE(G().gMarks[i].Mkco, 0);
        QCOMPARE(G().gMarks[i].Mark, QString());
        QCOMPARE(G().gMarks[i].Mkcolor, QStringLiteral("0"));
    }
    exec("DELETE FROM MMARK WHERE KCO = 31 AND MKCO = 3");
    QVERIFY(!LoadMarks(G().gMarks));
}

void TstLoaders::wageByStep_data() {
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("amount");
    QTest::newRow("grade 1") << "1"
                             << "5" << 150000;
    QTest::newRow("grade 9") << "9"
                             << "5" << 950000;
    QTest::newRow("grade 10") << "10"
                              << "5" << 0;
    QTest::newRow("grade 0") << "0"
                             << "5" << 0;
    QTest::newRow("grade text") << "x"
                                << "5" << 0;
    QTest::newRow("step without row") << "1"
                                      << "6" << 0;
    QTest::newRow("step not a number") << "1"
                                       << "5 OR 1=1" << 0;
    QTest::newRow("empty step") << "1"
                                << "" << 0;
}

void TstLoaders::wageByStep() {
    QFETCH(QString, grade);
    QFETCH(QString, step);
    QFETCH(int, amount);
    TestProgram p;
    openProject();
    exec("INSERT INTO DCHINGIN2 VALUES (31, 2030, 5, 150000, 250000, 350000, 450000, 550000, "
         "650000, 750000, 850000, 950000)");
    exec("INSERT INTO DCHINGIN2 VALUES (31, 2031, 6, 1, 1, 1, 1, 1, 1, 1, 1, 1)");
    QCOMPARE(WageByStep(grade, step), amount);
    QVERIFY(p.messages.entries.isEmpty());
}

void TstLoaders::wageTableByStep() {
    TestProgram p;
    openProject();
    exec("INSERT INTO DCHINGIN2 VALUES (31, 2030, 7, 170000, 0, 0, 0, 0, 0, 0, 0, 970000)");
    exec("INSERT INTO DCHINGIN2 VALUES (31, 2030, 5, 150000, 0, 0, 0, 0, 0, 0, 0, 950000.5)");
    exec("INSERT INTO DCHINGIN2 VALUES (31, 2031, 6, 1, 1, 1, 1, 1, 1, 1, 1, 1)");
    const std::vector<TWageStep> table = LoadWageTable();
    QCOMPARE(table.size(), size_t(2));
    QCOMPARE(table[0].step, 5);
    QCOMPARE(table[0].kin[1], 150000.0);
    QCOMPARE(table[0].kin[9], 950000.5);
    QCOMPARE(table[1].step, 7);
    QCOMPARE(table[1].kin[9], 970000.0);
    QVERIFY(!DM().Query21.isOpen());
}

void TstLoaders::codeListsOfTheProject() {
    TestProgram p;
    openProject();
    // Evaluations in their stored order; only the first 100 reach the list HyoukaText reads.
    exec(
        "INSERT INTO MHYOUKA (KCO, NENDO, HCO, HKIGOU) WITH RECURSIVE n(i) AS (SELECT 0 UNION "
        "ALL SELECT i + 1 FROM n WHERE i < 101) SELECT 31, 2030, 200 - i, 'E' || (200 - i) FROM n");
    exec("INSERT INTO MHYOUKA (KCO, NENDO, HCO, HKIGOU) VALUES (31, 2031, 1, 'other year')");
    const std::vector<TCodeName> all = LoadHyoukaList();
    QCOMPARE(all.size(), size_t(102));
    QCOMPARE(all.front().Code, QStringLiteral("200"));
    QCOMPARE(all.back().Name, QStringLiteral("E99"));
    QCOMPARE(G().gHyoukaList.size(), size_t(100));
    QCOMPARE(G().gHyoukaCount, 100);

    // Living costs of every company and year, one entry per code, in code order.
    exec("INSERT INTO MSEIKEI (KCO, NENDO, SKCO, SNIN, SNENREI, DEDOKORO) VALUES "
         "(31, 2030, 902, 1, 20, '県B'), (32, 2029, 901, 2, 20, '県A'), (31, 2030, 901, 1, 20, "
         "'県A')");
    LoadLivingList();
    QStringList codes;
    for (const TCodeName &e : G().gLivingList)
        codes << e.Code + QLatin1Char('=') + e.Name;
    QVERIFY(codes.contains(QStringLiteral("901=県A")));
    QCOMPARE(codes.indexOf(QStringLiteral("901=県A")) + 1,
             codes.indexOf(QStringLiteral("902=県B")));
    QCOMPARE(codes.count(QStringLiteral("901=県A")), 1);
    QCOMPARE(G().gLivingCount, static_cast<int>(G().gLivingList.size()));
}

void TstLoaders::salaryNamesAndLabels() {
    TestProgram p;
    openProject();
    exec("INSERT INTO SALARYNAME VALUES (31, 2030, 2, 'パート', '時間給', NULL, '', '', '', '', "
         "'', '', '')");
    exec("INSERT INTO SALARYNAME VALUES (31, 2030, 1, '正社員', '', '本給', '職務給', '', '家族', "
         "'', '', '', '')");
    exec("INSERT INTO SALARYNAME (KCO, NENDO, SALARYNAME) VALUES (31, 2030, 'no id')");
    exec(
        "INSERT INTO SALARYNAME VALUES (31, 2030, 5, 'five', '', 'x', '', '', '', '', '', '', '')");
    G().gSalaryTbl[3].Kihon[1] = "stale";
    LoadSalaryNames();
    QCOMPARE(G().gSalaryTbl[1].CodeName, QStringLiteral("1 : 正社員"));
    QCOMPARE(G().gSalaryTbl[1].Kihon[2], QStringLiteral("職務給"));
    QCOMPARE(G().gSalaryTbl[2].SalaryName, QStringLiteral("パート"));
    QCOMPARE(G().gSalaryTbl[2].Teigi, QStringLiteral("時間給"));
    QCOMPARE(G().gSalaryTbl[3].Kihon[1], QString());

    SalaryCaptions c;
    QVERIFY(SetSalaryLabels(1, c));
    QCOMPARE(c.Kihon[1], QStringLiteral("本給"));
    QCOMPARE(c.Kihon[2], QStringLiteral("職務給"));
    QCOMPARE(c.Teate[1], QStringLiteral("家族"));
    // Empty first captions fall back to the generic names.
    QVERIFY(SetSalaryLabels(2, c));
    QCOMPARE(c.Kihon[1], QStringLiteral("基本給"));
    QCOMPARE(c.Teate[1], QStringLiteral("手当"));
    QCOMPARE(c.Kihon[2], QString());
    // No work type: the generic captions and nothing else.
    c.Kihon[3] = "stale";
    QVERIFY(SetSalaryLabels(0, c));
    QCOMPARE(c.Kihon[1], QStringLiteral("基本給"));
    QCOMPARE(c.Teate[1], QStringLiteral("手当"));
    for (int i = 2; i <= 3; ++i)
        QCOMPARE(c.Kihon[i], QString());
    for (int i = 2; i <= 5; ++i)
        QCOMPARE(c.Teate[i], QString());
}

QTEST_MAIN(TstLoaders)
#include "tst_loaders.moc"
