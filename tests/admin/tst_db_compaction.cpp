// Database compaction: the two questions, the work files, both files rewritten smaller with
// every row kept, the connections open again with the project still open, and failures that
// leave the databases usable.

#include "db_compaction.h"
#include "state.h"
#include "test_program.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {
QString dataFile() {
    return DM().ACN2.path();
}
QString controlFile() {
    return DM().ACN1.path();
}

QByteArray fileHash(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// On the server a database is the schema of its connection (the first of its search path).
const QString kServerTables = QStringLiteral("SELECT table_name FROM information_schema.tables "
                                             "WHERE table_schema = current_schema() AND "
                                             "table_type = 'BASE TABLE' ORDER BY table_name");

// Every table of a database, its schema and its version: what must survive a compaction.
QStringList contents(TConnection &connection) {
    const bool server = connection.onServer();
    QStringList all = SqlRows(
        connection, server ? QStringLiteral("SELECT table_name, column_name, data_type FROM "
                                            "information_schema.columns WHERE table_schema = "
                                            "current_schema() ORDER BY table_name, "
                                            "ordinal_position")
                           : QStringLiteral("SELECT type, name, sql FROM sqlite_master "
                                            "ORDER BY type, name"));
    all << SqlValue(connection, server ? QStringLiteral("SELECT MAX(VERSION) FROM SCHEMAVERSION")
                                       : QStringLiteral("PRAGMA user_version"));
    for (const QString &table :
         SqlColumn(connection, server ? kServerTables
                                      : QStringLiteral("SELECT name FROM sqlite_master WHERE "
                                                       "type = 'table' AND name NOT LIKE "
                                                       "'sqlite%' ORDER BY name"))) {
        QStringList rows = SqlRows(connection, QStringLiteral("SELECT * FROM \"%1\"").arg(table));
        rows.sort();
        all << table + QStringLiteral(": %1 rows").arg(rows.size()) << rows;
    }
    return all;
}

// Many rows written and deleted again: free pages that only a compaction gives back.
void growAndDelete(TConnection &connection) {
    const bool server = connection.onServer();
    exec(connection, server ? QStringLiteral("CREATE TABLE Scratch (ID INTEGER, PAD TEXT)")
                            : QStringLiteral("CREATE TABLE Scratch (ID INTEGER, PAD BLOB)"));
    exec(connection,
         QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                        "WHERE i < 4000) INSERT INTO Scratch SELECT i, %1 FROM n")
             .arg(server ? QStringLiteral("repeat(md5(CAST(i AS TEXT)), 32)")
                         : QStringLiteral("randomblob(1000)")));
    exec(connection, QStringLiteral("DELETE FROM Scratch"));
}

// The space a database takes: its file, on the server the pages of its schema's tables.
qint64 databaseSize(TConnection &connection) {
    if (!connection.onServer()) return QFileInfo(connection.path()).size();
    return SqlValue(connection, QStringLiteral("SELECT SUM(pg_relation_size(CAST(table_name AS "
                                               "TEXT))) FROM information_schema.tables WHERE "
                                               "table_schema = current_schema() AND "
                                               "table_type = 'BASE TABLE'"))
        .toLongLong();
}

// What a compaction changes in a database even when every row stays: the bytes of its file,
// on the server the tables that were vacuumed.
QByteArray compactionTrace(TConnection &connection) {
    if (!connection.onServer()) return fileHash(connection.path());
    return SqlColumn(connection, QStringLiteral("SELECT relname FROM pg_stat_user_tables WHERE "
                                                "schemaname = current_schema() AND "
                                                "(last_vacuum IS NOT NULL OR last_analyze IS "
                                                "NOT NULL) ORDER BY relname"))
        .join(QLatin1Char(' '))
        .toUtf8();
}

bool noWorkFiles() {
    return !QFileInfo::exists(CompactionWorkFile(dataFile())) &&
           !QFileInfo::exists(CompactionWorkFile(controlFile()));
}
} // namespace

