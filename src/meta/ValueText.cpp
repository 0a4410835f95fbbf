#include "meta/ValueText.h"

#include "platform/format/FormatSettings.h"
#include "platform/format/NumberText.h"

#include <cmath>

namespace pgx {

QString formatFloat(double value)
{
    // The files' form is the one general format of the format engine with
    // the fixed default settings, whose decimal separator is ".".
    return format::floatToStrGeneral(value, 15, format::FormatSettings::defaults());
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
