#pragma once

// The general-purpose classes scripts create and use: lists, strings,
// streams and components. Each is a QObject so that its simple properties
// reach scripts through the one reflection; indexed properties and methods
// are registered by ClassesModule.

#include <QtCore/QIODevice>
#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QStringList>

#include <memory>

class QBuffer;

namespace pgx::script {

class TObject : public QObject
{
    Q_OBJECT
public:
    explicit TObject(QObject *parent = nullptr) : QObject(parent) { }
    // Script objects may free what scripts created; anything else (host
    // objects handed to the script) stays alive and the call raises.
    bool ScriptCreated = false;
    virtual void ScriptFree();
};

class TPersistent : public TObject
{
    Q_OBJECT
public:
    using TObject::TObject;
    // Raises "Cannot assign a <source class> to a <this class>".
    virtual void Assign(QObject *source);
};

class TCollectionItem : public TPersistent
{
    Q_OBJECT
public:
    using TPersistent::TPersistent;
};

class TCollection : public TPersistent
{
    Q_OBJECT
public:
    using TPersistent::TPersistent;
    QList<TCollectionItem *> Items;   // owned (children)
    void Clear();
};

class TList : public TObject
{
    Q_OBJECT
public:
    using TObject::TObject;
    QList<qint64> Items;   // object handles
    void checkIndex(qint64 index) const;
};

class TStream;

class TStrings : public TPersistent
{
    Q_OBJECT
    Q_PROPERTY(QString CommaText READ CommaText WRITE SetCommaText)
    Q_PROPERTY(int Count READ Count)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
public:
    using TPersistent::TPersistent;

    int Count() const { return int(m_strings.size()); }
    QString Text() const;
    void SetText(const QString &text);
    QString CommaText() const;
    void SetCommaText(const QString &text);

    virtual int Add(const QString &s) { return AddObject(s, 0); }
    virtual int AddObject(const QString &s, qint64 object);
    virtual void Insert(int index, const QString &s) { InsertObject(index, s, 0); }
    virtual void InsertObject(int index, const QString &s, qint64 object);
    virtual int IndexOf(const QString &s) const;
    virtual void Clear();
    void Delete(int index);
    int IndexOfName(const QString &name) const;
    int IndexOfObject(qint64 object) const;
    void Move(int curIndex, int newIndex);
    QString Get(int index) const;
    virtual void Put(int index, const QString &s);
    qint64 GetObject(int index) const;
    void PutObject(int index, qint64 object);
    QString Name(int index) const;
    QString Value(const QString &name) const;
    void SetValue(const QString &name, const QString &value);
    void LoadFromFile(const QString &fileName);
    void SaveToFile(const QString &fileName) const;
    void LoadFromStream(TStream *stream);
    void SaveToStream(TStream *stream) const;
    void Assign(QObject *source) override;
    // Replaces the contents at once (INI sections, loading).
    virtual void SetStrings(const QStringList &strings);
    const QStringList &Strings() const { return m_strings; }

protected:
    void checkIndex(qint64 index) const;
    QStringList m_strings;
    QList<qint64> m_objects;
};

class TStringList : public TStrings
{
    Q_OBJECT
public:
    enum TDuplicates { dupIgnore, dupAccept, dupError };
    Q_ENUM(TDuplicates)
private:
    Q_PROPERTY(TDuplicates Duplicates READ Duplicates WRITE SetDuplicates)
    Q_PROPERTY(bool Sorted READ Sorted WRITE SetSorted)
public:
    using TStrings::TStrings;
    TDuplicates Duplicates() const { return m_duplicates; }
    void SetDuplicates(TDuplicates d) { m_duplicates = d; }
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool sorted);

    int AddObject(const QString &s, qint64 object) override;
    void InsertObject(int index, const QString &s, qint64 object) override;
    int IndexOf(const QString &s) const override;
    void Put(int index, const QString &s) override;
    // Binary search of a sorted list (a linear one otherwise): whether s is
    // there, and the index where it is or would be inserted.
    bool Find(const QString &s, int *index) const;
    void Sort();

private:
    TDuplicates m_duplicates = dupIgnore;
    bool m_sorted = false;
};

class TStream : public TObject
{
    Q_OBJECT
    Q_PROPERTY(qint64 Position READ Position WRITE SetPosition)
    Q_PROPERTY(qint64 Size READ Size)
    Q_CLASSINFO("pgx:type:Position", "Longint")
    Q_CLASSINFO("pgx:type:Size", "Longint")
public:
    explicit TStream(QObject *parent = nullptr) : TObject(parent) { }
    ~TStream() override;
    QIODevice *Device() const { return m_device.get(); }
    qint64 Position() const;
    void SetPosition(qint64 position);
    qint64 Size() const;
    // Reads up to count bytes; the buffer is resized to what was read.
    QByteArray Read(qint64 count);
    qint64 Write(const QByteArray &bytes);
    qint64 Seek(qint64 offset, int origin);
    qint64 CopyFrom(TStream *source, qint64 count);
    // The whole contents, and writing all of them at the position.
    QByteArray ReadAll();

protected:
    std::unique_ptr<QIODevice> m_device;
};

class TFileStream : public TStream
{
    Q_OBJECT
public:
    // Mode: fmCreate (65535) creates or empties the file; otherwise the low
    // two bits are fmOpenRead, fmOpenWrite, fmOpenReadWrite. Raises when
    // the file cannot be opened.
    TFileStream(const QString &fileName, int mode, QObject *parent = nullptr);
};

class TMemoryStream : public TStream
{
    Q_OBJECT
public:
    explicit TMemoryStream(QObject *parent = nullptr);
    void Clear();
    void LoadFromBytes(const QByteArray &bytes);
    void LoadFromStream(TStream *source);
    void LoadFromFile(const QString &fileName);
    void SaveToStream(TStream *target);
    void SaveToFile(const QString &fileName);
    QByteArray Bytes() const;
};

class TComponent : public TPersistent
{
    Q_OBJECT
public:
    using TPersistent::TPersistent;
};

// Writes bytes to a file through a temporary file beside it, so that a
// failed save keeps the old file. Raises on failure.
void saveBytesToFile(const QString &fileName, const QByteArray &bytes);
QByteArray loadBytesFromFile(const QString &fileName);
// Text files: UTF-8 (a byte-order mark skipped), bytes that are not UTF-8
// read as Latin-1 so that nothing is lost.
QString decodeText(const QByteArray &bytes);

}   // namespace pgx::script
