#include "engine/run/TpgxEngine.h"

#include "prepared/TpgxPreviewPages.h"
#include "report/bands/Bands.h"
#include "report/component/Units.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxSubreport.h"

#include <tuple>

namespace {

QList<TpgxSubreport *> subreportsOf(const TpgxBand *band, bool onParent)
{
    QList<TpgxSubreport *> found;
    for (TpgxComponent *object : band->objects()) {
        auto *sub = qobject_cast<TpgxSubreport *>(object);
        if (sub && sub->visible() && sub->printOnParent() == onParent && sub->reportPage())
            found.append(sub);
    }
    return found;
}

}   // namespace

void TpgxEngine::runSubreportPage(TpgxReportPage *page)
{
    // A subreport that prints itself, directly or through others, would
    // never end.
    if (m_subreportPages.contains(page)) {
        m_report.addError(QStringLiteral("Subreport page %1 contains itself; it is printed once")
                              .arg(page->name()));
        return;
    }
    m_subreportPages.append(page);
    struct Leave
    {
        QList<TpgxReportPage *> &pages;
        ~Leave() { pages.removeLast(); }
    } leave{m_subreportPages};
    runDataLevel(page->runState().horizontalDataBands);
}

void TpgxEngine::printSubreports(TpgxBand *band)
{
    const QList<TpgxSubreport *> subreports = subreportsOf(band, false);
    if (subreports.isEmpty())
        return;
    const int startPage = m_pages.currentPage();
    const int startColumn = m_curColumn;
    const double startX = m_curX;
    const double startY = m_curY;
    const double startArea = m_areaLeft;
    auto furthest = std::make_tuple(startPage, startColumn, startY);
    for (TpgxSubreport *sub : subreports) {
        m_pages.setCurrentPage(startPage);
        m_curColumn = startColumn;
        m_areaLeft = startArea + sub->left();
        m_curX = startX + sub->left();
        m_curY = startY - band->height() + sub->top();
        runSubreportPage(sub->reportPage());
        furthest = std::max(furthest, std::make_tuple(m_pages.currentPage(), m_curColumn, m_curY));
    }
    m_pages.setCurrentPage(std::get<0>(furthest));
    m_curColumn = std::get<1>(furthest);
    m_curX = startArea;
    if (m_curColumn > 1 && m_curPage)
        m_curX += m_curPage->columnPositions().value(m_curColumn - 1).toDouble() * kPg01cm;
    m_curY = std::get<2>(furthest);
    m_areaLeft = startArea;
}

void TpgxEngine::collectSubreportsOnParent(TpgxBand *band)
{
    if (m_subreportCollector)
        return;
    TpgxNullBand collector;
    m_subreportCollector = &collector;
    band->runState().initialObjectCount = int(band->objects().size());
    const double savedX = m_curX;
    const double savedY = m_curY;
    const double savedArea = m_areaLeft;
    struct Restore
    {
        TpgxEngine &e;
        double x, y, area;
        ~Restore()
        {
            e.m_curX = x;
            e.m_curY = y;
            e.m_areaLeft = area;
            e.m_subreportCollector = nullptr;
        }
    };
    {
        Restore restore{*this, savedX, savedY, savedArea};
        for (TpgxSubreport *sub : subreportsOf(band, true)) {
            m_areaLeft = savedArea + sub->left();
            m_curX = savedX + sub->left();
            m_curY = sub->top();
            runSubreportPage(sub->reportPage());
        }
    }
    // Every printed view moves into the band at its place there.
    QList<std::pair<TpgxComponent *, QPointF>> moves;
    const auto collect = [&](auto &&self, TpgxComponent *parent, QPointF origin) -> void {
        for (TpgxComponent *object : parent->objects()) {
            const QPointF at = origin + QPointF(object->left(), object->top());
            if (qobject_cast<TpgxBand *>(object))
                self(self, object, at);
            else if (qobject_cast<TpgxView *>(object) && !qobject_cast<TpgxSubreport *>(object))
                moves.append({object, at});
        }
    };
    collect(collect, &collector, QPointF());
    for (const auto &[object, at] : moves) {
        object->setParentFont(false);
        object->setParentComponent(band);
        object->setLeft(at.x());
        object->setTop(at.y());
        if (auto *stretching = qobject_cast<TpgxStretcheable *>(object))
            stretching->setStretchMode(TpgxStretcheable::smDontStretch);
    }
}
