// The matrix check: how the employees linked to a matrix's bands spread over its evaluations
// and zones after the raise, read from the project and shown in the grid.

#include "band_loaders.h"
#include "employee_store.h"
#include "matrix_check.h"
#include "screen_kit.h"
#include "state.h"
#include "test_program.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

// Matrix 9 "試験マトリクス", two zones: evaluation 2 (A) 5 % and 3 %, evaluation 3 (B) 2 % and
// 1 %. Bands 10 and 11 both use it, zones 100,000-200,000-300,000, rounding to hundreds.
constexpr int kMatrix = 9;

void addTestMatrix() {
    exec(DM().ACN2, QStringLiteral("insert into MATRIXID (KCO, NENDO, MATRIXID, NAME, TEIGI, "
                                   "ZONESU) values (1, 2018, 9, '試験マトリクス', '', 2)"));
    exec(DM().ACN2, QStringLiteral("insert into MATRIXCELL (KCO, NENDO, MATRIXID, YHYOUKA, UP1, "
                                   "UP2, UP3, UP4, UP5) values (1, 2018, 9, 2, 5, 3, 0, 0, 0), "
                                   "(1, 2018, 9, 3, 2, 1, 0, 0, 0)"));
    for (int band : {10, 11})
        exec(DM().ACN2,
             QStringLiteral("insert into BANDM values (1, 2018, %1, '試験%1', '', 9, "
                            "'役割給バンド', 1, 200000, -50, 50, 3.00, 100000, 100000, 200000, "
                            "200000, 300000, 0, 0, 0, 0, 0, 0)")
                 .arg(band));
}

// An employee whose base pay item `link` is `pay` (the other items are far outside the band).
void addEmployee(int sco, int band, int newEvaluation, int pay, int link = 1) {
    int kkyu[4] = {0, 999999, 999999, 999999};
    if (link >= 1 && link <= 3) kkyu[link] = pay;
    exec(DM().ACN2, QStringLiteral("insert into MSYAIN1 (KCO, HSCO, SCO, NENDO, MLINK, BANDID, "
                                   "YHYOUKA, NEWBANDID, NEWYHYOUKA) values (1, 0, %1, 2018, %2, "
                                   "%3, %4, %3, %4)")
                        .arg(sco)
                        .arg(link)
                        .arg(band)
                        .arg(newEvaluation));
    exec(DM().ACN2, QStringLiteral("insert into MSYAIN2 (KCO, SCO, NENDO, KKYU1, KKYU2, KKYU3) "
                                   "values (1, %1, 2018, %2, %3, %4)")
                        .arg(sco)
                        .arg(kkyu[1])
                        .arg(kkyu[2])
                        .arg(kkyu[3]));
}

// Four employees of A and six of B; after the raise five lie in zone 1 and five in zone 2.
// `secondBand` puts every other one into band 11; some link their second pay item.
void addTenEmployees(bool secondBand) {
    const int pays[10][2] = {{2, 150000}, {2, 160000}, {2, 250000}, {2, 260000}, {3, 150000},
                             {3, 170000}, {3, 180000}, {3, 250000}, {3, 260000}, {3, 270000}};
    for (int i = 0; i < 10; ++i)
        addEmployee(9001 + i, secondBand && i % 2 ? 11 : 10, pays[i][0], pays[i][1], i % 3 ? 1 : 2);
}

void loadTables() {
    LoadBandTbl();
    LoadMatTbl();
}

QTableWidget *gridOf(TfrmMatCheck &dlg) {
    return find<QTableWidget>(dlg, "StringGrid1");
}

QString bandName(TfrmMatCheck &dlg) {
    return find<QLineEdit>(dlg, "txtBANDNAME")->text();
}

QString text(QTableWidget *grid, int row, int column) {
    const QTableWidgetItem *cell = grid->item(row, column);
    return cell ? cell->text() : QStringLiteral("<none>");
}

QStringList rowTexts(QTableWidget *grid, int row) {
    QStringList out;
    for (int c = 0; c < grid->columnCount(); ++c)
        out << text(grid, row, c);
    return out;
}

