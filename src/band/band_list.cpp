#include "band_list.h"

TfrmBandList::TfrmBandList(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmBandList"));
    setWindowTitle(QStringLiteral("バンド明細"));
}

void TfrmBandList::prepare() {}
