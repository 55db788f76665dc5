#pragma once
// The read-only grid of the band views: captions in the fixed rows and columns (centred, in the
// colour of buttons), figures right aligned in the others, merged cells, and no selection left
// behind once the focus leaves it.

#include <QTableWidget>
#include <vector>

class TViewGrid : public QTableWidget {
public:
    explicit TViewGrid(QWidget *parent);

    // Empties the grid and lays out rows x columns cells of the given widths; the first
    // fixedRows rows and fixedColumns columns hold captions.
    void build(int rows, const std::vector<int> &widths, int fixedRows, int fixedColumns);
    bool isFixed(int row, int column) const { return row < m_fixedRows || column < m_fixedColumns; }
    // Sets the text of a cell; a caption is centred, a figure right aligned.
    enum class Kind { Caption, Figure };
    void setCell(int row, int column, const QString &text);
    void setCell(int row, int column, const QString &text, Kind kind);
    QString cellText(int row, int column) const;
    // Draws the cells from (row, column) over rows x columns as one; a single cell stays as it
    // is.
    void merge(int row, int column, int rows, int columns);

    int rowHeight() const;
    // The size that shows every cell without scrolling.
    QSize contentSize() const;
    QSize sizeHint() const override;

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    int m_fixedRows = 0;
    int m_fixedColumns = 0;
};
