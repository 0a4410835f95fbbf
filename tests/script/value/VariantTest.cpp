#include "script/value/Variant.h"
#include "platform/format/FormatSettings.h"
#include "script/value/ScriptError.h"
#include "script/value/VariantOps.h"

#include <gtest/gtest.h>

#include <functional>

using namespace pgx::script;

namespace {

Variant i(int v)
{
    return Variant(v);
}
Variant i64(qint64 v)
{
    return Variant(v);
}
Variant d(double v)
{
    return Variant(v);
}
Variant s(const char *v)
{
    return Variant(QString::fromUtf8(v));
}
Variant s8(const char *v)
{
    return Variant::fromString8(QString::fromUtf8(v));
}
Variant b(bool v)
{
    return Variant(v);
}
Variant cur(double v)
{
    return Variant::fromCurrency(v);
}
Variant dt(double v)
{
    return Variant::fromDate(v);
}
Variant n()
{
    return Variant::null();
}
Variant e()
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
        {"7+2", vop::add, i(7), i(2), i(9), varInteger},
        {"'1'+2", vop::add, s("1"), i(2), d(3), varDouble},
        {"'a'+'b'", vop::add, s("a"), s("b"), s("ab"), varOleStr},
        {"8-bit + 8-bit", vop::add, s8("a"), s8("b"), s8("ab"), varString},
        {"8-bit + wide", vop::add, s8("a"), s("b"), s("ab"), varOleStr},
        {"int32 overflow", vop::add, i(2147483647), i(1), i64(2147483648LL), varInt64},
        {"int64 overflow", vop::add, i64(9223372036854775807LL), i(1), d(9223372036854775808.0),
         varDouble},
        {"Null+1", vop::add, n(), i(1), n(), varNull},
        {"Empty+5", vop::add, e(), i(5), i(5), varInteger},
        {"Empty+'x'", vop::add, e(), s("x"), s("x"), varOleStr},
        {"1.5+1", vop::add, d(1.5), i(1), d(2.5), varDouble},
        {"currency+1", vop::add, cur(1.5), i(1), cur(2.5), varCurrency},
        {"date+1", vop::add, dt(45360), i(1), dt(45361), varDate},
        {"date-date", vop::sub, dt(45361), dt(45360), d(1), varDouble},
        {"date-0.5", vop::sub, dt(45361), d(0.5), dt(45360.5), varDate},
        {"10-4", vop::sub, i(10), i(4), i(6), varInteger},
        {"6*7", vop::mul, i(6), i(7), i(42), varInteger},
        {"currency*currency", vop::mul, cur(1.5), cur(1.5), cur(2.25), varCurrency},
        {"int64*int", vop::mul, i64(3), i(4), i64(12), varInt64},
        {"7/2", vop::divide, i(7), i(2), d(3.5), varDouble},
        {"6/3", vop::divide, i(6), i(3), d(2), varDouble},
        {"Null/0", vop::divide, n(), i(0), n(), varNull},
        {"7 div 2", vop::intDiv, i(7), i(2), i(3), varInteger},
        {"-7 div 2", vop::intDiv, i(-7), i(2), i(-3), varInteger},
        {"7.5 div 2", vop::intDiv, d(7.5), i(2), i(4), varInteger},   // 7.5 rounds to 8
        {"7 mod 2", vop::mod, i(7), i(2), i(1), varInteger},
        {"-7 mod 2", vop::mod, i(-7), i(2), i(-1), varInteger},
        {"true and false", vop::logicalAnd, b(true), b(false), b(false), varBoolean},
        {"12 and 10", vop::logicalAnd, i(12), i(10), i(8), varInteger},
        {"12 or 10", vop::logicalOr, i(12), i(10), i(14), varInteger},
        {"12 xor 10", vop::logicalXor, i(12), i(10), i(6), varInteger},
        {"true xor true", vop::logicalXor, b(true), b(true), b(false), varBoolean},
        {"true or 'False'", vop::logicalOr, b(true), s("False"), b(true), varBoolean},
        {"Null and true", vop::logicalAnd, n(), b(true), n(), varNull},
        {"1 shl 4", vop::shl, i(1), i(4), i(16), varInteger},
        {"16 shr 2", vop::shr, i(16), i(2), i(4), varInteger},
        {"-1 shr 28", vop::shr, i(-1), i(28), i(15), varInteger},   // 32-bit logical shift
        {"int64 shl", vop::shl, i64(1), i(40), i64(1099511627776LL), varInt64},
        {"strcat 8-bit", vop::concat, s8("a"), i(1), s8("a1"), varString},
        {"strcat wide", vop::concat, s("a"), d(1.5), s("a1.5"), varOleStr},
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
    EXPECT_TRUE(vop::equals(vop::logicalNot(b(true)), b(false)));
    EXPECT_TRUE(vop::equals(vop::logicalNot(i(0)), i(-1)));
    EXPECT_TRUE(vop::logicalNot(n()).isNull());
    EXPECT_TRUE(vop::equals(vop::negate(i(5)), i(-5)));
    const Variant negString = vop::negate(s("2.5"));
    EXPECT_EQ(negString.type(), varDouble);
    EXPECT_EQ(negString.rawDouble(), -2.5);
    EXPECT_TRUE(vop::negate(n()).isNull());
    EXPECT_EQ(vop::negate(cur(1.5)).type(), varCurrency);
    EXPECT_EQ(vop::negate(i64(std::numeric_limits<qint64>::min())).type(), varDouble);
}

