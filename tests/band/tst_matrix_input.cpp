// The raise matrix of one matrix id.

#include "band_loaders.h"
#include "combo_utils.h"
#include "matrix_input.h"
#include "screen_kit.h"
#include "test_program.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

namespace {

const QString kMsgNoValidNumber = QStringLiteral("有効な数字を入力して下さい。");
const QString kMsgBadMatrix = QStringLiteral("マトリクスIDが不正です。");
const QString kMsgBadZones = QStringLiteral("指定されたマトリクスIDはゾーン数が不正です。");
const QString kAskLeave =
    QStringLiteral("入力データは更新されていません。\r\nこのまま終了しますか？");
const QString kProject = QStringLiteral(" where KCO = 1 and NENDO = 2018");

QTableWidget *gridOf(TfrmMatInput &dlg) {
    return find<QTableWidget>(dlg, "StringGrid1");
}

// Prepares the screen and shows it.
void open(TfrmMatInput &dlg) {
    dlg.prepare();
    showActive(dlg);
}

void choose(TfrmMatInput &dlg, int matrixId) {
    auto *combo = find<QComboBox>(dlg, "cmbMatrixID");
    const int index = SelectComboCode(combo, QString::number(matrixId));
    QVERIFY2(index >= 0, qPrintable(QString::number(matrixId)));
    combo->setCurrentIndex(index);
}

// The role evaluations of the project are only those up to `last`.
void keepEvaluations(int last) {
    exec(DM().ACN2, "delete from YHYOUKA" + kProject + QStringLiteral(" and HCO > %1").arg(last));
    LoadYHyoukaTbl();
}

void addEvaluation(int code, const QString &symbol) {
    exec(DM().ACN2, QStringLiteral("insert into YHYOUKA (KCO, NENDO, HCO, HKIGOU) values "
                                   "(1, 2018, %1, '%2')")
                        .arg(code)
                        .arg(symbol));
    LoadYHyoukaTbl();
}

void addMatrix(int id, const QString &zones) {
    exec(DM().ACN2, QStringLiteral("insert into MATRIXID (KCO, NENDO, MATRIXID, NAME, TEIGI, "
                                   "ZONESU) values (1, 2018, %1, '試験%1', '', %2)")
                        .arg(id)
                        .arg(zones));
}

// "evaluation|UP1|..|UP5" of every stored row of a matrix, in stored order.
QStringList storedRows(int matrixId) {
    return SqlRows(DM().ACN2,
                   "select YHYOUKA, UP1, UP2, UP3, UP4, UP5 from MATRIXCELL" + kProject +
                       QStringLiteral(" and MATRIXID = %1 order by rowid").arg(matrixId));
}

QString text(QTableWidget *grid, int row, int column) {
    const QTableWidgetItem *cell = grid->item(row, column);
    return cell ? cell->text() : QStringLiteral("<none>");
}

// The texts of a row from column `from` on.
QStringList rowTexts(QTableWidget *grid, int row, int from = 2) {
    QStringList out;
    for (int c = from; c < grid->columnCount(); ++c)
        out << text(grid, row, c);
    return out;
}

// The cell whose editor is open, (-1, -1) for none.
QPoint editedCell(QTableWidget *grid) {
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
            if (grid->indexWidget(grid->model()->index(r, c))) return QPoint(c, r);
    return QPoint(-1, -1);
}

QLineEdit *editorOf(QTableWidget *grid) {
    const QPoint cell = editedCell(grid);
    return qobject_cast<QLineEdit *>(grid->indexWidget(grid->model()->index(cell.y(), cell.x())));
}

void clickCell(QTableWidget *grid, int row, int column) {
    const QRect rect = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
}

// Types a value into the open editor and moves on with a key.
void typeRate(QTableWidget *grid, const QString &value, Qt::Key key = Qt::Key_Tab) {
    QLineEdit *editor = editorOf(grid);
    QVERIFY(editor);
    retype(editor, value);
    QTest::keyClick(editor, key);
}

} // namespace

