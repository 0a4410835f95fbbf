// pgrtool export: a prepared report (.pgp), or a template run on the spot,
// to PDF or PNG, headless, through the same page drawing the preview and
// printing use.

#include "page_output.h"

#include "prepared/TpgxPreviewPages.h"
#include "report/root/TpgxReport.h"

namespace pgx::tool {

namespace {

const char kUsage[]
    = "Usage: pgrtool export PREPARED.pgp|TEMPLATE.pgr -o OUT.pdf|OUT.png [--pages RANGE]\n"
      "                      [--dpi N] [--data NAME=SOURCE]... [--var NAME=VALUE]...\n"
      "Writes the pages of a prepared report as a PDF (one PDF page per page, at\n"
      "its paper size, text searchable) or as PNG images (OUT.png for one page,\n"
      "else OUT-<page number>.png for each). A template is prepared first, as\n"
      "pgrtool prepare does (see there for --data and --var).\n"
      "  -o FILE        the output; its extension (.pdf or .png) chooses the format\n"
      "  --pages RANGE  1-based pages, e.g. 1,3-5,8- (default all)\n"
      "  --dpi N        resolution of PNG images, 1 to 2400 (default 96)\n"
      "Exit code 1 when the report cannot be read, prepared or written, 2 for\n"
      "wrong arguments. Faults of the file's content are listed on stderr.";

int runExport(VerbContext &ctx)
{
    const QString verb = QStringLiteral("export");
    OutputArgs args;
    if (const int code
        = parseOutputArgs(ctx, verb, {QStringLiteral("pdf"), QStringLiteral("png")}, args))
        return code;
    TpgxReport report;
    TpgxPreviewPages pages(&report);
    if (const int code = loadOrPrepare(ctx, verb, report, pages, args))
        return code;
    return writePages(ctx, verb, pages, args);
}

}   // namespace

extern const Verb kExportVerb = {
    "export",
    "write a prepared report (.pgp) as PDF or PNG",
    kUsage,
    runExport,
};

}   // namespace pgx::tool
