#include <QTest>

class Tst_company_list : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(Tst_company_list)
#include "tst_company_list.moc"
