// The band names: id, name, definition and matrix of every band of the project, with the list
// of stored bands and the moves through it.

#include "band_names.h"
#include "screen_kit.h"
#include "state.h"
#include "test_program.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

namespace {

const QString kMsgBadId = QStringLiteral("バンドIDの入力エラーです。");
const QString kMsgNoMatrix = QStringLiteral("マトリクスを選択して下さい。");
const QString kAskDelete =
    QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r【いいえ】:戻ります。");
const QString kMsgSqlFailed = QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。");
const QString kProject = QStringLiteral(" where KCO = 1 and NENDO = 2018");

// The amounts of a band as stored: everything band creation computes.
const QString kAmounts = QStringLiteral(
    "基準賃金, 下限率, 上限率, スプレッド, レンジ, 下限額1, 上限額1, 下限額2, 上限額2, "
    "下限額3, 上限額3, 下限額4, 上限額4, 下限額5, 上限額5");

// "BANDID|BANDNAME|TEIGI|MATRIXID|TITLE|MARUME" of one stored band, empty when there is none.
QString storedBand(int id) {
    return SqlValue(DM().ACN2, "select BANDID || '|' || BANDNAME || '|' || TEIGI || '|' || "
                               "MATRIXID || '|' || TITLE || '|' || MARUME from BANDM" +
                                   kProject + QStringLiteral(" and BANDID = %1").arg(id));
}

QStringList storedAmounts(int id) {
    return SqlRows(DM().ACN2, "select " + kAmounts + " from BANDM" + kProject +
                                  QStringLiteral(" and BANDID = %1").arg(id));
}

// Every stored band of the project, whole rows in id order.
QStringList allBands() {
    return SqlRows(DM().ACN2, "select * from BANDM" + kProject + " order by BANDID");
}

// Only the bands up to `last` stay stored.
void keepBands(int last) {
    exec(DM().ACN2, "delete from BANDM" + kProject + QStringLiteral(" and BANDID > %1").arg(last));
}

struct Screen {
    TfrmBandName dlg;
    QComboBox *id = nullptr;
    QLineEdit *name = nullptr;
    QLineEdit *teigi = nullptr;
    QComboBox *matrix = nullptr;
    QTableWidget *grid = nullptr;
    QLineEdit *currentNo = nullptr;
    QLineEdit *lastNo = nullptr;

    // Prepares the screen and shows it, as the main window does.
    Screen() {
        dlg.prepare();
        showActive(dlg);
        id = find<QComboBox>(dlg, "cmbBandID");
        name = find<QLineEdit>(dlg, "txtBandName");
        teigi = find<QLineEdit>(dlg, "txtTeigi");
        matrix = find<QComboBox>(dlg, "cmbMatrix");
        grid = find<QTableWidget>(dlg, "StringGrid1");
        currentNo = find<QLineEdit>(dlg, "txtCureentNo");
        lastNo = find<QLineEdit>(dlg, "txtLastNo");
    }

    // Types an id and leaves the box for the name.
    void enterId(const QString &text) {
        typeInto(id, text);
        leaveTo(name);
    }

    void chooseMatrix(int matrixId) {
        for (int i = 0; i < matrix->count(); ++i)
            if (matrix->itemText(i).startsWith(QString::number(matrixId) + " : "))
                matrix->setCurrentIndex(i);
    }

    // The texts of list row `row` (from 0), columns 1..4.
    QStringList gridRow(int row) const {
        QStringList out;
        for (int c = 1; c < grid->columnCount(); ++c) {
            const QTableWidgetItem *cell = grid->item(row, c);
            out << (cell ? cell->text() : QStringLiteral("<none>"));
        }
        return out;
    }

