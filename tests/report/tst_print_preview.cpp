// The print preview and the group report screen: paging and zooming, the missing work file,
// printing and saving as PDF, the work file removed on closing; the screen's range boxes, its
// refusals and the reports it produces.

#include "group_report_screen.h"
#include "print_preview.h"
#include "qt_message_seam.h"
#include "report_engine.h"
#include "report_render.h"
#include "screen_kit.h"
#include "state.h"
#include "tdm.h"
#include "test_program.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QStandardPaths>
#include <QTest>

namespace {

const QDate kReportDate(2018, 4, 1);

// A work file of `pages` pages with one line of text each.
QString makeWorkFile(const QString &dir, int pages) {
    QFile t(dir + "/t.jfm");
    if (!t.open(QIODevice::WriteOnly)) return {};
    t.write("page A4 landscape\nunit 0.01mm\nfield TITLE 1000 700 28700 1400 size 16 align 2\n");
    t.close();
    TReportEngine engine;
    engine.setFormName(dir + "/t.jfm");
    engine.setImageFileName(dir + "/Report/wkTest.rdf");
    engine.setDocName("テスト");
    engine.startDoc();
    for (int p = 1; p <= pages; ++p) {
        if (p > 1) engine.finishPage();
        engine.setFieldText("TITLE", QStringLiteral("頁その%1").arg(p));
        engine.drawText(1000, 3000, 9000, 3508, 0, "社員");
    }
    engine.finishPage();
    engine.endDoc();
    return engine.imageFileName();
}

QString label(QWidget &w, const char *name) {
    return find<QLabel>(w, QLatin1String(name))->text();
}

// The screen with the preview recorded instead of shown modally.
class TestedReportScreen : public TNX0090 {
public:
    QStringList previews; // gPreviewFile each time the preview would have been shown

protected:
    void showPreview() override { previews << G().gPreviewFile; }
};

int pdfPages(const QString &pdf) {
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    if (pdfinfo.isEmpty()) return -1;
    QProcess run;
    run.start(pdfinfo, {pdf});
    run.waitForFinished(30000);
    const QString out = QString::fromUtf8(run.readAllStandardOutput());
    const QRegularExpressionMatch m = QRegularExpression("Pages:\\s+(\\d+)").match(out);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

} // namespace

class TstPrintPreview : public QObject {
    Q_OBJECT
private slots:
    void zoomSteps_data();
    void zoomSteps();
    void onePageDocument();
    void pagingAndReturning();
    void missingWorkFile();
    void closingRemovesTheWorkFile();
    void printsEveryPage();
    void savesAPdf();
    void screenOffersTheRanges();
    void screenRefusesReversedRanges();
    void screenPrintsAndWritesCsv();
    void screenshots();
};

void TstPrintPreview::zoomSteps_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("percent");
    for (int p = 1; p <= 6; ++p)
        QTest::addRow("position %d", p) << p << p * 25;
}

void TstPrintPreview::zoomSteps() {
    QFETCH(int, position);
    QFETCH(int, percent);
    TestProgram p(false);
    G().gPreviewFile = makeWorkFile(p.dir(), 2);
    TfrmPrintPreview preview;
    preview.prepare();
    showActive(preview);
    auto *zoom = find<QSlider>(preview, "cmdZoom");
    QCOMPARE(zoom->minimum(), 1);
    QCOMPARE(zoom->maximum(), 6);
    QCOMPARE(zoom->value(), 4);
    QCOMPARE(zoom->pageStep(), 1);
    QCOMPARE(label(preview, "labZoom"), "拡大率100%");
    const QSize full = preview.view()->size();
    zoom->setValue(position);
    QCOMPARE(label(preview, "labZoom"), QStringLiteral("拡大率%1%").arg(percent));
    QCOMPARE(preview.view()->scale(), percent);
    // The page is drawn at that share of its size at 100 % (the margin around it aside).
    QVERIFY(qAbs((preview.view()->width() - 24) * 100 - (full.width() - 24) * percent) <=
            100 * 2);
}

