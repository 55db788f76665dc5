#include "form_helpers.h"

#include "message_seam.h"
#include "state.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

namespace {

// focusNextPrevChild is protected; it is reached through a derived class so that a window's
// own override (a focus ring) is used.
struct FocusChain : QWidget {
    static void next(QWidget *window) { (window->*(&FocusChain::focusNextPrevChild))(true); }
};

class EnterMovesFocus : public QObject {
public:
    // `target` is a window, or a control whose Enter is taken before it sees it.
    EnterMovesFocus(QWidget *target, EnterOnButton onButton)
        : QObject(target), m_target(target), m_onButton(onButton) {}

protected:
    // On a window it sees the key presses sent to it and those its controls left unhandled.
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched != m_target || event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        auto *button = qobject_cast<QPushButton *>(m_target->focusWidget());
        if (button && m_onButton == EnterOnButton::Press)
            button->click();
        else
            FocusChain::next(m_target->window());
        return true;
    }

private:
    QWidget *m_target;
    EnterOnButton m_onButton;
};

} // namespace

void InstallEnterMovesFocus(QWidget *window, EnterOnButton onButton) {
    window->installEventFilter(new EnterMovesFocus(window, onButton));
}

void EnterLeavesCombo(QComboBox *combo) {
    combo->installEventFilter(new EnterMovesFocus(combo, EnterOnButton::MoveOn));
}

// --- Field exits ------------------------------------------------------------------------------

TFieldExits::TFieldExits(QWidget *window, Timing timing)
    : QObject(window), m_window(window), m_timing(timing) {}

void TFieldExits::watch(QWidget *field, std::function<bool()> check) {
    m_checks.insert(field, std::move(check));
    field->installEventFilter(this);
}

bool TFieldExits::runPending() {
    QWidget *field = m_pending;
    m_pending = nullptr;
    return run(field);
}

void TFieldExits::forgetPending() {
    m_pending = nullptr;
}

void TFieldExits::onClick(QAbstractButton *button, std::function<void()> action) {
    connect(button, &QAbstractButton::clicked, this, [this, action = std::move(action)] {
        if (runPending()) action();
    });
}

bool TFieldExits::run(QWidget *field) {
    if (!field || m_running || !m_window->isVisible() || !field->isEnabled()) return true;
    m_running = true;
    const auto check = m_checks.value(field);
    const bool ok = !check || check();
    m_running = false;
    return ok;
}

bool TFieldExits::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::FocusOut || m_running) return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) return false;
    auto *field = qobject_cast<QWidget *>(watched);
    if (m_timing == Timing::AtOnce) {
        run(field);
        return false;
    }
    if (m_pending && m_pending != field) runPending();
    m_pending = field;
    QTimer::singleShot(0, this, [this] { runPending(); });
    return false;
}

bool RefuseField(QWidget *field, const QString &message) {
    ShowMessage(message);
    return ReturnToField(field);
}

bool ReturnToField(QWidget *field) {
    for (QWidget *w = field->parentWidget(); w; w = w->parentWidget()) {
        if (auto *tabs = qobject_cast<QTabWidget *>(w))
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->widget(i)->isAncestorOf(field)) tabs->setCurrentIndex(i);
        if (w->isWindow()) break;
    }
    field->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(field)) edit->selectAll();
    if (auto *combo = qobject_cast<QComboBox *>(field); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
    return false;
}

// --- The changed flag -------------------------------------------------------------------------

void MarkDataChanged() {
    G().gDataChanged = 1;
}

void WatchChanges(QWidget *field, ChangeSource source, std::function<void()> changed) {
    const auto call = [changed = std::move(changed)] { changed(); };
    const bool user = source == ChangeSource::User;
    if (auto *edit = qobject_cast<QLineEdit *>(field)) {
        if (user)
            QObject::connect(edit, &QLineEdit::textEdited, edit, call);
        else
            QObject::connect(edit, &QLineEdit::textChanged, edit, call);
    } else if (auto *combo = qobject_cast<QComboBox *>(field)) {
        if (user) {
            QObject::connect(combo, &QComboBox::activated, combo, call);
            if (combo->lineEdit())
                QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, combo, call);
        } else if (combo->isEditable()) {
            QObject::connect(combo, &QComboBox::editTextChanged, combo, call);
        } else {
            QObject::connect(combo, &QComboBox::currentIndexChanged, combo, call);
        }
    } else if (auto *memo = qobject_cast<QPlainTextEdit *>(field)) {
        // A memo tells no typed change apart: its loads run under the tracker's silence.
        QObject::connect(memo, &QPlainTextEdit::textChanged, memo, call);
    } else if (auto *button = qobject_cast<QAbstractButton *>(field)) {
        if (user)
            QObject::connect(button, &QAbstractButton::clicked, button, call);
        else
            QObject::connect(button, &QAbstractButton::toggled, button, call);
    }
}

TChangeTracker::TChangeTracker(QObject *parent, Scope scope) : QObject(parent), m_scope(scope) {}

void TChangeTracker::watch(QWidget *field, ChangeSource source, int group) {
    WatchChanges(field, source, [this, group] { mark(group); });
}

void TChangeTracker::mark(int group) {
    if (silenced()) return;
    m_groups |= 1u << group;
    if (m_scope == Scope::Global) MarkDataChanged();
}

bool TChangeTracker::changed() const {
    return m_scope == Scope::Global ? G().gDataChanged != 0 : m_groups != 0;
}

void TChangeTracker::clear() {
    m_groups = 0;
    if (m_scope == Scope::Global) G().gDataChanged = 0;
}

// --- Yes/No questions -------------------------------------------------------------------------

QString YesNoQuestion(const QString &question, const QString &yes, const QString &no) {
    return question + QStringLiteral("\r【はい】:") + yes + QStringLiteral("\r【いいえ】:") + no;
}

bool AskYesNoQuestion(const QString &question, const QString &yes, const QString &no,
                      const QString &caption) {
    return AskYesNo(YesNoQuestion(question, yes, no), caption);
}

bool AskStayOnChangedData(const QString &leaving) {
    return AskYesNoQuestion(QStringLiteral("ﾃﾞｰﾀが変更されています。"),
                            QStringLiteral("戻ります。"), leaving, kCaptionConfirm);
}

bool AskDeleteData(const QString &caption) {
    return AskYesNoQuestion(QStringLiteral("ﾃﾞｰﾀを削除しますか？"), QStringLiteral("削除します。"),
                            QStringLiteral("戻ります。"), caption);
}
