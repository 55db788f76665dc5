#include "test_program.h"
#include <QTest>
class Tst_matrix_lists : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};
QTEST_MAIN(Tst_matrix_lists)
#include "tst_matrix_lists.moc"
