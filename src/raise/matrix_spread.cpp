#include "matrix_spread.h"

#include "utilities.h"

#include <algorithm>

MatrixSpread ComputeMatrixSpread(const TMATTBL &matrices, const MatrixRaiseTable &raises,
                                 const std::vector<SpreadEmployee> &employees, int matrixId) {
    MatrixSpread out;
    out.total = static_cast<int>(employees.size());

    // Every band of the matrix has a group with the same cells (the cells belong to the
    // matrix, not to the band), so the first group stands for the matrix. Each employee is
    // counted once, whichever band of the matrix they are in: the figures are those of the
    // matrix, and nobody lies outside more than once.
    const auto group =
        std::find_if(matrices.Rows.begin(), matrices.Rows.end(),
                     [matrixId](const TMATHYOUKA &g) { return g.MatrixId == matrixId; });
    if (group == matrices.Rows.end()) return out;
    out.found = true;
    out.matrixName = group->MatrixName;
    for (const TMATRIX &cell : group->Cells) {
        SpreadEvaluation e;
        e.evaluation = cell.YHyouka;
        e.symbol = cell.YHyoukaName;
        e.up = cell.Up;
        out.evaluations.push_back(e);
        out.zones = std::max(out.zones, std::clamp(cell.ZoneSu, 0, 5));
    }

    for (const SpreadEmployee &employee : employees) {
        // The first cell of the evaluation counts; an evaluation the matrix does not rate
        // leaves the employee in the total only.
        const auto cell = std::find_if(
            out.evaluations.begin(), out.evaluations.end(),
            [&employee](const SpreadEvaluation &e) { return e.evaluation == employee.evaluation; });
        if (cell == out.evaluations.end()) continue;
        const int zone = raises.raise(employee.band, employee.evaluation, employee.pay).newZone;
        if (zone < 1 || zone > 5) {
            ++out.outside;
            continue;
        }
        ++cell->headCount;
        ++out.zoneCount[zone];
        // A band whose zones outnumber its matrix's still shows where its employees went.
        out.zones = std::max(out.zones, zone);
    }

    if (out.total == 0) return out;
    const double total = out.total;
    for (int z = 1; z <= out.zones; ++z)
        out.zoneShare[z] = out.zoneCount[z] / total * 100;
    for (SpreadEvaluation &e : out.evaluations) {
        e.share = e.headCount / total * 100;
        for (int z = 1; z <= out.zones; ++z) {
            // The evaluation's share and the zone's share taken as independent.
            e.zoneShare[z] =
                (e.headCount / total) * (out.zoneCount[z] / total) * (e.up[z] / 100) * 100;
            out.sum += e.zoneShare[z];
        }
    }
    return out;
}

MatrixSpread ComputeMatrixSpread(const TMATTBL &matrices, const TBANDTBL &bands,
                                 const std::vector<SpreadEmployee> &employees, int matrixId) {
    return ComputeMatrixSpread(matrices, MatrixRaiseTable(bands, matrices), employees, matrixId);
}

QString MatrixSpreadCaption(const MatrixSpread &spread) {
    QString text = QStringLiteral("  ") + spread.matrixName + QStringLiteral(" 人数 ") +
                   QString::number(spread.total) + QStringLiteral("名");
    if (spread.outside != 0)
        text += QStringLiteral(" 範囲外 = (") + QString::number(spread.outside) + QLatin1Char(')');
    return text;
}

QString PercentText(double percent) {
    const double rounded = RoundHalfUp(3, percent);
    // A value that rounds to nothing shows no sign.
    return QString::number(rounded == 0 ? 0.0 : rounded, 'f', 2) + QLatin1Char('%');
}
