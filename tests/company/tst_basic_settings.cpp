#include "basic_settings.h"
#include "colour_text.h"
#include "loaders.h"
#include "screen_kit.h"
#include "state.h"
#include "test_program.h"
#include "utilities.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace {

const QString kNoChange = QStringLiteral("ﾃﾞｰﾀの変更がありません。");

// Records every row written to the tables the screen saves, as "update MMARK 2", so a test
// sees exactly which statements changed the databases.
void logWrites() {
    struct Watched {
        TConnection *connection;
        const char *table;
        const char *key;
    };
    const Watched watched[] = {
        {&DM().ACN1, "MKIGYOU1", "KCO || '/' || NEW.NENDO"},
        {&DM().ACN1, "MSEIGYO", "CO"},
        {&DM().ACN2, "MMARK", "KCO || '/' || NEW.NENDO || '/' || NEW.MKCO"},
        {&DM().ACN2, "MGRAPH", "KCO || '/' || NEW.NENDO || '/' || NEW.GSCO"},
    };
    for (TConnection *c : {&DM().ACN1, &DM().ACN2})
        CreateWriteLog(*c);
    for (const Watched &w : watched) {
        const QString t = QString::fromLatin1(w.table);
        const QString key = QString::fromLatin1(w.key);
        LogWrites(*w.connection, QStringLiteral("LOG_U_") + t, QStringLiteral("UPDATE"), t,
                  QStringLiteral("'update %1 ' || NEW.%2").arg(t, key));
        for (const char *op : {"INSERT", "DELETE"}) {
            const QString row = QLatin1String(op) == QLatin1String("INSERT") ? "NEW" : "OLD";
            QString rowKey = key;
            rowKey.replace(QStringLiteral("NEW."), row + QLatin1Char('.'));
            LogWrites(*w.connection, QStringLiteral("LOG_%2_%1").arg(t, QLatin1String(op)),
                      QLatin1String(op), t,
                      QStringLiteral("'%1 %2 ' || %3.%4")
                          .arg(QString::fromLatin1(op).toLower(), t, row, rowKey));
        }
    }
}

QStringList writes() {
    return SqlColumn(DM().ACN1, QStringLiteral("select ENTRY from WLOG order by SEQ")) +
           SqlColumn(DM().ACN2, QStringLiteral("select ENTRY from WLOG order by SEQ"));
}

QStringList expectedWrites(const QString &table, int count) {
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << QStringLiteral("update %1 1/2018/%2").arg(table).arg(i);
    return out;
}

// Every row of a table in the order stored.
QStringList rows(TConnection &c, const QString &table) {
    return SqlRows(c, QStringLiteral("select * from %1 order by rowid").arg(table));
}

QString mark(int m, const QString &column) {
    return SqlValue(DM().ACN2, QStringLiteral("select %1 from MMARK where KCO = 1 and NENDO = 2018 "
                                              "and MKCO = %2")
                                   .arg(column)
                                   .arg(m));
}

} // namespace

class Tst_basic_settings : public QObject {
    Q_OBJECT
private slots:
    void loadsTheProject();
    void emptyStoredColourLoadsAsBlack();
    void legendOfOneMarkWritesTheSixMarks();
    void axisColourAloneWritesTheFourLines();
    void baseDateAccepted_data();
    void baseDateAccepted();
    void baseDateRefused_data();
    void baseDateRefused();
    void saveChecksAFieldNotYetLeft();
    void calendarChoiceWritesTheDateRow();
    void cancelThenSave();
    void markSize_data();
    void markSize();
    void lineTypeAndWidthSelection();
    void colourDialogCancelledChangesNothing();
    void quoteInLegendStoredIntact();
    void failedSaveKeepsDataAndFlags();
    void closePrompt_data();
    void closePrompt();
    void enterMovesToTheNextField_data();
    void enterMovesToTheNextField();
    void eraNameStoredAsTyped();
    void onlyTheGroupsSavedAreChecked_data();
    void onlyTheGroupsSavedAreChecked();
    void fitsTheScreen();
};

