#include "raise_curve_design.h"

#include "chart_store.h"
#include "colour_text.h"
#include "design_legend.h"
#include "design_point_set.h"
#include "design_report.h"
#include "design_store.h"
#include "form_helpers.h"
#include "loaders.h"
#include "message_seam.h"
#include "plot_chart.h"
#include "plot_window.h"
#include "print_preview.h"
#include "register_kit.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kMsgSaveFirst = QStringLiteral("ﾃﾞｰﾀが変更されています。登録　してください。");
const QString kMsgNoData = QStringLiteral("グラフに表示するデータがありません。");

constexpr QSize kScreenSize(850, 600);

// "１" .. "９".
QString wideDigit(int n) {
    return QString(QChar(0xFF10 + n));
}

QString numbered(const char *prefix, int n) {
    return QLatin1String(prefix) + QString::number(n);
}

// The caption of a design's row label: the item's name and the design number.
QString rowCaption(const QString &item, int design) {
    return item + wideDigit(design);
}

QGroupBox *radioGroup(QWidget *parent, const QString &title, QButtonGroup *&group,
                      const QList<std::pair<const char *, const char *>> &radios) {
    auto *box = new QGroupBox(title, parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(0);
    group = new QButtonGroup(box);
    int tag = 0;
    for (const auto &[name, caption] : radios) {
        auto *r = new QRadioButton(QString::fromUtf8(caption), box);
        r->setObjectName(QLatin1String(name));
        group->addButton(r, tag++);
        layout->addWidget(r);
    }
    layout->addStretch();
    return box;
}

} // namespace

TNX1050::TNX1050(QWidget *parent, TNX1051 *legend) : QDialog(parent), m_legend(legend) {
    setObjectName(QStringLiteral("TNX1050"));
    setWindowTitle(QStringLiteral("昇給カーブの設計"));
    if (!m_legend) m_legend = new TNX1051(this);
    m_exits = new TFieldExits(this);
    m_changes = new TChangeTracker(this);

    m_txtTitle = MakeEdit(this, "txtTitle");
    m_changes->watch(m_txtTitle, ChangeSource::User);
    auto *titleRow = new QHBoxLayout;
    titleRow->addWidget(new QLabel(QStringLiteral("タイトル"), this));
    titleRow->addWidget(m_txtTitle, 1);

    auto *designArea = new QWidget(this);
    buildDesigns(designArea);

    m_txtBikou = new QPlainTextEdit(this);
    m_txtBikou->setObjectName(QStringLiteral("txtBikou"));
    m_txtBikou->setTabChangesFocus(true);
    connect(m_txtBikou, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_changes->silenced()) m_changes->mark();
    });
    auto *bikouBox = new QGroupBox(QStringLiteral("解　説"), this);
    auto *bikouLayout = new QVBoxLayout(bikouBox);
    bikouLayout->setContentsMargins(4, 2, 4, 4);
    bikouLayout->addWidget(m_txtBikou);

    auto *btnExec = MakeButton(this, "btnExec", QStringLiteral("実　行"));
    auto *btnAdd = MakeButton(this, "btnAdd", QStringLiteral("登　録"));
    auto *btnSalaryList = MakeButton(this, "btnSalaryList", QStringLiteral("賃金表"));
    auto *btnFile = MakeButton(this, "btnFile", QStringLiteral("CSV出力"));
    auto *btnClose = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    m_exits->onClick(btnExec, [this] { btnExecClick(); });
    m_exits->onClick(btnAdd, [this] { btnAddClick(); });
    m_exits->onClick(btnSalaryList, [this] { btnSalaryListClick(); });
    m_exits->onClick(btnFile, [this] { btnFileClick(); });
    connect(btnClose, &QPushButton::clicked, this, &TNX1050::btnCloseClick);
    auto *side = new QVBoxLayout;
    side->addWidget(bikouBox, 1);
    for (QPushButton *b : {btnExec, btnAdd, btnSalaryList, btnFile, btnClose})
        side->addWidget(b);

    auto *middle = new QHBoxLayout;
    middle->addWidget(designArea, 0, Qt::AlignTop);
    middle->addLayout(side, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(4);
    layout->addLayout(titleRow);
    layout->addLayout(middle);
    layout->addWidget(buildSettings());
    layout->addStretch();

    InstallEnterMovesFocus(this);
    setFixedSize(kScreenSize);
}

TNX1050::~TNX1050() = default;