void TstPrintPreview::onePageDocument() {
    TestProgram p(false);
    G().gPreviewFile = makeWorkFile(p.dir(), 1);
    TfrmPrintPreview preview;
    preview.prepare();
    QCOMPARE(preview.windowTitle(), "印刷プレピュー");
    showActive(preview);
    auto *page = find<QScrollBar>(preview, "cmdPage");
    QCOMPARE(page->minimum(), 1);
    QCOMPARE(page->maximum(), 1);
    QCOMPARE(label(preview, "labPage"), "頁 1/1");
    QCOMPARE(preview.view()->page(), 1);
    QCOMPARE(find<QPushButton>(preview, "cmdPrint")->text(), "印刷(&P)");
    QCOMPARE(find<QPushButton>(preview, "cmdClose")->text(), "閉じる(&C)");
    QCOMPARE(find<QPushButton>(preview, "cmdPdf")->text(), "PDF保存");
    QVERIFY(p.messages.entries.isEmpty());
}

void TstPrintPreview::pagingAndReturning() {
    TestProgram p(false);
    G().gPreviewFile = makeWorkFile(p.dir(), 5);
    TfrmPrintPreview preview;
    preview.prepare();
    showActive(preview);
    auto *page = find<QScrollBar>(preview, "cmdPage");
    QCOMPARE(page->maximum(), 5);
    QCOMPARE(label(preview, "labPage"), "頁 1/5");
    page->setValue(3);
    QCOMPARE(label(preview, "labPage"), "頁 3/5");
    QCOMPARE(preview.view()->page(), 3);
    find<QSlider>(preview, "cmdZoom")->setValue(2);
    // Back from another window: page 1 again, at the zoom chosen.
    QWidget other;
    showActive(other);
    showActive(preview);
    QCOMPARE(label(preview, "labPage"), "頁 1/5");
    QCOMPARE(preview.view()->page(), 1);
    QCOMPARE(page->value(), 1);
    QCOMPARE(label(preview, "labZoom"), "拡大率50%");
    QCOMPARE(preview.view()->scale(), 50);
}

void TstPrintPreview::missingWorkFile() {
    TestProgram p(false);
    G().gPreviewFile = p.dir() + "/Report/wkPrintSyainSalaryList.rdf";
    TfrmPrintPreview preview;
    preview.prepare();
    showActive(preview);
    QTRY_VERIFY(!preview.isVisible());
    QCOMPARE(p.messages.texts(),
             QStringList{p.dir() + "/Report/wkPrintSyainSalaryList.rdf" + "が見つかりません"});
}

void TstPrintPreview::closingRemovesTheWorkFile() {
    TestProgram p(false);
    const QString file = makeWorkFile(p.dir(), 2);
    G().gPreviewFile = file;
    {
        // Closed through the window frame: the file stays for the next report to replace.
        TfrmPrintPreview preview;
        preview.prepare();
        showActive(preview);
        preview.close();
        QVERIFY(QFile::exists(file));
    }
    TfrmPrintPreview preview;
    preview.prepare();
    showActive(preview);
    click(preview, "cmdClose");
    QVERIFY(!preview.isVisible());
    QVERIFY(!QFile::exists(file));
    QVERIFY(p.messages.entries.isEmpty());
}

void TstPrintPreview::printsEveryPage() {
    TestProgram p(false);
    G().gPreviewFile = makeWorkFile(p.dir(), 3);
    TfrmPrintPreview preview;
    preview.prepare();
    showActive(preview);
    // The printer chosen in the printer set-up; here one that prints into a PDF file.
    QPrinter &printer = ProgramPrinter();
    const QString out = p.dir() + "/printed.pdf";
    printer.setOutputFileName(out);
    click(preview, "cmdPrint");
    QVERIFY(p.messages.entries.isEmpty());
    QVERIFY(QFile(out).size() > 1000);
    const int pages = pdfPages(out);
    if (pages >= 0) QCOMPARE(pages, 3);
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    // A printer that cannot be opened: the error message, the document stays.
    printer.setOutputFileName(p.dir() + "/no such folder/printed.pdf");
    QVERIFY(!preview.printTo(printer));
    QCOMPARE(p.messages.texts(), QStringList{"印刷処理でエラーが発生しました。"});
    QVERIFY(QFile::exists(G().gPreviewFile));
    printer.setOutputFileName(QString());
}

