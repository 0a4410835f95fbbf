// ArrangeChildren and DiffAttrs: the two TpgxComponent operations that work
// on geometry as a whole rather than on one field.
#include "report/component/TpgxComponent.h"

#include "report/component/DiffText.h"

#include "persist/XMLEscape.h"
#include "platform/format/NumberText.h"

#include <QtCore/QVarLengthArray>
#include <algorithm>
#include <cmath>

namespace {

using pgx::diff::appendAttr;
using pgx::diff::boolText;
using pgx::diff::differs;

// Two views share a row unless one lies wholly above the other; touching
// edges (within 0.0001) do not count as overlap.
bool overlapVertically(const TpgxComponent *a, const TpgxComponent *b)
{
    constexpr double kEps = 0.0001;
    if (b->absTop() >= a->absTop() + a->height() - kEps)
        return false;
    if (a->absTop() >= b->absTop() + b->height() - kEps)
        return false;
    return true;
}

}   // namespace

void TpgxComponent::arrangeChildren()
{
    // 1. The child views, by Left, numerically and stably: views at the same
    //    position keep their Objects order.
    struct Entry
    {
        TpgxComponent *view;
        TpgxAlign align;
    };
    QVarLengthArray<Entry, 32> views;
    for (TpgxComponent *child : std::as_const(m_objects))
        if (const auto align = child->arrangeAlign())
            views.append({child, *align});
    std::stable_sort(views.begin(), views.end(), [](const Entry &a, const Entry &b) {
        return a.view->left() < b.view->left();
    });
    const qsizetype n = views.size();

    // 2. Left pass: baLeft and baWidth views move right after the nearest
    //    earlier view in their row (a baWidth view ignores neighbours that
    //    start right of it), or to 0.
    for (qsizetype i = 0; i < n; ++i) {
        TpgxComponent *v = views[i].view;
        const TpgxAlign align = views[i].align;
        if (align != baLeft && align != baWidth)
            continue;
        const TpgxComponent *neighbour = nullptr;
        for (qsizetype j = i - 1; j >= 0; --j) {
            const TpgxComponent *c = views[j].view;
            if (!overlapVertically(v, c))
                continue;
            if (align == baWidth && c->left() > v->left())
                continue;
            neighbour = c;
            break;
        }
        v->setLeft(neighbour ? neighbour->left() + neighbour->width() : 0);
    }

    // 3. Right pass: baRight views end at the nearest later view in their row
    //    (or the parent's right edge); baWidth views stretch to it (ignoring
    //    neighbours that end left of their own right edge).
    for (qsizetype i = n - 1; i >= 0; --i) {
        TpgxComponent *v = views[i].view;
        const TpgxAlign align = views[i].align;
        if (align != baRight && align != baWidth)
            continue;
        const TpgxComponent *neighbour = nullptr;
        for (qsizetype j = i + 1; j < n; ++j) {
            const TpgxComponent *c = views[j].view;
            if (!overlapVertically(v, c))
                continue;
            if (align == baWidth && c->left() + c->width() < v->left() + v->width())
                continue;
            neighbour = c;
            break;
        }
        const double edge = neighbour ? neighbour->left() : width();
        if (align == baRight)
            v->setLeft(edge - v->width());
        else
            v->setWidth(edge - v->left());
    }

    // 4. Centre, bottom and client placement, in Objects order.
    for (TpgxComponent *child : std::as_const(m_objects)) {
        const auto align = child->arrangeAlign();
        if (!align)
            continue;
        switch (*align) {
        case baCenter: child->setLeft((width() - child->width()) / 2); break;
        case baBottom: child->setTop(height() - child->height()); break;
        case baClient: child->setBounds(0, 0, width(), height()); break;
        default: break;
        }
    }
}

QString TpgxComponent::diffAttrs(const TpgxComponent *other) const
{
    QString out;
    if (differs(m_left, other->m_left))
        appendAttr(out, QLatin1String("l"), pgx::format::fileFloatText(m_left));
    if (differs(m_top, other->m_top) || keepsTopInDiff())
        appendAttr(out, QLatin1String("t"), pgx::format::fileFloatText(m_top));
    if (differs(m_width, other->m_width) && !hasAutoWidth())
        appendAttr(out, QLatin1String("w"), pgx::format::fileFloatText(m_width));
    if (differs(m_height, other->m_height))
        appendAttr(out, QLatin1String("h"), pgx::format::fileFloatText(m_height));
    if (m_visible != other->m_visible)
        appendAttr(out, QLatin1String("Visible"), boolText(m_visible));
    if (!m_parentFont) {
        const TpgxFont &f = m_font;
        const TpgxFont &g = other->m_font;
        if (f.name() != g.name())
            appendAttr(out, QLatin1String("Font.Name"),
                       QString::fromUtf8(pgx::escapeAttr(f.name().toUtf8())));
        if (f.size() != g.size())
            appendAttr(out, QLatin1String("Font.Size"), QString::number(f.size()));
        if (f.color() != g.color())
            appendAttr(out, QLatin1String("Font.Color"), QString::number(f.color()));
        if (f.style() != g.style())
            appendAttr(out, QLatin1String("Font.Style"), QString::number(f.style().toInt()));
        if (f.charset() != g.charset())
            appendAttr(out, QLatin1String("Font.Charset"), QString::number(f.charset()));
    }
    if (m_parentFont != other->m_parentFont)
        appendAttr(out, QLatin1String("ParentFont"), boolText(m_parentFont));
    if (m_tag != other->m_tag)
        appendAttr(out, QLatin1String("Tag"), QString::number(m_tag));
    return out;
}
