#include "band_loaders.h"
#include "band_tables.h"
#include "employee_register.h"
#include "loaders.h"
#include "matrix_raise.h"
#include "state.h"
#include "tdm.h"
#include "test_program.h"
#include "utilities.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <cmath>

namespace {

const QString kMsgExists =
    QStringLiteral("データは既に存在します。更新する場合は、修正ボタン　を押下して下さい。");
const QString kMsgLinkClash = QStringLiteral("賃金表とマトリクスが同じ項目にリンクされています。");
const QString kMsgFilterLocked = QStringLiteral(
    "ﾃﾞｰﾀが変更されています。変更する場合は、登録・修正 ボタン　を、変更しない場合は、"
    "キャンセル ボタン　を押して下さい。");
const QString kMsgFolderChanged =
    QStringLiteral("フォルダが変更されました。表示されたフォルダ内で選択して下さい。");
const QString kProjectKey = QStringLiteral(" KCO = 1 AND NENDO = 2018");

QString employeeValue(const QString &table, const QString &column, int sco) {
    return SqlValue(DM().ACN2, QStringLiteral("SELECT %1 FROM %2 WHERE%3 AND SCO = %4")
                                   .arg(column, table, kProjectKey)
                                   .arg(sco));
}

int employeeCount(const QString &table) {
    return SqlValue(DM().ACN2,
                    QStringLiteral("SELECT COUNT(*) FROM %1 WHERE").arg(table) + kProjectKey)
        .toInt();
}

qint64 num(QWidget &dlg, const char *name) {
    QString t = find<QLineEdit>(dlg, name)->text();
    return t.remove(QLatin1Char(',')).toLongLong();
}

// The lowest employee code of the project (the one the register opens on) and the code after
// the highest.
int firstCode() {
    return SqlValue(DM().ACN2, QStringLiteral("SELECT MIN(SCO) FROM MSYAIN1 WHERE") + kProjectKey)
        .toInt();
}

int nextFreeCode() {
    return SqlValue(DM().ACN2,
                    QStringLiteral("SELECT MAX(SCO) + 1 FROM MSYAIN1 WHERE") + kProjectKey)
        .toInt();
}

// Cancels to an empty form and starts a new employee with the code.
void startNewEmployee(QWidget &dlg, int code) {
    click(dlg, "btnCansel");
    typeInto(find<QComboBox>(dlg, "cmbWorker"), QString::number(code));
    leaveTo(find<QLineEdit>(dlg, "txtWorkerNo"));
}

void writePicture(const QString &path, const char *format) {
    QImage image(40, 50, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QPainter(&image).fillRect(0, 0, 20, 25, Qt::yellow);
    QVERIFY(image.save(path, format));
}

} // namespace

class Tst_employee_register : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheFirstEmployee();
    void registerExistingCodeRefused();
    void registerStoresBothRowsWithZerosAndQuotes();
    void failedRegisterLeavesNoHalfEmployee();
    void modifyStoresQuotesInBothTables();
    void matrixLinkEqualToWageLinkRefused_data();
    void matrixLinkEqualToWageLinkRefused();
    void leavingLinkedBasePayRecomputesAndLocks();
    void backOnLowestCodeDoesNothing();
    void gradeFilterListsOneGradeAndIsLockedByChanges();
    void totals_data();
    void totals();
    void deleteRemovesBothRows();
    void closeWithChangesAsks();
    void picture_data();
    void picture();
    void exitChecks_data();
    void exitChecks();
    void tabbingThroughEmptyCodeBoxesMovesOn_data();
    void tabbingThroughEmptyCodeBoxesMovesOn();
    void saveRefusals_data();
    void saveRefusals();
    void loadingShowsStoredValues();
    void navigationAsksAboutChanges_data();
    void navigationAsksAboutChanges();
    void cancelEmptiesTheForm();
    void refusedHugeAmountLeftInItsBoxIsHeld();
    void longStoredTextsSurviveASave();
};

