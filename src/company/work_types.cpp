#include "work_types.h"

#include "combo_utils.h"
#include "form_helpers.h"
#include "loaders.h"
#include "message_seam.h"
#include "state.h"
#include "tdm.h"
#include "utilities.h"

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

// The company code and fiscal year of the open project as numbers; false when either is none.
bool projectKeys(qint64 &kco, qint64 &nendo) {
    bool ok1 = false, ok2 = false;
    kco = G().gMkigyou2.Kco.trimmed().toLongLong(&ok1);
    nendo = G().gMkigyou2.Nendo.trimmed().toLongLong(&ok2);
    return ok1 && ok2;
}

QPushButton *makeButton(const QString &text, const QString &name, QWidget *parent) {
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setMinimumWidth(88);
    return b;
}

} // namespace

TfrmSalaryName::TfrmSalaryName(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSalaryName"));
    setWindowTitle(QStringLiteral("就労形態＆賃金構成の登録"));

    auto makeEdit = [this](const QString &name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(name);
        e->setMaxLength(kMaxTextLength);
        e->setMinimumWidth(200);
        WatchChanges(e, ChangeSource::Any, [this] {
            if (!m_loading) m_changed = true;
        });
        return e;
    };

    m_cmbSalaryID = new QComboBox(this);
    m_cmbSalaryID->setObjectName(QStringLiteral("cmbSalaryID"));
    m_cmbSalaryID->setEditable(true);
    m_cmbSalaryID->setInsertPolicy(QComboBox::NoInsert);
    m_cmbSalaryID->setMinimumWidth(200);
    (new TFieldExits(this))->watch(m_cmbSalaryID, [this] { return cmbSalaryIDExit(); });
    EnterLeavesCombo(m_cmbSalaryID);
    m_txtName = makeEdit(QStringLiteral("txtName"));
    m_txtTeigi = makeEdit(QStringLiteral("txtTeigi"));
    for (int i = 0; i < 3; ++i)
        m_txtKihon[static_cast<size_t>(i)] = makeEdit(QStringLiteral("txtKihon%1").arg(i + 1));
    for (int i = 0; i < 5; ++i)
        m_txtTeate[static_cast<size_t>(i)] = makeEdit(QStringLiteral("txtTeate%1").arg(i + 1));

    m_btnAdd = makeButton(QStringLiteral("登　録"), QStringLiteral("btnAdd"), this);
    m_btnCancel = makeButton(QStringLiteral("ｷｬﾝｾﾙ"), QStringLiteral("btnCancel"), this);
    m_btnDlt = makeButton(QStringLiteral("削除"), QStringLiteral("btnDlt"), this);
    m_btnClose = makeButton(QStringLiteral("閉じる"), QStringLiteral("btnClose"), this);
    connect(m_btnAdd, &QPushButton::clicked, this, &TfrmSalaryName::btnAddClick);
    connect(m_btnCancel, &QPushButton::clicked, this, &TfrmSalaryName::btnCancelClick);
    connect(m_btnDlt, &QPushButton::clicked, this, &TfrmSalaryName::btnDltClick);
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
    const QStringList numerals = {QStringLiteral("Ⅰ"), QStringLiteral("Ⅱ"), QStringLiteral("Ⅲ"),
                                  QStringLiteral("Ⅳ"), QStringLiteral("Ⅴ")};
    const int first = row;
    for (int i = 0; i < 5; ++i) {
        row = first + i;
        if (i < 3)
            addRow(QStringLiteral("基本給項目") + numerals[i], m_txtKihon[static_cast<size_t>(i)],
                   0);
        addRow(QStringLiteral("手当項目") + numerals[i], m_txtTeate[static_cast<size_t>(i)], 1);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {m_btnAdd, m_btnCancel, m_btnDlt, m_btnClose})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
    m_btnDlt->setEnabled(false);
    InstallEnterMovesFocus(this);
}

TfrmSalaryName::~TfrmSalaryName() = default;

void TfrmSalaryName::prepare() {
    fillList();
    clearFields();
    m_cmbSalaryID->setFocus();
}

QList<QLineEdit *> TfrmSalaryName::textFields() const {
    QList<QLineEdit *> out{m_txtName, m_txtTeigi};
    for (QLineEdit *e : m_txtKihon)
        out << e;
    for (QLineEdit *e : m_txtTeate)
        out << e;
    return out;
}

void TfrmSalaryName::fillList() {
    const QString key = ProjectKeySql();
    if (key.isEmpty()) {
        m_cmbSalaryID->clear();
        return;
    }
    FillComboFromSql(QStringLiteral("select SALARYID || ' : ' || ifnull(SALARYNAME, '') as "
                                    "COMBNAME from SALARYNAME where") +
                         key + QStringLiteral(" order by SALARYID"),
                     m_cmbSalaryID);
    DM().Query21.Close();
}

