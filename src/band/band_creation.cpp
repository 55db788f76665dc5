#include "band_creation.h"

#include "band_computation.h"
#include "band_graph.h"
#include "band_list.h"
#include "band_loaders.h"
#include "combo_utils.h"
#include "form_helpers.h"
#include "message_seam.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kEditLength = 8;
const char *const kZoneCaptions[] = {"", "ゾーンⅠ", "ゾーンⅡ", "ゾーンⅢ", "ゾーンⅣ", "ゾーンⅤ"};

// A box of a band row: named by its column and row number ("txtKijun3"), read-only boxes out
// of the focus order.
QLineEdit *rowEdit(QWidget *parent, const QString &name, int width, bool editable,
                   Align align = Align::Right) {
    QLineEdit *e = MakeEdit(parent, name.toLatin1().constData(), editable ? kEditLength : 0, align);
    e->setFixedWidth(width);
    if (!editable) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
    }
    return e;
}

QLabel *heading(QWidget *parent, const QString &text) {
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QString amountText(double amount) {
    return FormatAmount(ToInt64(RoundHalfUp(1, amount)));
}

} // namespace

TfrmBand::TfrmBand(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmBand"));
    setWindowTitle(QStringLiteral("バンド　作成"));
    m_exits = new TFieldExits(this);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->addTab(buildBandPage(), QStringLiteral("バンド作成"));
    m_pages->addTab(buildZonePage(), QStringLiteral("ゾーン作成"));
    m_pages->addTab(buildSettingsPage(), QStringLiteral("基本設定"));
    connect(m_pages, &QTabWidget::currentChanged, this, &TfrmBand::PageControl1Change);

    m_btnAdd = MakeButton(this, "btnAdd", QStringLiteral("登　録"));
    QPushButton *cancel = MakeButton(this, "btnCancel", QStringLiteral("ｷｬﾝｾﾙ"));
    QPushButton *list = MakeButton(this, "btnBandList", QStringLiteral("ﾊﾞﾝﾄﾞ明細"));
    QPushButton *graph = MakeButton(this, "cdBandGraph", QStringLiteral("ﾊﾞﾝﾄﾞｸﾞﾗﾌ"));
    QPushButton *close = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    m_exits->onClick(m_btnAdd, [this] { btnAddClick(); });
    m_exits->onClick(cancel, [this] { btnCancelClick(); });
    m_exits->onClick(list, [this] { btnBandListClick(); });
    m_exits->onClick(graph, [this] { cdBandGraphClick(); });
    connect(close, &QPushButton::clicked, this, &TfrmBand::btnCloseClick);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {m_btnAdd, cancel, list, graph, close}) {
        b->setMinimumWidth(88);
        buttons->addWidget(b);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    InstallEnterMovesFocus(this);
    SizeToFit(this, sizeHint());
}

QWidget *TfrmBand::buildBandPage() {
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    auto *grid = new QGridLayout(page);
    const char *const headings[] = {"ID",       "バンド名称", "ゾーン数",   "下限 (%)",
                                    "基準金額", "上限 (%)",   "スプレッド", "レンジ"};
    for (int c = 0; c < 8; ++c)
        grid->addWidget(heading(page, QString::fromUtf8(headings[c])), 0, c);
    for (int i = 1; i <= kRows; ++i) {
        BandRow &r = m_rows[i];
        const QString n = QString::number(i);
        r.id = rowEdit(page, "txtID" + n, 40, false);
        r.name = rowEdit(page, "txtBand" + n, 160, false, Align::Left);
        r.zones = rowEdit(page, "txtZONEsu" + n, 60, false);
        r.lower = rowEdit(page, "txtKagen" + n, 70, true);
        r.base = rowEdit(page, "txtKijun" + n, 100, true);
        r.upper = rowEdit(page, "txtJyogen" + n, 70, true);
        r.spread = rowEdit(page, "txtSplet" + n, 70, false);
        r.range = rowEdit(page, "txtRange" + n, 100, false);
        int c = 0;
        for (QLineEdit *e : {r.id, r.name, r.zones, r.lower, r.base, r.upper, r.spread, r.range})
            grid->addWidget(e, i, c++);
        // Leaving an entry shows the band's range at once.
        for (QLineEdit *e : {r.lower, r.base, r.upper})
            m_exits->watch(e, [this, e, i] {
                if (!FormatIntEdit(e)) return ReturnToField(e);
                previewRow(i);
                return true;
            });
    }
    grid->setRowStretch(kRows + 1, 1);
    grid->setColumnStretch(8, 1);
    return page;
}

