// The content a new program directory starts with: the shipped SQL files must be exactly what
// the generator makes, and the data they hold must be consistent the way the screens expect
// (wage table amounts, band limits, matrix cells, zones of the employees' pay).

#include "company_generator.h"
#include "database_setup.h"
#include "test_program.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>

namespace {

QSqlDatabase dbOf(TConnection &c) {
    return QSqlDatabase::database(c.name(), false);
}

// Amounts rounded half away from zero to tens, hundreds or thousands of yen.
int roundToUnit(int marume, double amount) {
    const int unit = marume == 0 ? 10 : marume == 1 ? 100 : 1000;
    const double q = amount / unit;
    const double r = q >= 0 ? std::floor(q + 0.5) : -std::floor(-q + 0.5);
    return static_cast<int>(r) * unit;
}

void yearRows() {
    QTest::addColumn<int>("nendo");
    QTest::newRow("2017") << 2017;
    QTest::newRow("2018") << 2018;
}

struct BandRow {
    int id, matrix, zones, marume, kijun, lowerPct, upperPct, range;
    double spread;
    int lo[5], hi[5];
};

QList<BandRow> loadBands(int nendo) {
    QList<BandRow> out;
    QSqlQuery q(dbOf(DM().ACN2));
    if (!q.exec(QStringLiteral("SELECT B.*, M.ZONESU FROM BANDM B LEFT JOIN MATRIXID M "
                               "ON M.KCO = B.KCO AND M.NENDO = B.NENDO AND M.MATRIXID = B.MATRIXID "
                               "WHERE B.KCO = 1 AND B.NENDO = %1 ORDER BY B.BANDID")
                    .arg(nendo)))
        return out;
    while (q.next()) {
        BandRow b{};
        b.id = q.value(QStringLiteral("BANDID")).toInt();
        b.matrix = q.value(QStringLiteral("MATRIXID")).toInt();
        b.zones = q.value(QStringLiteral("ZONESU")).toInt();
        b.marume = q.value(QStringLiteral("MARUME")).toInt();
        b.kijun = q.value(QStringLiteral("基準賃金")).toInt();
        b.lowerPct = q.value(QStringLiteral("下限率")).toInt();
        b.upperPct = q.value(QStringLiteral("上限率")).toInt();
        b.spread = q.value(QStringLiteral("スプレッド")).toDouble();
        b.range = q.value(QStringLiteral("レンジ")).toInt();
        for (int k = 0; k < 5; ++k) {
            b.lo[k] = q.value(QStringLiteral("下限額%1").arg(k + 1)).toInt();
            b.hi[k] = q.value(QStringLiteral("上限額%1").arg(k + 1)).toInt();
        }
        out << b;
    }
    return out;
}

} // namespace

class Tst_shipped_content : public QObject {
    Q_OBJECT
private slots:
    void resourcesMatchGenerator_data() {
        QTest::addColumn<int>("db");
        QTest::addColumn<QString>("generated");
        QTest::newRow("control") << int(schema::Db::Control) << generator::ControlContentSql();
        QTest::newRow("sample company") << int(schema::Db::Data) << generator::SampleCompanySql();
    }
    // The resource files are generated, never edited by hand.
    void resourcesMatchGenerator() {
        QFETCH(int, db);
        QFETCH(QString, generated);
        const QString shipped = dbsetup::ShippedContent(static_cast<schema::Db>(db));
        QVERIFY2(shipped == generated,
                 "resources/db differ from the generator: run gen_content --write-resources "
                 "resources/db");
    }

    void generatorIsDeterministic() {
        QCOMPARE(generator::ControlContentSql(), generator::ControlContentSql());
        generator::CompanyOptions o{3, QStringLiteral("X"), {2020, 2021}, 300, 7};
        const QString first = generator::CompanySql(o);
        QCOMPARE(generator::CompanySql(o), first);
        o.seed = 8;
        QVERIFY(generator::CompanySql(o) != first);
    }