void Tst_employee_register::opensOnTheFirstEmployee() {
    TestProgram p;
    openSample();
    TNX0030 dlg;
    dlg.prepare();
    const int count = employeeCount(QStringLiteral("MSYAIN1"));
    QVERIFY(count > 50);
    QCOMPARE(dlg.listedCount(), count);
    QCOMPARE(find<QLineEdit>(dlg, "txtLastNo")->text(), QString::number(count));
    const int first = firstCode();
    QCOMPARE(G().gCurSco, first);
    QCOMPARE(find<QLineEdit>(dlg, "txtWorkName")->text(),
             employeeValue(QStringLiteral("MSYAIN1"), QStringLiteral("SNA"), first));
    QVERIFY(dlg.rowHighlight());
    QVERIFY(!find<QPushButton>(dlg, "btnAdd")->isEnabled());
    QCOMPARE(G().gDataChanged, 0);
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_employee_register::registerExistingCodeRefused() {
    TestProgram p;
    openSample();
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    const int sco = G().gCurSco;
    const QString stored = employeeValue(QStringLiteral("MSYAIN1"), QStringLiteral("SNA"), sco);
    typeInto(find<QLineEdit>(dlg, "txtWorkName"), QStringLiteral("別人"));
    QCOMPARE(G().gDataChanged, 1);
    dlg.btnAddClick();
    QCOMPARE(p.messages.lastText(), kMsgExists);
    QCOMPARE(employeeValue(QStringLiteral("MSYAIN1"), QStringLiteral("SNA"), sco), stored);
    QCOMPARE(employeeCount(QStringLiteral("MSYAIN2")), dlg.listedCount());
}

void Tst_employee_register::registerStoresBothRowsWithZerosAndQuotes() {
    TestProgram p;
    openSample();
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    const int before = dlg.listedCount();
    const int code = nextFreeCode();
    startNewEmployee(dlg, code);
    QVERIFY(find<QPushButton>(dlg, "btnAdd")->isEnabled());
    const QString name = QStringLiteral("O'Brien 「山田」");
    const QString position = QStringLiteral("課長'代理");
    const QString education = QStringLiteral("'大学' \"院\"");
    typeInto(find<QLineEdit>(dlg, "txtWorkName"), name);
    typeInto(find<QLineEdit>(dlg, "txtYakusyoku"), position);
    typeInto(find<QLineEdit>(dlg, "txtGakureki"), education);
    // Pay step, zone and job points stay empty.
    QVERIFY(find<QLineEdit>(dlg, "txtGouhou")->text().isEmpty());
    QVERIFY(find<QLineEdit>(dlg, "txtZone")->text().isEmpty());
    QVERIFY(find<QLineEdit>(dlg, "txtSyokumuTensu")->text().isEmpty());
    click(dlg, "btnAdd");

    QVERIFY2(p.messages.entries.isEmpty(), qPrintable(p.messages.texts().join(QLatin1Char('|'))));
    QCOMPARE(employeeValue(QStringLiteral("MSYAIN1"), QStringLiteral("SNA"), code), name);
    QCOMPARE(employeeValue(QStringLiteral("MSYAIN1"), QStringLiteral("YAKU"), code), position);
    QCOMPARE(employeeValue(QStringLiteral("MSYAIN2"), QStringLiteral("GAKU"), code), education);
    for (const char *column : {"GOUHOU", "ZONEX", "TENSU"})
        QCOMPARE(employeeValue(QStringLiteral("MSYAIN2"), QLatin1String(column), code),
                 QStringLiteral("0"));
    QCOMPARE(employeeCount(QStringLiteral("MSYAIN1")), before + 1);
    QCOMPARE(employeeCount(QStringLiteral("MSYAIN2")), before + 1);
    QCOMPARE(dlg.listedCount(), before + 1);
    QCOMPARE(G().gCurSco, code);
    QCOMPARE(G().gDataChanged, 0);
}

void Tst_employee_register::failedRegisterLeavesNoHalfEmployee() {
    TestProgram p;
    openSample();
    RefuseWrites(DM().ACN2, "refuse", "INSERT", "MSYAIN2");
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    const int before = employeeCount(QStringLiteral("MSYAIN1"));
    const int code = nextFreeCode();
    startNewEmployee(dlg, code);
    typeInto(find<QLineEdit>(dlg, "txtWorkName"), QStringLiteral("新人"));
    click(dlg, "btnAdd");

    QCOMPARE(p.messages.lastText(), kMsgSqlUnknown);
    QCOMPARE(employeeCount(QStringLiteral("MSYAIN1")), before);
    QCOMPARE(employeeValue(QStringLiteral("MSYAIN1"), QStringLiteral("SCO"), code), QString());
    // The typed employee is still on the form, to be saved again.
    QCOMPARE(find<QLineEdit>(dlg, "txtWorkName")->text(), QStringLiteral("新人"));
    QCOMPARE(G().gDataChanged, 1);
}

void Tst_employee_register::modifyStoresQuotesInBothTables() {
    TestProgram p;
    openSample();
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    const int sco = G().gCurSco;
    typeInto(find<QLineEdit>(dlg, "txtWorkName"), QStringLiteral("D'Arcy"));
    typeInto(find<QLineEdit>(dlg, "txtHaizoku"), QStringLiteral("'営業'"));
    typeInto(find<QLineEdit>(dlg, "txtGouhou"), QStringLiteral("12"));
    leaveTo(find<QLineEdit>(dlg, "txtWorkerNo"));
    click(dlg, "btnMnt");
    QVERIFY2(p.messages.entries.isEmpty(), qPrintable(p.messages.texts().join(QLatin1Char('|'))));
    QCOMPARE(employeeValue(QStringLiteral("MSYAIN1"), QStringLiteral("SNA"), sco),
             QStringLiteral("D'Arcy"));
    QCOMPARE(employeeValue(QStringLiteral("MSYAIN2"), QStringLiteral("KEIKEN"), sco),
             QStringLiteral("'営業'"));
    QCOMPARE(employeeValue(QStringLiteral("MSYAIN2"), QStringLiteral("GOUHOU"), sco),
             QStringLiteral("12"));
    QCOMPARE(G().gDataChanged, 0);
}

void Tst_employee_register::matrixLinkEqualToWageLinkRefused_data() {
    QTest::addColumn<bool>("newEmployee");
    QTest::newRow("register") << true;
    QTest::newRow("modify") << false;
}

void Tst_employee_register::matrixLinkEqualToWageLinkRefused() {
    QFETCH(bool, newEmployee);
    TestProgram p;
    openSample();
    G().gMkigyou2.Frstkyu = 2;
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    const int code = newEmployee ? nextFreeCode() : G().gCurSco;
    if (newEmployee) startNewEmployee(dlg, code);
    const QString storedName =
        employeeValue(QStringLiteral("MSYAIN1"), QStringLiteral("SNA"), code);
    const QString storedLink =
        employeeValue(QStringLiteral("MSYAIN1"), QStringLiteral("MLINK"), code);
    typeInto(find<QLineEdit>(dlg, "txtWorkName"), QStringLiteral("変更後"));
    click(dlg, "optMatrix2");
    click(dlg, newEmployee ? "btnAdd" : "btnMnt");

    QCOMPARE(p.messages.lastText(), kMsgLinkClash);
    QCOMPARE(employeeValue(QStringLiteral("MSYAIN1"), QStringLiteral("SNA"), code), storedName);
    QCOMPARE(employeeValue(QStringLiteral("MSYAIN1"), QStringLiteral("MLINK"), code), storedLink);
}

void Tst_employee_register::leavingLinkedBasePayRecomputesAndLocks() {
    TestProgram p;
    openSample();
    G().gMkigyou2.Frstkyu = 3;
    // An employee whose band after the raise differs from the current one.
    const QStringList row = SqlColumn(
        DM().ACN2, QStringLiteral("SELECT SCO || ',' || NEWBANDID || ',' || NEWYHYOUKA FROM "
                                  "MSYAIN1 WHERE NEWBANDID > 1 AND NEWYHYOUKA > 0 AND") +
                       kProjectKey + QStringLiteral(" ORDER BY SCO LIMIT 1"));
    QCOMPARE(row.size(), 1);
    const QStringList parts = row.first().split(QLatin1Char(','));
    const int sco = parts[0].toInt(), newBand = parts[1].toInt(), newEval = parts[2].toInt();
    SqlValue(
        DM().ACN2,
        QStringLiteral("UPDATE MSYAIN1 SET BANDID = 1, MLINK = 0 WHERE SCO = %1 AND").arg(sco) +
            kProjectKey);

    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    typeInto(find<QComboBox>(dlg, "cmbWorker"), QString::number(sco));
    leaveTo(find<QLineEdit>(dlg, "txtWorkerNo"));
    QCOMPARE(G().gCurSco, sco);
    QCOMPARE(find<QLineEdit>(dlg, "txtNewBand")->text(), QString::number(newBand));
    click(dlg, "optMatrix1");
    QCOMPARE(G().gMkigyou2.Frstkyum, 1);

    // A pay inside zone 1 of the band after the raise.
    int pay = 0;
    for (const TBANDM &e : G().gBandTbl.Bands)
        if (e.BandId.toInt() == newBand && e.YHyouka.toInt() == newEval)
            pay = e.ZoneKagen[1] + 1230;
    QVERIFY(pay > 0);
    double rate = 0.0;
    int expected = 0, newZone = 0;
    CalcMatrixRaise(newBand, newEval, pay, rate, expected, newZone);
    QVERIFY2(expected != pay, "the matrix gives a raise for this pay");

    QLineEdit *after = find<QLineEdit>(dlg, "txtAFKihon1");
    typeInto(find<QLineEdit>(dlg, "txtKihon1"), QString::number(pay));
    leaveTo(find<QLineEdit>(dlg, "txtKihon2"));
    QCOMPARE(find<QLineEdit>(dlg, "txtKihon1")->text(), QLocale(QLocale::English).toString(pay));
    QCOMPARE(num(dlg, "txtAFKihon1"), qint64(expected));
    QVERIFY(after->isReadOnly());
    QVERIFY(!find<QLineEdit>(dlg, "txtAFKihon2")->isReadOnly());
    QVERIFY(find<QLineEdit>(dlg, "txtAFKihon3")->isReadOnly()); // the wage-table item
    QCOMPARE(num(dlg, "txtAFKihonSum"),
             expected + num(dlg, "txtAFKihon2") + num(dlg, "txtAFKihon3"));

    // Leaving the pay step runs the matrix recomputation too.
    find<QTabWidget>(dlg, "PageControl1")->setCurrentIndex(0);
    leaveTo(find<QLineEdit>(dlg, "txtWorkName"));
    after->setText(QStringLiteral("1"));
    typeInto(find<QLineEdit>(dlg, "txtGouhou"), QStringLiteral("12"));
    leaveTo(find<QLineEdit>(dlg, "txtTasseiRitsu"));
    QCOMPARE(num(dlg, "txtAFKihon1"), qint64(expected));
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_employee_register::backOnLowestCodeDoesNothing() {
    TestProgram p;
    openSample();
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    const int first = dlg.lowestCode();
    QCOMPARE(G().gCurSco, first);
    click(dlg, "btnBack");
    QCOMPARE(G().gCurSco, first);
    QCOMPARE(dlg.gridRow(), 1);
    QCOMPARE(find<QLineEdit>(dlg, "txtCureentNo")->text(), QStringLiteral("1"));
    click(dlg, "btnNext");
    QCOMPARE(dlg.gridRow(), 2);
    QVERIFY(G().gCurSco != first);
    click(dlg, "btnBack");
    QCOMPARE(G().gCurSco, first);
    click(dlg, "btnBack");
    QCOMPARE(G().gCurSco, first);
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_employee_register::gradeFilterListsOneGradeAndIsLockedByChanges() {
    TestProgram p;
    openSample();
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    const int grade3 =
        SqlValue(DM().ACN2,
                 QStringLiteral("SELECT COUNT(*) FROM MSYAIN2 WHERE TOUKYU = 3 AND") + kProjectKey)
            .toInt();
    QVERIFY(grade3 > 0 && grade3 < dlg.listedCount());
    click(dlg, "OptTokyu3");
    QCOMPARE(dlg.gradeFilter(), 3);
    QCOMPARE(dlg.listedCount(), grade3);
    const QAbstractItemModel *model = find<QTableView>(dlg, "StringGrid1")->model();
    for (int r = 0; r < model->rowCount(); ++r)
        QCOMPARE(model->index(r, 8).data().toString(), QStringLiteral("3"));
    QCOMPARE(QString::number(G().gCurSco), model->index(0, 1).data().toString());

    typeInto(find<QLineEdit>(dlg, "txtWorkName"), QStringLiteral("未保存"));
    click(dlg, "OptTokyu5");
    QCOMPARE(p.messages.lastText(), kMsgFilterLocked);
    QCOMPARE(dlg.gradeFilter(), 3);
    QVERIFY(find<QRadioButton>(dlg, "OptTokyu3")->isChecked());
    QVERIFY(!find<QRadioButton>(dlg, "OptTokyu5")->isChecked());
    QCOMPARE(dlg.listedCount(), grade3);
}

void Tst_employee_register::totals_data() {
    QTest::addColumn<QList<int>>("before"); // base pay 1..3, allowances 1..5
    QTest::addColumn<QList<int>>("after");
    QTest::addColumn<int>("bonus1");
    QTest::addColumn<int>("bonus2");
    QTest::newRow("plain") << QList<int>{200000, 30000, 5000, 10000, 20000, 0, 3000, 1500}
                           << QList<int>{205000, 31000, 5000, 12000, 20000, 0, 3000, 1500} << 400000
                           << 500000;
    QTest::newRow("negative adjustment") << QList<int>{99999999, 0, -5000, 0, 0, 0, 0, 0}
                                         << QList<int>{99999999, 0, -6000, 0, 0, 0, 0, 7} << 0 << 1;
}

void Tst_employee_register::totals() {
    QFETCH(QList<int>, before);
    QFETCH(QList<int>, after);
    QFETCH(int, bonus1);
    QFETCH(int, bonus2);
    TestProgram p;
    openSample();
    G().gMkigyou2.Frstkyu = 0;
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    click(dlg, "cdResetMLink");
    for (int i = 0; i < 8; ++i) {
        const QByteArray b =
            i < 3 ? "txtKihon" + QByteArray::number(i + 1) : "txtTeate" + QByteArray::number(i - 2);
        const QByteArray a = i < 3 ? "txtAFKihon" + QByteArray::number(i + 1)
                                   : "txtAFTeate" + QByteArray::number(i - 2);
        typeInto(find<QLineEdit>(dlg, b.constData()), QString::number(before[i]));
        typeInto(find<QLineEdit>(dlg, a.constData()), QString::number(after[i]));
    }
    typeInto(find<QLineEdit>(dlg, "txtBonus1"), QString::number(bonus1));
    typeInto(find<QLineEdit>(dlg, "txtBonus2"), QString::number(bonus2));
    leaveTo(find<QLineEdit>(dlg, "txtTaisyokuKin"));
    QVERIFY(p.messages.entries.isEmpty());

    const qint64 k = qint64(before[0]) + before[1] + before[2];
    const qint64 t = qint64(before[3]) + before[4] + before[5] + before[6] + before[7];
    const qint64 ak = qint64(after[0]) + after[1] + after[2];
    const qint64 at = qint64(after[3]) + after[4] + after[5] + after[6] + after[7];
    QCOMPARE(num(dlg, "txtKihonSum"), k);
    QCOMPARE(num(dlg, "txtAFKihonSum"), ak);
    QCOMPARE(num(dlg, "txtTeateSum"), t);
    QCOMPARE(num(dlg, "txtAFTeateSum"), at);
    QCOMPARE(num(dlg, "txtSyotei"), k + t);
    QCOMPARE(num(dlg, "txtAFSyotei"), ak + at);
    QCOMPARE(num(dlg, "txtNensyu"), bonus1 + (k + t) * 12 + bonus2);
    QCOMPARE(num(dlg, "txtAFNensyu"), bonus1 + (ak + at) * 12 + bonus2);
    QCOMPARE(num(dlg, "txtUpKihon"), ak - k);
    QCOMPARE(num(dlg, "txtTeateUP"), at - t);
}

void Tst_employee_register::deleteRemovesBothRows() {
    TestProgram p;
    openSample();
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    const int sco = G().gCurSco;
    const int before = dlg.listedCount();
    p.messages.answer(true);
    click(dlg, "btnDlt");
    QCOMPARE(p.messages.entries.size(), 1);
    QCOMPARE(p.messages.entries.first().caption, QStringLiteral("削除確認"));
    QCOMPARE(employeeValue(QStringLiteral("MSYAIN1"), QStringLiteral("SCO"), sco), QString());
    QCOMPARE(employeeValue(QStringLiteral("MSYAIN2"), QStringLiteral("SCO"), sco), QString());
    QCOMPARE(dlg.listedCount(), before - 1);
    QVERIFY(find<QComboBox>(dlg, "cmbWorker")->currentText().isEmpty());
}

void Tst_employee_register::closeWithChangesAsks() {
    TestProgram p;
    openSample();
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    typeInto(find<QLineEdit>(dlg, "txtYakusyoku"), QStringLiteral("部長"));
    p.messages.answer(true); // Yes: stay
    click(dlg, "btnClose");
    QVERIFY(dlg.isVisible());
    QCOMPARE(p.messages.entries.last().caption, QStringLiteral("確認"));
    click(dlg, "btnClose"); // No: close
    QVERIFY(!dlg.isVisible());
}

void Tst_employee_register::picture_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("message");
    QTest::newRow("jpeg") << "face.jpg" << true << QString();
    QTest::newRow("bitmap") << "face.bmp" << true << QString();
    QTest::newRow("jpeg in a sub-folder") << "staff/face.jpg" << true << QString();
    QTest::newRow("corrupt jpeg") << "broken.jpg" << false << QString();
    QTest::newRow("outside the folder") << "../face.jpg" << false << kMsgFolderChanged;
}

void Tst_employee_register::picture() {
    QFETCH(QString, file);
    QFETCH(bool, shown);
    QFETCH(QString, message);
    TestProgram p;
    openSample();
    const QString folder = p.dir() + QStringLiteral("/Picture/");
    QDir().mkpath(folder + QStringLiteral("staff"));
    writePicture(folder + QStringLiteral("face.jpg"), "JPG");
    writePicture(folder + QStringLiteral("staff/face.jpg"), "JPG");
    writePicture(folder + QStringLiteral("face.bmp"), "BMP");
    writePicture(p.dir() + QStringLiteral("/face.jpg"), "JPG");
    {
        QFile good(folder + QStringLiteral("face.jpg"));
        QVERIFY(good.open(QIODevice::ReadOnly));
        QFile broken(folder + QStringLiteral("broken.jpg"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(good.readAll().left(int(good.size() / 2)));
    }
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    const int sco = G().gCurSco;
    p.messages.answerFile(folder + file);
    click(dlg, "btnPicter");
    QCOMPARE(p.messages.entries.first().kind, MessageRecorder::Kind::OpenFile);
    QCOMPARE(QDir::cleanPath(p.messages.entries.first().text), QDir::cleanPath(folder));
    const auto *label = find<QLabel>(dlg, "imgPicture");
    QCOMPARE(!dlg.picture().isNull(), shown);
    QCOMPARE(!label->pixmap().isNull(), shown);
    if (!message.isEmpty()) {
        QCOMPARE(p.messages.lastText(), message);
        QCOMPARE(G().gDataChanged, 0);
        return;
    }
    QCOMPARE(p.messages.entries.size(), 1); // the dialog only; no error for a broken picture
    QCOMPARE(dlg.pictureName(), file);
    click(dlg, "btnMnt");
    QCOMPARE(employeeValue(QStringLiteral("MSYAIN2"), QStringLiteral("SPATH"), sco), file);

    // Shown again when the employee is loaded.
    TNX0030 again;
    again.prepare();
    QCOMPARE(G().gCurSco, sco);
    QCOMPARE(!again.picture().isNull(), shown);
}

void Tst_employee_register::exitChecks_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("next"); // a field on the same page to leave to
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("holds"); // how the box's text starts after an accepted exit
    const QString outOfRange = QStringLiteral("入力範囲外です。");
    const QString notNumber = QStringLiteral("数値を入力してください。");
    const QString notListed = QStringLiteral("マスターにデータが存在しません。");
    const QString gradeRange = QStringLiteral("入力範囲外です。1 ～ 9 の値を入力して下さい。");
    const QString basic = QStringLiteral("txtWorkerNo");
    const QString wage = QStringLiteral("txtBonus2");
    auto row = [](const char *name, const QString &field, const QString &text, const QString &next,
                  const QString &message, const QString &holds = {}) {
        QTest::newRow(name) << field << text << next << message << holds;
    };
    row("year -1", "txtNyuyy", "-1", basic, outOfRange);
    row("month 13", "txtSeimm", "13", basic, outOfRange);
    row("day 32", "txtToudd", "32", basic, outOfRange);
    row("day not a number", "txtNyudd", "x", basic, notNumber);
    row("pay step 81", "txtGouhou", "81", basic, outOfRange);
    row("pay step 80", "txtGouhou", "80", basic, QString(), "80");
    row("achievement rate text", "txtTasseiRitsu", "abc", basic, notNumber);
    row("experience 1.5", "txtKeikenNen", "1.5", basic, notNumber);
    row("grade 10", "cmbSikaku", "10", basic, gradeRange);
    row("grade text", "cmbSikaku", "x", basic, notNumber);
    row("grade 3", "cmbSikaku", "3", basic, QString(), "3 : "); // "3 : " and the grade name
    row("mark 7", "cmbMark", "7", basic, notListed);
    row("evaluation unknown", "cmbHyouka1", "999", basic, notListed);
    // Code 0 and an empty box stand for none, as saving takes them.
    row("grade none", "cmbSikaku", "0 : なし", basic, QString(), "0 : なし");
    row("grade empty", "cmbSikaku", "", basic, QString(), "");
    row("mark none", "cmbMark", "0", basic, QString(), "0 : なし");
    row("evaluation none", "cmbHyouka1", "0 : なし", basic, QString(), "0 : なし");
    row("evaluation empty", "cmbHyouka1", "", basic, QString(), "");
    row("base pay of nine digits", "txtKihon1", "123456789", wage, outOfRange);
    row("base pay formatted", "txtKihon2", "1234567", wage, QString(), "1,234,567");
    row("bonus text", "txtBonus1", "abc", wage, notNumber);
    row("retirement rate", "txtTaisyokuKin", "1234.5", wage, QString(), "1,234.500");
}

void Tst_employee_register::exitChecks() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, next);
    QFETCH(QString, message);
    QFETCH(QString, holds);
    TestProgram p;
    openSample();
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    auto *box = find<QWidget>(dlg, field);
    find<QTabWidget>(dlg, "PageControl1")->setCurrentIndex(next == "txtBonus2" ? 1 : 0);
    typeInto(box, text);
    leaveTo(find<QWidget>(dlg, next));
    if (message.isEmpty()) {
        QCOMPARE(shown(p.messages), QStringList());
        QVERIFY(!box->hasFocus());
        auto *combo = qobject_cast<QComboBox *>(box);
        const QString value = combo ? combo->currentText() : static_cast<QLineEdit *>(box)->text();
        QVERIFY2(value.startsWith(holds) && value.isEmpty() == holds.isEmpty(), qPrintable(value));
    } else {
        QCOMPARE(shown(p.messages), QStringList{message});
        QVERIFY(box->hasFocus()); // the user is back in the field
    }
}

void Tst_employee_register::tabbingThroughEmptyCodeBoxesMovesOn_data() {
    QTest::addColumn<bool>("newEmployee");
    QTest::newRow("new employee") << true;
    QTest::newRow("employee without grade, mark and evaluation") << false;
}

void Tst_employee_register::tabbingThroughEmptyCodeBoxesMovesOn() {
    QFETCH(bool, newEmployee);
    TestProgram p;
    openSample();
    const int sco = firstCode();
    exec(DM().ACN2,
         QStringLiteral("UPDATE MSYAIN1 SET MCO = 0 WHERE SCO = %1 AND").arg(sco) + kProjectKey);
    exec(DM().ACN2,
         QStringLiteral("UPDATE MSYAIN2 SET TOUKYU = 0, HCO = 0 WHERE SCO = %1 AND").arg(sco) +
             kProjectKey);
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    if (newEmployee) startNewEmployee(dlg, nextFreeCode());
    QCOMPARE(G().gCurSco, newEmployee ? nextFreeCode() : sco);
    for (const char *name : {"cmbSikaku", "cmbHyouka1", "cmbMark"}) {
        auto *combo = find<QComboBox>(dlg, name);
        combo->setFocus(Qt::TabFocusReason);
        QTest::keyClick(combo, Qt::Key_Tab);
        QCoreApplication::processEvents();
        QVERIFY2(!combo->hasFocus(), name);
    }
    QCOMPARE(shown(p.messages), QStringList());
}

void Tst_employee_register::saveRefusals_data() {
    QTest::addColumn<QString>("field"); // a field to fill before saving ("" for none)
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("no code") << "cmbWorker"
                             << ""
                             << "社員コードが入力されていません。";
    QTest::newRow("no change") << ""
                               << ""
                               << "ﾃﾞｰﾀの変更がありません。";
    QTest::newRow("no name") << "txtYakusyoku"
                             << "主任"
                             << "氏名は必ず入力してください。";
    QTest::newRow("no such birth day") << "txtSeidd"
                                       << "31"
                                       << "生年月日の入力エラーです。";
    QTest::newRow("no such entry day") << "txtNyudd"
                                       << "31"
                                       << "入社日の入力エラーです。";
    QTest::newRow("no such appointment day") << "txtToudd"
                                             << "31"
                                             << "登用日の入力エラーです。";
}

void Tst_employee_register::saveRefusals() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    TestProgram p;
    openSample();
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    const int before = employeeCount(QStringLiteral("MSYAIN1"));
    startNewEmployee(dlg, nextFreeCode());
    if (message.startsWith(QStringLiteral("生年月日")) ||
        message.startsWith(QStringLiteral("入社")) || message.startsWith(QStringLiteral("登用"))) {
        // A name, and 2月 of a year for the date whose day is then made impossible.
        typeInto(find<QLineEdit>(dlg, "txtWorkName"), QStringLiteral("新人"));
        const QString prefix = field.left(field.size() - 2);
        typeInto(find<QLineEdit>(dlg, prefix + "yy"), QStringLiteral("90"));
        typeInto(find<QLineEdit>(dlg, prefix + "mm"), QStringLiteral("2"));
    }
    if (!field.isEmpty()) typeInto(find<QWidget>(dlg, field), text);
    leaveTo(find<QLineEdit>(dlg, "txtWorkerNo"));
    click(dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{message});
    QCOMPARE(employeeCount(QStringLiteral("MSYAIN1")), before);
    QCOMPARE(employeeCount(QStringLiteral("MSYAIN2")), before);
}

