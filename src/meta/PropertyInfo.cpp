#include "meta/PropertyInfo.h"

#include <QtCore/QObject>
#include <cmath>

namespace pgx {

bool PropertyInfo::isStored(const QObject *object) const
{
    switch (stored) {
    case StoredRule::Always: return true;
    case StoredRule::Never: return false;
    case StoredRule::Method: {
        bool result = true;
        // Stored rules are const queries; invoke() only lacks a const overload.
        storedMethod.invoke(const_cast<QObject *>(object), Qt::DirectConnection,
                            Q_RETURN_ARG(bool, result));
        return result;
    }
    }
    return true;
}

int PropertyInfo::readOrdinal(const QObject *object) const
{
    const QVariant v = property.read(object);
    if (kind == PropertyKind::Boolean)
        return v.toBool() ? 1 : 0;
    // Enumerations and flags arrive as their own metatypes; both convert.
    return v.toInt();
}

bool PropertyInfo::writeOrdinal(QObject *object, int value) const
{
    if (kind == PropertyKind::Boolean)
        return property.write(object, value != 0);
    if (kind == PropertyKind::Enumeration || kind == PropertyKind::Set) {
        QVariant v(value);
        if (!v.convert(property.metaType()))
            return false;
        return property.write(object, v);
    }
    return property.write(object, value);
}

QObject *PropertyInfo::readObject(const QObject *object) const
{
    if (kind != PropertyKind::SubObject && kind != PropertyKind::Reference)
        return nullptr;
    return property.read(object).value<QObject *>();
}

bool PropertyInfo::writeReference(QObject *object, QObject *value) const
{
    if (kind != PropertyKind::Reference || !objectClass)
        return false;
    if (value && !value->metaObject()->inherits(objectClass))
        return false;
    // Report classes have QObject as their first base, so the object's
    // address is the address of the derived class the property holds.
    return property.write(object, QVariant(property.metaType(), &value));
}

bool PropertyInfo::equalsDefault(const QObject *object) const
{
    if (!hasDefault())
        return false;
    switch (kind) {
    case PropertyKind::Integer:
    case PropertyKind::Enumeration:
    case PropertyKind::Set:
    case PropertyKind::Boolean: return readOrdinal(object) == defaultValue.toInt();
    case PropertyKind::Int64:
        return property.read(object).toLongLong() == defaultValue.toLongLong();
    case PropertyKind::Float: return property.read(object).toDouble() == defaultValue.toDouble();
    case PropertyKind::String:
    case PropertyKind::Event: return property.read(object).toString() == defaultValue.toString();
    default: return false;
    }
}

int PropertyInfo::ordinalOf(QStringView elementName) const
{
    for (int i = 0; i < enumNames.size(); ++i)
        if (enumNames.at(i) == elementName)
            return i;
    for (int i = 0; i < enumNames.size(); ++i)
        if (enumNames.at(i).compare(elementName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

}   // namespace pgx
