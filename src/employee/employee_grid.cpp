#include "employee_grid.h"

#include <QPainter>
#include <QTableView>
#include <algorithm>

EmployeeGridModel::EmployeeGridModel(QStringList titles, QObject *parent)
    : QAbstractTableModel(parent), m_titles(std::move(titles)) {}

void EmployeeGridModel::setRows(std::vector<Row> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int EmployeeGridModel::rowOfCode(int code) const {
    const auto it = std::lower_bound(m_rows.begin(), m_rows.end(), code,
                                     [](const Row &r, int c) { return r.sco < c; });
    if (it == m_rows.end() || it->sco != code) return 0;
    return static_cast<int>(it - m_rows.begin()) + 1;
}

int EmployeeGridModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int EmployeeGridModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_titles.size());
}

QVariant EmployeeGridModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    return m_rows[index.row()].cells.value(index.column());
}

QVariant EmployeeGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    // A list without employees shows nothing at all, not even its titles.
    if (orientation != Qt::Horizontal || m_rows.empty()) return {};
    if (role == Qt::DisplayRole) return m_titles.value(section);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

EmployeeGridDelegate::EmployeeGridDelegate(QTableView *view, const bool &highlight,
                                           QList<int> leftColumns)
    : QStyledItemDelegate(view), m_view(view), m_highlight(highlight),
      m_leftColumns(std::move(leftColumns)) {}

void EmployeeGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const {
    const bool current = m_highlight && index.row() == m_view->currentIndex().row();
    painter->save();
    painter->setClipRect(option.rect);
    painter->fillRect(option.rect, current ? QColor(Qt::blue) : QColor(Qt::white));
    painter->setPen(current ? Qt::white : Qt::black);
    const bool left = m_leftColumns.contains(index.column());
    painter->setFont(option.font);
    painter->drawText(option.rect.adjusted(2, 0, -2, 0),
                      Qt::AlignVCenter | (left ? Qt::AlignLeft : Qt::AlignRight),
                      index.data().toString());
    painter->restore();
}
