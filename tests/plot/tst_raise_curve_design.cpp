// The raise-curve design and its legend dialog: opening, the designs per item pair, the point
// boxes, saving, plotting with the changed-flag refusal, closing, and the legend's style.

#include "design_legend.h"
#include "design_report.h"
#include "plot_window.h"
#include "print_preview.h"
#include "raise_curve_design.h"
#include "screen_test.h"
#include "state.h"
#include "test_program.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

const QString kProject = QStringLiteral(" WHERE KCO = 1 AND NENDO = 2018");
const QString kMsgSaveFirst = QStringLiteral("ﾃﾞｰﾀが変更されています。登録　してください。");

class RecordingPlot : public TNX1100 {
protected:
    int ShowModal(QDialog *) override { return QDialog::Rejected; }
};

// The design screen with its legend dialog and the print preview recorded instead of shown.
// With VM_SCREENSHOT_DIR set, the preview is drawn once into design_preview.png there.
class RecordingDesign : public TNX1050 {
public:
    using TNX1050::TNX1050;
    QList<QDialog *> shownDialogs;
    QStringList previewedFiles;

protected:
    int ShowModal(QDialog *dialog) override {
        shownDialogs << dialog;
        return QDialog::Rejected;
    }
    void showPreview() override {
        previewedFiles << G().gPreviewFile;
        const QString dir = qEnvironmentVariable("VM_SCREENSHOT_DIR");
        if (dir.isEmpty()) return;
        TfrmPrintPreview *p = preview();
        p->prepare();
        p->setWindowState(Qt::WindowNoState);
        p->resize(1260, 900);
        p->show();
        p->showDocument();
        QApplication::processEvents();
        p->grab().save(QDir(dir).filePath(QStringLiteral("design_preview.png")));
        p->hide();
    }
};

QLineEdit *box(QWidget &dlg, const char *kind, int design, int point) {
    return find<QLineEdit>(dlg, QStringLiteral("%1%2%3").arg(QLatin1String(kind)).arg(design).arg(point));
}

// Types a point into the boxes of a design, leaving each box.
void typePoint(QWidget &dlg, int design, int point, int age, int amount) {
    typeInto(box(dlg, "txtNenrei", design, point), QString::number(age));
    leaveTo(box(dlg, "txtSyokunou", design, point));
    typeInto(box(dlg, "txtSyokunou", design, point), QString::number(amount));
    leaveTo(find<QLineEdit>(dlg, "txtTitle"));
}

QStringList designRows(const QString &where = QString()) {
    return SqlRows(DM().ACN2, "SELECT SDCO, X, Y, FCHKS, FREN, SNENREI1, SKIN1, SNENREI2, SKIN2, "
                              "KAISETSU, HANREI, SCOLOR, SSYURUI, SHABA FROM DSPDRAW" +
                                  kProject + where + " ORDER BY SDCO, rowid");
}

void insertDesign(int sdco, int x, int y, int age, int amount, const QString &hanrei = {}) {
    exec(DM().ACN2, QStringLiteral("INSERT INTO DSPDRAW (KCO, NENDO, SDCO, X, Y, FCHKS, FREN, "
                                   "SNENREI1, SKIN1, SNENREI2, SKIN2, KAISETSU, HANREI, SCOLOR, "
                                   "SSYURUI, SHABA) VALUES (1, 2018, %1, %2, %3, 1, 0, %4, %5, "
                                   "%6, %7, '解説%1', '%8', 'clRed', 2, 3)")
                        .arg(sdco)
                        .arg(x)
                        .arg(y)
                        .arg(age)
                        .arg(amount)
                        .arg(age + 20)
                        .arg(amount + 100000)
                        .arg(hanrei));
}

} // namespace

