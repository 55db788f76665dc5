#include "qt_message_seam.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace {
QMessageBox::Icon toIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Error:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QWidget *parentWindow() {
    return QApplication::activeWindow();
}

// Messages separate their lines with carriage returns; Qt labels break only on line feeds.
QString displayText(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
} // namespace

void QtMessageSeam::message(const QString &caption, const QString &text, MsgIcon icon) {
    QMessageBox box(toIcon(icon), caption, displayText(text), QMessageBox::Ok, parentWindow());
    box.exec();
}

bool QtMessageSeam::askYesNo(const QString &caption, const QString &text) {
    QMessageBox box(QMessageBox::Question, caption, displayText(text),
                    QMessageBox::Yes | QMessageBox::No, parentWindow());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
    return box.exec() == QMessageBox::Yes;
}

bool QtMessageSeam::askOkCancel(const QString &caption, const QString &text) {
    QMessageBox box(QMessageBox::Question, caption, displayText(text),
                    QMessageBox::Ok | QMessageBox::Cancel, parentWindow());
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
    return box.exec() == QMessageBox::Ok;
}

QString QtMessageSeam::openFile(const QString &caption, const QString &dir, const QString &filter) {
    return QFileDialog::getOpenFileName(parentWindow(), caption, dir, filter);
}

QString QtMessageSeam::saveFile(const QString &caption, const QString &dir, const QString &filter) {
    return QFileDialog::getSaveFileName(parentWindow(), caption, dir, filter);
}

bool QtMessageSeam::chooseColor(QColor &color) {
    const QColor chosen = QColorDialog::getColor(color, parentWindow());
    if (!chosen.isValid()) return false;
    color = chosen;
    return true;
}

QPrinter &ProgramPrinter() {
    // Made once and kept until the process ends: destroying a printer after the
    // application object is gone is not safe.
    static QPrinter *printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

bool QtMessageSeam::printerSetup() {
    QPrintDialog dialog(&ProgramPrinter(), parentWindow());
    return dialog.exec() == QDialog::Accepted;
}