class Tst_matrix_input : public QObject {
    Q_OBJECT
private slots:
    void rateTexts_data();
    void rateTexts();
    void typedRates_data();
    void typedRates();
    void listsMatricesWithNoneChosen();
    void gridLayout_data();
    void gridLayout();
    void showsStoredRates();
    void savesEveryEvaluationRow_data();
    void savesEveryEvaluationRow();
    void commitRule_data();
    void commitRule();
    void editorTakesNumberCharacters();
    void refusedValueKeepsTheEditor_data();
    void refusedValueKeepsTheEditor();
    void editorKeys_data();
    void editorKeys();
    void fixedCellClosesTheEditor();
    void newMatrixStartsEmpty();
    void evaluationAddedLater();
    void refusedMatrices_data();
    void refusedMatrices();
    void choosingAnotherMatrixDiscards();
    void closeQuestion_data();
    void closeQuestion();
    void failedInsertKeepsTheOldRows();
    void fitsTheScreen();
};

void Tst_matrix_input::rateTexts_data() {
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 6.0 << "6.00%";
    QTest::newRow("one decimal") << 3.5 << "3.50%";
    QTest::newRow("rounded up") << 3.456 << "3.46%";
    QTest::newRow("half up") << 1.005 << "1.01%";
    QTest::newRow("negative") << -1.5 << "-1.50%";
    QTest::newRow("negative nothing") << -0.001 << "0.00%";
    QTest::newRow("zero") << 0.0 << "0.00%";
    QTest::newRow("large") << 99999.0 << "99999.00%";
}

void Tst_matrix_input::rateTexts() {
    QFETCH(double, rate);
    QFETCH(QString, text);
    QCOMPARE(MatrixRateText(rate), text);
}

void Tst_matrix_input::typedRates_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("rate");
    QTest::newRow("empty") << "" << true << 0.0;
    QTest::newRow("blanks") << "  " << true << 0.0;
    QTest::newRow("trimmed") << " 2 " << true << 2.0;
    QTest::newRow("decimals") << "3.456" << true << 3.456;
    QTest::newRow("no whole part") << ".5" << true << 0.5;
    QTest::newRow("trailing point") << "1." << true << 1.0;
    QTest::newRow("negative") << "-2.5" << true << -2.5;
    QTest::newRow("-999") << "-999" << false << 0.0;
    QTest::newRow("-999 with point") << "-999." << false << 0.0;
    QTest::newRow("minus alone") << "-" << false << 0.0;
    QTest::newRow("point alone") << "." << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("inner minus") << "1-2" << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
}

void Tst_matrix_input::typedRates() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(double, rate);
    const std::optional<double> read = ReadTypedRate(typed);
    QCOMPARE(read.has_value(), accepted);
    if (accepted) QCOMPARE(*read, rate);
}

void Tst_matrix_input::listsMatricesWithNoneChosen() {
    TestProgram p;
    openSample();
    exec(DM().ACN2, "insert into MATRIXID (KCO, NENDO, MATRIXID, NAME, ZONESU) values "
                    "(1, 2017, 7, 'X', 3)");
    TfrmMatInput dlg;
    open(dlg);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("マトリクスの入力"));
    auto *combo = find<QComboBox>(dlg, "cmbMatrixID");
    QVERIFY(!combo->isEditable());
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    QCOMPARE(items,
             (QStringList{"1 : 一般職マトリクス", "2 : 中堅職マトリクス", "3 : 管理職マトリクス"}));
    QCOMPARE(combo->currentIndex(), -1);
    QVERIFY(gridOf(dlg)->isHidden());
    QCOMPARE(find<QPushButton>(dlg, "btnAdd")->text(), QStringLiteral("登　録"));
    QCOMPARE(find<QPushButton>(dlg, "btnClose")->text(), QStringLiteral("閉じる"));
    click(dlg, "btnAdd"); // nothing to save
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(storedRows(1).size(), 5);
}

