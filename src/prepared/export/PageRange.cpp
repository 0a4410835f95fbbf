#include "prepared/export/PageRange.h"

#include <QtCore/QStringList>

namespace pgx::prepared {

namespace {

std::optional<int> pageNumber(const QString &text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

}   // namespace

std::optional<QList<int>> parsePageRange(const QString &text, int pageCount, QString &error)
{
    QList<int> pages;
    if (text.trimmed().isEmpty()) {
        for (int i = 0; i < pageCount; ++i)
            pages.append(i);
        return pages;
    }
    for (const QString &part : text.split(QLatin1Char(','))) {
        const qsizetype dash = part.indexOf(QLatin1Char('-'));
        const QString fromText = dash < 0 ? part : part.left(dash);
        const QString toText = dash < 0 ? part : part.mid(dash + 1);
        const std::optional<int> from
            = fromText.trimmed().isEmpty() && dash >= 0 ? 1 : pageNumber(fromText);
        const std::optional<int> to
            = toText.trimmed().isEmpty() && dash >= 0 ? pageCount : pageNumber(toText);
        if (!from || !to
            || (dash >= 0 && fromText.trimmed().isEmpty() && toText.trimmed().isEmpty())) {
            error = QStringLiteral("\"%1\" is not a page range").arg(part.trimmed());
            return std::nullopt;
        }
        if (*from < 1 || *to < 1) {
            error = QStringLiteral("pages are numbered from 1 (\"%1\")").arg(part.trimmed());
            return std::nullopt;
        }
        if (*from > *to) {
            error = QStringLiteral("the range \"%1\" runs backwards").arg(part.trimmed());
            return std::nullopt;
        }
        if (*to > pageCount) {
            error = QStringLiteral("page %1 is beyond the last page (%2)").arg(*to).arg(pageCount);
            return std::nullopt;
        }
        for (int n = *from; n <= *to; ++n)
            pages.append(n - 1);
    }
    return pages;
}

}   // namespace pgx::prepared
