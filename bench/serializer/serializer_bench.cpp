// Saving and loading whole templates through the serializer, at growing
// sizes, so that the cost per object and its growth can be read off.
#include "persist/serializer/ComponentStreams.h"
#include "report/pages/TpgxPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include <benchmark/benchmark.h>

#include <QtCore/QBuffer>

namespace {

// A report with pages of 100 components each, every one with a name, a
// description and a tag: `objects` components in all.
void fill(TpgxReport &report, int objects)
{
    TpgxPage *page = nullptr;
    for (int i = 0; i < objects; ++i) {
        if (i % 100 == 0) {
            page = new TpgxPage(&report);
            page->setName(QStringLiteral("Page%1").arg(i / 100 + 1));
        }
        auto *c = new TpgxReportComponent(page);
        c->setName(QStringLiteral("Object%1").arg(i + 1));
        c->setDescription(QStringLiteral("Text of object %1 with \"quotes\" & <brackets>").arg(i));
        c->setTag(i);
    }
}

QByteArray saved(TpgxReport &report)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    pgx::saveComponentToStream(&report, &buffer);
    return buffer.data();
}

void bmSaveTemplate(benchmark::State &state)
{
    pgx::registerReportClasses();
    TpgxReport report;
    fill(report, int(state.range(0)));
    qint64 bytes = 0;
    for (auto _ : state)
        bytes += saved(report).size();
    state.SetBytesProcessed(bytes);
}
BENCHMARK(bmSaveTemplate)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

void bmLoadTemplate(benchmark::State &state)
{
    pgx::registerReportClasses();
    TpgxReport source;
    fill(source, int(state.range(0)));
    const QByteArray text = saved(source);
    qint64 bytes = 0;
    for (auto _ : state) {
        TpgxReport report;
        QBuffer buffer;
        buffer.setData(text);
        buffer.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(pgx::loadComponentFromStream(&report, &buffer));
        bytes += text.size();
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(bmLoadTemplate)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

}   // namespace

BENCHMARK_MAIN();
