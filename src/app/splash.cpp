#include "splash.h"

#include "emblem.h"
#include "state.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
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

    PaintEmblemBackground(p, size);
    // The emblem on the right, beside the title.
    PaintEmblem(p, QRectF(w * 0.45, h * 0.08, w * 0.53, h * 0.80), 6);

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
