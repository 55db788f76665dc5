// The band graph: the scale and bars computed for the bands, the picture drawn from them, and
// the window that shows, copies and saves it.

#include "band_graph.h"
#include "band_loaders.h"
#include "screen_kit.h"
#include "state.h"
#include "test_program.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPushButton>
#include <QTest>

namespace {

using Limits = QList<QPair<int, int>>; // BandKagen, BandJyogen of each band

TBANDTBL2 bandsOf(const Limits &limits) {
    TBANDTBL2 table;
    int id = 0;
    for (const auto &[lower, upper] : limits) {
        TBANDM2 band;
        band.BandId = QString::number(++id);
        band.BandName = QStringLiteral("バンド%1").arg(id);
        band.BandKagen = lower;
        band.BandJyogen = upper;
        table.Bands.push_back(band);
    }
    return table;
}

// Seven bands from 185,000 to 420,000, each 60,000 wide and 30,000 above the one before.
Limits sevenBands() {
    Limits out;
    for (int i = 0; i < 7; ++i)
        out << qMakePair(180000 + 30000 * i, 240000 + 30000 * i);
    out[0].first = 185000;
    return out;
}

constexpr QSize kSize(820, 500);

QImage viewImage(TfrmBandGraph &dlg) {
    return find<QWidget>(dlg, "imgBandGraph")
        ->grab()
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

bool hasColourInRow(const QImage &image, int y, int fromX, int toX, const QColor &colour) {
    for (int x = fromX; x <= toX; ++x)
        if (image.pixelColor(x, y) == colour) return true;
    return false;
}

} // namespace

class Tst_band_graph : public QObject {
    Q_OBJECT
private slots:
    void scale_data();
    void scale();
    void barsFollowTheScale();
    void fewBandsStayBeforeTheAxisEnd_data();
    void fewBandsStayBeforeTheAxisEnd();
    void noBandDrawsTheAxesOnly();
    void pictureShowsScaleBarsAndNames();
    void windowShowsTheChart();
    void copyPutsTheChartOnTheClipboard();
    void saveWritesAPng();
    void saveCancelledWritesNothing();
    void saveFailureIsReported();
    void chartKeepsTheBandsOfItsOpening();
};

void Tst_band_graph::scale_data() {
    QTest::addColumn<Limits>("limits");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<QList<int>>("ticks");
    QTest::newRow("180,000 to 420,000")
        << Limits{{180000, 300000}, {250000, 420000}} << 17 << 45
        << QList<int>{17, 19, 21, 23, 25, 27, 29, 31, 33, 35, 37, 39, 41, 43, 45};
    QTest::newRow("the lowest under 10,000 stays at 0")
        << Limits{{5000, 95000}} << 0 << 12 << QList<int>{0, 2, 4, 6, 8, 10, 12};
    QTest::newRow("10,000 exactly") << Limits{{10000, 20000}} << 0 << 5 << QList<int>{0, 2, 4};
    QTest::newRow("lowest and highest from different bands")
        << Limits{{300000, 350000}, {120000, 200000}, {200000, 299999}} << 11 << 38
        << QList<int>{11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31, 33, 35, 37};
    // A band whose limits are the wrong way round stays on the scale.
    QTest::newRow("limits reversed")
        << Limits{{260000, 240000}} << 23 << 29 << QList<int>{23, 25, 27, 29};
}

void Tst_band_graph::scale() {
    QFETCH(Limits, limits);
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(QList<int>, ticks);
    const BandGraphLayout layout = LayOutBandGraph(kSize, bandsOf(limits));
    QCOMPARE(layout.low, low);
    QCOMPARE(layout.high, high);
    QCOMPARE(QList<int>(layout.ticks.begin(), layout.ticks.end()), ticks);
    QCOMPARE(layout.plotHeight, kSize.height() - 140);
    // The highest value plus one lies at the top margin, the lowest tick lower than all.
    QCOMPARE(layout.y(high + 1), 40);
    QVERIFY(layout.y(low) > layout.y(low + 1));
}

// 820 x 500: plot height 360, scale 17..45 (28 steps), bar width Trunc(660 / 7 / 3) = 31.
void Tst_band_graph::barsFollowTheScale() {
    const BandGraphLayout layout = LayOutBandGraph(kSize, bandsOf(sevenBands()));
    QCOMPARE(layout.low, 17);
    QCOMPARE(layout.high, 45);
    QCOMPARE(layout.barWidth, 31);
    QCOMPARE(layout.bars.size(), size_t(7));
    // Band 1: 185,000 (18.5) to 240,000; y = Trunc(360 / 28 x (45 - v + 1)) + 40.
    QCOMPARE(layout.bars[0], QRect(QPoint(124, 322), QPoint(154, 392)));
    // Band 7: 360,000 to 420,000, from x = 31 x 22.
    QCOMPARE(layout.bars[6], QRect(QPoint(682, 91), QPoint(712, 167)));
    QCOMPARE(layout.y(45), 52);
    QCOMPARE(layout.y(17), 412);
}

void Tst_band_graph::fewBandsStayBeforeTheAxisEnd_data() {
    QTest::addColumn<int>("count");
    for (int n : {1, 2, 3, 9})
        QTest::addRow("%d bands", n) << n;
}

// With few bands the bars would reach past the axis end (a single one would lie outside the
// picture); they are narrowed, keep their order and do not touch.
void Tst_band_graph::fewBandsStayBeforeTheAxisEnd() {
    QFETCH(int, count);
    Limits limits;
    for (int i = 0; i < count; ++i)
        limits << qMakePair(200000, 300000);
    const BandGraphLayout layout = LayOutBandGraph(kSize, bandsOf(limits));
    QCOMPARE(layout.bars.size(), size_t(count));
    QVERIFY(layout.barWidth > 0);
    QVERIFY2(layout.bars.back().right() < kSize.width() - 20,
             qPrintable(QString::number(layout.bars.back().right())));
    for (int i = 1; i < count; ++i)
        QVERIFY(layout.bars[i].left() > layout.bars[i - 1].right() + 1);
}

void Tst_band_graph::noBandDrawsTheAxesOnly() {
    const BandGraphLayout layout = LayOutBandGraph(kSize, TBANDTBL2{});
    QVERIFY(layout.ticks.empty());
    QVERIFY(layout.bars.empty());
    const QImage image = BandGraphImage(kSize, TBANDTBL2{});
    QCOMPARE(image.pixelColor(20, kSize.height() / 2), kBandGraphAxis);
    QCOMPARE(image.pixelColor(kSize.width() / 2, kSize.height() - 20), kBandGraphAxis);
    QCOMPARE(image.pixelColor(kSize.width() / 2, kSize.height() / 2), BandGraphBackground());
}

void Tst_band_graph::pictureShowsScaleBarsAndNames() {
    TestProgram p;
    const TBANDTBL2 table = bandsOf(sevenBands());
    const QImage image = BandGraphImage(kSize, table);
    const BandGraphLayout layout = LayOutBandGraph(kSize, table);
    for (const QRect &bar : layout.bars) {
        QCOMPARE(image.pixelColor(bar.left() + 1, bar.bottom() - 1), kBandGraphBar);
        QCOMPARE(image.pixelColor(bar.right(), bar.top()), kBandGraphBar);
        // Beside the bar: background.
        QCOMPARE(image.pixelColor(bar.right() + 3, bar.center().y()), BandGraphBackground());
        // The name in light letters near the top of the bar.
        bool name = false;
        for (int y = bar.top() + 5; y < bar.top() + 25 && !name; ++y)
            for (int x = bar.left(); x <= bar.right() && !name; ++x)
                name = image.pixelColor(x, y).red() > 200;
        QVERIFY2(name, qPrintable(QString::number(bar.left())));
    }
    // The dotted marks of the scale, and the axes.
    for (const int t : layout.ticks)
        QVERIFY2(hasColourInRow(image, layout.y(t), 23, 50, kBandGraphAxis),
                 qPrintable(QString::number(t)));
    QCOMPARE(image.pixelColor(20, 300), kBandGraphAxis);
    QCOMPARE(image.pixelColor(400, kSize.height() - 20), kBandGraphAxis);
}

void Tst_band_graph::windowShowsTheChart() {
    TestProgram p;
    openSample();
    LoadBandTbl2();
    QCOMPARE(G().gBandTbl2.Bands.size(), size_t(7));
    TfrmBandGraph dlg;
    dlg.prepare();
    showActive(dlg);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("バンド分析グラフ"));
    QCOMPARE(find<QPushButton>(dlg, "btnClose")->text(), QStringLiteral("閉じる"));
    QCOMPARE(find<QPushButton>(dlg, "btnCopy")->text(), QStringLiteral("コピー"));
    QCOMPARE(find<QPushButton>(dlg, "btnSave")->text(), QStringLiteral("画像保存"));
    QVERIFY(dlg.width() <= kScreenBudget.width() && dlg.height() <= kScreenBudget.height());

