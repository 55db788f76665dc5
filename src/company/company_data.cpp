#include "company_data.h"

#include "company_list.h"
#include "company_store.h"
#include "date_boxes.h"
#include "form_helpers.h"
#include "loaders.h"
#include "message_seam.h"
#include "screen_kit.h"
#include "settings_store.h"
#include "state.h"
#include "utilities.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

namespace {
const QString kMsgNameRequired = QStringLiteral("企業名称は必ず入力してください。");
const QString kMsgSurveyDate = QStringLiteral("調査日の入力エラーです。");
const QString kMsgRaiseDate = QStringLiteral("昇給日の入力エラーです。");
const QString kMsgModelRequired = QStringLiteral("モデルコードを入力して下さい。");
const QString kMsgLivingRequired = QStringLiteral("生計費コードを入力して下さい。");

const std::array<QString, 4> kKihonDefaults{QString(), QStringLiteral("年齢給"),
                                            QStringLiteral("職能給"), QStringLiteral("基本給")};
const std::array<QString, 6> kTeateDefaults{QString(),
                                            QStringLiteral("家族手当"),
                                            QStringLiteral("住宅手当"),
                                            QStringLiteral("役職手当"),
                                            QStringLiteral("調整手当"),
                                            QString()};
const QString kFullWidthDigits = QStringLiteral("０１２３４５６７８９");
constexpr int kDateBoxWidth = 40;

// An optional integer box: empty counts as 0; false when the text is no integer.
bool boxInt(const QLineEdit *box, int &value) {
    const QString text = box->text().trimmed();
    value = 0;
    if (text.isEmpty()) return true;
    bool ok = false;
    value = text.toInt(&ok);
    return ok;
}

// The base-up rate: empty counts as 0; false when the text is no finite number.
bool rateOf(const QLineEdit *box, double &rate) {
    const QString text = box->text().trimmed();
    rate = 0.0;
    bool ok = true;
    if (!text.isEmpty()) rate = text.toDouble(&ok);
    return ok && std::isfinite(rate);
}

void setComboText(QComboBox *box, const QString &text) {
    const int index = box->findText(text);
    box->setCurrentIndex(index);
    if (index < 0) box->setEditText(text);
}

// The link value of the option chosen (option n is value n - 1); 3 when none is.
int linkValue(const std::array<QRadioButton *, 5> &options) {
    for (int n = 1; n <= 4; ++n)
        if (options[n]->isChecked()) return n - 1;
    return 3;
}

void setLinkValue(const std::array<QRadioButton *, 5> &options, int value) {
    if (value < 0 || value > 3) value = 3;
    options[value + 1]->setChecked(true);
}
} // namespace

TNX0020::TNX0020(TNX0010 *list) : QDialog(list), m_list(list) {
    setObjectName(QStringLiteral("TNX0020"));
    setWindowTitle(QStringLiteral("企業データ"));
    m_exits = new TFieldExits(this, TFieldExits::Timing::AtOnce);
    m_changes = new TChangeTracker(this, TChangeTracker::Scope::Global);
    buildForm();
    InstallEnterMovesFocus(this);
}

