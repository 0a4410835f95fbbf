#pragma once

#include <QtCore/QChar>
#include <QtCore/QString>
#include <QtCore/QStringList>

namespace pgx::format {

// The settings every script-visible and report-visible conversion uses:
// separators, date and time pictures, month and day names, currency.
// The defaults are fixed so that a template formats the same on every
// machine; the C locale and the user's locale are never consulted.
struct FormatSettings
{
    QChar decimalSeparator = QLatin1Char('.');
    QChar thousandSeparator = QLatin1Char(',');
    QChar dateSeparator = QLatin1Char('.');
    QChar timeSeparator = QLatin1Char(':');
    // In date and time pictures "/" stands for dateSeparator and ":" for
    // timeSeparator, so changing a separator changes every picture at once.
    QString shortDateFormat = QStringLiteral("dd/mm/yyyy");
    QString longDateFormat = QStringLiteral("dddd, d mmmm yyyy");
    QString shortTimeFormat = QStringLiteral("hh:nn");
    QString longTimeFormat = QStringLiteral("hh:nn:ss");
    QString timeAMString = QStringLiteral("AM");
    QString timePMString = QStringLiteral("PM");
    QStringList shortMonthNames;   // 12 entries, January first
    QStringList longMonthNames;
    QStringList shortDayNames;   // 7 entries, Sunday first
    QStringList longDayNames;
    QString currencyString = QStringLiteral("$");
    int currencyFormat = 0;   // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    int negCurrFormat = 1;    // 0..15, the classic negative currency patterns
    int currencyDecimals = 2;
    // Two-digit years within this many years before the current one belong
    // to the current century; 0 means "always the current century".
    int twoDigitYearCenturyWindow = 50;

    FormatSettings();

    // The fixed defaults.
    static const FormatSettings &defaults();
    // The settings in force for the process (the defaults until changed).
    static const FormatSettings &current();
    static void setCurrent(const FormatSettings &settings);
};

// Puts settings in force for a scope and restores the previous ones.
class ScopedFormatSettings
{
public:
    explicit ScopedFormatSettings(const FormatSettings &settings)
        : m_saved(FormatSettings::current())
    {
        FormatSettings::setCurrent(settings);
    }
    ~ScopedFormatSettings() { FormatSettings::setCurrent(m_saved); }
    ScopedFormatSettings(const ScopedFormatSettings &) = delete;
    ScopedFormatSettings &operator=(const ScopedFormatSettings &) = delete;

private:
    FormatSettings m_saved;
};

}   // namespace pgx::format
