#pragma once

#include "report/component/Units.h"

#include <QtCore/QString>
#include <optional>

namespace pgx {

// The colour a platform colour identifier names ("clRed", "clMoneyGreen",
// the system colours of SystemColors.h, "clNone"), compared without regard
// to case; nothing for other names.
std::optional<TColor> colorByName(const QString &identifier);

}   // namespace pgx
