#include <QTest>

class Tst_work_types : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(Tst_work_types)
#include "tst_work_types.moc"
