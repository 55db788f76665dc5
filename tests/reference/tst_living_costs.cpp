// The standard living cost register: a code's rows in six slots, the checks of a save, the
// replacement of a code's rows in one transaction, the moves through the code list and the
// prompts. Each test files its own living-cost codes, so the shipped figures do not matter.

#include "living_costs.h"
#include "register_kit.h"
#include "screen_kit.h"
#include "state.h"
#include "test_program.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kMsgNoCode = QStringLiteral("生計費コードが入力されていません。");
const QString kMsgNoSize = QStringLiteral("世帯人員が入力されていません。");
const QString kMsgDuplicate = QStringLiteral("世帯人員，年齢が重複しています。");
const QString kAskDelete =
    QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r【いいえ】:戻ります。");

// A row of a fixture code: size, age, cost, and the texts of the code.
void addRow(int skco, int snin, int age, double cost, double kkritsu = 1.0,
            const QString &source = QStringLiteral("人事院")) {
    exec(DM().ACN2, QStringLiteral("INSERT INTO MSEIKEI (KCO, NENDO, SKCO, SNIN, SNENREI, "
                                   "SEIKEIHI, YURITSU, STRITSU, TNRITSU, KKRITSU, DEDOKORO, "
                                   "TCHIIKI, CJITEN, NSUCHI) VALUES (9, 2001, %1, %2, %3, %4, "
                                   "1.25, 0.8, 0.5, %5, '%6', '全国', '4月', '月額')")
                        .arg(skco)
                        .arg(snin)
                        .arg(age)
                        .arg(cost)
                        .arg(kkritsu)
                        .arg(source));
}

// Codes 1 (two rows, the company's code), 3 (sizes 1 and 3) and 5 (eight rows, entered out
// of order).
void fixture() {
    exec(DM().ACN2, QStringLiteral("DELETE FROM MSEIKEI"));
    addRow(1, 1, 22, 119.11);
    addRow(1, 2, 30, 150.64);
    addRow(3, 3, 35, 184.74, 1.0, QStringLiteral("東京都"));
    addRow(3, 1, 20, 120, 1.0, QStringLiteral("東京都"));
    const int rows[8][2] = {{4, 40}, {1, 20}, {3, 30}, {2, 25}, {6, 50}, {5, 45}, {2, 24}, {7, 55}};
    for (const auto &r : rows)
        addRow(5, r[0], r[1], 100 + r[1], 1.0, QStringLiteral("県"));
}

QStringList storedRows(int skco) {
    return SqlRows(DM().ACN2, QStringLiteral("SELECT KCO, NENDO, SNIN, SNENREI, SEIKEIHI, "
                                             "YURITSU, STRITSU, TNRITSU, KKRITSU, DEDOKORO, "
                                             "TCHIIKI, CJITEN, NSUCHI FROM MSEIKEI WHERE SKCO = "
                                             "%1 ORDER BY SNIN, SNENREI, rowid")
                                  .arg(skco));
}

struct Screen {
    TNX0050 dlg;
    QComboBox *code = nullptr;
    QLineEdit *currentNo = nullptr;
    QLineEdit *lastNo = nullptr;
    QLineEdit *kake = nullptr;
    QLineEdit *syussyo = nullptr;

    Screen() {
        dlg.prepare();
        showActive(dlg);
        code = find<QComboBox>(dlg, "cmbSeikeiID");
        currentNo = find<QLineEdit>(dlg, "txtCureentNo");
        lastNo = find<QLineEdit>(dlg, "txtLastNo");
        kake = find<QLineEdit>(dlg, "txtKakeRitsu");
        syussyo = find<QLineEdit>(dlg, "txtSyussyo");
    }
    QLineEdit *box(const char *prefix, int n) {
        return find<QLineEdit>(dlg, QString::fromLatin1(prefix) + QString::number(n));
    }
    // Types into a box and leaves it for the multiplier (or the first size).
    void enter(QLineEdit *e, const QString &text) {
        typeInto(e, text);
        leaveTo(e == kake ? box("txtSyotaisu", 1) : kake);
    }
    void chooseCode(const QString &text) {
        typeInto(code, text);
        leaveTo(box("txtSyotaisu", 1));
    }
    // The texts of slot n: size, age, cost, three rates.
    QStringList slot(int n) {
        QStringList out;
        for (const char *p :
             {"txtSyotaisu", "txtNenrei", "txtSeikeihi", "txtYuraku", "txtMin", "txtTanshin"})
            out << box(p, n)->text();
        return out;
    }
    QStringList sizes() {
        QStringList out;
        for (int n = 1; n <= TNX0050::kSlots; ++n)
            out << box("txtSyotaisu", n)->text();
        return out;
    }
};

} // namespace

