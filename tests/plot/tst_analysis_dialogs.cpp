// The analysis dialogs on the sample company: the settings rows made at first use, kept and
// restored, the point set built by "分　析" with its filters and axis ranges, the refusals, the
// hand-over to the plot window with the regression curves of the raise-curve analysis, and the
// analysis result window.

#include "analysis_dialog.h"
#include "chart_store.h"
#include "plot_window.h"
#include "result_window.h"
#include "screen_test.h"
#include "state.h"
#include "test_program.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <memory>

namespace {

const QString kMsgNoData = QStringLiteral("グラフに表示するデータがありません。");
const QString kProject = QStringLiteral(" WHERE KCO = 1 AND NENDO = 2018");
// The sample employees a chart with every group and grade plots.
const QString kPlottable =
    QStringLiteral("SELECT SCO FROM VSYAIN WHERE KCO = 1 AND NENDO = 2018 AND MCO BETWEEN 1 AND 6 "
                   "AND TOUKYU BETWEEN 1 AND 9 ORDER BY SCO");

// The plot window with "後" recorded instead of shown.
class RecordingPlot : public TNX1100 {
protected:
    int ShowModal(QDialog *) override { return QDialog::Rejected; }
};

std::unique_ptr<TAnalysisDialog> makeDialog(int chart) {
    switch (chart) {
    case 1020: return std::make_unique<TNX1020>();
    case 1030: return std::make_unique<TNX1030>();
    case 1040: return std::make_unique<TNX1040>();
    default: return std::make_unique<TNX1010>();
    }
}

// A prepared and shown dialog of the chart.
std::unique_ptr<TAnalysisDialog> openDialog(int chart) {
    std::unique_ptr<TAnalysisDialog> dlg = makeDialog(chart);
    dlg->prepare();
    showActive(*dlg);
    return dlg;
}

void press(QWidget &dlg, const QString &name) {
    find<QAbstractButton>(dlg, name)->click();
    QCoreApplication::processEvents();
}

// Every group and grade chosen.
void chooseEveryone(QWidget &dlg) {
    click(dlg, QStringLiteral("btnPlotAll"));
    click(dlg, QStringLiteral("btnTokyuAll"));
}

QStringList pointCodes() {
    return SqlColumn(DM().ACN2, QStringLiteral("SELECT SCO FROM DCHART ORDER BY SCO"));
}

QStringList chartRows(int chart) {
    return SqlRows(DM().ACN2, QStringLiteral("SELECT * FROM MCHART") + kProject +
                                  QStringLiteral(" AND CHCO = %1 ORDER BY KNO").arg(chart));
}

void setEmployees(const QString &set, const QString &where) {
    exec(DM().ACN2, QStringLiteral("UPDATE MSYAIN2 SET ") + set + kProject + " AND " + where);
}

void setEmployees1(const QString &set, const QString &where) {
    exec(DM().ACN2, QStringLiteral("UPDATE MSYAIN1 SET ") + set + kProject + " AND " + where);
}

} // namespace

class TstAnalysisDialogs : public QObject {
    Q_OBJECT
private slots:
    void firstUseMakesSixRows_data();
    void firstUseMakesSixRows();
    void settingsAreKeptAndRestored();
    void modelWageDialogKeepsItsWorkType();
    void analyseBuildsThePointSetAndHandsOver();
    void excludedEmployeesAreNeverPlotted();
    void noDataLeavesThePointSet();
    void workTypeAddsItsCondition();
    void companySettingsRefusals_data();
    void companySettingsRefusals();
    void jobPointsAxis_data();
    void jobPointsAxis();
    void levelFieldTakesNumbersOnly();
    void raiseCurveAnalysisDrawsRegressionCurves();
    void resultWindowOfTheWagePlot();
    void closingClosesThePlotOfItsChartOnly();
};

void TstAnalysisDialogs::firstUseMakesSixRows_data() {
    QTest::addColumn<int>("chart");
    QTest::addColumn<int>("fy");
    QTest::addColumn<QString>("yRadio");
    QTest::addColumn<QString>("markRadio");
    QTest::newRow("1010") << 1010 << 0 << "optYKoumoku1" << "optMarkSeq";
    QTest::newRow("1020") << 1020 << 0 << "optYKoumoku1" << "optMarkSeq";
    QTest::newRow("1030") << 1030 << 2 << "optYKihon" << "optSeq";
    QTest::newRow("1040") << 1040 << 2 << "optYKihon" << "optMaskSeq";
}

