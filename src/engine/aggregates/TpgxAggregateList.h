#pragma once

#include "engine/aggregates/TpgxAggregateItem.h"

#include <QtCore/QVariant>

#include <functional>
#include <memory>
#include <vector>

class TpgxBand;
class TpgxCustomMemoView;
class TpgxReport;
class TpgxReportPage;
class TpgxView;

// The aggregate calls of a run. Before the first pass the engine scans
// each report page for the calls in its footers and summaries (one item
// per distinct call); every data row shown then feeds the items of its
// data band, and a footer's call is answered from the first item made for
// that footer. Plain class: the engine drives it, its tests fill the band
// trees by hand.
class TpgxAggregateList
{
public:
    explicit TpgxAggregateList(TpgxReport &report);
    ~TpgxAggregateList();
    TpgxAggregateList(const TpgxAggregateList &) = delete;
    TpgxAggregateList &operator=(const TpgxAggregateList &) = delete;

    // The band a cell object moved into a vertical band came from; none for
    // an object that was not moved. The engine knows where it moved them.
    using HomeBandLookup = std::function<TpgxBand *(const TpgxView &view)>;
    void setHomeBandLookup(HomeBandLookup lookup) { m_homeBand = std::move(lookup); }

    void clear();
    // Finds the calls of the page's text objects that can be answered: in
    // the footers (and their children) of its data bands and of their
    // groups, in vertical data bands, and - when the page has a horizontal
    // data band - in its page footer, column footer and report summary.
    // Needs the band trees of the run (the bands' and the page's run state).
    void scanPage(TpgxReportPage *page);

    // A row of `dataBand` was shown: every item it feeds takes its value,
    // into vertical cell `cell` when that is 1 or more. Raises pgx::Error
    // (also put into the report's errors) when a value cannot be combined.
    void addValue(TpgxBand *dataBand, int cell);
    void revertLast(TpgxBand *dataBand);
    // The rows revertLast took back, added again (TpgxAggregateItem::replayLast).
    void replayLast(TpgxBand *dataBand);
    // The answer of the call NAME(expression, dataBand, flags) made while
    // `callerBand` is calculated; Null when no item of that band matches.
    QVariant value(TpgxBand *callerBand, int cell, const QString &name, const QString &expression,
                   TpgxBand *dataBand, int flags) const;
    // Restarts the items answered for `band` (running ones keep counting).
    void resetFor(TpgxBand *band);
    // While a keep holds rows back, page footers total them apart...
    void beginKeep();
    // ... and take them when it ends.
    void endKeep();
    // Before the second pass: every item from nothing, running ones too.
    void resetAll();

    int count() const { return int(m_items.size()); }
    const TpgxAggregateItem &item(int index) const { return *m_items[size_t(index)]; }

private:
    void scanDataBand(TpgxBand *dataBand, QList<TpgxBand *> &seen);
    // The band and its chain of children.
    void scanBandChain(TpgxBand *band, TpgxBand *defaultDataBand);
    void scanMemo(TpgxCustomMemoView &memo, TpgxBand *band, TpgxBand *defaultDataBand);
    int flagsOf(const QString &text) const;
    void addItem(std::unique_ptr<TpgxAggregateItem> item);

    TpgxReport &m_report;
    HomeBandLookup m_homeBand;
    std::vector<std::unique_ptr<TpgxAggregateItem>> m_items;
};
