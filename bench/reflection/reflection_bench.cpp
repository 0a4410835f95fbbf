// Costs the serializer and the engine pay per object: the cached class
// descriptor, reading every published property, creating components by
// class name, and the whole-report walks (AllObjects, FindObject, unique names).
#include "meta/ClassRegistry.h"
#include "report/pages/TpgxPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include <benchmark/benchmark.h>

namespace {

void bmDescribeCached(benchmark::State &state)
{
    TpgxReport report;
    for (auto _ : state)
        benchmark::DoNotOptimize(&pgx::describe(&report));
}
BENCHMARK(bmDescribeCached);

void bmReadAllPublishedProperties(benchmark::State &state)
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
BENCHMARK(bmReadAllPublishedProperties);

void bmStoredRuleMethod(benchmark::State &state)
{
    TpgxPage page;
    const pgx::PropertyInfo *font = pgx::describe(&page).find(u"Font");
    for (auto _ : state)
        benchmark::DoNotOptimize(font->isStored(&page));
}
BENCHMARK(bmStoredRuleMethod);

// A report with `pages` pages of 100 objects each, created by class name.
void fill(TpgxReport &report, int pages)
{
    for (int p = 0; p < pages; ++p) {
        auto *page = static_cast<TpgxComponent *>(pgx::ClassRegistry::create(u"TpgxPage", &report));
        page->setName(QStringLiteral("Page%1").arg(p + 1));
        for (int i = 0; i < 100; ++i) {
            auto *c = static_cast<TpgxComponent *>(
                pgx::ClassRegistry::create(u"TpgxReportComponent", page));
            c->setName(QStringLiteral("Object%1_%2").arg(p + 1).arg(i + 1));
        }
    }
}

void bmCreateByName(benchmark::State &state)
{
    pgx::registerReportClasses();
    for (auto _ : state) {
        TpgxReport report;
        fill(report, int(state.range(0)));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 101);
}
BENCHMARK(bmCreateByName)->Arg(1)->Arg(10);

void bmAllObjects(benchmark::State &state)
{
    pgx::registerReportClasses();
    TpgxReport report;
    fill(report, int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(report.allObjects());
    state.SetItemsProcessed(state.iterations() * state.range(0) * 101);
}
BENCHMARK(bmAllObjects)->Arg(10);

void bmFindObjectLast(benchmark::State &state)
{
    pgx::registerReportClasses();
    TpgxReport report;
    fill(report, int(state.range(0)));
    const QString last = QStringLiteral("object%1_100").arg(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(report.findObject(last));
}
BENCHMARK(bmFindObjectLast)->Arg(10);

void bmMakeUniqueName(benchmark::State &state)
{
    pgx::registerReportClasses();
    TpgxReport report;
    fill(report, int(state.range(0)));
    auto *page = report.objects().first();
    for (auto _ : state) {
        TpgxReportComponent c(page);
        c.makeUniqueName();
    }
}
BENCHMARK(bmMakeUniqueName)->Arg(10);

}   // namespace

BENCHMARK_MAIN();
