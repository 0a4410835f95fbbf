#include "FrontXml.h"

#include "persist/XMLDocument.h"
#include "persist/XMLEscape.h"
#include "persist/serializer/AttrText.h"

#include <QtCore/QBuffer>

namespace pgx::script {

namespace {

const QString kInvalidFormat = QStringLiteral("Invalid file format");

// Letters and digits of any script (bytes of UTF-8 sequences), and the
// punctuation grammar and tree names use.
bool isNameByte(char c)
{
    const auto u = quint8(c);
    return u >= 0x80 || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')
        || c == '_' || c == '-' || c == '.' || c == ':' || c == '+';
}

bool isName(QByteArrayView name)
{
    if (name.isEmpty())
        return false;
    for (char c : name)
        if (!isNameByte(c))
            return false;
    return true;
}

bool isBlankText(QByteArrayView text)
{
    for (char c : text)
        if (quint8(c) > quint8(' '))
            return false;
    return true;
}

}   // namespace

bool loadXmlText(const QString &text, TpgxXMLDocument &document, QString *error)
{
    QByteArray bytes = text.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const TpgxXMLResult result = document.loadFromStream(buffer);
    if (result && !document.root()->name().isEmpty())
        return true;
    // A document that ended early keeps what was read: none of it counts.
    document.clear();
    if (error)
        *error = kInvalidFormat;
    return false;
}

bool readXmlElement(const TpgxXMLItem &item, QString &name, XmlAttributes &attributes)
{
    attributes.clear();
    if (!isName(item.name()))
        return false;
    name = QString::fromUtf8(item.name());

    const QByteArray &text = item.text();
    persist::AttrScanner scanner(text);
    persist::AttrPair pair;
    qsizetype consumed = 0;
    while (scanner.next(pair)) {
        // The scanner lets a value run to the end when its closing quote is
        // missing; here that is a malformed tag.
        const qsizetype valueEnd = pair.value.data() + pair.value.size() - text.constData();
        if (valueEnd >= text.size() || text[valueEnd] != '"')
            return false;
        // Between the name and the value only blanks, '=' and the quote.
        const qsizetype nameEnd = pair.name.data() + pair.name.size() - text.constData();
        const qsizetype valueStart = pair.value.data() - text.constData();
        const char *expected = "=\"";
        for (char c : QByteArrayView(text).sliced(nameEnd, valueStart - nameEnd)) {
            if (quint8(c) <= quint8(' '))
                continue;
            if (c != *expected)
                return false;
            ++expected;
        }
        const qsizetype nameStart = pair.name.data() - text.constData();
        if (*expected || !isName(pair.name)
            || !isBlankText(QByteArrayView(text).sliced(consumed, nameStart - consumed)))
            return false;
        attributes.append({QString::fromUtf8(pair.name),
                           QString::fromUtf8(unescapeAttr(pair.value.toByteArray()))});
        consumed = valueEnd + 1;
    }
    return isBlankText(QByteArrayView(text).sliced(consumed));
}

QString xmlAttribute(const XmlAttributes &attributes, QStringView name)
{
    for (const auto &pair : attributes)
        if (QStringView(pair.first).compare(name, Qt::CaseInsensitive) == 0)
            return pair.second;
    return {};
}

bool hasXmlAttribute(const XmlAttributes &attributes, QStringView name)
{
    for (const auto &pair : attributes)
        if (QStringView(pair.first).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

}   // namespace pgx::script
