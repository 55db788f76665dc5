// The design wage table: the yearly steps between the points with the rounding taken up by the
// last year, rates and indexes, the refusal of designs out of order, the lines of equal
// position and the CSV text with its average line.

#include "design_wage_table.h"

#include <QTest>

Q_DECLARE_METATYPE(TDesignPoints)
Q_DECLARE_METATYPE(DesignWageFault::Kind)

namespace {

TDesignPoints design(std::initializer_list<std::pair<int, double>> points) {
    TDesignPoints d;
    int n = 1;
    for (auto [age, amount] : points) {
        d.age[n] = age;
        d.amount[n++] = amount;
    }
    return d;
}

// A row as "age amount increase rate index".
QString rowText(const TDesignWageRow &r) {
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(r.age)
        .arg(QString::number(r.amount, 'f', 0), QString::number(r.increase, 'f', 0),
             QString::number(r.rate, 'f', 2))
        .arg(r.index);
}

QStringList rowTexts(const std::vector<TDesignWageRow> &rows) {
    QStringList texts;
    for (const TDesignWageRow &r : rows)
        texts << rowText(r);
    return texts;
}

const TDesignWageRow *rowAt(const std::vector<TDesignWageRow> &rows, int age) {
    for (const TDesignWageRow &r : rows)
        if (r.age == age) return &r;
    return nullptr;
}

} // namespace

class TstDesignWageTable : public QObject {
    Q_OBJECT
private slots:
    void workedExample();
    void rowsOfOneDesign_data();
    void rowsOfOneDesign();
    void faults_data();
    void faults();
    void faultTextNamesDesignAndPoint();
    void designsShareLinesByPosition();
    void wholeOrEmpty_data();
    void wholeOrEmpty();
    void csvText();
};

void TstDesignWageTable::workedExample() {
    const std::vector<TDesignWageRow> rows =
        DesignWageRows(design({{22, 180000}, {30, 250000}, {40, 330000}}), 1);
    QCOMPARE(rows.size(), size_t(19));
    for (int k = 0; k < 19; ++k) {
        QCOMPARE(rows[k].no, k + 1);
        QCOMPARE(rows[k].age, 22 + k);
        QCOMPARE(rows[k].design, 1);
    }
    for (int age = 23; age <= 29; ++age)
        QCOMPARE(rowAt(rows, age)->amount, 180000.0 + 8750.0 * (age - 22));
    QCOMPARE(rowAt(rows, 29)->amount, 241250.0);
    QCOMPARE(rowAt(rows, 29)->increase, 8750.0);
    QCOMPARE(rowAt(rows, 30)->amount, 250000.0);
    for (int age = 30; age <= 39; ++age) {
        QCOMPARE(rowAt(rows, age)->increase, 8000.0);
        QCOMPARE(rowAt(rows, age)->amount, 250000.0 + 8000.0 * (age - 30));
    }
    QCOMPARE(rowAt(rows, 40)->amount, 330000.0);
    QCOMPARE(rowAt(rows, 40)->increase, 0.0);
    QCOMPARE(rowAt(rows, 22)->rate, 4.86);
    QCOMPARE(rowAt(rows, 22)->index, 100);
    QCOMPARE(rowAt(rows, 40)->index, 183);
    QCOMPARE(rowAt(rows, 40)->rate, 0.0);
}

void TstDesignWageTable::rowsOfOneDesign_data() {
    QTest::addColumn<TDesignPoints>("points");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("single point") << design({{30, 250000}}) << QStringList{"30 250000 0 0.00 100"};
    QTest::newRow("all amounts zero")
        << design({{22, 0}, {25, 0}})
        << QStringList{"22 0 0 0.00 0", "23 0 0 0.00 0", "24 0 0 0.00 0", "25 0 0 0.00 0"};
    QTest::newRow("last year takes up the rounding")
        << design({{20, 200000}, {23, 210000}})
        << QStringList{"20 200000 3330 1.67 100", "21 203330 3330 1.64 102",
                       "22 206660 3340 1.62 103", "23 210000 0 0.00 105"};
    QTest::newRow("half a ten rounds up")
        << design({{20, 100000}, {22, 100010}})
        << QStringList{"20 100000 10 0.01 100", "21 100010 0 0.00 100", "22 100010 0 0.00 100"};
    QTest::newRow("falling curve rounds away from zero")
        << design({{50, 300000}, {52, 290000}})
        << QStringList{"50 300000 -5000 -1.67 100", "51 295000 -5000 -1.69 98",
                       "52 290000 0 0.00 97"};
    QTest::newRow("adjacent ages")
        << design({{30, 250000}, {31, 251234}, {32, 253000}})
        << QStringList{"30 250000 1234 0.49 100", "31 251234 1766 0.70 100",
                       "32 253000 0 0.00 101"};
    QTest::newRow("no points") << design({}) << QStringList{};
}

void TstDesignWageTable::rowsOfOneDesign() {
    QFETCH(TDesignPoints, points);
    QFETCH(QStringList, rows);
    QCOMPARE(rowTexts(DesignWageRows(points, 2)), rows);
}