// The point boxes of the five designs: for each design a row of ages and a row of amounts,
// its shown box, its legend choice and its legend button.
void TNX1050::buildDesigns(QWidget *area) {
    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);
    for (int p = 1; p <= 6; ++p) {
        auto *h = new QLabel(QStringLiteral("点") + wideDigit(p), area);
        h->setAlignment(Qt::AlignCenter);
        grid->addWidget(h, 0, p);
    }
    grid->addWidget(new QLabel(QStringLiteral("表示"), area), 0, 7);
    grid->addWidget(new QLabel(QStringLiteral("凡例"), area), 0, 8);
    auto *legendGroup = new QButtonGroup(area);
    for (int d = 1; d <= 5; ++d) {
        const int row = 2 * d - 1;
        for (int line = 0; line < 2; ++line) {
            const int n = row + line;
            auto *label = new QLabel(rowCaption(line == 0 ? QStringLiteral("年齢")
                                                          : QStringLiteral("職能給"),
                                                d),
                                     area);
            label->setObjectName(QStringLiteral("Label%1").arg(n, 3, 10, QLatin1Char('0')));
            label->setMinimumWidth(86);
            m_labels[n] = label;
            grid->addWidget(label, row + line, 0);
        }
        for (int p = 1; p <= 6; ++p) {
            const QByteArray suffix = QByteArray::number(d) + QByteArray::number(p);
            QLineEdit *age = MakeEdit(area, QByteArray("txtNenrei" + suffix).constData(), 3,
                                      Align::Right);
            QLineEdit *amount = MakeEdit(area, QByteArray("txtSyokunou" + suffix).constData(),
                                         10, Align::Right);
            age->setFixedWidth(74);
            amount->setFixedWidth(74);
            m_txtNenrei[d][p] = age;
            m_txtSyokunou[d][p] = amount;
            m_exits->watch(age, [this, age, d, p] { return pointExit(age, true, d, p); });
            m_exits->watch(amount, [this, amount, d, p] { return pointExit(amount, false, d, p); });
            grid->addWidget(age, row, p);
            grid->addWidget(amount, row + 1, p);
        }
        m_chk[d] = new QCheckBox(area);
        m_chk[d]->setObjectName(numbered("chk", d));
        m_changes->watch(m_chk[d], ChangeSource::User);
        grid->addWidget(m_chk[d], row, 7, 2, 1, Qt::AlignCenter);
        m_optHanrei[d] = new QRadioButton(area);
        m_optHanrei[d]->setObjectName(numbered("optHanrei", d));
        legendGroup->addButton(m_optHanrei[d], d);
        m_changes->watch(m_optHanrei[d], ChangeSource::User);
        grid->addWidget(m_optHanrei[d], row, 8, 2, 1, Qt::AlignCenter);
        QPushButton *hanrei = MakeButton(area, numbered("btnHanrei", d).toLatin1().constData(),
                                         QStringLiteral("凡　　例"));
        m_exits->onClick(hanrei, [this, d] { btnHanreiClick(d); });
        grid->addWidget(hanrei, row, 9, 2, 1, Qt::AlignVCenter);
    }
    connect(legendGroup, &QButtonGroup::idClicked, this, [](int d) {
        ProjectState &g = G();
        for (int n = 1; n <= 5; ++n)
            g.gDesignLegend[n - 1] = n == d ? 1 : 0;
    });
}