void TstPrintPreview::savesAPdf() {
    TestProgram p(false);
    G().gPreviewFile = makeWorkFile(p.dir(), 2);
    TfrmPrintPreview preview;
    preview.prepare();
    showActive(preview);
    // Cancelled: nothing written.
    click(preview, "cmdPdf");
    QCOMPARE(p.messages.entries.size(), 1);
    QCOMPARE(p.messages.entries[0].kind, MessageRecorder::Kind::SaveFile);
    QCOMPARE(p.messages.entries[0].caption, "PDF保存");
    QCOMPARE(p.messages.entries[0].text, G().gAppPath + "Report/テスト.pdf");
    p.messages.clear();
    p.messages.answerFile(p.dir() + "/saved");
    click(preview, "cmdPdf");
    QVERIFY(QFile(p.dir() + "/saved.pdf").size() > 1000);
    const int pages = pdfPages(p.dir() + "/saved.pdf");
    if (pages >= 0) QCOMPARE(pages, 2);
    QCOMPARE(shown(p.messages), QStringList());
    // A folder that does not exist.
    p.messages.answerFile(p.dir() + "/none/saved.pdf");
    click(preview, "cmdPdf");
    QVERIFY(p.messages.lastText().startsWith("PDFファイルの保存でエラーが発生しました。\r\n" +
                                             p.dir() + "/none/saved.pdf"));
    QVERIFY(!QFile::exists(p.dir() + "/none/saved.pdf"));
}

void TstPrintPreview::screenOffersTheRanges() {
    TestProgram p;
    openSample();
    TNX0090 dlg;
    QCOMPARE(dlg.windowTitle(), "グループ別社員レポート");
    dlg.prepare(3);
    QCOMPARE(dlg.windowTitle(), "グループ別マトリクス昇給レポート");
    auto items = [&dlg](const char *name) {
        auto *combo = find<QComboBox>(dlg, QLatin1String(name));
        QStringList list;
        for (int i = 0; i < combo->count(); ++i)
            list << combo->itemText(i);
        return list;
    };
    const QStringList marks = items("cmbMarkSTart");
    QCOMPARE(marks.last(), "0 : 指定なし");
    QCOMPARE(marks.size(), 7);
    QCOMPARE(marks[0], "1 : " + G().gMarks[1].Mark + "  " + G().gMarks[1].Hanrei);
    QCOMPARE(items("cmbMarkEnd"), marks);
    const QStringList grades = items("cmbTokyuSTart");
    QCOMPARE(grades.size(), 10);
    QCOMPARE(grades[0], "1 : " + G().gMkigyou2.Tk[1]);
    QCOMPARE(grades[8].left(4), "9 : ");
    QCOMPARE(grades[9], "0 : 指定なし");
    QCOMPARE(items("cmbTokyuEnd"), grades);
    QStringList workTypes = SqlColumn(
        DM().ACN2, "SELECT SALARYID || ' : ' || SALARYNAME FROM SALARYNAME WHERE KCO = 1 AND "
                   "NENDO = 2018 ORDER BY SALARYID");
    workTypes << "0 : 指定なし";
    QCOMPARE(items("cmbSalaryStart"), workTypes);
    QCOMPARE(items("cmbSalaryEnd"), workTypes);
    for (const char *name : {"cmbMarkSTart", "cmbMarkEnd", "cmbTokyuSTart", "cmbTokyuEnd",
                             "cmbSalaryStart", "cmbSalaryEnd"}) {
        QCOMPARE(find<QComboBox>(dlg, name)->currentIndex(), -1);
        QVERIFY(!find<QComboBox>(dlg, name)->isEditable());
    }
    QCOMPARE(find<QPushButton>(dlg, "btnPrint")->text(), "印　刷");
    QCOMPARE(find<QPushButton>(dlg, "cdCsv")->text(), "CSV出力");
    QCOMPARE(find<QPushButton>(dlg, "btnClose")->text(), "閉じる");
    showActive(dlg);
    QVERIFY(QRect(QPoint(), kScreenBudget).contains(QRect(QPoint(), dlg.size())));
}

void TstPrintPreview::screenRefusesReversedRanges() {
    TestProgram p;
    openSample();
    TestedReportScreen dlg;
    dlg.prepare(2);
    showActive(dlg);
    find<QComboBox>(dlg, "cmbMarkSTart")->setCurrentIndex(2);
    find<QComboBox>(dlg, "cmbMarkEnd")->setCurrentIndex(0);
    find<QComboBox>(dlg, "cmbTokyuSTart")->setCurrentIndex(3);
    find<QComboBox>(dlg, "cmbTokyuEnd")->setCurrentIndex(1);
    click(dlg, "btnPrint");
    QCOMPARE(p.messages.texts(), QStringList{"マーク範囲の指定に誤りがあります。"});
    p.messages.clear();
    find<QComboBox>(dlg, "cmbMarkEnd")->setCurrentIndex(2);
    click(dlg, "cdCsv");
    QCOMPARE(p.messages.texts(), QStringList{"等級範囲の指定に誤りがあります。"});
    p.messages.clear();
    find<QComboBox>(dlg, "cmbTokyuEnd")->setCurrentIndex(3);
    auto *low = find<QComboBox>(dlg, "cmbSalaryStart");
    low->setCurrentIndex(low->count() - 2);
    find<QComboBox>(dlg, "cmbSalaryEnd")->setCurrentIndex(0);
    click(dlg, "btnPrint");
    if (low->count() > 2)
        QCOMPARE(p.messages.texts(), QStringList{"就労形態範囲の指定に誤りがあります。"});
    QVERIFY(dlg.previews.isEmpty());
}

