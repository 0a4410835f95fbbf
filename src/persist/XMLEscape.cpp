#include "persist/XMLEscape.h"

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

QByteArray escape(const QByteArray &s, bool foldQuot)
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
        } else if (foldQuot && p[i] == '&' && n - i >= kQuotLen
                   && std::memcmp(p + i, kQuot, kQuotLen) == 0) {
            out.append("&#34;");
            i += kQuotLen - 1;
        } else {
            out.append(ref);
        }
    }
    return out;
}

}   // namespace

QByteArray escapeAttr(const QByteArray &s)
{
    return escape(s, true);
}

QByteArray escapeAttrExact(const QByteArray &s)
{
    return escape(s, false);
}

QByteArray unescapeAttr(const QByteArray &s)
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

}   // namespace pgx
