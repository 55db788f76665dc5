// Every text field of the screens keeps what the user typed: single and double quotes,
// backslashes, characters outside the basic plane (four bytes in UTF-8, two UTF-16 units, as
// 𠮷) and as many characters as the field takes. Each field is written through the store its
// screen saves with and read back through the store its screen loads from; the length is the
// screen's own limit, read from its edit box.

#include "band_loaders.h"
#include "band_names.h"
#include "basic_settings.h"
#include "company_data.h"
#include "company_list.h"
#include "company_store.h"
#include "design_store.h"
#include "employee_register.h"
#include "employee_store.h"
#include "list_store.h"
#include "living_costs.h"
#include "loaders.h"
#include "model_data.h"
#include "reference_store.h"
#include "settings_store.h"
#include "state.h"
#include "test_program.h"
#include "work_type_store.h"
#include "work_types.h"

#include <QLineEdit>
#include <QTest>
#include <functional>
#include <memory>

namespace {

// Length used for a field whose box sets no limit (and for grid cells and memo boxes).
constexpr int kNoLimitLength = 255;

// A text of exactly `length` UTF-16 units (QLineEdit's unit of maxLength) made of the
// characters that break careless code, a 4-byte character never split.
QString hostileText(int length) {
    static const QStringList pieces = {
        QStringLiteral("'"),  QStringLiteral("\""), QStringLiteral("\\"),  QStringLiteral("𠮷"),
        QStringLiteral("''"), QStringLiteral("漢"), QStringLiteral("\\'"), QStringLiteral("%_")};
    QString t;
    for (int i = 0; t.size() < length; ++i) {
        const QString &p = pieces[i % pieces.size()];
        t += t.size() + p.size() <= length ? p : QStringLiteral("x");
    }
    return t;
}

using Screen = std::function<std::unique_ptr<QWidget>()>;
template <typename T> Screen screenOf() {
    return [] { return std::unique_ptr<QWidget>(new T); };
}

// One field: its screen and edit box (for the length), and how its store writes and reads it.
struct TextField {
    const char *screen;
    QString box;
    Screen make;
    std::function<bool(const QString &)> write;
    std::function<QString()> read;
};

// The employee 9001 of the open project with one text set through `set`.
TextField employeeField(const char *box, std::function<void(TEmployee &, const QString &)> set,
                        std::function<QString(const TEmployee &)> get) {
    return {"TNX0030", QString::fromLatin1(box), screenOf<TNX0030>(),
            [set](const QString &v) {
                DeleteEmployee(9001);
                TEmployee e;
                e.sco = 9001;
                e.sna = QStringLiteral("名前");
                set(e, v);
                if (!InsertEmployee(e)) return false;
                set(e, v + QString()); // the modify statement writes it again
                return UpdateEmployee(e);
            },
            [get] {
                TEmployee e;
                return ReadEmployee(9001, e) ? get(e) : QStringLiteral("<none>");
            }};
}

TextField companyField(const char *box, std::function<QString &(TMKIGYOU2 &)> field) {
    return {"TNX0020", QString::fromLatin1(box),
            [] {
                // The company data screen belongs to the company list.
                auto list = std::make_unique<TNX0010>();
                new TNX0020(list.get());
                return std::unique_ptr<QWidget>(list.release());
            },
            [field](const QString &v) {
                TMKIGYOU2 rec = G().gMkigyou2; // its company and year
                if (!LoadCompanySettings(rec)) return false;
                field(rec) = v;
                return ModifyCompany(G().gProjectKey, rec);
            },
            [field] {
                TMKIGYOU2 rec = G().gMkigyou2;
                return LoadCompanySettings(rec) ? field(rec) : QStringLiteral("<none>");
            }};
}

TextField workTypeField(const QString &box, std::function<QString &(TSALARYTBL &)> field) {
    return {"TfrmSalaryName", box, screenOf<TfrmSalaryName>(),
            [field](const QString &v) {
                TSALARYTBL w;
                ReadWorkType(1, w);
                field(w) = v;
                return SaveWorkType(1, w);
            },
            [field] {
                TSALARYTBL w;
                return ReadWorkType(1, w) ? field(w) : QStringLiteral("<none>");
            }};
}

TextField bandField(const char *box, std::function<QString &(TBANDM2 &)> field) {
    return {"TfrmBandName", QString::fromLatin1(box), screenOf<TfrmBandName>(),
            [field](const QString &v) {
                LoadBandTbl2();
                if (G().gBandTbl2.Bands.empty()) return false;
                field(G().gBandTbl2.Bands[0]) = v;
                return SaveBandRow(G().gBandTbl2, 0);
            },
            [field] {
                LoadBandTbl2();
                return G().gBandTbl2.Bands.empty() ? QStringLiteral("<none>")
                                                   : field(G().gBandTbl2.Bands[0]);
            }};
}

TextField markField(const QString &box, int mark, bool legend) {
    return {"TNX0070", box, screenOf<TNX0070>(),
            [mark, legend](const QString &v) {
                std::array<TMMARK, 7> marks;
                LoadMarks(marks);
                (legend ? marks[mark].Hanrei : marks[mark].Mark) = v;
                return SaveDataSettings(&marks, nullptr);
            },
            [mark, legend] {
                std::array<TMMARK, 7> marks;
                LoadMarks(marks);
                return legend ? marks[mark].Hanrei : marks[mark].Mark;
            }};
}

TextField eraField(int n) {
    return {"TNX0070", QStringLiteral("txtNengou%1").arg(n), screenOf<TNX0070>(),
            [n](const QString &v) {
                EraSettings eras;
                if (!ReadEraTable(eras)) return false;
                eras.eras[n].name = v;
                return SaveControlSettings(nullptr, &eras);
            },
            [n] {
                EraSettings eras;
                return ReadEraTable(eras) ? eras.eras[n].name : QStringLiteral("<none>");
            }};
}

TextField livingField(const char *box, std::function<QString &(TLivingCosts &)> field) {
    return {"TNX0050", QString::fromLatin1(box), screenOf<TNX0050>(),
            [field](const QString &v) {
                TLivingCosts c;
                if (!ReadLivingCosts(77, c)) c.rows.push_back({1, 30, 150.0, 0, 0, 0});
                field(c) = v;
                return SaveLivingCosts(77, c);
            },
            [field] {
                TLivingCosts c;
                return ReadLivingCosts(77, c) ? field(c) : QStringLiteral("<none>");
            }};
}

TextField modelField(const char *box, std::function<QString &(TModelData &)> field) {
    return {"TNX0080", QString::fromLatin1(box), screenOf<TNX0080>(),
            [field](const QString &v) {
                TModelData m;
                ReadModelData(77, m);
                m.mdco = 77;
                field(m) = v;
                return SaveModelData(m);
            },
            [field] {
                TModelData m;
                return ReadModelData(77, m) ? field(m) : QStringLiteral("<none>");
            }};
}

// A text column of a code list (grid cells: no limit of their own).
TextField listField(const char *screen, const ListTable &list, int column) {
    return {screen, QString(), nullptr,
            [&list, column](const QString &v) {
                std::vector<QVariantList> rows;
                for (const QStringList &r : LoadList(list)) {
                    QVariantList values;
                    for (int c = 0; c < r.size(); ++c)
                        values << (list.integer[c] ? QVariant(r[c].toInt()) : QVariant(r[c]));
                    rows.push_back(values);
                }
                if (rows.empty()) {
                    QVariantList values;
                    for (int c = 0; c < list.columns.size(); ++c)
                        values << (list.integer[c] ? QVariant(1) : QVariant(QString()));
                    rows.push_back(values);
                }
                rows[0][column] = v;
                return SaveList(list, rows);
            },
            [&list, column] {
                const std::vector<QStringList> rows = LoadList(list);
                return rows.empty() ? QStringLiteral("<none>") : rows[0][column];
            }};
}

TextField designField(const char *box, bool legend) {
    return {"TNX1051", QString::fromLatin1(box), nullptr,
            [legend](const QString &v) {
                const std::optional<TDSPDRAW> d = ReadDesignStyle(1);
                const QString other =
                    legend ? (d ? d->Setsumei : QString()) : (d ? d->Hanrei : QString());
                return SaveDesignStyle(1, legend ? v : other, legend ? other : v,
                                       QStringLiteral("clRed"), 0, 1);
            },
            [legend] {
                const std::optional<TDSPDRAW> d = ReadDesignStyle(1);
                return !d ? QStringLiteral("<none>") : legend ? d->Hanrei : d->Setsumei;
            }};
}

const std::vector<TextField> &fields() {
    static const std::vector<TextField> all = [] {
        std::vector<TextField> f;
        using E = TEmployee;
        const auto employee = [&f](const char *box, QString E::*member) {
            f.push_back(employeeField(
                box, [member](E &e, const QString &v) { e.*member = v; },
                [member](const E &e) { return e.*member; }));
        };
        employee("txtWorkerNo", &E::scot);
        employee("txtWorkName", &E::sna);
        employee("txtYakusyoku", &E::yaku);
        employee("txtGakureki", &E::gaku);
        employee("txtSenkou", &E::senkou);
        employee("txtKSikaku", &E::ksikaku);
        employee("txtHaizoku", &E::keiken);
        for (int i = 1; i <= 3; ++i)
            f.push_back(employeeField(
                QStringLiteral("txtHyouka%1").arg(i + 1).toLatin1().constData(),
                [i](E &e, const QString &v) { e.hna[i] = v; },
                [i](const E &e) { return e.hna[i]; }));

        f.push_back(companyField("txtCorpName", [](TMKIGYOU2 &r) -> QString & { return r.Kna; }));
        f.push_back(
            companyField("txtSalaryKbn", [](TMKIGYOU2 &r) -> QString & { return r.Taikei; }));
        for (int i = 1; i <= 3; ++i)
            f.push_back(companyField(QStringLiteral("txtKihon%1").arg(i).toLatin1().constData(),
                                     [i](TMKIGYOU2 &r) -> QString & { return r.Kkna[i]; }));
        for (int i = 1; i <= 5; ++i)
            f.push_back(companyField(QStringLiteral("txtTeate%1").arg(i).toLatin1().constData(),
                                     [i](TMKIGYOU2 &r) -> QString & { return r.Tna[i]; }));
        for (int i = 1; i <= 9; ++i)
            f.push_back(companyField(QStringLiteral("txtTokyu%1").arg(i).toLatin1().constData(),
                                     [i](TMKIGYOU2 &r) -> QString & { return r.Tk[i]; }));

        f.push_back(
            workTypeField("txtName", [](TSALARYTBL &w) -> QString & { return w.SalaryName; }));
        f.push_back(workTypeField("txtTeigi", [](TSALARYTBL &w) -> QString & { return w.Teigi; }));
        for (int i = 1; i <= 3; ++i)
            f.push_back(workTypeField(QStringLiteral("txtKihon%1").arg(i),
                                      [i](TSALARYTBL &w) -> QString & { return w.Kihon[i]; }));
        for (int i = 1; i <= 5; ++i)
            f.push_back(workTypeField(QStringLiteral("txtTeate%1").arg(i),
                                      [i](TSALARYTBL &w) -> QString & { return w.Teate[i]; }));

        f.push_back(bandField("txtBandName", [](TBANDM2 &b) -> QString & { return b.BandName; }));
        f.push_back(bandField("txtTeigi", [](TBANDM2 &b) -> QString & { return b.BandTeigi; }));

        for (int n = 1; n <= 3; ++n)
            f.push_back(eraField(n));
        for (int n = 1; n <= 6; ++n) {
            f.push_back(markField(QStringLiteral("txtMark%1").arg(n), n, false));
            f.push_back(markField(QStringLiteral("txtHanrei%1").arg(n), n, true));
        }

        f.push_back(
            livingField("txtSyussyo", [](TLivingCosts &c) -> QString & { return c.dedokoro; }));
        f.push_back(
            livingField("txtTiiki", [](TLivingCosts &c) -> QString & { return c.tchiiki; }));
        f.push_back(
            livingField("txtCyosaJiki", [](TLivingCosts &c) -> QString & { return c.cjiten; }));
        f.push_back(
            livingField("txtNyuryokuchi", [](TLivingCosts &c) -> QString & { return c.nsuchi; }));

        f.push_back(modelField("txtSalaryName", [](TModelData &m) -> QString & { return m.mdna; }));
        f.push_back(
            modelField("txtSyussyo", [](TModelData &m) -> QString & { return m.dedokoro; }));
        f.push_back(modelField("txtChiiki", [](TModelData &m) -> QString & { return m.tchiiki; }));
        f.push_back(modelField("txtCyousabi", [](TModelData &m) -> QString & { return m.cjiten; }));
        f.push_back(modelField("txtGyousyu", [](TModelData &m) -> QString & { return m.gyousyu; }));
        f.push_back(modelField("txtKibo", [](TModelData &m) -> QString & { return m.kibo; }));
        f.push_back(modelField("txtBikou", [](TModelData &m) -> QString & { return m.bikou; }));

        f.push_back(listField("TfrmMatrixid NAME", MatrixIdList(), 1));
        f.push_back(listField("TfrmMatrixid TEIGI", MatrixIdList(), 2));
        f.push_back(listField("TfrmYHyouka HKIGOU", RoleEvaluationList(), 1));
        f.push_back(listField("TNX3020 HKIGOU", EvaluationList(), 1));

        f.push_back(designField("txtHanrei", true));
        f.push_back(designField("txtComment", false));
        return f;
    }();
    return all;
}

} // namespace

