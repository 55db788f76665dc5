#include "version_dialog.h"

#include "emblem.h"
#include "program_version.h"
#include "screen_kit.h"
#include "state.h"
#include "tdm.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

QString ProgramVersionText() {
    return QStringLiteral("バージョン ") + QLatin1String(kProgramVersion);
}

QString LibraryVersionText() {
    return QStringLiteral("Qt ") + QLatin1String(qVersion()) + QStringLiteral("  /  ") +
           DatabaseEngineText();
}

TNX4010::TNX4010(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TNX4010"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(EmblemPicture(QSize(120, 120)));

    // The title and the versions on a light-green panel.
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, QColor(128, 255, 0));
    palette.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(palette);

    auto *title = new QLabel(kAppCaption, panel);
    title->setObjectName(QStringLiteral("labTitle"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto *version = new QLabel(ProgramVersionText(), panel);
    version->setObjectName(QStringLiteral("labVersion"));
    auto *libraries = new QLabel(LibraryVersionText(), panel);
    libraries->setObjectName(QStringLiteral("labLibraries"));
    for (QLabel *label : {title, version, libraries})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(16, 12, 16, 12);
    panelLayout->addWidget(title);
    panelLayout->addWidget(version);
    panelLayout->addWidget(libraries);

    auto *body = new QHBoxLayout;
    body->addWidget(picture, 0, Qt::AlignTop);
    body->addWidget(panel, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton *close = MakeButton(this, "btnClose", QStringLiteral("閉じる"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(460, 0)));
}
