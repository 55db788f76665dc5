#pragma once
// What every form shares: Enter moves to the next control, a field is checked when the focus
// leaves it, edits raise the "changed" flag, and the Yes/No questions of the forms.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QAbstractButton;
class QComboBox;
class QWidget;

inline const QString kMsgNoChange = QStringLiteral("ﾃﾞｰﾀの変更がありません。");
inline const QString kCaptionConfirm = QStringLiteral("確認");
// What 【いいえ】 does when a changed form is being closed.
inline const QString kLeaveCloses = QStringLiteral("画面を閉じます。");

// --- Enter ------------------------------------------------------------------------------------

enum class EnterOnButton { Press, MoveOn };

// Return and Enter (keypad too, with any modifiers) reaching `window` move the focus to the
// next control as Tab does, the window's own focus order included. On a push button they press
// it, or move on as well with EnterOnButton::MoveOn.
void InstallEnterMovesFocus(QWidget *window, EnterOnButton onButton = EnterOnButton::Press);
// An editable combo box keeps Enter to itself while it has a completer (to accept the
// completion); for `combo` Enter moves on at once instead.
void EnterLeavesCombo(QComboBox *combo);

// --- Field exits ------------------------------------------------------------------------------

// Runs the check of a field when the focus leaves it. Opening a pop-up or another window is no
// leaving. A check shows its own refusal (normally through RefuseField) and returns false;
// focus changes made while a check runs start no check of their own.
class TFieldExits : public QObject {
    Q_OBJECT
public:
    // Deferred checks run once the focus change is complete, so a refusal can take the focus
    // back; AtOnce checks run while the focus leaves.
    enum class Timing { Deferred, AtOnce };
    explicit TFieldExits(QWidget *window, Timing timing = Timing::Deferred);

    void watch(QWidget *field, std::function<bool()> check);
    // Runs the deferred check of the field last left if it has not run yet (a button calls
    // this before it acts); true when there was none or it passed.
    bool runPending();
    // Drops the deferred check (the form was cleared or closed).
    void forgetPending();
    // Connects a button: a click first completes the check of the field being left (runPending)
    // and acts only when that check passed.
    void onClick(QAbstractButton *button, std::function<void()> action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool run(QWidget *field);

    QWidget *m_window;
    Timing m_timing;
    QHash<QWidget *, std::function<bool()>> m_checks;
    QPointer<QWidget> m_pending;
    bool m_running = false;
};

// Shows the refusal of a field's value and puts the user back in the field: the tab page
// holding it comes to the front, it takes the focus and its text is selected. Always false.
bool RefuseField(QWidget *field, const QString &message);
// The same without a message, for a check that has shown its own (or refuses silently).
bool ReturnToField(QWidget *field);

// --- The changed flag -------------------------------------------------------------------------

// gDataChanged := 1.
void MarkDataChanged();

// Which changes count: any change of the text or choice, or only what the user types, picks
// or clicks.
enum class ChangeSource { Any, User };

// Calls `changed` when the text or choice of a line edit, combo box or radio/check box changes.
void WatchChanges(QWidget *field, ChangeSource source,
                  std::function<void()> changed = MarkDataChanged);

// The changed flag of a screen. Its fields are watched in groups (a screen that saves its parts
// apart gives each part a group); a change marks its group and, in the Global scope, raises
// gDataChanged, the flag of the Yes/No questions on leaving. While a silence guard lives (the
// form is loading its values) changes mark nothing.
class TChangeTracker : public QObject {
    Q_OBJECT
public:
    enum class Scope { Global, Private };
    explicit TChangeTracker(QObject *parent, Scope scope = Scope::Global);

    void watch(QWidget *field, ChangeSource source, int group = 0);
    // A change made by a handler rather than typed into a field (a colour chosen).
    void mark(int group = 0);
    // Any change; in the Global scope this is gDataChanged.
    bool changed() const;
    bool changed(int group) const { return m_groups & (1u << group); }
    void clear();
    void clearGroup(int group) { m_groups &= ~(1u << group); }

    class Silence {
    public:
        explicit Silence(TChangeTracker *tracker) : m_tracker(tracker) { ++m_tracker->m_silent; }
        ~Silence() { --m_tracker->m_silent; }
        Silence(const Silence &) = delete;
        Silence &operator=(const Silence &) = delete;

    private:
        TChangeTracker *m_tracker;
    };
    [[nodiscard]] Silence silence() { return Silence(this); }
    bool silenced() const { return m_silent > 0; }

private:
    Scope m_scope;
    unsigned m_groups = 0;
    int m_silent = 0;
};

// --- Yes/No questions -------------------------------------------------------------------------

// "question\r【はい】:yes\r【いいえ】:no".
QString YesNoQuestion(const QString &question, const QString &yes, const QString &no);
// Asks YesNoQuestion through the message seam; true for 【はい】.
bool AskYesNoQuestion(const QString &question, const QString &yes, const QString &no,
                      const QString &caption);
// "ﾃﾞｰﾀが変更されています。": 【はい】 stays on the form, 【いいえ】 does `leaving`. True to stay.
bool AskStayOnChangedData(const QString &leaving = kLeaveCloses);
// "ﾃﾞｰﾀを削除しますか？": true to delete.
bool AskDeleteData(const QString &caption);