    // What the inputs show: id, name, definition, matrix, position.
    QStringList inputs() const {
        return {id->currentText(), name->text(), teigi->text(), matrix->currentText(),
                currentNo->text()};
    }
};

QStringList items(const QComboBox *combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

const QStringList kEmptyInputs{"", "", "", "", ""};

// What the inputs show for sample band n at position n.
QStringList sampleInputs(int n) {
    static const QStringList names{"一般職Ⅰ", "一般職Ⅱ", "主任・係長", "課長代理",
                                   "課長",    "次長",    "部長"};
    static const QStringList teigi{
        "定型業務を指示に従って正確に遂行する", "担当業務を自らの判断で遂行する",
        "小集団を指導し業務を推進する",         "課長を補佐し課の業務を取りまとめる",
        "課を運営し目標の達成に責任を持つ",     "部長を補佐し複数の課を統括する",
        "部門の方針を定め成果に責任を持つ"};
    static const QStringList matrices{"1 : 一般職マトリクス", "1 : 一般職マトリクス",
                                      "2 : 中堅職マトリクス", "2 : 中堅職マトリクス",
                                      "3 : 管理職マトリクス", "3 : 管理職マトリクス",
                                      "3 : 管理職マトリクス"};
    return {QString::number(n), names[n - 1], teigi[n - 1], matrices[n - 1], QString::number(n)};
}

} // namespace

class Tst_band_names : public QObject {
    Q_OBJECT
private slots:
    void idOfText_data();
    void idOfText();
    void opensWithTheStoredBands();
    void newBandHasNoAmounts_data();
    void newBandHasNoAmounts();
    void updateKeepsTheAmounts();
    void selectsBandByIdPart_data();
    void selectsBandByIdPart();
    void idTypingStopsAtThreeCharacters();
    void unknownIdKeepsTheInputs();
    void refusedIds_data();
    void refusedIds();
    void saveNeedsMatrix_data();
    void saveNeedsMatrix();
    void deleteAsks_data();
    void deleteAsks();
    void deleteUnknownId();
    void quotesRoundTrip_data();
    void quotesRoundTrip();
    void navigation_data();
    void navigation();
    void navigationWithoutBands();
    void gridClickSelectsBand();
    void currentRowIsBlue();
    void gridRows_data();
    void gridRows();
    void cancelClearsInputs();
    void closeDoesNotAsk();
    void failedSaveKeepsInputs();
    void failedDeleteKeepsInputs();
    void enterMovesOn();
    void fitsTheScreen();
};

void Tst_band_names::idOfText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("id"); // 0: refused
    QTest::newRow("digit") << "3" << 3;
    QTest::newRow("blanks around") << " 12 " << 12;
    QTest::newRow("item text") << "3 : 主任・係長" << 3;
    QTest::newRow("item, other name") << "105 : 何か" << 105;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("negative") << "-2" << 0;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("digits and letters") << "3x" << 0;
    QTest::newRow("no separator") << "3 :x" << 0;
    QTest::newRow("zero item") << "0 : なし" << 0;
}

void Tst_band_names::idOfText() {
    QFETCH(QString, text);
    QFETCH(int, id);
    const std::optional<int> read = BandIdOfText(text);
    QCOMPARE(read.value_or(0), id);
}

