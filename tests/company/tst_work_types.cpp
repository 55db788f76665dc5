#include "loaders.h"
#include "screen_kit.h"
#include "state.h"
#include "test_program.h"
#include "work_types.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kMsgIdRange = QStringLiteral("IDは1～4で入力して下さい。");
const QString kProject = QStringLiteral(" from SALARYNAME where KCO = 1 and NENDO = 2018");

// Types an id into the id box and runs the check of leaving it.
bool enterId(TfrmSalaryName &dlg, const QString &id) {
    retype(find<QComboBox>(dlg, "cmbSalaryID"), id);
    return dlg.cmbSalaryIDExit();
}

QStringList items(TfrmSalaryName &dlg) {
    auto *combo = find<QComboBox>(dlg, "cmbSalaryID");
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

QString row(int id) {
    return SqlValue(DM().ACN2, QStringLiteral("select SALARYNAME || '|' || TEIGI || '|' || KIHON1 "
                                              "|| '|' || KIHON2 || '|' || KIHON3 || '|' || TEATE1 "
                                              "|| '|' || TEATE5") +
                                   kProject + QStringLiteral(" and SALARYID = %1").arg(id));
}

QStringList fieldNames() {
    return {"txtName",   "txtTeigi",  "txtKihon1", "txtKihon2", "txtKihon3",
            "txtTeate1", "txtTeate2", "txtTeate3", "txtTeate4", "txtTeate5"};
}

} // namespace

class Tst_work_types : public QObject {
    Q_OBJECT
private slots:
    void listsTheProjectsWorkTypes();
    void idOutOfRange_data();
    void idOutOfRange();
    void emptyIdIsNotChecked();
    void loadsAStoredWorkType_data();
    void loadsAStoredWorkType();
    void unknownIdStartsANewOne();
    void savingTwiceLeavesOneRow();
    void quotesStoredIntact();
    void emptyCaptionsStoredEmpty();
    void saveRefusals_data();
    void saveRefusals();
    void failedSaveKeepsTheStoredRow();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void cancelClearsTheFields();
    void closePrompt_data();
    void closePrompt();
    void lastAllowanceLeadsBackToTheName();
    void changesStayOffTheProjectFlag();
    void fitsTheScreen();
};

void Tst_work_types::listsTheProjectsWorkTypes() {
    TestProgram p;
    openSample();
    exec(DM().ACN2,
         "insert into SALARYNAME (KCO, NENDO, SALARYID, SALARYNAME) values (2, 2018, 1, 'X')");
    exec(DM().ACN2,
         "insert into SALARYNAME (KCO, NENDO, SALARYID, SALARYNAME) values (1, 2017, 4, 'Y')");
    TfrmSalaryName dlg;
    dlg.prepare();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("就労形態＆賃金構成の登録"));
    QCOMPARE(items(dlg), (QStringList{"1 : 正社員", "2 : 契約社員", "3 : パート", "4 : 嘱託"}));
    QCOMPARE(find<QComboBox>(dlg, "cmbSalaryID")->currentText(), QString());
    QVERIFY(!find<QPushButton>(dlg, "btnDlt")->isEnabled());
    for (const QString &name : fieldNames())
        QVERIFY2(find<QLineEdit>(dlg, name)->maxLength() == 20, qPrintable(name));
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_work_types::idOutOfRange_data() {
    QTest::addColumn<QString>("id");
    QTest::newRow("5") << "5";
    QTest::newRow("0") << "0";
    QTest::newRow("-1") << "-1";
    QTest::newRow("not a number") << "a";
}

void Tst_work_types::idOutOfRange() {
    QFETCH(QString, id);
    TestProgram p;
    openSample();
    TfrmSalaryName dlg;
    dlg.prepare();
    QVERIFY(!enterId(dlg, id));
    QCOMPARE(p.messages.texts(), QStringList{kMsgIdRange});
    QCOMPARE(find<QLineEdit>(dlg, "txtName")->text(), QString());
    QVERIFY(!find<QPushButton>(dlg, "btnDlt")->isEnabled());
}

