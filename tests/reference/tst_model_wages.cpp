// The model wage register: the wage points of the company's model in the grid, a point chosen
// by its code, the grid or a move, saved as a change of the stored point or a new one.

#include "model_wages.h"
#include "screen_kit.h"
#include "state.h"
#include "test_program.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

const QString kMsgNoCode = QStringLiteral("モデル賃金コードが入力されていません。");
const QString kMsgNoChange = QStringLiteral("ﾃﾞｰﾀの変更がありません。");

// Model 3 of the sample company: wage codes 10, 20 and 30; model 8 has a point of its own.
void fixture() {
    exec(DM().ACN1, QStringLiteral("DELETE FROM MDCHINGIN"));
    const char *rows[] = {
        "3, 10, 22, 0, 0, 200, 220.5, 500, 3146, 1", "3, 20, 30, 8, 8, 260, 280, 700, 4060, 2",
        "3, 30, 40, 18, 18, 320, 350, 900, 5100, 1", "8, 10, 50, 28, 28, 400, 420, 1000, 6040, 1"};
    for (const char *r : rows)
        exec(DM().ACN1, QStringLiteral("INSERT INTO MDCHINGIN (MDCO, MCCO, NENREI, KNENSU, "
                                       "KKNENSU, KKIN, SKIN, SYOUYO, NENSYU, SENSYU) VALUES (") +
                            QLatin1String(r) + QLatin1Char(')'));
    exec(DM().ACN2, QStringLiteral("UPDATE MKIGYOU2 SET MDCO = 3"));
    openSample();
}

QString stored(int mdco, int mcco) {
    return SqlValue(DM().ACN1,
                    QStringLiteral("SELECT NENREI || '|' || KNENSU || '|' || KKNENSU || '|' || "
                                   "KKIN || '|' || SKIN || '|' || SYOUYO || '|' || NENSYU || '|' "
                                   "|| SENSYU FROM MDCHINGIN WHERE MDCO = %1 AND MCCO = %2")
                        .arg(mdco)
                        .arg(mcco));
}

struct Screen {
    TNX0060 dlg;
    QComboBox *code = nullptr;
    QLineEdit *age = nullptr;
    QLineEdit *service = nullptr;
    QComboBox *lineType = nullptr;
    QLineEdit *base = nullptr;
    QLineEdit *income = nullptr;
    QTableWidget *grid = nullptr;
    QLineEdit *currentNo = nullptr;
    QLineEdit *lastNo = nullptr;

    Screen() {
        dlg.prepare();
        showActive(dlg);
        code = find<QComboBox>(dlg, "cmbSalaryID");
        age = find<QLineEdit>(dlg, "txtNenrei");
        service = find<QLineEdit>(dlg, "txtKinzoku");
        lineType = find<QComboBox>(dlg, "cmbSensyu");
        base = find<QLineEdit>(dlg, "txtKihon");
        income = find<QLineEdit>(dlg, "txtNensyu");
        grid = find<QTableWidget>(dlg, "StringGrid1");
        currentNo = find<QLineEdit>(dlg, "txtCureentNo");
        lastNo = find<QLineEdit>(dlg, "txtLastNo");
    }
    void chooseCode(const QString &text) {
        typeInto(code, text);
        leaveTo(age);
    }
    // What the boxes show: age, service, experience, line type, the four amounts.
    QStringList boxes() {
        QStringList out{age->text(), service->text(), find<QLineEdit>(dlg, "txtKeiken")->text(),
                        lineType->currentText()};
        for (const char *b : {"txtKihon", "txtSyotei", "txtBonus", "txtNensyu"})
            out << find<QLineEdit>(dlg, b)->text();
        return out;
    }
    QStringList gridRow(int row) {
        QStringList out;
        for (int c = 0; c < grid->columnCount(); ++c)
            out << (grid->item(row, c) ? grid->item(row, c)->text() : QString());
        return out;
    }
};

const QStringList kCleared{"0", "0", "0", "0 : なし", "0", "0", "0", "0"};

} // namespace

class Tst_model_wages : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheModelsPoints();
    void chooseAPointByCode();
    void codeBoxRefusals_data();
    void codeBoxRefusals();
    void lineTypeBox_data();
    void lineTypeBox();
    void moveThenSaveUpdates();
    void newCodeIsInserted();
    void saveNeedsAChosenCode();
    void saveWithoutChange();
    void gridClickLoadsThePoint();
    void agesMustBeWholeNumbers();
    void deleteAsks();
    void cancelClears();
};

