#include "script/value/VariantOps.h"

#include "platform/format/NumberText.h"
#include "script/value/ScriptError.h"

#include <cmath>
#include <limits>

namespace pgx::script::vop {

namespace {

enum class Cat { Empty, Null, Int, Float, Currency, Date, Bool, String, Other };

Cat category(const Variant &v)
{
    switch (v.type()) {
    case varEmpty: return Cat::Empty;
    case varNull: return Cat::Null;
    case varSingle:
    case varDouble: return Cat::Float;
    case varCurrency: return Cat::Currency;
    case varDate: return Cat::Date;
    case varBoolean: return Cat::Bool;
    case varOleStr:
    case varString: return Cat::String;
    default: return v.isInteger() ? Cat::Int : Cat::Other;
    }
}

// An operand of arithmetic after the string, boolean and Empty conversions.
struct Num
{
    Cat cat = Cat::Int;   // Int, Float, Currency or Date
    qint64 i = 0;         // Int value, or Currency ten-thousandths
    double d = 0;         // Float or Date value

    double asDouble() const
    {
        switch (cat) {
        case Cat::Int: return double(i);
        case Cat::Currency: return double(i) / double(Variant::kCurrencyScale);
        default: return d;
        }
    }
};

Num toNum(const Variant &v, Cat c)
{
    Num n;
    switch (c) {
    case Cat::Empty: return n;
    case Cat::Bool: n.i = v.rawInt() ? -1 : 0; return n;
    case Cat::Int: n.i = v.rawInt(); return n;
    case Cat::Float:
        n.cat = Cat::Float;
        n.d = v.rawDouble();
        return n;
    case Cat::Date:
        n.cat = Cat::Date;
        n.d = v.rawDouble();
        return n;
    case Cat::Currency:
        n.cat = Cat::Currency;
        n.i = v.rawInt();
        return n;
    case Cat::String:
        n.cat = Cat::Float;
        n.d = v.toDouble();
        return n;
    default: throwInvalidVariantOp();
    }
}

QString stringOf(const Variant &v)
{
    return v.isString() ? v.stringRef() : v.toString();
}

Variant joinStrings(const Variant &a, const Variant &b)
{
    const bool narrow = a.type() != varOleStr && b.type() != varOleStr
        && (a.type() == varString || b.type() == varString);
    const QString left = stringOf(a);
    const QString right = stringOf(b);
    // Strings grow here: the ceiling is tested before the allocation.
    Variant::checkStringSize(left.size() + right.size());
    const QString joined = left + right;
    return narrow ? Variant::fromString8(joined) : Variant(joined);
}

enum class Arith { Add, Sub, Mul };

Variant arithmetic(Arith op, const Variant &a, const Variant &b)
{
    if (a.type() == varDouble && b.type() == varDouble) {
        const double x = a.rawDouble(), y = b.rawDouble();
        return Variant(op == Arith::Add ? x + y : op == Arith::Sub ? x - y : x * y);
    }
    const Cat ca = category(a), cb = category(b);
    if (ca == Cat::Null || cb == Cat::Null)
        return Variant::null();
    if (op == Arith::Add
        && ((ca == Cat::String && (cb == Cat::String || cb == Cat::Empty))
            || (cb == Cat::String && ca == Cat::Empty)))
        return joinStrings(a, b);
    if (ca == Cat::Other || cb == Cat::Other)
        throwInvalidVariantOp();
    const Num x = toNum(a, ca), y = toNum(b, cb);

    if (x.cat == Cat::Int && y.cat == Cat::Int) {
        qint64 r = 0;
        bool overflow = false;
        switch (op) {
        case Arith::Add: overflow = __builtin_add_overflow(x.i, y.i, &r); break;
        case Arith::Sub: overflow = __builtin_sub_overflow(x.i, y.i, &r); break;
        case Arith::Mul: overflow = __builtin_mul_overflow(x.i, y.i, &r); break;
        }
        if (!overflow)
            return intResult(r, a, b);
        const double dx = double(x.i), dy = double(y.i);
        return Variant(op == Arith::Add ? dx + dy : op == Arith::Sub ? dx - dy : dx * dy);
    }
    const double dx = x.asDouble(), dy = y.asDouble();
    if (x.cat == Cat::Date || y.cat == Cat::Date) {
        switch (op) {
        case Arith::Add: return Variant::fromDate(dx + dy);
        case Arith::Sub:
            if (x.cat == Cat::Date && y.cat == Cat::Date)
                return Variant(dx - dy);
            return Variant::fromDate(dx - dy);
        case Arith::Mul: return Variant(dx * dy);
        }
    }
    if (x.cat == Cat::Float || y.cat == Cat::Float)
        return Variant(op == Arith::Add ? dx + dy : op == Arith::Sub ? dx - dy : dx * dy);

    // Currency with Currency or integers: exact in ten-thousandths.
    constexpr __int128 kScale = Variant::kCurrencyScale;
    const __int128 sx = x.cat == Cat::Currency ? __int128(x.i) : __int128(x.i) * kScale;
    const __int128 sy = y.cat == Cat::Currency ? __int128(y.i) : __int128(y.i) * kScale;
    __int128 r = 0;
    switch (op) {
    case Arith::Add: r = sx + sy; break;
    case Arith::Sub: r = sx - sy; break;
    case Arith::Mul: {
        // The product counts ten-thousandths squared: back to the scale,
        // rounding half to even.
        const __int128 product = sx * sy;
        __int128 q = product / kScale, rem = product % kScale;
        if (rem < 0) {
            rem += kScale;
            --q;
        }
        if (2 * rem > kScale || (2 * rem == kScale && (q & 1)))
            ++q;
        r = q;
        break;
    }
    }
    if (r > __int128(std::numeric_limits<qint64>::max())
        || r < __int128(std::numeric_limits<qint64>::min()))
        return Variant(op == Arith::Add ? dx + dy : op == Arith::Sub ? dx - dy : dx * dy);
    return Variant::fromCurrencyScaled(qint64(r));
}

bool isBoolText(const Variant &v, bool *value)
{
    if (!v.isString())
        return false;
    const QString &s = v.stringRef();
    if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
        *value = true;
        return true;
    }
    if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
        *value = false;
        return true;
    }
    return false;
}