    void eraRow_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("expected");
        const char *rows[][2] = {{"REKI1", "昭和"}, {"SNEN1", "1926"}, {"STSUKI1", "12"},
                                 {"SHI1", "25"},    {"REKI2", "平成"}, {"SNEN2", "1989"},
                                 {"STSUKI2", "1"},  {"SHI2", "8"},     {"REKI3", "令和"},
                                 {"SNEN3", "2019"}, {"STSUKI3", "5"},  {"SHI3", "1"},
                                 {"FREKI", "2"}};
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QString::fromUtf8(r[0]) << QString::fromUtf8(r[1]);
    }
    void eraRow() {
        QFETCH(QString, column);
        QFETCH(QString, expected);
        TestProgram p;
        QCOMPARE(SqlValue(DM().ACN1, QStringLiteral("SELECT count(*) FROM MSEIGYO")), "1");
        QCOMPARE(
            SqlValue(DM().ACN1, QStringLiteral("SELECT %1 FROM MSEIGYO WHERE CO = 0").arg(column)),
            expected);
    }

    void marksAndLines_data() {
        QTest::addColumn<bool>("control");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("distinct");
        QTest::addColumn<QString>("valid");
        const QStringList marks = {"MARK", "HANREI", "MKCOLOR"};
        const QStringList lines = {"CCOLOR"};
        // Sizes and widths among the choices of the basic settings; colour names as the
        // drawing code reads them.
        const QString markValid = "MARK <> '' AND HANREI <> '' AND MKCOLOR LIKE 'cl%' AND "
                                  "KCOLOR LIKE 'cl%' AND MKSIZE BETWEEN 8 AND 18 AND "
                                  "KSYURUI BETWEEN 1 AND 3 AND KHABA BETWEEN 1 AND 5";
        const QString lineValid = "CCOLOR LIKE 'cl%' AND CSYURUI BETWEEN 1 AND 3 AND "
                                  "CHABA BETWEEN 1 AND 5";
        const QString defaults = "KCO = 0 AND NENDO = 9999";
        QTest::newRow("default marks")
            << true << "MMMARK" << defaults << 6 << "MKCO" << marks << markValid;
        QTest::newRow("default lines")
            << true << "MMGRAPH" << defaults << 4 << "GSCO" << lines << lineValid;
        for (const char *y : {"2017", "2018"}) {
            const QString where = QStringLiteral("KCO = 1 AND NENDO = ") + QLatin1String(y);
            QTest::addRow("marks %s", y)
                << false << "MMARK" << where << 6 << "MKCO" << marks << markValid;
            QTest::addRow("lines %s", y)
                << false << "MGRAPH" << where << 4 << "GSCO" << lines << lineValid;
        }
    }
    void marksAndLines() {
        QFETCH(bool, control);
        QFETCH(QString, table);
        QFETCH(QString, where);
        QFETCH(int, count);
        QFETCH(QString, key);
        QFETCH(QStringList, distinct);
        QFETCH(QString, valid);
        TestProgram p;
        TConnection &c = control ? DM().ACN1 : DM().ACN2;
        const auto value = [&](const QString &select, const QString &condition = "1 = 1") {
            return SqlValue(c, QStringLiteral("SELECT %1 FROM %2 WHERE %3 AND %4")
                                   .arg(select, table, where, condition));
        };
        const QString n = QString::number(count);
        QCOMPARE(value("count(*)"), n);
        QCOMPARE(value("count(*)", valid), n);
        QCOMPARE(value(QStringLiteral("count(DISTINCT %1)").arg(key)), n);
        QCOMPARE(value(QStringLiteral("min(%1) || '-' || max(%1)").arg(key)), "1-" + n);
        for (const QString &col : distinct)
            QVERIFY2(value(QStringLiteral("count(DISTINCT %1)").arg(col)) == n, qPrintable(col));
    }

    // A company's marks and lines start as copies of the defaults.
    void companyMarksAreDefaults() {
        TestProgram p;
        const QString marks = QStringLiteral(
            "SELECT MKCO||MARK||HANREI||MKCOLOR||MKSIZE||KCOLOR||KSYURUI||KHABA FROM %1 "
            "WHERE KCO = %2 AND NENDO = %3 ORDER BY MKCO");
        const QString lines = QStringLiteral("SELECT GSCO||CCOLOR||CSYURUI||CHABA FROM %1 WHERE "
                                             "KCO = %2 AND NENDO = %3 ORDER BY GSCO");
        const QStringList defMarks = SqlColumn(DM().ACN1, marks.arg("MMMARK").arg(0).arg(9999));
        const QStringList defLines = SqlColumn(DM().ACN1, lines.arg("MMGRAPH").arg(0).arg(9999));
        QCOMPARE(defMarks.size(), 6);
        QCOMPARE(defLines.size(), 4);
        for (int y : {2017, 2018}) {
            QCOMPARE(SqlColumn(DM().ACN2, marks.arg("MMARK").arg(1).arg(y)), defMarks);
            QCOMPARE(SqlColumn(DM().ACN2, lines.arg("MGRAPH").arg(1).arg(y)), defLines);
        }
    }

    void usageGuideAndReferenceData() {
        TestProgram p;
        const int pages =
            SqlValue(DM().ACN1, QStringLiteral("SELECT count(*) FROM Before")).toInt();
        QVERIFY(pages >= 4 && pages <= 8);
        QCOMPARE(SqlValue(DM().ACN1, QStringLiteral("SELECT count(DISTINCT ID) FROM Before WHERE "
                                                    "Name <> '' AND length(Memo) > 100")),
                 QString::number(pages));
        // The sample company is compared with a model that exists and has wage points.
        const QString mdco =
            SqlValue(DM().ACN2, QStringLiteral("SELECT DISTINCT MDCO FROM MKIGYOU2 WHERE KCO = 1"));
        QVERIFY(mdco.toInt() > 0);
        QCOMPARE(SqlValue(DM().ACN1, "SELECT count(*) FROM MDEL WHERE MDCO = " + mdco +
                                         " AND DEDOKORO <> '' AND CJITEN <> ''"),
                 "1");
        QVERIFY(SqlValue(DM().ACN1, "SELECT count(*) FROM MDCHINGIN WHERE MDCO = " + mdco +
                                        " AND NENREI > 0 AND SENSYU BETWEEN 1 AND 3 AND "
                                        "(KKIN > 0 OR SKIN > 0 OR NENSYU > 0)")
                    .toInt() >= 10);
        // Every wage point belongs to a described model.
        QCOMPARE(SqlValue(DM().ACN1, "SELECT count(*) FROM MDCHINGIN WHERE MDCO NOT IN "
                                     "(SELECT MDCO FROM MDEL)"),
                 "0");
        // ... and with living costs of its own code, one row per household size.
        const QString skco =
            SqlValue(DM().ACN2, QStringLiteral("SELECT DISTINCT SKCO FROM MKIGYOU2 WHERE KCO = 1"));
        QVERIFY(skco.toInt() > 0);
        // The published figures cover households of one to five persons.
        QCOMPARE(SqlValue(DM().ACN2, "SELECT count(DISTINCT SNIN) || ',' || count(*) FROM MSEIKEI "
                                     "WHERE SEIKEIHI > 0 AND SNENREI > 0 AND KKRITSU > 0 AND "
                                     "DEDOKORO <> '' AND TCHIIKI <> '' AND CJITEN <> '' AND "
                                     "SKCO = " +
                                         skco),
                 QStringLiteral("5,5"));
    }

    void sampleCompany_data() { yearRows(); }
    void sampleCompany() {
        QFETCH(int, nendo);
        TestProgram p;
        const QString name = QStringLiteral("株式会社ロメルタ");
        QCOMPARE(SqlColumn(DM().ACN1, QStringLiteral("SELECT KNA FROM MKIGYOU1 WHERE NENDO = %1 "
                                                     "ORDER BY KCO")
                                          .arg(nendo)),
                 QStringList{name});
        QCOMPARE(SqlValue(DM().ACN2, QStringLiteral("SELECT KNA FROM MKIGYOU2 WHERE KCO = 1 AND "
                                                    "NENDO = %1")
                                         .arg(nendo)),
                 name);
        const int staff = count(nendo, QStringLiteral("VSYAIN"));
        QVERIFY2(staff >= 90 && staff <= 110, qPrintable(QString::number(staff)));
        QCOMPARE(count(nendo, QStringLiteral("VSYAIN"),
                       QStringLiteral("SCOT <> '' AND SNA <> '' AND SEIHI < NYUHI AND "
                                      "NENREI BETWEEN 20 AND 61 AND KINZOKU >= 0 AND "
                                      "SM1 BETWEEN 1 AND 4 AND "
                                      "SM2 IN ('役員', '正社員', 'パート', 'その他') AND "
                                      "MCO BETWEEN 1 AND 6 AND TOUKYU BETWEEN 1 AND 9 AND "
                                      "HYOUKA <> '' AND NEWDAY1 LIKE '____/__/__ __:__:__'")),
                 staff);
        QCOMPARE(SqlValue(DM().ACN2, QStringLiteral("SELECT count(DISTINCT SCOT) FROM MSYAIN1 "
                                                    "WHERE KCO = 1 AND NENDO = %1")
                                         .arg(nendo)),
                 QString::number(staff));
        // Every category and mark group has someone to plot.
        QCOMPARE(SqlValue(DM().ACN2, QStringLiteral("SELECT count(DISTINCT SM2) || ',' || "
                                                    "count(DISTINCT MCO) FROM VSYAIN WHERE "
                                                    "KCO = 1 AND NENDO = %1")
                                         .arg(nendo)),
                 QStringLiteral("4,6"));
        QCOMPARE(
            count(nendo, QStringLiteral("SALARYNAME"), QStringLiteral("SALARYID BETWEEN 1 AND 4")),
            4);
        QVERIFY(count(nendo, QStringLiteral("MHYOUKA")) >= 3);
        const int roles = count(nendo, QStringLiteral("YHYOUKA"));
        QVERIFY(roles >= 2 && roles <= 7);
        QVERIFY(count(nendo, QStringLiteral("MATRIXID")) >= 2);
        const int bands = count(nendo, QStringLiteral("BANDM"));
        QVERIFY(bands >= 5 && bands <= 9);
    }

    void wageTable_data() { yearRows(); }
    // The item fed by the wage table holds the table's amount of the grade and step, before
    // and after the raise; the table rises with grade and step.
    void wageTable() {
        QFETCH(int, nendo);
        TestProgram p;
        const QString item = QStringLiteral("CASE JISEKI WHEN 1 THEN %1KKYU1 WHEN 2 THEN %1KKYU2 "
                                            "WHEN 3 THEN %1KKYU3 END");
        const QString frstkyu = QStringLiteral(
            "(SELECT FRSTKYU FROM MKIGYOU2 K WHERE K.KCO = VSYAIN.KCO AND K.NENDO = VSYAIN.NENDO)");
        const QString frstkyum =
            QString(frstkyu).replace(QStringLiteral("FRSTKYU "), QStringLiteral("FRSTKYUM "));
        const int staff = count(nendo, QStringLiteral("VSYAIN"));
        QCOMPARE(count(nendo, QStringLiteral("VSYAIN"),
                       QStringLiteral("JISEKI BETWEEN 1 AND 3 AND JISEKI = %1 AND KIN > 0 AND "
                                      "NKIN > 0 AND %2 = NKIN AND %3 = KIN")
                           .arg(frstkyu, item.arg(QStringLiteral("N")), item.arg(QString()))),
                 staff);
        QCOMPARE(count(nendo, QStringLiteral("VSYAIN"),
                       QStringLiteral("MLINK IN (0, %1) AND MLINK <> JISEKI").arg(frstkyum)),
                 staff);
        QVERIFY(count(nendo, QStringLiteral("VSYAIN"), QStringLiteral("MLINK <> 0")) > staff / 2);
        QString byGrade = QStringLiteral("KIN1 > 0");
        for (int g = 1; g < 9; ++g)
            byGrade += QStringLiteral(" AND KIN%1 < KIN%2").arg(g).arg(g + 1);
        const int steps = count(nendo, QStringLiteral("DCHINGIN2"));
        QVERIFY(steps >= 60);
        QCOMPARE(count(nendo, QStringLiteral("DCHINGIN2"), byGrade), steps);
        QString byStep;
        for (int g = 1; g <= 9; ++g)
            byStep += QStringLiteral("%1N.KIN%2 > W.KIN%2").arg(g > 1 ? " AND " : "").arg(g);
        QCOMPARE(SqlValue(DM().ACN2,
                          QStringLiteral("SELECT count(*) FROM DCHINGIN2 W JOIN DCHINGIN2 N ON "
                                         "N.KCO = W.KCO AND N.NENDO = W.NENDO AND "
                                         "N.GOUHOU = W.GOUHOU + 1 WHERE W.KCO = 1 AND "
                                         "W.NENDO = %1 AND %2")
                              .arg(nendo)
                              .arg(byStep)),
                 QString::number(steps - 1));
    }

    void bandLimits_data() { yearRows(); }
    // Limits as band creation computes them, so reopening band creation changes nothing.
    void bandLimits() {
        QFETCH(int, nendo);
        TestProgram p;
        const QList<BandRow> bands = loadBands(nendo);
        QVERIFY(bands.size() >= 5);
        QSet<int> matrices;
        for (const BandRow &b : bands) {
            const QByteArray id = QByteArray::number(b.id);
            QVERIFY2(b.zones >= 2 && b.zones <= 5, id);
            QCOMPARE(b.marume, bands.first().marume);
            matrices << b.matrix;
            const int lower = roundToUnit(b.marume, b.kijun * (b.lowerPct + 100) / 100.0);
            const int upper = roundToUnit(b.marume, b.kijun * (b.upperPct + 100) / 100.0);
            const int width = roundToUnit(b.marume, (upper - lower) / double(b.zones));
            QCOMPARE(b.range, width);
            const int truncLower = int(b.kijun * (b.lowerPct + 100) / 100.0);
            const int truncUpper = int(b.kijun * (b.upperPct + 100) / 100.0);
            QCOMPARE(b.spread, std::floor(10.0 * truncUpper / truncLower + 0.5) / 10);
            QCOMPARE(b.lo[0], lower);
            for (int k = 0; k < 5; ++k) {
                if (k < b.zones) {
                    QCOMPARE(b.lo[k], lower + width * k);
                    QCOMPARE(b.hi[k], b.lo[k] + width);
                    if (k > 0) QCOMPARE(b.lo[k], b.hi[k - 1]);
                } else {
                    QCOMPARE(b.lo[k], 0);
                    QCOMPARE(b.hi[k], 0);
                }
            }
        }
        QVERIFY2(matrices.size() < bands.size(), "some bands share a matrix");
        QCOMPARE(SqlValue(DM().ACN2, QStringLiteral("SELECT count(DISTINCT TITLE) FROM BANDM "
                                                    "WHERE KCO = 1 AND NENDO = %1")
                                         .arg(nendo)),
                 "1");
    }

    void matrixCells_data() { yearRows(); }
    // Every role evaluation has a rate in every zone of every matrix; better evaluations and
    // lower zones get more.
    void matrixCells() {
        QFETCH(int, nendo);
        TestProgram p;
        QSqlQuery q(dbOf(DM().ACN2));
        QVERIFY(q.exec(
            QStringLiteral(
                "SELECT M.MATRIXID, M.ZONESU, Y.HCO, C.UP1, C.UP2, C.UP3, C.UP4, C.UP5, "
                "(SELECT count(*) FROM MATRIXCELL D WHERE D.KCO = M.KCO AND D.NENDO = M.NENDO AND "
                "D.MATRIXID = M.MATRIXID AND D.YHYOUKA = Y.HCO) AS CELLS "
                "FROM MATRIXID M JOIN YHYOUKA Y ON Y.KCO = M.KCO AND Y.NENDO = M.NENDO "
                "LEFT JOIN MATRIXCELL C ON C.KCO = M.KCO AND C.NENDO = M.NENDO AND "
                "C.MATRIXID = M.MATRIXID AND C.YHYOUKA = Y.HCO "
                "WHERE M.KCO = 1 AND M.NENDO = %1 ORDER BY M.MATRIXID, Y.HCO")
                .arg(nendo)));
        QSet<int> zoneCounts;
        int rows = 0, lastMatrix = -1;
        double previous[5] = {};
        while (q.next()) {
            ++rows;
            const int matrix = q.value(0).toInt(), zones = q.value(1).toInt();
            const QByteArray where = QByteArray::number(matrix) + "/" + q.value(2).toByteArray();
            QVERIFY2(q.value(QStringLiteral("CELLS")).toInt() == 1, where);
            zoneCounts << zones;
            double up[5];
            for (int z = 0; z < 5; ++z) {
                up[z] = q.value(3 + z).toDouble();
                QVERIFY2(z < zones ? up[z] > 0 && up[z] <= 10 : up[z] == 0, where);
                if (z > 0 && z < zones) QVERIFY2(up[z] <= up[z - 1], where);
                if (matrix == lastMatrix) QVERIFY2(up[z] <= previous[z], where);
                previous[z] = up[z];
            }
            lastMatrix = matrix;
        }
        QVERIFY(rows >= 4);
        QVERIFY2(zoneCounts.size() >= 2, "matrices of different zone counts");
    }

    void employeeZones_data() { yearRows(); }
    // The zone of each banded employee's pay and the pay after the raise follow the band's
    // limits and the matrix, as the raise input screen would compute them.
    void employeeZones() {
        QFETCH(int, nendo);
        TestProgram p;
        QHash<int, BandRow> bands;
        for (const BandRow &b : loadBands(nendo))
            bands.insert(b.id, b);
        QSqlQuery q(dbOf(DM().ACN2));
        QVERIFY(q.exec(
            QStringLiteral("SELECT S.SCO, S.BANDID, S.YHYOUKA, S.MZONE, S.NEWBANDID, S.NEWYHYOUKA, "
                           "S.NEWMZONE, S.ZONEX, CASE S.MLINK WHEN 1 THEN S.KKYU1 WHEN 2 THEN "
                           "S.KKYU2 ELSE S.KKYU3 END, CASE S.MLINK WHEN 1 THEN S.NKKYU1 WHEN 2 "
                           "THEN S.NKKYU2 ELSE S.NKKYU3 END, C.UP1, C.UP2, C.UP3, C.UP4, C.UP5 "
                           "FROM VSYAIN S LEFT JOIN MATRIXCELL C ON C.KCO = S.KCO AND "
                           "C.NENDO = S.NENDO AND C.MATRIXID = S.MATRIXID AND "
                           "C.YHYOUKA = S.YHYOUKA WHERE S.KCO = 1 AND S.NENDO = %1 AND "
                           "S.MLINK <> 0")
                .arg(nendo)));
        int banded = 0, inZone = 0;
        while (q.next()) {
            ++banded;
            const QByteArray sco = "SCO " + q.value(0).toByteArray();
            QVERIFY2(bands.contains(q.value(1).toInt()), sco);
            const BandRow &b = bands[q.value(1).toInt()];
            QCOMPARE(q.value(4).toInt(), b.id);
            QCOMPARE(q.value(5).toInt(), q.value(2).toInt());
            const int pay = q.value(8).toInt(), newPay = q.value(9).toInt();
            int zone = 0;
            for (int k = 0; k < 5; ++k)
                if (b.lo[k] <= pay && (k < 4 ? pay < b.hi[k] : pay <= b.hi[k])) zone = k + 1;
            QVERIFY2(q.value(3).toInt() == zone && q.value(7).toInt() == zone, sco);
            int expected = pay;
            if (zone > 0) {
                ++inZone;
                const double rate = q.value(10 + zone - 1).toDouble();
                const int top = *std::max_element(b.hi, b.hi + 5);
                expected =
                    std::clamp(roundToUnit(b.marume, (100 + rate) * pay / 100.0), b.lo[0], top);
            }
            QVERIFY2(newPay == expected, sco + ": " + QByteArray::number(newPay) + " <> " +
                                             QByteArray::number(expected));
            int newZone = 0;
            if (zone > 0)
                for (int k = 0; k < 5; ++k)
                    if (b.lo[k] <= newPay && newPay < b.hi[k]) newZone = k + 1;
            QVERIFY2(q.value(6).toInt() == newZone, sco);
        }
        QVERIFY(banded > 50);
        QVERIFY2(inZone * 10 >= banded * 9, "most pay lies inside its band");
    }

    // Benchmark-sized companies are made quickly and load completely.
    void largeCompany() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("DATA.db"));
        generator::CompanyOptions o{2, QStringLiteral("大規模"), {2018}, 10000, 5};
        QVERIFY(generator::WriteCompanyDatabase(path, o));
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("large"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("SELECT count(*), count(DISTINCT SCOT) FROM VSYAIN WHERE "
                                          "KCO = 2 AND NENDO = 2018")));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), 10000);
            QCOMPARE(q.value(1).toInt(), 10000);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("large"));
    }

private:
    static int count(int nendo, const QString &table, const QString &condition = {}) {
        return SqlValue(DM().ACN2, QStringLiteral("SELECT count(*) FROM %1 WHERE KCO = 1 AND "
                                                  "NENDO = %2%3")
                                       .arg(table)
                                       .arg(nendo)
                                       .arg(condition.isEmpty() ? QString()
                                                                : QStringLiteral(" AND (") +
                                                                      condition + QLatin1Char(')')))
            .toInt();
    }
};

QTEST_MAIN(Tst_shipped_content)
#include "tst_shipped_content.moc"
