// The data module: opening the databases, the two statement failure messages, reading
// results, quoting texts, the transaction helper and prepared statements.

#include "program_setup.h"
#include "state.h"
#include "test_program.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTest>

class TstTdm : public QObject {
    Q_OBJECT
private slots:
    void startCreatesMissingFolderAndDatabases();
    void existingDatabaseIsKeptAsItIs();
    void fileThatIsNoDatabaseIsReportedAndKept();
    void connectionsHaveTheirPageCache();
    void runSqlFailures_data();
    void runSqlFailures();
    void unknownModeRunsNothing();
    void readsFieldsByNameWithNullConversions();
    void quotedTextsRoundTrip_data();
    void quotedTextsRoundTrip();
    void transactionKeepsAllOrNothing();
    void transactionRollsBackWhenLeftUncommitted();
    void nestedSaveFailureUndoesTheWholeSave();
    void preparedStoresEachValueAsBound_data();
    void preparedStoresEachValueAsBound();
    void preparedValuesReadBackInTypedColumns_data();
    void preparedValuesReadBackInTypedColumns();
    void preparedFailureIsShownAndCounted();
    void calendarSettingsAreRead();
};

void TstTdm::nestedSaveFailureUndoesTheWholeSave() {
    TestProgram p;
    TQuery &q = DM().Query21;
    {
        ScopedTransaction outer(DM().ACN2);
        RunSql(q, "INSERT INTO YHYOUKA VALUES (11, 2030, 1, 'A')", 'E');
        {
            ScopedTransaction inner(DM().ACN2);
            RunSql(q, "INSERT INTO YHYOUKA VALUES (11, 2030, 2, 'B')", 'E');
            QVERIFY(inner.commit());
        }
        {
            ScopedTransaction inner(DM().ACN2);
            RunSql(q, "INSERT INTO NOSUCHTABLE VALUES (1)", 'E');
            QVERIFY(!inner.commit());
        }
        QVERIFY(!outer.commit());
    }
    QCOMPARE(SqlValue(DM().ACN2, "SELECT count(*) FROM YHYOUKA WHERE KCO = 11"),
             QStringLiteral("0"));
    // The connection is usable afterwards and a plain save commits.
    {
        ScopedTransaction tx(DM().ACN2);
        RunSql(q, "INSERT INTO YHYOUKA VALUES (11, 2030, 3, 'C')", 'E');
        QVERIFY(tx.commit());
    }
    QCOMPARE(SqlValue(DM().ACN2, "SELECT count(*) FROM YHYOUKA WHERE KCO = 11"),
             QStringLiteral("1"));
}

void TstTdm::startCreatesMissingFolderAndDatabases() {
    SKIP_ON_SERVER("creates the database files of the data folder");
    TestProgram p(false);
    QVERIFY(!QDir(p.dataPath()).exists());
    p.start();
    QVERIFY(QFile::exists(p.dataPath() + "SEIGYO.db"));
    QVERIFY(QFile::exists(p.dataPath() + "DATA.db"));
    for (const char *sub : {"Report", "CSV", "Picture"})
        QVERIFY(QDir(G().gAppPath + sub).exists());
    QVERIFY(DM().ACN1.isOpen());
    QVERIFY(DM().ACN2.isOpen());
    QVERIFY(p.messages.entries.isEmpty());
    // No work file of the creation is left behind.
    QCOMPARE(QDir(p.dataPath()).entryList(QDir::Files).size(), 2);
}

void TstTdm::existingDatabaseIsKeptAsItIs() {
    TestProgram p;
    QVERIFY(RunSql(DM().Query21, "INSERT INTO YHYOUKA VALUES (42, 2031, 1, 'kept')", 'E'));
    DM().CloseDatabase(DM().ACN1);
    DM().CloseDatabase(DM().ACN2);
    p.start(); // a second start must not recreate or reset anything
    QCOMPARE(SqlValue(DM().ACN2, "SELECT HKIGOU FROM YHYOUKA WHERE KCO = 42"),
             QStringLiteral("kept"));
}

