#pragma once

#include "prepare_run.h"
#include "verb.h"

class TpgxPreviewPages;

namespace pgx::tool {

// The arguments of the verbs that write prepared pages (prepare, export).
struct OutputArgs
{
    QString input;
    QString output;
    QString range;
    int dpi = 96;
    bool dpiGiven = false;
    RunOptions run;
    // The output's format: "pgp", "pdf" or "png".
    QString format;
};

// Reads the arguments; ExitOk when they are sound, else the usage error is
// on ctx.err and the exit code is returned. `formats` lists the outputs
// the verb writes.
int parseOutputArgs(VerbContext &ctx, const QString &verb, const QStringList &formats,
                    OutputArgs &args);

// Writes the pages as the output's format says, with a progress line on a
// terminal; the pages' faults and the outcome on ctx.err.
int writePages(VerbContext &ctx, const QString &verb, TpgxPreviewPages &pages,
               const OutputArgs &args);

// A template runs first; a prepared report (.pgp) is read.
int loadOrPrepare(VerbContext &ctx, const QString &verb, TpgxReport &report,
                  TpgxPreviewPages &pages, const OutputArgs &args);

}   // namespace pgx::tool
