#pragma once
// The program-wide project state: the open project, the company's settings, the lists
// loaded for the screens and the shared working variables. One instance, reached through
// G(); ResetState() puts every value back to its start value (tests use it between cases).

#include "records.h"

#include <QDate>
#include <QString>
#include <array>
#include <vector>

struct ProjectState {
    // Project identity and company settings.
    int gNendo = 0;
    int gKco = 0;
    QString gKna;
    int gCorpOpen = 0;
    int gEditMode = 0;
    int gReki = 0;
    int gFnk = 0;
    int gKdate = 0;
    TMKIGYOU2 gMkigyou2;
    // The key of the open project (from gMkigyou2.Kco and .Nendo when it was opened).
    ProjectKey gProjectKey;
    std::array<TMMARK, 7> gMarks;        // [1..6]
    std::array<QString, 4> gEraNames;    // [1..3]
    std::array<int, 4> gEraStartYears{}; // [1..3]

    // Paths, dates and run-wide values. Paths end with a separator.
    QString gAppPath;
    QString gDataPath;
    QDate gToday;
    quint16 gTodayYear = 0;
    quint16 gTodayMonth = 0;
    quint16 gTodayDay = 0;
    int gListMonth = 0;
    int gListDay = 0;
    int gReportKind = 0;
    int gPlotPrintSeq = 1;

    // Lists and tables loaded for the screens.
    std::vector<TCodeName> gHyoukaList;
    int gHyoukaCount = 0;
    std::vector<TCodeName> gLivingList;
    int gLivingCount = 0;
    std::vector<TCodeName> gModelList;
    int gModelCount = 0;
    std::array<TSALARYTBL, 5> gSalaryTbl; // work types 1..4 in elements 1..4
    std::vector<TYHYOUKA> gYHyoukaTbl;
    TBANDTBL gBandTbl;
    TBANDTBL2 gBandTbl2;
    TMATTBL gMatTbl;

    // Report and design exchange.
    QString gPreviewFile;
    std::array<int, 5> gDesignLegend{};
    QString gCurveColor;
    int gCurveType = 0;
    int gCurveWidth = 0;

    // The chart exchanged between a preparing screen and the plot window.
    int gChartCode = 0;      // the chart of the screen prepared last (1010..1050)
    int gPlotChart = 0;      // the chart on the plot window, 0 none
    int gMarkLabelCount = 0; // marks the plot window has placed
    int gChartFx = 0;
    int gChartFy = 0;
    int gChartMarkr = 0;
    int gChartDegree = 0;
    QString gChartTitle;
    std::array<QString, 6> gYItemNames; // by Y item 0..5
    int gAxisXMin = 0;
    int gAxisXMax = 0;
    int gAxisYMin = 0;
    int gAxisYMax = 0;
    int gXAverage = 0;
    double gYAverage = 0.0;

    // Shared working variables of the edit screens.
    QString gSql;
    int gDataChanged = 0;
    QString gErrMsg;
    int gCurSco = 0; // the employee shown in the employee register
};

ProjectState &G();
void ResetState();

// Sets gAppPath (with a trailing separator) and gDataPath = gAppPath + "DATA/".
void SetAppPath(const QString &dir);

// The program's caption, used by its own message boxes.
inline const QString kAppCaption = QStringLiteral("NXヴァルテンマトリクス");
