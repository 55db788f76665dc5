#include "band_evaluation_dialog.h"

#include "band_loaders.h"
#include "chart_store.h"
#include "combo_utils.h"
#include "form_helpers.h"
#include "matrix_raise.h"
#include "screen_kit.h"
#include "state.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>

Tfrm1105::Tfrm1105(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("frm1105"));
    setWindowTitle(QStringLiteral("５．マトリクス昇給"));
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(panel);
    m_txtSyainID = MakeEdit(panel, "txtSyainID", 10, Align::Right);
    m_txtSyainID->hide();
    m_txtSyainNo = MakeEdit(panel, "txtSyainNo", 0, Align::Left);
    m_txtName = MakeEdit(panel, "txtName", 0, Align::Left);
    m_txtZoneNo = MakeEdit(panel, "txtZoneNo", 0, Align::Right);
    for (QLineEdit *e : {m_txtSyainNo, m_txtName, m_txtZoneNo}) {
        e->setReadOnly(true);
        ShowLocked(e, true);
    }
    m_cmbBand = MakeCombo(panel, "cmbBand", false);
    m_cmbYHyouka = MakeCombo(panel, "cmbYHyouka", false);
    m_cmbBand->setMinimumWidth(200);
    int row = 0;
    const auto line = [&](const char *caption, QWidget *field) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption), panel), row, 0);
        grid->addWidget(field, row++, 1);
    };
    line("社員番号", m_txtSyainNo);
    line("氏　　名", m_txtName);
    line("所属BAND", m_cmbBand);
    line("役割評価", m_cmbYHyouka);
    line("Zone番号", m_txtZoneNo);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    m_changes = new TChangeTracker(this, TChangeTracker::Scope::Private);
    m_changes->watch(m_cmbBand, ChangeSource::Any);
    m_changes->watch(m_cmbYHyouka, ChangeSource::Any);
    connect(m_cmbBand, &QComboBox::currentIndexChanged, this, &Tfrm1105::cmbChange);
    connect(m_cmbYHyouka, &QComboBox::currentIndexChanged, this, &Tfrm1105::cmbChange);
    InstallEnterMovesFocus(this);
    layout->activate();
    setFixedSize(sizeHint());
}

void Tfrm1105::prepare(qint64 sco) {
    const auto quiet = m_changes->silence();
    m_sco = sco;
    m_txtSyainID->setText(QString::number(sco));
    SetComboItems(m_cmbBand, BandItems());
    SetComboItems(m_cmbYHyouka, RoleEvaluationItems());
    LoadBandTbl();
    m_txtSyainNo->clear();
    m_txtName->clear();
    m_txtZoneNo->clear();
    m_cmbBand->setCurrentIndex(-1);
    m_cmbYHyouka->setCurrentIndex(-1);
    m_wage = 0;
    m_changes->clear();
    const std::optional<TPlotEmployee> e = ReadPlotEmployee(sco);
    m_found = e.has_value();
    if (!e) return;
    m_txtSyainNo->setText(e->scot);
    m_txtName->setText(e->sna);
    m_cmbBand->setCurrentIndex(SelectComboCode(m_cmbBand, QString::number(e->band)));
    m_cmbYHyouka->setCurrentIndex(SelectComboCode(m_cmbYHyouka, QString::number(e->yhyouka)));
    m_wage = e->linkedPay();
    showZone();
}

void Tfrm1105::showZone() {
    const ProjectState &g = G();
    const MatrixRaise r = CalcMatrixRaise(g.gBandTbl, g.gMatTbl, ComboCode(m_cmbBand),
                                          ComboCode(m_cmbYHyouka), int(m_wage));
    m_txtZoneNo->setText(QString::number(r.zone));
}

void Tfrm1105::cmbChange() {
    if (m_changes->silenced()) return;
    showZone();
}

void Tfrm1105::FormClick() {
    if (m_changes->changed() && m_found) {
        // The codes come from the lists of the project; nothing chosen stores no band.
        const int band = ComboCode(m_cmbBand);
        const int evaluation = ComboCode(m_cmbYHyouka);
        if (!SaveEmployeeBand(m_sco, band, evaluation)) return; // the failure has been shown
    }
    m_changes->clear();
    QDialog::accept();
}

void Tfrm1105::reject() {
    FormClick();
}

void Tfrm1105::mousePressEvent(QMouseEvent *event) {
    event->accept();
    FormClick();
}
