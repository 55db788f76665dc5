#include "group_report.h"

#include "pay_after_raise.h"
#include "report_engine.h"
#include "state.h"
#include "utilities.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Rows lie this far apart; rules reach this far beyond the outer columns; a line's texts lie
// this far below its row's top.
constexpr int kRowHeight = 508;
constexpr int kRuleOverhang = 150;
constexpr int kTextOffset = 150;
// Lines 0..31 of a page.
constexpr int kLastLine = 31;
constexpr int kNoPage = 100;

struct Column {
    const char *field;
    int align;
};

const std::vector<Column> &columnsOf(int kind) {
    static const std::vector<Column> wage = {
        {"SYAINCD", 0}, {"SIMEI", 0},    {"NENREI", 1},   {"KINZOKU", 1}, {"KIHON1", 1},
        {"KIHON2", 1},  {"KIHON3", 1},   {"KIHONKEI", 1}, {"SYOTEATE", 1}, {"SYOTEI", 1},
        {"SYOYO1", 1},  {"SYOYO2", 1},   {"NENSYU", 1}};
    static const std::vector<Column> raise = {
        {"SYAINCD", 0}, {"SIMEI", 0},     {"HYOUKA", 2},    {"TOUKYU", 1}, {"GOUHOU", 1},
        {"SYOUGOU", 1}, {"NKIHON", 1},    {"UKIHON", 1},    {"NSYOTEATE", 1},
        {"USYOTEATE", 1}, {"NSYOTEI", 1}, {"SYOTEI", 1},    {"UPKIN", 1},  {"UPRITSU", 1}};
    static const std::vector<Column> matrix = {
        {"SYAINCD", 0},   {"SIMEI", 0},   {"YHYOUKA", 2}, {"BAND", 1},   {"ZONE", 1},
        {"NKIHON", 1},    {"UKIHON", 1},  {"NSYOTEATE", 1}, {"USYOTEATE", 1},
        {"NSYOTEI", 1},   {"SYOTEI", 1},  {"UPKIN", 1},   {"UPRITSU", 1}};
    if (kind == kRaiseReport) return raise;
    if (kind == kMatrixReport) return matrix;
    return wage;
}

QString amountText(qint64 value) {
    return FormatAmount(value);
}

QString oneDecimal(double value) {
    return QString::number(RoundHalfUp(2, value), 'f', 1);
}

// The amount columns of the raise reports, from new and current pay.
void appendRaiseAmounts(QStringList &line, const TRaisePay &p) {
    line << amountText(p.newBase) << amountText(p.newBase - p.base)
         << amountText(p.newAllowances) << amountText(p.newAllowances - p.allowances)
         << amountText(p.newFixed()) << amountText(p.fixed()) << amountText(p.raise());
}

void appendWageAmounts(QStringList &line, const TWagePay &w) {
    line << amountText(w.items[1]) << amountText(w.items[2]) << amountText(w.items[3])
         << amountText(w.base()) << amountText(w.allowances) << amountText(w.fixed())
         << amountText(w.bonus1) << amountText(w.bonus2) << amountText(w.annual());
}

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The page layout of one report on the engine.
class GroupReportLayout {
public:
    GroupReportLayout(TReportEngine &engine, const TGroupReportKind &kind,
                      const QString &selectionText, const TReportHeading &heading)
        : m_engine(engine), m_kind(kind), m_selection(selectionText), m_heading(heading) {
        for (const Column &c : columnsOf(kind.kind))
            m_rects.push_back(engine.fieldRect(QLatin1String(c.field)));
        m_top = m_rects.front().top();
        m_left = m_rects.front().left() - kRuleOverhang;
        m_right = m_rects.back().right() + kRuleOverhang;
    }

