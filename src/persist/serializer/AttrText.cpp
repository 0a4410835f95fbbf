#include "persist/serializer/AttrText.h"

namespace pgx::persist {

namespace {

// Attribute text comes from tags, where line breaks and tabs may stand
// between attributes of hand-edited files; all count as blanks here.
bool isBlank(char c)
{
    return quint8(c) <= quint8(' ');
}

}   // namespace

bool AttrScanner::next(AttrPair &pair)
{
    const qsizetype size = m_text.size();
    while (m_pos < size && isBlank(m_text[m_pos]))
        ++m_pos;
    if (m_pos >= size)
        return false;
    const qsizetype equals = m_text.indexOf('=', m_pos);
    if (equals < 0) {
        m_pos = size;
        return false;
    }
    qsizetype nameEnd = equals;
    while (nameEnd > m_pos && isBlank(m_text[nameEnd - 1]))
        --nameEnd;
    if (nameEnd == m_pos) {
        m_pos = size;
        return false;
    }
    const qsizetype open = m_text.indexOf('"', equals + 1);
    if (open < 0) {
        m_pos = size;
        return false;
    }
    qsizetype close = m_text.indexOf('"', open + 1);
    pair.name = m_text.sliced(m_pos, nameEnd - m_pos);
    if (close < 0) {
        pair.value = m_text.sliced(open + 1);
        m_pos = size;
    } else {
        pair.value = m_text.sliced(open + 1, close - open - 1);
        m_pos = close + 1;
    }
    return true;
}

void appendAttr(QByteArray &text, QByteArrayView prefix, QByteArrayView name, QByteArrayView value)
{
    text.reserve(text.size() + prefix.size() + name.size() + value.size() + 4);
    text.append(' ');
    text.append(prefix);
    text.append(name);
    text.append("=\"", 2);
    text.append(value);
    text.append('"');
}

std::optional<ObjectLine> splitObjectLine(QByteArrayView line)
{
    qsizetype start = 0;
    while (start < line.size() && isBlank(line[start]))
        ++start;
    if (start == line.size())
        return std::nullopt;
    line = line.sliced(start);
    qsizetype blank = 0;
    while (blank < line.size() && !isBlank(line[blank]))
        ++blank;
    return ObjectLine{line.first(blank), line.sliced(blank)};
}

}   // namespace pgx::persist
