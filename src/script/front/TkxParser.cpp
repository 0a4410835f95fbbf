#include "TkxParser.h"

#include "TkxGrammar.h"

#include <algorithm>
#include <cstring>

namespace pgx::script {

namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    return (c | 0x20) - 'a' + 10;
}
char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c | 0x20) : c;
}

// Punctuation: the printable ASCII characters that are neither letters,
// digits nor blank.
bool isPunctuation(uchar c)
{
    return (c >= 33 && c <= 47) || (c >= 58 && c <= 64) || (c >= 91 && c <= 96)
        || (c >= 123 && c <= 126);
}

int compareNoCase(QByteArrayView a, QByteArrayView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char x = lower(a[i]);
        const char y = lower(b[i]);
        if (x != y)
            return uchar(x) < uchar(y) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Character codes become UTF-8 in the 8-bit text: the text of a script is
// UTF-8, and a code names a character, not a byte.
void appendCode(QByteArray &out, uint code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

void splitBlockMarkers(const QString &text, QByteArray &open, QByteArray &close)
{
    const QByteArray bytes = text.toUtf8();
    const qsizetype comma = bytes.indexOf(',');
    if (comma <= 0) {
        // Without a closing marker there is no block comment: an empty
        // marker would match everywhere.
        open.clear();
        close.clear();
        return;
    }
    open = bytes.left(comma);
    close = bytes.mid(comma + 1);
    if (close.isEmpty())
        open.clear();
}

}   // namespace

TkxParser::TkxParser()
{
    reset();
    setText(QByteArray());
}

void TkxParser::reset()
{
    m_identChars.reset();
    for (int c = '0'; c <= '9'; ++c)
        m_identChars.set(c);
    for (int c = 'A'; c <= 'Z'; ++c) {
        m_identChars.set(c);
        m_identChars.set(c | 0x20);
    }
    m_identChars.set('_');
    m_commentLine1 = "//";
    m_commentLine2.clear();
    m_blockOpen1 = "{";
    m_blockClose1 = "}";
    m_blockOpen2 = "(*";
    m_blockClose2 = "*)";
    m_quote = '\'';
    m_hexMarker = "$";
    m_lineEndsAreBlanks = true;
    m_continuation = 0;
    m_caseSensitive = false;
    m_declarationsRequired = true;
    m_skipSpaces = true;
    m_keywords.clear();
}

void TkxParser::applySetting(const QString &name, const QString &text)
{
    const QString key = name.toLower();
    if (key == QLatin1String("identchars")) {
        m_identChars.reset();
        for (char c : text.toUtf8())
            m_identChars.set(uchar(c));
    } else if (key == QLatin1String("commentline1")) {
        m_commentLine1 = text.toUtf8();
    } else if (key == QLatin1String("commentline2")) {
        m_commentLine2 = text.toUtf8();
    } else if (key == QLatin1String("commentblock1")) {
        splitBlockMarkers(text, m_blockOpen1, m_blockClose1);
    } else if (key == QLatin1String("commentblock2")) {
        splitBlockMarkers(text, m_blockOpen2, m_blockClose2);
    } else if (key == QLatin1String("stringquotes")) {
        const QByteArray bytes = text.toUtf8();
        m_quote = bytes.isEmpty() ? 0 : bytes[0];
    } else if (key == QLatin1String("hexsequence")) {
        m_hexMarker = text.toUtf8();
    } else if (key == QLatin1String("declarevars")) {
        if (text == QLatin1String("0"))
            m_declarationsRequired = false;
    } else if (key == QLatin1String("skipeol")) {
        if (text == QLatin1String("0"))
            m_lineEndsAreBlanks = false;
    } else if (key == QLatin1String("skipchar")) {
        const QByteArray bytes = text.toUtf8();
        m_continuation = bytes.isEmpty() ? 0 : bytes[0];
    } else if (key == QLatin1String("casesensitive")) {
        if (text == QLatin1String("1"))
            m_caseSensitive = true;
    }
}

void TkxParser::addKeyword(QByteArrayView keyword)
{
    if (keyword.isEmpty())
        return;
    const auto it = std::lower_bound(
        m_keywords.begin(), m_keywords.end(), keyword,
        [](const QByteArray &a, QByteArrayView b) { return compareNoCase(a, b) < 0; });
    m_keywords.insert(it, keyword.toByteArray());
}

void TkxParser::addHighCharacters()
{
    for (int c = 128; c < 256; ++c)
        m_identChars.set(c);
}

void TkxParser::loadGrammar(const TkxGrammar &grammar, bool highCharacters)
{
    reset();
    for (const QString &keyword : grammar.keywords())
        addKeyword(keyword.toUtf8());
    for (const auto &setting : grammar.settings())
        applySetting(setting.first, setting.second);
    if (highCharacters)
        addHighCharacters();
}

void TkxParser::setText(const QByteArray &text)
{
    m_text = text;
    m_length = int(std::min<qsizetype>(text.size(), INT_MAX - 8));
    m_buffer.resize(m_length + 2);
    m_buffer[0] = 0;
    std::memcpy(m_buffer.data() + 1, text.constData(), size_t(m_length));
    m_buffer[m_length + 1] = 0;
    m_data = m_buffer.constData();
    m_pos = 1;
    m_tokenStart = 1;
    m_lineStarts.assign(1, 0);
    if (m_useLineTable) {
        for (int p = 1; p <= m_length; ++p)
            if (m_data[p] == kLf)
                m_lineStarts.push_back(p);
    }
}

// A comment marker made of letters (BasicScript's "rem") starts a comment
// only as a whole word, so that names such as removeAll or remainder stay
// code. Other markers compare as plain bytes.
bool TkxParser::commentStartsAt(const QByteArray &marker) const
{
    if (!textStartsWith(m_pos, marker))
        return false;
    if (isIdentChar(uchar(marker.front())) && m_pos > 1 && isIdentChar(uchar(ch(m_pos - 1))))
        return false;
    if (isIdentChar(uchar(marker.back())) && isIdentChar(uchar(ch(m_pos + int(marker.size())))))
        return false;
    return true;
}

void TkxParser::skipBlanks()
{
    // A continuation character is followed by a line end that belongs to it;
    // the line ends owed are counted instead of recursing, so a run of
    // continuation characters cannot exhaust the stack.
    int owedLineEnds = 0;
    for (;;) {
        while (m_pos <= m_length) {
            const uchar c = uchar(ch(m_pos));
            if (c > 32 || (c == kCr && !m_lineEndsAreBlanks))
                break;
            ++m_pos;
        }
        if (m_continuation && m_pos <= m_length && ch(m_pos) == m_continuation) {
            ++m_pos;
            ++owedLineEnds;
            continue;
        }
        // Comments are looked for only before the last character.
        if (m_pos < m_length) {
            if (commentStartsAt(m_commentLine1) || commentStartsAt(m_commentLine2)) {
                // A line comment runs up to the LF. Where line ends are
                // significant it stops at the CR too: the line end after a
                // trailing comment still ends the statement.
                while (m_pos <= m_length && ch(m_pos) != kLf
                       && (m_lineEndsAreBlanks || ch(m_pos) != kCr))
                    ++m_pos;
                continue;
            }
            const QByteArray *close = nullptr;
            if (textStartsWith(m_pos, m_blockOpen1)) {
                m_pos += int(m_blockOpen1.size());
                close = &m_blockClose1;
            } else if (textStartsWith(m_pos, m_blockOpen2)) {
                m_pos += int(m_blockOpen2.size());
                close = &m_blockClose2;
            }
            if (close) {
                // Block comments do not nest; an unterminated one runs to the end.
                while (m_pos <= m_length && !textStartsWith(m_pos, *close))
                    ++m_pos;
                if (m_pos <= m_length)
                    m_pos += int(close->size());
                continue;
            }
        }
        if (owedLineEnds > 0) {
            --owedLineEnds;
            while (m_pos <= m_length && (ch(m_pos) == kCr || ch(m_pos) == kLf))
                ++m_pos;
            continue;
        }
        break;
    }
    m_tokenStart = m_pos;
}

int TkxParser::skipBlanksFrom(int position)
{
    const Mark saved = mark();
    m_pos = position;
    skipBlanks();
    const int result = m_pos;
    restore(saved);
    return result;
}

bool TkxParser::readLineEnd()
{
    const Mark saved = mark();
    skipBlanks();
    if (ch(m_pos) == kCr || ch(m_pos) == kLf) {
        while (m_pos <= m_length && (ch(m_pos) == kCr || ch(m_pos) == kLf))
            ++m_pos;
        return true;
    }
    restore(saved);
    return false;
}

void TkxParser::beginToken()
{
    if (m_skipSpaces)
        skipBlanks();
    else
        m_tokenStart = m_pos;
}

char TkxParser::readPunctuation()
{
    if (m_pos > m_length)
        return 0;
    const char c = ch(m_pos);
    if (!isPunctuation(uchar(c)))
        return 0;
    ++m_pos;
    return c;
}

QByteArrayView TkxParser::scanWord()
{
    const Mark saved = mark();
    beginToken();
    const uchar first = uchar(ch(m_pos));
    if (m_pos > m_length || !isIdentChar(first) || isDigit(char(first))) {
        restore(saved);
        return {};
    }
    while (m_pos <= m_length && isIdentChar(uchar(ch(m_pos))))
        ++m_pos;
    return QByteArrayView(at(m_tokenStart), m_pos - m_tokenStart);
}

QByteArrayView TkxParser::scanIdentifier()
{
    const Mark saved = mark();
    const QByteArrayView word = scanWord();
    if (!word.isEmpty() && isKeyword(word)) {
        restore(saved);
        return {};
    }
    return word;
}

QByteArray TkxParser::readWord()
{
    return scanWord().toByteArray();
}

QByteArray TkxParser::readIdentifier()
{
    return scanIdentifier().toByteArray();
}

bool TkxParser::isKeyword(QByteArrayView word) const
{
    auto it = std::lower_bound(
        m_keywords.begin(), m_keywords.end(), word,
        [](const QByteArray &a, QByteArrayView b) { return compareNoCase(a, b) < 0; });
    if (!m_caseSensitive)
        return it != m_keywords.end() && compareNoCase(*it, word) == 0;
    // Case-sensitive languages compare exactly with each keyword; the
    // keywords equal without regard to case are neighbours in the list.
    for (; it != m_keywords.end() && compareNoCase(*it, word) == 0; ++it)
        if (QByteArrayView(*it) == word)
            return true;
    return false;
}

// Integer part of a number at the given position: the hex marker and at
// least one hex digit, or at least one decimal digit.
bool TkxParser::readIntegerPart(int &position) const
{
    int p = position;
    if (textStartsWith(p, m_hexMarker) && isHexDigit(ch(p + int(m_hexMarker.size())))) {
        p += int(m_hexMarker.size());
        while (isHexDigit(ch(p)))
            ++p;
    } else if (isDigit(ch(p))) {
        while (isDigit(ch(p)))
            ++p;
    } else {
        return false;
    }
    position = p;
    return true;
}

QByteArray TkxParser::readNumber()
{
    const Mark saved = mark();
    beginToken();
    int p = m_pos;
    if (!readIntegerPart(p)) {
        restore(saved);
        return {};
    }
    // A "." without a digit after it (1..5) and an "E" without digits (1.5e)
    // are not part of the number.
    if (ch(p) == '.' && isDigit(ch(p + 1))) {
        p += 1;
        while (isDigit(ch(p)))
            ++p;
    }
    if (ch(p) == 'E' || ch(p) == 'e') {
        int q = p + 1;
        if (ch(q) == '+' || ch(q) == '-')
            ++q;
        if (isDigit(ch(q))) {
            while (isDigit(ch(q)))
                ++q;
            p = q;
        }
    }
    m_pos = p;
    QByteArray text(at(m_tokenStart), m_pos - m_tokenStart);
    if (!m_hexMarker.isEmpty() && m_hexMarker != "$")
        text.replace(m_hexMarker, "$");
    return text;
}

QByteArray TkxParser::readString()
{
    const Mark saved = mark();
    beginToken();
    auto fail = [&]() {
        restore(saved);
        return QByteArray();
    };
    const bool cStyle = m_quote == '"';
    QByteArray value;
    bool anyPiece = false;
    int p = m_pos;
    for (;;) {
        if (m_quote && p <= m_length && ch(p) == m_quote) {
            // A quoted piece; CR, LF, NUL or any other control character
            // but TAB before the closing quote makes it no string at all.
            ++p;
            for (;;) {
                if (p > m_length)
                    return fail();
                const char c = ch(p);
                if (cStyle && c == '\\') {
                    if (p + 1 > m_length)
                        return fail();
                    const char e = ch(p + 1);
                    if (e == 'n' || e == 'N') {
                        value += kLf;
                        p += 2;
                    } else if (e == 'r' || e == 'R') {
                        value += kCr;
                        p += 2;
                    } else if (e == 'x') {
                        p += 2;
                        if (isHexDigit(ch(p))) {
                            uint code = 0;
                            while (isHexDigit(ch(p)))
                                code = ((code << 4) | uint(hexValue(ch(p++)))) & 0xFF;
                            appendCode(value, code);
                        }
                    } else if (e == '\t' || uchar(e) >= 32) {
                        value += e;
                        p += 2;
                    } else {
                        return fail();
                    }
                } else if (c == m_quote) {
                    if (!cStyle && ch(p + 1) == m_quote) {
                        value += c;
                        p += 2;
                    } else {
                        ++p;
                        break;
                    }
                } else if (c == '\t' || uchar(c) >= 32) {
                    value += c;
                    ++p;
                } else {
                    return fail();
                }
            }
            anyPiece = true;
        } else if (p <= m_length && ch(p) == '#') {
            // A character code: "#" and an integer as numbers write them.
            int q = p + 1;
            if (!readIntegerPart(q))
                break;
            QByteArray digits(at(p + 1), q - p - 1);
            bool ok = false;
            uint code = 0;
            if (textStartsWith(p + 1, m_hexMarker)) {
                code = digits.mid(m_hexMarker.size()).toUInt(&ok, 16);
            } else {
                code = digits.toUInt(&ok, 10);
            }
            // A code that names no character gives no token rather than a
            // wrong character.
            if (!ok || code > 0xFFFF || (code >= 0xD800 && code <= 0xDFFF))
                return fail();
            appendCode(value, code);
            p = q;
            anyPiece = true;
        } else {
            break;
        }
    }
    if (!anyPiece)
        return fail();
    m_pos = p;
    QByteArray result;
    result.reserve(value.size() + 2);
    result += '\'';
    result += value;
    result += '\'';
    return result;
}

QByteArray TkxParser::readBracketText()
{
    const int start = m_pos;
    int depth = 1;
    bool inDouble = false;
    bool inSingle = false;
    int p = m_pos;
    for (; p <= m_length; ++p) {
        const char c = ch(p);
        if (c == '"' && !inSingle) {
            inDouble = !inDouble;
        } else if (c == '\'' && !inDouble) {
            inSingle = !inSingle;
        } else if (!inDouble && !inSingle) {
            if (c == '<' || c == '[') {
                ++depth;
            } else if (c == '>' || c == ']') {
                if (--depth == 0)
                    break;
            }
        }
    }
    m_pos = p;
    return QByteArray(at(start), p - start);
}

QPoint TkxParser::positionPoint(int position) const
{
    // The line is the number of line starts below the position: a position
    // equal to a start (the LF itself) still belongs to the line before.
    const auto it = std::lower_bound(m_lineStarts.begin(), m_lineStarts.end(), position);
    const int line = int(it - m_lineStarts.begin());
    const int column = line > 0 ? position - m_lineStarts[size_t(line - 1)] : position;
    return QPoint(column, line);
}

QString TkxParser::positionText(int position) const
{
    const QPoint point = positionPoint(position);
    return QString::number(point.y()) + u':' + QString::number(point.x());
}

int TkxParser::offsetOf(int column, int line) const
{
    if (line < 1 || line > int(m_lineStarts.size()))
        return -1;
    return m_lineStarts[size_t(line - 1)] + column;
}

QStringList TkxParser::keywords() const
{
    QStringList list;
    list.reserve(qsizetype(m_keywords.size()));
    for (const QByteArray &keyword : m_keywords)
        list.append(QString::fromUtf8(keyword));
    return list;
}

QPoint positionToPoint(QStringView positionText)
{
    if (positionText.isEmpty())
        return QPoint(0, 0);
    const qsizetype colon = positionText.indexOf(u':');
    const QStringView lineText = colon < 0 ? positionText : positionText.left(colon);
    const QStringView columnText = colon < 0 ? QStringView() : positionText.mid(colon + 1);
    return QPoint(columnText.toInt(), lineText.toInt());
}

}   // namespace pgx::script
