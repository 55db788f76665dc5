// CSV field syntax, code page 932 and UTF-8 decoding, the import check and the export file.

#include "employee_csv.h"
#include "loaders.h"
#include "project.h"
#include "state.h"
#include "test_program.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {
// A project to export: the sample, or the key of one that has no settings.
void openProject(int kco = kSampleCompany, int nendo = kSampleYear) {
    if (!OpenProject(kco, nendo)) SetProjectKey(kco, nendo);
}

void exec(const QString &sql) {
    QVERIFY2(RunSql(DM().Query22, sql, 'E'), qPrintable(sql));
}

QByteArray readFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QString kHeading =
    QStringLiteral("社員番号,社員名,性別,生年月日,入社日,賃金等級,本支店ID,職務ID,社内身分");
} // namespace

class TstEmployeeCsv : public QObject {
    Q_OBJECT
private slots:
    void parseCsvLine_data();
    void parseCsvLine();
    void readRecord_data();
    void readRecord();
    void quoteThenParseGivesTheText_data();
    void quoteThenParseGivesTheText();
    void cp932KnownBytes();
    void cp932InvalidBytes();
    void decodeLines_data();
    void decodeLines();
    void slashDate_data();
    void slashDate();
    void sex_data();
    void sex();
    void checkRow_data();
    void checkRow();
    void checkRowValues_data();
    void checkRowValues();
    void checkOutcome_data();
    void checkOutcome();
    void checkMapsHeadingsInAnyOrder();
    void checkRecordsOverSeveralLines_data();
    void checkRecordsOverSeveralLines();
    void checkLongLineIsLinear();
    void exportWritesShiftJisOrderedByNumber();
    void exportQuotesAndNoDate();
    void exportTellsWhatTheCodePageCannotHold();
    void exportListsTheFirstTwentyEmployees_data();
    void exportListsTheFirstTwentyEmployees();
    void exportNeedsYes();
    void exportWithoutEmployees();
    void exportFailureIsReported();
};

void TstEmployeeCsv::parseCsvLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<bool>("closed");
    QTest::newRow("plain") << "a,b,c" << QStringList{"a", "b", "c"} << true;
    QTest::newRow("comma in quotes") << "\"山田,太郎\",x" << QStringList{"山田,太郎", "x"} << true;
    QTest::newRow("doubled quotes")
        << "\"say \"\"hi\"\"\",x" << QStringList{"say \"hi\"", "x"} << true;
    QTest::newRow("quote before comma") << "\"a\"\",b\",c" << QStringList{"a\",b", "c"} << true;
    QTest::newRow("empty fields") << ",," << QStringList{"", "", ""} << true;
    QTest::newRow("trailing comma") << "a," << QStringList{"a", ""} << true;
    QTest::newRow("empty quoted") << "\"\",x" << QStringList{"", "x"} << true;
    QTest::newRow("leading backslash") << "\\abc,\\\"x" << QStringList{"abc", "\"x"} << true;
    QTest::newRow("backslash in quotes") << "\"\\abc\"" << QStringList{"\\abc"} << true;
    QTest::newRow("text after quote") << "\"ab\"cd,e" << QStringList{"abcd", "e"} << true;
    QTest::newRow("unterminated") << "x,\"open,rest" << QStringList{"x", "open,rest"} << false;
    QTest::newRow("lone quote") << "\"" << QStringList{""} << false;
}

void TstEmployeeCsv::parseCsvLine() {
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QFETCH(bool, closed);
    QStringList got;
    QCOMPARE(ParseCsvLine(line, got), closed);
    QCOMPARE(got, fields);
}

