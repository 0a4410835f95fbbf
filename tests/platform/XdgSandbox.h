#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>

#include <map>
#include <optional>
#include <string>

namespace pgx::test {

// Points the four XDG base-directory variables at folders of a temporary
// directory for the lifetime of a test, and puts them back afterwards:
//   <tmp>/config-home  <tmp>/data-home  <tmp>/etc-xdg  <tmp>/usr-share
// The per-machine folders exist; the per-user ones are created on demand.
// PATH is pointed at the empty <tmp>/bin, so that no desktop database tool
// runs in the background unless a test links it there with linkTool().
class XdgSandbox
{
public:
    XdgSandbox()
    {
        for (const char *name : kVariables)
            m_saved[name]
                = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
        QDir().mkpath(path("etc-xdg"));
        QDir().mkpath(path("usr-share"));
        set("XDG_CONFIG_HOME", path("config-home"));
        set("XDG_DATA_HOME", path("data-home"));
        set("XDG_CONFIG_DIRS", path("etc-xdg"));
        set("XDG_DATA_DIRS", path("usr-share"));
        QDir().mkpath(path("bin"));
        set("PATH", path("bin"));
    }
    ~XdgSandbox()
    {
        for (const auto &[name, value] : m_saved) {
            if (value)
                qputenv(name.c_str(), *value);
            else
                qunsetenv(name.c_str());
        }
    }
    XdgSandbox(const XdgSandbox &) = delete;
    XdgSandbox &operator=(const XdgSandbox &) = delete;

    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    static void set(const char *name, const QString &value) { qputenv(name, value.toLocal8Bit()); }

    // A path that exists but is no folder: no process can write below it,
    // whatever its rights (tests may run as root, who ignores permissions).
    QString blockedPath(const QString &relative) const
    {
        QFile file(path(relative));
        file.open(QIODevice::WriteOnly);
        return file.fileName();
    }

    // Makes the installed `tool` (searched on the PATH the test started
    // with) visible to the code under test; false when it is not installed.
    bool linkTool(const QString &tool) const
    {
        const auto &saved = m_saved.at("PATH");
        const QString found = QStandardPaths::findExecutable(
            tool, saved ? QString::fromLocal8Bit(*saved).split(QLatin1Char(':')) : QStringList());
        return !found.isEmpty() && QFile::link(found, path("bin/") + tool);
    }

    static QByteArray readFile(const QString &fileName)
    {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    static constexpr const char *kVariables[]
        = {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_DIRS", "PATH"};
    QTemporaryDir m_dir;
    std::map<std::string, std::optional<QByteArray>> m_saved;
};

}   // namespace pgx::test
