#include "print_preview.h"

#include "form_helpers.h"
#include "message_seam.h"
#include "qt_message_seam.h"
#include "report_render.h"
#include "screen_kit.h"
#include "state.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QVBoxLayout>

namespace {
constexpr int kZoomStep = 25; // percent per position of the zoom bar
constexpr int kPageMargin = 12;
} // namespace

// --- The viewer ---------------------------------------------------------------------------------

TReportView::TReportView(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool TReportView::setFileName(const QString &path) {
    m_open = m_reader.open(path);
    m_page = 0;
    m_current.ops.clear();
    if (m_open) setPage(1);
    resizeToPage();
    update();
    return m_open;
}

void TReportView::close() {
    m_reader.close();
    m_open = false;
    m_page = 0;
    m_current.ops.clear();
    update();
}

void TReportView::setPage(int page) {
    if (!m_open || page < 1 || page > m_reader.pageCount()) return;
    m_page = page;
    if (!m_reader.readPage(page, m_current)) m_current.ops.clear();
    update();
}

void TReportView::setScale(int percent) {
    m_scale = std::max(1, percent);
    resizeToPage();
    update();
}

// The page at the scale, in pixels: its printed size at the screen's resolution.
QSize TReportView::sizeHint() const {
    const TWorkFileInfo &info = m_reader.info();
    if (!m_open || info.width <= 0) return QSize(400, 300);
    const double pixelsPerUnit = logicalDpiX() / 2540.0 * m_scale / 100.0;
    return QSize(int(info.width * pixelsPerUnit) + 2 * kPageMargin,
                 int(info.height * pixelsPerUnit) + 2 * kPageMargin);
}

void TReportView::resizeToPage() {
    resize(sizeHint());
}

void TReportView::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(0x80, 0x80, 0x80));
    if (!m_open || m_page < 1) return;
    const QRect page(kPageMargin, kPageMargin, width() - 2 * kPageMargin,
                     height() - 2 * kPageMargin);
    painter.fillRect(page.translated(3, 3), QColor(0x50, 0x50, 0x50));
    painter.fillRect(page, Qt::white);
    RenderReportPage(painter, m_reader.info(), m_current, QRectF(page));
}

// --- The preview --------------------------------------------------------------------------------

TfrmPrintPreview::TfrmPrintPreview(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmPrintPreview"));
    setWindowTitle(QStringLiteral("印刷プレピュー"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    m_cmdPrint = MakeButton(this, "cmdPrint", QStringLiteral("印刷(&P)"));
    m_cmdPdf = MakeButton(this, "cmdPdf", QStringLiteral("PDF保存"));
    m_cmdClose = MakeButton(this, "cmdClose", QStringLiteral("閉じる(&C)"));
    m_labPage = new QLabel(QStringLiteral("頁"), this);
    m_labPage->setObjectName(QStringLiteral("labPage"));
    m_labPage->setMinimumWidth(80);
    m_cmdPage = new QScrollBar(Qt::Horizontal, this);
    m_cmdPage->setObjectName(QStringLiteral("cmdPage"));
    m_cmdPage->setRange(1, 1);
    m_cmdPage->setPageStep(1);
    m_cmdPage->setMinimumWidth(200);
    m_labZoom = new QLabel(QStringLiteral("拡大率100%"), this);
    m_labZoom->setObjectName(QStringLiteral("labZoom"));
    m_labZoom->setMinimumWidth(90);
    m_cmdZoom = new QSlider(Qt::Horizontal, this);
    m_cmdZoom->setObjectName(QStringLiteral("cmdZoom"));
    m_cmdZoom->setRange(1, 6);
    m_cmdZoom->setValue(4);
    m_cmdZoom->setPageStep(1);
    m_cmdZoom->setTickPosition(QSlider::TicksBelow);
    m_cmdZoom->setFixedWidth(150);
    m_view = new TReportView;
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrPView"));
    m_scroll->setWidget(m_view);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);

    connect(m_cmdPrint, &QPushButton::clicked, this, &TfrmPrintPreview::cmdPrintClick);
    connect(m_cmdPdf, &QPushButton::clicked, this, &TfrmPrintPreview::cmdPdfClick);
    connect(m_cmdClose, &QPushButton::clicked, this, &TfrmPrintPreview::cmdCloseClick);
    connect(m_cmdZoom, &QSlider::valueChanged, this, &TfrmPrintPreview::cmdZoomChange);
    connect(m_cmdPage, &QScrollBar::valueChanged, this, &TfrmPrintPreview::cmdPageScroll);

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_cmdPrint);
    bar->addWidget(m_cmdPdf);
    bar->addSpacing(16);
    bar->addWidget(m_labPage);
    bar->addWidget(m_cmdPage);
    bar->addSpacing(16);
    bar->addWidget(m_labZoom);
    bar->addWidget(m_cmdZoom);
    bar->addStretch();
    bar->addWidget(m_cmdClose);
    for (QPushButton *b : {m_cmdPrint, m_cmdPdf, m_cmdClose})
        b->setMinimumWidth(96);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);
    InstallEnterMovesFocus(this);
    SizeToFit(this, kScreenBudget);
}

