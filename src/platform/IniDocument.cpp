#include "platform/IniDocument.h"

#include <QtCore/QStringDecoder>

#include <algorithm>

namespace pgx {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool hasControl(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    }
    return false;
}

bool needsQuotes(const QString &text)
{
    if (text.isEmpty())
        return false;
    return text.front().isSpace() || text.back().isSpace() || text.front() == QLatin1Char('"')
        || hasControl(text);
}

QString quoted(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '"': out += QLatin1String("\\\""); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default: out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

// Undoes quoted(); `text` is the part between the quotes.
QString unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar next = text[++i];
        switch (next.unicode()) {
        case '\\': out += QLatin1Char('\\'); break;
        case '"': out += QLatin1Char('"'); break;
        case 'n': out += QLatin1Char('\n'); break;
        case 'r': out += QLatin1Char('\r'); break;
        case 't': out += QLatin1Char('\t'); break;
        default:   // not one of ours: keep it as the author wrote it
            out += c;
            out += next;
        }
    }
    return out;
}

// Index of the quote closing a quoted token that starts at `text[0]`, or -1.
qsizetype closingQuote(QStringView text)
{
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\\'))
            ++i;
        else if (text[i] == QLatin1Char('"'))
            return i;
    }
    return -1;
}

const QLatin1String kDefaultName("@");

}   // namespace

QString IniDocument::encodeName(const QString &name)
{
    if (name.isEmpty())
        return kDefaultName;
    const QChar first = name.front();
    if (needsQuotes(name) || name == kDefaultName || name.contains(QLatin1Char('='))
        || first == QLatin1Char('[') || first == QLatin1Char(';') || first == QLatin1Char('#'))
        return quoted(name);
    return name;
}

QString IniDocument::encodeValue(const QString &value)
{
    return needsQuotes(value) ? quoted(value) : value;
}

QString IniDocument::decodeValue(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.size() >= 2 && trimmed.front() == QLatin1Char('"')
        && trimmed.back() == QLatin1Char('"'))
        return unescape(QStringView(trimmed).sliced(1, trimmed.size() - 2));
    return trimmed;
}

bool IniDocument::isValidSectionName(const QString &section)
{
    // A header is one line, and its name is what lies between '[' and the last ']'.
    return !hasControl(section) && section.trimmed() == section;
}

IniDocument IniDocument::parse(const QByteArray &text)
{
    QByteArrayView bytes(text);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(bytes);
    if (utf8.hasError())
        decoded = QString::fromLatin1(bytes);

    IniDocument doc;
    Section *current = &doc.m_sections.front();
    const QStringList lines = decoded.split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString raw = lines[n];
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        if (n == lines.size() - 1 && raw.isEmpty())
            break;   // the newline that ends the last line
        const QString line = raw.trimmed();
        Line entry;
        entry.raw = raw;
        if (line.startsWith(QLatin1Char('[')) && line.lastIndexOf(QLatin1Char(']')) > 0) {
            const QString name = line.mid(1, line.lastIndexOf(QLatin1Char(']')) - 1).trimmed();
            doc.m_sections.append(Section{name, {}});
            current = &doc.m_sections.back();
            continue;
        }
        if (!line.isEmpty() && line.front() != QLatin1Char(';')
            && line.front() != QLatin1Char('#')) {
            qsizetype eq = -1;
            if (line.front() == QLatin1Char('"')) {
                const qsizetype close = closingQuote(line);
                if (close > 0) {
                    eq = line.indexOf(QLatin1Char('='), close + 1);
                    if (eq > 0
                        && !QStringView(line).sliced(close + 1, eq - close - 1).trimmed().isEmpty())
                        eq = -1;   // something between the quoted name and '='
                    if (eq > 0)
                        entry.name = unescape(QStringView(line).sliced(1, close - 1));
                }
            } else {
                eq = line.indexOf(QLatin1Char('='));
                if (eq > 0) {
                    entry.name = line.first(eq).trimmed();
                    if (entry.name == kDefaultName)
                        entry.name.clear();
                }
            }
            if (eq > 0) {
                entry.isValue = true;
                entry.value = decodeValue(line.mid(eq + 1));
            }
        }
        current->lines.append(entry);
    }
    return doc;
}

