#pragma once
// What every screen test does: open the sample project, find controls by their object name,
// type and leave fields as a user does, click buttons, run statements and read rows directly,
// and read the messages the screen showed (recorded by the TestProgram's message recorder).

#include "message_recorder.h"
#include "tdm.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QLineEdit;

// The sample project of the shipped data: company 1, 株式会社ロメルタ, fiscal year 2018 (or 2017).
inline constexpr int kSampleCompany = 1;
inline constexpr int kSampleYear = 2018;
// Opens a project as choosing it in the company list does (OpenProject); fails the test when
// the company has no settings that year.
void openSample(int kco = kSampleCompany, int nendo = kSampleYear);

// The control named `name` below `parent`; ends the test run when there is none.
QWidget *findControl(QWidget &parent, const QString &name, const QMetaObject &type);
template <typename T> T *find(QWidget &parent, const QString &name) {
    return static_cast<T *>(findControl(parent, name, T::staticMetaObject));
}

// Shows a window and makes it the active one, so focus changes reach its controls.
void showActive(QWidget &window);

// Types text as key presses (any characters, as an input method delivers them).
void typeText(QWidget *target, const QString &text);
// Replaces the text of an edit box or editable combo box as the user does, without moving the
// focus: select all, delete, type.
void retype(QLineEdit *edit, const QString &text);
void retype(QComboBox *combo, const QString &text);
// Puts the focus into a box as a mouse click does, then replaces its text.
void typeInto(QWidget *box, const QString &text);
// Leaves the field that has the focus by moving it to `next`, and lets the field's check run.
void leaveTo(QWidget *next);
// Clicks a button with the mouse and lets what it started finish.
void click(QWidget &parent, const QString &button);

// Runs a statement directly on a database, failing the test when it fails.
void exec(TConnection &connection, const QString &sql);
// Runs a statement directly on a database (outside the data module) and returns the first
// column of every row as text ("<error>" when it fails).
QStringList SqlColumn(TConnection &connection, const QString &sql);
// The first column of the first row as text ("" when there is none).
QString SqlValue(TConnection &connection, const QString &sql);
// Every row of a SELECT as its values joined by "|" ("<error>" when it fails): whole rows
// compared before and after an operation.
QStringList SqlRows(TConnection &connection, const QString &sql);

// Makes the database refuse `event` (INSERT, UPDATE or DELETE) on `table` with an error, for
// every row or only for the rows where `when` holds: an SQL condition over NEW. and OLD.
// columns, subqueries allowed. It stands for a full disk or a broken file in the middle of a
// save. `name` names the refusal on this table; AllowWrites removes it again. Works on both
// engines (a trigger on SQLite, a trigger and its function on the server).
void RefuseWrites(TConnection &connection, const QString &name, const QString &event,
                  const QString &table, const QString &when = {});
void AllowWrites(TConnection &connection, const QString &name, const QString &table);

// Creates the table WLOG (SEQ, ENTRY) on a connection: entries written by LogWrites, read back
// in the order written with "ORDER BY SEQ".
void CreateWriteLog(TConnection &connection);
// After every row `event` (INSERT, UPDATE or DELETE) writes to `table`, adds to the connection's
// WLOG the value of `entry`, an SQL text expression over NEW. or OLD. columns.
void LogWrites(TConnection &connection, const QString &name, const QString &event,
               const QString &table, const QString &entry);

// The texts of the messages and questions shown, without the file, colour and printer dialogs.
QStringList shown(const MessageRecorder &messages);
