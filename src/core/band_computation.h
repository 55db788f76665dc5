#pragma once
// The band design arithmetic: from a base wage and a lower and upper percentage to the band's
// lowest and highest amount, spread, zone width and zone limits; and the zone limits read back
// from the boundaries a user typed. Pure: works on one band record and the texts given.

#include "records.h"

#include <QString>
#include <array>
#include <optional>

// The texts of one band row as typed: lower percentage, base wage (commas allowed), upper
// percentage.
struct BandTexts {
    QString lower;
    QString base;
    QString upper;
};

// Which entry of a band row was refused.
enum class BandError { None, LowerPercent, UpperPercent, BaseWage };
// The message of a refusal, without the band row number that precedes it (" 下限%の入力エラー
// です。"); empty for None.
QString BandErrorText(BandError error);

// What the band page shows while a row is being typed: the band's lowest and highest amount
// (truncated, not yet rounded to the band unit), the spread of the two and the band's width.
struct BandPreview {
    int lower = 0;
    int upper = 0;
    double spread = 0.0;
    double width = 0.0;
};
// Computes the preview of a band from the typed texts (base wage without commas, percentages as
// plain integers; 0 for what is no number) and keeps base wage, percentages, lowest and highest
// amount and spread in the band.
BandPreview PreviewBand(TBANDM2 &band, const BandTexts &texts);

// The zone count the computation divides the band by: the matrix's zone count held to 1..5 (a
// band whose matrix is missing has zone count 0 and is one zone over its whole range).
int ZonesOfBand(const TBANDM2 &band);

// The band computation of one band: percentages and base wage read from the texts, lowest and
// highest amount rounded to the unit of `marume` (0 tens, 1 hundreds, 2 thousands), the zone
// width (レンジ) and the limits of zones 1..ZoneSu one width apart; zones beyond are 0, 0.
// Every value that differs from the stored one is stored and sets `changed`. A refused entry
// stops the computation; values stored before it stay.
BandError ComputeBand(TBANDM2 &band, const BandTexts &texts, int marume, bool &changed);

// The six zone boundaries of a band as the zone page shows them ([1..6]: the band's lowest
// amount, the four limits between zones and the top of zone 5). The boundary after the band's
// last zone shows the band's top; the boundaries after it are disabled.
struct ZoneBoundaries {
    std::array<int, 7> value{};
    std::array<bool, 7> enabled{};
};
ZoneBoundaries BoundariesOf(const TBANDM2 &band);

// The message of a refused boundary 1..6, without the band row number.
QString BoundaryErrorText(int boundary);
// Reads the zone limits of a band from its boundary texts ([1..6]; nothing for a disabled
// boundary, which counts as 0). An enabled boundary is read without commas and must not be 0.
// Returns the number of the first refused boundary (nothing is stored then), or 0 after storing
// every zone that differs (setting `changed`). The boundaries need not ascend.
int ReadZoneBoundaries(TBANDM2 &band, const std::array<std::optional<QString>, 7> &texts,
                       bool &changed);
