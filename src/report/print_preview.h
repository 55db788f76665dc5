#pragma once
// TfrmPrintPreview, "印刷プレピュー": shows the document a report has just written to its work
// file (gPreviewFile), pages through it and zooms, prints it on the printer chosen in the
// printer set-up, saves it as a PDF file, and deletes the work file when "閉じる(&C)" closes it.
// Each time it becomes the active window it shows the document from page 1 again.

#include "work_file.h"

#include <QDialog>
#include <QWidget>

class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;
class QScrollBar;
class QSlider;

// The viewer: one page of a work file drawn at a scale in percent of its printed size.
class TReportView : public QWidget {
    Q_OBJECT
public:
    explicit TReportView(QWidget *parent = nullptr);
    // Opens a work file and shows page 1; false when it is missing or unreadable.
    bool setFileName(const QString &path);
    void close();
    int pageCount() const { return m_reader.pageCount(); }
    int page() const { return m_page; }
    void setPage(int page);
    int scale() const { return m_scale; }
    void setScale(int percent);
    TWorkFileReader &reader() { return m_reader; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void resizeToPage();

    TWorkFileReader m_reader;
    bool m_open = false;
    TReportPage m_current;
    int m_page = 0;
    int m_scale = 100;
};

class TfrmPrintPreview : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPrintPreview(QWidget *parent = nullptr);

    // Opens maximised; the document is shown when the window becomes active.
    void prepare();
    // Shows gPreviewFile from page 1 at the zoom chosen; a missing file is reported and the
    // preview closes.
    void showDocument();
    // Prints every page on `printer` (the program's printer unless given); false after
    // reporting a failure.
    bool printTo(QPrinter &printer);

    TReportView *view() const { return m_view; }

public slots:
    void cmdPrintClick();
    void cmdPdfClick();
    void cmdCloseClick();
    void cmdZoomChange(int position);
    void cmdPageScroll(int page);

protected:
    bool event(QEvent *event) override;

private:
    QPushButton *m_cmdPrint = nullptr, *m_cmdPdf = nullptr, *m_cmdClose = nullptr;
    QLabel *m_labPage = nullptr, *m_labZoom = nullptr;
    QScrollBar *m_cmdPage = nullptr;
    QSlider *m_cmdZoom = nullptr;
    QScrollArea *m_scroll = nullptr;
    TReportView *m_view = nullptr;
    bool m_showing = false;
};

inline const QString kMsgPrintFailed = QStringLiteral("印刷処理でエラーが発生しました。");
inline const QString kMsgPdfFailed = QStringLiteral("PDFファイルの保存でエラーが発生しました。");
