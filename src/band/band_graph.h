#pragma once
// TfrmBandGraph, "バンド分析グラフ": the bands' pay ranges as a bar chart in units of 10,000 yen,
// from gBandTbl2 as the opening screen loaded it. One render function draws the chart for the
// window, the clipboard and the saved picture alike.

#include "records.h"

#include <QDialog>
#include <QImage>
#include <QRect>
#include <QSize>
#include <vector>

class QPainter;
class QPushButton;
class TBandGraphView;

// Where the chart of a picture of `size` puts things. Amounts are in units of 10,000 yen; the
// scale runs from `low` at the bottom to `high` at the top.
struct BandGraphLayout {
    int low = 0;             // first tick: the lowest band amount, less one when above 0
    int high = 0;            // the highest band amount plus 3
    int plotHeight = 0;      // picture height less the margins above and below the scale
    std::vector<int> ticks;  // every second value from low to high
    int barWidth = 0;        // a third of the room of a band; narrower when few bands would
                             // reach past the axis
    std::vector<QRect> bars; // one per band, in table order

    // The y coordinate of a value (10,000 yen; fractions allowed).
    int y(double value) const;
};
// The layout for the bands of the table; with no band only the axes are drawn (no ticks, no
// bars).
BandGraphLayout LayOutBandGraph(QSize size, const TBANDTBL2 &table);

// The chart's colours: background of an information window, scale and axes, bars, band names.
QColor BandGraphBackground();
inline const QColor kBandGraphAxis(128, 0, 0);
inline const QColor kBandGraphBar(0, 0, 255);
inline const QColor kBandGraphName(255, 251, 240);

// Draws the whole chart into an area of `size` at the painter's origin.
void RenderBandGraph(QPainter &painter, QSize size, const TBANDTBL2 &table);
// The chart as a picture of `size`.
QImage BandGraphImage(QSize size, const TBANDTBL2 &table);

class TfrmBandGraph : public QDialog {
    Q_OBJECT
public:
    explicit TfrmBandGraph(QWidget *parent = nullptr);
    // Takes the bands of gBandTbl2 as they are now; the chart shows them until it closes.
    void prepare();

    // The chart as the window shows it.
    QImage image() const;
    QSize chartSize() const;

public slots:
    void btnCopyClick();
    void btnSaveClick();
    void btnCloseClick();

private:
    TBANDTBL2 m_table;
    TBandGraphView *m_view = nullptr;
    QPushButton *m_btnCopy = nullptr;
    QPushButton *m_btnSave = nullptr;
    QPushButton *m_btnClose = nullptr;
};
