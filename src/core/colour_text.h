#pragma once
// Colours as they are stored in the databases: the names of the classic colour constants
// ("clRed") or a hexadecimal value in blue-green-red order ("$00FF8000" is RGB 0, 128, 255).
// Every screen that stores or draws a stored colour converts through these two functions.

#include <QColor>
#include <QString>

// The colour of a stored colour text. Names are matched without regard to case; besides the
// hexadecimal "$00BBGGRR" form, a decimal value in the same order and "#RRGGBB" are read.
// Empty, "0" and unknown texts give black.
QColor ColourFromText(const QString &text);

// The stored text of a colour: the name when it is one of the named colours, otherwise the
// "$00BBGGRR" form. Alpha is ignored; an invalid colour gives "clBlack".
QString ColourToText(const QColor &colour);