class Tst_living_costs : public QObject {
    Q_OBJECT
private slots:
    void moveIndex_data();
    void moveIndex();
    void opensOnTheCompanyCode();
    void saveAfterClearingRemovesTheCode();
    void sizeZeroWithACostIsRefused();
    void duplicates_data();
    void duplicates();
    void eightRowsShownAsSixAndSavedAsSix();
    void sizesContinueAfterTheLoadedRows();
    void unknownCodeIsCreated();
    void multiplierWithThousandsSeparator();
    void codeBoxRefusals_data();
    void codeBoxRefusals();
    void numberBoxRefusals_data();
    void numberBoxRefusals();
    void quotesAreStoredIntact();
    void failedSaveKeepsTheStoredRows();
    void deleteNeedsALoadedCode();
    void moves_data();
    void moves();
    void moveAsksWhenChanged();
    void closeAsksWhenChanged();
};

void Tst_living_costs::moveIndex_data() {
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<int>("shown"); // -1: no code shown
    QTest::addColumn<int>("move");
    QTest::addColumn<int>("index");
    const QList<int> codes{2, 4, 9};
    const int first = int(Move::First), back = int(Move::Back), next = int(Move::Next),
              last = int(Move::Last);
    QTest::newRow("empty list") << QList<int>{} << -1 << first << -1;
    QTest::newRow("first") << codes << 9 << first << 0;
    QTest::newRow("last") << codes << 2 << last << 2;
    QTest::newRow("back from the middle") << codes << 4 << back << 0;
    QTest::newRow("back from the first") << codes << 2 << back << -1;
    QTest::newRow("back without a code") << codes << -1 << back << 0;
    QTest::newRow("back from an unlisted code") << codes << 7 << back << 0;
    QTest::newRow("next from the middle") << codes << 4 << next << 2;
    QTest::newRow("next from the last") << codes << 9 << next << -1;
    QTest::newRow("next without a code") << codes << -1 << next << 2;
    QTest::newRow("next from an unlisted code") << codes << 3 << next << 2;
}

void Tst_living_costs::moveIndex() {
    QFETCH(QList<int>, codes);
    QFETCH(int, shown);
    QFETCH(int, move);
    QFETCH(int, index);
    const std::vector<int> list(codes.begin(), codes.end());
    QCOMPARE(MoveIndex(list, shown < 0 ? std::nullopt : std::optional<int>(shown), Move(move)),
             index);
}

