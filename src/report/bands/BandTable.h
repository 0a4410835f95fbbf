#pragma once

#include "report/bands/BandKind.h"
#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"

#include <array>
#include <type_traits>

namespace pgx {

template<class... Bands>
struct BandClassList
{
    static constexpr int kSize = sizeof...(Bands);
};

// The band table: one class per BandKind, in its order. Registration, the
// band number and the class names are all taken from it.
using BandTable
    = BandClassList<TpgxReportTitle, TpgxReportSummary, TpgxPageHeader, TpgxPageFooter, TpgxHeader,
                    TpgxFooter, TpgxMasterData, TpgxDetailData, TpgxSubdetailData, TpgxDataBand4,
                    TpgxDataBand5, TpgxDataBand6, TpgxGroupHeader, TpgxGroupFooter, TpgxChild,
                    TpgxColumnHeader, TpgxColumnFooter, TpgxOverlay>;

template<class... Bands>
constexpr bool kindsFollowTheTable(BandClassList<Bands...>)
{
    int index = 0;
    return ((std::is_base_of_v<TpgxBand, Bands> && Bands::kKind == BandKind(index++)) && ...);
}

static_assert(BandTable::kSize == kBandKindCount, "one band class per band kind");
static_assert(kindsFollowTheTable(BandTable{}), "each band class at the position of its own kind");

template<class... Bands>
const std::array<const QMetaObject *, sizeof...(Bands)> &bandMetaObjects(BandClassList<Bands...>)
{
    static const std::array<const QMetaObject *, sizeof...(Bands)> kObjects
        = {&Bands::staticMetaObject...};
    return kObjects;
}

}   // namespace pgx
