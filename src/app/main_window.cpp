#include "main_window.h"

#include "analysis_dialog.h"
#include "band_creation.h"
#include "band_graph.h"
#include "band_names.h"
#include "basic_settings.h"
#include "db_compaction.h"
#include "design_legend.h"
#include "employee_csv.h"
#include "employee_register.h"
#include "evaluation_conversion.h"
#include "group_report_screen.h"
#include "help_file.h"
#include "import_worker.h"
#include "living_costs.h"
#include "matrix_ids.h"
#include "matrix_input.h"
#include "model_data.h"
#include "model_wages.h"
#include "plot_window.h"
#include "print_preview.h"
#include "raise_curve_design.h"
#include "raise_budget_screen.h"
#include "raise_input.h"
#include "role_evaluations.h"
#include "usage_guide.h"
#include "version_dialog.h"
#include "work_types.h"
#include "year_rollover.h"

#include "band_loaders.h"
#include "company_list.h"
#include "loaders.h"
#include "message_seam.h"
#include "program_setup.h"
#include "splash.h"
#include "state.h"
#include "tdm.h"
#include "utilities.h"

#include <QAction>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFrame>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QToolButton>

// One command of the menus: its menu, the action's object name, its caption, whether it needs an
// open project, and what it does: its own handler, or else open its screen (a report screen with
// its kind and title) after the command's check.
struct MainCommand {
    enum class Check { None, ModelCode, BandNames };
    const char *menu;
    const char *name;
    const char *caption;
    bool needsProject;
    const char *screen;
    void (TNX0000::*handler)() = nullptr;
    Check check = Check::None;
    int reportKind = 0;
    const char *title = "";
};

