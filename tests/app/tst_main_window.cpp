// The main window: start-up state, command gates, project commands preparing the company
// list, the title in both calendars, menus and panels, printer set-up and closing.

#include "company_list.h"
#include "db_compaction.h"
#include "help_file.h"
#include "main_window.h"
#include "screen_kit.h"
#include "splash.h"
#include "state.h"
#include "test_program.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <functional>

// The main window with its screens recorded instead of shown, so commands do not block;
// the company list is still shown, because the tests drive it.
class TestWindow : public TNX0000 {
public:
    QStringList shown;
    QStringList titles;
    // The size each screen opened at and the least it can be made.
    QList<std::pair<QSize, QSize>> sizes;

protected:
    int ShowModal(QDialog *dialog) override {
        if (qobject_cast<TNX0010 *>(dialog)) return TNX0000::ShowModal(dialog);
        shown << QString::fromLatin1(dialog->metaObject()->className());
        titles << dialog->windowTitle();
        dialog->show();
        sizes << std::pair{dialog->size(), dialog->minimumSizeHint()};
        dialog->hide();
        return QDialog::Rejected;
    }
};

namespace {
const QString kCaption = QStringLiteral("NXヴァルテンマトリクス");
const QString kMsgNoProject =
    QStringLiteral("企業の選択がされていません。企業を選択してください。");
const QString kMsgRelease = QStringLiteral("企業の選択を解除して下さい。");
const QStringList kProjectMenus = {"mnData", "mnMatrix", "mnGraph", "mnSalaryUp"};
const QStringList kAlwaysMenus = {"mnProject", "mnReport", "mnHelp"};
const QStringList kStatePanels = {"Panel_EarlySet", "Panel_Plot", "Panel_Band", "Panel_NewYear"};
const QStringList kFixedPanels = {"Panel_Project", "Panel_HELP", "Panel_Admin"};

// Every command that needs an open project, with its tool button ("" when it has none).
const QList<std::pair<const char *, const char *>> kGatedCommands = {
    {"mnBase", "btn_mnBase"},
    {"mnSararyName", "btn_mnSararyName"},
    {"mnImport", "btn_mnImport"},
    {"mnExport", "btn_mnExport"},
    {"mnWorker", "btn_mnWorker"},
    {"mnLiving", ""},
    {"mnModelData", ""},
    {"mnModelSalary", ""},
    {"mnMmatId", "btn_mnMmatId"},
    {"mnMHyouka", "btn_mnMHyouka"},
    {"mnMCtrMat", "btn_mnMCtrMat"},
    {"mnBandName", "btn_mnBandName"},
    {"mnBand", "btn_mnBand"},
    {"mnBandGraph", "btn_mnBandGraph"},
    {"mnSalaryPlot", "btn_mnSalaryPlot"},
    {"mnSalaryUpCurve", "btn_mnSalaryUpCurve"},
    {"mnLivingComp", "btn_mnLivingComp"},
    {"mnModelSalaryComp", "btn_mnModelSalaryComp"},
    {"mnSalaryUpSetting", "btn_mnSalaryUpSetting"},
    {"mnSalaryInput", "btn_mnSalaryInput"},
    {"mnNendoUpdate", "btn_mnNendoUpdate"},
    {"mnEvaConv", "btn_mnEvaConv"},
    {"mnRaiseBudget", "btn_mnRaiseBudget"},
    {"mn_SaralyReport", "btn_mn_SaralyReport"},
    {"mn_SaralyUpReport", "btn_mn_SaralyUpReport"},
    {"mn_MatUpList", "btn_mn_MatUpList"},
};

QAction *action(QWidget &w, const QString &name) {
    auto *a = w.findChild<QAction *>(name);
    if (!a) qWarning("no action %s", qPrintable(name));
    return a;
}

bool menuEnabled(QWidget &w, const QString &name) {
    return w.findChild<QMenu *>(name)->menuAction()->isEnabled();
}

bool panelShown(QWidget &w, const QString &name) {
    return w.findChild<QWidget *>(name)->isVisibleTo(&w);
}

// Runs `act` inside the company list while it is shown modally by `command`, then closes
// it with btnClose if it is still open. Returns whether the list was shown at all.
bool withCompanyList(TNX0000 &w, const QString &command, std::function<void(TNX0010 *)> act) {
    bool shown = false;
    QTimer::singleShot(0, &w, [&] {
        auto *list = w.findChild<TNX0010 *>();
        if (!list || !list->isVisible()) return;
        shown = true;
        act(list);
        if (list->isVisible()) list->findChild<QPushButton *>(QStringLiteral("btnClose"))->click();
    });
    action(w, command)->trigger();
    return shown;
}

// Opens company 1 of the given year through the company list in select mode.
bool openSampleProject(TNX0000 &w, int year = 2018) {
    return withCompanyList(w, QStringLiteral("mnOPen"), [year](TNX0010 *list) {
        auto *cmb = list->findChild<QComboBox *>(QStringLiteral("cmbNendo"));
        cmb->setCurrentIndex(cmb->findText(QString::number(year)));
        list->cmbNendoChange();
        list->findChild<QPushButton *>(QStringLiteral("btnAdd"))->click();
    });
}

int visibleDialogs() {
    int n = 0;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->isVisible() && qobject_cast<QDialog *>(top)) ++n;
    return n;
}