void Tst_work_types::emptyIdIsNotChecked() {
    TestProgram p;
    openSample();
    TfrmSalaryName dlg;
    dlg.prepare();
    QVERIFY(dlg.cmbSalaryIDExit());
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_work_types::loadsAStoredWorkType_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("listIndex");
    QTest::newRow("typed number") << "3" << -1;
    QTest::newRow("chosen item") << "" << 2;
}

void Tst_work_types::loadsAStoredWorkType() {
    QFETCH(QString, typed);
    QFETCH(int, listIndex);
    TestProgram p;
    openSample();
    TfrmSalaryName dlg;
    dlg.prepare();
    auto *combo = find<QComboBox>(dlg, "cmbSalaryID");
    if (listIndex >= 0) {
        combo->setCurrentIndex(listIndex);
        QVERIFY(dlg.cmbSalaryIDExit());
    } else {
        QVERIFY(enterId(dlg, typed));
    }
    QCOMPARE(combo->currentText(), QStringLiteral("3 : パート"));
    QCOMPARE(find<QLineEdit>(dlg, "txtName")->text(), QStringLiteral("パート"));
    QCOMPARE(find<QLineEdit>(dlg, "txtTeigi")->text(), QStringLiteral("時間給制（月額換算）"));
    QCOMPARE(find<QLineEdit>(dlg, "txtKihon1")->text(), QStringLiteral("基本給"));
    QCOMPARE(find<QLineEdit>(dlg, "txtKihon2")->text(), QString());
    QCOMPARE(find<QLineEdit>(dlg, "txtTeate5")->text(), QStringLiteral("通勤手当"));
    QVERIFY(find<QPushButton>(dlg, "btnDlt")->isEnabled());
    QVERIFY(!dlg.changed());
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_work_types::unknownIdStartsANewOne() {
    TestProgram p;
    openSample();
    exec(DM().ACN2, "delete" + kProject + " and SALARYID = 4");
    TfrmSalaryName dlg;
    dlg.prepare();
    QVERIFY(enterId(dlg, "2"));
    QVERIFY(enterId(dlg, "4"));
    QCOMPARE(find<QComboBox>(dlg, "cmbSalaryID")->currentText(), QStringLiteral("4"));
    QCOMPARE(find<QLineEdit>(dlg, "txtName")->text(), QString());
    QVERIFY(!find<QPushButton>(dlg, "btnDlt")->isEnabled());
}

void Tst_work_types::savingTwiceLeavesOneRow() {
    TestProgram p;
    openSample();
    TfrmSalaryName dlg;
    dlg.prepare();
    for (const QString &name : {QStringLiteral("契約社員A"), QStringLiteral("契約社員B")}) {
        QVERIFY(enterId(dlg, "2"));
        retype(find<QLineEdit>(dlg, "txtName"), name);
        QVERIFY(dlg.changed());
        click(dlg, "btnAdd");
        QCOMPARE(find<QComboBox>(dlg, "cmbSalaryID")->currentText(), QString());
        QVERIFY(!dlg.changed());
    }
    QCOMPARE(SqlValue(DM().ACN2, "select count(*)" + kProject + " and SALARYID = 2"), "1");
    QCOMPARE(SqlValue(DM().ACN2, "select count(*)" + kProject), "4");
    QCOMPARE(row(2), QStringLiteral("契約社員B|月給制|職能給|役割給|調整給|家族手当|通勤手当"));
    QCOMPARE(items(dlg)[1], QStringLiteral("2 : 契約社員B"));
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_work_types::quotesStoredIntact() {
    TestProgram p;
    openSample();
    TfrmSalaryName dlg;
    dlg.prepare();
    QVERIFY(enterId(dlg, "4"));
    retype(find<QLineEdit>(dlg, "txtName"), QStringLiteral("O'Neil's"));
    retype(find<QLineEdit>(dlg, "txtTeate5"), QStringLiteral("'); drop table X;--"));
    click(dlg, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(SqlValue(DM().ACN2, "select SALARYNAME" + kProject + " and SALARYID = 4"),
             QStringLiteral("O'Neil's"));
    QCOMPARE(SqlValue(DM().ACN2, "select TEATE5" + kProject + " and SALARYID = 4"),
             QStringLiteral("'); drop table X;--"));
    QCOMPARE(items(dlg)[3], QStringLiteral("4 : O'Neil's"));
}

void Tst_work_types::emptyCaptionsStoredEmpty() {
    TestProgram p;
    openSample();
    exec(DM().ACN2, "delete" + kProject + " and SALARYID = 4");
    TfrmSalaryName dlg;
    dlg.prepare();
    QVERIFY(enterId(dlg, "4"));
    typeText(find<QLineEdit>(dlg, "txtName"), QStringLiteral("アルバイト"));
    click(dlg, "btnAdd");
    QCOMPARE(row(4), QStringLiteral("アルバイト||||||"));
    LoadSalaryNames();
    SalaryCaptions captions;
    SetSalaryLabels(4, captions);
    QCOMPARE(captions.Kihon[1], QStringLiteral("基本給"));
    QCOMPARE(captions.Teate[1], QStringLiteral("手当"));
    QCOMPARE(captions.Kihon[2], QString());
}

void Tst_work_types::saveRefusals_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("no id") << ""
                           << "X" << kMsgIdRange;
    QTest::newRow("id 5") << "5"
                          << "X" << kMsgIdRange;
    QTest::newRow("blank name") << "1"
                                << "  " << QStringLiteral("就労形態を入力して下さい。");
}

void Tst_work_types::saveRefusals() {
    QFETCH(QString, id);
    QFETCH(QString, name);
    QFETCH(QString, message);
    TestProgram p;
    openSample();
    TfrmSalaryName dlg;
    dlg.prepare();
    const QString before = SqlColumn(DM().ACN2, "select * from SALARYNAME").join(',');
    auto *combo = find<QComboBox>(dlg, "cmbSalaryID");
    typeText(combo->lineEdit(), id); // typed, the box not yet left
    retype(find<QLineEdit>(dlg, "txtName"), name);
    click(dlg, "btnAdd");
    QCOMPARE(p.messages.texts(), QStringList{message});
    QCOMPARE(SqlColumn(DM().ACN2, "select * from SALARYNAME").join(','), before);
    QCOMPARE(row(1), QStringLiteral("正社員|月給制|職能給|役割給|調整給|家族手当|通勤手当"));
}

void Tst_work_types::failedSaveKeepsTheStoredRow() {
    TestProgram p;
    openSample();
    RefuseWrites(DM().ACN2, "FAIL_INS", "INSERT", "SALARYNAME");
    TfrmSalaryName dlg;
    dlg.prepare();
    QVERIFY(enterId(dlg, "1"));
    retype(find<QLineEdit>(dlg, "txtName"), QStringLiteral("新名称"));
    click(dlg, "btnAdd");
    QCOMPARE(p.messages.texts(), QStringList{kMsgSqlUnknown});
    // The delete before the failed insert is undone; the typed values stay on the screen.
    QCOMPARE(row(1), QStringLiteral("正社員|月給制|職能給|役割給|調整給|家族手当|通勤手当"));
    QCOMPARE(find<QLineEdit>(dlg, "txtName")->text(), QStringLiteral("新名称"));
    QVERIFY(dlg.changed());
}

void Tst_work_types::deleteAsksFirst_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes deletes") << true;
    QTest::newRow("no keeps") << false;
}

void Tst_work_types::deleteAsksFirst() {
    QFETCH(bool, yes);
    TestProgram p;
    openSample();
    TfrmSalaryName dlg;
    dlg.prepare();
    QVERIFY(enterId(dlg, "3"));
    p.messages.answer(yes);
    click(dlg, "btnDlt");
    QCOMPARE(p.messages.entries.size(), 1);
    QCOMPARE(p.messages.entries[0].kind, MessageRecorder::Kind::YesNo);
    QCOMPARE(p.messages.entries[0].caption, QStringLiteral("確認"));
    QCOMPARE(p.messages.entries[0].text, QStringLiteral("表示ﾃﾞｰﾀを削除してもいいですか？"));
    QCOMPARE(SqlValue(DM().ACN2, "select count(*)" + kProject + " and SALARYID = 3"),
             yes ? "0" : "1");
    QCOMPARE(SqlValue(DM().ACN2, "select count(*)" + kProject), yes ? "3" : "4");
    QCOMPARE(items(dlg).size(), yes ? 3 : 4);
    QCOMPARE(find<QLineEdit>(dlg, "txtName")->text(), yes ? QString() : QStringLiteral("パート"));
    QCOMPARE(find<QPushButton>(dlg, "btnDlt")->isEnabled(), !yes);
}

void Tst_work_types::cancelClearsTheFields() {
    TestProgram p;
    openSample();
    TfrmSalaryName dlg;
    dlg.prepare();
    QVERIFY(enterId(dlg, "1"));
    retype(find<QLineEdit>(dlg, "txtTeigi"), QStringLiteral("日給制"));
    click(dlg, "btnCancel");
    QCOMPARE(find<QComboBox>(dlg, "cmbSalaryID")->currentText(), QString());
    for (const QString &name : fieldNames())
        QCOMPARE(find<QLineEdit>(dlg, name)->text(), QString());
    QVERIFY(!dlg.changed());
    QVERIFY(!find<QPushButton>(dlg, "btnDlt")->isEnabled());
    QCOMPARE(row(1), QStringLiteral("正社員|月給制|職能給|役割給|調整給|家族手当|通勤手当"));
}

void Tst_work_types::closePrompt_data() {
    QTest::addColumn<bool>("change");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<bool>("staysOpen");
    QTest::newRow("unchanged") << false << false << false;
    QTest::newRow("changed, yes goes back") << true << true << true;
    QTest::newRow("changed, no closes") << true << false << false;
}

void Tst_work_types::closePrompt() {
    QFETCH(bool, change);
    QFETCH(bool, answerYes);
    QFETCH(bool, staysOpen);
    TestProgram p;
    openSample();
    TfrmSalaryName dlg;
    dlg.prepare();
    dlg.show();
    QVERIFY(enterId(dlg, "1"));
    if (change) typeText(find<QLineEdit>(dlg, "txtKihon3"), QStringLiteral("2"));
    p.messages.answer(answerYes);
    click(dlg, "btnClose");
    QCOMPARE(dlg.isVisible(), staysOpen);
    if (change)
        QCOMPARE(p.messages.texts(),
                 QStringList{QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r"
                                            "【いいえ】:画面を閉じます。")});
    else
        QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(row(1), QStringLiteral("正社員|月給制|職能給|役割給|調整給|家族手当|通勤手当"));
}

