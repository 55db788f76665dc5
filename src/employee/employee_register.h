#pragma once
// TNX0030, the employee register of the open project: personal data, grade and pay step,
// evaluations, the wage items before and after the raise, bonuses, band, role evaluation and
// the raise-matrix link of every employee, with the list of employees below. Each employee is
// one row of MSYAIN1 and one of MSYAIN2, always written together.

#include <QDialog>
#include <QImage>
#include <array>
#include <functional>
#include <vector>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class QStringListModel;
class EmployeeGridModel;
class TFieldExits;
class TQuery;

class TNX0030 : public QDialog {
    Q_OBJECT
public:
    explicit TNX0030(QWidget *parent = nullptr);
    ~TNX0030() override;

    // Loads the lists of the open project and shows its first employee; called before the
    // screen is shown.
    void prepare();

    int gradeFilter() const { return m_gradeFilter; }
    // The grid row (from 1) of the employee shown, and the lowest and highest code listed.
    int gridRow() const { return m_gridRow; }
    int lowestCode() const { return m_minCode; }
    int highestCode() const { return m_maxCode; }
    bool rowHighlight() const { return m_highlight; }
    // Number of employees listed in the grid.
    int listedCount() const;
    // The picture name as stored (relative to the Picture folder) and the picture shown.
    QString pictureName() const { return m_pictureName; }
    QImage picture() const { return m_picture; }

public slots:
    void btnAddClick();
    void btnMntClick();
    void btnDltClick();
    void btnCanselClick();
    void btnCloseClick();
    void btnFirstClick();
    void btnBackClick();
    void btnNextClick();
    void btnLastClick();
    void btnPicterClick();
    void optMatrixClick(int link);
    void cdResetMLinkClick();
    void OptTokyuClick(int grade);
    // A click on data row `row` (1 = first employee).
    void StringGrid1Click(int row);
    void cmbMibunChange();
    // Field checks on leaving; false when the value was refused (the focus is back in it).
    bool cmbWorkerExit();
    bool txtKihon1Exit() { return kihonExit(1); }
    bool txtKihon2Exit() { return kihonExit(2); }
    bool txtKihon3Exit() { return kihonExit(3); }
    bool txtGouhouExit();
    bool cmbSikakuExit();
    bool cmbMarkExit();
    bool cmbHyouka1Exit();
    void reject() override;

private:
    struct DateBoxes {
        QComboBox *era = nullptr;
        QLineEdit *yy = nullptr;
        QLineEdit *mm = nullptr;
        QLineEdit *dd = nullptr;
    };
    enum class NumKind { Amount, Integer, Real };
    struct NumField {
        QLineEdit *edit;
        NumKind kind;
        int low;
        int high;
    };
    struct Values; // the form's values, parsed and checked for saving

    QWidget *buildHeader();
    QWidget *buildBasicPage();
    QWidget *buildWagePage();
    QWidget *buildBandPage();
    void buildGrid();
    QLineEdit *addEdit(const char *name, int maxLength, bool right = false);
    QComboBox *addCombo(const char *name, bool editable);
    void watchExit(QWidget *field, std::function<bool()> check);

    void initialise();
    void clearForm();
    void fillGrid();
    void chooseRow(int row);
    void chooseCode(int code, int row);
    void loadEmployee();
    void showDate(const DateBoxes &boxes, int ymd);
    void showPicture(const QString &name);
    void computeZone();
    void matrixRecompute();
    void computeTotals();
    void setMatrixLink(int link);
    void navigate(int row);
    bool confirmStay(const QString &target);
    int gridRowOfCode(int code) const;
    int typedCode() const;
    bool syncCodeBox();

    QString numberMessage(const NumField &field) const;
    bool numberExit(const NumField &field);
    bool amountExit(QLineEdit *edit);
    bool kihonExit(int item);
    bool joinDates(Values &v);
    bool collectValues(Values &v);
    void applyCaptions(int workType);
    void setGridRowQuietly(int row, int column = 0);
    bool linkClashes();
    bool employeeExists(TQuery &query);