void setReki(int reki) {
    SqlColumn(DM().ACN1, QStringLiteral("UPDATE MKIGYOU1 SET REKI = %1 WHERE KCO = 1").arg(reki));
}
} // namespace

class Tst_main_window : public QObject {
    Q_OBJECT
private slots:
    void builtScreensAreShown();
    void startupState();
    void startUpSequenceMakesLongLivedScreens();
    void splashIsBorderlessAndOnTop();
    void gatedCommandsRefuseWithoutProject_data();
    void gatedCommandsRefuseWithoutProject();
    void projectCommandsPrepareList_data();
    void projectCommandsPrepareList();
    void listCommandsRefusedWhileProjectOpen_data();
    void listCommandsRefusedWhileProjectOpen();
    void newAfterCloseOpensRegisterMode();
    void titleOfOpenProject_data();
    void titleOfOpenProject();
    void openingAnotherProjectReplacesTheFirst();
    void menusAndPanelsFollowProject();
    void commandsReachTheirScreen_data();
    void commandsReachTheirScreen();
    void commandsRefusedByProjectData_data();
    void commandsRefusedByProjectData();
    void salaryInputLeavesNoResultOpen();
    void printerSetupGoesThroughSeam_data();
    void printerSetupGoesThroughSeam();
    void endClosesConnectionsAndWindow();
    void compactionKeepsProjectOpen_data();
    void compactionKeepsProjectOpen();
    void helpButtonOpensManual_data();
    void helpButtonOpensManual();
    void manualDescribesEveryCommand();
    void versionDialogIsMadeAtStartUp();
};

void Tst_main_window::startupState() {
    TestProgram p;
    G().gEditMode = 4;
    G().gCorpOpen = 1;
    G().gKco = 7;
    G().gPlotPrintSeq = 5;
    TestWindow w;
    QCOMPARE(w.windowTitle(), kCaption);
    QCOMPARE(G().gEditMode, 0);
    QCOMPARE(G().gCorpOpen, 0);
    QCOMPARE(G().gKco, 0);
    QCOMPARE(G().gPlotPrintSeq, 1);
    QCOMPARE(G().gNendo, QDate::currentDate().year());
    QCOMPARE(G().gEraNames[3], QStringLiteral("令和"));
    QCOMPARE(G().gEraStartYears[2], 1989);
    QVERIFY(DM().ACN1.isOpen());
    QVERIFY(DM().ACN2.isOpen());
    for (const QString &m : kProjectMenus)
        QVERIFY2(!menuEnabled(w, m), qPrintable(m));
    for (const QString &m : kAlwaysMenus)
        QVERIFY2(menuEnabled(w, m), qPrintable(m));
    for (const QString &panel : kStatePanels)
        QVERIFY2(!panelShown(w, panel), qPrintable(panel));
    for (const QString &panel : kFixedPanels)
        QVERIFY2(panelShown(w, panel), qPrintable(panel));
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_main_window::startUpSequenceMakesLongLivedScreens() {
    TestProgram p;
    const std::unique_ptr<TNX0000> w = StartUp(SplashTimings::None());
    QCOMPARE(w->windowTitle(), kCaption);
    QVERIFY(w->findChild<TNX0010 *>() != nullptr);
    for (QWidget *top : QApplication::topLevelWidgets())
        QVERIFY(top->objectName() != QLatin1String("TNX0001"));
}

void Tst_main_window::splashIsBorderlessAndOnTop() {
    TNX0001 splash;
    QCOMPARE(splash.objectName(), QStringLiteral("TNX0001"));
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!splash.isVisible());
    QVERIFY(!TNX0001::Picture(splash.size()).isNull());
}