void Tst_living_costs::opensOnTheCompanyCode() {
    TestProgram p;
    openSample();
    fixture();
    QCOMPARE(G().gMkigyou2.Skco, 1);
    Screen s;
    QCOMPARE(s.dlg.windowTitle(), QStringLiteral("標準生計費　登録"));
    QCOMPARE(s.code->currentText(), QStringLiteral("1"));
    QCOMPARE(s.slot(1), (QStringList{"1", "22", "119", "1.25", "0.80", "0.50"}));
    QCOMPARE(s.slot(2), (QStringList{"2", "30", "151", "1.25", "0.80", "0.50"}));
    QCOMPARE(s.slot(3), (QStringList{"3", "0", "0", "0", "0", "0"}));
    QCOMPARE(s.kake->text(), QStringLiteral("1"));
    QCOMPARE(s.syussyo->text(), QStringLiteral("人事院"));
    QCOMPARE(s.currentNo->text(), QStringLiteral("1"));
    QCOMPARE(s.lastNo->text(), QStringLiteral("3"));
    QCOMPARE(s.code->count(), 3);
    QCOMPARE(s.code->itemText(1), QStringLiteral("3 : 東京都"));
    // Opening leaves nothing loaded for the delete, and nothing changed.
    QCOMPARE(s.dlg.editMode(), 0);
    QCOMPARE(G().gDataChanged, 0);
    QCOMPARE(s.box("txtSyotaisu", 1)->maxLength(), 2);
    QCOMPARE(s.box("txtNenrei", 1)->maxLength(), 5);
    QCOMPARE(s.box("txtSeikeihi", 6)->maxLength(), 8);
    QCOMPARE(s.kake->maxLength(), 6);
    QCOMPARE(s.syussyo->maxLength(), 30);
    const QList<QPair<const char *, QString>> buttons{
        {"btnAdd", "登　録"}, {"btnDlt", "削　除"}, {"btnCansel", "ｷｬﾝｾﾙ"}, {"btnClose", "閉じる"}};
    for (const auto &[name, caption] : buttons)
        QCOMPARE(find<QPushButton>(s.dlg, name)->text(), caption);
    QVERIFY(s.dlg.width() <= kScreenBudget.width() && s.dlg.height() <= kScreenBudget.height());
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_living_costs::saveAfterClearingRemovesTheCode() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    s.chooseCode(QStringLiteral("3"));
    QCOMPARE(s.dlg.editMode(), 2);
    // Every slot back to its cleared values: the sizes 1 to 6, everything else 0.
    for (int n = 1; n <= 2; ++n)
        for (const char *b : {"txtNenrei", "txtSeikeihi", "txtYuraku", "txtMin", "txtTanshin"})
            s.enter(s.box(b, n), QStringLiteral("0"));
    click(s.dlg, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(storedRows(3), QStringList{});
    QCOMPARE(s.code->count(), 2);
    QCOMPARE(s.code->currentText(), QString());
    QCOMPARE(s.sizes(), (QStringList{"1", "2", "3", "4", "5", "6"}));
    QCOMPARE(G().gDataChanged, 0);
}

void Tst_living_costs::sizeZeroWithACostIsRefused() {
    TestProgram p;
    openSample();
    fixture();
    const QStringList before = storedRows(1);
    Screen s;
    s.chooseCode(QStringLiteral("1"));
    s.enter(s.box("txtSyotaisu", 3), QStringLiteral("0"));
    s.enter(s.box("txtSeikeihi", 3), QStringLiteral("120"));
    click(s.dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{kMsgNoSize});
    QCOMPARE(storedRows(1), before);
    QVERIFY(s.box("txtSyotaisu", 3)->hasFocus());
}

void Tst_living_costs::duplicates_data() {
    QTest::addColumn<QString>("age");
    QTest::addColumn<bool>("refused");
    QTest::newRow("same size and age") << "35" << true;
    QTest::newRow("same size, age 0") << "0" << false;
}

void Tst_living_costs::duplicates() {
    QFETCH(QString, age);
    QFETCH(bool, refused);
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    s.chooseCode(QStringLiteral("8"));
    for (int n : {1, 2}) {
        s.enter(s.box("txtSyotaisu", n), QStringLiteral("2"));
        s.enter(s.box("txtNenrei", n), age);
        s.enter(s.box("txtSeikeihi", n), QString::number(200 + n));
    }
    click(s.dlg, "btnAdd");
    if (refused) {
        QCOMPARE(shown(p.messages), QStringList{kMsgDuplicate});
        QCOMPARE(storedRows(8), QStringList{});
    } else {
        QVERIFY(p.messages.entries.isEmpty());
        QCOMPARE(SqlColumn(DM().ACN2, "SELECT SNIN || '/' || SNENREI || '/' || SEIKEIHI FROM "
                                      "MSEIKEI WHERE SKCO = 8 ORDER BY rowid"),
                 (QStringList{"2/0/201", "2/0/202"}));
    }
}

void Tst_living_costs::eightRowsShownAsSixAndSavedAsSix() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    s.chooseCode(QStringLiteral("5"));
    QCOMPARE(s.code->currentText(), QStringLiteral("5 : 県"));
    QCOMPARE(s.sizes(), (QStringList{"1", "2", "2", "3", "4", "5"}));
    QCOMPARE(s.slot(2).mid(0, 3), (QStringList{"2", "24", "124"}));
    QCOMPARE(s.slot(3).mid(0, 3), (QStringList{"2", "25", "125"}));
    click(s.dlg, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    // The six shown replace all eight, written under the open project.
    QCOMPARE(SqlColumn(DM().ACN2, "SELECT KCO || '/' || NENDO || '/' || SNIN || '/' || SNENREI "
                                  "FROM MSEIKEI WHERE SKCO = 5 ORDER BY rowid"),
             (QStringList{"1/2018/1/20", "1/2018/2/24", "1/2018/2/25", "1/2018/3/30", "1/2018/4/40",
                          "1/2018/5/45"}));
}

void Tst_living_costs::sizesContinueAfterTheLoadedRows() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    s.chooseCode(QStringLiteral("3"));
    QCOMPARE(s.sizes(), (QStringList{"1", "3", "4", "5", "6", "7"}));
    QCOMPARE(s.slot(4).mid(1), (QStringList{"0", "0", "0", "0", "0"}));
    QCOMPARE(s.currentNo->text(), QStringLiteral("2"));
}

