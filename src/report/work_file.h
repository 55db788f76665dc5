#pragma once
// The work file of a report ("wk....rdf"): every page's drawing operations, written by the
// report engine and read by the print preview, the printer and the PDF writer. Binary, read
// page by page: a header (title, page size), the pages one after the other, then a trailer with
// the fonts and where each page starts, so the preview reads only the page it shows.

#include "report_template.h"

#include <QFile>
#include <QLine>
#include <QRect>
#include <QSaveFile>
#include <QString>
#include <memory>
#include <vector>

// One drawing operation in units of 0.01 mm.
struct TDrawOp {
    enum Kind : quint8 { Text = 1, Line = 2, Picture = 3 };
    Kind kind = Text;
    QRect rect;      // Text, Picture: the box (left, top, right, bottom)
    QLine line;      // Line: the two ends
    quint8 align = 0; // Text: 0 left, 1 right, 2 centred
    quint16 font = 0; // Text: index into the document's fonts
    qint32 width = 0; // Line: width, 0 the thinnest
    quint8 style = 0; // Line: 0 solid, 1 dashed, 2 dotted
    QString text;
    QByteArray picture; // Picture: a PNG image drawn to fill the box
};

struct TReportPage {
    std::vector<TDrawOp> ops;
};

struct TWorkFileInfo {
    QString title;
    int width = 0, height = 0; // page size in units
    bool narrow = true;        // texts wider than their box are narrowed to fit
    std::vector<TReportFont> fonts;
    int pageCount = 0;
};

// Writes a work file page by page. Nothing appears under the final name before finish().
class TWorkFileWriter {
public:
    explicit TWorkFileWriter(const QString &path);
    ~TWorkFileWriter();
    bool open(const QString &title, int width, int height, bool narrow);
    // The index of a font in the document's table, added on first use.
    quint16 fontIndex(const TReportFont &font);
    bool writePage(const TReportPage &page);
    // Writes the trailer and puts the file in place.
    bool finish();
    QString errorString() const;

private:
    QSaveFile m_file;
    std::unique_ptr<QDataStream> m_out;
    std::vector<TReportFont> m_fonts;
    std::vector<quint64> m_offsets;
};

// Reads a work file: the header and trailer at open, a page on request.
class TWorkFileReader {
public:
    // False when the file is missing or is no complete work file.
    bool open(const QString &path);
    void close();
    const TWorkFileInfo &info() const { return m_info; }
    int pageCount() const { return m_info.pageCount; }
    // Page 1..pageCount; false when it cannot be read.
    bool readPage(int page, TReportPage &out);

private:
    QFile m_file;
    TWorkFileInfo m_info;
    std::vector<quint64> m_offsets;
};

// A text form of a work file for comparisons: the page size, the fonts, and every page's
// texts and lines with their positions, in drawing order.
QString DumpWorkFile(const QString &path);
