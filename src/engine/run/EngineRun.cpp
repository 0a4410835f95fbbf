#include "engine/run/TpgxEngine.h"

#include "engine/aggregates/TpgxAggregateList.h"
#include "engine/expressions/ReportEvaluation.h"
#include "engine/run/BandTree.h"
#include "engine/run/EngineHost.h"
#include "platform/format/DateTime.h"
#include "prepared/TpgxPreviewPages.h"
#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/component/Units.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/ReportDataSets.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxView.h"
#include "script/registry/ObjectTable.h"
#include "script/runtime/Script.h"

using pgx::engine::ReportEvaluation;

TpgxEngine::TpgxEngine(TpgxReport &report, TpgxPreviewPages &pages)
    : TpgxCustomEngine(report, pages), m_nullHost(std::make_unique<pgx::engine::EngineHost>()),
      m_aggregateList(std::make_unique<TpgxAggregateList>(report)), m_aggregates(*m_aggregateList)
{ }

TpgxEngine::~TpgxEngine() = default;

ReportEvaluation &TpgxEngine::evaluation() const
{
    return ReportEvaluation::of(m_report);
}

bool TpgxEngine::terminated() const
{
    return m_report.terminated();
}

QList<TpgxReportPage *> TpgxEngine::reportPages() const
{
    QList<TpgxReportPage *> pages;
    for (TpgxComponent *object : m_report.objects())
        if (auto *page = qobject_cast<TpgxReportPage *>(object))
            pages.append(page);
    return pages;
}

bool TpgxEngine::run()
{
    pgx::engine::EngineHost &host = m_host ? *m_host : *m_nullHost;
    m_pages.beginRun();
    m_pages.setEngineRunning(true);
    m_startDate = pgx::format::currentDate();
    m_startTime = pgx::format::currentTime();
    pgx::engine::SystemValues &system = evaluation().systemValues();
    system.startDate = m_startDate;
    system.startTime = m_startTime;
    m_running = true;
    dropKeep();
    m_footerKeep = false;
    m_curVColumn = 0;
    m_subreportCollector = nullptr;
    m_subreportPages.clear();
    m_sourcePageBase = m_pages.sourcePageCount();
    m_aggregates.clear();
    evaluation().setAggregateHandler(
        [this](const QString &name, const QString &expression, TpgxBand *band, int flags) {
            return computeAggregate(name, expression, band, flags);
        });
    host.progressStarted();

    // Whatever happens from here on, the run is finished properly.
    bool started = false;
    struct Finish
    {
        TpgxEngine &engine;
        pgx::engine::EngineHost &host;
        bool &started;
        ~Finish()
        {
            try {
                if (started)
                    engine.fire(engine.m_report.onStopReport(), &engine.m_report);
            } catch (...) {
                // The run's own error is the one to report.
            }
            if (started)
                engine.initialiseDataSources(false);
            engine.m_pages.endRun();
            host.progressStopped();
            engine.m_running = false;
            engine.m_calcBand = nullptr;
            engine.evaluation().setAggregateHandler({});
        }
    } finish{*this, host, started};

    const QList<TpgxReportPage *> pages = reportPages();
    for (TpgxReportPage *page : pages) {
        for (const bool vertical : {false, true})
            for (const QString &error : pgx::engine::buildBandTree(page, vertical))
                m_report.addError(error);
    }
    checkDataSources();
    if (!m_report.errors().isEmpty())
        return false;
    initialiseDataSources(true);
    started = true;
    fire(m_report.onStartReport(), &m_report);

    if (!runDialogs(host))
        return false;

    m_aggregates.setHomeBandLookup([](const TpgxView &view) -> TpgxBand * {
        auto *page = qobject_cast<TpgxReportPage *>(view.page());
        return page ? page->runState().homeBands.value(&view) : nullptr;
    });
    for (TpgxReportPage *page : pages) {
        m_pages.addSourcePage(page);
        m_aggregates.scanPage(page);
    }
    m_finalPass = !doublePass();
    m_totalPages = 0;
    m_pages.beginPass(false);
    runPass();
    if (doublePass() && !terminated()) {
        m_totalPages = m_pages.count();
        m_pages.clearFirstPass();
        m_aggregates.resetAll();
        m_finalPass = true;
        m_pages.beginPass(true);
        runPass();
    }
    return true;
}

bool TpgxEngine::runDialogs(pgx::engine::EngineHost &host)
{
    const QString handler = m_report.onRunDialogs().trimmed();
    if (handler.isEmpty())
        return host.runDialogs(m_report);
    pgx::script::Variant args = pgx::script::Variant::arrayOf({pgx::script::Variant(true)});
    evaluation().script().callFunctionWithVarParams(handler, args);
    const qint64 first = 0;
    const pgx::script::Variant *result = args.arrayElement(&first, 1);
    return result && result->toBool();
}

