#include <QTest>

class Tst_widget_utils : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(Tst_widget_utils)
#include "tst_widget_utils.moc"
