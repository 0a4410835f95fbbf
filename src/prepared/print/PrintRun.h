#pragma once

#include "prepared/print/PageSelection.h"
#include "prepared/print/PrintHost.h"

#include <QtCore/QString>

#include <functional>
#include <memory>

class TpgxPreviewPages;
class TpgxPrintOptions;
class TpgxReportPage;

namespace pgx {
class TpgxCustomPrinter;
}

namespace pgx::prepared {

// Sends the store's pages to the current printer as the report's
// PrintOptions say, after the print dialog when ShowDialog is set. True when
// the pages went to the printer (or the run was cancelled from the progress
// window); false when there is no printer, the dialog was cancelled or the
// run failed, which the host was told. The options are as they were
// afterwards: the dialog's choices hold for this run only.
bool printPreparedReport(TpgxPreviewPages &pages, PrintHost &host);

// One print run over given options on a given printer, the part of
// printPreparedReport after the dialog: pages chosen by range and parity,
// copies and collation, bins, duplex, and the four modes.
class PrintRun
{
public:
    PrintRun(TpgxPreviewPages &pages, pgx::TpgxCustomPrinter &printer, PrintHost &host);
    ~PrintRun();

    // 0 keeps the pages' own Duplex; 1 to 3 print every page vertical,
    // horizontal or simplex.
    void setDuplexChoice(int choice) { m_duplexChoice = choice; }
    // Empty on success (or when cancelled), else the reason.
    QString run(const TpgxPrintOptions &options);

    bool wasCancelled() const { return m_cancelled; }
    // The factor of the last page scaled onto its sheet; 1 but in scale mode.
    double printScale() const { return m_printScale; }

private:
    struct SheetState;
    // A page of the default, scale and split loops as it comes up.
    struct PageTurn
    {
        int index;
        int pageNumber;
        TpgxReportPage *page;
        int copies;       // for the printer to repeat
        int copyNumber;   // what [CopyName#] shows
    };

    // The pages in the run's order that the range and parity take, each
    // built and announced (OnPrintPage), until `print` fails or the run is
    // cancelled.
    QString forEachPage(const std::function<QString(const PageTurn &)> &print);

    QString printPages(bool scaleToSheet);
    QString printSplit();
    QString printJoin();
    bool skipped(int pageNumber) const;
    bool checkTerminated();
    QString ensureStarted();
    QString finishSheet(int pageNumber);
    int duplexOf(const TpgxReportPage &page) const;
    int binOf(const TpgxReportPage &page, int index) const;

    TpgxPreviewPages &m_pages;
    pgx::TpgxCustomPrinter &m_printer;
    PrintHost &m_host;
    std::unique_ptr<PrintJob> m_job;
    const TpgxPrintOptions *m_options = nullptr;
    PageSelection m_selection = PageSelection::allPages();
    int m_duplexChoice = 0;
    int m_copies = 1;
    int m_collationCopy = 1;
    // The portrait sheet of the split, join and scale modes, in millimetres.
    int m_sheetCode = 0;
    double m_sheetWidth = 0;
    double m_sheetHeight = 0;
    int m_lastDuplex = 0;
    double m_printScale = 1;
    bool m_cancelled = false;
};

}   // namespace pgx::prepared
