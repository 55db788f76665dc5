#include "screen_test.h"

#include "project.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlError>
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

QStringList SqlRows(TConnection &connection, const QString &sql) {
    QStringList out;
    QSqlQuery q(QSqlDatabase::database(connection.name(), false));
    if (!q.exec(sql)) return {QStringLiteral("<error>")};
    while (q.next()) {
        QStringList values;
        // The server's own row numbers (SELECT * there includes them) are no content.
        for (int i = 0; i < q.record().count(); ++i)
            if (q.record().fieldName(i) != QLatin1String("rowid")) values << q.value(i).toString();
        out << values.join(QLatin1Char('|'));
    }
    return out;
}

QStringList shown(const MessageRecorder &messages) {
    QStringList out;
    for (const MessageRecorder::Entry &e : messages.entries)
        if (e.kind == MessageRecorder::Kind::Message || e.kind == MessageRecorder::Kind::YesNo ||
            e.kind == MessageRecorder::Kind::OkCancel)
            out << e.text;
    return out;
}
