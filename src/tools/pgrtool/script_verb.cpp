// pgrtool script: the script engine from the command line.
//   pgrtool script --tree FILE [--lang NAME]
// prints the program tree the syntax analyser makes of a script, or the
// error with its position (exit 1). Further modes of the same verb (running
// a script) are added as options beside --tree.

#include "verb.h"

#include "script/front/LanguageRegistry.h"
#include "script/front/TkxILParser.h"
#include "platform/Error.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

namespace pgx::tool {

namespace {

struct ScriptOptions {
    QString treeFile;
    QString language;
};

// The language a script file is written in, from its extension; the code
// editor saves scripts under these.
QString languageForFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("cpp"))
        return QStringLiteral("C++Script");
    if (suffix == QLatin1String("js"))
        return QStringLiteral("JScript");
    if (suffix == QLatin1String("vb"))
        return QStringLiteral("BasicScript");
    return QStringLiteral("PascalScript");
}

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
        } else {
            error = QStringLiteral("unknown argument '") + arg + u'\'';
            return false;
        }
    }
    if (options.treeFile.isEmpty()) {
        error = QStringLiteral("nothing to do: give --tree FILE");
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
    const QString language = options.language.isEmpty() ? languageForFile(options.treeFile)
                                                        : options.language;

    script::TkxILParser parser;
    parser.setUnitFolder(QFileInfo(options.treeFile).absolutePath());
    try {
        parser.SelectLanguage(language);
    } catch (const pgx::Error &e) {
        ctx.err << "pgrtool script: " << e.message() << '\n';
        return ExitInputFault;
    }
    if (parser.MakeProgramTree(script::NormalizeScriptText(text))) {
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

int runScript(VerbContext &ctx)
{
    script::RegisterStandardLanguages();
    ScriptOptions options;
    QString error;
    if (!parseOptions(ctx.args, options, error)) {
        ctx.err << "pgrtool script: " << error << "\nUsage: pgrtool script --tree FILE [--lang NAME]\n";
        return ExitUsage;
    }
    return printTree(ctx, options);
}

} // namespace

extern const Verb scriptVerb = {
    "script",
    "analyse a script and print its program tree",
    "Usage: pgrtool script --tree FILE [--lang NAME]\n"
    "  --tree FILE   print the program tree of the script in FILE, or the\n"
    "                syntax error as FILE:line:col: message (exit 1)\n"
    "  --lang NAME   PascalScript, C++Script, BasicScript or JScript; by\n"
    "                default from the extension (.pas, .cpp, .vb, .js)\n"
    "Units named in uses clauses are read from the script's folder.",
    runScript,
};

} // namespace pgx::tool
