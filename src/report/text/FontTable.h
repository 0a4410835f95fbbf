#pragma once

#include <QtCore/QString>

namespace pgx::text {

// Style bits as templates store them (the font's Style set and the HTML
// tags): 1 bold, 2 italic, 4 underline, 8 strike-out.
enum FontStyleBit { kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8 };

// Where the files of the faces templates may name live: Debian's
// fonts-liberation2 and fonts-dejavu-core.
inline constexpr char kFontFolder[] = "/usr/share/fonts/truetype";

// A template font name and style resolved to the one file that measures
// and draws it. Names are looked up in our own table, never through the
// desktop's font configuration, so a template lays out the same on every
// machine: Arial, Helvetica and "MS Sans Serif" are Liberation Sans, Times
// New Roman is Liberation Serif, Courier New is Liberation Mono, DejaVu and
// Liberation names are themselves, anything else (Tahoma, Verdana, names
// the table does not know) is DejaVu Sans.
struct FontFile
{
    QString family;   // the face's own family name ("Liberation Sans")
    QString path;     // the file, below kFontFolder
    bool bold = false;
    bool italic = false;
};

// Names compare without regard to case and surrounding blanks; `style`
// holds the bits above (only bold and italic choose the file).
FontFile fontFileFor(const QString &templateName, int style);

// The face whose file measures characters the named face lacks (DejaVu
// Sans has far more of them than the Liberation faces).
FontFile fallbackFontFile(int style);

}   // namespace pgx::text
