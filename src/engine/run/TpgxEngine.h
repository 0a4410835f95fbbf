#pragma once

#include "engine/run/TpgxCustomEngine.h"

#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QPointer>

#include <functional>
#include <memory>

class TpgxAggregateList;
class TpgxComponent;
class TpgxDataBand;
class TpgxGroupHeader;
class TpgxNullBand;
class TpgxReportPage;
class TpgxView;

namespace pgx {
class TpgxXMLItem;
}
namespace pgx::engine {
class EngineHost;
class ReportEvaluation;
class ShiftTree;
}   // namespace pgx::engine

// The report engine: turns a report's pages, bands and data sources into
// prepared pages. One run goes: band trees and checks, dialog pages, one or
// two passes over the report pages (each page's frame of titles, headers,
// footers and overlays around the loop over its data bands), then the
// finishing steps, which run whatever happens in between.
//
// The run is split over files by concern: EngineRun.cpp (the run, the
// passes, report pages), BandTree.cpp (which band belongs to which),
// PageFrame.cpp (starting, finishing and breaking pages), DataLoop.cpp (the
// rows of data bands, master and detail), BandOutput.cpp (calculating and
// placing one band), Groups.cpp (group headers and footers), Keeps.cpp
// (bands kept together across a page break) and Subreports.cpp.
class TpgxEngine : public TpgxCustomEngine
{
    Q_OBJECT

public:
    TpgxEngine(TpgxReport &report, TpgxPreviewPages &pages);
    ~TpgxEngine() override;

    // Not owned; null runs headless (EngineHost's defaults).
    void setHost(pgx::engine::EngineHost *host) { m_host = host; }

    void finishPage() override;
    void newColumn() override;
    void newPage() override;
    void showBand(TpgxBand *band) override;
    void showBandOfClass(const QMetaObject &bandClass) override;
    double topReservedHeight() const override;
    double bottomReservedHeight() const override;
    double freeSpace() const override;
    QVariant computeAggregate(const QString &name, const QString &expression, TpgxBand *band,
                              int flags) override;
    bool run() override;

    // The band whose objects are being calculated.
    TpgxBand *calcBand() const { return m_calcBand; }

private:
    // Releases a calculated band when it goes out of scope, also when
    // placing it failed.
    struct ReleaseGuard
    {
        TpgxEngine &engine;
        TpgxBand *band;
        ~ReleaseGuard() { engine.releaseBand(band); }
    };
    struct HeaderEntry
    {
        QPointer<TpgxBand> band;
        double left = 0;
        bool duringKeep = false;
    };

