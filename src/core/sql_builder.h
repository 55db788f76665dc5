#pragma once
// The one way statements that write rows are built: a row pairs each column with its value,
// and every value is quoted by its type (texts between single quotes with each quote inside
// doubled, numbers as numbers), so no caller ever pastes a value into a statement.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>

// "INSERT INTO table (A, B) VALUES (?, ?)": a statement prepared once for many rows, whose
// values are bound in the order of the columns.
QString InsertTemplate(const QString &table, const QStringList &columns);
// A text as a value to bind: a null text is bound as an empty text, as the quoting helper
// writes it into a statement.
QVariant TextValue(const QString &text);

// The name of a numbered column: the prefix and the number, zero-padded to `width` digits
// ("KKYU1", "TK01").
QString NumberedColumn(const QString &prefix, int n, int width = 1);

// Reads the numbered columns prefix1 .. prefix<last> into values[1..last], each with
// read(column name).
template <typename T, size_t N, typename Read>
void ReadNumbered(std::array<T, N> &values, const QString &prefix, int last, Read read,
                  int width = 1) {
    for (int n = 1; n <= last; ++n)
        values[n] = read(NumberedColumn(prefix, n, width));
}

class SqlRow {
public:
    SqlRow &set(const QString &column, int value);
    SqlRow &set(const QString &column, qint64 value);
    SqlRow &set(const QString &column, double value);
    SqlRow &set(const QString &column, const QString &text);
    // The numbered columns prefix1 .. prefix<last> with values[1..last].
    template <typename T, size_t N>
    SqlRow &setNumbered(const QString &prefix, const std::array<T, N> &values, int last,
                        int width = 1) {
        for (int n = 1; n <= last; ++n)
            set(NumberedColumn(prefix, n, width), values[n]);
        return *this;
    }

    // "INSERT INTO table (A, B) VALUES (1, 'x')".
    QString insertInto(const QString &table) const;
    // "UPDATE table SET A = 1, B = 'x'" + where (which starts with " WHERE").
    QString update(const QString &table, const QString &where) const;

private:
    SqlRow &add(const QString &column, QString literal);
    QStringList m_columns;
    QStringList m_literals;
};
