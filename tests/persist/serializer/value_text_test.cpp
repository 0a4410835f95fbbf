#include "persist/serializer/ValueText.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

using namespace pgx::persist;

namespace {

TEST(ValueText, FloatsInTheGeneralFormat)
{
    struct Case { double value; const char *text; };
    const Case cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {1, "1"},
        {-1, "-1"},
        {12.5, "12.5"},
        {0.1, "0.1"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},   // rounded at the 15th digit
        {37.7953, "37.7953"},
        {3.77953 * 10, "37.7953"},        // binary noise beyond 15 digits vanishes
        {1000, "1000"},
        {123456789012345, "123456789012345"},   // 15 integer digits: fixed
        {1e15, "1E15"},                         // 16: scientific
        {1234567890123456, "1.23456789012346E15"},
        {1e20, "1E20"},
        {0.0001, "0.0001"},                     // smallest fixed
        {0.00012345, "0.00012345"},
        {0.00001, "1E-5"},
        {1.5e-7, "1.5E-7"},
        {-2.5e-300, "-2.5E-300"},
        {9.9999999999999999, "10"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(formatFloat(c.value), QByteArray(c.text)) << c.text;
}

TEST(ValueText, FloatTextReadsBackToTheSameText)
{
    for (double value : {0.1, 1.0 / 7, 123.456, 1e-9, 6.02214076e23, -37.7953, 96.0, 1e15}) {
        const QByteArray text = formatFloat(value);
        const auto back = parseFloat(text);
        ASSERT_TRUE(back.has_value()) << text.constData();
        EXPECT_EQ(formatFloat(*back), text);
        EXPECT_NEAR(*back, value, std::abs(value) * 1e-14);
    }
}

TEST(ValueText, FloatsReadWithEitherSeparatorAndBlanksDropped)
{
    struct Case { const char *text; double value; };
    const Case cases[] = {
        {"12.5", 12.5},   {"12,5", 12.5},  {"1 234", 1234}, {" 1 234,75 ", 1234.75},
        {"-0,5", -0.5},   {"+3", 3},       {".5", 0.5},     {"5.", 5},
        {"1E3", 1000},    {"1e-2", 0.01},  {"2,5E1", 25},   {"nan", NAN},
        {"-inf", -INFINITY},
    };
    for (const Case &c : cases) {
        const auto value = parseFloat(c.text);
        ASSERT_TRUE(value.has_value()) << c.text;
        if (std::isnan(c.value))
            EXPECT_TRUE(std::isnan(*value));
        else
            EXPECT_EQ(*value, c.value) << c.text;
    }
    for (const char *bad : {"", " ", "abc", "1.2.3", "1,234.5", "12px", "--1", "+-1", "1e999", "0x10"})
        EXPECT_FALSE(parseFloat(bad).has_value()) << bad;
}

TEST(ValueText, OutputDoesNotDependOnTheLocale)
{
    // A locale with "," as decimal point must not leak into files; skip
    // quietly where the machine has no such locale.
    const char *locales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "cs_CZ.UTF-8"};
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    bool switched = false;
    for (const char *name : locales)
        if (std::setlocale(LC_ALL, name)) {
            switched = true;
            break;
        }
    const QByteArray text = formatFloat(1234.5);
    const auto back = parseFloat("0.25");
    std::setlocale(LC_ALL, saved.c_str());
    if (!switched)
        GTEST_SKIP() << "no comma locale installed";
    EXPECT_EQ(text, "1234.5");
    EXPECT_EQ(back, 0.25);
}

TEST(ValueText, Integers)
{
    struct Case { const char *text; qint64 value; };
    const Case cases[] = {
        {"0", 0}, {"42", 42}, {"-42", -42}, {"+7", 7}, {" 12 ", 12},
        {"$1F", 31}, {"0x1f", 31}, {"-$10", -16}, {"536870911", 536870911},
        {"-9223372036854775808", std::numeric_limits<qint64>::min()},
    };
    for (const Case &c : cases)
        EXPECT_EQ(parseInteger(c.text), c.value) << c.text;
    for (const char *bad : {"", "-", "$", "1.5", "12a", "1 2", "9223372036854775808", "0x"})
        EXPECT_FALSE(parseInteger(bad).has_value()) << bad;
}

TEST(ValueText, EnumerationsByNameOrOrdinal)
{
    const QList<QByteArray> align = {"haLeft", "haRight", "haCenter", "haBlock"};
    EXPECT_EQ(enumToText(2, align), "haCenter");
    EXPECT_EQ(enumFromText("haCenter", align), 2);
    EXPECT_EQ(enumFromText("2", align), 2);
    EXPECT_EQ(enumFromText("HACENTER", align), 2);
    EXPECT_EQ(enumFromText("0", align), 0);
    EXPECT_FALSE(enumFromText("4", align).has_value());
    EXPECT_FALSE(enumFromText("-1", align).has_value());
    EXPECT_FALSE(enumFromText("haMiddle", align).has_value());
    EXPECT_FALSE(enumFromText("", align).has_value());

    const QList<QByteArray> boolean = {"False", "True"};
    EXPECT_EQ(enumFromText("True", boolean), 1);
    EXPECT_EQ(enumFromText("1", boolean), 1);
    EXPECT_EQ(enumFromText("false", boolean), 0);
}

TEST(ValueText, SetsAsBitMasks)
{
    // Frame sides: left, right, top, bottom.
    EXPECT_EQ(setToText(0b0011), "3");
    EXPECT_EQ(setFromText("3", 4), 3u);
    EXPECT_EQ(setFromText("15", 4), 15u);
    EXPECT_EQ(setFromText("0", 4), 0u);
    EXPECT_EQ(setFromText("255", 4), 15u);   // elements of a newer version dropped
    EXPECT_EQ(setFromText("4294967295", 32), 0xffffffffu);
    EXPECT_FALSE(setFromText("4294967296", 32).has_value());
    EXPECT_FALSE(setFromText("[fsBold]", 4).has_value());
}

TEST(ValueText, AttributeBytesAreUtf8OrTheLegacyCodePage)
{
    const QString text = QStringLiteral("Žluťoučký kůň \u20ac");
    EXPECT_EQ(decodeAttrText(encodeAttrText(text)), text);
    EXPECT_EQ(decodeAttrText("plain"), QStringLiteral("plain"));
    // "Šč" in Windows-1250: not valid UTF-8.
    EXPECT_EQ(decodeAttrText("\x8a\xe8"), QStringLiteral("\u0160\u010d"));

    ASSERT_TRUE(setLegacyCodePage("windows-1252"));
    EXPECT_EQ(decodeAttrText("\x8a\xe8"), QStringLiteral("\u0160\u00e8"));
    EXPECT_FALSE(setLegacyCodePage("no-such-code-page"));
    EXPECT_EQ(legacyCodePage(), "windows-1252");
    ASSERT_TRUE(setLegacyCodePage("windows-1250"));
}

TEST(ValueText, MessagesQuoteTheTextAndCutLongOnes)
{
    EXPECT_EQ(invalidIntegerMessage("abc"), QStringLiteral("'abc' is not a valid integer value"));
    EXPECT_EQ(invalidFloatMessage("1,2,3"),
              QStringLiteral("'1,2,3' is not a valid floating point value"));
    EXPECT_EQ(invalidEnumMessage("haMiddle", "TpgxHAlign"),
              QStringLiteral("'haMiddle' is not a valid value of TpgxHAlign"));
    EXPECT_LT(invalidIntegerMessage(QByteArray(100000, '9')).size(), 200);
}

} // namespace
