// What the user does on the plot window: the axis range boxes, the menus of the window and of a
// point's mark, the employee's pop-up pages with their open flags in the point set, the band
// and role-evaluation dialog, and on the design chart the capture of design points with the
// mouse and their storing as a design.

#include "band_evaluation_dialog.h"
#include "band_loaders.h"
#include "chart_store.h"
#include "matrix_raise.h"
#include "plot_popup.h"
#include "plot_window.h"
#include "result_window.h"
#include "screen_test.h"
#include "state.h"
#include "test_program.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <functional>

namespace {

const QString kProject = QStringLiteral(" WHERE KCO = 1 AND NENDO = 2018");

// Records the dialogs the window would show modally and lets the test act on them meanwhile.
class RecordingPlot : public TNX1100 {
public:
    QStringList shownDialogs;
    std::function<void(QDialog *)> whileShown;

protected:
    int ShowModal(QDialog *dialog) override {
        shownDialogs << dialog->objectName();
        if (whileShown) whileShown(dialog);
        return dialog->result();
    }
};

TMCHART defaults(int fx, int fy, int cgraph = 0) {
    TMCHART r;
    r.Fx = fx;
    r.Fy = fy;
    r.Cgraph = cgraph;
    r.Title = QStringLiteral("年齢別基本給");
    r.Fchk = 1;
    return r;
}

void setAxes(int xMin, int xMax, int yMin, int yMax) {
    ProjectState &g = G();
    g.gAxisXMin = xMin;
    g.gAxisXMax = xMax;
    g.gAxisYMin = yMin;
    g.gAxisYMax = yMax;
    g.gXAverage = (xMin + xMax) / 2;
    g.gYAverage = (yMin + yMax) / 2.0;
}

// The first `n` employees of the sample project as points spread over age 25.. and 20.. (10,000
// yen), all in mark group 1.
QList<qint64> writeSamplePoints(int n) {
    const QStringList rows = SqlRows(DM().ACN2, "SELECT SCO, SNA FROM MSYAIN1" + kProject +
                                                    " ORDER BY SCO LIMIT " + QString::number(n));
    std::vector<TDCHART> points;
    QList<qint64> codes;
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList f = rows[i].split('|');
        TDCHART p;
        p.Sco = f[0].toLongLong();
        p.Sna = f[1];
        p.Markl = f[0];
        p.X = 25 + 10 * i;
        p.Y = 20 + 8 * i;
        p.Mkco = 1;
        points.push_back(p);
        codes << p.Sco;
    }
    WriteChartPoints(points);
    return codes;
}

QWidget *canvasOf(TNX1100 &plot) {
    return plot.findChild<QWidget *>(QStringLiteral("PlotCanvas"));
}

QPoint pixelOf(const TNX1100 &plot, double x, double y) {
    return PlotGeometryFor(plot.chartSize(), plot.chart()).map(x, y);
}

void clickAt(TNX1100 &plot, QPoint pixel, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(canvasOf(plot), button, Qt::NoModifier, pixel);
}

QMenu *menu(TNX1100 &plot, const char *name) {
    return plot.findChild<QMenu *>(QLatin1String(name));
}

void choose(TNX1100 &plot, const char *menuName, const char *item) {
    QMenu *m = menu(plot, menuName);
    QAction *a = m->findChild<QAction *>(QLatin1String(item));
    QVERIFY2(a, item);
    m->hide();
    a->trigger();
}

QStringList flags(qint64 sco) {
    return SqlRows(DM().ACN2,
                   QStringLiteral("SELECT F1, F2, F3, F4 FROM DCHART WHERE SCO = %1").arg(sco));
}

// The wage plot of the sample's first employees on a window of fixed size.
QList<qint64> openWagePlot(RecordingPlot &plot, int points = 3) {
    PrepareChart(1010, defaults(0, 2));
    const QList<qint64> codes = writeSamplePoints(points);
    setAxes(20, 60, 10, 50);
    plot.resize(1000, 736);
    plot.handOver(nullptr, QStringLiteral("年齢別基本給"));
    showActive(plot);
    return codes;
}

} // namespace

