#include "band_list.h"

#include "form_helpers.h"
#include "records.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"
#include "view_grid.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Two caption columns (zone, lower/upper) and three caption rows (heading, band name, base
// wage); then one column per band and two rows per zone.
constexpr int kFixedColumns = 2;
constexpr int kFixedRows = 3;
constexpr int kCaptionWidth = 70;
constexpr int kBandWidth = 100;
constexpr int kMaxZones = 5;

const QString kZoneNames[kMaxZones + 1] = {
    QString(),
    QStringLiteral("ゾーンⅠ"),
    QStringLiteral("ゾーンⅡ"),
    QStringLiteral("ゾーンⅢ"),
    QStringLiteral("ゾーンⅣ"),
    QStringLiteral("ゾーンⅤ"),
};

} // namespace

QString BandListAmount(int amount) {
    return amount == 0 ? QString() : FormatAmount(amount);
}

TfrmBandList::TfrmBandList(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmBandList"));
    setWindowTitle(QStringLiteral("バンド明細"));

    m_grid = new TViewGrid(this);
    m_btnCopy = MakeButton(this, "btnCopy", QStringLiteral("コピー"));
    m_btnClose = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    connect(m_btnCopy, &QPushButton::clicked, this, &TfrmBandList::btnCopyClick);
    connect(m_btnClose, &QPushButton::clicked, this, &TfrmBandList::btnCloseClick);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {m_btnCopy, m_btnClose}) {
        b->setMinimumWidth(88);
        buttons->addWidget(b);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    InstallEnterMovesFocus(this);
}

void TfrmBandList::prepare() {
    const std::vector<TBANDM2> &bands = G().gBandTbl2.Bands;
    const int bandCount = static_cast<int>(bands.size());
    int zones = 0;
    for (const TBANDM2 &band : bands)
        zones = std::max(zones, std::clamp(band.ZoneSu, 0, kMaxZones));

    std::vector<int> widths(kFixedColumns, kCaptionWidth);
    widths.resize(kFixedColumns + bandCount, kBandWidth);
    m_grid->build(2 * zones + kFixedRows, widths, kFixedRows, kFixedColumns);

    m_grid->merge(0, 0, 2, kFixedColumns);
    m_grid->setCell(0, kFixedColumns, QStringLiteral("バンド名称"));
    m_grid->merge(0, kFixedColumns, 1, bandCount);
    m_grid->setCell(2, 0, QStringLiteral("ゾーン番号"));
    m_grid->setCell(2, 1, QStringLiteral("基準額"));
    for (int z = 1; z <= zones; ++z) {
        const int row = kFixedRows + 2 * (z - 1);
        m_grid->setCell(row, 0, kZoneNames[z]);
        m_grid->merge(row, 0, 2, 1);
        m_grid->setCell(row, 1, QStringLiteral("下限"));
        m_grid->setCell(row + 1, 1, QStringLiteral("上限"));
    }

    for (int i = 0; i < bandCount; ++i) {
        const TBANDM2 &band = bands[i];
        const int column = kFixedColumns + i;
        m_grid->setCell(1, column, band.BandName);
        m_grid->setCell(2, column, BandListAmount(band.Kijun), TViewGrid::Kind::Figure);
        // A zone the band does not have (upper limit 0) stays empty.
        for (int z = 1; z <= zones; ++z) {
            if (band.ZoneJyogen[z] == 0) continue;
            const int row = kFixedRows + 2 * (z - 1);
            m_grid->setCell(row, column, BandListAmount(band.ZoneKagen[z]));
            m_grid->setCell(row + 1, column, BandListAmount(band.ZoneJyogen[z]));
        }
    }

    // The window fits the grid; many bands scroll sideways within the screen, with room for
    // the scroll bar.
    layout()->activate();
    const QSize grid = m_grid->contentSize();
    QSize preferred(grid.width() + 24, grid.height() + m_btnClose->sizeHint().height() + 40);
    QSize room = kScreenBudget;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        room = room.boundedTo(screen->availableGeometry().size());
    if (preferred.width() > room.width())
        preferred.rheight() += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    SizeToFit(this, preferred.expandedTo(QSize(360, 0)));
    m_btnClose->setFocus();
}

void TfrmBandList::btnCopyClick() {
    QApplication::clipboard()->setImage(grab().toImage());
}

void TfrmBandList::btnCloseClick() {
    reject();
}
