#include "script/library/Classes.h"

#include "platform/SaveFile.h"
#include "script/library/LibraryCommon.h"
#include "script/registry/ObjectTable.h"
#include "script/value/ScriptError.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QStringDecoder>

#include <algorithm>
#include <numeric>

namespace pgx::script {

namespace {

[[noreturn]] void listIndexError(qint64 index)
{
    throw ScriptError(QStringLiteral("List index out of bounds (%1)").arg(index),
                      QStringLiteral("EStringListError"));
}

int compareText(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive);
}

}   // namespace

void throwFileError(const QString &fileName, bool creating)
{
    throw ScriptError(
        QStringLiteral("Cannot %1 file \"%2\"")
            .arg(creating ? QStringLiteral("create") : QStringLiteral("open"), fileName),
        creating ? QStringLiteral("EFCreateError") : QStringLiteral("EFOpenError"));
}

QByteArray bytesOf(const QString &text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c > 0xFF)
            throw ScriptError(QStringLiteral("Character %1 does not fit in one byte").arg(int(c)),
                              QStringLiteral("EWriteError"));
        out[i] = char(c);
    }
    return out;
}

void saveBytesToFile(const QString &fileName, const QByteArray &bytes)
{
    // Scripts see the runtime library's own message and class.
    if (!saveFile(fileName, bytes).isEmpty())
        throwFileError(fileName, true);
}

QByteArray loadBytesFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throwFileError(fileName, false);
    return file.readAll();
}

QString decodeText(const QByteArray &bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(view);
    if (utf8.hasError())
        return QString::fromLatin1(view);
    return text;
}

// ---- TObject, TPersistent, TCollection, TList --------------------------------

void TObject::scriptFree()
{
    if (!scriptCreated)
        throw ScriptError(QStringLiteral("Cannot free an object the script did not create"),
                          QStringLiteral("EInvalidOperation"));
    delete this;
}

void TPersistent::assign(QObject *source)
{
    throw ScriptError(QStringLiteral("Cannot assign a %1 to a %2")
                          .arg(source ? TkxObjectTable::scriptClassName(source->metaObject())
                                      : QStringLiteral("nil"),
                               TkxObjectTable::scriptClassName(metaObject())),
                      QStringLiteral("EConvertError"));
}

void TCollection::clear()
{
    const QList<TCollectionItem *> old = std::exchange(this->items, {});
    qDeleteAll(old);
}

void TList::checkIndex(qint64 index) const
{
    if (index < 0 || index >= items.size())
        throw ScriptError(QStringLiteral("List index out of bounds (%1)").arg(index),
                          QStringLiteral("EListError"));
}

// ---- TStrings ---------------------------------------------------------------

void TStrings::checkIndex(qint64 index) const
{
    if (index < 0 || index >= m_strings.size())
        listIndexError(index);
}

QString TStrings::text() const
{
    QString out;
    for (const QString &s : m_strings) {
        out += s;
        out += QLatin1String("\r\n");
    }
    return out;
}

void TStrings::setText(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    setStrings(lines);
}

QString TStrings::commaText() const
{
    QStringList parts;
    for (const QString &s : m_strings) {
        bool quote = s.isEmpty();
        for (QChar c : s) {
            if (c.unicode() <= 32 || c == QLatin1Char(',') || c == QLatin1Char('"')) {
                quote = true;
                break;
            }
        }
        if (quote) {
            QString q = s;
            q.replace(QLatin1Char('"'), QLatin1String("\"\""));
            parts.append(QLatin1Char('"') + q + QLatin1Char('"'));
        } else {
            parts.append(s);
        }
    }
    if (parts.size() == 1 && m_strings.first().isEmpty())
        return QStringLiteral("\"\"");
    return parts.join(QLatin1Char(','));
}

// Items are separated by commas or blanks; a double-quoted item may hold
// both, with "" for a quote.
void TStrings::setCommaText(const QString &text)
{
    QStringList items;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&]() {
        while (i < n && text.at(i).unicode() <= 32)
            ++i;
    };
    skipBlanks();
    while (i < n) {
        QString item;
        if (text.at(i) == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (text.at(i) == QLatin1Char('"')) {
                    if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                        item += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text.at(i++);
            }
        } else {
            while (i < n && text.at(i).unicode() > 32 && text.at(i) != QLatin1Char(','))
                item += text.at(i++);
        }
        items.append(item);
        skipBlanks();
        if (i < n && text.at(i) == QLatin1Char(',')) {
            ++i;
            skipBlanks();
            if (i >= n)
                items.append(QString());
        }
    }
    setStrings(items);
}

void TStrings::setStrings(const QStringList &strings)
{
    clear();
    for (const QString &s : strings)
        add(s);
}

