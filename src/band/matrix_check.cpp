#include "matrix_check.h"

TfrmMatCheck::TfrmMatCheck(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmMatCheck"));
    setWindowTitle(QStringLiteral("マトリクスの検証"));
}

void TfrmMatCheck::prepare(int matrixId) {
    Q_UNUSED(matrixId);
}