void Tst_living_costs::unknownCodeIsCreated() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    s.chooseCode(QStringLiteral("7"));
    QCOMPARE(s.code->currentText(), QStringLiteral("7 : 未登録"));
    QCOMPARE(s.dlg.editMode(), 1);
    QCOMPARE(s.sizes(), (QStringList{"1", "2", "3", "4", "5", "6"}));
    QCOMPARE(s.slot(1).mid(1), (QStringList{"0", "0", "0", "0", "0"}));
    QCOMPARE(s.currentNo->text(), QString());
    QCOMPARE(G().gDataChanged, 0);
    s.enter(s.box("txtNenrei", 1), QStringLiteral("25"));
    s.enter(s.box("txtSeikeihi", 1), QStringLiteral("1,234.5"));
    QCOMPARE(s.box("txtSeikeihi", 1)->text(), QStringLiteral("1,235"));
    s.enter(s.box("txtYuraku", 1), QStringLiteral("1.255"));
    QCOMPARE(s.box("txtYuraku", 1)->text(), QStringLiteral("1.26"));
    typeInto(s.syussyo, QStringLiteral("新しい出所"));
    QCOMPARE(G().gDataChanged, 1);
    click(s.dlg, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    // The value typed is stored, not the rounded text shown.
    QCOMPARE(storedRows(7), QStringList{"1|2018|1|25|1234.5|1.255|0|0|0|新しい出所|||"});
    QCOMPARE(s.code->itemText(3), QStringLiteral("7 : 新しい出所"));
    QCOMPARE(s.lastNo->text(), QStringLiteral("4"));
}

void Tst_living_costs::multiplierWithThousandsSeparator() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    s.chooseCode(QStringLiteral("3"));
    s.enter(s.kake, QStringLiteral("1234.5"));
    QCOMPARE(s.kake->text(), QStringLiteral("1,234.500"));
    click(s.dlg, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(SqlColumn(DM().ACN2, "SELECT KKRITSU FROM MSEIKEI WHERE SKCO = 3"),
             (QStringList{"1234.5", "1234.5"}));
}

void Tst_living_costs::codeBoxRefusals_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("zero") << "0"
                          << "０　は、入力できません。";
    QTest::newRow("zeros") << "00"
                           << "０　は、入力できません。";
    QTest::newRow("letters") << "ab"
                             << "数値を入力してください。";
}

