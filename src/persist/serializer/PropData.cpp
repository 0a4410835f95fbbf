#include "persist/serializer/PropData.h"

#include "persist/serializer/ValueText.h"
#include "platform/format/NumberText.h"

#include <QtCore/QStringDecoder>

#include <cmath>
#include <cstring>
#include <limits>
#include <zlib.h>

namespace pgx::persist {

namespace {

// Reads typed values from a byte buffer. Every read checks the bytes left
// first; the first fault is kept with its byte position and ends the parse.
class Parser
{
public:
    Parser(QByteArrayView bytes, int maxDepth) : m_data(bytes), m_maxDepth(maxDepth) { }

    bool atEnd() const { return m_pos >= m_data.size(); }
    bool failed() const { return !m_error.isEmpty(); }
    const QString &error() const { return m_error; }

    bool readEntry(PropEntry &entry, int depth)
    {
        return readShortString(entry.name) && readValue(entry.value, depth);
    }

private:
    bool fail(const QString &what)
    {
        if (m_error.isEmpty())
            m_error = QStringLiteral("%1 at byte %2").arg(what).arg(m_pos);
        return false;
    }

    bool need(qsizetype count, const char *what)
    {
        if (count < 0 || count > m_data.size() - m_pos)
            return fail(
                QStringLiteral("%1 runs past the end of the data").arg(QLatin1String(what)));
        return true;
    }

    bool readByte(quint8 &out, const char *what)
    {
        if (!need(1, what))
            return false;
        out = quint8(m_data[m_pos++]);
        return true;
    }

    // Little-endian unsigned integer of `size` bytes.
    bool readLE(int size, quint64 &out, const char *what)
    {
        if (!need(size, what))
            return false;
        out = 0;
        for (int i = 0; i < size; ++i)
            out |= quint64(quint8(m_data[m_pos + i])) << (8 * i);
        m_pos += size;
        return true;
    }

    bool readBytes(qsizetype count, QByteArray &out, const char *what)
    {
        if (!need(count, what))
            return false;
        out = m_data.sliced(m_pos, count).toByteArray();
        m_pos += count;
        return true;
    }

    bool readShortString(QByteArray &out)
    {
        quint8 length;
        return readByte(length, "name length") && readBytes(length, out, "name");
    }

    bool readLongBytes(QByteArray &out, const char *what)
    {
        quint64 length;
        return readLE(4, length, what) && readBytes(qsizetype(length), out, what);
    }

    bool readSigned(int size, qint64 &out)
    {
        quint64 raw;
        if (!readLE(size, raw, "integer"))
            return false;
        const int shift = 64 - 8 * size;
        out = qint64(raw << shift) >> shift;   // sign-extend
        return true;
    }

    bool readDouble(double &out, const char *what)
    {
        quint64 raw;
        if (!readLE(8, raw, what))
            return false;
        std::memcpy(&out, &raw, sizeof out);
        return true;
    }

    // 80-bit extended: 64-bit mantissa with explicit integer bit, 15-bit
    // exponent biased by 16383, sign bit.
    bool readExtended(double &out)
    {
        quint64 mantissa, top;
        if (!readLE(8, mantissa, "extended float") || !readLE(2, top, "extended float"))
            return false;
        const bool negative = top & 0x8000;
        const int exponent = int(top & 0x7fff);
        if (exponent == 0x7fff)
            out = (mantissa << 1) ? std::numeric_limits<double>::quiet_NaN()
                                  : std::numeric_limits<double>::infinity();
        else if (exponent == 0 && mantissa == 0)
            out = 0;
        else
            out = std::ldexp(double(mantissa), exponent - 16383 - 63);
        if (negative)
            out = -out;
        return true;
    }

    bool enter(int depth)
    {
        if (depth >= m_maxDepth)
            return fail(QStringLiteral("Nesting deeper than %1 levels").arg(m_maxDepth));
        return true;
    }

