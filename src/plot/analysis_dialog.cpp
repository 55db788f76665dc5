#include "analysis_dialog.h"

#include "analysis_store.h"
#include "chart_store.h"
#include "colour_text.h"
#include "form_helpers.h"
#include "loaders.h"
#include "message_seam.h"
#include "plot_chart.h"
#include "plot_window.h"
#include "point_set.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <functional>

namespace {

const QString kMsgNoData = QStringLiteral("グラフに表示するデータがありません。");
const QString kMsgNoLivingCode =
    QStringLiteral("企業マスター　に、生計費コード　がセットされていません。");
const QString kMsgNoModelCode =
    QStringLiteral("企業マスター　に、モデルコード　がセットされていません。");

constexpr std::array<const char *, 6> kXNames = {"optXNenrei", "optXKinzoku", "optXKeiken",
                                                 "optXGouhou", "optXTassei",
                                                 "optXSyokumuHyouka"};
constexpr std::array<const char *, 6> kYNames = {"optYKoumoku1", "optYKoumoku2", "optYKihon",
                                                 "optYSyotei",   "optY_Bonus",   "optYNensyu"};
constexpr std::array<bool, 6> kAll = {true, true, true, true, true, true};

// The mark group captions of the design, shown until a project's marks replace them.
const char *const kPlotCaptions[] = {"", "■　男子営業", "□　女子営業", "●　男子事務", "○　女子事務",
                                     "", ""};
const char *const kGradeCaptions[] = {"",         "第１等級", "第２等級", "第３等級", "第４等級",
                                      "第５等級", "第６等級", "第７等級", "第８等級", "第９等級"};
const char *const kWorkTypeCaptions[] = {"", "職 能 給", "基 本 給", "所 定 給", "賞　　与"};

// Checks the button of `id`, or none when there is no such button.
void checkId(QButtonGroup *group, int id) {
    if (QAbstractButton *b = group->button(id)) {
        b->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton *b : group->buttons())
        b->setChecked(false);
    group->setExclusive(true);
}

QGroupBox *groupBox(QWidget *parent, const QString &title, QLayout *layout) {
    auto *box = new QGroupBox(title, parent);
    box->setLayout(layout);
    return box;
}

// A level percentage as typed; empty counts as 0.
bool levelValue(const QString &text, double &value) {
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        value = 0.0;
        return true;
    }
    bool ok = false;
    value = t.toDouble(&ok);
    return ok;
}

} // namespace

