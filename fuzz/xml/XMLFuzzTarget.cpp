#include "XMLFuzzTarget.h"

#include "persist/XMLDocument.h"
#include "persist/XMLEscape.h"
#include "platform/format/NumberText.h"

#include <QtCore/QBuffer>

#include <cstdio>
#include <cstdlib>

namespace pgx::fuzz {

namespace {

void check(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "XML fuzz property broken: %s\n", what);
        std::abort();
    }
}

QByteArray save(TpgxXMLDocument &doc)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    check(bool(doc.saveToStream(out)), "saving to memory fails");
    return out.data();
}

TpgxXMLResult load(TpgxXMLDocument &doc, const QByteArray &text, bool partial)
{
    auto in = std::make_unique<QBuffer>();
    in->setData(text);
    in->open(QIODevice::ReadOnly);
    return doc.loadFromStream(std::move(in), partial);
}

bool hasMarker(const QByteArray &text)
{
    return text.toLower().contains(" ld=\"0\"");
}

// The writer cannot say everything the reader accepts: a name or text that
// ends in '/' reads back as "complete", a second ld="0" in one tag is a
// marker the next time, a text that begins with a blank is written without
// a separator of its own (the serializer's texts begin so), which the
// reader takes as the separator, and the reader drops a blank that ends a
// start tag. Byte-identity is checked for the rest.
bool writable(const TpgxXMLItem &item)
{
    if (item.name().endsWith('/') || item.text().endsWith('/') || item.text().startsWith(' ')
        || (item.text().endsWith(' ') && (item.count() > 0 || !item.inMemory()))
        || hasMarker(item.text()))
        return false;
    for (int i = 0; i < item.count(); ++i)
        if (!writable(*item.items(i)))
            return false;
    return true;
}

void fuzzEscaping(const QByteArray &s)
{
    const QByteArray escaped = escapeAttr(s);
    check(!escaped.contains('"') && !escaped.contains('<') && !escaped.contains('>')
              && !escaped.contains('\n'),
          "EscapeAttr leaves a special character");
    if (!s.contains("&quot;"))
        check(unescapeAttr(escaped) == s, "UnescapeAttr(EscapeAttr(s)) != s");
    unescapeAttr(s);

    const QString f
        = format::fileFloatText(format::parseFileFloat(QString::fromLatin1(s)).value_or(0));
    const std::optional<double> back = format::parseFileFloat(f);
    check(back && format::fileFloatText(*back) == f, "file floats do not read back");
}

void fuzzProps(TpgxXMLItem &item, const QByteArray &name, const QByteArray &value)
{
    item.setProp(name, value);
    if (!name.contains(' ') && !name.contains('"') && !name.contains('=')) {
        const QByteArray want = value.contains("&quot;") ? unescapeAttr(escapeAttr(value)) : value;
        check(item.prop(name) == want, "Prop does not return what SetProp set");
    }
}

void fuzzSwapping(TpgxXMLDocument &doc)
{
    TpgxXMLItem *root = doc.root();
    if (root->count() == 0 || !writable(*root))
        return;
    for (int i = 0; i < root->count(); ++i)
        root->items(i)->setSwappable(true);
    const QByteArray marked = save(doc);
    for (int i = 0; i < root->count(); i += 2)
        check(bool(doc.swapOut(root->items(i))), "SwapOut fails");
    check(save(doc) == marked, "saving with items swapped out changes the text");
    for (int i = 0; i < root->count(); ++i)
        check(bool(doc.swapIn(root->items(i))), "SwapIn fails");
    check(save(doc) == marked, "SwapOut and SwapIn change the text");
}

QByteArray structure(const TpgxXMLItem &item)
{
    QByteArray out = item.name() + '(' + item.text() + "){";
    for (int i = 0; i < item.count(); ++i)
        out += structure(*item.items(i)) + ',';
    return out + '}';
}

// Items swapped out inside items that are swapped out afterwards: both go
// through the one temporary file, and everything comes back.
void fuzzNestedSwapping(TpgxXMLDocument &doc)
{
    TpgxXMLItem *root = doc.root();
    if (!writable(*root))
        return;
    const QByteArray before = structure(*root);
    for (int i = 0; i < root->count(); ++i) {
        TpgxXMLItem *child = root->items(i);
        child->setSwappable(true);
        for (int j = 0; j < child->count(); ++j) {
            child->items(j)->setSwappable(true);
            check(bool(doc.swapOut(child->items(j))), "SwapOut of a nested item fails");
        }
    }
    for (int i = root->count() - 1; i >= 0; --i)
        check(bool(doc.swapOut(root->items(i))), "SwapOut over nested unloaded items fails");
    for (int i = 0; i < root->count(); ++i)
        check(bool(doc.swapIn(root->items(i))), "SwapIn of an item with nested ones fails");
    check(structure(*root) == before, "nested swapping changes the tree");
}

// Brings every unloaded item back and lists the swappable ones in tree order.
void swapInAll(TpgxXMLDocument &doc, TpgxXMLItem *item, QList<TpgxXMLItem *> &swappable)
{
    const TpgxXMLResult in = doc.swapIn(item);
    check(in.status() != TpgxXMLResult::InvalidFormat && in.status() != TpgxXMLResult::IOError,
          "an item left unloaded does not read back");
    if (item->swappable())
        swappable.append(item);
    for (int i = 0; i < item->count(); ++i)
        swapInAll(doc, item->items(i), swappable);
}

}   // namespace

void fuzzXmlDocument(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    fuzzEscaping(input.left(256));

    for (bool indented : {false, true}) {
        TpgxXMLDocument doc;
        doc.setIndented(indented);
        const TpgxXMLResult loaded = load(doc, input, false);
        if (loaded.status() == TpgxXMLResult::InvalidFormat) {
            check(doc.root()->count() == 0 && doc.root()->name().isEmpty(),
                  "a failed load leaves items");
            return;
        }
        check(loaded.status() != TpgxXMLResult::IOError, "reading memory fails");

        const QByteArray first = save(doc);
        TpgxXMLDocument again;
        again.setIndented(indented);
        const TpgxXMLResult reloaded = load(again, first, false);
        if (writable(*doc.root())) {
            check(reloaded.status() != TpgxXMLResult::InvalidFormat,
                  "what the writer wrote does not read");
            check(bool(reloaded) == !doc.root()->name().isEmpty(),
                  "a written document reads as ended early");
            check(save(again) == first, "save-load-save is not byte-identical");
        }

        if (doc.root()->count() > 0) {
            TpgxXMLItem *child = doc.root()->items(0);
            fuzzProps(*child, child->name(), input.right(16));
        }
        if (!indented)
            fuzzSwapping(again);
        else
            fuzzNestedSwapping(doc);
    }

    // Partial loading: unloaded items come back whole when written.
    TpgxXMLDocument partial;
    if (load(partial, input, true).status() == TpgxXMLResult::InvalidFormat)
        return;
    const QByteArray written = save(partial);
    QList<TpgxXMLItem *> swappable;
    swapInAll(partial, partial.root(), swappable);
    const bool exact = writable(*partial.root());
    if (exact) {
        TpgxXMLDocument full;
        check(load(full, written, false).status() != TpgxXMLResult::InvalidFormat,
              "a partially loaded document writes what does not read");
    }
    // Deepest first, so that every one of them goes through the store.
    for (qsizetype i = swappable.size() - 1; i >= 0; --i)
        check(bool(partial.swapOut(swappable[i])), "SwapOut after a partial load fails");
    if (exact)
        check(save(partial) == written, "swapping after a partial load changes the text");
}

}   // namespace pgx::fuzz
