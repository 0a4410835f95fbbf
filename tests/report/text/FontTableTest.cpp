#include "report/text/FontTable.h"

#include <QtCore/QFileInfo>
#include <gtest/gtest.h>

namespace pgx::test {
namespace {

using namespace pgx::text;

TEST(FontTableTest, TemplateNamesResolveToTheMetricCompatibleFiles)
{
    struct Case
    {
        const char *name;
        int style;
        const char *file;
        const char *family;
    };
    const Case cases[] = {
        {"Arial", 0, "LiberationSans-Regular.ttf", "Liberation Sans"},
        {"arial", kBold, "LiberationSans-Bold.ttf", "Liberation Sans"},
        {" Arial ", kItalic, "LiberationSans-Italic.ttf", "Liberation Sans"},
        {"Helvetica", kBold | kItalic, "LiberationSans-BoldItalic.ttf", "Liberation Sans"},
        {"MS Sans Serif", kUnderline | kStrikeOut, "LiberationSans-Regular.ttf", "Liberation Sans"},
        {"Times New Roman", kItalic, "LiberationSerif-Italic.ttf", "Liberation Serif"},
        {"Courier New", kBold, "LiberationMono-Bold.ttf", "Liberation Mono"},
        {"Liberation Serif", 0, "LiberationSerif-Regular.ttf", "Liberation Serif"},
        {"Tahoma", 0, "DejaVuSans.ttf", "DejaVu Sans"},
        {"Verdana", kItalic, "DejaVuSans-Oblique.ttf", "DejaVu Sans"},
        {"No Such Font", kBold, "DejaVuSans-Bold.ttf", "DejaVu Sans"},
        {"", 0, "DejaVuSans.ttf", "DejaVu Sans"},
        {"DejaVu Serif", kBold | kItalic, "DejaVuSerif-BoldItalic.ttf", "DejaVu Serif"},
        {"dejavu sans mono", kItalic, "DejaVuSansMono-Oblique.ttf", "DejaVu Sans Mono"},
        {"DejaVu Sans Condensed", 0, "DejaVuSansCondensed.ttf", "DejaVu Sans Condensed"},
    };
    for (const Case &c : cases) {
        const FontFile file = fontFileFor(QString::fromLatin1(c.name), c.style);
        EXPECT_EQ(QFileInfo(file.path).fileName(), QLatin1String(c.file)) << c.name;
        EXPECT_EQ(file.family, QLatin1String(c.family)) << c.name;
        EXPECT_EQ(file.bold, bool(c.style & kBold)) << c.name;
        EXPECT_EQ(file.italic, bool(c.style & kItalic)) << c.name;
        // The README's set-up installs every file the table names.
        EXPECT_TRUE(QFileInfo::exists(file.path)) << qPrintable(file.path);
    }
}

}   // namespace
}   // namespace pgx::test
