// "分　析" of the raise-curve analysis on a generated company of 10,000 employees (offscreen):
// every mark group and grade, basic wage against age, regression curves shown. Prints the time
// from the click until the plot window has drawn the chart with its curves, and the parts of
// it: reading the employees, building the point set, writing it, and the plot window's reading,
// fitting and painting. Median of several rounds.
//
// Usage: bench_analysis [employees] [rounds]   (defaults 10000 and 5)

#include "analysis_dialog.h"
#include "analysis_store.h"
#include "chart_store.h"
#include "company_generator.h"
#include "database_setup.h"
#include "message_recorder.h"
#include "plot_window.h"
#include "point_set.h"
#include "program_setup.h"
#include "project.h"
#include "state.h"
#include "tdm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double msSince(const QElapsedTimer &timer) {
    return timer.nsecsElapsed() / 1e6;
}

void press(QWidget &dialog, const char *name) {
    dialog.findChild<QAbstractButton *>(QLatin1String(name))->click();
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int employees = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    QTemporaryDir dir;
    SetAppPath(dir.path());
    TDM dm;
    MessageRecorder messages;
    generator::CompanyOptions company;
    company.kco = 1;
    company.name = QStringLiteral("ベンチマーク株式会社");
    company.years = {2018};
    company.employees = employees;
    company.seed = 4242;
    QDir().mkpath(G().gDataPath);
    if (!generator::WriteControlDatabase(G().gDataPath + dbsetup::kControlFile, {company}) ||
        !generator::WriteCompanyDatabase(G().gDataPath + dbsetup::kDataFile, company)) {
        std::fprintf(stderr, "could not generate the company\n");
        return 1;
    }
    PrepareProgramFolders();
    OpenDatabases();
    LoadCalendarSettings();
    if (!OpenProject(1, 2018)) {
        std::fprintf(stderr, "the company has no settings\n");
        return 1;
    }

    TNX1100 plot;
    plot.resize(1260, 700);
    TNX1020 dialog;
    std::vector<double> total, read, build, write, draw;
    size_t points = 0, curves = 0;
    for (int r = 0; r < rounds; ++r) {
        dialog.prepare();
        dialog.show();
        press(dialog, "btnPlotAll");
        press(dialog, "btnTokyuAll");
        press(dialog, "optYKihon");
        if (!dialog.findChild<QAbstractButton *>(QStringLiteral("optGraph"))->isChecked())
            press(dialog, "optGraph");
        QCoreApplication::processEvents();

        QElapsedTimer timer;
        timer.start();
        press(dialog, "btnAnalize");
        plot.repaint(); // the chart drawn on the window
        total.push_back(msSince(timer));
        points = plot.chart().points.size();
        curves = plot.chart().curves.size();

        // The same steps one by one.
        timer.restart();
        const std::vector<TAnalysisEmployee> rows = ReadAnalysisEmployees(0);
        read.push_back(msSince(timer));
        PointSetChoices choices;
        choices.chart = kChartRaiseCurve;
        choices.fy = 2;
        choices.plot.fill(1);
        choices.grade.fill(1);
        timer.restart();
        const PointSet set = BuildPointSet(rows, choices);
        build.push_back(msSince(timer));
        timer.restart();
        WriteChartPoints(set.points);
        write.push_back(msSince(timer));
        timer.restart();
        plot.execute();
        plot.repaint();
        draw.push_back(msSince(timer));
        plot.close();
    }
    std::printf("analysis of %d employees (%zu points, %zu regression curves), median of %d:\n",
                employees, points, curves, rounds);
    std::printf("  分　析 until the chart is drawn : %8.1f ms\n", median(total));
    std::printf("    read the employees          : %8.1f ms\n", median(read));
    std::printf("    build the point set         : %8.1f ms\n", median(build));
    std::printf("    write the point set         : %8.1f ms\n", median(write));
    std::printf("    plot window read, fit, paint: %8.1f ms\n", median(draw));
    return messages.entries.isEmpty() ? 0 : 1;
}
