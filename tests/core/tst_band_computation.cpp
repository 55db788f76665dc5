// The band design arithmetic: band range, zone width and zone limits from base wage and
// percentages; the refusals; the zone boundaries shown and read back.

#include "band_computation.h"

#include <QTest>

namespace {
using Limits = QList<int>; // lower1, upper1, ..., lower5, upper5

TBANDM2 bandOf(int zones) {
    TBANDM2 b;
    b.BandId = QStringLiteral("1");
    b.ZoneSu = zones;
    return b;
}

Limits limitsOf(const TBANDM2 &b) {
    Limits l;
    for (int z = 1; z <= 5; ++z)
        l << b.ZoneKagen[z] << b.ZoneJyogen[z];
    return l;
}
} // namespace

class TstBandComputation : public QObject {
    Q_OBJECT
private slots:
    void bandAndZones_data();
    void bandAndZones();
    void refusals_data();
    void refusals();
    void unchangedBandIsNoChange();
    void preview();
    void boundariesShown_data();
    void boundariesShown();
    void boundariesRead();
};

void TstBandComputation::bandAndZones_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<int>("zones");
    QTest::addColumn<int>("marume");
    QTest::addColumn<int>("bandLower");
    QTest::addColumn<int>("bandUpper");
    QTest::addColumn<int>("width");
    QTest::addColumn<Limits>("limits");

    QTest::newRow("300,000 ±20%, 3 zones, tens")
        << "300,000" << "-20" << "20" << 3 << 0 << 240000 << 360000 << 40000
        << Limits{240000, 280000, 280000, 320000, 320000, 360000, 0, 0, 0, 0};
    QTest::newRow("300,000 ±20%, 4 zones, thousands")
        << "300000" << "-20" << "20" << 4 << 2 << 240000 << 360000 << 30000
        << Limits{240000, 270000, 270000, 300000, 300000, 330000, 330000, 360000, 0, 0};
    QTest::newRow("250,000 ±15%, 3 zones, tens")
        << "250,000" << "-15" << "15" << 3 << 0 << 212500 << 287500 << 25000
        << Limits{212500, 237500, 237500, 262500, 262500, 287500, 0, 0, 0, 0};
    // Half away from zero: 212,500 becomes 213,000 and 287,500 becomes 288,000.
    QTest::newRow("250,000 ±15%, 3 zones, thousands")
        << "250,000" << "-15" << "15" << 3 << 2 << 213000 << 288000 << 25000
        << Limits{213000, 238000, 238000, 263000, 263000, 288000, 0, 0, 0, 0};
    QTest::newRow("2 zones store zones 3..5 as 0")
        << "300,000" << "-20" << "20" << 2 << 0 << 240000 << 360000 << 60000
        << Limits{240000, 300000, 300000, 360000, 0, 0, 0, 0, 0, 0};
    // The top zone ends at lower + width × zones, which the width's rounding may move off the
    // band's upper amount.
    QTest::newRow("width rounding moves the top")
        << "100,000" << "0" << "10" << 3 << 1 << 100000 << 110000 << 3300
        << Limits{100000, 103300, 103300, 106600, 106600, 109900, 0, 0, 0, 0};
    QTest::newRow("a lower percentage of 0 is accepted")
        << "200,000" << "0" << "50" << 5 << 0 << 200000 << 300000 << 20000
        << Limits{200000, 220000, 220000, 240000, 240000, 260000, 260000, 280000, 280000, 300000};
    // A band whose matrix is missing (zone count 0) is one zone over its whole range instead of
    // a division by zero.
    QTest::newRow("no matrix: one zone")
        << "300,000" << "-20" << "20" << 0 << 0 << 240000 << 360000 << 120000
        << Limits{240000, 360000, 0, 0, 0, 0, 0, 0, 0, 0};
}