class Tst_db_compaction : public QObject {
    Q_OBJECT
private slots:
    void workFileNames_data();
    void workFileNames();
    void noToTheFirstQuestionChangesNothing();
    void leftoverWorkFileAndNoChangesNothing_data();
    void leftoverWorkFileAndNoChangesNothing();
    void leftoverWorkFileAndYesCompacts();
    void compactionShrinksAndKeepsEveryRow();
    void failedCompactionLeavesDatabasesUsable_data();
    void failedCompactionLeavesDatabasesUsable();
    void readOnlyFolderLeavesDatabasesUsable();
    void fileThatIsNoDatabaseIsLeftAlone();
    void missingFileIsNotCreated();
};

void Tst_db_compaction::workFileNames_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("work");
    QTest::newRow("data") << "/p/DATA/DATA.db"
                          << "/p/DATA/DATA.bak";
    QTest::newRow("control") << "/p/DATA/SEIGYO.db"
                             << "/p/DATA/SEIGYO.bak";
    QTest::newRow("dots in the folder") << "/p.q/DATA/DATA.db"
                                        << "/p.q/DATA/DATA.bak";
}

void Tst_db_compaction::workFileNames() {
    QFETCH(QString, file);
    QFETCH(QString, work);
    QCOMPARE(CompactionWorkFile(file), work);
}

void Tst_db_compaction::noToTheFirstQuestionChangesNothing() {
    TestProgram p;
    growAndDelete(DM().ACN2);
    const QByteArray data = compactionTrace(DM().ACN2);
    const QByteArray control = compactionTrace(DM().ACN1);
    QVERIFY(!CompactDatabases());
    QCOMPARE(p.messages.entries.size(), 1);
    QCOMPARE(p.messages.entries[0].kind, MessageRecorder::Kind::YesNo);
    QCOMPARE(p.messages.entries[0].caption, QStringLiteral("NXヴァルテンマトリクス"));
    QCOMPARE(p.messages.entries[0].text,
             QStringLiteral("データベースを圧縮します。よろしいですか？"));
    QVERIFY(DM().ACN1.isOpen());
    QVERIFY(DM().ACN2.isOpen());
    QCOMPARE(compactionTrace(DM().ACN2), data);
    QCOMPARE(compactionTrace(DM().ACN1), control);
    QVERIFY(noWorkFiles());
}

void Tst_db_compaction::leftoverWorkFileAndNoChangesNothing_data() {
    QTest::addColumn<bool>("dataLeftover");
    QTest::newRow("DATA.bak") << true;
    QTest::newRow("SEIGYO.bak") << false;
}

void Tst_db_compaction::leftoverWorkFileAndNoChangesNothing() {
    QFETCH(bool, dataLeftover);
    SKIP_ON_SERVER("the work files of the SQLite file compaction");
    TestProgram p;
    const QString leftover = CompactionWorkFile(dataLeftover ? dataFile() : controlFile());
    {
        QFile f(leftover);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("the copy of an earlier run");
    }
    const QByteArray data = fileHash(dataFile());
    const QByteArray control = fileHash(controlFile());
    p.messages.answer(true);
    p.messages.answer(false);
    QVERIFY(!CompactDatabases());
    QCOMPARE(p.messages.entries.size(), 2);
    QCOMPARE(p.messages.entries[1].kind, MessageRecorder::Kind::YesNo);
    QCOMPARE(p.messages.entries[1].caption, QStringLiteral("Dazov"));
    QCOMPARE(p.messages.entries[1].text,
             QStringLiteral("すでに.bakファイルが存在します。\r\n"
                            "前回圧縮処理をして異常終了してませんか？\r\n"
                            "異常終了して原因が不明のままであれば処理を中止して下さい。\r\n"
                            "原因が不明なまま処理を続行すると大切なデータが消失することもあります。"
                            "\r\n処理を続行しますか？"));
    QCOMPARE(fileHash(leftover),
             QCryptographicHash::hash("the copy of an earlier run", QCryptographicHash::Sha256));
    QCOMPARE(fileHash(dataFile()), data);
    QCOMPARE(fileHash(controlFile()), control);
    QVERIFY(DM().ACN1.isOpen());
    QVERIFY(DM().ACN2.isOpen());
}

