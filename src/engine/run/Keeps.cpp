#include "engine/run/TpgxEngine.h"

#include "engine/aggregates/TpgxAggregateList.h"
#include "platform/format/NumberText.h"
#include "prepared/TpgxOutline.h"
#include "prepared/TpgxPreviewPages.h"
#include "report/bands/TpgxBand.h"

// A keep holds together the bands placed since it started: when the page
// breaks in the middle of them, they are taken off the page and put at the
// top of the next one. A page break consumes the keep, so a kept block
// taller than a page moves once and then overflows or breaks like any other
// content: it never moves again.

void TpgxEngine::startKeep(TpgxBand *band, int from)
{
    if (m_keeping || m_suppressKeep)
        return;
    m_keeping = true;
    m_keepBand = band;
    m_keepPage = m_pages.currentPage();
    m_keepStart = from >= 0 ? from : m_pages.currentPosition();
    TpgxOutline &outline = m_pages.outline();
    m_keepOutlineLevel = outline.currentLevel();
    m_keepOutlineIndex = outline.count();
    m_keepAnchor = m_pages.anchorCount() - 1;
    m_aggregates.beginKeep();
}

void TpgxEngine::endKeep(TpgxBand *band)
{
    if (!m_keeping || band != m_keepBand)
        return;
    dropKeep();
}

void TpgxEngine::dropKeep()
{
    m_keeping = false;
    m_keepBand = nullptr;
    m_keepOutlineLevel = nullptr;
    // Headers registered during the keep are reprinted again from now on.
    for (HeaderEntry &entry : m_headers)
        entry.duringKeep = false;
    m_aggregates.endKeep();
}

bool TpgxEngine::cutKeptObjects()
{
    if (!m_keeping)
        return false;
    // A keep begun on another page (a subreport went back to an earlier
    // one) has nothing here to move, and ends. One with nothing placed yet
    // (the kept band itself breaks the page) still moves the anchors and
    // outline entries its band's events added.
    if (m_keepPage != m_pages.currentPage()) {
        dropKeep();
        return false;
    }
    // The row a footer keep takes along counts on the next page.
    if (m_footerKeep)
        m_aggregates.revertLast(m_keepBand);
    m_pages.cutObjects(m_keepStart);
    m_curY = m_pages.lowestBandBottom();
    return true;
}

void TpgxEngine::pasteKeptObjects()
{
    // Rows kept apart from the page footer's totals belong to this page.
    m_aggregates.endKeep();
    const int top = int(pgx::format::roundHalfEven(m_curY));
    m_pages.pasteObjects(m_curX, m_curY);
    m_pages.outline().shiftItemsFrom(m_keepOutlineLevel, m_keepOutlineIndex, top);
    m_pages.shiftAnchors(m_keepAnchor, top);
    m_curY = m_pages.lowestBandBottom();
    if (m_footerKeep)
        m_aggregates.replayLast(m_keepBand);
    dropKeep();
}
