#pragma once
// The statements of the company tables: the company index of the control database (MKIGYOU1)
// and, in the data database, a company's settings (MKIGYOU2) and every per-project table when
// a company is registered or deleted. Registering, changing and deleting write both databases
// as one unit: all of it is kept, or none of it.

#include "records.h"

#include <QString>
#include <vector>

// One company of a fiscal year as the company index holds it.
struct CompanyIndexRow {
    int kco = 0;
    QString kna;
    int reki = 0;
    int fnk = 0;
    int kdate = 0;
};

// The companies registered for a fiscal year, by code.
std::vector<CompanyIndexRow> CompaniesOfYear(int nendo);
// The highest company code of all years; 0 when there is none.
int HighestCompanyCode();
// The index row of a company in a fiscal year; false (and zeros) when there is none.
bool ReadCompanyIndex(int kco, int nendo, CompanyIndexRow &row);

// Registers a company for a fiscal year: its index row (registered on `registeredYmd`, with the
// western calendar and the age basis 2004-04-01), its settings row from `settings` (Kco and
// Nendo are not read) and the default marks and graph lines. False when anything failed (its
// message has been shown) and nothing was kept.
bool RegisterCompany(const ProjectKey &key, const TMKIGYOU2 &settings, int registeredYmd);
// Writes a company's name to its index row and `settings` to its settings row.
bool ModifyCompany(const ProjectKey &key, const TMKIGYOU2 &settings);
// Deletes a company's year: every per-project table of the data database (the living costs,
// shared by all companies, stay), then its index row.
bool DeleteCompany(const ProjectKey &key);
