#pragma once
// The design wage table of the raise-curve design: for every design one row per whole year
// from its first to its last point, with the amount, the increase to the next year, the
// increase rate and the amount as a percentage of the first year's. Also the lines the
// printed report and the CSV file show (one line per position, the designs side by side) and
// the averages below them. No widgets, no database.

#include "design_records.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

// The most years one design may span.
inline constexpr int kMaxDesignYears = 200;

// A design the table cannot be computed from: the design, the point and what is wrong.
struct DesignWageFault {
    enum Kind {
        Gap,           // a point is missing before a later one
        NotIncreasing, // the X value is not above the previous point's
        NoAge,         // an entered point whose X value is below 1
        TooWide,       // first to last point spans more than kMaxDesignYears
    };
    int design = 0;
    int point = 0;
    Kind kind = Gap;
};
// The first fault in design and point order. A point counts as entered when its X value or
// its amount is not 0; entered points run from point 1 without gaps with increasing X values
// of at least 1.
std::optional<DesignWageFault> FindDesignWageFault(const TDesignSet &designs);
// The refusal shown for a fault; it names the design and the point.
QString DesignWageFaultText(const DesignWageFault &fault);

// The rows of one design (number `design`) in ascending age; none when no point is entered.
// The points must pass FindDesignWageFault. Between two points the yearly step is the
// difference per year rounded half away from zero to tens of yen; the last year before a
// point takes up the rounding, so the curve meets every point exactly.
std::vector<TDesignWageRow> DesignWageRows(const TDesignPoints &points, int design);
// The rows of all five designs, ordered by position (NO) and design.
std::vector<TDesignWageRow> ComputeDesignWageTable(const TDesignSet &designs);

// One printed or written line: the rows of equal position, by design [1..5] (null: none).
struct TDesignWageLine {
    int no = 0;
    std::array<const TDesignWageRow *, 6> rows{};
};
// The lines of a table ordered by position and design; they point into `rows`.
std::vector<TDesignWageLine> DesignWageLines(const std::vector<TDesignWageRow> &rows);

// What the average line shows for one design, from its rows in line order.
struct TDesignWageSummary {
    int count = 0;
    double sum = 0.0;
    double first = 0.0, last = 0.0;
    void add(double amount);
    double average() const { return count > 0 ? sum / count : 0.0; }
    // The average yearly increase (last - first) / (count - 1); meaningful when count > 1.
    double yearlyIncrease() const { return count > 1 ? (last - first) / (count - 1) : 0.0; }
};
using TDesignWageSummaries = std::array<TDesignWageSummary, 6>; // [1..5]
TDesignWageSummaries SummariseDesignWageLines(const std::vector<TDesignWageLine> &lines);

// A number rounded half away from zero to a whole number without separators; 0 gives an
// empty text.
QString FormatWholeOrEmpty(double value);

// The CSV file's text before encoding, each line ended by CR LF: the title, the two heading
// lines, one line per position (age, amount and index of each design, 0,0,0 for a design
// without a row there) and the average line.
QString DesignWageCsvText(const QString &title, const std::vector<TDesignWageLine> &lines);
