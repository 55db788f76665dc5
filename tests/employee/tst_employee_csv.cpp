#include <QTest>

class Tst_employee_csv : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(Tst_employee_csv)
#include "tst_employee_csv.moc"