TAnalysisDialog::TAnalysisDialog(const Kind &kind, QWidget *parent)
    : QDialog(parent), m_kind(kind) {
    setObjectName(QLatin1String(kind.objectName));
    setWindowTitle(ChartCaption(kind.chart));
    m_changes = new TChangeTracker(this);
    m_exits = new TFieldExits(this);

    m_txtTitle = MakeEdit(this, "txtTitle", kind.titleLength);
    m_txtTitle->setMinimumWidth(420);
    m_changes->watch(m_txtTitle, ChangeSource::User);

    // A radio group whose clicks store the clicked tag in a project variable.
    const auto radioGroup = [this](const QString &title, const std::array<const char *, 6> &names,
                                   int count, const std::array<bool, 6> &offered,
                                   const std::function<QString(int)> &caption,
                                   int ProjectState::*variable, QButtonGroup *&group) {
        group = new QButtonGroup(this);
        auto *layout = new QVBoxLayout;
        for (int tag = 0; tag < count; ++tag) {
            auto *b = new QRadioButton(caption(tag), this);
            b->setObjectName(QLatin1String(names[tag]));
            b->setEnabled(offered[tag]);
            group->addButton(b, tag);
            layout->addWidget(b);
            m_changes->watch(b, ChangeSource::User);
        }
        connect(group, &QButtonGroup::idClicked, this, [variable](int id) { G().*variable = id; });
        return groupBox(this, title, layout);
    };
    QGroupBox *xBox = radioGroup(QStringLiteral("X軸　項目"), kind.xNames, 6, kind.xOffered,
                                 XItemName, &ProjectState::gChartFx, m_xItems);
    QGroupBox *yBox = radioGroup(QStringLiteral("Y軸　項目"), kind.yNames, 6, kind.yOffered,
                                 YItemName, &ProjectState::gChartFy, m_yItems);
    std::array<const char *, 6> markNames{};
    std::copy(kind.markNames.begin(), kind.markNames.end(), markNames.begin());
    QGroupBox *markBox = radioGroup(QStringLiteral("マークラベル"), markNames, 4, kAll,
                                    MarkLabelKindName, &ProjectState::gChartMarkr, m_markLabels);

    // Mark groups and grades: check boxes that set their flag, and all/none buttons.
    auto *plotLayout = new QGridLayout;
    for (int k = 1; k <= 6; ++k) {
        m_optPlot[k] = new QCheckBox(QString::fromUtf8(kPlotCaptions[k]), this);
        m_optPlot[k]->setObjectName(QStringLiteral("optPlot%1").arg(k));
        m_optPlot[k]->setMinimumWidth(150);
        m_changes->watch(m_optPlot[k], ChangeSource::User);
        connect(m_optPlot[k], &QCheckBox::clicked, this, [this, k](bool on) { m_plot[k] = on; });
        plotLayout->addWidget(m_optPlot[k], (k - 1) / 2, (k - 1) % 2);
    }
    QPushButton *btnPlotAll = MakeButton(this, "btnPlotAll", QStringLiteral("ﾌﾟﾛｯﾄ全"));
    QPushButton *btnPlotNothing =
        MakeButton(this, kind.plotNothingName, QStringLiteral("ﾌﾟﾛｯﾄ無"));
    plotLayout->addWidget(btnPlotAll, 3, 0);
    plotLayout->addWidget(btnPlotNothing, 3, 1);

    auto *gradeLayout = new QGridLayout;
    gradeLayout->setVerticalSpacing(2);
    for (int k = 1; k <= 9; ++k) {
        m_optTokyu[k] = new QCheckBox(this);
        m_optTokyu[k]->setObjectName(QStringLiteral("optTokyu%1").arg(k));
        m_changes->watch(m_optTokyu[k], ChangeSource::User);
        connect(m_optTokyu[k], &QCheckBox::clicked, this, [this, k](bool on) { m_grade[k] = on; });
        m_txtTokyu[k] = MakeEdit(this, qPrintable(QStringLiteral("txtTokyu%1").arg(k)));
        m_txtTokyu[k]->setText(QString::fromUtf8(kGradeCaptions[k]));
        m_txtTokyu[k]->setReadOnly(true);
        ShowLocked(m_txtTokyu[k], true);
        m_txtTokyu[k]->setFocusPolicy(Qt::NoFocus);
        m_txtTokyu[k]->setMinimumWidth(130);
        // Grades 1..5 in the first column, 6..9 in the second.
        const int row = (k - 1) % 5, column = (k - 1) / 5 * 2;
        gradeLayout->addWidget(m_optTokyu[k], row, column);
        gradeLayout->addWidget(m_txtTokyu[k], row, column + 1);
    }
    QPushButton *btnTokyuAll = MakeButton(this, "btnTokyuAll", QStringLiteral("等級全"));
    QPushButton *btnTokyuNothing = MakeButton(this, "btnTokyuNothing", QStringLiteral("等級無"));
    auto *gradeButtons = new QHBoxLayout;
    gradeButtons->addWidget(btnTokyuAll);
    gradeButtons->addWidget(btnTokyuNothing);
    gradeLayout->addLayout(gradeButtons, 4, 2, 1, 2);

    auto *workLayout = new QVBoxLayout;
    for (int i = 1; i <= 4; ++i) {
        m_optSalary[i] = new QRadioButton(QString::fromUtf8(kWorkTypeCaptions[i]), this);
        m_optSalary[i]->setObjectName(QStringLiteral("optSalary%1").arg(i));
        if (kind.workTypeMarksChange) m_changes->watch(m_optSalary[i], ChangeSource::User);
        workLayout->addWidget(m_optSalary[i]);
    }
    m_optSalaryAll = new QRadioButton(QStringLiteral("すべて"), this);
    m_optSalaryAll->setObjectName(QStringLiteral("optSalaryAll"));
    m_optSalaryAll->setChecked(true);
    m_changes->watch(m_optSalaryAll, ChangeSource::User);
    workLayout->addWidget(m_optSalaryAll);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QLatin1String(kind.memoName));
    m_memo->setTabChangesFocus(true);
    m_memo->setFixedHeight(70);
    m_changes->watch(m_memo, ChangeSource::Any);

    // The right column: the regression settings of chart 1020.
    auto *right = new QVBoxLayout;
    if (kind.regression) {
        m_degree = new QButtonGroup(this);
        auto *degreeLayout = new QVBoxLayout;
        const auto degreeRadio = [&](const char *name, const QString &caption, int tag) {
            auto *b = new QRadioButton(caption, this);
            b->setObjectName(QLatin1String(name));
            m_degree->addButton(b, tag);
            m_changes->watch(b, ChangeSource::User);
            degreeLayout->addWidget(b);
        };
        degreeRadio("opt2Jisiki", QStringLiteral("２次式"), 0);
        degreeRadio("opt3Jisiki", QStringLiteral("３次式"), 1);
        m_degree->button(0)->setChecked(true);
        connect(m_degree, &QButtonGroup::idClicked, this, [](int id) { G().gChartDegree = id; });
        right->addWidget(groupBox(this, QStringLiteral("近似式"), degreeLayout));

        m_optGraph = new QCheckBox(QStringLiteral("　表示"), this);
        m_optGraph->setObjectName(QStringLiteral("optGraph"));
        m_changes->watch(m_optGraph, ChangeSource::User);
        auto *graphLayout = new QVBoxLayout;
        graphLayout->addWidget(m_optGraph);
        right->addWidget(groupBox(this, QStringLiteral("グラフ"), graphLayout));

        auto *levelLayout = new QGridLayout;
        for (int l = 1; l <= 4; ++l) {
            m_txtLevel[l] = MakeEdit(this, qPrintable(QStringLiteral("txtLevel%1").arg(l)), 0,
                                     Align::Right);
            m_txtLevel[l]->setFixedWidth(60);
            m_changes->watch(m_txtLevel[l], ChangeSource::User);
            QLineEdit *level = m_txtLevel[l];
            m_exits->watch(level, [this, level] { return levelExit(level); });
            levelLayout->addWidget(m_txtLevel[l], l - 1, 0);
            levelLayout->addWidget(new QLabel(QStringLiteral("%"), this), l - 1, 1);
        }
        right->addWidget(groupBox(this, QStringLiteral("水準"), levelLayout));
    }
    right->addStretch(1);

    // What to plot above, whom to plot below; the regression settings on the right.
    auto *choices = new QGridLayout;
    choices->addWidget(xBox, 0, 0);
    choices->addWidget(yBox, 0, 1);
    choices->addWidget(markBox, 0, 2);
    choices->addWidget(groupBox(this, QStringLiteral("就労形態"), workLayout), 0, 3);
    choices->addWidget(groupBox(this, QStringLiteral("プロットマーク"), plotLayout), 1, 0, 1, 2);
    choices->addWidget(groupBox(this, QStringLiteral("等級選択"), gradeLayout), 1, 2, 1, 2);
    choices->addLayout(right, 0, 4, 2, 1);

    auto *title = new QHBoxLayout;
    title->addWidget(new QLabel(QStringLiteral("タイトル"), this));
    title->addWidget(m_txtTitle, 1);

    QPushButton *btnAnalize = MakeButton(this, "btnAnalize", QStringLiteral("分　析"));
    QPushButton *btnClose = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *b : {btnAnalize, btnClose}) {
        b->setMinimumWidth(100);
        buttons->addWidget(b);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(title);
    layout->addLayout(choices);
    layout->addWidget(new QLabel(QStringLiteral("解　説"), this));
    layout->addWidget(m_memo);
    layout->addLayout(buttons);

    m_exits->onClick(btnAnalize, [this] { btnAnalizeClick(); });
    m_exits->onClick(btnPlotAll, [this] { btnPlotAllClick(); });
    m_exits->onClick(btnPlotNothing, [this] { btnPlotNothingClick(); });
    m_exits->onClick(btnTokyuAll, [this] { btnTokyuAllClick(); });
    m_exits->onClick(btnTokyuNothing, [this] { btnTokyuNothingClick(); });
    connect(btnClose, &QPushButton::clicked, this, &TAnalysisDialog::btnCloseClick);

    if (kind.regression) {
        // The raise-curve analysis stays on top and Enter moves to the next control.
        setWindowFlag(Qt::WindowStaysOnTopHint);
        InstallEnterMovesFocus(this);
    }
    SizeToFit(this, sizeHint());
}