class TstRaiseCurveDesign : public QObject {
    Q_OBJECT
private slots:
    void openingCreatesChartRowsAndShowsDesigns();
    void saveInsertsUpdatesAndDeletes();
    void saveIsOneTransaction();
    void pointsOutOfOrderAreRefused_data();
    void pointsOutOfOrderAreRefused();
    void pointBoxChecks_data();
    void pointBoxChecks();
    void switchingItemShowsThatPairsDesigns();
    void legendBeforePointsMakesItsOwnRow();
    void execRefusedUntilSaved();
    void execWithoutDataWritesSettingsOnly();
    void closeAsksWhenChanged();
    void chartRowsAreWrittenInOneSave();
    void legendStyleBoxes();
    void wageTablePrintsAndWritesUnsavedPoints();
    void wageTableRefusesPointsOutOfOrder_data();
    void wageTableRefusesPointsOutOfOrder();
};

void TstRaiseCurveDesign::openingCreatesChartRowsAndShowsDesigns() {
    TestProgram p;
    openSample();
    insertDesign(1, 0, 0, 22, 180000, "総合職");
    insertDesign(3, 0, 0, 25, 200000);
    insertDesign(2, 0, 2, 30, 260000); // another Y item
    exec(DM().ACN2, "UPDATE DSPDRAW SET FREN = 1, FCHKS = 0" + kProject + " AND SDCO = 3");
    TNX1050 dlg;
    dlg.prepare();
    showActive(dlg);
    QCOMPARE(dlg.size(), QSize(850, 600));
    QCOMPARE(G().gChartCode, 1050);
    QCOMPARE(G().gCurveColor, QStringLiteral("clBlack"));
    QCOMPARE(SqlRows(DM().ACN2, "SELECT KNO, CGRAPH, FX, FY FROM MCHART" + kProject +
                                    " AND CHCO = 1050 ORDER BY KNO"),
             (QStringList{"1|1|0|0", "2|1|0|0", "3|1|0|0", "4|1|0|0", "5|1|0|0", "6|1|0|0"}));
    QVERIFY(find<QRadioButton>(dlg, "optPlotTrue")->isChecked());
    QVERIFY(find<QRadioButton>(dlg, "optSalaryAll")->isChecked());
    QCOMPARE(box(dlg, "txtNenrei", 1, 2)->text(), QStringLiteral("42"));
    QCOMPARE(box(dlg, "txtSyokunou", 1, 1)->text(), QStringLiteral("180,000"));
    QCOMPARE(box(dlg, "txtNenrei", 2, 1)->text(), QStringLiteral("0"));
    QCOMPARE(box(dlg, "txtNenrei", 3, 1)->text(), QStringLiteral("25"));
    QVERIFY(find<QCheckBox>(dlg, "chk1")->isChecked());
    QVERIFY(!find<QCheckBox>(dlg, "chk3")->isChecked());
    QVERIFY(find<QRadioButton>(dlg, "optHanrei3")->isChecked());
    QCOMPARE(G().gDesignLegend, (std::array<int, 5>{0, 0, 1, 0, 0}));
    QCOMPARE(find<QWidget>(dlg, "txtBikou")->property("plainText").toString(),
             QStringLiteral("解説1"));
    QCOMPARE(find<QLabel>(dlg, "Label001")->text(), QStringLiteral("年　　齢１"));
    QCOMPARE(find<QLabel>(dlg, "Label010")->text(), QStringLiteral("項　目　Ⅰ５"));
    QCOMPARE(G().gDataChanged, 0);
    QVERIFY(p.messages.entries.isEmpty());
}

