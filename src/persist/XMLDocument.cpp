#include "persist/XMLDocument.h"

#include "persist/XMLReader.h"
#include "persist/XMLStore.h"
#include "persist/XMLWriter.h"
#include "platform/SaveFile.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>

namespace pgx {

const QByteArray TpgxXMLDocument::kDefaultHeader
    = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>");

TpgxXMLDocument::TpgxXMLDocument()
    : m_root(std::make_unique<TpgxXMLItem>()), m_header(kDefaultHeader)
{ }

TpgxXMLDocument::~TpgxXMLDocument()
{
    // The items go first: they hold the stores too.
    m_root.reset();
}

void TpgxXMLDocument::clear()
{
    m_root->deleteChildren();
    m_root->m_store.reset();
    m_root->m_offset = 0;
    m_root->m_inMemory = true;
    m_source.reset();
    m_temporary.reset();
}

void TpgxXMLDocument::reset()
{
    clear();
    m_root->m_name.clear();
    m_root->m_text.clear();
    m_root->m_value.clear();
}

// Header, then the root element. A stray end tag before the root is as
// wrong as one that does not match; a file that stops before or inside the
// root is loaded as far as it goes and reported as ended early.
TpgxXMLResult TpgxXMLDocument::read(QIODevice &device,
                                    const std::shared_ptr<TpgxXMLStore> &partialStore)
{
    TpgxXMLResult result;
    {
        TpgxXMLReader reader(&device);
        try {
            reader.readHeader();
            if (!reader.readElement(*m_root, partialStore) && !reader.endTag().isEmpty())
                throw TpgxInvalidXMLException(reader.position(),
                                              QStringLiteral("an end tag before the root"));
            if (reader.readFailed())
                result = {TpgxXMLResult::IOError, reader.position(),
                          QStringLiteral("Cannot read: %1").arg(device.errorString())};
            else if (reader.endedEarly() || m_root->m_name.isEmpty())
                result = {TpgxXMLResult::EndedEarly, reader.position()};
        } catch (const TpgxInvalidXMLException &e) {
            // A stream that failed looks cut short to the scanner.
            if (reader.readFailed())
                result = {TpgxXMLResult::IOError, e.offset(),
                          QStringLiteral("Cannot read: %1").arg(device.errorString())};
            else
                result = {TpgxXMLResult::InvalidFormat, e.offset(), e.detail()};
        }
    }
    if (result.status() == TpgxXMLResult::InvalidFormat
        || result.status() == TpgxXMLResult::IOError)
        reset();
    return result;
}

TpgxXMLResult TpgxXMLDocument::loadFromStream(QIODevice &stream)
{
    reset();
    return read(stream, nullptr);
}

TpgxXMLResult TpgxXMLDocument::loadFromStream(std::unique_ptr<QIODevice> stream,
                                              bool allowPartialLoading)
{
    Q_ASSERT(stream);
    reset();
    // Unloaded items are found again by seeking: only a random-access
    // stream can keep them.
    if (!allowPartialLoading || stream->isSequential())
        return read(*stream, nullptr);
    auto store = std::make_shared<TpgxXMLStore>(std::move(stream));
    TpgxXMLResult result = read(*store->device(), store);
    if (result.status() == TpgxXMLResult::Ok || result.status() == TpgxXMLResult::EndedEarly)
        m_source = std::move(store);
    return result;
}

TpgxXMLResult TpgxXMLDocument::loadFromFile(const QString &fileName, bool allowPartialLoading)
{
    auto file = std::make_unique<QFile>(fileName);
    if (!file->open(QIODevice::ReadOnly))
        return {TpgxXMLResult::IOError, 0,
                QStringLiteral("Cannot open file %1: %2").arg(fileName, file->errorString())};
    return loadFromStream(std::move(file), allowPartialLoading);
}

TpgxXMLResult TpgxXMLDocument::saveToStream(QIODevice &stream)
{
    TpgxXMLWriter writer(&stream, m_indented);
    writer.writeLine(m_header);
    TpgxXMLResult result;
    if (!m_root->m_name.isEmpty())
        result = writer.writeItem(*m_root, 0);
    TpgxXMLResult flushed = writer.flush();
    return result ? flushed : result;
}

TpgxXMLResult TpgxXMLDocument::saveToFile(const QString &fileName)
{
    // A failure of the writer keeps its own status and position.
    TpgxXMLResult written;
    const QString error = saveFile(fileName, [this, &written](QIODevice &file) {
        written = saveToStream(file);
        return written ? QString() : written.description();
    });
    if (!written)
        return written;
    if (!error.isEmpty())
        return {TpgxXMLResult::IOError, 0, error};
    return {};
}

TpgxXMLResult TpgxXMLDocument::swapIn(TpgxXMLItem *item)
{
    if (!item || item->m_inMemory || !item->m_swappable)
        return {};
    return TpgxXMLReader::loadChildren(*item);
}

TpgxXMLResult TpgxXMLDocument::swapOut(TpgxXMLItem *item)
{
    if (!item || !item->m_inMemory || !item->m_swappable)
        return {};
    if (!m_temporary) {
        QString error;
        m_temporary = TpgxXMLStore::createTemporary(m_tempDir, &error);
        if (!m_temporary)
            return {TpgxXMLResult::IOError, 0, error};
    }
    // The item is written to memory first: an unloaded descendant may live
    // in this same file, and reading it back moves the file's position.
    QBuffer text;
    text.open(QIODevice::WriteOnly);
    TpgxXMLWriter writer(&text, false);
    TpgxXMLResult result = writer.writeItem(*item, 0);
    if (result)
        result = writer.flush();
    if (!result)
        return result;

    QIODevice &file = *m_temporary->device();
    const qint64 offset = file.size();
    if (!file.seek(offset) || file.write(text.data()) != text.data().size()) {
        // Leave no half-written item behind.
        if (auto *f = qobject_cast<QFileDevice *>(&file))
            f->resize(offset);
        return {TpgxXMLResult::IOError, quint64(offset),
                QStringLiteral("Cannot write the temporary file: %1").arg(file.errorString())};
    }
    item->deleteChildren();
    item->m_store = m_temporary;
    item->m_offset = quint64(offset);
    item->m_inMemory = false;
    return {};
}

}   // namespace pgx