void TAnalysisDialog::prepare() {
    LoadSalaryNames();
    for (int i = 1; i <= 4; ++i)
        m_optSalary[i]->setText(G().gSalaryTbl[i].SalaryName);
    loadSettings();
    m_changes->clear();
}

void TAnalysisDialog::loadSettings() {
    const auto quiet = m_changes->silence();
    ProjectState &g = G();
    g.gChartFx = 0;
    g.gChartFy = m_kind.defaultFy;
    g.gChartMarkr = 0;
    for (int k = 1; k <= 9; ++k)
        m_txtTokyu[k]->setText(g.gMkigyou2.Tk[k]);

    TMCHART defaults;
    defaults.Fx = g.gChartFx;
    defaults.Fy = g.gChartFy;
    defaults.Markr = g.gChartMarkr;
    const TChartRows rows = PrepareChart(m_kind.chart, defaults);

    const TMCHART &first = rows[1];
    if (m_kind.titleLength > 0)
        ShowStoredText(m_txtTitle, first.Title);
    else
        m_txtTitle->setText(first.Title);
    m_memo->setPlainText(first.Kaisetsu);
    const auto item = [this](int stored) {
        return m_kind.clampsItems && (stored < 0 || stored > 5) ? 0 : stored;
    };
    g.gChartFx = item(first.Fx);
    g.gChartFy = item(first.Fy);
    g.gChartMarkr = first.Markr;
    checkId(m_xItems, g.gChartFx);
    checkId(m_yItems, g.gChartFy);
    checkId(m_markLabels, g.gChartMarkr);
    if (m_kind.restoresWorkType) {
        if (first.Mibun >= 1 && first.Mibun <= 4)
            m_optSalary[first.Mibun]->setChecked(true);
        else
            m_optSalaryAll->setChecked(true);
    }
    for (int k = 1; k <= 6; ++k) {
        m_plot[k] = rows[k].Fchk;
        m_optPlot[k]->setChecked(rows[k].Fchk == 1);
        m_grade[k] = rows[k].Toukyu;
        m_optTokyu[k]->setChecked(rows[k].Toukyu == 1);
        if (k <= 3) {
            m_grade[k + 6] = rows[k].Toukyu1;
            m_optTokyu[k + 6]->setChecked(rows[k].Toukyu1 == 1);
        }
    }
    if (m_kind.regression) {
        g.gChartDegree = first.Fkinji;
        checkId(m_degree, first.Fkinji);
        m_optGraph->setChecked(first.Cgraph == 1);
        for (int l = 1; l <= 4; ++l)
            m_txtLevel[l]->setText(ShortestNumText(first.Sjyun[l]));
    }
    for (int i = 1; i <= 6; ++i) {
        const TMMARK &mark = g.gMarks[i];
        QPalette palette = m_optPlot[i]->palette();
        if (mark.Mkco != 0) {
            m_optPlot[i]->setText(mark.Mark + QStringLiteral(" ") + mark.Hanrei);
            palette.setColor(QPalette::WindowText, ColourFromText(mark.Mkcolor));
        } else {
            m_optPlot[i]->setText(QString::fromUtf8(kPlotCaptions[i]));
            palette.setColor(QPalette::WindowText, this->palette().color(QPalette::WindowText));
        }
        m_optPlot[i]->setPalette(palette);
    }
}

