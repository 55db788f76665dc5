#pragma once
// The data module: two database connections and five query objects through which every
// screen reaches the databases. ACN1 is the control database (SEIGYO.db, Query1 and Query2),
// ACN2 the data database (DATA.db, Query21, Query22 and Query23).
//
// A query object holds the whole result of its last SELECT, read forward from the first row:
// the row count is known once it is open, and no statement is left running on the connection
// while the caller writes with another query object.

#include "database_file.h"
#include "database_location.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

class QSqlQuery;

class TConnection {
public:
    explicit TConnection(QString name) : m_name(std::move(name)) {}
    const QString &name() const { return m_name; }
    const QString &path() const { return m_path; }
    bool isOpen() const { return m_open; }
    // Number of statements that have failed on this connection; the transaction helper
    // compares it before and after a save.
    int failures() const { return m_failures; }
    // Opened for reading only, because the file is marked read-only.
    bool isReadOnly() const { return m_readOnly; }
    // A schema of the server database rather than a file (its path is the server's URL and
    // the schema).
    bool onServer() const { return !m_schema.isEmpty(); }

private:
    friend class TDM;
    friend class TQuery;
    friend bool RunSql(class TQuery &, const QString &, char);
    friend class ScopedTransaction;
    friend class BothDatabasesTransaction;
    friend class TPrepared;
    friend struct ConnectionFile;
    QString m_name;
    QString m_path;
    bool m_open = false;
    int m_failures = 0;
    int m_savepointSeq = 0;
    bool m_readOnly = false;
    QString m_schema; // on the server: the schema the connection reads and writes
    dbloc::Location m_location; // on the server: where it is
    dbfile::Identity m_identity; // of the file when it was opened
    int m_depth = 0;             // saves (ScopedTransaction) running on the connection
    // Set while a save runs on a file that cannot take it (damaged, vanished, read-only,
    // locked): the save's remaining statements fail without running or asking again.
    bool m_saveRefused = false;
};

class TQuery {
public:
    explicit TQuery(TConnection &connection) : m_connection(connection) {}

    TConnection &connection() const { return m_connection; }
    bool isOpen() const { return m_open; }
    bool Eof() const { return !m_open || m_pos >= static_cast<qsizetype>(m_rows.size()); }
    void Next() {
        if (!Eof()) ++m_pos;
    }
    int RecordCount() const { return m_open ? static_cast<int>(m_rows.size()) : 0; }
    void Close();
    const QStringList &columns() const { return m_columns; }

    // The raw value of a column of the current row (case-insensitive name); a null value
    // when the column does not exist or no row is current.
    QVariant Value(const QString &column) const;
    bool HasColumn(const QString &column) const;
    // Typed reads: null reads as empty text, 0 and 0.0; text that is no number reads as 0.
    QString AsString(const QString &column) const;
    int AsInteger(const QString &column) const;
    double AsFloat(const QString &column) const;

private:
    friend bool RunSql(TQuery &, const QString &, char);
    TConnection &m_connection;
    bool m_open = false;
    QStringList m_columns;
    QHash<QString, int> m_index; // upper-case column name -> position
    std::vector<std::vector<QVariant>> m_rows;
    qsizetype m_pos = 0;
};

class TDM {
public:
    TDM();
    ~TDM();
    TDM(const TDM &) = delete;
    TDM &operator=(const TDM &) = delete;

    // Opens the connection on an existing database file; on failure shows the open-error
    // message and leaves the connection closed. A missing file is never created here.
    bool OpenDatabase(TConnection &connection, const QString &filePath);
    // Opens the connection on a schema (ctl, data) of the server database of `location`; on
    // failure shows the open-error message with the server's reason.
    bool OpenServerDatabase(TConnection &connection, const dbloc::Location &location,
                            const QString &schema);
    void CloseDatabase(TConnection &connection);

    // Closes both connections, so their files can be replaced (compaction). Each keeps the
    // path it was last opened on.
    void CloseDatabases();
    // Opens both connections again on those paths (or server schemas), the control database
    // first; true when both are open. One that does not open shows the open-error message.
    bool ReopenDatabases();

    TConnection ACN1{QStringLiteral("ACN1")};
    TConnection ACN2{QStringLiteral("ACN2")};
    TQuery Query1{ACN1};
    TQuery Query2{ACN1};
    TQuery Query21{ACN2};
    TQuery Query22{ACN2};
    TQuery Query23{ACN2};
};

// How long a save on the server waits for another user's save, per try: 10 seconds. Tests
// shorten it.
int SaveLockWaitMs();
void SetSaveLockWaitMs(int milliseconds);
// The advisory lock every save on the server holds.
inline constexpr qint64 kSaveLockKey = dbloc::kSaveLockKey;

// The page cache of each connection, in KiB.
inline constexpr int kPageCacheKiB = 32768;

// The version of the SQLite library the connections use ("3.40.1").
QString SqliteVersion();
// The engine the data connection uses and its version: "SQLite 3.40.1", or on the server
// "PostgreSQL 15.18" as the server reports it.
QString DatabaseEngineText();

// The one data module; valid while a TDM exists.
TDM &DM();

// Runs a statement on a query object. Mode 'S' opens a result set, 'E' executes a statement
// without one, any other mode runs nothing. A failure shows one of the two SQL messages and
// leaves the query object closed (an empty result). Returns whether the statement ran.
bool RunSql(TQuery &query, const QString &sql, char mode);

