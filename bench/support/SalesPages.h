#pragma once

// The prepared report the page benchmarks share: `pages` pages of a title,
// `rows` rows of three text objects (a date, an item, a total with a bottom
// line) `rowHeight` apart, and a footer line, added to the store the way the
// engine adds them, with the file cache on as a long run has it.
#include "prepared/TpgxPreviewPages.h"
#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/ReportOptions.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxLineView.h"
#include "report/views/TpgxMemoView.h"

#include <benchmark/benchmark.h>

#include <QtCore/QString>

namespace pgx::bench {

inline TpgxMemoView *benchMemo(TpgxComponent *parent, const QString &name, double left,
                               double width, double height)
{
    auto *m = new TpgxMemoView(parent);
    m->setName(name);
    m->setBounds(left, 0, width, height);
    return m;
}

inline void fillSalesPages(TpgxReport &report, TpgxPreviewPages &pages, const QString &tempDir,
                           int pageCount, int rows, double rowHeight)
{
    pgx::registerReportClasses();
    report.engineOptions()->useFileCache = true;
    report.engineOptions()->tempDir = tempDir;
    auto *page = new TpgxReportPage(&report);
    page->setName(QStringLiteral("Page1"));
    auto *header = new TpgxPageHeader(page);
    header->setName(QStringLiteral("Header"));
    header->setBounds(0, 0, 700, 30);
    benchMemo(header, QStringLiteral("Title"), 0, 400, rowHeight)
        ->setText(QStringLiteral("Sales by day"));
    auto *band = new TpgxMasterData(page);
    band->setName(QStringLiteral("Rows"));
    band->setBounds(0, 40, 700, rowHeight);
    TpgxMemoView *date = benchMemo(band, QStringLiteral("Date"), 0, 120, rowHeight - 2);
    TpgxMemoView *item = benchMemo(band, QStringLiteral("Item"), 130, 400, rowHeight - 2);
    TpgxMemoView *total = benchMemo(band, QStringLiteral("Total"), 540, 150, rowHeight - 2);
    total->frame()->setTyp(TpgxFrame::ftBottom);
    auto *footer = new TpgxPageFooter(page);
    footer->setName(QStringLiteral("Footer"));
    footer->setBounds(0, 40 + rows * rowHeight + 10, 700, 20);
    (new TpgxLineView(footer))->setBounds(0, 0, 700, 0);

    pages.beginRun();
    pages.addSourcePage(page);
    pages.beginPass();
    int row = 0;
    for (int p = 0; p < pageCount; ++p) {
        pages.addPage(page);
        pages.addObject(header);
        for (int r = 0; r < rows; ++r, ++row) {
            band->setTop(40 + r * rowHeight);
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

}   // namespace pgx::bench

// main() of a benchmark that paints: an application of `App` (QGuiApplication
// or QApplication) on the offscreen platform.
#define PGX_BENCHMARK_MAIN_WITH(App) \
    int main(int argc, char **argv) \
    { \
        qputenv("QT_QPA_PLATFORM", "offscreen"); \
        App app(argc, argv); \
        benchmark::Initialize(&argc, argv); \
        benchmark::RunSpecifiedBenchmarks(); \
        benchmark::Shutdown(); \
        return 0; \
    }
