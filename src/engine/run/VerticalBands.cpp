#include "engine/run/TpgxEngine.h"

#include "engine/aggregates/TpgxAggregateList.h"
#include "engine/run/BandKinds.h"
#include "engine/run/BandPart.h"
#include "meta/ClassRegistry.h"
#include "prepared/TpgxPreviewPages.h"
#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/data/TpgxDataSet.h"
#include "report/pages/TpgxReportPage.h"
#include "report/views/TpgxView.h"

using pgx::BandKind;

// A horizontal band crossed by vertical bands prints one row of cells:
// every vertical data band's rows become columns, each a copy of the cells
// that lie in that band. Columns beyond the page's width start a strip on
// the next page at the same height.
void TpgxEngine::produceCells(TpgxBand *owner)
{
    m_verticalOwner = owner;
    owner->setAllowSplit(false);
    m_verticalHeaders.clear();
    m_cellBreaks = {int(owner->objects().size())};
    m_curVColumn = 0;
    m_curX = 0;
    owner->runState().initialObjectCount = int(owner->objects().size());
    // The cells count their own rows; the band's own objects see its own.
    m_ownerLine = m_lineCounter;
    m_ownerAbsLine = m_absLineCounter;
    runVerticalLevel(m_curPage->runState().verticalDataBands);
    m_lineCounter = m_ownerLine;
    m_absLineCounter = m_ownerAbsLine;
    m_cellBreaks.append(int(owner->objects().size()));
}

void TpgxEngine::runVerticalLevel(const QList<TpgxDataBand *> &level)
{
    for (TpgxDataBand *band : level) {
        if (terminated())
            break;
        TpgxDataSet *source = band->effectiveDataSet();
        if (!source)
            continue;
        pgx::BandRunState &state = band->runState();
        source->first();
        state.lineCounter = 1;
        state.absLineCounter = 1;
        bool any = false;
        // ### groups of vertical bands are not shown yet.
        while (!source->eof() && !terminated()) {
            if (!any && state.headerBand) {
                showVerticalCell(state.headerBand);
                m_verticalHeaders.append(state.headerBand);
            }
            any = true;
            m_lineCounter = state.lineCounter;
            m_absLineCounter = state.absLineCounter;
            showVerticalCell(band);
            ++state.lineCounter;
            ++state.absLineCounter;
            QList<TpgxDataBand *> details;
            for (TpgxBand *sub : state.subBands)
                details.append(static_cast<TpgxDataBand *>(sub));
            runVerticalLevel(details);
            if (band->footerAfterEach() && state.footerBand)
                showVerticalCell(state.footerBand);
            source->next();
            if (band->rowCount() != 0 && state.lineCounter > band->rowCount())
                break;
        }
        if (any) {
            m_verticalHeaders.removeAll(state.headerBand);
            if (!band->footerAfterEach() && state.footerBand)
                showVerticalCell(state.footerBand);
        }
    }
}

void TpgxEngine::showVerticalCell(TpgxBand *column)
{
    TpgxBand *owner = m_verticalOwner;
    const auto kind = pgx::engine::bandKindOf(column);
    const bool isFooter = kind == BandKind::Footer || kind == BandKind::GroupFooter;
    if (pgx::engine::dataLevelOf(column) > 0)
        ++m_curVColumn;
    m_calcBand = isFooter ? column : owner;
    updateSystemValues();
    setCurrentObject(column);
    column->beforePrint();
    fire(column->onBeforePrint(), column);
    if (column->visible()) {
        if (m_curX + column->width() > m_pageWidth) {
            if (m_curPage->endlessWidth()) {
                m_pageWidth += column->width();
            } else if (m_curX > 0) {
                // A column wider than the page starts no strip of its own.
                m_curX = 0;
                m_cellBreaks.append(int(owner->objects().size()));
                const int line = m_lineCounter;
                const int absLine = m_absLineCounter;
                m_lineCounter = m_ownerLine;
                m_absLineCounter = m_ownerAbsLine;
                const QList<TpgxBand *> headers = m_verticalHeaders;
                for (TpgxBand *header : headers)
                    if (header != column)
                        showVerticalCell(header);
                m_lineCounter = line;
                m_absLineCounter = absLine;
            }
        }
        const QHash<const TpgxComponent *, TpgxBand *> &homes = m_curPage->runState().homeBands;
        for (TpgxComponent *component : column->objects()) {
            auto *cell = qobject_cast<TpgxReportComponent *>(component);
            if (!cell || homes.value(cell) != owner)
                continue;
            setCurrentObject(cell);
            cell->beforePrint();
            auto *view = qobject_cast<TpgxView *>(cell);
            if (view)
                fire(view->onBeforePrint(), view);
            if (cell->visible()) {
                cell->fetchData();
                if (view)
                    fire(view->onAfterData(), view);
            }
            auto *copy = static_cast<TpgxComponent *>(pgx::ClassRegistry::create(
                QString::fromLatin1(cell->metaObject()->className()), owner));
            copy->assign(cell);
            copy->setOriginalComponent(cell);
            copy->setLeft(cell->left() + m_curX);
            cell->afterPrint();
        }
        m_curX += column->width();
    }
    setCurrentObject(column);
    fire(column->onAfterPrint(), column);
    column->afterPrint();
    if (pgx::engine::dataLevelOf(column) > 0)
        m_aggregates.addValue(owner, m_curVColumn);
    if (isFooter)
        m_aggregates.resetFor(column);
    m_calcBand = owner;
}

// The strips of a row of cells, each on the next page at the same height;
// afterwards the run goes on where the row began.
void TpgxEngine::placeStrips(TpgxBand *owner, double leftBefore)
{
    const int page = m_pages.currentPage();
    const double top = m_curY;
    {
        pgx::engine::BandPart part(owner->objects());
        m_pages.setAddAction(TpgxPreviewPages::AddAction::WriteOver);
        const int strips = int(m_cellBreaks.size()) - 1;
        for (int strip = 0; strip < strips; ++strip) {
            if (strip > 0) {
                m_verticalReprint = true;
                newPage();
                m_verticalReprint = false;
            }
            // The band's own objects go with the first strip.
            const int from = strip == 0 ? 0 : m_cellBreaks[strip];
            const int to = m_cellBreaks[strip + 1];
            part.showOnly([from, to](int i, TpgxComponent *) { return i >= from && i < to; });
            owner->setLeft(0);
            owner->setTop(top);
            m_pages.addObject(owner);
        }
        if (strips > 1)
            finishPage();
    }
    m_pages.setCurrentPage(page);
    m_curY = top;
    m_curX = leftBefore;
    m_pages.setAddAction(TpgxPreviewPages::AddAction::Append);
}
