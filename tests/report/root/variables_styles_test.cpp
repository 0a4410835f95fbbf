// Variables with categories and their .pgd file; styles, style sheets, the
// .pgs files and the built-in sets.

#include "RootTestSupport.h"

#include "platform/Error.h"
#include "report/TpgxStyles.h"
#include "report/TpgxVariables.h"
#include "support/GoldenFile.h"

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>

using namespace pgx::test;

namespace {

const QByteArray kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";

// " A": x, y; " B": z; and one variable before any heading.
void fill(TpgxVariables &v)
{
    const char *names[] = {"loose", " A", "x", "y", " B", "z"};
    for (const char *name : names)
        v.Add()->SetName(QString::fromLatin1(name));
}

TEST(Variables, CategoriesGroupTheVariablesThatFollowThem)
{
    TpgxVariables v;
    fill(v);
    QStringList list{QStringLiteral("old")};
    v.ListCategories(list);
    EXPECT_EQ(list, (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    v.ListCategories(list, false);
    EXPECT_EQ(list.size(), 4);

    const struct { const char *category; QStringList names; } cases[] = {
        {"A", {QStringLiteral("x"), QStringLiteral("y")}},
        {"b", {QStringLiteral("z")}},
        {"", {QStringLiteral("loose")}},
        {"C", {}},
    };
    for (const auto &c : cases) {
        v.ListVariables(QString::fromLatin1(c.category), list);
        EXPECT_EQ(list, c.names) << c.category;
    }
}

TEST(Variables, AddToCategoryInsertsAtTheEndOfItsCategory)
{
    TpgxVariables v;
    fill(v);
    v.AddToCategory(QStringLiteral("A"), QStringLiteral("new"), 5);
    v.AddToCategory(QStringLiteral("B"), QStringLiteral("last"), 6);
    v.AddToCategory(QStringLiteral("None"), QStringLiteral("lost"), 7);
    QStringList names;
    for (const TpgxVariable *item : v.items())
        names.append(item->Name());
    EXPECT_EQ(names.join(QLatin1Char(',')), QStringLiteral("loose, A,x,y,new, B,z,last"));
    EXPECT_EQ(v.IndexOf(QStringLiteral("NEW")), 4);
    EXPECT_EQ(v.Value(QStringLiteral("last")).toInt(), 6);
    EXPECT_FALSE(v.Value(QStringLiteral("lost")).isValid());

    v.RemoveCategory(QStringLiteral("a"));
    v.RemoveVariable(QStringLiteral("z"));
    names.clear();
    for (const TpgxVariable *item : v.items())
        names.append(item->Name());
    EXPECT_EQ(names.join(QLatin1Char(',')), QStringLiteral("loose, B,last"));

    v.SetValue(QStringLiteral("LOOSE"), 1);
    v.SetValue(QStringLiteral("fresh"), 2);
    EXPECT_EQ(v.Count(), 4);
    EXPECT_EQ(v.Items(0)->Value().toInt(), 1);
}

TEST(Variables, VariablesFileMatchesItsGoldenAndReadsBack)
{
    TpgxVariables v;
    v.Add()->SetName(QStringLiteral(" Category1"));
    v.SetValue(QStringLiteral("Var1"), QStringLiteral("10"));
    v.SetValue(QStringLiteral("Quoted"), QStringLiteral("\"a\" & <b>\r\nline 2"));
    v.Add()->SetName(QStringLiteral("Empty"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vars.pgd"));
    v.SaveToFile(path);
    EXPECT_TRUE(matchesGoldenFile(readFile(path), QStringLiteral(PGX_TEST_DATA "/report/root/variables.pgd")));

    TpgxVariables back;
    back.Add()->SetName(QStringLiteral("goes away"));
    EXPECT_TRUE(back.LoadFromFile(path).isEmpty());
    ASSERT_EQ(back.Count(), 4);
    EXPECT_EQ(back.Value(QStringLiteral("Quoted")).toString(), QStringLiteral("\"a\" & <b>\r\nline 2"));
    EXPECT_FALSE(back.Value(QStringLiteral("Empty")).isValid());

    // Another root loads nothing (and empties the list); no XML throws.
    QBuffer other;
    other.setData(kHeader + "<style Name=\"x\"><item Name=\"A\"/></style>");
    other.open(QIODevice::ReadOnly);
    back.LoadFromStream(&other);
    EXPECT_EQ(back.Count(), 0);
    QBuffer junk;
    junk.setData("not xml at all");
    junk.open(QIODevice::ReadOnly);
    EXPECT_THROW(back.LoadFromStream(&junk), pgx::Error);
}

TEST(Styles, BuiltInSheetHasFourSetsOfSixStyles)
{
    TpgxStyleSheet sheet;
    sheet.LoadBuiltIn();
    QStringList names;
    sheet.ListNames(names);
    EXPECT_EQ(names, (QStringList{QStringLiteral("Pagoryn"), QStringLiteral("Standard"), QStringLiteral("Soft gray"),
                                  QStringLiteral("Corporate")}));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("builtin.pgs"));
    sheet.SaveToFile(path);
    // The golden file spells out the table: colours, fonts and frames.
    EXPECT_TRUE(matchesGoldenFile(readFile(path), QStringLiteral(PGX_TEST_DATA "/report/root/builtin.pgs")));

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
    b->SetName(QStringLiteral("style2")); // its own name in another case
    EXPECT_EQ(b->Name(), QStringLiteral("style2"));
}

TEST(Styles, FilesWithAnotherRootLoadNothing)
{
    const struct { const char *text; int sets; int styles; } cases[] = {
        {"<stylesheet><style Name=\"S\"><item Name=\"A\"/><other/><item Name=\"B\"/></style><x/></stylesheet>", 1, 2},
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

} // namespace
