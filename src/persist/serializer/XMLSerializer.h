#pragma once

// TpgxXMLSerializer turns a tree of reflected components into XML items and
// back. Every published property is an attribute, every child component a
// child element named after its class; the same rules serve templates, the
// in-memory copies behind Assign and the designer's snapshots, the one-line
// object texts of prepared reports and collection items inside PropData.
//
// Properties are found only through the reflection (meta/ClassDescriptor):
// nothing here names a report class or lists properties by hand. What a
// class stores beyond its properties it offers through SerializerHooks.h.
//
// Reading never throws for faults of the content: they go to Errors (sorted,
// duplicates ignored) and reading goes on. Faults of the XML syntax end the
// read with a pgx::Error the caller turns into a message.

#include "persist/serializer/PropData.h"

#include <QtCore/QByteArray>
#include <QtCore/QHash>
#include <QtCore/QIODevice>
#include <QtCore/QList>
#include <QtCore/QPointer>
#include <QtCore/QSet>
#include <QtCore/QStringList>
#include <QtCore/QVariant>

#include <functional>
#include <optional>
#include <vector>

class QMutex;

namespace pgx {

class MetaComponent;
class PropertyInfo;
class TpgxXMLItem;

// A property's value converted from attribute text; ordinal kinds
// (Booleans, enumerations, sets) carry their ordinal as an int.
struct ConvertedValue
{
    QVariant value;
    bool ordinal = false;
};

// A one-line object text taken apart once against its class, for building
// many objects from it (the pages of a prepared report build every object
// from its source object's description): each attribute's property is found
// and its value converted here, so that building only writes. Whatever
// cannot be settled without the object at hand (references, PropData, string
// lists, names, values that do not convert) stays text and goes the way of
// attrsToProps, faults included.
class ParsedObjectLine
{
public:
    bool isNull() const { return m_className.isEmpty(); }
    const QString &className() const { return m_className; }

private:
    friend class TpgxXMLSerializer;
    enum class StepKind { Skip, Write, MemoText, Attr };
    struct Step
    {
        StepKind kind = StepKind::Attr;
        // The sub-objects from the component to the object written, and
        // that object's class: a built object that differs takes the text way.
        QList<const PropertyInfo *> path;
        const QMetaObject *target = nullptr;
        const PropertyInfo *property = nullptr;
        ConvertedValue value;   // Write
        QString text;           // MemoText
        QByteArray name;
        QByteArray raw;
    };

    QString m_className;
    std::vector<Step> m_steps;
};

class TpgxXMLSerializer
{
public:
    // Given a component's name, the component of the parent report to
    // compare with when writing an inherited report; null when it has none.
    using AncestorLookupFn = std::function<QObject *(const QString &name)>;

    explicit TpgxXMLSerializer(QIODevice *stream = nullptr) : m_stream(stream) { }
    Q_DISABLE_COPY_MOVE(TpgxXMLSerializer)

    QIODevice *stream() const { return m_stream; }

    // Names are looked up in it; set to the component being read or written
    // when the caller gives none.
    MetaComponent *owner() const { return m_owner; }
    void setOwner(MetaComponent *owner) { m_owner = owner; }

    // Every stored property is written, even when it equals its default.
    bool writeAllValues() const { return m_writeAllValues; }
    void setWriteAllValues(bool on) { m_writeAllValues = on; }

    void setAncestorLookup(AncestorLookupFn lookup) { m_ancestorLookup = std::move(lookup); }

    // Messages collected while reading; never raised.
    const QStringList &errors() const { return m_errors; }
    void addError(const QString &message);

    // Builds the element of `component` in `item` (its name, attribute text
    // and, with saveChildren, one child element per child component). With
    // no item, a new indented document is written to the stream. Throws
    // pgx::Error when the stream cannot be written.
    void writeTree(MetaComponent *component, bool saveChildren, TpgxXMLItem *item = nullptr);

    // Reads `component` and its subtree from `item`, or from a document read
    // from the stream when there is none. A document that is not XML of
    // this system throws pgx::Error ("Invalid file format"); one that ends
    // before its elements are closed is read as far as it goes and the
    // early end is added to Errors.
    void readTree(MetaComponent *component, TpgxXMLItem *item = nullptr);

