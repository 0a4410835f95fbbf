// The runtime's short call path (a known procedure called from an
// expression, its body run in place, if statements run inside the list,
// `return E` as one statement) must act as the general call protocol:
// locals come back after a recursive call, `return` leaves at once from any
// depth of statements, defaults are passed on every call, an error keeps
// the position of the statement that raised it and leaves no call state
// behind, and a listening debugger sees every line.

#include "AnalyserTestUtil.h"

#include "script/runtime/Items.h"
#include "script/value/ScriptError.h"

#include <gtest/gtest.h>

namespace pgx::script::test {
namespace {

TEST(CallFastPath, ActsAsTheGeneralCallProtocol)
{
    const RunCase cases[] = {
        // A local set before a recursive call is the caller's again after it.
        {kP,
         "var r: Integer;\nfunction F(n: Integer): Integer;\nvar a: Integer;\nbegin\n  a := n * "
         "10;\n"
         "  if n > 0 then F(n - 1);\n  Result := a;\nend;\nbegin r := F(3); end.",
         "r", "30"},
        {kC,
         "int r;\nint F(int n) { int a = n * 10; if (n > 0) F(n - 1); return a; }\n{ r = F(3); }",
         "r", "30"},
        {kB,
         "function F(n)\n  dim t\n  t = n\n  if n > 0 then\n    F(n - 1)\n    t = t + 100\n  end "
         "if\n"
         "  return t\nend function\nr = F(2)",
         "r", "102"},
        {kJ, "function F(n) { if (n < 2) return n; return F(n - 1) + F(n - 2); }\nr = F(15);", "r",
         "610"},
        // Both branches of if, each a single statement and a list.
        {kP,
         "var r: Integer;\nfunction F(n: Integer): Integer;\nbegin\n  if n < 2 then Result := n\n"
         "  else Result := F(n - 1) + F(n - 2);\nend;\nbegin r := F(15); end.",
         "r", "610"},
        {kP,
         "var r: Integer;\nfunction F(n: Integer): Integer;\nbegin\n  if n < 2 then begin Result "
         ":= n; Exit; end\n"
         "  else begin Result := F(n - 1); Result := Result + F(n - 2); end;\nend;\nbegin r := "
         "F(15); end.",
         "r", "610"},
        // `return` leaves from inside a loop and a nested block, and nothing
        // after it runs, whatever form its assignment takes.
        {kJ,
         "function F(n) { var i; for (i = 0; i < 10; i++) { if (i == n) return i * 2; } return -1; "
         "}\n"
         "r = F(3); s = F(20);",
         "r", "6"},
        {kJ,
         "function F(n) { var i; for (i = 0; i < 10; i++) { if (i == n) return i * 2; } return -1; "
         "}\n"
         "r = F(3); s = F(20);",
         "s", "-1"},
        {kJ, "function F(n) { Result = 5; return Result + n; Result = 0; }\nr = F(1);", "r", "6"},
        {kC, "int g;\nvoid P() { g = 1; return; g = 2; }\n{ P(); }", "g", "1"},
        {kB,
         "function F(n)\n  if n > 0 then\n    if n > 5 then\n      return \"big\"\n    end if\n    "
         "return \"small\"\n"
         "  end if\n  return \"none\"\nend function\nr = F(7) & F(1) & F(0)",
         "r", "bigsmallnone"},
        // A default parameter takes its default on every recursive call.
        {kP,
         "var r: Integer;\nfunction F(n: Integer; d: Integer = 2): Integer;\nbegin\n"
         "  if n = 0 then Result := d else Result := F(n - 1) + d;\nend;\nbegin r := F(3); end.",
         "r", "8"},
        // Errors carry the position of the statement inside the branch or
        // the return that raised them.
        {kP, "var i, z: Integer;\nbegin z := 0;\n  if z = 0 then\n    i := 1 div z;\nend.", "i",
         "error: Division by zero at 4:5"},
        {kP,
         "var i, z: Integer;\nbegin z := 0;\n  if z <> 0 then i := 1 else\n    i := 1 div z;\nend.",
         "i", "error: Division by zero at 4:5"},
        {kJ, "function F(n) {\n  if (n < 2) return 10 % (n - 1);\n  return F(n - 1);\n}\nr = F(5);",
         "r", "error: Division by zero at 2:14"},
        // An error deep in a recursion leaves every local and call state as
        // it was: the same function runs correctly afterwards.
        {kP,
         "var r, s: Integer;\nfunction F(n, z: Integer): Integer;\nvar a: Integer;\nbegin\n  a := "
         "n;\n"
         "  if n = 0 then Result := 10 div z else Result := F(n - 1, z) + a;\nend;\n"
         "begin\n  try r := F(3, 0); except r := -1; end;\n  s := F(3, 1);\nend.",
         "r", "-1"},
        {kP,
         "var r, s: Integer;\nfunction F(n, z: Integer): Integer;\nvar a: Integer;\nbegin\n  a := "
         "n;\n"
         "  if n = 0 then Result := 10 div z else Result := F(n - 1, z) + a;\nend;\n"
         "begin\n  try r := F(3, 0); except r := -1; end;\n  s := F(3, 1);\nend.",
         "s", "16"},
    };
    expectRunValues(cases);
}

// A debugger hears each line as it runs, `return` included, in the order
// the statements run.
TEST(CallFastPath, DebuggerSeesEveryLineOfACall)
{
    auto script = compileScript(kJ,
                                QStringLiteral("function F(n) {\n  if (n < 2)\n    return n;\n"
                                               "  return F(n - 1) + 1;\n}\nr = F(2);"));
    ASSERT_TRUE(script->errorMessage.isEmpty()) << qPrintable(script->errorMessage);
    QStringList lines;
    script->setOnRunLine([&lines](TkxScript *, const QString &, const QString &pos) {
        lines << pos.section(u':', 0, 0);
    });
    script->execute();
    EXPECT_EQ(script->find(QStringLiteral("r"))->value.toString(), QStringLiteral("2"));
    // F(2): if, return (its assignment and its exit); F(1): if, return.
    EXPECT_EQ(lines.join(u' ').toStdString(), "6 2 4 2 3 3 4");
}

}   // namespace
}   // namespace pgx::script::test
