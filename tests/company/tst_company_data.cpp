// The company data screen: registering, changing and deleting a company, its field checks,
// and that a refused or failed save leaves the databases exactly as they were.

#include "company_data.h"
#include "company_list.h"
#include "screen_kit.h"
#include "state.h"
#include "schema.h"
#include "test_program.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {
const QString kNoChange = QStringLiteral("ﾃﾞｰﾀの変更がありません。");
const QString kNameRequired = QStringLiteral("企業名称は必ず入力してください。");
const QString kSurveyDate = QStringLiteral("調査日の入力エラーです。");
const QString kRaiseDate = QStringLiteral("昇給日の入力エラーです。");
const QString kNotNumber = QStringLiteral("数値を入力してください。");
const QString kOutOfRange = QStringLiteral("入力範囲外です。");
const QString kSqlUnknown = QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。");

// Every data-database table that holds a company's rows of a year.
const QStringList kDataTables = {"MSYAIN1", "MSYAIN2",  "MKIGYOU2",   "MMARK",     "MGRAPH",
                                 "MCHART",  "DCHINGIN", "DCHINGIN2",  "DKSEN2",    "DKSEN3",
                                 "DSCALE",  "DSPDRAW",  "MCHINGIN",   "MHYOUKA",   "YHYOUKA",
                                 "BANDM",   "MATRIXID", "MATRIXCELL", "SALARYNAME",
                                 "MGENSHI"};

QString keyOf(int kco, int nendo) {
    return QStringLiteral(" WHERE KCO = %1 AND NENDO = %2").arg(kco).arg(nendo);
}

QString rowsOf(TConnection &c, const QString &table, int kco, int nendo) {
    return SqlValue(c, QStringLiteral("SELECT count(*) FROM ") + table + keyOf(kco, nendo));
}

// Every row of the company's year in both databases, whole, for before/after comparisons.
QStringList snapshot(int kco, int nendo) {
    const QString key = keyOf(kco, nendo) + QStringLiteral(" ORDER BY rowid");
    QStringList out = SqlRows(DM().ACN1, QStringLiteral("SELECT * FROM MKIGYOU1") + key);
    for (const QString &t : kDataTables)
        out << t + QLatin1Char(':') << SqlRows(DM().ACN2, "SELECT * FROM " + t + key);
    return out;
}

// A row in every data table for the company's year, so that a deletion is seen to spare it
// or to take it.
void fillEveryTable(int kco, int nendo) {
    for (const QString &t : kDataTables) {
        if (rowsOf(DM().ACN2, t, kco, nendo) != "0") continue;
        // The other key columns need a value: the server's keys are never NULL.
        QStringList columns{"KCO", "NENDO"};
        QStringList values{QString::number(kco), QString::number(nendo)};
        for (const schema::Table &table : schema::Tables(schema::Db::Data))
            if (table.name == t)
                for (const QString &key : table.key)
                    if (!columns.contains(key)) columns << key, values << "'0'";
        exec(DM().ACN2, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(t, columns.join(", "), values.join(", ")));
    }
}

// The list prepared as the main window's project command does, and the data screen opened
// from it with the mode's button.
class Screens {
public:
    Screens(int mode, int year) {
        ProjectState &g = G();
        g.gListMonth = 4;
        g.gListDay = 15;
        list.prepare(static_cast<ListMode>(mode), year);
        list.show();
        if (mode == 1)
            list.btnAddClick();
        else if (mode == 2)
            list.btnMntClick();
        else
            list.btnDltClick();
        data = list.companyData();
        QVERIFY(data->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(data));
    }
    QLineEdit *edit(const char *name) { return find<QLineEdit>(*data, name); }
    QComboBox *combo(const char *name) { return find<QComboBox>(*data, name); }
    QWidget *field(const QString &name) { return find<QWidget>(*data, name); }
    void press(const char *button) { click(*data, button); }
    // Replaces a field's text as the user types it, then leaves it for `next` (the name box
    // unless given).
    void enter(QWidget *box, const QString &text, QWidget *next = nullptr) {
        typeInto(box, text);
        leaveTo(next ? next : edit("txtCorpName"));
    }

    TNX0010 list;
    TNX0020 *data = nullptr;
};
} // namespace

