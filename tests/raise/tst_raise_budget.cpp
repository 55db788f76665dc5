// The raise budget over in-memory bands, matrices and employees: the pay position of a band
// computed by hand, the budget in percent and yen, and the fit of every matrix rate to a
// budget.

#include "raise_budget.h"
#include "raise_budget_report.h"
#include "utilities.h"

#include <QTest>

namespace {

// Band 7 "営業": three zones 240,000-280,000-320,000-360,000, base wage 300,000; its matrix
// rates evaluation 1 at 5 / 3 / 1 % and evaluation 2 at 4 / 2 / 0.5 %. Band 8 "技術": two
// zones 300,000-350,000-400,000, base wage 350,000; evaluation 1 at 4 / 2 %.
struct Fixture {
    TBANDTBL2 bands2;
    TBANDTBL bands;
    TMATTBL matrices;
    std::vector<TBudgetBand> budgetBands;

    explicit Fixture(int marume = 0) {
        addBand(7, QStringLiteral("営業"), 300000,
                {{240000, 280000}, {280000, 320000}, {320000, 360000}},
                {{1, {5, 3, 1}}, {2, {4, 2, 0.5}}});
        addBand(8, QStringLiteral("技術"), 350000, {{300000, 350000}, {350000, 400000}},
                {{1, {4, 2}}});
        bands.Marume = marume;
        budgetBands = BudgetBands(bands2);
    }

    void addBand(int id, const QString &name, int kijun,
                 std::initializer_list<std::pair<int, int>> zones,
                 std::initializer_list<std::pair<int, std::vector<double>>> rates) {
        TBANDM2 band;
        band.BandId = QString::number(id);
        band.BandName = name;
        band.Kijun = kijun;
        int k = 1;
        for (auto [lower, upper] : zones) {
            band.ZoneKagen[k] = lower;
            band.ZoneJyogen[k] = upper;
            ++k;
        }
        band.ZoneSu = k - 1;
        bands2.Bands.push_back(band);
        TMATHYOUKA group;
        group.BandId = id;
        group.MatrixId = id;
        for (const auto &[evaluation, up] : rates) {
            TBANDM entry;
            static_cast<TBANDM2 &>(entry) = band;
            entry.YHyouka = QString::number(evaluation);
            bands.Bands.push_back(entry);
            TMATRIX cell;
            cell.YHyouka = evaluation;
            cell.ZoneSu = band.ZoneSu;
            for (size_t z = 0; z < up.size(); ++z)
                cell.Up[z + 1] = up[z];
            group.Cells.push_back(cell);
        }
        matrices.Rows.push_back(group);
    }
};

// An employee whose item 1 is linked to the band (or not, link 0) with no other change.
TBudgetEmployee employee(int sco, int band, int evaluation, qint64 pay, int link = 1) {
    TBudgetEmployee e;
    e.sco = sco;
    e.code = QString::number(sco);
    e.name = QStringLiteral("社員%1").arg(sco);
    e.pay.current[1] = pay;
    e.pay.entered[1] = pay;
    e.pay.link = link;
    e.pay.newBand = band;
    e.pay.newEvaluation = evaluation;
    return e;
}

} // namespace

class TstRaiseBudget : public QObject {
    Q_OBJECT
private slots:
    void positionOfOneBandByHand();
    void employeesOutsideTheBandsHaveLinesOfTheirOwn();
    void noBandsGiveAnEmptyTable();
    void budgetInPercentAndYen_data();
    void budgetInPercentAndYen();
    void fitMeetsTheBudgetWithinOneUnitPerEmployee_data();
    void fitMeetsTheBudgetWithinOneUnitPerEmployee();
    void fitOutOfReach();
    void scaledRatesKeepTwoDecimals_data();
    void scaledRatesKeepTwoDecimals();
    void csvHoldsTableAndLists();
};

