#pragma once
// The company data screen: registers a company for a fiscal year (index row, settings row,
// default marks and graph lines), changes its name and settings, or deletes it with all its
// data of that year. The company list opens it in the mode of the project command
// (1 register, 2 modify, 3 delete), and it refills the list when it is done.

#include "records.h"

#include <QDialog>
#include <array>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class TChangeTracker;
class TDateBoxes;
class TFieldExits;
class TNX0010;

class TNX0020 : public QDialog {
    Q_OBJECT
public:
    explicit TNX0020(TNX0010 *list);

    // Shows the screen over the list for company kco in fiscal year nendo: mode 1 register, 2
    // modify, 3 delete; only the mode's button is captioned and enabled. The form is cleared
    // and the code lists loaded; in modes 2 and 3 the company is loaded; gDataChanged := 0.
    void prepare(int mode, int kco, int nendo);

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
    void buildForm();
    void initialise();
    void clearForm();
    void loadLists();
    void loadCalendar();
    void loadCompany();
    // Checks the field when the focus leaves it; a refusal keeps the focus in it.
    void watchExit(QWidget *field, std::function<bool()> check);
    bool checkDatePart(QLineEdit *box, int upper);
    bool checkBaseUp();
    bool checkCode(QComboBox *box);
    bool readDate(const TDateBoxes *boxes, int &ymd) const;
    // Checks the whole form for a save and reads it into `settings`; a refusal is shown and
    // false returned.
    bool readForm(TMKIGYOU2 &settings, bool requireCodes);
    void refreshList();
    void closeScreen();

    TNX0010 *m_list = nullptr;
    TFieldExits *m_exits = nullptr;
    TChangeTracker *m_changes = nullptr;
    QLineEdit *m_txtCorpID = nullptr;
    QLineEdit *m_txtNendo = nullptr;
    QLineEdit *m_txtCorpName = nullptr;
    TDateBoxes *m_chk = nullptr;
    TDateBoxes *m_up = nullptr;
    QLineEdit *m_txtBaseUp = nullptr;
    QLineEdit *m_txtSalaryKbn = nullptr;
    std::array<QLineEdit *, 4> m_txtKihon{};  // [1..3]
    std::array<QLineEdit *, 6> m_txtTeate{};  // [1..5]
    std::array<QLineEdit *, 10> m_txtTokyu{}; // [1..9]
    QComboBox *m_cmbModelCode = nullptr;
    QComboBox *m_cmbLivingCode = nullptr;
    // optSalary1..4 and optMatlix1..4 in [1..4]; option n stands for the link value n - 1.
    std::array<QRadioButton *, 5> m_optSalary{};
    std::array<QRadioButton *, 5> m_optMatlix{};
    QPushButton *m_btnAdd = nullptr;
    QPushButton *m_btnMnt = nullptr;
    QPushButton *m_btnDlt = nullptr;
    QPushButton *m_btnCansel = nullptr;
    QPushButton *m_btnClose = nullptr;

    int m_mode = 0;
    ProjectKey m_key;
    QString m_loadedName;
    int m_savedReki = 0;
    bool m_inSession = false; // from prepare until the screen closes
    bool m_closing = false;
};
