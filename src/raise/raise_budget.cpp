#include "raise_budget.h"

#include "utilities.h"

#include <algorithm>
#include <unordered_map>

namespace {

int textToInt(const QString &text) {
    bool ok = false;
    const int n = QStringView(text).trimmed().toInt(&ok);
    return ok ? n : 0;
}

struct EmployeeRaise {
    qint64 fixed = 0;
    qint64 newFixed = 0;
    TPayAfterRaise after;
};

EmployeeRaise raiseOf(const TBudgetEmployee &e, const MatrixRaiseTable &raises) {
    EmployeeRaise r;
    r.after = PayAfterRaise(e.pay, raises);
    r.fixed = e.pay.current[1] + e.pay.current[2] + e.pay.current[3] + e.allowances;
    r.newFixed = r.after.items[1] + r.after.items[2] + r.after.items[3] + e.newAllowances;
    return r;
}

void addTo(TBandPosition &line, const EmployeeRaise &r) {
    ++line.count;
    line.fixedTotal += r.fixed;
    line.raiseTotal += r.newFixed - r.fixed;
}

} // namespace

std::vector<TBudgetBand> BudgetBands(const TBANDTBL2 &table) {
    std::vector<TBudgetBand> out;
    out.reserve(table.Bands.size());
    for (const TBANDM2 &b : table.Bands) {
        TBudgetBand band;
        band.bandId = textToInt(b.BandId);
        band.name = b.BandName;
        band.kijun = b.Kijun;
        band.zones = b.ZoneSu;
        band.zoneKagen = b.ZoneKagen;
        band.zoneJyogen = b.ZoneJyogen;
        band.minimum = b.ZoneKagen[1];
        band.maximum = *std::max_element(b.ZoneJyogen.begin() + 1, b.ZoneJyogen.end());
        out.push_back(band);
    }
    return out;
}

TBudgetPosition ComputeBudgetPosition(const std::vector<TBudgetBand> &bands,
                                      const MatrixRaiseTable &raises,
                                      const std::vector<TBudgetEmployee> &employees) {
    TBudgetPosition out;
    out.bands.resize(bands.size());
    std::unordered_map<int, int> bandIndex; // the first band of an id counts
    for (size_t i = 0; i < bands.size(); ++i) {
        out.bands[i].band = static_cast<int>(i);
        bandIndex.try_emplace(bands[i].bandId, static_cast<int>(i));
    }
    out.points.reserve(employees.size());
    for (size_t n = 0; n < employees.size(); ++n) {
        const TBudgetEmployee &e = employees[n];
        const EmployeeRaise r = raiseOf(e, raises);
        out.fixedTotal += r.fixed;
        out.raiseTotal += r.newFixed - r.fixed;
        if (!r.after.linked) {
            addTo(out.unlinked, r);
            continue;
        }
        const auto found = bandIndex.find(e.pay.newBand);
        if (found == bandIndex.end()) {
            addTo(out.noBand, r);
            continue;
        }
        const int b = found->second;
        const TBudgetBand &band = bands[b];
        TBandPosition &line = out.bands[b];
        addTo(line, r);
        const int link = e.pay.link;
        const int pay = (link >= 1 && link <= 3) ? ToInt(e.pay.current[link]) : 0;
        line.payTotal += pay;
        if (band.kijun != 0) line.compaTotal += double(pay) / band.kijun;
        if (band.maximum > band.minimum)
            line.penetrationTotal += double(pay - band.minimum) / (band.maximum - band.minimum);
        const int index = static_cast<int>(n);
        if (pay > band.maximum) {
            ++line.above;
            out.above.push_back({index, b, pay, band.maximum, pay - band.maximum});
        } else if (pay < band.minimum) {
            ++line.below;
            out.below.push_back({index, b, pay, band.minimum, band.minimum - pay});
        }
        out.points.push_back({index, b, pay, r.after.matrix.newPay});
    }
    const auto farthestFirst = [](const TLimitRow &a, const TLimitRow &b) {
        return a.distance != b.distance ? a.distance > b.distance : a.employee < b.employee;
    };
    std::sort(out.above.begin(), out.above.end(), farthestFirst);
    std::sort(out.below.begin(), out.below.end(), farthestFirst);
    return out;
}

