#include "company_list.h"

#include "band_loaders.h"
#include "band_tables.h"
#include "company_data.h"
#include "form_helpers.h"
#include "loaders.h"
#include "message_seam.h"
#include "state.h"
#include "tdm.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
enum Column { ColNo = 0, ColCode = 1, ColName = 2, ColPath = 3 };

const QString kMsgNoCompany = QStringLiteral("企業コードが選択されていません。");
const QString kMsgNoSettings = QStringLiteral("企業マスターが存在しません。");
const QString kInfoText = QStringLiteral("2017～2018年度「株式会社ロメルタ」はサンプル企業です");

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

    m_cmbNendo = new QComboBox(this);
    m_cmbNendo->setObjectName(QStringLiteral("cmbNendo"));
    m_cmbNendo->setEditable(true);
    m_cmbNendo->setInsertPolicy(QComboBox::NoInsert);
    m_cmbNendo->setCompleter(nullptr);
    m_cmbNendo->lineEdit()->setMaxLength(4);
    m_cmbNendo->setMinimumWidth(90);

    m_grid = new QTableWidget(1, 4, this);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_grid->horizontalHeader()->setSectionsClickable(false);
    // The row holding the cursor is blue with white text, also while the grid has no focus.
    QPalette pal = m_grid->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Highlight, Qt::blue);
        pal.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    m_grid->setPalette(pal);

    m_lblInfo = new QLabel(this);
    m_lblInfo->setObjectName(QStringLiteral("Lbl_Info"));

    auto makeButton = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    m_btnAdd = makeButton("btnAdd", QStringLiteral("登　録"));
    m_btnMnt = makeButton("btnMnt", QStringLiteral("修　正"));
    m_btnDlt = makeButton("btnDlt", QStringLiteral("削　除"));
    m_btnClose = makeButton("btnClose", QStringLiteral("閉じる"));

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

void TNX0010::Initialise() {
    setFixedSize(560, 420);
    m_grid->setColumnCount(4);
    m_grid->setHorizontalHeaderLabels({QString(), QStringLiteral("企業ｺｰﾄﾞ"),
                                       QStringLiteral("企　業　名"), QStringLiteral("パス名")});
    m_grid->setColumnWidth(ColNo, 40);
    m_grid->setColumnWidth(ColCode, 80);
    m_grid->setColumnWidth(ColName, 250);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_yearTyped = false;
    G().gGridRow = 1;
    FillGrid();
    m_lblInfo->setText(kInfoText);
}

void TNX0010::FillGrid() {
    ProjectState &g = G();
    TQuery &q = DM().Query1;
    RunSql(q,
           QStringLiteral("SELECT KCO,KNA,PATH FROM MKIGYOU1 WHERE NENDO = ") + SqlInt(g.gNendo) +
               QStringLiteral(" ORDER BY KCO"),
           'S');
    m_syncingGrid = true;
    m_grid->clearContents();
    m_grid->setRowCount(std::max(q.RecordCount(), 1));
    int row = 0;
    for (; !q.Eof(); q.Next(), ++row) {
        auto *no = gridItem(QString::number(row + 1), Qt::AlignHCenter);
        no->setFlags(Qt::ItemIsEnabled);
        no->setBackground(palette().button());
        m_grid->setItem(row, ColNo, no);
        m_grid->setItem(
            row, ColCode,
            gridItem(QString::number(q.AsInteger(QStringLiteral("KCO"))), Qt::AlignRight));
        m_grid->setItem(row, ColName, gridItem(q.AsString(QStringLiteral("KNA")), Qt::AlignLeft));
        // The path column always shows the data directory.
        m_grid->setItem(row, ColPath, gridItem(g.gDataPath, Qt::AlignLeft));
    }
    q.Close();
    SelectGridRow(1);
    m_syncingGrid = false;

    RunSql(q, QStringLiteral("SELECT Max(KCO) AS MAXKCO FROM MKIGYOU1"), 'S');
    g.gMaxKco = q.Eof() ? 0 : q.AsInteger(QStringLiteral("MAXKCO"));
    q.Close();

    // Until the user clicks another row, the first company is the chosen one.
    if (g.gEditMode != 1) {
        g.gGridRow = 1;
        g.gSelKco = intOrZero(cellText(m_grid, 0, ColCode));
        m_selName = cellText(m_grid, 0, ColName);
        m_selPath = cellText(m_grid, 0, ColPath);
    }
}

void TNX0010::SelectGridRow(int gridRow) {
    if (gridRow < 1 || gridRow > m_grid->rowCount()) return;
    const bool syncing = m_syncingGrid;
    m_syncingGrid = true;
    m_grid->setCurrentCell(gridRow - 1, ColCode);
    m_grid->selectRow(gridRow - 1);
    m_syncingGrid = syncing;
}

