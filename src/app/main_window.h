#pragma once
// The main window: the menu bar and the tool-button panels from which every screen is
// opened. It initialises the project state at creation (databases, calendar settings), gates
// each command on that state, and shows the open project in its title, menus and panels.

#include <QMainWindow>
#include <memory>

class QAction;
class QDialog;
class QMenu;
class QWidget;
class TNX0010;
class TNX0070;
struct SplashTimings;

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
    void CreateStartupScreens();
    void CreateLateStartupScreens();

    // The company list; created on first use when start-up has not made it.
    TNX0010 *CompanyList();

public slots:
    // Project menu.
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
    void mnDBCondClick();
    void mnEndClick();
    // Data input.
    void mnWorkerClick();
    void mnLivingClick();
    void mnModelDataClick();
    void mnModelSalaryClick();
    // Band design.
    void mnMmatIdClick();
    void mnMHyoukaClick();
    void mnMCtrMatClick();
    void mnBandNameClick();
    void mnBandClick();
    void mnBandGraphClick();
    // Plot analysis.
    void mnSalaryPlotClick();
    void mnSalaryUpCurveClick();
    void mnLivingCompClick();
    void mnModelSalaryCompClick();
    void mnSalaryUpSettingClick();
    // Raise management.
    void mnSalaryInputClick();
    void mnNendoUpdateClick();
    void mnEvaConvClick();
    // Reports.
    void mn_SaralyReportClick();
    void mn_SaralyUpReportClick();
    void mn_MatUpListClick();
    // Help.
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
    void FormCreate();
    void BuildMenus();
    void BuildPanels();
    QAction *AddCommand(QMenu *menu, const char *name, const QString &caption,
                        void (TNX0000::*slot)());
    void SetProjectMenus(bool enabled);
    void SetProjectPanels(bool earlySet, bool plot, bool band, bool newYear);
    // Shows the "no project" message unless a project is open.
    bool RequireProject();
    // Common preparation of the project commands; mode 1 register, 2 modify, 3 delete,
    // 4 select. False when the command was refused.
    bool RunCompanyList(int mode);
    void OpenReport(int kind, const QString &title);
    // Where a command shows its screen; screens not built yet are only announced.
    void OpenScreen(const QString &screen, const QString &title = QString());

    TNX0070 *BasicSettings();

    TNX0010 *m_companyList = nullptr;
    TNX0070 *m_basicSettings = nullptr;
    bool m_connectionsClosed = false;
};

// The start-up sequence after the data module exists: the main window (which opens the
// databases), the splash with its minimum times, and the long-lived screens. The window is
// returned not yet shown.
std::unique_ptr<TNX0000> StartUp(const SplashTimings &timings);
