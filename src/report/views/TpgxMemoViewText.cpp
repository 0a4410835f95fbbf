// The text object's measuring, splitting and drawing: its published values
// handed to the one text path (report/text), so that the designer, the
// engine, the preview and the printer lay out the same lines.

#include "report/views/TpgxMemoView.h"

#include "report/text/MemoText.h"
#include "report/text/TextPainter.h"
#include "report/views/MemoLines.h"
#include "report/views/MemoTextInputs.h"

using namespace pgx::text;
using pgx::views::memoBox;
using pgx::views::memoLayoutLines;
using pgx::views::memoTextOptions;

double TpgxCustomMemoView::calcHeight()
{
    return pgx::text::calcHeight(memoLayoutLines(*this), memoTextOptions(*this), memoBox(*this));
}

double TpgxCustomMemoView::calcWidth() const
{
    return pgx::text::calcWidth(memoLayoutLines(*this), memoTextOptions(*this), memoBox(*this));
}

void TpgxCustomMemoView::preparePart()
{
    m_remainingText = text();
    m_firstParaBreak = false;
    m_lastParaBreak = false;
}

double TpgxCustomMemoView::drawNextPart()
{
    const TextPart part = takePart(pgx::views::splitMemoLines(m_remainingText),
                                   memoTextOptions(*this), memoBox(*this));
    setText(part.text);
    m_remainingText = part.remainingText;
    m_lastParaBreak = part.lastParaBreak;
    return part.emptyHeight;
}

TColor TpgxCustomMemoView::fillColor() const
{
    return m_highlight.active() ? m_highlight.color() : TpgxStretcheable::fillColor();
}

void TpgxCustomMemoView::draw(QPainter *canvas, double scaleX, double scaleY, double offsetX,
                              double offsetY)
{
    if (m_autoWidth) {
        const double oldWidth = width();
        const double newWidth = calcWidth();
        if (m_hAlign == haRight)
            setLeft(left() + oldWidth - newWidth);
        else if (m_hAlign == haCenter)
            setLeft(left() + (oldWidth - newWidth) / 2);
        setWidth(newWidth);
    }
    prepareDrawing(canvas, scaleX, scaleY, offsetX, offsetY);
    fillBackground();
    const QStringList lines = memoLayoutLines(*this);
    if (!lines.isEmpty()) {
        const TextOptions options = memoTextOptions(*this);
        const MemoBox box = memoBox(*this);
        drawText(*canvas, layOutMemo(lines, options, box), box,
                 DeviceScale{scaleX, scaleY, offsetX, offsetY});
    }
    strokeFrame();
}
