#pragma once
// What every benchmark does first: a program folder in a temporary directory with a generated
// company 1 of the given size for fiscal year 2018, both databases open, and (unless asked not
// to) the project opened. The data module (a TDM) must exist before.

#include <QString>
#include <vector>

// False, after a line on stderr, when the company could not be generated or opened.
bool OpenBenchCompany(const QString &dir, int employees, quint32 seed = 4242,
                      bool openProject = true);

// With VM_BENCH_SERVER set to a PostgreSQL URL (postgresql://user@host:port/db of a database
// the user may create databases from), moves the company generated in the data folder into a
// fresh database on that server with the company copy and makes the server the program's
// location, so the benchmark measures the server. Does nothing without it; false, after a
// line on stderr, when the move failed. Call after generating, before opening the databases.
bool MoveBenchCompanyToServer();
// "SQLite" or "PostgreSQL <url>": the engine the figures were measured on.
QString BenchEngineText();

// The median of a set of timings.
double Median(std::vector<double> values);
