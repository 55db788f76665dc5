#pragma once
// TfrmMatCheck, "マトリクスの検証": for one matrix, how the employees linked to its bands spread
// over evaluations and zones after the raise, and the average raise that gives. Reads gBandTbl
// and gMatTbl as the opening screen loaded them, and the linked employees of the project.

#include "matrix_spread.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TViewGrid;

class TfrmMatCheck : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMatCheck(QWidget *parent = nullptr);
    // Reads the employees linked to matrix `matrixId` and shows their spread.
    void prepare(int matrixId);
    // Shows a spread already computed.
    void showSpread(const MatrixSpread &spread);

public slots:
    void btnCopyClick();
    void btnCloseClick();

private:
    std::vector<int> columnWidths(int zones) const;
    QLabel *caption(const char *name, const QString &text);

    QLineEdit *m_txtBANDNAME = nullptr;
    TViewGrid *m_grid = nullptr;
    QPushButton *m_btnCopy = nullptr;
    QPushButton *m_btnClose = nullptr;
};