void Tst_living_costs::codeBoxRefusals() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    s.chooseCode(text);
    QCOMPARE(shown(p.messages), QStringList{message});
    QVERIFY(s.code->hasFocus());
    // The screen still shows the code it opened with.
    QCOMPARE(s.slot(1).mid(0, 2), (QStringList{"1", "22"}));
}

void Tst_living_costs::numberBoxRefusals_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("fractional age") << "txtNenrei1"
                                    << "2.5"
                                    << "数値を入力してください。";
    QTest::newRow("age too long") << "txtNenrei2"
                                  << "1000"
                                  << "入力範囲外です。";
    QTest::newRow("cost too long") << "txtSeikeihi1"
                                   << "1234567"
                                   << "入力範囲外です。";
    QTest::newRow("rate not a number") << "txtMin3"
                                       << "0.8x"
                                       << "数値を入力してください。";
}

void Tst_living_costs::numberBoxRefusals() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, message);
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    s.chooseCode(QStringLiteral("1"));
    const QStringList before = storedRows(1);
    auto *e = find<QLineEdit>(s.dlg, box);
    s.enter(e, text);
    QCOMPARE(shown(p.messages), QStringList{message});
    QVERIFY(e->hasFocus());
    QCOMPARE(e->text(), text);
    p.messages.clear();
    click(s.dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{message});
    QCOMPARE(storedRows(1), before);
}

void Tst_living_costs::quotesAreStoredIntact() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    s.chooseCode(QStringLiteral("1"));
    typeInto(s.syussyo, QStringLiteral("人事院 'R6' \"全国\""));
    click(s.dlg, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(SqlColumn(DM().ACN2, "SELECT DISTINCT DEDOKORO FROM MSEIKEI WHERE SKCO = 1"),
             QStringList{QStringLiteral("人事院 'R6' \"全国\"")});
}

