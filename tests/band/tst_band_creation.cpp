// Band creation: the band page's preview, the band computation and the zone input on leaving a
// page, the rounding setting, saving every band in one save, cancel and the close prompt.

#include "band_creation.h"
#include "band_loaders.h"
#include "screen_kit.h"
#include "screen_test.h"
#include "state.h"
#include "test_program.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

const QString kProject = QStringLiteral(" where KCO = 1 and NENDO = 2018");
const QString kAskLeave = QStringLiteral(
    "ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:画面を閉じます。");
const QString kMsgInvalidNumber = QStringLiteral("入力データが有効な数字でありません。");

QLineEdit *edit(TfrmBand &dlg, const QString &name) {
    return find<QLineEdit>(dlg, name);
}

QTabWidget *pages(TfrmBand &dlg) {
    return find<QTabWidget>(dlg, "PageControl1");
}

// Clicks the tab of a page as the user does.
void goToPage(TfrmBand &dlg, int page) {
    QTabBar *bar = pages(dlg)->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
    QApplication::processEvents();
}

void open(TfrmBand &dlg) {
    LoadBandTbl2();
    dlg.prepare();
    showActive(dlg);
}

// Types the base wage and percentages of a band row and leaves the row.
void typeBand(TfrmBand &dlg, int row, const QString &lower, const QString &base,
              const QString &upper) {
    const QString n = QString::number(row);
    typeInto(edit(dlg, "txtKagen" + n), lower);
    typeInto(edit(dlg, "txtKijun" + n), base);
    typeInto(edit(dlg, "txtJyogen" + n), upper);
    leaveTo(edit(dlg, "txtKagen" + n));
}

// The six zone boundaries of a band row as shown, disabled ones in brackets.
QStringList boundaries(TfrmBand &dlg, int row) {
    QStringList out;
    for (int k = 1; k <= 6; ++k) {
        const QString name = k <= 5 ? QStringLiteral("txt2Kagen%1%2").arg(k).arg(row)
                                    : QStringLiteral("txt2Jyogen5%1").arg(row);
        QLineEdit *e = edit(dlg, name);
        out << (e->isEnabled() ? e->text() : "[" + e->text() + "]");
    }
    return out;
}

QString bandRow(int id) {
    return SqlRows(DM().ACN2, "select BANDID, BANDNAME, MATRIXID, TITLE, MARUME, 基準賃金, 下限率, "
                              "上限率, スプレッド, レンジ, 下限額1, 上限額1, 下限額2, 上限額2, "
                              "下限額3, 上限額3, 下限額4, 上限額4, 下限額5, 上限額5 from BANDM" +
                                  kProject + QStringLiteral(" and BANDID = %1").arg(id))
        .value(0);
}

// Once a window other than `owner` is shown modally, runs `look` and closes that window.
void closeWindowWhenShown(QWidget *owner, std::function<void()> look) {
    QTimer::singleShot(10, [owner, look] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || w == owner) return closeWindowWhenShown(owner, look);
        look();
        w->close();
    });
}

QStringList allBands() {
    return SqlRows(DM().ACN2, "select * from BANDM" + kProject + " order by BANDID");
}

} // namespace

class TstBandCreation : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheStoredBands();
    void workedExampleIsComputedAndSaved();
    void bandPageRefusals_data();
    void bandPageRefusals();
    void zonePageRefusesAMissingBoundary();
    void handAdjustedZoneIsSaved();
    void roundingChangeRecomputesTheZones();
    void twoZoneBandStoresNoFurtherZones();
    void bandsBeyondTheNinthAreWrittenUnchanged();
    void failedSaveKeepsTheStoredBands();
    void cancelAndClosePrompt();
    void savedBandsShownWithoutLosingTheDesign();
};

