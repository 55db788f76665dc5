#include "form_helpers.h"
#include "state.h"
#include "test_program.h"
#include "utilities.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <climits>

namespace {

const QString kBad = QStringLiteral("bad");

// A form of two pages: edit A on the first, edit B on the second, then a button below.
class TwoPageForm : public QDialog {
public:
    explicit TwoPageForm(TFieldExits::Timing timing = TFieldExits::Timing::Deferred) {
        tabs = new QTabWidget(this);
        auto *first = new QWidget;
        auto *second = new QWidget;
        a = new QLineEdit(first);
        b = new QLineEdit(second);
        (new QVBoxLayout(first))->addWidget(a);
        (new QVBoxLayout(second))->addWidget(b);
        tabs->addTab(first, QStringLiteral("1"));
        tabs->addTab(second, QStringLiteral("2"));
        button = new QPushButton(QStringLiteral("OK"), this);
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(tabs);
        layout->addWidget(button);
        exits = new TFieldExits(this, timing);
        exits->watch(a, [this] {
            ++checksRun;
            return a->text() != kBad || RefuseField(a, kMsgOutOfRange);
        });
    }
    void showActive() {
        show();
        QApplication::setActiveWindow(this);
        QVERIFY(QTest::qWaitForWindowActive(this));
    }
    // Types into A as the user does and moves on to B on the second page.
    void typeInAAndLeave(const QString &text) {
        tabs->setCurrentIndex(0);
        a->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(a, text);
        tabs->setCurrentIndex(1);
        b->setFocus(Qt::MouseFocusReason);
    }

    QTabWidget *tabs;
    QLineEdit *a;
    QLineEdit *b;
    QPushButton *button;
    TFieldExits *exits;
    int checksRun = 0;
};

} // namespace

class Tst_form_helpers : public QObject {
    Q_OBJECT
private slots:
    void enterMovesToTheNextControl();
    void enterOnAButton_data();
    void enterOnAButton();
    void enterLeavesAComboWithACompleter();
    void refusedExitReturnsAcrossPages();
    void acceptedExitLetsTheFocusGo();
    void pendingCheckRunsBeforeAButton();
    void atOnceCheckRunsWhileLeaving();
    void changesRaiseTheFlag_data();
    void changesRaiseTheFlag();
    void questions_data();
    void questions();
    void formatAmount_data();
    void formatAmount();
};

void Tst_form_helpers::enterMovesToTheNextControl() {
    TestProgram p;
    QDialog dlg;
    auto *first = new QLineEdit(&dlg);
    auto *combo = new QComboBox(&dlg);
    combo->setEditable(true);
    combo->setCompleter(nullptr);
    auto *last = new QLineEdit(&dlg);
    auto *layout = new QVBoxLayout(&dlg);
    for (QWidget *w : {static_cast<QWidget *>(first), static_cast<QWidget *>(combo),
                       static_cast<QWidget *>(last)})
        layout->addWidget(w);
    InstallEnterMovesFocus(&dlg);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Return);
    QVERIFY(combo->hasFocus());
    QTest::keyClick(combo, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(last->hasFocus());
    QTest::keyClick(last, Qt::Key_Return, Qt::ShiftModifier);
    QVERIFY(first->hasFocus());
    QVERIFY(dlg.isVisible()); // Enter never accepts the dialog
}

void Tst_form_helpers::enterOnAButton_data() {
    QTest::addColumn<bool>("press");
    QTest::newRow("pressed") << true;
    QTest::newRow("moved past") << false;
}

void Tst_form_helpers::enterOnAButton() {
    QFETCH(bool, press);
    TestProgram p;
    QDialog dlg;
    auto *button = new QPushButton(QStringLiteral("B"), &dlg);
    button->setAutoDefault(false);
    auto *next = new QLineEdit(&dlg);
    auto *layout = new QVBoxLayout(&dlg);
    layout->addWidget(button);
    layout->addWidget(next);
    InstallEnterMovesFocus(&dlg, press ? EnterOnButton::Press : EnterOnButton::MoveOn);
    int clicks = 0;
    connect(button, &QPushButton::clicked, &dlg, [&clicks] { ++clicks; });
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
    QCOMPARE(clicks, press ? 1 : 0);
    QCOMPARE(next->hasFocus(), !press);
}

