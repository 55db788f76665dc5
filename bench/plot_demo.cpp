// Developer command: shows the plot window with a chart of the sample company: age and basic
// wage of every employee, built by the analysis dialog of the chart (1010..1040; 1020 with its
// regression curves and levels of +5 % and -5 %, and the analysis result window), or a simple
// point set with a design for 1050. With a file name the picture is written there instead (and
// the result window beside it, as <name>-result.png), and the program ends.
//
// With "--page <file.pdf>" the printed page is written to that PDF file instead. With "--popups"
// the window stays open with the profile and wage pages of the point nearest the middle of the
// plot (for looking at the pop-up pages on a display); "--popups <file.png>" writes that view to
// a picture instead.
//
// Usage: plot_demo [chart] [picture.png | --page file.pdf | --popups]
//        (1010, 1020, 1030, 1040 or 1050; default 1010)

#include "analysis_dialog.h"
#include "chart_store.h"
#include "company_generator.h"
#include "database_setup.h"
#include "plot_points.h"
#include "plot_window.h"
#include "program_setup.h"
#include "project.h"
#include "qt_message_seam.h"
#include "result_window.h"
#include "state.h"
#include "tdm.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

namespace {

// Chooses every group and grade and basic wage against age, and analyses.
void analyse(TAnalysisDialog &dialog, int chart) {
    dialog.prepare();
    dialog.show();
    const auto press = [&dialog](const char *name) {
        dialog.findChild<QAbstractButton *>(QLatin1String(name))->click();
    };
    press("btnPlotAll");
    press("btnTokyuAll");
    press("optYKihon");
    dialog.findChild<QLineEdit *>(QStringLiteral("txtTitle"))->setText(
        QStringLiteral("年齢別 基本給の分布"));
    if (chart == 1020) {
        if (!dialog.findChild<QAbstractButton *>(QStringLiteral("optGraph"))->isChecked())
            press("optGraph");
        dialog.findChild<QLineEdit *>(QStringLiteral("txtLevel1"))->setText(QStringLiteral("5"));
        dialog.findChild<QLineEdit *>(QStringLiteral("txtLevel2"))->setText(QStringLiteral("-5"));
    }
    press("btnAnalize");
}

std::unique_ptr<TAnalysisDialog> dialogOf(int chart) {
    switch (chart) {
    case 1020: return std::make_unique<TNX1020>();
    case 1030: return std::make_unique<TNX1030>();
    case 1040: return std::make_unique<TNX1040>();
    case 1010: return std::make_unique<TNX1010>();
    default: return nullptr;
    }
}

} // namespace

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

    TNX1100 plot;
    plot.resize(1260, 700);
    std::unique_ptr<TAnalysisDialog> dialog = dialogOf(chart);
    if (dialog) {
        analyse(*dialog, chart);
    } else {
        TMCHART defaults;
        defaults.Fx = 0;
        defaults.Fy = 2;
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
        RunSql(DM().Query22,
               QStringLiteral("INSERT INTO DSPDRAW (KCO, NENDO, SDCO, X, Y, FCHKS, SNENREI1, SKIN1, "
                              "SNENREI2, SKIN2, SNENREI3, SKIN3, SNENREI4, SKIN4, HANREI, SCOLOR, "
                              "SSYURUI, SHABA) VALUES (1, 2018, 1, 0, 2, 1, 22, 180000, 30, "
                              "240000, 40, 320000, 55, 380000, '総合職モデル', 'clRed', 1, 2)"),
               'E');
        plot.handOver(nullptr, QStringLiteral("年齢別 基本給の分布"));
    }
    if (chart == 1010 || chart == 1020) plot.showAnalysisResult();
    const QString option = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (option == QLatin1String("--page") && argc > 3) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromLocal8Bit(argv[3]));
        return plot.printTo(printer) ? 0 : 1;
    }
    if (option == QLatin1String("--popups")) {
        // Clicks the mark of the point nearest the middle and opens two of its pages.
        const PlotGeometry g = PlotGeometryFor(plot.chartSize(), plot.chart());
        const QPoint middle((g.left + g.right) / 2, (g.top + g.bottom) / 2);
        QPoint best;
        int bestDistance = -1;
        for (const PlotPoint &p : plot.chart().points) {
            const QPoint at = g.map(p.x, p.y);
            const int d = (at - middle).manhattanLength();
            if (bestDistance < 0 || d < bestDistance) best = at, bestDistance = d;
        }
        QWidget *canvas = plot.findChild<QWidget *>(QStringLiteral("PlotCanvas"));
        plot.show();
        QMouseEvent press(QEvent::MouseButtonPress, best, canvas->mapToGlobal(best), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &press);
        QMenu *menu = plot.findChild<QMenu *>(QStringLiteral("PopupMenu1"));
        menu->hide();
        menu->findChild<QAction *>(QStringLiteral("mnProfile"))->trigger();
        menu->findChild<QAction *>(QStringLiteral("mnSalary"))->trigger();
        plot.resultWindow()->hide();
        // Both pages open at the mark; the second is moved aside to show them together.
        const QList<QWidget *> pages = plot.findChildren<QWidget *>(QStringLiteral("NX1101"));
        if (pages.size() == 2) pages[1]->move(pages[0]->frameGeometry().topRight() + QPoint(10, 0));
        if (argc > 3) {
            // The window with the pages drawn over it where they stand (without a window
            // system's frames, each page's caption is drawn as a bar above it).
            QImage shot = plot.grab().toImage();
            QPainter painter(&shot);
            for (QWidget *page : pages) {
                const QPoint at = page->pos() - plot.pos();
                const QRect bar(at - QPoint(0, 20), QSize(page->width(), 20));
                painter.fillRect(bar, QColor(0xd0, 0xd8, 0xe8));
                painter.setPen(Qt::black);
                painter.drawText(bar.adjusted(6, 0, 0, 0), Qt::AlignVCenter, page->windowTitle());
                painter.drawImage(at, page->grab().toImage());
                painter.drawRect(QRect(bar.topLeft(), QSize(page->width(), page->height() + 20)).adjusted(0, 0, -1, -1));
            }
            painter.end();
            return shot.save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
        }
        return app.exec();
    }
    if (argc > 2) {
        const QString picture = QString::fromLocal8Bit(argv[2]);
        plot.image().save(picture);
        if (plot.resultWindow()->isVisible())
            plot.resultWindow()->grab().save(QString(picture).replace(QStringLiteral(".png"),
                                                                      QStringLiteral("-result.png")));
        return 0;
    }
    return app.exec();
}
