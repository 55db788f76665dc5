// Help and information: the usage guide's pages and paging, the help file opened through the
// document seam, and the version dialog. With VM_SCREENSHOT_DIR set the guide and the version
// dialog are also written there as pictures.

#include "guide_pages.h"
#include "help_file.h"
#include "screen_kit.h"
#include "state.h"
#include "test_program.h"
#include "usage_guide.h"
#include "version_dialog.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {
// Replaces the guide's pages with "title n" / "text n" for n = 1..count, stored out of order
// to show that the guide sorts by ID.
void setPages(int count) {
    exec(DM().ACN1, QStringLiteral("DELETE FROM Before"));
    for (int n = count; n >= 1; --n)
        exec(DM().ACN1, QStringLiteral("INSERT INTO Before (ID, Name, Memo) VALUES (%1, 'title "
                                       "%1', 'text %1')")
                            .arg(n));
}

QString shownTitle(TBeforeUseForm &dlg) {
    return find<QLineEdit>(dlg, QStringLiteral("ED_Name"))->text();
}
QString shownText(TBeforeUseForm &dlg) {
    return find<QPlainTextEdit>(dlg, QStringLiteral("ED_Memo"))->toPlainText();
}

void saveScreenshot(QWidget &window, const char *name) {
    const QString dir = qEnvironmentVariable("VM_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    window.grab().save(dir + QLatin1Char('/') + QLatin1String(name));
}
} // namespace

class Tst_help : public QObject {
    Q_OBJECT
private slots:
    void guidePaging_data();
    void guidePaging();
    void emptyGuideShowsOneEmptyPage();
    void missingGuideTableShowsSqlMessage();
    void shippedGuide();
    void helpFile_data();
    void helpFile();
    void versionDialog();
};

void Tst_help::guidePaging_data() {
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<int>("page"); // 1-based page shown at the end
    const QString next = QStringLiteral("BTN_Next");
    const QString pre = QStringLiteral("BTN_Pre");
    const QString first = QStringLiteral("BTN_Start");
    const QString last = QStringLiteral("BTN_Last");
    QTest::newRow("opens on the first page") << 3 << QStringList{} << 1;
    QTest::newRow("> once") << 3 << QStringList{next} << 2;
    QTest::newRow("> three times stays on the third") << 3 << QStringList{next, next, next} << 3;
    QTest::newRow("< on the first does nothing") << 3 << QStringList{pre} << 1;
    QTest::newRow("> > <") << 3 << QStringList{next, next, pre} << 2;
    QTest::newRow(">| goes to the last") << 3 << QStringList{last} << 3;
    QTest::newRow(">| then > stays") << 3 << QStringList{last, next} << 3;
    QTest::newRow(">| then |<") << 3 << QStringList{last, first} << 1;
    QTest::newRow("one page: >") << 1 << QStringList{next} << 1;
    QTest::newRow("one page: >| <") << 1 << QStringList{last, pre} << 1;
}

void Tst_help::guidePaging() {
    QFETCH(int, pages);
    QFETCH(QStringList, buttons);
    QFETCH(int, page);
    TestProgram p;
    setPages(pages);
    TBeforeUseForm dlg;
    dlg.prepare();
    showActive(dlg);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("ご利用案内"));
    QCOMPARE(dlg.pageCount(), pages);
    for (const QString &b : buttons)
        click(dlg, b);
    QCOMPARE(dlg.page(), page - 1);
    QCOMPARE(shownTitle(dlg), QStringLiteral("title %1").arg(page));
    QCOMPARE(shownText(dlg), QStringLiteral("text %1").arg(page));
    QVERIFY(find<QLineEdit>(dlg, QStringLiteral("ED_Name"))->isReadOnly());
    QVERIFY(find<QPlainTextEdit>(dlg, QStringLiteral("ED_Memo"))->isReadOnly());
    QVERIFY(p.messages.entries.isEmpty());
}

void Tst_help::emptyGuideShowsOneEmptyPage() {
    TestProgram p;
    setPages(0);
    TBeforeUseForm dlg;
    dlg.prepare();
    showActive(dlg);
    QCOMPARE(dlg.pageCount(), 1);
    for (const char *b : {"BTN_Next", "BTN_Last", "BTN_Pre", "BTN_Start"}) {
        click(dlg, QLatin1String(b));
        QCOMPARE(dlg.page(), 0);
        QCOMPARE(shownTitle(dlg), QString());
        QCOMPARE(shownText(dlg), QString());
    }
    QVERIFY(p.messages.entries.isEmpty());
    click(dlg, QStringLiteral("BTN_Close"));
    QVERIFY(!dlg.isVisible());
}

