#pragma once
// TNX3010, the raise input of the open project: for each employee the grade now and after the
// raise, promotion, overall evaluation, the band and role evaluation now and after the raise,
// and the three base-pay items and five allowances before the raise, raised and after it. The
// base-pay item linked to the band (the employee's MLINK) is raised by the raise matrix; the
// item fed by the wage table (JISEKI) takes the wage table's amount. Saving writes the
// employee's rows of MSYAIN1 and MSYAIN2 together.

#include "loaders.h"

#include <QDialog>
#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QStringListModel;
class QTabWidget;
class TChangeTracker;
class TEmployeeGrid;
class TFieldExits;
class TGradeFilter;
class TRaisePage;
struct EmployeeListRow;
struct TRaiseInput;

class TNX3010 : public QDialog {
    Q_OBJECT
public:
    explicit TNX3010(QWidget *parent = nullptr);
    ~TNX3010() override;

    // Loads the lists of the open project and shows its first employee; called before the
    // screen is shown. `wageTable` is the project's wage table by step (LoadWageTable), from
    // which a grade entered here takes the amount of the wage-table item.
    void prepare(std::vector<TWageStep> wageTable);
    // Shows the employee `sco` after prepare(), as choosing the list's row does; false when the
    // list has no such employee (the form stays as it was).
    bool showEmployee(int sco);

    // The employee shown (0: none), its row in the list (from 1; 0: none), the grade filter.
    int currentCode() const { return m_sco; }
    int currentRow() const { return m_row; }
    int gradeFilter() const { return m_gradeFilter; }
    int listedCount() const;
    // The promotion flag (FSKCHK) of the employee on the form.
    bool promoted() const { return m_promoted; }

public slots:
    void btnAddClick();
    void btnCancelClick();
    void btnHyogoClick();
    void btnCloseClick();
    void btnFirstClick();
    void btnBackClick();
    void btnNextClick();
    void btnLastClick();
    void btnMatllixClick();
    void cdBandClick();
    void chkUPClick();
    void optTokyuClick(int grade);
    // Data row `row` (from 1) of the list was chosen.
    void StringGrid1Click(int row);
    // The current band or role evaluation, or the new one, was chosen.
    void cmbBandExit();
    void cmbNewBANDExit();
    // Field checks on leaving; false when the value was refused (the focus is back in it).
    bool cmbWorkerCodeExit();
    bool cmbSikakuExit();
    bool cmbNewToukyuExit();
    bool cmbHyoukaExit();
    void reject() override;

protected:
    // Shows a screen opened from this one (evaluation conversion, matrix check, band list)
    // modally; returns its result.
    virtual int ShowModal(QDialog *dialog);

private:
    QWidget *buildHeader();
    QWidget *buildGroup();
    QWidget *buildMatrixPage();
    void buildGrid();
    QComboBox *addCombo(QWidget *parent, const char *name, bool editable);
    QLineEdit *addDisplay(QWidget *parent, const char *name, int width = 0);

    void clearFields();
    void fillList(const std::vector<EmployeeListRow> &employees);
    void loadList();
    void loadEvaluations();
    void loadEmployee();
    void setPromotion(bool on);
    int wageItem() const;
    int matrixLink() const;
    int linkedPay() const;
    void computeCurrentSide();
    void computeNewSide();
    void lookUpWage();
    bool gradeExit(QComboBox *combo, const QString &outOfRange);
    bool readGrade(QComboBox *combo, const QString &outOfRange, int &grade);
    bool readInput(TRaiseInput &r);
    bool confirmStay(const QString &leaving);
    void goToRow(int row, bool focus);
    void focusPage();
    void refuseOnFirstPage(QWidget *field, const QString &message);

    QTabWidget *m_tabs = nullptr;
    TFieldExits *m_exits = nullptr;
    TChangeTracker *m_changes = nullptr;
    // Header.
    QComboBox *m_cmbWorkerCode = nullptr;
    QStringListModel *m_workerItems = nullptr;
    QLineEdit *m_txtWorkerCode = nullptr;
    QLineEdit *m_txtWorkerName = nullptr;
    QLineEdit *m_txtCureentNo = nullptr;
    QLineEdit *m_txtLastNo = nullptr;
    TGradeFilter *m_grades = nullptr;
    // Grades and evaluations.
    QComboBox *m_cmbHyouka = nullptr;
    QCheckBox *m_chkUP = nullptr;
    QLineEdit *m_txtTairyuu = nullptr;
    QComboBox *m_cmbSikaku = nullptr;
    QComboBox *m_cmbNewToukyu = nullptr;
    std::array<QLineEdit *, 4> m_txtHyouka{}; // [1..3]
    // Page マトリクス.
    QComboBox *m_cmbBand = nullptr;
    QComboBox *m_cmbYhyouka = nullptr;
    QLineEdit *m_txtZone = nullptr;
    QLineEdit *m_txtUPRitsu = nullptr;
    QComboBox *m_cmbNewBAND = nullptr;
    QComboBox *m_cmbNewYHyouka = nullptr;
    QLineEdit *m_txtNewZone = nullptr;
    QLineEdit *m_txtNewUPRitsu = nullptr;
    // Page 昇給管理 and the list.
    TRaisePage *m_page = nullptr;
    TEmployeeGrid *m_grid = nullptr;

    std::vector<TWageStep> m_wageTable;
    int m_sco = 0;
    int m_row = 0;
    int m_gradeFilter = 0;
    int m_firstCode = 0;
    int m_lastCode = 0;
    bool m_promoted = false;
    bool m_workerTyped = false;
    // The employee shown was found, and its pay steps now and after the raise.
    bool m_found = false;
    int m_step = 0;
    int m_newStep = 0;
};
