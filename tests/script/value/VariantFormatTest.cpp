#include "script/value/VariantFormat.h"
#include "script/value/ScriptError.h"

#include <gtest/gtest.h>

using namespace pgx::script;

namespace {

TEST(VariantFormat, ArgumentsArePassedByKind)
{
    const struct
    {
        const char *format;
        Variant args;
        const char *out;
    } rows[] = {
        {"%d-%s", Variant::arrayOf({Variant(7), Variant(QStringLiteral("x"))}), "7-x"},
        {"%d", Variant::arrayOf({Variant(qint64(9000000000LL))}), "9000000000"},
        {"%.1f %.1f", Variant::arrayOf({Variant::fromDate(1.25), Variant::fromCurrency(2.5)}),
         "1.2 2.5"},
        {"%d %d", Variant::arrayOf({Variant::null(), Variant()}),
         "0 0"},   // Null and Empty count as 0
        {"%s", Variant::fromString8(QStringLiteral("single")), "single"},
        {"%2:s%1:s%0:s", Variant::arrayOf({Variant("a"), Variant("b"), Variant("c")}), "cba"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(formatVariants(QString::fromUtf8(r.format), r.args), QString::fromUtf8(r.out))
            << r.format;
    const QString long300(300, QLatin1Char('y'));
    EXPECT_EQ(formatVariants(QStringLiteral("%s"), Variant::arrayOf({Variant(long300)})).size(),
              300);
}

TEST(VariantFormat, MismatchesRaiseScriptErrors)
{
    try {
        formatVariants(QStringLiteral("%d"), Variant::arrayOf({Variant(1.5)}));
        FAIL() << "no error";
    } catch (const ScriptError &e) {
        EXPECT_EQ(e.className(), QStringLiteral("EConvertError"));
        EXPECT_EQ(e.message(), QStringLiteral("Format '%d' invalid or incompatible with argument"));
    }
    EXPECT_THROW(formatVariants(QStringLiteral("%s %s"), Variant::arrayOf({Variant("a")})),
                 ScriptError);
    EXPECT_THROW(formatVariants(QStringLiteral("%s"), Variant::arrayOf({Variant(true)})),
                 ScriptError);
}

}   // namespace
