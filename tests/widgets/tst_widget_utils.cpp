#include "combo_utils.h"
#include "edit_controls.h"
#include "state.h"
#include "test_program.h"
#include "utilities.h"

#include <QComboBox>
#include <QTest>

class Tst_widget_utils : public QObject {
    Q_OBJECT
private slots:
    void fillComboFromSql();
    void fillComboFromSqlFailure();
    void selectComboCode_data();
    void selectComboCode();
    void comboCodeAndName_data();
    void comboCodeAndName();
    void formatIntEdit_data();
    void formatIntEdit();
    void editAlignment();
};

void Tst_widget_utils::fillComboFromSql() {
    TestProgram p;
    TQuery &q = DM().Query21;
    QVERIFY(RunSql(q, QStringLiteral("CREATE TABLE TCOMB (SEQ INTEGER, COMBNAME TEXT)"), 'E'));
    QVERIFY(RunSql(q,
                   QStringLiteral("INSERT INTO TCOMB VALUES (2, '2 : 正社員'), (1, '1 : 役員'), "
                                  "(3, NULL), (4, '')"),
                   'E'));

    QComboBox combo;
    combo.addItem(QStringLiteral("old"));
    QVERIFY(FillComboFromSql(QStringLiteral("SELECT COMBNAME FROM TCOMB ORDER BY SEQ"), &combo));
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    // Null and empty names read as "0", as every field read through FieldVarToStr.
    QCOMPARE(items, (QStringList{QStringLiteral("1 : 役員"), QStringLiteral("2 : 正社員"),
                                 QStringLiteral("0"), QStringLiteral("0")}));
    QVERIFY(q.isOpen()); // the caller may still read the result
    QCOMPARE(q.RecordCount(), 4);
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_widget_utils::fillComboFromSqlFailure() {
    TestProgram p;
    QComboBox combo;
    combo.addItem(QStringLiteral("old"));
    QVERIFY(FillComboFromSql(QStringLiteral("SELECT COMBNAME FROM NOSUCHTABLE"), &combo));
    QCOMPARE(combo.count(), 0);
    QCOMPARE(p.messages.texts(), QStringList{kMsgSqlUnknown});
}

void Tst_widget_utils::selectComboCode_data() {
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<int>("expected");
    const QStringList ab{QStringLiteral("1 : A"), QStringLiteral("2 : B")};
    QTest::newRow("second item") << ab << "2" << false << 1;
    QTest::newRow("missing") << ab << "3" << false << -1;
    QTest::newRow("text comparison") << ab << "01" << false << -1;
    QTest::newRow("leading zero item")
        << QStringList{QStringLiteral("01 : X"), QStringLiteral("1 : Y")} << "1" << false << 1;
    QTest::newRow("item without separator is all code")
        << QStringList{QStringLiteral("7"), QStringLiteral("7 : Z")} << "7" << false << 0;
    QTest::newRow("first of duplicates")
        << QStringList{QStringLiteral("5 : P"), QStringLiteral("5 : Q")} << "5" << false << 0;
    QTest::newRow("editable box") << ab << "2" << true << 1;
    QTest::newRow("editable box, missing") << ab << "9" << true << -1;
}

void Tst_widget_utils::selectComboCode() {
    QFETCH(QStringList, items);
    QFETCH(QString, code);
    QFETCH(bool, editable);
    QFETCH(int, expected);
    QComboBox combo;
    combo.setEditable(editable);
    combo.addItems(items);
    combo.setCurrentIndex(-1);
    if (editable) combo.setEditText(QStringLiteral("typed"));

    QCOMPARE(SelectComboCode(&combo, code), expected);
    QCOMPARE(combo.currentIndex(), -1); // selecting is left to the caller
    if (editable)
        QCOMPARE(combo.currentText(), expected >= 0 ? items.at(expected) : QStringLiteral("typed"));
}

void Tst_widget_utils::comboCodeAndName_data() {
    QTest::addColumn<QString>("item"); // null: nothing selected
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("item") << "3 : パート" << 3 << "パート";
    QTest::newRow("nothing selected") << QString() << 0 << "";
    QTest::newRow("no separator") << "パート" << 0 << "パート";
    QTest::newRow("code not an integer") << "x : y" << 0 << "y";
    QTest::newRow("name with separator") << "12 : a : b" << 12 << "a : b";
    QTest::newRow("long name cut")
        << "1 : " + QString(600, QLatin1Char('n')) << 1 << QString(500, QLatin1Char('n'));
}

void Tst_widget_utils::comboCodeAndName() {
    QFETCH(QString, item);
    QFETCH(int, code);
    QFETCH(QString, name);
    QComboBox combo;
    combo.addItem(QStringLiteral("0 : other"));
    if (!item.isNull()) {
        combo.addItem(item);
        combo.setCurrentIndex(1);
    } else {
        combo.setCurrentIndex(-1);
    }
    QCOMPARE(ComboCode(&combo), code);
    QCOMPARE(ComboName(&combo), name);
}

void Tst_widget_utils::formatIntEdit_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QStringList>("messages");
    const QStringList none;
    const QStringList invalid{kMsgInvalidNumber};
    QTest::newRow("grouped") << "1234567" << true << "1,234,567" << none;
    QTest::newRow("already grouped") << "1,234" << true << "1,234" << none;
    QTest::newRow("misplaced separators") << "12,34,5" << true << "12,345" << none;
    QTest::newRow("negative") << "-1234567" << true << "-1,234,567" << none;
    QTest::newRow("small") << "0" << true << "0" << none;
    QTest::newRow("decimal refused") << "1.5" << false << "1.5" << invalid;
    QTest::newRow("letters refused") << "12a" << false << "12a" << invalid;
    QTest::newRow("empty, silently") << "" << false << "" << none;
}

void Tst_widget_utils::formatIntEdit() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QString, after);
    QFETCH(QStringList, messages);
    MessageRecorder recorder;
    QLineEdit edit;
    edit.setText(text);
    QCOMPARE(FormatIntEdit(&edit), ok);
    QCOMPARE(edit.text(), after);
    QCOMPARE(recorder.texts(), messages);
}

void Tst_widget_utils::editAlignment() {
    TRightEdit right;
    TCenterEdit centre;
    QCOMPARE(right.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(centre.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    // Screens find them by class name.
    QCOMPARE(right.metaObject()->className(), "TRightEdit");
    QCOMPARE(centre.metaObject()->className(), "TCenterEdit");
}

QTEST_MAIN(Tst_widget_utils)
#include "tst_widget_utils.moc"