void Tst_matrix_input::gridLayout_data() {
    QTest::addColumn<int>("matrix");
    QTest::addColumn<int>("evaluations");
    QTest::addColumn<int>("zones");
    QTest::newRow("3 zones, 2 evaluations") << 1 << 2 << 3;
    QTest::newRow("4 zones, 5 evaluations") << 2 << 5 << 4;
    QTest::newRow("5 zones, 1 evaluation") << 3 << 1 << 5;
}

void Tst_matrix_input::gridLayout() {
    QFETCH(int, matrix);
    QFETCH(int, evaluations);
    QFETCH(int, zones);
    TestProgram p;
    openSample();
    keepEvaluations(evaluations);
    TfrmMatInput dlg;
    open(dlg);
    choose(dlg, matrix);
    QTableWidget *grid = gridOf(dlg);
    QVERIFY(grid->isVisible());
    QVERIFY(grid->horizontalHeader()->isHidden() && grid->verticalHeader()->isHidden());
    QCOMPARE(grid->columnCount(), zones + 2);
    QCOMPARE(grid->rowCount(), evaluations + 2);
    QCOMPARE(grid->columnWidth(0), 40);
    QCOMPARE(grid->columnWidth(1), 40);
    for (int c = 2; c < grid->columnCount(); ++c)
        QCOMPARE(grid->columnWidth(c), 70);

    // The captions over the fixed cells.
    QCOMPARE(text(grid, 0, 0), QStringLiteral("昇給マトリクス"));
    QCOMPARE(grid->rowSpan(0, 0), 2);
    QCOMPARE(grid->columnSpan(0, 0), 2);
    QCOMPARE(text(grid, 0, 2), QStringLiteral("ゾーン番号"));
    QCOMPARE(grid->rowSpan(0, 2), 1);
    QCOMPARE(grid->columnSpan(0, 2), zones);
    QCOMPARE(text(grid, 2, 0), QStringLiteral("評価"));
    QCOMPARE(grid->rowSpan(2, 0), evaluations);
    QCOMPARE(grid->columnSpan(2, 0), 1);
    QCOMPARE(grid->columnSpan(2, 1), 1);

    QStringList numbers;
    for (int z = 1; z <= zones; ++z)
        numbers << QString::number(z);
    QCOMPARE(rowTexts(grid, 1), numbers);
    const QStringList symbols{"S", "A", "B", "C", "D"};
    for (int i = 0; i < evaluations; ++i)
        QCOMPARE(text(grid, i + 2, 1), symbols[i]);

    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c) {
            const QTableWidgetItem *cell = grid->item(r, c);
            QVERIFY(cell);
            const bool rate = r >= 2 && c >= 2;
            QCOMPARE(bool(cell->flags() & Qt::ItemIsEditable), rate);
            QCOMPARE(cell->textAlignment(),
                     rate ? int(Qt::AlignRight | Qt::AlignVCenter) : int(Qt::AlignCenter));
            if (!rate) QCOMPARE(cell->background().color(), grid->palette().button().color());
        }
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_matrix_input::showsStoredRates() {
    TestProgram p;
    openSample();
    exec(DM().ACN2,
         "update MATRIXCELL set UP2 = 3.456" + kProject + " and MATRIXID = 2 and YHYOUKA = 2");
    // A row of an evaluation the project no longer has is not shown.
    exec(DM().ACN2, "insert into MATRIXCELL values (1, 2018, 2, 9, 9, 9, 9, 9, 9)");
    TfrmMatInput dlg;
    open(dlg);
    choose(dlg, 2);
    QTableWidget *grid = gridOf(dlg);
    QCOMPARE(rowTexts(grid, 2), (QStringList{"6.00%", "4.50%", "3.00%", "1.50%"}));
    QCOMPARE(rowTexts(grid, 3), (QStringList{"4.50%", "3.46%", "2.50%", "1.00%"}));
    QCOMPARE(rowTexts(grid, 6), (QStringList{"1.00%", "1.00%", "0.50%", "0.50%"}));
    QCOMPARE(grid->rowCount(), 7);
    // Editing starts at the first rate, its text whole and selected.
    QCOMPARE(editedCell(grid), QPoint(2, 2));
    QLineEdit *editor = editorOf(grid);
    QCOMPARE(editor->objectName(), QStringLiteral("Edit1"));
    QCOMPARE(editor->text(), QStringLiteral("6.00"));
    QCOMPARE(editor->selectedText(), QStringLiteral("6.00"));
    QCOMPARE(editor->maxLength(), 5);
    QVERIFY(editor->hasFocus());
    QVERIFY(!dlg.changed());
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_matrix_input::savesEveryEvaluationRow_data() {
    QTest::addColumn<int>("matrix");
    QTest::addColumn<int>("evaluations");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("stored");
    QTest::newRow("3 zones, 2 evaluations")
        << 1 << 2 << QStringList{"7", "5.5", "", "4", "3.456", "-1"}
        << QStringList{"1|7|5.5|0|0|0", "2|4|3.46|-1|0|0"};
    QTest::newRow("5 zones, 1 evaluation")
        << 3 << 1 << QStringList{"1", "2", "3", "4", "5"} << QStringList{"1|1|2|3|4|5"};
}

void Tst_matrix_input::savesEveryEvaluationRow() {
    QFETCH(int, matrix);
    QFETCH(int, evaluations);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, stored);
    TestProgram p;
    openSample();
    keepEvaluations(evaluations);
    const QStringList otherMatrix = storedRows(2);
    TfrmMatInput dlg;
    open(dlg);
    choose(dlg, matrix);
    QTableWidget *grid = gridOf(dlg);
    for (const QString &value : typed)
        typeRate(grid, value);
    QCOMPARE(editedCell(grid), QPoint(2, 2)); // round the whole grid and back
    QVERIFY(dlg.changed());
    click(dlg, "btnAdd");
    QCOMPARE(storedRows(matrix), stored);
    QCOMPARE(storedRows(2), otherMatrix);
    QVERIFY(!dlg.changed());
    QCOMPARE(editedCell(grid), QPoint(-1, -1));
    QVERIFY(find<QComboBox>(dlg, "cmbMatrixID")->hasFocus());
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_matrix_input::commitRule_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("stored");
    QTest::newRow("rounded to two decimals") << "3.456"
                                             << "3.46%"
                                             << "3.46";
    QTest::newRow("empty") << ""
                           << "0.00%"
                           << "0";
    QTest::newRow("blank") << " "
                           << "0.00%"
                           << "0";
    QTest::newRow("negative") << "-1.5"
                              << "-1.50%"
                              << "-1.5";
    QTest::newRow("same value") << "6"
                                << "6.00%"
                                << "6";
}