void Tst_main_window::gatedCommandsRefuseWithoutProject_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("listClosedUnchosen");
    for (const auto &[command, button] : kGatedCommands) {
        QTest::addRow("%s", command) << command << button << false;
        QTest::addRow("%s after an empty open", command) << command << button << true;
    }
}

void Tst_main_window::gatedCommandsRefuseWithoutProject() {
    QFETCH(QString, command);
    QFETCH(QString, button);
    QFETCH(bool, listClosedUnchosen);
    TestProgram p;
    TestWindow w;
    if (listClosedUnchosen) {
        QVERIFY(withCompanyList(w, QStringLiteral("mnOPen"), [](TNX0010 *) {}));
        QVERIFY(menuEnabled(w, QStringLiteral("mnData")));
        QCOMPARE(G().gCorpOpen, 0);
    }
    p.messages.clear();
    const int editMode = G().gEditMode;
    QSignalSpy screens(&w, &TNX0000::screenRequested);
    QList<QToolButton *> buttons;
    if (!button.isEmpty()) buttons << w.findChild<QToolButton *>(button);

    action(w, command)->trigger();
    QCOMPARE(p.messages.texts(), QStringList{kMsgNoProject});
    QCOMPARE(screens.count(), 0);
    QCOMPARE(visibleDialogs(), 0);
    QCOMPARE(G().gEditMode, editMode);
    QCOMPARE(G().gCorpOpen, 0);

    for (QToolButton *b : buttons) {
        QVERIFY(b);
        p.messages.clear();
        b->click();
        QCOMPARE(p.messages.texts(), QStringList{kMsgNoProject});
        QCOMPARE(screens.count(), 0);
    }
}

void Tst_main_window::projectCommandsPrepareList_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("editMode");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("buttonText");
    QTest::newRow("mnNew") << "mnNew" << 1 << "企業　登録"
                           << "btnAdd"
                           << "登録";
    QTest::newRow("mnOPen") << "mnOPen" << 4 << "企業　選択"
                            << "btnAdd"
                            << "選択";
    QTest::newRow("mnMnt") << "mnMnt" << 2 << "企業　変更"
                           << "btnMnt"
                           << "修正";
    QTest::newRow("mnDlt") << "mnDlt" << 3 << "企業　削除"
                           << "btnDlt"
                           << "削除";
}

void Tst_main_window::projectCommandsPrepareList() {
    QFETCH(QString, command);
    QFETCH(int, editMode);
    QFETCH(QString, caption);
    QFETCH(QString, button);
    QFETCH(QString, buttonText);
    TestProgram p;
    TestWindow w;
    G().gNendo = 2017;

    const QDate today = QDate::currentDate();
    int seenMode = -1;
    int seenNendo = 0;
    QString seenCaption;
    QStringList enabled;
    QStringList years;
    QString currentYear;
    const bool shown = withCompanyList(w, command, [&](TNX0010 *list) {
        seenMode = G().gEditMode;
        seenNendo = G().gNendo;
        seenCaption = list->windowTitle();
        for (const char *b : {"btnAdd", "btnMnt", "btnDlt"}) {
            auto *pb = list->findChild<QPushButton *>(QLatin1String(b));
            if (pb->isEnabled()) enabled << QLatin1String(b) + QLatin1Char('=') + pb->text();
        }
        auto *cmb = list->findChild<QComboBox *>(QStringLiteral("cmbNendo"));
        for (int i = 0; i < cmb->count(); ++i)
            years << cmb->itemText(i);
        currentYear = cmb->currentText();
    });
    QVERIFY(shown);
    QCOMPARE(seenMode, editMode);
    QCOMPARE(seenNendo, today.year());
    QCOMPARE(seenCaption, caption);
    QCOMPARE(enabled, QStringList{button + QLatin1Char('=') + buttonText});
    QCOMPARE(years.first(), QStringLiteral("2004"));
    QCOMPARE(years.last(), QString::number(today.year() + 1));
    QCOMPARE(years.size(), today.year() + 1 - 2004 + 1);
    QCOMPARE(currentYear, QString::number(today.year()));
    QCOMPARE(G().gListMonth, today.month());
    QCOMPARE(G().gListDay, today.day());
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_main_window::listCommandsRefusedWhileProjectOpen_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("mnNew") << "mnNew";
    QTest::newRow("mnMnt") << "mnMnt";
    QTest::newRow("mnDlt") << "mnDlt";
}

