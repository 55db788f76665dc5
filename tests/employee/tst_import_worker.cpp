// The employee import screen: file choice, the check into the preview grid, replacing and
// adding employees, and that a failed import leaves the employees as they were.

#include "import_worker.h"
#include "loaders.h"
#include "state.h"
#include "test_program.h"

#include <QDate>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {
void exec(const QString &sql) {
    QVERIFY2(RunSql(DM().Query22, sql, 'E'), qPrintable(sql));
}

QString writeFile(const TestProgram &p, const QString &name, const QByteArray &bytes) {
    const QString path = p.dir() + "/" + name;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write(bytes);
    return path;
}

QByteArray readFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every stored value of the project's employees, in key order.
QString employeesFingerprint() {
    // Each value quoted, so NULL and an empty text differ.
    const QString quote = TestingOnServer() ? "quote_nullable" : "quote";
    return SqlColumn(DM().ACN2, QStringLiteral(
                                    "SELECT %1(S1.SCO) || %1(SCOT) || %1(SNA) || "
                                    "%1(SEIHI) || %1(NYUHI) || %1(YAKU) || %1(TCO) || "
                                    "%1(NEWDAY1) || %1(SEIBETSU) || %1(TOUKYU) || "
                                    "%1(SM1) || %1(SM2) || %1(GAKU) || %1(KEIKEN) "
                                    "FROM MSYAIN1 S1 JOIN MSYAIN2 S2 ON S2.KCO = S1.KCO AND "
                                    "S2.NENDO = S1.NENDO AND S2.SCO = S1.SCO "
                                    "WHERE S1.KCO = 1 AND S1.NENDO = 2018 ORDER BY S1.SCO")
                                    .arg(quote))
        .join('\n');
}

QString employeeCount(const char *table = "MSYAIN1") {
    return SqlValue(DM().ACN2,
                    QStringLiteral("SELECT count(*) FROM %1 WHERE KCO = 1 AND NENDO = 2018")
                        .arg(QLatin1String(table)));
}

// The stored value of a column of the employee with that code.
QString stored(const char *column, int sco) {
    return SqlValue(DM().ACN2, QStringLiteral("SELECT %1 FROM MSYAIN1 S1 JOIN MSYAIN2 S2 ON "
                                              "S2.KCO = S1.KCO AND S2.NENDO = S1.NENDO AND "
                                              "S2.SCO = S1.SCO WHERE S1.KCO = 1 AND "
                                              "S1.NENDO = 2018 AND S1.SCO = %2")
                                   .arg(QLatin1String(column))
                                   .arg(sco));
}

// Keeps employees 1..12 of the project.
void keepTwelve() {
    exec("DELETE FROM MSYAIN1 WHERE KCO = 1 AND NENDO = 2018 AND SCO > 12");
    exec("DELETE FROM MSYAIN2 WHERE KCO = 1 AND NENDO = 2018 AND SCO > 12");
}

