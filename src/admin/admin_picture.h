#pragma once
// The small picture of the usage guide and the version dialog: salary bands split into zones
// with a raise curve across them.

#include <QPixmap>
#include <QSize>

QPixmap AdminPicture(const QSize &size);