void Tst_main_window::listCommandsRefusedWhileProjectOpen() {
    QFETCH(QString, command);
    TestProgram p;
    TestWindow w;
    QVERIFY(openSampleProject(w));
    QCOMPARE(G().gCorpOpen, 1);
    p.messages.clear();

    QVERIFY(!withCompanyList(w, command, [](TNX0010 *) {}));
    QCOMPARE(p.messages.texts(), QStringList{kMsgRelease});
    QCOMPARE(G().gCorpOpen, 1);
    QCOMPARE(G().gEditMode, 4);
    QCOMPARE(G().gKco, 1);

    // Still refused after another screen has reused the edit mode.
    G().gEditMode = 2;
    p.messages.clear();
    QVERIFY(!withCompanyList(w, command, [](TNX0010 *) {}));
    QCOMPARE(p.messages.texts(), QStringList{kMsgRelease});
    QCOMPARE(G().gCorpOpen, 1);
    QCOMPARE(G().gKco, 1);
}

void Tst_main_window::newAfterCloseOpensRegisterMode() {
    TestProgram p;
    TestWindow w;
    QVERIFY(openSampleProject(w));
    action(w, QStringLiteral("mnClose"))->trigger();
    p.messages.clear();
    int mode = 0;
    QVERIFY(withCompanyList(w, QStringLiteral("mnNew"), [&](TNX0010 *) { mode = G().gEditMode; }));
    QCOMPARE(mode, 1);
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_main_window::titleOfOpenProject_data() {
    QTest::addColumn<int>("reki");
    QTest::addColumn<QString>("title");
    QTest::newRow("western")
        << 0 << QStringLiteral("【　2018 年度  :  株式会社ロメルタ　】 NXヴァルテンマトリクス");
    QTest::newRow("era") << 1
                         << QStringLiteral(
                                "【　平成 30 年度  :  株式会社ロメルタ　】 NXヴァルテンマトリクス");
}

void Tst_main_window::titleOfOpenProject() {
    QFETCH(int, reki);
    QFETCH(QString, title);
    TestProgram p;
    setReki(reki);
    TestWindow w;
    QVERIFY(openSampleProject(w));
    QCOMPARE(p.messages.texts(), QStringList{});
    QCOMPARE(G().gCorpOpen, 1);
    QCOMPARE(w.windowTitle(), title);
    QCOMPARE(ProjectTitle(), title);

    action(w, QStringLiteral("mnClose"))->trigger();
    QCOMPARE(w.windowTitle(), kCaption);
    QCOMPARE(G().gCorpOpen, 0);
    QCOMPARE(G().gKco, 0);
    QCOMPARE(G().gEditMode, 0);
    // The closed project's settings stay loaded until the next one is opened.
    QCOMPARE(G().gMkigyou2.Kco, QStringLiteral("1"));
}

void Tst_main_window::openingAnotherProjectReplacesTheFirst() {
    TestProgram p;
    // Company 4 in 2018: its own name, calendar, settings, one mark and one role evaluation.
    exec(DM().ACN1, "INSERT INTO MKIGYOU1 (KCO, NENDO, KNA, PATH, SDATE, FNK, KDATE, REKI) "
                    "VALUES (4, 2018, '北星商事', '', 20180401, 0, 20180401, 1)");
    exec(DM().ACN2, "INSERT INTO MKIGYOU2 (KCO, NENDO, KNA, MDCO, FRSTKYU, FRSTKYUM, TK01) VALUES "
                    "(4, 2018, '北星商事', 0, 0, 0, '主事')");
    exec(DM().ACN2,
         "INSERT INTO MMARK VALUES (4, 2018, 2, '★', '北星', 'clRed', 9, 'clRed', 1, 1)");
    exec(DM().ACN2, "INSERT INTO YHYOUKA VALUES (4, 2018, 7, 'Z')");
    TestWindow w;
    QVERIFY(openSampleProject(w));
    QVERIFY(G().gMarks[1].Mkco == 1);
    QVERIFY(G().gYHyoukaTbl.size() > 1);

    QVERIFY(withCompanyList(w, QStringLiteral("mnOPen"), [](TNX0010 *list) {
        auto *cmb = list->findChild<QComboBox *>(QStringLiteral("cmbNendo"));
        cmb->setCurrentIndex(cmb->findText(QStringLiteral("2018")));
        list->cmbNendoChange();
        auto *grid = list->findChild<QTableWidget *>(QStringLiteral("StringGrid1"));
        list->StringGrid1Click(grid->rowCount() - 1, 2); // company 4 comes after company 1
        list->findChild<QPushButton *>(QStringLiteral("btnAdd"))->click();
    }));
    const ProjectState &g = G();
    QCOMPARE(g.gKco, 4);
    QCOMPARE(g.gProjectKey.kco, 4);
    QCOMPARE(g.gKna, QStringLiteral("北星商事"));
    QCOMPARE(g.gReki, 1);
    QCOMPARE(g.gMkigyou2.Tk[1], QStringLiteral("主事"));
    QCOMPARE(g.gMarks[1].Mkco, 0);
    QCOMPARE(g.gMarks[2].Mark, QStringLiteral("★"));
    QCOMPARE(g.gYHyoukaTbl.size(), size_t(1));
    QCOMPARE(g.gYHyoukaTbl[0].Hkigou, QStringLiteral("Z"));
    QCOMPARE(w.windowTitle(), QStringLiteral("【　平成 30 年度  :  北星商事　】 ") + kCaption);
}

void Tst_main_window::menusAndPanelsFollowProject() {
    TestProgram p;
    TestWindow w;
    QVERIFY(openSampleProject(w));
    for (const QString &m : kProjectMenus)
        QVERIFY2(menuEnabled(w, m), qPrintable(m));
    QVERIFY(panelShown(w, QStringLiteral("Panel_EarlySet")));
    QVERIFY(panelShown(w, QStringLiteral("Panel_Band")));
    QVERIFY(!panelShown(w, QStringLiteral("Panel_Plot")));
    QVERIFY(!panelShown(w, QStringLiteral("Panel_NewYear")));

    QSignalSpy screens(&w, &TNX0000::screenRequested);
    w.findChild<QToolButton *>(QStringLiteral("btn_mnWorker"))->click();
    QCOMPARE(screens.count(), 1);
    QCOMPARE(screens.at(0).at(0).toString(), QStringLiteral("TNX0030"));
    for (const QString &panel : kStatePanels)
        QVERIFY2(panelShown(w, panel), qPrintable(panel));

    w.findChild<QToolButton *>(QStringLiteral("btn_mnClose"))->click();
    for (const QString &m : kProjectMenus)
        QVERIFY2(!menuEnabled(w, m), qPrintable(m));
    for (const QString &panel : kStatePanels)
        QVERIFY2(!panelShown(w, panel), qPrintable(panel));
    for (const QString &panel : kFixedPanels)
        QVERIFY2(panelShown(w, panel), qPrintable(panel));
    QCOMPARE(w.windowTitle(), kCaption);
}

void Tst_main_window::commandsReachTheirScreen_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("withProject");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("reportKind");
    auto row = [](const char *command, bool project, const char *screen, const char *title = "",
                  int kind = 0) {
        QTest::addRow("%s", command) << command << project << screen << title << kind;
    };
    row("mnBase", true, "TNX0070");
    row("mnSararyName", true, "TfrmSalaryName");
    row("mnImport", true, "TfrmImportWorker");
    row("mnExport", true, "EmployeeExport");
    row("mnDBCond", false, "DatabaseCompaction");
    row("mnWorker", true, "TNX0030");
    row("mnLiving", true, "TNX0050");
    row("mnModelData", true, "TNX0080");
    row("mnModelSalary", true, "TNX0060");
    row("mnMmatId", true, "TfrmMatrixid");
    row("mnMHyouka", true, "TfrmYHyouka");
    row("mnMCtrMat", true, "TfrmMatInput");
    row("mnBandName", true, "TfrmBandName");
    row("mnBand", true, "TfrmBand");
    row("mnBandGraph", true, "TfrmBandGraph");
    row("mnSalaryPlot", true, "TNX1010");
    row("mnSalaryUpCurve", true, "TNX1020");
    row("mnLivingComp", true, "TNX1030");
    row("mnModelSalaryComp", true, "TNX1040");
    row("mnSalaryUpSetting", true, "TNX1050");
    row("mnSalaryInput", true, "TNX3010");
    row("mnNendoUpdate", true, "TNX3030");
    row("mnEvaConv", true, "TNX3020");
    row("mnRaiseBudget", true, "TfrmRaiseBudget");
    row("mn_SaralyReport", true, "TNX0090", "グループ別社員賃金レポート", 2);
    row("mn_SaralyUpReport", true, "TNX0090", "グループ別社員昇給レポート", 1);
    row("mn_MatUpList", true, "TNX0090", "グループ別マトリクス昇給レポート", 3);
    row("BeforeUse", false, "TBeforeUseForm");
    row("mnHELPH", false, "HelpFile");
    row("mnVersion", false, "TNX4010");
}

