#pragma once
// TfrmSalaryName: the work types of the open project (ids 1..4) with the captions of their
// three base-pay items and five allowances, as the employee screens show them.

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;

class TfrmSalaryName : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSalaryName(QWidget *parent = nullptr);
    ~TfrmSalaryName() override;

    // Fills the list of work types and clears the fields; called before the screen is shown.
    void prepare();

    bool changed() const { return m_changed; }

public slots:
    // Leaving the id box loads the work type of the typed or chosen id; false when refused.
    bool cmbSalaryIDExit();
    void btnAddClick();
    void btnDltClick();
    void btnCancelClick();
    void btnCloseClick();
    void reject() override;

protected:
    bool focusNextPrevChild(bool next) override;

private:
    void fillList();
    void clearFields();
    int salaryId() const;
    QList<QLineEdit *> textFields() const;

    QComboBox *m_cmbSalaryID = nullptr;
    QLineEdit *m_txtName = nullptr;
    QLineEdit *m_txtTeigi = nullptr;
    std::array<QLineEdit *, 3> m_txtKihon{};
    std::array<QLineEdit *, 5> m_txtTeate{};
    QPushButton *m_btnAdd = nullptr;
    QPushButton *m_btnCancel = nullptr;
    QPushButton *m_btnClose = nullptr;
    QPushButton *m_btnDlt = nullptr;
    bool m_changed = false;
    bool m_loading = false;
    int m_loadedId = 0; // id of the stored work type shown, 0 for none
};
