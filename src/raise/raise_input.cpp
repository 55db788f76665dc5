#include "raise_input.h"

#include "band_list.h"
#include "band_loaders.h"
#include "combo_utils.h"
#include "employee_grid.h"
#include "employee_store.h"
#include "evaluation_conversion.h"
#include "form_helpers.h"
#include "matrix_check.h"
#include "matrix_side.h"
#include "message_seam.h"
#include "pay_after_raise.h"
#include "raise_page.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringListModel>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <climits>

namespace {

const QString kMsgZeroCode = QStringLiteral("０　は、入力できません。");
const QString kMsgNoEmployee = QStringLiteral("社員マスターにデータが存在しません。");
const QString kMsgGradeRange = QStringLiteral("入力範囲外です。1 ～ 9 の値を入力して下さい。");
const QString kMsgNewGradeRange =
    QStringLiteral("入力範囲外です。1  ～ 9 の値を入力して下さい。");
const QString kMsgNotInMaster = QStringLiteral("マスターにデータが存在しません。");
const QString kMsgNoCode = QStringLiteral("社員コードが入力されていません。");
const QString kMsgNoNewGrade = QStringLiteral("New等級が、入力されていません。");
const QString kAskMatrixUnsaved =
    QStringLiteral("ﾃﾞｰﾀが変更されていますが更新されていません。\r"
                   "このまま処理すると入力前の状態で処理されます。");

// The pages, in their order.
enum Page { MatrixPage = 0, RaisePage = 1 };

// Columns of the list: the employee number, the name and the plot mark are left-aligned.
const QList<int> kLeftColumns = {2, 3, 11};
const QList<int> kListWidths = {36, 56, 64, 110, 36, 36, 52, 40, 48, 40, 48, 100};
constexpr int kNameColumn = 3;
constexpr int kGradeColumn = 7;
constexpr int kNewGradeColumn = 8;

QLabel *caption(const QString &text, QWidget *parent) {
    return new QLabel(text, parent);
}

// The cells of one employee's list row.
QStringList listCells(int n, const EmployeeListRow &e) {
    const bool numbered = !e.scot.isEmpty();
    return {QString::number(n),
            QString::number(e.sco),
            e.scot,
            e.sna,
            QString::number(numbered ? YearsSince(e.seihi) : 0),
            QString::number(numbered && e.nyuhi != 0 ? YearsSince(e.nyuhi) : 0),
            ShortestNumText(e.tritsu),
            e.toukyu,
            e.ntoukyu,
            e.gouhou,
            e.ngouhou,
            e.mco != 0 ? NamePart(MarkText(e.mco)) : QString()};
}


// What decides an employee's base pay after the raise, as stored.
TPayBeforeRaise payBeforeRaise(const TEmployee &e) {
    TPayBeforeRaise pay;
    pay.current = e.kkyu;
    pay.entered = e.nkkyu;
    pay.wageTableAmount = e.nkin;
    pay.wageItem = e.wageLink;
    pay.link = e.link;
    pay.newBand = e.newBand;
    pay.newEvaluation = e.newYhyouka;
    return pay;
}
} // namespace

// --- Construction ---------------------------------------------------------------------------