void TstRaiseCurveDesign::saveInsertsUpdatesAndDeletes() {
    TestProgram p;
    openSample();
    insertDesign(3, 0, 0, 25, 200000, "管理職");
    insertDesign(4, 0, 0, 30, 300000);
    G().gMarkLabelCount = 0;
    TNX1050 dlg;
    dlg.prepare();
    showActive(dlg);
    // A new design takes the current line style; design 3 is changed, design 4 emptied.
    typePoint(dlg, 1, 1, 22, 185000);
    typePoint(dlg, 1, 2, 60, 412345);
    typePoint(dlg, 3, 1, 24, 210000);
    for (int n = 1; n <= 2; ++n) {
        typeInto(box(dlg, "txtNenrei", 4, n), "0");
        leaveTo(box(dlg, "txtSyokunou", 4, n));
        typeInto(box(dlg, "txtSyokunou", 4, n), "0");
        leaveTo(find<QLineEdit>(dlg, "txtTitle"));
    }
    QCOMPARE(box(dlg, "txtSyokunou", 1, 2)->text(), QStringLiteral("412,345"));
    QCOMPARE(G().gDataChanged, 0); // points do not count as a change
    click(dlg, "chk1");
    click(dlg, "optHanrei3");
    QCOMPARE(G().gDataChanged, 1);
    click(dlg, "btnAdd");
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(designRows(), (QStringList{
                               "1|0|0|1|0|22|185000|60|412345|||clBlack|1|1",
                               "3|0|0|1|1|24|210000|45|300000||管理職|clRed|2|3",
                           }));
    QCOMPARE(G().gDataChanged, 0);
    QCOMPARE(QApplication::focusWidget(), box(dlg, "txtNenrei", 1, 1));

    // An emptied design is deleted; empty designs without a row are not written.
    for (int n = 1; n <= 2; ++n) {
        typeInto(box(dlg, "txtNenrei", 1, n), "0");
        leaveTo(box(dlg, "txtSyokunou", 1, n));
        typeInto(box(dlg, "txtSyokunou", 1, n), "0");
        leaveTo(find<QLineEdit>(dlg, "txtTitle"));
    }
    click(dlg, "btnAdd");
    QCOMPARE(designRows(" AND SDCO IN (1, 2, 4, 5)"), QStringList());
}

void TstRaiseCurveDesign::saveIsOneTransaction() {
    TestProgram p;
    openSample();
    RefuseWrites(DM().ACN2, "refuse3", "INSERT", "DSPDRAW", "NEW.SDCO = 3");
    insertDesign(2, 0, 0, 25, 200000);
    TNX1050 dlg;
    dlg.prepare();
    showActive(dlg);
    const QStringList before = designRows();
    typePoint(dlg, 1, 1, 22, 185000);
    typePoint(dlg, 2, 1, 23, 190000);
    typePoint(dlg, 3, 1, 24, 195000);
    click(dlg, "btnAdd");
    QCOMPARE(p.messages.entries.size(), 1); // the statement's failure
    QCOMPARE(designRows(), before);
}

void TstRaiseCurveDesign::pointsOutOfOrderAreRefused_data() {
    QTest::addColumn<QList<int>>("ages"); // of design 2, points 1..
    QTest::addColumn<int>("point");
    QTest::addColumn<QString>("message");
    QTest::newRow("gap") << QList<int>{22, 0, 40} << 2
                         << QStringLiteral("設計２の点２が入力されていません。点は１から順に入力してください。");
    QTest::newRow("decreasing")
        << QList<int>{22, 40, 35} << 3
        << QStringLiteral("設計２の点３のX軸の値が、前の点の値以下です。前の点より大きい値を入力してください。");
}

void TstRaiseCurveDesign::pointsOutOfOrderAreRefused() {
    QFETCH(QList<int>, ages);
    QFETCH(int, point);
    QFETCH(QString, message);
    TestProgram p;
    openSample();
    TNX1050 dlg;
    dlg.prepare();
    showActive(dlg);
    for (int n = 0; n < ages.size(); ++n)
        if (ages[n] != 0) typePoint(dlg, 2, n + 1, ages[n], 200000 + n * 10000);
    click(dlg, "btnAdd");
    QCOMPARE(shown(p.messages), QStringList{message});
    QCOMPARE(QApplication::focusWidget(), box(dlg, "txtNenrei", 2, point));
    QCOMPARE(designRows(), QStringList());
}

