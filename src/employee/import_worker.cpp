#include "import_worker.h"

#include "employee_store.h"
#include "form_helpers.h"
#include "message_seam.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"

#include <QAbstractTableModel>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

// The checked rows as the preview grid shows them (read-only).
class ImportPreviewModel : public QAbstractTableModel {
public:
    explicit ImportPreviewModel(QObject *parent) : QAbstractTableModel(parent) {}

    void setRows(const std::vector<ImportRow> *rows) {
        beginResetModel();
        m_rows = rows;
        endResetModel();
    }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override {
        return parent.isValid() || !m_rows ? 0 : static_cast<int>(m_rows->size());
    }
    int columnCount(const QModelIndex &parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : kImportColumns;
    }

    QVariant data(const QModelIndex &index, int role) const override {
        if (!index.isValid() || !m_rows || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
            return {};
        const QString &text = (*m_rows)[index.row()][index.column()];
        if (role == Qt::ToolTipRole && !text.contains(QLatin1Char('\n'))) return {};
        // A cell never needs to lay out more than a screen's width of text.
        QString shown =
            text.size() > kShownLength ? text.left(kShownLength) + QStringLiteral("…") : text;
        // A row is one line high: the cell marks where a text breaks its lines, and the tip
        // shows the lines.
        if (role == Qt::DisplayRole) shown.replace(QLatin1Char('\n'), kLineBreakMark);
        return shown;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole) return {};
        if (orientation == Qt::Vertical) return section + 1;
        if (section < 0 || section >= kImportColumns) return {};
        return ImportHeadings()[section];
    }

private:
    static constexpr qsizetype kShownLength = 500;
    static constexpr QChar kLineBreakMark = QChar(0x21B5); // ↵
    const std::vector<ImportRow> *m_rows = nullptr;
};

namespace {
bool toInt(const QString &text, int &value) {
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}
} // namespace

TfrmImportWorker::TfrmImportWorker(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmImportWorker"));
    setWindowTitle(QStringLiteral("社員マスタの取込"));

    m_fileName = MakeEdit(this, "EB_FileName", 255);
    m_btnSelect = MakeButton(this, "BTN_SelectFile", QStringLiteral("選択"));
    m_btnCheck = MakeButton(this, "BTN_Check", QStringLiteral("取込確認"));
    m_btnRep =
        MakeButton(this, "BTN_Rep", QStringLiteral("現在登録されている内容を削除して取り込む"));
    m_btnAdd =
        MakeButton(this, "BTN_Add", QStringLiteral("現在登録されている内容に追加して取り込む"));
    m_btnClose = MakeButton(this, "BTN_Close", QStringLiteral("閉じる"));
    m_btnRep->setEnabled(false);
    m_btnAdd->setEnabled(false);

    m_model = new ImportPreviewModel(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("GRDCowork"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->horizontalHeader()->setDefaultSectionSize(90);
    m_grid->setWordWrap(false);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("取込ファイル名"), this));
    top->addWidget(m_fileName, 1);
    top->addWidget(m_btnSelect);
    top->addWidget(m_btnCheck);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_btnRep);
    bottom->addWidget(m_btnAdd);
    bottom->addStretch(1);
    bottom->addWidget(m_btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);
    resize(960, 560);

    connect(m_btnSelect, &QPushButton::clicked, this, &TfrmImportWorker::BTN_SelectFileClick);
    connect(m_btnCheck, &QPushButton::clicked, this, &TfrmImportWorker::BTN_CheckClick);
    connect(m_btnRep, &QPushButton::clicked, this, &TfrmImportWorker::BTN_RepClick);
    connect(m_btnAdd, &QPushButton::clicked, this, &TfrmImportWorker::BTN_AddClick);
    connect(m_btnClose, &QPushButton::clicked, this, &TfrmImportWorker::BTN_CloseClick);
    // Enter on a button moves on as well instead of pressing it.
    InstallEnterMovesFocus(this, EnterOnButton::MoveOn);
}

TfrmImportWorker::~TfrmImportWorker() = default;

void TfrmImportWorker::BTN_SelectFileClick() {
    const QString path =
        Seam().openFile(QStringLiteral("社員マスタCSVファイルの選択"),
                        G().gAppPath + QStringLiteral("CSV"), QStringLiteral("CSVファイル(*.csv)"));
    if (!path.isEmpty()) m_fileName->setText(path);
}

bool TfrmImportWorker::BTN_CheckClick() {
    m_btnRep->setEnabled(false);
    m_btnAdd->setEnabled(false);
    m_model->setRows(nullptr);
    m_check = ImportCheck();

    const QString path = m_fileName->text().trimmed();
    if (path.isEmpty()) {
        ShowMessage(kMsgImportNoFileName);
        return false;
    }
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        ShowMessage(kMsgImportNoFile);
        return false;
    }
    {
        TBusyCursor busy;
        m_check = CheckEmployeeCsv(file.readAll());
        m_model->setRows(&m_check.rows);
    }
    switch (m_check.outcome) {
    case ImportCheck::NoData:
        ShowMessage(path + kMsgImportNoData);
        return false;
    case ImportCheck::NoHeading:
        ShowMessage(kMsgImportNoHeading);
        return false;
    case ImportCheck::Checked:
        break;
    }
    if (m_check.errors > 0) {
        ShowMessage(kMsgImportHasErrors);
        return false;
    }
    m_btnRep->setEnabled(true);
    m_btnAdd->setEnabled(true);
    return true;
}

void TfrmImportWorker::BTN_RepClick() {
    if (!AskOkCancel(kAskImportReplace)) return;
    importRows(true);
}

void TfrmImportWorker::BTN_AddClick() {
    if (!AskOkCancel(kAskImportAdd)) return;
    importRows(false);
}

void TfrmImportWorker::BTN_CloseClick() {
    close();
}

bool TfrmImportWorker::importRows(bool replace) {
    m_btnRep->setEnabled(false);
    m_btnAdd->setEnabled(false);
    std::vector<TImportedEmployee> employees;
    employees.reserve(m_check.rows.size());
    for (const ImportRow &row : m_check.rows) {
        TImportedEmployee e;
        if (!ParseImportDate(row[ColBirth], e.seihi)) e.seihi = 0;
        if (!ParseImportDate(row[ColEntry], e.nyuhi)) e.nyuhi = 0;
        if (!toInt(row[ColGrade], e.grade)) e.grade = 0;
        e.sex = row[ColSex] == kSexMale ? 0 : 1;
        e.workType = MibunNameToCode(row[ColCategory]).toInt();
        e.scot = row[ColNumber];
        e.sna = row[ColName];
        e.yaku = row[ColPosition];
        e.category = row[ColCategory];
        e.gaku = row[ColEducation];
        e.senkou = row[ColMajor];
        e.ksikaku = row[ColQualification];
        e.keiken = row[ColExperience];
        employees.push_back(std::move(e));
    }
    ImportOutcome outcome;
    {
        TBusyCursor busy;
        outcome = ImportEmployees(employees, replace);
    }
    if (outcome.ok) return true;
    QString message = kMsgImportDbError;
    if (outcome.failedRow >= 0)
        message +=
            QStringLiteral("\r\n%1行目の社員を登録できませんでした。社員マスタは変更されていま"
                           "せん。")
                .arg(m_check.lineNos[outcome.failedRow]);
    ShowMessage(message, QString(), MsgIcon::Error);
    return false;
}