TNX3010::TNX3010(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TNX3010"));
    setWindowTitle(QStringLiteral("昇給管理"));
    m_exits = new TFieldExits(this);
    m_changes = new TChangeTracker(this);

    QWidget *header = buildHeader();
    QWidget *group = buildGroup();
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    // A page taller than the window scrolls.
    const auto scrolled = [this](QWidget *page, const char *name) {
        page->setObjectName(QLatin1String(name));
        auto *area = new QScrollArea(m_tabs);
        area->setWidget(page);
        area->setWidgetResizable(true);
        area->setFrameShape(QFrame::NoFrame);
        return area;
    };
    m_tabs->addTab(scrolled(buildMatrixPage(), "TabSheet1"), QStringLiteral("マトリクス"));
    m_page = new TRaisePage(nullptr, m_exits, m_changes);
    connect(m_page, &TRaisePage::baseLeft, this, [this] {
        if (matrixLink() != 0) {
            computeCurrentSide();
            computeNewSide();
        } else {
            m_page->computeTotals();
        }
    });
    m_tabs->addTab(scrolled(m_page, "TabSheet3"), QStringLiteral("昇給管理"));
    connect(m_tabs->tabBar(), &QTabBar::tabBarClicked, this, [this](int index) {
        if (index < 0) return;
        m_tabs->setCurrentIndex(index);
        focusPage();
    });
    buildGrid();

    auto *left = new QVBoxLayout;
    left->addWidget(group);
    left->addWidget(m_tabs, 1);
    auto *body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(m_grid, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addLayout(body, 1);
    SizeToFit(this, QSize(1260, 640));
    InstallEnterMovesFocus(this);
}

TNX3010::~TNX3010() = default;

QComboBox *TNX3010::addCombo(QWidget *parent, const char *name, bool editable) {
    QComboBox *c = MakeCombo(parent, name, editable);
    m_changes->watch(c, ChangeSource::User);
    return c;
}

QLineEdit *TNX3010::addDisplay(QWidget *parent, const char *name, int width) {
    QLineEdit *e = MakeEdit(parent, name, 0, width > 0 ? Align::Right : Align::Left);
    e->setReadOnly(true);
    if (width > 0) e->setFixedWidth(width);
    return e;
}

QWidget *TNX3010::buildHeader() {
    auto *box = new QWidget(this);
    m_cmbWorkerCode = MakeCombo(box, "cmbWorkerCode", true);
    m_workerItems = new QStringListModel(this);
    m_cmbWorkerCode->setModel(m_workerItems);
    m_cmbWorkerCode->setMinimumWidth(180);
    m_exits->watch(m_cmbWorkerCode, [this] { return cmbWorkerCodeExit(); });
    connect(m_cmbWorkerCode->lineEdit(), &QLineEdit::textEdited, this,
            [this] { m_workerTyped = true; });
    connect(m_cmbWorkerCode, &QComboBox::activated, this, [this] {
        m_workerTyped = true;
        cmbWorkerCodeExit();
    });
    m_txtWorkerCode = addDisplay(box, "txtWorkerCode");
    m_txtWorkerCode->setFixedWidth(90);
    m_txtWorkerName = addDisplay(box, "txtWorkerName");
    m_txtCureentNo = addDisplay(box, "txtCureentNo", 56);
    m_txtLastNo = addDisplay(box, "txtLastNo", 56);

    auto *btnFirst = MakeButton(box, "btnFirst", QStringLiteral("最初"));
    auto *btnBack = MakeButton(box, "btnBack", QStringLiteral("前"));
    auto *btnNext = MakeButton(box, "btnNext", QStringLiteral("次"));
    auto *btnLast = MakeButton(box, "btnLast", QStringLiteral("最後"));
    auto *btnAdd = MakeButton(box, "btnAdd", QStringLiteral("登　録"));
    auto *btnCancel = MakeButton(box, "btnCancel", QStringLiteral("ｷｬﾝｾﾙ"));
    auto *btnHyogo = MakeButton(box, "btnHyogo", QStringLiteral("標　語"));
    auto *btnClose = MakeButton(box, "btnClose", QStringLiteral("閉じる"));
    m_exits->onClick(btnFirst, [this] { btnFirstClick(); });
    m_exits->onClick(btnBack, [this] { btnBackClick(); });
    m_exits->onClick(btnNext, [this] { btnNextClick(); });
    m_exits->onClick(btnLast, [this] { btnLastClick(); });
    m_exits->onClick(btnAdd, [this] { btnAddClick(); });
    m_exits->onClick(btnCancel, [this] { btnCancelClick(); });
    m_exits->onClick(btnHyogo, [this] { btnHyogoClick(); });
    connect(btnClose, &QPushButton::clicked, this, &TNX3010::btnCloseClick);

    m_grades = new TGradeFilter(box, {"optTokyuAll", "optTokyu1", "optTokyu2", "optTokyu3",
                                      "optTokyu4", "optTokyu5", "optTokyu6", "optTokyu7",
                                      "optTokyu8", "optTokyu9"});
    connect(m_grades, &TGradeFilter::clicked, this, &TNX3010::optTokyuClick);

    auto *top = new QHBoxLayout;
    top->addWidget(caption(QStringLiteral("社員コード"), box));
    top->addWidget(m_cmbWorkerCode);
    top->addWidget(caption(QStringLiteral("社員番号"), box));
    top->addWidget(m_txtWorkerCode);
    top->addWidget(caption(QStringLiteral("氏　　名"), box));
    top->addWidget(m_txtWorkerName, 1);
    top->addWidget(m_txtCureentNo);
    top->addWidget(caption(QStringLiteral("/"), box));
    top->addWidget(m_txtLastNo);
    for (QPushButton *b : {btnFirst, btnBack, btnNext, btnLast})
        top->addWidget(b);
    auto *second = new QHBoxLayout;
    second->addWidget(m_grades, 1);
    for (QPushButton *b : {btnAdd, btnCancel, btnHyogo, btnClose})
        second->addWidget(b);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addLayout(second);
    return box;
}

QWidget *TNX3010::buildGroup() {
    auto *box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("GroupBox1"));
    auto *grid = new QGridLayout(box);
    m_cmbHyouka = addCombo(box, "cmbHyouka", true);
    m_exits->watch(m_cmbHyouka, [this] { return cmbHyoukaExit(); });
    m_chkUP = new QCheckBox(QStringLiteral("昇格する"), box);
    m_chkUP->setObjectName(QStringLiteral("chkUP"));
    m_changes->watch(m_chkUP, ChangeSource::User);
    connect(m_chkUP, &QCheckBox::clicked, this, &TNX3010::chkUPClick);
    m_txtTairyuu = addDisplay(box, "txtTairyuu", 50);
    m_cmbSikaku = addCombo(box, "cmbSikaku", true);
    m_exits->watch(m_cmbSikaku, [this] { return cmbSikakuExit(); });
    m_cmbNewToukyu = addCombo(box, "cmbNewToukyu", true);
    m_exits->watch(m_cmbNewToukyu, [this] { return cmbNewToukyuExit(); });
    for (int i = 1; i <= 3; ++i) {
        m_txtHyouka[i] = addDisplay(box, qPrintable(QStringLiteral("txtHyouka%1").arg(i)));
        m_txtHyouka[i]->setMinimumWidth(40);
    }

    grid->addWidget(caption(QStringLiteral("総合評価"), box), 0, 0);
    grid->addWidget(m_cmbHyouka, 0, 1);
    grid->addWidget(m_chkUP, 0, 2);
    grid->addWidget(caption(QStringLiteral("滞留年数"), box), 0, 3, Qt::AlignRight);
    grid->addWidget(m_txtTairyuu, 0, 4);
    grid->addWidget(caption(QStringLiteral("資格等級"), box), 1, 0);
    grid->addWidget(m_cmbSikaku, 1, 1);
    grid->addWidget(caption(QStringLiteral("Ｎｅｗ等級"), box), 1, 2, Qt::AlignRight);
    grid->addWidget(m_cmbNewToukyu, 1, 3, 1, 2);
    auto *history = new QHBoxLayout;
    const QString years[] = {QString(), QStringLiteral("評価　１年前"),
                             QStringLiteral("評価　２年前"), QStringLiteral("評価　３年前")};
    for (int i = 1; i <= 3; ++i) {
        history->addWidget(caption(years[i], box));
        history->addWidget(m_txtHyouka[i]);
    }
    grid->addLayout(history, 2, 0, 1, 5);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return box;
}

