#pragma once
// The company list: the one screen through which a project (company and fiscal year) is
// chosen, and the gateway to registering, changing and deleting companies. The project
// commands of the main window set the mode (gEditMode 1 register, 2 modify, 3 delete,
// 4 select), the buttons and the year box, then run Initialise() and show it modally.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class TNX0020;

class TNX0010 : public QDialog {
    Q_OBJECT
public:
    explicit TNX0010(QWidget *parent = nullptr);

    // Fixes the size, prepares the grid header (gGridRow := 1), fills the grid for gNendo
    // and sets the information line.
    void Initialise();
    TNX0020 *companyData() const { return m_companyData; }

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
    void FillGrid();
    void SelectGridRow(int gridRow);
    void OpenCompanyData(int mode);
    void SelectCompany();

    QComboBox *m_cmbNendo = nullptr;
    QTableWidget *m_grid = nullptr;
    QLabel *m_lblInfo = nullptr;
    QPushButton *m_btnAdd = nullptr;
    QPushButton *m_btnMnt = nullptr;
    QPushButton *m_btnDlt = nullptr;
    QPushButton *m_btnClose = nullptr;
    TNX0020 *m_companyData = nullptr;

    // Name and path of the row last picked.
    QString m_selName;
    QString m_selPath;
    // The year box holds typed text rather than a picked item.
    bool m_yearTyped = false;
    bool m_syncingGrid = false;
};