    void run(const std::vector<TReportEmployee> &employees,
             const std::vector<TEmployeeFigures> &figures) {
        TFigureSums total;
        size_t i = 0;
        while (i < employees.size()) {
            const int mark = employees[i].mark;
            TFigureSums group;
            m_line = kNoPage; // every group starts on a new page
            for (; i < employees.size() && employees[i].mark == mark; ++i) {
                if (m_line > kLastLine) startPage();
                drawLine(m_line, EmployeeLine(m_kind.kind, employees[i], figures[i]));
                drawEmployeeRules(m_line);
                group.add(figures[i]);
                total.add(figures[i]);
                ++m_line;
            }
            if (m_line >= kLastLine - 1) startPage();
            ++m_line; // one line left empty
            drawLine(m_line, SumLine(m_kind.kind, m_kind.subtotalLabel, group));
            ++m_line;
            drawLine(m_line, AverageLine(m_kind.kind, m_kind.averageLabel, group));
            drawAverageRule(m_line);
        }
        if (m_line >= kLastLine - 1) startPage();
        drawLine(m_line + 1, SumLine(m_kind.kind, QStringLiteral("　合計"), total));
        drawLine(m_line + 2, AverageLine(m_kind.kind, QStringLiteral("　平均"), total));
        drawAverageRule(m_line + 2);
        m_engine.finishPage();
        m_engine.endDoc();
    }

private:
    int rowTop(int line) const { return m_top + line * kRowHeight; }

    void drawLine(int line, const QStringList &texts) {
        const std::vector<Column> &columns = columnsOf(m_kind.kind);
        const int offset = line * kRowHeight + kTextOffset;
        for (size_t c = 0; c < columns.size() && c < size_t(texts.size()); ++c) {
            const QRect &r = m_rects[c];
            m_engine.drawText(r.left(), r.top() + offset, r.right(), r.bottom() + offset,
                              columns[c].align, texts[qsizetype(c)]);
        }
    }

    void drawEmployeeRules(int line) {
        const int y = rowTop(line) + kRowHeight;
        m_engine.setLineStyle(0);
        m_engine.setLineWidth(0);
        m_engine.drawLine(m_left, y, m_right, y);
        drawColumnRules(line * kRowHeight);
    }

    // The rules 150 left of every column and 150 right of the last, over the rectangles moved
    // down by `offset`.
    void drawColumnRules(int offset) {
        for (const QRect &r : m_rects) {
            const int x = r.left() - kRuleOverhang;
            m_engine.drawLine(x, r.top() + offset, x, r.bottom() + offset);
        }
        const QRect &last = m_rects.back();
        m_engine.drawLine(m_right, last.top() + offset, m_right, last.bottom() + offset);
    }

    void drawAverageRule(int line) {
        const int y = rowTop(line) + kRowHeight;
        m_engine.setLineStyle(0);
        m_engine.setLineWidth(0);
        m_engine.drawLine(m_rects[2].left() - kRuleOverhang, y, m_right, y);
    }

    void startPage() {
        if (m_page > 0) m_engine.finishPage();
        ++m_page;
        m_line = 0;
        const QDate &today = m_heading.today;
        m_engine.setFieldText(QStringLiteral("NENDO"), m_heading.yearText +
                                                           QStringLiteral(" 年度　：　") +
                                                           m_heading.company);
        m_engine.setFieldText(QStringLiteral("TITLE"), m_kind.title);
        m_engine.setFieldText(QStringLiteral("YMD"),
                              QStringLiteral("%1年%2月%3日")
                                      .arg(today.year(), 4, 10, QLatin1Char('0'))
                                      .arg(twoDigits(today.month()), twoDigits(today.day())) +
                                  QStringLiteral("　　P. ") + QString::number(m_page));
        m_engine.setFieldText(QStringLiteral("BUSYO"), m_selection);
        if (m_kind.kind == kWageReport) {
            const int ymd = m_heading.referenceYmd;
            m_engine.setFieldText(QStringLiteral("KIJUNBI"),
                                  QStringLiteral("年齢・勤続は%1年%2月%3日現在")
                                      .arg(ymd / 10000, 4, 10, QLatin1Char('0'))
                                      .arg(twoDigits(ymd / 100 % 100), twoDigits(ymd % 100)));
            m_engine.setFieldText(QStringLiteral("CKIHON1"), QStringLiteral("項目Ⅰ"));
            m_engine.setFieldText(QStringLiteral("CKIHON2"), QStringLiteral("項目Ⅱ"));
            m_engine.setFieldText(QStringLiteral("CKIHON3"), QStringLiteral("項目Ⅲ"));
        }
        // The frame of the heading row, one row above the first line.
        m_engine.setLineStyle(0);
        m_engine.setLineWidth(0);
        m_engine.drawLine(m_left, m_top - kRowHeight, m_right, m_top - kRowHeight);
        m_engine.drawLine(m_left, m_top, m_right, m_top);
        drawColumnRules(-kRowHeight);
    }

