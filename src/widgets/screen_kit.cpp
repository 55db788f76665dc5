#include "screen_kit.h"

#include "edit_controls.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QValidator>
#include <algorithm>

namespace {
// The limit of what is typed into a box made by MakeEdit.
constexpr char kTypedLimit[] = "typedLimit";

// Typed text must stay within the limit; a text beyond it was set by the program.
class TypedLengthValidator : public QValidator {
public:
    TypedLengthValidator(QLineEdit *edit, int limit) : QValidator(edit), m_limit(limit) {
        QObject::connect(edit, &QLineEdit::textChanged, this, [this](const QString &text) {
            if (text.size() <= m_limit)
                m_room = m_limit;
            else if (text.size() > m_room)
                m_room = int(text.size());
        });
    }

    State validate(QString &input, int &) const override {
        return input.size() <= m_room ? Acceptable : Invalid;
    }

private:
    int m_limit;
    int m_room = m_limit;
};
} // namespace

void LimitTypedLength(QLineEdit *edit, int limit) {
    edit->setValidator(new TypedLengthValidator(edit, limit));
}

QPushButton *MakeButton(QWidget *parent, const char *name, const QString &caption) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QLineEdit *MakeEdit(QWidget *parent, const char *name, int maxLength, Align align) {
    QLineEdit *edit = nullptr;
    switch (align) {
    case Align::Left:
        edit = new QLineEdit(parent);
        break;
    case Align::Right:
        edit = new TRightEdit(parent);
        break;
    case Align::Center:
        edit = new TCenterEdit(parent);
        break;
    }
    edit->setObjectName(QLatin1String(name));
    if (maxLength > 0) {
        edit->setMaxLength(maxLength);
        edit->setProperty(kTypedLimit, maxLength);
    }
    return edit;
}

void ShowStoredText(QLineEdit *edit, const QString &text) {
    const QVariant limit = edit->property(kTypedLimit);
    if (limit.isValid()) edit->setMaxLength(std::max(limit.toInt(), int(text.size())));
    edit->setText(text);
}

QComboBox *MakeCombo(QWidget *parent, const char *name, bool editable) {
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(editable);
    if (editable) {
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
    }
    return combo;
}

void ShowLocked(QWidget *field, bool locked) {
    QPalette palette;
    if (locked) {
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::Base, QColor::fromRgb(kLockedColour));
        // A disabled box keeps its text readable on the colour.
        palette.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
        palette.setColor(QPalette::Disabled, QPalette::ButtonText, Qt::black);
    }
    // A palette without roles of its own gives the box the colours it inherits.
    field->setPalette(palette);
}

QTableWidget *MakeRecordList(QWidget *parent, const char *name, const QStringList &headings,
                             const std::vector<int> &widths, Qt::Alignment headingAlignment) {
    auto *grid = new QTableWidget(1, int(headings.size()), parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
    grid->setHorizontalHeaderLabels(headings);
    QHeaderView *header = grid->horizontalHeader();
    header->setDefaultAlignment(headingAlignment);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    if (!widths.empty()) header->setMinimumSectionSize(widths.front());
    for (int c = 0; c < int(widths.size()) && c < grid->columnCount(); ++c)
        grid->setColumnWidth(c, widths[c]);
    QPalette pal = grid->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Highlight, Qt::blue);
        pal.setColor(group, QPalette::HighlightedText, Qt::white);
        pal.setColor(group, QPalette::Base, Qt::white);
        pal.setColor(group, QPalette::Text, Qt::black);
    }
    grid->setPalette(pal);
    return grid;
}

void SetComboItems(QComboBox *combo, const QStringList &items) {
    const QSignalBlocker quiet(combo);
    combo->clear();
    combo->addItems(items);
}

void SizeToFit(QWidget *window, QSize preferred) {
    QSize size = preferred.boundedTo(kScreenBudget);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size());
    window->resize(size);
}

TBusyCursor::TBusyCursor() {
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_set = true;
}

TBusyCursor::~TBusyCursor() {
    if (m_set) QGuiApplication::restoreOverrideCursor();
}