class TstPlotInteraction : public QObject {
    Q_OBJECT
private slots:
    void axisRangeBoxes_data();
    void axisRangeBoxes();
    void upDownStepsWithinTheLimits();
    void windowAndMarkMenus();
    void popupPagesOnePerEmployeeAndPage();
    void popupPageTexts_data();
    void popupPageTexts();
    void bandDialogStoresOnlyAChange();
    void bandDialogFromTheMarkMenu();
    void designPointValue_data();
    void designPointValue();
    void designPointCapture();
    void capturedPointsStoredAsADesign();
};

void TstPlotInteraction::axisRangeBoxes_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("textAfter");
    QTest::addColumn<QList<int>>("axes"); // gAxisXMin, XMax, YMin, YMax after leaving
    const QString notNumber = QStringLiteral("数値を入力してください。");
    QTest::newRow("not a number") << "txtXMin"
                                  << "2a" << notNumber << "20" << QList<int>{20, 60, 10, 50};
    QTest::newRow("empty") << "txtYMax"
                           << "" << notNumber << "50" << QList<int>{20, 60, 10, 50};
    QTest::newRow("age below 15") << "txtXMin"
                                  << "10"
                                  << QStringLiteral(
                                         "入力範囲外です。15 ～ 75の値を入力して下さい。")
                                  << "15" << QList<int>{20, 60, 10, 50};
    QTest::newRow("age above 75") << "txtXMax"
                                  << "80"
                                  << QStringLiteral(
                                         "入力範囲外です。15 ～ 75の値を入力して下さい。")
                                  << "15" << QList<int>{20, 60, 10, 50};
    QTest::newRow("basic wage above 100")
        << "txtYMax"
        << "101" << QStringLiteral("入力範囲外です。0 ～ 100の値を入力して下さい。") << "0"
        << QList<int>{20, 60, 10, 50};
    QTest::newRow("in range") << "txtXMin"
                              << "25" << QString() << "25" << QList<int>{25, 60, 10, 50};
    QTest::newRow("limits count") << "txtYMin"
                                  << "0" << QString() << "0" << QList<int>{20, 60, 0, 50};
    QTest::newRow("upper limit") << "txtXMax"
                                 << "75" << QString() << "75" << QList<int>{20, 75, 10, 50};
}

void TstPlotInteraction::axisRangeBoxes() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, textAfter);
    QFETCH(QList<int>, axes);
    TestProgram p;
    openSample();
    RecordingPlot plot;
    openWagePlot(plot);
    auto *edit = find<QLineEdit>(plot, box);
    typeInto(edit, typed);
    leaveTo(find<QLineEdit>(plot, box == "txtYMax" ? "txtXMin" : "txtYMax"));
    QCOMPARE(shown(p.messages), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(edit->text(), textAfter);
    if (!message.isEmpty()) QCOMPARE(QApplication::focusWidget(), edit);
    const ProjectState &g = G();
    QCOMPARE((QList<int>{g.gAxisXMin, g.gAxisXMax, g.gAxisYMin, g.gAxisYMax}), axes);
    // The plot takes the new range with "実　行".
    if (message.isEmpty()) {
        click(plot, "btnExec");
        QCOMPARE((QList<int>{plot.chart().xMin, plot.chart().xMax, plot.chart().yMin,
                             plot.chart().yMax}),
                 axes);
    }
}

void TstPlotInteraction::upDownStepsWithinTheLimits() {
    TestProgram p;
    openSample();
    RecordingPlot plot;
    openWagePlot(plot);
    const auto arrows = [&](const char *spin) {
        return find<QWidget>(plot, spin)->findChildren<QAbstractButton *>();
    };
    arrows("spnXMin")[0]->click(); // up
    QCOMPARE(find<QLineEdit>(plot, "txtXMin")->text(), QStringLiteral("21"));
    QCOMPARE(G().gAxisXMin, 21);
    G().gAxisYMin = 0;
    find<QLineEdit>(plot, "txtYMin")->setText("0");
    arrows("spnYMin")[1]->click(); // down stops at the lower limit
    QCOMPARE(find<QLineEdit>(plot, "txtYMin")->text(), QStringLiteral("0"));
    QVERIFY(shown(p.messages).isEmpty());
}