void TstBandComputation::bandAndZones() {
    QFETCH(QString, base);
    QFETCH(QString, lower);
    QFETCH(QString, upper);
    QFETCH(int, zones);
    QFETCH(int, marume);
    TBANDM2 b = bandOf(zones);
    // Stale limits of a larger zone count are replaced.
    b.ZoneKagen[5] = 1;
    b.ZoneJyogen[5] = 2;
    bool changed = false;
    QCOMPARE(ComputeBand(b, {lower, base, upper}, marume, changed), BandError::None);
    QVERIFY(changed);
    QTEST(b.BandKagen, "bandLower");
    QTEST(b.BandJyogen, "bandUpper");
    QTEST(b.Range, "width");
    QTEST(limitsOf(b), "limits");
    QCOMPARE(b.Kijun, QString(base).remove(',').toInt());
    QCOMPARE(b.KagenRitsu, lower.toInt());
    QCOMPARE(b.JyogenRitsu, upper.toInt());
}

void TstBandComputation::refusals_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<BandError>("error");
    QTest::addColumn<QString>("message");

    const QString lowerMsg = QStringLiteral(" 下限%の入力エラーです。");
    const QString upperMsg = QStringLiteral(" 上限%の入力エラーです。");
    const QString baseMsg = QStringLiteral(" 基準賃金の入力エラーです。");
    QTest::newRow("base 0") << "0" << "-20" << "20" << BandError::BaseWage << baseMsg;
    QTest::newRow("base empty") << "" << "-20" << "20" << BandError::BaseWage << baseMsg;
    QTest::newRow("base negative") << "-5" << "-20" << "20" << BandError::BaseWage << baseMsg;
    QTest::newRow("lower abc") << "300,000" << "abc" << "20" << BandError::LowerPercent << lowerMsg;
    QTest::newRow("lower empty") << "300,000" << "" << "20" << BandError::LowerPercent << lowerMsg;
    QTest::newRow("lower -999") << "300,000" << "-999" << "20" << BandError::LowerPercent
                                << lowerMsg;
    QTest::newRow("upper with comma")
        << "300,000" << "-20" << "1,000" << BandError::UpperPercent << upperMsg;
    // Amounts beyond the stored integers are refused, not cut off.
    QTest::newRow("upper amount too large")
        << "99999999" << "-20" << "9999999" << BandError::UpperPercent << upperMsg;
    QTest::newRow("lower amount too small")
        << "99999999" << "-9999999" << "20" << BandError::LowerPercent << lowerMsg;
}

void TstBandComputation::refusals() {
    QFETCH(QString, base);
    QFETCH(QString, lower);
    QFETCH(QString, upper);
    TBANDM2 b = bandOf(3);
    b.ZoneKagen[1] = 111;
    bool changed = false;
    const BandError error = ComputeBand(b, {lower, base, upper}, 0, changed);
    QTEST(error, "error");
    QTEST(BandErrorText(error), "message");
    QCOMPARE(b.ZoneKagen[1], 111); // no zone is touched by a refused band
}

void TstBandComputation::unchangedBandIsNoChange() {
    TBANDM2 b = bandOf(3);
    bool changed = false;
    ComputeBand(b, {"-20", "300,000", "20"}, 0, changed);
    changed = false;
    QCOMPARE(ComputeBand(b, {"-20", "300000", "20"}, 0, changed), BandError::None);
    QVERIFY(!changed);
    QCOMPARE(ComputeBand(b, {"-20", "300000", "20"}, 2, changed), BandError::None);
    QVERIFY(!changed); // thousands change nothing here either
    QCOMPARE(ComputeBand(b, {"-20", "300000", "21"}, 0, changed), BandError::None);
    QVERIFY(changed);
}

void TstBandComputation::preview() {
    TBANDM2 b = bandOf(3);
    BandPreview p = PreviewBand(b, {"-20", "300,000", "20"});
    QCOMPARE(p.lower, 240000);
    QCOMPARE(p.upper, 360000);
    QCOMPARE(p.spread, 1.5);
    QCOMPARE(p.width, 120000.0);
    QCOMPARE(b.Kijun, 300000);
    QCOMPARE(b.Spread, 1.5);
    QCOMPARE(b.BandKagen, 240000);
    QCOMPARE(b.Range, 0); // the zone width comes from the band computation
    // Truncated, not rounded: 123,457 × 0.85 = 104,938.45.
    p = PreviewBand(b, {"-15", "123,457", "15"});
    QCOMPARE(p.lower, 104938);
    QCOMPARE(p.upper, 141975);
    QCOMPARE(p.spread, 1.4); // 1.3529... to one decimal
    // Texts that are no number read as 0; a lower amount below 1 gives spread 0.
    p = PreviewBand(b, {"abc", "300,000", "1,000"});
    QCOMPARE(b.KagenRitsu, 0);
    QCOMPARE(b.JyogenRitsu, 0);
    QCOMPARE(p.spread, 1.0);
    p = PreviewBand(b, {"-100", "300,000", "20"});
    QCOMPARE(p.spread, 0.0);
}