void Tst_db_compaction::leftoverWorkFileAndYesCompacts() {
    SKIP_ON_SERVER("the work files of the SQLite file compaction");
    TestProgram p;
    {
        QFile f(CompactionWorkFile(dataFile()));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("the copy of an earlier run");
    }
    const QStringList data = contents(DM().ACN2);
    p.messages.answer(true);
    p.messages.answer(true);
    QVERIFY(CompactDatabases());
    QCOMPARE(p.messages.texts().last(), QStringLiteral("DB圧縮処理が完了しました。"));
    QVERIFY(noWorkFiles());
    QCOMPARE(contents(DM().ACN2), data);
}

void Tst_db_compaction::compactionShrinksAndKeepsEveryRow() {
    TestProgram p;
    openSample();
    const ProjectKey project = G().gProjectKey;
    growAndDelete(DM().ACN2);
    growAndDelete(DM().ACN1);
    const qint64 dataSize = databaseSize(DM().ACN2);
    const qint64 controlSize = databaseSize(DM().ACN1);
    const QByteArray dataTrace = compactionTrace(DM().ACN2);
    const QByteArray controlTrace = compactionTrace(DM().ACN1);
    const QStringList data = contents(DM().ACN2);
    const QStringList control = contents(DM().ACN1);
    QVERIFY(data.size() > 100);
    // The connections open again where they were: the files of the data folder, or the server.
    const QString dataAt =
        TestingOnServer() ? DM().ACN2.path() : G().gDataPath + QStringLiteral("DATA.db");
    const QString controlAt =
        TestingOnServer() ? DM().ACN1.path() : G().gDataPath + QStringLiteral("SEIGYO.db");
    // SQLite checks a file's pages on request; the server checks its own as it reads them.
    const QString integrityCheck = TestingOnServer() ? QStringLiteral("SELECT 'ok'")
                                                     : QStringLiteral("PRAGMA integrity_check");

    p.messages.answer(true);
    QVERIFY(CompactDatabases());
    QCOMPARE(p.messages.texts(),
             QStringList({QStringLiteral("データベースを圧縮します。よろしいですか？"),
                          QStringLiteral("DB圧縮処理が完了しました。")}));
    QCOMPARE(p.messages.entries[1].caption, QStringLiteral("NXヴァルテンマトリクス"));
    QVERIFY(noWorkFiles());
    QVERIFY(DM().ACN1.isOpen());
    QVERIFY(DM().ACN2.isOpen());
    QCOMPARE(DM().ACN2.path(), dataAt);
    QCOMPARE(DM().ACN1.path(), controlAt);
    // Both were compacted: what the question answered No must leave alone did change here.
    QVERIFY(compactionTrace(DM().ACN2) != dataTrace);
    QVERIFY(compactionTrace(DM().ACN1) != controlTrace);
    QVERIFY2(databaseSize(DM().ACN2) < dataSize / 2, "the data database is smaller");
    QVERIFY2(databaseSize(DM().ACN1) < controlSize / 2, "the control database is smaller");
    QCOMPARE(contents(DM().ACN2), data);
    QCOMPARE(contents(DM().ACN1), control);
    QCOMPARE(SqlValue(DM().ACN2, integrityCheck), QStringLiteral("ok"));

    // The project stays open and the data module's query objects work on the new files.
    QCOMPARE(G().gCorpOpen, 1);
    QCOMPARE(G().gProjectKey.kco, project.kco);
    QCOMPARE(G().gProjectKey.nendo, project.nendo);
    QVERIFY(RunSql(DM().Query21, QStringLiteral("SELECT * FROM MSYAIN1"), 'S'));
    QVERIFY(DM().Query21.RecordCount() > 0);
    DM().Query21.Close();
    QVERIFY(RunSql(DM().Query1,
                   QStringLiteral("INSERT INTO Before (ID, Name, Memo) VALUES (99, "
                                  "'x', 'y')"),
                   'E'));
    QCOMPARE(p.messages.texts().size(), 2);
}

