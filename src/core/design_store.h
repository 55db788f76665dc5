#pragma once
// The statements of the raise-curve design: its designs (DSPDRAW) per X and Y item, the
// legend and line style each design shares over all item pairs, the chart's six settings
// rows written anew, the design wage table, and the employees its chart is built from.

#include "design_records.h"
#include "records.h"

#include <optional>
#include <vector>

// What a design row is written with besides its points.
struct TDesignSave {
    int fx = 0;
    int fy = 0;
    std::array<int, 6> shown{};  // [1..5] FCHKS
    std::array<int, 6> legend{}; // [1..5] FREN
    QString description;         // KAISETSU
    QString colour;              // line style of a new row
    int type = 0;
    int width = 0;
};

// Saves the five designs of an item pair in one save: a design with points is inserted or
// updated (an existing row keeps its legend and line style), a design whose ages and amounts
// are all 0 is deleted. False, with nothing changed, when a statement failed.
bool SaveDesigns(const TDesignSet &designs, const TDesignSave &with);

// The legend and line style of design `number`: its first row, whatever the item pair.
std::optional<TDSPDRAW> ReadDesignStyle(int number);
// Writes the legend and line style of design `number` into all its rows, or, when it has
// none, inserts a row holding only them (without item pair and points). One save.
bool SaveDesignStyle(int number, const QString &legend, const QString &explanation,
                     const QString &colour, int type, int width);

// Replaces the six settings rows of a chart (KNO 1..6 from rows[1..6]) in one save.
bool WriteChartRowsAnew(int chart, const TChartRows &rows);

// Replaces the project's design wage table (DCHINGIN) by `rows`, computed for X item fx and
// Y item fy, in one save. False, with the stored table as before, when a statement failed.
bool WriteDesignWageTable(int fx, int fy, const std::vector<TDesignWageRow> &rows);

// The employees of the project (work type `workType`, 0 all), by company and entry date.
std::vector<TDesignEmployee> ReadDesignEmployees(int workType);
