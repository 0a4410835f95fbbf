#include "prepared/export/PageExport.h"

#include "persist/XMLItem.h"
#include "platform/SaveFile.h"
#include "prepared/TpgxPreviewPages.h"
#include "prepared/export/LinkTarget.h"
#include "prepared/export/PdfLinks.h"
#include "prepared/export/PdfOutline.h"
#include "prepared/export/PdfRecorder.h"
#include "report/component/Units.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/ReportOptions.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxView.h"

#include <QtCore/QFileInfo>
#include <QtCore/QHash>
#include <QtCore/QRectF>
#include <QtGui/QPageLayout>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>

#include <cmath>
#include <vector>

namespace pgx::prepared {

namespace {

// Device pixels per inch of the PDF: fine enough that rounding a view's box
// to whole device pixels moves nothing visibly.
constexpr int kPdfResolution = 1200;
constexpr double kMmPerInch = 25.4;
constexpr double kPointsPerUnit = 72.0 / kPg1in;

QPageLayout layoutFor(const TpgxReportPage &page)
{
    const double w = page.paperWidth();
    const double h = page.paperHeight();
    // A page wider than high is a landscape sheet; QPageSize keeps sizes
    // upright.
    const bool landscape = w > h;
    const QPageSize size(landscape ? QSizeF(h, w) : QSizeF(w, h), QPageSize::Millimeter, QString(),
                         QPageSize::ExactMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF());
}

// Where outline entries and link targets of a prepared page land in the PDF.
struct PdfPlace
{
    int pdfPage;
    double heightPoints;   // of the PDF page
    double topMargin;      // report units

