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
class QMenu;
class QPrinter;
class QPushButton;
class TFieldExits;
class TPlotCanvas;
class TNX1101;
class TNX1102;

// Starts work on a chart: it becomes the chart of the prepared screen (gChartCode), the plot
// window shows none (gPlotChart 0), the chart's six settings rows exist (created from
// `defaults` the first time) and are returned; the screen's changed flag is cleared.
TChartRows PrepareChart(int chart, const TMCHART &defaults);
// A preparing screen is being closed: the plot window closes when it shows that chart; a
// window showing another chart stays as it is, its "後" still reaching that chart's screen.
void ChartScreenClosed(int chart);

// A design point captured with the mouse on chart 1050: the X value and the amount in yen (to
// the nearest thousand) at a pixel of the plot.
struct DesignPointValue {
    int x = 0;
    qint64 yen = 0;
};
DesignPointValue DesignPointAt(const PlotGeometry &geometry, QPoint pixel);

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

    // Prints the page of the chart on `printer` (the "印　刷" command after its print dialog):
    // the picture file of the sequence is written and the sequence moves on. False (and a
    // message) when the page could not be printed.
    bool printTo(QPrinter &printer);
    // The design points captured so far (chart 1050).
    const std::vector<DesignPointValue> &capturedPoints() const { return m_captured; }
    // The pop-up pages made since the chart was opened (hidden ones included).
    QList<TNX1101 *> popups() const;

signals:
    // Captured points were stored as a design: the design screen shows its designs again.
    void designStored();

public slots:
    void btnExecClick();
    void btnPrintClick();
    void btnCopyClick();
    void btnBackClick();
    void btnImportClick();
    void btn1DltClick();
    // Fills the result window for the chart shown and shows it (the "分析評価結果" command).
    void showAnalysisResult();
    // "画像保存": the chart as a PNG picture or the printed page as a PDF file.
    void saveImageClick();
    // The pages of PopupMenu1 for the mark clicked last: 1 プロフィール .. 4 賃金情報.
    void openPopupPage(int page);
    // "マトリクス昇給": the band and role evaluation of the employee of the mark clicked last.
    void mnMatrixClick();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Shows a preparing screen again or the band dialog; tests record it instead.
    virtual int ShowModal(QDialog *dialog);

private:
    friend class TPlotCanvas;
    void readChart();
    void placeMarks();
    void mouseDownAt(Qt::MouseButton button, QPoint pixel);
    void markClicked(int index);
    void captureDesignPoint(QPoint pixel);
    int designNumber(bool tell);
    bool axisExit(QLineEdit *edit, int axis);
    bool txtDispNoExit();
    void stepAxis(QLineEdit *edit, int axis, int step);
    void destroyPopups();
    QPoint windowPoint(int left, int top) const;

    TPlotCanvas *m_canvas = nullptr;
    QWidget *m_panel = nullptr;
    QLineEdit *m_txtXMin = nullptr;
    QLineEdit *m_txtXMax = nullptr;
    QLineEdit *m_txtYMin = nullptr;
    QLineEdit *m_txtYMax = nullptr;
    QLineEdit *m_txtDispNo = nullptr;
    QList<QWidget *> m_designControls; // shown for chart 1050 only
    TFieldExits *m_exits = nullptr;
    QMenu *m_popupMenu1 = nullptr; // a mark's menu
    QMenu *m_popupMenu2 = nullptr; // the window's right-button menu
    QString m_clickedLabel;        // the mark clicked last
    QList<QPointer<TNX1101>> m_popups;
    int m_popupCount = 0; // pop-up pages opened since the chart was opened
    int m_dispNo = 0;     // the drawing number last accepted
    std::vector<DesignPointValue> m_captured;
    PlotChart m_chart;
    QSize m_size;
    QHash<int, QPointer<QDialog>> m_screens; // the preparing screen of each chart
    TNX1102 *m_result = nullptr;
};

// The plot window of the run (set by the main window when it creates it).
TNX1100 *PlotWindow();
void SetPlotWindow(TNX1100 *window);
