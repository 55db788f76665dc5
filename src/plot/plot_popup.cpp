#include "plot_popup.h"

#include "chart_store.h"
#include "state.h"
#include "utilities.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>

namespace {

QString yen(qint64 amount) {
    return FormatAmount(amount) + QStringLiteral(" 円");
}

} // namespace

PopupPageTexts PopupPageOf(int page, const TPlotEmployee &e,
                           const std::array<QString, 10> &gradeNames, int yearsInPost) {
    PopupPageTexts t;
    const auto fill = [&t](const char *caption, std::array<const char *, 5> titles,
                           std::array<QString, 5> values) {
        t.caption = QString::fromUtf8(caption);
        for (int i = 1; i <= 5; ++i) {
            t.titles[i] = QString::fromUtf8(titles[i - 1]);
            t.values[i] = values[i - 1];
        }
    };
    switch (page) {
    case 1:
        fill("1.プロフィール",
             {"社員番号:", "年　　齢　:", "勤　　続　:", "学　　歴　:", "専　　攻　:"},
             {e.scot, QString::number(e.nenrei) + QStringLiteral(" 歳"),
              QString::number(e.kinzoku) + QStringLiteral(" 年"), e.gaku, e.senkou});
        break;
    case 2:
        fill("2.人事考課", {"３年前　:", "２年前　:", "１年前　:", "本年度　:", ""},
             {e.hna[3], e.hna[2], e.hna[1], e.hyouka, QString()});
        break;
    case 3:
        fill("3.キャリア", {"役　職　:", "等　級　:", "号　俸　:", "滞　留　:", ""},
             {e.yaku, e.toukyu >= 1 && e.toukyu <= 9 ? gradeNames[e.toukyu] : QString(),
              QString::number(e.gouhou) + QStringLiteral(" 号"),
              QString::number(yearsInPost) + QStringLiteral(" 年"), QString()});
        break;
    case 4: {
        qint64 allowances = 0;
        for (int i = 1; i <= 5; ++i)
            allowances += e.teate[i];
        const qint64 bonus = e.syouyo + e.syouyo2;
        fill("4.賃金情報", {"基 本 給：", "諸 手 当：", "所 定 給：", "年 賞 与：", "年 収 入："},
             {yen(e.kkyu[1] + e.kkyu[2] + e.kkyu[3]), yen(allowances), yen(e.syotei), yen(bonus),
              yen(e.syotei * 12 + bonus)});
        break;
    }
    default:
        break;
    }
    return t;
}

TNX1101::TNX1101(QWidget *parent)
    : QWidget(parent,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("NX1101"));
    setAutoFillBackground(true);
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("Label1"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    grid->addWidget(m_heading, 0, 0, 1, 2);
    for (int i = 1; i <= 5; ++i) {
        m_titles[i] = new QLabel(this);
        m_titles[i]->setObjectName(QStringLiteral("labTitle%1").arg(i));
        m_values[i] = new QLabel(this);
        m_values[i]->setObjectName(QStringLiteral("labValue%1").arg(i));
        m_values[i]->setMinimumWidth(120);
        grid->addWidget(m_titles[i], i, 0);
        grid->addWidget(m_values[i], i, 1);
    }
}

void TNX1101::prepare(int page, const TPlotEmployee &employee, const QString &heading) {
    m_page = page;
    m_sco = employee.sco;
    const PopupPageTexts texts =
        PopupPageOf(page, employee, G().gMkigyou2.Tk, YearsSince(employee.thi));
    setWindowTitle(texts.caption);
    m_heading->setText(heading);
    for (int i = 1; i <= 5; ++i) {
        m_titles[i]->setText(texts.titles[i]);
        m_values[i]->setText(texts.values[i]);
        const bool right = page == 4;
        m_values[i]->setAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    adjustSize();
}

void TNX1101::closePage() {
    hide();
    SetPopupPageOpen(m_sco, m_page, false);
}

void TNX1101::mousePressEvent(QMouseEvent *event) {
    event->accept();
    closePage();
}