void TstAnalysisDialogs::firstUseMakesSixRows() {
    QFETCH(int, chart);
    QFETCH(int, fy);
    QFETCH(QString, yRadio);
    QFETCH(QString, markRadio);
    TestProgram p;
    openSample();
    G().gPlotChart = 1010;
    G().gMarkLabelCount = 5;
    auto dlg = openDialog(chart);
    QCOMPARE(SqlColumn(DM().ACN2, QStringLiteral("SELECT KNO || ':' || FY || ':' || FCHK || ':' || "
                                                 "TOUKYU || ':' || TITLE FROM MCHART") +
                                      kProject + QStringLiteral(" AND CHCO = %1 ORDER BY KNO").arg(chart)),
             QStringList({"1:%1:0:0:", "2:%1:0:0:", "3:%1:0:0:", "4:%1:0:0:", "5:%1:0:0:",
                          "6:%1:0:0:"})
                 .replaceInStrings("%1", QString::number(fy)));
    QCOMPARE(G().gChartCode, chart);
    QCOMPARE(G().gPlotChart, 0);
    QCOMPARE(G().gMarkLabelCount, 0);
    QCOMPARE(G().gDataChanged, 0);
    QCOMPARE(G().gChartFy, fy);
    // 項目Ⅰ (or 基本給) against age, labels by employee code, nothing chosen.
    QVERIFY(find<QRadioButton>(*dlg, "optXNenrei")->isChecked());
    QVERIFY(find<QRadioButton>(*dlg, yRadio)->isChecked());
    QVERIFY(find<QRadioButton>(*dlg, markRadio)->isChecked());
    QVERIFY(find<QRadioButton>(*dlg, "optSalaryAll")->isChecked());
    for (int k = 1; k <= 6; ++k)
        QVERIFY(!find<QCheckBox>(*dlg, QStringLiteral("optPlot%1").arg(k))->isChecked());
    for (int k = 1; k <= 9; ++k)
        QVERIFY(!find<QCheckBox>(*dlg, QStringLiteral("optTokyu%1").arg(k))->isChecked());
    // The grade names and the project's marks and work types.
    QCOMPARE(find<QLineEdit>(*dlg, "txtTokyu1")->text(), G().gMkigyou2.Tk[1]);
    QCOMPARE(find<QLineEdit>(*dlg, "txtTokyu9")->text(), G().gMkigyou2.Tk[9]);
    QCOMPARE(find<QCheckBox>(*dlg, "optPlot2")->text(),
             G().gMarks[2].Mark + " " + G().gMarks[2].Hanrei);
    QCOMPARE(find<QRadioButton>(*dlg, "optSalary1")->text(), G().gSalaryTbl[1].SalaryName);
    // A second use reads the same rows and inserts none.
    const QStringList rows = chartRows(chart);
    dlg->prepare();
    QCOMPARE(chartRows(chart), rows);
    QCOMPARE(SqlValue(DM().ACN2, QStringLiteral("SELECT COUNT(*) FROM MCHART WHERE CHCO = %1").arg(chart)),
             QStringLiteral("6"));
}