void Tst_band_names::opensWithTheStoredBands() {
    TestProgram p;
    openSample();
    Screen s;
    QCOMPARE(s.dlg.windowTitle(), QStringLiteral("バンド名称　登録"));
    QVERIFY(s.id->isEditable());
    QVERIFY(!s.matrix->isEditable());
    QCOMPARE(s.name->maxLength(), 50);
    QCOMPARE(s.teigi->maxLength(), 100);
    QCOMPARE(items(s.id), (QStringList{"1 : 一般職Ⅰ", "2 : 一般職Ⅱ", "3 : 主任・係長",
                                       "4 : 課長代理", "5 : 課長", "6 : 次長", "7 : 部長"}));
    QCOMPARE(items(s.matrix),
             (QStringList{"1 : 一般職マトリクス", "2 : 中堅職マトリクス", "3 : 管理職マトリクス"}));
    QCOMPARE(s.inputs(), kEmptyInputs);
    QCOMPARE(s.matrix->currentIndex(), -1);
    QCOMPARE(s.lastNo->text(), QStringLiteral("7"));
    QVERIFY(s.currentNo->isReadOnly() && s.lastNo->isReadOnly());
    QVERIFY(s.id->hasFocus());

    QCOMPARE(s.grid->columnCount(), 5);
    QCOMPARE(s.grid->rowCount(), 7);
    const QList<int> widths{20, 40, 150, 200, 150};
    const QStringList headings{"", "バンドID", "バンド名称", "定　義", "マトリクス"};
    for (int c = 0; c < 5; ++c) {
        QCOMPARE(s.grid->columnWidth(c), widths[c]);
        QCOMPARE(s.grid->horizontalHeaderItem(c)->text(), headings[c]);
    }
    QCOMPARE(s.gridRow(0), (QStringList{"1", "一般職Ⅰ", "定型業務を指示に従って正確に遂行する",
                                        "1 : 一般職マトリクス"}));
    QCOMPARE(s.gridRow(6), (QStringList{"7", "部長", "部門の方針を定め成果に責任を持つ",
                                        "3 : 管理職マトリクス"}));
    QCOMPARE(s.grid->item(0, 0)->text(), QString());
    QCOMPARE(s.grid->currentRow(), -1);
    QVERIFY(s.grid->editTriggers() == QAbstractItemView::NoEditTriggers);

    const QList<QPair<const char *, QString>> buttons{
        {"btnAdd", "登　録"}, {"btnDlt", "削　除"}, {"btnCancel", "ｷｬﾝｾﾙ"}, {"btnClose", "閉じる"}};
    for (const auto &[name, caption] : buttons)
        QCOMPARE(find<QPushButton>(s.dlg, name)->text(), caption);
    for (const char *name : {"btnFirst", "btnBack", "btnNext", "btnLast"})
        QVERIFY(find<QPushButton>(s.dlg, name)->isVisible());
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_band_names::newBandHasNoAmounts_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("titleAndRounding");
    QTest::addColumn<int>("bandsAfter");
    QTest::newRow("sample title") << ""
                                  << "役割給バンド|1" << 8;
    QTest::newRow("changed title")
        << "update BANDM set TITLE = '職能バンド', MARUME = 3" + kProject << "職能バンド|3" << 8;
    QTest::newRow("first band") << "delete from BANDM" + kProject << "|0" << 1;
}

