#include "screen_test.h"

#include "project.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

void openSample(int kco, int nendo) {
    QVERIFY2(OpenProject(kco, nendo), "the sample project opens");
}

QWidget *findControl(QWidget &parent, const QString &name, const QMetaObject &type) {
    // Breadth first, so a window's own control comes before one of a dialog it owns.
    QList<QObject *> level{&parent};
    while (!level.isEmpty()) {
        QList<QObject *> next;
        for (QObject *o : level)
            for (QObject *child : o->children()) {
                auto *w = qobject_cast<QWidget *>(child);
                if (w && w->objectName() == name && w->metaObject()->inherits(&type)) return w;
                next << child;
            }
        level = next;
    }
    qFatal("no %s named %s", type.className(), qPrintable(name));
}

void showActive(QWidget &window) {
    window.show();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window)) qWarning("window not active");
}

void typeText(QWidget *target, const QString &text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void retype(QLineEdit *edit, const QString &text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    typeText(edit, text);
}

void retype(QComboBox *combo, const QString &text) {
    retype(combo->lineEdit(), text);
}

void typeInto(QWidget *box, const QString &text) {
    box->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    typeText(box, text);
}

void leaveTo(QWidget *next) {
    next->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
}

void click(QWidget &parent, const QString &button) {
    QTest::mouseClick(find<QAbstractButton>(parent, button), Qt::LeftButton);
    QCoreApplication::processEvents();
}

void exec(TConnection &connection, const QString &sql) {
    QSqlQuery q(QSqlDatabase::database(connection.name(), false));
    QVERIFY2(q.exec(sql), qPrintable(sql + QStringLiteral(": ") + q.lastError().text()));
}

namespace {
// A statement of a test that fails reads as "<error>", and the warning names the cause.
QStringList failed(const QSqlQuery &q, const QString &sql) {
    qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    return {QStringLiteral("<error>")};
}
} // namespace

// A value read back as text, the same on both engines: NULL is empty (the server's driver gives
// a null number that would read "0"), and as the server keeps the scale a number was written
// with ("1.70", "2.00") where SQLite keeps 1.7 and 2, the trailing zeros of a fraction are
// dropped.
QString valueText(const QSqlQuery &q, int column) {
    if (q.isNull(column)) return QString();
    QString text = q.value(column).toString();
    if (q.record().field(column).metaType().id() != QMetaType::Double) return text;
    static const QRegularExpression decimal(QStringLiteral("^-?[0-9]+\\.[0-9]+$"));
    if (!decimal.match(text).hasMatch()) return text;
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QStringList SqlColumn(TConnection &connection, const QString &sql) {
    QStringList out;
    QSqlQuery q(QSqlDatabase::database(connection.name(), false));
    if (!q.exec(sql)) return failed(q, sql);
    while (q.next())
        out << valueText(q, 0);
    return out;
}

QString SqlValue(TConnection &connection, const QString &sql) {
    const QStringList values = SqlColumn(connection, sql);
    return values.isEmpty() ? QString() : values.first();
}

QStringList SqlRows(TConnection &connection, const QString &sql) {
    QStringList out;
    QSqlQuery q(QSqlDatabase::database(connection.name(), false));
    if (!q.exec(sql)) return failed(q, sql);
    while (q.next()) {
        QStringList values;
        // The server's own row numbers (SELECT * there includes them) are no content.
        for (int i = 0; i < q.record().count(); ++i)
            if (q.record().fieldName(i) != QLatin1String("rowid")) values << valueText(q, i);
        out << values.join(QLatin1Char('|'));
    }
    return out;
}

namespace {
// On the server a trigger runs a function: one per trigger and table, created in the schema of
// the connection and resolving table names there whichever connection fires it.
void serverTrigger(TConnection &connection, const QString &name, const QString &timing,
                   const QString &event, const QString &table, const QString &body) {
    const QString function = QStringLiteral("%1_%2").arg(name, table).toLower();
    exec(connection, QStringLiteral("CREATE OR REPLACE FUNCTION %1() RETURNS trigger "
                                    "LANGUAGE plpgsql SET search_path FROM CURRENT AS $$ "
                                    "BEGIN %2 IF TG_OP = 'DELETE' THEN RETURN OLD; END IF; "
                                    "RETURN NEW; END $$")
                         .arg(function, body));
    exec(connection, QStringLiteral("CREATE TRIGGER %1 %2 %3 ON %4 FOR EACH ROW "
                                    "EXECUTE FUNCTION %5()")
                         .arg(name, timing, event, table, function));
}
} // namespace

void RefuseWrites(TConnection &connection, const QString &name, const QString &event,
                  const QString &table, const QString &when) {
    if (connection.onServer()) {
        const QString raise = QStringLiteral("RAISE EXCEPTION 'refused';");
        serverTrigger(connection, name, QStringLiteral("BEFORE"), event, table,
                      when.isEmpty() ? raise
                                     : QStringLiteral("IF %1 THEN %2 END IF;").arg(when, raise));
        return;
    }
    exec(connection, QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 %4 BEGIN "
                                    "SELECT RAISE(ABORT, 'refused'); END")
                         .arg(name, event, table,
                              when.isEmpty() ? QString() : QStringLiteral("WHEN ") + when));
}

void AllowWrites(TConnection &connection, const QString &name, const QString &table) {
    exec(connection, connection.onServer()
                         ? QStringLiteral("DROP TRIGGER %1 ON %2").arg(name, table)
                         : QStringLiteral("DROP TRIGGER %1").arg(name));
}

void CreateWriteLog(TConnection &connection) {
    exec(connection, connection.onServer()
                         ? QStringLiteral("CREATE TABLE WLOG (SEQ SERIAL PRIMARY KEY, ENTRY TEXT)")
                         : QStringLiteral("CREATE TABLE WLOG (SEQ INTEGER PRIMARY KEY, ENTRY TEXT)"));
}

void LogWrites(TConnection &connection, const QString &name, const QString &event,
               const QString &table, const QString &entry) {
    const QString insert = QStringLiteral("INSERT INTO WLOG (ENTRY) VALUES (%1);").arg(entry);
    if (connection.onServer())
        serverTrigger(connection, name, QStringLiteral("AFTER"), event, table, insert);
    else
        exec(connection, QStringLiteral("CREATE TRIGGER %1 AFTER %2 ON %3 BEGIN %4 END")
                             .arg(name, event, table, insert));
}

QStringList shown(const MessageRecorder &messages) {
    QStringList out;
    for (const MessageRecorder::Entry &e : messages.entries)
        if (e.kind == MessageRecorder::Kind::Message || e.kind == MessageRecorder::Kind::YesNo ||
            e.kind == MessageRecorder::Kind::OkCancel)
            out << e.text;
    return out;
}
