#pragma once
// The year end of one company: its fiscal year n is closed with the final amounts after the
// raise, and year n + 1 is created from it, every per-project table copied and the employee
// data carried forward (this year's results become next year's current values). All of it is
// one save over both databases: the next year exists completely or not at all.

#include "records.h"

#include <functional>

enum class RolloverOutcome {
    Done,
    TargetExists, // the company already has the next year
    NoSourceYear, // the company has no such year to roll over
    Failed,       // a statement failed (its message has been shown); nothing was kept
};

// The steps reported to `progress` (1..kRolloverSteps), each before it runs.
inline constexpr int kRolloverSteps = 21;

// Rolls company `from.kco` over from year `from.nendo` to the next year. `finalAmounts` gives
// each employee's final amounts after the raise, written into the year being closed before it
// is copied; `todayYmd` is the registration date of the new year's index row.
RolloverOutcome RollOverYear(const ProjectKey &from, int todayYmd,
                             const std::function<TFinalAmounts(const TYearEndPay &)> &finalAmounts,
                             const std::function<void(int step)> &progress = {});
