#include "plot_print.h"

#include "chart_store.h"
#include "company_store.h"
#include "reference_store.h"
#include "state.h"
#include "utilities.h"

#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <cmath>

namespace {

// The fixed layout of the chart's picture (see RenderPlot): the frame runs from x 73 to
// W - 9 and from y 0 to H - 36.
constexpr int kFrameLeft = 73;
constexpr int kFrameRight = 9;
constexpr int kFrameBottom = 36;
constexpr int kPiece = 40; // commentary characters per printed line

QString joined(const ResultTexts &t, std::initializer_list<int> fields) {
    QStringList parts;
    for (int f : fields)
        parts << t.captions[f];
    return parts.join(QStringLiteral("  ")).trimmed();
}

QString dateText(QDate d, const char *yearSep, const char *monthSep, const char *daySep) {
    return QString::number(d.year()) + QString::fromUtf8(yearSep) + QString::number(d.month()) +
           QString::fromUtf8(monthSep) + QString::number(d.day()) + QString::fromUtf8(daySep);
}

} // namespace

QStringList CommentaryLines(const QString &commentary) {
    QStringList lines;
    QString text = commentary.toUpper();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (int i = 0; i < paragraphs.size(); ++i) {
        const QString &p = paragraphs[i];
        // A trailing line break adds no empty line.
        if (p.isEmpty()) {
            if (i + 1 < paragraphs.size()) lines << QString();
            continue;
        }
        for (int at = 0; at < p.size(); at += kPiece)
            lines << p.mid(at, kPiece);
    }
    return lines;
}

