#pragma once
// Loaders that fill the project state from the data database for the open project (keys:
// gMkigyou2.Kco and gMkigyou2.Nendo), and the wage-item captions of a work type.

#include "records.h"

#include <QString>
#include <array>
#include <vector>

// The key condition of every per-project statement, " NENDO = n AND KCO = k", from the
// Nendo and Kco texts of the settings record; empty when either is no integer (then the
// caller runs nothing, so no typed text ever reaches a statement).
QString ProjectKeySql(const TMKIGYOU2 &rec);

// Reads the MKIGYOU2 row of rec.Kco / rec.Nendo into rec; true when the row exists. Every
// other field is reset first (Frstkyu and Frstkyum to 3).
bool LoadCompanySettings(TMKIGYOU2 &rec);

// Reads the six plot marks of the project into marks[1..6]; true when at least one mark 1..6
// was read.
bool LoadMarks(std::array<TMMARK, 7> &marks);

// The wage-table amount of a grade ("1".."9") at a pay step; 0 when there is none.
int WageByStep(const QString &grade, const QString &step);

// One pay step of the open project's wage table: the amount of each grade 1..9.
struct TWageStep {
    int step = 0;
    std::array<double, 10> kin{}; // [1..9]
};
// The open project's wage table (DCHINGIN2), by step.
std::vector<TWageStep> LoadWageTable();
// The amount of grade 1..9 at a step of a table read by LoadWageTable, as WageByStep reads it
// from the database; 0 when the table has no such step or the grade is outside 1..9.
double WageOfStep(const std::vector<TWageStep> &table, int grade, int step);

// The number of grades of the open project (TKSU of its MCHINGIN row with CGCO 1); 9 when
// that row is missing.
int LoadGradeCount();

// The evaluation symbols of the open project (MHYOUKA) in their stored order: all of them are
// returned, the first 100 go to gHyoukaList.
std::vector<TCodeName> LoadHyoukaList();
// The model data codes (control table MDEL) into gModelList.
void LoadModelList();
// The living-cost codes of all companies and years (MSEIKEI), one entry per code, into
// gLivingList.
void LoadLivingList();

// Fills gSalaryTbl[1..4] from the work types of the project.
void LoadSalaryNames();

// The captions of the three base-pay items and five allowances of a work type.
struct SalaryCaptions {
    std::array<QString, 4> Kihon; // [1..3]
    std::array<QString, 6> Teate; // [1..5]
};
bool SetSalaryLabels(int workType, SalaryCaptions &captions);

inline const QString kMsgWageOverflow =
    QStringLiteral("賃金表選択でオーバーフローが発生しました。");
inline const QString kMsgWageUnknown = QStringLiteral("賃金表選択で不明なエラーが発生しました。");
