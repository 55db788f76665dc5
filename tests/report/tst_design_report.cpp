// The design wage table of the raise-curve design as stored, printed and written: DCHINGIN
// replaced for the project alone and in one save, the page breaks with the average line at the
// foot of the last page, the CSV file, and golden files of a two-design table.

#include "design_report.h"
#include "design_store.h"
#include "report_engine.h"
#include "screen_test.h"
#include "state.h"
#include "test_program.h"

#include <QFile>
#include <QTest>

Q_DECLARE_METATYPE(QList<int>)

namespace {

const QDate kReportDate(2018, 4, 1);
const QString kProject = QStringLiteral(" WHERE KCO = 1 AND NENDO = 2018");
// Where the field NENREI1 of the template begins: line n lies n x 508 + 200 below.
constexpr int kFirstTop = 3300 + 200;

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
    QCOMPARE(actual, expected);
}

TDesignPoints design(std::initializer_list<std::pair<int, double>> points) {
    TDesignPoints d;
    int n = 1;
    for (auto [age, amount] : points) {
        d.age[n] = age;
        d.amount[n++] = amount;
    }
    return d;
}

// The two designs of the golden files: 22..40 and 30..60 share line 1.
TDesignReportInput twoDesigns() {
    TDesignReportInput in;
    in.designs[1] = design({{22, 180000}, {30, 250000}, {40, 330000}});
    in.designs[2] = design({{30, 250000}, {45, 310000}, {60, 400000}});
    in.fx = 0;
    in.fy = 2;
    in.title = QStringLiteral("昇給カーブ試案");
    in.xCaption = QStringLiteral("年　　齢");
    in.yCaption = QStringLiteral("基　本　給");
    return in;
}

QStringList storedRows(const QString &where = kProject) {
    return SqlRows(DM().ACN2, "SELECT SDCO, XKOMOKU, YKOMOKU, NO, SNENREI, SKIN, SUPKIN, SUPRITSU, "
                              "KAKUSA FROM DCHINGIN" +
                                  where + " ORDER BY NO, SDCO");
}

// Where the texts equal to `text` lie: "page:line" for each.
QStringList placesOf(const QString &workFile, const QString &text) {
    TWorkFileReader reader;
    if (!reader.open(workFile)) return {QStringLiteral("<no work file>")};
    QStringList places;
    TReportPage page;
    for (int p = 1; p <= reader.pageCount(); ++p) {
        reader.readPage(p, page);
        for (const TDrawOp &op : page.ops)
            if (op.kind == TDrawOp::Text && op.text == text)
                places << QStringLiteral("%1:%2").arg(p).arg((op.rect.top() - kFirstTop) / 508);
    }
    return places;
}

} // namespace

class TstDesignReport : public QObject {
    Q_OBJECT
private slots:
    void tableReplacesTheProjectsRows();
    void failedWriteKeepsTheStoredTable();
    void pageBreaks_data();
    void pageBreaks();
    void pageHeadings();
    void nothingToPrintOrWrite();
    void csvReplacesTheFile();
    void goldenFiles();
};

void TstDesignReport::tableReplacesTheProjectsRows() {
    TestProgram p;
    openSample();
    exec(DM().ACN2, "INSERT INTO DCHINGIN VALUES (1, 2018, 5, 0, 0, 1, 70, 1, 0, 0, 100)");
    exec(DM().ACN2, "INSERT INTO DCHINGIN VALUES (1, 2017, 1, 0, 0, 1, 20, 1, 0, 0, 100)");
    TDesignReportInput in;
    in.designs[3] = design({{22, 180000}, {30, 250000}, {40, 330000}});
    in.fx = 1;
    in.fy = 4;
    in.title = QStringLiteral("新タイトル");
    const std::vector<TDesignWageRow> rows = RunDesignWageTable(in);
    QCOMPARE(rows.size(), size_t(19));
    const QStringList stored = storedRows();
    QCOMPARE(stored.size(), 19);
    QCOMPARE(stored.first(), QStringLiteral("3|1|4|1|22|180000|8750|4.86|100"));
    QCOMPARE(stored[7], QStringLiteral("3|1|4|8|29|241250|8750|3.63|134"));
    QCOMPARE(stored.last(), QStringLiteral("3|1|4|19|40|330000|0|0|183"));
    // Another fiscal year keeps its table.
    QCOMPARE(storedRows(" WHERE KCO = 1 AND NENDO = 2017").size(), 1);
    QCOMPARE(G().gChartTitle, QStringLiteral("新タイトル"));
}

void TstDesignReport::failedWriteKeepsTheStoredTable() {
    TestProgram p;
    openSample();
    RunDesignWageTable(twoDesigns());
    const QStringList before = storedRows();
    RefuseWrites(DM().ACN2, "refuse", "INSERT", "DCHINGIN", "NEW.NO = 5");
    TDesignReportInput other;
    other.designs[1] = design({{20, 100000}, {30, 200000}});
    RunDesignWageTable(other);
    QCOMPARE(shown(p.messages).size(), 1);
    QCOMPARE(storedRows(), before);
}

