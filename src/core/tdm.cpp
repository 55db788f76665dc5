#include "tdm.h"

#include "database_setup.h"
#include "message_seam.h"
#include "state.h"

#include <QFileInfo>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>
#include <sqlite3.h>

namespace {
TDM *theModule = nullptr;
int saveLockWaitMs = 10000;

QSqlDatabase database(const TConnection &connection) {
    return QSqlDatabase::database(connection.name(), false);
}

QString causeText(dbfile::Problem problem) {
    switch (problem) {
    case dbfile::Problem::Missing:
        return kCauseMissing;
    case dbfile::Problem::Empty:
        return kCauseEmpty;
    case dbfile::Problem::NotDatabase:
        return kCauseNotDatabase;
    case dbfile::Problem::Truncated:
        return kCauseTruncated;
    case dbfile::Problem::None:
        break;
    }
    return {};
}

// The cause of a failure that lies in the database file rather than in the statement
// (SQLite's primary result codes), or on the server in another user's save or the connection
// (the SQLSTATE); otherwise an empty text.
QString fileCauseOf(const QSqlError &error, bool onServer = false) {
    if (onServer) {
        const QString state = error.nativeErrorCode();
        if (dbloc::IsConflict(state)) return kCauseConflict;
        if (dbloc::IsConnectionLoss(state)) return kCauseServer;
        return {};
    }
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xFF;
    if (!ok) return {};
    switch (code) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return kCauseLocked;
    case SQLITE_READONLY:
        return kCauseReadOnly;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return kCauseNotDatabase;
    default:
        return {};
    }
}

} // namespace

// The checks of a connection's file, with access to what the connection remembers of it.
struct ConnectionFile {
    static QString cause(const TConnection &connection);
    static bool saveRefused(TConnection &connection);
};

// Why the file of an open connection cannot take a save now, or an empty text: it was
// damaged, deleted or replaced since it was opened, or it was opened for reading only.
QString ConnectionFile::cause(const TConnection &connection) {
    if (connection.onServer()) return {}; // the server looks after its own files
    const dbfile::Problem problem = dbfile::Check(connection.path());
    if (problem != dbfile::Problem::None) return causeText(problem);
    if (!(dbfile::IdentityOf(connection.path()) == connection.m_identity)) return kCauseReplaced;
    if (connection.isReadOnly() || dbfile::MarkedReadOnly(connection.path())) return kCauseReadOnly;
    return {};
}

namespace {
// Shows the failure of a statement on a connection; returns true when it lies in the database
// file (SQLite said so, or the file is found damaged, vanished or replaced).
bool showSqlFailure(const QSqlError &error, const TConnection &connection) {
    // For the developer: VM_DEBUG_SQL=1 prints every failing statement with the engine's reason.
    static const bool debug = qEnvironmentVariableIsSet("VM_DEBUG_SQL");
    if (debug)
        qWarning("SQL failed on %s: %s\n  %s", qPrintable(connection.path()),
                 qPrintable(error.text()), qPrintable(G().gSql.left(500)));
    const QString detail = error.databaseText() + QLatin1Char(' ') + error.driverText();
    // SQLite says "overflow"; the server reports a number out of range as SQLSTATE 22003.
    const bool overflow =
        detail.contains(QLatin1String("overflow"), Qt::CaseInsensitive) ||
        (connection.onServer() && error.nativeErrorCode() == QLatin1String("22003"));
    QString cause = fileCauseOf(error, connection.onServer());
    if (cause.isEmpty() && !overflow) {
        cause = ConnectionFile::cause(connection);
        if (cause == kCauseReadOnly) cause.clear(); // not why a statement failed
    }
    ShowMessage((overflow ? kMsgSqlOverflow : kMsgSqlUnknown) +
                    (cause.isEmpty() ? QString() : QLatin1Char('\n') + cause),
                QString(), MsgIcon::Error);
    return !cause.isEmpty();
}
} // namespace

// A statement of a save that was refused or has failed on its file: it fails without
// running and without another message.
bool ConnectionFile::saveRefused(TConnection &connection) {
    if (!connection.m_saveRefused) return false;
    ++connection.m_failures;
    return true;
}

