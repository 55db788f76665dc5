#include "employee_register.h"

#include "band_loaders.h"
#include "band_tables.h"
#include "combo_utils.h"
#include "edit_controls.h"
#include "form_helpers.h"
#include "loaders.h"
#include "matrix_raise.h"
#include "message_seam.h"
#include "picture_loader.h"
#include "state.h"
#include "tdm.h"
#include "utilities.h"

#include <QAbstractTableModel>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

const QString kMsgNoCode = QStringLiteral("社員コードが入力されていません。");
const QString kMsgNoName = QStringLiteral("氏名は必ず入力してください。");
const QString kMsgExists =
    QStringLiteral("データは既に存在します。更新する場合は、修正ボタン　を押下して下さい。");
const QString kMsgBirthDate = QStringLiteral("生年月日の入力エラーです。");
const QString kMsgEntryDate = QStringLiteral("入社日の入力エラーです。");
const QString kMsgAppointDate = QStringLiteral("登用日の入力エラーです。");
const QString kMsgLinkClash = QStringLiteral("賃金表とマトリクスが同じ項目にリンクされています。");
const QString kMsgZeroCode = QStringLiteral("０　は、入力できません。");
const QString kMsgGradeRange = QStringLiteral("入力範囲外です。1 ～ 9 の値を入力して下さい。");
const QString kMsgNotInMaster = QStringLiteral("マスターにデータが存在しません。");
const QString kMsgUpdateUnknown = QStringLiteral("更新処理で不明なエラーが発生しました。");
const QString kMsgFilterLocked = QStringLiteral(
    "ﾃﾞｰﾀが変更されています。変更する場合は、登録・修正 ボタン　を、変更しない場合は、"
    "キャンセル ボタン　を押して下さい。");
const QString kMsgFolderChanged =
    QStringLiteral("フォルダが変更されました。表示されたフォルダ内で選択して下さい。");
const QString kCaptionDelete = QStringLiteral("削除確認");
const QString kPictureFolder = QStringLiteral("Picture");

constexpr int kAmountDigits = 8;
constexpr int kGridColumns = 11;

// "#,##0.000".
QString groupedRate(double value) {
    const double rounded = RoundHalfUp(4, value);
    const qint64 whole = static_cast<qint64>(rounded);
    const int frac = static_cast<int>(std::llround(std::fabs(rounded - whole) * 1000));
    QString text = FormatAmount(whole < 0 ? -whole : whole) + QLatin1Char('.') +
                   QStringLiteral("%1").arg(frac, 3, 10, QLatin1Char('0'));
    return rounded < 0 ? QLatin1Char('-') + text : text;
}

QString noCommas(const QString &text) {
    QString s = text.trimmed();
    s.remove(QLatin1Char(','));
    return s;
}

// The value of a checked box; an empty box is 0.
double numberOf(const QLineEdit *edit) {
    return noCommas(edit->text()).toDouble();
}

// An amount as shown: whole yen, rounded half away from zero.
qint64 amountOf(const QLineEdit *edit) {
    return static_cast<qint64>(RoundHalfUp(1, numberOf(edit)));
}

// The first space-separated field of a combo text as an integer.
bool firstFieldInt(const QString &text, int &value) {
    bool ok = false;
    value = SplitField(text, QLatin1Char(' '), 1).toInt(&ok);
    return ok;
}

QString ymdOr0(const QVariant &v) {
    return QString::number(FieldVarToInt(v));
}

} // namespace

// The list of employees below the form: one row per employee with pre-formatted cells, so
// that ten thousand rows fill and scroll without work per paint.
class EmployeeGridModel : public QAbstractTableModel {
public:
    struct Row {
        int sco = 0;
        std::array<QString, kGridColumns> cells;
    };

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<Row> rows) {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }
    const std::vector<Row> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override {
        return parent.isValid() ? 0 : kGridColumns;
    }
    QVariant data(const QModelIndex &index, int role) const override {
        if (!index.isValid() || role != Qt::DisplayRole) return {};
        return m_rows[static_cast<size_t>(index.row())].cells[static_cast<size_t>(index.column())];
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char *const titles[kGridColumns] = {
            "",       "社員ｺｰﾄﾞ", "社員番号", "氏　　名", "年　齢", "勤　続",
            "役　職", "本年評価", "資格等級", "号　俸",   "ゾーン"};
        // A list without employees shows nothing at all, not even its titles.
        if (orientation != Qt::Horizontal || m_rows.empty()) return {};
        if (role == Qt::DisplayRole) return QString::fromUtf8(titles[section]);
        if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
        return {};
    }

private:
    std::vector<Row> m_rows;
};

