#pragma once

#include <QtCore/QMetaEnum>
#include <QtCore/QMetaMethod>
#include <QtCore/QMetaProperty>
#include <QtCore/QStringList>
#include <QtCore/QVariant>

namespace pgx {

class ClassDescriptor;

// How a published property is stored and edited. The serializer, the script
// registry and the inspector switch on this, never on Qt type ids.
enum class PropertyKind {
    Integer,       // int and smaller: decimal text
    Int64,         // 64-bit integers: never written to templates
    Float,         // double, date-times included: general float text
    Boolean,       // "False"/"True"
    String,        // QString
    Event,         // QString naming a script procedure (On...); stored like a string
    Enumeration,   // Q_ENUM, values 0..n-1: the element's name
    Set,           // Q_FLAG, element i is bit 1 << i: the decimal bit mask
    StringList,    // QStringList: the attribute Prop.Text
    Variant,       // QVariant
    SubObject,     // a QObject owned by the component (Font, Frame, options)
    Reference,     // a pointer to another component, resolved by name
    Unsupported    // any other type: reflected but never stored
};

QString kindName(PropertyKind kind);

// When a property is written: always, never (Q_PROPERTY STORED false), or
// as a Q_INVOKABLE bool method of the object says (Q_CLASSINFO
// "pgx:stored:<Prop>" naming it), because Qt 6 takes only constants in STORED.
enum class StoredRule { Always, Never, Method };

// One published property of a class. Built once per class (see
// ClassDescriptor) and shared by every user of the reflection.
class PropertyInfo
{
public:
    QString name;
    PropertyKind kind = PropertyKind::Unsupported;
    // Type name as the script registry and the inspector show it: the enum,
    // set or class name, a Q_CLASSINFO "pgx:type:<Prop>" override (TColor),
    // else Integer, Int64, Extended, Boolean, String, TStrings, Variant.
    QString typeName;
    QMetaProperty property;
    // The declared default (Q_CLASSINFO "pgx:default:<Prop>"), converted to
    // the kind's value: int for integers, enumerations and sets (the mask),
    // bool, double, QString. Invalid when there is none: such a property
    // always differs from its default.
    QVariant defaultValue;
    StoredRule stored = StoredRule::Always;
    QMetaMethod storedMethod;
    // Enumerations and sets: element names by ordinal (bit index for sets);
    // Booleans: "False", "True".
    QStringList enumNames;
    QMetaEnum enumerator;
    // SubObject and Reference: the class of the pointed-to object.
    const QMetaObject *objectClass = nullptr;

    bool hasDefault() const { return defaultValue.isValid(); }
    bool isWritable() const { return property.isWritable(); }

    // The stored rule applied to `object`.
    bool isStored(const QObject *object) const;
    // Whether the property's current value equals its declared default (false
    // when there is none, and for kinds without a comparable value).
    bool equalsDefault(const QObject *object) const;

    QVariant read(const QObject *object) const { return property.read(object); }
    bool write(QObject *object, const QVariant &value) const
    {
        return property.write(object, value);
    }
    // Ordinal kinds as int (enumeration ordinal, set mask, Boolean 0/1).
    int readOrdinal(const QObject *object) const;
    bool writeOrdinal(QObject *object, int value) const;
    // SubObject/Reference: the object the property points to (may be null).
    QObject *readObject(const QObject *object) const;
    // Reference: points the property at `value` (null clears it). False,
    // and nothing changes, when `value` is not of the property's class, so a
    // name that resolves to the wrong kind of component cannot be assigned.
    bool writeReference(QObject *object, QObject *value) const;

    // Enumerations and Booleans: the ordinal of an element name (exact
    // match, then without regard to case), -1 when unknown.
    int ordinalOf(QStringView elementName) const;
};

}   // namespace pgx
