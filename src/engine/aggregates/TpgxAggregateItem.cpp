#include "engine/aggregates/TpgxAggregateItem.h"

#include "script/value/VariantOps.h"

using pgx::script::Variant;
namespace vop = pgx::script::vop;

TpgxAggregateItem::Kind TpgxAggregateItem::kindOf(const QString &name)
{
    const QString upper = name.trimmed().toUpper();
    if (upper == QLatin1String("SUM"))
        return Kind::Sum;
    if (upper == QLatin1String("AVG"))
        return Kind::Avg;
    if (upper == QLatin1String("MIN"))
        return Kind::Min;
    if (upper == QLatin1String("MAX"))
        return Kind::Max;
    return Kind::Count;
}

Variant TpgxAggregateItem::combined(const Variant &total, const Variant &value) const
{
    if (total.isNull())
        return value;
    if (value.isNull())
        return total;
    switch (kind) {
    case Kind::Sum:
    case Kind::Avg: return vop::add(total, value);
    case Kind::Min: return vop::compare(value, total) < 0 ? value : total;
    case Kind::Max: return vop::compare(value, total) > 0 ? value : total;
    case Kind::Count: break;
    }
    return total;
}

void TpgxAggregateItem::accumulate(Totals &totals, const Variant &value) const
{
    // Combine first: when the value cannot be combined (a text added to a
    // number), the raised error leaves the totals as they were.
    Variant next = combined(totals.value, value);
    if (kind != Kind::Avg || !value.isNull())
        ++totals.count;
    totals.value = std::move(next);
}

void TpgxAggregateItem::addRow(const Variant &row, int cell)
{
    const Variant value = row.isBoolean() && row.toBool() ? Variant(1) : row;
    m_reverted = false;
    if (cell >= 1) {
        if (m_cells.size() <= cell)
            m_cells.resize(cell + 1);
        Totals before = m_cells[cell];
        accumulate(m_cells[cell], value);
        m_lastTarget = Target::Cell;
        m_lastCell = cell;
        m_beforeLast = std::move(before);
    } else if (m_keeping) {
        Totals before = m_keep;
        accumulate(m_keep, value);
        m_lastTarget = Target::Keep;
        m_beforeLast = std::move(before);
    } else {
        Totals before = m_total;
        accumulate(m_total, value);
        m_lastTarget = Target::Total;
        m_beforeLast = std::move(before);
    }
    m_lastRow = row;
    m_lastRowCell = cell;
}

void TpgxAggregateItem::revertLast()
{
    switch (m_lastTarget) {
    case Target::None: return;
    case Target::Total: m_total = m_beforeLast; break;
    case Target::Keep: m_keep = m_beforeLast; break;
    case Target::Cell:
        if (m_lastCell < m_cells.size())
            m_cells[m_lastCell] = m_beforeLast;
        break;
    }
    m_lastTarget = Target::None;
    m_reverted = true;
}

void TpgxAggregateItem::replayLast()
{
    if (!m_reverted)
        return;
    m_reverted = false;
    addRow(m_lastRow, m_lastRowCell);
}

void TpgxAggregateItem::reset()
{
    if (running && m_total.count != 0)
        return;
    m_total = Totals();
    m_cells.clear();
    // A row taken back after the reset would bring back totals the band
    // has already printed.
    m_lastTarget = Target::None;
}

void TpgxAggregateItem::resetAll()
{
    m_total = Totals();
    m_keep = Totals();
    m_keeping = false;
    m_cells.clear();
    m_lastTarget = Target::None;
    m_reverted = false;
}

void TpgxAggregateItem::beginKeep()
{
    if (m_keeping)
        return;
    m_keeping = true;
    m_keep = Totals();
}

void TpgxAggregateItem::endKeep()
{
    if (!m_keeping)
        return;
    m_keeping = false;
    m_total.value = combined(m_total.value, m_keep.value);
    m_total.count += m_keep.count;
    m_keep = Totals();
    // The kept rows are in the totals now; taking one back from the keep
    // totals would change nothing.
    if (m_lastTarget == Target::Keep)
        m_lastTarget = Target::None;
}

Variant TpgxAggregateItem::result(int cell) const
{
    const Totals none;
    const Totals &totals
        = m_cells.isEmpty() ? m_total : (cell >= 0 && cell < m_cells.size() ? m_cells[cell] : none);
    Variant r = Variant::null();
    switch (kind) {
    case Kind::Avg:
        if (totals.count != 0 && !totals.value.isNull())
            r = vop::divide(totals.value, Variant(totals.count));
        break;
    case Kind::Count: r = Variant(totals.count); break;
    default: r = totals.value; break;
    }
    return r.isNull() ? Variant(0) : r;
}
