#include "living_costs.h"

#include "form_helpers.h"
#include "loaders.h"
#include "message_seam.h"
#include "reference_store.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kMsgNoCode = QStringLiteral("生計費コードが入力されていません。");
const QString kMsgZeroCode = QStringLiteral("０　は、入力できません。");
const QString kMsgNoSize = QStringLiteral("世帯人員が入力されていません。");
const QString kMsgDuplicate = QStringLiteral("世帯人員，年齢が重複しています。");
const QString kCaptionDelete = QStringLiteral("削除");

constexpr int kCodeLength = 5;
constexpr int kTextLength = 30;

} // namespace

TNX0050::TNX0050(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TNX0050"));
    setWindowTitle(QStringLiteral("標準生計費　登録"));
    m_exits = new TFieldExits(this);
    m_changes = new TChangeTracker(this);

    m_cmbSeikeiID = MakeCombo(this, "cmbSeikeiID", true);
    LimitTypedLength(m_cmbSeikeiID->lineEdit(), kCodeLength);
    m_cmbSeikeiID->setMinimumWidth(280);
    m_exits->watch(m_cmbSeikeiID, [this] { return cmbSeikeiIDExit(); });
    EnterLeavesCombo(m_cmbSeikeiID);
    connect(m_cmbSeikeiID->lineEdit(), &QLineEdit::textEdited, this,
            [this] { m_codeTyped = true; });
    connect(m_cmbSeikeiID, &QComboBox::activated, this, [this] {
        m_codeTyped = true;
        cmbSeikeiIDExit();
    });
    QHBoxLayout *moves = MakeMoveBar(
        this, m_exits, [this](Move m) { move(m); }, m_txtCureentNo, m_txtLastNo);

    // The six slots: a row of boxes each, numbered from the top.
    auto *slotsGrid = new QGridLayout;
    slotsGrid->setHorizontalSpacing(8);
    const QStringList headings{QStringLiteral("所帯人員"),     QStringLiteral("所帯年齢"),
                               QStringLiteral("生計費(千円)"), QStringLiteral("愉楽率"),
                               QStringLiteral("最低率"),       QStringLiteral("単身率")};
    for (int c = 0; c < headings.size(); ++c) {
        auto *h = new QLabel(headings[c], this);
        h->setAlignment(Qt::AlignCenter);
        slotsGrid->addWidget(h, 0, c);
    }
    for (int n = 1; n <= kSlots; ++n) {
        Slot &s = m_slots[n];
        const auto name = [n](const char *prefix) {
            return QByteArray(prefix) + QByteArray::number(n);
        };
        s.size = addNumberBox(name("txtSyotaisu"), 2, 2, true,
                              [&s](double v) { s.sizeValue = static_cast<int>(v); });
        s.age = addNumberBox(name("txtNenrei"), 5, 3, true,
                             [&s](double v) { s.ageValue = static_cast<int>(v); });
        s.cost = addNumberBox(name("txtSeikeihi"), 8, 6, false, [&s](double v) {
            s.costValue = v;
            ShowStoredText(s.cost, FormatGrouped(v, 0));
        });
        s.yuraku = addNumberBox(name("txtYuraku"), 8, 9, false, [&s](double v) {
            s.yurakuValue = v;
            ShowStoredText(s.yuraku, FormatGrouped(v, 2));
        });
        s.min = addNumberBox(name("txtMin"), 8, 9, false, [&s](double v) {
            s.minValue = v;
            ShowStoredText(s.min, FormatGrouped(v, 2));
        });
        s.tanshin = addNumberBox(name("txtTanshin"), 8, 9, false, [&s](double v) {
            s.tanshinValue = v;
            ShowStoredText(s.tanshin, FormatGrouped(v, 2));
        });
        const QList<QLineEdit *> row{s.size, s.age, s.cost, s.yuraku, s.min, s.tanshin};
        for (int c = 0; c < row.size(); ++c)
            slotsGrid->addWidget(row[c], n, c);
    }
    m_txtKakeRitsu = addNumberBox("txtKakeRitsu", 6, 9, false, [this](double v) {
        ShowStoredText(m_txtKakeRitsu, FormatGrouped(v, 3));
    });
    m_txtKakeRitsu->setFixedWidth(90);

    const auto textBox = [this](const char *name) {
        QLineEdit *e = MakeEdit(this, name, kTextLength);
        e->setMinimumWidth(360);
        m_changes->watch(e, ChangeSource::User);
        return e;
    };
    m_txtSyussyo = textBox("txtSyussyo");
    m_txtTiiki = textBox("txtTiiki");
    m_txtCyosaJiki = textBox("txtCyosaJiki");
    m_txtNyuryokuchi = textBox("txtNyuryokuchi");

    auto *rateGroup = new QGroupBox(QStringLiteral("掛率"), this);
    auto *rateLayout = new QHBoxLayout(rateGroup);
    rateLayout->addWidget(m_txtKakeRitsu);
    rateLayout->addStretch();
    auto *notes = new QGroupBox(QStringLiteral("解　　説"), this);
    auto *notesLayout = new QGridLayout(notes);
    const std::pair<const char *, QLineEdit *> noteRows[] = {{"出　　所", m_txtSyussyo},
                                                             {"対象地域", m_txtTiiki},
                                                             {"調査時点", m_txtCyosaJiki},
                                                             {"入力数値", m_txtNyuryokuchi}};
    int row = 0;
    for (const auto &[label, box] : noteRows) {
        notesLayout->addWidget(new QLabel(QString::fromUtf8(label), notes), row, 0);
        notesLayout->addWidget(box, row++, 1);
    }

    auto *btnAdd = MakeButton(this, "btnAdd", QStringLiteral("登　録"));
    auto *btnDlt = MakeButton(this, "btnDlt", QStringLiteral("削　除"));
    auto *btnCansel = MakeButton(this, "btnCansel", QStringLiteral("ｷｬﾝｾﾙ"));
    auto *btnClose = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    m_exits->onClick(btnAdd, [this] { btnAddClick(); });
    m_exits->onClick(btnDlt, [this] { btnDltClick(); });
    m_exits->onClick(btnCansel, [this] { btnCanselClick(); });
    connect(btnClose, &QPushButton::clicked, this, &TNX0050::btnCloseClick);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("生計費コード"), this));
    top->addWidget(m_cmbSeikeiID);
    top->addSpacing(12);
    top->addLayout(moves, 1);
    auto *middle = new QHBoxLayout;
    middle->addLayout(slotsGrid);
    middle->addSpacing(12);
    middle->addWidget(rateGroup, 0, Qt::AlignTop);
    middle->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {btnAdd, btnDlt, btnCansel, btnClose}) {
        b->setMinimumWidth(88);
        buttons->addWidget(b);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addLayout(middle);
    layout->addWidget(notes);
    layout->addLayout(buttons);

    // Tab order: the code box, the slots row by row, the multiplier, the texts, the buttons.
    QWidget *previous = m_cmbSeikeiID;
    const auto chain = [&previous, this](QWidget *next) {
        setTabOrder(previous, next);
        previous = next;
    };
    for (int n = 1; n <= kSlots; ++n)
        for (QWidget *w : QList<QWidget *>{m_slots[n].size, m_slots[n].age, m_slots[n].cost,
                                           m_slots[n].yuraku, m_slots[n].min, m_slots[n].tanshin})
            chain(w);
    for (QWidget *w : QList<QWidget *>{m_txtKakeRitsu, m_txtSyussyo, m_txtTiiki, m_txtCyosaJiki,
                                       m_txtNyuryokuchi, btnAdd, btnDlt, btnCansel, btnClose})
        chain(w);
    InstallEnterMovesFocus(this);
    SizeToFit(this, sizeHint());
}

