#pragma once

#include <QtCore/QList>
#include <QtCore/QString>
#include <QtGui/QImage>

#include <functional>

class TpgxPreviewPages;

namespace pgx::prepared {

// Called after each page with the number of pages done and the total.
using ExportProgress = std::function<void(int done, int total)>;

// One PDF page per prepared page at the page's own paper size, drawn through
// the store's drawPage: text stays text (glyph runs of embedded fonts), lines
// and fills stay vectors. The document title is ReportOptions.Name. Written
// through a temporary file renamed over `fileName`. Empty on success, else
// the reason.
QString exportPdf(TpgxPreviewPages &pages, const QString &fileName, const QList<int> &indexes,
                  const ExportProgress &progress = {});

// One PNG per page at `dpi`: `fileName` itself for a single page, else
// "<base>-<page number>.png" beside it. Empty on success, else the reason.
QString exportPng(TpgxPreviewPages &pages, const QString &fileName, const QList<int> &indexes,
                  int dpi = 96, const ExportProgress &progress = {});
// Page `index` drawn on white at `dpi`; a null image for an invalid index.
QImage renderPage(TpgxPreviewPages &pages, int index, int dpi = 96);
// The file exportPng writes page `index` (0-based) to.
QString pngFileName(const QString &fileName, int index, int pageCount);

}   // namespace pgx::prepared
