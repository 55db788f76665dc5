#include "report_template.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// The words of a line: blank-separated, a double-quoted text being one word (with "" inside
// for a quote). False when a quote is not closed.
bool splitWords(const QString &line, QStringList &words, QList<bool> &quoted) {
    words.clear();
    quoted.clear();
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        while (i < n && line[i].isSpace())
            ++i;
        if (i >= n || line[i] == u'#') break;
        if (line[i] == u'"') {
            QString word;
            ++i;
            bool closed = false;
            while (i < n) {
                if (line[i] == u'"') {
                    if (i + 1 < n && line[i + 1] == u'"') {
                        word += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                word += line[i++];
            }
            if (!closed) return false;
            words << word;
            quoted << true;
            continue;
        }
        const qsizetype start = i;
        while (i < n && !line[i].isSpace())
            ++i;
        words << line.mid(start, i - start);
        quoted << false;
    }
    return true;
}

bool toInt(const QString &word, int &value) {
    bool ok = false;
    value = word.toInt(&ok);
    return ok;
}

// A size in points as tenths of a point.
bool toSize(const QString &word, int &tenths) {
    bool ok = false;
    const double pt = word.toDouble(&ok);
    if (!ok || pt <= 0 || pt > 200) return false;
    tenths = qRound(pt * 10);
    return true;
}

bool paperSize(const QString &name, int &w, int &h) {
    static const struct {
        const char *name;
        int w, h;
    } papers[] = {{"A3", 29700, 42000}, {"A4", 21000, 29700}, {"A5", 14800, 21000},
                  {"B4", 25700, 36400}, {"B5", 18200, 25700}, {"Letter", 21590, 27940}};
    for (const auto &p : papers) {
        if (name.compare(QLatin1String(p.name), Qt::CaseInsensitive) != 0) continue;
        w = p.w;
        h = p.h;
        return true;
    }
    return false;
}

// The options after the rectangle of a field or caption: size, bold, align.
bool readOptions(const QStringList &words, qsizetype from, TReportFont &font, int &align) {
    for (qsizetype i = from; i < words.size(); ++i) {
        const QString &w = words[i];
        if (w == QLatin1String("bold")) {
            font.bold = true;
        } else if (w == QLatin1String("size") && i + 1 < words.size()) {
            if (!toSize(words[++i], font.size)) return false;
        } else if (w == QLatin1String("align") && i + 1 < words.size()) {
            if (!toInt(words[++i], align) || align < 0 || align > 2) return false;
        } else {
            return false;
        }
    }
    return true;
}

bool readRect(const QStringList &words, qsizetype from, QRect &rect) {
    int l = 0, t = 0, r = 0, b = 0;
    if (words.size() < from + 4 || !toInt(words[from], l) || !toInt(words[from + 1], t) ||
        !toInt(words[from + 2], r) || !toInt(words[from + 3], b) || r < l || b < t)
        return false;
    rect = QRect(QPoint(l, t), QPoint(r, b));
    return true;
}

bool parseLine(const QStringList &words, const QList<bool> &quoted, TReportTemplate &out,
               bool &sawPage) {
    const QString &key = words[0];
    if (key == QLatin1String("page")) {
        if (words.size() != 3 || !paperSize(words[1], out.width, out.height)) return false;
        out.paper = words[1];
        if (words[2] == QLatin1String("landscape")) {
            out.landscape = true;
            std::swap(out.width, out.height);
        } else if (words[2] != QLatin1String("portrait")) {
            return false;
        }
        sawPage = true;
        return true;
    }
    if (key == QLatin1String("unit")) return words.size() == 2 && words[1] == QLatin1String("0.01mm");
    if (key == QLatin1String("font")) {
        return words.size() == 3 && quoted[1] && !words[1].isEmpty() &&
               toSize(words[2], out.font.size) && (out.font.family = words[1], true);
    }
    if (key == QLatin1String("field")) {
        TTemplateField f;
        f.font = out.font;
        if (words.size() < 6 || quoted[1] || words[1].isEmpty() || !readRect(words, 2, f.rect) ||
            !readOptions(words, 6, f.font, f.align) || out.fields.contains(words[1]))
            return false;
        out.fields.insert(words[1], f);
        return true;
    }
    if (key == QLatin1String("caption")) {
        TTemplateCaption c;
        c.font = out.font;
        if (words.size() < 6 || !quoted[5] || !readRect(words, 1, c.rect) ||
            !readOptions(words, 6, c.font, c.align))
            return false;
        c.text = words[5];
        out.captions.push_back(c);
        return true;
    }
    if (key == QLatin1String("rule")) {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        TTemplateRule r;
        if (words.size() != 5 && words.size() != 7) return false;
        if (!toInt(words[1], x1) || !toInt(words[2], y1) || !toInt(words[3], x2) ||
            !toInt(words[4], y2))
            return false;
        if (words.size() == 7 &&
            (words[5] != QLatin1String("width") || !toInt(words[6], r.width) || r.width < 0))
            return false;
        r.line = QLine(x1, y1, x2, y2);
        out.rules.push_back(r);
        return true;
    }
    return false;
}

} // namespace

bool ParseReportTemplate(const QString &text, TReportTemplate &out, QString &error) {
    out = TReportTemplate();
    out.font.family = QStringLiteral("Noto Sans CJK JP");
    bool sawPage = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    QStringList words;
    QList<bool> quoted;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        const bool ok = splitWords(line, words, quoted);
        if (ok && words.isEmpty()) continue;
        if (!ok || !parseLine(words, quoted, out, sawPage)) {
            error = QStringLiteral("%1 行目: %2").arg(i + 1).arg(line.trimmed());
            return false;
        }
    }
    if (!sawPage) {
        error = QStringLiteral("page の指定がありません");
        return false;
    }
    return true;
}

bool LoadReportTemplate(const QString &path, TReportTemplate &out, QString &error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    return ParseReportTemplate(QString::fromUtf8(file.readAll()), out, error);
}

QStringList ShippedReportTemplates() {
    return QDir(QStringLiteral(":/report")).entryList({QStringLiteral("*.jfm")}, QDir::Files,
                                                       QDir::Name);
}

bool InstallShippedTemplates(const QString &reportDir) {
    bool ok = QDir().mkpath(reportDir);
    for (const QString &name : ShippedReportTemplates()) {
        const QString target = QDir(reportDir).filePath(name);
        if (QFileInfo::exists(target)) continue;
        QFile source(QStringLiteral(":/report/") + name);
        QSaveFile file(target);
        ok = source.open(QIODevice::ReadOnly) && file.open(QIODevice::WriteOnly) &&
             file.write(source.readAll()) >= 0 && file.commit() && ok;
    }
    return ok;
}
