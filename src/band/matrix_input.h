#pragma once
// TfrmMatInput, the raise matrix of one matrix id: the raise rate in percent of every role
// evaluation (rows) in every zone of the matrix (columns).

#include <QDialog>

class TfrmMatInput : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMatInput(QWidget *parent = nullptr);
    // Fills the list of matrices; no matrix is chosen.
    void prepare();
};