void Tst_basic_settings::loadsTheProject() {
    TestProgram p;
    openSample();
    TNX0070 dlg;
    G().gKdate = 0;
    G().gDataChanged = 1;
    dlg.prepare();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("基本設定"));
    QCOMPARE(find<QLineEdit>(dlg, "txtKijunbi")->text(), QStringLiteral("2018.04.01"));
    QCOMPARE(G().gKdate, 20180401);
    QVERIFY(find<QRadioButton>(dlg, "optKeisan2")->isChecked());
    QVERIFY(find<QLineEdit>(dlg, "txtKijunbi")->isEnabled());
    QVERIFY(find<QRadioButton>(dlg, "optWareki")->isChecked());
    QCOMPARE(find<QLineEdit>(dlg, "txtNengou1")->text(), QStringLiteral("昭和"));
    QCOMPARE(find<QLineEdit>(dlg, "txtChgyy3")->text(), QStringLiteral("2019"));
    QCOMPARE(find<QLineEdit>(dlg, "txtChgmm3")->text(), QStringLiteral("5"));
    QVERIFY(find<QRadioButton>(dlg, "optChg3")->isChecked());
    QVERIFY(!find<QLineEdit>(dlg, "txtNengou1")->isEnabled()); // reference only
    QCOMPARE(find<QLineEdit>(dlg, "txtMark2")->text(), QStringLiteral("■"));
    QCOMPARE(find<QLineEdit>(dlg, "txtHanrei2")->text(), QStringLiteral("管理職"));
    QCOMPARE(find<QComboBox>(dlg, "cmbMSize5")->currentText(), QStringLiteral("12"));
    QCOMPARE(find<QComboBox>(dlg, "cmbSensyu5")->currentText(), QStringLiteral("3 : 一点鎖線"));
    QCOMPARE(find<QComboBox>(dlg, "cmbSenHaba1")->currentText(), QStringLiteral("2"));
    QCOMPARE(find<QComboBox>(dlg, "cmbGSensyu3")->currentText(), QStringLiteral("2 : 点線"));
    QCOMPARE(G().gDataChanged, 0);
    QVERIFY(!dlg.dateChanged() && !dlg.eraChanged() && !dlg.markChanged() && !dlg.graphChanged());
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_basic_settings::emptyStoredColourLoadsAsBlack() {
    TestProgram p;
    openSample();
    exec(DM().ACN2, QStringLiteral("update MMARK set MKCOLOR = '', KCOLOR = NULL where MKCO = 4"));
    TNX0070 dlg;
    dlg.prepare();
    typeText(find<QLineEdit>(dlg, "txtHanrei1"), QStringLiteral("A"));
    click(dlg, "btnAdd");
    QCOMPARE(mark(4, "MKCOLOR"), QStringLiteral("clBlack"));
    QCOMPARE(mark(4, "KCOLOR"), QStringLiteral("clBlack"));
}

void Tst_basic_settings::legendOfOneMarkWritesTheSixMarks() {
    TestProgram p;
    openSample();
    TNX0070 dlg;
    dlg.prepare();
    logWrites();
    const QStringList before = rows(DM().ACN2, "MMARK");
    const QStringList graphs = rows(DM().ACN2, "MGRAPH");

    typeText(find<QLineEdit>(dlg, "txtHanrei2"), QStringLiteral("（課長）"));
    QVERIFY(dlg.markChanged());
    QCOMPARE(G().gDataChanged, 1);
    click(dlg, "btnAdd");

    QCOMPARE(writes(), expectedWrites("MMARK", 6));
    QCOMPARE(mark(2, "HANREI"), QStringLiteral("管理職（課長）"));
    QStringList after = rows(DM().ACN2, "MMARK");
    QCOMPARE(after.size(), before.size());
    int differing = 0;
    for (int i = 0; i < after.size(); ++i)
        differing += after[i] != before[i];
    QCOMPARE(differing, 1);
    QCOMPARE(rows(DM().ACN2, "MGRAPH"), graphs);
    QCOMPARE(G().gDataChanged, 0);
    QVERIFY(!dlg.markChanged());
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_basic_settings::axisColourAloneWritesTheFourLines() {
    TestProgram p;
    openSample();
    TNX0070 dlg;
    dlg.prepare();
    logWrites();
    const QStringList marks = rows(DM().ACN2, "MMARK");

    p.messages.answerColor(QColor(0, 128, 255));
    click(dlg, "btnGColor1");
    QVERIFY(dlg.graphChanged());
    QVERIFY(!dlg.markChanged());
    click(dlg, "btnAdd");

    QCOMPARE(writes(), expectedWrites("MGRAPH", 4));
    QCOMPARE(SqlColumn(DM().ACN2, "select CCOLOR || ',' || CSYURUI || ',' || CHABA from MGRAPH "
                                  "where KCO = 1 and NENDO = 2018 order by GSCO"),
             (QStringList{"$00FF8000,1,2", "clGray,1,1", "clSilver,2,1", "clNavy,3,1"}));
    QCOMPARE(rows(DM().ACN2, "MMARK"), marks);
    QCOMPARE(p.messages.entries.size(), 1);
    QCOMPARE(p.messages.entries[0].kind, MessageRecorder::Kind::Color);
    QCOMPARE(p.messages.entries[0].text, QColor(Qt::black).name()); // the stored colour offered
}

void Tst_basic_settings::baseDateAccepted_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("digits") << "20240401";
    QTest::newRow("dotted") << "2024.04.01";
}