namespace {
QString fileCause(const TConnection &connection) {
    return ConnectionFile::cause(connection);
}
bool saveRefused(TConnection &connection) {
    return ConnectionFile::saveRefused(connection);
}
} // namespace

TDM &DM() {
    Q_ASSERT(theModule);
    return *theModule;
}

TDM::TDM() {
    Q_ASSERT(!theModule);
    theModule = this;
    for (TConnection *c : {&ACN1, &ACN2})
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), c->name());
}

namespace {
// Makes the connection named `name` one of `driver`, keeping it when it already is.
QSqlDatabase useDriver(const QString &name, const QString &driver) {
    QSqlDatabase db = QSqlDatabase::database(name, false);
    if (db.isValid() && db.driverName() == driver) return db;
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
    return QSqlDatabase::addDatabase(driver, name);
}
} // namespace

TDM::~TDM() {
    for (TQuery *q : {&Query1, &Query2, &Query21, &Query22, &Query23})
        q->Close();
    for (TConnection *c : {&ACN1, &ACN2}) {
        CloseDatabase(*c);
        QSqlDatabase::removeDatabase(c->name());
    }
    theModule = nullptr;
}

bool TDM::OpenDatabase(TConnection &connection, const QString &filePath) {
    CloseDatabase(connection);
    connection.m_path = filePath;
    connection.m_schema.clear();
    QSqlDatabase db = useDriver(connection.name(), QStringLiteral("QSQLITE"));
    // A missing, empty, foreign or truncated file is reported without being opened: SQLite
    // would take an empty file for a new database and write into a damaged one.
    QString cause = causeText(dbfile::Check(filePath));
    bool ok = cause.isEmpty();
    if (ok) {
        connection.m_readOnly = dbfile::MarkedReadOnly(filePath);
        // The busy timeout holds from the first statement: the probe below may meet another
        // program's write lock too.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000") +
                             (connection.m_readOnly ? QStringLiteral(";QSQLITE_OPEN_READONLY")
                                                    : QString()));
        db.setDatabaseName(filePath);
        ok = db.open();
    }
    if (ok) {
        // SQLite opens any file lazily; reading the schema proves it is a database.
        QSqlQuery probe(db);
        ok = probe.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master")) && probe.next();
        if (!ok) cause = fileCauseOf(probe.lastError());
        if (ok) {
            // Room for every page a bulk write over a large project changes (10,000 employees
            // are a few MB), so it does not spill pages to the file before its commit.
            probe.exec(QStringLiteral("PRAGMA cache_size = -%1").arg(kPageCacheKiB));
        }
    }
    if (!ok) {
        db.close();
        ShowMessage(kMsgOpenError + filePath +
                        (cause.isEmpty() ? QString() : QLatin1Char('\n') + cause),
                    kAppCaption, MsgIcon::Error);
        return false;
    }
    connection.m_identity = dbfile::IdentityOf(filePath);
    connection.m_open = true;
    return true;
}

bool TDM::OpenServerDatabase(TConnection &connection, const dbloc::Location &location,
                             const QString &schema) {
    CloseDatabase(connection);
    connection.m_path = location.url() + QStringLiteral(" (") + schema + QLatin1Char(')');
    connection.m_schema = schema;
    connection.m_location = location;
    QSqlDatabase db = useDriver(connection.name(), QStringLiteral("QPSQL"));
    dbloc::ConfigureServerConnection(db, location);
    QString cause;
    bool ok = db.open();
    if (!ok) {
        cause = kCauseServer + QLatin1Char('\n') + db.lastError().text().trimmed();
    } else {
        // The connection reads and writes its own schema; its version table proves it is set up.
        QSqlQuery probe(db);
        ok = probe.exec(QStringLiteral("SET search_path TO ") + schema) &&
             probe.exec(QStringLiteral("SELECT COUNT(*) FROM ") + dbsetup::kVersionTable) &&
             probe.next();
        if (!ok) cause = probe.lastError().text().trimmed();
    }
    if (!ok) {
        db.close();
        ShowMessage(kMsgOpenError + connection.m_path +
                        (cause.isEmpty() ? QString() : QLatin1Char('\n') + cause),
                    kAppCaption, MsgIcon::Error);
        return false;
    }
    connection.m_open = true;
    return true;
}