void Tst_model_wages::opensWithTheModelsPoints() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    QCOMPARE(s.dlg.windowTitle(), QStringLiteral("モデル賃金　登録"));
    QCOMPARE(s.boxes(), kCleared);
    QCOMPARE(s.code->currentText(), QString());
    QCOMPARE(s.code->count(), 3);
    QCOMPARE(s.code->itemText(1), QStringLiteral("20 : 30"));
    QCOMPARE(s.lineType->count(), 3);
    QCOMPARE(s.lineType->itemText(0), QStringLiteral("1 : 実線"));
    QCOMPARE(s.lineType->itemText(2), QStringLiteral("3 : 一点鎖線"));
    QCOMPARE(s.grid->columnCount(), 10);
    QCOMPARE(s.grid->rowCount(), 3);
    const QStringList headings{"",       "賃金ｺｰﾄﾞ", "年齢",   "勤続年数", "経験年数",
                               "基本給", "所定給",   "年賞与", "年収入",   "線　種"};
    const QList<int> widths{30, 60, 60, 60, 60, 70, 70, 70, 70, 55};
    for (int c = 0; c < 10; ++c) {
        QCOMPARE(s.grid->horizontalHeaderItem(c)->text(), headings[c]);
        QCOMPARE(s.grid->columnWidth(c), widths[c]);
    }
    QCOMPARE(s.gridRow(0),
             (QStringList{"1", "10", "22", "0", "0", "200", "220.5", "500", "3146", "1"}));
    QCOMPARE(s.lastNo->text(), QStringLiteral("3"));
    QCOMPARE(s.currentNo->text(), QString());
    QVERIFY(!s.dlg.rowHighlight());
    QCOMPARE(s.dlg.editMode(), 0);
    QVERIFY(s.dlg.width() <= kScreenBudget.width() && s.dlg.height() <= kScreenBudget.height());
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_model_wages::chooseAPointByCode() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    s.chooseCode(QStringLiteral("20"));
    QCOMPARE(s.boxes(), (QStringList{"30", "8", "8", "2 : 点線", "260", "280", "700", "4,060"}));
    QCOMPARE(s.dlg.editMode(), 2);
    QVERIFY(s.dlg.rowHighlight());
    QCOMPARE(s.grid->currentRow(), 1);
    QCOMPARE(G().gDataChanged, 0);
    // Code 10 of the other model is not this model's.
    s.chooseCode(QStringLiteral("40"));
    QCOMPARE(s.dlg.editMode(), 1);
    QCOMPARE(s.code->currentText(), QStringLiteral("40"));
}

void Tst_model_wages::codeBoxRefusals_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("zero") << "0"
                          << "０は、入力できません。";
    QTest::newRow("letters") << "a"
                             << "数値を入力してください。";
}

void Tst_model_wages::codeBoxRefusals() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    s.chooseCode(text);
    QCOMPARE(shown(p.messages), QStringList{message});
    QVERIFY(s.code->hasFocus());
}

void Tst_model_wages::lineTypeBox_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("four") << "4"
                          << "入力範囲外です。"
                          << "4";
    QTest::newRow("negative") << "-1"
                              << "入力範囲外です。"
                              << "-1";
    QTest::newRow("letters") << "x"
                             << "数値を入力してください。"
                             << "x";
    QTest::newRow("two") << "2"
                         << ""
                         << "2 : 点線";
    QTest::newRow("zero") << "0"
                          << ""
                          << "0 : なし";
    QTest::newRow("item") << "3 : 一点鎖線"
                          << ""
                          << "3 : 一点鎖線";
}

void Tst_model_wages::lineTypeBox() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QString, shown);
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    typeInto(s.lineType, text);
    leaveTo(s.base);
    QCOMPARE(::shown(p.messages), message.isEmpty() ? QStringList{} : QStringList{message});
    QCOMPARE(s.lineType->currentText(), shown);
    QCOMPARE(s.lineType->hasFocus(), !message.isEmpty());
}

void Tst_model_wages::moveThenSaveUpdates() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    click(s.dlg, "btnFirst");
    click(s.dlg, "btnNext");
    QCOMPARE(s.code->currentText(), QStringLiteral("20"));
    QCOMPARE(s.currentNo->text(), QStringLiteral("2"));
    QCOMPARE(s.dlg.editMode(), 2);
    typeInto(s.age, QStringLiteral("31"));
    typeInto(s.base, QStringLiteral("1,261.4"));
    leaveTo(s.age);
    QCOMPARE(s.base->text(), QStringLiteral("1,261"));
    click(s.dlg, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(SqlValue(DM().ACN1, "SELECT count(*) FROM MDCHINGIN WHERE MDCO = 3"),
             QStringLiteral("3"));
    QCOMPARE(stored(3, 20), QStringLiteral("31|8|8|1261|280|700|4060|2"));
    QCOMPARE(stored(8, 10), QStringLiteral("50|28|28|400|420|1000|6040|1"));
    QCOMPARE(s.boxes(), kCleared);
    QCOMPARE(s.gridRow(1)[2], QStringLiteral("31"));
}

