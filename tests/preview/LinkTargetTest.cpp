// Where a click on an object's URL leads: pages and anchors of the store,
// web and mail addresses for the desktop, and nothing else.
#include "preview/layout/LinkTarget.h"

#include <gtest/gtest.h>

namespace pgx::preview {
namespace {

struct LinkCase
{
    const char *url;
    LinkTarget::Kind kind;
    int page = 0;
    const char *anchorOrUrl = "";
};

TEST(LinkTargetTest, ClassifiesUrls)
{
    using L = LinkTarget;
    const LinkCase cases[] = {
        {"", L::None},
        {"   ", L::None},
        {"@3", L::Page, 3},
        {" @12 ", L::Page, 12},
        {"@", L::Refused},
        {"@0", L::Refused},
        {"@-1", L::Refused},
        {"@x", L::Refused},
        {"@3x", L::Refused},
        {"@99999999999", L::Refused},
        {"#total", L::Anchor, 0, "total"},
        {"#a b", L::Anchor, 0, "a b"},
        {"#", L::Refused},
        {"http://example.com/a", L::External, 0, "http://example.com/a"},
        {"HTTP://Example.com/", L::External, 0, "http://example.com/"},
        {"https://example.org/?q=1", L::External, 0, "https://example.org/?q=1"},
        {"mailto:someone@example.com", L::External, 0, "mailto:someone@example.com"},
        {"http://", L::Refused},
        {"mailto:", L::Refused},
        {"javascript:alert(1)", L::Refused},
        {"JavaScript:alert(1)", L::Refused},
        {"file:///etc/passwd", L::Refused},
        {"/etc/passwd", L::Refused},
        {"ftp://example.com/file", L::Refused},
        {"data:text/html,<b>x</b>", L::Refused},
        {"www.example.com", L::Refused},
        {"smb://server/share", L::Refused},
    };
    for (const LinkCase &c : cases) {
        const LinkTarget target = linkTarget(QString::fromUtf8(c.url));
        EXPECT_EQ(target.kind, c.kind) << '"' << c.url << '"';
        EXPECT_EQ(target.page, c.page) << c.url;
        if (c.kind == L::Anchor) {
            EXPECT_EQ(target.anchor, QString::fromUtf8(c.anchorOrUrl)) << c.url;
        }
        if (c.kind == L::External) {
            EXPECT_EQ(target.url.toString(), QString::fromUtf8(c.anchorOrUrl)) << c.url;
        }
    }
}

}   // namespace
}   // namespace pgx::preview
