#pragma once
// Creation and upgrade of the two database files beside the program.

#include "schema.h"

#include <QString>
#include <QStringList>

namespace dbsetup {

inline const QString kControlFile = QStringLiteral("SEIGYO.db");
inline const QString kDataFile = QStringLiteral("DATA.db");

// Splits a script into statements at semicolons outside quoted texts and comments.
QStringList SplitSqlScript(const QString &script);

// The shipped content of a new file: era table, default marks and lines and the usage guide
// for the control database; the sample company for the data database.
QString ShippedContent(schema::Db db);

// Creates a database file with the schema and the given content. The file is written under a
// temporary name and renamed when complete, so a failed creation leaves no file behind.
// Returns an empty text on success, otherwise what failed.
QString CreateDatabaseFile(const QString &path, schema::Db db, const QString &contentSql);

// Creates the data folder and every missing database file with the shipped content. An
// existing file is never touched, whatever it holds. Returns the problems met (empty when
// all went well); the program still starts and OpenDatabase reports a file that is unusable.
QStringList EnsureDatabases(const QString &dataPath);

// The server's counterpart of EnsureDatabases: creates in the server database of `location`
// each missing schema (ctl, data) with its tables, the shipped content and its version row,
// and upgrades an older one. Everything is one server transaction, taken under a lock, so
// two programs starting at once do not both create, and a failure leaves the server as it
// was. Returns the problems met (empty when all went well).
QStringList EnsureServerDatabases(const dbloc::Location &location);

// The table that plays the part of SQLite's user_version in each server schema.
inline const QString kVersionTable = QStringLiteral("SCHEMAVERSION");

// Brings an existing database file up to schema::kVersion. Files made before versioning
// carry user_version 0 and are stamped. Returns false when the file could not be upgraded.
bool UpgradeDatabase(const QString &path, schema::Db db);

} // namespace dbsetup
