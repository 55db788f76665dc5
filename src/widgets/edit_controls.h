#pragma once
// One-line edit boxes with a fixed text alignment: TRightEdit for codes, amounts, rates,
// counts and date parts; TCenterEdit for short code and year boxes.

#include <QLineEdit>

class TRightEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TRightEdit(QWidget *parent = nullptr);
};

class TCenterEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TCenterEdit(QWidget *parent = nullptr);
};
