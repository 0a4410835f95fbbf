#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QIODevice>

#include "persist/XMLResult.h"

namespace pgx {

class TpgxXMLItem;

// Writes items as XML text. Output is collected in a buffer and written to
// the stream in blocks of about 4096 bytes. With indentation each element
// stands on its own line, indented by its level, and every line (the header
// included) ends in CR LF; without it nothing separates the tags.
class TpgxXMLWriter
{
public:
    static constexpr qsizetype BlockSize = 4096;

    TpgxXMLWriter(QIODevice *stream, bool indented);
    Q_DISABLE_COPY_MOVE(TpgxXMLWriter)

    void WriteLine(QByteArrayView line, int level = 0);
    // Writes item and its descendants at level (blanks of indentation).
    // Unloaded items are read from their store for the time of writing and
    // unloaded again; a store that cannot be read fails the write.
    TpgxXMLResult WriteItem(TpgxXMLItem &item, int level = 0);
    // Writes what is still buffered; reports a stream that refused bytes.
    TpgxXMLResult Flush();

private:
    void endLine();
    void flushBlock();

    QIODevice *m_stream;
    bool m_indented;
    bool m_failed = false;
    QByteArray m_buffer;
};

} // namespace pgx
