#pragma once

#include "platform/Error.h"
#include "platform/format/FormatSettings.h"

#include <QtCore/QString>

#include <optional>

namespace pgx::format {

// Raised for text that does not convert to a number or a date; the script
// runtime reports it under the class name "EConvertError".
class ConvertError : public pgx::Error
{
public:
    using pgx::Error::Error;
};

// Nearest whole number, ties to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// General format: up to `precision` significant digits, fixed notation
// unless the decimal exponent exceeds the precision or the value is below
// 0.00001 (then "1.5E-7", "1E20"); the settings' decimal separator.
QString floatToStrGeneral(double value, int precision, const FormatSettings &settings);
inline QString floatToStr(double value, const FormatSettings &settings = FormatSettings::current())
{
    return floatToStrGeneral(value, 15, settings);
}
// A currency value held as an integer count of ten-thousandths.
QString currencyToStr(qint64 scaled, const FormatSettings &settings = FormatSettings::current());

// Integers: optional blanks and sign, decimal digits, or "$"/"0x" and
// hexadecimal digits. The 32-bit form refuses values outside its range.
bool tryStrToInt64(const QString &text, qint64 *out);
bool tryStrToInt(const QString &text, qint64 *out);
qint64 strToInt(const QString &text);
qint64 strToInt64(const QString &text);

// Floating numbers with the settings' decimal separator and an optional
// exponent; blanks around the number are allowed, nothing else.
bool tryStrToFloat(const QString &text, double *out,
                   const FormatSettings &settings = FormatSettings::current());
double strToFloat(const QString &text, const FormatSettings &settings = FormatSettings::current());

// The float form of files (templates, prepared pages, settings stores),
// shared by every layer that writes or reads one: the general format with
// 15 significant digits and "." whatever the settings (fixed notation down
// to 0.0001, else scientific: "1E-5", "1E20"); reading takes "." or "," as
// the decimal point and ignores blanks ("1 234,5"). Malformed or non-finite
// text gives nothing.
QString fileFloatText(double value);
std::optional<double> parseFileFloat(QStringView text);

// Fixed notation with `decimals` digits after the separator (correctly
// rounded from the binary value), optionally with thousands grouping.
QString formatFixed(double value, int decimals, bool grouping, const FormatSettings &settings);
// Scientific notation: `digits` significant digits, "E", sign, at least
// `exponentDigits` exponent digits ("1.2345E+003").
QString formatScientific(double value, int digits, int exponentDigits, bool alwaysSign,
                         const FormatSettings &settings);

// Picture format of a number: sections "positive;negative;zero" made of
// "0" (digit), "#" (optional digit), "." (decimal separator), "," (thousands
// grouping), "E+"/"E-"/"e+"/"e-" with exponent digits, quoted literals and any
// other character as itself. An empty picture gives the general format.
QString formatFloat(const QString &picture, double value,
                    const FormatSettings &settings = FormatSettings::current());

}   // namespace pgx::format
