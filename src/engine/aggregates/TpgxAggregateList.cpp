#include "engine/aggregates/TpgxAggregateList.h"

#include "engine/aggregates/AggregateCalls.h"
#include "engine/expressions/ReportEvaluation.h"
#include "platform/Error.h"
#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/TpgxReport.h"
#include "report/root/TpgxVariables.h"
#include "report/views/MemoExpansion.h"
#include "report/views/MemoFormat.h"
#include "report/views/TpgxMemoView.h"
#include "script/registry/VariantBridge.h"
#include "script/value/ScriptError.h"

using pgx::engine::ReportEvaluation;
using pgx::script::Variant;

namespace {

class ReportScanNames : public pgx::engine::AggregateScanNames
{
public:
    explicit ReportScanNames(TpgxReport &report) : m_report(report) { }

    std::optional<QString> variableText(const QString &name) const override
    {
        const TpgxVariables *variables = m_report.variables();
        const int index = variables->indexOf(name);
        if (index < 0 || variables->items(index)->isCategory())
            return std::nullopt;
        return variables->items(index)->value().toString();
    }
    bool isFieldReference(const QString &name) const override
    {
        return ReportEvaluation::of(m_report).isFieldReference(name);
    }

private:
    TpgxReport &m_report;
};

// The bands whose cells, moved into a vertical band, still total for
// themselves.
bool totalsForItself(const TpgxBand *band)
{
    return qobject_cast<const TpgxReportSummary *>(band)
        || qobject_cast<const TpgxPageFooter *>(band) || qobject_cast<const TpgxFooter *>(band)
        || qobject_cast<const TpgxGroupFooter *>(band);
}

bool sameCall(const TpgxAggregateItem &a, const TpgxAggregateItem &b)
{
    return a.band == b.band && a.kind == b.kind && a.dataBand == b.dataBand
        && a.flags() == b.flags() && a.expression.compare(b.expression, Qt::CaseInsensitive) == 0;
}

}   // namespace

TpgxAggregateList::TpgxAggregateList(TpgxReport &report) : m_report(report) { }

TpgxAggregateList::~TpgxAggregateList() = default;

void TpgxAggregateList::clear()
{
    m_items.clear();
}

// ---- scanning ------------------------------------------------------------------

void TpgxAggregateList::scanPage(TpgxReportPage *page)
{
    if (!page)
        return;
    pgx::PageRunState &state = page->runState();
    QList<TpgxBand *> seen;
    for (TpgxDataBand *band : state.horizontalDataBands)
        scanDataBand(band, seen);
    for (TpgxDataBand *band : state.verticalDataBands)
        scanDataBand(band, seen);
    if (state.horizontalDataBands.isEmpty())
        return;
    TpgxBand *first = state.horizontalDataBands.first();
    scanBandChain(page->firstBandOf<TpgxPageFooter>(), first);
    scanBandChain(page->firstBandOf<TpgxColumnFooter>(), first);
    scanBandChain(page->firstBandOf<TpgxReportSummary>(), first);
}

// The footers of a data band and of its groups total its rows; so do the
// cells of a vertical data band. Then the same for its details.
void TpgxAggregateList::scanDataBand(TpgxBand *dataBand, QList<TpgxBand *> &seen)
{
    if (!dataBand || seen.contains(dataBand))
        return;
    seen << dataBand;
    const pgx::BandRunState &state = dataBand->runState();
    scanBandChain(state.footerBand, dataBand);
    if (TpgxGroupHeader *group = state.groupBand) {
        // The chain of nested group headers begins with the outermost one.
        QList<TpgxBand *> chain = group->runState().subBands;
        if (chain.isEmpty())
            chain << group;
        for (TpgxBand *header : std::as_const(chain))
            scanBandChain(header ? header->runState().footerBand : nullptr, dataBand);
    }
    if (dataBand->vertical())
        scanBandChain(dataBand, dataBand);
    for (TpgxBand *detail : state.subBands)
        scanDataBand(detail, seen);
}

void TpgxAggregateList::scanBandChain(TpgxBand *band, TpgxBand *defaultDataBand)
{
    // setChild refuses circles; the bound is for chains changed behind its
    // back.
    QList<TpgxBand *> chain;
    for (TpgxBand *b = band; b && !chain.contains(b); b = b->child())
        chain << b;
    for (TpgxBand *b : std::as_const(chain)) {
        for (TpgxComponent *object : b->objects()) {
            auto *memo = qobject_cast<TpgxCustomMemoView *>(object);
            if (memo && memo->allowExpressions())
                scanMemo(*memo, b, defaultDataBand);
        }
    }
}

int TpgxAggregateList::flagsOf(const QString &text) const
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    bool isNumber = false;
    const int flags = trimmed.toInt(&isNumber);
    // Evaluated as the call will evaluate it, so that the two agree.
    return isNumber ? flags : m_report.calc(trimmed).toInt();
}

