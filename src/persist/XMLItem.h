#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QList>

#include <memory>

namespace pgx {

class TpgxXMLStore;

// One element of an XML document: its name, its raw attribute text (values
// escaped as EscapeAttr does) and its owned children. An item owns its
// children; deleting an item deletes them and takes it out of its parent.
//
// A swappable item may be unloaded: its children then live in a store (the
// file a document was partially read from, or the document's temporary
// file) at Offset. The item keeps a reference to that store, so that its
// children can always be found again, even after the document switched to
// another store or the item was moved elsewhere.
class TpgxXMLItem
{
public:
    TpgxXMLItem() = default;
    ~TpgxXMLItem();
    Q_DISABLE_COPY_MOVE(TpgxXMLItem)

    const QByteArray &name() const { return m_name; }
    void setName(const QByteArray &name) { m_name = name; }
    // The attribute text: everything between the name and the end of the
    // start tag, less the separating blank.
    const QByteArray &text() const { return m_text; }
    void setText(const QByteArray &text) { m_text = text; }
    // Character content, written (unescaped) only when there are no
    // children; the reader never fills it.
    const QByteArray &value() const { return m_value; }
    void setValue(const QByteArray &value) { m_value = value; }
    // Free for the owner's use; never stored.
    void *data() const { return m_data; }
    void setData(void *data) { m_data = data; }

    TpgxXMLItem *parent() const { return m_parent; }
    // The topmost ancestor (this item when it has no parent).
    TpgxXMLItem *root();

    int count() const { return int(m_items.size()); }
    TpgxXMLItem *items(int index) const { return m_items.value(index); }
    int indexOf(const TpgxXMLItem *item) const;

    // True while the children are in memory.
    bool inMemory() const { return m_inMemory; }
    bool swappable() const { return m_swappable; }
    void setSwappable(bool swappable) { m_swappable = swappable; }
    // Where the item starts in its store while it is unloaded.
    quint64 offset() const { return m_offset; }

    // Frees the children; a swappable item is unloaded by it (its children
    // can come back from its store, if it has one).
    void clear();
    // A new child at the end.
    TpgxXMLItem *add();
    // Moves item (with its subtree) to the end of this item's children; false
    // (and nothing done) for none, this item itself or one of its ancestors.
    bool addItem(TpgxXMLItem *item);
    bool insertItem(int index, TpgxXMLItem *item);
    // Index of the first child named name (case ignored), or -1.
    int find(QByteArrayView name) const;
    // The first child named name; a new one with that name when there is none.
    TpgxXMLItem *findItem(QByteArrayView name);

    // One attribute of Text, by name (case ignored), unescaped; "" if absent.
    QByteArray prop(QByteArrayView name) const;
    // Replaces the attribute in place, keeping the order, or appends it.
    void setProp(QByteArrayView name, const QByteArray &value);

private:
    friend class TpgxXMLReader;
    friend class TpgxXMLWriter;
    friend class TpgxXMLDocument;

    void appendOwned(TpgxXMLItem *child);
    void deleteChildren();
    bool canAdopt(const TpgxXMLItem *item) const;

    QByteArray m_name;
    QByteArray m_text;
    QByteArray m_value;
    void *m_data = nullptr;
    TpgxXMLItem *m_parent = nullptr;
    QList<TpgxXMLItem *> m_items;
    std::shared_ptr<TpgxXMLStore> m_store;   // where the children are while unloaded
    quint64 m_offset = 0;
    bool m_inMemory = true;
    bool m_swappable = false;
};

// Case-insensitive (ASCII) equality of element and attribute names.
bool sameXmlName(QByteArrayView a, QByteArrayView b);

}   // namespace pgx
