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
#include "../support/SalesPages.h"
#include "preview/workspace/TpgxPreviewWorkspace.h"

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

// The report and its prepared pages, made once for all benchmarks.
struct Fixture
{
    QTemporaryDir dir;
    TpgxReport report;
    TpgxPreviewPages pages{&report};

    Fixture() { pgx::bench::fillSalesPages(report, pages, dir.path(), kPages, kRows, 15); }
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

PGX_BENCHMARK_MAIN_WITH(QApplication)
