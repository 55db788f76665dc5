#include <QTest>

class Tst_tdm : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(Tst_tdm)
#include "tst_tdm.moc"