void Tst_employee_register::loadingShowsStoredValues() {
    TestProgram p;
    // The era calendar, and an employee with a birth date, a wage-table amount and a band.
    exec(DM().ACN1, QStringLiteral("UPDATE MKIGYOU1 SET REKI = 1 WHERE KCO = 1 AND NENDO = 2018"));
    openSample();
    G().gMkigyou2.Frstkyu = 3;
    const QStringList row = SqlColumn(
        DM().ACN2, QStringLiteral("SELECT SCO || ',' || NKIN || ',' || BANDID || ',' || YHYOUKA || "
                                  "',' || KKYU1 FROM VSYAIN WHERE NKIN > 0 AND BANDID > 0 AND "
                                  "YHYOUKA > 0 AND") +
                       kProjectKey + QStringLiteral(" ORDER BY SCO LIMIT 1"));
    QCOMPARE(row.size(), 1);
    const QStringList v = row.first().split(QLatin1Char(','));
    const int sco = v[0].toInt();
    exec(DM().ACN2, QStringLiteral("UPDATE MSYAIN1 SET SEIHI = 19850615, MLINK = 1 WHERE SCO = %1 "
                                   "AND")
                            .arg(sco) +
                        kProjectKey);
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    typeInto(find<QComboBox>(dlg, "cmbWorker"), QString::number(sco));
    leaveTo(find<QLineEdit>(dlg, "txtWorkerNo"));
    QCOMPARE(G().gCurSco, sco);

    auto *era = find<QComboBox>(dlg, "cmbSeiNengou");
    QVERIFY(era->isVisibleTo(&dlg));
    QCOMPARE(era->currentText(), QStringLiteral("昭和"));
    QCOMPARE(find<QLineEdit>(dlg, "txtSeiyy")->text(), QStringLiteral("60"));
    QCOMPARE(find<QLineEdit>(dlg, "txtSeimm")->text(), QStringLiteral("06"));
    QCOMPARE(find<QLineEdit>(dlg, "txtSeidd")->text(), QStringLiteral("15"));
    // The wage-table item after the raise shows the wage table's amount, read-only.
    QCOMPARE(num(dlg, "txtAFKihon3"), qint64(std::llround(v[1].toDouble())));
    QVERIFY(find<QLineEdit>(dlg, "txtAFKihon3")->isReadOnly());
    // Zone and rate of the current pay in the band, the rate as "0.00%".
    double rate = 0.0;
    int newPay = 0, newZone = 0;
    const int zone =
        CalcMatrixRaise(v[2].toInt(), v[3].toInt(), int(v[4].toDouble()), rate, newPay, newZone);
    QCOMPARE(find<QLineEdit>(dlg, "txtZone")->text(), QString::number(zone));
    QCOMPARE(find<QLineEdit>(dlg, "txtUPRitsu")->text(),
             QString::number(rate, 'f', 2) + QLatin1Char('%'));
    QVERIFY(find<QLineEdit>(dlg, "txtUPRitsu")
                ->text()
                .contains(QRegularExpression("^\\d+\\.\\d\\d%$")));
    QVERIFY(shown(p.messages).isEmpty());
}

