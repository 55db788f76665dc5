#include "basic_settings.h"

#include "colour_text.h"
#include "edit_controls.h"
#include "form_helpers.h"
#include "loaders.h"
#include "message_seam.h"
#include "state.h"
#include "tdm.h"
#include "utilities.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QVBoxLayout>

// A white strip showing a colour: as a filled swatch, or as a short line drawn with a line
// type (0 none, 1 solid, 2 dotted, 3 dash-dotted) and width.
class TLineSample : public QWidget {
public:
    enum class Kind { Swatch, Line };
    TLineSample(Kind kind, QWidget *parent) : QWidget(parent), m_kind(kind) {
        setFixedSize(kind == Kind::Swatch ? QSize(40, 20) : QSize(120, 20));
    }
    void setSample(const QColor &colour, int type = 1, int width = 1) {
        m_colour = colour;
        m_type = type;
        m_width = width;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(QColor(160, 160, 160));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        if (m_kind == Kind::Swatch) {
            p.fillRect(rect().adjusted(3, 3, -3, -3), m_colour);
            return;
        }
        Qt::PenStyle style = Qt::NoPen;
        switch (m_type) {
        case 1:
            style = Qt::SolidLine;
            break;
        case 2:
            style = Qt::DotLine;
            break;
        case 3:
            style = Qt::DashDotLine;
            break;
        default:
            return;
        }
        QPen pen(m_colour, qBound(1, m_width, 5), style, Qt::FlatCap);
        p.setPen(pen);
        const int y = height() / 2;
        p.drawLine(10, y, width() - 10, y);
    }

private:
    Kind m_kind;
    QColor m_colour = Qt::black;
    int m_type = 0;
    int m_width = 1;
};