void Tst_basic_settings::baseDateAccepted() {
    QFETCH(QString, typed);
    TestProgram p;
    openSample();
    TNX0070 dlg;
    dlg.prepare();
    logWrites();
    auto *box = find<QLineEdit>(dlg, "txtKijunbi");
    retype(box, typed);
    QVERIFY(dlg.dateChanged());
    QVERIFY(dlg.txtKijunbiExit());
    QCOMPARE(box->text(), QStringLiteral("2024.04.01"));
    QCOMPARE(G().gKdate, 20240401);
    click(dlg, "btnAdd");
    QCOMPARE(writes(), QStringList{"update MKIGYOU1 1/2018"});
    QCOMPARE(SqlValue(DM().ACN1, "select KDATE from MKIGYOU1 where KCO = 1 and NENDO = 2018"),
             QStringLiteral("20240401"));
    QCOMPARE(SqlValue(DM().ACN1, "select FNK || '' || REKI from MKIGYOU1 where KCO = 1 and NENDO = 2018"),
             QStringLiteral("01"));
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_basic_settings::baseDateRefused_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("one-digit month and day") << "2024.4.1" << kMsgOutOfRange;
    QTest::newRow("no such day") << "2023.02.29" << kMsgOutOfRange;
    QTest::newRow("month 13") << "20241301" << kMsgOutOfRange;
    QTest::newRow("nine digits") << "202404011" << kMsgOutOfRange;
    QTest::newRow("zero") << "0" << kMsgOutOfRange;
    QTest::newRow("negative") << "-20240401" << kMsgOutOfRange;
    QTest::newRow("letters") << "2024.O4.01" << kMsgNotNumber;
    QTest::newRow("empty") << "" << kMsgNotNumber;
}

void Tst_basic_settings::baseDateRefused() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    TestProgram p;
    openSample();
    TNX0070 dlg;
    dlg.prepare();
    showActive(dlg);
    auto *box = find<QLineEdit>(dlg, "txtKijunbi");
    typeInto(box, typed);
    leaveTo(find<QLineEdit>(dlg, "txtHanrei1"));
    QTRY_COMPARE(shown(p.messages), QStringList{message});
    QTRY_VERIFY(box->hasFocus());
    QCOMPARE(box->text(), typed);
    QCOMPARE(G().gKdate, 20180401);
}

void Tst_basic_settings::saveChecksAFieldNotYetLeft() {
    TestProgram p;
    openSample();
    TNX0070 dlg;
    dlg.prepare();
    logWrites();
    retype(find<QLineEdit>(dlg, "txtKijunbi"), "2024.4.1");
    click(dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{kMsgOutOfRange});
    QVERIFY(writes().isEmpty());
    QVERIFY(dlg.dateChanged());
}

void Tst_basic_settings::calendarChoiceWritesTheDateRow() {
    TestProgram p;
    openSample();
    TNX0070 dlg;
    dlg.prepare();
    logWrites();
    click(dlg, "optSeireki");
    click(dlg, "optKeisan1");
    QVERIFY(!find<QLineEdit>(dlg, "txtKijunbi")->isEnabled());
    QVERIFY(dlg.dateChanged());
    click(dlg, "btnAdd");
    QCOMPARE(writes(), QStringList{"update MKIGYOU1 1/2018"});
    QCOMPARE(SqlValue(DM().ACN1, "select FNK || '/' || KDATE || '/' || REKI from MKIGYOU1 "
                                 "where KCO = 1 and NENDO = 2018"),
             QStringLiteral("1/20180401/0"));
    // The open project keeps its calendar until it is opened again.
    QCOMPARE(G().gReki, 1);
    QCOMPARE(G().gFnk, 0);
}

