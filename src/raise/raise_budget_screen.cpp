#include "raise_budget_screen.h"

#include "band_loaders.h"
#include "budget_store.h"
#include "csv_text.h"
#include "form_helpers.h"
#include "loaders.h"
#include "message_seam.h"
#include "print_preview.h"
#include "raise_budget_chart.h"
#include "raise_input.h"
#include "report_engine.h"
#include "report_store.h"
#include "report_template.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

const QString kMsgInvalid = QStringLiteral("有効な数字を入力して下さい。");
const QString kMsgNegative = QStringLiteral("０以上の値を入力して下さい。");
const QString kCaptionApply = QStringLiteral("適用");
const QString kAskApply = QStringLiteral(
    "すべてのマトリクスの昇給率を調整後の値（小数2桁）に書き換えます。\r\nよろしいですか？");
const QString kMsgApplied = QStringLiteral("マトリクスの昇給率を書き換えました。");
const QString kMsgNoFit = QStringLiteral("先に「原資に合わせる」で係数を求めて下さい。");
const QString kMsgNoMatrix = QStringLiteral("書き換えるマトリクスがありません。");
const QString kMsgBelowReach =
    QStringLiteral("昇給率をすべて0にしても昇給予定が原資を超えます（マトリクス以外の昇給）。");
const QString kMsgBeyondReach =
    QStringLiteral("昇給率を%1倍にしても原資に届きません（バンドの上限で止まります）。");
const QString kMsgNothingToPrint = QStringLiteral("印刷対象データは有りません。");
const QString kCsvCaption = QStringLiteral("NXｳﾞｧﾙﾃﾝ");
const QString kCaptionSave = QStringLiteral("画像の保存");
const QString kSaveFilter = QStringLiteral("PNG画像 (*.png)");
const QString kMsgSaveFailed = QStringLiteral("画像を保存できませんでした。");
const QString kMsgCsvTextLost =
    QStringLiteral("ただし、Shift_JISで表せない文字は「?」で出力しました。");

const QColor kOverBudget(200, 30, 30);
const QColor kWithinBudget(20, 110, 50);

QString yenText(qint64 amount) {
    return FormatAmount(amount) + QStringLiteral(" 円");
}

// A number typed into a budget box: digits with an optional sign, separators, decimals and a
// trailing "%" or "円"; false when it is none.
bool parseBudget(QString text, double &value) {
    text = text.trimmed();
    text.remove(QLatin1Char(','));
    text.remove(QStringLiteral("円"));
    text.remove(QLatin1Char('%'));
    text = text.trimmed();
    bool ok = false;
    value = text.toDouble(&ok);
    return ok && std::isfinite(value);
}

QTableWidget *makeGrid(QWidget *parent, const char *name, const QStringList &headings) {
    auto *grid = new QTableWidget(0, static_cast<int>(headings.size()), parent);
    grid->setObjectName(QLatin1String(name));
    grid->setHorizontalHeaderLabels(headings);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(22);
    grid->setAlternatingRowColors(true);
    grid->horizontalHeader()->setHighlightSections(false);
    return grid;
}

void setRow(QTableWidget *grid, int row, const QStringList &texts, int firstRight = 1) {
    for (int c = 0; c < texts.size(); ++c) {
        auto *item = new QTableWidgetItem(texts[c]);
        item->setTextAlignment(Qt::AlignVCenter |
                               (c >= firstRight ? Qt::AlignRight : Qt::AlignLeft));
        grid->setItem(row, c, item);
    }
}

// A figure of the summary: a caption above a large value.
QLabel *makeFigure(QWidget *parent, QGridLayout *layout, int column, const char *name,
                   const QString &caption) {
    auto *title = new QLabel(caption, parent);
    title->setStyleSheet(QStringLiteral("color: #4a5a6a;"));
    auto *value = new QLabel(parent);
    value->setObjectName(QLatin1String(name));
    QFont font = value->font();
    font.setPixelSize(20);
    font.setBold(true);
    value->setFont(font);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(title, 0, column);
    layout->addWidget(value, 1, column);
    return value;
}

} // namespace

