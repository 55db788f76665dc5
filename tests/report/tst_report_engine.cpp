// The report engine: templates, the pages it writes to a work file, and the work file read
// back page by page.

#include "report_engine.h"
#include "report_render.h"
#include "test_program.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

namespace {
const char *const kTemplate = R"(# a small report
page A5 landscape
unit 0.01mm
font "Noto Sans CJK JP" 9
field TITLE 1000 500 20000 1200 size 14 bold align 2
field NAME 1000 2000 6000 2508
field AMOUNT 6300 2000 9000 2508 align 1
caption 1000 1500 6000 1900 "氏名 ""様""" align 2
rule 850 1950 9150 1950 width 20
)";

void writeText(const QString &path, const QByteArray &text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}
} // namespace

class TstReportEngine : public QObject {
    Q_OBJECT
private slots:
    void templateIsRead();
    void templateRefusals_data();
    void templateRefusals();
    void shippedTemplatesHoldTheReportFields_data();
    void shippedTemplatesHoldTheReportFields();
    void pagesGoToTheWorkFile();
    void failuresLeaveNoWorkFile();
    void renderDrawsOnAnyPainter();
    void picturesGoToTheWorkFile();
};

void TstReportEngine::templateIsRead() {
    TReportTemplate t;
    QString error;
    QVERIFY2(ParseReportTemplate(QString::fromUtf8(kTemplate), t, error), qPrintable(error));
    QCOMPARE(t.width, 21000);
    QCOMPARE(t.height, 14800);
    QVERIFY(t.landscape);
    QCOMPARE(t.font.family, "Noto Sans CJK JP");
    QCOMPARE(t.font.size, 90);
    QCOMPARE(t.fields.size(), 3);
    const TTemplateField title = t.fields.value("TITLE");
    QCOMPARE(title.rect, QRect(QPoint(1000, 500), QPoint(20000, 1200)));
    QCOMPARE(title.font.size, 140);
    QVERIFY(title.font.bold);
    QCOMPARE(title.align, 2);
    QCOMPARE(t.fields.value("AMOUNT").align, 1);
    QCOMPARE(t.fields.value("NAME").font.size, 90);
    QCOMPARE(t.captions.size(), size_t(1));
    QCOMPARE(t.captions[0].text, "氏名 \"様\"");
    QCOMPARE(t.rules.size(), size_t(1));
    QCOMPARE(t.rules[0].line, QLine(850, 1950, 9150, 1950));
    QCOMPARE(t.rules[0].width, 20);
}

void TstReportEngine::templateRefusals_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("no page") << "unit 0.01mm\n" << "page の指定がありません";
    QTest::newRow("unknown paper") << "page A9 portrait\n" << "1 行目: page A9 portrait";
    QTest::newRow("other unit") << "page A4 portrait\nunit mm\n" << "2 行目: unit mm";
    QTest::newRow("short field") << "page A4 portrait\nfield X 1 2 3\n" << "2 行目: field X 1 2 3";
    QTest::newRow("reversed field") << "page A4 portrait\nfield X 5 2 3 4\n"
                                    << "2 行目: field X 5 2 3 4";
    QTest::newRow("twice the same field") << "page A4 portrait\nfield X 1 2 3 4\nfield X 1 2 3 4\n"
                                          << "3 行目: field X 1 2 3 4";
    QTest::newRow("bad alignment") << "page A4 portrait\nfield X 1 2 3 4 align 3\n"
                                   << "2 行目: field X 1 2 3 4 align 3";
    QTest::newRow("open quote") << "page A4 portrait\ncaption 1 2 3 4 \"x\n"
                                << "2 行目: caption 1 2 3 4 \"x";
    QTest::newRow("unknown word") << "page A4 portrait\nbox 1 2 3 4\n" << "2 行目: box 1 2 3 4";
}

void TstReportEngine::templateRefusals() {
    QFETCH(QString, text);
    QFETCH(QString, error);
    TReportTemplate t;
    QString message;
    QVERIFY(!ParseReportTemplate(text, t, message));
    QCOMPARE(message, error);
}

