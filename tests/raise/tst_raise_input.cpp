#include "loaders.h"
#include "raise_input.h"
#include "state.h"
#include "tdm.h"
#include "test_program.h"
#include "utilities.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <functional>

namespace {

const QString kProjectKey = QStringLiteral(" KCO = 1 AND NENDO = 2018");
const QString kMsgZeroCode = QStringLiteral("０　は、入力できません。");
const QString kMsgNoEmployee = QStringLiteral("社員マスターにデータが存在しません。");
const QString kMsgGradeRange = QStringLiteral("入力範囲外です。1 ～ 9 の値を入力して下さい。");
const QString kMsgNewGradeRange =
    QStringLiteral("入力範囲外です。1  ～ 9 の値を入力して下さい。");
const QString kMsgNotInMaster = QStringLiteral("マスターにデータが存在しません。");
const QString kAskChanged = QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:");

// The screen with the screens it opens recorded instead of shown.
class TestedRaiseInput : public TNX3010 {
public:
    QStringList opened;
    // Runs while an opened screen would be up (what the user does there).
    std::function<void()> whileOpen;

protected:
    int ShowModal(QDialog *dialog) override {
        opened << dialog->objectName();
        if (whileOpen) whileOpen();
        return QDialog::Rejected;
    }
};

QString where(int sco) {
    return QStringLiteral(" WHERE SCO = %1 AND").arg(sco) + kProjectKey;
}

QString employeeValue(const QString &table, const QString &column, int sco) {
    return SqlValue(DM().ACN2, QStringLiteral("SELECT %1 FROM %2").arg(column, table) + where(sco));
}

// Every row of both employee tables, to compare before and after an operation.
QStringList employeeRows() {
    return SqlRows(DM().ACN2, QStringLiteral("SELECT * FROM MSYAIN1 ORDER BY NENDO, KCO, SCO")) +
           SqlRows(DM().ACN2, QStringLiteral("SELECT * FROM MSYAIN2 ORDER BY NENDO, KCO, SCO"));
}

// The employee code of list position n (from 1) of the whole project.
int codeAt(int n) {
    return SqlValue(DM().ACN2,
                    QStringLiteral("SELECT SCO FROM MSYAIN1 WHERE") + kProjectKey +
                        QStringLiteral(" ORDER BY SCO LIMIT 1 OFFSET %1").arg(n - 1))
        .toInt();
}

void setEmployee(int sco, const QString &set1, const QString &set2 = QString()) {
    if (!set1.isEmpty())
        exec(DM().ACN2, QStringLiteral("UPDATE MSYAIN1 SET ") + set1 + where(sco));
    if (!set2.isEmpty())
        exec(DM().ACN2, QStringLiteral("UPDATE MSYAIN2 SET ") + set2 + where(sco));
}

qint64 num(QWidget &dlg, const QString &name) {
    QString t = find<QLineEdit>(dlg, name)->text();
    return t.remove(QLatin1Char(',')).toLongLong();
}

QString text(QWidget &dlg, const QString &name) {
    return find<QLineEdit>(dlg, name)->text();
}

void showPage(QWidget &dlg, int page) {
    find<QTabWidget>(dlg, "PageControl1")->setCurrentIndex(page);
}

// Prepares the screen with the project's wage table, shows it and, when a code is given,
// types it into the code box as the user does.
void open(TestedRaiseInput &dlg, int sco = 0) {
    dlg.prepare(LoadWageTable());
    showActive(dlg);
    if (sco == 0) return;
    typeInto(find<QComboBox>(dlg, "cmbWorkerCode"), QString::number(sco));
    leaveTo(find<QComboBox>(dlg, "cmbNewBAND"));
    QCOMPARE(dlg.currentCode(), sco);
}

// Band 1 with the zones 240,000-280,000-320,000-360,000 and, for role evaluation 1, the rates
// 5, 3 and 1 %, amounts rounded to tens; employee `sco` has base pay 2 linked to it (300,000),
// base pay 1 fed by the wage table, and band 1 / evaluation 1 now and after the raise.
void linkToExampleBand(int sco) {
    exec(DM().ACN2, QStringLiteral("UPDATE BANDM SET MARUME = 0 WHERE") + kProjectKey);
    exec(DM().ACN2, QStringLiteral("UPDATE BANDM SET 下限額1 = 240000, 上限額1 = 280000, "
                                   "下限額2 = 280000, 上限額2 = 320000, 下限額3 = 320000, "
                                   "上限額3 = 360000, 下限額4 = 0, 上限額4 = 0, 下限額5 = 0, "
                                   "上限額5 = 0 WHERE BANDID = 1 AND") +
                        kProjectKey);
    exec(DM().ACN2, QStringLiteral("UPDATE MATRIXCELL SET UP1 = 5, UP2 = 3, UP3 = 1 WHERE "
                                   "MATRIXID = 1 AND YHYOUKA = 1 AND") +
                        kProjectKey);
    setEmployee(sco,
                QStringLiteral("MLINK = 2, JISEKI = 1, BANDID = 1, YHYOUKA = 1, NEWBANDID = 1, "
                               "NEWYHYOUKA = 1"),
                QStringLiteral("KKYU2 = 300000"));
}

} // namespace

class Tst_raise_input : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheFirstEmployee();
    void gradesOfferedFollowTheGradeCount();
    void linkedItemIsRaisedByTheMatrix();
    void noMatrixRaiseWithoutLink();
    void wageTableItem_data();
    void wageTableItem();
    void newBandOrEvaluationRecomputesAtOnce_data();
    void newBandOrEvaluationRecomputesAtOnce();
    void leavingBasePayBeforeRaisesAgain();
    void totals();
    void saveWritesBothTables();
    void failedSaveLeavesBothTables_data();
    void failedSaveLeavesBothTables();
    void saveRefusals_data();
    void saveRefusals();
    void fieldRefusals_data();
    void fieldRefusals();
    void acceptedGradesAndEvaluation();
    void gradeMovesTheWageItem_data();
    void gradeMovesTheWageItem();
    void promotionOffFollowsTheGradeNow();
    void gradeFilter();
    void gradeFilterAsksAboutChanges();
    void navigation();
    void navigationAsksAboutChanges_data();
    void navigationAsksAboutChanges();
    void cancelEmptiesTheForm();
    void closeWithChangesAsks();
    void evaluationConversionReloadsTheList();
    void matrixCheck_data();
    void matrixCheck();
    void bandList();
    void fitsTheScreenBudget();
};

