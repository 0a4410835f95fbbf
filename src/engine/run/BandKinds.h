#pragma once

#include "report/bands/BandKind.h"

#include <optional>

class TpgxBand;

namespace pgx::engine {

// The band number of a band of one of the table's classes; none for a
// null band, a plain data band and any other band class.
std::optional<BandKind> bandKindOf(const TpgxBand *band);
// 1 to 6 for the data band classes, 0 for any other band.
int dataLevelOf(const TpgxBand *band);
inline bool isDataKind(BandKind kind)
{
    return kind >= BandKind::MasterData && kind <= BandKind::DataBand6;
}

}   // namespace pgx::engine
