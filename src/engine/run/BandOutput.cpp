#include "engine/run/TpgxEngine.h"

#include "engine/aggregates/TpgxAggregateList.h"
#include "engine/expressions/ReportEvaluation.h"
#include "engine/run/BandKinds.h"
#include "engine/run/ShiftTree.h"
#include "prepared/TpgxPreviewPages.h"
#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxMemoView.h"
#include "report/views/TpgxSubreport.h"
#include "report/views/TpgxView.h"

#include <algorithm>
#include <cmath>

using pgx::BandKind;

namespace {

bool isMultiColumnData(const TpgxBand *band)
{
    const auto *data = qobject_cast<const TpgxDataBand *>(band);
    return data && data->columns() > 1;
}

}   // namespace

void TpgxEngine::showBand(TpgxBand *band)
{
    if (!band)
        return;
    const bool keepChild = band->keepChild();
    if (keepChild)
        startKeep(band);
    outputBand(band);
    if (TpgxBand *child = band->child();
        child && (band->visible() || band->printChildIfInvisible()))
        showBand(child);
    if (keepChild)
        endKeep(band);
    if (qobject_cast<TpgxDataBand *>(band))
        m_aggregates.addValue(band, 0);
}

void TpgxEngine::outputBand(TpgxBand *band)
{
    if (band->vertical()) {
        if (m_verticalOwner)
            showVerticalCell(band);
        return;
    }
    const bool crossed = band->runState().crossedByVerticalBands && !m_verticalOwner && m_curPage;
    const double leftBefore = m_curX;
    if (crossed) {
        setCurrentObject(band);
        fire(band->onBeforePrint(), band);
        produceCells(band);
        m_curX = 0;
        m_pages.setAddAction(TpgxPreviewPages::AddAction::Append);
    }
    struct EndCells
    {
        TpgxEngine &e;
        bool on;
        ~EndCells()
        {
            if (on)
                e.m_verticalOwner = nullptr;
        }
    } endCells{*this, crossed};
    const auto kind = pgx::engine::bandKindOf(band);
    const bool isNull = !kind && qobject_cast<TpgxNullBand *>(band);
    if (!m_inHeaderReprint && band->visible() && band->startNewPage() && !m_subreportCollector) {
        const bool countsRows
            = (kind && pgx::engine::isDataKind(*kind)) || kind == BandKind::GroupHeader;
        if (!countsRows || band->runState().lineCounter != 1) {
            m_newPageBand = band;
            if (auto *group = qobject_cast<TpgxGroupHeader *>(band);
                group && group->resetPageNumbers())
                m_pages.closeLogicalRun();
            newPage();
            m_newPageBand = nullptr;
        }
    }

    {
        calculateBand(band);
        ReleaseGuard release{*this, band};
        band->runState().calculatedHeight = band->height();
        if (band->visible()) {
            const bool breaks = !isMultiColumnData(band) && kind != BandKind::Overlay && !isNull;
            const bool fits = freeSpace() >= band->height() || atFreshTop();
            if (breaks && !fits && !m_subreportCollector && band->allowSplit()) {
                splitBand(band);
                m_aggregates.resetFor(band);
                if (band->visible())
                    printSubreports(band);
                return;
            }
            if (breaks && !fits && !m_subreportCollector) {
                bool forgot = false;
                for (TpgxComponent *object : band->objects()) {
                    auto *memo = qobject_cast<TpgxCustomMemoView *>(object);
                    if (memo && memo->suppressRepeated()) {
                        memo->resetLastShownValue();
                        forgot = true;
                    }
                }
                if (forgot) {
                    releaseBand(band);
                    calculateBand(band);
                }
                newColumn();
            }
            if (!isNull) {
                double left = m_curX;
                if (auto *data = qobject_cast<TpgxDataBand *>(band);
                    data && isMultiColumnData(band))
                    left += (data->curColumn() - 1) * (data->columnWidth() + data->columnGap());
                band->setLeft(left);
                band->setTop(m_curY);
            }
            if (crossed)
                placeStrips(band, leftBefore);
            else
                placeBand(band);
            m_curY += band->height();
        }
    }
    m_aggregates.resetFor(band);
    if (band->visible())
        printSubreports(band);
}

void TpgxEngine::placeBand(TpgxBand *band)
{
    if (m_subreportCollector) {
        auto *copy = new TpgxBand(m_subreportCollector);
        copy->assignTree(band);
        return;
    }
    if (m_inHeaderReprint && m_pages.bandOnCurrentPage(band))
        return;
    m_pages.addObject(band);
}

void TpgxEngine::setCurrentObject(const TpgxComponent *object)
{
    evaluation().setCurrentObjectName(object ? object->name() : QString());
}

void TpgxEngine::updateSystemValues()
{
    pgx::engine::SystemValues &system = evaluation().systemValues();
    system.page = m_pages.logicalPageNumber();
    system.pageIndex = m_pages.currentPage() + 1;
    system.totalPages = m_pages.logicalTotalPages(m_totalPages);
    system.totalPagesNo = m_totalPages;
    system.line = m_lineCounter;
    system.lineNo = m_absLineCounter;
}

