#include "import_worker.h"

#include "form_helpers.h"
#include "loaders.h"
#include "message_seam.h"
#include "state.h"
#include "tdm.h"
#include "utilities.h"

#include <QAbstractTableModel>
#include <QCursor>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
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
        if (!index.isValid() || !m_rows || role != Qt::DisplayRole) return {};
        const QString &text =
            (*m_rows)[static_cast<size_t>(index.row())][static_cast<size_t>(index.column())];
        // A cell never needs to lay out more than a screen's width of text.
        return text.size() > kShownLength ? text.left(kShownLength) + QStringLiteral("…") : text;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole) return {};
        if (orientation == Qt::Vertical) return section + 1;
        if (section < 0 || section >= kImportColumns) return {};
        return ImportHeadings()[static_cast<size_t>(section)];
    }

private:
    static constexpr qsizetype kShownLength = 500;
    const std::vector<ImportRow> *m_rows = nullptr;
};

namespace {
QPushButton *button(const QString &name, const QString &text, QWidget *parent) {
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

bool toInt(const QString &text, int &value) {
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

// Shows a busy cursor while a long step runs.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};
} // namespace

TfrmImportWorker::TfrmImportWorker(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmImportWorker"));
    setWindowTitle(QStringLiteral("社員マスタの取込"));

    m_fileName = new QLineEdit(this);
    m_fileName->setObjectName(QStringLiteral("EB_FileName"));
    m_fileName->setMaxLength(255);
    m_btnSelect = button(QStringLiteral("BTN_SelectFile"), QStringLiteral("選択"), this);
    m_btnCheck = button(QStringLiteral("BTN_Check"), QStringLiteral("取込確認"), this);
    m_btnRep = button(QStringLiteral("BTN_Rep"),
                      QStringLiteral("現在登録されている内容を削除して取り込む"), this);
    m_btnAdd = button(QStringLiteral("BTN_Add"),
                      QStringLiteral("現在登録されている内容に追加して取り込む"), this);
    m_btnClose = button(QStringLiteral("BTN_Close"), QStringLiteral("閉じる"), this);
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
        BusyCursor busy;
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
    const QString key = ProjectKeySql();
    int kco = 0;
    int nendo = 0;
    if (key.isEmpty() || !toInt(G().gMkigyou2.Kco, kco) || !toInt(G().gMkigyou2.Nendo, nendo)) {
        ShowMessage(kMsgImportDbError, QString(), MsgIcon::Error);
        return false;
    }

    BusyCursor busy;
    TQuery &q = DM().Query21;
    ScopedTransaction transaction(DM().ACN2);
    if (replace && (!RunSql(q, QStringLiteral("delete from MSYAIN1 where") + key, 'E') ||
                    !RunSql(q, QStringLiteral("delete from MSYAIN2 where") + key, 'E'))) {
        ShowMessage(kMsgImportDbError, QString(), MsgIcon::Error);
        return false;
    }
    if (!RunSql(q, QStringLiteral("select Max(SCO) as MAXSCO from MSYAIN1 where") + key, 'S')) {
        ShowMessage(kMsgImportDbError, QString(), MsgIcon::Error);
        return false;
    }
    int sco = q.AsInteger(QStringLiteral("MAXSCO")) + 1;
    q.Close();

    const QString today = SqlText(QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
    const QString head1 =
        QStringLiteral("INSERT INTO MSYAIN1 "
                       "(KCO,HSCO,SCO,NENDO,SCOT,SNA,SEIHI,NYUHI,YAKU,TCO,NEWDAY1) "
                       "VALUES(") +
        SqlInt(kco) + QStringLiteral(",0,");
    const QString head2 = QStringLiteral("INSERT INTO MSYAIN2 "
                                         "(KCO,SCO,NENDO,SEIBETSU,TOUKYU,SM1,SM2,GAKU,SENKOU,"
                                         "KSIKAKU,KEIKEN) VALUES(") +
                          SqlInt(kco) + QLatin1Char(',');
    const QString comma = QStringLiteral(",");
    for (size_t r = 0; r < m_check.rows.size(); ++r) {
        const ImportRow &row = m_check.rows[r];
        int birth = 0;
        int entry = 0;
        int grade = 0;
        if (!ParseImportDate(row[ColBirth], birth)) birth = 0;
        if (!ParseImportDate(row[ColEntry], entry)) entry = 0;
        if (!toInt(row[ColGrade], grade)) grade = 0;
        const int sex = row[ColSex] == kSexMale ? 0 : 1;
        const int category = MibunNameToCode(row[ColCategory]).toInt();

        const QString sql1 =
            head1 + SqlInt(sco) + comma + SqlInt(nendo) + comma + SqlText(row[ColNumber]) + comma +
            SqlText(row[ColName]) + comma + SqlInt(birth) + comma + SqlInt(entry) + comma +
            SqlText(row[ColPosition]) + comma + SqlInt(grade) + comma + today + QLatin1Char(')');
        const QString sql2 =
            head2 + SqlInt(sco) + comma + SqlInt(nendo) + comma + SqlInt(sex) + comma +
            SqlInt(grade) + comma + SqlInt(category) + comma + SqlText(row[ColCategory]) + comma +
            SqlText(row[ColEducation]) + comma + SqlText(row[ColMajor]) + comma +
            SqlText(row[ColQualification]) + comma + SqlText(row[ColExperience]) + QLatin1Char(')');
        if (!RunSql(q, sql1, 'E') || !RunSql(q, sql2, 'E')) {
            ShowMessage(kMsgImportDbError +
                            QStringLiteral("\r\n%1行目の社員を登録できませんでした。"
                                           "社員マスタは変更されていません。")
                                .arg(m_check.lineNos[r]),
                        QString(), MsgIcon::Error);
            return false;
        }
        ++sco;
    }
    if (!transaction.commit()) {
        ShowMessage(kMsgImportDbError, QString(), MsgIcon::Error);
        return false;
    }
    return true;
}
