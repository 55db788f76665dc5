#pragma once
// The splash window shown while the long-lived screens are created: a borderless,
// stay-on-top window centred on the screen with the program's picture.

#include <QElapsedTimer>
#include <QWidget>

// Minimum times of the start-up sequence, in milliseconds: the pause of the splash's
// creation and how long it stays up once the screens are being created. Tests and the
// offscreen platform use zero.
struct SplashTimings {
    int pauseMs = 4500;
    int minShownMs = 3000;
    static SplashTimings None() { return {0, 0}; }
};

class TNX0001 : public QWidget {
    Q_OBJECT
public:
    // Shows itself at once and keeps the picture up for the pause.
    explicit TNX0001(int pauseMs = 0, QWidget *parent = nullptr);

    // The splash picture at the given size.
    static QPixmap Picture(const QSize &size);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// Waits until the clock has run at least `ms` milliseconds, keeping windows painted but
// ignoring user input.
void WaitAtLeast(const QElapsedTimer &clock, int ms);
