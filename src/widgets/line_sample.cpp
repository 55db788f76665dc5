#include "line_sample.h"

#include <QPainter>

TLineSample::TLineSample(Kind kind, QWidget *parent) : QWidget(parent), m_kind(kind) {
    setFixedSize(kind == Kind::Swatch ? QSize(40, 20) : QSize(120, 20));
}

void TLineSample::setSample(const QColor &colour, int type, int width) {
    m_colour = colour;
    m_type = type;
    m_width = width;
    update();
}

void TLineSample::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (m_kind == Kind::Swatch) {
        p.fillRect(rect().adjusted(3, 3, -3, -3), m_colour);
        return;
    }
    Qt::PenStyle style = Qt::NoPen;
    switch (m_type) {
    case 1:
        style = Qt::SolidLine;
        break;
    case 2:
        style = Qt::DotLine;
        break;
    case 3:
        style = Qt::DashDotLine;
        break;
    default:
        return;
    }
    p.setPen(QPen(m_colour, qBound(1, m_width, 5), style, Qt::FlatCap));
    const int y = height() / 2;
    p.drawLine(10, y, width() - 10, y);
}
