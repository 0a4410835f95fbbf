#include "../registry/LibraryFixture.h"

#include "platform/format/DateTime.h"

using namespace pgx::script;
using namespace pgx::script::test;

namespace {

Variant array(std::initializer_list<Variant> values)
{
    return Variant::arrayOf(QList<Variant>(values));
}

struct Case
{
    const char *fn;
    QList<Arg> args;
    QString expected;   // string form of the result, or the error when `raises`
    bool raises = false;
};

// Each row: function, arguments, expected result (string form) or error.
TEST(SysFunctions, ResultsAndErrors)
{
    const QString longText(300, QLatin1Char('x'));
    const Case cases[] = {
        {"Copy", {"'abcdef'", "2", "3"}, "bcd"},
        {"Copy", {"'abcdef'", "5", "10"}, "ef"},
        {"Copy", {"'abcdef'", "0", "2"}, "ab"},
        {"Copy", {"'abc'", "9", "1"}, ""},
        {"Pos", {"'z'", "'abc'"}, "0"},
        {"Pos", {"'c'", "'abcabc'"}, "3"},
        {"Pos", {"'C'", "'abc'"}, "0"},
        {"NameCase", {"'JOHN smith'"}, "John Smith"},
        {"Trim", {Variant::fromString8(QStringLiteral("\t a b \x01"))}, "a b"},
        {"Uppercase", {"'straße'"}, "STRASSE"},
        {"CompareText", {"'abc'", "'ABD'"}, "-1"},
        {"CompareText", {"'abc'", "'ABC'"}, "0"},
        {"Round", {"2.5"}, "2"},
        {"Round", {"3.5"}, "4"},
        {"Round", {"-2.5"}, "-2"},
        {"Round", {Variant(1e300)}, "Invalid floating point operation", true},
        {"Trunc", {"-1.7"}, "-1"},
        {"Int", {"2.7"}, "2"},
        {"Frac", {"2.5"}, "0.5"},
        {"Sqrt", {Variant(-1.0)}, "Invalid floating point operation", true},
        {"Ln", {"0"}, "Invalid floating point operation", true},
        {"Abs", {Variant(-7)}, "7"},
        {"Length", {Variant(array({1, 2, 3}))}, "3"},
        {"Length", {"1234"}, "4"},
        {"Length", {"'abc'"}, "3"},
        {"DaysInMonth", {"2000", "2"}, "29"},
        {"DaysInMonth", {"1900", "2"}, "28"},
        {"DaysInMonth", {"2023", "12"}, "31"},
        {"DaysInMonth", {"2023", "13"}, "Invalid month: 13", true},
        {"DaysInMonth", {"2023", "0"}, "Invalid month: 0", true},
        {"IsLeapYear", {"2000"}, "True"},
        {"IsLeapYear", {"2100"}, "False"},
        {"Format", {"'%s'", Variant(array({Variant::fromString8(longText)}))}, longText},
        {"Format",
         {"'%d-%s'", Variant(array({Variant(7), Variant::fromString8(QStringLiteral("a"))}))},
         "7-a"},
        {"Format", {"'%d'", Variant(array({Variant::fromString8(QStringLiteral("a"))}))}, "", true},
        {"FormatFloat", {"'0.00'", "2.345"}, "2.35"},
        {"FormatFloat", {"'0'", "2.5"}, "2"},
        {"IntToStr", {Variant(qint64(1) << 40)}, "1099511627776"},
        {"FloatToStr", {"0.1"}, "0.1"},
        {"StrToInt", {"'12'"}, "12"},
        {"StrToInt", {"'12x'"}, "", true},
        {"StrToFloat", {"'1.5'"}, "1.5"},
        {"StrToFloat", {"'abc'"}, "", true},
        {"ValidInt", {"'12x'"}, "False"},
        {"ValidInt", {"'$1F'"}, "True"},
        {"ValidFloat", {"'1.5e3'"}, "True"},
        {"ValidDate", {"'31.02.2020'"}, "False"},
        {"ValidDate", {"'29.02.2020'"}, "True"},
        {"EncodeDate", {"2020", "2", "30"}, "", true},
        {"EncodeTime", {"24", "0", "0", "0"}, "", true},
        {"DayOfWeek", {Variant(pgx::format::encodeDate(2024, 6, 2))}, "1"},   // a Sunday
        {"Chr", {"65"}, "A"},
        {"Chr", {"-1"}, "Invalid character code: -1", true},
        {"Ord", {"'A'"}, "65"},
        {"Ord", {"''"}, "Ord of an empty string", true},
        {"VarToStr", {Variant::null()}, ""},
        {"VarType", {"'a'"}, "256"},
        {"VarType", {"1.5"}, "5"},
        {"RaiseException", {"'boom'"}, "boom", true},
        {"VarArrayCreate", {Variant(array({5, 1})), "12"}, "", true},
        {"VarArrayCreate", {Variant(array({0})), "12"}, "", true},
        {"VarArrayCreate", {Variant(array({0, 2000000000})), "12"}, "", true},
        {"CreateOleObject", {"'Word.Application'"}, "", true},
    };
    LibraryScript s;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fn);
        QString result;
        QString error
            = errorOf([&] { result = s.call(QString::fromLatin1(c.fn), c.args).toString(); });
        if (c.raises) {
            EXPECT_FALSE(error.isEmpty()) << qPrintable(result);
            if (!c.expected.isEmpty()) {
                EXPECT_EQ(error, c.expected);
            }
        } else {
            EXPECT_EQ(error, QString());
            EXPECT_EQ(result, c.expected);
        }
    }
}

