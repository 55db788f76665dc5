#include "raise_budget_report.h"

#include "csv_text.h"
#include "raise_budget_chart.h"
#include "report_engine.h"
#include "state.h"
#include "utilities.h"

#include <QDir>
#include <algorithm>

namespace {

// Lines on a page: 0 .. kLastLine below the first line's rectangles.
constexpr int kLastLine = 31;
constexpr int kLineHeight = 508;
constexpr int kRuleMargin = 150;
// The picture on the first page, in pixels: about 230 x 160 mm on the paper.
constexpr QSize kBudgetPrintPicture(1150, 800);

const QStringList kBandFields = {"BANDNAME", "NINZU",  "KIJUN", "KAGEN",  "JYOGEN", "HEIKIN",
                                 "COMPA",    "SINTOU", "MIMAN", "CHOUKA", "UPKIN",  "UPRITSU"};
const QStringList kListFields = {"SYAINCD", "SIMEI", "LBAND", "CHINGIN", "GENDO", "SA"};

// A line of the report: a section title across the page, a heading row, or a row of texts.
struct ReportLine {
    enum Kind { Title, Heading, Row, Total };
    Kind kind = Row;
    int columns = 0; // 0 the band columns, 1 the list columns
    QStringList texts;
};

class BudgetLayout {
public:
    BudgetLayout(TReportEngine &engine, const QString &yearText, const QString &company,
                 const QDate &today, const QString &summary)
        : m_engine(engine), m_yearText(yearText), m_company(company), m_today(today),
          m_summary(summary) {
        for (const QStringList *fields : {&kBandFields, &kListFields}) {
            std::vector<QRect> rects;
            for (const QString &f : *fields)
                rects.push_back(engine.fieldRect(f));
            m_rects.push_back(rects);
            m_aligns.push_back({});
            for (const QString &f : *fields)
                m_aligns.back().push_back(engine.reportTemplate().fields.value(f).align);
        }
    }

    // The first page holds the picture; the tables start on the next.
    void run(const QImage &picture, const std::vector<ReportLine> &lines) {
        startPage();
        const QRect first = m_rects.front().front();
        const int right = m_rects.front().back().right();
        const int height = (right - first.left()) * picture.height() / std::max(picture.width(), 1);
        m_engine.drawPicture(first.left(), first.top() - 300, right, first.top() - 300 + height,
                             picture);
        m_line = kLastLine + 1;
        const ReportLine *heading = nullptr;
        for (const ReportLine &line : lines) {
            if (line.kind == ReportLine::Title) heading = nullptr;
            if (line.kind == ReportLine::Heading) heading = &line;
            // A title keeps its heading and first row with it.
            const int room = line.kind == ReportLine::Title ? 2 : 0;
            if (m_line + room > kLastLine) {
                startPage();
                if (heading && line.kind != ReportLine::Heading) draw(*heading);
            }
            draw(line);
        }
        m_engine.finishPage();
        m_engine.endDoc();
    }

private:
    void startPage() {
        if (m_page > 0) m_engine.finishPage();
        ++m_page;
        m_line = 0;
        m_engine.setFieldText(QStringLiteral("TITLE"), kBudgetTitle);
        m_engine.setFieldText(QStringLiteral("NENDO"),
                              m_yearText + QStringLiteral(" 年度　：　") + m_company);
        m_engine.setFieldText(QStringLiteral("YMD"),
                              m_today.toString(QStringLiteral("yyyy年MM月dd日")) +
                                  QStringLiteral("　　P. ") + QString::number(m_page));
        m_engine.setFieldText(QStringLiteral("SUMMARY"), m_summary);
    }

    void draw(const ReportLine &line) {
        const std::vector<QRect> &rects = m_rects[line.columns];
        const int dy = m_line * kLineHeight;
        const int left = rects.front().left() - kRuleMargin;
        const int right = rects.back().right() + kRuleMargin;
        const QRect first = rects.front().translated(0, dy);
        if (line.kind == ReportLine::Title) {
            m_engine.drawText(first.left(), first.top(), right, first.bottom(), 0,
                              line.texts.value(0));
        } else {
            for (size_t c = 0; c < rects.size(); ++c) {
                const QRect r = rects[c].translated(0, dy);
                const int align = line.kind == ReportLine::Heading ? 2 : m_aligns[line.columns][c];
                m_engine.drawText(r.left(), r.top(), r.right(), r.bottom(), align,
                                  line.texts.value(static_cast<qsizetype>(c)));
            }
            m_engine.setLineStyle(0);
            m_engine.setLineWidth(0);
            const int bottom = first.bottom();
            if (line.kind == ReportLine::Heading) {
                m_engine.drawLine(left, first.top(), right, first.top());
                m_engine.drawLine(left, bottom, right, bottom);
            } else if (line.kind == ReportLine::Total) {
                m_engine.drawLine(left, first.top(), right, first.top());
                m_engine.drawLine(left, bottom, right, bottom);
            }
        }
        ++m_line;
    }

