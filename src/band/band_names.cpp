#include "band_names.h"

#include "band_loaders.h"
#include "combo_utils.h"
#include "form_helpers.h"
#include "list_store.h"
#include "records.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>

namespace {

const QString kMsgBadBandId = QStringLiteral("バンドIDの入力エラーです。");
const QString kMsgNoMatrix = QStringLiteral("マトリクスを選択して下さい。");
const QString kCaptionDelete = QStringLiteral("削除");

constexpr int kIdLength = 3;
constexpr int kNameLength = 50;
constexpr int kTeigiLength = 100;

// The list's columns: an empty leading column, then id, name, definition and matrix.
constexpr int kColumns = 5;
constexpr std::array<int, kColumns> kColumnWidths{20, 40, 150, 200, 150};
// Rows the list shows without scrolling.
constexpr int kVisibleRows = 12;

QTableWidgetItem *listCell(const QString &text, bool selectable) {
    auto *cell = new QTableWidgetItem(text);
    cell->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Cells that are not selectable are disabled: a click on them changes nothing.
    cell->setFlags(selectable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags);
    return cell;
}

} // namespace

std::optional<int> BandIdOfText(const QString &text) {
    bool ok = false;
    const int id = CodePart(text.trimmed()).trimmed().toInt(&ok);
    // Band ids are positive: 0 and negative numbers would make rows no screen can address.
    if (!ok || id <= 0) return std::nullopt;
    return id;
}

TfrmBandName::TfrmBandName(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmBandName"));
    setWindowTitle(QStringLiteral("バンド名称　登録"));
    m_exits = new TFieldExits(this);
    m_changes = new TChangeTracker(this);

    m_cmbBandID = MakeCombo(this, "cmbBandID", true);
    LimitTypedLength(m_cmbBandID->lineEdit(), kIdLength);
    m_cmbBandID->setMinimumWidth(260);
    m_cmbBandID->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_exits->watch(m_cmbBandID, [this] { return cmbBandIDExit(); });
    EnterLeavesCombo(m_cmbBandID);
    m_txtBandName = MakeEdit(this, "txtBandName", kNameLength);
    m_txtTeigi = MakeEdit(this, "txtTeigi", kTeigiLength);
    m_cmbMatrix = MakeCombo(this, "cmbMatrix", false);
    m_cmbMatrix->setMinimumWidth(260);
    for (QWidget *field : QList<QWidget *>{m_cmbBandID, m_txtBandName, m_txtTeigi, m_cmbMatrix})
        m_changes->watch(field, ChangeSource::User);

    m_txtCureentNo = MakeEdit(this, "txtCureentNo", 0, Align::Right);
    m_txtLastNo = MakeEdit(this, "txtLastNo", 0, Align::Right);
    for (QLineEdit *e : {m_txtCureentNo, m_txtLastNo}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setFixedWidth(50);
    }

    m_grid = MakeRecordList(this, "StringGrid1",
                            {QString(), QStringLiteral("バンドID"), QStringLiteral("バンド名称"),
                             QStringLiteral("定　義"), QStringLiteral("マトリクス")},
                            {kColumnWidths.begin(), kColumnWidths.end()},
                            Qt::AlignLeft | Qt::AlignVCenter);
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (!m_movingRow && row >= 0) StringGrid1SelectCell(row + 1, column);
    });
    connect(m_grid, &QTableWidget::cellClicked, this,
            [this](int row, int column) { StringGrid1SelectCell(row + 1, column); });

    auto *btnAdd = MakeButton(this, "btnAdd", QStringLiteral("登　録"));
    auto *btnDlt = MakeButton(this, "btnDlt", QStringLiteral("削　除"));
    auto *btnCancel = MakeButton(this, "btnCancel", QStringLiteral("ｷｬﾝｾﾙ"));
    auto *btnClose = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    m_exits->onClick(btnAdd, [this] { btnAddClick(); });
    m_exits->onClick(btnDlt, [this] { btnDltClick(); });
    m_exits->onClick(btnCancel, [this] { btnCancelClick(); });
    connect(btnClose, &QPushButton::clicked, this, &TfrmBandName::btnCloseClick);

    const struct {
        const char *name;
        QStyle::StandardPixmap icon;
        const char *tip;
        void (TfrmBandName::*action)();
    } moves[] = {
        {"btnFirst", QStyle::SP_MediaSkipBackward, "最初", &TfrmBandName::btnFirstClick},
        {"btnBack", QStyle::SP_MediaSeekBackward, "前", &TfrmBandName::btnBackClick},
        {"btnNext", QStyle::SP_MediaSeekForward, "次", &TfrmBandName::btnNextClick},
        {"btnLast", QStyle::SP_MediaSkipForward, "最後", &TfrmBandName::btnLastClick},
    };
    auto *position = new QHBoxLayout;
    position->addWidget(m_txtCureentNo);
    position->addWidget(new QLabel(QStringLiteral("/"), this));
    position->addWidget(m_txtLastNo);
    position->addSpacing(8);
    for (const auto &m : moves) {
        QPushButton *b = MakeButton(this, m.name, QString());
        b->setIcon(style()->standardIcon(m.icon));
        b->setToolTip(QString::fromUtf8(m.tip));
        b->setFixedWidth(36);
        m_exits->onClick(b, [this, action = m.action] { (this->*action)(); });
        position->addWidget(b);
    }
    position->addStretch();

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    const auto addRow = [&](int row, const QString &caption, QWidget *field, int span) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(field);
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row, 1, 1, span);
    };
    addRow(0, QStringLiteral("バンドID"), m_cmbBandID, 1);
    fields->addLayout(position, 0, 2);
    addRow(1, QStringLiteral("バンド名称"), m_txtBandName, 2);
    addRow(2, QStringLiteral("定　　義"), m_txtTeigi, 2);
    addRow(3, QStringLiteral("マトリクス"), m_cmbMatrix, 1);
    fields->setColumnStretch(2, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {btnAdd, btnDlt, btnCancel, btnClose}) {
        b->setMinimumWidth(88);
        buttons->addWidget(b);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);

    setTabOrder(m_cmbBandID, m_txtBandName);
    setTabOrder(m_txtBandName, m_txtTeigi);
    setTabOrder(m_txtTeigi, m_cmbMatrix);
    setTabOrder(m_cmbMatrix, btnAdd);
    setTabOrder(btnAdd, btnDlt);
    setTabOrder(btnDlt, btnCancel);
    setTabOrder(btnCancel, btnClose);
    setTabOrder(btnClose, m_grid);
    InstallEnterMovesFocus(this);

    int gridWidth = 2 * m_grid->frameWidth() + m_grid->verticalScrollBar()->sizeHint().width();
    for (const int w : kColumnWidths)
        gridWidth += w;
    const int gridHeight = m_grid->horizontalHeader()->sizeHint().height() +
                           kVisibleRows * m_grid->verticalHeader()->defaultSectionSize() +
                           2 * m_grid->frameWidth();
    m_grid->setMinimumSize(gridWidth, gridHeight);
    SizeToFit(this, sizeHint());
}

