#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QIODevice>

#include <memory>

#include "persist/XMLResult.h"

namespace pgx {

class TpgxXMLItem;
class TpgxXMLStore;

// Reads elements from a stream through a 4096-byte buffer. It knows start
// tags, end tags, comments and nothing else: text between tags is skipped
// and the attribute text of a tag is kept raw. It reads what the writer
// writes, including forms a general XML parser refuses (<item 1/>).
// Bad input raises TpgxInvalidXMLException.
class TpgxXMLReader
{
public:
    // Elements nested deeper than this are refused, so that no input can
    // exhaust the stack.
    static constexpr int kMaxDepth = 1000;
    static constexpr int kBufferSize = 4096;

    // Starts at the stream's current position.
    explicit TpgxXMLReader(QIODevice *stream);
    // Leaves the stream at the first byte not consumed.
    ~TpgxXMLReader();
    Q_DISABLE_COPY_MOVE(TpgxXMLReader)

    // Absolute position of the next byte to consume.
    quint64 position() const { return m_bufferStart + quint64(m_bufferPos); }

    // Reads the header tag; raises unless its name begins with "?xml".
    void readHeader();

    // Reads the next element into item (its name, text and children). When
    // partialStore is given, an element marked ld="0" is skipped and left
    // unloaded with its offset in that store. Returns false when an end tag
    // or the end of the stream came instead; EndTag() then tells which.
    bool readElement(TpgxXMLItem &item, const std::shared_ptr<TpgxXMLStore> &partialStore);

    // The end tag that ended the last ReadElement returning false
    // ("/name"), empty at the end of the stream.
    const QByteArray &endTag() const { return m_endTag; }
    // The stream ended while elements were open.
    bool endedEarly() const { return m_endedEarly; }
    // The stream reported a read error (treated as its end).
    bool readFailed() const { return m_readFailed; }

    // Brings an unloaded item's children back from its store. The item keeps
    // its name and attribute text. Nested marked items are read whole.
    static TpgxXMLResult loadChildren(TpgxXMLItem &item);

private:
    bool fill();
    void consume(qsizetype n) { m_bufferPos += n; }
    bool readTag();
    bool readElement(TpgxXMLItem &item, const std::shared_ptr<TpgxXMLStore> &partialStore,
                     int depth);
    void readChildren(TpgxXMLItem &item, const std::shared_ptr<TpgxXMLStore> &partialStore,
                      int depth);
    void skipChildren(const QByteArray &name, int depth);
    void splitTag(QByteArray &name, QByteArray &text, bool &complete);
    void takeEndTag();
    void checkEndTag(const QByteArray &name);
    [[noreturn]] void fail(const char *what) const;

    QIODevice *m_stream;
    char m_buffer[kBufferSize];
    qsizetype m_bufferPos = 0;
    qsizetype m_bufferLen = 0;
    quint64 m_bufferStart = 0;   // absolute position of m_buffer[0]
    QByteArray m_tag;            // text of the last tag, between '<' and '>'
    QByteArray m_endTag;
    bool m_endedEarly = false;
    bool m_readFailed = false;
};

}   // namespace pgx
