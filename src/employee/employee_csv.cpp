#include "employee_csv.h"

#include <QDate>
#include <algorithm>
#include <cstring>

namespace {

struct LineSpan {
    qsizetype start;
    qsizetype length;
};

std::vector<LineSpan> splitLines(const QByteArray &content, qsizetype from) {
    std::vector<LineSpan> lines;
    const char *d = content.constData();
    const qsizetype n = content.size();
    qsizetype start = from;
    for (qsizetype i = from; i < n; ++i) {
        if (d[i] != '\n' && d[i] != '\r') continue;
        lines.push_back({start, i - start});
        if (d[i] == '\r' && i + 1 < n && d[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.push_back({start, n - start});
    return lines;
}

bool hasNul(const char *d, qsizetype n) {
    return memchr(d, 0, n) != nullptr;
}

// Strict UTF-8: no overlong forms, surrogates or code points above U+10FFFF.
bool isValidUtf8(const char *data, qsizetype n) {
    const auto *d = reinterpret_cast<const unsigned char *>(data);
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = d[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        unsigned char lo = 0x80;
        unsigned char hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            if (c == 0xE0) lo = 0xA0;
            if (c == 0xED) hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        } else {
            return false;
        }
        if (n - i <= extra) return false;
        if (d[i + 1] < lo || d[i + 1] > hi) return false;
        for (int k = 2; k <= extra; ++k)
            if ((d[i + k] & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

std::vector<CsvTextLine> decodeLines(const QByteArray &content, const std::vector<LineSpan> &spans,
                                     bool utf8, bool allValid, int *badCount) {
    std::vector<CsvTextLine> lines;
    lines.reserve(spans.size());
    Cp932Decoder cp932;
    int bad = 0;
    int lineNo = 0;
    for (const LineSpan &s : spans) {
        const char *d = content.constData() + s.start;
        CsvTextLine line;
        line.lineNo = ++lineNo;
        bool ok = true;
        if (utf8 && allValid) {
            line.text = QString::fromUtf8(d, s.length);
        } else if (utf8) {
            ok = isValidUtf8(d, s.length);
            line.text = QString::fromUtf8(d, s.length);
        } else {
            ok = cp932.decode(d, s.length, line.text);
        }
        line.badText = !ok || hasNul(d, s.length);
        if (line.badText) ++bad;
        lines.push_back(std::move(line));
    }
    if (badCount) *badCount = bad;
    return lines;
}

// Integer of a trimmed field; ok is false for anything else (overflow included).
bool fieldInt(const QString &text, int &value) {
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

// Empty, "0" or a non-zero integer.
bool isOptionalId(const QString &text) {
    const QString t = text.trimmed();
    int v = 0;
    return t.isEmpty() || t == QLatin1String("0") || fieldInt(t, v);
}

// Reads the fields of the record that starts on line `from` of `count` lines (lineAt(l) is
// the text of line l) and returns the index of the line after it. A quoted field still open
// at the end of a line goes on at the start of the next one; there, only a quote before a
// comma or the end of the record closes it, since a file written by a CSV writer never has
// anything else after its closing quote. On the field's first line the first single quote
// closes it, as it always did, and the text after it up to the comma is kept.
template <typename LineAt>
size_t readRecord(LineAt lineAt, size_t count, size_t from, QStringList &fields, bool &wellFormed) {
    const QChar quote = QLatin1Char('"');
    const QChar comma = QLatin1Char(',');
    fields.clear();
    wellFormed = true;
    size_t l = from;
    const QString *line = &lineAt(l);
    qsizetype i = 0;
    for (;;) {
        QString field;
        const bool quoted = i < line->size() && line->at(i) == quote;
        if (quoted) {
            qsizetype start = ++i;
            bool overLines = false;
            for (;;) {
                const qsizetype q = line->indexOf(quote, i);
                if (q < 0) {
                    field.append(line->constData() + start, line->size() - start);
                    i = line->size();
                    if (l + 1 >= count) {
                        wellFormed = false;
                        break;
                    }
                    field.append(QLatin1Char('\n'));
                    line = &lineAt(++l);
                    i = start = 0;
                    overLines = true;
                    continue;
                }
                const qsizetype n = line->size();
                if (q + 1 < n && line->at(q + 1) == quote) { // keeps one of the two quotes
                    field.append(line->constData() + start, q + 1 - start);
                    i = start = q + 2;
                    continue;
                }
                field.append(line->constData() + start, q - start);
                i = q + 1;
                if (!overLines || i == n || line->at(i) == comma) break;
                wellFormed = false;
                field.append(quote);
                start = i;
            }
        }
        const qsizetype n = line->size();
        qsizetype end = line->indexOf(comma, i);
        if (end < 0) end = n;
        field.append(line->constData() + i, end - i);
        if (!quoted && field.startsWith(QLatin1Char('\\'))) field.remove(0, 1);
        fields << field;
        if (end >= n) break;
        i = end + 1;
    }
    return l + 1;
}

} // namespace

std::vector<CsvTextLine> DecodeCsvLines(const QByteArray &content) {
    const bool bom = content.startsWith("\xEF\xBB\xBF");
    const std::vector<LineSpan> spans = splitLines(content, bom ? 3 : 0);
    if (bom) return decodeLines(content, spans, true, false, nullptr);
    if (isValidUtf8(content.constData(), content.size()))
        return decodeLines(content, spans, true, true, nullptr);
    int badCp932 = 0;
    int badUtf8 = 0;
    std::vector<CsvTextLine> lines = decodeLines(content, spans, false, false, &badCp932);
    if (badCp932 == 0) return lines;
    std::vector<CsvTextLine> asUtf8 = decodeLines(content, spans, true, false, &badUtf8);
    return badUtf8 < badCp932 ? asUtf8 : lines;
}

bool ParseCsvLine(const QString &line, QStringList &fields) {
    bool wellFormed = true;
    readRecord([&line](size_t) -> const QString & { return line; }, 1, 0, fields, wellFormed);
    return wellFormed;
}

size_t ReadCsvRecord(const std::vector<CsvTextLine> &lines, size_t from, CsvRecord &record) {
    const size_t next = readRecord([&lines](size_t l) -> const QString & { return lines[l].text; },
                                   lines.size(), from, record.fields, record.wellFormed);
    record.lineNo = lines[from].lineNo;
    record.badText = false;
    for (size_t l = from; l < next; ++l)
        record.badText = record.badText || lines[l].badText;
    return next;
}

const std::array<QString, kImportColumns> &ImportHeadings() {
    static const std::array<QString, kImportColumns> headings{
        QStringLiteral("状態"),     QStringLiteral("社員名"),   QStringLiteral("社員番号"),
        QStringLiteral("本支店ID"), QStringLiteral("職務ID"),   QStringLiteral("役職"),
        QStringLiteral("性別"),     QStringLiteral("学歴"),     QStringLiteral("専攻"),
        QStringLiteral("職務経験"), QStringLiteral("社内身分"), QStringLiteral("生年月日"),
        QStringLiteral("入社日"),   QStringLiteral("賃金等級"), QStringLiteral("配属"),
        QStringLiteral("公的資格")};
    return headings;
}

QString NormaliseSex(const QString &value) {
    static const QStringList male{QStringLiteral("男性"), QStringLiteral("True"),
                                  QStringLiteral("true"), QStringLiteral("TRUE"),
                                  QStringLiteral("1"),    QStringLiteral("-1"),
                                  QStringLiteral("男")};
    return male.contains(value) ? kSexMale : kSexFemale;
}

bool ParseSlashDate(const QString &text, int &ymd) {
    // Read in place: this runs for two fields of every row of a file.
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int p = 0;
    for (const QChar c : QStringView(text).trimmed()) {
        if (c == QLatin1Char('/')) {
            if (++p > 2) return false;
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9') && digits[p] < 4) {
            parts[p] = parts[p] * 10 + (c.unicode() - u'0');
            ++digits[p];
        } else {
            return false;
        }
    }
    if (p != 2 || (digits[0] != 4 && digits[0] != 2) || digits[1] < 1 || digits[1] > 2 ||
        digits[2] < 1 || digits[2] > 2)
        return false;
    int year = parts[0];
    if (digits[0] == 2) year += year <= 30 ? 2000 : 1900;
    if (year < 1000 || !QDate::isValid(year, parts[1], parts[2])) return false;
    ymd = year * 10000 + parts[1] * 100 + parts[2];
    return true;
}

bool ParseImportDate(const QString &text, int &ymd) {
    const QStringView t = QStringView(text).trimmed();
    if (t.isEmpty() || t == QLatin1String("0")) {
        ymd = 0;
        return true;
    }
    return ParseSlashDate(text, ymd);
}

ImportCheck CheckEmployeeCsv(const QByteArray &content) {
    ImportCheck result;
    std::vector<CsvTextLine> lines = DecodeCsvLines(content);
    if (lines.empty()) return result;

    // Heading: each field that names a preview column feeds that column.
    CsvRecord record;
    size_t next = ReadCsvRecord(lines, 0, record);
    const qsizetype fieldCount = record.fields.size();
    std::vector<int> columnOf(fieldCount, -1);
    bool anyKnown = false;
    const auto &headings = ImportHeadings();
    for (qsizetype f = 0; f < fieldCount; ++f)
        for (int c = 1; c < kImportColumns; ++c)
            if (record.fields[f].trimmed() == headings[c]) {
                columnOf[f] = c;
                anyKnown = true;
            }

    while (next < lines.size()) {
        if (lines[next].text.isEmpty() && !lines[next].badText) {
            ++next;
            continue;
        }
        next = ReadCsvRecord(lines, next, record);
        const QStringList &fields = record.fields;
        // Spreadsheet programs leave out trailing empty cells: a missing field is empty, and
        // fields beyond the heading are ignored.
        ImportRow row;
        for (qsizetype f = 0; f < std::min(fields.size(), fieldCount); ++f) {
            const int c = columnOf[f];
            if (c >= 0) row[c] = fields[f];
        }
        int value = 0;
        int grade = 0;
        const bool bad = record.badText || !record.wellFormed || row[ColName].isEmpty() ||
                         row[ColNumber].isEmpty() || !isOptionalId(row[ColBranchId]) ||
                         !isOptionalId(row[ColJobId]) ||
                         !(row[ColGrade].trimmed().isEmpty() ||
                           (fieldInt(row[ColGrade], grade) && grade >= 0 && grade <= 9)) ||
                         !ParseImportDate(row[ColBirth], value) ||
                         !ParseImportDate(row[ColEntry], value);
        row[ColSex] = NormaliseSex(row[ColSex]);
        if (bad) {
            row[ColStatus] = kStatusError;
            ++result.errors;
        }
        result.rows.push_back(std::move(row));
        result.lineNos.push_back(record.lineNo);
    }
    if (!anyKnown) {
        result.rows.clear();
        result.lineNos.clear();
        result.errors = 0;
        result.outcome = ImportCheck::NoHeading;
    } else {
        result.outcome = result.rows.empty() ? ImportCheck::NoData : ImportCheck::Checked;
    }
    return result;
}
