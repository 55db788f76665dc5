#include "admin_picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QPixmap AdminPicture(const QSize &size) {
    QPixmap pixmap(size);
    const qreal w = size.width();
    const qreal h = size.height();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, w, h);
    background.setColorAt(0.0, QColor(0x12, 0x2b, 0x4a));
    background.setColorAt(1.0, QColor(0x1f, 0x5e, 0x78));
    p.fillRect(QRectF(0, 0, w, h), background);

    // Five rising bands of three zones each.
    const int bands = 5;
    const qreal barWidth = w * 0.11;
    for (int i = 0; i < bands; ++i) {
        const qreal bottom = h * (0.86 - 0.08 * i);
        const qreal top = bottom - h * (0.24 + 0.03 * i);
        const qreal left = w * 0.10 + i * barWidth * 1.55;
        const qreal zh = (bottom - top) / 3;
        for (int z = 0; z < 3; ++z)
            p.fillRect(QRectF(left, bottom - (z + 1) * zh + 1, barWidth, zh - 1),
                       QColor(255, 255, 255, 45 + 35 * z));
    }
    QPainterPath curve;
    curve.moveTo(w * 0.06, h * 0.84);
    curve.cubicTo(w * 0.35, h * 0.74, w * 0.65, h * 0.42, w * 0.94, h * 0.12);
    p.setPen(QPen(QColor(0xf2, 0xb1, 0x3c), qMax(2.0, w / 60)));
    p.drawPath(curve);
    p.setPen(QColor(255, 255, 255, 70));
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    return pixmap;
}
