#include "band_computation.h"

#include "utilities.h"

#include <QtGlobal>
#include <climits>
#include <cmath>

namespace {

// A percentage as typed: a plain integer ("1,000" is none).
std::optional<int> percentOf(const QString &text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    return value;
}

// base × (percent + 100) / 100, exact in a double for every base and percentage an 8-character
// box can hold.
double shifted(int base, int percent) {
    return double(base) * (double(percent) + 100.0) / 100.0;
}

bool fitsInt(double amount) {
    return std::isfinite(amount) && amount >= INT_MIN && amount <= INT_MAX;
}

void store(int &stored, int value, bool &changed) {
    if (stored == value) return;
    stored = value;
    changed = true;
}

} // namespace

QString BandErrorText(BandError error) {
    switch (error) {
    case BandError::LowerPercent: return QStringLiteral(" 下限%の入力エラーです。");
    case BandError::UpperPercent: return QStringLiteral(" 上限%の入力エラーです。");
    case BandError::BaseWage: return QStringLiteral(" 基準賃金の入力エラーです。");
    case BandError::None: break;
    }
    return {};
}

BandPreview PreviewBand(TBANDM2 &band, const BandTexts &texts) {
    band.Kijun = CommaStrToInt(texts.base);
    band.KagenRitsu = percentOf(texts.lower).value_or(0);
    band.JyogenRitsu = percentOf(texts.upper).value_or(0);
    const double lower = shifted(band.Kijun, band.KagenRitsu);
    const double upper = shifted(band.Kijun, band.JyogenRitsu);
    BandPreview p;
    p.lower = ToInt(ToInt64(lower));
    p.upper = ToInt(ToInt64(upper));
    p.spread = p.lower < 1 ? 0.0 : RoundHalfUp(2, double(p.upper) / p.lower);
    p.width = upper - lower;
    band.BandKagen = p.lower;
    band.BandJyogen = p.upper;
    band.Spread = p.spread;
    return p;
}

int ZonesOfBand(const TBANDM2 &band) {
    return qBound(1, band.ZoneSu, 5);
}

BandError ComputeBand(TBANDM2 &band, const BandTexts &texts, int marume, bool &changed) {
    // -999 is the value the band page reserves for "no number".
    constexpr int kNoNumber = -999;
    const int lowerPercent = percentOf(texts.lower).value_or(kNoNumber);
    if (lowerPercent == kNoNumber) return BandError::LowerPercent;
    store(band.KagenRitsu, lowerPercent, changed);
    const int upperPercent = percentOf(texts.upper).value_or(kNoNumber);
    if (upperPercent == kNoNumber) return BandError::UpperPercent;
    store(band.JyogenRitsu, upperPercent, changed);
    const int base = CommaStrToInt(texts.base);
    if (base < 1) return BandError::BaseWage;
    store(band.Kijun, base, changed);

    // An amount that does not fit the stored integers is refused with the percentage that
    // produced it rather than stored cut off.
    const double lowerAmount = shifted(base, lowerPercent);
    if (!fitsInt(lowerAmount)) return BandError::LowerPercent;
    const double upperAmount = shifted(base, upperPercent);
    if (!fitsInt(upperAmount)) return BandError::UpperPercent;
    const int lower = RoundToUnit(marume, lowerAmount);
    const int upper = RoundToUnit(marume, upperAmount);
    store(band.BandKagen, lower, changed);
    store(band.BandJyogen, upper, changed);

    const int zones = ZonesOfBand(band);
    const int width = RoundToUnit(marume, (double(upper) - lower) / zones);
    store(band.Range, width, changed);
    for (int z = 1; z <= 5; ++z) {
        const qint64 from = z <= zones ? qint64(lower) + qint64(width) * (z - 1) : 0;
        const qint64 to = z <= zones ? from + width : 0;
        store(band.ZoneKagen[z], ToInt(from), changed);
        store(band.ZoneJyogen[z], ToInt(to), changed);
    }
    return BandError::None;
}

ZoneBoundaries BoundariesOf(const TBANDM2 &band) {
    ZoneBoundaries b;
    for (int k = 1; k <= 5; ++k)
        b.value[k] = band.ZoneKagen[k];
    b.value[6] = band.ZoneJyogen[5];
    b.enabled.fill(true);
    b.enabled[0] = false;
    // The boundary after the last zone shows the band's top; those after it are off.
    for (int zones = 4; zones >= 1; --zones) {
        if (band.ZoneSu >= zones + 1) break;
        b.value[zones + 1] = band.ZoneJyogen[zones];
        b.enabled[zones + 2] = false;
    }
    return b;
}

QString BoundaryErrorText(int boundary) {
    static const char *const texts[] = {
        "",
        " 下限賃金の入力エラーです。",
        " ゾーンⅡの入力エラーです。",
        " ゾーンⅢの入力エラーです。",
        " ゾーンⅣの入力エラーです。",
        " ゾーンⅤの入力エラーです。",
        " 上限額の入力エラーです。",
    };
    return boundary >= 1 && boundary <= 6 ? QString::fromUtf8(texts[boundary]) : QString();
}

int ReadZoneBoundaries(TBANDM2 &band, const std::array<std::optional<QString>, 7> &texts,
                       bool &changed) {
    std::array<int, 7> b{};
    for (int k = 1; k <= 6; ++k) {
        if (!texts[k]) continue;
        b[k] = CommaStrToInt(*texts[k]);
        if (b[k] == 0) return k;
    }
    // Zone z runs from boundary z to boundary z + 1; the boundary after the last zone ends it
    // and is no lower limit of a further zone.
    for (int z = 1; z <= 5; ++z) {
        if (z >= 2 && band.ZoneSu < z) b[z] = 0;
        store(band.ZoneKagen[z], b[z], changed);
        store(band.ZoneJyogen[z], b[z + 1], changed);
    }
    return 0;
}
