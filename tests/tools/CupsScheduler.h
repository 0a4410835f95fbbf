#pragma once

// A CUPS scheduler of the test's own: its configuration, spool and socket in
// a temporary folder, and queues whose backend keeps every job that arrives
// (the document, the job's options and copies) in a folder the test reads.

#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QProcessEnvironment>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtCore/QThread>

#include <unistd.h>

namespace pgx::test {

class CupsScheduler
{
public:
    // What arrived for one job.
    struct Job
    {
        QByteArray document;
        QString options;   // "name=value name=value ..." as the backend got them
        int copies = 0;
    };

    CupsScheduler()
    {
        const QString cupsd = QStandardPaths::findExecutable(QStringLiteral("cupsd"),
                                                             {QStringLiteral("/usr/sbin")});
        if (cupsd.isEmpty()) {
            m_why = QStringLiteral("cupsd is not installed");
            return;
        }
        if (!m_dir.isValid()) {
            m_why = QStringLiteral("no temporary folder");
            return;
        }
        const QString root = m_dir.path();
        for (const char *sub : {"spool", "cache", "state", "log", "tmp", "ppd", "out",
                                "bin/backend", "bin/filter", "bin/daemon"})
            QDir(root).mkpath(QString::fromLatin1(sub));
        // The backend runs as the scheduler's unprivileged user.
        QFile::setPermissions(root + QStringLiteral("/out"), QFileDevice::Permissions(0x7777));
        QFile::setPermissions(root, QFileDevice::Permissions(0x7755));
        write(QStringLiteral("cupsd.conf"),
              QStringLiteral("Listen %1/cups.sock\nLogLevel info\nWebInterface No\n"
                             "Browsing No\nDefaultAuthType None\n"
                             "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                             "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                             "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                             "  </Limit>\n</Policy>\n")
                  .arg(root));
        QString files = QStringLiteral("ServerRoot %1\nServerBin %1/bin\nRequestRoot %1/spool\n"
                                       "CacheDir %1/cache\nStateDir %1/state\nTempDir %1/tmp\n"
                                       "ErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                                       "PageLog %1/log/page_log\n")
                            .arg(root);
        // As root the scheduler insists on a user of its own for backends.
        if (geteuid() == 0)
            files += QStringLiteral("User lp\nGroup lp\nSystemGroup root\n");
        write(QStringLiteral("cups-files.conf"), files);
        // The capture backend: the options and copies first, then the
        // document, then a mark that the job is complete.
        write(
            QStringLiteral("bin/backend/capture"),
            QStringLiteral("#!/bin/sh\n"
                           "[ $# -eq 0 ] && { echo 'direct capture \"Unknown\" \"Capture\"'; "
                           "exit 0; }\n"
                           "out=${DEVICE_URI#capture:}\n"
                           "printf '%s' \"$5\" > \"$out/job-$1.options\"\n"
                           "printf '%s' \"$4\" > \"$out/job-$1.copies\"\n"
                           "if [ -n \"$6\" ]; then cat \"$6\"; else cat; fi > \"$out/job-$1.doc\"\n"
                           "touch \"$out/job-$1.done\"\n"));
        QFile::setPermissions(root + QStringLiteral("/bin/backend/capture"),
                              QFileDevice::Permissions(0x7755));
        // The scheduler starts every backend through its own helper.
        const QString exec = QStringLiteral("/usr/lib/cups/daemon/cups-exec");
        if (!QFile::link(exec, root + QStringLiteral("/bin/daemon/cups-exec"))) {
            m_why = QStringLiteral("%1 is missing").arg(exec);
            return;
        }

        m_env = QProcessEnvironment::systemEnvironment();
        m_env.remove(QStringLiteral("PGX_VIRTUAL_PRINTER"));
        m_env.insert(QStringLiteral("CUPS_SERVER"), socket());
        m_cupsd.setProcessEnvironment(m_env);
        m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
        m_cupsd.start(cupsd,
                      {QStringLiteral("-f"), QStringLiteral("-c"),
                       root + QStringLiteral("/cupsd.conf"), QStringLiteral("-s"),
                       root + QStringLiteral("/cups-files.conf")});
        if (!m_cupsd.waitForStarted(5000)) {
            m_why = QStringLiteral("cupsd did not start: %1").arg(m_cupsd.errorString());
            return;
        }
        QElapsedTimer waited;
        waited.start();
        while (!QFile::exists(socket()) && waited.elapsed() < 10000
               && m_cupsd.state() == QProcess::Running)
            QThread::msleep(50);
        if (!QFile::exists(socket())) {
            m_why = QStringLiteral("cupsd did not listen: %1 %2")
                        .arg(QString::fromLocal8Bit(m_cupsd.readAll()), log());
            return;
        }
        m_running = true;
    }

    ~CupsScheduler()
    {
        if (m_cupsd.state() != QProcess::NotRunning) {
            m_cupsd.terminate();
            if (!m_cupsd.waitForFinished(5000))
                m_cupsd.kill();
            m_cupsd.waitForFinished(2000);
        }
    }

    bool isRunning() const { return m_running; }
    // Why the scheduler could not be started.
    const QString &whyNot() const { return m_why; }
    // The environment that makes libcups talk to this scheduler only.
    const QProcessEnvironment &environment() const { return m_env; }
    QString socket() const { return m_dir.path() + QStringLiteral("/cups.sock"); }

    // A queue taking any document as it is; empty on success, else lpadmin's
    // complaint.
    QString addQueue(const QString &name)
    {
        return run(QStringLiteral("lpadmin"),
                   {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                    QStringLiteral("capture:%1/out").arg(m_dir.path())});
    }
    QString run(const QString &program, const QStringList &args)
    {
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, args);
        if (!process.waitForFinished(15000) || process.exitCode() != 0)
            return program + QLatin1Char(' ') + args.join(QLatin1Char(' ')) + QStringLiteral(": ")
                + QString::fromLocal8Bit(process.readAll());
        return {};
    }

    // The job as the backend wrote it, once it has; nothing after `timeoutMs`.
    std::optional<Job> waitForJob(int id, int timeoutMs = 20000) const
    {
        const QString base = m_dir.path() + QStringLiteral("/out/job-%1.").arg(id);
        QElapsedTimer waited;
        waited.start();
        while (!QFile::exists(base + QStringLiteral("done")) && waited.elapsed() < timeoutMs)
            QThread::msleep(50);
        if (!QFile::exists(base + QStringLiteral("done")))
            return std::nullopt;
        Job job;
        job.document = read(base + QStringLiteral("doc"));
        job.options = QString::fromUtf8(read(base + QStringLiteral("options")));
        job.copies = read(base + QStringLiteral("copies")).toInt();
        return job;
    }

    QString log() const
    {
        return QString::fromUtf8(read(m_dir.path() + QStringLiteral("/log/error_log")));
    }

private:
    void write(const QString &name, const QString &text)
    {
        QFile file(m_dir.path() + QLatin1Char('/') + name);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(text.toUtf8());
    }
    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    QProcess m_cupsd;
    QProcessEnvironment m_env;
    QString m_why;
    bool m_running = false;
};

}   // namespace pgx::test