// The picture area: paints the picture of the screen's figures and names the employee under
// the mouse.
class TBudgetChartView : public QWidget {
public:
    TBudgetChartView(QWidget *parent, const TBudgetReportData &data)
        : QWidget(parent), m_data(data) {
        setObjectName(QStringLiteral("imgPosition"));
        setMinimumSize(420, 300);
        setMouseTracking(true);
    }
    QString toolTipAt(QPoint at) const {
        const BudgetChartLayout layout = LayOutBudgetChart(size(), m_data.bands, m_data.position);
        const int n = BudgetChartPointAt(layout, at);
        if (n < 0) return {};
        const TPositionPoint &p = m_data.position.points[n];
        const TBudgetEmployee &e = m_data.employees[p.employee];
        return QStringLiteral("%1　%2\n%3　%4 → %5")
            .arg(e.code, e.name, m_data.bands[p.band].name, FormatAmount(p.pay),
                 FormatAmount(p.newPay));
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        RenderBudgetChart(painter, size(), m_data.bands, m_data.position);
    }
    bool event(QEvent *e) override {
        if (e->type() == QEvent::ToolTip) {
            const auto *help = static_cast<QHelpEvent *>(e);
            const QString text = toolTipAt(help->pos());
            if (text.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), text, this);
            return true;
        }
        return QWidget::event(e);
    }

private:
    const TBudgetReportData &m_data;
};

TfrmRaiseBudget::TfrmRaiseBudget(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmRaiseBudget"));
    setWindowTitle(kBudgetTitle);
    build();
}

TfrmRaiseBudget::~TfrmRaiseBudget() = default;

void TfrmRaiseBudget::build() {
    m_exits = new TFieldExits(this);
    m_chart = new TBudgetChartView(this, m_data);

    m_grdBands = makeGrid(this, "grdBands", BandTableHeadings());
    m_grdBands->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grdBands->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabLists"));
    m_grdAbove = makeGrid(m_tabs, "grdAbove", LimitHeadings(true));
    m_grdBelow = makeGrid(m_tabs, "grdBelow", LimitHeadings(false));
    for (QTableWidget *grid : {m_grdAbove, m_grdBelow}) {
        grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
        grid->setToolTip(QStringLiteral("ダブルクリックで昇給管理入力を開きます"));
    }
    connect(m_grdAbove, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { grdAboveDblClick(row); });
    connect(m_grdBelow, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { grdBelowDblClick(row); });
    m_tabs->addTab(m_grdAbove, QString());
    m_tabs->addTab(m_grdBelow, QString());
    m_tabs->addTab(buildFit(), QStringLiteral("原資への調整"));

    auto *right = new QSplitter(Qt::Vertical, this);
    right->addWidget(m_grdBands);
    right->addWidget(m_tabs);
    right->setStretchFactor(0, 1);
    right->setStretchFactor(1, 1);
    right->setSizes({262, 210}); // the table of a design of up to nine bands shows whole
    auto *middle = new QSplitter(Qt::Horizontal, this);
    middle->addWidget(m_chart);
    middle->addWidget(right);
    middle->setStretchFactor(0, 4);
    middle->setStretchFactor(1, 6);
    middle->setSizes({500, 740});
    middle->setChildrenCollapsible(false);

    m_btnPrint = MakeButton(this, "btnPrint", QStringLiteral("印　刷"));
    m_cdCsv = MakeButton(this, "cdCsv", QStringLiteral("CSV出力"));
    m_btnCopy = MakeButton(this, "btnCopy", QStringLiteral("コピー"));
    m_btnSave = MakeButton(this, "btnSave", QStringLiteral("画像保存"));
    m_btnClose = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    m_exits->onClick(m_btnPrint, [this] { btnPrintClick(); });
    m_exits->onClick(m_cdCsv, [this] { cdCsvClick(); });
    m_exits->onClick(m_btnCopy, [this] { btnCopyClick(); });
    m_exits->onClick(m_btnSave, [this] { btnSaveClick(); });
    connect(m_btnClose, &QPushButton::clicked, this, &TfrmRaiseBudget::btnCloseClick);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {m_btnPrint, m_cdCsv, m_btnCopy, m_btnSave, m_btnClose}) {
        b->setMinimumWidth(92);
        buttons->addWidget(b);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildBudget());
    layout->addWidget(middle, 1);
    layout->addLayout(buttons);
    InstallEnterMovesFocus(this);
    SizeToFit(this, kScreenBudget);
}

