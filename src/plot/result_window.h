#pragma once
// TNX1102, the analysis result window ("分析評価結果"): the counts and averages per mark group of
// the chart on the plot window, and for the raise-curve charts the pitch and average wage of
// each group's curve. It stays on top and closes at a click anywhere on it. The plot window owns
// it and closes it when it closes or goes back.

#include <QWidget>
#include <array>

class QLabel;
struct PlotChart;

class TNX1102 : public QWidget {
    Q_OBJECT
public:
    explicit TNX1102(QWidget *parent = nullptr);

    // Clears every title and field, then fills them for the chart.
    void prepare(const PlotChart &chart);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    std::array<QLabel *, 9> m_titles{};   // labTitle1..8
    std::array<QLabel *, 9> m_captions{}; // Caption1..8
};
