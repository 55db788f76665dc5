#include "design_report.h"

#include "design_store.h"
#include "report_engine.h"
#include "state.h"
#include "utilities.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString kTemplateName = QStringLiteral("PrintSekkeiList");

// Line n of a page lies n x 508 + 200 below the field rectangles; the column captions 308
// above them. Lines 0..31; the average line is always line 31.
constexpr int kRowHeight = 508;
constexpr int kFirstLineOffset = 200;
constexpr int kCaptionOffset = -308;
constexpr int kLastLine = 31;
constexpr int kNoPage = 100;

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The page layout of the report on the engine.
class DesignReportLayout {
public:
    DesignReportLayout(TReportEngine &engine, const TDesignReportHeading &heading)
        : m_engine(engine), m_heading(heading) {
        for (int d = 1; d <= 5; ++d) {
            m_age[d] = engine.fieldRect(QStringLiteral("NENREI%1").arg(d));
            m_amount[d] = engine.fieldRect(QStringLiteral("KIN%1").arg(d));
            m_index[d] = engine.fieldRect(QStringLiteral("KAKU%1").arg(d));
        }
    }

    void run(const std::vector<TDesignWageLine> &lines) {
        m_line = kNoPage;
        for (const TDesignWageLine &line : lines) {
            for (int d = 1; d <= 5; ++d) {
                const TDesignWageRow *r = line.rows[d];
                if (!r) continue;
                if (m_line > kLastLine) startPage();
                const int offset = lineOffset(m_line);
                draw(m_age[d], offset, 1, QString::number(r->age));
                draw(m_amount[d], offset, 1, FormatAmount(ToInt64(RoundHalfUp(1, r->amount))));
                draw(m_index[d], offset, 1, QString::number(r->index));
            }
            ++m_line;
        }
        if (m_line > kLastLine) startPage();
        const TDesignWageSummaries s = SummariseDesignWageLines(lines);
        const int offset = lineOffset(kLastLine);
        for (int d = 1; d <= 5; ++d) {
            if (s[d].count == 0) continue;
            draw(m_age[d], offset, 1, QStringLiteral("平均"));
            draw(m_amount[d], offset, 1, FormatGrouped(s[d].average(), 0));
            if (s[d].count > 1)
                draw(m_index[d], offset, 1, FormatGrouped(s[d].yearlyIncrease(), 0));
        }
        m_engine.finishPage();
        m_engine.endDoc();
    }

private:
    static int lineOffset(int line) { return line * kRowHeight + kFirstLineOffset; }

    void draw(const QRect &r, int offset, int align, const QString &text) {
        m_engine.drawText(r.left(), r.top() + offset, r.right(), r.bottom() + offset, align, text);
    }

    void startPage() {
        if (m_page > 0) m_engine.finishPage();
        ++m_page;
        m_line = 0;
        const QDate &today = m_heading.today;
        m_engine.setFieldText(QStringLiteral("NENDO"),
                              m_heading.yearText + QStringLiteral(" 年度"));
        m_engine.setFieldText(QStringLiteral("CORPNAME"), m_heading.company);
        m_engine.setFieldText(QStringLiteral("TITLE"), m_heading.title);
        m_engine.setFieldText(QStringLiteral("YMD"),
                              QStringLiteral("%1年%2月%3日")
                                      .arg(today.year(), 4, 10, QLatin1Char('0'))
                                      .arg(twoDigits(today.month()), twoDigits(today.day())) +
                                  QStringLiteral("　　P. ") + QString::number(m_page));
        for (int d = 1; d <= 5; ++d) {
            draw(m_age[d], kCaptionOffset, 2, m_heading.xCaption);
            draw(m_amount[d], kCaptionOffset, 1, m_heading.yCaption);
            draw(m_index[d], kCaptionOffset, 1, QStringLiteral("格差"));
        }
    }

    TReportEngine &m_engine;
    const TDesignReportHeading &m_heading;
    std::array<QRect, 6> m_age{}, m_amount{}, m_index{};
    int m_line = kNoPage;
    int m_page = 0;
};

} // namespace

std::vector<TDesignWageRow> RunDesignWageTable(const TDesignReportInput &input) {
    const std::vector<TDesignWageRow> rows = ComputeDesignWageTable(input.designs);
    // A failed write has shown its message; the report still shows the table just computed.
    WriteDesignWageTable(input.fx, input.fy, rows);
    G().gChartTitle = input.title;
    return rows;
}

QString DesignReportTemplatePath(const QString &reportDir) {
    return QDir(reportDir).filePath(kTemplateName + QStringLiteral(".jfm"));
}

QString DesignReportWorkFilePath(const QString &reportDir) {
    return QDir(reportDir).filePath(QStringLiteral("wk") + kTemplateName + QStringLiteral(".rdf"));
}

QString LayOutDesignReport(TReportEngine &engine, const QString &reportDir,
                           const std::vector<TDesignWageLine> &lines,
                           const TDesignReportHeading &heading) {
    engine.startReport(DesignReportTemplatePath(reportDir), DesignReportWorkFilePath(reportDir),
                       kDesignReportTitle, 90);
    const QString workFile = engine.imageFileName();
    DesignReportLayout layout(engine, heading);
    layout.run(lines);
    return workFile;
}

TReportNotice PrintDesignWageTable(const TDesignReportInput &input, const QDate &today) {
    ProjectState &g = G();
    g.gPreviewFile.clear();
    const std::vector<TDesignWageRow> rows = RunDesignWageTable(input);
    if (rows.empty()) return {kMsgNothingToPrint};
    const QString reportDir = g.gAppPath + QStringLiteral("Report");
    InstallShippedTemplates(reportDir);
    TDesignReportHeading heading;
    heading.title = input.title;
    heading.xCaption = input.xCaption;
    heading.yCaption = input.yCaption;
    heading.yearText = NendoText(g.gReki, g.gNendo);
    heading.company = g.gKna;
    heading.today = today;
    try {
        TReportEngine engine;
        g.gPreviewFile = LayOutDesignReport(engine, reportDir, DesignWageLines(rows), heading);
    } catch (const TReportError &error) {
        return {error.message(), MsgIcon::Error};
    }
    return {};
}

QString DesignCsvPath() {
    return G().gAppPath + QStringLiteral("CSV/昇給カーブの設計.CSV");
}

bool AskDesignWageCsv() {
    return AskYesNo(QStringLiteral("賃金表を") + G().gAppPath +
                        QStringLiteral("CSVへ出力します。\r\nよろしいですか？"),
                    kCsvCaption);
}

TReportNotice WriteDesignWageCsv(const TDesignReportInput &input) {
    const std::vector<TDesignWageRow> rows = RunDesignWageTable(input);
    if (rows.empty()) return {kMsgNoDesignTable};
    const QString path = DesignCsvPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray bytes = EncodeCp932(DesignWageCsvText(input.title, DesignWageLines(rows)));
    // Written under a temporary name and renamed: a failure leaves no partial file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return {kMsgCsvFailed + QDir::toNativeSeparators(path), MsgIcon::Error};
    return {kMsgDesignCsvDone};
}
