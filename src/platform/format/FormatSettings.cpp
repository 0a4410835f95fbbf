#include "platform/format/FormatSettings.h"

namespace pgx::format {

FormatSettings::FormatSettings()
    : shortMonthNames({QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"),
                       QStringLiteral("Apr"), QStringLiteral("May"), QStringLiteral("Jun"),
                       QStringLiteral("Jul"), QStringLiteral("Aug"), QStringLiteral("Sep"),
                       QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")}),
      longMonthNames({QStringLiteral("January"), QStringLiteral("February"),
                      QStringLiteral("March"), QStringLiteral("April"), QStringLiteral("May"),
                      QStringLiteral("June"), QStringLiteral("July"), QStringLiteral("August"),
                      QStringLiteral("September"), QStringLiteral("October"),
                      QStringLiteral("November"), QStringLiteral("December")}),
      shortDayNames({QStringLiteral("Sun"), QStringLiteral("Mon"), QStringLiteral("Tue"),
                     QStringLiteral("Wed"), QStringLiteral("Thu"), QStringLiteral("Fri"),
                     QStringLiteral("Sat")}),
      longDayNames({QStringLiteral("Sunday"), QStringLiteral("Monday"), QStringLiteral("Tuesday"),
                    QStringLiteral("Wednesday"), QStringLiteral("Thursday"),
                    QStringLiteral("Friday"), QStringLiteral("Saturday")})
{ }

namespace {
FormatSettings &currentSettings()
{
    static FormatSettings settings;
    return settings;
}
}   // namespace

const FormatSettings &FormatSettings::defaults()
{
    static const FormatSettings kSettings;
    return kSettings;
}

const FormatSettings &FormatSettings::current()
{
    return currentSettings();
}

void FormatSettings::setCurrent(const FormatSettings &settings)
{
    currentSettings() = settings;
}

}   // namespace pgx::format
