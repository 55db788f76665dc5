#pragma once
// TNX0010, the company list: the one screen through which a project (company and fiscal year)
// is chosen, and the gateway to registering, changing and deleting companies. A project
// command of the main window prepares it for its mode and the current year, then shows it.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class TNX0020;

// The modes of the project commands; the values are those of gEditMode.
enum class ListMode { Register = 1, Modify = 2, Delete = 3, Select = 4 };

class TNX0010 : public QDialog {
    Q_OBJECT
public:
    explicit TNX0010(QWidget *parent = nullptr);

    // Prepares the list for a project command: gEditMode, the caption and buttons of the mode,
    // the years 2004 .. year + 1 with `year` chosen (gNendo := year), and the grid of the year.
    void prepare(ListMode mode, int year);
    // Refills the grid of gNendo and chooses its first row (the data screen calls it when done).
    void refill();
    TNX0020 *companyData() const { return m_companyData; }

    // The company code last picked in the grid (0 for none), the grid row (from 1) it is on,
    // and the highest company code of all years.
    int selectedCode() const { return m_selKco; }
    int gridRow() const { return m_gridRow; }
    int highestCode() const { return m_maxKco; }

public slots:
    void btnAddClick();
    void btnMntClick();
    void btnDltClick();
    void btnCloseClick();
    // Row and column of the grid widget (data rows from 0, column 0 is the row number).
    void StringGrid1Click(int row, int column);
    void cmbNendoChange();

signals:
    // Select mode opened a project (gCorpOpen is 1 and the state describes it).
    void projectOpened();

protected:
    // Escape and the window's close button behave as btnClose.
    void reject() override;

private:
    void fillGrid();
    void selectGridRow(int gridRow);
    void openCompanyData(int mode);
    void selectCompany();

    QComboBox *m_cmbNendo = nullptr;
    QTableWidget *m_grid = nullptr;
    QLabel *m_lblInfo = nullptr;
    QPushButton *m_btnAdd = nullptr;
    QPushButton *m_btnMnt = nullptr;
    QPushButton *m_btnDlt = nullptr;
    QPushButton *m_btnClose = nullptr;
    TNX0020 *m_companyData = nullptr;

    int m_selKco = 0;
    int m_gridRow = 1;
    int m_maxKco = 0;
    // The year box holds typed text rather than a picked item.
    bool m_yearTyped = false;
    bool m_syncingGrid = false;
};
