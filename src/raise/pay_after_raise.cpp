#include "pay_after_raise.h"

#include "utilities.h"

namespace {
template <typename Raise> TPayAfterRaise payAfter(const TPayBeforeRaise &pay, Raise raise) {
    TPayAfterRaise out;
    out.items = pay.entered;
    if (pay.wageItem >= 1 && pay.wageItem <= 3) out.items[pay.wageItem] = pay.wageTableAmount;
    if (pay.link == 0) return out;
    out.linked = true;
    const bool item = pay.link >= 1 && pay.link <= 3;
    out.matrix = raise(pay.newBand, pay.newEvaluation, item ? ToInt(pay.current[pay.link]) : 0);
    if (item) out.items[pay.link] = out.matrix.newPay;
    return out;
}
} // namespace

TPayAfterRaise PayAfterRaise(const TPayBeforeRaise &pay, const MatrixRaiseTable &raises) {
    return payAfter(pay, [&raises](int band, int evaluation, int current) {
        return raises.raise(band, evaluation, current);
    });
}

TPayAfterRaise PayAfterRaise(const TPayBeforeRaise &pay, const TBANDTBL &bands,
                             const TMATTBL &matrices) {
    return payAfter(pay, [&](int band, int evaluation, int current) {
        return CalcMatrixRaise(bands, matrices, band, evaluation, current);
    });
}
