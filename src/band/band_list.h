#pragma once
// TfrmBandList, "バンド明細": the table of every band's name, base wage and zone limits, from gBandTbl2 as the opening screen loaded it.

#include <QDialog>

class TfrmBandList : public QDialog {
    Q_OBJECT
public:
    explicit TfrmBandList(QWidget *parent = nullptr);
    void prepare();
};