    QTabWidget *m_tabs = nullptr;
    // Header.
    QComboBox *m_cmbWorker = nullptr;
    QStringListModel *m_workerItems = nullptr;
    QLineEdit *m_txtWorker = nullptr;
    QLineEdit *m_txtCureentNo = nullptr;
    QLineEdit *m_txtLastNo = nullptr;
    QButtonGroup *m_gradeGroup = nullptr;
    QPushButton *m_btnAdd = nullptr;
    QPushButton *m_btnMnt = nullptr;
    QPushButton *m_btnDlt = nullptr;
    QPushButton *m_btnCansel = nullptr;
    // Basic page.
    QLineEdit *m_txtWorkerNo = nullptr;
    QLineEdit *m_txtWorkName = nullptr;
    QRadioButton *m_optSex1 = nullptr;
    QRadioButton *m_optSex2 = nullptr;
    QLineEdit *m_txtYakusyoku = nullptr;
    DateBoxes m_nyu, m_sei, m_tou;
    QComboBox *m_cmbMibun = nullptr;
    QLineEdit *m_txtGakureki = nullptr;
    QLineEdit *m_txtSenkou = nullptr;
    QLineEdit *m_txtKSikaku = nullptr;
    QLineEdit *m_txtHaizoku = nullptr;
    QComboBox *m_cmbSikaku = nullptr;
    QLineEdit *m_txtGouhou = nullptr;
    QLineEdit *m_txtTasseiRitsu = nullptr;
    QComboBox *m_cmbHyouka1 = nullptr;
    std::array<QLineEdit *, 4> m_txtHyouka{}; // [2..4]
    QLineEdit *m_txtKeikenNen = nullptr;
    QLineEdit *m_txtSyokumuTensu = nullptr;
    QComboBox *m_cmbMark = nullptr;
    QLabel *m_imgPicture = nullptr;
    // Wage page; arrays indexed by item number.
    std::array<QLabel *, 4> m_labKihon{};
    std::array<QLabel *, 6> m_labTeate{};
    std::array<QLineEdit *, 4> m_txtKihon{};
    std::array<QLineEdit *, 4> m_txtAFKihon{};
    std::array<QLineEdit *, 6> m_txtTeate{};
    std::array<QLineEdit *, 6> m_txtAFTeate{};
    QLineEdit *m_txtKihonSum = nullptr;
    QLineEdit *m_txtAFKihonSum = nullptr;
    QLineEdit *m_txtUpKihon = nullptr;
    QLineEdit *m_txtTeateSum = nullptr;
    QLineEdit *m_txtAFTeateSum = nullptr;
    QLineEdit *m_txtTeateUP = nullptr;
    QLineEdit *m_txtSyotei = nullptr;
    QLineEdit *m_txtAFSyotei = nullptr;
    QLineEdit *m_txtBonus1 = nullptr;
    QLineEdit *m_txtBonus2 = nullptr;
    QLineEdit *m_txtNensyu = nullptr;
    QLineEdit *m_txtAFNensyu = nullptr;
    QLineEdit *m_txtTaisyokuKin = nullptr;
    std::array<QRadioButton *, 4> m_optMatrix{}; // [1..3]
    QButtonGroup *m_matrixGroup = nullptr;
    // Band page.
    QComboBox *m_cmbBand = nullptr;
    QComboBox *m_cmbYHyouka = nullptr;
    QLineEdit *m_txtZone = nullptr;
    QLineEdit *m_txtUPRitsu = nullptr;
    QLineEdit *m_txtNewBand = nullptr;
    QLineEdit *m_txtNewYHYOUKA = nullptr;
    // Grid.
    QTableView *m_grid = nullptr;
    EmployeeGridModel *m_model = nullptr;

    std::vector<NumField> m_numFields;
    TFieldExits *m_exits = nullptr;
    bool m_quietGrid = false;
    bool m_highlight = false;
    bool m_workerTyped = false;

    int m_gradeFilter = 0;
    int m_gridRow = 0;
    int m_minCode = 0;
    int m_maxCode = 0;
    int m_companyMatrixLink = 0;
    QString m_pictureName;
    QImage m_picture;
};