void TstRaiseCurveDesign::pointBoxChecks_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<QString>("shows");
    QTest::newRow("age") << "txtNenrei" << "45" << QString() << "45";
    QTest::newRow("age box holds 3 digits") << "txtNenrei" << "1000" << QString() << "100";
    QTest::newRow("age not a number") << "txtNenrei" << "abc" << "数値を入力してください。" << "abc";
    QTest::newRow("amount") << "txtSyokunou" << "1234567" << QString() << "1,234,567";
    QTest::newRow("amount with commas") << "txtSyokunou" << "250,000" << QString() << "250,000";
    QTest::newRow("amount of 9 digits") << "txtSyokunou" << "123456789" << "入力範囲外です。"
                                        << "123456789";
    QTest::newRow("amount with a fraction") << "txtSyokunou" << "2500.5" << "数値を入力してください。"
                                            << "2500.5";
}

void TstRaiseCurveDesign::pointBoxChecks() {
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QString, shows);
    TestProgram p;
    openSample();
    TNX1050 dlg;
    dlg.prepare();
    showActive(dlg);
    QLineEdit *b = box(dlg, kind.toLatin1().constData(), 4, 3);
    typeInto(b, text);
    leaveTo(find<QLineEdit>(dlg, "txtTitle"));
    QCOMPARE(b->text(), shows);
    if (message.isEmpty()) {
        QVERIFY(p.messages.entries.isEmpty());
        QVERIFY(dlg.designs()[4].age[3] != 0 || dlg.designs()[4].amount[3] != 0);
    } else {
        QCOMPARE(shown(p.messages), QStringList{message});
        QCOMPARE(QApplication::focusWidget(), b);
        QCOMPARE(dlg.designs()[4].age[3], 0);
        QCOMPARE(dlg.designs()[4].amount[3], 0.0);
    }
}

void TstRaiseCurveDesign::switchingItemShowsThatPairsDesigns() {
    TestProgram p;
    openSample();
    insertDesign(1, 0, 0, 22, 180000);
    insertDesign(2, 1, 0, 3, 210000); // 勤続, 項目Ⅰ
    insertDesign(3, 1, 2, 5, 230000); // 勤続, 基本給
    TNX1050 dlg;
    dlg.prepare();
    showActive(dlg);
    typePoint(dlg, 5, 1, 30, 250000); // dropped without a question
    click(dlg, "optXKinzoku");
    QCOMPARE(G().gChartFx, 1);
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(box(dlg, "txtNenrei", 1, 1)->text(), QStringLiteral("0"));
    QCOMPARE(box(dlg, "txtNenrei", 2, 1)->text(), QStringLiteral("3"));
    QCOMPARE(box(dlg, "txtSyokunou", 2, 2)->text(), QStringLiteral("310,000"));
    QCOMPARE(box(dlg, "txtNenrei", 3, 1)->text(), QStringLiteral("0"));
    QCOMPARE(box(dlg, "txtNenrei", 5, 1)->text(), QStringLiteral("0"));
    QCOMPARE(dlg.designs()[5].age[1], 0);
    QCOMPARE(find<QLabel>(dlg, "Label003")->text(), QStringLiteral("勤　　続２"));
    QCOMPARE(find<QLabel>(dlg, "Label004")->text(), QStringLiteral("項　目　Ⅰ２"));
    click(dlg, "optYKihon");
    QCOMPARE(box(dlg, "txtNenrei", 2, 1)->text(), QStringLiteral("0"));
    QCOMPARE(box(dlg, "txtNenrei", 3, 1)->text(), QStringLiteral("5"));
    QCOMPARE(find<QLabel>(dlg, "Label006")->text(), QStringLiteral("基　本　給３"));
}