TEST(SysFunctions, IntReturnsAFloatAndRoundAnInteger)
{
    LibraryScript s;
    EXPECT_EQ(s.call(QStringLiteral("Int"), {"2.7"}).type(), varDouble);
    EXPECT_EQ(s.call(QStringLiteral("Round"), {"2.7"}).type(), varInteger);
}

// By-reference parameters reach the caller's variables; parameters left
// out take their defaults on every call, not the previous argument.
TEST(SysFunctions, WriteBackAndDefaults)
{
    LibraryScript s;
    TkxScript &p = s.script;
    p.addVariable(QStringLiteral("i"), TkxKind::Integer, QStringLiteral("Integer"), Variant(5));
    p.addVariable(QStringLiteral("v"), TkxKind::Variant, QStringLiteral("Variant"), Variant(1.5));
    p.addVariable(QStringLiteral("t"), TkxKind::String, QStringLiteral("String"),
                  Variant::fromString8(QStringLiteral("abcdef")));
    p.addVariable(QStringLiteral("y"), TkxKind::Integer, QStringLiteral("Integer"), Variant(0));
    p.addVariable(QStringLiteral("m"), TkxKind::Integer, QStringLiteral("Integer"), Variant(0));
    p.addVariable(QStringLiteral("d"), TkxKind::Integer, QStringLiteral("Integer"), Variant(0));

    s.call(QStringLiteral("Inc"), {"i"});
    EXPECT_EQ(p.find(QStringLiteral("i"))->value.toInt64(), 6);
    s.call(QStringLiteral("Inc"), {"i", "10"});
    EXPECT_EQ(p.find(QStringLiteral("i"))->value.toInt64(), 16);
    s.call(QStringLiteral("Inc"), {"i"});   // the 10 is not remembered
    EXPECT_EQ(p.find(QStringLiteral("i"))->value.toInt64(), 17);
    s.call(QStringLiteral("Dec"), {"i", "7"});
    EXPECT_EQ(p.find(QStringLiteral("i"))->value.toInt64(), 10);
    s.call(QStringLiteral("Inc"), {"v", "2"});
    EXPECT_DOUBLE_EQ(p.find(QStringLiteral("v"))->value.toDouble(), 3.5);

    s.call(QStringLiteral("Delete"), {"t", "2", "3"});
    EXPECT_EQ(p.find(QStringLiteral("t"))->value.toString(), QStringLiteral("aef"));
    s.call(QStringLiteral("Insert"), {"'XY'", "t", "2"});
    EXPECT_EQ(p.find(QStringLiteral("t"))->value.toString(), QStringLiteral("aXYef"));
    s.call(QStringLiteral("Insert"), {"'!'", "t", "99"});
    EXPECT_EQ(p.find(QStringLiteral("t"))->value.toString(), QStringLiteral("aXYef!"));
    s.call(QStringLiteral("SetLength"), {"t", "2"});
    EXPECT_EQ(p.find(QStringLiteral("t"))->value.toString(), QStringLiteral("aX"));
    EXPECT_EQ(errorOf([&] {
                  s.call(QStringLiteral("SetLength"), {"i", "2"});
              }),
              QStringLiteral("SetLength needs a string or an array"));

    s.call(QStringLiteral("DecodeDate"),
           {Variant(pgx::format::encodeDate(2021, 3, 14)), "y", "m", "d"});
    EXPECT_EQ(p.find(QStringLiteral("y"))->value.toInt64(), 2021);
    EXPECT_EQ(p.find(QStringLiteral("m"))->value.toInt64(), 3);
    EXPECT_EQ(p.find(QStringLiteral("d"))->value.toInt64(), 14);
}