void Tst_matrix_input::commitRule() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, stored);
    TestProgram p;
    openSample();
    TfrmMatInput dlg;
    open(dlg);
    choose(dlg, 1);
    QTableWidget *grid = gridOf(dlg);
    typeRate(grid, typed);
    QCOMPARE(text(grid, 2, 2), shown);
    QCOMPARE(editedCell(grid), QPoint(3, 2));
    QCOMPARE(dlg.changed(), shown != QStringLiteral("6.00%"));
    click(dlg, "btnAdd");
    QCOMPARE(SqlValue(DM().ACN2, "select UP1 from MATRIXCELL" + kProject +
                                     " and MATRIXID = 1 and YHYOUKA = 1"),
             stored);
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_matrix_input::editorTakesNumberCharacters() {
    TestProgram p;
    openSample();
    TfrmMatInput dlg;
    open(dlg);
    choose(dlg, 1);
    QLineEdit *editor = editorOf(gridOf(dlg));
    retype(editor, QStringLiteral("a1b.2%-x3456"));
    QCOMPARE(editor->text(), QStringLiteral("1.2-3"));
    QTest::keyClick(editor, Qt::Key_Backspace);
    QCOMPARE(editor->text(), QStringLiteral("1.2-"));
}

void Tst_matrix_input::refusedValueKeepsTheEditor_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("how");
    QTest::newRow("-999, Tab") << "-999"
                               << "Tab";
    QTest::newRow("-999, Down") << "-999"
                                << "Down";
    QTest::newRow("minus, Enter") << "-"
                                  << "Enter";
    QTest::newRow("two points, Left") << "1..2"
                                      << "Left";
    QTest::newRow("inner minus, Up") << "3-4"
                                     << "Up";
    QTest::newRow("-999, click on another cell") << "-999"
                                                 << "click";
    QTest::newRow("-999, save") << "-999"
                                << "save";
}

