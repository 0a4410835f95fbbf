// Finding the aggregate calls of a report expression before the run.
#include "engine/aggregates/AggregateCalls.h"

#include <QtCore/QHash>

#include <gtest/gtest.h>

using namespace pgx::engine;

namespace {

class Names : public AggregateScanNames
{
public:
    QHash<QString, QString> variables;   // upper-cased name -> text

    std::optional<QString> variableText(const QString &name) const override
    {
        const auto it = variables.constFind(name.toUpper());
        if (it == variables.constEnd())
            return std::nullopt;
        return *it;
    }
    bool isFieldReference(const QString &name) const override
    {
        return name.startsWith(QLatin1String("Rows.\""));
    }
};

// "NAME[arg|arg|arg]" per call, the args as written.
QString describe(const QList<AggregateCall> &calls)
{
    QStringList out;
    for (const AggregateCall &c : calls)
        out << c.name + QLatin1Char('[') + c.args.join(QLatin1Char('|')) + QLatin1Char(']');
    return out.join(QLatin1Char(' '));
}

TEST(AggregateCalls, FoundLeftToRightWithTheirArguments)
{
    struct Case
    {
        const char *expression;
        const char *calls;
    };
    const Case cases[] = {
        {"SUM(<Qty>)", "SUM[<Qty>]"},
        {"sum( <Qty> , MasterData1, 2)", "SUM[ <Qty> | MasterData1| 2]"},
        {"COUNT()", "COUNT[]"},
        {"Count(MasterData1, 1) + 2", "COUNT[MasterData1| 1]"},
        // Only the first three arguments are an aggregate's.
        {"SUM(1, 2, 3, 4)", "SUM[1| 2| 3]"},
        // Commas inside strings, parentheses and brackets do not split.
        {"SUM(Format('%d,%d', [1, 2]), Band1)", "SUM[Format('%d,%d', [1, 2])| Band1]"},
        {"AVG(IIF(<a> > 0, <a>, 0))", "AVG[IIF(<a> > 0, <a>, 0)]"},
        {"IIF(<a> > 0, MAX(<b>), MIN(<c>))", "MAX[<b>] MIN[<c>]"},
        {"(((COUNT(MasterData1))))", "COUNT[MasterData1]"},
        {"<(SUM(1))>", "SUM[1]"},
        // A "<" that is an operator does not swallow what follows.
        {"x < y and SUM(<c>) > 0", "SUM[<c>]"},
        {"12.5e3 + MIN(2)", "MIN[2]"},
        // Not calls: in strings, not followed by "(", other identifiers.
        {"'SUM(1)' + \"AVG(2)\"", ""},
        {"SUM (1)", ""},
        {"MySum(1) + SUMMARY(2) + Sum_(3)", ""},
        {"<Rows.\"SUM(1)\">", ""},   // a field reference holds no calls
        // An unclosed call runs to the end.
        {"SUM(<a>", "SUM[<a>]"},
    };
    const Names names;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expression);
        EXPECT_EQ(describe(findAggregateCalls(QString::fromUtf8(c.expression), names)),
                  QString::fromUtf8(c.calls));
    }
}

TEST(AggregateCalls, CallTextIsTheWholeCallTrimmed)
{
    const Names names;
    const QList<AggregateCall> calls
        = findAggregateCalls(QStringLiteral("  1 + sum( <a> )  * 2"), names);
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].text, QStringLiteral("sum( <a> )"));
}

TEST(AggregateCalls, VariablesAreScannedInTheirPlace)
{
    Names names;
    names.variables.insert(QStringLiteral("TOTAL"), QStringLiteral("SUM(<x>) * 2"));
    names.variables.insert(QStringLiteral("NET VALUE"), QStringLiteral("AVG(<n>)"));
    names.variables.insert(QStringLiteral("SELF"), QStringLiteral("Self + COUNT()"));
    names.variables.insert(QStringLiteral("PING"), QStringLiteral("Pong + MAX(<p>)"));
    names.variables.insert(QStringLiteral("PONG"), QStringLiteral("<Ping> - MIN(<q>)"));
    names.variables.insert(QStringLiteral("EMPTY"), QString());
    struct Case
    {
        const char *expression;
        const char *calls;
    };
    const Case cases[] = {
        {"Total", "SUM[<x>]"},
        {"<total> + 1", "SUM[<x>]"},
        {"<Net Value>", "AVG[<n>]"},   // a name with a blank, whole in "<>"
        // Variables that refer to themselves are scanned once each.
        {"Self", "COUNT[]"},
        {"Ping", "MIN[<q>] MAX[<p>]"},
        {"Pong + Ping", "MAX[<p>] MIN[<q>] MIN[<q>] MAX[<p>]"},
        {"Empty", ""},
        // A call's arguments are not looked into.
        {"SUM(Total)", "SUM[Total]"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expression);
        EXPECT_EQ(describe(findAggregateCalls(QString::fromUtf8(c.expression), names)),
                  QString::fromUtf8(c.calls));
    }
}

TEST(AggregateCalls, DeepNestingEndsTheScanNotTheProcess)
{
    const Names names;
    const QString deep = QString(100000, QLatin1Char('(')) + QStringLiteral("SUM(1)")
        + QString(100000, QLatin1Char(')'));
    EXPECT_TRUE(findAggregateCalls(deep, names).isEmpty());
    const QString shallow
        = QString(10, QLatin1Char('(')) + QStringLiteral("SUM(1)") + QString(10, QLatin1Char(')'));
    EXPECT_EQ(findAggregateCalls(shallow, names).size(), 1);
}

}   // namespace