void TstDesignWageTable::faults_data() {
    QTest::addColumn<TDesignPoints>("points");
    QTest::addColumn<int>("point"); // 0: no fault
    QTest::addColumn<DesignWageFault::Kind>("kind");
    TDesignPoints gap = design({{22, 180000}, {0, 0}, {40, 330000}});
    QTest::newRow("gap") << gap << 2 << DesignWageFault::Gap;
    QTest::newRow("decreasing") << design({{22, 180000}, {30, 250000}, {28, 330000}}) << 3
                                << DesignWageFault::NotIncreasing;
    QTest::newRow("equal ages") << design({{22, 180000}, {22, 250000}}) << 2
                                << DesignWageFault::NotIncreasing;
    QTest::newRow("amount without age") << design({{0, 180000}}) << 1 << DesignWageFault::NoAge;
    QTest::newRow("negative age") << design({{-5, 180000}, {10, 200000}}) << 1
                                  << DesignWageFault::NoAge;
    QTest::newRow("201 years") << design({{20, 1}, {120, 2}, {220, 3}}) << 3
                               << DesignWageFault::TooWide;
    QTest::newRow("200 years") << design({{20, 1}, {219, 3}}) << 0 << DesignWageFault::Gap;
    QTest::newRow("age without amount") << design({{20, 0}, {30, 1}}) << 0 << DesignWageFault::Gap;
    QTest::newRow("empty design") << design({}) << 0 << DesignWageFault::Gap;
}

void TstDesignWageTable::faults() {
    QFETCH(TDesignPoints, points);
    QFETCH(int, point);
    QFETCH(DesignWageFault::Kind, kind);
    TDesignSet designs{};
    designs[1] = design({{22, 180000}, {30, 250000}});
    designs[4] = points;
    const std::optional<DesignWageFault> fault = FindDesignWageFault(designs);
    if (point == 0) {
        QVERIFY(!fault);
        QCOMPARE(DesignWageRows(points, 4).size(),
                 size_t(points.age[1] == 0 ? 0 : points.age[2] - points.age[1] + 1));
        return;
    }
    QVERIFY(fault);
    QCOMPARE(fault->design, 4);
    QCOMPARE(fault->point, point);
    QCOMPARE(fault->kind, kind);
}

void TstDesignWageTable::faultTextNamesDesignAndPoint() {
    const QString gap = DesignWageFaultText({3, 2, DesignWageFault::Gap});
    QVERIFY2(gap.startsWith(QStringLiteral("設計３の点２")), qPrintable(gap));
    const QString wide = DesignWageFaultText({5, 6, DesignWageFault::TooWide});
    QVERIFY2(wide.startsWith(QStringLiteral("設計５の点６")) && wide.contains("199"),
             qPrintable(wide));
}

void TstDesignWageTable::designsShareLinesByPosition() {
    TDesignSet designs{};
    designs[1] = design({{22, 180000}, {30, 250000}, {40, 330000}});
    designs[3] = design({{30, 250000}, {60, 400000}});
    const std::vector<TDesignWageRow> rows = ComputeDesignWageTable(designs);
    QCOMPARE(rows.size(), size_t(19 + 31));
    for (size_t i = 1; i < rows.size(); ++i)
        QVERIFY(rows[i - 1].no < rows[i].no ||
                (rows[i - 1].no == rows[i].no && rows[i - 1].design < rows[i].design));
    const std::vector<TDesignWageLine> lines = DesignWageLines(rows);
    QCOMPARE(lines.size(), size_t(31));
    QCOMPARE(lines[0].no, 1);
    QCOMPARE(lines[0].rows[1]->age, 22);
    QCOMPARE(lines[0].rows[3]->age, 30);
    QVERIFY(!lines[0].rows[2]);
    QCOMPARE(lines[18].rows[1]->age, 40);
    QVERIFY(!lines[19].rows[1]);
    QCOMPARE(lines[30].rows[3]->age, 60);

    const TDesignWageSummaries s = SummariseDesignWageLines(lines);
    QCOMPARE(s[1].count, 19);
    QCOMPARE(s[1].first, 180000.0);
    QCOMPARE(s[1].last, 330000.0);
    QCOMPARE(s[1].yearlyIncrease(), 150000.0 / 18);
    QCOMPARE(s[3].count, 31);
    QCOMPARE(s[2].count, 0);
}

void TstDesignWageTable::wholeOrEmpty_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << "";
    QTest::newRow("below a half") << 0.49 << "";
    QTest::newRow("a half") << 0.5 << "1";
    QTest::newRow("negative half") << -0.5 << "-1";
    QTest::newRow("no separators") << 1234567.5 << "1234568";
}

void TstDesignWageTable::wholeOrEmpty() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FormatWholeOrEmpty(value), text);
}

void TstDesignWageTable::csvText() {
    TDesignSet designs{};
    designs[2] = design({{20, 200000}, {22, 210000}});
    designs[4] = design({{21, 0}, {22, 0}});
    designs[5] = design({{30, 300000}});
    const std::vector<TDesignWageRow> rows = ComputeDesignWageTable(designs);
    const QString text = DesignWageCsvText(QStringLiteral("試行, 2018"), DesignWageLines(rows));
    QCOMPARE(text, QStringLiteral("\"試行, 2018\"\r\n"
                                  ",設計１,,,設計２,,,設計３,,,設計４,,,設計５,\r\n"
                                  "年齢,職能給,格差,年齢,職能給,格差,年齢,職能給,格差,年齢,職能給,"
                                  "格差,年齢,職能給,格差\r\n"
                                  "0,0,0,20,200000,100,0,0,0,21,0,0,30,300000,100\r\n"
                                  "0,0,0,21,205000,103,0,0,0,22,0,0,0,0,0\r\n"
                                  "0,0,0,22,210000,105,0,0,0,0,0,0,0,0,0\r\n"
                                  ",,,平均,205000,5000,,,,平均,,,平均,300000,\r\n"));
}

QTEST_APPLESS_MAIN(TstDesignWageTable)
#include "tst_design_wage_table.moc"
