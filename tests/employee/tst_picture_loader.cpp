#include <QTest>

class Tst_picture_loader : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(Tst_picture_loader)
#include "tst_picture_loader.moc"
