#include "list_grid.h"

#include "form_helpers.h"
#include "list_store.h"
#include "message_seam.h"
#include "screen_kit.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {
// Editors of the list's columns: direct input for codes and counts, Japanese for texts.
// Enter in an editor commits the cell and moves on as Enter on the grid does.
class ListDelegate : public QStyledItemDelegate {
public:
    ListDelegate(TListGrid *grid, const std::vector<ListColumn> &columns)
        : QStyledItemDelegate(grid), m_grid(grid), m_columns(columns) {}
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        const int c = index.column() - 1;
        if (auto *edit = qobject_cast<QLineEdit *>(editor); edit && c >= 0) {
            edit->setAlignment(m_columns[c].right ? Qt::AlignRight : Qt::AlignLeft);
            if (!m_columns[c].japanese)
                edit->setInputMethodHints(Qt::ImhLatinOnly | Qt::ImhPreferNumbers);
        }
        return editor;
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override {
        auto *editor = qobject_cast<QWidget *>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                m_grid->enter();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    TListGrid *m_grid;
    const std::vector<ListColumn> &m_columns;
};

bool isInteger(const QString &text, int &value) {
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}
} // namespace

TListGrid::TListGrid(QWidget *parent, std::vector<ListColumn> columns, ListRules rules, int maxRows)
    : QTableWidget(parent), m_columns(std::move(columns)), m_rules(std::move(rules)),
      m_maxRows(maxRows) {
    setObjectName(QStringLiteral("StringGrid1"));
    setColumnCount(static_cast<int>(m_columns.size()) + 1);
    QStringList headings{QString()};
    for (const ListColumn &c : m_columns)
        headings << c.heading;
    setHorizontalHeaderLabels(headings);
    verticalHeader()->hide();
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    setColumnWidth(0, 30);
    for (int c = 1; c <= static_cast<int>(m_columns.size()); ++c)
        setColumnWidth(c, m_columns[c - 1].width);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new ListDelegate(this, m_columns));
}

void TListGrid::setRow(int row, const QStringList &texts) {
    auto *number = new QTableWidgetItem(QString::number(row + 1));
    number->setTextAlignment(Qt::AlignCenter);
    number->setFlags(Qt::ItemIsEnabled);
    number->setBackground(palette().button());
    setItem(row, 0, number);
    for (int c = 1; c <= static_cast<int>(m_columns.size()); ++c) {
        auto *cell = new QTableWidgetItem(texts.value(c - 1));
        cell->setTextAlignment((m_columns[c - 1].right ? Qt::AlignRight : Qt::AlignLeft) |
                               Qt::AlignVCenter);
        setItem(row, c, cell);
    }
}

void TListGrid::setRows(const std::vector<QStringList> &rows) {
    clearContents();
    if (rows.empty()) {
        setRowCount(1);
        QStringList first{QStringLiteral("1")};
        for (size_t c = 1; c < m_columns.size(); ++c)
            first << m_columns[c].emptyValue;
        setRow(0, first);
    } else {
        setRowCount(static_cast<int>(rows.size()));
        for (int r = 0; r < rowCount(); ++r)
            setRow(r, rows[r]);
    }
    setCurrentCell(0, qMin(2, columnCount() - 1));
}

QString TListGrid::cellText(int row, int column) const {
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->text() : QString();
}

void TListGrid::setCellText(int row, int column, const QString &text) {
    if (QTableWidgetItem *cell = item(row, column)) cell->setText(text);
}

void TListGrid::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        enter();
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void TListGrid::enter() {
    const int row = currentRow();
    const int column = currentColumn();
    const int last = static_cast<int>(m_columns.size());
    if (row < 0 || column < 1) return;
    if (column < last) {
        setCurrentCell(row, column + 1);
    } else if (row + 1 < rowCount()) {
        setCurrentCell(row + 1, qMin(2, last));
    } else if (m_maxRows == 0 || rowCount() < m_maxRows) {
        appendRow();
    }
}