void TstBandCreation::opensWithTheStoredBands() {
    TestProgram p;
    openSample();
    TfrmBand dlg;
    open(dlg);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("バンド　作成"));
    QCOMPARE(pages(dlg)->currentIndex(), int(TfrmBand::BandPage));
    QVERIFY(!find<QPushButton>(dlg, "btnAdd")->isEnabled());
    QCOMPARE(edit(dlg, "txtBand1")->text(), QStringLiteral("一般職Ⅰ"));
    QCOMPARE(edit(dlg, "txtZONEsu1")->text(), QStringLiteral("3"));
    QCOMPARE(edit(dlg, "txtKagen1")->text(), QStringLiteral("-20"));
    QCOMPARE(edit(dlg, "txtKijun1")->text(), QStringLiteral("56,000"));
    QCOMPARE(edit(dlg, "txtSplet1")->text(), QStringLiteral("1.50"));
    QCOMPARE(edit(dlg, "txtRange1")->text(), QStringLiteral("22,400"));
    // Seven bands: rows 8 and 9 are hidden on both pages.
    QVERIFY(edit(dlg, "txtID7")->isVisibleTo(&dlg));
    QVERIFY(!edit(dlg, "txtID8")->isVisibleTo(&dlg));
    QVERIFY(!edit(dlg, "txt2Kagen19")->isVisibleTo(&dlg));
    QCOMPARE(find<QLineEdit>(dlg, "txtTitle")->text(), QStringLiteral("役割給バンド"));
    QVERIFY(find<QRadioButton>(dlg, "optUnit100")->isChecked());
    // Three, four and five zones: the boundary after the last zone holds the band's top.
    QCOMPARE(boundaries(dlg, 1),
             (QStringList{"44,800", "52,300", "59,800", "67,300", "[]", "[]"}));
    QCOMPARE(boundaries(dlg, 3),
             (QStringList{"72,000", "84,000", "96,000", "108,000", "120,000", "[]"}));
    QCOMPARE(boundaries(dlg, 5),
             (QStringList{"105,000", "123,000", "141,000", "159,000", "177,000", "195,000"}));
    QVERIFY(p.messages.entries.isEmpty());
    QVERIFY(QSize(dlg.size()).boundedTo(kScreenBudget) == dlg.size());
}

// Base wage 300,000 at -20 % / +20 % with three zones rounded to tens.
void TstBandCreation::workedExampleIsComputedAndSaved() {
    TestProgram p;
    openSample();
    TfrmBand dlg;
    open(dlg);
    goToPage(dlg, TfrmBand::SettingsPage);
    find<QRadioButton>(dlg, "optUnit10")->click();
    goToPage(dlg, TfrmBand::BandPage);
    typeBand(dlg, 1, "-20", "300000", "20");
    QCOMPARE(edit(dlg, "txtKijun1")->text(), QStringLiteral("300,000"));
    QCOMPARE(edit(dlg, "txtSplet1")->text(), QStringLiteral("1.50"));
    QCOMPARE(edit(dlg, "txtRange1")->text(), QStringLiteral("120,000"));
    goToPage(dlg, TfrmBand::ZonePage);
    QCOMPARE(pages(dlg)->currentIndex(), int(TfrmBand::ZonePage));
    QVERIFY(find<QPushButton>(dlg, "btnAdd")->isEnabled());
    QCOMPARE(boundaries(dlg, 1),
             (QStringList{"240,000", "280,000", "320,000", "360,000", "[]", "[]"}));
    QVERIFY(dlg.changed());
    click(dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList());
    QVERIFY(!dlg.changed());
    QCOMPARE(bandRow(1), QStringLiteral("1|一般職Ⅰ|1|役割給バンド|0|300000|-20|20|1.5|40000|"
                                        "240000|280000|280000|320000|320000|360000|0|0|0|0"));
    // Every band is written with the design's rounding unit.
    QCOMPARE(SqlColumn(DM().ACN2, "select distinct MARUME from BANDM" + kProject),
             QStringList{"0"});
    QCOMPARE(allBands().size(), 7);
}

void TstBandCreation::bandPageRefusals_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("pageKept");
    QTest::addColumn<bool>("boxKept");
    // Refused when the box is left: the focus stays in the box.
    QTest::newRow("lower abc") << 1 << "txtKagen" << "abc" << QStringList{kMsgInvalidNumber}
                               << true << true;
    QTest::newRow("empty lower, silently")
        << 1 << "txtKagen" << "" << QStringList{} << true << true;
    // Refused by the band computation when the page is left.
    QTest::newRow("base 0") << 1 << "txtKijun" << "0"
                            << QStringList{"1 基準賃金の入力エラーです。"} << true << false;
    QTest::newRow("lower -999 in row 2") << 2 << "txtKagen" << "-999"
                                         << QStringList{"2 下限%の入力エラーです。"} << true
                                         << false;
    // 1000 is shown as "1,000", which is no percentage.
    QTest::newRow("upper 1000 in row 3") << 3 << "txtJyogen" << "1000"
                                         << QStringList{"3 上限%の入力エラーです。"} << true
                                         << false;
    QTest::newRow("lower 0 is accepted")
        << 1 << "txtKagen" << "0" << QStringList{} << false << false;
}

