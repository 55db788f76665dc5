#include "company_copy.h"

#include "database_file.h"
#include "database_setup.h"
#include "schema.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <memory>

namespace dbcopy {
namespace {

// Rows per INSERT statement at the destination: one statement per few hundred rows instead of
// one per row keeps a copy of a large company to seconds on a server across the network.
constexpr int kRowsPerInsert = 500;

// A connection to one place, removed when it goes out of scope. Both databases are reached
// through it: on the server as the schemas ctl and data, in a folder as DATA.db with SEIGYO.db
// attached as CTL.
class PlaceConnection {
public:
    explicit PlaceConnection(const Place &place)
        : m_server(place.server.isServer()),
          m_connection(m_server ? std::make_unique<dbloc::PrivateConnection>(
                                      QStringLiteral("copy"), place.server)
                                : std::make_unique<dbloc::PrivateConnection>(
                                      QStringLiteral("copy"),
                                      QDir(place.folder).filePath(dbsetup::kDataFile),
                                      QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"))) {
        m_error = m_connection->error();
        m_open = m_connection->isOpen() &&
                 (m_server ||
                  run(QStringLiteral("ATTACH DATABASE '%1' AS CTL")
                          .arg(QDir(place.folder)
                                   .filePath(dbsetup::kControlFile)
                                   .replace(QLatin1Char('\''), QLatin1String("''")))));
    }

    bool isOpen() const { return m_open; }
    bool onServer() const { return m_server; }
    const QString &error() const { return m_error; }
    QSqlDatabase db() const { return m_connection->db(); }
    // The name of a table of `db` as this connection reaches it.
    QString table(schema::Db which, const QString &name) const {
        if (m_server)
            return (which == schema::Db::Control ? dbloc::kControlSchema : dbloc::kDataSchema) +
                   QLatin1Char('.') + name;
        return which == schema::Db::Control ? QStringLiteral("CTL.") + name : name;
    }
    bool run(const QString &sql) {
        QSqlQuery q(db());
        if (q.exec(sql)) return true;
        m_error = q.lastError().text() + QStringLiteral(" (") + sql.left(200) + QLatin1Char(')');
        return false;
    }

private:
    bool m_server = false;
    std::unique_ptr<dbloc::PrivateConnection> m_connection;
    bool m_open = false;
    QString m_error;
};

// A value as a literal both engines read back as it was: null, a number, or quoted text (the
// server hands its NUMERIC values over as text; a column of numbers takes '5' as 5 on both).
QString literal(const QVariant &value) {
    if (value.isNull()) return QStringLiteral("NULL");
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return value.toString();
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    default: {
        QString text = value.toString();
        text.replace(QLatin1Char('\''), QLatin1String("''"));
        return QLatin1Char('\'') + text + QLatin1Char('\'');
    }
    }
}

QStringList columnNames(const schema::Table &t) {
    QStringList out;
    for (const QString &c : t.columns)
        out << c.section(QLatin1Char(' '), 0, 0);
    return out;
}

// The tables that hold a company's rows: those of both databases with a company column.
struct CompanyTable {
    schema::Db db;
    const schema::Table *table;
};
QList<CompanyTable> companyTables() {
    QList<CompanyTable> out;
    for (schema::Db db : {schema::Db::Control, schema::Db::Data})
        for (const schema::Table &t : schema::Tables(db))
            if (columnNames(t).contains(QLatin1String("KCO"))) out.append({db, &t});
    return out;
}

// Creates the databases of a destination that has none yet.
QString prepareDestination(const Place &to) {
    const QStringList problems = to.server.isServer()
                                     ? dbsetup::EnsureServerDatabases(to.server)
                                     : dbsetup::EnsureDatabases(to.folder);
    return problems.join(QLatin1Char('\n'));
}

} // namespace

QString ParsePlace(const QString &text, Place *out) {
    *out = Place{};
    if (text.startsWith(QLatin1String("postgres"), Qt::CaseInsensitive)) {
        const QString problem = dbloc::ParseLocation(text, &out->server);
        if (problem.isEmpty() && !out->server.isServer())
            return QStringLiteral("サーバーの指定が正しくありません。");
        return problem;
    }
    if (text.trimmed().isEmpty()) return QStringLiteral("データフォルダを指定してください。");
    out->folder = QDir(text).absolutePath();
    return {};
}

CopyResult CopyCompany(int kco, const Place &from, const Place &to) {
    CopyResult result;
    if (from.text() == to.text()) {
        result.problem = QStringLiteral("複写元と複写先が同じです。");
        return result;
    }
    if (!from.server.isServer())
        for (const QString &file : {dbsetup::kControlFile, dbsetup::kDataFile})
            if (dbfile::Check(QDir(from.folder).filePath(file)) != dbfile::Problem::None) {
                result.problem = QStringLiteral("複写元にデータベースがありません。") +
                                 QDir(from.folder).filePath(file);
                return result;
            }
    // Files of an older version are brought up to date first, as the program's start does.
    if (!from.server.isServer())
        for (const auto &[file, db] : {std::pair{dbsetup::kControlFile, schema::Db::Control},
                                       std::pair{dbsetup::kDataFile, schema::Db::Data}})
            if (!dbfile::MarkedReadOnly(QDir(from.folder).filePath(file)))
                dbsetup::UpgradeDatabase(QDir(from.folder).filePath(file), db);
    PlaceConnection source(from);
    if (!source.isOpen()) {
        result.problem = from.text() + QLatin1Char('\n') + source.error();
        return result;
    }
    {
        QSqlQuery q(source.db());
        if (!q.exec(QStringLiteral("SELECT COUNT(DISTINCT NENDO) FROM %1 WHERE KCO = %2")
                        .arg(source.table(schema::Db::Data, QStringLiteral("MKIGYOU2")))
                        .arg(kco)) ||
            !q.next()) {
            result.problem = from.text() + QLatin1Char('\n') + q.lastError().text();
            return result;
        }
        result.years = q.value(0).toInt();
    }
    if (result.years == 0) {
        result.problem = QStringLiteral("複写元に会社コード %1 のデータがありません。").arg(kco);
        return result;
    }
    if (const QString problem = prepareDestination(to); !problem.isEmpty()) {
        result.problem = to.text() + QLatin1Char('\n') + problem;
        return result;
    }
    PlaceConnection destination(to);
    if (!destination.isOpen()) {
        result.problem = to.text() + QLatin1Char('\n') + destination.error();
        return result;
    }

    // One transaction at the destination; on the server it waits for the users' saves.
    const bool begun =
        destination.onServer()
            ? destination.run(QStringLiteral("BEGIN")) &&
                  destination.run(QStringLiteral("SELECT pg_advisory_xact_lock(%1)")
                                      .arg(dbloc::kSaveLockKey))
            : destination.run(QStringLiteral("BEGIN IMMEDIATE"));
    bool ok = begun;
    qint64 rows = 0;
    for (const CompanyTable &ct : companyTables()) {
        if (!ok) break;
        const QStringList columns = columnNames(*ct.table);
        const QString target = destination.table(ct.db, ct.table->name);
        ok = destination.run(QStringLiteral("DELETE FROM %1 WHERE KCO = %2").arg(target).arg(kco));
        QSqlQuery read(source.db());
        read.setForwardOnly(true);
        if (ok && !read.exec(QStringLiteral("SELECT %1 FROM %2 WHERE KCO = %3 ORDER BY rowid")
                                 .arg(columns.join(QStringLiteral(", ")),
                                      source.table(ct.db, ct.table->name))
                                 .arg(kco))) {
            result.problem = from.text() + QLatin1Char('\n') + read.lastError().text();
            ok = false;
        }
        const QString head = QStringLiteral("INSERT INTO %1 (%2) VALUES ")
                                 .arg(target, columns.join(QStringLiteral(", ")));
        QStringList values;
        const auto flush = [&] {
            if (values.isEmpty()) return true;
            const bool written = destination.run(head + values.join(QStringLiteral(", ")));
            values.clear();
            return written;
        };
        while (ok && read.next()) {
            QStringList row;
            for (int i = 0; i < columns.size(); ++i)
                row << literal(read.value(i));
            values << QLatin1Char('(') + row.join(QStringLiteral(", ")) + QLatin1Char(')');
            ++rows;
            if (values.size() == kRowsPerInsert) ok = flush();
        }
        if (ok) ok = flush();
    }
    if (ok) ok = destination.run(QStringLiteral("COMMIT"));
    if (!ok) {
        if (begun) destination.run(QStringLiteral("ROLLBACK"));
        if (result.problem.isEmpty()) result.problem = to.text() + QLatin1Char('\n') + destination.error();
        return result;
    }
    // The server plans its queries from table statistics: gather them for the new rows now
    // rather than when the server gets round to it.
    if (destination.onServer()) destination.run(QStringLiteral("ANALYZE"));
    result.rows = rows;
    return result;
}

bool IsCopyCommand(const QStringList &arguments) {
    return arguments.contains(QLatin1String("--copy-company"));
}

int RunCopyCommand(const QStringList &arguments, QStringList *lines) {
    const QStringList usage = {
        QStringLiteral("使い方: valten_matrix --copy-company 会社コード --from 複写元 --to 複写先"),
        QStringLiteral("（複写元・複写先は SEIGYO.db と DATA.db のあるデータフォルダか、"
                       "postgresql://ユーザー@ホスト:ポート/データベース）")};
    const auto valueOf = [&](const QString &option) {
        const qsizetype i = arguments.indexOf(option);
        return i >= 0 && i + 1 < arguments.size() ? arguments[i + 1] : QString();
    };
    bool numeric = false;
    const int kco = valueOf(QStringLiteral("--copy-company")).toInt(&numeric);
    Place from, to;
    const QString fromProblem = ParsePlace(valueOf(QStringLiteral("--from")), &from);
    const QString toProblem = ParsePlace(valueOf(QStringLiteral("--to")), &to);
    if (!numeric || kco <= 0 || !fromProblem.isEmpty() || !toProblem.isEmpty()) {
        for (const QString &p : {fromProblem, toProblem})
            if (!p.isEmpty()) *lines << p;
        *lines << usage;
        return 2;
    }
    const CopyResult r = CopyCompany(kco, from, to);
    if (!r.problem.isEmpty()) {
        *lines << QStringLiteral("複写できませんでした。") << r.problem;
        return 1;
    }
    *lines << QStringLiteral("会社コード %1 の %2 年度分（%3 行）を複写しました。")
                  .arg(kco)
                  .arg(r.years)
                  .arg(QLocale(QLocale::Japanese).toString(r.rows))
           << QStringLiteral("複写元: ") + from.text() << QStringLiteral("複写先: ") + to.text();
    return 0;
}

} // namespace dbcopy