void TstTdm::fileThatIsNoDatabaseIsReportedAndKept() {
    SKIP_ON_SERVER("about a database file that is no database");
    TestProgram p(false);
    QDir().mkpath(p.dataPath());
    const QByteArray text = "this is a text file renamed DATA.db\n";
    {
        QFile f(p.dataPath() + "DATA.db");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    p.start();
    QVERIFY(DM().ACN1.isOpen());
    QVERIFY(!DM().ACN2.isOpen());
    QCOMPARE(p.messages.entries.size(), 1);
    QCOMPARE(p.messages.entries[0].caption, QStringLiteral("NXヴァルテンマトリクス"));
    QCOMPARE(p.messages.entries[0].text,
             QStringLiteral("データベースのオープンでエラーが発生しました。　") + p.dataPath() +
                 "DATA.db\n" + kCauseNotDatabase);

    // Every later statement on the closed connection answers with the statement message.
    p.messages.clear();
    TQuery &q = DM().Query22;
    QVERIFY(!RunSql(q, "SELECT * FROM MSYAIN1", 'S'));
    QVERIFY(q.Eof());
    QVERIFY(!RunSql(q, "DELETE FROM MSYAIN1", 'E'));
    QCOMPARE(p.messages.texts(),
             QStringList(2, QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。")));

    QFile f(p.dataPath() + "DATA.db");
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), text);
    QCOMPARE(QDir(p.dataPath()).entryList(QDir::Files).size(), 2);
}

void TstTdm::connectionsHaveTheirPageCache() {
    SKIP_ON_SERVER("the page cache of the SQLite files");
    TestProgram p;
    for (TQuery *q : {&DM().Query1, &DM().Query21}) {
        QVERIFY(RunSql(*q, "PRAGMA cache_size", 'S'));
        QCOMPARE(q->AsInteger("cache_size"), -kPageCacheKiB);
    }
}

void TstTdm::runSqlFailures_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<char>("mode");
    QTest::addColumn<QString>("message");
    const QString unknown = QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。");
    const QString overflow = QStringLiteral("ＳＱＬ処理でオーバーフローが発生しました。");
    QTest::newRow("missing table") << "SELECT * FROM NOSUCHTABLE" << 'S' << unknown;
    QTest::newRow("syntax") << "SELEC KCO FROM MSYAIN1" << 'S' << unknown;
    QTest::newRow("missing column in insert")
        << "INSERT INTO YHYOUKA (KCO, NOPE) VALUES (1, 2)" << 'E' << unknown;
    QTest::newRow("duplicate key")
        << "INSERT INTO MKIGYOU2 (KCO, NENDO) VALUES (1, 2018)" << 'E' << unknown;
    // SQLite's sum() overflows; the server sums integers exactly, so there the addition does.
    QTest::newRow("integer overflow")
        << (TestingOnServer()
                ? "SELECT CAST(9223372036854775807 AS BIGINT) + 1 AS S"
                : "SELECT sum(x) AS S FROM (SELECT 9223372036854775807 AS x UNION ALL SELECT 1)")
        << 'S' << overflow;
}

void TstTdm::runSqlFailures() {
    QFETCH(QString, sql);
    QFETCH(char, mode);
    QFETCH(QString, message);
    TestProgram p;
    TQuery &q = DM().Query21;
    QVERIFY(RunSql(q,
                   "INSERT INTO MKIGYOU2 (KCO, NENDO) SELECT 1, 2018 WHERE NOT EXISTS "
                   "(SELECT 1 FROM MKIGYOU2 WHERE KCO = 1 AND NENDO = 2018)",
                   'E'));
    QVERIFY(RunSql(q, "SELECT KCO FROM MKIGYOU2", 'S'));
    QVERIFY(!q.Eof());
    QVERIFY(!RunSql(q, sql, mode));
    QCOMPARE(p.messages.texts(), QStringList{message});
    QCOMPARE(p.messages.entries[0].caption, QStringLiteral("NXヴァルテンマトリクス"));
    // The earlier result is gone: the caller reads an empty result.
    QVERIFY(q.Eof());
    QCOMPARE(q.RecordCount(), 0);
    QVERIFY(q.Value("KCO").isNull());
}