// The chart settings: X and Y item, plot marks, grades, work type, mark label, plot display.
QWidget *TNX1050::buildSettings() {
    auto *area = new QWidget(this);
    auto *row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);

    row->addWidget(radioGroup(area, QStringLiteral("X軸　項目"), m_xGroup,
                              {{"optXNenrei", "年　　齢"},
                               {"optXKinzoku", "勤　　続"},
                               {"optXKeiken", "経　　験"},
                               {"optXGouhou", "号　　俸"},
                               {"optXTassei", "達 成 率"},
                               {"optXSyokumu", "職務評価"}}));
    row->addWidget(radioGroup(area, QStringLiteral("Y軸　項目"), m_yGroup,
                              {{"optYKoumoku1", "項　目　Ⅰ"},
                               {"optYKoumoku2", "項　目　Ⅱ"},
                               {"optYKihon", "基　本　給"},
                               {"optYSyotei", "所　定　給"},
                               {"optY_Bonus", "年　賞　与"},
                               {"optYNensyu", "年　収　入"}}));
    connect(m_xGroup, &QButtonGroup::idClicked, this, &TNX1050::setXItem);
    connect(m_yGroup, &QButtonGroup::idClicked, this, &TNX1050::setYItem);

    auto *marks = new QGroupBox(QStringLiteral("プロットマーク"), area);
    auto *marksLayout = new QGridLayout(marks);
    marksLayout->setContentsMargins(6, 2, 6, 2);
    marksLayout->setSpacing(0);
    for (int k = 1; k <= 6; ++k) {
        m_optPlot[k] = new QCheckBox(marks);
        m_optPlot[k]->setObjectName(numbered("optPlot", k));
        m_changes->watch(m_optPlot[k], ChangeSource::User);
        marksLayout->addWidget(m_optPlot[k], k - 1, 0, 1, 2);
    }
    auto *btnPlotAll = MakeButton(marks, "btnPlotAll", QStringLiteral("ﾌﾟﾛｯﾄ全"));
    auto *btnPlotNothing = MakeButton(marks, "btnPlotNothing", QStringLiteral("ﾌﾟﾛｯﾄ無"));
    connect(btnPlotAll, &QPushButton::clicked, this, [this] { allMarks(true); });
    connect(btnPlotNothing, &QPushButton::clicked, this, [this] { allMarks(false); });
    marksLayout->addWidget(btnPlotAll, 6, 0);
    marksLayout->addWidget(btnPlotNothing, 6, 1);
    marks->setMinimumWidth(150);
    row->addWidget(marks);

    auto *grades = new QGroupBox(QStringLiteral("等級選択"), area);
    auto *gradesLayout = new QGridLayout(grades);
    gradesLayout->setContentsMargins(6, 2, 6, 2);
    gradesLayout->setHorizontalSpacing(2);
    gradesLayout->setVerticalSpacing(1);
    for (int k = 1; k <= 9; ++k) {
        m_optTokyu[k] = new QCheckBox(grades);
        m_optTokyu[k]->setObjectName(numbered("optTokyu", k));
        m_txtTokyu[k] = MakeEdit(grades, numbered("txtTokyu", k).toLatin1().constData());
        m_txtTokyu[k]->setReadOnly(true);
        m_txtTokyu[k]->setFocusPolicy(Qt::NoFocus);
        m_txtTokyu[k]->setFixedWidth(62);
        ShowLocked(m_txtTokyu[k], true);
        const int r = (k - 1) % 5, c = (k - 1) / 5 * 2;
        gradesLayout->addWidget(m_optTokyu[k], r, c);
        gradesLayout->addWidget(m_txtTokyu[k], r, c + 1);
    }
    auto *btnTokyuAll = MakeButton(grades, "btnTokyuAll", QStringLiteral("等級全"));
    auto *btnTokyuNothing = MakeButton(grades, "btnTokyuNothing", QStringLiteral("等級無"));
    connect(btnTokyuAll, &QPushButton::clicked, this, [this] { allGrades(true); });
    connect(btnTokyuNothing, &QPushButton::clicked, this, [this] { allGrades(false); });
    gradesLayout->addWidget(btnTokyuAll, 5, 0, 1, 2);
    gradesLayout->addWidget(btnTokyuNothing, 5, 2, 1, 2);
    row->addWidget(grades);

    QGroupBox *salary = radioGroup(area, QStringLiteral("就労形態"), m_salaryGroup,
                                   {{"optSalaryAll", "すべて"},
                                    {"optSalary1", ""},
                                    {"optSalary2", ""},
                                    {"optSalary3", ""},
                                    {"optSalary4", ""}});
    for (int w = 1; w <= 4; ++w)
        m_optSalary[w] = static_cast<QRadioButton *>(m_salaryGroup->button(w));
    row->addWidget(salary);

    auto *labelAndDisplay = new QVBoxLayout;
    labelAndDisplay->setSpacing(2);
    labelAndDisplay->addWidget(radioGroup(area, QStringLiteral("マークラベル"), m_markGroup,
                                          {{"optSeq", "シーケンス Ｎｏ"},
                                           {"optInput", "人事評価 記号"},
                                           {"optZone", "ゾーン"},
                                           {"optNodsp", "表示しない"}}));
    labelAndDisplay->addWidget(radioGroup(area, QStringLiteral("プロット表示"), m_plotGroup,
                                          {{"optPlotFalse", "0 : しない"},
                                           {"optPlotTrue", "1 : する"}}));
    row->addLayout(labelAndDisplay);
    for (QAbstractButton *b : m_markGroup->buttons())
        m_changes->watch(b, ChangeSource::User);
    for (QAbstractButton *b : m_plotGroup->buttons())
        m_changes->watch(b, ChangeSource::User);
    connect(m_markGroup, &QButtonGroup::idClicked, this, [](int kind) { G().gChartMarkr = kind; });
    row->addStretch();
    return area;
}

