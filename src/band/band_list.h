#pragma once
// TfrmBandList, "バンド明細": the table of every band's name, base wage and zone limits, from
// gBandTbl2 as the opening screen loaded it.

#include <QDialog>

class QPushButton;
class TViewGrid;

// An amount as the band list shows it: "#,###", so 0 shows nothing.
QString BandListAmount(int amount);

class TfrmBandList : public QDialog {
    Q_OBJECT
public:
    explicit TfrmBandList(QWidget *parent = nullptr);
    // Lays out the grid for the bands of gBandTbl2 as they are now.
    void prepare();

public slots:
    void btnCopyClick();
    void btnCloseClick();

private:
    TViewGrid *m_grid = nullptr;
    QPushButton *m_btnCopy = nullptr;
    QPushButton *m_btnClose = nullptr;
};