TNX0050::~TNX0050() = default;

QLineEdit *TNX0050::addNumberBox(const char *name, int maxLength, int limit, bool whole,
                                 std::function<void(double)> store) {
    QLineEdit *e = MakeEdit(this, name, maxLength, Align::Right);
    e->setFixedWidth(whole ? 64 : 96);
    m_changes->watch(e, ChangeSource::User);
    m_exits->watch(e, [this, e, limit, whole, store] {
        if (!(whole ? CheckWholeNumberBox(e, limit) : CheckNumberBox(e, limit))) return false;
        double value = 0.0;
        ReadNumber(e, value);
        const auto quiet = m_changes->silence();
        store(value);
        return true;
    });
    return e;
}

// --- Loading --------------------------------------------------------------------------------

void TNX0050::prepare() {
    clearScreen();
    loadCodeList();
    m_current = G().gMkigyou2.Skco;
    loadCode(m_current);
    {
        const auto quiet = m_changes->silence();
        ShowCodeText(m_cmbSeikeiID, QString::number(m_current));
    }
    m_codeTyped = false;
    m_editMode = 0;
    m_changes->clear();
    m_cmbSeikeiID->setFocus();
}

void TNX0050::clearScreen() {
    m_exits->forgetPending();
    const auto quiet = m_changes->silence();
    ShowCodeText(m_cmbSeikeiID, QString());
    m_codeTyped = false;
    for (int n = 1; n <= kSlots; ++n) {
        Slot &s = m_slots[n];
        ShowStoredText(s.size, QString::number(n));
        for (QLineEdit *e : {s.age, s.cost, s.yuraku, s.min, s.tanshin})
            ShowStoredText(e, QStringLiteral("0"));
        s.sizeValue = s.ageValue = 0;
        s.costValue = s.yurakuValue = s.minValue = s.tanshinValue = 0.0;
    }
    ShowStoredText(m_txtKakeRitsu, QStringLiteral("0.000"));
    for (QLineEdit *e : {m_txtSyussyo, m_txtTiiki, m_txtCyosaJiki, m_txtNyuryokuchi})
        ShowStoredText(e, QString());
}