TEST(VariantOps, FailuresRaiseWithTheirClass)
{
    const Variant array = Variant::arrayOf({i(1)});
    const struct
    {
        const char *name;
        std::function<Variant()> op;
        const char *className;
    } rows[] = {
        {"'a'+1", [] { return vop::add(s("a"), i(1)); }, "EVariantTypeCastError"},
        {"1/0", [] { return vop::divide(i(1), i(0)); }, "EZeroDivide"},
        {"1.5/0.0", [] { return vop::divide(d(1.5), d(0)); }, "EZeroDivide"},
        {"1 div 0", [] { return vop::intDiv(i(1), i(0)); }, "EDivByZero"},
        {"1 mod 0", [] { return vop::mod(i(1), i(0)); }, "EDivByZero"},
        {"array+1", [&] { return vop::add(array, i(1)); }, "EVariantInvalidOpError"},
        {"array<1", [&] { return Variant(vop::compare(array, i(1)) < 0); },
         "EVariantInvalidOpError"},
        {"'x'<1", [] { return Variant(vop::compare(s("x"), i(1)) < 0); }, "EVariantTypeCastError"},
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
        {"1<2", i(1), i(2), -1},
        {"'a'<'b'", s("a"), s("b"), -1},
        {"case-sensitive", s("B"), s("a"), -1},
        {"8-bit vs wide", s8("x"), s("x"), 0},
        {"'10' vs 9", s("10"), i(9), 1},
        {"Null=Null", n(), n(), 0},
        {"Null<0", n(), i(0), -1},
        {"0>Null", i(0), n(), 1},
        {"date vs double", dt(1), d(1.0), 0},
        {"false<true", b(false), b(true), -1},
        {"currency vs double", cur(1.5), d(1.5), 0},
        {"Empty=0", e(), i(0), 0},
        {"Empty=''", e(), s(""), 0},
        {"int64 vs int", i64(5000000000LL), i(1), 1},
        {"'True' vs true", s("True"), b(true), 0},
    };
    for (const auto &r : rows) {
        const int c = vop::compare(r.a, r.b);
        EXPECT_EQ((c > 0) - (c < 0), r.sign) << r.name;
    }
    EXPECT_TRUE(vop::equals(n(), n()));
    EXPECT_FALSE(vop::equals(n(), e()));
    EXPECT_FALSE(vop::equals(n(), i(0)));
    EXPECT_TRUE(vop::equals(Variant::arrayOf({i(1), s("a")}), Variant::arrayOf({i(1), s("a")})));
    EXPECT_FALSE(vop::equals(Variant::arrayOf({i(1), i(2)}), Variant::arrayOf({i(1), i(3)})));
    EXPECT_FALSE(vop::equals(Variant::arrayOf({i(1)}), i(1)));
}

