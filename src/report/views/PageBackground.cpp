// The background of report pages (Color, Frame, BackPicture over the
// printable area) is drawn as a picture view, so that it follows the same
// pixel rules as every view.
#include "report/pages/TpgxReportPage.h"
#include "report/views/TpgxPictureView.h"

#include <QtCore/QMutex>

namespace pgx {

namespace {

void drawPageBackground(const TpgxReportPage &page, QPainter *canvas, const QRectF &area)
{
    // One view for all pages: the picture is decoded again only when
    // another page's picture comes.
    static QMutex mutex;
    static TpgxPictureView *view = nullptr;
    QMutexLocker lock(&mutex);
    if (!view) {
        view = new TpgxPictureView;
        view->setKeepAspectRatio(false);
    }
    if (!(*view->picture() == *page.BackPicture()))
        view->picture()->Assign(*page.BackPicture());
    view->setColor(page.Color());
    view->frame()->Assign(*page.Frame());
    // The area is in device pixels already.
    view->SetBounds(area.left(), area.top(), area.width(), area.height());
    view->Draw(canvas, 1, 1, 0, 0);
}

}   // namespace

void installPageBackgroundPainter()
{
    TpgxReportPage::SetBackgroundPainter(drawPageBackground);
}

}   // namespace pgx
