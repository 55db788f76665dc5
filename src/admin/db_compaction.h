#pragma once
// Compaction of both database files. Deleting and re-inserting rows leaves free pages behind;
// compaction writes each file again without them. Each file is written compactly into a work
// file beside it (DATA.db -> DATA.bak), checked, flushed to disk and renamed over the database
// file, so the database file is at every moment either the old file or the complete new one.
// A work file found at the start is the sign of an earlier compaction that did not finish.

#include <QString>

// The work file of a database file: the same folder and name with ".bak" (DATA.db -> DATA.bak).
QString CompactionWorkFile(const QString &databaseFile);

// What compacting one file came to.
struct CompactionResult {
    enum class Step { Done, Copy, Check, Replace };
    Step step = Step::Done; // the step that failed, or Done
    QString detail;         // what failed, for the message
    bool ok() const { return step == Step::Done; }
};

// Compacts one closed database file: VACUUM INTO its work file, an integrity check of the copy,
// the copy flushed to disk, then renamed over the database file. On any failure the database
// file is untouched and the work file is removed.
CompactionResult CompactDatabaseFile(const QString &databaseFile);

// The compaction command: asks first (and again when a work file is left from an earlier run),
// closes both connections, compacts the data database and then the control database, opens
// both again (control first) and shows how it went. The project state is not touched, so an
// open project stays open. True when both files were compacted. On the server the same
// questions lead to VacuumServerSchemas; nothing is closed.
bool CompactDatabases();

// On the server: VACUUM (ANALYZE) of every table of the two schemas, through the data
// connection, while other users keep working (the server frees and reuses the space of
// deleted rows itself). An empty text when it ran, otherwise the server's reason.
QString VacuumServerSchemas();

// Messages of the compaction.
inline const QString kMsgCompactAsk = QStringLiteral("データベースを圧縮します。よろしいですか？");
inline const QString kMsgCompactLeftover =
    QStringLiteral("すでに.bakファイルが存在します。\r\n"
                   "前回圧縮処理をして異常終了してませんか？\r\n"
                   "異常終了して原因が不明のままであれば処理を中止して下さい。\r\n"
                   "原因が不明なまま処理を続行すると大切なデータが消失することもあります。\r\n"
                   "処理を続行しますか？");
inline const QString kCaptionCompactLeftover = QStringLiteral("Dazov");
inline const QString kMsgCompactDone = QStringLiteral("DB圧縮処理が完了しました。");
// The compacted copy could not be put in place of the database file.
inline const QString kMsgCompactReplaceFailed =
    QStringLiteral("圧縮処理の最終処理でエラーが発生しました。確認して下さい。");
// The compacted copy could not be written or did not pass its check.
inline const QString kMsgCompactFailed =
    QStringLiteral("データベースの圧縮でエラーが発生しました。");
// Added to both failure messages: the file that failed is as it was before.
inline const QString kMsgCompactUntouched =
    QStringLiteral("データベースは圧縮前のまま使用できます。");
