#pragma once
// TfrmBandName: the salary bands of the open project by id, name, definition and the matrix
// each band uses. A new band is stored with every amount 0; band creation sets its wage and
// zone limits later. The list below the inputs shows every stored band.

#include <QDialog>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
class TChangeTracker;
class TFieldExits;

// The band id of a typed or chosen text: the trimmed text up to the first " : ". Nothing when
// that is not a positive integer.
std::optional<int> BandIdOfText(const QString &text);

class TfrmBandName : public QDialog {
    Q_OBJECT
public:
    explicit TfrmBandName(QWidget *parent = nullptr);
    ~TfrmBandName() override;

    // Fills the list of matrices, clears the inputs and shows the stored bands; called before
    // the screen is shown.
    void prepare();

public slots:
    // Leaving the id box shows the band of the typed id; false when the id is refused.
    bool cmbBandIDExit();
    // A click on (or a move to) a cell of the band list; row and column count from 1 as the
    // list shows them (row 1 is the first band, column 1 its id).
    void StringGrid1SelectCell(int row, int column);
    void btnAddClick();
    void btnDltClick();
    void btnCancelClick();
    void btnCloseClick();
    void btnFirstClick();
    void btnBackClick();
    void btnNextClick();
    void btnLastClick();
    void reject() override;

private:
    void clearInputs();
    void reload();
    void fillGrid();
    // Shows band p (from 1) in the inputs and makes its row current; nothing for 0.
    void showBand(int p);
    void setCurrentRowQuietly(int p);
    int currentNo() const;
    int bandCount() const;
    // Index in gBandTbl2 of the band with this id; -1 when there is none.
    int indexOfBand(int id) const;

    TFieldExits *m_exits = nullptr;
    TChangeTracker *m_changes = nullptr;
    QComboBox *m_cmbBandID = nullptr;
    QLineEdit *m_txtBandName = nullptr;
    QLineEdit *m_txtTeigi = nullptr;
    QComboBox *m_cmbMatrix = nullptr;
    QTableWidget *m_grid = nullptr;
    QLineEdit *m_txtCureentNo = nullptr;
    QLineEdit *m_txtLastNo = nullptr;
    bool m_movingRow = false; // the current row is being set by the screen itself
};
