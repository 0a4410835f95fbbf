#include "../registry/LibraryFixture.h"

#include "script/library/Classes.h"
#include "script/library/IniClasses.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

using namespace pgx::script;
using namespace pgx::script::test;

namespace {

Variant s8(const char *t)
{
    return Variant::fromString8(QString::fromUtf8(t));
}

TEST(Classes, StringListEditing)
{
    LibraryScript s;
    const Variant l = s.create(QStringLiteral("TStringList"));
    for (const char *item : {"b", "a", "c"})
        s.member(l, QStringLiteral("Add"), {s8(item)});
    EXPECT_EQ(s.member(l, QStringLiteral("Count")).toInt64(), 3);
    EXPECT_EQ(s.member(l, QStringLiteral("Strings"), {"1"}).toString(), QStringLiteral("a"));
    s.set(l, QStringLiteral("Strings"), s8("A2"), {"1"});
    EXPECT_EQ(s.member(l, QStringLiteral("IndexOf"), {"'a2'"}).toInt64(), 1);   // case ignored
    s.member(l, QStringLiteral("Move"), {"0", "2"});
    EXPECT_EQ(s.member(l, QStringLiteral("Text")).toString(), QStringLiteral("A2\r\nc\r\nb\r\n"));
    s.member(l, QStringLiteral("Insert"), {"3", "'z'"});
    s.member(l, QStringLiteral("Delete"), {"0"});
    EXPECT_EQ(s.member(l, QStringLiteral("CommaText")).toString(), QStringLiteral("c,b,z"));
    EXPECT_EQ(errorOf([&] { s.member(l, QStringLiteral("Delete"), {"3"}); }),
              QStringLiteral("List index out of bounds (3)"));
    EXPECT_EQ(errorOf([&] { s.member(l, QStringLiteral("Strings"), {"-1"}); }),
              QStringLiteral("List index out of bounds (-1)"));
    s.set(l, QStringLiteral("Text"), s8("x=1\ny=2\r\nz"));
    EXPECT_EQ(s.member(l, QStringLiteral("Values"), {"'Y'"}).toString(), QStringLiteral("2"));
    EXPECT_EQ(s.member(l, QStringLiteral("Names"), {"0"}).toString(), QStringLiteral("x"));
    EXPECT_EQ(s.member(l, QStringLiteral("IndexOfName"), {"'z'"}).toInt64(), -1);
    s.set(l, QStringLiteral("Values"), s8("w"), {"'x'"});
    s.set(l, QStringLiteral("Values"), s8(""), {"'y'"});
    EXPECT_EQ(s.member(l, QStringLiteral("CommaText")).toString(), QStringLiteral("x=w,z"));
}

TEST(Classes, CommaTextRoundTrips)
{
    const struct
    {
        const char *text;
        const char *items;
        const char *back;
    } cases[] = {
        {"a,b,c", "a|b|c", "a,b,c"},
        {"a b", "a|b", "a,b"},
        {"\"a b\",c", "a b|c", "\"a b\",c"},
        {"\"say \"\"hi\"\"\"", "say \"hi\"", "\"say \"\"hi\"\"\""},
        {"a,,b", "a||b", "a,\"\",b"},
        {"a,", "a|", "a,\"\""},
        {"", "", ""},
    };
    for (const auto &c : cases) {
        TStringList list;
        list.setCommaText(QString::fromUtf8(c.text));
        EXPECT_EQ(list.strings().join(QLatin1Char('|')).toStdString(), c.items) << c.text;
        EXPECT_EQ(list.commaText().toStdString(), c.back) << c.text;
    }
}

TEST(Classes, SortedListsAndDuplicates)
{
    LibraryScript s;
    TkxScript &p = s.script;
    p.addVariable(QStringLiteral("idx"), TkxKind::Integer, QStringLiteral("Integer"), Variant(0));
    const Variant l = s.create(QStringLiteral("TStringList"));
    s.set(l, QStringLiteral("Sorted"), Variant(true));
    EXPECT_EQ(s.member(l, QStringLiteral("Sorted")).type(), varBoolean);
    for (const char *item : {"pear", "Apple", "fig", "apple"})
        s.member(l, QStringLiteral("Add"), {s8(item)});
    EXPECT_EQ(s.member(l, QStringLiteral("CommaText")).toString(),
              QStringLiteral("Apple,fig,pear"));   // dupIgnore
    EXPECT_TRUE(s.member(l, QStringLiteral("Find"), {"'FIG'", "idx"}).toBool());
    EXPECT_EQ(p.find(QStringLiteral("idx"))->value.toInt64(), 1);
    EXPECT_FALSE(s.member(l, QStringLiteral("Find"), {"'grape'", "idx"}).toBool());
    EXPECT_EQ(p.find(QStringLiteral("idx"))->value.toInt64(), 2);
    s.set(l, QStringLiteral("Duplicates"), Variant(2));   // dupError
    EXPECT_EQ(errorOf([&] { s.member(l, QStringLiteral("Add"), {"'pear'"}); }),
              QStringLiteral("String list does not allow duplicates"));
    s.set(l, QStringLiteral("Duplicates"), Variant(1));   // dupAccept
    s.member(l, QStringLiteral("Add"), {"'pear'"});
    EXPECT_EQ(s.member(l, QStringLiteral("Count")).toInt64(), 4);
    EXPECT_FALSE(errorOf([&] { s.member(l, QStringLiteral("Insert"), {"0", "'x'"}); }).isEmpty());
    const Variant u = s.create(QStringLiteral("TStringList"));
    s.set(u, QStringLiteral("CommaText"), s8("c,B,a"));
    s.member(u, QStringLiteral("Sort"));
    EXPECT_EQ(s.member(u, QStringLiteral("CommaText")).toString(), QStringLiteral("a,B,c"));
    s.member(u, QStringLiteral("Assign"), {Arg(l)});
    EXPECT_EQ(s.member(u, QStringLiteral("Count")).toInt64(), 4);
}

TEST(Classes, ListsHoldObjectHandles)
{
    LibraryScript s;
    const Variant list = s.create(QStringLiteral("TList"));
    const Variant a = s.create(QStringLiteral("TStringList"));
    const Variant b = s.create(QStringLiteral("TMemoryStream"));
    s.member(list, QStringLiteral("Add"), {Arg(a)});
    s.member(list, QStringLiteral("Insert"), {"0", Arg(b)});
    EXPECT_EQ(s.member(list, QStringLiteral("IndexOf"), {Arg(a)}).toInt64(), 1);
    EXPECT_EQ(s.member(list, QStringLiteral("Items"), {"0"}).toInt64(), b.toInt64());
    EXPECT_EQ(s.member(list, QStringLiteral("Remove"), {Arg(b)}).toInt64(), 0);
    EXPECT_EQ(s.member(list, QStringLiteral("Count")).toInt64(), 1);
    EXPECT_FALSE(errorOf([&] { s.member(list, QStringLiteral("Items"), {"5"}); }).isEmpty());
    EXPECT_FALSE(errorOf([&] {
                     s.member(list, QStringLiteral("Add"), {"123456789"});
                 }).isEmpty());   // a forged handle
}

// Read and Write with a count that differs from the buffer's length.
TEST(Classes, StreamCountsAreClamped)
{
    LibraryScript s;
    TkxScript &p = s.script;
    p.addVariable(QStringLiteral("buf"), TkxKind::String, QStringLiteral("String"), s8(""));
    const Variant m = s.create(QStringLiteral("TMemoryStream"));
    EXPECT_EQ(s.member(m, QStringLiteral("Write"), {"'abcdef'", "100"}).toInt64(), 6);
    EXPECT_EQ(s.member(m, QStringLiteral("Write"), {"'xyz'", "2"}).toInt64(), 2);
    EXPECT_EQ(s.member(m, QStringLiteral("Write"), {"'xyz'", "-4"}).toInt64(), 0);
    EXPECT_EQ(s.member(m, QStringLiteral("Size")).toInt64(), 8);
    EXPECT_EQ(s.member(m, QStringLiteral("Seek"), {"2", "0"}).toInt64(), 2);
    EXPECT_EQ(s.member(m, QStringLiteral("Read"), {"buf", "3"}).toInt64(), 3);
    EXPECT_EQ(p.find(QStringLiteral("buf"))->value.toString(), QStringLiteral("cde"));
    EXPECT_EQ(s.member(m, QStringLiteral("Read"), {"buf", "1000"}).toInt64(), 3);
    EXPECT_EQ(p.find(QStringLiteral("buf"))->value.toString(), QStringLiteral("fxy"));
    EXPECT_EQ(s.member(m, QStringLiteral("Seek"), {"-1", "2"}).toInt64(), 7);
    s.set(m, QStringLiteral("Position"), Variant(0));
    EXPECT_FALSE(errorOf([&] { s.member(m, QStringLiteral("Seek"), {"-1", "0"}); }).isEmpty());
    EXPECT_FALSE(
        errorOf([&] {
            s.member(m, QStringLiteral("Write"), {Arg(Variant(QStringLiteral("\u20ac"))), "1"});
        }).isEmpty());

    const Variant copy = s.create(QStringLiteral("TMemoryStream"));
    EXPECT_EQ(s.member(copy, QStringLiteral("CopyFrom"), {Arg(m), "0"}).toInt64(), 8);
    const Variant list = s.create(QStringLiteral("TStringList"));
    s.set(copy, QStringLiteral("Position"), Variant(0));
    s.member(list, QStringLiteral("LoadFromStream"), {Arg(copy)});
    EXPECT_EQ(s.member(list, QStringLiteral("Strings"), {"0"}).toString(),
              QStringLiteral("abcdefxy"));
}

TEST(Classes, FilesAndFileStreams)
{
    QTemporaryDir dir;
    LibraryScript s;
    const QString file = dir.filePath(QStringLiteral("lines.txt"));
    const Variant l = s.create(QStringLiteral("TStringList"));
    s.set(l, QStringLiteral("CommaText"), s8("one,two,\"drei vier\""));
    s.member(l, QStringLiteral("SaveToFile"), {Arg(Variant::fromString8(file))});
    const Variant f
        = s.create(QStringLiteral("TFileStream"), {Arg(Variant::fromString8(file)), "0"});
    EXPECT_EQ(s.member(f, QStringLiteral("Size")).toInt64(), 21);   // three lines ending in CR LF
    const Variant back = s.create(QStringLiteral("TStringList"));
    s.member(back, QStringLiteral("LoadFromStream"), {Arg(f)});
    EXPECT_EQ(s.member(back, QStringLiteral("Strings"), {"2"}).toString(),
              QStringLiteral("drei vier"));
    EXPECT_FALSE(errorOf([&] {
                     s.member(f, QStringLiteral("Write"), {"'x'", "1"});
                 }).isEmpty());   // opened for reading
    const QString missing = dir.filePath(QStringLiteral("missing.txt"));
    EXPECT_EQ(
        errorOf([&] {
            s.create(QStringLiteral("TFileStream"), {Arg(Variant::fromString8(missing)), "0"});
        }),
        QStringLiteral("Cannot open file \"%1\"").arg(missing));
    const Variant created
        = s.create(QStringLiteral("TFileStream"), {Arg(Variant::fromString8(missing)), "fmCreate"});
    s.member(created, QStringLiteral("Write"), {"'hi'", "2"});
    s.member(created, QStringLiteral("Free"));
    QFile check(missing);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray("hi"));
    EXPECT_FALSE(errorOf([&] { s.create(QStringLiteral("TStream")); }).isEmpty());   // abstract
}

