#include "colour_text.h"

#include <QTest>

class Tst_colour_text : public QObject {
    Q_OBJECT
private slots:
    void fromText_data();
    void fromText();
    void toText_data();
    void toText();
    void roundTrip_data();
    void roundTrip();
};

void Tst_colour_text::fromText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("expected");
    const QColor black(0, 0, 0);
    QTest::newRow("clBlack") << "clBlack" << black;
    QTest::newRow("clMaroon") << "clMaroon" << QColor(128, 0, 0);
    QTest::newRow("clGreen") << "clGreen" << QColor(0, 128, 0);
    QTest::newRow("clOlive") << "clOlive" << QColor(128, 128, 0);
    QTest::newRow("clNavy") << "clNavy" << QColor(0, 0, 128);
    QTest::newRow("clPurple") << "clPurple" << QColor(128, 0, 128);
    QTest::newRow("clTeal") << "clTeal" << QColor(0, 128, 128);
    QTest::newRow("clGray") << "clGray" << QColor(128, 128, 128);
    QTest::newRow("clSilver") << "clSilver" << QColor(192, 192, 192);
    QTest::newRow("clRed") << "clRed" << QColor(255, 0, 0);
    QTest::newRow("clLime") << "clLime" << QColor(0, 255, 0);
    QTest::newRow("clYellow") << "clYellow" << QColor(255, 255, 0);
    QTest::newRow("clBlue") << "clBlue" << QColor(0, 0, 255);
    QTest::newRow("clFuchsia") << "clFuchsia" << QColor(255, 0, 255);
    QTest::newRow("clAqua") << "clAqua" << QColor(0, 255, 255);
    QTest::newRow("clWhite") << "clWhite" << QColor(255, 255, 255);
    QTest::newRow("clMoneyGreen") << "clMoneyGreen" << QColor(192, 220, 192);
    QTest::newRow("clSkyBlue") << "clSkyBlue" << QColor(166, 202, 240);
    QTest::newRow("clCream") << "clCream" << QColor(255, 251, 240);
    QTest::newRow("clMedGray") << "clMedGray" << QColor(160, 160, 164);
    QTest::newRow("alias clLtGray") << "clLtGray" << QColor(192, 192, 192);
    QTest::newRow("name in other case") << "CLRED" << QColor(255, 0, 0);
    QTest::newRow("surrounding spaces") << " clNavy " << QColor(0, 0, 128);
    QTest::newRow("hex is blue-green-red") << "$00FF8000" << QColor(0, 128, 255);
    QTest::newRow("hex lower case") << "$000080ff" << QColor(255, 128, 0);
    QTest::newRow("hex palette-relative") << "$02102030" << QColor(0x30, 0x20, 0x10);
    QTest::newRow("hex system colour") << "$FF000005" << black;
    QTest::newRow("decimal value") << "255" << QColor(255, 0, 0);
    QTest::newRow("#RRGGBB") << "#336699" << QColor(0x33, 0x66, 0x99);
    QTest::newRow("empty") << "" << black;
    QTest::newRow("zero") << "0" << black;
    QTest::newRow("unknown name") << "clBtnFace" << black;
    QTest::newRow("bad hex") << "$12G" << black;
    QTest::newRow("bad #") << "#xyz" << black;
    QTest::newRow("negative") << "-1" << black;
}

void Tst_colour_text::fromText() {
    QFETCH(QString, text);
    QFETCH(QColor, expected);
    QCOMPARE(ColourFromText(text), expected);
}

void Tst_colour_text::toText_data() {
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("expected");
    QTest::newRow("black") << QColor(0, 0, 0) << "clBlack";
    QTest::newRow("red") << QColor(255, 0, 0) << "clRed";
    QTest::newRow("silver, not its alias") << QColor(192, 192, 192) << "clSilver";
    QTest::newRow("gray, not its alias") << QColor(128, 128, 128) << "clGray";
    QTest::newRow("sky blue") << QColor(166, 202, 240) << "clSkyBlue";
    QTest::newRow("alpha ignored") << QColor(0, 0, 255, 10) << "clBlue";
    QTest::newRow("other colour") << QColor(0, 128, 255) << "$00FF8000";
    QTest::newRow("small values padded") << QColor(1, 2, 3) << "$00030201";
    QTest::newRow("invalid") << QColor() << "clBlack";
}

void Tst_colour_text::toText() {
    QFETCH(QColor, colour);
    QFETCH(QString, expected);
    QCOMPARE(ColourToText(colour), expected);
}

void Tst_colour_text::roundTrip_data() {
    QTest::addColumn<QColor>("colour");
    for (const QColor &c : {QColor(12, 34, 56), QColor(255, 255, 254), QColor(0, 0, 1),
                            QColor(128, 0, 0), QColor(160, 160, 164)})
        QTest::newRow(qPrintable(c.name())) << c;
}

void Tst_colour_text::roundTrip() {
    QFETCH(QColor, colour);
    QCOMPARE(ColourFromText(ColourToText(colour)), colour);
}

QTEST_MAIN(Tst_colour_text)
#include "tst_colour_text.moc"
