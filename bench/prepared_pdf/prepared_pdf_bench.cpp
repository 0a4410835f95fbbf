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
#include "prepared/TpgxPreviewPages.h"
#include "prepared/export/PageExport.h"
#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/ReportOptions.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxLineView.h"
#include "report/views/TpgxMemoView.h"

#include <benchmark/benchmark.h>

#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>

#include <sys/resource.h>

namespace {

constexpr int kPages = 3000;
constexpr int kRows = 40;

TpgxMemoView *memo(TpgxComponent *parent, const QString &name, double left, double width)
{
    auto *m = new TpgxMemoView(parent);
    m->setName(name);
    m->setBounds(left, 0, width, 18);
    return m;
}

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024;
}

void bmPdf3000Pages(benchmark::State &state)
{
    pgx::registerReportClasses();
    QTemporaryDir dir;
    for (auto _ : state) {
        state.PauseTiming();
        TpgxReport report;
        report.engineOptions()->useFileCache = true;
        report.engineOptions()->tempDir = dir.path();
        report.previewOptions()->pagesInCache = 10;
        auto *page = new TpgxReportPage(&report);
        page->setName(QStringLiteral("Page1"));
        auto *header = new TpgxPageHeader(page);
        header->setName(QStringLiteral("Header"));
        header->setBounds(0, 0, 700, 30);
        memo(header, QStringLiteral("Title"), 0, 400)->setText(QStringLiteral("Sales by day"));
        auto *band = new TpgxMasterData(page);
        band->setName(QStringLiteral("Rows"));
        band->setBounds(0, 40, 700, 20);
        TpgxMemoView *date = memo(band, QStringLiteral("Date"), 0, 120);
        TpgxMemoView *item = memo(band, QStringLiteral("Item"), 130, 400);
        TpgxMemoView *total = memo(band, QStringLiteral("Total"), 540, 150);
        total->frame()->setTyp(TpgxFrame::ftBottom);
        auto *footer = new TpgxPageFooter(page);
        footer->setName(QStringLiteral("Footer"));
        footer->setBounds(0, 1000, 700, 20);
        (new TpgxLineView(footer))->setBounds(0, 0, 700, 0);

        TpgxPreviewPages pages(&report);
        pages.beginRun();
        pages.addSourcePage(page);
        pages.beginPass();
        int row = 0;
        for (int p = 0; p < kPages; ++p) {
            pages.addPage(page);
            pages.addObject(header);
            for (int r = 0; r < kRows; ++r, ++row) {
                band->setTop(40 + r * 22);
                date->setText(QStringLiteral("2026-%1-%2").arg(1 + row % 12).arg(1 + row % 28));
                item->setText(QStringLiteral("Item number %1 of the catalogue").arg(row));
                total->setText(QString::number(row * 7.25, 'f', 2));
                pages.addObject(band);
            }
            pages.addObject(footer);
        }
        pages.closeLogicalRun();
        pages.endRun();
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

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
