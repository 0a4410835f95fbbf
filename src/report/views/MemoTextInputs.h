#pragma once

#include "report/text/MemoBox.h"
#include "report/text/TextOptions.h"

#include <QtCore/QStringList>

class TpgxCustomMemoView;

namespace pgx::views {

// What the text layer needs from a text object, taken from its published
// values: its options (the highlight's font while the highlight is
// active) and its box at its absolute position. Measuring, splitting and
// drawing all start here, so that they agree.
text::TextOptions memoTextOptions(const TpgxCustomMemoView &memo);
text::MemoBox memoBox(const TpgxCustomMemoView &memo);

// The lines a text object lays out: its memo, or in the designer a
// data-bound object's [Alias."Field"].
QStringList memoLayoutLines(const TpgxCustomMemoView &memo);

}   // namespace pgx::views