namespace {
using Check = MainCommand::Check;

const QString kMsgNoProject =
    QStringLiteral("企業の選択がされていません。企業を選択してください。");
const QString kMsgReleaseCompany = QStringLiteral("企業の選択を解除して下さい。");
const QString kMsgNoModelCode =
    QStringLiteral("企業マスターにモデルコードがセットされていません。【ﾌﾟﾛｼﾞｪｸﾄ】-->【変更】で、"
                   "モデルコードをセットして下さい。");
const QString kMsgNoBandName =
    QStringLiteral("バンド名称が登録されていません。\r\nバンド名称を登録して下さい。");

const char *const kProjectMenus[] = {"mnData", "mnMatrix", "mnGraph", "mnSalaryUp"};

// The menus in order: object name and caption.
const std::pair<const char *, const char *> kMenus[] = {
    {"mnProject", "プロジェクト(&P)"}, {"mnData", "データ入力(&D)"},
    {"mnMatrix", "バンド設計(&M)"},    {"mnGraph", "プロット分析(&G)"},
    {"mnSalaryUp", "昇給管理(&S)"},    {"mnReport", "レポート(&R)"},
    {"mnHelp", "ヘルプ(&H)"},
};

// Every command in menu order; a row without a name is a separator.
const MainCommand kCommands[] = {
    {"mnProject", "mnNew", "新規作成(&N)", false, "", &TNX0000::mnNewClick},
    {"mnProject", "mnOPen", "開く(&O)", false, "", &TNX0000::mnOPenClick},
    {"mnProject", "mnClose", "閉じる(&C)", false, "", &TNX0000::mnCloseClick},
    {"mnProject", "mnMnt", "変更(&R)", false, "", &TNX0000::mnMntClick},
    {"mnProject", "mnDlt", "削除(&D)", false, "", &TNX0000::mnDltClick},
    {"mnProject", nullptr, nullptr, false, nullptr},
    {"mnProject", "mnBase", "基本設定(&B)", true, "TNX0070", &TNX0000::mnBaseClick},
    {"mnProject", "mnSararyName", "就労形態(&F)", true, "TfrmSalaryName",
     &TNX0000::mnSararyNameClick},
    {"mnProject", nullptr, nullptr, false, nullptr},
    {"mnProject", "mnPrint", "プリンタ設定(&P)", false, "", &TNX0000::mnPrintClick},
    {"mnProject", nullptr, nullptr, false, nullptr},
    {"mnProject", "mnImport", "社員情報取込(&I)", true, "TfrmImportWorker",
     &TNX0000::mnImportClick},
    {"mnProject", "mnExport", "社員マスタ出力(&E)", true, "EmployeeExport",
     &TNX0000::mnExportClick},
    {"mnProject", nullptr, nullptr, false, nullptr},
    {"mnProject", "mnDBCond", "データベース圧縮(&D)", false, "DatabaseCompaction",
     &TNX0000::mnDBCondClick},
    {"mnProject", nullptr, nullptr, false, nullptr},
    {"mnProject", "mnEnd", "終了(&Z)", false, "", &TNX0000::mnEndClick},
    {"mnData", "mnWorker", "社員情報　登録(&E)", true, "TNX0030", &TNX0000::mnWorkerClick},
    {"mnData", "mnLiving", "生計費　登録(&L)", true, "TNX0050", &TNX0000::mnLivingClick},
    {"mnData", "mnModelData", "モデルデータ　登録(&S)", true, "TNX0080",
     &TNX0000::mnModelDataClick},
    {"mnData", "mnModelSalary", "モデル賃金　登録(&M)", true, "TNX0060",
     &TNX0000::mnModelSalaryClick, Check::ModelCode},
    {"mnMatrix", "mnMmatId", "マトリクスID(&I)", true, "TfrmMatrixid", &TNX0000::mnMmatIdClick},
    {"mnMatrix", "mnMHyouka", "役割評価(&H)", true, "TfrmYHyouka", &TNX0000::mnMHyoukaClick},
    {"mnMatrix", "mnMCtrMat", "マトリクス作成(&C)", true, "TfrmMatInput", &TNX0000::mnMCtrMatClick},
    {"mnMatrix", "mnBandName", "バンド名称登録(&B)", true, "TfrmBandName",
     &TNX0000::mnBandNameClick},
    {"mnMatrix", "mnBand", "バンド作成(&D)", true, "TfrmBand", &TNX0000::mnBandClick,
     Check::BandNames},
    {"mnMatrix", "mnBandGraph", "バンド分析グラフ(&G)", true, "TfrmBandGraph",
     &TNX0000::mnBandGraphClick, Check::BandNames},
    {"mnGraph", "mnSalaryPlot", "基本プロット　画面(&U)", true, "TNX1010",
     &TNX0000::mnSalaryPlotClick},
    {"mnGraph", "mnSalaryUpCurve", "回帰分析　画面(&V)", true, "TNX1020",
     &TNX0000::mnSalaryUpCurveClick},
    {"mnGraph", "mnLivingComp", "生計費との比較(&W)", true, "TNX1030",
     &TNX0000::mnLivingCompClick},
    {"mnGraph", "mnModelSalaryComp", "モデル賃金との比較(&X)", true, "TNX1040",
     &TNX0000::mnModelSalaryCompClick},
    {"mnGraph", "mnSalaryUpSetting", "昇給カーブの設計(&Y)", true, "TNX1050",
     &TNX0000::mnSalaryUpSettingClick},
    {"mnSalaryUp", "mnSalaryInput", "昇給管理　入力(&K)", true, "TNX3010",
     &TNX0000::mnSalaryInputClick},
    {"mnSalaryUp", "mnNendoUpdate", "年度更新(&N)", true, "TNX3030", &TNX0000::mnNendoUpdateClick},
    {"mnSalaryUp", "mnEvaConv", "評価の変換(&H)", true, "TNX3020", &TNX0000::mnEvaConvClick},
    {"mnSalaryUp", "mnRaiseBudget", "昇給原資の確認(&B)", true, "TfrmRaiseBudget",
     &TNX0000::mnRaiseBudgetClick},
    {"mnReport", "mn_SaralyReport", "グループ別社員賃金(&A)", true, "TNX0090",
     &TNX0000::mnReportClick, Check::None,
     2, "グループ別社員賃金レポート"},
    {"mnReport", "mn_SaralyUpReport", "グループ別社員昇給", true, "TNX0090",
     &TNX0000::mnReportClick, Check::None,
     1, "グループ別社員昇給レポート"},
    {"mnReport", "mn_MatUpList", "グループ別マトリクス昇給(&M)", true, "TNX0090",
     &TNX0000::mnReportClick,
     Check::None, 3, "グループ別マトリクス昇給レポート"},
    {"mnHelp", "BeforeUse", "ご利用案内(&D)", false, "TBeforeUseForm", &TNX0000::BeforeUseClick},
    {"mnHelp", "mnHELPH", "ヘルプ(&H)", false, "HelpFile", &TNX0000::mnHELPHClick},
    {"mnHelp", "mnVersion", "バージョン情報(&V)", false, "TNX4010", &TNX0000::mnVersionClick},
};

struct PanelButton {
    const char *command;
    const char *caption;
    const char *hint;
};

// The empty area below the tool bar: a quiet background with the program's name.
class Workspace : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0.0, QColor(0xee, 0xf2, 0xf6));
        g.setColorAt(1.0, QColor(0xd5, 0xdf, 0xe8));
        p.fillRect(rect(), g);
        QFont f(QStringLiteral("Noto Sans CJK JP"));
        f.setPixelSize(qMax(18, height() / 18));
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(0x12, 0x2b, 0x4a, 50));
        p.drawText(rect().adjusted(0, 0, -32, -24), Qt::AlignRight | Qt::AlignBottom, kAppCaption);
    }
};
} // namespace

