#include "design_legend.h"

#include "colour_text.h"
#include "design_store.h"
#include "form_helpers.h"
#include "line_sample.h"
#include "message_seam.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kMsgNotWholeNumber = QStringLiteral("数値を整数で入力してください。");

// "1 : 実線" .. the texts of line types from..3.
QStringList lineTypeItems(int from) {
    QStringList items;
    for (int t = from; t <= 3; ++t) {
        QString text;
        LineTypeText(t, text);
        items << text;
    }
    return items;
}

} // namespace

TNX1051::TNX1051(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TNX1051"));
    setWindowTitle(QStringLiteral("試行昇給曲線　凡例"));
    m_exits = new TFieldExits(this);
    m_changes = new TChangeTracker(this, TChangeTracker::Scope::Private);

    m_txtName = MakeEdit(this, "txtName");
    m_txtName->setReadOnly(true);
    m_txtName->setFocusPolicy(Qt::NoFocus);
    ShowLocked(m_txtName, true);
    m_txtHanrei = MakeEdit(this, "txtHanrei");
    m_txtComment = MakeEdit(this, "txtComment");
    m_changes->watch(m_txtHanrei, ChangeSource::User);
    m_changes->watch(m_txtComment, ChangeSource::User);

    auto *btnColor = MakeButton(this, "btnColor", QStringLiteral("カラー設定"));
    m_exits->onClick(btnColor, [this] { btnColorClick(); });
    m_cmbSensyu = MakeCombo(this, "cmbSensyu", true);
    m_cmbSenhaba = MakeCombo(this, "cmbSenhaba", true);
    EnterLeavesCombo(m_cmbSensyu);
    EnterLeavesCombo(m_cmbSenhaba);
    m_changes->watch(m_cmbSensyu, ChangeSource::User);
    m_changes->watch(m_cmbSenhaba, ChangeSource::User);
    m_exits->watch(m_cmbSensyu, [this] { return cmbSensyuExit(); });
    m_exits->watch(m_cmbSenhaba, [this] { return cmbSenhabaExit(); });
    connect(m_cmbSensyu, &QComboBox::activated, this, [this] { cmbSensyuExit(); });
    connect(m_cmbSenhaba, &QComboBox::activated, this, [this] { cmbSenhabaExit(); });
    m_imgDisp = new TLineSample(TLineSample::Kind::Line, this);
    m_imgDisp->setObjectName(QStringLiteral("imgDisp"));
    m_imgDisp->setFixedSize(180, 24);

    auto *legendBox = new QGroupBox(QStringLiteral("凡例"), this);
    (new QVBoxLayout(legendBox))->addWidget(m_txtHanrei);
    auto *commentBox = new QGroupBox(QStringLiteral("説明"), this);
    (new QVBoxLayout(commentBox))->addWidget(m_txtComment);
    auto *lineBox = new QGroupBox(QStringLiteral("座標軸"), this);
    auto *lineGrid = new QGridLayout(lineBox);
    lineGrid->addWidget(btnColor, 0, 0, 1, 2);
    lineGrid->addWidget(new QLabel(QStringLiteral("曲線種類"), lineBox), 1, 0);
    lineGrid->addWidget(m_cmbSensyu, 1, 1);
    lineGrid->addWidget(new QLabel(QStringLiteral("曲線幅"), lineBox), 2, 0);
    lineGrid->addWidget(m_cmbSenhaba, 2, 1);
    lineGrid->addWidget(m_imgDisp, 3, 0, 1, 2);

    auto *btnAdd = MakeButton(this, "btnAdd", QStringLiteral("登　録"));
    auto *btnClose = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    m_exits->onClick(btnAdd, [this] { btnAddClick(); });
    connect(btnClose, &QPushButton::clicked, this, &TNX1051::btnCloseClick);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnAdd);
    buttons->addWidget(btnClose);

    auto *note = new QLabel(
        QStringLiteral("注意！　曲線幅が２以上の場合、曲線の種類は「実線」のみ有効です。"), this);
    note->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_txtName);
    layout->addWidget(legendBox);
    layout->addWidget(commentBox);
    layout->addWidget(lineBox);
    layout->addWidget(note);
    layout->addLayout(buttons);
    InstallEnterMovesFocus(this);
    SizeToFit(this, QSize(380, sizeHint().height()));
}

