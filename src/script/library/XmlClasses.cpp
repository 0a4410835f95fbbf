#include "script/library/XmlClasses.h"

#include "persist/XMLDocument.h"
#include "script/library/ClassesModule.h"
#include "script/library/LibraryCommon.h"
#include "script/runtime/Script.h"

#include <QtCore/QBuffer>

namespace pgx::script {

TkxXMLItem::TkxXMLItem(QObject *parent) : TObject(parent), m_item(new TpgxXMLItem), m_ownsItem(true)
{
    m_item->setData(this);
}

TkxXMLItem::TkxXMLItem(TpgxXMLItem *item, QObject *parent) : TObject(parent), m_item(item)
{
    m_item->setData(this);
}

TkxXMLItem::~TkxXMLItem()
{
    if (!m_item)
        return;
    m_item->setData(nullptr);
    if (m_ownsItem && !m_item->parent()) {
        invalidate(m_item, false);
        delete m_item;
    }
}

TkxXMLItem *TkxXMLItem::wrap(TpgxXMLItem *item, QObject *parent)
{
    if (!item)
        return nullptr;
    if (auto *w = static_cast<TkxXMLItem *>(item->data()))
        return w;
    return new TkxXMLItem(item, parent);
}

void TkxXMLItem::invalidate(TpgxXMLItem *item, bool includeSelf)
{
    // An explicit stack: trees built by scripts may be deep.
    std::vector<TpgxXMLItem *> pending;
    if (includeSelf)
        pending.push_back(item);
    else
        for (int i = 0; i < item->count(); ++i)
            pending.push_back(item->items(i));
    while (!pending.empty()) {
        TpgxXMLItem *it = pending.back();
        pending.pop_back();
        for (int i = 0; i < it->count(); ++i)
            pending.push_back(it->items(i));
        if (auto *w = static_cast<TkxXMLItem *>(it->data())) {
            it->setData(nullptr);
            w->m_item = nullptr;
            delete w;
        }
    }
}

TpgxXMLItem *TkxXMLItem::item() const
{
    if (!m_item)
        throw ScriptError(QStringLiteral("Invalid object reference"),
                          QStringLiteral("EAccessViolation"));
    return m_item;
}

int TkxXMLItem::count() const
{
    return item()->count();
}
QString TkxXMLItem::name() const
{
    return QString::fromUtf8(item()->name());
}
void TkxXMLItem::setName(const QString &name)
{
    item()->setName(name.toUtf8());
}
QString TkxXMLItem::text() const
{
    return QString::fromUtf8(item()->text());
}
void TkxXMLItem::setText(const QString &text)
{
    item()->setText(text.toUtf8());
}

void TkxXMLItem::addItem(TkxXMLItem *child, int index)
{
    if (!child)
        throw ScriptError(QStringLiteral("Invalid object reference"),
                          QStringLiteral("EAccessViolation"));
    TpgxXMLItem *c = child->item();
    const bool ok = index < 0 ? item()->addItem(c) : item()->insertItem(index, c);
    if (!ok)
        throw ScriptError(
            QStringLiteral("Cannot add an XML item to itself or to one of its descendants"),
            QStringLiteral("EInvalidOperation"));
    child->m_ownsItem = false;   // the tree owns it now
}

void TkxXMLItem::scriptFree()
{
    TpgxXMLItem *it = item();
    if (!m_ownsItem && !it->parent())
        throw ScriptError(QStringLiteral("Cannot free the root of a document"),
                          QStringLiteral("EInvalidOperation"));
    // Freeing an item of a tree takes it out of the tree.
    invalidate(it, false);
    it->setData(nullptr);
    m_item = nullptr;
    delete it;
    delete this;
}

TkxXMLDocument::TkxXMLDocument(QObject *parent)
    : TObject(parent), m_doc(std::make_unique<TpgxXMLDocument>())
{ }

TkxXMLDocument::~TkxXMLDocument()
{
    if (m_doc->root())
        TkxXMLItem::invalidate(m_doc->root(), true);
}

TkxXMLItem *TkxXMLDocument::root()
{
    return TkxXMLItem::wrap(m_doc->root(), parent() ? parent() : this);
}

void TkxXMLDocument::loadFromBytes(const QByteArray &bytes)
{
    if (m_doc->root())
        TkxXMLItem::invalidate(m_doc->root(), true);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const TpgxXMLResult r = m_doc->loadFromStream(buffer);
    if (!r)
        throw ScriptError(QStringLiteral("Invalid XML: ") + r.description(),
                          QStringLiteral("EInvalidOperation"));
}

QByteArray TkxXMLDocument::saveToBytes()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const TpgxXMLResult r = m_doc->saveToStream(buffer);
    if (!r)
        throw ScriptError(QStringLiteral("Cannot write XML: ") + r.description(),
                          QStringLiteral("EWriteError"));
    return buffer.data();
}

