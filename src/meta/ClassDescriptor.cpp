#include "meta/ClassDescriptor.h"

#include "meta/MetaComponent.h"
#include "platform/format/NumberText.h"

#include <QtCore/QMutex>
#include <QtCore/QStringList>
#include <memory>
#include <unordered_map>

namespace pgx {

namespace {

constexpr char kDefaultKey[] = "pgx:default:";
constexpr char kStoredKey[] = "pgx:stored:";
constexpr char kTypeKey[] = "pgx:type:";

QString foldKey(QStringView name)
{
    return name.toString().toCaseFolded();
}

bool isEventName(const QString &name)
{
    // Script event properties are strings named On<Event>.
    return name.size() > 2 && name.startsWith(QLatin1String("On")) && name.at(2).isUpper();
}

PropertyKind kindOf(const QMetaProperty &p, const QMetaObject **objectClass)
{
    if (p.isEnumType())
        return p.isFlagType() ? PropertyKind::Set : PropertyKind::Enumeration;
    const QMetaType type = p.metaType();
    switch (type.id()) {
    case QMetaType::Bool: return PropertyKind::Boolean;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::QChar: return PropertyKind::Integer;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong: return PropertyKind::Int64;
    case QMetaType::Double:
    case QMetaType::Float: return PropertyKind::Float;
    case QMetaType::QString:
        return isEventName(QString::fromLatin1(p.name())) ? PropertyKind::Event
                                                          : PropertyKind::String;
    case QMetaType::QStringList: return PropertyKind::StringList;
    case QMetaType::QVariant: return PropertyKind::Variant;
    default: break;
    }
    if (type.flags() & QMetaType::PointerToQObject) {
        const QMetaObject *mo = type.metaObject();
        *objectClass = mo;
        if (mo && mo->inherits(&MetaComponent::staticMetaObject))
            return PropertyKind::Reference;
        return PropertyKind::SubObject;
    }
    return PropertyKind::Unsupported;
}

QString defaultTypeName(const PropertyInfo &info)
{
    switch (info.kind) {
    case PropertyKind::Integer: return QStringLiteral("Integer");
    case PropertyKind::Int64: return QStringLiteral("Int64");
    case PropertyKind::Float: return QStringLiteral("Extended");
    case PropertyKind::Boolean: return QStringLiteral("Boolean");
    case PropertyKind::String:
    case PropertyKind::Event: return QStringLiteral("String");
    case PropertyKind::StringList: return QStringLiteral("TStrings");
    case PropertyKind::Variant: return QStringLiteral("Variant");
    case PropertyKind::Enumeration:
    case PropertyKind::Set: return QString::fromLatin1(info.enumerator.name());
    case PropertyKind::SubObject:
    case PropertyKind::Reference:
        return info.objectClass ? QString::fromLatin1(info.objectClass->className()) : QString();
    case PropertyKind::Unsupported: break;
    }
    return QString::fromLatin1(info.property.typeName());
}

// The declared default text converted to the kind's value; an invalid
// QVariant (and a problem) when it does not parse.
QVariant parseDefault(const PropertyInfo &info, const QString &text, QString *problem)
{
    switch (info.kind) {
    case PropertyKind::Integer:
    case PropertyKind::Int64: {
        bool ok = false;
        const qlonglong v = text.trimmed().toLongLong(&ok);
        if (ok)
            return info.kind == PropertyKind::Integer ? QVariant(int(v)) : QVariant(v);
        break;
    }
    case PropertyKind::Float:
        if (auto v = format::parseFileFloat(text))
            return *v;
        break;
    case PropertyKind::Boolean: {
        const int ord = info.ordinalOf(text.trimmed());
        if (ord >= 0)
            return bool(ord);
        break;
    }
    case PropertyKind::Enumeration: {
        const int ord = info.ordinalOf(text.trimmed());
        if (ord >= 0)
            return ord;
        break;
    }
    case PropertyKind::Set: {
        int mask = 0;
        bool ok = true;
        const QStringList parts = text.split(QLatin1Char('|'), Qt::SkipEmptyParts);
        for (const QString &part : parts) {
            const int bit = info.enumNames.indexOf(part.trimmed());
            if (bit < 0) {
                ok = false;
                break;
            }
            mask |= 1 << bit;
        }
        if (ok)
            return mask;
        break;
    }
    case PropertyKind::String:
    case PropertyKind::Event: return text;
    default:
        *problem = QStringLiteral("%1: a %2 property cannot have a declared default")
                       .arg(info.name, kindName(info.kind));
        return {};
    }
    *problem = QStringLiteral("%1: default \"%2\" does not fit a %3 property")
                   .arg(info.name, text, kindName(info.kind));
    return {};
}

void describeEnumeration(PropertyInfo &info, QStringList &problems)
{
    info.enumerator = info.property.enumerator();
    const QMetaEnum &e = info.enumerator;
    for (int i = 0; i < e.keyCount(); ++i) {
        info.enumNames << QString::fromLatin1(e.key(i));
        // Templates store ordinals and bit masks: the values must be exactly
        // the positions, or files written elsewhere would read wrongly.
        const int expected = info.kind == PropertyKind::Set ? (1 << i) : i;
        if (e.value(i) != expected)
            problems << QStringLiteral("%1: element %2 has value %3, expected %4")
                            .arg(info.name, info.enumNames.last())
                            .arg(e.value(i))
                            .arg(expected);
    }
}

PropertyInfo describeProperty(const QMetaObject *leaf, const QMetaProperty &p,
                              QStringList &problems)
{
    PropertyInfo info;
    info.name = QString::fromLatin1(p.name());
    info.property = p;
    info.kind = kindOf(p, &info.objectClass);
    if (info.kind == PropertyKind::Enumeration || info.kind == PropertyKind::Set)
        describeEnumeration(info, problems);
    else if (info.kind == PropertyKind::Boolean)
        info.enumNames = QStringList{QStringLiteral("False"), QStringLiteral("True")};

    // Class info is looked up on the leaf class, so that a subclass may
    // declare a new default or stored rule for an inherited property.
    const QByteArray name = p.name();
    const int typeIdx = leaf->indexOfClassInfo(QByteArray(kTypeKey + name).constData());
    info.typeName = typeIdx >= 0 ? QString::fromUtf8(leaf->classInfo(typeIdx).value())
                                 : defaultTypeName(info);

    const int defIdx = leaf->indexOfClassInfo(QByteArray(kDefaultKey + name).constData());
    if (defIdx >= 0) {
        QString problem;
        info.defaultValue
            = parseDefault(info, QString::fromUtf8(leaf->classInfo(defIdx).value()), &problem);
        if (!problem.isEmpty())
            problems << problem;
    }

    if (!p.isStored()) {
        info.stored = StoredRule::Never;
    } else {
        const int storedIdx = leaf->indexOfClassInfo(QByteArray(kStoredKey + name).constData());
        if (storedIdx >= 0) {
            const QByteArray method = QByteArray(leaf->classInfo(storedIdx).value()) + "()";
            const int m = leaf->indexOfMethod(method.constData());
            if (m >= 0 && leaf->method(m).returnType() == QMetaType::Bool) {
                info.stored = StoredRule::Method;
                info.storedMethod = leaf->method(m);
            } else {
                problems << QStringLiteral("%1: stored rule %2 is not a Q_INVOKABLE bool method")
                                .arg(info.name, QString::fromLatin1(method));
            }
        }
    }
    return info;
}

// Class-info keys must name a published property of the class.
void checkClassInfoKeys(ClassDescriptor &d)
{
    const QMetaObject *mo = d.metaObject;
    for (int i = 0; i < mo->classInfoCount(); ++i) {
        const QByteArray key = mo->classInfo(i).name();
        for (const char *prefix : {kDefaultKey, kStoredKey, kTypeKey}) {
            if (key.startsWith(prefix) && !d.find(QString::fromLatin1(key.mid(qstrlen(prefix)))))
                d.problems << QStringLiteral("class info %1 names no published property")
                                  .arg(QString::fromLatin1(key));
        }
    }
}

struct Cache
{
    QMutex mutex;
    std::unordered_map<const QMetaObject *, std::unique_ptr<ClassDescriptor>> byMeta;
};

Cache &cache()
{
    static Cache c;
    return c;
}

bool isReflectionRoot(const QMetaObject *mo)
{
    return mo == nullptr || mo == &QObject::staticMetaObject
        || mo == &MetaComponent::staticMetaObject;
}

const ClassDescriptor &build(const QMetaObject *mo, Cache &c);

const ClassDescriptor &lookup(const QMetaObject *mo, Cache &c)
{
    auto it = c.byMeta.find(mo);
    if (it != c.byMeta.end())
        return *it->second;
    return build(mo, c);
}

const ClassDescriptor &build(const QMetaObject *mo, Cache &c)
{
    auto d = std::make_unique<ClassDescriptor>();
    d->className = QString::fromLatin1(mo->className());
    d->metaObject = mo;
    if (!isReflectionRoot(mo->superClass())) {
        d->base = &lookup(mo->superClass(), c);
        d->properties = d->base->properties;
        d->memberIndex = d->base->memberIndex;
        // Inherited properties are described again against this class, so
        // that its class info (defaults, stored rules) applies to them.
        for (PropertyInfo &p : d->properties)
            p = describeProperty(mo, mo->property(mo->indexOfProperty(p.property.name())),
                                 d->problems);
    }
    for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i) {
        PropertyInfo info = describeProperty(mo, mo->property(i), d->problems);
        const QString key = foldKey(info.name);
        auto existing = d->memberIndex.constFind(key);
        if (existing != d->memberIndex.cend()) {
            d->properties[*existing] = std::move(info);
        } else {
            d->memberIndex.insert(key, int(d->properties.size()));
            d->properties.push_back(std::move(info));
        }
    }
    checkClassInfoKeys(*d);
    const ClassDescriptor &result = *d;
    c.byMeta.emplace(mo, std::move(d));
    return result;
}

}   // namespace

