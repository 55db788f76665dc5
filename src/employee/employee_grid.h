#pragma once
// The list of employees on an employee screen: a read-only table model holding pre-formatted
// cells, so that ten thousand rows fill and scroll without work per paint, the delegate that
// paints its cells with the current row highlighted, the view that puts them together, and
// the radio group that filters the list by grade.

#include <QAbstractTableModel>
#include <QGroupBox>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTableView>
#include <array>
#include <vector>

class QButtonGroup;

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
    // Replaces the cells of data row `row` (from 1).
    void setCells(int row, QStringList cells);
    // The first `count` columns are headings of their rows: a click on them chooses nothing.
    void setFixedColumns(int count) { m_fixedColumns = count; }
    int fixedColumns() const { return m_fixedColumns; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_titles;
    std::vector<Row> m_rows;
    int m_fixedColumns = 0;
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

// The list view: fixed rows and columns, no selection, the current row highlighted while
// `highlight` is on. Data rows are counted from 1.
class TEmployeeGrid : public QTableView {
    Q_OBJECT
public:
    TEmployeeGrid(QWidget *parent, const QStringList &titles, const QList<int> &widths,
                  const QList<int> &leftColumns);

    EmployeeGridModel *rows() const { return m_model; }
    // Shows the rows; the highlight goes off.
    void setRows(std::vector<EmployeeGridModel::Row> rows);
    int rowCount() const { return m_model->rowCount(); }
    int codeAt(int row) const { return m_model->rows()[row - 1].sco; }
    QString cellAt(int row, int column) const {
        return m_model->rows()[row - 1].cells.value(column);
    }
    // Makes data row `row` current without announcing it (nothing for a row not listed); the
    // column stays unless one is given.
    void setCurrentRowQuietly(int row, int column = -1);
    bool highlight() const { return m_highlight; }
    void setHighlight(bool on);

signals:
    // The current row was changed by the user (or by code outside setCurrentRowQuietly).
    void rowChosen(int row);
    // A data row was clicked (it is the current row by then; a click on the row that already
    // was current changes nothing else).
    void rowClicked(int row);

private:
    EmployeeGridModel *m_model;
    bool m_highlight = false;
    bool m_quiet = false;
};

// The grade filter "等級": 全て (0) and １等級..９等級 (1..9), with the object names given for
// grades 0..9.
class TGradeFilter : public QGroupBox {
    Q_OBJECT
public:
    TGradeFilter(QWidget *parent, const std::array<const char *, 10> &names);
    int grade() const;
    // Checks the option of a grade without announcing it.
    void setGrade(int grade);

signals:
    // The user clicked the option of a grade.
    void clicked(int grade);

private:
    QButtonGroup *m_group;
};