void Tst_form_helpers::enterLeavesAComboWithACompleter() {
    TestProgram p;
    QDialog dlg;
    auto *combo = new QComboBox(&dlg);
    combo->setEditable(true);
    combo->addItems({QStringLiteral("1 : one"), QStringLiteral("2 : two")});
    auto *next = new QLineEdit(&dlg);
    auto *layout = new QVBoxLayout(&dlg);
    layout->addWidget(combo);
    layout->addWidget(next);
    InstallEnterMovesFocus(&dlg);
    EnterLeavesCombo(combo);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    combo->setFocus();
    combo->clearEditText();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("2"));
    QTest::keyClick(combo, Qt::Key_Return);
    QVERIFY(next->hasFocus());
}

void Tst_form_helpers::refusedExitReturnsAcrossPages() {
    TestProgram p;
    TwoPageForm form;
    form.showActive();
    form.typeInAAndLeave(kBad);
    QVERIFY(p.messages.entries.isEmpty()); // checked once the focus change is complete
    QTRY_COMPARE(p.messages.texts(), QStringList{kMsgOutOfRange});
    QCOMPARE(form.tabs->currentIndex(), 0);
    QVERIFY(form.a->hasFocus());
    QCOMPARE(form.a->selectedText(), kBad);
    QCOMPARE(form.checksRun, 1);
}

void Tst_form_helpers::acceptedExitLetsTheFocusGo() {
    TestProgram p;
    TwoPageForm form;
    form.showActive();
    form.typeInAAndLeave(QStringLiteral("fine"));
    QTRY_COMPARE(form.checksRun, 1);
    QCoreApplication::processEvents();
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(form.tabs->currentIndex(), 1);
    QVERIFY(form.b->hasFocus());
}

void Tst_form_helpers::pendingCheckRunsBeforeAButton() {
    TestProgram p;
    TwoPageForm form;
    form.showActive();
    form.typeInAAndLeave(kBad);
    QVERIFY(!form.exits->runPending());
    QCOMPARE(p.messages.texts(), QStringList{kMsgOutOfRange});
    QVERIFY(form.a->hasFocus());
    QCoreApplication::processEvents(); // the deferred run finds nothing left to check
    QCOMPARE(form.checksRun, 1);
    QVERIFY(form.exits->runPending());

    form.b->setFocus(Qt::MouseFocusReason);
    form.exits->forgetPending();
    QCoreApplication::processEvents();
    QCOMPARE(form.checksRun, 1);
}

void Tst_form_helpers::atOnceCheckRunsWhileLeaving() {
    TestProgram p;
    TwoPageForm form(TFieldExits::Timing::AtOnce);
    form.showActive();
    form.a->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(form.a, kBad);
    form.button->setFocus(Qt::MouseFocusReason);
    QCOMPARE(p.messages.texts(), QStringList{kMsgOutOfRange});
    QVERIFY(form.a->hasFocus());
    QCOMPARE(form.checksRun, 1);
}

void Tst_form_helpers::changesRaiseTheFlag_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("byUser");
    QTest::addColumn<bool>("userOnly");
    QTest::addColumn<bool>("raised");
    QTest::newRow("edit typed") << "edit" << true << true << true;
    QTest::newRow("edit set, any change") << "edit" << false << false << true;
    QTest::newRow("edit set, user changes") << "edit" << false << true << false;
    QTest::newRow("combo picked") << "combo" << true << true << true;
    QTest::newRow("combo typed") << "editable combo" << true << true << true;
    QTest::newRow("combo set, any change") << "combo" << false << false << true;
    QTest::newRow("combo set, user changes") << "combo" << false << true << false;
    QTest::newRow("check box clicked") << "check" << true << true << true;
    QTest::newRow("check box set, any change") << "check" << false << false << true;
    QTest::newRow("check box set, user changes") << "check" << false << true << false;
}

