#include "MiniXml.h"

namespace pgx::script {

namespace {

const QString kInvalidFormat = QStringLiteral("Invalid file format");

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'-' || c == u'.' || c == u':'
        || c == u'+';
}

class Reader
{
public:
    explicit Reader(QStringView text) : m_text(text) {}

    bool readDocument(XmlElement &root)
    {
        skipSpace();
        if (m_text.mid(m_pos).startsWith(QChar(0xFEFF)))
            ++m_pos;
        skipSpace();
        if (!m_text.mid(m_pos).startsWith(QLatin1String("<?xml")))
            return false;
        const qsizetype end = m_text.indexOf(QLatin1String("?>"), m_pos);
        if (end < 0)
            return false;
        m_pos = end + 2;
        if (!skipToTag())
            return false;
        return readElement(root, 1);
    }

private:
    void skipSpace()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
    }

    // Skips character data, comments and further processing instructions up
    // to the next tag; false at the end of the text.
    bool skipToTag()
    {
        for (;;) {
            while (m_pos < m_text.size() && m_text[m_pos] != u'<')
                ++m_pos;
            if (m_pos >= m_text.size())
                return false;
            QStringView rest = m_text.mid(m_pos);
            if (rest.startsWith(QLatin1String("<!--"))) {
                const qsizetype end = m_text.indexOf(QLatin1String("-->"), m_pos + 4);
                if (end < 0)
                    return false;
                m_pos = end + 3;
            } else if (rest.startsWith(QLatin1String("<?")) || rest.startsWith(QLatin1String("<!"))) {
                const qsizetype end = m_text.indexOf(u'>', m_pos);
                if (end < 0)
                    return false;
                m_pos = end + 1;
            } else {
                return true;
            }
        }
    }

    QString readName()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && isNameChar(m_text[m_pos]))
            ++m_pos;
        return m_text.mid(start, m_pos - start).toString();
    }

    static bool decode(QStringView raw, QString &out)
    {
        out.clear();
        out.reserve(raw.size());
        for (qsizetype i = 0; i < raw.size(); ++i) {
            if (raw[i] != u'&') {
                out += raw[i];
                continue;
            }
            const qsizetype semi = raw.indexOf(u';', i);
            if (semi < 0)
                return false;
            QStringView entity = raw.mid(i + 1, semi - i - 1);
            if (entity == QLatin1String("quot"))
                out += u'"';
            else if (entity == QLatin1String("amp"))
                out += u'&';
            else if (entity == QLatin1String("lt"))
                out += u'<';
            else if (entity == QLatin1String("gt"))
                out += u'>';
            else if (entity == QLatin1String("apos"))
                out += u'\'';
            else if (entity.startsWith(u'#')) {
                bool ok = false;
                uint code = entity.startsWith(QLatin1String("#x"))
                    ? entity.mid(2).toUInt(&ok, 16) : entity.mid(1).toUInt(&ok, 10);
                if (!ok || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                    return false;
                out += QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
            } else {
                return false;
            }
            i = semi;
        }
        return true;
    }

    // At "<" of an opening tag.
    bool readElement(XmlElement &element, int depth)
    {
        if (depth > kMaxXmlDepth)
            return false;
        ++m_pos;
        element.name = readName();
        if (element.name.isEmpty())
            return false;
        for (;;) {
            skipSpace();
            if (m_pos >= m_text.size())
                return false;
            const QChar c = m_text[m_pos];
            if (c == u'<')
                return false;
            if (c == u'/') {
                if (m_pos + 1 >= m_text.size() || m_text[m_pos + 1] != u'>')
                    return false;
                m_pos += 2;
                return true;
            }
            if (c == u'>') {
                ++m_pos;
                break;
            }
            QString attrName = readName();
            if (attrName.isEmpty())
                return false;
            skipSpace();
            if (m_pos >= m_text.size() || m_text[m_pos] != u'=')
                return false;
            ++m_pos;
            skipSpace();
            if (m_pos >= m_text.size() || m_text[m_pos] != u'"')
                return false;
            const qsizetype end = m_text.indexOf(u'"', m_pos + 1);
            if (end < 0)
                return false;
            QStringView raw = m_text.mid(m_pos + 1, end - m_pos - 1);
            if (raw.contains(u'<'))
                return false;
            QString value;
            if (!decode(raw, value))
                return false;
            element.attributes.append({attrName, value});
            m_pos = end + 1;
        }
        // Content: child elements up to the matching closing tag.
        for (;;) {
            if (!skipToTag())
                return false;
            if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'/') {
                m_pos += 2;
                const QString closing = readName();
                skipSpace();
                if (m_pos >= m_text.size() || m_text[m_pos] != u'>')
                    return false;
                ++m_pos;
                return closing.compare(element.name, Qt::CaseInsensitive) == 0;
            }
            element.children.emplace_back();
            if (!readElement(element.children.back(), depth + 1))
                return false;
        }
    }

    QStringView m_text;
    qsizetype m_pos = 0;
};

} // namespace

QString XmlElement::attribute(QStringView attributeName) const
{
    for (const auto &pair : attributes)
        if (QStringView(pair.first).compare(attributeName, Qt::CaseInsensitive) == 0)
            return pair.second;
    return {};
}

bool XmlElement::hasAttribute(QStringView attributeName) const
{
    for (const auto &pair : attributes)
        if (QStringView(pair.first).compare(attributeName, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

const XmlElement *XmlElement::child(QStringView childName) const
{
    for (const XmlElement &c : children)
        if (QStringView(c.name).compare(childName, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

bool ReadXmlText(QStringView text, XmlElement &root, QString *error)
{
    root = XmlElement();
    Reader reader(text);
    if (reader.readDocument(root))
        return true;
    root = XmlElement();
    if (error)
        *error = kInvalidFormat;
    return false;
}

QString EncodeXmlValue(QStringView value)
{
    QString out;
    out.reserve(value.size());
    for (QChar c : value) {
        switch (c.unicode()) {
        case '\n': case '\r': case '"': case '&': case '<': case '>':
            out += QLatin1String("&#") + QString::number(c.unicode()) + u';';
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace pgx::script
