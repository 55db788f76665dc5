#pragma once
// A white strip showing a colour: as a filled swatch, or as a short line drawn with a line
// type (0 none, 1 solid, 2 dotted, 3 dash-dotted) and width.

#include <QColor>
#include <QWidget>

class TLineSample : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Swatch, Line };
    TLineSample(Kind kind, QWidget *parent);
    void setSample(const QColor &colour, int type = 1, int width = 1);
    QColor colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Kind m_kind;
    QColor m_colour = Qt::black;
    int m_type = 0;
    int m_width = 1;
};