    // The attribute text of an object's stored properties (each attribute
    // with one leading blank), compared with `ancestor` when given.
    QByteArray propsToAttrs(QObject *object, QByteArrayView prefix = {},
                            QObject *ancestor = nullptr);
    // Applies attribute text to an object.
    // `keepName`: a Name attribute is skipped (the object has been named).
    void attrsToProps(QByteArrayView text, QObject *object, bool keepName = false);

    // One-line object text: the class name and PropsToAttrs.
    QByteArray objectToLine(MetaComponent *component);
    // Writes "<" ObjectToLine "/>" to the stream, without header or line end.
    void writeObjectLine(MetaComponent *component);
    // A new component from a one-line text, owned by `owner`; null for an
    // empty or blank text. An unregistered class name throws pgx::Error.
    // With skipReferences, references in the text are dropped unresolved.
    MetaComponent *lineToObject(MetaComponent *owner, QByteArrayView text, bool skipReferences);
    // The same from a line parsed by parseObjectLine: the same object, the
    // same Errors.
    MetaComponent *lineToObject(MetaComponent *owner, const ParsedObjectLine &line,
                                bool skipReferences);
    static ParsedObjectLine parseObjectLine(QByteArrayView text);
    // Applies a one-line attribute text to a non-component object (a
    // collection item) and resolves its references.
    void lineToItem(MetaComponent *owner, QObject *object, QByteArrayView text);

    // Collections inside PropData: a list of items, each a list holding the
    // item's attribute text as a long string.
    void writeCollection(persist::PropDataWriter &writer, QByteArrayView name,
                         const QList<QObject *> &items);
    // Reads either that form or the older collection form: `clear` empties
    // the collection, `add` appends a new item and returns it. References
    // are resolved with the rest of the read.
    void readCollection(const persist::PropValue &value, const std::function<void()> &clear,
                        const std::function<QObject *()> &add);

    // Resolves the pending references now; ReadTree and the one-line
    // readers call it.
    void fixupReferences();

    // Held for a whole template read when the report's thread-safe option
    // is on, so that two reports are never read at once.
    static QMutex &loadLock();

private:
    struct Fixup
    {
        QPointer<QObject> object;
        const PropertyInfo *property;
        QString name;
    };

    QByteArray propsToAttrs(QObject *object, QByteArrayView prefix, QObject *ancestor,
                            QObject *pristine, int depth);
    std::optional<QByteArray> propertyText(QObject *object, const PropertyInfo &p,
                                           QObject *ancestor, QObject *pristine);
    void applyAttr(QObject *object, QByteArrayView name, QByteArrayView raw);
    void applyPlainAttr(QObject *object, QByteArrayView name, QByteArrayView raw);
    void applyPropData(QObject *object, QByteArrayView hex);
    void applyStep(QObject *object, const ParsedObjectLine::Step &step);
    MetaComponent *finishLineObject(MetaComponent *component, bool skipReferences);
    void setFromText(QObject *object, const PropertyInfo &p, QByteArrayView text, bool escaped);
    QByteArray referenceName(const QObject *referenced) const;
    MetaComponent *findReference(const QString &name) const;
    MetaComponent *findOwned(const QString &name) const;
    QString freeNameLike(const QString &name);

    void indexNames();
    void rememberName(MetaComponent *component);
    void writeElement(MetaComponent *component, TpgxXMLItem &item, bool isRoot, bool saveChildren,
                      int depth);
    void readElement(const TpgxXMLItem &item, MetaComponent *root, MetaComponent *parent,
                     int depth);
    void finishLoading();

    QIODevice *m_stream;
    MetaComponent *m_owner = nullptr;
    bool m_writeAllValues = false;
    AncestorLookupFn m_ancestorLookup;
    QStringList m_errors;
    QList<Fixup> m_fixups;
    QList<QPointer<MetaComponent>> m_loaded;
    // While a tree is read into a report: its components by case-folded
    // name, first in tree order winning, as the report's own look-up would
    // answer. Looking names up in it keeps reading linear in the size.
    QHash<QString, QPointer<MetaComponent>> m_names;
    bool m_namesIndexed = false;
    // The components elements of this read have filled: a second element of
    // the same name is a second object, not more of the first.
    QSet<const MetaComponent *> m_filled;
    QHash<QString, int> m_nextSuffix;
    const TpgxXMLItem *m_readRoot = nullptr;
    QSet<QString> m_namesInText;   // case-folded; filled at the first duplicate
};

}   // namespace pgx