QString SelectedGradesText(const TChartRows &rows) {
    static const char *const digits[] = {"", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
    QString text;
    for (int grade = 1; grade <= 9; ++grade) {
        const bool selected = grade <= 6 ? rows[grade].Toukyu == 1 : rows[grade - 6].Toukyu1 == 1;
        if (selected) text += QString::fromUtf8(digits[grade]) + QStringLiteral("等級  ");
    }
    return text;
}

QString ReferenceDateText(int fnk, int kdate, QDate today) {
    if (fnk != 0) return dateText(today, "年", "月", "日時点");
    const auto part = [kdate](int value) {
        return kdate == 0 ? QString() : QString::number(value);
    };
    return part(kdate / 10000) + QStringLiteral(" 年  ") + part(kdate / 100 % 100) +
           QStringLiteral(" 月  ") + part(kdate % 100) + QStringLiteral(" 日時点");
}

PlotPageLayout LayoutPlotPage(const PlotPageInput &in) {
    PlotPageLayout page;
    const auto text = [&page](int x, int y, const QString &t, int points = 10) {
        page.texts.push_back({QPoint(x, y), t, points, false});
    };
    const auto line = [&text](int y, const char *caption, const QString &value) {
        text(450, y, QString::fromUtf8(caption));
        text(850, y, value);
    };
    const int chart = in.chart;
    const bool comparison = chart == kChartLivingCost || chart == kChartModelWage;

    // Header.
    text(3550, 280, dateText(in.today, " 年  ", " 月  ", " 日"), 12);
    text(550, 400,
         in.yearText + QStringLiteral(" 年度  :  ") + in.company + QStringLiteral("　　様"), 16);
    page.texts.push_back({QPoint(2500, 720), in.title, 20, true});
    page.boxes.push_back({QRect(QPoint(900, 680), QPoint(4050, 900)), 1});
    page.boxes.push_back({QRect(QPoint(885, 665), QPoint(4065, 915)), 1});

    // Key figures.
    line(1000, "年齢勤続", in.referenceDate);
    line(1100, "ＸＹ座標",
         QStringLiteral("Ｘ軸： ") + in.xTitle + QStringLiteral(" 、　Ｙ軸：　") + in.yTitle);
    if (chart == kChartWagePlot) {
        line(1200, "Ｘ平均値", joined(in.counts, {3, 4, 5}));
        line(1300, "Ｙ平均値", joined(in.counts, {6, 7, 8}));
        line(1500, "等級選択", in.grades);
    } else if (chart == kChartRaiseCurve || comparison) {
        line(1200, "データ数", joined(in.counts, {1, 2}));
        line(1300, "等級選択", in.grades);
    } else if (chart == kChartDesign) {
        line(1200, "等級選択", in.grades);
    }
    if (chart == kChartRaiseCurve) {
        line(1400, "平均賃金", joined(in.curves, {6, 7}));
        line(1500, "平均昇給", joined(in.curves, {3, 4}));
    }
    if (chart == kChartLivingCost) {
        text(450, 1400, QStringLiteral("比較資料"));
        text(850, 1400, QStringLiteral("出　　　所："));
        text(850, 1500, QStringLiteral("対象地域："));
        text(850, 1600, QStringLiteral("調査時点："));
        if (in.hasSource) {
            text(1300, 1400, in.source[1]);
            text(1300, 1500, in.source[2]);
            text(1300, 1600, in.source[3]);
        }
    } else if (chart == kChartModelWage) {
        text(450, 1400, QStringLiteral("比較資料"));
        text(850, 1400, QStringLiteral("出　　　所："));
        text(2700, 1400, QStringLiteral("対象地域："));
        text(850, 1500, QStringLiteral("事業所数："));
        text(2700, 1500, QStringLiteral("調査時点："));
        text(850, 1600, QStringLiteral("業　　　種："));
        text(2700, 1600, QStringLiteral("規　　　模："));
        if (in.hasSource) {
            text(1300, 1400, in.source[1]);
            text(3150, 1400, in.source[2]);
            text(1300, 1500, in.source[3]);
            text(3150, 1500, in.source[4]);
            text(1300, 1600, in.source[5]);
            text(3150, 1600, in.source[6]);
        }
    } else if (chart == kChartDesign) {
        text(450, 1300, QStringLiteral("曲線番号"));
        for (int d = 1; d <= 5; ++d) {
            const int x = d <= 3 ? 850 : 2700;
            const int y = 1300 + 100 * ((d - 1) % 3);
            const QString number = QStringLiteral("(%1)").arg(d);
            text(x, y, number);
            if (!in.hasDesign[d]) continue;
            text(d <= 3 ? 1000 : 2850, y, in.designLegend[d]);
            const int noteY = 4850 + 150 * (d - 1);
            text(450, noteY, number);
            text(650, noteY, in.designNote[d]);
        }
    }

    // The plot and the commentary.
    const int frameTop = comparison ? 1800 : 1700;
    page.boxes.push_back({QRect(QPoint(450, frameTop), QPoint(4500, 4750)), 5});
    page.picture = QRect(QPoint(470, frameTop + 20), QPoint(4480, 4730));
    const bool design = chart == kChartDesign;
    text(450, design ? 5600 : 4850, QStringLiteral("【解説】"), 14);
    const QStringList lines = CommentaryLines(in.commentary);
    for (int k = 0; k < lines.size(); ++k)
        text(600, (design ? 5850 : 5100) + 140 * k, lines[k], 12);
    page.boxes.push_back({QRect(QPoint(450, design ? 5750 : 5000), QPoint(4500, 6500)), 5});
    return page;
}

PlotPageInput PlotPageInputFor(const PlotChart &chart) {
    ProjectState &g = G();
    PlotPageInput in;
    in.chart = chart.chart;
    in.today = g.gToday.isValid() ? g.gToday : QDate::currentDate();
    in.yearText = NendoText(g.gReki, g.gProjectKey.nendo);
    in.company = g.gKna;
    in.title = g.gChartTitle;
    CompanyIndexRow index;
    ReadCompanyIndex(g.gProjectKey.kco, g.gProjectKey.nendo, index);
    g.gFnk = index.fnk != 0 ? 1 : 0;
    in.referenceDate = ReferenceDateText(index.fnk, index.kdate, in.today);
    in.xTitle = XAxisTitle(chart.fx);
    in.yTitle = chart.yItemName.left(3);
    PlotChart asWagePlot = chart;
    asWagePlot.chart = kChartWagePlot;
    in.counts = AnalysisResultTexts(asWagePlot);
    if (chart.chart == kChartRaiseCurve) in.curves = AnalysisResultTexts(chart);
    in.grades = SelectedGradesText(ReadChartRows(chart.chart));
    if (chart.chart == kChartLivingCost && g.gMkigyou2.Skco != 0) {
        TLivingCosts costs;
        in.hasSource = ReadLivingCosts(g.gMkigyou2.Skco, costs);
        in.source[1] = costs.dedokoro;
        in.source[2] = costs.tchiiki;
        in.source[3] = costs.cjiten;
    } else if (chart.chart == kChartModelWage && g.gMkigyou2.Mdco != 0) {
        TModelData model;
        in.hasSource = ReadModelData(g.gMkigyou2.Mdco, model);
        in.source[1] = model.dedokoro;
        in.source[2] = model.tchiiki;
        in.source[3] = QStringLiteral("回答あった %1 社").arg(model.jsu);
        in.source[4] = model.cjiten;
        in.source[5] = model.gyousyu;
        in.source[6] = model.kibo;
    } else if (chart.chart == kChartDesign) {
        for (int d = 1; d <= 5; ++d) {
            const std::optional<TDSPDRAW> row = ReadDesign(d, g.gChartFx, g.gChartFy);
            if (!row) continue;
            in.hasDesign[d] = true;
            in.designLegend[d] = row->Hanrei;
            in.designNote[d] = row->Setsumei;
        }
    }
    in.commentary = chart.commentary;
    return in;
}

QRect PlotPictureArea(QSize size) {
    return QRect(QPoint(kFrameLeft + 1, 1),
                 QPoint(size.width() - kFrameRight - 1, size.height() - kFrameBottom - 1));
}

namespace {
QImage chartImage(const PlotChart &chart, QSize size) {
    QImage image(size.isEmpty() ? QSize(1, 1) : size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    RenderPlot(p, size, chart);
    return image;
}
} // namespace

QImage PlotPicture(const PlotChart &chart, QSize size) {
    return chartImage(chart, size).copy(PlotPictureArea(size));
}

QImage PlotCopyPicture(const PlotChart &chart, QSize size) {
    const QRect area = PlotPictureArea(size).adjusted(1, 1, -1, -1);
    const QSize target(std::max(1, size.width() - 4), std::max(1, size.height() - 4));
    return chartImage(chart, size)
        .copy(area)
        .scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QString PlotPictureFile(int seq) {
    return G().gAppPath + QStringLiteral("DATA/RUV3O%1.bmp").arg(seq);
}

int NextPlotPrintSeq(int seq) {
    return seq >= 11 || seq < 1 ? 1 : seq + 1;
}

void RenderPlotPage(QPainter &painter, int dpi, const PlotPageLayout &layout,
                    const PlotChart &chart, QSize chartSize) {
    painter.save();
    const double scale = double(dpi) / kPageUnitsPerInch;
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing, false);

    for (const PageText &t : layout.texts) {
        QFont font;
        font.setPixelSize(std::max(1, int(std::lround(t.points * double(kPageUnitsPerInch) / 72))));
        painter.setFont(font);
        painter.setPen(Qt::black);
        int x = t.at.x();
        if (t.centred) x -= QFontMetrics(font).horizontalAdvance(t.text) / 2;
        painter.drawText(QRect(x, t.at.y(), 20000, 2000),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, t.text);
    }
    painter.setBrush(Qt::NoBrush);
    for (const PageBox &b : layout.boxes) {
        painter.setPen(QPen(Qt::black, b.pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(b.rect);
    }

    // The picture: the chart's framed area drawn by the plot's render function, stretched into
    // the picture rectangle as the picture file would be.
    const QRect source = PlotPictureArea(chartSize);
    if (!layout.picture.isEmpty() && source.width() > 0 && source.height() > 0) {
        painter.save();
        painter.setClipRect(layout.picture);
        painter.translate(layout.picture.topLeft());
        painter.scale(double(layout.picture.width()) / source.width(),
                      double(layout.picture.height()) / source.height());
        painter.translate(-source.topLeft());
        painter.setClipRect(source, Qt::IntersectClip);
        RenderPlot(painter, chartSize, chart);
        painter.restore();
    }
    painter.restore();
}

bool PrintPlotPage(QPrinter &printer, const PlotPageLayout &layout, const PlotChart &chart,
                   QSize chartSize) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(QStringLiteral("ﾌﾟﾛｯﾄ"));
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    RenderPlotPage(painter, printer.resolution(), layout, chart, chartSize);
    return painter.end();
}