void TstPlotInteraction::windowAndMarkMenus() {
    TestProgram p;
    openSample();
    RecordingPlot plot;
    openWagePlot(plot);
    // The right button off the marks opens the window's menu.
    clickAt(plot, QPoint(plot.chartSize().width() / 2, 40), Qt::RightButton);
    QVERIFY(menu(plot, "PopupMenu2")->isVisible());
    QStringList items;
    for (QAction *a : menu(plot, "PopupMenu2")->actions())
        items << a->objectName() + "=" + a->text();
    QCOMPARE(items, (QStringList{"mnCopy=画面のコピー", "mnPrint=印刷する", "mnSave=画像保存",
                                 "mnAnalize=分析評価結果", "mnEnd=操作パネルに戻る"}));
    choose(plot, "PopupMenu2", "mnAnalize");
    QVERIFY(plot.resultWindow()->isVisible());
    QVERIFY(!find<QLabel>(*plot.resultWindow(), "Caption1")->text().isEmpty());

    // The right button on a mark does nothing; the left button opens the mark's menu.
    const QPoint mark = pixelOf(plot, 35, 28);
    clickAt(plot, mark, Qt::RightButton);
    QVERIFY(!menu(plot, "PopupMenu1")->isVisible());
    clickAt(plot, mark);
    QVERIFY(menu(plot, "PopupMenu1")->isVisible());
    items.clear();
    for (QAction *a : menu(plot, "PopupMenu1")->actions())
        items << a->text();
    QCOMPARE(items, (QStringList{"プロフィール", "人事考課", "キャリア", "賃金情報",
                                 "マトリクス昇給", "終了"}));
    choose(plot, "PopupMenu1", "mnExit");
    QVERIFY(plot.popups().isEmpty());

    // "操作パネルに戻る" closes the window and its result window.
    choose(plot, "PopupMenu2", "mnEnd");
    QVERIFY(!plot.isVisible());
    QVERIFY(!plot.resultWindow()->isVisible());
    QCOMPARE(G().gPlotChart, 0);
}

void TstPlotInteraction::popupPagesOnePerEmployeeAndPage() {
    TestProgram p;
    openSample();
    RecordingPlot plot;
    const QList<qint64> codes = openWagePlot(plot);
    const QString name =
        SqlValue(DM().ACN2, QStringLiteral("SELECT SNA FROM DCHART WHERE SCO = %1").arg(codes[0]));

    clickAt(plot, pixelOf(plot, 25, 20));
    choose(plot, "PopupMenu1", "mnProfile");
    QCOMPARE(plot.popups().size(), 1);
    TNX1101 *profile = plot.popups()[0];
    QVERIFY(profile->isVisible());
    QCOMPARE(profile->windowTitle(), QStringLiteral("1.プロフィール"));
    QCOMPARE(find<QLabel>(*profile, "Label1")->text(), QString::number(codes[0]) + "  " + name);
    QCOMPARE(flags(codes[0]), QStringList{"1|0|0|0"});

    // The same page of the same employee again: nothing new.
    clickAt(plot, pixelOf(plot, 25, 20));
    choose(plot, "PopupMenu1", "mnProfile");
    QCOMPARE(plot.popups().size(), 1);

    // Page 4 of the same employee opens beside page 1.
    clickAt(plot, pixelOf(plot, 25, 20));
    choose(plot, "PopupMenu1", "mnSalary");
    QCOMPARE(plot.popups().size(), 2);
    QVERIFY(plot.popups()[0]->isVisible() && plot.popups()[1]->isVisible());
    QCOMPARE(plot.popups()[1]->windowTitle(), QStringLiteral("4.賃金情報"));
    QVERIFY(find<QLabel>(*plot.popups()[1], "labValue1")->text().endsWith(" 円"));
    QCOMPARE(flags(codes[0]), QStringList{"1|0|0|1"});

    // Page 1 of another employee.
    clickAt(plot, pixelOf(plot, 35, 28));
    choose(plot, "PopupMenu1", "mnProfile");
    QCOMPARE(plot.popups().size(), 3);
    QCOMPARE(flags(codes[1]), QStringList{"1|0|0|0"});

    // A click on a page closes it; then it can be opened again.
    QTest::mouseClick(profile, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QVERIFY(!profile->isVisible());
    QCOMPARE(flags(codes[0]), QStringList{"0|0|0|1"});
    clickAt(plot, pixelOf(plot, 25, 20));
    choose(plot, "PopupMenu1", "mnProfile");
    QCOMPARE(plot.popups().size(), 4);
    QCOMPARE(flags(codes[0]), QStringList{"1|0|0|1"});

    // "後" destroys the pages; those still open are marked closed, so they open again.
    click(plot, "btnBack");
    QVERIFY(plot.popups().isEmpty());
    QCOMPARE(flags(codes[0]), QStringList{"0|0|0|0"});
    QCOMPARE(flags(codes[1]), QStringList{"0|0|0|0"});
    clickAt(plot, pixelOf(plot, 25, 20));
    choose(plot, "PopupMenu1", "mnProfile");
    QCOMPARE(plot.popups().size(), 1);

    // Closing the window destroys them too.
    plot.close();
    QVERIFY(plot.popups().isEmpty());
    QCOMPARE(flags(codes[0]), QStringList{"0|0|0|0"});
}

void TstPlotInteraction::popupPageTexts_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("profile") << 1 << "1.プロフィール"
                             << QStringList{"社員番号:", "年　　齢　:", "勤　　続　:",
                                            "学　　歴　:", "専　　攻　:"}
                             << QStringList{"A-007", "41 歳", "18 年", "大学", "経済"};
    QTest::newRow("evaluations") << 2 << "2.人事考課"
                                 << QStringList{"３年前　:", "２年前　:", "１年前　:", "本年度　:",
                                                ""}
                                 << QStringList{"C", "B", "A", "S", ""};
    QTest::newRow("career") << 3 << "3.キャリア"
                            << QStringList{"役　職　:", "等　級　:", "号　俸　:", "滞　留　:", ""}
                            << QStringList{"課長", "参事", "12 号", "4 年", ""};
    QTest::newRow("wages") << 4 << "4.賃金情報"
                           << QStringList{"基 本 給：", "諸 手 当：", "所 定 給：", "年 賞 与：",
                                          "年 収 入："}
                           << QStringList{"321,000 円", "15,500 円", "336,500 円", "1,200,000 円",
                                          "5,238,000 円"};
}

