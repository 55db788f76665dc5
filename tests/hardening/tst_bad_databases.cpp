// Database files the program cannot use as they are: missing, empty, truncated, not a
// database, marked read-only, or locked by another process, for the control database and the
// data database, met at start-up and during a save. Each time the program says why in one
// message, does not crash, leaves the file exactly as it was, and works again once the cause
// is gone.

#include "database_setup.h"
#include "main_window.h"
#include "program_setup.h"
#include "project.h"
#include "settings_store.h"
#include "splash.h"
#include "state.h"
#include "test_program.h"
#include "work_type_store.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

enum class Damage { Missing, Empty, Truncated, NotDatabase, ReadOnly, Reserved, Exclusive };

// What a file looks like from outside: present, its bytes and its permissions.
struct FileState {
    bool exists = false;
    QByteArray sha;
    QFileDevice::Permissions permissions;
    bool operator==(const FileState &) const = default;
};

FileState stateOf(const QString &path) {
    FileState s;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return s;
    s.exists = true;
    s.sha = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex();
    s.permissions = f.permissions();
    return s;
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Another process holding a lock on a database file until release() (or its end): a reserved
// lock (BEGIN IMMEDIATE, readers go on) or an exclusive one (nobody else reads).
class LockHolder {
public:
    LockHolder(const QString &path, bool exclusive) {
        m_process.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--hold-lock"), path,
                         exclusive ? QStringLiteral("exclusive") : QStringLiteral("reserved")});
        while (!m_process.readAllStandardOutput().contains("locked") &&
               m_process.waitForReadyRead(10000)) {
        }
    }
    ~LockHolder() { release(); }
    bool running() const { return m_process.state() == QProcess::Running; }
    void release() {
        if (m_process.state() == QProcess::NotRunning) return;
        m_process.write("\n");
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000)) m_process.kill();
        m_process.waitForFinished(1000);
    }

private:
    QProcess m_process;
};

// The helper process of LockHolder.
int holdLock(const char *path, const char *mode) {
    int rc = 1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "lock");
        db.setDatabaseName(QString::fromLocal8Bit(path));
        QSqlQuery q(db);
        if (db.open() &&
            q.exec(qstrcmp(mode, "exclusive") == 0 ? "BEGIN EXCLUSIVE" : "BEGIN IMMEDIATE")) {
            std::puts("locked");
            std::fflush(stdout);
            std::string line;
            std::getline(std::cin, line);
            q.exec("ROLLBACK");
            rc = 0;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("lock");
    return rc;
}

QString fileName(bool data) {
    return data ? dbsetup::kDataFile : dbsetup::kControlFile;
}

// The era table as the basic settings screen last read it.
EraSettings shownEras;

// A save on the database as a screen makes it from what it shows: a work type of the open
// project (data) or the era table (control). readSaved() reads the value back.
bool save(bool data, const QString &value) {
    if (data) {
        TSALARYTBL w;
        w.SalaryName = value;
        return SaveWorkType(4, w);
    }
    EraSettings eras = shownEras;
    eras.eras[3].name = value;
    return SaveControlSettings(nullptr, &eras);
}

QString readSaved(bool data) {
    if (data) {
        TSALARYTBL w;
        return ReadWorkType(4, w) ? w.SalaryName : QString();
    }
    return ReadEraTable(shownEras) ? shownEras.eras[3].name : QString();
}

// Brings damage to a file that the program has not opened yet (or has open).
void damage(Damage d, const QString &path) {
    const QByteArray good = readFile(path);
    switch (d) {
    case Damage::Missing:
        QVERIFY(QFile::remove(path));
        break;
    case Damage::Empty:
        writeFile(path, {});
        break;
    case Damage::Truncated:
        writeFile(path, good.left(good.size() / 2));
        break;
    case Damage::NotDatabase:
        writeFile(path, QByteArray("社員番号,社員名\r\n1001,山田\r\n").repeated(200));
        break;
    case Damage::ReadOnly:
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                QFileDevice::ReadOther));
        break;
    case Damage::Reserved:
    case Damage::Exclusive:
        break; // a LockHolder does it
    }
}

