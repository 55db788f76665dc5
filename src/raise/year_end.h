#pragma once
// The final amounts after the raise that the year end writes into the year being closed: the
// matrix raise of the pay item linked to the matrix, and the wage-table amount for the item
// that follows the wage table. Pure.

#include "matrix_raise.h"

// The final amounts of one employee. The matrix-linked item gets its matrix raise (its current
// amount when band or evaluation has no matrix entry); the item that follows the wage table
// then gets the wage-table amount, also when it is the same item.
TFinalAmounts FinalNewAmounts(const TYearEndPay &pay, const MatrixRaiseTable &raises);