void Tst_basic_settings::cancelThenSave() {
    TestProgram p;
    openSample();
    TNX0070 dlg;
    dlg.prepare();
    logWrites();
    auto *legend = find<QLineEdit>(dlg, "txtHanrei3");
    retype(legend, QStringLiteral("変更後"));
    click(dlg, "btnCancel");
    QCOMPARE(G().gDataChanged, 0);
    click(dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{kNoChange});
    QCOMPARE(legend->text(), QStringLiteral("変更後"));
    QVERIFY(writes().isEmpty());
}

void Tst_basic_settings::markSize_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("7") << "7" << false;
    QTest::newRow("19") << "19" << false;
    QTest::newRow("not a number") << "1O" << false;
    QTest::newRow("8") << "8" << true;
    QTest::newRow("18") << "18" << true;
    QTest::newRow("13, not in the list") << "13" << true;
}

void Tst_basic_settings::markSize() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    TestProgram p;
    openSample();
    TNX0070 dlg;
    dlg.prepare();
    retype(find<QComboBox>(dlg, "cmbMSize4"), typed);
    QVERIFY(dlg.markChanged());
    QCOMPARE(dlg.cmbMSizeExit(4), accepted);
    click(dlg, "btnAdd");
    if (accepted) {
        QVERIFY(p.messages.entries.isEmpty());
        QCOMPARE(mark(4, "MKSIZE"), typed);
    } else {
        // Refused on leaving and again on saving; nothing is written.
        QCOMPARE(shown(p.messages), (QStringList{kMsgOutOfRange, kMsgOutOfRange}));
        QCOMPARE(mark(4, "MKSIZE"), QStringLiteral("10"));
    }
}

