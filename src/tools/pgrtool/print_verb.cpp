// pgrtool print: a prepared report (.pgp), or a template run on the spot,
// to a printer of the system, as batch jobs print invoices and labels.

#include "page_output.h"

#include "platform/printing/CustomPrinter.h"
#include "platform/printing/Printers.h"
#include "prepared/TpgxPreviewPages.h"
#include "prepared/print/PageSelection.h"
#include "prepared/print/PrintRun.h"
#include "report/root/ReportOptions.h"
#include "report/root/TpgxReport.h"

#include <optional>
#include <unistd.h>

namespace pgx::tool {

namespace {

const char kUsage[]
    = "Usage: pgrtool print PREPARED.pgp|TEMPLATE.pgr [--printer NAME] [--pages RANGE]\n"
      "                     [--copies N] [--collate|--no-collate] [--duplex long|short|none]\n"
      "                     [--bin NAME] [--mode default|split|join|scale --sheet CODE]\n"
      "                     [--to-file FILE] [--data NAME=SOURCE]... [--var NAME=VALUE]...\n"
      "Prints a prepared report, or a template prepared first as pgrtool prepare\n"
      "does, as one job. What is not given comes from the report's print options;\n"
      "no dialog is shown.\n"
      "  --printer NAME  a printer of the system (default: the report's, else the\n"
      "                  system's default printer)\n"
      "  --pages RANGE   1-based pages, e.g. 1,3,5-12 or 7- (default all)\n"
      "  --copies N      copies, 1 to 9999; --collate prints the whole report once\n"
      "                  per copy, --no-collate lets the printer repeat each page\n"
      "  --duplex MODE   long or short edge, or none (one-sided) for every page\n"
      "  --bin NAME      the paper source for every page, by the printer's name for it\n"
      "  --mode MODE     split big pages, join small ones or scale them onto the\n"
      "                  sheet given by --sheet (a paper code such as 9, or a name\n"
      "                  the printer lists, such as A4)\n"
      "  --to-file FILE  write the job's document (PDF) to FILE instead of printing\n"
      "Exit code 1 when the report cannot be read or prepared, there is no printer\n"
      "or the job failed; 2 for wrong arguments.";

struct PrintArgs
{
    OutputArgs output;   // input and run options
    QString printer;
    std::optional<QString> range;
    std::optional<int> copies;
    std::optional<bool> collate;
    int duplexChoice = 0;
    QString bin;
    std::optional<TpgxPrintOptions::TpgxPrintMode> mode;
    QString sheet;
    QString toFile;
};

class BatchPrintHost final : public prepared::PrintHost
{
public:
    BatchPrintHost(QTextStream &err, int duplexChoice)
        : m_err(err), m_duplexChoice(duplexChoice), m_terminal(isatty(STDERR_FILENO))
    { }