// --- Opening ----------------------------------------------------------------------------------

void TNX1050::prepare() {
    ProjectState &g = G();
    m_exits->forgetPending();
    LoadSalaryNames();
    for (int w = 1; w <= 4; ++w)
        m_optSalary[w]->setText(g.gSalaryTbl[w].SalaryName);

    TMCHART defaults;
    defaults.Cgraph = 1;
    const TChartRows rows = PrepareChart(kChartDesign, defaults);
    g.gChartFx = 0;
    g.gChartFy = 0;
    g.gChartMarkr = 0;
    g.gCurveColor = QStringLiteral("clBlack");
    g.gCurveType = 1;
    g.gCurveWidth = 1;
    {
        const auto quiet = m_changes->silence();
        m_plotGroup->button(1)->setChecked(true);
        for (int k = 1; k <= 9; ++k)
            m_txtTokyu[k]->setText(g.gMkigyou2.Tk[k]);
        m_txtTitle->setText(rows[1].Title);
        g.gChartTitle = rows[1].Title;
        if (rows[1].Cgraph == 0 || rows[1].Cgraph == 1)
            m_plotGroup->button(rows[1].Cgraph)->setChecked(true);
        const int mibun = rows[1].Mibun;
        m_salaryGroup->button(mibun >= 1 && mibun <= 4 ? mibun : 0)->setChecked(true);
        for (int k = 1; k <= 6; ++k) {
            const TMCHART &r = rows[k];
            g.gChartFx = r.Fx >= 0 && r.Fx <= 5 ? r.Fx : 0;
            g.gChartFy = r.Fy >= 0 && r.Fy <= 5 ? r.Fy : 0;
            m_optPlot[k]->setChecked(r.Fchk == 1);
            m_optTokyu[k]->setChecked(r.Toukyu == 1);
            if (k <= 3) m_optTokyu[k + 6]->setChecked(r.Toukyu1 == 1);
        }
        m_xGroup->button(g.gChartFx)->setChecked(true);
        m_yGroup->button(g.gChartFy)->setChecked(true);
        m_markGroup->button(0)->setChecked(true);
        for (int k = 1; k <= 6; ++k) {
            const TMMARK &m = g.gMarks[k];
            if (m.Mkco == 0) continue;
            m_optPlot[k]->setText(m.Mark + QStringLiteral(" ") + m.Hanrei);
            QPalette palette = m_optPlot[k]->palette();
            palette.setColor(QPalette::WindowText, ColourFromText(m.Mkcolor));
            palette.setColor(QPalette::ButtonText, ColourFromText(m.Mkcolor));
            m_optPlot[k]->setPalette(palette);
        }
    }
    showItemLabels();
    resetDesigns();
    loadDesigns();
    m_txtNenrei[1][1]->setFocus();
}

void TNX1050::reloadDesigns() {
    m_exits->forgetPending();
    resetDesigns();
    loadDesigns();
}

// The row labels name the X item (age rows) and the Y item (amount rows) of the designs.
void TNX1050::showItemLabels() {
    const QString x = m_xGroup->button(G().gChartFx)->text();
    const QString y = m_yGroup->button(G().gChartFy)->text();
    for (int d = 1; d <= 5; ++d) {
        m_labels[2 * d - 1]->setText(rowCaption(x, d));
        m_labels[2 * d]->setText(rowCaption(y, d));
    }
}

void TNX1050::setXItem(int fx) {
    G().gChartFx = fx;
    showItemLabels();
    reloadDesigns();
}

void TNX1050::setYItem(int fy) {
    G().gChartFy = fy;
    showItemLabels();
    reloadDesigns();
}

void TNX1050::resetDesigns() {
    const auto quiet = m_changes->silence();
    m_designs = {};
    for (int d = 1; d <= 5; ++d) {
        for (int p = 1; p <= 6; ++p) {
            m_txtNenrei[d][p]->setText(QStringLiteral("0"));
            m_txtSyokunou[d][p]->setText(QStringLiteral("0"));
        }
        m_chk[d]->setChecked(false);
    }
    m_optHanrei[1]->setChecked(true);
    m_txtBikou->clear();
    G().gDesignLegend = {1, 0, 0, 0, 0};
}