// The import screen, shown, with helpers that click its buttons.
struct Screen {
    TfrmImportWorker w;
    Screen() {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    QPushButton *button(const char *name) { return w.findChild<QPushButton *>(name); }
    QLineEdit *fileName() { return w.findChild<QLineEdit *>("EB_FileName"); }
    QTableView *grid() { return w.findChild<QTableView *>("GRDCowork"); }
    void click(const char *name) {
        QPushButton *b = button(name);
        QVERIFY(b);
        QVERIFY(b->isEnabled());
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void check(const QString &path) {
        fileName()->setText(path);
        click("BTN_Check");
    }
    bool canImport() { return button("BTN_Rep")->isEnabled() && button("BTN_Add")->isEnabled(); }
    QString cell(int row, int column, int role = Qt::DisplayRole) {
        return grid()->model()->index(row, column).data(role).toString();
    }
};

const QString kHeading = QStringLiteral(
    "社員番号,社員名,役職,性別,学歴,専攻,職務経験,社内身分,生年月日,入社日,賃金等級,公的資格");
} // namespace

class TstImportWorker : public QObject {
    Q_OBJECT
private slots:
    void screenHasItsControls();
    void chooseFileThroughDialog();
    void fileNameMissing_data();
    void fileNameMissing();
    void refusedFiles_data();
    void refusedFiles();
    void addStoresTheFieldsAfterTheHighestCode();
    void replaceNumbersFromOne();
    void raggedRowsImport();
    void cancelKeepsEmployees_data();
    void cancelKeepsEmployees();
    void cellOfSeveralLines_data();
    void cellOfSeveralLines();
    void encodings_data();
    void encodings();
    void exportThenImportGivesTheSameFile();
    void failedRowKeepsNothing_data();
    void failedRowKeepsNothing();
    void failedRowNamesTheLineItStartsOn();
};

void TstImportWorker::screenHasItsControls() {
    TestProgram p;
    openSample();
    Screen s;
    QCOMPARE(s.w.windowTitle(), QStringLiteral("社員マスタの取込"));
    QCOMPARE(s.button("BTN_Rep")->text(),
             QStringLiteral("現在登録されている内容を削除して取り込む"));
    QCOMPARE(s.button("BTN_Add")->text(),
             QStringLiteral("現在登録されている内容に追加して取り込む"));
    QVERIFY(!s.canImport());
    QCOMPARE(s.fileName()->maxLength(), 255);
    QAbstractItemModel *m = s.grid()->model();
    QCOMPARE(m->columnCount(), 16);
    QStringList headings;
    for (int c = 0; c < m->columnCount(); ++c)
        headings << m->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headings, (QStringList{"状態", "社員名", "社員番号", "本支店ID", "職務ID", "役職",
                                    "性別", "学歴", "専攻", "職務経験", "社内身分", "生年月日",
                                    "入社日", "賃金等級", "配属", "公的資格"}));
}

void TstImportWorker::chooseFileThroughDialog() {
    TestProgram p;
    openSample();
    Screen s;
    p.messages.answerFile("/tmp/a.csv");
    s.click("BTN_SelectFile");
    QCOMPARE(s.fileName()->text(), QStringLiteral("/tmp/a.csv"));
    QCOMPARE(p.messages.entries.last().kind, MessageRecorder::Kind::OpenFile);
    QCOMPARE(p.messages.entries.last().caption, QStringLiteral("社員マスタCSVファイルの選択"));
    s.click("BTN_SelectFile"); // cancelled: the name stays
    QCOMPARE(s.fileName()->text(), QStringLiteral("/tmp/a.csv"));
}

void TstImportWorker::fileNameMissing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << ""
                           << "ファイル名を入力して下さい。";
    QTest::newRow("spaces") << "   "
                            << "ファイル名を入力して下さい。";
    QTest::newRow("no such file") << "nothing.csv"
                                  << "指定されたファイルは存在しません。";
    QTest::newRow("folder") << "CSV"
                            << "指定されたファイルは存在しません。";
}

void TstImportWorker::fileNameMissing() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    TestProgram p;
    openSample();
    Screen s;
    s.check(name.trimmed().isEmpty() ? name : p.dir() + "/" + name);
    QCOMPARE(p.messages.texts(), QStringList{message});
    QVERIFY(!s.canImport());
}

void TstImportWorker::refusedFiles_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message"); // "@" stands for the file's path
    QTest::addColumn<int>("errorRow");    // -1: no row marked
    const QByteArray heading = EncodeCp932(kHeading + "\r\n");
    const QByteArray good = EncodeCp932("\"A1\",\"山田\",,,,,,,,,,\r\n");
    const QString noData = QStringLiteral("@　にはデータが有りません。");
    const QString noHeading = QStringLiteral("有効な項目名がありません。");
    const QString hasErrors = QStringLiteral("エラーが存在するので取込できません。");
    QByteArray binary(2048, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 73 + 11) & 0xFF);

    QTest::newRow("empty file") << QByteArray() << noData << -1;
    QTest::newRow("heading only") << heading << noData << -1;
    QTest::newRow("no known heading") << EncodeCp932("氏名,番号\r\n山田,1\r\n") << noHeading << -1;
    QTest::newRow("not text") << binary << noHeading << -1;
    QTest::newRow("1 MB line") << QByteArray(1 << 20, 'a') << noHeading << -1;
    QTest::newRow("grade 10") << heading + good + EncodeCp932("A2,鈴木,,,,,,,,,10,\r\n")
                              << hasErrors << 1;
    QTest::newRow("unterminated quote")
        << heading + good + EncodeCp932("A2,\"鈴木,,,,,,,,,,\r\n") << hasErrors << 1;
    QTest::newRow("fewer fields, name missing")
        << heading + EncodeCp932("A2\r\n") + good << hasErrors << 0;
    QTest::newRow("invalid shift_jis") << heading + good + "A2,\x82\x7F\x82,,,,,,,,,,\r\n"
                                       << hasErrors << 1;
    QTest::newRow("1 MB data line")
        << heading + QByteArray(1 << 20, ',') + "\r\n" + good << hasErrors << 0;
}