namespace {

// Paints the grid cells: text columns left-aligned and the others right-aligned, 2 pixels
// from the edge, centred vertically and clipped; the current row blue with white text while
// the row highlight is on.
class GridDelegate : public QStyledItemDelegate {
public:
    GridDelegate(QTableView *view, const bool &highlight)
        : QStyledItemDelegate(view), m_view(view), m_highlight(highlight) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override {
        const bool current = m_highlight && index.row() == m_view->currentIndex().row();
        painter->save();
        painter->setClipRect(option.rect);
        painter->fillRect(option.rect, current ? QColor(Qt::blue) : QColor(Qt::white));
        painter->setPen(current ? Qt::white : Qt::black);
        const int column = index.column();
        const bool left = column == 3 || column == 6 || column == 7;
        const QRect text = option.rect.adjusted(2, 0, -2, 0);
        painter->setFont(option.font);
        painter->drawText(text, Qt::AlignVCenter | (left ? Qt::AlignLeft : Qt::AlignRight),
                          index.data().toString());
        painter->restore();
    }

private:
    QTableView *m_view;
    const bool &m_highlight;
};

QPushButton *makeButton(const QString &text, const char *name, QWidget *parent) {
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QLabel *caption(const QString &text, QWidget *parent) {
    return new QLabel(text, parent);
}

} // namespace

struct TNX0030::Values {
    int sco = 0;
    QString scot, sna, yaku, gaku, senkou, ksikaku, keiken, spath;
    std::array<QString, 4> hna; // [1..3]
    qint64 seihi = 0, nyuhi = 0, thi = 0;
    int sex = 0, grade = 0, step = 0, workType = 0, zone = 0, points = 0, hco = 0, mark = 0;
    int band = 0, yhyouka = 0, link = 0, experience = 0;
    double tritsu = 0.0, sritsu = 0.0;
    std::array<qint64, 4> kkyu{}, nkkyu{};
    std::array<qint64, 6> teate{}, nteate{};
    qint64 bonus1 = 0, bonus2 = 0, nensyu = 0, nnensyu = 0, syotei = 0, nsyotei = 0;
    qint64 upk = 0, upt = 0;
};

// --- Construction ---------------------------------------------------------------------------

TNX0030::TNX0030(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TNX0030"));
    setWindowTitle(QStringLiteral("社員データ"));
    m_exits = new TFieldExits(this);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    m_tabs->addTab(buildBasicPage(), QStringLiteral("基本情報"));
    m_tabs->addTab(buildWagePage(), QStringLiteral("賃金情報"));
    m_tabs->addTab(buildBandPage(), QStringLiteral("バンド情報"));
    QWidget *header = buildHeader();
    buildGrid();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addWidget(m_tabs);
    layout->addWidget(m_grid, 1);
    resize(1040, 860);
    InstallEnterMovesFocus(this);
}

TNX0030::~TNX0030() = default;

QLineEdit *TNX0030::addEdit(const char *name, int maxLength, bool right) {
    QLineEdit *e = right ? new TRightEdit(this) : new QLineEdit(this);
    e->setObjectName(QLatin1String(name));
    if (maxLength > 0) e->setMaxLength(maxLength);
    WatchChanges(e, ChangeSource::User);
    return e;
}

QComboBox *TNX0030::addCombo(const char *name, bool editable) {
    auto *c = new QComboBox(this);
    c->setObjectName(QLatin1String(name));
    c->setEditable(editable);
    if (editable) {
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setCompleter(nullptr);
    }
    return c;
}

void TNX0030::watchExit(QWidget *field, std::function<bool()> check) {
    m_exits->watch(field, std::move(check));
}

QWidget *TNX0030::buildHeader() {
    auto *box = new QWidget(this);
    m_cmbWorker = addCombo("cmbWorker", true);
    m_workerItems = new QStringListModel(this);
    m_cmbWorker->setModel(m_workerItems);
    m_cmbWorker->setMinimumWidth(200);
    m_txtWorker = addEdit("txtWorker", 0);
    m_txtWorker->setReadOnly(true);
    m_txtCureentNo = addEdit("txtCureentNo", 0, true);
    m_txtCureentNo->setReadOnly(true);
    m_txtCureentNo->setFixedWidth(60);
    m_txtLastNo = addEdit("txtLastNo", 0, true);
    m_txtLastNo->setReadOnly(true);
    m_txtLastNo->setFixedWidth(60);
    watchExit(m_cmbWorker, [this] { return cmbWorkerExit(); });
    connect(m_cmbWorker->lineEdit(), &QLineEdit::textEdited, this,
            [this] { m_workerTyped = true; });
    connect(m_cmbWorker, &QComboBox::activated, this, [this] {
        m_workerTyped = true;
        cmbWorkerExit();
    });

    auto *grades = new QGroupBox(QStringLiteral("等級"), box);
    auto *gradeLayout = new QHBoxLayout(grades);
    m_gradeGroup = new QButtonGroup(this);
    const char *const names[10] = {"OptTokyuAll", "OptTokyu1", "OptTokyu2",  "OptTokyu3",
                                   "OptTokyu4",   "OptTokyu5", "optTokyu67", "optTokyu7",
                                   "optTokyu8",   "optTokyu9"};
    const QString digits = QStringLiteral("０１２３４５６７８９");
    for (int g = 0; g <= 9; ++g) {
        auto *opt = new QRadioButton(
            g == 0 ? QStringLiteral("全て") : QString(digits[g]) + QStringLiteral("等級"), grades);
        opt->setObjectName(QLatin1String(names[g]));
        m_gradeGroup->addButton(opt, g);
        gradeLayout->addWidget(opt);
    }
    connect(m_gradeGroup, &QButtonGroup::idClicked, this, &TNX0030::OptTokyuClick);

    m_btnAdd = makeButton(QStringLiteral("登　録"), "btnAdd", box);
    m_btnMnt = makeButton(QStringLiteral("修　正"), "btnMnt", box);
    m_btnDlt = makeButton(QStringLiteral("削　除"), "btnDlt", box);
    m_btnCansel = makeButton(QStringLiteral("ｷｬﾝｾﾙ"), "btnCansel", box);
    auto *btnFirst = makeButton(QStringLiteral("最初"), "btnFirst", box);
    auto *btnBack = makeButton(QStringLiteral("前"), "btnBack", box);
    auto *btnNext = makeButton(QStringLiteral("次"), "btnNext", box);
    auto *btnLast = makeButton(QStringLiteral("最後"), "btnLast", box);
    auto *btnClose = makeButton(QStringLiteral("閉じる"), "btnClose", box);
    // A click first completes the check of the field being left.
    const auto wire = [this](QPushButton *b, void (TNX0030::*slot)()) {
        connect(b, &QPushButton::clicked, this, [this, slot] {
            if (m_exits->runPending()) (this->*slot)();
        });
    };
    wire(m_btnAdd, &TNX0030::btnAddClick);
    wire(m_btnMnt, &TNX0030::btnMntClick);
    wire(m_btnDlt, &TNX0030::btnDltClick);
    wire(m_btnCansel, &TNX0030::btnCanselClick);
    wire(btnFirst, &TNX0030::btnFirstClick);
    wire(btnBack, &TNX0030::btnBackClick);
    wire(btnNext, &TNX0030::btnNextClick);
    wire(btnLast, &TNX0030::btnLastClick);
    connect(btnClose, &QPushButton::clicked, this, &TNX0030::btnCloseClick);

    auto *top = new QHBoxLayout;
    top->addWidget(caption(QStringLiteral("社員コード"), box));
    top->addWidget(m_cmbWorker);
    top->addWidget(m_txtWorker, 1);
    top->addWidget(m_txtCureentNo);
    top->addWidget(caption(QStringLiteral("/"), box));
    top->addWidget(m_txtLastNo);
    for (QPushButton *b : {btnFirst, btnBack, btnNext, btnLast})
        top->addWidget(b);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(grades, 1);
    for (QPushButton *b : {m_btnAdd, m_btnMnt, m_btnDlt, m_btnCansel, btnClose})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addLayout(buttons);
    return box;
}

QWidget *TNX0030::buildBasicPage() {
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    int row = 0;
    const auto put = [&](const QString &label, QWidget *w, int column = 0, int span = 1) {
        grid->addWidget(caption(label, page), row, column);
        grid->addWidget(w, row, column + 1, 1, span);
    };
    const auto dateRow = [&](DateBoxes &d, const char *era, const char *yy, const char *mm,
                             const char *dd) {
        d.era = addCombo(era, false);
        d.yy = addEdit(yy, 2, true);
        d.mm = addEdit(mm, 2, true);
        d.dd = addEdit(dd, 2, true);
        WatchChanges(d.era, ChangeSource::User);
        auto *w = new QWidget(page);
        auto *h = new QHBoxLayout(w);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(d.era);
        for (auto [edit, unit] : {std::pair{d.yy, "年"}, {d.mm, "月"}, {d.dd, "日"}}) {
            edit->setFixedWidth(36);
            h->addWidget(edit);
            h->addWidget(caption(QString::fromUtf8(unit), w));
        }
        h->addStretch();
        m_numFields.push_back({d.yy, NumKind::Integer, 0, 99});
        m_numFields.push_back({d.mm, NumKind::Integer, 0, 12});
        m_numFields.push_back({d.dd, NumKind::Integer, 0, 31});
        return w;
    };

    m_txtWorkerNo = addEdit("txtWorkerNo", 10);
    put(QStringLiteral("社員番号"), m_txtWorkerNo);
    m_txtWorkName = addEdit("txtWorkName", 20);
    put(QStringLiteral("氏　　名"), m_txtWorkName, 2);
    ++row;
    m_optSex1 = new QRadioButton(QStringLiteral("男"), page);
    m_optSex1->setObjectName(QStringLiteral("OptSex1"));
    m_optSex2 = new QRadioButton(QStringLiteral("女"), page);
    m_optSex2->setObjectName(QStringLiteral("OptSex2"));
    auto *sexGroup = new QButtonGroup(page);
    sexGroup->addButton(m_optSex1, 0);
    sexGroup->addButton(m_optSex2, 1);
    WatchChanges(m_optSex1, ChangeSource::User);
    WatchChanges(m_optSex2, ChangeSource::User);
    auto *sex = new QWidget(page);
    auto *sexLayout = new QHBoxLayout(sex);
    sexLayout->setContentsMargins(0, 0, 0, 0);
    sexLayout->addWidget(m_optSex1);
    sexLayout->addWidget(m_optSex2);
    sexLayout->addStretch();
    put(QStringLiteral("性　　別"), sex);
    m_txtYakusyoku = addEdit("txtYakusyoku", 20);
    put(QStringLiteral("役　　職"), m_txtYakusyoku, 2);
    ++row;
    put(QStringLiteral("入社年月日"),
        dateRow(m_nyu, "cmbNyuNengou", "txtNyuyy", "txtNyumm", "txtNyudd"));
    put(QStringLiteral("生年月日"),
        dateRow(m_sei, "cmbSeiNengou", "txtSeiyy", "txtSeimm", "txtSeidd"), 2);
    ++row;
    m_cmbMibun = addCombo("cmbMibun", false);
    connect(m_cmbMibun, &QComboBox::activated, this, &TNX0030::cmbMibunChange);
    put(QStringLiteral("就労形態"), m_cmbMibun);
    put(QStringLiteral("登用年月日"),
        dateRow(m_tou, "cmbTouNengou", "txtTouyy", "txtToumm", "txtToudd"), 2);
    ++row;
    m_txtGakureki = addEdit("txtGakureki", 30);
    put(QStringLiteral("学　　歴"), m_txtGakureki);
    m_txtSenkou = addEdit("txtSenkou", 30);
    put(QStringLiteral("専　　攻"), m_txtSenkou, 2);
    ++row;
    m_txtKSikaku = addEdit("txtKSikaku", 30);
    put(QStringLiteral("公的資格"), m_txtKSikaku);
    m_txtHaizoku = addEdit("txtHaizoku", 30);
    put(QStringLiteral("職務配置"), m_txtHaizoku, 2);
    ++row;
    m_cmbSikaku = addCombo("cmbSikaku", true);
    WatchChanges(m_cmbSikaku, ChangeSource::User);
    connect(m_cmbSikaku, &QComboBox::activated, this, &TNX0030::matrixRecompute);
    watchExit(m_cmbSikaku, [this] { return cmbSikakuExit(); });
    put(QStringLiteral("資格等級"), m_cmbSikaku);
    m_txtGouhou = addEdit("txtGouhou", 2, true);
    watchExit(m_txtGouhou, [this] { return txtGouhouExit(); });
    m_numFields.push_back({m_txtGouhou, NumKind::Integer, 0, 80});
    put(QStringLiteral("号　　俸"), m_txtGouhou, 2);
    ++row;
    m_txtTasseiRitsu = addEdit("txtTasseiRitsu", 5, true);
    m_numFields.push_back({m_txtTasseiRitsu, NumKind::Real, 0, 0});
    put(QStringLiteral("達成率"), m_txtTasseiRitsu);
    m_cmbHyouka1 = addCombo("cmbHyouka1", true);
    WatchChanges(m_cmbHyouka1, ChangeSource::User);
    watchExit(m_cmbHyouka1, [this] { return cmbHyouka1Exit(); });
    put(QStringLiteral("評価　本年"), m_cmbHyouka1, 2);
    ++row;
    auto *history = new QWidget(page);
    auto *historyLayout = new QHBoxLayout(history);
    historyLayout->setContentsMargins(0, 0, 0, 0);
    const char *const historyNames[3] = {"txtHyouka2", "txtHyouka3", "txtHyouka4"};
    const char *const historyLabels[3] = {"１年前", "２年前", "３年前"};
    for (int i = 0; i < 3; ++i) {
        m_txtHyouka[static_cast<size_t>(i + 2)] = addEdit(historyNames[i], 10);
        historyLayout->addWidget(caption(QString::fromUtf8(historyLabels[i]), history));
        historyLayout->addWidget(m_txtHyouka[static_cast<size_t>(i + 2)]);
    }
    put(QStringLiteral("評価　過去"), history, 0, 4);
    ++row;
    m_txtKeikenNen = addEdit("txtKeikenNen", 2, true);
    m_numFields.push_back({m_txtKeikenNen, NumKind::Integer, INT_MIN, INT_MAX});
    put(QStringLiteral("経験年数"), m_txtKeikenNen);
    m_txtSyokumuTensu = addEdit("txtSyokumuTensu", 4, true);
    m_numFields.push_back({m_txtSyokumuTensu, NumKind::Integer, INT_MIN, INT_MAX});
    put(QStringLiteral("職務点数"), m_txtSyokumuTensu, 2);
    ++row;
    m_cmbMark = addCombo("cmbMark", true);
    WatchChanges(m_cmbMark, ChangeSource::User);
    watchExit(m_cmbMark, [this] { return cmbMarkExit(); });
    put(QStringLiteral("マーク"), m_cmbMark);

    m_imgPicture = new QLabel(page);
    m_imgPicture->setObjectName(QStringLiteral("imgPicture"));
    m_imgPicture->setFixedSize(120, 150);
    m_imgPicture->setFrameShape(QFrame::Box);
    m_imgPicture->setAlignment(Qt::AlignCenter);
    auto *btnPicter = makeButton(QStringLiteral("読　込"), "btnPicter", page);
    connect(btnPicter, &QPushButton::clicked, this, &TNX0030::btnPicterClick);
    auto *picture = new QVBoxLayout;
    picture->addWidget(caption(QStringLiteral("写　　真"), page));
    picture->addWidget(m_imgPicture);
    picture->addWidget(btnPicter);
    picture->addStretch();
    grid->addLayout(picture, 0, 5, row + 1, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    // The pay step has its own exit check (range, then the matrix recomputation); the list
    // still holds it for the checks on saving.
    for (const NumField &f : m_numFields)
        if (f.edit != m_txtGouhou) watchExit(f.edit, [this, f] { return numberExit(f); });
    return page;
}

QWidget *TNX0030::buildWagePage() {
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    grid->addWidget(caption(QStringLiteral("昇給前"), page), 0, 1, Qt::AlignCenter);
    grid->addWidget(caption(QStringLiteral("昇給後"), page), 0, 2, Qt::AlignCenter);
    const auto amount = [this](const QString &name, bool editable) {
        QLineEdit *e = addEdit(name.toLatin1().constData(), editable ? 11 : 0, true);
        if (editable) {
            watchExit(e, [this, e] { return amountExit(e); });
        } else {
            e->setReadOnly(true);
        }
        return e;
    };
    int row = 1;
    for (int i = 1; i <= 3; ++i, ++row) {
        m_labKihon[i] = caption(QString(), page);
        m_labKihon[i]->setObjectName(QStringLiteral("labKihon%1").arg(i));
        m_txtKihon[i] =
            addEdit(QStringLiteral("txtKihon%1").arg(i).toLatin1().constData(), 10, true);
        watchExit(m_txtKihon[i], [this, i] { return kihonExit(i); });
        m_txtAFKihon[i] = amount(QStringLiteral("txtAFKihon%1").arg(i), true);
        grid->addWidget(m_labKihon[i], row, 0);
        grid->addWidget(m_txtKihon[i], row, 1);
        grid->addWidget(m_txtAFKihon[i], row, 2);
    }
    m_txtKihonSum = amount(QStringLiteral("txtKihonSum"), false);
    m_txtAFKihonSum = amount(QStringLiteral("txtAFKihonSum"), false);
    grid->addWidget(caption(QStringLiteral("Sum基本給"), page), row, 0);
    grid->addWidget(m_txtKihonSum, row, 1);
    grid->addWidget(m_txtAFKihonSum, row++, 2);
    m_txtUpKihon = amount(QStringLiteral("txtUpKihon"), false);
    grid->addWidget(caption(QStringLiteral("Up基本給"), page), row, 0);
    grid->addWidget(m_txtUpKihon, row++, 2);
    for (int i = 1; i <= 5; ++i, ++row) {
        m_labTeate[i] = caption(QString(), page);
        m_labTeate[i]->setObjectName(QStringLiteral("labTeate%1").arg(i));
        m_txtTeate[i] = amount(QStringLiteral("txtTeate%1").arg(i), true);
        m_txtAFTeate[i] = amount(QStringLiteral("txtAFTeate%1").arg(i), true);
        grid->addWidget(m_labTeate[i], row, 0);
        grid->addWidget(m_txtTeate[i], row, 1);
        grid->addWidget(m_txtAFTeate[i], row, 2);
    }
    m_txtTeateSum = amount(QStringLiteral("txtTeateSum"), false);
    m_txtAFTeateSum = amount(QStringLiteral("txtAFTeateSum"), false);
    grid->addWidget(caption(QStringLiteral("Sum手当"), page), row, 0);
    grid->addWidget(m_txtTeateSum, row, 1);
    grid->addWidget(m_txtAFTeateSum, row++, 2);
    m_txtTeateUP = amount(QStringLiteral("txtTeateUP"), false);
    grid->addWidget(caption(QStringLiteral("Up手当"), page), row, 0);
    grid->addWidget(m_txtTeateUP, row++, 2);

    int right = 1;
    m_txtSyotei = amount(QStringLiteral("txtSyotei"), false);
    m_txtAFSyotei = amount(QStringLiteral("txtAFSyotei"), false);
    grid->addWidget(caption(QStringLiteral("所定給"), page), right, 4);
    grid->addWidget(m_txtSyotei, right, 5);
    grid->addWidget(m_txtAFSyotei, right++, 6);
    m_txtBonus1 = amount(QStringLiteral("txtBonus1"), true);
    grid->addWidget(caption(QStringLiteral("賞与　上期"), page), right, 4);
    grid->addWidget(m_txtBonus1, right++, 5);
    m_txtBonus2 = amount(QStringLiteral("txtBonus2"), true);
    grid->addWidget(caption(QStringLiteral("賞与　下期"), page), right, 4);
    grid->addWidget(m_txtBonus2, right++, 5);
    m_txtNensyu = amount(QStringLiteral("txtNensyu"), false);
    m_txtAFNensyu = amount(QStringLiteral("txtAFNensyu"), false);
    grid->addWidget(caption(QStringLiteral("年　収"), page), right, 4);
    grid->addWidget(m_txtNensyu, right, 5);
    grid->addWidget(m_txtAFNensyu, right++, 6);
    m_txtTaisyokuKin = addEdit("txtTaisyokuKin", 12, true);
    m_numFields.push_back({m_txtTaisyokuKin, NumKind::Real, 0, 0});
    watchExit(m_txtTaisyokuKin, [this] {
        const NumField f{m_txtTaisyokuKin, NumKind::Real, 0, 0};
        if (!numberExit(f)) return false;
        if (!m_txtTaisyokuKin->text().trimmed().isEmpty())
            m_txtTaisyokuKin->setText(groupedRate(numberOf(m_txtTaisyokuKin)));
        return true;
    });
    grid->addWidget(caption(QStringLiteral("退職金支給率"), page), right, 4);
    grid->addWidget(m_txtTaisyokuKin, right++, 5);

    auto *link = new QGroupBox(QStringLiteral("マトリクスリンク"), page);
    auto *linkLayout = new QHBoxLayout(link);
    m_matrixGroup = new QButtonGroup(this);
    for (int i = 1; i <= 3; ++i) {
        m_optMatrix[i] = new QRadioButton(QStringLiteral("基本給%1").arg(i), link);
        m_optMatrix[i]->setObjectName(QStringLiteral("optMatrix%1").arg(i));
        m_matrixGroup->addButton(m_optMatrix[i], i);
        linkLayout->addWidget(m_optMatrix[i]);
    }
    auto *reset = makeButton(QStringLiteral("解除"), "cdResetMLink", link);
    linkLayout->addWidget(reset);
    connect(m_matrixGroup, &QButtonGroup::idClicked, this, &TNX0030::optMatrixClick);
    connect(reset, &QPushButton::clicked, this, &TNX0030::cdResetMLinkClick);
    grid->addWidget(link, right + 1, 4, 2, 3);
    grid->setColumnMinimumWidth(3, 24);
    grid->setRowStretch(row, 1);
    return page;
}

QWidget *TNX0030::buildBandPage() {
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    m_cmbBand = addCombo("cmbBand", false);
    m_cmbYHyouka = addCombo("cmbYHyouka", false);
    for (QComboBox *c : {m_cmbBand, m_cmbYHyouka}) {
        WatchChanges(c, ChangeSource::User);
        connect(c, &QComboBox::activated, this, [this] {
            computeZone();
            matrixRecompute();
        });
    }
    m_txtZone = addEdit("txtZone", 0, true);
    m_txtUPRitsu = addEdit("txtUPRitsu", 0, true);
    m_txtNewBand = addEdit("txtNewBand", 0, true);
    m_txtNewYHYOUKA = addEdit("txtNewYHYOUKA", 0, true);
    for (QLineEdit *e : {m_txtZone, m_txtUPRitsu, m_txtNewBand, m_txtNewYHYOUKA})
        e->setReadOnly(true);
    grid->addWidget(caption(QStringLiteral("バンド"), page), 0, 0);
    grid->addWidget(m_cmbBand, 0, 1);
    grid->addWidget(caption(QStringLiteral("役割評価"), page), 1, 0);
    grid->addWidget(m_cmbYHyouka, 1, 1);
    grid->addWidget(caption(QStringLiteral("ゾーン"), page), 2, 0);
    grid->addWidget(m_txtZone, 2, 1);
    grid->addWidget(caption(QStringLiteral("昇給率"), page), 3, 0);
    grid->addWidget(m_txtUPRitsu, 3, 1);
    grid->addWidget(caption(QStringLiteral("昇給後バンド"), page), 0, 2);
    grid->addWidget(m_txtNewBand, 0, 3);
    grid->addWidget(caption(QStringLiteral("昇給後役割評価"), page), 1, 2);
    grid->addWidget(m_txtNewYHYOUKA, 1, 3);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(4, 1);
    return page;
}

void TNX0030::buildGrid() {
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_model = new EmployeeGridModel(this);
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new GridDelegate(m_grid, m_highlight));
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setHighlightSections(false);
    const int widths[kGridColumns] = {50, 80, 90, 140, 60, 60, 140, 70, 70, 60, 60};
    for (int c = 0; c < kGridColumns; ++c)
        m_grid->setColumnWidth(c, widths[c]);
    m_grid->setMinimumHeight(200);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (m_quietGrid || !current.isValid()) return;
                StringGrid1Click(current.row() + 1);
            });
    // A click on the row that is already current chooses it again (after ｷｬﾝｾﾙ the form is
    // empty while row 1 is current).
    connect(m_grid, &QTableView::clicked, this, [this](const QModelIndex &index) {
        if (!index.isValid() || index.row() + 1 != m_gridRow) return;
        const auto &rows = m_model->rows();
        if (!m_highlight || rows[static_cast<size_t>(index.row())].sco != G().gCurSco)
            StringGrid1Click(index.row() + 1);
    });
}

