#pragma once
// TfrmMatCheck, "マトリクスの検証": for one matrix, how the employees linked to its bands spread over evaluations and zones after the raise, and the average raise that gives.

#include <QDialog>

class TfrmMatCheck : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMatCheck(QWidget *parent = nullptr);
    void prepare(int matrixId);
};
