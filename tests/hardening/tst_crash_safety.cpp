// A save either happened completely or not at all, even when the program is killed in the
// middle of it. A helper process (this program, started with --crash-helper) opens a copy of a
// generated company of 10,000 employees and runs one operation: the employee import, the band
// save or the fiscal-year rollover. It is killed with SIGKILL at many points: just before
// each chosen file operation of SQLite (write, truncate, sync, delete; counted by a VFS that
// wraps the system one) and at chosen times after the operation started. After every kill both
// databases must pass PRAGMA integrity_check and hold exactly the content of before the
// operation or of after it.
//
// VM_CRASH_POINTS sets how many file operations of each kind of save are tried (default 12,
// "all" tries every one of them: a long run).

#include "band_loaders.h"
#include "company_generator.h"
#include "database_setup.h"
#include "employee_store.h"
#include "message_recorder.h"
#include "program_setup.h"
#include "project.h"
#include "state.h"
#include "tdm.h"
#include "test_program.h"
#include "year_rollover.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUuid>
#include <csignal>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int kEmployees = 10000;
constexpr int kCompany = 1;
constexpr int kYear = 2018;

// --- The helper process -----------------------------------------------------------------------

// A VFS over the system one that counts SQLite's file operations once counting is on and
// kills the process, before it is carried out, at operation number killAt.
sqlite3_vfs *baseVfs = nullptr;
sqlite3_vfs shimVfs;
sqlite3_io_methods shimIo;
bool counting = false;
long long operations = 0;
long long killAt = 0;

void fileOperation() {
    if (!counting) return;
    if (++operations == killAt) std::raise(SIGKILL);
}

struct ShimFile {
    sqlite3_file base;
    sqlite3_file *real;
};
sqlite3_file *real(sqlite3_file *f) {
    return reinterpret_cast<ShimFile *>(f)->real;
}

int shimClose(sqlite3_file *f) {
    return real(f)->pMethods->xClose(real(f));
}
int shimRead(sqlite3_file *f, void *buf, int n, sqlite3_int64 off) {
    return real(f)->pMethods->xRead(real(f), buf, n, off);
}
int shimWrite(sqlite3_file *f, const void *buf, int n, sqlite3_int64 off) {
    fileOperation();
    return real(f)->pMethods->xWrite(real(f), buf, n, off);
}
int shimTruncate(sqlite3_file *f, sqlite3_int64 size) {
    fileOperation();
    return real(f)->pMethods->xTruncate(real(f), size);
}
int shimSync(sqlite3_file *f, int flags) {
    fileOperation();
    return real(f)->pMethods->xSync(real(f), flags);
}
int shimFileSize(sqlite3_file *f, sqlite3_int64 *size) {
    return real(f)->pMethods->xFileSize(real(f), size);
}
int shimLock(sqlite3_file *f, int lock) {
    return real(f)->pMethods->xLock(real(f), lock);
}
int shimUnlock(sqlite3_file *f, int lock) {
    return real(f)->pMethods->xUnlock(real(f), lock);
}
int shimCheckReserved(sqlite3_file *f, int *out) {
    return real(f)->pMethods->xCheckReservedLock(real(f), out);
}
int shimFileControl(sqlite3_file *f, int op, void *arg) {
    return real(f)->pMethods->xFileControl(real(f), op, arg);
}
int shimSectorSize(sqlite3_file *f) {
    return real(f)->pMethods->xSectorSize(real(f));
}
int shimDeviceCharacteristics(sqlite3_file *f) {
    return real(f)->pMethods->xDeviceCharacteristics(real(f));
}

int shimOpen(sqlite3_vfs *, const char *name, sqlite3_file *file, int flags, int *outFlags) {
    auto *f = reinterpret_cast<ShimFile *>(file);
    f->real = reinterpret_cast<sqlite3_file *>(f + 1);
    const int rc = baseVfs->xOpen(baseVfs, name, f->real, flags, outFlags);
    f->base.pMethods = rc == SQLITE_OK && f->real->pMethods ? &shimIo : nullptr;
    return rc;
}
int shimDelete(sqlite3_vfs *, const char *name, int syncDir) {
    fileOperation();
    return baseVfs->xDelete(baseVfs, name, syncDir);
}
int shimAccess(sqlite3_vfs *, const char *name, int flags, int *out) {
    return baseVfs->xAccess(baseVfs, name, flags, out);
}
int shimFullPathname(sqlite3_vfs *, const char *name, int n, char *out) {
    return baseVfs->xFullPathname(baseVfs, name, n, out);
}
int shimRandomness(sqlite3_vfs *, int n, char *out) {
    return baseVfs->xRandomness(baseVfs, n, out);
}
int shimSleep(sqlite3_vfs *, int us) {
    return baseVfs->xSleep(baseVfs, us);
}
int shimCurrentTime(sqlite3_vfs *, double *t) {
    return baseVfs->xCurrentTime(baseVfs, t);
}
int shimGetLastError(sqlite3_vfs *, int n, char *out) {
    return baseVfs->xGetLastError(baseVfs, n, out);
}
int shimCurrentTimeInt64(sqlite3_vfs *, sqlite3_int64 *t) {
    return baseVfs->xCurrentTimeInt64(baseVfs, t);
}