// --- Opening and clearing ---------------------------------------------------------------------

void TNX0030::prepare() {
    m_cmbWorker->clearEditText();
    m_txtNewBand->clear();
    m_txtNewYHYOUKA->clear();
    LoadBandTbl();
    const QString key = ProjectKeySql();
    if (!key.isEmpty()) {
        FillComboFromSql(QStringLiteral("SELECT BANDID || ' : ' || COALESCE(BANDNAME, '') AS "
                                        "COMBNAME FROM BANDM WHERE") +
                             key + QStringLiteral(" ORDER BY BANDID"),
                         m_cmbBand);
        FillComboFromSql(QStringLiteral("SELECT HCO || ' : ' || COALESCE(HKIGOU, '') AS "
                                        "COMBNAME FROM YHYOUKA WHERE") +
                             key + QStringLiteral(" ORDER BY HCO"),
                         m_cmbYHyouka);
    }
    LoadMatTbl();
    if (!key.isEmpty())
        FillComboFromSql(QStringLiteral("SELECT SALARYID || ' : ' || COALESCE(SALARYNAME, '') "
                                        "AS COMBNAME FROM SALARYNAME WHERE") +
                             key + QStringLiteral(" ORDER BY SALARYID"),
                         m_cmbMibun);
    DM().Query21.Close();
    LoadSalaryNames();
    m_companyMatrixLink = G().gMkigyou2.Frstkyum;
    initialise();
}

