// The company list: the grid of a fiscal year, choosing and opening a project, and the way
// into registering, changing and deleting companies.

#include "company_data.h"
#include "company_list.h"
#include "state.h"
#include "test_program.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace {
const QString kNoCompany = QStringLiteral("企業コードが選択されていません。");
const QString kNoSettings = QStringLiteral("企業マスターが存在しません。");

// What a project command of the main window does before it shows the list.
void prepare(TNX0010 &list, int mode, int year) {
    G().gListMonth = 4;
    G().gListDay = 15;
    list.prepare(static_cast<ListMode>(mode), year);
    list.show();
}

// Runs a writing statement on a connection of the data module.
void write(TQuery &q, const QString &sql) {
    QVERIFY2(RunSql(q, sql, 'E'), qPrintable(sql));
}

// An index row without a settings row: company 5 in 2017.
void addCompanyWithoutSettings() {
    write(DM().Query1, QStringLiteral("INSERT INTO MKIGYOU1 (KCO, NENDO, KNA, PATH, SDATE, FNK, "
                                      "KDATE, REKI) VALUES (5, 2017, '設定なし', '', 20170401, "
                                      "0, 20040401, 0)"));
}

void clickButton(TNX0010 &list, const char *name) {
    QTest::mouseClick(find<QPushButton>(list, name), Qt::LeftButton);
}

void clickRow(TNX0010 &list, int row) {
    auto *grid = find<QTableWidget>(list, "StringGrid1");
    const QRect cell = grid->visualRect(grid->model()->index(row, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}
} // namespace

class Tst_company_list : public QObject {
    Q_OBJECT
private slots:
    void gridShowsCompaniesOfTheYear();
    void selectAtOnceOpensFirstCompany();
    void selectInYearWithoutCompanies();
    void selectClickedCompany();
    void companyWithoutSettingsLoadsNothing_data();
    void companyWithoutSettingsLoadsNothing();
    void typedYearDisablesButtons();
    void pickedYearRefillsGrid();
    void closeWithoutProject();
    void closeKeepsOpenProject();
    void registerOffersHighestCodePlusOne();
    void modifyAndDeleteOpenChosenCompany_data();
    void modifyAndDeleteOpenChosenCompany();
    void buttonsOfOtherModesDoNothing();
};

void Tst_company_list::gridShowsCompaniesOfTheYear() {
    TestProgram p;
    addCompanyWithoutSettings();
    write(DM().Query1, QStringLiteral("INSERT INTO MKIGYOU1 (KCO, NENDO, KNA, PATH) VALUES "
                                      "(9, 2016, 'よそ', 'X:\\old')"));
    TNX0010 list;
    prepare(list, 4, 2017);
    auto *grid = find<QTableWidget>(list, "StringGrid1");
    QCOMPARE(grid->columnCount(), 4);
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("1"));
    QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("1"));
    QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("株式会社ロメルタ"));
    QCOMPARE(grid->item(0, 3)->text(), G().gDataPath);
    QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("2"));
    QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("5"));
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("企業ｺｰﾄﾞ"));
    QCOMPARE(grid->horizontalHeaderItem(2)->text(), QStringLiteral("企　業　名"));
    QCOMPARE(grid->horizontalHeaderItem(3)->text(), QStringLiteral("パス名"));
    QCOMPARE(find<QLabel>(list, "Lbl_Info")->text(),
             QStringLiteral("2017～2018年度「株式会社ロメルタ」はサンプル企業です"));
    // The highest code is taken over all years; the first row is chosen.
    QCOMPARE(list.highestCode(), 9);
    QCOMPARE(list.selectedCode(), 1);
    QCOMPARE(list.gridRow(), 1);
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_company_list::selectAtOnceOpensFirstCompany() {
    TestProgram p;
    TNX0010 list;
    QSignalSpy opened(&list, &TNX0010::projectOpened);
    prepare(list, 4, 2017);
    clickButton(list, "btnAdd");

    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(opened.count(), 1);
    QVERIFY(!list.isVisible());
    const ProjectState &g = G();
    QCOMPARE(g.gCorpOpen, 1);
    QCOMPARE(g.gEditMode, 4);
    QCOMPARE(g.gKco, 1);
    QCOMPARE(g.gNendo, 2017);
    QCOMPARE(g.gKna, QStringLiteral("株式会社ロメルタ"));
    QCOMPARE(g.gReki,
             SqlValue(DM().ACN1, "SELECT REKI FROM MKIGYOU1 WHERE KCO=1 AND NENDO=2017").toInt());
    QCOMPARE(g.gKdate, SqlValue(DM().ACN1, "SELECT KDATE FROM MKIGYOU1 WHERE KCO=1 AND "
                                           "NENDO=2017")
                           .toInt());
    QCOMPARE(g.gMkigyou2.Kco, QStringLiteral("1"));
    QCOMPARE(g.gMkigyou2.Nendo, QStringLiteral("2017"));
    QCOMPARE(g.gMkigyou2.Kna, QStringLiteral("株式会社ロメルタ"));
    QCOMPARE(g.gMkigyou2.Tk[1],
             SqlValue(DM().ACN2, "SELECT TK01 FROM MKIGYOU2 WHERE KCO=1 AND NENDO=2017"));
    QCOMPARE(g.gMarks[1].Mkco, 1);
    QCOMPARE(g.gMarks[6].Mark,
             SqlValue(DM().ACN2, "SELECT MARK FROM MMARK WHERE KCO=1 AND NENDO=2017 AND MKCO=6"));
    QCOMPARE(
        static_cast<int>(g.gYHyoukaTbl.size()),
        SqlValue(DM().ACN2, "SELECT count(*) FROM YHYOUKA WHERE KCO=1 AND NENDO=2017").toInt());
    QVERIFY(!g.gYHyoukaTbl.empty());
}

