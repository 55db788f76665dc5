#include "result_window.h"

#include "plot_statistics.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>

TNX1102::TNX1102(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("NX1102"));
    setWindowTitle(QStringLiteral("分析評価結果"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    for (int i = 1; i <= 8; ++i) {
        m_titles[i] = new QLabel(this);
        m_titles[i]->setObjectName(QStringLiteral("labTitle%1").arg(i));
        m_captions[i] = new QLabel(this);
        m_captions[i]->setObjectName(QStringLiteral("Caption%1").arg(i));
        m_captions[i]->setMinimumWidth(520);
        grid->addWidget(m_titles[i], i - 1, 0);
        grid->addWidget(m_captions[i], i - 1, 1);
    }
    grid->setColumnStretch(1, 1);
}

void TNX1102::prepare(const PlotChart &chart) {
    const ResultTexts texts = AnalysisResultTexts(chart);
    for (int i = 1; i <= 8; ++i) {
        m_titles[i]->setText(texts.titles[i]);
        m_captions[i]->setText(texts.captions[i]);
    }
    adjustSize();
}

void TNX1102::mousePressEvent(QMouseEvent *event) {
    event->accept();
    close();
}
