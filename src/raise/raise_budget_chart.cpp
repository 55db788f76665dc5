#include "raise_budget_chart.h"

#include "utilities.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kLeft = 64; // room for the scale
constexpr int kRight = 16;
constexpr int kTop = 56;    // room for the title and, below it, the legend
constexpr int kBottom = 44; // room for the band names
constexpr double kDotRadius = 2.6;

const QString kRomanZones[] = {QString(),           QStringLiteral("Ⅰ"), QStringLiteral("Ⅱ"),
                               QStringLiteral("Ⅲ"), QStringLiteral("Ⅳ"), QStringLiteral("Ⅴ")};

// Zone fills from the lowest zone to the highest: a calm blue that deepens upwards.
const QColor kZoneFill[] = {QColor(),
                            QColor(226, 236, 247),
                            QColor(205, 222, 240),
                            QColor(184, 207, 233),
                            QColor(163, 192, 226),
                            QColor(142, 177, 219)};

QFont pixelFont(int pixels, bool bold = false) {
    QFont font = QApplication::font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// A "nice" scale step (1, 2 or 5 times a power of ten) giving about `lines` lines.
double niceStep(double range, int lines) {
    if (range <= 0) return 10000.0;
    const double raw = range / lines;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0, 10.0})
        if (raw <= m * power) return m * power;
    return 10.0 * power;
}

// A fixed spread of the dots across their bar, so the picture is the same every time.
double spread(int employee) {
    quint32 h = static_cast<quint32>(employee) * 2654435761u;
    h ^= h >> 15;
    return (h % 1000) / 999.0;
}

QString manYen(double amount) {
    return FormatGrouped(amount / 10000.0, std::fmod(amount, 10000.0) == 0.0 ? 0 : 1);
}

} // namespace

double BudgetChartLayout::y(double amount) const {
    if (high <= low) return plot.bottom();
    return plot.bottom() - (amount - low) / (high - low) * plot.height();
}

BudgetChartLayout LayOutBudgetChart(QSize size, const std::vector<TBudgetBand> &bands,
                                    const TBudgetPosition &position) {
    BudgetChartLayout layout;
    layout.plot = QRect(kLeft, kTop, std::max(size.width() - kLeft - kRight, 10),
                        std::max(size.height() - kTop - kBottom, 10));
    if (bands.empty()) return layout;
    double lowest = bands.front().minimum, highest = bands.front().maximum;
    for (const TBudgetBand &b : bands) {
        lowest = std::min<double>({lowest, double(b.minimum), double(b.maximum)});
        highest = std::max<double>({highest, double(b.minimum), double(b.maximum)});
    }
    for (const TPositionPoint &p : position.points) {
        lowest = std::min<double>({lowest, double(p.pay), double(p.newPay)});
        highest = std::max<double>({highest, double(p.pay), double(p.newPay)});
    }
    layout.step = niceStep(highest - lowest, 6);
    layout.low = std::floor(lowest / layout.step) * layout.step;
    layout.high = std::ceil(highest / layout.step) * layout.step;
    if (layout.high <= layout.low) layout.high = layout.low + layout.step;

    const int count = static_cast<int>(bands.size());
    const double column = double(layout.plot.width()) / count;
    const int barWidth = std::max(6, std::min(int(column * 0.6), 160));
    for (int i = 0; i < count; ++i) {
        const int centre = layout.plot.left() + int(column * (i + 0.5));
        const int top = int(std::lround(layout.y(bands[i].maximum)));
        const int bottom = int(std::lround(layout.y(bands[i].minimum)));
        layout.bars.push_back(QRect(centre - barWidth / 2, top, barWidth, bottom - top));
    }
    layout.points.reserve(position.points.size());
    layout.newPoints.reserve(position.points.size());
    for (const TPositionPoint &p : position.points) {
        const QRect &bar = layout.bars[p.band];
        const double x = bar.left() + 3 + spread(p.employee) * std::max(bar.width() - 6, 0);
        layout.points.push_back(QPointF(x, layout.y(p.pay)));
        layout.newPoints.push_back(QPointF(x, layout.y(p.newPay)));
    }
    return layout;
}

