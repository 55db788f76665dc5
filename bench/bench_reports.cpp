// The group reports of a 10,000-employee company: the wage report from the button to its first
// page drawn in the preview, all its pages written as PDF, and the CSV files of the three
// reports. Prints median times.
//
// Usage: bench_reports [employees] [rounds]   (defaults 10000 and 3)

#include "band_loaders.h"
#include "bench_company.h"
#include "database_setup.h"
#include "group_report.h"
#include "message_recorder.h"
#include "program_setup.h"
#include "project.h"
#include "report_render.h"
#include "state.h"
#include "tdm.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
double medianMs(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

double timeMs(const std::function<void()> &run) {
    QElapsedTimer t;
    t.start();
    run();
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

// What the preview does for its first page: open the work file, read page 1 and draw it at
// 100 % on a window-sized picture (A4 landscape at 96 dpi).
bool drawFirstPage(const QString &workFile, int &pages) {
    TWorkFileReader reader;
    if (!reader.open(workFile)) return false;
    pages = reader.pageCount();
    TReportPage page;
    if (!reader.readPage(1, page)) return false;
    QImage image(1123, 794, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    RenderReportPage(painter, reader.info(), page, QRectF(image.rect()));
    return true;
}
} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int employees = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 3;

    QTemporaryDir dir;
    TDM dm;
    MessageRecorder messages;
    if (!OpenBenchCompany(dir.path(), employees, 7)) return 1;
    LoadBandTbl();
    LoadMatTbl();
    LoadYHyoukaTbl();
    const TReportSelection all;
    const QDate today(2018, 4, 1);

    // The wage report: query, values, layout and work file, then the first page drawn.
    std::vector<double> workFileMs, firstPageMs, pdfMs;
    int pages = 0;
    const QString pdf = dir.path() + QStringLiteral("/report.pdf");
    for (int r = 0; r < rounds; ++r) {
        TReportNotice notice;
        const double layout = timeMs([&] { notice = PrintGroupReport(kWageReport, all, today); });
        bool drawn = false;
        const double first = timeMs([&] { drawn = drawFirstPage(G().gPreviewFile, pages); });
        if (!notice.text.isEmpty() || !drawn) {
            std::fprintf(stderr, "report failed: %s\n", qPrintable(notice.text));
            return 1;
        }
        workFileMs.push_back(layout);
        firstPageMs.push_back(layout + first);
        QString error;
        bool written = false;
        pdfMs.push_back(timeMs([&] { written = WriteWorkFilePdf(G().gPreviewFile, pdf, error); }));
        if (!written) {
            std::fprintf(stderr, "PDF failed: %s\n", qPrintable(error));
            return 1;
        }
    }
    std::printf("wage report of %zu employees, %d pages:\n", ReportEmployees({}).size(), pages);
    std::printf("  work file written          %8.0f ms (median of %d)\n", medianMs(workFileMs),
                rounds);
    std::printf("  first page in the preview  %8.0f ms   goal < 2000 ms\n", medianMs(firstPageMs));
    std::printf("  all pages to PDF           %8.0f ms   goal < 5000 ms  (%.1f MB)\n",
                medianMs(pdfMs), QFile(pdf).size() / 1e6);

    // The CSV files.
    const std::pair<int, const char *> reports[] = {
        {kWageReport, "wage"}, {kRaiseReport, "raise"}, {kMatrixReport, "matrix raise"}};
    for (const auto &[kind, name] : reports) {
        std::vector<double> csvMs;
        for (int r = 0; r < rounds; ++r) {
            TReportNotice notice;
            csvMs.push_back(timeMs([&] { notice = WriteGroupReportCsv(kind, all); }));
            if (notice.icon == MsgIcon::Error) {
                std::fprintf(stderr, "CSV failed: %s\n", qPrintable(notice.text));
                return 1;
            }
        }
        std::printf("CSV of the %-15s %8.0f ms   goal < 1000 ms\n", name, medianMs(csvMs));
    }
    return 0;
}
