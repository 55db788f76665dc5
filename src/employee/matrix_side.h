#pragma once
// The matrix side of an employee screen: the band and role evaluation lists, and the zone and
// raise rate the band and matrix tables in memory (gBandTbl, gMatTbl) give a pay.

#include "matrix_raise.h"

#include <QList>
#include <QString>

class QComboBox;
class QLineEdit;

// Fills band lists with the project's bands and evaluation lists with its role evaluations
// ("code : name", by code).
void FillBandLists(const QList<QComboBox *> &bands, const QList<QComboBox *> &evaluations);

// A raise rate as shown: "0.00%".
QString RateText(double rate);

// Which zone a matrix side shows: that of the pay before the raise, or of the new pay.
enum class ZoneShown { Current, New };
// The matrix raise of a pay in a band for a role evaluation; shows the zone and the rate in
// the boxes given (either may be null).
MatrixRaise ShowMatrixRaise(int band, int evaluation, int pay, QLineEdit *zone, QLineEdit *rate,
                            ZoneShown shown);