void TstRaiseCurveDesign::legendBeforePointsMakesItsOwnRow() {
    TestProgram p;
    openSample();
    TNX1051 legend;
    RecordingDesign dlg(nullptr, &legend);
    dlg.prepare();
    showActive(dlg);
    click(dlg, "btnHanrei2");
    QCOMPARE(dlg.shownDialogs.size(), 1);
    QVERIFY(dlg.shownDialogs[0] == &legend);
    QCOMPARE(find<QLineEdit>(legend, "txtName")->text(), QStringLiteral("曲線番号(2)"));
    showActive(legend);
    typeInto(find<QLineEdit>(legend, "txtHanrei"), "総合職 'A'");
    typeInto(find<QLineEdit>(legend, "txtComment"), "大卒");
    p.messages.answerColor(QColor(Qt::red));
    click(legend, "btnColor");
    click(legend, "btnAdd");
    QVERIFY(shown(p.messages).isEmpty());
    QCOMPARE(SqlRows(DM().ACN2, "SELECT SDCO, CASE WHEN X IS NULL THEN 1 ELSE 0 END, "
                                "CASE WHEN Y IS NULL THEN 1 ELSE 0 END, SNENREI1, HANREI, SETSUMEI, "
                                "SCOLOR, SSYURUI, SHABA FROM DSPDRAW" + kProject),
             QStringList{"2|1|1|0|総合職 'A'|大卒|clRed|0|0"});
    legend.close();

    // Points saved later for the item pair make a row of their own with the current style.
    showActive(dlg);
    typePoint(dlg, 2, 1, 22, 190000);
    click(dlg, "btnAdd");
    QCOMPARE(designRows(" AND SDCO = 2"),
             (QStringList{"2|||0|0|0|0|0|0||総合職 'A'|clRed|0|0",
                          "2|0|0|0|0|22|190000|0|0|||clRed|0|0"}));
    // The legend is shared by every row of the design.
    legend.prepare(2);
    QCOMPARE(find<QLineEdit>(legend, "txtHanrei")->text(), QStringLiteral("総合職 'A'"));
    showActive(legend);
    typeInto(find<QLineEdit>(legend, "txtHanrei"), "一般職");
    click(legend, "btnAdd");
    QCOMPARE(SqlColumn(DM().ACN2, "SELECT HANREI FROM DSPDRAW" + kProject + " AND SDCO = 2"),
             (QStringList{"一般職", "一般職"}));
}

void TstRaiseCurveDesign::execRefusedUntilSaved() {
    TestProgram p;
    openSample();
    RecordingPlot plot;
    plot.resize(1260, 640);
    TNX1050 dlg;
    dlg.prepare();
    showActive(dlg);
    typeInto(find<QLineEdit>(dlg, "txtTitle"), "昇給 'A' 案");
    typePoint(dlg, 1, 1, 22, 180000);
    typePoint(dlg, 1, 2, 70, 450000);
    click(dlg, "btnExec");
    QCOMPARE(shown(p.messages), QStringList{kMsgSaveFirst});
    QCOMPARE(QApplication::focusWidget(), box(dlg, "txtNenrei", 1, 1));
    QCOMPARE(G().gPlotChart, 0);
    QVERIFY(!plot.isVisible());

    p.messages.clear();
    click(dlg, "optPlot1");
    click(dlg, "btnPlotAll");
    click(dlg, "btnTokyuAll");
    click(dlg, "chk1");
    click(dlg, "btnAdd");
    click(dlg, "btnExec");
    QVERIFY(p.messages.entries.isEmpty());
    QCOMPARE(G().gPlotChart, 1050);
    QVERIFY(plot.isVisible());
    QVERIFY(!dlg.isVisible());
    QCOMPARE(plot.windowTitle(), QStringLiteral("プロット　 【　昇給 'A' 案　】"));
    const int employees = SqlValue(DM().ACN2, "SELECT COUNT(*) FROM VSYAIN" + kProject +
                                                  " AND MCO BETWEEN 1 AND 6 AND TOUKYU BETWEEN 1 AND 9")
                              .toInt();
    QVERIFY(employees > 0);
    QCOMPARE(int(plot.chart().points.size()), employees);
    QCOMPARE(plot.chart().designs.size(), size_t(1));
    // The design's legend line is drawn right of the plot.
    const PlotGeometry geometry = PlotGeometryFor(plot.chartSize(), plot.chart());
    const QImage picture = plot.image();
    bool inked = false;
    for (int y = geometry.top + 100; y < geometry.top + 130; ++y)
        for (int x = geometry.right + 20; x < geometry.right + 60; ++x)
            inked = inked || picture.pixelColor(x, y) != QColor(Qt::white);
    QVERIFY(inked);
    const int oldest = SqlValue(DM().ACN2, "SELECT MAX(NENREI) FROM VSYAIN" + kProject).toInt();
    QCOMPARE(G().gAxisXMax, std::max(oldest, 70) / 10 * 10 + 10);
    QCOMPARE(SqlRows(DM().ACN2, "SELECT KNO, FCHK, TOUKYU, TOUKYU1, TITLE, CGRAPH, MIBUN FROM "
                                "MCHART" + kProject + " AND CHCO = 1050 ORDER BY KNO"),
             (QStringList{"1|1|1|1|昇給 'A' 案|1|0", "2|1|1|1|昇給 'A' 案|1|0",
                          "3|1|1|1|昇給 'A' 案|1|0", "4|1|1|0|昇給 'A' 案|1|0",
                          "5|1|1|0|昇給 'A' 案|1|0", "6|1|1|0|昇給 'A' 案|1|0"}));
}

