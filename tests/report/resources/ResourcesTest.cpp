// The report's keyed texts and language files.

#include "platform/Error.h"
#include "platform/printing/PrinterTexts.h"
#include "report/resources/TpgxResources.h"

#include <gtest/gtest.h>

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

namespace {

TEST(Resources, TextsByNameWithTheirRules)
{
    TpgxResources r;
    EXPECT_EQ(r.get(QStringLiteral("clErrors")),
              QStringLiteral("The following error(s) have occured:"));
    EXPECT_EQ(r.get(QStringLiteral("5001")), QStringLiteral("Enter the password:"));
    EXPECT_EQ(r.get(QStringLiteral("noSuchKey")), QStringLiteral("noSuchKey"));
    r.addLines(QStringLiteral("a=1\r\nb==2\nc=\n=d\rnone\r\nBang=!x=y\r\nA=one"));
    const struct
    {
        const char *key;
        const char *text;
    } cases[] = {
        {"a", "one"}, {"b", "=2"}, {"c", "c"}, {"none", "none"}, {"bang", "x=y"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(r.get(QString::fromLatin1(c.key)), QString::fromLatin1(c.text)) << c.key;
    // The page and band captions are the report layer's texts from the start.
    EXPECT_EQ(r.get(QStringLiteral("OBMASTERDATA")), QStringLiteral("Master data"));
}

TEST(Resources, LanguageFileReplacesAllTexts)
{
    TpgxResources r;
    QBuffer file;
    // The last line is Windows-1250 ("Zamknij okno" with a Polish letter).
    file.setData("prDupl=Zduplikowana nazwa\r\nSLangNotFound=Brak j\xc4\x99zyka '%s'\nnot a "
                 "line\r\nzz=\xb3\xb9"
                 "cz\r\n");
    file.open(QIODevice::ReadOnly);
    r.loadFromStream(&file);
    EXPECT_EQ(r.get(QStringLiteral("prDupl")), QStringLiteral("Zduplikowana nazwa"));
    EXPECT_EQ(r.get(QStringLiteral("clErrors")), QStringLiteral("clErrors"));   // cleared
    EXPECT_EQ(r.get(QStringLiteral("prDefault")),
              QStringLiteral("prDefault"));   // the printer texts too
    EXPECT_EQ(r.get(QStringLiteral("zz")),
              QString::fromUtf8("\xc5\x82\xc4\x85"
                                "cz"));
    // The script engine's messages stay in the table, for the engine's override to read.
    EXPECT_EQ(r.get(QStringLiteral("SLangNotFound")), QString::fromUtf8("Brak j\xc4\x99zyka '%s'"));

    // A missing file changes nothing; a folder is an error.
    r.loadFromFile(QStringLiteral("/no/such/file.pgc"));
    EXPECT_EQ(r.get(QStringLiteral("prDupl")), QStringLiteral("Zduplikowana nazwa"));
    QTemporaryDir dir;
    EXPECT_THROW(r.loadFromFile(dir.path()), pgx::Error);
}

// The process-wide resources are the printer layer's translation: what they
// say for a printer key, printers show.
TEST(Resources, ThePrinterTextsAreTranslatedByTheResources)
{
    TpgxResources &r = pgxResources();
    EXPECT_EQ(r.get(QStringLiteral("prVirtual")), QStringLiteral("Virtual"));
    r.add(QStringLiteral("prCustom"), QStringLiteral("Benutzerdefiniert"));
    EXPECT_EQ(pgx::printerText(pgx::PrinterText::prCustom), QStringLiteral("Benutzerdefiniert"));
    EXPECT_EQ(pgx::printerText(pgx::PrinterText::prDefault), QStringLiteral("Default"));
    r.add(QStringLiteral("prCustom"), QStringLiteral("Custom"));
}

TEST(Resources, LanguagesAreTheLanguageFilesOfTheFolder)
{
    QTemporaryDir dir;
    for (const char *name : {"polish.pgc", "ENGLISH.pgc", "deutsch.PGC.bak", "readme.txt"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(TpgxResources::availableLanguages(dir.path()),
              (QStringList{QStringLiteral("English"), QStringLiteral("Polish")}));
}

}   // namespace