void TstTdm::unknownModeRunsNothing() {
    TestProgram p;
    TQuery &q = DM().Query21;
    QVERIFY(RunSql(q, "SELECT * FROM YHYOUKA", 'S'));
    QVERIFY(!RunSql(q, "INSERT INTO YHYOUKA VALUES (77, 2030, 1, 'A')", 'X'));
    QVERIFY(!RunSql(q, "INSERT INTO YHYOUKA VALUES (77, 2030, 1, 'A')", 's'));
    QVERIFY(!q.isOpen());
    QVERIFY(q.Eof());
    QCOMPARE(SqlValue(DM().ACN2, "SELECT count(*) FROM YHYOUKA WHERE KCO = 77"),
             QStringLiteral("0"));
    QVERIFY(p.messages.entries.isEmpty());
}

void TstTdm::readsFieldsByNameWithNullConversions() {
    TestProgram p;
    TQuery &q = DM().Query21;
    QVERIFY(RunSql(q,
                   "INSERT INTO MATRIXCELL (KCO, NENDO, MATRIXID, YHYOUKA, UP1, UP2) "
                   "VALUES (9, 2030, 1, 2, 2.75, NULL)",
                   'E'));
    QVERIFY(RunSql(q, "INSERT INTO MATRIXID (KCO, NENDO, MATRIXID, NAME) VALUES (9, 2030, 1, NULL)",
                   'E'));
    QVERIFY(RunSql(
        q, "SELECT C.*, M.NAME FROM MATRIXCELL C, MATRIXID M WHERE C.KCO = 9 AND M.KCO = 9", 'S'));
    QCOMPARE(q.RecordCount(), 1);
    QCOMPARE(q.AsFloat("up1"), 2.75);
    QCOMPARE(q.AsString("UP1"), QStringLiteral("2.75"));
    QCOMPARE(q.AsInteger("UP1"), 2);
    QVERIFY(q.Value("UP2").isNull());
    QCOMPARE(q.AsString("UP2"), QString());
    QCOMPARE(q.AsInteger("UP2"), 0);
    QCOMPARE(q.AsFloat("UP2"), 0.0);
    QCOMPARE(q.AsString("NAME"), QString());
    QVERIFY(q.Value("NOSUCHCOLUMN").isNull());
    q.Next();
    QVERIFY(q.Eof());
    QVERIFY(q.Value("UP1").isNull());
}

void TstTdm::quotedTextsRoundTrip_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("single quote") << QStringLiteral("O'Brien");
    QTest::newRow("double quote") << QStringLiteral("\"営業\" 部");
    QTest::newRow("quotes only") << QStringLiteral("''''");
    QTest::newRow("statement inside") << QStringLiteral("x'); DELETE FROM MSYAIN1; --");
    QTest::newRow("japanese 60 chars") << QString(60, QChar(0x682A));
    QTest::newRow("empty") << QString();
}

void TstTdm::quotedTextsRoundTrip() {
    QFETCH(QString, text);
    TestProgram p;
    const QString before = SqlValue(DM().ACN2, "SELECT count(*) FROM MSYAIN1");
    QVERIFY(RunSql(DM().Query21,
                   "INSERT INTO YHYOUKA (KCO, NENDO, HCO, HKIGOU) VALUES (5, 2030, 1, " +
                       SqlText(text) + ")",
                   'E'));
    TQuery &q = DM().Query22;
    QVERIFY(
        RunSql(q, "SELECT HCO FROM YHYOUKA WHERE HKIGOU = " + SqlText(text) + " AND KCO = 5", 'S'));
    QCOMPARE(q.RecordCount(), 1);
    QCOMPARE(SqlValue(DM().ACN2, "SELECT HKIGOU FROM YHYOUKA WHERE KCO = 5"), text);
    QCOMPARE(SqlValue(DM().ACN2, "SELECT count(*) FROM MSYAIN1"), before);
}

void TstTdm::transactionKeepsAllOrNothing() {
    TestProgram p;
    TQuery &q = DM().Query21;
    {
        ScopedTransaction tx(DM().ACN2);
        QVERIFY(tx.active());
        RunSql(q, "INSERT INTO YHYOUKA VALUES (6, 2030, 1, 'A')", 'E');
        RunSql(q, "INSERT INTO NOSUCHTABLE VALUES (1)", 'E');
        RunSql(q, "INSERT INTO YHYOUKA VALUES (6, 2030, 2, 'B')", 'E');
        QVERIFY(!tx.commit());
    }
    QCOMPARE(SqlValue(DM().ACN2, "SELECT count(*) FROM YHYOUKA WHERE KCO = 6"),
             QStringLiteral("0"));
    {
        ScopedTransaction tx(DM().ACN2);
        RunSql(q, "INSERT INTO YHYOUKA VALUES (6, 2030, 1, 'A')", 'E');
        RunSql(q, "INSERT INTO YHYOUKA VALUES (6, 2030, 2, 'B')", 'E');
        QVERIFY(tx.commit());
    }
    QCOMPARE(SqlValue(DM().ACN2, "SELECT count(*) FROM YHYOUKA WHERE KCO = 6"),
             QStringLiteral("2"));
}

