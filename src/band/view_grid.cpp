#include "view_grid.h"

#include <QFocusEvent>
#include <QHeaderView>

TViewGrid::TViewGrid(QWidget *parent) : QTableWidget(parent) {
    setObjectName(QStringLiteral("StringGrid1"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(rowHeight());
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    setWordWrap(false);
}

int TViewGrid::rowHeight() const {
    return fontMetrics().height() + 8;
}

void TViewGrid::build(int rows, const std::vector<int> &widths, int fixedRows, int fixedColumns) {
    // Emptied first, so no caption widget or span of the last layout stays behind.
    setRowCount(0);
    setColumnCount(0);
    clearSpans();
    m_fixedRows = fixedRows;
    m_fixedColumns = fixedColumns;
    setRowCount(rows);
    setColumnCount(static_cast<int>(widths.size()));
    for (int c = 0; c < columnCount(); ++c)
        setColumnWidth(c, widths[c]);
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c) {
            auto *cell = new QTableWidgetItem;
            if (isFixed(r, c)) {
                cell->setFlags(Qt::ItemIsEnabled);
                cell->setTextAlignment(Qt::AlignCenter);
                cell->setBackground(palette().button());
                cell->setForeground(palette().buttonText());
            } else {
                cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            setItem(r, c, cell);
        }
    setCurrentItem(nullptr);
    updateGeometry();
}

void TViewGrid::setCell(int row, int column, const QString &text) {
    if (QTableWidgetItem *cell = item(row, column)) cell->setText(text);
}

void TViewGrid::setCell(int row, int column, const QString &text, Kind kind) {
    QTableWidgetItem *cell = item(row, column);
    if (!cell) return;
    cell->setText(text);
    cell->setTextAlignment(kind == Kind::Caption ? Qt::AlignCenter
                                                 : (Qt::AlignRight | Qt::AlignVCenter));
}

QString TViewGrid::cellText(int row, int column) const {
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->text() : QString();
}

void TViewGrid::merge(int row, int column, int rows, int columns) {
    if (rows < 1 || columns < 1 || (rows == 1 && columns == 1)) return;
    setSpan(row, column, rows, columns);
}

QSize TViewGrid::contentSize() const {
    int width = 0;
    for (int c = 0; c < columnCount(); ++c)
        width += columnWidth(c);
    int height = 0;
    for (int r = 0; r < rowCount(); ++r)
        height += QTableWidget::rowHeight(r);
    const int frame = 2 * frameWidth();
    return QSize(width + frame, height + frame);
}

QSize TViewGrid::sizeHint() const {
    return contentSize();
}

void TViewGrid::focusOutEvent(QFocusEvent *event) {
    QTableWidget::focusOutEvent(event);
    // A pop-up (a menu) is no leaving.
    if (event->reason() != Qt::PopupFocusReason) clearSelection();
}
