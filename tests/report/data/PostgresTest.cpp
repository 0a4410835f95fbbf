// PostgreSQL through the same SQL classes, against a server this test
// starts itself: initdb in a temporary folder, pg_ctl listening only on a
// Unix socket in that folder, as a non-root user (the server refuses
// root). Skipped, with the reason printed, only where the server or the
// QPSQL driver is not installed.
#include "report/data/TpgxSQLDataSets.h"
#include "report/pages/TpgxDataPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtSql/QSqlDatabase>

#include <pwd.h>
#include <unistd.h>

namespace {

QString serverBinary(const QString &name)
{
    const QStringList versions
        = QDir(QStringLiteral("/usr/lib/postgresql"))
              .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed);
    for (const QString &v : versions) {
        const QString path = QStringLiteral("/usr/lib/postgresql/%1/bin/%2").arg(v, name);
        if (QFile::exists(path))
            return path;
    }
    return QString();
}

class PostgresServer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pgx::registerReportClasses();
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
            GTEST_SKIP() << "the QPSQL driver is not installed (Debian package libqt6sql6-psql)";
        m_initdb = serverBinary(QStringLiteral("initdb"));
        m_pgCtl = serverBinary(QStringLiteral("pg_ctl"));
        if (m_initdb.isEmpty() || m_pgCtl.isEmpty())
            GTEST_SKIP() << "the PostgreSQL server is not installed (Debian package postgresql)";
        ASSERT_TRUE(m_dir.isValid());
        m_data = m_dir.filePath(QStringLiteral("data"));
        if (geteuid() == 0) {
            // The server never runs as root: hand the folder to postgres.
            const passwd *user = getpwnam("postgres");
            ASSERT_NE(user, nullptr) << "running as root without a postgres user";
            ASSERT_EQ(
                chown(QFile::encodeName(m_dir.path()).constData(), user->pw_uid, user->pw_gid), 0);
            m_runAs = {QStringLiteral("runuser"), QStringLiteral("-u"), QStringLiteral("postgres"),
                       QStringLiteral("--")};
        }
        ASSERT_TRUE(run({m_initdb, QStringLiteral("-D"), m_data, QStringLiteral("-A"),
                         QStringLiteral("trust"), QStringLiteral("-U"), QStringLiteral("pgx"),
                         QStringLiteral("--no-sync")}));
        const QString options
            = QStringLiteral("-k %1 -c listen_addresses='' -p 5432").arg(m_dir.path());
        ASSERT_TRUE(run({m_pgCtl, QStringLiteral("-D"), m_data, QStringLiteral("-o"), options,
                         QStringLiteral("-l"), m_dir.filePath(QStringLiteral("log")),
                         QStringLiteral("-w"), QStringLiteral("start")}));
        m_started = true;
    }

    void TearDown() override
    {
        if (m_started)
            run({m_pgCtl, QStringLiteral("-D"), m_data, QStringLiteral("-m"),
                 QStringLiteral("immediate"), QStringLiteral("stop")});
    }

    bool run(QStringList command)
    {
        command = m_runAs + command;
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(command.takeFirst(), command);
        const bool ok = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit
            && p.exitCode() == 0;
        if (!ok)
            ADD_FAILURE() << command.join(u' ').toStdString() << ":\n" << p.readAll().toStdString();
        return ok;
    }

    TpgxSQLConnection *connect(TpgxDataPage *page, const QString &name, const QString &database)
    {
        auto *c = new TpgxSQLConnection(page);
        c->setName(name);
        c->setDriver(QStringLiteral("QPSQL"));
        c->setHost(m_dir.path());
        c->setPort(5432);
        c->setUser(QStringLiteral("pgx"));
        c->setDatabase(database);
        return c;
    }

    QTemporaryDir m_dir;
    QString m_data, m_initdb, m_pgCtl;
    QStringList m_runAs;
    bool m_started = false;
};

TEST_F(PostgresServer, QueriesTablesAndErrorsThroughTheSameClasses)
{
    TpgxReport report;
    auto *page = new TpgxDataPage(&report);
    page->setName(QStringLiteral("Data"));
    TpgxSQLConnection *server = connect(page, QStringLiteral("Server"), QStringLiteral("postgres"));

    // Statements without a result run through a query as well.
    for (const char *sql :
         {"CREATE TABLE parts (id integer, name text, price numeric(8,2), stocked boolean)",
          "INSERT INTO parts VALUES (1, 'bolt', 0.25, true), (2, 'nut', 0.10, false)"}) {
        auto *setup = new TpgxSQLQuery(page);
        setup->makeUniqueName();
        setup->setConnection(server);
        setup->setSql({QString::fromLatin1(sql)});
        setup->first();
        ASSERT_EQ(setup->errorText().toStdString(), "");
        delete setup;
    }

    auto *parts = new TpgxSQLTable(page);
    parts->setName(QStringLiteral("Parts"));
    parts->setConnection(server);
    parts->setTableName(QStringLiteral("parts"));
    parts->setSort(QStringLiteral("id"));
    QStringList seen;
    for (parts->first(); !parts->eof(); parts->next())
        seen.append(parts->getDisplayText(QStringLiteral("name")) + QLatin1Char('=')
                    + parts->getDisplayText(QStringLiteral("price")));
    EXPECT_EQ(seen, (QStringList{"bolt=0.25", "nut=0.1"}));
    EXPECT_EQ(parts->getFieldType(QStringLiteral("stocked")), TpgxDataSet::fftBoolean);
    EXPECT_EQ(parts->getFieldType(QStringLiteral("price")), TpgxDataSet::fftNumeric);

    auto *query = new TpgxSQLQuery(page);
    query->setName(QStringLiteral("Cheap"));
    query->setConnection(server);
    query->setSql({QStringLiteral("SELECT name FROM parts WHERE price < :most::numeric")});
    query->setParams({QStringLiteral("most=0.2")});
    query->first();
    EXPECT_EQ(query->getDisplayText(QStringLiteral("name")), QStringLiteral("nut"));

    auto *broken = new TpgxSQLQuery(page);
    broken->setName(QStringLiteral("Broken"));
    broken->setConnection(server);
    broken->setSql({QStringLiteral("SELECT nosuchcolumn FROM parts")});
    broken->first();
    EXPECT_TRUE(broken->errorText().contains(QStringLiteral("nosuchcolumn")))
        << broken->errorText().toStdString();

    TpgxSQLConnection *missing
        = connect(page, QStringLiteral("Missing"), QStringLiteral("nosuchdb"));
    auto *lost = new TpgxSQLTable(page);
    lost->setName(QStringLiteral("Lost"));
    lost->setConnection(missing);
    lost->setTableName(QStringLiteral("parts"));
    lost->first();
    EXPECT_TRUE(lost->eof());
    EXPECT_TRUE(lost->errorText().startsWith(
        QStringLiteral("Lost: Missing: cannot open the database \"nosuchdb\" (QPSQL): ")))
        << lost->errorText().toStdString();
    EXPECT_TRUE(lost->errorText().contains(QStringLiteral("nosuchdb\" does not exist")))
        << lost->errorText().toStdString();
}

}   // namespace