    TReportEngine &m_engine;
    const TGroupReportKind &m_kind;
    QString m_selection;
    TReportHeading m_heading;
    std::vector<QRect> m_rects;
    int m_top = 0, m_left = 0, m_right = 0;
    int m_line = kNoPage;
    int m_page = 0;
};

// The texts of one CSV line, before quoting.
QStringList csvValues(int kind, const TReportEmployee &e, const TEmployeeFigures &f) {
    QStringList v;
    v << e.scot << e.sna;
    const auto number = [](qint64 n) { return QString::number(n); };
    const TRaisePay &p = f.pay;
    const auto raiseValues = [&] {
        v << number(p.newBase) << number(p.newBase - p.base) << number(p.newAllowances)
          << number(p.newAllowances - p.allowances) << number(p.newFixed()) << number(p.fixed())
          << number(p.raise());
    };
    if (kind == kRaiseReport) {
        v << e.hyouka << e.toukyu << e.gouhou << e.sgouhou;
        raiseValues();
    } else if (kind == kMatrixReport) {
        v << f.roleSymbol << (f.linked ? number(f.newZone) : QString());
        raiseValues();
    } else {
        const TWagePay &w = f.wage;
        v << number(f.age) << number(f.service) << number(w.items[1]) << number(w.items[2])
          << number(w.items[3]) << number(w.base()) << number(w.allowances) << number(w.fixed())
          << number(w.bonus1) << number(w.bonus2) << number(w.annual());
    }
    return v;
}

// The columns of a CSV line that hold texts (the others are numbers).
std::vector<int> csvTextColumns(int kind) {
    if (kind == kRaiseReport) return {0, 1, 2, 3, 4, 5};
    if (kind == kMatrixReport) return {0, 1, 2};
    return {0, 1};
}

} // namespace

const TGroupReportKind &GroupReportKind(int reportKind) {
    static const TGroupReportKind raise{
        kRaiseReport,
        QStringLiteral("グループ別社員昇給レポート"),
        QStringLiteral("PrintSyainUpList"),
        QStringLiteral("　　　小計"),
        QStringLiteral("　　　平均"),
        QStringLiteral("社員コード,氏名,評価,等級,号俸,昇格号俸,New基本給,Up基本給,New諸手当,"
                       "Up諸手当,New所定給,所定給,昇給額")};
    static const TGroupReportKind wage{
        kWageReport,
        QStringLiteral("グループ別社員賃金レポート"),
        QStringLiteral("PrintSyainSalaryList"),
        QStringLiteral("　　　　小計"),
        QStringLiteral("　　　　平均"),
        QStringLiteral("社員コード,氏名,年齢,勤続年数,項目Ⅰ,項目Ⅱ,項目Ⅲ,基本給,諸手当,所定給,"
                       "上期賞与,下期賞与,年間収入")};
    static const TGroupReportKind matrix{
        kMatrixReport,
        QStringLiteral("グループ別マトリクス昇給レポート"),
        QStringLiteral("PrintMatrixUpList"),
        QStringLiteral("　　　小計"),
        QStringLiteral("　　　平均"),
        QStringLiteral("社員コード,氏名,評価,ゾーン,New基本給,Up基本給,New諸手当,Up諸手当,"
                       "New所定給,所定給,昇給額")};
    if (reportKind == kRaiseReport) return raise;
    if (reportKind == kMatrixReport) return matrix;
    return wage;
}

// --- Selection --------------------------------------------------------------------------------

namespace {
// A range's codes: a lower code of 0 or less means -1, an upper one 999, and then its name
// counts as empty.
void readRange(const TRangeChoice &low, const TRangeChoice &high, int &lowCode, int &highCode,
               QString &lowName, QString &highName) {
    lowCode = low.code;
    highCode = high.code;
    lowName = low.name;
    highName = high.name;
    if (lowCode <= 0) {
        lowCode = -1;
        lowName.clear();
    }
    if (highCode <= 0) {
        highCode = 999;
        highName.clear();
    }
}

// Grades and work types: " ／ " after an earlier range when either name is given, the lower
// name, and "～" with the upper name when the two differ.
void appendRangeText(QString &text, const QString &lowName, const QString &highName) {
    if (!text.isEmpty() && (!lowName.isEmpty() || !highName.isEmpty()))
        text += QStringLiteral(" ／ ");
    if (!lowName.isEmpty()) text += lowName;
    if (lowName != highName) text += QStringLiteral("～") + highName;
}
} // namespace

