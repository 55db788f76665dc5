#pragma once
// The company data screen: registers a company for a fiscal year (index row, settings row,
// default marks and graph lines), changes its name and settings, or deletes it with all its
// data of that year. The company list opens it in the mode of the project command
// (gEditMode 1 register, 2 modify, 3 delete) after setting the buttons, txtNendo and
// txtCorpID, and it refills the list when it is done.

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class TFieldExits;
class TNX0010;

class TNX0020 : public QDialog {
    Q_OBJECT
public:
    explicit TNX0020(TNX0010 *list);

    // Shows the screen over the list for one company: mode 1 register, 2 modify, 3 delete; only
    // the mode's button is captioned and enabled.
    void prepare(int mode, int kco, int nendo);
    // Clears the form and loads the code lists; in modes 2 and 3 loads the company; focuses
    // the name; gDataChanged := 0.
    void Initialise();

public slots:
    void btnAddClick();
    void btnMntClick();
    void btnDltClick();
    void btnCanselClick();
    void btnCloseClick();

protected:
    void reject() override;
    void done(int result) override;

private:
    struct DateBoxes {
        QComboBox *era = nullptr;
        QLineEdit *year = nullptr;
        QLineEdit *month = nullptr;
        QLineEdit *day = nullptr;
    };
    // What the form holds, parsed and checked for a statement.
    struct FormValues {
        int cyousahi = 0;
        int syoukyuhi = 0;
        double bearitsu = 0.0;
        int modelCode = 0;
        int livingCode = 0;
        int frstkyu = 3;
        int frstkyum = 3;
    };

    void BuildForm();
    void ClearForm();
    void LoadLists();
    void LoadCalendar();
    void LoadCompany();
    void ShowDate(const DateBoxes &boxes, int ymd);
    // The project keys shown in txtCorpID and txtNendo; false when either is no integer.
    bool Keys(int &kco, int &nendo) const;
    // Checks the whole form for a save; shows the refusal and returns false.
    bool ReadForm(FormValues &values, bool requireCodes);
    bool ReadDate(const DateBoxes &boxes, int &ymd);
    // Checks the field when the focus leaves it; a refusal keeps the focus in it.
    void watchExit(QWidget *field);
    // The exit check of a field; shows the refusal and returns false.
    bool FieldExit(QWidget *field);
    void MarkChanged();
    void RefreshList();
    void CloseScreen();
    int LinkValue(const std::array<QRadioButton *, 4> &options) const;
    void SetLinkValue(const std::array<QRadioButton *, 4> &options, int value);

    TNX0010 *m_list = nullptr;
    TFieldExits *m_exits = nullptr;
    QLineEdit *m_txtCorpID = nullptr;
    QLineEdit *m_txtNendo = nullptr;
    QLineEdit *m_txtCorpName = nullptr;
    DateBoxes m_chk;
    DateBoxes m_up;
    QLineEdit *m_txtBaseUp = nullptr;
    QLineEdit *m_txtSalaryKbn = nullptr;
    std::array<QLineEdit *, 4> m_txtKihon{};  // [1..3]
    std::array<QLineEdit *, 6> m_txtTeate{};  // [1..5]
    std::array<QLineEdit *, 10> m_txtTokyu{}; // [1..9]
    QComboBox *m_cmbModelCode = nullptr;
    QComboBox *m_cmbLivingCode = nullptr;
    std::array<QRadioButton *, 4> m_optSalary{}; // values 0..3
    std::array<QRadioButton *, 4> m_optMatlix{}; // values 0..3
    QPushButton *m_btnAdd = nullptr;
    QPushButton *m_btnMnt = nullptr;
    QPushButton *m_btnDlt = nullptr;
    QPushButton *m_btnCansel = nullptr;
    QPushButton *m_btnClose = nullptr;

    QString m_loadedName;
    int m_savedReki = 0;
    bool m_inSession = false; // between Initialise and closing
    bool m_loading = false;
    bool m_closing = false;
};