QString span(QTableWidget *grid, int row, int column) {
    return QStringLiteral("%1x%2")
        .arg(grid->rowSpan(row, column))
        .arg(grid->columnSpan(row, column));
}

// The number of a "12.34%" cell.
double percent(QTableWidget *grid, int row, int column) {
    QString t = text(grid, row, column);
    t.chop(1);
    return QLocale::c().toDouble(t);
}

int linkedCount(int matrixId) {
    return SqlValue(DM().ACN2,
                    QStringLiteral("select count(*) from VSYAIN where KCO = 1 and NENDO = 2018 "
                                   "and MATRIXID = %1 and MLINK <> 0")
                        .arg(matrixId))
        .toInt();
}

void open(TfrmMatCheck &dlg, int matrixId) {
    dlg.prepare(matrixId);
    showActive(dlg);
}

} // namespace

class Tst_matrix_check : public QObject {
    Q_OBJECT
private slots:
    void spreadOfTenEmployees_data();
    void spreadOfTenEmployees();
    void outsideCountsOnce();
    void noLinkedEmployee();
    void matrixNotInTheTable();
    void sampleMatrixSharedByThreeBands();
    void linkedEmployeesOfAMatrix();
    void copyPutsTheWindowOnTheClipboard();
};

void Tst_matrix_check::spreadOfTenEmployees_data() {
    QTest::addColumn<bool>("secondBand");
    QTest::newRow("one band") << false;
    // Each employee counts once, not once per band of the matrix.
    QTest::newRow("two bands of the matrix") << true;
}

void Tst_matrix_check::spreadOfTenEmployees() {
    QFETCH(bool, secondBand);
    TestProgram p;
    openSample();
    addTestMatrix();
    addTenEmployees(secondBand);
    addEmployee(9100, 10, 2, 150000, 0); // not linked: not counted
    loadTables();

    TfrmMatCheck dlg;
    open(dlg, kMatrix);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("マトリクスの検証"));
    QCOMPARE(find<QPushButton>(dlg, "btnClose")->text(), QStringLiteral("閉じる"));
    QCOMPARE(find<QPushButton>(dlg, "btnCopy")->text(), QStringLiteral("コピー"));
    QVERIFY(find<QLineEdit>(dlg, "txtBANDNAME")->isReadOnly());
    QVERIFY(dlg.width() <= kScreenBudget.width() && dlg.height() <= kScreenBudget.height());
    QCOMPARE(bandName(dlg), QStringLiteral("  試験マトリクス 人数 10名"));

    QTableWidget *grid = gridOf(dlg);
    QCOMPARE(grid->columnCount(), 5);
    QCOMPARE(grid->rowCount(), 8);
    QCOMPARE(grid->columnWidth(0), 40);
    QCOMPARE(grid->columnWidth(1), 40);
    QVERIFY(grid->columnWidth(2) >= 50);
    QVERIFY(grid->columnWidth(3) >= 60);
    // Every figure shows whole, the widest there is too.
    const int widest = grid->fontMetrics().horizontalAdvance(QStringLiteral("100.00%"));
    for (int c = 2; c < grid->columnCount(); ++c)
        QVERIFY2(grid->columnWidth(c) > widest + 6, qPrintable(QString::number(c)));
    QCOMPARE(rowTexts(grid, 1), QStringList({"", "", "", "1", "2"}));
    QCOMPARE(rowTexts(grid, 2), QStringList({"", "", "", "50.00%", "50.00%"}));
    QCOMPARE(rowTexts(grid, 3), QStringList({"", "A", "40.00%", "5.00%", "3.00%"}));
    QCOMPARE(rowTexts(grid, 4), QStringList({"", "", "", "1.00%", "0.60%"}));
    QCOMPARE(rowTexts(grid, 5), QStringList({"", "B", "60.00%", "2.00%", "1.00%"}));
    QCOMPARE(rowTexts(grid, 6), QStringList({"", "", "", "0.60%", "0.30%"}));
    QCOMPARE(rowTexts(grid, 7), QStringList({"", "", "", "合計", "2.50%"}));

    // Captions over the fixed cells, and every evaluation's two rows merged in columns 0-2.
    QCOMPARE(find<QLabel>(dlg, "pnlMatrix")->text(), QStringLiteral("昇給マトリクス"));
    QCOMPARE(find<QLabel>(dlg, "pnlZoneNo")->text(), QStringLiteral("ゾーン番号"));
    QCOMPARE(find<QLabel>(dlg, "pnlHyouka")->text(), QStringLiteral("評価\n段階"));
    QCOMPARE(grid->cellWidget(0, 0), find<QLabel>(dlg, "pnlMatrix"));
    QCOMPARE(grid->cellWidget(0, 3), find<QLabel>(dlg, "pnlZoneNo"));
    QCOMPARE(grid->cellWidget(3, 0), find<QLabel>(dlg, "pnlHyouka"));
    QCOMPARE(span(grid, 0, 0), QStringLiteral("3x3"));
    QCOMPARE(span(grid, 0, 3), QStringLiteral("1x2"));
    QCOMPARE(span(grid, 3, 0), QStringLiteral("4x1"));
    QCOMPARE(span(grid, 3, 1), QStringLiteral("2x1"));
    QCOMPARE(span(grid, 5, 2), QStringLiteral("2x1"));
    QCOMPARE(grid->item(3, 2)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(grid->item(1, 3)->textAlignment(), int(Qt::AlignCenter));

    click(dlg, "btnClose");
    QVERIFY(!dlg.isVisible());
}

