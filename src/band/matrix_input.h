#pragma once
// TfrmMatInput, the raise matrix of one matrix id: the raise rate in percent of every role
// evaluation (rows) in every zone of the matrix (columns).

#include <QDialog>
#include <optional>

class QComboBox;
class QPushButton;
class QWidget;
class TChangeTracker;
class TMatrixGrid;

// A rate as the matrix shows it: two decimals and "%" ("3.50%").
QString MatrixRateText(double rate);
// The rate of a typed text: trimmed, empty reads as 0; nothing for a text that is no number
// and for -999, which the screen reserves as its "no number" value.
std::optional<double> ReadTypedRate(const QString &typed);

class TfrmMatInput : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMatInput(QWidget *parent = nullptr);
    ~TfrmMatInput() override;
    // Fills the list of matrices; no matrix is chosen.
    void prepare();

    // Whether a rate was changed since the matrix was shown or saved; a value typed into the
    // open editor counts too.
    bool changed() const;

public slots:
    void cmbMatrixIDChange();
    void btnAddClick();
    void btnCloseClick();
    void reject() override;

private:
    void fitToLargestMatrix();

    QComboBox *m_cmbMatrixID = nullptr;
    TMatrixGrid *m_grid = nullptr;
    QWidget *m_gridArea = nullptr;
    QPushButton *m_btnAdd = nullptr;
    QPushButton *m_btnClose = nullptr;
    TChangeTracker *m_changes = nullptr;
    int m_matrixId = 0; // the matrix shown; 0 while the grid is hidden
};
