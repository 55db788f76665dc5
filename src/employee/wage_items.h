#pragma once
// What the screens that edit an employee's wage items share: amount boxes holding whole yen
// shown as "#,##0" and checked on 8 digits, their sums, and the captions of the three base-pay
// items and five allowances of a work type.

#include <QString>
#include <array>

class QLabel;
class QLineEdit;
class QWidget;

// Digits an amount box takes (CheckNumText).
inline constexpr int kAmountDigits = 8;

// The number in a box with its commas removed; an empty box (or no number) is 0.
double BoxNumber(const QLineEdit *edit);
// The amount in a box: whole yen, rounded half away from zero. Amounts are 32-bit; a value
// that was refused but left in its box is held at those limits, so sums of them stay exact.
qint64 BoxAmount(const QLineEdit *edit);
// The sum of the amounts in boxes[1..last].
template <size_t N> qint64 SumBoxes(const std::array<QLineEdit *, N> &boxes, int last) {
    qint64 sum = 0;
    for (int n = 1; n <= last; ++n)
        sum += BoxAmount(boxes[n]);
    return sum;
}

// Whether an amount box may be left empty (it then counts as 0) or must hold a number.
enum class EmptyAmount { Allowed, Refused };
// The refusal of an amount box; empty when its text is valid.
QString AmountMessage(const QLineEdit *edit, EmptyAmount empty = EmptyAmount::Allowed);
// The check on leaving an amount box: a bad amount is refused (the user is put back in the
// box), a good one is shown again as "#,##0". False when refused.
bool AmountExit(QLineEdit *edit, EmptyAmount empty = EmptyAmount::Allowed);

// The captions of the wage items (labKihon1..3, labTeate1..5), following the work type.
class TWageCaptions {
public:
    explicit TWageCaptions(QWidget *parent);
    QLabel *kihon(int item) const { return m_kihon[item]; }
    QLabel *teate(int item) const { return m_teate[item]; }
    // The captions of a work type (1..4; others give the defaults).
    void apply(int workType);

private:
    std::array<QLabel *, 4> m_kihon{}; // [1..3]
    std::array<QLabel *, 6> m_teate{}; // [1..5]
};
