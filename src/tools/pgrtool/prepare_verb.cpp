// pgrtool prepare: runs a report template headless, as batch jobs do, and
// writes the prepared report or exports it at once.

#include "page_output.h"

#include "prepared/TpgxPreviewPages.h"
#include "report/root/TpgxReport.h"

namespace pgx::tool {

namespace {

const char kUsage[]
    = "Usage: pgrtool prepare TEMPLATE.pgr -o OUT.pgp|OUT.pdf|OUT.png\n"
      "                       [--data NAME=SOURCE]... [--var NAME=VALUE]...\n"
      "                       [--pages RANGE] [--dpi N]\n"
      "Runs the report with its data and writes the prepared pages (.pgp, for\n"
      "the preview and pgrtool export) or exports them (.pdf, .png).\n"
      "  -o FILE            the output; its extension chooses the format\n"
      "  --data NAME=SOURCE the data source NAME for this run: a CSV file, or an\n"
      "                     SQLite file and a table or query (shop.db:orders)\n"
      "  --var NAME=VALUE   sets a report variable; the value is an expression,\n"
      "                     as in the designer (texts in quotes: --var \"City='Oslo'\")\n"
      "  --pages RANGE      pages of a PDF or PNG output, e.g. 1,3-5,8-\n"
      "  --dpi N            resolution of PNG images (default 96)\n"
      "Dialog pages are not shown: each is named on stderr and the report runs\n"
      "with the variables' values. Prepared pages beyond the memory limit are kept\n"
      "in a temporary file. The report's errors go to stderr; exit code\n"
      "1 when the report failed, 2 for wrong arguments.";

int runPrepare(VerbContext &ctx)
{
    const QString verb = QStringLiteral("prepare");
    OutputArgs args;
    if (const int code = parseOutputArgs(
            ctx, verb, {QStringLiteral("pgp"), QStringLiteral("pdf"), QStringLiteral("png")}, args))
        return code;
    TpgxReport report;
    TpgxPreviewPages pages(&report);
    if (!prepareTemplate(args.input, args.run, report, pages, ctx.err, verb))
        return ExitInputFault;
    return writePages(ctx, verb, pages, args);
}

}   // namespace

extern const Verb kPrepareVerb = {
    "prepare",
    "run a report template into prepared pages (.pgp) or PDF/PNG",
    kUsage,
    runPrepare,
};

}   // namespace pgx::tool
