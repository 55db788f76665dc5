// The group reports: the selection and its refusals, the values per employee, the sum and
// average lines, the page breaks of the printed reports, the CSV files, and golden files of
// the sample company's three reports (CSV files and work file dumps).

#include "band_loaders.h"
#include "group_report.h"
#include "report_engine.h"
#include "report_render.h"
#include "state.h"
#include "tdm.h"
#include "test_program.h"
#include "utilities.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

const QDate kReportDate(2018, 4, 1);

QByteArray readFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Compares with a golden file, or writes it when VM_UPDATE_GOLDEN is set.
void compareGolden(const QByteArray &actual, const QString &name) {
    const QString path = QStringLiteral(GOLDEN_DIR "/") + name;
    if (qEnvironmentVariableIsSet("VM_UPDATE_GOLDEN")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(actual);
        return;
    }
    const QByteArray expected = readFile(path);
    QVERIFY2(!expected.isEmpty(), qPrintable(QStringLiteral("missing golden file ") + path));
    if (actual == expected) return;
    // Name the first line that differs.
    const QList<QByteArray> a = actual.split('\n'), e = expected.split('\n');
    for (qsizetype i = 0; i < std::max(a.size(), e.size()); ++i) {
        const QByteArray x = i < a.size() ? a[i] : QByteArray("<end>");
        const QByteArray y = i < e.size() ? e[i] : QByteArray("<end>");
        if (x != y)
            QFAIL(qPrintable(QStringLiteral("%1 line %2:\n  actual   %3\n  expected %4")
                                 .arg(name)
                                 .arg(i + 1)
                                 .arg(QString::fromLocal8Bit(x), QString::fromLocal8Bit(y))));
    }
    QFAIL(qPrintable(name + QStringLiteral(": bytes differ")));
}

QString csvText(int kind) {
    QString text;
    DecodeCp932(readFile(GroupCsvPath(kind)), text);
    return text;
}

void setEmployee(int sco, const QString &table, const QString &set) {
    exec(DM().ACN2, QStringLiteral("UPDATE %1 SET %2 WHERE KCO = 1 AND NENDO = 2018 AND SCO = %3")
                        .arg(table, set)
                        .arg(sco));
}

int firstEmployee() {
    return SqlValue(DM().ACN2, QStringLiteral("SELECT MIN(SCO) FROM MSYAIN1 WHERE KCO = 1 AND "
                                              "NENDO = 2018"))
        .toInt();
}

void loadTables() {
    LoadBandTbl();
    LoadMatTbl();
    LoadYHyoukaTbl();
}

// One synthetic employee of mark `mark` for layouts.
TReportEmployee employee(int mark, int n) {
    TReportEmployee e;
    e.mark = mark;
    e.sco = n;
    e.scot = QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
    e.sna = QStringLiteral("社員%1").arg(n);
    e.kkyu = {0, 200000, 10000, 0};
    e.teate = {0, 5000, 0, 0, 0, 0};
    e.nkkyu = {0, 206000, 10000, 0};
    e.nteate = {0, 5000, 0, 0, 0, 0};
    return e;
}

// Where the texts equal to `text` lie: "page:line" for each, the line counted from the
// first line of the table.
QStringList placesOf(const QString &workFile, const QString &text, int firstTop) {
    TWorkFileReader reader;
    if (!reader.open(workFile)) return {QStringLiteral("<no work file>")};
    QStringList places;
    TReportPage page;
    for (int p = 1; p <= reader.pageCount(); ++p) {
        reader.readPage(p, page);
        for (const TDrawOp &op : page.ops)
            if (op.kind == TDrawOp::Text && op.text == text)
                places << QStringLiteral("%1:%2").arg(p).arg((op.rect.top() - firstTop - 150) / 508);
    }
    return places;
}

TRangeChoice none() {
    return {};
}
TRangeChoice item(int code, const char *name) {
    return {code, QString::fromUtf8(name)};
}

} // namespace