void TListGrid::appendRow() {
    const int row = currentRow();
    int code = 0;
    if (!isInteger(cellText(row, 1), code)) {
        refuse(row, 1, m_rules.codeNotInteger); // there is no next code to give
        return;
    }
    QStringList texts{QString::number(code + 1)};
    for (size_t c = 1; c < m_columns.size(); ++c)
        texts << m_columns[c].newValue;
    setRowCount(rowCount() + 1);
    setRow(rowCount() - 1, texts);
    setCurrentCell(rowCount() - 1, qMin(2, static_cast<int>(m_columns.size())));
}

bool TListGrid::refuse(int row, int column, const QString &message) {
    setCurrentCell(row, column);
    return RefuseField(this, message);
}

bool TListGrid::check() {
    const ListRules &rules = m_rules;
    const auto hasCode = [this](int r) { return !cellText(r, 1).isEmpty(); };
    for (int r = 0; r < rowCount(); ++r) {
        if (!hasCode(r)) continue;
        int code = 0;
        if (!isInteger(cellText(r, 1), code)) return refuse(r, 1, rules.codeNotInteger);
        if (cellText(r, rules.nameColumn).isEmpty())
            return refuse(r, rules.nameColumn, rules.nameMissing);
        if (rules.countColumn > 0) {
            const QString text = cellText(r, rules.countColumn).trimmed();
            int count = 0;
            if ((!text.isEmpty() && !isInteger(text, count)) || count < rules.countLow ||
                count > rules.countHigh)
                return refuse(r, rules.countColumn, rules.countRefused);
        }
        for (int s = 0; s < rowCount(); ++s) {
            if (s == r || !hasCode(s)) continue;
            int other = 0;
            if (isInteger(cellText(s, 1), other) && other == code)
                return refuse(r, 1, rules.duplicateCode);
            if (cellText(s, rules.nameColumn) == cellText(r, rules.nameColumn))
                return refuse(r, rules.nameColumn, rules.duplicateName);
        }
    }
    return true;
}

std::vector<QVariantList> TListGrid::values() const {
    std::vector<QVariantList> rows;
    for (int r = 0; r < rowCount(); ++r) {
        if (cellText(r, 1).isEmpty()) continue;
        QVariantList row;
        for (int c = 1; c <= static_cast<int>(m_columns.size()); ++c) {
            const QString text = cellText(r, c);
            if (m_columns[c - 1].integer)
                row << text.trimmed().toInt();
            else
                row << text;
        }
        rows.push_back(row);
    }
    return rows;
}

TListScreen::TListScreen(QWidget *parent, const char *name, const QString &caption,
                         const ListTable &table, std::vector<ListColumn> columns, ListRules rules,
                         int maxRows)
    : QDialog(parent), m_table(table) {
    setObjectName(QLatin1String(name));
    setWindowTitle(caption);
    int width = 30;
    for (const ListColumn &c : columns)
        width += c.width;
    m_grid = new TListGrid(this, std::move(columns), std::move(rules), maxRows);
    m_grid->setMinimumWidth(width + 24);
    auto *btnAdd = MakeButton(this, "btnAdd", QStringLiteral("登　録"));
    auto *btnClose = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    connect(btnAdd, &QPushButton::clicked, this, &TListScreen::btnAddClick);
    connect(btnClose, &QPushButton::clicked, this, &TListScreen::btnCloseClick);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnAdd);
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    SizeToFit(this, QSize(width + 60, 360));
}

void TListScreen::prepare() {
    m_grid->setRows(LoadList(m_table));
    m_grid->setFocus();
}

void TListScreen::btnAddClick() {
    if (!m_grid->check()) return;
    // A failed save has shown its message and changed nothing; the grid keeps what was typed.
    if (!SaveList(m_table, m_grid->values())) return;
    prepare();
}

void TListScreen::btnCloseClick() {
    reject();
}
