#pragma once
// The matrix raise of one employee: the zone of the current pay in the band, the matrix rate
// of the role evaluation in that zone, the new pay (rounded to the band's unit and kept inside
// the band) and the zone of the new pay. Pure: reads only the tables it is given.

#include "records.h"

#include <unordered_map>

struct MatrixRaise {
    int zone = 0;      // zone of the current pay, 0 when it lies in no zone
    double rate = 0.0; // raise rate in percent
    int newPay = 0;    // pay after the raise
    int newZone = 0;   // zone of the new pay
};

// The band and matrix tables indexed by integer band and role evaluation, for the many raises
// of a report, the raise input or the rollover: built once, then each raise is a lookup. The
// first band entry and the first matrix group of a band count, as a scan from the start finds
// them. It refers into the tables, which must outlive it unchanged.
class MatrixRaiseTable {
public:
    MatrixRaiseTable(const TBANDTBL &bands, const TMATTBL &matrices);
    MatrixRaise raise(int band, int evaluation, int currentPay) const;

private:
    struct Entry {
        const TBANDM *band = nullptr;
        const std::array<double, 6> *rates = nullptr; // nullptr: the matrix has no such cell
        int bottom = 0;
        int top = 0;
    };
    static quint64 key(int band, int evaluation) {
        return (quint64(quint32(band)) << 32) | quint32(evaluation);
    }
    int m_marume = 0;
    std::unordered_map<quint64, Entry> m_entries;
};

// One raise over the tables, found by a scan from the start (for a single raise; many use a
// MatrixRaiseTable).
MatrixRaise CalcMatrixRaise(const TBANDTBL &bands, const TMATTBL &matrices, int band,
                            int evaluation, int currentPay);

// The same over gBandTbl and gMatTbl, with the results in the out arguments; returns the zone.
int CalcMatrixRaise(int band, int evaluation, int currentPay, double &rate, int &newPay,
                    int &newZone);
