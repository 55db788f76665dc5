#include "matrix_input.h"

#include "combo_utils.h"
#include "form_helpers.h"
#include "list_store.h"
#include "message_seam.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <functional>

namespace {

const QString kMsgBadMatrix = QStringLiteral("マトリクスIDが不正です。");
const QString kMsgBadZones = QStringLiteral("指定されたマトリクスIDはゾーン数が不正です。");
const QString kMsgNoValidNumber = QStringLiteral("有効な数字を入力して下さい。");
const QString kCaptionLeave = QStringLiteral("マトリクス入力");
const QString kAskLeave =
    QStringLiteral("入力データは更新されていません。\r\nこのまま終了しますか？");

// The first two rows (captions, zone numbers) and columns (codes, symbols) are fixed; the
// rates start at row 2, column 2.
constexpr int kFixed = 2;
constexpr int kMaxZones = 5;
constexpr int kCaptionWidth = 40;
constexpr int kZoneWidth = 70;
constexpr int kEditorLength = 5;
// Room between a rate and the line right of it.
constexpr int kRatePadding = 4;
// The most evaluations the evaluation list takes; the screen is sized for them.
constexpr int kUsualEvaluations = 7;
constexpr double kNoNumber = -999;

bool isRateCell(int row, int column) {
    return row >= kFixed && column >= kFixed;
}

// The rate a cell shows, as a number ("3.50%" is 3.5, an empty cell 0).
double shownRate(const QString &text) {
    QString digits = text;
    digits.remove(QLatin1Char('%'));
    return QLocale::c().toDouble(digits.trimmed());
}

} // namespace

QString MatrixRateText(double rate) {
    const double rounded = RoundHalfUp(3, rate);
    // A value that rounds to nothing shows no sign.
    return QString::number(rounded == 0 ? 0.0 : rounded, 'f', 2) + QLatin1Char('%');
}

std::optional<double> ReadTypedRate(const QString &typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty()) return 0.0;
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value) || value == kNoNumber) return std::nullopt;
    return value;
}

// The matrix grid: captions over the fixed cells, the rates in the others, and one rate at a
// time edited in place. A rate is committed only when the editor moves to another cell or the
// matrix is saved; a refused value keeps the editor on its cell.
class TMatrixGrid : public QTableWidget {
public:
    explicit TMatrixGrid(QWidget *parent);

    // Called when a committed value differs from what its cell showed.
    std::function<void()> onChange;

    // Lays out a matrix of `zones` zones for the evaluations, every rate empty.
    void build(int zones, const std::vector<TYHYOUKA> &evaluations);
    // Shows each stored row in the first row of its evaluation; unknown evaluations are
    // skipped.
    void showRates(const std::vector<TMatrixRates> &rows);
    // The rates of every evaluation row as shown, zones beyond the matrix 0.
    std::vector<TMatrixRates> rates() const;

    // Commits the open editor, then edits (row, column) when it is a rate cell. False when the
    // typed value was refused: the editor stays where it was.
    bool selectCell(int row, int column);
    // Commits the open editor's value into its cell; false when refused. The editor stays open.
    bool commitEdit();
    // Closes the editor without committing.
    void closeEdit();
    QLineEdit *openEditor() const;
    // A navigation key of the editor; false for other keys.
    bool editorKey(int key);

    QSize contentSize(int columns, int rows) const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    QTableWidgetItem *fixedItem(const QString &text) const;
    int rowHeight() const;

    int m_zones = 0;
    std::vector<QString> m_codes; // evaluation code of every row (fixed rows empty)
    QPersistentModelIndex m_edited;
    bool m_moving = false;
};

namespace {

// The editor of a rate cell, and captions that shrink to fit their fixed cells.
class RateDelegate : public QStyledItemDelegate {
public:
    explicit RateDelegate(TMatrixGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                          const QModelIndex &) const override {
        QLineEdit *edit = MakeEdit(parent, "Edit1", kEditorLength, Align::Right);
        edit->setFrame(false);
        edit->setTextMargins(0, 0, kRatePadding, 0);
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[-.0-9]*")), edit));
        edit->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
        return edit;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override {
        auto *edit = static_cast<QLineEdit *>(editor);
        QString text = index.data().toString();
        text.remove(QLatin1Char('%'));
        // A stored rate may be longer than what can be typed; it is shown whole.
        ShowStoredText(edit, text);
        edit->selectAll();
    }

    // The grid commits the editor itself (TMatrixGrid::commitEdit).
    void setModelData(QWidget *, QAbstractItemModel *, const QModelIndex &) const override {}

    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &) const override {
        editor->setGeometry(option.rect.adjusted(0, 0, -1, -1));
    }

