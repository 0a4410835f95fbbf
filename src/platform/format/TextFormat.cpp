#include "platform/format/TextFormat.h"

#include "platform/format/NumberText.h"

#include <cmath>

namespace pgx::format {

namespace {

[[noreturn]] void invalidFormat(const QString &format)
{
    throw ConvertError(
        QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format));
}

bool integerOf(const FormatArg &a, qint64 *out)
{
    switch (a.kind) {
    case FormatArg::Integer:
    case FormatArg::Int64: *out = a.integer; return true;
    case FormatArg::Any:
        if (!a.numeric || !std::isfinite(a.number) || std::fabs(a.number) > 9.2e18)
            return false;
        *out = qint64(roundHalfEven(a.number));
        return true;
    default: return false;
    }
}

bool numberOf(const FormatArg &a, double *out)
{
    switch (a.kind) {
    case FormatArg::Float:
    case FormatArg::Currency: *out = a.number; return true;
    case FormatArg::Any:
        if (!a.numeric)
            return false;
        *out = a.number;
        return true;
    default: return false;
    }
}

bool textOf(const FormatArg &a, QString *out)
{
    if (a.kind == FormatArg::String || a.kind == FormatArg::Any) {
        *out = a.text;
        return true;
    }
    return false;
}

// The classic currency patterns: '$' stands for the currency string and
// '1' for the number.
const char *const kPositiveCurrency[4] = {"$1", "1$", "$ 1", "1 $"};
const char *const kNegativeCurrency[16]
    = {"($1)", "-$1",  "$-1",  "$1-",  "(1$)", "-1$",  "1-$",   "1$-",
       "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};

QString money(double value, int decimals, const FormatSettings &s)
{
    const QString number = formatFixed(std::fabs(value), decimals, true, s);
    const bool negative
        = value < 0 && formatFixed(value, decimals, false, s).startsWith(QLatin1Char('-'));
    const char *pattern = negative ? kNegativeCurrency[qBound(0, s.negCurrFormat, 15)]
                                   : kPositiveCurrency[qBound(0, s.currencyFormat, 3)];
    QString out;
    for (const char *p = pattern; *p; ++p) {
        if (*p == '$')
            out += s.currencyString;
        else if (*p == '1')
            out += number;
        else
            out += QLatin1Char(*p);
    }
    return out;
}

}   // namespace

QString formatText(const QString &format, const QList<FormatArg> &args, const FormatSettings &s)
{
    QString out;
    int nextArg = 0;
    const int n = format.size();
    int i = 0;
    while (i < n) {
        const QChar c = format[i];
        if (c != QLatin1Char('%')) {
            out += c;
            ++i;
            continue;
        }
        const int specStart = i;
        ++i;
        if (i < n && format[i] == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        auto readCount = [&](int *value) -> bool {
            if (i < n && format[i] == QLatin1Char('*')) {
                ++i;
                if (nextArg >= args.size())
                    throw ConvertError(QStringLiteral("No argument for format '%1'").arg(format));
                qint64 v = 0;
                if (args[nextArg].kind != FormatArg::Integer
                    && args[nextArg].kind != FormatArg::Int64)
                    invalidFormat(format);
                v = args[nextArg++].integer;
                *value = int(qBound(qint64(-100000), v, qint64(100000)));
                return true;
            }
            bool any = false;
            qint64 v = 0;
            while (i < n && format[i].unicode() >= '0' && format[i].unicode() <= '9') {
                v = qMin<qint64>(v * 10 + (format[i].unicode() - '0'), 100000);
                ++i;
                any = true;
            }
            *value = int(v);
            return any;
        };
        int number = 0;
        bool leftAlign = false;
        int width = -1, precision = -1;
        // An index "n:" selects the argument and continues from there.
        {
            int j = i;
            while (j < n && format[j].unicode() >= '0' && format[j].unicode() <= '9')
                number = qMin(number * 10 + (format[j++].unicode() - '0'), 100000);
            if (j > i && j < n && format[j] == QLatin1Char(':')) {
                nextArg = number;
                i = j + 1;
            }
        }
        if (i < n && format[i] == QLatin1Char('-')) {
            leftAlign = true;
            ++i;
        }
        int value = 0;
        if (readCount(&value)) {
            width = value;
            if (width < 0) {
                leftAlign = true;
                width = -width;
            }
        }
        if (i < n && format[i] == QLatin1Char('.')) {
            ++i;
            precision = readCount(&value) ? qMax(value, 0) : 0;
        }
        if (i >= n)
            invalidFormat(format);
        const QChar type = format[i].toLower();
        ++i;
        if (nextArg >= args.size())
            throw ConvertError(QStringLiteral("No argument for format '%1'")
                                   .arg(format.mid(specStart, i - specStart)));
        const FormatArg &arg = args[nextArg++];
        QString text;
        switch (type.unicode()) {
        case 'd':
        case 'u':
        case 'x': {
            qint64 v = 0;
            if (!integerOf(arg, &v))
                invalidFormat(format);
            bool negative = false;
            if (type == QLatin1Char('x')) {
                const quint64 bits
                    = arg.kind == FormatArg::Integer ? quint64(quint32(v)) : quint64(v);
                text = QString::number(bits, 16).toUpper();
            } else if (type == QLatin1Char('u')) {
                const quint64 bits
                    = arg.kind == FormatArg::Integer ? quint64(quint32(v)) : quint64(v);
                text = QString::number(bits);
            } else {
                negative = v < 0;
                text = QString::number(negative ? quint64(0) - quint64(v) : quint64(v));
            }
            if (precision > text.size())
                text = QString(precision - text.size(), QLatin1Char('0')) + text;
            if (negative)
                text.prepend(QLatin1Char('-'));
            break;
        }
        case 'e': {
            double v = 0;
            if (!numberOf(arg, &v))
                invalidFormat(format);
            text = formatScientific(v, precision < 0 ? 15 : qMax(precision, 1), 3, true, s);
            break;
        }
        case 'f':
        case 'n': {
            double v = 0;
            if (!numberOf(arg, &v))
                invalidFormat(format);
            text = formatFixed(v, precision < 0 ? 2 : precision, type == QLatin1Char('n'), s);
            break;
        }
        case 'g': {
            double v = 0;
            if (!numberOf(arg, &v))
                invalidFormat(format);
            text = floatToStrGeneral(v, precision < 0 ? 15 : qMax(precision, 1), s);
            break;
        }
        case 'm': {
            double v = 0;
            if (!numberOf(arg, &v))
                invalidFormat(format);
            text = money(v, precision < 0 ? s.currencyDecimals : precision, s);
            break;
        }
        case 's':
            if (!textOf(arg, &text))
                invalidFormat(format);
            if (precision >= 0 && precision < text.size())
                text.truncate(precision);
            break;
        case 'p': {
            qint64 v = 0;
            if (!integerOf(arg, &v))
                invalidFormat(format);
            text = QStringLiteral("%1")
                       .arg(quint64(v) & 0xffffffffu, 8, 16, QLatin1Char('0'))
                       .toUpper();
            break;
        }
        default: invalidFormat(format);
        }
        if (width > text.size()) {
            const QString pad(width - text.size(), QLatin1Char(' '));
            text = leftAlign ? text + pad : pad + text;
        }
        out += text;
    }
    return out;
}

QString formatMaskText(const QString &editMask, const QString &value, const FormatSettings &s)
{
    // The mask's fields are separated by ';' from the end: a blank
    // character, then the save-literals flag.
    QString mask = editMask;
    bool saveLiterals = true;
    QChar blank = QLatin1Char('_');
    auto unescapedSemicolon = [](const QString &m) {
        for (int i = m.size() - 1; i >= 0; --i)
            if (m[i] == QLatin1Char(';') && (i == 0 || m[i - 1] != QLatin1Char('\\')))
                return i;
        return -1;
    };
    int sep = unescapedSemicolon(mask);
    if (sep >= 0) {
        const QString last = mask.mid(sep + 1);
        const QString head = mask.left(sep);
        const int sep2 = unescapedSemicolon(head);
        if (sep2 >= 0) {
            blank = last.isEmpty() ? QLatin1Char(' ') : last[0];
            saveLiterals = head.mid(sep2 + 1) != QLatin1String("0");
            mask = head.left(sep2);
        } else {
            saveLiterals = last != QLatin1String("0");
            mask = head;
        }
    }

    enum class Case { None, Upper, Lower } caseMode = Case::None;
    QString out;
    int v = 0;
    for (int i = 0; i < mask.size(); ++i) {
        const QChar m = mask[i];
        QChar literal;
        bool isLiteral = false;
        switch (m.unicode()) {
        case '!': continue;
        case '>':
            if (i + 1 < mask.size() && mask[i + 1] == QLatin1Char('<')) {
                caseMode = Case::None;
                ++i;
            } else {
                caseMode = Case::Upper;
            }
            continue;
        case '<': caseMode = Case::Lower; continue;
        case '\\':
            if (i + 1 < mask.size()) {
                literal = mask[++i];
                isLiteral = true;
            }
            break;
        case '/':
            literal = s.dateSeparator;
            isLiteral = true;
            break;
        case ':':
            literal = s.timeSeparator;
            isLiteral = true;
            break;
        case '_':
            literal = QLatin1Char(' ');
            isLiteral = true;
            break;
        case 'L':
        case 'l':
        case 'A':
        case 'a':
        case 'C':
        case 'c':
        case '0':
        case '9':
        case '#': break;
        default:
            literal = m;
            isLiteral = true;
            break;
        }
        if (isLiteral) {
            out += literal;
            if (saveLiterals && v < value.size())
                ++v;
            continue;
        }
        QChar ch = v < value.size() ? value[v++] : blank;
        if (caseMode == Case::Upper)
            ch = ch.toUpper();
        else if (caseMode == Case::Lower)
            ch = ch.toLower();
        out += ch;
    }
    return out;
}

}   // namespace pgx::format
