#include "report/text/FontTable.h"

#include <array>
#include <string_view>

namespace pgx::text {

namespace {

// One face: its family name and its four files (regular, bold, italic,
// bold italic), relative to kFontFolder.
struct Face
{
    const char *family;
    std::array<const char *, 4> files;
};

enum FaceIndex {
    LiberationSans,
    LiberationSerif,
    LiberationMono,
    DejaVuSans,
    DejaVuSerif,
    DejaVuSansMono,
    DejaVuSansCondensed,
    DejaVuSerifCondensed,
    FaceCount
};

constexpr std::array<Face, FaceCount> kFaces{{
    {"Liberation Sans",
     {"liberation2/LiberationSans-Regular.ttf", "liberation2/LiberationSans-Bold.ttf",
      "liberation2/LiberationSans-Italic.ttf", "liberation2/LiberationSans-BoldItalic.ttf"}},
    {"Liberation Serif",
     {"liberation2/LiberationSerif-Regular.ttf", "liberation2/LiberationSerif-Bold.ttf",
      "liberation2/LiberationSerif-Italic.ttf", "liberation2/LiberationSerif-BoldItalic.ttf"}},
    {"Liberation Mono",
     {"liberation2/LiberationMono-Regular.ttf", "liberation2/LiberationMono-Bold.ttf",
      "liberation2/LiberationMono-Italic.ttf", "liberation2/LiberationMono-BoldItalic.ttf"}},
    {"DejaVu Sans",
     {"dejavu/DejaVuSans.ttf", "dejavu/DejaVuSans-Bold.ttf", "dejavu/DejaVuSans-Oblique.ttf",
      "dejavu/DejaVuSans-BoldOblique.ttf"}},
    {"DejaVu Serif",
     {"dejavu/DejaVuSerif.ttf", "dejavu/DejaVuSerif-Bold.ttf", "dejavu/DejaVuSerif-Italic.ttf",
      "dejavu/DejaVuSerif-BoldItalic.ttf"}},
    {"DejaVu Sans Mono",
     {"dejavu/DejaVuSansMono.ttf", "dejavu/DejaVuSansMono-Bold.ttf",
      "dejavu/DejaVuSansMono-Oblique.ttf", "dejavu/DejaVuSansMono-BoldOblique.ttf"}},
    {"DejaVu Sans Condensed",
     {"dejavu/DejaVuSansCondensed.ttf", "dejavu/DejaVuSansCondensed-Bold.ttf",
      "dejavu/DejaVuSansCondensed-Oblique.ttf", "dejavu/DejaVuSansCondensed-BoldOblique.ttf"}},
    {"DejaVu Serif Condensed",
     {"dejavu/DejaVuSerifCondensed.ttf", "dejavu/DejaVuSerifCondensed-Bold.ttf",
      "dejavu/DejaVuSerifCondensed-Italic.ttf", "dejavu/DejaVuSerifCondensed-BoldItalic.ttf"}},
}};

// Template names with a metric-compatible face of their own; the faces'
// own family names are added from kFaces.
struct Alias
{
    std::string_view name;
    FaceIndex face;
};

constexpr std::array kAliases{
    Alias{"Arial", LiberationSans},         Alias{"Helvetica", LiberationSans},
    Alias{"MS Sans Serif", LiberationSans}, Alias{"Times New Roman", LiberationSerif},
    Alias{"Courier New", LiberationMono},
};

FaceIndex faceFor(const QString &name)
{
    const QString key = name.trimmed();
    for (const Alias &alias : kAliases)
        if (key.compare(QLatin1String(alias.name.data(), qsizetype(alias.name.size())),
                        Qt::CaseInsensitive)
            == 0)
            return alias.face;
    for (int i = 0; i < FaceCount; ++i)
        if (key.compare(QLatin1String(kFaces[size_t(i)].family), Qt::CaseInsensitive) == 0)
            return FaceIndex(i);
    return DejaVuSans;
}

FontFile fileOf(FaceIndex index, int style)
{
    const Face &face = kFaces[size_t(index)];
    FontFile file;
    file.family = QLatin1String(face.family);
    file.bold = style & kBold;
    file.italic = style & kItalic;
    const int slot = (file.bold ? 1 : 0) + (file.italic ? 2 : 0);
    file.path
        = QLatin1String(kFontFolder) + QLatin1Char('/') + QLatin1String(face.files[size_t(slot)]);
    return file;
}

}   // namespace

FontFile fontFileFor(const QString &templateName, int style)
{
    return fileOf(faceFor(templateName), style);
}

FontFile fallbackFontFile(int style)
{
    return fileOf(DejaVuSans, style);
}

}   // namespace pgx::text
