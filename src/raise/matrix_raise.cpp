#include "matrix_raise.h"

#include "state.h"
#include "utilities.h"

#include <algorithm>

namespace {
// The integer of a decimal text, 0 when it is none.
int textToInt(const QString &text) {
    bool ok = false;
    const int n = QStringView(text).trimmed().toInt(&ok);
    return ok ? n : 0;
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

// The raise in a band entry, once its matrix rates are known (nullptr: no cell).
MatrixRaise raiseIn(const TBANDM &e, int bottom, int top, const std::array<double, 6> *rates,
                    int marume, int currentPay) {
    MatrixRaise r;
    r.newPay = currentPay;
    r.zone = zoneOf(e, currentPay, true);
    if (r.zone == 0) return r;
    r.rate = rates ? (*rates)[r.zone] : 0.0;
    r.newPay = RoundToUnit(marume, (100.0 + r.rate) * currentPay / 100.0);
    if (r.newPay < bottom) r.newPay = bottom;
    if (r.newPay > top) r.newPay = top;
    r.newZone = zoneOf(e, r.newPay, false);
    return r;
}

int topOf(const TBANDM &e) {
    return *std::max_element(e.ZoneJyogen.begin() + 1, e.ZoneJyogen.end());
}

// The rates of an evaluation in the first matrix group of a band; nullptr when none.
const std::array<double, 6> *ratesOf(const TMATTBL &matrices, int band, int evaluation) {
    for (const TMATHYOUKA &row : matrices.Rows) {
        if (row.BandId != band) continue;
        for (const TMATRIX &cell : row.Cells)
            if (cell.YHyouka == evaluation) return &cell.Up;
        return nullptr;
    }
    return nullptr;
}
} // namespace

MatrixRaiseTable::MatrixRaiseTable(const TBANDTBL &bands, const TMATTBL &matrices)
    : m_marume(bands.Marume) {
    m_entries.reserve(bands.Bands.size());
    for (const TBANDM &e : bands.Bands) {
        Entry entry;
        entry.band = &e;
        entry.bottom = e.ZoneKagen[1];
        entry.top = topOf(e);
        m_entries.try_emplace(key(textToInt(e.BandId), textToInt(e.YHyouka)), entry);
    }
    // Only the first matrix group of a band is searched, and in it the first cell of an
    // evaluation.
    std::unordered_map<int, bool> seenBand;
    for (const TMATHYOUKA &row : matrices.Rows) {
        if (!seenBand.try_emplace(row.BandId, true).second) continue;
        for (auto it = row.Cells.rbegin(); it != row.Cells.rend(); ++it) {
            const auto found = m_entries.find(key(row.BandId, it->YHyouka));
            if (found != m_entries.end()) found->second.rates = &it->Up;
        }
    }
}

MatrixRaise MatrixRaiseTable::raise(int band, int evaluation, int currentPay) const {
    const auto found = m_entries.find(key(band, evaluation));
    if (found == m_entries.end()) return MatrixRaise{0, 0.0, currentPay, 0};
    const Entry &e = found->second;
    return raiseIn(*e.band, e.bottom, e.top, e.rates, m_marume, currentPay);
}

MatrixRaise CalcMatrixRaise(const TBANDTBL &bands, const TMATTBL &matrices, int band,
                            int evaluation, int currentPay) {
    for (const TBANDM &e : bands.Bands)
        if (textToInt(e.BandId) == band && textToInt(e.YHyouka) == evaluation)
            return raiseIn(e, e.ZoneKagen[1], topOf(e), ratesOf(matrices, band, evaluation),
                           bands.Marume, currentPay);
    return MatrixRaise{0, 0.0, currentPay, 0};
}

int CalcMatrixRaise(int band, int evaluation, int currentPay, double &rate, int &newPay,
                    int &newZone) {
    const MatrixRaise r = CalcMatrixRaise(G().gBandTbl, G().gMatTbl, band, evaluation, currentPay);
    rate = r.rate;
    newPay = r.newPay;
    newZone = r.newZone;
    return r.zone;
}