int TStrings::addObject(const QString &s, qint64 object)
{
    m_strings.append(s);
    m_objects.append(object);
    return int(m_strings.size() - 1);
}

void TStrings::insertObject(int index, const QString &s, qint64 object)
{
    if (index < 0 || index > m_strings.size())
        listIndexError(index);
    m_strings.insert(index, s);
    m_objects.insert(index, object);
}

int TStrings::indexOf(const QString &s) const
{
    for (int i = 0; i < m_strings.size(); ++i) {
        if (compareText(m_strings[i], s) == 0)
            return i;
    }
    return -1;
}

void TStrings::clear()
{
    m_strings.clear();
    m_objects.clear();
}

void TStrings::removeAt(int index)
{
    checkIndex(index);
    m_strings.removeAt(index);
    m_objects.removeAt(index);
}

QString TStrings::name(int index) const
{
    checkIndex(index);
    const QString &s = m_strings[index];
    const qsizetype eq = s.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : s.left(eq);
}

int TStrings::indexOfName(const QString &name) const
{
    for (int i = 0; i < m_strings.size(); ++i) {
        const qsizetype eq = m_strings[i].indexOf(QLatin1Char('='));
        if (eq >= 0 && compareText(m_strings[i].left(eq), name) == 0)
            return i;
    }
    return -1;
}

int TStrings::indexOfObject(qint64 object) const
{
    return int(m_objects.indexOf(object));
}

void TStrings::move(int curIndex, int newIndex)
{
    if (curIndex == newIndex)
        return;
    checkIndex(curIndex);
    checkIndex(newIndex);
    const QString s = m_strings.takeAt(curIndex);
    const qint64 o = m_objects.takeAt(curIndex);
    insertObject(newIndex, s, o);
}

QString TStrings::get(int index) const
{
    checkIndex(index);
    return m_strings[index];
}

void TStrings::put(int index, const QString &s)
{
    checkIndex(index);
    m_strings[index] = s;
}

qint64 TStrings::getObject(int index) const
{
    checkIndex(index);
    return m_objects[index];
}

void TStrings::putObject(int index, qint64 object)
{
    checkIndex(index);
    m_objects[index] = object;
}

QString TStrings::value(const QString &name) const
{
    const int i = indexOfName(name);
    return i < 0 ? QString() : m_strings[i].mid(m_strings[i].indexOf(QLatin1Char('=')) + 1);
}

// An empty value removes the name, as lists of name=value pairs do.
void TStrings::setValue(const QString &name, const QString &value)
{
    const int i = indexOfName(name);
    if (value.isEmpty()) {
        if (i >= 0)
            removeAt(i);
        return;
    }
    if (i < 0)
        add(name + QLatin1Char('=') + value);
    else
        put(i, name + QLatin1Char('=') + value);
}

void TStrings::loadFromFile(const QString &fileName)
{
    setText(decodeText(loadBytesFromFile(fileName)));
}

void TStrings::saveToFile(const QString &fileName) const
{
    saveBytesToFile(fileName, text().toUtf8());
}

void TStrings::loadFromStream(TStream *stream)
{
    setText(decodeText(stream->read(stream->size() - stream->position())));
}

void TStrings::saveToStream(TStream *stream) const
{
    stream->write(text().toUtf8());
}

void TStrings::assign(QObject *source)
{
    if (auto *other = qobject_cast<TStrings *>(source)) {
        if (other == this)
            return;
        clear();
        for (int i = 0; i < other->count(); ++i)
            addObject(other->m_strings[i], other->m_objects[i]);
        return;
    }
    TPersistent::assign(source);
}

// ---- TStringList ------------------------------------------------------------

bool TStringList::find(const QString &s, int *index) const
{
    if (!m_sorted) {
        const int i = TStrings::indexOf(s);
        *index = i < 0 ? count() : i;
        return i >= 0;
    }
    int lo = 0, hi = count() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int c = compareText(m_strings[mid], s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (m_duplicates != dupAccept)
                    lo = mid;
            }
        }
    }
    *index = lo;
    return found;
}

int TStringList::indexOf(const QString &s) const
{
    if (!m_sorted)
        return TStrings::indexOf(s);
    int i = 0;
    return find(s, &i) ? i : -1;
}

int TStringList::addObject(const QString &s, qint64 object)
{
    if (!m_sorted)
        return TStrings::addObject(s, object);
    int index = 0;
    if (find(s, &index)) {
        if (m_duplicates == dupIgnore)
            return index;
        if (m_duplicates == dupError)
            throw ScriptError(QStringLiteral("String list does not allow duplicates"),
                              QStringLiteral("EStringListError"));
    }
    m_strings.insert(index, s);
    m_objects.insert(index, object);
    return index;
}