void TNX0010::StringGrid1Click(int row, int column) {
    ProjectState &g = G();
    const bool dataCell =
        row >= 0 && row < m_grid->rowCount() && column >= ColCode && column <= ColPath;
    const QString code = dataCell ? cellText(m_grid, row, ColCode) : QString();
    const QString name = dataCell ? cellText(m_grid, row, ColName) : QString();
    const QString path = dataCell ? cellText(m_grid, row, ColPath) : QString();
    if (!dataCell || (code.isEmpty() && name.isEmpty() && path.isEmpty())) {
        // The cursor stays on the row that is chosen.
        if (row >= 0) SelectGridRow(g.gGridRow);
        return;
    }
    g.gGridRow = row + 1;
    g.gSelKco = intOrZero(code);
    if (g.gSelKco == 0) return;
    m_selName = name;
    m_selPath = path;
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
    FillGrid();
}

void TNX0010::btnAddClick() {
    ProjectState &g = G();
    if (g.gEditMode == 2 || g.gEditMode == 3 || g.gNendo == 0) return;
    if (g.gEditMode == 1) {
        // A new company gets the highest code of all years + 1.
        g.gKco = g.gMaxKco + 1;
        OpenCompanyData(1);
        return;
    }
    SelectCompany();
}

void TNX0010::SelectCompany() {
    ProjectState &g = G();
    if (g.gSelKco == 0) {
        ShowMessage(kMsgNoCompany);
        return;
    }
    const int kco = static_cast<int>(g.gSelKco);
    const QString key = QStringLiteral(" WHERE NENDO = ") + SqlInt(g.gNendo) +
                        QStringLiteral(" AND KCO = ") + SqlInt(kco);
    TQuery &q = DM().Query1;
    RunSql(q, QStringLiteral("SELECT * FROM MKIGYOU1") + key, 'S');
    const int reki = q.AsInteger(QStringLiteral("REKI"));
    const int fnk = q.AsInteger(QStringLiteral("FNK"));
    const int kdate = q.AsInteger(QStringLiteral("KDATE"));
    q.Close();

    // Read into a record of its own first: a company without settings must not disturb the
    // project that may still be open.
    TMKIGYOU2 settings;
    settings.Kco = QString::number(kco);
    settings.Nendo = QString::number(g.gNendo);
    settings.Kkna[4] = g.gMkigyou2.Kkna[4];
    if (!LoadCompanySettings(settings)) {
        ShowMessage(kMsgNoSettings);
        return;
    }

    g.gKco = kco;
    g.gKna = m_selName;
    g.gReki = reki;
    g.gFnk = fnk;
    g.gKdate = kdate;
    g.gMkigyou2 = settings;
    LoadMarks(g.gMarks);
    LoadYHyoukaTbl();
    g.gCorpOpen = 1;
    QDialog::accept();
    emit projectOpened();
}

void TNX0010::btnMntClick() {
    ProjectState &g = G();
    if (g.gEditMode != 2 || g.gNendo == 0 || g.gSelKco == 0) return;
    g.gKco = static_cast<int>(g.gSelKco);
    OpenCompanyData(2);
}

void TNX0010::btnDltClick() {
    ProjectState &g = G();
    // Without a chosen company there is nothing to delete.
    if (g.gEditMode != 3 || g.gNendo == 0 || g.gSelKco == 0) return;
    OpenCompanyData(3);
}

void TNX0010::OpenCompanyData(int mode) {
    ProjectState &g = G();
    auto button = [this](const char *name) {
        return m_companyData->findChild<QPushButton *>(QLatin1String(name));
    };
    const std::array<std::pair<const char *, QString>, 3> modes{{
        {"btnAdd", QStringLiteral("登録")},
        {"btnMnt", QStringLiteral("修正")},
        {"btnDlt", QStringLiteral("削除")},
    }};
    for (int i = 0; i < 3; ++i) {
        QPushButton *b = button(modes[static_cast<size_t>(i)].first);
        const bool active = i + 1 == mode;
        b->setText(active ? modes[static_cast<size_t>(i)].second : QString());
        b->setEnabled(active);
    }
    const int code = mode == 1 ? g.gKco : static_cast<int>(g.gSelKco);
    m_companyData->findChild<QLineEdit *>(QStringLiteral("txtNendo"))
        ->setText(QString::number(g.gNendo));
    m_companyData->findChild<QLineEdit *>(QStringLiteral("txtCorpID"))
        ->setText(QString::number(code));

    // Modal over the list; the list is refilled by the data screen when it is done.
    m_companyData->setWindowModality(Qt::ApplicationModal);
    m_companyData->show();
    m_companyData->activateWindow();
    m_companyData->Initialise();
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
        bool okKco = false, okNendo = false;
        const int kco = g.gMkigyou2.Kco.toInt(&okKco);
        const int nendo = g.gMkigyou2.Nendo.toInt(&okNendo);
        if (okKco && okNendo) {
            g.gKco = kco;
            g.gNendo = nendo;
        }
    }
    QDialog::reject();
}

void TNX0010::reject() {
    btnCloseClick();
}
