#pragma once

#include <QtCore/QList>
#include <QtCore/QString>

#include <optional>

namespace pgx::prepared {

// "1,3-5,8-" (1-based page numbers; "N-" runs to the last page, "-M" starts at
// the first) as 0-based indexes in the order given. An empty text is every
// page. Nothing (and the reason in `error`) for a malformed range, a 0, a
// range that runs backwards or a page beyond pageCount.
std::optional<QList<int>> parsePageRange(const QString &text, int pageCount, QString &error);

}   // namespace pgx::prepared