void TstRaiseBudget::positionOfOneBandByHand() {
    Fixture f;
    // Band 7 (minimum 240,000, maximum 360,000, base 300,000):
    //   230,000 below the minimum: zone 0, no raise
    //   300,000 zone 2, 3 %: 309,000 (+9,000)
    //   312,000 zone 2, 3 %: 321,360 (+9,360)
    //   370,000 above the maximum: zone 0, held at 370,000
    // An allowance raise of 2,000 on the second counts in the raise, not in the pay position.
    std::vector<TBudgetEmployee> staff = {employee(1, 7, 1, 230000), employee(2, 7, 1, 300000),
                                          employee(3, 7, 1, 312000), employee(4, 7, 1, 370000)};
    staff[1].allowances = 10000;
    staff[1].newAllowances = 12000;
    const TBudgetPosition p =
        ComputeBudgetPosition(f.budgetBands, MatrixRaiseTable(f.bands, f.matrices), staff);
    QCOMPARE(p.bands.size(), size_t(2));
    const TBandPosition &b = p.bands[0];
    QCOMPARE(b.count, 4);
    QCOMPARE(b.payTotal, qint64(1212000));
    QCOMPARE(b.averagePay(), 303000.0);
    // Compa-ratio: (230 + 300 + 312 + 370) / 300 / 4 = 1.01.
    QVERIFY(qFuzzyCompare(b.averageCompa(), 1.01));
    QCOMPARE(CompaText(b.averageCompa()), QStringLiteral("1.01"));
    // Penetration: (-10 + 60 + 72 + 130) / 120 / 4 = 0.525.
    QVERIFY(qFuzzyCompare(b.averagePenetration(), 0.525));
    QCOMPARE(PenetrationText(b.averagePenetration()), QStringLiteral("53%"));
    QCOMPARE(b.below, 1);
    QCOMPARE(b.above, 1);
    QCOMPARE(b.raiseTotal, qint64(9000 + 2000 + 9360));
    QCOMPARE(b.fixedTotal, qint64(1222000));
    QCOMPARE(p.raiseTotal, qint64(20360));
    QCOMPARE(p.fixedTotal, qint64(1222000));
    QCOMPARE(p.bands[1].count, 0);

    QCOMPARE(p.above.size(), size_t(1));
    QCOMPARE(p.above[0].employee, 3);
    QCOMPARE(p.above[0].limit, 360000);
    QCOMPARE(p.above[0].distance, 10000);
    QCOMPARE(p.below.size(), size_t(1));
    QCOMPARE(p.below[0].employee, 0);
    QCOMPARE(p.below[0].distance, 10000);
    // Every linked employee is a point, at the pay before and after the raise.
    QCOMPARE(p.points.size(), size_t(4));
    QCOMPARE(p.points[2].pay, 312000);
    QCOMPARE(p.points[2].newPay, 321360);
    QCOMPARE(p.points[3].newPay, 370000);

    const TBudgetReportData data{f.budgetBands, staff, p, {}};
    QCOMPARE(BandTableLines(data).front(),
             (QStringList{"営業", "4", "300,000", "240,000", "360,000", "303,000", "1.01", "53%",
                          "1", "1", "20,360", "1.67%"}));
}

void TstRaiseBudget::employeesOutsideTheBandsHaveLinesOfTheirOwn() {
    Fixture f;
    // Without a link the entered amount counts; a link to a band that does not exist raises
    // nothing (the computation finds no band) and is no point of the picture.
    TBudgetEmployee unlinked = employee(1, 7, 1, 250000, 0);
    unlinked.pay.entered[1] = 256000;
    const std::vector<TBudgetEmployee> staff = {unlinked, employee(2, 99, 1, 300000),
                                                employee(3, 8, 1, 320000)};
    const TBudgetPosition p =
        ComputeBudgetPosition(f.budgetBands, MatrixRaiseTable(f.bands, f.matrices), staff);
    QCOMPARE(p.unlinked.count, 1);
    QCOMPARE(p.unlinked.raiseTotal, qint64(6000));
    QCOMPARE(p.noBand.count, 1);
    QCOMPARE(p.noBand.raiseTotal, qint64(0));
    QCOMPARE(p.bands[1].count, 1);
    QCOMPARE(p.bands[1].raiseTotal, qint64(12800)); // 320,000 x 4 %
    QCOMPARE(p.points.size(), size_t(1));
    QCOMPARE(p.raiseTotal, qint64(18800));
    const std::vector<QStringList> lines = BandTableLines({f.budgetBands, staff, p, {}});
    QCOMPARE(lines.size(), size_t(5));
    QCOMPARE(lines[2].first(), kNoBandLabel);
    QCOMPARE(lines[3].first(), kUnlinkedLabel);
    QCOMPARE(lines[4].first(), kTotalLabel);
    QCOMPARE(lines[4][1], QStringLiteral("3"));
    QCOMPARE(lines[4][10], QStringLiteral("18,800"));
}

