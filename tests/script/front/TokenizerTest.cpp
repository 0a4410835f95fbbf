#include "FrontTestUtil.h"

#include <gtest/gtest.h>

namespace pgx::script {
namespace {

using test::tokenizerFor;

const QString kPascal = QStringLiteral("PascalScript");
const QString kCpp = QStringLiteral("C++Script");
const QString kBasic = QStringLiteral("BasicScript");
const QString kJScript = QStringLiteral("JScript");

// One token read: what kind of read, and the text it should return.
enum class Read { Number, Word, Ident, String, Punct, LineEnd };

struct Step
{
    Read read;
    QByteArray expected;   // empty: the read must fail
};

struct TokenCase
{
    const char *name;
    QString language;
    QByteArray text;
    std::vector<Step> steps;
};

void PrintTo(const TokenCase &c, std::ostream *os)
{
    *os << c.name;
}

QByteArray doRead(TkxParser &p, Read read)
{
    switch (read) {
    case Read::Number: return p.readNumber();
    case Read::Word: return p.readWord();
    case Read::Ident: return p.readIdentifier();
    case Read::String: return p.readString();
    case Read::Punct: {
        p.skipBlanks();
        const char c = p.readPunctuation();
        return c ? QByteArray(1, c) : QByteArray();
    }
    case Read::LineEnd: return p.readLineEnd() ? QByteArray("EOL") : QByteArray();
    }
    return {};
}

class TokenSequence : public ::testing::TestWithParam<TokenCase>
{ };

TEST_P(TokenSequence, ReadsTokensInOrder)
{
    const TokenCase &c = GetParam();
    TkxParser p = tokenizerFor(c.language, c.text);
    for (size_t i = 0; i < c.steps.size(); ++i) {
        const int before = p.position();
        const QByteArray got = doRead(p, c.steps[i].read);
        EXPECT_EQ(got, c.steps[i].expected) << "step " << i;
        // A read that fails leaves the position where it was.
        if (got.isEmpty()) {
            EXPECT_EQ(p.position(), before) << "step " << i;
        }
    }
}

const QByteArray kCrlf = "\r\n";

INSTANTIATE_TEST_SUITE_P(
    Tokenizer, TokenSequence,
    ::testing::Values(
        // Numbers: a "." or "E" without digits after it is not part of the number.
        TokenCase{
            "RangeIsNumberAndTwoDots",
            kPascal,
            "1..5",
            {{Read::Number, "1"}, {Read::Punct, "."}, {Read::Punct, "."}, {Read::Number, "5"}}},
        TokenCase{
            "IncompleteExponent", kPascal, "1.5e", {{Read::Number, "1.5"}, {Read::Word, "e"}}},
        TokenCase{"Exponents",
                  kPascal,
                  "1e5 1.5E+3 2e-1",
                  {{Read::Number, "1e5"}, {Read::Number, "1.5E+3"}, {Read::Number, "2e-1"}}},
        TokenCase{"CHexBecomesDollar",
                  kCpp,
                  "0x1F 0xZ",
                  {{Read::Number, "$1F"}, {Read::Number, "0"}, {Read::Word, "xZ"}}},
        TokenCase{"PascalHexKeepsDollar",
                  kPascal,
                  "$1f $",
                  {{Read::Number, "$1f"}, {Read::Number, ""}, {Read::Punct, "$"}}},
        TokenCase{"MinusIsNeverPartOfANumber",
                  kJScript,
                  "-1",
                  {{Read::Number, ""}, {Read::Punct, "-"}, {Read::Number, "1"}}},
        // Strings come back between single quotes, inner quotes not doubled.
        TokenCase{"PascalDoubledQuoteAndCodes",
                  kPascal,
                  "'it''s'#13#10'ok' x",
                  {{Read::String, "'it's\r\nok'"}, {Read::Word, "x"}}},
        TokenCase{"PascalHexCharacterCode", kPascal, "#$41#66", {{Read::String, "'AB'"}}},
        TokenCase{"CharacterCodeAboveAscii", kPascal, "#233", {{Read::String, "'\xc3\xa9'"}}},
        TokenCase{"UnconvertibleCharacterCodeIsNoToken",
                  kPascal,
                  "#99999 x",
                  {{Read::String, ""}, {Read::Punct, "#"}, {Read::Number, "99999"}}},
        TokenCase{"CCharacterCodeWithHexMarker", kCpp, "#0x41", {{Read::String, "'A'"}}},
        TokenCase{"JScriptEscapes",
                  kJScript,
                  "\"\\x41\\t\\n\\R\\\\\\\"\"",
                  {{Read::String, "'At\n\r\\\"'"}}},
        TokenCase{
            "HexEscapeKeepsLowEightBits", kJScript, "\"\\x141\\xq\"", {{Read::String, "'Aq'"}}},
        TokenCase{"AdjacentPiecesJoin",
                  kJScript,
                  "\"a\"\"b\" \"c\"",
                  {{Read::String, "'ab'"}, {Read::String, "'c'"}}},
        TokenCase{"BackslashIsOrdinaryInPascal", kPascal, "'a\\'", {{Read::String, "'a\\'"}}},
        TokenCase{"UnterminatedStringIsNoString",
                  kPascal,
                  "'abc\r\n'",
                  {{Read::String, ""}, {Read::Punct, "'"}}},
        TokenCase{
            "UnterminatedCStringWithEscapeIsNoString", kJScript, "\"abc\\", {{Read::String, ""}}},
        TokenCase{"EscapedLineEndIsNoString", kCpp, "\"a\\\nb\"", {{Read::String, ""}}},
        TokenCase{"TabAllowedInString", kBasic, "\"a\tb\"", {{Read::String, "'a\tb'"}}},
        // Comments.
        TokenCase{"CommentMarkerInsideString",
                  kPascal,
                  "'{x}//' y",
                  {{Read::String, "'{x}//'"}, {Read::Word, "y"}}},
        TokenCase{"BraceCommentsDoNotNest",
                  kPascal,
                  "{ a { b } c }",
                  {{Read::Word, "c"}, {Read::Punct, "}"}}},
        TokenCase{"ParenStarComment",
                  kPascal,
                  "(* x *) y // z\r\nw",
                  {{Read::Word, "y"}, {Read::Word, "w"}}},
        TokenCase{"UnterminatedBlockRunsToEnd", kCpp, "/* x", {{Read::Word, ""}}},
        TokenCase{"CppBlockNotBrace", kCpp, "{ x }", {{Read::Punct, "{"}, {Read::Word, "x"}}},
        TokenCase{"BasicBlockComment", kBasic, "/\\ x /\\ y", {{Read::Word, "y"}}},
        TokenCase{"RemAsWholeWordOnly",
                  kBasic,
                  "removeAll rem x\r\ny",
                  {{Read::Word, "removeAll"}, {Read::LineEnd, "EOL"}, {Read::Word, "y"}}},
        TokenCase{
            "RemUpperCaseIsTheKeyword", kBasic, "REM x", {{Read::Ident, ""}, {Read::Word, "REM"}}},
        TokenCase{"QuoteComment",
                  kBasic,
                  "a ' note\r\nb",
                  {{Read::Word, "a"}, {Read::LineEnd, "EOL"}, {Read::Word, "b"}}},
        // Line ends: significant only in BasicScript, where "_" continues a line.
        TokenCase{
            "BasicLineEnds",
            kBasic,
            "a\r\n\r\nb",
            {{Read::Word, "a"}, {Read::LineEnd, "EOL"}, {Read::LineEnd, ""}, {Read::Word, "b"}}},
        TokenCase{"BasicContinuation",
                  kBasic,
                  "a _\r\n  b",
                  {{Read::Word, "a"}, {Read::LineEnd, ""}, {Read::Word, "b"}}},
        TokenCase{"ManyContinuations", kBasic, QByteArray(200000, '_') + "x", {{Read::Word, "x"}}},
        TokenCase{"PascalLineEndsAreBlanks",
                  kPascal,
                  "a\r\nb",
                  {{Read::Word, "a"}, {Read::LineEnd, ""}, {Read::Word, "b"}}},
        // Words and keywords.
        TokenCase{"CppKeywordsAreCaseSensitive",
                  kCpp,
                  "If if",
                  {{Read::Ident, "If"}, {Read::Ident, ""}, {Read::Word, "if"}}},
        TokenCase{"PascalKeywordsIgnoreCase",
                  kPascal,
                  "BEGIN Begin x1",
                  {{Read::Ident, ""},
                   {Read::Word, "BEGIN"},
                   {Read::Ident, ""},
                   {Read::Word, "Begin"},
                   {Read::Ident, "x1"}}},
        TokenCase{"WordCannotStartWithDigit",
                  kPascal,
                  "1abc",
                  {{Read::Word, ""}, {Read::Number, "1"}, {Read::Word, "abc"}}},
        TokenCase{"HighCharactersNeedTheOption", kPascal, "\xc3\xa9t\xc3\xa9", {{Read::Word, ""}}},
        TokenCase{"NulIsNoToken",
                  kJScript,
                  QByteArray("\0", 1),
                  {{Read::Word, ""}, {Read::Number, ""}, {Read::String, ""}, {Read::LineEnd, ""}}}),
    [](const ::testing::TestParamInfo<TokenCase> &info) { return std::string(info.param.name); });

TEST(Tokenizer, HighCharactersAreIdentifierCharactersWithTheOption)
{
    TkxParser p = tokenizerFor(kPascal, "\xc3\xa9t\xc3\xa9 := 1", true);
    EXPECT_EQ(p.readIdentifier(), QByteArray("\xc3\xa9t\xc3\xa9"));
}

TEST(Tokenizer, PunctuationRanges)
{
    TkxParser p;
    QByteArray all;
    for (int c = 1; c < 128; ++c)
        all += char(c);
    p.setText(all);
    QByteArray punctuation;
    for (int pos = 1; pos <= all.size(); ++pos) {
        p.setPosition(pos);
        if (char c = p.readPunctuation())
            punctuation += c;
    }
    EXPECT_EQ(punctuation, QByteArray("!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~"));
}

TEST(Tokenizer, BracketTextStopsAtTheClosingBracketOutsideQuotes)
{
    TkxParser p;
    p.setText("[a[b]<c>'x]'\"y>\"] rest");
    p.setPosition(2);
    EXPECT_EQ(p.readBracketText(), QByteArray("a[b]<c>'x]'\"y>\""));
    EXPECT_EQ(p.readPunctuation(), ']');

    p.setText("[no end");
    p.setPosition(2);
    EXPECT_EQ(p.readBracketText(), QByteArray("no end"));
    EXPECT_EQ(p.position(), p.length() + 1);
}

TEST(Tokenizer, PositionTextCountsBytesFromTheLineStart)
{
    TkxParser p;
    p.setText("ab\r\ncd\n\tx");
    struct
    {
        int position;
        const char *text;
    } cases[] = {
        {1, "1:1"}, {2, "1:2"}, {3, "1:3"},   // the CR is a column of its line
        {4, "1:4"},                           // so is the LF
        {5, "2:1"}, {8, "3:1"}, {9, "3:2"},   // TAB counts as one column
    };
    for (const auto &c : cases)
        EXPECT_EQ(p.positionText(c.position), QString::fromLatin1(c.text)) << c.position;
    EXPECT_EQ(p.offsetOf(2, 2), 6);
    EXPECT_EQ(p.offsetOf(1, 4), -1);
    EXPECT_EQ(p.offsetOf(1, 0), -1);
}

TEST(Tokenizer, PositionToPoint)
{
    EXPECT_EQ(positionToPoint(u"3:14"), QPoint(14, 3));
    EXPECT_EQ(positionToPoint(u""), QPoint(0, 0));
    EXPECT_EQ(positionToPoint(u"7"), QPoint(0, 7));
}

TEST(Tokenizer, WithoutLineTableEverythingIsLineOne)
{
    // The code editor tokenizes line by line with the table off.
    TkxParser p;
    p.setUseLineTable(false);
    p.setText("a\nb");
    EXPECT_EQ(p.positionText(3), QStringLiteral("1:3"));
}

TEST(Tokenizer, KeywordListIsSortedWithoutRegardToCase)
{
    TkxParser p;
    for (const char *w : {"while", "Begin", "end", "and"})
        p.addKeyword(w);
    EXPECT_EQ(p.keywords(), QStringList({"and", "Begin", "end", "while"}));
    EXPECT_TRUE(p.isKeyword("BEGIN"));
    EXPECT_FALSE(p.isKeyword("beg"));
}

TEST(Tokenizer, ResetRestoresDefaults)
{
    TkxParser p = tokenizerFor(kCpp, "{ x } 0x10");
    p.reset();
    p.setPosition(1);
    // Default settings: "{...}" is a comment again and "$" the hex marker.
    EXPECT_EQ(p.readNumber(), QByteArray("0"));
    EXPECT_TRUE(p.keywords().isEmpty());
}

TEST(Tokenizer, EmptyCommentMarkersAreIgnored)
{
    // A grammar with an empty or half block-comment marker must not make
    // every position a comment.
    TkxParser p;
    p.applySetting(QStringLiteral("commentblock1"), QStringLiteral(","));
    p.applySetting(QStringLiteral("commentblock2"), QStringLiteral("<"));
    p.applySetting(QStringLiteral("commentline1"), QString());
    p.setText("  x");
    EXPECT_EQ(p.readWord(), QByteArray("x"));
}

}   // namespace
}   // namespace pgx::script
