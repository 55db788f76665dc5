#include "design_wage_table.h"

#include "csv_text.h"
#include "utilities.h"

#include <QStringList>

#include <algorithm>

namespace {

bool entered(const TDesignPoints &p, int n) {
    return p.age[n] != 0 || p.amount[n] != 0.0;
}

// The last entered point, 0 when none is.
int lastEntered(const TDesignPoints &p) {
    int last = 0;
    for (int n = 1; n <= 6; ++n)
        if (entered(p, n)) last = n;
    return last;
}

// "１" .. "９".
QString wideDigit(int n) {
    return QString(QChar(0xFF10 + n));
}

// No "-0" from a rounded negative zero.
double noNegativeZero(double x) {
    return x == 0.0 ? 0.0 : x;
}

} // namespace

std::optional<DesignWageFault> FindDesignWageFault(const TDesignSet &designs) {
    for (int d = 1; d <= 5; ++d) {
        const TDesignPoints &p = designs[d];
        const int last = lastEntered(p);
        for (int n = 1; n <= last; ++n) {
            if (!entered(p, n)) return DesignWageFault{d, n, DesignWageFault::Gap};
            if (n > 1 && p.age[n] <= p.age[n - 1])
                return DesignWageFault{d, n, DesignWageFault::NotIncreasing};
            if (p.age[n] < 1) return DesignWageFault{d, n, DesignWageFault::NoAge};
            if (p.age[n] - p.age[1] >= kMaxDesignYears)
                return DesignWageFault{d, n, DesignWageFault::TooWide};
        }
    }
    return std::nullopt;
}

QString DesignWageFaultText(const DesignWageFault &fault) {
    const QString where = QStringLiteral("設計") + wideDigit(fault.design) +
                          QStringLiteral("の点") + wideDigit(fault.point);
    switch (fault.kind) {
    case DesignWageFault::Gap:
        return where + QStringLiteral("が入力されていません。点は１から順に入力してください。");
    case DesignWageFault::NotIncreasing:
        return where + QStringLiteral("のX軸の値が、前の点の値以下です。前の点より大きい値を"
                                      "入力してください。");
    case DesignWageFault::NoAge:
        return where + QStringLiteral("のX軸の値が入力されていません。１以上の値を入力して"
                                      "ください。");
    case DesignWageFault::TooWide:
        return where + QStringLiteral("のX軸の値が点１から離れすぎています。点１との差は%1以下"
                                      "にしてください。")
                           .arg(kMaxDesignYears - 1);
    }
    return where;
}

std::vector<TDesignWageRow> DesignWageRows(const TDesignPoints &p, int design) {
    const int used = lastEntered(p);
    if (used == 0) return {};
    // Entered points have increasing ages, so the first and the last point bound the table.
    const int aMin = p.age[1];
    const int span = std::clamp(p.age[used] - aMin + 1, 1, kMaxDesignYears);
    const auto position = [&](int n) { return std::clamp(p.age[n] - aMin, 0, span - 1); };

    std::vector<double> w(span, 0.0), u(span, 0.0);
    for (int n = 1; n <= used; ++n)
        if (p.amount[n] != 0.0) w[position(n)] = p.amount[n];
    for (int n = 2; n <= used; ++n) {
        const int from = position(n - 1), to = position(n);
        if (to <= from) continue;
        const double step = RoundHalfUp(1, (p.amount[n] - p.amount[n - 1]) /
                                               double(p.age[n] - p.age[n - 1]) / 10.0) *
                            10.0;
        for (int k = from; k <= to - 2; ++k) {
            u[k] = step;
            w[k + 1] = w[k] + step;
        }
        u[to - 1] = w[to] - w[to - 1];
    }

    std::vector<TDesignWageRow> rows;
    rows.reserve(span);
    for (int k = 0; k < span; ++k) {
        const int age = aMin + k;
        if (age == 0) continue;
        TDesignWageRow r;
        r.design = design;
        r.no = k + 1;
        r.age = age;
        r.amount = w[k];
        r.increase = u[k];
        if (k != span - 1 && w[k] != 0.0)
            r.rate = noNegativeZero(RoundHalfUp(3, u[k] / w[k] * 100.0));
        if (w[0] != 0.0) r.index = ToInt(ToInt64(RoundHalfUp(1, w[k] / w[0] * 100.0)));
        rows.push_back(r);
    }
    return rows;
}

std::vector<TDesignWageRow> ComputeDesignWageTable(const TDesignSet &designs) {
    std::vector<TDesignWageRow> rows;
    for (int d = 1; d <= 5; ++d) {
        const std::vector<TDesignWageRow> one = DesignWageRows(designs[d], d);
        rows.insert(rows.end(), one.begin(), one.end());
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const TDesignWageRow &a, const TDesignWageRow &b) {
                         return a.no != b.no ? a.no < b.no : a.design < b.design;
                     });
    return rows;
}

std::vector<TDesignWageLine> DesignWageLines(const std::vector<TDesignWageRow> &rows) {
    std::vector<TDesignWageLine> lines;
    for (const TDesignWageRow &r : rows) {
        if (lines.empty() || lines.back().no != r.no) lines.push_back(TDesignWageLine{r.no, {}});
        if (r.design >= 1 && r.design <= 5) lines.back().rows[r.design] = &r;
    }
    return lines;
}

void TDesignWageSummary::add(double amount) {
    if (count == 0) first = amount;
    last = amount;
    sum += amount;
    ++count;
}

TDesignWageSummaries SummariseDesignWageLines(const std::vector<TDesignWageLine> &lines) {
    TDesignWageSummaries s{};
    for (const TDesignWageLine &line : lines)
        for (int d = 1; d <= 5; ++d)
            if (line.rows[d]) s[d].add(line.rows[d]->amount);
    return s;
}

QString FormatWholeOrEmpty(double value) {
    const qint64 whole = ToInt64(RoundHalfUp(1, value));
    return whole == 0 ? QString() : QString::number(whole);
}

QString DesignWageCsvText(const QString &title, const std::vector<TDesignWageLine> &lines) {
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    text.reserve(static_cast<qsizetype>(lines.size()) * 80 + 300);
    text += CsvField(title) + crlf;
    text += QStringLiteral(",設計１,,,設計２,,,設計３,,,設計４,,,設計５,") + crlf;
    text += QStringLiteral("年齢,職能給,格差,年齢,職能給,格差,年齢,職能給,格差,年齢,職能給,格差,"
                           "年齢,職能給,格差") +
            crlf;
    for (const TDesignWageLine &line : lines) {
        QStringList values;
        for (int d = 1; d <= 5; ++d) {
            const TDesignWageRow *r = line.rows[d];
            if (!r) {
                values << QStringLiteral("0") << QStringLiteral("0") << QStringLiteral("0");
                continue;
            }
            values << QString::number(r->age) << QString::number(ToInt64(RoundHalfUp(1, r->amount)))
                   << QString::number(r->index);
        }
        text += values.join(QLatin1Char(',')) + crlf;
    }
    const TDesignWageSummaries s = SummariseDesignWageLines(lines);
    QStringList parts;
    for (int d = 1; d <= 5; ++d) {
        if (s[d].count == 0) {
            parts << QStringLiteral(",,");
            continue;
        }
        QString part =
            QStringLiteral("平均,") + FormatWholeOrEmpty(s[d].average()) + QLatin1Char(',');
        if (s[d].count > 1) part += FormatWholeOrEmpty(s[d].yearlyIncrease());
        parts << part;
    }
    text += parts.join(QLatin1Char(',')) + crlf;
    return text;
}