QWidget *TfrmRaiseBudget::buildBudget() {
    auto *box = new QGroupBox(QStringLiteral("昇給原資"), this);
    auto *grid = new QGridLayout(box);
    grid->setHorizontalSpacing(22);
    m_txtBudgetRate = MakeEdit(box, "txtBudgetRate", 8, Align::Right);
    m_txtBudgetAmount = MakeEdit(box, "txtBudgetAmount", 15, Align::Right);
    m_txtBudgetRate->setFixedWidth(90);
    m_txtBudgetAmount->setFixedWidth(150);
    m_txtBudgetRate->setToolTip(QStringLiteral("所定給総額（月額）に対する原資の率"));
    m_txtBudgetAmount->setToolTip(QStringLiteral("原資の金額（月額）"));
    connect(m_txtBudgetRate, &QLineEdit::textEdited, this, [this] { m_rateTyped = true; });
    connect(m_txtBudgetAmount, &QLineEdit::textEdited, this, [this] { m_amountTyped = true; });
    m_exits->watch(m_txtBudgetRate, [this] { return txtBudgetRateExit(); });
    m_exits->watch(m_txtBudgetAmount, [this] { return txtBudgetAmountExit(); });
    auto *inputs = new QGridLayout;
    inputs->addWidget(new QLabel(QStringLiteral("率（％）"), box), 0, 0);
    inputs->addWidget(m_txtBudgetRate, 1, 0);
    inputs->addWidget(new QLabel(QStringLiteral("金額（円）"), box), 0, 1);
    inputs->addWidget(m_txtBudgetAmount, 1, 1);
    grid->addLayout(inputs, 0, 0, 2, 1);
    m_labFixedTotal =
        makeFigure(box, grid, 1, "labFixedTotal", QStringLiteral("所定給総額（月額）"));
    m_labRaiseTotal = makeFigure(box, grid, 2, "labRaiseTotal", QStringLiteral("昇給予定総額"));
    m_labRaiseRate = makeFigure(box, grid, 3, "labRaiseRate", QStringLiteral("昇給予定率"));
    m_labDifference = makeFigure(box, grid, 4, "labDifference", QStringLiteral("原資との差額"));
    grid->setColumnStretch(5, 1);
    // The fit starts here, beside the figures it changes; its results have a page of their own.
    m_btnFit = MakeButton(box, "btnFit", QStringLiteral("原資に合わせる"));
    m_btnFit->setToolTip(
        QStringLiteral("すべてのマトリクスの昇給率に同じ係数を掛けて昇給予定を原資に合わせます"));
    m_exits->onClick(m_btnFit, [this] { btnFitClick(); });
    grid->addWidget(m_btnFit, 1, 6);
    return box;
}

