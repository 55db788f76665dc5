#include "splash.h"

#include "state.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScreen>
#include <QThread>

namespace {
constexpr QSize kSplashSize(600, 360);
}

TNX0001::TNX0001(int pauseMs, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("TNX0001"));
    setFixedSize(kSplashSize);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    if (pauseMs > 0) {
        // The creation pause keeps the picture up instead of leaving the screen empty.
        QElapsedTimer clock;
        clock.start();
        show();
        repaint();
        WaitAtLeast(clock, pauseMs);
    }
}

QPixmap TNX0001::Picture(const QSize &size) {
    QPixmap pixmap(size);
    const qreal w = size.width();
    const qreal h = size.height();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient background(0, 0, w, h);
    background.setColorAt(0.0, QColor(0x12, 0x2b, 0x4a));
    background.setColorAt(1.0, QColor(0x1f, 0x5e, 0x78));
    p.fillRect(QRectF(0, 0, w, h), background);

    // Rising salary bands, each split into zones, on the right.
    const int bands = 6;
    const qreal barWidth = w * 0.05;
    const qreal left = w * 0.52;
    for (int i = 0; i < bands; ++i) {
        const qreal bottom = h * (0.80 - 0.07 * i);
        const qreal top = bottom - h * (0.22 + 0.025 * i);
        const QRectF bar(left + i * barWidth * 1.45, top, barWidth, bottom - top);
        const int zones = 3;
        for (int z = 0; z < zones; ++z) {
            const qreal zh = bar.height() / zones;
            QRectF zone(bar.left(), bar.bottom() - (z + 1) * zh, bar.width(), zh);
            p.fillRect(zone.adjusted(0, 1, 0, 0), QColor(255, 255, 255, 40 + 30 * z));
        }
    }
    // The raise curve across the bands.
    QPainterPath curve;
    curve.moveTo(w * 0.47, h * 0.78);
    curve.cubicTo(w * 0.62, h * 0.70, w * 0.80, h * 0.42, w * 0.97, h * 0.16);
    p.setPen(QPen(QColor(0xf2, 0xb1, 0x3c), 3));
    p.drawPath(curve);

    QFont title(QStringLiteral("Noto Sans CJK JP"));
    title.setPixelSize(qRound(h * 0.10));
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    const QRectF titleRect(w * 0.07, h * 0.14, w * 0.86, h * 0.16);
    p.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter, kAppCaption);

    p.fillRect(QRectF(w * 0.07, h * 0.32, w * 0.30, 3), QColor(0xf2, 0xb1, 0x3c));

    QFont sub(title);
    sub.setBold(false);
    sub.setPixelSize(qRound(h * 0.045));
    p.setFont(sub);
    p.setPen(QColor(255, 255, 255, 200));
    p.drawText(QRectF(w * 0.07, h * 0.36, w * 0.6, h * 0.08), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("賃金バンド・昇給マトリクス"));

    p.setPen(QColor(255, 255, 255, 60));
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    return pixmap;
}

void TNX0001::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.drawPixmap(0, 0, Picture(size()));
}

void WaitAtLeast(const QElapsedTimer &clock, int ms) {
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        const qint64 left = ms - clock.elapsed();
        if (left > 0) QThread::msleep(static_cast<unsigned long>(qMin<qint64>(left, 15)));
    }
}
