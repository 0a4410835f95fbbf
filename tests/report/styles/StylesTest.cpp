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
    sheet.loadBuiltIn();
    QStringList names;
    sheet.listNames(names);
    EXPECT_EQ(names,
              (QStringList{QStringLiteral("Pagoryn"), QStringLiteral("Standard"),
                           QStringLiteral("Soft gray"), QStringLiteral("Corporate")}));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("builtin.pgs"));
    sheet.saveToFile(path);
    // The golden file spells out the table: colours, fonts and frames.
    EXPECT_TRUE(matchesGoldenFile(readFile(path),
                                  QStringLiteral(PGX_TEST_DATA "/report/styles/builtin.pgs")));

    TpgxStyleSheet back;
    EXPECT_TRUE(back.loadFromFile(path).isEmpty());
    ASSERT_EQ(back.count(), 4);
    const TpgxStyles *corporate = back.find(QStringLiteral("corporate"));
    ASSERT_TRUE(corporate);
    const TpgxStyleItem *line = corporate->find(QStringLiteral("Header line"));
    ASSERT_TRUE(line);
    EXPECT_DOUBLE_EQ(line->frame()->width(), 2);
    EXPECT_EQ(corporate->find(QStringLiteral("Group header"))->color(), 52479);
    QBuffer again;
    again.open(QIODevice::WriteOnly);
    back.saveToStream(&again);
    EXPECT_EQ(again.data(), readFile(path));
}

TEST(Styles, NamesAreUniqueInASet)
{
    TpgxStyles styles;
    TpgxStyleItem *a = styles.add();
    a->makeUniqueName();
    TpgxStyleItem *b = styles.add();
    b->makeUniqueName();
    EXPECT_EQ(a->name(), QStringLiteral("Style1"));
    EXPECT_EQ(b->name(), QStringLiteral("Style2"));
    EXPECT_THROW(b->setName(QStringLiteral("STYLE1")), pgx::Error);
    EXPECT_EQ(b->name(), QStringLiteral("Style2"));
    b->setName(QStringLiteral("style2"));   // its own name in another case
    EXPECT_EQ(b->name(), QStringLiteral("style2"));
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
        sheet.add();
        sheet.loadFromStream(&in);
        EXPECT_EQ(sheet.count(), c.sets);
        in.seek(0);
        TpgxStyles styles;
        styles.loadFromStream(&in);
        EXPECT_EQ(c.sets ? sheet.items(0)->count() : styles.count(), c.styles);
    }
}

}   // namespace
