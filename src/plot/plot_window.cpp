#include "plot_window.h"

#include "band_evaluation_dialog.h"
#include "chart_store.h"
#include "form_helpers.h"
#include "message_seam.h"
#include "plot_popup.h"
#include "plot_print.h"
#include "plot_statistics.h"
#include "qt_message_seam.h"
#include "result_window.h"
#include "screen_kit.h"
#include "settings_store.h"
#include "state.h"
#include "utilities.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <optional>

namespace {

QPointer<TNX1100> gPlotWindow;

constexpr int kPanelWidth = 72;
constexpr int kMaxCaptured = 6;

const QString kMsgNoDispNo = QStringLiteral("描画番号 を、入力して下さい。");
const QString kMsgDispNoRange = QStringLiteral("描画番号 は、１～５ を入力して下さい。");
const QString kMsgSixPoints = QStringLiteral("６点以上は、プロットできません。");
const QString kMsgTooFewPoints = QStringLiteral("取込む点を２～６箇所をポイントして下さい。");
const QString kMsgNoPointToDelete = QStringLiteral("消去する点はありません。");
const QString kMsgPrintFailed = QStringLiteral("印刷できませんでした。");
const QString kMsgSaveFailed = QStringLiteral("画像を保存できませんでした。");

QString outOfRange(int low, int high, const char *gap = "") {
    return QStringLiteral("入力範囲外です。%1 ～ %2%3の値を入力して下さい。")
        .arg(low)
        .arg(high)
        .arg(QString::fromUtf8(gap));
}

// A whole number as typed (blanks around it allowed); nothing otherwise.
std::optional<int> integerOf(const QString &text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// A range box's up-down control: two small arrow buttons, up first.
QWidget *upDown(QWidget *parent, const char *name, std::function<void(int)> step) {
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
        QObject::connect(b, &QToolButton::clicked, box,
                         [step, arrow] { step(arrow == Qt::UpArrow ? 1 : -1); });
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
    void mousePressEvent(QMouseEvent *event) override {
        event->accept();
        m_window->mouseDownAt(event->button(), event->position().toPoint());
    }
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
    m_exits = new TFieldExits(this);
    int row = 0;
    const auto rangeBox = [&](const char *caption, const char *name, const char *spin, int length,
                              int axis) {
        panel->addWidget(new QLabel(QString::fromUtf8(caption), m_panel), row++, 0, 1, 2);
        // The box and its up-down control side by side, within the panel's width.
        auto *line = new QWidget(m_panel);
        auto *beside = new QHBoxLayout(line);
        beside->setContentsMargins(0, 0, 0, 0);
        beside->setSpacing(1);
        QLineEdit *edit = MakeEdit(line, name, length, Align::Right);
        edit->setFixedWidth(kPanelWidth - 4 - 17 - 2);
        beside->addWidget(edit);
        beside->addWidget(
            upDown(line, spin, [this, edit, axis](int step) { stepAxis(edit, axis, step); }));
        beside->addStretch();
        panel->addWidget(line, row++, 0, 1, 2);
        m_exits->watch(edit, [this, edit, axis] { return axisExit(edit, axis); });
        return edit;
    };
    m_txtXMin = rangeBox("X軸下限", "txtXMin", "spnXMin", 3, 0);
    m_txtXMax = rangeBox("X軸上限", "txtXMax", "spnXMax", 3, 1);
    m_txtYMin = rangeBox("Y軸下限", "txtYMin", "spnYMin", 3, 2);
    m_txtYMax = rangeBox("Y軸上限", "txtYMax", "spnYMax", 4, 3);
    const auto button = [&](const char *name, const char *caption) {
        QPushButton *b = MakeButton(m_panel, name, QString::fromUtf8(caption));
        b->setMinimumWidth(0);
        b->setFixedWidth(kPanelWidth - 4);
        panel->addWidget(b, row++, 0, 1, 2);
        return b;
    };
    panel->setRowMinimumHeight(row++, 8);
    m_exits->onClick(button("btnExec", "実　行"), [this] { btnExecClick(); });
    m_exits->onClick(button("btnPrint", "印　刷"), [this] { btnPrintClick(); });
    connect(button("btnCopy", "コピー"), &QPushButton::clicked, this, &TNX1100::btnCopyClick);
    connect(button("btnBack", "後"), &QPushButton::clicked, this, &TNX1100::btnBackClick);
    panel->setRowMinimumHeight(row++, 8);
    auto *dispNoCaption = new QLabel(QStringLiteral("描画番号"), m_panel);
    panel->addWidget(dispNoCaption, row++, 0, 1, 2);
    m_txtDispNo = MakeEdit(m_panel, "txtDispNo", 2, Align::Right);
    m_txtDispNo->setFixedWidth(kPanelWidth - 4 - 17 - 2);
    m_txtDispNo->setText(QStringLiteral("0"));
    m_exits->watch(m_txtDispNo, [this] { return txtDispNoExit(); });
    panel->addWidget(m_txtDispNo, row++, 0, 1, 2);
    QPushButton *import = button("btnImport", "取込");
    QPushButton *deleteOne = button("btn1Dlt", "１点消去");
    m_exits->onClick(import, [this] { btnImportClick(); });
    m_exits->onClick(deleteOne, [this] { btn1DltClick(); });
    m_designControls = {dispNoCaption, m_txtDispNo, import, deleteOne};
    panel->setRowStretch(row, 1);
    InstallEnterMovesFocus(this);

    m_popupMenu1 = new QMenu(this);
    m_popupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const auto item = [](QMenu *menu, const char *name, const char *caption) {
        QAction *a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QLatin1String(name));
        return a;
    };
    connect(item(m_popupMenu1, "mnProfile", "プロフィール"), &QAction::triggered, this,
            [this] { openPopupPage(1); });
    connect(item(m_popupMenu1, "mnJinji", "人事考課"), &QAction::triggered, this,
            [this] { openPopupPage(2); });
    connect(item(m_popupMenu1, "mnCarya", "キャリア"), &QAction::triggered, this,
            [this] { openPopupPage(3); });
    connect(item(m_popupMenu1, "mnSalary", "賃金情報"), &QAction::triggered, this,
            [this] { openPopupPage(4); });
    connect(item(m_popupMenu1, "mnMatrix", "マトリクス昇給"), &QAction::triggered, this,
            &TNX1100::mnMatrixClick);
    item(m_popupMenu1, "mnExit", "終了");

    m_popupMenu2 = new QMenu(this);
    m_popupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    connect(item(m_popupMenu2, "mnCopy", "画面のコピー"), &QAction::triggered, this,
            &TNX1100::btnCopyClick);
    connect(item(m_popupMenu2, "mnPrint", "印刷する"), &QAction::triggered, this,
            &TNX1100::btnPrintClick);
    connect(item(m_popupMenu2, "mnSave", "画像保存"), &QAction::triggered, this,
            &TNX1100::saveImageClick);
    connect(item(m_popupMenu2, "mnAnalize", "分析評価結果"), &QAction::triggered, this,
            &TNX1100::showAnalysisResult);
    connect(item(m_popupMenu2, "mnEnd", "操作パネルに戻る"), &QAction::triggered, this,
            &TNX1100::backToMenu);

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
    if (!isVisible()) {
        // Unless a size was given, the normal size is the whole work area as well, so the
        // window is usable where maximising is not honoured (no window manager) and after
        // the user restores it.
        const QScreen *screen = QGuiApplication::primaryScreen();
        if (screen && !testAttribute(Qt::WA_Resized)) setGeometry(screen->availableGeometry());
        showMaximized();
    }
    raise();
    open();
    if (screen) screen->hide();
}

void TNX1100::open() {
    const TBusyCursor busy;
    m_canvas->painting = false;
    m_exits->forgetPending();
    m_chart.captured.clear();
    m_captured.clear();
    m_popupCount = 0;
    m_clickedLabel.clear();
    const bool design = G().gPlotChart == kChartDesign;
    for (QWidget *w : m_designControls)
        w->setVisible(design);
    m_size = size();
    m_canvas->setGeometry(rect());
    // The commands stay usable however small the window is.
    m_panel->setGeometry(0, 0, kPanelWidth,
                         qMax(m_panel->minimumSizeHint().height(), m_size.height() - 36));
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
    QApplication::clipboard()->setImage(PlotCopyPicture(m_chart, m_size));
}

void TNX1100::btnPrintClick() {
    if (!Seam().printerSetup()) return;
    printTo(ProgramPrinter());
}

bool TNX1100::printTo(QPrinter &printer) {
    ProjectState &g = G();
    bool ok = false;
    {
        const TBusyCursor busy;
        const PlotPageLayout layout = LayoutPlotPage(PlotPageInputFor(m_chart));
        // The picture file of this print; the page itself is drawn from the chart.
        PlotPicture(m_chart, m_size).save(PlotPictureFile(g.gPlotPrintSeq), "BMP");
        ok = PrintPlotPage(printer, layout, m_chart, m_size);
    }
    if (!ok) {
        ShowMessage(kMsgPrintFailed, QString(), MsgIcon::Error);
        return false;
    }
    g.gPlotPrintSeq = NextPlotPrintSeq(g.gPlotPrintSeq);
    return true;
}

void TNX1100::saveImageClick() {
    const QString suggested = G().gAppPath + ChartCaption(m_chart.chart) + QStringLiteral(".png");
    QString path = Seam().saveFile(QStringLiteral("画像の保存"), suggested,
                                   QStringLiteral("PNG画像 (*.png);;PDF (*.pdf)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".png");
    bool ok = false;
    {
        const TBusyCursor busy;
        if (QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            ok = PrintPlotPage(printer, LayoutPlotPage(PlotPageInputFor(m_chart)), m_chart, m_size);
        } else {
            ok = image().save(path, "PNG");
        }
    }
    if (!ok) ShowMessage(kMsgSaveFailed, QString(), MsgIcon::Warning);
}

void TNX1100::showAnalysisResult() {
    m_result->prepare(m_chart);
    m_result->move(mapToGlobal(QPoint(qMax(0, width() - m_result->width() - 40), 40)));
    m_result->show();
    m_result->raise();
}

void TNX1100::btnBackClick() {
    destroyPopups();
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
    m_exits->forgetPending();
    destroyPopups();
    m_result->close();
    QWidget::closeEvent(event);
}

// --- Interaction ------------------------------------------------------------------------------

DesignPointValue DesignPointAt(const PlotGeometry &g, QPoint pixel) {
    DesignPointValue v;
    const double x = g.xSpan == 0 ? 0.0 : double(pixel.x() - g.originX) / g.xSpan * g.xRange;
    const double y = g.ySpan == 0 ? 0.0 : double(g.originY - pixel.y()) / g.ySpan * g.yRange;
    v.x = static_cast<int>(RoundHalfUp(1, x + g.xMin));
    v.yen = static_cast<qint64>(RoundHalfUp(1, (y + g.yMin) * 10)) * 1000;
    return v;
}

QPoint TNX1100::windowPoint(int left, int top) const {
    return m_canvas->mapToGlobal(QPoint(left, top));
}

// Axis 0..3: X minimum, X maximum, Y minimum, Y maximum.
bool TNX1100::axisExit(QLineEdit *edit, int axis) {
    ProjectState &g = G();
    int *values[] = {&g.gAxisXMin, &g.gAxisXMax, &g.gAxisYMin, &g.gAxisYMax};
    const std::optional<int> value = integerOf(edit->text());
    if (!value) {
        edit->setText(QString::number(*values[axis]));
        return RefuseField(edit, kMsgNotNumber);
    }
    const AxisScale s = AxisScaleFor(m_chart.chart, m_chart.fx, m_chart.fy);
    const int low = axis < 2 ? s.xLow : s.yLow;
    const int high = axis < 2 ? s.xHigh : s.yHigh;
    if (*value < low || *value > high) {
        edit->setText(QString::number(low));
        return RefuseField(edit, outOfRange(low, high));
    }
    *values[axis] = *value;
    return true;
}

// The up-down control moves the value one step within the box's limits and takes it as leaving
// the box would.
void TNX1100::stepAxis(QLineEdit *edit, int axis, int step) {
    if (const std::optional<int> value = integerOf(edit->text())) {
        const AxisScale s = AxisScaleFor(m_chart.chart, m_chart.fx, m_chart.fy);
        const int low = axis < 2 ? s.xLow : s.yLow;
        const int high = axis < 2 ? s.xHigh : s.yHigh;
        if (*value >= low && *value <= high)
            edit->setText(QString::number(std::clamp(*value + step, low, high)));
    }
    axisExit(edit, axis);
}

bool TNX1100::txtDispNoExit() {
    const std::optional<int> value = integerOf(m_txtDispNo->text());
    if (!value) {
        m_txtDispNo->setText(QString::number(m_dispNo));
        return RefuseField(m_txtDispNo, kMsgNotNumber);
    }
    if (*value < 0 || *value > 5) {
        m_txtDispNo->setText(QString::number(m_dispNo));
        return RefuseField(m_txtDispNo, outOfRange(1, 5, " "));
    }
    m_dispNo = *value;
    return true;
}

// The drawing number in the box, 1..5; 0 (after telling the user when asked) otherwise.
int TNX1100::designNumber(bool tell) {
    const std::optional<int> value = integerOf(m_txtDispNo->text());
    if (value && *value >= 1 && *value <= 5) return *value;
    if (tell) ShowMessage(!value || *value == 0 ? kMsgNoDispNo : kMsgDispNoRange);
    return 0;
}

void TNX1100::mouseDownAt(Qt::MouseButton button, QPoint pixel) {
    if (!m_canvas->painting) return;
    if (const std::optional<int> mark = PointAt(m_chart, m_size, pixel)) {
        // The right button on a mark does nothing.
        if (button == Qt::LeftButton) markClicked(*mark);
        return;
    }
    if (button == Qt::RightButton)
        m_popupMenu2->popup(m_canvas->mapToGlobal(pixel));
    else if (button == Qt::LeftButton && m_chart.chart == kChartDesign)
        captureDesignPoint(pixel);
}

void TNX1100::markClicked(int index) {
    const QString label = QStringLiteral("Label%1").arg(index + 1, 3, 10, QLatin1Char('0'));
    const std::optional<TDCHART> row = ReadPointByLabel(label);
    if (!row) return;
    m_clickedLabel = label;
    m_popupMenu1->popup(windowPoint(row->Gleft + 10, row->Gtop + 35));
}

void TNX1100::openPopupPage(int page) {
    const std::optional<TDCHART> row = ReadPointByLabel(m_clickedLabel);
    if (!row || page < 1 || page > 4) return;
    if (row->F[page] == 1) return; // that page of the employee is open already
    const QString heading = QString::number(row->Sco) + QStringLiteral("  ") + row->Sna;
    SetPopupPageOpen(row->Sco, page, true);
    TPlotEmployee employee = ReadPlotEmployee(row->Sco).value_or(TPlotEmployee{});
    employee.sco = row->Sco;
    if (page == 4) G().gMkigyou2.Frstkyu = employee.jiseki;
    auto *popup = new TNX1101(this);
    popup->prepare(page, employee, heading);
    popup->move(windowPoint(row->Gleft + 10, row->Gtop + 35));
    popup->show();
    m_popups << popup;
    ++m_popupCount;
}

QList<TNX1101 *> TNX1100::popups() const {
    QList<TNX1101 *> out;
    for (const QPointer<TNX1101> &p : m_popups)
        if (p) out << p.data();
    return out;
}

// The pop-up pages go with the chart they were opened from. A page still open is marked
// closed, so that it can be opened again while the point set lasts.
void TNX1100::destroyPopups() {
    for (const QPointer<TNX1101> &p : m_popups) {
        if (!p) continue;
        if (p->isVisible()) p->closePage();
        delete p.data();
    }
    m_popups.clear();
}

void TNX1100::mnMatrixClick() {
    const std::optional<TDCHART> row = ReadPointByLabel(m_clickedLabel);
    if (!row) return;
    Tfrm1105 dialog(this);
    dialog.prepare(row->Sco);
    dialog.move(windowPoint(row->Gleft + 10, row->Gtop));
    ShowModal(&dialog);
}

void TNX1100::captureDesignPoint(QPoint pixel) {
    if (designNumber(true) == 0) return;
    if (m_captured.size() >= size_t(kMaxCaptured)) {
        ShowMessage(kMsgSixPoints);
        return;
    }
    const PlotGeometry geometry = PlotGeometryFor(m_size, m_chart);
    m_captured.push_back(DesignPointAt(geometry, pixel));
    m_chart.captured.push_back(geometry.value(pixel)); // drawn where the click was
    m_canvas->redraw();
}

void TNX1100::btnImportClick() {
    if (m_captured.size() < 2) {
        ShowMessage(kMsgTooFewPoints);
        return;
    }
    const int number = designNumber(true);
    if (number == 0) return;
    ProjectState &g = G();
    TDSPDRAW design;
    {
        const TBusyCursor busy;
        g.gCurveColor = QStringLiteral("clBlack");
        g.gCurveType = 1;
        g.gCurveWidth = 1;
        design.Sdco = number;
        design.X = g.gChartFx;
        design.Y = g.gChartFy;
        design.Fchks = 1;
        design.Fren = g.gDesignLegend[number - 1];
        for (size_t i = 0; i < m_captured.size(); ++i) {
            design.Snenrei[i + 1] = m_captured[i].x;
            design.Skin[i + 1] = double(m_captured[i].yen);
        }
        design.Scolor = g.gCurveColor;
        design.Ssyurui = g.gCurveType;
        design.Shaba = g.gCurveWidth;
        if (!StoreDesign(design)) return; // the failure has been shown; the points stay
        m_captured.clear();
        m_chart.captured.clear();
        m_txtDispNo->setFixedWidth(kPanelWidth - 4 - 17 - 2);
        m_txtDispNo->setText(QStringLiteral("0"));
        m_dispNo = 0;
    }
    execute();
    emit designStored();
}

void TNX1100::btn1DltClick() {
    if (m_captured.empty()) {
        ShowMessage(kMsgNoPointToDelete);
        return;
    }
    m_captured.pop_back();
    m_chart.captured.pop_back();
    execute();
}
