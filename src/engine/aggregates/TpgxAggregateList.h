#pragma once
// ### placeholder until the aggregates land: the list's interface only.
class TpgxReport;
class TpgxReportPage;
class TpgxBand;
class TpgxAggregateList
{
public:
    explicit TpgxAggregateList(TpgxReport &) { }
    void clear() { }
    void scanPage(TpgxReportPage *) { }
    void addValue(TpgxBand *, int) { }
    void revertLast(TpgxBand *) { }
    void resetFor(TpgxBand *) { }
    void beginKeep() { }
    void endKeep() { }
    void resetAll() { }
};