void Tst_company_list::selectInYearWithoutCompanies() {
    TestProgram p;
    TNX0010 list;
    QSignalSpy opened(&list, &TNX0010::projectOpened);
    prepare(list, 4, 2030);
    auto *grid = find<QTableWidget>(list, "StringGrid1");
    QCOMPARE(grid->rowCount(), 1);
    QVERIFY(!grid->item(0, 1) || grid->item(0, 1)->text().isEmpty());
    QCOMPARE(list.selectedCode(), 0);

    clickRow(list, 0);
    clickButton(list, "btnAdd");
    QCOMPARE(p.messages.texts(), QStringList{kNoCompany});
    QCOMPARE(opened.count(), 0);
    QCOMPARE(G().gCorpOpen, 0);
    QCOMPARE(G().gKco, 0);
    QVERIFY(list.isVisible());
}

void Tst_company_list::selectClickedCompany() {
    TestProgram p;
    // A second company with settings of its own in 2018.
    write(DM().Query1, QStringLiteral("INSERT INTO MKIGYOU1 (KCO, NENDO, KNA, PATH, SDATE, FNK, "
                                      "KDATE, REKI) VALUES (4, 2018, '北''星', '', 20180401, 1, "
                                      "20150401, 0)"));
    write(DM().Query21, QStringLiteral("INSERT INTO MKIGYOU2 (KCO, NENDO, KNA, MDCO, FRSTKYU) "
                                       "VALUES (4, 2018, '北''星', 2, 0)"));
    TNX0010 list;
    prepare(list, 4, 2018);
    clickRow(list, 1);
    QCOMPARE(list.gridRow(), 2);
    QCOMPARE(list.selectedCode(), 4);
    clickButton(list, "btnAdd");

    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(G().gCorpOpen, 1);
    QCOMPARE(G().gKco, 4);
    QCOMPARE(G().gKna, QStringLiteral("北'星"));
    QCOMPARE(G().gReki, 0);
    QCOMPARE(G().gFnk, 1);
    QCOMPARE(G().gKdate, 20150401);
    QCOMPARE(G().gMkigyou2.Mdco, 2);
    QCOMPARE(G().gMkigyou2.Frstkyu, 0);
}

void Tst_company_list::companyWithoutSettingsLoadsNothing_data() {
    QTest::addColumn<bool>("projectOpen");
    QTest::newRow("no project open") << false;
    QTest::newRow("another project open") << true;
}

