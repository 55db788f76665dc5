#include "model_wages.h"

#include "form_helpers.h"
#include "message_seam.h"
#include "reference_store.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>

namespace {

const QString kMsgNoCode = QStringLiteral("モデル賃金コードが入力されていません。");
const QString kMsgZeroCode = QStringLiteral("０は、入力できません。");
const QString kCaptionDelete = QStringLiteral("削除");

constexpr int kCodeLength = 3;
constexpr int kYearsLimit = 3;
constexpr int kAmountLimit = 6;

// The grid: row numbers, then code, age, years of service and experience, the four amounts
// and the line type.
constexpr int kColumns = 10;
constexpr std::array<int, kColumns> kColumnWidths{30, 60, 60, 60, 60, 70, 70, 70, 70, 55};
constexpr int kVisibleRows = 10;

QString lineTypeShown(int type) {
    QString text;
    LineTypeText(type, text);
    return text;
}

} // namespace

TNX0060::TNX0060(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TNX0060"));
    setWindowTitle(QStringLiteral("モデル賃金　登録"));
    m_exits = new TFieldExits(this);
    m_changes = new TChangeTracker(this);

    m_cmbSalaryID = MakeCombo(this, "cmbSalaryID", true);
    LimitTypedLength(m_cmbSalaryID->lineEdit(), kCodeLength);
    m_cmbSalaryID->setMinimumWidth(140);
    m_exits->watch(m_cmbSalaryID, [this] { return cmbSalaryIDExit(); });
    EnterLeavesCombo(m_cmbSalaryID);
    connect(m_cmbSalaryID->lineEdit(), &QLineEdit::textEdited, this,
            [this] { m_codeTyped = true; });
    connect(m_cmbSalaryID, &QComboBox::activated, this, [this] {
        m_codeTyped = true;
        cmbSalaryIDExit();
    });
    QHBoxLayout *moves = MakeMoveBar(
        this, m_exits, [this](Move m) { move(m); }, m_txtCureentNo, m_txtLastNo);

    m_txtNenrei = addNumberBox("txtNenrei", 2, kYearsLimit, false);
    m_txtKinzoku = addNumberBox("txtKinzoku", 2, kYearsLimit, false);
    m_txtKeiken = addNumberBox("txtKeiken", 2, kYearsLimit, false);
    m_cmbSensyu = MakeCombo(this, "cmbSensyu", true);
    LimitTypedLength(m_cmbSensyu->lineEdit(), 5);
    m_cmbSensyu->setMinimumWidth(140);
    m_changes->watch(m_cmbSensyu, ChangeSource::User);
    m_exits->watch(m_cmbSensyu, [this] { return cmbSensyuExit(); });
    EnterLeavesCombo(m_cmbSensyu);
    m_txtKihon = addNumberBox("txtKihon", 8, kAmountLimit, true);
    m_txtSyotei = addNumberBox("txtSyotei", 8, kAmountLimit, true);
    m_txtBonus = addNumberBox("txtBonus", 8, kAmountLimit, true);
    m_txtNensyu = addNumberBox("txtNensyu", 8, kAmountLimit, true);

    m_grid = MakeRecordList(
        this, "StringGrid1",
        {QString(), QStringLiteral("賃金ｺｰﾄﾞ"), QStringLiteral("年齢"), QStringLiteral("勤続年数"),
         QStringLiteral("経験年数"), QStringLiteral("基本給"), QStringLiteral("所定給"),
         QStringLiteral("年賞与"), QStringLiteral("年収入"), QStringLiteral("線　種")},
        {kColumnWidths.begin(), kColumnWidths.end()}, Qt::AlignCenter);
    // The current row is white on blue only while highlighted.
    m_grid->setFocusPolicy(Qt::NoFocus);
    // The heading row counts as row 0, as the grid shows it.
    connect(m_grid, &QTableWidget::cellClicked, this,
            [this](int row, int column) { StringGrid1Click(row + 1, column); });
    int gridWidth = 2 * m_grid->frameWidth() + m_grid->verticalScrollBar()->sizeHint().width();
    for (const int w : kColumnWidths)
        gridWidth += w;
    m_grid->setMinimumSize(gridWidth,
                           m_grid->horizontalHeader()->sizeHint().height() +
                               kVisibleRows * m_grid->verticalHeader()->defaultSectionSize() +
                               2 * m_grid->frameWidth());

    auto *btnAdd = MakeButton(this, "btnAdd", QStringLiteral("登　録"));
    auto *btnDlt = MakeButton(this, "btnDlt", QStringLiteral("削　除"));
    auto *btnCancel = MakeButton(this, "btnCancel", QStringLiteral("ｷｬﾝｾﾙ"));
    auto *btnClose = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    m_exits->onClick(btnAdd, [this] { btnAddClick(); });
    m_exits->onClick(btnDlt, [this] { btnDltClick(); });
    m_exits->onClick(btnCancel, [this] { btnCancelClick(); });
    connect(btnClose, &QPushButton::clicked, this, &TNX0060::btnCloseClick);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("賃金コード"), this));
    top->addWidget(m_cmbSalaryID);
    top->addSpacing(12);
    top->addLayout(moves, 1);
    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    const auto put = [&](int row, int column, const QString &label, QWidget *field) {
        fields->addWidget(new QLabel(label, this), row, column * 2);
        fields->addWidget(field, row, column * 2 + 1, Qt::AlignLeft);
    };
    put(0, 0, QStringLiteral("年　　齢"), m_txtNenrei);
    put(1, 0, QStringLiteral("勤続年数"), m_txtKinzoku);
    put(2, 0, QStringLiteral("経験年数"), m_txtKeiken);
    put(3, 0, QStringLiteral("線　　種"), m_cmbSensyu);
    put(0, 1, QStringLiteral("基 本 給(千円)"), m_txtKihon);
    put(1, 1, QStringLiteral("所 定 給(千円)"), m_txtSyotei);
    put(2, 1, QStringLiteral("賞　　与(千円)"), m_txtBonus);
    put(3, 1, QStringLiteral("年　　収(千円)"), m_txtNensyu);
    fields->setColumnStretch(4, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {btnAdd, btnDlt, btnCancel, btnClose}) {
        b->setMinimumWidth(88);
        buttons->addWidget(b);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addWidget(m_grid, 1);

    QWidget *previous = m_cmbSalaryID;
    for (QWidget *w : QList<QWidget *>{m_txtNenrei, m_txtKinzoku, m_txtKeiken, m_cmbSensyu,
                                       m_txtKihon, m_txtSyotei, m_txtBonus, m_txtNensyu, btnAdd,
                                       btnDlt, btnCancel, btnClose}) {
        setTabOrder(previous, w);
        previous = w;
    }
    InstallEnterMovesFocus(this);
    SizeToFit(this, sizeHint());
}

