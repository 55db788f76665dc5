#include "band_graph.h"

#include "form_helpers.h"
#include "message_seam.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

// The picture area the window was designed with.
constexpr QSize kChartSize(820, 500);
// Margins of the scale: 40 above its top, 100 below its bottom.
constexpr int kTopMargin = 40;
constexpr int kBottomMargin = 100;
// Fonts in pixels (10 and 12 points on a 96 dpi display), so the window and the picture are
// drawn alike whatever the resolution of the device.
constexpr int kTextPixels = 13;
constexpr int kNamePixels = 16;

const QString kCaptionSave = QStringLiteral("画像の保存");
const QString kSaveFilter = QStringLiteral("PNG画像 (*.png)");
const QString kSaveName = QStringLiteral("バンド分析グラフ.png");
const QString kMsgSaveFailed = QStringLiteral("画像を保存できませんでした。");

int truncToInt(double x) {
    return ToInt(ToInt64(std::trunc(x)));
}

QFont pixelFont(int pixels, bool bold = false) {
    QFont font = QApplication::font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Text with its top left corner at (x, y).
void textAt(QPainter &painter, int x, int y, const QString &text) {
    painter.drawText(QPointF(x, y + painter.fontMetrics().ascent()), text);
}

// The characters of a text, one per line from (x, y) downwards; with a width each is centred
// in the column from x to x + width.
void textDownwards(QPainter &painter, int x, int y, const QString &text, int width = 0) {
    const QFontMetrics metrics = painter.fontMetrics();
    int line = 0;
    for (const char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        const int left = width > 0 ? x + (width - metrics.horizontalAdvance(one)) / 2 : x;
        textAt(painter, left, y + line * metrics.height(), one);
        ++line;
    }
}

} // namespace

// The picture area: paints the chart of the window's bands.
class TBandGraphView : public QWidget {
public:
    TBandGraphView(QWidget *parent, const TBANDTBL2 &table) : QWidget(parent), m_table(table) {
        setObjectName(QStringLiteral("imgBandGraph"));
        setFixedSize(kChartSize);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        RenderBandGraph(painter, size(), m_table);
    }

private:
    const TBANDTBL2 &m_table;
};

int BandGraphLayout::y(double value) const {
    const int steps = high - low;
    if (steps <= 0) return kTopMargin;
    return truncToInt(static_cast<double>(plotHeight) / steps * (high - value + 1)) + kTopMargin;
}

BandGraphLayout LayOutBandGraph(QSize size, const TBANDTBL2 &table) {
    BandGraphLayout layout;
    layout.plotHeight = size.height() - kTopMargin - kBottomMargin;
    if (table.Bands.empty()) return layout;

    // Both limits of every band take part, so a band whose limits are the wrong way round
    // still lies on the scale and the scale never runs backwards.
    int lowest = table.Bands.front().BandKagen;
    int highest = table.Bands.front().BandJyogen;
    for (const TBANDM2 &band : table.Bands) {
        lowest = std::min({lowest, band.BandKagen, band.BandJyogen});
        highest = std::max({highest, band.BandKagen, band.BandJyogen});
    }
    layout.low = lowest / 10000;
    if (layout.low > 0) --layout.low;
    layout.high = highest / 10000 + 3;
    for (int t = layout.low; t <= layout.high; t += 2)
        layout.ticks.push_back(t);

    // Each band has three bar widths of room after four widths of margin. With few bands
    // that room would put the last bars beyond the axis (a single band would lie wholly
    // outside the picture), so the width is narrowed until the last bar ends at least one
    // width before the axis end.
    const int count = static_cast<int>(table.Bands.size());
    layout.barWidth =
        std::min(truncToInt(static_cast<double>(size.width() - 160) / count / 3),
                 truncToInt(static_cast<double>(size.width() - 20) / (3 * count + 3)));
    layout.barWidth = std::max(layout.barWidth, 1);
    const int w = layout.barWidth;
    for (int i = 0; i < count; ++i) {
        const TBANDM2 &band = table.Bands[i];
        const int left = w * (3 * i + 4);
        const int top = layout.y(band.BandJyogen / 10000.0);
        const int bottom = layout.y(band.BandKagen / 10000.0);
        layout.bars.push_back(QRect(left, top, w, bottom - top));
    }
    return layout;
}

