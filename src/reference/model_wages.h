#pragma once
// TNX0060, the model wage register: the wage points of the company's model (age, years of
// service and experience, base pay, scheduled pay, annual bonus and annual income in thousand
// yen, and the line type the plot draws the point on), each under a wage code, with every
// point of the model listed in a grid below.

#include "register_kit.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QLineEdit;
class QTableWidget;
class TChangeTracker;
class TFieldExits;
struct TModelWage;

class TNX0060 : public QDialog {
    Q_OBJECT
public:
    explicit TNX0060(QWidget *parent = nullptr);
    ~TNX0060() override;

    // Clears the screen and lists the wage points of the company's model; called each time
    // before the register is shown.
    void prepare();

    // 0 nothing loaded, 1 the current code has no point, 2 it has one.
    int editMode() const { return m_editMode; }
    int currentCode() const { return m_current; }
    // Whether the grid shows its current row highlighted.
    bool rowHighlight() const { return m_highlight; }

public slots:
    // Leaving the code box chooses the typed or picked wage code; false when refused.
    bool cmbSalaryIDExit();
    bool cmbSensyuExit();
    // A click on grid cell (row, column), counted as the grid shows them: row 0 is the
    // heading, column 0 the row numbers.
    void StringGrid1Click(int row, int column);
    void btnAddClick();
    void btnDltClick();
    void btnCancelClick();
    void btnCloseClick();
    void btnFirstClick() { move(Move::First); }
    void btnBackClick() { move(Move::Back); }
    void btnNextClick() { move(Move::Next); }
    void btnLastClick() { move(Move::Last); }
    void reject() override;

private:
    void clearScreen();
    void loadCodeList();
    void fillGrid();
    void findInGrid();
    void loadWage();
    void move(Move target);
    void afterWrite();
    void setHighlight(bool on);
    int codeOfRow(int row) const;
    QLineEdit *addNumberBox(const char *name, int maxLength, int limit, bool amount);

    TFieldExits *m_exits = nullptr;
    TChangeTracker *m_changes = nullptr;
    QComboBox *m_cmbSalaryID = nullptr;
    QLineEdit *m_txtCureentNo = nullptr;
    QLineEdit *m_txtLastNo = nullptr;
    QLineEdit *m_txtNenrei = nullptr;
    QLineEdit *m_txtKinzoku = nullptr;
    QLineEdit *m_txtKeiken = nullptr;
    QComboBox *m_cmbSensyu = nullptr;
    QLineEdit *m_txtKihon = nullptr;
    QLineEdit *m_txtSyotei = nullptr;
    QLineEdit *m_txtBonus = nullptr;
    QLineEdit *m_txtNensyu = nullptr;
    QTableWidget *m_grid = nullptr;

    std::vector<int> m_codes; // the wage codes of the grid rows
    int m_current = 0;
    int m_position = 0; // grid row (from 1) of the current code; 0 when none
    int m_editMode = 0;
    bool m_highlight = false;
    bool m_codeTyped = false;
};