    TReportEngine &m_engine;
    QString m_yearText, m_company;
    QDate m_today;
    QString m_summary;
    std::vector<std::vector<QRect>> m_rects;
    std::vector<std::vector<int>> m_aligns;
    int m_page = 0;
    int m_line = 0;
};

QString amountText(double amount) {
    return FormatGrouped(amount, 0);
}

} // namespace

QString CompaText(double ratio) {
    return QString::number(RoundHalfUp(3, ratio), 'f', 2);
}

QString PenetrationText(double share) {
    return QString::number(RoundHalfUp(1, share * 100.0), 'f', 0) + QLatin1Char('%');
}

QString RatePercentText(double percent) {
    return QString::number(RoundHalfUp(3, percent), 'f', 2) + QLatin1Char('%');
}

QStringList BandTableHeadings() {
    return {
        QStringLiteral("バンド"),       QStringLiteral("人数"),         QStringLiteral("基準賃金"),
        QStringLiteral("下限"),         QStringLiteral("上限"),         QStringLiteral("平均賃金"),
        QStringLiteral("コンパレシオ"), QStringLiteral("レンジ浸透度"), QStringLiteral("下限未満"),
        QStringLiteral("上限超"),       QStringLiteral("昇給総額"),     QStringLiteral("昇給率")};
}

QStringList BandTableTexts(const TBudgetBand *band, const QString &label,
                           const TBandPosition &line) {
    QStringList out;
    out << (band ? band->name : label) << QString::number(line.count);
    if (band) {
        out << FormatAmount(band->kijun) << FormatAmount(band->minimum)
            << FormatAmount(band->maximum);
        const bool any = line.count > 0;
        out << (any ? amountText(line.averagePay()) : QString())
            << (any && band->kijun != 0 ? CompaText(line.averageCompa()) : QString())
            << (any && band->maximum > band->minimum ? PenetrationText(line.averagePenetration())
                                                     : QString())
            << QString::number(line.below) << QString::number(line.above);
    } else {
        out << QString() << QString() << QString() << QString() << QString() << QString()
            << QString() << QString();
    }
    out << FormatAmount(line.raiseTotal)
        << (line.fixedTotal ? RatePercentText(line.raisePercent()) : QString());
    return out;
}

std::vector<QStringList> BandTableLines(const TBudgetReportData &data) {
    std::vector<QStringList> out;
    for (size_t i = 0; i < data.bands.size(); ++i)
        out.push_back(BandTableTexts(&data.bands[i], QString(), data.position.bands[i]));
    if (data.position.noBand.count > 0)
        out.push_back(BandTableTexts(nullptr, kNoBandLabel, data.position.noBand));
    if (data.position.unlinked.count > 0)
        out.push_back(BandTableTexts(nullptr, kUnlinkedLabel, data.position.unlinked));
    TBandPosition total;
    total.count = static_cast<int>(data.employees.size());
    total.fixedTotal = data.position.fixedTotal;
    total.raiseTotal = data.position.raiseTotal;
    out.push_back(BandTableTexts(nullptr, kTotalLabel, total));
    return out;
}

QStringList LimitHeadings(bool above) {
    return {QStringLiteral("社員コード"),
            QStringLiteral("氏名"),
            QStringLiteral("バンド"),
            QStringLiteral("賃金"),
            above ? QStringLiteral("上限額") : QStringLiteral("下限額"),
            above ? QStringLiteral("超過額") : QStringLiteral("不足額")};
}

QStringList LimitTexts(const TBudgetReportData &data, const TLimitRow &row) {
    const TBudgetEmployee &e = data.employees[row.employee];
    return {e.code,
            e.name,
            data.bands[row.band].name,
            FormatAmount(row.pay),
            FormatAmount(row.limit),
            FormatAmount(row.distance)};
}

