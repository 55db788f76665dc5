#include <QTest>

class Tst_loaders : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(Tst_loaders)
#include "tst_loaders.moc"
