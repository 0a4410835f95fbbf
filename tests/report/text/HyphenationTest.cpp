#include "report/text/Hyphenation.h"

#include <QtCore/QString>
#include <gtest/gtest.h>

namespace pgx::test {
namespace {

using namespace pgx::text;

TEST(HyphenationTest, BreakPoints)
{
    struct Case
    {
        const char16_t *word;
        std::vector<int> points;
        const char *why;
    };
    const Case cases[] = {
        {u"программирование",
         {3, 4, 7, 9, 11, 13},
         "not after А before the doubled ММ, but between them; not before the last letter"},
        {u"Программирование", {3, 4, 7, 9, 11, 13}, "case does not matter"},
        {u"касса", {3}, "a doubled consonant before a vowel is split"},
        {u"мама", {2}, "a vowel three letters from the end may end the first part"},
        {u"война", {3}, "never between a vowel and Й"},
        {u"подъезд", {2}, "not before a sign; the rest must hold a vowel"},
        {u"кот", {}, "three letters have no break points"},
        {u"стол", {}, "one vowel cannot serve both parts"},
        {u"computer", {}, "only Russian letters are classed"},
        {u"", {}, "an empty word"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(hyphenationPoints(QStringView(c.word)), c.points) << c.why;
}

TEST(HyphenationTest, TheLargestPointBelowTheLettersThatFitted)
{
    struct Case
    {
        int fitted;
        int point;
    };
    const Case cases[] = {{6, 4}, {4, 3}, {3, 0}, {100, 13}, {0, 0}};
    for (const Case &c : cases)
        EXPECT_EQ(hyphenationPoint(u"программирование", c.fitted), c.point) << c.fitted;
}

TEST(HyphenationTest, TheWordEndsBeforeAPunctuationMarkOrBlank)
{
    struct Case
    {
        const char16_t *text;
        const char16_t *word;
    };
    const Case cases[] = {
        {u"слово,другое", u"слово"}, {u"что-то", u"что"},
        {u"конец.", u"конец"},       {u"а;б", u"а"},
        {u"два слова", u"два"},      {u"целиком", u"целиком"},
        {u" начало", u""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(hyphenationWord(QStringView(c.text)).toString(), QString::fromUtf16(c.word));
}

}   // namespace
}   // namespace pgx::test