qint64 PlannedRaiseTotal(const MatrixRaiseTable &raises,
                         const std::vector<TBudgetEmployee> &employees) {
    qint64 total = 0;
    for (const TBudgetEmployee &e : employees) {
        const EmployeeRaise r = raiseOf(e, raises);
        total += r.newFixed - r.fixed;
    }
    return total;
}

qint64 BudgetAmount(const TRaiseBudget &budget, qint64 fixedTotal) {
    if (budget.kind == TRaiseBudget::Amount) return budget.amount;
    return ToInt64(RoundHalfUp(1, double(fixedTotal) * budget.percent / 100.0));
}

double BudgetPercent(const TRaiseBudget &budget, qint64 fixedTotal) {
    if (budget.kind == TRaiseBudget::Percent) return budget.percent;
    return fixedTotal ? double(budget.amount) * 100.0 / double(fixedTotal) : 0.0;
}

double ScaledRate(double rate, double factor) {
    return RoundHalfUp(3, rate * factor);
}

namespace {
template <typename Scale> TMATTBL scaled(const TMATTBL &matrices, Scale scale) {
    TMATTBL out = matrices;
    for (TMATHYOUKA &row : out.Rows)
        for (TMATRIX &cell : row.Cells)
            for (int z = 1; z <= 5; ++z)
                cell.Up[z] = scale(cell.Up[z]);
    return out;
}

qint64 totalWith(const TBANDTBL &bands, const TMATTBL &matrices,
                 const std::vector<TBudgetEmployee> &employees) {
    return PlannedRaiseTotal(MatrixRaiseTable(bands, matrices), employees);
}
} // namespace

TMATTBL ScaledMatrices(const TMATTBL &matrices, double factor) {
    return scaled(matrices, [factor](double rate) { return ScaledRate(rate, factor); });
}

TMATTBL ExactlyScaledMatrices(const TMATTBL &matrices, double factor) {
    return scaled(matrices, [factor](double rate) { return rate * factor; });
}

TBudgetFit FitToBudget(const TBANDTBL &bands, const TMATTBL &matrices,
                       const std::vector<TBudgetEmployee> &employees, qint64 budget) {
    TBudgetFit fit;
    const auto total = [&](double factor) {
        ++fit.evaluations;
        return totalWith(bands, ExactlyScaledMatrices(matrices, factor), employees);
    };
    double low = 0.0;
    qint64 lowTotal = total(low);
    if (lowTotal > budget) {
        fit.result = TBudgetFit::BelowReach;
        fit.factor = 0.0;
        fit.fittedTotal = lowTotal;
        fit.appliedTotal = totalWith(bands, ScaledMatrices(matrices, 0.0), employees);
        return fit;
    }
    // The upper end: the first power of two whose total exceeds the budget.
    double high = 1.0;
    qint64 highTotal = total(high);
    while (highTotal <= budget && high < kMaxBudgetFactor) {
        low = high;
        lowTotal = highTotal;
        high *= 2.0;
        highTotal = total(high);
    }
    if (highTotal <= budget) {
        fit.result = TBudgetFit::BeyondReach;
        low = high;
        lowTotal = highTotal;
    } else {
        // Invariant: total(low) <= budget < total(high). Stop when the factors agree to far
        // below the two decimals a rate is stored with, or the budget is met exactly.
        while (high - low > 1e-7 && lowTotal != budget) {
            const double middle = (low + high) / 2.0;
            const qint64 t = total(middle);
            if (t <= budget) {
                low = middle;
                lowTotal = t;
            } else {
                high = middle;
            }
        }
    }
    fit.factor = low;
    fit.fittedTotal = lowTotal;
    fit.appliedTotal = totalWith(bands, ScaledMatrices(matrices, low), employees);
    return fit;
}
