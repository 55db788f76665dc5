#pragma once
// The statements of the basic settings: the open company's age basis and calendar (its
// company index row), the era table shared by all companies (MSEIGYO row CO = 0), and the
// project's plot marks (MMARK) and graph lines (MGRAPH).

#include "records.h"

#include <QString>
#include <array>

// The age basis and calendar of a company in the company index.
struct CalendarSettings {
    int fnk = 0;   // non-zero: ages as of today
    int kdate = 0; // base date yyyymmdd when fnk is 0
    int reki = 0;  // 0 western years, 1 era years
};

// One era of the era table: its name and first day.
struct EraEntry {
    QString name;
    int year = 0;
    int month = 0;
    int day = 0;
};

// The era table shared by all companies (MSEIGYO row CO = 0); named apart from the
// calendar's own EraTable() of the utilities.
struct EraSettings {
    std::array<EraEntry, 4> eras; // [1..3]
    int choice = 0;               // FREKI: the era chosen, 0..2
};

// One graph line of a project.
struct TGraphLine {
    QString Color;
    int Syurui = 0;
    int Haba = 0;
};
using GraphLines = std::array<TGraphLine, 5>; // [1..4]

// The open project's company index settings; false when it has no index row.
bool ReadCalendarSettings(CalendarSettings &settings);
// The era table; false when its row is missing.
bool ReadEraTable(EraSettings &table);
// The four graph lines of the open project (the first row of each line number); lines
// without a row stay empty.
GraphLines ReadGraphLines();

// Saves the parts of the control database that are given (nullptr: not changed) in one
// transaction; false when nothing was kept.
bool SaveControlSettings(const CalendarSettings *calendar, const EraSettings *eras);
// Saves the marks and lines of the open project that are given, in one transaction.
bool SaveDataSettings(const std::array<TMMARK, 7> *marks, const GraphLines *lines);
