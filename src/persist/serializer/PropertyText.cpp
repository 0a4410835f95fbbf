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

// attr -> name ('.' name)* '=' value: each part but the last must be a
// published sub-object; where the walk stops, the rest of the name (dots
// included) is taken as one property name and so matches nothing.
void TpgxXMLSerializer::applyAttr(QObject *object, QByteArrayView name, QByteArrayView raw)
{
    try {
        QObject *current = object;
        for (;;) {
            const qsizetype dot = name.indexOf('.');
            if (dot < 0)
                break;
            const PropertyInfo *p = describe(current).find(QString::fromLatin1(name.first(dot)));
            if (!p)
                break;
            const QByteArrayView rest = name.sliced(dot + 1);
            if (p->kind == PropertyKind::StringList
                && rest.compare("Text", Qt::CaseInsensitive) == 0) {
                if (p->isWritable()) {
                    const QString text = unescapedText(raw);
                    QStringList lines = text.split(QLatin1String("\r\n"));
                    if (text.isEmpty())
                        lines.clear();
                    if (!p->write(current, lines))
                        addError(cannotSetMessage(*p));
                }
                return;
            }
            QObject *sub = p->kind == PropertyKind::SubObject ? p->readObject(current) : nullptr;
            if (!sub)
                break;
            current = sub;
            name = rest;
        }
        applyPlainAttr(current, name, raw);
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
    bool written = true;
    switch (p.kind) {
    case PropertyKind::Integer: {
        const auto value = parseInteger(text);
        if (!value || !fitsIntegerProperty(p, *value)) {
            addError(invalidIntegerMessage(text));
            return;
        }
        written = p.write(object,
                          p.property.metaType().id() == QMetaType::UInt ? QVariant(quint32(*value))
                                                                        : QVariant(int(*value)));
        break;
    }
    case PropertyKind::Boolean:
    case PropertyKind::Enumeration: {
        int ordinal = -1;
        if (const auto number = parseInteger(text))
            ordinal = *number >= 0 && *number < p.enumNames.size() ? int(*number) : -1;
        else
            ordinal = p.ordinalOf(QString::fromLatin1(text).trimmed());
        if (ordinal < 0) {
            addError(invalidEnumMessage(text, p.typeName.toLatin1()));
            return;
        }
        written = p.writeOrdinal(object, ordinal);
        break;
    }
    case PropertyKind::Set: {
        const auto mask = persist::setFromText(text, int(p.enumNames.size()));
        if (!mask) {
            addError(invalidIntegerMessage(text));
            return;
        }
        written = p.writeOrdinal(object, int(*mask));
        break;
    }
    case PropertyKind::Float: {
        const auto value = format::parseFileFloat(QString::fromLatin1(text));
        if (!value) {
            addError(invalidFloatMessage(text));
            return;
        }
        written = p.write(object, *value);
        break;
    }
    case PropertyKind::String:
    case PropertyKind::Event:
    case PropertyKind::Variant: {
        const QString value = escaped ? unescapedText(text) : decodeAttrText(text);
        written = p.write(object, value);
        break;
    }
    case PropertyKind::Reference: {
        const QString name = escaped ? unescapedText(text) : decodeAttrText(text);
        m_fixups.append({object, &p, name});
        return;
    }
    case PropertyKind::StringList:
    case PropertyKind::Int64:
    case PropertyKind::SubObject:
    case PropertyKind::Unsupported: return;
    }
    if (!written)
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

    const auto parseStep = [instance](QByteArrayView name, QByteArrayView raw) {
        ParsedObjectLine::Step s;
        s.name = name.toByteArray();
        s.raw = raw.toByteArray();
        if (!instance)
            return s;
        QObject *current = instance;
        for (;;) {
            const qsizetype dot = name.indexOf('.');
            if (dot < 0)
                break;
            const PropertyInfo *p = describe(current).find(QString::fromLatin1(name.first(dot)));
            if (!p)
                break;
            if (p->kind == PropertyKind::StringList)
                return s;
            QObject *sub = p->kind == PropertyKind::SubObject ? p->readObject(current) : nullptr;
            if (!sub)
                break;
            s.path.append(p);
            current = sub;
            name = name.sliced(dot + 1);
        }
        s.target = current->metaObject();
        const bool memo = dynamic_cast<TpgxMemoContent *>(current) != nullptr;
        const PropertyInfo *p = nullptr;
        bool escaped = true;
        s.kind = StepKind::Skip;
        if (name.size() == 1) {
            const char letter = name.front();
            if (const char *bounds = boundsProperty(letter)) {
                p = describe(current).find(QString::fromLatin1(bounds));
                if (!p || !p->isWritable())
                    return s;
                escaped = false;
            } else if (letter == 'u' || letter == 'x') {
                if (memo) {
                    s.kind = StepKind::MemoText;
                    s.text = unescapedText(raw);
                }
                return s;
            }
        }
        if (!p) {
            if (memo && name.compare("Text", Qt::CaseInsensitive) == 0) {
                s.kind = StepKind::MemoText;
                s.text = unescapedText(raw);
                return s;
            }
            if (name.compare("PropData", Qt::CaseInsensitive) == 0
                || (qobject_cast<MetaComponent *>(current)
                    && name.compare("Name", Qt::CaseInsensitive) == 0)) {
                s.kind = StepKind::Attr;
                return s;
            }
            p = describe(current).find(QString::fromLatin1(name));
            if (!p || !p->isWritable())
                return s;
        }
        s.property = p;
        // Values that do not convert stay text, so that building reports
        // them as reading the text would.
        s.kind = StepKind::Attr;
        switch (p->kind) {
        case PropertyKind::Integer: {
            const auto value = parseInteger(raw);
            if (!value || !fitsIntegerProperty(*p, *value))
                return s;
            s.value = p->property.metaType().id() == QMetaType::UInt ? QVariant(quint32(*value))
                                                                     : QVariant(int(*value));
            s.kind = StepKind::Write;
            return s;
        }
        case PropertyKind::Boolean:
        case PropertyKind::Enumeration: {
            int ordinal = -1;
            if (const auto number = parseInteger(raw))
                ordinal = *number >= 0 && *number < p->enumNames.size() ? int(*number) : -1;
            else
                ordinal = p->ordinalOf(QString::fromLatin1(raw).trimmed());
            if (ordinal < 0)
                return s;
            s.ordinal = ordinal;
            s.kind = StepKind::WriteOrdinal;
            return s;
        }
        case PropertyKind::Set: {
            const auto mask = persist::setFromText(raw, int(p->enumNames.size()));
            if (!mask)
                return s;
            s.ordinal = int(*mask);
            s.kind = StepKind::WriteOrdinal;
            return s;
        }
        case PropertyKind::Float: {
            const auto value = format::parseFileFloat(QString::fromLatin1(raw));
            if (!value)
                return s;
            s.value = *value;
            s.kind = StepKind::Write;
            return s;
        }
        case PropertyKind::String:
        case PropertyKind::Event:
        case PropertyKind::Variant:
            s.value = escaped ? unescapedText(raw) : decodeAttrText(raw);
            s.kind = StepKind::Write;
            return s;
        case PropertyKind::Reference: return s;
        case PropertyKind::StringList:
        case PropertyKind::Int64:
        case PropertyKind::SubObject:
        case PropertyKind::Unsupported: break;
        }
        s.kind = StepKind::Skip;
        return s;
    };

    AttrScanner scanner(line->attrs);
    AttrPair pair;
    while (scanner.next(pair)) {
        try {
            parsed.m_steps.push_back(parseStep(pair.name, pair.value));
        } catch (const std::exception &) {
            // Whatever threw while parsing throws again, and is reported,
            // when the text is applied.
            ParsedObjectLine::Step s;
            s.name = pair.name.toByteArray();
            s.raw = pair.value.toByteArray();
            parsed.m_steps.push_back(std::move(s));
        }
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
        bool written = true;
        switch (step.kind) {
        case StepKind::MemoText:
            if (auto *memo = dynamic_cast<TpgxMemoContent *>(current))
                memo->setMemoText(step.text);
            return;
        case StepKind::Write: written = step.property->write(current, step.value); break;
        case StepKind::WriteOrdinal:
            written = step.property->writeOrdinal(current, step.ordinal);
            break;
        case StepKind::Skip:
        case StepKind::Attr: break;
        }
        if (!written)
            addError(cannotSetMessage(*step.property));
    } catch (const Error &e) {
        addError(e.message());
    } catch (const std::exception &e) {
        addError(QString::fromUtf8(e.what()));
    }
}

}   // namespace pgx
