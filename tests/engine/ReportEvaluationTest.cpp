// Report expressions: the expression cache in every language, the name
// resolution (fields, variables, system and global variables), and text
// objects fetching their data through the installed evaluation.
#include "engine/expressions/ReportEvaluation.h"
#include "engine/expressions/ExpressionCache.h"

#include "platform/Error.h"
#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/data/TpgxDataSet.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxMemoView.h"
#include "script/runtime/Script.h"

#include "EvaluatingSuite.h"

#include <gtest/gtest.h>

using namespace pgx::engine;

namespace {

class Evaluation : public test::EvaluatingSuite
{ };

TEST_F(Evaluation, EveryLanguageCompilesOneFunctionPerExpression)
{
    struct Case
    {
        const char *language;
        const char *expression;
        const char *sameAs;   // another spelling: shares the entry or not
        bool shared;
    };
    const Case cases[] = {
        {"PascalScript", "Length('abc') + 1", "LENGTH('abc') + 1", true},
        {"PascalScript", "'abc'", "'ABC'", false},   // literals keep their case
        {"BasicScript", "UpperCase(\"abc\") + \"d\"", "UPPERCASE(\"abc\") + \"d\"", true},
        {"C++Script", "3 + 1", "3 + 1", true},
        {"JScript", "3 + 1", "3  + 1", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.language);
        pgx::script::TkxScript caller;
        caller.setSyntaxType(QString::fromLatin1(c.language));
        ExpressionCache cache(QString::fromLatin1(c.language),
                              QStringLiteral("Error in expression"));
        const ExpressionCache::Result first = cache.calc(QString::fromLatin1(c.expression), caller);
        ASSERT_TRUE(first.error.isEmpty()) << first.error.toStdString();
        const ExpressionCache::Result second = cache.calc(QString::fromLatin1(c.sameAs), caller);
        EXPECT_TRUE(second.error.isEmpty());
        EXPECT_EQ(cache.count(), c.shared ? 1 : 2);
    }
    pgx::script::TkxScript caller;
    ExpressionCache cache(QStringLiteral("PascalScript"), QStringLiteral("Error in expression"));
    EXPECT_EQ(cache.calc(QStringLiteral("2 * 21"), caller).value.toInt64(), 42);
    const ExpressionCache::Result bad = cache.calc(QStringLiteral("1 +"), caller);
    EXPECT_TRUE(bad.error.startsWith(QStringLiteral("Error in expression '1 +': ")))
        << bad.error.toStdString();
    EXPECT_FALSE(cache.calc(QStringLiteral("1 div 0"), caller).error.isEmpty());
}

struct EvaluatedReport
{
    TpgxReport report;
    TpgxUserDataSet *customers = nullptr;
    TpgxBand *band = nullptr;

    EvaluatedReport()
    {
        customers = new TpgxUserDataSet(&report);
        customers->setUserName(QStringLiteral("Customers"));
        customers->setFields({QStringLiteral("Name"), QStringLiteral("Debt")});
        customers->setOnGetValue([](const QString &field, QVariant &value) {
            if (field == QLatin1String("Name"))
                value = QStringLiteral("Ann");
        });
        report.dataSets()->add(customers);
        auto *page = new TpgxReportPage(&report);
        band = new TpgxMasterData(page);
    }
};

TEST_F(Evaluation, NamesResolveBeforeExpressions)
{
    EvaluatedReport r;
    TpgxVariables *vars = r.report.variables();
    vars->setValue(QStringLiteral("Total"), QStringLiteral("1 + 2"));
    vars->setValue(QStringLiteral("Twice"), QStringLiteral("<Total> * 2"));
    vars->setValue(QStringLiteral("Lines"), QStringLiteral("a\r\nb"));
    vars->setValue(QStringLiteral("Number"), 7);
    vars->setValue(QStringLiteral("Ping"), QStringLiteral("Pong"));
    vars->setValue(QStringLiteral("Pong"), QStringLiteral("Ping"));
    pgxGlobalVariables().setValue(QStringLiteral("Shop"), QStringLiteral("Corner"));

    EXPECT_EQ(r.report.calc(QStringLiteral("Customers.\"Name\"")).toString(),
              QStringLiteral("Ann"));
    EXPECT_EQ(r.report.calc(QStringLiteral("Customers.\"Debt\"")).toInt(), 0);   // ConvertNulls
    EXPECT_EQ(r.report.calc(QStringLiteral("Total")).toInt(), 3);
    EXPECT_EQ(r.report.calc(QStringLiteral("Twice")).toInt(), 6);   // variables refer to variables
    EXPECT_EQ(r.report.calc(QStringLiteral("Lines")).toString(), QStringLiteral("a\r\nb"));
    EXPECT_EQ(r.report.calc(QStringLiteral("Number")).toInt(), 7);
    EXPECT_EQ(r.report.calc(QStringLiteral("Shop")).toString(), QStringLiteral("Corner"));
    EXPECT_EQ(r.report.calc(QStringLiteral("<Customers.\"Name\"> + '!'")).toString(),
              QStringLiteral("Ann!"));
    EXPECT_EQ(r.report.calc(QStringLiteral("[Total] + 1")).toInt(), 4);

    // Variables that refer to each other end with an error, not a hang.
    EXPECT_THROW(r.report.calc(QStringLiteral("Ping")), pgx::Error);
    EXPECT_TRUE(r.report.errors().join(u'|').contains(QStringLiteral("refers to itself")));

    r.report.clearErrors();
    EXPECT_THROW(r.report.calc(QStringLiteral("1 +")), pgx::Error);
    EXPECT_TRUE(r.report.errors().value(0).startsWith(QStringLiteral("Error in expression '1 +'")));
    r.report.clearErrors();
    EXPECT_TRUE(r.report.calc(QStringLiteral("<Nowhere>")).isNull());
    EXPECT_EQ(r.report.errors(),
              QStringList{QStringLiteral("Unknown variable or datafield: Nowhere")});
    pgxGlobalVariables().clear();
}

TEST_F(Evaluation, TextObjectsFetchThroughTheReport)
{
    EvaluatedReport r;
    r.report.variables()->setValue(QStringLiteral("Price"), 1234.5);
    auto *memo = new TpgxMemoView(r.band);
    memo->setText(
        QStringLiteral("[<Customers.\"Name\">] owes [Price #N%2,2f], [Copy('abc', 2, 1)]"));
    memo->fetchData();
    EXPECT_EQ(memo->memo(), QStringList{QStringLiteral("Ann owes 1234,50, b")});
    // The value just fetched is the script's Value for the highlight.
    memo->setText(QStringLiteral("[Price]"));
    memo->highlight()->setCondition(QStringLiteral("Value > 1000"));
    memo->fetchData();
    EXPECT_TRUE(memo->highlight()->active());
    memo->setText(QStringLiteral("[Price - 1000]"));
    memo->fetchData();
    EXPECT_FALSE(memo->highlight()->active());
    memo->highlight()->setCondition(QString());
    memo->setDataSet(r.customers);
    memo->setDataField(QStringLiteral("Name"));
    memo->fetchData();
    EXPECT_EQ(memo->memo(), QStringList{QStringLiteral("Ann")});
}

}   // namespace
