#pragma once
// TNX4010, the version dialog: the program's picture, title and version, and the versions of
// Qt and SQLite it runs on. Created at start-up and shown centred.

#include <QDialog>

// "バージョン 1.0.0", from the project's version.
QString ProgramVersionText();
// "Qt 6.4.2  /  SQLite 3.40.1", the libraries the program runs on.
QString LibraryVersionText();

class TNX4010 : public QDialog {
    Q_OBJECT
public:
    explicit TNX4010(QWidget *parent = nullptr);
};
