#include "register_kit.h"

#include "form_helpers.h"
#include "screen_kit.h"
#include "utilities.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <cmath>

QString MoveTarget(Move move) {
    switch (move) {
    case Move::First:
        return QStringLiteral("最初のデータ　へ。");
    case Move::Back:
        return QStringLiteral("前のデータ　へ。");
    case Move::Next:
        return QStringLiteral("次のデータ　へ。");
    case Move::Last:
        break;
    }
    return QStringLiteral("最後のデータ　へ。");
}

int MoveIndex(const std::vector<int> &codes, std::optional<int> shown, Move move) {
    const int count = static_cast<int>(codes.size());
    if (count == 0) return -1;
    const int last = count - 1;
    const auto position = [&codes](int code) {
        const auto it = std::find(codes.begin(), codes.end(), code);
        return it == codes.end() ? -1 : static_cast<int>(it - codes.begin());
    };
    switch (move) {
    case Move::First:
        return 0;
    case Move::Last:
        return last;
    case Move::Back: {
        if (!shown) return 0;
        if (*shown == codes.front()) return -1;
        const int p = position(*shown);
        return p < 0 ? 0 : p - 1;
    }
    case Move::Next: {
        if (!shown) return last;
        if (*shown == codes.back()) return -1;
        const int p = position(*shown);
        return p < 0 ? last : p + 1;
    }
    }
    return -1;
}

QHBoxLayout *MakeMoveBar(QWidget *parent, TFieldExits *exits, std::function<void(Move)> onMove,
                         QLineEdit *&currentNo, QLineEdit *&lastNo) {
    currentNo = MakeEdit(parent, "txtCureentNo", 0, Align::Right);
    lastNo = MakeEdit(parent, "txtLastNo", 0, Align::Right);
    for (QLineEdit *e : {currentNo, lastNo}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setFixedWidth(50);
    }
    auto *bar = new QHBoxLayout;
    bar->addWidget(currentNo);
    bar->addWidget(new QLabel(QStringLiteral("/"), parent));
    bar->addWidget(lastNo);
    bar->addSpacing(8);
    const struct {
        const char *name;
        QStyle::StandardPixmap icon;
        const char *tip;
        Move move;
    } moves[] = {
        {"btnFirst", QStyle::SP_MediaSkipBackward, "最初", Move::First},
        {"btnBack", QStyle::SP_MediaSeekBackward, "前", Move::Back},
        {"btnNext", QStyle::SP_MediaSeekForward, "次", Move::Next},
        {"btnLast", QStyle::SP_MediaSkipForward, "最後", Move::Last},
    };
    for (const auto &m : moves) {
        QPushButton *b = MakeButton(parent, m.name, QString());
        b->setIcon(parent->style()->standardIcon(m.icon));
        b->setToolTip(QString::fromUtf8(m.tip));
        b->setFixedWidth(36);
        exits->onClick(b, [onMove, move = m.move] { onMove(move); });
        bar->addWidget(b);
    }
    bar->addStretch();
    return bar;
}

CodeText ReadCodeBox(QComboBox *box, const QString &zeroRefusal, int &code) {
    code = 0;
    const QString text = box->currentText().trimmed();
    if (text.isEmpty()) return CodeText::Empty;
    bool ok = false;
    const int value = TextBeforeSpace(text).toInt(&ok);
    if (!ok) {
        RefuseField(box, kMsgNotNumber);
        return CodeText::Refused;
    }
    if (value == 0) {
        RefuseField(box, zeroRefusal);
        return CodeText::Refused;
    }
    code = value;
    return CodeText::Code;
}

void ShowCodeText(QComboBox *box, const QString &text) {
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

bool CheckNumberBox(QLineEdit *box, int limit) {
    const QString message = CheckNumText(box->text().trimmed(), limit);
    return message.isEmpty() || RefuseField(box, message);
}

bool CheckWholeNumberBox(QLineEdit *box, int limit) {
    if (!CheckNumberBox(box, limit)) return false;
    int value = 0;
    return ReadWholeNumber(box, value);
}

bool ReadWholeNumber(QLineEdit *box, int &value) {
    value = 0;
    QString text = box->text().trimmed();
    text.remove(QLatin1Char(','));
    if (text.isEmpty()) return true;
    bool ok = false;
    value = text.toInt(&ok);
    if (ok) return true;
    value = 0;
    return RefuseField(box, kMsgNotNumber);
}

bool ReadNumber(QLineEdit *box, double &value) {
    value = 0.0;
    QString text = box->text().trimmed();
    text.remove(QLatin1Char(','));
    if (text.isEmpty()) return true;
    bool ok = false;
    value = text.toDouble(&ok);
    if (ok && std::isfinite(value)) return true;
    value = 0.0;
    return RefuseField(box, kMsgNotNumber);
}

int MoveIndexFromBox(QComboBox *box, const QString &zeroRefusal, const std::vector<int> &codes,
                     Move move, TChangeTracker &changes) {
    std::optional<int> shown;
    if ((move == Move::Back || move == Move::Next) && !box->currentText().trimmed().isEmpty()) {
        int code = 0;
        if (ReadCodeBox(box, zeroRefusal, code) != CodeText::Code) return -1;
        const auto quiet = changes.silence();
        ShowCodeText(box, QString::number(code));
        shown = code;
    }
    return MoveIndex(codes, shown, move);
}
