#pragma once
// The program's emblem, drawn by the splash screen, the usage guide and the version dialog:
// rising salary bands split into zones with a raise curve across them, on a dark blue
// background.

#include <QPixmap>
#include <QRectF>
#include <QSize>

class QPainter;

// The dark blue background of the emblem over the whole of `size`.
void PaintEmblemBackground(QPainter &p, const QSizeF &size);
// `bands` bands of three zones each and the raise curve, inside `area`.
void PaintEmblem(QPainter &p, const QRectF &area, int bands);
// The emblem alone as a picture of `size`, framed.
QPixmap EmblemPicture(const QSize &size);