void Tst_raise_input::opensOnTheFirstEmployee() {
    TestProgram p;
    openSample();
    TestedRaiseInput dlg;
    open(dlg);
    const int count =
        SqlValue(DM().ACN2, QStringLiteral("SELECT COUNT(*) FROM MSYAIN1 WHERE") + kProjectKey)
            .toInt();
    QVERIFY(count > 50);
    QCOMPARE(dlg.listedCount(), count);
    QCOMPARE(text(dlg, "txtLastNo"), QString::number(count));
    QCOMPARE(text(dlg, "txtCureentNo"), QStringLiteral("1"));
    const int first = codeAt(1);
    QCOMPARE(dlg.currentCode(), first);
    QCOMPARE(find<QComboBox>(dlg, "cmbWorkerCode")->currentText(), QString::number(first));
    QCOMPARE(find<QComboBox>(dlg, "cmbWorkerCode")->count(), count);
    QCOMPARE(text(dlg, "txtWorkerName"), employeeValue("MSYAIN1", "SNA", first));
    QCOMPARE(text(dlg, "txtWorkerCode"), employeeValue("MSYAIN1", "SCOT", first));
    QCOMPARE(find<QTabWidget>(dlg, "PageControl1")->currentIndex(), 0);
    // The list: twelve columns, the plot mark by name.
    const QAbstractItemModel *list = find<QTableView>(dlg, "StringGrid1")->model();
    QCOMPARE(list->columnCount(), 12);
    QCOMPARE(list->headerData(11, Qt::Horizontal).toString(), QStringLiteral("プロット"));
    QCOMPARE(list->index(0, 8).data().toString(), employeeValue("MSYAIN2", "NTOUKYU", first));
    QCOMPARE(list->index(0, 10).data().toString(), employeeValue("MSYAIN2", "NGOUHOU", first));
    QVERIFY(!list->index(0, 11).data().toString().isEmpty());
    // Grades offered: the company's named grades.
    QCOMPARE(find<QComboBox>(dlg, "cmbSikaku")->itemText(0), QStringLiteral("1 : 一般職１級"));
    QCOMPARE(find<QComboBox>(dlg, "cmbNewToukyu")->count(), 9);
    QCOMPARE(G().gDataChanged, 0);
    QVERIFY(shown(p.messages).isEmpty());
}

void Tst_raise_input::gradesOfferedFollowTheGradeCount() {
    TestProgram p;
    openSample();
    // Four grades, of which grade 3 has no name: grades 1, 2 and 4 are offered.
    exec(DM().ACN2, QStringLiteral("INSERT INTO MCHINGIN (KCO, NENDO, CGCO, TKSU) VALUES "
                                   "(1, 2018, 1, 4)"));
    G().gMkigyou2.Tk[3].clear();
    TestedRaiseInput dlg;
    open(dlg);
    for (const char *name : {"cmbSikaku", "cmbNewToukyu"}) {
        auto *grades = find<QComboBox>(dlg, name);
        QCOMPARE(grades->count(), 3);
        QCOMPARE(grades->itemText(2), QStringLiteral("4 : 中堅職１級"));
    }
}

void Tst_raise_input::linkedItemIsRaisedByTheMatrix() {
    TestProgram p;
    openSample();
    const int sco = codeAt(3);
    linkToExampleBand(sco);
    TestedRaiseInput dlg;
    open(dlg, sco);
    QCOMPARE(text(dlg, "txtZone"), QStringLiteral("2"));
    QCOMPARE(text(dlg, "txtUPRitsu"), QStringLiteral("3.00%"));
    QCOMPARE(text(dlg, "txtNewZone"), QStringLiteral("2"));
    QCOMPARE(text(dlg, "txtNewUPRitsu"), QStringLiteral("3.00%"));
    QCOMPARE(text(dlg, "txtBKihon2"), QStringLiteral("300,000"));
    QCOMPARE(text(dlg, "txtAKihon2"), QStringLiteral("309,000"));
    QCOMPARE(text(dlg, "txtUKihon2"), QStringLiteral("9,000"));
    QVERIFY(find<QLineEdit>(dlg, "txtUKihon2")->isReadOnly());
    QVERIFY(!find<QLineEdit>(dlg, "txtBKihon2")->isReadOnly());
    QVERIFY(!find<QLineEdit>(dlg, "txtUKihon3")->isReadOnly());
    QCOMPARE(G().gMkigyou2.Frstkyum, 2);
    // The raise is in the sums.
    QCOMPARE(num(dlg, "txtUKihonSum"), num(dlg, "txtAKihonSum") - num(dlg, "txtBKihonSum"));
    QCOMPARE(num(dlg, "txtATotal"), num(dlg, "txtAKihonSum") + num(dlg, "txtASumTeate"));
    QCOMPARE(G().gDataChanged, 0);
    QVERIFY(shown(p.messages).isEmpty());
}

void Tst_raise_input::noMatrixRaiseWithoutLink() {
    TestProgram p;
    openSample();
    const int sco = codeAt(3);
    linkToExampleBand(sco);
    setEmployee(sco, QStringLiteral("MLINK = 0"), QStringLiteral("NKKYU2 = 301234"));
    TestedRaiseInput dlg;
    open(dlg, sco);
    for (const char *box : {"txtZone", "txtUPRitsu", "txtNewZone", "txtNewUPRitsu"})
        QVERIFY2(text(dlg, box).isEmpty(), box);
    // The stored amount after the raise stays; every raise but the wage table's is open.
    QCOMPARE(text(dlg, "txtAKihon2"), QStringLiteral("301,234"));
    QCOMPARE(text(dlg, "txtUKihon2"), QStringLiteral("1,234"));
    QVERIFY(!find<QLineEdit>(dlg, "txtUKihon2")->isReadOnly());
    QVERIFY(!find<QLineEdit>(dlg, "txtUKihon3")->isReadOnly());
    QCOMPARE(G().gMkigyou2.Frstkyum, 0);
}

