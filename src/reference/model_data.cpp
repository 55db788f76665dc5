#include "model_data.h"

#include "form_helpers.h"
#include "loaders.h"
#include "message_seam.h"
#include "reference_store.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kMsgNoCode = QStringLiteral("モデルコードが入力されていません。");
const QString kMsgZeroCode = QStringLiteral("０　は、入力できません。");
const QString kCaptionDelete = QStringLiteral("削除");

constexpr int kCodeLength = 5;
constexpr int kTextLength = 30;
constexpr int kRemarksLength = 255;
constexpr int kEstablishmentsLimit = 8;

} // namespace

QString RemarksToStored(const QString &shown) {
    if (shown.isEmpty()) return {};
    QString stored;
    for (const QString &line : shown.split(QLatin1Char('\n')))
        stored += line + QStringLiteral("\r\n");
    return stored;
}

QString RemarksToShown(const QString &stored) {
    QString shown = stored;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (shown.endsWith(QLatin1Char('\n'))) shown.chop(1);
    return shown;
}

TNX0080::TNX0080(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TNX0080"));
    setWindowTitle(QStringLiteral("モデルデータ　登録"));
    m_exits = new TFieldExits(this);
    m_changes = new TChangeTracker(this);

    m_cmbModelID = MakeCombo(this, "cmbModelID", true);
    LimitTypedLength(m_cmbModelID->lineEdit(), kCodeLength);
    m_cmbModelID->setMinimumWidth(280);
    m_exits->watch(m_cmbModelID, [this] { return cmbModelIDExit(); });
    EnterLeavesCombo(m_cmbModelID);
    connect(m_cmbModelID->lineEdit(), &QLineEdit::textEdited, this, [this] { m_codeTyped = true; });
    connect(m_cmbModelID, &QComboBox::activated, this, [this] {
        m_codeTyped = true;
        cmbModelIDExit();
    });
    QHBoxLayout *moves = MakeMoveBar(
        this, m_exits, [this](Move m) { move(m); }, m_txtCureentNo, m_txtLastNo);

    const auto textBox = [this](const char *name) {
        QLineEdit *e = MakeEdit(this, name, kTextLength);
        e->setMinimumWidth(380);
        m_changes->watch(e, ChangeSource::User);
        return e;
    };
    m_txtSalaryName = textBox("txtSalaryName");
    m_txtSyussyo = textBox("txtSyussyo");
    m_txtChiiki = textBox("txtChiiki");
    m_txtJigyosyosuu = MakeEdit(this, "txtJigyosyosuu", 0, Align::Right);
    m_txtJigyosyosuu->setFixedWidth(110);
    m_changes->watch(m_txtJigyosyosuu, ChangeSource::User);
    m_exits->watch(m_txtJigyosyosuu, [this] { return txtJigyosyosuuExit(); });
    m_txtCyousabi = textBox("txtCyousabi");
    m_txtGyousyu = textBox("txtGyousyu");
    m_txtKibo = textBox("txtKibo");
    m_txtBikou = new QPlainTextEdit(this);
    m_txtBikou->setObjectName(QStringLiteral("txtBikou"));
    m_txtBikou->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtBikou->setTabChangesFocus(true);
    m_txtBikou->setMinimumHeight(110);
    m_changes->watch(m_txtBikou, ChangeSource::User);
    // At most 255 characters: what goes beyond is taken back as it is typed.
    connect(m_txtBikou, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_txtBikou->toPlainText();
        if (text.size() <= kRemarksLength) return;
        const auto quiet = m_changes->silence();
        m_txtBikou->setPlainText(text.left(kRemarksLength));
        m_txtBikou->moveCursor(QTextCursor::End);
    });

    auto *btnAdd = MakeButton(this, "btnAdd", QStringLiteral("登　録"));
    auto *btnDlt = MakeButton(this, "btnDlt", QStringLiteral("削　除"));
    auto *btnCancel = MakeButton(this, "btnCancel", QStringLiteral("ｷｬﾝｾﾙ"));
    auto *btnClose = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    m_exits->onClick(btnAdd, [this] { btnAddClick(); });
    m_exits->onClick(btnDlt, [this] { btnDltClick(); });
    m_exits->onClick(btnCancel, [this] { btnCancelClick(); });
    connect(btnClose, &QPushButton::clicked, this, &TNX0080::btnCloseClick);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("モデルコード"), this));
    top->addWidget(m_cmbModelID);
    top->addSpacing(12);
    top->addLayout(moves, 1);
    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    const std::pair<const char *, QWidget *> rows[] = {
        {"賃金名称", m_txtSalaryName},  {"出　　所", m_txtSyussyo},  {"対象地域", m_txtChiiki},
        {"事業所数", m_txtJigyosyosuu}, {"調査時点", m_txtCyousabi}, {"業　　種", m_txtGyousyu},
        {"規　　模", m_txtKibo},        {"備　　考", m_txtBikou}};
    int row = 0;
    for (const auto &[label, field] : rows) {
        auto *l = new QLabel(QString::fromUtf8(label), this);
        fields->addWidget(l, row, 0, field == m_txtBikou ? Qt::AlignTop : Qt::Alignment());
        fields->addWidget(field, row++, 1,
                          field == m_txtJigyosyosuu ? Qt::AlignLeft : Qt::Alignment());
    }
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

    QWidget *previous = m_cmbModelID;
    for (QWidget *w : QList<QWidget *>{m_txtSalaryName, m_txtSyussyo, m_txtChiiki, m_txtJigyosyosuu,
                                       m_txtCyousabi, m_txtGyousyu, m_txtKibo, m_txtBikou, btnAdd,
                                       btnDlt, btnCancel, btnClose}) {
        setTabOrder(previous, w);
        previous = w;
    }
    InstallEnterMovesFocus(this);
    SizeToFit(this, sizeHint());
}

