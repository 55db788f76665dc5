#include "database_location.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QUrl>
#include <QUuid>

namespace dbloc {
namespace {
Location &current() {
    static Location location;
    return location;
}
} // namespace

QString Location::url() const {
    if (!isServer()) return QStringLiteral("sqlite");
    QString text = QStringLiteral("postgresql://");
    if (!user.isEmpty()) text += user + QLatin1Char('@');
    return text + host + QStringLiteral(":%1/").arg(port) + database;
}

QString ParseLocation(const QString &text, Location *out) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.compare(QLatin1String("sqlite"), Qt::CaseInsensitive) == 0) {
        *out = Location{};
        return {};
    }
    const QUrl url(trimmed, QUrl::StrictMode);
    if (!url.isValid() ||
        (url.scheme() != QLatin1String("postgresql") && url.scheme() != QLatin1String("postgres")))
        return QStringLiteral("postgresql://ユーザー@ホスト:ポート/データベース の形で指定してください。");
    if (!url.password().isEmpty())
        return QStringLiteral("パスワードは指定できません。.pgpass ファイルに記入してください。");
    Location l;
    l.engine = Engine::Server;
    l.host = url.host();
    l.port = url.port(5432);
    l.user = url.userName();
    l.database = url.path().mid(1);
    if (l.host.isEmpty() || l.database.isEmpty() || l.database.contains(QLatin1Char('/')) ||
        l.port <= 0 || url.hasQuery() || url.hasFragment())
        return QStringLiteral("postgresql://ユーザー@ホスト:ポート/データベース の形で指定してください。");
    *out = l;
    return {};
}

QString ChooseLocation(const QStringList &arguments, const QString &appPath, Location *out) {
    *out = Location{};
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--database") && i + 1 < arguments.size())
            return ParseLocation(arguments[i + 1], out);
        if (a.startsWith(QLatin1String("--database=")))
            return ParseLocation(a.mid(11), out);
    }
    const QString file = QDir(appPath).filePath(kSettingsFile);
    if (!QFileInfo::exists(file)) return {};
    const QSettings settings(file, QSettings::IniFormat);
    return ParseLocation(settings.value(QStringLiteral("database/url")).toString(), out);
}

const Location &Current() {
    return current();
}

void SetCurrent(const Location &location) {
    current() = location;
}

void ConfigureServerConnection(QSqlDatabase &db, const Location &location) {
    db.setHostName(location.host);
    db.setPort(location.port);
    db.setDatabaseName(location.database);
    db.setUserName(location.user);
    // The password is left to libpq, which reads PGPASSFILE or ~/.pgpass.
    db.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=valten_matrix"));
    // NUMERIC values are read as the server writes them ("6000000", "0.5"), exact, where a
    // double would turn 6000000 into "6e+06" as text; the typed reads of TQuery take either.
    db.setNumericalPrecisionPolicy(QSql::HighPrecision);
}

namespace {
QString uniqueName(const QString &purpose) {
    return purpose + QLatin1Char('-') + QUuid::createUuid().toString(QUuid::WithoutBraces);
}
} // namespace

PrivateConnection::PrivateConnection(const QString &purpose, const QString &sqliteFile,
                                     const QString &options)
    : m_name(uniqueName(purpose)) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(sqliteFile);
    db.setConnectOptions(options);
    open(db);
}

PrivateConnection::PrivateConnection(const QString &purpose, const Location &server)
    : m_name(uniqueName(purpose)) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
    ConfigureServerConnection(db, server);
    open(db);
}

void PrivateConnection::open(QSqlDatabase db) {
    m_open = db.open();
    if (!m_open) m_error = db.lastError().text();
}

PrivateConnection::~PrivateConnection() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase PrivateConnection::db() const {
    return QSqlDatabase::database(m_name, false);
}

bool IsConflict(const QString &sqlState) {
    return sqlState == QLatin1String("40001") || sqlState == QLatin1String("40P01") ||
           sqlState == QLatin1String("55P03");
}

bool IsConnectionLoss(const QString &sqlState) {
    return sqlState.startsWith(QLatin1String("08")) || sqlState == QLatin1String("57P01") ||
           sqlState == QLatin1String("57P02") || sqlState == QLatin1String("57P03");
}

} // namespace dbloc
