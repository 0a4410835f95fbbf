#include "prepared/TpgxPreviewPages.h"

#include "report/component/Units.h"
#include "report/pages/TpgxReportPage.h"
#include "report/views/TpgxMemoView.h"
#include "report/views/TpgxView.h"

#include <QtGui/QPaintEngine>
#include <QtGui/QPainter>

namespace {

// Views whose rectangle, grown by this many device pixels, misses the
// clipping are not drawn: frames and shadows reach a little outside.
constexpr double kDrawSlack = 20;

// Swaps a page's left and right margins for the time of one drawing.
class MirroredMargins
{
public:
    MirroredMargins(TpgxReportPage *page, bool on) : m_page(on ? page : nullptr) { swap(); }
    ~MirroredMargins() { swap(); }
    Q_DISABLE_COPY_MOVE(MirroredMargins)

private:
    void swap()
    {
        if (!m_page)
            return;
        const double left = m_page->leftMargin();
        m_page->setLeftMargin(m_page->rightMargin());
        m_page->setRightMargin(left);
    }
    TpgxReportPage *m_page;
};

}   // namespace

void TpgxPreviewPages::drawPage(int index, QPainter *canvas, double scaleX, double scaleY,
                                double offsetX, double offsetY, bool onPrinter, int copyNumber)
{
    TpgxReportPage *page = getPage(index);
    if (!page)
        return;
    // Index 1 is page 2: even page numbers take the mirrored margins.
    const MirroredMargins mirrored(page, page->mirrorMargins() && index % 2 == 1);
    canvas->save();
    const QRectF paper(offsetX, offsetY, page->paperWidth() * kPg01cm * scaleX,
                       page->paperHeight() * kPg01cm * scaleY);
    // A PDF page is the paper and clips to it by itself. Clipping it again
    // would make the PDF engine write the clip path anew after every
    // restore of the painter, that is for every object: a third of the
    // page's content and of the time spent compressing it.
    const bool deviceIsPaper = canvas->paintEngine()
                               && canvas->paintEngine()->type() == QPaintEngine::Pdf
                               && offsetX == 0 && offsetY == 0;
    if (!onPrinter && !deviceIsPaper)
        canvas->setClipRect(paper, canvas->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    page->drawBackground(canvas, scaleX, scaleY, offsetX, offsetY);
    const double x0 = offsetX + page->leftMargin() * kPg01cm * scaleX;
    const double y0 = offsetY + page->topMargin() * kPg01cm * scaleY;
    const QRectF clip = canvas->hasClipping() ? canvas->clipBoundingRect()
                        : deviceIsPaper       ? paper
                                              : QRectF();
    const int total = count();
    for (TpgxComponent *object : page->allObjects()) {
        auto *view = qobject_cast<TpgxView *>(object);
        if (!view || (onPrinter && !view->printable()))
            continue;
        const QRectF box(x0 + view->absLeft() * scaleX - kDrawSlack,
                         y0 + view->absTop() * scaleY - kDrawSlack,
                         view->width() * scaleX + 2 * kDrawSlack,
                         view->height() * scaleY + 2 * kDrawSlack);
        if (!clip.isNull() && !clip.intersects(box))
            continue;
        if (auto *memo = qobject_cast<TpgxCustomMemoView *>(view))
            memo->applyPreparedPageMacros(total, copyNumber);
        view->draw(canvas, scaleX, scaleY, x0, y0);
    }
    canvas->restore();
}
