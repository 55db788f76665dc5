#include "edit_controls.h"

TRightEdit::TRightEdit(QWidget *parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

TCenterEdit::TCenterEdit(QWidget *parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
}
