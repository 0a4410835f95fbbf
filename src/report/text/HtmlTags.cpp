#include "report/text/HtmlTags.h"

#include "platform/format/NumberText.h"
#include "report/component/ColorNames.h"
#include "report/component/SystemColors.h"
#include "report/text/FontTable.h"

#include <array>
#include <optional>

namespace pgx::text {

namespace {

// The style tags and the bit each sets; "</name>" clears it.
struct StyleTag
{
    QLatin1StringView name;
    int bit;
};
constexpr std::array kStyleTags{
    StyleTag{QLatin1StringView("b"), kBold},
    StyleTag{QLatin1StringView("i"), kItalic},
    StyleTag{QLatin1StringView("u"), kUnderline},
    StyleTag{QLatin1StringView("strike"), kStrikeOut},
};

// `rest` starts with "<" + name + ">" (or "</" when `closing`), in any case.
bool startsWithTag(QStringView rest, QLatin1StringView name, bool closing)
{
    const qsizetype open = closing ? 2 : 1;
    if (rest.size() < open + name.size() + 1)
        return false;
    if (rest[0] != u'<' || (closing && rest[1] != u'/'))
        return false;
    return rest.mid(open, name.size()).compare(name, Qt::CaseInsensitive) == 0
        && rest[open + name.size()] == u'>';
}

// "#RRGGBB" to the platform's 0x00BBGGRR.
std::optional<TColor> hexColor(QStringView value)
{
    if (value.size() != 7 || value[0] != u'#')
        return std::nullopt;
    bool ok = false;
    const uint rgb = value.mid(1).toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return TColor(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

// The value of a font tag: a quoted #RRGGBB, or a colour name that is a
// colour identifier with "cl" in front ("red" is clRed). Quotes around a
// name are tolerated as well.
std::optional<TColor> fontColor(QStringView value)
{
    const bool quoted = value.size() >= 2
        && ((value.front() == u'"' && value.back() == u'"')
            || (value.front() == u'\'' && value.back() == u'\''));
    if (quoted)
        value = value.mid(1, value.size() - 2);
    if (value.startsWith(u'#'))
        return quoted ? hexColor(value) : std::nullopt;
    if (value.isEmpty())
        return std::nullopt;
    return colorByName(QLatin1String("cl") + value.toString());
}

}   // namespace

int smallSize(int size)
{
    return int(format::roundHalfEven(size / 1.5));
}

HtmlTagParser::HtmlTagParser(const CharFormat &defaults) : m_defaults(defaults), m_current(defaults)
{ }

qsizetype HtmlTagParser::applyTag(QStringView rest)
{
    for (const StyleTag &tag : kStyleTags) {
        if (startsWithTag(rest, tag.name, false)) {
            m_current.style |= tag.bit;
            return tag.name.size() + 2;
        }
        if (startsWithTag(rest, tag.name, true)) {
            m_current.style &= ~tag.bit;
            return tag.name.size() + 3;
        }
    }
    for (const auto name : {QLatin1StringView("sub"), QLatin1StringView("sup")}) {
        if (startsWithTag(rest, name, false)) {
            m_current.size = smallSize(m_defaults.size);
            m_current.lowered = name == QLatin1StringView("sub");
            return 5;
        }
        if (startsWithTag(rest, name, true)) {
            m_current.size = m_defaults.size;
            m_current.lowered = false;
            return 6;
        }
    }
    if (startsWithTag(rest, QLatin1StringView("font"), true)) {
        m_current.color = m_defaults.color;
        return 7;
    }
    const QLatin1StringView fontOpen("<font color=");
    if (rest.startsWith(fontOpen, Qt::CaseInsensitive)) {
        const qsizetype end = rest.indexOf(u'>', fontOpen.size());
        if (end < 0)
            return 0;
        const auto color = fontColor(rest.mid(fontOpen.size(), end - fontOpen.size()));
        if (!color)
            return 0;
        m_current.color = *color;
        return end + 1;
    }
    return 0;
}

void HtmlTagParser::parseLine(QStringView line, int sourceOffset, QString &plain,
                              std::vector<CharFormat> &formats, std::vector<int> &sources)
{
    for (qsizetype i = 0; i < line.size();) {
        if (line[i] == u'<') {
            if (const qsizetype length = applyTag(line.mid(i))) {
                i += length;
                continue;
            }
        }
        plain.append(line[i]);
        formats.push_back(m_current);
        sources.push_back(sourceOffset + int(i));
        ++i;
    }
}

QString restoringTags(const CharFormat &format)
{
    const uint rgb = uint(pgxColorToRGB(format.color));
    const uint rrggbb = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
    QString tags = QLatin1String("<font color=\"#")
        + QString::number(rrggbb, 16).toUpper().rightJustified(6, QLatin1Char('0'))
        + QLatin1String("\">");
    if (format.style & kUnderline)
        tags += QLatin1String("<u>");
    if (format.style & kItalic)
        tags += QLatin1String("<i>");
    if (format.style & kBold)
        tags += QLatin1String("<b>");
    return tags;
}

}   // namespace pgx::text