QWidget *TfrmRaiseBudget::buildFit() {
    auto *page = new QWidget(this);
    m_btnApply = MakeButton(page, "btnApply", kCaptionApply);
    m_btnApply->setMinimumWidth(92);
    m_exits->onClick(m_btnApply, [this] { btnApplyClick(); });
    m_labFactor = new QLabel(page);
    m_labFactor->setObjectName(QStringLiteral("labFactor"));
    m_labFitTotal = new QLabel(page);
    m_labFitTotal->setObjectName(QStringLiteral("labFitTotal"));
    m_labFitTotal->setWordWrap(true);
    QStringList headings{QStringLiteral("マトリクス"), QStringLiteral("評価")};
    for (const QString &when : {QStringLiteral("現行"), QStringLiteral("調整後")})
        for (const QString &zone : {QStringLiteral("Ⅰ"), QStringLiteral("Ⅱ"), QStringLiteral("Ⅲ"),
                                    QStringLiteral("Ⅳ"), QStringLiteral("Ⅴ")})
            headings << when + zone;
    m_grdMatrices = makeGrid(page, "grdMatrices", headings);
    m_grdMatrices->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto *top = new QHBoxLayout;
    QFont bold = m_labFactor->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    m_labFactor->setFont(bold);
    top->addWidget(m_labFactor);
    top->addStretch();
    top->addWidget(m_btnApply);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(m_labFitTotal);
    layout->addWidget(m_grdMatrices, 1);
    return page;
}

// --- Loading and showing ----------------------------------------------------------------------

void TfrmRaiseBudget::prepare() {
    TBusyCursor busy;
    load();
    showFigures();
}

void TfrmRaiseBudget::load() {
    // The tables the group raise reports compute with.
    LoadBandTbl();
    LoadMatTbl();
    LoadBandTbl2();
    const ProjectState &g = G();
    m_bandTable = g.gBandTbl;
    m_matrices = g.gMatTbl;
    m_data.bands = BudgetBands(g.gBandTbl2);
    m_data.budget = ReadRaiseBudget();
    m_data.employees.clear();
    const std::vector<TReportEmployee> employees = ReportEmployees(TReportRange{});
    m_data.employees.reserve(employees.size());
    for (const TReportEmployee &r : employees) {
        TBudgetEmployee e;
        e.sco = r.sco;
        e.code = r.scot;
        e.name = r.sna;
        e.pay.current = r.kkyu;
        e.pay.entered = r.nkkyu;
        e.pay.wageTableAmount = r.nkin;
        e.pay.wageItem = r.jiseki;
        e.pay.link = r.mlink;
        e.pay.newBand = r.newBand;
        e.pay.newEvaluation = r.newEvaluation;
        for (int j = 1; j <= 5; ++j) {
            e.allowances += r.teate[j];
            e.newAllowances += r.nteate[j];
        }
        m_data.employees.push_back(std::move(e));
    }
    // Employees by code, as the lists of the other screens show them.
    std::stable_sort(
        m_data.employees.begin(), m_data.employees.end(),
        [](const TBudgetEmployee &a, const TBudgetEmployee &b) { return a.sco < b.sco; });
    m_data.position = ComputeBudgetPosition(m_data.bands, MatrixRaiseTable(m_bandTable, m_matrices),
                                            m_data.employees);
    clearFit();
}

qint64 TfrmRaiseBudget::budgetAmount() const {
    return BudgetAmount(m_data.budget, m_data.position.fixedTotal);
}

void TfrmRaiseBudget::showFigures() {
    showBudget();
    showTable();
    showList(m_grdAbove, m_data.position.above, true);
    showList(m_grdBelow, m_data.position.below, false);
    m_tabs->setTabText(0, QStringLiteral("上限超（%1名）").arg(m_data.position.above.size()));
    m_tabs->setTabText(1, QStringLiteral("下限未満（%1名）").arg(m_data.position.below.size()));
    // The list with people in it comes to the front (the fit's page stays where it is).
    if (m_tabs->currentIndex() < 2)
        m_tabs->setCurrentIndex(
            m_data.position.above.empty() && !m_data.position.below.empty() ? 1 : 0);
    showMatrices();
    m_chart->update();
}