class TstGroupReport : public QObject {
    Q_OBJECT
private slots:
    void selection_data();
    void selection();
    void figures_data();
    void figures();
    void raiseRate_data();
    void raiseRate();
    void sumAndAverageLines();
    void pageBreaks_data();
    void pageBreaks();
    void nothingSelectedReportsEveryEmployee();
    void nothingToReport();
    void goldenFiles();
    void matrixZoneOfUnlinkedEmployee();
    void csvQuotesOnlyWhatNeedsIt();
    void csvReportsTextsTheCodePageLacks();
    void csvThatCannotBeWritten();
    void brokenTemplateEndsWithoutPreview();
    void pdfHoldsTheJapaneseTexts();
};

// --- Selection ----------------------------------------------------------------------------------

void TstGroupReport::selection_data() {
    QTest::addColumn<QList<TRangeChoice>>("choices"); // mark, mark, grade, grade, work, work
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QList<int>>("range");
    const QList<int> all = {-1, 999, -1, 999, -1, 999};
    const TRangeChoice m1 = item(1, "●  営業"), m3 = item(3, "▲  技術");
    const TRangeChoice g1 = item(1, "一般"), g2 = item(2, "主任"), g3 = item(3, "係長");
    const TRangeChoice w1 = item(1, "正社員"), w2 = item(2, "パート");
    const TRangeChoice notChosen = item(0, "指定なし");

    QTest::newRow("nothing chosen") << QList<TRangeChoice>{none(), none(), none(), none(),
                                                           none(), none()}
                                    << "" << "" << all;
    QTest::newRow("every box 指定なし")
        << QList<TRangeChoice>(6, notChosen) << "" << "" << all;
    QTest::newRow("one mark") << QList<TRangeChoice>{m1, m1, none(), none(), none(), none()}
                              << "●  営業" << "" << QList<int>{1, 1, -1, 999, -1, 999};
    QTest::newRow("mark range") << QList<TRangeChoice>{m1, m3, none(), none(), none(), none()}
                                << "●  営業～▲  技術" << "" << QList<int>{1, 3, -1, 999, -1, 999};
    QTest::newRow("mark from") << QList<TRangeChoice>{m1, none(), none(), none(), none(), none()}
                               << "●  営業～" << "" << QList<int>{1, 999, -1, 999, -1, 999};
    QTest::newRow("mark to") << QList<TRangeChoice>{notChosen, m3, none(), none(), none(), none()}
                             << "～▲  技術" << "" << QList<int>{-1, 3, -1, 999, -1, 999};
    QTest::newRow("grade from, no upper")
        << QList<TRangeChoice>{none(), none(), g2, none(), none(), none()} << "主任～" << ""
        << QList<int>{-1, 999, 2, 999, -1, 999};
    QTest::newRow("same grade twice")
        << QList<TRangeChoice>{none(), none(), g2, g2, none(), none()} << "主任" << ""
        << QList<int>{-1, 999, 2, 2, -1, 999};
    QTest::newRow("grade to") << QList<TRangeChoice>{none(), none(), none(), g3, none(), none()}
                              << "～係長" << "" << QList<int>{-1, 999, -1, 3, -1, 999};
    QTest::newRow("mark, grades and work types")
        << QList<TRangeChoice>{m1, m1, g1, g3, w1, w2} << "●  営業 ／ 一般～係長 ／ 正社員～パート"
        << "" << QList<int>{1, 1, 1, 3, 1, 2};
    QTest::newRow("mark and a lower grade")
        << QList<TRangeChoice>{m1, m3, g2, none(), none(), none()} << "●  営業～▲  技術 ／ 主任～"
        << "" << QList<int>{1, 3, 2, 999, -1, 999};
    QTest::newRow("work type alone")
        << QList<TRangeChoice>{none(), none(), none(), none(), w2, w2} << "パート" << ""
        << QList<int>{-1, 999, -1, 999, 2, 2};
    QTest::newRow("mark 3 to 1, grades reversed too")
        << QList<TRangeChoice>{m3, m1, g3, g1, none(), none()} << "▲  技術～●  営業"
        << kMsgMarkRange << QList<int>{3, 1, -1, 999, -1, 999};
    QTest::newRow("mark 3 to none is no reversal")
        << QList<TRangeChoice>{m3, notChosen, none(), none(), none(), none()} << "▲  技術～" << ""
        << QList<int>{3, 999, -1, 999, -1, 999};
    QTest::newRow("grades reversed") << QList<TRangeChoice>{none(), none(), g3, g1, w2, w1}
                                     << "係長～一般" << kMsgGradeRange
                                     << QList<int>{-1, 999, 3, 1, -1, 999};
    QTest::newRow("work types reversed")
        << QList<TRangeChoice>{none(), none(), none(), none(), w2, w1} << "パート～正社員"
        << kMsgWorkTypeRange << QList<int>{-1, 999, -1, 999, 2, 1};
}

