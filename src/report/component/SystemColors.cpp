#include "report/component/SystemColors.h"

#include <array>

namespace {

constexpr TColor sysCode(int index)
{
    return TColor(0xFF000000u | unsigned(index));
}
constexpr TColor rgb(int r, int g, int b)
{
    return TColor(r | (g << 8) | (b << 16));
}

// The classic desktop scheme. Index 25 is unused by the platform.
constexpr std::array kSystemColors{
    TpgxSystemColor{"clScrollBar", sysCode(0), rgb(200, 200, 200)},
    TpgxSystemColor{"clBackground", sysCode(1), rgb(58, 110, 165)},
    TpgxSystemColor{"clActiveCaption", sysCode(2), rgb(10, 36, 106)},
    TpgxSystemColor{"clInactiveCaption", sysCode(3), rgb(128, 128, 128)},
    TpgxSystemColor{"clMenu", sysCode(4), rgb(212, 208, 200)},
    TpgxSystemColor{"clWindow", sysCode(5), rgb(255, 255, 255)},
    TpgxSystemColor{"clWindowFrame", sysCode(6), rgb(0, 0, 0)},
    TpgxSystemColor{"clMenuText", sysCode(7), rgb(0, 0, 0)},
    TpgxSystemColor{"clWindowText", sysCode(8), rgb(0, 0, 0)},
    TpgxSystemColor{"clCaptionText", sysCode(9), rgb(255, 255, 255)},
    TpgxSystemColor{"clActiveBorder", sysCode(10), rgb(212, 208, 200)},
    TpgxSystemColor{"clInactiveBorder", sysCode(11), rgb(212, 208, 200)},
    TpgxSystemColor{"clAppWorkSpace", sysCode(12), rgb(128, 128, 128)},
    TpgxSystemColor{"clHighlight", sysCode(13), rgb(10, 36, 106)},
    TpgxSystemColor{"clHighlightText", sysCode(14), rgb(255, 255, 255)},
    TpgxSystemColor{"clBtnFace", sysCode(15), rgb(212, 208, 200)},
    TpgxSystemColor{"clBtnShadow", sysCode(16), rgb(128, 128, 128)},
    TpgxSystemColor{"clGrayText", sysCode(17), rgb(128, 128, 128)},
    TpgxSystemColor{"clBtnText", sysCode(18), rgb(0, 0, 0)},
    TpgxSystemColor{"clInactiveCaptionText", sysCode(19), rgb(212, 208, 200)},
    TpgxSystemColor{"clBtnHighlight", sysCode(20), rgb(255, 255, 255)},
    TpgxSystemColor{"cl3DDkShadow", sysCode(21), rgb(64, 64, 64)},
    TpgxSystemColor{"cl3DLight", sysCode(22), rgb(212, 208, 200)},
    TpgxSystemColor{"clInfoText", sysCode(23), rgb(0, 0, 0)},
    TpgxSystemColor{"clInfoBk", sysCode(24), rgb(255, 255, 225)},
    TpgxSystemColor{"clHotLight", sysCode(26), rgb(0, 0, 128)},
    TpgxSystemColor{"clGradientActiveCaption", sysCode(27), rgb(166, 202, 240)},
    TpgxSystemColor{"clGradientInactiveCaption", sysCode(28), rgb(192, 192, 192)},
    TpgxSystemColor{"clMenuHighlight", sysCode(29), rgb(10, 36, 106)},
    TpgxSystemColor{"clMenuBar", sysCode(30), rgb(212, 208, 200)},
};

static_assert(kSystemColors[15].code == -16777201,
              "clBtnFace is the button-face code templates store");
static_assert(kSystemColors[5].code == -16777211, "clWindow");

}   // namespace

std::span<const TpgxSystemColor> pgxSystemColors()
{
    return kSystemColors;
}

const TpgxSystemColor *pgxFindSystemColor(TColor code)
{
    for (const TpgxSystemColor &c : kSystemColors)
        if (c.code == code)
            return &c;
    return nullptr;
}

TColor pgxColorToRGB(TColor color)
{
    if (color >= 0)
        return color;
    const TpgxSystemColor *c = pgxFindSystemColor(color);
    // An unknown negative code has no meaning here: black, as the platform
    // draws an invalid system colour.
    return c ? c->rgb : kClBlack;
}

std::optional<TColor> pgxSystemColorByName(const QString &name)
{
    for (const TpgxSystemColor &c : kSystemColors)
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.code;
    return std::nullopt;
}
