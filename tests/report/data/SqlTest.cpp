// SQL data sources through Qt SQL on a temporary SQLite file: tables and
// queries, parameters, master and detail, the messages of a database that
// cannot be opened and of an SQL error, and the components in a template.
#include "report/data/TpgxSQLDataSets.h"
#include "report/pages/TpgxDataPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include <gtest/gtest.h>

#include <QtCore/QBuffer>
#include <QtCore/QTemporaryDir>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlQuery>

namespace {

// shop.db: customers (id, name) 1..3 and orders (id, customer, total).
void makeShop(const QString &path)
{
    {
        QSqlDatabase db
            = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make-shop"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const char *sql :
             {"CREATE TABLE customers (id INTEGER PRIMARY KEY, name TEXT NOT NULL)",
              "INSERT INTO customers VALUES (1, 'Anna'), (2, 'Bert'), (3, 'Cleo')",
              "CREATE TABLE orders (id INTEGER PRIMARY KEY, customer INTEGER, total REAL, note "
              "TEXT)",
              "INSERT INTO orders VALUES (10, 1, 5.5, NULL), (11, 1, 20, 'rush'), (12, 3, 7.25, "
              "'')"})
            ASSERT_TRUE(q.exec(QString::fromLatin1(sql))) << sql;
    }
    QSqlDatabase::removeDatabase(QStringLiteral("make-shop"));
}

struct Shop
{
    Shop()
    {
        pgx::registerReportClasses();
        makeShop(dir.filePath(QStringLiteral("shop.db")));
        report.setFileName(dir.filePath(QStringLiteral("shop.pgr")));
        page = new TpgxDataPage(&report);
        page->setName(QStringLiteral("Data"));
        connection = new TpgxSQLConnection(page);
        connection->setName(QStringLiteral("Shop"));
        connection->setDatabase(QStringLiteral("shop.db"));   // beside the template
    }
    template<class T>
    T *add(const QString &name)
    {
        auto *source = new T(page);
        source->setName(name);
        source->setConnection(connection);
        return source;
    }
    QTemporaryDir dir;
    TpgxReport report;
    TpgxDataPage *page;
    TpgxSQLConnection *connection;
};

QStringList column(TpgxDataSet *source, const QString &field)
{
    QStringList values;
    for (source->first(); !source->eof() && values.size() < 20; source->next())
        values.append(source->getDisplayText(field));
    return values;
}

TEST(SQLTable, ReadsTheTableWithFilterAndSort)
{
    Shop shop;
    auto *table = shop.add<TpgxSQLTable>(QStringLiteral("Customers"));
    table->setTableName(QStringLiteral("customers"));
    EXPECT_EQ(column(table, QStringLiteral("name")), (QStringList{"Anna", "Bert", "Cleo"}));
    EXPECT_TRUE(shop.connection->isConnected());
    EXPECT_EQ(table->recordCount(), 3);
    EXPECT_EQ(table->getFieldList(), (QStringList{"id", "name"}));
    EXPECT_EQ(table->getFieldType(QStringLiteral("id")), TpgxDataSet::fftNumeric);
    EXPECT_EQ(table->getFieldType(QStringLiteral("name")), TpgxDataSet::fftString);
    EXPECT_EQ(table->getDisplayWidth(QStringLiteral("name")), 4);   // the longest value
    table->close();
    table->setFilter(QStringLiteral("id > 1"));
    table->setSort(QStringLiteral("name DESC"));
    EXPECT_EQ(column(table, QStringLiteral("name")), (QStringList{"Cleo", "Bert"}));
    EXPECT_TRUE(shop.report.errors().isEmpty()) << shop.report.errors().join(u'\n').toStdString();
}

