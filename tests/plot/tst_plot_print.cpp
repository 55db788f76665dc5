// The plot's printed page and its copies: the commentary cut into lines, the selected grades
// and the reference date texts, the page layout per chart, drawing scaled to the device's
// resolution, the picture file sequence, printing to a PDF file (its texts read back with
// pdftotext), a cancelled or failed print, the clipboard picture and "画像保存".

#include "chart_store.h"
#include "plot_print.h"
#include "plot_window.h"
#include "screen_test.h"
#include "state.h"
#include "test_program.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString kProject = QStringLiteral(" WHERE KCO = 1 AND NENDO = 2018");

TMCHART defaults(int fx, int fy, const QString &title, const QString &commentary) {
    TMCHART r;
    r.Fx = fx;
    r.Fy = fy;
    r.Fchk = 1;
    r.Toukyu = 1;
    r.Cgraph = 1;
    r.Title = title;
    r.Kaisetsu = commentary;
    return r;
}

void writeSamplePoints() {
    const QStringList rows =
        SqlRows(DM().ACN2, "SELECT SCO, SNA FROM MSYAIN1" + kProject + " ORDER BY SCO LIMIT 8");
    std::vector<TDCHART> points;
    for (int i = 0; i < rows.size(); ++i) {
        TDCHART p;
        p.Sco = rows[i].section('|', 0, 0).toLongLong();
        p.Sna = rows[i].section('|', 1, 1);
        p.Markl = QString::number(p.Sco);
        p.X = 22 + 4 * i;
        p.Y = 18 + 3.5 * i;
        p.Mkco = 1 + i % 2;
        points.push_back(p);
    }
    QVERIFY(WriteChartPoints(points));
    ProjectState &g = G();
    g.gAxisXMin = 20;
    g.gAxisXMax = 60;
    g.gAxisYMin = 10;
    g.gAxisYMax = 50;
    g.gXAverage = 36;
    g.gYAverage = 30.3;
}

// The chart `chart` of the sample drawn on `plot`.
void showChart(TNX1100 &plot, int chart, const QString &title, const QString &commentary) {
    G().gChartFx = 0;
    G().gChartFy = 2;
    PrepareChart(chart, defaults(0, 2, title, commentary));
    writeSamplePoints();
    plot.resize(1000, 736);
    plot.handOver(nullptr, title);
}

