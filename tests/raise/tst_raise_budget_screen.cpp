// The raise budget screen on the sample company: the budget kept per project, the figures of
// a band, the fit to the budget and its writing to the matrices, the lists opening the raise
// input, the report and the CSV file.

#include "budget_store.h"
#include "csv_text.h"
#include "group_report.h"
#include "raise_budget_chart.h"
#include "raise_budget_screen.h"
#include "raise_input.h"
#include "screen_kit.h"
#include "state.h"
#include "tdm.h"
#include "test_program.h"
#include "utilities.h"
#include "work_file.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <functional>

namespace {

const QString kProject = QStringLiteral(" KCO = 1 AND NENDO = 2018");
const QString kMsgInvalid = QStringLiteral("有効な数字を入力して下さい。");
const QString kAskApply = QStringLiteral(
    "すべてのマトリクスの昇給率を調整後の値（小数2桁）に書き換えます。\r\nよろしいですか？");
const QString kMsgApplied = QStringLiteral("マトリクスの昇給率を書き換えました。");
const QString kMsgBelowReach =
    QStringLiteral("昇給率をすべて0にしても昇給予定が原資を超えます（マトリクス以外の昇給）。");

// The screen with the screens it opens recorded instead of shown.
class TestedBudget : public TfrmRaiseBudget {
public:
    QStringList opened;
    int raiseInputCode = -1;

protected:
    int ShowModal(QDialog *dialog) override {
        opened << QString::fromLatin1(dialog->metaObject()->className());
        if (auto *input = qobject_cast<TNX3010 *>(dialog)) raiseInputCode = input->currentCode();
        return QDialog::Rejected;
    }
};

QStringList matrixRows() {
    return SqlRows(DM().ACN2, QStringLiteral("SELECT * FROM MATRIXCELL ORDER BY rowid"));
}

QString labelText(QWidget &dlg, const char *name) {
    return find<QLabel>(dlg, QLatin1String(name))->text();
}

QStringList rowTexts(QTableWidget *grid, int row) {
    QStringList out;
    for (int c = 0; c < grid->columnCount(); ++c)
        out << (grid->item(row, c) ? grid->item(row, c)->text() : QString());
    return out;
}

// The raise total of the group raise reports over every employee of the project.
qint64 reportRaiseTotal() {
    const TReportData data = ReadReportData(TReportRange{});
    qint64 total = 0;
    for (const TEmployeeFigures &f : data.figures)
        total += f.pay.raise();
    return total;
}

void setBudget(TfrmRaiseBudget &dlg, qint64 amount) {
    typeInto(find<QLineEdit>(dlg, "txtBudgetAmount"), QString::number(amount));
    leaveTo(find<QLineEdit>(dlg, "txtBudgetRate"));
}

} // namespace

class TstRaiseBudgetScreen : public QObject {
    Q_OBJECT
private slots:
    void sampleBandByHand();
    void plannedTotalIsThatOfTheGroupReports();
    void budgetOfThePlannedTotalLeavesNoDifference();
    void budgetIsKeptPerProject();
    void invalidBudgetIsRefused_data();
    void invalidBudgetIsRefused();
    void fitLeavesTheMatricesUntilApplied();
    void applyRefusedOnFailingWrite();
    void fitOutOfReachIsTold();
    void projectWithoutBands();
    void doubleClickOpensTheRaiseInput();
    void csvFile();
    void printShowsThePreview();
    void pictureNamesTheEmployee();
    void fitsTheScreen();
};

