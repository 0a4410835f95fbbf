#include <gtest/gtest.h>

#include "persist/XMLItem.h"

using namespace pgx;

namespace {

QByteArray names(const TpgxXMLItem &item)
{
    QByteArray out;
    for (int i = 0; i < item.Count(); ++i)
        out += (i ? "," : "") + item.Items(i)->Name();
    return out;
}

TEST(XMLItemProp, ReadsByNameIgnoringCase)
{
    TpgxXMLItem item;
    item.SetText(
        R"(Name="Memo1" Left="10" Font.Name="Arial" Text="a&#13;&#10;&quot;b&quot;" LeftX="3")");
    const struct
    {
        const char *name;
        QByteArray value;
    } cases[] = {
        {"left", "10"}, {"LEFT", "10"},   {"Name", "Memo1"}, {"Font.Name", "Arial"},
        {"Name\"", ""}, {"eft", ""},      {"Top", ""},       {"Text", "a\r\n\"b\""},
        {"LeftX", "3"}, {"ont.Name", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(item.Prop(c.name), c.value) << c.name;

    TpgxXMLItem spaced;
    spaced.SetText(R"(Left = "10" Top ="2" Width= "3")");
    EXPECT_EQ(spaced.Prop("Left"), "");
    EXPECT_EQ(spaced.Prop("Top"), "");
    EXPECT_EQ(spaced.Prop("Width"), "");
}

TEST(XMLItemProp, WriteKeepsAttributeOrder)
{
    const struct
    {
        const char *before;
        const char *name;
        QByteArray value;
        const char *after;
    } cases[] = {
        {"", "a", "1", R"(a="1")"},
        {R"(a="1")", "b", "2", R"(a="1" b="2")"},
        {R"(a="1" )", "b", "2", R"(a="1" b="2")"},
        {R"(a="1" b="2" c="3")", "B", "x<y", R"(a="1" B="x&#60;y" c="3")"},
        {R"(a="1" b="2")", "a", "", R"(a="" b="2")"},
        {R"(b="2" a="1")", "a", "\"", R"(b="2" a="&#34;")"},
        {R"(a="unclosed)", "a", "9", R"(a="9")"},
        {R"(xa="1")", "a", "2", R"(xa="1" a="2")"},
    };
    for (const auto &c : cases) {
        TpgxXMLItem item;
        item.SetText(c.before);
        item.SetProp(c.name, c.value);
        EXPECT_EQ(item.Text(), c.after) << c.before << " + " << c.name;
        EXPECT_EQ(item.Prop(c.name), c.value);
    }
}

TEST(XMLItemTree, AddInsertMoveAndFind)
{
    TpgxXMLItem root;
    root.SetName("root");
    TpgxXMLItem *a = root.Add();
    a->SetName("a");
    TpgxXMLItem *b = root.FindItem("b");   // created, since there is none
    EXPECT_EQ(b->Parent(), &root);
    EXPECT_EQ(root.FindItem("B"), b);   // found, case ignored
    EXPECT_EQ(root.Find("A"), 0);
    EXPECT_EQ(root.Find("c"), -1);

    auto *c = new TpgxXMLItem;
    c->SetName("c");
    EXPECT_TRUE(root.InsertItem(0, c));
    EXPECT_EQ(names(root), "c,a,b");
    EXPECT_EQ(root.IndexOf(b), 2);

    // Moving an item takes it out of its former parent.
    EXPECT_TRUE(a->AddItem(c));
    EXPECT_EQ(names(root), "a,b");
    EXPECT_EQ(c->Parent(), a);
    EXPECT_EQ(c->Root(), &root);
    EXPECT_TRUE(root.InsertItem(99, c));
    EXPECT_EQ(names(root), "a,b,c");
    EXPECT_EQ(a->Count(), 0);

    // Deleting an item removes it from its parent.
    delete b;
    EXPECT_EQ(names(root), "a,c");
}

TEST(XMLItemTree, RefusesCycles)
{
    TpgxXMLItem root;
    TpgxXMLItem *child = root.Add();
    TpgxXMLItem *grandchild = child->Add();
    EXPECT_FALSE(grandchild->AddItem(&root));
    EXPECT_FALSE(child->AddItem(child));
    EXPECT_FALSE(grandchild->InsertItem(0, child));
    EXPECT_FALSE(root.AddItem(nullptr));
    EXPECT_EQ(child->Parent(), &root);
    EXPECT_EQ(root.Count(), 1);
}

TEST(XMLItemTree, ClearUnloadsOnlySwappableItems)
{
    TpgxXMLItem plain;
    plain.Add();
    plain.Clear();
    EXPECT_EQ(plain.Count(), 0);
    EXPECT_TRUE(plain.InMemory());

    TpgxXMLItem page;
    page.SetSwappable(true);
    page.Add()->Add();
    page.Clear();
    EXPECT_EQ(page.Count(), 0);
    EXPECT_FALSE(page.InMemory());
}

}   // namespace
