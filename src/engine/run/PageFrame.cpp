#include "engine/run/TpgxEngine.h"

#include "engine/aggregates/TpgxAggregateList.h"
#include "engine/expressions/ReportEvaluation.h"
#include "engine/run/EngineHost.h"
#include "prepared/TpgxPreviewPages.h"
#include "report/bands/Bands.h"
#include "report/component/Units.h"
#include "report/pages/TpgxReportPage.h"
#include "report/resources/TpgxResources.h"
#include "report/root/TpgxReport.h"

TpgxBand *TpgxEngine::bandOfClass(const QMetaObject &bandClass) const
{
    if (!m_curPage)
        return nullptr;
    for (TpgxComponent *object : m_curPage->objects())
        if (object->metaObject() == &bandClass)
            return static_cast<TpgxBand *>(object);
    return nullptr;
}

void TpgxEngine::showBandOfClass(const QMetaObject &bandClass)
{
    showBand(bandOfClass(bandClass));
}

double TpgxEngine::topReservedHeight() const
{
    double height = 0;
    for (const QMetaObject *kind :
         {&TpgxColumnHeader::staticMetaObject, &TpgxPageHeader::staticMetaObject}) {
        for (const TpgxBand *band = bandOfClass(*kind); band; band = band->child())
            height += band->height();
    }
    return height;
}

double TpgxEngine::bottomReservedHeight() const
{
    double height = 0;
    if (const TpgxBand *band = bandOfClass(TpgxColumnFooter::staticMetaObject))
        height += band->height();
    if (const TpgxBand *band = bandOfClass(TpgxPageFooter::staticMetaObject))
        height += band->height();
    return height;
}

double TpgxEngine::freeSpace() const
{
    if (m_curPage && m_curPage->endlessHeight())
        return 1e6;
    return m_pageHeight - bottomReservedHeight() - m_curY;
}

void TpgxEngine::registerHeader(TpgxBand *band)
{
    if (!band)
        return;
    unregisterHeader(band);
    m_headers.append({band, m_areaLeft, m_keeping});
}

void TpgxEngine::unregisterHeader(TpgxBand *band)
{
    m_headers.removeIf([band](const HeaderEntry &entry) { return entry.band == band; });
}

void TpgxEngine::startPageTemplate(TpgxReportPage *page)
{
    m_curPage = page;
    m_headers.clear();
    TpgxBand *title = bandOfClass(TpgxReportTitle::staticMetaObject);
    TpgxBand *header = bandOfClass(TpgxPageHeader::staticMetaObject);
    m_curX = 0;
    if (page->titleBeforeHeader()) {
        registerHeader(title);
        registerHeader(header);
    } else {
        registerHeader(header);
        registerHeader(title);
    }
    m_pageHeight = (page->paperHeight() - page->topMargin() - page->bottomMargin()) * kPg01cm;
    m_pageWidth = (page->paperWidth() - page->leftMargin() - page->rightMargin()) * kPg01cm;
    m_curY = 0;
    m_curColumn = 1;
    m_areaLeft = 0;
    m_isFirstPage = true;
    m_pageFinished = false;
    if (page->resetPageNumbers())
        m_pages.closeLogicalRun();
    if (m_pages.count() > 0 && page->printOnPreviousPage()) {
        m_pages.setCurrentPage(m_pages.count() - 1);
        m_curY = m_pages.lowestBandBottom();
        unregisterHeader(title);
        showBand(title);
    } else {
        openPage();
    }
    m_columnTop = m_curY;
    TpgxBand *columnHeader = bandOfClass(TpgxColumnHeader::staticMetaObject);
    showBand(columnHeader);
    registerHeader(columnHeader);
    unregisterHeader(title);
    m_pages.outline().levelRoot();
    addPageOutline();
}

void TpgxEngine::addPageOutline()
{
    if (m_curPage && !m_curPage->outlineText().isEmpty()) {
        m_pages.outline().levelRoot();
        m_pages.outline().addItem(m_report.calc(m_curPage->outlineText()).toString(), 0);
    }
}

void TpgxEngine::openPage()
{
    pgx::engine::EngineHost *host = m_host ? m_host : m_nullHost.get();
    m_pages.addPage(m_curPage);
    const int number = m_pages.currentPage() + 1;
    const QString key
        = m_finalPass ? QStringLiteral("prRunning") : QStringLiteral("prRunningFirst");
    host->progress(pgxResources().get(key).replace(QLatin1String("%d"), QString::number(number)),
                   number);
    host->processEvents();

    m_curY = 0;
    if (TpgxBand *overlay = bandOfClass(TpgxOverlay::staticMetaObject);
        overlay && !overlay->printOnTop())
        showBand(overlay);
    m_curY = 0;
    m_columnTop = 0;
    reprintHeaders();
    markFreshTop();
}

void TpgxEngine::markFreshTop()
{
    m_freshPage = m_pages.currentPage();
    m_freshColumn = m_curColumn;
    m_freshY = m_curY;
}