void Tst_employee_register::navigationAsksAboutChanges_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("target");
    QTest::newRow("first") << "btnFirst"
                           << "最初のデータ　へ。";
    QTest::newRow("next") << "btnNext"
                          << "次のデータ　へ。";
    QTest::newRow("last") << "btnLast"
                          << "最後のデータ　へ。";
}

void Tst_employee_register::navigationAsksAboutChanges() {
    QFETCH(QString, button);
    QFETCH(QString, target);
    TestProgram p;
    openSample();
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    click(dlg, "btnNext"); // on the second employee, so First moves too
    const int start = G().gCurSco;
    const QString question =
        QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:") + target;

    // Yes stays on the employee, on the first page in the employee number.
    typeInto(find<QLineEdit>(dlg, "txtYakusyoku"), QStringLiteral("変更"));
    find<QTabWidget>(dlg, "PageControl1")->setCurrentIndex(1);
    p.messages.answer(true);
    click(dlg, button);
    QCOMPARE(p.messages.entries.last().text, question);
    QCOMPARE(p.messages.entries.last().caption, QStringLiteral("確認"));
    QCOMPARE(G().gCurSco, start);
    QCOMPARE(find<QTabWidget>(dlg, "PageControl1")->currentIndex(), 0);
    QVERIFY(find<QLineEdit>(dlg, "txtWorkerNo")->hasFocus());
    QCOMPARE(G().gDataChanged, 1);

    // No moves on and drops the change.
    p.messages.answer(false);
    click(dlg, button);
    const int expected =
        button == "btnFirst" ? dlg.lowestCode()
        : button == "btnLast"
            ? dlg.highestCode()
            : find<QTableView>(dlg, "StringGrid1")->model()->index(2, 1).data().toInt();
    QCOMPARE(G().gCurSco, expected);
    QCOMPARE(G().gDataChanged, 0);
    QCOMPARE(find<QLineEdit>(dlg, "txtYakusyoku")->text(),
             employeeValue(QStringLiteral("MSYAIN1"), QStringLiteral("YAKU"), expected));
    QCOMPARE(find<QLineEdit>(dlg, "txtCureentNo")->text(), QString::number(dlg.gridRow()));
}

