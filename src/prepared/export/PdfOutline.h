#pragma once

#include "prepared/export/PdfUpdate.h"

#include <QtCore/QString>

#include <vector>

namespace pgx::prepared {

// One bookmark in document order; `level` 0 for the top. `page` is the
// 0-based page of the PDF, -1 for an entry that only groups others; `y` is
// in PDF points from the bottom of that page.
struct PdfBookmark
{
    QString title;
    int level = 0;
    int page = -1;
    double y = 0;
};

// Adds the outline objects with `bookmarks` to the update and the outline to
// the catalog, shown when the file opens; nothing when no entry leads to a
// page of the document.
void addPdfOutline(PdfUpdate &update, const std::vector<PdfBookmark> &bookmarks);

}   // namespace pgx::prepared
