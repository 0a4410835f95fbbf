#include "engine/expressions/MacroFunctions.h"

#include "engine/expressions/ReportEvaluation.h"
#include "platform/Error.h"
#include "report/bands/TpgxBand.h"
#include "report/root/TpgxReport.h"
#include "script/registry/ObjectTable.h"
#include "script/registry/Registry.h"
#include "script/registry/VariantBridge.h"
#include "script/value/VariantOps.h"

namespace pgx::engine {

using script::Variant;

namespace {

// A macro argument's text; a left-out argument arrives as its declared
// default (0), which reads as no text.
QString argumentText(const Variant &argument)
{
    return argument.isString() ? argument.toString().trimmed() : QString();
}

int flagsOf(ReportEvaluation &evaluation, const Variant &argument)
{
    const QString text = argumentText(argument);
    if (text.isEmpty())
        return 0;
    bool isNumber = false;
    const int flags = text.toInt(&isNumber);
    return isNumber ? flags : evaluation.calc(text).toInt();
}

TpgxBand *bandNamed(TpgxReport &report, const QString &name)
{
    TpgxComponent *object = report.findObject(name);
    if (!object)
        throw pgx::Error(QStringLiteral("Unknown band '%1'").arg(name));
    auto *band = qobject_cast<TpgxBand *>(object);
    if (!band)
        throw pgx::Error(QStringLiteral("'%1' is not a band").arg(name));
    return band;
}

// The band argument: a band's name (looked up among the report's objects
// first: an object is not a value the report's calc can hand back), else an
// expression giving a band, a band's name or 0 for none.
TpgxBand *bandOf(ReportEvaluation &evaluation, const Variant &argument)
{
    const QString text = argumentText(argument);
    if (text.isEmpty())
        return nullptr;
    TpgxReport &report = evaluation.report();
    if (report.findObject(text))
        return bandNamed(report, text);
    const QVariant value = evaluation.calc(text);
    if (value.typeId() == QMetaType::QString)
        return bandNamed(report, value.toString().trimmed());
    if (value.isNull())
        throw pgx::Error(QStringLiteral("'%1' is not a band").arg(text));
    QObject *object = script::TkxObjectTable::object(script::fromQVariant(value));
    if (!object)
        return nullptr;   // 0: the call names no band
    auto *band = qobject_cast<TpgxBand *>(object);
    if (!band)
        throw pgx::Error(QStringLiteral("'%1' is not a band").arg(text));
    return band;
}

void declareAggregate(ReportEvaluation &evaluation, const QString &name)
{
    const bool isCount = name == QLatin1String("COUNT");
    const QString declaration = isCount
        ? QStringLiteral("macrofunction COUNT(Band: Variant = 0; Flags: Integer = 0): Variant")
        : QStringLiteral("macrofunction ") + name
            + QStringLiteral("(Expr: Variant; Band: Variant = 0; Flags: Integer = 0): Variant");
    script::declareMethodArray(
        evaluation.script(), declaration,
        [&evaluation, name, isCount](QObject *, script::TkxClassVariable *, QList<Variant> &args,
                                     const QString &) {
            const int first = isCount ? 0 : 1;   // where Band is
            const QString expression = isCount ? QString() : argumentText(args.value(0));
            TpgxBand *band = bandOf(evaluation, args.value(first));
            const int flags = flagsOf(evaluation, args.value(first + 1));
            return script::fromQVariant(evaluation.computeAggregate(name, expression, band, flags));
        });
}

}   // namespace

void declareMacroFunctions(ReportEvaluation &evaluation)
{
    script::declareMethodArray(
        evaluation.script(),
        QStringLiteral("macrofunction IIF(Expr: Boolean; TrueValue, FalseValue: Variant): Variant"),
        [&evaluation](QObject *, script::TkxClassVariable *, QList<Variant> &args,
                      const QString &) {
            const Variant condition
                = script::fromQVariant(evaluation.calc(args.value(0).toString()));
            const QString chosen = script::vop::equals(condition, Variant(true))
                ? args.value(1).toString()
                : args.value(2).toString();
            return script::fromQVariant(evaluation.calc(chosen));
        });
    for (const char *name : {"SUM", "AVG", "MIN", "MAX", "COUNT"})
        declareAggregate(evaluation, QString::fromLatin1(name));
}

}   // namespace pgx::engine
