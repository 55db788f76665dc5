#include <QTest>

class Tst_import_worker : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(Tst_import_worker)
#include "tst_import_worker.moc"