QString ProjectTitle() {
    const ProjectState &g = G();
    if (g.gCorpOpen != 1) return kAppCaption;
    return QStringLiteral("【　") + NendoText(g.gReki, g.gNendo) + QStringLiteral(" 年度  :  ") +
           g.gKna + QStringLiteral("　】 ") + kAppCaption;
}

TNX0000::TNX0000(QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("TNX0000"));
    buildMenus();
    buildPanels();
    formCreate();
    resize(1280, 800);
}

TNX0000::~TNX0000() = default;

// Project initialisation. gAppPath is set by the program before the window is created.
void TNX0000::formCreate() {
    setWindowTitle(kAppCaption);
    PrepareProgramFolders();
    OpenDatabases();
    m_connectionsClosed = false;

    ProjectState &g = G();
    g.gEditMode = 0;
    g.gKco = 0;
    g.gCorpOpen = 0;
    g.gPlotPrintSeq = 1;
    RefreshToday();
    g.gNendo = g.gTodayYear;
    LoadCalendarSettings();

    setProjectMenus(false);
    setProjectPanels(false, false, false, false);
}

void TNX0000::buildMenus() {
    QMenuBar *bar = menuBar();
    for (const auto &[name, caption] : kMenus) {
        QMenu *menu = bar->addMenu(QString::fromUtf8(caption));
        menu->setObjectName(QLatin1String(name));
        for (const MainCommand &c : kCommands) {
            if (qstrcmp(c.menu, name) != 0) continue;
            if (!c.name) {
                menu->addSeparator();
                continue;
            }
            auto *action = new QAction(QString::fromUtf8(c.caption), this);
            action->setObjectName(QLatin1String(c.name));
            connect(action, &QAction::triggered, this, [this, &c] { runCommand(c); });
            menu->addAction(action);
        }
    }
}

void TNX0000::runCommand(const MainCommand &c) {
    if (c.needsProject && !requireProject()) return;
    if (c.check == Check::ModelCode && G().gMkigyou2.Mdco == 0) {
        ShowMessage(kMsgNoModelCode);
        return;
    }
    if (c.check == Check::BandNames) {
        LoadBandTbl2();
        if (G().gBandTbl2.Bands.empty()) {
            ShowMessage(kMsgNoBandName);
            return;
        }
    }
    if (c.reportKind != 0) G().gReportKind = c.reportKind;
    if (c.handler) {
        (this->*c.handler)();
        return;
    }
    openScreen(QLatin1String(c.screen), QString::fromUtf8(c.title));
}

