#include "platform/KeyStore.h"

#include "platform/format/NumberText.h"

#include "platform/SaveFile.h"
#include "platform/XdgDirs.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QUrl>

namespace pgx {

namespace {

const QLatin1String kRegistryPrefix("\\Software\\");
const QLatin1String kVendorFolder("Velmora");
const QLatin1String kClassesFile("Classes.ini");
// Settings files are small; anything larger is not one and is left alone.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// "\a\\b \" -> "a\b": sub-key paths as one canonical text.
QString normalizedKey(const QString &path)
{
    QStringList parts;
    for (const QString &part : path.split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        const QString trimmed = part.trimmed();
        if (!trimmed.isEmpty())
            parts.append(trimmed);
    }
    return parts.join(QLatin1Char('\\'));
}

QString joinKey(const QString &a, const QString &b)
{
    if (a.isEmpty())
        return b;
    if (b.isEmpty())
        return a;
    return a + QLatin1Char('\\') + b;
}

// A key name as a file name: no folder separators, no hidden or dot files.
QString fileNameForKey(const QString &key)
{
    QByteArray encoded = QUrl::toPercentEncoding(key, " ");
    if (encoded.startsWith('.'))
        encoded.replace(0, 1, "%2E");
    return QString::fromUtf8(encoded);
}

void addUnique(QStringList &list, const QString &name)
{
    if (std::none_of(list.begin(), list.end(), [&](const QString &n) { return sameName(n, name); }))
        list.append(name);
}

}   // namespace

bool KeyStore::isRegistryName(const QString &name)
{
    return name.startsWith(kRegistryPrefix, Qt::CaseInsensitive);
}

QString KeyStore::fileNameFor(const QString &name)
{
    if (!isRegistryName(name))
        return name.isEmpty() ? QString() : QFileInfo(name).absoluteFilePath();
    const QString key = normalizedKey(name.mid(kRegistryPrefix.size()));
    if (key.isEmpty())
        return {};
    const QString hive = key.section(QLatin1Char('\\'), 0, 0);
    return xdg::configHome() + QLatin1Char('/') + kVendorFolder + QLatin1Char('/')
        + fileNameForKey(hive) + QLatin1String(".ini");
}

QString KeyStore::machineClassesFile()
{
    const QString root = xdg::machineConfigDir();
    if (root.isEmpty())
        return {};
    return root + QLatin1Char('/') + kVendorFolder + QLatin1Char('/') + kClassesFile;
}

KeyStore::KeyStore(const QString &name) : m_name(name), m_fileName(fileNameFor(name))
{
    if (isRegistryName(name))
        m_rootKey = normalizedKey(name.mid(kRegistryPrefix.size())).section(QLatin1Char('\\'), 1);
    if (m_fileName.isEmpty()) {
        m_error = QStringLiteral("No settings file for \"%1\"").arg(name);
        return;
    }
    const QFileInfo info(m_fileName);
    if (!info.exists()) {
        m_valid = true;
        return;
    }
    QFile file(m_fileName);
    if (!info.isFile() || info.size() > kMaxFileSize) {
        m_error = QStringLiteral("\"%1\" is not a settings file").arg(m_fileName);
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("Cannot read \"%1\": %2").arg(m_fileName, file.errorString());
        return;
    }
    m_doc = IniDocument::parse(file.readAll());
    m_valid = true;
}

KeyStore::~KeyStore()
{
    // As settings objects do: pending changes are kept when the store goes.
    // Callers that must know whether that worked call save() themselves.
    if (m_modified)
        save();
}

QString KeyStore::fileSection(const QString &section) const
{
    return joinKey(m_rootKey, normalizedKey(section));
}

std::optional<QString> KeyStore::relativeSection(const QString &fileSection) const
{
    const QString key = normalizedKey(fileSection);
    if (m_rootKey.isEmpty())
        return key;
    if (sameName(key, m_rootKey))
        return QString();
    if (key.size() > m_rootKey.size() && key.at(m_rootKey.size()) == QLatin1Char('\\')
        && sameName(key.first(m_rootKey.size()), m_rootKey))
        return key.mid(m_rootKey.size() + 1);
    return std::nullopt;
}

QStringList KeyStore::sections() const
{
    QStringList result;
    for (const QString &fileSection : m_doc.sectionNames()) {
        if (const std::optional<QString> relative = relativeSection(fileSection))
            addUnique(result, *relative);
    }
    return result;
}

QStringList KeyStore::subKeys(const QString &section) const
{
    const QString parent = normalizedKey(section);
    QStringList result;
    for (const QString &key : sections()) {
        if (key.isEmpty())
            continue;
        if (parent.isEmpty()) {
            addUnique(result, key.section(QLatin1Char('\\'), 0, 0));
        } else if (key.size() > parent.size() && key.at(parent.size()) == QLatin1Char('\\')
                   && sameName(key.first(parent.size()), parent)) {
            addUnique(result, key.mid(parent.size() + 1).section(QLatin1Char('\\'), 0, 0));
        }
    }
    return result;
}

QStringList KeyStore::valueNames(const QString &section) const
{
    return m_doc.valueNames(fileSection(section));
}

bool KeyStore::sectionExists(const QString &section) const
{
    // A key exists when it holds values or has sub-keys below it.
    const QString key = normalizedKey(section);
    if (key.isEmpty())
        return !sections().isEmpty();
    const QStringList all = sections();
    return std::any_of(all.begin(), all.end(), [&](const QString &s) {
        return sameName(s, key)
            || (s.size() > key.size() && s.at(key.size()) == QLatin1Char('\\')
                && sameName(s.first(key.size()), key));
    });
}

bool KeyStore::valueExists(const QString &section, const QString &name) const
{
    return m_doc.value(fileSection(section), name).has_value();
}

QString KeyStore::readString(const QString &section, const QString &name,
                             const QString &defaultValue) const
{
    return m_doc.value(fileSection(section), name).value_or(defaultValue);
}

qint64 KeyStore::readInteger(const QString &section, const QString &name, qint64 defaultValue) const
{
    const QString text = readString(section, name).trimmed();
    bool ok = false;
    qint64 value = 0;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toLongLong(&ok, 16);
    else if (text.startsWith(QLatin1Char('$')))
        value = text.mid(1).toLongLong(&ok, 16);
    else
        value = text.toLongLong(&ok, 10);
    return ok ? value : defaultValue;
}

bool KeyStore::readBool(const QString &section, const QString &name, bool defaultValue) const
{
    const QString text = readString(section, name).trimmed();
    bool isNumber = false;
    const qint64 number = text.toLongLong(&isNumber);
    if (isNumber)
        return number != 0;
    for (const char *word : {"true", "yes", "on"}) {
        if (sameName(text, QLatin1String(word)))
            return true;
    }
    for (const char *word : {"false", "no", "off"}) {
        if (sameName(text, QLatin1String(word)))
            return false;
    }
    return defaultValue;
}

double KeyStore::readFloat(const QString &section, const QString &name, double defaultValue) const
{
    return format::parseFileFloat(readString(section, name)).value_or(defaultValue);
}

bool KeyStore::writeRaw(const QString &section, const QString &name, const QString &value)
{
    const QString target = fileSection(section);
    if (!m_valid || !IniDocument::isValidSectionName(target))
        return false;
    if (m_doc.value(target, name) == value)
        return true;
    m_doc.setValue(target, name, value);
    m_modified = true;
    return true;
}

bool KeyStore::createSection(const QString &section)
{
    const QString target = fileSection(section);
    if (!m_valid || !IniDocument::isValidSectionName(target))
        return false;
    if (!target.isEmpty() && !m_doc.hasSection(target)) {
        m_doc.addSection(target);
        m_modified = true;
    }
    return true;
}

bool KeyStore::writeString(const QString &section, const QString &name, const QString &value)
{
    return writeRaw(section, name, value);
}

bool KeyStore::writeInteger(const QString &section, const QString &name, qint64 value)
{
    return writeRaw(section, name, QString::number(value));
}

bool KeyStore::writeBool(const QString &section, const QString &name, bool value)
{
    return writeRaw(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool KeyStore::writeFloat(const QString &section, const QString &name, double value)
{
    return writeRaw(section, name, format::fileFloatText(value));
}

bool KeyStore::deleteValue(const QString &section, const QString &name)
{
    if (!m_valid || !m_doc.removeValue(fileSection(section), name))
        return false;
    m_modified = true;
    return true;
}

bool KeyStore::deleteSection(const QString &section)
{
    if (!m_valid)
        return false;
    const QString key = normalizedKey(section);
    bool removed = false;
    for (const QString &s : sections()) {
        const bool inside = key.isEmpty() || sameName(s, key)
            || (s.size() > key.size() && s.at(key.size()) == QLatin1Char('\\')
                && sameName(s.first(key.size()), key));
        if (inside)
            removed = m_doc.removeSection(joinKey(m_rootKey, s)) || removed;
    }
    m_modified = m_modified || removed;
    return removed;
}

bool KeyStore::save()
{
    if (!m_valid)
        return false;
    if (!m_modified)
        return true;
    if (!QDir().mkpath(QFileInfo(m_fileName).absolutePath())) {
        m_error = QStringLiteral("Cannot create the folder of \"%1\"").arg(m_fileName);
        return false;
    }
    if (const QString error = saveFile(m_fileName, m_doc.serialize()); !error.isEmpty()) {
        m_error = error;
        return false;
    }
    m_modified = false;
    return true;
}

}   // namespace pgx