QStringList filesIn(const QString &dir) {
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TstBadDatabases : public QObject {
    Q_OBJECT
private slots:
    void atStartUp_data();
    void atStartUp();
    void duringSave_data();
    void duringSave();
};

void TstBadDatabases::atStartUp_data() {
    QTest::addColumn<bool>("data");
    QTest::addColumn<Damage>("damage");
    for (bool data : {false, true}) {
        const QByteArray f = data ? "DATA.db " : "SEIGYO.db ";
        QTest::newRow(f + "missing") << data << Damage::Missing;
        QTest::newRow(f + "empty") << data << Damage::Empty;
        QTest::newRow(f + "truncated") << data << Damage::Truncated;
        QTest::newRow(f + "not a database") << data << Damage::NotDatabase;
        QTest::newRow(f + "read-only") << data << Damage::ReadOnly;
        QTest::newRow(f + "reserved lock") << data << Damage::Reserved;
        QTest::newRow(f + "exclusive lock") << data << Damage::Exclusive;
    }
}

// The program starts (main window, splash, the screens made at start-up) on a bad file.
void TstBadDatabases::atStartUp() {
    QFETCH(bool, data);
    QFETCH(Damage, damage);
    SKIP_ON_SERVER("damaged, read-only and locked SQLite files");
    TestProgram p(false);
    PrepareProgramFolders(); // the shipped databases
    const QString path = p.dataPath() + fileName(data);
    const QByteArray good = readFile(path);
    ::damage(damage, path);
    std::unique_ptr<LockHolder> lock;
    if (damage == Damage::Reserved || damage == Damage::Exclusive) {
        lock = std::make_unique<LockHolder>(path, damage == Damage::Exclusive);
        QVERIFY(lock->running());
    }
    const FileState before = stateOf(path);
    const QStringList filesBefore = filesIn(p.dataPath());

    {
        const std::unique_ptr<TNX0000> window = StartUp(SplashTimings::None());
        QVERIFY(window);
        const QStringList messages = shown(p.messages);
        switch (damage) {
        case Damage::Missing: // made again with the shipped content, as on a first start
            QCOMPARE(messages, QStringList());
            QVERIFY(OpenProject(kSampleCompany, kSampleYear));
            break;
        case Damage::ReadOnly:
        case Damage::Reserved: { // read as usual; a save is refused with the cause
            QCOMPARE(messages, QStringList());
            QVERIFY(OpenProject(kSampleCompany, kSampleYear));
            const QString kept = readSaved(data);
            QVERIFY(!save(data, QStringLiteral("保存されない")));
            QCOMPARE(p.messages.entries.size(), 1);
            const QString cause = damage == Damage::ReadOnly ? kCauseReadOnly : kCauseLocked;
            QVERIFY2(p.messages.lastText().endsWith(QLatin1Char('\n') + cause),
                     qPrintable(p.messages.lastText()));
            QCOMPARE(readSaved(data), kept);
            break;
        }
        default: { // a message naming the file and why; the other database still opens
            // Statements that the start-up runs on the closed connection each say they failed.
            QVERIFY(!messages.isEmpty());
            for (qsizetype i = 1; i < messages.size(); ++i)
                QCOMPARE(messages[i], kMsgSqlUnknown);
            const QString cause = damage == Damage::Empty       ? kCauseEmpty
                                  : damage == Damage::Truncated ? kCauseTruncated
                                  : damage == Damage::Exclusive ? kCauseLocked
                                                                : kCauseNotDatabase;
            QCOMPARE(messages[0], kMsgOpenError + path + QLatin1Char('\n') + cause);
            QCOMPARE(p.messages.entries[0].caption, kAppCaption);
            QVERIFY(!(data ? DM().ACN2 : DM().ACN1).isOpen());
            QVERIFY((data ? DM().ACN1 : DM().ACN2).isOpen());
            break;
        }
        }
        DM().CloseDatabase(DM().ACN1);
        DM().CloseDatabase(DM().ACN2);
    }
    if (damage != Damage::Missing) {
        QCOMPARE(stateOf(path), before);
        QCOMPARE(filesIn(p.dataPath()), filesBefore);
    }

    // The cause goes away: the file back, writable, unlocked. The next start works fully.
    if (lock) lock->release();
    if (damage == Damage::ReadOnly)
        QVERIFY(QFile::setPermissions(path, before.permissions | QFileDevice::WriteOwner));
    else if (damage != Damage::Missing && !lock)
        writeFile(path, good);
    p.messages.clear();
    ResetState();
    SetAppPath(p.dir());
    const std::unique_ptr<TNX0000> window = StartUp(SplashTimings::None());
    QCOMPARE(shown(p.messages), QStringList());
    QVERIFY(OpenProject(kSampleCompany, kSampleYear));
    readSaved(data);
    QVERIFY(save(data, QStringLiteral("𠮷'\"\\保存")));
    QCOMPARE(readSaved(data), QStringLiteral("𠮷'\"\\保存"));
    QCOMPARE(shown(p.messages), QStringList());
}

void TstBadDatabases::duringSave_data() {
    QTest::addColumn<bool>("data");
    QTest::addColumn<Damage>("damage");
    for (bool data : {false, true}) {
        const QByteArray f = data ? "DATA.db " : "SEIGYO.db ";
        QTest::newRow(f + "deleted") << data << Damage::Missing;
        QTest::newRow(f + "emptied") << data << Damage::Empty;
        QTest::newRow(f + "truncated") << data << Damage::Truncated;
        QTest::newRow(f + "overwritten") << data << Damage::NotDatabase;
        QTest::newRow(f + "made read-only") << data << Damage::ReadOnly;
        QTest::newRow(f + "reserved lock") << data << Damage::Reserved;
        QTest::newRow(f + "exclusive lock") << data << Damage::Exclusive;
    }
}

// The program runs with a project open when the file goes bad; then a save is made.
void TstBadDatabases::duringSave() {
    QFETCH(bool, data);
    QFETCH(Damage, damage);
    SKIP_ON_SERVER("damaged, read-only and locked SQLite files");
    TestProgram p;
    openSample();
    const QString path = p.dataPath() + fileName(data);
    const QString kept = readSaved(data);
    QVERIFY(save(data, QStringLiteral("最初の保存")));
    const QByteArray good = readFile(path);
    const FileState goodState = stateOf(path);

    ::damage(damage, path);
    std::unique_ptr<LockHolder> lock;
    if (damage == Damage::Reserved || damage == Damage::Exclusive) {
        lock = std::make_unique<LockHolder>(path, damage == Damage::Exclusive);
        QVERIFY(lock->running());
    }
    const FileState before = stateOf(path);
    p.messages.clear();

    QVERIFY(!save(data, QStringLiteral("保存されない")));
    // One message, ending with the cause.
    const QString cause = damage == Damage::Missing     ? kCauseMissing
                          : damage == Damage::Empty     ? kCauseEmpty
                          : damage == Damage::Truncated ? kCauseTruncated
                          : damage == Damage::ReadOnly  ? kCauseReadOnly
                          : lock                        ? kCauseLocked
                                                        : kCauseNotDatabase;
    QCOMPARE(p.messages.entries.size(), 1);
    QVERIFY2(p.messages.lastText().endsWith(QLatin1Char('\n') + cause),
             qPrintable(p.messages.lastText()));
    QCOMPARE(stateOf(path), before);

    p.messages.clear();
    if (lock) {
        // The lock gone, the same run saves again.
        lock->release();
        QVERIFY(save(data, QStringLiteral("ロック解除後")));
        QCOMPARE(readSaved(data), QStringLiteral("ロック解除後"));
    } else {
        // The file back as it was: the program opened again saves again.
        if (damage == Damage::ReadOnly)
            QVERIFY(QFile::setPermissions(path, goodState.permissions));
        else
            writeFile(path, good);
        QCOMPARE(stateOf(path).sha, goodState.sha);
        OpenDatabases();
        readSaved(data);
        QVERIFY(save(data, QStringLiteral("復旧後")));
        QCOMPARE(readSaved(data), QStringLiteral("復旧後"));
    }
    QCOMPARE(shown(p.messages), QStringList());
    Q_UNUSED(kept);
}

int main(int argc, char **argv) {
    if (argc == 4 && qstrcmp(argv[1], "--hold-lock") == 0) {
        QCoreApplication app(argc, argv);
        return holdLock(argv[2], argv[3]);
    }
    QApplication app(argc, argv);
    TstBadDatabases test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_bad_databases.moc"
