#include "meta/ValueText.h"

#include <cmath>

namespace pgx {

QString formatFloat(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0)
        return QStringLiteral("0");

    // 15 significant digits, rounded once; QString::number is locale-free.
    const QString sci = QString::number(std::fabs(value), 'e', 14);
    const qsizetype ePos = sci.indexOf(QLatin1Char('e'));
    const int exponent = sci.mid(ePos + 1).toInt();
    QString digits = sci.left(ePos);
    digits.remove(QLatin1Char('.'));
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

    QString out;
    if (value < 0)
        out += QLatin1Char('-');
    if (exponent < 15 && exponent >= -5) {
        if (exponent >= 0) {
            const qsizetype intDigits = exponent + 1;
            if (digits.size() <= intDigits) {
                out += digits + QString(intDigits - digits.size(), QLatin1Char('0'));
            } else {
                out += digits.left(intDigits) + QLatin1Char('.') + digits.mid(intDigits);
            }
        } else {
            out += QLatin1String("0.") + QString(-exponent - 1, QLatin1Char('0')) + digits;
        }
    } else {
        out += digits.at(0);
        if (digits.size() > 1)
            out += QLatin1Char('.') + digits.mid(1);
        out += QLatin1Char('E') + QString::number(exponent);
    }
    return out;
}

std::optional<double> parseFloat(QStringView text)
{
    QString clean;
    clean.reserve(text.size());
    for (QChar ch : text) {
        if (ch == QLatin1Char(' '))
            continue;
        clean += ch == QLatin1Char(',') ? QLatin1Char('.') : ch;
    }
    bool ok = false;
    const double v = clean.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString escapeAttr(QStringView text)
{
    static const QLatin1String quotEntity("&quot;");
    QString out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        switch (ch.unicode()) {
        case '&':
            if (text.mid(i).startsWith(quotEntity)) {
                out += QLatin1String("&#34;");
                i += quotEntity.size() - 1;
            } else {
                out += QLatin1String("&#38;");
            }
            break;
        case '\n': out += QLatin1String("&#10;"); break;
        case '\r': out += QLatin1String("&#13;"); break;
        case '"': out += QLatin1String("&#34;"); break;
        case '<': out += QLatin1String("&#60;"); break;
        case '>': out += QLatin1String("&#62;"); break;
        default: out += ch; break;
        }
    }
    return out;
}

} // namespace pgx

#include <QtCore/QDateTime>

namespace pgx {

namespace {
const QDate kDayZero(1899, 12, 30);
constexpr double kMsecsPerDay = 86400000.0;
} // namespace

double dateTimeToDays(const QDateTime &dateTime)
{
    const double days = double(kDayZero.daysTo(dateTime.date()));
    const double fraction = dateTime.time().msecsSinceStartOfDay() / kMsecsPerDay;
    // Before day zero the fraction still counts forward from midnight, so
    // the day part and the fraction carry opposite signs there.
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime daysToDateTime(double days)
{
    const double whole = std::trunc(days);
    const double fraction = std::fabs(days - whole);
    const QDate date = kDayZero.addDays(qint64(whole));
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(std::llround(fraction * kMsecsPerDay)) % 86400000);
    return QDateTime(date, time);
}

} // namespace pgx
