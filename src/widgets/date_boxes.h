#pragma once
// The boxes of one date: era (shown only in the era calendar), year, month and day, in a row
// with their 年, 月 and 日 captions. They show a yyyymmdd date and read one back; each screen
// keeps its own checks of the boxes.

#include <QString>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QLineEdit;

class TDateBoxes : public QWidget {
    Q_OBJECT
public:
    // The object names of the four boxes; the year, month and day boxes are `boxWidth` wide.
    TDateBoxes(QWidget *parent, const char *eraName, const char *yearName, const char *monthName,
               const char *dayName, int boxWidth);

    QComboBox *era() const { return m_era; }
    QLineEdit *year() const { return m_year; }
    QLineEdit *month() const { return m_month; }
    QLineEdit *day() const { return m_day; }
    QList<QLineEdit *> parts() const { return {m_year, m_month, m_day}; }

    // The era items, the one chosen and whether the era box is shown.
    void setEras(const QStringList &names, int current, bool visible);
    // Shows a yyyymmdd date (0: none) as SplitDate splits it; the era box chooses the date's
    // era, or item `eraIndexWhenMissing` when it has none.
    void showYmd(int ymd, int eraIndexWhenMissing = -1);
    // The date the boxes hold, joined as JoinDate joins them; false for an impossible date or
    // an unknown era (ymd is then unchanged).
    bool readYmd(int &ymd) const;

private:
    QComboBox *m_era;
    QLineEdit *m_year;
    QLineEdit *m_month;
    QLineEdit *m_day;
};
