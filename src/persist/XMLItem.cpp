#include "persist/XMLItem.h"

#include "persist/XMLEscape.h"
#include "persist/XMLStore.h"

namespace pgx {

namespace {

inline char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c;
}

// Start of `name="` in text, at the start or after a blank; -1 if absent.
// No blanks are allowed around '=' (Left = "10" is not an attribute Left).
qsizetype findAttr(const QByteArray &text, QByteArrayView name)
{
    const qsizetype n = name.size();
    const qsizetype last = text.size() - n - 2;
    const char *t = text.constData();
    for (qsizetype p = 0; p <= last; ++p) {
        if (p > 0 && t[p - 1] != ' ')
            continue;
        if (t[p + n] != '=' || t[p + n + 1] != '"')
            continue;
        if (sameXmlName(QByteArrayView(t + p, n), name))
            return p;
    }
    return -1;
}

}   // namespace

bool sameXmlName(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

TpgxXMLItem::~TpgxXMLItem()
{
    deleteChildren();
    if (m_parent)
        m_parent->m_items.removeOne(this);
}

TpgxXMLItem *TpgxXMLItem::root()
{
    TpgxXMLItem *item = this;
    while (item->m_parent)
        item = item->m_parent;
    return item;
}

int TpgxXMLItem::indexOf(const TpgxXMLItem *item) const
{
    return int(m_items.indexOf(const_cast<TpgxXMLItem *>(item)));
}

void TpgxXMLItem::deleteChildren()
{
    // Without recursion: a script or a file may build chains far deeper
    // than the stack. Each item's children are taken over before it is
    // freed, so its destructor finds nothing left to do, and no item is
    // left searching a list that is being freed.
    QList<TpgxXMLItem *> pending = std::exchange(m_items, {});
    while (!pending.isEmpty()) {
        TpgxXMLItem *item = pending.takeLast();
        pending.append(std::exchange(item->m_items, {}));
        item->m_parent = nullptr;
        delete item;
    }
}

void TpgxXMLItem::clear()
{
    deleteChildren();
    if (m_swappable)
        m_inMemory = false;
}

void TpgxXMLItem::appendOwned(TpgxXMLItem *child)
{
    child->m_parent = this;
    m_items.append(child);
}

TpgxXMLItem *TpgxXMLItem::add()
{
    auto *child = new TpgxXMLItem;
    appendOwned(child);
    return child;
}

bool TpgxXMLItem::canAdopt(const TpgxXMLItem *item) const
{
    if (!item)
        return false;
    for (const TpgxXMLItem *a = this; a; a = a->m_parent)
        if (a == item)
            return false;   // would make the tree a cycle
    return true;
}

bool TpgxXMLItem::addItem(TpgxXMLItem *item)
{
    if (!canAdopt(item))
        return false;
    if (item->m_parent)
        item->m_parent->m_items.removeOne(item);
    appendOwned(item);
    return true;
}

bool TpgxXMLItem::insertItem(int index, TpgxXMLItem *item)
{
    if (!addItem(item))
        return false;
    const int to = qBound(0, index, count() - 1);
    m_items.move(count() - 1, to);
    return true;
}

int TpgxXMLItem::find(QByteArrayView name) const
{
    for (int i = 0; i < count(); ++i)
        if (sameXmlName(m_items[i]->m_name, name))
            return i;
    return -1;
}

TpgxXMLItem *TpgxXMLItem::findItem(QByteArrayView name)
{
    const int i = find(name);
    if (i >= 0)
        return m_items[i];
    TpgxXMLItem *child = add();
    child->m_name = name.toByteArray();
    return child;
}

QByteArray TpgxXMLItem::prop(QByteArrayView name) const
{
    const qsizetype p = findAttr(m_text, name);
    if (p < 0)
        return {};
    const qsizetype from = p + name.size() + 2;
    qsizetype to = m_text.indexOf('"', from);
    if (to < 0)
        to = m_text.size();
    return unescapeAttr(m_text.mid(from, to - from));
}

void TpgxXMLItem::setProp(QByteArrayView name, const QByteArray &value)
{
    QByteArray attr;
    attr.reserve(name.size() + value.size() + 3);
    attr.append(name);
    attr.append("=\"");
    attr.append(escapeAttr(value));
    attr.append('"');

    qsizetype at = findAttr(m_text, name);
    if (at >= 0) {
        // Cut the whole name="value" and put the new one in its place.
        const qsizetype close = m_text.indexOf('"', at + name.size() + 2);
        const qsizetype end = close < 0 ? m_text.size() : close + 1;
        m_text.remove(at, end - at);
    } else {
        at = m_text.size();
    }
    if (at > 0 && m_text[at - 1] != ' ')
        attr.prepend(' ');
    m_text.insert(at, attr);
}

}   // namespace pgx