// The refused value stays typed on its cell, the cell keeps its rate and nothing is saved.
void Tst_matrix_input::refusedValueKeepsTheEditor() {
    QFETCH(QString, typed);
    QFETCH(QString, how);
    TestProgram p;
    openSample();
    const QStringList before = storedRows(1);
    TfrmMatInput dlg;
    open(dlg);
    choose(dlg, 1);
    QTableWidget *grid = gridOf(dlg);
    typeRate(grid, QStringLiteral("2")); // to (3, 2): every move has somewhere to go
    typeRate(grid, QStringLiteral("5"), Qt::Key_Down);
    QCOMPARE(editedCell(grid), QPoint(3, 3));
    p.messages.clear();
    QLineEdit *editor = editorOf(grid);
    retype(editor, typed);
    if (how == QStringLiteral("click"))
        clickCell(grid, 5, 4);
    else if (how == QStringLiteral("save"))
        click(dlg, "btnAdd");
    else
        QTest::keyClick(editor, how == QStringLiteral("Tab")     ? Qt::Key_Tab
                                : how == QStringLiteral("Down")  ? Qt::Key_Down
                                : how == QStringLiteral("Enter") ? Qt::Key_Return
                                : how == QStringLiteral("Left")  ? Qt::Key_Left
                                                                 : Qt::Key_Up);
    QCOMPARE(shown(p.messages), QStringList{kMsgNoValidNumber});
    QCOMPARE(editedCell(grid), QPoint(3, 3));
    QCOMPARE(editorOf(grid), editor);
    QCOMPARE(editor->text(), typed);
    QVERIFY(editor->hasFocus());
    QCOMPARE(text(grid, 3, 3), QStringLiteral("3.00%"));
    QCOMPARE(text(grid, 2, 3), QStringLiteral("5.00%"));
    QCOMPARE(storedRows(1), before);
    // Put right, the value goes in.
    typeRate(grid, QStringLiteral("1.5"));
    QCOMPARE(text(grid, 3, 3), QStringLiteral("1.50%"));
    QCOMPARE(editedCell(grid), QPoint(4, 3));
}

void Tst_matrix_input::editorKeys_data() {
    QTest::addColumn<QPoint>("from"); // (column, row)
    QTest::addColumn<int>("key");
    QTest::addColumn<QPoint>("to");
    // Matrix 2: zone columns 2..5, evaluation rows 2..6.
    QTest::newRow("Tab") << QPoint(2, 2) << int(Qt::Key_Tab) << QPoint(3, 2);
    QTest::newRow("Return") << QPoint(3, 4) << int(Qt::Key_Return) << QPoint(4, 4);
    QTest::newRow("keypad Enter") << QPoint(4, 4) << int(Qt::Key_Enter) << QPoint(5, 4);
    QTest::newRow("Right") << QPoint(2, 3) << int(Qt::Key_Right) << QPoint(3, 3);
    QTest::newRow("Right from the last column")
        << QPoint(5, 3) << int(Qt::Key_Right) << QPoint(2, 4);
    QTest::newRow("Tab from the last cell") << QPoint(5, 6) << int(Qt::Key_Tab) << QPoint(2, 2);
    QTest::newRow("Left") << QPoint(4, 5) << int(Qt::Key_Left) << QPoint(3, 5);
    QTest::newRow("Left from column 2") << QPoint(2, 5) << int(Qt::Key_Left) << QPoint(5, 4);
    QTest::newRow("Left from the first cell") << QPoint(2, 2) << int(Qt::Key_Left) << QPoint(2, 2);
    QTest::newRow("Shift+Tab from column 2")
        << QPoint(2, 3) << int(Qt::Key_Backtab) << QPoint(5, 2);
    QTest::newRow("Up") << QPoint(3, 4) << int(Qt::Key_Up) << QPoint(3, 3);
    QTest::newRow("Up on the first row") << QPoint(4, 2) << int(Qt::Key_Up) << QPoint(4, 2);
    QTest::newRow("Down") << QPoint(4, 5) << int(Qt::Key_Down) << QPoint(4, 6);
    QTest::newRow("Down on the last row") << QPoint(3, 6) << int(Qt::Key_Down) << QPoint(3, 6);
}

