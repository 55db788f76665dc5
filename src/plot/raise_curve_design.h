#pragma once
// TNX1050, the raise-curve design: up to five trial raise curves (designs) of up to six points
// each, drawn by the plot window over the employees' wages. The designs are kept per X and Y
// item; the screen also carries the chart settings of its chart (1050) like the analysis
// dialogs. One screen for the whole run, prepared each time it is opened.

#include "design_records.h"
#include "records.h"

#include <QDate>
#include <QDialog>
#include <array>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class TChangeTracker;
class TFieldExits;
class TNX1051;
class TfrmPrintPreview;
struct TDesignReportInput;

class TNX1050 : public QDialog {
    Q_OBJECT
public:
    // `legend` is the legend dialog of the run; without one the screen makes its own.
    explicit TNX1050(QWidget *parent = nullptr, TNX1051 *legend = nullptr);
    ~TNX1050() override;

    // Makes the screen's chart the prepared one, loads its settings rows (creating them the
    // first time) and the designs of the stored item pair.
    void prepare();
    // Shows the stored designs of the current item pair again (after the plot window stored
    // captured points as a design); points not saved are dropped.
    void reloadDesigns();

    const TDesignSet &designs() const { return m_designs; }

    // The preview to show the printed design wage table in (the program's long-lived one);
    // without it the screen makes its own.
    void setPreview(TfrmPrintPreview *preview) { m_preview = preview; }
    // The date printed in the page headings; today when not set.
    void setReportDate(const QDate &date) { m_reportDate = date; }

public slots:
    void btnExecClick();
    void btnAddClick();
    void btnSalaryListClick();
    void btnFileClick();
    void btnCloseClick();
    void btnHanreiClick(int design);
    void reject() override;

protected:
    // Shows the legend dialog; tests record it instead.
    virtual int ShowModal(QDialog *dialog);
    // Shows the preview of gPreviewFile modally.
    virtual void showPreview();
    TfrmPrintPreview *preview();

private:
    void buildDesigns(QWidget *area);
    QWidget *buildSettings();
    void setXItem(int fx);
    void setYItem(int fy);
    void showItemLabels();
    void resetDesigns();
    void loadDesigns();
    bool pointExit(QLineEdit *box, bool age, int design, int point);
    TChartRows chartRows() const;
    int workType() const;
    void allMarks(bool on);
    void allGrades(bool on);
    // The designs as the wage table is computed from them; false after refusing a design
    // whose points are out of order.
    bool wageTableInput(TDesignReportInput &input);

    TNX1051 *m_legend = nullptr;
    TFieldExits *m_exits = nullptr;
    TChangeTracker *m_changes = nullptr;
    QLineEdit *m_txtTitle = nullptr;
    QPlainTextEdit *m_txtBikou = nullptr;
    std::array<std::array<QLineEdit *, 7>, 6> m_txtNenrei{};    // [design][point]
    std::array<std::array<QLineEdit *, 7>, 6> m_txtSyokunou{};  // [design][point]
    std::array<QLabel *, 11> m_labels{};                        // Label001..Label010
    std::array<QCheckBox *, 6> m_chk{};
    std::array<QRadioButton *, 6> m_optHanrei{};
    QButtonGroup *m_xGroup = nullptr;
    QButtonGroup *m_yGroup = nullptr;
    QButtonGroup *m_markGroup = nullptr;
    QButtonGroup *m_plotGroup = nullptr;
    QButtonGroup *m_salaryGroup = nullptr;
    std::array<QCheckBox *, 7> m_optPlot{};
    std::array<QCheckBox *, 10> m_optTokyu{};
    std::array<QLineEdit *, 10> m_txtTokyu{};
    std::array<QRadioButton *, 5> m_optSalary{}; // [1..4]

    TDesignSet m_designs{};
    TfrmPrintPreview *m_preview = nullptr;
    QDate m_reportDate;
};
