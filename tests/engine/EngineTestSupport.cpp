#include "engine/EngineTestSupport.h"

#include <QtCore/QRegularExpression>

namespace pgx::test {

namespace {

QString number(double value)
{
    return QString::number(value, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

}   // namespace

QString dumpPages(TpgxPreviewPages &pages)
{
    QString out;
    for (int i = 0; i < pages.count(); ++i) {
        const TpgxReportPage *page = pages.getPage(i);
        out += QStringLiteral("page %1 (%2 x %3)\n")
                   .arg(i + 1)
                   .arg(number(page->width()))
                   .arg(number(page->height()));
        for (const TpgxComponent *band : page->objects()) {
            const QString left
                = band->left() != 0 ? QStringLiteral(" left=") + number(band->left()) : QString();
            out += QStringLiteral("  %1 %2%3 top=%4 height=%5\n")
                       .arg(QString::fromLatin1(band->metaObject()->className()), band->name(),
                            left, number(band->top()), number(band->height()));
            for (const TpgxComponent *object : band->objects()) {
                const auto *memo = qobject_cast<const TpgxCustomMemoView *>(object);
                if (!memo)
                    continue;
                const QString continued
                    = memo->firstParaBreak() ? QStringLiteral(" continued") : QString();
                const QString memoLeft = memo->left() != 0
                    ? QStringLiteral(" left=") + number(memo->left())
                    : QString();
                out += QStringLiteral("    %1%2 top=%3 height=%4%5 \"%6\"\n")
                           .arg(memo->name(), memoLeft, number(memo->top()), number(memo->height()),
                                continued,
                                memo->text().replace(QLatin1String("\r\n"), QLatin1String("|")));
            }
        }
    }
    return out;
}

QList<int> bandsPerPage(TpgxPreviewPages &pages, const QString &name)
{
    QList<int> counts;
    for (int i = 0; i < pages.count(); ++i) {
        int n = 0;
        for (const TpgxComponent *band : pages.getPage(i)->objects())
            n += band->name() == name;
        counts.append(n);
    }
    return counts;
}

}   // namespace pgx::test