void TstAnalysisDialogs::settingsAreKeptAndRestored() {
    TestProgram p;
    openSample();
    {
        auto dlg = openDialog(1020);
        typeInto(find<QLineEdit>(*dlg, "txtTitle"), QStringLiteral("O'Neil の分析"));
        press(*dlg, "optXKinzoku");
        press(*dlg, "optYSyotei");
        press(*dlg, "optMarkZone");
        press(*dlg, "optPlot2");
        press(*dlg, "optPlot5");
        press(*dlg, "optTokyu3");
        press(*dlg, "optTokyu8");
        press(*dlg, "optSalary3");
        press(*dlg, "opt3Jisiki");
        press(*dlg, "optGraph");
        find<QPlainTextEdit>(*dlg, "txtBikou")->setPlainText(QStringLiteral("解説'です"));
        typeInto(find<QLineEdit>(*dlg, "txtLevel1"), QStringLiteral("5"));
        typeInto(find<QLineEdit>(*dlg, "txtLevel2"), QStringLiteral("-2.5"));
        leaveTo(find<QLineEdit>(*dlg, "txtTitle"));
        QCOMPARE(G().gDataChanged, 1);
        click(*dlg, "btnClose");
        QVERIFY(!dlg->isVisible());
    }
    QCOMPARE(SqlColumn(DM().ACN2,
                       QStringLiteral("SELECT KNO || ':' || FCHK || TOUKYU || TOUKYU1 || ':' || FX || FY "
                                      "|| MARKR || ':' || FKINJI || CGRAPH || ':' || SJYUN1 || '/' || "
                                      "SJYUN2 || ':' || MIBUN || ':' || TITLE || ':' || KAISETSU "
                                      "FROM MCHART") +
                           kProject + " AND CHCO = 1020 ORDER BY KNO"),
             QStringList({"1:000:132:11:5/-2.5:3:O'Neil の分析:解説'です",
                          "2:101:132:11:5/-2.5:3:O'Neil の分析:解説'です",
                          "3:010:132:11:5/-2.5:3:O'Neil の分析:解説'です",
                          "4:000:132:11:5/-2.5:3:O'Neil の分析:解説'です",
                          "5:100:132:11:5/-2.5:3:O'Neil の分析:解説'です",
                          "6:000:132:11:5/-2.5:3:O'Neil の分析:解説'です"}));
    // A new use shows them again.
    auto dlg = openDialog(1020);
    QCOMPARE(find<QLineEdit>(*dlg, "txtTitle")->text(), QStringLiteral("O'Neil の分析"));
    QCOMPARE(find<QPlainTextEdit>(*dlg, "txtBikou")->toPlainText(), QStringLiteral("解説'です"));
    QVERIFY(find<QRadioButton>(*dlg, "optXKinzoku")->isChecked());
    QVERIFY(find<QRadioButton>(*dlg, "optYSyotei")->isChecked());
    QVERIFY(find<QRadioButton>(*dlg, "optMarkZone")->isChecked());
    QVERIFY(find<QCheckBox>(*dlg, "optPlot2")->isChecked());
    QVERIFY(!find<QCheckBox>(*dlg, "optPlot1")->isChecked());
    QVERIFY(find<QCheckBox>(*dlg, "optTokyu8")->isChecked());
    QVERIFY(find<QRadioButton>(*dlg, "optSalary3")->isChecked());
    QVERIFY(find<QRadioButton>(*dlg, "opt3Jisiki")->isChecked());
    QVERIFY(find<QCheckBox>(*dlg, "optGraph")->isChecked());
    QCOMPARE(find<QLineEdit>(*dlg, "txtLevel2")->text(), QStringLiteral("-2.5"));
    QCOMPARE(G().gChartFx, 1);
    QCOMPARE(G().gChartFy, 3);
    QCOMPARE(G().gChartMarkr, 2);
    QCOMPARE(G().gChartDegree, 1);
    QCOMPARE(G().gDataChanged, 0);
    // Closing without a change writes nothing.
    exec(DM().ACN2, QStringLiteral("UPDATE MCHART SET TITLE = 'x' WHERE CHCO = 1020"));
    click(*dlg, "btnClose");
    QCOMPARE(SqlValue(DM().ACN2, "SELECT TITLE FROM MCHART WHERE CHCO = 1020 AND KNO = 1"),
             QStringLiteral("x"));
}

void TstAnalysisDialogs::modelWageDialogKeepsItsWorkType() {
    TestProgram p;
    openSample();
    auto dlg = openDialog(1040);
    // Its work-type radios raise no changed flag, but the choice is saved with other changes.
    press(*dlg, "optSalary2");
    QCOMPARE(G().gDataChanged, 0);
    press(*dlg, "optXKinzoku");
    click(*dlg, "btnClose");
    QCOMPARE(SqlValue(DM().ACN2, "SELECT MIBUN FROM MCHART WHERE CHCO = 1040 AND KNO = 1"),
             QStringLiteral("2"));
    // Preparing again does not restore it from the rows: the radio stays as it was.
    press(*dlg, "optSalaryAll");
    dlg->prepare();
    QVERIFY(find<QRadioButton>(*dlg, "optSalaryAll")->isChecked());
    QVERIFY(!find<QRadioButton>(*dlg, "optXSyokumuHyouka")->isEnabled());
    QVERIFY(find<QRadioButton>(*dlg, "optYSyoyo")->isEnabled());
    QVERIFY(!find<QRadioButton>(*dlg, "optYKoumoku1")->isEnabled());
}