void TNX0030::initialise() {
    ProjectState &g = G();
    m_tabs->setCurrentIndex(0);

    m_cmbSikaku->clear();
    for (int n = 1; n <= 9; ++n)
        m_cmbSikaku->addItem(CodeNameText(QString::number(n), g.gMkigyou2.Tk[n]));
    m_cmbSikaku->addItem(kCodeNone);
    m_cmbMark->clear();
    for (int n = 1; n <= 6; ++n)
        m_cmbMark->addItem(MarkText(n));

    QStringList eras;
    for (const QString &era : g.gEraNames)
        if (!era.isEmpty()) eras << era;
    if (eras.isEmpty()) eras << QStringLiteral("未設定");
    for (QComboBox *c : {m_nyu.era, m_sei.era, m_tou.era}) {
        c->clear();
        c->addItems(eras);
    }

    m_cmbHyouka1->clear();
    g.gHyoukaList.clear();
    const QString key = ProjectKeySql();
    if (!key.isEmpty()) {
        TQuery &q = DM().Query21;
        RunSql(q,
               QStringLiteral("SELECT * FROM MHYOUKA WHERE") + key +
                   QStringLiteral(" ORDER BY rowid"),
               'S');
        for (; !q.Eof(); q.Next()) {
            const QString code = FieldVarToStr(q.Value(QStringLiteral("HCO")));
            const QString symbol = q.AsString(QStringLiteral("HKIGOU"));
            m_cmbHyouka1->addItem(CodeNameText(code, symbol));
            if (g.gHyoukaList.size() < 100) g.gHyoukaList.push_back({code, symbol});
        }
        q.Close();
    }
    g.gHyoukaCount = static_cast<int>(g.gHyoukaList.size());
    m_cmbHyouka1->addItem(kCodeNone);

    clearForm();
    StringGrid1Click(1);
    g.gDataChanged = 0;
}

void TNX0030::clearForm() {
    m_exits->forgetPending();
    m_workerTyped = false;
    for (QLineEdit *e : findChildren<QLineEdit *>()) {
        // The line edits inside the combo boxes are cleared with their boxes.
        if (!qobject_cast<QComboBox *>(e->parentWidget())) e->clear();
    }
    m_cmbWorker->clearEditText();
    for (QComboBox *c : {m_cmbSikaku, m_cmbHyouka1}) {
        c->setCurrentIndex(c->count() - 1);
        c->setEditText(kCodeNone);
    }
    m_cmbMark->setCurrentIndex(-1);
    m_cmbMark->setEditText(kCodeNone);
    for (QComboBox *c : {m_cmbMibun, m_cmbBand, m_cmbYHyouka})
        c->setCurrentIndex(-1);
    const bool era = G().gReki != 0;
    for (QComboBox *c : {m_nyu.era, m_sei.era, m_tou.era}) {
        c->setCurrentIndex(-1);
        c->setVisible(era);
    }
    m_optSex1->setChecked(true);
    showPicture(QString());
    applyCaptions(0);
    setMatrixLink(m_companyMatrixLink);
    const int wageItem = G().gMkigyou2.Frstkyu;
    for (int i = 1; i <= 3; ++i)
        m_txtAFKihon[i]->setReadOnly(i == wageItem);
    m_gradeFilter = 0;
    m_gradeGroup->button(0)->setChecked(true);
    fillGrid();
}

void TNX0030::applyCaptions(int workType) {
    SalaryCaptions captions;
    SetSalaryLabels(workType, captions);
    for (int i = 1; i <= 3; ++i)
        m_labKihon[i]->setText(captions.Kihon[i]);
    for (int i = 1; i <= 5; ++i)
        m_labTeate[i]->setText(captions.Teate[i]);
}

// --- The grid ---------------------------------------------------------------------------------

int TNX0030::listedCount() const {
    return m_model->rowCount();
}

void TNX0030::fillGrid() {
    m_highlight = false;
    std::vector<EmployeeGridModel::Row> rows;
    QStringList items;
    const QString key = ProjectKeySql();
    if (!key.isEmpty()) {
        // Only the listed columns are read: the view's wage-table amounts are not needed here.
        QString sql = QStringLiteral("SELECT SCO, SCOT, SNA, SEIHI, NYUHI, YAKU, HCO, TOUKYU, "
                                     "GOUHOU, ZONEX FROM VSYAIN WHERE") +
                      key;
        if (m_gradeFilter != 0) sql += QStringLiteral(" AND TOUKYU = %1").arg(m_gradeFilter);
        sql += QStringLiteral(" ORDER BY KCO,SCO");
        TQuery &q = DM().Query21;
        RunSql(q, sql, 'S');
        rows.reserve(static_cast<size_t>(q.RecordCount()));
        items.reserve(q.RecordCount());
        int n = 0;
        for (; !q.Eof(); q.Next()) {
            EmployeeGridModel::Row r;
            r.sco = q.AsInteger(QStringLiteral("SCO"));
            const QString scot = q.AsString(QStringLiteral("SCOT"));
            const QString sna = q.AsString(QStringLiteral("SNA"));
            const int nyuhi = q.AsInteger(QStringLiteral("NYUHI"));
            const int hco = q.AsInteger(QStringLiteral("HCO"));
            auto &c = r.cells;
            c[0] = QString::number(++n);
            c[1] = QString::number(r.sco);
            c[2] = scot;
            c[3] = sna;
            c[4] = QString::number(
                scot.isEmpty() ? 0 : YearsSince(q.AsInteger(QStringLiteral("SEIHI"))));
            c[5] = QString::number(scot.isEmpty() || nyuhi == 0 ? 0 : YearsSince(nyuhi));
            c[6] = q.AsString(QStringLiteral("YAKU"));
            c[7] = hco == 0 ? QString() : NamePart(HyoukaText(hco));
            c[8] = q.AsString(QStringLiteral("TOUKYU"));
            c[9] = q.AsString(QStringLiteral("GOUHOU"));
            c[10] = q.AsString(QStringLiteral("ZONEX"));
            items << c[1] + kCodeNameSeparator + sna;
            rows.push_back(std::move(r));
        }
        q.Close();
    }
    m_minCode = rows.empty() ? 0 : rows.front().sco;
    m_maxCode = rows.empty() ? 0 : rows.back().sco;
    m_txtLastNo->setText(QString::number(rows.size()));

    m_quietGrid = true;
    const QString typed = m_cmbWorker->currentText();
    m_model->setRows(std::move(rows));
    m_workerItems->setStringList(items);
    m_cmbWorker->setCurrentIndex(-1);
    m_cmbWorker->setEditText(typed);
    m_quietGrid = false;
}