QWidget *TfrmBand::buildZonePage() {
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet3"));
    auto *grid = new QGridLayout(page);
    grid->setHorizontalSpacing(2);
    // Each boundary takes two grid columns, so a zone's caption can stand between the
    // boundaries that enclose it: from the middle of the one to the middle of the next.
    constexpr int first = 3;
    const auto boundaryColumn = [](int k) { return first + 2 * (k - 1); };
    grid->addWidget(heading(page, QStringLiteral("ID")), 0, 0, 2, 1);
    grid->addWidget(heading(page, QStringLiteral("バンド名称")), 0, 1, 2, 1);
    grid->addWidget(heading(page, QStringLiteral("ゾーン数")), 0, 2, 2, 1);
    grid->addWidget(heading(page, QStringLiteral("下限賃金")), 0, boundaryColumn(1), 1, 2);
    for (int z = 1; z <= 5; ++z)
        grid->addWidget(heading(page, QString::fromUtf8(kZoneCaptions[z])), 1,
                        boundaryColumn(z) + 1, 1, 2);
    for (int i = 1; i <= kRows; ++i) {
        BandRow &r = m_rows[i];
        const QString n = QString::number(i);
        r.id2 = rowEdit(page, "txt2ID" + n, 40, false);
        r.name2 = rowEdit(page, "txt2Band" + n, 160, false, Align::Left);
        r.zones2 = rowEdit(page, "txt2Zone" + n, 60, false);
        grid->addWidget(r.id2, i + 1, 0);
        grid->addWidget(r.name2, i + 1, 1);
        grid->addWidget(r.zones2, i + 1, 2);
        for (int k = 1; k <= 6; ++k) {
            const QString name = k <= 5 ? QStringLiteral("txt2Kagen%1%2").arg(k).arg(i)
                                        : QStringLiteral("txt2Jyogen5%1").arg(i);
            QLineEdit *e = rowEdit(page, name, 90, true);
            r.bound[k] = e;
            grid->addWidget(e, i + 1, boundaryColumn(k), 1, 2, Qt::AlignCenter);
            m_exits->watch(e, [e] { return e->text().isEmpty() || FormatIntEdit(e) || ReturnToField(e); });
        }
    }
    grid->setRowStretch(kRows + 2, 1);
    grid->setColumnStretch(boundaryColumn(6) + 2, 1);
    return page;
}

