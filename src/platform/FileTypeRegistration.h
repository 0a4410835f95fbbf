#pragma once

#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <utility>

namespace pgx {

// Makes the program the handler of `.pgr` templates, on every start.
//
// Two registrations are written, both per machine where the process may
// write there and per user otherwise:
// - the four class keys, each as the key's default value, in this order, to
//   the key store of KeyStore::machineClassesFile(), so that they read back
//   exactly as other programs of the family expect them;
// - the desktop's own: a shared-mime-info package for `*.pgr` in
//   `<datadir>/mime/packages/` and a `.desktop` entry in
//   `<datadir>/applications/`, `<datadir>` being the first writable folder of
//   $XDG_DATA_DIRS, else $XDG_DATA_HOME, with the program's icon (the red
//   "Pgr" of the splash, as SVG) in the hicolor theme for both. When a file changed (or the
//   database was never built) the MIME and desktop databases are refreshed
//   by their tools, if installed, in the background so start-up never waits.
//
// Whatever cannot be written is skipped without a message and the rest goes
// on; registration is a courtesy to the desktop, never a reason to fail.
class FileTypeRegistration
{
public:
    static constexpr const char *kMimeType = "application/x-pagoryn-template";
    static constexpr const char *kDescription = "Formatka wydruku Pagoryn4";
    static constexpr const char *kMimePackageFile = "velmora-pagoryn.xml";
    static constexpr const char *kDesktopFile = "velmora-pagoryn.desktop";
    static constexpr const char *kIconName = "velmora-pagoryn";

    explicit FileTypeRegistration(QString executablePath);

    // Key path and default value of the four class keys, in writing order.
    QList<std::pair<QString, QString>> classKeys() const;
    QByteArray mimePackage() const;
    QByteArray desktopEntry() const;
    static QByteArray iconImage();

    // What one run wrote (empty where nothing could be written).
    struct Outcome
    {
        QString classesFile;
        QStringList keysWritten;
        QString mimePackagePath;
        QString desktopEntryPath;
        QString iconPath;
        QStringList toolsStarted;   // programs started to refresh a database
    };
    Outcome registerAll() const;

    // One argument of a desktop entry's Exec line, quoted by the rules of the
    // desktop entry format (reserved characters escaped inside double
    // quotes, '%' doubled), before the string escaping of the file itself.
    static QString quoteExecArgument(const QString &argument);
    // A string value of a desktop entry file: '\', newline, tab and CR escaped.
    static QString escapeDesktopValue(const QString &value);

private:
    void writeClassKeys(Outcome &outcome) const;
    void writeDesktopFiles(Outcome &outcome) const;

    QString m_executable;
};

}   // namespace pgx