void Tst_raise_input::wageTableItem_data() {
    QTest::addColumn<int>("jiseki");
    QTest::newRow("base pay 1") << 1;
    QTest::newRow("base pay 3") << 3;
    QTest::newRow("none") << 0;
}

void Tst_raise_input::wageTableItem() {
    QFETCH(int, jiseki);
    TestProgram p;
    openSample();
    const int sco = codeAt(4);
    setEmployee(sco, QStringLiteral("MLINK = 0, JISEKI = %1").arg(jiseki),
                QStringLiteral("KKYU1 = 150000, NKKYU1 = 151000, KKYU3 = 20000, NKKYU3 = 21000"));
    const qint64 nkin =
        SqlValue(DM().ACN2, QStringLiteral("SELECT NKIN FROM VSYAIN") + where(sco)).toLongLong();
    QVERIFY(nkin > 0);
    TestedRaiseInput dlg;
    open(dlg, sco);
    QCOMPARE(G().gMkigyou2.Frstkyu, jiseki);
    const qint64 before[] = {0, 150000, 0, 20000};
    const qint64 stored[] = {0, 151000, 0, 21000};
    for (int i : {1, 3}) {
        const QString b = QStringLiteral("txtBKihon%1").arg(i);
        const QString u = QStringLiteral("txtUKihon%1").arg(i);
        const qint64 after = i == jiseki ? nkin : stored[i];
        QCOMPARE(num(dlg, QStringLiteral("txtAKihon%1").arg(i)), after);
        QCOMPARE(num(dlg, u), after - before[i]);
        QCOMPARE(find<QLineEdit>(dlg, b)->isReadOnly(), i == jiseki);
        QCOMPARE(find<QLineEdit>(dlg, u)->isReadOnly(), i == jiseki);
        QCOMPARE(find<QLineEdit>(dlg, u)->palette().color(QPalette::Base) == QColor(0xa6caf0),
                 i == jiseki);
    }
}

void Tst_raise_input::newBandOrEvaluationRecomputesAtOnce_data() {
    QTest::addColumn<QString>("combo");
    QTest::addColumn<int>("steps"); // items down the list
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<qint64>("after");
    // Evaluation 3 of matrix 1 gives 2 % in zone 2 of the sample.
    QTest::newRow("evaluation 3") << "cmbNewYHyouka" << 2 << "2" << "2.00%" << qint64(306000);
    // Band 2 ends at 86,400: the pay lies in no zone and is not raised.
    QTest::newRow("band 2") << "cmbNewBAND" << 1 << "0" << "0.00%" << qint64(300000);
}

void Tst_raise_input::newBandOrEvaluationRecomputesAtOnce() {
    QFETCH(QString, combo);
    QFETCH(int, steps);
    QFETCH(QString, zone);
    QFETCH(QString, rate);
    QFETCH(qint64, after);
    TestProgram p;
    openSample();
    const int sco = codeAt(3);
    linkToExampleBand(sco);
    TestedRaiseInput dlg;
    open(dlg, sco);
    auto *box = find<QComboBox>(dlg, combo);
    box->setFocus();
    for (int i = 0; i < steps; ++i)
        QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(text(dlg, "txtNewZone"), zone);
    QCOMPARE(text(dlg, "txtNewUPRitsu"), rate);
    QCOMPARE(num(dlg, "txtAKihon2"), after);
    QCOMPARE(num(dlg, "txtUKihon2"), after - 300000);
    QCOMPARE(num(dlg, "txtUTotal"), num(dlg, "txtATotal") - num(dlg, "txtBTotal"));
    // The current side stays.
    QCOMPARE(text(dlg, "txtZone"), QStringLiteral("2"));
    QCOMPARE(G().gDataChanged, 1);
}

void Tst_raise_input::leavingBasePayBeforeRaisesAgain() {
    TestProgram p;
    openSample();
    const int sco = codeAt(3);
    linkToExampleBand(sco);
    TestedRaiseInput dlg;
    open(dlg, sco);
    showPage(dlg, 1);
    // 318,000 in zone 2: 3 % gives 327,540, which lies in zone 3.
    typeInto(find<QLineEdit>(dlg, "txtBKihon2"), QStringLiteral("318000"));
    leaveTo(find<QLineEdit>(dlg, "txtBKihon3"));
    QCOMPARE(text(dlg, "txtBKihon2"), QStringLiteral("318,000"));
    QCOMPARE(text(dlg, "txtAKihon2"), QStringLiteral("327,540"));
    QCOMPARE(text(dlg, "txtUKihon2"), QStringLiteral("9,540"));
    QCOMPARE(text(dlg, "txtNewZone"), QStringLiteral("3"));
    QCOMPARE(text(dlg, "txtZone"), QStringLiteral("2"));
    QVERIFY(shown(p.messages).isEmpty());
}

