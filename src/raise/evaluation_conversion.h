#pragma once
// TNX3020, the overall evaluations of the open project: code, symbol and the number of pay
// steps the evaluation moves an employee up the wage table. Created at start-up; shown from
// the main window and the raise input.

#include "list_grid.h"

class TNX3020 : public TListScreen {
    Q_OBJECT
public:
    explicit TNX3020(QWidget *parent = nullptr);
};