QString ReadReportSelection(const TSelectionChoices &c, TReportSelection &out) {
    out = TReportSelection();
    TReportRange &r = out.range;
    QString &text = out.text;
    QString lowName, highName;

    readRange(c.markLow, c.markHigh, r.markLow, r.markHigh, lowName, highName);
    if (!lowName.isEmpty()) text = lowName;
    if (lowName != highName) {
        text += QStringLiteral("～");
        if (!highName.isEmpty()) text += highName;
    }
    if (r.markHigh < r.markLow) return kMsgMarkRange;

    readRange(c.gradeLow, c.gradeHigh, r.gradeLow, r.gradeHigh, lowName, highName);
    appendRangeText(text, lowName, highName);
    if (r.gradeHigh < r.gradeLow) return kMsgGradeRange;

    readRange(c.workTypeLow, c.workTypeHigh, r.workTypeLow, r.workTypeHigh, lowName, highName);
    appendRangeText(text, lowName, highName);
    if (r.workTypeHigh < r.workTypeLow) return kMsgWorkTypeRange;
    return QString();
}

// --- Values per employee ----------------------------------------------------------------------

QHash<QString, QString> RoleSymbols(const std::vector<TYHYOUKA> &table) {
    QHash<QString, QString> symbols;
    for (const TYHYOUKA &y : table)
        if (!symbols.contains(y.Hco)) symbols.insert(y.Hco, y.Hkigou);
    return symbols;
}

TEmployeeFigures FiguresOf(const TReportEmployee &e, const MatrixRaiseTable &raises,
                           const QHash<QString, QString> &roleSymbols) {
    TEmployeeFigures f;
    f.age = YearsSince(e.seihi);
    f.service = YearsSince(e.nyuhi);
    for (int i = 1; i <= 3; ++i)
        f.wage.items[i] = e.kkyu[i];
    for (int j = 1; j <= 5; ++j)
        f.wage.allowances += e.teate[j];
    f.wage.bonus1 = e.syouyo;
    f.wage.bonus2 = e.syouyo2;

    TPayBeforeRaise before;
    before.current = e.kkyu;
    before.entered = e.nkkyu;
    before.wageTableAmount = e.nkin;
    before.wageItem = e.jiseki;
    before.link = e.mlink;
    before.newBand = e.newBand;
    before.newEvaluation = e.newEvaluation;
    const TPayAfterRaise after = PayAfterRaise(before, raises);
    f.newItems = after.items;
    f.linked = after.linked;
    f.newZone = after.linked ? after.matrix.newZone : 0;

    f.pay.base = f.wage.base();
    f.pay.allowances = f.wage.allowances;
    f.pay.newBase = after.items[1] + after.items[2] + after.items[3];
    for (int j = 1; j <= 5; ++j)
        f.pay.newAllowances += e.nteate[j];
    const auto symbol = roleSymbols.constFind(e.newEvaluationText);
    f.roleSymbol = symbol != roleSymbols.cend() ? *symbol : e.newEvaluationText;
    return f;
}

void TFigureSums::add(const TEmployeeFigures &f) {
    ++count;
    ages += f.age;
    services += f.service;
    for (int i = 1; i <= 3; ++i)
        wage.items[i] += f.wage.items[i];
    wage.allowances += f.wage.allowances;
    wage.bonus1 += f.wage.bonus1;
    wage.bonus2 += f.wage.bonus2;
    pay.base += f.pay.base;
    pay.allowances += f.pay.allowances;
    pay.newBase += f.pay.newBase;
    pay.newAllowances += f.pay.newAllowances;
}

TWagePay TFigureSums::averageWage() const {
    TWagePay a;
    if (count == 0) return a;
    for (int i = 1; i <= 3; ++i)
        a.items[i] = wage.items[i] / count;
    a.allowances = wage.allowances / count;
    a.bonus1 = wage.bonus1 / count;
    a.bonus2 = wage.bonus2 / count;
    return a;
}