void Tst_company_list::companyWithoutSettingsLoadsNothing() {
    QFETCH(bool, projectOpen);
    TestProgram p;
    addCompanyWithoutSettings();
    TNX0010 list;
    if (projectOpen) {
        prepare(list, 4, 2018);
        clickButton(list, "btnAdd");
        QCOMPARE(G().gCorpOpen, 1);
    }
    const ProjectState before = G();
    prepare(list, 4, 2017);
    clickRow(list, 1);
    QCOMPARE(list.selectedCode(), 5);
    clickButton(list, "btnAdd");

    QCOMPARE(p.messages.texts(), QStringList{kNoSettings});
    QVERIFY(list.isVisible());
    const ProjectState &g = G();
    QCOMPARE(g.gCorpOpen, before.gCorpOpen);
    QCOMPARE(g.gKco, before.gKco);
    QCOMPARE(g.gKna, before.gKna);
    QCOMPARE(g.gReki, before.gReki);
    QCOMPARE(g.gMkigyou2.Kco, before.gMkigyou2.Kco);
    QCOMPARE(g.gMkigyou2.Nendo, before.gMkigyou2.Nendo);
    QCOMPARE(g.gMkigyou2.Kna, before.gMkigyou2.Kna);
    QCOMPARE(g.gMarks[1].Mark, before.gMarks[1].Mark);

    // Closing: an open project stays open and is again the project of the state.
    clickButton(list, "btnClose");
    QVERIFY(!list.isVisible());
    QCOMPARE(G().gCorpOpen, projectOpen ? 1 : 0);
    QCOMPARE(G().gEditMode, projectOpen ? 4 : 0);
    QCOMPARE(G().gKco, projectOpen ? 1 : 0);
    if (projectOpen) QCOMPARE(G().gNendo, 2018);
}

void Tst_company_list::typedYearDisablesButtons() {
    TestProgram p;
    TNX0010 list;
    QSignalSpy opened(&list, &TNX0010::projectOpened);
    prepare(list, 4, 2017);
    auto *years = find<QComboBox>(list, "cmbNendo");
    years->lineEdit()->selectAll();
    QTest::keyClicks(years->lineEdit(), QStringLiteral("20x8"));
    QCOMPARE(years->currentText(), QStringLiteral("20x8"));
    QCOMPARE(G().gNendo, 0);
    clickButton(list, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(opened.count(), 0);
    QCOMPARE(G().gCorpOpen, 0);

    // A year typed without picking it from the list does not choose it either.
    years->lineEdit()->selectAll();
    QTest::keyClicks(years->lineEdit(), QStringLiteral("20189"));
    QCOMPARE(years->currentText(), QStringLiteral("2018"));
    QCOMPARE(G().gNendo, 0);
    clickButton(list, "btnAdd");
    QCOMPARE(opened.count(), 0);
}

void Tst_company_list::pickedYearRefillsGrid() {
    TestProgram p;
    TNX0010 list;
    prepare(list, 4, 2030);
    auto *years = find<QComboBox>(list, "cmbNendo");
    const int index = years->findText(QStringLiteral("2018"));
    years->setCurrentIndex(index);
    emit years->activated(index);
    QCOMPARE(G().gNendo, 2018);
    auto *grid = find<QTableWidget>(list, "StringGrid1");
    QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("株式会社ロメルタ"));
    QCOMPARE(list.selectedCode(), 1);

    // Typing a listed year and pressing Enter picks it.
    years->lineEdit()->selectAll();
    QTest::keyClicks(years->lineEdit(), QStringLiteral("2030"));
    QCOMPARE(G().gNendo, 0);
    QTest::keyClick(years, Qt::Key_Return);
    QCOMPARE(G().gNendo, 2030);
    QCOMPARE(list.selectedCode(), 0);
}

