#include "main_window.h"

#include "basic_settings.h"
#include "employee_csv.h"
#include "employee_register.h"
#include "import_worker.h"
#include "work_types.h"

#include "program_setup.h"
#include "band_loaders.h"
#include "band_tables.h"
#include "company_list.h"
#include "message_seam.h"
#include "splash.h"
#include "state.h"
#include "tdm.h"
#include "utilities.h"

#include <QAction>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QToolButton>

namespace {
const QString kMsgNoProject =
    QStringLiteral("企業の選択がされていません。企業を選択してください。");
const QString kMsgReleaseCompany = QStringLiteral("企業の選択を解除して下さい。");
const QString kMsgNoModelCode =
    QStringLiteral("企業マスターにモデルコードがセットされていません。【ﾌﾟﾛｼﾞｪｸﾄ】-->【変更】で、"
                   "モデルコードをセットして下さい。");
const QString kMsgNoBandName =
    QStringLiteral("バンド名称が登録されていません。\nバンド名称を登録して下さい。");

constexpr int kFirstListYear = 2004;

const char *const kProjectMenus[] = {"mnData", "mnMatrix", "mnGraph", "mnSalaryUp"};

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
    BuildMenus();
    BuildPanels();
    FormCreate();
    resize(1280, 800);
}

TNX0000::~TNX0000() = default;

// Project initialisation. gAppPath is set by the program before the window is created.
void TNX0000::FormCreate() {
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

    SetProjectMenus(false);
    for (const char *panel : {"Panel_EarlySet", "Panel_Plot", "Panel_Band", "Panel_NewYear"})
        findChild<QWidget *>(QLatin1String(panel))->setVisible(false);
}

QAction *TNX0000::AddCommand(QMenu *menu, const char *name, const QString &caption,
                             void (TNX0000::*slot)()) {
    auto *action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, slot);
    menu->addAction(action);
    return action;
}