void Tst_band_names::newBandHasNoAmounts() {
    QFETCH(QString, setup);
    QFETCH(QString, titleAndRounding);
    QFETCH(int, bandsAfter);
    TestProgram p;
    openSample();
    if (!setup.isEmpty()) exec(DM().ACN2, setup);
    Screen s;
    s.enterId("8");
    QCOMPARE(s.currentNo->text(), QString());
    typeInto(s.name, QStringLiteral("  新バンド "));
    typeInto(s.teigi, QStringLiteral("新しい役割"));
    s.chooseMatrix(2);
    QCOMPARE(G().gDataChanged, 1);
    click(s.dlg, "btnAdd");

    QCOMPARE(storedBand(8), "8|新バンド|新しい役割|2|" + titleAndRounding);
    QCOMPARE(storedAmounts(8), QStringList{QStringList(15, "0").join('|')});
    // The screen starts over with the new band listed.
    QCOMPARE(s.inputs(), kEmptyInputs);
    QCOMPARE(s.lastNo->text(), QString::number(bandsAfter));
    QCOMPARE(s.grid->rowCount(), bandsAfter);
    QCOMPARE(s.gridRow(bandsAfter - 1),
             (QStringList{"8", "新バンド", "新しい役割", "2 : 中堅職マトリクス"}));
    QCOMPARE(items(s.id).last(), QStringLiteral("8 : 新バンド"));
    QVERIFY(s.id->hasFocus());
    QCOMPARE(G().gDataChanged, 0);
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_band_names::updateKeepsTheAmounts() {
    TestProgram p;
    openSample();
    const QStringList amounts = storedAmounts(3);
    const QStringList others =
        SqlRows(DM().ACN2, "select * from BANDM" + kProject + " and BANDID <> 3 order by BANDID");
    Screen s;
    s.enterId("3");
    QCOMPARE(s.inputs(), sampleInputs(3));
    QCOMPARE(s.grid->currentRow(), 2);
    typeInto(s.name, QStringLiteral("主任"));
    typeInto(s.teigi, QStringLiteral("係を率いる"));
    s.chooseMatrix(3);
    click(s.dlg, "btnAdd");

    QCOMPARE(storedBand(3), QStringLiteral("3|主任|係を率いる|3|役割給バンド|1"));
    QCOMPARE(storedAmounts(3), amounts);
    QCOMPARE(
        SqlRows(DM().ACN2, "select * from BANDM" + kProject + " and BANDID <> 3 order by BANDID"),
        others);
    QCOMPARE(s.gridRow(2), (QStringList{"3", "主任", "係を率いる", "3 : 管理職マトリクス"}));
    QCOMPARE(s.lastNo->text(), QStringLiteral("7"));
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_band_names::selectsBandByIdPart_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("typed"); // typed, or picked from the list / put there whole
    QTest::newRow("typed id") << "3" << true;
    QTest::newRow("typed with blanks") << " 3 " << true;
    QTest::newRow("typed with leading zero") << "03" << true;
    QTest::newRow("item picked") << "3 : 主任・係長" << false;
    QTest::newRow("item with another name") << "3 : 別名" << false;
}

void Tst_band_names::selectsBandByIdPart() {
    QFETCH(QString, text);
    QFETCH(bool, typed);
    TestProgram p;
    openSample();
    Screen s;
    if (typed) {
        typeInto(s.id, text);
    } else {
        s.id->setFocus();
        const int index = s.id->findText(text);
        if (index >= 0)
            s.id->setCurrentIndex(index);
        else
            s.id->setEditText(text);
    }
    QCOMPARE(s.id->currentText(), text);
    leaveTo(s.name);
    QStringList expected = sampleInputs(3);
    expected[0] = text; // the box keeps what was typed or picked
    QCOMPARE(s.inputs(), expected);
    QCOMPARE(s.grid->currentRow(), 2);
    QVERIFY(p.messages.entries.isEmpty());

    // Saving writes band 3, whatever form its id was given in.
    typeInto(s.name, QStringLiteral("新名称"));
    const QStringList amounts = storedAmounts(3);
    click(s.dlg, "btnAdd");
    QCOMPARE(storedBand(3),
             QStringLiteral("3|新名称|小集団を指導し業務を推進する|2|役割給バンド|1"));
    QCOMPARE(storedAmounts(3), amounts);
    QCOMPARE(allBands().size(), 7);
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_band_names::idTypingStopsAtThreeCharacters() {
    TestProgram p;
    openSample();
    Screen s;
    typeInto(s.id, QStringLiteral("12345"));
    QCOMPARE(s.id->currentText(), QStringLiteral("123"));
    // A picked item is shown whole and can be edited down, then typed again up to the limit.
    s.id->setCurrentIndex(2);
    QCOMPARE(s.id->currentText(), QStringLiteral("3 : 主任・係長"));
    QTest::keyClick(s.id->lineEdit(), Qt::Key_End);
    QTest::keyClick(s.id->lineEdit(), Qt::Key_Backspace);
    QCOMPARE(s.id->currentText(), QStringLiteral("3 : 主任・係"));
    typeInto(s.id, QStringLiteral("4567"));
    QCOMPARE(s.id->currentText(), QStringLiteral("456"));
}

void Tst_band_names::unknownIdKeepsTheInputs() {
    TestProgram p;
    openSample();
    const QStringList before = allBands();
    Screen s;
    s.enterId("3");
    s.enterId("9");
    // The inputs stay for a new band; only the position is emptied.
    QStringList expected = sampleInputs(3);
    expected[0] = QStringLiteral("9");
    expected[4] = QString();
    QCOMPARE(s.inputs(), expected);
    click(s.dlg, "btnAdd");
    QCOMPARE(storedBand(9),
             QStringLiteral("9|主任・係長|小集団を指導し業務を推進する|2|役割給バンド|1"));
    QCOMPARE(storedAmounts(9), QStringList{QStringList(15, "0").join('|')});
    QCOMPARE(allBands().mid(0, 7), before);
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_band_names::refusedIds_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("action"); // leave the box, or click a button
    QTest::addColumn<bool>("refused");
    for (const char *action : {"leave", "btnAdd", "btnDlt"}) {
        const QString a = QString::fromLatin1(action);
        QTest::addRow("%s zero", action) << "0" << a << true;
        QTest::addRow("%s letters", action) << "abc" << a << true;
        QTest::addRow("%s negative", action) << "-1" << a << true;
        QTest::addRow("%s zero item", action) << "0 :" << a << true;
        // Leaving an empty box is no input yet; the buttons need an id.
        QTest::addRow("%s empty", action) << "" << a << (a != "leave");
        QTest::addRow("%s blanks", action) << "  " << a << (a != "leave");
    }
}

void Tst_band_names::refusedIds() {
    QFETCH(QString, typed);
    QFETCH(QString, action);
    QFETCH(bool, refused);
    TestProgram p;
    openSample();
    const QStringList before = allBands();
    Screen s;
    typeInto(s.name, QStringLiteral("名称"));
    s.chooseMatrix(1);
    typeInto(s.id, typed);
    p.messages.answer(true); // were a deletion asked, it would go ahead
    if (action == "leave")
        leaveTo(s.name);
    else
        click(s.dlg, action);

    QCOMPARE(shown(p.messages), refused ? QStringList{kMsgBadId} : QStringList{});
    QCOMPARE(allBands(), before);
    // The inputs stay as they were.
    QCOMPARE(s.id->currentText(), typed);
    QCOMPARE(s.name->text(), QStringLiteral("名称"));
    QCOMPARE(s.matrix->currentText(), QStringLiteral("1 : 一般職マトリクス"));
    if (refused) QVERIFY(s.id->hasFocus());
}

void Tst_band_names::saveNeedsMatrix_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("setup");
    QTest::newRow("new band, none chosen") << "8"
                                           << "";
    QTest::newRow("band whose matrix is gone")
        << "5"
        << "delete from MATRIXID" + kProject + " and MATRIXID = 3";
}

void Tst_band_names::saveNeedsMatrix() {
    QFETCH(QString, id);
    QFETCH(QString, setup);
    TestProgram p;
    openSample();
    if (!setup.isEmpty()) exec(DM().ACN2, setup);
    const QStringList before = allBands();
    Screen s;
    s.enterId(id);
    typeInto(s.name, QStringLiteral("名称"));
    QCOMPARE(s.matrix->currentIndex(), -1);
    click(s.dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{kMsgNoMatrix});
    QCOMPARE(allBands(), before);
    QCOMPARE(s.id->currentText(), id);
    QCOMPARE(s.name->text(), QStringLiteral("名称"));
    QVERIFY(s.matrix->hasFocus());
}

void Tst_band_names::deleteAsks_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes deletes") << true;
    QTest::newRow("no keeps") << false;
}