void Tst_company_list::closeWithoutProject() {
    TestProgram p;
    TNX0010 list;
    prepare(list, 4, 2017);
    clickButton(list, "btnClose");
    QVERIFY(!list.isVisible());
    QCOMPARE(G().gEditMode, 0);
    QCOMPARE(G().gKco, 0);
    QCOMPARE(G().gCorpOpen, 0);
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_company_list::closeKeepsOpenProject() {
    TestProgram p;
    TNX0010 list;
    QSignalSpy opened(&list, &TNX0010::projectOpened);
    prepare(list, 4, 2017);
    clickButton(list, "btnAdd");
    QCOMPARE(G().gCorpOpen, 1);

    // The next select command browses another year and closes with Escape.
    prepare(list, 4, 2018);
    QTest::keyClick(&list, Qt::Key_Escape);
    QVERIFY(!list.isVisible());
    QCOMPARE(opened.count(), 1);
    QCOMPARE(G().gCorpOpen, 1);
    QCOMPARE(G().gEditMode, 4);
    QCOMPARE(G().gKco, 1);
    QCOMPARE(G().gNendo, 2017);
    QCOMPARE(G().gMkigyou2.Nendo, QStringLiteral("2017"));
}

void Tst_company_list::registerOffersHighestCodePlusOne() {
    TestProgram p;
    write(DM().Query1, QStringLiteral("INSERT INTO MKIGYOU1 (KCO, NENDO, KNA) VALUES (12, 2016, "
                                      "'旧')"));
    TNX0010 list;
    prepare(list, 1, 2030);
    clickButton(list, "btnAdd");
    TNX0020 *data = list.companyData();
    QVERIFY(data->isVisible());
    QCOMPARE(G().gKco, 13);
    QCOMPARE(find<QLineEdit>(*data, "txtCorpID")->text(), QStringLiteral("13"));
    QCOMPARE(find<QLineEdit>(*data, "txtNendo")->text(), QStringLiteral("2030"));
    QCOMPARE(find<QPushButton>(*data, "btnAdd")->text(), QStringLiteral("登録"));
    QVERIFY(find<QPushButton>(*data, "btnAdd")->isEnabled());
    for (const char *name : {"btnMnt", "btnDlt"}) {
        QCOMPARE(find<QPushButton>(*data, name)->text(), QString());
        QVERIFY(!find<QPushButton>(*data, name)->isEnabled());
    }
    QCOMPARE(find<QLineEdit>(*data, "txtCorpName")->text(), QString());
    QCOMPARE(G().gDataChanged, 0);
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_company_list::modifyAndDeleteOpenChosenCompany_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::newRow("modify") << 2 << "btnMnt" << QStringLiteral("修正");
    QTest::newRow("delete") << 3 << "btnDlt" << QStringLiteral("削除");
}

void Tst_company_list::modifyAndDeleteOpenChosenCompany() {
    QFETCH(int, mode);
    QFETCH(QString, button);
    QFETCH(QString, caption);
    TestProgram p;
    TNX0010 list;
    prepare(list, mode, 2018);
    clickButton(list, qPrintable(button));
    TNX0020 *data = list.companyData();
    QVERIFY(data->isVisible());
    QCOMPARE(find<QLineEdit>(*data, "txtCorpID")->text(), QStringLiteral("1"));
    QCOMPARE(find<QLineEdit>(*data, "txtNendo")->text(), QStringLiteral("2018"));
    QCOMPARE(find<QLineEdit>(*data, "txtCorpName")->text(), QStringLiteral("株式会社ロメルタ"));
    auto *active = find<QPushButton>(*data, qPrintable(button));
    QCOMPARE(active->text(), caption);
    QVERIFY(active->isEnabled());
    QVERIFY(!find<QPushButton>(*data, "btnAdd")->isEnabled());
    QCOMPARE(find<QPushButton>(*data, "btnAdd")->text(), QString());
    QCOMPARE(G().gDataChanged, 0);
}

void Tst_company_list::buttonsOfOtherModesDoNothing() {
    TestProgram p;
    TNX0010 list;
    prepare(list, 2, 2017);
    // Called directly, as a disabled button cannot be clicked.
    list.btnAddClick();
    list.btnDltClick();
    QVERIFY(!list.companyData()->isVisible());
    QCOMPARE(G().gCorpOpen, 0);
    prepare(list, 3, 2030); // a year without companies: nothing to delete
    list.btnDltClick();
    QVERIFY(!list.companyData()->isVisible());
    QVERIFY(p.messages.entries.isEmpty());
}

QTEST_MAIN(Tst_company_list)
#include "tst_company_list.moc"
