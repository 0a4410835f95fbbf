// An assignment runs in one of several shapes chosen when it is built
// (plain store, string append, integer step, in-place add, compound form,
// through the designator). Each must give what the general evaluation of
// its expression gives: `r := E` into another variable evaluates E through
// the operator nodes, `v := E` (or `v op= E`) takes the shape under test.

#include "AnalyserTestUtil.h"

#include "script/value/ScriptError.h"

#include <gtest/gtest.h>

namespace pgx::script::test {
namespace {

struct ShapeCase
{
    QString language;
    const char *type;                  // of v and r; BasicScript and JScript ignore it
    const char *init;                  // v's value before the statement
    const char *expr;                  // E, in terms of v
    const char *statement = nullptr;   // the statement on v, when not v := E
};

QString programFor(const ShapeCase &c)
{
    const QString init = QString::fromUtf8(c.init), e = QString::fromUtf8(c.expr);
    const QString type = QString::fromUtf8(c.type);
    if (c.language == kP) {
        const QString statement
            = c.statement ? QString::fromUtf8(c.statement) : QStringLiteral("v := ") + e;
        return QStringLiteral("var v, r: %1;\nbegin\n  v := %2;\n  r := %3;\n  %4;\nend.")
            .arg(type, init, e, statement);
    }
    const QString statement
        = c.statement ? QString::fromUtf8(c.statement) : QStringLiteral("v = ") + e;
    if (c.language == kB)
        return QStringLiteral("dim v, r\nv = %1\nr = %2\n%3").arg(init, e, statement);
    if (c.language == kC)
        return QStringLiteral("%1 v, r;\n{\n  v = %2;\n  r = %3;\n  %4;\n}")
            .arg(type, init, e, statement);
    return QStringLiteral("var v, r;\nv = %1;\nr = %2;\n%3;").arg(init, e, statement);
}

TEST(AssignmentShape, EveryShapeGivesTheGeneralValueAndType)
{
    const ShapeCase cases[] = {
        // Integer steps, also across 32 and 64 bits.
        {kP, "Integer", "7", "v + 1"},
        {kP, "Integer", "7", "v - 10"},
        {kP, "Integer", "7", "2 + v"},
        {kP, "Integer", "2147483647", "v + 1"},
        {kP, "Integer", "-2147483648", "v - 1"},
        {kB, "", "9223372036854775807", "v + 1"},
        {kB, "", "-9223372036854775807", "v - 2"},
        {kB, "", "3000000000", "v - 2999999999"},
        // Steps whose values are not integers leave the shortcut.
        {kP, "Double", "1.5", "v + 1"},
        {kP, "Double", "1.5", "v - 0.25"},
        {kP, "Variant", "'5'", "v + 1"},
        {kB, "", "Null", "v + 1"},
        // In-place additions of a computed operand.
        {kP, "Integer", "7", "v + v * 2"},
        {kP, "Integer", "2147483647", "v + v"},
        {kP, "Variant", "'ab'", "v + v"},
        // The other compound forms.
        {kP, "Integer", "7", "v * 3"},
        {kP, "Variant", "7", "v / 2"},
        {kP, "Integer", "7", "v - v * 2"},
        {kP, "Integer", "65536", "v * 65536"},
        {kP, "Currency", "2.5", "v * 3"},
        {kJ, "", "10", "v - 4", "v -= 4"},
        {kJ, "", "10", "v * 4", "v *= 4"},
        {kJ, "", "10", "v / 4", "v /= 4"},
        {kC, "int", "10", "v + 4", "v += 4"},
        // Strings: in place while the text is not shared.
        {kP, "Variant", "'ab'", "v + 'c'"},
        {kP, "String", "'ab'", "v + 'c'"},
        {kP, "String", "'ab'", "v + v"},
        {kC, "string", "\"ab\"", "v + \"c\"", "v += \"c\""},
        {kJ, "", "\"ab\"", "v + \"c\"", "v += \"c\""},
        {kB, "", "\"ab\"", "v & \"c\""},
        {kB, "", "\"ab\"", "v & v"},
        {kB, "", "\"ab\"", "v & 1"},
        {kB, "", "5", "v & 1"},
        // Not rewritten: the variable is not the left operand.
        {kP, "Integer", "7", "5 - v"},
        {kP, "String", "'ab'", "'c' + v"},
    };
    for (const ShapeCase &c : cases) {
        const QString text = programFor(c);
        SCOPED_TRACE(qPrintable(c.language + QStringLiteral(": ") + text));
        auto script = compileScript(c.language, text);
        ASSERT_TRUE(script->errorMessage.isEmpty()) << qPrintable(script->errorMessage);
        try {
            script->execute();
        } catch (const ScriptError &e) {
            ADD_FAILURE() << e.what();
            continue;
        }
        const Variant &v = script->find(QStringLiteral("v"))->value;
        const Variant &r = script->find(QStringLiteral("r"))->value;
        EXPECT_EQ(valueText(v).toStdString(), valueText(r).toStdString());
        EXPECT_EQ(Variant::typeName(v.type()).toStdString(),
                  Variant::typeName(r.type()).toStdString());
    }
}

TEST(AssignmentShape, SharedValuesAndElementsKeepTheirMeaning)
{
    const RunCase cases[] = {
        // A string appended in place leaves its copies alone.
        {kP, "var s, t: String;\nbegin s := 'ab'; t := s; s := s + 'c'; end.", "t", "ab"},
        {kP, "var s, t: Variant;\nbegin s := 'ab'; t := s; s := s + 'c'; end.", "t", "ab"},
        {kB, "s = \"ab\"\nt = s\ns = s & \"c\"", "t", "ab"},
        {kB, "s = \"ab\"\nt = s\ns = s & \"c\"", "s", "abc"},
        // Built up piece by piece, in a loop.
        {kB, "s = \"\"\nfor i = 1 to 5\n  s = s & i\nnext", "s", "12345"},
        {kJ, "var s = \"\", i; for (i = 0; i < 3; i++) s += \"ab\";", "s", "ababab"},
        // Targets that are not one plain variable go through the designator.
        {kP,
         "var a: array[0..2] of Integer; x: Integer;\nbegin a[1] := 2; a[1] := a[1] + 5; x := "
         "a[1]; end.",
         "x", "7"},
        {kP,
         "var a: array[0..2] of Variant; x: Variant;\nbegin a[0] := 'p'; a[0] := a[0] + 'q'; x := "
         "a[0]; end.",
         "x", "pq"},
        {kJ, "var a = [1, 2], x; a[1] *= 5; x = a[1];", "x", "10"},
        // A compound form whose operand is a concatenation of the variable
        // keeps its operation.
        {kB, "s = \"x\"\ns = s + (s & \"a\")", "s", "xxa"},
        // A compound form raises as its operator does.
        {kP, "var x: Double;\nbegin\n  x := 4;\n  x := x / 0;\nend.", "x",
         "error: Floating point division by zero at 4:3"},
    };
    expectRunValues(cases);
}

}   // namespace
}   // namespace pgx::script::test