void installShim() {
    baseVfs = sqlite3_vfs_find(nullptr);
    shimIo = {};
    shimIo.iVersion = 1; // no shared memory and no memory mapping: not used by these files
    shimIo.xClose = shimClose;
    shimIo.xRead = shimRead;
    shimIo.xWrite = shimWrite;
    shimIo.xTruncate = shimTruncate;
    shimIo.xSync = shimSync;
    shimIo.xFileSize = shimFileSize;
    shimIo.xLock = shimLock;
    shimIo.xUnlock = shimUnlock;
    shimIo.xCheckReservedLock = shimCheckReserved;
    shimIo.xFileControl = shimFileControl;
    shimIo.xSectorSize = shimSectorSize;
    shimIo.xDeviceCharacteristics = shimDeviceCharacteristics;
    shimVfs = {};
    shimVfs.iVersion = 2;
    shimVfs.szOsFile = static_cast<int>(sizeof(ShimFile)) + baseVfs->szOsFile;
    shimVfs.mxPathname = baseVfs->mxPathname;
    shimVfs.zName = "crash-points";
    shimVfs.xOpen = shimOpen;
    shimVfs.xDelete = shimDelete;
    shimVfs.xAccess = shimAccess;
    shimVfs.xFullPathname = shimFullPathname;
    shimVfs.xRandomness = shimRandomness;
    shimVfs.xSleep = shimSleep;
    shimVfs.xCurrentTime = shimCurrentTime;
    shimVfs.xGetLastError = shimGetLastError;
    shimVfs.xCurrentTimeInt64 = shimCurrentTimeInt64;
    sqlite3_vfs_register(&shimVfs, 1);
}

// The operations, each as the program runs it through its stores.
bool runImport() {
    std::vector<TImportedEmployee> rows(kEmployees);
    for (int i = 0; i < kEmployees; ++i) {
        TImportedEmployee &e = rows[static_cast<size_t>(i)];
        e.scot = QStringLiteral("N%1").arg(i + 1, 5, 10, QLatin1Char('0'));
        e.sna = QStringLiteral("取込　社員%1").arg(i + 1);
        e.yaku = i % 10 == 0 ? QStringLiteral("課長") : QString();
        e.seihi = 19700101 + (i % 28);
        e.nyuhi = 20000401;
        e.grade = 1 + i % 9;
        e.sex = i % 2;
        e.workType = 1 + i % 4;
        e.category = QStringLiteral("正社員");
        e.gaku = QStringLiteral("大学卒");
    }
    return ImportEmployees(rows, true).ok;
}

bool runBandSave() {
    LoadBandTbl2();
    if (G().gBandTbl2.Bands.empty()) return false;
    for (TBANDM2 &b : G().gBandTbl2.Bands) {
        b.Kijun += 1000;
        b.BandName += QStringLiteral("改");
    }
    return SaveAllBands(G().gBandTbl2);
}

bool runRollover() {
    return RollOverCompanyYear(ProjectKey{kCompany, kYear, true}, 20190401) ==
           RolloverOutcome::Done;
}

// --crash-helper DIR OPERATION KILL_AT: runs the operation on the program folder DIR, killed
// at file operation KILL_AT (0: never). Prints "start" when the operation starts and
// "operations N" when it finished.
int crashHelper(const QString &dir, const QString &operation, long long kill) {
    installShim();
    MessageRecorder messages;
    TDM dm;
    ResetState();
    SetAppPath(dir);
    OpenDatabases();
    LoadCalendarSettings();
    if (!OpenProject(kCompany, kYear)) return 2;
    killAt = kill;
    std::puts("start");
    std::fflush(stdout);
    // The check's own check: the import without SQLite's journal is not atomic, and the
    // test must see that.
    if (operation == QLatin1String("unjournaled import")) {
        QSqlQuery q(QSqlDatabase::database(DM().ACN2.name()));
        q.exec(QStringLiteral("PRAGMA journal_mode = OFF"));
    }
    counting = true;
    const bool ok = operation.endsWith(QLatin1String("import")) ? runImport()
                    : operation == QLatin1String("bands")       ? runBandSave()
                                                                : runRollover();
    counting = false;
    std::printf("operations %lld\n", operations);
    std::fflush(stdout);
    for (const QString &m : messages.texts())
        std::fprintf(stderr, "message: %s\n", qPrintable(m));
    return ok ? 0 : 3;
}