class Tst_company_data : public QObject {
    Q_OBJECT
private slots:
    void registerWritesIndexSettingsMarksAndLines();
    void registerUnchangedIsRefused();
    void registerRefusalsWriteNothing_data();
    void registerRefusalsWriteNothing();
    void registerKeepsQuotesAndLongNames_data();
    void registerKeepsQuotesAndLongNames();
    void registerFailureLeavesNoHalfCompany();
    void fieldExitChecks_data();
    void fieldExitChecks();
    void typedCodeBecomesCodeAndName_data();
    void typedCodeBecomesCodeAndName();
    void modifyUpdatesBothRows();
    void modifyRefusals_data();
    void modifyRefusals();
    void eraBoxesOfEraCompany();
    void deleteRemovesOnlyThatCompanyYear_data();
    void deleteRemovesOnlyThatCompanyYear();
    void deleteAnsweredNoKeepsAll();
    void deleteFailureKeepsAll();
    void failedWriteKeepsBothDatabases_data();
    void failedWriteKeepsBothDatabases();
    void fitsTheScreen_data();
    void fitsTheScreen();
    void closeWithChangesAsks();
    void cancelRestoresStoredValues();
    void enterMovesToNextField();
};

void Tst_company_data::registerWritesIndexSettingsMarksAndLines() {
    TestProgram p;
    Screens s(1, 2030);
    QCOMPARE(s.edit("txtCorpID")->text(), QStringLiteral("2"));
    QVERIFY(s.combo("cmbChkNengou")->isHidden());
    s.enter(s.edit("txtCorpName"), QStringLiteral("新規商事"), s.edit("txtChkyy"));
    s.enter(s.edit("txtChkyy"), "30");
    s.enter(s.edit("txtChkmm"), "4");
    s.enter(s.edit("txtChkdd"), "1");
    s.enter(s.edit("txtBaseUp"), "-1.25");
    s.enter(s.combo("cmbModelCode"), "1");
    s.enter(s.combo("cmbLivingCode"), "1");
    s.enter(s.edit("txtTokyu2"), QStringLiteral("主任"));
    s.press("btnAdd");

    QVERIFY2(p.messages.entries.isEmpty(), qPrintable(p.messages.texts().join('\n')));
    QVERIFY(!s.data->isVisible());
    QCOMPARE(SqlColumn(DM().ACN1, "SELECT KNA || '|' || PATH || '|' || SDATE || '|' || FNK || "
                                  "'|' || KDATE || '|' || REKI FROM MKIGYOU1 WHERE KCO = 2"),
             QStringList{QStringLiteral("新規商事||20300415|0|20040401|0")});
    QCOMPARE(
        SqlColumn(DM().ACN2,
                  "SELECT NENDO || '|' || KNA || '|' || CYOUSAHI || '|' || BEARITSU || '|' "
                  "|| TAIKEI || '|' || KKNA1 || KKNA2 || KKNA3 || '|' || TNA1 || TNA2 || "
                  "TNA3 || TNA4 || '|' || TNA5 || '|' || MCCO || '|' || MDCO || '|' || TK01 "
                  "|| TK02 || TK09 || '|' || FRSTKYU || '|' || SKCO || '|' || SYOUKYUHI || "
                  "'|' || FRSTKYUM || '|' || FRENCM FROM MKIGYOU2 WHERE KCO = 2"),
        QStringList{QStringLiteral("2030|新規商事|20300401|-1.25||年齢給職能給基本給|"
                                   "家族手当住宅手当役職手当調整手当||1|1|第１等級主任第９等級|"
                                   "3|1|0|3|0")});
    const QString markColumns =
        "MKCO || MARK || HANREI || MKCOLOR || MKSIZE || KCOLOR || KSYURUI || KHABA";
    QCOMPARE(SqlColumn(DM().ACN2, "SELECT " + markColumns +
                                      " FROM MMARK WHERE KCO = 2 AND NENDO = 2030 ORDER BY MKCO"),
             SqlColumn(DM().ACN1, "SELECT " + markColumns +
                                      " FROM MMMARK WHERE KCO = 0 AND NENDO = 9999 ORDER BY MKCO"));
    QCOMPARE(rowsOf(DM().ACN2, "MMARK", 2, 2030), QStringLiteral("6"));
    const QString lineColumns = "GSCO || CCOLOR || CSYURUI || CHABA";
    QCOMPARE(
        SqlColumn(DM().ACN2, "SELECT " + lineColumns +
                                 " FROM MGRAPH WHERE KCO = 2 AND NENDO = 2030 ORDER BY GSCO"),
        SqlColumn(DM().ACN1, "SELECT " + lineColumns +
                                 " FROM MMGRAPH WHERE KCO = 0 AND NENDO = 9999 ORDER BY GSCO"));
    QCOMPARE(rowsOf(DM().ACN2, "MGRAPH", 2, 2030), QStringLiteral("4"));
    // The list shows the new company.
    auto *grid = find<QTableWidget>(s.list, "StringGrid1");
    QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("新規商事"));
    QCOMPARE(G().gDataChanged, 0);
}

