#pragma once
// The tables and views of the two databases. Column names, order and types are those every
// statement of the program relies on (inserts without a column list included).

#include "database_location.h"

#include <QString>
#include <QStringList>

namespace schema {

// Version written to PRAGMA user_version; an older file is upgraded in place on start.
inline constexpr int kVersion = 2;

enum class Db { Control, Data };

struct Table {
    QString name;
    QStringList columns; // "NAME TYPE", in table order
    QStringList key;     // primary key columns; empty when the table has none
    QStringList index;   // columns of a lookup index; empty for none
};

struct View {
    QString name;
    QString select;
};

const QList<Table> &Tables(Db db);
const QList<View> &Views(Db db);

// CREATE statements for a fresh database, tables first, then views. On the server an INTEGER
// column is NUMERIC: SQLite keeps a fraction written into an INTEGER column (a wage table's
// 950000.5), and so must the server. Every server table ends in a column
// `rowid`, numbered by the server, so the statements that keep the order rows were written in
// (ORDER BY rowid) read the same on both engines.
QStringList CreateStatements(Db db, dbloc::Engine engine = dbloc::Engine::Sqlite);
// CREATE statements of one table of `db` (the table and its lookup index), as a fresh database
// has them; empty when there is no such table. Upgrades add new tables with these.
QStringList CreateTableStatements(Db db, const QString &table,
                                  dbloc::Engine engine = dbloc::Engine::Sqlite);

} // namespace schema
