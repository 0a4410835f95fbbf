#include "persist/XMLWriter.h"

#include "persist/XMLItem.h"
#include "persist/XMLReader.h"

namespace pgx {

TpgxXMLWriter::TpgxXMLWriter(QIODevice *stream, bool indented)
    : m_stream(stream), m_indented(indented)
{
    m_buffer.reserve(2 * kBlockSize);
}

void TpgxXMLWriter::flushBlock()
{
    if (m_buffer.isEmpty())
        return;
    if (!m_failed && m_stream->write(m_buffer) != m_buffer.size())
        m_failed = true;
    m_buffer.truncate(0);
}

void TpgxXMLWriter::endLine()
{
    if (m_indented)
        m_buffer.append(m_lineBreak);
    if (m_buffer.size() > kBlockSize)
        flushBlock();
}

void TpgxXMLWriter::writeLine(QByteArrayView line, int level)
{
    if (m_indented)
        m_buffer.append(qsizetype(level), ' ');
    m_buffer.append(line);
    endLine();
}

// "<name text" with the indentation of the level; the caller closes it.
void TpgxXMLWriter::openTag(QByteArrayView name, QByteArrayView text, bool swappable, int level)
{
    if (m_indented)
        m_buffer.append(qsizetype(level), ' ');
    m_buffer.append('<');
    m_buffer.append(name);
    if (!text.isEmpty() || swappable) {
        if (!text.startsWith(' '))
            m_buffer.append(' ');
        m_buffer.append(text);
        // Always after a blank of its own: the reader knows it only so.
        if (swappable)
            m_buffer.append(" ld=\"0\"");
    }
}

void TpgxXMLWriter::writeStartTag(QByteArrayView name, QByteArrayView text, bool hasChildren,
                                  int level)
{
    openTag(name, text, false, level);
    m_buffer.append(hasChildren ? ">" : "/>");
    endLine();
}

void TpgxXMLWriter::writeEndTag(QByteArrayView name, int level)
{
    if (m_indented)
        m_buffer.append(qsizetype(level), ' ');
    m_buffer.append("</");
    m_buffer.append(name);
    m_buffer.append('>');
    endLine();
}

TpgxXMLResult TpgxXMLWriter::writeItem(TpgxXMLItem &item, int level)
{
    if (!m_indented)
        level = 0;
    bool loadedHere = false;
    if (!item.m_inMemory && item.m_store) {
        // A store that ends inside the item (a source file that was cut
        // short, which its load already reported) gives what it has.
        const TpgxXMLResult loaded = TpgxXMLReader::loadChildren(item);
        if (!loaded && loaded.status() != TpgxXMLResult::EndedEarly)
            return loaded;
        loadedHere = true;
    }

    // What the reader would refuse is not written: an element that has
    // children as deep as the reader's limit.
    if (!item.m_items.isEmpty() && m_depth >= TpgxXMLReader::kMaxDepth) {
        if (loadedHere) {
            item.deleteChildren();
            item.m_inMemory = false;
        }
        return {TpgxXMLResult::InvalidFormat, 0,
                QStringLiteral("Elements nested more than %1 deep").arg(TpgxXMLReader::kMaxDepth)};
    }

    // <name text ld="0">, <name text>value</name> or <name text/>
    openTag(item.m_name, item.m_text, item.m_swappable, level);
    const bool hasChildren = !item.m_items.isEmpty();
    if (hasChildren) {
        m_buffer.append('>');
    } else if (!item.m_value.isEmpty()) {
        m_buffer.append('>');
        m_buffer.append(item.m_value);
        m_buffer.append("</");
        m_buffer.append(item.m_name);
        m_buffer.append('>');
    } else {
        m_buffer.append("/>");
    }
    endLine();

    TpgxXMLResult result;
    ++m_depth;
    for (TpgxXMLItem *child : std::as_const(item.m_items)) {
        result = writeItem(*child, level + 2);
        if (!result)
            break;
    }
    --m_depth;
    if (hasChildren && result)
        writeEndTag(item.m_name, level);

    if (loadedHere) {
        item.deleteChildren();
        item.m_inMemory = false;
    }
    return result;
}

TpgxXMLResult TpgxXMLWriter::flush()
{
    flushBlock();
    if (m_failed)
        return {TpgxXMLResult::IOError, quint64(qMax<qint64>(0, m_stream->pos())),
                QStringLiteral("Cannot write: %1").arg(m_stream->errorString())};
    return {};
}

}   // namespace pgx