// Both operands as booleans when the logical operators work on booleans:
// two booleans, or a boolean and a "True"/"False" text.
bool bothBoolean(const Variant &a, const Variant &b, bool *x, bool *y)
{
    const bool ab = a.isBoolean(), bb = b.isBoolean();
    if (ab && bb) {
        *x = a.rawInt() != 0;
        *y = b.rawInt() != 0;
        return true;
    }
    if (ab && isBoolText(b, y)) {
        *x = a.rawInt() != 0;
        return true;
    }
    if (bb && isBoolText(a, x)) {
        *y = b.rawInt() != 0;
        return true;
    }
    return false;
}

qint64 integerOperand(const Variant &v)
{
    if (category(v) == Cat::Other && v.type() != varDispatch)
        throwInvalidVariantOp();
    return v.toInt64();
}

enum class Logic { And, Or, Xor };

Variant logical(Logic op, const Variant &a, const Variant &b)
{
    if (a.isNull() || b.isNull())
        return Variant::null();
    bool x = false, y = false;
    if (bothBoolean(a, b, &x, &y)) {
        switch (op) {
        case Logic::And: return Variant(x && y);
        case Logic::Or: return Variant(x || y);
        case Logic::Xor: return Variant(x != y);
        }
    }
    const qint64 i = integerOperand(a), j = integerOperand(b);
    switch (op) {
    case Logic::And: return intResult(i & j, a, b);
    case Logic::Or: return intResult(i | j, a, b);
    case Logic::Xor: return intResult(i ^ j, a, b);
    }
    return Variant();
}

[[noreturn]] void divisionByZero()
{
    throw ScriptError(QStringLiteral("Division by zero"), QStringLiteral("EDivByZero"));
}

int sign(double x, double y)
{
    return x < y ? -1 : (x > y ? 1 : 0);
}

int sign(qint64 x, qint64 y)
{
    return x < y ? -1 : (x > y ? 1 : 0);
}

}   // namespace

Variant add(const Variant &a, const Variant &b)
{
    return arithmetic(Arith::Add, a, b);
}
Variant sub(const Variant &a, const Variant &b)
{
    return arithmetic(Arith::Sub, a, b);
}
Variant mul(const Variant &a, const Variant &b)
{
    return arithmetic(Arith::Mul, a, b);
}

Variant divide(const Variant &a, const Variant &b)
{
    const Cat ca = category(a), cb = category(b);
    if (ca == Cat::Null || cb == Cat::Null)
        return Variant::null();
    const double x = toNum(a, ca).asDouble(), y = toNum(b, cb).asDouble();
    if (y == 0)
        throw ScriptError(QStringLiteral("Floating point division by zero"),
                          QStringLiteral("EZeroDivide"));
    return Variant(x / y);
}

Variant intDiv(const Variant &a, const Variant &b)
{
    if (a.isNull() || b.isNull())
        return Variant::null();
    const qint64 x = integerOperand(a), y = integerOperand(b);
    if (y == 0)
        divisionByZero();
    if (x == std::numeric_limits<qint64>::min() && y == -1)
        return Variant(-double(x));
    return intResult(x / y, a, b);
}

Variant mod(const Variant &a, const Variant &b)
{
    if (a.isNull() || b.isNull())
        return Variant::null();
    const qint64 x = integerOperand(a), y = integerOperand(b);
    if (y == 0)
        divisionByZero();
    if (y == -1)
        return intResult(0, a, b);
    return intResult(x % y, a, b);
}

Variant logicalAnd(const Variant &a, const Variant &b)
{
    return logical(Logic::And, a, b);
}
Variant logicalOr(const Variant &a, const Variant &b)
{
    return logical(Logic::Or, a, b);
}
Variant logicalXor(const Variant &a, const Variant &b)
{
    return logical(Logic::Xor, a, b);
}