int TAnalysisDialog::workType() const {
    for (int i = 4; i >= 1; --i)
        if (m_optSalary[i]->isChecked()) return i;
    return 0;
}

void TAnalysisDialog::saveSettings() {
    if (G().gDataChanged != 1) return;
    const ProjectState &g = G();
    TChartRows rows{};
    for (int k = 1; k <= 6; ++k) {
        TMCHART &r = rows[k];
        r.Fchk = m_plot[k];
        r.Toukyu = m_grade[k];
        r.Toukyu1 = k <= 3 ? m_grade[k + 6] : 0;
        r.Title = m_txtTitle->text();
        r.Fx = g.gChartFx;
        r.Fy = g.gChartFy;
        r.Markr = g.gChartMarkr;
        r.Kaisetsu = m_memo->toPlainText();
        r.Mibun = workType();
        if (m_kind.regression) {
            r.Fkinji = g.gChartDegree;
            r.Cgraph = m_optGraph->isChecked() ? 1 : 0;
            for (int l = 1; l <= 4; ++l)
                levelValue(m_txtLevel[l]->text(), r.Sjyun[l]);
        }
    }
    SaveChartRows(m_kind.chart, rows);
}

bool TAnalysisDialog::refusedByCompanySettings() {
    const TMKIGYOU2 &company = G().gMkigyou2;
    if (m_kind.chart == kChartLivingCost && company.Skco == 0) {
        ShowMessage(kMsgNoLivingCode);
        return true;
    }
    if (m_kind.chart == kChartModelWage && company.Mdco == 0) {
        ShowMessage(kMsgNoModelCode);
        return true;
    }
    return false;
}

