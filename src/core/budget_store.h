#pragma once
// The statements of the raise budget: the project's budget (MGENSHI) and the rates of every
// matrix of the project (MATRIXCELL) as the fit to the budget reads and rewrites them.

#include "budget_record.h"

#include <QString>
#include <array>
#include <vector>

// The open project's budget; a project without one reads as 0 %.
TRaiseBudget ReadRaiseBudget();
// Replaces the open project's budget; false when it was not kept.
bool SaveRaiseBudget(const TRaiseBudget &budget);

// One MATRIXCELL row of the project with the names that go with it.
struct TMatrixCellRow {
    qint64 rowId = 0;
    int matrixId = 0;
    QString matrixName;
    int zones = 0; // ZONESU of the matrix (0 when the matrix is not registered)
    int evaluation = 0;
    QString symbol;             // the role evaluation's symbol (empty when unknown)
    std::array<double, 6> up{}; // [1..5]
};
// Every matrix cell row of the open project, by matrix, evaluation and insertion.
std::vector<TMatrixCellRow> ProjectMatrixCells();
// Writes the rates UP1..UP5 of the rows (found by rowId) in one transaction: every row or,
// after a failure, none. Returns whether the rates were stored.
bool SaveMatrixCellRates(const std::vector<TMatrixCellRow> &rows);
