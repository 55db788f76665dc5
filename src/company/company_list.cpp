#include "company_list.h"

#include "company_data.h"
#include "company_store.h"
#include "form_helpers.h"
#include "message_seam.h"
#include "project.h"
#include "screen_kit.h"
#include "state.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
enum Column { ColNo = 0, ColCode = 1, ColName = 2, ColPath = 3 };

const QString kMsgNoCompany = QStringLiteral("企業コードが選択されていません。");
const QString kMsgNoSettings = QStringLiteral("企業マスターが存在しません。");
const QString kInfoText = QStringLiteral("2017～2018年度「株式会社ロメルタ」はサンプル企業です");
constexpr int kFirstListYear = 2004;

QTableWidgetItem *gridItem(const QString &text, Qt::Alignment align) {
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(align | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QString cellText(const QTableWidget *grid, int row, int column) {
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text() : QString();
}

int intOrZero(const QString &text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? n : 0;
}
} // namespace

TNX0010::TNX0010(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TNX0010"));
    setWindowTitle(QStringLiteral("企業　選択"));
    setModal(true);

    m_cmbNendo = MakeCombo(this, "cmbNendo", true);
    m_cmbNendo->lineEdit()->setMaxLength(4);
    m_cmbNendo->setMinimumWidth(90);

    m_grid = MakeRecordList(this, "StringGrid1",
                            {QString(), QStringLiteral("企業ｺｰﾄﾞ"), QStringLiteral("企　業　名"),
                             QStringLiteral("パス名")},
                            {40, 80, 250}, Qt::AlignCenter);

    m_lblInfo = new QLabel(this);
    m_lblInfo->setObjectName(QStringLiteral("Lbl_Info"));

    m_btnAdd = MakeButton(this, "btnAdd", QStringLiteral("登　録"));
    m_btnMnt = MakeButton(this, "btnMnt", QStringLiteral("修　正"));
    m_btnDlt = MakeButton(this, "btnDlt", QStringLiteral("削　除"));
    m_btnClose = MakeButton(this, "btnClose", QStringLiteral("閉じる"));

    auto *yearRow = new QHBoxLayout;
    yearRow->addWidget(new QLabel(QStringLiteral("年　　度"), this));
    yearRow->addWidget(m_cmbNendo);
    yearRow->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {m_btnAdd, m_btnMnt, m_btnDlt, m_btnClose})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(yearRow);
    layout->addWidget(new QLabel(QStringLiteral("企　　業"), this));
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_lblInfo);
    layout->addLayout(buttons);

    connect(m_btnAdd, &QPushButton::clicked, this, &TNX0010::btnAddClick);
    connect(m_btnMnt, &QPushButton::clicked, this, &TNX0010::btnMntClick);
    connect(m_btnDlt, &QPushButton::clicked, this, &TNX0010::btnDltClick);
    connect(m_btnClose, &QPushButton::clicked, this, &TNX0010::btnCloseClick);
    connect(m_grid, &QTableWidget::cellClicked, this, &TNX0010::StringGrid1Click);
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (!m_syncingGrid) StringGrid1Click(row, column);
    });
    // Only the user's own changes count: a picked item chooses the year, typed text does not.
    connect(m_cmbNendo, &QComboBox::activated, this, [this] {
        m_yearTyped = false;
        cmbNendoChange();
    });
    connect(m_cmbNendo->lineEdit(), &QLineEdit::textEdited, this, [this] {
        m_yearTyped = true;
        cmbNendoChange();
    });

    m_companyData = new TNX0020(this);
    InstallEnterMovesFocus(this);
}

void TNX0010::prepare(ListMode mode, int year) {
    ProjectState &g = G();
    g.gEditMode = static_cast<int>(mode);
    if (mode == ListMode::Register) g.gCorpOpen = 0;

    // The caption of the list and of the mode's button.
    const struct {
        ListMode mode;
        const char *title;
        QPushButton *button;
        const char *caption;
    } modes[] = {{ListMode::Register, "企業　登録", m_btnAdd, "登録"},
                 {ListMode::Modify, "企業　変更", m_btnMnt, "修正"},
                 {ListMode::Delete, "企業　削除", m_btnDlt, "削除"},
                 {ListMode::Select, "企業　選択", m_btnAdd, "選択"}};
    for (const auto &m : modes) {
        if (m.mode != mode) continue;
        setWindowTitle(QString::fromUtf8(m.title));
        m.button->setText(QString::fromUtf8(m.caption));
    }
    m_btnAdd->setEnabled(mode == ListMode::Register || mode == ListMode::Select);
    m_btnMnt->setEnabled(mode == ListMode::Modify);
    m_btnDlt->setEnabled(mode == ListMode::Delete);

    g.gNendo = year;
    {
        const QSignalBlocker quiet(m_cmbNendo);
        m_cmbNendo->clear();
        for (int y = kFirstListYear; y <= year + 1; ++y)
            m_cmbNendo->addItem(QString::number(y));
        const QString current = QString::number(year);
        m_cmbNendo->setCurrentIndex(m_cmbNendo->findText(current));
        m_cmbNendo->setEditText(current);
    }
    refill();
}

