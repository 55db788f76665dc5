#include <QTest>

class Tst_basic_settings : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(Tst_basic_settings)
#include "tst_basic_settings.moc"