void TNX1050::loadDesigns() {
    ProjectState &g = G();
    {
        const auto quiet = m_changes->silence();
        for (int d = 1; d <= 5; ++d) {
            const std::optional<TDSPDRAW> row = ReadDesign(d, g.gChartFx, g.gChartFy);
            if (!row) continue;
            TDesignPoints &points = m_designs[d];
            for (int p = 1; p <= 6; ++p) {
                points.age[p] = row->Snenrei[p];
                points.amount[p] = row->Skin[p];
                m_txtNenrei[d][p]->setText(QString::number(points.age[p]));
                m_txtSyokunou[d][p]->setText(FormatAmount(ToInt64(points.amount[p])));
            }
            g.gDesignLegend[d - 1] = row->Fren;
            m_chk[d]->setChecked(row->Fchks == 1);
            if (d == 1) m_txtBikou->setPlainText(row->Kaisetsu);
            for (int n = 1; n <= 5; ++n)
                if (g.gDesignLegend[n - 1] == 1) m_optHanrei[n]->setChecked(true);
        }
    }
    m_changes->clear();
}

// A point box keeps a whole number of at most 3 (age) or 8 (amount) characters; an amount is
// shown with thousands separators.
bool TNX1050::pointExit(QLineEdit *box, bool age, int design, int point) {
    if (!CheckWholeNumberBox(box, age ? 3 : 8)) return false;
    int value = 0;
    ReadWholeNumber(box, value);
    if (age) {
        m_designs[design].age[point] = value;
        box->setText(QString::number(value));
    } else {
        m_designs[design].amount[point] = value;
        box->setText(FormatAmount(value));
    }
    return true;
}

// --- Commands ---------------------------------------------------------------------------------

void TNX1050::btnAddClick() {
    if (const std::optional<DesignPointFault> fault = FindDesignPointFault(m_designs)) {
        const QString where = QStringLiteral("設計") + wideDigit(fault->design) +
                              QStringLiteral("の点") + wideDigit(fault->point);
        if (fault->kind == DesignPointFault::Gap)
            RefuseField(m_txtNenrei[fault->design][fault->point],
                        where + QStringLiteral("が入力されていません。点は１から順に入力してく"
                                               "ださい。"));
        else
            RefuseField(m_txtNenrei[fault->design][fault->point],
                        where + QStringLiteral("のX軸の値が、前の点の値以下です。前の点より大き"
                                               "い値を入力してください。"));
        return;
    }
    const ProjectState &g = G();
    TDesignSave with;
    with.fx = g.gChartFx;
    with.fy = g.gChartFy;
    for (int d = 1; d <= 5; ++d) {
        with.shown[d] = m_chk[d]->isChecked() ? 1 : 0;
        with.legend[d] = g.gDesignLegend[d - 1];
    }
    with.description = m_txtBikou->toPlainText();
    with.colour = g.gCurveColor;
    with.type = g.gCurveType;
    with.width = g.gCurveWidth;
    if (!SaveDesigns(m_designs, with)) return;
    m_txtNenrei[1][1]->setFocus();
    m_changes->clear();
}

int TNX1050::workType() const {
    const int w = m_salaryGroup->checkedId();
    return w >= 1 && w <= 4 ? w : 0;
}

TChartRows TNX1050::chartRows() const {
    const ProjectState &g = G();
    TChartRows rows{};
    for (int k = 1; k <= 6; ++k) {
        TMCHART &r = rows[k];
        r.Fchk = m_optPlot[k]->isChecked() ? 1 : 0;
        r.Toukyu = m_optTokyu[k]->isChecked() ? 1 : 0;
        r.Toukyu1 = k <= 3 && m_optTokyu[k + 6]->isChecked() ? 1 : 0;
        r.Title = m_txtTitle->text();
        r.Fx = g.gChartFx;
        r.Fy = g.gChartFy;
        r.Markr = g.gChartMarkr;
        r.Cgraph = m_plotGroup->checkedId() == 1 ? 1 : 0;
        r.Mibun = workType();
    }
    return rows;
}