void TstEmployeeCsv::readRecord_data() {
    QTest::addColumn<QString>("text"); // the file from its first record on
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("lines"); // lines the record spans
    QTest::addColumn<bool>("wellFormed");
    QTest::newRow("one line") << "a,\"b\"\r\nc" << QStringList{"a", "b"} << 1 << true;
    QTest::newRow("lf in quotes") << "\"a\nb\",c\nd" << QStringList{"a\nb", "c"} << 2 << true;
    QTest::newRow("cr lf in quotes")
        << "\"a\r\nb\",c\r\nd" << QStringList{"a\nb", "c"} << 2 << true;
    QTest::newRow("cr in quotes") << "\"a\rb\",c\rd" << QStringList{"a\nb", "c"} << 2 << true;
    QTest::newRow("empty lines in quotes")
        << "x,\"a\r\n\r\nb\r\n\"\r\ny" << QStringList{"x", "a\n\nb\n"} << 4 << true;
    QTest::newRow("doubled quote at line end")
        << "\"a\"\"\r\nb\",c" << QStringList{"a\"\nb", "c"} << 2 << true;
    QTest::newRow("quoted comma on the next line")
        << "\"a\r\nb\"\",c\",d" << QStringList{"a\nb\",c", "d"} << 2 << true;
    QTest::newRow("quote at line end closes")
        << "x,\"ab\"\r\n\"c\"" << QStringList{"x", "ab"} << 1 << true;
    QTest::newRow("text after quote stays on its line")
        << "\"ab\"cd,e\r\nf" << QStringList{"abcd", "e"} << 1 << true;
    QTest::newRow("lone quote on the next line")
        << "\"a\r\nb\"c,d\"" << QStringList{"a\nb\"c,d"} << 2 << false;
    QTest::newRow("never closed") << "x,\"a\r\nb,c\r\n" << QStringList{"x", "a\nb,c"} << 2 << false;
    QTest::newRow("backslash") << "\\a,\"\\b\"" << QStringList{"a", "\\b"} << 1 << true;
}

void TstEmployeeCsv::readRecord() {
    QFETCH(QString, text);
    QFETCH(QStringList, fields);
    QFETCH(int, lines);
    QFETCH(bool, wellFormed);
    const std::vector<CsvTextLine> decoded = DecodeCsvLines(("h\r\n" + text).toUtf8());
    CsvRecord record;
    QCOMPARE(ReadCsvRecord(decoded, 1, record), size_t(1 + lines));
    QCOMPARE(record.fields, fields);
    QCOMPARE(record.lineNo, 2);
    QCOMPARE(record.wellFormed, wellFormed);
    QVERIFY(!record.badText);
}

void TstEmployeeCsv::quoteThenParseGivesTheText_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("quotes") << "\"\"\"";
    QTest::newRow("comma and quote") << "a\",b";
    QTest::newRow("backslash") << "\\start";
    QTest::newRow("japanese") << "ソフト開発部,課長";
}

void TstEmployeeCsv::quoteThenParseGivesTheText() {
    QFETCH(QString, text);
    QStringList fields;
    QVERIFY(ParseCsvLine(CsvQuote(text) + ",", fields));
    QCOMPARE(fields, (QStringList{text, ""}));
}

void TstEmployeeCsv::cp932KnownBytes() {
    QCOMPARE(EncodeCp932("社員番号"), QByteArray("\x8E\xD0\x88\xF5\x94\xD4\x8D\x86"));
    QCOMPARE(EncodeCp932("ｱ,\\~"), QByteArray("\xB1,\\~"));
    // The second byte of ソ is a backslash; it must not be taken for one.
    QCOMPARE(EncodeCp932("ソ"), QByteArray("\x83\x5C"));
    QCOMPARE(EncodeCp932(QString(QChar(0x301C))), QByteArray("\x81\x60"));
    QCOMPARE(EncodeCp932("a\U0001F600b"), QByteArray("a?b"));
    bool exact = true;
    EncodeCp932("a\U0001F600b", &exact);
    QVERIFY(!exact);
    EncodeCp932(QString("ソ") + QChar(0x301C), &exact);
    QVERIFY(exact);
    QString text;
    QVERIFY(DecodeCp932(QByteArray("\x83\x5C\x8E\xD0,\xB1"), text));
    QCOMPARE(text, QStringLiteral("ソ社,ｱ"));
}

void TstEmployeeCsv::cp932InvalidBytes() {
    QString text;
    QVERIFY(!DecodeCp932(QByteArray("a\x81\x20z"), text));
    QVERIFY(text.startsWith(QLatin1Char('a')));
    QVERIFY(text.endsWith(QLatin1Char('z')));
    QVERIFY(!DecodeCp932(QByteArray("ab\x83"), text)); // cut in the middle of a character
    QVERIFY(!DecodeCp932(QByteArray("\xFF"), text));
}

