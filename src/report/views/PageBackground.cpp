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
    if (!(*view->picture() == *page.backPicture()))
        view->picture()->assign(*page.backPicture());
    view->setColor(page.color());
    view->frame()->assign(*page.frame());
    // The area is in device pixels already.
    view->setBounds(area.left(), area.top(), area.width(), area.height());
    view->draw(canvas, 1, 1, 0, 0);
}

}   // namespace

void installPageBackgroundPainter()
{
    TpgxReportPage::setBackgroundPainter(drawPageBackground);
}

}   // namespace pgx