bool TAnalysisDialog::buildChart() {
    const TBusyCursor busy;
    ProjectState &g = G();
    const std::vector<TAnalysisEmployee> employees = ReadAnalysisEmployees(workType());
    PointSetChoices choices;
    choices.chart = m_kind.chart;
    choices.fx = g.gChartFx;
    choices.fy = g.gChartFy;
    choices.markr = g.gChartMarkr;
    choices.plot = m_plot;
    choices.grade = m_grade;
    ComparisonRows comparison;
    if (m_kind.chart == kChartLivingCost) comparison.living = ReadLivingCostCurve(g.gMkigyou2.Skco);
    if (m_kind.chart == kChartModelWage)
        for (int s = 1; s <= 3; ++s)
            comparison.model[s] = ReadModelWageCurve(g.gMkigyou2.Mdco, s);
    const PointSet set = BuildPointSet(employees, choices, comparison);
    if (set.empty()) {
        ShowMessage(kMsgNoData);
        return false;
    }
    if (!WriteChartPoints(set.points)) return false;
    g.gMkigyou2.Frstkyu = set.lastJiseki;
    g.gAxisXMin = set.axisXMin;
    g.gAxisXMax = set.axisXMax;
    g.gAxisYMin = set.axisYMin;
    g.gAxisYMax = set.axisYMax;
    g.gXAverage = set.xAverage;
    g.gYAverage = set.yAverage;
    return true;
}

void TAnalysisDialog::btnAnalizeClick() {
    if (refusedByCompanySettings()) return;
    // The plot window places its marks again from the new point set.
    G().gMarkLabelCount = 0;
    const bool built = buildChart();
    saveSettings();
    if (!built) {
        m_txtTitle->setFocus();
        return;
    }
    if (TNX1100 *plot = PlotWindow())
        plot->handOver(this, m_txtTitle->text());
    else
        hide();
}