void TstAnalysisDialogs::analyseBuildsThePointSetAndHandsOver() {
    TestProgram p;
    openSample();
    RecordingPlot plot;
    auto dlg = openDialog(1010);
    chooseEveryone(*dlg);
    press(*dlg, "optYKihon");
    typeInto(find<QLineEdit>(*dlg, "txtTitle"), QStringLiteral("年齢別基本給"));
    click(*dlg, "btnAnalize");
    QVERIFY(p.messages.entries.isEmpty());
    const QStringList expected = SqlColumn(DM().ACN2, kPlottable);
    QVERIFY(expected.size() > 20);
    QCOMPARE(pointCodes(), expected);
    // Points by age and basic wage in 10,000 yen, in the order of the employee query.
    QCOMPARE(SqlRows(DM().ACN2, "SELECT D.SCO, D.X, D.Y, D.MKCO, D.MARKL FROM DCHART D "
                                "ORDER BY D.SEQNO LIMIT 1"),
             SqlRows(DM().ACN2,
                     "SELECT SCO, NENREI, ROUND((KKYU1 + KKYU2 + KKYU3) / 10000.0, 2), MCO, "
                     "CAST(SCO AS TEXT) AS MARKL FROM VSYAIN" + kProject +
                         " AND MCO BETWEEN 1 AND 6 AND TOUKYU BETWEEN 1 AND 9 "
                         "ORDER BY KCO, NEWDAY1, SCO LIMIT 1"));
    const ProjectState &g = G();
    const int youngest = SqlValue(DM().ACN2, "SELECT MIN(X) FROM DCHART").toInt();
    const int oldest = SqlValue(DM().ACN2, "SELECT MAX(X) FROM DCHART").toInt();
    QCOMPARE(g.gAxisXMin, youngest / 10 * 10 + (youngest % 10 >= 5 ? 5 : 0));
    QCOMPARE(g.gAxisXMax, oldest / 10 * 10 + (oldest % 10 >= 5 ? 10 : 5));
    QCOMPARE(g.gXAverage,
             qRound(SqlValue(DM().ACN2, "SELECT AVG(X) FROM DCHART").toDouble()));
    QVERIFY(g.gAxisYMin < g.gYAverage && g.gYAverage < g.gAxisYMax);
    // Handed over: the plot window shows chart 1010 with its title; the dialog is closed.
    QCOMPARE(g.gPlotChart, 1010);
    QCOMPARE(g.gChartTitle, QStringLiteral("年齢別基本給"));
    QVERIFY(plot.isVisible());
    QCOMPARE(plot.windowTitle(), QStringLiteral("プロット　 【　年齢別基本給　】"));
    QCOMPARE(plot.chart().points.size(), size_t(expected.size()));
    QVERIFY(!dlg->isVisible());
    // The settings were saved with the build.
    QCOMPARE(SqlValue(DM().ACN2, "SELECT COUNT(*) FROM MCHART WHERE CHCO = 1010 AND FCHK = 1 "
                                 "AND TOUKYU = 1 AND FY = 2"),
             QStringLiteral("6"));
}

void TstAnalysisDialogs::excludedEmployeesAreNeverPlotted() {
    TestProgram p;
    openSample();
    const QStringList all = SqlColumn(DM().ACN2, kPlottable);
    QVERIFY(all.size() > 4);
    setEmployees1("MCO = 0", "SCO = " + all[0]);
    setEmployees1("MCO = 7", "SCO = " + all[1]);
    setEmployees("TOUKYU = 0", "SCO = " + all[2]);
    setEmployees("TOUKYU = 10", "SCO = " + all[3]);
    RecordingPlot plot;
    auto dlg = openDialog(1010);
    chooseEveryone(*dlg);
    click(*dlg, "btnAnalize");
    QCOMPARE(pointCodes(), all.mid(4));
}

void TstAnalysisDialogs::noDataLeavesThePointSet() {
    TestProgram p;
    openSample();
    RecordingPlot plot;
    auto dlg = openDialog(1010);
    chooseEveryone(*dlg);
    click(*dlg, "btnAnalize");
    plot.close();
    const QStringList before = SqlRows(DM().ACN2, "SELECT * FROM DCHART ORDER BY SEQNO");
    QVERIFY(!before.isEmpty());
    showActive(*dlg);
    click(*dlg, "btnPlotNothing");
    click(*dlg, "btnAnalize");
    QCOMPARE(shown(p.messages), QStringList({kMsgNoData}));
    QCOMPARE(SqlRows(DM().ACN2, "SELECT * FROM DCHART ORDER BY SEQNO"), before);
    QCOMPARE(G().gPlotChart, 0);
    QVERIFY(!plot.isVisible());
    QVERIFY(dlg->isVisible());
    QCOMPARE(QApplication::focusWidget(), find<QLineEdit>(*dlg, "txtTitle"));
    // The settings were still saved.
    QCOMPARE(SqlValue(DM().ACN2, "SELECT SUM(FCHK) FROM MCHART WHERE CHCO = 1010"),
             QStringLiteral("0"));
}

