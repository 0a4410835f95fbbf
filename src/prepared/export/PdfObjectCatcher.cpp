#include "prepared/export/PdfObjectCatcher.h"

#include <QtCore/QRegularExpression>

#include <algorithm>

namespace pgx::prepared {

namespace {

constexpr QByteArrayView kObj = " 0 obj";
constexpr QByteArrayView kEndObj = "endobj";
// Enough for a partial marker and the object number before it.
constexpr qsizetype kCarry = 24;
// Enough of a body to tell a page from anything else.
constexpr qsizetype kLookAhead = 32;
// A page dictionary is a few lines; anything longer is not one.
constexpr qsizetype kMaxBody = 64 * 1024;
constexpr int kMaxDigits = 10;

bool isBlank(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

qsizetype skipBlanks(QByteArrayView text, qsizetype at)
{
    while (at < text.size() && isBlank(text[at]))
        ++at;
    return at;
}

}   // namespace

bool isPdfPage(QByteArrayView body)
{
    qsizetype at = skipBlanks(body, 0);
    if (!body.sliced(at).startsWith("<<"))
        return false;
    at = skipBlanks(body, at + 2);
    if (!body.sliced(at).startsWith("/Type"))
        return false;
    at = skipBlanks(body, at + 5);
    if (!body.sliced(at).startsWith("/Page"))
        return false;
    at += 5;
    // "/Pages" is the tree.
    return at < body.size() && (isBlank(body[at]) || body[at] == '/' || body[at] == '>');
}

void PdfObjectCatcher::feed(QByteArrayView data)
{
    m_window.append(data);
    const qsizetype drop = scan();
    m_window.remove(0, drop);
    m_searchFrom -= drop;
    if (m_openAt >= 0)
        m_openAt -= drop;
}

std::optional<QByteArray> PdfObjectCatcher::object(int number) const
{
    const auto it = m_objects.constFind(number);
    if (it == m_objects.cend())
        return std::nullopt;
    return *it;
}

// Returns how much of the window is no longer needed.
qsizetype PdfObjectCatcher::scan()
{
    for (;;) {
        if (m_openAt >= 0) {
            const qsizetype end = m_window.indexOf(kEndObj, m_searchFrom);
            if (end >= 0) {
                keep(m_openNumber, m_window.mid(m_openAt, end - m_openAt).trimmed());
                m_openAt = -1;
                m_searchFrom = end + kEndObj.size();
                continue;
            }
            if (m_window.size() - m_openAt <= kMaxBody) {
                m_searchFrom = std::max(m_openAt, m_window.size() - kEndObj.size() + 1);
                return m_openAt;
            }
            m_openAt = -1;
        }
        const qsizetype at = m_window.indexOf(kObj, m_searchFrom);
        if (at < 0) {
            m_searchFrom = std::max(m_searchFrom, m_window.size() - kObj.size() + 1);
            return std::max<qsizetype>(0, m_window.size() - kCarry);
        }
        qsizetype digits = at;
        while (digits > 0 && at - digits < kMaxDigits && isDigit(m_window[digits - 1]))
            --digits;
        const qsizetype body = at + kObj.size();
        // A whole number at the start of a line: not the tail of "10 0 obj"
        // nor bytes of a compressed stream that happen to look alike.
        const bool lineStart = digits < at && digits > 0
            && (m_window[digits - 1] == '\n' || m_window[digits - 1] == '\r');
        if (!lineStart) {
            m_searchFrom = at + 1;
            continue;
        }
        const int number = m_window.mid(digits, at - digits).toInt();
        if (m_wanted.contains(number)) {
            m_openAt = body;
            m_openNumber = number;
            m_searchFrom = body;
            continue;
        }
        if (m_window.size() - body < kLookAhead) {
            m_searchFrom = at;
            return digits - 1;
        }
        if (isPdfPage(QByteArrayView(m_window).sliced(body, kLookAhead))) {
            m_openAt = body;
            m_openNumber = number;
        }
        m_searchFrom = body;
    }
}

void PdfObjectCatcher::keep(int number, const QByteArray &body)
{
    m_objects.insert(number, body);
    m_wanted.remove(number);
    if (!isPdfPage(body))
        return;
    static const QRegularExpression annots(QStringLiteral(R"(/Annots\s+(\d+)\s+0\s+R)"));
    const QRegularExpressionMatch m = annots.match(QString::fromLatin1(body));
    if (m.hasMatch())
        m_wanted.insert(m.captured(1).toInt());
}

}   // namespace pgx::prepared
