#pragma once

// The binary property stream behind a template's `PropData` attribute: the
// report's data-set list, variables and styles, and a picture's image, are
// written as typed entries, hex-encoded into the attribute.
//
// The stream is a sequence of entries until its end. An entry is a one-byte
// name length, the name's bytes and one value; a value starts with a one-byte
// type code. Writing produces only the codes the templates use (lists,
// integers in their shortest form, binary, long strings); reading also
// understands the older collection form and the scalar codes that can occur
// inside it, so that old templates keep their data-set and variable lists.
//
// Every length, every nesting level and every hex digit is checked on
// reading: input from a file is never trusted, a bad entry is reported as an
// error string and nothing is read past the end of the buffer.

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace pgx::persist {

enum class PropValueType : quint8 {
    Null = 0,   // end of a list
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,   // 80-bit float
    String = 6,     // one-byte length
    Ident = 7,      // one-byte length
    False = 8,
    True = 9,
    Binary = 10,    // 32-bit length
    Set = 11,       // short strings up to an empty one
    LString = 12,   // 32-bit length
    Nil = 13,
    Collection = 14,   // the older collection form
    Single = 15,
    Currency = 16,   // 64-bit integer, scaled by 10000
    Date = 17,       // double, days since 30 December 1899
    WString = 18,    // 32-bit length in UTF-16 code units
    Int64 = 19,
    Utf8String = 20,   // 32-bit length
    Double = 21,
};

struct PropEntry;

// One collection item of the older form: an optional order value and the
// item's own named properties.
struct PropCollectionItem
{
    std::optional<qint64> order;
    std::vector<PropEntry> properties;
};

// A decoded value. Which member is meaningful depends on `type`:
// integers and booleans in `integer`, floats in `real`, strings and binary
// data in `bytes` (wide strings converted to UTF-8), set element names and
// list items in `items` (set elements as Ident values), collection items
// in `collection`.
struct PropValue
{
    PropValueType type = PropValueType::Null;
    qint64 integer = 0;
    double real = 0;
    QByteArray bytes;
    std::vector<PropValue> items;
    std::vector<PropCollectionItem> collection;

    bool isInteger() const;
    bool isString() const;
    // The value as attribute-style text (before escaping): integers in
    // decimal, floats in the file float format, booleans as "True"/"False",
    // strings as they stand, sets as their element names in brackets.
    // Lists, collections and binary data have no text form (empty).
    QByteArray toText() const;
};

struct PropEntry
{
    QByteArray name;
    PropValue value;
};

struct PropDataParseResult
{
    std::vector<PropEntry> entries;
    QString error;   // empty on success
    bool ok() const { return error.isEmpty(); }
};

// Nesting of lists and collections allowed on reading; the templates need
// three levels, the rest is headroom.
inline constexpr int kMaxPropDataDepth = 32;

// Reads a whole stream. On error the entries read before the fault are kept
// and `error` says what was wrong and at which byte.
PropDataParseResult parsePropData(QByteArrayView bytes, int maxDepth = kMaxPropDataDepth);

// Writes entries in the form above. Integers take the shortest of the
// 8, 16 and 32-bit codes that holds them.
class PropDataWriter
{
public:
    void writeName(QByteArrayView name);
    void writeInteger(qint32 value);
    void writeBinary(QByteArrayView bytes);
    void writeLongString(QByteArrayView bytes);
    void writeListBegin();
    void writeListEnd();

    // Shorthands for a named entry.
    void writeInteger(QByteArrayView name, qint32 value)
    {
        writeName(name);
        writeInteger(value);
    }
    void writeBinary(QByteArrayView name, QByteArrayView bytes)
    {
        writeName(name);
        writeBinary(bytes);
    }

    const QByteArray &data() const { return m_bytes; }
    bool isEmpty() const { return m_bytes.isEmpty(); }

private:
    void writeType(PropValueType type) { m_bytes.append(char(type)); }
    void writeUInt32(quint32 value);

    QByteArray m_bytes;
};

// Upper-case hexadecimal digits, two per byte, as the attribute carries them.
QByteArray propDataToHex(QByteArrayView bytes);
// Decodes hex digits (either case). An odd count or a non-digit is an error
// (nullopt), never skipped.
std::optional<QByteArray> propDataFromHex(QByteArrayView hex);

// CRC-32 (zlib's polynomial) of a stream; the writer compares a component's
// stream with its ancestor's by this value.
quint32 propDataCrc32(QByteArrayView bytes);

}   // namespace pgx::persist