TNX0080::~TNX0080() = default;

// --- Loading --------------------------------------------------------------------------------

void TNX0080::prepare() {
    m_current = G().gMkigyou2.Mdco;
    clearScreen();
    loadCodeList();
    loadRecord();
    m_changes->clear();
    m_cmbModelID->setFocus();
}

void TNX0080::clearScreen() {
    m_exits->forgetPending();
    const auto quiet = m_changes->silence();
    ShowCodeText(m_cmbModelID, QString());
    m_codeTyped = false;
    for (QLineEdit *e :
         {m_txtSalaryName, m_txtSyussyo, m_txtChiiki, m_txtCyousabi, m_txtGyousyu, m_txtKibo})
        ShowStoredText(e, QString());
    m_txtJigyosyosuu->setText(QStringLiteral("0"));
    m_txtBikou->clear();
    m_editMode = 0;
}

void TNX0080::loadCodeList() {
    LoadModelList();
    m_codes.clear();
    QStringList items;
    for (const TCodeName &c : G().gModelList) {
        m_codes.push_back(c.Code.toInt());
        items << CodeNameText(c.Code, c.Name);
    }
    const auto quiet = m_changes->silence();
    const QString shown = m_cmbModelID->currentText();
    SetComboItems(m_cmbModelID, items);
    ShowCodeText(m_cmbModelID, shown);
    m_txtLastNo->setText(QString::number(m_codes.size()));
    m_txtCureentNo->clear();
}

void TNX0080::loadRecord() {
    TModelData model;
    if (!ReadModelData(m_current, model)) {
        m_editMode = 1;
        return;
    }
    m_editMode = 2;
    showRecord(model);
    const auto it = std::find(m_codes.begin(), m_codes.end(), m_current);
    m_position = it == m_codes.end() ? 0 : static_cast<int>(it - m_codes.begin()) + 1;
    if (m_position > 0)
        m_txtCureentNo->setText(QString::number(m_position));
    else
        m_txtCureentNo->clear();
}