QWidget *TNX3010::buildMatrixPage() {
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    m_cmbBand = addCombo(page, "cmbBand", false);
    m_cmbYhyouka = addCombo(page, "cmbYhyouka", false);
    m_cmbNewBAND = addCombo(page, "cmbNewBAND", false);
    m_cmbNewYHyouka = addCombo(page, "cmbNewYHyouka", false);
    for (QComboBox *c : {m_cmbBand, m_cmbYhyouka})
        connect(c, &QComboBox::activated, this, &TNX3010::cmbBandExit);
    for (QComboBox *c : {m_cmbNewBAND, m_cmbNewYHyouka})
        connect(c, &QComboBox::activated, this, &TNX3010::cmbNewBANDExit);
    m_txtZone = addDisplay(page, "txtZone", 80);
    m_txtUPRitsu = addDisplay(page, "txtUPRitsu", 80);
    m_txtNewZone = addDisplay(page, "txtNewZone", 80);
    m_txtNewUPRitsu = addDisplay(page, "txtNewUPRitsu", 80);

    const std::pair<const char *, QWidget *> rows[] = {
        {"所属バンド", m_cmbBand},          {"役割評価", m_cmbYhyouka},
        {"ゾーン", m_txtZone},              {"昇給率", m_txtUPRitsu},
        {"New所属バンド", m_cmbNewBAND},    {"New役割評価", m_cmbNewYHyouka},
        {"Newゾーン", m_txtNewZone},        {"New昇給率", m_txtNewUPRitsu}};
    int row = 0;
    for (const auto &[text, field] : rows) {
        // The new side starts after a gap.
        if (row == 4) grid->setRowMinimumHeight(row++, 12);
        grid->addWidget(caption(QString::fromUtf8(text), page), row, 0);
        grid->addWidget(field, row++, 1, Qt::AlignLeft);
    }
    for (QComboBox *c : {m_cmbBand, m_cmbYhyouka, m_cmbNewBAND, m_cmbNewYHyouka})
        c->setMinimumWidth(220);

    auto *btnMatllix = MakeButton(page, "btnMatllix", QStringLiteral("マトリクス"));
    auto *cdBand = MakeButton(page, "cdBand", QStringLiteral("バンド明細"));
    m_exits->onClick(btnMatllix, [this] { btnMatllixClick(); });
    m_exits->onClick(cdBand, [this] { cdBandClick(); });
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnMatllix);
    buttons->addWidget(cdBand);
    buttons->addStretch();
    grid->addLayout(buttons, ++row, 0, 1, 2);
    grid->setRowStretch(row + 1, 1);
    grid->setColumnStretch(2, 1);
    return page;
}