void registerXmlClasses(TkxScript &s)
{
    using H = TkxMethodHelper;
    using X = TkxXMLItem;
    TkxClassVariable *c = declareClass(s, &TkxXMLItem::staticMetaObject, QStringLiteral("TObject"));
    if (!c)
        return;
    c->factory = [](H &) -> QObject * { return new TkxXMLItem(); };
    declareConstructor(c, "constructor Create");
    auto itemArg = [](H &h, int i) { return TkxObjectTable::as<TkxXMLItem>(h.params(i)); };
    auto owner = [](X *x) { return x->parent() ? x->parent() : x; };
    declareMember<X>(c, "procedure AddItem(Item: TkxXMLItem)", [itemArg](X *x, H &h) {
        x->addItem(itemArg(h, 0));
        return Variant();
    });
    declareMember<X>(c, "procedure Clear", [](X *x, H &) {
        TkxXMLItem::invalidate(x->item(), false);
        x->item()->clear();
        return Variant();
    });
    declareMember<X>(
        c, "procedure InsertItem(Index: Integer; Item: TkxXMLItem)", [itemArg](X *x, H &h) {
            const qint64 i = h.params(0).toInt64();
            if (i < 0 || i > x->count())
                throw ScriptError(QStringLiteral("List index out of bounds (%1)").arg(i),
                                  QStringLiteral("EListError"));
            x->addItem(itemArg(h, 1), int(i));
            return Variant();
        });
    declareMember<X>(c, "function Add: TkxXMLItem", [owner](X *x, H &) {
        return TkxObjectTable::toVariant(X::wrap(x->item()->add(), owner(x)));
    });
    declareMember<X>(c, "function Find(const Name: String): Integer", [](X *x, H &h) {
        return Variant(x->item()->find(h.params(0).toString().toUtf8()));
    });
    declareMember<X>(c, "function FindItem(const Name: String): TkxXMLItem", [owner](X *x, H &h) {
        return TkxObjectTable::toVariant(
            X::wrap(x->item()->findItem(h.params(0).toString().toUtf8()), owner(x)));
    });
    declareMember<X>(c, "function Root: TkxXMLItem", [owner](X *x, H &) {
        return TkxObjectTable::toVariant(X::wrap(x->item()->root(), owner(x)));
    });
    declareProp<X>(c, "Parent", "TkxXMLItem", [owner](X *x) {
        return TkxObjectTable::toVariant(X::wrap(x->item()->parent(), owner(x)));
    });
    declareIndexed<X>(c, "Items", "Integer", "TkxXMLItem", true, true, [owner](X *x, H &h, bool) {
        const qint64 i = h.params(0).toInt64();
        if (i < 0 || i >= x->count())
            throw ScriptError(QStringLiteral("List index out of bounds (%1)").arg(i),
                              QStringLiteral("EListError"));
        return TkxObjectTable::toVariant(X::wrap(x->item()->items(int(i)), owner(x)));
    });
    declareIndexed<X>(c, "Prop", "String", "String", false, false, [](X *x, H &h, bool set) {
        const QByteArray name = h.params(0).toString().toUtf8();
        if (set) {
            x->item()->setProp(name, h.params(1).toString().toUtf8());
            return Variant();
        }
        return str8(QString::fromUtf8(x->item()->prop(name)));
    });

    using D = TkxXMLDocument;
    TkxClassVariable *d
        = declareClass(s, &TkxXMLDocument::staticMetaObject, QStringLiteral("TObject"));
    d->factory = [](H &) -> QObject * { return new TkxXMLDocument(); };
    declareConstructor(d, "constructor Create");
    auto stream = [](H &h) {
        TStream *st = TkxObjectTable::as<TStream>(h.params(0));
        if (!st)
            throw ScriptError(QStringLiteral("Invalid object reference"),
                              QStringLiteral("EAccessViolation"));
        return st;
    };
    declareMember<D>(d, "procedure SaveToStream(Stream: TStream)", [stream](D *x, H &h) {
        stream(h)->write(x->saveToBytes());
        return Variant();
    });
    declareMember<D>(d, "procedure LoadFromStream(Stream: TStream)", [stream](D *x, H &h) {
        x->loadFromBytes(stream(h)->readAll());
        return Variant();
    });
    declareMember<D>(d, "procedure SaveToFile(const FileName: String)", [](D *x, H &h) {
        saveBytesToFile(h.params(0).toString(), x->saveToBytes());
        return Variant();
    });
    declareMember<D>(d, "procedure LoadFromFile(const FileName: String)", [](D *x, H &h) {
        x->loadFromBytes(loadBytesFromFile(h.params(0).toString()));
        return Variant();
    });
    declareProp<D>(d, "Root", "TkxXMLItem",
                   [](D *x) { return TkxObjectTable::toVariant(x->root()); });
}

}   // namespace pgx::script