void TstReportEngine::shippedTemplatesHoldTheReportFields_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("fields");
    const QStringList heading{"NENDO", "TITLE", "YMD", "BUSYO"};
    const QStringList raise{"SYAINCD", "SIMEI", "NKIHON", "UKIHON", "NSYOTEATE", "USYOTEATE",
                            "NSYOTEI", "SYOTEI", "UPKIN", "UPRITSU"};
    QTest::newRow("wages") << "PrintSyainSalaryList.jfm"
                           << heading + QStringList{"KIJUNBI", "CKIHON1", "CKIHON2", "CKIHON3",
                                                    "SYAINCD", "SIMEI", "NENREI", "KINZOKU",
                                                    "KIHON1", "KIHON2", "KIHON3", "KIHONKEI",
                                                    "SYOTEATE", "SYOTEI", "SYOYO1", "SYOYO2",
                                                    "NENSYU"};
    QTest::newRow("raise") << "PrintSyainUpList.jfm"
                           << heading + raise + QStringList{"HYOUKA", "TOUKYU", "GOUHOU",
                                                            "SYOUGOU"};
    QTest::newRow("matrix raise") << "PrintMatrixUpList.jfm"
                                  << heading + raise + QStringList{"YHYOUKA", "BAND", "ZONE"};
    QStringList design{"NENDO", "CORPNAME", "TITLE", "YMD"};
    for (int d = 1; d <= 5; ++d)
        design << QStringLiteral("NENREI%1").arg(d) << QStringLiteral("KIN%1").arg(d)
               << QStringLiteral("KAKU%1").arg(d);
    QTest::newRow("design wage table") << "PrintSekkeiList.jfm" << design;
    QTest::newRow("raise budget") << "PrintRaiseBudget.jfm"
                                  << QStringList{"TITLE",   "NENDO",  "YMD",     "SUMMARY",
                                                 "BANDNAME", "NINZU", "KIJUN",   "KAGEN",
                                                 "JYOGEN",  "HEIKIN", "COMPA",   "SINTOU",
                                                 "MIMAN",   "CHOUKA", "UPKIN",   "UPRITSU",
                                                 "SYAINCD", "SIMEI",  "LBAND",   "CHINGIN",
                                                 "GENDO",   "SA"};
}

void TstReportEngine::shippedTemplatesHoldTheReportFields() {
    QFETCH(QString, name);
    QFETCH(QStringList, fields);
    QTemporaryDir dir;
    QVERIFY(InstallShippedTemplates(dir.path() + "/Report"));
    TReportTemplate t;
    QString error;
    QVERIFY2(LoadReportTemplate(dir.path() + "/Report/" + name, t, error), qPrintable(error));
    for (const QString &f : fields)
        QVERIFY2(t.fields.contains(f), qPrintable(f));
    QCOMPARE(t.fields.size(), fields.size());
    // Every field lies on the paper.
    for (auto it = t.fields.cbegin(); it != t.fields.cend(); ++it)
        QVERIFY2(QRect(0, 0, t.width, t.height).contains(it->rect), qPrintable(it.key()));
    // An installed template that was changed is kept.
    writeText(dir.path() + "/Report/" + name, "page A4 portrait\n");
    QVERIFY(InstallShippedTemplates(dir.path() + "/Report"));
    QVERIFY(LoadReportTemplate(dir.path() + "/Report/" + name, t, error));
    QVERIFY(t.fields.isEmpty());
}

void TstReportEngine::pagesGoToTheWorkFile() {
    QTemporaryDir dir;
    writeText(dir.path() + "/t.jfm", kTemplate);
    TReportEngine engine;
    engine.setFormName(dir.path() + "/t.jfm");
    engine.setImageFileName(dir.path() + "/Report/wkT.rdf");
    engine.setDocName("テスト帳票");
    engine.startDoc();
    QCOMPARE(engine.fieldRect("AMOUNT"), QRect(QPoint(6300, 2000), QPoint(9000, 2508)));
    QVERIFY_THROWS_EXCEPTION(TReportError, engine.fieldRect("NOTHING"));
    engine.setFontSize(90);
    engine.setFieldText("TITLE", "一覧");
    engine.setFieldText("TITLE", "社員一覧"); // the last text set counts
    engine.drawText(1000, 2150, 6000, 2658, 0, "山田 太郎");
    engine.drawText(6300, 2150, 9000, 2658, 1, "1,234");
    engine.drawText(6300, 2658, 9000, 3166, 1, " "); // a blank draws nothing
    engine.setLineWidth(5);
    engine.setLineStyle(1);
    engine.drawLine(850, 2508, 9150, 2508);
    engine.finishPage();
    engine.drawText(1000, 2150, 6000, 2658, 2, "二頁目");
    engine.finishPage(); // the page it opens stays empty and is no page of the document
    QVERIFY(!QFile::exists(dir.path() + "/Report/wkT.rdf"));
    engine.endDoc();
    QCOMPARE(engine.pagesWritten(), 2);

    const QString expected = QString::fromUtf8(R"(title "テスト帳票"
size 21000 x 14800 narrow
font 0 "Noto Sans CJK JP" 9.0
font 1 "Noto Sans CJK JP" 8.1
font 2 "Noto Sans CJK JP" 14.0 bold
pages 2
page 1
  line 850 1950 9150 1950 width 20 style 0
  text 1000 1500 6000 1900 align 2 font 0 "氏名 ""様"""
  text 1000 2150 6000 2658 align 0 font 1 "山田 太郎"
  text 6300 2150 9000 2658 align 1 font 1 "1,234"
  line 850 2508 9150 2508 width 5 style 1
  text 1000 500 20000 1200 align 2 font 2 "社員一覧"
page 2
  line 850 1950 9150 1950 width 20 style 0
  text 1000 1500 6000 1900 align 2 font 0 "氏名 ""様"""
  text 1000 2150 6000 2658 align 2 font 1 "二頁目"
)");
    QCOMPARE(DumpWorkFile(dir.path() + "/Report/wkT.rdf"), expected);
}

