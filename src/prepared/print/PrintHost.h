#pragma once

#include "prepared/print/PrintJob.h"

#include <QtCore/QString>

#include <memory>

class TpgxReport;
class TpgxReportPage;

namespace pgx::prepared {

// What a print run asks of the program around it: the print dialog, the
// progress window (whose Cancel sets the report's Terminated), the report's
// host events, and the job itself, so that tests can record the sheets
// instead of printing them. The defaults show nothing and print for real.
class PrintHost
{
public:
    virtual ~PrintHost() = default;

    // The print dialog on the report's PrintOptions; false when cancelled.
    // `duplexChoice` is 0 (the pages' own Duplex) or 1 to 3 (vertical,
    // horizontal, simplex for every page).
    virtual bool showPrintDialog(TpgxReport &report, int &duplexChoice) { return true; }
    // An error box; the run has failed.
    virtual void showError(const QString &text);

    virtual void progressStarted() { }
    // "Printing page %d", already formatted.
    virtual void progress(const QString &text, int page) { }
    virtual void progressStopped() { }
    // Called after every sheet, so that the progress window's Cancel works.
    virtual void processEvents() { }

    // The report's OnPrintReport, OnPrintPage and OnAfterPrintReport.
    virtual void printReportStarting() { }
    virtual void printingPage(TpgxReportPage *page, int copyNumber) { }
    virtual void printReportDone() { }

    virtual std::unique_ptr<PrintJob> createJob(pgx::TpgxCustomPrinter &printer)
    {
        return std::make_unique<PrintJob>(printer);
    }
};

}   // namespace pgx::prepared