// The first column (named COMBNAME) of every row of a SELECT, as text (null reads as "0"): the
// "code : name" items of the code lists.
QStringList ReadCodeNameItems(TConnection &connection, const QString &sql);

// Quoting for statements: a text between single quotes with every single quote doubled, a
// number as its shortest decimal text.
QString SqlText(const QString &text);
QString SqlNum(double value);
inline QString SqlInt(qint64 value) {
    return QString::number(value);
}

// Runs several writing statements on one connection as one unit: commit() makes them
// permanent only when none of them failed; otherwise, and when the helper goes out of scope
// without commit(), everything since the start is rolled back.
//
// On the server several programs write the same database. A save first takes the database's
// save lock, which it holds until its commit or rollback, so two users' saves never
// interleave (a save's deletes and inserts cannot mix with another's). A lock that another
// user's save holds longer than SaveLockWaitMs() is tried once more; a save that still
// cannot start, or whose statement the server cancels because of another user (deadlock,
// serialization failure), writes nothing and says so with kCauseConflict.
class ScopedTransaction {
public:
    // A save on a file that cannot take it (damaged, vanished, replaced, read-only) is refused
    // before it starts: one message names the file and the cause, every statement of the save
    // then fails without running and commit() returns false. `alsoWritten` is a second
    // connection whose file the save writes too (the control database of a save over both).
    explicit ScopedTransaction(TConnection &connection, const TConnection *alsoWritten = nullptr);
    ~ScopedTransaction();
    ScopedTransaction(const ScopedTransaction &) = delete;
    ScopedTransaction &operator=(const ScopedTransaction &) = delete;
    // True while the save runs, refused or not.
    bool active() const { return m_active || m_refused; }
    bool commit();
    void rollback();

private:
    void end();
    bool beginOutermost();
    bool m_refused = false;

    TConnection &m_connection;
    QString m_savepoint;
    int m_failuresAtStart = 0;
    bool m_active = false;
    bool m_counted = false; // holds one level of m_connection.m_depth
};

// Writes both databases as one unit. While it lives, the control database is attached to
// the data connection as schema CTL, so statements run on a data query object reach the
// control tables as CTL.<table>, and one commit keeps the changes to both files (SQLite
// commits attached files atomically) or none of them. On the server both databases are
// schemas of one database: the data connection reaches schema ctl as CTL (names fold to
// lower case) and the one server transaction commits both. It cannot start inside another save on
// the data connection; active() is false then, or when either database is not open.
class BothDatabasesTransaction {
public:
    BothDatabasesTransaction();
    ~BothDatabasesTransaction();
    BothDatabasesTransaction(const BothDatabasesTransaction &) = delete;
    BothDatabasesTransaction &operator=(const BothDatabasesTransaction &) = delete;
    bool active() const { return m_transaction && m_transaction->active(); }
    bool commit();

private:
    bool m_attached = false;
    std::unique_ptr<ScopedTransaction> m_transaction;
};
// The schema name of the control database inside a BothDatabasesTransaction.
inline const QString kControlSchema = QStringLiteral("CTL");

// A statement prepared once and run for many rows with bound values: the bulk writes
// (imports, copies of a whole project) inside one transaction. A failure shows one of the two
// SQL messages and counts as a failure of the connection, as with RunSql.
class TPrepared {
public:
    TPrepared(TConnection &connection, const QString &sql);
    ~TPrepared();
    TPrepared(const TPrepared &) = delete;
    TPrepared &operator=(const TPrepared &) = delete;
    bool isValid() const { return m_valid; }
    bool run(const QVariantList &values);

private:
    TConnection &m_connection;
    std::unique_ptr<QSqlQuery> m_query;
    bool m_valid = false;
};

// Messages of the data module.
inline const QString kMsgOpenError =
    QStringLiteral("データベースのオープンでエラーが発生しました。　");
inline const QString kMsgSqlOverflow = QStringLiteral("ＳＱＬ処理でオーバーフローが発生しました。");
inline const QString kMsgSqlUnknown = QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。");
// A save refused before it wrote anything, because of the database file itself: this line,
// the file's path, then the cause.
inline const QString kMsgSaveRefused =
    QStringLiteral("データベースファイルに書き込めないため、保存できませんでした。　");
// The causes, added as a line of their own to the messages above.
inline const QString kCauseMissing =
    QStringLiteral("データベースファイルが見つかりません。削除されたか移動されています。");
inline const QString kCauseReplaced = QStringLiteral(
    "データベースファイルが開いた後に置き換えられました。プログラムを起動し直してください。");
inline const QString kCauseEmpty = QStringLiteral("データベースファイルが空です（0 バイト）。");
inline const QString kCauseNotDatabase =
    QStringLiteral("データベースファイルではないか、ファイルが壊れています。");
inline const QString kCauseTruncated =
    QStringLiteral("データベースファイルが途中で切れています（ファイルが壊れています）。");
inline const QString kCauseReadOnly =
    QStringLiteral("データベースファイルが読み取り専用のため、書き込めません。");
// On the server: another user's save held the database, or the server cancelled the
// statement because of another user's concurrent save.
inline const QString kCauseConflict =
    QStringLiteral("他の利用者が同時に保存しているため、保存できませんでした。しばらく待ってから"
                   "もう一度保存してください。");
// On the server: it cannot be reached, or the connection broke.
inline const QString kCauseServer = QStringLiteral("データベースサーバーに接続できません。");
inline const QString kCauseLocked =
    QStringLiteral("データベースファイルを他のプログラムが使用中です。そのプログラムを終了してから"
                   "やり直してください。");
