#pragma once
// Combo boxes holding code-and-name items ("3 : パート"), and integer edit boxes.

#include <QString>

class QComboBox;
class QLineEdit;

// Clears the items and adds column COMBNAME of every row of the statement, run on Query21 of
// the data database, in row order. The result set is left open. Always true.
bool FillComboFromSql(const QString &sql, QComboBox *combo);
// Index of the first item whose code part equals the code text exactly ("01" is not "1"); -1
// when none does. An editable box also gets that item's text; the selection is the caller's.
int SelectComboCode(QComboBox *combo, const QString &code);
// Integer code of the selected item; 0 when nothing is selected, when the item has no
// " : " or when its code part is not an integer.
int ComboCode(const QComboBox *combo);
// Name part of the selected item, at most 500 characters; empty when nothing is selected.
QString ComboName(const QComboBox *combo);

// Reformats an integer box as "#,##0". An empty box gives false silently; a text that is no
// integer (after removing ",") shows a message, keeps its text and gives false.
bool FormatIntEdit(QLineEdit *edit);