void TstGroupReport::selection() {
    QFETCH(QList<TRangeChoice>, choices);
    QFETCH(QString, text);
    QFETCH(QString, refusal);
    QFETCH(QList<int>, range);
    const TSelectionChoices c{choices[0], choices[1], choices[2],
                              choices[3], choices[4], choices[5]};
    TReportSelection s;
    QCOMPARE(ReadReportSelection(c, s), refusal);
    QCOMPARE(s.text, text);
    const TReportRange &r = s.range;
    QCOMPARE(QList<int>({r.markLow, r.markHigh, r.gradeLow, r.gradeHigh, r.workTypeLow,
                         r.workTypeHigh}),
             range);
}

// --- Values per employee ------------------------------------------------------------------------

namespace {
// Band 1, evaluation 1: zones 240,000-280,000-320,000-360,000 at 5 / 3 / 1 %, rounding to tens.
void bandFixture(TBANDTBL &bands, TMATTBL &matrices) {
    TBANDM e;
    e.BandId = QStringLiteral("1");
    e.YHyouka = QStringLiteral("1");
    e.ZoneKagen = {0, 240000, 280000, 320000, 0, 0};
    e.ZoneJyogen = {0, 280000, 320000, 360000, 0, 0};
    e.ZoneSu = 3;
    bands = {};
    bands.Marume = 0;
    bands.Bands = {e};
    TMATHYOUKA g;
    g.BandId = 1;
    TMATRIX cell;
    cell.YHyouka = 1;
    cell.Up = {0, 5, 3, 1, 0, 0};
    g.Cells = {cell};
    matrices = {};
    matrices.Rows = {g};
}
} // namespace

void TstGroupReport::figures_data() {
    QTest::addColumn<int>("jiseki");
    QTest::addColumn<int>("mlink");
    QTest::addColumn<int>("band");
    QTest::addColumn<QString>("evaluation");
    QTest::addColumn<QList<qint64>>("newItems");
    QTest::addColumn<int>("newZone");
    QTest::addColumn<QString>("symbol");
    // Current items 300,000 / 20,000 / 0; entered after the raise 305,000 / 21,000 / 0; the wage
    // table gives 250,000.
    QTest::newRow("entered amounts") << 0 << 0 << 1 << "1" << QList<qint64>{305000, 21000, 0}
                                     << 0 << "Ｓ";
    QTest::newRow("wage table item 2") << 2 << 0 << 1 << "1"
                                       << QList<qint64>{305000, 250000, 0} << 0 << "Ｓ";
    QTest::newRow("matrix item 1") << 0 << 1 << 1 << "1" << QList<qint64>{309000, 21000, 0} << 2
                                   << "Ｓ";
    QTest::newRow("matrix wins over the wage table")
        << 1 << 1 << 1 << "1" << QList<qint64>{309000, 21000, 0} << 2 << "Ｓ";
    QTest::newRow("matrix item without a band entry")
        << 0 << 1 << 7 << "1" << QList<qint64>{300000, 21000, 0} << 0 << "Ｓ";
    QTest::newRow("unknown role evaluation shows its code")
        << 0 << 1 << 1 << "9" << QList<qint64>{300000, 21000, 0} << 0 << "9";
    QTest::newRow("no role evaluation") << 0 << 0 << 0 << "" << QList<qint64>{305000, 21000, 0}
                                        << 0 << "";
}

