#include "script/value/Variant.h"

#include "platform/format/DateTime.h"
#include "platform/format/NumberText.h"
#include "script/value/ScriptError.h"

#include <cmath>
#include <limits>

namespace pgx::script {

namespace fmt = pgx::format;

struct Variant::StringBox
{
    std::atomic<int> ref{1};
    QString text;
};

struct Variant::ArrayBox
{
    std::atomic<int> ref{1};
    VarType elementType = varVariant;
    QList<ArrayBound> bounds;
    std::vector<Variant> data;
    // 1 plus the deepest array held (never lowered): copying, comparing and
    // freeing recurse over nesting, so it is bounded.
    int depth = 1;
};

void Variant::retain() const noexcept
{
    if (m_type & varArray)
        static_cast<ArrayBox *>(m_d.p)->ref.fetch_add(1, std::memory_order_relaxed);
    else
        static_cast<StringBox *>(m_d.p)->ref.fetch_add(1, std::memory_order_relaxed);
}

void Variant::release() noexcept
{
    if (m_type & varArray) {
        auto *box = static_cast<ArrayBox *>(m_d.p);
        if (box->ref.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete box;
    } else {
        auto *box = static_cast<StringBox *>(m_d.p);
        if (box->ref.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete box;
    }
    m_type = varEmpty;
}

Variant::Variant(const QString &wide) : m_type(varOleStr)
{
    auto *box = new StringBox;
    box->text = wide;
    m_d.p = box;
}

bool Variant::appendStringInPlace(const Variant &tail, bool anyStringType)
{
    if ((m_type != varString && m_type != varOleStr) || !tail.isString())
        return false;
    if (!anyStringType && m_type != tail.m_type)
        return false;
    auto *box = static_cast<StringBox *>(m_d.p);
    if (box->ref.load(std::memory_order_acquire) != 1 || box == tail.m_d.p)
        return false;
    checkStringSize(box->text.size() + tail.stringRef().size());
    box->text.append(tail.stringRef());
    return true;
}

namespace {
std::atomic<qint64> gMaxValueBytes{Variant::kDefaultMaxValueBytes};
}

qint64 Variant::maxValueBytes()
{
    return gMaxValueBytes.load(std::memory_order_relaxed);
}

void Variant::setMaxValueBytes(qint64 bytes)
{
    gMaxValueBytes.store(bytes > 0 ? bytes : kDefaultMaxValueBytes, std::memory_order_relaxed);
}

void Variant::checkStringSize(qint64 characters)
{
    if (Q_UNLIKELY(characters * qint64(sizeof(QChar)) > maxValueBytes()))
        throw ScriptError(outOfMemoryText(), QStringLiteral("EOutOfMemory"));
}

QString Variant::outOfMemoryText()
{
    return QStringLiteral("Out of memory: a script value may take at most %1 MB")
        .arg(maxValueBytes() / (1024 * 1024));
}

Variant Variant::fromString8(const QString &text)
{
    Variant v(text);
    v.m_type = varString;
    return v;
}

Variant Variant::fromIntegerType(qint64 v, VarType type)
{
    Variant r;
    r.m_type = type;
    switch (type) {
    case varSmallint: r.m_d.i = qint16(v); break;
    case varInteger: r.m_d.i = qint32(v); break;
    case varShortInt: r.m_d.i = qint8(v); break;
    case varByte: r.m_d.i = quint8(v); break;
    case varWord: r.m_d.i = quint16(v); break;
    case varLongWord: r.m_d.i = quint32(v); break;
    default:
        r.m_type = varInt64;
        r.m_d.i = v;
        break;
    }
    return r;
}

Variant Variant::fromCurrency(double value)
{
    const double scaled = fmt::roundHalfEven(value * double(kCurrencyScale));
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18)
        throw ScriptError(QStringLiteral("Variant overflow"),
                          QStringLiteral("EVariantOverflowError"));
    return fromCurrencyScaled(qint64(scaled));
}

const QString &Variant::stringRef() const
{
    Q_ASSERT(isString());
    return static_cast<StringBox *>(m_d.p)->text;
}

QString Variant::typeName(quint16 type)
{
    if (type & varArray)
        return QStringLiteral("Array ") + typeName(type & varTypeMask);
    switch (type) {
    case varEmpty: return QStringLiteral("Empty");
    case varNull: return QStringLiteral("Null");
    case varSmallint: return QStringLiteral("Smallint");
    case varInteger: return QStringLiteral("Integer");
    case varSingle: return QStringLiteral("Single");
    case varDouble: return QStringLiteral("Double");
    case varCurrency: return QStringLiteral("Currency");
    case varDate: return QStringLiteral("Date");
    case varOleStr: return QStringLiteral("OleStr");
    case varDispatch: return QStringLiteral("Dispatch");
    case varError: return QStringLiteral("Error");
    case varBoolean: return QStringLiteral("Boolean");
    case varVariant: return QStringLiteral("Variant");
    case varUnknown: return QStringLiteral("Unknown");
    case varShortInt: return QStringLiteral("ShortInt");
    case varByte: return QStringLiteral("Byte");
    case varWord: return QStringLiteral("Word");
    case varLongWord: return QStringLiteral("LongWord");
    case varInt64: return QStringLiteral("Int64");
    case varString: return QStringLiteral("String");
    default: return QString::number(type);
    }
}

void Variant::castError(quint16 target) const
{
    throw ScriptError(QStringLiteral("Could not convert variant of type (%1) into type (%2)")
                          .arg(typeName(m_type), typeName(target)),
                      QStringLiteral("EVariantTypeCastError"));
}

void throwInvalidVariantOp()
{
    throw ScriptError(QStringLiteral("Invalid variant operation"),
                      QStringLiteral("EVariantInvalidOpError"));
}

namespace {
bool doubleToInt64(double d, qint64 *out)
{
    const double r = fmt::roundHalfEven(d);
    if (!std::isfinite(r) || r < -9223372036854775808.0 || r >= 9223372036854775808.0)
        return false;
    *out = qint64(r);
    return true;
}
}   // namespace

qint64 Variant::toInt64() const
{
    switch (m_type) {
    case varEmpty: return 0;
    case varBoolean: return m_d.i ? -1 : 0;
    case varSingle:
    case varDouble:
    case varDate: {
        qint64 v = 0;
        if (!doubleToInt64(m_d.d, &v))
            castError(varInt64);
        return v;
    }
    case varCurrency: {
        qint64 v = 0;
        doubleToInt64(double(m_d.i) / double(kCurrencyScale), &v);
        return v;
    }
    case varOleStr:
    case varString: {
        qint64 v = 0;
        if (fmt::tryStrToInt64(stringRef(), &v))
            return v;
        double d = 0;
        if (fmt::tryStrToFloat(stringRef(), &d) && doubleToInt64(d, &v))
            return v;
        castError(varInt64);
    }
    default:
        if (isIntegerType(m_type) || m_type == varDispatch)
            return m_d.i;
        castError(varInt64);
    }
}

double Variant::toDouble() const
{
    switch (m_type) {
    case varEmpty: return 0;
    case varBoolean: return m_d.i ? -1 : 0;
    case varSingle:
    case varDouble:
    case varDate: return m_d.d;
    case varCurrency: return double(m_d.i) / double(kCurrencyScale);
    case varOleStr:
    case varString: {
        double d = 0;
        if (fmt::tryStrToFloat(stringRef(), &d))
            return d;
        qint64 v = 0;
        if (fmt::tryStrToInt64(stringRef(), &v))
            return double(v);
        castError(varDouble);
    }
    default:
        if (isIntegerType(m_type))
            return double(m_d.i);
        castError(varDouble);
    }
}

bool Variant::toBool() const
{
    switch (m_type) {
    case varEmpty: return false;
    case varBoolean: return m_d.i != 0;
    case varSingle:
    case varDouble:
    case varDate: return m_d.d != 0;
    case varCurrency: return m_d.i != 0;
    case varOleStr:
    case varString: {
        const QString &s = stringRef();
        if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
        double d = 0;
        if (fmt::tryStrToFloat(s, &d))
            return d != 0;
        qint64 v = 0;
        if (fmt::tryStrToInt64(s, &v))
            return v != 0;
        castError(varBoolean);
    }
    default:
        if (isIntegerType(m_type))
            return m_d.i != 0;
        castError(varBoolean);
    }
}

QString Variant::toString() const
{
    switch (m_type) {
    case varEmpty:
    case varNull: return QString();
    case varBoolean: return m_d.i ? QStringLiteral("True") : QStringLiteral("False");
    case varSingle: return fmt::floatToStrGeneral(m_d.d, 7, fmt::FormatSettings::current());
    case varDouble: return fmt::floatToStr(m_d.d);
    case varDate: return fmt::dateTimeToStr(m_d.d);
    case varCurrency: return fmt::currencyToStr(m_d.i);
    case varOleStr:
    case varString: return stringRef();
    default:
        if (isIntegerType(m_type))
            return QString::number(m_d.i);
        castError(varOleStr);
    }
}

qint64 Variant::toCurrencyScaled() const
{
    if (m_type == varCurrency)
        return m_d.i;
    if (isIntegerType(m_type) || m_type == varBoolean) {
        const qint64 v = toInt64();
        qint64 scaled = 0;
        if (__builtin_mul_overflow(v, kCurrencyScale, &scaled))
            castError(varCurrency);
        return scaled;
    }
    return fromCurrency(toDouble()).m_d.i;
}

double Variant::toDate() const
{
    if (m_type == varOleStr || m_type == varString) {
        double d = 0;
        if (fmt::tryStrToDateTime(stringRef(), &d) || fmt::tryStrToFloat(stringRef(), &d))
            return d;
        castError(varDate);
    }
    return toDouble();
}

Variant Variant::castTo(VarType type) const
{
    if (type == m_type || type == varVariant)
        return *this;
    if (isArray())
        castError(type);
    switch (type) {
    case varEmpty: return Variant();
    case varNull: return null();
    case varSingle: return fromSingle(float(toDouble()));
    case varDouble: return Variant(toDouble());
    case varDate: return fromDate(toDate());
    case varCurrency: return fromCurrencyScaled(toCurrencyScaled());
    case varBoolean: return Variant(toBool());
    case varOleStr: return Variant(toString());
    case varString: return fromString8(toString());
    default:
        if (isIntegerType(type))
            return fromIntegerType(toInt64(), type);
        castError(type);
    }
}

// ---- arrays ---------------------------------------------------------------

namespace {
// The initial element of a typed array: the zero of its type.
Variant zeroOf(VarType elementType)
{
    switch (elementType) {
    case varVariant:
    case varEmpty: return Variant();
    case varNull: return Variant::null();
    case varOleStr: return Variant(QString());
    case varString: return Variant::fromString8(QString());
    case varBoolean: return Variant(false);
    default: return Variant(0).castTo(elementType);
    }
}
}   // namespace

Variant::ArrayBox *Variant::arrayBox() const
{
    return isArray() ? static_cast<ArrayBox *>(m_d.p) : nullptr;
}

void throwArrayBoundsError(bool overCap)
{
    QString text = QStringLiteral("Invalid variant array bounds");
    if (overCap)
        text += QStringLiteral(": an array holds at most %1 elements").arg(Variant::kMaxArrayElements);
    throw ScriptError(text, QStringLiteral("EVariantArrayCreateError"));
}

Variant Variant::createArray(const QList<ArrayBound> &bounds, VarType elementType)
{
    if (bounds.isEmpty())
        throw ScriptError(QStringLiteral("Invalid variant array bounds"),
                          QStringLiteral("EVariantArrayCreateError"));
    qint64 total = 1;
    for (const ArrayBound &b : bounds) {
        if (b.count() < 0)
            throwArrayBoundsError(false);
        if (b.count() > kMaxArrayElements || (b.count() > 0 && total > kMaxArrayElements / b.count()))
            throwArrayBoundsError(true);
        total *= b.count();
    }
    auto *box = new ArrayBox;
    box->elementType = elementType;
    box->bounds = bounds;
    box->data.assign(size_t(total), zeroOf(elementType));
    Variant v;
    v.m_type = quint16(varArray | (elementType & varTypeMask));
    v.m_d.p = box;
    return v;
}

Variant Variant::arrayOf(const QList<Variant> &values)
{
    Variant v = createArray({ArrayBound{0, values.size() - 1}});
    for (qint64 i = 0; i < values.size(); ++i)
        v.setArrayElement(&i, 1, values[int(i)]);
    return v;
}

int Variant::arrayDimCount() const
{
    const ArrayBox *box = arrayBox();
    return box ? int(box->bounds.size()) : 0;
}

ArrayBound Variant::arrayBound(int dim) const
{
    const ArrayBox *box = arrayBox();
    if (!box || dim < 0 || dim >= box->bounds.size())
        throw ScriptError(QStringLiteral("Variant or safe array index out of bounds"),
                          QStringLiteral("EVariantBadIndexError"));
    return box->bounds[dim];
}

VarType Variant::arrayElementType() const
{
    const ArrayBox *box = arrayBox();
    return box ? box->elementType : varEmpty;
}

qint64 Variant::arrayTotalCount() const
{
    const ArrayBox *box = arrayBox();
    return box ? qint64(box->data.size()) : 0;
}

const Variant *Variant::arrayData() const
{
    const ArrayBox *box = arrayBox();
    return box ? box->data.data() : nullptr;
}

namespace {
// Row-major offset of an element, or -1 when an index is out of bounds.
qint64 elementOffset(const QList<ArrayBound> &bounds, const qint64 *indices, int count)
{
    if (count != bounds.size())
        return -1;
    qint64 offset = 0;
    for (int d = 0; d < count; ++d) {
        const ArrayBound &b = bounds[d];
        if (indices[d] < b.low || indices[d] > b.high)
            return -1;
        // The bounds of an existing array passed the cap: no overflow, and
        // no saturating count on the indexing path.
        offset = offset * (b.high - b.low + 1) + (indices[d] - b.low);
    }
    return offset;
}
}   // namespace

const Variant *Variant::arrayElement(const qint64 *indices, int count) const
{
    const ArrayBox *box = arrayBox();
    if (!box)
        return nullptr;
    const qint64 offset = elementOffset(box->bounds, indices, count);
    return offset < 0 ? nullptr : &box->data[size_t(offset)];
}

void Variant::detachArray()
{
    ArrayBox *box = arrayBox();
    if (box->ref.load(std::memory_order_acquire) == 1)
        return;
    auto *copy = new ArrayBox;
    copy->elementType = box->elementType;
    copy->bounds = box->bounds;
    copy->data = box->data;
    copy->depth = box->depth;
    release();
    m_type = quint16(varArray | (copy->elementType & varTypeMask));
    m_d.p = copy;
}

void Variant::setArrayElement(const qint64 *indices, int count, const Variant &value)
{
    if (!isArray())
        castError(varArray);
    const qint64 offset = elementOffset(arrayBox()->bounds, indices, count);
    if (offset < 0)
        throw ScriptError(QStringLiteral("Variant or safe array index out of bounds"),
                          QStringLiteral("EVariantBadIndexError"));
    // Convert before detaching: a failed conversion leaves the array alone,
    // and the value may be an element of this very array.
    const VarType elementType = arrayBox()->elementType;
    Variant stored = elementType == varVariant ? value : value.castTo(elementType);
    const int depth = stored.isArray() ? static_cast<ArrayBox *>(stored.m_d.p)->depth + 1 : 1;
    if (depth > kMaxArrayNesting)
        throw ScriptError(
            QStringLiteral("Variant arrays nested more than %1 deep").arg(kMaxArrayNesting),
            QStringLiteral("EVariantError"));
    detachArray();
    ArrayBox *box = arrayBox();
    box->depth = qMax(box->depth, depth);
    box->data[size_t(offset)] = std::move(stored);
}

void Variant::redimArray(qint64 newHigh)
{
    if (!isArray() || arrayDimCount() != 1)
        throwInvalidVariantOp();
    const ArrayBound b = arrayBox()->bounds[0];
    const qint64 count = ArrayBound{b.low, newHigh}.count();
    if (count < 0)
        throwArrayBoundsError(false);
    if (count > kMaxArrayElements)
        throwArrayBoundsError(true);
    detachArray();
    ArrayBox *box = arrayBox();
    box->bounds[0].high = newHigh;
    box->data.resize(size_t(count), zeroOf(box->elementType));
}

}   // namespace pgx::script