void TstEmployeeCsv::decodeLines_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<int>>("badLines");
    const QString name = QStringLiteral("社員名,ソ");
    QTest::newRow("cp932 crlf") << EncodeCp932(name + "\r\nx\r\n") << QStringList{name, "x"}
                                << QList<int>{};
    QTest::newRow("utf8") << (name + "\nx").toUtf8() << QStringList{name, "x"} << QList<int>{};
    QTest::newRow("utf8 bom") << QByteArray("\xEF\xBB\xBF") + (name + "\r\nx\r\n").toUtf8()
                              << QStringList{name, "x"} << QList<int>{};
    QTest::newRow("cr only") << QByteArray("a\rb\r\rc") << QStringList{"a", "b", "", "c"}
                             << QList<int>{};
    QTest::newRow("cp932 bad line")
        << EncodeCp932(name + "\r\n") + "\x81\x20\r\n" + EncodeCp932("ok\r\n")
        << QStringList{name, QString(QChar(0xFFFD)) + " ", "ok"} << QList<int>{2};
    QTest::newRow("nul byte") << QByteArray("a\r\nb\0c\r\n", 8)
                              << QStringList{"a", QString("b") + QChar(0) + "c"} << QList<int>{2};
    QTest::newRow("empty") << QByteArray() << QStringList{} << QList<int>{};
}

void TstEmployeeCsv::decodeLines() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, badLines);
    const std::vector<CsvTextLine> lines = DecodeCsvLines(content);
    QStringList gotTexts;
    QList<int> gotBad;
    for (const CsvTextLine &l : lines) {
        gotTexts << l.text;
        if (l.badText) gotBad << l.lineNo;
    }
    QCOMPARE(gotTexts, texts);
    QCOMPARE(gotBad, badLines);
}

void TstEmployeeCsv::slashDate_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("ymd");
    QTest::newRow("full") << "1980/04/15" << true << 19800415;
    QTest::newRow("short parts") << "1980/4/5" << true << 19800405;
    QTest::newRow("two-digit 30") << "30/1/2" << true << 20300102;
    QTest::newRow("two-digit 31") << "31/1/2" << true << 19310102;
    QTest::newRow("dash") << "1980-04-15" << false << 0;
    QTest::newRow("no such day") << "1980/02/30" << false << 0;
    QTest::newRow("four parts") << "1980/04/15/1" << false << 0;
    QTest::newRow("text") << "昭和55年" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("spaces around") << " 1980/4/5 " << true << 19800405;
    QTest::newRow("two-digit 00") << "00/2/29" << true << 20000229;
    QTest::newRow("empty part") << "1980//5" << false << 0;
    QTest::newRow("three-digit year") << "980/4/5" << false << 0;
    QTest::newRow("five-digit year") << "19800/4/5" << false << 0;
    QTest::newRow("three-digit month") << "1980/004/5" << false << 0;
    QTest::newRow("year below 1000") << "0999/4/5" << false << 0;
    QTest::newRow("full-width digits") << "１９８０/4/5" << false << 0;
    QTest::newRow("sign") << "1980/+4/5" << false << 0;
}

void TstEmployeeCsv::slashDate() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, ymd);
    int got = 0;
    QCOMPARE(ParseSlashDate(text, got), ok);
    if (ok) QCOMPARE(got, ymd);
}

void TstEmployeeCsv::sex_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("sex");
    for (const char *male : {"男性", "True", "true", "TRUE", "1", "-1", "男"})
        QTest::newRow(male) << QString::fromUtf8(male) << "男";
    for (const char *female : {"女性", "女", "", "0", "False", "tRUE", "M"})
        QTest::newRow(female[0] ? female : "empty") << QString::fromUtf8(female) << "女";
}

void TstEmployeeCsv::sex() {
    QFETCH(QString, value);
    QFETCH(QString, sex);
    QCOMPARE(NormaliseSex(value), sex);
}

