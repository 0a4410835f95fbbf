#pragma once

#include "platform/printing/PrinterBackend.h"

#include <QtCore/QStringList>

namespace pgx {

// How the printing system's own lists become the paper and bin lists of a
// printer. Kept apart from the libcups calls so that the rules can be tested
// without a printer.

// Adds a paper the driver listed. Drivers list the same size several times
// (with and without borders, from several trays); a printer offers each
// paper code once, under its first name, with the margins of a bordered
// variant when there is one. Custom sizes (code 256) are kept apart from
// each other, since each is its own size.
void appendDriverPaper(QList<PrinterPaper> &papers, const PrinterPaper &paper);

// The bin codes templates store for the printing system's media sources
// ("auto", "main", "tray-2", ...), one per keyword in the same order. Known
// sources take the platform's bin codes (auto 7, upper 1, lower 2, middle 3,
// manual 4, envelope 5, large capacity 11), numbered trays 256 + their
// number, so that a template keeps its tray from one machine to the next;
// anything else, and a code already taken, the next free code from 1000.
QList<int> binCodesForMediaSources(const QStringList &keywords);

// A name to show for a media source the printer gives no name for:
// "tray-1" becomes "Tray 1", "large-capacity" "Large capacity".
QString readableMediaSourceName(const QString &keyword);

}   // namespace pgx
