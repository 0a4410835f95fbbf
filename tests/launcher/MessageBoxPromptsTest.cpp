// The desktop's prompts where nobody could answer a window: the suite runs
// on the offscreen platform, where every prompt must return at once.
#include "launcher/MessageBoxPrompts.h"
#include "launcher/LauncherTestSupport.h"

#include <gtest/gtest.h>

namespace pgx::launcher {
namespace {

TEST(MessageBoxPrompts, WithoutAScreenPromptsAreCancelledAtOnce)
{
    test::widgetApplication();
    MessageBoxPrompts prompts;
    ASSERT_FALSE(MessageBoxPrompts::canShowWindows());
    EXPECT_EQ(prompts.askSaveFileName({QStringLiteral("Print To File"),
                                       QStringLiteral("Printer files (*.prn)"),
                                       QStringLiteral("/tmp/report.prn")}),
              std::nullopt);
    EXPECT_EQ(
        prompts.askPassword({QStringLiteral("Password"), QStringLiteral("Enter the password:"),
                             QStringLiteral("OK"), QStringLiteral("Cancel")}),
        std::nullopt);
}

}   // namespace
}   // namespace pgx::launcher