void TStringList::insertObject(int index, const QString &s, qint64 object)
{
    if (m_sorted)
        throw ScriptError(QStringLiteral("Operation not allowed on sorted list"),
                          QStringLiteral("EStringListError"));
    TStrings::insertObject(index, s, object);
}

void TStringList::put(int index, const QString &s)
{
    if (m_sorted)
        throw ScriptError(QStringLiteral("Operation not allowed on sorted list"),
                          QStringLiteral("EStringListError"));
    TStrings::put(index, s);
}

void TStringList::setSorted(bool sorted)
{
    if (sorted && !m_sorted)
        sort();
    m_sorted = sorted;
}

void TStringList::sort()
{
    std::vector<int> order(size_t(m_strings.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return compareText(m_strings[a], m_strings[b]) < 0; });
    QStringList strings;
    QList<qint64> objects;
    strings.reserve(m_strings.size());
    objects.reserve(m_objects.size());
    for (int i : order) {
        strings.append(m_strings[i]);
        objects.append(m_objects[i]);
    }
    m_strings = std::move(strings);
    m_objects = std::move(objects);
}

// ---- streams ----------------------------------------------------------------

TStream::~TStream() = default;

qint64 TStream::position() const
{
    return m_device ? m_device->pos() : 0;
}

void TStream::setPosition(qint64 position)
{
    seek(position, 0);
}

qint64 TStream::size() const
{
    return m_device ? m_device->size() : 0;
}

QByteArray TStream::read(qint64 count)
{
    if (!m_device || count <= 0)
        return {};
    const qint64 available = qMax<qint64>(0, size() - position());
    return m_device->read(qMin(count, available));
}

qint64 TStream::write(const QByteArray &bytes)
{
    if (!m_device)
        return 0;
    const qint64 written = m_device->write(bytes);
    if (written < 0)
        throw ScriptError(QStringLiteral("Stream write error"), QStringLiteral("EWriteError"));
    return written;
}

qint64 TStream::seek(qint64 offset, int origin)
{
    if (!m_device)
        return 0;
    qint64 target = offset;
    if (origin == 1)
        target = position() + offset;
    else if (origin == 2)
        target = size() + offset;
    if (target < 0 || !m_device->seek(target))
        throw ScriptError(QStringLiteral("Stream seek error"), QStringLiteral("EStreamError"));
    return position();
}

qint64 TStream::copyFrom(TStream *source, qint64 count)
{
    if (count == 0) {
        source->setPosition(0);
        count = source->size();
    }
    const QByteArray bytes = source->read(count);
    return write(bytes);
}

QByteArray TStream::readAll()
{
    return read(size() - position());
}

TFileStream::TFileStream(const QString &fileName, int mode, QObject *parent) : TStream(parent)
{
    auto file = std::make_unique<QFile>(fileName);
    QIODevice::OpenMode openMode;
    const bool creating = (mode & 0xFFFF) == 0xFFFF;
    if (creating)
        openMode = QIODevice::ReadWrite | QIODevice::Truncate;
    else if ((mode & 3) == 1)
        openMode = QIODevice::WriteOnly | QIODevice::ExistingOnly;
    else if ((mode & 3) == 2)
        openMode = QIODevice::ReadWrite | QIODevice::ExistingOnly;
    else
        openMode = QIODevice::ReadOnly;
    if (!file->open(openMode))
        throwFileError(fileName, creating);
    m_device = std::move(file);
}

TMemoryStream::TMemoryStream(QObject *parent) : TStream(parent)
{
    auto buffer = std::make_unique<QBuffer>();
    buffer->open(QIODevice::ReadWrite);
    m_device = std::move(buffer);
}

QByteArray TMemoryStream::bytes() const
{
    return static_cast<QBuffer *>(m_device.get())->data();
}

void TMemoryStream::clear()
{
    loadFromBytes(QByteArray());
}

void TMemoryStream::loadFromBytes(const QByteArray &bytes)
{
    auto *buffer = static_cast<QBuffer *>(m_device.get());
    buffer->close();
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadWrite);
}

void TMemoryStream::loadFromStream(TStream *source)
{
    source->setPosition(0);
    loadFromBytes(source->readAll());
}

void TMemoryStream::loadFromFile(const QString &fileName)
{
    loadFromBytes(loadBytesFromFile(fileName));
}

void TMemoryStream::saveToStream(TStream *target)
{
    target->write(bytes());
}

void TMemoryStream::saveToFile(const QString &fileName)
{
    saveBytesToFile(fileName, bytes());
}

}   // namespace pgx::script