void Tst_company_data::registerUnchangedIsRefused() {
    TestProgram p;
    Screens s(1, 2030);
    s.press("btnAdd");
    QCOMPARE(p.messages.texts(), QStringList{kNoChange});
    QVERIFY(s.data->isVisible());
    QCOMPARE(rowsOf(DM().ACN1, "MKIGYOU1", 2, 2030), QStringLiteral("0"));
    QCOMPARE(rowsOf(DM().ACN2, "MKIGYOU2", 2, 2030), QStringLiteral("0"));
}

void Tst_company_data::registerRefusalsWriteNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("bad");
    QTest::addColumn<QString>("good");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty name") << ""
                                << "txtSalaryKbn"
                                << "x"
                                << "x" << kNameRequired;
    QTest::newRow("blank name") << QStringLiteral("　 ") << "txtSalaryKbn"
                                << "x"
                                << "x" << kNameRequired;
    QTest::newRow("30 February") << "A"
                                 << "txtChkdd"
                                 << "30"
                                 << "28" << kSurveyDate;
    QTest::newRow("raise day without month") << "A"
                                             << "txtUPdd"
                                             << "5"
                                             << "0" << kRaiseDate;
    QTest::newRow("rate not a number") << "A"
                                       << "txtBaseUp"
                                       << "1.2.3"
                                       << "1.2" << kNotNumber;
}

void Tst_company_data::registerRefusalsWriteNothing() {
    QFETCH(QString, name);
    QFETCH(QString, field);
    QFETCH(QString, bad);
    QFETCH(QString, good);
    QFETCH(QString, message);
    TestProgram p;
    Screens s(1, 2030);
    s.enter(s.edit("txtCorpName"), name, s.edit("txtChkyy"));
    s.enter(s.edit("txtChkmm"), "2");
    s.enter(s.edit("txtChkdd"), "28");
    // Set without leaving the field, so that only the save checks it.
    s.edit(qPrintable(field))->setText(bad);
    const QStringList before = snapshot(2, 2030);
    s.press("btnAdd");
    QVERIFY2(p.messages.texts().contains(message), qPrintable(p.messages.texts().join('\n')));
    QVERIFY(s.data->isVisible());
    QCOMPARE(snapshot(2, 2030), before);

    if (name.trimmed().isEmpty()) return;
    // Corrected, the company is registered once.
    s.edit(qPrintable(field))->setText(good);
    p.messages.clear();
    s.press("btnAdd");
    QVERIFY2(p.messages.entries.isEmpty(), qPrintable(p.messages.texts().join('\n')));
    QCOMPARE(rowsOf(DM().ACN1, "MKIGYOU1", 2, 2030), QStringLiteral("1"));
    QCOMPARE(rowsOf(DM().ACN2, "MKIGYOU2", 2, 2030), QStringLiteral("1"));
    QCOMPARE(rowsOf(DM().ACN2, "MMARK", 2, 2030), QStringLiteral("6"));
}

void Tst_company_data::registerKeepsQuotesAndLongNames_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("quotes") << QStringLiteral("O'Brien's \"商会\"")
                            << QStringLiteral("O'Brien's \"商会\"");
    const QString sixty = QString(QStringLiteral("株式会社テスト")).repeated(9).left(60);
    QTest::newRow("60 characters") << sixty << sixty;
    QTest::newRow("61 characters cut to 60") << sixty + QStringLiteral("社") << sixty;
    QTest::newRow("statement text") << QStringLiteral("x'); DROP TABLE MKIGYOU2; --")
                                    << QStringLiteral("x'); DROP TABLE MKIGYOU2; --");
}