    bool showPrintDialog(TpgxReport &, int &duplexChoice) override
    {
        duplexChoice = m_duplexChoice;
        return true;
    }
    void showError(const QString &text) override { m_err << "pgrtool print: " << text << '\n'; }
    void progress(const QString &text, int) override
    {
        if (m_terminal) {
            m_err << '\r' << text;
            m_err.flush();
        }
    }
    void progressStopped() override
    {
        if (m_terminal)
            m_err << '\n';
    }

private:
    QTextStream &m_err;
    int m_duplexChoice;
    bool m_terminal;
};

int parseArgs(VerbContext &ctx, PrintArgs &args)
{
    auto usage = [&](const QString &message) {
        ctx.err << "pgrtool print: " << message << "\nsee pgrtool print --help\n";
        return ExitUsage;
    };
    QString error;
    if (!takeRunOptions(ctx.args, args.output.run, error))
        return usage(error);
    for (qsizetype i = 0; i < ctx.args.size(); ++i) {
        const QString &arg = ctx.args[i];
        const bool isOption = arg.startsWith(QLatin1String("--"));
        if (arg == QLatin1String("--collate") || arg == QLatin1String("--no-collate")) {
            args.collate = arg == QLatin1String("--collate");
            continue;
        }
        if (isOption && i + 1 >= ctx.args.size())
            return usage(QStringLiteral("%1 needs a value").arg(arg));
        if (arg == QLatin1String("--printer")) {
            args.printer = ctx.args[++i];
        } else if (arg == QLatin1String("--pages")) {
            args.range = ctx.args[++i];
            // Only the syntax here: the report's page count is not known yet.
            if (!prepared::PageSelection::parse(*args.range, 1, error))
                return usage(QStringLiteral("--pages: %1").arg(error));
        } else if (arg == QLatin1String("--copies")) {
            bool ok = false;
            const int copies = ctx.args[++i].toInt(&ok);
            if (!ok || copies < 1 || copies > 9999)
                return usage(QStringLiteral("--copies takes a whole number from 1 to 9999"));
            args.copies = copies;
        } else if (arg == QLatin1String("--duplex")) {
            const QString value = ctx.args[++i];
            static const QStringList kValues
                = {QStringLiteral("long"), QStringLiteral("short"), QStringLiteral("none")};
            if (!kValues.contains(value))
                return usage(QStringLiteral("--duplex takes long, short or none"));
            args.duplexChoice = int(kValues.indexOf(value)) + 1;
        } else if (arg == QLatin1String("--bin")) {
            args.bin = ctx.args[++i];
        } else if (arg == QLatin1String("--mode")) {
            static const QStringList kModes = {QStringLiteral("default"), QStringLiteral("split"),
                                               QStringLiteral("join"), QStringLiteral("scale")};
            const qsizetype mode = kModes.indexOf(ctx.args[++i]);
            if (mode < 0)
                return usage(QStringLiteral("--mode takes default, split, join or scale"));
            args.mode = TpgxPrintOptions::TpgxPrintMode(mode);
        } else if (arg == QLatin1String("--sheet")) {
            args.sheet = ctx.args[++i];
        } else if (arg == QLatin1String("--to-file")) {
            args.toFile = ctx.args[++i];
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return usage(QStringLiteral("unknown option %1").arg(arg));
        } else if (args.output.input.isEmpty()) {
            args.output.input = arg;
        } else {
            return usage(QStringLiteral("one report at a time (%1)").arg(arg));
        }
    }
    if (args.output.input.isEmpty())
        return usage(QStringLiteral("no report given"));
    if (!args.sheet.isEmpty() && (!args.mode || *args.mode == TpgxPrintOptions::pmDefault))
        return usage(QStringLiteral("--sheet is for --mode split, join or scale"));
    return ExitOk;
}

// The paper code of --sheet: a number, or a paper the printer lists.
std::optional<int> sheetCode(const TpgxCustomPrinter &printer, const QString &sheet)
{
    bool ok = false;
    const int code = sheet.toInt(&ok);
    if (ok)
        return code;
    for (const TpgxPrinterItem &paper : printer.papers())
        if (paper.name.compare(sheet, Qt::CaseInsensitive) == 0)
            return paper.code;
    return std::nullopt;
}

int runPrint(VerbContext &ctx)
{
    PrintArgs args;
    if (const int code = parseArgs(ctx, args))
        return code;
    TpgxReport report;
    TpgxPreviewPages pages(&report);
    if (const int code = loadOrPrepare(ctx, QStringLiteral("print"), report, pages, args.output))
        return code;

    TpgxPrinters &printers = TpgxPrinters::instance();
    BatchPrintHost host(ctx.err, args.duplexChoice);
    TpgxPrintOptions &options = *report.printOptions();
    if (!args.printer.isEmpty() && printers.hasPhysicalPrinters()) {
        if (printers.indexOfPrinter(args.printer) < 0) {
            ctx.err << "pgrtool print: no printer is called \"" << args.printer
                    << "\"; the printers are: " << printers.printerNames().join(QLatin1String(", "))
                    << '\n';
            return ExitInputFault;
        }
        options.printer = args.printer;
    }
    if (args.range)
        options.pageNumbers = *args.range;
    if (args.copies)
        options.copies = *args.copies;
    if (args.collate)
        options.collate = *args.collate;
    if (args.mode)
        options.printMode = *args.mode;

    if (printers.hasPhysicalPrinters()) {
        report.applyPrinterOption();
        TpgxCustomPrinter &printer = *printers.currentPrinter();
        if (!args.sheet.isEmpty()) {
            const std::optional<int> code = sheetCode(printer, args.sheet);
            if (!code) {
                ctx.err << "pgrtool print: printer \"" << printer.name()
                        << "\" has no paper called \"" << args.sheet << "\"\n";
                return ExitInputFault;
            }
            options.printOnSheet = *code;
        }
        if (!args.bin.isEmpty()) {
            if (!printer.binNames().contains(args.bin, Qt::CaseInsensitive)) {
                ctx.err << "pgrtool print: printer \"" << printer.name()
                        << "\" has no paper source called \"" << args.bin
                        << "\"; it has: " << printer.binNames().join(QLatin1String(", ")) << '\n';
                return ExitInputFault;
            }
            for (const TpgxPrinterItem &bin : printer.bins())
                if (bin.name.compare(args.bin, Qt::CaseInsensitive) == 0)
                    printer.setBinOverride(bin.code);
        }
        printer.setFileName(args.toFile);
    }

    // In batch the print dialog answers at once, with the duplex choice of
    // the command line.
    options.showDialog = true;
    const bool printed = prepared::printPreparedReport(pages, host);
    for (const QString &message : pages.errors())
        ctx.err << "pgrtool print: " << args.output.input << ": " << message << '\n';
    return printed ? ExitOk : ExitInputFault;
}

}   // namespace

extern const Verb kPrintVerb = {
    "print",
    "print a prepared report (.pgp) or a template on a printer",
    kUsage,
    runPrint,
};

}   // namespace pgx::tool