void TstAnalysisDialogs::workTypeAddsItsCondition() {
    TestProgram p;
    openSample();
    const QStringList all = SqlColumn(DM().ACN2, kPlottable);
    setEmployees("SM1 = 1", "1 = 1");
    setEmployees("SM1 = 3", "SCO IN (" + all[1] + ", " + all[5] + ")");
    RecordingPlot plot;
    auto dlg = openDialog(1020);
    chooseEveryone(*dlg);
    press(*dlg, "optSalary3");
    click(*dlg, "btnAnalize");
    QCOMPARE(pointCodes(), QStringList({all[1], all[5]}));
    // "すべて" adds no condition.
    dlg->show();
    press(*dlg, "optSalaryAll");
    click(*dlg, "btnAnalize");
    QCOMPARE(pointCodes(), all);
    // A work type nobody has: the no-data message.
    dlg->show();
    press(*dlg, "optSalary4");
    click(*dlg, "btnAnalize");
    QCOMPARE(shown(p.messages), QStringList({kMsgNoData}));
    QCOMPARE(pointCodes(), all);
}

void TstAnalysisDialogs::companySettingsRefusals_data() {
    QTest::addColumn<int>("chart");
    QTest::addColumn<QString>("clear");
    QTest::addColumn<QString>("message");
    QTest::newRow("1030") << 1030 << "SKCO = 0"
                          << "企業マスター　に、生計費コード　がセットされていません。";
    QTest::newRow("1040") << 1040 << "MDCO = 0"
                          << "企業マスター　に、モデルコード　がセットされていません。";
}

void TstAnalysisDialogs::companySettingsRefusals() {
    QFETCH(int, chart);
    QFETCH(QString, clear);
    QFETCH(QString, message);
    TestProgram p;
    exec(DM().ACN2, "UPDATE MKIGYOU2 SET " + clear);
    openSample();
    QVERIFY(WriteChartPoints({}));
    RecordingPlot plot;
    auto dlg = openDialog(chart);
    const QStringList rows = chartRows(chart);
    chooseEveryone(*dlg);
    click(*dlg, "btnAnalize");
    QCOMPARE(shown(p.messages), QStringList({message}));
    QCOMPARE(pointCodes(), QStringList());
    QCOMPARE(chartRows(chart), rows); // nothing saved either
    QVERIFY(!plot.isVisible());
    QVERIFY(dlg->isVisible());
}

void TstAnalysisDialogs::jobPointsAxis_data() {
    QTest::addColumn<int>("chart");
    QTest::addColumn<QString>("xRadio");
    QTest::addColumn<int>("xMax");
    QTest::newRow("wage plot") << 1010 << "optXSyokumuHyouka" << 460;
    QTest::newRow("raise curve") << 1020 << "optXSyokumu" << 455;
}

void TstAnalysisDialogs::jobPointsAxis() {
    QFETCH(int, chart);
    QFETCH(QString, xRadio);
    QFETCH(int, xMax);
    TestProgram p;
    openSample();
    const QStringList all = SqlColumn(DM().ACN2, kPlottable);
    setEmployees("TENSU = 300", "1 = 1");
    setEmployees("TENSU = 120", "SCO = " + all[0]);
    setEmployees("TENSU = 450", "SCO = " + all[1]);
    RecordingPlot plot;
    auto dlg = openDialog(chart);
    chooseEveryone(*dlg);
    press(*dlg, xRadio);
    click(*dlg, "btnAnalize");
    QCOMPARE(G().gAxisXMin, 120);
    QCOMPARE(G().gAxisXMax, xMax);
}

void TstAnalysisDialogs::levelFieldTakesNumbersOnly() {
    TestProgram p;
    openSample();
    auto dlg = openDialog(1020);
    auto *level = find<QLineEdit>(*dlg, "txtLevel3");
    typeInto(level, QStringLiteral("５%"));
    leaveTo(find<QLineEdit>(*dlg, "txtTitle"));
    QCOMPARE(shown(p.messages), QStringList({QStringLiteral("数値を入力してください。")}));
    QCOMPARE(QApplication::focusWidget(), level);
    // "分　析" completes the check first and does nothing while it refuses.
    p.messages.clear();
    click(*dlg, "btnAnalize");
    QCOMPARE(shown(p.messages), QStringList({QStringLiteral("数値を入力してください。")}));
    QCOMPARE(G().gPlotChart, 0);
}

