#pragma once

#include "script/value/Variant.h"

#include <QtCore/QList>
#include <QtCore/QString>

class TpgxBand;

// One aggregate call of a report page (SUM(<Qty>) in a footer, say): the
// totals of the rows of its data band, answered for the band whose text
// holds the call and restarted by that band.
class TpgxAggregateItem
{
public:
    // The order is the one the flags and names map onto; a name that is
    // none of the first four counts.
    enum class Kind { Sum, Avg, Min, Max, Count };
    static Kind kindOf(const QString &name);

    // Flag bits of a call.
    static constexpr int kCountInvisible = 1;   // rows of an invisible data band count
    static constexpr int kRunning = 2;          // not restarted by its band

    Kind kind = Kind::Count;
    TpgxBand *dataBand = nullptr;   // whose rows feed the item
    TpgxBand *band = nullptr;       // the band the item is answered for and reset by
    bool countInvisible = false;
    bool running = false;
    bool inPageFooter = false;
    QString expression;   // trimmed; empty for COUNT
    QString memoName;     // the text object holding the call
    QString callText;     // the whole call, trimmed

    int flags() const { return (countInvisible ? kCountInvisible : 0) | (running ? kRunning : 0); }

    // One row's value: into vertical cell `cell` when it is 1 or more,
    // else into the keep totals while keeping, else into the totals. A
    // Boolean True counts as 1.
    void addRow(const pgx::script::Variant &value, int cell);
    // Takes back the last row added, wherever it went; nothing after a
    // reset.
    void revertLast();
    // Adds the row revertLast took back once more, wherever it goes now
    // (the totals of the next page, for a row a footer keep moved there).
    // Nothing when no row was taken back.
    void replayLast();
    // The band's reset: a running item that counted rows keeps them.
    void reset();
    // Everything back to nothing, running totals included.
    void resetAll();
    void beginKeep();
    // The rows kept join the totals.
    void endKeep();
    bool keeping() const { return m_keeping; }

    // The answer for vertical cell `cell` (the totals while no cell was
    // fed): the average, the count, or the value; Null becomes 0.
    pgx::script::Variant result(int cell) const;
    int count() const { return m_total.count; }
    const pgx::script::Variant &value() const { return m_total.value; }

private:
    struct Totals
    {
        int count = 0;
        pgx::script::Variant value = pgx::script::Variant::null();
    };
    // Counts the row (AVG: only one with a value) and combines its value.
    void accumulate(Totals &totals, const pgx::script::Variant &value) const;
    // SUM and AVG add, MIN and MAX keep the smaller or greater; Null on
    // either side leaves the other.
    pgx::script::Variant combined(const pgx::script::Variant &total,
                                  const pgx::script::Variant &value) const;

    Totals m_total;
    Totals m_keep;
    bool m_keeping = false;
    // Per vertical cell; empty until a cell is fed. Index 0 is never fed:
    // cells count from 1.
    QList<Totals> m_cells;

    // Where the last row went and what was there before it.
    enum class Target { None, Total, Keep, Cell };
    Target m_lastTarget = Target::None;
    int m_lastCell = 0;
    Totals m_beforeLast;
    // The last row as added, for replayLast; `m_reverted` while it is
    // taken back.
    pgx::script::Variant m_lastRow;
    int m_lastRowCell = 0;
    bool m_reverted = false;
};
