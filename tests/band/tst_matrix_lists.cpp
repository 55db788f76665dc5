// The three code lists edited as a whole: matrix ids, role evaluations and the evaluation
// conversion (overall evaluations with their step counts).

#include "band_loaders.h"
#include "evaluation_conversion.h"
#include "list_grid.h"
#include "matrix_ids.h"
#include "role_evaluations.h"
#include "state.h"
#include "test_program.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace {
const QString kKey = QStringLiteral(" WHERE KCO = 1 AND NENDO = 2018");

QStringList stored(const QString &columns, const QString &table, const QString &order) {
    return SqlColumn(DM().ACN2, QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") +
                                    table + kKey + QStringLiteral(" ORDER BY ") + order);
}
QStringList matrices() {
    return stored("MATRIXID || '|' || NAME || '|' || TEIGI || '|' || ZONESU", "MATRIXID",
                  "MATRIXID");
}
QStringList roleEvaluations() {
    return stored("HCO || '|' || HKIGOU", "YHYOUKA", "HCO");
}
QStringList evaluations() {
    return stored("HCO || '|' || HKIGOU || '|' || SGOUSU", "MHYOUKA", "HCO");
}

// The texts of the grid's rows, the row number first.
QStringList shownRows(TListGrid *grid) {
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->columnCount(); ++c)
            cells << grid->cellText(r, c);
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

// Presses Enter on the grid as many times as asked.
void pressEnter(TListGrid *grid, int times = 1) {
    for (int i = 0; i < times; ++i)
        QTest::keyClick(grid, Qt::Key_Return);
}

// Types into a cell as the user does: the key press opens the editor; Enter commits and moves
// on, or else the editor stays open until the focus leaves it (a click on a button).
void typeCell(TListGrid *grid, int row, int column, const QString &text, bool enter = true) {
    grid->setCurrentCell(row, column);
    grid->editItem(grid->item(row, column));
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    typeText(editor, text);
    if (enter) QTest::keyClick(editor, Qt::Key_Return);
}

enum class Screen { Matrices, RoleEvaluations, Evaluations };

std::unique_ptr<TListScreen> makeScreen(Screen s) {
    switch (s) {
    case Screen::Matrices:
        return std::make_unique<TfrmMatrixid>();
    case Screen::RoleEvaluations:
        return std::make_unique<TfrmYHyouka>();
    case Screen::Evaluations:
        return std::make_unique<TNX3020>();
    }
    return nullptr;
}
} // namespace

class Tst_matrix_lists : public QObject {
    Q_OBJECT
private slots:
    void showsTheStoredList();
    void emptyListShowsRowOneAndRefusesToSaveIt_data();
    void emptyListShowsRowOneAndRefusesToSaveIt();
    void zoneCounts_data();
    void zoneCounts();
    void refusals_data();
    void refusals();
    void enterMovesAndAppends_data();
    void enterMovesAndAppends();
    void roleEvaluationsStopAtSeven();
    void saveReplacesTheList();
    void failedSaveKeepsTheStoredList();
    void closingRoleEvaluationsReloadsThem();
};

void Tst_matrix_lists::showsTheStoredList() {
    TestProgram p;
    openSample();
    TfrmMatrixid screen;
    screen.prepare();
    QCOMPARE(shownRows(screen.grid()),
             QStringList({"1|1|一般職マトリクス|一般職層（３ゾーン）|3",
                          "2|2|中堅職マトリクス|主任・係長・課長代理層（４ゾーン）|4",
                          "3|3|管理職マトリクス|課長以上の管理職層（５ゾーン）|5"}));
    QCOMPARE(screen.grid()->currentRow(), 0);
    QCOMPARE(screen.grid()->currentColumn(), 2);
    QCOMPARE(screen.windowTitle(), QStringLiteral("マトリクス（グループ）ID"));
    TNX3020 conversion;
    conversion.prepare();
    QCOMPARE(shownRows(conversion.grid()).first(), QStringLiteral("1|1|S|6"));
    QVERIFY(shown(p.messages).isEmpty());
}

void Tst_matrix_lists::emptyListShowsRowOneAndRefusesToSaveIt_data() {
    QTest::addColumn<int>("screen");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("message");
    QTest::newRow("matrices") << int(Screen::Matrices) << "MATRIXID"
                              << "1|1|||" << QStringLiteral("マトリクスIDを入力して下さい。");
    QTest::newRow("role evaluations") << int(Screen::RoleEvaluations) << "YHYOUKA"
                                      << "1|1|" << QStringLiteral("評価記号を入力して下さい。");
    QTest::newRow("evaluations") << int(Screen::Evaluations) << "MHYOUKA"
                                 << "1|1||0" << QStringLiteral("評価記号を入力して下さい。");
}

