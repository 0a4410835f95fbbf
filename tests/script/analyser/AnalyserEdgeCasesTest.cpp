// The analyser's second stage through the public API: compile errors with
// their keyed messages and positions, and values after a run, in the four
// languages.

#include "AnalyserTestUtil.h"

#include "script/runtime/Statements.h"

#include <gtest/gtest.h>

#include <QtCore/QMap>

namespace pgx::script::test {
namespace {

struct CompileCase
{
    QString language;
    const char *text;
    const char *error;   // "message at line:col", or "" for a clean compile
};

TEST(AnalyserCompile, MessagesAndPositions)
{
    const CompileCase cases[] = {
        // Syntax errors keep the grammar's text and the failing element.
        {kP, "begin a := 1 b := 2 end.", "';' expected at 1:14"},
        {kP, "var a, b: Integer;\nbegin a := 1; b := 2 end.", ""},
        {kP, "var i: Integer;\nbegin case i of 1: i := 2; else i := 3; end; end.", ""},
        {kJ, "x = 1; @", ""},
        {kP, "#language BasicScript\nx = 1\nx += 2", ""},
        // A procedure declared after its caller.
        {kP,
         "procedure A; begin Later(1); end;\nprocedure Later(n: Integer); begin end;\nbegin A; "
         "end.",
         ""},
        {kC, "void A() { Later(1); }\nvoid Later(int n) { }\n{ A(); }", ""},
        {kC, "void A() { Later(1, 2); }\nvoid Later(int n) { }\n{ A(); }",
         "Too many actual parameters at 1:12"},
        // Shadowing is allowed, redeclaring in one scope is not.
        {kP, "var x: Integer;\nprocedure p; var x: String; begin x := 'a'; end;\nbegin end.", ""},
        {kP, "procedure p; var x: Integer; x: String; begin end;\nbegin end.",
         "Identifier redeclared: 'x' at 1:30"},
        {kC, "int x; int x;\n{ }", "Identifier redeclared: 'x' at 1:8"},
        {kB, "dim x\ndim x", "Identifier redeclared: 'x' at 2:5"},
        {kJ, "var x; var x;", "Identifier redeclared: 'x' at 1:12"},
        // Undeclared names: an error only where declarations are required.
        {kC, "{ x = 1; }", "Undeclared identifier: 'x' at 1:3"},
        {kC, "int y;\n{ y = 2 + x; }", "Undeclared identifier: 'x' at 2:11"},
        {kP, "begin x := 1; end.", ""},
        {kB, "x = 1", ""},
        {kJ, "x = 1;", ""},
        // Parameter counts against declarations with defaults.
        {kP,
         "function f(a: Integer; b: Integer = 5): Integer; begin Result := a + b; end;\nbegin f(); "
         "end.",
         "Not enough actual parameters at 2:7"},
        {kP,
         "function f(a: Integer; b: Integer = 5): Integer; begin Result := a + b; end;\nbegin f(1, "
         "2, 3); end.",
         "Too many actual parameters at 2:7"},
        {kC, "int f(int a, int b = 5) { return a + b; }\n{ f(); }",
         "Not enough actual parameters at 2:3"},
        {kB, "function f(a, b = 5)\nreturn a + b\nend function\nf(1, 2, 3)",
         "Too many actual parameters at 4:1"},
        {kJ, "function f(a) { return a; }\nf(1, 2);", "Too many actual parameters at 2:1"},
        // Strings have no members; integers take no index.
        {kP, "var s: String; i: Integer;\nbegin i := s.Length; end.",
         "Strings doesn't have properties or methods at 2:12"},
        {kC, "string s; int i;\n{ i = s.Length; }",
         "Strings doesn't have properties or methods at 2:7"},
        {kP, "var i: Integer;\nbegin i[1] := 2; end.", "Array type required at 2:7"},
        // Assignment compatibility.
        {kP, "var i: Integer;\nbegin i := 1.5; end.",
         "Incompatible types: 'Integer', 'Extended' at 2:7"},
        {kC, "int i;\n{ i = 1 / 2; }", "Incompatible types: 'Integer', 'Extended' at 2:3"},
        {kP, "var i: Integer; s: String;\nbegin i := s; end.",
         "Incompatible types: 'Integer', 'String' at 2:7"},
        {kP, "var i: Integer;\nbegin i := 'a' + 1; end.",
         "Incompatible types: convert the number with IntToStr() to join it to a string at 2:17"},
        // Unknown types, constants, for variables, with, the address operator.
        {kP, "var x: TNoSuchType;\nbegin end.", "Unknown type: 'TNoSuchType' at 1:5"},
        {kC, "widget w;\n{ }", "Unknown type: 'widget' at 1:1"},
        {kP, "const k = 3;\nbegin k := 4; end.", "Left side cannot be assigned to at 2:7"},
        {kP, "const k = 3;\nbegin k; end.", ""},
        {kC, "#define k 3\n{ k++; }", "Left side cannot be assigned to at 2:3"},
        {kP, "var s: String;\nbegin for s := 1 to 2 do ; end.",
         "For loop variable must be numeric variable at 2:7"},
        {kP, "const k = 1;\nbegin for k := 1 to 2 do ; end.",
         "For loop variable must be numeric variable at 2:7"},
        {kP, "var i: Integer;\nbegin with i do i := 1; end.", "Class type required at 2:12"},
        {kP, "var v: Variant;\nbegin with v do begin end; end.", ""},
        {kP, "procedure p; begin end;\nvar s: String;\nbegin s := @p; end.", ""},
        // Array bounds are checked when the declaration is built.
        {kP, "var a: array[5..3] of Integer;\nbegin end.", "Invalid variant array bounds at 1:14"},
        {kC, "int a[0];\n{ }", "Invalid variant array bounds at 1:7"},
        {kJ, "var a[100000000000];",
         "Invalid variant array bounds: an array holds at most 67108864 elements at 1:7"},
        {kB, "dim a[2, 3]\na[1, 2] = 5", ""},
        // Classes of the registry.
        {kP, "var x: TMemIniFile;\nbegin x[1] := 2; end.",
         "Class TMemIniFile does not have a default property at 2:7"},
        {kP, "var l: TStringList;\nbegin l.Strings := 2; end.",
         "Not enough actual parameters at 2:7"},
        {kP, "var l: TStringList;\nbegin l.Strings.Count := 2; end.", "Index required at 2:7"},
        {kC, "int i;\n{ i = new i; }", "Class type required at 2:11"},
        {kC, "int i;\n{ delete i; }", "Class type required at 2:10"},
        {kP, "var l: TStringList;\nbegin l := TStringList.Create; l.Count := 1; end.",
         "Left side cannot be assigned to at 2:32"},
        {kP, "var l: TStringList;\nbegin l.Add(1, 2); end.", "Too many actual parameters at 2:7"},
        // A unit that cannot be found is a compile error at the uses clause.
        {kP, "uses 'no-such-unit.pas';\nbegin end.", "Unit 'no-such-unit.pas' not found at 1:1"},
    };
    for (const CompileCase &c : cases) {
        EXPECT_EQ(compileError(c.language, QString::fromUtf8(c.text)).toStdString(),
                  std::string(c.error))
            << qPrintable(c.language) << ": " << c.text;
    }
}

TEST(AnalyserRun, Values)
{
    const RunCase cases[] = {
        // Defaults fill missing trailing arguments.
        {kP,
         "function f(a: Integer; b: Integer = 5): Integer; begin Result := a + b; end;\nbegin r := "
         "f(1); end.",
         "r", "6"},
        {kC, "int r; int f(int a, int b = 5) { return a + b; }\n{ r = f(1); }", "r", "6"},
        {kB, "function f(a, b = 5)\nreturn a + b\nend function\nr = f(1)", "r", "6"},
        // Undeclared names are global variants, Null until assigned.
        {kP, "begin x := y; end.", "x", "Null"},
        {kJ, "x = y;", "x", "Null"},
        {kB, "x = y", "x", "Null"},
        // Characters of strings, 1-based, read and written.
        {kP, "var s, c: String;\nbegin s := 'hello'; c := s[1]; end.", "c", "h"},
        {kP, "var s: String;\nbegin s := 'hello'; s[5] := 'p'; end.", "s", "hellp"},
        {kJ, "var s = \"abc\", c; c = s[3];", "c", "c"},
        // Procedure values of nested scopes; locals shadow globals.
        {kP,
         "var x: Integer;\nprocedure p; var x: Integer; begin x := 5; end;\nbegin x := 1; p; end.",
         "x", "1"},
        {kJ, "var x = 1; function p() { var x; x = 5; } p();", "x", "1"},
        // By-reference parameters write back.
        {kP,
         "var n: Integer;\nprocedure inc2(var v: Integer); begin v := v + 2; end;\nbegin n := 1; "
         "inc2(n); end.",
         "n", "3"},
        {kC, "int n; void inc2(int &v) { v += 2; }\n{ n = 1; inc2(n); }", "n", "3"},
        {kB, "sub inc2(byref v)\nv = v + 2\nend sub\nn = 1\ninc2(n)", "n", "3"},
        {kJ, "var n = 1; function inc2(&v) { v += 2; } inc2(n);", "n", "3"},
        // Arrays: declared bounds, Pascal ranges and C-like counts.
        {kP, "var a: array[2..4] of Integer;\nbegin a[4] := 7; r := a[4]; end.", "r", "7"},
        {kC, "int a[3]; int r;\n{ a[2] = 7; r = a[2]; }", "r", "7"},
        {kP, "var a: array[1..2] of Integer;\nbegin a[3] := 1; end.", "r",
         "error: Variant or safe array index out of bounds at 2:7"},
        // Constants are evaluated when the program is built.
        {kP, "const k = 2 * 21;\nbegin r := k; end.", "r", "42"},
        {kP, "const s = 'a' + 'b';\nbegin r := s; end.", "r", "ab"},
        // Hexadecimal and large numbers.
        {kP, "begin r := $FF; end.", "r", "255"},
        {kC, "Variant r; { r = 0xFF; }", "r", "255"},
        {kP, "begin r := 3000000000; end.", "r", "3000000000"},
        // Recursion, and exceptions raised in a callee caught by the caller.
        {kP,
         "function f(n: Integer): Integer; begin if n = 0 then Result := 1 else Result := n * f(n "
         "- 1); end;\n"
         "begin r := f(10); end.",
         "r", "3628800"},
        {kJ, "function f(n) { return 1 / n; } try { r = f(0); } except { r = ExceptionMessage; }",
         "r", "Floating point division by zero"},
        // return without a value leaves the procedure.
        {kC, "int r; void p() { r = 1; return; r = 2; }\n{ p(); }", "r", "1"},
        // Strings built in place never change a copy taken before.
        {kP,
         "var s, t: String;\nbegin s := 'ab'; s := s + 'c'; t := s; s := s + 'd'; r := t + '/' + "
         "s; end.",
         "r", "abc/abcd"},
        {kB, "s = \"a\"\ns = s & 1\nt = s\ns = s & \"b\"\nr = t & \"/\" & s", "r", "a1/a1b"},
        {kJ, "var s = \"1\", t; s = s + \"2\"; t = s; s += \"3\"; r = t + s;", "r", "12123"},
        {kC, "string s, t; Variant r; { s = \"x\"; t = s; s = s + s; r = t + s; }", "r", "xxx"},
        // with over an object reaches its members first.
        {kP,
         "var l: TStringList; Count: Integer;\nbegin l := TStringList.Create; with l do begin "
         "Add('a'); Add('b'); r := Count; end; l.Free; end.",
         "r", "2"},
        // Over a variant, names the scopes do not know are taken as members.
        {kJ, "var r, l = new TStringList; with (l) { Add(\"a\"); r = Count; } l.Free();", "r", "1"},
        // An unknown member of an object still Nil at build time is found
        // missing when it is first reached.
        {kP,
         "var l: TStringList;\nbegin l := TStringList.Create; r := 1; l.NoSuchMember := 2; end.",
         "r", "error: Undeclared identifier: 'NoSuchMember' at 2:40"},
        // A member of a variant that is still Null when first reached.
        {kJ, "var v; v.Add(1);", "r", "error: Undeclared identifier: 'Add' at 1:8"},
        // A late member that fails stays late: the next evaluation tries again.
        {kJ,
         "var v, r = 0; for (var i = 0; i < 2; i++) { try { v.Add(\"a\"); } except { r++; v = new "
         "TStringList; } }\n"
         "r = r * 10 + v.Count; v.Free();",
         "r", "11"},
        // The for loop's own declaration is in scope for its condition.
        {kJ, "var r = 0; for (var i = 0; i < 3; i++) r += i;", "r", "3"},
        // A procedure's name passed as a string (event handlers).
        {kP, "procedure OnIt; begin end;\nvar s: String;\nbegin s := @OnIt; r := s; end.", "r",
         "OnIt"},
        // Run-time errors carry the statement's position.
        {kP, "var i: Integer;\nbegin\n  i := 0;\n  i := 1 div i;\nend.", "i",
         "error: Division by zero at 4:3"},
    };
    expectRunValues(cases);
}

TEST(AnalyserRun, ExecutableLinesAreTheStatementLines)
{
    auto script = compileScript(kP,
                                QStringLiteral("var i: Integer;\n"
                                               "begin\n"
                                               "  i := 1;\n"
                                               "\n"
                                               "  if i = 1 then\n"
                                               "    i := 2;\n"
                                               "end."));
    ASSERT_TRUE(script->errorMessage.isEmpty()) << qPrintable(script->errorMessage);
    EXPECT_EQ(script->executableLines(), (QList<int>{3, 5, 6}));
    EXPECT_FALSE(script->isExecutableLine(4));
}

TEST(AnalyserRun, CompoundRewriteKeepsTheOperation)
{
    // V := V + E runs as an in-place addition; V := E + V too; V := E - V
    // keeps its order.
    auto script = compileScript(
        kP,
        QStringLiteral("var a, b, c: Integer;\nbegin a := a + 2; b := 3 + b; c := 5 - c; end."));
    ASSERT_TRUE(script->errorMessage.isEmpty());
    TkxStatement *main = script->mainStatement();
    ASSERT_EQ(main->count(), 3);
    for (int i = 0; i < main->count(); ++i)
        ASSERT_NE(dynamic_cast<TkxAssignmentStmt *>(main->statement(i)), nullptr) << i;
    using Op = TkxAssignmentStmt::Op;
    const auto opOf
        = [&](int i) { return static_cast<TkxAssignmentStmt *>(main->statement(i))->compoundOp(); };
    EXPECT_EQ(opOf(0), Op::Plus);
    EXPECT_EQ(opOf(1), Op::Plus);
    EXPECT_EQ(opOf(2), Op::None);
    script->execute();
    EXPECT_EQ(valueText(script->find(QStringLiteral("c"))->value), QStringLiteral("5"));
}

TEST(AnalyserRun, EvaluateCompilesInTheRunningScope)
{
    auto script = compileScript(kP, QStringLiteral("var x: Integer;\nbegin x := 20; end."));
    ASSERT_TRUE(script->errorMessage.isEmpty());
    script->execute();
    EXPECT_EQ(valueText(script->evaluate(QStringLiteral("x * 2 + 2"))), QStringLiteral("42"));
    EXPECT_EQ(valueText(script->evaluate(QStringLiteral("x +"))), QStringLiteral("';' expected"));
    // BasicScript reads "__f__" as "f__" ("_" continues lines): Evaluate
    // still finds its function.
    auto basic = compileScript(kB, QStringLiteral("x = 20"));
    basic->execute();
    EXPECT_EQ(valueText(basic->evaluate(QStringLiteral("x + 1"))), QStringLiteral("21"));
}

}   // namespace
}   // namespace pgx::script::test