void Tst_main_window::commandsReachTheirScreen() {
    QFETCH(QString, command);
    QFETCH(bool, withProject);
    QFETCH(QString, screen);
    QFETCH(QString, title);
    QFETCH(int, reportKind);
    TestProgram p;
    // The help command finds its file and hands it to a recorder instead of a browser.
    QFile::copy(QStringLiteral(VM_HELP_MANUAL), HelpFilePath());
    QList<QUrl> opened;
    InstallDocumentOpener([&](const QUrl &url) {
        opened << url;
        return true;
    });
    TestWindow w;
    if (withProject) QVERIFY(openSampleProject(w));
    p.messages.clear();
    QSignalSpy screens(&w, &TNX0000::screenRequested);
    action(w, command)->trigger();
    InstallDocumentOpener(nullptr);
    QCOMPARE(opened.size(), command == QLatin1String("mnHELPH") ? 1 : 0);
    // No refusal; a screen may still ask its own question (the export asks first).
    for (const MessageRecorder::Entry &e : p.messages.entries)
        QVERIFY2(e.kind != MessageRecorder::Kind::Message, qPrintable(e.text));
    QCOMPARE(screens.count(), 1);
    QCOMPARE(screens.at(0).at(0).toString(), screen);
    QCOMPARE(screens.at(0).at(1).toString(), title);
    if (reportKind != 0) QCOMPARE(G().gReportKind, reportKind);
}

