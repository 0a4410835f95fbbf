// pgrtool export: a prepared report (.pgp) to PDF or PNG, headless, through
// the same page drawing the preview and printing use.

#include "verb.h"

#include "prepared/TpgxPreviewPages.h"
#include "prepared/export/PageExport.h"
#include "prepared/export/PageRange.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include <QtCore/QFileInfo>

#include <unistd.h>

namespace pgx::tool {

namespace {

const char kUsage[]
    = "Usage: pgrtool export PREPARED.pgp -o OUT.pdf|OUT.png [--pages RANGE] [--dpi N]\n"
      "Writes the pages of a prepared report as a PDF (one PDF page per page, at\n"
      "its paper size, text searchable) or as PNG images (OUT.png for one page,\n"
      "else OUT-<page number>.png for each).\n"
      "  -o FILE        the output; its extension (.pdf or .png) chooses the format\n"
      "  --pages RANGE  1-based pages, e.g. 1,3-5,8- (default all)\n"
      "  --dpi N        resolution of PNG images, 1 to 2400 (default 96)\n"
      "Exit code 1 when the prepared report cannot be read or written, 2 for\n"
      "wrong arguments. Faults of the file's content are listed on stderr.";

int runExport(VerbContext &ctx)
{
    QString input, output, range;
    int dpi = 96;
    bool dpiGiven = false;
    auto usage = [&](const QString &message) {
        ctx.err << "pgrtool export: " << message << "\nsee pgrtool export --help\n";
        return ExitUsage;
    };
    for (qsizetype i = 0; i < ctx.args.size(); ++i) {
        const QString &arg = ctx.args[i];
        const bool hasValue = i + 1 < ctx.args.size();
        if (arg == QLatin1String("-o") || arg == QLatin1String("--output")) {
            if (!hasValue)
                return usage(QStringLiteral("%1 needs a file name").arg(arg));
            output = ctx.args[++i];
        } else if (arg == QLatin1String("--pages")) {
            if (!hasValue)
                return usage(QStringLiteral("--pages needs a range"));
            range = ctx.args[++i];
        } else if (arg == QLatin1String("--dpi")) {
            bool ok = false;
            dpi = hasValue ? ctx.args[++i].toInt(&ok) : 0;
            if (!ok || dpi < 1 || dpi > 2400)
                return usage(QStringLiteral("--dpi takes a whole number from 1 to 2400"));
            dpiGiven = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return usage(QStringLiteral("unknown option %1").arg(arg));
        } else if (input.isEmpty()) {
            input = arg;
        } else {
            return usage(QStringLiteral("one prepared report at a time (%1)").arg(arg));
        }
    }
    if (input.isEmpty())
        return usage(QStringLiteral("no prepared report given"));
    if (output.isEmpty())
        return usage(QStringLiteral("no output given (-o OUT.pdf or -o OUT.png)"));
    const QString format = QFileInfo(output).suffix().toLower();
    if (format != QLatin1String("pdf") && format != QLatin1String("png"))
        return usage(QStringLiteral("the output must end in .pdf or .png"));
    if (dpiGiven && format == QLatin1String("pdf"))
        return usage(QStringLiteral("--dpi is for PNG images; a PDF keeps vectors and text"));

    registerReportClasses();
    TpgxReport report;
    TpgxPreviewPages pages(&report);
    if (!pages.loadFromFile(input)) {
        ctx.err << "pgrtool export: " << input << ": " << pages.errorString() << '\n';
        return ExitInputFault;
    }
    QString rangeError;
    const std::optional<QList<int>> indexes
        = prepared::parsePageRange(range, pages.count(), rangeError);
    if (!indexes)
        return usage(QStringLiteral("--pages: %1").arg(rangeError));

    // A progress line only for someone watching: never into a log.
    const bool terminal = isatty(STDERR_FILENO);
    auto progress = [&](int done, int total) {
        if (terminal) {
            ctx.err << "\rpage " << done << " of " << total;
            ctx.err.flush();
        }
    };
    const QString error = format == QLatin1String("pdf")
        ? prepared::exportPdf(pages, output, *indexes, progress)
        : prepared::exportPng(pages, output, *indexes, dpi, progress);
    if (terminal)
        ctx.err << '\n';
    for (const QString &message : pages.errors())
        ctx.err << "pgrtool export: " << input << ": " << message << '\n';
    if (!error.isEmpty()) {
        ctx.err << "pgrtool export: " << error << '\n';
        return ExitInputFault;
    }
    return pages.errors().isEmpty() ? ExitOk : ExitInputFault;
}

}   // namespace

extern const Verb kExportVerb = {
    "export",
    "write a prepared report (.pgp) as PDF or PNG",
    kUsage,
    runExport,
};

}   // namespace pgx::tool