void TstRaiseBudgetScreen::sampleBandByHand() {
    TestProgram p;
    openSample();
    TestedBudget dlg;
    dlg.prepare();
    // Band 7 部長: base wage 200,000, 140,000 to 260,000 in five zones of 24,000, matrix 3,
    // hundreds of yen; item 2 linked, item 1 from the wage table. Its six employees (pay of
    // item 2, role evaluation, zone, rate, new pay; raise of item 1 + item 2):
    //   245,400  4  zone 5  0.5 %  246,600          3,900 + 1,200 = 5,100
    //   259,000  4  zone 5  0.5 %  260,300 -> 260,000  3,900 + 1,000 = 4,900
    //   219,400  3  zone 4  1 %    221,600          5,200 + 2,200 = 7,400
    //   172,300  3  zone 2  2.5 %  176,600          5,200 + 4,300 = 9,500
    //   218,300  3  zone 4  1 %    220,500          5,200 + 2,200 = 7,400
    //   259,000  2  zone 5  1 %    261,600 -> 260,000  5,200 + 1,000 = 6,200
    // Pay 1,373,400: average 228,900, compa-ratio 1,373,400 / 200,000 / 6 = 1.1445, penetration
    // (1,373,400 - 6 x 140,000) / 120,000 / 6 = 0.7408; raise 40,500 of a fixed pay of
    // 4,098,200 = 0.988 %. Nobody lies outside the band.
    auto *grid = find<QTableWidget>(dlg, "grdBands");
    QCOMPARE(grid->item(6, 0)->text(), QStringLiteral("部長"));
    QCOMPARE(rowTexts(grid, 6),
             QStringList({"部長", "6", "200,000", "140,000", "260,000", "228,900", "1.14", "74%",
                          "0", "0", "40,500", "0.99%"}));
    const TBandPosition &band = dlg.data().position.bands[6];
    QCOMPARE(band.raiseTotal, qint64(40500));
    QCOMPARE(band.fixedTotal, qint64(4098200));
    QVERIFY(qFuzzyCompare(band.averageCompa(), 1.1445));
    QVERIFY(p.messages.entries.isEmpty());
}

void TstRaiseBudgetScreen::plannedTotalIsThatOfTheGroupReports() {
    TestProgram p;
    openSample();
    TestedBudget dlg;
    dlg.prepare();
    const qint64 planned = reportRaiseTotal();
    QVERIFY(planned != 0);
    QCOMPARE(dlg.data().position.raiseTotal, planned);
    QCOMPARE(labelText(dlg, "labRaiseTotal"), FormatAmount(planned) + QStringLiteral(" 円"));
    // The per-band lines and the lines of their own add up to the total line.
    auto *grid = find<QTableWidget>(dlg, "grdBands");
    qint64 sum = 0;
    for (int r = 0; r + 1 < grid->rowCount(); ++r)
        sum += grid->item(r, 10)->text().remove(QLatin1Char(',')).toLongLong();
    QCOMPARE(sum, planned);
    QCOMPARE(grid->item(grid->rowCount() - 1, 10)->text(), FormatAmount(planned));
}

void TstRaiseBudgetScreen::budgetOfThePlannedTotalLeavesNoDifference() {
    TestProgram p;
    openSample();
    TestedBudget dlg;
    dlg.prepare();
    showActive(dlg);
    const qint64 planned = dlg.data().position.raiseTotal;
    setBudget(dlg, planned - 1);
    QCOMPARE(labelText(dlg, "labDifference"), QStringLiteral("+1 円"));
    QCOMPARE(find<QLabel>(dlg, "labDifference")->palette().color(QPalette::WindowText),
             QColor(200, 30, 30));
    setBudget(dlg, planned);
    QVERIFY(shown(p.messages).isEmpty());
    QCOMPARE(labelText(dlg, "labDifference"), QStringLiteral("0 円"));
    QCOMPARE(find<QLabel>(dlg, "labDifference")->palette().color(QPalette::WindowText),
             QColor(20, 110, 50));
    QCOMPARE(SqlRows(DM().ACN2, "SELECT GKUBUN, GGAKU FROM MGENSHI WHERE" + kProject),
             QStringList{QStringLiteral("1|%1").arg(planned)});
}

void TstRaiseBudgetScreen::budgetIsKeptPerProject() {
    TestProgram p;
    openSample();
    qint64 fixed = 0;
    {
        TestedBudget dlg;
        dlg.prepare();
        showActive(dlg);
        fixed = dlg.data().position.fixedTotal;
        typeInto(find<QLineEdit>(dlg, "txtBudgetRate"), QStringLiteral("2.5"));
        leaveTo(find<QLineEdit>(dlg, "txtBudgetAmount"));
        // The amount follows from the percentage.
        QCOMPARE(find<QLineEdit>(dlg, "txtBudgetAmount")->text(),
                 FormatAmount(ToInt64(RoundHalfUp(1, fixed * 0.025))));
    }
    TestedBudget again;
    again.prepare();
    QCOMPARE(find<QLineEdit>(again, "txtBudgetRate")->text(), QStringLiteral("2.50"));
    QCOMPARE(again.budgetAmount(), ToInt64(RoundHalfUp(1, fixed * 0.025)));
    // Another year of the company has a budget of its own.
    openSample(1, 2017);
    QCOMPARE(ReadRaiseBudget().percent, 0.0);
}

