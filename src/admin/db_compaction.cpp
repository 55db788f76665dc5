#include "db_compaction.h"

#include "message_seam.h"
#include "screen_kit.h"
#include "state.h"
#include "tdm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
// A connection of its own on one file, read only, removed again when it goes out of scope.
// The data module's connections are closed while the files are compacted.
class FileConnection {
public:
    explicit FileConnection(const QString &path) {
        static int seq = 0;
        m_name = QStringLiteral("compaction-%1").arg(++seq);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        // Read only: a missing file is never created, and the source is never written.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.setDatabaseName(path);
        m_open = db.open();
        if (!m_open) m_error = db.lastError().text();
    }
    ~FileConnection() {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    FileConnection(const FileConnection &) = delete;
    FileConnection &operator=(const FileConnection &) = delete;

    bool isOpen() const { return m_open; }
    const QString &error() const { return m_error; }
    // Runs a statement; the first column of the first row (empty text when there is none), or
    // a null text and error() set when it fails.
    QString run(const QString &sql) {
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        if (!q.exec(sql)) {
            m_error = q.lastError().text();
            return QString();
        }
        return q.next() ? q.value(0).toString() : QStringLiteral("");
    }

private:
    QString m_name;
    bool m_open = false;
    QString m_error;
};

// Writes what the system still holds of a file (or folder) to the disk.
bool flushToDisk(const QString &path, bool folder) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), folder ? O_RDONLY : O_RDWR);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
#else
    Q_UNUSED(folder);
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.flush();
#endif
}

CompactionResult failed(CompactionResult::Step step, const QString &detail,
                        const QString &workFile) {
    QFile::remove(workFile);
    return {step, detail};
}
} // namespace

QString CompactionWorkFile(const QString &databaseFile) {
    const QFileInfo info(databaseFile);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".bak"));
}

CompactionResult CompactDatabaseFile(const QString &databaseFile) {
    using Step = CompactionResult::Step;
    const QString work = CompactionWorkFile(databaseFile);
    if (!QFileInfo(databaseFile).isFile())
        return {Step::Copy, QStringLiteral("ファイルがありません。")};
    {
        FileConnection source(databaseFile);
        if (!source.isOpen()) return failed(Step::Copy, source.error(), work);
        if (source.run(QStringLiteral("VACUUM INTO ") + SqlText(work)).isNull())
            return failed(Step::Copy, source.error(), work);
    }
    {
        FileConnection copy(work);
        const QString check =
            copy.isOpen() ? copy.run(QStringLiteral("PRAGMA integrity_check")) : QString();
        if (check != QLatin1String("ok"))
            return failed(Step::Check, check.isEmpty() ? copy.error() : check, work);
    }
    if (!flushToDisk(work, false))
        return failed(Step::Check, QStringLiteral("fsync: ") + work, work);
    // A rename replaces the file in one step: the database file is never half written.
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(work.toStdU16String()),
                            std::filesystem::path(databaseFile.toStdU16String()), ec);
    if (ec) return failed(Step::Replace, QString::fromLocal8Bit(ec.message()), work);
    flushToDisk(QFileInfo(databaseFile).absolutePath(), true); // the rename itself
    return {};
}

QString VacuumServerSchemas() {
    QSqlQuery q(QSqlDatabase::database(DM().ACN2.name(), false));
    for (const QString &schema : {dbloc::kDataSchema, dbloc::kControlSchema}) {
        QStringList tables;
        if (!q.exec(QStringLiteral("SELECT table_name FROM information_schema.tables WHERE "
                                   "table_schema = '%1' AND table_type = 'BASE TABLE'")
                        .arg(schema)))
            return q.lastError().text();
        while (q.next())
            tables << schema + QLatin1Char('.') + q.value(0).toString();
        q.finish();
        if (!tables.isEmpty() &&
            !q.exec(QStringLiteral("VACUUM (ANALYZE) ") + tables.join(QStringLiteral(", "))))
            return q.lastError().text();
    }
    return {};
}

bool CompactDatabases() {
    if (!AskYesNo(kMsgCompactAsk, kAppCaption)) return false;
    TDM &dm = DM();
    if (dm.ACN2.onServer()) {
        QString problem;
        {
            TBusyCursor busy;
            problem = VacuumServerSchemas();
        }
        if (!problem.isEmpty()) {
            ShowMessage(kMsgCompactFailed + QStringLiteral("\r\n") + dm.ACN2.path() +
                            QStringLiteral("\r\n(") + problem + QLatin1Char(')'),
                        kAppCaption, MsgIcon::Error);
            return false;
        }
        ShowMessage(kMsgCompactDone, kAppCaption);
        return true;
    }
    const QString files[] = {dm.ACN2.path(), dm.ACN1.path()}; // data first, then control
    bool leftover = false;
    for (const QString &file : files)
        leftover = leftover || QFileInfo::exists(CompactionWorkFile(file));
    if (leftover && !AskYesNo(kMsgCompactLeftover, kCaptionCompactLeftover)) return false;

    CompactionResult result;
    QString failedFile;
    bool reopened = false;
    {
        TBusyCursor busy;
        for (const QString &file : files)
            QFile::remove(CompactionWorkFile(file));
        dm.CloseDatabases();
        for (const QString &file : files) {
            result = CompactDatabaseFile(file);
            if (!result.ok()) {
                failedFile = file;
                break;
            }
        }
        // Whatever happened, the program goes on with both databases open.
        reopened = dm.ReopenDatabases();
    }
    if (!result.ok()) {
        const QString &head = result.step == CompactionResult::Step::Replace
                                  ? kMsgCompactReplaceFailed
                                  : kMsgCompactFailed;
        ShowMessage(head + QStringLiteral("\r\n") + QDir::toNativeSeparators(failedFile) +
                        QStringLiteral("\r\n") + kMsgCompactUntouched + QStringLiteral("\r\n(") +
                        result.detail + QLatin1Char(')'),
                    kAppCaption, MsgIcon::Error);
        return false;
    }
    // A file that did not open again has shown its own message.
    if (!reopened) return false;
    ShowMessage(kMsgCompactDone, kAppCaption);
    return true;
}
