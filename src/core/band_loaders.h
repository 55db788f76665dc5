#pragma once
// Loaders of the band and matrix tables of the open project (gYHyoukaTbl, gBandTbl,
// gBandTbl2, gMatTbl) and the save of one band row. Each holds whatever its last call read.

#include "records.h"

#include <QStringList>

// Reads the role evaluations of the project, in code order.
bool LoadYHyoukaTbl();
// Reads every band combined with every role evaluation of its matrix into gBandTbl.
bool LoadBandTbl();
// The same for the project of `key` into `table`.
void LoadBandTbl(const ProjectKey &key, TBANDTBL &table);
// Reads every band into gBandTbl2, with the band's lowest and highest amount.
bool LoadBandTbl2();
// Reads the matrix cells of every band into gMatTbl, one group per band.
bool LoadMatTbl();
void LoadMatTbl(const ProjectKey &key, TMATTBL &table);

// Writes band `index` of the table to BANDM, replacing the stored row of that band id. The
// delete and the insert form one save: when either fails the stored band stays as it was.
// Returns whether the band was stored.
bool SaveBandRow(const TBANDTBL2 &table, int index);
// Rewrites every band of the project from the table: the project's BANDM rows are deleted and
// each band of the table is written again, all in one save, so a failure leaves the stored
// bands as they were. Returns whether the bands were stored.
bool SaveAllBands(const TBANDTBL2 &table);
// Deletes the BANDM row of one band of the project (nothing happens when there is none).
bool DeleteBand(qint64 bandId);

// "code : name" items of the open project's bands (BANDM) and role evaluations (YHYOUKA), by
// code.
QStringList BandItems();
QStringList RoleEvaluationItems();