void Tst_form_helpers::changesRaiseTheFlag() {
    QFETCH(QString, control);
    QFETCH(bool, byUser);
    QFETCH(bool, userOnly);
    QFETCH(bool, raised);
    TestProgram p;
    QDialog dlg;
    QWidget *field = nullptr;
    auto *edit = new QLineEdit(&dlg);
    auto *combo = new QComboBox(&dlg);
    combo->setEditable(control == QLatin1String("editable combo"));
    combo->addItems({QStringLiteral("1"), QStringLiteral("2")});
    combo->setCurrentIndex(0);
    auto *check = new QCheckBox(&dlg);
    if (control == QLatin1String("edit"))
        field = edit;
    else if (control == QLatin1String("check"))
        field = check;
    else
        field = combo;
    int ownFlag = 0;
    WatchChanges(field, userOnly ? ChangeSource::User : ChangeSource::Any);
    WatchChanges(field, userOnly ? ChangeSource::User : ChangeSource::Any,
                 [&ownFlag] { ownFlag = 1; });
    QCOMPARE(G().gDataChanged, 0);

    if (field == edit)
        byUser ? QTest::keyClicks(edit, QStringLiteral("x")) : edit->setText(QStringLiteral("x"));
    else if (field == check)
        byUser ? QTest::keyClick(check, Qt::Key_Space) : check->setChecked(true);
    else if (!byUser)
        combo->setCurrentIndex(1);
    else if (combo->isEditable())
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("2"));
    else
        QTest::keyClick(combo, Qt::Key_Down); // picks the next item

    QCOMPARE(G().gDataChanged, raised ? 1 : 0);
    QCOMPARE(ownFlag, raised ? 1 : 0);
}

void Tst_form_helpers::questions_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    const QString changed = QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r");
    QTest::newRow("delete, yes") << "delete"
                                 << "削除" << true << "削除"
                                 << "ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r"
                                    "【いいえ】:戻ります。";
    QTest::newRow("delete, no") << "delete"
                                << "削除確認" << false << "削除確認"
                                << "ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r"
                                   "【いいえ】:戻ります。";
    QTest::newRow("closing") << "stay"
                             << "" << true << "確認" << changed + "【いいえ】:画面を閉じます。";
    QTest::newRow("moving on") << "stay"
                               << "次のデータ　へ。" << false << "確認"
                               << changed + "【いいえ】:次のデータ　へ。";
    QTest::newRow("any") << "any"
                         << "" << true << "題"
                         << "問？\r【はい】:はい側\r【いいえ】:いいえ側";
}

void Tst_form_helpers::questions() {
    QFETCH(QString, kind);
    QFETCH(QString, argument);
    QFETCH(bool, answer);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    TestProgram p;
    p.messages.answer(answer);
    bool result = !answer;
    if (kind == QLatin1String("delete"))
        result = AskDeleteData(argument);
    else if (kind == QLatin1String("stay"))
        result = argument.isEmpty() ? AskStayOnChangedData() : AskStayOnChangedData(argument);
    else
        result = AskYesNoQuestion(QStringLiteral("問？"), QStringLiteral("はい側"),
                                  QStringLiteral("いいえ側"), caption);
    QCOMPARE(result, answer);
    QCOMPARE(p.messages.entries.size(), 1);
    QCOMPARE(p.messages.entries[0].kind, MessageRecorder::Kind::YesNo);
    QCOMPARE(p.messages.entries[0].caption, caption);
    QCOMPARE(p.messages.entries[0].text, text);
}

void Tst_form_helpers::formatAmount_data() {
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "0";
    QTest::newRow("three digits") << qint64(999) << "999";
    QTest::newRow("four digits") << qint64(1000) << "1,000";
    QTest::newRow("seven digits") << qint64(1234567) << "1,234,567";
    QTest::newRow("negative three digits") << qint64(-999) << "-999";
    QTest::newRow("negative four digits") << qint64(-1000) << "-1,000";
    QTest::newRow("negative six digits") << qint64(-123456) << "-123,456";
    QTest::newRow("largest") << qint64(LLONG_MAX) << "9,223,372,036,854,775,807";
    QTest::newRow("most negative") << qint64(LLONG_MIN) << "-9,223,372,036,854,775,808";
}

void Tst_form_helpers::formatAmount() {
    QFETCH(qint64, value);
    QFETCH(QString, text);
    QCOMPARE(FormatAmount(value), text);
}

QTEST_MAIN(Tst_form_helpers)
#include "tst_form_helpers.moc"
