#pragma once
// TfrmSalaryName: the work types of the open project (ids 1..4) with the captions of their
// three base-pay items and five allowances, as the employee screens show them.

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;
class TChangeTracker;
class TFieldExits;

class TfrmSalaryName : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSalaryName(QWidget *parent = nullptr);
    ~TfrmSalaryName() override;

    // Fills the list of work types and clears the fields; called before the screen is shown.
    void prepare();

    // Whether a text field was changed since the fields were cleared or loaded.
    bool changed() const;

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

    TFieldExits *m_exits = nullptr;
    TChangeTracker *m_changes = nullptr;
    QComboBox *m_cmbSalaryID = nullptr;
    QLineEdit *m_txtName = nullptr;
    QLineEdit *m_txtTeigi = nullptr;
    std::array<QLineEdit *, 4> m_txtKihon{}; // [1..3]
    std::array<QLineEdit *, 6> m_txtTeate{}; // [1..5]
    QPushButton *m_btnAdd = nullptr;
    QPushButton *m_btnCancel = nullptr;
    QPushButton *m_btnClose = nullptr;
    QPushButton *m_btnDlt = nullptr;
    int m_loadedId = 0; // id of the stored work type shown, 0 for none
};
