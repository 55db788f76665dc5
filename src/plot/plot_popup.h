#pragma once
// TNX1101, a pop-up page about one employee of the plot ("1.プロフィール" .. "4.賃金情報"),
// opened from the menu of a point's mark. It stays on top beside the plot, and a click anywhere
// on it closes it; while it is open its page is marked open in the point set, so the same page
// of the same employee is not opened twice.

#include "chart_store.h"

#include <QString>
#include <QWidget>
#include <array>

class QLabel;

// The caption, the five field titles and the five values of page 1..4 for an employee.
// `gradeNames` are the company's grade names [1..9]; `yearsInPost` the whole years since the
// employee's appointment (page 3).
struct PopupPageTexts {
    QString caption;
    std::array<QString, 6> titles; // [1..5]
    std::array<QString, 6> values; // [1..5]
};
PopupPageTexts PopupPageOf(int page, const TPlotEmployee &e,
                           const std::array<QString, 10> &gradeNames, int yearsInPost);

class TNX1101 : public QWidget {
    Q_OBJECT
public:
    explicit TNX1101(QWidget *parent = nullptr);

    // Shows page `page` of the employee with the heading "code  name".
    void prepare(int page, const TPlotEmployee &employee, const QString &heading);
    int page() const { return m_page; }
    qint64 sco() const { return m_sco; }

    // Hides the page and marks it closed in the point set.
    void closePage();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    int m_page = 0;
    qint64 m_sco = 0;
    QLabel *m_heading = nullptr;        // Label1
    std::array<QLabel *, 6> m_titles{}; // labTitle1..5
    std::array<QLabel *, 6> m_values{}; // labValue1..5
};