void TNX0020::buildForm() {
    auto label = [this](const QString &text) { return new QLabel(text, this); };
    auto edit = [this](const QString &name, int maxLength, Align align = Align::Left) {
        QLineEdit *box = MakeEdit(this, qPrintable(name), maxLength, align);
        m_changes->watch(box, ChangeSource::Any);
        return box;
    };
    auto dateBoxes = [this](const char *era, const char *yy, const char *mm, const char *dd) {
        auto *boxes = new TDateBoxes(this, era, yy, mm, dd, kDateBoxWidth);
        m_changes->watch(boxes->era(), ChangeSource::Any);
        // Year boxes 0..99, month boxes 0..12, day boxes 0..31.
        const std::array<int, 3> upper{99, 12, 31};
        for (int i = 0; i < 3; ++i) {
            QLineEdit *box = boxes->parts()[i];
            m_changes->watch(box, ChangeSource::Any);
            watchExit(box, [this, box, top = upper[i]] { return checkDatePart(box, top); });
        }
        return boxes;
    };
    auto codeCombo = [this](const char *name) {
        QComboBox *box = MakeCombo(this, name, true);
        m_changes->watch(box, ChangeSource::Any);
        watchExit(box, [this, box] { return checkCode(box); });
        return box;
    };

    // Created in the order Enter and Tab move through them.
    m_txtCorpID = edit(QStringLiteral("txtCorpID"), 0, Align::Right);
    m_txtCorpID->setReadOnly(true);
    m_txtNendo = edit(QStringLiteral("txtNendo"), 0, Align::Center);
    m_txtNendo->setReadOnly(true);
    m_txtCorpName = edit(QStringLiteral("txtCorpName"), 60);
    m_chk = dateBoxes("cmbChkNengou", "txtChkyy", "txtChkmm", "txtChkdd");
    m_txtBaseUp = edit(QStringLiteral("txtBaseUp"), 8, Align::Right);
    watchExit(m_txtBaseUp, [this] { return checkBaseUp(); });
    m_txtSalaryKbn = edit(QStringLiteral("txtSalaryKbn"), 50);
    for (int i = 1; i <= 3; ++i)
        m_txtKihon[i] = edit(QStringLiteral("txtKihon%1").arg(i), 30);
    for (int i = 1; i <= 5; ++i)
        m_txtTeate[i] = edit(QStringLiteral("txtTeate%1").arg(i), 30);
    m_cmbModelCode = codeCombo("cmbModelCode");
    for (int i = 1; i <= 9; ++i)
        m_txtTokyu[i] = edit(QStringLiteral("txtTokyu%1").arg(i), 30);
    m_cmbLivingCode = codeCombo("cmbLivingCode");
    m_up = dateBoxes("cmbUPNengou", "txtUPyy", "txtUPmm", "txtUPdd");

    // The link choices are written back as loaded; their groups stay hidden.
    auto linkGroup = [this](std::array<QRadioButton *, 5> &options, const QString &prefix) {
        auto *group = new QGroupBox(QStringLiteral("連結"), this);
        auto *box = new QHBoxLayout(group);
        for (int n = 1; n <= 4; ++n) {
            options[n] = new QRadioButton(QString::number(n - 1), group);
            options[n]->setObjectName(prefix + QString::number(n));
            box->addWidget(options[n]);
            m_changes->watch(options[n], ChangeSource::Any);
        }
        group->hide();
        return group;
    };
    QGroupBox *salaryGroup = linkGroup(m_optSalary, QStringLiteral("optSalary"));
    QGroupBox *matlixGroup = linkGroup(m_optMatlix, QStringLiteral("optMatlix"));

    m_btnAdd = MakeButton(this, "btnAdd", QStringLiteral("登　録"));
    m_btnMnt = MakeButton(this, "btnMnt", QStringLiteral("修　正"));
    m_btnDlt = MakeButton(this, "btnDlt", QStringLiteral("削　除"));
    m_btnCansel = MakeButton(this, "btnCansel", QStringLiteral("ｷｬﾝｾﾙ"));
    m_btnClose = MakeButton(this, "btnClose", QStringLiteral("閉じる"));

    auto *left = new QGridLayout;
    int row = 0;
    auto addRow = [&](const QString &caption, QWidget *w) {
        left->addWidget(label(caption), row, 0);
        left->addWidget(w, row++, 1);
    };
    auto *keys = new QHBoxLayout;
    keys->addWidget(m_txtCorpID);
    keys->addWidget(label(QStringLiteral("年　度")));
    keys->addWidget(m_txtNendo);
    keys->addStretch();
    m_txtCorpID->setMaximumWidth(80);
    m_txtNendo->setMaximumWidth(70);
    left->addWidget(label(QStringLiteral("企業コード")), row, 0);
    left->addLayout(keys, row++, 1);
    addRow(QStringLiteral("企業名称"), m_txtCorpName);
    addRow(QStringLiteral("調査日"), m_chk);
    m_txtBaseUp->setMaximumWidth(90);
    addRow(QStringLiteral("ﾍﾞｰｽｱｯﾌﾟ率"), m_txtBaseUp);
    addRow(QStringLiteral("賃金体系"), m_txtSalaryKbn);
    addRow(QStringLiteral("モデルコード"), m_cmbModelCode);
    addRow(QStringLiteral("生計費コード"), m_cmbLivingCode);
    addRow(QStringLiteral("昇給日"), m_up);
    auto addHiddenRow = [&](const QString &caption, QLineEdit *box) {
        QLabel *l = label(caption);
        left->addWidget(l, row, 0);
        left->addWidget(box, row++, 1);
        l->hide();
        box->hide();
    };
    for (int i = 1; i <= 3; ++i)
        addHiddenRow(QStringLiteral("基本給項目名") + kFullWidthDigits.at(i), m_txtKihon[i]);
    for (int i = 1; i <= 5; ++i)
        addHiddenRow(QStringLiteral("手当項目名") + kFullWidthDigits.at(i), m_txtTeate[i]);
    left->addWidget(salaryGroup, row++, 0, 1, 2);
    left->addWidget(matlixGroup, row++, 0, 1, 2);
    left->setRowStretch(row, 1);

    auto *grades = new QGridLayout;
    for (int i = 1; i <= 9; ++i) {
        grades->addWidget(label(QStringLiteral("等級") + kFullWidthDigits.at(i)), i - 1, 0);
        grades->addWidget(m_txtTokyu[i], i - 1, 1);
    }
    grades->setRowStretch(9, 1);

    auto *fields = new QHBoxLayout;
    fields->addLayout(left, 3);
    fields->addSpacing(16);
    fields->addLayout(grades, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {m_btnAdd, m_btnMnt, m_btnDlt, m_btnCansel, m_btnClose})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    m_exits->onClick(m_btnAdd, [this] { btnAddClick(); });
    m_exits->onClick(m_btnMnt, [this] { btnMntClick(); });
    m_exits->onClick(m_btnDlt, [this] { btnDltClick(); });
    m_exits->onClick(m_btnCansel, [this] { btnCanselClick(); });
    connect(m_btnClose, &QPushButton::clicked, this, &TNX0020::btnCloseClick);
}

