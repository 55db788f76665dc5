#pragma once
// The base pay of one employee after the raise, as the raise input shows it when it loads the
// employee and as the group reports print it: the amounts entered after the raise, the item
// that follows the wage table taking the wage table's amount, and the item linked to the band
// taking its matrix raise. Pure.

#include "matrix_raise.h"

#include <array>

// What decides the base pay after the raise.
struct TPayBeforeRaise {
    std::array<qint64, 4> current{}; // KKYU1..KKYU3 in [1..3]
    std::array<qint64, 4> entered{}; // NKKYU1..NKKYU3 in [1..3]: the amounts after the raise
    qint64 wageTableAmount = 0;      // NKIN
    int wageItem = 0;                // JISEKI: the item that takes NKIN (1..3, else none)
    int link = 0;                    // MLINK: the item the matrix raises (1..3, 0 none)
    int newBand = 0;                 // NEWBANDID
    int newEvaluation = 0;           // NEWYHYOUKA
};

struct TPayAfterRaise {
    std::array<qint64, 4> items{}; // [1..3]
    // The matrix raise under the new band and evaluation, of the linked item's current amount
    // (0 when the link names none of the three items); all zero without a link.
    MatrixRaise matrix;
    bool linked = false; // the employee has a link (MLINK not 0)
};

// The wage-table item takes NKIN first; the linked item then takes the matrix's new pay, also
// when it is the same item.
TPayAfterRaise PayAfterRaise(const TPayBeforeRaise &pay, const MatrixRaiseTable &raises);
// The same with a scan of the tables, for a single employee.
TPayAfterRaise PayAfterRaise(const TPayBeforeRaise &pay, const TBANDTBL &bands,
                             const TMATTBL &matrices);