TNX1051::~TNX1051() = default;

void TNX1051::prepare(int design) {
    ProjectState &g = G();
    m_design = design;
    m_exits->forgetPending();
    const auto quiet = m_changes->silence();
    m_txtName->setText(QStringLiteral("曲線番号(%1)").arg(design));
    m_txtHanrei->clear();
    m_txtComment->clear();
    SetComboItems(m_cmbSensyu, lineTypeItems(1));
    m_cmbSensyu->setEditText(kCodeNone);
    QStringList widths;
    for (int w = 1; w <= 5; ++w)
        widths << QString::number(w);
    SetComboItems(m_cmbSenhaba, widths);
    m_cmbSenhaba->setEditText(QStringLiteral("0"));
    if (const std::optional<TDSPDRAW> row = ReadDesignStyle(design)) {
        g.gCurveColor = row->Scolor.isEmpty() ? QStringLiteral("clBlack") : row->Scolor;
        g.gCurveType = row->Ssyurui;
        g.gCurveWidth = row->Shaba;
        m_txtHanrei->setText(row->Hanrei);
        m_txtComment->setText(row->Setsumei);
    } else {
        g.gCurveColor = QStringLiteral("clBlack");
        g.gCurveType = 0;
        g.gCurveWidth = 0;
    }
    // The boxes show the current style (a stored type outside 0..3 leaves "0 : なし").
    QString type = kCodeNone;
    LineTypeText(g.gCurveType, type);
    m_cmbSensyu->setEditText(type);
    m_cmbSenhaba->setEditText(QString::number(g.gCurveWidth));
    drawSample();
    m_changes->clear();
    m_txtHanrei->setFocus();
}

void TNX1051::drawSample() {
    const ProjectState &g = G();
    m_imgDisp->setSample(ColourFromText(g.gCurveColor), g.gCurveWidth == 0 ? 0 : g.gCurveType,
                         g.gCurveWidth);
}

void TNX1051::btnColorClick() {
    QColor colour = ColourFromText(G().gCurveColor);
    if (!Seam().chooseColor(colour)) return;
    G().gCurveColor = ColourToText(colour);
    drawSample();
    m_changes->mark();
}

bool TNX1051::cmbSensyuExit() {
    bool ok = false;
    const int type = TextBeforeSpace(m_cmbSensyu->currentText().trimmed()).toInt(&ok);
    if (!ok) return RefuseField(m_cmbSensyu, kMsgNotNumber);
    if (type < 0 || type > 3) return RefuseField(m_cmbSensyu, kMsgOutOfRange);
    G().gCurveType = type;
    QString text;
    LineTypeText(type, text);
    {
        const auto quiet = m_changes->silence();
        m_cmbSensyu->setEditText(text);
    }
    drawSample();
    return true;
}

bool TNX1051::cmbSenhabaExit() {
    bool ok = false;
    const int width = m_cmbSenhaba->currentText().trimmed().toInt(&ok);
    if (!ok) return RefuseField(m_cmbSenhaba, kMsgNotWholeNumber);
    if (width < 0 || width > 5) return RefuseField(m_cmbSenhaba, kMsgOutOfRange);
    G().gCurveWidth = width;
    drawSample();
    return true;
}

void TNX1051::btnAddClick() {
    const ProjectState &g = G();
    if (!SaveDesignStyle(m_design, m_txtHanrei->text(), m_txtComment->text(), g.gCurveColor,
                         g.gCurveType, g.gCurveWidth))
        return;
    m_txtHanrei->setFocus();
    m_changes->clear();
}

void TNX1051::btnCloseClick() {
    if (m_changes->changed() && AskStayOnChangedData()) return;
    m_exits->forgetPending();
    m_changes->clear();
    QDialog::reject();
}

void TNX1051::reject() {
    btnCloseClick();
}