TNX0060::~TNX0060() = default;

QLineEdit *TNX0060::addNumberBox(const char *name, int maxLength, int limit, bool amount) {
    QLineEdit *e = MakeEdit(this, name, maxLength, Align::Right);
    e->setFixedWidth(90);
    m_changes->watch(e, ChangeSource::User);
    m_exits->watch(e, [this, e, limit, amount] {
        if (!amount) return CheckWholeNumberBox(e, limit);
        if (!CheckNumberBox(e, limit)) return false;
        double value = 0.0;
        ReadNumber(e, value);
        const auto quiet = m_changes->silence();
        ShowStoredText(e, FormatGrouped(value, 0));
        return true;
    });
    return e;
}

// --- Loading --------------------------------------------------------------------------------

void TNX0060::prepare() {
    m_editMode = 0;
    m_current = 0;
    clearScreen();
    loadCodeList();
    m_txtCureentNo->clear();
    m_txtLastNo->clear();
    {
        const auto quiet = m_changes->silence();
        SetComboItems(m_cmbSensyu, {lineTypeShown(1), lineTypeShown(2), lineTypeShown(3)});
        ShowCodeText(m_cmbSensyu, lineTypeShown(0));
    }
    fillGrid();
    m_changes->clear();
    m_cmbSalaryID->setFocus();
}

void TNX0060::clearScreen() {
    m_exits->forgetPending();
    const auto quiet = m_changes->silence();
    ShowCodeText(m_cmbSalaryID, QString());
    m_codeTyped = false;
    for (QLineEdit *e :
         {m_txtNenrei, m_txtKinzoku, m_txtKeiken, m_txtKihon, m_txtSyotei, m_txtBonus, m_txtNensyu})
        ShowStoredText(e, QStringLiteral("0"));
    ShowCodeText(m_cmbSensyu, lineTypeShown(0));
    m_editMode = 0;
}