    // Points from the bottom of the page of a place `top` units below the
    // top margin.
    double y(double top) const { return heightPoints - (topMargin + top) * kPointsPerUnit; }
};

// A view's URL on a PDF page, resolved once every page has its place.
struct ViewLink
{
    int pdfPage;
    QRectF rect;
    LinkTarget target;
};

// The views of `page` (prepared page `index`) with a URL a link may lead to,
// each with its box on the PDF page, cut to the paper.
void collectLinks(TpgxReportPage &page, int index, int pdfPage, const QRectF &paperPoints,
                  std::vector<ViewLink> &links)
{
    // Even page numbers draw with the margins swapped.
    const bool mirrored = page.mirrorMargins() && index % 2 == 1;
    const double left = (mirrored ? page.rightMargin() : page.leftMargin()) * kPg01cm;
    const double top = page.topMargin() * kPg01cm;
    for (TpgxComponent *object : page.allObjects()) {
        const auto *view = qobject_cast<TpgxView *>(object);
        if (!view || view->url().isEmpty())
            continue;
        LinkTarget target = linkTarget(view->url());
        if (target.kind != LinkTarget::External && target.kind != LinkTarget::Page
            && target.kind != LinkTarget::Anchor)
            continue;
        const double w = view->width() * kPointsPerUnit;
        const double h = view->height() * kPointsPerUnit;
        const QRectF box((left + view->absLeft()) * kPointsPerUnit,
                         paperPoints.height() - (top + view->absTop()) * kPointsPerUnit - h, w, h);
        const QRectF rect = box.normalized().intersected(paperPoints);
        if (rect.width() > 0 && rect.height() > 0)
            links.push_back({pdfPage, rect, std::move(target)});
    }
}

// Links to pages and anchors lead to their place when it is in the document.
std::vector<PdfLink> resolveLinks(const std::vector<ViewLink> &views, TpgxPreviewPages &pages,
                                  const QHash<int, PdfPlace> &places)
{
    std::vector<PdfLink> links;
    for (const ViewLink &view : views) {
        PdfLink link;
        link.page = view.pdfPage;
        link.rect = view.rect;
        switch (view.target.kind) {
        case LinkTarget::External: link.uri = view.target.url.toEncoded(); break;
        case LinkTarget::Page:
            if (const auto it = places.constFind(view.target.page - 1); it != places.cend()) {
                link.targetPage = it->pdfPage;
                link.targetY = it->heightPoints;
            }
            break;
        case LinkTarget::Anchor:
            if (pages.findAnchor(view.target.anchor) < 0)
                break;
            if (const auto it = places.constFind(pages.anchorPage(view.target.anchor) - 1);
                it != places.cend()) {
                link.targetPage = it->pdfPage;
                link.targetY = it->y(pages.anchorTop(view.target.anchor));
            }
            break;
        default: break;
        }
        if (!link.uri.isEmpty() || link.targetPage >= 0)
            links.push_back(std::move(link));
    }
    return links;
}

// The outline in document order, each entry with its level; entries of
// pages left out of the document keep their place without a destination.
std::vector<PdfBookmark> bookmarksOf(TpgxOutline &outline, const QHash<int, PdfPlace> &places)
{
    std::vector<PdfBookmark> bookmarks;
    // Without recursion: outlines nest as deep as the script makes them.
    std::vector<std::pair<const pgx::TpgxXMLItem *, int>> pending;
    const auto pushChildren = [&pending](const pgx::TpgxXMLItem &node, int level) {
        for (int i = node.count() - 1; i >= 0; --i)
            pending.emplace_back(node.items(i), level);
    };
    pushChildren(*outline.rootNode(), 0);
    while (!pending.empty()) {
        const auto [node, level] = pending.back();
        pending.pop_back();
        const TpgxOutline::Item item = TpgxOutline::itemOf(*node);
        PdfBookmark b;
        b.title = item.text;
        b.level = level;
        if (const auto place = places.constFind(item.page); place != places.cend()) {
            b.page = place->pdfPage;
            // Points from the bottom; the entry's top counts from the top margin.
            b.y = place->y(item.top);
        }
        bookmarks.push_back(b);
        pushChildren(*node, level + 1);
    }
    return bookmarks;
}

}   // namespace

QString exportPdf(TpgxPreviewPages &pages, const QString &fileName, const QList<int> &indexes,
                  const ExportProgress &progress)
{
    if (indexes.isEmpty())
        return QStringLiteral("There are no pages to export");
    return saveFile(fileName, [&](QIODevice &device) -> QString {
        PdfRecorder recorder(device);
        QPdfWriter writer(&recorder);
        writer.setResolution(kPdfResolution);
        writer.setTitle(pages.report()->reportOptions()->name);
        writer.setCreator(QStringLiteral("Pagoryn"));
        QPainter painter;
        QHash<int, PdfPlace> places;   // prepared page -> its first PDF page
        std::vector<ViewLink> viewLinks;
        const double scale = double(kPdfResolution) / kPg1in;
        int done = 0;
        for (int index : indexes) {
            TpgxReportPage *page = pages.getPage(index);
            if (!page)
                return QStringLiteral("Page %1 cannot be built").arg(index + 1);
            const QPageLayout layout = layoutFor(*page);
            writer.setPageLayout(layout);
            if (!places.contains(index))
                places.insert(
                    index,
                    {done, double(layout.fullRectPoints().height()), page->topMargin() * kPg01cm});
            if (done == 0) {
                if (!painter.begin(&writer))
                    return QStringLiteral("Cannot start the PDF document");
            } else if (!writer.newPage()) {
                return QStringLiteral("Cannot add page %1 to the PDF document").arg(index + 1);
            }
            collectLinks(*page, index, done, QRectF(layout.fullRectPoints()), viewLinks);
            pages.drawPage(index, &painter, scale, scale, 0, 0);
            ++done;
            if (progress)
                progress(done, int(indexes.size()));
        }
        recorder.keepTail();
        if (!painter.end())
            return QStringLiteral("Cannot finish the PDF document");
        const std::vector<PdfBookmark> bookmarks = bookmarksOf(pages.outline(), places);
        const std::vector<PdfLink> links = resolveLinks(viewLinks, pages, places);
        if (bookmarks.empty() && links.empty())
            return QString();
        PdfUpdate update(recorder);
        if (QString error = update.open(); !error.isEmpty())
            return error;
        addPdfOutline(update, bookmarks);
        if (QString error = addPdfLinks(update, links); !error.isEmpty())
            return error;
        return update.write();
    });
}

QImage renderPage(TpgxPreviewPages &pages, int index, int dpi)
{
    TpgxReportPage *page = pages.getPage(index);
    if (!page || dpi <= 0)
        return {};
    const int w = int(std::lround(page->paperWidth() * dpi / kMmPerInch));
    const int h = int(std::lround(page->paperHeight() * dpi / kMmPerInch));
    QImage image(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    image.fill(Qt::white);
    QPainter painter(&image);
    const double scale = double(dpi) / kPg1in;
    pages.drawPage(index, &painter, scale, scale, 0, 0);
    painter.end();
    return image;
}

QString pngFileName(const QString &fileName, int index, int pageCount)
{
    if (pageCount == 1)
        return fileName;
    const QFileInfo info(fileName);
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("png") : info.suffix();
    const QString base
        = info.suffix().isEmpty() ? fileName : fileName.left(fileName.size() - suffix.size() - 1);
    return QStringLiteral("%1-%2.%3").arg(base).arg(index + 1).arg(suffix);
}

QString exportPng(TpgxPreviewPages &pages, const QString &fileName, const QList<int> &indexes,
                  int dpi, const ExportProgress &progress)
{
    if (indexes.isEmpty())
        return QStringLiteral("There are no pages to export");
    if (dpi < 1 || dpi > 2400)
        return QStringLiteral("The resolution must be 1 to 2400 dpi");
    int done = 0;
    for (int index : indexes) {
        const QImage image = renderPage(pages, index, dpi);
        if (image.isNull())
            return QStringLiteral("Page %1 cannot be built").arg(index + 1);
        const QString error
            = saveFile(pngFileName(fileName, index, int(indexes.size())), [&](QIODevice &device) {
                  return image.save(&device, "PNG") ? QString()
                                                    : QStringLiteral("The PNG writer failed");
              });
        if (!error.isEmpty())
            return error;
        ++done;
        if (progress)
            progress(done, int(indexes.size()));
    }
    return QString();
}

}   // namespace pgx::prepared
