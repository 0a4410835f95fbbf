#pragma once

#include <QtCore/QString>
#include <QtCore/QStringList>

namespace pgx::xdg {

// The freedesktop base directories, read from the environment on every call
// so that tests (and a changed environment) are honoured. Relative entries
// are invalid by the base-directory rules and are dropped.
QString configHome();       // $XDG_CONFIG_HOME, else ~/.config
QString dataHome();         // $XDG_DATA_HOME, else ~/.local/share
QStringList configDirs();   // $XDG_CONFIG_DIRS, else /etc/xdg
QStringList dataDirs();     // $XDG_DATA_DIRS, else /usr/local/share:/usr/share

// The per-machine folder: the first existing folder of `dirs` this process
// can write to; where there is none, `userFallback` (created if missing).
// Returns an empty string when not even the fallback can be had.
QString firstWritableDir(const QStringList &dirs, const QString &userFallback);

// Per-machine roots of the key store and of the desktop integration.
inline QString machineConfigDir()
{
    return firstWritableDir(configDirs(), configHome());
}
inline QString machineDataDir()
{
    return firstWritableDir(dataDirs(), dataHome());
}

}   // namespace pgx::xdg