void TstBandCreation::bandPageRefusals() {
    QFETCH(int, row);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(bool, pageKept);
    TestProgram p;
    openSample();
    TfrmBand dlg;
    open(dlg);
    QLineEdit *e = edit(dlg, box + QString::number(row));
    typeInto(e, typed);
    goToPage(dlg, TfrmBand::ZonePage);
    QTEST(shown(p.messages), "messages");
    QCOMPARE(pages(dlg)->currentIndex(), pageKept ? 0 : 1);
    QFETCH(bool, boxKept);
    if (boxKept) QCOMPARE(QApplication::focusWidget(), e);
    // Nothing reaches the database before a save.
    QCOMPARE(bandRow(1).section('|', 5, 7), QStringLiteral("56000|-20|20"));
}

void TstBandCreation::zonePageRefusesAMissingBoundary() {
    TestProgram p;
    openSample();
    TfrmBand dlg;
    open(dlg);
    goToPage(dlg, TfrmBand::ZonePage);
    typeInto(edit(dlg, "txt2Kagen23"), "");
    goToPage(dlg, TfrmBand::SettingsPage);
    QCOMPARE(shown(p.messages), QStringList{"3 ゾーンⅡの入力エラーです。"});
    QCOMPARE(pages(dlg)->currentIndex(), int(TfrmBand::ZonePage));
    p.messages.clear();
    typeInto(edit(dlg, "txt2Kagen23"), "abc");
    leaveTo(edit(dlg, "txt2Kagen33"));
    QCOMPARE(shown(p.messages), QStringList{kMsgInvalidNumber});
    QCOMPARE(QApplication::focusWidget(), edit(dlg, "txt2Kagen23"));
}

void TstBandCreation::handAdjustedZoneIsSaved() {
    TestProgram p;
    openSample();
    TfrmBand dlg;
    open(dlg);
    goToPage(dlg, TfrmBand::ZonePage);
    typeInto(edit(dlg, "txt2Kagen21"), "50000");
    // The boundaries need not ascend: 58,000 after 50,000 before 59,800 is taken as typed.
    typeInto(edit(dlg, "txt2Kagen31"), "58,000");
    click(dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList());
    QCOMPARE(bandRow(1).section('|', 10),
             QStringLiteral("44800|50000|50000|58000|58000|67300|0|0|0|0"));
    QCOMPARE(edit(dlg, "txt2Kagen21")->text(), QStringLiteral("50,000"));
}

// Changing the rounding recomputes every band when the settings page is left: band 1
// (56,000 ±20 %, three zones) to thousands gives 45,000 to 67,000 with zones of 7,000.
void TstBandCreation::roundingChangeRecomputesTheZones() {
    TestProgram p;
    openSample();
    TfrmBand dlg;
    open(dlg);
    goToPage(dlg, TfrmBand::SettingsPage);
    find<QRadioButton>(dlg, "optUnit1000")->click();
    typeInto(find<QLineEdit>(dlg, "txtTitle"), "  新バンド  ");
    goToPage(dlg, TfrmBand::ZonePage);
    QCOMPARE(shown(p.messages), QStringList());
    QCOMPARE(boundaries(dlg, 1), (QStringList{"45,000", "52,000", "59,000", "66,000", "[]", "[]"}));
    QCOMPARE(G().gBandTbl2.Title, QStringLiteral("新バンド"));
    QCOMPARE(G().gBandTbl2.Marume, 2);
    click(dlg, "btnAdd");
    QCOMPARE(SqlRows(DM().ACN2, "select distinct TITLE, MARUME from BANDM" + kProject),
             QStringList{"新バンド|2"});
}

void TstBandCreation::twoZoneBandStoresNoFurtherZones() {
    TestProgram p;
    openSample();
    exec(DM().ACN2, "insert into MATRIXID values (1, 2018, 9, '二段階', '', 2)");
    exec(DM().ACN2, "update BANDM set MATRIXID = 9" + kProject + " and BANDID = 5");
    TfrmBand dlg;
    open(dlg);
    QCOMPARE(edit(dlg, "txtZONEsu5")->text(), QStringLiteral("2"));
    // The stored limits of five zones are shown up to the band's second zone.
    QCOMPARE(boundaries(dlg, 5), (QStringList{"105,000", "123,000", "141,000", "[159,000]",
                                              "[177,000]", "[195,000]"}));
    typeBand(dlg, 5, "-30", "150,000", "30");
    goToPage(dlg, TfrmBand::ZonePage);
    // 105,000 to 195,000 in two zones of 45,000.
    QCOMPARE(boundaries(dlg, 5),
             (QStringList{"105,000", "150,000", "195,000", "[]", "[]", "[]"}));
    click(dlg, "btnAdd");
    QCOMPARE(bandRow(5).section('|', 9),
             QStringLiteral("45000|105000|150000|150000|195000|0|0|0|0|0|0"));
}