void TstRaiseCurveDesign::execWithoutDataWritesSettingsOnly() {
    TestProgram p;
    openSample();
    RecordingPlot plot;
    exec(DM().ACN2, "DELETE FROM DCHART");
    exec(DM().ACN2, "INSERT INTO DCHART (SCO, X, Y, SEQNO) VALUES (99, 1, 2, 1)");
    TNX1050 dlg;
    dlg.prepare();
    showActive(dlg);
    click(dlg, "optSalary2");
    click(dlg, "btnExec"); // no mark group chosen
    QCOMPARE(shown(p.messages), QStringList{"グラフに表示するデータがありません。"});
    QCOMPARE(SqlValue(DM().ACN2, "SELECT SCO FROM DCHART"), QStringLiteral("99"));
    QCOMPARE(SqlValue(DM().ACN2, "SELECT MIBUN FROM MCHART" + kProject + " AND CHCO = 1050 AND KNO = 1"),
             QStringLiteral("2"));
    QCOMPARE(G().gPlotChart, 0);
    QVERIFY(dlg.isVisible());
}

void TstRaiseCurveDesign::closeAsksWhenChanged() {
    TestProgram p;
    openSample();
    TNX1050 dlg;
    dlg.prepare();
    showActive(dlg);
    typeInto(find<QLineEdit>(dlg, "txtTitle"), "新しい題");
    p.messages.answer(true);
    click(dlg, "btnClose");
    QCOMPARE(shown(p.messages),
             QStringList{"ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:画面を閉じます。"});
    QCOMPARE(p.messages.entries[0].caption, QStringLiteral("確認"));
    QVERIFY(dlg.isVisible());
    p.messages.answer(false);
    click(dlg, "btnClose");
    QVERIFY(!dlg.isVisible());
    // The settings are written, the designs are not.
    QCOMPARE(SqlValue(DM().ACN2, "SELECT TITLE FROM MCHART" + kProject + " AND CHCO = 1050 AND KNO = 6"),
             QStringLiteral("新しい題"));
    QCOMPARE(designRows(), QStringList());
}

void TstRaiseCurveDesign::chartRowsAreWrittenInOneSave() {
    TestProgram p;
    openSample();
    TNX1050 dlg;
    dlg.prepare();
    showActive(dlg);
    const QString rows = "SELECT KNO, TITLE FROM MCHART" + kProject + " AND CHCO = 1050 ORDER BY KNO";
    const QStringList before = SqlRows(DM().ACN2, rows);
    RefuseWrites(DM().ACN2, "refuse4", "INSERT", "MCHART", "NEW.KNO = 4");
    typeInto(find<QLineEdit>(dlg, "txtTitle"), "題");
    p.messages.answer(false);
    click(dlg, "btnClose");
    QCOMPARE(p.messages.entries.size(), 2); // the question and the statement's failure
    QCOMPARE(SqlRows(DM().ACN2, rows), before);
}