TRaisePay TFigureSums::averagePay() const {
    TRaisePay a;
    if (count == 0) return a;
    a.base = pay.base / count;
    a.allowances = pay.allowances / count;
    a.newBase = pay.newBase / count;
    a.newAllowances = pay.newAllowances / count;
    return a;
}

QString RaiseRateText(qint64 raise, qint64 fixed) {
    if (fixed == 0) return QString();
    const double rate = RoundHalfUp(3, double(raise) * 100.0 / double(fixed));
    return QString::number(rate == 0.0 ? 0.0 : rate, 'f', 2); // never "-0.00"
}

QStringList EmployeeLine(int kind, const TReportEmployee &e, const TEmployeeFigures &f) {
    QStringList line{e.scot, e.sna};
    if (kind == kRaiseReport || kind == kMatrixReport) {
        if (kind == kRaiseReport)
            line << e.hyouka << e.toukyu << e.gouhou << e.sgouhou;
        else
            line << f.roleSymbol << QString::number(e.newBand) << QString::number(f.newZone);
        appendRaiseAmounts(line, f.pay);
        line << RaiseRateText(f.pay.raise(), f.pay.fixed());
        return line;
    }
    line << QString::number(f.age) << QString::number(f.service);
    appendWageAmounts(line, f.wage);
    return line;
}

QStringList SumLine(int kind, const QString &label, const TFigureSums &s) {
    QStringList line{QString(), label, QString::number(s.count)};
    if (kind == kRaiseReport || kind == kMatrixReport) {
        line << QString() << QString();
        if (kind == kRaiseReport) line << QString();
        appendRaiseAmounts(line, s.pay);
        line << RaiseRateText(s.pay.raise(), s.pay.fixed());
        return line;
    }
    line << QString();
    appendWageAmounts(line, s.wage);
    return line;
}

QStringList AverageLine(int kind, const QString &label, const TFigureSums &s) {
    QStringList line{QString(), label};
    if (kind == kRaiseReport || kind == kMatrixReport) {
        line << QString() << QString() << QString();
        if (kind == kRaiseReport) line << QString();
        appendRaiseAmounts(line, s.averagePay());
        line << QString(); // no rate on average lines
        return line;
    }
    const double n = s.count > 0 ? double(s.count) : 1.0;
    line << oneDecimal(double(s.ages) / n) << oneDecimal(double(s.services) / n);
    appendWageAmounts(line, s.averageWage());
    return line;
}

// --- Printing ---------------------------------------------------------------------------------

QString ReportTemplatePath(const QString &reportDir, int reportKind) {
    return QDir(reportDir).filePath(GroupReportKind(reportKind).templateName +
                                    QStringLiteral(".jfm"));
}

QString ReportWorkFilePath(const QString &reportDir, int reportKind) {
    return QDir(reportDir).filePath(QStringLiteral("wk") + GroupReportKind(reportKind).templateName +
                                    QStringLiteral(".rdf"));
}

QString LayOutGroupReport(TReportEngine &engine, int reportKind, const QString &reportDir,
                          const std::vector<TReportEmployee> &employees,
                          const std::vector<TEmployeeFigures> &figures,
                          const QString &selectionText, const TReportHeading &heading) {
    const TGroupReportKind &kind = GroupReportKind(reportKind);
    engine.startReport(ReportTemplatePath(reportDir, reportKind),
                       ReportWorkFilePath(reportDir, reportKind), kind.title, 100);
    const QString workFile = engine.imageFileName();
    GroupReportLayout layout(engine, kind, selectionText, heading);
    layout.run(employees, figures);
    return workFile;
}

// --- CSV --------------------------------------------------------------------------------------

QString GroupCsvPath(int reportKind) {
    return G().gAppPath + QStringLiteral("CSV/") + GroupReportKind(reportKind).title +
           QStringLiteral(".CSV");
}

