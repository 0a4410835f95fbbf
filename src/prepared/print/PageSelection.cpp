#include "prepared/print/PageSelection.h"

#include <algorithm>

namespace pgx::prepared {

namespace {

std::optional<int> toPageNumber(const QString &token, QString &error)
{
    bool ok = false;
    const int value = token.toInt(&ok);
    if (!ok)
        error = QStringLiteral("'%1' is not a valid integer value").arg(token);
    return ok ? std::optional<int>(value) : std::nullopt;
}

}   // namespace

std::optional<PageSelection> PageSelection::parse(const QString &text, int lastPage, QString &error)
{
    QString s;
    for (QChar c : text)
        if (!c.isSpace())
            s += c;
    PageSelection selection;
    if (s.isEmpty())
        return selection;
    selection.m_all = false;
    if (s.endsWith(QLatin1Char('-')))
        s += QString::number(lastPage);
    s += QLatin1Char(',');

    bool inRange = false;
    int rangeStart = 0;
    qsizetype tokenStart = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != QLatin1Char('-') && s[i] != QLatin1Char(','))
            continue;
        const std::optional<int> n = toPageNumber(s.mid(tokenStart, i - tokenStart), error);
        if (!n)
            return std::nullopt;
        tokenStart = i + 1;
        if (s[i] == QLatin1Char('-')) {
            inRange = true;
            rangeStart = *n;
            continue;
        }
        if (!inRange) {
            if (*n >= 1 && *n <= lastPage)
                selection.m_pages.insert(*n);
        } else {
            for (qint64 page = std::max(rangeStart, 1), last = std::min(*n, lastPage); page <= last;
                 ++page)
                selection.m_pages.insert(int(page));
        }
        inRange = false;
    }
    return selection;
}

}   // namespace pgx::prepared
