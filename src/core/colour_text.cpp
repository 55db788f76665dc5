#include "colour_text.h"

#include <array>

namespace {

struct NamedColour {
    const char *name;
    QRgb rgb;
};

// The first entry of a value is the name written back; later ones are read-only aliases.
constexpr std::array<NamedColour, 22> kNamed{{
    {"clBlack", qRgb(0, 0, 0)},
    {"clMaroon", qRgb(128, 0, 0)},
    {"clGreen", qRgb(0, 128, 0)},
    {"clOlive", qRgb(128, 128, 0)},
    {"clNavy", qRgb(0, 0, 128)},
    {"clPurple", qRgb(128, 0, 128)},
    {"clTeal", qRgb(0, 128, 128)},
    {"clGray", qRgb(128, 128, 128)},
    {"clSilver", qRgb(192, 192, 192)},
    {"clRed", qRgb(255, 0, 0)},
    {"clLime", qRgb(0, 255, 0)},
    {"clYellow", qRgb(255, 255, 0)},
    {"clBlue", qRgb(0, 0, 255)},
    {"clFuchsia", qRgb(255, 0, 255)},
    {"clAqua", qRgb(0, 255, 255)},
    {"clWhite", qRgb(255, 255, 255)},
    {"clMoneyGreen", qRgb(192, 220, 192)},
    {"clSkyBlue", qRgb(166, 202, 240)},
    {"clCream", qRgb(255, 251, 240)},
    {"clMedGray", qRgb(160, 160, 164)},
    {"clLtGray", qRgb(192, 192, 192)},
    {"clDkGray", qRgb(128, 128, 128)},
}};

// A stored value is 0x00BBGGRR; the high byte 0x02 (palette-relative) carries a plain colour
// too. Other high bytes are system colours, which have no fixed value: black.
QColor fromBgrValue(qint64 value) {
    const qint64 high = (value >> 24) & 0xFF;
    if (value < 0 || value > 0xFFFFFFFFLL || (high != 0x00 && high != 0x02)) return Qt::black;
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

} // namespace

QColor ColourFromText(const QString &text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return Qt::black;
    for (const NamedColour &n : kNamed)
        if (t.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) return QColor(n.rgb);
    bool ok = false;
    if (t.startsWith(QLatin1Char('$'))) {
        const qint64 value = t.mid(1).toLongLong(&ok, 16);
        return ok ? fromBgrValue(value) : QColor(Qt::black);
    }
    if (t.startsWith(QLatin1Char('#'))) {
        const QColor c = QColor::fromString(t);
        return c.isValid() ? c : QColor(Qt::black);
    }
    const qint64 value = t.toLongLong(&ok, 10);
    return ok ? fromBgrValue(value) : QColor(Qt::black);
}

QString ColourToText(const QColor &colour) {
    if (!colour.isValid()) return QStringLiteral("clBlack");
    const QRgb rgb = colour.rgb() & 0xFFFFFF;
    for (const NamedColour &n : kNamed)
        if ((n.rgb & 0xFFFFFF) == rgb) return QLatin1String(n.name);
    const uint bgr = static_cast<uint>(colour.blue()) << 16 |
                     static_cast<uint>(colour.green()) << 8 | static_cast<uint>(colour.red());
    return QStringLiteral("$%1").arg(bgr, 8, 16, QLatin1Char('0')).toUpper();
}
