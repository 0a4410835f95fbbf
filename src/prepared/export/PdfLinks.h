#pragma once

#include "prepared/export/PdfUpdate.h"

#include <QtCore/QByteArray>
#include <QtCore/QRectF>
#include <QtCore/QString>

#include <vector>

namespace pgx::prepared {

// A clickable area on 0-based PDF page `page`; `rect` in points from the
// bottom left of the page. It opens `uri` (ASCII, already encoded) or, when
// that is empty, shows page `targetPage` with `targetY` points from its
// bottom at the top of the window.
struct PdfLink
{
    int page = 0;
    QRectF rect;
    QByteArray uri;
    int targetPage = -1;
    double targetY = 0;
};

// Adds one link annotation per link to the update and lists them on their
// pages, after any annotations the page already has. Links on or to pages
// the document does not have are left out. Empty on success, else the reason.
QString addPdfLinks(PdfUpdate &update, const std::vector<PdfLink> &links);

// `pageDict` (a page dictionary) with `annotations` added to its /Annots: a
// direct array is extended, an indirect one (whose contents are not known)
// replaced, and one added where there is none.
QByteArray withAnnotations(const QByteArray &pageDict, const QByteArray &annotations);

}   // namespace pgx::prepared
