// pgrtool script: the script engine from the command line.
//   pgrtool script FILE [--lang NAME] [--print NAME...]
// compiles and runs a script, then prints the named globals as name=value;
//   pgrtool script --tree FILE [--lang NAME]
// prints the program tree the syntax analyser makes of it. Compile and run
// errors are "message at line:col" on stderr (exit 1).

#include "verb.h"

#include "script_run.h"

#include "platform/Error.h"
#include "script/front/LanguageRegistry.h"
#include "script/front/TkxILParser.h"
#include "script/runtime/Script.h"
#include "script/value/ScriptError.h"
#include "script/value/VariantFormat.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

namespace pgx::tool {

namespace {

struct ScriptOptions
{
    QString treeFile;
    QString runFile;
    QString language;
    QStringList print;
};

// Parses the verb's arguments; false (with a message) on a usage error.
bool parseOptions(const QStringList &args, ScriptOptions &options, QString &error)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        auto value = [&](QString &target) {
            if (i + 1 >= args.size()) {
                error = arg + QStringLiteral(" needs a value");
                return false;
            }
            target = args[++i];
            return true;
        };
        if (arg == QLatin1String("--tree")) {
            if (!value(options.treeFile))
                return false;
        } else if (arg == QLatin1String("--lang")) {
            if (!value(options.language))
                return false;
        } else if (arg == QLatin1String("--print")) {
            // One or more names, up to the next option.
            if (i + 1 >= args.size() || args[i + 1].startsWith(QLatin1String("--"))) {
                error = arg + QStringLiteral(" needs a name");
                return false;
            }
            while (i + 1 < args.size() && !args[i + 1].startsWith(QLatin1String("--")))
                options.print << args[++i];
        } else if (!arg.startsWith(QLatin1String("--")) && options.runFile.isEmpty()) {
            options.runFile = arg;
        } else {
            error = QStringLiteral("unknown argument '") + arg + u'\'';
            return false;
        }
    }
    if (options.treeFile.isEmpty() == options.runFile.isEmpty()) {
        error = QStringLiteral("give either FILE or --tree FILE");
        return false;
    }
    return true;
}

int printTree(VerbContext &ctx, const ScriptOptions &options)
{
    QFile file(options.treeFile);
    if (!file.open(QIODevice::ReadOnly)) {
        ctx.err << "pgrtool script: cannot read " << options.treeFile << '\n';
        return ExitInputFault;
    }
    const QString text = QString::fromUtf8(file.readAll());
    const QString language
        = options.language.isEmpty() ? script::languageForFile(options.treeFile) : options.language;

    script::TkxILParser parser;
    parser.setUnitFolder(QFileInfo(options.treeFile).absolutePath());
    try {
        parser.selectLanguage(language);
    } catch (const pgx::Error &e) {
        ctx.err << "pgrtool script: " << e.message() << '\n';
        return ExitInputFault;
    }
    if (parser.makeProgramTree(script::normalizeScriptText(text))) {
        ctx.out << parser.programTree().toXml();
        return ExitOk;
    }
    if (parser.errorMessage().isEmpty()) {
        // The grammar's program rule matched nothing and has no error text
        // for it (an empty BasicScript): an empty program.
        ctx.out << "<?xml version=\"1.0\"?>\n<program/>\n";
        return ExitOk;
    }
    const QString where = parser.errorUnit().isEmpty() ? options.treeFile : parser.errorUnit();
    ctx.err << where << ':' << parser.errorPos() << ": " << parser.errorMessage() << '\n';
    return ExitInputFault;
}

QString errorText(const QString &message, const QString &position, const QString &unit)
{
    QString text = message + QStringLiteral(" at ") + position;
    if (!unit.isEmpty())
        text += QStringLiteral(" in unit ") + unit;
    return text;
}

int runFile(VerbContext &ctx, const ScriptOptions &options)
{
    QFile file(options.runFile);
    if (!file.open(QIODevice::ReadOnly)) {
        ctx.err << "pgrtool script: cannot read " << options.runFile << '\n';
        return ExitInputFault;
    }
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

    setUpScriptEngine();
    script::TkxScript program;
    program.setSyntaxType(options.language.isEmpty() ? script::languageForFile(options.runFile)
                                                     : options.language);
    // A final line break ends the last line; it starts no empty one.
    QStringList lines = text.split(u'\n');
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    program.setLines(lines);
    // Units named in uses clauses are read from the script's folder.
    const QString folder = QFileInfo(options.runFile).absolutePath();
    program.onGetUnit = [folder](script::TkxScript *, const QString &unitName, QString &unitText) {
        QFile unit(QFileInfo(unitName).isAbsolute() ? unitName : folder + u'/' + unitName);
        if (unit.open(QIODevice::ReadOnly))
            unitText = QString::fromUtf8(unit.readAll());
    };
    if (!program.compile()) {
        ctx.err << errorText(program.errorMessage, program.errorPosition, program.errorUnit)
                << '\n';
        return ExitInputFault;
    }
    try {
        runOnLargeStack([&] { program.execute(); });
    } catch (const script::ScriptError &e) {
        ctx.err << errorText(e.message(), e.position(), e.unitName()) << '\n';
        return ExitInputFault;
    }
    int result = ExitOk;
    for (const QString &name : options.print) {
        script::TkxCustomVariable *v = program.findLocal(name);
        if (!v) {
            ctx.err << "pgrtool script: no global named " << name << '\n';
            result = ExitInputFault;
            continue;
        }
        ctx.out << name << '=' << script::displayText(v->value) << '\n';
    }
    return result;
}

int runScript(VerbContext &ctx)
{
    script::registerStandardLanguages();
    ScriptOptions options;
    QString error;
    if (!parseOptions(ctx.args, options, error)) {
        ctx.err << "pgrtool script: " << error
                << "\nUsage: pgrtool script FILE [--lang NAME] [--print NAME...]\n"
                   "       pgrtool script --tree FILE [--lang NAME]\n";
        return ExitUsage;
    }
    return options.treeFile.isEmpty() ? runFile(ctx, options) : printTree(ctx, options);
}

}   // namespace

extern const Verb kScriptVerb = {
    "script",
    "run a script, or print its program tree",
    "Usage: pgrtool script FILE [--lang NAME] [--print NAME...]\n"
    "       pgrtool script --tree FILE [--lang NAME]\n"
    "  FILE          compile and run the script; a compile or run error is\n"
    "                printed as 'message at line:col' (exit 1)\n"
    "  --print NAME  after the run print each named global as name=value\n"
    "  --tree FILE   print the program tree of the script in FILE, or the\n"
    "                syntax error as FILE:line:col: message (exit 1)\n"
    "  --lang NAME   PascalScript, C++Script, BasicScript or JScript; by\n"
    "                default from the extension (.pas, .cpp, .vb, .js)\n"
    "Units named in uses clauses are read from the script's folder.",
    runScript,
};

}   // namespace pgx::tool
