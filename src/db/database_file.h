#pragma once
// What is wrong with a database file, found from the file itself without opening it, so a
// damaged, foreign or vanished file is reported instead of being opened and written to.

#include <QString>
#include <QtGlobal>

namespace dbfile {

enum class Problem {
    None,
    Missing,     // no file at the path
    Empty,       // a file of 0 bytes, which SQLite would take for a new database
    NotDatabase, // no SQLite header, or a header no SQLite writes
    Truncated,   // shorter than the pages its header counts, or not whole pages
};

// Checks the header and the size of a database file.
Problem Check(const QString &path);

// True when the file carries no write permission at all (the user marked it read-only);
// the program then opens it for reading only, whoever runs it.
bool MarkedReadOnly(const QString &path);

// Device and inode of a file, so a file that was deleted or replaced while open is noticed;
// 0 when there is no file.
struct Identity {
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const Identity &) const = default;
};
Identity IdentityOf(const QString &path);

} // namespace dbfile
