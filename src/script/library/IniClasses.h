#pragma once

#include "platform/IniDocument.h"
#include "script/library/Classes.h"

namespace pgx::script {

// INI files held in memory (platform IniDocument: comments and order kept).
// The file is read when the object is created (a missing file is an empty
// one). TMemIniFile writes it back when the object is freed, if anything
// changed; TIniFile writes through after every change. Both write through a
// temporary file, so a failed write never damages the old file.
class TCustomIniFile : public TObject
{
    Q_OBJECT
    Q_PROPERTY(QString FileName READ fileName)
public:
    TCustomIniFile(const QString &fileName, bool writeThrough, QObject *parent = nullptr);
    ~TCustomIniFile() override;

    QString fileName() const { return m_fileName; }
    pgx::IniDocument &document() { return m_doc; }
    // Called after every change.
    void changed();
    // Writes the file now (when it has a name).
    void flush();

    QString readString(const QString &section, const QString &ident, const QString &def) const;
    void writeString(const QString &section, const QString &ident, const QString &value);

private:
    QString m_fileName;
    pgx::IniDocument m_doc;
    bool m_writeThrough;
    bool m_dirty = false;
};

class TMemIniFile : public TCustomIniFile
{
    Q_OBJECT
public:
    explicit TMemIniFile(const QString &fileName, QObject *parent = nullptr)
        : TCustomIniFile(fileName, false, parent)
    { }
};

class TIniFile : public TCustomIniFile
{
    Q_OBJECT
public:
    explicit TIniFile(const QString &fileName, QObject *parent = nullptr)
        : TCustomIniFile(fileName, true, parent)
    { }
};

}   // namespace pgx::script
