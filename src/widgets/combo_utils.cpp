#include "combo_utils.h"

#include "message_seam.h"
#include "tdm.h"
#include "utilities.h"

#include <QComboBox>
#include <QLineEdit>

namespace {
constexpr qsizetype kMaxNameLength = 500;
} // namespace

bool FillComboFromSql(const QString &sql, QComboBox *combo) {
    combo->clear();
    TQuery &query = DM().Query21;
    RunSql(query, sql, 'S');
    QStringList items;
    for (; !query.Eof(); query.Next())
        items << FieldVarToStr(query.Value(QStringLiteral("COMBNAME")));
    combo->addItems(items);
    return true;
}

int SelectComboCode(QComboBox *combo, const QString &code) {
    for (int i = 0; i < combo->count(); ++i) {
        const QString item = combo->itemText(i);
        if (CodePart(item) == code) {
            if (combo->isEditable()) combo->setEditText(item);
            return i;
        }
    }
    return -1;
}

int ComboCode(const QComboBox *combo) {
    if (combo->currentIndex() < 0) return 0;
    const QString item = combo->itemText(combo->currentIndex());
    int code = 0;
    return item.contains(kCodeNameSeparator) && ParseItemCode(item, code) ? code : 0;
}

QString ComboName(const QComboBox *combo) {
    if (combo->currentIndex() < 0) return {};
    return NamePart(combo->itemText(combo->currentIndex())).left(kMaxNameLength);
}

bool FormatIntEdit(QLineEdit *edit) {
    if (edit->text().isEmpty()) return false;
    QString digits = edit->text();
    digits.remove(QLatin1Char(','));
    bool ok = false;
    const int value = digits.toInt(&ok);
    if (!ok) {
        ShowMessage(kMsgInvalidNumber);
        return false;
    }
    edit->setText(FormatAmount(value));
    return true;
}