void TDM::CloseDatabase(TConnection &connection) {
    for (TQuery *q : {&Query1, &Query2, &Query21, &Query22, &Query23})
        if (&q->connection() == &connection) q->Close();
    QSqlDatabase db = database(connection);
    if (db.isValid()) db.close();
    connection.m_open = false;
    connection.m_readOnly = false;
}

void TDM::CloseDatabases() {
    CloseDatabase(ACN1);
    CloseDatabase(ACN2);
}

bool TDM::ReopenDatabases() {
    const auto reopen = [this](TConnection &c) {
        return c.onServer() ? OpenServerDatabase(c, c.m_location, c.m_schema)
                            : OpenDatabase(c, c.path());
    };
    const bool controlOpen = reopen(ACN1);
    const bool dataOpen = reopen(ACN2);
    return controlOpen && dataOpen;
}

int SaveLockWaitMs() {
    return saveLockWaitMs;
}

void SetSaveLockWaitMs(int milliseconds) {
    saveLockWaitMs = milliseconds;
}

QString SqliteVersion() {
    return QString::fromLatin1(sqlite3_libversion());
}

QString DatabaseEngineText() {
    const TConnection &data = DM().ACN2;
    if (!data.onServer()) return QStringLiteral("SQLite ") + SqliteVersion();
    QSqlQuery q(database(data));
    QString version;
    if (data.isOpen() && q.exec(QStringLiteral("SHOW server_version")) && q.next())
        version = q.value(0).toString().section(QLatin1Char(' '), 0, 0);
    return QStringLiteral("PostgreSQL ") + version;
}

void TQuery::Close() {
    m_open = false;
    m_columns.clear();
    m_index.clear();
    m_rows.clear();
    m_pos = 0;
}

bool TQuery::HasColumn(const QString &column) const {
    return m_index.contains(column.toUpper());
}

QVariant TQuery::Value(const QString &column) const {
    if (Eof()) return {};
    const auto it = m_index.constFind(column.toUpper());
    if (it == m_index.cend()) return {};
    return m_rows[m_pos][*it];
}

QString TQuery::AsString(const QString &column) const {
    const QVariant v = Value(column);
    if (v.isNull()) return {};
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'f', QLocale::FloatingPointShortest);
    return v.toString();
}

int TQuery::AsInteger(const QString &column) const {
    const QVariant v = Value(column);
    if (v.isNull()) return 0;
    if (v.typeId() == QMetaType::Double) return static_cast<int>(v.toDouble());
    bool ok = false;
    const qlonglong n = v.toString().trimmed().toLongLong(&ok);
    if (ok) return static_cast<int>(n);
    const double d = v.toString().trimmed().toDouble(&ok);
    return ok ? static_cast<int>(d) : 0;
}

double TQuery::AsFloat(const QString &column) const {
    const QVariant v = Value(column);
    if (v.isNull()) return 0.0;
    bool ok = false;
    const double d = v.toString().trimmed().toDouble(&ok);
    return ok ? d : 0.0;
}

bool RunSql(TQuery &query, const QString &sql, char mode) {
    query.Close();
    if (mode != 'S' && mode != 'E') return false;
    TConnection &connection = query.connection();
    G().gSql = sql;
    if (!connection.isOpen()) {
        ++connection.m_failures;
        ShowMessage(kMsgSqlUnknown, QString(), MsgIcon::Error);
        return false;
    }
    if (saveRefused(connection)) return false;
    // A write outside a save is checked as a save is: never into a damaged or vanished file.
    if (mode == 'E' && connection.m_depth == 0) {
        const QString cause = fileCause(connection);
        if (!cause.isEmpty()) {
            ++connection.m_failures;
            ShowMessage(kMsgSaveRefused + connection.path() + QLatin1Char('\n') + cause, QString(),
                        MsgIcon::Error);
            return false;
        }
    }
    QSqlQuery q(database(connection));
    q.setForwardOnly(true);
    if (!q.exec(sql)) {
        ++connection.m_failures;
        // A save whose file failed goes no further: its other statements would only fail again,
        // each after the lock's waiting time. On the server a failed statement ends the
        // transaction's work anyway: the server refuses everything after it.
        if ((showSqlFailure(q.lastError(), connection) || connection.onServer()) &&
            connection.m_depth > 0)
            connection.m_saveRefused = true;
        return false;
    }
    if (mode == 'E') return true;

    const QSqlRecord record = q.record();
    const int n = record.count();
    for (int i = 0; i < n; ++i) {
        const QString name = record.fieldName(i);
        query.m_columns << name;
        query.m_index.insert(name.toUpper(), i);
    }
    while (q.next()) {
        std::vector<QVariant> row(n);
        for (int i = 0; i < n; ++i)
            row[i] = q.value(i);
        query.m_rows.push_back(std::move(row));
    }
    if (q.lastError().isValid()) { // a failure while stepping through the rows
        ++connection.m_failures;
        query.Close();
        showSqlFailure(q.lastError(), connection);
        return false;
    }
    query.m_open = true;
    return true;
}