bool TpgxEngine::atFreshTop() const
{
    return m_pages.currentPage() == m_freshPage && m_curColumn == m_freshColumn
        && m_curY <= m_freshY + 0.0001;
}

void TpgxEngine::reprintHeaders()
{
    const double savedX = m_curX;
    const QList<HeaderEntry> entries = m_headers;
    for (const HeaderEntry &entry : entries) {
        TpgxBand *band = entry.band;
        if (!band || band == m_newPageBand)
            continue;
        const bool isPageHeader = band->metaObject() == &TpgxPageHeader::staticMetaObject;
        if (isPageHeader && m_isFirstPage && !band->printOnFirstPage()) {
            if (!band->printChildIfInvisible())
                continue;
            band = band->child();
            if (!band)
                continue;
        }
        if (m_keeping && entry.duringKeep)
            continue;
        if (m_verticalReprint && band->metaObject() == &TpgxHeader::staticMetaObject)
            continue;
        m_curX = entry.left;
        const int line = m_lineCounter;
        const int absLine = m_absLineCounter;
        m_lineCounter = band->runState().lineCounter;
        m_absLineCounter = band->runState().absLineCounter;
        m_inHeaderReprint = true;
        struct Restore
        {
            TpgxEngine &e;
            int line, absLine;
            ~Restore()
            {
                e.m_inHeaderReprint = false;
                e.m_lineCounter = line;
                e.m_absLineCounter = absLine;
            }
        } restore{*this, line, absLine};
        if (band->metaObject() == &TpgxReportTitle::staticMetaObject)
            unregisterHeader(band);
        showBand(band);
        if (isPageHeader)
            m_columnTop = entry.band->height();
    }
    m_curX = savedX;
}

void TpgxEngine::showFooterLike(TpgxBand *band, bool applyPageRules)
{
    if (!band)
        return;
    m_curY = applyPageRules ? m_pageHeight - band->height() : 0;
    {
        calculateBand(band);
        ReleaseGuard release{*this, band};
        if (band->visible()) {
            band->setLeft(0);
            band->setTop(m_curY);
            const bool skipped = applyPageRules
                && ((m_isFirstPage && !band->printOnFirstPage())
                    || (m_pageFinished && !band->printOnLastPage()));
            if (!skipped) {
                if (!applyPageRules || !m_pages.bandOnCurrentPage(band))
                    m_pages.addObject(band);
                m_curY += band->height();
            }
        }
    }
    m_aggregates.resetFor(band);
}

void TpgxEngine::showColumnFooter()
{
    TpgxBand *footer = bandOfClass(TpgxColumnFooter::staticMetaObject);
    if (!footer)
        return;
    {
        calculateBand(footer);
        ReleaseGuard release{*this, footer};
        if (footer->visible()) {
            footer->setLeft(m_curX - m_areaLeft);
            footer->setTop(m_curY);
            m_pages.addObject(footer);
            m_curY += footer->height();
        }
    }
    m_aggregates.resetFor(footer);
}

void TpgxEngine::finishPage()
{
    showColumnFooter();
    if (!m_pageFinished) {
        m_curX = m_areaLeft;
        m_curColumn = 1;
    }
    if (m_pageFinished && !m_summaryInProgress) {
        m_summaryInProgress = true;
        struct Done
        {
            bool &flag;
            ~Done() { flag = false; }
        } done{m_summaryInProgress};
        showBand(bandOfClass(TpgxReportSummary::staticMetaObject));
    }
    showFooterLike(bandOfClass(TpgxPageFooter::staticMetaObject), true);
    if (TpgxBand *overlay = bandOfClass(TpgxOverlay::staticMetaObject);
        overlay && overlay->printOnTop())
        showFooterLike(overlay, false);
    m_isFirstPage = false;
}

void TpgxEngine::newColumn()
{
    if (!m_curPage || m_curColumn >= m_curPage->columns()) {
        newPage();
        return;
    }
    showColumnFooter();
    ++m_curColumn;
    const double offset = m_curPage->columnPositions().value(m_curColumn - 1).toDouble() * kPg01cm;
    m_curY = m_columnTop;
    // The bands at the top of every column again, but the page header.
    const QList<HeaderEntry> entries = m_headers;
    for (const HeaderEntry &entry : entries) {
        if (!entry.band || entry.band->metaObject() == &TpgxPageHeader::staticMetaObject)
            continue;
        m_curX = entry.left + offset;
        for (TpgxBand *band = entry.band; band;) {
            {
                calculateBand(band);
                ReleaseGuard release{*this, band};
                if (band->visible()) {
                    band->setLeft(m_curX);
                    band->setTop(m_curY);
                    m_pages.addObject(band);
                    m_curY += band->height();
                }
            }
            band = band->visible() || band->printChildIfInvisible() ? band->child() : nullptr;
        }
    }
    m_curX = m_areaLeft + offset;
    markFreshTop();
}

void TpgxEngine::newPage()
{
    const bool moving = cutKeptObjects();
    finishPage();
    openPage();
    if (moving)
        pasteKeptObjects();
    addPageOutline();
}
