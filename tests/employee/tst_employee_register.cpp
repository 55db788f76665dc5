#include <QTest>

class Tst_employee_register : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(Tst_employee_register)
#include "tst_employee_register.moc"
