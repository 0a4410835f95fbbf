// Loading and saving whole templates through the report: the serializer,
// the data page step (moving every data source of a template without one)
// and the PropData lists, for reports of growing size.
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include <benchmark/benchmark.h>

#include <QtCore/QBuffer>

namespace {

// The report's PropData attribute holding `variables` variables.
QByteArray variablesAttribute(int variables)
{
    TpgxReport report;
    for (int v = 0; v < variables; ++v)
        report.variables()->setValue(QStringLiteral("Var%1").arg(v),
                                     QStringLiteral("%1 + 1").arg(v));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    report.saveToStream(&out);
    const QByteArray &saved = out.data();
    const qsizetype start = saved.indexOf(" PropData=\"");
    return saved.mid(start, saved.indexOf('"', start + 11) + 1 - start);
}

// `pages` report pages of 10 bands with 10 objects each and a user data
// source per page, but no data page, so that loading has to build one and
// move the sources; `variables` report variables.
QByteArray makeTemplate(int pages, int variables)
{
    QByteArray text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TpgxReport"
        + variablesAttribute(variables) + ">\r\n";
    int n = 0;
    for (int p = 1; p <= pages; ++p) {
        text += "  <TpgxReportPage Name=\"Page" + QByteArray::number(p) + "\">\r\n";
        text += "    <TpgxUserDataSet Name=\"Source" + QByteArray::number(p) + "\"/>\r\n";
        for (int b = 0; b < 10; ++b) {
            text += "    <TpgxMasterData Name=\"Band" + QByteArray::number(++n)
                + "\" Height=\"20\" Top=\"" + QByteArray::number(b * 25) + "\">\r\n";
            for (int o = 0; o < 10; ++o)
                text += "      <TpgxReportComponent Name=\"Item" + QByteArray::number(++n)
                    + "\" Tag=\"" + QByteArray::number(o) + "\"/>\r\n";
            text += "    </TpgxMasterData>\r\n";
        }
        text += "  </TpgxReportPage>\r\n";
    }
    return text + "</TpgxReport>\r\n";
}

void bmLoadTemplate(benchmark::State &state)
{
    pgx::registerReportClasses();
    const QByteArray text = makeTemplate(int(state.range(0)), int(state.range(1)));
    TpgxReport report;
    report.engineOptions()->newSilentMode = TpgxEngineOptions::simSilent;
    for (auto _ : state) {
        QBuffer in;
        in.setData(text);
        in.open(QIODevice::ReadOnly);
        report.loadFromStream(&in);
        benchmark::DoNotOptimize(report.objects().size());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
    state.counters["objects"] = double(report.allObjects().size());
}
BENCHMARK(bmLoadTemplate)
    ->Args({1, 10})
    ->Args({10, 100})
    ->Args({100, 1000})
    ->Unit(benchmark::kMillisecond);

void bmSaveTemplate(benchmark::State &state)
{
    pgx::registerReportClasses();
    const QByteArray text = makeTemplate(int(state.range(0)), int(state.range(1)));
    TpgxReport report;
    QBuffer in;
    in.setData(text);
    in.open(QIODevice::ReadOnly);
    report.loadFromStream(&in);
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        report.saveToStream(&out);
        bytes = out.size();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
}
BENCHMARK(bmSaveTemplate)
    ->Args({1, 10})
    ->Args({10, 100})
    ->Args({100, 1000})
    ->Unit(benchmark::kMillisecond);

}   // namespace

BENCHMARK_MAIN();
