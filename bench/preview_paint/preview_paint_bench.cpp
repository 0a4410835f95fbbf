// The preview's painting, on a prepared report of 3,000 pages of 200 text
// objects each (a title, 66 rows of three memos, a footer line):
// - opening it: laying out every page's rectangle, no page built;
// - painting the page in view at 100 % when it is in the store's cache (the
//   goal: under 16 ms), and when it has to be built from the store first
//   (scrolling to a page not seen yet);
// - scrolling a screenful further and painting what comes into view.
// Measured on the shared development machine (two cores), a 1000 x 1200
// workspace with a page and a third in view: opening 0.6 ms; painting the
// cached page 3.3 ms; a page not seen yet 8.3 ms (built from the store);
// a screenful further 7.0 ms.
#include "prepared/TpgxPreviewPages.h"
#include "preview/workspace/TpgxPreviewWorkspace.h"
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
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>

#include <memory>

namespace {

constexpr int kPages = 3000;
constexpr int kRows = 66;

TpgxMemoView *memo(TpgxComponent *parent, const QString &name, double left, double width)
{
    auto *m = new TpgxMemoView(parent);
    m->setName(name);
    m->setBounds(left, 0, width, 15);
    return m;
}

// The report and its prepared pages, made once for all benchmarks.
struct Fixture
{
    QTemporaryDir dir;
    TpgxReport report;
    TpgxPreviewPages pages{&report};

    Fixture()
    {
        pgx::registerReportClasses();
        report.engineOptions()->useFileCache = true;
        report.engineOptions()->tempDir = dir.path();
        auto *page = new TpgxReportPage(&report);
        page->setName(QStringLiteral("Page1"));
        auto *header = new TpgxPageHeader(page);
        header->setName(QStringLiteral("Header"));
        header->setBounds(0, 0, 700, 20);
        memo(header, QStringLiteral("Title"), 0, 400)->setText(QStringLiteral("Sales by day"));
        auto *band = new TpgxMasterData(page);
        band->setName(QStringLiteral("Rows"));
        band->setBounds(0, 30, 700, 15);
        TpgxMemoView *date = memo(band, QStringLiteral("Date"), 0, 120);
        TpgxMemoView *item = memo(band, QStringLiteral("Item"), 130, 400);
        TpgxMemoView *total = memo(band, QStringLiteral("Total"), 540, 150);
        total->frame()->setTyp(TpgxFrame::ftBottom);
        auto *footer = new TpgxPageFooter(page);
        footer->setName(QStringLiteral("Footer"));
        footer->setBounds(0, 1040, 700, 10);
        (new TpgxLineView(footer))->setBounds(0, 0, 700, 0);

        pages.beginRun();
        pages.addSourcePage(page);
        pages.beginPass();
        int row = 0;
        for (int p = 0; p < kPages; ++p) {
            pages.addPage(page);
            pages.addObject(header);
            for (int r = 0; r < kRows; ++r, ++row) {
                band->setTop(30 + r * 15);
                date->setText(QStringLiteral("2026-%1-%2").arg(1 + row % 12).arg(1 + row % 28));
                item->setText(QStringLiteral("Item number %1 of the catalogue").arg(row));
                total->setText(QString::number(row * 7.25, 'f', 2));
                pages.addObject(band);
            }
            pages.addObject(footer);
        }
        pages.closeLogicalRun();
        pages.endRun();
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// A workspace the size of a large window's client area, at 100 %.
std::unique_ptr<pgx::preview::TpgxPreviewWorkspace> workspace()
{
    auto w = std::make_unique<pgx::preview::TpgxPreviewWorkspace>();
    w->resize(1000, 1200);
    w->show();   // lays the viewport out at that size
    w->setPages(&fixture().pages);
    w->setZoom(1);
    return w;
}

void paint(pgx::preview::TpgxPreviewWorkspace &w, QImage &image)
{
    QPainter painter(&image);
    w.viewport()->render(&painter);
}

void bmOpen3000Pages(benchmark::State &state)
{
    fixture();
    for (auto _ : state) {
        pgx::preview::TpgxPreviewWorkspace w;
        w.resize(1000, 1200);
        w.show();
        w.setPages(&fixture().pages);
        benchmark::DoNotOptimize(w.pageList().count());
    }
}
BENCHMARK(bmOpen3000Pages)->Unit(benchmark::kMillisecond);

void bmPaintCachedPage(benchmark::State &state)
{
    auto w = workspace();
    QImage image(w->viewport()->size(), QImage::Format_RGB32);
    paint(*w, image);   // builds the page into the cache
    // A look at what is measured: PGX_BENCH_SNAPSHOT=FILE.png writes it.
    if (const QByteArray file = qgetenv("PGX_BENCH_SNAPSHOT"); !file.isEmpty())
        image.save(QString::fromLocal8Bit(file));
    for (auto _ : state)
        paint(*w, image);
}
BENCHMARK(bmPaintCachedPage)->Unit(benchmark::kMillisecond);

void bmPaintPageNotSeenYet(benchmark::State &state)
{
    auto w = workspace();
    QImage image(w->viewport()->size(), QImage::Format_RGB32);
    int page = 100;
    for (auto _ : state) {
        w->scrollToPage(page);
        page = page + 97 < kPages ? page + 97 : 100 + page % 97;
        paint(*w, image);
    }
}
BENCHMARK(bmPaintPageNotSeenYet)->Unit(benchmark::kMillisecond);

void bmScrollAScreenful(benchmark::State &state)
{
    auto w = workspace();
    QImage image(w->viewport()->size(), QImage::Format_RGB32);
    QScrollBar *bar = w->verticalScrollBar();
    bar->setValue(0);
    for (auto _ : state) {
        bar->setValue(bar->value() + w->viewport()->height() < bar->maximum()
                          ? bar->value() + w->viewport()->height()
                          : 0);
        paint(*w, image);
    }
}
BENCHMARK(bmScrollAScreenful)->Unit(benchmark::kMillisecond);

}   // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
