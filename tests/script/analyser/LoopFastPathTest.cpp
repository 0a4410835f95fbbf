// The runtime's integer shortcuts in loop headers, compound assignments and
// conditions must give the values and value types of the general variant
// arithmetic: at the 32-bit edge (Integer grows into Int64), with steps of
// either sign read from variables, and with values that are not integers
// (which leave the shortcut). A listening debugger still sees every step.

#include "AnalyserTestUtil.h"

#include "script/runtime/Items.h"
#include "script/value/ScriptError.h"

#include <gtest/gtest.h>

namespace pgx::script::test {
namespace {

struct TypedCase
{
    QString language;
    const char *text;
    const char *global;
    const char *value;
    const char *type;   // Variant::typeName of the global's value
};

TEST(LoopFastPath, ValuesAndTypesAsTheVariantArithmetic)
{
    const TypedCase cases[] = {
        // i++ across 2^31: Integer until it no longer fits.
        {kJ, "var i, n = 0; for (i = 2147483645; i <= 2147483649; i++) n++;", "i", "2147483650",
         "Int64"},
        {kJ, "var i, n = 0; for (i = 2147483645; i <= 2147483649; i++) n++;", "n", "5", "Integer"},
        {kJ, "var i, n = 0; for (i = 2147483645; i <= 2147483646; i++) n++;", "i", "2147483647",
         "Integer"},
        // A step read from a variable, downwards.
        {kJ, "var i, s = 0, k = 3; for (i = 10; i > 0; i -= k) s += i;", "s", "22", "Integer"},
        {kJ, "var i, s = 0, k = 3; for (i = 10; i > 0; i -= k) s += i;", "i", "-2", "Integer"},
        {kC, "int i, s;\n{ s = 0; for (i = 10; i >= 1; i--) s += i; }", "s", "55", "Integer"},
        // Values that are not integers take the general path.
        {kJ, "var x, n = 0; for (x = 0.5; x < 3; x++) n++;", "x", "3.5", "Double"},
        {kJ, "var x, n = 0; for (x = 0.5; x < 3; x++) n++;", "n", "3", "Integer"},
        {kJ, "var s, n = 0; for (s = \"a\"; s < \"aaa\"; s = s + \"a\") n++;", "n", "2", "Integer"},
        {kJ, "var s = \"ab\"; s += \"c\";", "s", "abc", "String"},
        // Compound assignments at the 32-bit edge, and Int64 stays Int64.
        {kB, "s = 2147483647\ns = s + 1", "s", "2147483648", "Int64"},
        {kB, "s = -2147483648\ns = s - 1", "s", "-2147483649", "Int64"},
        {kJ, "var a = 3000000000, b = 0; while (b < a) b += 1000000000;", "b", "3000000000",
         "Int64"},
        {kP, "var s, i: Integer;\nbegin s := 0; for i := 1 to 4 do s := s - i; end.", "s", "-10",
         "Integer"},
        // BasicScript's for: the variable keeps the last value it took.
        {kB, "n = 0\nfor i = 2147483646 to 2147483649\n  n = n + 1\nnext", "i", "2147483649",
         "Int64"},
        {kB, "n = 0\nfor i = 2147483646 to 2147483649\n  n = n + 1\nnext", "n", "4", "Integer"},
        {kB, "s = 0\nfor i = 10 to 1 step -3\n  s = s + i\nnext", "s", "22", "Integer"},
        {kB, "s = 0\nfor i = 10 to 1 step -3\n  s = s + i\nnext", "i", "1", "Integer"},
        {kB, "n = 0\nfor i = 1 to 2 step 0.5\n  n = n + 1\nnext", "i", "2", "Double"},
        {kB, "n = 0\nfor i = 1 to 0\n  n = n + 1\nnext", "n", "0", "Integer"},
        // Conditions of if and while compare Integer with Int64 as numbers.
        {kJ, "var r = 0, big = 2147483648; if (1 < big) r = 1;", "r", "1", "Integer"},
        {kJ, "var i = 0; while (i < 5) i++;", "i", "5", "Integer"},
    };
    for (const TypedCase &c : cases) {
        auto script = compileScript(c.language, QString::fromUtf8(c.text));
        ASSERT_TRUE(script->errorMessage.isEmpty())
            << qPrintable(script->errorMessage) << ": " << c.text;
        try {
            script->execute();
        } catch (const ScriptError &e) {
            ADD_FAILURE() << e.what() << ": " << c.text;
            continue;
        }
        TkxCustomVariable *v = script->find(QString::fromUtf8(c.global));
        ASSERT_NE(v, nullptr) << c.text;
        EXPECT_EQ(valueText(v->value).toStdString(), std::string(c.value)) << c.text;
        EXPECT_EQ(Variant::typeName(v->value.type()).toStdString(), std::string(c.type)) << c.text;
    }
}

// With a debugger listening the step statement reports its line on every
// pass, as any statement does.
TEST(LoopFastPath, DebuggerSeesEveryStep)
{
    auto script = compileScript(
        kC,
        QStringLiteral("int i, n;\n{\n  n = 0;\n  for (i = 0; i < 3;\n       i++)\n    n++;\n}"));
    ASSERT_TRUE(script->errorMessage.isEmpty()) << qPrintable(script->errorMessage);
    QStringList lines;
    script->setOnRunLine([&lines](TkxScript *, const QString &, const QString &pos) {
        lines << pos.section(u':', 0, 0);
    });
    script->execute();
    EXPECT_EQ(lines.count(QStringLiteral("5")), 3) << qPrintable(lines.join(u' '));
    EXPECT_EQ(lines.count(QStringLiteral("6")), 3) << qPrintable(lines.join(u' '));
    EXPECT_EQ(script->find(QStringLiteral("i"))->value.toString(), QStringLiteral("3"));
}

}   // namespace
}   // namespace pgx::script::test
