#include "date_boxes.h"

#include "records.h"
#include "screen_kit.h"
#include "utilities.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

TDateBoxes::TDateBoxes(QWidget *parent, const char *eraName, const char *yearName,
                       const char *monthName, const char *dayName, int boxWidth)
    : QWidget(parent) {
    m_era = MakeCombo(this, eraName, false);
    m_year = MakeEdit(this, yearName, 2, Align::Right);
    m_month = MakeEdit(this, monthName, 2, Align::Right);
    m_day = MakeEdit(this, dayName, 2, Align::Right);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_era);
    for (auto [box, unit] : {std::pair{m_year, "年"}, {m_month, "月"}, {m_day, "日"}}) {
        box->setFixedWidth(boxWidth);
        row->addWidget(box);
        row->addWidget(new QLabel(QString::fromUtf8(unit), this));
    }
    row->addStretch();
}

void TDateBoxes::setEras(const QStringList &names, int current, bool visible) {
    m_era->clear();
    m_era->addItems(names);
    m_era->setCurrentIndex(current);
    m_era->setVisible(visible);
}

void TDateBoxes::showYmd(int ymd, int eraIndexWhenMissing) {
    TYMD d;
    d.Ymd = QString::number(ymd);
    SplitDate(d);
    const int era = m_era->findText(d.Era);
    m_era->setCurrentIndex(era >= 0 ? era : eraIndexWhenMissing);
    m_year->setText(d.Year);
    m_month->setText(d.Month);
    m_day->setText(d.Day);
}

bool TDateBoxes::readYmd(int &ymd) const {
    TYMD d;
    d.Era = m_era->currentText();
    d.Year = m_year->text().trimmed();
    d.Month = m_month->text().trimmed();
    d.Day = m_day->text().trimmed();
    if (!JoinDate(d)) return false;
    bool ok = false;
    const int value = d.Ymd.toInt(&ok);
    if (ok) ymd = value;
    return ok;
}
