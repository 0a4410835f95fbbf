#include "platform/format/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace pgx::format {

namespace {

// Significant digits of |value| (no trailing zeros) and the exponent e such
// that |value| = 0.d1d2d3... * 10^e. to_chars works in the C++ "C" format
// and ignores setlocale(), which Qt applications change at start-up.
void significantDigits(double absValue, int precision, QByteArray *digits, int *exponent)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, absValue, std::chars_format::scientific,
                                   precision - 1);
    const QByteArray text(buf, int(res.ptr - buf));
    const int ePos = text.indexOf('e');
    QByteArray mantissa = text.left(ePos);
    mantissa.replace(".", "");
    *exponent = text.mid(ePos + 1).toInt() + 1;
    while (mantissa.size() > 1 && mantissa.endsWith('0'))
        mantissa.chop(1);
    *digits = mantissa;
}

QByteArray fixedDigits(double absValue, int decimals)
{
    char buf[400];
    const auto res
        = std::to_chars(buf, buf + sizeof buf, absValue, std::chars_format::fixed, decimals);
    if (res.ec != std::errc())
        return QByteArray("0");
    return QByteArray(buf, int(res.ptr - buf));
}

QString nonFinite(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString groupDigits(const QString &digits, QChar separator)
{
    QString out;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        out += digits[i];
        const int fromRight = n - 1 - i;
        if (fromRight > 0 && fromRight % 3 == 0)
            out += separator;
    }
    return out;
}

QString trimmed(const QString &text)
{
    int b = 0, e = text.size();
    while (b < e && text[b].unicode() <= ' ')
        ++b;
    while (e > b && text[e - 1].unicode() <= ' ')
        --e;
    return text.mid(b, e - b);
}

}   // namespace

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff > 0.5)
        return floor + 1;
    if (diff < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

QString floatToStrGeneral(double value, int precision, const FormatSettings &settings)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    if (value == 0)
        return QStringLiteral("0");
    precision = qBound(1, precision, 17);
    QByteArray digits;
    int exponent = 0;
    significantDigits(std::fabs(value), precision, &digits, &exponent);
    QString out;
    if (value < 0)
        out += QLatin1Char('-');
    if (exponent > precision || exponent < -3) {
        // Scientific: one digit before the separator, the exponent without
        // plus sign or leading zeros.
        out += QLatin1Char(digits[0]);
        if (digits.size() > 1) {
            out += settings.decimalSeparator;
            out += QString::fromLatin1(digits.mid(1));
        }
        out += QLatin1Char('E');
        out += QString::number(exponent - 1);
        return out;
    }
    if (exponent <= 0) {
        out += QLatin1Char('0');
        out += settings.decimalSeparator;
        out += QString(-exponent, QLatin1Char('0'));
        out += QString::fromLatin1(digits);
        return out;
    }
    if (digits.size() <= exponent) {
        out += QString::fromLatin1(digits);
        out += QString(exponent - digits.size(), QLatin1Char('0'));
        return out;
    }
    out += QString::fromLatin1(digits.left(exponent));
    out += settings.decimalSeparator;
    out += QString::fromLatin1(digits.mid(exponent));
    return out;
}

QString currencyToStr(qint64 scaled, const FormatSettings &settings)
{
    const bool negative = scaled < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(scaled) : quint64(scaled);
    QString out = negative ? QStringLiteral("-") : QString();
    out += QString::number(magnitude / 10000);
    QString fraction = QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (!fraction.isEmpty())
        out += settings.decimalSeparator + fraction;
    return out;
}

