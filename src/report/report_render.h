#pragma once
// Drawing the pages of a work file: one function draws a page onto any QPainter (the preview,
// the printer, a PDF file), and one sends every page of a work file to a paged device.

#include "work_file.h"

#include <QRectF>

class QPagedPaintDevice;
class QPainter;

// Draws a page into `target` (painter coordinates); the page is scaled to fill it. The
// painter's state is kept.
void RenderReportPage(QPainter &painter, const TWorkFileInfo &info, const TReportPage &page,
                      const QRectF &target);

// The paper of a work file: its size and orientation, no margins.
class QPageLayout;
QPageLayout ReportPageLayout(const TWorkFileInfo &info);

// Draws pages first..last (1-based) of an open work file onto a printer or PDF writer, one
// device page each; the device's page layout is set to the report's paper first. False with
// `error` when a page cannot be read or the device cannot be painted on.
bool PaintWorkFile(TWorkFileReader &reader, QPagedPaintDevice &device, int first, int last,
                   QString &error);

// Writes every page of a work file to a PDF file (replaced as a whole, never left half
// written). False with `error`.
bool WriteWorkFilePdf(const QString &workFile, const QString &pdfPath, QString &error);
