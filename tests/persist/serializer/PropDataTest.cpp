#include "persist/serializer/PropData.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <QtCore/QFile>

using namespace pgx::persist;

namespace {

QByteArray readGolden(const char *name)
{
    QFile file(QStringLiteral(PGX_TEST_DATA "/persist/serializer/propdata/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll().trimmed();
}

QByteArray hexBytes(const char *hex)
{
    auto bytes = propDataFromHex(QByteArray(hex));
    EXPECT_TRUE(bytes.has_value()) << hex;
    return bytes.value_or(QByteArray());
}

// What a report at 40, 152 on its host window with empty lists writes.
QByteArray reportStream()
{
    PropDataWriter writer;
    writer.writeInteger("Left", 40);
    writer.writeInteger("Top", 152);
    for (const char *list : {"Datasets", "Variables", "Style"}) {
        writer.writeName(list);
        writer.writeListBegin();
        writer.writeListEnd();
    }
    return writer.data();
}

TEST(PropData, ReportWithEmptyListsMatchesTheDocumentedValue)
{
    EXPECT_EQ(propDataToHex(reportStream()), readGolden("report_at_40_152_empty.hex"));
}

TEST(PropData, ReportStreamReadsBack)
{
    const PropDataParseResult parsed = parsePropData(reportStream());
    ASSERT_TRUE(parsed.ok()) << parsed.error.toStdString();
    ASSERT_EQ(parsed.entries.size(), 5u);
    EXPECT_EQ(parsed.entries[0].name, "Left");
    EXPECT_EQ(parsed.entries[0].value.type, PropValueType::Int8);
    EXPECT_EQ(parsed.entries[0].value.integer, 40);
    EXPECT_EQ(parsed.entries[1].value.type, PropValueType::Int16);
    EXPECT_EQ(parsed.entries[1].value.integer, 152);
    for (size_t i = 2; i < 5; ++i) {
        EXPECT_EQ(parsed.entries[i].value.type, PropValueType::List);
        EXPECT_TRUE(parsed.entries[i].value.items.empty());
    }
}

TEST(PropData, IntegersTakeTheShortestForm)
{
    struct Case
    {
        qint32 value;
        const char *hex;
    };
    const Case cases[] = {
        {0, "0200"},
        {127, "027F"},
        {-128, "0280"},
        {128, "038000"},
        {-129, "037FFF"},
        {32767, "03FF7F"},
        {-32768, "030080"},
        {32768, "0400800000"},
        {-32769, "04FF7FFFFF"},
        {2147483647, "04FFFFFF7F"},
        {-2147483647 - 1, "0400000080"},
    };
    for (const Case &c : cases) {
        PropDataWriter writer;
        writer.writeInteger(c.value);
        EXPECT_EQ(propDataToHex(writer.data()), QByteArray(c.hex)) << c.value;

        // And back, as a named entry.
        PropDataWriter named;
        named.writeInteger("N", c.value);
        const auto parsed = parsePropData(named.data());
        ASSERT_TRUE(parsed.ok());
        EXPECT_EQ(parsed.entries.at(0).value.integer, c.value);
        EXPECT_EQ(parsed.entries.at(0).value.toText(), QByteArray::number(c.value));
    }
}

TEST(PropData, ListsOfLongStringsAndBinaryRoundTrip)
{
    // The form of a collection: a list of items, each a list holding one
    // long string with the item's attribute text.
    PropDataWriter writer;
    writer.writeName("Variables");
    writer.writeListBegin();
    for (const QByteArray &item : {QByteArray(" Name=\"a\""), QByteArray(), QByteArray(300, 'x')}) {
        writer.writeListBegin();
        writer.writeLongString(item);
        writer.writeListEnd();
    }
    writer.writeListEnd();
    writer.writeBinary("Data", QByteArray("\x07TBitmap\x00\xff", 10));

    const auto parsed = parsePropData(writer.data());
    ASSERT_TRUE(parsed.ok()) << parsed.error.toStdString();
    ASSERT_EQ(parsed.entries.size(), 2u);
    const PropValue &list = parsed.entries[0].value;
    ASSERT_EQ(list.items.size(), 3u);
    EXPECT_EQ(list.items[0].items.at(0).bytes, " Name=\"a\"");
    EXPECT_EQ(list.items[1].items.at(0).bytes, QByteArray());
    EXPECT_EQ(list.items[2].items.at(0).bytes, QByteArray(300, 'x'));
    EXPECT_EQ(parsed.entries[1].value.type, PropValueType::Binary);
    EXPECT_EQ(parsed.entries[1].value.bytes, QByteArray("\x07TBitmap\x00\xff", 10));
}

TEST(PropData, OlderCollectionFormAndItsScalarCodes)
{
    // Collection with two items: the first with an order value and
    // properties of several kinds, the second without.
    const QByteArray bytes = hexBytes("095661726961626C6573"
                                      "0E"   // "Variables", collection
                                      "0205"
                                      "01"   // order 5, item begins
                                      "044E616D65"
                                      "0603616263"   // Name: short string "abc"
                                      "0556616C7565"
                                      "12"
                                      "02000000"
                                      "41002001"   // Value: wide string "A" U+0120
                                      "0446696E65"
                                      "09"   // Fine: True
                                      "0444617465"
                                      "11"
                                      "000000000000F83F"   // Date: 1.5 (a double)
                                      "00"                 // item ends
                                      "01"
                                      "0158"
                                      "0500000000000000C0FF3F"
                                      "00"     // item: X = extended 1.5
                                      "00");   // collection ends
    const auto parsed = parsePropData(bytes);
    ASSERT_TRUE(parsed.ok()) << parsed.error.toStdString();
    ASSERT_EQ(parsed.entries.size(), 1u);
    const PropValue &collection = parsed.entries[0].value;
    ASSERT_EQ(collection.type, PropValueType::Collection);
    ASSERT_EQ(collection.collection.size(), 2u);
    const PropCollectionItem &first = collection.collection[0];
    EXPECT_EQ(first.order, 5);
    ASSERT_EQ(first.properties.size(), 4u);
    EXPECT_EQ(first.properties[0].value.toText(), "abc");
    EXPECT_EQ(QString::fromUtf8(first.properties[1].value.toText()), QStringLiteral("A\u0120"));
    EXPECT_EQ(first.properties[2].value.toText(), "True");
    EXPECT_EQ(first.properties[3].value.toText(), "1.5");
    const PropCollectionItem &second = collection.collection[1];
    EXPECT_FALSE(second.order.has_value());
    ASSERT_EQ(second.properties.size(), 1u);
    EXPECT_EQ(second.properties[0].name, "X");
    EXPECT_EQ(second.properties[0].value.toText(), "1.5");
}

TEST(PropData, MalformedStreamsAreErrorsNotCrashes)
{
    struct Case
    {
        const char *hex;
        const char *error;
    };
    const Case cases[] = {
        {"05416263", "name runs past the end"},
        {"014C", "value type runs past the end"},
        {"014C03FF", "integer runs past the end"},
        {"014C0C05000000414243", "string runs past the end"},
        {"014C0CFFFFFFFF", "string runs past the end"},
        {"014C0AFFFFFF7F00", "string runs past the end"},
        {"014C12FFFFFFFF4100", "wide string runs past the end"},
        {"014C0101", "List not closed"},
        {"014CFE", "Unknown value type 254"},
        {"014C0E0600", "Collection item without property list"},
        {"014C0E01", "Collection item not closed"},
        {"014C0B0141", "name length runs past the end"},
    };
    for (const Case &c : cases) {
        const auto parsed = parsePropData(hexBytes(c.hex));
        EXPECT_FALSE(parsed.ok()) << c.hex;
        EXPECT_TRUE(parsed.error.contains(QLatin1String(c.error)))
            << c.hex << ": " << parsed.error.toStdString();
    }
}

TEST(PropData, NestingIsBounded)
{
    QByteArray deep("\x01L", 2);
    deep += QByteArray(100000, '\x01');
    const auto parsed = parsePropData(deep);
    EXPECT_FALSE(parsed.ok());
    EXPECT_TRUE(parsed.error.contains(QLatin1String("Nesting deeper than")));

    // Exactly at the limit is fine.
    QByteArray atLimit("\x01L", 2);
    atLimit += QByteArray(kMaxPropDataDepth, '\x01') + QByteArray(kMaxPropDataDepth, '\x00');
    EXPECT_TRUE(parsePropData(atLimit).ok()) << parsePropData(atLimit).error.toStdString();
}

TEST(PropData, EveryTruncationIsCaught)
{
    // A cut at an entry boundary is a shorter valid stream; any other cut is
    // an error, and the entries before it are kept.
    const QByteArray full = reportStream();
    const qsizetype boundaries[] = {0, 7, 14, 25, 37, full.size()};
    for (qsizetype cut = 0; cut <= full.size(); ++cut) {
        const auto parsed = parsePropData(QByteArrayView(full).first(cut));
        const bool atBoundary
            = std::find(std::begin(boundaries), std::end(boundaries), cut) != std::end(boundaries);
        EXPECT_EQ(parsed.ok(), atBoundary) << "cut at " << cut;
    }
}

TEST(PropData, HexDigitsAreChecked)
{
    EXPECT_EQ(propDataFromHex("0aFf"), QByteArray("\x0a\xff", 2));
    EXPECT_EQ(propDataFromHex(""), QByteArray());
    EXPECT_FALSE(propDataFromHex("ABC").has_value());
    EXPECT_FALSE(propDataFromHex("0G").has_value());
    EXPECT_FALSE(propDataFromHex("0 ").has_value());
    EXPECT_EQ(propDataToHex(QByteArray("\x00\x9a\xff", 3)), "009AFF");
}

TEST(PropData, Crc32IsZlibs)
{
    // The standard check value of CRC-32.
    EXPECT_EQ(propDataCrc32("123456789"), 0xCBF43926u);
    EXPECT_NE(propDataCrc32(reportStream()), propDataCrc32(reportStream().chopped(1)));
}

}   // namespace
