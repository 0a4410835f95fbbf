#include "report/data/SqlTable.h"

#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlError>
#include <QtSql/QSqlField>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlRecord>

namespace pgx::data {

namespace {

FieldType fieldTypeOf(QMetaType type)
{
    switch (type.id()) {
    case QMetaType::Bool: return FieldType::Boolean;
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt: return FieldType::Integer;
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return FieldType::LargeInt;
    case QMetaType::Float:
    case QMetaType::Double: return FieldType::Float;
    case QMetaType::QDate: return FieldType::Date;
    case QMetaType::QTime: return FieldType::Time;
    case QMetaType::QDateTime: return FieldType::DateTime;
    case QMetaType::QByteArray: return FieldType::Blob;
    default: return FieldType::WideString;
    }
}

// Drivers hand out integers of several widths (SQLite always 64 bits);
// tables give one type per kind of field.
QVariant normalised(const QVariant &v, FieldType type)
{
    if (v.isNull())
        return QVariant();
    switch (type) {
    case FieldType::Integer:
    case FieldType::LargeInt: return QVariant(v.toLongLong());
    case FieldType::Float: return QVariant(v.toDouble());
    case FieldType::Boolean: return QVariant(v.toBool());
    case FieldType::WideString: return QVariant(v.toString());
    default: return v;
    }
}

QString driverText(const QSqlError &e)
{
    const QString text = e.text().trimmed();
    return text.isEmpty() ? QStringLiteral("unknown error") : text;
}

}   // namespace

bool SqlTable::fetch(QList<FieldDef> &fields, QList<QVariantList> &rows, QString &error)
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!db.isOpen()) {
        error = QStringLiteral("the connection is not open");
        return false;
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    // A statement without parameters runs as it is: servers cannot prepare
    // every statement (PostgreSQL no DDL).
    bool ran = false;
    if (m_boundValues.isEmpty()) {
        ran = query.exec(m_statement);
    } else {
        if (!query.prepare(m_statement)) {
            error = driverText(query.lastError());
            return false;
        }
        for (auto it = m_boundValues.cbegin(); it != m_boundValues.cend(); ++it)
            if (m_statement.contains(QLatin1Char(':') + it.key(), Qt::CaseInsensitive))
                query.bindValue(QLatin1Char(':') + it.key(), it.value());
        ran = query.exec();
    }
    if (!ran) {
        error = driverText(query.lastError());
        return false;
    }
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i) {
        const QSqlField f = record.field(i);
        const FieldType type = fieldTypeOf(f.metaType());
        fields.append({f.name(), type, isTextType(type) ? std::max(0, f.length()) : 0});
    }
    QList<int> longest(fields.size(), 0);
    while (query.next()) {
        QVariantList values;
        values.reserve(fields.size());
        for (int i = 0; i < fields.size(); ++i) {
            values.append(normalised(query.value(i), fields[i].type));
            if (isTextType(fields[i].type))
                longest[i] = std::max(longest[i], int(values.last().toString().size()));
        }
        rows.append(values);
    }
    if (query.lastError().isValid()) {
        error = driverText(query.lastError());
        return false;
    }
    // SQLite declares no lengths; the longest value stands in.
    for (int i = 0; i < fields.size(); ++i)
        if (isTextType(fields[i].type) && fields[i].size == 0)
            fields[i].size = longest[i];
    return true;
}

}   // namespace pgx::data