void TstEmployeeCsv::checkRow_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("error");
    // Heading: 社員番号,社員名,性別,生年月日,入社日,賃金等級,本支店ID,職務ID,社内身分
    QTest::newRow("valid") << "A1,山田,男,1980/4/1,2003/04/01,3,1,2,正社員" << false;
    QTest::newRow("all optional empty") << "A1,山田,,,,,,," << false;
    QTest::newRow("no date written 0") << "A1,山田,,0,0,0,0,0," << false;
    QTest::newRow("empty name") << "A1,,男,,,,,," << true;
    QTest::newRow("empty number") << ",山田,男,,,,,," << true;
    QTest::newRow("grade 9") << "A1,山田,,,,9,,," << false;
    QTest::newRow("grade 10") << "A1,山田,,,,10,,," << true;
    QTest::newRow("grade negative") << "A1,山田,,,,-1,,," << true;
    QTest::newRow("grade text") << "A1,山田,,,,三,,," << true;
    QTest::newRow("branch id text") << "A1,山田,,,,,x,," << true;
    QTest::newRow("job id 12") << "A1,山田,,,,,,12," << false;
    QTest::newRow("birth dashes") << "A1,山田,,1980-01-01,,,,," << true;
    QTest::newRow("entry impossible") << "A1,山田,,,2003/13/01,,,," << true;
    // Spreadsheet programs leave out trailing empty cells.
    QTest::newRow("fewer fields") << "A1,山田,男" << false;
    QTest::newRow("name field missing") << "A1" << true;
    QTest::newRow("more fields") << "A1,山田,,,,,,,,extra" << false;
    QTest::newRow("more fields, bad one missing") << "A1,山田,,,,10" << true;
    QTest::newRow("unterminated quote") << "A1,\"山田,,,,,,," << true;
    QTest::newRow("quoted comma") << "A1,\"山田, 太郎\",,,,,,," << false;
    QTest::newRow("long field") << "A1," + QString(5000, QChar(u'名')) + ",,,,,,," << false;
}

void TstEmployeeCsv::checkRow() {
    QFETCH(QString, line);
    QFETCH(bool, error);
    const ImportCheck check = CheckEmployeeCsv(EncodeCp932(kHeading + "\r\n" + line + "\r\n"));
    QCOMPARE(check.outcome, ImportCheck::Checked);
    QCOMPARE(check.rows.size(), size_t(1));
    QCOMPARE(check.rows[0][ColStatus], error ? kStatusError : QString());
    QCOMPARE(check.errors, error ? 1 : 0);
}

void TstEmployeeCsv::checkRowValues_data() {
    QTest::addColumn<QString>("record");
    // The row's values in the order of kHeading, 性別 normalised.
    QTest::addColumn<QStringList>("values");
    QTest::newRow("all fields") << "A1,山田,男,1980/4/1,2003/04/01,3,1,2,正社員"
                                << QStringList{"A1", "山田", "男", "1980/4/1", "2003/04/01",
                                               "3",  "1",    "2",  "正社員"};
    QTest::newRow("missing trailing fields empty")
        << "A1,山田,男" << QStringList{"A1", "山田", "男", "", "", "", "", "", ""};
    QTest::newRow("fields after the heading ignored")
        << "A1,山田,,,,3,,,パート,x,\"y\","
        << QStringList{"A1", "山田", "女", "", "", "3", "", "", "パート"};
    QTest::newRow("long field kept")
        << "A1," + QString(5000, QChar(u'名'))
        << QStringList{"A1", QString(5000, QChar(u'名')), "女", "", "", "", "", "", ""};
}

void TstEmployeeCsv::checkRowValues() {
    QFETCH(QString, record);
    QFETCH(QStringList, values);
    const ImportCheck check = CheckEmployeeCsv(EncodeCp932(kHeading + "\r\n" + record + "\r\n"));
    QCOMPARE(check.rows.size(), size_t(1));
    const QList<int> order{ColNumber, ColName,     ColSex,   ColBirth,   ColEntry,
                           ColGrade,  ColBranchId, ColJobId, ColCategory};
    QStringList got;
    for (int c : order)
        got << check.rows[0][c];
    QCOMPARE(got, values);
}

void TstEmployeeCsv::checkOutcome_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("errors");
    const QByteArray heading = EncodeCp932(kHeading + "\r\n");
    QTest::newRow("empty file") << QByteArray() << int(ImportCheck::NoData) << 0 << 0;
    QTest::newRow("heading only") << heading << int(ImportCheck::NoData) << 0 << 0;
    QTest::newRow("blank lines only") << heading + "\r\n\r\n" << int(ImportCheck::NoData) << 0 << 0;
    QTest::newRow("unknown headings")
        << EncodeCp932("番号,氏名\r\n1,a\r\n") << int(ImportCheck::NoHeading) << 0 << 0;
    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 37) & 0xFF);
    QTest::newRow("binary") << binary << int(ImportCheck::NoHeading) << 0 << 0;
    QTest::newRow("invalid shift_jis row")
        << heading + EncodeCp932("A1,山田,,,,,,,\r\n") + "A2,\x81\x20,,,,,,,\r\n"
        << int(ImportCheck::Checked) << 2 << 1;
    QTest::newRow("blank line skipped") << heading + "\r\nA1,x,,,,,,,\r\n"
                                        << int(ImportCheck::Checked) << 1 << 0;
}