QStringList ReadCodeNameItems(TConnection &connection, const QString &sql) {
    TQuery q(connection);
    RunSql(q, sql, 'S');
    QStringList items;
    items.reserve(q.RecordCount());
    for (; !q.Eof(); q.Next()) {
        const QString item = q.AsString(QStringLiteral("COMBNAME"));
        items << (item.isEmpty() ? QStringLiteral("0") : item);
    }
    return items;
}

QString SqlText(const QString &text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString SqlNum(double value) {
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

ScopedTransaction::ScopedTransaction(TConnection &connection, const TConnection *alsoWritten)
    : m_connection(connection) {
    m_failuresAtStart = connection.failures();
    if (!connection.isOpen()) return;
    if (connection.m_depth == 0) {
        // The files are checked once per save, before anything is written.
        QString path = connection.path();
        QString cause = fileCause(connection);
        if (cause.isEmpty() && alsoWritten && alsoWritten->isOpen()) {
            path = alsoWritten->path();
            cause = fileCause(*alsoWritten);
        }
        if (!cause.isEmpty()) {
            ShowMessage(kMsgSaveRefused + path + QLatin1Char('\n') + cause, QString(),
                        MsgIcon::Error);
            ++connection.m_failures;
            connection.m_saveRefused = true;
        }
    }
    ++connection.m_depth;
    m_counted = true;
    if (connection.m_saveRefused) {
        m_refused = true;
        return;
    }
    // The outermost save is the transaction; a save that runs inside another one is a
    // savepoint of it, and the outermost decides whether anything is kept.
    m_savepoint = QStringLiteral("sp%1").arg(++connection.m_savepointSeq);
    if (connection.m_depth == 1) {
        m_active = beginOutermost();
        return;
    }
    QSqlQuery q(database(connection));
    m_active = q.exec(QStringLiteral("SAVEPOINT ") + m_savepoint);
}

// The outermost save takes the right to write before it writes anything, so two programs
// writing the same database wait for each other instead of failing halfway. SQLite: BEGIN
// IMMEDIATE takes the file's write lock, waiting as long as the connection's busy timeout
// (a deferred transaction would read first and could then be refused the lock at once). The
// server: a transaction holding the database's save lock, waiting SaveLockWaitMs() for
// another user's save, and once more when that runs out. A save that cannot start says why.
bool ScopedTransaction::beginOutermost() {
    QSqlDatabase db = database(m_connection);
    QSqlError error;
    for (int attempt = 0; attempt < 2; ++attempt) {
        QSqlQuery q(db);
        if (!m_connection.onServer()) {
            if (q.exec(QStringLiteral("BEGIN IMMEDIATE"))) return true;
            error = q.lastError();
            break;
        }
        if (!db.transaction()) {
            error = db.lastError();
            break;
        }
        if (q.exec(QStringLiteral("SET LOCAL lock_timeout = %1").arg(SaveLockWaitMs())) &&
            q.exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kSaveLockKey)))
            return true;
        error = q.lastError();
        q.finish();
        db.rollback();
        if (!dbloc::IsConflict(error.nativeErrorCode())) break;
    }
    ++m_connection.m_failures;
    m_connection.m_saveRefused = true;
    m_refused = true;
    showSqlFailure(error, m_connection);
    return false;
}

ScopedTransaction::~ScopedTransaction() {
    rollback();
}

void ScopedTransaction::end() {
    m_refused = false;
    if (!m_counted) return;
    m_counted = false;
    if (--m_connection.m_depth == 0) m_connection.m_saveRefused = false;
}

