// The band list: every band's name, base wage and zone limits in one grid.

#include "band_list.h"
#include "band_loaders.h"
#include "screen_kit.h"
#include "state.h"
#include "test_program.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

QTableWidget *gridOf(TfrmBandList &dlg) {
    return find<QTableWidget>(dlg, "StringGrid1");
}

QString text(QTableWidget *grid, int row, int column) {
    const QTableWidgetItem *cell = grid->item(row, column);
    return cell ? cell->text() : QStringLiteral("<none>");
}

QStringList columnTexts(QTableWidget *grid, int column) {
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r)
        out << text(grid, r, column);
    return out;
}

QString span(QTableWidget *grid, int row, int column) {
    return QStringLiteral("%1x%2")
        .arg(grid->rowSpan(row, column))
        .arg(grid->columnSpan(row, column));
}

TBANDM2 band(const QString &name, int kijun, int zones, std::initializer_list<int> limits) {
    TBANDM2 b;
    b.BandName = name;
    b.Kijun = kijun;
    b.ZoneSu = zones;
    int k = 1;
    bool lower = true;
    for (int v : limits) {
        (lower ? b.ZoneKagen : b.ZoneJyogen)[k] = v;
        if (!lower) ++k;
        lower = !lower;
    }
    return b;
}

void open(TfrmBandList &dlg) {
    dlg.prepare();
    showActive(dlg);
}

} // namespace

class Tst_band_list : public QObject {
    Q_OBJECT
private slots:
    void sampleBands();
    void fewerZonesLeaveEmptyCells();
    void amountText_data();
    void amountText();
    void noBand();
    void leavingTheGridClearsItsSelection();
    void copyPutsTheWindowOnTheClipboard();
};

void Tst_band_list::sampleBands() {
    TestProgram p;
    openSample();
    LoadBandTbl2();
    TfrmBandList dlg;
    open(dlg);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("バンド明細"));
    QCOMPARE(find<QPushButton>(dlg, "btnClose")->text(), QStringLiteral("閉じる"));
    QCOMPARE(find<QPushButton>(dlg, "btnCopy")->text(), QStringLiteral("コピー"));
    QVERIFY(dlg.width() <= kScreenBudget.width() && dlg.height() <= kScreenBudget.height());

    QTableWidget *grid = gridOf(dlg);
    // Seven bands, the largest with five zones.
    QCOMPARE(grid->columnCount(), 9);
    QCOMPARE(grid->rowCount(), 13);
    QCOMPARE(grid->columnWidth(0), 70);
    QCOMPARE(grid->columnWidth(1), 70);
    QCOMPARE(grid->columnWidth(8), 100);
    QCOMPARE(columnTexts(grid, 0), QStringList({"", "", "ゾーン番号", "ゾーンⅠ", "", "ゾーンⅡ", "",
                                                "ゾーンⅢ", "", "ゾーンⅣ", "", "ゾーンⅤ", ""}));
    QCOMPARE(columnTexts(grid, 1), QStringList({"", "", "基準額", "下限", "上限", "下限", "上限",
                                                "下限", "上限", "下限", "上限", "下限", "上限"}));
    // Band 1 has three zones: the rows of zones 4 and 5 are empty.
    QCOMPARE(columnTexts(grid, 2),
             QStringList({"バンド名称", "一般職Ⅰ", "56,000", "44,800", "52,300", "52,300", "59,800",
                          "59,800", "67,300", "", "", "", ""}));
    QCOMPARE(columnTexts(grid, 8),
             QStringList({"", "部長", "200,000", "140,000", "164,000", "164,000", "188,000",
                          "188,000", "212,000", "212,000", "236,000", "236,000", "260,000"}));
    // Merged captions.
    QCOMPARE(span(grid, 0, 0), QStringLiteral("2x2"));
    QCOMPARE(span(grid, 0, 2), QStringLiteral("1x7"));
    QCOMPARE(span(grid, 3, 0), QStringLiteral("2x1"));
    QCOMPARE(span(grid, 11, 0), QStringLiteral("2x1"));
    QCOMPARE(span(grid, 3, 1), QStringLiteral("1x1"));
    // Captions centred, amounts right aligned.
    QCOMPARE(grid->item(3, 0)->textAlignment(), int(Qt::AlignCenter));
    QCOMPARE(grid->item(1, 2)->textAlignment(), int(Qt::AlignCenter));
    QCOMPARE(grid->item(2, 2)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(grid->item(5, 3)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
    // Read only.
    QVERIFY(!(grid->item(5, 3)->flags() & Qt::ItemIsEditable));
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);

    click(dlg, "btnClose");
    QVERIFY(!dlg.isVisible());
}