void TstRaiseCurveDesign::legendStyleBoxes() {
    TestProgram p;
    openSample();
    insertDesign(4, 0, 0, 22, 180000, "既存");
    TNX1051 legend;
    legend.prepare(4);
    showActive(legend);
    QCOMPARE(G().gCurveColor, QStringLiteral("clRed"));
    QCOMPARE(find<QComboBox>(legend, "cmbSensyu")->currentText(), QStringLiteral("2 : 点線"));
    QCOMPARE(find<QComboBox>(legend, "cmbSenhaba")->currentText(), QStringLiteral("3"));
    auto *type = find<QComboBox>(legend, "cmbSensyu");
    auto *width = find<QComboBox>(legend, "cmbSenhaba");
    auto *hanrei = find<QLineEdit>(legend, "txtHanrei");

    const auto tryBox = [&](QComboBox *b, const QString &text) {
        p.messages.clear();
        typeInto(b, text);
        leaveTo(hanrei);
        return shown(p.messages);
    };
    QCOMPARE(tryBox(type, "x"), QStringList{"数値を入力してください。"});
    QVERIFY(type->hasFocus());
    QCOMPARE(tryBox(type, "4"), QStringList{"入力範囲外です。"});
    QCOMPARE(tryBox(type, "0"), QStringList());
    QCOMPARE(type->currentText(), QStringLiteral("0 : なし"));
    QCOMPARE(G().gCurveType, 0);
    QCOMPARE(tryBox(width, "1.5"), QStringList{"数値を整数で入力してください。"});
    QCOMPARE(tryBox(width, "6"), QStringList{"入力範囲外です。"});
    QCOMPARE(tryBox(width, "0"), QStringList());
    QCOMPARE(G().gCurveWidth, 0);

    // Closing with changes asks; the save writes type 0 and width 0.
    p.messages.clear();
    p.messages.answer(true);
    click(legend, "btnClose");
    QCOMPARE(p.messages.entries.size(), 1);
    QVERIFY(legend.isVisible());
    click(legend, "btnAdd");
    QCOMPARE(SqlRows(DM().ACN2, "SELECT HANREI, SCOLOR, SSYURUI, SHABA FROM DSPDRAW" + kProject),
             QStringList{"既存|clRed|0|0"});
    p.messages.clear();
    click(legend, "btnClose");
    QVERIFY(p.messages.entries.isEmpty());
    QVERIFY(!legend.isVisible());

    // A design without a row starts black without a line.
    legend.prepare(5);
    QCOMPARE(G().gCurveColor, QStringLiteral("clBlack"));
    QCOMPARE(find<QComboBox>(legend, "cmbSensyu")->currentText(), QStringLiteral("0 : なし"));
    QCOMPARE(find<QComboBox>(legend, "cmbSenhaba")->currentText(), QStringLiteral("0"));
}

