// Styles, style sheets, the .pgs files and the built-in sets.

#include "report/root/RootTestSupport.h"

#include "platform/Error.h"
#include "report/styles/TpgxStyles.h"
#include "support/GoldenFile.h"

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>

using namespace pgx::test;

namespace {

const QByteArray kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";

TEST(Styles, BuiltInSheetHasFourSetsOfSixStyles)
{
    TpgxStyleSheet sheet;
    sheet.LoadBuiltIn();
    QStringList names;
    sheet.ListNames(names);
    EXPECT_EQ(names,
              (QStringList{QStringLiteral("Pagoryn"), QStringLiteral("Standard"),
                           QStringLiteral("Soft gray"), QStringLiteral("Corporate")}));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("builtin.pgs"));
    sheet.SaveToFile(path);
    // The golden file spells out the table: colours, fonts and frames.
    EXPECT_TRUE(matchesGoldenFile(readFile(path),
                                  QStringLiteral(PGX_TEST_DATA "/report/styles/builtin.pgs")));

    TpgxStyleSheet back;
    EXPECT_TRUE(back.LoadFromFile(path).isEmpty());
    ASSERT_EQ(back.Count(), 4);
    const TpgxStyles *corporate = back.Find(QStringLiteral("corporate"));
    ASSERT_TRUE(corporate);
    const TpgxStyleItem *line = corporate->Find(QStringLiteral("Header line"));
    ASSERT_TRUE(line);
    EXPECT_DOUBLE_EQ(line->Frame()->Width(), 2);
    EXPECT_EQ(corporate->Find(QStringLiteral("Group header"))->Color(), 52479);
    QBuffer again;
    again.open(QIODevice::WriteOnly);
    back.SaveToStream(&again);
    EXPECT_EQ(again.data(), readFile(path));
}

TEST(Styles, NamesAreUniqueInASet)
{
    TpgxStyles styles;
    TpgxStyleItem *a = styles.Add();
    a->MakeUniqueName();
    TpgxStyleItem *b = styles.Add();
    b->MakeUniqueName();
    EXPECT_EQ(a->Name(), QStringLiteral("Style1"));
    EXPECT_EQ(b->Name(), QStringLiteral("Style2"));
    EXPECT_THROW(b->SetName(QStringLiteral("STYLE1")), pgx::Error);
    EXPECT_EQ(b->Name(), QStringLiteral("Style2"));
    b->SetName(QStringLiteral("style2"));   // its own name in another case
    EXPECT_EQ(b->Name(), QStringLiteral("style2"));
}

TEST(Styles, FilesWithAnotherRootLoadNothing)
{
    const struct
    {
        const char *text;
        int sets;
        int styles;
    } cases[] = {
        {"<stylesheet><style Name=\"S\"><item Name=\"A\"/><other/><item "
         "Name=\"B\"/></style><x/></stylesheet>",
         1, 2},
        {"<style Name=\"S\"><item Name=\"A\"/></style>", 0, 1},
        {"<variables><item Name=\"A\"/></variables>", 0, 0},
        // A repeated name is refused but the style kept under a fresh one.
        {"<style Name=\"S\"><item Name=\"A\"/><item Name=\"a\" Color=\"5\"/></style>", 0, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        QBuffer in;
        in.setData(kHeader + c.text);
        in.open(QIODevice::ReadOnly);
        TpgxStyleSheet sheet;
        sheet.Add();
        sheet.LoadFromStream(&in);
        EXPECT_EQ(sheet.Count(), c.sets);
        in.seek(0);
        TpgxStyles styles;
        styles.LoadFromStream(&in);
        EXPECT_EQ(c.sets ? sheet.Items(0)->Count() : styles.Count(), c.styles);
    }
}

}   // namespace
