// A prepared report of 3,000 pages (a header, 40 rows of three text objects
// and a footer on each) written to PDF through the store's page drawing,
// with the file cache on as a long run has it. The goal: under 5 s and under
// 150 MB peak memory (the "peak_rss_mb" counter, the process's maximum
// resident set so far). Measured on the shared development machine (two
// cores, load 3 to 4 from other builds): 8.7 s wall, 8.0 s CPU, 89 MB peak
// (before objects were built from parsed descriptions and unchanged pages
// stopped going back to the file cache: 10.3 s, 9.8 s CPU, 88 MB).
// ### the time goal is not met, and cannot be inside Qt 6.4's PDF engine:
// of what is left, the engine compressing the page contents takes about a
// quarter (each glyph is its own positioning operator, three fifths of the
// content; zlib is set up anew for each page) and drawing the glyph runs
// through it a sixth; making and destroying the QObjects of each page (122
// objects, each with its font, frame and highlight) another quarter.
// Reusing built objects between pages is the next step there.
#include "../support/SalesPages.h"
#include "prepared/export/PageExport.h"

#include <benchmark/benchmark.h>

#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>

#include <sys/resource.h>

namespace {

constexpr int kPages = 3000;
constexpr int kRows = 40;

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024;
}

void bmPdf3000Pages(benchmark::State &state)
{
    QTemporaryDir dir;
    for (auto _ : state) {
        state.PauseTiming();
        TpgxReport report;
        report.previewOptions()->pagesInCache = 10;
        TpgxPreviewPages pages(&report);
        pgx::bench::fillSalesPages(report, pages, dir.path(), kPages, kRows, 22);
        QList<int> all;
        for (int i = 0; i < pages.count(); ++i)
            all << i;
        state.ResumeTiming();
        const QString error
            = pgx::prepared::exportPdf(pages, dir.filePath(QStringLiteral("sales.pdf")), all);
        if (!error.isEmpty())
            state.SkipWithError(error.toUtf8().constData());
    }
    state.counters["peak_rss_mb"] = peakRssMb();
}
BENCHMARK(bmPdf3000Pages)->Unit(benchmark::kMillisecond)->Iterations(1);

}   // namespace

PGX_BENCHMARK_MAIN_WITH(QGuiApplication)
