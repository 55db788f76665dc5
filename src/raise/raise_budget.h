#pragma once
// The raise budget and the pay position of a project: whether the planned raises fit the money
// set aside for them, where each linked employee's pay stands in the band, and the uniform
// factor on every matrix rate that makes the planned raises meet the budget. The per-employee
// values are those of the group raise reports (PayAfterRaise). Pure: reads only what it is
// given.

#include "budget_record.h"
#include "pay_after_raise.h"
#include "records.h"

#include <QString>
#include <array>
#include <vector>

// One employee as the budget needs it.
struct TBudgetEmployee {
    int sco = 0;
    QString code; // SCOT
    QString name; // SNA
    TPayBeforeRaise pay;
    qint64 allowances = 0;    // TEATE1..TEATE5
    qint64 newAllowances = 0; // NTEATE1..NTEATE5
};

// One band as the position needs it.
struct TBudgetBand {
    int bandId = 0;
    QString name;
    int kijun = 0;   // base wage
    int minimum = 0; // the band's lowest amount: the lower limit of zone 1
    int maximum = 0; // the band's highest amount: the largest zone upper limit
    int zones = 0;   // ZoneSu
    std::array<int, 6> zoneKagen{}, zoneJyogen{}; // [1..5]
};
// The bands of the table, in its order; limits as the raise computation takes them.
std::vector<TBudgetBand> BudgetBands(const TBANDTBL2 &table);

// Sums of one band (or of the employees outside every band). Averages are over `count`.
struct TBandPosition {
    int band = -1; // index into the bands; -1 for the lines of their own
    int count = 0;
    qint64 payTotal = 0;           // the linked item before the raise
    double compaTotal = 0.0;       // sum of pay / base wage (bands with a base wage)
    double penetrationTotal = 0.0; // sum of (pay - minimum) / (maximum - minimum)
    int below = 0, above = 0;
    qint64 fixedTotal = 0; // current monthly fixed pay of the employees
    qint64 raiseTotal = 0; // new fixed pay - current fixed pay
    double averagePay() const { return count ? double(payTotal) / count : 0.0; }
    double averageCompa() const { return count ? compaTotal / count : 0.0; }
    double averagePenetration() const { return count ? penetrationTotal / count : 0.0; }
    // The raise in percent of the current fixed pay; 0 without fixed pay.
    double raisePercent() const { return fixedTotal ? raiseTotal * 100.0 / fixedTotal : 0.0; }
};

// An employee outside the band's limits: the distance is how far the pay lies beyond the
// limit (always positive).
struct TLimitRow {
    int employee = 0; // index into the employees
    int band = 0;     // index into the bands
    int pay = 0;
    int limit = 0;
    int distance = 0;
};

// A linked employee in a band, as the picture shows it.
struct TPositionPoint {
    int employee = 0;
    int band = 0;
    int pay = 0;    // before the raise
    int newPay = 0; // after it
};

struct TBudgetPosition {
    qint64 fixedTotal = 0; // current monthly fixed pay of every employee
    qint64 raiseTotal = 0; // planned raises of every employee
    double raisePercent() const { return fixedTotal ? raiseTotal * 100.0 / fixedTotal : 0.0; }
    std::vector<TBandPosition> bands; // one per band, in band order
    TBandPosition unlinked;           // employees without a matrix link (MLINK 0)
    TBandPosition noBand;             // linked employees whose band is not among the bands
    std::vector<TLimitRow> above;     // by distance, farthest first
    std::vector<TLimitRow> below;
    std::vector<TPositionPoint> points;
};

// Where every employee stands, with the raises of the tables. Employees are placed in the band
// their raise is computed in (the band after the raise, NEWBANDID).
TBudgetPosition ComputeBudgetPosition(const std::vector<TBudgetBand> &bands,
                                      const MatrixRaiseTable &raises,
                                      const std::vector<TBudgetEmployee> &employees);

// The planned raise total (new fixed pay - current fixed pay over every employee).
qint64 PlannedRaiseTotal(const MatrixRaiseTable &raises,
                         const std::vector<TBudgetEmployee> &employees);

// --- The budget -------------------------------------------------------------------------------

// The budget in yen: the amount entered, or the percentage of the fixed-pay total rounded to
// whole yen.
qint64 BudgetAmount(const TRaiseBudget &budget, qint64 fixedTotal);
// The budget in percent of the fixed-pay total (0 without fixed pay).
double BudgetPercent(const TRaiseBudget &budget, qint64 fixedTotal);

// --- Fit to budget ----------------------------------------------------------------------------

// A rate multiplied by the factor as it is stored: two decimals, half away from zero.
double ScaledRate(double rate, double factor);
// Every rate of every matrix multiplied by the factor (ScaledRate).
TMATTBL ScaledMatrices(const TMATTBL &matrices, double factor);
// The same without the rounding to two decimals: the continuous scale the fit searches.
TMATTBL ExactlyScaledMatrices(const TMATTBL &matrices, double factor);

struct TBudgetFit {
    enum Result {
        Fitted,      // the factor meets the budget
        BelowReach,  // even rates of 0 give more than the budget
        BeyondReach, // the largest factor tried stays below the budget
    };
    Result result = Fitted;
    double factor = 1.0;
    qint64 fittedTotal = 0;  // the planned total at the factor
    qint64 appliedTotal = 0; // the planned total with the rates as stored (two decimals)
    int evaluations = 0;     // computations of the total the search made
};

// The largest factor (at most kMaxBudgetFactor) whose planned total does not exceed the budget,
// found by bisection over the raise computation itself: rounding and band limits make the
// total a step function of the factor, so it is searched, not solved. Assumes the total does
// not fall as the factor grows (rates of 0 or more).
inline constexpr double kMaxBudgetFactor = 16.0;
TBudgetFit FitToBudget(const TBANDTBL &bands, const TMATTBL &matrices,
                       const std::vector<TBudgetEmployee> &employees, qint64 budget);
