#include "sql_builder.h"

#include "tdm.h"

QString InsertTemplate(const QString &table, const QStringList &columns) {
    QStringList marks;
    marks.reserve(columns.size());
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    return QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") +
           columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
           marks.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString NumberedColumn(const QString &prefix, int n, int width) {
    return prefix + QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
}

QVariant TextValue(const QString &text) {
    return text.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(text);
}

SqlRow &SqlRow::add(const QString &column, QString literal) {
    m_columns << column;
    m_literals << std::move(literal);
    return *this;
}

SqlRow &SqlRow::set(const QString &column, int value) {
    return add(column, SqlInt(value));
}

SqlRow &SqlRow::set(const QString &column, qint64 value) {
    return add(column, SqlInt(value));
}

SqlRow &SqlRow::set(const QString &column, double value) {
    return add(column, SqlNum(value));
}

SqlRow &SqlRow::set(const QString &column, const QString &text) {
    return add(column, SqlText(text));
}

QString SqlRow::insertInto(const QString &table) const {
    return QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") +
           m_columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
           m_literals.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString SqlRow::update(const QString &table, const QString &where) const {
    QStringList assignments;
    assignments.reserve(m_columns.size());
    for (qsizetype i = 0; i < m_columns.size(); ++i)
        assignments << m_columns[i] + QStringLiteral(" = ") + m_literals[i];
    return QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") +
           assignments.join(QStringLiteral(", ")) + where;
}