bool ScopedTransaction::commit() {
    if (!m_active) {
        end();
        return false;
    }
    if (m_connection.failures() != m_failuresAtStart) {
        rollback();
        return false;
    }
    m_active = false;
    if (m_connection.m_depth == 1) {
        QSqlDatabase db = database(m_connection);
        if (db.commit()) {
            end();
            return true;
        }
        ++m_connection.m_failures;
        const QSqlError error = db.lastError();
        db.rollback();
        if (!m_connection.m_saveRefused) showSqlFailure(error, m_connection);
        end();
        return false;
    }
    QSqlQuery q(database(m_connection));
    if (q.exec(QStringLiteral("RELEASE ") + m_savepoint)) {
        end();
        return true;
    }
    ++m_connection.m_failures;
    const QSqlError error = q.lastError();
    q.exec(QStringLiteral("ROLLBACK TO ") + m_savepoint);
    q.exec(QStringLiteral("RELEASE ") + m_savepoint);
    if (!m_connection.m_saveRefused) showSqlFailure(error, m_connection);
    end();
    return false;
}

void ScopedTransaction::rollback() {
    if (!m_active) {
        end();
        return;
    }
    m_active = false;
    // A rolled-back part of a save counts as a failure of the save around it.
    ++m_connection.m_failures;
    if (m_connection.m_depth == 1) {
        database(m_connection).rollback();
        // A statement prepared for the save and freed after it failed could not be freed on
        // the server while the transaction stood aborted; free them all now.
        if (m_connection.onServer()) QSqlQuery(database(m_connection)).exec(QStringLiteral("DEALLOCATE ALL"));
        end();
        return;
    }
    QSqlQuery q(database(m_connection));
    q.exec(QStringLiteral("ROLLBACK TO ") + m_savepoint);
    q.exec(QStringLiteral("RELEASE ") + m_savepoint);
    end();
}

BothDatabasesTransaction::BothDatabasesTransaction() {
    TConnection &control = DM().ACN1;
    TConnection &data = DM().ACN2;
    if (!control.isOpen() || !data.isOpen()) return;
    // A file that cannot take the save: the transaction refuses it with its message.
    if (data.m_depth == 0 && (!fileCause(data).isEmpty() || !fileCause(control).isEmpty())) {
        m_transaction = std::make_unique<ScopedTransaction>(data, &control);
        return;
    }
    if (data.onServer()) { // one database: the data connection reaches schema ctl as CTL
        m_transaction = std::make_unique<ScopedTransaction>(data, &control);
        return;
    }
    QSqlQuery q(database(data));
    m_attached = q.exec(QStringLiteral("ATTACH DATABASE ") + SqlText(control.path()) +
                        QStringLiteral(" AS ") + kControlSchema);
    if (m_attached) m_transaction = std::make_unique<ScopedTransaction>(data, &control);
}

BothDatabasesTransaction::~BothDatabasesTransaction() {
    m_transaction.reset(); // rolls back unless committed
    if (m_attached) {
        QSqlQuery q(database(DM().ACN2));
        q.exec(QStringLiteral("DETACH DATABASE ") + kControlSchema);
    }
}

bool BothDatabasesTransaction::commit() {
    return m_transaction && m_transaction->commit();
}

TPrepared::TPrepared(TConnection &connection, const QString &sql) : m_connection(connection) {
    G().gSql = sql;
    if (!connection.isOpen()) {
        ++connection.m_failures;
        ShowMessage(kMsgSqlUnknown, QString(), MsgIcon::Error);
        return;
    }
    if (saveRefused(connection)) return;
    m_query = std::make_unique<QSqlQuery>(database(connection));
    m_query->setForwardOnly(true);
    m_valid = m_query->prepare(sql);
    if (!m_valid) {
        ++connection.m_failures;
        showSqlFailure(m_query->lastError(), m_connection);
    }
}

TPrepared::~TPrepared() = default;

