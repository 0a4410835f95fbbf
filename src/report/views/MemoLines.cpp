#include "report/views/MemoLines.h"

namespace pgx::views {

QStringList splitMemoLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n' && c != QChar(0x2028))
            continue;
        lines << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

QString joinMemoLines(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

QString replaceMacro(QString text, const QString &macro, const QString &value)
{
    return text.replace(macro, value, Qt::CaseInsensitive);
}

}   // namespace pgx::views
