#pragma once
// TNX0090, the group report screen: the employees of the open project grouped by plot mark,
// narrowed to ranges of mark, grade and work type, printed (shown in the print preview) or
// written as a CSV file. The report is the one of gReportKind when the screen is prepared:
// 1 raise, 2 wages, 3 matrix raise.

#include "group_report.h"

#include <QDate>
#include <QDialog>

class QComboBox;
class QPushButton;
class TfrmPrintPreview;

class TNX0090 : public QDialog {
    Q_OBJECT
public:
    explicit TNX0090(QWidget *parent = nullptr);
    ~TNX0090() override;

    // Caption of the report and the range boxes filled; nothing chosen.
    void prepare(int reportKind);
    // The preview to show printed reports in (the program's long-lived one); without it the
    // screen makes its own.
    void setPreview(TfrmPrintPreview *preview) { m_preview = preview; }
    // The date printed in the page headings; today when not set.
    void setReportDate(const QDate &date) { m_reportDate = date; }

    int reportKind() const { return m_kind; }

public slots:
    void btnPrintClick();
    void cdCsvClick();
    void btnCloseClick();

protected:
    // Shows the preview of gPreviewFile modally.
    virtual void showPreview();
    TfrmPrintPreview *preview();

private:
    // The ranges chosen; false after showing the refusal of a reversed range.
    bool readSelection(TReportSelection &selection);
    // The band and matrix tables and the role evaluations the reports compute with.
    void loadTables();

    int m_kind = kWageReport;
    QDate m_reportDate;
    QComboBox *m_cmbMarkSTart = nullptr, *m_cmbMarkEnd = nullptr;
    QComboBox *m_cmbTokyuSTart = nullptr, *m_cmbTokyuEnd = nullptr;
    QComboBox *m_cmbSalaryStart = nullptr, *m_cmbSalaryEnd = nullptr;
    QPushButton *m_btnPrint = nullptr, *m_cdCsv = nullptr, *m_btnClose = nullptr;
    TfrmPrintPreview *m_preview = nullptr;
};
