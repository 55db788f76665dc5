// The chart of the raise-curve design: which employees become points, their values, the axis
// ranges widened by the design points, and the order rule of the design points.

#include "design_point_set.h"

#include <QTest>

Q_DECLARE_METATYPE(TDesignPoints)

namespace {

TDesignEmployee employee(qint64 sco, int age, double kkyu1, int mco = 1, int grade = 1) {
    TDesignEmployee e;
    e.Sco = sco;
    e.Sna = QStringLiteral("社員%1").arg(sco);
    e.Mco = mco;
    e.Toukyu = grade;
    e.Nenrei = age;
    e.Kkyu1 = kkyu1;
    return e;
}

DesignChartChoice everyone() {
    DesignChartChoice c;
    c.marks.fill(1);
    c.grades.fill(1);
    return c;
}

TDesignPoints design(std::initializer_list<std::pair<int, double>> points) {
    TDesignPoints d;
    int n = 1;
    for (auto [age, amount] : points) {
        d.age[n] = age;
        d.amount[n++] = amount;
    }
    return d;
}

} // namespace

class TstDesignPointSet : public QObject {
    Q_OBJECT
private slots:
    void axisRanges_data();
    void axisRanges();
    void selectionAndValues();
    void itemValues();
    void pointOrder_data();
    void pointOrder();
};

void TstDesignPointSet::axisRanges_data() {
    QTest::addColumn<QList<int>>("ages");
    QTest::addColumn<QList<double>>("wages"); // yen
    QTest::addColumn<TDesignPoints>("points"); // design 2
    QTest::addColumn<QList<int>>("axes");      // xMin, xMax, yMin, yMax

    const QList<int> to58{23, 40, 58};
    const QList<double> wages{184000, 263000, 341000};
    QTest::newRow("design at 70 over employees to 58")
        << to58 << wages << design({{22, 200000}, {70, 450000}}) << QList<int>{20, 80, 15, 50};
    QTest::newRow("employees to 52 without designs")
        << QList<int>{25, 52} << QList<double>{200000, 300000} << TDesignPoints{}
        << QList<int>{25, 60, 20, 35};
    QTest::newRow("employees to 55")
        << QList<int>{20, 55} << wages << TDesignPoints{} << QList<int>{20, 60, 15, 30};
    QTest::newRow("maximum 60 ends at 70")
        << QList<int>{25, 60} << wages << TDesignPoints{} << QList<int>{25, 70, 15, 30};
    QTest::newRow("age 0 and 5,000 yen reach 0")
        << to58 << wages << design({{0, 5000}}) << QList<int>{0, 60, 0, 35};
    QTest::newRow("age 0 and 4,999 yen are no point")
        << to58 << wages << design({{0, 4999}}) << QList<int>{20, 60, 15, 35};
    QTest::newRow("an amount alone widens Y")
        << to58 << wages << design({{0, 650000}}) << QList<int>{0, 60, 15, 70};
}

void TstDesignPointSet::axisRanges() {
    QFETCH(QList<int>, ages);
    QFETCH(QList<double>, wages);
    QFETCH(TDesignPoints, points);
    QFETCH(QList<int>, axes);
    std::vector<TDesignEmployee> employees;
    for (int i = 0; i < ages.size(); ++i)
        employees.push_back(employee(i + 1, ages[i], wages[i % wages.size()]));
    TDesignSet designs{};
    designs[2] = points;
    const std::optional<DesignPointSet> set = BuildDesignPointSet(employees, everyone(), designs);
    QVERIFY(set);
    QCOMPARE((QList<int>{set->xMin, set->xMax, set->yMin, set->yMax}), axes);
}

