#include "work_types.h"

#include "combo_utils.h"
#include "form_helpers.h"
#include "message_seam.h"
#include "records.h"
#include "screen_kit.h"
#include "utilities.h"
#include "work_type_store.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kMsgIdRange = QStringLiteral("IDは1～4で入力して下さい。");
const QString kMsgNoName = QStringLiteral("就労形態を入力して下さい。");
const QString kAskDelete = QStringLiteral("表示ﾃﾞｰﾀを削除してもいいですか？");
constexpr int kMaxTextLength = 20;

bool validId(int id) {
    return id >= 1 && id <= 4;
}

} // namespace

TfrmSalaryName::TfrmSalaryName(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSalaryName"));
    setWindowTitle(QStringLiteral("就労形態＆賃金構成の登録"));
    m_exits = new TFieldExits(this);
    // The flag of this screen alone: the project's gDataChanged is not touched.
    m_changes = new TChangeTracker(this, TChangeTracker::Scope::Private);

    auto makeEdit = [this](const QString &name) {
        QLineEdit *e = MakeEdit(this, qPrintable(name), kMaxTextLength);
        e->setMinimumWidth(200);
        m_changes->watch(e, ChangeSource::Any);
        return e;
    };

    m_cmbSalaryID = MakeCombo(this, "cmbSalaryID", true);
    m_cmbSalaryID->setMinimumWidth(200);
    m_exits->watch(m_cmbSalaryID, [this] { return cmbSalaryIDExit(); });
    EnterLeavesCombo(m_cmbSalaryID);
    m_txtName = makeEdit(QStringLiteral("txtName"));
    m_txtTeigi = makeEdit(QStringLiteral("txtTeigi"));
    for (int i = 1; i <= 3; ++i)
        m_txtKihon[i] = makeEdit(QStringLiteral("txtKihon%1").arg(i));
    for (int i = 1; i <= 5; ++i)
        m_txtTeate[i] = makeEdit(QStringLiteral("txtTeate%1").arg(i));

    m_btnAdd = MakeButton(this, "btnAdd", QStringLiteral("登　録"));
    m_btnCancel = MakeButton(this, "btnCancel", QStringLiteral("ｷｬﾝｾﾙ"));
    m_btnDlt = MakeButton(this, "btnDlt", QStringLiteral("削除"));
    m_btnClose = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    m_exits->onClick(m_btnAdd, [this] { btnAddClick(); });
    m_exits->onClick(m_btnCancel, [this] { btnCancelClick(); });
    m_exits->onClick(m_btnDlt, [this] { btnDltClick(); });
    connect(m_btnClose, &QPushButton::clicked, this, &TfrmSalaryName::btnCloseClick);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    int row = 0;
    auto addRow = [&](const QString &label, QWidget *field, int column) {
        grid->addWidget(new QLabel(label, this), row, column * 2);
        grid->addWidget(field, row, column * 2 + 1);
    };
    grid->addWidget(new QLabel(QStringLiteral("既存の賃金体系は下のリストBoxから選択します"), this),
                    row++, 0, 1, 4);
    addRow(QStringLiteral("就労形態ID"), m_cmbSalaryID, 0);
    ++row;
    addRow(QStringLiteral("就労形態名称"), m_txtName, 0);
    ++row;
    addRow(QStringLiteral("賃金形態名称"), m_txtTeigi, 0);
    ++row;
    grid->setRowMinimumHeight(row++, 8);
    const std::array<QString, 6> numerals{QString(),           QStringLiteral("Ⅰ"),
                                          QStringLiteral("Ⅱ"), QStringLiteral("Ⅲ"),
                                          QStringLiteral("Ⅳ"), QStringLiteral("Ⅴ")};
    const int first = row;
    for (int i = 1; i <= 5; ++i) {
        row = first + i - 1;
        if (i <= 3) addRow(QStringLiteral("基本給項目") + numerals[i], m_txtKihon[i], 0);
        addRow(QStringLiteral("手当項目") + numerals[i], m_txtTeate[i], 1);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {m_btnAdd, m_btnCancel, m_btnDlt, m_btnClose}) {
        b->setMinimumWidth(88);
        buttons->addWidget(b);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    SizeToFit(this, sizeHint());
    setFixedSize(size());
    m_btnDlt->setEnabled(false);
    InstallEnterMovesFocus(this);
}

TfrmSalaryName::~TfrmSalaryName() = default;

void TfrmSalaryName::prepare() {
    fillList();
    clearFields();
    m_cmbSalaryID->setFocus();
}

bool TfrmSalaryName::changed() const {
    return m_changes->changed();
}

QList<QLineEdit *> TfrmSalaryName::textFields() const {
    QList<QLineEdit *> out{m_txtName, m_txtTeigi};
    for (int i = 1; i <= 3; ++i)
        out << m_txtKihon[i];
    for (int i = 1; i <= 5; ++i)
        out << m_txtTeate[i];
    return out;
}

void TfrmSalaryName::fillList() {
    SetComboItems(m_cmbSalaryID, WorkTypeItems());
}

void TfrmSalaryName::clearFields() {
    {
        const auto quiet = m_changes->silence();
        m_cmbSalaryID->setCurrentIndex(-1);
        m_cmbSalaryID->setEditText(QString());
        for (QLineEdit *e : textFields())
            e->clear();
    }
    m_changes->clear();
    m_loadedId = 0;
    m_btnDlt->setEnabled(false);
}

// The typed number, or the code of the chosen "id : name" item; 0 for neither.
int TfrmSalaryName::salaryId() const {
    int id = 0;
    return ParseItemCode(m_cmbSalaryID->currentText(), id) ? id : 0;
}

bool TfrmSalaryName::cmbSalaryIDExit() {
    if (m_cmbSalaryID->currentText().trimmed().isEmpty()) return true;
    const int id = salaryId();
    if (!validId(id)) return RefuseField(m_cmbSalaryID, kMsgIdRange);
    clearFields();
    {
        const auto quiet = m_changes->silence();
        const int index = SelectComboCode(m_cmbSalaryID, QString::number(id));
        m_cmbSalaryID->setCurrentIndex(index);
        if (index < 0) m_cmbSalaryID->setEditText(QString::number(id));

        TSALARYTBL workType;
        if (ReadWorkType(id, workType)) {
            m_txtName->setText(workType.SalaryName);
            m_txtTeigi->setText(workType.Teigi);
            ShowTexts(m_txtKihon, workType.Kihon, 3);
            ShowTexts(m_txtTeate, workType.Teate, 5);
            m_loadedId = id;
            m_btnDlt->setEnabled(true);
        }
    }
    m_changes->clear();
    m_txtName->setFocus();
    return true;
}

void TfrmSalaryName::btnAddClick() {
    const int id = salaryId();
    if (!validId(id)) {
        RefuseField(m_cmbSalaryID, kMsgIdRange);
        return;
    }
    if (m_txtName->text().trimmed().isEmpty()) {
        RefuseField(m_txtName, kMsgNoName);
        return;
    }
    TSALARYTBL workType;
    workType.SalaryName = m_txtName->text();
    workType.Teigi = m_txtTeigi->text();
    ReadTexts(m_txtKihon, workType.Kihon, 3);
    ReadTexts(m_txtTeate, workType.Teate, 5);
    // On a failure the stored row stays as it was and the fields keep the typed values.
    if (!SaveWorkType(id, workType)) return;
    fillList();
    clearFields();
    m_cmbSalaryID->setFocus();
}

void TfrmSalaryName::btnDltClick() {
    if (m_loadedId == 0) return;
    if (!AskYesNo(kAskDelete, kCaptionConfirm)) return;
    if (!DeleteWorkType(m_loadedId)) return;
    fillList();
    clearFields();
    m_cmbSalaryID->setFocus();
}

void TfrmSalaryName::btnCancelClick() {
    clearFields();
    m_cmbSalaryID->setFocus();
}

void TfrmSalaryName::btnCloseClick() {
    if (changed() && AskStayOnChangedData()) return;
    QDialog::reject();
}

void TfrmSalaryName::reject() {
    btnCloseClick();
}

// The fields form a ring: after the last allowance comes the work type name again.
bool TfrmSalaryName::focusNextPrevChild(bool next) {
    if (next && focusWidget() == m_txtTeate[5]) {
        m_txtName->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QDialog::focusNextPrevChild(next);
}
