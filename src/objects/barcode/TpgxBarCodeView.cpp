#include "objects/barcode/TpgxBarCodeView.h"

#include "report/component/DiffText.h"

#include "objects/barcode/SymbolLayout.h"
#include "objects/barcode/SymbolPainter.h"
#include "platform/Error.h"
#include "report/resources/TpgxResources.h"
#include "report/root/TpgxReport.h"
#include "report/text/TextLayout.h"
#include "report/text/TextPainter.h"

#include <QtGui/QPainter>

using namespace pgx::barcode;

namespace {

// What the view draws: one of the two kinds of symbol, or nothing.
struct Encoding
{
    std::optional<LinearSymbol> linear;
    std::optional<MatrixSymbol> matrix;
};

Encoding encodeFor(const TpgxBarCodeView &v, const QString &text)
{
    Encoding e;
    if (isMatrixType(v.barType())) {
        e.matrix = encodeMatrix(v.barType(), text, v.errorLevel());
    } else {
        LinearOptions o;
        o.ratio = v.wideBarRatio();
        o.checksum = v.calcCheckSum();
        e.linear = encodeLinear(v.barType(), text, o);
    }
    return e;
}

bool turned(int rotation)
{
    return quarterTurn(rotation) == 90 || quarterTurn(rotation) == 270;
}

}   // namespace

TpgxBarCodeView::TpgxBarCodeView(QObject *owner) : TpgxView(owner) { }

QString TpgxBarCodeView::kindCaption() const
{
    return pgxResources().get(QStringLiteral("obBarC"));
}

QString TpgxBarCodeView::updateSize()
{
    QString message;
    Encoding e;
    try {
        e = encodeFor(*this, m_text);
    } catch (const pgx::Error &error) {
        message = error.message();
        try {
            e = encodeFor(*this, QStringLiteral("12345678"));
        } catch (const pgx::Error &) {
            e = Encoding();   // keeps the size it has
        }
    }
    m_encodedText = message.isEmpty() && e.linear ? e.linear->text : m_text;
    const double oldWidth = width();
    if (e.linear) {
        if (turned(m_rotation))
            setHeight(e.linear->width * zoom());
        else
            setWidth(e.linear->width * zoom());
    } else if (e.matrix) {
        const SymbolLayout l = layOutMatrix(*e.matrix, m_quietZone, m_rotation);
        setWidth(l.image.width() * zoom());
        setHeight(l.image.height() * zoom());
    }
    if (m_hAlign == haRight)
        setLeft(left() + (oldWidth - width()));
    else if (m_hAlign == haCenter)
        setLeft(left() + (oldWidth - width()) / 2);
    return message;
}

void TpgxBarCodeView::draw(QPainter *canvas, double scaleX, double scaleY, double offsetX,
                           double offsetY)
{
    const QString message = updateSize();
    prepareDrawing(canvas, scaleX, scaleY, offsetX, offsetY);
    fillBackground();
    if (!message.isEmpty()) {
        drawError(message);
    } else {
        const pgx::views::DeviceBox &b = deviceBox();
        const QRectF device(b.x, b.y, b.dx(), b.dy());
        const TColor space = color() == kClTransparent ? kClWhite : color();
        const Encoding e = encodeFor(*this, m_text);
        const SymbolLayout layout = e.matrix
            ? layOutMatrix(*e.matrix, m_quietZone, m_rotation)
            : layOutLinear(*e.linear, m_barType, m_rotation, m_showText, device.size(),
                           humanReadableWidth);
        paintSymbol(*canvas, layout, device, kClBlack, space);
    }
    strokeFrame();
}

void TpgxBarCodeView::drawError(const QString &message)
{
    pgx::text::TextOptions o;
    o.font.name = QStringLiteral("Arial");
    o.font.size = 8;
    o.font.color = 255;
    o.lineSpacing = 0;
    pgx::text::MemoBox box;
    box.left = left() + 2;
    box.top = top() + 2;
    box.width = qMax(0.0, width() - 2);
    box.height = qMax(0.0, height() - 2);
    box.gapX = 0;
    box.gapY = 0;
    const pgx::text::DeviceScale scale{scaleX(), scaleY(), deviceBox().x - left() * scaleX(),
                                       deviceBox().y - top() * scaleY()};
    const pgx::text::TextLayout layout({message}, o, box.width * pgx::text::kLayoutFactor);
    pgx::text::drawText(*canvas(), layout, box, scale);
}

void TpgxBarCodeView::beforePrint()
{
    TpgxView::beforePrint();
    m_savedText = m_text;
}

void TpgxBarCodeView::afterPrint()
{
    TpgxView::afterPrint();
    m_text = m_savedText;
}

QString TpgxBarCodeView::diffAttrs(const TpgxComponent *otherComponent) const
{
    using pgx::diff::appendAttr;
    QString out = TpgxView::diffAttrs(otherComponent);
    const auto *other = qobject_cast<const TpgxBarCodeView *>(otherComponent);
    if (!other)
        return out;
    if (m_barType != other->m_barType)
        appendAttr(out, QLatin1String("BarType"), QString::number(int(m_barType)));
    if (m_calcCheckSum != other->m_calcCheckSum)
        appendAttr(out, QLatin1String("CalcCheckSum"), pgx::diff::boolText(m_calcCheckSum));
    if (m_rotation != other->m_rotation)
        appendAttr(out, QLatin1String("Rotation"), QString::number(m_rotation));
    if (m_showText != other->m_showText)
        appendAttr(out, QLatin1String("ShowText"), pgx::diff::boolText(m_showText));
    if (m_zoom != other->m_zoom)
        appendAttr(out, QLatin1String("Zoom"), pgx::diff::floatText(m_zoom));
    appendAttr(out, QLatin1String("Text"), pgx::diff::escapedText(m_text));
    return out;
}

void TpgxBarCodeView::fetchData()
{
    TpgxView::fetchData();
    if (isBound()) {
        m_text = dataSet()->getValue(dataField()).toString();
    } else if (!m_expression.trimmed().isEmpty()) {
        TpgxReport *owner = report();
        if (!owner)
            throw pgx::Error(
                QStringLiteral("Cannot evaluate '%1' outside a report").arg(m_expression));
        m_text = owner->calc(m_expression).toString();
    }
}
