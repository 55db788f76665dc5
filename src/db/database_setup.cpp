#include "database_setup.h"

#include "database_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace dbsetup {
namespace {

QString runAll(QSqlDatabase db, const QStringList &statements) {
    QSqlQuery q(db);
    for (const QString &s : statements)
        if (!q.exec(s)) return s.left(200) + QStringLiteral(": ") + q.lastError().text();
    return {};
}

// The statements that bring a database of `version` up to schema::kVersion, the version
// stamp excepted. Each version adds its step here.
QStringList upgradeSteps(int version, schema::Db db, dbloc::Engine engine) {
    QStringList steps;
    if (version < 2 && db == schema::Db::Data) // the raise budget
        steps << schema::CreateTableStatements(db, QStringLiteral("MGENSHI"), engine);
    return steps;
}

int userVersion(QSqlDatabase db) {
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("PRAGMA user_version")) && q.next()) return q.value(0).toInt();
    return -1;
}

// The advisory lock that keeps two programs from setting up one server database at once.
constexpr qint64 kSetupLockKey = 0x56414c5453455455; // "VALTSETU"

} // namespace

QStringList SplitSqlScript(const QString &script) {
    QStringList out;
    QString current;
    bool inQuote = false;
    const qsizetype n = script.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = script[i];
        if (!inQuote && c == QLatin1Char('-') && i + 1 < n && script[i + 1] == QLatin1Char('-')) {
            while (i < n && script[i] != QLatin1Char('\n'))
                ++i; // comment to end of line
            continue;
        }
        if (c == QLatin1Char('\'')) inQuote = !inQuote; // a doubled quote toggles twice
        if (c == QLatin1Char(';') && !inQuote) {
            if (!current.trimmed().isEmpty()) out << current.trimmed();
            current.clear();
            continue;
        }
        current += c;
    }
    if (!current.trimmed().isEmpty()) out << current.trimmed();
    return out;
}

