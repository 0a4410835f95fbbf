// pgrtool eval: the value of one script expression.
//   pgrtool eval --lang NAME EXPR

#include "verb.h"

#include "script_run.h"

#include "script/runtime/Script.h"
#include "script/value/ScriptError.h"
#include "script/value/VariantFormat.h"

namespace pgx::tool {

namespace {

int runEval(VerbContext &ctx)
{
    QString language = QStringLiteral("PascalScript");
    QString expression;
    bool haveExpression = false;
    for (qsizetype i = 0; i < ctx.args.size(); ++i) {
        const QString &arg = ctx.args[i];
        if (arg == QLatin1String("--lang") && i + 1 < ctx.args.size()) {
            language = ctx.args[++i];
        } else if (!haveExpression
                   && (arg == QLatin1String("--") || !arg.startsWith(QLatin1String("--")))) {
            if (arg == QLatin1String("--")) {
                if (++i >= ctx.args.size())
                    break;
            }
            expression = ctx.args[i];
            haveExpression = true;
        } else {
            haveExpression = false;
            break;
        }
    }
    if (!haveExpression) {
        ctx.err << "pgrtool eval: give one expression\nUsage: pgrtool eval --lang NAME EXPR\n";
        return ExitUsage;
    }

    setUpScriptEngine();
    // The expression is compiled as Evaluate compiles it, but here a compile
    // error is an error, not a value.
    script::TkxScript program;
    program.setSyntaxType(language);
    program.setLines(
        script::TkxScript::wrapExpression(language, expression).split(QStringLiteral("\r\n")));
    if (!program.compile()) {
        ctx.err << program.errorMessage << " at " << program.errorPosition << '\n';
        return ExitInputFault;
    }
    try {
        program.execute();
        ctx.out << script::displayText(program.callFunction(
            script::TkxScript::evaluateFunctionName(language), script::Variant::null()))
                << '\n';
    } catch (const script::ScriptError &e) {
        ctx.err << e.message() << '\n';
        return ExitInputFault;
    }
    return ExitOk;
}

}   // namespace

extern const Verb kEvalVerb = {
    "eval",
    "print the value of one script expression",
    "Usage: pgrtool eval [--lang NAME] EXPR\n"
    "  --lang NAME   PascalScript (the default), C++Script, BasicScript or\n"
    "                JScript\n"
    "Prints the value; a compile or run error goes to stderr (exit 1).",
    runEval,
};

}   // namespace pgx::tool