void TstGroupReport::figures() {
    QFETCH(int, jiseki);
    QFETCH(int, mlink);
    QFETCH(int, band);
    QFETCH(QString, evaluation);
    QFETCH(QList<qint64>, newItems);
    QFETCH(int, newZone);
    QFETCH(QString, symbol);
    TBANDTBL bands;
    TMATTBL matrices;
    bandFixture(bands, matrices);
    const MatrixRaiseTable raises(bands, matrices);
    const QHash<QString, QString> symbols =
        RoleSymbols({{QStringLiteral("1"), QStringLiteral("Ｓ")}, {QStringLiteral("2"), "Ａ"}});

    TReportEmployee e;
    e.kkyu = {0, 300000, 20000, 0};
    e.nkkyu = {0, 305000, 21000, 0};
    e.teate = {0, 1000, 2000, 0, 0, 500};
    e.nteate = {0, 1000, 2500, 0, 0, 500};
    e.nkin = 250000;
    e.jiseki = jiseki;
    e.mlink = mlink;
    e.newBand = band;
    e.newEvaluation = evaluation.toInt();
    e.newEvaluationText = evaluation;
    e.seihi = 19800402; // 37 on the reference date 2018-04-01 ...
    e.nyuhi = 20080401; // ... after 10 years
    G().gFnk = 0;
    G().gKdate = 20180401;
    const TEmployeeFigures f = FiguresOf(e, raises, symbols);
    QCOMPARE(QList<qint64>({f.newItems[1], f.newItems[2], f.newItems[3]}), newItems);
    QCOMPARE(f.newZone, newZone);
    QCOMPARE(f.linked, mlink != 0);
    QCOMPARE(f.roleSymbol, symbol);
    QCOMPARE(f.age, 37);
    QCOMPARE(f.service, 10);
    QCOMPARE(f.wage.base(), 320000);
    QCOMPARE(f.wage.allowances, 3500);
    QCOMPARE(f.pay.newBase, newItems[0] + newItems[1] + newItems[2]);
    QCOMPARE(f.pay.newAllowances, 4000);
    QCOMPARE(f.pay.raise(), f.pay.newBase + 4000 - 323500);
}

void TstGroupReport::raiseRate_data() {
    QTest::addColumn<qint64>("raise");
    QTest::addColumn<qint64>("fixed");
    QTest::addColumn<QString>("text");
    QTest::newRow("3 %") << qint64(9000) << qint64(300000) << "3.00";
    QTest::newRow("rounded half away from zero") << qint64(1) << qint64(800) << "0.13";
    QTest::newRow("a cut") << qint64(-4500) << qint64(300000) << "-1.50";
    QTest::newRow("fixed pay 0 gives no rate") << qint64(250000) << qint64(0) << "";
    QTest::newRow("beyond 32 bits") << qint64(3'000'000'000) << qint64(6'000'000'000) << "50.00";
}

void TstGroupReport::raiseRate() {
    QFETCH(qint64, raise);
    QFETCH(qint64, fixed);
    QFETCH(QString, text);
    QCOMPARE(RaiseRateText(raise, fixed), text);
}

void TstGroupReport::sumAndAverageLines() {
    // Two employees: averages are truncated toward zero, item by item, and what is derived from
    // them (base pay, fixed pay, differences) is computed from the averages.
    TEmployeeFigures a, b;
    a.age = 30;
    a.service = 5;
    a.wage.items = {0, 200001, 0, 1};
    a.wage.allowances = 3;
    a.wage.bonus1 = 1;
    a.pay = {200002, 3, 200000, 0};
    b.age = 41;
    b.service = 8;
    b.wage.items = {0, 200000, 0, 0};
    b.wage.allowances = 0;
    b.pay = {200000, 0, 200003, 0};
    TFigureSums s;
    s.add(a);
    s.add(b);

    const QString label = QStringLiteral("　　　　平均");
    QCOMPARE(AverageLine(kWageReport, label, s),
             QStringList({"", label, "35.5", "6.5", "200,000", "0", "0", "200,000", "1", "200,001",
                          "0", "0", "2,400,012"}));
    QCOMPARE(SumLine(kWageReport, label, s),
             QStringList({"", label, "2", "", "400,001", "0", "1", "400,002", "3", "400,005", "1",
                          "0", "4,800,061"}));
    // Raise: base 200,001 → 200,001 new; allowances 1 → 0; the difference of the averages.
    QCOMPARE(AverageLine(kRaiseReport, label, s),
             QStringList({"", label, "", "", "", "", "200,001", "0", "0", "-1", "200,001",
                          "200,002", "-1", ""}));
    QCOMPARE(SumLine(kMatrixReport, label, s),
             QStringList({"", label, "2", "", "", "400,003", "1", "0", "-3", "400,003",
                          "400,005", "-2", "0.00"}));
    // 64-bit sums: 10,000 employees of 2,000,000,000 a year's income do not overflow.
    TFigureSums big;
    TEmployeeFigures rich;
    rich.wage.items = {0, 150'000'000, 0, 0};
    for (int i = 0; i < 10000; ++i)
        big.add(rich);
    QCOMPARE(SumLine(kWageReport, label, big)[12], QStringLiteral("18,000,000,000,000"));
}

