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
        v.add()->setName(QString::fromLatin1(name));
}

TEST(Variables, CategoriesGroupTheVariablesThatFollowThem)
{
    TpgxVariables v;
    fill(v);
    QStringList list{QStringLiteral("old")};
    v.listCategories(list);
    EXPECT_EQ(list, (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    v.listCategories(list, false);
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
        v.listVariables(QString::fromLatin1(c.category), list);
        EXPECT_EQ(list, c.names) << c.category;
    }
}

TEST(Variables, AddToCategoryInsertsAtTheEndOfItsCategory)
{
    TpgxVariables v;
    fill(v);
    v.addToCategory(QStringLiteral("A"), QStringLiteral("new"), 5);
    v.addToCategory(QStringLiteral("B"), QStringLiteral("last"), 6);
    v.addToCategory(QStringLiteral("None"), QStringLiteral("lost"), 7);
    QStringList names;
    for (const TpgxVariable *item : v.items())
        names.append(item->name());
    EXPECT_EQ(names.join(QLatin1Char(',')), QStringLiteral("loose, A,x,y,new, B,z,last"));
    EXPECT_EQ(v.indexOf(QStringLiteral("NEW")), 4);
    EXPECT_EQ(v.value(QStringLiteral("last")).toInt(), 6);
    EXPECT_FALSE(v.value(QStringLiteral("lost")).isValid());

    v.removeCategory(QStringLiteral("a"));
    v.removeVariable(QStringLiteral("z"));
    names.clear();
    for (const TpgxVariable *item : v.items())
        names.append(item->name());
    EXPECT_EQ(names.join(QLatin1Char(',')), QStringLiteral("loose, B,last"));

    v.setValue(QStringLiteral("LOOSE"), 1);
    v.setValue(QStringLiteral("fresh"), 2);
    EXPECT_EQ(v.count(), 4);
    EXPECT_EQ(v.items(0)->value().toInt(), 1);
}

TEST(Variables, VariablesFileMatchesItsGoldenAndReadsBack)
{
    TpgxVariables v;
    v.add()->setName(QStringLiteral(" Category1"));
    v.setValue(QStringLiteral("Var1"), QStringLiteral("10"));
    v.setValue(QStringLiteral("Quoted"), QStringLiteral("\"a\" & <b>\r\nline 2"));
    v.add()->setName(QStringLiteral("Empty"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vars.pgd"));
    v.saveToFile(path);
    EXPECT_TRUE(matchesGoldenFile(readFile(path),
                                  QStringLiteral(PGX_TEST_DATA "/report/root/variables.pgd")));

    TpgxVariables back;
    back.add()->setName(QStringLiteral("goes away"));
    EXPECT_TRUE(back.loadFromFile(path).isEmpty());
    ASSERT_EQ(back.count(), 4);
    EXPECT_EQ(back.value(QStringLiteral("Quoted")).toString(),
              QStringLiteral("\"a\" & <b>\r\nline 2"));
    EXPECT_FALSE(back.value(QStringLiteral("Empty")).isValid());

    // Another root loads nothing (and empties the list); no XML throws.
    QBuffer other;
    other.setData(kHeader + "<style Name=\"x\"><item Name=\"A\"/></style>");
    other.open(QIODevice::ReadOnly);
    back.loadFromStream(&other);
    EXPECT_EQ(back.count(), 0);
    QBuffer junk;
    junk.setData("not xml at all");
    junk.open(QIODevice::ReadOnly);
    EXPECT_THROW(back.loadFromStream(&junk), pgx::Error);
}

}   // namespace