void TNX0080::showRecord(const TModelData &model) {
    const auto quiet = m_changes->silence();
    ShowCodeText(m_cmbModelID, QString::number(model.mdco));
    m_codeTyped = false;
    ShowStoredText(m_txtSalaryName, model.mdna);
    ShowStoredText(m_txtSyussyo, model.dedokoro);
    ShowStoredText(m_txtChiiki, model.tchiiki);
    m_txtJigyosyosuu->setText(QString::number(model.jsu));
    ShowStoredText(m_txtCyousabi, model.cjiten);
    ShowStoredText(m_txtGyousyu, model.gyousyu);
    ShowStoredText(m_txtKibo, model.kibo);
    m_txtBikou->setPlainText(RemarksToShown(model.bikou));
}

// --- Field checks ---------------------------------------------------------------------------

bool TNX0080::cmbModelIDExit() {
    if (!m_codeTyped) return true;
    int code = 0;
    switch (ReadCodeBox(m_cmbModelID, kMsgZeroCode, code)) {
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
        ShowCodeText(m_cmbModelID, ModelCodeText(code));
    }
    loadRecord();
    m_changes->clear();
    return true;
}

bool TNX0080::txtJigyosyosuuExit() {
    return CheckWholeNumberBox(m_txtJigyosyosuu, kEstablishmentsLimit);
}

// --- Saving and deleting --------------------------------------------------------------------

void TNX0080::btnAddClick() {
    if (m_cmbModelID->currentText().trimmed().isEmpty() || m_current == 0) {
        ShowMessage(kMsgNoCode);
        m_cmbModelID->setFocus();
        return;
    }
    if (!m_changes->changed()) {
        ShowMessage(kMsgNoChange);
        m_txtSalaryName->setFocus();
        return;
    }
    TModelData model;
    if (!ReadWholeNumber(m_txtJigyosyosuu, model.jsu)) return;
    model.mdco = m_current;
    model.mdna = m_txtSalaryName->text();
    model.dedokoro = m_txtSyussyo->text();
    model.tchiiki = m_txtChiiki->text();
    model.cjiten = m_txtCyousabi->text();
    model.gyousyu = m_txtGyousyu->text();
    model.kibo = m_txtKibo->text();
    model.bikou = RemarksToStored(m_txtBikou->toPlainText());
    // A failed save has shown its message and kept the stored record; the screen keeps it too.
    if (!SaveModelData(model)) return;
    afterWrite();
}

void TNX0080::afterWrite() {
    clearScreen();
    loadCodeList();
    m_cmbModelID->setFocus();
    m_changes->clear();
}

void TNX0080::btnDltClick() {
    if (m_cmbModelID->currentText().trimmed().isEmpty()) {
        ShowMessage(kMsgNoCode);
        m_cmbModelID->setFocus();
        return;
    }
    if (m_editMode == 0) {
        m_cmbModelID->setFocus();
        return;
    }
    if (!AskDeleteData(kCaptionDelete)) {
        m_txtSalaryName->setFocus();
        return;
    }
    if (!DeleteModelData(m_current)) return;
    afterWrite();
}

void TNX0080::btnCancelClick() {
    clearScreen();
    m_cmbModelID->setFocus();
    m_changes->clear();
}

// --- Moving and closing ---------------------------------------------------------------------

void TNX0080::move(Move target) {
    if (m_codes.empty()) return;
    if (m_changes->changed() && AskStayOnChangedData(MoveTarget(target))) {
        m_txtSalaryName->setFocus();
        return;
    }
    const int index = MoveIndexFromBox(m_cmbModelID, kMsgZeroCode, m_codes, target, *m_changes);
    if (index < 0) return;
    m_current = m_codes[index];
    loadRecord();
    m_editMode = 2;
    {
        const auto quiet = m_changes->silence();
        ShowCodeText(m_cmbModelID, QString::number(m_current));
    }
    m_codeTyped = false;
    m_changes->clear();
    m_txtSalaryName->setFocus();
}

void TNX0080::btnCloseClick() {
    if (m_changes->changed() && AskStayOnChangedData()) {
        m_txtSalaryName->setFocus();
        return;
    }
    m_exits->forgetPending();
    m_changes->clear();
    QDialog::reject();
}

void TNX0080::reject() {
    btnCloseClick();
}