void Tst_raise_input::totals() {
    TestProgram p;
    openSample();
    const int sco = codeAt(5);
    setEmployee(sco, QStringLiteral("MLINK = 0, JISEKI = 0"));
    TestedRaiseInput dlg;
    open(dlg, sco);
    showPage(dlg, 1);
    const qint64 b[] = {0, 200000, 30000, -5000}, u[] = {0, 4000, 0, 1500};
    const qint64 tb[] = {0, 10000, 20000, 0, 3000, 99999999};
    const qint64 ta[] = {0, 12000, 20000, 7, 2500, 99999999};
    for (int i = 1; i <= 3; ++i) {
        typeInto(find<QLineEdit>(dlg, QStringLiteral("txtBKihon%1").arg(i)), QString::number(b[i]));
        typeInto(find<QLineEdit>(dlg, QStringLiteral("txtUKihon%1").arg(i)), QString::number(u[i]));
    }
    for (int i = 1; i <= 5; ++i) {
        typeInto(find<QLineEdit>(dlg, QStringLiteral("txtBTeate%1").arg(i)),
                 QString::number(tb[i]));
        typeInto(find<QLineEdit>(dlg, QStringLiteral("txtATeate%1").arg(i)),
                 QString::number(ta[i]));
    }
    leaveTo(find<QLineEdit>(dlg, "txtBKihon1"));
    QVERIFY(shown(p.messages).isEmpty());
    qint64 kb = 0, ku = 0, sb = 0, sa = 0;
    for (int i = 1; i <= 3; ++i) {
        QCOMPARE(num(dlg, QStringLiteral("txtAKihon%1").arg(i)), b[i] + u[i]);
        kb += b[i];
        ku += u[i];
    }
    for (int i = 1; i <= 5; ++i) {
        QCOMPARE(num(dlg, QStringLiteral("txtUTeate%1").arg(i)), ta[i] - tb[i]);
        sb += tb[i];
        sa += ta[i];
    }
    QCOMPARE(num(dlg, "txtBKihonSum"), kb);
    QCOMPARE(num(dlg, "txtUKihonSum"), ku);
    QCOMPARE(num(dlg, "txtAKihonSum"), kb + ku);
    QCOMPARE(num(dlg, "txtBSumTeate"), sb);
    QCOMPARE(num(dlg, "txtASumTeate"), sa);
    QCOMPARE(num(dlg, "txtUSumTeate"), sa - sb);
    QCOMPARE(num(dlg, "txtBTotal"), kb + sb);
    QCOMPARE(num(dlg, "txtATotal"), kb + ku + sa);
    QCOMPARE(num(dlg, "txtUTotal"), ku + sa - sb);
    QCOMPARE(text(dlg, "txtBKihon3"), QStringLiteral("-5,000"));
}

void Tst_raise_input::saveWritesBothTables() {
    TestProgram p;
    openSample();
    const int sco = codeAt(3);
    linkToExampleBand(sco);
    TestedRaiseInput dlg;
    open(dlg, sco);
    const QStringList before = employeeRows();
    // A new evaluation after the raise, a raise of base pay 3, an allowance after the raise,
    // a promotion to grade 4 and the overall evaluation 2.
    auto *newEval = find<QComboBox>(dlg, "cmbNewYHyouka");
    newEval->setFocus();
    QTest::keyClick(newEval, Qt::Key_Down); // evaluation 2: 3 % in zone 2 as well
    click(dlg, "chkUP");
    QVERIFY(dlg.promoted());
    typeInto(find<QComboBox>(dlg, "cmbNewToukyu"), QStringLiteral("4"));
    typeInto(find<QComboBox>(dlg, "cmbHyouka"), QStringLiteral("2"));
    leaveTo(find<QComboBox>(dlg, "cmbNewBAND"));
    showPage(dlg, 1);
    typeInto(find<QLineEdit>(dlg, "txtUKihon3"), QStringLiteral("1234"));
    typeInto(find<QLineEdit>(dlg, "txtATeate2"), QStringLiteral("25000"));
    leaveTo(find<QLineEdit>(dlg, "txtBTeate1"));
    QCOMPARE(G().gDataChanged, 1);
    const qint64 aTotal = num(dlg, "txtATotal");
    const qint64 a1 = num(dlg, "txtAKihon1"), a3 = num(dlg, "txtAKihon3");
    click(dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList());

    const auto v1 = [sco](const char *c) { return employeeValue("MSYAIN1", c, sco); };
    const auto v2 = [sco](const char *c) { return employeeValue("MSYAIN2", c, sco); };
    QCOMPARE(v1("BANDID"), QStringLiteral("1"));
    QCOMPARE(v1("YHYOUKA"), QStringLiteral("1"));
    QCOMPARE(v1("NEWBANDID"), QStringLiteral("1"));
    QCOMPARE(v1("NEWYHYOUKA"), QStringLiteral("2"));
    QCOMPARE(v2("NKKYU1").toLongLong(), a1);
    QCOMPARE(v2("NKKYU2").toLongLong(), 309000);
    QCOMPARE(v2("NKKYU3").toLongLong(), a3);
    QCOMPARE(v2("NTEATE2").toLongLong(), 25000);
    QCOMPARE(v2("NSYOTEI").toLongLong(), aTotal);
    QCOMPARE(v2("NNENSYU").toDouble(), 12.0 * aTotal);
    QCOMPARE(v2("NTOUKYU"), QStringLiteral("4"));
    QCOMPARE(v2("FSKCHK"), QStringLiteral("1"));
    QCOMPARE(v2("HCO"), QStringLiteral("2"));
    QCOMPARE(v2("UPK").toLongLong(), v2("NKKYU1").toLongLong() + 309000 + a3 -
                                         v2("KKYU1").toLongLong() - 300000 -
                                         v2("KKYU3").toLongLong());
    QCOMPARE(v2("SYOTEI").toLongLong(), num(dlg, "txtBTotal"));
    // Nothing else changed: the other employees, and this one's other columns.
    const QStringList after = employeeRows();
    QCOMPARE(after.size(), before.size());
    int changedRows = 0;
    for (int i = 0; i < after.size(); ++i)
        changedRows += after[i] != before[i];
    QCOMPARE(changedRows, 2);
    QCOMPARE(v1("MLINK"), QStringLiteral("2"));
    QCOMPARE(v1("SNA"), text(dlg, "txtWorkerName"));
    // The employee is shown again as stored; the list shows the new grade.
    QCOMPARE(G().gDataChanged, 0);
    QCOMPARE(dlg.currentCode(), sco);
    QCOMPARE(find<QTableView>(dlg, "StringGrid1")->model()->index(dlg.currentRow() - 1, 8).data(),
             QVariant(QStringLiteral("4")));
}

void Tst_raise_input::failedSaveLeavesBothTables_data() {
    QTest::addColumn<QString>("table");
    QTest::newRow("MSYAIN1 refused") << "MSYAIN1";
    QTest::newRow("MSYAIN2 refused") << "MSYAIN2";
}