void TstBandCreation::bandsBeyondTheNinthAreWrittenUnchanged() {
    TestProgram p;
    openSample();
    for (int id = 8; id <= 11; ++id)
        exec(DM().ACN2, QStringLiteral("insert into BANDM select KCO, NENDO, %1, BANDNAME || '%1', "
                                       "TEIGI, MATRIXID, TITLE, MARUME, 基準賃金 + %1, 下限率, 上限率, "
                                       "スプレッド, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11 from BANDM")
                                .arg(id) +
                            kProject + " and BANDID = 1");
    const QStringList beyond =
        SqlRows(DM().ACN2, "select * from BANDM" + kProject + " and BANDID > 9");
    QCOMPARE(beyond.size(), 2);
    TfrmBand dlg;
    open(dlg);
    QVERIFY(edit(dlg, "txtID9")->isVisibleTo(&dlg));
    QCOMPARE(edit(dlg, "txtID9")->text(), QStringLiteral("9"));
    typeBand(dlg, 9, "-10", "60000", "10");
    goToPage(dlg, TfrmBand::ZonePage);
    click(dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList());
    QCOMPARE(allBands().size(), 11);
    QCOMPARE(bandRow(9).section('|', 5, 7), QStringLiteral("60000|-10|10"));
    QCOMPARE(SqlRows(DM().ACN2, "select * from BANDM" + kProject + " and BANDID > 9"), beyond);
}

void TstBandCreation::failedSaveKeepsTheStoredBands() {
    TestProgram p;
    openSample();
    const QStringList before = allBands();
    RefuseWrites(DM().ACN2, "refuse", "INSERT", "BANDM", "NEW.BANDID = 6");
    TfrmBand dlg;
    open(dlg);
    typeBand(dlg, 1, "-20", "300000", "20");
    goToPage(dlg, TfrmBand::ZonePage);
    click(dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{"ＳＱＬ処理で不明なエラーが発生しました。"});
    QCOMPARE(allBands(), before);
    // The design is still there to be saved again.
    QVERIFY(dlg.changed());
    QCOMPARE(edit(dlg, "txtKijun1")->text(), QStringLiteral("300,000"));
}

void TstBandCreation::cancelAndClosePrompt() {
    TestProgram p;
    openSample();
    TfrmBand dlg;
    open(dlg);
    typeBand(dlg, 2, "-10", "80,000", "10");
    goToPage(dlg, TfrmBand::ZonePage);
    QVERIFY(dlg.changed());
    click(dlg, "btnCancel");
    QVERIFY(!dlg.changed());
    QCOMPARE(edit(dlg, "txtKijun2")->text(), QStringLiteral("72,000"));
    QCOMPARE(boundaries(dlg, 2)[0], QStringLiteral("57,600"));

    goToPage(dlg, TfrmBand::BandPage);
    typeBand(dlg, 2, "-10", "80,000", "10");
    goToPage(dlg, TfrmBand::ZonePage);
    p.messages.answer(true); // 【はい】: stay
    click(dlg, "btnClose");
    QCOMPARE(shown(p.messages), QStringList{kAskLeave});
    QCOMPARE(p.messages.entries.last().caption, QStringLiteral("確認"));
    QVERIFY(dlg.isVisible());
    p.messages.answer(false); // 【いいえ】: close without saving
    click(dlg, "btnClose");
    QVERIFY(!dlg.isVisible());
    QCOMPARE(bandRow(2).section('|', 5, 5), QStringLiteral("72000"));
}

// The band list shows the saved bands; the values being designed are still there afterwards.
void TstBandCreation::savedBandsShownWithoutLosingTheDesign() {
    TestProgram p;
    openSample();
    TfrmBand dlg;
    open(dlg);
    typeBand(dlg, 1, "-20", "300000", "20");
    goToPage(dlg, TfrmBand::ZonePage);
    int savedBase = 0;
    closeWindowWhenShown(&dlg, [&savedBase] { savedBase = G().gBandTbl2.Bands[0].Kijun; });
    click(dlg, "btnBandList");
    QCOMPARE(savedBase, 56000);
    QCOMPARE(G().gBandTbl2.Bands[0].Kijun, 300000);
    QCOMPARE(G().gBandTbl2.Bands[0].ZoneJyogen[3], 360000);
    QVERIFY(dlg.changed());
}

QTEST_MAIN(TstBandCreation)
#include "tst_band_creation.moc"