void TNX3010::buildGrid() {
    m_grid = new TEmployeeGrid(
        this,
        {QString(), QStringLiteral("社員ｺｰﾄﾞ"), QStringLiteral("社員番号"),
         QStringLiteral("氏　　名"), QStringLiteral("年齢"), QStringLiteral("勤続"),
         QStringLiteral("達成率"), QStringLiteral("等級"), QStringLiteral("新等級"),
         QStringLiteral("号俸"), QStringLiteral("新号俸"), QStringLiteral("プロット")},
        kListWidths, kLeftColumns);
    // The row numbers head their rows.
    m_grid->rows()->setFixedColumns(1);
    // The whole row shows beside the form.
    int width = 2 * m_grid->frameWidth() + m_grid->verticalScrollBar()->sizeHint().width();
    for (const int w : kListWidths)
        width += w;
    m_grid->setMinimumWidth(width);
    connect(m_grid, &TEmployeeGrid::rowChosen, this, &TNX3010::StringGrid1Click);
    // After ｷｬﾝｾﾙ row 1 is current with an empty form: a click on it loads it.
    connect(m_grid, &TEmployeeGrid::rowClicked, this, [this](int row) {
        if (!m_grid->highlight() || m_grid->codeAt(row) != m_sco) StringGrid1Click(row);
    });
}

// --- Opening and clearing ---------------------------------------------------------------------

void TNX3010::prepare(std::vector<TWageStep> wageTable) {
    m_wageTable = std::move(wageTable);
    LoadBandTbl();
    FillBandLists({m_cmbBand, m_cmbNewBAND}, {m_cmbYhyouka, m_cmbNewYHyouka});
    LoadMatTbl();
    LoadSalaryNames();

    m_page->applyCaptions(0);
    // Grade 1 is always offered; the others up to the company's number of grades, when named.
    const ProjectState &g = G();
    const int gradeCount = LoadGradeCount();
    QStringList grades{CodeNameText(QStringLiteral("1"), g.gMkigyou2.Tk[1])};
    for (int n = 2; n <= 9; ++n)
        if (n <= gradeCount && !g.gMkigyou2.Tk[n].isEmpty())
            grades << CodeNameText(QString::number(n), g.gMkigyou2.Tk[n]);
    SetComboItems(m_cmbSikaku, grades);
    SetComboItems(m_cmbNewToukyu, grades);

    clearFields();
    // The code box offers every employee; the list follows the grade filter.
    const std::vector<EmployeeListRow> employees = ListEmployees(0);
    QStringList items;
    items.reserve(static_cast<qsizetype>(employees.size()));
    for (const EmployeeListRow &e : employees)
        items << QString::number(e.sco) + kCodeNameSeparator + e.sna;
    m_workerItems->setStringList(items);
    m_cmbWorkerCode->setCurrentIndex(-1);
    m_cmbWorkerCode->clearEditText();
    loadEvaluations();

    m_tabs->setCurrentIndex(MatrixPage);
    if (m_gradeFilter == 0)
        fillList(employees);
    else
        loadList();
    StringGrid1Click(1);
    m_changes->clear();
}

bool TNX3010::showEmployee(int sco) {
    const int row = m_grid->rows()->rowOfCode(sco);
    if (row == 0) return false;
    StringGrid1Click(row);
    return m_sco == sco;
}

void TNX3010::clearFields() {
    m_exits->forgetPending();
    m_workerTyped = false;
    m_sco = 0;
    m_found = false;
    m_step = m_newStep = 0;
    auto quiet = m_changes->silence();
    m_page->clear();
    m_cmbWorkerCode->clearEditText();
    for (QLineEdit *e : {m_txtWorkerCode, m_txtWorkerName, m_txtHyouka[1], m_txtHyouka[2],
                         m_txtHyouka[3], m_txtUPRitsu, m_txtNewZone, m_txtNewUPRitsu})
        e->clear();
    for (QComboBox *c : {m_cmbSikaku, m_cmbHyouka, m_cmbNewToukyu}) {
        c->setCurrentIndex(-1);
        c->clearEditText();
    }
    for (QComboBox *c : {m_cmbBand, m_cmbYhyouka, m_cmbNewBAND, m_cmbNewYHyouka})
        c->setCurrentIndex(-1);
    m_txtTairyuu->setText(QStringLiteral("0"));
    m_txtZone->setText(QStringLiteral("0"));
    m_chkUP->setChecked(false);
    setPromotion(false);
}

