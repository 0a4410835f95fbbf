#include "platform/XdgDirs.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

namespace pgx::xdg {

namespace {

QString homeRelative(const char *variable, const char *underHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::cleanPath(QDir::homePath() + QLatin1Char('/') + QLatin1String(underHome));
}

QStringList searchPath(const char *variable, const char *fallback)
{
    QString value = qEnvironmentVariable(variable);
    if (value.isEmpty())
        value = QLatin1String(fallback);
    QStringList dirs;
    for (const QString &entry : value.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (!QDir::isAbsolutePath(entry))
            continue;
        const QString clean = QDir::cleanPath(entry);
        if (!dirs.contains(clean))
            dirs.append(clean);
    }
    return dirs;
}

bool writableDir(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() && info.isWritable();
}

}   // namespace

QString configHome()
{
    return homeRelative("XDG_CONFIG_HOME", ".config");
}
QString dataHome()
{
    return homeRelative("XDG_DATA_HOME", ".local/share");
}
QStringList configDirs()
{
    return searchPath("XDG_CONFIG_DIRS", "/etc/xdg");
}
QStringList dataDirs()
{
    return searchPath("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
}

QString firstWritableDir(const QStringList &dirs, const QString &userFallback)
{
    // Only folders that exist count: creating a missing system folder would
    // put files where no desktop looks for them.
    for (const QString &dir : dirs) {
        if (writableDir(dir))
            return dir;
    }
    if (userFallback.isEmpty() || !QDir().mkpath(userFallback) || !writableDir(userFallback))
        return {};
    return userFallback;
}

}   // namespace pgx::xdg