void TstImportWorker::refusedFiles() {
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QFETCH(int, errorRow);
    TestProgram p;
    openSample();
    const QString before = employeesFingerprint();
    const QString path = writeFile(p, "in.csv", content);
    Screen s;
    s.check(path);
    QCOMPARE(p.messages.texts(), QStringList{QString(message).replace("@", path)});
    QVERIFY(!s.canImport());
    if (errorRow >= 0) {
        QCOMPARE(s.cell(errorRow, 0), QStringLiteral("ERROR"));
        QCOMPARE(s.cell(1 - errorRow, 0), QString());
    } else {
        QCOMPARE(s.grid()->model()->rowCount(), 0);
    }
    QCOMPARE(employeesFingerprint(), before);
}

void TstImportWorker::addStoresTheFieldsAfterTheHighestCode() {
    TestProgram p;
    openSample();
    keepTwelve();
    const QString path = writeFile(
        p, "add.csv",
        EncodeCp932(kHeading + "\r\n"
                               "\"0101\",\"山田, 太郎\",\"課長\",TRUE,\"大卒\",\"法学\",\"営業\","
                               "\"正社員\",,2003/4/1,3,\"簿記2級\"\r\n"
                               "0102,花子,,女性,,,,パート,1990/12/31,,,\r\n"));
    Screen s;
    s.check(path);
    QVERIFY(p.messages.texts().isEmpty());
    QVERIFY(s.canImport());
    QCOMPARE(s.cell(0, 1), QStringLiteral("山田, 太郎"));
    QCOMPARE(s.cell(0, 2), QStringLiteral("0101"));
    QCOMPARE(s.cell(0, 6), QStringLiteral("男"));
    QCOMPARE(s.cell(1, 6), QStringLiteral("女"));

    p.messages.answer(true);
    s.click("BTN_Add");
    QCOMPARE(p.messages.texts(), QStringList{kAskImportAdd});
    QCOMPARE(p.messages.entries[0].kind, MessageRecorder::Kind::OkCancel);
    QVERIFY(!s.canImport());
    QCOMPARE(employeeCount(), QStringLiteral("14"));
    QCOMPARE(employeeCount("MSYAIN2"), QStringLiteral("14"));

    QCOMPARE(stored("SNA", 13), QStringLiteral("山田, 太郎"));
    QCOMPARE(stored("SCOT", 13), QStringLiteral("0101"));
    QCOMPARE(stored("YAKU", 13), QStringLiteral("課長"));
    QCOMPARE(stored("SEIBETSU", 13), QStringLiteral("0"));
    QCOMPARE(stored("SEIHI", 13), QStringLiteral("0"));
    QCOMPARE(stored("NYUHI", 13), QStringLiteral("20030401"));
    QCOMPARE(stored("TCO", 13), QStringLiteral("3"));
    QCOMPARE(stored("TOUKYU", 13), QStringLiteral("3"));
    QCOMPARE(stored("SM1", 13), QStringLiteral("2"));
    QCOMPARE(stored("SM2", 13), QStringLiteral("正社員"));
    QCOMPARE(stored("GAKU", 13), QStringLiteral("大卒"));
    QCOMPARE(stored("SENKOU", 13), QStringLiteral("法学"));
    QCOMPARE(stored("KEIKEN", 13), QStringLiteral("営業"));
    QCOMPARE(stored("KSIKAKU", 13), QStringLiteral("簿記2級"));
    QCOMPARE(stored("HSCO", 13), QStringLiteral("0"));
    QCOMPARE(stored("NEWDAY1", 13), QDate::currentDate().toString("yyyy/MM/dd"));

    QCOMPARE(stored("SNA", 14), QStringLiteral("花子"));
    QCOMPARE(stored("SEIBETSU", 14), QStringLiteral("1"));
    QCOMPARE(stored("SEIHI", 14), QStringLiteral("19901231"));
    QCOMPARE(stored("NYUHI", 14), QStringLiteral("0"));
    QCOMPARE(stored("TOUKYU", 14), QStringLiteral("0"));
    QCOMPARE(stored("SM1", 14), QStringLiteral("3"));
}