void TstReportEngine::picturesGoToTheWorkFile() {
    QTemporaryDir dir;
    writeText(dir.path() + "/t.jfm", kTemplate);
    TReportEngine engine;
    engine.setFormName(dir.path() + "/t.jfm");
    engine.setImageFileName(dir.path() + "/wkP.rdf");
    engine.startDoc();
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            picture.setPixel(x, y, qRgb(200, 0, 0)); // left half red
    engine.drawPicture(1000, 2000, 9000, 6000, picture);
    engine.drawText(1000, 6100, 6000, 6608, 0, "後の文字");
    engine.finishPage();
    engine.endDoc();

    TWorkFileReader reader;
    QVERIFY(reader.open(dir.path() + "/wkP.rdf"));
    TReportPage page;
    QVERIFY(reader.readPage(1, page));
    const auto op = std::find_if(page.ops.begin(), page.ops.end(),
                                 [](const TDrawOp &o) { return o.kind == TDrawOp::Picture; });
    QVERIFY(op != page.ops.end());
    QCOMPARE(op->rect, QRect(QPoint(1000, 2000), QPoint(9000, 6000)));
    QCOMPARE(QImage::fromData(op->picture, "PNG").convertToFormat(QImage::Format_RGB32), picture);
    // The text after the picture is read too.
    QCOMPARE(page.ops.back().text, QStringLiteral("後の文字"));
    QVERIFY(DumpWorkFile(dir.path() + "/wkP.rdf").contains("picture 1000 2000 9000 6000 png "));

    // Drawn into its box: red on the left of the box, white on the right.
    QImage out(210, 148, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    RenderReportPage(painter, reader.info(), page, QRectF(out.rect()));
    painter.end();
    QCOMPARE(QColor(out.pixel(30, 40)), QColor(200, 0, 0));
    QCOMPARE(QColor(out.pixel(80, 40)), QColor(Qt::white));
}

void TstReportEngine::failuresLeaveNoWorkFile() {
    QTemporaryDir dir;
    const QString work = dir.path() + "/wk.rdf";
    TReportEngine missing;
    missing.setFormName(dir.path() + "/none.jfm");
    missing.setImageFileName(work);
    QVERIFY_THROWS_EXCEPTION(TReportError, missing.startDoc());
    QVERIFY(!QFile::exists(work));

    // A document abandoned half way leaves nothing, an earlier work file stays as it was.
    writeText(dir.path() + "/t.jfm", kTemplate);
    writeText(work, "earlier");
    {
        TReportEngine engine;
        engine.setFormName(dir.path() + "/t.jfm");
        engine.setImageFileName(work);
        engine.startDoc();
        engine.drawText(0, 0, 100, 100, 0, "x");
        engine.finishPage();
        QVERIFY_THROWS_EXCEPTION(TReportError, engine.setFieldText("NOTHING", "x"));
    }
    QCOMPARE(QFile(work).size(), 7);
    // Not a work file.
    TWorkFileReader reader;
    QVERIFY(!reader.open(work));
    QVERIFY(!reader.open(dir.path() + "/none.rdf"));
    QVERIFY(DumpWorkFile(work).startsWith("no work file"));
}

void TstReportEngine::renderDrawsOnAnyPainter() {
    QTemporaryDir dir;
    writeText(dir.path() + "/t.jfm", kTemplate);
    TReportEngine engine;
    engine.setFormName(dir.path() + "/t.jfm");
    engine.setImageFileName(dir.path() + "/wk.rdf");
    engine.startDoc();
    engine.drawText(1000, 2150, 6000, 2658, 0, "山田 太郎");
    engine.drawLine(850, 2508, 9150, 2508);
    engine.endDoc();
    TWorkFileReader reader;
    QVERIFY(reader.open(dir.path() + "/wk.rdf"));
    TReportPage page;
    QVERIFY(reader.readPage(1, page));
    QVERIFY(!reader.readPage(2, page));
    QVERIFY(reader.readPage(1, page));
    // The page on an image: the rule under the name is black, the paper around it white.
    QImage image(2100, 1480, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    RenderReportPage(painter, reader.info(), page, QRectF(0, 0, 2100, 1480));
    painter.end();
    int rule = 255;
    for (int y = 248; y <= 253; ++y)
        rule = std::min(rule, QColor(image.pixel(500, y)).lightness());
    QVERIFY2(rule < 100, "the rule is drawn");
    QCOMPARE(image.pixel(500, 1000), QColor(Qt::white).rgb());
    int dark = 0;
    for (int x = 100; x < 600; ++x)
        for (int y = 215; y < 250; ++y)
            dark += QColor(image.pixel(x, y)).lightness() < 128;
    QVERIFY2(dark > 100, "the name is drawn");
}

QTEST_MAIN(TstReportEngine)
#include "tst_report_engine.moc"