int TNX3010::listedCount() const {
    return m_grid->rowCount();
}

void TNX3010::fillList(const std::vector<EmployeeListRow> &employees) {
    std::vector<EmployeeGridModel::Row> rows;
    rows.reserve(employees.size());
    int n = 0;
    for (const EmployeeListRow &e : employees)
        rows.push_back({e.sco, listCells(++n, e)});
    m_firstCode = rows.empty() ? 0 : rows.front().sco;
    m_lastCode = rows.empty() ? 0 : rows.back().sco;
    m_txtLastNo->setText(rows.empty() ? QString() : QString::number(rows.size()));
    if (rows.empty()) m_txtCureentNo->clear();
    m_row = 0;
    m_grid->setRows(std::move(rows));
}

void TNX3010::loadList() {
    fillList(ListEmployees(m_gradeFilter));
}

void TNX3010::loadEvaluations() {
    QStringList items;
    for (const TCodeName &e : LoadHyoukaList())
        items << CodeNameText(e.Code, e.Name);
    const QString shown = m_cmbHyouka->currentText();
    SetComboItems(m_cmbHyouka, items);
    m_cmbHyouka->setCurrentIndex(m_cmbHyouka->findText(shown));
    m_cmbHyouka->setEditText(shown);
}

// --- The list ---------------------------------------------------------------------------------

void TNX3010::StringGrid1Click(int row) {
    if (row < 1 || row > m_grid->rowCount()) return;
    m_row = row;
    m_sco = m_grid->codeAt(row);
    m_grid->setCurrentRowQuietly(row);
    m_grid->setHighlight(true);
    m_txtCureentNo->setText(QString::number(row));
    m_cmbWorkerCode->setEditText(QString::number(m_sco));
    m_txtWorkerName->setText(m_grid->cellAt(row, kNameColumn));
    loadEmployee();
    m_changes->clear();
}

// --- Loading an employee ----------------------------------------------------------------------

void TNX3010::loadEmployee() {
    TBusyCursor busy;
    m_exits->forgetPending();
    m_workerTyped = false;
    auto quiet = m_changes->silence();
    m_page->openItems();
    TEmployee e;
    m_found = ReadEmployee(m_sco, e);
    if (!m_found) {
        m_page->computeTotals();
        return;
    }
    m_step = e.step;
    m_newStep = e.newStep;
    ProjectState &g = G();
    ShowStoredText(m_txtWorkerCode, e.scot);
    ShowStoredText(m_txtWorkerName, e.sna);
    m_txtTairyuu->setText(QString::number(YearsSince(e.thi)));
    const auto showText = [](QComboBox *combo, const QString &text) {
        combo->setCurrentIndex(combo->findText(text));
        combo->setEditText(text);
    };
    showText(m_cmbSikaku, SikakuText(e.grade));
    showText(m_cmbNewToukyu, SikakuText(e.newGrade != 0 ? e.newGrade : e.grade));
    showText(m_cmbHyouka, HyoukaText(e.hco));
    for (int i = 1; i <= 3; ++i)
        ShowStoredText(m_txtHyouka[i], e.hna[i]);
    m_page->applyCaptions(e.workType);

    // The amounts after the raise as the group reports compute them: the wage-table item
    // shows the wage table's amount (and cannot be changed here), the item linked to the band
    // its matrix raise under the new band and evaluation.
    const TPayAfterRaise after = PayAfterRaise(payBeforeRaise(e), g.gBandTbl, g.gMatTbl);
    g.gMkigyou2.Frstkyu = e.wageLink;
    m_page->showAmounts(e, after.items);
    m_page->lockItem(e.wageLink);

    m_promoted = e.promoted == 1;
    m_chkUP->setChecked(m_promoted);
    setPromotion(m_promoted);

    m_cmbBand->setCurrentIndex(SelectComboCode(m_cmbBand, QString::number(e.band)));
    m_cmbYhyouka->setCurrentIndex(SelectComboCode(m_cmbYhyouka, QString::number(e.yhyouka)));
    m_cmbNewBAND->setCurrentIndex(SelectComboCode(m_cmbNewBAND, QString::number(e.newBand)));
    m_cmbNewYHyouka->setCurrentIndex(
        SelectComboCode(m_cmbNewYHyouka, QString::number(e.newYhyouka)));
    for (QLineEdit *box : {m_txtZone, m_txtUPRitsu, m_txtNewZone, m_txtNewUPRitsu})
        box->clear();

    // The item linked to the band is raised by the matrix.
    g.gMkigyou2.Frstkyum = e.link;
    if (e.link != 0) {
        m_page->lockRaise(e.link);
        computeCurrentSide();
        m_txtNewZone->setText(QString::number(after.matrix.newZone));
        m_txtNewUPRitsu->setText(RateText(after.matrix.rate));
    }
    m_page->computeTotals();
}

