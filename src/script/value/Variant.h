#pragma once

#include <QtCore/QList>
#include <QtCore/QString>

#include <atomic>
#include <limits>
#include <utility>
#include <vector>

namespace pgx::script {

// Type codes as scripts see them through VarType.
enum VarType : quint16 {
    varEmpty = 0,
    varNull = 1,
    varSmallint = 2,
    varInteger = 3,
    varSingle = 4,
    varDouble = 5,
    varCurrency = 6,
    varDate = 7,
    varOleStr = 8,
    varDispatch = 9,
    varError = 10,
    varBoolean = 11,
    varVariant = 12,
    varUnknown = 13,
    varShortInt = 16,
    varByte = 17,
    varWord = 18,
    varLongWord = 19,
    varInt64 = 20,
    varStrArg = 72,
    varString = 256,
    varAny = 257,
    varTypeMask = 4095,
    varArray = 8192,
    varByRef = 16384,
};

// Raises the array-bounds error; `overCap` says the bounds are valid but
// give more elements than one array may hold, and the message names the cap.
[[noreturn]] void throwArrayBoundsError(bool overCap);

struct ArrayBound
{
    qint64 low = 0;
    qint64 high = -1;
    // Saturates at the qint64 range: bounds a script gives may span more
    // than 2^63 elements, and the caller's cap check must see that.
    qint64 count() const
    {
        const __int128 n = __int128(high) - low + 1;
        return n > std::numeric_limits<qint64>::max() ? std::numeric_limits<qint64>::max()
            : n < std::numeric_limits<qint64>::min()  ? std::numeric_limits<qint64>::min()
                                                      : qint64(n);
    }
    bool operator==(const ArrayBound &) const = default;
};

// The tagged value of every computed result. Sixteen bytes: a type code and
// one machine word. Numbers, booleans, dates, currency and object handles
// live inline; only strings and arrays go to the heap, shared by reference
// count and copied when written to (arrays are values in scripts).
// Object references are integer handles (or a varDispatch handle), never
// pointers: the registry checks them against its table of live objects.
class Variant
{
public:
    Variant() noexcept : m_type(varEmpty) { m_d.i = 0; }
    Variant(int v) noexcept : m_type(varInteger) { m_d.i = v; }
    Variant(qint64 v) noexcept : m_type(varInt64) { m_d.i = v; }
    Variant(double v) noexcept : m_type(varDouble) { m_d.d = v; }
    Variant(bool v) noexcept : m_type(varBoolean) { m_d.i = v ? 1 : 0; }
    Variant(const QString &wide);   // varOleStr
    Variant(const char *utf8) : Variant(QString::fromUtf8(utf8)) { }
    Variant(const Variant &other) noexcept : m_type(other.m_type), m_d(other.m_d)
    {
        if (isHeapType(m_type))
            retain();
    }
    Variant(Variant &&other) noexcept : m_type(other.m_type), m_d(other.m_d)
    {
        other.m_type = varEmpty;
    }
    ~Variant()
    {
        if (isHeapType(m_type))
            release();
    }
    Variant &operator=(const Variant &other) noexcept
    {
        if (this != &other) {
            if (isHeapType(other.m_type))
                other.retain();
            if (isHeapType(m_type))
                release();
            m_type = other.m_type;
            m_d = other.m_d;
        }
        return *this;
    }
    Variant &operator=(Variant &&other) noexcept
    {
        if (this != &other) {
            if (isHeapType(m_type))
                release();
            m_type = other.m_type;
            m_d = other.m_d;
            other.m_type = varEmpty;
        }
        return *this;
    }

    // Exchanges two values without touching reference counts.
    void swap(Variant &other) noexcept
    {
        std::swap(m_type, other.m_type);
        std::swap(m_d, other.m_d);
    }

    // The range of Integer.
    static constexpr qint64 kIntegerMin = std::numeric_limits<qint32>::min();
    static constexpr qint64 kIntegerMax = std::numeric_limits<qint32>::max();
    // Currency counts ten-thousandths of a unit.
    static constexpr qint64 kCurrencyScale = 10000;

    // The type of every integer result: Integer while the value fits in 32
    // bits, Int64 when it needs more or `wide` (an operand was Int64) says so.
    static constexpr VarType intResultType(qint64 v, bool wide = false) noexcept
    {
        return wide || v < kIntegerMin || v > kIntegerMax ? varInt64 : varInteger;
    }

    static Variant null()
    {
        Variant v;
        v.m_type = varNull;
        return v;
    }
    // An integer result, typed by intResultType.
    static Variant fromInt(qint64 v, bool wide = false) noexcept
    {
        Variant r;
        r.m_type = intResultType(v, wide);
        r.m_d.i = v;
        return r;
    }
    // The same in place.
    void setInt(qint64 v, bool wide = false) noexcept
    {
        if (isHeapType(m_type))
            release();
        m_type = intResultType(v, wide);
        m_d.i = v;
    }
    // One of the integer codes; the value is cut to the code's width.
    static Variant fromIntegerType(qint64 v, VarType type);
    static Variant fromSingle(float v)
    {
        Variant r;
        r.m_type = varSingle;
        r.m_d.d = v;
        return r;
    }
    static Variant fromDate(double days)
    {
        Variant r;
        r.m_type = varDate;
        r.m_d.d = days;
        return r;
    }
    // Currency held as ten-thousandths.
    static Variant fromCurrencyScaled(qint64 scaled)
    {
        Variant r;
        r.m_type = varCurrency;
        r.m_d.i = scaled;
        return r;
    }
    static Variant fromCurrency(double value);         // rounds to four decimals, half to even
    static Variant fromString8(const QString &text);   // varString
    static Variant fromDispatch(qint64 handle)
    {
        Variant r;
        r.m_type = varDispatch;
        r.m_d.i = handle;
        return r;
    }
    // An array with these bounds per dimension; elements start as Empty
    // (varVariant) or the zero of their type. Raises ScriptError for bounds
    // whose element count is negative or too large.
    static Variant createArray(const QList<ArrayBound> &bounds, VarType elementType = varVariant);
    // A one-dimensional array 0..n-1 of the given values.
    static Variant arrayOf(const QList<Variant> &values);

