#include <QTest>

class Tst_shipped_content : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(Tst_shipped_content)
#include "tst_shipped_content.moc"