void TfrmRaiseBudget::showBudget() {
    const TBudgetPosition &p = m_data.position;
    const TRaiseBudget &b = m_data.budget;
    m_rateTyped = m_amountTyped = false;
    m_txtBudgetRate->setText(
        QString::number(RoundHalfUp(3, BudgetPercent(b, p.fixedTotal)), 'f', 2));
    m_txtBudgetAmount->setText(FormatAmount(budgetAmount()));
    m_labFixedTotal->setText(yenText(p.fixedTotal));
    m_labRaiseTotal->setText(yenText(p.raiseTotal));
    m_labRaiseRate->setText(RatePercentText(p.raisePercent()));
    const qint64 difference = p.raiseTotal - budgetAmount();
    // Over budget shows the excess in red with a sign; within it the room left in green.
    m_labDifference->setText((difference > 0 ? QStringLiteral("+") : QString()) +
                             yenText(difference));
    QPalette palette = m_labDifference->palette();
    palette.setColor(QPalette::WindowText, difference > 0 ? kOverBudget : kWithinBudget);
    m_labDifference->setPalette(palette);
    m_labDifference->setToolTip(difference > 0 ? QStringLiteral("原資を超えています")
                                               : QStringLiteral("原資の範囲内です"));
}

void TfrmRaiseBudget::showTable() {
    const std::vector<QStringList> lines = BandTableLines(m_data);
    m_grdBands->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < static_cast<int>(lines.size()); ++r)
        setRow(m_grdBands, r, lines[r]);
    if (!lines.empty()) {
        QFont bold = m_grdBands->font();
        bold.setBold(true);
        for (int c = 0; c < m_grdBands->columnCount(); ++c)
            if (QTableWidgetItem *item = m_grdBands->item(m_grdBands->rowCount() - 1, c))
                item->setFont(bold);
    }
    // Employees outside the band stand out in the colours of their dots.
    for (int r = 0; r < static_cast<int>(m_data.bands.size()); ++r) {
        if (m_data.position.bands[r].below > 0)
            m_grdBands->item(r, 8)->setForeground(kChartDotBelow);
        if (m_data.position.bands[r].above > 0)
            m_grdBands->item(r, 9)->setForeground(kChartDotAbove);
    }
}

void TfrmRaiseBudget::showList(QTableWidget *grid, const std::vector<TLimitRow> &rows, bool above) {
    grid->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        setRow(grid, r, LimitTexts(m_data, rows[r]), 3);
        grid->item(r, 5)->setForeground(above ? kChartDotAbove : kChartDotBelow);
    }
}

void TfrmRaiseBudget::clearFit() {
    m_fitted = false;
    m_fit = TBudgetFit{};
}

void TfrmRaiseBudget::showMatrices() {
    const std::vector<TMatrixCellRow> rows = ProjectMatrixCells();
    m_grdMatrices->setRowCount(static_cast<int>(rows.size()));
    int zones = 0;
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const TMatrixCellRow &cell = rows[r];
        const int shown = std::clamp(cell.zones, 0, 5);
        zones = std::max(zones, shown);
        QStringList texts{QString::number(cell.matrixId) + kCodeNameSeparator + cell.matrixName,
                          cell.symbol.isEmpty() ? QString::number(cell.evaluation) : cell.symbol};
        for (int z = 1; z <= 5; ++z)
            texts << (z <= shown ? RatePercentText(cell.up[z]) : QString());
        for (int z = 1; z <= 5; ++z)
            texts << (m_fitted && z <= shown ? RatePercentText(ScaledRate(cell.up[z], m_fit.factor))
                                             : QString());
        setRow(m_grdMatrices, r, texts, 2);
        for (int z = 1; z <= shown && m_fitted; ++z)
            if (QTableWidgetItem *item = m_grdMatrices->item(r, 6 + z))
                item->setBackground(QColor(255, 248, 225));
    }
    for (int z = 1; z <= 5; ++z) {
        m_grdMatrices->setColumnHidden(1 + z, z > zones);
        m_grdMatrices->setColumnHidden(6 + z, z > zones);
    }
    if (!m_fitted) {
        m_labFactor->setText(QStringLiteral("係数：－"));
        m_labFitTotal->setText(QStringLiteral(
            "すべてのマトリクスの昇給率に同じ係数を掛けて、昇給予定総額を原資に合わせます。"));
    }
    m_btnApply->setEnabled(m_fitted && m_fit.result == TBudgetFit::Fitted && !rows.empty());
}

