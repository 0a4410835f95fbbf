#pragma once

#include <QtCore/QProcess>
#include <QtCore/QProcessEnvironment>
#include <QtCore/QStringList>

namespace pgx::test {

// One run of the real pgrtool binary, as a batch job would see it.
struct PgrtoolRun
{
    int exitCode;
    QString out;
    QString err;
};

inline PgrtoolRun runPgrtool(const QStringList &args)
{
    QProcess process;
    // The tool never depends on the machine's printers in tests.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PGX_VIRTUAL_PRINTER"), QStringLiteral("1"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PGRTOOL_PATH), args);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

}   // namespace pgx::test
