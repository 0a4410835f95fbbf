// Properties to attribute text and back, by the kind the reflection gives
// each published property.

#include "persist/serializer/XMLSerializer.h"

#include "meta/ClassDescriptor.h"
#include "meta/ClassRegistry.h"
#include "meta/MetaComponent.h"
#include "persist/XMLEscape.h"
#include "persist/serializer/AttrText.h"
#include "persist/serializer/SerializerHooks.h"
#include "persist/serializer/ValueText.h"
#include "platform/Error.h"
#include "platform/format/NumberText.h"

#include <QtCore/QHash>
#include <QtCore/QRecursiveMutex>

#include <cmath>
#include <limits>

namespace pgx {

using namespace persist;

namespace {

// Sub-objects nest a few levels (ReportOptions.Description, Frame.LeftLine);
// a deeper chain can only be an ownership cycle.
constexpr int kMaxSubObjectDepth = 16;

// Floats closer than this to the ancestor's value are not written.
constexpr double kAncestorFloatTolerance = 1e-6;

QByteArray escapedText(const QString &text)
{
    return escapeAttr(encodeAttrText(text));
}

QString unescapedText(QByteArrayView raw)
{
    return decodeAttrText(unescapeAttr(raw.toByteArray()));
}

// Memo and string-list text: lines joined by CR LF, one final CR LF dropped.
QString withoutFinalLineBreak(QString text)
{
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    return text;
}

// The integer range a property's C++ type can hold.
bool fitsIntegerProperty(const PropertyInfo &p, qint64 value)
{
    switch (p.property.metaType().id()) {
    case QMetaType::UInt: return value >= 0 && value <= std::numeric_limits<quint32>::max();
    case QMetaType::Short:
        return value >= std::numeric_limits<qint16>::min()
            && value <= std::numeric_limits<qint16>::max();
    case QMetaType::UShort:
    case QMetaType::QChar: return value >= 0 && value <= std::numeric_limits<quint16>::max();
    case QMetaType::Char:
    case QMetaType::SChar: return value >= -128 && value <= 127;
    case QMetaType::UChar: return value >= 0 && value <= 255;
    default:
        return value >= std::numeric_limits<qint32>::min()
            && value <= std::numeric_limits<qint32>::max();
    }
}

QString cannotSetMessage(const PropertyInfo &p)
{
    return QStringLiteral("Cannot assign the property %1").arg(p.name);
}

// Compact names of prepared pages for the four bounds.
const char *boundsProperty(char letter)
{
    switch (letter) {
    case 'l': return "Left";
    case 't': return "Top";
    case 'w': return "Width";
    case 'h': return "Height";
    default: return nullptr;
    }
}

// Where a dotted attribute name leads (attr -> name ('.' name)* '=' value):
// each part but the last must be a published sub-object; where the walk
// stops, the rest of the name (dots included) is taken as one property name
// of the object reached and so matches nothing. `stringList` is set when the
// walk met a string list's ".Text".
struct AttrPlace
{
    QObject *object;
    QByteArrayView name;
    QList<const PropertyInfo *> path;   // the sub-objects passed
    const PropertyInfo *stringList = nullptr;
};

AttrPlace placeOfAttr(QObject *object, QByteArrayView name)
{
    AttrPlace place{object, name, {}};
    for (;;) {
        const qsizetype dot = place.name.indexOf('.');
        if (dot < 0)
            return place;
        const PropertyInfo *p
            = describe(place.object).find(QString::fromLatin1(place.name.first(dot)));
        if (!p)
            return place;
        const QByteArrayView rest = place.name.sliced(dot + 1);
        if (p->kind == PropertyKind::StringList && rest.compare("Text", Qt::CaseInsensitive) == 0) {
            place.stringList = p;
            return place;
        }
        QObject *sub = p->kind == PropertyKind::SubObject ? p->readObject(place.object) : nullptr;
        if (!sub)
            return place;
        place.path.append(p);
        place.object = sub;
        place.name = rest;
    }
}

// The kinds whose attribute text converts to the value written.
bool convertsFromText(PropertyKind kind)
{
    switch (kind) {
    case PropertyKind::Integer:
    case PropertyKind::Boolean:
    case PropertyKind::Enumeration:
    case PropertyKind::Set:
    case PropertyKind::Float:
    case PropertyKind::String:
    case PropertyKind::Event:
    case PropertyKind::Variant: return true;
    case PropertyKind::Reference:
    case PropertyKind::StringList:
    case PropertyKind::Int64:
    case PropertyKind::SubObject:
    case PropertyKind::Unsupported: break;
    }
    return false;
}

// The value an attribute's text gives a property of a kind that converts;
// nullopt when the text is no value of it (conversionFault says why).
std::optional<ConvertedValue> convertedValue(const PropertyInfo &p, QByteArrayView text,
                                             bool escaped)
{
    switch (p.kind) {
    case PropertyKind::Integer: {
        const auto value = parseInteger(text);
        if (!value || !fitsIntegerProperty(p, *value))
            return std::nullopt;
        return ConvertedValue{p.property.metaType().id() == QMetaType::UInt
                                  ? QVariant(quint32(*value))
                                  : QVariant(int(*value)),
                              false};
    }
    case PropertyKind::Boolean:
    case PropertyKind::Enumeration: {
        int ordinal = -1;
        if (const auto number = parseInteger(text))
            ordinal = *number >= 0 && *number < p.enumNames.size() ? int(*number) : -1;
        else
            ordinal = p.ordinalOf(QString::fromLatin1(text).trimmed());
        if (ordinal < 0)
            return std::nullopt;
        return ConvertedValue{ordinal, true};
    }
    case PropertyKind::Set: {
        const auto mask = persist::setFromText(text, int(p.enumNames.size()));
        if (!mask)
            return std::nullopt;
        return ConvertedValue{int(*mask), true};
    }
    case PropertyKind::Float: {
        const auto value = format::parseFileFloat(QString::fromLatin1(text));
        if (!value)
            return std::nullopt;
        return ConvertedValue{*value, false};
    }
    case PropertyKind::String:
    case PropertyKind::Event:
    case PropertyKind::Variant:
        return ConvertedValue{escaped ? unescapedText(text) : decodeAttrText(text), false};
    case PropertyKind::Reference:
    case PropertyKind::StringList:
    case PropertyKind::Int64:
    case PropertyKind::SubObject:
    case PropertyKind::Unsupported: break;
    }
    return std::nullopt;
}

QString conversionFault(const PropertyInfo &p, QByteArrayView text)
{
    switch (p.kind) {
    case PropertyKind::Boolean:
    case PropertyKind::Enumeration: return invalidEnumMessage(text, p.typeName.toLatin1());
    case PropertyKind::Float: return invalidFloatMessage(text);
    default: return invalidIntegerMessage(text);
    }
}

bool writeConverted(QObject *object, const PropertyInfo &p, const ConvertedValue &converted)
{
    return converted.ordinal ? p.writeOrdinal(object, converted.value.toInt())
                             : p.write(object, converted.value);
}

// One object of each component class as a new one starts, made on first
// use and kept for the life of the process (the table is never destroyed,
// so no component is torn down after the application). Null for a class
// that cannot be created by name.
QObject *pristineInstance(const QMetaObject *metaObject)
{
    static QRecursiveMutex mutex;
    static auto *instances = new QHash<const QMetaObject *, QObject *>;
    QMutexLocker lock(&mutex);
    if (auto it = instances->constFind(metaObject); it != instances->cend())
        return *it;
    QObject *instance = nullptr;
    const ClassDescriptor *d = ClassRegistry::find(describe(metaObject).className);
    if (d && d->factory && d->metaObject == metaObject) {
        try {
            instance = d->factory(nullptr);
        } catch (const std::exception &) {
            instance = nullptr;
        }
    }
    instances->insert(metaObject, instance);
    return instance;
}

}   // namespace

QByteArray TpgxXMLSerializer::propsToAttrs(QObject *object, QByteArrayView prefix,
                                           QObject *ancestor)
{
    return propsToAttrs(object, prefix, ancestor, nullptr, 0);
}

// `pristine` is an object of the same class as a new one starts, when known:
// see propertyText for why empty strings need it.
QByteArray TpgxXMLSerializer::propsToAttrs(QObject *object, QByteArrayView prefix,
                                           QObject *ancestor, QObject *pristine, int depth)
{
    if (!object || depth > kMaxSubObjectDepth)
        return {};
    auto *component = qobject_cast<MetaComponent *>(object);

    // Collections inside a component look at this mark to choose their form.
    struct WritingMark
    {
        MetaComponent *c;
        bool was;
        explicit WritingMark(MetaComponent *c) : c(c), was(c && c->isWriting())
        {
            if (c)
                c->setIsWriting(true);
        }
        ~WritingMark()
        {
            if (c)
                c->setIsWriting(was);
        }
    } mark(component);

    if (!ancestor && component && m_ancestorLookup)
        ancestor = m_ancestorLookup(component->componentName());
    // Properties are read through this class's descriptor: compare only
    // with an object of the same class (or a subclass).
    if (ancestor && !ancestor->metaObject()->inherits(object->metaObject()))
        ancestor = nullptr;
    if (!pristine && component)
        pristine = pristineInstance(component->metaObject());

    QByteArray text;
    const ClassDescriptor &d = describe(object);
    for (const PropertyInfo &p : d.properties) {
        // The name is the element's business (WriteTree), never a property.
        if (component && p.name == QLatin1String("Name"))
            continue;
        if (!p.isStored(object))
            continue;
        if (p.kind == PropertyKind::SubObject) {
            QObject *sub = p.readObject(object);
            QObject *ancestorSub = ancestor ? p.readObject(ancestor) : nullptr;
            QObject *pristineSub = pristine ? p.readObject(pristine) : nullptr;
            const QByteArray subPrefix = prefix.toByteArray() + p.name.toLatin1() + '.';
            text += propsToAttrs(sub, subPrefix, ancestorSub, pristineSub, depth + 1);
            continue;
        }
        const std::optional<QByteArray> value = propertyText(object, p, ancestor, pristine);
        if (!value)
            continue;
        if (p.kind == PropertyKind::StringList)
            appendAttr(text, prefix, p.name.toLatin1() + ".Text", *value);
        else
            appendAttr(text, prefix, p.name.toLatin1(), *value);
    }

    if (auto *memo = dynamic_cast<TpgxMemoContent *>(object)) {
        const QString memoText = memo->memoText();
        auto *ancestorMemo = dynamic_cast<TpgxMemoContent *>(ancestor);
        if (!ancestorMemo || ancestorMemo->memoText() != memoText)
            appendAttr(text, {}, "Text", escapedText(withoutFinalLineBreak(memoText)));
    }

    if (auto *defined = dynamic_cast<TpgxDefinedProperties *>(object)) {
        PropDataWriter writer;
        defined->writeDefinedProperties(writer, *this);
        if (!writer.isEmpty()) {
            bool differs = true;
            if (auto *ancestorDefined = dynamic_cast<TpgxDefinedProperties *>(ancestor)) {
                PropDataWriter ancestorWriter;
                ancestorDefined->writeDefinedProperties(ancestorWriter, *this);
                differs = propDataCrc32(writer.data()) != propDataCrc32(ancestorWriter.data());
            }
            if (differs)
                appendAttr(text, prefix, "PropData", propDataToHex(writer.data()));
        }
    }
    return text;
}

// The attribute value of one property; nullopt when it is not written.
// An empty text is written for string lists (always present unless equal to
// the ancestor's), with WriteAllValues for strings and unset references (a
// copy made by Assign must clear what the source has empty, not keep the
// target's old value), and for an empty string where the reader would
// otherwise keep a text: the ancestor's, or the one a new object starts
// with (a printer name emptied by the user must not come back as
// "Default" after saving and loading).
std::optional<QByteArray> TpgxXMLSerializer::propertyText(QObject *object, const PropertyInfo &p,
                                                          QObject *ancestor, QObject *pristine)
{
    const auto nonEmpty = [](QByteArray text) -> std::optional<QByteArray> {
        if (text.isEmpty())
            return std::nullopt;
        return text;
    };
    switch (p.kind) {
    case PropertyKind::Integer:
    case PropertyKind::Boolean:
    case PropertyKind::Enumeration:
    case PropertyKind::Set: {
        const int value = p.readOrdinal(object);
        if (!m_writeAllValues) {
            // Without ancestor a property lacking a declared default always
            // differs from it.
            if (ancestor ? p.readOrdinal(ancestor) == value
                         : p.hasDefault() && p.defaultValue.toInt() == value)
                return std::nullopt;
        }
        if (p.kind == PropertyKind::Integer) {
            const QVariant v = p.read(object);
            return p.property.metaType().id() == QMetaType::UInt ? QByteArray::number(v.toUInt())
                                                                 : QByteArray::number(value);
        }
        if (p.kind == PropertyKind::Set)
            return setToText(quint32(value));
        const QStringList &names = p.enumNames;
        return value >= 0 && value < names.size() ? names[value].toLatin1()
                                                  : QByteArray::number(value);
    }
    case PropertyKind::Float: {
        const double value = p.read(object).toDouble();
        if (ancestor && !m_writeAllValues
            && std::abs(value - p.read(ancestor).toDouble()) < kAncestorFloatTolerance)
            return std::nullopt;
        return format::fileFloatText(value).toLatin1();
    }
    case PropertyKind::String:
    case PropertyKind::Event: {
        const QString value = p.read(object).toString();
        if (m_writeAllValues)
            return escapedText(value);
        if (ancestor && p.read(ancestor).toString() == value)
            return std::nullopt;
        if (!value.isEmpty() || ancestor)
            return escapedText(value);
        if (pristine && !p.read(pristine).toString().isEmpty())
            return QByteArray("");
        return std::nullopt;
    }
    case PropertyKind::Variant: {
        const QVariant value = p.read(object);
        if (ancestor && p.read(ancestor) == value)
            return std::nullopt;
        return nonEmpty(variantToText(value));
    }
    case PropertyKind::Reference: {
        const QObject *referenced = p.readObject(object);
        const QObject *inherited = ancestor ? p.readObject(ancestor) : nullptr;
        if (!referenced)
            return inherited || m_writeAllValues ? std::optional(QByteArrayLiteral("nil"))
                                                 : std::nullopt;
        if (inherited && qobject_cast<const MetaComponent *>(inherited)
            && qobject_cast<const MetaComponent *>(referenced)
            && static_cast<const MetaComponent *>(inherited)->componentName().compare(
                   static_cast<const MetaComponent *>(referenced)->componentName(),
                   Qt::CaseInsensitive)
                == 0)
            return std::nullopt;
        return nonEmpty(referenceName(referenced));
    }
    case PropertyKind::StringList: {
        const QString value = p.read(object).toStringList().join(QLatin1String("\r\n"));
        if (ancestor && p.read(ancestor).toStringList().join(QLatin1String("\r\n")) == value)
            return std::nullopt;
        return escapedText(value);
    }
    case PropertyKind::Int64:
    case PropertyKind::SubObject:
    case PropertyKind::Unsupported: break;
    }
    return std::nullopt;
}

// A referenced component is written by its plain name when it belongs to the
// tree being written (or has no owner at all). This system has no host
// windows or data modules, so any other component has no full name and the
// reference is left out.
QByteArray TpgxXMLSerializer::referenceName(const QObject *referenced) const
{
    const auto *component = qobject_cast<const MetaComponent *>(referenced);
    if (!component)
        return {};
    const QString name = component->componentName();
    if (name.isEmpty())
        return {};
    bool reachable = component == m_owner || !component->parent();
    if (!reachable && m_owner) {
        const QObject *registryOwner = component->parent();
        reachable = registryOwner == m_owner || registryOwner == m_owner->parent()
            || m_owner->findComponent(name) == component;
    }
    return reachable ? escapedText(name) : QByteArray();
}

void TpgxXMLSerializer::attrsToProps(QByteArrayView text, QObject *object, bool keepName)
{
    if (!object)
        return;
    AttrScanner scanner(text);
    AttrPair pair;
    while (scanner.next(pair))
        if (!keepName || pair.name.compare("Name", Qt::CaseInsensitive) != 0)
            applyAttr(object, pair.name, pair.value);
}

void TpgxXMLSerializer::applyAttr(QObject *object, QByteArrayView name, QByteArrayView raw)
{
    try {
        const AttrPlace place = placeOfAttr(object, name);
        if (const PropertyInfo *p = place.stringList) {
            if (p->isWritable()) {
                const QString text = unescapedText(raw);
                QStringList lines = text.split(QLatin1String("\r\n"));
                if (text.isEmpty())
                    lines.clear();
                if (!p->write(place.object, lines))
                    addError(cannotSetMessage(*p));
            }
            return;
        }
        applyPlainAttr(place.object, place.name, raw);
    } catch (const Error &e) {
        addError(e.message());
    } catch (const std::exception &e) {
        addError(QString::fromUtf8(e.what()));
    }
}

void TpgxXMLSerializer::applyPlainAttr(QObject *object, QByteArrayView name, QByteArrayView raw)
{
    auto *memo = dynamic_cast<TpgxMemoContent *>(object);
    if (name.size() == 1) {
        const char letter = name.front();
        if (const char *bounds = boundsProperty(letter)) {
            if (const PropertyInfo *p = describe(object).find(QString::fromLatin1(bounds)))
                if (p->isWritable())
                    setFromText(object, *p, raw, false);
            return;
        }
        if (letter == 'u' || letter == 'x') {
            // "u" holds UTF-8, "x" 8-bit text; decodeAttrText takes both.
            if (memo)
                memo->setMemoText(unescapedText(raw));
            return;
        }
    }
    if (memo && name.compare("Text", Qt::CaseInsensitive) == 0) {
        memo->setMemoText(unescapedText(raw));
        return;
    }
    if (name.compare("PropData", Qt::CaseInsensitive) == 0) {
        applyPropData(object, raw);
        return;
    }
    if (auto *component = qobject_cast<MetaComponent *>(object);
        component && name.compare("Name", Qt::CaseInsensitive) == 0) {
        // A report keeps its own name.
        if (!component->isReportRoot())
            component->setComponentName(unescapedText(raw));
        return;
    }
    const PropertyInfo *p = describe(object).find(QString::fromLatin1(name));
    if (p && p->isWritable())
        setFromText(object, *p, raw, true);
}

// Decoding or parsing faults of PropData are reported, not ignored: the user
// must learn that the data-set list or a picture did not load.
void TpgxXMLSerializer::applyPropData(QObject *object, QByteArrayView hex)
{
    auto *defined = dynamic_cast<TpgxDefinedProperties *>(object);
    if (!defined)
        return;
    QString owner = qobject_cast<MetaComponent *>(object)
        ? static_cast<MetaComponent *>(object)->componentName()
        : QString();
    if (owner.isEmpty())
        owner = describe(object).className;
    const auto bytes = propDataFromHex(hex);
    if (!bytes) {
        addError(QStringLiteral("Invalid PropData of %1: not hexadecimal digits").arg(owner));
        return;
    }
    const PropDataParseResult parsed = parsePropData(*bytes);
    for (const PropEntry &entry : parsed.entries) {
        try {
            defined->readDefinedProperty(entry, *this);
        } catch (const Error &e) {
            addError(e.message());
        }
    }
    if (!parsed.ok())
        addError(QStringLiteral("Invalid PropData of %1: %2").arg(owner, parsed.error));
}

void TpgxXMLSerializer::setFromText(QObject *object, const PropertyInfo &p, QByteArrayView text,
                                    bool escaped)
{
    if (p.kind == PropertyKind::Reference) {
        const QString name = escaped ? unescapedText(text) : decodeAttrText(text);
        m_fixups.append({object, &p, name});
        return;
    }
    if (!convertsFromText(p.kind))
        return;
    const auto converted = convertedValue(p, text, escaped);
    if (!converted) {
        addError(conversionFault(p, text));
        return;
    }
    if (!writeConverted(object, p, *converted))
        addError(cannotSetMessage(p));
}

void TpgxXMLSerializer::writeCollection(PropDataWriter &writer, QByteArrayView name,
                                        const QList<QObject *> &items)
{
    writer.writeName(name);
    writer.writeListBegin();
    for (QObject *item : items) {
        writer.writeListBegin();
        writer.writeLongString(propsToAttrs(item));
        writer.writeListEnd();
    }
    writer.writeListEnd();
}

void TpgxXMLSerializer::readCollection(const PropValue &value, const std::function<void()> &clear,
                                       const std::function<QObject *()> &add)
{
    if (value.type == PropValueType::List) {
        clear();
        for (const PropValue &item : value.items) {
            // Each item is a list holding its attribute text.
            const PropValue *text = nullptr;
            if (item.type == PropValueType::List)
                for (const PropValue &part : item.items)
                    if (part.isString()) {
                        text = &part;
                        break;
                    }
            if (!text) {
                addError(QStringLiteral("Invalid PropData: a collection item holds no text"));
                continue;
            }
            attrsToProps(text->bytes, add());
        }
        return;
    }
    if (value.type == PropValueType::Collection) {
        // The older form: each item's properties typed one by one; their
        // text forms go through the same conversions as attributes.
        clear();
        for (const PropCollectionItem &item : value.collection) {
            QObject *object = add();
            if (!object)
                continue;
            for (const PropEntry &property : item.properties) {
                const PropertyInfo *p = describe(object).find(QString::fromLatin1(property.name));
                if (!p || !p->isWritable() || property.value.type == PropValueType::List
                    || property.value.type == PropValueType::Collection)
                    continue;
                QByteArray text = property.value.toText();
                if (property.value.type == PropValueType::Set) {
                    // Sets stand there as element names; unknown ones are dropped.
                    quint32 mask = 0;
                    for (const PropValue &element : property.value.items)
                        if (const int bit
                            = p->enumNames.indexOf(QString::fromLatin1(element.bytes));
                            bit >= 0 && bit < 32)
                            mask |= 1u << bit;
                    text = setToText(mask);
                }
                setFromText(object, *p, text, false);
            }
        }
        return;
    }
    addError(QStringLiteral("Invalid PropData: a collection of an unknown form"));
}

// ---- parsed one-line texts ---------------------------------------------------

// The walk of applyAttr and the choices of applyPlainAttr and setFromText,
// made once on an object of the class as a new one starts: the steps they
// would take on any object of it. An attribute whose way depends on more
// than the class stays text (StepKind::Attr); one that would do nothing is
// skipped.
ParsedObjectLine TpgxXMLSerializer::parseObjectLine(QByteArrayView text)
{
    using StepKind = ParsedObjectLine::StepKind;
    ParsedObjectLine parsed;
    const auto line = splitObjectLine(text);
    if (!line)
        return parsed;
    parsed.m_className = QString::fromLatin1(line->className);
    const ClassDescriptor *d = ClassRegistry::find(parsed.m_className);
    QObject *instance = d && d->metaObject ? pristineInstance(d->metaObject) : nullptr;

    const auto parseStep = [instance](ParsedObjectLine::Step &s) {
        if (!instance)
            return;
        const AttrPlace place = placeOfAttr(instance, s.name);
        if (place.stringList)
            return;
        s.path = place.path;
        s.target = place.object->metaObject();
        const QByteArrayView name = place.name;
        const bool memo = dynamic_cast<TpgxMemoContent *>(place.object) != nullptr;
        const PropertyInfo *p = nullptr;
        bool escaped = true;
        s.kind = StepKind::Skip;
        if (name.size() == 1) {
            const char letter = name.front();
            if (const char *bounds = boundsProperty(letter)) {
                p = describe(place.object).find(QString::fromLatin1(bounds));
                if (!p || !p->isWritable())
                    return;
                escaped = false;
            } else if (letter == 'u' || letter == 'x') {
                if (memo) {
                    s.kind = StepKind::MemoText;
                    s.text = unescapedText(s.raw);
                }
                return;
            }
        }
        if (!p) {
            if (memo && name.compare("Text", Qt::CaseInsensitive) == 0) {
                s.kind = StepKind::MemoText;
                s.text = unescapedText(s.raw);
                return;
            }
            if (name.compare("PropData", Qt::CaseInsensitive) == 0
                || (qobject_cast<MetaComponent *>(place.object)
                    && name.compare("Name", Qt::CaseInsensitive) == 0)) {
                s.kind = StepKind::Attr;
                return;
            }
            p = describe(place.object).find(QString::fromLatin1(name));
            if (!p || !p->isWritable())
                return;
        }
        s.property = p;
        if (p->kind == PropertyKind::Reference) {
            s.kind = StepKind::Attr;
            return;
        }
        if (!convertsFromText(p->kind))
            return;
        // A value that does not convert stays text, so that building
        // reports it as reading the text would.
        const auto converted = convertedValue(*p, s.raw, escaped);
        s.kind = converted ? StepKind::Write : StepKind::Attr;
        if (converted)
            s.value = *converted;
    };

    AttrScanner scanner(line->attrs);
    AttrPair pair;
    while (scanner.next(pair)) {
        ParsedObjectLine::Step s;
        s.name = pair.name.toByteArray();
        s.raw = pair.value.toByteArray();
        try {
            parseStep(s);
        } catch (const std::exception &) {
            // Whatever threw while parsing throws again, and is reported,
            // when the text is applied.
            s.kind = StepKind::Attr;
        }
        parsed.m_steps.push_back(std::move(s));
    }
    return parsed;
}

void TpgxXMLSerializer::applyStep(QObject *object, const ParsedObjectLine::Step &step)
{
    using StepKind = ParsedObjectLine::StepKind;
    if (step.kind == StepKind::Skip)
        return;
    QObject *current = object;
    for (const PropertyInfo *p : step.path) {
        current = p->readObject(current);
        if (!current)
            break;
    }
    if (step.kind == StepKind::Attr || !current || current->metaObject() != step.target) {
        applyAttr(object, step.name, step.raw);
        return;
    }
    try {
        if (step.kind == StepKind::MemoText) {
            if (auto *memo = dynamic_cast<TpgxMemoContent *>(current))
                memo->setMemoText(step.text);
        } else if (!writeConverted(current, *step.property, step.value)) {
            addError(cannotSetMessage(*step.property));
        }
    } catch (const Error &e) {
        addError(e.message());
    } catch (const std::exception &e) {
        addError(QString::fromUtf8(e.what()));
    }
}

}   // namespace pgx
