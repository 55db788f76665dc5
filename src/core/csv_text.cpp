#include "csv_text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace {

// One iconv conversion descriptor, reused for many conversions.
class Iconv {
public:
    Iconv(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Iconv() {
        if (valid()) iconv_close(m_cd);
    }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts in; an unconvertible input sequence is replaced by `replacement` and skipped
    // (skip() tells how many input bytes it spans). Returns false when any was replaced.
    template <typename Skip>
    bool convert(const char *in, size_t inLeft, QByteArray &out, const QByteArray &replacement,
                 Skip skip) {
        bool clean = true;
        out.resize(static_cast<qsizetype>(inLeft * 3 + 16));
        char *outPtr = out.data();
        size_t outLeft = out.size();
        char *inPtr = const_cast<char *>(in);
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) break;
            const int error = errno;
            const qsizetype used = outPtr - out.data();
            if (error == E2BIG || outLeft < static_cast<size_t>(replacement.size())) {
                out.resize(out.size() * 2 + 16);
                outPtr = out.data() + used;
                outLeft = out.size() - used;
                if (error == E2BIG) continue;
            }
            // EILSEQ or EINVAL (incomplete sequence at the end): replace and go on.
            clean = false;
            memcpy(outPtr, replacement.constData(), replacement.size());
            outPtr += replacement.size();
            outLeft -= static_cast<size_t>(replacement.size());
            const size_t n = std::min(inLeft, skip(static_cast<unsigned char>(*inPtr)));
            inPtr += n;
            inLeft -= n;
        }
        out.resize(outPtr - out.data());
        return clean;
    }

private:
    iconv_t m_cd;
};

size_t utf8Length(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

size_t oneByte(unsigned char) {
    return 1;
}

const QByteArray kReplacementUtf8 = QByteArrayLiteral("\xEF\xBF\xBD");

// Code page 932 writes a few characters with other code points than JIS does.
QString toCp932Forms(const QString &text) {
    static const std::pair<char16_t, char16_t> forms[] = {
        {u'\u301C', u'\uFF5E'}, // wave dash
        {u'\u2016', u'\u2225'}, // double vertical line
        {u'\u2212', u'\uFF0D'}, // minus sign
        {u'\u00A2', u'\uFFE0'}, // cent
        {u'\u00A3', u'\uFFE1'}, // pound
        {u'\u00AC', u'\uFFE2'}, // not sign
        {u'\u2014', u'\u2015'}, // em dash
    };
    QString out = text;
    for (const auto &[from, to] : forms)
        out.replace(QChar(from), QChar(to));
    return out;
}

constexpr size_t kMaxListedLosses = 20;

} // namespace

QByteArray EncodeCp932(const QString &text, bool *exact) {
    const QByteArray utf8 = toCp932Forms(text).toUtf8();
    Iconv cd("CP932", "UTF-8");
    QByteArray out;
    bool clean = false;
    if (cd.valid())
        clean = cd.convert(utf8.constData(), utf8.size(), out, QByteArrayLiteral("?"), utf8Length);
    else
        out = QByteArray(utf8.size(), '?');
    if (exact) *exact = clean;
    return out;
}

bool DecodeCp932(const QByteArray &bytes, QString &text) {
    Cp932Decoder decoder;
    return decoder.decode(bytes.constData(), bytes.size(), text);
}

struct Cp932Decoder::Impl {
    Iconv cd{"UTF-8", "CP932"};
    QByteArray buffer;
};

Cp932Decoder::Cp932Decoder() : m(std::make_unique<Impl>()) {}
Cp932Decoder::~Cp932Decoder() = default;

bool Cp932Decoder::decode(const char *data, qsizetype size, QString &text) {
    const bool ok = m->cd.valid() && m->cd.convert(data, static_cast<size_t>(size), m->buffer,
                                                   kReplacementUtf8, oneByte);
    text = QString::fromUtf8(m->buffer);
    return ok;
}

struct Cp932Probe::Impl {
    Iconv cd{"CP932", "UTF-8"};
    QByteArray out;
};

Cp932Probe::Cp932Probe() : m(std::make_unique<Impl>()) {}
Cp932Probe::~Cp932Probe() = default;

bool Cp932Probe::holds(const QString &text) {
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii) return true;
    const QByteArray utf8 = toCp932Forms(text).toUtf8();
    return m->cd.valid() &&
           m->cd.convert(utf8.constData(), utf8.size(), m->out, QByteArrayLiteral("?"), utf8Length);
}

QString CsvQuote(const QString &text) {
    QString t = text;
    t.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

QString CsvField(const QString &text) {
    for (QChar c : text)
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n') return CsvQuote(text);
    return text;
}

QString CsvLossMessage(const QString &done, const std::vector<CsvLoss> &losses) {
    QString text = done + QStringLiteral("\r\n") + kMsgCsvLosses;
    const size_t listed = std::min(losses.size(), kMaxListedLosses);
    for (size_t i = 0; i < listed; ++i)
        text += QStringLiteral("\r\n") + kMsgCsvLossLine.arg(losses[i].number, losses[i].name,
                                                             losses[i].headings.join(u'、'));
    if (losses.size() > listed)
        text += QStringLiteral("\r\n") + kMsgCsvMoreLosses.arg(losses.size() - listed);
    return text;
}