    VarType type() const noexcept { return VarType(m_type); }
    bool isEmpty() const noexcept { return m_type == varEmpty; }
    bool isNull() const noexcept { return m_type == varNull; }
    bool isString() const noexcept { return m_type == varOleStr || m_type == varString; }
    bool isArray() const noexcept { return (m_type & varArray) != 0; }
    bool isBoolean() const noexcept { return m_type == varBoolean; }
    bool isInteger() const noexcept { return isIntegerType(m_type); }
    bool isFloat() const noexcept
    {
        return m_type == varDouble || m_type == varSingle || m_type == varCurrency
            || m_type == varDate;
    }
    bool isNumeric() const noexcept { return isInteger() || isFloat(); }

    // Raw access for fast paths; valid only for the matching type.
    qint64 rawInt() const noexcept { return m_d.i; }
    double rawDouble() const noexcept { return m_d.d; }
    const QString &stringRef() const;   // string types only
    // Appends a string to this string when nobody else holds its text, so
    // that building a string piece by piece is linear. False (and nothing
    // changed) when either is not a string, the text is shared, or the
    // types differ and `anyStringType` is not set.
    bool appendStringInPlace(const Variant &tail, bool anyStringType);

    // Conversions with the variant rules; they raise ScriptError
    // (EVariantTypeCastError) when a value does not convert.
    qint64 toInt64() const;
    double toDouble() const;
    bool toBool() const;
    QString toString() const;
    qint64 toCurrencyScaled() const;
    double toDate() const;
    // The value converted to another type code (used by typed arrays and
    // VarAsType); arrays convert only to themselves.
    Variant castTo(VarType type) const;

    // Arrays: dimension count 0 for non-arrays.
    int arrayDimCount() const;
    ArrayBound arrayBound(int dim) const;
    VarType arrayElementType() const;
    // Element access; nullptr when an index is out of its bounds or the
    // index count differs from the dimension count.
    const Variant *arrayElement(const qint64 *indices, int count) const;
    // Writes (converted to a typed array's element type); raises
    // EVariantBadIndexError for an index out of bounds. Copies a shared array
    // first so that other holders keep their value.
    void setArrayElement(const qint64 *indices, int count, const Variant &value);
    // Changes the high bound of a one-dimensional array, keeping elements.
    void redimArray(qint64 newHigh);
    qint64 arrayTotalCount() const;
    const Variant *arrayData() const;

    // Deep equality of arrays, the variant rules otherwise (see compare()).
    static QString typeName(quint16 type);

    static constexpr bool isHeapType(quint16 t) noexcept
    {
        // Small scalars (codes below varOleStr) leave at the first test.
        return t >= varOleStr && (t == varOleStr || t == varString || (t & varArray) != 0);
    }
    static constexpr bool isIntegerType(quint16 t) noexcept
    {
        return t == varInteger || t == varInt64 || t == varSmallint || t == varShortInt
            || t == varByte || t == varWord || t == varLongWord;
    }

    // The ceiling on one script value, so that a script that grows a
    // string without end stops with "Out of memory" long before the machine
    // runs out. ### one value at a time: the values of all of a report's
    // scripts together are not yet counted.
    static constexpr qint64 kDefaultMaxValueBytes = qint64(1) << 30;
    static qint64 maxValueBytes();
    static void setMaxValueBytes(qint64 bytes);   // 0 or less: the default
    // Raises "Out of memory" when a string of this many characters would
    // pass the ceiling.
    static void checkStringSize(qint64 characters);
    // The message of a failed allocation, naming the ceiling.
    static QString outOfMemoryText();

    // Upper limit of elements in one array; protects against scripts that
    // ask for absurd bounds.
    static constexpr qint64 kMaxArrayElements = 64 * 1024 * 1024;
    // Arrays may hold arrays this many levels deep.
    static constexpr int kMaxArrayNesting = 64;

private:
    struct StringBox;
    struct ArrayBox;
    void retain() const noexcept;
    void release() noexcept;
    ArrayBox *arrayBox() const;
    void detachArray();
    [[noreturn]] void castError(quint16 target) const;

    quint16 m_type;
    union
    {
        qint64 i;
        double d;
        void *p;
    } m_d;
};

static_assert(sizeof(Variant) == 16, "the variant stays two words");

// Raises the invalid-operation error of the variant rules.
[[noreturn]] void throwInvalidVariantOp();

}   // namespace pgx::script
