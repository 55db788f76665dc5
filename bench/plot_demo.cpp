// Developer command: shows the plot window with a chart of the sample company (age and basic
// wage of every employee) until the analysis dialogs build charts themselves.
//
// Usage: plot_demo [chart]   (1010, 1030, 1040 or 1050; default 1010)

#include "chart_store.h"
#include "company_generator.h"
#include "database_setup.h"
#include "plot_points.h"
#include "plot_window.h"
#include "program_setup.h"
#include "project.h"
#include "qt_message_seam.h"
#include "state.h"
#include "tdm.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const int chart = argc > 1 ? atoi(argv[1]) : 1010;
    QTemporaryDir dir;
    SetAppPath(dir.path());
    TDM dm;
    QtMessageSeam seam;
    const generator::CompanyOptions sample = generator::SampleCompanyOptions();
    QDir().mkpath(G().gDataPath);
    if (!generator::WriteControlDatabase(G().gDataPath + dbsetup::kControlFile, {sample}) ||
        !generator::WriteCompanyDatabase(G().gDataPath + dbsetup::kDataFile, sample)) {
        std::fprintf(stderr, "could not write the sample company\n");
        return 1;
    }
    PrepareProgramFolders();
    OpenDatabases();
    LoadCalendarSettings();
    if (!OpenProject(1, 2018)) return 1;

    TMCHART defaults;
    defaults.Fx = 0;
    defaults.Fy = chart == 1030 ? 3 : 2;
    defaults.Fchk = 1;
    defaults.Cgraph = 1;
    PrepareChart(chart, defaults);
    TChartRows rows = ReadChartRows(chart);
    for (int k = 1; k <= 6; ++k) {
        rows[k].Fchk = 1;
        rows[k].Cgraph = 1;
        rows[k].Title = QStringLiteral("年齢別 基本給の分布");
    }
    SaveChartRows(chart, rows);
    const std::vector<TDCHART> points = AgeAndBasicWagePoints();
    WriteChartPoints(points);
    SetAxesAround(points);
    ProjectState &g = G();
    g.gChartFx = 0;
    g.gChartFy = defaults.Fy;
    if (chart == 1030 || chart == 1040) {
        g.gAxisYMin = 0;
        g.gAxisYMax = 70;
    }
    if (chart == 1050) {
        RunSql(DM().Query22,
               QStringLiteral("INSERT INTO DSPDRAW (KCO, NENDO, SDCO, X, Y, FCHKS, SNENREI1, SKIN1, "
                              "SNENREI2, SKIN2, SNENREI3, SKIN3, SNENREI4, SKIN4, HANREI, SCOLOR, "
                              "SSYURUI, SHABA) VALUES (1, 2018, 1, 0, 2, 1, 22, 180000, 30, "
                              "240000, 40, 320000, 55, 380000, '総合職モデル', 'clRed', 1, 2)"),
               'E');
    }
    TNX1100 plot;
    plot.resize(1260, 700);
    plot.handOver(nullptr, QStringLiteral("年齢別 基本給の分布"));
    return app.exec();
}
