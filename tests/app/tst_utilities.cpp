#include <QTest>

class Tst_utilities : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(Tst_utilities)
#include "tst_utilities.moc"