void TNX0030::setGridRowQuietly(int row, int column) {
    if (row < 1 || row > m_model->rowCount()) return;
    m_quietGrid = true;
    const QModelIndex index = m_model->index(row - 1, column);
    m_grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_grid->scrollTo(index);
    m_quietGrid = false;
    m_grid->viewport()->update();
}

int TNX0030::gridRowOfCode(int code) const {
    const auto &rows = m_model->rows();
    // The list is ordered by code.
    const auto it =
        std::lower_bound(rows.begin(), rows.end(), code,
                         [](const EmployeeGridModel::Row &r, int c) { return r.sco < c; });
    if (it == rows.end() || it->sco != code) return 0;
    return static_cast<int>(it - rows.begin()) + 1;
}

void TNX0030::StringGrid1Click(int row) {
    if (row < 1 || row > m_model->rowCount()) return;
    chooseCode(m_model->rows()[static_cast<size_t>(row - 1)].sco, row);
}

void TNX0030::chooseCode(int code, int row) {
    ProjectState &g = G();
    g.gCurSco = code;
    if (row > 0) {
        m_gridRow = row;
        setGridRowQuietly(row, qMax(0, m_grid->currentIndex().column()));
        m_highlight = true;
        m_txtCureentNo->setText(QString::number(row));
    } else {
        m_highlight = false;
        m_txtCureentNo->clear();
    }
    m_grid->viewport()->update();
    loadEmployee();
    g.gDataChanged = 0;
}

// --- Loading an employee ----------------------------------------------------------------------

void TNX0030::showDate(const DateBoxes &boxes, int ymd) {
    TYMD d;
    d.Ymd = QString::number(ymd);
    SplitDate(d);
    boxes.era->setCurrentIndex(boxes.era->findText(d.Era));
    boxes.yy->setText(d.Year);
    boxes.mm->setText(d.Month);
    boxes.dd->setText(d.Day);
}