void RenderBudgetChart(QPainter &painter, QSize size, const std::vector<TBudgetBand> &bands,
                       const TBudgetPosition &position) {
    const BudgetChartLayout layout = LayOutBudgetChart(size, bands, position);
    const QRect &plot = layout.plot;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);

    // Title and legend.
    painter.setPen(QColor(30, 30, 30));
    painter.setFont(pixelFont(15, true));
    painter.drawText(QRect(12, 6, size.width() / 2, 24), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("バンド別の賃金ポジション"));
    painter.setFont(pixelFont(12));
    const struct {
        QColor colour;
        QString text;
    } legend[] = {{kChartDotInside, QStringLiteral("バンド内")},
                  {kChartDotAbove, QStringLiteral("上限超")},
                  {kChartDotBelow, QStringLiteral("下限未満")}};
    int x = size.width() - 12;
    const QFontMetrics metrics = painter.fontMetrics();
    for (int i = 2; i >= 0; --i) {
        const int w = metrics.horizontalAdvance(legend[i].text);
        x -= w;
        painter.setPen(QColor(60, 60, 60));
        painter.drawText(QPoint(x, 44), legend[i].text);
        x -= 12;
        painter.setPen(Qt::NoPen);
        painter.setBrush(legend[i].colour);
        painter.drawEllipse(QPointF(x + 5, 40), 4, 4);
        x -= 14;
    }
    painter.setPen(QColor(60, 60, 60));
    const QString lineText = QStringLiteral("●昇給前 ─ 昇給後");
    x -= metrics.horizontalAdvance(lineText);
    painter.drawText(QPoint(x, 44), lineText);

    // Scale lines in 万円.
    painter.setFont(pixelFont(11));
    if (layout.step > 0) {
        for (double v = layout.low; v <= layout.high + layout.step / 2; v += layout.step) {
            const double y = layout.y(v);
            painter.setPen(QPen(QColor(225, 225, 225), 1));
            painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
            painter.setPen(QColor(90, 90, 90));
            painter.drawText(QRectF(0, y - 8, kLeft - 8, 16), Qt::AlignRight | Qt::AlignVCenter,
                             manYen(v));
        }
    }
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawText(QRect(4, plot.bottom() + 22, kLeft, 18), Qt::AlignLeft,
                     QStringLiteral("単位 万円"));

    // The bands, each split into its zones.
    for (size_t i = 0; i < bands.size(); ++i) {
        const TBudgetBand &band = bands[i];
        const QRect &bar = layout.bars[i];
        for (int z = 1; z <= std::clamp(band.zones, 0, 5); ++z) {
            if (band.zoneJyogen[z] <= band.zoneKagen[z]) continue;
            const double top = layout.y(band.zoneJyogen[z]);
            const double bottom = layout.y(band.zoneKagen[z]);
            const QRectF zone(bar.left(), top, bar.width(), bottom - top);
            painter.fillRect(zone, kZoneFill[z]);
            painter.setPen(QPen(QColor(120, 150, 190), 1));
            painter.drawLine(zone.topLeft(), zone.topRight());
            if (zone.height() >= 14) {
                painter.setPen(QColor(70, 100, 140));
                painter.drawText(QRectF(bar.left() - 22, top, 20, bottom - top),
                                 Qt::AlignRight | Qt::AlignVCenter, kRomanZones[z]);
            }
        }
        painter.setPen(QPen(QColor(70, 100, 140), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(bar);
        painter.setPen(QColor(30, 30, 30));
        painter.setFont(pixelFont(11));
        const int column = bands.size() ? plot.width() / int(bands.size()) : plot.width();
        painter.drawText(QRect(bar.center().x() - column / 2, plot.bottom() + 4, column, 18),
                         Qt::AlignHCenter | Qt::AlignTop,
                         painter.fontMetrics().elidedText(band.name, Qt::ElideRight, column - 4));
        painter.setFont(pixelFont(11));
    }

    // The employees: the move to the pay after the raise, then the dot before it.
    painter.setPen(QPen(QColor(120, 120, 120, 160), 1));
    for (size_t n = 0; n < layout.points.size(); ++n)
        if (layout.points[n] != layout.newPoints[n])
            painter.drawLine(layout.points[n], layout.newPoints[n]);
    painter.setPen(Qt::NoPen);
    for (size_t n = 0; n < layout.points.size(); ++n) {
        const TPositionPoint &p = position.points[n];
        const TBudgetBand &band = bands[p.band];
        painter.setBrush(p.pay > band.maximum   ? kChartDotAbove
                         : p.pay < band.minimum ? kChartDotBelow
                                                : kChartDotInside);
        painter.drawEllipse(layout.points[n], kDotRadius, kDotRadius);
    }
    if (bands.empty()) {
        painter.setPen(QColor(120, 120, 120));
        painter.setFont(pixelFont(14));
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("バンドが登録されていません"));
    }
    painter.restore();
}

QImage BudgetChartImage(QSize size, const std::vector<TBudgetBand> &bands,
                        const TBudgetPosition &position) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    RenderBudgetChart(painter, size, bands, position);
    return image;
}

int BudgetChartPointAt(const BudgetChartLayout &layout, QPointF at) {
    int best = -1;
    double bestDistance = 5.0 * 5.0;
    for (size_t n = 0; n < layout.points.size(); ++n) {
        const QPointF d = layout.points[n] - at;
        const double distance = d.x() * d.x() + d.y() * d.y();
        if (distance <= bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(n);
        }
    }
    return best;
}
