#include "persist/serializer/ValueText.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <limits>

using namespace pgx::persist;

namespace {

TEST(ValueText, Integers)
{
    struct Case
    {
        const char *text;
        qint64 value;
    };
    const Case cases[] = {
        {"0", 0},
        {"42", 42},
        {"-42", -42},
        {"+7", 7},
        {" 12 ", 12},
        {"$1F", 31},
        {"0x1f", 31},
        {"-$10", -16},
        {"536870911", 536870911},
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

TEST(ValueText, VariantsAsTheirTextForm)
{
    const struct
    {
        QVariant value;
        QByteArray text;
    } cases[] = {
        {QVariant(true), "True"},   // the template's Boolean names, never "1"/"0"
        {QVariant(false), "False"},
        {QVariant(short(-7)), "-7"},
        {QVariant(42), "42"},
        {QVariant(uchar(200)), "200"},
        {QVariant(qint64(1) << 40), "1099511627776"},
        {QVariant(quint64(18446744073709551615ull)), "18446744073709551615"},
        {QVariant(2.5), "2.5"},
        {QVariant(float(0.25f)), "0.25"},
        {QVariant(1e20), "1E20"},
        {QVariant(QStringLiteral("a\"b<\u00e9")), "a&#34;b&#60;\xc3\xa9"},
        {QVariant(QStringLiteral("'North'")), "'North'"},
        {QVariant(QByteArray("x&y\xe8")), "x&#38;y\xe8"},   // bytes stay bytes
        {QVariant(), ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(variantToText(c.value), c.text) << c.value.typeName();
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

}   // namespace