    // The grid draws its own lines, each cell its right and bottom edge: a caption spanning
    // several cells is then crossed by none.
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override {
        QStyleOptionViewItem cell = option;
        cell.rect.adjust(0, 0, -1, -1);
        if (isRateCell(index.row(), index.column())) cell.rect.adjust(0, 0, -kRatePadding, 0);
        QStyledItemDelegate::paint(painter, cell, index);
        const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
        const QColor line = QColor::fromRgba(static_cast<QRgb>(
            style->styleHint(QStyle::SH_Table_GridLineColor, &option, option.widget)));
        const QPen pen = painter->pen();
        painter->setPen(line);
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->setPen(pen);
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~QStyle::State_HasFocus;
        if (isRateCell(index.row(), index.column())) return;
        const int room = option->rect.width() - 4;
        QFont font = option->font;
        while (QFontMetrics(font).horizontalAdvance(option->text) > room && font.pointSizeF() > 6)
            font.setPointSizeF(font.pointSizeF() - 0.5);
        option->font = font;
        option->fontMetrics = QFontMetrics(font);
    }

    // Navigation keys move the editor; losing the focus leaves it open with its text, so a
    // click on 登　録 still commits it.
    bool eventFilter(QObject *object, QEvent *event) override {
        if (event->type() == QEvent::KeyPress)
            return m_grid->editorKey(static_cast<QKeyEvent *>(event)->key());
        if (event->type() == QEvent::FocusOut) return false;
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    TMatrixGrid *m_grid;
};

} // namespace

TMatrixGrid::TMatrixGrid(QWidget *parent) : QTableWidget(parent) {
    setObjectName(QStringLiteral("StringGrid1"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(rowHeight());
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The editor marks the cell being edited; nothing is shown as selected.
    setSelectionMode(QAbstractItemView::NoSelection);
    setShowGrid(false);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setItemDelegate(new RateDelegate(this));
}

int TMatrixGrid::rowHeight() const {
    return fontMetrics().height() + 10;
}

QSize TMatrixGrid::contentSize(int columns, int rows) const {
    const int frame = 2 * frameWidth();
    return QSize(kFixed * kCaptionWidth + (columns - kFixed) * kZoneWidth + frame,
                 rows * rowHeight() + frame);
}

QSize TMatrixGrid::sizeHint() const {
    return contentSize(qMax(columnCount(), kFixed), qMax(rowCount(), kFixed));
}

QSize TMatrixGrid::minimumSizeHint() const {
    return contentSize(kFixed, kFixed);
}

QTableWidgetItem *TMatrixGrid::fixedItem(const QString &text) const {
    auto *cell = new QTableWidgetItem(text);
    cell->setFlags(Qt::ItemIsEnabled);
    cell->setTextAlignment(Qt::AlignCenter);
    cell->setBackground(palette().button());
    cell->setForeground(palette().buttonText());
    return cell;
}

void TMatrixGrid::build(int zones, const std::vector<TYHYOUKA> &evaluations) {
    closeEdit();
    clear();
    clearSpans();
    m_zones = zones;
    const int evaluationCount = static_cast<int>(evaluations.size());
    setColumnCount(zones + kFixed);
    setRowCount(evaluationCount + kFixed);
    for (int c = 0; c < columnCount(); ++c)
        setColumnWidth(c, c < kFixed ? kCaptionWidth : kZoneWidth);

    m_codes.assign(rowCount(), QString());
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c) {
            if (!isRateCell(r, c)) {
                setItem(r, c, fixedItem(QString()));
                continue;
            }
            auto *cell = new QTableWidgetItem;
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            setItem(r, c, cell);
        }
    for (int z = 1; z <= zones; ++z)
        item(1, z + 1)->setText(QString::number(z));
    // Column 0 lies under the 評価 caption, so the codes are kept beside the cells; the
    // symbols in column 1 show.
    for (int i = 0; i < evaluationCount; ++i) {
        m_codes[i + kFixed] = evaluations[i].Hco;
        item(i + kFixed, 1)->setText(evaluations[i].Hkigou);
    }

    item(0, 0)->setText(QStringLiteral("昇給マトリクス"));
    setSpan(0, 0, kFixed, kFixed);
    item(0, kFixed)->setText(QStringLiteral("ゾーン番号"));
    if (zones > 1) setSpan(0, kFixed, 1, zones);
    if (evaluationCount > 0) item(kFixed, 0)->setText(QStringLiteral("評価"));
    if (evaluationCount > 1) setSpan(kFixed, 0, evaluationCount, 1);

    setCurrentItem(nullptr);
    updateGeometry();
}

void TMatrixGrid::showRates(const std::vector<TMatrixRates> &rows) {
    for (const TMatrixRates &stored : rows) {
        const QString code = QString::number(stored.evaluation);
        for (int r = kFixed; r < rowCount(); ++r) {
            if (m_codes[r] != code) continue;
            for (int z = 1; z <= qMin(m_zones, kMaxZones); ++z)
                item(r, z + 1)->setText(MatrixRateText(stored.up[z]));
            break;
        }
    }
}

std::vector<TMatrixRates> TMatrixGrid::rates() const {
    std::vector<TMatrixRates> out;
    for (int r = kFixed; r < rowCount(); ++r) {
        TMatrixRates row;
        row.evaluation = m_codes[r].toInt();
        for (int z = 1; z <= qMin(m_zones, kMaxZones); ++z)
            row.up[z] = shownRate(item(r, z + 1)->text());
        out.push_back(row);
    }
    return out;
}

QLineEdit *TMatrixGrid::openEditor() const {
    return m_edited.isValid() ? qobject_cast<QLineEdit *>(indexWidget(m_edited)) : nullptr;
}

bool TMatrixGrid::commitEdit() {
    QLineEdit *editor = openEditor();
    if (!editor) return true;
    const std::optional<double> value = ReadTypedRate(editor->text());
    if (!value) return RefuseField(editor, kMsgNoValidNumber);
    const QString text = MatrixRateText(*value);
    QTableWidgetItem *cell = item(m_edited.row(), m_edited.column());
    if (text != cell->text()) {
        cell->setText(text);
        if (onChange) onChange();
    }
    editor->setModified(false);
    return true;
}

void TMatrixGrid::closeEdit() {
    if (QLineEdit *editor = openEditor())
        QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
    m_edited = QPersistentModelIndex();
}

bool TMatrixGrid::selectCell(int row, int column) {
    if (!commitEdit()) return false;
    closeEdit();
    if (!isRateCell(row, column) || row >= rowCount() || column >= columnCount()) return true;
    m_moving = true;
    setCurrentCell(row, column);
    m_moving = false;
    m_edited = model()->index(row, column);
    edit(m_edited);
    if (QLineEdit *editor = openEditor()) {
        editor->setFocus(Qt::OtherFocusReason);
        editor->selectAll();
    }
    return true;
}

bool TMatrixGrid::editorKey(int key) {
    if (!m_edited.isValid()) return false;
    const int row = m_edited.row();
    const int column = m_edited.column();
    const int lastRow = rowCount() - 1;
    const int lastColumn = columnCount() - 1;
    int r = row;
    int c = column;
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Right:
        if (column < lastColumn) {
            ++c;
        } else if (row < lastRow) {
            ++r;
            c = kFixed;
        } else {
            r = c = kFixed;
        }
        break;
    case Qt::Key_Backtab:
    case Qt::Key_Left:
        if (column > kFixed) {
            --c;
        } else if (row > kFixed) {
            --r;
            c = lastColumn;
        } else {
            return true;
        }
        break;
    case Qt::Key_Up:
        if (row == kFixed) return true;
        --r;
        break;
    case Qt::Key_Down:
        if (row == lastRow) return true;
        ++r;
        break;
    default:
        return false;
    }
    selectCell(r, c);
    return true;
}

void TMatrixGrid::mousePressEvent(QMouseEvent *event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) selectCell(index.row(), index.column());
    event->accept();
}