void TstTdm::transactionRollsBackWhenLeftUncommitted() {
    TestProgram p;
    {
        ScopedTransaction tx(DM().ACN2);
        RunSql(DM().Query21, "DELETE FROM MSYAIN1", 'E');
    }
    QVERIFY(SqlValue(DM().ACN2, "SELECT count(*) FROM MSYAIN1") != QStringLiteral("0") ||
            SqlValue(DM().ACN2, "SELECT count(*) FROM MSYAIN2") == QStringLiteral("0"));
    RunSql(DM().Query21, "INSERT INTO YHYOUKA VALUES (8, 2030, 1, 'A')", 'E');
    {
        ScopedTransaction tx(DM().ACN2);
        RunSql(DM().Query21, "DELETE FROM YHYOUKA WHERE KCO = 8", 'E');
    }
    QCOMPARE(SqlValue(DM().ACN2, "SELECT count(*) FROM YHYOUKA WHERE KCO = 8"),
             QStringLiteral("1"));
}

void TstTdm::preparedStoresEachValueAsBound_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("stored"); // quote() of the stored value
    QTest::addColumn<QString>("type");
    QTest::newRow("int") << QVariant(-42) << "-42"
                         << "integer";
    QTest::newRow("bool") << QVariant(true) << "1"
                          << "integer";
    QTest::newRow("uint") << QVariant(4000000000u) << "4000000000"
                          << "integer";
    QTest::newRow("int64") << QVariant(Q_INT64_C(9007199254740993)) << "9007199254740993"
                           << "integer";
    QTest::newRow("double") << QVariant(2.75) << "2.75"
                            << "real";
    QTest::newRow("text") << QVariant(QStringLiteral("O'Brien \"営業\"")) << "'O''Brien \"営業\"'"
                          << "text";
    QTest::newRow("text outside the bmp") << QVariant(QStringLiteral("𠮷野😀")) << "'𠮷野😀'"
                                          << "text";
    QTest::newRow("empty text") << QVariant(QStringLiteral("")) << "''"
                                << "text";
    QTest::newRow("null text") << QVariant(QString()) << "NULL"
                               << "null";
    QTest::newRow("no value") << QVariant() << "NULL"
                              << "null";
    QTest::newRow("bytes") << QVariant(QByteArray("\x00\x01", 2)) << "X'0001'"
                           << "blob";
    QTest::newRow("date as text") << QVariant(QDate(2018, 4, 1)) << "'2018-04-01'"
                                  << "text";
    QTest::newRow("date and time as text")
        << QVariant(QDateTime(QDate(2018, 4, 1), QTime(9, 30))) << "'2018-04-01T09:30:00.000'"
        << "text";
}

void TstTdm::preparedStoresEachValueAsBound() {
    QFETCH(QVariant, value);
    QFETCH(QString, stored);
    QFETCH(QString, type);
    SKIP_ON_SERVER("the storage type SQLite keeps per value; a server column has one type");
    TestProgram p;
    QVERIFY(RunSql(DM().Query21, "CREATE TABLE PREPARED (N INTEGER, V)", 'E'));
    TPrepared insert(DM().ACN2, "INSERT INTO PREPARED (N, V) VALUES (?, ?)");
    QVERIFY(insert.isValid());
    // The same statement again, with another value before and after.
    QVERIFY(insert.run({1, QStringLiteral("before")}));
    QVERIFY(insert.run({2, value}));
    QVERIFY(insert.run({3, 3}));
    QCOMPARE(SqlColumn(DM().ACN2, "SELECT quote(V) || ' ' || typeof(V) FROM PREPARED ORDER BY N"),
             (QStringList{"'before' text", stored + " " + type, "3 integer"}));
    QVERIFY(p.messages.entries.isEmpty());
}