// --- The test ---------------------------------------------------------------------------------

// The whole content of a database: every table's rows in rowid order, hashed, with the row
// count of each table; opening it rolls back what a killed save left in its journal.
struct DbContent {
    QByteArray hash;
    QMap<QString, int> rows;
    QString integrity;
};

DbContent contentOf(const QString &path) {
    DbContent c;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) return c;
        QSqlQuery q(db);
        q.exec(QStringLiteral("PRAGMA integrity_check"));
        while (q.next())
            c.integrity += q.value(0).toString();
        QStringList tables;
        q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
        while (q.next())
            tables << q.value(0).toString();
        QCryptographicHash hash(QCryptographicHash::Sha256);
        for (const QString &t : tables) {
            hash.addData(t.toUtf8());
            q.setForwardOnly(true);
            q.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(t));
            int n = 0;
            const int columns = q.record().count();
            while (q.next()) {
                ++n;
                for (int i = 0; i < columns; ++i) {
                    const QVariant v = q.value(i);
                    hash.addData(v.isNull() ? QByteArray("\x01N") : v.toString().toUtf8());
                    hash.addData(QByteArray("\x00", 1));
                }
            }
            c.rows[t] = n;
        }
        c.hash = hash.result().toHex();
    }
    QSqlDatabase::removeDatabase(name);
    return c;
}

struct State {
    DbContent control, data;
    bool operator==(const State &o) const {
        return control.hash == o.control.hash && data.hash == o.data.hash;
    }
};

State stateOf(const QString &dir) {
    const QString data = dir + QStringLiteral("/DATA/");
    return {contentOf(data + dbsetup::kControlFile), contentOf(data + dbsetup::kDataFile)};
}

void copyProgram(const QString &from, const QString &to) {
    QDir().mkpath(to + QStringLiteral("/DATA"));
    for (const QString &f : {dbsetup::kControlFile, dbsetup::kDataFile}) {
        QFile::remove(to + QStringLiteral("/DATA/") + f);
        QVERIFY(
            QFile::copy(from + QStringLiteral("/DATA/") + f, to + QStringLiteral("/DATA/") + f));
    }
    for (const char *sub : {"Report", "CSV", "Picture"})
        QDir().mkpath(to + QLatin1Char('/') + QLatin1String(sub));
}

struct HelperRun {
    bool killed = false;
    int exitCode = -1;
    long long operations = 0;
    qint64 startedMs = 0; // from the process start to "start"
    qint64 operationMs = 0;
    QByteArray errors;
};

// Runs the helper; with killAfterMs >= 0 the test kills it that long after "start".
HelperRun runHelper(const QString &dir, const QString &operation, long long killAt,
                    int killAfterMs = -1) {
    HelperRun r;
    QProcess p;
    QElapsedTimer clock;
    clock.start();
    p.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--crash-helper"), dir, operation, QString::number(killAt)});
    QByteArray out;
    while (!out.contains("start\n") && p.waitForReadyRead(60000))
        out += p.readAllStandardOutput();
    r.startedMs = clock.elapsed();
    QElapsedTimer op;
    op.start();
    if (killAfterMs >= 0 && out.contains("start\n")) {
        QThread::msleep(static_cast<unsigned long>(killAfterMs));
        p.kill(); // SIGKILL
    }
    p.waitForFinished(300000);
    r.operationMs = op.elapsed();
    out += p.readAllStandardOutput();
    r.errors = p.readAllStandardError();
    r.killed = p.exitStatus() == QProcess::CrashExit;
    r.exitCode = p.exitCode();
    const qsizetype at = out.indexOf("operations ");
    if (at >= 0) r.operations = out.mid(at + 11).trimmed().toLongLong();
    return r;
}

} // namespace

class TstCrashSafety : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void killedSave_data();
    void killedSave();
    void cleanupTestCase();

private:
    QTemporaryDir m_dir;
    QString m_template;
    int m_points = 0;
    int m_halfWritten = 0;
};