// An employee of the second band whose raise reaches the band's top lies in no zone: counted
// once in the total and outside, in no zone.
void Tst_matrix_check::outsideCountsOnce() {
    TestProgram p;
    openSample();
    addTestMatrix();
    addTenEmployees(true);
    addEmployee(9011, 11, 2, 295000);
    loadTables();
    TfrmMatCheck dlg;
    open(dlg, kMatrix);
    QCOMPARE(bandName(dlg), QStringLiteral("  試験マトリクス 人数 11名 範囲外 = (1)"));
    QTableWidget *grid = gridOf(dlg);
    QCOMPARE(rowTexts(grid, 2), QStringList({"", "", "", "45.45%", "45.45%"}));
    QCOMPARE(text(grid, 3, 2), QStringLiteral("36.36%"));
    QCOMPARE(text(grid, 5, 2), QStringLiteral("54.55%"));
}

void Tst_matrix_check::noLinkedEmployee() {
    TestProgram p;
    openSample();
    addTestMatrix();
    addEmployee(9100, 10, 2, 150000, 0);
    loadTables();
    TfrmMatCheck dlg;
    open(dlg, kMatrix);
    QCOMPARE(bandName(dlg), QStringLiteral("  試験マトリクス 人数 0名"));
    QTableWidget *grid = gridOf(dlg);
    QCOMPARE(grid->rowCount(), 8);
    QCOMPARE(rowTexts(grid, 1), QStringList({"", "", "", "1", "2"}));
    QCOMPARE(text(grid, 3, 1), QStringLiteral("A"));
    QCOMPARE(text(grid, 5, 1), QStringLiteral("B"));
    // No figures.
    for (int r = 2; r < grid->rowCount(); ++r)
        for (int c = 2; c < grid->columnCount(); ++c)
            QVERIFY2(text(grid, r, c).isEmpty(), qPrintable(QStringLiteral("%1,%2").arg(r).arg(c)));
}

// A matrix without a group in the matrix table (none loaded, or an id without bands) shows an
// empty grid and the count, without figures.
void Tst_matrix_check::matrixNotInTheTable() {
    TestProgram p;
    openSample();
    G().gMatTbl = TMATTBL{};
    LoadBandTbl();
    {
        TfrmMatCheck dlg;
        open(dlg, 1);
        QCOMPARE(bandName(dlg), QStringLiteral("   人数 %1名").arg(linkedCount(1)));
        QVERIFY(linkedCount(1) > 0);
        QCOMPARE(gridOf(dlg)->rowCount(), 4);
        QCOMPARE(gridOf(dlg)->columnCount(), 3);
    }
    loadTables();
    TfrmMatCheck dlg;
    open(dlg, 99);
    QCOMPARE(bandName(dlg), QStringLiteral("   人数 0名"));
    QCOMPARE(gridOf(dlg)->rowCount(), 4);
}