void TstPrintPreview::screenPrintsAndWritesCsv() {
    TestProgram p;
    openSample();
    TestedReportScreen dlg;
    dlg.prepare(1);
    dlg.setReportDate(kReportDate);
    showActive(dlg);
    click(dlg, "btnPrint");
    QCOMPARE(p.messages.texts(), QStringList());
    QCOMPARE(dlg.previews, QStringList{G().gAppPath + "Report/wkPrintSyainUpList.rdf"});
    QVERIFY(QFile::exists(dlg.previews[0]));
    // The shipped templates were put into the program's Report folder.
    QVERIFY(QFile::exists(G().gAppPath + "Report/PrintSyainUpList.jfm"));

    // CSV: the question first; No writes nothing.
    click(dlg, "cdCsv");
    QCOMPARE(p.messages.entries.size(), 1);
    QCOMPARE(p.messages.entries[0].kind, MessageRecorder::Kind::YesNo);
    QCOMPARE(p.messages.entries[0].caption, "NXｳﾞｧﾙﾃﾝ");
    QCOMPARE(p.messages.entries[0].text, "グループ別社員昇給レポートを" + G().gAppPath +
                                             "CSVへ出力します。\r\nよろしいですか？");
    const QString csv = G().gAppPath + "CSV/グループ別社員昇給レポート.CSV";
    QVERIFY(!QFile::exists(csv));
    p.messages.clear();
    p.messages.answer(true);
    click(dlg, "cdCsv");
    QCOMPARE(p.messages.lastText(), "CSVデレクトリにグループ別社員昇給レポートが出力されました。");
    QVERIFY(QFile::exists(csv));

    // A mark without employees: nothing to print, no preview.
    p.messages.clear();
    exec(DM().ACN2, "UPDATE MSYAIN1 SET MCO = 1 WHERE KCO = 1 AND NENDO = 2018 AND MCO = 2");
    find<QComboBox>(dlg, "cmbMarkSTart")->setCurrentIndex(1);
    find<QComboBox>(dlg, "cmbMarkEnd")->setCurrentIndex(1);
    click(dlg, "btnPrint");
    QCOMPARE(p.messages.texts(), QStringList{"印刷対象データは有りません。"});
    QCOMPARE(dlg.previews.size(), 1);
    QVERIFY(G().gPreviewFile.isEmpty());
}

// Pictures of the preview with each report of the sample company, for a look by eye: written
// when VM_SCREENSHOT_DIR names a folder.
void TstPrintPreview::screenshots() {
    const QString dir = qEnvironmentVariable("VM_SCREENSHOT_DIR");
    if (dir.isEmpty()) QSKIP("set VM_SCREENSHOT_DIR to write pictures of the preview");
    TestProgram p;
    openSample();
    for (int kind : {2, 1, 3}) {
        TestedReportScreen dlg;
        dlg.prepare(kind);
        dlg.setReportDate(kReportDate);
        click(dlg, "btnPrint");
        TfrmPrintPreview preview;
        preview.prepare();
        preview.setWindowState(Qt::WindowNoState);
        preview.resize(kScreenBudget);
        showActive(preview);
        QVERIFY(preview.grab().save(dir + QStringLiteral("/preview_%1.png").arg(kind)));
        find<QSlider>(preview, "cmdZoom")->setValue(6);
        QVERIFY(preview.grab().save(dir + QStringLiteral("/preview_%1_150.png").arg(kind)));
        // The whole first page at print size.
        QImage page(2970, 2100, QImage::Format_RGB32);
        page.fill(Qt::white);
        TReportPage first;
        QVERIFY(preview.view()->reader().readPage(1, first));
        QPainter painter(&page);
        RenderReportPage(painter, preview.view()->reader().info(), first, QRectF(page.rect()));
        painter.end();
        QVERIFY(page.save(dir + QStringLiteral("/page_%1.png").arg(kind)));
    }
}

QTEST_MAIN(TstPrintPreview)
#include "tst_print_preview.moc"
