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
    bool scriptCreated = false;
    virtual void scriptFree();
};

class TPersistent : public TObject
{
    Q_OBJECT
public:
    using TObject::TObject;
    // Raises "Cannot assign a <source class> to a <this class>".
    virtual void assign(QObject *source);
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
    QList<TCollectionItem *> items;   // owned (children)
    void clear();
};

class TList : public TObject
{
    Q_OBJECT
public:
    using TObject::TObject;
    QList<qint64> items;   // object handles
    void checkIndex(qint64 index) const;
};

class TStream;

class TStrings : public TPersistent
{
    Q_OBJECT
    Q_PROPERTY(QString CommaText READ commaText WRITE setCommaText)
    Q_PROPERTY(int Count READ count)
    Q_PROPERTY(QString Text READ text WRITE setText)
public:
    using TPersistent::TPersistent;

    int count() const { return int(m_strings.size()); }
    QString text() const;
    void setText(const QString &text);
    QString commaText() const;
    void setCommaText(const QString &text);

    virtual int add(const QString &s) { return addObject(s, 0); }
    virtual int addObject(const QString &s, qint64 object);
    virtual void insert(int index, const QString &s) { insertObject(index, s, 0); }
    virtual void insertObject(int index, const QString &s, qint64 object);
    virtual int indexOf(const QString &s) const;
    virtual void clear();
    void removeAt(int index);
    int indexOfName(const QString &name) const;
    int indexOfObject(qint64 object) const;
    void move(int curIndex, int newIndex);
    QString get(int index) const;
    virtual void put(int index, const QString &s);
    qint64 getObject(int index) const;
    void putObject(int index, qint64 object);
    QString name(int index) const;
    QString value(const QString &name) const;
    void setValue(const QString &name, const QString &value);
    void loadFromFile(const QString &fileName);
    void saveToFile(const QString &fileName) const;
    void loadFromStream(TStream *stream);
    void saveToStream(TStream *stream) const;
    void assign(QObject *source) override;
    // Replaces the contents at once (INI sections, loading).
    virtual void setStrings(const QStringList &strings);
    const QStringList &strings() const { return m_strings; }

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
    Q_PROPERTY(TDuplicates Duplicates READ duplicates WRITE setDuplicates)
    Q_PROPERTY(bool Sorted READ sorted WRITE setSorted)
public:
    using TStrings::TStrings;
    TDuplicates duplicates() const { return m_duplicates; }
    void setDuplicates(TDuplicates d) { m_duplicates = d; }
    bool sorted() const { return m_sorted; }
    void setSorted(bool sorted);

    int addObject(const QString &s, qint64 object) override;
    void insertObject(int index, const QString &s, qint64 object) override;
    int indexOf(const QString &s) const override;
    void put(int index, const QString &s) override;
    // Binary search of a sorted list (a linear one otherwise): whether s is
    // there, and the index where it is or would be inserted.
    bool find(const QString &s, int *index) const;
    void sort();

private:
    TDuplicates m_duplicates = dupIgnore;
    bool m_sorted = false;
};

class TStream : public TObject
{
    Q_OBJECT
    Q_PROPERTY(qint64 Position READ position WRITE setPosition)
    Q_PROPERTY(qint64 Size READ size)
    Q_CLASSINFO("pgx:type:Position", "Longint")
    Q_CLASSINFO("pgx:type:Size", "Longint")
public:
    explicit TStream(QObject *parent = nullptr) : TObject(parent) { }
    ~TStream() override;
    QIODevice *device() const { return m_device.get(); }
    qint64 position() const;
    void setPosition(qint64 position);
    qint64 size() const;
    // Reads up to count bytes; the buffer is resized to what was read.
    QByteArray read(qint64 count);
    qint64 write(const QByteArray &bytes);
    qint64 seek(qint64 offset, int origin);
    qint64 copyFrom(TStream *source, qint64 count);
    // The whole contents, and writing all of them at the position.
    QByteArray readAll();

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
    void clear();
    void loadFromBytes(const QByteArray &bytes);
    void loadFromStream(TStream *source);
    void loadFromFile(const QString &fileName);
    void saveToStream(TStream *target);
    void saveToFile(const QString &fileName);
    QByteArray bytes() const;
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