    // EngineRun.cpp
    void runPass();
    void runReportPages();
    void runPage(TpgxReportPage *page);
    void buildPage(TpgxReportPage *page);
    // The views placed on the page itself, outside any band.
    void showPageObjects(TpgxReportPage *page);
    bool runDialogs(pgx::engine::EngineHost &host);
    void checkDataSources();
    void initialiseDataSources(bool on);
    void fitEndlessPage(TpgxReportPage *page);
    QList<TpgxReportPage *> reportPages() const;
    // BandTree.cpp
    void buildBandTrees(TpgxReportPage *page);
    // PageFrame.cpp
    void startPageTemplate(TpgxReportPage *page);
    void openPage();
    void reprintHeaders();
    void showFooterLike(TpgxBand *band, bool applyPageRules);
    void showColumnFooter();
    void registerHeader(TpgxBand *band);
    void unregisterHeader(TpgxBand *band);
    void addPageOutline();
    TpgxBand *bandOfClass(const QMetaObject &bandClass) const;
    // DataLoop.cpp
    void runDataLevel(const QList<TpgxDataBand *> &level);
    void runDataBand(TpgxDataBand *band);
    bool rowPrintable(TpgxDataBand *band, bool printIfDetailEmpty);
    // After a row of a band with band columns: the next column, or the next
    // row of columns below the tallest cell.
    void advanceBandColumn(TpgxDataBand *band, double rowTop, int rowStart);
    bool levelHasPrintableRow(const QList<TpgxDataBand *> &level, bool printIfDetailEmpty);
    // BandOutput.cpp
    void outputBand(TpgxBand *band);
    void calculateBand(TpgxBand *band);
    void releaseBand(TpgxBand *band);
    void placeBand(TpgxBand *band);
    // Objects below grown ones move down (the band's shift tree).
    void shiftObjects(TpgxBand *band, const QHash<TpgxComponent *, double> &growth);
    void splitBand(TpgxBand *band);
    // Nothing was placed yet in this column of this page: a band that does
    // not fit here fits nowhere, and overflows instead of breaking again.
    bool atFreshTop() const;
    void markFreshTop();
    void addOutline(TpgxBand *band);
    void updateSystemValues();
    void fire(const QString &handler, QObject *object);
    void setCurrentObject(const TpgxComponent *object);
    // Groups.cpp
    static QList<TpgxGroupHeader *> groupChain(const TpgxDataBand *band);
    QVariant groupValue(TpgxGroupHeader *header);
    // The headers from level `from` inwards; `initial` on the first row.
    void showGroupHeaders(TpgxDataBand *band, int from, bool initial);
    // Before every row but the first: closes and reopens the groups whose
    // condition changed, the band's row of columns finished first.
    void checkGroups(TpgxDataBand *band, const std::function<void()> &finishBandColumns);
    void countGroupRow(TpgxDataBand *band);
    // The footers down to level `downTo`, shown on the last record of the
    // groups they close.
    void closeGroups(TpgxDataBand *band, int downTo);
    // The footers from the innermost level out to level `downTo`.
    void showGroupFooters(TpgxDataBand *band, int downTo);
    void applyDrillDown(TpgxDataBand *band);
    // Keeps.cpp
    // From store position `from` on the current page; -1: from here.
    void startKeep(TpgxBand *band, int from = -1);
    void endKeep(TpgxBand *band);
    void dropKeep();
    // At a page break: takes the kept bands off the page; false when
    // nothing is to move (the keep then ends).
    bool cutKeptObjects();
    // On the new page: the kept bands, their outline entries and anchors.
    void pasteKeptObjects();
    // VerticalBands.cpp
    void produceCells(TpgxBand *owner);
    void runVerticalLevel(const QList<TpgxDataBand *> &level);
    void showVerticalCell(TpgxBand *column);
    void placeStrips(TpgxBand *owner, double leftBefore);
    // Subreports.cpp
    void printSubreports(TpgxBand *band);
    void collectSubreportsOnParent(TpgxBand *band);
    void runSubreportPage(TpgxReportPage *page);

    pgx::engine::ReportEvaluation &evaluation() const;
    bool terminated() const;

    pgx::engine::EngineHost *m_host = nullptr;
    std::unique_ptr<pgx::engine::EngineHost> m_nullHost;
    std::unique_ptr<TpgxAggregateList> m_aggregateList;
    TpgxAggregateList &m_aggregates;

    TpgxBand *m_calcBand = nullptr;
    TpgxReportPage *m_curPage = nullptr;
    QList<HeaderEntry> m_headers;
    TpgxBand *m_newPageBand = nullptr;
    TpgxNullBand *m_subreportCollector = nullptr;
    double m_areaLeft = 0;
    // The horizontal band whose cells are being produced, the vertical
    // headers to repeat at each strip, and where each strip's cells begin
    // among the band's objects.
    TpgxBand *m_verticalOwner = nullptr;
    QList<TpgxBand *> m_verticalHeaders;
    QList<int> m_cellBreaks;
    bool m_verticalReprint = false;
    int m_ownerLine = 0;
    int m_ownerAbsLine = 0;
    int m_freshPage = -1;
    int m_freshColumn = 0;
    double m_freshY = 0;
    double m_columnTop = 0;
    bool m_inHeaderReprint = false;
    bool m_summaryInProgress = false;
    bool m_firstPageOfRun = false;
    bool m_suppressKeep = false;
    bool m_isFirstPage = false;
    bool m_pageFinished = false;
    bool m_keeping = false;
    // The keep: the band that started it, where it started (store page and
    // object index, the outline level and its count, the last anchor), and
    // whether a data band's footer is being shown.
    TpgxBand *m_keepBand = nullptr;
    int m_keepPage = -1;
    int m_keepStart = 0;
    pgx::TpgxXMLItem *m_keepOutlineLevel = nullptr;
    int m_keepOutlineIndex = 0;
    int m_keepAnchor = -1;
    bool m_footerKeep = false;
    // Each band's shift tree, with the objects it was built for.
    struct BandShiftTree
    {
        QList<TpgxComponent *> objects;
        std::shared_ptr<pgx::engine::ShiftTree> tree;
    };
    QHash<TpgxBand *, BandShiftTree> m_shiftTrees;
    // Subreport pages being run, against a page that prints itself.
    QList<TpgxReportPage *> m_subreportPages;
    // Source pages the store held before this run (an appended report).
    int m_sourcePageBase = 0;
};
