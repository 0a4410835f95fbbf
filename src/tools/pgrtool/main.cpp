#include "verb.h"
#include "watchdog.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QGuiApplication>
#include <cstdio>
#include <memory>

using namespace pgx::tool;

namespace {

void printHelp(QTextStream &out)
{
    out << "Usage: pgrtool [--help | --version] VERB [ARGS...] [--timeout SECONDS]\n"
           "Headless tool for Pagoryn report templates.\n"
           "--timeout ends a verb that runs longer with exit 1.\n";
    if (!verbs().isEmpty()) {
        out << "\nVerbs:\n";
        for (const Verb &verb : verbs())
            out << "  " << QString::fromLatin1(verb.name).leftJustified(12) << verb.summary << '\n';
        out << "\nEvery verb takes --help.\n";
    }
}

const Verb *findVerb(const QString &name)
{
    for (const Verb &verb : verbs())
        if (name == QLatin1String(verb.name))
            return &verb;
    return nullptr;
}

}   // namespace

int main(int argc, char **argv)
{
    const bool fonts = argc > 1 && needsFonts(QString::fromLocal8Bit(argv[1]));
    if (fonts && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> application = fonts
        ? std::make_unique<QGuiApplication>(argc, argv)
        : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication &app = *application;
    QCoreApplication::setApplicationName(QStringLiteral("pgrtool"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PGX_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        printHelp(err);
        return ExitUsage;
    }
    const QString first = args.takeFirst();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        printHelp(out);
        return ExitOk;
    }
    if (first == QLatin1String("--version")) {
        out << "pgrtool " << PGX_VERSION << '\n';
        return ExitOk;
    }
    const Verb *verb = findVerb(first);
    if (!verb) {
        err << "pgrtool: unknown verb '" << first << "'; see pgrtool --help\n";
        return ExitUsage;
    }
    if (args.contains(QLatin1String("--help"))) {
        out << verb->usage << '\n';
        return ExitOk;
    }
    // Every verb may be given a time limit: the script, eval and report
    // verbs run template scripts that may never end.
    QString timeoutError;
    if (!takeTimeoutOption(args, timeoutError)) {
        err << "pgrtool " << first << ": " << timeoutError << '\n';
        return ExitUsage;
    }
    VerbContext ctx{args, out, err};
    return verb->run(ctx);
}
