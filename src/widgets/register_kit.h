#pragma once
// What the registers of coded reference data share: a code box whose text is a code or a
// "code : name" item, the position of the shown code in the list of codes with the four moves
// through it, and the checks of the number boxes.

#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QWidget;
class TChangeTracker;
class TFieldExits;

// --- Moves through a code list --------------------------------------------------------------

enum class Move { First, Back, Next, Last };

// What 【いいえ】 does when the data changed and the user moves: "最初のデータ　へ。" ...
QString MoveTarget(Move move);

// The index in `codes` (ascending) that a move goes to; -1 when it goes nowhere. Back and Next
// start from the shown code: without one they go to the first and the last code, from the
// first (last) code Back (Next) goes nowhere, and from a code not in the list they go to the
// first and the last code.
int MoveIndex(const std::vector<int> &codes, std::optional<int> shown, Move move);

// The position boxes txtCureentNo "/" txtLastNo and the four buttons btnFirst, btnBack,
// btnNext and btnLast, without captions. A click first completes the check of the field being
// left, then calls onMove.
QHBoxLayout *MakeMoveBar(QWidget *parent, TFieldExits *exits, std::function<void(Move)> onMove,
                         QLineEdit *&currentNo, QLineEdit *&lastNo);

// --- The code box ---------------------------------------------------------------------------

enum class CodeText { Empty, Refused, Code };

// The code of the box's text: the integer before the first blank. An empty box gives Empty; a
// text that is no integer is refused with "数値を入力してください。", the code 0 with
// `zeroRefusal` (the focus goes back to the box).
CodeText ReadCodeBox(QComboBox *box, const QString &zeroRefusal, int &code);

// Shows `text` in an editable code box without choosing an item.
void ShowCodeText(QComboBox *box, const QString &text);

// The index in `codes` a move from the code box goes to; -1 when it goes nowhere or the box's
// text is refused. Back and Next start from the code the box shows, which is shown again as
// the plain code without counting as a change.
int MoveIndexFromBox(QComboBox *box, const QString &zeroRefusal, const std::vector<int> &codes,
                     Move move, TChangeTracker &changes);

// --- Number boxes ---------------------------------------------------------------------------

// Leaving a number box: the text (commas removed) must read as a number of at most `limit`
// characters written plainly; otherwise the refusal is shown and the focus goes back.
bool CheckNumberBox(QLineEdit *box, int limit);
// The same for a box of whole numbers (counts, ages, years): a fraction is refused as well.
bool CheckWholeNumberBox(QLineEdit *box, int limit);

// The whole number a box holds (commas removed; an empty box holds 0). A text that is no
// whole number is refused ("数値を入力してください。") and false returned.
bool ReadWholeNumber(QLineEdit *box, int &value);
// The number a box holds (commas removed; an empty box holds 0); refused as above.
bool ReadNumber(QLineEdit *box, double &value);