void TstRaiseBudget::noBandsGiveAnEmptyTable() {
    const std::vector<TBudgetEmployee> staff = {employee(1, 7, 1, 300000)};
    const TBudgetPosition p =
        ComputeBudgetPosition({}, MatrixRaiseTable(TBANDTBL{}, TMATTBL{}), staff);
    QVERIFY(p.bands.empty());
    QVERIFY(p.points.empty());
    QCOMPARE(p.noBand.count, 1);
    QCOMPARE(p.raiseTotal, qint64(0));
}

void TstRaiseBudget::budgetInPercentAndYen_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("percent");
    QTest::addColumn<qint64>("amount");
    QTest::addColumn<qint64>("fixedTotal");
    QTest::addColumn<qint64>("expectedAmount");
    QTest::addColumn<double>("expectedPercent");
    QTest::newRow("percent") << int(TRaiseBudget::Percent) << 2.5 << qint64(0) << qint64(1000000)
                             << qint64(25000) << 2.5;
    QTest::newRow("percent rounds half away to whole yen")
        << int(TRaiseBudget::Percent) << 1.25 << qint64(0) << qint64(1234) << qint64(15) << 1.25;
    QTest::newRow("amount") << int(TRaiseBudget::Amount) << 0.0 << qint64(30000) << qint64(1200000)
                            << qint64(30000) << 2.5;
    QTest::newRow("amount without fixed pay")
        << int(TRaiseBudget::Amount) << 0.0 << qint64(30000) << qint64(0) << qint64(30000) << 0.0;
}

void TstRaiseBudget::budgetInPercentAndYen() {
    QFETCH(int, kind);
    QFETCH(double, percent);
    QFETCH(qint64, amount);
    QFETCH(qint64, fixedTotal);
    TRaiseBudget budget;
    budget.kind = kind;
    budget.percent = percent;
    budget.amount = amount;
    QTEST(BudgetAmount(budget, fixedTotal), "expectedAmount");
    QTEST(BudgetPercent(budget, fixedTotal), "expectedPercent");
}

void TstRaiseBudget::fitMeetsTheBudgetWithinOneUnitPerEmployee_data() {
    QTest::addColumn<int>("marume");
    QTest::addColumn<double>("share"); // the budget as a share of the planned total
    QTest::newRow("tens, 80 %") << 0 << 0.8;
    QTest::newRow("tens, 130 %") << 0 << 1.3;
    QTest::newRow("hundreds, 55 %") << 1 << 0.55;
    QTest::newRow("thousands, 90 %") << 2 << 0.9;
    QTest::newRow("exactly the plan") << 0 << 1.0;
}

void TstRaiseBudget::fitMeetsTheBudgetWithinOneUnitPerEmployee() {
    QFETCH(int, marume);
    QFETCH(double, share);
    Fixture f(marume);
    std::vector<TBudgetEmployee> staff;
    for (int n = 0; n < 300; ++n)
        staff.push_back(
            employee(n + 1, n % 3 == 0 ? 8 : 7, n % 5 == 0 ? 2 : 1, 240000 + (n * 7919) % 155000));
    const qint64 planned = PlannedRaiseTotal(MatrixRaiseTable(f.bands, f.matrices), staff);
    QVERIFY(planned > 0);
    const qint64 budget = qint64(planned * share);
    const TBudgetFit fit = FitToBudget(f.bands, f.matrices, staff, budget);
    QCOMPARE(fit.result, TBudgetFit::Fitted);
    const qint64 unit = marume == 0 ? 10 : marume == 1 ? 100 : 1000;
    QVERIFY2(fit.fittedTotal <= budget && budget - fit.fittedTotal <= unit * qint64(staff.size()),
             qPrintable(QStringLiteral("budget %1, fitted %2").arg(budget).arg(fit.fittedTotal)));
    if (share == 1.0) QCOMPARE(fit.fittedTotal, budget);
    // The totals are those of the computation at the factor, the stored one with its rates.
    QCOMPARE(fit.fittedTotal,
             PlannedRaiseTotal(
                 MatrixRaiseTable(f.bands, ExactlyScaledMatrices(f.matrices, fit.factor)), staff));
    QCOMPARE(fit.appliedTotal,
             PlannedRaiseTotal(MatrixRaiseTable(f.bands, ScaledMatrices(f.matrices, fit.factor)),
                               staff));
    // Unless the budget is met exactly, a slightly larger factor passes it: the factor is the
    // largest that fits.
    if (fit.fittedTotal != budget)
        QVERIFY(PlannedRaiseTotal(
                    MatrixRaiseTable(f.bands, ExactlyScaledMatrices(f.matrices, fit.factor + 2e-7)),
                    staff) > budget);
    QVERIFY(fit.evaluations < 80);
}

