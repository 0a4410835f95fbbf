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

void bmVariantAddInteger(benchmark::State &state)
{
    Variant a(1), b(2);
    for (auto _ : state) {
        a = vop::addFast(a, b);
        benchmark::DoNotOptimize(a);
        if (a.rawInt() > 1000000000)
            a = Variant(1);
    }
}
BENCHMARK(bmVariantAddInteger);

void bmVariantAddDouble(benchmark::State &state)
{
    Variant a(1.5), b(2.25);
    for (auto _ : state) {
        a = vop::add(a, b);
        benchmark::DoNotOptimize(a);
    }
}
BENCHMARK(bmVariantAddDouble);

void bmVariantMulCurrency(benchmark::State &state)
{
    const Variant a = Variant::fromCurrency(12.5), b = Variant::fromCurrency(1.0001);
    for (auto _ : state)
        benchmark::DoNotOptimize(vop::mul(a, b));
}
BENCHMARK(bmVariantMulCurrency);

void bmVariantConcatStrings(benchmark::State &state)
{
    const Variant a = Variant::fromString8(QStringLiteral("Total: ")), b(42);
    for (auto _ : state)
        benchmark::DoNotOptimize(vop::concat(a, b));
}
BENCHMARK(bmVariantConcatStrings);

void bmVariantCompareMixed(benchmark::State &state)
{
    const Variant a(3), b(2.5);
    for (auto _ : state)
        benchmark::DoNotOptimize(vop::compare(a, b));
}
BENCHMARK(bmVariantCompareMixed);

