#include "persist/XMLEscape.h"

#include "meta/ValueText.h"

#include <QtCore/QDate>
#include <QtCore/QDateTime>

#include <charconv>
#include <cmath>
#include <cstring>

namespace pgx {

namespace {

// The six characters EscapeAttr replaces, with their references.
const char *escapeFor(char c)
{
    switch (c) {
    case '\n': return "&#10;";
    case '\r': return "&#13;";
    case '"': return "&#34;";
    case '&': return "&#38;";
    case '<': return "&#60;";
    case '>': return "&#62;";
    default: return nullptr;
    }
}

constexpr char kQuot[] = "&quot;";
constexpr qsizetype kQuotLen = sizeof(kQuot) - 1;

} // namespace

QByteArray EscapeAttr(const QByteArray &s)
{
    const char *p = s.constData();
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n && !escapeFor(p[i]))
        ++i;
    if (i == n)
        return s;   // the common case: nothing to replace, no copy

    QByteArray out;
    out.reserve(n + 16);
    out.append(p, i);
    for (; i < n; ++i) {
        const char *ref = escapeFor(p[i]);
        if (!ref) {
            out.append(p[i]);
        } else if (p[i] == '&' && n - i >= kQuotLen && std::memcmp(p + i, kQuot, kQuotLen) == 0) {
            out.append("&#34;");
            i += kQuotLen - 1;
        } else {
            out.append(ref);
        }
    }
    return out;
}

QByteArray UnescapeAttr(const QByteArray &s)
{
    const qsizetype first = s.indexOf('&');
    if (first < 0)
        return s;

    const char *p = s.constData();
    const qsizetype n = s.size();
    QByteArray out;
    out.reserve(n);
    out.append(p, first);
    qsizetype i = first;
    while (i < n) {
        const char c = p[i];
        if (c != '&') {
            out.append(c);
            ++i;
            continue;
        }
        // "&#" needs at least two characters after the '&'; the reference is
        // taken only when it is whole: digits, a code that fits one byte and
        // the closing ';'. Anything else is text and stays.
        if (n - i > 2 && p[i + 1] == '#') {
            qsizetype j = i + 2;
            int code = 0;
            bool good = true;
            for (; j < n && p[j] != ';'; ++j) {
                if (p[j] < '0' || p[j] > '9' || (code = code * 10 + (p[j] - '0')) > 255) {
                    good = false;
                    break;
                }
            }
            if (good && j < n && j > i + 2) {
                out.append(char(code));
                i = j + 1;
                continue;
            }
        } else if (n - i >= kQuotLen && std::memcmp(p + i + 1, kQuot + 1, kQuotLen - 1) == 0) {
            out.append('"');
            i += kQuotLen;
            continue;
        }
        out.append('&');
        ++i;
    }
    return out;
}

QByteArray VariantToAttr(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::SChar:
    case QMetaType::Char:
        return QByteArray::number(v.toLongLong());
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UChar:
        return QByteArray::number(v.toULongLong());
    case QMetaType::Float:
    case QMetaType::Double:
        return formatFloat(v.toDouble()).toLatin1();
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("dd.MM.yyyy")).toLatin1();
    case QMetaType::QDateTime:
        return v.toDateTime().date().toString(QStringLiteral("dd.MM.yyyy")).toLatin1();
    case QMetaType::QString:
        return EscapeAttr(v.toString().toUtf8());
    case QMetaType::QByteArray:
        return EscapeAttr(v.toByteArray());
    case QMetaType::Bool:
        return v.toBool() ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
    default:
        return {};
    }
}

} // namespace pgx
