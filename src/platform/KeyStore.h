#pragma once

#include "platform/IniDocument.h"

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <optional>

namespace pgx {

// The settings store a report's `IniFile` names, and the per-machine store of
// the file-type keys.
//
// A name beginning with `\Software\` (in any case) is a key of the per-user
// registry. Each key directly below `\Software\` is one INI file under
// `$XDG_CONFIG_HOME/Velmora/` (`\Software\Velmora` -> `Velmora/Velmora.ini`),
// and deeper keys become its sections: the store opened on
// `\Software\Velmora` sees `\Software\Velmora\Resources` as its sub-key
// `Resources`, kept as section `[Resources]` of `Velmora.ini`; the values of
// the opened key itself live in the lines before the first section. Any
// other name is the path of an INI file whose sections are the sub-keys.
//
// Sections are sub-key paths relative to the opened key, separated by '\'
// ("" is the opened key itself). Names of keys and values compare without
// regard to case. The value name "" is a key's default (unnamed) value,
// written `@` in the file.
//
// The file is read once, when the store is opened; changes stay in memory
// until save(), which the destructor also calls. Saving writes a temporary
// file beside the target and renames it over, so a failed save leaves the
// old file whole. A file that exists but cannot be read is never
// overwritten: the store then reads defaults and refuses to save.
class KeyStore
{
public:
    explicit KeyStore(const QString &name);
    ~KeyStore();
    KeyStore(const KeyStore &) = delete;
    KeyStore &operator=(const KeyStore &) = delete;

    // The INI file a settings name maps to ("" for `\Software\` with no key).
    static QString fileNameFor(const QString &name);
    static bool isRegistryName(const QString &name);
    // The per-machine store of the file-type classes: `Velmora/Classes.ini`
    // under the first writable folder of $XDG_CONFIG_DIRS, else under
    // $XDG_CONFIG_HOME; "" when neither can be written.
    static QString machineClassesFile();

    const QString &name() const { return m_name; }
    const QString &fileName() const { return m_fileName; }
    bool isRegistryKey() const { return isRegistryName(m_name); }
    // False when the name maps to no file or the file could not be read;
    // the store then answers every read with its default.
    bool isValid() const { return m_valid; }
    const QString &errorString() const { return m_error; }

    QStringList sections() const;   // every sub-key holding values or created, any depth
    QStringList subKeys(const QString &section = {}) const;   // direct children only
    QStringList valueNames(const QString &section) const;
    bool sectionExists(const QString &section) const;
    bool valueExists(const QString &section, const QString &name) const;

    QString readString(const QString &section, const QString &name,
                       const QString &defaultValue = {}) const;
    // Decimal, or hexadecimal written "0x1F" or "$1F".
    qint64 readInteger(const QString &section, const QString &name, qint64 defaultValue = 0) const;
    // A number (non-zero is true) or the words true/false, yes/no.
    bool readBool(const QString &section, const QString &name, bool defaultValue = false) const;
    // Accepts '.' or ',' as the decimal separator whatever the locale.
    double readFloat(const QString &section, const QString &name, double defaultValue = 0.0) const;

    // Writing fails (returns false) only for a section name that cannot be
    // kept (control characters) or a store that is not valid.
    bool createSection(const QString &section);
    bool writeString(const QString &section, const QString &name, const QString &value);
    bool writeInteger(const QString &section, const QString &name, qint64 value);
    bool writeBool(const QString &section, const QString &name, bool value);      // "1" or "0"
    bool writeFloat(const QString &section, const QString &name, double value);   // '.', 15 digits

    bool deleteValue(const QString &section, const QString &name);
    bool deleteSection(const QString &section);   // with its sub-keys

    bool isModified() const { return m_modified; }
    // Writes the file when something changed; creates its folder.
    bool save();

private:
    QString fileSection(const QString &section) const;   // section of the INI file
    std::optional<QString>
    relativeSection(const QString &fileSection) const;   // inverse; none when outside
    bool writeRaw(const QString &section, const QString &name, const QString &value);

    QString m_name;
    QString m_fileName;
    QString m_rootKey;   // sub-key of the file the store was opened on ("" for the file itself)
    IniDocument m_doc;
    QString m_error;
    bool m_valid = false;
    bool m_modified = false;
};

}   // namespace pgx
