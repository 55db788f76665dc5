#pragma once
// TfrmMatrixid, the matrices of the open project: id, name, definition and zone count (2..5).
// Bands are attached to a matrix; its zone count is the number of zones of those bands.

#include "list_grid.h"

class TfrmMatrixid : public TListScreen {
    Q_OBJECT
public:
    explicit TfrmMatrixid(QWidget *parent = nullptr);
};