QString BudgetSummaryText(const TBudgetReportData &data) {
    const qint64 fixed = data.position.fixedTotal;
    const qint64 budget = BudgetAmount(data.budget, fixed);
    // As the screen shows it: the planned raises less the budget, "+" and "超過" when over.
    const qint64 difference = data.position.raiseTotal - budget;
    return QStringLiteral("所定給総額（月額） %1円　／　昇給原資 %2円（%3）　／　昇給予定 %4円"
                          "（%5）　／　原資との差額 %6円%7")
        .arg(FormatAmount(fixed), FormatAmount(budget),
             RatePercentText(BudgetPercent(data.budget, fixed)),
             FormatAmount(data.position.raiseTotal), RatePercentText(data.position.raisePercent()),
             (difference > 0 ? QStringLiteral("+") : QString()) + FormatAmount(difference),
             difference > 0 ? QStringLiteral("（超過）") : QString());
}

QString BudgetTemplatePath(const QString &reportDir) {
    return QDir(reportDir).filePath(QStringLiteral("PrintRaiseBudget.jfm"));
}

QString BudgetWorkFilePath(const QString &reportDir) {
    return QDir(reportDir).filePath(QStringLiteral("wkPrintRaiseBudget.rdf"));
}

QString LayOutBudgetReport(TReportEngine &engine, const QString &reportDir,
                           const TBudgetReportData &data, const QString &yearText,
                           const QString &company, const QDate &today) {
    engine.startReport(BudgetTemplatePath(reportDir), BudgetWorkFilePath(reportDir), kBudgetTitle,
                       100);
    const QString workFile = engine.imageFileName();

    std::vector<ReportLine> lines;
    lines.push_back({ReportLine::Title, 0, {QStringLiteral("■ バンド別のポジション")}});
    lines.push_back({ReportLine::Heading, 0, BandTableHeadings()});
    const std::vector<QStringList> table = BandTableLines(data);
    for (size_t i = 0; i < table.size(); ++i)
        lines.push_back({i + 1 == table.size() ? ReportLine::Total : ReportLine::Row, 0, table[i]});
    const struct {
        bool above;
        const std::vector<TLimitRow> &rows;
        QString title;
    } lists[] = {{true, data.position.above,
                  QStringLiteral("■ 上限を超える社員（昇給はバンドの上限で止まります）")},
                 {false, data.position.below, QStringLiteral("■ 下限に満たない社員")}};
    for (const auto &list : lists) {
        lines.push_back({ReportLine::Title, 1, {}});
        lines.push_back(
            {ReportLine::Title, 1, {list.title + QStringLiteral("　%1名").arg(list.rows.size())}});
        if (list.rows.empty()) continue;
        lines.push_back({ReportLine::Heading, 1, LimitHeadings(list.above)});
        for (const TLimitRow &row : list.rows)
            lines.push_back({ReportLine::Row, 1, LimitTexts(data, row)});
    }
    BudgetLayout layout(engine, yearText, company, today, BudgetSummaryText(data));
    // The picture as the screen paints it, at a size whose texts read well on A4.
    layout.run(BudgetChartImage(kBudgetPrintPicture, data.bands, data.position), lines);
    return workFile;
}

QString BudgetCsvPath() {
    return G().gAppPath + QStringLiteral("CSV/") + kBudgetTitle + QStringLiteral(".CSV");
}

QString BudgetCsvText(const TBudgetReportData &data) {
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    const auto line = [&](const QStringList &values) {
        for (qsizetype c = 0; c < values.size(); ++c) {
            if (c > 0) text += QLatin1Char(',');
            text += CsvField(values[c]);
        }
        text += crlf;
    };
    // Amounts as plain integers, as the other CSV files write them.
    const auto plain = [](QStringList values) {
        for (qsizetype c = 1; c < values.size(); ++c)
            values[c].remove(QLatin1Char(','));
        return values;
    };
    line(BandTableHeadings());
    for (const QStringList &row : BandTableLines(data))
        line(plain(row));
    for (const bool above : {true, false}) {
        text += crlf;
        line(QStringList{above ? QStringLiteral("上限超") : QStringLiteral("下限未満")} +
             LimitHeadings(above));
        for (const TLimitRow &row : above ? data.position.above : data.position.below) {
            QStringList values = LimitTexts(data, row);
            values[3].remove(QLatin1Char(','));
            values[4].remove(QLatin1Char(','));
            values[5].remove(QLatin1Char(','));
            line(QStringList{QString()} + values);
        }
    }
    return text;
}
