#pragma once
// The page "昇給管理" of the raise input: the three base-pay items and five allowances before
// the raise, their raise and their amount after it, with the sums and the scheduled pay. A
// base-pay item is entered as before and raise (after = before + raise); an allowance as
// before and after (raise = after - before).

#include "wage_items.h"

#include <QWidget>
#include <array>

class QLineEdit;
class TChangeTracker;
class TFieldExits;
struct TEmployee;
struct TRaiseInput;

class TRaisePage : public QWidget {
    Q_OBJECT
public:
    TRaisePage(QWidget *parent, TFieldExits *exits, TChangeTracker *changes);

    // The captions of the items for a work type (1..4; others give the defaults).
    void applyCaptions(int workType);
    // Every amount 0 and every base-pay item open.
    void clear();
    // The amounts of an employee: before the raise, the base-pay items after it as given
    // ([1..3]) and the allowances after it; the raises follow.
    void showAmounts(const TEmployee &e, const std::array<qint64, 4> &after);
    // Every base-pay item's before and raise boxes editable again.
    void openItems();
    // Base-pay item 1..3 as the wage table fills it: before and raise read-only.
    void lockItem(int item);
    // Base-pay item 1..3 as the matrix raises it: its raise read-only.
    void lockRaise(int item);
    // Puts an amount after the raise into base-pay item 1..3; its raise follows.
    void setAfter(int item, qint64 amount);
    qint64 afterAmount(int item) const;
    // The after amounts of the base-pay items, the allowance raises, sums and totals.
    void computeTotals();
    // Checks every box the user fills; false after showing the refusal of the first bad one.
    bool checkAll();
    // The amounts and totals (computed first) into what is saved.
    void readAmounts(TRaiseInput &r);

    QLineEdit *before(int item) const { return m_bKihon[item]; }
    QLineEdit *raise(int item) const { return m_uKihon[item]; }
    QLineEdit *after(int item) const { return m_aKihon[item]; }

signals:
    // A base-pay box before the raise was left with a valid amount.
    void baseLeft(int item);

private:
    QLineEdit *amountBox(const QString &name, bool editable);
    void lock(QLineEdit *edit, bool locked);

    TFieldExits *m_exits;
    TChangeTracker *m_changes;
    TWageCaptions m_captions;
    // [1..3] base pay, [1..5] allowances: before (B), raise (U), after (A).
    std::array<QLineEdit *, 4> m_bKihon{}, m_uKihon{}, m_aKihon{};
    std::array<QLineEdit *, 6> m_bTeate{}, m_uTeate{}, m_aTeate{};
    QLineEdit *m_bKihonSum = nullptr, *m_uKihonSum = nullptr, *m_aKihonSum = nullptr;
    QLineEdit *m_bSumTeate = nullptr, *m_uSumTeate = nullptr, *m_aSumTeate = nullptr;
    QLineEdit *m_bTotal = nullptr, *m_uTotal = nullptr, *m_aTotal = nullptr;
};
