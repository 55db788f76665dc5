// How the employee register's form is laid out: the header, the basic and band pages, the
// grid, and the makers of their boxes. The register's behaviour is in employee_register.cpp.
#include "employee_register.h"

#include "combo_utils.h"
#include "date_boxes.h"
#include "employee_grid.h"
#include "form_helpers.h"
#include "matrix_side.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"
#include "wage_page.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStringListModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The name, position and evaluation columns of the grid are left-aligned.
const QList<int> kLeftColumns = {3, 6, 7};

QLabel *caption(const QString &text, QWidget *parent) {
    return new QLabel(text, parent);
}

} // namespace

QLineEdit *TNX0030::addEdit(QWidget *parent, const char *name, int maxLength, bool right) {
    QLineEdit *e = MakeEdit(parent, name, maxLength, right ? Align::Right : Align::Left);
    m_changes->watch(e, ChangeSource::User);
    return e;
}

QComboBox *TNX0030::addCodeCombo(QWidget *parent, const char *name, bool editable) {
    QComboBox *c = MakeCombo(parent, name, editable);
    m_changes->watch(c, ChangeSource::User);
    return c;
}

TDateBoxes *TNX0030::addDate(QWidget *parent, const char *era, const char *yy, const char *mm,
                             const char *dd) {
    auto *d = new TDateBoxes(parent, era, yy, mm, dd, 36);
    m_changes->watch(d->era(), ChangeSource::User);
    for (QLineEdit *e : d->parts())
        m_changes->watch(e, ChangeSource::User);
    m_numFields.push_back({d->year(), NumKind::Integer, 0, 99});
    m_numFields.push_back({d->month(), NumKind::Integer, 0, 12});
    m_numFields.push_back({d->day(), NumKind::Integer, 0, 31});
    return d;
}