void TNX0020::prepare(int mode, int kco, int nendo) {
    m_mode = mode;
    m_key = ProjectKey{kco, nendo, true};
    const std::array<std::pair<QPushButton *, QString>, 3> modes{{
        {m_btnAdd, QStringLiteral("登録")},
        {m_btnMnt, QStringLiteral("修正")},
        {m_btnDlt, QStringLiteral("削除")},
    }};
    for (int i = 0; i < 3; ++i) {
        const bool active = i + 1 == mode;
        modes[i].first->setText(active ? modes[i].second : QString());
        modes[i].first->setEnabled(active);
    }
    {
        const auto quiet = m_changes->silence();
        m_txtNendo->setText(QString::number(nendo));
        m_txtCorpID->setText(QString::number(kco));
    }
    if (!m_inSession) {
        // The calendar of the company shown replaces gReki only while this screen is open.
        m_savedReki = G().gReki;
        m_inSession = true;
    }

    // Modal over the list; the list is refilled by this screen when it is done.
    setWindowModality(Qt::ApplicationModal);
    SizeToFit(this, sizeHint());
    show();
    activateWindow();
    initialise();
}

void TNX0020::initialise() {
    {
        const auto quiet = m_changes->silence();
        loadLists();
        clearForm();
        loadCalendar();
        if (m_mode == 2 || m_mode == 3) loadCompany();
    }
    m_txtCorpName->setFocus();
    m_changes->clear();
}

void TNX0020::clearForm() {
    m_txtCorpName->clear();
    m_txtSalaryKbn->clear();
    m_loadedName.clear();
    for (const TDateBoxes *boxes : {m_chk, m_up})
        for (QLineEdit *e : boxes->parts())
            e->setText(QStringLiteral("0"));
    m_txtBaseUp->setText(QStringLiteral("0"));
    for (int i = 1; i <= 3; ++i)
        m_txtKihon[i]->setText(kKihonDefaults[i]);
    for (int i = 1; i <= 5; ++i)
        m_txtTeate[i]->setText(kTeateDefaults[i]);
    for (int i = 1; i <= 9; ++i)
        m_txtTokyu[i]->setText(QStringLiteral("第") + kFullWidthDigits.at(i) +
                               QStringLiteral("等級"));
    for (QComboBox *box : {m_cmbModelCode, m_cmbLivingCode}) {
        box->setCurrentIndex(-1);
        box->setEditText(kCodeNone);
    }
    setLinkValue(m_optSalary, 3);
    setLinkValue(m_optMatlix, 3);
}

