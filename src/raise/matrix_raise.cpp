#include "matrix_raise.h"

#include "band_tables.h"
#include "state.h"
#include "utilities.h"

#include <algorithm>

namespace {
// The integer of a decimal text, 0 when it is none; called for every band entry of every
// employee, so it avoids building temporaries.
int textToInt(const QString &text) {
    bool ok = false;
    const int n = QStringView(text).trimmed().toInt(&ok);
    return ok ? n : 0;
}

const TBANDM *findBand(const TBANDTBL &bands, int band, int evaluation) {
    for (const TBANDM &e : bands.Bands)
        if (textToInt(e.BandId) == band && textToInt(e.YHyouka) == evaluation) return &e;
    return nullptr;
}

// Zones 1..4 exclude their upper limit; zone 5 includes it only when asked. A later zone
// overrides an earlier one.
int zoneOf(const TBANDM &e, int pay, bool zone5IncludesTop) {
    int z = 0;
    for (int k = 1; k <= 5; ++k) {
        const bool top =
            (k == 5 && zone5IncludesTop) ? pay <= e.ZoneJyogen[k] : pay < e.ZoneJyogen[k];
        if (e.ZoneKagen[k] <= pay && top) z = k;
    }
    return z;
}
} // namespace

MatrixRaise CalcMatrixRaise(const TBANDTBL &bands, const TMATTBL &matrices, int band,
                            int evaluation, int currentPay) {
    MatrixRaise r;
    r.newPay = currentPay;
    const TBANDM *e = findBand(bands, band, evaluation);
    if (!e) return r;
    const int bottom = e->ZoneKagen[1];
    const int top = *std::max_element(e->ZoneJyogen.begin() + 1, e->ZoneJyogen.end());

    r.zone = zoneOf(*e, currentPay, true);
    if (r.zone == 0) return r;
    r.rate = FindMatrixRate(matrices, band, evaluation, r.zone);
    r.newPay = RoundToUnit(bands.Marume, (100.0 + r.rate) * currentPay / 100.0);
    if (r.newPay < bottom) r.newPay = bottom;
    if (r.newPay > top) r.newPay = top;
    r.newZone = zoneOf(*e, r.newPay, false);
    return r;
}

int CalcMatrixRaise(int band, int evaluation, int currentPay, double &rate, int &newPay,
                    int &newZone) {
    const MatrixRaise r = CalcMatrixRaise(G().gBandTbl, G().gMatTbl, band, evaluation, currentPay);
    rate = r.rate;
    newPay = r.newPay;
    newZone = r.newZone;
    return r.zone;
}