// The columns of the program's tables are numbers or texts (NUMERIC on the server): each kind
// of value the stores bind reads back the same on both engines.
void TstTdm::preparedValuesReadBackInTypedColumns_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("stored");
    QTest::newRow("int") << QVariant(-42) << "NUM"
                         << "-42";
    QTest::newRow("bool") << QVariant(true) << "NUM"
                          << "1";
    QTest::newRow("uint") << QVariant(4000000000u) << "NUM"
                          << "4000000000";
    QTest::newRow("int64") << QVariant(Q_INT64_C(9007199254740993)) << "NUM"
                           << "9007199254740993";
    QTest::newRow("double") << QVariant(2.75) << "NUM"
                            << "2.75";
    QTest::newRow("null number") << QVariant() << "NUM" << "";
    QTest::newRow("text") << QVariant(QStringLiteral("O'Brien \"営業\"")) << "TXT"
                          << "O'Brien \"営業\"";
    QTest::newRow("text outside the bmp") << QVariant(QStringLiteral("𠮷野😀")) << "TXT"
                                          << "𠮷野😀";
    QTest::newRow("empty text") << QVariant(QStringLiteral("")) << "TXT" << "";
    QTest::newRow("date as text") << QVariant(QDate(2018, 4, 1)) << "TXT"
                                  << "2018-04-01";
}

void TstTdm::preparedValuesReadBackInTypedColumns() {
    QFETCH(QVariant, value);
    QFETCH(QString, column);
    QFETCH(QString, stored);
    TestProgram p;
    QVERIFY(RunSql(DM().Query21, "CREATE TABLE PREPARED (N INTEGER, NUM NUMERIC, TXT TEXT)", 'E'));
    TPrepared insert(DM().ACN2, "INSERT INTO PREPARED (N, " + column + ") VALUES (?, ?)");
    QVERIFY(insert.isValid());
    QVERIFY(insert.run({1, value}));
    QVERIFY(insert.run({2, value})); // the same statement again
    QCOMPARE(SqlColumn(DM().ACN2, "SELECT " + column + " FROM PREPARED ORDER BY N"),
             QStringList(2, stored));
    QVERIFY(p.messages.entries.isEmpty());
}

void TstTdm::preparedFailureIsShownAndCounted() {
    TestProgram p;
    QVERIFY(RunSql(DM().Query21, "CREATE TABLE PREPARED (N INTEGER PRIMARY KEY, V TEXT NOT NULL)", 'E'));
    TPrepared insert(DM().ACN2, "INSERT INTO PREPARED (N, V) VALUES (?, ?)");
    const int failures = DM().ACN2.failures();
    QVERIFY(insert.run({1, QStringLiteral("a")}));
    QVERIFY(!insert.run({1, QStringLiteral("b")})); // the key exists
    QVERIFY(!insert.run({2, QVariant()}));          // NOT NULL
    QVERIFY(!insert.run({3}));                      // a value missing
    QCOMPARE(DM().ACN2.failures(), failures + 3);
    QCOMPARE(p.messages.texts(), QStringList(3, kMsgSqlUnknown));
    QVERIFY(insert.run({4, QStringLiteral("d")}));
    QCOMPARE(SqlColumn(DM().ACN2, "SELECT N || V FROM PREPARED ORDER BY N"),
             (QStringList{"1a", "4d"}));

    TPrepared broken(DM().ACN2, "INSERT INTO NOSUCHTABLE VALUES (?)");
    QVERIFY(!broken.isValid());
    QVERIFY(!broken.run({1}));
    QCOMPARE(p.messages.texts().size(), 4);
}

void TstTdm::calendarSettingsAreRead() {
    TestProgram p;
    QCOMPARE(G().gEraNames[1], QStringLiteral("昭和"));
    QCOMPARE(G().gEraNames[2], QStringLiteral("平成"));
    QCOMPARE(G().gEraNames[3], QStringLiteral("令和"));
    QCOMPARE(G().gEraStartYears[1], 1926);
    QCOMPARE(G().gEraStartYears[2], 1989);
    QCOMPARE(G().gEraStartYears[3], 2019);
}

QTEST_MAIN(TstTdm)
#include "tst_tdm.moc"
