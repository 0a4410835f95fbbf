#include "report/views/MemoFormat.h"

#include "platform/format/DateTime.h"
#include "platform/format/NumberText.h"
#include "platform/format/TextFormat.h"

#include <QtCore/QDateTime>

namespace pgx::views {

namespace {

bool isString(const QVariant &value)
{
    const int type = value.typeId();
    return type == QMetaType::QString || type == QMetaType::QByteArray || type == QMetaType::QChar;
}

bool isNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Bool: return true;
    default: return false;
    }
}

// The value as a number of the report's date-time scale (days since
// 30 December 1899) or as a plain number; none when it is neither.
std::optional<double> numberOf(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDateTime: return format::daysOf(value.toDateTime());
    case QMetaType::QDate: return format::daysOf(value.toDate());
    case QMetaType::QTime: return format::daysOf(QDate(1899, 12, 30), value.toTime());
    default: break;
    }
    if (isNumber(value))
        return value.toDouble();
    if (isString(value)) {
        double d = 0;
        if (format::tryStrToFloat(value.toString().trimmed(), &d))
            return d;
    }
    return std::nullopt;
}

QString numericText(const QVariant &value, const DisplayFormat &f)
{
    const std::optional<double> number = numberOf(value);
    if (!number)
        return valueText(value);
    QString out;
    if (f.formatStr.contains(QLatin1Char('#'))) {
        out = format::formatFloat(f.formatStr, *number);
    } else if (f.formatStr.contains(QLatin1Char('d'))) {
        out = format::formatText(
            f.formatStr, {format::FormatArg::fromInt64(qint64(format::roundHalfEven(*number)))});
    } else {
        out = format::formatText(f.formatStr.isEmpty() ? QStringLiteral("%2.2f") : f.formatStr,
                                 {format::FormatArg::fromFloat(*number)});
    }
    const QChar system = format::FormatSettings::current().decimalSeparator;
    if (f.decimalSeparator.size() == 1 && f.decimalSeparator[0] != system)
        out.replace(system, f.decimalSeparator[0]);
    return out;
}

}   // namespace

QString valueText(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float: return format::floatToStr(value.toDouble());
    case QMetaType::QDateTime:
    case QMetaType::QDate:
    case QMetaType::QTime: return format::dateTimeToStr(*numberOf(value));
    default: return value.toString();
    }
}

bool isHiddenZero(const QVariant &value)
{
    if (isString(value) || value.isNull())
        return false;
    const std::optional<double> number = numberOf(value);
    return number && *number == 0;
}

QString applyFormat(const QVariant &value, const DisplayFormat &f)
{
    if (value.isNull() || !value.isValid())
        return {};
    try {
        switch (f.kind) {
        case DisplayFormat::Text: return valueText(value);
        case DisplayFormat::Numeric: return numericText(value, f);
        case DisplayFormat::DateTime: {
            const std::optional<double> number = numberOf(value);
            return number ? format::formatDateTime(f.formatStr, *number) : valueText(value);
        }
        case DisplayFormat::Boolean: {
            const qsizetype comma = f.formatStr.indexOf(QLatin1Char(','));
            const bool isTrue = value.typeId() == QMetaType::Bool
                ? value.toBool()
                : (numberOf(value) && *numberOf(value) == 1 && !isString(value));
            if (isTrue)
                return comma < 0 ? QString() : f.formatStr.mid(comma + 1);
            return comma < 0 ? f.formatStr : f.formatStr.left(comma);
        }
        }
    } catch (const pgx::Error &) {
        // A format that does not fit the value: the value as it is.
    }
    return valueText(value);
}

InlineFormat splitInlineFormat(const QString &expression)
{
    InlineFormat result;
    result.expression = expression;
    const qsizetype at = expression.indexOf(QLatin1String(" #"));
    if (at < 0)
        return result;
    const QString spec = expression.mid(at + 2);
    if (spec.contains(QLatin1Char(')')) || spec.isEmpty())
        return result;
    result.expression = expression.left(at);
    result.hasFormat = true;
    DisplayFormat &f = result.format;
    const QChar letter = spec[0].toUpper();
    f.formatStr = spec.mid(1);
    if (letter == QLatin1Char('N')) {
        f.kind = DisplayFormat::Numeric;
        for (qsizetype i = 0; i < f.formatStr.size(); ++i) {
            const QChar c = f.formatStr[i];
            if (c == QLatin1Char(',') || c == QLatin1Char('-') || c == QLatin1Char('.')) {
                f.decimalSeparator = c;
                f.formatStr[i] = QLatin1Char('.');
            }
        }
    } else if (letter == QLatin1Char('D') || letter == QLatin1Char('T')) {
        f.kind = DisplayFormat::DateTime;
    } else if (letter == QLatin1Char('B')) {
        f.kind = DisplayFormat::Boolean;
    } else {
        f.kind = DisplayFormat::Text;
    }
    return result;
}

}   // namespace pgx::views
