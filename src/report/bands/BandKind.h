#pragma once

namespace pgx {

// The band number: the position of a band's class in the band table
// (BandTable.h), by which the designer's band menu and the engine index
// their own tables. TpgxNullBand and a plain TpgxDataBand have none and
// count as 0.
enum class BandKind {
    ReportTitle,
    ReportSummary,
    PageHeader,
    PageFooter,
    Header,
    Footer,
    MasterData,   // data band levels 1 to 6
    DetailData,
    SubdetailData,
    DataBand4,
    DataBand5,
    DataBand6,
    GroupHeader,
    GroupFooter,
    Child,
    ColumnHeader,
    ColumnFooter,
    Overlay,
};
inline constexpr int kBandKindCount = int(BandKind::Overlay) + 1;

}   // namespace pgx