void TNX1050::btnExecClick() {
    ProjectState &g = G();
    if (m_changes->changed()) {
        ShowMessage(kMsgSaveFirst);
        m_txtNenrei[1][1]->setFocus();
        return;
    }
    // The plot window places its marks anew when it draws the new chart.
    g.gMarkLabelCount = 0;

    const TChartRows rows = chartRows();
    DesignChartChoice choice;
    choice.fx = g.gChartFx;
    choice.fy = g.gChartFy;
    choice.markr = g.gChartMarkr;
    for (int k = 1; k <= 6; ++k)
        choice.marks[k] = rows[k].Fchk;
    for (int k = 1; k <= 9; ++k)
        choice.grades[k] = m_optTokyu[k]->isChecked() ? 1 : 0;
    const std::vector<TDesignEmployee> employees = ReadDesignEmployees(workType());
    std::optional<DesignPointSet> set;
    if (!employees.empty()) set = BuildDesignPointSet(employees, choice, m_designs);
    bool plotted = false;
    if (!set) {
        ShowMessage(kMsgNoData);
    } else if (WriteChartPoints(set->points)) {
        g.gMkigyou2.Frstkyu = set->lastJiseki;
        g.gAxisXMin = set->xMin;
        g.gAxisXMax = set->xMax;
        g.gAxisYMin = set->yMin;
        g.gAxisYMax = set->yMax;
        g.gXAverage = set->xAverage;
        g.gYAverage = set->yAverage;
        plotted = true;
    }
    WriteChartRowsAnew(kChartDesign, rows);
    if (!plotted) {
        m_txtNenrei[1][1]->setFocus();
        return;
    }
    m_exits->forgetPending();
    if (TNX1100 *plot = PlotWindow())
        plot->handOver(this, m_txtTitle->text());
    else
        hide();
}

void TNX1050::btnCloseClick() {
    if (m_changes->changed() && AskStayOnChangedData()) {
        m_txtNenrei[1][1]->setFocus();
        return;
    }
    WriteChartRowsAnew(kChartDesign, chartRows());
    G().gMarkLabelCount = 0;
    ChartScreenClosed(kChartDesign);
    m_exits->forgetPending();
    m_changes->clear();
    QDialog::reject();
}

void TNX1050::reject() {
    btnCloseClick();
}

void TNX1050::btnHanreiClick(int design) {
    m_legend->prepare(design);
    ShowModal(m_legend);
}

// The wage table is computed from the points on the screen, saved or not.
bool TNX1050::wageTableInput(TDesignReportInput &input) {
    if (const std::optional<DesignWageFault> fault = FindDesignWageFault(m_designs)) {
        RefuseField(m_txtNenrei[fault->design][fault->point], DesignWageFaultText(*fault));
        return false;
    }
    const ProjectState &g = G();
    input.designs = m_designs;
    input.fx = g.gChartFx;
    input.fy = g.gChartFy;
    input.title = m_txtTitle->text();
    input.xCaption = m_xGroup->button(g.gChartFx)->text();
    input.yCaption = m_yGroup->button(g.gChartFy)->text();
    return true;
}

void TNX1050::btnSalaryListClick() {
    TDesignReportInput input;
    if (!wageTableInput(input)) return;
    TReportNotice notice;
    {
        TBusyCursor busy;
        RefreshToday();
        notice = PrintDesignWageTable(input, m_reportDate.isValid() ? m_reportDate : G().gToday);
    }
    if (!notice.text.isEmpty()) ShowMessage(notice.text, QString(), notice.icon);
    if (!G().gPreviewFile.isEmpty()) showPreview();
}

void TNX1050::btnFileClick() {
    TDesignReportInput input;
    if (!wageTableInput(input)) return;
    if (!AskDesignWageCsv()) return;
    TReportNotice notice;
    {
        TBusyCursor busy;
        notice = WriteDesignWageCsv(input);
    }
    ShowMessage(notice.text, QString(), notice.icon);
}

TfrmPrintPreview *TNX1050::preview() {
    if (!m_preview) m_preview = new TfrmPrintPreview(this);
    return m_preview;
}

void TNX1050::showPreview() {
    TfrmPrintPreview *p = preview();
    p->prepare();
    p->exec();
}

int TNX1050::ShowModal(QDialog *dialog) {
    return dialog->exec();
}

void TNX1050::allMarks(bool on) {
    for (int k = 1; k <= 6; ++k)
        m_optPlot[k]->setChecked(on);
    m_changes->mark();
}

void TNX1050::allGrades(bool on) {
    for (int k = 1; k <= 9; ++k)
        m_optTokyu[k]->setChecked(on);
    m_changes->mark();
}