void TstDesignReport::pageBreaks_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("average");
    QTest::addColumn<QString>("lastAge"); // where the last table line lies
    QTest::newRow("one line") << 1 << 1 << "1:31"
                              << "1:0";
    QTest::newRow("31 lines keep the average") << 31 << 1 << "1:31"
                                               << "1:30";
    QTest::newRow("32 lines push the average") << 32 << 2 << "2:31"
                                               << "1:31";
    QTest::newRow("33 lines") << 33 << 2 << "2:31"
                              << "2:0";
    QTest::newRow("64 lines") << 64 << 3 << "3:31"
                              << "2:31";
}

void TstDesignReport::pageBreaks() {
    QFETCH(int, lines);
    QFETCH(int, pages);
    QFETCH(QString, average);
    QFETCH(QString, lastAge);
    TestProgram p;
    openSample();
    TDesignReportInput in;
    in.designs[2] = design({{20, 200000}, {20 + lines - 1, 200000 + 1000 * (lines - 1)}});
    QVERIFY(PrintDesignWageTable(in, kReportDate).text.isEmpty());
    const QString work = G().gPreviewFile;
    TWorkFileReader reader;
    QVERIFY(reader.open(work));
    QCOMPARE(reader.pageCount(), pages);
    QCOMPARE(placesOf(work, QStringLiteral("平均")), QStringList{average});
    QCOMPARE(placesOf(work, QString::number(20 + lines - 1)), QStringList{lastAge});
    QCOMPARE(placesOf(work, QStringLiteral("20")), QStringList{"1:0"});
}

void TstDesignReport::pageHeadings() {
    TestProgram p;
    openSample();
    QVERIFY(PrintDesignWageTable(twoDesigns(), kReportDate).text.isEmpty());
    const QString dump = DumpWorkFile(G().gPreviewFile);
    QVERIFY(dump.contains(QStringLiteral("昇給カーブ試案")));
    QVERIFY(dump.contains(QStringLiteral("2018年04月01日　　P. 1")));
    QVERIFY(dump.contains(QStringLiteral(" 年度")));
    // The captions of the five designs' columns, one line above the table.
    QCOMPARE(placesOf(G().gPreviewFile, QStringLiteral("格差")).size(), 5);
    QCOMPARE(placesOf(G().gPreviewFile, QStringLiteral("年　　齢")).size(), 5);
    QCOMPARE(placesOf(G().gPreviewFile, QStringLiteral("基　本　給")).first(),
             QStringLiteral("1:-1"));
    // Averages: design 1 its 19 amounts, design 2 its 31.
    QCOMPARE(placesOf(G().gPreviewFile, QStringLiteral("8,333")), QStringList{"1:31"});
    QCOMPARE(placesOf(G().gPreviewFile, QStringLiteral("平均")).size(), 2);
}

void TstDesignReport::nothingToPrintOrWrite() {
    TestProgram p;
    openSample();
    exec(DM().ACN2, "INSERT INTO DCHINGIN VALUES (1, 2018, 5, 0, 0, 1, 70, 1, 0, 0, 100)");
    G().gPreviewFile = QStringLiteral("old");
    QCOMPARE(PrintDesignWageTable(TDesignReportInput{}, kReportDate).text,
             QStringLiteral("印刷対象データは有りません。"));
    QVERIFY(G().gPreviewFile.isEmpty());
    QCOMPARE(storedRows(), QStringList{});
    QCOMPARE(WriteDesignWageCsv(TDesignReportInput{}).text,
             QStringLiteral("賃金表データは有りません。"));
    QVERIFY(!QFile::exists(DesignCsvPath()));
}

void TstDesignReport::csvReplacesTheFile() {
    TestProgram p;
    openSample();
    QVERIFY(QDir().mkpath(G().gAppPath + QStringLiteral("CSV")));
    {
        QFile old(DesignCsvPath());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(10000, 'x'));
    }
    const TReportNotice notice = WriteDesignWageCsv(twoDesigns());
    QCOMPARE(notice.text, QStringLiteral("CSVデレクトリに賃金表が出力されました。"));
    const QByteArray bytes = readFile(DesignCsvPath());
    QVERIFY(!bytes.contains('x'));
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), 3 + 31 + 1);
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QString text;
    QVERIFY(DecodeCp932(bytes, text));
    QVERIFY(text.startsWith(QStringLiteral("昇給カーブ試案\r\n,設計１,,,設計２,")));
    QVERIFY(text.contains(QStringLiteral("\r\n22,180000,100,30,250000,100,0,0,0,0,0,0,0,0,0\r\n")));
}

void TstDesignReport::goldenFiles() {
    TestProgram p;
    openSample();
    QCOMPARE(WriteDesignWageCsv(twoDesigns()).icon, MsgIcon::Information);
    compareGolden(readFile(DesignCsvPath()), QStringLiteral("design.csv"));
    QVERIFY(PrintDesignWageTable(twoDesigns(), kReportDate).text.isEmpty());
    compareGolden(DumpWorkFile(G().gPreviewFile).toUtf8(), QStringLiteral("design_workfile.txt"));
}

QTEST_MAIN(TstDesignReport)
#include "tst_design_report.moc"