void Tst_help::missingGuideTableShowsSqlMessage() {
    TestProgram p;
    exec(DM().ACN1, QStringLiteral("DROP TABLE Before"));
    TBeforeUseForm dlg;
    dlg.prepare();
    QCOMPARE(shown(p.messages), QStringList{kMsgSqlUnknown});
    QCOMPARE(dlg.pageCount(), 1);
    QCOMPARE(shownTitle(dlg), QString());
    QVERIFY(!DM().Query1.isOpen());
}

void Tst_help::shippedGuide() {
    TestProgram p;
    const std::vector<GuidePage> pages = LoadGuidePages();
    QVERIFY(pages.size() >= 3);
    QCOMPARE(pages.front().title,
             SqlValue(DM().ACN1, QStringLiteral("SELECT Name FROM Before ORDER BY ID LIMIT 1")));
    TBeforeUseForm dlg;
    dlg.prepare(pages);
    showActive(dlg);
    click(dlg, QStringLiteral("BTN_Last"));
    QCOMPARE(shownTitle(dlg), pages.back().title);
    QCOMPARE(shownText(dlg), pages.back().text);
    click(dlg, QStringLiteral("BTN_Start"));
    QVERIFY(QRect(QPoint(), kScreenBudget).contains(QRect(QPoint(), dlg.size())));
    saveScreenshot(dlg, "usage_guide.png");
}

void Tst_help::helpFile_data() {
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<bool>("desktopTakesIt");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("opened");
    QTest::addColumn<bool>("refused");
    QTest::newRow("missing file") << false << true << false << 0 << false;
    QTest::newRow("opened") << true << true << true << 1 << false;
    QTest::newRow("desktop refuses") << true << false << false << 1 << true;
}

void Tst_help::helpFile() {
    QFETCH(bool, fileThere);
    QFETCH(bool, desktopTakesIt);
    QFETCH(bool, result);
    QFETCH(int, opened);
    QFETCH(bool, refused);
    TestProgram p;
    QCOMPARE(HelpFilePath(), G().gAppPath + QStringLiteral("New_Valten_M.html"));
    if (fileThere) {
        QFile f(HelpFilePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<html></html>");
    }
    QList<QUrl> urls;
    InstallDocumentOpener([&](const QUrl &url) {
        urls << url;
        return desktopTakesIt;
    });
    const bool ok = OpenHelpFile();
    InstallDocumentOpener(nullptr);
    QCOMPARE(ok, result);
    QCOMPARE(urls.size(), opened);
    if (opened) {
        QVERIFY(urls[0].isLocalFile());
        QCOMPARE(QFileInfo(urls[0].toLocalFile()), QFileInfo(HelpFilePath()));
    }
    const QString path = QDir::toNativeSeparators(HelpFilePath());
    if (!fileThere) {
        QCOMPARE(shown(p.messages),
                 QStringList{QStringLiteral("ヘルプファイルが見つかりません。")});
    } else if (refused) {
        QCOMPARE(shown(p.messages),
                 QStringList{QStringLiteral("HELPの起動に失敗しました ") + path});
        QCOMPARE(p.messages.entries[0].caption, path);
    } else {
        QVERIFY(p.messages.entries.isEmpty());
    }
}

void Tst_help::versionDialog() {
    TestProgram p;
    TNX4010 dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(find<QLabel>(dlg, QStringLiteral("labTitle"))->text(), kAppCaption);
    QCOMPARE(find<QLabel>(dlg, QStringLiteral("labVersion"))->text(),
             QStringLiteral("バージョン " VM_PROJECT_VERSION));
    const QString libraries = find<QLabel>(dlg, QStringLiteral("labLibraries"))->text();
    QVERIFY2(libraries.contains(QStringLiteral("Qt ") + QLatin1String(qVersion())),
             qPrintable(libraries));
    // The engine the data lives in, as the engine itself reports its version.
    const QString engine =
        TestingOnServer()
            ? QStringLiteral("PostgreSQL ") +
                  SqlValue(DM().ACN1, QStringLiteral("SHOW server_version")).section(u' ', 0, 0)
            : QStringLiteral("SQLite ") +
                  SqlValue(DM().ACN1, QStringLiteral("SELECT sqlite_version()"));
    QVERIFY2(libraries.contains(engine), qPrintable(libraries));
    auto *panel = find<QFrame>(dlg, QStringLiteral("Panel1"));
    QCOMPARE(panel->palette().color(QPalette::Window), QColor(128, 255, 0));
    showActive(dlg);
    saveScreenshot(dlg, "version_dialog.png");
    click(dlg, QStringLiteral("btnClose"));
    QVERIFY(!dlg.isVisible());
}

QTEST_MAIN(Tst_help)
#include "tst_help.moc"
