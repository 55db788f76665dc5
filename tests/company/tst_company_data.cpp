#include <QTest>

class Tst_company_data : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(Tst_company_data)
#include "tst_company_data.moc"