void TstCrashSafety::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_template = m_dir.filePath(QStringLiteral("company"));
    generator::CompanyOptions company;
    company.kco = kCompany;
    company.name = QStringLiteral("クラッシュ試験株式会社");
    company.years = {kYear};
    company.employees = kEmployees;
    company.seed = 4242;
    const QString data = m_template + QStringLiteral("/DATA/");
    QVERIFY(QDir().mkpath(data));
    QVERIFY(generator::WriteControlDatabase(data + dbsetup::kControlFile, {company}));
    QVERIFY(generator::WriteCompanyDatabase(data + dbsetup::kDataFile, company));
}

void TstCrashSafety::killedSave_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("atomic");
    QTest::newRow("employee import") << QStringLiteral("import") << true;
    QTest::newRow("band save") << QStringLiteral("bands") << true;
    QTest::newRow("fiscal-year rollover") << QStringLiteral("rollover") << true;
    // Shows that a save that is not atomic is caught (its figures are not counted).
    QTest::newRow("import without journal") << QStringLiteral("unjournaled import") << false;
}

void TstCrashSafety::killedSave() {
    QFETCH(QString, operation);
    QFETCH(bool, atomic);
    SKIP_ON_SERVER("kills the program during the file operations of SQLite");
    const State before = stateOf(m_template);
    QCOMPARE(before.control.integrity, QStringLiteral("ok"));
    QCOMPARE(before.data.integrity, QStringLiteral("ok"));

    // The operation once to its end: its file operations, its time and the content after it.
    const QString work = m_dir.filePath(QStringLiteral("work"));
    copyProgram(m_template, work);
    const HelperRun full = runHelper(work, operation, 0);
    QVERIFY2(!full.killed && full.exitCode == 0, full.errors.constData());
    QVERIFY(full.operations > 0);
    const State after = stateOf(work);
    QVERIFY2(!(after == before), "the operation changed nothing");

    // The kill points: file operations spread over the whole save, then times.
    const QByteArray setting = qgetenv("VM_CRASH_POINTS");
    const long long wanted = !atomic             ? 8
                             : setting == "all"  ? full.operations
                             : setting.isEmpty() ? 12
                                                 : std::max(1, setting.toInt());
    QList<long long> atOperation;
    const long long count = std::min(wanted, full.operations);
    for (long long i = 0; i < count; ++i)
        atOperation << 1 + (full.operations - 1) * i / std::max(1LL, count - 1);
    QList<int> afterMs;
    const int times = !atomic ? 0 : setting == "all" ? 10 : 3;
    for (int i = 1; i <= times; ++i)
        afterMs << static_cast<int>(full.operationMs * i / (times + 1));

    int points = 0, present = 0, absent = 0;
    QStringList half;
    const auto check = [&](const HelperRun &run, const QString &point) {
        ++points;
        const State now = stateOf(work);
        if (now.control.integrity != QLatin1String("ok") ||
            now.data.integrity != QLatin1String("ok")) {
            half << point + QStringLiteral(": integrity ") + now.control.integrity +
                        QLatin1Char('/') + now.data.integrity;
        } else if (now == after) {
            ++present;
        } else if (now == before) {
            ++absent;
        } else {
            half << point + QStringLiteral(": neither before nor after");
        }
        Q_UNUSED(run);
    };
    for (long long k : atOperation) {
        copyProgram(m_template, work);
        const HelperRun run = runHelper(work, operation, k);
        QVERIFY2(run.killed, qPrintable(QStringLiteral("not killed at file operation %1").arg(k)));
        check(run, QStringLiteral("file operation %1").arg(k));
    }
    for (int ms : afterMs) {
        copyProgram(m_template, work);
        const HelperRun run = runHelper(work, operation, 0, ms);
        check(run, QStringLiteral("%1 ms").arg(ms));
    }
    qInfo("%s: %lld file operations, %d kill points: %d complete, %d absent, %lld half-written",
          qPrintable(operation), full.operations, points, present, absent,
          static_cast<long long>(half.size()));
    if (!atomic) {
        QVERIFY2(!half.isEmpty(), "a save without journal was not caught half-written");
        return;
    }
    m_points += points;
    m_halfWritten += static_cast<int>(half.size());
    QVERIFY2(half.isEmpty(), qPrintable(half.join(QLatin1Char('\n'))));
    // Killed before its last file operation, a save has not happened.
    QVERIFY(absent > 0);
}

void TstCrashSafety::cleanupTestCase() {
    qInfo("crash safety: %d kill points tried, %d half-written operations", m_points,
          m_halfWritten);
}

int main(int argc, char **argv) {
    if (argc == 5 && qstrcmp(argv[1], "--crash-helper") == 0) {
        QCoreApplication app(argc, argv);
        return crashHelper(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                           QByteArray(argv[4]).toLongLong());
    }
    QCoreApplication app(argc, argv);
    TstCrashSafety test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crash_safety.moc"
