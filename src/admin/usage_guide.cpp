#include "usage_guide.h"

#include "emblem.h"
#include "form_helpers.h"
#include "screen_kit.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

TBeforeUseForm::TBeforeUseForm(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TBeforeUseForm"));
    setWindowTitle(QStringLiteral("ご利用案内"));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(EmblemPicture(QSize(150, 150)));
    picture->setAlignment(Qt::AlignTop);

    m_name = MakeEdit(this, "ED_Name");
    m_name->setReadOnly(true);
    QFont titleFont = m_name->font();
    titleFont.setBold(true);
    m_name->setFont(titleFont);
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("ED_Memo"));
    m_memo->setReadOnly(true);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto *text = new QVBoxLayout;
    text->addWidget(m_name);
    text->addWidget(m_memo, 1);
    auto *body = new QHBoxLayout;
    body->addWidget(picture);
    body->addLayout(text, 1);

    auto *buttons = new QHBoxLayout;
    const std::pair<const char *, const char *> navigation[] = {
        {"BTN_Start", "|<"}, {"BTN_Pre", "<"}, {"BTN_Next", ">"}, {"BTN_Last", ">|"}};
    void (TBeforeUseForm::*const handlers[])() = {
        &TBeforeUseForm::BTN_StartClick, &TBeforeUseForm::BTN_PreClick,
        &TBeforeUseForm::BTN_NextClick, &TBeforeUseForm::BTN_LastClick};
    for (int i = 0; i < 4; ++i) {
        QPushButton *b =
            MakeButton(this, navigation[i].first, QString::fromLatin1(navigation[i].second));
        b->setFixedWidth(48);
        connect(b, &QPushButton::clicked, this, handlers[i]);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    QPushButton *close = MakeButton(this, "BTN_Close", QStringLiteral("閉じる"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    InstallEnterMovesFocus(this);
    SizeToFit(this, QSize(760, 500));
}

void TBeforeUseForm::prepare() {
    prepare(LoadGuidePages());
}

void TBeforeUseForm::prepare(const std::vector<GuidePage> &pages) {
    m_titles.clear();
    m_texts.clear();
    for (const GuidePage &p : pages) {
        m_titles << p.title;
        m_texts << p.text;
    }
    if (m_titles.isEmpty()) {
        m_titles << QString();
        m_texts << QString();
    }
    showPage(0);
}

void TBeforeUseForm::showPage(int page) {
    m_page = page;
    m_name->setText(m_titles[page]);
    m_name->setCursorPosition(0);
    m_memo->setPlainText(m_texts[page]);
}

void TBeforeUseForm::BTN_StartClick() {
    showPage(0);
}

void TBeforeUseForm::BTN_PreClick() {
    if (m_page > 0) showPage(m_page - 1);
}

void TBeforeUseForm::BTN_NextClick() {
    if (m_page < pageCount() - 1) showPage(m_page + 1);
}

void TBeforeUseForm::BTN_LastClick() {
    showPage(pageCount() - 1);
}