void TstRaiseBudgetScreen::invalidBudgetIsRefused_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("letters") << "abc" << kMsgInvalid;
    QTest::newRow("two points") << "1.2.3" << kMsgInvalid;
    QTest::newRow("negative") << "-5" << QStringLiteral("０以上の値を入力して下さい。");
}

void TstRaiseBudgetScreen::invalidBudgetIsRefused() {
    QFETCH(QString, text);
    TestProgram p;
    openSample();
    TestedBudget dlg;
    dlg.prepare();
    showActive(dlg);
    auto *rate = find<QLineEdit>(dlg, "txtBudgetRate");
    typeInto(rate, text);
    leaveTo(find<QLineEdit>(dlg, "txtBudgetAmount"));
    QTEST(shown(p.messages).join(QLatin1Char('|')), "message");
    QCOMPARE(QApplication::focusWidget(), rate);
    QCOMPARE(SqlValue(DM().ACN2, "SELECT count(*) FROM MGENSHI"), QStringLiteral("0"));
}

void TstRaiseBudgetScreen::fitLeavesTheMatricesUntilApplied() {
    TestProgram p;
    openSample();
    TestedBudget dlg;
    dlg.prepare();
    showActive(dlg);
    const qint64 planned = dlg.data().position.raiseTotal;
    const qint64 budget = planned * 9 / 10;
    setBudget(dlg, budget);
    const QStringList before = matrixRows();
    QVERIFY(!before.isEmpty());

    click(dlg, "btnFit");
    QVERIFY(shown(p.messages).isEmpty());
    QCOMPARE(dlg.fit().result, TBudgetFit::Fitted);
    QVERIFY(dlg.fit().factor > 0.0 && dlg.fit().factor < 1.0);
    const qint64 linked = static_cast<qint64>(dlg.data().position.points.size());
    const qint64 unit = G().gBandTbl.Marume == 0 ? 10 : G().gBandTbl.Marume == 1 ? 100 : 1000;
    QVERIFY(dlg.fit().fittedTotal <= budget);
    QVERIFY(budget - dlg.fit().fittedTotal <= unit * linked);
    QCOMPARE(matrixRows(), before);
    // The scaled rates are shown beside the current ones.
    auto *matrices = find<QTableWidget>(dlg, "grdMatrices");
    QCOMPARE(matrices->item(0, 7)->text(),
             QString::number(
                 ScaledRate(matrices->item(0, 2)->text().chopped(1).toDouble(), dlg.fit().factor),
                 'f', 2) +
                 QLatin1Char('%'));

    // No leaves everything as it was.
    click(dlg, "btnApply");
    QCOMPARE(shown(p.messages), QStringList{kAskApply});
    QCOMPARE(matrixRows(), before);

    p.messages.clear();
    const std::vector<TMatrixCellRow> old = ProjectMatrixCells();
    const double factor = dlg.fit().factor;
    const qint64 applied = dlg.fit().appliedTotal;
    p.messages.answer(true);
    click(dlg, "btnApply");
    QCOMPARE(shown(p.messages), (QStringList{kAskApply, kMsgApplied}));
    const std::vector<TMatrixCellRow> now = ProjectMatrixCells();
    QCOMPARE(now.size(), old.size());
    for (size_t i = 0; i < now.size(); ++i)
        for (int z = 1; z <= 5; ++z)
            QCOMPARE(now[i].up[z], ScaledRate(old[i].up[z], factor));
    // The screen now computes with the stored rates: the total the fit announced.
    QCOMPARE(dlg.data().position.raiseTotal, applied);
    QCOMPARE(reportRaiseTotal(), applied);
    QVERIFY(!dlg.fitted());
}