    bool readValue(PropValue &value, int depth)
    {
        quint8 code;
        if (!readByte(code, "value type"))
            return false;
        value.type = PropValueType(code);
        switch (value.type) {
        case PropValueType::Null:
        case PropValueType::Nil: return true;
        case PropValueType::False:
        case PropValueType::True: value.integer = value.type == PropValueType::True; return true;
        case PropValueType::Int8: return readSigned(1, value.integer);
        case PropValueType::Int16: return readSigned(2, value.integer);
        case PropValueType::Int32: return readSigned(4, value.integer);
        case PropValueType::Int64: return readSigned(8, value.integer);
        case PropValueType::Extended: return readExtended(value.real);
        case PropValueType::Double:
        case PropValueType::Date: return readDouble(value.real, "float");
        case PropValueType::Single: {
            quint64 raw;
            if (!readLE(4, raw, "float"))
                return false;
            const quint32 bits = quint32(raw);
            float f;
            std::memcpy(&f, &bits, sizeof f);
            value.real = f;
            return true;
        }
        case PropValueType::Currency: {
            qint64 scaled;
            if (!readSigned(8, scaled))
                return false;
            value.real = double(scaled) / 10000.0;
            return true;
        }
        case PropValueType::String:
        case PropValueType::Ident: return readShortString(value.bytes);
        case PropValueType::Binary:
        case PropValueType::LString:
        case PropValueType::Utf8String: return readLongBytes(value.bytes, "string");
        case PropValueType::WString: {
            quint64 units;
            if (!readLE(4, units, "wide string"))
                return false;
            if (units > quint64(m_data.size() - m_pos) / 2)
                return fail(QStringLiteral("wide string runs past the end of the data"));
            QByteArray raw;
            if (!readBytes(qsizetype(units) * 2, raw, "wide string"))
                return false;
            value.bytes
                = QStringDecoder(QStringDecoder::Utf16LE).decode(raw).operator QString().toUtf8();
            return true;
        }
        case PropValueType::Set:
            for (;;) {
                PropValue element;
                element.type = PropValueType::Ident;
                if (!readShortString(element.bytes))
                    return false;
                if (element.bytes.isEmpty())
                    return true;
                value.items.push_back(std::move(element));
            }
        case PropValueType::List:
            if (!enter(depth))
                return false;
            for (;;) {
                if (atEnd())
                    return fail(QStringLiteral("List not closed"));
                if (quint8(m_data[m_pos]) == quint8(PropValueType::Null)) {
                    ++m_pos;
                    return true;
                }
                PropValue item;
                if (!readValue(item, depth + 1))
                    return false;
                value.items.push_back(std::move(item));
            }
        case PropValueType::Collection:
            if (!enter(depth))
                return false;
            return readCollection(value, depth + 1);
        }
        --m_pos;
        return fail(QStringLiteral("Unknown value type %1").arg(code));
    }

