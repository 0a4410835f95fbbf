#include "report/data/Table.h"

#include "platform/format/NumberText.h"

#include <QtCore/QDateTime>

namespace pgx::data {

int Table::fieldIndex(const QString &name) const
{
    const QList<FieldDef> &defs = fields();
    for (int i = 0; i < defs.size(); ++i)
        if (defs[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString Table::displayText(int field) const
{
    const QVariant v = value(field);
    if (v.isNull())
        return QString();
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: return pgx::format::fileFloatText(v.toDouble());
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate: return v.toDate().toString(Qt::ISODate);
    case QMetaType::QTime: return v.toTime().toString(Qt::ISODate);
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QByteArray: return QString::fromUtf8(v.toByteArray());
    default: return v.toString();
    }
}

int Table::displayWidth(int field) const
{
    if (field < 0 || field >= fields().size())
        return 10;
    const FieldDef &def = fields()[field];
    switch (def.type) {
    case FieldType::String:
    case FieldType::WideString: return def.size;
    case FieldType::DateTime: return 20;
    case FieldType::LargeInt: return 15;
    default: return 10;
    }
}

QByteArray Table::blob(int field) const
{
    const QVariant v = value(field);
    return v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8();
}

QString fieldTypeName(FieldType type)
{
    switch (type) {
    case FieldType::Integer: return QStringLiteral("integer");
    case FieldType::LargeInt: return QStringLiteral("largeint");
    case FieldType::Float: return QStringLiteral("float");
    case FieldType::Decimal: return QStringLiteral("decimal");
    case FieldType::Boolean: return QStringLiteral("boolean");
    case FieldType::String: return QStringLiteral("string");
    case FieldType::WideString: return QStringLiteral("text");
    case FieldType::Memo: return QStringLiteral("memo");
    case FieldType::Date: return QStringLiteral("date");
    case FieldType::Time: return QStringLiteral("time");
    case FieldType::DateTime: return QStringLiteral("datetime");
    case FieldType::Blob: return QStringLiteral("blob");
    }
    return QString();
}

bool isTextType(FieldType type)
{
    return type == FieldType::String || type == FieldType::WideString || type == FieldType::Memo;
}

}   // namespace pgx::data