void TstPlotInteraction::popupPageTexts() {
    QFETCH(int, page);
    QFETCH(QString, caption);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, values);
    TPlotEmployee e;
    e.scot = "A-007";
    e.nenrei = 41;
    e.kinzoku = 18;
    e.gaku = "大学";
    e.senkou = "経済";
    e.hna = {QString(), "A", "B", "C"};
    e.hyouka = "S";
    e.yaku = "課長";
    e.toukyu = 5;
    e.gouhou = 12;
    e.kkyu = {0, 300000, 20000, 1000};
    e.teate = {0, 10000, 5000, 500, 0, 0};
    e.syotei = 336500;
    e.syouyo = 700000;
    e.syouyo2 = 500000;
    std::array<QString, 10> grades;
    grades[5] = "参事";
    const PopupPageTexts t = PopupPageOf(page, e, grades, 4);
    QCOMPARE(t.caption, caption);
    QCOMPARE((QStringList{t.titles[1], t.titles[2], t.titles[3], t.titles[4], t.titles[5]}),
             titles);
    QCOMPARE((QStringList{t.values[1], t.values[2], t.values[3], t.values[4], t.values[5]}),
             values);
}

namespace {
// An employee of the sample whose base pay is linked to the matrix and whose band exists.
qint64 linkedEmployee() {
    return SqlValue(DM().ACN2, "SELECT SCO FROM MSYAIN1" + kProject +
                                   " AND MLINK BETWEEN 1 AND 3 AND BANDID IN (SELECT BANDID FROM "
                                   "BANDM" +
                                   kProject + ") ORDER BY SCO LIMIT 1")
        .toLongLong();
}
} // namespace