void TfrmPrintPreview::prepare() {
    setWindowState(windowState() | Qt::WindowMaximized);
}

bool TfrmPrintPreview::event(QEvent *e) {
    const bool result = QDialog::event(e);
    if (e->type() == QEvent::WindowActivate && !m_showing && isVisible()) showDocument();
    return result;
}

void TfrmPrintPreview::showDocument() {
    m_showing = true;
    const QString path = G().gPreviewFile;
    if (!QFileInfo::exists(path)) {
        m_view->close();
        ShowMessage(path + QStringLiteral("が見つかりません"));
        m_showing = false;
        reject();
        return;
    }
    {
        TBusyCursor busy;
        m_view->setScale(m_cmdZoom->value() * kZoomStep);
        m_view->setFileName(path);
    }
    const int pages = m_view->pageCount();
    m_labZoom->setText(QStringLiteral("拡大率%1%").arg(m_cmdZoom->value() * kZoomStep));
    m_labPage->setText(QStringLiteral("頁 1/%1").arg(pages));
    if (pages >= 0) {
        const QSignalBlocker quiet(m_cmdPage);
        m_cmdPage->setRange(1, std::max(1, pages));
        m_cmdPage->setValue(1);
    }
    m_showing = false;
}

void TfrmPrintPreview::cmdZoomChange(int position) {
    const int scale = position * kZoomStep;
    m_view->setScale(scale);
    m_labZoom->setText(QStringLiteral("拡大率%1%").arg(scale));
}

void TfrmPrintPreview::cmdPageScroll(int page) {
    m_labPage->setText(QStringLiteral("頁 %1/%2").arg(page).arg(m_cmdPage->maximum()));
    m_view->setPage(page);
}

bool TfrmPrintPreview::printTo(QPrinter &printer) {
    m_showing = true;
    QString error;
    bool ok = m_view->pageCount() > 0;
    if (ok) {
        TBusyCursor busy;
        printer.setFullPage(true);
        printer.setCopyCount(1);
        printer.setDocName(m_view->reader().info().title);
        ok = PaintWorkFile(m_view->reader(), printer, 1, m_view->pageCount(), error);
    }
    m_showing = false;
    if (!ok) ShowMessage(kMsgPrintFailed, QString(), MsgIcon::Error);
    return ok;
}

void TfrmPrintPreview::cmdPrintClick() {
    printTo(ProgramPrinter());
}

void TfrmPrintPreview::cmdPdfClick() {
    const QString workFile = G().gPreviewFile;
    const QString title = m_view->reader().info().title;
    const QString suggested = G().gAppPath + QStringLiteral("Report/") +
                              (title.isEmpty() ? QStringLiteral("report") : title) +
                              QStringLiteral(".pdf");
    QString path = Seam().saveFile(QStringLiteral("PDF保存"), suggested,
                                   QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    QString error;
    bool ok = false;
    {
        TBusyCursor busy;
        ok = WriteWorkFilePdf(workFile, path, error);
    }
    if (!ok)
        ShowMessage(kMsgPdfFailed + QStringLiteral("\r\n") + QDir::toNativeSeparators(path) +
                        QStringLiteral("\r\n") + error,
                    QString(), MsgIcon::Error);
}

void TfrmPrintPreview::cmdCloseClick() {
    m_view->close();
    QFile::remove(G().gPreviewFile);
    accept();
}