void TstImportWorker::replaceNumbersFromOne() {
    TestProgram p;
    openSample();
    const QString path =
        writeFile(p, "rep.csv", EncodeCp932("社員名,社員番号\r\nA,1\r\nB,2\r\nC,3\r\n"));
    Screen s;
    s.check(path);
    p.messages.answer(true);
    s.click("BTN_Rep");
    QCOMPARE(p.messages.texts(), QStringList{kAskImportReplace});
    QCOMPARE(SqlColumn(DM().ACN2, "SELECT SCO || SNA FROM MSYAIN1 WHERE KCO = 1 AND "
                                  "NENDO = 2018 ORDER BY SCO"),
             (QStringList{"1A", "2B", "3C"}));
    QCOMPARE(employeeCount("MSYAIN2"), QStringLiteral("3"));
    // The other year of the company is untouched.
    QVERIFY(
        SqlValue(DM().ACN2, "SELECT count(*) FROM MSYAIN1 WHERE KCO = 1 AND NENDO = 2017").toInt() >
        50);
}

void TstImportWorker::raggedRowsImport() {
    TestProgram p;
    openSample();
    keepTwelve();
    const QString longName(1000, QChar(u'長'));
    const QString path =
        writeFile(p, "ragged.csv",
                  EncodeCp932(kHeading +
                              "\r\n"
                              "A1,鈴木\r\n"
                              "A2,佐藤,課長,男,大卒,法学,営業,正社員,1990/1/2,2012/4/1,3,"
                              "簿記,余分,\"x,y\"\r\n"
                              "A3," +
                              longName + ",,,,,,パート\r\n"));
    Screen s;
    s.check(path);
    QCOMPARE(p.messages.texts(), QStringList{});
    QVERIFY(s.canImport());
    p.messages.answer(true);
    s.click("BTN_Add");
    QCOMPARE(employeeCount(), QStringLiteral("15"));
    QCOMPARE(stored("SNA", 13), QStringLiteral("鈴木"));
    QCOMPARE(stored("YAKU", 13), QString());
    QCOMPARE(stored("SEIBETSU", 13), QStringLiteral("1"));
    QCOMPARE(stored("TOUKYU", 13), QStringLiteral("0"));
    QCOMPARE(stored("KSIKAKU", 13), QString());
    QCOMPARE(stored("KSIKAKU", 14), QStringLiteral("簿記"));
    QCOMPARE(stored("TOUKYU", 14), QStringLiteral("3"));
    QCOMPARE(stored("SNA", 15), longName);
    QCOMPARE(stored("SM2", 15), QStringLiteral("パート"));
}

void TstImportWorker::cancelKeepsEmployees_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("replace") << "BTN_Rep";
    QTest::newRow("add") << "BTN_Add";
}

void TstImportWorker::cancelKeepsEmployees() {
    QFETCH(QString, button);
    TestProgram p;
    openSample();
    const QString before = employeesFingerprint();
    const QString path = writeFile(p, "c.csv", EncodeCp932("社員名,社員番号\r\nA,1\r\n"));
    Screen s;
    s.check(path);
    s.click(qPrintable(button)); // the recorder answers Cancel
    QCOMPARE(p.messages.entries.size(), 1);
    QCOMPARE(employeesFingerprint(), before);
}

