#include "report/component/ColorNames.h"

#include "report/component/SystemColors.h"

#include <array>

namespace pgx {

namespace {

struct NamedColor
{
    const char *name;
    TColor value;   // 0x00BBGGRR
};

// The sixteen classic colours, the four extra ones of the colour list and
// the two special values.
constexpr std::array kNamedColors{
    NamedColor{"clBlack", 0x000000},      NamedColor{"clMaroon", 0x000080},
    NamedColor{"clGreen", 0x008000},      NamedColor{"clOlive", 0x008080},
    NamedColor{"clNavy", 0x800000},       NamedColor{"clPurple", 0x800080},
    NamedColor{"clTeal", 0x808000},       NamedColor{"clGray", 0x808080},
    NamedColor{"clSilver", 0xC0C0C0},     NamedColor{"clRed", 0x0000FF},
    NamedColor{"clLime", 0x00FF00},       NamedColor{"clYellow", 0x00FFFF},
    NamedColor{"clBlue", 0xFF0000},       NamedColor{"clFuchsia", 0xFF00FF},
    NamedColor{"clAqua", 0xFFFF00},       NamedColor{"clWhite", 0xFFFFFF},
    NamedColor{"clMoneyGreen", 0xC0DCC0}, NamedColor{"clSkyBlue", 0xF0CAA6},
    NamedColor{"clCream", 0xF0FBFF},      NamedColor{"clMedGray", 0xA4A0A0},
    NamedColor{"clNone", kClTransparent}, NamedColor{"clDefault", 0x20000000},
};

}   // namespace

std::optional<TColor> colorByName(const QString &identifier)
{
    for (const NamedColor &c : kNamedColors)
        if (identifier.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.value;
    return pgxSystemColorByName(identifier);
}

}   // namespace pgx