void Tst_main_window::commandsRefusedByProjectData_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("dataSql");
    QTest::addColumn<QString>("message");
    const QString noModel = QStringLiteral(
        "企業マスターにモデルコードがセットされていません。【ﾌﾟﾛｼﾞｪｸﾄ】-->【変更】で、"
        "モデルコードをセットして下さい。");
    const QString noBand =
        QStringLiteral("バンド名称が登録されていません。\r\nバンド名称を登録して下さい。");
    const QString clearModel = QStringLiteral("UPDATE MKIGYOU2 SET MDCO = 0");
    const QString clearBands = QStringLiteral("DELETE FROM BANDM WHERE KCO = 1 AND NENDO = 2018");
    QTest::newRow("mnModelSalary") << "mnModelSalary" << clearModel << noModel;
    QTest::newRow("mnBand") << "mnBand" << clearBands << noBand;
    QTest::newRow("mnBandGraph") << "mnBandGraph" << clearBands << noBand;
}

void Tst_main_window::commandsRefusedByProjectData() {
    QFETCH(QString, command);
    QFETCH(QString, dataSql);
    QFETCH(QString, message);
    TestProgram p;
    QCOMPARE(SqlColumn(DM().ACN2, dataSql), QStringList{});
    TestWindow w;
    QVERIFY(openSampleProject(w));
    p.messages.clear();
    QSignalSpy screens(&w, &TNX0000::screenRequested);
    action(w, command)->trigger();
    QCOMPARE(p.messages.texts(), QStringList{message});
    QCOMPARE(screens.count(), 0);
    QCOMPARE(visibleDialogs(), 0);
}

void Tst_main_window::salaryInputLeavesNoResultOpen() {
    // The raise input gets the wage table by an explicit call (LoadWageTable); the command
    // leaves nothing open on the shared query objects.
    TestProgram p;
    TestWindow w;
    QVERIFY(openSampleProject(w));
    action(w, QStringLiteral("mnSalaryInput"))->trigger();
    for (TQuery *q : {&DM().Query1, &DM().Query2, &DM().Query21, &DM().Query22, &DM().Query23})
        QVERIFY(!q->isOpen());
}

void Tst_main_window::printerSetupGoesThroughSeam_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("menu") << "menu";
    QTest::newRow("button") << "button";
}