void TpgxAggregateList::scanMemo(TpgxCustomMemoView &memo, TpgxBand *band,
                                 TpgxBand *defaultDataBand)
{
    QStringList expressions;
    pgx::views::expandExpressions(memo.text(),
                                  pgx::views::splitDelimiters(memo.expressionDelimiters()),
                                  [&expressions](const QString &expression) {
                                      expressions << expression;
                                      return QString();
                                  });
    const ReportScanNames names(m_report);
    TpgxBand *answeredFor = band;
    if (band->vertical() && m_homeBand) {
        TpgxBand *home = m_homeBand(memo);
        if (totalsForItself(home))
            answeredFor = home;
    }
    for (const QString &text : std::as_const(expressions)) {
        const QString expression = pgx::views::splitInlineFormat(text).expression;
        for (const pgx::engine::AggregateCall &call :
             pgx::engine::findAggregateCalls(expression, names)) {
            auto item = std::make_unique<TpgxAggregateItem>();
            item->kind = TpgxAggregateItem::kindOf(call.name);
            const bool isCount = item->kind == TpgxAggregateItem::Kind::Count;
            const int first = isCount ? 0 : 1;   // where the band argument is
            if (!isCount)
                item->expression = call.args.value(0).trimmed();
            // A band argument that names no band (0, say) leaves the default.
            const QString bandName = call.args.value(first).trimmed();
            auto *named = bandName.isEmpty()
                ? nullptr
                : qobject_cast<TpgxBand *>(m_report.findObject(bandName));
            item->dataBand = named ? named : defaultDataBand;
            const int flags = flagsOf(call.args.value(first + 1));
            item->countInvisible = flags & TpgxAggregateItem::kCountInvisible;
            item->running = flags & TpgxAggregateItem::kRunning;
            item->band = answeredFor;
            item->inPageFooter = qobject_cast<TpgxPageFooter *>(answeredFor);
            item->memoName = memo.name();
            item->callText = call.text;
            addItem(std::move(item));
        }
    }
}

// A call that an earlier item answers already (the same footer, kind,
// expression, band and flags) adds nothing: the first item answers both,
// and each row is evaluated once.
void TpgxAggregateList::addItem(std::unique_ptr<TpgxAggregateItem> item)
{
    for (const auto &existing : m_items) {
        if (sameCall(*existing, *item))
            return;
    }
    item->resetAll();
    m_items.push_back(std::move(item));
}

// ---- the run -------------------------------------------------------------------

void TpgxAggregateList::addValue(TpgxBand *dataBand, int cell)
{
    if (!dataBand)
        return;
    ReportEvaluation &evaluation = ReportEvaluation::of(m_report);
    for (const auto &item : m_items) {
        if (item->dataBand != dataBand || (!dataBand->visible() && !item->countInvisible))
            continue;
        evaluation.setCurrentObjectName(item->memoName);
        // The report's calc gives no value (a Null field) as an invalid
        // QVariant, which would come back as Empty and count as 0.
        const QVariant row = item->kind == TpgxAggregateItem::Kind::Count
            ? QVariant()
            : m_report.calc(item->expression);
        const Variant value = row.isValid() ? pgx::script::fromQVariant(row) : Variant::null();
        try {
            item->addRow(value, cell);
        } catch (const pgx::script::ScriptError &e) {
            const QString message = item->memoName + QLatin1String(": ") + item->callText
                + QLatin1String(": ") + e.message();
            m_report.addError(message);
            throw pgx::Error(message);
        }
    }
}

void TpgxAggregateList::revertLast(TpgxBand *dataBand)
{
    for (const auto &item : m_items) {
        if (item->dataBand == dataBand)
            item->revertLast();
    }
}

void TpgxAggregateList::replayLast(TpgxBand *dataBand)
{
    for (const auto &item : m_items) {
        if (item->dataBand == dataBand)
            item->replayLast();
    }
}

QVariant TpgxAggregateList::value(TpgxBand *callerBand, int cell, const QString &name,
                                  const QString &expression, TpgxBand *dataBand, int flags) const
{
    const TpgxAggregateItem::Kind kind = TpgxAggregateItem::kindOf(name);
    const QString trimmed = expression.trimmed();
    const int bits = flags & (TpgxAggregateItem::kCountInvisible | TpgxAggregateItem::kRunning);
    for (const auto &item : m_items) {
        if (item->band == callerBand && item->kind == kind
            && item->expression.compare(trimmed, Qt::CaseInsensitive) == 0
            && (!dataBand || dataBand == item->dataBand) && item->flags() == bits)
            return pgx::script::toQVariant(item->result(cell));
    }
    return {};
}

void TpgxAggregateList::resetFor(TpgxBand *band)
{
    for (const auto &item : m_items) {
        if (item->band == band)
            item->reset();
    }
}

void TpgxAggregateList::beginKeep()
{
    for (const auto &item : m_items) {
        if (item->inPageFooter)
            item->beginKeep();
    }
}

void TpgxAggregateList::endKeep()
{
    for (const auto &item : m_items) {
        if (item->inPageFooter)
            item->endKeep();
    }
}

void TpgxAggregateList::resetAll()
{
    for (const auto &item : m_items)
        item->resetAll();
}