void Tst_employee_register::cancelEmptiesTheForm() {
    TestProgram p;
    openSample();
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    typeInto(find<QLineEdit>(dlg, "txtWorkName"), QStringLiteral("途中"));
    click(dlg, "btnCansel");
    QVERIFY(find<QLineEdit>(dlg, "txtWorkName")->text().isEmpty());
    QVERIFY(find<QComboBox>(dlg, "cmbWorker")->currentText().isEmpty());
    QCOMPARE(find<QComboBox>(dlg, "cmbSikaku")->currentText(), QStringLiteral("0 : なし"));
    QVERIFY(!dlg.rowHighlight());
    for (const char *b : {"btnAdd", "btnMnt", "btnDlt"})
        QVERIFY(find<QPushButton>(dlg, b)->isEnabled());
    QCOMPARE(G().gDataChanged, 0);
    QVERIFY(shown(p.messages).isEmpty());
}

void Tst_employee_register::refusedHugeAmountLeftInItsBoxIsHeld() {
    // A refused text such as 1e300 stays in its box; recomputing the matrix raise and the
    // totals from it must hold it at the limits of the amount types, not overflow them.
    TestProgram p;
    openSample();
    G().gMkigyou2.Frstkyu = 0;
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    find<QTabWidget>(dlg, "PageControl1")->setCurrentIndex(1);
    typeInto(find<QLineEdit>(dlg, "txtKihon1"), QStringLiteral("1e300"));
    leaveTo(find<QLineEdit>(dlg, "txtBonus2"));
    QCOMPARE(shown(p.messages), QStringList{QStringLiteral("入力範囲外です。")});
    QCOMPARE(find<QLineEdit>(dlg, "txtKihon1")->text(), QStringLiteral("1e300"));
    click(dlg, "optMatrix1");
    click(dlg, "optMatrix2");
    QVERIFY(!find<QLineEdit>(dlg, "txtZone")->text().isEmpty());
    QVERIFY(!find<QLineEdit>(dlg, "txtKihonSum")->text().isEmpty());
}

