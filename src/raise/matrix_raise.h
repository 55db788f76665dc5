#pragma once
// The matrix raise of one employee: the zone of the current pay in the band, the matrix rate
// of the role evaluation in that zone, the new pay (rounded to the band's unit and kept inside
// the band) and the zone of the new pay. Pure: reads only the tables it is given.

#include "records.h"

struct MatrixRaise {
    int zone = 0;      // zone of the current pay, 0 when it lies in no zone
    double rate = 0.0; // raise rate in percent
    int newPay = 0;    // pay after the raise
    int newZone = 0;   // zone of the new pay
};

MatrixRaise CalcMatrixRaise(const TBANDTBL &bands, const TMATTBL &matrices, int band,
                            int evaluation, int currentPay);

// The same over gBandTbl and gMatTbl, with the results in the out arguments; returns the zone.
int CalcMatrixRaise(int band, int evaluation, int currentPay, double &rate, int &newPay,
                    int &newZone);
