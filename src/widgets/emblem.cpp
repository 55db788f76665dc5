#include "emblem.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

void PaintEmblemBackground(QPainter &p, const QSizeF &size) {
    QLinearGradient background(0, 0, size.width(), size.height());
    background.setColorAt(0.0, QColor(0x12, 0x2b, 0x4a));
    background.setColorAt(1.0, QColor(0x1f, 0x5e, 0x78));
    p.fillRect(QRectF(QPointF(0, 0), size), background);
}

void PaintEmblem(QPainter &p, const QRectF &area, int bands) {
    const qreal x = area.left();
    const qreal y = area.top();
    const qreal w = area.width();
    const qreal h = area.height();
    // The bands rise from left to right and together take just over half the width.
    const qreal barWidth = w * 0.55 / bands;
    for (int i = 0; i < bands; ++i) {
        const qreal bottom = y + h * (0.86 - 0.08 * i);
        const qreal top = bottom - h * (0.24 + 0.03 * i);
        const qreal left = x + w * 0.10 + i * barWidth * 1.55;
        const qreal zh = (bottom - top) / 3;
        for (int z = 0; z < 3; ++z)
            p.fillRect(QRectF(left, bottom - (z + 1) * zh + 1, barWidth, zh - 1),
                       QColor(255, 255, 255, 45 + 35 * z));
    }
    QPainterPath curve;
    curve.moveTo(x + w * 0.06, y + h * 0.84);
    curve.cubicTo(x + w * 0.35, y + h * 0.74, x + w * 0.65, y + h * 0.42, x + w * 0.94,
                  y + h * 0.12);
    p.setPen(QPen(QColor(0xf2, 0xb1, 0x3c), qBound(2.0, w / 60, 3.0)));
    p.drawPath(curve);
}

QPixmap EmblemPicture(const QSize &size) {
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    PaintEmblemBackground(p, size);
    PaintEmblem(p, QRectF(QPointF(0, 0), size), 5);
    p.setPen(QColor(255, 255, 255, 70));
    p.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
    return pixmap;
}
