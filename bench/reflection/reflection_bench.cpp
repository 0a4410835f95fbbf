// Costs the serializer and the engine pay per object: the cached class
// descriptor, reading every published property, creating components by
// class name, and the whole-report walks (AllObjects, FindObject, unique names).
#include "meta/ClassRegistry.h"
#include "report/pages/TpgxPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include <benchmark/benchmark.h>

namespace {

void BM_DescribeCached(benchmark::State &state)
{
    TpgxReport report;
    for (auto _ : state)
        benchmark::DoNotOptimize(&pgx::describe(&report));
}
BENCHMARK(BM_DescribeCached);

void BM_ReadAllPublishedProperties(benchmark::State &state)
{
    TpgxReport report;
    const pgx::ClassDescriptor &d = pgx::describe(&report);
    for (auto _ : state) {
        int stored = 0;
        for (const pgx::PropertyInfo &p : d.properties) {
            if (!p.isStored(&report))
                continue;
            benchmark::DoNotOptimize(p.read(&report));
            stored += p.equalsDefault(&report);
        }
        benchmark::DoNotOptimize(stored);
    }
}
BENCHMARK(BM_ReadAllPublishedProperties);

void BM_StoredRuleMethod(benchmark::State &state)
{
    TpgxPage page;
    const pgx::PropertyInfo *font = pgx::describe(&page).find(u"Font");
    for (auto _ : state)
        benchmark::DoNotOptimize(font->isStored(&page));
}
BENCHMARK(BM_StoredRuleMethod);

// A report with `pages` pages of 100 objects each, created by class name.
void fill(TpgxReport &report, int pages)
{
    for (int p = 0; p < pages; ++p) {
        auto *page = static_cast<TpgxComponent *>(pgx::ClassRegistry::create(u"TpgxPage", &report));
        page->SetName(QStringLiteral("Page%1").arg(p + 1));
        for (int i = 0; i < 100; ++i) {
            auto *c = static_cast<TpgxComponent *>(
                pgx::ClassRegistry::create(u"TpgxReportComponent", page));
            c->SetName(QStringLiteral("Object%1_%2").arg(p + 1).arg(i + 1));
        }
    }
}

void BM_CreateByName(benchmark::State &state)
{
    pgx::registerReportClasses();
    for (auto _ : state) {
        TpgxReport report;
        fill(report, int(state.range(0)));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 101);
}
BENCHMARK(BM_CreateByName)->Arg(1)->Arg(10);

void BM_AllObjects(benchmark::State &state)
{
    pgx::registerReportClasses();
    TpgxReport report;
    fill(report, int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(report.AllObjects());
    state.SetItemsProcessed(state.iterations() * state.range(0) * 101);
}
BENCHMARK(BM_AllObjects)->Arg(10);

void BM_FindObjectLast(benchmark::State &state)
{
    pgx::registerReportClasses();
    TpgxReport report;
    fill(report, int(state.range(0)));
    const QString last = QStringLiteral("object%1_100").arg(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(report.FindObject(last));
}
BENCHMARK(BM_FindObjectLast)->Arg(10);

void BM_MakeUniqueName(benchmark::State &state)
{
    pgx::registerReportClasses();
    TpgxReport report;
    fill(report, int(state.range(0)));
    auto *page = report.Objects().first();
    for (auto _ : state) {
        TpgxReportComponent c(page);
        c.MakeUniqueName();
    }
}
BENCHMARK(BM_MakeUniqueName)->Arg(10);

}   // namespace

BENCHMARK_MAIN();
