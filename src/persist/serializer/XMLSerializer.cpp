// Component trees to elements and back, one-line objects, references.

#include "persist/serializer/XMLSerializer.h"

#include "meta/ClassDescriptor.h"
#include "meta/ClassRegistry.h"
#include "meta/MetaComponent.h"
#include "persist/XMLDocument.h"
#include "persist/XMLEscape.h"
#include "persist/XMLItem.h"
#include "persist/serializer/AttrText.h"
#include "persist/serializer/ValueText.h"
#include "platform/Error.h"

#include <QtCore/QMutex>

#include <algorithm>

namespace pgx {

using namespace persist;

namespace {

// Component trees come from files whose nesting the XML reader already
// bounds; this guards the writer against a tree built deeper in memory.
constexpr int kMaxTreeDepth = 1000;

const QByteArray kInherited = QByteArrayLiteral("inherited");

QByteArray elementName(const MetaComponent *component)
{
    return component->fromAncestor() ? kInherited : describe(component).className.toLatin1();
}

}   // namespace

void TpgxXMLSerializer::addError(const QString &message)
{
    // Sorted without regard to case; a message already there is not repeated.
    const auto less
        = [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; };
    const auto at = std::lower_bound(m_errors.begin(), m_errors.end(), message, less);
    if (at != m_errors.end() && at->compare(message, Qt::CaseInsensitive) == 0)
        return;
    m_errors.insert(at, message);
}

QMutex &TpgxXMLSerializer::loadLock()
{
    static QMutex lock;
    return lock;
}

// ---- writing ---------------------------------------------------------------

void TpgxXMLSerializer::writeTree(MetaComponent *component, bool saveChildren, TpgxXMLItem *item)
{
    if (!m_owner)
        m_owner = component;
    if (item) {
        writeElement(component, *item, item->parent() == nullptr, saveChildren, 0);
        return;
    }
    TpgxXMLDocument document;
    document.setIndented(true);
    writeElement(component, *document.root(), true, saveChildren, 0);
    if (!m_stream)
        throw Error(QStringLiteral("No stream to write to"));
    const TpgxXMLResult result = document.saveToStream(*m_stream);
    if (!result)
        throw Error(result.description());
}

// element -> '<' class-or-"inherited" [Name="..."] properties '>' children '</' ... '>'
// The root's name is never written: a report keeps its own.
void TpgxXMLSerializer::writeElement(MetaComponent *component, TpgxXMLItem &item, bool isRoot,
                                     bool saveChildren, int depth)
{
    if (depth > kMaxTreeDepth)
        throw Error(
            QStringLiteral("Component tree nested deeper than %1 levels").arg(kMaxTreeDepth));
    item.setName(elementName(component));
    QByteArray text;
    if (!isRoot)
        text = "Name=\"" + escapeAttr(encodeAttrText(component->componentName())) + '"';
    text += propsToAttrs(component);
    item.setText(text);
    if (!saveChildren)
        return;
    for (qsizetype i = 0; i < component->childCount(); ++i)
        writeElement(component->childAt(i), *item.add(), false, true, depth + 1);
}

QByteArray TpgxXMLSerializer::objectToLine(MetaComponent *component)
{
    if (!m_owner)
        m_owner = component;
    return describe(component).className.toLatin1() + propsToAttrs(component);
}

void TpgxXMLSerializer::writeObjectLine(MetaComponent *component)
{
    const QByteArray line = '<' + objectToLine(component) + "/>";
    if (!m_stream || m_stream->write(line) != line.size())
        throw Error(QStringLiteral("Cannot write the object %1").arg(component->componentName()));
}

// ---- reading ---------------------------------------------------------------

void TpgxXMLSerializer::readTree(MetaComponent *component, TpgxXMLItem *item)
{
    if (!m_owner)
        m_owner = component;
    TpgxXMLDocument document;
    if (!item) {
        if (!m_stream)
            throw Error(QStringLiteral("No stream to read from"));
        const TpgxXMLResult result = document.loadFromStream(*m_stream);
        if (result.status() == TpgxXMLResult::EndedEarly)
            addError(result.description());
        else if (!result)
            throw Error(result.description());
        item = document.root();
    }
    indexNames();
    m_filled.clear();
    m_nextSuffix.clear();
    m_namesInText.clear();
    m_readRoot = item;
    readElement(*item, component, nullptr, 0);
    finishLoading();
    m_names.clear();
    m_namesIndexed = false;
    m_filled.clear();
    m_nextSuffix.clear();
    m_readRoot = nullptr;
    m_namesInText.clear();
}

void TpgxXMLSerializer::indexNames()
{
    m_names.clear();
    m_namesIndexed = m_owner && m_owner->isReportRoot();
    if (!m_namesIndexed)
        return;
    // Pre-order, without recursion: a child before its own children.
    QList<MetaComponent *> stack{m_owner};
    while (!stack.isEmpty()) {
        MetaComponent *c = stack.takeLast();
        if (c != m_owner)
            rememberName(c);
        for (qsizetype i = c->childCount() - 1; i >= 0; --i)
            stack.append(c->childAt(i));
    }
}

void TpgxXMLSerializer::rememberName(MetaComponent *component)
{
    const QString name = component->componentName();
    if (name.isEmpty())
        return;
    // The first component of a name wins, as in the report's own look-up.
    QPointer<MetaComponent> &slot = m_names[name.toCaseFolded()];
    if (!slot)
        slot = component;
}

// The root element fills `root`; any other element names its component:
// one already owned by Owner (an inherited report's, or one read before) is
// filled again, else a new one of the element's class is made as a child
// of `parent`. An unregistered class skips the whole subtree.
void TpgxXMLSerializer::readElement(const TpgxXMLItem &item, MetaComponent *root,
                                    MetaComponent *parent, int depth)
{
    const QByteArray &name = item.name();
    const bool inherited = sameXmlName(name, kInherited);
    if (!inherited && !ClassRegistry::find(QString::fromLatin1(name))) {
        addError(QStringLiteral("Cannot find class %1").arg(decodeAttrText(name)));
        return;
    }
    MetaComponent *component = root;
    QString renamedTo;
    if (!root) {
        const QString elementName = decodeAttrText(item.prop("Name"));
        component = findOwned(elementName);
        if (component && !inherited && m_filled.contains(component)) {
            renamedTo = freeNameLike(elementName);
            component = nullptr;
        }
        if (!component) {
            if (inherited)
                return;
            try {
                component = ClassRegistry::create(QString::fromLatin1(name), parent);
            } catch (const Error &e) {
                addError(e.message());
                return;
            }
            // A report inside a tree would open a second name scope, and
            // its components could no longer be told apart by name.
            if (component->isReportRoot()) {
                delete component;
                const QString where = parent->componentName();
                addError(QStringLiteral("Cannot insert %1 into %2")
                             .arg(decodeAttrText(name),
                                  where.isEmpty() ? describe(parent).className : where));
                return;
            }
        }
    }
    component->setIsLoading(true);
    m_loaded.append(component);
    if (!root)
        m_filled.insert(component);
    if (!renamedTo.isEmpty()) {
        try {
            component->setComponentName(renamedTo);
            addError(QStringLiteral("Duplicate name \"%1\": the second object was loaded as \"%2\"")
                         .arg(decodeAttrText(item.prop("Name")), renamedTo));
        } catch (const Error &e) {
            addError(e.message());
        }
    }
    attrsToProps(item.text(), component, !renamedTo.isEmpty());
    if (m_namesIndexed && !root)
        rememberName(component);
    // The XML reader bounds the nesting of items, so this recursion is bounded.
    for (int i = 0; i < item.count(); ++i)
        readElement(*item.items(i), nullptr, component, depth + 1);
}

MetaComponent *TpgxXMLSerializer::findOwned(const QString &name) const
{
    if (name.isEmpty() || !m_owner)
        return nullptr;
    // A report owns all of its components; any other owner only those made
    // with it as their owner.
    if (m_namesIndexed) {
        MetaComponent *c = m_names.value(name.toCaseFolded());
        if (c && c->componentName().compare(name, Qt::CaseInsensitive) == 0)
            return c;
        // Components can join the report while it is read: an inherited
        // report's ParentReport attribute loads the parent's objects, which
        // the "inherited" elements that follow must find.
        return m_owner->findComponent(name);
    }
    if (m_owner->isReportRoot())
        return m_owner->findComponent(name);
    for (QObject *child : m_owner->children())
        if (auto *c = qobject_cast<MetaComponent *>(child);
            c && c->componentName().compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

// Name2, Name3 ...: the first that no component of the owner has.
QString TpgxXMLSerializer::freeNameLike(const QString &name)
{
    // Names the elements still to come will take are not free either.
    if (m_namesInText.isEmpty() && m_readRoot) {
        QList<const TpgxXMLItem *> stack{m_readRoot};
        while (!stack.isEmpty()) {
            const TpgxXMLItem *item = stack.takeLast();
            m_namesInText.insert(decodeAttrText(item->prop("Name")).toCaseFolded());
            for (int i = 0; i < item->count(); ++i)
                stack.append(item->items(i));
        }
    }
    int &next = m_nextSuffix[name.toCaseFolded()];
    if (next < 2)
        next = 2;
    for (;; ++next) {
        const QString candidate = name + QString::number(next);
        if (!m_namesInText.contains(candidate.toCaseFolded()) && !findOwned(candidate))
            return candidate;
    }
}

void TpgxXMLSerializer::finishLoading()
{
    fixupReferences();
    const QList<QPointer<MetaComponent>> loaded = std::exchange(m_loaded, {});
    for (const QPointer<MetaComponent> &component : loaded) {
        if (!component)
            continue;
        component->setIsLoading(false);
        if (component->isReportRoot())
            continue;
        try {
            component->loaded();
        } catch (const Error &e) {
            addError(e.message());
        }
    }
}

MetaComponent *TpgxXMLSerializer::lineToObject(MetaComponent *owner, QByteArrayView text,
                                               bool skipReferences)
{
    const auto line = splitObjectLine(text);
    if (!line)
        return nullptr;
    m_owner = owner;
    const QString className = QString::fromLatin1(line->className);
    MetaComponent *component = ClassRegistry::create(className, owner);
    component->setIsLoading(true);
    attrsToProps(line->attrs, component);
    return finishLineObject(component, skipReferences);
}

MetaComponent *TpgxXMLSerializer::lineToObject(MetaComponent *owner, const ParsedObjectLine &line,
                                               bool skipReferences)
{
    if (line.isNull())
        return nullptr;
    m_owner = owner;
    MetaComponent *component = ClassRegistry::create(line.m_className, owner);
    component->setIsLoading(true);
    for (const ParsedObjectLine::Step &step : line.m_steps)
        applyStep(component, step);
    return finishLineObject(component, skipReferences);
}

MetaComponent *TpgxXMLSerializer::finishLineObject(MetaComponent *component, bool skipReferences)
{
    if (skipReferences)
        m_fixups.clear();
    else
        fixupReferences();
    component->setIsLoading(false);
    if (!component->isReportRoot()) {
        try {
            component->loaded();
        } catch (const Error &e) {
            addError(e.message());
        }
    }
    return component;
}

void TpgxXMLSerializer::lineToItem(MetaComponent *owner, QObject *object, QByteArrayView text)
{
    if (owner)
        m_owner = owner;
    attrsToProps(text, object);
    fixupReferences();
}

// ---- references --------------------------------------------------------------

// A name is looked for in the report first, then among the components Owner
// owns and, for a report that has an owner itself, among that owner's. There
// are no host windows here, so a dotted name resolves only inside the report.
MetaComponent *TpgxXMLSerializer::findReference(const QString &name) const
{
    if (!m_owner || name.isEmpty())
        return nullptr;
    if (m_namesIndexed) {
        if (MetaComponent *c = m_names.value(name.toCaseFolded());
            c && c->componentName().compare(name, Qt::CaseInsensitive) == 0)
            return c;
    }
    if (MetaComponent *found = m_owner->findComponent(name))
        return found;
    if (name.contains(QLatin1Char('.')))
        return nullptr;
    auto ownedBy = [&](const QObject *owner) -> MetaComponent * {
        if (!owner)
            return nullptr;
        for (QObject *child : owner->children())
            if (auto *c = qobject_cast<MetaComponent *>(child);
                c && c->componentName().compare(name, Qt::CaseInsensitive) == 0)
                return c;
        return nullptr;
    };
    if (MetaComponent *found = ownedBy(m_owner))
        return found;
    return m_owner->isReportRoot() ? ownedBy(m_owner->parent()) : nullptr;
}

void TpgxXMLSerializer::fixupReferences()
{
    const QList<Fixup> fixups = std::exchange(m_fixups, {});
    for (const Fixup &fixup : fixups) {
        if (!fixup.object)
            continue;
        QObject *target = nullptr;
        // "nil" is what a component of an inherited report writes when it
        // dropped the reference its ancestor has.
        if (fixup.name.compare(QLatin1String("nil"), Qt::CaseInsensitive) != 0) {
            try {
                target = findReference(fixup.name);
            } catch (const std::exception &) {
                addError(QStringLiteral("Missing ") + fixup.name);
                continue;
            }
            // Not found: left unset.
            if (!target)
                continue;
        }
        // A component of a class the property cannot hold is not assigned;
        // a setter that refuses the link (a band's circular Child) is a
        // fault of the content like any other refused value.
        try {
            fixup.property->writeReference(fixup.object, target);
        } catch (const Error &e) {
            addError(e.message());
        }
    }
}

}   // namespace pgx