// --- Printed reports ----------------------------------------------------------------------------

void TstGroupReport::pageBreaks_data() {
    QTest::addColumn<QList<int>>("groups"); // employees per mark group
    QTest::addColumn<QStringList>("subtotals");
    QTest::addColumn<QStringList>("averages");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("overallAverage");
    QTest::addColumn<int>("pages");
    // A group starts on a new page; its sum and average follow one empty line unless they would
    // pass line 31; the totals follow the last average, on lines 2 and 3 of a new page when it
    // lies on line 30 or 31.
    QTest::newRow("3 employees") << QList<int>{3} << QStringList{"1:4"} << QStringList{"1:5"}
                                 << "1:6" << "1:7" << 1;
    QTest::newRow("28 employees") << QList<int>{28} << QStringList{"1:29"}
                                  << QStringList{"1:30"} << "2:1" << "2:2" << 2;
    QTest::newRow("29 employees fill the page")
        << QList<int>{29} << QStringList{"1:30"} << QStringList{"1:31"} << "2:1" << "2:2" << 2;
    QTest::newRow("30 employees") << QList<int>{30} << QStringList{"2:1"} << QStringList{"2:2"}
                                  << "2:3" << "2:4" << 2;
    QTest::newRow("31 employees: sum on the next page")
        << QList<int>{31} << QStringList{"2:1"} << QStringList{"2:2"} << "2:3" << "2:4" << 2;
    QTest::newRow("32 employees fill a page")
        << QList<int>{32} << QStringList{"2:1"} << QStringList{"2:2"} << "2:3" << "2:4" << 2;
    QTest::newRow("33 employees go on") << QList<int>{33} << QStringList{"2:2"}
                                        << QStringList{"2:3"} << "2:4" << "2:5" << 2;
    QTest::newRow("two groups") << QList<int>{2, 31} << QStringList{"1:3", "3:1"}
                                << QStringList{"1:4", "3:2"} << "3:3" << "3:4" << 3;
}

void TstGroupReport::pageBreaks() {
    QFETCH(QList<int>, groups);
    QFETCH(QStringList, subtotals);
    QFETCH(QStringList, averages);
    QFETCH(QString, total);
    QFETCH(QString, overallAverage);
    QFETCH(int, pages);
    TestProgram p(false);
    const QString reportDir = p.dir() + QStringLiteral("/Report");
    QVERIFY(InstallShippedTemplates(reportDir));
    std::vector<TReportEmployee> employees;
    std::vector<TEmployeeFigures> figures;
    int n = 0;
    for (qsizetype g = 0; g < groups.size(); ++g) {
        for (int i = 0; i < groups[g]; ++i) {
            employees.push_back(employee(int(g) + 1, ++n));
            TEmployeeFigures f;
            f.pay = {210000, 5000, 216000, 5000};
            figures.push_back(f);
        }
    }
    for (int kind : {kRaiseReport, kWageReport, kMatrixReport}) {
        TReportEngine engine;
        const QString file = LayOutGroupReport(engine, kind, reportDir, employees, figures, "",
                                               {kReportDate, 20180401, "2018", "テスト"});
        QCOMPARE(file, ReportWorkFilePath(reportDir, kind));
        const int top = engine.reportTemplate().fields.value("SIMEI").rect.top();
        TWorkFileReader reader;
        QVERIFY(reader.open(file));
        QCOMPARE(reader.pageCount(), pages);
        const TGroupReportKind &k = GroupReportKind(kind);
        QCOMPARE(placesOf(file, k.subtotalLabel, top), subtotals);
        QCOMPARE(placesOf(file, k.averageLabel, top), averages);
        QCOMPARE(placesOf(file, "　合計", top), QStringList{total});
        QCOMPARE(placesOf(file, "　平均", top), QStringList{overallAverage});
        // Every page carries its number in the heading.
        QCOMPARE(placesOf(file, QStringLiteral("2018年04月01日　　P. %1").arg(pages), top).size(),
                 1);
    }
}

