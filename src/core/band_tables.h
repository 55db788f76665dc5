#pragma once
// The band and matrix design of the open project in memory, and the lookups on it that need
// no database: the matrix rate of a band, evaluation and zone, and a band's upper bound. The
// tables live in the project state (gYHyoukaTbl, gBandTbl, gBandTbl2, gMatTbl); the loaders
// that fill them are in band_loaders.h.

#include "records.h"

// The raise rate in percent of a band, role evaluation and zone 1..5; 0 when not found.
double FindMatrixRate(const TMATTBL &table, int bandId, int evaluation, int zone);
double FindMatrixRate(int bandId, int evaluation, int zone); // in gMatTbl

// The band's highest amount: the upper limit of its last zone (of zone 1 when the zone
// count is not 2..5).
int BandUpperBound(const std::array<int, 6> &zoneJyogen, int zoneSu);
