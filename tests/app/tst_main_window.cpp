#include <QTest>

class Tst_main_window : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(Tst_main_window)
#include "tst_main_window.moc"
