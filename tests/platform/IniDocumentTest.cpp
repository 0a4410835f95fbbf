#include "platform/IniDocument.h"

#include <gtest/gtest.h>

#include <QtCore/QFile>

namespace pgx {
namespace {

QByteArray readData(const char *name)
{
    QFile file(QStringLiteral(PGX_TEST_DATA "/platform/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every name and value must come back exactly from the text form, including
// those the plain `name=value` form cannot carry.
TEST(IniDocument, NamesAndValuesSurviveTheTextForm)
{
    const QStringList names = {QString(),
                               QStringLiteral("@"),
                               QStringLiteral("a=b"),
                               QStringLiteral("[x"),
                               QStringLiteral(";c"),
                               QStringLiteral("#h"),
                               QStringLiteral(" lead"),
                               QStringLiteral("\"q"),
                               QStringLiteral("Normal"),
                               QStringLiteral("żółw")};
    const QStringList values = {QString(),
                                QStringLiteral("plain"),
                                QStringLiteral("  lead"),
                                QStringLiteral("trail "),
                                QStringLiteral("\"q\""),
                                QStringLiteral("\""),
                                QStringLiteral("a=b"),
                                QStringLiteral("line\nbreak\r"),
                                QStringLiteral("tab\tx"),
                                QStringLiteral("back\\slash"),
                                QStringLiteral("ąęł €"),
                                QStringLiteral("\"/usr/bin/x\" \"%1\""),
                                QStringLiteral(";not comment"),
                                QStringLiteral("[not section]")};
    IniDocument doc;
    for (qsizetype n = 0; n < names.size(); ++n) {
        for (qsizetype v = 0; v < values.size(); ++v)
            doc.setValue(QStringLiteral("S%1").arg(v), names[n], values[v]);
    }
    const IniDocument back = IniDocument::parse(doc.serialize());
    for (qsizetype v = 0; v < values.size(); ++v) {
        const QString section = QStringLiteral("S%1").arg(v);
        EXPECT_EQ(back.valueNames(section), names) << section.toStdString();
        for (const QString &name : names)
            EXPECT_EQ(back.value(section, name), values[v])
                << "name '" << name.toStdString() << "'";
    }
}

// A file edited by hand keeps its comments, order and odd lines when values
// change; lookups ignore case; CR LF and quoted values are read.
TEST(IniDocument, HandWrittenFileKeepsItsShape)
{
    IniDocument doc = IniDocument::parse(readData("handwritten.ini"));
    EXPECT_EQ(doc.sectionNames(),
              (QStringList{QString(), QStringLiteral("Form4.TpgxDesignerForm"),
                           QStringLiteral("Recent")}));
    EXPECT_EQ(doc.value(QString(), QStringLiteral("TOP")), QStringLiteral("level value"));
    EXPECT_EQ(doc.value(QStringLiteral("form4.tpgxdesignerform"), QStringLiteral("scale")),
              QStringLiteral("1,5"));
    EXPECT_EQ(doc.value(QStringLiteral("Form4.TpgxDesignerForm"), QStringLiteral("Quoted")),
              QStringLiteral("  padded  "));
    EXPECT_EQ(doc.value(QStringLiteral("Form4.TpgxDesignerForm"), QString()),
              QStringLiteral("default value"));
    EXPECT_EQ(doc.value(QStringLiteral("Form4.TpgxDesignerForm"), QStringLiteral("Empty")),
              QString(""));
    EXPECT_FALSE(
        doc.value(QStringLiteral("Form4.TpgxDesignerForm"), QStringLiteral("not a value line")));
    EXPECT_FALSE(doc.value(QStringLiteral("Missing"), QStringLiteral("x")));

    doc.setValue(QStringLiteral("Form4.TpgxDesignerForm"), QStringLiteral("ShowGrid"),
                 QStringLiteral("1"));
    doc.setValue(QStringLiteral("recent"), QStringLiteral("FILE1"), QStringLiteral("/x.pgr"));
    doc.setValue(QStringLiteral("New\\Sub"), QString(), QStringLiteral("\"quoted\" \"%1\""));
    EXPECT_TRUE(doc.removeValue(QStringLiteral("form4.tpgxdesignerform"), QStringLiteral("Empty")));
    EXPECT_EQ(doc.serialize(), readData("handwritten.edited.ini"));
}

TEST(IniDocument, ByteOrderMarkAndEightBitText)
{
    const IniDocument bom = IniDocument::parse("\xEF\xBB\xBF[S]\nk=\xC5\xBC\n");
    EXPECT_EQ(bom.value(QStringLiteral("S"), QStringLiteral("k")), QStringLiteral("ż"));
    // Not UTF-8: read byte for byte rather than replaced by U+FFFD.
    const IniDocument latin = IniDocument::parse("[S]\nk=\xB3x\n");
    EXPECT_EQ(latin.value(QStringLiteral("S"), QStringLiteral("k")), QStringLiteral("\u00B3x"));
}

TEST(IniDocument, RemovingSectionsAndDuplicates)
{
    IniDocument doc = IniDocument::parse("[A]\nx=1\n[b]\ny=2\n[a]\nx=3\nz=4\n");
    // The first of duplicate sections answers, as INI readers do.
    EXPECT_EQ(doc.value(QStringLiteral("A"), QStringLiteral("x")), QStringLiteral("1"));
    EXPECT_EQ(doc.sectionNames(), (QStringList{QStringLiteral("A"), QStringLiteral("b")}));
    EXPECT_TRUE(doc.removeSection(QStringLiteral("a")));
    EXPECT_FALSE(doc.hasSection(QStringLiteral("A")));
    EXPECT_FALSE(doc.removeSection(QStringLiteral("A")));
    EXPECT_EQ(doc.serialize(), QByteArray("[b]\ny=2\n"));
}

// Malformed lines are kept as they stand and never misread; whatever was
// read once reads the same after a save.
TEST(IniDocument, MalformedLinesSurviveASave)
{
    const struct
    {
        QByteArray text;
        QStringList names;   // of section "S", in order
    } cases[] = {
        {"[S]\n=no name\n", {}},
        {"[S]\n\"unclosed=1\n", {}},
        {"[S]\n\"a\\\"b\"=1\n", {"a\"b"}},
        {"[S]\n\"a\" junk =1\n", {}},
        {"[S]\n\"a\"  = spaced \n", {"a"}},
        {"[S]\nk=\"\n", {"k"}},
        {"[S]\nk=\"\\\"\n", {"k"}},
        {"[S\nk=1\n", {}},
        {"[S]\n[\n]\nk==\n", {"k"}},
        {QByteArray("[S]\nk=a\0b\n", 11), {"k"}},
        {"[S]\r\r\nk=1\r\n", {"k"}},
    };
    for (const auto &c : cases) {
        const IniDocument first = IniDocument::parse(c.text);
        EXPECT_EQ(first.valueNames(QStringLiteral("S")), c.names) << c.text.toStdString();
        const IniDocument second = IniDocument::parse(first.serialize());
        EXPECT_EQ(second.serialize(), first.serialize()) << c.text.toStdString();
        for (const QString &name : c.names)
            EXPECT_EQ(second.value(QStringLiteral("S"), name),
                      first.value(QStringLiteral("S"), name));
    }
}

}   // namespace
}   // namespace pgx