void TstRaiseCurveDesign::wageTablePrintsAndWritesUnsavedPoints() {
    TestProgram p;
    openSample();
    RecordingDesign dlg;
    dlg.setReportDate(QDate(2018, 4, 1));
    dlg.prepare();
    showActive(dlg);
    click(dlg, "optYKihon");
    typeInto(find<QLineEdit>(dlg, "txtTitle"), "昇給カーブ試案");
    typePoint(dlg, 1, 1, 22, 180000);
    typePoint(dlg, 1, 2, 30, 250000);
    typePoint(dlg, 1, 3, 40, 330000);
    typePoint(dlg, 2, 1, 30, 250000);
    typePoint(dlg, 2, 2, 60, 400000);
    click(dlg, "btnSalaryList");
    QCOMPARE(shown(p.messages), QStringList{});
    QCOMPARE(dlg.previewedFiles.size(), 1);
    QVERIFY(QFile::exists(dlg.previewedFiles[0]));
    QCOMPARE(SqlValue(DM().ACN2, "SELECT COUNT(*) || '|' || MIN(YKOMOKU) || '|' || MAX(YKOMOKU) "
                                 "FROM DCHINGIN" + kProject),
             QStringLiteral("50|2|2"));
    QCOMPARE(SqlRows(DM().ACN2, "SELECT SDCO, SNENREI, SKIN FROM DCHINGIN" + kProject +
                                    " AND NO = 1 ORDER BY SDCO"),
             (QStringList{"1|22|180000", "2|30|250000"}));
    QCOMPARE(G().gChartTitle, QStringLiteral("昇給カーブ試案"));
    QCOMPARE(SqlValue(DM().ACN2, "SELECT COUNT(*) FROM DSPDRAW" + kProject), QStringLiteral("0"));

    p.messages.clear();
    p.messages.answer(false);
    click(dlg, "btnFile");
    const QString question = QStringLiteral("賃金表を") + G().gAppPath +
                             QStringLiteral("CSVへ出力します。\r\nよろしいですか？");
    QCOMPARE(shown(p.messages), QStringList{question});
    QCOMPARE(p.messages.entries[0].caption, QStringLiteral("NXｳﾞｧﾙﾃﾝ"));
    QVERIFY(!QFile::exists(DesignCsvPath()));
    p.messages.clear();
    p.messages.answer(true);
    click(dlg, "btnFile");
    QCOMPARE(shown(p.messages),
             (QStringList{question, QStringLiteral("CSVデレクトリに賃金表が出力されました。")}));
    QFile csv(DesignCsvPath());
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QVERIFY(csv.readAll().contains("\r\n22,180000,100,30,250000,100,0,0,0,0,0,0,0,0,0\r\n"));
}

void TstRaiseCurveDesign::wageTableRefusesPointsOutOfOrder_data() {
    QTest::addColumn<QList<int>>("ages");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("start");
    QTest::newRow("gap") << QList<int>{22, 0, 40} << "txtNenrei32" << "設計３の点２が入力されて";
    QTest::newRow("decreasing") << QList<int>{22, 40, 30} << "txtNenrei33" << "設計３の点３のX軸";
    QTest::newRow("more than 200 years")
        << QList<int>{20, 100, 250} << "txtNenrei33" << "設計３の点３のX軸の値が点１から";
}

void TstRaiseCurveDesign::wageTableRefusesPointsOutOfOrder() {
    QFETCH(QList<int>, ages);
    QFETCH(QString, box);
    QFETCH(QString, start);
    TestProgram p;
    openSample();
    exec(DM().ACN2, "INSERT INTO DCHINGIN VALUES (1, 2018, 5, 0, 0, 1, 70, 1, 0, 0, 100)");
    RecordingDesign dlg;
    dlg.prepare();
    showActive(dlg);
    typePoint(dlg, 1, 1, 22, 180000);
    for (int n = 0; n < ages.size(); ++n)
        if (ages[n] != 0) typePoint(dlg, 3, n + 1, ages[n], 200000 + n * 10000);
    for (const char *button : {"btnSalaryList", "btnFile"}) {
        p.messages.clear();
        click(dlg, button);
        const QStringList messages = shown(p.messages);
        QCOMPARE(messages.size(), 1); // the refusal, no question
        QVERIFY2(messages[0].startsWith(start), qPrintable(messages[0]));
        QCOMPARE(QApplication::focusWidget()->objectName(), box);
    }
    QVERIFY(dlg.previewedFiles.isEmpty());
    QVERIFY(!QFile::exists(DesignCsvPath()));
    QCOMPARE(SqlRows(DM().ACN2, "SELECT SDCO, SNENREI FROM DCHINGIN" + kProject),
             QStringList{"5|70"});
}

QTEST_MAIN(TstRaiseCurveDesign)
#include "tst_raise_curve_design.moc"
