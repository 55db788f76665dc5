#include "wage_page.h"

#include "employee_store.h"
#include "form_helpers.h"
#include "loaders.h"
#include "screen_kit.h"
#include "utilities.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

namespace {
constexpr int kRateDigits = 15;

// "#,##0.000".
QString groupedRate(double value) {
    const double rounded = RoundHalfUp(4, value);
    const qint64 whole = ToInt64(rounded);
    const int frac = static_cast<int>(std::llround(std::fabs(rounded - whole) * 1000));
    QString text = FormatAmount(whole < 0 ? -whole : whole) + QLatin1Char('.') +
                   QStringLiteral("%1").arg(frac, 3, 10, QLatin1Char('0'));
    return rounded < 0 ? QLatin1Char('-') + text : text;
}

// The refusal of a number box (empty is 0 and allowed); empty when the text is valid.
QString numberMessage(const QLineEdit *edit, int digits) {
    const QString text = edit->text().trimmed();
    return text.isEmpty() ? QString() : CheckNumText(text, digits);
}
} // namespace

TWagePage::TWagePage(QWidget *parent, TFieldExits *exits, TChangeTracker *changes)
    : QWidget(parent), m_exits(exits), m_changes(changes), m_captions(this) {
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("昇給前"), this), 0, 1, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("昇給後"), this), 0, 2, Qt::AlignCenter);
    // A row of the left block: caption, before, after (either may be missing).
    int row = 1;
    const auto putLeft = [&](QWidget *caption, QLineEdit *beforeBox, QLineEdit *afterBox) {
        grid->addWidget(caption, row, 0);
        if (beforeBox) grid->addWidget(beforeBox, row, 1);
        if (afterBox) grid->addWidget(afterBox, row, 2);
        ++row;
    };
    // The sums before and after the raise of a block of items, and the raise itself.
    const auto putSums = [&](const QString &name, QLineEdit *&sum, QLineEdit *&afSum,
                             QLineEdit *&up, const char *sumName, const char *upName) {
        sum = amountBox(QStringLiteral("txt%1Sum").arg(QLatin1String(sumName)), false);
        afSum = amountBox(QStringLiteral("txtAF%1Sum").arg(QLatin1String(sumName)), false);
        putLeft(new QLabel(QStringLiteral("Sum") + name, this), sum, afSum);
        up = amountBox(QLatin1String(upName), false);
        putLeft(new QLabel(QStringLiteral("Up") + name, this), nullptr, up);
    };
    for (int i = 1; i <= 3; ++i) {
        m_kihon[i] =
            MakeEdit(this, qPrintable(QStringLiteral("txtKihon%1").arg(i)), 10, Align::Right);
        m_changes->watch(m_kihon[i], ChangeSource::User);
        m_exits->watch(m_kihon[i], [this, i] {
            if (!AmountExit(m_kihon[i])) return false;
            emit baseLeft(i);
            return true;
        });
        m_afKihon[i] = amountBox(QStringLiteral("txtAFKihon%1").arg(i), true);
        putLeft(m_captions.kihon(i), m_kihon[i], m_afKihon[i]);
    }
    putSums(QStringLiteral("基本給"), m_kihonSum, m_afKihonSum, m_upKihon, "Kihon", "txtUpKihon");
    for (int i = 1; i <= 5; ++i) {
        m_teate[i] = amountBox(QStringLiteral("txtTeate%1").arg(i), true);
        m_afTeate[i] = amountBox(QStringLiteral("txtAFTeate%1").arg(i), true);
        putLeft(m_captions.teate(i), m_teate[i], m_afTeate[i]);
    }
    putSums(QStringLiteral("手当"), m_teateSum, m_afTeateSum, m_teateUp, "Teate", "txtTeateUP");
    grid->setRowStretch(row, 1);

    int right = 1;
    const auto putRight = [&](const QString &text, QLineEdit *beforeBox, QLineEdit *afterBox) {
        grid->addWidget(new QLabel(text, this), right, 4);
        grid->addWidget(beforeBox, right, 5);
        if (afterBox) grid->addWidget(afterBox, right, 6);
        ++right;
    };
    m_syotei = amountBox(QStringLiteral("txtSyotei"), false);
    m_afSyotei = amountBox(QStringLiteral("txtAFSyotei"), false);
    putRight(QStringLiteral("所定給"), m_syotei, m_afSyotei);
    m_bonus1 = amountBox(QStringLiteral("txtBonus1"), true);
    putRight(QStringLiteral("賞与　上期"), m_bonus1, nullptr);
    m_bonus2 = amountBox(QStringLiteral("txtBonus2"), true);
    putRight(QStringLiteral("賞与　下期"), m_bonus2, nullptr);
    m_nensyu = amountBox(QStringLiteral("txtNensyu"), false);
    m_afNensyu = amountBox(QStringLiteral("txtAFNensyu"), false);
    putRight(QStringLiteral("年　収"), m_nensyu, m_afNensyu);
    m_taisyokuKin = MakeEdit(this, "txtTaisyokuKin", 12, Align::Right);
    m_changes->watch(m_taisyokuKin, ChangeSource::User);
    m_exits->watch(m_taisyokuKin, [this] { return rateExit(); });
    putRight(QStringLiteral("退職金支給率"), m_taisyokuKin, nullptr);

    auto *link = new QGroupBox(QStringLiteral("マトリクスリンク"), this);
    auto *linkLayout = new QHBoxLayout(link);
    m_matrixGroup = new QButtonGroup(this);
    for (int i = 1; i <= 3; ++i) {
        m_optMatrix[i] = new QRadioButton(QStringLiteral("基本給%1").arg(i), link);
        m_optMatrix[i]->setObjectName(QStringLiteral("optMatrix%1").arg(i));
        m_matrixGroup->addButton(m_optMatrix[i], i);
        linkLayout->addWidget(m_optMatrix[i]);
    }
    auto *reset = MakeButton(link, "cdResetMLink", QStringLiteral("解除"));
    linkLayout->addWidget(reset);
    connect(m_matrixGroup, &QButtonGroup::idClicked, this, &TWagePage::linkChosen);
    connect(reset, &QPushButton::clicked, this, [this] { emit linkChosen(0); });
    grid->addWidget(link, right + 1, 4, 2, 3);
    grid->setColumnMinimumWidth(3, 24);
}