QImage TfrmRaiseBudget::chartImage() const {
    return BudgetChartImage(m_chart->size(), m_data.bands, m_data.position);
}

QString TfrmRaiseBudget::chartToolTip(QPoint at) const {
    return m_chart->toolTipAt(at);
}

// --- The budget -------------------------------------------------------------------------------

bool TfrmRaiseBudget::budgetExit(QLineEdit *edit, int kind, bool &typed) {
    if (!typed) return true;
    double value = 0.0;
    if (!parseBudget(edit->text(), value)) return RefuseField(edit, kMsgInvalid);
    if (value < 0) return RefuseField(edit, kMsgNegative);
    typed = false;
    TRaiseBudget budget = m_data.budget;
    budget.kind = kind;
    if (kind == TRaiseBudget::Percent) {
        budget.percent = RoundHalfUp(3, value);
        budget.amount = BudgetAmount(budget, m_data.position.fixedTotal);
    } else {
        budget.amount = ToInt64(RoundHalfUp(1, value));
        budget.percent = BudgetPercent(budget, m_data.position.fixedTotal);
    }
    const bool same = budget.kind == m_data.budget.kind &&
                      BudgetAmount(budget, m_data.position.fixedTotal) == budgetAmount() &&
                      budget.percent == m_data.budget.percent;
    if (!same) {
        // A budget that could not be kept is not shown as if it were.
        if (!SaveRaiseBudget(budget)) {
            showBudget();
            return true;
        }
        m_data.budget = budget;
        clearFit();
        showMatrices();
    }
    showBudget();
    return true;
}

bool TfrmRaiseBudget::txtBudgetRateExit() {
    return budgetExit(m_txtBudgetRate, TRaiseBudget::Percent, m_rateTyped);
}

bool TfrmRaiseBudget::txtBudgetAmountExit() {
    return budgetExit(m_txtBudgetAmount, TRaiseBudget::Amount, m_amountTyped);
}

// --- Fit and apply ----------------------------------------------------------------------------

void TfrmRaiseBudget::btnFitClick() {
    {
        TBusyCursor busy;
        m_fit = FitToBudget(m_bandTable, m_matrices, m_data.employees, budgetAmount());
        m_fitted = true;
    }
    showMatrices();
    m_labFactor->setText(QStringLiteral("係数：%1").arg(QString::number(m_fit.factor, 'f', 4)));
    const qint64 budget = budgetAmount();
    m_labFitTotal->setText(
        QStringLiteral("調整後の昇給予定総額 %1（率は小数2桁で保存）　原資 %2　差額 %3")
            .arg(yenText(m_fit.appliedTotal), yenText(budget),
                 yenText(m_fit.appliedTotal - budget)));
    m_tabs->setCurrentIndex(2);
    if (m_fit.result == TBudgetFit::BelowReach)
        ShowMessage(kMsgBelowReach, QString(), MsgIcon::Warning);
    else if (m_fit.result == TBudgetFit::BeyondReach)
        ShowMessage(kMsgBeyondReach.arg(kMaxBudgetFactor), QString(), MsgIcon::Warning);
}

void TfrmRaiseBudget::btnApplyClick() {
    if (!m_fitted || m_fit.result != TBudgetFit::Fitted) {
        ShowMessage(kMsgNoFit);
        return;
    }
    std::vector<TMatrixCellRow> rows = ProjectMatrixCells();
    if (rows.empty()) {
        ShowMessage(kMsgNoMatrix);
        return;
    }
    if (!AskYesNo(kAskApply, kCaptionApply)) return;
    for (TMatrixCellRow &row : rows)
        for (int z = 1; z <= 5; ++z)
            row.up[z] = ScaledRate(row.up[z], m_fit.factor);
    // A failed write has shown the data module's message and left every rate as it was.
    if (!SaveMatrixCellRates(rows)) return;
    {
        TBusyCursor busy;
        load();
        showFigures();
    }
    ShowMessage(kMsgApplied);
}