QString ShippedContent(schema::Db db) {
    QFile f(db == schema::Db::Control ? QStringLiteral(":/db/control_content.sql")
                                      : QStringLiteral(":/db/sample_company.sql"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

QString CreateDatabaseFile(const QString &path, schema::Db db, const QString &contentSql) {
    const QString temp = path + QStringLiteral(".creating");
    QFile::remove(temp);
    QString problem;
    {
        dbloc::PrivateConnection c(QStringLiteral("setup"), temp);
        if (!c.isOpen()) {
            problem = c.error();
        } else {
            QSqlDatabase d = c.db();
            d.transaction();
            problem = runAll(d, schema::CreateStatements(db));
            if (problem.isEmpty()) problem = runAll(d, SplitSqlScript(contentSql));
            if (problem.isEmpty())
                problem =
                    runAll(d, {QStringLiteral("PRAGMA user_version = %1").arg(schema::kVersion)});
            if (problem.isEmpty() && !d.commit()) problem = d.lastError().text();
            if (!problem.isEmpty()) d.rollback();
        }
    }
    if (problem.isEmpty() && !QFile::rename(temp, path))
        problem = QStringLiteral("rename failed: ") + path;
    if (!problem.isEmpty()) QFile::remove(temp);
    return problem;
}

QStringList EnsureDatabases(const QString &dataPath) {
    QStringList problems;
    if (!QDir().mkpath(dataPath)) return {QStringLiteral("cannot create ") + dataPath};
    const struct {
        QString file;
        schema::Db db;
    } files[] = {{kControlFile, schema::Db::Control}, {kDataFile, schema::Db::Data}};
    for (const auto &f : files) {
        const QString path = QDir(dataPath).filePath(f.file);
        if (QFileInfo::exists(path)) {
            // A damaged or foreign file is left exactly as it is; opening it reports it.
            if (dbfile::Check(path) != dbfile::Problem::None) {
                problems << QStringLiteral("unusable ") + path;
                continue;
            }
            if (dbfile::MarkedReadOnly(path)) continue; // read as it is, never upgraded

            if (!UpgradeDatabase(path, f.db)) problems << QStringLiteral("cannot upgrade ") + path;
            continue;
        }
        const QString problem = CreateDatabaseFile(path, f.db, ShippedContent(f.db));
        if (!problem.isEmpty()) problems << problem;
    }
    return problems;
}

QStringList EnsureServerDatabases(const dbloc::Location &location) {
    QStringList problems;
    {
        dbloc::PrivateConnection c(QStringLiteral("setup"), location);
        QSqlDatabase d = c.db();
        if (!c.isOpen()) {
            problems << location.url() + QStringLiteral(": ") + c.error();
        } else if (!d.transaction()) {
            problems << d.lastError().text();
        } else {
            QSqlQuery q(d);
            // One program at a time sets up the schemas; the lock ends with the transaction.
            QString problem = runAll(d, {QStringLiteral("SELECT pg_advisory_xact_lock(%1)")
                                             .arg(kSetupLockKey)});
            const struct {
                QString schema;
                schema::Db db;
            } schemas[] = {{dbloc::kControlSchema, schema::Db::Control},
                           {dbloc::kDataSchema, schema::Db::Data}};
            for (const auto &s : schemas) {
                if (!problem.isEmpty()) break;
                q.exec(QStringLiteral("SELECT 1 FROM information_schema.schemata "
                                      "WHERE schema_name = '%1'")
                           .arg(s.schema));
                const bool exists = q.next();
                QStringList steps{QStringLiteral("SET LOCAL search_path TO ") + s.schema};
                if (!exists) {
                    steps.prepend(QStringLiteral("CREATE SCHEMA ") + s.schema);
                    steps << schema::CreateStatements(s.db, dbloc::Engine::Server)
                          << SplitSqlScript(ShippedContent(s.db))
                          << QStringLiteral("CREATE TABLE %1 (VERSION BIGINT NOT NULL)")
                                 .arg(kVersionTable)
                          << QStringLiteral("INSERT INTO %1 VALUES (%2)")
                                 .arg(kVersionTable)
                                 .arg(schema::kVersion);
                    problem = runAll(d, steps);
                    continue;
                }
                problem = runAll(d, steps);
                if (!problem.isEmpty()) break;
                int version = -1;
                if (q.exec(QStringLiteral("SELECT MAX(VERSION) FROM ") + kVersionTable) && q.next())
                    version = q.value(0).toInt();
                if (version < 1) {
                    problem = s.schema + QStringLiteral(": no schema version");
                    break;
                }
                if (version >= schema::kVersion) continue;
                steps = upgradeSteps(version, s.db, dbloc::Engine::Server);
                steps << QStringLiteral("UPDATE %1 SET VERSION = %2")
                             .arg(kVersionTable)
                             .arg(schema::kVersion);
                problem = runAll(d, steps);
            }
            q.finish();
            if (problem.isEmpty() && !d.commit()) problem = d.lastError().text();
            if (!problem.isEmpty()) {
                d.rollback();
                problems << problem;
            }
        }
    }
    return problems;
}

bool UpgradeDatabase(const QString &path, schema::Db db) {
    // Check the header first: SQLite would happily treat an empty or foreign file as new.
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || !f.read(16).startsWith("SQLite format 3")) return false;
    f.close();
    dbloc::PrivateConnection c(QStringLiteral("setup"), path);
    if (!c.isOpen()) return false;
    const int version = userVersion(c.db());
    if (version < 0) return false;
    if (version >= schema::kVersion) return true;
    // Version 1 is the first versioned schema; each later version adds its step here. The
    // steps and the new version number are one transaction: a failed step leaves the file as
    // it was, to be upgraded on the next start.
    QSqlDatabase d = c.db();
    if (!d.transaction()) return false;
    QStringList steps = upgradeSteps(version, db, dbloc::Engine::Sqlite);
    steps << QStringLiteral("PRAGMA user_version = %1").arg(schema::kVersion);
    if (!runAll(d, steps).isEmpty() || !d.commit()) {
        d.rollback();
        return false;
    }
    return true;
}

} // namespace dbsetup
