// Speed of the script core: variant arithmetic, and a prebuilt program
// that sums the integers 1..10,000,000 (the yardstick for every language:
// it must stay within three times the reference interpreter).

#include "script/runtime/Expression.h"
#include "script/runtime/Script.h"
#include "script/runtime/Statements.h"
#include "script/value/VariantOps.h"

#include <benchmark/benchmark.h>

using namespace pgx::script;

namespace {

void BM_VariantAddInteger(benchmark::State &state)
{
    Variant a(1), b(2);
    for (auto _ : state) {
        a = vop::addFast(a, b);
        benchmark::DoNotOptimize(a);
        if (a.rawInt() > 1000000000)
            a = Variant(1);
    }
}
BENCHMARK(BM_VariantAddInteger);

void BM_VariantAddDouble(benchmark::State &state)
{
    Variant a(1.5), b(2.25);
    for (auto _ : state) {
        a = vop::add(a, b);
        benchmark::DoNotOptimize(a);
    }
}
BENCHMARK(BM_VariantAddDouble);

void BM_VariantMulCurrency(benchmark::State &state)
{
    const Variant a = Variant::fromCurrency(12.5), b = Variant::fromCurrency(1.0001);
    for (auto _ : state)
        benchmark::DoNotOptimize(vop::mul(a, b));
}
BENCHMARK(BM_VariantMulCurrency);

void BM_VariantConcatStrings(benchmark::State &state)
{
    const Variant a = Variant::fromString8(QStringLiteral("Total: ")), b(42);
    for (auto _ : state)
        benchmark::DoNotOptimize(vop::concat(a, b));
}
BENCHMARK(BM_VariantConcatStrings);

void BM_VariantCompareMixed(benchmark::State &state)
{
    const Variant a(3), b(2.5);
    for (auto _ : state)
        benchmark::DoNotOptimize(vop::compare(a, b));
}
BENCHMARK(BM_VariantCompareMixed);

void BM_VariantCopyString(benchmark::State &state)
{
    const Variant a(QStringLiteral("shared text"));
    for (auto _ : state) {
        Variant copy = a;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_VariantCopyString);

std::unique_ptr<TkxExpression> constant(TkxScript &s, const Variant &v)
{
    auto e = std::make_unique<TkxExpression>(&s);
    e->AddConstant(v);
    e->Finish();
    return e;
}

// sum := sum + i
std::unique_ptr<TkxStatement> addInto(TkxScript &s, TkxVariable *sum, TkxVariable *i)
{
    auto e = std::make_unique<TkxExpression>(&s);
    e->AddDesignator(std::make_unique<TkxVariableDesignator>(&s, sum));
    e->AddOperator(QStringLiteral("+"));
    e->AddDesignator(std::make_unique<TkxVariableDesignator>(&s, i));
    e->Finish();
    return std::make_unique<TkxAssignmentStmt>(&s, std::make_unique<TkxVariableDesignator>(&s, sum),
                                               std::move(e));
}

constexpr int kIterations = 10'000'000;

// sum := 0; for i := 1 to 10000000 do sum := sum + i;
void BM_ForLoopSum10M(benchmark::State &state)
{
    TkxScript program;
    TkxVariable *sum = program.AddVariable(QStringLiteral("sum"), TkxKind::Integer,
                                           QStringLiteral("Integer"), Variant(0));
    TkxVariable *i = program.AddVariable(QStringLiteral("i"), TkxKind::Integer,
                                         QStringLiteral("Integer"), Variant(0));
    program.AddStatement(std::make_unique<TkxAssignmentStmt>(
        &program, std::make_unique<TkxVariableDesignator>(&program, sum),
        constant(program, Variant(0))));
    auto loop = std::make_unique<TkxForStmt>(&program, i, constant(program, Variant(1)),
                                             constant(program, Variant(kIterations)), false);
    loop->Add(addInto(program, sum, i));
    program.AddStatement(std::move(loop));
    for (auto _ : state) {
        program.Execute();
        benchmark::DoNotOptimize(sum->Value);
    }
    if (sum->Value.toInt64() != qint64(kIterations) * (kIterations + 1) / 2)
        state.SkipWithError("wrong sum");
}
BENCHMARK(BM_ForLoopSum10M)->Unit(benchmark::kMillisecond);

// i := 0; while i < 10000000 do begin i := i + 1; sum := sum + i end;
void BM_WhileLoopSum10M(benchmark::State &state)
{
    TkxScript program;
    TkxVariable *sum = program.AddVariable(QStringLiteral("sum"), TkxKind::Integer,
                                           QStringLiteral("Integer"), Variant(0));
    TkxVariable *i = program.AddVariable(QStringLiteral("i"), TkxKind::Integer,
                                         QStringLiteral("Integer"), Variant(0));
    program.AddStatement(std::make_unique<TkxAssignmentStmt>(
        &program, std::make_unique<TkxVariableDesignator>(&program, sum),
        constant(program, Variant(0))));
    program.AddStatement(std::make_unique<TkxAssignmentStmt>(
        &program, std::make_unique<TkxVariableDesignator>(&program, i),
        constant(program, Variant(0))));
    auto cond = std::make_unique<TkxExpression>(&program);
    cond->AddDesignator(std::make_unique<TkxVariableDesignator>(&program, i));
    cond->AddOperator(QStringLiteral("<"));
    cond->AddConstant(Variant(kIterations));
    cond->Finish();
    auto loop = std::make_unique<TkxWhileStmt>(&program, std::move(cond));
    loop->Add(std::make_unique<TkxAssignmentStmt>(
        &program, std::make_unique<TkxVariableDesignator>(&program, i),
        constant(program, Variant(1)), TkxAssignmentStmt::Op::Plus));
    loop->Add(addInto(program, sum, i));
    program.AddStatement(std::move(loop));
    for (auto _ : state) {
        program.Execute();
        benchmark::DoNotOptimize(sum->Value);
    }
    if (sum->Value.toInt64() != qint64(kIterations) * (kIterations + 1) / 2)
        state.SkipWithError("wrong sum");
}
BENCHMARK(BM_WhileLoopSum10M)->Unit(benchmark::kMillisecond);

// A recursive function: fib(20) through the call protocol.
void BM_RecursiveCalls(benchmark::State &state)
{
    TkxScript program;
    TkxProcVariable *fib = program.AddProcedure(QStringLiteral("fib"), true, TkxKind::Integer,
                                                QStringLiteral("Integer"));
    TkxParamItem *n = fib->AddParameter(QStringLiteral("n"), TkxKind::Integer,
                                        QStringLiteral("Integer"), false);
    TkxScript &local = *fib->LocalScript();
    auto nRef = [&] { return std::make_unique<TkxVariableDesignator>(&local, n); };
    auto callFib = [&](int minus) {
        auto d = std::make_unique<TkxDesignator>(&local);
        auto item = std::make_unique<TkxDesignatorItem>(fib);
        auto arg = std::make_unique<TkxExpression>(&local);
        arg->AddDesignator(nRef());
        arg->AddOperator(QStringLiteral("-"));
        arg->AddConstant(Variant(minus));
        arg->Finish();
        item->AddArgument(std::move(arg));
        d->AddItem(std::move(item));
        return d;
    };
    auto cond = std::make_unique<TkxExpression>(&local);
    cond->AddDesignator(nRef());
    cond->AddOperator(QStringLiteral("<"));
    cond->AddConstant(Variant(2));
    cond->Finish();
    auto ifStmt = std::make_unique<TkxIfStmt>(&local, std::move(cond));
    auto result
        = [&] { return std::make_unique<TkxVariableDesignator>(&local, fib->ResultVariable()); };
    auto nExpr = std::make_unique<TkxExpression>(&local);
    nExpr->AddDesignator(nRef());
    nExpr->Finish();
    ifStmt->Add(std::make_unique<TkxAssignmentStmt>(&local, result(), std::move(nExpr)));
    auto sum = std::make_unique<TkxExpression>(&local);
    sum->AddDesignator(callFib(1));
    sum->AddOperator(QStringLiteral("+"));
    sum->AddDesignator(callFib(2));
    sum->Finish();
    ifStmt->ElseList()->Add(std::make_unique<TkxAssignmentStmt>(&local, result(), std::move(sum)));
    local.AddStatement(std::move(ifStmt));
    const Variant args = Variant::arrayOf({Variant(20)});
    for (auto _ : state) {
        const Variant r = program.CallFunction(QStringLiteral("fib"), args);
        if (r.toInt64() != 6765)
            state.SkipWithError("wrong fib");
    }
}
BENCHMARK(BM_RecursiveCalls)->Unit(benchmark::kMillisecond);

}   // namespace

BENCHMARK_MAIN();