QString kindName(PropertyKind kind)
{
    switch (kind) {
    case PropertyKind::Integer: return QStringLiteral("integer");
    case PropertyKind::Int64: return QStringLiteral("int64");
    case PropertyKind::Float: return QStringLiteral("float");
    case PropertyKind::Boolean: return QStringLiteral("boolean");
    case PropertyKind::String: return QStringLiteral("string");
    case PropertyKind::Event: return QStringLiteral("event");
    case PropertyKind::Enumeration: return QStringLiteral("enumeration");
    case PropertyKind::Set: return QStringLiteral("set");
    case PropertyKind::StringList: return QStringLiteral("string list");
    case PropertyKind::Variant: return QStringLiteral("variant");
    case PropertyKind::SubObject: return QStringLiteral("sub-object");
    case PropertyKind::Reference: return QStringLiteral("reference");
    case PropertyKind::Unsupported: break;
    }
    return QStringLiteral("unsupported");
}

const PropertyInfo *ClassDescriptor::find(QStringView name) const
{
    // Most look-ups use the declared spelling: try it before folding.
    for (const PropertyInfo &p : properties)
        if (p.name == name)
            return &p;
    auto it = memberIndex.constFind(foldKey(name));
    return it == memberIndex.cend() ? nullptr : &properties[*it];
}

bool ClassDescriptor::inherits(const ClassDescriptor *other) const
{
    for (const ClassDescriptor *d = this; d; d = d->base)
        if (d == other)
            return true;
    return false;
}

bool ClassDescriptor::isComponent() const
{
    return metaObject->inherits(&MetaComponent::staticMetaObject);
}

const ClassDescriptor &describe(const QMetaObject *metaObject)
{
    Cache &c = cache();
    QMutexLocker lock(&c.mutex);
    return lookup(metaObject, c);
}

QString classNameStem(const QString &className, QLatin1StringView word)
{
    constexpr QLatin1StringView kPrefix("Tpgx");
    QString stem = className.startsWith(kPrefix) ? className.sliced(kPrefix.size()) : className;
    if (!word.isEmpty())
        if (const qsizetype at = stem.indexOf(word); at >= 0)
            stem.remove(at, word.size());
    return stem;
}

}   // namespace pgx