void TNX0050::loadCodeList() {
    LoadLivingList();
    m_codes.clear();
    QStringList items;
    for (const TCodeName &c : G().gLivingList) {
        m_codes.push_back(c.Code.toInt());
        items << CodeNameText(c.Code, c.Name);
    }
    const auto quiet = m_changes->silence();
    const QString shown = m_cmbSeikeiID->currentText();
    SetComboItems(m_cmbSeikeiID, items);
    ShowCodeText(m_cmbSeikeiID, shown);
    m_txtLastNo->setText(QString::number(m_codes.size()));
    m_txtCureentNo->clear();
    m_current = 0;
    m_position = 0;
}

void TNX0050::loadCode(int code) {
    m_current = code;
    for (int n = 1; n <= kSlots; ++n) {
        Slot &s = m_slots[n];
        s.sizeValue = s.ageValue = 0;
        s.costValue = s.yurakuValue = s.minValue = s.tanshinValue = 0.0;
    }
    TLivingCosts costs;
    if (!ReadLivingCosts(code, costs)) {
        m_editMode = 1;
        showPosition();
        m_changes->clear();
        return;
    }
    m_editMode = 2;
    {
        const auto quiet = m_changes->silence();
        const int shown = std::min<int>(kSlots, static_cast<int>(costs.rows.size()));
        for (int n = 1; n <= shown; ++n) {
            const TLivingCostRow &r = costs.rows[n - 1];
            Slot &s = m_slots[n];
            s.sizeValue = r.snin;
            s.ageValue = r.snenrei;
            s.costValue = r.seikeihi;
            s.yurakuValue = r.yuritsu;
            s.minValue = r.stritsu;
            s.tanshinValue = r.tnritsu;
            ShowStoredText(s.size, QString::number(r.snin));
            ShowStoredText(s.age, QString::number(r.snenrei));
            ShowStoredText(s.cost, FormatGrouped(r.seikeihi, 0));
            ShowStoredText(s.yuraku, FormatGrouped(r.yuritsu, 2));
            ShowStoredText(s.min, FormatGrouped(r.stritsu, 2));
            ShowStoredText(s.tanshin, FormatGrouped(r.tnritsu, 2));
        }
        // The sizes of the empty slots go on from the last loaded one.
        for (int n = shown + 1; n <= kSlots; ++n)
            ShowStoredText(m_slots[n].size,
                           QString::number(CommaStrToInt(m_slots[n - 1].size->text()) + 1));
        ShowStoredText(m_txtKakeRitsu, ShortestNumText(costs.kkritsu));
        ShowStoredText(m_txtSyussyo, costs.dedokoro);
        ShowStoredText(m_txtTiiki, costs.tchiiki);
        ShowStoredText(m_txtCyosaJiki, costs.cjiten);
        ShowStoredText(m_txtNyuryokuchi, costs.nsuchi);
    }
    showPosition();
    m_changes->clear();
}

void TNX0050::showPosition() {
    const auto it = std::find(m_codes.begin(), m_codes.end(), m_current);
    if (it == m_codes.end() || m_current == 0) {
        // A code without rows has no place in the list.
        m_position = 0;
        m_txtCureentNo->clear();
        return;
    }
    m_position = static_cast<int>(it - m_codes.begin()) + 1;
    m_txtCureentNo->setText(QString::number(m_position));
}

// --- The code box ---------------------------------------------------------------------------

bool TNX0050::cmbSeikeiIDExit() {
    if (!m_codeTyped) return true;
    int code = 0;
    switch (ReadCodeBox(m_cmbSeikeiID, kMsgZeroCode, code)) {
    case CodeText::Empty:
        m_codeTyped = false;
        return true;
    case CodeText::Refused:
        return false;
    case CodeText::Code:
        break;
    }
    clearScreen();
    m_current = code;
    {
        const auto quiet = m_changes->silence();
        ShowCodeText(m_cmbSeikeiID, LivingCodeText(code));
    }
    loadCode(code);
    return true;
}