void TNX3010::setPromotion(bool on) {
    m_cmbNewToukyu->setEnabled(on);
    ShowLocked(m_cmbNewToukyu, !on);
}

int TNX3010::wageItem() const {
    return G().gMkigyou2.Frstkyu;
}

int TNX3010::matrixLink() const {
    return G().gMkigyou2.Frstkyum;
}

// --- The matrix raise -------------------------------------------------------------------------

// The pay the matrix raises: the linked base-pay item before the raise (0 for another link).
int TNX3010::linkedPay() const {
    const int link = matrixLink();
    return link >= 1 && link <= 3 ? ToInt(BoxAmount(m_page->before(link))) : 0;
}

void TNX3010::computeCurrentSide() {
    ShowMatrixRaise(ComboCode(m_cmbBand), ComboCode(m_cmbYhyouka), linkedPay(), m_txtZone,
                    m_txtUPRitsu, ZoneShown::Current);
}

// The zone and rate after the raise; the new pay goes into the linked item.
void TNX3010::computeNewSide() {
    const MatrixRaise r = ShowMatrixRaise(ComboCode(m_cmbNewBAND), ComboCode(m_cmbNewYHyouka),
                                          linkedPay(), m_txtNewZone, m_txtNewUPRitsu,
                                          ZoneShown::New);
    const int link = matrixLink();
    if (link >= 1 && link <= 3) m_page->setAfter(link, r.newPay);
    m_page->computeTotals();
}

void TNX3010::cmbBandExit() {
    if (m_cmbBand->currentIndex() < 0 || m_cmbYhyouka->currentIndex() < 0) return;
    m_txtZone->clear();
    m_txtUPRitsu->clear();
    if (matrixLink() != 0) computeCurrentSide();
}

void TNX3010::cmbNewBANDExit() {
    if (m_cmbNewBAND->currentIndex() < 0 || m_cmbNewYHyouka->currentIndex() < 0) return;
    m_txtNewZone->clear();
    m_txtNewUPRitsu->clear();
    if (matrixLink() != 0) computeNewSide();
}

// --- Grades, promotion and the evaluation -----------------------------------------------------

// Reads a grade box: empty is 0; otherwise an integer 1..9, refused with the box's message.
bool TNX3010::readGrade(QComboBox *combo, const QString &outOfRange, int &grade) {
    grade = 0;
    const QString text = combo->currentText().trimmed();
    if (text.isEmpty()) return true;
    if (!ParseItemCode(text, grade)) return RefuseField(combo, kMsgNotNumber);
    if (grade < 1 || grade > 9) return RefuseField(combo, outOfRange);
    return true;
}

// A valid grade is shown as its number alone.
bool TNX3010::gradeExit(QComboBox *combo, const QString &outOfRange) {
    int grade = 0;
    if (!readGrade(combo, outOfRange, grade)) return false;
    if (grade != 0) combo->setEditText(QString::number(grade));
    return true;
}

bool TNX3010::cmbSikakuExit() {
    if (!gradeExit(m_cmbSikaku, kMsgGradeRange)) return false;
    // Without a promotion the grade after the raise is the grade now.
    if (!m_promoted) m_cmbNewToukyu->setEditText(m_cmbSikaku->currentText().trimmed());
    lookUpWage();
    return true;
}

bool TNX3010::cmbNewToukyuExit() {
    if (!gradeExit(m_cmbNewToukyu, kMsgNewGradeRange)) return false;
    lookUpWage();
    return true;
}

// The wage-table item after the raise takes the amount of the grade after the raise at the
// employee's step after the raise (the step now while none is set), so a promotion moves the
// pay. A grade or step the table does not hold leaves the amount as it is.
void TNX3010::lookUpWage() {
    const int item = wageItem();
    int grade = 0;
    if (!m_found || item < 1 || item > 3 ||
        !ParseItemCode(m_cmbNewToukyu->currentText(), grade))
        return;
    const double wage = WageOfStep(m_wageTable, grade, m_newStep != 0 ? m_newStep : m_step);
    if (wage > INT_MAX || wage < INT_MIN) {
        ShowMessage(kMsgWageOverflow, QString(), MsgIcon::Error);
        return;
    }
    const qint64 amount = static_cast<int>(wage);
    if (amount == 0 || amount == m_page->afterAmount(item)) return;
    m_page->setAfter(item, amount);
    m_changes->mark();
}

