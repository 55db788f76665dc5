#include "raise_page.h"

#include "employee_store.h"
#include "form_helpers.h"
#include "screen_kit.h"
#include "utilities.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {
// Every amount of the page is a number; an emptied box is refused like any other non-number.
constexpr EmptyAmount kEmpty = EmptyAmount::Refused;
} // namespace

TRaisePage::TRaisePage(QWidget *parent, TFieldExits *exits, TChangeTracker *changes)
    : QWidget(parent), m_exits(exits), m_changes(changes), m_captions(this) {
    auto *grid = new QGridLayout(this);
    grid->setVerticalSpacing(4);
    const QString heads[] = {QStringLiteral("昇給前"), QStringLiteral("Up"),
                             QStringLiteral("昇給後")};
    for (int c = 0; c < 3; ++c)
        grid->addWidget(new QLabel(heads[c], this), 0, c + 1, Qt::AlignCenter);
    int row = 1;
    const auto put = [&](QWidget *caption, QLineEdit *b, QLineEdit *u, QLineEdit *a) {
        grid->addWidget(caption, row, 0);
        grid->addWidget(b, row, 1);
        grid->addWidget(u, row, 2);
        grid->addWidget(a, row, 3);
        ++row;
    };
    const auto sumRow = [&](const QString &caption, const char *b, const char *u, const char *a,
                            QLineEdit *&bBox, QLineEdit *&uBox, QLineEdit *&aBox) {
        bBox = amountBox(QLatin1String(b), false);
        uBox = amountBox(QLatin1String(u), false);
        aBox = amountBox(QLatin1String(a), false);
        put(new QLabel(caption, this), bBox, uBox, aBox);
    };

    for (int i = 1; i <= 3; ++i) {
        m_bKihon[i] = amountBox(QStringLiteral("txtBKihon%1").arg(i), true);
        m_uKihon[i] = amountBox(QStringLiteral("txtUKihon%1").arg(i), true);
        m_aKihon[i] = amountBox(QStringLiteral("txtAKihon%1").arg(i), false);
        // Leaving a base pay before the raise may move the matrix raise: the screen decides.
        m_exits->watch(m_bKihon[i], [this, i] {
            if (!AmountExit(m_bKihon[i], kEmpty)) return false;
            emit baseLeft(i);
            return true;
        });
        put(m_captions.kihon(i), m_bKihon[i], m_uKihon[i], m_aKihon[i]);
    }
    sumRow(QStringLiteral("Suml基本給"), "txtBKihonSum", "txtUKihonSum", "txtAKihonSum",
           m_bKihonSum, m_uKihonSum, m_aKihonSum);
    for (int i = 1; i <= 5; ++i) {
        m_bTeate[i] = amountBox(QStringLiteral("txtBTeate%1").arg(i), true);
        m_uTeate[i] = amountBox(QStringLiteral("txtUTeate%1").arg(i), false);
        m_aTeate[i] = amountBox(QStringLiteral("txtATeate%1").arg(i), true);
        put(m_captions.teate(i), m_bTeate[i], m_uTeate[i], m_aTeate[i]);
    }
    sumRow(QStringLiteral("Sum手　当"), "txtBSumTeate", "txtUSumTeate", "txtASumTeate",
           m_bSumTeate, m_uSumTeate, m_aSumTeate);
    sumRow(QStringLiteral("Total所定給"), "txtBTotal", "txtUTotal", "txtATotal", m_bTotal,
           m_uTotal, m_aTotal);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(4, 1);
    for (int c = 1; c <= 3; ++c)
        grid->setColumnMinimumWidth(c, 110);
}

// An amount box; an editable one is checked when left and moves the totals. The base-pay boxes
// before the raise get their own check (baseLeft).
QLineEdit *TRaisePage::amountBox(const QString &name, bool editable) {
    QLineEdit *e = MakeEdit(this, qPrintable(name), editable ? 11 : 0, Align::Right);
    if (!editable) {
        e->setReadOnly(true);
        return e;
    }
    m_changes->watch(e, ChangeSource::User);
    if (!name.startsWith(QLatin1String("txtBKihon")))
        m_exits->watch(e, [this, e] {
            if (!AmountExit(e, kEmpty)) return false;
            computeTotals();
            return true;
        });
    return e;
}

void TRaisePage::lock(QLineEdit *edit, bool locked) {
    edit->setReadOnly(locked);
    ShowLocked(edit, locked);
}

void TRaisePage::applyCaptions(int workType) {
    m_captions.apply(workType);
}

