#include "analysis_store.h"

#include "project.h"
#include "tdm.h"

std::vector<TAnalysisEmployee> ReadAnalysisEmployees(int workType) {
    std::vector<TAnalysisEmployee> rows;
    TQuery q(DM().ACN2);
    QString rest;
    if (workType != 0) rest += QStringLiteral(" AND SM1 = %1").arg(workType);
    // The employee code settles employees of the same date, so the order is the same each time.
    rest += QStringLiteral(" ORDER BY KCO,NEWDAY1,SCO");
    if (!SelectOfProject(q,
                         QStringLiteral("SCO, SNA, MCO, TOUKYU, NENREI, KINZOKU, NENSU, GOUHOU, "
                                        "TRITSU, TENSU, KKYU1, KKYU2, KKYU3, SYOTEI, SYOUYO, "
                                        "SYOUYO2, HYOUKA, ZONEX, JISEKI"),
                         QStringLiteral("VSYAIN"), rest))
        return rows;
    rows.reserve(q.RecordCount());
    for (; !q.Eof(); q.Next()) {
        TAnalysisEmployee e;
        e.Sco = q.Value(QStringLiteral("SCO")).toLongLong();
        e.Sna = q.AsString(QStringLiteral("SNA"));
        e.Mco = q.AsInteger(QStringLiteral("MCO"));
        e.Toukyu = q.AsInteger(QStringLiteral("TOUKYU"));
        e.Nenrei = q.AsInteger(QStringLiteral("NENREI"));
        e.Kinzoku = q.AsInteger(QStringLiteral("KINZOKU"));
        e.Nensu = q.AsInteger(QStringLiteral("NENSU"));
        e.Gouhou = q.AsInteger(QStringLiteral("GOUHOU"));
        e.Tritsu = q.AsFloat(QStringLiteral("TRITSU"));
        e.Tensu = q.AsInteger(QStringLiteral("TENSU"));
        for (int i = 1; i <= 3; ++i)
            e.Kkyu[i] = q.AsFloat(QStringLiteral("KKYU%1").arg(i));
        e.Syotei = q.AsFloat(QStringLiteral("SYOTEI"));
        e.Syouyo = q.AsFloat(QStringLiteral("SYOUYO"));
        e.Syouyo2 = q.AsFloat(QStringLiteral("SYOUYO2"));
        e.Hyouka = q.AsString(QStringLiteral("HYOUKA"));
        e.Zonex = q.AsInteger(QStringLiteral("ZONEX"));
        e.Jiseki = q.AsInteger(QStringLiteral("JISEKI"));
        rows.push_back(std::move(e));
    }
    return rows;
}
