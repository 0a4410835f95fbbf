#include "platform/FileTypeRegistration.h"

#include "platform/KeyStore.h"
#include "platform/SaveFile.h"
#include "platform/XdgDirs.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>

namespace pgx {

namespace {

// Writes `content` to `path` unless it holds exactly that already, by
// temporary file and rename. Returns whether the file now holds `content`;
// `changed` tells whether it had to be written.
bool writeIfDifferent(const QString &path, const QByteArray &content, bool &changed)
{
    changed = false;
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && current.size() == content.size()
        && current.readAll() == content)
        return true;
    current.close();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    if (!saveFile(path, content).isEmpty())
        return false;
    changed = true;
    return true;
}

// A database needs its tool when one of its sources changed or it was never built.
bool needsRefresh(bool changed, const QString &cacheFile, const QString &source)
{
    const QFileInfo cache(cacheFile);
    return changed || !cache.exists() || cache.lastModified() < QFileInfo(source).lastModified();
}

// Starts a database tool without a shell and without waiting: the tools can
// take a second on a full system folder, and they finish on their own after
// this process has ended.
bool startTool(const QString &tool, const QString &folder)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return false;
    QProcess process;
    process.setProgram(program);
    process.setArguments({folder});
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

}   // namespace

FileTypeRegistration::FileTypeRegistration(QString executablePath)
    : m_executable(std::move(executablePath))
{ }

QList<std::pair<QString, QString>> FileTypeRegistration::classKeys() const
{
    const QString quote(QLatin1Char('"'));
    return {
        {QStringLiteral(".pgr"), QStringLiteral("PgrView.pgr")},
        {QStringLiteral("PgrView.pgr"), QString::fromUtf8(kDescription)},
        {QStringLiteral("PgrView.pgr\\DefaultIcon"), m_executable + QLatin1String(",0")},
        // The open command quotes both the program and "%1", so that a path
        // with blanks arrives whole as the first argument.
        {QStringLiteral("PgrView.pgr\\Shell\\Open\\Command"),
         quote + m_executable + quote + QLatin1Char(' ') + quote + QLatin1String("%1") + quote},
    };
}

QByteArray FileTypeRegistration::mimePackage() const
{
    return QByteArrayLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"")
        + kMimeType
        + QByteArrayLiteral("\">\n"
                            "    <comment>")
        + kDescription
        + QByteArrayLiteral("</comment>\n"
                            "    <sub-class-of type=\"application/xml\"/>\n"
                            "    <icon name=\"")
        + kIconName
        + QByteArrayLiteral("\"/>\n"
                            "    <glob pattern=\"*.pgr\"/>\n"
                            "    <root-XML namespaceURI=\"\" localName=\"TpgxReport\"/>\n"
                            "  </mime-type>\n"
                            "</mime-info>\n");
}

QByteArray FileTypeRegistration::desktopEntry() const
{
    const QString exec = quoteExecArgument(m_executable) + QLatin1String(" %f");
    const QString text = QLatin1String("[Desktop Entry]\n"
                                       "Type=Application\n"
                                       "Name=Pagoryn\n"
                                       "Exec=")
        + escapeDesktopValue(exec)
        + QLatin1String("\n"
                        "Icon=")
        + QLatin1String(kIconName)
        + QLatin1String("\n"
                        "MimeType=")
        + QLatin1String(kMimeType)
        + QLatin1String(";\n"
                        "Terminal=false\n"
                        "Categories=Office;\n");
    return text.toUtf8();
}

QByteArray FileTypeRegistration::iconImage()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" viewBox=\"0 0 64 "
        "64\">\n"
        "  <rect x=\"1\" y=\"1\" width=\"62\" height=\"62\" fill=\"#ffffff\" stroke=\"#000000\" "
        "stroke-width=\"2\"/>\n"
        "  <text x=\"32\" y=\"41\" font-family=\"Tahoma, Liberation Sans, DejaVu Sans, "
        "sans-serif\" font-size=\"26\"\n"
        "        font-weight=\"bold\" fill=\"#ff0000\" text-anchor=\"middle\">Pgr</text>\n"
        "</svg>\n");
}

QString FileTypeRegistration::quoteExecArgument(const QString &argument)
{
    QString out(QLatin1Char('"'));
    for (QChar c : argument) {
        switch (c.unicode()) {
        case '"':
        case '`':
        case '$':
        case '\\':
            out += QLatin1Char('\\');
            out += c;
            break;
        case '%': out += QLatin1String("%%"); break;
        default: out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

QString FileTypeRegistration::escapeDesktopValue(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (QChar c : value) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\r': out += QLatin1String("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

void FileTypeRegistration::writeClassKeys(Outcome &outcome) const
{
    outcome.classesFile = KeyStore::machineClassesFile();
    if (outcome.classesFile.isEmpty())
        return;
    // Each key on its own open-write-close, so that one that cannot be
    // written does not keep the next from being tried.
    for (const auto &[key, value] : classKeys()) {
        KeyStore store(outcome.classesFile);
        if (store.writeString(key, QString(), value) && store.save())
            outcome.keysWritten.append(key);
    }
}

void FileTypeRegistration::writeDesktopFiles(Outcome &outcome) const
{
    const QString dataDir = xdg::machineDataDir();
    if (dataDir.isEmpty())
        return;

    const QString icon = dataDir + QLatin1String("/icons/hicolor/scalable/apps/")
        + QLatin1String(kIconName) + QLatin1String(".svg");
    bool changed = false;
    if (writeIfDifferent(icon, iconImage(), changed))
        outcome.iconPath = icon;

    const QString mimeDir = dataDir + QLatin1String("/mime");
    const QString package = mimeDir + QLatin1String("/packages/") + QLatin1String(kMimePackageFile);
    if (writeIfDifferent(package, mimePackage(), changed)) {
        outcome.mimePackagePath = package;
        if (needsRefresh(changed, mimeDir + QLatin1String("/mime.cache"), package)
            && startTool(QStringLiteral("update-mime-database"), mimeDir))
            outcome.toolsStarted.append(QStringLiteral("update-mime-database"));
    }

    const QString appsDir = dataDir + QLatin1String("/applications");
    const QString entry = appsDir + QLatin1Char('/') + QLatin1String(kDesktopFile);
    if (writeIfDifferent(entry, desktopEntry(), changed)) {
        outcome.desktopEntryPath = entry;
        if (needsRefresh(changed, appsDir + QLatin1String("/mimeinfo.cache"), entry)
            && startTool(QStringLiteral("update-desktop-database"), appsDir))
            outcome.toolsStarted.append(QStringLiteral("update-desktop-database"));
    }
}

FileTypeRegistration::Outcome FileTypeRegistration::registerAll() const
{
    Outcome outcome;
    writeClassKeys(outcome);
    writeDesktopFiles(outcome);
    return outcome;
}

}   // namespace pgx
