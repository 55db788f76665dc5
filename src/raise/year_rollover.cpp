#include "year_rollover.h"

#include "band_loaders.h"
#include "company_store.h"
#include "form_helpers.h"
#include "message_seam.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"
#include "year_end.h"

#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kMsgTargetExists = QStringLiteral(
    "既にデータが存在します。企業データ　を削除してから、再度年次更新を行ってください。");
const QString kMsgNoSourceYear =
    QStringLiteral("指定された年度の企業データがありません。年度と企業を確認してください。");
const QString kMsgDone = QStringLiteral("年次更新が終了しました。");
constexpr int kFirstYear = 2004;

} // namespace

RolloverOutcome RollOverCompanyYear(const ProjectKey &from, int todayYmd,
                                    const std::function<void(int step)> &progress) {
    // The design of the year being closed, whichever project is open.
    TBANDTBL bands;
    TMATTBL matrices;
    LoadBandTbl(from, bands);
    LoadMatTbl(from, matrices);
    const MatrixRaiseTable raises(bands, matrices);
    return RollOverYear(
        from, todayYmd, [&raises](const TYearEndPay &pay) { return FinalNewAmounts(pay, raises); },
        progress);
}

TNX3030::TNX3030(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("NX3030"));
    setWindowTitle(QStringLiteral("年次更新"));
    m_cmbNendo = MakeCombo(this, "cmbNendo", true);
    m_cmbNendo->lineEdit()->setMaxLength(10);
    m_cmbCorpName = MakeCombo(this, "cmbCorpName", true);
    m_cmbCorpName->lineEdit()->setMaxLength(40);
    m_cmbCorpName->setMinimumWidth(300);
    EnterLeavesCombo(m_cmbNendo);
    EnterLeavesCombo(m_cmbCorpName);
    QPushButton *add = MakeButton(this, "btnAdd", QStringLiteral("更　新"));
    QPushButton *close = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    connect(add, &QPushButton::clicked, this, &TNX3030::btnAddClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("年　　度"), m_cmbNendo);
    form->addRow(QStringLiteral("企業名"), m_cmbCorpName);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {add, close}) {
        b->setMinimumWidth(88);
        buttons->addWidget(b);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    InstallEnterMovesFocus(this);
    SizeToFit(this, sizeHint());
}

void TNX3030::prepare() {
    const ProjectState &g = G();
    QStringList years;
    for (int year = kFirstYear; year <= g.gNendo + 1; ++year)
        years << QString::number(year);
    SetComboItems(m_cmbNendo, years);
    m_cmbNendo->setEditText(g.gMkigyou2.Nendo);
    QStringList companies;
    for (const CompanyIndexRow &row : CompaniesOfYear(g.gNendo))
        companies << CodeNameText(QString::number(row.kco), row.kna);
    SetComboItems(m_cmbCorpName, companies);
    m_cmbCorpName->setEditText(QString());
    m_cmbNendo->setFocus();
}

void TNX3030::btnAddClick() {
    ProjectState &g = G();
    bool ok = false;
    const int year = m_cmbNendo->currentText().trimmed().toInt(&ok);
    g.gNendo = ok ? year : 0;
    // The year after must still be a fiscal year the program can hold.
    if (g.gNendo <= 0 || g.gNendo >= 9999) {
        RefuseField(m_cmbNendo, kMsgNotNumber);
        return;
    }
    const int company = TextBeforeSpace(m_cmbCorpName->currentText().trimmed()).toInt(&ok);
    if (!ok) {
        RefuseField(m_cmbCorpName, kMsgNotNumber);
        return;
    }
    g.gKco = company;
    m_cmbCorpName->setEditText(QString::number(company));

    ProjectKey from;
    from.kco = company;
    from.nendo = year;
    from.isSet = true;
    const QDate today = QDate::currentDate();
    const int todayYmd = today.year() * 10000 + today.month() * 100 + today.day();

    QProgressDialog progress(QStringLiteral("年次更新を実行しています。"), QString(), 0,
                             kRolloverSteps, this);
    progress.setObjectName(QStringLiteral("RolloverProgress"));
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    RolloverOutcome outcome;
    {
        const TBusyCursor busy;
        outcome = RollOverCompanyYear(from, todayYmd, [&progress](int step) {
            progress.setValue(step - 1);
        });
    }
    progress.close();
    switch (outcome) {
    case RolloverOutcome::Done: ShowMessage(kMsgDone); break;
    case RolloverOutcome::TargetExists: ShowMessage(kMsgTargetExists); break;
    case RolloverOutcome::NoSourceYear: ShowMessage(kMsgNoSourceYear); break;
    case RolloverOutcome::Failed: break; // the failing statement has shown its message
    }
}