void Tst_band_names::deleteAsks() {
    QFETCH(bool, yes);
    TestProgram p;
    openSample();
    const QStringList before = allBands();
    Screen s;
    s.enterId("4");
    p.messages.answer(yes);
    click(s.dlg, "btnDlt");

    QCOMPARE(p.messages.entries.size(), 1);
    const MessageRecorder::Entry &question = p.messages.entries.first();
    QCOMPARE(question.kind, MessageRecorder::Kind::YesNo);
    QCOMPARE(question.caption, QStringLiteral("削除"));
    QCOMPARE(question.text, kAskDelete);
    if (yes) {
        QStringList after = before;
        after.removeAt(3);
        QCOMPARE(allBands(), after);
        QCOMPARE(s.inputs(), kEmptyInputs);
        QCOMPARE(s.lastNo->text(), QStringLiteral("6"));
        QCOMPARE(s.grid->rowCount(), 6);
        QCOMPARE(s.gridRow(3).first(), QStringLiteral("5"));
        QVERIFY(!items(s.id).contains(QStringLiteral("4 : 課長代理")));
        QVERIFY(s.id->hasFocus());
    } else {
        QCOMPARE(allBands(), before);
        QCOMPARE(s.inputs(), sampleInputs(4));
        QCOMPARE(s.grid->rowCount(), 7);
    }
}

