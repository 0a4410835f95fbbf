#include "report/views/MemoExpansion.h"

namespace pgx::views {

Delimiters splitDelimiters(const QString &expressionDelimiters)
{
    const qsizetype comma = expressionDelimiters.indexOf(QLatin1Char(','));
    if (comma < 0)
        return {expressionDelimiters, QString()};
    return {expressionDelimiters.left(comma), expressionDelimiters.mid(comma + 1)};
}

qsizetype matchingClose(const QString &text, qsizetype from, const Delimiters &d)
{
    int level = 0;
    bool inSingle = false;
    bool inDouble = false;
    qsizetype i = from;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c == QLatin1Char('"') && !inSingle) {
            inDouble = !inDouble;
        } else if (c == QLatin1Char('\'') && !inDouble) {
            inSingle = !inSingle;
        } else if (!inSingle && !inDouble) {
            // Closing is tried first: with equal delimiters ("|,|") the
            // first one opens and the next one closes.
            const QStringView rest = QStringView(text).mid(i);
            if (level > 0 && rest.startsWith(d.close)) {
                if (--level == 0)
                    return i + d.close.size();
                i += d.close.size();
                continue;
            }
            if (rest.startsWith(d.open)) {
                ++level;
                i += d.open.size();
                continue;
            }
        }
        ++i;
    }
    return -1;
}

QString expandExpressions(const QString &text, const Delimiters &d,
                          const std::function<QString(const QString &expression)> &expand)
{
    if (d.open.isEmpty() || d.close.isEmpty())
        return text;
    QString out;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype start = text.indexOf(d.open, pos);
        if (start < 0)
            break;
        out += QStringView(text).mid(pos, start - pos);
        const qsizetype end = matchingClose(text, start, d);
        const qsizetype inner = start + d.open.size();
        if (end < 0) {
            out += expand(text.mid(inner));
            return out;
        }
        out += expand(text.mid(inner, end - d.close.size() - inner));
        pos = end;
    }
    out += QStringView(text).mid(pos);
    return out;
}

}   // namespace pgx::views