void TRaisePage::clear() {
    openItems();
    const QString zero = FormatAmount(0);
    for (int i = 1; i <= 3; ++i) {
        m_bKihon[i]->setText(zero);
        m_uKihon[i]->setText(zero);
    }
    for (int i = 1; i <= 5; ++i) {
        m_bTeate[i]->setText(zero);
        m_aTeate[i]->setText(zero);
    }
    computeTotals();
}

void TRaisePage::showAmounts(const TEmployee &e, const std::array<qint64, 4> &after) {
    for (int i = 1; i <= 3; ++i) {
        m_bKihon[i]->setText(FormatAmount(e.kkyu[i]));
        m_uKihon[i]->setText(FormatAmount(after[i] - e.kkyu[i]));
    }
    for (int i = 1; i <= 5; ++i) {
        m_bTeate[i]->setText(FormatAmount(e.teate[i]));
        m_aTeate[i]->setText(FormatAmount(e.nteate[i]));
    }
    computeTotals();
}

void TRaisePage::openItems() {
    for (int i = 1; i <= 3; ++i) {
        lock(m_bKihon[i], false);
        lock(m_uKihon[i], false);
    }
}

void TRaisePage::lockItem(int item) {
    if (item < 1 || item > 3) return;
    lock(m_bKihon[item], true);
    lock(m_uKihon[item], true);
}

void TRaisePage::lockRaise(int item) {
    if (item >= 1 && item <= 3) lock(m_uKihon[item], true);
}

void TRaisePage::setAfter(int item, qint64 amount) {
    if (item < 1 || item > 3) return;
    m_uKihon[item]->setText(FormatAmount(amount - BoxAmount(m_bKihon[item])));
    computeTotals();
}

qint64 TRaisePage::afterAmount(int item) const {
    return BoxAmount(m_bKihon[item]) + BoxAmount(m_uKihon[item]);
}

void TRaisePage::computeTotals() {
    for (int i = 1; i <= 3; ++i)
        m_aKihon[i]->setText(FormatAmount(afterAmount(i)));
    for (int i = 1; i <= 5; ++i)
        m_uTeate[i]->setText(FormatAmount(BoxAmount(m_aTeate[i]) - BoxAmount(m_bTeate[i])));
    const qint64 bKihon = SumBoxes(m_bKihon, 3), aKihon = SumBoxes(m_aKihon, 3);
    const qint64 bTeate = SumBoxes(m_bTeate, 5), aTeate = SumBoxes(m_aTeate, 5);
    m_bKihonSum->setText(FormatAmount(bKihon));
    m_aKihonSum->setText(FormatAmount(aKihon));
    m_uKihonSum->setText(FormatAmount(aKihon - bKihon));
    m_bSumTeate->setText(FormatAmount(bTeate));
    m_aSumTeate->setText(FormatAmount(aTeate));
    m_uSumTeate->setText(FormatAmount(aTeate - bTeate));
    m_bTotal->setText(FormatAmount(bKihon + bTeate));
    m_aTotal->setText(FormatAmount(aKihon + aTeate));
    m_uTotal->setText(FormatAmount(aKihon + aTeate - bKihon - bTeate));
}

bool TRaisePage::checkAll() {
    QList<QLineEdit *> boxes;
    for (int i = 1; i <= 3; ++i)
        boxes << m_bKihon[i] << m_uKihon[i];
    for (int i = 1; i <= 5; ++i)
        boxes << m_bTeate[i] << m_aTeate[i];
    for (QLineEdit *e : boxes)
        if (QString m = AmountMessage(e, kEmpty); !m.isEmpty()) return RefuseField(e, m);
    return true;
}

void TRaisePage::readAmounts(TRaiseInput &r) {
    computeTotals();
    for (int i = 1; i <= 3; ++i) {
        r.kkyu[i] = BoxAmount(m_bKihon[i]);
        r.nkkyu[i] = BoxAmount(m_aKihon[i]);
    }
    for (int i = 1; i <= 5; ++i) {
        r.teate[i] = BoxAmount(m_bTeate[i]);
        r.nteate[i] = BoxAmount(m_aTeate[i]);
    }
    r.upk = BoxAmount(m_uKihonSum);
    r.upt = BoxAmount(m_uSumTeate);
    r.syotei = BoxAmount(m_bTotal);
    r.nsyotei = BoxAmount(m_aTotal);
    r.nnensyu = 12.0 * static_cast<double>(r.nsyotei);
}