void TstRaiseBudget::fitOutOfReach() {
    Fixture f;
    // An allowance raise of 5,000 that no matrix rate changes.
    std::vector<TBudgetEmployee> staff = {employee(1, 7, 1, 300000), employee(2, 8, 1, 310000)};
    staff[0].newAllowances = 5000;
    const TBudgetFit below = FitToBudget(f.bands, f.matrices, staff, 4000);
    QCOMPARE(below.result, TBudgetFit::BelowReach);
    QCOMPARE(below.factor, 0.0);
    QCOMPARE(below.fittedTotal, qint64(5000));
    // Band limits hold the raises: 360,000 - 300,000 and 400,000 - 310,000 at most.
    const TBudgetFit beyond = FitToBudget(f.bands, f.matrices, staff, 1000000);
    QCOMPARE(beyond.result, TBudgetFit::BeyondReach);
    QCOMPARE(beyond.factor, kMaxBudgetFactor);
    QCOMPARE(beyond.fittedTotal, qint64(5000 + 60000 + 90000));
}

void TstRaiseBudget::scaledRatesKeepTwoDecimals_data() {
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("factor");
    QTest::addColumn<double>("scaled");
    QTest::newRow("down") << 3.0 << 0.8765 << 2.63;
    QTest::newRow("half away from zero") << 2.5 << 0.5 << 1.25;
    QTest::newRow("third place rounds up") << 1.0 << 1.2345 << 1.23;
    QTest::newRow("zero stays zero") << 0.0 << 1.7 << 0.0;
    QTest::newRow("negative rate") << -1.0 << 0.555 << -0.56;
}

void TstRaiseBudget::scaledRatesKeepTwoDecimals() {
    QFETCH(double, rate);
    QFETCH(double, factor);
    QTEST(ScaledRate(rate, factor), "scaled");
}

void TstRaiseBudget::csvHoldsTableAndLists() {
    Fixture f;
    const std::vector<TBudgetEmployee> staff = {employee(1, 7, 1, 230000),
                                                employee(2, 7, 1, 1370000)};
    const TBudgetPosition p =
        ComputeBudgetPosition(f.budgetBands, MatrixRaiseTable(f.bands, f.matrices), staff);
    const QStringList lines =
        BudgetCsvText({f.budgetBands, staff, p, {}}).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.value(0), BandTableHeadings().join(QLatin1Char(',')));
    // Amounts as plain numbers.
    QCOMPARE(lines.value(1),
             QStringLiteral("営業,2,300000,240000,360000,800000,2.67,467%,1,1,0,0.00%"));
    QCOMPARE(lines.value(2), QStringLiteral("技術,0,350000,300000,400000,,,,0,0,0,"));
    QCOMPARE(lines.value(3), QStringLiteral("合計,2,,,,,,,,,0,0.00%"));
    QCOMPARE(lines.value(4), QString());
    QCOMPARE(lines.value(5), QStringLiteral("上限超,社員コード,氏名,バンド,賃金,上限額,超過額"));
    QCOMPARE(lines.value(6), QStringLiteral(",2,社員2,営業,1370000,360000,1010000"));
    QCOMPARE(lines.value(8), QStringLiteral("下限未満,社員コード,氏名,バンド,賃金,下限額,不足額"));
    QCOMPARE(lines.value(9), QStringLiteral(",1,社員1,営業,230000,240000,10000"));
    QCOMPARE(lines.value(10), QString());
    QCOMPARE(lines.size(), 11);
}

QTEST_MAIN(TstRaiseBudget)
#include "tst_raise_budget.moc"
