#pragma once
// Where the program keeps its data: the two SQLite files of the data folder (the default,
// nothing to configure) or a PostgreSQL server, on which the control and the data database
// are the schemas `ctl` and `data` of one server database. The choice is made at start-up
// from the command line (--database URL) or the settings file beside the program.

#include <QString>
#include <QStringList>

class QSqlDatabase;

namespace dbloc {

enum class Engine { Sqlite, Server };

struct Location {
    Engine engine = Engine::Sqlite;
    QString host;
    int port = 5432;
    QString database;
    QString user;

    bool isServer() const { return engine == Engine::Server; }
    // "postgresql://user@host:port/database"; "sqlite" for the embedded files. Never holds a
    // password: the server's password comes from PGPASSFILE or ~/.pgpass.
    QString url() const;
    bool operator==(const Location &) const = default;
};

// Reads "postgresql://[user@]host[:port]/database" (also "postgres://"), or "sqlite" for the
// embedded files. A URL with a password is refused, so none is ever written down by us.
// Returns an empty text when `text` is valid, otherwise what is wrong with it.
QString ParseLocation(const QString &text, Location *out);

// The settings file beside the program: [database] url=postgresql://... ; missing file or key
// means the embedded files.
inline const QString kSettingsFile = QStringLiteral("valten_matrix.ini");

// The location chosen for this run: `--database URL` (or `--database=URL`) on the command line
// wins over the settings file in `appPath`. Returns an empty text, or what is wrong with the
// given URL (the program then says so and keeps to the embedded files).
QString ChooseLocation(const QStringList &arguments, const QString &appPath, Location *out);

// The location every connection of this run uses; the embedded files until set.
const Location &Current();
void SetCurrent(const Location &location);
inline bool OnServer() {
    return Current().isServer();
}

// The server schemas of the two databases. The data connection reaches the control tables as
// CTL.<table> in a save over both databases, as SQLite does with the attached control file.
inline const QString kControlSchema = QStringLiteral("ctl");
inline const QString kDataSchema = QStringLiteral("data");

// The advisory lock every write to the server database holds until its commit ("VALTSAVE"):
// the program's saves and the company copy.
inline constexpr qint64 kSaveLockKey = 0x56414c5453415645;

// Sets up `db` (a QPSQL connection) for the server at `location`: host, port, database, user,
// a connect timeout, and numbers read as numbers. The caller opens it.
void ConfigureServerConnection(QSqlDatabase &db, const Location &location);

// A connection of its own, outside the data module (set-up, upgrade, the company copy): to a
// SQLite file or to the server, closed and removed when it goes out of scope.
class PrivateConnection {
public:
    PrivateConnection(const QString &purpose, const QString &sqliteFile,
                      const QString &options = {});
    PrivateConnection(const QString &purpose, const Location &server);
    ~PrivateConnection();
    PrivateConnection(const PrivateConnection &) = delete;
    PrivateConnection &operator=(const PrivateConnection &) = delete;
    bool isOpen() const { return m_open; }
    // Why it did not open.
    const QString &error() const { return m_error; }
    QSqlDatabase db() const;

private:
    void open(QSqlDatabase db);
    QString m_name;
    bool m_open = false;
    QString m_error;
};

// The SQLSTATE classes of a failed server statement that another user's concurrent save
// caused: a serialization failure, a deadlock or a lock wait that ran out of time.
bool IsConflict(const QString &sqlState);
// The server could not be reached or the connection broke.
bool IsConnectionLoss(const QString &sqlState);

} // namespace dbloc
