#pragma once

#include "report/component/Units.h"

#include <QtCore/QString>
#include <optional>
#include <span>

// System colours are stored in templates as negative codes (0xFF000000 plus
// the system colour index). They resolve to one fixed classic palette, not to
// the desktop theme, so that a template prints the same on every machine.
struct TpgxSystemColor
{
    const char *name;   // "clBtnFace"
    TColor code;        // -16777201
    TColor rgb;         // the colour it stands for, 0x00BBGGRR
};

std::span<const TpgxSystemColor> pgxSystemColors();

// The table entry of a system-colour code; nothing for other values.
const TpgxSystemColor *pgxFindSystemColor(TColor code);
// The explicit colour a value stands for: system codes resolved, other
// values unchanged (clTransparent included).
TColor pgxColorToRGB(TColor color);
// The code of a system colour name ("clWindow"), compared without regard to case.
std::optional<TColor> pgxSystemColorByName(const QString &name);