void TAnalysisDialog::setPlotFlags(int value) {
    for (int k = 1; k <= 6; ++k) {
        m_plot[k] = value;
        m_optPlot[k]->setChecked(value == 1);
    }
    m_changes->mark();
}

void TAnalysisDialog::setGradeFlags(int value) {
    for (int k = 1; k <= 9; ++k) {
        m_grade[k] = value;
        m_optTokyu[k]->setChecked(value == 1);
    }
    m_changes->mark();
}

void TAnalysisDialog::btnPlotAllClick() {
    setPlotFlags(1);
}

void TAnalysisDialog::btnPlotNothingClick() {
    setPlotFlags(0);
}

void TAnalysisDialog::btnTokyuAllClick() {
    setGradeFlags(1);
}

void TAnalysisDialog::btnTokyuNothingClick() {
    setGradeFlags(0);
}

bool TAnalysisDialog::levelExit(QLineEdit *level) {
    double value = 0.0;
    if (levelValue(level->text(), value)) return true;
    return RefuseField(level, kMsgNotNumber);
}

void TAnalysisDialog::btnCloseClick() {
    m_exits->forgetPending();
    saveSettings();
    ChartScreenClosed(m_kind.chart);
    QDialog::reject();
}

void TAnalysisDialog::reject() {
    btnCloseClick();
}

namespace {

TAnalysisDialog::Kind baseKind(int chart, const char *objectName) {
    TAnalysisDialog::Kind k;
    k.chart = chart;
    k.objectName = objectName;
    k.xOffered = kAll;
    k.yOffered = kAll;
    k.xNames = kXNames;
    k.yNames = kYNames;
    return k;
}

TAnalysisDialog::Kind wagePlotKind() {
    TAnalysisDialog::Kind k = baseKind(kChartWagePlot, "NX1010");
    k.markNames = {"optMarkSeq", "optMarkInp", "optMarkZone", "optMarkNodsp"};
    k.memoName = "Memo1";
    k.titleLength = 40;
    k.clampsItems = true;
    return k;
}

TAnalysisDialog::Kind raiseCurveKind() {
    TAnalysisDialog::Kind k = baseKind(kChartRaiseCurve, "NX1020");
    k.markNames = {"optMarkSeq", "optMarkInput", "optMarkZone", "optMarkNodsp"};
    k.xNames[5] = "optXSyokumu";
    k.plotNothingName = "bntPlotNothing";
    k.regression = true;
    return k;
}

TAnalysisDialog::Kind livingCostKind() {
    TAnalysisDialog::Kind k = baseKind(kChartLivingCost, "NX1030");
    k.markNames = {"optSeq", "optInput", "optZone", "optNodsp"};
    k.yNames[1] = "optYkoumoku2";
    k.xOffered = {true, false, false, false, false, false};
    k.yOffered = {false, false, true, true, false, false};
    k.defaultFy = 2;
    return k;
}

TAnalysisDialog::Kind modelWageKind() {
    TAnalysisDialog::Kind k = baseKind(kChartModelWage, "NX1040");
    k.markNames = {"optMaskSeq", "optMaskInput", "optMaskZone", "optMaskNodsp"};
    k.yNames[4] = "optYSyoyo";
    k.xOffered = {true, true, true, false, false, false};
    k.yOffered = {false, false, true, true, true, true};
    k.defaultFy = 2;
    k.restoresWorkType = false;
    k.workTypeMarksChange = false;
    return k;
}

} // namespace

TNX1010::TNX1010(QWidget *parent) : TAnalysisDialog(wagePlotKind(), parent) {}
TNX1020::TNX1020(QWidget *parent) : TAnalysisDialog(raiseCurveKind(), parent) {}
TNX1030::TNX1030(QWidget *parent) : TAnalysisDialog(livingCostKind(), parent) {}
TNX1040::TNX1040(QWidget *parent) : TAnalysisDialog(modelWageKind(), parent) {}