void Tst_raise_input::failedSaveLeavesBothTables() {
    QFETCH(QString, table);
    TestProgram p;
    openSample();
    const int sco = codeAt(3);
    linkToExampleBand(sco);
    RefuseWrites(DM().ACN2, "refuse", "UPDATE", table);
    TestedRaiseInput dlg;
    open(dlg, sco);
    const QStringList before = employeeRows();
    auto *newBand = find<QComboBox>(dlg, "cmbNewBAND");
    newBand->setFocus();
    QTest::keyClick(newBand, Qt::Key_Down);
    showPage(dlg, 1);
    typeInto(find<QLineEdit>(dlg, "txtUKihon3"), QStringLiteral("4321"));
    leaveTo(find<QLineEdit>(dlg, "txtBTeate1"));
    click(dlg, "btnAdd");

    QCOMPARE(shown(p.messages), QStringList{kMsgSqlUnknown});
    QCOMPARE(employeeRows(), before);
    // The input stays on the form, to be saved again.
    QCOMPARE(text(dlg, "txtUKihon3"), QStringLiteral("4,321"));
    QCOMPARE(CodePart(newBand->currentText()), QStringLiteral("2"));
    QCOMPARE(G().gDataChanged, 1);
}

void Tst_raise_input::saveRefusals_data() {
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("message");
    QTest::newRow("no code") << "cancelled"
                             << "社員コードが入力されていません。";
    QTest::newRow("no new grade") << "no grade"
                                  << "New等級が、入力されていません。";
}

void Tst_raise_input::saveRefusals() {
    QFETCH(QString, situation);
    QFETCH(QString, message);
    TestProgram p;
    openSample();
    const int sco = codeAt(2);
    setEmployee(sco, QStringLiteral("JISEKI = 1"), QStringLiteral("TOUKYU = 0, NTOUKYU = 0"));
    TestedRaiseInput dlg;
    open(dlg, sco);
    const QStringList before = employeeRows();
    showPage(dlg, 1);
    if (situation == "cancelled") click(dlg, "btnCancel");
    QVERIFY(find<QComboBox>(dlg, "cmbNewToukyu")->currentText().isEmpty());
    click(dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{message});
    QCOMPARE(find<QTabWidget>(dlg, "PageControl1")->currentIndex(), 0);
    QCOMPARE(employeeRows(), before);
}

void Tst_raise_input::fieldRefusals_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    const auto row = [](const char *name, const char *field, const QString &typed,
                        const QString &message) {
        QTest::newRow(name) << QString::fromLatin1(field) << typed << message;
    };
    row("code not a number", "cmbWorkerCode", "abc", kMsgNotNumber);
    row("code 0", "cmbWorkerCode", "0", kMsgZeroCode);
    row("code not listed", "cmbWorkerCode", "99999", kMsgNoEmployee);
    row("grade not a number", "cmbSikaku", "x", kMsgNotNumber);
    row("grade 0", "cmbSikaku", "0", kMsgGradeRange);
    row("grade 10", "cmbSikaku", "10", kMsgGradeRange);
    row("grade 1.5", "cmbSikaku", "1.5", kMsgNotNumber);
    row("new grade 10", "cmbNewToukyu", "10", kMsgNewGradeRange);
    row("new grade -1", "cmbNewToukyu", "-1", kMsgNewGradeRange);
    row("new grade not a number", "cmbNewToukyu", "上級", kMsgNotNumber);
    row("evaluation not a number", "cmbHyouka", "S", kMsgNotNumber);
    row("evaluation not registered", "cmbHyouka", "99", kMsgNotInMaster);
    row("raise of nine digits", "txtUKihon3", "123456789", QStringLiteral("入力範囲外です。"));
    row("allowance not a number", "txtATeate1", "abc", kMsgNotNumber);
    row("base pay not a number", "txtBKihon2", "1x", kMsgNotNumber);
    row("allowance emptied", "txtBTeate2", "", kMsgNotNumber);
}

void Tst_raise_input::fieldRefusals() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    TestProgram p;
    openSample();
    const int sco = codeAt(2);
    TestedRaiseInput dlg;
    open(dlg, sco);
    const QStringList before = employeeRows();
    if (field == "cmbNewToukyu") click(dlg, "chkUP");
    const bool onRaisePage = field.startsWith(QLatin1String("txt"));
    showPage(dlg, onRaisePage ? 1 : 0);
    auto *box = find<QWidget>(dlg, field);
    typeInto(box, typed);
    leaveTo(onRaisePage ? static_cast<QWidget *>(find<QLineEdit>(dlg, "txtBTeate5"))
                        : find<QComboBox>(dlg, "cmbNewBAND"));
    QCOMPARE(shown(p.messages), QStringList{message});
    QVERIFY(box->hasFocus());
    if (field == "cmbWorkerCode") {
        QCOMPARE(dlg.currentCode(), sco);
        QCOMPARE(find<QTabWidget>(dlg, "PageControl1")->currentIndex(), 0);
    }
    // Saving refuses the value again and writes nothing.
    p.messages.clear();
    if (field != "cmbWorkerCode") {
        dlg.btnAddClick();
        QCOMPARE(shown(p.messages), QStringList{message});
    }
    QCOMPARE(employeeRows(), before);
}

void Tst_raise_input::acceptedGradesAndEvaluation() {
    TestProgram p;
    openSample();
    TestedRaiseInput dlg;
    open(dlg, codeAt(2));
    auto *grade = find<QComboBox>(dlg, "cmbSikaku");
    typeInto(grade, QStringLiteral("3 : 一般職３級"));
    auto *evaluation = find<QComboBox>(dlg, "cmbHyouka");
    typeInto(evaluation, QStringLiteral("2"));
    leaveTo(find<QComboBox>(dlg, "cmbNewBAND"));
    QCOMPARE(shown(p.messages), QStringList());
    QCOMPARE(grade->currentText(), QStringLiteral("3"));
    QCOMPARE(evaluation->currentText(), QStringLiteral("2 : A"));
    // Without a promotion the grade after the raise follows.
    QCOMPARE(find<QComboBox>(dlg, "cmbNewToukyu")->currentText(), QStringLiteral("3"));
    QCOMPARE(G().gDataChanged, 1);
}

void Tst_raise_input::gradeMovesTheWageItem_data() {
    QTest::addColumn<int>("jiseki");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("newStep");
    QTest::addColumn<int>("tableStep"); // the step whose amount is expected; 0: unchanged
    QTest::newRow("new step") << 1 << 10 << 20 << 20;
    QTest::newRow("step now without a new step") << 2 << 10 << 0 << 10;
    QTest::newRow("step the table lacks") << 1 << 10 << 999 << 0;
    QTest::newRow("no wage-table item") << 0 << 10 << 20 << 0;
}

