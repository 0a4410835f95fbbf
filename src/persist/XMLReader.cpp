#include "persist/XMLReader.h"

#include "persist/XMLItem.h"
#include "persist/XMLStore.h"

#include <cstring>

namespace pgx {

namespace {

// The unloadable marker as the writer appends it: a blank, then ld="0".
constexpr char kMarker[] = " ld=\"0\"";
constexpr qsizetype kMarkerLen = sizeof(kMarker) - 1;

// Finds the marker (case ignored) and cuts it out of the attribute text.
bool removeMarker(QByteArray &text)
{
    const char *t = text.constData();
    const qsizetype last = text.size() - kMarkerLen;
    for (qsizetype p = 0; p <= last; ++p) {
        if (t[p] != ' ' || (t[p + 1] | 0x20) != 'l' || (t[p + 2] | 0x20) != 'd')
            continue;
        if (std::memcmp(t + p + 3, kMarker + 3, kMarkerLen - 3) == 0) {
            text.remove(p, kMarkerLen);
            return true;
        }
    }
    return false;
}

}   // namespace

TpgxXMLReader::TpgxXMLReader(QIODevice *stream)
    : m_stream(stream), m_bufferStart(stream->isSequential() ? 0 : quint64(stream->pos()))
{
    m_tag.reserve(kBufferSize);
}

TpgxXMLReader::~TpgxXMLReader()
{
    if (!m_stream->isSequential())
        m_stream->seek(qint64(position()));
}

void TpgxXMLReader::fail(const char *what) const
{
    throw TpgxInvalidXMLException(position(), QString::fromLatin1(what));
}

bool TpgxXMLReader::fill()
{
    m_bufferStart += quint64(m_bufferLen);
    m_bufferPos = 0;
    m_bufferLen = 0;
    const qint64 got = m_stream->read(m_buffer, kBufferSize);
    if (got < 0) {
        m_readFailed = true;
        return false;
    }
    m_bufferLen = qsizetype(got);
    return got > 0;
}

// The tag scanner. Outside a tag everything up to '<' is skipped; inside,
// bytes are collected up to '>' ('<' there is an error); a tag whose first
// three bytes are "!--" is a comment, which only "-->" ends ("--->" does
// not: after two dashes any byte but '>' starts the count again). Returns
// false at the end of the stream outside a tag or inside a comment.
bool TpgxXMLReader::readTag()
{
    m_tag.truncate(0);
    for (;;) {
        // Outside a tag.
        for (;;) {
            if (m_bufferPos == m_bufferLen && !fill())
                return false;
            const char *b = m_buffer + m_bufferPos;
            const qsizetype avail = m_bufferLen - m_bufferPos;
            const char *lt = static_cast<const char *>(std::memchr(b, '<', size_t(avail)));
            if (lt) {
                consume(lt - b + 1);
                break;
            }
            consume(avail);
        }

        // Inside a tag.
        bool comment = false;
        for (;;) {
            if (m_bufferPos == m_bufferLen && !fill())
                fail("end of the file inside a tag");
            const char *b = m_buffer + m_bufferPos;
            const qsizetype avail = m_bufferLen - m_bufferPos;
            if (m_tag.size() < 3) {
                // Byte by byte until the comment opener is decided.
                const char c = *b;
                consume(1);
                if (c == '<')
                    fail("'<' inside a tag");
                if (c == '>')
                    break;
                m_tag.append(c);
                if (m_tag.size() == 3 && std::memcmp(m_tag.constData(), "!--", 3) == 0) {
                    m_tag.truncate(0);
                    comment = true;
                    break;
                }
                continue;
            }
            const char *gt = static_cast<const char *>(std::memchr(b, '>', size_t(avail)));
            const qsizetype span = gt ? gt - b : avail;
            if (const char *lt = static_cast<const char *>(std::memchr(b, '<', size_t(span)))) {
                consume(lt - b);
                fail("'<' inside a tag");
            }
            m_tag.append(b, span);
            if (gt) {
                consume(span + 1);
                break;
            }
            consume(avail);
        }
        if (!comment) {
            if (m_tag.endsWith(' '))
                m_tag.chop(1);
            return true;
        }

        // In a comment.
        int dashes = 0;
        for (;;) {
            if (m_bufferPos == m_bufferLen && !fill())
                return false;
            const char c = m_buffer[m_bufferPos];
            consume(1);
            if (dashes == 2) {
                if (c == '>')
                    break;
                dashes = 0;
            } else if (c == '-') {
                ++dashes;
            } else {
                dashes = 0;
            }
        }
    }
}

void TpgxXMLReader::readHeader()
{
    if (!readTag() || !m_tag.startsWith("?xml"))
        fail("the file does not begin with <?xml");
}

// Splits the tag text at its first blank into name and attribute text
// (only the blank separates: tabs and line breaks belong to either), and
// cuts the '/' that makes the element complete: <a/>, <a x="1"/>, <item 1/>.
void TpgxXMLReader::splitTag(QByteArray &name, QByteArray &text, bool &complete)
{
    const qsizetype blank = m_tag.indexOf(' ');
    if (blank < 0) {
        name = QByteArray(m_tag.constData(), m_tag.size());
        text = QByteArray();
    } else {
        name = QByteArray(m_tag.constData(), blank);
        text = QByteArray(m_tag.constData() + blank + 1, m_tag.size() - blank - 1);
    }
    complete = false;
    if (name.endsWith('/')) {
        name.chop(1);
        complete = true;
    } else if (text.endsWith('/')) {
        text.chop(1);
        complete = true;
    }
    // "<>" and "< x>" are not elements; taking them as the end of the
    // stream would silently drop the rest of the document.
    if (name.isEmpty())
        fail("a tag without a name");
}

// The end tag's name ("/name"); a copy, so that the tag buffer is never
// shared and keeps its capacity.
void TpgxXMLReader::takeEndTag()
{
    const qsizetype blank = m_tag.indexOf(' ');
    m_endTag = QByteArray(m_tag.constData(), blank < 0 ? m_tag.size() : blank);
}

void TpgxXMLReader::checkEndTag(const QByteArray &name)
{
    if (m_endTag.isEmpty()) {
        // The stream ended: the element is taken as complete, but the
        // caller learns that the document was cut short.
        m_endedEarly = true;
        return;
    }
    if (!sameXmlName(QByteArrayView(m_endTag).sliced(1), name))
        fail("an end tag that does not match its element");
}

bool TpgxXMLReader::readElement(TpgxXMLItem &item,
                                const std::shared_ptr<TpgxXMLStore> &partialStore)
{
    return readElement(item, partialStore, 0);
}

bool TpgxXMLReader::readElement(TpgxXMLItem &item,
                                const std::shared_ptr<TpgxXMLStore> &partialStore, int depth)
{
    const quint64 start = position();
    if (!readTag()) {
        m_endTag.clear();
        return false;
    }
    if (m_tag.startsWith('/')) {
        takeEndTag();
        return false;
    }

    QByteArray name;
    QByteArray text;
    bool complete;
    splitTag(name, text, complete);
    const bool marked = removeMarker(text);
    const bool unload = marked && partialStore;
    item.m_name = std::move(name);
    item.m_text = std::move(text);
    if (!complete) {
        if (depth >= kMaxDepth)
            fail("elements nested too deeply");
        if (unload)
            skipChildren(item.m_name, depth + 1);
        else
            readChildren(item, partialStore, depth + 1);
    }
    if (unload) {
        item.deleteChildren();
        item.m_offset = start;
        item.m_store = partialStore;
        item.m_swappable = true;
        item.m_inMemory = false;
    }
    return true;
}

void TpgxXMLReader::readChildren(TpgxXMLItem &item,
                                 const std::shared_ptr<TpgxXMLStore> &partialStore, int depth)
{
    auto child = std::make_unique<TpgxXMLItem>();
    while (readElement(*child, partialStore, depth)) {
        item.appendOwned(child.release());
        child = std::make_unique<TpgxXMLItem>();
    }
    checkEndTag(item.m_name);
}

// Passes over the children of an element left unloaded, checking them as
// strictly as reading would, without building items.
void TpgxXMLReader::skipChildren(const QByteArray &name, int depth)
{
    QByteArray childName;
    QByteArray text;
    for (;;) {
        if (!readTag()) {
            m_endTag.clear();
            checkEndTag(name);
            return;
        }
        if (m_tag.startsWith('/')) {
            takeEndTag();
            checkEndTag(name);
            return;
        }
        bool complete;
        splitTag(childName, text, complete);
        if (!complete) {
            if (depth >= kMaxDepth)
                fail("elements nested too deeply");
            skipChildren(childName, depth + 1);
        }
    }
}

TpgxXMLResult TpgxXMLReader::loadChildren(TpgxXMLItem &item)
{
    if (item.m_inMemory || !item.m_store)
        return {};
    QIODevice *stream = item.m_store->device();
    if (!stream->seek(qint64(item.m_offset)))
        return {TpgxXMLResult::IOError, item.m_offset,
                QStringLiteral("Cannot read the store of unloaded items: %1")
                    .arg(stream->errorString())};

    // Edits made to the name and attributes while unloaded win over the store.
    const QByteArray name = item.m_name;
    const QByteArray text = item.m_text;
    TpgxXMLResult result;
    try {
        TpgxXMLReader reader(stream);
        if (!reader.readElement(item, nullptr, 0))
            reader.fail("no element at the offset of an unloaded item");
        if (reader.readFailed())
            result = {TpgxXMLResult::IOError, reader.position(),
                      QStringLiteral("Cannot read the store of unloaded items: %1")
                          .arg(stream->errorString())};
        else if (reader.endedEarly())
            result = {TpgxXMLResult::EndedEarly, reader.position()};
    } catch (const TpgxInvalidXMLException &e) {
        result = {TpgxXMLResult::InvalidFormat, e.offset(), e.detail()};
    }
    item.m_name = name;
    item.m_text = text;
    if (result.status() == TpgxXMLResult::Ok || result.status() == TpgxXMLResult::EndedEarly)
        item.m_inMemory = true;
    else
        item.deleteChildren();   // stays unloaded: the store may still be read later
    return result;
}

}   // namespace pgx