QLineEdit *TWagePage::amountBox(const QString &name, bool editable) {
    QLineEdit *e = MakeEdit(this, qPrintable(name), editable ? 11 : 0, Align::Right);
    m_changes->watch(e, ChangeSource::User);
    if (editable)
        m_exits->watch(e, [this, e] {
            if (!AmountExit(e)) return false;
            computeTotals();
            return true;
        });
    else
        e->setReadOnly(true);
    return e;
}

// Checks the retirement-pay rate and shows it as "#,##0.000".
bool TWagePage::rateExit() {
    const QString message = numberMessage(m_taisyokuKin, kRateDigits);
    if (!message.isEmpty()) return RefuseField(m_taisyokuKin, message);
    if (!m_taisyokuKin->text().trimmed().isEmpty())
        m_taisyokuKin->setText(groupedRate(BoxNumber(m_taisyokuKin)));
    return true;
}

void TWagePage::applyCaptions(int workType) {
    m_captions.apply(workType);
}

void TWagePage::computeTotals() {
    const qint64 kSum = SumBoxes(m_kihon, 3), akSum = SumBoxes(m_afKihon, 3);
    const qint64 tSum = SumBoxes(m_teate, 5), atSum = SumBoxes(m_afTeate, 5);
    const qint64 bonus = BoxAmount(m_bonus1) + BoxAmount(m_bonus2);
    m_kihonSum->setText(FormatAmount(kSum));
    m_afKihonSum->setText(FormatAmount(akSum));
    m_teateSum->setText(FormatAmount(tSum));
    m_afTeateSum->setText(FormatAmount(atSum));
    m_syotei->setText(FormatAmount(kSum + tSum));
    m_afSyotei->setText(FormatAmount(akSum + atSum));
    m_nensyu->setText(FormatAmount(bonus + (kSum + tSum) * 12));
    m_afNensyu->setText(FormatAmount(bonus + (akSum + atSum) * 12));
    m_upKihon->setText(FormatAmount(akSum - kSum));
    m_teateUp->setText(FormatAmount(atSum - tSum));
}

void TWagePage::showAmounts(const TEmployee &e, int wageItem) {
    for (int i = 1; i <= 3; ++i) {
        m_kihon[i]->setText(FormatAmount(e.kkyu[i]));
        m_afKihon[i]->setText(FormatAmount(i == wageItem ? e.nkin : e.nkkyu[i]));
    }
    lockWageItem(wageItem);
    for (int i = 1; i <= 5; ++i) {
        m_teate[i]->setText(FormatAmount(e.teate[i]));
        m_afTeate[i]->setText(FormatAmount(e.nteate[i]));
    }
    m_bonus1->setText(FormatAmount(e.bonus1));
    m_bonus2->setText(FormatAmount(e.bonus2));
    m_taisyokuKin->setText(groupedRate(e.sritsu));
}

void TWagePage::lockWageItem(int wageItem) {
    for (int i = 1; i <= 3; ++i)
        m_afKihon[i]->setReadOnly(i == wageItem);
}

bool TWagePage::checkAll() {
    if (QString m = numberMessage(m_taisyokuKin, kRateDigits); !m.isEmpty())
        return RefuseField(m_taisyokuKin, m);
    QList<QLineEdit *> amounts;
    for (int i = 1; i <= 3; ++i)
        amounts << m_kihon[i] << m_afKihon[i];
    for (int i = 1; i <= 5; ++i)
        amounts << m_teate[i] << m_afTeate[i];
    amounts << m_bonus1 << m_bonus2;
    for (QLineEdit *e : amounts)
        if (QString m = AmountMessage(e); !m.isEmpty()) return RefuseField(e, m);
    return true;
}

void TWagePage::readAmounts(TEmployee &e) {
    computeTotals();
    e.sritsu = BoxNumber(m_taisyokuKin);
    for (int i = 1; i <= 3; ++i) {
        e.kkyu[i] = BoxAmount(m_kihon[i]);
        e.nkkyu[i] = BoxAmount(m_afKihon[i]);
    }
    for (int i = 1; i <= 5; ++i) {
        e.teate[i] = BoxAmount(m_teate[i]);
        e.nteate[i] = BoxAmount(m_afTeate[i]);
    }
    e.bonus1 = BoxAmount(m_bonus1);
    e.bonus2 = BoxAmount(m_bonus2);
    e.nensyu = BoxAmount(m_nensyu);
    e.nnensyu = BoxAmount(m_afNensyu);
    e.syotei = BoxAmount(m_syotei);
    e.nsyotei = BoxAmount(m_afSyotei);
    e.upk = BoxAmount(m_upKihon);
    e.upt = BoxAmount(m_teateUp);
}

int TWagePage::matrixLink() const {
    return qMax(0, m_matrixGroup->checkedId());
}

void TWagePage::setMatrixLink(int link) {
    m_matrixGroup->setExclusive(false);
    for (int i = 1; i <= 3; ++i)
        m_optMatrix[i]->setChecked(i == link);
    m_matrixGroup->setExclusive(true);
}
