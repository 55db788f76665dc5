#include "plot_window.h"

#include "chart_store.h"
#include "form_helpers.h"
#include "plot_statistics.h"
#include "result_window.h"
#include "screen_kit.h"
#include "settings_store.h"
#include "state.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QPointer<TNX1100> gPlotWindow;

constexpr int kPanelWidth = 72;

// A range box's up-down control: two small arrow buttons.
QWidget *upDown(QWidget *parent, const char *name) {
    auto *box = new QWidget(parent);
    box->setObjectName(QLatin1String(name));
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (Qt::ArrowType arrow : {Qt::UpArrow, Qt::DownArrow}) {
        auto *b = new QToolButton(box);
        b->setArrowType(arrow);
        b->setFixedSize(16, 11);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
    }
    return box;
}

} // namespace

// The drawing surface: shows the picture of the kept chart while painting is enabled. The
// picture is drawn once per execution, so a repaint only shows it again.
class TPlotCanvas : public QWidget {
public:
    explicit TPlotCanvas(TNX1100 *window) : QWidget(window), m_window(window) {
        setObjectName(QStringLiteral("PlotCanvas"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    bool painting = false;
    // Draws the picture anew (after the chart changed).
    void redraw() {
        m_picture = m_window->image();
        update();
    }

protected:
    void paintEvent(QPaintEvent *event) override {
        QPainter p(this);
        p.fillRect(event->rect(), Qt::white);
        if (!painting || m_picture.isNull()) return;
        p.drawImage(event->rect().topLeft(), m_picture, event->rect());
    }

private:
    TNX1100 *m_window;
    QImage m_picture;
};

TChartRows PrepareChart(int chart, const TMCHART &defaults) {
    ProjectState &g = G();
    g.gChartCode = chart;
    g.gPlotChart = 0;
    g.gMarkLabelCount = 0;
    EnsureChartRows(chart, defaults);
    g.gDataChanged = 0;
    return ReadChartRows(chart);
}

void ChartScreenClosed(int chart) {
    ProjectState &g = G();
    if (g.gPlotChart != chart) return; // the window shows another chart and stays
    g.gMarkLabelCount = 0;
    if (PlotWindow()) PlotWindow()->close();
    g.gPlotChart = 0;
}

TNX1100 *PlotWindow() {
    return gPlotWindow;
}

void SetPlotWindow(TNX1100 *window) {
    gPlotWindow = window;
}

TNX1100::TNX1100(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("NX1100"));
    setWindowTitle(QStringLiteral("プロット"));
    m_canvas = new TPlotCanvas(this);

    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setAutoFillBackground(true);
    auto *panel = new QGridLayout(m_panel);
    panel->setContentsMargins(2, 6, 2, 6);
    panel->setHorizontalSpacing(0);
    int row = 0;
    const auto rangeBox = [&](const char *caption, const char *name, const char *spin, int length) {
        panel->addWidget(new QLabel(QString::fromUtf8(caption), m_panel), row++, 0, 1, 2);
        QLineEdit *edit = MakeEdit(m_panel, name, length, Align::Right);
        edit->setFixedWidth(48);
        panel->addWidget(edit, row, 0);
        panel->addWidget(upDown(m_panel, spin), row++, 1);
        return edit;
    };
    m_txtXMin = rangeBox("X軸下限", "txtXMin", "spnXMin", 3);
    m_txtXMax = rangeBox("X軸上限", "txtXMax", "spnXMax", 3);
    m_txtYMin = rangeBox("Y軸下限", "txtYMin", "spnYMin", 3);
    m_txtYMax = rangeBox("Y軸上限", "txtYMax", "spnYMax", 4);
    const auto button = [&](const char *name, const char *caption) {
        QPushButton *b = MakeButton(m_panel, name, QString::fromUtf8(caption));
        panel->addWidget(b, row++, 0, 1, 2);
        return b;
    };
    panel->setRowMinimumHeight(row++, 8);
    connect(button("btnExec", "実　行"), &QPushButton::clicked, this, &TNX1100::btnExecClick);
    button("btnPrint", "印　刷");
    connect(button("btnCopy", "コピー"), &QPushButton::clicked, this, &TNX1100::btnCopyClick);
    connect(button("btnBack", "後"), &QPushButton::clicked, this, &TNX1100::btnBackClick);
    panel->setRowMinimumHeight(row++, 8);
    auto *dispNoCaption = new QLabel(QStringLiteral("描画番号"), m_panel);
    panel->addWidget(dispNoCaption, row++, 0, 1, 2);
    QLineEdit *dispNo = MakeEdit(m_panel, "txtDispNo", 2, Align::Right);
    panel->addWidget(dispNo, row++, 0, 1, 2);
    m_designControls = {dispNoCaption, dispNo, button("btnImport", "取込"),
                        button("btn1Dlt", "１点消去")};
    panel->setRowStretch(row, 1);
    InstallEnterMovesFocus(this);
    m_result = new TNX1102(this);
    SetPlotWindow(this);
}

TNX1100::~TNX1100() = default;

void TNX1100::handOver(QDialog *screen, const QString &title) {
    ProjectState &g = G();
    g.gPlotChart = g.gChartCode;
    g.gChartTitle = title;
    g.gYItemNames = DefaultYItemNames();
    if (screen) m_screens[g.gChartCode] = screen;
    setWindowTitle(QStringLiteral("プロット　 【　") + title + QStringLiteral("　】"));
    if (!isVisible()) showMaximized();
    raise();
    open();
    if (screen) screen->hide();
}

void TNX1100::open() {
    const TBusyCursor busy;
    m_canvas->painting = false;
    m_chart.captured.clear();
    const bool design = G().gPlotChart == kChartDesign;
    for (QWidget *w : m_designControls)
        w->setVisible(design);
    m_size = size();
    m_canvas->setGeometry(rect());
    m_panel->setGeometry(0, 0, kPanelWidth, qMax(0, m_size.height() - 36));
    const ProjectState &g = G();
    m_txtXMin->setText(QString::number(g.gAxisXMin));
    m_txtXMax->setText(QString::number(g.gAxisXMax));
    m_txtYMin->setText(QString::number(g.gAxisYMin));
    m_txtYMax->setText(QString::number(g.gAxisYMax));
    const GraphLines lines = ReadGraphLines();
    for (int n = 1; n <= 4; ++n)
        m_chart.lines[n] = {lines[n].Color, lines[n].Syurui, lines[n].Haba};
    execute();
}

void TNX1100::execute() {
    const TBusyCursor busy;
    m_canvas->painting = false;
    readChart();
    m_canvas->painting = true;
    m_canvas->redraw();
}

// Reads everything the picture is drawn from: the chart's settings, its points with the mark
// groups, and the curves of its kind.
void TNX1100::readChart() {
    ProjectState &g = G();
    PlotChart &c = m_chart;
    c.chart = g.gPlotChart;
    const TChartRows rows = ReadChartRows(c.chart);
    c.fx = rows[1].Fx;
    c.fy = rows[1].Fy;
    c.markr = rows[1].Markr;
    c.cgraph = rows[1].Cgraph;
    c.title = rows[1].Title;
    c.commentary = rows[1].Kaisetsu;
    c.rows = rows;
    g.gChartTitle = c.title;
    c.yItemName = c.fy >= 0 && c.fy <= 5 ? g.gYItemNames[c.fy] : QString();
    c.xMin = g.gAxisXMin;
    c.xMax = g.gAxisXMax;
    c.yMin = g.gAxisYMin;
    c.yMax = g.gAxisYMax;
    c.xAverage = g.gXAverage;
    c.yAverage = g.gYAverage;
    for (int k = 1; k <= 6; ++k) {
        const TMMARK &m = g.gMarks[k];
        c.groups[k] = {m.Mark, m.Mkcolor, m.Mksize, m.Hanrei};
        c.groupInLegend[k] = rows[k].Fchk == 1;
    }
    c.points.clear();
    c.curves.clear();
    c.designs.clear();
    g.gMarkLabelCount = 0;
    if (c.showsPoints()) {
        const std::vector<TDCHART> rows = ReadChartPoints();
        c.points.reserve(rows.size());
        for (const TDCHART &r : rows)
            c.points.push_back({r.Sco, r.Markl, r.Mkco, r.X, r.Y});
        placeMarks();
    }
    if (c.chart == kChartRaiseCurve) {
        // Fitted once here; painting draws the kept curves.
        c.curves = RegressionCurves(c.points, rows, g.gMarks, c.yMin);
    } else if (c.chart == kChartLivingCost) {
        double largestX = 0.0;
        for (const PlotPoint &p : c.points)
            largestX = std::max(largestX, p.x);
        c.curves = LivingCostCurves(ReadLivingCostCurve(g.gMkigyou2.Skco), largestX);
    } else if (c.chart == kChartModelWage) {
        std::array<std::vector<TModelWageRow>, 4> rowsByType;
        for (int s = 1; s <= 3; ++s)
            rowsByType[s] = ReadModelWageCurve(g.gMkigyou2.Mdco, s);
        c.curves = ModelWageCurves(rowsByType, c.fx, c.fy);
    } else if (c.chart == kChartDesign) {
        for (int d = 1; d <= 5; ++d) {
            const std::optional<TDSPDRAW> design = ReadDesign(d, g.gChartFx, g.gChartFy);
            if (!design) continue;
            if (d == 1) c.commentary = design->Kaisetsu;
            if (design->Fchks == 1) c.designs.push_back(DesignOf(*design));
        }
    }
}

// Records where every drawn mark lies ("Label001", ... by position in the point set), so the
// point of a mark can be found from the point set alone.
void TNX1100::placeMarks() {
    const PlotGeometry geometry = PlotGeometryFor(m_size, m_chart);
    std::vector<TDCHART> marks;
    marks.reserve(m_chart.points.size());
    for (size_t i = 0; i < m_chart.points.size(); ++i) {
        const PlotPoint &p = m_chart.points[i];
        const int group = p.group >= 1 && p.group <= 6 ? p.group : 1;
        if (m_chart.groups[group].colour.isEmpty()) continue;
        const QPoint at = geometry.map(p.x, p.y);
        TDCHART mark;
        mark.Sco = p.sco;
        mark.Labeln = QStringLiteral("Label%1").arg(i + 1, 3, 10, QLatin1Char('0'));
        mark.Gtop = at.y() - 5;
        mark.Gleft = at.x() - 5;
        marks.push_back(std::move(mark));
    }
    WriteMarkPositions(marks);
    G().gMarkLabelCount = static_cast<int>(marks.size());
}

QImage TNX1100::image() const {
    QImage picture(m_size.isEmpty() ? QSize(1, 1) : m_size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter p(&picture);
    RenderPlot(p, m_size, m_chart);
    return picture;
}

void TNX1100::btnExecClick() {
    execute();
}

void TNX1100::btnCopyClick() {
    QApplication::clipboard()->setImage(image());
}

void TNX1100::showAnalysisResult() {
    m_result->prepare(m_chart);
    m_result->move(mapToGlobal(QPoint(qMax(0, width() - m_result->width() - 40), 40)));
    m_result->show();
    m_result->raise();
}

void TNX1100::btnBackClick() {
    m_result->close();
    QDialog *screen = m_screens.value(G().gPlotChart);
    if (screen) ShowModal(screen);
}

int TNX1100::ShowModal(QDialog *dialog) {
    return dialog->exec();
}

void TNX1100::backToMenu() {
    ProjectState &g = G();
    if (QDialog *screen = m_screens.value(g.gChartCode)) screen->close();
    g.gMarkLabelCount = 0;
    g.gPlotChart = 0;
    close();
}

void TNX1100::closeEvent(QCloseEvent *event) {
    G().gPlotChart = 0;
    m_result->close();
    QWidget::closeEvent(event);
}
