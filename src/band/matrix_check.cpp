#include "matrix_check.h"

#include "employee_store.h"
#include "form_helpers.h"
#include "screen_kit.h"
#include "state.h"
#include "view_grid.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Three caption columns (評価 caption, symbol, share of the evaluation) and three caption rows
// (ゾーン番号 caption, zone numbers, share of the zone); then one column per zone and two rows
// per evaluation (its rates, then its shares), and the total row.
constexpr int kFixed = 3;
constexpr int kMaxZones = 5;
constexpr int kCaptionWidth = 40;
constexpr int kShareWidth = 50;
constexpr int kZoneWidth = 60;
// The window is designed for five zones and the seven evaluations the evaluation list takes.
constexpr int kDesignEvaluations = 7;

} // namespace

TfrmMatCheck::TfrmMatCheck(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmMatCheck"));
    setWindowTitle(QStringLiteral("マトリクスの検証"));

    m_txtBANDNAME = MakeEdit(this, "txtBANDNAME");
    m_txtBANDNAME->setReadOnly(true);
    m_grid = new TViewGrid(this);
    m_btnCopy = MakeButton(this, "btnCopy", QStringLiteral("コピー"));
    m_btnClose = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    connect(m_btnCopy, &QPushButton::clicked, this, &TfrmMatCheck::btnCopyClick);
    connect(m_btnClose, &QPushButton::clicked, this, &TfrmMatCheck::btnCloseClick);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {m_btnCopy, m_btnClose}) {
        b->setMinimumWidth(88);
        buttons->addWidget(b);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_txtBANDNAME);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    InstallEnterMovesFocus(this);

    // Room for the largest matrix: five zones, and every evaluation of the project (at least
    // seven) in two rows each.
    const std::vector<int> widths = columnWidths(kMaxZones);
    const int evaluations = std::max(kDesignEvaluations, static_cast<int>(G().gYHyoukaTbl.size()));
    m_grid->build(2 * evaluations + kFixed + 1, widths, kFixed, kFixed);
    const QSize room(kScreenBudget.width() - 40, kScreenBudget.height() - 120);
    m_grid->setMinimumSize(m_grid->contentSize().boundedTo(room));
    m_grid->build(0, {}, kFixed, kFixed);
    layout->activate();
    SizeToFit(this, sizeHint());
}

QLabel *TfrmMatCheck::caption(const char *name, const QString &text) {
    auto *label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Button);
    label->setForegroundRole(QPalette::ButtonText);
    return label;
}

// Caption columns, the evaluation shares and one column per zone; a figure column is widened
// when "100.00%" in the grid's font needs more.
std::vector<int> TfrmMatCheck::columnWidths(int zones) const {
    const int figure = m_grid->fontMetrics().horizontalAdvance(QStringLiteral("100.00%")) + 10;
    std::vector<int> widths = {kCaptionWidth, kCaptionWidth, std::max(kShareWidth, figure)};
    widths.resize(kFixed + zones, std::max(kZoneWidth, figure));
    return widths;
}

void TfrmMatCheck::prepare(int matrixId) {
    TBusyCursor busy;
    std::vector<SpreadEmployee> employees;
    for (const TMatrixLinkedEmployee &e : MatrixLinkedEmployees(matrixId))
        employees.push_back({e.band, e.newEvaluation, e.linkedPay()});
    showSpread(ComputeMatrixSpread(G().gMatTbl, G().gBandTbl, employees, matrixId));
    m_btnClose->setFocus();
}

void TfrmMatCheck::showSpread(const MatrixSpread &spread) {
    const int zones = spread.zones;
    const int evaluations = static_cast<int>(spread.evaluations.size());
    const int lastRow = 2 * evaluations + kFixed;
    const int lastColumn = zones + kFixed - 1;
    m_grid->build(lastRow + 1, columnWidths(zones), kFixed, kFixed);

    m_grid->setCellWidget(0, 0, caption("pnlMatrix", QStringLiteral("昇給マトリクス")));
    m_grid->merge(0, 0, kFixed, kFixed);
    if (zones > 0) {
        m_grid->setCellWidget(0, kFixed, caption("pnlZoneNo", QStringLiteral("ゾーン番号")));
        m_grid->merge(0, kFixed, 1, zones);
    }
    for (int z = 1; z <= zones; ++z)
        m_grid->setCell(1, z + 2, QString::number(z));
    if (evaluations > 0) {
        m_grid->setCellWidget(kFixed, 0, caption("pnlHyouka", QStringLiteral("評価\n段階")));
        m_grid->merge(kFixed, 0, 2 * evaluations, 1);
    }
    for (int j = 0; j < evaluations; ++j) {
        const int row = 2 * j + kFixed;
        m_grid->setCell(row, 1, spread.evaluations[j].symbol);
        m_grid->merge(row, 1, 2, 1);
        m_grid->merge(row, 2, 2, 1);
    }
    m_txtBANDNAME->setText(MatrixSpreadCaption(spread));
    m_txtBANDNAME->setCursorPosition(0);

    // Figures only for a matrix of the table that has employees.
    if (!spread.found || spread.total == 0) return;
    using Kind = TViewGrid::Kind;
    for (int z = 1; z <= zones; ++z)
        m_grid->setCell(2, z + 2, PercentText(spread.zoneShare[z]), Kind::Figure);
    for (int j = 0; j < evaluations; ++j) {
        const SpreadEvaluation &e = spread.evaluations[j];
        const int row = 2 * j + kFixed;
        m_grid->setCell(row, 2, PercentText(e.share), Kind::Figure);
        for (int z = 1; z <= zones; ++z) {
            m_grid->setCell(row, z + 2, PercentText(e.up[z]));
            m_grid->setCell(row + 1, z + 2, PercentText(e.zoneShare[z]));
        }
    }
    if (lastColumn > 0)
        m_grid->setCell(lastRow, lastColumn - 1, QStringLiteral("合計"), Kind::Caption);
    m_grid->setCell(lastRow, lastColumn, PercentText(spread.sum));
}

void TfrmMatCheck::btnCopyClick() {
    QApplication::clipboard()->setImage(grab().toImage());
}

void TfrmMatCheck::btnCloseClick() {
    reject();
}
