#include "year_end.h"

TFinalAmounts FinalNewAmounts(const TYearEndPay &pay, const MatrixRaiseTable &raises) {
    TFinalAmounts out;
    const bool linked = pay.Mlink >= 1 && pay.Mlink <= 3;
    const int current = linked ? pay.Kkyu[pay.Mlink] : 0;
    if (linked) out.Nkkyu[pay.Mlink] = raises.raise(pay.BandId, pay.YHyouka, current).newPay;
    if (pay.Jiseki >= 1 && pay.Jiseki <= 3) out.Nkkyu[pay.Jiseki] = pay.Nkin;
    return out;
}
