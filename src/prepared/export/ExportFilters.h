#pragma once

#include "prepared/export/PageExport.h"

#include <QtCore/QList>
#include <QtCore/QString>

#include <functional>

class TpgxPreviewPages;

namespace pgx::prepared {

// One way of writing prepared pages to a file, as the preview's Export menu
// and quick buttons offer it.
struct ExportFilter
{
    // Which quick button, if any, stands for the filter.
    enum class Kind { Other, Pdf };

    // Writes the pages (0-based indexes) to the file; empty on success,
    // else the reason.
    using Runner
        = std::function<QString(TpgxPreviewPages &pages, const QString &fileName,
                                const QList<int> &indexes, const ExportProgress &progress)>;

    QString name;               // "PDF file": the menu item
    QString fileFilter;         // "PDF file (*.pdf)": the file dialog's filter
    QString defaultExtension;   // "pdf", without the dot
    Kind kind = Kind::Other;
    Runner runner;

    QString run(TpgxPreviewPages &pages, const QString &fileName, const QList<int> &indexes,
                const ExportProgress &progress = {}) const;
    // The file a name chosen in the dialog stands for: the name itself when
    // it ends in the default extension (in any case), else the name with
    // the extension added.
    QString fileNameFor(const QString &chosen) const;
};

// Every filter in registration order, beginning with the two of this layer:
// "PDF file" and "PNG images".
const QList<ExportFilter> &exportFilters();
// Adds a filter after the others; one with the name of a filter already
// registered (in any case) takes its place instead. Registering happens at
// start-up, before any window lists the filters.
void registerExportFilter(ExportFilter filter);
// The first filter of that kind; null when there is none.
const ExportFilter *findExportFilter(ExportFilter::Kind kind);

}   // namespace pgx::prepared