void TstEmployeeCsv::checkOutcome() {
    QFETCH(QByteArray, content);
    QFETCH(int, outcome);
    QFETCH(int, rows);
    QFETCH(int, errors);
    const ImportCheck check = CheckEmployeeCsv(content);
    QCOMPARE(int(check.outcome), outcome);
    QCOMPARE(int(check.rows.size()), rows);
    QCOMPARE(check.errors, errors);
}

void TstEmployeeCsv::checkMapsHeadingsInAnyOrder() {
    const QString text = QStringLiteral("配属,謎,公的資格,社員名,社員番号,性別\r\n"
                                        "本社,?,簿記,\"佐藤, 花子\",0012,女性\r\n"
                                        "\r\n"
                                        "支店,?,,鈴木,0013,TRUE\r\n");
    const ImportCheck check = CheckEmployeeCsv(text.toUtf8());
    QCOMPARE(check.outcome, ImportCheck::Checked);
    QCOMPARE(check.errors, 0);
    QCOMPARE(check.rows.size(), size_t(2));
    QCOMPARE(check.rows[0][ColPosting], QStringLiteral("本社"));
    QCOMPARE(check.rows[0][ColQualification], QStringLiteral("簿記"));
    QCOMPARE(check.rows[0][ColName], QStringLiteral("佐藤, 花子"));
    QCOMPARE(check.rows[0][ColNumber], QStringLiteral("0012"));
    QCOMPARE(check.rows[0][ColSex], QStringLiteral("女"));
    QCOMPARE(check.rows[1][ColSex], QStringLiteral("男"));
    QCOMPARE(check.lineNos, (std::vector<int>{2, 4}));
}

void TstEmployeeCsv::checkRecordsOverSeveralLines_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("names"); // "!" before a name: the row is an error
    QTest::addColumn<QList<int>>("lineNos");
    const QByteArray heading = EncodeCp932(kHeading + "\r\n");
    // As spreadsheet programs write a cell of two lines: LF inside, CR LF between records.
    QTest::newRow("lf in a cell") << heading + EncodeCp932("A1,\"山田\n太郎\",男\r\nA2,鈴木\r\n")
                                  << QStringList{"山田\n太郎", "鈴木"} << QList<int>{2, 4};
    QTest::newRow("cr lf in a cell")
        << heading + EncodeCp932("A1,\"山田\r\n\r\n太郎\",男\r\n\r\nA2,鈴木\r\n")
        << QStringList{"山田\n\n太郎", "鈴木"} << QList<int>{2, 6};
    QTest::newRow("utf-8, lf only") << (kHeading + "\nA1,\"山田\n太郎\"\nA2,\"鈴木\"\n").toUtf8()
                                    << QStringList{"山田\n太郎", "鈴木"} << QList<int>{2, 4};
    QTest::newRow("invalid bytes on a later line")
        << heading + EncodeCp932("A1,\"山田\r\n") + "\x81\x20\",男\r\n" + EncodeCp932("A2,鈴木\r\n")
        << QStringList{"!山田\n" + QString(QChar(0xFFFD)) + " ", "鈴木"} << QList<int>{2, 4};
    QTest::newRow("lone quote") << heading + EncodeCp932("A1,\"山田\r\n太\"郎\",男\r\nA2,鈴木\r\n")
                                << QStringList{"!山田\n太\"郎", "鈴木"} << QList<int>{2, 4};
    QTest::newRow("never closed") << heading + EncodeCp932("A1,鈴木\r\nA2,\"山田\r\nA3,x\r\n")
                                  << QStringList{"鈴木", "!山田\nA3,x"} << QList<int>{2, 3};
}

void TstEmployeeCsv::checkRecordsOverSeveralLines() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, lineNos);
    const ImportCheck check = CheckEmployeeCsv(content);
    QCOMPARE(check.outcome, ImportCheck::Checked);
    QStringList got;
    for (const ImportRow &row : check.rows)
        got << (row[ColStatus] == kStatusError ? "!" : "") + row[ColName];
    QCOMPARE(got, names);
    QCOMPARE(QList<int>(check.lineNos.begin(), check.lineNos.end()), lineNos);
    QCOMPARE(check.errors, int(names.filter(QRegularExpression("^!")).size()));
}

