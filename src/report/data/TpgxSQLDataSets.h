#pragma once

#include "report/data/TpgxDBDataSet.h"
#include "report/data/TpgxSQLConnection.h"

#include <QtCore/QPointer>
#include <QtCore/QVariantMap>

namespace pgx::data {
class SqlTable;
}

// What queries and tables share: the connection they read through and the
// statement they run on it when they open.
class TpgxSQLDataSet : public TpgxDBDataSet
{
    Q_OBJECT
    Q_PROPERTY(TpgxSQLConnection *Connection READ connection WRITE setConnection)

public:
    Q_INVOKABLE explicit TpgxSQLDataSet(QObject *owner = nullptr);

    TpgxSQLConnection *connection() const { return m_connection; }
    void setConnection(TpgxSQLConnection *value);

    // The statement the source runs; empty while it has nothing to run.
    virtual QString statement() const { return QString(); }

protected:
    bool prepareTable(QString &error) override;
    // Values of the statement's ":name" parameters.
    virtual QVariantMap boundValues() const { return {}; }

private:
    QPointer<TpgxSQLConnection> m_connection;
    pgx::data::SqlTable *m_sqlTable;
};

// An SQL statement with named parameters (":name"). Params holds one
// "name=expression" line per parameter of the SQL text, rebuilt whenever
// the text changes (a parameter that keeps its name keeps its
// expression); each expression is evaluated by the report before the query
// runs. With a Master the query runs again on every First, so that
// parameters naming the master's fields follow its current record.
class TpgxSQLQuery : public TpgxSQLDataSet
{
    Q_OBJECT
    Q_PROPERTY(QStringList SQL READ sql WRITE setSql)
    Q_PROPERTY(QStringList Params READ params WRITE setParams)
    Q_PROPERTY(TpgxDataSet *Master READ master WRITE setMaster)

public:
    // Evaluates a parameter's expression for `query`; installed by the
    // layer that evaluates report expressions.
    using ExpressionEvaluator
        = std::function<QVariant(const QString &expression, const TpgxSQLQuery *query)>;

    Q_INVOKABLE explicit TpgxSQLQuery(QObject *owner = nullptr);

    QStringList sql() const { return m_sql; }
    void setSql(const QStringList &value);
    QStringList params() const { return m_params; }
    void setParams(const QStringList &value) { m_params = value; }
    TpgxDataSet *master() const { return m_master; }
    void setMaster(TpgxDataSet *value) { m_master = value; }

    QString statement() const override { return m_sql.join(QLatin1Char('\n')); }
    void first() override;

    static void setExpressionEvaluator(ExpressionEvaluator evaluator);
    // The names of the ":name" parameters of an SQL text, in order, each
    // once; quoted text, comments and "::" casts are skipped.
    static QStringList parameterNames(const QString &sql);
    // A number, a quoted string ('text' or "text") or the text itself.
    static QVariant literalValue(const QString &expression);

protected:
    QVariantMap boundValues() const override;

private:
    // ### Until the engine installs the report's expression evaluation, a
    // parameter is a field reference (Alias."Field", read from that data
    // source of the report) or a literal value.
    QVariant fallbackValue(const QString &expression) const;

    QStringList m_sql;
    QStringList m_params;
    QPointer<TpgxDataSet> m_master;
};

// A whole table of the connection, optionally filtered and sorted: Filter
// is an SQL condition and Sort an SQL ordering, both as the database
// writes them.
class TpgxSQLTable : public TpgxSQLDataSet
{
    Q_OBJECT
    Q_PROPERTY(QString TableName READ tableName WRITE setTableName)
    Q_PROPERTY(QString Filter READ filter WRITE setFilter)
    Q_PROPERTY(QString Sort READ sort WRITE setSort)

public:
    Q_INVOKABLE explicit TpgxSQLTable(QObject *owner = nullptr);

    QString tableName() const { return m_tableName; }
    void setTableName(const QString &value) { m_tableName = value; }
    QString filter() const { return m_filter; }
    void setFilter(const QString &value) { m_filter = value; }
    QString sort() const { return m_sort; }
    void setSort(const QString &value) { m_sort = value; }

    // SELECT * FROM the table (its name quoted as the driver quotes
    // identifiers), WHERE Filter, ORDER BY Sort.
    QString statement() const override;

private:
    QString m_tableName;
    QString m_filter;
    QString m_sort;
};