void TstImportWorker::cellOfSeveralLines_data() {
    QTest::addColumn<QString>("lineBreak"); // inside the cell; records end in CR LF
    QTest::newRow("lf, as spreadsheet programs write it") << "\n";
    QTest::newRow("cr lf, as csv libraries write a text with it") << "\r\n";
}

void TstImportWorker::cellOfSeveralLines() {
    QFETCH(QString, lineBreak);
    TestProgram p;
    openSample();
    keepTwelve();
    // Quotes only where a cell needs them, as a standard CSV writer puts them.
    const QString path =
        writeFile(p, "lines.csv",
                  EncodeCp932(kHeading +
                              "\r\n"
                              "0101,山田 花子,総務部,女,大卒,\"英文学" +
                              lineBreak +
                              "第二外国語\",\"営業,\"\"企画\"\"\",正社員,1990/4/1,2013/4/1,3,\r\n"
                              "0102,鈴木 一郎,,男,,,,,,,,\r\n"));
    Screen s;
    s.check(path);
    QCOMPARE(p.messages.texts(), QStringList{});
    QVERIFY(s.canImport());
    QCOMPARE(s.grid()->model()->rowCount(), 2);
    QCOMPARE(s.cell(0, ColStatus), QString());
    QCOMPARE(s.cell(0, ColName), QStringLiteral("山田 花子"));
    QCOMPARE(s.cell(0, ColMajor), QStringLiteral("英文学↵第二外国語"));
    QCOMPARE(s.cell(0, ColMajor, Qt::ToolTipRole), QStringLiteral("英文学\n第二外国語"));
    QCOMPARE(s.cell(0, ColExperience), QStringLiteral("営業,\"企画\""));
    QCOMPARE(s.cell(1, ColName), QStringLiteral("鈴木 一郎"));
    QCOMPARE(s.cell(1, ColName, Qt::ToolTipRole), QString());

    p.messages.answer(true);
    s.click("BTN_Add");
    QCOMPARE(stored("SENKOU", 13), QStringLiteral("英文学\n第二外国語"));
    QCOMPARE(stored("KEIKEN", 13), QStringLiteral("営業,\"企画\""));
    QCOMPARE(stored("TOUKYU", 13), QStringLiteral("3"));
    QCOMPARE(stored("SNA", 14), QStringLiteral("鈴木 一郎"));
}

