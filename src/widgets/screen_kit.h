#pragma once
// The pieces every screen is built from: named buttons, edit boxes and combo boxes made one
// way, a busy cursor for long steps, and the size rule that keeps every screen on a small
// laptop display.

#include <QColor>
#include <QLineEdit>
#include <QSize>
#include <QString>
#include <array>
#include <vector>

class QComboBox;
class QPushButton;
class QTableWidget;
class QWidget;

// A push button with its object name. Enter on it presses it (or moves on, as the window's
// Enter rule says); it never becomes the dialog's default button.
QPushButton *MakeButton(QWidget *parent, const char *name, const QString &caption);

// Shows a stored text whole. The box's limit binds what is typed; a longer stored text (an
// import brings any length) widens it while that text is shown, so saving never cuts it.
void ShowStoredText(QLineEdit *edit, const QString &text);

enum class Align { Left, Right, Center };
// A one-line edit box with its object name, a maximum length (0: none) and an alignment:
// right for codes, amounts, rates and date parts, centre for short code and year boxes.
QLineEdit *MakeEdit(QWidget *parent, const char *name, int maxLength = 0,
                    Align align = Align::Left);

// At most `limit` characters can be typed into the box. A longer text that the program or an
// item list puts into it (a "code : name" item) is shown whole and may still be edited down.
void LimitTypedLength(QLineEdit *edit, int limit);

// A combo box with its object name. An editable one takes typed text as it is: typing never
// adds an item and no completer guesses.
QComboBox *MakeCombo(QWidget *parent, const char *name, bool editable);

// The colour of a box the user may not change ("sky blue").
inline constexpr QRgb kLockedColour = 0xffa6caf0;
// Paints a box the user may not change (read-only or disabled) in kLockedColour, or gives it
// back its normal colour.
void ShowLocked(QWidget *field, bool locked);

// The boxes of numbered items (edits[1..last]) show texts[1..last], or give them back.
template <size_t N, size_t M>
void ShowTexts(const std::array<QLineEdit *, N> &edits, const std::array<QString, M> &texts,
               int last) {
    for (int n = 1; n <= last; ++n)
        edits[n]->setText(texts[n]);
}
template <size_t N, size_t M>
void ReadTexts(const std::array<QLineEdit *, N> &edits, std::array<QString, M> &texts, int last) {
    for (int n = 1; n <= last; ++n)
        texts[n] = edits[n]->text();
}

// Sets the items of a combo box without announcing the change.
void SetComboItems(QComboBox *combo, const QStringList &items);

// A read-only list of records, chosen by row: one row selected at a time, white on blue also
// while the list has no focus, headings that do not react to clicks. `widths` are the
// columns' widths; the first is also the narrowest a column can be made.
QTableWidget *MakeRecordList(QWidget *parent, const char *name, const QStringList &headings,
                             const std::vector<int> &widths, Qt::Alignment headingAlignment);

// The largest size a screen opens at: a 1280x720 display (a common office laptop with display
// scaling) less the title bar, the window frame and the task bar.
inline constexpr QSize kScreenBudget(1260, 640);
// Sizes a window to `preferred`, kept within kScreenBudget and the available screen.
void SizeToFit(QWidget *window, QSize preferred);

// Shows the busy cursor while a long step runs (nothing without a GUI application).
class TBusyCursor {
public:
    TBusyCursor();
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor &) = delete;
    TBusyCursor &operator=(const TBusyCursor &) = delete;

private:
    bool m_set = false;
};