void Tst_raise_input::gradeMovesTheWageItem() {
    QFETCH(int, jiseki);
    QFETCH(int, step);
    QFETCH(int, newStep);
    QFETCH(int, tableStep);
    TestProgram p;
    openSample();
    const int sco = codeAt(6);
    setEmployee(sco, QStringLiteral("MLINK = 0, JISEKI = %1").arg(jiseki),
                QStringLiteral("TOUKYU = 2, NTOUKYU = 2, FSKCHK = 0, GOUHOU = %1, NGOUHOU = %2, "
                               "KKYU1 = 130000, KKYU2 = 60000, NKKYU1 = 131111, NKKYU2 = 61111")
                    .arg(step)
                    .arg(newStep));
    TestedRaiseInput dlg;
    open(dlg, sco);
    const int item = jiseki == 0 ? 1 : jiseki;
    const QString after = QStringLiteral("txtAKihon%1").arg(item);
    const qint64 shownBefore = num(dlg, after);
    click(dlg, "chkUP");
    typeInto(find<QComboBox>(dlg, "cmbNewToukyu"), QStringLiteral("5"));
    leaveTo(find<QComboBox>(dlg, "cmbNewBAND"));
    QCOMPARE(shown(p.messages), QStringList());
    if (tableStep == 0) {
        QCOMPARE(num(dlg, after), shownBefore);
        return;
    }
    const qint64 wage =
        SqlValue(DM().ACN2,
                 QStringLiteral("SELECT KIN5 FROM DCHINGIN2 WHERE GOUHOU = %1 AND").arg(tableStep) +
                     kProjectKey)
            .toLongLong();
    QVERIFY(wage > 0);
    QCOMPARE(num(dlg, after), wage);
    QCOMPARE(num(dlg, QStringLiteral("txtUKihon%1").arg(item)),
             wage - num(dlg, QStringLiteral("txtBKihon%1").arg(item)));
    QCOMPARE(num(dlg, "txtAKihonSum"), num(dlg, "txtBKihonSum") + num(dlg, "txtUKihonSum"));
    QCOMPARE(G().gDataChanged, 1);
}

void Tst_raise_input::promotionOffFollowsTheGradeNow() {
    TestProgram p;
    openSample();
    const int sco = codeAt(6);
    setEmployee(sco, QStringLiteral("MLINK = 0, JISEKI = 1"),
                QStringLiteral("TOUKYU = 2, NTOUKYU = 6, FSKCHK = 1, NGOUHOU = 12"));
    TestedRaiseInput dlg;
    open(dlg, sco);
    auto *newGrade = find<QComboBox>(dlg, "cmbNewToukyu");
    QVERIFY(dlg.promoted());
    QVERIFY(find<QCheckBox>(dlg, "chkUP")->isChecked());
    QVERIFY(newGrade->isEnabled());
    QVERIFY(newGrade->currentText().startsWith(QLatin1String("6 : ")));
    click(dlg, "chkUP");
    QVERIFY(!dlg.promoted());
    QVERIFY(!newGrade->isEnabled());
    QCOMPARE(newGrade->currentText(), find<QComboBox>(dlg, "cmbSikaku")->currentText());
    const qint64 wage =
        SqlValue(DM().ACN2, QStringLiteral("SELECT KIN2 FROM DCHINGIN2 WHERE GOUHOU = 12 AND") +
                                kProjectKey)
            .toLongLong();
    QCOMPARE(num(dlg, "txtAKihon1"), wage);
}

void Tst_raise_input::gradeFilter() {
    TestProgram p;
    openSample();
    TestedRaiseInput dlg;
    open(dlg);
    const int all = dlg.listedCount();
    const QStringList grade3 = SqlColumn(
        DM().ACN2, QStringLiteral("SELECT SCO FROM MSYAIN2 WHERE TOUKYU = 3 AND") + kProjectKey +
                       QStringLiteral(" ORDER BY SCO"));
    QVERIFY(!grade3.isEmpty() && grade3.size() < all);
    click(dlg, "optTokyu3");
    QCOMPARE(dlg.gradeFilter(), 3);
    QCOMPARE(dlg.listedCount(), grade3.size());
    const QAbstractItemModel *list = find<QTableView>(dlg, "StringGrid1")->model();
    for (int r = 0; r < list->rowCount(); ++r) {
        QCOMPARE(list->index(r, 7).data().toString(), QStringLiteral("3"));
        QCOMPARE(list->index(r, 1).data().toString(), grade3[r]);
    }
    QCOMPARE(QString::number(dlg.currentCode()), grade3.first());
    QCOMPARE(text(dlg, "txtLastNo"), QString::number(grade3.size()));
    // The code box still offers every employee.
    QCOMPARE(find<QComboBox>(dlg, "cmbWorkerCode")->count(), all);
    // A grade without employees lists none.
    exec(DM().ACN2, QStringLiteral("UPDATE MSYAIN2 SET TOUKYU = 1 WHERE TOUKYU = 8 AND") +
                        kProjectKey);
    click(dlg, "optTokyu8");
    QCOMPARE(dlg.listedCount(), 0);
    QCOMPARE(dlg.currentCode(), 0);
    QVERIFY(text(dlg, "txtLastNo").isEmpty());
    QVERIFY(text(dlg, "txtCureentNo").isEmpty());
    click(dlg, "btnNext");
    click(dlg, "optTokyuAll");
    QCOMPARE(dlg.listedCount(), all);
    QCOMPARE(dlg.currentCode(), codeAt(1));
    QVERIFY(shown(p.messages).isEmpty());
}