void TstEmployeeCsv::checkLongLineIsLinear() {
    // One line of a megabyte, as heading and as data; both are refused without hanging.
    const QByteArray big(1 << 20, 'x');
    QCOMPARE(CheckEmployeeCsv(big).outcome, ImportCheck::NoHeading);
    const QByteArray quoted = "\"" + QByteArray(1 << 20, ',');
    QCOMPARE(CheckEmployeeCsv(quoted).outcome, ImportCheck::NoHeading);
    const ImportCheck check = CheckEmployeeCsv(EncodeCp932(kHeading + "\r\n") + big + "\r\n");
    QCOMPARE(check.rows.size(), size_t(1));
    QCOMPARE(check.rows[0][ColStatus], kStatusError);
    const ImportCheck commas =
        CheckEmployeeCsv(EncodeCp932(kHeading + "\r\n") + QByteArray(1 << 20, ',') + "\r\n");
    QCOMPARE(commas.rows[0][ColStatus], kStatusError);
}

void TstEmployeeCsv::exportWritesShiftJisOrderedByNumber() {
    TestProgram p;
    openProject();
    p.messages.answer(true);
    ExportEmployees();
    QCOMPARE(p.messages.texts(),
             (QStringList{"社員マスタを" + G().gAppPath + "CSVへ出力します。\r\nよろしいですか？",
                          kMsgExported}));
    QCOMPARE(p.messages.entries[0].caption, QStringLiteral("NXｳﾞｧﾙﾃﾝ"));
    QCOMPARE(p.messages.entries[0].kind, MessageRecorder::Kind::YesNo);

    const QByteArray bytes = readFile(p.dir() + "/CSV/社員マスタ出力.CSV");
    QVERIFY(bytes.startsWith(EncodeCp932(kExportHeading) + "\r\n"));
    QVERIFY(bytes.endsWith("\r\n"));
    QString text;
    QVERIFY(DecodeCp932(bytes, text));
    QStringList lines = text.split("\r\n");
    QCOMPARE(lines.takeLast(), QString());
    const QStringList numbers = SqlColumn(
        DM().ACN2, "SELECT SCOT FROM MSYAIN1 WHERE KCO = 1 AND NENDO = 2018 ORDER BY SCOT");
    QCOMPARE(lines.size(), numbers.size() + 1);
    QVERIFY(numbers.size() > 50);
    for (int i = 0; i < numbers.size(); ++i) {
        QStringList fields;
        QVERIFY(ParseCsvLine(lines[i + 1], fields));
        QCOMPARE(fields.size(), 11);
        QCOMPARE(fields[0], numbers[i]);
    }
}

void TstEmployeeCsv::exportQuotesAndNoDate() {
    TestProgram p;
    openProject(7, 2030);
    exec("INSERT INTO MSYAIN1 (KCO, HSCO, SCO, NENDO, SCOT, SNA, SEIHI, NYUHI, YAKU) VALUES "
         "(7, 0, 1, 2030, '0002', '大\"谷, 翔', 0, 20010401, '課長'), "
         "(7, 0, 2, 2030, '0001', 'ソニア', 19991231, 0, '')");
    exec("INSERT INTO MSYAIN2 (KCO, SCO, NENDO, SEIBETSU, TOUKYU, SM2, GAKU, SENKOU, KEIKEN) "
         "VALUES (7, 1, 2030, 0, 4, '正社員', '大卒', '法学', '営業'), "
         "(7, 2, 2030, 1, 9, 'パート', '', " + SqlText("a\r\nb\rc") + ", '')");
    p.messages.answer(true);
    ExportEmployees();
    QString text;
    QVERIFY(DecodeCp932(readFile(EmployeeExportPath()), text));
    QCOMPARE(text,
             kExportHeading +
                 "\r\n"
                 "\"0001\",\"ソニア\",\"\",\"女\",\"\",\"a\nb\nc\",\"\",\"パート\",\"1999/12/31\","
                 "\"0\",9\r\n"
                 "\"0002\",\"大\"\"谷, 翔\",\"課長\",\"男\",\"大卒\",\"法学\",\"営業\","
                 "\"正社員\",\"0\",\"2001/04/01\",4\r\n");
}