TfrmBandName::~TfrmBandName() = default;

void TfrmBandName::prepare() {
    SetComboItems(m_cmbMatrix, MatrixItems());
    clearInputs();
    reload();
    m_changes->clear();
    m_cmbBandID->setFocus();
}

// --- Inputs and the list ----------------------------------------------------------------------

void TfrmBandName::clearInputs() {
    m_exits->forgetPending();
    const auto quiet = m_changes->silence();
    m_cmbBandID->setCurrentIndex(-1);
    m_cmbBandID->setEditText(QString());
    m_txtBandName->clear();
    m_txtTeigi->clear();
    m_cmbMatrix->setCurrentIndex(-1);
}

void TfrmBandName::reload() {
    LoadBandTbl2();
    {
        // The id box keeps what it shows while its items are replaced.
        const auto quiet = m_changes->silence();
        const QString shown = m_cmbBandID->currentText();
        SetComboItems(m_cmbBandID, BandItems());
        m_cmbBandID->setCurrentIndex(-1);
        m_cmbBandID->setEditText(shown);
    }
    fillGrid();
    m_txtCureentNo->clear();
    const int count = bandCount();
    m_txtLastNo->setText(count > 0 ? QString::number(count) : QString());
}

void TfrmBandName::fillGrid() {
    const std::vector<TBANDM2> &bands = G().gBandTbl2.Bands;
    m_movingRow = true;
    m_grid->clearContents();
    // An empty list keeps one empty row.
    m_grid->setRowCount(qMax(1, int(bands.size())));
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        const bool band = r < int(bands.size());
        const QStringList texts = band ? QStringList{QString(), bands[r].BandId, bands[r].BandName,
                                                     bands[r].BandTeigi, bands[r].MatrixName}
                                       : QStringList(kColumns, QString());
        for (int c = 0; c < kColumns; ++c) {
            QTableWidgetItem *cell = listCell(texts[c], band && c > 0);
            if (c == 0) cell->setBackground(m_grid->palette().button());
            m_grid->setItem(r, c, cell);
        }
    }
    m_grid->setCurrentCell(-1, -1);
    m_grid->clearSelection();
    m_movingRow = false;
}

int TfrmBandName::bandCount() const {
    return int(G().gBandTbl2.Bands.size());
}

int TfrmBandName::currentNo() const {
    bool ok = false;
    const int p = m_txtCureentNo->text().toInt(&ok);
    return ok ? p : 0;
}

int TfrmBandName::indexOfBand(int id) const {
    const std::vector<TBANDM2> &bands = G().gBandTbl2.Bands;
    const QString key = QString::number(id);
    for (int i = 0; i < int(bands.size()); ++i)
        if (bands[i].BandId == key) return i;
    return -1;
}