Variant shl(const Variant &a, const Variant &b)
{
    if (a.isNull() || b.isNull())
        return Variant::null();
    const qint64 x = integerOperand(a), n = integerOperand(b);
    if (isWideInteger(a) || isWideInteger(b))
        return Variant(qint64(quint64(x) << (n & 63)));
    return Variant::fromInt(qint32(quint32(x) << (n & 31)));
}

Variant shr(const Variant &a, const Variant &b)
{
    if (a.isNull() || b.isNull())
        return Variant::null();
    const qint64 x = integerOperand(a), n = integerOperand(b);
    if (isWideInteger(a) || isWideInteger(b))
        return Variant(qint64(quint64(x) >> (n & 63)));
    return Variant::fromInt(qint32(quint32(x) >> (n & 31)));
}

Variant logicalNot(const Variant &a)
{
    if (a.isNull())
        return Variant::null();
    if (a.isBoolean())
        return Variant(a.rawInt() == 0);
    bool b = false;
    if (isBoolText(a, &b))
        return Variant(!b);
    const qint64 x = integerOperand(a);
    return Variant::fromInt(~x, isWideInteger(a));
}

Variant negate(const Variant &a)
{
    switch (category(a)) {
    case Cat::Null: return Variant::null();
    case Cat::Empty: return Variant(0);
    case Cat::Bool: return Variant(a.rawInt() ? 1 : 0);
    case Cat::Int:
        if (a.rawInt() == std::numeric_limits<qint64>::min())
            return Variant(-double(a.rawInt()));
        return Variant::fromInt(-a.rawInt(), isWideInteger(a));
    case Cat::Float:
        return a.type() == varSingle ? Variant::fromSingle(float(-a.rawDouble()))
                                     : Variant(-a.rawDouble());
    case Cat::Date: return Variant::fromDate(-a.rawDouble());
    case Cat::Currency:
        if (a.rawInt() == std::numeric_limits<qint64>::min())
            return Variant(-double(a.rawInt()) / double(Variant::kCurrencyScale));
        return Variant::fromCurrencyScaled(-a.rawInt());
    case Cat::String: return Variant(-a.toDouble());
    default: throwInvalidVariantOp();
    }
}

Variant concat(const Variant &a, const Variant &b)
{
    return joinStrings(a, b);
}

int compare(const Variant &a, const Variant &b)
{
    Cat ca = category(a), cb = category(b);
    if (ca == Cat::Null || cb == Cat::Null)
        return (ca == Cat::Null ? 0 : 1) - (cb == Cat::Null ? 0 : 1);
    if (ca == Cat::Other || cb == Cat::Other) {
        if (a.type() == varDispatch && (b.type() == varDispatch || cb == Cat::Int))
            return sign(a.rawInt(), b.rawInt());
        if (b.type() == varDispatch && ca == Cat::Int)
            return sign(a.rawInt(), b.rawInt());
        throwInvalidVariantOp();
    }
    if (ca == Cat::Empty && cb == Cat::Empty)
        return 0;
    if (ca == Cat::String || cb == Cat::String) {
        if ((ca == Cat::String || ca == Cat::Empty) && (cb == Cat::String || cb == Cat::Empty)) {
            const int r = stringOf(a).compare(stringOf(b), Qt::CaseSensitive);
            return r < 0 ? -1 : (r > 0 ? 1 : 0);
        }
        bool x = false, y = false;
        if (bothBoolean(a, b, &x, &y))
            return int(x) - int(y);
        if (ca == Cat::Date || cb == Cat::Date)
            return sign(a.toDate(), b.toDate());
        return sign(a.toDouble(), b.toDouble());
    }
    if (ca == Cat::Bool && cb == Cat::Bool)
        return int(a.rawInt() != 0) - int(b.rawInt() != 0);
    const Num x = toNum(a, ca), y = toNum(b, cb);
    if (x.cat == Cat::Int && y.cat == Cat::Int)
        return sign(x.i, y.i);
    if (x.cat == Cat::Currency && y.cat == Cat::Currency)
        return sign(x.i, y.i);
    return sign(x.asDouble(), y.asDouble());
}

bool equals(const Variant &a, const Variant &b)
{
    if (a.isArray() || b.isArray()) {
        if (!a.isArray() || !b.isArray())
            return false;
        const int dims = a.arrayDimCount();
        if (dims != b.arrayDimCount())
            return false;
        for (int d = 0; d < dims; ++d)
            if (!(a.arrayBound(d) == b.arrayBound(d)))
                return false;
        const Variant *x = a.arrayData(), *y = b.arrayData();
        for (qint64 i = 0, n = a.arrayTotalCount(); i < n; ++i)
            if (!equals(x[i], y[i]))
                return false;
        return true;
    }
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    return compare(a, b) == 0;
}

}   // namespace pgx::script::vop