// --- Saving and deleting --------------------------------------------------------------------

// A code has been chosen and the code box shows it; otherwise the message is shown and the
// focus goes to the box. Code 0 (shown when the company has no living-cost code) is none.
bool TNX0050::codeGiven() {
    if (!m_cmbSeikeiID->currentText().trimmed().isEmpty() && m_current != 0) return true;
    ShowMessage(kMsgNoCode);
    m_cmbSeikeiID->setFocus();
    return false;
}

bool TNX0050::slotFilled(const Slot &s) const {
    return s.ageValue != 0 || s.costValue != 0.0 || s.yurakuValue != 0.0 || s.minValue != 0.0 ||
           s.tanshinValue != 0.0;
}

bool TNX0050::checkSlots() {
    for (int n = 1; n <= kSlots; ++n) {
        Slot &s = m_slots[n];
        if (!ReadWholeNumber(s.size, s.sizeValue) || !ReadWholeNumber(s.age, s.ageValue))
            return false;
    }
    for (int n = 1; n <= kSlots; ++n) {
        const Slot &s = m_slots[n];
        if (slotFilled(s) && s.sizeValue == 0) return RefuseField(s.size, kMsgNoSize);
        for (int k = 1; k <= kSlots; ++k) {
            const Slot &other = m_slots[k];
            if (k != n && other.ageValue != 0 && other.sizeValue == s.sizeValue &&
                other.ageValue == s.ageValue)
                return RefuseField(s.age, kMsgDuplicate);
        }
    }
    return true;
}

void TNX0050::btnAddClick() {
    if (!codeGiven() || !checkSlots()) return;
    TLivingCosts costs;
    if (!ReadNumber(m_txtKakeRitsu, costs.kkritsu)) return;
    for (int n = 1; n <= kSlots; ++n) {
        const Slot &s = m_slots[n];
        if (!slotFilled(s)) continue;
        costs.rows.push_back(
            {s.sizeValue, s.ageValue, s.costValue, s.yurakuValue, s.minValue, s.tanshinValue});
    }
    costs.dedokoro = m_txtSyussyo->text();
    costs.tchiiki = m_txtTiiki->text();
    costs.cjiten = m_txtCyosaJiki->text();
    costs.nsuchi = m_txtNyuryokuchi->text();
    // A failed save has shown its message and kept the stored rows; the screen keeps the input.
    if (!SaveLivingCosts(m_current, costs)) return;
    afterWrite();
}

void TNX0050::afterWrite() {
    clearScreen();
    loadCodeList();
    m_txtCureentNo->clear();
    m_cmbSeikeiID->setFocus();
    m_editMode = 0;
    m_changes->clear();
}

void TNX0050::btnDltClick() {
    if (m_cmbSeikeiID->currentText().trimmed().isEmpty()) {
        ShowMessage(kMsgNoCode);
        m_cmbSeikeiID->setFocus();
        return;
    }
    if (m_editMode == 0) {
        m_cmbSeikeiID->setFocus();
        return;
    }
    if (!AskDeleteData(kCaptionDelete)) {
        m_slots[1].size->setFocus();
        return;
    }
    if (!DeleteLivingCosts(m_current)) return;
    afterWrite();
}

void TNX0050::btnCanselClick() {
    clearScreen();
    m_txtCureentNo->clear();
    m_cmbSeikeiID->setFocus();
    m_editMode = 0;
    m_changes->clear();
}

// --- Moving and closing ---------------------------------------------------------------------

void TNX0050::move(Move target) {
    if (m_codes.empty()) return;
    if (m_changes->changed() && AskStayOnChangedData(MoveTarget(target))) {
        m_slots[1].size->setFocus();
        return;
    }
    const int index = MoveIndexFromBox(m_cmbSeikeiID, kMsgZeroCode, m_codes, target, *m_changes);
    if (index < 0) return;
    const int code = m_codes[index];
    clearScreen();
    m_current = code;
    loadCode(code);
    m_editMode = 2;
    {
        const auto quiet = m_changes->silence();
        ShowCodeText(m_cmbSeikeiID, QString::number(code));
    }
    m_slots[1].size->setFocus();
    m_changes->clear();
}

void TNX0050::btnCloseClick() {
    if (m_changes->changed() && AskStayOnChangedData()) {
        m_slots[1].size->setFocus();
        return;
    }
    m_exits->forgetPending();
    m_changes->clear();
    QDialog::reject();
}

void TNX0050::reject() {
    btnCloseClick();
}
