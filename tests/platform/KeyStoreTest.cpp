#include "platform/KeyStore.h"
#include "platform/XdgSandbox.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QLocale>

#include <clocale>

namespace pgx {
namespace {

using test::XdgSandbox;

TEST(KeyStore, SettingsNamesMapToFiles)
{
    XdgSandbox xdg;
    const QString registry = xdg.path("config-home/Velmora/");
    struct Case
    {
        QString name;
        QString file;
    } cases[] = {
        {QStringLiteral("\\Software\\Velmora"), registry + "Velmora.ini"},
        // Deeper keys share their hive's file; the prefix ignores case.
        {QStringLiteral("\\SOFTWARE\\Velmora\\Resources"), registry + "Velmora.ini"},
        {QStringLiteral("\\Software\\\\Velmora\\"), registry + "Velmora.ini"},
        {QStringLiteral("\\Software\\Other Vendor\\X\\Y"), registry + "Other Vendor.ini"},
        // A key name never reaches outside the folder nor hides its file.
        {QStringLiteral("\\Software\\a/b"), registry + "a%2Fb.ini"},
        {QStringLiteral("\\Software\\..\\x"), registry + "%2E..ini"},
        {QStringLiteral("\\Software\\"), QString()},
        {QString(), QString()},
        {xdg.path("elsewhere/my settings.ini"), xdg.path("elsewhere/my settings.ini")},
        {QStringLiteral("relative.ini"), QDir::current().absoluteFilePath("relative.ini")},
        {QStringLiteral("Software\\Velmora"),
         QDir::current().absoluteFilePath("Software\\Velmora")},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(KeyStore::fileNameFor(c.name), c.file) << c.name.toStdString();
        EXPECT_EQ(KeyStore(c.name).isValid(), !c.file.isEmpty()) << c.name.toStdString();
    }
}

// The store opened on a key sees deeper keys as its sections, and a store
// opened on a deeper key shares the same file.
TEST(KeyStore, SubKeysShareTheirHiveFile)
{
    XdgSandbox xdg;
    {
        KeyStore resources(QStringLiteral("\\Software\\Velmora\\Resources"));
        EXPECT_TRUE(
            resources.writeString(QString(), QStringLiteral("Language"), QStringLiteral("Polski")));
        EXPECT_TRUE(resources.writeInteger(QStringLiteral("Cache"), QStringLiteral("Size"), 12));
        ASSERT_TRUE(resources.save());
    }
    {
        KeyStore root(QStringLiteral("\\Software\\Velmora"));
        EXPECT_TRUE(root.writeString(QString(), QStringLiteral("Top"), QStringLiteral("t")));
        EXPECT_TRUE(root.writeBool(QStringLiteral("Form4.TpgxDesignerForm"),
                                   QStringLiteral("ShowGrid"), true));
    }   // saved on destruction
    EXPECT_EQ(XdgSandbox::readFile(xdg.path("config-home/Velmora/Velmora.ini")),
              QByteArray("Top=t\n\n[Resources]\nLanguage=Polski\n\n[Resources\\Cache]\nSize=12\n\n"
                         "[Form4.TpgxDesignerForm]\nShowGrid=1\n"));

    KeyStore root(QStringLiteral("\\Software\\Velmora"));
    EXPECT_EQ(root.subKeys(),
              (QStringList{QStringLiteral("Resources"), QStringLiteral("Form4.TpgxDesignerForm")}));
    EXPECT_EQ(root.subKeys(QStringLiteral("resources")), QStringList{QStringLiteral("Cache")});
    EXPECT_EQ(root.readString(QStringLiteral("RESOURCES"), QStringLiteral("language")),
              QStringLiteral("Polski"));
    EXPECT_EQ(root.readInteger(QStringLiteral("Resources\\Cache"), QStringLiteral("Size")), 12);

    KeyStore resources(QStringLiteral("\\Software\\Velmora\\Resources"));
    EXPECT_EQ(resources.sections(), (QStringList{QString(), QStringLiteral("Cache")}));
    EXPECT_FALSE(resources.valueExists(QString(), QStringLiteral("Top")));
    EXPECT_FALSE(resources.sectionExists(QStringLiteral("Form4.TpgxDesignerForm")));
}

TEST(KeyStore, TypedValuesRoundTripInAnyLocale)
{
    XdgSandbox xdg;
    // A decimal comma in the user's locale must not reach the file.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    std::setlocale(LC_NUMERIC, "pl_PL.UTF-8");
    const QString file = xdg.path("typed.ini");
    {
        KeyStore store(file);
        store.writeFloat(QStringLiteral("S"), QStringLiteral("Scale"), 1.5);
        store.writeFloat(QStringLiteral("S"), QStringLiteral("Third"), 1.0 / 3.0);
        store.writeFloat(QStringLiteral("S"), QStringLiteral("Big"), -2.5e300);
        store.writeInteger(QStringLiteral("S"), QStringLiteral("Int"), -9007199254740993LL);
        store.writeBool(QStringLiteral("S"), QStringLiteral("Yes"), true);
        store.writeBool(QStringLiteral("S"), QStringLiteral("No"), false);
        store.writeString(QStringLiteral("S"), QStringLiteral("Text"),
                          QStringLiteral(" Proszę \"czekać\"\r"));
        ASSERT_TRUE(store.save());
    }
    KeyStore store(file);
    EXPECT_EQ(store.readString(QStringLiteral("S"), QStringLiteral("Scale")),
              QStringLiteral("1.5"));
    EXPECT_EQ(store.readString(QStringLiteral("S"), QStringLiteral("Third")),
              QStringLiteral("0.333333333333333"));
    EXPECT_DOUBLE_EQ(store.readFloat(QStringLiteral("S"), QStringLiteral("Scale")), 1.5);
    EXPECT_DOUBLE_EQ(store.readFloat(QStringLiteral("S"), QStringLiteral("Big")), -2.5e300);
    EXPECT_EQ(store.readInteger(QStringLiteral("S"), QStringLiteral("Int")), -9007199254740993LL);
    EXPECT_TRUE(store.readBool(QStringLiteral("S"), QStringLiteral("Yes")));
    EXPECT_FALSE(store.readBool(QStringLiteral("S"), QStringLiteral("No"), true));
    EXPECT_EQ(store.readString(QStringLiteral("S"), QStringLiteral("Text")),
              QStringLiteral(" Proszę \"czekać\"\r"));
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(previous);
}

// Values written by other programs or by hand: what each reader accepts,
// and that anything else gives the caller's default.
TEST(KeyStore, ReadersAcceptTheUsualSpellings)
{
    XdgSandbox xdg;
    const QString file = xdg.path("spellings.ini");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(
        "[S]\ncomma=2,25\ndot= 2.25 \nhex=0x1F\ndollar=$ff\nneg=-12\nword=True\nno=no\nzero=0\n"
        "seven=7\njunk=abc\nempty=\n");
    out.close();
    const KeyStore store(file);
    const QString s = QStringLiteral("S");
    struct Case
    {
        const char *name;
        double asFloat;
        qint64 asInteger;
        int asBool;   // -1: the default
    } cases[] = {
        {"comma", 2.25, -99, -1}, {"dot", 2.25, -99, -1},  {"hex", -99, 31, -1},
        {"dollar", -99, 255, -1}, {"neg", -12, -12, 1},    {"word", -99, -99, 1},
        {"no", -99, -99, 0},      {"zero", 0, 0, 0},       {"seven", 7, 7, 1},
        {"junk", -99, -99, -1},   {"empty", -99, -99, -1}, {"missing", -99, -99, -1},
    };
    for (const Case &c : cases) {
        const QString name = QLatin1String(c.name);
        EXPECT_DOUBLE_EQ(store.readFloat(s, name, -99), c.asFloat) << c.name;
        EXPECT_EQ(store.readInteger(s, name, -99), c.asInteger) << c.name;
        if (c.asBool < 0) {
            EXPECT_TRUE(store.readBool(s, name, true)) << c.name;
            EXPECT_FALSE(store.readBool(s, name, false)) << c.name;
        } else {
            EXPECT_EQ(store.readBool(s, name, c.asBool == 0), c.asBool == 1) << c.name;
        }
    }
}

TEST(KeyStore, ListingExistenceAndDeletion)
{
    XdgSandbox xdg;
    KeyStore store(xdg.path("tree.ini"));
    EXPECT_FALSE(store.sectionExists(QString()));
    store.writeString(QStringLiteral("PgrView.pgr\\Shell\\Open\\Command"), QString(),
                      QStringLiteral("cmd"));
    store.writeString(QStringLiteral("PgrView.pgr"), QString(), QStringLiteral("desc"));
    store.writeString(QStringLiteral(".pgr"), QString(), QStringLiteral("PgrView.pgr"));
    EXPECT_TRUE(store.createSection(QStringLiteral("Empty")));

    EXPECT_EQ(store.subKeys(),
              (QStringList{QStringLiteral("PgrView.pgr"), QStringLiteral(".pgr"),
                           QStringLiteral("Empty")}));
    EXPECT_EQ(store.subKeys(QStringLiteral("pgrview.pgr")), QStringList{QStringLiteral("Shell")});
    // A key exists through its sub-keys even without values of its own.
    EXPECT_TRUE(store.sectionExists(QStringLiteral("PgrView.pgr\\Shell")));
    EXPECT_TRUE(store.sectionExists(QStringLiteral("Empty")));
    EXPECT_FALSE(store.sectionExists(QStringLiteral("PgrView")));
    EXPECT_TRUE(store.valueExists(QStringLiteral("PGRVIEW.PGR"), QString()));
    EXPECT_FALSE(store.valueExists(QStringLiteral("PgrView.pgr"), QStringLiteral("@")));
    EXPECT_EQ(store.valueNames(QStringLiteral(".pgr")), QStringList{QString()});

    EXPECT_TRUE(store.deleteValue(QStringLiteral(".pgr"), QString()));
    EXPECT_FALSE(store.deleteValue(QStringLiteral(".pgr"), QString()));
    EXPECT_TRUE(store.deleteSection(QStringLiteral("pgrview.pgr")));   // with its sub-keys
    EXPECT_EQ(store.sections(), (QStringList{QStringLiteral(".pgr"), QStringLiteral("Empty")}));
    EXPECT_FALSE(
        store.writeString(QStringLiteral("Bad\nName"), QStringLiteral("x"), QStringLiteral("y")));
}

// Saving replaces the file through a temporary one; a path that exists but
// is no readable settings file is never written over.
TEST(KeyStore, SavingReplacesWholeAndNeverClobbersUnreadableFiles)
{
    XdgSandbox xdg;
    const QString file = xdg.path("saved/settings.ini");
    {
        KeyStore store(file);
        store.writeString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("one"));
        ASSERT_TRUE(store.save());
        EXPECT_FALSE(store.isModified());
        store.writeString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("two"));
        ASSERT_TRUE(store.save());
    }
    EXPECT_EQ(XdgSandbox::readFile(file), QByteArray("[A]\nk=two\n"));
    EXPECT_EQ(QDir(xdg.path("saved")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"settings.ini"});

    QDir().mkpath(xdg.path("a-folder"));
    KeyStore folder(xdg.path("a-folder"));
    EXPECT_FALSE(folder.isValid());
    EXPECT_FALSE(folder.errorString().isEmpty());
    EXPECT_EQ(folder.readString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("dflt")),
              "dflt");
    EXPECT_FALSE(folder.writeString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("v")));
    EXPECT_FALSE(folder.save());
    EXPECT_TRUE(QFileInfo(xdg.path("a-folder")).isDir());

    // A folder that cannot be made: the save fails and says why.
    KeyStore blocked(xdg.blockedPath("file") + "/below/settings.ini");
    EXPECT_TRUE(blocked.writeString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("v")));
    EXPECT_FALSE(blocked.save());
    EXPECT_FALSE(blocked.errorString().isEmpty());
}

}   // namespace
}   // namespace pgx
