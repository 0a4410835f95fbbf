#include "report/views/TpgxView.h"

#include "meta/ClassDescriptor.h"
#include "report/component/DiffText.h"
#include "report/resources/TpgxResources.h"
#include "report/root/ReportDataSets.h"
#include "report/views/FramePainter.h"

#include <QtGui/QPainter>

using pgx::diff::appendAttr;
using pgx::diff::boolText;
using pgx::diff::differs;

TpgxView::TpgxView(QObject *owner) : TpgxReportComponent(owner) { }

bool TpgxView::isBound() const
{
    return dataSet() && !m_dataField.isEmpty();
}

QString TpgxView::kindCaption() const
{
    return pgxResources().get(QStringLiteral("ob")
                              + pgx::classNameStem(QString::fromLatin1(metaObject()->className())));
}

void TpgxView::draw(QPainter *canvas, double scaleX, double scaleY, double offsetX, double offsetY)
{
    prepareDrawing(canvas, scaleX, scaleY, offsetX, offsetY);
    fillBackground();
    strokeFrame();
}

void TpgxView::prepareDrawing(QPainter *canvas, double scaleX, double scaleY, double offsetX,
                              double offsetY)
{
    m_canvas = canvas;
    m_scaleX = scaleX;
    m_scaleY = scaleY;
    const QRectF bounds(absLeft(), absTop(), width(), height());
    m_box = pgx::views::deviceBox(bounds, scaleX, scaleY, offsetX, offsetY,
                                  m_frame.dropShadow() ? m_frame.shadowWidth() : 0);
    m_frameWidth = pgx::views::roundPixel(m_frame.width() * scaleX);
}

Qt::BrushStyle TpgxView::hatchPattern() const
{
    switch (m_brushStyle) {
    case TpgxView::bsHorizontal: return Qt::HorPattern;
    case TpgxView::bsVertical: return Qt::VerPattern;
    case TpgxView::bsFDiagonal: return Qt::FDiagPattern;
    case TpgxView::bsBDiagonal: return Qt::BDiagPattern;
    case TpgxView::bsCross: return Qt::CrossPattern;
    case TpgxView::bsDiagCross: return Qt::DiagCrossPattern;
    case TpgxView::bsSolid:
    case TpgxView::bsClear: break;
    }
    return Qt::NoBrush;
}

// The fill leaves the right and bottom edges to the frame; the hatch covers
// them (the platform's X, Y, X1 + 1, Y1 + 1 without a pen). A hatch in a
// transparent frame colour would be drawn black: it is not drawn.
void TpgxView::fillBackground()
{
    const pgx::views::DeviceBox &b = m_box;
    const TColor fill = fillColor();
    if (fill != kClTransparent && b.dx() > 0 && b.dy() > 0)
        pgx::views::fillBox(m_canvas, QRect(QPoint(b.x, b.y), QPoint(b.x1 - 1, b.y1 - 1)), fill);
    const Qt::BrushStyle pattern = hatchPattern();
    if (pattern != Qt::NoBrush && m_frame.color() != kClTransparent)
        m_canvas->fillRect(QRect(QPoint(b.x, b.y), QPoint(b.x1, b.y1)),
                           QBrush(pgx::views::toQColor(m_frame.color()), pattern));
}

void TpgxView::strokeFrame()
{
    pgx::views::paintFrame(
        m_canvas,
        pgx::views::planFrame(m_frame, m_frame.typ(), m_box, m_scaleX, m_scaleY, m_color));
}

void TpgxView::beforePrint()
{
    TpgxReportComponent::beforePrint();
    m_savedTagStr = m_tagStr;
    m_savedUrl = m_url;
}

void TpgxView::afterPrint()
{
    m_tagStr = m_savedTagStr;
    m_url = m_savedUrl;
    TpgxReportComponent::afterPrint();
}

void TpgxView::fetchData()
{
    // ### The bracketed expressions of TagStr and URL are evaluated through
    // the report's calculation entry, which comes with the engine.
}

