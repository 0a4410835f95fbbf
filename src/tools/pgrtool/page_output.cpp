#include "page_output.h"

#include "prepared/TpgxPreviewPages.h"
#include "prepared/export/PageExport.h"
#include "prepared/export/PageRange.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include <QtCore/QFileInfo>

#include <unistd.h>

namespace pgx::tool {

int parseOutputArgs(VerbContext &ctx, const QString &verb, const QStringList &formats,
                    OutputArgs &args)
{
    auto usage = [&](const QString &message) {
        ctx.err << "pgrtool " << verb << ": " << message << "\nsee pgrtool " << verb << " --help\n";
        return ExitUsage;
    };
    QString error;
    if (!takeRunOptions(ctx.args, args.run, error))
        return usage(error);
    for (qsizetype i = 0; i < ctx.args.size(); ++i) {
        const QString &arg = ctx.args[i];
        const bool hasValue = i + 1 < ctx.args.size();
        if (arg == QLatin1String("-o") || arg == QLatin1String("--output")) {
            if (!hasValue)
                return usage(QStringLiteral("%1 needs a file name").arg(arg));
            args.output = ctx.args[++i];
        } else if (arg == QLatin1String("--pages")) {
            if (!hasValue)
                return usage(QStringLiteral("--pages needs a range"));
            args.range = ctx.args[++i];
        } else if (arg == QLatin1String("--dpi")) {
            bool ok = false;
            args.dpi = hasValue ? ctx.args[++i].toInt(&ok) : 0;
            if (!ok || args.dpi < 1 || args.dpi > 2400)
                return usage(QStringLiteral("--dpi takes a whole number from 1 to 2400"));
            args.dpiGiven = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return usage(QStringLiteral("unknown option %1").arg(arg));
        } else if (args.input.isEmpty()) {
            args.input = arg;
        } else {
            return usage(QStringLiteral("one report at a time (%1)").arg(arg));
        }
    }
    if (args.input.isEmpty())
        return usage(QStringLiteral("no report given"));
    QStringList outputs;
    for (const QString &format : formats)
        outputs.append(QStringLiteral("-o OUT.") + format);
    if (args.output.isEmpty())
        return usage(
            QStringLiteral("no output given (%1)").arg(outputs.join(QLatin1String(" or "))));
    args.format = QFileInfo(args.output).suffix().toLower();
    if (!formats.contains(args.format))
        return usage(
            QStringLiteral("the output must end in .%1").arg(formats.join(QLatin1String(" or ."))));
    if (args.dpiGiven && args.format != QLatin1String("png"))
        return usage(QStringLiteral("--dpi is for PNG images; a PDF keeps vectors and text"));
    if (!args.range.isEmpty() && args.format == QLatin1String("pgp"))
        return usage(QStringLiteral("--pages is for PDF and PNG output"));
    return ExitOk;
}

int loadOrPrepare(VerbContext &ctx, const QString &verb, TpgxReport &report,
                  TpgxPreviewPages &pages, const OutputArgs &args)
{
    if (QFileInfo(args.input).suffix().toLower() != QLatin1String("pgp"))
        return prepareTemplate(args.input, args.run, report, pages, ctx.err, verb) ? ExitOk
                                                                                   : ExitInputFault;
    registerReportClasses();
    if (!pages.loadFromFile(args.input)) {
        ctx.err << "pgrtool " << verb << ": " << args.input << ": " << pages.errorString() << '\n';
        return ExitInputFault;
    }
    return ExitOk;
}

int writePages(VerbContext &ctx, const QString &verb, TpgxPreviewPages &pages,
               const OutputArgs &args)
{
    const QString prefix = QStringLiteral("pgrtool %1: ").arg(verb);
    QString error;
    if (args.format == QLatin1String("pgp")) {
        error = pages.saveToFile(args.output);
    } else {
        QString rangeError;
        const std::optional<QList<int>> indexes
            = prepared::parsePageRange(args.range, pages.count(), rangeError);
        if (!indexes) {
            ctx.err << prefix << "--pages: " << rangeError << "\nsee pgrtool " << verb
                    << " --help\n";
            return ExitUsage;
        }
        // A progress line only for someone watching: never into a log.
        const bool terminal = isatty(STDERR_FILENO);
        auto progress = [&](int done, int total) {
            if (terminal) {
                ctx.err << "\rpage " << done << " of " << total;
                ctx.err.flush();
            }
        };
        error = args.format == QLatin1String("pdf")
            ? prepared::exportPdf(pages, args.output, *indexes, progress)
            : prepared::exportPng(pages, args.output, *indexes, args.dpi, progress);
        if (terminal)
            ctx.err << '\n';
    }
    for (const QString &message : pages.errors())
        ctx.err << prefix << args.input << ": " << message << '\n';
    if (!error.isEmpty()) {
        ctx.err << prefix << error << '\n';
        return ExitInputFault;
    }
    return pages.errors().isEmpty() ? ExitOk : ExitInputFault;
}

}   // namespace pgx::tool
