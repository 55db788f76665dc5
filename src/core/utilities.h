#pragma once
// Shared, widget-free utilities: number parsing and checks, the program's rounding rules,
// yyyymmdd dates and their era/year, month and day boxes, and the code-and-name texts of
// lists ("3 : パート"). They read the project state; only YearsSince and RefreshToday write
// to it (gToday and its parts).

#include "records.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <array>

// Messages of the checks.
inline const QString kMsgNotNumber = QStringLiteral("数値を入力してください。");
inline const QString kMsgOutOfRange = QStringLiteral("入力範囲外です。");
inline const QString kMsgInvalidNumber = QStringLiteral("入力データが有効な数字でありません。");
// Name shown for a code missing from its list.
inline const QString kTextUnregistered = QStringLiteral("未登録");
// The list item of code 0: nothing chosen.
inline const QString kCodeNone = QStringLiteral("0 : なし");

// --- Numbers and field values ---------------------------------------------------------------

// The 32-bit integer of a text after removing every ","; 0 when it is none.
int CommaStrToInt(const QString &text);

// A field value as text: null and empty both read as "0".
QString FieldVarToStr(const QVariant &value);
// A field value as text: null reads as empty text.
QString FieldVarToStrEmpty(const QVariant &value);
// FieldVarToStr, then its integer (0 when the text is not an integer, "2.5" included).
int FieldVarToInt(const QVariant &value);
// FieldVarToStr, then its floating value (0 when the text is not a number).
double FieldVarToFloat(const QVariant &value);

// The text before the first space; the whole text when there is none.
QString TextBeforeSpace(const QString &text);

// x truncated toward zero to a 64-bit integer, held at the type's limits; 0 for a NaN.
qint64 ToInt64(double x);
// A 64-bit integer held at the limits of int.
int ToInt(qint64 x);

// The shortest decimal text of a value, without exponent ("1.5", "-99", "100").
QString ShortestNumText(double value);

// An amount as "#,##0", independent of the locale ("-1,234,567").
QString FormatAmount(qint64 value);
// An amount as "#,###": as FormatAmount, but 0 shows as nothing.
QString FormatAmountOrEmpty(qint64 value);
// A number with thousands separators and `decimals` places, rounded half away from zero:
// "#,##0" (0 places), "#,##0.00" (2), "#,##0.000" (3).
QString FormatGrouped(double value, int decimals);

// Checks a typed number against a digit limit (sign, digits and decimal point counted; a
// negative value may use one more character). Returns the message to show, empty when valid.
QString CheckNumText(const QString &text, int limit);

// base ** exponent as 2 ** (exponent * log2(base)); 0 when the base is 0 or the result is not
// a finite number (a negative base included).
double PowerOf(double exponent, double base);

// x rounded half away from zero to n - 1 decimal places (n = 1: whole numbers). Values that
// lie within a few units of binary representation error of a half (and never more than a
// millionth of the last place) are taken as that half, so 1.005 rounds to 1.01 at n = 3. When the
// scaled value does not fit a 64-bit integer the result is the integer part of x.
double RoundHalfUp(int n, double x);
// x truncated toward zero to n - 1 decimal places, with the same tolerance (1.15 stays 1.15
// at n = 3).
double TruncTo(int n, double x);
// An amount rounded half away from zero to tens (mode 0), hundreds (mode 1) or thousands (any
// other mode) of yen. When the result does not fit an int, the truncated amount (or 0).
int RoundToUnit(int mode, double amount);

// --- Code-and-name texts --------------------------------------------------------------------

inline const QString kCodeNameSeparator = QStringLiteral(" : ");

// "code : name" built from its parts.
QString CodeNameText(const QString &code, const QString &name);
// The part before the first " : "; the whole text when there is none.
QString CodePart(const QString &text);
// The part after the first " : "; the whole text when there is none.
QString NamePart(const QString &text);

// The code of a "code : name" item, or of a typed code: the integer before the first space of
// the trimmed text ("3 : パート" and " 3" give 3); false when that is no integer.
bool ParseItemCode(const QString &text, int &code);

// The n-th field (from 1) of the text divided at every separator; empty when n < 1, when the
// text is empty or when it has fewer fields.
QString SplitField(const QString &text, QChar separator, int n);

// Employment category name to its code text ("役員" -> "1" .. "その他" -> "4", else "0").
QString MibunNameToCode(const QString &name);
// Sets target to the text of line type 0..3; other values leave target unchanged.
void LineTypeText(int lineType, QString &target);
// "n : grade name" of qualification grade 1..9 of the open project; empty otherwise.
QString SikakuText(int n);
// "n : mark  legend" of plot mark 1..6 of the open project; empty otherwise.
QString MarkText(int n);
// "code : symbol" of the first evaluation in gHyoukaList with that code; empty when none.
QString HyoukaText(int code);
// "code : name" from gLivingList; "code : 未登録" when the code is not listed.
QString LivingCodeText(int code);
// "code : name" from gModelList; "code : 未登録" when the code is not listed.
QString ModelCodeText(int code);

// --- Dates ----------------------------------------------------------------------------------

// One era of the Japanese calendar and its first day.
struct TEra {
    QString Name;
    QDate FirstDay;
};

// The Japanese eras, oldest first: 明治 from 1868-01-01 (as the system calendar counts it),
// 大正, 昭和, 平成, 令和.
const std::array<TEra, 5> &EraTable();
// The era containing the date; nullptr before the first era or for an invalid date.
const TEra *EraOf(const QDate &date);

// Fills Era, Year, Month, Day and Date from Ymd (see the .cpp for the rules). A Ymd that is
// not 8 characters long (such as "0") gives the parts "0" and true; an impossible date gives
// false. In the era calendar (gReki != 0) Era and the two-digit era Year are set.
bool SplitDate(TYMD &d);
// Builds Ymd (and the four-digit Year and Date) from the box texts Era, Year, Month, Day.
// Month and day both "0" (or empty) give Ymd "0" and true. An unknown era or an impossible
// date gives false; Ymd is then not to be stored.
bool JoinDate(TYMD &d);

// Reads today's date into gToday and its parts.
void RefreshToday();
// Complete years from a yyyymmdd date to the reference date: today when gFnk != 0, otherwise
// gKdate. 0 for the date 0.
int YearsSince(int ymd);
// The fiscal year as shown: the year itself, or (calendar flag != 0) the era and two-digit
// era year of its 1 January, e.g. "平成 30".
QString NendoText(int reki, int nendo);