void TNX0000::BuildMenus() {
    QMenuBar *bar = menuBar();
    auto addMenu = [&](const char *name, const QString &caption) {
        QMenu *menu = bar->addMenu(caption);
        menu->setObjectName(QLatin1String(name));
        return menu;
    };

    QMenu *project = addMenu("mnProject", QStringLiteral("プロジェクト(&P)"));
    AddCommand(project, "mnNew", QStringLiteral("新規作成(&N)"), &TNX0000::mnNewClick);
    AddCommand(project, "mnOPen", QStringLiteral("開く(&O)"), &TNX0000::mnOPenClick);
    AddCommand(project, "mnClose", QStringLiteral("閉じる(&C)"), &TNX0000::mnCloseClick);
    AddCommand(project, "mnMnt", QStringLiteral("変更(&R)"), &TNX0000::mnMntClick);
    AddCommand(project, "mnDlt", QStringLiteral("削除(&D)"), &TNX0000::mnDltClick);
    project->addSeparator();
    AddCommand(project, "mnBase", QStringLiteral("基本設定(&B)"), &TNX0000::mnBaseClick);
    AddCommand(project, "mnSararyName", QStringLiteral("就労形態(&F)"),
               &TNX0000::mnSararyNameClick);
    project->addSeparator();
    AddCommand(project, "mnPrint", QStringLiteral("プリンタ設定(&P)"), &TNX0000::mnPrintClick);
    project->addSeparator();
    AddCommand(project, "mnImport", QStringLiteral("社員情報取込(&I)"), &TNX0000::mnImportClick);
    AddCommand(project, "mnExport", QStringLiteral("社員マスタ出力(&E)"), &TNX0000::mnExportClick);
    project->addSeparator();
    AddCommand(project, "mnDBCond", QStringLiteral("データベース圧縮(&D)"),
               &TNX0000::mnDBCondClick);
    project->addSeparator();
    AddCommand(project, "mnEnd", QStringLiteral("終了(&Z)"), &TNX0000::mnEndClick);

    QMenu *data = addMenu("mnData", QStringLiteral("データ入力(&D)"));
    AddCommand(data, "mnWorker", QStringLiteral("社員情報　登録(&E)"), &TNX0000::mnWorkerClick);
    AddCommand(data, "mnLiving", QStringLiteral("生計費　登録(&L)"), &TNX0000::mnLivingClick);
    AddCommand(data, "mnModelData", QStringLiteral("モデルデータ　登録(&S)"),
               &TNX0000::mnModelDataClick);
    AddCommand(data, "mnModelSalary", QStringLiteral("モデル賃金　登録(&M)"),
               &TNX0000::mnModelSalaryClick);

    QMenu *matrix = addMenu("mnMatrix", QStringLiteral("バンド設計(&M)"));
    AddCommand(matrix, "mnMmatId", QStringLiteral("マトリクスID(&I)"), &TNX0000::mnMmatIdClick);
    AddCommand(matrix, "mnMHyouka", QStringLiteral("役割評価(&H)"), &TNX0000::mnMHyoukaClick);
    AddCommand(matrix, "mnMCtrMat", QStringLiteral("マトリクス作成(&C)"), &TNX0000::mnMCtrMatClick);
    AddCommand(matrix, "mnBandName", QStringLiteral("バンド名称登録(&B)"),
               &TNX0000::mnBandNameClick);
    AddCommand(matrix, "mnBand", QStringLiteral("バンド作成(&D)"), &TNX0000::mnBandClick);
    AddCommand(matrix, "mnBandGraph", QStringLiteral("バンド分析グラフ(&G)"),
               &TNX0000::mnBandGraphClick);

    QMenu *graph = addMenu("mnGraph", QStringLiteral("プロット分析(&G)"));
    AddCommand(graph, "mnSalaryPlot", QStringLiteral("基本プロット　画面(&U)"),
               &TNX0000::mnSalaryPlotClick);
    AddCommand(graph, "mnSalaryUpCurve", QStringLiteral("回帰分析　画面(&V)"),
               &TNX0000::mnSalaryUpCurveClick);
    AddCommand(graph, "mnLivingComp", QStringLiteral("生計費との比較(&W)"),
               &TNX0000::mnLivingCompClick);
    AddCommand(graph, "mnModelSalaryComp", QStringLiteral("モデル賃金との比較(&X)"),
               &TNX0000::mnModelSalaryCompClick);
    AddCommand(graph, "mnSalaryUpSetting", QStringLiteral("昇給カーブの設計(&Y)"),
               &TNX0000::mnSalaryUpSettingClick);

    QMenu *salaryUp = addMenu("mnSalaryUp", QStringLiteral("昇給管理(&S)"));
    AddCommand(salaryUp, "mnSalaryInput", QStringLiteral("昇給管理　入力(&K)"),
               &TNX0000::mnSalaryInputClick);
    AddCommand(salaryUp, "mnNendoUpdate", QStringLiteral("年度更新(&N)"),
               &TNX0000::mnNendoUpdateClick);
    AddCommand(salaryUp, "mnEvaConv", QStringLiteral("評価の変換(&H)"), &TNX0000::mnEvaConvClick);

    QMenu *report = addMenu("mnReport", QStringLiteral("レポート(&R)"));
    AddCommand(report, "mn_SaralyReport", QStringLiteral("グループ別社員賃金(&A)"),
               &TNX0000::mn_SaralyReportClick);
    AddCommand(report, "mn_SaralyUpReport", QStringLiteral("グループ別社員昇給"),
               &TNX0000::mn_SaralyUpReportClick);
    AddCommand(report, "mn_MatUpList", QStringLiteral("グループ別マトリクス昇給(&M)"),
               &TNX0000::mn_MatUpListClick);

    QMenu *help = addMenu("mnHelp", QStringLiteral("ヘルプ(&H)"));
    AddCommand(help, "BeforeUse", QStringLiteral("ご利用案内(&D)"), &TNX0000::BeforeUseClick);
    AddCommand(help, "mnHELPH", QStringLiteral("ヘルプ(&H)"), &TNX0000::mnHELPHClick);
    AddCommand(help, "mnVersion", QStringLiteral("バージョン情報(&V)"), &TNX0000::mnVersionClick);
}

