#pragma once

#include "report/data/MemoryTable.h"

#include <QtCore/QVariantMap>

namespace pgx::data {

// The result of one SQL statement on a Qt SQL connection, as a table. The
// statement runs when the table opens, with the bound values of its named
// parameters (":name"); the records are read then.
// ### All records are read into memory on open, as the CSV table does;
// very large results would want a cursor over the query instead.
class SqlTable : public MemoryTable
{
public:
    // `connectionName` names a QSqlDatabase connection the caller owns and
    // keeps open while the table is used.
    SqlTable() = default;

    void setConnectionName(const QString &name) { m_connectionName = name; }
    void setStatement(const QString &sql) { m_statement = sql; }
    QString statement() const { return m_statement; }
    // Values for ":name" parameters, by name without the colon.
    void setBoundValues(QVariantMap values) { m_boundValues = std::move(values); }

protected:
    bool fetch(QList<FieldDef> &fields, QList<QVariantList> &rows, QString &error) override;

private:
    QString m_connectionName;
    QString m_statement;
    QVariantMap m_boundValues;
};

}   // namespace pgx::data
