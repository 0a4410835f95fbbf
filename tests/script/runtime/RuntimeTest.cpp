// The runtime under programs the analyser builds from script text: calls
// and recursion, loops, exceptions, termination and the debugger's line
// hook; and the item lists, modules and bookkeeping a host uses directly.

#include "script/analyser/AnalyserTestUtil.h"

#include "script/runtime/Designator.h"
#include "script/runtime/Expression.h"
#include "script/runtime/StackLimit.h"
#include "script/runtime/Statements.h"
#include "script/value/ScriptError.h"
#include "script/value/VariantOps.h"

#include <gtest/gtest.h>

namespace pgx::script::test {
namespace {

const QString kInt = QStringLiteral("Integer");
const QString kVar = QStringLiteral("Variant");

Variant args(std::initializer_list<Variant> values)
{
    return Variant::arrayOf(QList<Variant>(values));
}

// A compiled script that must compile.
std::unique_ptr<TkxScript> compiled(const QString &language, const QString &text)
{
    auto script = compileScript(language, text);
    EXPECT_EQ(script->errorMessage, QString()) << script->errorPosition.toStdString() << "\n"
                                               << text.toStdString();
    return script;
}

TEST(Runtime, RecursionKeepsEachActivationsLocals)
{
    // Without saving the locals around the inner call, keep's t would come
    // back 0.
    auto program = compiled(
        kP,
        QStringLiteral("function fact(n: Integer): Integer;\n"
                       "begin if n <= 1 then Result := 1 else Result := n * fact(n - 1) end;\n"
                       "function keep(n: Integer): Integer;\n"
                       "var t: Integer;\n"
                       "begin t := n; if n > 0 then keep(n - 1); Result := t end;\n"
                       "begin end."));
    EXPECT_EQ(program->callFunction(QStringLiteral("fact"), args({Variant(10)})).toInt64(),
              3628800);
    EXPECT_EQ(program->callFunction(QStringLiteral("keep"), args({Variant(3)})).toInt64(), 3);
    EXPECT_FALSE(static_cast<TkxProcVariable *>(program->find(QStringLiteral("keep")))->executing);
}

TEST(Runtime, LocalsComeBackWhenAnInnerCallFails)
{
    // The innermost call divides by zero; the outer activation catches it
    // and must still see its own t.
    auto program = compiled(kP,
                            QStringLiteral("function f(n: Integer): Integer;\n"
                                           "var t: Integer;\n"
                                           "begin\n"
                                           "  t := n;\n"
                                           "  Result := 1 div n;\n"
                                           "  try\n"
                                           "    if n = 1 then f(n - 1);\n"
                                           "  except\n"
                                           "    Result := t * 100;\n"
                                           "  end;\n"
                                           "end;\n"
                                           "begin end."));
    EXPECT_EQ(program->callFunction(QStringLiteral("f"), args({Variant(1)})).toInt64(), 100);
    EXPECT_FALSE(static_cast<TkxProcVariable *>(program->find(QStringLiteral("f")))->executing);
}

TEST(Runtime, RunawayRecursionIsAScriptError)
{
    // A small stack: the recursion meets its end after a few hundred calls.
    stacklimit::setStackBudget(1024 * 1024);
    auto program = compiled(kP,
                            QStringLiteral("procedure loop;\n"
                                           "begin\n"
                                           "  loop;\n"
                                           "end;\n"
                                           "begin\n"
                                           "  loop;\n"
                                           "end."));
    try {
        program->execute();
        ADD_FAILURE() << "no error";
    } catch (const ScriptError &e) {
        EXPECT_EQ(e.className(), QStringLiteral("EStackOverflow"));
        EXPECT_EQ(e.position(), QStringLiteral("3:3"));   // the innermost statement
    }
    // Everything is restored on the way out.
    EXPECT_FALSE(static_cast<TkxProcVariable *>(program->find(QStringLiteral("loop")))->executing);
    EXPECT_FALSE(program->running);
    EXPECT_FALSE(program->mainRun);
    EXPECT_EQ(program->currentScope, nullptr);
    EXPECT_EQ(program->flags, 0);
    stacklimit::setStackBudget(0);
}

TEST(Runtime, ForLoops)
{
    struct Row
    {
        const char *range;
        const char *sum, *count, *last;
    };
    const Row rows[] = {
        {"5 to 1", "0", "0", "-1"},   // no iteration; the variable is untouched
        {"1 to 3", "6", "3", "3"},    // the variable keeps the last value
        {"3 downto 1", "6", "3", "1"},
        {"1 to 1", "1", "1", "1"},
    };
    for (const Row &r : rows) {
        const QString text
            = QStringLiteral("var i, sum, count: Integer;\n"
                             "begin i := -1; sum := 0; count := 0;\n"
                             "for i := %1 do begin sum := sum + i; count := count + 1; end; end.")
                  .arg(QLatin1StringView(r.range));
        auto program = compiled(kP, text);
        program->execute();
        EXPECT_EQ(program->find(QStringLiteral("sum"))->value.toString(), QLatin1StringView(r.sum))
            << r.range;
        EXPECT_EQ(program->find(QStringLiteral("count"))->value.toString(),
                  QLatin1StringView(r.count))
            << r.range;
        EXPECT_EQ(program->find(QStringLiteral("i"))->value.toString(), QLatin1StringView(r.last))
            << r.range;
    }
}

TEST(Runtime, LoopsWithBreakAndContinue)
{
    const RunCase cases[] = {
        {kB, "seen = \"\"\nfor i = 10 to 1 step -3\n  seen = seen & i & \",\"\nnext", "seen",
         "10,7,4,1,"},
        // while with continue and break, then a repeat that runs once.
        {kP,
         "var i, sum: Integer;\n"
         "begin i := 0; sum := 0;\n"
         "while i < 10 do begin i := i + 1; if i mod 2 = 0 then continue; if i > 7 then break; sum "
         ":= sum + i end;\n"
         "repeat sum := sum + 100 until True; end.",
         "sum", "116"},   // 1 + 3 + 5 + 7 + 100
        {kC, "int i, sum;\n{ sum = 0; for (i = 0; i < 5; i = i + 1) sum = sum + 1000; }", "sum",
         "5000"},
        {kC, "int i, sum;\n{ sum = 0; for (i = 0; i < 5; i = i + 1) sum = sum + 1000; }", "i", "5"},
        // A break in the else part of a case ends the enclosing loop.
        {kP,
         "var i, hits: Integer;\n"
         "begin hits := 0;\n"
         "for i := 1 to 10 do case i of 1, 2..3: hits := hits + 1; else break; end; end.",
         "hits", "3"},
        {kP,
         "var i, hits: Integer;\n"
         "begin hits := 0;\n"
         "for i := 1 to 10 do case i of 1, 2..3: hits := hits + 1; else break; end; end.",
         "i", "4"},
    };
    expectRunValues(cases);
}

TEST(Runtime, ExitInsideTryFinallyRunsTheFinallyThenLeaves)
{
    const RunCase cases[] = {
        {kP,
         "var log: String;\n"
         "procedure p;\n"
         "begin\n"
         "  try log := log + 'a'; exit; log := log + 'x';\n"
         "  finally log := log + 'f'; log := log + 'g'; end;\n"
         "  log := log + 'y';\n"
         "end;\n"
         "begin p; log := log + 'z'; end.",
         "log", "afgz"},
    };
    expectRunValues(cases);
}

TEST(Runtime, TryExceptSetsTheExceptionVariables)
{
    const RunCase cases[] = {
        {kP,
         "var msg: String; zero: Integer;\n"
         "begin zero := 0;\n"
         "try msg := IntToStr(1 div zero); except msg := ExceptionClassName + ':' + "
         "ExceptionMessage; end; end.",
         "msg", "EDivByZero:Division by zero"},
        // A conversion error of the variant layer arrives as its own class.
        {kP,
         "var m, v: Variant;\n"
         "begin v := 'abc';\n"
         "try m := v + 1; except m := ExceptionClassName; end; end.",
         "m", "EVariantTypeCastError"},
    };
    expectRunValues(cases);
}

TEST(Runtime, ErrorsCarryTheStatementPosition)
{
    auto program = compiled(kP,
                            QStringLiteral("var x: Extended;\n"
                                           "begin\n"
                                           "  x := 1;\n"
                                           "  if True then\n"
                                           "    x := x / 0;\n"
                                           "end."));
    try {
        program->execute();
        ADD_FAILURE() << "no error";
    } catch (const ScriptError &e) {
        EXPECT_EQ(e.position(), QStringLiteral("5:5"));
        EXPECT_EQ(e.message(), QStringLiteral("Floating point division by zero"));
        EXPECT_STREQ(e.what(), "5:5: Floating point division by zero");
    }
}

TEST(Runtime, TerminateStopsTheRunButFinallyListsStillRun)
{
    auto program = compiled(kP,
                            QStringLiteral("var log: String;\n"
                                           "begin\n"
                                           "  try\n"
                                           "    log := log + 'a';\n"
                                           "    log := log + 'b';\n"
                                           "  finally\n"
                                           "    log := log + 'f';\n"
                                           "  end;\n"
                                           "  log := log + 'z';\n"
                                           "end."));
    QStringList lines;
    program->setOnRunLine([&](TkxScript *sender, const QString &, const QString &pos) {
        lines << pos;
        if (pos == QLatin1String("5:5"))
            sender->terminate();
    });
    program->execute();
    TkxCustomVariable *log = program->find(QStringLiteral("log"));
    EXPECT_EQ(log->value.toString(), QStringLiteral("af"));
    EXPECT_EQ(lines,
              QStringList({QStringLiteral("3:3"), QStringLiteral("4:5"), QStringLiteral("5:5"),
                           QStringLiteral("7:5")}));
    // Execute after Terminate runs again from the start.
    program->setOnRunLine(nullptr);
    log->value = Variant::fromString8(QString());
    program->execute();
    EXPECT_EQ(log->value.toString(), QStringLiteral("abfz"));
    EXPECT_EQ(TkxScript::lineHookCount(), 0);
}

TEST(Runtime, StaleBreakAndContinueFlagsDoNotLeakIntoARun)
{
    auto program = compiled(kP, QStringLiteral("var x: Integer;\nbegin x := 1; end."));
    program->flags = TkxScript::BreakFlagBit | TkxScript::ContinueFlagBit;
    program->execute();
    EXPECT_EQ(program->find(QStringLiteral("x"))->value.toInt64(), 1);
}

TEST(Runtime, ByReferenceParametersAreWrittenBack)
{
    auto program = compiled(
        kP,
        QStringLiteral(
            "var a, b: Integer;\n"
            "procedure addTwo(var x: Integer; y: Integer); begin x := x + 2; y := 0 end;\n"
            "begin a := 5; b := 9; addTwo(a, b); end."));
    program->execute();
    EXPECT_EQ(program->find(QStringLiteral("a"))->value.toInt64(), 7);
    EXPECT_EQ(program->find(QStringLiteral("b"))->value.toInt64(), 9);   // by value: unchanged

    // CallFunctionWithVarParams writes back only as many elements as the
    // procedure has parameters; extra arguments are left alone.
    Variant values = args({Variant(1), Variant(2), Variant(3)});
    program->callFunctionWithVarParams(QStringLiteral("addTwo"), values);
    const qint64 i0 = 0, i1 = 1, i2 = 2;
    EXPECT_EQ(values.arrayElement(&i0, 1)->toInt64(), 3);
    EXPECT_EQ(values.arrayElement(&i1, 1)->toInt64(), 0);
    EXPECT_EQ(values.arrayElement(&i2, 1)->toInt64(), 3);
    EXPECT_TRUE(program->callFunction(QStringLiteral("nothing"), Variant::null()).isNull());
    EXPECT_TRUE(program->callFunction(QStringLiteral("a"), Variant::null()).isNull());
}

TEST(Runtime, StringAndArrayAccessRaisesOutsideTheBounds)
{
    const char *head
        = "var s: String; r, kept: Variant; arr: array[1..3] of Variant;\nbegin s := 'abc'; ";
    const auto run = [head](const char *body, const char *global) {
        return runAndRead(kP,
                          QString::fromLatin1(head) + QLatin1StringView(body)
                              + QStringLiteral(" end."),
                          QString::fromLatin1(global))
            .toStdString();
    };
    EXPECT_EQ(run("r := s[2];", "r"), "b");
    EXPECT_EQ(run("s[2] := 'XY';", "s"), "aXc");   // one character is taken
    for (const char *outside : {"r := s[0];", "r := s[4];", "s[0] := 'z';", "s[4] := 'z';",
                                "r := arr[4];", "arr[0] := 1;"})
        EXPECT_EQ(run(outside, "s").rfind("error: ", 0), 0u) << outside;
    EXPECT_EQ(run("try s[4] := 'z'; except end;", "s"), "abc");   // a failed write changes nothing
    EXPECT_EQ(run("arr[3] := 42; r := arr[3];", "r"), "42");
    // Arrays are values: the copy keeps what it had.
    EXPECT_EQ(run("kept := arr; arr[3] := 42; r := VarType(kept[3]);", "r"), "0");   // varEmpty
}

// The form of an array access the analyser does not build when it can
// index the variable directly: the variable's item followed by its helper
// with the indices. Built here through the runtime's own API.
std::unique_ptr<TkxExpression> constant(TkxScript &scope, const Variant &value)
{
    auto e = std::make_unique<TkxExpression>(&scope);
    e->addConstant(value);
    EXPECT_EQ(e->finish(), QString());
    return e;
}

TEST(Runtime, ArrayVariablesThroughTheGenericProtocol)
{
    // grid[1, 2] := 7 with the chain (grid)(its helper with two indices).
    TkxScript program;
    TkxVariable *grid
        = program.addArrayVariable(QStringLiteral("grid"), {ArrayBound{0, 1}, ArrayBound{1, 3}});
    ASSERT_NE(grid->refItem, nullptr);
    EXPECT_EQ(grid->refItem->paramCount(), 2);
    const auto element = [&](int i, int j) {
        auto d = std::make_unique<TkxDesignator>(&program);
        d->addItem(std::make_unique<TkxDesignatorItem>(grid));
        auto item = std::make_unique<TkxDesignatorItem>(grid->refItem);
        item->addArgument(constant(program, Variant(i)));
        item->addArgument(constant(program, Variant(j)));
        d->addItem(std::move(item));
        return d;
    };
    auto d = element(1, 2);
    d->setValue(Variant(7));
    EXPECT_EQ(d->getValue().toInt64(), 7);
    const qint64 at[2] = {1, 2};
    EXPECT_EQ(grid->value.arrayElement(at, 2)->toInt64(), 7);
    auto outside = element(2, 1);
    EXPECT_THROW(outside->setValue(Variant(1)), ScriptError);
    EXPECT_THROW(outside->getValue(), ScriptError);
}

TEST(Runtime, ArrayHelperOnTheValueBeforeTheIndexWritesBack)
{
    // v[1] := 'x' where v is a variant holding an array: the helper changes
    // a copy and writes it back through the variable; the same for a
    // character of a string held by a variant.
    const RunCase cases[] = {
        {kP,
         "var v, r: Variant; a: array[0..1] of Variant;\n"
         "begin a[0] := 0; a[1] := 0; v := a; v[1] := 'x'; r := v[1]; end.",
         "r", "x"},
        {kP,
         "var v, r: Variant; a: array[0..1] of Variant;\n"
         "begin a[0] := 0; a[1] := 0; v := a; v[1] := 'x'; r := a[1]; end.",
         "r", "0"},   // the array the value came from is another value
        {kP, "var s: Variant;\nbegin s := 'abc'; s[3] := 'Z'; end.", "s", "abZ"},
    };
    expectRunValues(cases);
}

TEST(Runtime, CompoundAssignmentsIncrementsAndWith)
{
    const RunCase cases[] = {
        // ((10 + 5) * 2 - 6 + 1) / 5
        {kC, "Variant x;\n{ x = 10; x += 5; x *= 2; x -= 6; x++; x /= 5; }", "x", "5"},
        {kP,
         "var list: TStringList; n: Integer;\n"
         "begin list := TStringList.Create; with list do Add('a'); n := list.Count; end.",
         "n", "1"},
    };
    expectRunValues(cases);
    auto program = compiled(
        kC, QStringLiteral("Variant x;\n{ x = 10; x += 5; x *= 2; x -= 6; x++; x /= 5; }"));
    program->execute();
    const Variant x = program->find(QStringLiteral("x"))->value;
    EXPECT_EQ(x.type(), varDouble);
    EXPECT_EQ(x.rawDouble(), 5.0);
}

TEST(Runtime, ItemListsAreSortedCaseInsensitiveAndTheNewestWins)
{
    TkxScript parent;
    TkxScript child;
    child.setParentScope(&parent);
    TkxVariable *outer
        = parent.addVariable(QStringLiteral("Total"), TkxKind::Integer, kInt, Variant(1));
    EXPECT_EQ(child.find(QStringLiteral("TOTAL")), outer);
    EXPECT_EQ(child.findLocal(QStringLiteral("total")), nullptr);
    TkxVariable *shadow
        = child.addVariable(QStringLiteral("total"), TkxKind::Integer, kInt, Variant(2));
    EXPECT_EQ(child.find(QStringLiteral("Total")), shadow);
    TkxVariable *newer
        = child.addVariable(QStringLiteral("TOTAL"), TkxKind::Integer, kInt, Variant(3));
    EXPECT_EQ(child.findLocal(QStringLiteral("total")), newer);
    for (int i = 1; i < child.count(); ++i)
        EXPECT_LE(child.itemName(i - 1), child.itemName(i));

    // Items of one owner go as a group; engine items (owner 1) survive Clear.
    child.itemOwner = 42;
    child.addVariable(QStringLiteral("fromReport"), TkxKind::Integer, kInt);
    child.itemOwner = 1;
    child.addVariable(QStringLiteral("engine"), TkxKind::Integer, kInt);
    child.itemOwner = 0;
    child.clearItems(42);
    EXPECT_EQ(child.findLocal(QStringLiteral("fromReport")), nullptr);
    EXPECT_NE(child.findLocal(QStringLiteral("total")), nullptr);
    child.clear();
    EXPECT_EQ(child.findLocal(QStringLiteral("total")), nullptr);
    EXPECT_NE(child.findLocal(QStringLiteral("engine")), nullptr);
    child.setVariable(QStringLiteral("Total"), Variant(99));   // through the parent chain
    EXPECT_EQ(outer->value.toInt64(), 99);
    child.setVariable(QStringLiteral("fresh"), Variant(5));
    EXPECT_EQ(child.findLocal(QStringLiteral("fresh"))->kind(), TkxKind::Variant);
}

TEST(Runtime, ModulesAreAddedOnceAndAreNotFoundByName)
{
    static int created = 0;
    TkxScript::registerModule([](TkxScript &script) -> std::unique_ptr<TkxItemList> {
        ++created;
        script.addVariable(QStringLiteral("ModuleVar"), TkxKind::Integer, QStringLiteral("Integer"),
                           Variant(7));
        return std::make_unique<TkxItemList>();
    });
    TkxScript program;
    program.addModules();
    program.addModules();
    EXPECT_EQ(created, 1);
    TkxCustomVariable *mv = program.findLocal(QStringLiteral("ModuleVar"));
    ASSERT_NE(mv, nullptr);
    EXPECT_EQ(mv->owner(), 1);
    program.clear();
    EXPECT_NE(program.findLocal(QStringLiteral("ModuleVar")), nullptr);
    program.removeModules();
    EXPECT_EQ(program.findLocal(QStringLiteral("ModuleVar")), nullptr);
    EXPECT_EQ(program.count(), 0);
}

TEST(Runtime, TerminateReachesTheLocalScopesOfProcedures)
{
    auto program = compiled(kP,
                            QStringLiteral("var n: Integer;\n"
                                           "procedure spin;\n"
                                           "begin\n"
                                           "  while True do\n"
                                           "    n := n + 1;\n"
                                           "end;\n"
                                           "begin\n"
                                           "  spin;\n"
                                           "  n := 1000;\n"
                                           "end."));
    TkxCustomVariable *n = program->find(QStringLiteral("n"));
    TkxScript *local
        = static_cast<TkxProcVariable *>(program->find(QStringLiteral("spin")))->localScript();
    TkxScript *seenScope = nullptr;
    program->setOnRunLine([&](TkxScript *sender, const QString &, const QString &pos) {
        if (pos == QLatin1String("5:5") && n->value.toInt64() == 5) {
            seenScope = program->currentScope;
            program->terminate();
        }
        EXPECT_EQ(sender == program.get(),
                  pos.startsWith(QLatin1Char('8')) || pos.startsWith(QLatin1Char('9')))
            << pos.toStdString();
    });
    program->execute();
    EXPECT_EQ(n->value.toInt64(), 5);
    EXPECT_EQ(seenScope, local);   // CurrentScope is the running procedure's scope
    program->setOnRunLine(nullptr);
}

TEST(Runtime, EvaluateCompilesInTheCurrentScope)
{
    const QString text = QStringLiteral("var g: Integer;\n"
                                        "procedure p(arg: Integer);\n"
                                        "begin\n"
                                        "  exit;\n"
                                        "end;\n"
                                        "begin\n"
                                        "  g := 3;\n"
                                        "  p(17);\n"
                                        "end.");
    {
        // Without an analyser the compile error comes back as the value.
        TkxScript bare;
        TkxScript::setCompileHandler(nullptr);
        EXPECT_EQ(bare.evaluate(QStringLiteral("1")).toString(),
                  QStringLiteral("No syntax analyser is installed"));
    }
    auto program = compiled(kP, text);
    Variant seen;
    Variant sum;
    program->setOnRunLine([&](TkxScript *, const QString &, const QString &pos) {
        if (pos == QLatin1String("4:3")) {
            seen = program->evaluate(QStringLiteral("arg"));
            sum = program->evaluate(QStringLiteral("arg + g"));
        }
    });
    program->execute();
    program->setOnRunLine(nullptr);
    EXPECT_EQ(seen.toInt64(), 17);   // the procedure's parameter, seen through CurrentScope
    EXPECT_EQ(sum.toInt64(), 20);
    EXPECT_EQ(program->evaluate(QStringLiteral("g * 2")).toInt64(), 6);

    // The program Evaluate compiles, in each language's own syntax.
    EXPECT_EQ(TkxScript::wrapExpression(kP, QStringLiteral("arg")),
              QStringLiteral("function __f__: Variant; begin Result := arg end; begin end."));
    EXPECT_EQ(TkxScript::wrapExpression(kC, QStringLiteral("x")),
              QStringLiteral("Variant __f__() { return x; } {}"));
    auto strict = compiled(kC, QStringLiteral("int y;\n{ y = 1; }"));
    EXPECT_EQ(strict->evaluate(QStringLiteral("missing")).toString(),
              QStringLiteral("Undeclared identifier: 'missing'"));
}

TEST(Runtime, ExecutableLinesPerUnit)
{
    TkxScript program;
    program.addCodeLine(QString(), QStringLiteral("12:3"));
    program.addCodeLine(QString(), QStringLiteral("4:1"));
    program.addCodeLine(QString(), QStringLiteral("12:9"));
    program.addCodeLine(QStringLiteral("unit1"), QStringLiteral("7:1"));
    EXPECT_EQ(program.executableLines(), QList<int>({4, 12}));
    EXPECT_TRUE(program.isExecutableLine(12));
    EXPECT_FALSE(program.isExecutableLine(7));
    EXPECT_TRUE(program.isExecutableLine(7, QStringLiteral("unit1")));
}

}   // namespace
}   // namespace pgx::script::test