QString GroupCsvText(int reportKind, const std::vector<TReportEmployee> &employees,
                     const std::vector<TEmployeeFigures> &figures) {
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    text.reserve(static_cast<qsizetype>(employees.size()) * 100 + 200);
    text += GroupReportKind(reportKind).csvHeading + crlf;
    for (size_t i = 0; i < employees.size(); ++i) {
        const QStringList values = csvValues(reportKind, employees[i], figures[i]);
        for (qsizetype c = 0; c < values.size(); ++c) {
            if (c > 0) text += QLatin1Char(',');
            text += CsvField(values[c]);
        }
        text += crlf;
    }
    return text;
}

std::vector<CsvLoss> GroupCsvLosses(int reportKind, const std::vector<TReportEmployee> &employees,
                                    const std::vector<TEmployeeFigures> &figures) {
    const QStringList headings = GroupReportKind(reportKind).csvHeading.split(QLatin1Char(','));
    const std::vector<int> textColumns = csvTextColumns(reportKind);
    Cp932Probe probe;
    std::vector<CsvLoss> losses;
    for (size_t i = 0; i < employees.size(); ++i) {
        const QStringList values = csvValues(reportKind, employees[i], figures[i]);
        CsvLoss loss;
        for (int c : textColumns)
            if (!probe.holds(values[c])) loss.headings << headings[c];
        if (loss.headings.isEmpty()) continue;
        loss.number = employees[i].scot;
        loss.name = employees[i].sna;
        losses.push_back(std::move(loss));
    }
    return losses;
}

// --- The commands -----------------------------------------------------------------------------

TReportData ReadReportData(const TReportRange &range) {
    TReportData data;
    data.employees = ReportEmployees(range);
    const ProjectState &g = G();
    const MatrixRaiseTable raises(g.gBandTbl, g.gMatTbl);
    const QHash<QString, QString> symbols = RoleSymbols(g.gYHyoukaTbl);
    data.figures.reserve(data.employees.size());
    for (const TReportEmployee &e : data.employees)
        data.figures.push_back(FiguresOf(e, raises, symbols));
    return data;
}

TReportNotice PrintGroupReport(int reportKind, const TReportSelection &selection,
                               const QDate &today) {
    ProjectState &g = G();
    g.gPreviewFile.clear();
    const TReportData data = ReadReportData(selection.range);
    if (data.employees.empty()) return {kMsgNothingToPrint};
    const QString reportDir = g.gAppPath + QStringLiteral("Report");
    InstallShippedTemplates(reportDir);
    TReportHeading heading;
    heading.today = today;
    heading.referenceYmd =
        g.gFnk != 0 ? today.year() * 10000 + today.month() * 100 + today.day() : g.gKdate;
    heading.yearText = NendoText(g.gReki, g.gNendo);
    heading.company = g.gKna;
    try {
        TReportEngine engine;
        g.gPreviewFile = LayOutGroupReport(engine, reportKind, reportDir, data.employees,
                                           data.figures, selection.text, heading);
    } catch (const TReportError &error) {
        return {error.message(), MsgIcon::Error};
    }
    return {};
}

bool AskGroupReportCsv(int reportKind) {
    return AskYesNo(GroupReportKind(reportKind).title + QStringLiteral("を") + G().gAppPath +
                        QStringLiteral("CSVへ出力します。\r\nよろしいですか？"),
                    kCsvCaption);
}

TReportNotice WriteGroupReportCsv(int reportKind, const TReportSelection &selection) {
    const TReportData data = ReadReportData(selection.range);
    if (data.employees.empty()) return {kMsgNothingToWrite};
    const QString path = GroupCsvPath(reportKind);
    QDir().mkpath(QFileInfo(path).absolutePath());
    bool exact = true;
    const QByteArray bytes =
        EncodeCp932(GroupCsvText(reportKind, data.employees, data.figures), &exact);
    // Written under a temporary name and renamed: a failure leaves no partial file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return {kMsgCsvFailed + QDir::toNativeSeparators(path), MsgIcon::Error};
    const QString done = QStringLiteral("CSVデレクトリに") + GroupReportKind(reportKind).title +
                         QStringLiteral("が出力されました。");
    if (!exact) {
        const std::vector<CsvLoss> losses =
            GroupCsvLosses(reportKind, data.employees, data.figures);
        if (!losses.empty()) return {CsvLossMessage(done, losses), MsgIcon::Warning};
    }
    return {done};
}