void Tst_db_compaction::failedCompactionLeavesDatabasesUsable_data() {
    QTest::addColumn<bool>("blockData");
    QTest::newRow("DATA.bak cannot be written") << true;
    QTest::newRow("SEIGYO.bak cannot be written") << false;
}

// A folder in the place of a work file can neither be removed as a file nor written to.
void Tst_db_compaction::failedCompactionLeavesDatabasesUsable() {
    QFETCH(bool, blockData);
    SKIP_ON_SERVER("the work files of the SQLite file compaction");
    TestProgram p;
    openSample();
    const QString blocked = blockData ? dataFile() : controlFile();
    QVERIFY(QDir().mkpath(CompactionWorkFile(blocked)));
    const QByteArray blockedHash = fileHash(blocked);
    const QStringList data = contents(DM().ACN2);
    const QStringList control = contents(DM().ACN1);
    p.messages.answer(true);
    p.messages.answer(true); // go on despite the leftover
    QVERIFY(!CompactDatabases());
    const QStringList texts = p.messages.texts();
    QCOMPARE(texts.size(), 3);
    QVERIFY2(texts[2].startsWith(kMsgCompactFailed + QStringLiteral("\r\n") +
                                 QDir::toNativeSeparators(blocked) + QStringLiteral("\r\n") +
                                 kMsgCompactUntouched),
             qPrintable(texts[2]));
    QVERIFY(!texts.contains(kMsgCompactDone));
    // The file that failed is untouched; both connections are open on files with every row.
    QCOMPARE(fileHash(blocked), blockedHash);
    QVERIFY(DM().ACN1.isOpen());
    QVERIFY(DM().ACN2.isOpen());
    QCOMPARE(contents(DM().ACN2), data);
    QCOMPARE(contents(DM().ACN1), control);
    QCOMPARE(G().gCorpOpen, 1);
    if (!blockData) QVERIFY(!QFileInfo::exists(CompactionWorkFile(dataFile())));
}

void Tst_db_compaction::readOnlyFolderLeavesDatabasesUsable() {
    SKIP_ON_SERVER("the folder of the SQLite files");
    TestProgram p;
    const QString folder = QFileInfo(dataFile()).absolutePath();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    const bool writable = QFile(folder + QStringLiteral("/probe")).open(QIODevice::WriteOnly);
    if (writable) {
        QFile::remove(folder + QStringLiteral("/probe"));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QSKIP("the folder stays writable for this user (root)");
    }
    const QByteArray data = fileHash(dataFile());
    const QStringList rows = contents(DM().ACN2);
    p.messages.answer(true);
    const bool compacted = CompactDatabases();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!compacted);
    QVERIFY(p.messages.texts().last().startsWith(kMsgCompactFailed));
    QCOMPARE(fileHash(dataFile()), data);
    QVERIFY(DM().ACN1.isOpen());
    QVERIFY(DM().ACN2.isOpen());
    QCOMPARE(contents(DM().ACN2), rows);
}

void Tst_db_compaction::fileThatIsNoDatabaseIsLeftAlone() {
    TestProgram p(false);
    const QString path = p.dir() + QStringLiteral("/DATA.db");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8192, 'x'));
    }
    const CompactionResult result = CompactDatabaseFile(path);
    QVERIFY(!result.ok());
    QCOMPARE(result.step, CompactionResult::Step::Copy);
    QCOMPARE(fileHash(path),
             QCryptographicHash::hash(QByteArray(8192, 'x'), QCryptographicHash::Sha256));
    QVERIFY(!QFileInfo::exists(CompactionWorkFile(path)));
}

void Tst_db_compaction::missingFileIsNotCreated() {
    TestProgram p(false);
    const QString path = p.dir() + QStringLiteral("/DATA.db");
    QVERIFY(!CompactDatabaseFile(path).ok());
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY(!QFileInfo::exists(CompactionWorkFile(path)));
}

QTEST_MAIN(Tst_db_compaction)
#include "tst_db_compaction.moc"