void TNX0020::loadLists() {
    // The models, and the living costs of all companies and years (one item per code).
    LoadModelList();
    LoadLivingList();
    for (auto [box, list] : {std::pair{m_cmbModelCode, &G().gModelList},
                             std::pair{m_cmbLivingCode, &G().gLivingList}}) {
        QStringList items;
        for (const TCodeName &entry : *list)
            items << CodeNameText(entry.Code, entry.Name);
        SetComboItems(box, items);
    }
}

void TNX0020::loadCalendar() {
    ProjectState &g = G();
    CompanyIndexRow index;
    ReadCompanyIndex(m_key.kco, m_key.nendo, index); // a new company has none: western years
    g.gReki = index.reki;
    QStringList eras;
    if (g.gReki != 0) {
        EraSettings table;
        ReadEraTable(table);
        for (int i = 1; i <= 3; ++i)
            if (!table.eras[i].name.isEmpty()) eras << table.eras[i].name;
    }
    eras << QString();
    for (TDateBoxes *boxes : {m_chk, m_up})
        boxes->setEras(eras, static_cast<int>(eras.size()) - 1, g.gReki != 0);
}

void TNX0020::loadCompany() {
    TMKIGYOU2 settings;
    settings.Kco = QString::number(m_key.kco);
    settings.Nendo = QString::number(m_key.nendo);
    if (!LoadCompanySettings(settings)) return;
    m_loadedName = settings.Kna;
    m_txtCorpName->setText(settings.Kna);
    m_txtBaseUp->setText(ShortestNumText(settings.Bearitsu));
    m_txtSalaryKbn->setText(settings.Taikei);
    ShowTexts(m_txtKihon, settings.Kkna, 3);
    ShowTexts(m_txtTeate, settings.Tna, 5);
    ShowTexts(m_txtTokyu, settings.Tk, 9);
    // A date of an era missing from the table shows the empty era item.
    m_chk->showYmd(settings.Cyousahi, m_chk->era()->count() - 1);
    m_up->showYmd(settings.Syoukyuhi, m_up->era()->count() - 1);
    setComboText(m_cmbModelCode, ModelCodeText(settings.Mdco));
    setComboText(m_cmbLivingCode, LivingCodeText(settings.Skco));
    setLinkValue(m_optSalary, settings.Frstkyu);
    setLinkValue(m_optMatlix, settings.Frstkyum);
}

// --- Field checks -----------------------------------------------------------------------

void TNX0020::watchExit(QWidget *field, std::function<bool()> check) {
    m_exits->watch(field, [this, check = std::move(check)] {
        return m_changes->silenced() || m_closing || check();
    });
}

bool TNX0020::checkDatePart(QLineEdit *box, int upper) {
    int value = 0;
    if (!boxInt(box, value) || value < 0 || value > upper) return RefuseField(box, kMsgOutOfRange);
    return true;
}

bool TNX0020::checkBaseUp() {
    double rate = 0.0;
    return rateOf(m_txtBaseUp, rate) || RefuseField(m_txtBaseUp, kMsgNotNumber);
}

// A typed code becomes the code-and-name text of its list ("3 : 未登録" when not listed).
bool TNX0020::checkCode(QComboBox *box) {
    if (box->currentText().trimmed().isEmpty()) return true;
    int code = 0;
    if (!ParseItemCode(box->currentText(), code)) return RefuseField(box, kMsgNotNumber);
    const QString text = code == 0               ? kCodeNone
                         : box == m_cmbModelCode ? ModelCodeText(code)
                                                 : LivingCodeText(code);
    if (box->currentText() != text) setComboText(box, text);
    return true;
}

bool TNX0020::readDate(const TDateBoxes *boxes, int &ymd) const {
    const std::array<int, 3> upper{99, 12, 31};
    for (int i = 0; i < 3; ++i) {
        int value = 0;
        if (!boxInt(boxes->parts()[i], value) || value < 0 || value > upper[i]) return false;
    }
    return boxes->readYmd(ymd);
}