void Tst_employee_register::longStoredTextsSurviveASave() {
    // An import brings texts of any length and of several lines; showing and saving such an
    // employee must keep them whole, while typing stays bound to the box's limit.
    TestProgram p;
    openSample();
    const int sco = firstCode();
    const QString major =
        QStringLiteral("経済学部経済学科国際経済専攻（二〇一〇年度入学、交換留学一年を含む）");
    const QString qualification = QStringLiteral("簿記二級\n社会保険労務士");
    exec(DM().ACN2, QStringLiteral("UPDATE MSYAIN2 SET SENKOU = '%1', KSIKAKU = '%2' WHERE SCO = "
                                   "%3 AND")
                            .arg(major, qualification)
                            .arg(sco) +
                        kProjectKey);
    QVERIFY(major.size() > 30);
    TNX0030 dlg;
    dlg.prepare();
    showActive(dlg);
    QCOMPARE(G().gCurSco, sco);
    QCOMPARE(find<QLineEdit>(dlg, "txtSenkou")->text(), major);
    typeInto(find<QLineEdit>(dlg, "txtYakusyoku"), QStringLiteral("係長"));
    leaveTo(find<QLineEdit>(dlg, "txtWorkerNo"));
    click(dlg, "btnMnt");
    QCOMPARE(shown(p.messages), QStringList());
    QCOMPARE(employeeValue(QStringLiteral("MSYAIN2"), QStringLiteral("SENKOU"), sco), major);
    QCOMPARE(employeeValue(QStringLiteral("MSYAIN2"), QStringLiteral("KSIKAKU"), sco),
             qualification);

    // A new employee's box takes 30 typed characters again.
    click(dlg, "btnCansel");
    typeInto(find<QLineEdit>(dlg, "txtSenkou"), major);
    QCOMPARE(find<QLineEdit>(dlg, "txtSenkou")->text(), major.left(30));
}

QTEST_MAIN(Tst_employee_register)
#include "tst_employee_register.moc"