QWidget *TfrmBand::buildSettingsPage() {
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    m_txtTitle = MakeEdit(page, "txtTitle", 50);
    m_txtTitle->setMinimumWidth(360);
    auto *title = new QLabel(QStringLiteral("タイトル"), page);
    title->setBuddy(m_txtTitle);

    auto *units = new QGroupBox(QStringLiteral("丸め方"), page);
    units->setObjectName(QStringLiteral("rgpMarume"));
    m_optUnit10 = new QRadioButton(QStringLiteral("拾円単位"), units);
    m_optUnit100 = new QRadioButton(QStringLiteral("百円単位"), units);
    m_optUnit1000 = new QRadioButton(QStringLiteral("千円単位"), units);
    auto *unitLayout = new QVBoxLayout(units);
    auto *group = new QButtonGroup(units);
    int n = 0;
    for (auto [radio, name] : {std::pair{m_optUnit10, "optUnit10"}, {m_optUnit100, "optUnit100"},
                               {m_optUnit1000, "optUnit1000"}}) {
        radio->setObjectName(QLatin1String(name));
        group->addButton(radio, n++);
        unitLayout->addWidget(radio);
    }
    m_optUnit10->setChecked(true);

    auto *note = new QLabel(QStringLiteral("先ず「バンド作成」をして「ゾーン作成」してから「基本設定」"
                                           "し、完了後に前のタブに戻って[登録]ボタンを押して完了です。"),
                            page);
    note->setWordWrap(true);

    auto *form = new QGridLayout(page);
    form->addWidget(title, 0, 0);
    form->addWidget(m_txtTitle, 0, 1, Qt::AlignLeft);
    form->addWidget(units, 1, 1, Qt::AlignLeft);
    form->addWidget(note, 2, 0, 1, 3);
    form->setRowStretch(3, 1);
    form->setColumnStretch(2, 1);
    return page;
}

int TfrmBand::shownBands() const {
    return qMin(kRows, static_cast<int>(G().gBandTbl2.Bands.size()));
}

void TfrmBand::prepare() {
    m_exits->forgetPending();
    showBands();
    {
        const QSignalBlocker quiet(m_pages);
        m_pages->setCurrentIndex(BandPage);
    }
    m_page = BandPage;
    m_btnAdd->setEnabled(false);
    m_changed = false;
    if (shownBands() > 0) m_rows[1].lower->setFocus();
}

void TfrmBand::showBands() {
    const TBANDTBL2 &t = G().gBandTbl2;
    m_txtTitle->setText(t.Title);
    (t.Marume == 1 ? m_optUnit100 : t.Marume == 2 ? m_optUnit1000 : m_optUnit10)->setChecked(true);
    const int shown = shownBands();
    for (int i = 1; i <= kRows; ++i) {
        BandRow &r = m_rows[i];
        const bool exists = i <= shown;
        for (QLineEdit *e : {r.id, r.name, r.zones, r.lower, r.base, r.upper, r.spread, r.range,
                             r.id2, r.name2, r.zones2})
            e->setVisible(exists);
        for (int k = 1; k <= 6; ++k)
            r.bound[k]->setVisible(exists);
        if (!exists) continue;
        const TBANDM2 &b = t.Bands[i - 1];
        r.id->setText(b.BandId);
        r.name->setText(b.BandName);
        r.zones->setText(QString::number(b.ZoneSu));
        r.lower->setText(QString::number(b.KagenRitsu));
        r.base->setText(FormatAmount(b.Kijun));
        r.upper->setText(QString::number(b.JyogenRitsu));
        r.spread->setText(QString::number(b.Spread, 'f', 2));
        r.range->setText(amountText(double(b.Kijun) * b.JyogenRitsu / 100.0 -
                                    double(b.Kijun) * b.KagenRitsu / 100.0));
        r.id2->setText(b.BandId);
        r.name2->setText(b.BandName);
        r.zones2->setText(QString::number(b.ZoneSu));
        const ZoneBoundaries bounds = BoundariesOf(b);
        for (int k = 1; k <= 6; ++k) {
            r.bound[k]->setText(FormatAmountOrEmpty(bounds.value[k]));
            r.bound[k]->setEnabled(bounds.enabled[k]);
        }
    }
}

void TfrmBand::previewRow(int row) {
    if (row > shownBands()) return;
    BandRow &r = m_rows[row];
    const BandPreview p =
        PreviewBand(G().gBandTbl2.Bands[row - 1], {r.lower->text(), r.base->text(), r.upper->text()});
    r.spread->setText(QString::number(p.spread, 'f', 2));
    r.range->setText(FormatAmountOrEmpty(ToInt64(RoundHalfUp(1, p.width))));
}

