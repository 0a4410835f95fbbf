// The report layer's tables: system colours; designer creation.
#include "SampleComponents.h"

#include "meta/ClassRegistry.h"
#include "report/component/SystemColors.h"
#include "report/root/TpgxReport.h"

#include <gtest/gtest.h>

#include <QtCore/QSet>

namespace {

TEST(SystemColors, CodesAreUniqueAndNamedOnce)
{
    QSet<TColor> codes;
    QSet<QString> names;
    for (const TpgxSystemColor &c : pgxSystemColors()) {
        EXPECT_LT(c.code, 0) << c.name;
        EXPECT_EQ(c.code & 0x00FFFFFF, (c.code - TColor(0xFF000000u))) << c.name;
        EXPECT_GE(c.rgb, 0) << c.name;
        EXPECT_LE(c.rgb, 0xFFFFFF) << c.name;
        codes.insert(c.code);
        names.insert(QString::fromLatin1(c.name).toLower());
        EXPECT_EQ(pgxFindSystemColor(c.code), &c);
        EXPECT_EQ(pgxSystemColorByName(QString::fromLatin1(c.name).toUpper()), c.code);
    }
    EXPECT_EQ(codes.size(), qsizetype(pgxSystemColors().size()));
    EXPECT_EQ(names.size(), qsizetype(pgxSystemColors().size()));
}

TEST(SystemColors, ResolveToFixedColours)
{
    EXPECT_EQ(pgxColorToRGB(*pgxSystemColorByName(QStringLiteral("clWindow"))), 0xFFFFFF);
    EXPECT_EQ(pgxColorToRGB(*pgxSystemColorByName(QStringLiteral("clWindowText"))), 0);
    EXPECT_EQ(pgxColorToRGB(-16777201), 0xC8D0D4);   // button face, as 0x00BBGGRR
    EXPECT_EQ(pgxColorToRGB(0x123456), 0x123456);
    EXPECT_EQ(pgxColorToRGB(kClTransparent), kClTransparent);
    EXPECT_EQ(pgxFindSystemColor(TColor(0xFF000000u | 25)), nullptr);   // unused index
    EXPECT_FALSE(pgxSystemColorByName(QStringLiteral("clNoSuchColour")));
}

TEST(CreateInDesigner, MarksTheComponentAndAppliesDesignerDefaults)
{
    pgx::ClassRegistry::add<TpgxSampleMemoView>();
    TpgxReport report;
    auto *page = new TpgxPage(&report);
    TpgxComponent *c = TpgxComponent::createInDesigner(QStringLiteral("TpgxSampleMemoView"), page);
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->isDesigning());
    EXPECT_EQ(c->parentComponent(), page);
    EXPECT_DOUBLE_EQ(c->width(), 94.5);
}

}   // namespace
