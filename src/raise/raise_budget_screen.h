#pragma once
// TfrmRaiseBudget, "昇給原資とポジション": before the raises are announced, whether the raise
// matrix fits the money set aside for it and where each employee stands in the band. The budget
// is entered as a percentage of the monthly fixed-pay total or as an amount and kept per
// project; beside it the planned raise total of the group raise reports and the difference. A
// table per band (compa-ratio, range penetration, employees outside the band, raise total), a
// picture of the bands with every linked employee, the employees above and below their band,
// and the uniform factor on every matrix rate that makes the raises meet the budget, which
// "適用" writes to the matrices.

#include "raise_budget_report.h"

#include <QDialog>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTabWidget;
class TBudgetChartView;
class TFieldExits;
struct TMatrixCellRow;

class TfrmRaiseBudget : public QDialog {
    Q_OBJECT
public:
    explicit TfrmRaiseBudget(QWidget *parent = nullptr);
    ~TfrmRaiseBudget() override;

    // Loads the bands, matrices, employees and budget of the open project and computes every
    // figure; called before the screen is shown.
    void prepare();

    const TBudgetReportData &data() const { return m_data; }
    qint64 budgetAmount() const;
    const TBudgetFit &fit() const { return m_fit; }
    bool fitted() const { return m_fitted; }
    // The picture as the screen shows it.
    QImage chartImage() const;
    // The employee named by the position point under `at` in the picture ("" when none).
    QString chartToolTip(QPoint at) const;

public slots:
    bool txtBudgetRateExit();
    bool txtBudgetAmountExit();
    void btnFitClick();
    void btnApplyClick();
    void btnPrintClick();
    void cdCsvClick();
    void btnCopyClick();
    void btnSaveClick();
    void btnCloseClick();
    // A row of a list was double-clicked: the raise input opens at that employee.
    void grdAboveDblClick(int row);
    void grdBelowDblClick(int row);

protected:
    // Shows a screen opened from this one (raise input, print preview) modally.
    virtual int ShowModal(QDialog *dialog);

private:
    void build();
    QWidget *buildBudget();
    QWidget *buildFit();
    void load();
    void showFigures();
    void showBudget();
    void showTable();
    void showList(QTableWidget *grid, const std::vector<TLimitRow> &rows, bool above);
    void showMatrices();
    void clearFit();
    bool budgetExit(QLineEdit *edit, int kind, bool &typed);
    void openRaiseInput(const std::vector<TLimitRow> &rows, int row);

    TBudgetReportData m_data;
    TBANDTBL m_bandTable;
    TMATTBL m_matrices;
    TBudgetFit m_fit;
    bool m_fitted = false;
    // A budget box counts when the user typed into it: passing through it changes nothing.
    bool m_rateTyped = false;
    bool m_amountTyped = false;

    TFieldExits *m_exits = nullptr;
    QLineEdit *m_txtBudgetRate = nullptr;
    QLineEdit *m_txtBudgetAmount = nullptr;
    QLabel *m_labFixedTotal = nullptr;
    QLabel *m_labRaiseTotal = nullptr;
    QLabel *m_labRaiseRate = nullptr;
    QLabel *m_labDifference = nullptr;
    TBudgetChartView *m_chart = nullptr;
    QTableWidget *m_grdBands = nullptr;
    QTabWidget *m_tabs = nullptr;
    QTableWidget *m_grdAbove = nullptr;
    QTableWidget *m_grdBelow = nullptr;
    QLabel *m_labFactor = nullptr;
    QLabel *m_labFitTotal = nullptr;
    QTableWidget *m_grdMatrices = nullptr;
    QPushButton *m_btnFit = nullptr;
    QPushButton *m_btnApply = nullptr;
    QPushButton *m_btnPrint = nullptr;
    QPushButton *m_cdCsv = nullptr;
    QPushButton *m_btnCopy = nullptr;
    QPushButton *m_btnSave = nullptr;
    QPushButton *m_btnClose = nullptr;
};
