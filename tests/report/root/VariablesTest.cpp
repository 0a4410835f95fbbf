// Variables with categories and their .pgd file.

#include "RootTestSupport.h"

#include "platform/Error.h"
#include "report/root/TpgxVariables.h"
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

    const struct
    {
        const char *category;
        QStringList names;
    } cases[] = {
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
    EXPECT_TRUE(matchesGoldenFile(readFile(path),
                                  QStringLiteral(PGX_TEST_DATA "/report/root/variables.pgd")));

    TpgxVariables back;
    back.Add()->SetName(QStringLiteral("goes away"));
    EXPECT_TRUE(back.LoadFromFile(path).isEmpty());
    ASSERT_EQ(back.Count(), 4);
    EXPECT_EQ(back.Value(QStringLiteral("Quoted")).toString(),
              QStringLiteral("\"a\" & <b>\r\nline 2"));
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

}   // namespace
