#pragma once
// How the employees linked to the bands of one matrix spread over its role evaluations and
// zones after the raise, and the average raise rate the matrix gives them. Pure: reads only
// the tables and the employees it is given.

#include "matrix_raise.h"
#include "records.h"

#include <QString>
#include <array>
#include <vector>

// One employee as the spread needs it: band, role evaluation after the raise, linked pay.
struct SpreadEmployee {
    int band = 0;
    int evaluation = 0;
    int pay = 0;
};

// One role evaluation of the matrix. Percentages are in percent (40.0 is 40 %).
struct SpreadEvaluation {
    int evaluation = 0;
    QString symbol;
    int headCount = 0;                 // employees of this evaluation counted in a zone
    double share = 0.0;                // headCount / total
    std::array<double, 6> up{};        // [1..5] the matrix rate of each zone
    std::array<double, 6> zoneShare{}; // [1..5] share x zone share x rate
};

struct MatrixSpread {
    bool found = false; // the matrix has a group in the matrix table
    QString matrixName;
    int zones = 0; // zone columns to show
    std::vector<SpreadEvaluation> evaluations;
    std::array<int, 6> zoneCount{};    // [1..5] employees whose new pay lies in the zone
    std::array<double, 6> zoneShare{}; // [1..5] zoneCount / total
    int total = 0;                     // every linked employee
    int outside = 0;                   // employees whose new pay lies in no zone of their band
    double sum = 0.0; // the average raise: the sum of every zoneShare of every evaluation
};

// The spread of matrix `matrixId` over the employees, with their raises from `raises`.
MatrixSpread ComputeMatrixSpread(const TMATTBL &matrices, const MatrixRaiseTable &raises,
                                 const std::vector<SpreadEmployee> &employees, int matrixId);
// The same with the raises computed over the band table.
MatrixSpread ComputeMatrixSpread(const TMATTBL &matrices, const TBANDTBL &bands,
                                 const std::vector<SpreadEmployee> &employees, int matrixId);

// A percentage as the check shows it: "0.00%" (40.0 shows "40.00%").
QString PercentText(double percent);

// The line above the grid: "  <matrix name> 人数 <total>名", and " 範囲外 = (<n>)" when some
// employees lie outside every zone.
QString MatrixSpreadCaption(const MatrixSpread &spread);