void TNX0000::BuildPanels() {
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

void TNX0000::SetProjectMenus(bool enabled) {
    for (const char *name : kProjectMenus) {
        QMenu *menu = findChild<QMenu *>(QLatin1String(name));
        menu->menuAction()->setEnabled(enabled);
        menu->setEnabled(enabled);
    }
}

void TNX0000::SetProjectPanels(bool earlySet, bool plot, bool band, bool newYear) {
    findChild<QWidget *>(QStringLiteral("Panel_EarlySet"))->setVisible(earlySet);
    findChild<QWidget *>(QStringLiteral("Panel_Plot"))->setVisible(plot);
    findChild<QWidget *>(QStringLiteral("Panel_Band"))->setVisible(band);
    findChild<QWidget *>(QStringLiteral("Panel_NewYear"))->setVisible(newYear);
}

void TNX0000::CreateStartupScreens() {
    CompanyList(); // makes its company data screen TNX0020 too
    BasicSettings();
    // Further long-lived screens join here as they are built, in this order: TNX0050,
    // TNX0060, TNX0080, TNX1010, TNX1020, TNX1030, TNX1040, TNX1050, TNX1051,
    // TNX1100, TNX1102, TNX3020.
}

void TNX0000::CreateLateStartupScreens() {
    // Long-lived screens made after the splash's minimum time join here, in this order:
    // TNX3030, TNX4010, TfrmPrintPreview.
}

TNX0010 *TNX0000::CompanyList() {
    if (!m_companyList) {
        m_companyList = new TNX0010(this);
        connect(m_companyList, &TNX0010::projectOpened, this, &TNX0000::ProjectOpened);
    }
    return m_companyList;
}

TNX0070 *TNX0000::BasicSettings() {
    if (!m_basicSettings) m_basicSettings = new TNX0070(this);
    return m_basicSettings;
}

int TNX0000::ShowModal(QDialog *dialog) {
    return dialog->exec();
}

void TNX0000::OpenScreen(const QString &screen, const QString &title) {
    emit screenRequested(screen, title);
}

bool TNX0000::RequireProject() {
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

bool TNX0000::RunCompanyList(int mode) {
    ProjectState &g = G();
    // Registering, changing or deleting companies waits until the open project is closed;
    // the open flag counts too, because other screens reuse gEditMode.
    if (mode != 4 && (g.gEditMode == 4 || g.gCorpOpen == 1)) {
        ShowMessage(kMsgReleaseCompany);
        return false;
    }
    g.gEditMode = mode;
    if (mode == 1) g.gCorpOpen = 0;

    TNX0010 *list = CompanyList();
    auto *btnAdd = list->findChild<QPushButton *>(QStringLiteral("btnAdd"));
    auto *btnMnt = list->findChild<QPushButton *>(QStringLiteral("btnMnt"));
    auto *btnDlt = list->findChild<QPushButton *>(QStringLiteral("btnDlt"));
    switch (mode) {
    case 1:
        list->setWindowTitle(QStringLiteral("企業　登録"));
        btnAdd->setText(QStringLiteral("登録"));
        break;
    case 2:
        list->setWindowTitle(QStringLiteral("企業　変更"));
        btnMnt->setText(QStringLiteral("修正"));
        break;
    case 3:
        list->setWindowTitle(QStringLiteral("企業　削除"));
        btnDlt->setText(QStringLiteral("削除"));
        break;
    default:
        list->setWindowTitle(QStringLiteral("企業　選択"));
        btnAdd->setText(QStringLiteral("選択"));
        break;
    }
    btnAdd->setEnabled(mode == 1 || mode == 4);
    btnMnt->setEnabled(mode == 2);
    btnDlt->setEnabled(mode == 3);

    // Every project command starts from the current calendar year.
    RefreshToday();
    g.gNendo = g.gTodayYear;
    g.gListMonth = g.gTodayMonth;
    g.gListDay = g.gTodayDay;
    auto *cmbNendo = list->findChild<QComboBox *>(QStringLiteral("cmbNendo"));
    {
        const QSignalBlocker blocker(cmbNendo);
        cmbNendo->clear();
        for (int year = kFirstListYear; year <= g.gNendo + 1; ++year)
            cmbNendo->addItem(QString::number(year));
        const QString current = QString::number(g.gNendo);
        const int index = cmbNendo->findText(current);
        cmbNendo->setCurrentIndex(index);
        if (cmbNendo->isEditable()) cmbNendo->setEditText(current);
    }

    list->Initialise();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        list->move(screen->availableGeometry().center() - list->rect().center());
    ShowModal(list);
    return true;
}

void TNX0000::mnNewClick() {
    RunCompanyList(1);
}

void TNX0000::mnOPenClick() {
    RunCompanyList(4);
    // Whatever happened in the list, the project menus and panels are offered; the gated
    // commands still check that a project is open.
    SetProjectMenus(true);
    findChild<QWidget *>(QStringLiteral("Panel_EarlySet"))->setVisible(true);
    findChild<QWidget *>(QStringLiteral("Panel_Band"))->setVisible(true);
}

void TNX0000::mnCloseClick() {
    ProjectState &g = G();
    g.gEditMode = 0;
    g.gKco = 0;
    g.gCorpOpen = 0;
    setWindowTitle(ProjectTitle());
    SetProjectMenus(false);
    SetProjectPanels(false, false, false, false);
}

void TNX0000::mnMntClick() {
    RunCompanyList(2);
}

void TNX0000::mnDltClick() {
    RunCompanyList(3);
}

void TNX0000::mnBaseClick() {
    if (!RequireProject()) return;
    OpenScreen(QStringLiteral("TNX0070"));
    BasicSettings()->FormShow();
    ShowModal(BasicSettings());
}

void TNX0000::mnSararyNameClick() {
    if (!RequireProject()) return;
    OpenScreen(QStringLiteral("TfrmSalaryName"));
    TfrmSalaryName dialog(this);
    dialog.FormShow();
    ShowModal(&dialog);
}

void TNX0000::mnPrintClick() {
    Seam().printerSetup();
}

void TNX0000::mnImportClick() {
    if (!RequireProject()) return;
    OpenScreen(QStringLiteral("TfrmImportWorker"));
    TfrmImportWorker dialog(this);
    ShowModal(&dialog);
}

void TNX0000::mnExportClick() {
    if (!RequireProject()) return;
    OpenScreen(QStringLiteral("EmployeeExport"));
    ExportEmployees();
}

void TNX0000::mnDBCondClick() {
    OpenScreen(QStringLiteral("DatabaseCompaction"));
}

void TNX0000::mnEndClick() {
    close();
}

// --- Data input ------------------------------------------------------------------------

void TNX0000::mnWorkerClick() {
    if (!RequireProject()) return;
    OpenScreen(QStringLiteral("TNX0030"));
    {
        TNX0030 dialog(this);
        ShowModal(&dialog);
    }
    // The analysis and raise panels are offered once the employee register has been used.
    findChild<QWidget *>(QStringLiteral("Panel_Plot"))->setVisible(true);
    findChild<QWidget *>(QStringLiteral("Panel_NewYear"))->setVisible(true);
}

void TNX0000::mnLivingClick() {
    if (!RequireProject()) return;
    OpenScreen(QStringLiteral("TNX0050"));
}

void TNX0000::mnModelDataClick() {
    if (!RequireProject()) return;
    OpenScreen(QStringLiteral("TNX0080"));
}

void TNX0000::mnModelSalaryClick() {
    if (!RequireProject()) return;
    if (G().gMkigyou2.Mdco == 0) {
        ShowMessage(kMsgNoModelCode);
        return;
    }
    OpenScreen(QStringLiteral("TNX0060"));
}

// --- Band design -----------------------------------------------------------------------

void TNX0000::mnMmatIdClick() {
    if (!RequireProject()) return;
    OpenScreen(QStringLiteral("TfrmMatrixid"));
}

void TNX0000::mnMHyoukaClick() {
    if (!RequireProject()) return;
    OpenScreen(QStringLiteral("TfrmYHyouka"));
}

void TNX0000::mnMCtrMatClick() {
    if (!RequireProject()) return;
    OpenScreen(QStringLiteral("TfrmMatInput"));
}

void TNX0000::mnBandNameClick() {
    if (!RequireProject()) return;
    OpenScreen(QStringLiteral("TfrmBandName"));
}

void TNX0000::mnBandClick() {
    if (!RequireProject()) return;
    LoadBandTbl2();
    if (G().gBandTbl2.Bands.empty()) {
        ShowMessage(kMsgNoBandName);
        return;
    }
    OpenScreen(QStringLiteral("TfrmBand"));
}

void TNX0000::mnBandGraphClick() {
    if (!RequireProject()) return;
    LoadBandTbl2();
    if (G().gBandTbl2.Bands.empty()) {
        ShowMessage(kMsgNoBandName);
        return;
    }
    OpenScreen(QStringLiteral("TfrmBandGraph"));
}

// --- Plot analysis ---------------------------------------------------------------------

void TNX0000::mnSalaryPlotClick() {
    if (!RequireProject()) return;
    OpenScreen(QStringLiteral("TNX1010"));
}

void TNX0000::mnSalaryUpCurveClick() {
    if (!RequireProject()) return;
    OpenScreen(QStringLiteral("TNX1020"));
}

void TNX0000::mnLivingCompClick() {
    if (!RequireProject()) return;
    OpenScreen(QStringLiteral("TNX1030"));
}

void TNX0000::mnModelSalaryCompClick() {
    if (!RequireProject()) return;
    OpenScreen(QStringLiteral("TNX1040"));
}

void TNX0000::mnSalaryUpSettingClick() {
    if (!RequireProject()) return;
    OpenScreen(QStringLiteral("TNX1050"));
}

// --- Raise management ------------------------------------------------------------------

void TNX0000::mnSalaryInputClick() {
    if (!RequireProject()) return;
    // The wage table of the project, left open on the data database's general query for
    // the raise input screen.
    const TMKIGYOU2 &k = G().gMkigyou2;
    RunSql(DM().Query21,
           QStringLiteral("SELECT * FROM DCHINGIN2 WHERE KCO = ") + SqlInt(k.Kco.toInt()) +
               QStringLiteral(" AND NENDO = ") + SqlInt(k.Nendo.toInt()),
           'S');
    OpenScreen(QStringLiteral("TNX3010"));
}

void TNX0000::mnNendoUpdateClick() {
    if (!RequireProject()) return;
    OpenScreen(QStringLiteral("TNX3030"));
}

void TNX0000::mnEvaConvClick() {
    if (!RequireProject()) return;
    OpenScreen(QStringLiteral("TNX3020"));
}

// --- Reports ---------------------------------------------------------------------------

void TNX0000::OpenReport(int kind, const QString &title) {
    G().gReportKind = kind;
    OpenScreen(QStringLiteral("TNX0090"), title);
}

void TNX0000::mn_SaralyReportClick() {
    if (!RequireProject()) return;
    OpenReport(2, QStringLiteral("グループ別社員賃金レポート"));
}

void TNX0000::mn_SaralyUpReportClick() {
    if (!RequireProject()) return;
    OpenReport(1, QStringLiteral("グループ別社員昇給レポート"));
}

void TNX0000::mn_MatUpListClick() {
    if (!RequireProject()) return;
    OpenReport(3, QStringLiteral("グループ別マトリクス昇給レポート"));
}

// --- Help ------------------------------------------------------------------------------

void TNX0000::BeforeUseClick() {
    OpenScreen(QStringLiteral("UsageGuide"));
}

void TNX0000::mnHELPHClick() {
    OpenScreen(QStringLiteral("HelpFile"));
}

void TNX0000::mnVersionClick() {
    OpenScreen(QStringLiteral("TNX4010"));
}

// --- Start-up --------------------------------------------------------------------------

std::unique_ptr<TNX0000> StartUp(const SplashTimings &timings) {
    auto window = std::make_unique<TNX0000>();

    auto splash = std::make_unique<TNX0001>(timings.pauseMs);
    splash->show();
    splash->repaint();
    QElapsedTimer shown;
    shown.start();

    window->CreateStartupScreens();
    WaitAtLeast(shown, timings.minShownMs);
    window->CreateLateStartupScreens();
    return window;
}