void Tst_company_data::registerKeepsQuotesAndLongNames() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    TestProgram p;
    Screens s(1, 2030);
    s.enter(s.edit("txtCorpName"), typed);
    s.enter(s.edit("txtSalaryKbn"), QStringLiteral("'職能'"));
    s.press("btnAdd");
    QVERIFY2(p.messages.entries.isEmpty(), qPrintable(p.messages.texts().join('\n')));
    QCOMPARE(SqlValue(DM().ACN1, "SELECT KNA FROM MKIGYOU1 WHERE KCO = 2"), stored);
    QCOMPARE(SqlValue(DM().ACN2, "SELECT KNA FROM MKIGYOU2 WHERE KCO = 2"), stored);
    QCOMPARE(SqlValue(DM().ACN2, "SELECT TAIKEI FROM MKIGYOU2 WHERE KCO = 2"),
             QStringLiteral("'職能'"));
}

void Tst_company_data::registerFailureLeavesNoHalfCompany() {
    TestProgram p;
    // A stray mark row of the new code makes the copy of the default marks fail.
    exec(DM().ACN2, "INSERT INTO MMARK (KCO, NENDO, MKCO, MARK) VALUES (2, 2030, 4, 'x')");
    Screens s(1, 2030);
    s.enter(s.edit("txtCorpName"), QStringLiteral("途中失敗"));
    s.press("btnAdd");
    QCOMPARE(p.messages.texts(), QStringList{kSqlUnknown});
    QVERIFY(s.data->isVisible());
    QCOMPARE(rowsOf(DM().ACN1, "MKIGYOU1", 2, 2030), QStringLiteral("0"));
    QCOMPARE(rowsOf(DM().ACN2, "MKIGYOU2", 2, 2030), QStringLiteral("0"));
    QCOMPARE(SqlColumn(DM().ACN2, "SELECT MKCO || MARK FROM MMARK WHERE KCO = 2"),
             QStringList{"4x"});
    QCOMPARE(rowsOf(DM().ACN2, "MGRAPH", 2, 2030), QStringLiteral("0"));
}

void Tst_company_data::fieldExitChecks_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("year 99") << "txtChkyy"
                             << "99"
                             << "";
    QTest::newRow("year not a number") << "txtUPyy"
                                       << "ab" << kOutOfRange;
    QTest::newRow("year negative") << "txtChkyy"
                                   << "-1" << kOutOfRange;
    QTest::newRow("month 12") << "txtChkmm"
                              << "12"
                              << "";
    QTest::newRow("month 13") << "txtChkmm"
                              << "13" << kOutOfRange;
    QTest::newRow("day 31") << "txtUPdd"
                            << "31"
                            << "";
    QTest::newRow("day 32") << "txtUPdd"
                            << "32" << kOutOfRange;
    QTest::newRow("rate") << "txtBaseUp"
                          << "2.5"
                          << "";
    QTest::newRow("rate empty") << "txtBaseUp"
                                << ""
                                << "";
    QTest::newRow("rate text") << "txtBaseUp"
                               << "abc" << kNotNumber;
    QTest::newRow("model not a number") << "cmbModelCode"
                                        << "x1" << kNotNumber;
    QTest::newRow("living not a number") << "cmbLivingCode"
                                         << "?" << kNotNumber;
}

void Tst_company_data::fieldExitChecks() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    TestProgram p;
    Screens s(1, 2030);
    auto *w = s.field(field);
    QVERIFY(w);
    s.enter(w, text, s.edit("txtSalaryKbn"));
    if (message.isEmpty()) {
        QVERIFY2(p.messages.entries.isEmpty(), qPrintable(p.messages.texts().join('\n')));
        QVERIFY(s.edit("txtSalaryKbn")->hasFocus());
    } else {
        QCOMPARE(p.messages.texts(), QStringList{message});
        QVERIFY(w->hasFocus());
    }
}

