// The raise matrix of one matrix id.

#include "matrix_input.h"
#include "test_program.h"

#include <QTest>

class Tst_matrix_input : public QObject {
    Q_OBJECT
private slots:
    void opens();
};

void Tst_matrix_input::opens() {
    TestProgram p;
    openSample();
    TfrmMatInput dlg;
    dlg.prepare();
    QVERIFY(shown(p.messages).isEmpty());
}

QTEST_MAIN(Tst_matrix_input)
#include "tst_matrix_input.moc"