void TstAnalysisDialogs::raiseCurveAnalysisDrawsRegressionCurves() {
    TestProgram p;
    openSample();
    RecordingPlot plot;
    auto dlg = openDialog(1020);
    chooseEveryone(*dlg);
    press(*dlg, "optYKihon");
    press(*dlg, "optGraph");
    typeInto(find<QLineEdit>(*dlg, "txtLevel1"), QStringLiteral("5"));
    typeInto(find<QLineEdit>(*dlg, "txtLevel2"), QStringLiteral("-5"));
    typeInto(find<QLineEdit>(*dlg, "txtLevel3"), QStringLiteral("0"));
    click(*dlg, "btnAnalize");
    QCOMPARE(G().gPlotChart, 1020);
    // Three curves (main, +5 %, −5 %) for every group with points and a line type.
    int groups = 0;
    for (int k = 1; k <= 6; ++k)
        if (G().gMarks[k].Ksyurui != 0 &&
            SqlValue(DM().ACN2, QStringLiteral("SELECT COUNT(*) FROM DCHART WHERE MKCO = %1").arg(k))
                    .toInt() > 0)
            ++groups;
    QVERIFY(groups >= 2);
    QCOMPARE(int(plot.chart().curves.size()), 3 * groups);
    for (const PlotCurve &c : plot.chart().curves)
        QVERIFY(!c.points.empty());
    // The result window: counts, pitches and average wages per group.
    plot.showAnalysisResult();
    TNX1102 *result = plot.resultWindow();
    QVERIFY(result->isVisible());
    QCOMPARE(result->windowTitle(), QStringLiteral("分析評価結果"));
    QCOMPARE(find<QLabel>(*result, "labTitle3")->text(), QStringLiteral("平均昇給　 :"));
    QVERIFY(find<QLabel>(*result, "Caption1")->text().startsWith(G().gMarks[1].Mark + ":"));
    QVERIFY(find<QLabel>(*result, "Caption6")->text().contains(QStringLiteral("円  ")));
    // A click anywhere closes it; closing the plot window closes it too.
    QTest::mouseClick(result, Qt::LeftButton);
    QVERIFY(!result->isVisible());
    plot.showAnalysisResult();
    plot.close();
    QVERIFY(!result->isVisible());
}

void TstAnalysisDialogs::resultWindowOfTheWagePlot() {
    TestProgram p;
    openSample();
    RecordingPlot plot;
    auto dlg = openDialog(1010);
    chooseEveryone(*dlg);
    click(*dlg, "btnAnalize");
    plot.showAnalysisResult();
    TNX1102 *result = plot.resultWindow();
    QCOMPARE(find<QLabel>(*result, "labTitle1")->text(), QStringLiteral("プロット数 :"));
    const QString counts = find<QLabel>(*result, "Caption1")->text() +
                           find<QLabel>(*result, "Caption2")->text();
    QVERIFY2(counts.endsWith(QStringLiteral("全体:") +
                             QString::number(SqlColumn(DM().ACN2, kPlottable).size())),
             qPrintable(counts));
}

void TstAnalysisDialogs::closingClosesThePlotOfItsChartOnly() {
    TestProgram p;
    openSample();
    RecordingPlot plot;
    auto wage = openDialog(1010);
    chooseEveryone(*wage);
    click(*wage, "btnAnalize");
    QVERIFY(plot.isVisible());
    // Another dialog used and closed meanwhile: the plot of 1010 stays.
    auto living = openDialog(1030);
    click(*living, "btnClose");
    QVERIFY(plot.isVisible());
    // The wage plot again, shown by "後" and closed: the plot window closes with it.
    wage->prepare();
    showActive(*wage);
    click(*wage, "btnAnalize");
    QCOMPARE(G().gPlotChart, 1010);
    plot.btnBackClick();
    showActive(*wage);
    click(*wage, "btnClose");
    QVERIFY(!plot.isVisible());
    QVERIFY(!wage->isVisible());
    QCOMPARE(G().gPlotChart, 0);
}

QTEST_MAIN(TstAnalysisDialogs)
#include "tst_analysis_dialogs.moc"
