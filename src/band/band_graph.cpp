#include "band_graph.h"

TfrmBandGraph::TfrmBandGraph(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmBandGraph"));
    setWindowTitle(QStringLiteral("バンド分析グラフ"));
}

void TfrmBandGraph::prepare() {}