void TstPlotInteraction::bandDialogStoresOnlyAChange() {
    TestProgram p;
    openSample();
    const qint64 sco = linkedEmployee();
    QVERIFY(sco != 0);
    const QString where = kProject + QStringLiteral(" AND SCO = %1").arg(sco);
    const QStringList stored = SqlRows(DM().ACN2, "SELECT BANDID, YHYOUKA FROM MSYAIN1" + where);

    Tfrm1105 dialog;
    dialog.prepare(sco);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("５．マトリクス昇給"));
    auto *band = find<QComboBox>(dialog, "cmbBand");
    auto *evaluation = find<QComboBox>(dialog, "cmbYHyouka");
    QCOMPARE(find<QLineEdit>(dialog, "txtSyainID")->text(), QString::number(sco));
    QCOMPARE(find<QLineEdit>(dialog, "txtSyainNo")->text(),
             SqlValue(DM().ACN2, "SELECT SCOT FROM MSYAIN1" + where));
    QCOMPARE(band->currentText().section(" : ", 0, 0), stored[0].section('|', 0, 0));
    const auto zoneOf = [&](int b, int h) {
        const int link = SqlValue(DM().ACN2, "SELECT MLINK FROM MSYAIN1" + where).toInt();
        const int pay =
            SqlValue(DM().ACN2, QStringLiteral("SELECT KKYU%1 FROM MSYAIN2").arg(link) + where)
                .toInt();
        return QString::number(CalcMatrixRaise(G().gBandTbl, G().gMatTbl, b, h, pay).zone);
    };
    QCOMPARE(find<QLineEdit>(dialog, "txtZoneNo")->text(),
             zoneOf(stored[0].section('|', 0, 0).toInt(), stored[0].section('|', 1, 1).toInt()));

    // Closing without a change writes nothing, even where the stored band is in no list.
    exec(DM().ACN2, "UPDATE MSYAIN1 SET BANDID = 999" + where);
    dialog.prepare(sco);
    QCOMPARE(band->currentIndex(), -1);
    QTest::mouseClick(&dialog, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(SqlValue(DM().ACN2, "SELECT BANDID FROM MSYAIN1" + where), QStringLiteral("999"));

    // A change shows the new zone and is stored by the click that closes the form.
    dialog.prepare(sco);
    band->setCurrentIndex(band->count() - 1);
    evaluation->setCurrentIndex(0);
    const int newBand = band->currentText().section(" : ", 0, 0).toInt();
    const int newEvaluation = evaluation->currentText().section(" : ", 0, 0).toInt();
    QCOMPARE(find<QLineEdit>(dialog, "txtZoneNo")->text(), zoneOf(newBand, newEvaluation));
    dialog.reject(); // leaving the form stores the change as the click does
    QCOMPARE(SqlRows(DM().ACN2, "SELECT BANDID, YHYOUKA FROM MSYAIN1" + where),
             QStringList{QStringLiteral("%1|%2").arg(newBand).arg(newEvaluation)});
    QVERIFY(shown(p.messages).isEmpty());
}

void TstPlotInteraction::bandDialogFromTheMarkMenu() {
    TestProgram p;
    openSample();
    const qint64 sco = linkedEmployee();
    PrepareChart(1010, defaults(0, 2));
    TDCHART point;
    point.Sco = sco;
    point.X = 40;
    point.Y = 30;
    point.Mkco = 1;
    WriteChartPoints({point});
    setAxes(20, 60, 10, 50);
    RecordingPlot plot;
    QString shownFor;
    plot.whileShown = [&](QDialog *d) { shownFor = find<QLineEdit>(*d, "txtSyainID")->text(); };
    plot.resize(1000, 736);
    plot.handOver(nullptr, QStringLiteral("帯"));
    clickAt(plot, pixelOf(plot, 40, 30));
    choose(plot, "PopupMenu1", "mnMatrix");
    QCOMPARE(plot.shownDialogs, QStringList{"frm1105"});
    QCOMPARE(shownFor, QString::number(sco));
}

void TstPlotInteraction::designPointValue_data() {
    QTest::addColumn<int>("ySpan");
    QTest::addColumn<int>("yMin");
    QTest::addColumn<int>("py");
    QTest::addColumn<int>("px");
    QTest::addColumn<int>("x");
    QTest::addColumn<qint64>("yen");
    // Origin (100, 2000); the X span is 1000 pixels over a range of 50, the Y span ySpan pixels
    // over a range of 100.
    QTest::newRow("25.46 -> 255,000") << 5000 << 0 << 2000 - 1273 << 100 << 20 << qint64(255000);
    QTest::newRow("25.44 -> 254,000") << 5000 << 0 << 2000 - 1272 << 100 << 20 << qint64(254000);
    QTest::newRow("25.45 rounds up") << 2000 << 0 << 2000 - 509 << 100 << 20 << qint64(255000);
    QTest::newRow("25.35 rounds up") << 2000 << 0 << 2000 - 507 << 100 << 20 << qint64(254000);
    QTest::newRow("minimum added") << 5000 << 10 << 2000 - 1273 << 100 << 20 << qint64(355000);
    QTest::newRow("x rounds half up") << 5000 << 0 << 2000 << 110 << 21 << qint64(0); // 20.5
    QTest::newRow("x below half") << 5000 << 0 << 2000 << 109 << 20 << qint64(0);     // 20.45
}