void TpgxEngine::checkDataSources()
{
    const TpgxDataSet *reportSource = m_report.dataSet();
    for (TpgxReportPage *page : reportPages()) {
        const TpgxDataSet *pageSource = page->dataSet();
        if (reportSource && pageSource == reportSource)
            m_report.addError(
                QStringLiteral("Cannot use the same dataset for Report.DataSet and Page.DataSet"));
        for (TpgxDataBand *band : page->runState().horizontalDataBands) {
            const TpgxDataSet *source = band->dataSet();
            if (!source)
                continue;
            if (source == reportSource)
                m_report.addError(QStringLiteral(
                    "Cannot use the same dataset for Report.DataSet and Band.DataSet"));
            if (source == pageSource)
                m_report.addError(QStringLiteral(
                    "Cannot use the same dataset for Page.DataSet and Band.DataSet"));
        }
    }
}

void TpgxEngine::initialiseDataSources(bool on)
{
    for (const TpgxDataSetItem *item : m_report.dataSets()->items()) {
        TpgxDataSet *source = item->dataSet();
        if (!source)
            continue;
        if (on)
            source->initialize();
        else
            source->finalize();
    }
}

void TpgxEngine::runPass()
{
    m_firstPageOfRun = true;
    // A keep left over from a pass that ended early points into pages the
    // store has cleared since.
    dropKeep();
    if (TpgxDataSet *source = m_report.dataSet()) {
        source->first();
        while (!source->eof() && !terminated()) {
            runReportPages();
            source->next();
        }
    } else {
        runReportPages();
    }
}

void TpgxEngine::runReportPages()
{
    for (TpgxReportPage *page : reportPages()) {
        if (terminated())
            break;
        if (page->subReport() || !page->visible())
            continue;
        runPage(page);
        m_firstPageOfRun = false;
    }
}

void TpgxEngine::runPage(TpgxReportPage *page)
{
    m_suppressKeep = true;
    fire(page->onBeforePrint(), page);
    if (TpgxDataSet *source = page->dataSet()) {
        source->first();
        while (!source->eof() && !terminated()) {
            buildPage(page);
            source->next();
        }
    } else {
        buildPage(page);
    }
    fire(page->onAfterPrint(), page);
}

void TpgxEngine::buildPage(TpgxReportPage *page)
{
    const QList<TpgxDataBand *> &level = page->runState().horizontalDataBands;
    if (!m_report.engineOptions()->printIfEmpty && !levelHasPrintableRow(level, false))
        return;
    startPageTemplate(page);
    showPageObjects(page);
    if (!page->onManualBuild().trimmed().isEmpty())
        fire(page->onManualBuild(), page);
    else
        runDataLevel(level);
    m_pageFinished = true;
    fitEndlessPage(page);
    finishPage();
    m_pageFinished = false;
}

void TpgxEngine::showPageObjects(TpgxReportPage *page)
{
    QList<TpgxComponent *> loose;
    for (TpgxComponent *object : page->objects())
        if (qobject_cast<TpgxView *>(object))
            loose.append(object);
    if (loose.isEmpty())
        return;
    // They print once, at their places, through a band of the page's
    // printable size that takes no room, and go back to the page after.
    auto *band = new TpgxNullBand(page);
    band->setBounds(0, 0, m_pageWidth, m_pageHeight);
    QList<bool> parentFonts;
    for (TpgxComponent *object : std::as_const(loose)) {
        parentFonts.append(object->parentFont());
        object->setParentFont(false);
        object->setParentComponent(band);
    }
    const double y = m_curY;
    struct GiveBack
    {
        TpgxReportPage *page;
        TpgxNullBand *band;
        const QList<TpgxComponent *> &objects;
        const QList<bool> &parentFonts;
        ~GiveBack()
        {
            for (qsizetype i = 0; i < objects.size(); ++i) {
                objects[i]->setParentComponent(page);
                objects[i]->setParentFont(parentFonts[i]);
            }
            delete band;
        }
    } giveBack{page, band, loose, parentFonts};
    showBand(band);
    m_curY = y;
}

void TpgxEngine::fitEndlessPage(TpgxReportPage *page)
{
    if (!page->endlessWidth() && !page->endlessHeight())
        return;
    const int index = m_sourcePageBase + int(reportPages().indexOf(page));
    TpgxReportPage *copy = m_pages.sourcePage(index);
    if (!copy)
        return;
    const double height = page->endlessHeight() ? page->topMargin() * kPg01cm + m_curY
            + bottomReservedHeight() + page->bottomMargin() * kPg01cm
                                                : page->paperHeight() * kPg01cm;
    const double width = page->endlessWidth()
        ? page->leftMargin() * kPg01cm + m_pageWidth + page->rightMargin() * kPg01cm
        : page->paperWidth() * kPg01cm;
    copy->setSizeAndDimensions(256, width / kPg01cm, height / kPg01cm);
}

void TpgxEngine::fire(const QString &handler, QObject *object)
{
    if (!m_running)
        return;
    evaluation().fireEvent(handler, object);
}