void Tst_company_data::typedCodeBecomesCodeAndName_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("nameSql");
    QTest::newRow("model 1") << "cmbModelCode"
                             << "1"
                             << "SELECT '1 : ' || MDNA FROM MDEL "
                                "WHERE MDCO = 1";
    QTest::newRow("model missing") << "cmbModelCode"
                                   << "987"
                                   << "SELECT '987 : 未登録'";
    QTest::newRow("living 1") << "cmbLivingCode"
                              << "1 anything"
                              << "SELECT '1 : ' || DEDOKORO FROM MSEIKEI WHERE SKCO = 1 LIMIT 1";
    QTest::newRow("none") << "cmbLivingCode"
                          << "0"
                          << "SELECT '0 : なし'";
}

void Tst_company_data::typedCodeBecomesCodeAndName() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, nameSql);
    TestProgram p;
    Screens s(1, 2030);
    QCOMPARE(s.combo(qPrintable(field))->currentText(), QStringLiteral("0 : なし"));
    s.enter(s.combo(qPrintable(field)), typed);
    TConnection &c = field == "cmbModelCode" ? DM().ACN1 : DM().ACN2;
    QCOMPARE(s.combo(qPrintable(field))->currentText(), SqlValue(c, nameSql));
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_company_data::modifyUpdatesBothRows() {
    TestProgram p;
    const QStringList other = snapshot(1, 2018);
    const QString tk01 =
        SqlValue(DM().ACN2, "SELECT TK01 FROM MKIGYOU2 WHERE KCO=1 AND NENDO=2017");
    const QString links = SqlValue(DM().ACN2, "SELECT FRSTKYU || '' || FRSTKYUM FROM MKIGYOU2 WHERE "
                                              "KCO=1 AND NENDO=2017");
    Screens s(2, 2017);
    s.enter(s.edit("txtCorpName"), QStringLiteral("ロメルタ'改"));
    s.enter(s.edit("txtBaseUp"), "2.25");
    s.enter(s.combo("cmbLivingCode"), "987");
    s.press("btnMnt");

    QVERIFY2(p.messages.entries.isEmpty(), qPrintable(p.messages.texts().join('\n')));
    QVERIFY(s.data->isVisible());
    QCOMPARE(G().gDataChanged, 0);
    QCOMPARE(SqlValue(DM().ACN1, "SELECT KNA FROM MKIGYOU1 WHERE KCO=1 AND NENDO=2017"),
             QStringLiteral("ロメルタ'改"));
    QCOMPARE(SqlValue(DM().ACN2, "SELECT KNA || '|' || BEARITSU || '|' || SKCO || '|' || TK01 "
                                 "|| '|' || FRSTKYU || '' || FRSTKYUM FROM MKIGYOU2 WHERE KCO=1 AND "
                                 "NENDO=2017"),
             QStringLiteral("ロメルタ'改|2.25|987|") + tk01 + '|' + links);
    QCOMPARE(snapshot(1, 2018), other);
    QCOMPARE(s.combo("cmbLivingCode")->currentText(), QStringLiteral("987 : 未登録"));
    auto *grid = find<QTableWidget>(s.list, "StringGrid1");
    QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("ロメルタ'改"));
}

void Tst_company_data::modifyRefusals_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("model empty") << "cmbModelCode"
                                 << " " << QStringLiteral("モデルコードを入力して下さい。");
    QTest::newRow("living empty") << "cmbLivingCode"
                                  << "" << QStringLiteral("生計費コードを入力して下さい。");
    QTest::newRow("name empty") << "txtCorpName"
                                << "" << kNameRequired;
    QTest::newRow("raise date 31 April") << "txtUPdd"
                                         << "31" << kRaiseDate;
}

void Tst_company_data::modifyRefusals() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    TestProgram p;
    const QStringList before = snapshot(1, 2017);
    Screens s(2, 2017);
    auto *w = s.field(field);
    if (auto *box = qobject_cast<QComboBox *>(w))
        box->setEditText(text);
    else
        static_cast<QLineEdit *>(w)->setText(text);
    s.press("btnMnt");
    QCOMPARE(p.messages.texts(), QStringList{message});
    QCOMPARE(snapshot(1, 2017), before);
}

