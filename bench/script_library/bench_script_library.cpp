// The cost of reaching the library from a compiled program: a system
// function call, a published property read through the reflection, a
// method on an object handle, and sorting a large string list.

#include "script/analyser/ScriptAnalyser.h"
#include "script/library/SysFunctions.h"
#include "script/runtime/Script.h"

#include <benchmark/benchmark.h>

using namespace pgx::script;

namespace {

void runProgram(benchmark::State &state, const QStringList &lines, int64_t itemsPerRun)
{
    installScriptAnalyser();
    registerLibraryModules();
    TkxScript script;
    script.addModules();
    script.setSyntaxType(QStringLiteral("PascalScript"));
    script.setLines(lines);
    if (!script.compile()) {
        state.SkipWithError(qPrintable(script.errorMessage));
        return;
    }
    for (auto _ : state)
        script.execute();
    state.SetItemsProcessed(state.iterations() * itemsPerRun);
}

// 100,000 calls of Copy and Length.
void bmSystemFunctionCalls(benchmark::State &state)
{
    runProgram(state,
               {QStringLiteral("var i, n: Integer; s: String;"), QStringLiteral("begin"),
                QStringLiteral("  s := 'abcdef'; n := 0;"),
                QStringLiteral("  for i := 1 to 50000 do n := n + Length(Copy(s, 2, 3));"),
                QStringLiteral("end.")},
               100000);
}
BENCHMARK(bmSystemFunctionCalls)->Unit(benchmark::kMillisecond);

// 100,000 reads of a reflected property and 100,000 method calls.
void bmObjectMembers(benchmark::State &state)
{
    runProgram(state,
               {QStringLiteral("var i, n: Integer; sl: TStringList;"), QStringLiteral("begin"),
                QStringLiteral("  sl := TStringList.Create; sl.Add('a'); n := 0;"),
                QStringLiteral("  for i := 1 to 100000 do n := n + sl.Count + sl.IndexOf('a');"),
                QStringLiteral("  sl.Free;"), QStringLiteral("end.")},
               200000);
}
BENCHMARK(bmObjectMembers)->Unit(benchmark::kMillisecond);

// Filling and sorting a 100,000-item string list.
void bmStringListSort(benchmark::State &state)
{
    runProgram(
        state,
        {QStringLiteral("var i: Integer; sl: TStringList;"), QStringLiteral("begin"),
         QStringLiteral("  sl := TStringList.Create;"),
         QStringLiteral("  for i := 1 to 100000 do sl.Add(IntToStr((i * 7919) mod 100003));"),
         QStringLiteral("  sl.Sort; sl.Free;"), QStringLiteral("end.")},
        100000);
}
BENCHMARK(bmStringListSort)->Unit(benchmark::kMillisecond);

}   // namespace

BENCHMARK_MAIN();
