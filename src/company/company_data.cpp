#include "company_data.h"

#include "company_list.h"
#include "edit_controls.h"
#include "form_helpers.h"
#include "message_seam.h"
#include "state.h"
#include "tdm.h"
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
#include <functional>

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

// The per-project tables a company is deleted from, in the order they are emptied. The
// living costs (MSEIKEI) are shared by all companies and stay.
const QStringList kDataTables = {
    QStringLiteral("MSYAIN1"),    QStringLiteral("MSYAIN2"),   QStringLiteral("MKIGYOU2"),
    QStringLiteral("MMARK"),      QStringLiteral("MGRAPH"),    QStringLiteral("MCHART"),
    QStringLiteral("DCHINGIN"),   QStringLiteral("DCHINGIN2"), QStringLiteral("DKSEN2"),
    QStringLiteral("DKSEN3"),     QStringLiteral("DSCALE"),    QStringLiteral("DSPDRAW"),
    QStringLiteral("MCHINGIN"),   QStringLiteral("MHYOUKA"),   QStringLiteral("YHYOUKA"),
    QStringLiteral("BANDM"),      QStringLiteral("MATRIXID"),  QStringLiteral("MATRIXCELL"),
    QStringLiteral("SALARYNAME"),
};

// An optional integer box: empty counts as 0; false when the text is no integer.
bool boxInt(const QLineEdit *box, int &value) {
    const QString text = box->text().trimmed();
    value = 0;
    if (text.isEmpty()) return true;
    bool ok = false;
    value = text.toInt(&ok);
    return ok;
}

// The code of a code-and-name box: its first space-separated field.
bool codeOf(const QComboBox *box, int &code) {
    bool ok = false;
    code = TextBeforeSpace(box->currentText().trimmed()).toInt(&ok);
    return ok;
}

QString keyCondition(int kco, int nendo) {
    return QStringLiteral(" WHERE NENDO = ") + SqlInt(nendo) + QStringLiteral(" AND KCO = ") +
           SqlInt(kco);
}

void setComboText(QComboBox *box, const QString &text) {
    const int index = box->findText(text);
    box->setCurrentIndex(index);
    if (index < 0) box->setEditText(text);
}

// Both parts of a save are kept only when every statement of both ran. The data part is
// committed first; should the control part then fail, undo removes the data part again.
bool commitBoth(ScopedTransaction &control, ScopedTransaction &data,
                const std::function<void()> &undo) {
    if (!data.commit()) return false;
    if (control.commit()) return true;
    if (undo) undo();
    return false;
}
} // namespace

TNX0020::TNX0020(TNX0010 *list) : QDialog(list), m_list(list) {
    setObjectName(QStringLiteral("TNX0020"));
    setWindowTitle(QStringLiteral("企業データ"));
    m_exits = new TFieldExits(this, TFieldExits::Timing::AtOnce);
    BuildForm();
    InstallEnterMovesFocus(this);
}

