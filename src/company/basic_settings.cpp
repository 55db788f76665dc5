#include "basic_settings.h"

#include "colour_text.h"
#include "form_helpers.h"
#include "line_sample.h"
#include "loaders.h"
#include "message_seam.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>
#include <vector>

namespace {

const QString kFullWidthDigits = QStringLiteral("０１２３４５６７");

constexpr int kMinMarkSize = 8;
constexpr int kMaxMarkSize = 18;

// The change groups. The date row is saved when its base date (or the age basis that enables
// it) or its calendar changed; each mark has a group of its own, so that a save checks only
// the marks that were edited.
enum Group { BaseDateGroup = 1, CalendarGroup, EraGroup, LineGroup };
int markGroup(int mark) {
    return LineGroup + mark;
}

// yyyymmdd shown as "0000'.'00'.'00" (20040401 as 2004.04.01, 0 as 0000.00.00).
QString dottedDate(qint64 ymd) {
    QString s = QString::number(ymd < 0 ? -ymd : ymd).rightJustified(8, QLatin1Char('0'));
    s.insert(s.size() - 2, QLatin1Char('.'));
    s.insert(s.size() - 5, QLatin1Char('.'));
    return ymd < 0 ? QLatin1Char('-') + s : s;
}

QPushButton *colourButton(QWidget *parent, const QString &name) {
    return MakeButton(parent, qPrintable(name), QStringLiteral("カラー設定"));
}

// A line type box: items 1..3, "0 : なし" (or the stored value) when none is chosen.
QComboBox *makeTypeCombo(QWidget *parent, const QString &name) {
    QComboBox *combo = MakeCombo(parent, qPrintable(name), false);
    QStringList items;
    for (int t = 1; t <= 3; ++t) {
        QString text;
        LineTypeText(t, text);
        items << text;
    }
    SetComboItems(combo, items);
    return combo;
}

QComboBox *makeWidthCombo(QWidget *parent, const QString &name) {
    QComboBox *combo = MakeCombo(parent, qPrintable(name), false);
    SetComboItems(combo, {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                          QStringLiteral("4"), QStringLiteral("5")});
    combo->setFixedWidth(64);
    return combo;
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

QString storedColour(const QString &text) {
    return text.trimmed().isEmpty() ? QStringLiteral("clBlack") : text;
}

// A tab page that asks for its whole size and shows no scroll bars while the screen has room
// for it, and scrolls when a large display font makes it bigger than the screen allows.
class PageScroller : public QScrollArea {
public:
    explicit PageScroller(QWidget *page) {
        setWidget(page);
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
    }
    QSize sizeHint() const override { return widget()->sizeHint(); }
    QSize minimumSizeHint() const override { return {240, 160}; }
};

} // namespace

TNX0070::TNX0070(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TNX0070"));
    setWindowTitle(QStringLiteral("基本設定"));
    m_exits = new TFieldExits(this);
    m_changes = new TChangeTracker(this, TChangeTracker::Scope::Global);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("pgcBase"));
    m_tabs->addTab(new PageScroller(buildDatePage()), QStringLiteral("日付処理"));
    m_tabs->addTab(new PageScroller(buildMarkPage()), QStringLiteral("マーク設定"));
    m_tabs->addTab(new PageScroller(buildGraphPage()), QStringLiteral("グラフ設定"));
    wireEdits();
    // A field that takes the focus (Enter, a refusal) is scrolled into view.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (!now) return;
        auto *page = qobject_cast<QScrollArea *>(m_tabs->currentWidget());
        if (page && page->widget()->isAncestorOf(now)) page->ensureWidgetVisible(now);
    });

    m_btnAdd = MakeButton(this, "btnAdd", QStringLiteral("登　録"));
    m_btnCancel = MakeButton(this, "btnCancel", QStringLiteral("ｷｬﾝｾﾙ"));
    m_btnClose = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    m_exits->onClick(m_btnAdd, [this] { btnAddClick(); });
    m_exits->onClick(m_btnCancel, [this] { btnCancelClick(); });
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
    SizeToFit(this, sizeHint());
    setFixedSize(size());
    InstallEnterMovesFocus(this);
}

