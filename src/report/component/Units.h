#pragma once

#include <QtCore/QtGlobal>

// Report units, colours and cursor codes shared by every report class and
// visible to report scripts under the same names.
//
// Positions and sizes are floating-point pixels at 96 per inch ("report
// units"); paper sizes and margins are millimetres and are multiplied by
// pg01cm.

inline constexpr double kPg01cm = 3.77953;   // report units per millimetre
inline constexpr double kPg1cm = 37.7953;    // report units per centimetre
inline constexpr double kPg01in = 9.6;       // report units per 0.1 inch
inline constexpr int kPg1in = 96;            // report units per inch
inline constexpr double kPg1CharX = 9.6;     // dot-matrix character cell width
inline constexpr int kPg1CharY = 17;         // dot-matrix character cell height

// A colour: 0x00BBGGRR for an explicit colour, a negative code for a system
// colour (SystemColors.h), or clTransparent.
using TColor = qint32;

// No colour: a fill with it is never drawn.
inline constexpr TColor kClTransparent = 0x1FFFFFFF;

inline constexpr TColor kClBlack = 0x000000;
inline constexpr TColor kClWhite = 0xFFFFFF;

// Cursor codes of the report's own cursors.
inline constexpr int kCrHand = 150;
inline constexpr int kCrZoom = 151;
inline constexpr int kCrFormat = 152;
