#pragma once
// What every benchmark does first: a program folder in a temporary directory with a generated
// company 1 of the given size for fiscal year 2018, both databases open, and (unless asked not
// to) the project opened. The data module (a TDM) must exist before.

#include <QString>
#include <vector>

// False, after a line on stderr, when the company could not be generated or opened.
bool OpenBenchCompany(const QString &dir, int employees, quint32 seed = 4242,
                      bool openProject = true);

// The median of a set of timings.
double Median(std::vector<double> values);