class TstTextFields : public QObject {
    Q_OBJECT
private slots:
    void keepsHostileText_data();
    void keepsHostileText();
};

void TstTextFields::keepsHostileText_data() {
    QTest::addColumn<int>("index");
    for (size_t i = 0; i < fields().size(); ++i)
        QTest::newRow(qPrintable(QString::fromLatin1(fields()[i].screen) + QLatin1Char(' ') +
                                 fields()[i].box))
            << static_cast<int>(i);
}

void TstTextFields::keepsHostileText() {
    QFETCH(int, index);
    const TextField &field = fields()[static_cast<size_t>(index)];
    TestProgram p;
    openSample();

    int length = kNoLimitLength;
    if (field.make && !field.box.isEmpty()) {
        const std::unique_ptr<QWidget> screen = field.make();
        if (auto *box = screen->findChild<QLineEdit *>(field.box)) {
            if (box->maxLength() < 32767) length = box->maxLength();
        } else if (field.box != QLatin1String("txtBikou")) {
            QFAIL(qPrintable(QStringLiteral("no edit box ") + field.box));
        }
    }
    // The longest text the box takes, and a short one with the same characters, each written
    // and read back unchanged.
    for (const QString &value : {hostileText(length), hostileText(std::min(length, 6))}) {
        QVERIFY2(field.write(value), qPrintable(p.messages.texts().join(QLatin1Char('\n'))));
        QCOMPARE(field.read(), value);
    }
    QCOMPARE(shown(p.messages), QStringList());
}

QTEST_MAIN(TstTextFields)
#include "tst_text_fields.moc"
