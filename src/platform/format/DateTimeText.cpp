#include "platform/format/DateTime.h"
#include "platform/format/NumberText.h"

#include <cmath>

namespace pgx::format {

namespace {

// Settings pictures may name other pictures ("c" inside the short date
// format); the nesting is bounded so that a picture naming itself ends.
constexpr int kMaxPictureNesting = 3;

QString twoDigits(int v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

bool startsWithCI(const QString &text, int pos, QLatin1String what)
{
    return text.mid(pos, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

class DateTimeWriter
{
public:
    DateTimeWriter(double value, const FormatSettings &s) : m_s(s), m_value(value)
    {
        m_date = decodeDate(value);
        m_time = decodeTime(value);
    }

    void write(const QString &picture, int depth)
    {
        if (depth > kMaxPictureNesting)
            return;
        bool lastWasHour = false;
        const bool twelveHour = usesAmPm(picture);
        int i = 0;
        const int n = picture.size();
        while (i < n) {
            const QChar c = picture[i];
            const QChar u = c.toUpper();
            int count = 1;
            while (i + count < n && picture[i + count].toUpper() == u)
                ++count;
            bool hour = false;
            if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                const int close = picture.indexOf(c, i + 1);
                const int end = close < 0 ? n : close;
                m_out += picture.mid(i + 1, end - i - 1);
                i = end + 1;
                continue;
            }
            if (u == QLatin1Char('A')
                && (startsWithCI(picture, i, QLatin1String("am/pm"))
                    || startsWithCI(picture, i, QLatin1String("a/p"))
                    || startsWithCI(picture, i, QLatin1String("ampm")))) {
                const bool pm = m_time.hour >= 12;
                if (startsWithCI(picture, i, QLatin1String("am/pm"))) {
                    const QString text = pm ? QStringLiteral("pm") : QStringLiteral("am");
                    m_out += picture[i].isUpper() ? text.toUpper() : text;
                    i += 5;
                } else if (startsWithCI(picture, i, QLatin1String("a/p"))) {
                    const QString text = pm ? QStringLiteral("p") : QStringLiteral("a");
                    m_out += picture[i].isUpper() ? text.toUpper() : text;
                    i += 3;
                } else {
                    m_out += pm ? m_s.timePMString : m_s.timeAMString;
                    i += 4;
                }
                continue;
            }
            switch (u.unicode()) {
            case 'Y':
                m_out += count <= 2
                    ? twoDigits(m_date.year % 100)
                    : QStringLiteral("%1").arg(m_date.year, 4, 10, QLatin1Char('0'));
                break;
            case 'M':
                if (lastWasHour && count <= 2) {
                    m_out += count == 1 ? QString::number(m_time.minute) : twoDigits(m_time.minute);
                } else if (count == 1) {
                    m_out += QString::number(m_date.month);
                } else if (count == 2) {
                    m_out += twoDigits(m_date.month);
                } else if (m_date.month >= 1) {
                    m_out += (count == 3 ? m_s.shortMonthNames : m_s.longMonthNames)
                                 .value(m_date.month - 1);
                }
                break;
            case 'D':
                if (count == 1)
                    m_out += QString::number(m_date.day);
                else if (count == 2)
                    m_out += twoDigits(m_date.day);
                else if (count == 3)
                    m_out += m_s.shortDayNames.value(dayOfWeek(m_value) - 1);
                else if (count == 4)
                    m_out += m_s.longDayNames.value(dayOfWeek(m_value) - 1);
                else if (count == 5)
                    write(m_s.shortDateFormat, depth + 1);
                else
                    write(m_s.longDateFormat, depth + 1);
                break;
            case 'H': {
                int h = m_time.hour;
                if (twelveHour) {
                    h %= 12;
                    if (h == 0)
                        h = 12;
                }
                m_out += count == 1 ? QString::number(h) : twoDigits(h);
                hour = true;
                count = qMin(count, 2);
                break;
            }
            case 'N':
                m_out += count == 1 ? QString::number(m_time.minute) : twoDigits(m_time.minute);
                count = qMin(count, 2);
                break;
            case 'S':
                m_out += count == 1 ? QString::number(m_time.second) : twoDigits(m_time.second);
                count = qMin(count, 2);
                break;
            case 'Z':
                m_out += count <= 2
                    ? QString::number(m_time.msec)
                    : QStringLiteral("%1").arg(m_time.msec, 3, 10, QLatin1Char('0'));
                count = qMin(count, 3);
                break;
            case 'T':
                write(count == 1 ? m_s.shortTimeFormat : m_s.longTimeFormat, depth + 1);
                count = qMin(count, 2);
                break;
            case 'C':
                write(m_s.shortDateFormat, depth + 1);
                if (m_time.hour || m_time.minute || m_time.second || m_time.msec) {
                    m_out += QLatin1Char(' ');
                    write(m_s.longTimeFormat, depth + 1);
                }
                count = 1;
                break;
            case '/':
                m_out += m_s.dateSeparator;
                count = 1;
                break;
            case ':':
                m_out += m_s.timeSeparator;
                count = 1;
                break;
            default:
                m_out += c;
                count = 1;
                break;
            }
            // Blanks and separators between an hour and "m" keep it a minute.
            if (hour)
                lastWasHour = true;
            else if (u != QLatin1Char(':') && u != QLatin1Char(' '))
                lastWasHour = false;
            i += count;
        }
    }

    QString result() const { return m_out; }

private:
    static bool usesAmPm(const QString &picture)
    {
        QChar quote;
        for (int i = 0; i < picture.size(); ++i) {
            const QChar c = picture[i];
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                quote = c;
            } else if (c.toUpper() == QLatin1Char('A')
                       && (startsWithCI(picture, i, QLatin1String("am/pm"))
                           || startsWithCI(picture, i, QLatin1String("a/p"))
                           || startsWithCI(picture, i, QLatin1String("ampm")))) {
                return true;
            }
        }
        return false;
    }

    const FormatSettings &m_s;
    double m_value;
    DateParts m_date;
    TimeParts m_time;
    QString m_out;
};

// Reads an unsigned decimal number at pos; false when there is none.
bool readNumber(const QString &text, int *pos, int *value, int *digits = nullptr)
{
    int i = *pos;
    qint64 v = 0;
    int count = 0;
    while (i < text.size() && text[i].unicode() >= '0' && text[i].unicode() <= '9' && count < 9) {
        v = v * 10 + (text[i].unicode() - '0');
        ++i;
        ++count;
    }
    if (count == 0)
        return false;
    *pos = i;
    *value = int(v);
    if (digits)
        *digits = count;
    return true;
}

void skipBlanks(const QString &text, int *pos)
{
    while (*pos < text.size() && text[*pos] == QLatin1Char(' '))
        ++*pos;
}

enum class DateOrder { DMY, MDY, YMD };

DateOrder dateOrder(const QString &shortDateFormat)
{
    const QString upper = shortDateFormat.toUpper();
    const int d = upper.indexOf(QLatin1Char('D')), m = upper.indexOf(QLatin1Char('M')),
              y = upper.indexOf(QLatin1Char('Y'));
    if (y >= 0 && (d < 0 || y < d) && (m < 0 || y < m))
        return DateOrder::YMD;
    if (m >= 0 && d >= 0 && m < d)
        return DateOrder::MDY;
    return DateOrder::DMY;
}

bool scanDate(const QString &text, int *pos, double *out, const FormatSettings &s)
{
    int i = *pos;
    skipBlanks(text, &i);
    int n[3] = {0, 0, 0}, digits[3] = {0, 0, 0};
    int count = 0;
    while (count < 3) {
        if (!readNumber(text, &i, &n[count], &digits[count]))
            break;
        ++count;
        if (count < 3 && i < text.size() && text[i] == s.dateSeparator)
            ++i;
        else
            break;
    }
    if (count < 2)
        return false;
    const DateParts today = decodeDate(currentDate());
    int year = today.year, month = 0, day = 0, yearDigits = 4;
    const DateOrder order = dateOrder(s.shortDateFormat);
    if (count == 2) {
        if (order == DateOrder::MDY) {
            month = n[0];
            day = n[1];
        } else if (order == DateOrder::DMY) {
            day = n[0];
            month = n[1];
        } else {
            month = n[0];
            day = n[1];
        }
    } else if (order == DateOrder::MDY) {
        month = n[0];
        day = n[1];
        year = n[2];
        yearDigits = digits[2];
    } else if (order == DateOrder::DMY) {
        day = n[0];
        month = n[1];
        year = n[2];
        yearDigits = digits[2];
    } else {
        year = n[0];
        month = n[1];
        day = n[2];
        yearDigits = digits[0];
    }
    if (count == 3 && yearDigits <= 2) {
        // Two-digit years: the current century, or the previous one when the
        // year lies beyond the window.
        int century = today.year - today.year % 100;
        if (s.twoDigitYearCenturyWindow > 0) {
            const int threshold = today.year - s.twoDigitYearCenturyWindow;
            century = threshold - threshold % 100;
            if (century + year < threshold)
                century += 100;
        }
        year += century;
    }
    if (!tryEncodeDate(year, month, day, out))
        return false;
    *pos = i;
    return true;
}

bool scanTime(const QString &text, int *pos, double *out, const FormatSettings &s)
{
    int i = *pos;
    skipBlanks(text, &i);
    int h = 0, m = 0, sec = 0, ms = 0;
    if (!readNumber(text, &i, &h))
        return false;
    if (i < text.size() && text[i] == s.timeSeparator) {
        ++i;
        if (!readNumber(text, &i, &m))
            return false;
        if (i < text.size() && text[i] == s.timeSeparator) {
            ++i;
            if (!readNumber(text, &i, &sec))
                return false;
            if (i < text.size() && text[i] == s.decimalSeparator) {
                ++i;
                int digits = 0;
                if (!readNumber(text, &i, &ms, &digits) || digits > 3)
                    return false;
                while (digits++ < 3)
                    ms *= 10;
            }
        }
    } else {
        return false;   // a lone number is not a time
    }
    skipBlanks(text, &i);
    const QString rest = text.mid(i);
    if (!rest.isEmpty()) {
        int pm = -1;
        int len = 0;
        for (const auto &[word, isPm] : {std::pair{s.timeAMString, 0},
                                         {s.timePMString, 1},
                                         {QStringLiteral("AM"), 0},
                                         {QStringLiteral("PM"), 1}}) {
            if (!word.isEmpty() && rest.startsWith(word, Qt::CaseInsensitive)) {
                pm = isPm;
                len = word.size();
                break;
            }
        }
        if (pm >= 0) {
            if (h < 1 || h > 12)
                return false;
            h = h % 12 + (pm ? 12 : 0);
            i += len;
        }
    }
    if (!tryEncodeTime(h, m, sec, ms, out))
        return false;
    *pos = i;
    return true;
}

bool atEnd(const QString &text, int pos)
{
    skipBlanks(text, &pos);
    return pos >= text.size();
}

}   // namespace

QString formatDateTime(const QString &picture, double value, const FormatSettings &settings)
{
    DateTimeWriter writer(value, settings);
    writer.write(picture.isEmpty() ? QStringLiteral("c") : picture, 0);
    return writer.result();
}

QString dateToStr(double value, const FormatSettings &settings)
{
    return formatDateTime(QStringLiteral("ddddd"), value, settings);
}

QString timeToStr(double value, const FormatSettings &settings)
{
    return formatDateTime(QStringLiteral("tt"), value, settings);
}

QString dateTimeToStr(double value, const FormatSettings &settings)
{
    return formatDateTime(QStringLiteral("c"), value, settings);
}

bool tryStrToDate(const QString &text, double *out, const FormatSettings &settings)
{
    int pos = 0;
    return scanDate(text, &pos, out, settings) && atEnd(text, pos);
}

bool tryStrToTime(const QString &text, double *out, const FormatSettings &settings)
{
    int pos = 0;
    return scanTime(text, &pos, out, settings) && atEnd(text, pos);
}

bool tryStrToDateTime(const QString &text, double *out, const FormatSettings &settings)
{
    int pos = 0;
    double date = 0, time = 0;
    if (!scanDate(text, &pos, &date, settings)) {
        pos = 0;
        if (!scanTime(text, &pos, &time, settings) || !atEnd(text, pos))
            return false;
        *out = time;
        return true;
    }
    if (!atEnd(text, pos) && (!scanTime(text, &pos, &time, settings) || !atEnd(text, pos)))
        return false;
    // Before 1899 the time still counts forwards from midnight.
    *out = date < 0 ? date - time : date + time;
    return true;
}

double strToDate(const QString &text, const FormatSettings &settings)
{
    double v = 0;
    if (!tryStrToDate(text, &v, settings))
        throw ConvertError(QStringLiteral("'%1' is not a valid date").arg(text));
    return v;
}

double strToTime(const QString &text, const FormatSettings &settings)
{
    double v = 0;
    if (!tryStrToTime(text, &v, settings))
        throw ConvertError(QStringLiteral("'%1' is not a valid time").arg(text));
    return v;
}

double strToDateTime(const QString &text, const FormatSettings &settings)
{
    double v = 0;
    if (!tryStrToDateTime(text, &v, settings))
        throw ConvertError(QStringLiteral("'%1' is not a valid date and time").arg(text));
    return v;
}

}   // namespace pgx::format
