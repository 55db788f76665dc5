#pragma once
// TBeforeUseForm, the usage guide: pages of a title and a text, kept in the control database,
// leafed through with first, previous, next and last. Created for each use.

#include "guide_pages.h"

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QPlainTextEdit;

class TBeforeUseForm : public QDialog {
    Q_OBJECT
public:
    explicit TBeforeUseForm(QWidget *parent = nullptr);

    // Reads the pages and shows the first. Without pages (an empty or missing table) the guide
    // has one empty page.
    void prepare();
    // The same with pages already at hand.
    void prepare(const std::vector<GuidePage> &pages);

    int page() const { return m_page; }
    int pageCount() const { return static_cast<int>(m_titles.size()); }

public slots:
    void BTN_StartClick();
    void BTN_PreClick();
    void BTN_NextClick();
    void BTN_LastClick();

private:
    void showPage(int page);

    QLineEdit *m_name;
    QPlainTextEdit *m_memo;
    QStringList m_titles;
    QStringList m_texts;
    int m_page = 0;
};
