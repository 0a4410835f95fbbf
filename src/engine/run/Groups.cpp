#include "engine/run/TpgxEngine.h"

#include "engine/aggregates/TpgxAggregateList.h"
#include "prepared/TpgxOutline.h"
#include "prepared/TpgxPreviewPages.h"
#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/data/TpgxDataSet.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxMemoView.h"
#include "script/registry/VariantBridge.h"
#include "script/value/VariantOps.h"

#include <exception>

// The groups of a data band: its group headers, outermost first, each
// breaking when the value of its Condition changes. A change closes the
// groups from the changed level inwards (footers innermost first) and opens
// them again with new headers.

namespace {

void forgetShownValues(TpgxBand *band)
{
    for (TpgxComponent *object : band->objects())
        if (auto *memo = qobject_cast<TpgxCustomMemoView *>(object))
            memo->resetLastShownValue();
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    return pgx::script::vop::equals(pgx::script::fromQVariant(a), pgx::script::fromQVariant(b));
}

}   // namespace

QList<TpgxGroupHeader *> TpgxEngine::groupChain(const TpgxDataBand *band)
{
    QList<TpgxGroupHeader *> chain;
    if (const TpgxGroupHeader *outer = band->runState().groupBand) {
        for (TpgxBand *header : outer->runState().subBands)
            chain.append(static_cast<TpgxGroupHeader *>(header));
    }
    return chain;
}

QVariant TpgxEngine::groupValue(TpgxGroupHeader *header)
{
    setCurrentObject(header);
    // A group without a condition never breaks.
    if (header->condition().trimmed().isEmpty())
        return {};
    return m_report.calc(header->condition());
}

void TpgxEngine::showGroupHeaders(TpgxDataBand *band, int from, bool initial)
{
    const QList<TpgxGroupHeader *> chain = groupChain(band);
    for (int i = from; i < chain.size(); ++i) {
        pgx::BandRunState &state = chain[i]->runState();
        if (initial) {
            state.lineCounter = 1;
            state.absLineCounter = 1;
            forgetShownValues(chain[i]);
        } else {
            ++state.lineCounter;
            if (i + 1 < chain.size())
                chain[i + 1]->runState().lineCounter = 0;
            ++state.absLineCounter;
        }
        state.groupRows = 0;
    }
    applyDrillDown(band);
    for (int i = from; i < chain.size(); ++i) {
        TpgxGroupHeader *header = chain[i];
        pgx::BandRunState &state = header->runState();
        m_lineCounter = state.lineCounter;
        m_absLineCounter = state.absLineCounter;
        state.lastGroupValue = groupValue(header);
        if (header->keepTogether())
            startKeep(header);
        header->setDrillIndex(state.absLineCounter);
        showBand(header);
        state.groupOutlined = !header->outlineText().isEmpty() && header->visible();
        addOutline(header);
        if (header->reprintOnNewPage())
            registerHeader(header);
    }
}

void TpgxEngine::closeGroups(TpgxDataBand *band, int downTo)
{
    // The footers show the last record of the group they close; a source
    // that cannot go back shows the record it is on.
    TpgxDataSet *source = band->effectiveDataSet();
    bool movedBack = false;
    try {
        source->prior();
        movedBack = true;
    } catch (const std::exception &) { }
    showGroupFooters(band, downTo);
    if (movedBack)
        source->next();
}

void TpgxEngine::checkGroups(TpgxDataBand *band, const std::function<void()> &finishBandColumns)
{
    applyDrillDown(band);
    const QList<TpgxGroupHeader *> chain = groupChain(band);
    for (int i = 0; i < chain.size(); ++i) {
        if (sameValue(groupValue(chain[i]), chain[i]->runState().lastGroupValue))
            continue;
        finishBandColumns();
        closeGroups(band, i);
        showGroupHeaders(band, i, false);
        band->runState().lineCounter = 1;
        forgetShownValues(band);
        return;
    }
}

void TpgxEngine::countGroupRow(TpgxDataBand *band)
{
    for (TpgxGroupHeader *header : groupChain(band))
        ++header->runState().groupRows;
}

void TpgxEngine::showGroupFooters(TpgxDataBand *band, int downTo)
{
    const QList<TpgxGroupHeader *> chain = groupChain(band);
    for (int i = int(chain.size()) - 1; i >= downTo; --i) {
        TpgxGroupHeader *header = chain[i];
        pgx::BandRunState &state = header->runState();
        if (auto *footer = qobject_cast<TpgxGroupFooter *>(state.footerBand)) {
            // Counted per group, so that an outer group of several inner
            // groups of one row each is not taken for a group of one row.
            if (footer->hideIfSingleDataRecord() && state.groupRows < 2)
                m_aggregates.resetFor(footer);
            else
                showBand(footer);
        }
        if (state.groupOutlined) {
            m_pages.outline().levelUp();
            state.groupOutlined = false;
        }
        unregisterHeader(header);
        if (header->keepTogether())
            endKeep(header);
    }
}

void TpgxEngine::applyDrillDown(TpgxDataBand *band)
{
    const QList<TpgxGroupHeader *> chain = groupChain(band);
    for (int i = 0; i < chain.size(); ++i) {
        TpgxGroupHeader *header = chain[i];
        if (!header->drillDown())
            continue;
        const QString key = header->name() + QLatin1Char('.')
            + QString::number(header->runState().absLineCounter);
        const bool open = !m_report.drillGroupToggled(key) == header->expandDrillDown();
        for (int j = i + 1; j < chain.size(); ++j) {
            chain[j]->setVisible(open);
            if (TpgxBand *footer = chain[j]->runState().footerBand)
                footer->setVisible(open);
        }
        band->setVisible(open);
        if (TpgxBand *footer = header->runState().footerBand;
            footer && !header->showFooterIfDrillDown())
            footer->setVisible(open);
        if (!open)
            break;
    }
}