void Tst_company_data::eraBoxesOfEraCompany() {
    TestProgram p;
    exec(DM().ACN1, "UPDATE MKIGYOU1 SET REKI = 1 WHERE KCO = 1 AND NENDO = 2017");
    exec(DM().ACN2, "UPDATE MKIGYOU2 SET CYOUSAHI = 20170401, SYOUKYUHI = 0 WHERE KCO = 1 "
                    "AND NENDO = 2017");
    G().gReki = 0; // the state of another open project
    Screens s(2, 2017);
    QComboBox *era = s.combo("cmbChkNengou");
    QVERIFY(!era->isHidden());
    QVERIFY(!s.combo("cmbUPNengou")->isHidden());
    QStringList items;
    for (int i = 0; i < era->count(); ++i)
        items << era->itemText(i);
    QCOMPARE(items, (QStringList{QStringLiteral("昭和"), QStringLiteral("平成"),
                                 QStringLiteral("令和"), QString()}));
    QCOMPARE(era->currentText(), QStringLiteral("平成"));
    QCOMPARE(s.edit("txtChkyy")->text(), QStringLiteral("29"));
    QCOMPARE(s.edit("txtChkmm")->text(), QStringLiteral("04"));
    QCOMPARE(s.edit("txtChkdd")->text(), QStringLiteral("01"));
    QCOMPARE(s.combo("cmbUPNengou")->currentText(), QString());

    // 令和元年5月1日 as the raise date.
    s.combo("cmbUPNengou")->setCurrentIndex(2);
    s.enter(s.edit("txtUPyy"), "1");
    s.enter(s.edit("txtUPmm"), "5");
    s.enter(s.edit("txtUPdd"), "1");
    s.press("btnMnt");
    QVERIFY2(p.messages.entries.isEmpty(), qPrintable(p.messages.texts().join('\n')));
    QCOMPARE(SqlValue(DM().ACN2, "SELECT CYOUSAHI || '|' || SYOUKYUHI FROM MKIGYOU2 WHERE KCO=1 "
                                 "AND NENDO=2017"),
             QStringLiteral("20170401|20190501"));
    QCOMPARE(s.edit("txtUPyy")->text(), QStringLiteral("01"));

    // An era date with no era chosen is refused.
    s.combo("cmbChkNengou")->setCurrentIndex(3);
    s.press("btnMnt");
    QCOMPARE(p.messages.texts(), QStringList{kSurveyDate});

    // The calendar of the edited company does not outlive the screen.
    s.press("btnClose");
    QVERIFY(!s.data->isVisible());
    QCOMPARE(G().gReki, 0);
}

void Tst_company_data::deleteRemovesOnlyThatCompanyYear_data() {
    QTest::addColumn<int>("otherKco");
    QTest::addColumn<int>("otherYear");
    QTest::addColumn<int>("listedAfter");
    QTest::newRow("same company, other year") << 1 << 2018 << 0;
    QTest::newRow("other company, same year") << 5 << 2017 << 5;
}

