#include "utilities.h"

#include "state.h"

#include <QLocale>
#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

namespace {

// Decimal values scaled to whole numbers carry binary representation error (1.005 * 100 is
// 100.49999999999999). A value this close (relative) below a rounding boundary is taken as
// lying on it; genuine amounts never carry 14 significant digits, so nothing real is moved.
// The tolerance is capped at a tiny absolute amount: relative alone it would reach half a
// unit near 3.5e13 and move whole amounts to the next unit.
constexpr double kRelTolerance = 64 * std::numeric_limits<double>::epsilon();
constexpr double kMaxTolerance = 1e-6;

double toleranceAt(double scaled) {
    return std::min(scaled * kRelTolerance, kMaxTolerance);
}
// Largest magnitude the rounding treats as computable (the range of a 64-bit integer).
constexpr double kScaledLimit = 9.2e18;

double powerOfTen(int k) {
    double p = 1.0; // exact up to 1e22
    for (int i = 0; i < k; ++i)
        p *= 10.0;
    return p;
}

// x * 10^k and its inverse, dividing by the exact power where k < 0 so that 13 / 10 gives
// the double nearest 1.3 (13 * 0.1 would not).
double scaleUp(double x, int k) {
    return k >= 0 ? x * powerOfTen(k) : x / powerOfTen(-k);
}
double scaleDown(double x, int k) {
    return k >= 0 ? x / powerOfTen(k) : x * powerOfTen(-k);
}

int intOrZero(const QString &text) {
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? n : 0;
}

bool isAsciiDigits(QStringView text) {
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

QString ymdText(const QDate &date) {
    return QStringLiteral("%1%2%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

// SplitDate with the calendar given: era parts are filled only when useEra is set.
bool splitDate(TYMD &d, bool useEra) {
    d.Era.clear();
    d.Year = d.Month = d.Day = QStringLiteral("0");
    d.Date = QDate::currentDate();
    if (d.Ymd.size() != 8) return true;

    d.Year = d.Ymd.mid(2, 2);
    d.Month = d.Ymd.mid(4, 2);
    d.Day = d.Ymd.mid(6, 2);
    bool ok = false;
    if (isAsciiDigits(d.Ymd)) {
        const QDate date(d.Ymd.left(4).toInt(), d.Month.toInt(), d.Day.toInt());
        if (date.isValid()) {
            d.Date = date;
            ok = true;
        }
    }
    if (!useEra) return ok;

    // An impossible date still gets era parts, those of today (Date keeps today).
    if (const TEra *era = EraOf(d.Date)) {
        d.Era = era->Name;
        d.Year = QStringLiteral("%1").arg(d.Date.year() - era->FirstDay.year() + 1, 2, 10,
                                          QLatin1Char('0'));
    }
    return ok;
}

// "code : name" of the first entry whose code (as an integer) is code; when none is, "code : "
// + missing, or empty text when missing is null.
QString lookupText(const std::vector<TCodeName> &list, int code, const QString &missing) {
    for (const TCodeName &entry : list) {
        bool ok = false;
        if (entry.Code.toInt(&ok) == code && ok)
            return CodeNameText(QString::number(code), entry.Name);
    }
    return missing.isNull() ? QString() : CodeNameText(QString::number(code), missing);
}

} // namespace

// --- Numbers and field values ---------------------------------------------------------------

int CommaStrToInt(const QString &text) {
    QString digits = text;
    digits.remove(QLatin1Char(','));
    return intOrZero(digits);
}

QString FieldVarToStrEmpty(const QVariant &value) {
    if (value.isNull()) return {};
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float)
        return ShortestNumText(value.toDouble());
    return value.toString();
}

QString FieldVarToStr(const QVariant &value) {
    const QString text = FieldVarToStrEmpty(value);
    return text.isEmpty() ? QStringLiteral("0") : text;
}

int FieldVarToInt(const QVariant &value) {
    return intOrZero(FieldVarToStr(value));
}

double FieldVarToFloat(const QVariant &value) {
    bool ok = false;
    const double x = FieldVarToStr(value).toDouble(&ok);
    return ok && std::isfinite(x) ? x : 0.0;
}

QString TextBeforeSpace(const QString &text) {
    const qsizetype pos = text.indexOf(QLatin1Char(' '));
    return pos < 0 ? text : text.left(pos);
}

qint64 ToInt64(double x) {
    if (std::isnan(x)) return 0;
    // 2^63 is the first double beyond the range; the last one inside it is 2^63 - 1024.
    constexpr double kLimit = 9223372036854775808.0;
    if (x >= kLimit) return std::numeric_limits<qint64>::max();
    if (x <= -kLimit) return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(x);
}

int ToInt(qint64 x) {
    return static_cast<int>(std::clamp<qint64>(x, INT_MIN, INT_MAX));
}

QString ShortestNumText(double value) {
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QString FormatAmount(qint64 value) {
    // The magnitude as unsigned, so the most negative value has one too.
    const quint64 magnitude = value < 0 ? 0 - static_cast<quint64>(value) : quint64(value);
    QString digits = QString::number(magnitude);
    for (qsizetype pos = digits.size() - 3; pos > 0; pos -= 3)
        digits.insert(pos, QLatin1Char(','));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

QString FormatAmountOrEmpty(qint64 value) {
    return value == 0 ? QString() : FormatAmount(value);
}

QString FormatGrouped(double value, int decimals) {
    const double rounded = RoundHalfUp(decimals + 1, value);
    QString text = QString::number(std::fabs(rounded), 'f', decimals);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    for (qsizetype pos = (point < 0 ? text.size() : point) - 3; pos > 0; pos -= 3)
        text.insert(pos, QLatin1Char(','));
    return rounded < 0 ? QLatin1Char('-') + text : text;
}

QString CheckNumText(const QString &text, int limit) {
    QString number = text;
    number.remove(QLatin1Char(','));
    bool ok = false;
    const double x = number.toDouble(&ok);
    if (!ok || !std::isfinite(x)) return kMsgNotNumber;
    const qsizetype length = ShortestNumText(x).size();
    if (x < 0 ? length > limit + 1 : length > limit) return kMsgOutOfRange;
    return {};
}

double PowerOf(double exponent, double base) {
    if (base == 0.0) return 0.0;
    const double r = std::exp2(exponent * std::log2(base));
    return std::isfinite(r) ? r : 0.0;
}

namespace {
// x scaled to n - 1 decimal places, cut toward zero, and moved one unit away from zero when
// its fraction (with the tolerance) reaches `step`: 0.5 rounds half up, 1.0 truncates.
double roundScaled(int n, double x, double step) {
    if (x == 0.0 || !std::isfinite(x)) return 0.0;
    const double scaled = scaleUp(x, n - 1);
    const double a = std::fabs(scaled);
    if (!(a < kScaledLimit)) return std::trunc(x);
    double whole = std::trunc(a);
    if ((a - whole) + toleranceAt(a) >= step) whole += 1.0;
    if (whole == 0.0) return 0.0;
    return scaleDown(std::copysign(whole, scaled), n - 1);
}
} // namespace

double RoundHalfUp(int n, double x) {
    return roundScaled(n, x, 0.5);
}

double TruncTo(int n, double x) {
    return roundScaled(n, x, 1.0);
}

int RoundToUnit(int mode, double amount) {
    const double unit = mode == 0 ? 10.0 : mode == 1 ? 100.0 : 1000.0;
    const double r = std::trunc(RoundHalfUp(1, amount / unit)) * unit;
    if (std::isfinite(r) && std::fabs(r) <= INT_MAX) return static_cast<int>(r);
    const double t = std::trunc(amount);
    return std::isfinite(t) && std::fabs(t) <= INT_MAX ? static_cast<int>(t) : 0;
}

// --- Code-and-name texts --------------------------------------------------------------------

QString CodeNameText(const QString &code, const QString &name) {
    return code + kCodeNameSeparator + name;
}

QString CodePart(const QString &text) {
    const qsizetype pos = text.indexOf(kCodeNameSeparator);
    return pos < 0 ? text : text.left(pos);
}

QString NamePart(const QString &text) {
    const qsizetype pos = text.indexOf(kCodeNameSeparator);
    return pos < 0 ? text : text.mid(pos + kCodeNameSeparator.size());
}

bool ParseItemCode(const QString &text, int &code) {
    bool ok = false;
    const int value = TextBeforeSpace(text.trimmed()).toInt(&ok);
    if (ok) code = value;
    return ok;
}

QString SplitField(const QString &text, QChar separator, int n) {
    if (n < 1 || text.isEmpty()) return {};
    const QStringList fields = text.split(separator);
    return n <= fields.size() ? fields.at(n - 1) : QString();
}

QString MibunNameToCode(const QString &name) {
    static const std::array<QString, 4> names{QStringLiteral("役員"), QStringLiteral("正社員"),
                                              QStringLiteral("パート"), QStringLiteral("その他")};
    for (size_t i = 0; i < names.size(); ++i)
        if (name == names[i]) return QString::number(i + 1);
    return QStringLiteral("0");
}

void LineTypeText(int lineType, QString &target) {
    static const std::array<QString, 4> texts{
        QStringLiteral("0 : なし"), QStringLiteral("1 : 実線"), QStringLiteral("2 : 点線"),
        QStringLiteral("3 : 一点鎖線")};
    if (lineType >= 0 && lineType < static_cast<int>(texts.size())) target = texts[lineType];
}

QString SikakuText(int n) {
    if (n < 1 || n > 9) return {};
    return CodeNameText(QString::number(n), G().gMkigyou2.Tk[n]);
}

QString MarkText(int n) {
    if (n < 1 || n > 6) return {};
    const TMMARK &mark = G().gMarks[n];
    return CodeNameText(QString::number(n), mark.Mark + QStringLiteral("  ") + mark.Hanrei);
}

QString HyoukaText(int code) {
    return lookupText(G().gHyoukaList, code, QString());
}

QString LivingCodeText(int code) {
    return lookupText(G().gLivingList, code, kTextUnregistered);
}

QString ModelCodeText(int code) {
    return lookupText(G().gModelList, code, kTextUnregistered);
}

// --- Dates ----------------------------------------------------------------------------------

const std::array<TEra, 5> &EraTable() {
    static const std::array<TEra, 5> table{{
        {QStringLiteral("明治"), QDate(1868, 1, 1)},
        {QStringLiteral("大正"), QDate(1912, 7, 30)},
        {QStringLiteral("昭和"), QDate(1926, 12, 25)},
        {QStringLiteral("平成"), QDate(1989, 1, 8)},
        {QStringLiteral("令和"), QDate(2019, 5, 1)},
    }};
    return table;
}

const TEra *EraOf(const QDate &date) {
    if (!date.isValid()) return nullptr;
    const auto &table = EraTable();
    for (auto it = table.rbegin(); it != table.rend(); ++it)
        if (date >= it->FirstDay) return &*it;
    return nullptr;
}

bool SplitDate(TYMD &d) {
    return splitDate(d, G().gReki != 0);
}

bool JoinDate(TYMD &d) {
    const QString month = d.Month.isEmpty() ? QStringLiteral("0") : d.Month;
    const QString day = d.Day.isEmpty() ? QStringLiteral("0") : d.Day;
    if (month == QLatin1String("0") && day == QLatin1String("0")) {
        d.Ymd = QStringLiteral("0");
        return true;
    }

    bool ok = true;
    int year = intOrZero(d.Year);
    if (G().gReki != 0) {
        // An era box left empty never matches an unset era name.
        bool known = false;
        for (int i = 1; i <= 3 && !known; ++i) {
            if (!G().gEraNames[i].isEmpty() && d.Era == G().gEraNames[i]) {
                year += G().gEraStartYears[i] - 1;
                known = true;
            }
        }
        ok = known;
    } else {
        year += year <= 30 ? 2000 : 1900;
    }
    d.Year = QString::number(year);
    d.Date = QDate(year, intOrZero(month), intOrZero(day));
    if (!d.Date.isValid()) {
        d.Date = QDate::currentDate();
        ok = false;
    }
    d.Ymd = ymdText(d.Date);
    return ok;
}

void RefreshToday() {
    ProjectState &g = G();
    g.gToday = QDate::currentDate();
    g.gTodayYear = static_cast<quint16>(g.gToday.year());
    g.gTodayMonth = static_cast<quint16>(g.gToday.month());
    g.gTodayDay = static_cast<quint16>(g.gToday.day());
}

int YearsSince(int ymd) {
    if (ymd == 0) return 0;
    const int year = ymd / 10000;
    const int month = ymd / 100 % 100;
    const int day = ymd % 100;

    int refYear = 0;
    int refMonth = 0;
    int refDay = 0;
    if (G().gFnk != 0) {
        RefreshToday();
        refYear = G().gTodayYear;
        refMonth = G().gTodayMonth;
        refDay = G().gTodayDay;
    } else {
        const int ref = G().gKdate;
        refYear = ref / 10000;
        refMonth = ref / 100 % 100;
        refDay = ref % 100;
    }
    int years = refYear - year;
    if (refMonth < month || (refMonth == month && refDay < day)) --years;
    return years;
}

QString NendoText(int reki, int nendo) {
    const QString yearText = QString::number(nendo);
    if (reki == 0) return yearText;
    // The flag, not gReki, chooses the calendar here.
    TYMD d;
    d.Ymd = yearText + QStringLiteral("0101");
    if (!splitDate(d, true) || d.Era.isEmpty()) return yearText;
    return d.Era + QLatin1Char(' ') + d.Year;
}