void Tst_main_window::printerSetupGoesThroughSeam() {
    QFETCH(QString, how);
    TestProgram p;
    TestWindow w;
    if (how == QLatin1String("menu"))
        action(w, QStringLiteral("mnPrint"))->trigger();
    else
        w.findChild<QToolButton *>(QStringLiteral("btn_mnPrint"))->click();
    QCOMPARE(p.messages.entries.size(), 1);
    QVERIFY(p.messages.entries.first().kind == MessageRecorder::Kind::Printer);
    QCOMPARE(visibleDialogs(), 0);
}

void Tst_main_window::endClosesConnectionsAndWindow() {
    TestProgram p;
    TestWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(DM().ACN1.isOpen());
    w.findChild<QToolButton *>(QStringLiteral("btn_mnEnd"))->click();
    QVERIFY(!w.isVisible());
    QVERIFY(!DM().ACN1.isOpen());
    QVERIFY(!DM().ACN2.isOpen());
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_main_window::builtScreensAreShown() {
    TestProgram p;
    TestWindow w;
    QVERIFY(openSampleProject(w));
    for (const char *command : {"mnBase", "mnSararyName", "mnWorker", "mnImport", "mnMmatId",
                                "mnMHyouka", "mnMCtrMat", "mnBandName", "mnBand", "mnBandGraph",
                                "mnSalaryInput", "mnNendoUpdate", "mnEvaConv", "mnRaiseBudget",
                                "mnLiving",
                                "mnModelData", "mnModelSalary", "mnSalaryPlot", "mnSalaryUpCurve",
                                "mnLivingComp", "mnModelSalaryComp", "mnSalaryUpSetting",
                                "mn_SaralyReport", "mn_SaralyUpReport", "mn_MatUpList",
                                "BeforeUse", "mnVersion"})
        w.findChild<QAction *>(QString::fromLatin1(command))->trigger();
    QCOMPARE(w.shown, QStringList({"TNX0070", "TfrmSalaryName", "TNX0030", "TfrmImportWorker",
                                   "TfrmMatrixid", "TfrmYHyouka", "TfrmMatInput", "TfrmBandName",
                                   "TfrmBand", "TfrmBandGraph", "TNX3010", "TNX3030", "TNX3020",
                                   "TfrmRaiseBudget",
                                   "TNX0050", "TNX0080", "TNX0060", "TNX1010", "TNX1020",
                                   "TNX1030", "TNX1040", "TNX1050", "TNX0090", "TNX0090", "TNX0090",
                                   "TBeforeUseForm", "TNX4010"}));
    // The report screen shows the title of the command's report.
    QCOMPARE(w.titles.mid(w.titles.size() - 5, 3),
             QStringList({"グループ別社員賃金レポート", "グループ別社員昇給レポート",
                          "グループ別マトリクス昇給レポート"}));
    // The export asks before it writes; No writes nothing.
    p.messages.clear();
    w.findChild<QAction *>(QStringLiteral("mnExport"))->trigger();
    QCOMPARE(p.messages.entries.size(), 1);
    QCOMPARE(p.messages.entries[0].kind, MessageRecorder::Kind::YesNo);
    QVERIFY(!QFile::exists(G().gAppPath + "CSV/社員マスタ出力.CSV"));

    // Each fits a 1280x720 display (title bar, frame and task bar taken off).
    for (qsizetype i = 0; i < w.shown.size(); ++i) {
        const auto &[size, least] = w.sizes[i];
        QVERIFY2(QRect(QPoint(), kScreenBudget).contains(QRect(QPoint(), size)),
                 qPrintable(w.shown[i]));
        QVERIFY2(!least.isValid() ||
                     QRect(QPoint(), kScreenBudget).contains(QRect(QPoint(), least)),
                 qPrintable(w.shown[i]));
    }
    auto *list = w.companyList();
    QVERIFY(list->width() <= kScreenBudget.width() && list->height() <= kScreenBudget.height());
}

void Tst_main_window::compactionKeepsProjectOpen_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("menu") << "menu";
    QTest::newRow("button") << "button";
}

