#pragma once
// The reads of the group reports: the employees of the open project within ranges of plot
// mark, grade and work type, from the employee view VSYAIN, in the order the reports group
// them (mark, then employee code).

#include <QString>
#include <array>
#include <vector>

// Inclusive ranges of the selection; -1 .. 999 takes every employee.
struct TReportRange {
    int markLow = -1, markHigh = 999;
    int gradeLow = -1, gradeHigh = 999;
    int workTypeLow = -1, workTypeHigh = 999;
};

// One employee as the group reports read it. Amounts are whole yen; arrays of numbered
// columns are indexed by their number.
struct TReportEmployee {
    int mark = 0; // MCO
    int sco = 0;
    QString scot, sna;
    int seihi = 0, nyuhi = 0;                   // birth and entry dates, yyyymmdd
    std::array<qint64, 4> kkyu{}, nkkyu{};      // base pay items now and after the raise
    std::array<qint64, 6> teate{}, nteate{};    // allowances now and after the raise
    qint64 syouyo = 0, syouyo2 = 0;             // first and second bonus
    qint64 nkin = 0;                            // the wage table's amount after the raise
    QString hyouka;                             // HYOUKA: the evaluation's symbol
    QString toukyu, gouhou, sgouhou;            // grade, step, step after promotion
    int jiseki = 0, mlink = 0;                  // items fed by the wage table and the matrix
    int newBand = 0, newEvaluation = 0;         // NEWBANDID, NEWYHYOUKA (0 when empty)
    QString newEvaluationText;                  // NEWYHYOUKA as stored
};

// The employees of the open project within the ranges, ordered by mark and employee code.
std::vector<TReportEmployee> ReportEmployees(const TReportRange &range);
