#include "engine/run/TpgxEngine.h"

#include "engine/aggregates/TpgxAggregateList.h"
#include "engine/run/EngineHost.h"
#include "prepared/TpgxPreviewPages.h"
#include "report/bands/TpgxDataBand.h"
#include "report/data/TpgxDataSet.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxMemoView.h"

#include <algorithm>

namespace {

QList<TpgxDataBand *> detailsOf(const TpgxDataBand *band)
{
    QList<TpgxDataBand *> details;
    for (TpgxBand *sub : band->runState().subBands)
        details.append(static_cast<TpgxDataBand *>(sub));
    return details;
}

}   // namespace

void TpgxEngine::runDataLevel(const QList<TpgxDataBand *> &level)
{
    (m_host ? m_host : m_nullHost.get())->processEvents();
    for (TpgxDataBand *band : level) {
        if (terminated())
            break;
        runDataBand(band);
    }
}

void TpgxEngine::runDataBand(TpgxDataBand *band)
{
    TpgxDataSet *source = band->effectiveDataSet();
    if (!source)
        return;
    pgx::BandRunState &state = band->runState();
    source->first();
    state.lineCounter = 1;
    state.absLineCounter = 1;
    band->selectColumn(1);
    for (TpgxComponent *object : band->objects())
        if (auto *memo = qobject_cast<TpgxCustomMemoView *>(object))
            memo->resetLastShownValue();
    const int rowLimit = band->rowCount();
    const bool grouped = state.groupBand != nullptr;
    int rowStart = 0;
    double rowTop = 0;
    // Below the tallest cell of the last row of columns.
    const auto finishBandColumns = [&] {
        if (band->columns() > 1 && band->curColumn() != 1) {
            band->selectColumn(band->columns());
            advanceBandColumn(band, rowTop, rowStart);
        }
    };
    bool firstRow = true;
    bool printedAny = false;
    // Where the last row began (store page, object index), for a footer
    // that keeps it.
    int footerKeepPage = -1;
    int footerKeepStart = -1;
    while (!source->eof() && !terminated()) {
        if (rowPrintable(band, band->printIfDetailEmpty())) {
            if (firstRow) {
                if (band->keepTogether())
                    startKeep(band);
                if (band->keepHeader() && state.headerBand)
                    startKeep(band);
                if (state.headerBand && state.headerBand->reprintOnNewPage())
                    registerHeader(state.headerBand);
                showBand(state.headerBand);
            } else if (!grouped && band->keepTogether()) {
                startKeep(band);
            }
            if (grouped) {
                if (firstRow)
                    showGroupHeaders(band, 0, true);
                else
                    checkGroups(band, finishBandColumns);
            }
            if (band->keepFooter()) {
                footerKeepPage = m_pages.currentPage();
                footerKeepStart = m_pages.currentPosition();
            }
            if (band->columns() > 1 && band->curColumn() == 1)
                rowStart = m_pages.currentPosition();
            rowTop = m_curY;
            m_lineCounter = state.lineCounter;
            m_absLineCounter = state.absLineCounter;
            showBand(band);
            if (firstRow && band->keepHeader() && state.headerBand)
                endKeep(band);
            ++state.lineCounter;
            ++state.absLineCounter;
            advanceBandColumn(band, rowTop, rowStart);
            countGroupRow(band);
            addOutline(band);
            runDataLevel(detailsOf(band));
            if (!band->outlineText().isEmpty())
                m_pages.outline().levelUp();
            firstRow = false;
            printedAny = true;
        }
        m_suppressKeep = false;
        if (band->footerAfterEach())
            showBand(state.footerBand);
        if (!grouped && band->keepTogether())
            endKeep(band);
        source->next();
        if (rowLimit != 0 && state.lineCounter > rowLimit)
            break;
    }
    finishBandColumns();
    if (printedAny) {
        // After the last record too, the footers see the last one.
        if (grouped)
            closeGroups(band, 0);
        if (!band->footerAfterEach()) {
            // The last row travels with the footer, unless a page break
            // already parted them.
            if (band->keepFooter())
                startKeep(band, footerKeepPage == m_pages.currentPage() ? footerKeepStart : -1);
            m_footerKeep = true;
            struct FooterDone
            {
                bool &flag;
                ~FooterDone() { flag = false; }
            } footerDone{m_footerKeep};
            showBand(state.footerBand);
            if (band->keepFooter())
                endKeep(band);
        }
        unregisterHeader(state.headerBand);
        if (grouped && band->keepTogether())
            endKeep(band);
    }
    m_suppressKeep = false;
}

void TpgxEngine::advanceBandColumn(TpgxDataBand *band, double rowTop, int rowStart)
{
    if (band->columns() <= 1)
        return;
    pgx::BandRunState &state = band->runState();
    state.columnRowBottom = std::max(state.columnRowBottom, m_curY);
    if (band->curColumn() < band->columns()) {
        m_curY = rowTop;
    } else if (state.columnRowBottom <= m_pageHeight - bottomReservedHeight()) {
        m_curY = state.columnRowBottom;
    } else if (m_keeping) {
        newColumn();
    } else {
        // The row of columns does not fit: it moves whole.
        const double rowHeight = state.columnRowBottom - rowTop;
        m_pages.cutObjects(rowStart);
        newColumn();
        m_pages.pasteObjects(m_curX, m_curY);
        m_curY += rowHeight;
    }
    if (band->visible()) {
        band->selectColumn(band->curColumn() + 1);
        if (band->curColumn() == 1)
            state.columnRowBottom = 0;
    }
}

bool TpgxEngine::levelHasPrintableRow(const QList<TpgxDataBand *> &level, bool printIfDetailEmpty)
{
    if (printIfDetailEmpty)
        return true;
    for (TpgxDataBand *detail : level) {
        TpgxDataSet *source = detail->effectiveDataSet();
        if (!source)
            continue;
        fire(detail->onMasterDetail(), detail);
        source->first();
        while (!source->eof()) {
            if (rowPrintable(detail, detail->printIfDetailEmpty()))
                return true;
            source->next();
        }
    }
    return false;
}

bool TpgxEngine::rowPrintable(TpgxDataBand *band, bool printIfDetailEmpty)
{
    if (printIfDetailEmpty)
        return true;
    const QList<TpgxDataBand *> details = detailsOf(band);
    return details.isEmpty() || levelHasPrintableRow(details, false);
}
