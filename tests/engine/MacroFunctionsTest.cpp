// IIF and the aggregate calls as the report's expressions make them: the
// arguments arrive as text, IIF evaluates one branch, the aggregates hand
// their call to the engine's handler.
#include "engine/expressions/ReportEvaluation.h"

#include "platform/Error.h"
#include "report/bands/TpgxDataBand.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/TpgxReport.h"
#include "report/root/TpgxVariables.h"
#include "report/views/TpgxMemoView.h"
#include "script/registry/Registry.h"

#include "EvaluatingSuite.h"

#include <gtest/gtest.h>

using namespace pgx::engine;

namespace {

class Macros : public test::EvaluatingSuite
{ };

TEST_F(Macros, IifEvaluatesOnlyTheBranchItTakes)
{
    struct Case
    {
        const char *language;
        const char *expression;
        const char *result;
    };
    // StrToInt('x') raises: the branch not taken is never evaluated.
    const Case cases[] = {
        {"PascalScript", "IIF(1 < 2, 'yes', StrToInt('x'))", "yes"},
        {"PascalScript", "IIF(<Flag>, 'on', 'off')", "off"},
        {"C++Script", "IIF(1 > 2, StrToInt(\"x\"), \"no\")", "no"},
        {"BasicScript", "IIF(1 < 2, \"yes\", StrToInt(\"x\"))", "yes"},
        {"JScript", "IIF(2 == 3, StrToInt(\"x\"), \"no\")", "no"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expression);
        TpgxReport report;
        report.setScriptLanguage(QString::fromLatin1(c.language));
        report.variables()->setValue(QStringLiteral("Flag"), false);
        EXPECT_EQ(report.calc(QString::fromUtf8(c.expression)).toString(),
                  QString::fromUtf8(c.result));
        EXPECT_TRUE(report.errors().isEmpty()) << report.errors().join(u'\n').toStdString();
    }
}

// A report whose aggregate calls are written down by the handler.
struct Calls
{
    TpgxReport report;
    TpgxReportPage *page = nullptr;
    TpgxMasterData *master = nullptr;
    QString last;   // NAME|expression|band|flags

    explicit Calls(const QString &language = QStringLiteral("PascalScript"))
    {
        report.setScriptLanguage(language);
        page = new TpgxReportPage(&report);
        master = new TpgxMasterData(page);
        master->setName(QStringLiteral("MasterData1"));
        auto *memo = new TpgxMemoView(master);
        memo->setName(QStringLiteral("Memo1"));
        ReportEvaluation &evaluation = ReportEvaluation::of(report);
        for (TpgxComponent *object :
             {static_cast<TpgxComponent *>(master), static_cast<TpgxComponent *>(memo)})
            pgx::script::declareObject(evaluation.script(), object->name(), object);
        evaluation.setAggregateHandler(
            [this](const QString &name, const QString &expression, TpgxBand *band, int flags) {
                last = QStringList{name, expression, band ? band->name() : QString(),
                                   QString::number(flags)}
                           .join(QLatin1Char('|'));
                return QVariant(42);
            });
    }
};

TEST_F(Macros, AggregatesHandTheirCallToTheEngine)
{
    struct Case
    {
        const char *language;
        const char *expression;
        const char *call;
    };
    const Case cases[] = {
        {"PascalScript", "SUM(<Qty>)", "SUM|<Qty>||0"},
        {"PascalScript", "sum( <Qty> , MasterData1, 1 + 1)", "SUM|<Qty>|MasterData1|2"},
        {"PascalScript", "AVG(<Qty>, 0, 2)", "AVG|<Qty>||2"},
        {"PascalScript", "MIN(<Qty> * 2, 'MasterData1')", "MIN|<Qty> * 2|MasterData1|0"},
        {"PascalScript", "MAX([Qty], masterdata1, 3)", "MAX|[Qty]|MasterData1|3"},
        {"PascalScript", "COUNT()", "COUNT|||0"},
        {"PascalScript", "COUNT(MasterData1, 1)", "COUNT||MasterData1|1"},
        // A report expression written in brackets is Get of its text, and
        // Get takes an aggregate call for an expression.
        {"PascalScript", "[count (MasterData1)]", "COUNT||MasterData1|0"},
        {"C++Script", "SUM(<Qty>, MasterData1, 2)", "SUM|<Qty>|MasterData1|2"},
        {"BasicScript", "AVG(<Qty> * 2)", "AVG|<Qty> * 2||0"},
        {"JScript", "COUNT(MasterData1)", "COUNT||MasterData1|0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expression);
        Calls r(QString::fromLatin1(c.language));
        EXPECT_EQ(r.report.calc(QString::fromUtf8(c.expression)), QVariant(42));
        EXPECT_EQ(r.last, QString::fromUtf8(c.call));
        EXPECT_TRUE(r.report.errors().isEmpty()) << r.report.errors().join(u'\n').toStdString();
    }
}

TEST_F(Macros, BandArgumentsThatAreNoBandsAreErrors)
{
    struct Case
    {
        const char *expression;
        const char *error;
    };
    const Case cases[] = {
        {"SUM(1, Memo1)", "'Memo1' is not a band"},
        {"SUM(1, 'Nowhere')", "Unknown band 'Nowhere'"},
        {"COUNT('Memo' + '1')", "'Memo1' is not a band"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expression);
        Calls r;
        EXPECT_THROW(r.report.calc(QString::fromUtf8(c.expression)), pgx::Error);
        EXPECT_TRUE(r.report.errors().join(u'\n').contains(QString::fromUtf8(c.error)))
            << r.report.errors().join(u'\n').toStdString();
        EXPECT_TRUE(r.last.isEmpty());
    }
}

TEST_F(Macros, AFailingBranchIsReportedOnce)
{
    TpgxReport report;
    ReportEvaluation::of(report).setCurrentObjectName(QStringLiteral("Memo1"));
    const QString expected = QStringLiteral("Memo1: 'x' is not a valid integer value");
    try {
        report.calc(QStringLiteral("IIF(1 < 2, StrToInt('x'), 0)"));
        ADD_FAILURE() << "no error";
    } catch (const pgx::Error &e) {
        EXPECT_EQ(e.message(), expected);
    }
    EXPECT_EQ(report.errors(), QStringList{expected});
}

TEST_F(Macros, WithoutTheEngineAggregatesAreNull)
{
    TpgxReport report;
    EXPECT_TRUE(report.calc(QStringLiteral("SUM(1)")).isNull());
    EXPECT_TRUE(report.calc(QStringLiteral("COUNT()")).isNull());
    // Get still tells other unknown names apart.
    EXPECT_TRUE(report.calc(QStringLiteral("[SUMMARY]")).isNull());
    EXPECT_EQ(report.errors(),
              QStringList{QStringLiteral("Unknown variable or datafield: SUMMARY")});
}

}   // namespace