void Tst_raise_input::gradeFilterAsksAboutChanges() {
    TestProgram p;
    openSample();
    TestedRaiseInput dlg;
    open(dlg);
    const int all = dlg.listedCount();
    showPage(dlg, 1);
    typeInto(find<QLineEdit>(dlg, "txtATeate1"), QStringLiteral("1"));
    leaveTo(find<QLineEdit>(dlg, "txtATeate2"));
    p.messages.answer(true); // stay
    click(dlg, "optTokyu3");
    QCOMPARE(p.messages.lastText(), kAskChanged + QStringLiteral("元のデータ　へ。"));
    QCOMPARE(p.messages.entries.last().caption, QStringLiteral("確認"));
    QCOMPARE(dlg.gradeFilter(), 0);
    QVERIFY(find<QRadioButton>(dlg, "optTokyuAll")->isChecked());
    QCOMPARE(dlg.listedCount(), all);
    QCOMPARE(find<QTabWidget>(dlg, "PageControl1")->currentIndex(), 0);
    QVERIFY(find<QComboBox>(dlg, "cmbNewBAND")->hasFocus());
    QCOMPARE(G().gDataChanged, 1);
    click(dlg, "optTokyu3"); // No: the filter applies and the change is dropped
    QCOMPARE(dlg.gradeFilter(), 3);
    QVERIFY(dlg.listedCount() < all);
    QCOMPARE(G().gDataChanged, 0);
}

void Tst_raise_input::navigation() {
    TestProgram p;
    openSample();
    TestedRaiseInput dlg;
    open(dlg);
    const int count = dlg.listedCount();
    click(dlg, "btnBack"); // on the first: nothing
    QCOMPARE(dlg.currentCode(), codeAt(1));
    click(dlg, "btnNext");
    QCOMPARE(dlg.currentCode(), codeAt(2));
    QCOMPARE(text(dlg, "txtCureentNo"), QStringLiteral("2"));
    QCOMPARE(find<QComboBox>(dlg, "cmbWorkerCode")->currentText(), QString::number(codeAt(2)));
    QVERIFY(find<QComboBox>(dlg, "cmbNewBAND")->hasFocus());
    showPage(dlg, 1);
    click(dlg, "btnBack");
    QCOMPARE(dlg.currentCode(), codeAt(1));
    QVERIFY(find<QLineEdit>(dlg, "txtUKihon1")->hasFocus());
    click(dlg, "btnLast");
    QCOMPARE(dlg.currentCode(), codeAt(count));
    QCOMPARE(dlg.currentRow(), count);
    click(dlg, "btnNext"); // on the last: nothing
    QCOMPARE(dlg.currentCode(), codeAt(count));
    click(dlg, "btnFirst");
    QCOMPARE(dlg.currentCode(), codeAt(1));
    // Without an employee shown, 次 goes to the last and 前 to the first.
    click(dlg, "btnCancel");
    click(dlg, "btnNext");
    QCOMPARE(dlg.currentCode(), codeAt(count));
    click(dlg, "btnCancel");
    click(dlg, "btnBack");
    QCOMPARE(dlg.currentCode(), codeAt(1));
    // A code typed into the code box shows that employee.
    typeInto(find<QComboBox>(dlg, "cmbWorkerCode"), QString::number(codeAt(7)));
    leaveTo(find<QComboBox>(dlg, "cmbNewBAND"));
    QCOMPARE(dlg.currentCode(), codeAt(7));
    QCOMPARE(dlg.currentRow(), 7);
    // A click on a tab puts the user in the page's first field.
    auto *tabs = find<QTabWidget>(dlg, "PageControl1");
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(find<QLineEdit>(dlg, "txtUKihon1")->hasFocus());
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(0).center());
    QVERIFY(find<QComboBox>(dlg, "cmbNewBAND")->hasFocus());
    QVERIFY(shown(p.messages).isEmpty());
}

void Tst_raise_input::navigationAsksAboutChanges_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("expectedRow"); // from row 2; 0 for the last
    QTest::newRow("first") << "btnFirst"
                           << "最初のデータ　へ。" << 1;
    QTest::newRow("previous") << "btnBack"
                              << "前のデータ　へ。" << 1;
    QTest::newRow("next") << "btnNext"
                          << "次のデータ　へ。" << 3;
    QTest::newRow("last") << "btnLast"
                          << "最後のデータ　へ。" << 0;
}

void Tst_raise_input::navigationAsksAboutChanges() {
    QFETCH(QString, button);
    QFETCH(QString, target);
    QFETCH(int, expectedRow);
    TestProgram p;
    openSample();
    TestedRaiseInput dlg;
    open(dlg, codeAt(2));
    showPage(dlg, 1);
    typeInto(find<QLineEdit>(dlg, "txtUKihon3"), QStringLiteral("777"));
    leaveTo(find<QLineEdit>(dlg, "txtBTeate1"));
    p.messages.answer(true); // Yes stays, on the first page in the new band
    click(dlg, button);
    QCOMPARE(p.messages.lastText(), kAskChanged + target);
    QCOMPARE(p.messages.entries.last().caption, QStringLiteral("確認"));
    QCOMPARE(dlg.currentCode(), codeAt(2));
    QCOMPARE(text(dlg, "txtUKihon3"), QStringLiteral("777"));
    QCOMPARE(find<QTabWidget>(dlg, "PageControl1")->currentIndex(), 0);
    QVERIFY(find<QComboBox>(dlg, "cmbNewBAND")->hasFocus());
    click(dlg, button); // No moves on and drops the change
    const int row = expectedRow == 0 ? dlg.listedCount() : expectedRow;
    QCOMPARE(dlg.currentRow(), row);
    QCOMPARE(dlg.currentCode(), codeAt(row));
    QCOMPARE(G().gDataChanged, 0);
}

