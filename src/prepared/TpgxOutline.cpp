#include "prepared/TpgxOutline.h"

#include "persist/XMLEscape.h"
#include "persist/XMLItem.h"

#include <vector>

using pgx::TpgxXMLItem;

TpgxOutline::TpgxOutline(std::function<TpgxXMLItem *()> root, std::function<int()> currentPage)
    : m_root(std::move(root)), m_currentPage(std::move(currentPage))
{ }

TpgxOutline::~TpgxOutline() = default;

TpgxXMLItem *TpgxOutline::current() const
{
    if (!m_current)
        m_current = m_root();
    return m_current;
}

void TpgxOutline::addItem(const QString &text, int top)
{
    TpgxXMLItem *item = current()->add();
    item->setName("item");
    item->setProp("text", text.toUtf8());
    item->setProp("page", QByteArray::number(m_currentPage()));
    item->setProp("top", QByteArray::number(top));
    m_current = item;
}

void TpgxOutline::levelRoot()
{
    m_current = nullptr;
}

void TpgxOutline::levelUp()
{
    TpgxXMLItem *c = current();
    if (c != m_root() && c->parent())
        m_current = c->parent();
}

void TpgxOutline::levelInto(int index)
{
    if (TpgxXMLItem *child = current()->items(index))
        m_current = child;
}

int TpgxOutline::count() const
{
    return current()->count();
}

TpgxOutline::Item TpgxOutline::itemOf(const TpgxXMLItem &node)
{
    return {QString::fromUtf8(node.prop("text")), node.prop("page").toInt(),
            node.prop("top").toInt()};
}

TpgxOutline::Item TpgxOutline::item(int index) const
{
    const TpgxXMLItem *child = current()->items(index);
    return child ? itemOf(*child) : Item{};
}

TpgxXMLItem *TpgxOutline::currentPosition() const
{
    TpgxXMLItem *c = current();
    return c->count() ? c->items(c->count() - 1) : nullptr;
}

void TpgxOutline::shiftItems(TpgxXMLItem *from, int newTop)
{
    if (!from || !from->parent())
        return;
    TpgxXMLItem *sibling = from->parent()->items(from->parent()->indexOf(from) + 1);
    if (!sibling)
        return;
    shiftNodes({sibling}, newTop - sibling->prop("top").toInt());
}

void TpgxOutline::shiftItemsFrom(TpgxXMLItem *level, int index, int newTop)
{
    const TpgxXMLItem *first = level ? level->items(index) : nullptr;
    if (!first)
        return;
    std::vector<TpgxXMLItem *> pending;
    for (int i = index; i < level->count(); ++i)
        pending.push_back(level->items(i));
    shiftNodes(std::move(pending), newTop - first->prop("top").toInt());
}

void TpgxOutline::shiftNodes(std::vector<TpgxXMLItem *> pending, int delta)
{
    // Without recursion: outlines nest as deep as the script makes them.
    while (!pending.empty()) {
        TpgxXMLItem *node = pending.back();
        pending.pop_back();
        node->setProp("page", QByteArray::number(node->prop("page").toInt() + 1));
        node->setProp("top", QByteArray::number(node->prop("top").toInt() + delta));
        for (int i = 0; i < node->count(); ++i)
            pending.push_back(node->items(i));
    }
}