void Tst_matrix_lists::emptyListShowsRowOneAndRefusesToSaveIt() {
    QFETCH(int, screen);
    QFETCH(QString, table);
    QFETCH(QString, row);
    QFETCH(QString, message);
    TestProgram p;
    openSample();
    exec(DM().ACN2, QStringLiteral("DELETE FROM ") + table + kKey);
    const auto s = makeScreen(Screen(screen));
    s->prepare();
    showActive(*s);
    QCOMPARE(shownRows(s->grid()), QStringList{row});
    click(*s, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{message});
    QCOMPARE(SqlValue(DM().ACN2, QStringLiteral("SELECT COUNT(*) FROM ") + table + kKey),
             QStringLiteral("0"));
}

void Tst_matrix_lists::zoneCounts_data() {
    QTest::addColumn<QString>("zones");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("2") << "2" << true;
    QTest::newRow("5") << "5" << true;
    QTest::newRow("1") << "1" << false;
    QTest::newRow("6") << "6" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("abc") << "abc" << false;
}

void Tst_matrix_lists::zoneCounts() {
    QFETCH(QString, zones);
    QFETCH(bool, accepted);
    TestProgram p;
    openSample();
    TfrmMatrixid screen;
    screen.prepare();
    showActive(screen);
    typeCell(screen.grid(), 1, 4, zones);
    click(screen, "btnAdd");
    if (accepted) {
        QCOMPARE(shown(p.messages), QStringList());
        QCOMPARE(matrices().at(1),
                 "2|中堅職マトリクス|主任・係長・課長代理層（４ゾーン）|" + zones);
    } else {
        QCOMPARE(shown(p.messages),
                 QStringList{QStringLiteral("ゾーン数は2～5で入力して下さい。")});
        QCOMPARE(screen.grid()->currentRow(), 1);
        QCOMPARE(screen.grid()->currentColumn(), 4);
        QCOMPARE(matrices().at(1).section('|', 3), QStringLiteral("4"));
    }
}

void Tst_matrix_lists::refusals_data() {
    QTest::addColumn<int>("screen");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("refusedRow"); // the first row of a pair that clashes
    QTest::addColumn<int>("refusedColumn");
    const int m = int(Screen::Matrices), r = int(Screen::RoleEvaluations),
              e = int(Screen::Evaluations);
    // Ids 1 and 01 name the same matrix: refused rather than failing in the database.
    QTest::newRow("matrix id 01") << m << 1 << 1 << "01"
                                  << QStringLiteral("マトリクスIDが重複しています。") << 0 << 1;
    QTest::newRow("matrix id text")
        << m << 1 << 1 << "a2" << QStringLiteral("マトリクスIDは整数で入力して下さい。") << 1 << 1;
    QTest::newRow("matrix name twice")
        << m << 2 << 2 << "一般職マトリクス" << QStringLiteral("マトリクス名称が重複しています。")
        << 0 << 2;
    QTest::newRow("matrix name missing")
        << m << 2 << 2 << "" << QStringLiteral("マトリクスIDを入力して下さい。") << 2 << 2;
    QTest::newRow("role code twice")
        << r << 2 << 1 << "1" << QStringLiteral("評価コードが重複しています。") << 0 << 1;
    QTest::newRow("role symbol twice")
        << r << 2 << 2 << "S" << QStringLiteral("評価記号が重複しています。") << 0 << 2;
    QTest::newRow("role code text")
        << r << 0 << 1 << "x" << QStringLiteral("評価コードは整数で入力して下さい。") << 0 << 1;
    QTest::newRow("steps x") << e << 3 << 3 << "x"
                             << QStringLiteral("昇号数は整数で入力して下さい。") << 3 << 3;
    QTest::newRow("symbol twice") << e << 4 << 2 << "A"
                                  << QStringLiteral("評価記号が重複しています。") << 1 << 2;
}

void Tst_matrix_lists::refusals() {
    QFETCH(int, screen);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(int, refusedRow);
    QFETCH(int, refusedColumn);
    TestProgram p;
    openSample();
    const QStringList before = matrices() + roleEvaluations() + evaluations();
    const auto s = makeScreen(Screen(screen));
    s->prepare();
    showActive(*s);
    typeCell(s->grid(), row, column, text);
    click(*s, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{message});
    QCOMPARE(s->grid()->currentRow(), refusedRow);
    QCOMPARE(s->grid()->currentColumn(), refusedColumn);
    QCOMPARE(s->grid()->cellText(row, column), text); // what was typed stays
    QCOMPARE(matrices() + roleEvaluations() + evaluations(), before);
}

