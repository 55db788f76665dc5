#include "matrix_side.h"

#include "band_loaders.h"
#include "screen_kit.h"
#include "state.h"

#include <QComboBox>
#include <QLineEdit>

void FillBandLists(const QList<QComboBox *> &bands, const QList<QComboBox *> &evaluations) {
    const QStringList bandItems = BandItems();
    const QStringList evaluationItems = RoleEvaluationItems();
    for (QComboBox *c : bands)
        SetComboItems(c, bandItems);
    for (QComboBox *c : evaluations)
        SetComboItems(c, evaluationItems);
}

QString RateText(double rate) {
    return QString::number(rate, 'f', 2) + QLatin1Char('%');
}

MatrixRaise ShowMatrixRaise(int band, int evaluation, int pay, QLineEdit *zone, QLineEdit *rate,
                            ZoneShown shown) {
    const ProjectState &g = G();
    const MatrixRaise r = CalcMatrixRaise(g.gBandTbl, g.gMatTbl, band, evaluation, pay);
    if (zone) zone->setText(QString::number(shown == ZoneShown::Current ? r.zone : r.newZone));
    if (rate) rate->setText(RateText(r.rate));
    return r;
}