void TstEmployeeCsv::exportTellsWhatTheCodePageCannotHold() {
    TestProgram p;
    openProject(7, 2030);
    // 𠮷 and the emoji are outside code page 932; the wave dash has a code page 932 form.
    exec("INSERT INTO MSYAIN1 (KCO, HSCO, SCO, NENDO, SCOT, SNA, YAKU) VALUES "
         "(7, 0, 1, 2030, '0003', '𠮷野 花子', '課長'), "
         "(7, 0, 2, 2030, '0001', '山田 太郎', '主任〜'), "
         "(7, 0, 3, 2030, '0002', '佐藤 一郎', '😀')");
    exec("INSERT INTO MSYAIN2 (KCO, SCO, NENDO, SEIBETSU, TOUKYU, SM2, GAKU, SENKOU, KEIKEN) "
         "VALUES (7, 1, 2030, 1, 1, '正社員', '', '', ''), "
         "(7, 2, 2030, 0, 2, '', '', '', ''), "
         "(7, 3, 2030, 0, 3, '', '', '法学😀', '営業')");
    p.messages.answer(true);
    ExportEmployees();
    QCOMPARE(p.messages.entries.size(), 2);
    QCOMPARE(p.messages.lastText(),
             kMsgExported +
                 "\r\nただし、次の社員の項目にはShift_JISで表せない文字が有るため、その文字を"
                 "「?」で出力しました。\r\n"
                 "0002　佐藤 一郎　（役職、専攻）\r\n"
                 "0003　𠮷野 花子　（社員名）");
    QString text;
    QVERIFY(DecodeCp932(readFile(EmployeeExportPath()), text));
    QVERIFY(text.contains("\"0001\",\"山田 太郎\",\"主任～\","));
    QVERIFY(text.contains("\"0002\",\"佐藤 一郎\",\"?\",\"男\",\"\",\"法学?\",\"営業\","));
    QVERIFY(text.contains("\"0003\",\"?野 花子\","));
}

void TstEmployeeCsv::exportListsTheFirstTwentyEmployees_data() {
    QTest::addColumn<int>("employees"); // each with a name the code page cannot hold
    QTest::addColumn<QString>("lastLine");
    QTest::newRow("20") << 20 << "0020　𠮷 20　（社員名）";
    QTest::newRow("21") << 21 << "ほか1名";
    QTest::newRow("300") << 300 << "ほか280名";
}

void TstEmployeeCsv::exportListsTheFirstTwentyEmployees() {
    QFETCH(int, employees);
    QFETCH(QString, lastLine);
    TestProgram p;
    openProject(7, 2030);
    exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                        "WHERE i < %1) INSERT INTO MSYAIN1 (KCO, HSCO, SCO, NENDO, SCOT, SNA) "
                        "SELECT 7, 0, i, 2030, substr('0000' || i, length('0000' || i) - 3), "
                        "'𠮷 ' || i FROM n")
             .arg(employees));
    exec("INSERT INTO MSYAIN2 (KCO, SCO, NENDO) SELECT KCO, SCO, NENDO FROM MSYAIN1 "
         "WHERE KCO = 7 AND NENDO = 2030");
    p.messages.answer(true);
    ExportEmployees();
    const QStringList lines = p.messages.lastText().split("\r\n");
    QCOMPARE(lines.size(), 2 + 20 + (employees > 20 ? 1 : 0));
    QCOMPARE(lines[2], QStringLiteral("0001　𠮷 1　（社員名）"));
    QCOMPARE(lines.last(), lastLine);
}

void TstEmployeeCsv::exportNeedsYes() {
    TestProgram p;
    openProject();
    ExportEmployees(); // the recorder answers No
    QCOMPARE(p.messages.entries.size(), 1);
    QVERIFY(!QFile::exists(EmployeeExportPath()));
}

void TstEmployeeCsv::exportWithoutEmployees() {
    TestProgram p;
    openProject(1, 2030);
    p.messages.answer(true);
    ExportEmployees();
    QCOMPARE(p.messages.lastText(), QStringLiteral("社員マスタは有りません。"));
    QVERIFY(!QFile::exists(EmployeeExportPath()));
}

void TstEmployeeCsv::exportFailureIsReported() {
    TestProgram p;
    openProject();
    QVERIFY(QDir().mkpath(EmployeeExportPath())); // a folder where the file should go
    p.messages.answer(true);
    ExportEmployees();
    QCOMPARE(p.messages.lastText(), kMsgExportFailed + EmployeeExportPath());
}

QTEST_GUILESS_MAIN(TstEmployeeCsv)
#include "tst_employee_csv.moc"