QColor BandGraphBackground() {
    return QApplication::palette().color(QPalette::Active, QPalette::ToolTipBase);
}

void RenderBandGraph(QPainter &painter, QSize size, const TBANDTBL2 &table) {
    const int W = size.width();
    const int H = size.height();
    const BandGraphLayout layout = LayOutBandGraph(size, table);
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRect(QPoint(0, 0), size), BandGraphBackground());

    // The scale: a dotted mark and the value at every second step.
    painter.setFont(pixelFont(kTextPixels));
    for (const int t : layout.ticks) {
        const int y = layout.y(t);
        painter.setPen(QPen(kBandGraphAxis, 1, Qt::DotLine));
        painter.drawLine(20, y, 50, y);
        painter.setPen(Qt::black);
        textAt(painter, 30, y + 3, QString::number(t));
    }

    painter.setPen(QPen(kBandGraphAxis, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPolyline(QPolygon({QPoint(20, 20), QPoint(20, H - 20), QPoint(W - 20, H - 20)}));
    painter.setPen(Qt::black);
    textDownwards(painter, 25, 20, QStringLiteral("役割給"));
    textAt(painter, W - 70, H - 40, QStringLiteral("バンドＩＤ"));
    textAt(painter, 25, H - 40, QStringLiteral("単位 万円"));

    // The bars, each with its band's name written down inside it.
    painter.setFont(pixelFont(kNamePixels, true));
    for (size_t i = 0; i < layout.bars.size(); ++i) {
        const QRect &bar = layout.bars[i];
        painter.fillRect(bar, kBandGraphBar);
        painter.setPen(kBandGraphName);
        textDownwards(painter, bar.left(), bar.top() + 5, table.Bands[i].BandName, bar.width());
    }
    painter.restore();
}

QImage BandGraphImage(QSize size, const TBANDTBL2 &table) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    RenderBandGraph(painter, size, table);
    return image;
}

TfrmBandGraph::TfrmBandGraph(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmBandGraph"));
    setWindowTitle(QStringLiteral("バンド分析グラフ"));

    m_view = new TBandGraphView(this, m_table);
    m_btnCopy = MakeButton(this, "btnCopy", QStringLiteral("コピー"));
    m_btnSave = MakeButton(this, "btnSave", QStringLiteral("画像保存"));
    m_btnClose = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    connect(m_btnCopy, &QPushButton::clicked, this, &TfrmBandGraph::btnCopyClick);
    connect(m_btnSave, &QPushButton::clicked, this, &TfrmBandGraph::btnSaveClick);
    connect(m_btnClose, &QPushButton::clicked, this, &TfrmBandGraph::btnCloseClick);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {m_btnCopy, m_btnSave, m_btnClose}) {
        b->setMinimumWidth(88);
        buttons->addWidget(b);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view);
    layout->addLayout(buttons);
    InstallEnterMovesFocus(this);
    layout->activate();
    SizeToFit(this, sizeHint());
}

void TfrmBandGraph::prepare() {
    m_table = G().gBandTbl2;
    m_view->update();
    m_btnClose->setFocus();
}

QSize TfrmBandGraph::chartSize() const {
    return m_view->size();
}

QImage TfrmBandGraph::image() const {
    return BandGraphImage(chartSize(), m_table);
}

void TfrmBandGraph::btnCopyClick() {
    QApplication::clipboard()->setImage(image());
}

void TfrmBandGraph::btnSaveClick() {
    const QString path = Seam().saveFile(kCaptionSave, G().gAppPath + kSaveName, kSaveFilter);
    if (path.isEmpty()) return;
    if (!image().save(path, "PNG")) ShowMessage(kMsgSaveFailed, QString(), MsgIcon::Warning);
}

void TfrmBandGraph::btnCloseClick() {
    reject();
}