void Tst_work_types::lastAllowanceLeadsBackToTheName() {
    TestProgram p;
    openSample();
    TfrmSalaryName dlg;
    dlg.prepare();
    showActive(dlg);
    auto *combo = find<QComboBox>(dlg, "cmbSalaryID");
    combo->setFocus();
    typeText(combo->lineEdit(), QStringLiteral("2"));
    QTest::keyClick(combo, Qt::Key_Return); // Enter leaves the box, which loads id 2
    QTRY_COMPARE(find<QLineEdit>(dlg, "txtName")->text(), QStringLiteral("契約社員"));
    QTRY_VERIFY(find<QLineEdit>(dlg, "txtName")->hasFocus());
    auto *last = find<QLineEdit>(dlg, "txtTeate5");
    last->setFocus();
    QTest::keyClick(last, Qt::Key_Tab);
    QVERIFY(find<QLineEdit>(dlg, "txtName")->hasFocus());
    last->setFocus();
    QTest::keyClick(last, Qt::Key_Return);
    QVERIFY(find<QLineEdit>(dlg, "txtName")->hasFocus());
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_work_types::changesStayOffTheProjectFlag() {
    TestProgram p;
    openSample();
    TfrmSalaryName dlg;
    dlg.prepare();
    QVERIFY(enterId(dlg, "1"));
    typeText(find<QLineEdit>(dlg, "txtTeigi"), QStringLiteral("制"));
    QVERIFY(dlg.changed());
    QCOMPARE(G().gDataChanged, 0);
}

void Tst_work_types::fitsTheScreen() {
    TestProgram p;
    openSample();
    TfrmSalaryName dlg;
    dlg.prepare();
    dlg.show();
    for (const QSize size : {dlg.size(), dlg.minimumSizeHint()})
        QVERIFY2(size.width() <= kScreenBudget.width() && size.height() <= kScreenBudget.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
}

QTEST_MAIN(Tst_work_types)
#include "tst_work_types.moc"