TEST(Variant, ConversionsToText)
{
    const struct
    {
        Variant v;
        const char *text;
    } rows[] = {
        {i(42), "42"},
        {i64(-9000000000LL), "-9000000000"},
        {d(3.5), "3.5"},
        {d(1e20), "1E20"},
        {b(true), "True"},
        {b(false), "False"},
        {n(), ""},
        {e(), ""},
        {cur(2.5), "2.5"},
        {dt(45360), "09.03.2024"},
        {dt(45360.5), "09.03.2024 12:00:00"},
        {Variant::fromSingle(0.1f), "0.1"},
        {s8("abc"), "abc"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(r.v.toString(), QString::fromUtf8(r.text)) << r.text;
    EXPECT_THROW(Variant::arrayOf({}).toString(), ScriptError);
    pgx::format::FormatSettings comma;
    comma.decimalSeparator = QLatin1Char(',');
    pgx::format::ScopedFormatSettings scope(comma);
    EXPECT_EQ(d(3.5).toString(), QStringLiteral("3,5"));
    EXPECT_EQ(s("2,5").toDouble(), 2.5);
}

TEST(Variant, ConversionsToNumbersAndBooleans)
{
    EXPECT_EQ(s("42").toInt64(), 42);
    EXPECT_EQ(s("2.5").toInt64(), 2);   // rounds half to even
    EXPECT_EQ(d(3.5).toInt64(), 4);
    EXPECT_EQ(b(true).toInt64(), -1);
    EXPECT_EQ(e().toInt64(), 0);
    EXPECT_THROW(n().toInt64(), ScriptError);
    EXPECT_THROW(s("abc").toDouble(), ScriptError);
    EXPECT_THROW(d(1e300).toInt64(), ScriptError);
    EXPECT_TRUE(s("TRUE").toBool());
    EXPECT_FALSE(s("false").toBool());
    EXPECT_TRUE(s("2").toBool());
    EXPECT_THROW(s("maybe").toBool(), ScriptError);
    EXPECT_THROW(n().toBool(), ScriptError);
    EXPECT_EQ(cur(1.23456).toCurrencyScaled(), 12346);
    EXPECT_EQ(s("09.03.2024").castTo(varDate).rawDouble(), 45360);
    EXPECT_EQ(i(300).castTo(varByte).rawInt(), 44);
    EXPECT_EQ(s("7").castTo(varInteger).type(), varInteger);
}

TEST(Variant, ArraysKeepTheirBoundsAndAreValues)
{
    Variant a = Variant::createArray({ArrayBound{1, 3}});
    EXPECT_EQ(a.type(), VarType(varArray | varVariant));
    EXPECT_EQ(a.arrayDimCount(), 1);
    EXPECT_EQ(a.arrayBound(0).low, 1);
    EXPECT_EQ(a.arrayBound(0).high, 3);
    qint64 index = 3;
    a.setArrayElement(&index, 1, s("x"));
    Variant copy = a;
    const qint64 one = 1;
    copy.setArrayElement(&one, 1, i(5));   // copies; `a` keeps its value
    EXPECT_TRUE(a.arrayElement(&one, 1)->isEmpty());
    EXPECT_EQ(copy.arrayElement(&one, 1)->rawInt(), 5);
    EXPECT_EQ(a.arrayElement(&index, 1)->toString(), QStringLiteral("x"));
    const qint64 outside = 4;
    EXPECT_EQ(a.arrayElement(&outside, 1), nullptr);
    EXPECT_THROW(a.setArrayElement(&outside, 1, i(1)), ScriptError);

    Variant grid = Variant::createArray({ArrayBound{0, 1}, ArrayBound{0, 2}});
    const qint64 at[2] = {1, 2};
    grid.setArrayElement(at, 2, i(9));
    EXPECT_EQ(grid.arrayElement(at, 2)->rawInt(), 9);
    EXPECT_EQ(grid.arrayTotalCount(), 6);
    EXPECT_EQ(grid.arrayElement(at, 1), nullptr);   // wrong index count

    Variant typed = Variant::createArray({ArrayBound{0, 1}}, varInteger);
    const qint64 zero = 0;
    EXPECT_EQ(typed.arrayElement(&zero, 1)->type(), varInteger);
    typed.setArrayElement(&zero, 1, s("5"));
    EXPECT_EQ(typed.arrayElement(&zero, 1)->type(), varInteger);
    EXPECT_THROW(typed.setArrayElement(&zero, 1, s("five")), ScriptError);

    typed.redimArray(4);
    EXPECT_EQ(typed.arrayTotalCount(), 5);
    EXPECT_EQ(typed.arrayElement(&zero, 1)->rawInt(), 5);

    EXPECT_THROW(Variant::createArray({ArrayBound{5, 2}}), ScriptError);
    EXPECT_THROW(Variant::createArray({ArrayBound{0, 1LL << 40}}), ScriptError);
    EXPECT_THROW(Variant::createArray({ArrayBound{0, 100000}, ArrayBound{0, 100000}}), ScriptError);
    EXPECT_EQ(Variant::createArray({ArrayBound{0, -1}}).arrayTotalCount(), 0);
}

TEST(Variant, ArrayBoundsErrorsNameTheCap)
{
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    constexpr qint64 kMin = std::numeric_limits<qint64>::min();
    const QString invalid = QStringLiteral("Invalid variant array bounds");
    const QString overCap = invalid + QStringLiteral(": an array holds at most 67108864 elements");
    struct Case
    {
        QList<ArrayBound> bounds;
        QString message;
    } cases[] = {
        {{{5, 2}}, invalid},
        {{{kMax, kMin}}, invalid},   // high - low overflows downwards
        {{{-kMax, kMax}}, overCap},  // and upwards
        {{{kMin, kMax}}, overCap},
        {{{0, 1LL << 40}}, overCap},
        {{{0, 100000}, {0, 100000}}, overCap},
        {{{1, Variant::kMaxArrayElements + 1}}, overCap},
    };
    for (const Case &c : cases) {
        try {
            Variant::createArray(c.bounds);
            ADD_FAILURE() << c.bounds.first().low << ".." << c.bounds.first().high;
        } catch (const ScriptError &e) {
            EXPECT_EQ(e.message(), c.message) << c.bounds.first().low << ".." << c.bounds.first().high;
        }
    }
    EXPECT_EQ((ArrayBound{-kMax, kMax}.count()), kMax);
    EXPECT_EQ((ArrayBound{kMax, kMin}.count()), kMin);

    Variant grown = Variant::createArray({ArrayBound{-kMax, -kMax}});
    EXPECT_THROW(grown.redimArray(kMax), ScriptError);
    EXPECT_EQ(grown.arrayTotalCount(), 1);
}

TEST(Variant, ArrayNestingIsBounded)
{
    // Freeing, copying and comparing recurse over nested arrays.
    Variant v = i(0);
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
    Variant a = s("shared");
    Variant b = a;
    EXPECT_EQ(&a.stringRef(), &b.stringRef());   // one heap string, counted
    b = i(1);
    EXPECT_EQ(a.toString(), QStringLiteral("shared"));
}

}   // namespace