void Tst_model_wages::newCodeIsInserted() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    s.chooseCode(QStringLiteral("25"));
    QCOMPARE(s.dlg.editMode(), 1);
    typeInto(s.age, QStringLiteral("35"));
    typeInto(s.lineType, QStringLiteral("3"));
    typeInto(s.income, QStringLiteral("5000"));
    click(s.dlg, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(stored(3, 25), QStringLiteral("35|0|0|0|0|0|5000|3"));
    QCOMPARE(s.grid->rowCount(), 4);
    QCOMPARE(s.gridRow(2)[1], QStringLiteral("25"));
    QCOMPARE(s.lastNo->text(), QStringLiteral("4"));
}

void Tst_model_wages::saveNeedsAChosenCode() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    typeInto(s.age, QStringLiteral("45"));
    click(s.dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{kMsgNoCode});
    QVERIFY(s.code->hasFocus());
    QCOMPARE(SqlValue(DM().ACN1, "SELECT count(*) FROM MDCHINGIN"), QStringLiteral("4"));
    // After a save the box is empty again: the next save needs a code as well.
    p.messages.clear();
    s.chooseCode(QStringLiteral("10"));
    typeInto(s.age, QStringLiteral("23"));
    click(s.dlg, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    typeInto(s.age, QStringLiteral("24"));
    click(s.dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{kMsgNoCode});
    QCOMPARE(stored(3, 10).section('|', 0, 0), QStringLiteral("23"));
}

void Tst_model_wages::saveWithoutChange() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    s.chooseCode(QStringLiteral("10"));
    click(s.dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{kMsgNoChange});
    QVERIFY(s.code->hasFocus());
}

void Tst_model_wages::gridClickLoadsThePoint() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    s.dlg.StringGrid1Click(3, 2);
    QCOMPARE(s.code->currentText(), QStringLiteral("30"));
    QCOMPARE(s.currentNo->text(), QStringLiteral("3"));
    QCOMPARE(s.boxes()[0], QStringLiteral("40"));
    QVERIFY(s.dlg.rowHighlight());
    // The number column and the heading do nothing.
    s.dlg.StringGrid1Click(1, 0);
    s.dlg.StringGrid1Click(0, 2);
    QCOMPARE(s.code->currentText(), QStringLiteral("30"));
    // A click on the grid itself does the same.
    const QRect cell = s.grid->visualItemRect(s.grid->item(0, 3));
    QTest::mouseClick(s.grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(s.code->currentText(), QStringLiteral("10"));
    QCOMPARE(s.grid->currentRow(), 0);
}

void Tst_model_wages::agesMustBeWholeNumbers() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    s.chooseCode(QStringLiteral("10"));
    typeInto(s.service, QStringLiteral("2.5"));
    leaveTo(s.age);
    QCOMPARE(shown(p.messages), QStringList{QStringLiteral("数値を入力してください。")});
    QVERIFY(s.service->hasFocus());
    p.messages.clear();
    click(s.dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{QStringLiteral("数値を入力してください。")});
    QCOMPARE(stored(3, 10).section('|', 1, 1), QStringLiteral("0"));
}

void Tst_model_wages::deleteAsks() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    click(s.dlg, "btnDlt");
    QCOMPARE(shown(p.messages), QStringList{kMsgNoCode});
    p.messages.clear();
    s.chooseCode(QStringLiteral("20"));
    click(s.dlg, "btnDlt");
    QCOMPARE(p.messages.entries.size(), 1);
    QCOMPARE(p.messages.entries[0].caption, QStringLiteral("削除"));
    QVERIFY(s.age->hasFocus());
    p.messages.answer(true);
    click(s.dlg, "btnDlt");
    QCOMPARE(SqlColumn(DM().ACN1, "SELECT MDCO || '/' || MCCO FROM MDCHINGIN ORDER BY MDCO, MCCO"),
             (QStringList{"3/10", "3/30", "8/10"}));
    QCOMPARE(s.grid->rowCount(), 2);
}

void Tst_model_wages::cancelClears() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    s.chooseCode(QStringLiteral("30"));
    typeInto(s.age, QStringLiteral("44"));
    click(s.dlg, "btnCancel");
    QCOMPARE(s.boxes(), kCleared);
    QVERIFY(!s.dlg.rowHighlight());
    QCOMPARE(G().gDataChanged, 0);
    QVERIFY(s.code->hasFocus());
    QCOMPARE(stored(3, 30).section('|', 0, 0), QStringLiteral("40"));
}

QTEST_MAIN(Tst_model_wages)
#include "tst_model_wages.moc"
