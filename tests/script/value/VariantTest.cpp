#include "script/value/Variant.h"
#include "platform/format/FormatSettings.h"
#include "script/value/ScriptError.h"
#include "script/value/VariantOps.h"

#include <gtest/gtest.h>

#include <functional>

using namespace pgx::script;

namespace {

Variant I(int v)
{
    return Variant(v);
}
Variant I64(qint64 v)
{
    return Variant(v);
}
Variant D(double v)
{
    return Variant(v);
}
Variant S(const char *v)
{
    return Variant(QString::fromUtf8(v));
}
Variant S8(const char *v)
{
    return Variant::fromString8(QString::fromUtf8(v));
}
Variant B(bool v)
{
    return Variant(v);
}
Variant Cur(double v)
{
    return Variant::fromCurrency(v);
}
Variant Dt(double v)
{
    return Variant::fromDate(v);
}
Variant N()
{
    return Variant::null();
}
Variant E()
{
    return Variant();
}

using BinaryOp = std::function<Variant(const Variant &, const Variant &)>;

struct OpRow
{
    const char *name;
    BinaryOp op;
    Variant a, b;
    Variant expected;
    VarType type;
};

TEST(VariantOps, ResultsAndTypes)
{
    const OpRow rows[] = {
        {"7+2", vop::add, I(7), I(2), I(9), varInteger},
        {"'1'+2", vop::add, S("1"), I(2), D(3), varDouble},
        {"'a'+'b'", vop::add, S("a"), S("b"), S("ab"), varOleStr},
        {"8-bit + 8-bit", vop::add, S8("a"), S8("b"), S8("ab"), varString},
        {"8-bit + wide", vop::add, S8("a"), S("b"), S("ab"), varOleStr},
        {"int32 overflow", vop::add, I(2147483647), I(1), I64(2147483648LL), varInt64},
        {"int64 overflow", vop::add, I64(9223372036854775807LL), I(1), D(9223372036854775808.0),
         varDouble},
        {"Null+1", vop::add, N(), I(1), N(), varNull},
        {"Empty+5", vop::add, E(), I(5), I(5), varInteger},
        {"Empty+'x'", vop::add, E(), S("x"), S("x"), varOleStr},
        {"1.5+1", vop::add, D(1.5), I(1), D(2.5), varDouble},
        {"currency+1", vop::add, Cur(1.5), I(1), Cur(2.5), varCurrency},
        {"date+1", vop::add, Dt(45360), I(1), Dt(45361), varDate},
        {"date-date", vop::sub, Dt(45361), Dt(45360), D(1), varDouble},
        {"date-0.5", vop::sub, Dt(45361), D(0.5), Dt(45360.5), varDate},
        {"10-4", vop::sub, I(10), I(4), I(6), varInteger},
        {"6*7", vop::mul, I(6), I(7), I(42), varInteger},
        {"currency*currency", vop::mul, Cur(1.5), Cur(1.5), Cur(2.25), varCurrency},
        {"int64*int", vop::mul, I64(3), I(4), I64(12), varInt64},
        {"7/2", vop::divide, I(7), I(2), D(3.5), varDouble},
        {"6/3", vop::divide, I(6), I(3), D(2), varDouble},
        {"Null/0", vop::divide, N(), I(0), N(), varNull},
        {"7 div 2", vop::intDiv, I(7), I(2), I(3), varInteger},
        {"-7 div 2", vop::intDiv, I(-7), I(2), I(-3), varInteger},
        {"7.5 div 2", vop::intDiv, D(7.5), I(2), I(4), varInteger},   // 7.5 rounds to 8
        {"7 mod 2", vop::mod, I(7), I(2), I(1), varInteger},
        {"-7 mod 2", vop::mod, I(-7), I(2), I(-1), varInteger},
        {"true and false", vop::logicalAnd, B(true), B(false), B(false), varBoolean},
        {"12 and 10", vop::logicalAnd, I(12), I(10), I(8), varInteger},
        {"12 or 10", vop::logicalOr, I(12), I(10), I(14), varInteger},
        {"12 xor 10", vop::logicalXor, I(12), I(10), I(6), varInteger},
        {"true xor true", vop::logicalXor, B(true), B(true), B(false), varBoolean},
        {"true or 'False'", vop::logicalOr, B(true), S("False"), B(true), varBoolean},
        {"Null and true", vop::logicalAnd, N(), B(true), N(), varNull},
        {"1 shl 4", vop::shl, I(1), I(4), I(16), varInteger},
        {"16 shr 2", vop::shr, I(16), I(2), I(4), varInteger},
        {"-1 shr 28", vop::shr, I(-1), I(28), I(15), varInteger},   // 32-bit logical shift
        {"int64 shl", vop::shl, I64(1), I(40), I64(1099511627776LL), varInt64},
        {"strcat 8-bit", vop::concat, S8("a"), I(1), S8("a1"), varString},
        {"strcat wide", vop::concat, S("a"), D(1.5), S("a1.5"), varOleStr},
    };
    for (const OpRow &r : rows) {
        const Variant result = r.op(r.a, r.b);
        EXPECT_EQ(result.type(), r.type) << r.name;
        EXPECT_TRUE(vop::equals(result, r.expected))
            << r.name << ": " << result.toString().toStdString();
    }
}

TEST(VariantOps, UnaryOperators)
{
    EXPECT_TRUE(vop::equals(vop::logicalNot(B(true)), B(false)));
    EXPECT_TRUE(vop::equals(vop::logicalNot(I(0)), I(-1)));
    EXPECT_TRUE(vop::logicalNot(N()).isNull());
    EXPECT_TRUE(vop::equals(vop::negate(I(5)), I(-5)));
    const Variant negString = vop::negate(S("2.5"));
    EXPECT_EQ(negString.type(), varDouble);
    EXPECT_EQ(negString.rawDouble(), -2.5);
    EXPECT_TRUE(vop::negate(N()).isNull());
    EXPECT_EQ(vop::negate(Cur(1.5)).type(), varCurrency);
    EXPECT_EQ(vop::negate(I64(std::numeric_limits<qint64>::min())).type(), varDouble);
}

TEST(VariantOps, FailuresRaiseWithTheirClass)
{
    const Variant array = Variant::arrayOf({I(1)});
    const struct
    {
        const char *name;
        std::function<Variant()> op;
        const char *className;
    } rows[] = {
        {"'a'+1", [] { return vop::add(S("a"), I(1)); }, "EVariantTypeCastError"},
        {"1/0", [] { return vop::divide(I(1), I(0)); }, "EZeroDivide"},
        {"1.5/0.0", [] { return vop::divide(D(1.5), D(0)); }, "EZeroDivide"},
        {"1 div 0", [] { return vop::intDiv(I(1), I(0)); }, "EDivByZero"},
        {"1 mod 0", [] { return vop::mod(I(1), I(0)); }, "EDivByZero"},
        {"array+1", [&] { return vop::add(array, I(1)); }, "EVariantInvalidOpError"},
        {"array<1", [&] { return Variant(vop::compare(array, I(1)) < 0); },
         "EVariantInvalidOpError"},
        {"'x'<1", [] { return Variant(vop::compare(S("x"), I(1)) < 0); }, "EVariantTypeCastError"},
    };
    for (const auto &r : rows) {
        try {
            r.op();
            ADD_FAILURE() << "no error for " << r.name;
        } catch (const ScriptError &e) {
            EXPECT_EQ(e.className(), QString::fromLatin1(r.className)) << r.name;
        }
    }
}

TEST(VariantOps, Comparisons)
{
    const struct
    {
        const char *name;
        Variant a, b;
        int sign;
    } rows[] = {
        {"1<2", I(1), I(2), -1},
        {"'a'<'b'", S("a"), S("b"), -1},
        {"case-sensitive", S("B"), S("a"), -1},
        {"8-bit vs wide", S8("x"), S("x"), 0},
        {"'10' vs 9", S("10"), I(9), 1},
        {"Null=Null", N(), N(), 0},
        {"Null<0", N(), I(0), -1},
        {"0>Null", I(0), N(), 1},
        {"date vs double", Dt(1), D(1.0), 0},
        {"false<true", B(false), B(true), -1},
        {"currency vs double", Cur(1.5), D(1.5), 0},
        {"Empty=0", E(), I(0), 0},
        {"Empty=''", E(), S(""), 0},
        {"int64 vs int", I64(5000000000LL), I(1), 1},
        {"'True' vs true", S("True"), B(true), 0},
    };
    for (const auto &r : rows) {
        const int c = vop::compare(r.a, r.b);
        EXPECT_EQ((c > 0) - (c < 0), r.sign) << r.name;
    }
    EXPECT_TRUE(vop::equals(N(), N()));
    EXPECT_FALSE(vop::equals(N(), E()));
    EXPECT_FALSE(vop::equals(N(), I(0)));
    EXPECT_TRUE(vop::equals(Variant::arrayOf({I(1), S("a")}), Variant::arrayOf({I(1), S("a")})));
    EXPECT_FALSE(vop::equals(Variant::arrayOf({I(1), I(2)}), Variant::arrayOf({I(1), I(3)})));
    EXPECT_FALSE(vop::equals(Variant::arrayOf({I(1)}), I(1)));
}

TEST(Variant, ConversionsToText)
{
    const struct
    {
        Variant v;
        const char *text;
    } rows[] = {
        {I(42), "42"},
        {I64(-9000000000LL), "-9000000000"},
        {D(3.5), "3.5"},
        {D(1e20), "1E20"},
        {B(true), "True"},
        {B(false), "False"},
        {N(), ""},
        {E(), ""},
        {Cur(2.5), "2.5"},
        {Dt(45360), "09.03.2024"},
        {Dt(45360.5), "09.03.2024 12:00:00"},
        {Variant::fromSingle(0.1f), "0.1"},
        {S8("abc"), "abc"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(r.v.toString(), QString::fromUtf8(r.text)) << r.text;
    EXPECT_THROW(Variant::arrayOf({}).toString(), ScriptError);
    pgx::format::FormatSettings comma;
    comma.decimalSeparator = QLatin1Char(',');
    pgx::format::ScopedFormatSettings scope(comma);
    EXPECT_EQ(D(3.5).toString(), QStringLiteral("3,5"));
    EXPECT_EQ(S("2,5").toDouble(), 2.5);
}

TEST(Variant, ConversionsToNumbersAndBooleans)
{
    EXPECT_EQ(S("42").toInt64(), 42);
    EXPECT_EQ(S("2.5").toInt64(), 2);   // rounds half to even
    EXPECT_EQ(D(3.5).toInt64(), 4);
    EXPECT_EQ(B(true).toInt64(), -1);
    EXPECT_EQ(E().toInt64(), 0);
    EXPECT_THROW(N().toInt64(), ScriptError);
    EXPECT_THROW(S("abc").toDouble(), ScriptError);
    EXPECT_THROW(D(1e300).toInt64(), ScriptError);
    EXPECT_TRUE(S("TRUE").toBool());
    EXPECT_FALSE(S("false").toBool());
    EXPECT_TRUE(S("2").toBool());
    EXPECT_THROW(S("maybe").toBool(), ScriptError);
    EXPECT_THROW(N().toBool(), ScriptError);
    EXPECT_EQ(Cur(1.23456).toCurrencyScaled(), 12346);
    EXPECT_EQ(S("09.03.2024").castTo(varDate).rawDouble(), 45360);
    EXPECT_EQ(I(300).castTo(varByte).rawInt(), 44);
    EXPECT_EQ(S("7").castTo(varInteger).type(), varInteger);
}

TEST(Variant, ArraysKeepTheirBoundsAndAreValues)
{
    Variant a = Variant::createArray({ArrayBound{1, 3}});
    EXPECT_EQ(a.type(), VarType(varArray | varVariant));
    EXPECT_EQ(a.arrayDimCount(), 1);
    EXPECT_EQ(a.arrayBound(0).low, 1);
    EXPECT_EQ(a.arrayBound(0).high, 3);
    qint64 i = 3;
    a.setArrayElement(&i, 1, S("x"));
    Variant copy = a;
    const qint64 one = 1;
    copy.setArrayElement(&one, 1, I(5));   // copies; `a` keeps its value
    EXPECT_TRUE(a.arrayElement(&one, 1)->isEmpty());
    EXPECT_EQ(copy.arrayElement(&one, 1)->rawInt(), 5);
    EXPECT_EQ(a.arrayElement(&i, 1)->toString(), QStringLiteral("x"));
    const qint64 outside = 4;
    EXPECT_EQ(a.arrayElement(&outside, 1), nullptr);
    EXPECT_THROW(a.setArrayElement(&outside, 1, I(1)), ScriptError);

    Variant grid = Variant::createArray({ArrayBound{0, 1}, ArrayBound{0, 2}});
    const qint64 at[2] = {1, 2};
    grid.setArrayElement(at, 2, I(9));
    EXPECT_EQ(grid.arrayElement(at, 2)->rawInt(), 9);
    EXPECT_EQ(grid.arrayTotalCount(), 6);
    EXPECT_EQ(grid.arrayElement(at, 1), nullptr);   // wrong index count

    Variant typed = Variant::createArray({ArrayBound{0, 1}}, varInteger);
    const qint64 zero = 0;
    EXPECT_EQ(typed.arrayElement(&zero, 1)->type(), varInteger);
    typed.setArrayElement(&zero, 1, S("5"));
    EXPECT_EQ(typed.arrayElement(&zero, 1)->type(), varInteger);
    EXPECT_THROW(typed.setArrayElement(&zero, 1, S("five")), ScriptError);

    typed.redimArray(4);
    EXPECT_EQ(typed.arrayTotalCount(), 5);
    EXPECT_EQ(typed.arrayElement(&zero, 1)->rawInt(), 5);

    EXPECT_THROW(Variant::createArray({ArrayBound{5, 2}}), ScriptError);
    EXPECT_THROW(Variant::createArray({ArrayBound{0, 1LL << 40}}), ScriptError);
    EXPECT_THROW(Variant::createArray({ArrayBound{0, 100000}, ArrayBound{0, 100000}}), ScriptError);
    EXPECT_EQ(Variant::createArray({ArrayBound{0, -1}}).arrayTotalCount(), 0);
}

TEST(Variant, ArrayNestingIsBounded)
{
    // Freeing, copying and comparing recurse over nested arrays.
    Variant v = I(0);
    int levels = 0;
    try {
        for (; levels < 1000; ++levels)
            v = Variant::arrayOf({v});
    } catch (const ScriptError &) { }
    EXPECT_EQ(levels, Variant::kMaxArrayNesting);
    EXPECT_TRUE(vop::equals(v, v));
}

TEST(Variant, SmallScalarsStayInline)
{
    static_assert(sizeof(Variant) == 16);
    Variant a = S("shared");
    Variant b = a;
    EXPECT_EQ(&a.stringRef(), &b.stringRef());   // one heap string, counted
    b = I(1);
    EXPECT_EQ(a.toString(), QStringLiteral("shared"));
}

}   // namespace