void Tst_basic_settings::lineTypeAndWidthSelection() {
    TestProgram p;
    openSample();
    TNX0070 dlg;
    dlg.prepare();
    auto *type = find<QComboBox>(dlg, "cmbSensyu6");
    QTest::keyClick(type, Qt::Key_Down); // 2 : 点線 -> 3 : 一点鎖線
    QCOMPARE(type->currentText(), QStringLiteral("3 : 一点鎖線"));
    QVERIFY(dlg.markChanged());
    QTest::keyClick(find<QComboBox>(dlg, "cmbGSenHaba4"), Qt::Key_Down);
    QVERIFY(dlg.graphChanged());
    click(dlg, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(mark(6, "KSYURUI"), QStringLiteral("3"));
    QCOMPARE(SqlValue(DM().ACN2, "select CHABA from MGRAPH where KCO = 1 and NENDO = 2018 and "
                                 "GSCO = 4"),
             QStringLiteral("2"));
}

void Tst_basic_settings::colourDialogCancelledChangesNothing() {
    TestProgram p;
    openSample();
    TNX0070 dlg;
    dlg.prepare();
    click(dlg, "btnKColor2"); // no scripted colour: the dialog is cancelled
    QVERIFY(!dlg.markChanged());
    QCOMPARE(G().gDataChanged, 0);
    p.messages.answerColor(QColor(255, 0, 0));
    click(dlg, "btnMkColor2");
    p.messages.answerColor(QColor(1, 2, 3));
    click(dlg, "btnKColor2");
    QCOMPARE(p.messages.entries[1].text, QColor(Qt::blue).name()); // clBlue offered
    click(dlg, "btnAdd");
    QCOMPARE(mark(2, "MKCOLOR"), QStringLiteral("clRed"));
    QCOMPARE(mark(2, "KCOLOR"), QStringLiteral("$00030201"));
}

void Tst_basic_settings::quoteInLegendStoredIntact() {
    TestProgram p;
    openSample();
    TNX0070 dlg;
    dlg.prepare();
    retype(find<QLineEdit>(dlg, "txtHanrei6"), QStringLiteral("O'Neil's 'team'"));
    retype(find<QLineEdit>(dlg, "txtMark6"), QStringLiteral("'"));
    click(dlg, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(mark(6, "HANREI"), QStringLiteral("O'Neil's 'team'"));
    QCOMPARE(mark(6, "MARK"), QStringLiteral("'"));
}

void Tst_basic_settings::failedSaveKeepsDataAndFlags() {
    TestProgram p;
    openSample();
    TNX0070 dlg;
    dlg.prepare();
    const QStringList marks = rows(DM().ACN2, "MMARK");
    const QStringList graphs = rows(DM().ACN2, "MGRAPH");
    RefuseWrites(DM().ACN2, "FAIL_G3", "UPDATE", "MGRAPH", "NEW.GSCO = 3");
    typeText(find<QLineEdit>(dlg, "txtHanrei1"), QStringLiteral("X"));
    p.messages.answerColor(QColor(Qt::red));
    click(dlg, "btnGColor1");
    click(dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{kMsgSqlUnknown});
    QCOMPARE(rows(DM().ACN2, "MMARK"), marks);
    QCOMPARE(rows(DM().ACN2, "MGRAPH"), graphs);
    QVERIFY(dlg.markChanged() && dlg.graphChanged());
    QCOMPARE(G().gDataChanged, 1);

    AllowWrites(DM().ACN2, "FAIL_G3", "MGRAPH");
    click(dlg, "btnAdd"); // the same changes can be saved again
    QCOMPARE(mark(1, "HANREI"), QStringLiteral("役員X"));
    QCOMPARE(G().gDataChanged, 0);
}

void Tst_basic_settings::closePrompt_data() {
    QTest::addColumn<bool>("change");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<bool>("staysOpen");
    QTest::newRow("unchanged") << false << false << false;
    QTest::newRow("changed, yes goes back") << true << true << true;
    QTest::newRow("changed, no closes") << true << false << false;
}

void Tst_basic_settings::closePrompt() {
    QFETCH(bool, change);
    QFETCH(bool, answerYes);
    QFETCH(bool, staysOpen);
    TestProgram p;
    openSample();
    TNX0070 dlg;
    dlg.prepare();
    dlg.show();
    if (change) typeText(find<QLineEdit>(dlg, "txtMark1"), QStringLiteral("x"));
    p.messages.answer(answerYes);
    click(dlg, "btnClose");
    QCOMPARE(dlg.isVisible(), staysOpen);
    if (change) {
        QCOMPARE(p.messages.entries.size(), 1);
        QCOMPARE(p.messages.entries[0].kind, MessageRecorder::Kind::YesNo);
        QCOMPARE(p.messages.entries[0].caption, QStringLiteral("確認"));
        QCOMPARE(p.messages.entries[0].text,
                 QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r"
                                "【いいえ】:画面を閉じます。"));
    } else {
        QVERIFY(p.messages.entries.isEmpty());
    }
    QCOMPARE(G().gDataChanged, staysOpen ? 1 : 0);
    QCOMPARE(mark(1, "MARK"), QStringLiteral("●")); // closing never saves
}

void Tst_basic_settings::enterMovesToTheNextField_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("field");
    QTest::newRow("base date") << 0 << "txtKijunbi";
    QTest::newRow("legend") << 1 << "txtHanrei3";
    QTest::newRow("mark size") << 1 << "cmbMSize3";
}

void Tst_basic_settings::enterMovesToTheNextField() {
    QFETCH(int, page);
    QFETCH(QString, field);
    TestProgram p;
    openSample();
    TNX0070 dlg;
    dlg.prepare();
    showActive(dlg);
    dlg.findChild<QTabWidget *>()->setCurrentIndex(page);
    auto *w = find<QWidget>(dlg, field);
    w->setFocus();
    QVERIFY(w->hasFocus());
    QTest::keyClick(w, Qt::Key_Return);
    QVERIFY(!w->hasFocus());
    QVERIFY(dlg.isVisible());
    QCoreApplication::processEvents(); // the check of the field left
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(G().gDataChanged, 0);
}