TEST(Classes, ComponentsBelongToTheirOwner)
{
    LibraryScript s;
    const Variant owner = s.create(QStringLiteral("TComponent"), {"nil"});
    const Variant child = s.create(QStringLiteral("TComponent"), {Arg(owner)});
    EXPECT_EQ(s.member(child, QStringLiteral("Owner")).toInt64(), owner.toInt64());
    s.member(owner, QStringLiteral("Free"));
    EXPECT_FALSE(errorOf([&] {
                     s.member(child, QStringLiteral("Owner"));
                 }).isEmpty());   // freed with its owner
}

TEST(Classes, ScriptObjectsDieWithTheScript)
{
    const int before = TkxObjectTable::liveCount();
    {
        LibraryScript s;
        s.create(QStringLiteral("TStringList"));
        s.create(QStringLiteral("TkxXMLDocument"));
        EXPECT_GT(TkxObjectTable::liveCount(), before);
    }
    EXPECT_EQ(TkxObjectTable::liveCount(), before);
}

TEST(Classes, MemIniFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("app.ini"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("; settings\n[Main]\nCount=12\nRatio=1.5\nBad=x1\nFlag=0\n[Other]\nName=Ann\n");
    }
    LibraryScript s;
    const Variant ini = s.create(QStringLiteral("TMemIniFile"), {Arg(Variant::fromString8(file))});
    const struct
    {
        const char *fn;
        QList<Arg> args;
        const char *expected;
    } reads[] = {
        {"ReadInteger", {"'Main'", "'count'", "0"}, "12"},
        {"ReadInteger", {"'Main'", "'Bad'", "7"}, "7"},
        {"ReadInteger", {"'Nope'", "'Count'", "-1"}, "-1"},
        {"ReadFloat", {"'Main'", "'Ratio'", "0"}, "1.5"},
        {"ReadBool", {"'Main'", "'Flag'", "true"}, "False"},
        {"ReadBool", {"'Main'", "'Missing'", "true"}, "True"},
        {"ReadString", {"'other'", "'name'", "''"}, "Ann"},
        {"ReadString", {"'Other'", "'Missing'", "'dflt'"}, "dflt"},
        {"SectionExists", {"'OTHER'"}, "True"},
        {"ValueExists", {"'Main'", "'Nope'"}, "False"},
        {"FileName", {}, ""},
    };
    for (const auto &r : reads) {
        const QString got = s.member(ini, QString::fromLatin1(r.fn), r.args).toString();
        if (QByteArray(r.fn) == "FileName")
            EXPECT_EQ(got, file);
        else
            EXPECT_EQ(got.toStdString(), r.expected) << r.fn;
    }
    s.member(ini, QStringLiteral("WriteInteger"), {"'Main'", "'Count'", "13"});
    s.member(ini, QStringLiteral("WriteBool"), {"'New'", "'On'", "true"});
    s.member(ini, QStringLiteral("DeleteKey"), {"'Main'", "'Bad'"});
    s.member(ini, QStringLiteral("EraseSection"), {"'Other'"});
    const Variant list = s.create(QStringLiteral("TStringList"));
    s.member(ini, QStringLiteral("ReadSections"), {Arg(list)});
    EXPECT_EQ(s.member(list, QStringLiteral("CommaText")).toString(), QStringLiteral("Main,New"));
    s.member(ini, QStringLiteral("ReadSectionValues"), {"'Main'", Arg(list)});
    EXPECT_EQ(s.member(list, QStringLiteral("CommaText")).toString(),
              QStringLiteral("Count=13,Ratio=1.5,Flag=0"));
    s.member(ini, QStringLiteral("ReadSection"), {"'Main'", Arg(list)});
    EXPECT_EQ(s.member(list, QStringLiteral("CommaText")).toString(),
              QStringLiteral("Count,Ratio,Flag"));

    // In memory until freed; then the file keeps its comment and order.
    QFile before(file);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    EXPECT_TRUE(before.readAll().contains("Count=12"));
    before.close();
    s.member(ini, QStringLiteral("Free"));
    QFile after(file);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    const QByteArray written = after.readAll();
    EXPECT_TRUE(written.startsWith("; settings\n")) << written.constData();
    EXPECT_TRUE(written.contains("[Main]\nCount=13\nRatio=1.5\nFlag=0\n")) << written.constData();
    EXPECT_TRUE(written.endsWith("[New]\nOn=1\n")) << written.constData();
}