void TNX0000::buildPanels() {
    // A panel's buttons run exactly the command of their menu item.
    auto makePanel = [this](const char *name, Qt::Orientation orientation,
                            std::initializer_list<PanelButton> buttons) {
        auto *panel = new QFrame;
        panel->setObjectName(QLatin1String(name));
        panel->setFrameShape(QFrame::StyledPanel);
        auto *layout = new QBoxLayout(orientation == Qt::Horizontal ? QBoxLayout::LeftToRight
                                                                    : QBoxLayout::TopToBottom,
                                      panel);
        layout->setContentsMargins(3, 3, 3, 3);
        layout->setSpacing(2);
        for (const PanelButton &b : buttons) {
            auto *button = new QToolButton(panel);
            button->setObjectName(QStringLiteral("btn_") + QLatin1String(b.command));
            button->setText(QString::fromUtf8(b.caption));
            button->setToolTip(QString::fromUtf8(b.hint));
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            button->setAutoRaise(true);
            button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
            button->setMinimumSize(orientation == Qt::Horizontal ? QSize(46, 40) : QSize(62, 36));
            QAction *action = findChild<QAction *>(QLatin1String(b.command));
            connect(button, &QToolButton::clicked, action, &QAction::trigger);
            layout->addWidget(button);
        }
        return panel;
    };

    QWidget *project = makePanel("Panel_Project", Qt::Horizontal,
                                 {{"mnNew", "新規", "ﾌﾟﾛｼﾞｪｸﾄを新規作成"},
                                  {"mnOPen", "開く", "ﾌﾟﾛｼﾞｪｸﾄを開く"},
                                  {"mnClose", "閉じる", "現在のﾌﾟﾛｼﾞｪｸﾄを閉じる"},
                                  {"mnMnt", "変更", "現在開いているﾌﾟﾛｼﾞｪｸﾄを変更します"},
                                  {"mnDlt", "削除", ""}});
    QWidget *earlySet = makePanel("Panel_EarlySet", Qt::Horizontal,
                                  {{"mnBase", "基本", "基本的な設定"},
                                   {"mnSararyName", "就労", "就労形態の設定"},
                                   {"mnEvaConv", "評価", "評価記号の登録"},
                                   {"mnWorker", "社員", "社員　登録"},
                                   {"mnImport", "Import", "外部ファイルから取り込む"},
                                   {"mnExport", "Export", "社員情報を外部に作成"}});
    QWidget *plot = makePanel("Panel_Plot", Qt::Horizontal,
                              {{"mnSalaryPlot", "プロット", "プロット"},
                               {"mnSalaryUpCurve", "回帰", "昇給ｶｰﾌﾞの分析"},
                               {"mnLivingComp", "生計費", "生計費との比較"},
                               {"mnModelSalaryComp", "モデル", "ﾓﾃﾞﾙ賃金との比較"},
                               {"mnSalaryUpSetting", "設計", "昇給カーブの設計"}});
    QWidget *newYear = makePanel("Panel_NewYear", Qt::Horizontal,
                                 {{"mnSalaryInput", "昇給", "昇給管理　入力"},
                                  {"mnNendoUpdate", "更新", "データを翌年度に繰り越す"},
                                  {"mnRaiseBudget", "原資", "昇給原資とポジション"},
                                  {"mn_SaralyReport", "昇給前", "グループ別の賃金レポート"},
                                  {"mn_SaralyUpReport", "昇給後", "グループ別の昇給レポート"}});
    QWidget *help = makePanel("Panel_HELP", Qt::Horizontal,
                              {{"mnPrint", "ﾌﾟﾘﾝﾀ", "プリンタの設定を確認します"},
                               {"mnHELPH", "HELP", "ヘルプ"},
                               {"mnEnd", "終了", "アプリの終了"}});
    QWidget *band = makePanel("Panel_Band", Qt::Vertical,
                              {{"mnMmatId", "ＩＤ", "マトリクスのID"},
                               {"mnMHyouka", "評価Ⅱ", "バンド専用の評価"},
                               {"mnMCtrMat", "ﾏﾄﾘｸｽ", "マトリクス　登録"},
                               {"mnBandName", "名称", "バンドの名称を登録"},
                               {"mnBand", "作成", "数値を入力してバンドを完成"},
                               {"mnBandGraph", "グラフ", "完成したバンドをグラフで確認"},
                               {"mn_MatUpList", "ﾚﾎﾟｰﾄ", ""}});
    QWidget *admin =
        makePanel("Panel_Admin", Qt::Vertical, {{"mnDBCond", "DB圧縮", "DBファイルを圧縮します"}});

    auto *central = new QWidget(this);
    auto *outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto *topBar = new QFrame(central);
    topBar->setFrameShape(QFrame::StyledPanel);
    auto *top = new QHBoxLayout(topBar);
    top->setContentsMargins(4, 4, 4, 4);
    top->setSpacing(6);
    for (QWidget *panel : {project, earlySet, plot, newYear})
        top->addWidget(panel);
    top->addStretch(1);
    top->addWidget(help);
    outer->addWidget(topBar);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    auto *leftColumn = new QFrame(central);
    leftColumn->setFrameShape(QFrame::StyledPanel);
    auto *left = new QVBoxLayout(leftColumn);
    left->setContentsMargins(4, 4, 4, 4);
    left->addWidget(band);
    left->addStretch(1);
    left->addWidget(admin);
    body->addWidget(leftColumn);
    body->addWidget(new Workspace(central), 1);
    outer->addLayout(body, 1);

    setCentralWidget(central);
}