bool tryStrToInt64(const QString &text, qint64 *out)
{
    const QString t = trimmed(text);
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < t.size() && t[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < t.size() && t[i] == QLatin1Char('0')
               && (t[i + 1] == QLatin1Char('x') || t[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= t.size())
        return false;
    quint64 magnitude = 0;
    const quint64 limit = negative ? quint64(std::numeric_limits<qint64>::max()) + 1
                                   : quint64(std::numeric_limits<qint64>::max());
    for (; i < t.size(); ++i) {
        const ushort u = t[i].unicode();
        int digit = -1;
        if (u >= '0' && u <= '9')
            digit = u - '0';
        else if (u >= 'a' && u <= 'f')
            digit = u - 'a' + 10;
        else if (u >= 'A' && u <= 'F')
            digit = u - 'A' + 10;
        if (digit < 0 || digit >= base)
            return false;
        if (magnitude > (limit - quint64(digit)) / quint64(base))
            return false;
        magnitude = magnitude * quint64(base) + quint64(digit);
    }
    *out = negative ? qint64(0 - magnitude) : qint64(magnitude);
    return true;
}

bool tryStrToInt(const QString &text, qint64 *out)
{
    qint64 v = 0;
    if (!tryStrToInt64(text, &v) || v < std::numeric_limits<qint32>::min()
        || v > std::numeric_limits<qint32>::max())
        return false;
    *out = v;
    return true;
}

qint64 strToInt(const QString &text)
{
    qint64 v = 0;
    if (!tryStrToInt(text, &v))
        throw ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

qint64 strToInt64(const QString &text)
{
    qint64 v = 0;
    if (!tryStrToInt64(text, &v))
        throw ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

bool tryStrToFloat(const QString &text, double *out, const FormatSettings &settings)
{
    const QString t = trimmed(text);
    // Only sign, digits, one decimal separator and an exponent: from_chars
    // alone would also take "inf", "nan" and hexadecimal forms.
    QByteArray ascii;
    ascii.reserve(t.size());
    bool seenDigit = false, seenSeparator = false, seenExponent = false;
    for (int i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.unicode() >= '0' && c.unicode() <= '9') {
            seenDigit = true;
            ascii += char(c.unicode());
        } else if (c == settings.decimalSeparator && !seenSeparator && !seenExponent) {
            seenSeparator = true;
            ascii += '.';
        } else if ((c == QLatin1Char('e') || c == QLatin1Char('E')) && seenDigit && !seenExponent) {
            seenExponent = true;
            ascii += 'e';
            if (i + 1 < t.size() && (t[i + 1] == QLatin1Char('+') || t[i + 1] == QLatin1Char('-')))
                ascii += char(t[++i].unicode());
            if (i + 1 >= t.size())
                return false;
        } else if ((c == QLatin1Char('+') || c == QLatin1Char('-')) && i == 0) {
            if (c == QLatin1Char('-'))
                ascii += '-';
        } else {
            return false;
        }
    }
    if (!seenDigit)
        return false;
    double v = 0;
    const char *begin = ascii.constData();
    const char *end = begin + ascii.size();
    const auto res = std::from_chars(begin, end, v);
    if (res.ec != std::errc() || res.ptr != end)
        return false;
    *out = v;
    return true;
}

double strToFloat(const QString &text, const FormatSettings &settings)
{
    double v = 0;
    if (!tryStrToFloat(text, &v, settings))
        throw ConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return v;
}

QString formatFixed(double value, int decimals, bool grouping, const FormatSettings &settings)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    decimals = qBound(0, decimals, 60);
    const QByteArray text = fixedDigits(std::fabs(value), decimals);
    const int dot = text.indexOf('.');
    QString intPart = QString::fromLatin1(dot < 0 ? text : text.left(dot));
    const QString fracPart = dot < 0 ? QString() : QString::fromLatin1(text.mid(dot + 1));
    bool allZero = true;
    for (char c : text)
        if (c >= '1' && c <= '9')
            allZero = false;
    QString out = (value < 0 && !allZero) ? QStringLiteral("-") : QString();
    out += grouping ? groupDigits(intPart, settings.thousandSeparator) : intPart;
    if (decimals > 0)
        out += settings.decimalSeparator + fracPart;
    return out;
}

QString formatScientific(double value, int digits, int exponentDigits, bool alwaysSign,
                         const FormatSettings &settings)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    digits = qBound(1, digits, 17);
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                   std::chars_format::scientific, digits - 1);
    const QByteArray text(buf, int(res.ptr - buf));
    const int ePos = text.indexOf('e');
    QString mantissa = QString::fromLatin1(text.left(ePos));
    mantissa.replace(QLatin1Char('.'), settings.decimalSeparator);
    const int exponent = value == 0 ? 0 : text.mid(ePos + 1).toInt();
    QString out = value < 0 ? QStringLiteral("-") : QString();
    out += mantissa + QLatin1Char('E');
    if (exponent < 0)
        out += QLatin1Char('-');
    else if (alwaysSign)
        out += QLatin1Char('+');
    out += QStringLiteral("%1").arg(std::abs(exponent), exponentDigits, 10, QLatin1Char('0'));
    return out;
}

