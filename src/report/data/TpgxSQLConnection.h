#pragma once

#include "report/component/TpgxComponent.h"

// A database connection through Qt SQL, on a report's data page. SQLite
// (QSQLITE) is the default: Database names the file, relative to the
// template's folder or absolute, and a file that does not exist is an error
// rather than a new empty database. Other drivers (QPSQL) use Host, Port,
// User and Password; Options is the driver's connect-option string.
//
// The connection opens on first use by a query or table and never because
// a template was loaded: Connected is not stored. The password is written
// to the template only with StorePassword, and then in clear text (see
// docs/architecture.md).
class TpgxSQLConnection : public TpgxDialogComponent
{
    Q_OBJECT
    Q_PROPERTY(QString Driver READ driver WRITE setDriver)
    Q_PROPERTY(QString Database READ database WRITE setDatabase)
    Q_PROPERTY(QString Host READ host WRITE setHost)
    Q_PROPERTY(int Port READ port WRITE setPort)
    Q_PROPERTY(QString User READ user WRITE setUser)
    Q_PROPERTY(QString Password READ password WRITE setPassword)
    Q_PROPERTY(bool StorePassword READ storePassword WRITE setStorePassword)
    Q_PROPERTY(QString Options READ options WRITE setOptions)
    Q_PROPERTY(bool Connected READ isConnected WRITE setConnected STORED false)
    Q_CLASSINFO("pgx:default:Port", "0")
    Q_CLASSINFO("pgx:default:StorePassword", "False")
    Q_CLASSINFO("pgx:stored:Password", "passwordIsStored")

public:
    static constexpr const char *kDefaultDriver = "QSQLITE";

    Q_INVOKABLE explicit TpgxSQLConnection(QObject *owner = nullptr);
    ~TpgxSQLConnection() override;

    QString driver() const { return m_driver; }
    void setDriver(const QString &value);
    QString database() const { return m_database; }
    void setDatabase(const QString &value);
    QString host() const { return m_host; }
    void setHost(const QString &value);
    int port() const { return m_port; }
    void setPort(int value);
    QString user() const { return m_user; }
    void setUser(const QString &value);
    QString password() const { return m_password; }
    void setPassword(const QString &value);
    bool storePassword() const { return m_storePassword; }
    void setStorePassword(bool value) { m_storePassword = value; }
    Q_INVOKABLE bool passwordIsStored() const { return m_storePassword && !m_password.isEmpty(); }
    QString options() const { return m_options; }
    void setOptions(const QString &value);

    bool isConnected() const;
    // A failure to open goes to the report's error list; closing always
    // works.
    void setConnected(bool value);

    // Opens the connection when it is not open; false with errorText(),
    // which the data source that asked reports as its own.
    bool open();
    void close();
    QString errorText() const { return m_errorText; }
    // The Qt SQL connection name, unique to this component.
    QString connectionName() const { return m_connectionName; }
    // The database file or name as the driver is given it.
    QString resolvedDatabase() const;

private:
    bool fail(const QString &message);

    QString m_driver = QString::fromLatin1(kDefaultDriver);
    QString m_database;
    QString m_host;
    int m_port = 0;
    QString m_user;
    QString m_password;
    bool m_storePassword = false;
    QString m_options;
    QString m_connectionName;
    QString m_errorText;
};