QWidget *TNX0030::buildHeader() {
    auto *box = new QWidget(this);
    m_cmbWorker = MakeCombo(box, "cmbWorker", true);
    m_workerItems = new QStringListModel(this);
    m_cmbWorker->setModel(m_workerItems);
    m_cmbWorker->setMinimumWidth(200);
    m_txtWorker = addEdit(box, "txtWorker", 0);
    m_txtWorker->setReadOnly(true);
    m_txtCureentNo = addEdit(box, "txtCureentNo", 0, true);
    m_txtCureentNo->setReadOnly(true);
    m_txtCureentNo->setFixedWidth(60);
    m_txtLastNo = addEdit(box, "txtLastNo", 0, true);
    m_txtLastNo->setReadOnly(true);
    m_txtLastNo->setFixedWidth(60);
    m_exits->watch(m_cmbWorker, [this] { return cmbWorkerExit(); });
    connect(m_cmbWorker->lineEdit(), &QLineEdit::textEdited, this,
            [this] { m_workerTyped = true; });
    connect(m_cmbWorker, &QComboBox::activated, this, [this] {
        m_workerTyped = true;
        cmbWorkerExit();
    });

    m_grades = new TGradeFilter(box, {"OptTokyuAll", "OptTokyu1", "OptTokyu2", "OptTokyu3",
                                      "OptTokyu4", "OptTokyu5", "optTokyu67", "optTokyu7",
                                      "optTokyu8", "optTokyu9"});
    connect(m_grades, &TGradeFilter::clicked, this, &TNX0030::OptTokyuClick);

    m_btnAdd = MakeButton(box, "btnAdd", QStringLiteral("登　録"));
    m_btnMnt = MakeButton(box, "btnMnt", QStringLiteral("修　正"));
    m_btnDlt = MakeButton(box, "btnDlt", QStringLiteral("削　除"));
    auto *btnCansel = MakeButton(box, "btnCansel", QStringLiteral("ｷｬﾝｾﾙ"));
    auto *btnFirst = MakeButton(box, "btnFirst", QStringLiteral("最初"));
    auto *btnBack = MakeButton(box, "btnBack", QStringLiteral("前"));
    auto *btnNext = MakeButton(box, "btnNext", QStringLiteral("次"));
    auto *btnLast = MakeButton(box, "btnLast", QStringLiteral("最後"));
    auto *btnClose = MakeButton(box, "btnClose", QStringLiteral("閉じる"));
    m_exits->onClick(m_btnAdd, [this] { btnAddClick(); });
    m_exits->onClick(m_btnMnt, [this] { btnMntClick(); });
    m_exits->onClick(m_btnDlt, [this] { btnDltClick(); });
    m_exits->onClick(btnCansel, [this] { btnCanselClick(); });
    m_exits->onClick(btnFirst, [this] { btnFirstClick(); });
    m_exits->onClick(btnBack, [this] { btnBackClick(); });
    m_exits->onClick(btnNext, [this] { btnNextClick(); });
    m_exits->onClick(btnLast, [this] { btnLastClick(); });
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
    buttons->addWidget(m_grades, 1);
    for (QPushButton *b : {m_btnAdd, m_btnMnt, m_btnDlt, btnCansel, btnClose})
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

    m_txtWorkerNo = addEdit(page, "txtWorkerNo", 10);
    put(QStringLiteral("社員番号"), m_txtWorkerNo);
    m_txtWorkName = addEdit(page, "txtWorkName", 20);
    put(QStringLiteral("氏　　名"), m_txtWorkName, 2);
    ++row;
    m_optSex1 = new QRadioButton(QStringLiteral("男"), page);
    m_optSex1->setObjectName(QStringLiteral("OptSex1"));
    m_optSex2 = new QRadioButton(QStringLiteral("女"), page);
    m_optSex2->setObjectName(QStringLiteral("OptSex2"));
    auto *sexGroup = new QButtonGroup(page);
    sexGroup->addButton(m_optSex1, 0);
    sexGroup->addButton(m_optSex2, 1);
    m_changes->watch(m_optSex1, ChangeSource::User);
    m_changes->watch(m_optSex2, ChangeSource::User);
    auto *sex = new QWidget(page);
    auto *sexLayout = new QHBoxLayout(sex);
    sexLayout->setContentsMargins(0, 0, 0, 0);
    sexLayout->addWidget(m_optSex1);
    sexLayout->addWidget(m_optSex2);
    sexLayout->addStretch();
    put(QStringLiteral("性　　別"), sex);
    m_txtYakusyoku = addEdit(page, "txtYakusyoku", 20);
    put(QStringLiteral("役　　職"), m_txtYakusyoku, 2);
    ++row;
    m_nyu = addDate(page, "cmbNyuNengou", "txtNyuyy", "txtNyumm", "txtNyudd");
    put(QStringLiteral("入社年月日"), m_nyu);
    m_sei = addDate(page, "cmbSeiNengou", "txtSeiyy", "txtSeimm", "txtSeidd");
    put(QStringLiteral("生年月日"), m_sei, 2);
    ++row;
    m_cmbMibun = MakeCombo(page, "cmbMibun", false);
    connect(m_cmbMibun, &QComboBox::activated, this, &TNX0030::cmbMibunChange);
    put(QStringLiteral("就労形態"), m_cmbMibun);
    m_tou = addDate(page, "cmbTouNengou", "txtTouyy", "txtToumm", "txtToudd");
    put(QStringLiteral("登用年月日"), m_tou, 2);
    ++row;
    m_txtGakureki = addEdit(page, "txtGakureki", 30);
    put(QStringLiteral("学　　歴"), m_txtGakureki);
    m_txtSenkou = addEdit(page, "txtSenkou", 30);
    put(QStringLiteral("専　　攻"), m_txtSenkou, 2);
    ++row;
    m_txtKSikaku = addEdit(page, "txtKSikaku", 30);
    put(QStringLiteral("公的資格"), m_txtKSikaku);
    m_txtHaizoku = addEdit(page, "txtHaizoku", 30);
    put(QStringLiteral("職務配置"), m_txtHaizoku, 2);
    ++row;
    m_cmbSikaku = addCodeCombo(page, "cmbSikaku", true);
    connect(m_cmbSikaku, &QComboBox::activated, this, &TNX0030::matrixRecompute);
    m_exits->watch(m_cmbSikaku, [this] { return cmbSikakuExit(); });
    put(QStringLiteral("資格等級"), m_cmbSikaku);
    m_txtGouhou = addEdit(page, "txtGouhou", 2, true);
    m_exits->watch(m_txtGouhou, [this] { return txtGouhouExit(); });
    m_numFields.push_back({m_txtGouhou, NumKind::Integer, 0, 80});
    put(QStringLiteral("号　　俸"), m_txtGouhou, 2);
    ++row;
    m_txtTasseiRitsu = addEdit(page, "txtTasseiRitsu", 5, true);
    m_numFields.push_back({m_txtTasseiRitsu, NumKind::Real, 0, 0});
    put(QStringLiteral("達成率"), m_txtTasseiRitsu);
    m_cmbHyouka1 = addCodeCombo(page, "cmbHyouka1", true);
    m_exits->watch(m_cmbHyouka1, [this] { return cmbHyouka1Exit(); });
    put(QStringLiteral("評価　本年"), m_cmbHyouka1, 2);
    ++row;
    auto *history = new QWidget(page);
    auto *historyLayout = new QHBoxLayout(history);
    historyLayout->setContentsMargins(0, 0, 0, 0);
    const char *const historyNames[] = {"txtHyouka2", "txtHyouka3", "txtHyouka4"};
    const char *const historyLabels[] = {"１年前", "２年前", "３年前"};
    for (int i = 2; i <= 4; ++i) {
        m_txtHyouka[i] = addEdit(history, historyNames[i - 2], 10);
        historyLayout->addWidget(caption(QString::fromUtf8(historyLabels[i - 2]), history));
        historyLayout->addWidget(m_txtHyouka[i]);
    }
    put(QStringLiteral("評価　過去"), history, 0, 4);
    ++row;
    m_txtKeikenNen = addEdit(page, "txtKeikenNen", 2, true);
    m_numFields.push_back({m_txtKeikenNen, NumKind::Integer, INT_MIN, INT_MAX});
    put(QStringLiteral("経験年数"), m_txtKeikenNen);
    m_txtSyokumuTensu = addEdit(page, "txtSyokumuTensu", 4, true);
    m_numFields.push_back({m_txtSyokumuTensu, NumKind::Integer, INT_MIN, INT_MAX});
    put(QStringLiteral("職務点数"), m_txtSyokumuTensu, 2);
    ++row;
    m_cmbMark = addCodeCombo(page, "cmbMark", true);
    m_exits->watch(m_cmbMark, [this] { return cmbMarkExit(); });
    put(QStringLiteral("マーク"), m_cmbMark);

    m_imgPicture = new QLabel(page);
    m_imgPicture->setObjectName(QStringLiteral("imgPicture"));
    m_imgPicture->setFixedSize(120, 150);
    m_imgPicture->setFrameShape(QFrame::Box);
    m_imgPicture->setAlignment(Qt::AlignCenter);
    auto *btnPicter = MakeButton(page, "btnPicter", QStringLiteral("読　込"));
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
        if (f.edit != m_txtGouhou) m_exits->watch(f.edit, [this, f] { return numberExit(f); });
    return page;
}