void TfrmSalaryName::clearFields() {
    m_loading = true;
    m_cmbSalaryID->setCurrentIndex(-1);
    m_cmbSalaryID->setEditText(QString());
    for (QLineEdit *e : textFields())
        e->clear();
    m_loading = false;
    m_changed = false;
    m_loadedId = 0;
    m_btnDlt->setEnabled(false);
}

// The typed number, or the code of the chosen "id : name" item.
int TfrmSalaryName::salaryId() const {
    const QString text = m_cmbSalaryID->currentText().trimmed();
    bool ok = false;
    const int id = text.toInt(&ok);
    if (ok) return id;
    const int code = CodePart(text).trimmed().toInt(&ok);
    return ok ? code : 0;
}

bool TfrmSalaryName::cmbSalaryIDExit() {
    if (m_cmbSalaryID->currentText().trimmed().isEmpty()) return true;
    const int id = salaryId();
    if (!validId(id)) return RefuseField(m_cmbSalaryID, kMsgIdRange);
    clearFields();
    m_loading = true;
    const int index = SelectComboCode(m_cmbSalaryID, QString::number(id));
    m_cmbSalaryID->setCurrentIndex(index);
    if (index < 0) m_cmbSalaryID->setEditText(QString::number(id));

    const QString key = ProjectKeySql();
    TQuery &q = DM().Query21;
    q.Close();
    if (!key.isEmpty())
        RunSql(q,
               QStringLiteral("select * from SALARYNAME where") + key +
                   QStringLiteral(" and SALARYID = %1").arg(id),
               'S');
    if (!q.Eof()) {
        m_txtName->setText(q.AsString(QStringLiteral("SALARYNAME")));
        m_txtTeigi->setText(q.AsString(QStringLiteral("TEIGI")));
        for (int i = 0; i < 3; ++i)
            m_txtKihon[static_cast<size_t>(i)]->setText(
                q.AsString(QStringLiteral("KIHON%1").arg(i + 1)));
        for (int i = 0; i < 5; ++i)
            m_txtTeate[static_cast<size_t>(i)]->setText(
                q.AsString(QStringLiteral("TEATE%1").arg(i + 1)));
        m_loadedId = id;
        m_btnDlt->setEnabled(true);
    }
    q.Close();
    m_loading = false;
    m_changed = false;
    m_txtName->setFocus();
    return true;
}

void TfrmSalaryName::btnAddClick() {
    const int id = salaryId();
    if (!validId(id)) {
        ShowMessage(kMsgIdRange);
        m_cmbSalaryID->setFocus();
        return;
    }
    if (m_txtName->text().trimmed().isEmpty()) {
        ShowMessage(kMsgNoName);
        m_txtName->setFocus();
        return;
    }
    qint64 kco = 0, nendo = 0;
    if (!projectKeys(kco, nendo)) return;

    QStringList values{SqlInt(kco), SqlInt(nendo), SqlInt(id)};
    for (QLineEdit *e : textFields())
        values << SqlText(e->text());
    {
        ScopedTransaction transaction(DM().ACN2);
        TQuery &q = DM().Query21;
        RunSql(q,
               QStringLiteral("delete from SALARYNAME where") + ProjectKeySql() +
                   QStringLiteral(" and SALARYID = %1").arg(id),
               'E');
        RunSql(q,
               QStringLiteral("insert into SALARYNAME (KCO, NENDO, SALARYID, SALARYNAME, TEIGI, "
                              "KIHON1, KIHON2, KIHON3, TEATE1, TEATE2, TEATE3, TEATE4, TEATE5) "
                              "values(") +
                   values.join(QLatin1Char(',')) + QLatin1Char(')'),
               'E');
        // On a failure the stored row stays as it was and the fields keep the typed values.
        if (!transaction.commit()) return;
    }
    fillList();
    clearFields();
    m_cmbSalaryID->setFocus();
}

void TfrmSalaryName::btnDltClick() {
    if (m_loadedId == 0) return;
    if (!AskYesNo(kAskDelete, kCaptionConfirm)) return;
    const QString key = ProjectKeySql();
    if (key.isEmpty()) return;
    if (!RunSql(DM().Query21,
                QStringLiteral("delete from SALARYNAME where") + key +
                    QStringLiteral(" and SALARYID = %1").arg(m_loadedId),
                'E'))
        return;
    fillList();
    clearFields();
    m_cmbSalaryID->setFocus();
}

void TfrmSalaryName::btnCancelClick() {
    clearFields();
    m_cmbSalaryID->setFocus();
}

void TfrmSalaryName::btnCloseClick() {
    if (m_changed && AskStayOnChangedData()) return;
    QDialog::reject();
}

void TfrmSalaryName::reject() {
    btnCloseClick();
}

// The fields form a ring: after the last allowance comes the work type name again.
bool TfrmSalaryName::focusNextPrevChild(bool next) {
    if (next && focusWidget() == m_txtTeate[4]) {
        m_txtName->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QDialog::focusNextPrevChild(next);
}