void Tst_living_costs::failedSaveKeepsTheStoredRows() {
    TestProgram p;
    openSample();
    fixture();
    const QStringList before = storedRows(5);
    RefuseWrites(DM().ACN2, "refuse_five", "INSERT", "MSEIKEI", "NEW.SNIN = 5");
    Screen s;
    s.chooseCode(QStringLiteral("5"));
    click(s.dlg, "btnAdd");
    QCOMPARE(shown(p.messages),
             QStringList{QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。")});
    QCOMPARE(storedRows(5), before);
    // The screen keeps what it showed, so the user can try again.
    QCOMPARE(s.code->currentText(), QStringLiteral("5 : 県"));
}

void Tst_living_costs::deleteNeedsALoadedCode() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    // Right after opening nothing is loaded for the delete.
    click(s.dlg, "btnDlt");
    QVERIFY(p.messages.entries.isEmpty());
    QVERIFY(s.code->hasFocus());
    QCOMPARE(storedRows(1).size(), 2);

    s.chooseCode(QStringLiteral("3"));
    click(s.dlg, "btnDlt");
    QCOMPARE(shown(p.messages), QStringList{kAskDelete});
    QCOMPARE(p.messages.entries[0].caption, QStringLiteral("削除"));
    QCOMPARE(storedRows(3).size(), 2);
    QVERIFY(s.box("txtSyotaisu", 1)->hasFocus());

    p.messages.clear();
    p.messages.answer(true);
    click(s.dlg, "btnDlt");
    QCOMPARE(storedRows(3), QStringList{});
    QCOMPARE(s.lastNo->text(), QStringLiteral("2"));
    QCOMPARE(s.code->currentText(), QString());

    p.messages.clear();
    click(s.dlg, "btnDlt");
    QCOMPARE(shown(p.messages), QStringList{kMsgNoCode});
}

void Tst_living_costs::moves_data() {
    QTest::addColumn<QString>("from"); // code box text before the move
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("code"); // shown after the move; "" when nothing moved
    QTest::addColumn<QString>("position");
    QTest::newRow("first") << "5"
                           << "btnFirst"
                           << "1"
                           << "1";
    QTest::newRow("last") << "1"
                          << "btnLast"
                          << "5"
                          << "3";
    QTest::newRow("next") << "1"
                          << "btnNext"
                          << "3"
                          << "2";
    QTest::newRow("back") << "5"
                          << "btnBack"
                          << "3"
                          << "2";
    QTest::newRow("back from the first") << "1"
                                         << "btnBack"
                                         << ""
                                         << "1";
    QTest::newRow("next from the last") << "5"
                                        << "btnNext"
                                        << ""
                                        << "3";
    QTest::newRow("back from nothing") << ""
                                       << "btnBack"
                                       << "1"
                                       << "1";
    QTest::newRow("next from nothing") << ""
                                       << "btnNext"
                                       << "5"
                                       << "3";
}

void Tst_living_costs::moves() {
    QFETCH(QString, from);
    QFETCH(QString, button);
    QFETCH(QString, code);
    QFETCH(QString, position);
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    if (from.isEmpty())
        click(s.dlg, "btnCansel");
    else
        s.chooseCode(from);
    click(s.dlg, button);
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(s.code->currentText(), code.isEmpty() ? from : code);
    QCOMPARE(s.currentNo->text(), position);
    if (code.isEmpty()) return;
    QCOMPARE(s.dlg.editMode(), 2);
    QVERIFY(s.box("txtSyotaisu", 1)->hasFocus());
    // A move then a save rewrites that code's rows; no other code changes.
    const QStringList others =
        SqlRows(DM().ACN2, "SELECT * FROM MSEIKEI WHERE SKCO <> " + code + " ORDER BY rowid");
    s.enter(s.box("txtNenrei", 1), QStringLiteral("19"));
    click(s.dlg, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(SqlValue(DM().ACN2, "SELECT SNENREI FROM MSEIKEI WHERE SKCO = " + code +
                                     " ORDER BY SNIN, SNENREI LIMIT 1"),
             QStringLiteral("19"));
    QCOMPARE(SqlRows(DM().ACN2, "SELECT * FROM MSEIKEI WHERE SKCO <> " + code + " ORDER BY rowid"),
             others);
}

void Tst_living_costs::moveAsksWhenChanged() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    s.chooseCode(QStringLiteral("1"));
    s.enter(s.box("txtSeikeihi", 1), QStringLiteral("130"));
    p.messages.answer(true);
    click(s.dlg, "btnNext");
    QCOMPARE(shown(p.messages),
             QStringList{QStringLiteral(
                 "ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:次のデータ　へ。")});
    QCOMPARE(p.messages.entries[0].caption, QStringLiteral("確認"));
    // Yes keeps the user on the changed code.
    QCOMPARE(s.box("txtSeikeihi", 1)->text(), QStringLiteral("130"));
    QVERIFY(s.box("txtSyotaisu", 1)->hasFocus());
    p.messages.clear();
    p.messages.answer(false);
    click(s.dlg, "btnLast");
    QCOMPARE(s.code->currentText(), QStringLiteral("5"));
    QCOMPARE(G().gDataChanged, 0);
    QCOMPARE(storedRows(1).first().split('|')[4], QStringLiteral("119.11"));
}

void Tst_living_costs::closeAsksWhenChanged() {
    TestProgram p;
    openSample();
    fixture();
    Screen s;
    typeInto(s.syussyo, QStringLiteral("x"));
    p.messages.answer(true);
    click(s.dlg, "btnClose");
    QCOMPARE(shown(p.messages),
             QStringList{QStringLiteral(
                 "ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:画面を閉じます。")});
    QVERIFY(s.dlg.isVisible());
    p.messages.clear();
    p.messages.answer(false);
    click(s.dlg, "btnClose");
    QVERIFY(!s.dlg.isVisible());
    QCOMPARE(G().gDataChanged, 0);
    // Shown again, it starts over from the company's code.
    s.dlg.prepare();
    QCOMPARE(s.syussyo->text(), QStringLiteral("人事院"));
}

QTEST_MAIN(Tst_living_costs)
#include "tst_living_costs.moc"