void TNX0060::loadCodeList() {
    QStringList items;
    for (const TModelWage &w : ModelWages(G().gMkigyou2.Mdco))
        items << CodeNameText(QString::number(w.mcco), QString::number(w.nenrei));
    const auto quiet = m_changes->silence();
    const QString shown = m_cmbSalaryID->currentText();
    SetComboItems(m_cmbSalaryID, items);
    ShowCodeText(m_cmbSalaryID, shown);
}

void TNX0060::fillGrid() {
    const std::vector<TModelWage> wages = ModelWages(G().gMkigyou2.Mdco);
    m_codes.clear();
    m_grid->clearContents();
    m_grid->setRowCount(std::max<int>(1, static_cast<int>(wages.size())));
    for (int r = 0; r < static_cast<int>(wages.size()); ++r) {
        const TModelWage &w = wages[r];
        m_codes.push_back(w.mcco);
        const QStringList cells{QString::number(r + 1),     QString::number(w.mcco),
                                QString::number(w.nenrei),  QString::number(w.knensu),
                                QString::number(w.kknensu), ShortestNumText(w.kkin),
                                ShortestNumText(w.skin),    ShortestNumText(w.syouyo),
                                ShortestNumText(w.nensyu),  QString::number(w.sensyu)};
        for (int c = 0; c < kColumns; ++c) {
            auto *cell = new QTableWidgetItem(cells[c]);
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (c == 0) cell->setBackground(m_grid->palette().button());
            m_grid->setItem(r, c, cell);
        }
    }
    if (wages.empty()) {
        m_txtCureentNo->clear();
        m_txtLastNo->clear();
    } else {
        m_txtLastNo->setText(QString::number(wages.size()));
    }
    m_position = 0;
    setHighlight(false);
}

void TNX0060::setHighlight(bool on) {
    m_highlight = on;
    if (on && m_position >= 1 && m_position <= m_grid->rowCount()) {
        m_grid->selectRow(m_position - 1);
        m_grid->scrollToItem(m_grid->item(m_position - 1, 1));
    } else {
        m_grid->clearSelection();
        m_grid->setCurrentCell(-1, -1);
    }
}

void TNX0060::findInGrid() {
    const auto it = std::find(m_codes.begin(), m_codes.end(), m_current);
    if (it == m_codes.end()) return;
    m_position = static_cast<int>(it - m_codes.begin()) + 1;
    setHighlight(m_highlight);
}

int TNX0060::codeOfRow(int row) const {
    return row >= 1 && row <= static_cast<int>(m_codes.size()) ? m_codes[row - 1] : 0;
}

void TNX0060::loadWage() {
    TModelWage w;
    if (!ReadModelWage(G().gMkigyou2.Mdco, m_current, w)) {
        m_editMode = 1;
        return;
    }
    m_editMode = 2;
    const auto quiet = m_changes->silence();
    ShowStoredText(m_txtNenrei, QString::number(w.nenrei));
    ShowStoredText(m_txtKinzoku, QString::number(w.knensu));
    ShowStoredText(m_txtKeiken, QString::number(w.kknensu));
    ShowCodeText(m_cmbSensyu, w.sensyu >= 0 && w.sensyu <= 3 ? lineTypeShown(w.sensyu) : QString());
    ShowStoredText(m_txtKihon, FormatGrouped(w.kkin, 0));
    ShowStoredText(m_txtSyotei, FormatGrouped(w.skin, 0));
    ShowStoredText(m_txtBonus, FormatGrouped(w.syouyo, 0));
    ShowStoredText(m_txtNensyu, FormatGrouped(w.nensyu, 0));
}

// --- Choosing -------------------------------------------------------------------------------

bool TNX0060::cmbSalaryIDExit() {
    if (!m_codeTyped) return true;
    int code = 0;
    switch (ReadCodeBox(m_cmbSalaryID, kMsgZeroCode, code)) {
    case CodeText::Empty:
        m_codeTyped = false;
        m_changes->clear();
        return true;
    case CodeText::Refused:
        return false;
    case CodeText::Code:
        break;
    }
    m_codeTyped = false;
    m_current = code;
    {
        const auto quiet = m_changes->silence();
        ShowCodeText(m_cmbSalaryID, QString::number(code));
    }
    m_highlight = true;
    findInGrid();
    loadWage();
    m_changes->clear();
    return true;
}

