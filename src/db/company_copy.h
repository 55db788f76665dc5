#pragma once
// Copying a company, every fiscal year of it, from one place that keeps the data to another:
// from the SQLite files of a data folder to a server database, back, or between two folders,
// so a department can move its existing data. The program runs it from the command line:
//   valten_matrix --copy-company KCO --from <data folder | postgresql://...> --to <...>

#include "database_location.h"

#include <QString>
#include <QStringList>

namespace dbcopy {

// One end of a copy: the data folder holding SEIGYO.db and DATA.db, or a server database.
struct Place {
    dbloc::Location server; // isServer() for a server database
    QString folder;         // otherwise the data folder
    QString text() const { return server.isServer() ? server.url() : folder; }
};
// Reads a place as given on the command line: a postgresql:// URL or a folder.
QString ParsePlace(const QString &text, Place *out);

struct CopyResult {
    QString problem;  // empty when the copy was made
    int years = 0;    // fiscal years of the company copied
    qint64 rows = 0;  // rows written at the destination
};

// Copies every row of company `kco` (the tables of both databases with a company column) from
// `from` to `to`, in the order they were written. The destination is set up first when it has
// no databases yet; its rows of the company are replaced, other companies stay as they are.
// Everything at the destination is one transaction (on the server it holds the save lock, so
// no user's save interleaves): a failure leaves the destination as it was.
CopyResult CopyCompany(int kco, const Place &from, const Place &to);

// The command: reads "--copy-company KCO --from A --to B" from the arguments, copies, and
// returns the lines to print and the exit code (0 when copied).
int RunCopyCommand(const QStringList &arguments, QStringList *lines);

// Whether the arguments ask for the copy command.
bool IsCopyCommand(const QStringList &arguments);

} // namespace dbcopy