void TMatrixGrid::mouseDoubleClickEvent(QMouseEvent *event) {
    event->accept();
}

void TMatrixGrid::keyPressEvent(QKeyEvent *event) {
    // Escape belongs to the window (it closes); while a rate is edited only the editor's own
    // keys move.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    if (openEditor()) {
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

// Moving onto a rate cell with the grid's own keys starts editing it.
void TMatrixGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous) {
    QTableWidget::currentChanged(current, previous);
    if (m_moving || !current.isValid() || openEditor()) return;
    if (isRateCell(current.row(), current.column())) selectCell(current.row(), current.column());
}

TfrmMatInput::TfrmMatInput(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmMatInput"));
    setWindowTitle(QStringLiteral("マトリクスの入力"));
    m_changes = new TChangeTracker(this, TChangeTracker::Scope::Private);

    m_cmbMatrixID = MakeCombo(this, "cmbMatrixID", false);
    m_cmbMatrixID->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_cmbMatrixID->setMinimumWidth(240);
    auto *label = new QLabel(QStringLiteral("マトリクス"), this);
    label->setBuddy(m_cmbMatrixID);

    m_gridArea = new QWidget(this);
    m_grid = new TMatrixGrid(m_gridArea);
    m_grid->onChange = [this] { m_changes->mark(); };
    m_grid->hide();
    auto *area = new QVBoxLayout(m_gridArea);
    area->setContentsMargins(0, 0, 0, 0);
    area->addWidget(m_grid, 0, Qt::AlignLeft | Qt::AlignTop);

    m_btnAdd = MakeButton(this, "btnAdd", QStringLiteral("登　録"));
    m_btnClose = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    connect(m_cmbMatrixID, &QComboBox::currentIndexChanged, this, &TfrmMatInput::cmbMatrixIDChange);
    connect(m_btnAdd, &QPushButton::clicked, this, &TfrmMatInput::btnAddClick);
    connect(m_btnClose, &QPushButton::clicked, this, &TfrmMatInput::btnCloseClick);

    auto *top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(m_cmbMatrixID);
    top->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {m_btnAdd, m_btnClose}) {
        b->setMinimumWidth(88);
        buttons->addWidget(b);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_gridArea, 1);
    layout->addLayout(buttons);
    setTabOrder(m_cmbMatrixID, m_grid);
    setTabOrder(m_grid, m_btnAdd);
    setTabOrder(m_btnAdd, m_btnClose);
    InstallEnterMovesFocus(this);
    fitToLargestMatrix();
}