void TNX0060::StringGrid1Click(int row, int column) {
    if (row < 1 || column < 1 || row > m_grid->rowCount()) return;
    const auto text = [this, row](int c) {
        const QTableWidgetItem *cell = m_grid->item(row - 1, c);
        return cell ? cell->text() : QString();
    };
    if (text(1).isEmpty() && text(2).isEmpty() && text(3).isEmpty()) return;
    m_position = row;
    m_txtCureentNo->setText(QString::number(row));
    m_current = codeOfRow(row);
    {
        const auto quiet = m_changes->silence();
        ShowCodeText(m_cmbSalaryID, QString::number(m_current));
    }
    m_codeTyped = false;
    m_exits->forgetPending();
    setHighlight(true);
    loadWage();
    m_changes->clear();
}

bool TNX0060::cmbSensyuExit() {
    const QString text = m_cmbSensyu->currentText().trimmed();
    if (text.isEmpty()) return true;
    bool ok = false;
    const int type = TextBeforeSpace(text).toInt(&ok);
    if (!ok) return RefuseField(m_cmbSensyu, kMsgNotNumber);
    if (type < 0 || type > 3) return RefuseField(m_cmbSensyu, kMsgOutOfRange);
    const auto quiet = m_changes->silence();
    ShowCodeText(m_cmbSensyu, lineTypeShown(type));
    return true;
}

// --- Saving and deleting --------------------------------------------------------------------

void TNX0060::btnAddClick() {
    if (!m_changes->changed()) {
        ShowMessage(kMsgNoChange);
        m_cmbSalaryID->setFocus();
        return;
    }
    // The point is written under the code the box shows, which is the one last chosen.
    if (m_current == 0 || m_cmbSalaryID->currentText().trimmed().isEmpty()) {
        ShowMessage(kMsgNoCode);
        m_cmbSalaryID->setFocus();
        return;
    }
    TModelWage w;
    w.mcco = m_current;
    if (!ReadWholeNumber(m_txtNenrei, w.nenrei) || !ReadWholeNumber(m_txtKinzoku, w.knensu) ||
        !ReadWholeNumber(m_txtKeiken, w.kknensu) || !ReadNumber(m_txtKihon, w.kkin) ||
        !ReadNumber(m_txtSyotei, w.skin) || !ReadNumber(m_txtBonus, w.syouyo) ||
        !ReadNumber(m_txtNensyu, w.nensyu))
        return;
    bool ok = false;
    w.sensyu = TextBeforeSpace(m_cmbSensyu->currentText().trimmed()).toInt(&ok);
    if (!ok) w.sensyu = 0;
    // A failed save has shown its message and kept the stored point; the screen keeps it too.
    if (!SaveModelWage(G().gMkigyou2.Mdco, w)) return;
    afterWrite();
}

void TNX0060::afterWrite() {
    clearScreen();
    loadCodeList();
    fillGrid();
    m_cmbSalaryID->setFocus();
    m_changes->clear();
}

void TNX0060::btnDltClick() {
    if (m_cmbSalaryID->currentText().trimmed().isEmpty()) {
        ShowMessage(kMsgNoCode);
        m_cmbSalaryID->setFocus();
        return;
    }
    if (!AskDeleteData(kCaptionDelete)) {
        m_txtNenrei->setFocus();
        return;
    }
    if (!DeleteModelWage(G().gMkigyou2.Mdco, m_current)) return;
    afterWrite();
}

void TNX0060::btnCancelClick() {
    clearScreen();
    m_cmbSalaryID->setFocus();
    m_position = 0;
    setHighlight(false);
    m_changes->clear();
}

// --- Moving and closing ---------------------------------------------------------------------

void TNX0060::move(Move target) {
    if (m_changes->changed() && AskStayOnChangedData(MoveTarget(target))) {
        m_txtNenrei->setFocus();
        return;
    }
    // A model without wage points has nowhere to go.
    if (m_codes.empty()) return;
    const int index = MoveIndexFromBox(m_cmbSalaryID, kMsgZeroCode, m_codes, target, *m_changes);
    if (index < 0) return;
    m_current = m_codes[index];
    m_position = index + 1;
    m_txtCureentNo->setText(QString::number(m_position));
    setHighlight(true);
    loadWage();
    {
        const auto quiet = m_changes->silence();
        ShowCodeText(m_cmbSalaryID, QString::number(m_current));
    }
    m_codeTyped = false;
    m_changes->clear();
}

void TNX0060::btnCloseClick() {
    if (m_changes->changed() && AskStayOnChangedData()) {
        m_txtNenrei->setFocus();
        return;
    }
    m_exits->forgetPending();
    m_changes->clear();
    QDialog::reject();
}

void TNX0060::reject() {
    btnCloseClick();
}
