#include "report_store.h"

#include "project.h"
#include "sql_builder.h"
#include "state.h"
#include "tdm.h"
#include "utilities.h"

namespace {
qint64 amount(const TQuery &q, const QString &column) {
    return ToInt64(RoundHalfUp(1, FieldVarToFloat(q.Value(column))));
}
} // namespace

std::vector<TReportEmployee> ReportEmployees(const TReportRange &r) {
    std::vector<TReportEmployee> rows;
    TQuery q(DM().ACN2);
    const QString where = QStringLiteral(" AND ( MCO BETWEEN %1 AND %2 )"
                                         " AND ( TOUKYU BETWEEN %3 AND %4 )"
                                         " AND ( SM1 BETWEEN %5 AND %6 )"
                                         " ORDER BY KCO,MCO,SCO")
                              .arg(r.markLow)
                              .arg(r.markHigh)
                              .arg(r.gradeLow)
                              .arg(r.gradeHigh)
                              .arg(r.workTypeLow)
                              .arg(r.workTypeHigh);
    if (!SelectOfProject(q,
                         QStringLiteral("MCO, SCO, SCOT, SNA, SEIHI, NYUHI, KKYU1, KKYU2, KKYU3, "
                                        "TEATE1, TEATE2, TEATE3, TEATE4, TEATE5, SYOUYO, SYOUYO2, "
                                        "HYOUKA, TOUKYU, GOUHOU, SGOUHOU, NKKYU1, NKKYU2, NKKYU3, "
                                        "NKIN, JISEKI, MLINK, NEWBANDID, NEWYHYOUKA, NTEATE1, "
                                        "NTEATE2, NTEATE3, NTEATE4, NTEATE5"),
                         QStringLiteral("VSYAIN"), where))
        return rows;
    rows.reserve(q.RecordCount());
    const auto readAmount = [&q](const QString &column) { return amount(q, column); };
    for (; !q.Eof(); q.Next()) {
        TReportEmployee e;
        e.mark = q.AsInteger(QStringLiteral("MCO"));
        e.sco = q.AsInteger(QStringLiteral("SCO"));
        e.scot = q.AsString(QStringLiteral("SCOT"));
        e.sna = q.AsString(QStringLiteral("SNA"));
        e.seihi = q.AsInteger(QStringLiteral("SEIHI"));
        e.nyuhi = q.AsInteger(QStringLiteral("NYUHI"));
        ReadNumbered(e.kkyu, QStringLiteral("KKYU"), 3, readAmount);
        ReadNumbered(e.nkkyu, QStringLiteral("NKKYU"), 3, readAmount);
        ReadNumbered(e.teate, QStringLiteral("TEATE"), 5, readAmount);
        ReadNumbered(e.nteate, QStringLiteral("NTEATE"), 5, readAmount);
        e.syouyo = amount(q, QStringLiteral("SYOUYO"));
        e.syouyo2 = amount(q, QStringLiteral("SYOUYO2"));
        e.nkin = amount(q, QStringLiteral("NKIN"));
        e.hyouka = q.AsString(QStringLiteral("HYOUKA"));
        e.toukyu = q.AsString(QStringLiteral("TOUKYU"));
        e.gouhou = q.AsString(QStringLiteral("GOUHOU"));
        e.sgouhou = q.AsString(QStringLiteral("SGOUHOU"));
        e.jiseki = q.AsInteger(QStringLiteral("JISEKI"));
        e.mlink = q.AsInteger(QStringLiteral("MLINK"));
        e.newBand = q.AsInteger(QStringLiteral("NEWBANDID"));
        e.newEvaluation = q.AsInteger(QStringLiteral("NEWYHYOUKA"));
        e.newEvaluationText = q.AsString(QStringLiteral("NEWYHYOUKA"));
        rows.push_back(std::move(e));
    }
    return rows;
}