void TNX3010::chkUPClick() {
    m_promoted = m_chkUP->isChecked();
    setPromotion(m_promoted);
    if (!m_promoted) {
        m_cmbNewToukyu->setEditText(m_cmbSikaku->currentText());
        lookUpWage();
    }
}

bool TNX3010::cmbHyoukaExit() {
    const QString text = m_cmbHyouka->currentText().trimmed();
    if (text.isEmpty()) return true;
    int code = 0;
    if (!ParseItemCode(text, code)) return RefuseField(m_cmbHyouka, kMsgNotNumber);
    const QString item = HyoukaText(code);
    if (item.isEmpty()) return RefuseField(m_cmbHyouka, kMsgNotInMaster);
    m_cmbHyouka->setCurrentIndex(m_cmbHyouka->findText(item));
    m_cmbHyouka->setEditText(item);
    m_page->computeTotals();
    return true;
}

// --- The employee code ------------------------------------------------------------------------

void TNX3010::refuseOnFirstPage(QWidget *field, const QString &message) {
    m_tabs->setCurrentIndex(MatrixPage);
    RefuseField(field, message);
}

bool TNX3010::cmbWorkerCodeExit() {
    if (!m_workerTyped) return true;
    const QString text = m_cmbWorkerCode->currentText().trimmed();
    if (text.isEmpty()) {
        m_workerTyped = false;
        return true;
    }
    int code = 0;
    if (!ParseItemCode(text, code)) {
        refuseOnFirstPage(m_cmbWorkerCode, kMsgNotNumber);
        return false;
    }
    if (code == 0) {
        refuseOnFirstPage(m_cmbWorkerCode, kMsgZeroCode);
        return false;
    }
    // Only a listed employee can be shown: the form always belongs to the row it came from.
    const int row = m_grid->rows()->rowOfCode(code);
    if (row == 0) {
        refuseOnFirstPage(m_cmbWorkerCode, kMsgNoEmployee);
        return false;
    }
    m_workerTyped = false;
    StringGrid1Click(row);
    return true;
}

// --- Saving -----------------------------------------------------------------------------------

bool TNX3010::readInput(TRaiseInput &r) {
    if (!readGrade(m_cmbSikaku, kMsgGradeRange, r.grade) ||
        !readGrade(m_cmbNewToukyu, kMsgNewGradeRange, r.newGrade))
        return false;
    const QString evaluation = m_cmbHyouka->currentText().trimmed();
    if (!evaluation.isEmpty()) {
        if (!ParseItemCode(evaluation, r.hco)) return RefuseField(m_cmbHyouka, kMsgNotNumber);
        if (HyoukaText(r.hco).isEmpty()) return RefuseField(m_cmbHyouka, kMsgNotInMaster);
    }
    if (!m_page->checkAll()) return false;
    r.sco = m_sco;
    r.band = ComboCode(m_cmbBand);
    r.yhyouka = ComboCode(m_cmbYhyouka);
    r.newBand = ComboCode(m_cmbNewBAND);
    r.newYhyouka = ComboCode(m_cmbNewYHyouka);
    r.promoted = m_promoted ? 1 : 0;
    m_page->readAmounts(r);
    return true;
}

void TNX3010::btnAddClick() {
    if (m_cmbWorkerCode->currentText().trimmed().isEmpty()) {
        ShowMessage(kMsgNoCode);
        m_tabs->setCurrentIndex(MatrixPage);
        m_cmbWorkerCode->setFocus();
        return;
    }
    if (wageItem() != 0 && TextBeforeSpace(m_cmbNewToukyu->currentText().trimmed()).isEmpty()) {
        ShowMessage(kMsgNoNewGrade);
        m_tabs->setCurrentIndex(MatrixPage);
        return;
    }
    TRaiseInput r;
    if (!readInput(r)) return;
    // Saving an employee that is no longer stored would change nothing and look like success.
    if (!m_found || !EmployeeExists(m_sco)) {
        ShowMessage(kMsgNoEmployee);
        return;
    }
    // A failed save has shown its message; both rows and the form stay as they were.
    if (!SaveRaise(r)) return;

    // The list shows the grades as stored; the employee is shown again as stored.
    if (m_row < 1) return;
    EmployeeGridModel *list = m_grid->rows();
    QStringList cells = list->rows()[m_row - 1].cells;
    cells[kGradeColumn] = QString::number(r.grade);
    cells[kNewGradeColumn] = QString::number(r.newGrade);
    list->setCells(m_row, cells);
    StringGrid1Click(m_row);
}