void TstPlotInteraction::designPointValue() {
    QFETCH(int, ySpan);
    QFETCH(int, yMin);
    QFETCH(int, py);
    QFETCH(int, px);
    QFETCH(int, x);
    QFETCH(qint64, yen);
    PlotGeometry g;
    g.originX = 100;
    g.originY = 2000;
    g.xSpan = 1000;
    g.ySpan = ySpan;
    g.xRange = 50;
    g.yRange = 100;
    g.xMin = 20;
    g.yMin = yMin;
    const DesignPointValue v = DesignPointAt(g, QPoint(px, py));
    QCOMPARE(v.x, x);
    QCOMPARE(v.yen, yen);
}

namespace {
void openDesignPlot(RecordingPlot &plot) {
    G().gChartFx = 0;
    G().gChartFy = 2;
    PrepareChart(1050, defaults(0, 2, 0));
    writeSamplePoints(3);
    setAxes(20, 60, 10, 50);
    plot.resize(1000, 736);
    plot.handOver(nullptr, QStringLiteral("設計"));
    showActive(plot);
}
} // namespace

void TstPlotInteraction::designPointCapture() {
    TestProgram p;
    openSample();
    RecordingPlot plot;
    openDesignPlot(plot);
    auto *dispNo = find<QLineEdit>(plot, "txtDispNo");
    QVERIFY(dispNo->isVisibleTo(&plot));

    // Without a drawing number nothing is captured.
    clickAt(plot, pixelOf(plot, 30, 20));
    QCOMPARE(shown(p.messages), QStringList{"描画番号 を、入力して下さい。"});
    p.messages.clear();
    dispNo->setText("9");
    clickAt(plot, pixelOf(plot, 30, 20));
    QCOMPARE(shown(p.messages), QStringList{"描画番号 は、１～５ を入力して下さい。"});
    QVERIFY(plot.capturedPoints().empty());

    // The drawing number box: 0 and 1..5 are taken, others bring back the last one taken.
    p.messages.clear();
    typeInto(dispNo, "3");
    leaveTo(find<QLineEdit>(plot, "txtXMin"));
    typeInto(dispNo, "7");
    leaveTo(find<QLineEdit>(plot, "txtXMin"));
    QCOMPARE(shown(p.messages), QStringList{"入力範囲外です。1 ～ 5 の値を入力して下さい。"});
    QCOMPARE(dispNo->text(), QStringLiteral("3"));
    p.messages.clear();
    typeInto(dispNo, "x");
    leaveTo(find<QLineEdit>(plot, "txtXMin"));
    QCOMPARE(shown(p.messages), QStringList{"数値を入力してください。"});
    QCOMPARE(dispNo->text(), QStringLiteral("3"));

    // "１点消去" with no point, "取込" with one.
    p.messages.clear();
    click(plot, "btn1Dlt");
    QCOMPARE(shown(p.messages), QStringList{"消去する点はありません。"});
    p.messages.clear();
    clickAt(plot, pixelOf(plot, 25, 20));
    QCOMPARE(plot.capturedPoints().size(), size_t(1));
    click(plot, "btnImport");
    QCOMPARE(shown(p.messages), QStringList{"取込む点を２～６箇所をポイントして下さい。"});
    QCOMPARE(SqlValue(DM().ACN2, "SELECT COUNT(*) FROM DSPDRAW" + kProject), QStringLiteral("0"));

    // Six points at most; each is drawn as a circle where it was clicked.
    p.messages.clear();
    for (int i = 1; i < 6; ++i)
        clickAt(plot, pixelOf(plot, 25 + 5 * i, 20 + 4 * i));
    QCOMPARE(plot.capturedPoints().size(), size_t(6));
    QCOMPARE(plot.chart().captured.size(), size_t(6));
    QVERIFY(shown(p.messages).isEmpty());
    clickAt(plot, pixelOf(plot, 58, 48));
    QCOMPARE(shown(p.messages), QStringList{"６点以上は、プロットできません。"});
    QCOMPARE(plot.capturedPoints().size(), size_t(6));
    QCOMPARE(plot.capturedPoints()[1].x, 30);
    QCOMPARE(plot.capturedPoints()[1].yen, qint64(240000));

    // "１点消去" drops the last one.
    click(plot, "btn1Dlt");
    QCOMPARE(plot.capturedPoints().size(), size_t(5));
    QCOMPARE(plot.chart().captured.size(), size_t(5));
    QCOMPARE(plot.capturedPoints().back().x, 45);
}

