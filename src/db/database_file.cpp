#include "database_file.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace dbfile {
namespace {
quint32 bigEndian32(const uchar *p) {
    return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
}
} // namespace

Problem Check(const QString &path) {
    const QFileInfo info(path);
    if (!info.exists()) return Problem::Missing;
    if (!info.isFile()) return Problem::NotDatabase;
    const qint64 size = info.size();
    if (size == 0) return Problem::Empty;

    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return Problem::None; // locked or unreadable: SQLite says
    const QByteArray header = f.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return Problem::NotDatabase;
    const auto *h = reinterpret_cast<const uchar *>(header.constData());
    // Page size: a power of two from 512 to 32768, or 1 for 65536.
    qint64 pageSize = (qint64(h[16]) << 8) | h[17];
    if (pageSize == 1) pageSize = 65536;
    if (pageSize < 512 || pageSize > 65536 || (pageSize & (pageSize - 1)) != 0)
        return Problem::NotDatabase;
    if (size % pageSize != 0) return Problem::Truncated;
    // The page count in the header is valid when its version stamp matches the change counter
    // (every SQLite since 3.7.0 keeps it so); a file with fewer pages lost its end.
    const quint32 pages = bigEndian32(h + 28);
    if (pages != 0 && bigEndian32(h + 92) == bigEndian32(h + 24) && size < qint64(pages) * pageSize)
        return Problem::Truncated;
    return Problem::None;
}

bool MarkedReadOnly(const QString &path) {
    const QFileDevice::Permissions p = QFile::permissions(path);
    return p != QFileDevice::Permissions() &&
           !(p & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther));
}

Identity IdentityOf(const QString &path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {};
    return {static_cast<quint64>(st.st_dev), static_cast<quint64>(st.st_ino)};
}

} // namespace dbfile