void Tst_company_data::deleteRemovesOnlyThatCompanyYear() {
    QFETCH(int, otherKco);
    QFETCH(int, otherYear);
    QFETCH(int, listedAfter);
    TestProgram p;
    if (otherKco != 1)
        exec(DM().ACN1, QStringLiteral("INSERT INTO MKIGYOU1 (KCO, NENDO, KNA) VALUES (%1, %2, "
                                       "'他社')")
                            .arg(otherKco)
                            .arg(otherYear));
    fillEveryTable(1, 2017);
    fillEveryTable(otherKco, otherYear);
    const QStringList other = snapshot(otherKco, otherYear);
    const QString livingCosts = rowsOf(DM().ACN2, "MSEIKEI", 1, 2017);
    QVERIFY(livingCosts.toInt() > 0);
    const QString defaults = SqlValue(DM().ACN1, "SELECT count(*) FROM MMMARK");

    Screens s(3, 2017);
    QCOMPARE(s.edit("txtCorpID")->text(), QStringLiteral("1"));
    p.messages.answer(true);
    s.press("btnDlt");

    QCOMPARE(p.messages.entries.size(), 2);
    QCOMPARE(p.messages.entries[0].kind, MessageRecorder::Kind::YesNo);
    QCOMPARE(p.messages.entries[0].caption, QStringLiteral("削除"));
    QCOMPARE(p.messages.entries[0].text,
             QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r【いいえ】:戻ります。"));
    QCOMPARE(
        p.messages.entries[1].text,
        QStringLiteral("企業マスター 【　2017　年度　1　:　株式会社ロメルタ　】 を削除しました。"));
    QVERIFY(!s.data->isVisible());
    QCOMPARE(rowsOf(DM().ACN1, "MKIGYOU1", 1, 2017), QStringLiteral("0"));
    for (const QString &t : kDataTables)
        QCOMPARE(rowsOf(DM().ACN2, t, 1, 2017), QStringLiteral("0"));
    QCOMPARE(snapshot(otherKco, otherYear), other);
    QCOMPARE(rowsOf(DM().ACN2, "MSEIKEI", 1, 2017), livingCosts);
    QCOMPARE(SqlValue(DM().ACN1, "SELECT count(*) FROM MMMARK"), defaults);
    // The list shows the year without the company.
    auto *grid = find<QTableWidget>(s.list, "StringGrid1");
    QCOMPARE(grid->rowCount(), 1);
    QCOMPARE(s.list.selectedCode(), listedAfter);
}

void Tst_company_data::deleteAnsweredNoKeepsAll() {
    TestProgram p;
    const QStringList before = snapshot(1, 2017);
    Screens s(3, 2017);
    p.messages.answer(false);
    s.press("btnDlt");
    QCOMPARE(p.messages.entries.size(), 1);
    QVERIFY(s.data->isVisible());
    QCOMPARE(snapshot(1, 2017), before);
}

void Tst_company_data::deleteFailureKeepsAll() {
    TestProgram p;
    // A table that has gone missing makes one of the deletions fail.
    const QStringList before = snapshot(1, 2017);
    exec(DM().ACN2, "ALTER TABLE DSCALE RENAME TO DSCALE_OLD");
    Screens s(3, 2017);
    p.messages.answer(true);
    s.press("btnDlt");
    QCOMPARE(p.messages.texts().last(), kSqlUnknown);
    QVERIFY(s.data->isVisible());
    exec(DM().ACN2, "ALTER TABLE DSCALE_OLD RENAME TO DSCALE");
    QCOMPARE(snapshot(1, 2017), before);
    QVERIFY(rowsOf(DM().ACN2, "MSYAIN1", 1, 2017).toInt() > 0);
}

void Tst_company_data::failedWriteKeepsBothDatabases_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("kco");
    QTest::addColumn<int>("year");
    QTest::addColumn<bool>("inControl");
    QTest::addColumn<QString>("event"); // refused on the table
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("button");
    // Each time the statement refused is a later one than a write to the other database.
    QTest::newRow("register, graph lines refused") << 1 << 2 << 2030 << false << "INSERT" << "MGRAPH"
                                                   << "btnAdd";
    QTest::newRow("modify, settings row refused") << 2 << 1 << 2017 << false << "UPDATE" << "MKIGYOU2"
                                                  << "btnMnt";
    QTest::newRow("delete, index row refused") << 3 << 1 << 2017 << true << "DELETE" << "MKIGYOU1"
                                               << "btnDlt";
}

void Tst_company_data::failedWriteKeepsBothDatabases() {
    QFETCH(int, mode);
    QFETCH(int, kco);
    QFETCH(int, year);
    QFETCH(bool, inControl);
    QFETCH(QString, event);
    QFETCH(QString, table);
    QFETCH(QString, button);
    TestProgram p;
    if (mode == 3) fillEveryTable(kco, year);
    const QStringList before = snapshot(kco, year);
    RefuseWrites(inControl ? DM().ACN1 : DM().ACN2, "REFUSE", event, table);
    Screens s(mode, year);
    s.enter(s.edit("txtCorpName"), QStringLiteral("失敗商事"), s.edit("txtSalaryKbn"));
    p.messages.answer(true); // the deletion is confirmed
    s.press(qPrintable(button));

    const QStringList messages = shown(p.messages);
    QVERIFY2(!messages.isEmpty() && messages.last() == kSqlUnknown,
             qPrintable(messages.join('\n')));
    QCOMPARE(messages.count(kSqlUnknown), 1);
    QVERIFY(s.data->isVisible());
    QCOMPARE(snapshot(kco, year), before);
}

