#include <gtest/gtest.h>

#include "persist/XMLItem.h"

using namespace pgx;

namespace {

QByteArray names(const TpgxXMLItem &item)
{
    QByteArray out;
    for (int i = 0; i < item.count(); ++i)
        out += (i ? "," : "") + item.items(i)->name();
    return out;
}

TEST(XMLItemProp, ReadsByNameIgnoringCase)
{
    TpgxXMLItem item;
    item.setText(
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
        EXPECT_EQ(item.prop(c.name), c.value) << c.name;

    TpgxXMLItem spaced;
    spaced.setText(R"(Left = "10" Top ="2" Width= "3")");
    EXPECT_EQ(spaced.prop("Left"), "");
    EXPECT_EQ(spaced.prop("Top"), "");
    EXPECT_EQ(spaced.prop("Width"), "");
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
        item.setText(c.before);
        item.setProp(c.name, c.value);
        EXPECT_EQ(item.text(), c.after) << c.before << " + " << c.name;
        EXPECT_EQ(item.prop(c.name), c.value);
    }
}

TEST(XMLItemTree, AddInsertMoveAndFind)
{
    TpgxXMLItem root;
    root.setName("root");
    TpgxXMLItem *a = root.add();
    a->setName("a");
    TpgxXMLItem *b = root.findItem("b");   // created, since there is none
    EXPECT_EQ(b->parent(), &root);
    EXPECT_EQ(root.findItem("B"), b);   // found, case ignored
    EXPECT_EQ(root.find("A"), 0);
    EXPECT_EQ(root.find("c"), -1);

    auto *c = new TpgxXMLItem;
    c->setName("c");
    EXPECT_TRUE(root.insertItem(0, c));
    EXPECT_EQ(names(root), "c,a,b");
    EXPECT_EQ(root.indexOf(b), 2);

    // Moving an item takes it out of its former parent.
    EXPECT_TRUE(a->addItem(c));
    EXPECT_EQ(names(root), "a,b");
    EXPECT_EQ(c->parent(), a);
    EXPECT_EQ(c->root(), &root);
    EXPECT_TRUE(root.insertItem(99, c));
    EXPECT_EQ(names(root), "a,b,c");
    EXPECT_EQ(a->count(), 0);

    // Deleting an item removes it from its parent.
    delete b;
    EXPECT_EQ(names(root), "a,c");
}

TEST(XMLItemTree, RefusesCycles)
{
    TpgxXMLItem root;
    TpgxXMLItem *child = root.add();
    TpgxXMLItem *grandchild = child->add();
    EXPECT_FALSE(grandchild->addItem(&root));
    EXPECT_FALSE(child->addItem(child));
    EXPECT_FALSE(grandchild->insertItem(0, child));
    EXPECT_FALSE(root.addItem(nullptr));
    EXPECT_EQ(child->parent(), &root);
    EXPECT_EQ(root.count(), 1);
}

TEST(XMLItemTree, ClearUnloadsOnlySwappableItems)
{
    TpgxXMLItem plain;
    plain.add();
    plain.clear();
    EXPECT_EQ(plain.count(), 0);
    EXPECT_TRUE(plain.inMemory());

    TpgxXMLItem page;
    page.setSwappable(true);
    page.add()->add();
    page.clear();
    EXPECT_EQ(page.count(), 0);
    EXPECT_FALSE(page.inMemory());
}

}   // namespace

namespace {

TEST(XMLItemTree, DeepChainsAreFreedWithoutRecursion)
{
    // Far deeper than any stack holds with one frame per level; a script
    // builds such a chain with a loop. A sibling at every level, so that
    // both the chain and the lists are walked.
    auto chain = [](int depth) {
        auto top = std::make_unique<TpgxXMLItem>();
        TpgxXMLItem *item = top.get();
        for (int i = 0; i < depth; ++i) {
            item->add()->setName("side");
            item = item->add();
        }
        return top;
    };
    for (const int depth : {1, 2, 300000}) {
        auto top = chain(depth);
        EXPECT_EQ(top->count(), 2);
        top->clear();
        EXPECT_EQ(top->count(), 0);
        // A subtree freed on its own leaves its parent's list consistent.
        top = chain(depth);
        delete top->items(1);
        EXPECT_EQ(names(*top), QByteArray("side"));
        top = chain(depth);   // the destructor of the chain's root
    }
}

}   // namespace