void TfrmBandName::setCurrentRowQuietly(int p) {
    m_movingRow = true;
    if (p >= 1 && p <= m_grid->rowCount())
        m_grid->setCurrentCell(p - 1, 1);
    else
        m_grid->setCurrentCell(-1, -1);
    m_movingRow = false;
}

void TfrmBandName::showBand(int p) {
    if (p < 1 || p > bandCount()) return;
    const TBANDM2 &band = G().gBandTbl2.Bands[p - 1];
    setCurrentRowQuietly(p);
    {
        const auto quiet = m_changes->silence();
        ShowStoredText(m_txtBandName, band.BandName);
        ShowStoredText(m_txtTeigi, band.BandTeigi);
        m_cmbMatrix->setCurrentIndex(SelectComboCode(m_cmbMatrix, band.MatrixId));
    }
    m_changes->clear();
}

void TfrmBandName::StringGrid1SelectCell(int row, int column) {
    if (row < 1 || row > bandCount() || column < 1) return;
    const auto text = [this, row](int c) {
        const QTableWidgetItem *cell = m_grid->item(row - 1, c);
        return cell ? cell->text() : QString();
    };
    if (text(1).isEmpty() && text(2).isEmpty() && text(3).isEmpty()) return;
    m_txtCureentNo->setText(QString::number(row));
    {
        const auto quiet = m_changes->silence();
        m_cmbBandID->setCurrentIndex(-1);
        m_cmbBandID->setEditText(text(1));
    }
    showBand(row);
}

// --- Field exit and buttons -------------------------------------------------------------------

bool TfrmBandName::cmbBandIDExit() {
    const QString typed = m_cmbBandID->currentText();
    if (typed.trimmed().isEmpty()) return true;
    const std::optional<int> id = BandIdOfText(typed);
    if (!id) return RefuseField(m_cmbBandID, kMsgBadBandId);
    m_txtCureentNo->clear();
    // An id without a band leaves the inputs as they are, for a new band.
    const int index = indexOfBand(*id);
    if (index < 0) return true;
    m_txtCureentNo->setText(QString::number(index + 1));
    showBand(index + 1);
    return true;
}

void TfrmBandName::btnAddClick() {
    const std::optional<int> id = BandIdOfText(m_cmbBandID->currentText());
    if (!id) {
        RefuseField(m_cmbBandID, kMsgBadBandId);
        return;
    }
    const int matrixId = ComboCode(m_cmbMatrix);
    if (matrixId <= 0) {
        RefuseField(m_cmbMatrix, kMsgNoMatrix);
        return;
    }
    // The band is edited in a copy of the table: when the save fails, the loaded bands and
    // the inputs stay as they were and the user can try again.
    TBANDTBL2 table = G().gBandTbl2;
    int index = indexOfBand(*id);
    if (index < 0) {
        // A new band: every amount 0 until band creation computes them.
        TBANDM2 band;
        band.BandId = QString::number(*id);
        table.Bands.push_back(band);
        index = int(table.Bands.size()) - 1;
    }
    TBANDM2 &band = table.Bands[index];
    band.BandName = m_txtBandName->text().trimmed();
    band.BandTeigi = m_txtTeigi->text().trimmed();
    band.MatrixId = QString::number(matrixId);
    if (!SaveBandRow(table, index)) return;

    clearInputs();
    reload();
    m_cmbBandID->setFocus();
    m_changes->clear();
}

void TfrmBandName::btnDltClick() {
    const std::optional<int> id = BandIdOfText(m_cmbBandID->currentText());
    if (!id) {
        RefuseField(m_cmbBandID, kMsgBadBandId);
        return;
    }
    if (!AskDeleteData(kCaptionDelete)) return;
    if (!DeleteBand(*id)) return;
    clearInputs();
    reload();
    m_cmbBandID->setFocus();
    m_changes->clear();
}

void TfrmBandName::btnCancelClick() {
    clearInputs();
    m_changes->clear();
    m_cmbBandID->setFocus();
    setCurrentRowQuietly(1);
}

void TfrmBandName::btnCloseClick() {
    m_exits->forgetPending();
    m_changes->clear();
    QDialog::reject();
}

void TfrmBandName::reject() {
    btnCloseClick();
}

// --- Navigation -------------------------------------------------------------------------------

void TfrmBandName::btnFirstClick() {
    if (bandCount() == 0) return;
    StringGrid1SelectCell(1, 1);
}

void TfrmBandName::btnBackClick() {
    const int p = currentNo();
    if (bandCount() == 0 || p < 1) return;
    StringGrid1SelectCell(p > 1 ? p - 1 : p, 1);
}

void TfrmBandName::btnNextClick() {
    const int p = currentNo();
    if (bandCount() == 0) return;
    StringGrid1SelectCell(p < bandCount() ? p + 1 : p, 1);
}

void TfrmBandName::btnLastClick() {
    if (bandCount() == 0) return;
    StringGrid1SelectCell(bandCount(), 1);
}