void Tst_company_data::fitsTheScreen_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("year");
    QTest::addColumn<bool>("eraCalendar");
    QTest::newRow("register, western calendar") << 1 << 2030 << false;
    QTest::newRow("modify, era calendar") << 2 << 2017 << true;
}

void Tst_company_data::fitsTheScreen() {
    QFETCH(int, mode);
    QFETCH(int, year);
    QFETCH(bool, eraCalendar);
    TestProgram p;
    if (eraCalendar) exec(DM().ACN1, "UPDATE MKIGYOU1 SET REKI = 1 WHERE KCO = 1 AND NENDO = 2017");
    Screens s(mode, year);
    QCOMPARE(!s.combo("cmbUPNengou")->isHidden(), eraCalendar);
    // The item-name rows are hidden with their captions and take no room.
    for (const QLabel *label : s.data->findChildren<QLabel *>())
        if (label->text().contains(QStringLiteral("項目名"))) QVERIFY(label->isHidden());
    QVERIFY(s.edit("txtKihon1")->isHidden() && s.edit("txtTeate5")->isHidden());
    for (const QSize size : {s.data->size(), s.data->minimumSizeHint()})
        QVERIFY2(size.width() <= kScreenBudget.width() && size.height() <= kScreenBudget.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
}

void Tst_company_data::closeWithChangesAsks() {
    TestProgram p;
    const QString stored =
        SqlValue(DM().ACN2, "SELECT TAIKEI FROM MKIGYOU2 WHERE KCO=1 AND NENDO=2017");
    Screens s(2, 2017);
    s.press("btnClose");
    QVERIFY(p.messages.entries.isEmpty());
    QVERIFY(!s.data->isVisible());

    Screens again(2, 2017);
    again.enter(again.edit("txtSalaryKbn"), QStringLiteral("変更"));
    QCOMPARE(G().gDataChanged, 1);
    p.messages.answer(true);
    again.press("btnClose");
    QCOMPARE(p.messages.entries.size(), 1);
    QCOMPARE(p.messages.entries[0].caption, QStringLiteral("確認"));
    QCOMPARE(p.messages.entries[0].text,
             QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r"
                            "【いいえ】:画面を閉じます。"));
    QVERIFY(again.data->isVisible());
    QVERIFY(again.edit("txtCorpName")->hasFocus());

    p.messages.answer(false);
    QTest::keyClick(again.data, Qt::Key_Escape);
    QCOMPARE(p.messages.entries.size(), 2);
    QVERIFY(!again.data->isVisible());
    QCOMPARE(G().gDataChanged, 0);
    QCOMPARE(SqlValue(DM().ACN2, "SELECT TAIKEI FROM MKIGYOU2 WHERE KCO=1 AND NENDO=2017"), stored);
}

void Tst_company_data::cancelRestoresStoredValues() {
    TestProgram p;
    Screens s(2, 2017);
    const QString stored = s.edit("txtBaseUp")->text();
    s.enter(s.edit("txtBaseUp"), "9.5");
    s.enter(s.edit("txtCorpName"), "X", s.edit("txtSalaryKbn"));
    s.press("btnCansel");
    QCOMPARE(s.edit("txtCorpName")->text(), QStringLiteral("株式会社ロメルタ"));
    QCOMPARE(s.edit("txtBaseUp")->text(), stored);
    QCOMPARE(G().gDataChanged, 0);
    QVERIFY(s.edit("txtCorpName")->hasFocus());
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_company_data::enterMovesToNextField() {
    TestProgram p;
    Screens s(1, 2030);
    QVERIFY(s.edit("txtCorpName")->hasFocus());
    QTest::keyClick(s.edit("txtCorpName"), Qt::Key_Return);
    QVERIFY(s.edit("txtChkyy")->hasFocus()); // the era box is hidden for a new company
    QTest::keyClicks(s.edit("txtChkyy"), "12");
    QTest::keyClick(s.edit("txtChkyy"), Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(s.data->isVisible());
    QVERIFY(p.messages.entries.isEmpty());
}

QTEST_MAIN(Tst_company_data)
#include "tst_company_data.moc"
