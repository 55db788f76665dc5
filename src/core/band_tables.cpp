#include "band_tables.h"

#include "state.h"

int BandUpperBound(const std::array<int, 6> &zoneJyogen, int zoneSu) {
    return zoneSu >= 2 && zoneSu <= 5 ? zoneJyogen[zoneSu] : zoneJyogen[1];
}

double FindMatrixRate(const TMATTBL &table, int bandId, int evaluation, int zone) {
    if (zone < 1 || zone > 5) return 0.0;
    for (const TMATHYOUKA &row : table.Rows) {
        if (row.BandId != bandId) continue;
        for (const TMATRIX &cell : row.Cells)
            if (cell.YHyouka == evaluation) return cell.Up[zone];
        return 0.0; // only the band's first group is searched
    }
    return 0.0;
}

double FindMatrixRate(int bandId, int evaluation, int zone) {
    return FindMatrixRate(G().gMatTbl, bandId, evaluation, zone);
}