void TNX0030::showPicture(const QString &name) {
    m_pictureName = name;
    QString file = name;
    file.replace(QLatin1Char('\\'), QLatin1Char('/')); // names stored by Windows installations
    m_picture = name.isEmpty()
                    ? QImage()
                    : LoadPicture(G().gAppPath + kPictureFolder + QLatin1Char('/') + file);
    if (m_picture.isNull()) {
        m_imgPicture->clear();
        return;
    }
    m_imgPicture->setPixmap(QPixmap::fromImage(m_picture.scaled(
        m_imgPicture->size() - QSize(2, 2), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TNX0030::loadEmployee() {
    ProjectState &g = G();
    m_exits->forgetPending();
    m_workerTyped = false;
    const QString key = ProjectKeySql();
    TQuery &q = DM().Query21;
    if (!key.isEmpty())
        RunSql(q,
               QStringLiteral("SELECT * FROM VSYAIN WHERE") + key +
                   QStringLiteral(" AND SCO = %1").arg(g.gCurSco),
               'S');
    if (key.isEmpty() || q.Eof()) {
        q.Close();
        m_btnMnt->setEnabled(false);
        m_btnDlt->setEnabled(false);
        m_btnAdd->setEnabled(true);
        return;
    }
    m_btnAdd->setEnabled(false);
    m_btnMnt->setEnabled(true);
    m_btnDlt->setEnabled(true);

    const auto text = [&q](const char *column) { return q.AsString(QLatin1String(column)); };
    const auto integer = [&q](const char *column) {
        return FieldVarToInt(q.Value(QLatin1String(column)));
    };
    const auto amount = [&q](const QString &column) {
        return FormatAmount(static_cast<qint64>(RoundHalfUp(1, FieldVarToFloat(q.Value(column)))));
    };

    m_cmbWorker->setEditText(QString::number(g.gCurSco));
    m_txtWorker->setText(text("SNA"));
    m_txtWorkerNo->setText(text("SCOT"));
    m_txtWorkName->setText(text("SNA"));
    (integer("SEIBETSU") == 1 ? m_optSex2 : m_optSex1)->setChecked(true);
    m_txtYakusyoku->setText(text("YAKU"));
    showDate(m_nyu, integer("NYUHI"));
    showDate(m_sei, integer("SEIHI"));
    showDate(m_tou, integer("THI"));
    const int workType = integer("SM1");
    m_cmbMibun->setCurrentIndex(
        workType >= 1 && workType <= 4
            ? m_cmbMibun->findText(g.gSalaryTbl[static_cast<size_t>(workType)].CodeName)
            : -1);
    m_txtGakureki->setText(text("GAKU"));
    m_txtSenkou->setText(text("SENKOU"));
    m_txtKSikaku->setText(text("KSIKAKU"));
    m_txtHaizoku->setText(text("KEIKEN"));
    const int grade = integer("TOUKYU");
    m_cmbSikaku->setCurrentIndex(grade >= 1 && grade <= 9 ? grade - 1 : -1);
    m_cmbSikaku->setEditText(SikakuText(grade));
    m_txtGouhou->setText(ymdOr0(q.Value(QStringLiteral("GOUHOU"))));
    m_txtTasseiRitsu->setText(FieldVarToStr(q.Value(QStringLiteral("TRITSU"))));
    const QString hyouka = HyoukaText(integer("HCO"));
    m_cmbHyouka1->setCurrentIndex(m_cmbHyouka1->findText(hyouka));
    m_cmbHyouka1->setEditText(hyouka);
    for (int i = 2; i <= 4; ++i)
        m_txtHyouka[static_cast<size_t>(i)]->setText(
            q.AsString(QStringLiteral("HNA%1").arg(i - 1)));
    m_txtKeikenNen->setText(ymdOr0(q.Value(QStringLiteral("NENSU"))));
    m_txtSyokumuTensu->setText(ymdOr0(q.Value(QStringLiteral("TENSU"))));
    const int mark = integer("MCO");
    m_cmbMark->setCurrentIndex(mark >= 1 && mark <= 6 ? mark - 1 : -1);
    m_cmbMark->setEditText(MarkText(mark));
    showPicture(text("SPATH"));

    const int wageItem = g.gMkigyou2.Frstkyu;
    for (int i = 1; i <= 3; ++i) {
        m_txtKihon[i]->setText(amount(QStringLiteral("KKYU%1").arg(i)));
        m_txtAFKihon[i]->setText(
            amount(i == wageItem ? QStringLiteral("NKIN") : QStringLiteral("NKKYU%1").arg(i)));
        m_txtAFKihon[i]->setReadOnly(i == wageItem);
    }
    for (int i = 1; i <= 5; ++i) {
        m_txtTeate[i]->setText(amount(QStringLiteral("TEATE%1").arg(i)));
        m_txtAFTeate[i]->setText(amount(QStringLiteral("NTEATE%1").arg(i)));
    }
    m_txtBonus1->setText(amount(QStringLiteral("SYOUYO")));
    m_txtBonus2->setText(amount(QStringLiteral("SYOUYO2")));
    m_txtTaisyokuKin->setText(groupedRate(FieldVarToFloat(q.Value(QStringLiteral("SRITSU")))));

    m_cmbBand->setCurrentIndex(SelectComboCode(m_cmbBand, QString::number(integer("BANDID"))));
    m_cmbYHyouka->setCurrentIndex(
        SelectComboCode(m_cmbYHyouka, QString::number(integer("YHYOUKA"))));
    const int newBand = integer("NEWBANDID");
    const int newEval = integer("NEWYHYOUKA");
    m_txtNewBand->setText(newBand ? QString::number(newBand) : QString());
    m_txtNewYHYOUKA->setText(newEval ? QString::number(newEval) : QString());
    // The stored zone stays when no matrix link recomputes it, so saving does not lose it.
    m_txtZone->setText(ymdOr0(q.Value(QStringLiteral("ZONEX"))));
    m_txtUPRitsu->clear();
    const int link = integer("MLINK");
    q.Close();

    applyCaptions(workType);
    setMatrixLink(link);
    computeZone();
    matrixRecompute();
}

// --- Computations -----------------------------------------------------------------------------

void TNX0030::setMatrixLink(int link) {
    G().gMkigyou2.Frstkyum = link;
    m_matrixGroup->setExclusive(false);
    for (int i = 1; i <= 3; ++i)
        m_optMatrix[i]->setChecked(i == link);
    m_matrixGroup->setExclusive(true);
}

void TNX0030::computeZone() {
    const int link = G().gMkigyou2.Frstkyum;
    if (link < 1 || link > 3) return;
    double rate = 0.0;
    int newPay = 0, newZone = 0;
    const int zone =
        CalcMatrixRaise(ComboCode(m_cmbBand), ComboCode(m_cmbYHyouka),
                        static_cast<int>(amountOf(m_txtKihon[link])), rate, newPay, newZone);
    m_txtZone->setText(QString::number(zone));
    m_txtUPRitsu->setText(QString::number(rate, 'f', 2) + QLatin1Char('%'));
}

void TNX0030::matrixRecompute() {
    // The wage-table item always stays read-only: its amount comes from the wage table.
    const int wageItem = G().gMkigyou2.Frstkyu;
    for (int i = 1; i <= 3; ++i)
        m_txtAFKihon[i]->setReadOnly(i == wageItem);
    const int link = G().gMkigyou2.Frstkyum;
    if (link >= 1 && link <= 3) {
        double rate = 0.0;
        int newPay = 0, newZone = 0;
        CalcMatrixRaise(m_txtNewBand->text().toInt(), m_txtNewYHYOUKA->text().toInt(),
                        static_cast<int>(amountOf(m_txtKihon[link])), rate, newPay, newZone);
        m_txtAFKihon[link]->setText(FormatAmount(newPay));
        m_txtAFKihon[link]->setReadOnly(true);
    }
    computeTotals();
}

void TNX0030::computeTotals() {
    qint64 kSum = 0, akSum = 0, tSum = 0, atSum = 0;
    for (int i = 1; i <= 3; ++i) {
        kSum += amountOf(m_txtKihon[i]);
        akSum += amountOf(m_txtAFKihon[i]);
    }
    for (int i = 1; i <= 5; ++i) {
        tSum += amountOf(m_txtTeate[i]);
        atSum += amountOf(m_txtAFTeate[i]);
    }
    const qint64 bonus = amountOf(m_txtBonus1) + amountOf(m_txtBonus2);
    m_txtKihonSum->setText(FormatAmount(kSum));
    m_txtAFKihonSum->setText(FormatAmount(akSum));
    m_txtTeateSum->setText(FormatAmount(tSum));
    m_txtAFTeateSum->setText(FormatAmount(atSum));
    m_txtSyotei->setText(FormatAmount(kSum + tSum));
    m_txtAFSyotei->setText(FormatAmount(akSum + atSum));
    m_txtNensyu->setText(FormatAmount(bonus + (kSum + tSum) * 12));
    m_txtAFNensyu->setText(FormatAmount(bonus + (akSum + atSum) * 12));
    m_txtUpKihon->setText(FormatAmount(akSum - kSum));
    m_txtTeateUP->setText(FormatAmount(atSum - tSum));
}

void TNX0030::optMatrixClick(int link) {
    MarkDataChanged();
    setMatrixLink(link);
    computeZone();
    matrixRecompute();
}

void TNX0030::cdResetMLinkClick() {
    optMatrixClick(0);
}

void TNX0030::cmbMibunChange() {
    applyCaptions(ComboCode(m_cmbMibun));
    MarkDataChanged();
}

// --- Field checks -----------------------------------------------------------------------------

QString TNX0030::numberMessage(const NumField &field) const {
    // An empty box is allowed everywhere and counts as 0.
    const QString text = field.edit->text().trimmed();
    if (text.isEmpty()) return {};
    switch (field.kind) {
    case NumKind::Amount:
        return CheckNumText(text, kAmountDigits);
    case NumKind::Real:
        return CheckNumText(text, 15);
    case NumKind::Integer: {
        bool ok = false;
        const int v = text.toInt(&ok);
        if (!ok) return kMsgNotNumber;
        if (v < field.low || v > field.high) return kMsgOutOfRange;
        return {};
    }
    }
    return {};
}

bool TNX0030::numberExit(const NumField &field) {
    const QString message = numberMessage(field);
    return message.isEmpty() || RefuseField(field.edit, message);
}

bool TNX0030::amountExit(QLineEdit *edit) {
    if (!numberExit({edit, NumKind::Amount, 0, 0})) return false;
    if (!edit->text().trimmed().isEmpty()) edit->setText(FormatAmount(amountOf(edit)));
    computeTotals();
    return true;
}

bool TNX0030::kihonExit(int item) {
    QLineEdit *edit = m_txtKihon[static_cast<size_t>(item)];
    if (!numberExit({edit, NumKind::Amount, 0, 0})) return false;
    if (!edit->text().trimmed().isEmpty()) edit->setText(FormatAmount(amountOf(edit)));
    if (G().gMkigyou2.Frstkyum != 0) {
        computeZone();
        matrixRecompute();
    } else {
        computeTotals();
    }
    return true;
}

bool TNX0030::txtGouhouExit() {
    if (!numberExit({m_txtGouhou, NumKind::Integer, 0, 80})) return false;
    matrixRecompute();
    return true;
}

bool TNX0030::cmbSikakuExit() {
    int grade = 0;
    if (!firstFieldInt(m_cmbSikaku->currentText(), grade))
        return RefuseField(m_cmbSikaku, kMsgNotNumber);
    if (grade < 1 || grade > 9) return RefuseField(m_cmbSikaku, kMsgGradeRange);
    m_cmbSikaku->setCurrentIndex(grade - 1);
    m_cmbSikaku->setEditText(SikakuText(grade));
    matrixRecompute();
    return true;
}

bool TNX0030::cmbMarkExit() {
    int mark = 0;
    if (!firstFieldInt(m_cmbMark->currentText(), mark))
        return RefuseField(m_cmbMark, kMsgNotNumber);
    const QString text = MarkText(mark);
    if (text.isEmpty()) return RefuseField(m_cmbMark, kMsgNotInMaster);
    m_cmbMark->setCurrentIndex(mark - 1);
    m_cmbMark->setEditText(text);
    return true;
}

bool TNX0030::cmbHyouka1Exit() {
    int code = 0;
    if (!firstFieldInt(m_cmbHyouka1->currentText(), code))
        return RefuseField(m_cmbHyouka1, kMsgNotNumber);
    const QString text = HyoukaText(code);
    if (text.isEmpty()) return RefuseField(m_cmbHyouka1, kMsgNotInMaster);
    m_cmbHyouka1->setCurrentIndex(m_cmbHyouka1->findText(text));
    m_cmbHyouka1->setEditText(text);
    return true;
}

bool TNX0030::cmbWorkerExit() {
    if (!m_workerTyped) return true;
    const QString text = m_cmbWorker->currentText().trimmed();
    if (text.isEmpty()) {
        m_workerTyped = false;
        return true;
    }
    int code = 0;
    if (!firstFieldInt(text, code)) return RefuseField(m_cmbWorker, kMsgNotNumber);
    if (code == 0) return RefuseField(m_cmbWorker, kMsgZeroCode);
    m_workerTyped = false;
    const int row = gridRowOfCode(code);
    m_cmbWorker->setEditText(QString::number(code));
    m_txtWorker->setText(row > 0 ? m_model->rows()[static_cast<size_t>(row - 1)].cells[3]
                         : text.contains(kCodeNameSeparator) ? NamePart(text)
                                                             : QString());
    chooseCode(code, row);
    return true;
}

int TNX0030::typedCode() const {
    int code = 0;
    return firstFieldInt(m_cmbWorker->currentText().trimmed(), code) ? code : 0;
}

bool TNX0030::syncCodeBox() {
    return cmbWorkerExit();
}

// --- Saving -----------------------------------------------------------------------------------

bool TNX0030::joinDates(Values &v) {
    const struct {
        const DateBoxes &boxes;
        qint64 &target;
        const QString &message;
    } dates[3] = {{m_sei, v.seihi, kMsgBirthDate},
                  {m_nyu, v.nyuhi, kMsgEntryDate},
                  {m_tou, v.thi, kMsgAppointDate}};
    for (const auto &date : dates) {
        TYMD d;
        d.Era = date.boxes.era->currentText();
        d.Year = date.boxes.yy->text().trimmed();
        d.Month = date.boxes.mm->text().trimmed();
        d.Day = date.boxes.dd->text().trimmed();
        if (!JoinDate(d)) {
            ShowMessage(date.message);
            return false;
        }
        date.target = d.Ymd.toLongLong();
    }
    return true;
}

bool TNX0030::linkClashes() {
    const int link = qMax(0, m_matrixGroup->checkedId());
    const int wageItem = G().gMkigyou2.Frstkyu;
    if (wageItem == 0 || link != wageItem) return false;
    ShowMessage(kMsgLinkClash);
    return true;
}

bool TNX0030::collectValues(Values &v) {
    // Every number is checked here as well: a box may never have been left.
    std::vector<NumField> fields = m_numFields;
    for (int i = 1; i <= 3; ++i) {
        fields.push_back({m_txtKihon[i], NumKind::Amount, 0, 0});
        fields.push_back({m_txtAFKihon[i], NumKind::Amount, 0, 0});
    }
    for (int i = 1; i <= 5; ++i) {
        fields.push_back({m_txtTeate[i], NumKind::Amount, 0, 0});
        fields.push_back({m_txtAFTeate[i], NumKind::Amount, 0, 0});
    }
    fields.push_back({m_txtBonus1, NumKind::Amount, 0, 0});
    fields.push_back({m_txtBonus2, NumKind::Amount, 0, 0});
    for (const NumField &f : fields)
        if (!numberExit(f)) return false;

    // The code boxes: "0 : なし" (or an empty box) is stored as 0.
    const auto comboCode = [this](QComboBox *combo, int &value, auto known) {
        const QString text = combo->currentText().trimmed();
        value = 0;
        if (text.isEmpty()) return true;
        if (!firstFieldInt(text, value)) return RefuseField(combo, kMsgNotNumber);
        return value == 0 || known(value) || RefuseField(combo, kMsgNotInMaster);
    };
    if (!comboCode(m_cmbSikaku, v.grade, [](int n) { return n >= 1 && n <= 9; })) return false;
    if (!comboCode(m_cmbMark, v.mark, [](int n) { return !MarkText(n).isEmpty(); })) return false;
    if (!comboCode(m_cmbHyouka1, v.hco, [](int n) { return !HyoukaText(n).isEmpty(); }))
        return false;

    computeTotals();
    v.sco = G().gCurSco;
    v.scot = m_txtWorkerNo->text();
    v.sna = m_txtWorkName->text();
    v.yaku = m_txtYakusyoku->text();
    v.gaku = m_txtGakureki->text();
    v.senkou = m_txtSenkou->text();
    v.ksikaku = m_txtKSikaku->text();
    v.keiken = m_txtHaizoku->text();
    v.spath = m_pictureName;
    for (int i = 1; i <= 3; ++i)
        v.hna[static_cast<size_t>(i)] = m_txtHyouka[static_cast<size_t>(i + 1)]->text();
    v.sex = m_optSex2->isChecked() ? 1 : 0;
    v.step = m_txtGouhou->text().trimmed().toInt();
    v.workType = ComboCode(m_cmbMibun);
    v.zone = m_txtZone->text().trimmed().toInt();
    v.points = m_txtSyokumuTensu->text().trimmed().toInt();
    v.experience = m_txtKeikenNen->text().trimmed().toInt();
    v.band = ComboCode(m_cmbBand);
    v.yhyouka = ComboCode(m_cmbYHyouka);
    v.link = qMax(0, m_matrixGroup->checkedId());
    v.tritsu = numberOf(m_txtTasseiRitsu);
    v.sritsu = numberOf(m_txtTaisyokuKin);
    for (int i = 1; i <= 3; ++i) {
        v.kkyu[static_cast<size_t>(i)] = amountOf(m_txtKihon[i]);
        v.nkkyu[static_cast<size_t>(i)] = amountOf(m_txtAFKihon[i]);
    }
    for (int i = 1; i <= 5; ++i) {
        v.teate[static_cast<size_t>(i)] = amountOf(m_txtTeate[i]);
        v.nteate[static_cast<size_t>(i)] = amountOf(m_txtAFTeate[i]);
    }
    v.bonus1 = amountOf(m_txtBonus1);
    v.bonus2 = amountOf(m_txtBonus2);
    v.nensyu = amountOf(m_txtNensyu);
    v.nnensyu = amountOf(m_txtAFNensyu);
    v.syotei = amountOf(m_txtSyotei);
    v.nsyotei = amountOf(m_txtAFSyotei);
    v.upk = amountOf(m_txtUpKihon);
    v.upt = amountOf(m_txtTeateUP);
    return true;
}

bool TNX0030::employeeExists(TQuery &query) {
    RunSql(query,
           QStringLiteral("SELECT SCO FROM MSYAIN1 WHERE") + ProjectKeySql() +
               QStringLiteral(" AND SCO = %1").arg(G().gCurSco),
           'S');
    const bool exists = !query.Eof();
    query.Close();
    return exists;
}

namespace {

QString joined(const QStringList &values) {
    return values.join(QStringLiteral(", "));
}

QString assignments(const QStringList &columns, const QStringList &values) {
    QStringList out;
    for (qsizetype i = 0; i < columns.size(); ++i)
        out << columns[i] + QStringLiteral(" = ") + values[i];
    return joined(out);
}

} // namespace

void TNX0030::btnAddClick() {
    ProjectState &g = G();
    if (!syncCodeBox()) return;
    if (m_cmbWorker->currentText().trimmed().isEmpty()) {
        ShowMessage(kMsgNoCode);
        return;
    }
    if (g.gDataChanged == 0) {
        ShowMessage(kMsgNoChange);
        return;
    }
    if (m_txtWorkName->text().trimmed().isEmpty()) {
        ShowMessage(kMsgNoName);
        return;
    }
    const QString key = ProjectKeySql();
    if (key.isEmpty()) return;
    TQuery &q = DM().Query21;
    if (employeeExists(q)) {
        ShowMessage(kMsgExists);
        return;
    }
    Values v;
    if (!joinDates(v) || linkClashes() || !collectValues(v)) return;

    const QString kco = QString::number(g.gMkigyou2.Kco.toInt());
    const QString nendo = QString::number(g.gMkigyou2.Nendo.toInt());
    const auto n = [](qint64 x) { return SqlInt(x); };
    const QStringList values1 = {
        kco,
        n(0),
        n(v.sco),
        nendo,
        SqlText(v.scot),
        SqlText(v.sna),
        n(v.seihi),
        n(v.nyuhi),
        SqlText(v.yaku),
        n(0),
        n(v.grade),
        n(YearsSince(static_cast<int>(v.seihi))),
        n(YearsSince(static_cast<int>(v.nyuhi))),
        n(v.experience),
        n(0),
        n(g.gMkigyou2.Frstkyu),
        SqlNum(v.tritsu),
        n(0),
        n(0),
        n(0),
        n(0),
        SqlNum(v.sritsu),
        n(v.bonus1),
        n(v.nensyu),
        n(v.mark),
        SqlText(QString()),
        n(v.link),
        n(v.band),
        n(v.yhyouka),
        n(0),
        n(0),
        n(0),
        n(0),
        SqlText(QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")))};
    QStringList values2 = {kco,
                           n(v.sco),
                           nendo,
                           n(v.sex),
                           n(v.grade),
                           n(v.step),
                           n(v.workType),
                           SqlText(QString()),
                           SqlText(v.gaku),
                           SqlText(v.senkou),
                           SqlText(v.ksikaku),
                           SqlText(v.keiken),
                           n(v.thi),
                           n(v.zone),
                           n(v.points),
                           n(v.hco),
                           n(v.upk),
                           n(v.upt)};
    for (int i = 1; i <= 3; ++i)
        values2 << n(v.kkyu[static_cast<size_t>(i)]);
    for (int i = 1; i <= 5; ++i)
        values2 << n(v.teate[static_cast<size_t>(i)]);
    for (int i = 1; i <= 3; ++i)
        values2 << n(v.nkkyu[static_cast<size_t>(i)]);
    for (int i = 1; i <= 5; ++i)
        values2 << n(v.nteate[static_cast<size_t>(i)]);
    values2 << n(0) << n(v.bonus2) << n(v.nnensyu) << n(0) << n(0) << n(0) << n(0) << n(0)
            << SqlText(v.hna[1]) << n(0) << SqlText(v.hna[2]) << n(0) << SqlText(v.hna[3])
            << n(v.syotei) << n(v.nsyotei) << SqlText(v.spath);

    const QString sql1 =
        QStringLiteral(
            "INSERT INTO MSYAIN1 (KCO, HSCO, SCO, NENDO, SCOT, SNA, SEIHI, NYUHI, YAKU, "
            "SKCO, TCO, NENREI, KINZOKU, NENSU, SIKAKUGO, JISEKI, TRITSU, NENKYU, "
            "SYOKUKYU, KIHONKYU, SYOTEIKYU, SRITSU, SYOUYO, NENSYU, MCO, MNA, MLINK, "
            "BANDID, YHYOUKA, MZONE, NEWBANDID, NEWYHYOUKA, NEWMZONE, NEWDAY1) VALUES (") +
        joined(values1) + QLatin1Char(')');
    const QString sql2 =
        QStringLiteral("INSERT INTO MSYAIN2 (KCO, SCO, NENDO, SEIBETSU, TOUKYU, GOUHOU, SM1, SM2, "
                       "GAKU, SENKOU, KSIKAKU, KEIKEN, THI, ZONEX, TENSU, HCO, UPK, UPT, KKYU1, "
                       "KKYU2, KKYU3, TEATE1, TEATE2, TEATE3, TEATE4, TEATE5, NKKYU1, NKKYU2, "
                       "NKKYU3, NTEATE1, NTEATE2, NTEATE3, NTEATE4, NTEATE5, NSRITSU, SYOUYO2, "
                       "NNENSYU, NTOUKYU, SGOUHOU, NGOUHOU, FSKCHK, HCO1, HNA1, HCO2, HNA2, HCO3, "
                       "HNA3, SYOTEI, NSYOTEI, SPATH) VALUES (") +
        joined(values2) + QLatin1Char(')');
    {
        ScopedTransaction tx(DM().ACN2);
        // A failure has shown its message; both tables stay as they were.
        if (!RunSql(q, sql1, 'E') || !RunSql(q, sql2, 'E') || !tx.commit()) return;
    }

    fillGrid();
    chooseCode(v.sco, gridRowOfCode(v.sco));
    m_btnMnt->setEnabled(true);
    m_btnDlt->setEnabled(true);
    m_txtCureentNo->clear();
    m_cmbWorker->setFocus();
    g.gDataChanged = 0;
}

void TNX0030::btnMntClick() {
    ProjectState &g = G();
    if (!syncCodeBox()) return;
    if (m_cmbWorker->currentText().trimmed().isEmpty()) {
        ShowMessage(kMsgNoCode);
        return;
    }
    Values v;
    if (!joinDates(v) || linkClashes() || !collectValues(v)) return;
    g.gMkigyou2.Frstkyum = v.link;
    const QString key = ProjectKeySql();
    if (key.isEmpty()) return;
    TQuery &q = DM().Query21;
    // An update that finds no employee must not look like a success.
    if (!employeeExists(q)) {
        ShowMessage(kMsgUpdateUnknown);
        return;
    }

    const auto n = [](qint64 x) { return SqlInt(x); };
    const QString where =
        QStringLiteral(" WHERE") + key + QStringLiteral(" AND SCO = %1").arg(v.sco);
    const QString sql1 =
        QStringLiteral("UPDATE MSYAIN1 SET ") +
        assignments({QStringLiteral("SCOT"), QStringLiteral("SNA"), QStringLiteral("SEIHI"),
                     QStringLiteral("NYUHI"), QStringLiteral("YAKU"), QStringLiteral("TCO"),
                     QStringLiteral("NENREI"), QStringLiteral("KINZOKU"), QStringLiteral("NENSU"),
                     QStringLiteral("TRITSU"), QStringLiteral("SRITSU"), QStringLiteral("SYOUYO"),
                     QStringLiteral("NENSYU"), QStringLiteral("JISEKI"), QStringLiteral("MLINK"),
                     QStringLiteral("BANDID"), QStringLiteral("YHYOUKA"), QStringLiteral("MCO"),
                     QStringLiteral("MNA")},
                    {SqlText(v.scot), SqlText(v.sna), n(v.seihi), n(v.nyuhi), SqlText(v.yaku),
                     n(v.grade), n(YearsSince(static_cast<int>(v.seihi))),
                     n(YearsSince(static_cast<int>(v.nyuhi))), n(v.experience), SqlNum(v.tritsu),
                     SqlNum(v.sritsu), n(v.bonus1), n(v.nensyu), n(g.gMkigyou2.Frstkyu), n(v.link),
                     n(v.band), n(v.yhyouka), n(v.mark), SqlText(QString())}) +
        where;
    QStringList columns2 = {
        QStringLiteral("SEIBETSU"), QStringLiteral("TOUKYU"),  QStringLiteral("GOUHOU"),
        QStringLiteral("SM1"),      QStringLiteral("SM2"),     QStringLiteral("GAKU"),
        QStringLiteral("SENKOU"),   QStringLiteral("KSIKAKU"), QStringLiteral("KEIKEN"),
        QStringLiteral("THI"),      QStringLiteral("ZONEX"),   QStringLiteral("TENSU"),
        QStringLiteral("HCO"),      QStringLiteral("UPK"),     QStringLiteral("UPT")};
    QStringList values2 = {n(v.sex),          n(v.grade),         n(v.step),
                           n(v.workType),     SqlText(QString()), SqlText(v.gaku),
                           SqlText(v.senkou), SqlText(v.ksikaku), SqlText(v.keiken),
                           n(v.thi),          n(v.zone),          n(v.points),
                           n(v.hco),          n(v.upk),           n(v.upt)};
    for (int i = 1; i <= 3; ++i) {
        columns2 << QStringLiteral("KKYU%1").arg(i);
        values2 << n(v.kkyu[static_cast<size_t>(i)]);
    }
    for (int i = 1; i <= 5; ++i) {
        columns2 << QStringLiteral("TEATE%1").arg(i);
        values2 << n(v.teate[static_cast<size_t>(i)]);
    }
    for (int i = 1; i <= 3; ++i) {
        columns2 << QStringLiteral("NKKYU%1").arg(i);
        values2 << n(v.nkkyu[static_cast<size_t>(i)]);
    }
    for (int i = 1; i <= 5; ++i) {
        columns2 << QStringLiteral("NTEATE%1").arg(i);
        values2 << n(v.nteate[static_cast<size_t>(i)]);
    }
    columns2 << QStringLiteral("SYOUYO2") << QStringLiteral("NNENSYU");
    values2 << n(v.bonus2) << n(v.nnensyu);
    for (int i = 1; i <= 3; ++i) {
        columns2 << QStringLiteral("HNA%1").arg(i);
        values2 << SqlText(v.hna[static_cast<size_t>(i)]);
    }
    columns2 << QStringLiteral("SYOTEI") << QStringLiteral("NSYOTEI") << QStringLiteral("SPATH");
    values2 << n(v.syotei) << n(v.nsyotei) << SqlText(v.spath);
    const QString sql2 =
        QStringLiteral("UPDATE MSYAIN2 SET ") + assignments(columns2, values2) + where;
    {
        ScopedTransaction tx(DM().ACN2);
        if (!RunSql(q, sql1, 'E') || !RunSql(q, sql2, 'E') || !tx.commit()) return;
    }

    const QModelIndex current = m_grid->currentIndex();
    fillGrid();
    if (current.isValid()) setGridRowQuietly(current.row() + 1, current.column());
    g.gDataChanged = 0;
}

void TNX0030::btnDltClick() {
    if (!syncCodeBox()) return;
    if (m_cmbWorker->currentText().trimmed().isEmpty()) {
        ShowMessage(kMsgNoCode);
        return;
    }
    if (!AskDeleteData(kCaptionDelete)) return;
    const QString key = ProjectKeySql();
    if (key.isEmpty()) return;
    const QString where = QStringLiteral(" WHERE SCO = %1 AND").arg(G().gCurSco) + key;
    TQuery &q = DM().Query21;
    {
        ScopedTransaction tx(DM().ACN2);
        if (!RunSql(q, QStringLiteral("DELETE FROM MSYAIN1") + where, 'E') ||
            !RunSql(q, QStringLiteral("DELETE FROM MSYAIN2") + where, 'E') || !tx.commit())
            return;
    }
    clearForm();
    G().gDataChanged = 0;
}

void TNX0030::btnCanselClick() {
    m_btnAdd->setEnabled(true);
    m_btnMnt->setEnabled(true);
    m_btnDlt->setEnabled(true);
    clearForm();
    setGridRowQuietly(1);
    G().gDataChanged = 0;
}

// --- Navigation and the grade filter ----------------------------------------------------------

bool TNX0030::confirmStay(const QString &target) {
    if (G().gDataChanged != 1 || !AskStayOnChangedData(target)) return false;
    m_tabs->setCurrentIndex(0);
    m_txtWorkerNo->setFocus();
    return true;
}

void TNX0030::navigate(int row) {
    if (row < 1 || row > m_model->rowCount()) return;
    StringGrid1Click(row);
}

void TNX0030::btnFirstClick() {
    if (confirmStay(QStringLiteral("最初のデータ　へ。"))) return;
    navigate(gridRowOfCode(m_minCode));
}

void TNX0030::btnBackClick() {
    if (confirmStay(QStringLiteral("前のデータ　へ。"))) return;
    if (m_cmbWorker->currentText().trimmed().isEmpty()) {
        navigate(gridRowOfCode(m_minCode));
        return;
    }
    if (typedCode() == m_minCode) return;
    navigate(m_gridRow - 1);
}

void TNX0030::btnNextClick() {
    if (confirmStay(QStringLiteral("次のデータ　へ。"))) return;
    if (m_cmbWorker->currentText().trimmed().isEmpty()) {
        navigate(gridRowOfCode(m_maxCode));
        return;
    }
    if (typedCode() == m_maxCode) return;
    navigate(m_gridRow + 1);
}

void TNX0030::btnLastClick() {
    if (confirmStay(QStringLiteral("最後のデータ　へ。"))) return;
    navigate(gridRowOfCode(m_maxCode));
}

void TNX0030::OptTokyuClick(int grade) {
    if (G().gDataChanged == 1) {
        ShowMessage(kMsgFilterLocked);
        m_gradeGroup->button(m_gradeFilter)->setChecked(true);
        m_tabs->setCurrentIndex(0);
        return;
    }
    m_gradeFilter = grade;
    m_gradeGroup->button(grade)->setChecked(true);
    fillGrid();
    StringGrid1Click(1);
}

// --- Picture and closing ----------------------------------------------------------------------

void TNX0030::btnPicterClick() {
    const QString folder = G().gAppPath + kPictureFolder;
    const QString path = Seam().openFile(QStringLiteral("画像ファイルの選択"), folder,
                                         QStringLiteral("JPEGファイル(*.jpg);;BMPファイル(*.bmp)"));
    if (path.isEmpty()) return;
    const auto real = [](const QString &p) {
        const QFileInfo info(p);
        const QString canonical = info.canonicalFilePath();
        return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
    };
    const QString relative = QDir(real(folder)).relativeFilePath(real(path));
    if (relative.isEmpty() || relative.startsWith(QLatin1String("..")) ||
        QDir::isAbsolutePath(relative)) {
        ShowMessage(kMsgFolderChanged, QString(), MsgIcon::Warning);
        return;
    }
    showPicture(relative);
    MarkDataChanged();
}

void TNX0030::btnCloseClick() {
    if (G().gDataChanged == 1 && AskStayOnChangedData()) return;
    m_exits->forgetPending();
    G().gDataChanged = 0;
    QDialog::reject();
}

void TNX0030::reject() {
    btnCloseClick();
}
