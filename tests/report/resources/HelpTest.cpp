#include "report/resources/Help.h"

#include <gtest/gtest.h>

namespace pgx {
namespace {

TEST(Help, TopicsByClassNameAndTheirPages)
{
    EXPECT_EQ(helpTopic(QStringLiteral("tpgxdialogpage")), QStringLiteral("Dialogue_forms.htm"));
    EXPECT_EQ(helpTopic(QStringLiteral("TpgxSQLEditorForm")), QStringLiteral("TpgxADOQuery.htm"));
    EXPECT_EQ(helpTopic(QStringLiteral("TpgxMemoView")), QString());
    EXPECT_EQ(helpLocation(QStringLiteral("TpgxSyntaxMemo"), QStringLiteral("/opt/p/")),
              QStringLiteral("/opt/p/help/Script.htm"));
    EXPECT_EQ(helpLocation(QStringLiteral("Other"), QStringLiteral("/opt/p")),
              QStringLiteral("/opt/p/help/index.htm"));
}

}   // namespace
}   // namespace pgx
