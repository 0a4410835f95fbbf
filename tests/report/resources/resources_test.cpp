// Keyed texts, language files, the image strips and help topics.

#include "platform/Error.h"
#include "report/resources/TpgxResources.h"

#include <gtest/gtest.h>

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <zlib.h>

namespace {

TEST(Resources, TextsByNameWithTheirRules)
{
    TpgxResources r;
    EXPECT_EQ(r.Get(QStringLiteral("clErrors")), QStringLiteral("The following error(s) have occured:"));
    EXPECT_EQ(r.Get(QStringLiteral("5001")), QStringLiteral("Enter the password:"));
    EXPECT_EQ(r.Get(QStringLiteral("noSuchKey")), QStringLiteral("noSuchKey"));
    r.AddLines(QStringLiteral("a=1\r\nb==2\nc=\n=d\rnone\r\nBang=!x=y\r\nA=one"));
    const struct { const char *key; const char *text; } cases[] = {
        {"a", "one"}, {"b", "=2"}, {"c", "c"}, {"none", "none"}, {"bang", "x=y"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(r.Get(QString::fromLatin1(c.key)), QString::fromLatin1(c.text)) << c.key;
}

TEST(Resources, LanguageFileReplacesAllTextsAndFeedsTheScriptMessages)
{
    QHash<QString, QString> received;
    TpgxResources::SetScriptMessageSink([&](const QHash<QString, QString> &m) { received = m; });
    TpgxResources r;
    QBuffer file;
    // The last line is Windows-1250 ("Zamknij okno" with a Polish letter).
    file.setData("prDupl=Zduplikowana nazwa\r\nSLangNotFound=Brak j\xc4\x99zyka '%s'\nnot a line\r\nzz=\xb3\xb9" "cz\r\n");
    file.open(QIODevice::ReadOnly);
    r.LoadFromStream(&file);
    TpgxResources::SetScriptMessageSink({});
    EXPECT_EQ(r.Get(QStringLiteral("prDupl")), QStringLiteral("Zduplikowana nazwa"));
    EXPECT_EQ(r.Get(QStringLiteral("clErrors")), QStringLiteral("clErrors")); // cleared
    EXPECT_EQ(r.Get(QStringLiteral("zz")), QString::fromUtf8("\xc5\x82\xc4\x85" "cz"));
    EXPECT_EQ(received.size(), 1);
    EXPECT_EQ(received.value(QStringLiteral("SLangNotFound")), QString::fromUtf8("Brak j\xc4\x99zyka '%s'"));

    // A missing file changes nothing; a folder is an error.
    r.LoadFromFile(QStringLiteral("/no/such/file.pgc"));
    EXPECT_EQ(r.Get(QStringLiteral("prDupl")), QStringLiteral("Zduplikowana nazwa"));
    QTemporaryDir dir;
    EXPECT_THROW(r.LoadFromFile(dir.path()), pgx::Error);
}

TEST(Resources, LanguagesAreTheLanguageFilesOfTheFolder)
{
    QTemporaryDir dir;
    for (const char *name : {"polish.pgc", "ENGLISH.pgc", "deutsch.PGC.bak", "readme.txt"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(TpgxResources::AvailableLanguages(dir.path()), (QStringList{QStringLiteral("English"), QStringLiteral("Polish")}));
}

TEST(Resources, ImageStripsInflateIntoIconRows)
{
    const TpgxResources &r = pgxResources();
    const struct { const char *name; int size; } strips[] = {
        {"DesgnButtons", 16}, {"ObjectButtons", 16}, {"PreviewButtons", 16}, {"WizardButtons", 32},
    };
    for (const auto &s : strips) {
        SCOPED_TRACE(s.name);
        const QImage strip = r.ImageStrip(QString::fromLatin1(s.name));
        ASSERT_FALSE(strip.isNull());
        EXPECT_EQ(strip.height(), s.size);
        EXPECT_EQ(strip.width() % s.size, 0);
        const QImage icon = r.StripIcon(QString::fromLatin1(s.name), 0);
        EXPECT_EQ(icon.size(), QSize(s.size, s.size));
        EXPECT_TRUE(r.StripIcon(QString::fromLatin1(s.name), strip.width() / s.size).isNull());
        EXPECT_TRUE(r.StripIcon(QString::fromLatin1(s.name), -1).isNull());
    }
    EXPECT_TRUE(r.ImageStrip(QStringLiteral("NoSuchButtons")).isNull());
}

QByteArray pack(const QByteArray &data, quint32 announced)
{
    uLongf length = compressBound(uLong(data.size()));
    QByteArray z(qsizetype(length), Qt::Uninitialized);
    compress(reinterpret_cast<Bytef *>(z.data()), &length, reinterpret_cast<const Bytef *>(data.constData()),
             uLong(data.size()));
    z.resize(qsizetype(length));
    QByteArray packed("PGXS");
    for (int i = 0; i < 4; ++i)
        packed.append(char((announced >> (8 * i)) & 0xFF));
    return packed + z;
}

TEST(Resources, DamagedStripsAreRefused)
{
    const QByteArray data(1000, 'x');
    ASSERT_EQ(TpgxResources::InflateStrip(pack(data, 1000)).value_or(QByteArray()), data);
    QByteArray flipped = pack(data, 1000);
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x55);
    const struct { const char *what; QByteArray packed; } cases[] = {
        {"announced larger", pack(data, 2000)},
        {"announced smaller", pack(data, 999)},
        {"cut short", pack(data, 1000).left(14)},
        {"damaged", flipped},
        {"no magic", "XXXX" + pack(data, 1000).mid(4)},
        {"too large", pack(data, 0xFFFFFFFF)},
        {"empty", QByteArray()},
    };
    for (const auto &c : cases) {
        QString error;
        EXPECT_FALSE(TpgxResources::InflateStrip(c.packed, &error)) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
    }
}

TEST(Resources, HelpTopicsByClassName)
{
    EXPECT_EQ(TpgxResources::HelpTopic(QStringLiteral("tpgxdialogpage")), QStringLiteral("Dialogue_forms.htm"));
    EXPECT_EQ(TpgxResources::HelpTopic(QStringLiteral("TpgxSQLEditorForm")), QStringLiteral("TpgxADOQuery.htm"));
    EXPECT_EQ(TpgxResources::HelpTopic(QStringLiteral("TpgxMemoView")), QString());
    EXPECT_EQ(TpgxResources::HelpLocation(QStringLiteral("TpgxSyntaxMemo"), QStringLiteral("/opt/p/")),
              QStringLiteral("/opt/p/help/Script.htm"));
    EXPECT_EQ(TpgxResources::HelpLocation(QStringLiteral("Other"), QStringLiteral("/opt/p")),
              QStringLiteral("/opt/p/help/index.htm"));
}

} // namespace
