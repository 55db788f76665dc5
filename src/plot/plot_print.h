#pragma once
// The printed page of the plot: one A4 portrait page with a header (date, fiscal year and
// company, the chart's title in a double frame), the chart's key figures, the plot picture in a
// frame and the commentary in a box. The page is laid out in units of 1/600 inch from the top
// left of the printable area and drawn scaled to the device's resolution; the plot picture is
// drawn by the plot's own render function. Also the pictures for the clipboard and the picture
// file each print writes.

#include "plot_chart.h"
#include "plot_statistics.h"

#include <QDate>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

class QPainter;
class QPrinter;

// Page units per inch.
inline constexpr int kPageUnitsPerInch = 600;

// A text whose top-left corner is `at` (or, centred, whose middle is at at.x()), in a font of
// `points` points.
struct PageText {
    QPoint at;
    QString text;
    int points = 10;
    bool centred = false;
};
// A rectangle drawn with a pen `pen` units wide.
struct PageBox {
    QRect rect;
    int pen = 5;
};
struct PlotPageLayout {
    std::vector<PageText> texts;
    std::vector<PageBox> boxes;
    QRect picture; // where the plot picture goes
};

// What the page shows besides the picture, gathered from the chart, the project and the
// database (PlotPageInputFor) or set by a test.
struct PlotPageInput {
    int chart = 0;
    QDate today;
    QString yearText; // the fiscal year as shown ("2018", "平成 30")
    QString company;
    QString title;
    QString referenceDate;               // "年齢勤続"
    QString xTitle;                      // the X axis title
    QString yTitle;                      // the three characters of the Y title
    ResultTexts counts;                  // counts and averages as the wage plot shows them
    ResultTexts curves;                  // pitches and average wages of the raise-curve chart
    QString grades;                      // "１等級  ３等級  "
    bool hasSource = false;              // the comparison source has a record
    std::array<QString, 7> source;       // [1..6] see LayoutPlotPage
    std::array<bool, 6> hasDesign{};     // [1..5] design rows of chart 1050
    std::array<QString, 6> designLegend; // [1..5]
    std::array<QString, 6> designNote;   // [1..5]
    QString commentary;
};

// The commentary as printed: Latin letters upper case, cut into pieces of 40 characters (a
// line break in the text starts a new piece).
QStringList CommentaryLines(const QString &commentary);
// "１等級  " .. "９等級  " of the grades the chart's rows select (rows 1..6 TOUKYU for grades
// 1..6, rows 1..3 TOUKYU1 for grades 7..9).
QString SelectedGradesText(const TChartRows &rows);
// The reference date of ages and years of service: today with the age basis "today" (fnk != 0),
// else the company's reference date yyyymmdd (blanks for 0).
QString ReferenceDateText(int fnk, int kdate, QDate today);

PlotPageLayout LayoutPlotPage(const PlotPageInput &in);
// Reads what the page of `chart` shows (company settings, comparison source, designs).
PlotPageInput PlotPageInputFor(const PlotChart &chart);

// The picture of a chart of `size` as the page shows it: the framed area less one pixel all
// round ((W - 2) x (H - 2) of the frame's inside, as the picture file holds it).
QRect PlotPictureArea(QSize size);
QImage PlotPicture(const PlotChart &chart, QSize size);
// The picture the clipboard gets: the frame's inside less two pixels all round, stretched to
// (W - 4) x (H - 4).
QImage PlotCopyPicture(const PlotChart &chart, QSize size);
// The picture file of print `seq` (1..11): gAppPath + "DATA/RUV3O<seq>.bmp".
QString PlotPictureFile(int seq);
// The sequence number after `seq`: 1..11, then 1 again.
int NextPlotPrintSeq(int seq);

// Draws the page on a painter of a device with `dpi` dots per inch; the picture region of the
// chart is drawn scaled into the layout's picture rectangle.
void RenderPlotPage(QPainter &painter, int dpi, const PlotPageLayout &layout,
                    const PlotChart &chart, QSize chartSize);
// Prints the page on `printer` set to A4 portrait (document "ﾌﾟﾛｯﾄ"). False when the printer
// could not be started or finished.
bool PrintPlotPage(QPrinter &printer, const PlotPageLayout &layout, const PlotChart &chart,
                   QSize chartSize);