TEST(Classes, IniStreamsAndBinaryValues)
{
    LibraryScript s;
    const Variant ini = s.create(QStringLiteral("TMemIniFile"), {"''"});
    const Variant data = s.create(QStringLiteral("TMemoryStream"));
    s.member(data, QStringLiteral("Write"),
             {Arg(Variant::fromString8(QString::fromLatin1("\x01\xff"
                                                           "A",
                                                           3))),
              "3"});
    s.set(data, QStringLiteral("Position"), Variant(0));
    s.member(ini, QStringLiteral("WriteBinaryStream"), {"'B'", "'Blob'", Arg(data)});
    EXPECT_EQ(s.member(ini, QStringLiteral("ReadString"), {"'B'", "'Blob'", "''"}).toString(),
              QStringLiteral("01FF41"));
    const Variant out = s.create(QStringLiteral("TMemoryStream"));
    EXPECT_EQ(
        s.member(ini, QStringLiteral("ReadBinaryStream"), {"'B'", "'Blob'", Arg(out)}).toInt64(),
        3);
    s.member(ini, QStringLiteral("WriteString"), {"'B'", "'Odd'", "'0G'"});
    EXPECT_FALSE(errorOf([&] {
                     s.member(ini, QStringLiteral("ReadBinaryStream"), {"'B'", "'Odd'", Arg(out)});
                 }).isEmpty());

    const Variant saved = s.create(QStringLiteral("TMemoryStream"));
    s.member(ini, QStringLiteral("SaveIniFileToStream"), {Arg(saved)});
    s.set(saved, QStringLiteral("Position"), Variant(0));
    const Variant other = s.create(QStringLiteral("TIniFile"), {"''"});
    s.member(other, QStringLiteral("LoadIniFileFromStream"), {Arg(saved)});
    EXPECT_EQ(s.member(other, QStringLiteral("ReadString"), {"'B'", "'Odd'", "''"}).toString(),
              QStringLiteral("0G"));
    // TIniFile has no Clear of its own.
    EXPECT_EQ(findClassVariable(s.script, QStringLiteral("TIniFile"))
                  ->findMember(QStringLiteral("Clear")),
              nullptr);
    const Variant lines = s.create(QStringLiteral("TStringList"));
    s.member(ini, QStringLiteral("GetStrings"), {Arg(lines)});
    EXPECT_EQ(s.member(lines, QStringLiteral("Strings"), {"0"}).toString(), QStringLiteral("[B]"));
    s.member(ini, QStringLiteral("Clear"));
    EXPECT_FALSE(s.member(ini, QStringLiteral("SectionExists"), {"'B'"}).toBool());
}