void TstGroupReport::nothingSelectedReportsEveryEmployee() {
    TestProgram p;
    openSample();
    loadTables();
    const int employees = SqlValue(DM().ACN2, "SELECT COUNT(*) FROM MSYAIN1 WHERE KCO = 1 AND "
                                              "NENDO = 2018")
                              .toInt();
    QVERIFY(employees > 50);
    // Marks, grades and work types outside the boxes' items are reported too.
    setEmployee(firstEmployee(), "MSYAIN1", "MCO = 0");
    setEmployee(firstEmployee(), "MSYAIN2", "TOUKYU = 0, SM1 = 0");
    TReportSelection all;
    QVERIFY(ReadReportSelection({}, all).isEmpty());
    p.messages.answer(true);
    const TReportNotice notice = WriteGroupReportCsv(kWageReport, all);
    QCOMPARE(notice.text, "CSVデレクトリにグループ別社員賃金レポートが出力されました。");
    QCOMPARE(csvText(kWageReport).count("\r\n"), employees + 1);

    QVERIFY(PrintGroupReport(kRaiseReport, all, kReportDate).text.isEmpty());
    QCOMPARE(G().gPreviewFile, ReportWorkFilePath(G().gAppPath + "Report", kRaiseReport));
    const QString dump = DumpWorkFile(G().gPreviewFile);
    const QStringList codes =
        SqlColumn(DM().ACN2, "SELECT SCOT FROM MSYAIN1 WHERE KCO = 1 AND NENDO = 2018");
    for (const QString &code : codes)
        QVERIFY2(dump.contains(QStringLiteral(" align 0 font 0 \"%1\"\n").arg(code)),
                 qPrintable(code));
}

void TstGroupReport::nothingToReport() {
    TestProgram p;
    openSample();
    loadTables();
    G().gPreviewFile = "stale";
    TReportSelection none;
    none.range.markLow = 7;
    none.range.markHigh = 9;
    const TReportNotice printed = PrintGroupReport(kWageReport, none, kReportDate);
    QCOMPARE(printed.text, kMsgNothingToPrint);
    QVERIFY(G().gPreviewFile.isEmpty());
    const TReportNotice written = WriteGroupReportCsv(kWageReport, none);
    QCOMPARE(written.text, kMsgNothingToWrite);
    QVERIFY(!QFile::exists(GroupCsvPath(kWageReport)));
}

void TstGroupReport::goldenFiles() {
    TestProgram p;
    openSample();
    loadTables();
    const struct {
        int kind;
        const char *name;
    } reports[] = {{kWageReport, "wage"}, {kRaiseReport, "raise"}, {kMatrixReport, "matrix"}};
    TReportSelection all;
    for (const auto &r : reports) {
        QVERIFY(WriteGroupReportCsv(r.kind, all).icon == MsgIcon::Information);
        compareGolden(readFile(GroupCsvPath(r.kind)), QLatin1String(r.name) + ".csv");
        QVERIFY(PrintGroupReport(r.kind, all, kReportDate).text.isEmpty());
        compareGolden(DumpWorkFile(G().gPreviewFile).toUtf8(),
                      QLatin1String(r.name) + "_workfile.txt");
    }
    // The CSV headings exactly.
    QVERIFY(csvText(kRaiseReport)
                .startsWith("社員コード,氏名,評価,等級,号俸,昇格号俸,New基本給,Up基本給,New諸手当,"
                            "Up諸手当,New所定給,所定給,昇給額\r\n"));
}

