#include "script/registry/VariantBridge.h"

#include "script/registry/ObjectTable.h"

#include "platform/format/DateTime.h"

#include <QtCore/QDateTime>

namespace pgx::script {

Variant fromQVariant(const QVariant &value)
{
    if (!value.isValid())
        return Variant();
    if (value.isNull() && value.typeId() != QMetaType::QString)
        return Variant::null();
    switch (value.typeId()) {
    case QMetaType::Bool: return Variant(value.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
    case QMetaType::ULongLong: return Variant::fromInt(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float: return Variant(value.toDouble());
    case QMetaType::QString: return Variant::fromString8(value.toString());
    case QMetaType::QObjectStar: return TkxObjectTable::toVariant(value.value<QObject *>());
    case QMetaType::QDateTime: return Variant::fromDate(format::daysOf(value.toDateTime()));
    case QMetaType::QDate: return Variant::fromDate(format::daysOf(value.toDate()));
    default: return Variant::fromString8(value.toString());
    }
}

QVariant toQVariant(const Variant &value)
{
    switch (value.type()) {
    case varEmpty:
    case varNull: return QVariant();
    case varBoolean: return value.toBool();
    case varString:
    case varOleStr: return value.toString();
    // Dates stay dates, so that a report shows them as dates.
    case varDate: return format::dateTimeOfDays(value.toDate());
    default:
        if (value.isInteger())
            return QVariant::fromValue(value.rawInt());
        if (value.isFloat())
            return value.toDouble();
        return QVariant();
    }
}

}   // namespace pgx::script