void TstPlotInteraction::capturedPointsStoredAsADesign() {
    TestProgram p;
    openSample();
    // An earlier design 2 of the same items is replaced; design 2 of other items stays.
    exec(DM().ACN2,
         "INSERT INTO DSPDRAW (KCO, NENDO, SDCO, X, Y, FCHKS, SNENREI1, SKIN1, SNENREI2, "
         "SKIN2, HANREI) VALUES (1, 2018, 2, 0, 2, 0, 22, 1, 30, 2, '旧')");
    exec(DM().ACN2, "INSERT INTO DSPDRAW (KCO, NENDO, SDCO, X, Y, FCHKS, SNENREI1, SKIN1) VALUES "
                    "(1, 2018, 2, 1, 2, 1, 5, 100000)");
    G().gDesignLegend = {0, 1, 0, 0, 0};
    G().gCurveColor = "clRed";
    RecordingPlot plot;
    openDesignPlot(plot);
    QSignalSpy stored(&plot, &TNX1100::designStored);
    find<QLineEdit>(plot, "txtDispNo")->setText("2");
    for (auto [x, y] : {std::pair{25, 20}, {40, 30}, {55, 45}})
        clickAt(plot, pixelOf(plot, x, y));
    // A drawing number cleared after the clicks stores nothing and keeps the points.
    const QStringList before = SqlRows(DM().ACN2, "SELECT * FROM DSPDRAW ORDER BY X");
    find<QLineEdit>(plot, "txtDispNo")->setText("0");
    click(plot, "btnImport");
    QCOMPARE(shown(p.messages), QStringList{"描画番号 を、入力して下さい。"});
    QCOMPARE(SqlRows(DM().ACN2, "SELECT * FROM DSPDRAW ORDER BY X"), before);
    QCOMPARE(plot.capturedPoints().size(), size_t(3));
    // The store refuses a design number or item outside its range.
    TDSPDRAW outside;
    outside.Sdco = 6;
    QVERIFY(!StoreDesign(outside));
    outside.Sdco = 2;
    outside.Y = 6;
    QVERIFY(!StoreDesign(outside));
    QCOMPARE(SqlRows(DM().ACN2, "SELECT * FROM DSPDRAW ORDER BY X"), before);
    p.messages.clear();
    find<QLineEdit>(plot, "txtDispNo")->setText("2");
    click(plot, "btnImport");
    QVERIFY(shown(p.messages).isEmpty());
    QCOMPARE(
        SqlRows(DM().ACN2, "SELECT SDCO, X, Y, FCHKS, FREN, SNENREI1, SKIN1, SNENREI2, SKIN2, "
                           "SNENREI3, SKIN3, SNENREI4, SKIN4, SNENREI6, SKIN6, HANREI, SCOLOR, "
                           "SSYURUI, SHABA FROM DSPDRAW" +
                               kProject + " AND X = 0"),
        (QStringList{"2|0|2|1|1|25|200000|40|300000|55|450000|0|0|0|0||clBlack|1|1"}));
    QCOMPARE(
        SqlRows(DM().ACN2, "SELECT SDCO, SNENREI1, SKIN1 FROM DSPDRAW" + kProject + " AND X = 1"),
        QStringList{"2|5|100000"});
    QCOMPARE(G().gCurveColor, QStringLiteral("clBlack"));
    QCOMPARE(find<QLineEdit>(plot, "txtDispNo")->text(), QStringLiteral("0"));
    QVERIFY(plot.capturedPoints().empty());
    QCOMPARE(stored.count(), 1);
    // The plot shows the stored design.
    QCOMPARE(plot.chart().designs.size(), size_t(1));
    QCOMPARE(plot.chart().designs[0].number, 2);
    QCOMPARE(plot.chart().designs[0].points.size(), size_t(3));
}

QTEST_MAIN(TstPlotInteraction)
#include "tst_plot_interaction.moc"
