// Expressions as the analyser builds them from script text: operator
// priorities, the kind each expression gets, the checks made when it is
// built, short-circuit evaluation, "in" and "is", and the rewrite of
// "x := x op y" into a compound assignment.

#include "script/analyser/AnalyserTestUtil.h"

#include "script/runtime/Expression.h"
#include "script/value/ScriptError.h"
#include "script/value/VariantOps.h"

#include <gtest/gtest.h>

#include <QtCore/QRegularExpression>

namespace pgx::script::test {
namespace {

TEST(OperatorTable, CodesAndPriorities)
{
    // Every class maps its text back to itself; "strcat" shares "+"'s code.
    for (const TkxOperatorInfo &info : kTkxOperators) {
        TkxOperator op;
        ASSERT_TRUE(operatorFromText(QString::fromLatin1(info.text), &op)) << info.className;
        EXPECT_EQ(op, info.op) << info.className;
        auto node = createOperatorNode(info.op);
        EXPECT_EQ(node->code(), info.code);
        EXPECT_EQ(node->priority(), info.priority);
    }
    TkxOperator op;
    EXPECT_TRUE(operatorFromText(QStringLiteral("DIV"), &op));
    EXPECT_EQ(op, TkxOperator::DivInt);
    EXPECT_EQ(operatorInfo(TkxOperator::StrCat).code, operatorInfo(TkxOperator::Plus).code);
    EXPECT_FALSE(operatorFromText(QStringLiteral("=="), &op));
}

// A program around one expression: a and b are Integers 1 and 2, v and w
// Variants holding 5 and '1', r the Variant that takes the value and probe
// an array,
// which takes nothing but arrays and variants: assigning to it makes the
// analyser name the expression's kind.
struct Language
{
    QString name;
    const char *head;     // declarations and start, with a, b, v set
    const char *assign;   // "%1 := %2": target, expression
    const char *tail;
};

const Language kPascal{kP,
                       "var a, b: Integer; v, w, r: Variant; probe: array[0..0] of Integer;\n"
                       "begin a := 1; b := 2; v := 5; w := '1';\n",
                       "%1 := %2;\n", "end."};
// Basic has no typed scalars: a, b and v are variants here.
const Language kBasic{kB, "dim r, probe[1]\na = 1\nb = 2\nv = 5\n", "%1 = %2\n", ""};

QString program(const Language &language, const QString &target, const QString &expression)
{
    return QString::fromLatin1(language.head)
        + QString::fromLatin1(language.assign).arg(target, expression)
        + QString::fromLatin1(language.tail);
}

// The expression's value as r holds it after the run.
Variant valueOf(const Language &language, const QString &expression)
{
    auto script = compileScript(language.name, program(language, QStringLiteral("r"), expression));
    if (!script->errorMessage.isEmpty())
        return Variant::fromString8(QStringLiteral("compile error: ") + script->errorMessage);
    script->execute();
    return script->find(QStringLiteral("r"))->value;
}

// The kind's type text ("Integer", "Extended", "String", "Boolean"), or
// "Variant" when the probe takes the expression.
QString kindOf(const Language &language, const QString &expression)
{
    const QString error
        = compileError(language.name, program(language, QStringLiteral("probe"), expression));
    if (error.isEmpty())
        return QStringLiteral("Variant");
    static const QRegularExpression kIncompatible(
        QStringLiteral("^Incompatible types: '[^']*', '([^']*)' at "));
    const QRegularExpressionMatch match = kIncompatible.match(error);
    return match.hasMatch() ? match.captured(1) : error;
}

TEST(Expression, EvaluatesWithTheLanguagesPrecedence)
{
    const struct
    {
        const Language &language;
        const char *text;
        Variant expected;
        VarType type;
        const char *kind;
    } rows[] = {
        {kPascal, "2 + 3 * 4", Variant(14), varInteger, "Integer"},
        {kPascal, "(2 + 3) * 4", Variant(20), varInteger, "Integer"},
        {kPascal, "10 - 4 - 3", Variant(3), varInteger, "Integer"},
        {kPascal, "-2 * 3", Variant(-6), varInteger, "Integer"},
        {kPascal, "10 - 2 * 3 - 1", Variant(3), varInteger, "Integer"},
        {kPascal, "2 * 3 + 4 * 5", Variant(26), varInteger, "Integer"},
        {kPascal, "((1 + 2))", Variant(3), varInteger, "Integer"},
        {kPascal, "2 * (3 + (4 - 1) * 2)", Variant(18), varInteger, "Integer"},
        {kPascal, "7 / 2", Variant(3.5), varDouble, "Extended"},
        {kPascal, "7 div 2", Variant(3), varInteger, "Integer"},
        {kPascal, "7 mod 2", Variant(1), varInteger, "Integer"},
        {kPascal, "1 + 2.5", Variant(3.5), varDouble, "Extended"},
        {kPascal, "w + 2", Variant(3.0), varDouble, "Variant"},   // a string that reads as a number
        {kPascal, "'a' + 'b'", Variant::fromString8(QStringLiteral("ab")), varString, "String"},
        {kBasic, "\"a\" & v", Variant::fromString8(QStringLiteral("a5")), varString, "String"},
        {kBasic, "1 & 2", Variant(3), varInteger, "Integer"},   // "&" adds what are not strings
        {kPascal, "1 + 2 < 4", Variant(true), varBoolean, "Boolean"},
        {kPascal, "1 shl 4 + 1", Variant(17), varInteger, "Integer"},
        {kPascal, "not 5 = 1", Variant(false), varBoolean, "Boolean"},   // (not 5) = 1
        {kPascal, "not (5 = 1)", Variant(true), varBoolean, "Boolean"},
        {kPascal, "a + b * v", Variant(11), varInteger, "Integer"},
        {kPascal, "v div 2", Variant(2), varInteger, "Variant"},
        {kPascal, "a <> b", Variant(true), varBoolean, "Boolean"},
        {kPascal, "-(-3)", Variant(3), varInteger, "Integer"},
        {kPascal, "2 * (3 + 4) * 5", Variant(70), varInteger, "Integer"},
        {kPascal, "-(2 + 3)", Variant(-5), varInteger, "Integer"},
        {kPascal, "(-2) * 3", Variant(-6), varInteger, "Integer"},
        {kPascal, "8 div (2) div 2", Variant(2), varInteger, "Integer"},
        {kPascal, "not (not True)", Variant(true), varBoolean, "Boolean"},
        {kPascal, "1 < 2 = True", Variant(true), varBoolean, "Boolean"},   // (1 < 2) = True
        {kPascal, "a - b - a", Variant(-2), varInteger, "Integer"},
    };
    for (const auto &r : rows) {
        const QString text = QString::fromLatin1(r.text);
        const Variant v = valueOf(r.language, text);
        EXPECT_TRUE(v.type() == r.type && vop::equals(v, r.expected))
            << r.text << " gave " << v.toString().toStdString();
        EXPECT_EQ(kindOf(r.language, text).toStdString(), r.kind) << r.text;
    }
}

TEST(Expression, CLikeAndOrBindTighterThanComparisons)
{
    // JScript "a == 1 && b == 2" arrives as "a = 1 and b = 2" and groups as
    // (a = (1 and b)) = 2: with typed operands the analyser refuses the
    // outer "=" (a Boolean against 2), with variants it is False where the
    // text reads True; with brackets it means what it says.
    const RunCase cases[] = {
        {kJ, "var a = 1, b = 2, r;\nr = a == 1 && b == 2;", "r",
         "error: Incompatible types at 2:19"},
        {kJ, "var a, b, one, two, r;\na = 1; b = 2; one = 1; two = 2;\nr = a == one && b == two;",
         "r", "False"},
        {kJ, "var a, b, r;\na = 1; b = 2;\nr = (a == 1) && (b == 2);", "r", "True"},
        {kJ, "var a, b, r;\na = 1; b = 3;\nr = a == (1 && b);", "r", "True"},   // 1 and 3 is 1
    };
    expectRunValues(cases);
}

TEST(Expression, IncompatibleKindsAreFoundWhenBuilt)
{
    // The error stands just after the first operator that cannot take its
    // operands, found bottom-up; `op` marks which one (its first
    // occurrence), empty when the expression is fine.
    static constexpr const char *kJoinHint
        = "convert the number with IntToStr() to join it to a string";
    const QString head = QStringLiteral(
        "var flag: Boolean; text: String; arr: array[0..1] of Integer; r: Variant;\nbegin r := ");
    const struct
    {
        const char *text;
        const char *op;
        const char *hint = "";   // after the keyed text
    } rows[] = {
        {"flag + 1", "+"},                           // booleans allow only logic and equality
        {"True + 1", "+"},  {"text - 1", "-"},       // strings allow comparisons, + and in
        {"text * 2", "*"},  {"1 + flag", "+"},       // integer <- boolean
        {"arr + 1", "+"},   {"1 + 2 * flag", "*"},   // the first failing operator, bottom-up
        {"-flag", "-"},     {"1 + 1", ""},
        {"text + 1", "+", kJoinHint},   // string <- integer
        {"'1' + 2", "+", kJoinHint},    // a constant string too
        {"text = 'a'", ""}, {"flag and not flag", ""},
        {"arr = arr", ""},
    };
    for (const auto &r : rows) {
        const QString text = QString::fromLatin1(r.text);
        QString expected;
        if (*r.op) {
            const qsizetype column = head.size() - head.lastIndexOf(u'\n')
                + text.indexOf(QLatin1StringView(r.op)) + qsizetype(qstrlen(r.op));
            expected = QStringLiteral("Incompatible types%1 at 2:%2")
                           .arg(*r.hint ? QStringLiteral(": ") + QLatin1String(r.hint) : QString())
                           .arg(column);
        }
        EXPECT_EQ(compileError(kP, head + text + QStringLiteral("; end.")).toStdString(),
                  expected.toStdString())
            << r.text;
    }
}

TEST(Expression, ShortCircuitOnlyBetweenBooleans)
{
    // fb and fv count their calls; a variant operand has both sides evaluated.
    const QString functions
        = QStringLiteral("var reads: Integer; r: Variant;\n"
                         "function fb: Boolean; begin reads := reads + 1; Result := True; end;\n"
                         "function fv: Variant; begin reads := reads + 1; Result := True; end;\n");
    const struct
    {
        const char *text;
        const char *value;
        const char *reads;
    } rows[] = {
        {"False and fb", "False", "0"},
        {"True or fb", "True", "0"},
        {"True and fb", "True", "1"},
        {"False and fv", "False", "1"},
    };
    for (const auto &r : rows) {
        const QString text = functions
            + QStringLiteral("begin reads := 0; r := %1; end.").arg(QLatin1StringView(r.text));
        EXPECT_EQ(runAndRead(kP, text, QStringLiteral("r")).toStdString(), r.value) << r.text;
        EXPECT_EQ(runAndRead(kP, text, QStringLiteral("reads")).toStdString(), r.reads) << r.text;
    }
}

TEST(Expression, InOverSetsAndArrays)
{
    // A set between backquotes, an array held by a variant, and an array
    // whose low bound is 1 and that holds a range (element, Null, element):
    // the scan runs from the low bound to the high bound.
    const QString head = QStringLiteral(
        "var x: Integer; r, v, w: Variant; list: array[0..2] of Variant; ranged: array[1..4] of "
        "Variant;\n"
        "begin list[0] := 1; list[1] := 2; list[2] := 3; v := list;\n"
        "ranged[1] := 10; ranged[2] := Null; ranged[3] := 20; ranged[4] := 99; w := ranged;\n");
    const struct
    {
        const char *test;
        int x;
        const char *value;
    } rows[] = {
        {"x in `1, 3..5`", 4, "True"},  {"x in `1, 3..5`", 2, "False"},
        {"x in `1, 3..5`", 1, "True"},  {"x in `1, 3..5`", 5, "True"},
        {"x in `1, 3..5`", 6, "False"}, {"x in `1, 3..5`", 3, "True"},
        {"x in v", 3, "True"},          {"x in v", 4, "False"},
        {"x in w", 15, "True"},         {"x in w", 99, "True"},
        {"x in w", 21, "False"},        {"x in w", 9, "False"},
    };
    for (const auto &r : rows) {
        const QString source
            = QStringLiteral("x := %1; r := %2; end.").arg(r.x).arg(QLatin1StringView(r.test));
        EXPECT_EQ(runAndRead(kP, head + source, QStringLiteral("r")).toStdString(), r.value)
            << r.test << " " << r.x;
    }
    EXPECT_EQ(kindOf(kPascal, QStringLiteral("a in `1, 3..5`")), QStringLiteral("Boolean"));
    const QString notArray = runAndRead(
        kP, QStringLiteral("var x: Integer; r, v: Variant;\nbegin v := 1; r := x in v; end."),
        QStringLiteral("r"));
    EXPECT_TRUE(notArray.startsWith(QLatin1String("error: "))) << notArray.toStdString();
}

TEST(Expression, IsAsksTheClassRegistry)
{
    const char *text
        = "var list: TStringList; other: TObject; yes, no, plain: Boolean;\n"
          "begin list := TStringList.Create; other := TObject.Create;\n"
          "yes := list is TStrings; no := other is TStringList; plain := list is TStringList; end.";
    const RunCase cases[] = {
        {kP, text, "yes", "True"},   // an ancestor counts
        {kP, text, "no", "False"},
        {kP, text, "plain", "True"},
    };
    expectRunValues(cases);
    EXPECT_EQ(kindOf(kPascal, QStringLiteral("v is TStringList")), QStringLiteral("Boolean"));
}

TEST(Expression, CompoundAssignmentKeepsTheMeaning)
{
    // "target := expression" runs as "target op= rest" only where that
    // gives the same value: never with the target on the right of a
    // non-commutative operator, under a deeper left operand, or on a
    // string (or variant) target whose operand order matters.
    const struct
    {
        const char *declaration;   // of x, with its value
        const char *assignment;
        const char *value;
    } rows[] = {
        {"x: Integer = 10", "x := x + 1", "11"},    {"x: Integer = 10", "x := x - 2", "8"},
        {"x: Integer = 10", "x := x * 3", "30"},    {"x: Extended = 10", "x := x / 4", "2.5"},
        {"x: Integer = 10", "x := 5 + x", "15"},    {"x: Integer = 10", "x := 6 * x", "60"},
        {"x: Integer = 10", "x := x - (7)", "3"},   {"x: Integer = 10", "x := 1 - x", "-9"},
        {"x: Integer = 10", "x := x - 1 - 2", "7"}, {"x: String = 'b'", "x := 'a' + x", "ab"},
        {"x: Variant = 'b'", "x := 'a' + x", "ab"}, {"x: Variant = 10", "x := x + 1", "11"},
    };
    for (const auto &r : rows) {
        const QString text
            = QStringLiteral("var %1;\nbegin %2; end.")
                  .arg(QLatin1StringView(r.declaration), QLatin1StringView(r.assignment));
        EXPECT_EQ(runAndRead(kP, text, QStringLiteral("x")).toStdString(), r.value) << r.assignment;
    }
    // Basic's "&" shares "+"'s code but stays a concatenation.
    EXPECT_EQ(runAndRead(kB, QStringLiteral("s = \"a\"\ns = s & 1"), QStringLiteral("s")),
              QStringLiteral("a1"));
}

TEST(Expression, OverlongChainsAreRefusedWhenBuilt)
{
    // A chain is as deep as it is long; evaluating it recurses.
    const auto chain = [](int terms) {
        QString text = QStringLiteral("var r: Variant;\nbegin r := 1");
        for (int i = 1; i < terms; ++i)
            text += QStringLiteral(" + 1");
        return text + QStringLiteral("; end.");
    };
    EXPECT_EQ(runAndRead(kP, chain(1001), QStringLiteral("r")), QStringLiteral("1001"));
    EXPECT_FALSE(compileError(kP, chain(TkxExpression::kMaxNodes + 1)).isEmpty());
}

TEST(Expression, OnlyADesignatorCanBeWrittenThrough)
{
    // A by-reference argument writes back through its expression; one that
    // computes a value has nowhere to write.
    const QString proc
        = QStringLiteral("var x: Integer;\nprocedure setTo7(var n: Integer); begin n := 7; end;\n");
    EXPECT_EQ(
        runAndRead(kP, proc + QStringLiteral("begin x := 1; setTo7(x); end."), QStringLiteral("x")),
        QStringLiteral("7"));
    EXPECT_EQ(runAndRead(kP, proc + QStringLiteral("begin x := 1; setTo7(x + 1); end."),
                         QStringLiteral("x")),
              QStringLiteral("1"));
}

}   // namespace
}   // namespace pgx::script::test
