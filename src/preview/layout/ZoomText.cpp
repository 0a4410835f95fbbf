#include "preview/layout/ZoomText.h"

#include "platform/format/NumberText.h"
#include "preview/PreviewTexts.h"
#include "preview/layout/TpgxPageList.h"

#include <QtCore/QRegularExpression>

namespace pgx::preview {

namespace {

// The resource text of `key`, or `fallback` while no resource has it.
QString textOr(const char *key, const char *fallback)
{
    const QString text = previewText(key);
    return text == QLatin1String(key) ? QString::fromLatin1(fallback) : text;
}

}   // namespace

QStringList zoomChoices()
{
    return {QStringLiteral("25%"),
            QStringLiteral("50%"),
            QStringLiteral("75%"),
            QStringLiteral("100%"),
            QStringLiteral("150%"),
            QStringLiteral("200%"),
            textOr("zmPageWidth", "Page width"),
            textOr("zmWholePage", "Whole page")};
}

std::optional<double> parseZoomText(const QString &text)
{
    QString number;
    number.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'%' || c.isSpace())
            continue;
        number.append(c == u',' ? u'.' : c);
    }
    // Digits with one decimal separator, nothing else: toDouble would also
    // take exponents, "inf" and "nan".
    static const QRegularExpression kPlainNumber(QStringLiteral("^(\\d+(\\.\\d*)?|\\.\\d+)$"));
    if (!kPlainNumber.match(number).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !(value > 0))
        return std::nullopt;
    return boundedZoom(value < 10 ? value : value / 100);
}

QString zoomText(double zoom)
{
    return QString::number(qint64(format::roundHalfEven(boundedZoom(zoom) * 100)))
        + QLatin1Char('%');
}

}   // namespace pgx::preview
