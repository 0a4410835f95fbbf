#include "FrontTestUtil.h"

#include "platform/Error.h"
#include "script/front/KxMessages.h"

#include <gtest/gtest.h>

namespace pgx::script {
namespace {

const QString kPascal = QStringLiteral("PascalScript");

TEST(LanguageRegistry, StandardLanguagesInStartUpOrder)
{
    registerStandardLanguages();
    QStringList names{QStringLiteral("stale")};
    languageNames(names);
    ASSERT_GE(names.size(), 4);
    EXPECT_EQ(names.mid(0, 4),
              QStringList({"JScript", "BasicScript", "C++Script", "PascalScript"}));
}

TEST(LanguageRegistry, UnknownLanguageRaisesTheKeyedMessage)
{
    registerStandardLanguages();
    try {
        languageGrammar(QStringLiteral("Foo"));
        FAIL() << "no error raised";
    } catch (const pgx::Error &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Language 'Foo' not found"));
    }
    EXPECT_THROW(languageGrammarDocument(QStringLiteral("Foo")), pgx::Error);
}

TEST(LanguageRegistry, NamesCompareWithoutRegardToCase)
{
    registerStandardLanguages();
    EXPECT_EQ(languageGrammar(QStringLiteral("pascalscript")), languageGrammar(kPascal));
    EXPECT_EQ(languageGrammarDocument(QStringLiteral("JSCRIPT")),
              languageGrammarDocument(QStringLiteral("JScript")));
}

TEST(LanguageRegistry, ReRegisteringKeepsThePlaceAndReplacesTheGrammar)
{
    const QString first = QStringLiteral(
        R"(<?xml version="1.0"?><language text="RegA"><program><ident/></program></language>)");
    const QString second = QStringLiteral(
        R"(<?xml version="1.0"?><language text="RegA"><program><number/></program></language>)");
    registerLanguage(QStringLiteral("RegTestA"), first);
    registerLanguage(QStringLiteral("RegTestB"), first);
    registerLanguage(QStringLiteral("@RegTestHidden"), first);
    auto parsedFirst = languageGrammarDocument(QStringLiteral("RegTestA"));
    registerLanguage(QStringLiteral("regtesta"), second);

    QStringList names;
    languageNames(names);
    EXPECT_LT(names.indexOf(QStringLiteral("RegTestA")), names.indexOf(QStringLiteral("RegTestB")));
    EXPECT_FALSE(names.contains(QStringLiteral("@RegTestHidden")));
    EXPECT_EQ(languageGrammar(QStringLiteral("RegTestA")), second);
    // The parsed grammar follows the new text; the old one stays valid for
    // whoever still holds it.
    auto parsedSecond = languageGrammarDocument(QStringLiteral("RegTestA"));
    EXPECT_NE(parsedFirst, parsedSecond);
    EXPECT_EQ(
        parsedSecond->element(parsedSecond->element(parsedSecond->programRule()).children[0]).op,
        GrammarOp::Number);
    EXPECT_EQ(parsedFirst->element(parsedFirst->element(parsedFirst->programRule()).children[0]).op,
              GrammarOp::Ident);
}

TEST(LanguageRegistry, FilesNameTheirLanguageBySuffix)
{
    const struct
    {
        const char *file;
        const char *language;
    } cases[] = {
        {"report.pas", "PascalScript"},
        {"a/b.cpp", "C++Script"},
        {"x.js", "JScript"},
        {"x.vb", "BasicScript"},
        {"UPPER.VB", "BasicScript"},   // any letter case
        {"archive.vb.pas", "PascalScript"},
        {"notes.txt", "PascalScript"},   // anything else: the default language
        {"no-suffix", "PascalScript"},
        {"folder.js/script", "PascalScript"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(languageForFile(QString::fromLatin1(c.file)), QLatin1StringView(c.language))
            << c.file;
    // Every suffix listed names a registered language of its own.
    registerStandardLanguages();
    QStringList languages;
    for (const QString &suffix : scriptFileSuffixes()) {
        const QString language = languageForFile(QStringLiteral("x.") + suffix);
        EXPECT_NO_THROW(languageGrammar(language)) << suffix.toStdString();
        languages << language;
    }
    languages.removeDuplicates();
    EXPECT_EQ(languages.size(), scriptFileSuffixes().size());
}

TEST(LanguageRegistry, MalformedGrammarIsInvalidFileFormat)
{
    registerLanguage(QStringLiteral("@RegBroken"),
                     QStringLiteral("<language><program></language>"));
    try {
        languageGrammarDocument(QStringLiteral("@RegBroken"));
        FAIL() << "no error raised";
    } catch (const pgx::Error &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Invalid file format"));
    }
}

TEST(LanguageRegistry, AdaptPascalGrammarAdaptsOnce)
{
    registerStandardLanguages();
    const QString adapted = languageGrammar(kPascal);
    // Variables need not be declared, in front of the first comment setting.
    EXPECT_LT(adapted.indexOf(QLatin1String("<declarevars text=\"0\"/>")),
              adapted.indexOf(QLatin1String("<commentline1")));
    EXPECT_EQ(adapted.count(QLatin1String("<declarevars")), 1);
    // Sets between backquotes, report expressions between brackets.
    EXPECT_TRUE(adapted.contains(QLatin1String(
        R"(<sequence><char text="`"/><setconstructor err="err2"/><char text="`" err="err8"/></sequence><sequence><char text="["/><frstring/><char text="]" err="err8"/></sequence>)")));
    EXPECT_FALSE(adapted.contains(QLatin1String(R"(<char text="["/><setconstructor)")));
    adaptPascalGrammar();
    EXPECT_EQ(languageGrammar(kPascal), adapted);
}

// Every rule a shipped grammar refers to is defined, and it has a program.
TEST(Grammars, EveryReferenceResolves)
{
    registerStandardLanguages();
    QStringList names;
    languageNames(names);
    for (const QString &language : names.mid(0, 4)) {
        auto grammar = languageGrammarDocument(language);
        EXPECT_GE(grammar->programRule(), 0) << language.toStdString();
        for (int i = 0; i < grammar->elementCount(); ++i) {
            const GrammarElement &e = grammar->element(i);
            if (e.op == GrammarOp::Reference) {
                EXPECT_GE(e.rule, 0) << language.toStdString() << ": " << e.name.toStdString();
            }
        }
    }
}

struct GrammarFacts
{
    const char *language;
    int keywordCount;
    const char *err3;
    const char *err10;
    const char *err17;
    bool declarationsRequired;
    bool caseSensitive;
    QList<QPair<QString, QString>> types;
};

void PrintTo(const GrammarFacts &f, std::ostream *os)
{
    *os << f.language;
}

class GrammarTable : public ::testing::TestWithParam<GrammarFacts>
{ };

TEST_P(GrammarTable, SettingsKeywordsErrorsAndTypes)
{
    const GrammarFacts &f = GetParam();
    registerStandardLanguages();
    auto grammar = languageGrammarDocument(QString::fromLatin1(f.language));
    EXPECT_EQ(grammar->languageName(), QString::fromLatin1(f.language));
    EXPECT_EQ(grammar->keywords().size(), f.keywordCount);
    EXPECT_EQ(grammar->errorText(QStringLiteral("err1")), QStringLiteral("Identifier expected"));
    EXPECT_EQ(grammar->errorText(QStringLiteral("err3")), QString::fromLatin1(f.err3));
    EXPECT_EQ(grammar->errorText(QStringLiteral("err10")), QString::fromLatin1(f.err10));
    EXPECT_EQ(grammar->errorText(QStringLiteral("err17")), QString::fromLatin1(f.err17));
    EXPECT_EQ(grammar->errorText(QStringLiteral("err20")), QStringLiteral("'>' expected"));

    TkxParser p;
    p.loadGrammar(*grammar, false);
    EXPECT_EQ(p.declarationsRequired(), f.declarationsRequired);
    EXPECT_EQ(p.caseSensitive(), f.caseSensitive);

    QList<QPair<QString, QString>> types;
    for (const GrammarTypeAlias &alias : grammar->types())
        types.append({alias.name, alias.attribute(u"type")});
    EXPECT_EQ(types, f.types);
}

INSTANTIATE_TEST_SUITE_P(Shipped, GrammarTable,
                         ::testing::Values(GrammarFacts{"PascalScript",
                                                        40,
                                                        "Statement expected",
                                                        "'BEGIN' expected",
                                                        "'FINALLY' or 'EXCEPT' expected",
                                                        false,
                                                        false,
                                                        {}},
                                           GrammarFacts{"C++Script",
                                                        19,
                                                        "Statement expected",
                                                        "'{' expected",
                                                        "'FINALLY' or 'EXCEPT' expected",
                                                        true,
                                                        true,
                                                        {{"int", "integer"},
                                                         {"long", "integer"},
                                                         {"void", "integer"},
                                                         {"bool", "boolean"},
                                                         {"float", "extended"}}},
                                           GrammarFacts{"BasicScript",
                                                        40,
                                                        "End of line expected",
                                                        "'TO' expected",
                                                        "'FINALLY' or 'CATCH' expected",
                                                        false,
                                                        false,
                                                        {{"decimal", "extended"}}},
                                           GrammarFacts{"JScript",
                                                        22,
                                                        "Statement expected",
                                                        "'{' expected",
                                                        "'FINALLY' or 'EXCEPT' expected",
                                                        false,
                                                        false,
                                                        {}}),
                         [](const ::testing::TestParamInfo<GrammarFacts> &info) {
                             return std::string(
                                 info.param.language[0] == 'C' ? "Cpp" : info.param.language);
                         });

TEST(KxMessages, TheTranslationHookWinsAndBuiltInsStandIn)
{
    EXPECT_EQ(kxMessage(QStringLiteral("SIdUndeclared")),
              QStringLiteral("Undeclared identifier: "));
    EXPECT_EQ(kxMessage(QStringLiteral("SNoSuchKey")), QStringLiteral("SNoSuchKey"));
    // As the report's resources answer: the key itself when they do not know it.
    kxMessages().setTranslationHook([](const QString &key) {
        return key == QLatin1String("SLangNotFound") ? QStringLiteral("Sprache '%s' fehlt") : key;
    });
    EXPECT_EQ(kxMessageWith(QStringLiteral("SLangNotFound"), QStringLiteral("%s")),
              QStringLiteral("Sprache '%s' fehlt"));
    EXPECT_EQ(kxMessage(QStringLiteral("SIdUndeclared")),
              QStringLiteral("Undeclared identifier: "));
    kxMessages().setTranslationHook({});
    EXPECT_EQ(kxMessageWith(QStringLiteral("SLangNotFound"), QStringLiteral("X")),
              QStringLiteral("Language 'X' not found"));
}

}   // namespace
}   // namespace pgx::script