void TstBandComputation::boundariesShown_data() {
    QTest::addColumn<int>("zones");
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<QList<bool>>("enabled");
    QTest::newRow("2 zones") << 2 << QList<int>{1, 2, 3, 0, 0, 0}
                             << QList<bool>{true, true, true, false, false, false};
    QTest::newRow("3 zones") << 3 << QList<int>{1, 2, 3, 4, 0, 0}
                             << QList<bool>{true, true, true, true, false, false};
    QTest::newRow("5 zones") << 5 << QList<int>{1, 2, 3, 4, 5, 6}
                             << QList<bool>{true, true, true, true, true, true};
    QTest::newRow("no matrix") << 0 << QList<int>{1, 2, 0, 0, 0, 0}
                               << QList<bool>{true, true, false, false, false, false};
}

void TstBandComputation::boundariesShown() {
    QFETCH(int, zones);
    TBANDM2 b = bandOf(zones);
    // Zone z runs from z to z + 1 (in units of 100,000).
    for (int z = 1; z <= qMax(zones, 1); ++z) {
        b.ZoneKagen[z] = z;
        b.ZoneJyogen[z] = z + 1;
    }
    const ZoneBoundaries shown = BoundariesOf(b);
    QList<int> values;
    QList<bool> enabled;
    for (int k = 1; k <= 6; ++k) {
        values << shown.value[k];
        enabled << shown.enabled[k];
    }
    QTEST(values, "values");
    QTEST(enabled, "enabled");
}

void TstBandComputation::boundariesRead() {
    TBANDM2 b = bandOf(3);
    bool changed = false;
    std::array<std::optional<QString>, 7> texts{};
    texts[1] = "240,000";
    texts[2] = "280000";
    texts[3] = "";
    texts[4] = "360,000";
    QCOMPARE(ReadZoneBoundaries(b, texts, changed), 3);
    QCOMPARE(BoundaryErrorText(3), QStringLiteral(" ゾーンⅢの入力エラーです。"));
    QVERIFY(!changed);
    QCOMPARE(b.ZoneKagen[1], 0);

    // Boundaries need not ascend; disabled ones count as 0.
    texts[3] = "250,000";
    QCOMPARE(ReadZoneBoundaries(b, texts, changed), 0);
    QVERIFY(changed);
    QCOMPARE(limitsOf(b), (Limits{240000, 280000, 280000, 250000, 250000, 360000, 0, 0, 0, 0}));
    changed = false;
    QCOMPARE(ReadZoneBoundaries(b, texts, changed), 0);
    QVERIFY(!changed);

    const QStringList messages = {" 下限賃金の入力エラーです。", " ゾーンⅡの入力エラーです。",
                                  " ゾーンⅢの入力エラーです。", " ゾーンⅣの入力エラーです。",
                                  " ゾーンⅤの入力エラーです。", " 上限額の入力エラーです。"};
    for (int k = 1; k <= 6; ++k)
        QCOMPARE(BoundaryErrorText(k), messages[k - 1]);

    // A band with five zones reads all six boundaries, the last one the top of zone 5.
    TBANDM2 five = bandOf(5);
    for (int k = 1; k <= 6; ++k)
        texts[k] = QString::number(100 * k);
    QCOMPARE(ReadZoneBoundaries(five, texts, changed), 0);
    QCOMPARE(limitsOf(five), (Limits{100, 200, 200, 300, 300, 400, 400, 500, 500, 600}));
}

QTEST_MAIN(TstBandComputation)
#include "tst_band_computation.moc"
