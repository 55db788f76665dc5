#include "test_program.h"

#include "program_setup.h"
#include "state.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

TestProgram::TestProgram(bool openDatabases) {
    QVERIFY2(m_dir.isValid(), "temporary directory");
    ResetState();
    SetAppPath(m_dir.path());
    m_dm = std::make_unique<TDM>();
    if (openDatabases) start();
}

TestProgram::~TestProgram() {
    m_dm.reset();
    ResetState();
}

QString TestProgram::dataPath() const {
    return G().gDataPath;
}

void TestProgram::start() {
    PrepareProgramFolders();
    OpenDatabases();
    LoadCalendarSettings();
}

QStringList SqlColumn(TConnection &connection, const QString &sql) {
    QStringList out;
    QSqlQuery q(QSqlDatabase::database(connection.name(), false));
    if (!q.exec(sql)) return {QStringLiteral("<error>")};
    while (q.next())
        out << q.value(0).toString();
    return out;
}

QString SqlValue(TConnection &connection, const QString &sql) {
    const QStringList values = SqlColumn(connection, sql);
    return values.isEmpty() ? QString() : values.first();
}
