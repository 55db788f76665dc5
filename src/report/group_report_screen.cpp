#include "group_report_screen.h"

#include "band_loaders.h"
#include "combo_utils.h"
#include "form_helpers.h"
#include "message_seam.h"
#include "print_preview.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"
#include "work_type_store.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kNotChosen = QStringLiteral("0 : 指定なし");

TRangeChoice choiceOf(const QComboBox *combo) {
    return {ComboCode(combo), ComboName(combo)};
}
} // namespace

TNX0090::TNX0090(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TNX0090"));
    setWindowTitle(QStringLiteral("グループ別社員レポート"));

    m_cmbMarkSTart = MakeCombo(this, "cmbMarkSTart", false);
    m_cmbMarkEnd = MakeCombo(this, "cmbMarkEnd", false);
    m_cmbTokyuSTart = MakeCombo(this, "cmbTokyuSTart", false);
    m_cmbTokyuEnd = MakeCombo(this, "cmbTokyuEnd", false);
    m_cmbSalaryStart = MakeCombo(this, "cmbSalaryStart", false);
    m_cmbSalaryEnd = MakeCombo(this, "cmbSalaryEnd", false);
    m_btnPrint = MakeButton(this, "btnPrint", QStringLiteral("印　刷"));
    m_cdCsv = MakeButton(this, "cdCsv", QStringLiteral("CSV出力"));
    m_btnClose = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    connect(m_btnPrint, &QPushButton::clicked, this, &TNX0090::btnPrintClick);
    connect(m_cdCsv, &QPushButton::clicked, this, &TNX0090::cdCsvClick);
    connect(m_btnClose, &QPushButton::clicked, this, &TNX0090::btnCloseClick);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(10);
    const struct {
        const char *caption;
        QComboBox *low, *high;
    } ranges[] = {{"マーク", m_cmbMarkSTart, m_cmbMarkEnd},
                  {"等　級", m_cmbTokyuSTart, m_cmbTokyuEnd},
                  {"就労形態", m_cmbSalaryStart, m_cmbSalaryEnd}};
    int row = 0;
    for (const auto &r : ranges) {
        grid->addWidget(new QLabel(QString::fromUtf8(r.caption)), row, 0);
        grid->addWidget(r.low, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("～")), row, 2);
        grid->addWidget(r.high, row, 3);
        r.low->setMinimumWidth(240);
        r.high->setMinimumWidth(240);
        ++row;
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {m_btnPrint, m_cdCsv, m_btnClose}) {
        b->setMinimumWidth(96);
        buttons->addWidget(b);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->setSpacing(16);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    InstallEnterMovesFocus(this);
    SizeToFit(this, sizeHint());
}

TNX0090::~TNX0090() = default;

void TNX0090::prepare(int reportKind) {
    m_kind = reportKind;
    setWindowTitle(GroupReportKind(reportKind).title);
    const ProjectState &g = G();

    QStringList marks;
    for (int n = 1; n <= 6; ++n) {
        const TMMARK &m = g.gMarks[n];
        if (m.Mkco != 0)
            marks << CodeNameText(QString::number(m.Mkco), m.Mark + QStringLiteral("  ") + m.Hanrei);
    }
    marks << kNotChosen;
    QStringList grades;
    for (int n = 1; n <= 9; ++n)
        grades << QString::number(n) + kCodeNameSeparator + g.gMkigyou2.Tk[n];
    grades << kNotChosen;
    QStringList workTypes = WorkTypeItems();
    workTypes << kNotChosen;

    for (QComboBox *c : {m_cmbMarkSTart, m_cmbMarkEnd})
        SetComboItems(c, marks);
    for (QComboBox *c : {m_cmbTokyuSTart, m_cmbTokyuEnd})
        SetComboItems(c, grades);
    for (QComboBox *c : {m_cmbSalaryStart, m_cmbSalaryEnd})
        SetComboItems(c, workTypes);
    for (QComboBox *c : {m_cmbMarkSTart, m_cmbMarkEnd, m_cmbTokyuSTart, m_cmbTokyuEnd,
                         m_cmbSalaryStart, m_cmbSalaryEnd})
        c->setCurrentIndex(-1);
    m_cmbMarkSTart->setFocus();
}

bool TNX0090::readSelection(TReportSelection &selection) {
    TSelectionChoices c;
    c.markLow = choiceOf(m_cmbMarkSTart);
    c.markHigh = choiceOf(m_cmbMarkEnd);
    c.gradeLow = choiceOf(m_cmbTokyuSTart);
    c.gradeHigh = choiceOf(m_cmbTokyuEnd);
    c.workTypeLow = choiceOf(m_cmbSalaryStart);
    c.workTypeHigh = choiceOf(m_cmbSalaryEnd);
    const QString refusal = ReadReportSelection(c, selection);
    if (refusal.isEmpty()) return true;
    ShowMessage(refusal);
    return false;
}

void TNX0090::loadTables() {
    LoadBandTbl();
    LoadMatTbl();
    LoadYHyoukaTbl();
}

void TNX0090::btnPrintClick() {
    TReportSelection selection;
    if (!readSelection(selection)) return;
    TReportNotice notice;
    {
        TBusyCursor busy;
        loadTables();
        RefreshToday();
        notice = PrintGroupReport(m_kind, selection,
                                  m_reportDate.isValid() ? m_reportDate : G().gToday);
    }
    if (!notice.text.isEmpty()) ShowMessage(notice.text, QString(), notice.icon);
    if (!G().gPreviewFile.isEmpty()) showPreview();
}

void TNX0090::cdCsvClick() {
    TReportSelection selection;
    if (!readSelection(selection)) return;
    loadTables();
    if (!AskGroupReportCsv(m_kind)) return;
    TReportNotice notice;
    {
        TBusyCursor busy;
        notice = WriteGroupReportCsv(m_kind, selection);
    }
    ShowMessage(notice.text, QString(), notice.icon);
}

void TNX0090::btnCloseClick() {
    close();
}

TfrmPrintPreview *TNX0090::preview() {
    if (!m_preview) m_preview = new TfrmPrintPreview(this);
    return m_preview;
}

void TNX0090::showPreview() {
    TfrmPrintPreview *p = preview();
    p->prepare();
    p->exec();
}