TNX0070::~TNX0070() {
    // Deleting the pages moves the focus; that is no field to scroll to.
    disconnect(qApp, nullptr, this, nullptr);
}

QWidget *TNX0070::buildDatePage() {
    auto *page = new QWidget;

    // A group of two choices, each a named option calling its slot when clicked.
    const auto choices = [this, page](const QString &title, std::array<QRadioButton **, 2> options,
                                      std::array<const char *, 2> names,
                                      std::array<QString, 2> captions,
                                      std::array<void (TNX0070::*)(), 2> handlers) {
        auto *group = new QGroupBox(title, page);
        auto *layout = new QVBoxLayout(group);
        for (int i = 0; i < 2; ++i) {
            *options[i] = new QRadioButton(captions[i], group);
            (*options[i])->setObjectName(QLatin1String(names[i]));
            layout->addWidget(*options[i]);
            connect(*options[i], &QRadioButton::clicked, this, handlers[i]);
        }
        return group;
    };
    QGroupBox *keisan =
        choices(QStringLiteral("年齢/勤続　計算"), {&m_optKeisan1, &m_optKeisan2},
                {"optKeisan1", "optKeisan2"},
                {QStringLiteral("出力時に自動計算"), QStringLiteral("基準年月日を設定")},
                {&TNX0070::optKeisan1Click, &TNX0070::optKeisan2Click});

    auto *kijun = new QGroupBox(QStringLiteral("基準年月日"), page);
    m_txtKijunbi = MakeEdit(kijun, "txtKijunbi", 10, Align::Right);
    m_txtKijunbi->setFixedWidth(110);
    auto *kijunLayout = new QHBoxLayout(kijun);
    kijunLayout->addWidget(m_txtKijunbi);
    kijunLayout->addWidget(new QLabel(QStringLiteral("(YYYY.MM.DD)"), kijun));
    kijunLayout->addStretch();
    m_changes->watch(m_txtKijunbi, ChangeSource::Any, BaseDateGroup);
    m_exits->watch(m_txtKijunbi, [this] { return txtKijunbiExit(); });

    QGroupBox *reki =
        choices(QStringLiteral("暦　設定"), {&m_optSeireki, &m_optWareki},
                {"optSeireki", "optWareki"}, {QStringLiteral("西　暦"), QStringLiteral("和　暦")},
                {&TNX0070::optCalendarClick, &TNX0070::optCalendarClick});

    // The era table is reference data: shown, never edited here.
    auto *table = new QGroupBox(QStringLiteral("暦　変換表"), page);
    table->setObjectName(QStringLiteral("grpChange"));
    auto *grid = new QGridLayout(table);
    grid->addWidget(new QLabel(QStringLiteral("選択"), table), 0, 0, Qt::AlignCenter);
    const std::array<QString, 4> optNames{QString(), QStringLiteral("optchg1"),
                                          QStringLiteral("optChg2"), QStringLiteral("optChg3")};
    for (int n = 1; n <= 3; ++n) {
        EraControls &row = m_era[n];
        row.optChg = new QRadioButton(table);
        row.optChg->setObjectName(optNames[n]);
        row.txtNengou = MakeEdit(table, qPrintable(QStringLiteral("txtNengou%1").arg(n)));
        row.txtChgyy =
            MakeEdit(table, qPrintable(QStringLiteral("txtChgyy%1").arg(n)), 0, Align::Right);
        row.txtChgmm =
            MakeEdit(table, qPrintable(QStringLiteral("txtChgmm%1").arg(n)), 0, Align::Right);
        row.txtChgdd =
            MakeEdit(table, qPrintable(QStringLiteral("txtChgdd%1").arg(n)), 0, Align::Right);
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
        m_changes->watch(row.txtNengou, ChangeSource::Any, EraGroup);
        for (QLineEdit *e : {row.txtChgyy, row.txtChgmm, row.txtChgdd}) {
            m_changes->watch(e, ChangeSource::Any, EraGroup);
            m_exits->watch(e, [this, e] { return eraBoxExit(e); });
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
    for (int n = 1; n <= 6; ++n) {
        MarkControls &ui = m_markUi[n];
        auto *box = new QGroupBox(QStringLiteral("マーク") + kFullWidthDigits.at(n), page);
        box->setObjectName(QStringLiteral("grpMark%1").arg(n));
        auto *g = new QGridLayout(box);
        g->setVerticalSpacing(4);

        ui.txtMark = MakeEdit(box, qPrintable(QStringLiteral("txtMark%1").arg(n)));
        ui.txtMark->setFixedWidth(48);
        ui.txtHanrei = MakeEdit(box, qPrintable(QStringLiteral("txtHanrei%1").arg(n)));
        g->addWidget(new QLabel(QStringLiteral("マーク"), box), 0, 0);
        g->addWidget(ui.txtMark, 0, 1);
        g->addWidget(new QLabel(QStringLiteral("凡　例"), box), 0, 2);
        g->addWidget(ui.txtHanrei, 0, 3);

        ui.mkSample = new TLineSample(TLineSample::Kind::Swatch, box);
        ui.mkSample->setObjectName(QStringLiteral("shpMkColor%1").arg(n));
        ui.btnMkColor = colourButton(box, QStringLiteral("btnMkColor%1").arg(n));
        auto *mkRow = new QHBoxLayout;
        mkRow->addWidget(ui.mkSample);
        mkRow->addWidget(ui.btnMkColor);
        g->addWidget(new QLabel(QStringLiteral("マークカラー"), box), 1, 0);
        g->addLayout(mkRow, 1, 1);
        ui.cmbMSize = MakeCombo(box, qPrintable(QStringLiteral("cmbMSize%1").arg(n)), true);
        SetComboItems(ui.cmbMSize,
                      {QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10"),
                       QStringLiteral("11"), QStringLiteral("12"), QStringLiteral("14"),
                       QStringLiteral("16"), QStringLiteral("18")});
        ui.cmbMSize->setFixedWidth(64);
        g->addWidget(new QLabel(QStringLiteral("マークサイズ"), box), 1, 2);
        g->addWidget(ui.cmbMSize, 1, 3, Qt::AlignLeft);

        ui.btnKColor = colourButton(box, QStringLiteral("btnKColor%1").arg(n));
        g->addWidget(new QLabel(QStringLiteral("曲線カラー"), box), 2, 0);
        g->addWidget(ui.btnKColor, 2, 1, Qt::AlignRight);
        ui.cmbSensyu = makeTypeCombo(box, QStringLiteral("cmbSensyu%1").arg(n));
        g->addWidget(new QLabel(QStringLiteral("曲線種類"), box), 2, 2);
        g->addWidget(ui.cmbSensyu, 2, 3);

        ui.curveSample = new TLineSample(TLineSample::Kind::Line, box);
        ui.curveSample->setObjectName(QStringLiteral("shpSensyu%1").arg(n));
        g->addWidget(ui.curveSample, 3, 0, 1, 2, Qt::AlignLeft);
        ui.cmbSenHaba = makeWidthCombo(box, QStringLiteral("cmbSenHaba%1").arg(n));
        g->addWidget(new QLabel(QStringLiteral("曲線幅"), box), 3, 2);
        g->addWidget(ui.cmbSenHaba, 3, 3, Qt::AlignLeft);
        g->setColumnStretch(3, 1);

        // The symbol and legend go to the working copy as they are typed.
        TMMARK &mark = m_marks[n];
        connect(ui.txtMark, &QLineEdit::textChanged, this,
                [&mark](const QString &text) { mark.Mark = text; });
        connect(ui.txtHanrei, &QLineEdit::textChanged, this,
                [&mark](const QString &text) { mark.Hanrei = text; });
        for (QWidget *field :
             {static_cast<QWidget *>(ui.txtMark), static_cast<QWidget *>(ui.txtHanrei),
              static_cast<QWidget *>(ui.cmbMSize)})
            m_changes->watch(field, ChangeSource::Any, markGroup(n));
        m_exits->watch(ui.cmbMSize, [this, n] { return cmbMSizeExit(n); });
        EnterLeavesCombo(ui.cmbMSize);

        grid->addWidget(box, (n - 1) / 2, (n - 1) % 2);
    }
    return page;
}

QWidget *TNX0070::buildGraphPage() {
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    const std::array<QString, 5> titles{QString(), QStringLiteral("座標軸"), QStringLiteral("目盛"),
                                        QStringLiteral("格子"), QStringLiteral("中央線")};
    for (int n = 1; n <= 4; ++n) {
        LineControls &ui = m_lineUi[n];
        auto *box = new QGroupBox(titles[n], page);
        box->setObjectName(QStringLiteral("grpGraph%1").arg(n));
        auto *g = new QGridLayout(box);
        ui.btnColor = colourButton(box, QStringLiteral("btnGColor%1").arg(n));
        ui.cmbSensyu = makeTypeCombo(box, QStringLiteral("cmbGSensyu%1").arg(n));
        ui.cmbSenHaba = makeWidthCombo(box, QStringLiteral("cmbGSenHaba%1").arg(n));
        ui.sample = new TLineSample(TLineSample::Kind::Line, box);
        ui.sample->setObjectName(QStringLiteral("shpGraph%1").arg(n));
        g->addWidget(new QLabel(QStringLiteral("直線カラー"), box), 0, 0);
        g->addWidget(ui.btnColor, 0, 1, Qt::AlignLeft);
        g->addWidget(new QLabel(QStringLiteral("直線種類"), box), 1, 0);
        g->addWidget(ui.cmbSensyu, 1, 1, Qt::AlignLeft);
        g->addWidget(new QLabel(QStringLiteral("直線幅"), box), 2, 0);
        g->addWidget(ui.cmbSenHaba, 2, 1, Qt::AlignLeft);
        g->addWidget(ui.sample, 3, 0, 1, 2, Qt::AlignLeft);
        g->setColumnStretch(1, 1);
        grid->addWidget(box, (n - 1) / 2, (n - 1) % 2);
    }
    grid->setRowStretch(2, 1);
    return page;
}

// The line-type and width boxes and the colour buttons of both pages, with what each edits.
void TNX0070::wireEdits() {
    std::vector<std::pair<QComboBox *, Edit>> picks;
    std::vector<std::pair<QPushButton *, Edit>> colours;
    for (int n = 1; n <= 6; ++n) {
        const MarkControls &ui = m_markUi[n];
        TMMARK &mark = m_marks[n];
        picks.push_back({ui.cmbSensyu, {&mark.Ksyurui, 3, nullptr, markGroup(n), n, 0}});
        picks.push_back({ui.cmbSenHaba, {&mark.Khaba, 5, nullptr, markGroup(n), n, 0}});
        colours.push_back({ui.btnMkColor, {nullptr, 0, &mark.Mkcolor, markGroup(n), n, 0}});
        colours.push_back({ui.btnKColor, {nullptr, 0, &mark.Kcolor, markGroup(n), n, 0}});
    }
    for (int n = 1; n <= 4; ++n) {
        const LineControls &ui = m_lineUi[n];
        TGraphLine &line = m_lines[n];
        picks.push_back({ui.cmbSensyu, {&line.Syurui, 3, nullptr, LineGroup, 0, n}});
        picks.push_back({ui.cmbSenHaba, {&line.Haba, 5, nullptr, LineGroup, 0, n}});
        colours.push_back({ui.btnColor, {nullptr, 0, &line.Color, LineGroup, 0, n}});
    }
    for (const auto &[box, edit] : picks)
        connect(box, &QComboBox::activated, this,
                [this, box = box, edit = edit] { linePicked(box, edit); });
    for (const auto &[button, edit] : colours)
        m_exits->onClick(button, [this, edit = edit] { colourClicked(edit); });
}

// The item picked: its first space-separated field is the line type or width.
void TNX0070::linePicked(QComboBox *box, const Edit &edit) {
    int value = 0;
    if (!ParseItemCode(box->currentText(), value) || value < 1 || value > edit.highest) {
        RefuseField(box, kMsgOutOfRange);
        return;
    }
    *edit.number = value;
    m_changes->mark(edit.group);
    showEdited(edit);
}

void TNX0070::colourClicked(const Edit &edit) {
    QColor colour = ColourFromText(*edit.colour);
    if (!Seam().chooseColor(colour)) return;
    *edit.colour = ColourToText(colour);
    m_changes->mark(edit.group);
    showEdited(edit);
}

void TNX0070::showEdited(const Edit &edit) {
    if (edit.mark != 0)
        showMark(edit.mark);
    else
        showLine(edit.line);
}

void TNX0070::prepare() {
    {
        const auto quiet = m_changes->silence();
        m_tabs->setCurrentIndex(0);
        for (int n = 1; n <= 6; ++n) {
            m_markUi[n].cmbMSize->setEditText(QStringLiteral("0"));
            showType(m_markUi[n].cmbSensyu, 0);
            showWidth(m_markUi[n].cmbSenHaba, 0);
        }
        for (int n = 1; n <= 4; ++n) {
            showType(m_lineUi[n].cmbSensyu, 0);
            showWidth(m_lineUi[n].cmbSenHaba, 0);
        }
        loadSettings();
    }
    m_changes->clear();
}

void TNX0070::loadSettings() {
    const auto quiet = m_changes->silence();
    CalendarSettings calendar;
    const bool found = ReadCalendarSettings(calendar);
    const bool fnk = calendar.fnk != 0;
    (fnk ? m_optKeisan1 : m_optKeisan2)->setChecked(true);
    m_txtKijunbi->setEnabled(!fnk);
    if (found) {
        G().gKdate = calendar.kdate;
        m_txtKijunbi->setText(dottedDate(calendar.kdate));
    }
    (calendar.reki != 0 ? m_optWareki : m_optSeireki)->setChecked(true);

    EraSettings eras;
    if (ReadEraTable(eras)) {
        for (int n = 1; n <= 3; ++n) {
            const EraEntry &e = eras.eras[n];
            EraControls &row = m_era[n];
            row.txtNengou->setText(e.name);
            row.txtChgyy->setText(QString::number(e.year));
            row.txtChgmm->setText(QString::number(e.month));
            row.txtChgdd->setText(QString::number(e.day));
        }
        if (eras.choice >= 0 && eras.choice <= 2) m_era[eras.choice + 1].optChg->setChecked(true);
    }

    LoadMarks(m_marks);
    for (int n = 1; n <= 6; ++n) {
        TMMARK &mark = m_marks[n];
        if (mark.Mkco != 0) { // an empty stored colour is black
            mark.Mkcolor = storedColour(mark.Mkcolor);
            mark.Kcolor = storedColour(mark.Kcolor);
        }
        showMark(n);
    }
    m_lines = ReadGraphLines();
    for (int n = 1; n <= 4; ++n) {
        m_lines[n].Color = storedColour(m_lines[n].Color);
        showLine(n);
    }
}

void TNX0070::showMark(int n) {
    const TMMARK &mark = m_marks[n];
    const MarkControls &ui = m_markUi[n];
    {
        const auto quiet = m_changes->silence();
        ui.txtMark->setText(mark.Mark);
        ui.txtHanrei->setText(mark.Hanrei);
        ui.cmbMSize->setEditText(QString::number(mark.Mksize));
        showType(ui.cmbSensyu, mark.Ksyurui);
        showWidth(ui.cmbSenHaba, mark.Khaba);
    }
    ui.mkSample->setSample(ColourFromText(mark.Mkcolor));
    ui.curveSample->setSample(ColourFromText(mark.Kcolor), mark.Ksyurui, mark.Khaba);
}

void TNX0070::showLine(int n) {
    const TGraphLine &line = m_lines[n];
    const LineControls &ui = m_lineUi[n];
    showType(ui.cmbSensyu, line.Syurui);
    showWidth(ui.cmbSenHaba, line.Haba);
    ui.sample->setSample(ColourFromText(line.Color), line.Syurui, line.Haba);
}

bool TNX0070::dateChanged() const {
    return m_changes->changed(BaseDateGroup) || m_changes->changed(CalendarGroup);
}

bool TNX0070::eraChanged() const {
    return m_changes->changed(EraGroup);
}

bool TNX0070::markChanged() const {
    for (int n = 1; n <= 6; ++n)
        if (m_changes->changed(markGroup(n))) return true;
    return false;
}

bool TNX0070::graphChanged() const {
    return m_changes->changed(LineGroup);
}

void TNX0070::optKeisan1Click() {
    m_txtKijunbi->setEnabled(false);
    m_changes->mark(BaseDateGroup);
}

void TNX0070::optKeisan2Click() {
    m_txtKijunbi->setEnabled(true);
    m_changes->mark(BaseDateGroup);
}

void TNX0070::optCalendarClick() {
    m_changes->mark(CalendarGroup);
}

void TNX0070::optChgClick() {
    m_changes->mark(EraGroup);
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
    {
        const auto quiet = m_changes->silence(); // reformatting is no change of its own
        m_txtKijunbi->setText(dottedDate(ymd));
    }
    G().gKdate = ymd;
    return true;
}

bool TNX0070::cmbMSizeExit(int mark) {
    QComboBox *combo = m_markUi[mark].cmbMSize;
    bool ok = false;
    const int size = combo->currentText().trimmed().toInt(&ok);
    if (!ok || size < kMinMarkSize || size > kMaxMarkSize)
        return RefuseField(combo, kMsgOutOfRange);
    m_marks[mark].Mksize = size;
    return true;
}

bool TNX0070::eraBoxExit(QLineEdit *box) {
    int low = 0, high = 0;
    for (int n = 1; n <= 3; ++n) {
        const EraControls &row = m_era[n];
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

// The values of the groups being saved are checked again: a click on 登　録 can come before
// the check of the field it left. Groups that were not changed are written as loaded.
bool TNX0070::checkBeforeSave() {
    if (m_changes->changed(BaseDateGroup) && m_txtKijunbi->isEnabled() && !txtKijunbiExit())
        return false;
    if (eraChanged())
        for (int n = 1; n <= 3; ++n)
            for (QLineEdit *e : {m_era[n].txtChgyy, m_era[n].txtChgmm, m_era[n].txtChgdd})
                if (!eraBoxExit(e)) return false;
    for (int n = 1; n <= 6; ++n)
        if (m_changes->changed(markGroup(n)) && !cmbMSizeExit(n)) return false;
    return true;
}

bool TNX0070::saveControl() {
    const bool date = dateChanged();
    const bool eras = eraChanged();
    if (!date && !eras) return true;
    const CalendarSettings calendar{m_optKeisan1->isChecked() ? 1 : 0, G().gKdate,
                                    m_optWareki->isChecked() ? 1 : 0};
    EraSettings table;
    for (int n = 1; n <= 3; ++n) {
        const EraControls &row = m_era[n];
        table.eras[n] = {row.txtNengou->text(), row.txtChgyy->text().trimmed().toInt(),
                         row.txtChgmm->text().trimmed().toInt(),
                         row.txtChgdd->text().trimmed().toInt()};
        if (row.optChg->isChecked()) table.choice = n - 1;
    }
    if (!SaveControlSettings(date ? &calendar : nullptr, eras ? &table : nullptr)) return false;
    if (eras) {
        ProjectState &g = G();
        for (int n = 1; n <= 3; ++n) {
            g.gEraNames[n] = table.eras[n].name;
            g.gEraStartYears[n] = table.eras[n].year;
        }
    }
    for (int group : {BaseDateGroup, CalendarGroup, EraGroup})
        m_changes->clearGroup(group);
    return true;
}

bool TNX0070::saveData() {
    const bool marks = markChanged();
    const bool lines = graphChanged();
    if (!marks && !lines) return true;
    if (!SaveDataSettings(marks ? &m_marks : nullptr, lines ? &m_lines : nullptr)) return false;
    for (int n = 1; n <= 6; ++n)
        m_changes->clearGroup(markGroup(n));
    m_changes->clearGroup(LineGroup);
    return true;
}

void TNX0070::btnAddClick() {
    if (!m_changes->changed()) {
        ShowMessage(kMsgNoChange);
        return;
    }
    if (!checkBeforeSave()) return;
    const bool controlSaved = saveControl();
    const bool dataSaved = saveData();
    // A group whose database refused the save keeps its flag, so it can be saved again.
    if (controlSaved && dataSaved) m_changes->clear();
}

void TNX0070::btnCancelClick() {
    m_changes->clear();
}

void TNX0070::btnCloseClick() {
    if (m_changes->changed() && AskStayOnChangedData()) return;
    m_changes->clear();
    QDialog::reject();
}

void TNX0070::reject() {
    btnCloseClick();
}
