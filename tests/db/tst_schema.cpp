#include <QTest>

class Tst_schema : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(Tst_schema)
#include "tst_schema.moc"
