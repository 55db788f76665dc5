#pragma once
// The grid of a code list edited as a whole (matrices, role evaluations, overall evaluations):
// a row-number column, then the list's columns, the first of which is the row's integer code.
// Enter moves through a row and on to the next; Enter in the last column of the last row
// appends a row with the next code. Saving checks every row that has a code, then hands the
// rows over as typed values; a row whose code is emptied is dropped.

#include <QDialog>
#include <QTableWidget>
#include <vector>

struct ListTable;

// One column of a list (after the row numbers).
struct ListColumn {
    QString heading{};
    int width = 70;
    bool right = false;    // right-aligned: codes and counts; texts are left-aligned
    bool japanese = false; // Japanese input (names, symbols); codes and counts take direct input
    bool integer = false;  // saved as an integer
    QString newValue{};    // in an appended row
    QString emptyValue{};  // in the one row of an empty list
};

// What a save checks, with the screen's wording. Column numbers count from 1 (the code).
struct ListRules {
    QString codeNotInteger{};
    int nameColumn = 2; // must be given; no two rows share it
    QString nameMissing{};
    QString duplicateCode{};
    QString duplicateName{};
    // An integer column and its range (empty reads as 0); 0 for none.
    int countColumn = 0;
    int countLow = 0;
    int countHigh = 0;
    QString countRefused{};
};

class TListGrid : public QTableWidget {
    Q_OBJECT
public:
    // At most maxRows rows (0: no limit).
    TListGrid(QWidget *parent, std::vector<ListColumn> columns, ListRules rules, int maxRows = 0);

    // Shows the rows (texts of the columns); an empty list shows one row with code 1. The
    // current cell becomes column 2 of the first row.
    void setRows(const std::vector<QStringList> &rows);
    // The text of a cell; row from 0, column from 1 (the code).
    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString &text);
    int rowsShown() const { return rowCount(); }

    // Checks every row with a code; on a refusal shows the message, makes the cell current
    // and returns false.
    bool check();
    // The rows with a code, as typed values (integer columns as int).
    std::vector<QVariantList> values() const;

    // Enter: along the row, then to the next row; the last column of the last row appends.
    void enter();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void appendRow();
    void setRow(int row, const QStringList &texts);
    bool refuse(int row, int column, const QString &message);

    std::vector<ListColumn> m_columns;
    ListRules m_rules;
    int m_maxRows;
};

// A screen that edits one code list of the open project: the grid, 登　録 (check, then replace
// the stored list and show it again) and 閉じる (closes without asking).
class TListScreen : public QDialog {
    Q_OBJECT
public:
    TListScreen(QWidget *parent, const char *name, const QString &caption, const ListTable &table,
                std::vector<ListColumn> columns, ListRules rules, int maxRows = 0);

    // Shows the stored list.
    void prepare();
    TListGrid *grid() const { return m_grid; }

public slots:
    void btnAddClick();
    void btnCloseClick();

private:
    const ListTable &m_table;
    TListGrid *m_grid;
};
