#include "employee_grid.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QRadioButton>
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

void EmployeeGridModel::setCells(int row, QStringList cells) {
    if (row < 1 || row > static_cast<int>(m_rows.size())) return;
    m_rows[row - 1].cells = std::move(cells);
    emit dataChanged(index(row - 1, 0), index(row - 1, columnCount() - 1));
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

Qt::ItemFlags EmployeeGridModel::flags(const QModelIndex &index) const {
    if (!index.isValid() || index.column() < m_fixedColumns) return Qt::NoItemFlags;
    return QAbstractTableModel::flags(index);
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

TEmployeeGrid::TEmployeeGrid(QWidget *parent, const QStringList &titles, const QList<int> &widths,
                             const QList<int> &leftColumns)
    : QTableView(parent), m_model(new EmployeeGridModel(titles, this)) {
    setObjectName(QStringLiteral("StringGrid1"));
    setModel(m_model);
    setItemDelegate(new EmployeeGridDelegate(this, m_highlight, leftColumns));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    for (int c = 0; c < widths.size(); ++c)
        setColumnWidth(c, widths[c]);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (m_quiet || !current.isValid()) return;
                emit rowChosen(current.row() + 1);
            });
    connect(this, &QTableView::clicked, this, [this](const QModelIndex &index) {
        if (index.isValid() && index.flags().testFlag(Qt::ItemIsEnabled))
            emit rowClicked(index.row() + 1);
    });
}

void TEmployeeGrid::setRows(std::vector<EmployeeGridModel::Row> rows) {
    m_highlight = false;
    m_quiet = true;
    m_model->setRows(std::move(rows));
    m_quiet = false;
}

void TEmployeeGrid::setCurrentRowQuietly(int row, int column) {
    if (row < 1 || row > rowCount()) return;
    if (column < 0) column = currentIndex().column();
    column = qMax(column, m_model->fixedColumns());
    m_quiet = true;
    const QModelIndex index = m_model->index(row - 1, column);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    scrollTo(index);
    m_quiet = false;
    viewport()->update();
}

void TEmployeeGrid::setHighlight(bool on) {
    m_highlight = on;
    viewport()->update();
}

TGradeFilter::TGradeFilter(QWidget *parent, const std::array<const char *, 10> &names)
    : QGroupBox(QStringLiteral("等級"), parent), m_group(new QButtonGroup(this)) {
    auto *layout = new QHBoxLayout(this);
    const QString digits = QStringLiteral("０１２３４５６７８９");
    for (int g = 0; g <= 9; ++g) {
        auto *option = new QRadioButton(
            g == 0 ? QStringLiteral("全て") : QString(digits[g]) + QStringLiteral("等級"), this);
        option->setObjectName(QLatin1String(names[g]));
        m_group->addButton(option, g);
        layout->addWidget(option);
    }
    m_group->button(0)->setChecked(true);
    connect(m_group, &QButtonGroup::idClicked, this, &TGradeFilter::clicked);
}

int TGradeFilter::grade() const {
    return qMax(0, m_group->checkedId());
}

void TGradeFilter::setGrade(int grade) {
    if (QAbstractButton *option = m_group->button(grade)) option->setChecked(true);
}