QByteArray IniDocument::serialize() const
{
    QString out;
    for (const Section &section : m_sections) {
        const bool unnamed = &section == &m_sections.front();
        if (!unnamed) {
            if (!out.isEmpty() && !out.endsWith(QLatin1String("\n\n")))
                out += QLatin1Char('\n');
            out += QLatin1Char('[') + section.name + QLatin1String("]\n");
        }
        for (const Line &line : section.lines) {
            if (line.isValue)
                out += encodeName(line.name) + QLatin1Char('=') + encodeValue(line.value);
            else
                out += line.raw;
            out += QLatin1Char('\n');
        }
    }
    return out.toUtf8();
}

const IniDocument::Section *IniDocument::findSection(const QString &name) const
{
    if (name.isEmpty())
        return &m_sections.front();
    for (const Section &section : m_sections) {
        if (&section != &m_sections.front() && sameName(section.name, name))
            return &section;
    }
    return nullptr;
}

IniDocument::Section *IniDocument::findSection(const QString &name)
{
    return const_cast<Section *>(std::as_const(*this).findSection(name));
}

IniDocument::Section &IniDocument::ensureSection(const QString &name)
{
    Q_ASSERT(isValidSectionName(name));
    if (Section *found = findSection(name))
        return *found;
    m_sections.append(Section{name, {}});
    return m_sections.back();
}

QStringList IniDocument::sectionNames() const
{
    QStringList names;
    const Section &unnamed = m_sections.front();
    if (std::any_of(unnamed.lines.begin(), unnamed.lines.end(),
                    [](const Line &l) { return l.isValue; }))
        names.append(QString());
    for (qsizetype i = 1; i < m_sections.size(); ++i) {
        const QString &name = m_sections[i].name;
        if (std::none_of(names.begin(), names.end(),
                         [&](const QString &n) { return sameName(n, name); }))
            names.append(name);
    }
    return names;
}

bool IniDocument::hasSection(const QString &section) const
{
    if (section.isEmpty())
        return true;   // the file itself
    return findSection(section) != nullptr;
}

QStringList IniDocument::valueNames(const QString &section) const
{
    QStringList names;
    if (const Section *found = findSection(section)) {
        for (const Line &line : found->lines) {
            if (line.isValue && std::none_of(names.begin(), names.end(), [&](const QString &n) {
                    return sameName(n, line.name);
                }))
                names.append(line.name);
        }
    }
    return names;
}

std::optional<QString> IniDocument::value(const QString &section, const QString &name) const
{
    if (const Section *found = findSection(section)) {
        for (const Line &line : found->lines) {
            if (line.isValue && sameName(line.name, name))
                return line.value;
        }
    }
    return std::nullopt;
}

void IniDocument::addSection(const QString &section)
{
    ensureSection(section);
}

void IniDocument::setValue(const QString &section, const QString &name, const QString &value)
{
    Section &target = ensureSection(section);
    for (Line &line : target.lines) {
        if (line.isValue && sameName(line.name, name)) {
            line.value = value;
            return;
        }
    }
    // New values go after the section's last value, before trailing blank lines.
    qsizetype at = target.lines.size();
    while (at > 0 && !target.lines[at - 1].isValue && target.lines[at - 1].raw.trimmed().isEmpty())
        --at;
    Line line;
    line.isValue = true;
    line.name = name;
    line.value = value;
    target.lines.insert(at, line);
}

bool IniDocument::removeValue(const QString &section, const QString &name)
{
    Section *found = findSection(section);
    if (!found)
        return false;
    return found->lines.removeIf([&](const Line &l) { return l.isValue && sameName(l.name, name); })
        > 0;
}

bool IniDocument::removeSection(const QString &section)
{
    if (section.isEmpty()) {
        const bool had = !m_sections.front().lines.isEmpty();
        m_sections.front().lines.clear();
        return had;
    }
    const qsizetype before = m_sections.size();
    m_sections.erase(std::remove_if(m_sections.begin() + 1, m_sections.end(),
                                    [&](const Section &s) { return sameName(s.name, section); }),
                     m_sections.end());
    return m_sections.size() != before;
}

}   // namespace pgx
