#include "prepared/export/ExportFilters.h"

#include <QtCore/QFileInfo>

#include <utility>

namespace pgx::prepared {

namespace {

// The resolution of PNG pages written through the menu: that of the screen
// the report is designed for, so one report pixel is one image pixel.
constexpr int kPngDpi = 96;

QList<ExportFilter> builtInFilters()
{
    ExportFilter pdf;
    pdf.name = QStringLiteral("PDF file");
    pdf.fileFilter = QStringLiteral("PDF file (*.pdf)");
    pdf.defaultExtension = QStringLiteral("pdf");
    pdf.kind = ExportFilter::Kind::Pdf;
    pdf.runner = [](TpgxPreviewPages &pages, const QString &fileName, const QList<int> &indexes,
                    const ExportProgress &progress) {
        return exportPdf(pages, fileName, indexes, progress);
    };

    ExportFilter png;
    png.name = QStringLiteral("PNG images");
    png.fileFilter = QStringLiteral("PNG images (*.png)");
    png.defaultExtension = QStringLiteral("png");
    png.runner = [](TpgxPreviewPages &pages, const QString &fileName, const QList<int> &indexes,
                    const ExportProgress &progress) {
        return exportPng(pages, fileName, indexes, kPngDpi, progress);
    };
    return {std::move(pdf), std::move(png)};
}

QList<ExportFilter> &filters()
{
    static QList<ExportFilter> list = builtInFilters();
    return list;
}

}   // namespace

QString ExportFilter::run(TpgxPreviewPages &pages, const QString &fileName,
                          const QList<int> &indexes, const ExportProgress &progress) const
{
    if (!runner)
        return QStringLiteral("The export filter \"%1\" cannot write files").arg(name);
    return runner(pages, fileName, indexes, progress);
}

QString ExportFilter::fileNameFor(const QString &chosen) const
{
    if (chosen.isEmpty() || defaultExtension.isEmpty()
        || QFileInfo(chosen).suffix().compare(defaultExtension, Qt::CaseInsensitive) == 0)
        return chosen;
    return chosen + QLatin1Char('.') + defaultExtension;
}

const QList<ExportFilter> &exportFilters()
{
    return filters();
}

void registerExportFilter(ExportFilter filter)
{
    QList<ExportFilter> &list = filters();
    for (ExportFilter &existing : list) {
        if (existing.name.compare(filter.name, Qt::CaseInsensitive) == 0) {
            existing = std::move(filter);
            return;
        }
    }
    list.append(std::move(filter));
}

const ExportFilter *findExportFilter(ExportFilter::Kind kind)
{
    for (const ExportFilter &filter : filters())
        if (filter.kind == kind)
            return &filter;
    return nullptr;
}

}   // namespace pgx::prepared
