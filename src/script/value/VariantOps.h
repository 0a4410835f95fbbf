#pragma once

#include "script/value/Variant.h"

namespace pgx::script::vop {

// The variant operators. Null in arithmetic, logic and shifts gives Null;
// Empty acts as 0 or as the empty string; strings convert to numbers with
// the format settings' decimal separator. Failures raise ScriptError.
//
// Integer results are Integer while they fit in 32 bits and Int64 when they
// need more (or an operand was Int64); past 64 bits they become Double.
// A floating operand makes the result Double, except that Currency with
// Currency or integers stays Currency and a date plus or minus a number
// stays a date.

Variant add(const Variant &a, const Variant &b);
Variant sub(const Variant &a, const Variant &b);
Variant mul(const Variant &a, const Variant &b);
Variant divide(const Variant &a, const Variant &b);   // "/": always Double
Variant intDiv(const Variant &a, const Variant &b);   // "div"
Variant mod(const Variant &a, const Variant &b);
Variant logicalAnd(const Variant &a, const Variant &b);
Variant logicalOr(const Variant &a, const Variant &b);
Variant logicalXor(const Variant &a, const Variant &b);
Variant shl(const Variant &a, const Variant &b);
Variant shr(const Variant &a, const Variant &b);
Variant logicalNot(const Variant &a);
Variant negate(const Variant &a);
// Both values as strings, joined (the "strcat" operator's string case).
Variant concat(const Variant &a, const Variant &b);

// Ordering of two values: negative, zero or positive. Null equals Null and
// is less than every other value; strings compare case-sensitively by
// character code; a string against a number or date converts to it;
// arrays are equal when their bounds and elements are; ordering arrays or
// objects raises.
int compare(const Variant &a, const Variant &b);
bool equals(const Variant &a, const Variant &b);

// An Int64 operand keeps integer results Int64 (Variant::intResultType).
inline bool isWideInteger(const Variant &v)
{
    return v.type() == varInt64;
}
// The integer result r of an operation on a and b.
inline Variant intResult(qint64 r, const Variant &a, const Variant &b)
{
    return Variant::fromInt(r, isWideInteger(a) || isWideInteger(b));
}

// Fast paths for the evaluation loop, inline so that two integers never
// leave the caller. Integer and Int64 both qualify: sums outgrow 32 bits.
inline bool isFastInteger(VarType t)
{
    return t == varInteger || t == varInt64;
}
inline Variant addFast(const Variant &a, const Variant &b)
{
    qint64 r;
    if (isFastInteger(a.type()) && isFastInteger(b.type())
        && !__builtin_add_overflow(a.rawInt(), b.rawInt(), &r))
        return intResult(r, a, b);
    return add(a, b);
}
inline Variant subFast(const Variant &a, const Variant &b)
{
    qint64 r;
    if (isFastInteger(a.type()) && isFastInteger(b.type())
        && !__builtin_sub_overflow(a.rawInt(), b.rawInt(), &r))
        return intResult(r, a, b);
    return sub(a, b);
}
// A counting step in place: target becomes target + amount (target -
// amount when down), typed as addFast and subFast type it. False, with
// target unchanged, unless both are integers and the result fits in 64 bits.
inline bool stepInPlace(Variant &target, const Variant &amount, bool down)
{
    qint64 r;
    if (!isFastInteger(target.type()) || !isFastInteger(amount.type())
        || (down ? __builtin_sub_overflow(target.rawInt(), amount.rawInt(), &r)
                 : __builtin_add_overflow(target.rawInt(), amount.rawInt(), &r)))
        return false;
    target.setInt(r, isWideInteger(target) || isWideInteger(amount));
    return true;
}
inline int compareFast(const Variant &a, const Variant &b)
{
    if (isFastInteger(a.type()) && isFastInteger(b.type()))
        return a.rawInt() < b.rawInt() ? -1 : (a.rawInt() > b.rawInt() ? 1 : 0);
    return compare(a, b);
}

}   // namespace pgx::script::vop
