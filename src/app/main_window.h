#pragma once
// The main window: the menu bar and the tool-button panels from which every screen is
// opened. It initialises the project state at creation (databases, calendar settings), gates
// each command on that state, and shows the open project in its title, menus and panels.
// Every command is a row of one table (its menu, caption, gate and screen); the commands that
// do more than open a screen have a handler of their own.

#include <QMainWindow>
#include <memory>

class QAction;
class QDialog;
class QWidget;
class TNX0010;
class TNX0050;
class TNX0060;
class TNX0070;
class TNX0080;
class TNX3020;
class TNX3030;
class TNX1010;
class TNX1020;
class TNX1030;
class TNX1040;
class TNX1050;
class TNX1051;
class TNX1100;
class TNX4010;
class TfrmPrintPreview;
struct SplashTimings;
struct MainCommand;
enum class ListMode;

// The window title: "【　<year> 年度  :  <company>　】 NXヴァルテンマトリクス" while a project is
// open (the year in the company's calendar), otherwise the program's caption.
QString ProjectTitle();

class TNX0000 : public QMainWindow {
    Q_OBJECT
public:
    explicit TNX0000(QWidget *parent = nullptr);
    ~TNX0000() override;

    // The screens that live for the whole run, created by the start-up sequence in two
    // steps: those made while the splash is up, then those made after its minimum time.
    void createStartupScreens();
    void createLateStartupScreens();

    // The company list; created on first use when start-up has not made it.
    TNX0010 *companyList();

public slots:
    // The commands with more to do than opening their screen.
    void mnNewClick();
    void mnOPenClick();
    void mnCloseClick();
    void mnMntClick();
    void mnDltClick();
    void mnBaseClick();
    void mnSararyNameClick();
    void mnPrintClick();
    void mnImportClick();
    void mnExportClick();
    void mnEndClick();
    void mnWorkerClick();
    void mnLivingClick();
    void mnModelDataClick();
    void mnModelSalaryClick();
    void mnMmatIdClick();
    void mnMHyoukaClick();
    void mnMCtrMatClick();
    void mnBandNameClick();
    void mnBandClick();
    void mnBandGraphClick();
    void mnSalaryInputClick();
    void mnNendoUpdateClick();
    void mnEvaConvClick();
    void mnRaiseBudgetClick();
    void mnReportClick();
    void mnSalaryPlotClick();
    void mnSalaryUpCurveClick();
    void mnLivingCompClick();
    void mnModelSalaryCompClick();
    void mnSalaryUpSettingClick();
    void mnDBCondClick();
    void BeforeUseClick();
    void mnHELPHClick();
    void mnVersionClick();

    // The company list opened a project in select mode.
    void ProjectOpened();

signals:
    // A command reached the point where it shows its screen (the screen's class name and,
    // for the report screen, its title). Screens not built yet are only announced.
    void screenRequested(const QString &screen, const QString &title);

protected:
    void closeEvent(QCloseEvent *event) override;
    // Shows a screen modally over this window; returns the dialog's result.
    virtual int ShowModal(QDialog *dialog);

private:
    void formCreate();
    void buildMenus();
    void buildPanels();
    void runCommand(const MainCommand &command);
    void setProjectMenus(bool enabled);
    void setProjectPanels(bool earlySet, bool plot, bool band, bool newYear);
    // Shows the "no project" message unless a project is open.
    bool requireProject();
    // The common preparation of the project commands; false when the command was refused.
    bool runCompanyList(ListMode mode);
    // Where a command shows its screen; screens not built yet are only announced.
    void openScreen(const QString &screen, const QString &title = QString());
    TNX0070 *basicSettings();
    // Shows a long-lived screen centred and modally.
    void showCentred(QDialog *dialog);
    TNX3030 *yearRollover();
    TNX4010 *versionDialog();
    // Prepares an analysis dialog (made when start-up has not made it) and shows it.
    template <typename Dialog> void showAnalysis(Dialog *&dialog, const char *name);
    // Creates a screen for one use, prepares it and shows it.
    template <typename Screen> void showNew(const char *name);

    TNX0010 *m_companyList = nullptr;
    TNX0070 *m_basicSettings = nullptr;
    TNX0050 *m_livingCosts = nullptr;
    TNX0060 *m_modelWages = nullptr;
    TNX0080 *m_modelData = nullptr;
    TNX3020 *m_evaluationConversion = nullptr;
    TNX3030 *m_yearRollover = nullptr;
    TNX1010 *m_wagePlot = nullptr;
    TNX1020 *m_raiseCurveAnalysis = nullptr;
    TNX1030 *m_livingComparison = nullptr;
    TNX1040 *m_modelComparison = nullptr;
    TNX1050 *m_raiseCurveDesign = nullptr;
    TNX1051 *m_designLegend = nullptr;
    TNX1100 *m_plotWindow = nullptr;
    TfrmPrintPreview *m_printPreview = nullptr;
    TNX4010 *m_versionDialog = nullptr;
    bool m_connectionsClosed = false;
};

// The start-up sequence after the data module exists: the main window (which opens the
// databases), the splash with its minimum times, and the long-lived screens. The window is
// returned not yet shown.
std::unique_ptr<TNX0000> StartUp(const SplashTimings &timings);
