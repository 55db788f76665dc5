#pragma once
// The list of employees below an employee screen: a read-only table model holding
// pre-formatted cells, so that ten thousand rows fill and scroll without work per paint, and
// the delegate that paints its cells with the current row highlighted.

#include <QAbstractTableModel>
#include <QStringList>
#include <QStyledItemDelegate>
#include <vector>

class QTableView;

class EmployeeGridModel : public QAbstractTableModel {
public:
    struct Row {
        int sco = 0;
        QStringList cells;
    };

    // The column titles; a list without rows shows none of them.
    EmployeeGridModel(QStringList titles, QObject *parent);

    void setRows(std::vector<Row> rows);
    const std::vector<Row> &rows() const { return m_rows; }
    // The row (from 1) of an employee code in a list ordered by code; 0 when it is not listed.
    int rowOfCode(int code) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_titles;
    std::vector<Row> m_rows;
};

// Paints the cells: the columns in `leftColumns` left-aligned, the others right-aligned, 2
// pixels from the edge, centred vertically and clipped; while `highlight` is on, the view's
// current row blue with white text.
class EmployeeGridDelegate : public QStyledItemDelegate {
public:
    EmployeeGridDelegate(QTableView *view, const bool &highlight, QList<int> leftColumns);
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    QTableView *m_view;
    const bool &m_highlight;
    QList<int> m_leftColumns;
};