    // Older form: items, each an optional integer order value and a list of
    // named properties closed by a null; the collection is closed by a null.
    bool readCollection(PropValue &value, int depth)
    {
        for (;;) {
            quint8 code;
            if (!readByte(code, "collection item"))
                return false;
            if (code == quint8(PropValueType::Null))
                return true;
            PropCollectionItem item;
            if (code == quint8(PropValueType::Int8) || code == quint8(PropValueType::Int16)
                || code == quint8(PropValueType::Int32)) {
                qint64 order;
                if (!readSigned(code == 2 ? 1 : code == 3 ? 2 : 4, order))
                    return false;
                item.order = order;
                if (!readByte(code, "collection item"))
                    return false;
            }
            if (code != quint8(PropValueType::List)) {
                --m_pos;
                return fail(QStringLiteral("Collection item without property list"));
            }
            for (;;) {
                if (atEnd())
                    return fail(QStringLiteral("Collection item not closed"));
                if (quint8(m_data[m_pos]) == quint8(PropValueType::Null)) {
                    ++m_pos;
                    break;
                }
                PropEntry property;
                if (!readEntry(property, depth))
                    return false;
                item.properties.push_back(std::move(property));
            }
            value.collection.push_back(std::move(item));
        }
    }

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    int m_maxDepth;
    QString m_error;
};

}   // namespace

bool PropValue::isInteger() const
{
    switch (type) {
    case PropValueType::Int8:
    case PropValueType::Int16:
    case PropValueType::Int32:
    case PropValueType::Int64: return true;
    default: return false;
    }
}

bool PropValue::isString() const
{
    switch (type) {
    case PropValueType::String:
    case PropValueType::LString:
    case PropValueType::WString:
    case PropValueType::Utf8String: return true;
    default: return false;
    }
}

QByteArray PropValue::toText() const
{
    switch (type) {
    case PropValueType::Int8:
    case PropValueType::Int16:
    case PropValueType::Int32:
    case PropValueType::Int64: return QByteArray::number(integer);
    case PropValueType::False: return QByteArrayLiteral("False");
    case PropValueType::True: return QByteArrayLiteral("True");
    case PropValueType::Extended:
    case PropValueType::Single:
    case PropValueType::Double:
    case PropValueType::Currency:
    case PropValueType::Date: return format::fileFloatText(real).toLatin1();
    case PropValueType::String:
    case PropValueType::Ident:
    case PropValueType::LString:
    case PropValueType::WString:
    case PropValueType::Utf8String: return bytes;
    case PropValueType::Set: {
        QByteArray text = "[";
        for (size_t i = 0; i < items.size(); ++i) {
            if (i)
                text += ", ";
            text += items[i].bytes;
        }
        return text + ']';
    }
    default: return {};
    }
}

PropDataParseResult parsePropData(QByteArrayView bytes, int maxDepth)
{
    PropDataParseResult result;
    Parser parser(bytes, maxDepth);
    while (!parser.atEnd()) {
        PropEntry entry;
        if (!parser.readEntry(entry, 0))
            break;
        result.entries.push_back(std::move(entry));
    }
    result.error = parser.error();
    return result;
}

void PropDataWriter::writeUInt32(quint32 value)
{
    for (int i = 0; i < 4; ++i)
        m_bytes.append(char((value >> (8 * i)) & 0xff));
}

void PropDataWriter::writeName(QByteArrayView name)
{
    // Names are the program's own constants, never user text.
    Q_ASSERT(name.size() <= 255);
    const qsizetype length = qMin<qsizetype>(name.size(), 255);
    m_bytes.append(char(length));
    m_bytes.append(name.first(length));
}

void PropDataWriter::writeInteger(qint32 value)
{
    if (value >= -128 && value <= 127) {
        writeType(PropValueType::Int8);
        m_bytes.append(char(qint8(value)));
    } else if (value >= -32768 && value <= 32767) {
        writeType(PropValueType::Int16);
        m_bytes.append(char(value & 0xff));
        m_bytes.append(char((value >> 8) & 0xff));
    } else {
        writeType(PropValueType::Int32);
        writeUInt32(quint32(value));
    }
}

void PropDataWriter::writeBinary(QByteArrayView bytes)
{
    writeType(PropValueType::Binary);
    writeUInt32(quint32(bytes.size()));
    m_bytes.append(bytes);
}

void PropDataWriter::writeLongString(QByteArrayView bytes)
{
    writeType(PropValueType::LString);
    writeUInt32(quint32(bytes.size()));
    m_bytes.append(bytes);
}

void PropDataWriter::writeListBegin()
{
    writeType(PropValueType::List);
}

void PropDataWriter::writeListEnd()
{
    writeType(PropValueType::Null);
}

QByteArray propDataToHex(QByteArrayView bytes)
{
    static const char kDigits[] = "0123456789ABCDEF";
    QByteArray hex(bytes.size() * 2, Qt::Uninitialized);
    char *out = hex.data();
    for (char c : bytes) {
        *out++ = kDigits[(quint8(c) >> 4) & 0xf];
        *out++ = kDigits[quint8(c) & 0xf];
    }
    return hex;
}

std::optional<QByteArray> propDataFromHex(QByteArrayView hex)
{
    if (hex.size() % 2)
        return std::nullopt;
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    QByteArray bytes(hex.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const int high = digit(hex[2 * i]);
        const int low = digit(hex[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[i] = char(high << 4 | low);
    }
    return bytes;
}

quint32 propDataCrc32(QByteArrayView bytes)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    const auto *data = reinterpret_cast<const Bytef *>(bytes.data());
    qsizetype left = bytes.size();
    // zlib takes 32-bit lengths; feed large streams in pieces.
    while (left > 0) {
        const uInt chunk = uInt(qMin<qsizetype>(left, 1 << 30));
        crc = crc32(crc, data, chunk);
        data += chunk;
        left -= chunk;
    }
    return quint32(crc);
}

}   // namespace pgx::persist
