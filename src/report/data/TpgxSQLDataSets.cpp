#include "report/data/TpgxSQLDataSets.h"

#include "report/data/SqlTable.h"
#include "report/root/ReportDataSets.h"

#include <QtCore/QHash>
#include <QtCore/QRegularExpression>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlDriver>

// --- TpgxSQLDataSet ------------------------------------------------------------

TpgxSQLDataSet::TpgxSQLDataSet(QObject *owner) : TpgxDBDataSet(owner)
{
    auto table = std::make_unique<pgx::data::SqlTable>();
    m_sqlTable = table.get();
    adoptTable(std::move(table));
}

void TpgxSQLDataSet::setConnection(TpgxSQLConnection *value)
{
    if (value == m_connection)
        return;
    close();
    m_connection = value;
}

bool TpgxSQLDataSet::prepareTable(QString &error)
{
    if (!m_connection) {
        error = QStringLiteral("no connection is set");
        return false;
    }
    if (!m_connection->open()) {
        error = m_connection->errorText();
        return false;
    }
    const QString sql = statement();
    if (sql.trimmed().isEmpty()) {
        error = QStringLiteral("there is no SQL statement to run");
        return false;
    }
    m_sqlTable->setConnectionName(m_connection->connectionName());
    m_sqlTable->setStatement(sql);
    m_sqlTable->setBoundValues(boundValues());
    return true;
}

// --- TpgxSQLQuery --------------------------------------------------------------

namespace {

TpgxSQLQuery::ExpressionEvaluator &evaluator()
{
    static TpgxSQLQuery::ExpressionEvaluator instance;
    return instance;
}

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_';
}
bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// "name=expression" -> name, expression.
std::pair<QString, QString> splitParam(const QString &line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? std::pair(line.trimmed(), QString())
                  : std::pair(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
}

}   // namespace

TpgxSQLQuery::TpgxSQLQuery(QObject *owner) : TpgxSQLDataSet(owner) { }

void TpgxSQLQuery::setExpressionEvaluator(ExpressionEvaluator e)
{
    evaluator() = std::move(e);
}

QStringList TpgxSQLQuery::parameterNames(const QString &sql)
{
    QStringList names;
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            // A doubled quote inside stays inside.
            for (++i; i < n; ++i)
                if (sql[i] == c && !(i + 1 < n && sql[i + 1] == c))
                    break;
                else if (sql[i] == c)
                    ++i;
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            while (i < n && sql[i] != u'\n')
                ++i;
        } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            const qsizetype end = sql.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 1;
        } else if (c == u':') {
            if (i + 1 < n && sql[i + 1] == u':') {
                ++i;
                continue;
            }
            qsizetype j = i + 1;
            if (j < n && isNameStart(sql[j])) {
                while (j < n && isNameChar(sql[j]))
                    ++j;
                const QString name = sql.mid(i + 1, j - i - 1);
                if (!names.contains(name, Qt::CaseInsensitive))
                    names.append(name);
                i = j - 1;
            }
        }
    }
    return names;
}

void TpgxSQLQuery::setSql(const QStringList &value)
{
    close();
    m_sql = value;
    QHash<QString, QString> expressions;
    for (const QString &line : std::as_const(m_params)) {
        const auto [name, expression] = splitParam(line);
        expressions.insert(name.toCaseFolded(), expression);
    }
    QStringList rebuilt;
    for (const QString &name : parameterNames(statement()))
        rebuilt.append(name + QLatin1Char('=') + expressions.value(name.toCaseFolded()));
    m_params = rebuilt;
}

QVariant TpgxSQLQuery::literalValue(const QString &expression)
{
    const QString text = expression.trimmed();
    bool ok = false;
    if (const qint64 i = text.toLongLong(&ok); ok)
        return i;
    if (const double d = text.toDouble(&ok); ok)
        return d;
    if (text.size() >= 2 && (text.front() == u'\'' || text.front() == u'"')
        && text.back() == text.front()) {
        const QString quote(text.front());
        return text.mid(1, text.size() - 2).replace(quote + quote, quote);
    }
    return text;
}

QVariant TpgxSQLQuery::fallbackValue(const QString &expression) const
{
    // Alias."Field": the master-detail link, which needs no evaluator.
    static const QRegularExpression kFieldReference(
        QStringLiteral("^\\s*([^.\"]+)\\.\"([^\"]+)\"\\s*$"));
    if (const QRegularExpressionMatch m = kFieldReference.match(expression); m.hasMatch())
        if (TpgxDataSet *source
            = pgx::datasets::findByUserName(report(), m.captured(1).trimmed())) {
            // A master not opened yet stands on its first record.
            if (auto *db = qobject_cast<TpgxDBDataSet *>(source); db && !db->isOpen())
                db->first();
            return source->getValue(m.captured(2));
        }
    return literalValue(expression);
}

QVariantMap TpgxSQLQuery::boundValues() const
{
    QVariantMap values;
    for (const QString &line : m_params) {
        const auto [name, expression] = splitParam(line);
        if (name.isEmpty())
            continue;
        if (expression.isEmpty())
            values.insert(name, QVariant());
        else
            values.insert(name,
                          evaluator() ? evaluator()(expression, this) : fallbackValue(expression));
    }
    return values;
}

void TpgxSQLQuery::first()
{
    // The parameters may name fields of the master: run the query again
    // for its current record.
    if (m_master && isOpen())
        close();
    TpgxSQLDataSet::first();
}

// --- TpgxSQLTable --------------------------------------------------------------

TpgxSQLTable::TpgxSQLTable(QObject *owner) : TpgxSQLDataSet(owner) { }

QString TpgxSQLTable::statement() const
{
    if (m_tableName.trimmed().isEmpty())
        return QString();
    QString name;
    if (const TpgxSQLConnection *c = connection();
        c && QSqlDatabase::contains(c->connectionName())) {
        const QSqlDatabase db = QSqlDatabase::database(c->connectionName(), false);
        if (db.driver())
            name = db.driver()->escapeIdentifier(m_tableName, QSqlDriver::TableName);
    }
    if (name.isEmpty())
        name = QLatin1Char('"')
            + QString(m_tableName).replace(QLatin1String("\""), QLatin1String("\"\""))
            + QLatin1Char('"');
    QString sql = QStringLiteral("SELECT * FROM ") + name;
    if (!m_filter.trimmed().isEmpty())
        sql += QStringLiteral(" WHERE ") + m_filter;
    if (!m_sort.trimmed().isEmpty())
        sql += QStringLiteral(" ORDER BY ") + m_sort;
    return sql;
}