void Tst_matrix_input::editorKeys() {
    QFETCH(QPoint, from);
    QFETCH(int, key);
    QFETCH(QPoint, to);
    TestProgram p;
    openSample();
    TfrmMatInput dlg;
    open(dlg);
    choose(dlg, 2);
    QTableWidget *grid = gridOf(dlg);
    clickCell(grid, from.y(), from.x());
    QCOMPARE(editedCell(grid), from);
    QLineEdit *editor = editorOf(grid);
    retype(editor, QStringLiteral("8.5"));
    QTest::keyClick(editor, Qt::Key(key));
    QCOMPARE(editedCell(grid), to);
    QCOMPARE(grid->currentRow(), to.y());
    QCOMPARE(grid->currentColumn(), to.x());
    QVERIFY(editorOf(grid)->hasFocus());
    if (to != from) {
        // The move committed the value; the new cell's rate is ready to be typed over.
        QCOMPARE(text(grid, from.y(), from.x()), QStringLiteral("8.50%"));
        QCOMPARE(editorOf(grid)->selectedText(), text(grid, to.y(), to.x()).remove('%'));
    } else {
        QCOMPARE(editorOf(grid)->text(), QStringLiteral("8.5"));
    }
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_matrix_input::fixedCellClosesTheEditor() {
    TestProgram p;
    openSample();
    TfrmMatInput dlg;
    open(dlg);
    choose(dlg, 1);
    QTableWidget *grid = gridOf(dlg);
    typeRate(grid, QStringLiteral("9"));
    retype(editorOf(grid), QStringLiteral("7"));
    clickCell(grid, 4, 1); // a symbol
    QCOMPARE(editedCell(grid), QPoint(-1, -1));
    QCOMPARE(rowTexts(grid, 2), (QStringList{"9.00%", "7.00%", "2.00%"}));
    // The grid's own keys lead back to a rate cell, which opens it.
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(editedCell(grid), QPoint(3, 3));
    QVERIFY(editorOf(grid)->hasFocus());
}

void Tst_matrix_input::newMatrixStartsEmpty() {
    TestProgram p;
    openSample();
    addMatrix(9, QStringLiteral("2"));
    TfrmMatInput dlg;
    open(dlg);
    choose(dlg, 9);
    QTableWidget *grid = gridOf(dlg);
    QVERIFY(grid->isVisible());
    for (int r = 2; r < 7; ++r)
        QCOMPARE(rowTexts(grid, r), (QStringList{"", ""}));
    QCOMPARE(editedCell(grid), QPoint(-1, -1));
    QVERIFY(!dlg.changed());
    // Opening a cell and moving on fills it with 0.00%.
    clickCell(grid, 3, 3);
    QCOMPARE(editorOf(grid)->text(), QString());
    QTest::keyClick(editorOf(grid), Qt::Key_Tab);
    QCOMPARE(text(grid, 3, 3), QStringLiteral("0.00%"));
    QVERIFY(dlg.changed());
    click(dlg, "btnAdd");
    QCOMPARE(storedRows(9), (QStringList{"1|0|0|0|0|0", "2|0|0|0|0|0", "3|0|0|0|0|0", "4|0|0|0|0|0",
                                         "5|0|0|0|0|0"}));
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_matrix_input::evaluationAddedLater() {
    TestProgram p;
    openSample();
    addEvaluation(6, QStringLiteral("E"));
    TfrmMatInput dlg;
    open(dlg);
    choose(dlg, 1);
    QTableWidget *grid = gridOf(dlg);
    QCOMPARE(grid->rowCount(), 8);
    QCOMPARE(text(grid, 7, 1), QStringLiteral("E"));
    QCOMPARE(rowTexts(grid, 7), (QStringList{"", "", ""}));
    QCOMPARE(rowTexts(grid, 6), (QStringList{"1.00%", "0.50%", "0.50%"}));
    clickCell(grid, 7, 2);
    for (const QString &value : QStringList{"0.5", "0.25", "0.125"})
        typeRate(grid, value);
    QCOMPARE(rowTexts(grid, 7), (QStringList{"0.50%", "0.25%", "0.13%"}));
    click(dlg, "btnAdd");
    const QStringList rows = storedRows(1);
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows.first(), QStringLiteral("1|6|4|2|0|0"));
    QCOMPARE(rows.last(), QStringLiteral("6|0.5|0.25|0.13|0|0"));
}

void Tst_matrix_input::refusedMatrices_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("matrix");
    QTest::addColumn<QString>("message");
    QTest::newRow("id 0") << "insert into MATRIXID values (1, 2018, 0, 'ゼロ', '', 3)" << 0
                          << kMsgBadMatrix;
    QTest::newRow("deleted since listed")
        << "delete from MATRIXID where KCO = 1 and NENDO = 2018 and MATRIXID = 2" << 2
        << kMsgBadMatrix;
    QTest::newRow("zone count 0") << "insert into MATRIXID values (1, 2018, 8, 'X', '', 0)" << 8
                                  << kMsgBadZones;
    QTest::newRow("zone count missing")
        << "insert into MATRIXID values (1, 2018, 8, 'X', '', NULL)" << 8 << kMsgBadZones;
    QTest::newRow("zone count 6") << "insert into MATRIXID values (1, 2018, 8, 'X', '', 6)" << 8
                                  << kMsgBadZones;
}