    const QImage shown = viewImage(dlg);
    QCOMPARE(shown, BandGraphImage(dlg.chartSize(), G().gBandTbl2));
    // The sample's bands run from 44,800 to 260,000.
    const BandGraphLayout layout = LayOutBandGraph(dlg.chartSize(), G().gBandTbl2);
    QCOMPARE(layout.low, 3);
    QCOMPARE(layout.high, 29);
    for (const QRect &bar : layout.bars)
        QCOMPARE(shown.pixelColor(bar.left() + 1, bar.bottom() - 1), kBandGraphBar);

    click(dlg, "btnClose");
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void Tst_band_graph::copyPutsTheChartOnTheClipboard() {
    TestProgram p;
    openSample();
    LoadBandTbl2();
    TfrmBandGraph dlg;
    dlg.prepare();
    showActive(dlg);
    QGuiApplication::clipboard()->clear();
    click(dlg, "btnCopy");
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), dlg.chartSize());
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), viewImage(dlg));
    QVERIFY(shown(p.messages).isEmpty());
}

void Tst_band_graph::saveWritesAPng() {
    TestProgram p;
    openSample();
    LoadBandTbl2();
    TfrmBandGraph dlg;
    dlg.prepare();
    showActive(dlg);
    const QString path = p.dir() + QStringLiteral("/グラフ.png");
    p.messages.answerFile(path);
    click(dlg, "btnSave");
    QCOMPARE(p.messages.entries.size(), 1);
    QCOMPARE(p.messages.entries[0].kind, MessageRecorder::Kind::SaveFile);
    QCOMPARE(p.messages.entries[0].caption, QStringLiteral("画像の保存"));
    QVERIFY(p.messages.entries[0].text.endsWith(QStringLiteral("バンド分析グラフ.png")));
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("png"));
    const QImage saved = reader.read();
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), viewImage(dlg));
}