// Largest zone count 3: 9 rows. A band of two zones shows nothing in the zone-3 rows; a zone
// lower limit or base wage of 0 shows nothing either.
void Tst_band_list::fewerZonesLeaveEmptyCells() {
    TestProgram p;
    G().gBandTbl2.Bands = {band("甲", 250000, 3, {0, 240000, 240000, 280000, 280000, 320000}),
                           band("乙", 0, 2, {300000, 350000, 350000, 400000})};
    TfrmBandList dlg;
    open(dlg);
    QTableWidget *grid = gridOf(dlg);
    QCOMPARE(grid->rowCount(), 9);
    QCOMPARE(grid->columnCount(), 4);
    QCOMPARE(columnTexts(grid, 2), QStringList({"バンド名称", "甲", "250,000", "", "240,000",
                                                "240,000", "280,000", "280,000", "320,000"}));
    QCOMPARE(columnTexts(grid, 3),
             QStringList({"", "乙", "", "300,000", "350,000", "350,000", "400,000", "", ""}));
    QCOMPARE(span(grid, 0, 2), QStringLiteral("1x2"));
    QCOMPARE(text(grid, 7, 0), QStringLiteral("ゾーンⅢ"));
}

void Tst_band_list::amountText_data() {
    QTest::addColumn<int>("amount");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero shows nothing") << 0 << QString();
    QTest::newRow("small") << 999 << QStringLiteral("999");
    QTest::newRow("thousands") << 1234567 << QStringLiteral("1,234,567");
    QTest::newRow("negative") << -52300 << QStringLiteral("-52,300");
}

void Tst_band_list::amountText() {
    QFETCH(int, amount);
    QFETCH(QString, text);
    QCOMPARE(BandListAmount(amount), text);
}

void Tst_band_list::noBand() {
    TestProgram p;
    G().gBandTbl2 = TBANDTBL2{};
    TfrmBandList dlg;
    open(dlg);
    QTableWidget *grid = gridOf(dlg);
    QCOMPARE(grid->rowCount(), 3);
    QCOMPARE(grid->columnCount(), 2);
    QCOMPARE(text(grid, 2, 0), QStringLiteral("ゾーン番号"));
}

void Tst_band_list::leavingTheGridClearsItsSelection() {
    TestProgram p;
    openSample();
    LoadBandTbl2();
    TfrmBandList dlg;
    open(dlg);
    QTableWidget *grid = gridOf(dlg);
    grid->setFocus();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(5, 3)).center());
    QCOMPARE(grid->selectedItems().size(), 1);
    QCOMPARE(grid->selectedItems()[0]->text(), QStringLiteral("67,200"));
    find<QPushButton>(dlg, "btnClose")->setFocus();
    QCoreApplication::processEvents();
    QVERIFY(grid->selectedItems().isEmpty());
}

void Tst_band_list::copyPutsTheWindowOnTheClipboard() {
    TestProgram p;
    openSample();
    LoadBandTbl2();
    TfrmBandList dlg;
    open(dlg);
    QGuiApplication::clipboard()->clear();
    click(dlg, "btnCopy");
    const QImage copied = QGuiApplication::clipboard()->image();
    QVERIFY(!copied.isNull());
    QCOMPARE(copied.size(), dlg.size());
    QVERIFY(shown(p.messages).isEmpty());
}

QTEST_MAIN(Tst_band_list)
#include "tst_band_list.moc"