// The sample's 管理職 matrix (five zones) is shared by three bands. The shares are those of its
// employees: zone and evaluation shares add up to the part inside the zones, and the total is
// the sum of the evaluations' zone shares.
void Tst_matrix_check::sampleMatrixSharedByThreeBands() {
    TestProgram p;
    openSample();
    loadTables();
    const int total = linkedCount(3);
    QVERIFY(total > 0);
    TfrmMatCheck dlg;
    open(dlg, 3);
    QTableWidget *grid = gridOf(dlg);
    QCOMPARE(grid->columnCount(), 8);
    QCOMPARE(grid->rowCount(), 14);
    const QString expected = QStringLiteral("  管理職マトリクス 人数 %1名").arg(total);
    QVERIFY2(bandName(dlg).startsWith(expected), qPrintable(bandName(dlg)));
    int outside = 0;
    if (bandName(dlg) != expected) {
        const QString rest = bandName(dlg).mid(expected.size());
        QVERIFY2(rest.startsWith(QStringLiteral(" 範囲外 = (")), qPrintable(rest));
        outside = rest.mid(8).chopped(1).toInt();
    }
    const double inside = 100.0 * (total - outside) / total;

    double zones = 0;
    for (int c = 3; c < 8; ++c)
        zones += percent(grid, 2, c);
    QVERIFY2(qAbs(zones - inside) < 0.05, qPrintable(QString::number(zones)));
    double evaluations = 0;
    double sum = 0;
    QStringList symbols;
    for (int j = 0; j < 5; ++j) {
        symbols << text(grid, 2 * j + 3, 1);
        evaluations += percent(grid, 2 * j + 3, 2);
        for (int c = 3; c < 8; ++c)
            sum += percent(grid, 2 * j + 4, c);
    }
    QCOMPARE(symbols, QStringList({"S", "A", "B", "C", "D"}));
    QVERIFY2(qAbs(evaluations - inside) < 0.05, qPrintable(QString::number(evaluations)));
    QCOMPARE(text(grid, 13, 6), QStringLiteral("合計"));
    QVERIFY(percent(grid, 13, 7) > 0);
    QVERIFY2(qAbs(percent(grid, 13, 7) - sum) < 0.15, qPrintable(QString::number(sum)));
}

void Tst_matrix_check::linkedEmployeesOfAMatrix() {
    TestProgram p;
    openSample();
    addTestMatrix();
    addEmployee(9001, 10, 2, 150000, 1);
    addEmployee(9002, 11, 3, 160000, 3);
    addEmployee(9003, 10, 2, 170000, 0); // not linked
    addEmployee(9004, 10, 3, 180000, 4); // a link that names no item
    addEmployee(9005, 5, 2, 190000, 1);  // a band of another matrix
    const std::vector<TMatrixLinkedEmployee> rows = MatrixLinkedEmployees(kMatrix);
    QStringList got;
    for (const TMatrixLinkedEmployee &e : rows)
        got << QStringLiteral("%1 %2 %3 %4")
                   .arg(e.band)
                   .arg(e.newEvaluation)
                   .arg(e.link)
                   .arg(e.linkedPay());
    QCOMPARE(got, QStringList({"10 2 1 150000", "11 3 3 160000", "10 3 4 0"}));
}

void Tst_matrix_check::copyPutsTheWindowOnTheClipboard() {
    TestProgram p;
    openSample();
    loadTables();
    TfrmMatCheck dlg;
    open(dlg, 1);
    QGuiApplication::clipboard()->clear();
    click(dlg, "btnCopy");
    const QImage copied = QGuiApplication::clipboard()->image();
    QVERIFY(!copied.isNull());
    QCOMPARE(copied.size(), dlg.size());
    QVERIFY(shown(p.messages).isEmpty());
}

QTEST_MAIN(Tst_matrix_check)
#include "tst_matrix_check.moc"