bool TNX0020::readForm(TMKIGYOU2 &s, bool requireCodes) {
    if (requireCodes) {
        if (m_cmbModelCode->currentText().trimmed().isEmpty())
            return RefuseField(m_cmbModelCode, kMsgModelRequired);
        if (m_cmbLivingCode->currentText().trimmed().isEmpty())
            return RefuseField(m_cmbLivingCode, kMsgLivingRequired);
    }
    if (!readDate(m_chk, s.Cyousahi)) return RefuseField(m_chk->year(), kMsgSurveyDate);
    if (!readDate(m_up, s.Syoukyuhi)) return RefuseField(m_up->year(), kMsgRaiseDate);
    if (m_txtCorpName->text().trimmed().isEmpty())
        return RefuseField(m_txtCorpName, kMsgNameRequired);
    if (!rateOf(m_txtBaseUp, s.Bearitsu)) return RefuseField(m_txtBaseUp, kMsgNotNumber);
    // An empty code box stands for no code.
    int model = 0;
    int living = 0;
    for (auto [box, code] :
         {std::pair{m_cmbModelCode, &model}, std::pair{m_cmbLivingCode, &living}}) {
        if (box->currentText().trimmed().isEmpty()) continue;
        if (!ParseItemCode(box->currentText(), *code)) return RefuseField(box, kMsgNotNumber);
    }
    s.Kna = m_txtCorpName->text();
    s.Taikei = m_txtSalaryKbn->text();
    ReadTexts(m_txtKihon, s.Kkna, 3);
    ReadTexts(m_txtTeate, s.Tna, 5);
    s.Mcco = model;
    s.Mdco = model;
    ReadTexts(m_txtTokyu, s.Tk, 9);
    s.Skco = living;
    s.Frstkyu = linkValue(m_optSalary);
    s.Frstkyum = linkValue(m_optMatlix);
    return true;
}

// --- Register, modify, delete -----------------------------------------------------------

void TNX0020::btnAddClick() {
    if (m_mode != 1) return;
    if (!m_changes->changed()) {
        ShowMessage(kMsgNoChange);
        return;
    }
    if (m_txtCorpName->text().trimmed().isEmpty()) {
        RefuseField(m_txtCorpName, kMsgNameRequired);
        return;
    }
    TMKIGYOU2 settings;
    if (!readForm(settings, false)) return;
    const ProjectState &g = G();
    const int sdate = m_key.nendo * 10000 + g.gListMonth * 100 + g.gListDay;
    // On a failure nothing of the company was kept and the screen stays open.
    if (!RegisterCompany(m_key, settings, sdate)) return;
    closeScreen();
}

void TNX0020::btnMntClick() {
    if (m_mode != 2) return;
    TMKIGYOU2 settings;
    if (!readForm(settings, true)) return;
    if (!ModifyCompany(m_key, settings)) return;
    // The screen stays open on the stored values; the list shows the new name.
    initialise();
    refreshList();
}

void TNX0020::btnDltClick() {
    if (m_mode != 3) return;
    if (!AskDeleteData(QStringLiteral("削除"))) return;
    if (!DeleteCompany(m_key)) return;
    const QString name = m_loadedName.isEmpty() ? m_txtCorpName->text() : m_loadedName;
    ShowMessage(QStringLiteral("企業マスター 【　") + QString::number(m_key.nendo) +
                QStringLiteral("　年度　") + QString::number(m_key.kco) + QStringLiteral("　:　") +
                name + QStringLiteral("　】 を削除しました。"));
    closeScreen();
}

void TNX0020::btnCanselClick() {
    initialise();
}

void TNX0020::btnCloseClick() {
    if (m_changes->changed() && AskStayOnChangedData()) {
        m_txtCorpName->setFocus();
        return;
    }
    closeScreen();
}

void TNX0020::closeScreen() {
    m_changes->clear();
    QDialog::reject();
    refreshList();
}

void TNX0020::refreshList() {
    if (m_list) m_list->refill();
}

void TNX0020::reject() {
    btnCloseClick();
}

void TNX0020::done(int result) {
    m_closing = true;
    if (m_inSession) {
        G().gReki = m_savedReki;
        m_inSession = false;
    }
    QDialog::done(result);
    m_closing = false;
}