namespace {

const QStringList kFullWidthDigits = {QStringLiteral("１"), QStringLiteral("２"),
                                      QStringLiteral("３"), QStringLiteral("４"),
                                      QStringLiteral("５"), QStringLiteral("６")};

constexpr int kMinMarkSize = 8;
constexpr int kMaxMarkSize = 18;

// yyyymmdd shown as "0000'.'00'.'00" (20040401 as 2004.04.01, 0 as 0000.00.00).
QString dottedDate(qint64 ymd) {
    QString s = QString::number(ymd < 0 ? -ymd : ymd).rightJustified(8, QLatin1Char('0'));
    s.insert(s.size() - 2, QLatin1Char('.'));
    s.insert(s.size() - 5, QLatin1Char('.'));
    return ymd < 0 ? QLatin1Char('-') + s : s;
}

QPushButton *makeButton(const QString &text, const QString &name, QWidget *parent) {
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLineEdit *makeEdit(const QString &name, QWidget *parent, bool right = false) {
    QLineEdit *e = right ? new TRightEdit(parent) : new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

// A line type box: items 1..3, "0 : なし" (or the stored value) when none is chosen.
QComboBox *makeTypeCombo(const QString &name, QWidget *parent) {
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    for (int t = 1; t <= 3; ++t) {
        QString text;
        LineTypeText(t, text);
        c->addItem(text);
    }
    return c;
}

QComboBox *makeWidthCombo(const QString &name, QWidget *parent) {
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    for (int w = 1; w <= 5; ++w)
        c->addItem(QString::number(w));
    return c;
}

void showType(QComboBox *combo, int type) {
    if (type >= 1 && type <= 3) {
        combo->setCurrentIndex(type - 1);
        return;
    }
    QString text = QString::number(type);
    LineTypeText(type, text);
    combo->setCurrentIndex(-1);
    combo->setPlaceholderText(text);
}

void showWidth(QComboBox *combo, int width) {
    if (width >= 1 && width <= 5) {
        combo->setCurrentIndex(width - 1);
        return;
    }
    combo->setCurrentIndex(-1);
    combo->setPlaceholderText(QString::number(width));
}

// The value of a selected line type or width item: its first space-separated field.
int selectedValue(const QComboBox *combo, int low, int high, bool &ok) {
    const int v = SplitField(combo->currentText(), QLatin1Char(' '), 1).toInt(&ok);
    ok = ok && v >= low && v <= high;
    return v;
}

QString storedColour(const QString &text) {
    return text.trimmed().isEmpty() ? QStringLiteral("clBlack") : text;
}

} // namespace

TNX0070::TNX0070(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TNX0070"));
    setWindowTitle(QStringLiteral("基本設定"));
    m_exits = new TFieldExits(this);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("pgcBase"));
    m_tabs->addTab(buildDatePage(), QStringLiteral("日付処理"));
    m_tabs->addTab(buildMarkPage(), QStringLiteral("マーク設定"));
    m_tabs->addTab(buildGraphPage(), QStringLiteral("グラフ設定"));

    m_btnAdd = makeButton(QStringLiteral("登　録"), QStringLiteral("btnAdd"), this);
    m_btnCancel = makeButton(QStringLiteral("ｷｬﾝｾﾙ"), QStringLiteral("btnCancel"), this);
    m_btnClose = makeButton(QStringLiteral("閉じる"), QStringLiteral("btnClose"), this);
    connect(m_btnAdd, &QPushButton::clicked, this, &TNX0070::btnAddClick);
    connect(m_btnCancel, &QPushButton::clicked, this, &TNX0070::btnCancelClick);
    connect(m_btnClose, &QPushButton::clicked, this, &TNX0070::btnCloseClick);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {m_btnAdd, m_btnCancel, m_btnClose}) {
        b->setMinimumWidth(96);
        buttons->addWidget(b);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
    InstallEnterMovesFocus(this);
}

TNX0070::~TNX0070() = default;

QWidget *TNX0070::buildDatePage() {
    auto *page = new QWidget;

    auto *keisan = new QGroupBox(QStringLiteral("年齢/勤続　計算"), page);
    m_optKeisan1 = new QRadioButton(QStringLiteral("出力時に自動計算"), keisan);
    m_optKeisan1->setObjectName(QStringLiteral("optKeisan1"));
    m_optKeisan2 = new QRadioButton(QStringLiteral("基準年月日を設定"), keisan);
    m_optKeisan2->setObjectName(QStringLiteral("optKeisan2"));
    auto *keisanLayout = new QVBoxLayout(keisan);
    keisanLayout->addWidget(m_optKeisan1);
    keisanLayout->addWidget(m_optKeisan2);
    connect(m_optKeisan1, &QRadioButton::clicked, this, &TNX0070::optKeisan1Click);
    connect(m_optKeisan2, &QRadioButton::clicked, this, &TNX0070::optKeisan2Click);

    auto *kijun = new QGroupBox(QStringLiteral("基準年月日"), page);
    m_txtKijunbi = makeEdit(QStringLiteral("txtKijunbi"), kijun, true);
    m_txtKijunbi->setMaxLength(10);
    m_txtKijunbi->setFixedWidth(110);
    auto *kijunLayout = new QHBoxLayout(kijun);
    kijunLayout->addWidget(m_txtKijunbi);
    kijunLayout->addWidget(new QLabel(QStringLiteral("(YYYY.MM.DD)"), kijun));
    kijunLayout->addStretch();
    WatchChanges(m_txtKijunbi, ChangeSource::Any, [this] { setDateChanged(); });
    m_exits->watch(m_txtKijunbi, [this] { return txtKijunbiExit(); });

    auto *reki = new QGroupBox(QStringLiteral("暦　設定"), page);
    m_optSeireki = new QRadioButton(QStringLiteral("西　暦"), reki);
    m_optSeireki->setObjectName(QStringLiteral("optSeireki"));
    m_optWareki = new QRadioButton(QStringLiteral("和　暦"), reki);
    m_optWareki->setObjectName(QStringLiteral("optWareki"));
    auto *rekiLayout = new QVBoxLayout(reki);
    rekiLayout->addWidget(m_optSeireki);
    rekiLayout->addWidget(m_optWareki);
    connect(m_optSeireki, &QRadioButton::clicked, this, &TNX0070::optCalendarClick);
    connect(m_optWareki, &QRadioButton::clicked, this, &TNX0070::optCalendarClick);

    // The era table is reference data: shown, never edited here.
    auto *table = new QGroupBox(QStringLiteral("暦　変換表"), page);
    table->setObjectName(QStringLiteral("grpChange"));
    auto *grid = new QGridLayout(table);
    grid->addWidget(new QLabel(QStringLiteral("選択"), table), 0, 0, Qt::AlignCenter);
    const QStringList optNames = {QStringLiteral("optchg1"), QStringLiteral("optChg2"),
                                  QStringLiteral("optChg3")};
    for (int i = 0; i < 3; ++i) {
        EraRow &row = m_era[static_cast<size_t>(i)];
        const int n = i + 1;
        row.optChg = new QRadioButton(table);
        row.optChg->setObjectName(optNames[i]);
        row.txtNengou = makeEdit(QStringLiteral("txtNengou%1").arg(n), table);
        row.txtChgyy = makeEdit(QStringLiteral("txtChgyy%1").arg(n), table, true);
        row.txtChgmm = makeEdit(QStringLiteral("txtChgmm%1").arg(n), table, true);
        row.txtChgdd = makeEdit(QStringLiteral("txtChgdd%1").arg(n), table, true);
        row.txtNengou->setFixedWidth(60);
        row.txtChgyy->setFixedWidth(56);
        row.txtChgmm->setFixedWidth(36);
        row.txtChgdd->setFixedWidth(36);
        grid->addWidget(row.optChg, n, 0, Qt::AlignCenter);
        grid->addWidget(row.txtNengou, n, 1);
        grid->addWidget(row.txtChgyy, n, 2);
        grid->addWidget(new QLabel(QStringLiteral("年"), table), n, 3);
        grid->addWidget(row.txtChgmm, n, 4);
        grid->addWidget(new QLabel(QStringLiteral("月"), table), n, 5);
        grid->addWidget(row.txtChgdd, n, 6);
        grid->addWidget(new QLabel(QStringLiteral("日"), table), n, 7);
        grid->addWidget(new QLabel(QStringLiteral("から"), table), n, 8);
        connect(row.optChg, &QRadioButton::clicked, this, &TNX0070::optChgClick);
        for (QLineEdit *e : {row.txtNengou, row.txtChgyy, row.txtChgmm, row.txtChgdd}) {
            WatchChanges(e, ChangeSource::Any, [this] { setEraChanged(); });
            if (e != row.txtNengou) m_exits->watch(e, [this, e] { return eraBoxExit(e); });
        }
    }
    grid->setColumnStretch(9, 1);
    auto *note = new QLabel(QStringLiteral("本項目はユーザ設定不可、参照のみです"), table);
    grid->addWidget(note, 4, 0, 1, 10);
    table->setEnabled(false);

    auto *top = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(keisan);
    left->addWidget(kijun);
    top->addLayout(left, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(reki);
    right->addStretch();
    top->addLayout(right, 1);

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(table);
    layout->addStretch();
    return page;
}

QWidget *TNX0070::buildMarkPage() {
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    for (int i = 0; i < 6; ++i) {
        const int n = i + 1;
        MarkGroup &ui = m_markUi[static_cast<size_t>(i)];
        auto *box = new QGroupBox(QStringLiteral("マーク") + kFullWidthDigits[i], page);
        box->setObjectName(QStringLiteral("grpMark%1").arg(n));
        auto *g = new QGridLayout(box);
        g->setVerticalSpacing(4);

        ui.txtMark = makeEdit(QStringLiteral("txtMark%1").arg(n), box);
        ui.txtMark->setFixedWidth(48);
        ui.txtHanrei = makeEdit(QStringLiteral("txtHanrei%1").arg(n), box);
        g->addWidget(new QLabel(QStringLiteral("マーク"), box), 0, 0);
        g->addWidget(ui.txtMark, 0, 1);
        g->addWidget(new QLabel(QStringLiteral("凡　例"), box), 0, 2);
        g->addWidget(ui.txtHanrei, 0, 3);

        ui.mkSample = new TLineSample(TLineSample::Kind::Swatch, box);
        ui.mkSample->setObjectName(QStringLiteral("shpMkColor%1").arg(n));
        auto *btnMk =
            makeButton(QStringLiteral("カラー設定"), QStringLiteral("btnMkColor%1").arg(n), box);
        auto *mkRow = new QHBoxLayout;
        mkRow->addWidget(ui.mkSample);
        mkRow->addWidget(btnMk);
        g->addWidget(new QLabel(QStringLiteral("マークカラー"), box), 1, 0);
        g->addLayout(mkRow, 1, 1);
        ui.cmbMSize = new QComboBox(box);
        ui.cmbMSize->setObjectName(QStringLiteral("cmbMSize%1").arg(n));
        ui.cmbMSize->setEditable(true);
        ui.cmbMSize->setInsertPolicy(QComboBox::NoInsert);
        for (int size : {8, 9, 10, 11, 12, 14, 16, 18})
            ui.cmbMSize->addItem(QString::number(size));
        ui.cmbMSize->setFixedWidth(64);
        g->addWidget(new QLabel(QStringLiteral("マークサイズ"), box), 1, 2);
        g->addWidget(ui.cmbMSize, 1, 3, Qt::AlignLeft);

        auto *btnK =
            makeButton(QStringLiteral("カラー設定"), QStringLiteral("btnKColor%1").arg(n), box);
        g->addWidget(new QLabel(QStringLiteral("曲線カラー"), box), 2, 0);
        g->addWidget(btnK, 2, 1, Qt::AlignRight);
        ui.cmbSensyu = makeTypeCombo(QStringLiteral("cmbSensyu%1").arg(n), box);
        g->addWidget(new QLabel(QStringLiteral("曲線種類"), box), 2, 2);
        g->addWidget(ui.cmbSensyu, 2, 3);

        ui.curveSample = new TLineSample(TLineSample::Kind::Line, box);
        ui.curveSample->setObjectName(QStringLiteral("shpSensyu%1").arg(n));
        g->addWidget(ui.curveSample, 3, 0, 1, 2, Qt::AlignLeft);
        ui.cmbSenHaba = makeWidthCombo(QStringLiteral("cmbSenHaba%1").arg(n), box);
        ui.cmbSenHaba->setFixedWidth(64);
        g->addWidget(new QLabel(QStringLiteral("曲線幅"), box), 3, 2);
        g->addWidget(ui.cmbSenHaba, 3, 3, Qt::AlignLeft);
        g->setColumnStretch(3, 1);

        connect(ui.txtMark, &QLineEdit::textChanged, this, [this, i](const QString &text) {
            if (m_loading) return;
            m_marks[static_cast<size_t>(i)].Mark = text;
            setMarkChanged();
        });
        connect(ui.txtHanrei, &QLineEdit::textChanged, this, [this, i](const QString &text) {
            if (m_loading) return;
            m_marks[static_cast<size_t>(i)].Hanrei = text;
            setMarkChanged();
        });
        WatchChanges(ui.cmbMSize, ChangeSource::Any, [this] { setMarkChanged(); });
        m_exits->watch(ui.cmbMSize, [this, n] { return cmbMSizeExit(n); });
        EnterLeavesCombo(ui.cmbMSize);
        connect(ui.cmbSensyu, &QComboBox::activated, this, [this, n] { cmbSensyuSelect(n); });
        connect(ui.cmbSenHaba, &QComboBox::activated, this, [this, n] { cmbSenHabaSelect(n); });
        connect(btnMk, &QPushButton::clicked, this, [this, n] { btnMkColorClick(n); });
        connect(btnK, &QPushButton::clicked, this, [this, n] { btnKColorClick(n); });

        grid->addWidget(box, i / 2, i % 2);
    }
    return page;
}

QWidget *TNX0070::buildGraphPage() {
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    const QStringList titles = {QStringLiteral("座標軸"), QStringLiteral("目盛"),
                                QStringLiteral("格子"), QStringLiteral("中央線")};
    for (int i = 0; i < 4; ++i) {
        const int n = i + 1;
        GraphGroup &ui = m_graphUi[static_cast<size_t>(i)];
        auto *box = new QGroupBox(titles[i], page);
        box->setObjectName(QStringLiteral("grpGraph%1").arg(n));
        auto *g = new QGridLayout(box);
        auto *btn =
            makeButton(QStringLiteral("カラー設定"), QStringLiteral("btnGColor%1").arg(n), box);
        ui.cmbSensyu = makeTypeCombo(QStringLiteral("cmbGSensyu%1").arg(n), box);
        ui.cmbSenHaba = makeWidthCombo(QStringLiteral("cmbGSenHaba%1").arg(n), box);
        ui.cmbSenHaba->setFixedWidth(64);
        ui.sample = new TLineSample(TLineSample::Kind::Line, box);
        ui.sample->setObjectName(QStringLiteral("shpGraph%1").arg(n));
        g->addWidget(new QLabel(QStringLiteral("直線カラー"), box), 0, 0);
        g->addWidget(btn, 0, 1, Qt::AlignLeft);
        g->addWidget(new QLabel(QStringLiteral("直線種類"), box), 1, 0);
        g->addWidget(ui.cmbSensyu, 1, 1, Qt::AlignLeft);
        g->addWidget(new QLabel(QStringLiteral("直線幅"), box), 2, 0);
        g->addWidget(ui.cmbSenHaba, 2, 1, Qt::AlignLeft);
        g->addWidget(ui.sample, 3, 0, 1, 2, Qt::AlignLeft);
        g->setColumnStretch(1, 1);
        connect(btn, &QPushButton::clicked, this, [this, n] { btnGColorClick(n); });
        connect(ui.cmbSensyu, &QComboBox::activated, this, [this, n] { cmbGSensyuSelect(n); });
        connect(ui.cmbSenHaba, &QComboBox::activated, this, [this, n] { cmbGSenHabaSelect(n); });
        grid->addWidget(box, i / 2, i % 2);
    }
    grid->setRowStretch(2, 1);
    return page;
}

void TNX0070::prepare() {
    m_loading = true;
    m_tabs->setCurrentIndex(0);
    for (MarkGroup &ui : m_markUi) {
        ui.cmbMSize->setEditText(QStringLiteral("0"));
        showType(ui.cmbSensyu, 0);
        showWidth(ui.cmbSenHaba, 0);
    }
    for (GraphGroup &ui : m_graphUi) {
        showType(ui.cmbSensyu, 0);
        showWidth(ui.cmbSenHaba, 0);
    }
    m_loading = false;
    loadSettings();
    clearFlags();
}

void TNX0070::loadSettings() {
    m_loading = true;
    const QString key = ProjectKeySql();

    TQuery &q1 = DM().Query1;
    q1.Close();
    if (!key.isEmpty()) RunSql(q1, QStringLiteral("SELECT * FROM MKIGYOU1 WHERE") + key, 'S');
    const bool fnk = !q1.Eof() && q1.AsInteger(QStringLiteral("FNK")) != 0;
    (fnk ? m_optKeisan1 : m_optKeisan2)->setChecked(true);
    m_txtKijunbi->setEnabled(!fnk);
    if (!q1.Eof()) {
        G().gKdate = q1.AsInteger(QStringLiteral("KDATE"));
        m_txtKijunbi->setText(dottedDate(G().gKdate));
    }
    const bool wareki = !q1.Eof() && q1.AsInteger(QStringLiteral("REKI")) != 0;
    (wareki ? m_optWareki : m_optSeireki)->setChecked(true);
    q1.Close();

    RunSql(q1, QStringLiteral("SELECT * FROM MSEIGYO WHERE CO = 0"), 'S');
    for (int i = 0; i < 3 && !q1.Eof(); ++i) {
        const int n = i + 1;
        EraRow &row = m_era[static_cast<size_t>(i)];
        row.txtNengou->setText(q1.AsString(QStringLiteral("REKI%1").arg(n)));
        row.txtChgyy->setText(QString::number(q1.AsInteger(QStringLiteral("SNEN%1").arg(n))));
        row.txtChgmm->setText(QString::number(q1.AsInteger(QStringLiteral("STSUKI%1").arg(n))));
        row.txtChgdd->setText(QString::number(q1.AsInteger(QStringLiteral("SHI%1").arg(n))));
    }
    if (!q1.Eof()) {
        const int choice = q1.AsInteger(QStringLiteral("FREKI"));
        if (choice >= 0 && choice <= 2) m_era[static_cast<size_t>(choice)].optChg->setChecked(true);
    }
    q1.Close();

    TQuery &q = DM().Query21;
    for (int m = 1; m <= 6; ++m) {
        TMMARK &mark = m_marks[static_cast<size_t>(m - 1)];
        mark = TMMARK{};
        q.Close();
        if (!key.isEmpty())
            RunSql(q, QStringLiteral("SELECT * FROM MMARK WHERE MKCO = %1 AND").arg(m) + key, 'S');
        if (!q.Eof()) {
            mark.Mkco = m;
            mark.Mark = q.AsString(QStringLiteral("MARK"));
            mark.Hanrei = q.AsString(QStringLiteral("HANREI"));
            mark.Mkcolor = storedColour(q.AsString(QStringLiteral("MKCOLOR")));
            mark.Mksize = q.AsInteger(QStringLiteral("MKSIZE"));
            mark.Kcolor = storedColour(q.AsString(QStringLiteral("KCOLOR")));
            mark.Ksyurui = q.AsInteger(QStringLiteral("KSYURUI"));
            mark.Khaba = q.AsInteger(QStringLiteral("KHABA"));
        }
        q.Close();
        showMark(m);
    }
    for (int g = 1; g <= 4; ++g) {
        GraphLine &line = m_lines[static_cast<size_t>(g - 1)];
        line = GraphLine{};
        q.Close();
        if (!key.isEmpty())
            RunSql(q, QStringLiteral("SELECT * FROM MGRAPH WHERE GSCO = %1 AND").arg(g) + key, 'S');
        if (!q.Eof()) {
            line.Color = storedColour(q.AsString(QStringLiteral("CCOLOR")));
            line.Syurui = q.AsInteger(QStringLiteral("CSYURUI"));
            line.Haba = q.AsInteger(QStringLiteral("CHABA"));
        }
        q.Close();
        showLine(g);
    }
    m_loading = false;
}

void TNX0070::showMark(int m) {
    const TMMARK &mark = m_marks[static_cast<size_t>(m - 1)];
    MarkGroup &ui = m_markUi[static_cast<size_t>(m - 1)];
    const bool loading = m_loading;
    m_loading = true;
    ui.txtMark->setText(mark.Mark);
    ui.txtHanrei->setText(mark.Hanrei);
    ui.cmbMSize->setEditText(QString::number(mark.Mksize));
    showType(ui.cmbSensyu, mark.Ksyurui);
    showWidth(ui.cmbSenHaba, mark.Khaba);
    m_loading = loading;
    ui.mkSample->setSample(ColourFromText(mark.Mkcolor));
    ui.curveSample->setSample(ColourFromText(mark.Kcolor), mark.Ksyurui, mark.Khaba);
}

void TNX0070::showLine(int slot) {
    const GraphLine &line = m_lines[static_cast<size_t>(slot - 1)];
    GraphGroup &ui = m_graphUi[static_cast<size_t>(slot - 1)];
    showType(ui.cmbSensyu, line.Syurui);
    showWidth(ui.cmbSenHaba, line.Haba);
    ui.sample->setSample(ColourFromText(line.Color), line.Syurui, line.Haba);
}

void TNX0070::clearFlags() {
    G().gDataChanged = 0;
    m_dateChanged = m_eraChanged = m_markChanged = m_graphChanged = false;
}

void TNX0070::setDateChanged() {
    if (m_loading) return;
    G().gDataChanged = 1;
    m_dateChanged = true;
}

void TNX0070::setEraChanged() {
    if (m_loading) return;
    G().gDataChanged = 1;
    m_eraChanged = true;
}

void TNX0070::setMarkChanged() {
    if (m_loading) return;
    G().gDataChanged = 1;
    m_markChanged = true;
}

void TNX0070::setGraphChanged() {
    if (m_loading) return;
    G().gDataChanged = 1;
    m_graphChanged = true;
}

void TNX0070::optKeisan1Click() {
    m_txtKijunbi->setEnabled(false);
    setDateChanged();
}

void TNX0070::optKeisan2Click() {
    m_txtKijunbi->setEnabled(true);
    setDateChanged();
}

void TNX0070::optCalendarClick() {
    setDateChanged();
}

void TNX0070::optChgClick() {
    setEraChanged();
}

bool TNX0070::txtKijunbiExit() {
    QString digits = m_txtKijunbi->text().trimmed();
    digits.remove(QLatin1Char('.'));
    bool isNumber = false;
    digits.toDouble(&isNumber);
    if (!isNumber) return RefuseField(m_txtKijunbi, kMsgNotNumber);
    // Only a real calendar date in yyyymmdd form is a base date; "2024.4.1" would otherwise
    // be read as 202441.
    static const QRegularExpression eightDigits(QStringLiteral("^[0-9]{8}$"));
    if (!eightDigits.match(digits).hasMatch() ||
        !QDate::fromString(digits, QStringLiteral("yyyyMMdd")).isValid())
        return RefuseField(m_txtKijunbi, kMsgOutOfRange);
    const int ymd = digits.toInt();
    const bool loading = m_loading;
    m_loading = true; // reformatting is no change of its own
    m_txtKijunbi->setText(dottedDate(ymd));
    m_loading = loading;
    G().gKdate = ymd;
    return true;
}

bool TNX0070::cmbMSizeExit(int mark) {
    QComboBox *combo = m_markUi[static_cast<size_t>(mark - 1)].cmbMSize;
    bool ok = false;
    const int size = combo->currentText().trimmed().toInt(&ok);
    if (!ok || size < kMinMarkSize || size > kMaxMarkSize)
        return RefuseField(combo, kMsgOutOfRange);
    m_marks[static_cast<size_t>(mark - 1)].Mksize = size;
    return true;
}

bool TNX0070::eraBoxExit(QLineEdit *box) {
    int low = 0, high = 0;
    for (const EraRow &row : m_era) {
        if (box == row.txtChgyy) {
            low = 1900;
            high = 2050;
        }
        if (box == row.txtChgmm) high = 12;
        if (box == row.txtChgdd) high = 31;
    }
    if (high == 0) return true;
    bool ok = false;
    const int v = box->text().trimmed().toInt(&ok);
    if (!ok) return RefuseField(box, kMsgNotNumber);
    if (v != 0 && (v < low || v > high)) return RefuseField(box, kMsgOutOfRange);
    return true;
}

void TNX0070::cmbSensyuSelect(int mark) {
    QComboBox *combo = m_markUi[static_cast<size_t>(mark - 1)].cmbSensyu;
    bool ok = false;
    const int type = selectedValue(combo, 1, 3, ok);
    if (!ok) {
        RefuseField(combo, kMsgOutOfRange);
        return;
    }
    m_marks[static_cast<size_t>(mark - 1)].Ksyurui = type;
    setMarkChanged();
    showMark(mark);
}

void TNX0070::cmbSenHabaSelect(int mark) {
    QComboBox *combo = m_markUi[static_cast<size_t>(mark - 1)].cmbSenHaba;
    bool ok = false;
    const int width = selectedValue(combo, 1, 5, ok);
    if (!ok) {
        RefuseField(combo, kMsgOutOfRange);
        return;
    }
    m_marks[static_cast<size_t>(mark - 1)].Khaba = width;
    setMarkChanged();
    showMark(mark);
}

void TNX0070::cmbGSensyuSelect(int slot) {
    QComboBox *combo = m_graphUi[static_cast<size_t>(slot - 1)].cmbSensyu;
    bool ok = false;
    const int type = selectedValue(combo, 1, 3, ok);
    if (!ok) {
        RefuseField(combo, kMsgOutOfRange);
        return;
    }
    m_lines[static_cast<size_t>(slot - 1)].Syurui = type;
    setGraphChanged();
    showLine(slot);
}

void TNX0070::cmbGSenHabaSelect(int slot) {
    QComboBox *combo = m_graphUi[static_cast<size_t>(slot - 1)].cmbSenHaba;
    bool ok = false;
    const int width = selectedValue(combo, 1, 5, ok);
    if (!ok) {
        RefuseField(combo, kMsgOutOfRange);
        return;
    }
    m_lines[static_cast<size_t>(slot - 1)].Haba = width;
    setGraphChanged();
    showLine(slot);
}

void TNX0070::btnMkColorClick(int mark) {
    TMMARK &m = m_marks[static_cast<size_t>(mark - 1)];
    QColor colour = ColourFromText(m.Mkcolor);
    if (!Seam().chooseColor(colour)) return;
    m.Mkcolor = ColourToText(colour);
    setMarkChanged();
    showMark(mark);
}

void TNX0070::btnKColorClick(int mark) {
    TMMARK &m = m_marks[static_cast<size_t>(mark - 1)];
    QColor colour = ColourFromText(m.Kcolor);
    if (!Seam().chooseColor(colour)) return;
    m.Kcolor = ColourToText(colour);
    setMarkChanged();
    showMark(mark);
}

void TNX0070::btnGColorClick(int slot) {
    GraphLine &line = m_lines[static_cast<size_t>(slot - 1)];
    QColor colour = ColourFromText(line.Color);
    if (!Seam().chooseColor(colour)) return;
    line.Color = ColourToText(colour);
    setGraphChanged();
    showLine(slot);
}

// Every value that goes into a statement is checked again here: a click on 登　録 can come
// before the check of the field it left.
bool TNX0070::checkBeforeSave() {
    if (m_dateChanged && m_txtKijunbi->isEnabled() && !txtKijunbiExit()) return false;
    if (m_eraChanged)
        for (const EraRow &row : m_era)
            for (QLineEdit *e : {row.txtChgyy, row.txtChgmm, row.txtChgdd})
                if (!eraBoxExit(e)) return false;
    if (m_markChanged)
        for (int m = 1; m <= 6; ++m)
            if (!cmbMSizeExit(m)) return false;
    return true;
}

bool TNX0070::saveControl() {
    if (!m_dateChanged && !m_eraChanged) return true;
    const QString key = ProjectKeySql();
    if (key.isEmpty()) return false;
    ScopedTransaction transaction(DM().ACN1);
    TQuery &q = DM().Query1;
    if (m_dateChanged)
        RunSql(q,
               QStringLiteral("UPDATE MKIGYOU1 SET FNK = %1, KDATE = %2, REKI = %3 WHERE")
                       .arg(m_optKeisan1->isChecked() ? 1 : 0)
                       .arg(G().gKdate)
                       .arg(m_optWareki->isChecked() ? 1 : 0) +
                   key,
               'E');
    std::array<QString, 4> names;
    std::array<int, 4> years{};
    if (m_eraChanged) {
        QString sql = QStringLiteral("UPDATE MSEIGYO SET ");
        int choice = 0;
        for (int i = 0; i < 3; ++i) {
            const EraRow &row = m_era[static_cast<size_t>(i)];
            names[i + 1] = row.txtNengou->text();
            years[i + 1] = row.txtChgyy->text().trimmed().toInt();
            sql += QStringLiteral("REKI%1 = %2, SNEN%1 = %3, STSUKI%1 = %4, SHI%1 = %5, ")
                       .arg(i + 1)
                       .arg(SqlText(names[i + 1]))
                       .arg(years[i + 1])
                       .arg(row.txtChgmm->text().trimmed().toInt())
                       .arg(row.txtChgdd->text().trimmed().toInt());
            if (row.optChg->isChecked()) choice = i;
        }
        RunSql(q, sql + QStringLiteral("FREKI = %1 WHERE CO = 0").arg(choice), 'E');
    }
    if (!transaction.commit()) return false;
    if (m_eraChanged) {
        G().gEraNames = names;
        G().gEraStartYears = years;
    }
    m_dateChanged = m_eraChanged = false;
    return true;
}

bool TNX0070::saveData() {
    if (!m_markChanged && !m_graphChanged) return true;
    const QString key = ProjectKeySql();
    if (key.isEmpty()) return false;
    ScopedTransaction transaction(DM().ACN2);
    TQuery &q = DM().Query21;
    if (m_markChanged)
        for (int m = 1; m <= 6; ++m) {
            const TMMARK &mark = m_marks[static_cast<size_t>(m - 1)];
            RunSql(q,
                   QStringLiteral("UPDATE MMARK SET MARK = %1, HANREI = %2, MKCOLOR = %3, "
                                  "MKSIZE = %4, KCOLOR = %5, KSYURUI = %6, KHABA = %7 "
                                  "WHERE MKCO = %8 AND")
                           .arg(SqlText(mark.Mark), SqlText(mark.Hanrei), SqlText(mark.Mkcolor),
                                SqlInt(mark.Mksize), SqlText(mark.Kcolor), SqlInt(mark.Ksyurui),
                                SqlInt(mark.Khaba), SqlInt(m)) +
                       key,
                   'E');
        }
    if (m_graphChanged)
        for (int g = 1; g <= 4; ++g) {
            const GraphLine &line = m_lines[static_cast<size_t>(g - 1)];
            RunSql(q,
                   QStringLiteral("UPDATE MGRAPH SET CCOLOR = %1, CSYURUI = %2, CHABA = %3 "
                                  "WHERE GSCO = %4 AND")
                           .arg(SqlText(line.Color), SqlInt(line.Syurui), SqlInt(line.Haba),
                                SqlInt(g)) +
                       key,
                   'E');
        }
    if (!transaction.commit()) return false;
    m_markChanged = m_graphChanged = false;
    return true;
}

void TNX0070::btnAddClick() {
    if (G().gDataChanged == 0) {
        ShowMessage(kMsgNoChange);
        return;
    }
    if (!checkBeforeSave()) return;
    const bool controlSaved = saveControl();
    const bool dataSaved = saveData();
    // A group whose database refused the save keeps its flag, so it can be saved again.
    if (controlSaved && dataSaved) clearFlags();
}

void TNX0070::btnCancelClick() {
    clearFlags();
}

void TNX0070::btnCloseClick() {
    if (G().gDataChanged == 1 && AskStayOnChangedData()) return;
    clearFlags();
    QDialog::reject();
}

void TNX0070::reject() {
    btnCloseClick();
}
