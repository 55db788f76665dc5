#pragma once
// TNX1100, the plot window: draws the chart last handed to it by a preparing screen (the
// analysis dialogs and the raise-curve design), with a panel of commands on its left. One
// window for the whole run; the preparing screens reach it through PlotWindow().
//
// The protocol with a preparing screen:
//   PrepareChart(chart, defaults)  when the screen's menu command prepares it;
//   PlotWindow()->handOver(screen, title)  after the screen has built the point set;
//   the window's "後" shows the screen of the chart again, modally, as it was;
//   ChartScreenClosed(chart)  when the screen is closed with its "閉じる";
//   the window's "操作パネルに戻る" (backToMenu) closes both.

#include "plot_chart.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class TPlotCanvas;
class TNX1102;

// Starts work on a chart: it becomes the chart of the prepared screen (gChartCode), the plot
// window shows none (gPlotChart 0), the chart's six settings rows exist (created from
// `defaults` the first time) and are returned; the screen's changed flag is cleared.
TChartRows PrepareChart(int chart, const TMCHART &defaults);
// A preparing screen is being closed: the plot window closes when it shows that chart; a
// window showing another chart stays as it is, its "後" still reaching that chart's screen.
void ChartScreenClosed(int chart);

class TNX1100 : public QWidget {
    Q_OBJECT
public:
    explicit TNX1100(QWidget *parent = nullptr);
    ~TNX1100() override;

    // Shows the chart prepared by `screen` (chart gChartCode) with its title in the caption:
    // the window is shown, opened and drawn, and the screen is closed.
    void handOver(QDialog *screen, const QString &title);
    // Reads the line settings and the chart and draws it at the window's present size.
    void open();
    // Reads the chart again and draws it (the "実　行" button).
    void execute();
    // Closes the preparing screen of the chart shown and the window.
    void backToMenu();

    const PlotChart &chart() const { return m_chart; }
    // The size the chart is laid out for (the window's size when it was opened).
    QSize chartSize() const { return m_size; }
    // The whole chart as a picture.
    QImage image() const;
    // The analysis result window of the chart shown ("分析評価結果"), made with the window.
    TNX1102 *resultWindow() const { return m_result; }

public slots:
    void btnExecClick();
    void btnCopyClick();
    void btnBackClick();
    // Fills the result window for the chart shown and shows it (the "分析評価結果" command).
    void showAnalysisResult();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Shows a preparing screen again; tests record it instead.
    virtual int ShowModal(QDialog *dialog);

private:
    void readChart();
    void placeMarks();

    TPlotCanvas *m_canvas = nullptr;
    QWidget *m_panel = nullptr;
    QLineEdit *m_txtXMin = nullptr;
    QLineEdit *m_txtXMax = nullptr;
    QLineEdit *m_txtYMin = nullptr;
    QLineEdit *m_txtYMax = nullptr;
    QList<QWidget *> m_designControls; // shown for chart 1050 only
    PlotChart m_chart;
    QSize m_size;
    QHash<int, QPointer<QDialog>> m_screens; // the preparing screen of each chart
    TNX1102 *m_result = nullptr;
};

// The plot window of the run (set by the main window when it creates it).
TNX1100 *PlotWindow();
void SetPlotWindow(TNX1100 *window);
