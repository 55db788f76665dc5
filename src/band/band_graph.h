#pragma once
// TfrmBandGraph, "バンド分析グラフ": the bands' pay ranges as a bar chart in units of 10,000 yen, from gBandTbl2 as the opening screen loaded it.

#include <QDialog>

class TfrmBandGraph : public QDialog {
    Q_OBJECT
public:
    explicit TfrmBandGraph(QWidget *parent = nullptr);
    void prepare();
};
