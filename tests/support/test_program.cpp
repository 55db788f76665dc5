#include "test_program.h"

#include "program_setup.h"
#include "state.h"

#include "database_setup.h"

#include <QCryptographicHash>
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {
const QString kAdminConnection = QStringLiteral("test-server-admin");

// The maintenance connection to the server of VM_TEST_SERVER, opened once per test program.
QSqlDatabase adminDatabase() {
    QSqlDatabase db = QSqlDatabase::database(kAdminConnection, false);
    if (db.isValid() && db.isOpen()) return db;
    if (!db.isValid()) db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), kAdminConnection);
    dbloc::Location server;
    dbloc::ParseLocation(qEnvironmentVariable("VM_TEST_SERVER"), &server);
    dbloc::ConfigureServerConnection(db, server);
    if (!db.open()) qFatal("VM_TEST_SERVER: %s", qPrintable(db.lastError().text()));
    // "database ... does not exist, skipping" of every first DROP is no news.
    QSqlQuery(db).exec(QStringLiteral("SET client_min_messages = warning"));
    return db;
}

bool admin(const QString &sql) {
    QSqlQuery q(adminDatabase());
    if (q.exec(sql)) return true;
    qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    return false;
}

// The template database with the schemas and shipped content of this build: its name carries
// a hash of them, so a changed schema gets a template of its own. The first test program that
// needs it builds it under a lock; the others wait and use it.
QString templateDatabase() {
    static QString name;
    if (!name.isEmpty()) return name;
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (schema::Db db : {schema::Db::Control, schema::Db::Data}) {
        hash.addData(schema::CreateStatements(db, dbloc::Engine::Server).join(u';').toUtf8());
        hash.addData(dbsetup::ShippedContent(db).toUtf8());
    }
    hash.addData(QByteArray::number(schema::kVersion));
    const QString wanted = QStringLiteral("vmt_template_") + hash.result().toHex().left(12);
    admin(QStringLiteral("SELECT pg_advisory_lock(7365)"));
    QSqlQuery q(adminDatabase());
    q.exec(QStringLiteral("SELECT 1 FROM pg_database WHERE datname = '%1'").arg(wanted));
    if (!q.next()) {
        const QString building = wanted + QStringLiteral("_new");
        admin(QStringLiteral("DROP DATABASE IF EXISTS ") + building);
        admin(QStringLiteral("CREATE DATABASE ") + building);
        const QStringList problems = dbsetup::EnsureServerDatabases(TestServer(building));
        if (!problems.isEmpty()) qFatal("template: %s", qPrintable(problems.join(u'\n')));
        admin(QStringLiteral("ALTER DATABASE %1 RENAME TO %2").arg(building, wanted));
    }
    admin(QStringLiteral("SELECT pg_advisory_unlock(7365)"));
    name = wanted;
    return name;
}
} // namespace

bool TestingOnServer() {
    return !qEnvironmentVariableIsEmpty("VM_TEST_SERVER");
}

dbloc::Location TestServer(const QString &database) {
    dbloc::Location server;
    dbloc::ParseLocation(qEnvironmentVariable("VM_TEST_SERVER"), &server);
    server.database = database;
    return server;
}

QString CreateTestDatabase() {
    static int sequence = 0;
    const QString name = QStringLiteral("vmt_%1_%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(++sequence);
    admin(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
    if (!admin(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2 STRATEGY FILE_COPY")
                   .arg(name, templateDatabase())))
        return {};
    return name;
}

void DropTestDatabase(const QString &name) {
    admin(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
}

TestProgram::TestProgram(bool openDatabases) {
    QVERIFY2(m_dir.isValid(), "temporary directory");
    ResetState();
    SetAppPath(m_dir.path());
    dbloc::SetCurrent(dbloc::Location{});
    if (TestingOnServer()) {
        m_serverDatabase = CreateTestDatabase();
        QVERIFY2(!m_serverDatabase.isEmpty(), "test database on the server");
        dbloc::SetCurrent(TestServer(m_serverDatabase));
    }
    m_dm = std::make_unique<TDM>();
    if (openDatabases) start();
}

TestProgram::~TestProgram() {
    m_dm.reset();
    ResetState();
    if (!m_serverDatabase.isEmpty()) DropTestDatabase(m_serverDatabase);
    dbloc::SetCurrent(dbloc::Location{});
}

QString TestProgram::dataPath() const {
    return G().gDataPath;
}

void TestProgram::start() {
    PrepareProgramFolders();
    OpenDatabases();
    LoadCalendarSettings();
}
