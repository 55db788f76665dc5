#include "wage_items.h"

#include "form_helpers.h"
#include "loaders.h"
#include "utilities.h"

#include <QLabel>
#include <QLineEdit>

double BoxNumber(const QLineEdit *edit) {
    QString s = edit->text().trimmed();
    s.remove(QLatin1Char(','));
    return s.toDouble();
}

qint64 BoxAmount(const QLineEdit *edit) {
    return ToInt(ToInt64(RoundHalfUp(1, BoxNumber(edit))));
}

QString AmountMessage(const QLineEdit *edit, EmptyAmount empty) {
    const QString text = edit->text().trimmed();
    if (text.isEmpty() && empty == EmptyAmount::Allowed) return {};
    return CheckNumText(text, kAmountDigits);
}

bool AmountExit(QLineEdit *edit, EmptyAmount empty) {
    const QString message = AmountMessage(edit, empty);
    if (!message.isEmpty()) return RefuseField(edit, message);
    if (!edit->text().trimmed().isEmpty()) edit->setText(FormatAmount(BoxAmount(edit)));
    return true;
}

TWageCaptions::TWageCaptions(QWidget *parent) {
    const auto label = [parent](const QString &name) {
        auto *l = new QLabel(parent);
        l->setObjectName(name);
        return l;
    };
    for (int i = 1; i <= 3; ++i)
        m_kihon[i] = label(QStringLiteral("labKihon%1").arg(i));
    for (int i = 1; i <= 5; ++i)
        m_teate[i] = label(QStringLiteral("labTeate%1").arg(i));
}

void TWageCaptions::apply(int workType) {
    SalaryCaptions captions;
    SetSalaryLabels(workType, captions);
    for (int i = 1; i <= 3; ++i)
        m_kihon[i]->setText(captions.Kihon[i]);
    for (int i = 1; i <= 5; ++i)
        m_teate[i]->setText(captions.Teate[i]);
}
