#pragma once
// TNX0030, the employee register of the open project: personal data, grade and pay step,
// evaluations, the wage items before and after the raise, bonuses, band, role evaluation and
// the raise-matrix link of every employee, with the list of employees below. Each employee is
// one row of MSYAIN1 and one of MSYAIN2, written together through the employee store.

#include <QDialog>
#include <QImage>
#include <array>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QStringListModel;
class TEmployeeGrid;
class TGradeFilter;
class TChangeTracker;
class TDateBoxes;
class TFieldExits;
class TWagePage;
struct TEmployee;

class TNX0030 : public QDialog {
    Q_OBJECT
public:
    explicit TNX0030(QWidget *parent = nullptr);
    ~TNX0030() override;

    // Loads the lists of the open project and shows its first employee; called before the
    // screen is shown.
    void prepare();

    int gradeFilter() const { return m_gradeFilter; }
    bool rowHighlight() const;
    // Number of employees listed in the grid.
    int listedCount() const;
    // The grid row (from 1) of the employee shown, and the lowest and highest code listed.
    int gridRow() const { return m_gridRow; }
    int lowestCode() const { return m_minCode; }
    int highestCode() const { return m_maxCode; }
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
    void OptTokyuClick(int grade);
    // A click on data row `row` (1 = first employee).
    void StringGrid1Click(int row);
    void cmbMibunChange();
    // Field checks on leaving; false when the value was refused (the focus is back in it).
    bool cmbWorkerExit();
    bool txtGouhouExit();
    bool cmbSikakuExit();
    bool cmbMarkExit();
    bool cmbHyouka1Exit();
    void reject() override;

private:
    enum class NumKind { Integer, Real };
    struct NumField {
        QLineEdit *edit;
        NumKind kind;
        int low;
        int high;
    };

    QWidget *buildHeader();
    QWidget *buildBasicPage();
    QWidget *buildBandPage();
    void buildGrid();
    QLineEdit *addEdit(QWidget *parent, const char *name, int maxLength, bool right = false);
    QComboBox *addCodeCombo(QWidget *parent, const char *name, bool editable);
    TDateBoxes *addDate(QWidget *parent, const char *era, const char *yy, const char *mm,
                        const char *dd);

    void initialise();
    void clearForm();
    void fillGrid();
    void chooseCode(int code, int row);
    void loadEmployee();
    void showEmployee(const TEmployee &e);
    void showPicture(const QString &name);
    void computeZone();
    void matrixRecompute();
    void setMatrixLink(int link);
    void navigate(int row);
    bool confirmStay(const QString &target);
    int typedCode() const;

    QString numberMessage(const NumField &field) const;
    bool numberExit(const NumField &field);
    bool codeComboExit(QComboBox *combo, const QString &notNumber,
                       const std::function<QString(int)> &text);
    bool readDates(TEmployee &e);
    bool readForm(TEmployee &e);
    bool canSave(TEmployee &e);
    bool codeGiven();
    bool linkClashes();

    QTabWidget *m_tabs = nullptr;
    TFieldExits *m_exits = nullptr;
    TChangeTracker *m_changes = nullptr;
    // Header.
    QComboBox *m_cmbWorker = nullptr;
    QStringListModel *m_workerItems = nullptr;
    QLineEdit *m_txtWorker = nullptr;
    QLineEdit *m_txtCureentNo = nullptr;
    QLineEdit *m_txtLastNo = nullptr;
    TGradeFilter *m_grades = nullptr;
    QPushButton *m_btnAdd = nullptr;
    QPushButton *m_btnMnt = nullptr;
    QPushButton *m_btnDlt = nullptr;
    // Basic page.
    QLineEdit *m_txtWorkerNo = nullptr;
    QLineEdit *m_txtWorkName = nullptr;
    QRadioButton *m_optSex1 = nullptr;
    QRadioButton *m_optSex2 = nullptr;
    QLineEdit *m_txtYakusyoku = nullptr;
    TDateBoxes *m_nyu = nullptr;
    TDateBoxes *m_sei = nullptr;
    TDateBoxes *m_tou = nullptr;
    QComboBox *m_cmbMibun = nullptr;
    QLineEdit *m_txtGakureki = nullptr;
    QLineEdit *m_txtSenkou = nullptr;
    QLineEdit *m_txtKSikaku = nullptr;
    QLineEdit *m_txtHaizoku = nullptr;
    QComboBox *m_cmbSikaku = nullptr;
    QLineEdit *m_txtGouhou = nullptr;
    QLineEdit *m_txtTasseiRitsu = nullptr;
    QComboBox *m_cmbHyouka1 = nullptr;
    std::array<QLineEdit *, 5> m_txtHyouka{}; // [2..4]
    QLineEdit *m_txtKeikenNen = nullptr;
    QLineEdit *m_txtSyokumuTensu = nullptr;
    QComboBox *m_cmbMark = nullptr;
    QLabel *m_imgPicture = nullptr;
    TWagePage *m_wage = nullptr;
    // Band page.
    QComboBox *m_cmbBand = nullptr;
    QComboBox *m_cmbYHyouka = nullptr;
    QLineEdit *m_txtZone = nullptr;
    QLineEdit *m_txtUPRitsu = nullptr;
    QLineEdit *m_txtNewBand = nullptr;
    QLineEdit *m_txtNewYHYOUKA = nullptr;
    // Grid.
    TEmployeeGrid *m_grid = nullptr;

    std::vector<NumField> m_numFields;
    bool m_workerTyped = false;

    int m_gradeFilter = 0;
    int m_gridRow = 0;
    int m_minCode = 0;
    int m_maxCode = 0;
    int m_companyMatrixLink = 0;
    QString m_pictureName;
    QImage m_picture;
};