QWidget *TNX0030::buildBandPage() {
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    m_cmbBand = addCodeCombo(page, "cmbBand", false);
    m_cmbYHyouka = addCodeCombo(page, "cmbYHyouka", false);
    for (QComboBox *c : {m_cmbBand, m_cmbYHyouka})
        connect(c, &QComboBox::activated, this, [this] {
            computeZone();
            matrixRecompute();
        });
    m_txtZone = addEdit(page, "txtZone", 0, true);
    m_txtUPRitsu = addEdit(page, "txtUPRitsu", 0, true);
    m_txtNewBand = addEdit(page, "txtNewBand", 0, true);
    m_txtNewYHYOUKA = addEdit(page, "txtNewYHYOUKA", 0, true);
    for (QLineEdit *e : {m_txtZone, m_txtUPRitsu, m_txtNewBand, m_txtNewYHYOUKA})
        e->setReadOnly(true);
    const std::pair<const char *, QWidget *> left[] = {{"バンド", m_cmbBand},
                                                       {"役割評価", m_cmbYHyouka},
                                                       {"ゾーン", m_txtZone},
                                                       {"昇給率", m_txtUPRitsu}};
    const std::pair<const char *, QWidget *> right[] = {{"昇給後バンド", m_txtNewBand},
                                                        {"昇給後役割評価", m_txtNewYHYOUKA}};
    int row = 0;
    for (const auto &[text, field] : left) {
        grid->addWidget(caption(QString::fromUtf8(text), page), row, 0);
        grid->addWidget(field, row++, 1);
    }
    row = 0;
    for (const auto &[text, field] : right) {
        grid->addWidget(caption(QString::fromUtf8(text), page), row, 2);
        grid->addWidget(field, row++, 3);
    }
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(4, 1);
    return page;
}

void TNX0030::buildGrid() {
    m_grid = new TEmployeeGrid(
        this,
        {QString(), QStringLiteral("社員ｺｰﾄﾞ"), QStringLiteral("社員番号"),
         QStringLiteral("氏　　名"), QStringLiteral("年　齢"), QStringLiteral("勤　続"),
         QStringLiteral("役　職"), QStringLiteral("本年評価"), QStringLiteral("資格等級"),
         QStringLiteral("号　俸"), QStringLiteral("ゾーン")},
        {50, 80, 90, 140, 60, 60, 140, 70, 70, 60, 60}, kLeftColumns);
    m_grid->setMinimumHeight(120);
    connect(m_grid, &TEmployeeGrid::rowChosen, this, &TNX0030::StringGrid1Click);
    // A click on the row that is already current chooses it again (after ｷｬﾝｾﾙ the form is
    // empty while row 1 is current).
    connect(m_grid, &TEmployeeGrid::rowClicked, this, [this](int row) {
        if (row != m_gridRow) return;
        if (!m_grid->highlight() || m_grid->codeAt(row) != G().gCurSco) StringGrid1Click(row);
    });
}
