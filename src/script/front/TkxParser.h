#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QPoint>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <bitset>
#include <cstring>
#include <vector>

namespace pgx::script {

class TkxGrammar;

// The tokenizer the syntax analyser drives rule by rule and the code editor
// uses for highlighting. It works on 8-bit text (UTF-8 here) with 1-based
// positions; a NUL sentinel follows the text so that every read fails at the
// end. It never raises: a read that does not match returns an empty result
// (or false) and leaves the position where it was.
class TkxParser
{
public:
    TkxParser();

    // Restores every lexical setting to its default, clears the keyword list
    // and turns blank skipping on. The text is kept.
    void reset();

    // Applies one lexical setting of a grammar's "parser" element by its
    // lower-cased name; unknown names are ignored.
    void applySetting(const QString &name, const QString &text);
    void addKeyword(QByteArrayView keyword);
    // Characters 128..255 become identifier characters (the report's scripts).
    void addHighCharacters();

    // Loads a grammar's keywords and lexical settings: Reset, keywords, then
    // every setting in document order.
    void loadGrammar(const TkxGrammar &grammar, bool highCharacters);

    void setText(const QByteArray &text);
    const QByteArray &text() const { return m_text; }
    int length() const { return m_length; }

    int position() const { return m_pos; }
    // Also sets the token start; clamped to the text and its sentinel.
    void setPosition(int position)
    {
        m_pos = position < 1 ? 1 : (position > m_length + 1 ? m_length + 1 : position);
        m_tokenStart = m_pos;
    }
    int tokenStart() const { return m_tokenStart; }

    void skipBlanks();
    bool readLineEnd();
    // One punctuation character (no skipping): its character or 0.
    char readPunctuation();
    QByteArray readWord();
    QByteArray readIdentifier();
    QByteArray readNumber();
    QByteArray readString();
    QByteArray readBracketText();
    bool isKeyword(QByteArrayView word) const;

    // The same reads without copying: the view points into Text() and stays
    // valid until the next SetText. The analyser uses these on its hot path.
    QByteArrayView scanWord();
    QByteArrayView scanIdentifier();

    // "line:col" of the current position, or of a given one.
    QString positionText() const { return positionText(m_pos); }
    QString positionText(int position) const;
    QPoint positionPoint(int position) const;   // x = column, y = line
    int offsetOf(int column, int line) const;

    // The sorted keyword list (case-insensitive order), for the code editor.
    QStringList keywords() const;

    bool skipSpaces() const { return m_skipSpaces; }
    void setSkipSpaces(bool on) { m_skipSpaces = on; }
    bool useLineTable() const { return m_useLineTable; }
    void setUseLineTable(bool on) { m_useLineTable = on; }

    bool caseSensitive() const { return m_caseSensitive; }
    bool declarationsRequired() const { return m_declarationsRequired; }
    bool isIdentChar(uchar c) const { return m_identChars.test(c); }

private:
    const char *at(int position) const { return m_data + position; }
    char ch(int position) const { return m_data[position]; }
    bool textStartsWith(int position, const QByteArray &marker) const
    {
        return !marker.isEmpty() && ch(position) == marker.front()
            && position + marker.size() - 1 <= m_length
            && std::memcmp(at(position), marker.constData(), size_t(marker.size())) == 0;
    }
    // Where a failed read puts the tokenizer back: every Read* either
    // consumes a whole token or leaves position and token start untouched.
    struct Mark
    {
        int pos;
        int tokenStart;
    };
    Mark mark() const { return {m_pos, m_tokenStart}; }
    void restore(Mark m)
    {
        m_pos = m.pos;
        m_tokenStart = m.tokenStart;
    }
    // A token starts after the blanks, or right here when blanks are not skipped.
    void beginToken();

    bool commentStartsAt(const QByteArray &marker) const;
    bool readIntegerPart(int &position) const;
    int skipBlanksFrom(int position);

    QByteArray m_text;     // the text as given
    QByteArray m_buffer;   // NUL, the text, NUL sentinel: m_data[1] is position 1
    const char *m_data = nullptr;
    int m_length = 0;
    int m_pos = 1;
    int m_tokenStart = 1;
    std::vector<int> m_lineStarts;

    std::bitset<256> m_identChars;
    QByteArray m_commentLine1;
    QByteArray m_commentLine2;
    QByteArray m_blockOpen1, m_blockClose1;
    QByteArray m_blockOpen2, m_blockClose2;
    char m_quote = '\'';
    QByteArray m_hexMarker;
    bool m_lineEndsAreBlanks = true;
    char m_continuation = 0;
    bool m_caseSensitive = false;
    bool m_declarationsRequired = true;
    bool m_skipSpaces = true;
    bool m_useLineTable = true;

    std::vector<QByteArray> m_keywords;   // lower-cased and sorted; as written when case-sensitive
};

// The line (y) and column (x) of a "line:col" text; an empty text gives 0, 0.
QPoint positionToPoint(QStringView positionText);

}   // namespace pgx::script
