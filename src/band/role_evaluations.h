#pragma once
// TfrmYHyouka, the role evaluation symbols of the open project (at most 7): the rows of every
// raise matrix. Closing it reloads them for the matrix screens.

#include "list_grid.h"

class TfrmYHyouka : public TListScreen {
    Q_OBJECT
public:
    explicit TfrmYHyouka(QWidget *parent = nullptr);

protected:
    void done(int result) override;
};