void TstGroupReport::matrixZoneOfUnlinkedEmployee() {
    TestProgram p;
    openSample();
    const int sco = firstEmployee();
    setEmployee(sco, "MSYAIN1", "MLINK = 0, NEWYHYOUKA = 77");
    loadTables();
    TReportSelection all;
    QVERIFY(WriteGroupReportCsv(kMatrixReport, all).icon == MsgIcon::Information);
    const QString scot = SqlValue(DM().ACN2, QStringLiteral("SELECT SCOT FROM MSYAIN1 WHERE KCO = 1 "
                                                            "AND NENDO = 2018 AND SCO = %1")
                                                 .arg(sco));
    const QString sna = SqlValue(DM().ACN2, QStringLiteral("SELECT SNA FROM MSYAIN1 WHERE KCO = 1 "
                                                           "AND NENDO = 2018 AND SCO = %1")
                                                .arg(sco));
    // The unknown evaluation code is shown as itself; the zone field is empty.
    QVERIFY2(csvText(kMatrixReport).contains("\r\n" + scot + "," + sna + ",77,,"),
             qPrintable(csvText(kMatrixReport).left(400)));
    // The printed report shows zone 0.
    QVERIFY(PrintGroupReport(kMatrixReport, all, kReportDate).text.isEmpty());
    TWorkFileReader reader;
    QVERIFY(reader.open(G().gPreviewFile));
    TReportPage page;
    QVERIFY(reader.readPage(1, page));
    TReportTemplate t;
    QString error;
    QVERIFY(LoadReportTemplate(ReportTemplatePath(G().gAppPath + "Report", kMatrixReport), t, error));
    int row = -1;
    for (const TDrawOp &op : page.ops)
        if (op.kind == TDrawOp::Text && op.text == scot) row = op.rect.top();
    QVERIFY(row > 0);
    QStringList rowTexts;
    for (const TDrawOp &op : page.ops)
        if (op.kind == TDrawOp::Text && op.rect.top() == row) rowTexts << op.text;
    QCOMPARE(rowTexts.mid(0, 5), QStringList({scot, sna, "77", rowTexts[3], "0"}));
}

void TstGroupReport::csvQuotesOnlyWhatNeedsIt() {
    TestProgram p;
    openSample();
    const int sco = firstEmployee();
    setEmployee(sco, "MSYAIN1", "SNA = '山田, \"太郎\"', SCOT = 'A-01'");
    loadTables();
    TReportSelection all;
    QVERIFY(WriteGroupReportCsv(kWageReport, all).icon == MsgIcon::Information);
    const QStringList lines = csvText(kWageReport).split("\r\n");
    const qsizetype quoted =
        lines.indexOf(QRegularExpression("^A-01,\"山田, \"\"太郎\"\"\",\\d+,\\d+,.*"));
    QVERIFY2(quoted > 0, qPrintable(lines.filter("A-01").join("|")));
    // Every other line has its 13 values without quotes.
    for (const QString &line : lines.mid(1)) {
        if (line.isEmpty() || line.startsWith("A-01")) continue;
        QVERIFY2(!line.contains('"') && line.count(',') == 12, qPrintable(line));
    }
    QCOMPARE(CsvField("a\r\nb"), "\"a\r\nb\"");
    QCOMPARE(CsvField("山田 太郎"), "山田 太郎");
}

void TstGroupReport::csvReportsTextsTheCodePageLacks() {
    TestProgram p;
    openSample();
    const int sco = firstEmployee();
    setEmployee(sco, "MSYAIN1", "SNA = '𠮷野 花子', SCOT = 'X1'");
    loadTables();
    TReportSelection all;
    const TReportNotice notice = WriteGroupReportCsv(kRaiseReport, all);
    QCOMPARE(notice.icon, MsgIcon::Warning);
    QCOMPARE(notice.text, "CSVデレクトリにグループ別社員昇給レポートが出力されました。\r\n"
                          "ただし、次の社員の項目にはShift_JISで表せない文字が有るため、その文字を"
                          "「?」で出力しました。\r\nX1　𠮷野 花子　（氏名）");
    QVERIFY(csvText(kRaiseReport).contains("\r\nX1,?野 花子,"));
}

