#include "ScriptBuilder.h"

#include "script/value/ScriptError.h"
#include "script/value/VariantOps.h"

#include <gtest/gtest.h>

using namespace pgx::script;
using namespace pgx::script::testing;

namespace {

const QString kInt = QStringLiteral("Integer");
const QString kVar = QStringLiteral("Variant");

Variant args(std::initializer_list<Variant> values)
{
    return Variant::arrayOf(QList<Variant>(values));
}

// function fact(n: Integer): Integer;
// begin if n <= 1 then Result := 1 else Result := n * fact(n - 1) end;
TkxProcVariable *addFactorial(TkxScript &program)
{
    TkxProcVariable *fact = program.AddProcedure(QStringLiteral("fact"), true, TkxKind::Integer, kInt);
    fact->AddParameter(QStringLiteral("n"), TkxKind::Integer, kInt, false);
    TkxScript &local = *fact->LocalScript();
    auto ifStmt = std::make_unique<TkxIfStmt>(&local, expr(local, QStringLiteral("n <= 1")));
    ifStmt->Add(assign(local, QStringLiteral("Result"), QStringLiteral("1")));
    ifStmt->ElseList()->Add(assign(local, QStringLiteral("Result"), QStringLiteral("n * fact{ n - 1 }")));
    local.AddStatement(std::move(ifStmt));
    return fact;
}

TEST(Runtime, RecursionKeepsEachActivationsLocals)
{
    TkxScript program;
    addFactorial(program);
    EXPECT_EQ(program.CallFunction(QStringLiteral("fact"), args({Variant(10)})).toInt64(), 3628800);

    // function keep(n): t := n; if n > 0 then keep(n - 1); Result := t
    // Without saving the locals around the inner call t would come back 0.
    TkxProcVariable *keep = program.AddProcedure(QStringLiteral("keep"), true, TkxKind::Integer, kInt);
    keep->AddParameter(QStringLiteral("n"), TkxKind::Integer, kInt, false);
    TkxScript &local = *keep->LocalScript();
    local.AddVariable(QStringLiteral("t"), TkxKind::Integer, kInt, Variant(0));
    local.AddStatement(assign(local, QStringLiteral("t"), QStringLiteral("n")));
    auto ifStmt = std::make_unique<TkxIfStmt>(&local, expr(local, QStringLiteral("n > 0")));
    ifStmt->Add(call(local, QStringLiteral("keep{ n - 1 }")));
    local.AddStatement(std::move(ifStmt));
    local.AddStatement(assign(local, QStringLiteral("Result"), QStringLiteral("t")));
    EXPECT_EQ(program.CallFunction(QStringLiteral("keep"), args({Variant(3)})).toInt64(), 3);
    EXPECT_FALSE(keep->Executing);
}

TEST(Runtime, LocalsComeBackWhenAnInnerCallFails)
{
    // function f(n): t := n; try if n > 0 then f(n - 1) ... where the
    // innermost call divides by zero; the outer activation catches it and
    // must still see its own t.
    TkxScript program;
    program.AddVariable(QStringLiteral("ExceptionClassName"), TkxKind::String, QStringLiteral("String"));
    program.AddVariable(QStringLiteral("ExceptionMessage"), TkxKind::String, QStringLiteral("String"));
    TkxProcVariable *f = program.AddProcedure(QStringLiteral("f"), true, TkxKind::Integer, kInt);
    f->AddParameter(QStringLiteral("n"), TkxKind::Integer, kInt, false);
    TkxScript &local = *f->LocalScript();
    local.AddVariable(QStringLiteral("t"), TkxKind::Integer, kInt, Variant(0));
    local.AddStatement(assign(local, QStringLiteral("t"), QStringLiteral("n")));
    local.AddStatement(assign(local, QStringLiteral("Result"), QStringLiteral("1 div n")));
    auto guard = std::make_unique<TkxTryStmt>(&local, true);
    auto inner = std::make_unique<TkxIfStmt>(&local, expr(local, QStringLiteral("n = 1")));
    inner->Add(call(local, QStringLiteral("f{ n - 1 }")));
    guard->Add(std::move(inner));
    guard->HandlerList()->Add(assign(local, QStringLiteral("Result"), QStringLiteral("t * 100")));
    local.AddStatement(std::move(guard));
    EXPECT_EQ(program.CallFunction(QStringLiteral("f"), args({Variant(1)})).toInt64(), 100);
    EXPECT_FALSE(f->Executing);
}

TEST(Runtime, RunawayRecursionIsAScriptError)
{
    const int saved = TkxScript::MaxCallDepth();
    TkxScript::SetMaxCallDepth(40);
    TkxScript program;
    // procedure loop; begin loop end;  called from the main program
    TkxProcVariable *loop = program.AddProcedure(QStringLiteral("loop"), false);
    loop->LocalScript()->AddStatement(call(*loop->LocalScript(), QStringLiteral("loop{ }"), QStringLiteral("2:3")));
    program.AddStatement(call(program, QStringLiteral("loop{ }"), QStringLiteral("5:1")));
    try {
        program.Execute();
        ADD_FAILURE() << "no error";
    } catch (const ScriptError &e) {
        EXPECT_EQ(e.className(), QStringLiteral("EStackOverflow"));
        EXPECT_EQ(e.position(), QStringLiteral("2:3"));   // the innermost statement
    }
    // Everything is restored on the way out.
    EXPECT_FALSE(loop->Executing);
    EXPECT_FALSE(program.Running);
    EXPECT_FALSE(program.MainRun);
    EXPECT_EQ(program.CurrentScope, nullptr);
    EXPECT_EQ(program.Flags, 0);
    TkxScript::SetMaxCallDepth(saved);
}

TEST(Runtime, ForLoops)
{
    TkxScript program;
    TkxVariable *i = program.AddVariable(QStringLiteral("i"), TkxKind::Integer, kInt, Variant(-1));
    TkxVariable *sum = program.AddVariable(QStringLiteral("sum"), TkxKind::Integer, kInt, Variant(0));
    TkxVariable *count = program.AddVariable(QStringLiteral("count"), TkxKind::Integer, kInt, Variant(0));
    auto body = [&](TkxStatement *loop) {
        loop->Add(assign(program, QStringLiteral("sum"), QStringLiteral("sum + i")));
        loop->Add(assign(program, QStringLiteral("count"), QStringLiteral("count + 1")));
    };
    struct Row { int from, to; bool down; int sum, count, last; };
    const Row rows[] = {
        {5, 1, false, 0, 0, -1},   // no iteration; the variable is untouched
        {1, 3, false, 6, 3, 3},    // the variable keeps the last value
        {3, 1, true, 6, 3, 1},
        {1, 1, false, 1, 1, 1},
    };
    for (const Row &r : rows) {
        program.Clear();
        i = program.AddVariable(QStringLiteral("i"), TkxKind::Integer, kInt, Variant(-1));
        sum = program.AddVariable(QStringLiteral("sum"), TkxKind::Integer, kInt, Variant(0));
        count = program.AddVariable(QStringLiteral("count"), TkxKind::Integer, kInt, Variant(0));
        auto loop = std::make_unique<TkxForStmt>(&program, i, expr(program, QString::number(r.from)),
                                                 expr(program, QString::number(r.to)), r.down);
        body(loop.get());
        program.AddStatement(std::move(loop));
        program.Execute();
        EXPECT_EQ(sum->Value.toInt64(), r.sum) << r.from << ".." << r.to;
        EXPECT_EQ(count->Value.toInt64(), r.count);
        EXPECT_EQ(i->Value.toInt64(), r.last);
    }
}

TEST(Runtime, BasicForWithNegativeStep)
{
    // for i = 10 to 1 step -3: 10, 7, 4, 1
    TkxScript program;
    TkxVariable *i = program.AddVariable(QStringLiteral("i"), TkxKind::Variant, kVar);
    TkxVariable *seen = program.AddVariable(QStringLiteral("seen"), TkxKind::String, QStringLiteral("String"));
    auto loop = std::make_unique<TkxVbForStmt>(&program, i, expr(program, QStringLiteral("10")),
                                               expr(program, QStringLiteral("1")),
                                               expr(program, QStringLiteral("unminus 3")));
    loop->Add(assign(program, QStringLiteral("seen"), QStringLiteral("seen strcat i strcat ','")));
    program.AddStatement(std::move(loop));
    program.Execute();
    EXPECT_EQ(seen->Value.toString(), QStringLiteral("10,7,4,1,"));
}

TEST(Runtime, WhileRepeatAndCStyleLoopsWithBreakAndContinue)
{
    TkxScript program;
    program.AddVariable(QStringLiteral("i"), TkxKind::Integer, kInt, Variant(0));
    TkxVariable *sum = program.AddVariable(QStringLiteral("sum"), TkxKind::Integer, kInt, Variant(0));

    // while i < 10 do begin i := i + 1; if i mod 2 = 0 then continue; if i > 7 then break; sum := sum + i end
    auto loop = std::make_unique<TkxWhileStmt>(&program, expr(program, QStringLiteral("i < 10")));
    loop->Add(assign(program, QStringLiteral("i"), QStringLiteral("i + 1")));
    auto skipEven = std::make_unique<TkxIfStmt>(&program, expr(program, QStringLiteral("i mod 2 = 0")));
    skipEven->Add(std::make_unique<TkxContinueStmt>(&program));
    loop->Add(std::move(skipEven));
    auto stop = std::make_unique<TkxIfStmt>(&program, expr(program, QStringLiteral("i > 7")));
    stop->Add(std::make_unique<TkxBreakStmt>(&program));
    loop->Add(std::move(stop));
    loop->Add(assign(program, QStringLiteral("sum"), QStringLiteral("sum + i")));
    program.AddStatement(std::move(loop));
    // repeat sum := sum + 100 until true  (runs once)
    auto repeat = std::make_unique<TkxRepeatStmt>(&program, expr(program, QStringLiteral("true")));
    repeat->Add(assign(program, QStringLiteral("sum"), QStringLiteral("sum + 100")));
    program.AddStatement(std::move(repeat));
    // for (i := 0; i < 5; i := i + 1) sum := sum + 1000
    auto cfor = std::make_unique<TkxCppForStmt>(&program, expr(program, QStringLiteral("i < 5")));
    cfor->InitList()->Add(assign(program, QStringLiteral("i"), QStringLiteral("0")));
    cfor->StepList()->Add(assign(program, QStringLiteral("i"), QStringLiteral("i + 1")));
    cfor->Add(assign(program, QStringLiteral("sum"), QStringLiteral("sum + 1000")));
    program.AddStatement(std::move(cfor));
    program.Execute();
    EXPECT_EQ(sum->Value.toInt64(), 1 + 3 + 5 + 7 + 100 + 5000);
}

TEST(Runtime, CaseLeavesABreakToTheEnclosingLoop)
{
    TkxScript program;
    TkxVariable *i = program.AddVariable(QStringLiteral("i"), TkxKind::Integer, kInt, Variant(0));
    TkxVariable *hits = program.AddVariable(QStringLiteral("hits"), TkxKind::Integer, kInt, Variant(0));
    auto loop = std::make_unique<TkxForStmt>(&program, i, expr(program, QStringLiteral("1")),
                                             expr(program, QStringLiteral("10")), false);
    auto caseStmt = std::make_unique<TkxCaseStmt>(&program, expr(program, QStringLiteral("i")));
    auto set = std::make_unique<TkxSetExpression>();
    set->AddEntry(expr(program, QStringLiteral("1")));
    set->AddEntry(expr(program, QStringLiteral("2")));
    set->AddRange();
    set->AddEntry(expr(program, QStringLiteral("3")));
    auto selector = std::make_unique<TkxCaseSelector>(&program, std::move(set));
    selector->Add(assign(program, QStringLiteral("hits"), QStringLiteral("hits + 1")));
    caseStmt->AddSelector(std::move(selector));
    caseStmt->ElseList()->Add(std::make_unique<TkxBreakStmt>(&program));
    loop->Add(std::move(caseStmt));
    program.AddStatement(std::move(loop));
    program.Execute();
    EXPECT_EQ(hits->Value.toInt64(), 3);
    EXPECT_EQ(i->Value.toInt64(), 4);   // the break in the case's else ended the loop
}

TEST(Runtime, ExitInsideTryFinallyRunsTheFinallyThenLeaves)
{
    TkxScript program;
    TkxVariable *log = program.AddVariable(QStringLiteral("log"), TkxKind::String, QStringLiteral("String"));
    TkxProcVariable *proc = program.AddProcedure(QStringLiteral("p"), false);
    TkxScript &local = *proc->LocalScript();
    auto tryStmt = std::make_unique<TkxTryStmt>(&local, false);
    tryStmt->Add(assign(local, QStringLiteral("log"), QStringLiteral("log strcat 'a'")));
    tryStmt->Add(std::make_unique<TkxExitStmt>(&local));
    tryStmt->Add(assign(local, QStringLiteral("log"), QStringLiteral("log strcat 'x'")));
    tryStmt->HandlerList()->Add(assign(local, QStringLiteral("log"), QStringLiteral("log strcat 'f'")));
    tryStmt->HandlerList()->Add(assign(local, QStringLiteral("log"), QStringLiteral("log strcat 'g'")));
    local.AddStatement(std::move(tryStmt));
    local.AddStatement(assign(local, QStringLiteral("log"), QStringLiteral("log strcat 'y'")));
    program.AddStatement(call(program, QStringLiteral("p{ }")));
    program.AddStatement(assign(program, QStringLiteral("log"), QStringLiteral("log strcat 'z'")));
    program.Execute();
    EXPECT_EQ(log->Value.toString(), QStringLiteral("afgz"));
}

TEST(Runtime, TryExceptSetsTheExceptionVariables)
{
    TkxScript program;
    program.AddVariable(QStringLiteral("ExceptionClassName"), TkxKind::String, QStringLiteral("String"));
    program.AddVariable(QStringLiteral("ExceptionMessage"), TkxKind::String, QStringLiteral("String"));
    TkxVariable *msg = program.AddVariable(QStringLiteral("msg"), TkxKind::String, QStringLiteral("String"));
    program.AddVariable(QStringLiteral("zero"), TkxKind::Integer, kInt, Variant(0));
    auto tryStmt = std::make_unique<TkxTryStmt>(&program, true);
    tryStmt->Add(assign(program, QStringLiteral("msg"), QStringLiteral("1 div zero")));
    tryStmt->HandlerList()->Add(assign(program, QStringLiteral("msg"),
                                       QStringLiteral("ExceptionClassName strcat ':' strcat ExceptionMessage")));
    program.AddStatement(std::move(tryStmt));
    program.Execute();
    EXPECT_EQ(msg->Value.toString(), QStringLiteral("EDivByZero:Division by zero"));

    // A conversion error of the format layer arrives as EConvertError.
    program.ClearItems(0);
    program.AddVariable(QStringLiteral("ExceptionClassName"), TkxKind::String, QStringLiteral("String"));
    program.AddVariable(QStringLiteral("ExceptionMessage"), TkxKind::String, QStringLiteral("String"));
    TkxVariable *m2 = program.AddVariable(QStringLiteral("m"), TkxKind::Variant, kVar);
    auto t2 = std::make_unique<TkxTryStmt>(&program, true);
    t2->Add(assign(program, QStringLiteral("m"), QStringLiteral("'abc' + 1")));
    t2->HandlerList()->Add(assign(program, QStringLiteral("m"), QStringLiteral("ExceptionClassName")));
    program.AddStatement(std::move(t2));
    program.Execute();
    EXPECT_EQ(m2->Value.toString(), QStringLiteral("EVariantTypeCastError"));
}

TEST(Runtime, ErrorsCarryTheStatementPosition)
{
    TkxScript program;
    program.AddVariable(QStringLiteral("x"), TkxKind::Float, QStringLiteral("Extended"), Variant(0.0));
    program.AddStatement(assign(program, QStringLiteral("x"), QStringLiteral("1"), QStringLiteral("2:1")));
    auto ifStmt = std::make_unique<TkxIfStmt>(&program, expr(program, QStringLiteral("true")), QStringLiteral("3:1"));
    ifStmt->Add(assign(program, QStringLiteral("x"), QStringLiteral("x / 0"), QStringLiteral("4:5")));
    program.AddStatement(std::move(ifStmt));
    try {
        program.Execute();
        ADD_FAILURE() << "no error";
    } catch (const ScriptError &e) {
        EXPECT_EQ(e.position(), QStringLiteral("4:5"));
        EXPECT_EQ(e.message(), QStringLiteral("Floating point division by zero"));
        EXPECT_STREQ(e.what(), "4:5: Floating point division by zero");
    }
}

TEST(Runtime, TerminateStopsTheRunButFinallyListsStillRun)
{
    TkxScript program;
    TkxVariable *log = program.AddVariable(QStringLiteral("log"), TkxKind::String, QStringLiteral("String"));
    auto tryStmt = std::make_unique<TkxTryStmt>(&program, false, QStringLiteral("1:1"));
    tryStmt->Add(assign(program, QStringLiteral("log"), QStringLiteral("log strcat 'a'"), QStringLiteral("2:1")));
    tryStmt->Add(assign(program, QStringLiteral("log"), QStringLiteral("log strcat 'b'"), QStringLiteral("3:1")));
    tryStmt->HandlerList()->Add(assign(program, QStringLiteral("log"), QStringLiteral("log strcat 'f'"), QStringLiteral("5:1")));
    program.AddStatement(std::move(tryStmt));
    program.AddStatement(assign(program, QStringLiteral("log"), QStringLiteral("log strcat 'z'"), QStringLiteral("7:1")));
    QStringList lines;
    program.SetOnRunLine([&](TkxScript *sender, const QString &, const QString &pos) {
        lines << pos;
        if (pos == QLatin1String("3:1"))
            sender->Terminate();
    });
    program.Execute();
    EXPECT_EQ(log->Value.toString(), QStringLiteral("af"));
    EXPECT_EQ(lines, QStringList({QStringLiteral("1:1"), QStringLiteral("2:1"), QStringLiteral("3:1"),
                                  QStringLiteral("5:1")}));
    // Execute after Terminate runs again from the start.
    program.SetOnRunLine(nullptr);
    log->Value = Variant::fromString8(QString());
    program.Execute();
    EXPECT_EQ(log->Value.toString(), QStringLiteral("abfz"));
    EXPECT_EQ(TkxScript::LineHookCount(), 0);
}

TEST(Runtime, StaleBreakAndContinueFlagsDoNotLeakIntoARun)
{
    TkxScript program;
    TkxVariable *x = program.AddVariable(QStringLiteral("x"), TkxKind::Integer, kInt, Variant(0));
    program.AddStatement(assign(program, QStringLiteral("x"), QStringLiteral("1")));
    program.Flags = TkxScript::BreakFlagBit | TkxScript::ContinueFlagBit;
    program.Execute();
    EXPECT_EQ(x->Value.toInt64(), 1);
}

TEST(Runtime, ByReferenceParametersAreWrittenBack)
{
    TkxScript program;
    TkxVariable *a = program.AddVariable(QStringLiteral("a"), TkxKind::Integer, kInt, Variant(5));
    // procedure addTwo(var x: Integer; y: Integer); begin x := x + 2; y := 0 end
    TkxProcVariable *proc = program.AddProcedure(QStringLiteral("addTwo"), false);
    proc->AddParameter(QStringLiteral("x"), TkxKind::Integer, kInt, true);
    proc->AddParameter(QStringLiteral("y"), TkxKind::Integer, kInt, false);
    TkxScript &local = *proc->LocalScript();
    local.AddStatement(assign(local, QStringLiteral("x"), QStringLiteral("x + 2")));
    local.AddStatement(assign(local, QStringLiteral("y"), QStringLiteral("0")));
    TkxVariable *b = program.AddVariable(QStringLiteral("b"), TkxKind::Integer, kInt, Variant(9));
    program.AddStatement(call(program, QStringLiteral("addTwo{ a , b }")));
    program.Execute();
    EXPECT_EQ(a->Value.toInt64(), 7);
    EXPECT_EQ(b->Value.toInt64(), 9);   // by value: unchanged

    // CallFunctionWithVarParams writes back only as many elements as the
    // procedure has parameters; extra arguments are left alone.
    Variant values = args({Variant(1), Variant(2), Variant(3)});
    program.CallFunctionWithVarParams(QStringLiteral("addTwo"), values);
    const qint64 i0 = 0, i1 = 1, i2 = 2;
    EXPECT_EQ(values.arrayElement(&i0, 1)->toInt64(), 3);
    EXPECT_EQ(values.arrayElement(&i1, 1)->toInt64(), 0);
    EXPECT_EQ(values.arrayElement(&i2, 1)->toInt64(), 3);
    EXPECT_TRUE(program.CallFunction(QStringLiteral("nothing"), Variant::null()).isNull());
    EXPECT_TRUE(program.CallFunction(QStringLiteral("a"), Variant::null()).isNull());
}

TEST(Runtime, StringAndArrayAccessRaisesOutsideTheBounds)
{
    TkxScript program;
    TkxVariable *s = program.AddVariable(QStringLiteral("s"), TkxKind::String, QStringLiteral("String"),
                                         Variant::fromString8(QStringLiteral("abc")));
    TkxStringDesignator at2(&program, s, expr(program, QStringLiteral("2")));
    EXPECT_EQ(at2.GetValue().toString(), QStringLiteral("b"));
    at2.SetValue(Variant(QStringLiteral("XY")));
    EXPECT_EQ(s->Value.toString(), QStringLiteral("aXc"));
    EXPECT_EQ(s->Value.type(), varString);
    for (const char *index : {"0", "4"}) {
        TkxStringDesignator outside(&program, s, expr(program, QString::fromLatin1(index)));
        EXPECT_THROW(outside.GetValue(), ScriptError) << index;
        EXPECT_THROW(outside.SetValue(Variant(QStringLiteral("z"))), ScriptError) << index;
    }
    EXPECT_EQ(s->Value.toString(), QStringLiteral("aXc"));

    TkxVariable *arr = program.AddVariable(QStringLiteral("arr"), TkxKind::Array, QStringLiteral("Array"),
                                           Variant::createArray({ArrayBound{1, 3}}));
    TkxVariable *copy = program.AddVariable(QStringLiteral("copy"), TkxKind::Variant, kVar);
    copy->Value = arr->Value;
    std::vector<std::unique_ptr<TkxExpression>> idx;
    idx.push_back(expr(program, QStringLiteral("3")));
    TkxArrayDesignator el3(&program, arr, std::move(idx));
    el3.SetValue(Variant(42));
    EXPECT_EQ(el3.GetValue().toInt64(), 42);
    const qint64 three = 3;
    EXPECT_TRUE(copy->Value.arrayElement(&three, 1)->isEmpty());   // arrays are values
    std::vector<std::unique_ptr<TkxExpression>> bad;
    bad.push_back(expr(program, QStringLiteral("4")));
    TkxArrayDesignator el4(&program, arr, std::move(bad));
    EXPECT_THROW(el4.GetValue(), ScriptError);
    EXPECT_THROW(el4.SetValue(Variant(1)), ScriptError);
}

TEST(Runtime, ArrayVariablesThroughTheGenericProtocol)
{
    // grid[1, 2] := 7 with the chain (grid)(its helper with two indices),
    // the form the analyser builds when it does not use the direct shape.
    TkxScript program;
    TkxVariable *grid = program.AddArrayVariable(QStringLiteral("grid"), {ArrayBound{0, 1}, ArrayBound{1, 3}});
    ASSERT_NE(grid->RefItem, nullptr);
    EXPECT_EQ(grid->RefItem->ParamCount(), 2);
    TkxDesignator d(&program);
    d.AddItem(std::make_unique<TkxDesignatorItem>(grid));
    auto item = std::make_unique<TkxDesignatorItem>(grid->RefItem);
    item->AddArgument(expr(program, QStringLiteral("1")));
    item->AddArgument(expr(program, QStringLiteral("2")));
    d.AddItem(std::move(item));
    d.SetValue(Variant(7));
    EXPECT_EQ(d.GetValue().toInt64(), 7);
    const qint64 at[2] = {1, 2};
    EXPECT_EQ(grid->Value.arrayElement(at, 2)->toInt64(), 7);
    TkxDesignator outside(&program);
    outside.AddItem(std::make_unique<TkxDesignatorItem>(grid));
    auto bad = std::make_unique<TkxDesignatorItem>(grid->RefItem);
    bad->AddArgument(expr(program, QStringLiteral("2")));
    bad->AddArgument(expr(program, QStringLiteral("1")));
    outside.AddItem(std::move(bad));
    EXPECT_THROW(outside.SetValue(Variant(1)), ScriptError);
    EXPECT_THROW(outside.GetValue(), ScriptError);
}

TEST(Runtime, ArrayHelperOnTheValueBeforeTheDotWritesBack)
{
    // v[1] := 'x' where v is a Variant holding an array: the registered
    // helper changes a copy and writes it back through the variable.
    TkxScript program;
    TkxVariable *v = program.AddVariable(QStringLiteral("v"), TkxKind::Variant, kVar,
                                         Variant::arrayOf({Variant(0), Variant(0)}));
    auto *helper = program.Add(QStringLiteral("__ArrayHelper"),
                               std::make_unique<TkxArrayHelper>(QStringLiteral("__ArrayHelper"), 3, true));
    TkxDesignator d(&program);
    d.AddItem(std::make_unique<TkxDesignatorItem>(v));
    auto item = std::make_unique<TkxDesignatorItem>(helper);
    item->AddArgument(expr(program, QStringLiteral("1")));
    d.AddItem(std::move(item));
    d.SetValue(Variant(QStringLiteral("x")));
    EXPECT_EQ(d.GetValue().toString(), QStringLiteral("x"));
    const qint64 one = 1;
    EXPECT_EQ(v->Value.arrayElement(&one, 1)->toString(), QStringLiteral("x"));

    TkxVariable *s = program.AddVariable(QStringLiteral("s"), TkxKind::Variant, kVar, Variant(QStringLiteral("abc")));
    auto *sh = program.Add(QStringLiteral("__StringHelper"), std::make_unique<TkxStringHelper>(QStringLiteral("__StringHelper")));
    TkxDesignator sd(&program);
    sd.AddItem(std::make_unique<TkxDesignatorItem>(s));
    auto sitem = std::make_unique<TkxDesignatorItem>(sh);
    sitem->AddArgument(expr(program, QStringLiteral("3")));
    sd.AddItem(std::move(sitem));
    sd.SetValue(Variant(QStringLiteral("Z")));
    EXPECT_EQ(s->Value.toString(), QStringLiteral("abZ"));
}

TEST(Runtime, CompoundAssignmentsIncrementsAndWith)
{
    TkxScript program;
    TkxVariable *x = program.AddVariable(QStringLiteral("x"), TkxKind::Variant, kVar, Variant(10));
    using Op = TkxAssignmentStmt::Op;
    const auto compound = [&](Op op, const char *value) {
        program.AddStatement(std::make_unique<TkxAssignmentStmt>(&program, varRef(program, QStringLiteral("x")),
                                                                 expr(program, QString::fromLatin1(value)), op));
    };
    compound(Op::Plus, "5");
    compound(Op::Mul, "2");
    compound(Op::Minus, "6");
    program.AddStatement(std::make_unique<TkxCallStmt>(&program, varRef(program, QStringLiteral("x")), QStringLiteral("+")));
    compound(Op::Div, "5");
    TkxVariable *hidden = program.AddVariable(QStringLiteral("0"), TkxKind::Variant, kVar);
    program.AddStatement(std::make_unique<TkxWithStmt>(&program, hidden, varRef(program, QStringLiteral("x"))));
    program.Execute();
    EXPECT_EQ(x->Value.type(), varDouble);
    EXPECT_EQ(x->Value.rawDouble(), 5.0);   // ((10 + 5) * 2 - 6 + 1) / 5
    EXPECT_EQ(hidden->Value.rawDouble(), 5.0);
}

TEST(Runtime, ItemListsAreSortedCaseInsensitiveAndTheNewestWins)
{
    TkxScript parent;
    TkxScript child;
    child.SetParent(&parent);
    TkxVariable *outer = parent.AddVariable(QStringLiteral("Total"), TkxKind::Integer, kInt, Variant(1));
    EXPECT_EQ(child.Find(QStringLiteral("TOTAL")), outer);
    EXPECT_EQ(child.FindLocal(QStringLiteral("total")), nullptr);
    TkxVariable *shadow = child.AddVariable(QStringLiteral("total"), TkxKind::Integer, kInt, Variant(2));
    EXPECT_EQ(child.Find(QStringLiteral("Total")), shadow);
    TkxVariable *newer = child.AddVariable(QStringLiteral("TOTAL"), TkxKind::Integer, kInt, Variant(3));
    EXPECT_EQ(child.FindLocal(QStringLiteral("total")), newer);
    for (int i = 1; i < child.Count(); ++i)
        EXPECT_LE(child.ItemName(i - 1), child.ItemName(i));

    // Items of one owner go as a group; engine items (owner 1) survive Clear.
    child.ItemOwner = 42;
    child.AddVariable(QStringLiteral("fromReport"), TkxKind::Integer, kInt);
    child.ItemOwner = 1;
    child.AddVariable(QStringLiteral("engine"), TkxKind::Integer, kInt);
    child.ItemOwner = 0;
    child.ClearItems(42);
    EXPECT_EQ(child.FindLocal(QStringLiteral("fromReport")), nullptr);
    EXPECT_NE(child.FindLocal(QStringLiteral("total")), nullptr);
    child.Clear();
    EXPECT_EQ(child.FindLocal(QStringLiteral("total")), nullptr);
    EXPECT_NE(child.FindLocal(QStringLiteral("engine")), nullptr);
    child.SetVariable(QStringLiteral("Total"), Variant(99));   // through the parent chain
    EXPECT_EQ(outer->Value.toInt64(), 99);
    child.SetVariable(QStringLiteral("fresh"), Variant(5));
    EXPECT_EQ(child.FindLocal(QStringLiteral("fresh"))->Kind(), TkxKind::Variant);
}

TEST(Runtime, ModulesAreAddedOnceAndAreNotFoundByName)
{
    static int created = 0;
    TkxScript::RegisterModule([](TkxScript &script) -> std::unique_ptr<TkxItemList> {
        ++created;
        script.AddVariable(QStringLiteral("ModuleVar"), TkxKind::Integer, QStringLiteral("Integer"), Variant(7));
        return std::make_unique<TkxItemList>();
    });
    TkxScript program;
    program.AddModules();
    program.AddModules();
    EXPECT_EQ(created, 1);
    TkxCustomVariable *mv = program.FindLocal(QStringLiteral("ModuleVar"));
    ASSERT_NE(mv, nullptr);
    EXPECT_EQ(mv->Owner(), 1);
    program.Clear();
    EXPECT_NE(program.FindLocal(QStringLiteral("ModuleVar")), nullptr);
    program.RemoveModules();
    EXPECT_EQ(program.FindLocal(QStringLiteral("ModuleVar")), nullptr);
    EXPECT_EQ(program.Count(), 0);
}

TEST(Runtime, TerminateReachesTheLocalScopesOfProcedures)
{
    TkxScript program;
    TkxVariable *n = program.AddVariable(QStringLiteral("n"), TkxKind::Integer, kInt, Variant(0));
    TkxProcVariable *proc = program.AddProcedure(QStringLiteral("spin"), false);
    TkxScript &local = *proc->LocalScript();
    auto loop = std::make_unique<TkxWhileStmt>(&local, expr(local, QStringLiteral("true")), QStringLiteral("3:1"));
    loop->Add(assign(local, QStringLiteral("n"), QStringLiteral("n + 1"), QStringLiteral("4:1")));
    local.AddStatement(std::move(loop));
    program.AddStatement(call(program, QStringLiteral("spin{ }"), QStringLiteral("1:1")));
    program.AddStatement(assign(program, QStringLiteral("n"), QStringLiteral("1000"), QStringLiteral("2:1")));
    TkxScript *seenScope = nullptr;
    program.SetOnRunLine([&](TkxScript *sender, const QString &, const QString &pos) {
        if (pos == QLatin1String("4:1") && n->Value.toInt64() == 5) {
            seenScope = program.CurrentScope;
            program.Terminate();
        }
        EXPECT_EQ(sender == &program, pos.startsWith(QLatin1Char('1')) || pos.startsWith(QLatin1Char('2')));
    });
    program.Execute();
    EXPECT_EQ(n->Value.toInt64(), 5);
    EXPECT_EQ(seenScope, &local);   // CurrentScope is the running procedure's scope
    program.SetOnRunLine(nullptr);
}

TEST(Runtime, EvaluateCompilesInTheCurrentScope)
{
    TkxScript program;
    // Without an analyser the compile error comes back as the value (the
    // analyser's tests in the same program may have installed theirs).
    TkxScript::SetCompileHandler(nullptr);
    EXPECT_EQ(program.Evaluate(QStringLiteral("1")).toString(), QStringLiteral("No syntax analyser is installed"));

    // A stand-in analyser that understands one expression: a name.
    QStringList compiled;
    TkxScript::SetCompileHandler([&](TkxScript &script) {
        compiled << script.Lines().join(QStringLiteral("\r\n"));
        const QString text = script.Lines().join(QString());
        const QString name = text.section(QStringLiteral("Result := "), 1).section(QLatin1Char(' '), 0, 0);
        TkxCustomVariable *v = script.Find(name);
        if (!v) {
            script.ErrorMessage = QStringLiteral("Undeclared identifier: '%1'").arg(name);
            return;
        }
        TkxProcVariable *f = script.AddProcedure(QStringLiteral("__f__"), true);
        f->LocalScript()->AddStatement(assign(*f->LocalScript(), QStringLiteral("Result"), name));
    });
    TkxProcVariable *proc = program.AddProcedure(QStringLiteral("p"), false);
    proc->AddParameter(QStringLiteral("arg"), TkxKind::Integer, kInt, false);
    proc->LocalScript()->AddStatement(std::make_unique<TkxExitStmt>(proc->LocalScript(), QStringLiteral("9:9")));
    program.AddStatement(call(program, QStringLiteral("p{ 17 }")));
    Variant seen;
    program.SetOnRunLine([&](TkxScript *, const QString &, const QString &pos) {
        if (pos == QLatin1String("9:9"))
            seen = program.Evaluate(QStringLiteral("arg"));
    });
    program.Execute();
    program.SetOnRunLine(nullptr);
    EXPECT_EQ(seen.toInt64(), 17);   // the procedure's parameter, seen through CurrentScope
    ASSERT_FALSE(compiled.isEmpty());
    EXPECT_EQ(compiled.first(), QStringLiteral("function __f__: Variant; begin Result := arg end; begin end."));
    EXPECT_EQ(program.Evaluate(QStringLiteral("missing")).toString(), QStringLiteral("Undeclared identifier: 'missing'"));
    program.SetSyntaxType(QStringLiteral("C++Script"));
    program.Evaluate(QStringLiteral("x"));
    EXPECT_EQ(compiled.last(), QStringLiteral("Variant __f__() { return x; } {}"));
    TkxScript::SetCompileHandler(nullptr);
}

TEST(Runtime, ExecutableLinesPerUnit)
{
    TkxScript program;
    program.AddCodeLine(QString(), QStringLiteral("12:3"));
    program.AddCodeLine(QString(), QStringLiteral("4:1"));
    program.AddCodeLine(QString(), QStringLiteral("12:9"));
    program.AddCodeLine(QStringLiteral("unit1"), QStringLiteral("7:1"));
    EXPECT_EQ(program.ExecutableLines(), QList<int>({4, 12}));
    EXPECT_TRUE(program.IsExecutableLine(12));
    EXPECT_FALSE(program.IsExecutableLine(7));
    EXPECT_TRUE(program.IsExecutableLine(7, QStringLiteral("unit1")));
}

} // namespace