namespace pgx::script::test {
namespace {

// Units come from OnGetUnit; each is built once, its statements run before
// the main program's, and its errors name the unit.
TEST(AnalyserUnits, IncludedOnceAndErrorsNameTheUnit)
{
    ensureScriptEngine();
    QMap<QString, QString> units = {
        {QStringLiteral("a.pas"),
         QStringLiteral("uses 'b.pas';\nvar fromA: Integer;\nprocedure SetA; begin fromA := FromB "
                        "+ 1; end;\nbegin end.")},
        {QStringLiteral("b.pas"),
         QStringLiteral(
             "uses 'a.pas';\nfunction FromB: Integer; begin Result := 41; end;\nbegin end.")},
        {QStringLiteral("bad.pas"), QStringLiteral("var q: Integer;\nbegin q := 'x'; end.")},
    };
    TkxScript script;
    script.onGetUnit
        = [&units](TkxScript *, const QString &name, QString &text) { text = units.value(name); };
    script.setLines(QStringList{QStringLiteral("uses 'a.pas', 'b.pas';"),
                                QStringLiteral("begin SetA; r := fromA; end.")});
    ASSERT_TRUE(script.compile()) << qPrintable(script.errorMessage + QStringLiteral(" at ")
                                                + script.errorPosition);
    script.execute();
    EXPECT_EQ(valueText(script.find(QStringLiteral("r"))->value), QStringLiteral("42"));
    EXPECT_EQ(script.executableLines(), QList<int>{2});
    EXPECT_EQ(script.executableLines(QStringLiteral("a.pas")), QList<int>{3});

    TkxScript bad;
    bad.onGetUnit = script.onGetUnit;
    bad.setLines(QStringList{QStringLiteral("uses 'bad.pas';"), QStringLiteral("begin end.")});
    EXPECT_FALSE(bad.compile());
    EXPECT_EQ(bad.errorMessage, QStringLiteral("Incompatible types: 'Integer', 'String'"));
    EXPECT_EQ(bad.errorPosition, QStringLiteral("2:7"));
    EXPECT_EQ(bad.errorUnit, QStringLiteral("bad.pas"));
}

}   // namespace
}   // namespace pgx::script::test
