// The model data register: one record per model code, saved as a change of the stored record
// or a new one, with the remarks' line breaks kept, and the moves through the model list.

#include "model_data.h"
#include "screen_kit.h"
#include "state.h"
#include "test_program.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kMsgNoCode = QStringLiteral("モデルコードが入力されていません。");
const QString kMsgNoChange = QStringLiteral("ﾃﾞｰﾀの変更がありません。");

// Models 2, 4 and 6; the sample company compares itself with model 4.
void fixture() {
    exec(DM().ACN1, QStringLiteral("DELETE FROM MDEL"));
    for (int m : {2, 4, 6})
        exec(DM().ACN1, QStringLiteral("INSERT INTO MDEL (MDCO, MDNA, DEDOKORO, TCHIIKI, JSU, "
                                       "CJITEN, GYOUSYU, KIBO, BIKOU) VALUES (%1, 'モデル%1', "
                                       "'出所%1', '全国', %2, '6月', '産業計', '10人以上', "
                                       "'一行目\r\n二行目\r\n')")
                            .arg(m)
                            .arg(m * 1000));
    exec(DM().ACN2, QStringLiteral("UPDATE MKIGYOU2 SET MDCO = 4"));
}

QString stored(int mdco) {
    return SqlValue(DM().ACN1, QStringLiteral("SELECT MDNA || '|' || DEDOKORO || '|' || TCHIIKI "
                                              "|| '|' || JSU || '|' || CJITEN || '|' || GYOUSYU "
                                              "|| '|' || KIBO || '|' || BIKOU FROM MDEL WHERE "
                                              "MDCO = %1")
                                   .arg(mdco));
}

struct Screen {
    TNX0080 dlg;
    QComboBox *code = nullptr;
    QLineEdit *name = nullptr;
    QLineEdit *source = nullptr;
    QLineEdit *establishments = nullptr;
    QPlainTextEdit *remarks = nullptr;
    QLineEdit *currentNo = nullptr;
    QLineEdit *lastNo = nullptr;

    Screen() {
        dlg.prepare();
        showActive(dlg);
        code = find<QComboBox>(dlg, "cmbModelID");
        name = find<QLineEdit>(dlg, "txtSalaryName");
        source = find<QLineEdit>(dlg, "txtSyussyo");
        establishments = find<QLineEdit>(dlg, "txtJigyosyosuu");
        remarks = find<QPlainTextEdit>(dlg, "txtBikou");
        currentNo = find<QLineEdit>(dlg, "txtCureentNo");
        lastNo = find<QLineEdit>(dlg, "txtLastNo");
    }
    void chooseCode(const QString &text) {
        typeInto(code, text);
        leaveTo(name);
    }
};

} // namespace

class Tst_model_data : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheCompanyModel();
    void companyModelWithoutRecord();
    void saveWithoutChange();
    void zeroCodeIsRefused();
    void newModelIsInserted();
    void moveThenSaveUpdates();
    void remarksKeepTheirLineBreaks();
    void establishmentsMustBeAWholeNumber_data();
    void establishmentsMustBeAWholeNumber();
    void unknownCodeKeepsTheFields();
    void deleteAsks();
};

void Tst_model_data::opensOnTheCompanyModel() {
    TestProgram p;
    openSample();
    fixture();
    openSample();
    Screen s;
    QCOMPARE(s.dlg.windowTitle(), QStringLiteral("モデルデータ　登録"));
    QCOMPARE(s.code->currentText(), QStringLiteral("4"));
    QCOMPARE(s.name->text(), QStringLiteral("モデル4"));
    QCOMPARE(s.establishments->text(), QStringLiteral("4000"));
    QCOMPARE(s.remarks->toPlainText(), QStringLiteral("一行目\n二行目"));
    QCOMPARE(s.currentNo->text(), QStringLiteral("2"));
    QCOMPARE(s.lastNo->text(), QStringLiteral("3"));
    QCOMPARE(s.code->itemText(0), QStringLiteral("2 : モデル2"));
    QCOMPARE(s.dlg.editMode(), 2);
    QCOMPARE(G().gDataChanged, 0);
    QCOMPARE(G().gModelList.size(), size_t(3));
    QVERIFY(s.dlg.width() <= kScreenBudget.width() && s.dlg.height() <= kScreenBudget.height());
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_model_data::companyModelWithoutRecord() {
    TestProgram p;
    openSample();
    fixture();
    exec(DM().ACN2, QStringLiteral("UPDATE MKIGYOU2 SET MDCO = 5"));
    openSample();
    Screen s;
    QCOMPARE(s.code->currentText(), QString());
    QCOMPARE(s.name->text(), QString());
    QCOMPARE(s.establishments->text(), QStringLiteral("0"));
    QCOMPARE(s.dlg.editMode(), 1);
    typeInto(s.name, QStringLiteral("新しいモデル"));
    click(s.dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{kMsgNoCode});
    QCOMPARE(SqlValue(DM().ACN1, "SELECT count(*) FROM MDEL"), QStringLiteral("3"));
}

void Tst_model_data::saveWithoutChange() {
    TestProgram p;
    openSample();
    fixture();
    openSample();
    Screen s;
    click(s.dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{kMsgNoChange});
    QVERIFY(s.name->hasFocus());
}

void Tst_model_data::zeroCodeIsRefused() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    s.chooseCode(QStringLiteral("0"));
    QCOMPARE(shown(p.messages), QStringList{QStringLiteral("０　は、入力できません。")});
    QVERIFY(s.code->hasFocus());
}