TEST(Classes, XmlItemsAndDocuments)
{
    LibraryScript s;
    const Variant doc = s.create(QStringLiteral("TkxXMLDocument"));
    const Variant root = s.member(doc, QStringLiteral("Root"));
    s.set(root, QStringLiteral("Name"), s8("report"));
    const Variant page = s.member(root, QStringLiteral("Add"));
    s.set(page, QStringLiteral("Name"), s8("page"));
    s.set(page, QStringLiteral("Prop"), s8("A & \"B\""), {"'title'"});
    EXPECT_EQ(s.member(page, QStringLiteral("Prop"), {"'TITLE'"}).toString(),
              QStringLiteral("A & \"B\""));
    const Variant loose = s.create(QStringLiteral("TkxXMLItem"));
    s.set(loose, QStringLiteral("Name"), s8("band"));
    s.member(root, QStringLiteral("InsertItem"), {"0", Arg(loose)});
    EXPECT_EQ(s.member(root, QStringLiteral("Count")).toInt64(), 2);
    EXPECT_EQ(s.member(root, QStringLiteral("Find"), {"'PAGE'"}).toInt64(), 1);
    EXPECT_EQ(s.member(root, QStringLiteral("Items"), {"0"}).toInt64(), loose.toInt64());
    EXPECT_EQ(s.member(loose, QStringLiteral("Parent")).toInt64(), root.toInt64());
    EXPECT_EQ(s.member(page, QStringLiteral("Root")).toInt64(), root.toInt64());
    EXPECT_EQ(errorOf([&] { s.member(page, QStringLiteral("AddItem"), {Arg(root)}); }),
              QStringLiteral("Cannot add an XML item to itself or to one of its descendants"));
    EXPECT_FALSE(errorOf([&] { s.member(root, QStringLiteral("Items"), {"2"}); }).isEmpty());

    const Variant stream = s.create(QStringLiteral("TMemoryStream"));
    s.member(doc, QStringLiteral("SaveToStream"), {Arg(stream)});
    const Variant copy = s.create(QStringLiteral("TkxXMLDocument"));
    s.set(stream, QStringLiteral("Position"), Variant(0));
    s.member(copy, QStringLiteral("LoadFromStream"), {Arg(stream)});
    const Variant copyRoot = s.member(copy, QStringLiteral("Root"));
    EXPECT_EQ(s.member(copyRoot, QStringLiteral("Name")).toString(), QStringLiteral("report"));
    const Variant copyPage = s.member(copyRoot, QStringLiteral("FindItem"), {"'page'"});
    EXPECT_EQ(s.member(copyPage, QStringLiteral("Prop"), {"'title'"}).toString(),
              QStringLiteral("A & \"B\""));

    // Clearing or freeing items turns the handles below them stale.
    s.member(root, QStringLiteral("Clear"));
    EXPECT_EQ(s.member(root, QStringLiteral("Count")).toInt64(), 0);
    EXPECT_FALSE(errorOf([&] { s.member(page, QStringLiteral("Name")); }).isEmpty());
    EXPECT_FALSE(errorOf([&] { s.member(loose, QStringLiteral("Name")); }).isEmpty());
    s.member(copyPage, QStringLiteral("Free"));   // leaves the band
    EXPECT_EQ(s.member(copyRoot, QStringLiteral("Count")).toInt64(), 1);
    EXPECT_EQ(s.member(copyRoot, QStringLiteral("Find"), {"'page'"}).toInt64(), -1);
    EXPECT_FALSE(errorOf([&] { s.member(copyRoot, QStringLiteral("Free")); }).isEmpty());
    s.member(copy, QStringLiteral("Free"));
    EXPECT_FALSE(errorOf([&] { s.member(copyRoot, QStringLiteral("Name")); }).isEmpty());

    const Variant bad = s.create(QStringLiteral("TMemoryStream"));
    s.member(bad, QStringLiteral("Write"), {"'<a><b'", "5"});
    s.set(bad, QStringLiteral("Position"), Variant(0));
    EXPECT_FALSE(
        errorOf([&] { s.member(doc, QStringLiteral("LoadFromStream"), {Arg(bad)}); }).isEmpty());
}

}   // namespace