void TstRaiseBudgetScreen::applyRefusedOnFailingWrite() {
    TestProgram p;
    openSample();
    TestedBudget dlg;
    dlg.prepare();
    showActive(dlg);
    setBudget(dlg, dlg.data().position.raiseTotal * 95 / 100);
    click(dlg, "btnFit");
    QCOMPARE(dlg.fit().result, TBudgetFit::Fitted);
    const QStringList before = matrixRows();
    // The last row's update fails, after the others went through.
    RefuseWrites(DM().ACN2, "FAIL_UPD", "UPDATE", "MATRIXCELL",
                 "OLD.rowid = (SELECT max(rowid) FROM MATRIXCELL)");
    p.messages.answer(true);
    click(dlg, "btnApply");
    QCOMPARE(shown(p.messages), (QStringList{kAskApply, kMsgSqlUnknown}));
    QCOMPARE(matrixRows(), before);
    QVERIFY(dlg.fitted());
}

void TstRaiseBudgetScreen::fitOutOfReachIsTold() {
    TestProgram p;
    openSample();
    TestedBudget dlg;
    dlg.prepare();
    showActive(dlg);
    // Half the plan is less than the raises no matrix rate changes (the wage-table items).
    setBudget(dlg, dlg.data().position.raiseTotal / 2);
    const QStringList before = matrixRows();
    click(dlg, "btnFit");
    QCOMPARE(shown(p.messages), QStringList{kMsgBelowReach});
    QCOMPARE(dlg.fit().result, TBudgetFit::BelowReach);
    QVERIFY(!find<QPushButton>(dlg, "btnApply")->isEnabled());
    dlg.btnApplyClick();
    QCOMPARE(shown(p.messages).last(),
             QStringLiteral("先に「原資に合わせる」で係数を求めて下さい。"));
    QCOMPARE(matrixRows(), before);
}

void TstRaiseBudgetScreen::projectWithoutBands() {
    TestProgram p;
    openSample();
    exec(DM().ACN2, "DELETE FROM BANDM");
    TestedBudget dlg;
    dlg.prepare();
    showActive(dlg);
    QVERIFY(p.messages.entries.isEmpty());
    QVERIFY(dlg.data().bands.empty());
    auto *grid = find<QTableWidget>(dlg, "grdBands");
    // No band lines: only the employees outside every band and the total.
    for (int r = 0; r + 1 < grid->rowCount(); ++r)
        QVERIFY(grid->item(r, 0)->text() == kNoBandLabel ||
                grid->item(r, 0)->text() == kUnlinkedLabel);
    QCOMPARE(grid->item(grid->rowCount() - 1, 0)->text(), kTotalLabel);
    QCOMPARE(find<QTableWidget>(dlg, "grdAbove")->rowCount(), 0);
    QCOMPARE(find<QTableWidget>(dlg, "grdBelow")->rowCount(), 0);
    QVERIFY(!dlg.chartImage().isNull());
    click(dlg, "btnFit");
    QVERIFY(p.messages.entries.size() <= 1); // at most the note that the budget is out of reach
}

void TstRaiseBudgetScreen::doubleClickOpensTheRaiseInput() {
    TestProgram p;
    openSample();
    // The first linked employee of a band: its linked item is lifted above the band's maximum.
    const QStringList linked =
        SqlRows(DM().ACN2, "SELECT SCO, MLINK FROM MSYAIN1 WHERE MLINK BETWEEN 1 AND 3 AND "
                           "NEWBANDID IN (SELECT BANDID FROM BANDM) AND" +
                               kProject + " ORDER BY SCO LIMIT 1");
    QCOMPARE(linked.size(), 1);
    const QString sco = linked[0].section('|', 0, 0);
    exec(DM().ACN2, "UPDATE MSYAIN2 SET KKYU" + linked[0].section('|', 1, 1) +
                        " = 9000000 WHERE SCO = " + sco + " AND" + kProject);
    TestedBudget dlg;
    dlg.prepare();
    showActive(dlg);
    auto *above = find<QTableWidget>(dlg, "grdAbove");
    int row = -1;
    for (int r = 0; r < above->rowCount(); ++r)
        if (dlg.data().employees[dlg.data().position.above[r].employee].sco == sco.toInt()) row = r;
    QVERIFY(row >= 0);
    QCOMPARE(above->item(row, 3)->text(), QStringLiteral("9,000,000"));
    dlg.grdAboveDblClick(row);
    QCOMPARE(dlg.opened, QStringList{"TNX3010"});
    QCOMPARE(dlg.raiseInputCode, sco.toInt());
}