// The band computation of every shown band; the first refused band stops it with its message.
bool TfrmBand::computeBands() {
    TBANDTBL2 &t = G().gBandTbl2;
    for (int i = 1; i <= shownBands(); ++i) {
        const BandRow &r = m_rows[i];
        const BandError error = ComputeBand(t.Bands[i - 1],
                                            {r.lower->text(), r.base->text(), r.upper->text()},
                                            t.Marume, m_changed);
        if (error != BandError::None) {
            ShowMessage(QString::number(i) + BandErrorText(error));
            return false;
        }
    }
    return true;
}

// The zone limits of every shown band from the boundaries on the zone page.
bool TfrmBand::readZones() {
    TBANDTBL2 &t = G().gBandTbl2;
    for (int i = 1; i <= shownBands(); ++i) {
        std::array<std::optional<QString>, 7> texts{};
        for (int k = 1; k <= 6; ++k)
            if (m_rows[i].bound[k]->isEnabled()) texts[k] = m_rows[i].bound[k]->text();
        if (const int refused = ReadZoneBoundaries(t.Bands[i - 1], texts, m_changed)) {
            ShowMessage(QString::number(i) + BoundaryErrorText(refused));
            return false;
        }
    }
    return true;
}

// What leaving a page requires; false (after the message) keeps the page.
bool TfrmBand::leavePage(int page) {
    TBANDTBL2 &t = G().gBandTbl2;
    if (page == SettingsPage) {
        const QString title = m_txtTitle->text().trimmed();
        const int marume = m_optUnit100->isChecked() ? 1 : m_optUnit1000->isChecked() ? 2 : 0;
        if (title != t.Title) {
            t.Title = title;
            m_changed = true;
        }
        if (marume != t.Marume) {
            t.Marume = marume;
            m_changed = true;
            for (int i = 1; i <= shownBands(); ++i)
                previewRow(i);
        }
    }
    if (page == BandPage || m_changed) {
        if (!computeBands()) return false;
        if (m_changed) showBands();
    }
    if (page == ZonePage && !readZones()) return false;
    return true;
}

void TfrmBand::PageControl1Change(int page) {
    if (m_switching) return;
    m_switching = true;
    // The entry being left is checked first; a refusal brings its page back itself.
    const bool allowed = m_exits->runPending() && leavePage(m_page);
    if (allowed) {
        m_page = page;
    } else {
        m_pages->setCurrentIndex(m_page);
    }
    m_btnAdd->setEnabled(m_page == ZonePage);
    m_switching = false;
}

void TfrmBand::btnAddClick() {
    if (m_page != ZonePage || !leavePage(ZonePage)) return;
    const TBusyCursor busy;
    // A failed save has shown its message and left the stored bands as they were; the screen
    // keeps its values, so the user can try again.
    if (!SaveAllBands(G().gBandTbl2)) return;
    m_changed = false;
}

void TfrmBand::btnCancelClick() {
    m_exits->forgetPending();
    LoadBandTbl2();
    showBands();
    m_changed = false;
}

// The band list and the band graph show the bands as saved. The values being designed are kept
// aside meanwhile and put back afterwards, so looking at the saved bands loses nothing.
template <typename Screen> void TfrmBand::openWithSavedBands() {
    const TBANDTBL2 designed = G().gBandTbl2;
    LoadBandTbl2();
    if (!G().gBandTbl2.Bands.empty()) {
        Screen screen(this);
        screen.prepare();
        screen.exec();
    }
    G().gBandTbl2 = designed;
}

void TfrmBand::btnBandListClick() {
    openWithSavedBands<TfrmBandList>();
}

void TfrmBand::cdBandGraphClick() {
    openWithSavedBands<TfrmBandGraph>();
}

void TfrmBand::btnCloseClick() {
    if (m_changed && AskStayOnChangedData()) return;
    m_exits->forgetPending();
    QDialog::reject();
}

void TfrmBand::reject() {
    btnCloseClick();
}