void Tst_raise_input::cancelEmptiesTheForm() {
    TestProgram p;
    openSample();
    TestedRaiseInput dlg;
    open(dlg, codeAt(3));
    showPage(dlg, 1);
    typeInto(find<QLineEdit>(dlg, "txtUKihon3"), QStringLiteral("500"));
    click(dlg, "btnCancel");
    QCOMPARE(dlg.currentCode(), 0);
    QCOMPARE(find<QTabWidget>(dlg, "PageControl1")->currentIndex(), 0);
    QVERIFY(find<QComboBox>(dlg, "cmbWorkerCode")->currentText().isEmpty());
    QVERIFY(find<QComboBox>(dlg, "cmbWorkerCode")->hasFocus());
    QVERIFY(text(dlg, "txtWorkerName").isEmpty());
    QVERIFY(find<QComboBox>(dlg, "cmbSikaku")->currentText().isEmpty());
    QCOMPARE(text(dlg, "txtTairyuu"), QStringLiteral("0"));
    QCOMPARE(text(dlg, "txtZone"), QStringLiteral("0"));
    for (const char *box : {"txtBKihon1", "txtUKihon3", "txtATeate5", "txtATotal"})
        QCOMPARE(text(dlg, box), QStringLiteral("0"));
    QCOMPARE(G().gDataChanged, 0);
    // Row 1 is current; clicking it shows its employee, but not a click on its row number.
    auto *grid = find<QTableView>(dlg, "StringGrid1");
    QCOMPARE(grid->currentIndex().row(), 0);
    const auto clickCell = [grid](int row, int column) {
        const QRect cell = grid->visualRect(grid->model()->index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    };
    clickCell(0, 0);
    QCOMPARE(dlg.currentCode(), 0);
    clickCell(0, 3);
    QCOMPARE(dlg.currentCode(), codeAt(1));
    clickCell(4, 0);
    QCOMPARE(dlg.currentCode(), codeAt(1));
    clickCell(4, 1);
    QCOMPARE(dlg.currentCode(), codeAt(5));
    QCOMPARE(text(dlg, "txtCureentNo"), QStringLiteral("5"));
    QVERIFY(shown(p.messages).isEmpty());
}

void Tst_raise_input::closeWithChangesAsks() {
    TestProgram p;
    openSample();
    TestedRaiseInput dlg;
    open(dlg);
    showPage(dlg, 1);
    typeInto(find<QLineEdit>(dlg, "txtBTeate4"), QStringLiteral("100"));
    p.messages.answer(true); // Yes: stay
    click(dlg, "btnClose");
    QVERIFY(dlg.isVisible());
    QCOMPARE(p.messages.lastText(), kAskChanged + QStringLiteral("画面を閉じます。"));
    click(dlg, "btnClose"); // No: close
    QVERIFY(!dlg.isVisible());
}

void Tst_raise_input::evaluationConversionReloadsTheList() {
    TestProgram p;
    openSample();
    TestedRaiseInput dlg;
    open(dlg);
    auto *evaluation = find<QComboBox>(dlg, "cmbHyouka");
    const QString shownText = evaluation->currentText();
    const int items = evaluation->count();
    dlg.whileOpen = [] {
        exec(DM().ACN2, QStringLiteral("INSERT INTO MHYOUKA (KCO, NENDO, HCO, HKIGOU, SGOUSU) "
                                       "VALUES (1, 2018, 6, 'E', 1)"));
    };
    click(dlg, "btnHyogo");
    QCOMPARE(dlg.opened, QStringList{QStringLiteral("TNX3020")});
    QCOMPARE(evaluation->count(), items + 1);
    QCOMPARE(evaluation->itemText(items), QStringLiteral("6 : E"));
    QCOMPARE(evaluation->currentText(), shownText);
    // The new evaluation is accepted at once.
    typeInto(evaluation, QStringLiteral("6"));
    leaveTo(find<QComboBox>(dlg, "cmbNewBAND"));
    QCOMPARE(evaluation->currentText(), QStringLiteral("6 : E"));
    QVERIFY(shown(p.messages).isEmpty());
}

void Tst_raise_input::matrixCheck_data() {
    QTest::addColumn<int>("link");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("stay"); // the answer to the question about unsaved changes
    QTest::addColumn<bool>("opens");
    QTest::newRow("linked") << 2 << false << false << true;
    QTest::newRow("not linked") << 0 << false << false << false;
    QTest::newRow("unsaved, go on") << 2 << true << false << true;
    QTest::newRow("unsaved, stay") << 2 << true << true << false;
}

void Tst_raise_input::matrixCheck() {
    QFETCH(int, link);
    QFETCH(bool, changed);
    QFETCH(bool, stay);
    QFETCH(bool, opens);
    TestProgram p;
    openSample();
    const int sco = codeAt(3);
    setEmployee(sco, QStringLiteral("MLINK = %1, NEWBANDID = 4").arg(link));
    TestedRaiseInput dlg;
    open(dlg, sco);
    if (changed) {
        showPage(dlg, 1);
        typeInto(find<QLineEdit>(dlg, "txtATeate3"), QStringLiteral("5"));
        leaveTo(find<QLineEdit>(dlg, "txtATeate4"));
        showPage(dlg, 0);
    }
    p.messages.answer(stay);
    click(dlg, "btnMatllix");
    if (changed)
        QCOMPARE(shown(p.messages),
                 QStringList{QStringLiteral(
                     "ﾃﾞｰﾀが変更されていますが更新されていません。\rこのまま処理すると入力前の"
                     "状態で処理されます。\r【はい】:戻ります。\r【いいえ】:このまま処理します。")});
    else
        QVERIFY(shown(p.messages).isEmpty());
    QCOMPARE(dlg.opened, opens ? QStringList{QStringLiteral("frmMatCheck")} : QStringList());
}

void Tst_raise_input::bandList() {
    TestProgram p;
    openSample();
    TestedRaiseInput dlg;
    open(dlg);
    click(dlg, "cdBand");
    QCOMPARE(dlg.opened, QStringList{QStringLiteral("frmBandList")});
    QVERIFY(!G().gBandTbl2.Bands.empty());
    // Without bands nothing opens.
    exec(DM().ACN2, QStringLiteral("DELETE FROM BANDM WHERE") + kProjectKey);
    click(dlg, "cdBand");
    QCOMPARE(dlg.opened.size(), 1);
    QVERIFY(shown(p.messages).isEmpty());
}

void Tst_raise_input::fitsTheScreenBudget() {
    TestProgram p;
    openSample();
    TestedRaiseInput dlg;
    open(dlg);
    QVERIFY(dlg.width() <= 1260 && dlg.height() <= 640);
    QVERIFY(dlg.minimumSizeHint().width() <= 1260);
    QVERIFY(dlg.minimumSizeHint().height() <= 640);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("昇給管理"));
}

QTEST_MAIN(Tst_raise_input)
#include "tst_raise_input.moc"