void TNX0010::refill() {
    setFixedSize(560, 420);
    m_grid->setColumnCount(4);
    m_grid->setHorizontalHeaderLabels({QString(), QStringLiteral("企業ｺｰﾄﾞ"),
                                       QStringLiteral("企　業　名"), QStringLiteral("パス名")});
    m_grid->setColumnWidth(ColNo, 40);
    m_grid->setColumnWidth(ColCode, 80);
    m_grid->setColumnWidth(ColName, 250);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_yearTyped = false;
    m_gridRow = 1;
    fillGrid();
    m_lblInfo->setText(kInfoText);
}

void TNX0010::fillGrid() {
    const ProjectState &g = G();
    const std::vector<CompanyIndexRow> companies = CompaniesOfYear(g.gNendo);
    m_syncingGrid = true;
    m_grid->clearContents();
    m_grid->setRowCount(std::max(static_cast<int>(companies.size()), 1));
    int row = 0;
    for (const CompanyIndexRow &c : companies) {
        auto *no = gridItem(QString::number(row + 1), Qt::AlignHCenter);
        no->setFlags(Qt::ItemIsEnabled);
        no->setBackground(palette().button());
        m_grid->setItem(row, ColNo, no);
        m_grid->setItem(row, ColCode, gridItem(QString::number(c.kco), Qt::AlignRight));
        m_grid->setItem(row, ColName, gridItem(c.kna, Qt::AlignLeft));
        // The path column always shows the data directory.
        m_grid->setItem(row, ColPath, gridItem(g.gDataPath, Qt::AlignLeft));
        ++row;
    }
    selectGridRow(1);
    m_syncingGrid = false;
    m_maxKco = HighestCompanyCode();

    // Until the user clicks another row, the first company is the chosen one.
    if (g.gEditMode != static_cast<int>(ListMode::Register)) {
        m_gridRow = 1;
        m_selKco = intOrZero(cellText(m_grid, 0, ColCode));
    }
}

void TNX0010::selectGridRow(int gridRow) {
    if (gridRow < 1 || gridRow > m_grid->rowCount()) return;
    const bool syncing = m_syncingGrid;
    m_syncingGrid = true;
    m_grid->setCurrentCell(gridRow - 1, ColCode);
    m_grid->selectRow(gridRow - 1);
    m_syncingGrid = syncing;
}

void TNX0010::StringGrid1Click(int row, int column) {
    const bool dataCell =
        row >= 0 && row < m_grid->rowCount() && column >= ColCode && column <= ColPath;
    const QString code = dataCell ? cellText(m_grid, row, ColCode) : QString();
    const QString name = dataCell ? cellText(m_grid, row, ColName) : QString();
    const QString path = dataCell ? cellText(m_grid, row, ColPath) : QString();
    if (!dataCell || (code.isEmpty() && name.isEmpty() && path.isEmpty())) {
        // The cursor stays on the row that is chosen.
        if (row >= 0) selectGridRow(m_gridRow);
        return;
    }
    m_gridRow = row + 1;
    m_selKco = intOrZero(code);
}

void TNX0010::cmbNendoChange() {
    ProjectState &g = G();
    g.gNendo = 0;
    const int index = m_cmbNendo->currentIndex();
    if (m_yearTyped || index < 0 || m_cmbNendo->itemText(index) != m_cmbNendo->currentText())
        return;
    bool ok = false;
    const int year = m_cmbNendo->itemText(index).trimmed().toInt(&ok);
    if (!ok) return;
    g.gNendo = year;
    fillGrid();
}

void TNX0010::btnAddClick() {
    ProjectState &g = G();
    if (g.gEditMode == 2 || g.gEditMode == 3 || g.gNendo == 0) return;
    if (g.gEditMode == static_cast<int>(ListMode::Register)) {
        // A new company gets the highest code of all years + 1.
        g.gKco = m_maxKco + 1;
        openCompanyData(1);
        return;
    }
    selectCompany();
}

void TNX0010::selectCompany() {
    if (m_selKco == 0) {
        ShowMessage(kMsgNoCompany);
        return;
    }
    if (!OpenProject(m_selKco, G().gNendo)) {
        ShowMessage(kMsgNoSettings);
        return;
    }
    QDialog::accept();
    emit projectOpened();
}

void TNX0010::btnMntClick() {
    ProjectState &g = G();
    if (g.gEditMode != 2 || g.gNendo == 0 || m_selKco == 0) return;
    g.gKco = m_selKco;
    openCompanyData(2);
}

void TNX0010::btnDltClick() {
    // Without a chosen company there is nothing to delete.
    if (G().gEditMode != 3 || G().gNendo == 0 || m_selKco == 0) return;
    openCompanyData(3);
}

void TNX0010::openCompanyData(int mode) {
    const int code = mode == 1 ? G().gKco : m_selKco;
    m_companyData->prepare(mode, code, G().gNendo);
}

void TNX0010::btnCloseClick() {
    ProjectState &g = G();
    if (g.gKco == 0) {
        g.gEditMode = 0;
        g.gKco = 0;
        g.gCorpOpen = 0;
    } else if (g.gCorpOpen == 1) {
        // The open project stays open: the year and code describe it again, not the year
        // browsed or the company changed in the list.
        const ProjectKey &key = g.gProjectKey;
        if (key.isSet) {
            g.gKco = key.kco;
            g.gNendo = key.nendo;
        }
    }
    QDialog::reject();
}

void TNX0010::reject() {
    btnCloseClick();
}