void TstDesignPointSet::selectionAndValues() {
    std::vector<TDesignEmployee> employees{
        employee(1, 30, 250000, 1, 1), employee(2, 40, 300049, 2, 9),
        employee(3, 50, 999999, 0, 1), // no mark group
        employee(4, 50, 999999, 7, 1), // outside the groups
        employee(5, 50, 999999, 1, 0), // no grade
        employee(6, 50, 999999, 1, 10), employee(7, 35, 220000, 3, 2)};
    employees[1].Jiseki = 4;
    employees[6].Jiseki = 9;
    DesignChartChoice choice = everyone();
    choice.marks[3] = 0; // employee 7 left out
    TDesignSet designs{};
    designs[1] = design({{80, 900000}}); // widens the ranges, not the averages
    std::optional<DesignPointSet> set = BuildDesignPointSet(employees, choice, designs);
    QVERIFY(set);
    QCOMPARE(set->points.size(), size_t(2));
    QCOMPARE(set->points[0].Sco, 1);
    QCOMPARE(set->points[1].Sco, 2);
    QCOMPARE(set->points[1].Y, 30.0); // 300,049 yen in 10,000 yen to 2 decimals
    QCOMPARE(set->points[1].Mkco, 2);
    QCOMPARE(set->points[0].Markl, QStringLiteral("1"));
    QCOMPARE(set->xAverage, 35);
    QCOMPARE(set->yAverage, 28.0); // 27.5 rounded to a whole number
    QCOMPARE(set->lastJiseki, 4);
    QCOMPARE(set->xMax, 90);

    choice.grades.fill(0);
    QVERIFY(!BuildDesignPointSet(employees, choice, designs));
    QVERIFY(!BuildDesignPointSet({}, everyone(), designs));
}

void TstDesignPointSet::itemValues() {
    TDesignEmployee e = employee(12, 41, 200000);
    e.Kinzoku = 15;
    e.Nensu = 18;
    e.Gouhou = 33;
    e.Tritsu = 98.7;
    e.Tensu = 420;
    e.Kkyu2 = 30000;
    e.Kkyu3 = 12345;
    e.Syotei = 280000;
    e.Syouyo = 500000;
    e.Syouyo2 = 100000;
    e.Hyouka = QStringLiteral("Ａ");
    e.Zonex = 3;
    QCOMPARE((QList<double>{DesignXValue(e, 0), DesignXValue(e, 1), DesignXValue(e, 2),
                            DesignXValue(e, 3), DesignXValue(e, 4), DesignXValue(e, 5)}),
             (QList<double>{41, 15, 18, 33, 98, 420}));
    QCOMPARE((QList<double>{DesignYValue(e, 0), DesignYValue(e, 1), DesignYValue(e, 2),
                            DesignYValue(e, 3), DesignYValue(e, 4), DesignYValue(e, 5)}),
             (QList<double>{20, 3, 24.23, 28, 60, 396}));
    QCOMPARE((QStringList{DesignMarkLabel(e, 0), DesignMarkLabel(e, 1), DesignMarkLabel(e, 2),
                          DesignMarkLabel(e, 3)}),
             (QStringList{"12", "Ａ", "3", ""}));
}

void TstDesignPointSet::pointOrder_data() {
    QTest::addColumn<TDesignPoints>("points"); // design 3
    QTest::addColumn<int>("point");            // 0: accepted
    QTest::addColumn<int>("kind");
    QTest::newRow("none") << TDesignPoints{} << 0 << 0;
    QTest::newRow("in order") << design({{22, 200000}, {30, 250000}, {60, 400000}}) << 0 << 0;
    QTest::newRow("first point at 0") << design({{0, 180000}, {30, 250000}}) << 0 << 0;
    QTest::newRow("gap") << design({{22, 200000}, {0, 0}, {40, 300000}}) << 2
                         << int(DesignPointFault::Gap);
    QTest::newRow("first missing") << design({{0, 0}, {30, 250000}}) << 1
                                   << int(DesignPointFault::Gap);
    QTest::newRow("decreasing") << design({{30, 250000}, {22, 200000}}) << 2
                                << int(DesignPointFault::NotIncreasing);
    QTest::newRow("same age") << design({{22, 200000}, {40, 300000}, {40, 310000}}) << 3
                              << int(DesignPointFault::NotIncreasing);
    QTest::newRow("amount without age") << design({{22, 200000}, {0, 300000}}) << 2
                                        << int(DesignPointFault::NotIncreasing);
}

void TstDesignPointSet::pointOrder() {
    QFETCH(TDesignPoints, points);
    QFETCH(int, point);
    QFETCH(int, kind);
    TDesignSet designs{};
    designs[1] = design({{20, 1}, {30, 2}});
    designs[3] = points;
    const std::optional<DesignPointFault> fault = FindDesignPointFault(designs);
    QCOMPARE(fault.has_value(), point != 0);
    if (!fault) return;
    QCOMPARE(fault->design, 3);
    QCOMPARE(fault->point, point);
    QCOMPARE(int(fault->kind), kind);
}

QTEST_APPLESS_MAIN(TstDesignPointSet)
#include "tst_design_point_set.moc"
