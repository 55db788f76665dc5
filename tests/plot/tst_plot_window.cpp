// The chart records and the plot window: the six settings rows, the point set in order, the
// hand-over from a preparing screen, the marks recorded in the point set, the curves read per
// chart, "後", and closing from either side.

#include "chart_store.h"
#include "plot_window.h"
#include "screen_test.h"
#include "state.h"
#include "test_program.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QImage>
#include <QTest>

namespace {

const QString kProject = QStringLiteral(" WHERE KCO = 1 AND NENDO = 2018");

class RecordingPlot : public TNX1100 {
public:
    QList<QDialog *> reopened;

protected:
    int ShowModal(QDialog *dialog) override {
        reopened << dialog;
        return QDialog::Rejected;
    }
};

TMCHART defaults(int fx, int fy) {
    TMCHART r;
    r.Fx = fx;
    r.Fy = fy;
    return r;
}

// Three points of age and basic wage in marks 1, 2 and 7 (7 counts as 1).
void writePoints() {
    std::vector<TDCHART> points;
    for (auto [sco, x, y, group] : {std::tuple{11, 25.0, 20.5, 1}, {12, 40.0, 30.25, 2},
                                    {13, 55.0, 41.0, 7}}) {
        TDCHART p;
        p.Sco = sco;
        p.Sna = QStringLiteral("社員%1").arg(sco);
        p.Markl = QString::number(sco);
        p.X = x;
        p.Y = y;
        p.Mkco = group;
        points.push_back(p);
    }
    QVERIFY(WriteChartPoints(points));
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

} // namespace

class TstPlotWindow : public QObject {
    Q_OBJECT
private slots:
    void settingsRowsAreCreatedOnceAndSaved();
    void pointSetKeepsItsOrder();
    void handOverDrawsAndRecordsTheMarks();
    void curvesOfEachChart();
    void backAndClose();
};

void TstPlotWindow::settingsRowsAreCreatedOnceAndSaved() {
    TestProgram p;
    openSample();
    G().gDataChanged = 1;
    const TChartRows rows = PrepareChart(1010, defaults(0, 2));
    QCOMPARE(G().gChartCode, 1010);
    QCOMPARE(G().gPlotChart, 0);
    QCOMPARE(G().gDataChanged, 0);
    QCOMPARE(SqlColumn(DM().ACN2, "SELECT KNO FROM MCHART" + kProject + " AND CHCO = 1010 ORDER BY KNO"),
             (QStringList{"1", "2", "3", "4", "5", "6"}));
    QCOMPARE(rows[6].Fy, 2);
    PrepareChart(1010, defaults(1, 3)); // the existing rows stay
    QCOMPARE(SqlValue(DM().ACN2, "SELECT COUNT(*) FROM MCHART" + kProject), QStringLiteral("6"));

    TChartRows changed = rows;
    for (int k = 1; k <= 6; ++k) {
        changed[k].Title = QStringLiteral("社員の'賃金' \"分布\"");
        changed[k].Kaisetsu = QStringLiteral("一行目\n二行目");
        changed[k].Fchk = k % 2;
        changed[k].Sjyun[1] = 5; // not written outside charts 1020 and 1050
    }
    QVERIFY(SaveChartRows(1010, changed));
    QVERIFY(p.messages.entries.isEmpty());
    const TChartRows back = ReadChartRows(1010);
    QCOMPARE(back[1].Title, changed[1].Title);
    QCOMPARE(back[4].Kaisetsu, changed[4].Kaisetsu);
    QCOMPARE(back[3].Fchk, 1);
    QCOMPARE(back[2].Fchk, 0);
    QCOMPARE(back[1].Sjyun[1], 0.0);
}

void TstPlotWindow::pointSetKeepsItsOrder() {
    TestProgram p;
    openSample();
    std::vector<TDCHART> points(3);
    points[0].Sco = 30;
    points[1].Sco = 10;
    points[2].Sco = 20;
    points[1].Sna = QStringLiteral("O'Neil");
    QVERIFY(WriteChartPoints(points));
    const std::vector<TDCHART> back = ReadChartPoints();
    QCOMPARE(back.size(), size_t(3));
    QCOMPARE(QList<qint64>({back[0].Sco, back[1].Sco, back[2].Sco}), QList<qint64>({30, 10, 20}));
    QCOMPARE(back[2].Seqno, 3);
    QCOMPARE(back[1].Sna, QStringLiteral("O'Neil"));
    // A new chart replaces the old one.
    QVERIFY(WriteChartPoints({points[0]}));
    QCOMPARE(ReadChartPoints().size(), size_t(1));
}

void TstPlotWindow::handOverDrawsAndRecordsTheMarks() {
    TestProgram p;
    openSample();
    PrepareChart(1010, defaults(0, 2));
    writePoints();
    setAxes(20, 60, 10, 50);
    G().gMarks[2].Mkcolor = QStringLiteral("clRed");
    RecordingPlot plot;
    QDialog screen;
    screen.show();
    plot.resize(1000, 736);
    plot.handOver(&screen, QStringLiteral("年齢別基本給"));
    QVERIFY(plot.isVisible());
    QVERIFY(!screen.isVisible());
    QCOMPARE(plot.windowTitle(), QStringLiteral("プロット　 【　年齢別基本給　】"));
    QCOMPARE(G().gPlotChart, 1010);
    QCOMPARE(G().gChartTitle, QString()); // the title stored in the chart's settings
    QCOMPARE(plot.chart().yItemName, QStringLiteral("基本給"));
    QCOMPARE(plot.chart().points.size(), size_t(3));

    // Every drawn mark is recorded with its point: name by position, top and left.
    const PlotGeometry g = PlotGeometryFor(plot.chartSize(), plot.chart());
    QCOMPARE(G().gMarkLabelCount, 3);
    const QStringList marks = SqlRows(DM().ACN2, "SELECT SCO, LABELN, GTOP, GLEFT FROM DCHART ORDER BY SEQNO");
    const QPoint second = g.map(40, 30.25);
    QCOMPARE(marks[1], QStringLiteral("12|Label002|%1|%2").arg(second.y() - 5).arg(second.x() - 5));
    QVERIFY(marks[2].startsWith("13|Label003|"));

    // The picture shows the red mark where the point maps; the clipboard gets the same.
    const QImage image = plot.image();
    bool red = false;
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx)
            red = red || image.pixelColor(second + QPoint(dx, dy)) == QColor(Qt::red);
    QVERIFY(red);
    click(plot, "btnCopy");
    QCOMPARE(QApplication::clipboard()->image().size(), image.size() - QSize(4, 4));
    QVERIFY(!find<QWidget>(plot, "btnImport")->isVisibleTo(&plot));