namespace {

struct PictureToken
{
    enum Kind { Literal, IntDigit, FracDigit, Point, Exponent } kind;
    QString text;        // Literal text; for Exponent the letter
    bool zero = false;   // '0' rather than '#'
    bool plus = false;   // exponent sign always shown
    int digits = 0;      // exponent digits
};

QList<QString> splitSections(const QString &picture)
{
    QList<QString> sections;
    QString current;
    QChar quote;
    for (QChar c : picture) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections.append(current);
            current.clear();
            continue;
        }
        current += c;
    }
    sections.append(current);
    return sections;
}

}   // namespace

QString formatFloat(const QString &picture, double value, const FormatSettings &settings)
{
    if (picture.isEmpty())
        return floatToStr(value, settings);
    if (!std::isfinite(value))
        return nonFinite(value);

    const QList<QString> sections = splitSections(picture);
    QString section = sections[0];
    bool autoSign = value < 0;
    if (value < 0 && sections.size() >= 2 && !sections[1].isEmpty()) {
        section = sections[1];
        autoSign = false;
    } else if (value == 0 && sections.size() >= 3 && !sections[2].isEmpty()) {
        section = sections[2];
    }

    // Tokenise the section.
    QList<PictureToken> tokens;
    bool grouping = false, seenPoint = false, scientific = false;
    int intPlaces = 0, firstIntZero = -1, fracPlaces = 0, fracZeros = 0;
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int close = section.indexOf(c, i + 1);
            const int end = close < 0 ? section.size() : close;
            tokens.append({PictureToken::Literal, section.mid(i + 1, end - i - 1)});
            i = end;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            const bool zero = c == QLatin1Char('0');
            if (!seenPoint) {
                if (zero && firstIntZero < 0)
                    firstIntZero = intPlaces;
                ++intPlaces;
                tokens.append({PictureToken::IntDigit, QString(), zero});
            } else {
                ++fracPlaces;
                if (zero)
                    fracZeros = fracPlaces;
                tokens.append({PictureToken::FracDigit, QString(), zero});
            }
        } else if (c == QLatin1Char('.')) {
            if (!seenPoint && !scientific) {
                seenPoint = true;
                tokens.append(PictureToken{PictureToken::Point, QString()});
            }
        } else if (c == QLatin1Char(',')) {
            if (!seenPoint)
                grouping = true;
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && i + 1 < section.size()
                   && (section[i + 1] == QLatin1Char('+') || section[i + 1] == QLatin1Char('-'))
                   && !scientific) {
            PictureToken t{PictureToken::Exponent, QString(c)};
            t.plus = section[i + 1] == QLatin1Char('+');
            i += 2;
            while (i < section.size() && section[i] == QLatin1Char('0')) {
                ++t.digits;
                ++i;
            }
            --i;
            scientific = true;
            seenPoint = true;   // digits after the exponent are its own
            tokens.append(t);
        } else {
            tokens.append({PictureToken::Literal, QString(c)});
        }
    }

    const double absValue = std::fabs(value);
    QString intDigits, fracDigits;
    int exponent = 0;
    if (scientific) {
        const int intCount = qMax(intPlaces, 1);
        const int significant = qBound(1, intCount + fracPlaces, 17);
        QByteArray digits;
        int e = 0;
        if (absValue == 0) {
            digits = QByteArray(significant, '0');
            e = intCount;
        } else {
            significantDigits(absValue, significant, &digits, &e);
            digits = digits.leftJustified(significant, '0');
        }
        exponent = e - intCount;
        intDigits = QString::fromLatin1(digits.left(intCount));
        fracDigits = QString::fromLatin1(digits.mid(intCount));
    } else {
        // Past 60 decimals a double has no digits left to show: pad.
        const int decimals = qMin(fracPlaces, 60);
        const QByteArray text = fixedDigits(absValue, decimals);
        const int dot = text.indexOf('.');
        intDigits = QString::fromLatin1(dot < 0 ? text : text.left(dot));
        fracDigits = dot < 0 ? QString() : QString::fromLatin1(text.mid(dot + 1));
        fracDigits += QString(fracPlaces - decimals, QLatin1Char('0'));
        if (intDigits == QLatin1String("0"))
            intDigits.clear();
        const int minInt = firstIntZero < 0 ? 0 : intPlaces - firstIntZero;
        if (intDigits.size() < minInt)
            intDigits = QString(minInt - intDigits.size(), QLatin1Char('0')) + intDigits;
    }
    while (fracDigits.size() > fracZeros && fracDigits.endsWith(QLatin1Char('0')))
        fracDigits.chop(1);

    bool allZero = true;
    for (QChar c : intDigits + fracDigits)
        if (c != QLatin1Char('0'))
            allZero = false;

    QString out;
    auto putIntDigit = [&](int index) {
        out += intDigits[index];
        const int fromRight = intDigits.size() - 1 - index;
        if (grouping && fromRight > 0 && fromRight % 3 == 0)
            out += settings.thousandSeparator;
    };
    int intPlace = 0, fracPlace = 0;
    for (const PictureToken &t : tokens) {
        switch (t.kind) {
        case PictureToken::Literal: out += t.text; break;
        case PictureToken::IntDigit: {
            // Digits are right-aligned on the placeholders; the first one
            // takes every digit that has no placeholder of its own.
            const int index = intDigits.size() - (intPlaces - intPlace);
            if (intPlace == 0) {
                for (int i = 0; i <= index; ++i)
                    putIntDigit(i);
            } else if (index >= 0) {
                putIntDigit(index);
            }
            ++intPlace;
            break;
        }
        case PictureToken::Point:
            if (intPlaces == 0)
                for (int i = 0; i < intDigits.size(); ++i)
                    putIntDigit(i);
            if (!fracDigits.isEmpty())
                out += settings.decimalSeparator;
            break;
        case PictureToken::FracDigit:
            if (fracPlace < fracDigits.size())
                out += fracDigits[fracPlace];
            ++fracPlace;
            break;
        case PictureToken::Exponent:
            out += t.text;
            if (exponent < 0)
                out += QLatin1Char('-');
            else if (t.plus)
                out += QLatin1Char('+');
            out += QStringLiteral("%1").arg(std::abs(exponent), t.digits, 10, QLatin1Char('0'));
            break;
        }
    }
    if (autoSign && !allZero)
        out.prepend(QLatin1Char('-'));
    return out;
}

QString fileFloatText(double value)
{
    return floatToStrGeneral(value, 15, FormatSettings::defaults());
}

std::optional<double> parseFileFloat(QStringView text)
{
    QString clean;
    clean.reserve(text.size());
    for (QChar ch : text) {
        if (ch == QLatin1Char(' '))
            continue;
        clean += ch == QLatin1Char(',') ? QLatin1Char('.') : ch;
    }
    bool ok = false;
    const double v = clean.toDouble(&ok);   // QString::toDouble ignores the locale
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

}   // namespace pgx::format