void TNX0000::setProjectMenus(bool enabled) {
    for (const char *name : kProjectMenus) {
        QMenu *menu = findChild<QMenu *>(QLatin1String(name));
        menu->menuAction()->setEnabled(enabled);
        menu->setEnabled(enabled);
    }
}

void TNX0000::setProjectPanels(bool earlySet, bool plot, bool band, bool newYear) {
    findChild<QWidget *>(QStringLiteral("Panel_EarlySet"))->setVisible(earlySet);
    findChild<QWidget *>(QStringLiteral("Panel_Plot"))->setVisible(plot);
    findChild<QWidget *>(QStringLiteral("Panel_Band"))->setVisible(band);
    findChild<QWidget *>(QStringLiteral("Panel_NewYear"))->setVisible(newYear);
}

void TNX0000::createStartupScreens() {
    companyList(); // makes its company data screen TNX0020 too
    if (!m_livingCosts) m_livingCosts = new TNX0050(this);
    if (!m_modelWages) m_modelWages = new TNX0060(this);
    basicSettings();
    if (!m_modelData) m_modelData = new TNX0080(this);
    if (!m_wagePlot) m_wagePlot = new TNX1010(this);
    if (!m_raiseCurveAnalysis) m_raiseCurveAnalysis = new TNX1020(this);
    if (!m_livingComparison) m_livingComparison = new TNX1030(this);
    if (!m_modelComparison) m_modelComparison = new TNX1040(this);
    // The raise-curve design's legend dialog first, as the design screen uses it; the plot
    // window below makes its result window TNX1102.
    if (!m_designLegend) m_designLegend = new TNX1051(this);
    if (!m_raiseCurveDesign) m_raiseCurveDesign = new TNX1050(this, m_designLegend);
    if (!m_evaluationConversion) m_evaluationConversion = new TNX3020(this);
    // The plot window is one top-level window for the whole run.
    if (!m_plotWindow) {
        m_plotWindow = new TNX1100(this);
        // Points captured on the plot and stored as a design show on the design screen.
        connect(m_plotWindow, &TNX1100::designStored, m_raiseCurveDesign, &TNX1050::reloadDesigns);
    }
}

void TNX0000::createLateStartupScreens() {
    // Long-lived screens made after the splash's minimum time join here, in this order:
    // TNX3030, TNX4010, TfrmPrintPreview.
    yearRollover();
    versionDialog();
    if (!m_printPreview) m_printPreview = new TfrmPrintPreview(this);
    // The design wage table is shown in the program's one preview.
    if (m_raiseCurveDesign) m_raiseCurveDesign->setPreview(m_printPreview);
}

TNX4010 *TNX0000::versionDialog() {
    if (!m_versionDialog) m_versionDialog = new TNX4010(this);
    return m_versionDialog;
}

TNX3030 *TNX0000::yearRollover() {
    if (!m_yearRollover) m_yearRollover = new TNX3030(this);
    return m_yearRollover;
}

TNX0010 *TNX0000::companyList() {
    if (!m_companyList) {
        m_companyList = new TNX0010(this);
        connect(m_companyList, &TNX0010::projectOpened, this, &TNX0000::ProjectOpened);
    }
    return m_companyList;
}

TNX0070 *TNX0000::basicSettings() {
    if (!m_basicSettings) m_basicSettings = new TNX0070(this);
    return m_basicSettings;
}

int TNX0000::ShowModal(QDialog *dialog) {
    return dialog->exec();
}

void TNX0000::openScreen(const QString &screen, const QString &title) {
    emit screenRequested(screen, title);
}

bool TNX0000::requireProject() {
    if (G().gCorpOpen == 1) return true;
    ShowMessage(kMsgNoProject);
    return false;
}

void TNX0000::closeEvent(QCloseEvent *event) {
    if (!m_connectionsClosed) {
        DM().CloseDatabase(DM().ACN1);
        DM().CloseDatabase(DM().ACN2);
        m_connectionsClosed = true;
    }
    QMainWindow::closeEvent(event);
}

void TNX0000::ProjectOpened() {
    setWindowTitle(ProjectTitle());
}