void TNX0020::BuildForm() {
    auto lineEdit = [this](QLineEdit *edit, const char *name, int maxLength) {
        edit->setObjectName(QLatin1String(name));
        if (maxLength > 0) edit->setMaxLength(maxLength);
        WatchChanges(edit, ChangeSource::Any, [this] { MarkChanged(); });
        return edit;
    };
    auto label = [this](const QString &text) { return new QLabel(text, this); };
    auto dateBoxes = [&](const char *era, const char *yy, const char *mm, const char *dd) {
        DateBoxes b;
        b.era = new QComboBox(this);
        b.era->setObjectName(QLatin1String(era));
        WatchChanges(b.era, ChangeSource::Any, [this] { MarkChanged(); });
        b.year = lineEdit(new TRightEdit(this), yy, 2);
        b.month = lineEdit(new TRightEdit(this), mm, 2);
        b.day = lineEdit(new TRightEdit(this), dd, 2);
        for (QLineEdit *e : {b.year, b.month, b.day}) {
            e->setMaximumWidth(40);
            watchExit(e);
        }
        return b;
    };
    auto dateRow = [&](const DateBoxes &b) {
        auto *row = new QHBoxLayout;
        row->addWidget(b.era);
        row->addWidget(b.year);
        row->addWidget(label(QStringLiteral("年")));
        row->addWidget(b.month);
        row->addWidget(label(QStringLiteral("月")));
        row->addWidget(b.day);
        row->addWidget(label(QStringLiteral("日")));
        row->addStretch();
        return row;
    };
    auto codeCombo = [this](const char *name) {
        auto *box = new QComboBox(this);
        box->setObjectName(QLatin1String(name));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setCompleter(nullptr);
        watchExit(box);
        WatchChanges(box, ChangeSource::Any, [this] { MarkChanged(); });
        return box;
    };

    // Created in the order Enter and Tab move through them.
    m_txtCorpID = lineEdit(new TRightEdit(this), "txtCorpID", 0);
    m_txtCorpID->setReadOnly(true);
    m_txtNendo = lineEdit(new TCenterEdit(this), "txtNendo", 0);
    m_txtNendo->setReadOnly(true);
    m_txtCorpName = lineEdit(new QLineEdit(this), "txtCorpName", 60);
    m_chk = dateBoxes("cmbChkNengou", "txtChkyy", "txtChkmm", "txtChkdd");
    m_txtBaseUp = lineEdit(new TRightEdit(this), "txtBaseUp", 8);
    watchExit(m_txtBaseUp);
    m_txtSalaryKbn = lineEdit(new QLineEdit(this), "txtSalaryKbn", 50);
    for (int i = 1; i <= 3; ++i)
        m_txtKihon[i] =
            lineEdit(new QLineEdit(this), qPrintable(QStringLiteral("txtKihon%1").arg(i)), 30);
    for (int i = 1; i <= 5; ++i)
        m_txtTeate[i] =
            lineEdit(new QLineEdit(this), qPrintable(QStringLiteral("txtTeate%1").arg(i)), 30);
    m_cmbModelCode = codeCombo("cmbModelCode");
    for (int i = 1; i <= 9; ++i)
        m_txtTokyu[i] =
            lineEdit(new QLineEdit(this), qPrintable(QStringLiteral("txtTokyu%1").arg(i)), 30);
    m_cmbLivingCode = codeCombo("cmbLivingCode");
    m_up = dateBoxes("cmbUPNengou", "txtUPyy", "txtUPmm", "txtUPdd");

    // The link choices are written back as loaded; their groups stay hidden.
    auto linkGroup = [this](std::array<QRadioButton *, 4> &options, const char *prefix) {
        auto *group = new QGroupBox(QStringLiteral("連結"), this);
        auto *box = new QHBoxLayout(group);
        for (int i = 0; i < 4; ++i) {
            options[static_cast<size_t>(i)] = new QRadioButton(QString::number(i), group);
            options[static_cast<size_t>(i)]->setObjectName(QLatin1String(prefix) +
                                                           QString::number(i + 1));
            box->addWidget(options[static_cast<size_t>(i)]);
            WatchChanges(options[static_cast<size_t>(i)], ChangeSource::Any,
                         [this] { MarkChanged(); });
        }
        group->hide();
        return group;
    };
    QGroupBox *salaryGroup = linkGroup(m_optSalary, "optSalary");
    QGroupBox *matlixGroup = linkGroup(m_optMatlix, "optMatlix");

    auto button = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    m_btnAdd = button("btnAdd", QStringLiteral("登　録"));
    m_btnMnt = button("btnMnt", QStringLiteral("修　正"));
    m_btnDlt = button("btnDlt", QStringLiteral("削　除"));
    m_btnCansel = button("btnCansel", QStringLiteral("ｷｬﾝｾﾙ"));
    m_btnClose = button("btnClose", QStringLiteral("閉じる"));

    auto *left = new QGridLayout;
    int row = 0;
    auto addRow = [&](const QString &caption, QWidget *w) {
        left->addWidget(label(caption), row, 0);
        left->addWidget(w, row++, 1);
    };
    auto addLayoutRow = [&](const QString &caption, QLayout *l) {
        left->addWidget(label(caption), row, 0);
        left->addLayout(l, row++, 1);
    };
    auto *keys = new QHBoxLayout;
    keys->addWidget(m_txtCorpID);
    keys->addWidget(label(QStringLiteral("年　度")));
    keys->addWidget(m_txtNendo);
    keys->addStretch();
    m_txtCorpID->setMaximumWidth(80);
    m_txtNendo->setMaximumWidth(70);
    addLayoutRow(QStringLiteral("企業コード"), keys);
    addRow(QStringLiteral("企業名称"), m_txtCorpName);
    addLayoutRow(QStringLiteral("調査日"), dateRow(m_chk));
    m_txtBaseUp->setMaximumWidth(90);
    addRow(QStringLiteral("ﾍﾞｰｽｱｯﾌﾟ率"), m_txtBaseUp);
    addRow(QStringLiteral("賃金体系"), m_txtSalaryKbn);
    addRow(QStringLiteral("モデルコード"), m_cmbModelCode);
    addRow(QStringLiteral("生計費コード"), m_cmbLivingCode);
    addLayoutRow(QStringLiteral("昇給日"), dateRow(m_up));
    const QString fullDigits = kFullWidthDigits;
    for (int i = 1; i <= 3; ++i) {
        QLabel *l = label(QStringLiteral("基本給項目名") + fullDigits.at(i));
        left->addWidget(l, row, 0);
        left->addWidget(m_txtKihon[i], row++, 1);
        l->hide();
        m_txtKihon[i]->hide();
    }
    for (int i = 1; i <= 5; ++i) {
        QLabel *l = label(QStringLiteral("手当項目名") + fullDigits.at(i));
        left->addWidget(l, row, 0);
        left->addWidget(m_txtTeate[i], row++, 1);
        l->hide();
        m_txtTeate[i]->hide();
    }
    left->addWidget(salaryGroup, row++, 0, 1, 2);
    left->addWidget(matlixGroup, row++, 0, 1, 2);
    left->setRowStretch(row, 1);

    auto *grades = new QGridLayout;
    for (int i = 1; i <= 9; ++i) {
        grades->addWidget(label(QStringLiteral("等級") + fullDigits.at(i)), i - 1, 0);
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

    connect(m_btnAdd, &QPushButton::clicked, this, &TNX0020::btnAddClick);
    connect(m_btnMnt, &QPushButton::clicked, this, &TNX0020::btnMntClick);
    connect(m_btnDlt, &QPushButton::clicked, this, &TNX0020::btnDltClick);
    connect(m_btnCansel, &QPushButton::clicked, this, &TNX0020::btnCanselClick);
    connect(m_btnClose, &QPushButton::clicked, this, &TNX0020::btnCloseClick);
}

void TNX0020::prepare(int mode, int kco, int nendo) {
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
    m_txtNendo->setText(QString::number(nendo));
    m_txtCorpID->setText(QString::number(kco));

    // Modal over the list; the list is refilled by this screen when it is done.
    setWindowModality(Qt::ApplicationModal);
    show();
    activateWindow();
    Initialise();
}

void TNX0020::Initialise() {
    if (!m_inSession) {
        // The calendar of the company shown replaces gReki only while this screen is open.
        m_savedReki = G().gReki;
        m_inSession = true;
    }
    m_loading = true;
    LoadLists();
    ClearForm();
    LoadCalendar();
    const int mode = G().gEditMode;
    if (mode == 2 || mode == 3) LoadCompany();
    m_loading = false;
    m_txtCorpName->setFocus();
    G().gDataChanged = 0;
}

void TNX0020::ClearForm() {
    m_txtCorpName->clear();
    m_txtSalaryKbn->clear();
    m_loadedName.clear();
    for (const DateBoxes *b : {&m_chk, &m_up})
        for (QLineEdit *e : {b->year, b->month, b->day})
            e->setText(QStringLiteral("0"));
    m_txtBaseUp->setText(QStringLiteral("0"));
    for (int i = 1; i <= 3; ++i)
        m_txtKihon[i]->setText(kKihonDefaults[static_cast<size_t>(i)]);
    for (int i = 1; i <= 5; ++i)
        m_txtTeate[i]->setText(kTeateDefaults[static_cast<size_t>(i)]);
    for (int i = 1; i <= 9; ++i)
        m_txtTokyu[i]->setText(QStringLiteral("第") + kFullWidthDigits.at(i) +
                               QStringLiteral("等級"));
    for (QComboBox *box : {m_cmbModelCode, m_cmbLivingCode}) {
        box->setCurrentIndex(-1);
        box->setEditText(kCodeNone);
    }
    SetLinkValue(m_optSalary, 3);
    SetLinkValue(m_optMatlix, 3);
}

void TNX0020::LoadLists() {
    ProjectState &g = G();
    m_cmbModelCode->clear();
    g.gModelList.clear();
    TQuery &q1 = DM().Query1;
    RunSql(q1, QStringLiteral("SELECT * FROM MDEL ORDER BY MDCO"), 'S');
    for (; !q1.Eof(); q1.Next()) {
        const TCodeName entry{q1.AsString(QStringLiteral("MDCO")),
                              q1.AsString(QStringLiteral("MDNA"))};
        m_cmbModelCode->addItem(CodeNameText(entry.Code, entry.Name));
        g.gModelList.push_back(entry);
    }
    q1.Close();
    g.gModelCount = static_cast<int>(g.gModelList.size());

    // Living costs of all companies and years, one item per code.
    m_cmbLivingCode->clear();
    g.gLivingList.clear();
    TQuery &q21 = DM().Query21;
    RunSql(q21, QStringLiteral("SELECT * FROM MSEIKEI ORDER BY SKCO,SNIN,SNENREI"), 'S');
    bool first = true;
    int previous = 0;
    for (; !q21.Eof(); q21.Next()) {
        const int code = q21.AsInteger(QStringLiteral("SKCO"));
        if (!first && code == previous) continue;
        first = false;
        previous = code;
        const TCodeName entry{QString::number(code), q21.AsString(QStringLiteral("DEDOKORO"))};
        m_cmbLivingCode->addItem(CodeNameText(entry.Code, entry.Name));
        g.gLivingList.push_back(entry);
    }
    q21.Close();
    g.gLivingCount = static_cast<int>(g.gLivingList.size());
}

void TNX0020::LoadCalendar() {
    ProjectState &g = G();
    int kco = 0, nendo = 0;
    g.gReki = 0;
    if (Keys(kco, nendo)) {
        TQuery &q = DM().Query1;
        RunSql(q, QStringLiteral("SELECT * FROM MKIGYOU1") + keyCondition(kco, nendo), 'S');
        g.gReki = q.AsInteger(QStringLiteral("REKI"));
        q.Close();
    }
    QStringList eras;
    if (g.gReki != 0) {
        TQuery &q = DM().Query2;
        RunSql(q, QStringLiteral("SELECT * FROM MSEIGYO WHERE CO = 0"), 'S');
        for (int i = 1; i <= 3; ++i) {
            const QString name = q.AsString(QStringLiteral("REKI%1").arg(i));
            if (!name.isEmpty()) eras << name;
        }
        q.Close();
        eras << QString();
    }
    for (QComboBox *box : {m_chk.era, m_up.era}) {
        box->clear();
        box->addItems(eras);
        box->setCurrentIndex(static_cast<int>(eras.size()) - 1);
        box->setVisible(g.gReki != 0);
    }
}

void TNX0020::LoadCompany() {
    int kco = 0, nendo = 0;
    if (!Keys(kco, nendo)) return;
    TQuery &q = DM().Query21;
    RunSql(q,
           QStringLiteral("SELECT * FROM MKIGYOU2") + keyCondition(kco, nendo) +
               QStringLiteral(" ORDER BY KCO"),
           'S');
    if (q.Eof()) {
        q.Close();
        return;
    }
    m_loadedName = q.AsString(QStringLiteral("KNA"));
    m_txtCorpName->setText(m_loadedName);
    const int cyousahi = q.AsInteger(QStringLiteral("CYOUSAHI"));
    const int syoukyuhi = q.AsInteger(QStringLiteral("SYOUKYUHI"));
    m_txtBaseUp->setText(ShortestNumText(q.AsFloat(QStringLiteral("BEARITSU"))));
    m_txtSalaryKbn->setText(q.AsString(QStringLiteral("TAIKEI")));
    for (int i = 1; i <= 3; ++i)
        m_txtKihon[i]->setText(q.AsString(QStringLiteral("KKNA%1").arg(i)));
    for (int i = 1; i <= 5; ++i)
        m_txtTeate[i]->setText(q.AsString(QStringLiteral("TNA%1").arg(i)));
    for (int i = 1; i <= 9; ++i)
        m_txtTokyu[i]->setText(q.AsString(QStringLiteral("TK%1").arg(i, 2, 10, QLatin1Char('0'))));
    const int mdco = q.AsInteger(QStringLiteral("MDCO"));
    const int skco = q.AsInteger(QStringLiteral("SKCO"));
    const int frstkyu = q.AsInteger(QStringLiteral("FRSTKYU"));
    const int frstkyum = q.AsInteger(QStringLiteral("FRSTKYUM"));
    q.Close();

    ShowDate(m_chk, cyousahi);
    ShowDate(m_up, syoukyuhi);
    setComboText(m_cmbModelCode, ModelCodeText(mdco));
    setComboText(m_cmbLivingCode, LivingCodeText(skco));
    SetLinkValue(m_optSalary, frstkyu);
    SetLinkValue(m_optMatlix, frstkyum);
}

void TNX0020::ShowDate(const DateBoxes &boxes, int ymd) {
    TYMD d;
    d.Ymd = QString::number(ymd);
    SplitDate(d);
    boxes.year->setText(d.Year);
    boxes.month->setText(d.Month);
    boxes.day->setText(d.Day);
    if (G().gReki != 0) {
        const int index = boxes.era->findText(d.Era);
        boxes.era->setCurrentIndex(index >= 0 ? index : boxes.era->count() - 1);
    }
}

bool TNX0020::Keys(int &kco, int &nendo) const {
    bool okKco = false, okNendo = false;
    kco = m_txtCorpID->text().trimmed().toInt(&okKco);
    nendo = m_txtNendo->text().trimmed().toInt(&okNendo);
    return okKco && okNendo && kco > 0 && nendo > 0;
}

int TNX0020::LinkValue(const std::array<QRadioButton *, 4> &options) const {
    for (int i = 0; i < 4; ++i)
        if (options[static_cast<size_t>(i)]->isChecked()) return i;
    return 3;
}

void TNX0020::SetLinkValue(const std::array<QRadioButton *, 4> &options, int value) {
    if (value < 0 || value > 3) value = 3;
    options[static_cast<size_t>(value)]->setChecked(true);
}

void TNX0020::MarkChanged() {
    if (!m_loading) G().gDataChanged = 1;
}

// --- Field checks -----------------------------------------------------------------------

void TNX0020::watchExit(QWidget *field) {
    m_exits->watch(field, [this, field] {
        if (m_loading || m_closing || FieldExit(field)) return true;
        field->setFocus();
        return false;
    });
}

bool TNX0020::FieldExit(QWidget *field) {
    bool ok = true;
    auto refuse = [&](const QString &message) {
        ShowMessage(message);
        ok = false;
    };
    // Year boxes 0..99, month boxes 0..12, day boxes 0..31; empty counts as 0.
    const std::array<std::pair<QLineEdit *, int>, 6> ranges{{{m_chk.year, 99},
                                                             {m_chk.month, 12},
                                                             {m_chk.day, 31},
                                                             {m_up.year, 99},
                                                             {m_up.month, 12},
                                                             {m_up.day, 31}}};
    for (const auto &[box, upper] : ranges) {
        if (field != box) continue;
        int value = 0;
        if (!boxInt(box, value) || value < 0 || value > upper) refuse(kMsgOutOfRange);
    }
    if (field == m_txtBaseUp) {
        double rate = 0.0;
        const QString text = m_txtBaseUp->text().trimmed();
        bool number = true;
        if (!text.isEmpty()) rate = text.toDouble(&number);
        if (!number || !std::isfinite(rate)) refuse(kMsgNotNumber);
    }
    if (field == m_cmbModelCode || field == m_cmbLivingCode) {
        auto *box = static_cast<QComboBox *>(field);
        if (!box->currentText().trimmed().isEmpty()) {
            int code = 0;
            if (!codeOf(box, code)) {
                refuse(kMsgNotNumber);
            } else {
                const QString text = code == 0               ? kCodeNone
                                     : box == m_cmbModelCode ? ModelCodeText(code)
                                                             : LivingCodeText(code);
                if (box->currentText() != text) setComboText(box, text);
            }
        }
    }
    return ok;
}

bool TNX0020::ReadDate(const DateBoxes &boxes, int &ymd) {
    const std::array<std::pair<QLineEdit *, int>, 3> parts{
        {{boxes.year, 99}, {boxes.month, 12}, {boxes.day, 31}}};
    for (const auto &[box, upper] : parts) {
        int value = 0;
        if (!boxInt(box, value) || value < 0 || value > upper) return false;
    }
    TYMD d;
    d.Era = G().gReki != 0 ? boxes.era->currentText() : QString();
    d.Year = boxes.year->text().trimmed();
    d.Month = boxes.month->text().trimmed();
    d.Day = boxes.day->text().trimmed();
    if (!JoinDate(d)) return false;
    bool ok = false;
    ymd = d.Ymd.toInt(&ok);
    return ok;
}

bool TNX0020::ReadForm(FormValues &values, bool requireCodes) {
    auto refuse = [](QWidget *field, const QString &message) {
        ShowMessage(message);
        field->setFocus();
        return false;
    };
    if (requireCodes) {
        if (m_cmbModelCode->currentText().trimmed().isEmpty())
            return refuse(m_cmbModelCode, kMsgModelRequired);
        if (m_cmbLivingCode->currentText().trimmed().isEmpty())
            return refuse(m_cmbLivingCode, kMsgLivingRequired);
    }
    if (!ReadDate(m_chk, values.cyousahi)) return refuse(m_chk.year, kMsgSurveyDate);
    if (!ReadDate(m_up, values.syoukyuhi)) return refuse(m_up.year, kMsgRaiseDate);
    if (m_txtCorpName->text().trimmed().isEmpty()) return refuse(m_txtCorpName, kMsgNameRequired);

    const QString rate = m_txtBaseUp->text().trimmed();
    bool ok = true;
    values.bearitsu = rate.isEmpty() ? 0.0 : rate.toDouble(&ok);
    if (!ok || !std::isfinite(values.bearitsu)) return refuse(m_txtBaseUp, kMsgNotNumber);
    // An empty code box stands for no code.
    for (auto [box, code] : {std::pair{m_cmbModelCode, &values.modelCode},
                             std::pair{m_cmbLivingCode, &values.livingCode}}) {
        if (box->currentText().trimmed().isEmpty()) continue;
        if (!codeOf(box, *code)) return refuse(box, kMsgNotNumber);
    }
    values.frstkyu = LinkValue(m_optSalary);
    values.frstkyum = LinkValue(m_optMatlix);
    return true;
}

// --- Register, modify, delete -----------------------------------------------------------

void TNX0020::btnAddClick() {
    ProjectState &g = G();
    if (g.gEditMode != 1) return;
    if (g.gDataChanged == 0) {
        ShowMessage(kMsgNoChange);
        return;
    }
    if (m_txtCorpName->text().trimmed().isEmpty()) {
        ShowMessage(kMsgNameRequired);
        m_txtCorpName->setFocus();
        return;
    }
    FormValues v;
    int kco = 0, nendo = 0;
    if (!ReadForm(v, false) || !Keys(kco, nendo)) return;

    const QString name = m_txtCorpName->text();
    const int sdate = nendo * 10000 + g.gListMonth * 100 + g.gListDay;
    QStringList settings{SqlInt(kco),        SqlInt(nendo),      SqlText(name),
                         SqlInt(v.cyousahi), SqlNum(v.bearitsu), SqlText(m_txtSalaryKbn->text())};
    for (int i = 1; i <= 3; ++i)
        settings << SqlText(m_txtKihon[i]->text());
    for (int i = 1; i <= 5; ++i)
        settings << SqlText(m_txtTeate[i]->text());
    settings << SqlInt(v.modelCode) << SqlInt(v.modelCode);
    for (int i = 1; i <= 9; ++i)
        settings << SqlText(m_txtTokyu[i]->text());
    settings << SqlInt(v.frstkyu) << SqlInt(v.livingCode) << SqlInt(v.syoukyuhi)
             << SqlInt(v.frstkyum) << SqlInt(0);

    bool ok = false;
    {
        ScopedTransaction control(DM().ACN1);
        ScopedTransaction data(DM().ACN2);
        ok = true;
        auto run = [&ok](TQuery &q, const QString &sql) {
            if (ok) ok = RunSql(q, sql, 'E');
        };
        run(DM().Query1,
            QStringLiteral("INSERT INTO MKIGYOU1 (KCO, NENDO, KNA, PATH, SDATE, FNK, KDATE, REKI) "
                           "VALUES (") +
                QStringList{SqlInt(kco), SqlInt(nendo), SqlText(name), SqlText(QString()),
                            SqlInt(sdate), SqlInt(0), SqlInt(20040401), SqlInt(0)}
                    .join(QLatin1Char(',')) +
                QLatin1Char(')'));
        run(DM().Query21,
            QStringLiteral("INSERT INTO MKIGYOU2(KCO, NENDO, KNA, CYOUSAHI, BEARITSU, TAIKEI, "
                           "KKNA1, KKNA2, KKNA3, TNA1, TNA2, TNA3, TNA4, TNA5, MCCO, MDCO, TK01, "
                           "TK02, TK03, TK04, TK05, TK06, TK07, TK08, TK09, FRSTKYU, SKCO, "
                           "SYOUKYUHI, FRSTKYUM, FRENCM) VALUES (") +
                settings.join(QLatin1Char(',')) + QLatin1Char(')'));

        // The default marks and graph lines of a new company.
        TQuery &defaults = DM().Query1;
        for (int m = 1; m <= 6 && ok; ++m) {
            RunSql(defaults,
                   QStringLiteral("SELECT * FROM MMMARK WHERE MKCO = %1 AND NENDO = 9999 AND "
                                  "KCO = 0")
                       .arg(m),
                   'S');
            if (defaults.Eof()) continue;
            const QString values =
                QStringList{SqlInt(kco),
                            SqlInt(nendo),
                            SqlInt(defaults.AsInteger(QStringLiteral("MKCO"))),
                            SqlText(defaults.AsString(QStringLiteral("MARK"))),
                            SqlText(defaults.AsString(QStringLiteral("HANREI"))),
                            SqlText(defaults.AsString(QStringLiteral("MKCOLOR"))),
                            SqlInt(defaults.AsInteger(QStringLiteral("MKSIZE"))),
                            SqlText(defaults.AsString(QStringLiteral("KCOLOR"))),
                            SqlInt(defaults.AsInteger(QStringLiteral("KSYURUI"))),
                            SqlInt(defaults.AsInteger(QStringLiteral("KHABA")))}
                    .join(QLatin1Char(','));
            run(DM().Query21, QStringLiteral("INSERT INTO MMARK(KCO, NENDO, MKCO, MARK, HANREI, "
                                             "MKCOLOR, MKSIZE, KCOLOR, KSYURUI, KHABA) VALUES (") +
                                  values + QLatin1Char(')'));
        }
        for (int line = 1; line <= 4 && ok; ++line) {
            RunSql(defaults,
                   QStringLiteral("SELECT * FROM MMGRAPH WHERE GSCO = %1 AND NENDO = 9999 AND "
                                  "KCO = 0")
                       .arg(line),
                   'S');
            if (defaults.Eof()) continue;
            const QString values =
                QStringList{SqlInt(kco),
                            SqlInt(nendo),
                            SqlInt(defaults.AsInteger(QStringLiteral("GSCO"))),
                            SqlText(defaults.AsString(QStringLiteral("CCOLOR"))),
                            SqlInt(defaults.AsInteger(QStringLiteral("CSYURUI"))),
                            SqlInt(defaults.AsInteger(QStringLiteral("CHABA")))}
                    .join(QLatin1Char(','));
            run(DM().Query21,
                QStringLiteral("INSERT INTO MGRAPH(KCO, NENDO, GSCO, CCOLOR, CSYURUI, CHABA) "
                               "VALUES (") +
                    values + QLatin1Char(')'));
        }
        defaults.Close();

        if (ok && (!control.active() || !data.active())) {
            ShowMessage(kMsgSqlUnknown, QString(), MsgIcon::Error);
            ok = false;
        }
        if (ok)
            ok = commitBoth(control, data, [kco, nendo] {
                ScopedTransaction undo(DM().ACN2);
                for (const char *table : {"MKIGYOU2", "MMARK", "MGRAPH"})
                    RunSql(DM().Query21,
                           QStringLiteral("DELETE FROM ") + QLatin1String(table) +
                               keyCondition(kco, nendo),
                           'E');
                undo.commit();
            });
    }
    if (!ok) return; // nothing of the company was kept; the screen stays open
    CloseScreen();
}

void TNX0020::btnMntClick() {
    if (G().gEditMode != 2) return;
    FormValues v;
    int kco = 0, nendo = 0;
    if (!ReadForm(v, true) || !Keys(kco, nendo)) return;

    const QString name = m_txtCorpName->text();
    QStringList assignments{
        QStringLiteral("KNA = ") + SqlText(name),
        QStringLiteral("CYOUSAHI = ") + SqlInt(v.cyousahi),
        QStringLiteral("BEARITSU = ") + SqlNum(v.bearitsu),
        QStringLiteral("TAIKEI = ") + SqlText(m_txtSalaryKbn->text()),
    };
    for (int i = 1; i <= 3; ++i)
        assignments << QStringLiteral("KKNA%1 = ").arg(i) + SqlText(m_txtKihon[i]->text());
    for (int i = 1; i <= 5; ++i)
        assignments << QStringLiteral("TNA%1 = ").arg(i) + SqlText(m_txtTeate[i]->text());
    assignments << QStringLiteral("MCCO = ") + SqlInt(v.modelCode)
                << QStringLiteral("MDCO = ") + SqlInt(v.modelCode);
    for (int i = 1; i <= 9; ++i)
        assignments << QStringLiteral("TK%1 = ").arg(i, 2, 10, QLatin1Char('0')) +
                           SqlText(m_txtTokyu[i]->text());
    assignments << QStringLiteral("FRSTKYU = ") + SqlInt(v.frstkyu)
                << QStringLiteral("SKCO = ") + SqlInt(v.livingCode)
                << QStringLiteral("SYOUKYUHI = ") + SqlInt(v.syoukyuhi)
                << QStringLiteral("FRSTKYUM = ") + SqlInt(v.frstkyum)
                << QStringLiteral("FRENCM = ") + SqlInt(0);

    bool ok = false;
    {
        ScopedTransaction control(DM().ACN1);
        ScopedTransaction data(DM().ACN2);
        ok = RunSql(DM().Query1,
                    QStringLiteral("UPDATE MKIGYOU1 SET KNA = ") + SqlText(name) +
                        keyCondition(kco, nendo),
                    'E') &&
             RunSql(DM().Query21,
                    QStringLiteral("UPDATE MKIGYOU2 SET ") +
                        assignments.join(QStringLiteral(", ")) + keyCondition(kco, nendo),
                    'E');
        if (ok && (!control.active() || !data.active())) {
            ShowMessage(kMsgSqlUnknown, QString(), MsgIcon::Error);
            ok = false;
        }
        if (ok) ok = commitBoth(control, data, {});
    }
    if (!ok) return;

    // The screen stays open on the stored values; the list shows the new name.
    m_loading = true;
    LoadLists();
    ClearForm();
    LoadCalendar();
    LoadCompany();
    m_loading = false;
    m_txtCorpName->setFocus();
    G().gDataChanged = 0;
    RefreshList();
}

void TNX0020::btnDltClick() {
    if (G().gEditMode != 3) return;
    if (!AskDeleteData(QStringLiteral("削除"))) return;
    int kco = 0, nendo = 0;
    if (!Keys(kco, nendo)) return;

    bool ok = false;
    {
        ScopedTransaction control(DM().ACN1);
        ScopedTransaction data(DM().ACN2);
        ok = control.active() && data.active();
        if (!ok) ShowMessage(kMsgSqlUnknown, QString(), MsgIcon::Error);
        for (const QString &table : kDataTables) {
            if (!ok) break;
            ok = RunSql(DM().Query21,
                        QStringLiteral("DELETE FROM ") + table + keyCondition(kco, nendo), 'E');
        }
        if (ok)
            ok = RunSql(DM().Query1,
                        QStringLiteral("DELETE FROM MKIGYOU1") + keyCondition(kco, nendo), 'E');
        // Should the index row survive a failure, the company can still be deleted again.
        if (ok) ok = commitBoth(control, data, {});
    }
    if (!ok) return;

    const QString name = m_loadedName.isEmpty() ? m_txtCorpName->text() : m_loadedName;
    ShowMessage(QStringLiteral("企業マスター 【　") + QString::number(nendo) +
                QStringLiteral("　年度　") + QString::number(kco) + QStringLiteral("　:　") + name +
                QStringLiteral("　】 を削除しました。"));
    CloseScreen();
}

void TNX0020::btnCanselClick() {
    Initialise();
}

void TNX0020::btnCloseClick() {
    if (G().gDataChanged == 1 && AskStayOnChangedData()) {
        m_txtCorpName->setFocus();
        return;
    }
    CloseScreen();
}

void TNX0020::CloseScreen() {
    G().gDataChanged = 0;
    QDialog::reject();
    RefreshList();
}

void TNX0020::RefreshList() {
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
