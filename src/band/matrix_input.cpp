#include "matrix_input.h"

TfrmMatInput::TfrmMatInput(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmMatInput"));
    setWindowTitle(QStringLiteral("マトリクスの入力"));
}

void TfrmMatInput::prepare() {}
