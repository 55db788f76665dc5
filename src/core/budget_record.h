#pragma once
// The raise budget of a project (MGENSHI), shared by its store and the budget computation.

#include <QtGlobal>

// A percentage of the current monthly fixed-pay total or an amount in yen, whichever was
// entered; the other is derived from it.
struct TRaiseBudget {
    enum Kind { Percent = 0, Amount = 1 };
    int kind = Percent;
    double percent = 0.0; // percent of the fixed-pay total (3.0 is 3 %)
    qint64 amount = 0;    // yen
};
