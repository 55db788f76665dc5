#include "settings_store.h"

#include "project.h"
#include "sql_builder.h"
#include "state.h"
#include "tdm.h"

namespace {
const QString kEraRow = QStringLiteral(" WHERE CO = 0");
} // namespace

bool ReadCalendarSettings(CalendarSettings &settings) {
    settings = CalendarSettings{};
    TQuery q(DM().ACN1);
    if (!SelectOfProject(q, QStringLiteral("*"), QStringLiteral("MKIGYOU1")) || q.Eof())
        return false;
    settings.fnk = q.AsInteger(QStringLiteral("FNK"));
    settings.kdate = q.AsInteger(QStringLiteral("KDATE"));
    settings.reki = q.AsInteger(QStringLiteral("REKI"));
    return true;
}

bool ReadEraTable(EraSettings &table) {
    table = EraSettings{};
    TQuery q(DM().ACN1);
    RunSql(q, QStringLiteral("SELECT * FROM MSEIGYO") + kEraRow, 'S');
    if (q.Eof()) return false;
    for (int i = 1; i <= 3; ++i) {
        EraEntry &e = table.eras[i];
        e.name = q.AsString(QStringLiteral("REKI%1").arg(i));
        e.year = q.AsInteger(QStringLiteral("SNEN%1").arg(i));
        e.month = q.AsInteger(QStringLiteral("STSUKI%1").arg(i));
        e.day = q.AsInteger(QStringLiteral("SHI%1").arg(i));
    }
    table.choice = q.AsInteger(QStringLiteral("FREKI"));
    return true;
}

GraphLines ReadGraphLines() {
    GraphLines lines;
    TQuery q(DM().ACN2);
    SelectOfProject(q, QStringLiteral("*"), QStringLiteral("MGRAPH"),
                    QStringLiteral(" ORDER BY GSCO, rowid"));
    std::array<bool, 5> read{};
    for (; !q.Eof(); q.Next()) {
        const int n = q.AsInteger(QStringLiteral("GSCO"));
        if (n < 1 || n > 4 || read[n]) continue;
        read[n] = true;
        lines[n] = {q.AsString(QStringLiteral("CCOLOR")), q.AsInteger(QStringLiteral("CSYURUI")),
                    q.AsInteger(QStringLiteral("CHABA"))};
    }
    return lines;
}

bool SaveControlSettings(const CalendarSettings *calendar, const EraSettings *eras) {
    if (!calendar && !eras) return true;
    const ProjectKey &key = G().gProjectKey;
    if (!key.isSet) return false;
    ScopedTransaction transaction(DM().ACN1);
    TQuery q(DM().ACN1);
    if (calendar) {
        SqlRow row;
        row.set(QStringLiteral("FNK"), calendar->fnk)
            .set(QStringLiteral("KDATE"), calendar->kdate)
            .set(QStringLiteral("REKI"), calendar->reki);
        RunSql(q, row.update(QStringLiteral("MKIGYOU1"), key.where()), 'E');
    }
    if (eras) {
        SqlRow row;
        for (int i = 1; i <= 3; ++i) {
            const EraEntry &e = eras->eras[i];
            row.set(QStringLiteral("REKI%1").arg(i), e.name)
                .set(QStringLiteral("SNEN%1").arg(i), e.year)
                .set(QStringLiteral("STSUKI%1").arg(i), e.month)
                .set(QStringLiteral("SHI%1").arg(i), e.day);
        }
        row.set(QStringLiteral("FREKI"), eras->choice);
        RunSql(q, row.update(QStringLiteral("MSEIGYO"), kEraRow), 'E');
    }
    return transaction.commit();
}

namespace {
// The columns of one mark and of one graph line as a save writes them.
SqlRow markRow(const TMMARK &mark) {
    SqlRow row;
    row.set(QStringLiteral("MARK"), mark.Mark)
        .set(QStringLiteral("HANREI"), mark.Hanrei)
        .set(QStringLiteral("MKCOLOR"), mark.Mkcolor)
        .set(QStringLiteral("MKSIZE"), mark.Mksize)
        .set(QStringLiteral("KCOLOR"), mark.Kcolor)
        .set(QStringLiteral("KSYURUI"), mark.Ksyurui)
        .set(QStringLiteral("KHABA"), mark.Khaba);
    return row;
}

SqlRow lineRow(const TGraphLine &line) {
    SqlRow row;
    row.set(QStringLiteral("CCOLOR"), line.Color)
        .set(QStringLiteral("CSYURUI"), line.Syurui)
        .set(QStringLiteral("CHABA"), line.Haba);
    return row;
}

// Updates the rows numbered 1..last of a per-project table, each from rowOf(its number).
template <typename RowOf>
void updateNumbered(TQuery &q, const QString &table, const QString &numberColumn, int last,
                    RowOf rowOf) {
    for (int n = 1; n <= last; ++n)
        RunSql(q,
               rowOf(n).update(table, QStringLiteral(" WHERE ") + numberColumn +
                                          QStringLiteral(" = %1 AND").arg(n) +
                                          G().gProjectKey.condition()),
               'E');
}
} // namespace

bool SaveDataSettings(const std::array<TMMARK, 7> *marks, const GraphLines *lines) {
    if (!marks && !lines) return true;
    if (!G().gProjectKey.isSet) return false;
    ScopedTransaction transaction(DM().ACN2);
    TQuery q(DM().ACN2);
    if (marks)
        updateNumbered(q, QStringLiteral("MMARK"), QStringLiteral("MKCO"), 6,
                       [marks](int m) { return markRow((*marks)[m]); });
    if (lines)
        updateNumbered(q, QStringLiteral("MGRAPH"), QStringLiteral("GSCO"), 4,
                       [lines](int n) { return lineRow((*lines)[n]); });
    return transaction.commit();
}