namespace {

void appendLineDiffs(QString &out, const char *prefix, const TpgxFrameLine &line,
                     const TpgxFrameLine &otherLine, const TpgxFrame &frame,
                     const TpgxFrame &otherFrame)
{
    const QString p = QString::fromLatin1(prefix);
    // Where the frame's own value changed, the line counts against the
    // frame; otherwise against the other object's line.
    const bool colorByFrame = frame.color() != otherFrame.color();
    if (colorByFrame ? line.color() != frame.color() : line.color() != otherLine.color())
        appendAttr(out, p + QLatin1String(".Color"), QString::number(line.color()));
    const bool styleByFrame = frame.style() != otherFrame.style();
    if (styleByFrame ? line.style() != frame.style() : line.style() != otherLine.style())
        appendAttr(out, p + QLatin1String(".Style"), QString::number(int(line.style())));
    const bool widthByFrame = differs(frame.width(), otherFrame.width());
    if (widthByFrame ? differs(line.width(), frame.width())
                     : differs(line.width(), otherLine.width()))
        appendAttr(out, p + QLatin1String(".Width"), pgx::diff::floatText(line.width()));
}

}   // namespace

QString TpgxView::diffAttrs(const TpgxComponent *otherComponent) const
{
    QString out = TpgxReportComponent::diffAttrs(otherComponent);
    const auto *other = qobject_cast<const TpgxView *>(otherComponent);
    if (!other)
        return out;
    if (m_brushStyle != other->m_brushStyle)
        appendAttr(out, QLatin1String("BrushStyle"), QString::number(int(m_brushStyle)));
    if (m_align != other->m_align)
        appendAttr(out, QLatin1String("Align"), QString::number(int(m_align)));
    if (m_color != other->m_color)
        appendAttr(out, QLatin1String("Color"), QString::number(m_color));

    const TpgxFrame &f = m_frame;
    const TpgxFrame &g = other->m_frame;
    if (f.color() != g.color())
        appendAttr(out, QLatin1String("Frame.Color"), QString::number(f.color()));
    if (f.dropShadow() != g.dropShadow())
        appendAttr(out, QLatin1String("Frame.DropShadow"), boolText(f.dropShadow()));
    if (f.shadowColor() != g.shadowColor())
        appendAttr(out, QLatin1String("Frame.ShadowColor"), QString::number(f.shadowColor()));
    if (differs(f.shadowWidth(), g.shadowWidth()))
        appendAttr(out, QLatin1String("Frame.ShadowWidth"), pgx::diff::floatText(f.shadowWidth()));
    if (f.style() != g.style())
        appendAttr(out, QLatin1String("Frame.Style"), QString::number(int(f.style())));
    if (f.typ() != g.typ())
        appendAttr(out, QLatin1String("Frame.Typ"), QString::number(f.typ().toInt()));
    if (differs(f.width(), g.width()))
        appendAttr(out, QLatin1String("Frame.Width"), pgx::diff::floatText(f.width()));
    appendLineDiffs(out, "Frame.LeftLine", *f.leftLine(), *g.leftLine(), f, g);
    appendLineDiffs(out, "Frame.TopLine", *f.topLine(), *g.topLine(), f, g);
    appendLineDiffs(out, "Frame.RightLine", *f.rightLine(), *g.rightLine(), f, g);
    appendLineDiffs(out, "Frame.BottomLine", *f.bottomLine(), *g.bottomLine(), f, g);

    if (m_cursor != other->m_cursor)
        appendAttr(out, QLatin1String("Cursor"), QString::number(m_cursor));
    if (m_printable != other->m_printable)
        appendAttr(out, QLatin1String("Printable"), boolText(m_printable));
    if (m_tagStr != other->m_tagStr)
        appendAttr(out, QLatin1String("TagStr"), pgx::diff::escapedText(m_tagStr));
    if (m_url != other->m_url)
        appendAttr(out, QLatin1String("URL"), pgx::diff::escapedText(m_url));
    return out;
}

TpgxStretcheable::TpgxStretcheable(QObject *owner) : TpgxView(owner) { }

void TpgxView::setDataSetName(const QString &value)
{
    pgx::datasets::linkByName(m_dataSet, this, value);
}