TfrmMatInput::~TfrmMatInput() = default;

// The window keeps one size whichever matrix is chosen: room for five zones and every
// evaluation (at least the seven the evaluation list allows).
void TfrmMatInput::fitToLargestMatrix() {
    const int rows = qMax(kUsualEvaluations, static_cast<int>(G().gYHyoukaTbl.size())) + kFixed;
    const QSize room(kScreenBudget.width() - 40, kScreenBudget.height() - 120);
    m_gridArea->setMinimumSize(m_grid->contentSize(kMaxZones + kFixed, rows).boundedTo(room));
    layout()->activate();
    SizeToFit(this, sizeHint());
}

void TfrmMatInput::prepare() {
    m_grid->closeEdit();
    m_grid->hide();
    m_matrixId = 0;
    SetComboItems(m_cmbMatrixID, MatrixItems());
    {
        const QSignalBlocker quiet(m_cmbMatrixID);
        m_cmbMatrixID->setCurrentIndex(-1);
    }
    m_changes->clear();
    fitToLargestMatrix();
    m_cmbMatrixID->setFocus();
}

bool TfrmMatInput::changed() const {
    const QLineEdit *editor = m_grid->openEditor();
    return m_changes->changed() || (editor && editor->isModified());
}

void TfrmMatInput::cmbMatrixIDChange() {
    m_grid->closeEdit();
    m_grid->hide();
    m_matrixId = 0;
    m_changes->clear();
    if (m_cmbMatrixID->currentIndex() < 0) return;
    const int id = ComboCode(m_cmbMatrixID);
    int zones = 0;
    if (id == 0 || !ReadMatrixZones(id, zones)) {
        RefuseField(m_cmbMatrixID, kMsgBadMatrix);
        return;
    }
    // Only zones 1..5 have a column to be stored in.
    if (zones < 1 || zones > kMaxZones) {
        RefuseField(m_cmbMatrixID, kMsgBadZones);
        return;
    }
    m_grid->build(zones, G().gYHyoukaTbl);
    const std::vector<TMatrixRates> stored = LoadMatrixRates(id);
    m_grid->showRates(stored);
    m_matrixId = id;
    m_grid->show();
    if (!stored.empty()) m_grid->selectCell(kFixed, kFixed);
    m_changes->clear();
}

void TfrmMatInput::btnAddClick() {
    if (m_matrixId == 0) return;
    if (!m_grid->commitEdit()) return;
    m_grid->closeEdit();
    m_cmbMatrixID->setFocus();
    // A failed save has shown its message and kept the stored rows; the grid keeps its rates.
    if (!SaveMatrixRates(m_matrixId, m_grid->rates())) return;
    m_changes->clear();
}

void TfrmMatInput::btnCloseClick() {
    if (changed() && !AskYesNo(kAskLeave, kCaptionLeave)) return;
    QDialog::reject();
}

void TfrmMatInput::reject() {
    btnCloseClick();
}