void Tst_matrix_input::refusedMatrices() {
    QFETCH(QString, setup);
    QFETCH(int, matrix);
    QFETCH(QString, message);
    TestProgram p;
    openSample();
    const bool afterListing = setup.startsWith(QStringLiteral("delete"));
    if (!afterListing) exec(DM().ACN2, setup);
    TfrmMatInput dlg;
    open(dlg);
    if (afterListing) exec(DM().ACN2, setup);
    choose(dlg, 1); // a matrix being edited is put away
    QVERIFY(!gridOf(dlg)->isHidden());
    choose(dlg, matrix);
    QCOMPARE(shown(p.messages), QStringList{message});
    QVERIFY(gridOf(dlg)->isHidden());
    QCOMPARE(editedCell(gridOf(dlg)), QPoint(-1, -1));
    click(dlg, "btnAdd");
    QCOMPARE(shown(p.messages).size(), 1);
    QCOMPARE(storedRows(1).size(), 5);
}

void Tst_matrix_input::choosingAnotherMatrixDiscards() {
    TestProgram p;
    openSample();
    const QStringList before = storedRows(1);
    TfrmMatInput dlg;
    open(dlg);
    choose(dlg, 1);
    typeRate(gridOf(dlg), QStringLiteral("9"));
    retype(editorOf(gridOf(dlg)), QStringLiteral("8"));
    QVERIFY(dlg.changed());
    choose(dlg, 3);
    QVERIFY(!dlg.changed());
    QCOMPARE(gridOf(dlg)->columnCount(), 7);
    choose(dlg, 1);
    QCOMPARE(rowTexts(gridOf(dlg), 2), (QStringList{"6.00%", "4.00%", "2.00%"}));
    QCOMPARE(storedRows(1), before);
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_matrix_input::closeQuestion_data() {
    QTest::addColumn<QString>("change"); // none, committed or typed (the editor still open)
    QTest::addColumn<QString>("how");    // button, Escape or window
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("closes");
    QTest::newRow("unchanged, button") << "none"
                                       << "button" << false << true;
    QTest::newRow("unchanged, Escape") << "none"
                                       << "Escape" << false << true;
    QTest::newRow("changed, yes closes") << "committed"
                                         << "button" << true << true;
    QTest::newRow("changed, no stays") << "committed"
                                       << "button" << false << false;
    QTest::newRow("changed, Escape, no stays") << "committed"
                                               << "Escape" << false << false;
    QTest::newRow("changed, window, yes closes") << "committed"
                                                 << "window" << true << true;
    QTest::newRow("changed, window, no stays") << "committed"
                                               << "window" << false << false;
    QTest::newRow("typed, no stays") << "typed"
                                     << "button" << false << false;
    QTest::newRow("typed, Escape, yes closes") << "typed"
                                               << "Escape" << true << true;
}

void Tst_matrix_input::closeQuestion() {
    QFETCH(QString, change);
    QFETCH(QString, how);
    QFETCH(bool, yes);
    QFETCH(bool, closes);
    TestProgram p;
    openSample();
    const QStringList before = storedRows(1);
    TfrmMatInput dlg;
    open(dlg);
    choose(dlg, 1);
    QTableWidget *grid = gridOf(dlg);
    if (change == QStringLiteral("committed")) typeRate(grid, QStringLiteral("7"));
    if (change == QStringLiteral("typed")) retype(editorOf(grid), QStringLiteral("7"));
    p.messages.answer(yes);
    if (how == QStringLiteral("button"))
        click(dlg, "btnClose");
    else if (how == QStringLiteral("Escape"))
        QTest::keyClick(editorOf(grid), Qt::Key_Escape);
    else
        dlg.close();
    QCOMPARE(dlg.isVisible(), !closes);
    if (change == QStringLiteral("none")) {
        QVERIFY(p.messages.entries.isEmpty());
    } else {
        QCOMPARE(p.messages.entries.size(), 1);
        QCOMPARE(p.messages.entries[0].kind, MessageRecorder::Kind::YesNo);
        QCOMPARE(p.messages.entries[0].caption, QStringLiteral("マトリクス入力"));
        QCOMPARE(p.messages.entries[0].text, kAskLeave);
    }
    if (!closes) QVERIFY(dlg.changed());
    QCOMPARE(storedRows(1), before);
}

void Tst_matrix_input::failedInsertKeepsTheOldRows() {
    TestProgram p;
    openSample();
    RefuseWrites(DM().ACN2, "FAIL_INS", "INSERT", "MATRIXCELL");
    const QStringList before = SqlRows(DM().ACN2, "select * from MATRIXCELL order by rowid");
    TfrmMatInput dlg;
    open(dlg);
    choose(dlg, 2);
    typeRate(gridOf(dlg), QStringLiteral("7"));
    click(dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{kMsgSqlUnknown});
    QCOMPARE(SqlRows(DM().ACN2, "select * from MATRIXCELL order by rowid"), before);
    QCOMPARE(text(gridOf(dlg), 2, 2), QStringLiteral("7.00%"));
    QVERIFY(dlg.changed());
}

void Tst_matrix_input::fitsTheScreen() {
    TestProgram p;
    openSample();
    addEvaluation(6, QStringLiteral("E"));
    addEvaluation(7, QStringLiteral("F"));
    TfrmMatInput dlg;
    open(dlg);
    choose(dlg, 3);
    QTableWidget *grid = gridOf(dlg);
    QCOMPARE(grid->rowCount(), 9);
    QCOMPARE(grid->columnCount(), 7);
    for (const QSize size : {dlg.size(), dlg.minimumSizeHint()})
        QVERIFY2(size.width() <= kScreenBudget.width() && size.height() <= kScreenBudget.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
    // Every cell is in view, without scrolling.
    QVERIFY(!grid->horizontalScrollBar()->isVisible());
    QVERIFY(!grid->verticalScrollBar()->isVisible());
    const QRect last = grid->visualRect(grid->model()->index(8, 6));
    QVERIFY(grid->viewport()->rect().contains(last));
}

QTEST_MAIN(Tst_matrix_input)
#include "tst_matrix_input.moc"