void TstRaiseBudgetScreen::csvFile() {
    TestProgram p;
    openSample();
    TestedBudget dlg;
    dlg.prepare();
    showActive(dlg);
    click(dlg, "cdCsv");
    QVERIFY(!QFile::exists(BudgetCsvPath()));
    p.messages.clear();
    p.messages.answer(true);
    click(dlg, "cdCsv");
    QCOMPARE(shown(p.messages).value(1),
             QStringLiteral("CSVデレクトリに昇給原資とポジションが出力されました。"));
    QFile file(BudgetCsvPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QString text;
    QVERIFY(DecodeCp932(file.readAll(), text));
    QCOMPARE(text, BudgetCsvText(dlg.data()));
    QVERIFY(text.startsWith(BandTableHeadings().join(QLatin1Char(',')) + "\r\n"));
}

void TstRaiseBudgetScreen::printShowsThePreview() {
    TestProgram p;
    openSample();
    TestedBudget dlg;
    dlg.prepare();
    showActive(dlg);
    click(dlg, "btnPrint");
    QVERIFY(shown(p.messages).isEmpty());
    QCOMPARE(dlg.opened, QStringList{"TfrmPrintPreview"});
    QVERIFY(QFile::exists(G().gPreviewFile));
    const QString dump = DumpWorkFile(G().gPreviewFile);
    QVERIFY(dump.contains(kBudgetTitle));
    QVERIFY(dump.contains(dlg.data().bands.front().name));
    QVERIFY(dump.contains(FormatAmount(dlg.data().position.raiseTotal)));
    // The picture on the first page, the figures in the summary as the screen shows them.
    QVERIFY(dump.section(QStringLiteral("page 2"), 0, 0).contains(QStringLiteral("  picture ")));
    QVERIFY(dump.contains(QStringLiteral("原資との差額 +%1円（超過）")
                              .arg(FormatAmount(dlg.data().position.raiseTotal))));
}

void TstRaiseBudgetScreen::pictureNamesTheEmployee() {
    TestProgram p;
    openSample();
    TestedBudget dlg;
    dlg.prepare();
    showActive(dlg);
    const TBudgetReportData &data = dlg.data();
    QVERIFY(!data.position.points.empty());
    auto *view = dlg.findChild<QWidget *>(QStringLiteral("imgPosition"));
    const BudgetChartLayout layout = LayOutBudgetChart(view->size(), data.bands, data.position);
    const int last = static_cast<int>(data.position.points.size()) - 1;
    const QPoint at = layout.points[last].toPoint();
    // Dots may overlap: the nearest one under the mouse is named.
    const int n = BudgetChartPointAt(layout, at);
    QVERIFY(n >= 0);
    const TBudgetEmployee &e = data.employees[data.position.points[n].employee];
    const QString tip = dlg.chartToolTip(at);
    QVERIFY2(tip.contains(e.code + QStringLiteral("　") + e.name), qPrintable(tip));
    QVERIFY(dlg.chartToolTip(QPoint(1, 1)).isEmpty());
    QCOMPARE(dlg.chartImage().size(), view->size());
}

void TstRaiseBudgetScreen::fitsTheScreen() {
    TestProgram p;
    openSample();
    TestedBudget dlg;
    dlg.prepare();
    QVERIFY(dlg.width() <= kScreenBudget.width() && dlg.height() <= kScreenBudget.height());
    QVERIFY(dlg.minimumSizeHint().width() <= kScreenBudget.width());
    QVERIFY(dlg.minimumSizeHint().height() <= kScreenBudget.height());
}

QTEST_MAIN(TstRaiseBudgetScreen)
#include "tst_raise_budget_screen.moc"
