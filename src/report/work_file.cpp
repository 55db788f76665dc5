#include "work_file.h"

#include <QDataStream>

namespace {
constexpr quint32 kMagic = 0x564D5244; // "VMRD"
constexpr quint16 kVersion = 1;
constexpr auto kStreamVersion = QDataStream::Qt_6_0;

void writeOp(QDataStream &out, const TDrawOp &op) {
    out << quint8(op.kind);
    if (op.kind == TDrawOp::Text) {
        out << qint32(op.rect.left()) << qint32(op.rect.top()) << qint32(op.rect.right())
            << qint32(op.rect.bottom()) << op.align << op.font << op.text;
    } else if (op.kind == TDrawOp::Picture) {
        out << qint32(op.rect.left()) << qint32(op.rect.top()) << qint32(op.rect.right())
            << qint32(op.rect.bottom()) << op.picture;
    } else {
        out << qint32(op.line.x1()) << qint32(op.line.y1()) << qint32(op.line.x2())
            << qint32(op.line.y2()) << op.width << op.style;
    }
}

bool readOp(QDataStream &in, TDrawOp &op) {
    quint8 kind = 0;
    qint32 a = 0, b = 0, c = 0, d = 0;
    in >> kind >> a >> b >> c >> d;
    if (kind == TDrawOp::Text) {
        op.kind = TDrawOp::Text;
        op.rect = QRect(QPoint(a, b), QPoint(c, d));
        in >> op.align >> op.font >> op.text;
    } else if (kind == TDrawOp::Line) {
        op.kind = TDrawOp::Line;
        op.line = QLine(a, b, c, d);
        in >> op.width >> op.style;
    } else if (kind == TDrawOp::Picture) {
        op.kind = TDrawOp::Picture;
        op.rect = QRect(QPoint(a, b), QPoint(c, d));
        in >> op.picture;
    } else {
        return false;
    }
    return in.status() == QDataStream::Ok;
}

QString quoted(const QString &text) {
    QString t = text;
    t.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}
} // namespace

TWorkFileWriter::TWorkFileWriter(const QString &path) : m_file(path) {}
TWorkFileWriter::~TWorkFileWriter() = default;

bool TWorkFileWriter::open(const QString &title, int width, int height, bool narrow) {
    if (!m_file.open(QIODevice::WriteOnly)) return false;
    m_out = std::make_unique<QDataStream>(&m_file);
    m_out->setVersion(kStreamVersion);
    *m_out << kMagic << kVersion << title << qint32(width) << qint32(height) << narrow;
    return m_out->status() == QDataStream::Ok;
}

quint16 TWorkFileWriter::fontIndex(const TReportFont &font) {
    for (size_t i = 0; i < m_fonts.size(); ++i)
        if (m_fonts[i] == font) return static_cast<quint16>(i);
    m_fonts.push_back(font);
    return static_cast<quint16>(m_fonts.size() - 1);
}

bool TWorkFileWriter::writePage(const TReportPage &page) {
    if (!m_out) return false;
    m_offsets.push_back(static_cast<quint64>(m_file.pos()));
    *m_out << quint32(page.ops.size());
    for (const TDrawOp &op : page.ops)
        writeOp(*m_out, op);
    return m_out->status() == QDataStream::Ok;
}

bool TWorkFileWriter::finish() {
    if (!m_out) return false;
    const quint64 trailer = static_cast<quint64>(m_file.pos());
    *m_out << quint32(m_fonts.size());
    for (const TReportFont &f : m_fonts)
        *m_out << f.family << qint32(f.size) << f.bold;
    *m_out << quint32(m_offsets.size());
    for (quint64 offset : m_offsets)
        *m_out << offset;
    *m_out << trailer;
    const bool ok = m_out->status() == QDataStream::Ok;
    m_out.reset();
    return ok && m_file.commit();
}

QString TWorkFileWriter::errorString() const {
    return m_file.errorString();
}

void TWorkFileReader::close() {
    m_file.close();
    m_info = TWorkFileInfo();
    m_offsets.clear();
}

