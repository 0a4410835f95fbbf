#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QIODevice>

#include "persist/XMLResult.h"

namespace pgx {

class TpgxXMLItem;

// Writes items as XML text. Output is collected in a buffer and written to
// the stream in blocks of about 4096 bytes. With indentation each element
// stands on its own line, indented by its level, and every line (the header
// included) ends in the line break, CR LF unless set otherwise; without it
// nothing separates the tags.
class TpgxXMLWriter
{
public:
    static constexpr qsizetype kBlockSize = 4096;

    TpgxXMLWriter(QIODevice *stream, bool indented);
    Q_DISABLE_COPY_MOVE(TpgxXMLWriter)

    void setLineBreak(QByteArrayView lineBreak) { m_lineBreak = lineBreak.toByteArray(); }

    void writeLine(QByteArrayView line, int level = 0);
    // Writes item and its descendants at level (blanks of indentation).
    // Unloaded items are read from their store for the time of writing and
    // unloaded again; a store that cannot be read fails the write.
    TpgxXMLResult writeItem(TpgxXMLItem &item, int level = 0);
    // The tags of one element, for a tree of another kind written element by
    // element: <name text> (<name text/> when it has no children) and
    // </name>. `text` is attribute text as an item holds it.
    void writeStartTag(QByteArrayView name, QByteArrayView text, bool hasChildren, int level = 0);
    void writeEndTag(QByteArrayView name, int level = 0);
    // Writes what is still buffered; reports a stream that refused bytes.
    TpgxXMLResult flush();

private:
    void openTag(QByteArrayView name, QByteArrayView text, bool swappable, int level);
    void endLine();
    void flushBlock();

    QIODevice *m_stream;
    bool m_indented;
    bool m_failed = false;
    int m_depth = 0;   // of the item being written, its root at 0
    QByteArray m_lineBreak = QByteArrayLiteral("\r\n");
    QByteArray m_buffer;
};

}   // namespace pgx