// --- Lists ------------------------------------------------------------------------------------

void TfrmRaiseBudget::openRaiseInput(const std::vector<TLimitRow> &rows, int row) {
    if (row < 0 || row >= static_cast<int>(rows.size())) return;
    const int sco = m_data.employees[rows[row].employee].sco;
    TNX3010 dialog(this);
    dialog.prepare(LoadWageTable());
    dialog.showEmployee(sco);
    ShowModal(&dialog);
    // The raise input may have changed the employee's raise.
    TBusyCursor busy;
    load();
    showFigures();
}

void TfrmRaiseBudget::grdAboveDblClick(int row) {
    const std::vector<TLimitRow> rows = m_data.position.above;
    openRaiseInput(rows, row);
}

void TfrmRaiseBudget::grdBelowDblClick(int row) {
    const std::vector<TLimitRow> rows = m_data.position.below;
    openRaiseInput(rows, row);
}

int TfrmRaiseBudget::ShowModal(QDialog *dialog) {
    return dialog->exec();
}

// --- Output -----------------------------------------------------------------------------------

void TfrmRaiseBudget::btnPrintClick() {
    ProjectState &g = G();
    g.gPreviewFile.clear();
    if (m_data.employees.empty()) {
        ShowMessage(kMsgNothingToPrint);
        return;
    }
    const QString reportDir = g.gAppPath + QStringLiteral("Report");
    {
        TBusyCursor busy;
        InstallShippedTemplates(reportDir);
        RefreshToday();
        try {
            TReportEngine engine;
            g.gPreviewFile = LayOutBudgetReport(engine, reportDir, m_data,
                                                NendoText(g.gReki, g.gNendo), g.gKna, g.gToday);
        } catch (const TReportError &error) {
            ShowMessage(error.message(), QString(), MsgIcon::Error);
            return;
        }
    }
    TfrmPrintPreview preview(this);
    preview.prepare();
    ShowModal(&preview);
}

void TfrmRaiseBudget::cdCsvClick() {
    if (!AskYesNo(kBudgetTitle + QStringLiteral("を") + G().gAppPath +
                      QStringLiteral("CSVへ出力します。\r\nよろしいですか？"),
                  kCsvCaption))
        return;
    const QString path = BudgetCsvPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    bool exact = true;
    const QByteArray bytes = EncodeCp932(BudgetCsvText(m_data), &exact);
    // Written under a temporary name and renamed: a failure leaves no partial file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        ShowMessage(kMsgCsvFailed + QDir::toNativeSeparators(path), QString(), MsgIcon::Error);
        return;
    }
    const QString done =
        QStringLiteral("CSVデレクトリに") + kBudgetTitle + QStringLiteral("が出力されました。");
    if (exact)
        ShowMessage(done);
    else
        ShowMessage(done + QStringLiteral("\r\n") + kMsgCsvTextLost, QString(), MsgIcon::Warning);
}

void TfrmRaiseBudget::btnCopyClick() {
    QApplication::clipboard()->setImage(chartImage());
}

void TfrmRaiseBudget::btnSaveClick() {
    const QString path = Seam().saveFile(
        kCaptionSave, G().gAppPath + kBudgetTitle + QStringLiteral(".png"), kSaveFilter);
    if (path.isEmpty()) return;
    if (!chartImage().save(path, "PNG")) ShowMessage(kMsgSaveFailed, QString(), MsgIcon::Warning);
}

void TfrmRaiseBudget::btnCloseClick() {
    m_exits->forgetPending();
    reject();
}
