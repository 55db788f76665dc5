#pragma once
// The band and matrix design of the open project in memory: role evaluations, bands with
// their zone limits (by evaluation and by band), and matrix raise rates grouped by band.
// The tables live in the project state (gYHyoukaTbl, gBandTbl, gBandTbl2, gMatTbl) and hold
// whatever the last loader call read.

#include "records.h"

// Reads the role evaluations of the project, in code order.
bool LoadYHyoukaTbl();
// Reads every band combined with every role evaluation of its matrix into gBandTbl.
bool LoadBandTbl();
// Reads every band into gBandTbl2, with the band's lowest and highest amount.
bool LoadBandTbl2();
// Reads the matrix cells of every band into gMatTbl, one group per band.
bool LoadMatTbl();

// Writes band `index` of the table to BANDM, replacing the stored row of that band id. The
// delete and the insert form one save: when either fails the stored band stays as it was.
// Returns whether the band was stored.
bool SaveBandRow(const TBANDTBL2 &table, int index);

// The raise rate in percent of a band, role evaluation and zone 1..5; 0 when not found.
double FindMatrixRate(const TMATTBL &table, int bandId, int evaluation, int zone);
double FindMatrixRate(int bandId, int evaluation, int zone); // in gMatTbl

// The band's highest amount: the upper limit of its last zone (of zone 1 when the zone
// count is not 2..5).
int BandUpperBound(const std::array<int, 6> &zoneJyogen, int zoneSu);
