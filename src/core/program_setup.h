#pragma once
// Start-up of the data side: the program folders beside the executable, the databases
// (created with the shipped content when missing) and the calendar settings.

#include <QString>

// Creates DATA/, Report/, CSV/ and Picture/ under gAppPath and any missing database file, or
// on the server (dbloc::Current()) any missing schema.
void PrepareProgramFolders();

// Opens both databases with OpenDatabase, or OpenServerDatabase on the server (control
// first).
void OpenDatabases();

// Reads the era names and start years of the calendar settings (MSEIGYO row CO = 0) into
// gEraNames and gEraStartYears.
void LoadCalendarSettings();