// --- Project commands ------------------------------------------------------------------

bool TNX0000::runCompanyList(ListMode mode) {
    ProjectState &g = G();
    // Registering, changing or deleting companies waits until the open project is closed;
    // the open flag counts too, because other screens reuse gEditMode.
    if (mode != ListMode::Select && (g.gEditMode == 4 || g.gCorpOpen == 1)) {
        ShowMessage(kMsgReleaseCompany);
        return false;
    }
    // Every project command starts from the current calendar year.
    RefreshToday();
    g.gListMonth = g.gTodayMonth;
    g.gListDay = g.gTodayDay;
    TNX0010 *list = companyList();
    list->prepare(mode, g.gTodayYear);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        list->move(screen->availableGeometry().center() - list->rect().center());
    ShowModal(list);
    return true;
}

void TNX0000::mnNewClick() {
    runCompanyList(ListMode::Register);
}

void TNX0000::mnOPenClick() {
    runCompanyList(ListMode::Select);
    // Whatever happened in the list, the project menus and panels are offered; the gated
    // commands still check that a project is open.
    setProjectMenus(true);
    findChild<QWidget *>(QStringLiteral("Panel_EarlySet"))->setVisible(true);
    findChild<QWidget *>(QStringLiteral("Panel_Band"))->setVisible(true);
}

void TNX0000::mnCloseClick() {
    ProjectState &g = G();
    g.gEditMode = 0;
    g.gKco = 0;
    g.gCorpOpen = 0;
    setWindowTitle(ProjectTitle());
    setProjectMenus(false);
    setProjectPanels(false, false, false, false);
}

void TNX0000::mnMntClick() {
    runCompanyList(ListMode::Modify);
}

void TNX0000::mnDltClick() {
    runCompanyList(ListMode::Delete);
}

void TNX0000::mnBaseClick() {
    openScreen(QStringLiteral("TNX0070"));
    basicSettings()->prepare();
    ShowModal(basicSettings());
}

template <typename Screen> void TNX0000::showNew(const char *name) {
    openScreen(QLatin1String(name));
    Screen dialog(this);
    dialog.prepare();
    ShowModal(&dialog);
}

void TNX0000::mnSararyNameClick() {
    showNew<TfrmSalaryName>("TfrmSalaryName");
}

void TNX0000::mnMmatIdClick() {
    showNew<TfrmMatrixid>("TfrmMatrixid");
}

void TNX0000::mnMHyoukaClick() {
    showNew<TfrmYHyouka>("TfrmYHyouka");
}

void TNX0000::mnMCtrMatClick() {
    showNew<TfrmMatInput>("TfrmMatInput");
}

void TNX0000::mnBandNameClick() {
    showNew<TfrmBandName>("TfrmBandName");
}

void TNX0000::mnBandClick() {
    showNew<TfrmBand>("TfrmBand");
}

void TNX0000::mnBandGraphClick() {
    showNew<TfrmBandGraph>("TfrmBandGraph");
}

void TNX0000::mnSalaryInputClick() {
    openScreen(QStringLiteral("TNX3010"));
    TNX3010 dialog(this);
    // The wage table by step is read here and handed over whole.
    dialog.prepare(LoadWageTable());
    ShowModal(&dialog);
}

void TNX0000::mnRaiseBudgetClick() {
    showNew<TfrmRaiseBudget>("TfrmRaiseBudget");
}

void TNX0000::mnNendoUpdateClick() {
    openScreen(QStringLiteral("TNX3030"));
    TNX3030 *rollover = yearRollover();
    rollover->prepare();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        rollover->move(screen->availableGeometry().center() - rollover->rect().center());
    ShowModal(rollover);
}

void TNX0000::mnEvaConvClick() {
    openScreen(QStringLiteral("TNX3020"));
    if (!m_evaluationConversion) m_evaluationConversion = new TNX3020(this);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        m_evaluationConversion->move(screen->availableGeometry().center() -
                                     m_evaluationConversion->rect().center());
    m_evaluationConversion->prepare();
    ShowModal(m_evaluationConversion);
}

// The report commands set gReportKind first; the screen makes the report of that kind.
void TNX0000::mnReportClick() {
    const int kind = G().gReportKind;
    openScreen(QStringLiteral("TNX0090"), GroupReportKind(kind).title);
    TNX0090 dialog(this);
    // The one print preview of the run, once it has been made.
    if (m_printPreview) dialog.setPreview(m_printPreview);
    dialog.prepare(kind);
    ShowModal(&dialog);
}