TEST(SysFunctions, SetLengthResizesArrays)
{
    LibraryScript s;
    s.script.addVariable(QStringLiteral("a"), TkxKind::Variant, QStringLiteral("Variant"),
                         Variant::arrayOf({Variant(1), Variant(2)}));
    s.call(QStringLiteral("SetLength"), {"a", "5"});
    const Variant a = s.script.find(QStringLiteral("a"))->value;
    EXPECT_EQ(a.arrayBound(0).high, 4);
    EXPECT_EQ(a.arrayElement(std::array<qint64, 1>{1}.data(), 1)->toInt64(), 2);
    EXPECT_FALSE(errorOf([&] { s.call(QStringLiteral("SetLength"), {"a", "-1"}); }).isEmpty());
}

TEST(SysFunctions, ConstantsTypesAndEnumerations)
{
    LibraryScript s;
    const struct
    {
        const char *name;
        qint64 value;
    } constants[] = {
        {"varString", 256}, {"varArray", 8192},  {"varByRef", 16384},
        {"varStrArg", 72},  {"fmCreate", 65535}, {"soFromEnd", 2},
        {"dupError", 2},    {"poLandscape", 1},  {"nil", 0},
    };
    for (const auto &c : constants) {
        TkxCustomVariable *v = s.script.find(QString::fromLatin1(c.name));
        ASSERT_NE(v, nullptr) << c.name;
        EXPECT_TRUE(v->readOnly) << c.name;
        EXPECT_EQ(v->value.toInt64(), c.value) << c.name;
    }
    const struct
    {
        const char *type;
        TkxKind kind;
    } types[] = {
        {"TColor", TkxKind::Integer},    {"TDateTime", TkxKind::Float},
        {"Char", TkxKind::Char},         {"Pointer", TkxKind::Variant},
        {"Array", TkxKind::Array},       {"Constructor", TkxKind::Constructor},
        {"TStringList", TkxKind::Class}, {"TDuplicates", TkxKind::Enumeration},
    };
    for (const auto &t : types)
        EXPECT_EQ(kindOfType(s.script, QString::fromLatin1(t.type)), t.kind) << t.type;
    EXPECT_TRUE(s.script.find(QStringLiteral("Null"))->value.isNull());
    EXPECT_NE(dynamic_cast<TkxStringHelper *>(s.script.find(QStringLiteral("__StringHelper"))),
              nullptr);
    EXPECT_EQ(s.script.find(QStringLiteral("__ArrayHelper"))->paramCount(), 3);
}

TEST(SysFunctions, RandomStaysInRange)
{
    LibraryScript s;
    s.call(QStringLiteral("Randomize"));
    for (int i = 0; i < 200; ++i) {
        const double r = s.call(QStringLiteral("Random")).toDouble();
        EXPECT_GE(r, 0.0);
        EXPECT_LT(r, 1.0);
    }
}

}   // namespace
