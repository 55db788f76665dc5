#pragma once
// The text side of the CSV files the program writes and reads: code page 932 (Shift_JIS as
// Windows and Japanese spreadsheet programs write it), the quoting of a field, and the report
// of texts the code page could not hold. No widgets, no database.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// Text in code page 932. A character the code page lacks is written as "?" (exact, when
// given, tells whether there was none); the JIS forms of a few characters (wave dash, minus
// sign, ...) are written as their code page 932 equivalents.
QByteArray EncodeCp932(const QString &text, bool *exact = nullptr);
// Code page 932 bytes as text; false when a byte sequence is invalid (it reads as U+FFFD).
bool DecodeCp932(const QByteArray &bytes, QString &text);

// Decodes many pieces of code page 932 with one converter.
class Cp932Decoder {
public:
    Cp932Decoder();
    ~Cp932Decoder();
    Cp932Decoder(const Cp932Decoder &) = delete;
    Cp932Decoder &operator=(const Cp932Decoder &) = delete;
    // As DecodeCp932.
    bool decode(const char *data, qsizetype size, QString &text);

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

// Tells whether code page 932 holds every character of a text (in its code page 932 forms),
// with one converter for many texts.
class Cp932Probe {
public:
    Cp932Probe();
    ~Cp932Probe();
    Cp932Probe(const Cp932Probe &) = delete;
    Cp932Probe &operator=(const Cp932Probe &) = delete;
    bool holds(const QString &text);

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

// A text enclosed in double quotes with every double quote inside doubled.
QString CsvQuote(const QString &text);
// A field as written without quotes, except a text holding a comma, a double quote or a line
// break, which is quoted (CsvQuote) so that it stays one field.
QString CsvField(const QString &text);

// A written record with texts the code page could not hold: its number and name, and the
// headings of the fields written with "?".
struct CsvLoss {
    QString number, name;
    QStringList headings;
};

// The message after a file with losses was written: `done`, then the records and their fields;
// a long list names the first ones and counts the rest.
QString CsvLossMessage(const QString &done, const std::vector<CsvLoss> &losses);

inline const QString kMsgCsvFailed = QStringLiteral("CSVファイルの出力でエラーが発生しました。　");
inline const QString kMsgCsvLosses = QStringLiteral(
    "ただし、次の社員の項目にはShift_JISで表せない文字が有るため、その文字を「?」で出力しました。");
// A record of the list: number, name and the headings of the fields.
inline const QString kMsgCsvLossLine = QStringLiteral("%1　%2　（%3）");
inline const QString kMsgCsvMoreLosses = QStringLiteral("ほか%1名");
