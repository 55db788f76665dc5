#pragma once
// A fresh program directory for one test: a temporary folder standing in for the folder of
// the executable, its databases created by the program's own start-up code, the data module
// with both connections open, the project state reset and a message recorder installed.
//
// With VM_TEST_SERVER set to a PostgreSQL URL (postgresql://user@host:port/db of a database
// the user may create databases from), the databases are a fresh server database instead,
// copied from a template that holds the shipped content and dropped again at the end.

#include "message_recorder.h"
#include "tdm.h"

#include <QTemporaryDir>
#include <memory>

class TestProgram {
public:
    // With openDatabases false only the folder exists: the test prepares DATA/ itself.
    explicit TestProgram(bool openDatabases = true);
    ~TestProgram();

    QString dir() const { return m_dir.path(); }
    QString dataPath() const;
    // Runs the program's start-up data steps (folders, databases, calendar settings).
    void start();

    MessageRecorder messages;

private:
    QTemporaryDir m_dir;
    QString m_serverDatabase; // the test's own server database, when testing on the server
    std::unique_ptr<TDM> m_dm;
};

// True when the tests run against the PostgreSQL server (VM_TEST_SERVER is set).
bool TestingOnServer();
// The server of VM_TEST_SERVER with `database` in place of its database.
dbloc::Location TestServer(const QString &database);
// Creates a fresh server database with the schemas and shipped content; returns its name
// (empty and a failed check when it cannot). DropTestDatabase removes it.
QString CreateTestDatabase();
void DropTestDatabase(const QString &name);

// Skips the current test function on the server: it is about the database files themselves.
#define SKIP_ON_SERVER(why)                                                                     \
    do {                                                                                        \
        if (TestingOnServer()) QSKIP(why);                                                      \
    } while (false)

// The helpers of the screen tests come with it.
#include "screen_test.h"