void Tst_matrix_lists::enterMovesAndAppends_data() {
    QTest::addColumn<int>("screen");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("presses");
    QTest::addColumn<int>("toRow");
    QTest::addColumn<int>("toColumn");
    QTest::addColumn<QString>("lastRow"); // after the presses
    const int m = int(Screen::Matrices), e = int(Screen::Evaluations);
    QTest::newRow("matrix: along the row") << m << 0 << 1 << 3 << 0 << 4 << "3|3|||";
    QTest::newRow("matrix: on to the next row") << m << 0 << 4 << 1 << 1 << 2 << "3|3|||";
    QTest::newRow("matrix: last row appends the next id") << m << 2 << 4 << 1 << 3 << 2 << "4|4|||";
    QTest::newRow("evaluations: a new row takes one step")
        << e << 4 << 3 << 1 << 5 << 2 << "6|6||1";
}

void Tst_matrix_lists::enterMovesAndAppends() {
    QFETCH(int, screen);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, presses);
    QFETCH(int, toRow);
    QFETCH(int, toColumn);
    QFETCH(QString, lastRow);
    TestProgram p;
    openSample();
    const auto s = makeScreen(Screen(screen));
    s->prepare();
    showActive(*s);
    TListGrid *grid = s->grid();
    grid->setCurrentCell(row, column);
    pressEnter(grid, presses);
    QCOMPARE(grid->currentRow(), toRow);
    QCOMPARE(grid->currentColumn(), toColumn);
    if (lastRow.startsWith(QStringLiteral("3|3")))
        QCOMPARE(grid->rowCount(), 3);
    else
        QCOMPARE(shownRows(grid).last(), lastRow);
    QVERIFY(s->isVisible()); // Enter stays in the grid
}

void Tst_matrix_lists::roleEvaluationsStopAtSeven() {
    TestProgram p;
    openSample();
    TfrmYHyouka screen;
    screen.prepare();
    showActive(screen);
    TListGrid *grid = screen.grid();
    QCOMPARE(grid->rowCount(), 5);
    grid->setCurrentCell(4, 2);
    pressEnter(grid, 6);
    QCOMPARE(grid->rowCount(), 7);
    QCOMPARE(shownRows(grid).last(), QStringLiteral("7|7|"));
    QCOMPARE(grid->currentRow(), 6);
    // Typing symbols into the new rows and saving stores seven evaluations.
    typeCell(grid, 5, 2, QStringLiteral("E"));
    typeCell(grid, 6, 2, QStringLiteral("F"));
    QCOMPARE(grid->rowCount(), 7);
    click(screen, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList());
    QCOMPARE(roleEvaluations().size(), 7);
    QCOMPARE(roleEvaluations().last(), QStringLiteral("7|F"));
}

void Tst_matrix_lists::saveReplacesTheList() {
    TestProgram p;
    openSample();
    TfrmMatrixid screen;
    screen.prepare();
    showActive(screen);
    TListGrid *grid = screen.grid();
    // A quote in a name and a definition is stored as typed; emptying an id drops that row.
    typeCell(grid, 0, 2, QStringLiteral("一般職'A'"));
    typeCell(grid, 0, 3, QStringLiteral("%3 \"層\""));
    typeCell(grid, 1, 1, QString());
    click(screen, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList());
    QCOMPARE(matrices(), QStringList({"1|一般職'A'|%3 \"層\"|3",
                                      "3|管理職マトリクス|課長以上の管理職層（５ゾーン）|5"}));
    // The list is shown again as stored, renumbered.
    QCOMPARE(shownRows(grid).at(1),
             QStringLiteral("2|3|管理職マトリクス|課長以上の管理職層（５ゾーン）|5"));
}

void Tst_matrix_lists::failedSaveKeepsTheStoredList() {
    TestProgram p;
    openSample();
    RefuseWrites(DM().ACN2, "refuse", "INSERT", "MHYOUKA", "NEW.HCO = 4");
    const QStringList before = evaluations();
    TNX3020 screen;
    screen.prepare();
    showActive(screen);
    typeCell(screen.grid(), 0, 2, QStringLiteral("SS"));
    click(screen, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{kMsgSqlUnknown});
    QCOMPARE(evaluations(), before);
    QCOMPARE(screen.grid()->cellText(0, 2), QStringLiteral("SS")); // the typed value stays
}

void Tst_matrix_lists::closingRoleEvaluationsReloadsThem() {
    TestProgram p;
    openSample();
    const size_t before = G().gYHyoukaTbl.size();
    TfrmYHyouka screen;
    screen.prepare();
    showActive(screen);
    TListGrid *grid = screen.grid();
    grid->setCurrentCell(grid->rowCount() - 1, 2);
    pressEnter(grid);
    typeCell(grid, grid->rowCount() - 1, 2, QStringLiteral("Z"), false);
    click(screen, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList());
    QCOMPARE(G().gYHyoukaTbl.size(), before); // only closing reloads
    click(screen, "btnClose");
    QVERIFY(!screen.isVisible());
    QCOMPARE(G().gYHyoukaTbl.size(), before + 1);
    QCOMPARE(G().gYHyoukaTbl.back().Hkigou, QStringLiteral("Z"));
}

QTEST_MAIN(Tst_matrix_lists)
#include "tst_matrix_lists.moc"
