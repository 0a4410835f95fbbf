#include "script/library/XmlClasses.h"

#include "persist/XMLDocument.h"
#include "script/library/ClassesModule.h"
#include "script/library/LibraryCommon.h"
#include "script/runtime/Script.h"

#include <QtCore/QBuffer>

namespace pgx::script {

TkxXMLItem::TkxXMLItem(QObject *parent) : TObject(parent), m_item(new TpgxXMLItem), m_ownsItem(true)
{
    m_item->SetData(this);
}

TkxXMLItem::TkxXMLItem(TpgxXMLItem *item, QObject *parent) : TObject(parent), m_item(item)
{
    m_item->SetData(this);
}

TkxXMLItem::~TkxXMLItem()
{
    if (!m_item)
        return;
    m_item->SetData(nullptr);
    if (m_ownsItem && !m_item->Parent()) {
        invalidate(m_item, false);
        delete m_item;
    }
}

TkxXMLItem *TkxXMLItem::wrap(TpgxXMLItem *item, QObject *parent)
{
    if (!item)
        return nullptr;
    if (auto *w = static_cast<TkxXMLItem *>(item->Data()))
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
        for (int i = 0; i < item->Count(); ++i)
            pending.push_back(item->Items(i));
    while (!pending.empty()) {
        TpgxXMLItem *it = pending.back();
        pending.pop_back();
        for (int i = 0; i < it->Count(); ++i)
            pending.push_back(it->Items(i));
        if (auto *w = static_cast<TkxXMLItem *>(it->Data())) {
            it->SetData(nullptr);
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

int TkxXMLItem::Count() const
{
    return item()->Count();
}
QString TkxXMLItem::Name() const
{
    return QString::fromUtf8(item()->Name());
}
void TkxXMLItem::SetName(const QString &name)
{
    item()->SetName(name.toUtf8());
}
QString TkxXMLItem::Text() const
{
    return QString::fromUtf8(item()->Text());
}
void TkxXMLItem::SetText(const QString &text)
{
    item()->SetText(text.toUtf8());
}

void TkxXMLItem::AddItem(TkxXMLItem *child, int index)
{
    if (!child)
        throw ScriptError(QStringLiteral("Invalid object reference"),
                          QStringLiteral("EAccessViolation"));
    TpgxXMLItem *c = child->item();
    const bool ok = index < 0 ? item()->AddItem(c) : item()->InsertItem(index, c);
    if (!ok)
        throw ScriptError(
            QStringLiteral("Cannot add an XML item to itself or to one of its descendants"),
            QStringLiteral("EInvalidOperation"));
    child->m_ownsItem = false;   // the tree owns it now
}

void TkxXMLItem::ScriptFree()
{
    TpgxXMLItem *it = item();
    if (!m_ownsItem && !it->Parent())
        throw ScriptError(QStringLiteral("Cannot free the root of a document"),
                          QStringLiteral("EInvalidOperation"));
    // Freeing an item of a tree takes it out of the tree.
    invalidate(it, false);
    it->SetData(nullptr);
    m_item = nullptr;
    delete it;
    delete this;
}

TkxXMLDocument::TkxXMLDocument(QObject *parent)
    : TObject(parent), m_doc(std::make_unique<TpgxXMLDocument>())
{ }

TkxXMLDocument::~TkxXMLDocument()
{
    if (m_doc->Root())
        TkxXMLItem::invalidate(m_doc->Root(), true);
}

TkxXMLItem *TkxXMLDocument::Root()
{
    return TkxXMLItem::wrap(m_doc->Root(), parent() ? parent() : this);
}

void TkxXMLDocument::LoadFromBytes(const QByteArray &bytes)
{
    if (m_doc->Root())
        TkxXMLItem::invalidate(m_doc->Root(), true);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const TpgxXMLResult r = m_doc->LoadFromStream(buffer);
    if (!r)
        throw ScriptError(QStringLiteral("Invalid XML: ") + r.description(),
                          QStringLiteral("EInvalidOperation"));
}

QByteArray TkxXMLDocument::SaveToBytes()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const TpgxXMLResult r = m_doc->SaveToStream(buffer);
    if (!r)
        throw ScriptError(QStringLiteral("Cannot write XML: ") + r.description(),
                          QStringLiteral("EWriteError"));
    return buffer.data();
}

void registerXmlClasses(TkxScript &s)
{
    using H = TkxMethodHelper;
    using X = TkxXMLItem;
    TkxClassVariable *c = DeclareClass(s, &TkxXMLItem::staticMetaObject, QStringLiteral("TObject"));
    if (!c)
        return;
    c->Factory = [](H &) -> QObject * { return new TkxXMLItem(); };
    declareConstructor(c, "constructor Create");
    auto itemArg = [](H &h, int i) { return TkxObjectTable::as<TkxXMLItem>(h.Params(i)); };
    auto owner = [](X *x) { return x->parent() ? x->parent() : x; };
    declareMember<X>(c, "procedure AddItem(Item: TkxXMLItem)", [itemArg](X *x, H &h) {
        x->AddItem(itemArg(h, 0));
        return Variant();
    });
    declareMember<X>(c, "procedure Clear", [](X *x, H &) {
        TkxXMLItem::invalidate(x->item(), false);
        x->item()->Clear();
        return Variant();
    });
    declareMember<X>(
        c, "procedure InsertItem(Index: Integer; Item: TkxXMLItem)", [itemArg](X *x, H &h) {
            const qint64 i = h.Params(0).toInt64();
            if (i < 0 || i > x->Count())
                throw ScriptError(QStringLiteral("List index out of bounds (%1)").arg(i),
                                  QStringLiteral("EListError"));
            x->AddItem(itemArg(h, 1), int(i));
            return Variant();
        });
    declareMember<X>(c, "function Add: TkxXMLItem", [owner](X *x, H &) {
        return TkxObjectTable::toVariant(X::wrap(x->item()->Add(), owner(x)));
    });
    declareMember<X>(c, "function Find(const Name: String): Integer", [](X *x, H &h) {
        return Variant(x->item()->Find(h.Params(0).toString().toUtf8()));
    });
    declareMember<X>(c, "function FindItem(const Name: String): TkxXMLItem", [owner](X *x, H &h) {
        return TkxObjectTable::toVariant(
            X::wrap(x->item()->FindItem(h.Params(0).toString().toUtf8()), owner(x)));
    });
    declareMember<X>(c, "function Root: TkxXMLItem", [owner](X *x, H &) {
        return TkxObjectTable::toVariant(X::wrap(x->item()->Root(), owner(x)));
    });
    declareProp<X>(c, "Parent", "TkxXMLItem", [owner](X *x) {
        return TkxObjectTable::toVariant(X::wrap(x->item()->Parent(), owner(x)));
    });
    declareIndexed<X>(c, "Items", "Integer", "TkxXMLItem", true, true, [owner](X *x, H &h, bool) {
        const qint64 i = h.Params(0).toInt64();
        if (i < 0 || i >= x->Count())
            throw ScriptError(QStringLiteral("List index out of bounds (%1)").arg(i),
                              QStringLiteral("EListError"));
        return TkxObjectTable::toVariant(X::wrap(x->item()->Items(int(i)), owner(x)));
    });
    declareIndexed<X>(c, "Prop", "String", "String", false, false, [](X *x, H &h, bool set) {
        const QByteArray name = h.Params(0).toString().toUtf8();
        if (set) {
            x->item()->SetProp(name, h.Params(1).toString().toUtf8());
            return Variant();
        }
        return str8(QString::fromUtf8(x->item()->Prop(name)));
    });

    using D = TkxXMLDocument;
    TkxClassVariable *d
        = DeclareClass(s, &TkxXMLDocument::staticMetaObject, QStringLiteral("TObject"));
    d->Factory = [](H &) -> QObject * { return new TkxXMLDocument(); };
    declareConstructor(d, "constructor Create");
    auto stream = [](H &h) {
        TStream *st = TkxObjectTable::as<TStream>(h.Params(0));
        if (!st)
            throw ScriptError(QStringLiteral("Invalid object reference"),
                              QStringLiteral("EAccessViolation"));
        return st;
    };
    declareMember<D>(d, "procedure SaveToStream(Stream: TStream)", [stream](D *x, H &h) {
        stream(h)->Write(x->SaveToBytes());
        return Variant();
    });
    declareMember<D>(d, "procedure LoadFromStream(Stream: TStream)", [stream](D *x, H &h) {
        x->LoadFromBytes(stream(h)->ReadAll());
        return Variant();
    });
    declareMember<D>(d, "procedure SaveToFile(const FileName: String)", [](D *x, H &h) {
        saveBytesToFile(h.Params(0).toString(), x->SaveToBytes());
        return Variant();
    });
    declareMember<D>(d, "procedure LoadFromFile(const FileName: String)", [](D *x, H &h) {
        x->LoadFromBytes(loadBytesFromFile(h.Params(0).toString()));
        return Variant();
    });
    declareProp<D>(d, "Root", "TkxXMLItem",
                   [](D *x) { return TkxObjectTable::toVariant(x->Root()); });
}

}   // namespace pgx::script