void Tst_model_data::newModelIsInserted() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    click(s.dlg, "btnCancel");
    s.chooseCode(QStringLiteral("9"));
    QCOMPARE(s.code->currentText(), QStringLiteral("9 : 未登録"));
    QCOMPARE(s.dlg.editMode(), 1);
    typeInto(s.name, QStringLiteral("O'Brien \"モデル\""));
    typeInto(s.source, QStringLiteral("出所'"));
    typeInto(s.establishments, QStringLiteral("1,250"));
    leaveTo(s.name);
    click(s.dlg, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(stored(9), QStringLiteral("O'Brien \"モデル\"|出所'||1250||||"));
    QCOMPARE(s.lastNo->text(), QStringLiteral("4"));
    QCOMPARE(s.code->currentText(), QString());
    QVERIFY(s.code->hasFocus());
    QCOMPARE(G().gModelList.back().Name, QStringLiteral("O'Brien \"モデル\""));
}

void Tst_model_data::moveThenSaveUpdates() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    click(s.dlg, "btnNext");
    QCOMPARE(s.code->currentText(), QStringLiteral("6"));
    QCOMPARE(s.currentNo->text(), QStringLiteral("3"));
    QVERIFY(s.name->hasFocus());
    click(s.dlg, "btnFirst");
    QCOMPARE(s.code->currentText(), QStringLiteral("2"));
    typeInto(s.name, QStringLiteral("改名"));
    click(s.dlg, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(SqlValue(DM().ACN1, "SELECT count(*) FROM MDEL"), QStringLiteral("3"));
    QCOMPARE(stored(2),
             QStringLiteral("改名|出所2|全国|2000|6月|産業計|10人以上|一行目\r\n二行目\r\n"));
}

void Tst_model_data::remarksKeepTheirLineBreaks() {
    TestProgram p;
    openSample();
    fixture();
    openSample();
    Screen s;
    s.remarks->setFocus();
    s.remarks->selectAll();
    QTest::keyClick(s.remarks, Qt::Key_Delete);
    typeText(s.remarks, QStringLiteral("一"));
    QTest::keyClick(s.remarks, Qt::Key_Return);
    QTest::keyClick(s.remarks, Qt::Key_Return);
    typeText(s.remarks, QStringLiteral("三"));
    QVERIFY(s.remarks->hasFocus());
    click(s.dlg, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(SqlValue(DM().ACN1, "SELECT BIKOU FROM MDEL WHERE MDCO = 4"),
             QStringLiteral("一\r\n\r\n三\r\n"));
    // Loaded again, they show as three lines and save unchanged.
    s.chooseCode(QStringLiteral("4"));
    QCOMPARE(s.remarks->toPlainText(), QStringLiteral("一\n\n三"));
    QCOMPARE(RemarksToStored(RemarksToShown(QStringLiteral("a\r\n"))), QStringLiteral("a\r\n"));
    QCOMPARE(RemarksToStored(QString()), QString());
}

void Tst_model_data::establishmentsMustBeAWholeNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("letters") << "12a"
                             << "数値を入力してください。";
    QTest::newRow("fraction") << "1.5"
                              << "数値を入力してください。";
    QTest::newRow("too long") << "123456789"
                              << "入力範囲外です。";
}

void Tst_model_data::establishmentsMustBeAWholeNumber() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    TestProgram p;
    openSample();
    fixture();
    openSample();
    Screen s;
    typeInto(s.establishments, text);
    leaveTo(s.name);
    QCOMPARE(shown(p.messages), QStringList{message});
    QVERIFY(s.establishments->hasFocus());
    p.messages.clear();
    click(s.dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{message});
    QCOMPARE(SqlValue(DM().ACN1, "SELECT JSU FROM MDEL WHERE MDCO = 4"), QStringLiteral("4000"));
}

void Tst_model_data::unknownCodeKeepsTheFields() {
    TestProgram p;
    openSample();
    fixture();
    openSample();
    Screen s;
    // A new code starts from what the screen shows, so a model can be copied.
    s.chooseCode(QStringLiteral("8"));
    QCOMPARE(s.name->text(), QStringLiteral("モデル4"));
    typeInto(s.source, QStringLiteral("写し"));
    click(s.dlg, "btnAdd");
    QCOMPARE(stored(8),
             QStringLiteral("モデル4|写し|全国|4000|6月|産業計|10人以上|一行目\r\n二行目\r\n"));
    QCOMPARE(stored(4),
             QStringLiteral("モデル4|出所4|全国|4000|6月|産業計|10人以上|一行目\r\n二行目\r\n"));
}

void Tst_model_data::deleteAsks() {
    TestProgram p;
    openSample();
    fixture();
    openSample();
    Screen s;
    click(s.dlg, "btnDlt");
    QCOMPARE(p.messages.entries.size(), 1);
    QCOMPARE(p.messages.entries[0].caption, QStringLiteral("削除"));
    QVERIFY(s.name->hasFocus());
    QCOMPARE(SqlValue(DM().ACN1, "SELECT count(*) FROM MDEL"), QStringLiteral("3"));
    p.messages.answer(true);
    click(s.dlg, "btnDlt");
    QCOMPARE(SqlColumn(DM().ACN1, "SELECT MDCO FROM MDEL ORDER BY MDCO"), (QStringList{"2", "6"}));
    QCOMPARE(s.lastNo->text(), QStringLiteral("2"));
    p.messages.clear();
    click(s.dlg, "btnDlt");
    QCOMPARE(shown(p.messages), QStringList{kMsgNoCode});
}

QTEST_MAIN(Tst_model_data)
#include "tst_model_data.moc"
