#include "report/data/TpgxSQLConnection.h"

#include "report/data/DataPaths.h"
#include "report/root/TpgxReport.h"

#include <QtCore/QAtomicInteger>
#include <QtCore/QFileInfo>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlError>

namespace {

QString newConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("pgx-connection-%1").arg(++counter);
}

bool isSqlite(const QString &driver)
{
    return driver.startsWith(QLatin1String("QSQLITE"), Qt::CaseInsensitive);
}

}   // namespace

TpgxSQLConnection::TpgxSQLConnection(QObject *owner)
    : TpgxDialogComponent(owner), m_connectionName(newConnectionName())
{ }

TpgxSQLConnection::~TpgxSQLConnection()
{
    close();
    if (QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::removeDatabase(m_connectionName);
}

// A changed parameter applies from the next open.
void TpgxSQLConnection::setDriver(const QString &value)
{
    close();
    m_driver = value;
}

void TpgxSQLConnection::setDatabase(const QString &value)
{
    close();
    m_database = value;
}

void TpgxSQLConnection::setHost(const QString &value)
{
    close();
    m_host = value;
}

void TpgxSQLConnection::setPort(int value)
{
    close();
    m_port = value;
}

void TpgxSQLConnection::setUser(const QString &value)
{
    close();
    m_user = value;
}

void TpgxSQLConnection::setPassword(const QString &value)
{
    close();
    m_password = value;
}

void TpgxSQLConnection::setOptions(const QString &value)
{
    close();
    m_options = value;
}

QString TpgxSQLConnection::resolvedDatabase() const
{
    if (isSqlite(m_driver) && m_database != QLatin1String(":memory:"))
        return pgx::data::resolveDataPath(this, m_database);
    return m_database;
}

bool TpgxSQLConnection::isConnected() const
{
    return QSqlDatabase::contains(m_connectionName)
        && QSqlDatabase::database(m_connectionName, false).isOpen();
}

void TpgxSQLConnection::setConnected(bool value)
{
    if (value) {
        if (!open())
            if (TpgxReport *report = this->report())
                report->addError(m_errorText);
    } else
        close();
}

bool TpgxSQLConnection::fail(const QString &message)
{
    m_errorText = QStringLiteral("%1: %2").arg(name(), message);
    return false;
}

bool TpgxSQLConnection::open()
{
    if (isConnected())
        return true;
    m_errorText.clear();
    if (!QSqlDatabase::isDriverAvailable(m_driver))
        return fail(QStringLiteral("the database driver %1 is not installed (installed: %2)")
                        .arg(m_driver, QSqlDatabase::drivers().join(QStringLiteral(", "))));
    const QString database = resolvedDatabase();
    // SQLite would create a missing file and show an empty database: a
    // mistyped path must say so instead.
    if (isSqlite(m_driver) && database != QLatin1String(":memory:")) {
        const QFileInfo file(database);
        if (database.isEmpty() || !file.exists())
            return fail(QStringLiteral("the database file \"%1\" does not exist").arg(database));
        if (!file.isFile())
            return fail(QStringLiteral("\"%1\" is not a database file").arg(database));
    }
    {
        QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
            ? QSqlDatabase::database(m_connectionName, false)
            : QSqlDatabase::addDatabase(m_driver, m_connectionName);
        if (db.driverName() != m_driver) {
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connectionName);
            db = QSqlDatabase::addDatabase(m_driver, m_connectionName);
        }
        db.setDatabaseName(database);
        db.setHostName(m_host);
        if (m_port > 0)
            db.setPort(m_port);
        db.setUserName(m_user);
        db.setPassword(m_password);
        db.setConnectOptions(m_options);
        if (db.open())
            return true;
        const QString driverText = db.lastError().text().trimmed();
        return fail(QStringLiteral("cannot open the database \"%1\" (%2): %3")
                        .arg(database, m_driver, driverText));
    }
}

void TpgxSQLConnection::close()
{
    if (QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::database(m_connectionName, false).close();
}
