#pragma once
// The picture of the pay structure: every band as its range split into zones, each linked
// employee as a dot at the pay before the raise with a short line to the pay after it; dots
// above the band's maximum red, below its minimum green. One render function draws it for the
// screen, the clipboard, the PNG file and the printout.

#include "raise_budget.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <vector>

class QPainter;

// Where the picture of `size` puts things; amounts in yen.
struct BudgetChartLayout {
    QRect plot;                     // the area inside the axes
    double low = 0.0;               // amount at the bottom of the plot
    double high = 0.0;              // amount at the top
    double step = 0.0;              // amount between two scale lines
    std::vector<QRect> bars;        // one per band: its range from minimum to maximum
    std::vector<QPointF> points;    // one per position point: the pay before the raise
    std::vector<QPointF> newPoints; // the pay after it, at the same x

    double y(double amount) const;
};
BudgetChartLayout LayOutBudgetChart(QSize size, const std::vector<TBudgetBand> &bands,
                                    const TBudgetPosition &position);

// The dot colours: inside the band, above its maximum, below its minimum.
inline const QColor kChartDotInside(31, 78, 140);
inline const QColor kChartDotAbove(214, 39, 40);
inline const QColor kChartDotBelow(44, 160, 44);

// Draws the picture into an area of `size` at the painter's origin.
void RenderBudgetChart(QPainter &painter, QSize size, const std::vector<TBudgetBand> &bands,
                       const TBudgetPosition &position);
QImage BudgetChartImage(QSize size, const std::vector<TBudgetBand> &bands,
                        const TBudgetPosition &position);

// The position point under `at` (within a few pixels; the nearest wins), -1 when none.
int BudgetChartPointAt(const BudgetChartLayout &layout, QPointF at);