bool TWorkFileReader::open(const QString &path) {
    close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly) || m_file.size() < 16) return false;
    QDataStream in(&m_file);
    in.setVersion(kStreamVersion);
    quint32 magic = 0;
    quint16 version = 0;
    qint32 width = 0, height = 0;
    in >> magic >> version >> m_info.title >> width >> height >> m_info.narrow;
    if (magic != kMagic || version != kVersion || in.status() != QDataStream::Ok) return false;
    m_info.width = width;
    m_info.height = height;

    quint64 trailer = 0;
    if (!m_file.seek(m_file.size() - 8)) return false;
    in >> trailer;
    if (trailer >= static_cast<quint64>(m_file.size()) || !m_file.seek(qint64(trailer)))
        return false;
    quint32 fonts = 0;
    in >> fonts;
    for (quint32 i = 0; i < fonts && in.status() == QDataStream::Ok; ++i) {
        TReportFont f;
        qint32 size = 0;
        in >> f.family >> size >> f.bold;
        f.size = size;
        m_info.fonts.push_back(f);
    }
    quint32 pages = 0;
    in >> pages;
    if (in.status() != QDataStream::Ok || pages > trailer) return false;
    m_offsets.resize(pages);
    for (quint64 &offset : m_offsets)
        in >> offset;
    if (in.status() != QDataStream::Ok) return false;
    m_info.pageCount = static_cast<int>(pages);
    return true;
}

bool TWorkFileReader::readPage(int page, TReportPage &out) {
    out.ops.clear();
    if (page < 1 || page > m_info.pageCount || !m_file.isOpen()) return false;
    if (!m_file.seek(qint64(m_offsets[page - 1]))) return false;
    QDataStream in(&m_file);
    in.setVersion(kStreamVersion);
    quint32 count = 0;
    in >> count;
    // Every operation takes more than one byte: a larger count is no work file's.
    if (in.status() != QDataStream::Ok || count > quint64(m_file.size())) return false;
    out.ops.resize(count);
    for (TDrawOp &op : out.ops) {
        if (!readOp(in, op)) return false;
        if (op.kind == TDrawOp::Text && op.font >= m_info.fonts.size()) return false;
    }
    return true;
}

QString DumpWorkFile(const QString &path) {
    TWorkFileReader reader;
    if (!reader.open(path)) return QStringLiteral("no work file: ") + path + u'\n';
    const TWorkFileInfo &info = reader.info();
    QString out;
    out += QStringLiteral("title %1\n").arg(quoted(info.title));
    out += QStringLiteral("size %1 x %2%3\n")
               .arg(info.width)
               .arg(info.height)
               .arg(info.narrow ? QStringLiteral(" narrow") : QString());
    for (size_t i = 0; i < info.fonts.size(); ++i)
        out += QStringLiteral("font %1 %2 %3%4\n")
                   .arg(i)
                   .arg(quoted(info.fonts[i].family))
                   .arg(info.fonts[i].size / 10.0, 0, 'f', 1)
                   .arg(info.fonts[i].bold ? QStringLiteral(" bold") : QString());
    out += QStringLiteral("pages %1\n").arg(reader.pageCount());
    TReportPage page;
    for (int p = 1; p <= reader.pageCount(); ++p) {
        out += QStringLiteral("page %1\n").arg(p);
        if (!reader.readPage(p, page)) {
            out += QStringLiteral("  unreadable\n");
            continue;
        }
        for (const TDrawOp &op : page.ops) {
            if (op.kind == TDrawOp::Text) {
                out += QStringLiteral("  text %1 %2 %3 %4 align %5 font %6 %7\n")
                           .arg(op.rect.left())
                           .arg(op.rect.top())
                           .arg(op.rect.right())
                           .arg(op.rect.bottom())
                           .arg(op.align)
                           .arg(op.font)
                           .arg(quoted(op.text));
            } else if (op.kind == TDrawOp::Picture) {
                out += QStringLiteral("  picture %1 %2 %3 %4 png %5 bytes\n")
                           .arg(op.rect.left())
                           .arg(op.rect.top())
                           .arg(op.rect.right())
                           .arg(op.rect.bottom())
                           .arg(op.picture.size());
            } else {
                out += QStringLiteral("  line %1 %2 %3 %4 width %5 style %6\n")
                           .arg(op.line.x1())
                           .arg(op.line.y1())
                           .arg(op.line.x2())
                           .arg(op.line.y2())
                           .arg(op.width)
                           .arg(op.style);
            }
        }
    }
    return out;
}
