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

// The tool never depends on the machine's printers in tests: `env` is the
// environment (without printers unless a test gives it a scheduler of its own).
inline PgrtoolRun runPgrtool(const QStringList &args, QProcessEnvironment env)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PGRTOOL_PATH), args);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

inline PgrtoolRun runPgrtool(const QStringList &args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PGX_VIRTUAL_PRINTER"), QStringLiteral("1"));
    return runPgrtool(args, env);
}

}   // namespace pgx::test
