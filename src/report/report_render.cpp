#include "report_render.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <cmath>

namespace {

// Points are 2540/72 units of 0.01 mm.
constexpr double kUnitsPerPoint = 2540.0 / 72.0;
// The top of a text's em box lies at its box's top; the baseline this far below it, in em.
constexpr double kBaselineInEm = 0.88;

QFont makeFont(const TReportFont &f) {
    QFont font(f.family);
    font.setPixelSize(std::max(1, int(std::lround(f.size / 10.0 * kUnitsPerPoint))));
    font.setBold(f.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    font.setKerning(false);
    return font;
}

// The width drawn for a line of width 0: 0.1 mm, or one device pixel where that is thinner.
constexpr int kThinLine = 10;

QPen linePen(const TDrawOp &op, double unitsToDevice) {
    QPen pen(Qt::black);
    pen.setCapStyle(Qt::SquareCap);
    const int width = op.width == 0 ? kThinLine : op.width;
    if (width * unitsToDevice < 1.0) {
        pen.setCosmetic(true);
        pen.setWidthF(1.0);
    } else {
        pen.setWidthF(width);
    }
    if (op.style == 1) pen.setStyle(Qt::DashLine);
    if (op.style == 2) pen.setStyle(Qt::DotLine);
    return pen;
}

} // namespace

void RenderReportPage(QPainter &painter, const TWorkFileInfo &info, const TReportPage &page,
                      const QRectF &target) {
    if (info.width <= 0 || info.height <= 0) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.translate(target.topLeft());
    const double sx = target.width() / info.width;
    const double sy = target.height() / info.height;
    painter.scale(sx, sy);
    // Device pixels per unit, for the widths of thin lines.
    const double unitsToDevice = std::abs(painter.deviceTransform().m11());

    std::vector<QFont> fonts;
    std::vector<std::unique_ptr<QFontMetricsF>> metrics;
    fonts.reserve(info.fonts.size());
    for (const TReportFont &f : info.fonts) {
        fonts.push_back(makeFont(f));
        metrics.push_back(std::make_unique<QFontMetricsF>(fonts.back()));
    }

    int currentFont = -1;
    QPen currentPen;
    bool penSet = false;
    // Lines in a row with the same pen are drawn in one call.
    std::vector<QLine> lines;
    const auto flushLines = [&] {
        if (!lines.empty()) painter.drawLines(lines.data(), int(lines.size()));
        lines.clear();
    };
    for (const TDrawOp &op : page.ops) {
        if (op.kind == TDrawOp::Line) {
            const QPen pen = linePen(op, unitsToDevice);
            if (!penSet || pen != currentPen) {
                flushLines();
                painter.setPen(pen);
                currentPen = pen;
                penSet = true;
            }
            lines.push_back(op.line);
            continue;
        }
        flushLines();
        if (op.kind == TDrawOp::Picture) {
            const QImage picture = QImage::fromData(op.picture, "PNG");
            if (!picture.isNull())
                painter.drawImage(QRectF(QPointF(op.rect.left(), op.rect.top()),
                                         QPointF(op.rect.right(), op.rect.bottom())),
                                  picture);
            currentFont = -1;
            continue;
        }
        if (op.font >= fonts.size()) continue;
        if (currentFont != op.font) {
            painter.setFont(fonts[op.font]);
            currentFont = op.font;
        }
        if (!penSet || currentPen != QPen(Qt::black)) {
            painter.setPen(Qt::black);
            currentPen = QPen(Qt::black);
            penSet = true;
        }
        const double em = fonts[op.font].pixelSize();
        const double boxLeft = op.rect.left();
        const double boxWidth = op.rect.right() - op.rect.left();
        const double width = metrics[op.font]->horizontalAdvance(op.text);
        const double baseline = op.rect.top() + kBaselineInEm * em;
        if (info.narrow && width > boxWidth && boxWidth > 0) {
            painter.save();
            painter.translate(boxLeft, baseline);
            painter.scale(boxWidth / width, 1.0);
            painter.drawText(QPointF(0, 0), op.text);
            painter.restore();
            continue;
        }
        double x = boxLeft;
        if (op.align == 1) x = op.rect.right() - width;
        if (op.align == 2) x = boxLeft + (boxWidth - width) / 2.0;
        painter.drawText(QPointF(x, baseline), op.text);
    }
    flushLines();
    painter.restore();
}

QPageLayout ReportPageLayout(const TWorkFileInfo &info) {
    const bool landscape = info.width > info.height;
    const double shortSide = std::min(info.width, info.height) / 100.0;
    const double longSide = std::max(info.width, info.height) / 100.0;
    const QPageSize size(QSizeF(shortSide, longSide), QPageSize::Millimeter, QString(),
                         QPageSize::FuzzyMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

bool PaintWorkFile(TWorkFileReader &reader, QPagedPaintDevice &device, int first, int last,
                   QString &error) {
    const TWorkFileInfo &info = reader.info();
    device.setPageLayout(ReportPageLayout(info));
    QPainter painter;
    if (!painter.begin(&device)) {
        error = QStringLiteral("印刷先を開けません。");
        return false;
    }
    // The paper in device pixels (no margins: the painter's origin is the paper's corner);
    // the page keeps its proportions inside it.
    const QRectF paper = device.pageLayout().fullRectPixels(device.logicalDpiX());
    const double scale = std::min(paper.width() / info.width, paper.height() / info.height);
    const QRectF target(0, 0, info.width * scale, info.height * scale);
    TReportPage page;
    for (int p = first; p <= last; ++p) {
        if (!reader.readPage(p, page)) {
            error = QStringLiteral("ワークファイルの %1 頁目が読めません。").arg(p);
            painter.end();
            return false;
        }
        if (p > first) device.newPage();
        RenderReportPage(painter, info, page, target);
    }
    return painter.end();
}

bool WriteWorkFilePdf(const QString &workFile, const QString &pdfPath, QString &error) {
    TWorkFileReader reader;
    if (!reader.open(workFile)) {
        error = workFile + QStringLiteral("が見つかりません");
        return false;
    }
    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(600);
        writer.setTitle(reader.info().title);
        writer.setCreator(QStringLiteral("NXヴァルテンマトリクス"));
        if (!PaintWorkFile(reader, writer, 1, reader.pageCount(), error)) {
            file.cancelWriting();
            return false;
        }
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}