namespace {
// The SQLite statement behind a prepared query; nullptr for another driver.
sqlite3_stmt *sqliteStatement(const QSqlQuery &query) {
    const QVariant handle = query.result()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3_stmt*") != 0) return nullptr;
    return *static_cast<sqlite3_stmt *const *>(handle.constData());
}

// Binds a value as Qt's SQLite driver does (null texts, bytes and dates as NULL; numbers as
// numbers; everything else as its text, kept in `texts` until the statement has run). False
// for a date-time or a time, which the driver formats in its own way.
bool bindSqlite(sqlite3_stmt *statement, int n, const QVariant &value,
                std::vector<QByteArray> &texts, int &rc) {
    const auto bindText = [&](QByteArray utf8) {
        texts.push_back(std::move(utf8));
        rc = sqlite3_bind_text(statement, n, texts.back().constData(),
                               static_cast<int>(texts.back().size()), SQLITE_STATIC);
    };
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        rc = sqlite3_bind_null(statement, n);
        return true;
    case QMetaType::Int:
    case QMetaType::Bool:
        rc = sqlite3_bind_int(statement, n, value.toInt());
        return true;
    case QMetaType::UInt:
    case QMetaType::LongLong:
        rc = sqlite3_bind_int64(statement, n, value.toLongLong());
        return true;
    case QMetaType::Double:
        rc = sqlite3_bind_double(statement, n, value.toDouble());
        return true;
    case QMetaType::QString: {
        const QString &text = *static_cast<const QString *>(value.constData());
        if (text.isNull())
            rc = sqlite3_bind_null(statement, n);
        else
            bindText(text.toUtf8());
        return true;
    }
    case QMetaType::QByteArray: {
        const QByteArray &bytes = *static_cast<const QByteArray *>(value.constData());
        rc = bytes.isNull() ? sqlite3_bind_null(statement, n)
                            : sqlite3_bind_blob(statement, n, bytes.constData(),
                                                static_cast<int>(bytes.size()), SQLITE_STATIC);
        return true;
    }
    case QMetaType::QDate:
        if (value.toDate().isNull())
            rc = sqlite3_bind_null(statement, n);
        else
            bindText(value.toString().toUtf8());
        return true;
    case QMetaType::QDateTime:
    case QMetaType::QTime:
        return false;
    default:
        if (value.isNull())
            rc = sqlite3_bind_null(statement, n);
        else
            bindText(value.toString().toUtf8());
        return true;
    }
}
} // namespace

bool TPrepared::run(const QVariantList &values) {
    if (!m_valid || saveRefused(m_connection)) return false;
    // QSqlQuery::bindValue costs more than the insert itself (it names every position with a
    // formatted text), so a bulk write binds its values in SQLite directly. The system SQLite
    // linked here is the one Qt's SQLite driver uses.
    sqlite3_stmt *statement = sqliteStatement(*m_query);
    bool direct = statement && values.size() == sqlite3_bind_parameter_count(statement);
    std::vector<QByteArray> texts;
    int rc = SQLITE_OK;
    if (direct) {
        texts.reserve(values.size());
        sqlite3_reset(statement);
        for (qsizetype i = 0; direct && rc == SQLITE_OK && i < values.size(); ++i)
            direct = bindSqlite(statement, static_cast<int>(i) + 1, values[i], texts, rc);
    }
    if (!direct) {
        for (qsizetype i = 0; i < values.size(); ++i)
            // A truth value is stored as 1 or 0, as SQLite stores it; the server would refuse a
            // boolean for a number column.
            m_query->bindValue(static_cast<int>(i), values[i].typeId() == QMetaType::Bool
                                                        ? QVariant(values[i].toInt())
                                                        : values[i]);
        if (m_query->exec()) return true;
        ++m_connection.m_failures;
        if (showSqlFailure(m_query->lastError(), m_connection) && m_connection.m_depth > 0)
            m_connection.m_saveRefused = true;
        return false;
    }
    if (rc == SQLITE_OK) rc = sqlite3_step(statement);
    const bool ok = rc == SQLITE_DONE || rc == SQLITE_ROW;
    const QSqlError error =
        ok ? QSqlError()
           : QSqlError(QStringLiteral("Unable to execute statement"),
                       QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(statement))),
                       QSqlError::StatementError, QString::number(rc));
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement); // the bound texts end with this call
    if (ok) return true;
    ++m_connection.m_failures;
    if (showSqlFailure(error, m_connection) && m_connection.m_depth > 0)
        m_connection.m_saveRefused = true;
    return false;
}
