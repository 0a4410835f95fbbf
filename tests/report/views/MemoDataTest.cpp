// A text object's data fetch: delimited expressions, formats, HideZeros,
// the highlight, SuppressRepeated and FlowTo. Expressions are answered by
// a table installed as the report's evaluation.
#include "platform/Error.h"
#include "platform/format/FormatSettings.h"
#include "report/views/MemoExpansion.h"
#include "report/views/MemoFormat.h"
#include "report/views/TpgxMemoView.h"
#include "report/views/ViewTestSupport.h"

#include <gtest/gtest.h>

#include <QtCore/QDateTime>
#include <QtCore/QHash>

using namespace pgx::test;
using namespace pgx::views;

namespace {

// Expressions and their values; anything else fails as an unknown name.
class TableCalc
{
public:
    explicit TableCalc(QHash<QString, QVariant> values) : m_values(std::move(values))
    {
        TpgxReport::setCalcHook([this](TpgxReport &report, const QString &e) {
            m_asked << e;
            if (!m_values.contains(e)) {
                report.addError(QStringLiteral("Unknown variable or datafield: ") + e);
                throw pgx::Error(QStringLiteral("Unknown variable or datafield: ") + e);
            }
            return m_values.value(e);
        });
    }
    ~TableCalc() { TpgxReport::setCalcHook({}); }
    QStringList asked() const { return m_asked; }

private:
    QHash<QString, QVariant> m_values;
    QStringList m_asked;
};

TEST(MemoExpansion, ClosingDelimitersNestAndIgnoreQuotes)
{
    struct Case
    {
        const char *text;
        const char *delimiters;
        const char *expanded;   // every expression shown as {expression}
    };
    const Case cases[] = {
        {"Total: [a]", "[,]", "Total: {a}"},
        {"[IIF(<a> > 0, '[x]', 'y')] left", "[,]", "{IIF(<a> > 0, '[x]', 'y')} left"},
        {"[\"]\"] and [b]", "[,]", "{\"]\"} and {b}"},
        {"[\"it's\" x] y", "[,]", "{\"it's\" x} y"},
        {"[it's] x", "[,]", "{it's] x}"},   // an open quote runs to the end
        {"[a[b]c] d", "[,]", "{a[b]c} d"},
        {"no end [a + b", "[,]", "no end {a + b}"},   // the rest is the expression
        {"<x> and <<y>>", "<,>", "{x} and {<y>}"},
        {"|a| |b|", "|,|", "{a} {b}"},
        {"<%a%>b", "<%,%>", "{a}b"},
        {"[a] stays", ",]", "[a] stays"},   // an empty delimiter expands nothing
        {"[a] stays", "[,", "[a] stays"},
        {"no brackets", "[,]", "no brackets"},
        {"[]", "[,]", "{}"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const QString out = expandExpressions(
            QString::fromUtf8(c.text), splitDelimiters(QString::fromUtf8(c.delimiters)),
            [](const QString &e) { return QLatin1Char('{') + e + QLatin1Char('}'); });
        EXPECT_EQ(out, QString::fromUtf8(c.expanded));
    }
    // Inserted text is not scanned again.
    EXPECT_EQ(expandExpressions(QStringLiteral("[a][b]"), {"[", "]"},
                                [](const QString &) { return QStringLiteral("[x]"); }),
              QStringLiteral("[x][x]"));
}

TEST(MemoFormat, ValuesShowAsTheirFormatSays)
{
    using K = DisplayFormat;
    struct Case
    {
        QVariant value;
        DisplayFormat format;
        const char *shown;
    };
    const Case cases[] = {
        {QVariant(), {K::Numeric, "%2.2f", ""}, ""},   // null shows nothing
        {1234.5, {K::Numeric, "%2.2f", ""}, "1234.50"},
        {1234.5, {K::Numeric, "%2.2f", ","}, "1234,50"},
        {1234.5, {K::Numeric, "#,##0.00", ""}, "1,234.50"},
        {7.6, {K::Numeric, "%d", ""}, "8"},
        {QStringLiteral("12.5"), {K::Numeric, "%2.1f", ""}, "12.5"},
        {QStringLiteral("abc"), {K::Numeric, "%2.2f", ""}, "abc"},   // no number: as text
        {1.5, {K::Numeric, "%s %d", ""}, "1.5"},   // two conversions do not fit one value
        {1.5, {K::Numeric, "%n", ""}, "1.50"},
        {true, {K::Boolean, "No,Yes", ""}, "Yes"},
        {false, {K::Boolean, "No,Yes", ""}, "No"},
        {true, {K::Boolean, "Nein", ""}, ""},   // without a comma: nothing for true
        {false, {K::Boolean, "Nein", ""}, "Nein"},
        {QVariant(46000.5), {K::DateTime, "dd.mm.yyyy hh:nn", ""}, "09.12.2025 12:00"},
        {QDateTime(QDate(2026, 12, 10), QTime(8, 30)),
         {K::DateTime, "yyyy-mm-dd hh:nn", ""},
         "2026-12-10 08:30"},
        {42, {K::Text, "", ""}, "42"},
        {true, {K::Text, "", ""}, "True"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.shown);
        EXPECT_EQ(applyFormat(c.value, c.format), QString::fromUtf8(c.shown));
    }
}

TEST(MemoFormat, InlineFormatsTakeKindAndSeparatorFromTheirText)
{
    struct Case
    {
        const char *expression;
        const char *left;
        bool hasFormat;
        DisplayFormat::Kind kind;
        const char *formatStr;
        const char *separator;
    };
    const Case cases[] = {
        {"Price #N%2,2f", "Price", true, DisplayFormat::Numeric, "%2.2f", ","},
        {"Price #n#,##0.00", "Price", true, DisplayFormat::Numeric, "#.##0.00", "."},
        {"<Date> #Ddd.mm.yyyy", "<Date>", true, DisplayFormat::DateTime, "dd.mm.yyyy", ""},
        {"Paid #BNo,Yes", "Paid", true, DisplayFormat::Boolean, "No,Yes", ""},
        {"Name #Xabc", "Name", true, DisplayFormat::Text, "abc", ""},
        {"Copy(a, 1) #N%d", "Copy(a, 1)", true, DisplayFormat::Numeric, "%d", ""},
        {"Format('%d #', [a])", "Format('%d #', [a])", false, DisplayFormat::Text, "", ""},
        {"a#N%d", "a#N%d", false, DisplayFormat::Text, "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expression);
        const InlineFormat f = splitInlineFormat(QString::fromUtf8(c.expression));
        EXPECT_EQ(f.expression, QString::fromUtf8(c.left));
        EXPECT_EQ(f.hasFormat, c.hasFormat);
        if (f.hasFormat) {
            EXPECT_EQ(f.format.kind, c.kind);
            EXPECT_EQ(f.format.formatStr, QString::fromUtf8(c.formatStr));
            EXPECT_EQ(f.format.decimalSeparator, QString::fromUtf8(c.separator));
        }
    }
}

TEST(MemoFetch, ExpandsExpressionsWithFormatsAndHiddenZeros)
{
    ViewReport r;
    auto *memo = place<TpgxMemoView>(r.band, 0, 0, 100, 20);
    struct Case
    {
        const char *text;
        bool hideZeros;
        const char *shown;
    };
    const Case cases[] = {
        {"[Name]: [Price #N%2,2f]", false, "Ann: 1234,50"},
        {"[Zero]|[ZeroText]", true, "|0"},   // a string "0" is no zero
        {"[Zero]", false, "0"},
        {"Page [Page#] of [TotalPages#], [copyname#]", false,
         "Page {Page#} of [TotalPages#], [copyname#]"},   // page macros wait for drawing
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        TableCalc values({{"Price", 1234.5},
                          {"Zero", 0},
                          {"ZeroText", QStringLiteral("0")},
                          {"Name", QStringLiteral("Ann")},
                          {"Page#", QStringLiteral("{Page#}")}});
        memo->setText(QString::fromUtf8(c.text));
        memo->setHideZeros(c.hideZeros);
        memo->fetchData();
        EXPECT_EQ(memo->memo(), QStringList{QString::fromUtf8(c.shown)});
    }
    // The system decimal separator does not change an inline one.
    pgx::format::FormatSettings comma = pgx::format::FormatSettings::current();
    comma.decimalSeparator = QLatin1Char(',');
    pgx::format::ScopedFormatSettings scope(comma);
    TableCalc values({{"Price", 1234.5}});
    memo->setText(QStringLiteral("[Price #N%2,2f] [Price #N%2.2f]"));
    memo->fetchData();
    EXPECT_EQ(memo->memo(), QStringList{QStringLiteral("1234,50 1234.50")});
}

TEST(MemoFetch, AFailingExpressionRaisesAndIsInTheErrors)
{
    ViewReport r;
    TableCalc calc({});
    auto *memo = place<TpgxMemoView>(r.band, 0, 0, 100, 20);
    memo->setText(QStringLiteral("[Nope]"));
    EXPECT_THROW(memo->fetchData(), pgx::Error);
    EXPECT_TRUE(r.report.errors().contains(QStringLiteral("Unknown variable or datafield: Nope")));
    memo->setAllowExpressions(false);
    EXPECT_NO_THROW(memo->fetchData());
    EXPECT_EQ(memo->memo(), QStringList{QStringLiteral("[Nope]")});
}

TEST(MemoFetch, HighlightSuppressRepeatedAndFlowTo)
{
    ensureGuiApplication();
    ViewReport r;
    TableCalc calc({{"Value < 0", true}, {"Value > 0", false}});
    auto *memo = place<TpgxMemoView>(r.band, 0, 0, 100, 20);
    memo->highlight()->setCondition(QStringLiteral("Value < 0"));
    memo->fetchData();
    EXPECT_TRUE(memo->highlight()->active());
    memo->highlight()->setCondition(QStringLiteral("Value > 0"));
    memo->fetchData();
    EXPECT_FALSE(memo->highlight()->active());
    memo->highlight()->setCondition(QString());

    // The same text twice: shown once; after a reset (a new page) again.
    memo->setSuppressRepeated(true);
    for (const char *expected : {"Ann", "", "Ann"}) {
        SCOPED_TRACE(expected);
        memo->setText(QStringLiteral("Ann"));
        if (*expected && memo->lastShownValue() == QLatin1String("Ann\r\n"))
            memo->resetLastShownValue();
        memo->fetchData();
        EXPECT_EQ(memo->memo().join(u'|'), QString::fromUtf8(expected));
    }
    memo->setSuppressRepeated(false);

    // What does not fit flows on, as plain text.
    auto *next = place<TpgxMemoView>(r.band, 0, 40, 100, 100);
    next->setText(QStringLiteral("[not expanded]"));
    memo->setFlowTo(next);
    memo->setText(QStringLiteral("The quick brown fox jumps over the lazy dog"));
    memo->fetchData();
    EXPECT_EQ(memo->memo(), QStringList{QStringLiteral("The quick")});
    EXPECT_EQ(next->memo(), QStringList{QStringLiteral("brown fox jumps over the lazy dog")});
    EXPECT_FALSE(next->allowExpressions());
}

}   // namespace
