#include "platform/KeyedTexts.h"

#include <gtest/gtest.h>

#include <QtCore/QThread>

namespace pgx {
namespace {

constexpr KeyedText kRows[] = {
    {"prOne", "First"},
    {"5001", "Enter the password:"},
    {"prBang", "!Shown without the mark"},
    {"prEmpty", ""},
    {"prPolish", "Zamknij okno \xc5\x82\xc4\x85"},
};

struct LookUp
{
    const char *key;
    QString expected;
};

void expectTexts(const KeyedTexts &texts, std::initializer_list<LookUp> cases)
{
    for (const LookUp &c : cases)
        EXPECT_EQ(texts.text(QString::fromLatin1(c.key)), c.expected) << c.key;
}

TEST(KeyedTexts, OwnTextsByKeyWithTheirRules)
{
    const KeyedTexts texts(kRows);
    expectTexts(
        texts,
        {
            {"prOne", QStringLiteral("First")},
            {"PRONE", QStringLiteral("First")},                // keys ignore case
            {"5001", QStringLiteral("Enter the password:")},   // numbered texts by their number
            {"prBang", QStringLiteral("Shown without the mark")},
            {"prEmpty", QString()},   // a known key with an empty text
            {"prPolish", QString::fromUtf8("Zamknij okno \xc5\x82\xc4\x85")},
            {"noSuchKey", QStringLiteral("noSuchKey")},   // an unknown key returns itself
            {"", QString()},
        });
}

TEST(KeyedTexts, AddReplacesAndClearForgetsTheBuiltInsToo)
{
    KeyedTexts texts(kRows);
    texts.add(QStringLiteral("prone"), QStringLiteral("Replaced"));
    texts.add(QStringLiteral("prNew"), QStringLiteral("!!Two marks"));
    constexpr KeyedText kMore[] = {{"prMore", "More"}, {"PROne", "Again"}};
    texts.add(kMore);
    expectTexts(texts,
                {
                    {"prOne", QStringLiteral("Again")},
                    {"prNew", QStringLiteral("!Two marks")},   // only the first mark goes
                    {"prMore", QStringLiteral("More")},
                });
    texts.clear();
    expectTexts(texts, {{"prOne", QStringLiteral("prOne")}, {"5001", QStringLiteral("5001")}});
}

// The hook is a translation: it wins where it knows the key, and an
// empty answer or the key itself (its own "unknown") leave the table's text.
TEST(KeyedTexts, TheTranslationHookWinsWhereItKnowsTheKey)
{
    KeyedTexts texts(kRows);
    KeyedTexts polish;
    polish.add(QStringLiteral("prOne"), QStringLiteral("Pierwszy"));
    polish.add(QStringLiteral("prEmptied"), QString());
    texts.setTranslationHook([&polish](const QString &key) { return polish.text(key); });
    expectTexts(texts,
                {
                    {"PRONE", QStringLiteral("Pierwszy")},
                    {"5001", QStringLiteral("Enter the password:")},
                    {"prBang", QStringLiteral("Shown without the mark")},
                    {"prEmptied", QStringLiteral("prEmptied")},
                    {"noSuchKey", QStringLiteral("noSuchKey")},
                });
    // The hook's answer is taken as it stands: its own rules applied.
    texts.setTranslationHook([](const QString &) { return QStringLiteral("!raw"); });
    expectTexts(texts, {{"prOne", QStringLiteral("!raw")}});
    texts.setTranslationHook({});
    expectTexts(texts, {{"prOne", QStringLiteral("First")}});
}

TEST(KeyedTexts, ReadersSeeWholeTextsWhileAnotherThreadChangesThem)
{
    KeyedTexts texts(kRows);
    QThread *writer = QThread::create([&texts] {
        for (int i = 0; i < 2000; ++i) {
            texts.add(QStringLiteral("prOne"),
                      i % 2 ? QStringLiteral("Odd") : QStringLiteral("Even"));
            texts.setTranslationHook(i % 3 ? KeyedTexts::TranslationHook()
                                           : [](const QString &key) { return key; });
        }
    });
    writer->start();
    int seen = 0;
    while (!writer->isFinished() || seen == 0) {
        const QString text = texts.text(QStringLiteral("prOne"));
        ASSERT_TRUE(text == QLatin1String("First") || text == QLatin1String("Odd")
                    || text == QLatin1String("Even"))
            << text.toStdString();
        ++seen;
    }
    writer->wait();
    delete writer;
}

}   // namespace
}   // namespace pgx
