#pragma once
// The report engine: lays out a report on the pages of a template and writes the pages to a
// work file. The caller computes every value and text; the engine places them. Use:
//   setFormName(template), setImageFileName(work file), setDocName(title); startDoc();
//   setFontSize(100); fieldRect(...) for the layout; then per page setFieldText(...) for the
//   headings, drawText(...) and drawLine(...); finishPage() before every page after the
//   first and once at the end; endDoc() completes the work file.
// Coordinates are template units (0.01 mm). Failures throw TReportError; the work file then
// does not appear.

#include "report_template.h"
#include "work_file.h"

#include <QHash>
#include <QImage>
#include <QString>
#include <memory>
#include <stdexcept>

class TReportError : public std::runtime_error {
public:
    explicit TReportError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

class TReportEngine {
public:
    TReportEngine();
    ~TReportEngine();

    void setFormName(const QString &templatePath) { m_formName = templatePath; }
    void setImageFileName(const QString &workFilePath) { m_imageFileName = workFilePath; }
    QString imageFileName() const { return m_imageFileName; }
    void setDocName(const QString &title) { m_docName = title; }
    // Texts wider than their box: 1 narrows them to fit, 0 lets them run over.
    void setCharOverFlow(int mode) { m_charOverFlow = mode; }

    // Reads the template and opens the work file and the first page.
    void startDoc();
    // What every report does first: its template, work file and title, texts narrowed to fit
    // their boxes, the document started and texts drawn at `fontSize` percent.
    void startReport(const QString &templatePath, const QString &workFilePath,
                     const QString &title, int fontSize) {
        setFormName(templatePath);
        setCharOverFlow(1);
        setImageFileName(workFilePath);
        setDocName(title);
        startDoc();
        setFontSize(fontSize);
    }
    // The size of drawn texts in percent of the template's text font (100: as designed).
    void setFontSize(int percent) { m_fontSize = percent; }
    // A field's rectangle: left, top, right and bottom in units.
    QRect fieldRect(const QString &field) const;
    // The text of a template field on the current page (set again: replaced).
    void setFieldText(const QString &field, const QString &text);
    // A text in a box: align 0 left, 1 right, 2 centred. An empty text draws nothing.
    void drawText(int left, int top, int right, int bottom, int align, const QString &text);
    // The style (0 solid, 1 dashed, 2 dotted) and width of the lines drawn next.
    void setLineStyle(int style) { m_lineStyle = style; }
    void setLineWidth(int width) { m_lineWidth = width; }
    void drawLine(int x1, int y1, int x2, int y2);
    // A picture filling a box (stored as PNG; the box keeps no aspect of its own).
    void drawPicture(int left, int top, int right, int bottom, const QImage &picture);
    // Outputs the current page and opens the next one.
    void finishPage();
    // Completes the work file; a last page left empty by finishPage() is not part of it.
    void endDoc();

    int pagesWritten() const { return m_pagesWritten; }
    const TReportTemplate &reportTemplate() const { return m_template; }

private:
    void requireOpen() const;
    void openPage();
    void writeCurrentPage();

    QString m_formName, m_imageFileName, m_docName;
    int m_charOverFlow = 1;
    int m_fontSize = 100;
    int m_lineStyle = 0;
    int m_lineWidth = 0;
    TReportTemplate m_template;
    std::unique_ptr<TWorkFileWriter> m_writer;
    TReportPage m_page;
    QHash<QString, QString> m_fieldTexts;
    std::vector<QString> m_fieldOrder; // fields in the order first set on the page
    bool m_pageUsed = false;
    int m_pagesWritten = 0;
    quint16 m_textFont = 0;
};