// --- Navigation and the grade filter ----------------------------------------------------------

// Asks before unsaved changes are dropped; true to stay (on the first page, in the new band).
bool TNX3010::confirmStay(const QString &leaving) {
    if (!m_changes->changed() || !AskStayOnChangedData(leaving)) return false;
    m_tabs->setCurrentIndex(MatrixPage);
    m_cmbNewBAND->setFocus();
    return true;
}

void TNX3010::focusPage() {
    if (m_tabs->currentIndex() == MatrixPage)
        m_cmbNewBAND->setFocus();
    else
        m_page->raise(1)->setFocus();
}

void TNX3010::goToRow(int row, bool focus) {
    if (row < 1 || row > m_grid->rowCount()) return;
    StringGrid1Click(row);
    if (focus) focusPage();
    m_changes->clear();
}

void TNX3010::btnFirstClick() {
    if (confirmStay(QStringLiteral("最初のデータ　へ。"))) return;
    goToRow(m_grid->rows()->rowOfCode(m_firstCode), true);
}

void TNX3010::btnBackClick() {
    if (confirmStay(QStringLiteral("前のデータ　へ。"))) return;
    if (m_sco == 0 || m_row == 0) {
        goToRow(m_grid->rows()->rowOfCode(m_firstCode), true);
        return;
    }
    if (m_sco == m_firstCode) return;
    goToRow(m_row - 1, true);
}

void TNX3010::btnNextClick() {
    if (confirmStay(QStringLiteral("次のデータ　へ。"))) return;
    if (m_sco == 0 || m_row == 0) {
        goToRow(m_grid->rows()->rowOfCode(m_lastCode), true);
        return;
    }
    if (m_sco == m_lastCode) return;
    goToRow(m_row + 1, true);
}

void TNX3010::btnLastClick() {
    if (confirmStay(QStringLiteral("最後のデータ　へ。"))) return;
    goToRow(m_grid->rows()->rowOfCode(m_lastCode), false);
}

void TNX3010::optTokyuClick(int grade) {
    if (confirmStay(QStringLiteral("元のデータ　へ。"))) {
        m_grades->setGrade(m_gradeFilter);
        return;
    }
    clearFields();
    m_txtCureentNo->clear();
    m_cmbWorkerCode->setFocus();
    m_gradeFilter = grade;
    m_grades->setGrade(grade);
    loadList();
    StringGrid1Click(1);
    m_changes->clear();
}

// --- Other buttons ----------------------------------------------------------------------------

void TNX3010::btnCancelClick() {
    clearFields();
    m_tabs->setCurrentIndex(MatrixPage);
    m_cmbWorkerCode->setFocus();
    m_row = 0;
    m_txtCureentNo->clear();
    m_grid->setCurrentRowQuietly(1, 0);
    m_grid->setHighlight(false);
    m_changes->clear();
}

void TNX3010::btnHyogoClick() {
    QWidget *back = focusWidget();
    {
        TNX3020 conversion(this);
        conversion.prepare();
        ShowModal(&conversion);
    }
    loadEvaluations();
    if (back) back->setFocus();
}

void TNX3010::btnMatllixClick() {
    if (m_changes->changed() &&
        AskYesNoQuestion(kAskMatrixUnsaved, QStringLiteral("戻ります。"),
                         QStringLiteral("このまま処理します。"), kCaptionConfirm))
        return;
    if (matrixLink() == 0) return;
    const int band = ComboCode(m_cmbNewBAND);
    int matrixId = 0;
    for (const TMATHYOUKA &row : G().gMatTbl.Rows)
        if (row.BandId == band) {
            matrixId = row.MatrixId;
            break;
        }
    TfrmMatCheck check(this);
    check.prepare(matrixId);
    ShowModal(&check);
}

void TNX3010::cdBandClick() {
    LoadBandTbl2();
    if (G().gBandTbl2.Bands.empty()) return;
    TfrmBandList list(this);
    list.prepare();
    ShowModal(&list);
}

int TNX3010::ShowModal(QDialog *dialog) {
    return dialog->exec();
}

void TNX3010::btnCloseClick() {
    if (m_changes->changed() && AskStayOnChangedData()) return;
    m_exits->forgetPending();
    m_changes->clear();
    QDialog::reject();
}

void TNX3010::reject() {
    btnCloseClick();
}