void Tst_band_graph::saveCancelledWritesNothing() {
    TestProgram p;
    openSample();
    LoadBandTbl2();
    TfrmBandGraph dlg;
    dlg.prepare();
    showActive(dlg);
    click(dlg, "btnSave"); // no file chosen
    QCOMPARE(p.messages.entries.size(), 1);
    QVERIFY(shown(p.messages).isEmpty());
    QVERIFY(!QFileInfo::exists(G().gAppPath + QStringLiteral("バンド分析グラフ.png")));
}

void Tst_band_graph::saveFailureIsReported() {
    TestProgram p;
    openSample();
    LoadBandTbl2();
    TfrmBandGraph dlg;
    dlg.prepare();
    showActive(dlg);
    p.messages.answerFile(p.dir() + QStringLiteral("/no such folder/graph.png"));
    click(dlg, "btnSave");
    QCOMPARE(shown(p.messages), QStringList{QStringLiteral("画像を保存できませんでした。")});
}

// The chart shows the bands loaded when it opened, whatever the table holds later.
void Tst_band_graph::chartKeepsTheBandsOfItsOpening() {
    TestProgram p;
    G().gBandTbl2 = bandsOf(sevenBands());
    TfrmBandGraph dlg;
    dlg.prepare();
    showActive(dlg);
    const QImage before = viewImage(dlg);
    G().gBandTbl2 = TBANDTBL2{};
    dlg.update();
    QCOMPARE(viewImage(dlg), before);
    QCOMPARE(dlg.image().convertToFormat(QImage::Format_RGB32), before);
}

QTEST_MAIN(Tst_band_graph)
#include "tst_band_graph.moc"