void TstImportWorker::encodings_data() {
    QTest::addColumn<QByteArray>("content");
    const QString text =
        QStringLiteral("社員番号,社員名,役職\r\n\"ソ001\",\"表 ﾊﾝｶｸ\",\"主任～\"\r\n");
    QTest::newRow("shift_jis") << EncodeCp932(text);
    QTest::newRow("utf-8") << text.toUtf8();
    QTest::newRow("utf-8 with bom") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

void TstImportWorker::encodings() {
    QFETCH(QByteArray, content);
    TestProgram p;
    openSample();
    keepTwelve();
    Screen s;
    s.check(writeFile(p, "enc.csv", content));
    p.messages.answer(true);
    s.click("BTN_Add");
    QCOMPARE(stored("SCOT", 13), QStringLiteral("ソ001"));
    QCOMPARE(stored("SNA", 13), QStringLiteral("表 ﾊﾝｶｸ"));
    QCOMPARE(stored("YAKU", 13), QStringLiteral("主任～"));
}

void TstImportWorker::exportThenImportGivesTheSameFile() {
    TestProgram p;
    openSample();
    // Texts that need quoting, doubled quotes, a leading backslash and a ソ (its second byte
    // is a backslash in Shift_JIS).
    exec("UPDATE MSYAIN1 SET SNA = '\\\"ソ\"\", 一郎', YAKU = 'a,b', SEIHI = 0 "
         "WHERE KCO = 1 AND NENDO = 2018 AND SCO = 1");
    exec("UPDATE MSYAIN2 SET GAKU = '\"', SENKOU = ',', KEIKEN = '', SM2 = '\\x' "
         "WHERE KCO = 1 AND NENDO = 2018 AND SCO = 1");
    // Texts of several lines keep their line breaks, as "\n".
    exec("UPDATE MSYAIN2 SET SENKOU = " + SqlText("法学\n\"経済\"") +
         ", KEIKEN = " + SqlText("営業\r\n\r\n企画") + " WHERE KCO = 1 AND NENDO = 2018 AND SCO = 2");
    QCOMPARE(stored("SNA", 1), QStringLiteral("\\\"ソ\"\", 一郎"));
    const QString number2 = stored("SCOT", 2);
    p.messages.answer(true);
    ExportEmployees();
    const QByteArray first = readFile(EmployeeExportPath());
    QVERIFY(first.contains(EncodeCp932(",\"\\\"\"ソ\"\"\"\", 一郎\",\"a,b\",")));
    QVERIFY(first.size() > 1000);
    const QString count = employeeCount();

    const QString copy = writeFile(p, "copy.csv", first);
    Screen s;
    s.check(copy);
    QVERIFY(s.canImport());
    p.messages.answer(true);
    s.click("BTN_Rep");
    QCOMPARE(employeeCount(), count);
    const int sco2 = SqlValue(DM().ACN2, QStringLiteral("SELECT SCO FROM MSYAIN1 WHERE KCO = 1 "
                                                        "AND NENDO = 2018 AND SCOT = '%1'")
                                             .arg(number2))
                         .toInt();
    QCOMPARE(stored("SENKOU", sco2), QStringLiteral("法学\n\"経済\""));
    QCOMPARE(stored("KEIKEN", sco2), QStringLiteral("営業\n\n企画"));

    p.messages.answer(true);
    ExportEmployees();
    QCOMPARE(readFile(EmployeeExportPath()), first);
}

void TstImportWorker::failedRowKeepsNothing_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("replace") << "BTN_Rep";
    QTest::newRow("add") << "BTN_Add";
}

void TstImportWorker::failedRowKeepsNothing() {
    QFETCH(QString, button);
    TestProgram p;
    openSample();
    RefuseWrites(DM().ACN2, "refuse", "INSERT", "MSYAIN2", "NEW.GAKU = '失敗'");
    const QString before = employeesFingerprint();
    const QString path = writeFile(
        p, "f.csv", EncodeCp932("社員名,社員番号,学歴\r\nA,1,\r\n\r\nB,2,失敗\r\nC,3,\r\n"));
    Screen s;
    s.check(path);
    QVERIFY(s.canImport());
    p.messages.answer(true);
    s.click(qPrintable(button));
    QCOMPARE(employeesFingerprint(), before);
    const QStringList texts = p.messages.texts();
    QCOMPARE(texts.size(), 3);
    QCOMPARE(texts[1], QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。"));
    QVERIFY2(texts[2].startsWith(kMsgImportDbError) && texts[2].contains("4行目"),
             qPrintable(texts[2]));
    // The database is usable afterwards: the same file without the failing row imports.
    AllowWrites(DM().ACN2, "refuse", "MSYAIN2");
    s.check(path);
    p.messages.answer(true);
    s.click(qPrintable(button));
    QVERIFY(employeesFingerprint() != before);
}

void TstImportWorker::failedRowNamesTheLineItStartsOn() {
    TestProgram p;
    openSample();
    RefuseWrites(DM().ACN2, "refuse", "INSERT", "MSYAIN2", "NEW.GAKU = '失\n敗'");
    const QString path = writeFile(p, "f.csv",
                                   EncodeCp932("社員名,社員番号,学歴\r\n\"A\r\nB\",1,\r\n"
                                               "C,2,\"失\r\n敗\"\r\nD,3,\r\n"));
    Screen s;
    s.check(path);
    QVERIFY(s.canImport());
    p.messages.answer(true);
    s.click("BTN_Add");
    const QString last = p.messages.lastText();
    QVERIFY2(last.startsWith(kMsgImportDbError) && last.contains("4行目"), qPrintable(last));
}

QTEST_MAIN(TstImportWorker)
#include "tst_import_worker.moc"