QString pdfText(const QString &pdf) {
    QProcess run;
    run.start(QStandardPaths::findExecutable("pdftotext"), {"-layout", pdf, "-"});
    if (!run.waitForFinished(60000) || run.exitCode() != 0)
        return QStringLiteral("<pdftotext failed>");
    // Qt's PDF writer names some ideographs by Kangxi radicals that look alike; compatibility
    // normalisation turns them (and full-width letters) back.
    return QString::fromUtf8(run.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

bool printToPdf(TNX1100 &plot, const QString &path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return plot.printTo(printer);
}

const PageText *textAt(const PlotPageLayout &page, int x, int y) {
    for (const PageText &t : page.texts)
        if (t.at == QPoint(x, y)) return &t;
    return nullptr;
}

} // namespace

class TstPlotPrint : public QObject {
    Q_OBJECT
private slots:
    void commentaryLines_data();
    void commentaryLines();
    void gradesAndReferenceDate();
    void commentaryOnThePage_data();
    void commentaryOnThePage();
    void chartTextsPerChart_data();
    void chartTextsPerChart();
    void pageIsScaledToTheDevice();
    void pictureFileSequence();
    void pdfOfEachChart_data();
    void pdfOfEachChart();
    void cancelledAndFailedPrints();
    void copyAndSaveImage();
};

void TstPlotPrint::commentaryLines_data() {
    QTest::addColumn<QString>("commentary");
    QTest::addColumn<QStringList>("lines");
    const QString a40 = QString(40, QChar(u'あ'));
    QTest::newRow("85 characters")
        << a40 + a40 + "いいいいい" << QStringList{a40, a40, "いいいいい"};
    QTest::newRow("exactly 40") << a40 << QStringList{a40};
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("latin upper case") << "base up 3%" << QStringList{"BASE UP 3%"};
    QTest::newRow("line breaks start lines") << "一行目\r\n\r\n三行目\r\n"
                                             << QStringList{"一行目", "", "三行目"};
}

void TstPlotPrint::commentaryLines() {
    QFETCH(QString, commentary);
    QFETCH(QStringList, lines);
    QCOMPARE(CommentaryLines(commentary), lines);
}

void TstPlotPrint::gradesAndReferenceDate() {
    TChartRows rows{};
    rows[1].Toukyu = 1;
    rows[3].Toukyu = 1;
    rows[2].Toukyu1 = 1; // grade 8
    rows[5].Toukyu1 = 1; // rows 4..6 carry no grade 7..9
    QCOMPARE(SelectedGradesText(rows), QStringLiteral("１等級  ３等級  ８等級  "));
    QCOMPARE(SelectedGradesText(TChartRows{}), QString());
    const QDate today(2026, 12, 10);
    QCOMPARE(ReferenceDateText(1, 20180401, today), QStringLiteral("2026年12月10日時点"));
    QCOMPARE(ReferenceDateText(0, 20180401, today), QStringLiteral("2018 年  4 月  1 日時点"));
    QCOMPARE(ReferenceDateText(0, 0, today), QStringLiteral(" 年   月   日時点"));
}

void TstPlotPrint::commentaryOnThePage_data() {
    QTest::addColumn<int>("chart");
    QTest::addColumn<int>("heading");
    QTest::addColumn<QList<int>>("lineYs");
    QTest::addColumn<int>("boxTop");
    QTest::addColumn<int>("frameTop");
    QTest::newRow("wage plot") << 1010 << 4850 << QList<int>{5100, 5240, 5380} << 5000 << 1700;
    QTest::newRow("living costs") << 1030 << 4850 << QList<int>{5100, 5240, 5380} << 5000 << 1800;
    QTest::newRow("design") << 1050 << 5600 << QList<int>{5850, 5990, 6130} << 5750 << 1700;
}

void TstPlotPrint::commentaryOnThePage() {
    QFETCH(int, chart);
    QFETCH(int, heading);
    QFETCH(QList<int>, lineYs);
    QFETCH(int, boxTop);
    QFETCH(int, frameTop);
    PlotPageInput in;
    in.chart = chart;
    in.commentary = QString(85, QChar(u'解'));
    const PlotPageLayout page = LayoutPlotPage(in);
    QVERIFY(textAt(page, 450, heading) && textAt(page, 450, heading)->text == "【解説】");
    QCOMPARE(textAt(page, 450, heading)->points, 14);
    QList<int> ys;
    QList<int> lengths;
    for (const PageText &t : page.texts)
        if (t.at.x() == 600) {
            ys << t.at.y();
            lengths << t.text.size();
            QCOMPARE(t.points, 12);
        }
    QCOMPARE(ys, lineYs);
    QCOMPARE(lengths, (QList<int>{40, 40, 5}));
    QList<QRect> thick;
    for (const PageBox &b : page.boxes)
        if (b.pen == 5) thick << b.rect;
    QCOMPARE(thick, (QList<QRect>{QRect(QPoint(450, frameTop), QPoint(4500, 4750)),
                                  QRect(QPoint(450, boxTop), QPoint(4500, 6500))}));
    QCOMPARE(page.picture, QRect(QPoint(470, frameTop + 20), QPoint(4480, 4730)));
}

void TstPlotPrint::chartTextsPerChart_data() {
    QTest::addColumn<int>("chart");
    QTest::addColumn<QStringList>("captions"); // "y:caption" at x 450
    QTest::newRow("1010") << 1010
                          << QStringList{"1000:年齢勤続", "1100:ＸＹ座標", "1200:Ｘ平均値",
                                         "1300:Ｙ平均値", "1500:等級選択"};
    QTest::newRow("1020") << 1020 << QStringList{"1000:年齢勤続", "1100:ＸＹ座標", "1200:データ数",
                                                 "1300:等級選択", "1400:平均賃金", "1500:平均昇給"};
    QTest::newRow("1030") << 1030
                          << QStringList{"1000:年齢勤続", "1100:ＸＹ座標", "1200:データ数",
                                         "1300:等級選択", "1400:比較資料"};
    QTest::newRow("1040") << 1040
                          << QStringList{"1000:年齢勤続", "1100:ＸＹ座標", "1200:データ数",
                                         "1300:等級選択", "1400:比較資料"};
    QTest::newRow("1050") << 1050
                          << QStringList{"1000:年齢勤続", "1100:ＸＹ座標", "1200:等級選択",
                                         "1300:曲線番号"};
}

void TstPlotPrint::chartTextsPerChart() {
    QFETCH(int, chart);
    QFETCH(QStringList, captions);
    PlotPageInput in;
    in.chart = chart;
    in.xTitle = "年　齢";
    in.yTitle = "基本給";
    in.grades = "１等級  ";
    in.hasDesign[2] = true;
    in.designLegend[2] = "総合職";
    in.designNote[2] = "大卒モデル";
    const PlotPageLayout page = LayoutPlotPage(in);
    QStringList found;
    for (const PageText &t : page.texts)
        if (t.at.x() == 450 && t.at.y() >= 1000 && t.at.y() < 1700)
            found << QStringLiteral("%1:%2").arg(t.at.y()).arg(t.text);
    QCOMPARE(found, captions);
    QCOMPARE(textAt(page, 850, 1100)->text, QStringLiteral("Ｘ軸： 年　齢 、　Ｙ軸：　基本給"));
    if (chart == 1050) {
        // Design 2 has a row: its legend beside its number, its explanation below the plot.
        QCOMPARE(textAt(page, 850, 1400)->text, QStringLiteral("(2)"));
        QCOMPARE(textAt(page, 1000, 1400)->text, QStringLiteral("総合職"));
        QCOMPARE(textAt(page, 650, 5000)->text, QStringLiteral("大卒モデル"));
        QCOMPARE(textAt(page, 450, 5000)->text, QStringLiteral("(2)"));
        QVERIFY(!textAt(page, 1000, 1300)); // design 1 has none
        QCOMPARE(textAt(page, 2700, 1400)->text, QStringLiteral("(5)"));
    }
    if (chart == 1030) {
        // Without a source record the captions stand alone.
        QCOMPARE(textAt(page, 850, 1600)->text, QStringLiteral("調査時点："));
        QVERIFY(!textAt(page, 1300, 1400));
    }
}

void TstPlotPrint::pageIsScaledToTheDevice() {
    // At 120 dots per inch every page unit is a fifth of a dot: the commentary box's top line
    // (y 5000, 5 units wide) lies at dot row 1000, its left side (x 450) at column 90.
    PlotPageInput in;
    in.chart = 1010;
    const PlotPageLayout page = LayoutPlotPage(in);
    QImage image(1200, 1600, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        RenderPlotPage(p, 120, page, PlotChart{}, QSize(1000, 736));
    }
    const auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    const auto darkNear = [&](int x, int y, bool vertical) {
        for (int d = -1; d <= 1; ++d)
            if (vertical ? dark(x, y + d) : dark(x + d, y)) return true;
        return false;
    };
    QVERIFY(darkNear(400, 1000, true));
    QVERIFY(!dark(400, 990) && !dark(400, 1010));
    QVERIFY(darkNear(90, 1200, false));
    QVERIFY(!dark(80, 1200) && !dark(100, 1200));
    QVERIFY(darkNear(600, 950, true)); // the plot frame's bottom, y 4750
}

void TstPlotPrint::pictureFileSequence() {
    QCOMPARE(NextPlotPrintSeq(1), 2);
    QCOMPARE(NextPlotPrintSeq(10), 11);
    QCOMPARE(NextPlotPrintSeq(11), 1);
    TestProgram p;
    openSample();
    TNX1100 plot;
    showChart(plot, 1010, "賃金", QString());
    QCOMPARE(G().gPlotPrintSeq, 1);
    QVERIFY(printToPdf(plot, p.dir() + "/a.pdf"));
    QVERIFY(printToPdf(plot, p.dir() + "/b.pdf"));
    const QString data = p.dir() + "/DATA/";
    QVERIFY(QFile::exists(data + "RUV3O1.bmp"));
    QVERIFY(QFile::exists(data + "RUV3O2.bmp"));
    QCOMPARE(G().gPlotPrintSeq, 3);
    // The picture is the framed area less one pixel all round.
    QCOMPARE(QImage(data + "RUV3O1.bmp").size(), PlotPictureArea(plot.chartSize()).size());
    QCOMPARE(PlotPictureArea(QSize(1000, 736)), QRect(QPoint(74, 1), QPoint(990, 699)));
    // The eleventh file is followed by the first again.
    G().gPlotPrintSeq = 11;
    QVERIFY(printToPdf(plot, p.dir() + "/c.pdf"));
    QVERIFY(QFile::exists(data + "RUV3O11.bmp"));
    QCOMPARE(G().gPlotPrintSeq, 1);
    QVERIFY(shown(p.messages).isEmpty());
}

void TstPlotPrint::pdfOfEachChart_data() {
    QTest::addColumn<int>("chart");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("1010") << 1010 << QStringList{"Ｘ平均値", "Ｙ平均値"};
    QTest::newRow("1020") << 1020 << QStringList{"データ数", "平均昇給"};
    QTest::newRow("1030") << 1030 << QStringList{"比較資料", "対象地域："};
    QTest::newRow("1040") << 1040 << QStringList{"比較資料", "事業所数："};
    QTest::newRow("1050") << 1050 << QStringList{"曲線番号", "(1)", "総合職"};
}

void TstPlotPrint::pdfOfEachChart() {
    QFETCH(int, chart);
    QFETCH(QStringList, texts);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    TestProgram p;
    openSample();
    exec(DM().ACN2,
         "INSERT INTO DSPDRAW (KCO, NENDO, SDCO, X, Y, FCHKS, SNENREI1, SKIN1, SNENREI2, "
         "SKIN2, KAISETSU, HANREI, SETSUMEI, SCOLOR, SSYURUI, SHABA) VALUES (1, 2018, 1, 0, "
         "2, 1, 22, 200000, 50, 400000, '設計の解説', '総合職', '大卒の標準', 'clRed', 1, 2)");
    TNX1100 plot;
    const QString title = QStringLiteral("印刷の見出し%1").arg(chart);
    showChart(plot, chart, title, QStringLiteral("解説の本文です"));
    const QString pdf = p.dir() + "/plot.pdf";
    QVERIFY(printToPdf(plot, pdf));
    const QString text = pdfText(pdf);
    QStringList expected{title,      "株式会社ロメルタ", "年度",     "様",
                         "年齢勤続", "ＸＹ座標",         "等級選択", "【解説】"};
    expected << (chart == 1050 ? QStringLiteral("設計の解説") : QStringLiteral("解説の本文です"));
    expected << texts;
    for (const QString &e : expected)
        QVERIFY2(text.contains(e.normalized(QString::NormalizationForm_KC)),
                 qPrintable(e + "\n" + text.left(1500)));
    QCOMPARE(text.count(QChar(u'\f')), 1); // one page
}

void TstPlotPrint::cancelledAndFailedPrints() {
    TestProgram p;
    openSample();
    TNX1100 plot;
    showChart(plot, 1010, "賃金", QString());
    // The print dialog cancelled: nothing printed, no picture file, the sequence stays.
    p.messages.answer(false);
    click(plot, "btnPrint");
    QCOMPARE(p.messages.entries.size(), 1);
    QVERIFY(p.messages.entries[0].kind == MessageRecorder::Kind::Printer);
    QVERIFY(!QFile::exists(p.dir() + "/DATA/RUV3O1.bmp"));
    QCOMPARE(G().gPlotPrintSeq, 1);
    // A printer that cannot start: a message, the sequence stays, the cursor is back.
    p.messages.clear();
    QVERIFY(!printToPdf(plot, p.dir() + "/no such folder/x.pdf"));
    QCOMPARE(shown(p.messages), QStringList{"印刷できませんでした。"});
    QCOMPARE(G().gPlotPrintSeq, 1);
    QVERIFY(!QApplication::overrideCursor());
}

void TstPlotPrint::copyAndSaveImage() {
    TestProgram p;
    openSample();
    TNX1100 plot;
    showChart(plot, 1010, "賃金", QString());
    // The clipboard gets the framed area stretched to the window's size less 4.
    QAction *copy = plot.findChild<QMenu *>("PopupMenu2")->findChild<QAction *>("mnCopy");
    copy->trigger();
    QCOMPARE(QApplication::clipboard()->image().size(), QSize(996, 732));

    QAction *save = plot.findChild<QMenu *>("PopupMenu2")->findChild<QAction *>("mnSave");
    const QString png = p.dir() + "/plot.png";
    p.messages.answerFile(png);
    save->trigger();
    QCOMPARE(QImage(png).size(), plot.chartSize());
    const QString pdf = p.dir() + "/page.pdf";
    p.messages.answerFile(pdf);
    save->trigger();
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    // Saving is no print: no picture file, the sequence stays.
    QCOMPARE(G().gPlotPrintSeq, 1);
    QVERIFY(!QFile::exists(p.dir() + "/DATA/RUV3O1.bmp"));
    p.messages.answerFile(p.dir() + "/no such folder/x.png");
    save->trigger();
    QCOMPARE(shown(p.messages), QStringList{"画像を保存できませんでした。"});
}

QTEST_MAIN(TstPlotPrint)
#include "tst_plot_print.moc"
