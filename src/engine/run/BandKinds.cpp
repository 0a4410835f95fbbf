#include "engine/run/BandKinds.h"

#include "report/bands/BandTable.h"

#include <algorithm>

namespace pgx::engine {

std::optional<BandKind> bandKindOf(const TpgxBand *band)
{
    if (!band)
        return std::nullopt;
    const auto &table = bandMetaObjects(BandTable{});
    const auto it = std::find(table.begin(), table.end(), band->metaObject());
    if (it == table.end())
        return std::nullopt;
    return BandKind(it - table.begin());
}

int dataLevelOf(const TpgxBand *band)
{
    const auto kind = bandKindOf(band);
    if (!kind || !isDataKind(*kind))
        return 0;
    return int(*kind) - int(BandKind::MasterData) + 1;
}

}   // namespace pgx::engine