    // A group without colour gets no mark.
    G().gMarks[1].Mkcolor.clear();
    plot.execute();
    QCOMPARE(G().gMarkLabelCount, 1);
}

void TstPlotWindow::curvesOfEachChart() {
    TestProgram p;
    openSample();
    writePoints();
    setAxes(20, 60, 0, 100);
    RecordingPlot plot;
    plot.resize(1000, 736);

    // Living costs of the company's living-cost code.
    exec(DM().ACN2, "UPDATE MKIGYOU2 SET SKCO = 1" + kProject);
    G().gMkigyou2.Skco = 1;
    PrepareChart(1030, defaults(0, 3));
    plot.handOver(nullptr, QStringLiteral("生計費"));
    QCOMPARE(plot.chart().curves.size(), size_t(4));
    QVERIFY(plot.chart().curves[0].points.size() >= 2);
    QCOMPARE(plot.chart().curves[0].legend, QStringLiteral("標準生計費"));

    // Designs of the X and Y item: drawn when marked, design 1 gives the commentary; the
    // points are not drawn while the chart's display flag is 0.
    exec(DM().ACN2, "INSERT INTO DSPDRAW (KCO, NENDO, SDCO, X, Y, FCHKS, SNENREI1, SKIN1, "
                    "SNENREI2, SKIN2, KAISETSU, HANREI, SCOLOR, SSYURUI, SHABA) VALUES "
                    "(1, 2018, 1, 0, 2, 1, 22, 200000, 50, 400000, '設計の解説', '総合職', "
                    "'clRed', 1, 2)");
    exec(DM().ACN2, "INSERT INTO DSPDRAW (KCO, NENDO, SDCO, X, Y, FCHKS, SNENREI1, SKIN1) "
                    "VALUES (1, 2018, 2, 0, 2, 0, 22, 1)");
    G().gChartFx = 0;
    G().gChartFy = 2;
    PrepareChart(1050, defaults(0, 2));
    plot.handOver(nullptr, QStringLiteral("設計"));
    QCOMPARE(plot.chart().designs.size(), size_t(1));
    QCOMPARE(plot.chart().designs[0].points.size(), size_t(2));
    QCOMPARE(plot.chart().commentary, QStringLiteral("設計の解説"));
    QVERIFY(plot.chart().points.empty());
    QCOMPARE(G().gMarkLabelCount, 0);
    QVERIFY(find<QWidget>(plot, "btnImport")->isVisibleTo(&plot));
}

void TstPlotWindow::backAndClose() {
    TestProgram p;
    openSample();
    writePoints();
    setAxes(20, 60, 10, 50);
    RecordingPlot plot;
    QDialog screen;
    PrepareChart(1020, defaults(0, 2));
    plot.handOver(&screen, QStringLiteral("回帰"));
    click(plot, "btnBack");
    QCOMPARE(plot.reopened, QList<QDialog *>{&screen});

    // Closing another chart's screen leaves the window; closing this chart's screen closes it.
    ChartScreenClosed(1010);
    QVERIFY(plot.isVisible());
    ChartScreenClosed(1020);
    QVERIFY(!plot.isVisible());
    QCOMPARE(G().gPlotChart, 0);

    PrepareChart(1020, defaults(0, 2));
    screen.show();
    plot.handOver(&screen, QStringLiteral("回帰"));
    screen.show();
    plot.backToMenu();
    QVERIFY(!screen.isVisible());
    QVERIFY(!plot.isVisible());
    QCOMPARE(G().gPlotChart, 0);
}

QTEST_MAIN(TstPlotWindow)
#include "tst_plot_window.moc"
