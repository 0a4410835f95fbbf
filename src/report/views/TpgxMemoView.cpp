#include "report/views/TpgxMemoView.h"

#include "report/component/DiffText.h"
#include "report/root/TpgxReport.h"
#include "report/root/TpgxVariables.h"
#include "report/styles/TpgxStyles.h"
#include "report/views/MemoLines.h"

using pgx::diff::appendAttr;
using pgx::diff::boolText;
using pgx::diff::differs;
using pgx::diff::floatText;

TpgxHighlight::TpgxHighlight(QObject *parent) : QObject(parent)
{
    m_font.setColor(255);
}

TpgxCustomMemoView::TpgxCustomMemoView(QObject *owner) : TpgxStretcheable(owner) { }

QString TpgxCustomMemoView::text() const
{
    return pgx::views::joinMemoLines(m_memo);
}

void TpgxCustomMemoView::setText(const QString &value)
{
    m_memo = pgx::views::splitMemoLines(value);
}

void TpgxCustomMemoView::setStyle(const QString &name)
{
    m_style = name;
    TpgxReport *owner = report();
    if (!owner || isLoading() || name.isEmpty())
        return;
    const TpgxStyleItem *item = owner->styles()->find(name);
    if (!item)
        return;
    setColor(item->color());
    setFont(item->font());
    frame()->assign(*item->frame());
}

bool TpgxCustomMemoView::expressionDelimitersIsStored() const
{
    return m_expressionDelimiters != QLatin1String("[,]");
}

bool TpgxCustomMemoView::highlightIsStored() const
{
    return !m_highlight.condition().trimmed().isEmpty();
}

QString TpgxCustomMemoView::plainText() const
{
    QString plain = text();
    if (m_allowExpressions)
        plain = pgx::views::replaceMacro(plain, QStringLiteral("[TOTALPAGES]"),
                                         QString::number(m_totalPages));
    return plain;
}

void TpgxCustomMemoView::applyPreparedPageMacros(int totalPages, int copyNumber)
{
    if (!m_allowExpressions)
        return;
    QString t = text();
    if (!t.contains(QLatin1Char('[')))
        return;
    const QVariant copyName
        = pgxGlobalVariables().value(QStringLiteral("CopyName") + QString::number(copyNumber));
    t = pgx::views::replaceMacro(t, QStringLiteral("[TOTALPAGES#]"), QString::number(totalPages));
    t = pgx::views::replaceMacro(t, QStringLiteral("[COPYNAME#]"),
                                 copyName.isValid() ? copyName.toString() : QString());
    setText(t);
}

double TpgxCustomMemoView::frameExtraHeight() const
{
    const TpgxFrame *f = frame();
    double extra = 2 * m_gapY;
    if (f->typ().testFlag(TpgxFrame::ftTop))
        extra += (f->width() - 1) / 2;
    if (f->typ().testFlag(TpgxFrame::ftBottom))
        extra += f->width() / 2;
    if (f->dropShadow())
        extra += f->shadowWidth();
    return extra;
}

double TpgxCustomMemoView::frameExtraWidth() const
{
    const TpgxFrame *f = frame();
    double extra = 2 * m_gapX;
    if (f->typ().testFlag(TpgxFrame::ftLeft))
        extra += (f->width() - 1) / 2;
    if (f->typ().testFlag(TpgxFrame::ftRight))
        extra += f->width() / 2;
    if (f->dropShadow())
        extra += f->shadowWidth();
    return extra;
}

void TpgxCustomMemoView::beforePrint()
{
    TpgxStretcheable::beforePrint();
    if (!isBound())
        m_savedMemo = m_memo;
}

void TpgxCustomMemoView::afterPrint()
{
    if (!isBound())
        m_memo = m_savedMemo;
    TpgxStretcheable::afterPrint();
}

QString TpgxCustomMemoView::diffAttrs(const TpgxComponent *otherComponent) const
{
    QString out = TpgxStretcheable::diffAttrs(otherComponent);
    const auto *other = qobject_cast<const TpgxCustomMemoView *>(otherComponent);
    if (!other)
        return out;
    if (m_autoWidth != other->m_autoWidth)
        appendAttr(out, QLatin1String("AutoWidth"), boolText(m_autoWidth));
    if (differs(m_charSpacing, other->m_charSpacing))
        appendAttr(out, QLatin1String("CharSpacing"), floatText(m_charSpacing));
    if (differs(m_gapX, other->m_gapX))
        appendAttr(out, QLatin1String("GapX"), floatText(m_gapX));
    if (differs(m_gapY, other->m_gapY))
        appendAttr(out, QLatin1String("GapY"), floatText(m_gapY));
    if (m_hAlign != other->m_hAlign)
        appendAttr(out, QLatin1String("HAlign"), QString::number(int(m_hAlign)));
    if (m_highlight.active() != other->m_highlight.active())
        appendAttr(out, QLatin1String("Highlight.Active"), boolText(m_highlight.active()));
    if (differs(m_lineSpacing, other->m_lineSpacing))
        appendAttr(out, QLatin1String("LineSpacing"), floatText(m_lineSpacing));
    // The text always: empty without lines, the line itself when there is
    // one, else the whole text without its final CR LF.
    QString u;
    if (m_memo.size() == 1)
        u = m_memo.first();
    else if (m_memo.size() > 1)
        u = m_memo.join(QLatin1String("\r\n"));
    appendAttr(out, QLatin1String("u"), pgx::diff::escapedText(u));
    if (differs(m_paragraphGap, other->m_paragraphGap))
        appendAttr(out, QLatin1String("ParagraphGap"), floatText(m_paragraphGap));
    if (m_rotation != other->m_rotation)
        appendAttr(out, QLatin1String("Rotation"), QString::number(m_rotation));
    if (m_rtlReading != other->m_rtlReading)
        appendAttr(out, QLatin1String("RTLReading"), boolText(m_rtlReading));
    if (m_underlines != other->m_underlines)
        appendAttr(out, QLatin1String("Underlines"), boolText(m_underlines));
    if (m_vAlign != other->m_vAlign)
        appendAttr(out, QLatin1String("VAlign"), QString::number(int(m_vAlign)));
    if (m_wordWrap != other->m_wordWrap)
        appendAttr(out, QLatin1String("WordWrap"), boolText(m_wordWrap));
    if (m_firstParaBreak)
        appendAttr(out, QLatin1String("FirstParaBreak"), QStringLiteral("1"));
    if (m_lastParaBreak)
        appendAttr(out, QLatin1String("LastParaBreak"), QStringLiteral("1"));
    m_firstParaBreak = m_lastParaBreak;
    m_lastParaBreak = false;
    return out;
}

TpgxMemoView::TpgxMemoView(QObject *owner) : TpgxCustomMemoView(owner) { }

TpgxSysMemoView::TpgxSysMemoView(QObject *owner) : TpgxCustomMemoView(owner) { }