void TpgxEngine::calculateBand(TpgxBand *band)
{
    m_calcBand = band;
    updateSystemValues();
    setCurrentObject(band);
    band->beforePrint();
    // The band whose cells were made has had its events and its cells
    // their data.
    const bool ownsCells = band == m_verticalOwner;
    const int firstCell = ownsCells ? band->runState().initialObjectCount : -1;
    if (!ownsCells)
        fire(band->onBeforePrint(), band);

    QHash<TpgxComponent *, double> growth;
    bool collectsSubreports = false;
    const QList<TpgxComponent *> objects = band->objects();
    for (qsizetype index = 0; index < objects.size(); ++index) {
        auto *object = qobject_cast<TpgxReportComponent *>(objects[index]);
        if (!object)
            continue;
        auto *view = qobject_cast<TpgxView *>(object);
        if (auto *sub = qobject_cast<TpgxSubreport *>(object); sub && sub->printOnParent())
            collectsSubreports = true;
        setCurrentObject(object);
        object->beforePrint();
        const bool isCell = ownsCells && index >= firstCell;
        if (view && band->visible() && !isCell)
            fire(view->onBeforePrint(), view);
        if (object->visible() && !isCell) {
            object->fetchData();
            if (view)
                fire(view->onAfterData(), view);
        }
        auto *stretching = qobject_cast<TpgxStretcheable *>(object);
        if (band->visible() && object->visible() && stretching
            && stretching->stretchMode() != TpgxStretcheable::smDontStretch) {
            const double needed = stretching->calcHeight();
            if (needed > stretching->height()) {
                growth.insert(stretching, needed - stretching->height());
                stretching->setHeight(needed);
            }
        }
    }
    if (!band->visible())
        return;
    if (!growth.isEmpty())
        shiftObjects(band, growth);
    if (collectsSubreports)
        collectSubreportsOnParent(band);

    double bottom = 0;
    for (const TpgxComponent *object : band->objects())
        bottom = std::max(bottom, object->top() + object->height());
    if (band->stretched())
        band->setHeight(bottom);
    setCurrentObject(band);
    fire(band->onAfterCalcHeight(), band);
    for (TpgxComponent *object : band->objects()) {
        auto *stretching = qobject_cast<TpgxStretcheable *>(object);
        if (stretching && stretching->stretchMode() == TpgxStretcheable::smMaxHeight)
            stretching->setHeight(bottom - stretching->top());
    }
}

void TpgxEngine::shiftObjects(TpgxBand *band, const QHash<TpgxComponent *, double> &growth)
{
    using pgx::engine::ShiftTree;
    const QList<TpgxComponent *> &objects = band->objects();
    BandShiftTree &cached = m_shiftTrees[band];
    if (!cached.tree || cached.objects != objects) {
        QList<QRectF> rects;
        for (const TpgxComponent *object : objects)
            rects.append(
                QRectF(object->left(), object->top(), object->width(),
                       object->height() - growth.value(const_cast<TpgxComponent *>(object))));
        cached.objects = objects;
        cached.tree = std::make_shared<ShiftTree>(rects, band->width());
    }
    QList<ShiftTree::Item> items;
    for (TpgxComponent *object : objects) {
        ShiftTree::Item item{object->top(), object->height(), growth.value(object)};
        if (const auto *view = qobject_cast<const TpgxView *>(object)) {
            item.mode = view->shiftMode() == TpgxView::smDontShift ? ShiftTree::Mode::DontShift
                : view->shiftMode() == TpgxView::smWhenOverlapped  ? ShiftTree::Mode::WhenOverlapped
                                                                   : ShiftTree::Mode::Always;
        }
        items.append(item);
    }
    cached.tree->shift(items);
    for (qsizetype i = 0; i < objects.size(); ++i)
        objects[i]->setTop(items[i].top);
}

void TpgxEngine::releaseBand(TpgxBand *band)
{
    if (band->visible()) {
        for (TpgxComponent *object : band->objects()) {
            if (auto *view = qobject_cast<TpgxView *>(object)) {
                setCurrentObject(view);
                fire(view->onAfterPrint(), view);
            }
        }
    }
    for (TpgxComponent *component : band->objects())
        if (auto *object = qobject_cast<TpgxReportComponent *>(component))
            object->afterPrint();
    setCurrentObject(band);
    fire(band->onAfterPrint(), band);
    band->afterPrint();
    pgx::BandRunState &state = band->runState();
    if (state.initialObjectCount >= 0) {
        while (band->objects().size() > state.initialObjectCount)
            delete band->objects().last();
        state.initialObjectCount = -1;
    }
}

void TpgxEngine::addOutline(TpgxBand *band)
{
    if (band->outlineText().isEmpty() || !band->visible())
        return;
    const double height = band->stretched() ? band->runState().calculatedHeight : band->height();
    // A page break while the band was shown calculated the reprinted
    // headers with their own line numbers since.
    updateSystemValues();
    m_pages.outline().addItem(m_report.calc(band->outlineText()).toString(),
                              int(std::round(m_curY - height)));
}

QVariant TpgxEngine::computeAggregate(const QString &name, const QString &expression,
                                      TpgxBand *band, int flags)
{
    return m_aggregates.value(m_calcBand, m_curVColumn, name, expression, band, flags);
}
