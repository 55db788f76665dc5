#include "report_engine.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

TReportEngine::TReportEngine() = default;
TReportEngine::~TReportEngine() = default;

void TReportEngine::requireOpen() const {
    if (!m_writer) throw TReportError(QStringLiteral("帳票が開始されていません。"));
}

void TReportEngine::startDoc() {
    QString error;
    if (!LoadReportTemplate(m_formName, m_template, error))
        throw TReportError(QStringLiteral("帳票の定義ファイルが読めません。\r\n") +
                           QDir::toNativeSeparators(m_formName) + QStringLiteral("\r\n") + error);
    QDir().mkpath(QFileInfo(m_imageFileName).absolutePath());
    m_writer = std::make_unique<TWorkFileWriter>(m_imageFileName);
    if (!m_writer->open(m_docName, m_template.width, m_template.height, m_charOverFlow == 1)) {
        const QString reason = m_writer->errorString();
        m_writer.reset();
        throw TReportError(QStringLiteral("帳票のワークファイルが作成できません。\r\n") +
                           QDir::toNativeSeparators(m_imageFileName) + QStringLiteral("\r\n") +
                           reason);
    }
    m_pagesWritten = 0;
    openPage();
}

QRect TReportEngine::fieldRect(const QString &field) const {
    const auto found = m_template.fields.constFind(field);
    if (found == m_template.fields.cend())
        throw TReportError(QStringLiteral("帳票の定義にフィールド %1 がありません。\r\n%2")
                               .arg(field, QDir::toNativeSeparators(m_formName)));
    return found->rect;
}

void TReportEngine::setFieldText(const QString &field, const QString &text) {
    requireOpen();
    fieldRect(field); // an unknown field is an error
    if (!m_fieldTexts.contains(field)) m_fieldOrder.push_back(field);
    m_fieldTexts.insert(field, text);
    m_pageUsed = true;
}

void TReportEngine::drawText(int left, int top, int right, int bottom, int align,
                             const QString &text) {
    requireOpen();
    m_pageUsed = true;
    if (text.trimmed().isEmpty()) return;
    TReportFont font = m_template.font;
    font.size = std::max(1, m_template.font.size * m_fontSize / 100);
    TDrawOp op;
    op.kind = TDrawOp::Text;
    op.rect = QRect(QPoint(left, top), QPoint(right, bottom));
    op.align = static_cast<quint8>(std::clamp(align, 0, 2));
    op.font = m_writer->fontIndex(font);
    op.text = text;
    m_page.ops.push_back(std::move(op));
}

void TReportEngine::drawLine(int x1, int y1, int x2, int y2) {
    requireOpen();
    m_pageUsed = true;
    TDrawOp op;
    op.kind = TDrawOp::Line;
    op.line = QLine(x1, y1, x2, y2);
    op.width = std::max(0, m_lineWidth);
    op.style = static_cast<quint8>(std::clamp(m_lineStyle, 0, 2));
    m_page.ops.push_back(std::move(op));
}

void TReportEngine::drawPicture(int left, int top, int right, int bottom, const QImage &picture) {
    requireOpen();
    m_pageUsed = true;
    TDrawOp op;
    op.kind = TDrawOp::Picture;
    op.rect = QRect(QPoint(left, top), QPoint(right, bottom));
    QBuffer buffer(&op.picture);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    m_page.ops.push_back(std::move(op));
}

// A new page starts with the template's rules and captions.
void TReportEngine::openPage() {
    m_page.ops.clear();
    m_fieldTexts.clear();
    m_fieldOrder.clear();
    m_pageUsed = false;
    for (const TTemplateRule &r : m_template.rules) {
        TDrawOp op;
        op.kind = TDrawOp::Line;
        op.line = r.line;
        op.width = r.width;
        m_page.ops.push_back(op);
    }
    for (const TTemplateCaption &c : m_template.captions) {
        TDrawOp op;
        op.kind = TDrawOp::Text;
        op.rect = c.rect;
        op.align = static_cast<quint8>(c.align);
        op.font = m_writer->fontIndex(c.font);
        op.text = c.text;
        m_page.ops.push_back(op);
    }
}

void TReportEngine::writeCurrentPage() {
    for (const QString &field : m_fieldOrder) {
        const QString &text = m_fieldTexts[field];
        if (text.trimmed().isEmpty()) continue;
        const TTemplateField &f = m_template.fields[field];
        TDrawOp op;
        op.kind = TDrawOp::Text;
        op.rect = f.rect;
        op.align = static_cast<quint8>(f.align);
        op.font = m_writer->fontIndex(f.font);
        op.text = text;
        m_page.ops.push_back(std::move(op));
    }
    if (!m_writer->writePage(m_page))
        throw TReportError(QStringLiteral("帳票のワークファイルに書き込めません。\r\n") +
                           QDir::toNativeSeparators(m_imageFileName) + QStringLiteral("\r\n") +
                           m_writer->errorString());
    ++m_pagesWritten;
}

void TReportEngine::finishPage() {
    requireOpen();
    writeCurrentPage();
    openPage();
}

void TReportEngine::endDoc() {
    requireOpen();
    // finishPage() leaves the next page open; it belongs to the document only when used.
    if (m_pageUsed || m_pagesWritten == 0) writeCurrentPage();
    const bool ok = m_writer->finish();
    const QString reason = m_writer->errorString();
    m_writer.reset();
    if (!ok)
        throw TReportError(QStringLiteral("帳票のワークファイルに書き込めません。\r\n") +
                           QDir::toNativeSeparators(m_imageFileName) + QStringLiteral("\r\n") +
                           reason);
}
