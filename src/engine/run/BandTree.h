#pragma once

#include <QtCore/QStringList>

class TpgxDataBand;
class TpgxReportPage;

namespace pgx::engine {

// Works out, for the bands of one orientation of a page, which header,
// footer and group bands belong to which data band and which data bands
// nest under which (into the bands' and the page's run state). Returns the
// misplaced bands as error lines ("Incorrect band position: Band1" ...).
QStringList buildBandTree(TpgxReportPage *page, bool vertical);

// Whether the engine prints the band's rows: it has a data source, or a
// RowCount that gives it its own.
bool hasRows(const TpgxDataBand *band);

}   // namespace pgx::engine