TEST(SQLQuery, ValuesNullsAndParameters)
{
    Shop shop;
    auto *query = shop.add<TpgxSQLQuery>(QStringLiteral("Orders"));
    query->setSql({QStringLiteral("SELECT id, total, note FROM orders"),
                   QStringLiteral("WHERE total > :least ORDER BY id")});
    EXPECT_EQ(query->params(), QStringList{QStringLiteral("least=")});
    query->setParams({QStringLiteral("least=6")});
    query->first();
    EXPECT_EQ(query->getValue(QStringLiteral("id")), QVariant(qint64(11)));
    EXPECT_EQ(query->getValue(QStringLiteral("total")), QVariant(20.0));
    EXPECT_EQ(query->getDisplayText(QStringLiteral("note")), QStringLiteral("rush"));
    query->next();
    EXPECT_EQ(query->getValue(QStringLiteral("id")), QVariant(qint64(12)));
    EXPECT_EQ(query->getDisplayText(QStringLiteral("total")), QStringLiteral("7.25"));
    query->next();
    EXPECT_TRUE(query->eof());

    // A new text keeps the expressions of parameters that keep their name.
    query->setSql(
        {QStringLiteral("SELECT * FROM orders WHERE total > :LEAST AND customer = :who")});
    EXPECT_EQ(query->params(), (QStringList{QStringLiteral("LEAST=6"), QStringLiteral("who=")}));
}