void Tst_main_window::compactionKeepsProjectOpen() {
    QFETCH(QString, how);
    TestProgram p;
    TestWindow w;
    QVERIFY(openSampleProject(w));
    const QString title = w.windowTitle();
    const QStringList employees =
        SqlRows(DM().ACN2, QStringLiteral("SELECT * FROM MSYAIN1 ORDER BY KCO, NENDO, SCO"));
    p.messages.clear();
    p.messages.answer(true);
    if (how == QLatin1String("menu"))
        action(w, QStringLiteral("mnDBCond"))->trigger();
    else
        w.findChild<QToolButton *>(QStringLiteral("btn_mnDBCond"))->click();
    QCOMPARE(p.messages.texts(), QStringList({kMsgCompactAsk, kMsgCompactDone}));
    QVERIFY(DM().ACN1.isOpen());
    QVERIFY(DM().ACN2.isOpen());
    QCOMPARE(G().gCorpOpen, 1);
    QCOMPARE(G().gKco, 1);
    QCOMPARE(G().gEditMode, 4);
    QCOMPARE(w.windowTitle(), title);
    QVERIFY(menuEnabled(w, QStringLiteral("mnData")));
    QCOMPARE(SqlRows(DM().ACN2, QStringLiteral("SELECT * FROM MSYAIN1 ORDER BY KCO, NENDO, SCO")),
             employees);
    // The screens go on working on the reopened connections.
    p.messages.clear();
    action(w, QStringLiteral("mnWorker"))->trigger();
    QCOMPARE(w.shown.last(), QStringLiteral("TNX0030"));
    QCOMPARE(p.messages.texts(), QStringList{});
}

void Tst_main_window::helpButtonOpensManual_data() {
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<bool>("desktopTakesIt");
    QTest::addColumn<int>("opened");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("pathAsCaption");
    QTest::newRow("no file") << false << true << 0 << kMsgHelpMissing << false;
    QTest::newRow("opened") << true << true << 1 << QString() << false;
    QTest::newRow("refused") << true << false << 1 << kMsgHelpRefused << true;
}

void Tst_main_window::helpButtonOpensManual() {
    QFETCH(bool, fileThere);
    QFETCH(bool, desktopTakesIt);
    QFETCH(int, opened);
    QFETCH(QString, message);
    QFETCH(bool, pathAsCaption);
    TestProgram p;
    if (fileThere) QVERIFY(QFile::copy(QStringLiteral(VM_HELP_MANUAL), HelpFilePath()));
    QList<QUrl> urls;
    InstallDocumentOpener([&](const QUrl &url) {
        urls << url;
        return desktopTakesIt;
    });
    TestWindow w;
    w.findChild<QToolButton *>(QStringLiteral("btn_mnHELPH"))->click();
    InstallDocumentOpener(nullptr);
    QCOMPARE(urls.size(), opened);
    if (opened) QCOMPARE(urls[0], QUrl::fromLocalFile(G().gAppPath + "New_Valten_M.html"));
    if (message.isEmpty()) {
        QVERIFY(p.messages.entries.isEmpty());
        return;
    }
    QCOMPARE(p.messages.entries.size(), 1);
    const QString path = QDir::toNativeSeparators(HelpFilePath());
    QCOMPARE(p.messages.entries[0].text, pathAsCaption ? message + path : message);
    if (pathAsCaption) QCOMPARE(p.messages.entries[0].caption, path);
}

// The manual shipped beside the program names every menu and every command as the menus show
// them, so a renamed or added command shows here until the manual follows.
void Tst_main_window::manualDescribesEveryCommand() {
    QFile file(QStringLiteral(VM_HELP_MANUAL));
    QVERIFY2(file.open(QIODevice::ReadOnly), "the manual beside the built program");
    const QString manual = QString::fromUtf8(file.readAll());
    QVERIFY(manual.contains(QLatin1String("<meta charset=\"utf-8\">")));
    TestProgram p;
    TestWindow w;
    const QRegularExpression accelerator(QStringLiteral("\\(&.\\)$"));
    QStringList missing;
    int commands = 0;
    for (QMenu *menu : w.menuBar()->findChildren<QMenu *>()) {
        const QString caption = menu->title().remove(accelerator);
        if (!manual.contains(caption)) missing << caption;
        for (QAction *a : menu->actions()) {
            if (a->isSeparator()) continue;
            ++commands;
            const QString text = a->text().remove(accelerator);
            if (!manual.contains(QStringLiteral("<td>") + text + QStringLiteral("</td>")))
                missing << text;
        }
    }
    QVERIFY(commands > 30);
    QCOMPARE(missing, QStringList{});
}

void Tst_main_window::versionDialogIsMadeAtStartUp() {
    TestProgram p;
    const std::unique_ptr<TNX0000> w = StartUp(SplashTimings::None());
    auto *dialog = w->findChild<QDialog *>(QStringLiteral("TNX4010"));
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    QVERIFY(!dialog->isVisible());
}

QTEST_MAIN(Tst_main_window)
#include "tst_main_window.moc"