void TNX0000::mnSalaryUpSettingClick() {
    openScreen(QStringLiteral("TNX1050"));
    if (!m_designLegend) m_designLegend = new TNX1051(this);
    if (!m_raiseCurveDesign) m_raiseCurveDesign = new TNX1050(this, m_designLegend);
    m_raiseCurveDesign->prepare();
    showCentred(m_raiseCurveDesign);
}

void TNX0000::mnPrintClick() {
    Seam().printerSetup();
}

void TNX0000::mnImportClick() {
    openScreen(QStringLiteral("TfrmImportWorker"));
    TfrmImportWorker dialog(this);
    ShowModal(&dialog);
}

void TNX0000::mnExportClick() {
    openScreen(QStringLiteral("EmployeeExport"));
    ExportEmployees();
}

// Compaction closes and reopens both connections; the project state, and so an open project,
// stays as it is.
void TNX0000::mnDBCondClick() {
    openScreen(QStringLiteral("DatabaseCompaction"));
    CompactDatabases();
}

void TNX0000::BeforeUseClick() {
    openScreen(QStringLiteral("TBeforeUseForm"));
    TBeforeUseForm dialog(this);
    dialog.prepare();
    ShowModal(&dialog);
}

void TNX0000::mnHELPHClick() {
    openScreen(QStringLiteral("HelpFile"));
    OpenHelpFile();
}

void TNX0000::mnVersionClick() {
    openScreen(QStringLiteral("TNX4010"));
    showCentred(versionDialog());
}

void TNX0000::mnEndClick() {
    close();
}

void TNX0000::showCentred(QDialog *dialog) {
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        dialog->move(screen->availableGeometry().center() - dialog->rect().center());
    ShowModal(dialog);
}

void TNX0000::mnLivingClick() {
    openScreen(QStringLiteral("TNX0050"));
    if (!m_livingCosts) m_livingCosts = new TNX0050(this);
    m_livingCosts->prepare();
    showCentred(m_livingCosts);
}

void TNX0000::mnModelDataClick() {
    openScreen(QStringLiteral("TNX0080"));
    if (!m_modelData) m_modelData = new TNX0080(this);
    m_modelData->prepare();
    showCentred(m_modelData);
}

// The analysis dialogs: made at start-up, prepared and shown centred at each command.
template <typename Dialog> void TNX0000::showAnalysis(Dialog *&dialog, const char *name) {
    openScreen(QLatin1String(name));
    if (!dialog) dialog = new Dialog(this);
    dialog->prepare();
    showCentred(dialog);
}

void TNX0000::mnSalaryPlotClick() {
    showAnalysis(m_wagePlot, "TNX1010");
}

void TNX0000::mnSalaryUpCurveClick() {
    showAnalysis(m_raiseCurveAnalysis, "TNX1020");
}

void TNX0000::mnLivingCompClick() {
    showAnalysis(m_livingComparison, "TNX1030");
}

void TNX0000::mnModelSalaryCompClick() {
    showAnalysis(m_modelComparison, "TNX1040");
}

void TNX0000::mnModelSalaryClick() {
    openScreen(QStringLiteral("TNX0060"));
    if (!m_modelWages) m_modelWages = new TNX0060(this);
    m_modelWages->prepare();
    showCentred(m_modelWages);
}

void TNX0000::mnWorkerClick() {
    openScreen(QStringLiteral("TNX0030"));
    {
        TNX0030 dialog(this);
        dialog.prepare();
        ShowModal(&dialog);
    }
    // The analysis and raise panels are offered once the employee register has been used.
    findChild<QWidget *>(QStringLiteral("Panel_Plot"))->setVisible(true);
    findChild<QWidget *>(QStringLiteral("Panel_NewYear"))->setVisible(true);
}

// --- Start-up --------------------------------------------------------------------------

std::unique_ptr<TNX0000> StartUp(const SplashTimings &timings) {
    auto window = std::make_unique<TNX0000>();

    auto splash = std::make_unique<TNX0001>(timings.pauseMs);
    splash->show();
    splash->repaint();
    QElapsedTimer shown;
    shown.start();

    window->createStartupScreens();
    WaitAtLeast(shown, timings.minShownMs);
    window->createLateStartupScreens();
    return window;
}