void TstGroupReport::csvThatCannotBeWritten() {
    TestProgram p;
    openSample();
    loadTables();
    TReportSelection all;
    // An earlier file stays whole when the new one cannot be put in its place.
    const QString path = GroupCsvPath(kMatrixReport);
    QVERIFY(QDir().mkpath(path + "/blocked"));
    const TReportNotice notice = WriteGroupReportCsv(kMatrixReport, all);
    QCOMPARE(notice.icon, MsgIcon::Error);
    QCOMPARE(notice.text, "CSVファイルの出力でエラーが発生しました。　" + path);
    QCOMPARE(QDir(G().gAppPath + "CSV").entryList(QDir::Files), QStringList());
}

void TstGroupReport::brokenTemplateEndsWithoutPreview() {
    TestProgram p;
    openSample();
    loadTables();
    const QString reportDir = G().gAppPath + "Report";
    QVERIFY(InstallShippedTemplates(reportDir));
    QFile broken(ReportTemplatePath(reportDir, kWageReport));
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("page A4 landscape\nfield SYAINCD 1 2 3\n");
    broken.close();
    TReportSelection all;
    const TReportNotice notice = PrintGroupReport(kWageReport, all, kReportDate);
    QCOMPARE(notice.icon, MsgIcon::Error);
    QVERIFY2(notice.text.contains("2 行目: field SYAINCD 1 2 3"), qPrintable(notice.text));
    QVERIFY(G().gPreviewFile.isEmpty());
    QVERIFY(!QFile::exists(ReportWorkFilePath(reportDir, kWageReport)));
    // A template without a field of the report.
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("page A4 landscape\nfield SYAINCD 1000 3000 2000 3508\n");
    broken.close();
    QVERIFY(PrintGroupReport(kWageReport, all, kReportDate).text.contains("SIMEI"));
    QVERIFY(!QFile::exists(ReportWorkFilePath(reportDir, kWageReport)));
    // The other reports still print: their templates were left alone.
    QVERIFY(PrintGroupReport(kRaiseReport, all, kReportDate).text.isEmpty());
}

void TstGroupReport::pdfHoldsTheJapaneseTexts() {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
    TestProgram p;
    openSample();
    loadTables();
    TReportSelection all;
    for (int kind : {kWageReport, kRaiseReport, kMatrixReport}) {
        QVERIFY(PrintGroupReport(kind, all, kReportDate).text.isEmpty());
        const QString pdf = p.dir() + QStringLiteral("/report%1.pdf").arg(kind);
        QString error;
        QVERIFY2(WriteWorkFilePdf(G().gPreviewFile, pdf, error), qPrintable(error));
        QProcess run;
        run.start(pdftotext, {"-layout", pdf, "-"});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 0);
        // Qt's PDF writer names each glyph by the lowest code point the font maps to it, and
        // Noto CJK maps a few Kangxi radicals (U+2F00..) to the glyphs of common ideographs
        // (金 月 日 氏 手 ...): the extracted text holds those radicals, which compatibility
        // normalisation turns back into the ideographs they look like.
        const QString text = QString::fromUtf8(run.readAllStandardOutput())
                                 .normalized(QString::NormalizationForm_KC);
        const TGroupReportKind &k = GroupReportKind(kind);
        for (const QString &expected :
             {k.title, QStringLiteral("株式会社ロメルタ"), QStringLiteral("社員コード"),
              k.subtotalLabel.trimmed(), QStringLiteral("合計"),
              QStringLiteral("2018年04月01日")})
            QVERIFY2(text.contains(expected.normalized(QString::NormalizationForm_KC)),
                     qPrintable(k.title + ": " + expected + "\n" + text.left(600)));
        TWorkFileReader reader;
        QVERIFY(reader.open(G().gPreviewFile));
        QCOMPARE(text.count(QChar(u'\f')), reader.pageCount());
    }
}

QTEST_MAIN(TstGroupReport)
#include "tst_group_report.moc"