void bmVariantCopyString(benchmark::State &state)
{
    const Variant a(QStringLiteral("shared text"));
    for (auto _ : state) {
        Variant copy = a;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(bmVariantCopyString);

std::unique_ptr<TkxExpression> constant(TkxScript &s, const Variant &v)
{
    auto e = std::make_unique<TkxExpression>(&s);
    e->addConstant(v);
    e->finish();
    return e;
}

// sum := sum + i
std::unique_ptr<TkxStatement> addInto(TkxScript &s, TkxVariable *sum, TkxVariable *i)
{
    auto e = std::make_unique<TkxExpression>(&s);
    e->addDesignator(std::make_unique<TkxVariableDesignator>(&s, sum));
    e->addOperator(QStringLiteral("+"));
    e->addDesignator(std::make_unique<TkxVariableDesignator>(&s, i));
    e->finish();
    return std::make_unique<TkxAssignmentStmt>(&s, std::make_unique<TkxVariableDesignator>(&s, sum),
                                               std::move(e));
}

constexpr int kIterations = 10'000'000;

// sum := 0; for i := 1 to 10000000 do sum := sum + i;
void bmForLoopSum10M(benchmark::State &state)
{
    TkxScript program;
    TkxVariable *sum = program.addVariable(QStringLiteral("sum"), TkxKind::Integer,
                                           QStringLiteral("Integer"), Variant(0));
    TkxVariable *i = program.addVariable(QStringLiteral("i"), TkxKind::Integer,
                                         QStringLiteral("Integer"), Variant(0));
    program.addStatement(std::make_unique<TkxAssignmentStmt>(
        &program, std::make_unique<TkxVariableDesignator>(&program, sum),
        constant(program, Variant(0))));
    auto loop = std::make_unique<TkxForStmt>(&program, i, constant(program, Variant(1)),
                                             constant(program, Variant(kIterations)), false);
    loop->add(addInto(program, sum, i));
    program.addStatement(std::move(loop));
    for (auto _ : state) {
        program.execute();
        benchmark::DoNotOptimize(sum->value);
    }
    if (sum->value.toInt64() != qint64(kIterations) * (kIterations + 1) / 2)
        state.SkipWithError("wrong sum");
}
BENCHMARK(bmForLoopSum10M)->Unit(benchmark::kMillisecond);

// i := 0; while i < 10000000 do begin i := i + 1; sum := sum + i end;
void bmWhileLoopSum10M(benchmark::State &state)
{
    TkxScript program;
    TkxVariable *sum = program.addVariable(QStringLiteral("sum"), TkxKind::Integer,
                                           QStringLiteral("Integer"), Variant(0));
    TkxVariable *i = program.addVariable(QStringLiteral("i"), TkxKind::Integer,
                                         QStringLiteral("Integer"), Variant(0));
    program.addStatement(std::make_unique<TkxAssignmentStmt>(
        &program, std::make_unique<TkxVariableDesignator>(&program, sum),
        constant(program, Variant(0))));
    program.addStatement(std::make_unique<TkxAssignmentStmt>(
        &program, std::make_unique<TkxVariableDesignator>(&program, i),
        constant(program, Variant(0))));
    auto cond = std::make_unique<TkxExpression>(&program);
    cond->addDesignator(std::make_unique<TkxVariableDesignator>(&program, i));
    cond->addOperator(QStringLiteral("<"));
    cond->addConstant(Variant(kIterations));
    cond->finish();
    auto loop = std::make_unique<TkxWhileStmt>(&program, std::move(cond));
    loop->add(std::make_unique<TkxAssignmentStmt>(
        &program, std::make_unique<TkxVariableDesignator>(&program, i),
        constant(program, Variant(1)), TkxAssignmentStmt::Op::Plus));
    loop->add(addInto(program, sum, i));
    program.addStatement(std::move(loop));
    for (auto _ : state) {
        program.execute();
        benchmark::DoNotOptimize(sum->value);
    }
    if (sum->value.toInt64() != qint64(kIterations) * (kIterations + 1) / 2)
        state.SkipWithError("wrong sum");
}
BENCHMARK(bmWhileLoopSum10M)->Unit(benchmark::kMillisecond);

// A recursive function: fib(20) through the call protocol.
void bmRecursiveCalls(benchmark::State &state)
{
    TkxScript program;
    TkxProcVariable *fib = program.addProcedure(QStringLiteral("fib"), true, TkxKind::Integer,
                                                QStringLiteral("Integer"));
    TkxParamItem *n = fib->addParameter(QStringLiteral("n"), TkxKind::Integer,
                                        QStringLiteral("Integer"), false);
    TkxScript &local = *fib->localScript();
    auto nRef = [&] { return std::make_unique<TkxVariableDesignator>(&local, n); };
    auto callFib = [&](int minus) {
        auto d = std::make_unique<TkxDesignator>(&local);
        auto item = std::make_unique<TkxDesignatorItem>(fib);
        auto arg = std::make_unique<TkxExpression>(&local);
        arg->addDesignator(nRef());
        arg->addOperator(QStringLiteral("-"));
        arg->addConstant(Variant(minus));
        arg->finish();
        item->addArgument(std::move(arg));
        d->addItem(std::move(item));
        return d;
    };
    auto cond = std::make_unique<TkxExpression>(&local);
    cond->addDesignator(nRef());
    cond->addOperator(QStringLiteral("<"));
    cond->addConstant(Variant(2));
    cond->finish();
    auto ifStmt = std::make_unique<TkxIfStmt>(&local, std::move(cond));
    auto result
        = [&] { return std::make_unique<TkxVariableDesignator>(&local, fib->resultVariable()); };
    auto nExpr = std::make_unique<TkxExpression>(&local);
    nExpr->addDesignator(nRef());
    nExpr->finish();
    ifStmt->add(std::make_unique<TkxAssignmentStmt>(&local, result(), std::move(nExpr)));
    auto sum = std::make_unique<TkxExpression>(&local);
    sum->addDesignator(callFib(1));
    sum->addOperator(QStringLiteral("+"));
    sum->addDesignator(callFib(2));
    sum->finish();
    ifStmt->elseList()->add(std::make_unique<TkxAssignmentStmt>(&local, result(), std::move(sum)));
    local.addStatement(std::move(ifStmt));
    const Variant args = Variant::arrayOf({Variant(20)});
    for (auto _ : state) {
        const Variant r = program.callFunction(QStringLiteral("fib"), args);
        if (r.toInt64() != 6765)
            state.SkipWithError("wrong fib");
    }
}
BENCHMARK(bmRecursiveCalls)->Unit(benchmark::kMillisecond);

}   // namespace

BENCHMARK_MAIN();