TEST(SQLQuery, ParameterNamesSkipQuotesCommentsAndCasts)
{
    const struct
    {
        const char *sql;
        QStringList names;
    } cases[] = {
        {"SELECT * FROM t WHERE a = :a AND b = :b_2 OR c = :a", {"a", "b_2"}},
        {"SELECT ':no', \"x:y\" FROM t WHERE a = :yes", {"yes"}},
        {"SELECT 'it''s :no' FROM t -- :no\nWHERE /* :no */ a = :yes", {"yes"}},
        {"SELECT a::text FROM t WHERE b = :b", {"b"}},
        {"SELECT 1 WHERE x = : y", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(TpgxSQLQuery::parameterNames(QString::fromLatin1(c.sql)), c.names);
    }
    EXPECT_EQ(TpgxSQLQuery::literalValue(QStringLiteral("'O''Brien'")),
              QVariant(QStringLiteral("O'Brien")));
    EXPECT_EQ(TpgxSQLQuery::literalValue(QStringLiteral("12")), QVariant(qint64(12)));
    EXPECT_EQ(TpgxSQLQuery::literalValue(QStringLiteral("1.5")), QVariant(1.5));
}

TEST(SQLQuery, DetailFollowsTheMastersCurrentRecord)
{
    Shop shop;
    auto *customers = shop.add<TpgxSQLTable>(QStringLiteral("Customers"));
    customers->setTableName(QStringLiteral("customers"));
    auto *orders = shop.add<TpgxSQLQuery>(QStringLiteral("Orders"));
    orders->setSql({QStringLiteral("SELECT id FROM orders WHERE customer = :cust ORDER BY id")});
    orders->setParams({QStringLiteral("cust=Customers.\"id\"")});
    orders->setMaster(customers);
    // What the report's expression evaluation does for a field reference.
    TpgxSQLQuery::setExpressionEvaluator([&](const QString &expression, const TpgxSQLQuery *) {
        EXPECT_EQ(expression, QStringLiteral("Customers.\"id\""));
        return customers->getValue(QStringLiteral("id"));
    });
    QStringList lines;
    for (customers->first(); !customers->eof(); customers->next())
        lines.append(customers->getDisplayText(QStringLiteral("name")) + QLatin1Char(':')
                     + column(orders, QStringLiteral("id")).join(u','));
    TpgxSQLQuery::setExpressionEvaluator(nullptr);
    EXPECT_EQ(lines, (QStringList{"Anna:10,11", "Bert:", "Cleo:12"}));

    // Without an evaluator a field reference still links the two.
    lines.clear();
    for (customers->first(); !customers->eof(); customers->next())
        lines.append(column(orders, QStringLiteral("id")).join(u','));
    EXPECT_EQ(lines, (QStringList{"10,11", "", "12"}));
}

TEST(SQLConnection, FailuresAreMessagesNamingComponentAndDriverText)
{
    Shop shop;
    auto *table = shop.add<TpgxSQLTable>(QStringLiteral("Customers"));
    table->setTableName(QStringLiteral("customers"));

    shop.connection->setDatabase(QStringLiteral("no-such.db"));
    table->first();
    EXPECT_TRUE(table->eof());
    EXPECT_FALSE(QFile::exists(shop.dir.filePath(QStringLiteral("no-such.db"))));   // not created
    EXPECT_EQ(table->errorText(),
              QStringLiteral("Customers: Shop: the database file \"%1\" does not exist")
                  .arg(shop.dir.filePath(QStringLiteral("no-such.db"))));

    shop.connection->setDatabase(QStringLiteral("shop.db"));
    table->close();
    table->setTableName(QStringLiteral("nothing"));
    table->first();
    EXPECT_TRUE(table->eof());
    EXPECT_TRUE(table->errorText().startsWith(QStringLiteral("Customers: no such table: nothing")))
        << table->errorText().toStdString();

    auto *query = shop.add<TpgxSQLQuery>(QStringLiteral("Broken"));
    query->setSql({QStringLiteral("SELEKT 1")});
    query->first();
    EXPECT_TRUE(query->errorText().contains(QStringLiteral("syntax error")))
        << query->errorText().toStdString();

    shop.connection->setDriver(QStringLiteral("QNOSUCH"));
    query->setSql({QStringLiteral("SELECT 1")});
    query->first();
    EXPECT_TRUE(query->errorText().startsWith(
        QStringLiteral("Broken: Shop: the database driver QNOSUCH is not installed")))
        << query->errorText().toStdString();

    auto *unconnected = new TpgxSQLQuery(shop.page);
    unconnected->setName(QStringLiteral("Lonely"));
    unconnected->first();
    EXPECT_EQ(unconnected->errorText(), QStringLiteral("Lonely: no connection is set"));
    // Switched on by hand, a connection reports for itself.
    shop.connection->setConnected(true);
    EXPECT_FALSE(shop.connection->isConnected());
    EXPECT_TRUE(shop.report.errors().contains(shop.connection->errorText()));
    // Every message is in the report's list, each once.
    EXPECT_EQ(shop.report.errors().size(), 6) << shop.report.errors().join(u'\n').toStdString();
}

TEST(SQLConnection, TemplatesKeepTheComponentsButNoPasswordUnlessAsked)
{
    Shop shop;
    shop.connection->setUser(QStringLiteral("report"));
    shop.connection->setPassword(QStringLiteral("secret"));
    auto *query = shop.add<TpgxSQLQuery>(QStringLiteral("Orders"));
    query->setSql({QStringLiteral("SELECT * FROM orders WHERE total > :least")});
    query->setParams({QStringLiteral("least=5")});
    query->setFieldAliases({QStringLiteral("total=Total")});
    const auto save = [](TpgxReport &report) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        report.saveToStream(&buffer);
        return buffer.data();
    };
    const QByteArray saved = save(shop.report);
    EXPECT_FALSE(saved.contains("secret"));
    EXPECT_TRUE(saved.contains("Connection=\"Shop\"")) << saved.toStdString();

    shop.connection->setStorePassword(true);
    const QByteArray withPassword = save(shop.report);
    EXPECT_TRUE(withPassword.contains("Password=\"secret\""));

    // Loaded back: the same template, byte for byte, and a working query.
    TpgxReport loaded;
    loaded.setFileName(shop.report.fileName());
    QBuffer in;
    in.setData(withPassword);
    in.open(QIODevice::ReadOnly);
    loaded.loadFromStream(&in);
    EXPECT_EQ(save(loaded), withPassword);
    auto *again = qobject_cast<TpgxSQLQuery *>(loaded.findObject(QStringLiteral("Orders")));
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(qobject_cast<TpgxSQLConnection *>(loaded.findObject(QStringLiteral("Shop")))
                     ->isConnected());
    EXPECT_EQ(column(again, QStringLiteral("Total")), (QStringList{"5.5", "20", "7.25"}));
}

}   // namespace
