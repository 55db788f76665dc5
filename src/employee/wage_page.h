#pragma once
// The wage page of an employee: the three base-pay items and five allowances before and after
// the raise with their sums and differences, scheduled pay, the two bonuses, annual income,
// the retirement-pay rate and the options linking a base-pay item to the raise matrix. Amount
// boxes are checked when left and the totals follow; what leaving a base-pay box before the
// raise does beyond that is the screen's (baseLeft).

#include "wage_items.h"

#include <QWidget>
#include <array>

class QButtonGroup;
class QLineEdit;
class QRadioButton;
class TChangeTracker;
class TFieldExits;
struct TEmployee;

class TWagePage : public QWidget {
    Q_OBJECT
public:
    TWagePage(QWidget *parent, TFieldExits *exits, TChangeTracker *changes);

    // The captions of the items for a work type (1..4; others give the defaults).
    void applyCaptions(int workType);
    void computeTotals();
    // Shows the amounts of an employee; the after-raise box of the wage-table item shows the
    // wage table's amount and is read-only.
    void showAmounts(const TEmployee &e, int wageItem);
    // Checks every box that is saved; false after showing the refusal of the first bad one.
    bool checkAll();
    // The amounts and totals (computed first) into a record.
    void readAmounts(TEmployee &e);
    // The base-pay item (1..3) before and after the raise.
    QLineEdit *before(int item) const { return m_kihon[item]; }
    QLineEdit *after(int item) const { return m_afKihon[item]; }
    // Only the after-raise box of the wage-table item is read-only.
    void lockWageItem(int wageItem);

    // The matrix link option chosen, 0 for none; setting one raises no signal.
    int matrixLink() const;
    void setMatrixLink(int link);

signals:
    // A base-pay box before the raise was left with a valid amount.
    void baseLeft(int item);
    // The user chose a matrix link option (0: 解除).
    void linkChosen(int link);

private:
    QLineEdit *amountBox(const QString &name, bool editable);
    bool rateExit();

    TFieldExits *m_exits;
    TChangeTracker *m_changes;
    TWageCaptions m_captions;
    std::array<QLineEdit *, 4> m_kihon{};
    std::array<QLineEdit *, 4> m_afKihon{};
    std::array<QLineEdit *, 6> m_teate{};
    std::array<QLineEdit *, 6> m_afTeate{};
    QLineEdit *m_kihonSum = nullptr;
    QLineEdit *m_afKihonSum = nullptr;
    QLineEdit *m_upKihon = nullptr;
    QLineEdit *m_teateSum = nullptr;
    QLineEdit *m_afTeateSum = nullptr;
    QLineEdit *m_teateUp = nullptr;
    QLineEdit *m_syotei = nullptr;
    QLineEdit *m_afSyotei = nullptr;
    QLineEdit *m_bonus1 = nullptr;
    QLineEdit *m_bonus2 = nullptr;
    QLineEdit *m_nensyu = nullptr;
    QLineEdit *m_afNensyu = nullptr;
    QLineEdit *m_taisyokuKin = nullptr;
    std::array<QRadioButton *, 4> m_optMatrix{}; // [1..3]
    QButtonGroup *m_matrixGroup = nullptr;
};