void Tst_band_names::deleteUnknownId() {
    TestProgram p;
    openSample();
    const QStringList before = allBands();
    Screen s;
    s.enterId("3");
    s.enterId("99");
    p.messages.answer(true);
    click(s.dlg, "btnDlt");
    QCOMPARE(shown(p.messages), QStringList{kAskDelete});
    QCOMPARE(allBands(), before);
    QCOMPARE(s.inputs(), kEmptyInputs);
    QCOMPARE(s.lastNo->text(), QStringLiteral("7"));
}

void Tst_band_names::quotesRoundTrip_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("teigi");
    QTest::newRow("double quote") << "課長\"代理\""
                                  << "\"";
    QTest::newRow("single quote") << "it's"
                                  << "'; drop table BANDM; --";
    QTest::newRow("both") << "\"'\"''"
                          << "a\"b'c";
}

void Tst_band_names::quotesRoundTrip() {
    QFETCH(QString, name);
    QFETCH(QString, teigi);
    TestProgram p;
    openSample();
    {
        Screen s;
        s.enterId("8");
        typeInto(s.name, name);
        typeInto(s.teigi, teigi);
        s.chooseMatrix(1);
        click(s.dlg, "btnAdd");
        QCOMPARE(s.gridRow(7), (QStringList{"8", name, teigi, "1 : 一般職マトリクス"}));
        QCOMPARE(items(s.id).last(), "8 : " + name);
    }
    QCOMPARE(SqlValue(DM().ACN2, "select BANDNAME from BANDM" + kProject + " and BANDID = 8"),
             name);
    QCOMPARE(SqlValue(DM().ACN2, "select TEIGI from BANDM" + kProject + " and BANDID = 8"), teigi);
    QCOMPARE(allBands().size(), 8);
    // Shown again by a new screen, and saved again unchanged.
    Screen again;
    again.enterId("8");
    QCOMPARE(again.name->text(), name);
    QCOMPARE(again.teigi->text(), teigi);
    click(again.dlg, "btnAdd");
    QCOMPARE(SqlValue(DM().ACN2, "select BANDNAME from BANDM" + kProject + " and BANDID = 8"),
             name);
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_band_names::navigation_data() {
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<int>("position"); // 0: nothing shown
    QTest::newRow("first") << QStringList{"btnFirst"} << 1;
    QTest::newRow("next from nothing") << QStringList{"btnNext"} << 1;
    QTest::newRow("back from nothing") << QStringList{"btnBack"} << 0;
    QTest::newRow("first, next, next") << QStringList{"btnFirst", "btnNext", "btnNext"} << 3;
    QTest::newRow("last") << QStringList{"btnLast"} << 7;
    QTest::newRow("last, back") << QStringList{"btnLast", "btnBack"} << 6;
    QTest::newRow("past the end") << QStringList{"btnLast", "btnNext"} << 7;
    QTest::newRow("before the start") << QStringList{"btnFirst", "btnBack"} << 1;
    QTest::newRow("from a typed id") << QStringList{"typed 5", "btnNext"} << 6;
}

void Tst_band_names::navigation() {
    QFETCH(QStringList, buttons);
    QFETCH(int, position);
    TestProgram p;
    openSample();
    Screen s;
    for (const QString &b : buttons) {
        if (b.startsWith("typed "))
            s.enterId(b.mid(6));
        else
            click(s.dlg, b);
    }
    QCOMPARE(s.inputs(), position ? sampleInputs(position) : kEmptyInputs);
    QCOMPARE(s.grid->currentRow(), position - 1);
    QCOMPARE(s.lastNo->text(), QStringLiteral("7"));
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(G().gDataChanged, 0);
}

void Tst_band_names::navigationWithoutBands() {
    TestProgram p;
    openSample();
    keepBands(0);
    Screen s;
    for (const char *b : {"btnFirst", "btnNext", "btnLast", "btnBack"})
        click(s.dlg, b);
    QCOMPARE(s.inputs(), kEmptyInputs);
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_band_names::gridClickSelectsBand() {
    TestProgram p;
    openSample();
    Screen s;
    const auto clickCell = [&s](int row, int column) {
        const QRect rect = s.grid->visualRect(s.grid->model()->index(row, column));
        QTest::mouseClick(s.grid->viewport(), Qt::LeftButton, {}, rect.center());
        QCoreApplication::processEvents();
    };
    clickCell(3, 2);
    QCOMPARE(s.inputs(), sampleInputs(4));
    QCOMPARE(s.grid->currentRow(), 3);
    // The leading column selects nothing.
    clickCell(5, 0);
    QCOMPARE(s.inputs(), sampleInputs(4));
    QCOMPARE(s.grid->currentRow(), 3);
    // A click shows the stored band again, over what was typed.
    typeInto(s.name, QStringLiteral("書きかけ"));
    clickCell(3, 4);
    QCOMPARE(s.inputs(), sampleInputs(4));
    // The arrow keys move through the bands as well.
    QTest::keyClick(s.grid, Qt::Key_Down);
    QCOMPARE(s.inputs(), sampleInputs(5));
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_band_names::currentRowIsBlue() {
    TestProgram p;
    openSample();
    Screen s;
    click(s.dlg, "btnNext");
    click(s.dlg, "btnNext");
    s.id->setFocus(); // the list shows its current row without the focus too
    QCoreApplication::processEvents();
    const QImage image = s.grid->viewport()->grab().toImage();
    const auto colourAt = [&](int row, int column) {
        const QRect rect = s.grid->visualRect(s.grid->model()->index(row, column));
        return QColor(image.pixel(rect.right() - 3, rect.top() + 2));
    };
    QCOMPARE(colourAt(1, 3), QColor(Qt::blue));
    QCOMPARE(colourAt(0, 3), QColor(Qt::white));
    QCOMPARE(colourAt(2, 3), QColor(Qt::white));
    // The text of the current row is white, of the others black.
    const auto hasColour = [&](int row, int column, const QColor &colour) {
        const QRect rect = s.grid->visualRect(s.grid->model()->index(row, column));
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (QColor(image.pixel(x, y)) == colour) return true;
        return false;
    };
    QVERIFY(hasColour(1, 2, Qt::white));
    QVERIFY(hasColour(0, 2, Qt::black));
}

void Tst_band_names::gridRows_data() {
    QTest::addColumn<int>("bands");
    QTest::addColumn<QString>("lastNo");
    QTest::newRow("one band") << 1 << "1";
    QTest::newRow("none") << 0 << "";
}

void Tst_band_names::gridRows() {
    QFETCH(int, bands);
    QFETCH(QString, lastNo);
    TestProgram p;
    openSample();
    keepBands(bands);
    Screen s;
    QCOMPARE(s.grid->rowCount(), 1);
    QCOMPARE(s.lastNo->text(), lastNo);
    const QStringList firstRow =
        bands ? QStringList{"1", "一般職Ⅰ", "定型業務を指示に従って正確に遂行する",
                            "1 : 一般職マトリクス"}
              : QStringList{"", "", "", ""};
    QCOMPARE(s.gridRow(0), firstRow);
    QCOMPARE(items(s.id).size(), bands);
    // A click on the empty row selects nothing.
    const QRect rect = s.grid->visualRect(s.grid->model()->index(0, 2));
    QTest::mouseClick(s.grid->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(s.inputs(), bands ? sampleInputs(1) : kEmptyInputs);
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_band_names::cancelClearsInputs() {
    TestProgram p;
    openSample();
    const QStringList before = allBands();
    Screen s;
    s.enterId("5");
    typeInto(s.name, QStringLiteral("書きかけ"));
    click(s.dlg, "btnCancel");
    QCOMPARE(s.id->currentText(), QString());
    QCOMPARE(s.name->text(), QString());
    QCOMPARE(s.teigi->text(), QString());
    QCOMPARE(s.matrix->currentIndex(), -1);
    QCOMPARE(s.grid->currentRow(), 0);
    QVERIFY(s.id->hasFocus());
    QCOMPARE(allBands(), before);
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_band_names::closeDoesNotAsk() {
    TestProgram p;
    openSample();
    const QStringList before = allBands();
    Screen s;
    s.enterId("2");
    typeInto(s.name, QStringLiteral("書きかけ"));
    QCOMPARE(G().gDataChanged, 1);
    click(s.dlg, "btnClose");
    QVERIFY(!s.dlg.isVisible());
    QCOMPARE(G().gDataChanged, 0);
    QCOMPARE(allBands(), before);
    QVERIFY(p.messages.entries.isEmpty());
}

// A failing write shows the database message; the stored bands, the loaded table and the
// inputs stay as they were, so the user can save again.
void Tst_band_names::failedSaveKeepsInputs() {
    TestProgram p;
    openSample();
    const QStringList before = allBands();
    RefuseWrites(DM().ACN2, "refuse_band", "INSERT", "BANDM");
    Screen s;
    for (const QString &id : {QStringLiteral("3"), QStringLiteral("8")}) {
        p.messages.clear();
        s.enterId(id);
        typeInto(s.name, QStringLiteral("新名称"));
        s.chooseMatrix(1);
        click(s.dlg, "btnAdd");
        QCOMPARE(shown(p.messages), QStringList{kMsgSqlFailed});
        QCOMPARE(allBands(), before);
        QCOMPARE(int(G().gBandTbl2.Bands.size()), 7);
        QCOMPARE(s.id->currentText(), id);
        QCOMPARE(s.name->text(), QStringLiteral("新名称"));
        QCOMPARE(s.matrix->currentText(), QStringLiteral("1 : 一般職マトリクス"));
        QCOMPARE(s.grid->rowCount(), 7);
    }
    AllowWrites(DM().ACN2, "refuse_band", "BANDM");
    p.messages.clear();
    click(s.dlg, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    // Band 3's definition stayed in the inputs when id 8 was typed.
    QCOMPARE(storedBand(8),
             QStringLiteral("8|新名称|小集団を指導し業務を推進する|1|役割給バンド|1"));
}

void Tst_band_names::failedDeleteKeepsInputs() {
    TestProgram p;
    openSample();
    const QStringList before = allBands();
    RefuseWrites(DM().ACN2, "refuse_delete", "DELETE", "BANDM");
    Screen s;
    s.enterId("4");
    p.messages.answer(true);
    click(s.dlg, "btnDlt");
    QCOMPARE(shown(p.messages), (QStringList{kAskDelete, kMsgSqlFailed}));
    QCOMPARE(allBands(), before);
    QCOMPARE(s.inputs(), sampleInputs(4));
}

void Tst_band_names::enterMovesOn() {
    TestProgram p;
    openSample();
    Screen s;
    typeInto(s.id, QStringLiteral("6"));
    QTest::keyClick(s.id, Qt::Key_Return);
    QCoreApplication::processEvents();
    QVERIFY(s.name->hasFocus());
    QCOMPARE(s.inputs(), sampleInputs(6));
    QTest::keyClick(s.name, Qt::Key_Return);
    QVERIFY(s.teigi->hasFocus());
    QTest::keyClick(s.teigi, Qt::Key_Return);
    QVERIFY(s.matrix->hasFocus());
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_band_names::fitsTheScreen() {
    TestProgram p;
    openSample();
    Screen s;
    for (const QSize size : {s.dlg.size(), s.dlg.minimumSizeHint()})
        QVERIFY2(size.width() <= kScreenBudget.width() && size.height() <= kScreenBudget.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
    // Every column and the sample's bands are in view without scrolling.
    QVERIFY(!s.grid->horizontalScrollBar()->isVisible());
    const QRect last = s.grid->visualRect(s.grid->model()->index(6, 4));
    QVERIFY(s.grid->viewport()->rect().contains(last));
}

QTEST_MAIN(Tst_band_names)
#include "tst_band_names.moc"