void Tst_basic_settings::eraNameStoredAsTyped() {
    TestProgram p;
    openSample();
    TNX0070 dlg;
    dlg.prepare();
    logWrites();
    const QString others = "select SNEN1 || '/' || REKI2 || '/' || FREKI from MSEIGYO where CO = 0";
    const QString stored = SqlValue(DM().ACN1, others);
    // Placeholders and quotes in a name are text like any other.
    const QString name = QStringLiteral("明%3'治");
    find<QLineEdit>(dlg, "txtNengou1")->setText(name); // the table is filled, never typed into
    QVERIFY(dlg.eraChanged());
    click(dlg, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(writes(), QStringList{"update MSEIGYO 0"});
    QCOMPARE(SqlValue(DM().ACN1, "select REKI1 from MSEIGYO where CO = 0"), name);
    QCOMPARE(SqlValue(DM().ACN1, others), stored);
    QCOMPARE(G().gEraNames[1], name);
    dlg.prepare();
    QCOMPARE(find<QLineEdit>(dlg, "txtNengou1")->text(), name);
}

void Tst_basic_settings::onlyTheGroupsSavedAreChecked_data() {
    QTest::addColumn<bool>("inControl");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("saved");
    const QString markSize20 =
        "update MMARK set MKSIZE = 20 where KCO = 1 and NENDO = 2018 and MKCO = 3";
    const QString marks =
        TestingOnServer()
            ? "select string_agg(MKCOLOR || ':' || MKSIZE || ':' || HANREI, '/' order by MKCO) "
              "from MMARK where KCO = 1 and NENDO = 2018 and MKCO in (1, 3)"
            : "select group_concat(MKCOLOR || ':' || MKSIZE || ':' || HANREI, '/') "
              "from (select * from MMARK where KCO = 1 and NENDO = 2018 and MKCO in "
              "(1, 3) order by MKCO)";
    const QString baseDate0 = "update MKIGYOU1 set KDATE = 0 where KCO = 1 and NENDO = 2018";
    const QString dateRow = "select FNK || '/' || KDATE || '/' || REKI from MKIGYOU1 where KCO = "
                            "1 and NENDO = 2018";
    // A stored value the checks refuse stops only a save of its own group; `saved` is empty
    // when the save is refused and nothing is written.
    QTest::newRow("size 20 of mark 3, colour of mark 1")
        << false << markSize20 << "btnMkColor1" << marks
        << QStringLiteral("$00FF8000:10:役員/clGreen:20:総合職");
    QTest::newRow("size 20 of mark 3, legend of mark 3")
        << false << markSize20 << "txtHanrei3" << marks << QString();
    QTest::newRow("base date 0, calendar")
        << true << baseDate0 << "optSeireki" << dateRow << QStringLiteral("0/0/0");
    QTest::newRow("base date 0, age basis")
        << true << baseDate0 << "optKeisan2" << dateRow << QString();
}

void Tst_basic_settings::onlyTheGroupsSavedAreChecked() {
    QFETCH(bool, inControl);
    QFETCH(QString, stored);
    QFETCH(QString, edited);
    QFETCH(QString, result);
    QFETCH(QString, saved);
    TestProgram p;
    openSample();
    TConnection &c = inControl ? DM().ACN1 : DM().ACN2;
    exec(c, stored);
    TNX0070 dlg;
    dlg.prepare();
    const QString before = SqlValue(c, result);
    if (auto *box = qobject_cast<QLineEdit *>(find<QWidget>(dlg, edited))) {
        typeText(box, QStringLiteral("X"));
    } else {
        p.messages.answerColor(QColor(0, 128, 255));
        click(dlg, edited);
    }
    click(dlg, "btnAdd");
    if (saved.isEmpty()) {
        QCOMPARE(shown(p.messages), QStringList{kMsgOutOfRange});
        QCOMPARE(SqlValue(c, result), before);
        QCOMPARE(G().gDataChanged, 1);
    } else {
        QVERIFY2(shown(p.messages).isEmpty(), qPrintable(shown(p.messages).join('\n')));
        QCOMPARE(SqlValue(c, result), saved);
        QCOMPARE(G().gDataChanged, 0);
    }
}

void Tst_basic_settings::fitsTheScreen() {
    TestProgram p;
    openSample();
    TNX0070 dlg;
    dlg.prepare();
    dlg.show();
    for (const QSize size : {dlg.size(), dlg.minimumSizeHint()})
        QVERIFY2(size.width() <= kScreenBudget.width() && size.height() <= kScreenBudget.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
}

QTEST_MAIN(Tst_basic_settings)
#include "tst_basic_settings.moc"
