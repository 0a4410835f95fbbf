#include "prepared/print/PrintRun.h"

#include "platform/UserPrompts.h"
#include "platform/printing/CustomPrinter.h"
#include "platform/printing/PaperTable.h"
#include "platform/printing/Printers.h"
#include "prepared/TpgxPreviewPages.h"
#include "prepared/print/SheetLayout.h"
#include "report/pages/TpgxReportPage.h"
#include "report/resources/TpgxResources.h"
#include "report/root/ReportOptions.h"
#include "report/root/TpgxReport.h"

#include <QtCore/QFileInfo>

#include <cmath>
#include <functional>

namespace pgx::prepared {

void PrintHost::showError(const QString &text)
{
    pgx::UserPrompts::current().showMessage(pgx::UserPrompts::Kind::Error, text);
}

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kPixelsPerInch = 96;   // of the report's units
constexpr double kSplitOverlap = 3;     // mm

QString printingText(int pageNumber)
{
    return pgxResources()
        .get(QStringLiteral("prPrinting"))
        .replace(QLatin1String("%d"), QString::number(pageNumber));
}

double toPixels(double mm, int dpi)
{
    return mm * dpi / kMmPerInch;
}

long wholeMm(double mm)
{
    return std::lrint(mm);
}

pgx::TPrinterOrientation orientationOf(const TpgxReportPage &page)
{
    return page.orientation() == TpgxReportPage::poLandscape ? pgx::poLandscape : pgx::poPortrait;
}

// Restores the report's print options when the run ends, whatever happens.
class OptionsGuard
{
public:
    explicit OptionsGuard(TpgxPrintOptions &options) : m_options(options)
    {
        copy(options, m_saved);
    }
    ~OptionsGuard() { copy(m_saved, m_options); }
    OptionsGuard(const OptionsGuard &) = delete;
    OptionsGuard &operator=(const OptionsGuard &) = delete;

private:
    static void copy(const TpgxPrintOptions &from, TpgxPrintOptions &to)
    {
        to.copies = from.copies;
        to.collate = from.collate;
        to.pageNumbers = from.pageNumbers;
        to.printer = from.printer;
        to.printMode = from.printMode;
        to.printOnSheet = from.printOnSheet;
        to.printPages = from.printPages;
        to.reverse = from.reverse;
        to.showDialog = from.showDialog;
    }

    TpgxPrintOptions &m_options;
    TpgxPrintOptions m_saved;
};

}   // namespace

// What the page loops of the default and scale modes compare between pages.
struct PrintRun::SheetState
{
    bool any = false;
    int paper = 0;
    long width = 0;
    long height = 0;
    int bin = 0;
    pgx::TPrinterOrientation orientation = pgx::poPortrait;
    int duplex = 0;
};

PrintRun::PrintRun(TpgxPreviewPages &pages, pgx::TpgxCustomPrinter &printer, PrintHost &host)
    : m_pages(pages), m_printer(printer), m_host(host)
{ }

PrintRun::~PrintRun() = default;

bool PrintRun::skipped(int pageNumber) const
{
    if (!m_selection.contains(pageNumber))
        return true;
    switch (m_options->printPages) {
    case TpgxPrintOptions::ppOdd: return pageNumber % 2 == 0;
    case TpgxPrintOptions::ppEven: return pageNumber % 2 == 1;
    default: return false;
    }
}

bool PrintRun::checkTerminated()
{
    TpgxReport *report = m_pages.report();
    if (!report || !report->terminated())
        return false;
    m_job->cancel();
    m_cancelled = true;
    return true;
}

QString PrintRun::ensureStarted()
{
    return m_job->isStarted() ? QString() : m_job->start();
}

int PrintRun::duplexOf(const TpgxReportPage &page) const
{
    return m_duplexChoice != 0 ? m_duplexChoice : int(page.duplex());
}

int PrintRun::binOf(const TpgxReportPage &page, int index) const
{
    return index == 0 ? page.bin() : page.binOtherPages();
}

QString PrintRun::finishSheet(int pageNumber)
{
    m_host.progress(printingText(pageNumber), pageNumber);
    const QString error = m_job->finishSheet();
    m_host.processEvents();
    m_pages.dropPageCache();
    return error;
}

QString PrintRun::forEachPage(const std::function<QString(const PageTurn &)> &print)
{
    const int count = m_pages.count();
    for (int n = 0; n < count; ++n) {
        const int index = m_options->reverse ? count - 1 - n : n;
        if (skipped(index + 1))
            continue;
        if (checkTerminated())
            return {};
        PageTurn turn{index, index + 1, m_pages.getPage(index), m_options->collate ? 1 : m_copies,
                      m_options->collate ? m_collationCopy : 1};
        if (!turn.page)
            return QStringLiteral("Page %1 cannot be built").arg(turn.pageNumber);
        m_host.printingPage(turn.page, turn.copyNumber);
        if (QString error = print(turn); !error.isEmpty())
            return error;
    }
    return {};
}

QString PrintRun::printPages(bool scaleToSheetSize)
{
    SheetState last;
    return forEachPage([&](const PageTurn &turn) -> QString {
        TpgxReportPage *page = turn.page;
        const int index = turn.index;
        const int pageNumber = turn.pageNumber;
        const int copies = turn.copies;
        const int copyNumber = turn.copyNumber;

        SheetState now;
        now.any = true;
        now.paper = page->paperSize();
        now.width = wholeMm(page->paperWidth());
        now.height = wholeMm(page->paperHeight());
        now.bin = binOf(*page, index);
        now.orientation = orientationOf(*page);
        now.duplex = duplexOf(*page);
        if (scaleToSheetSize) {
            if (!last.any || now.bin != last.bin || now.orientation != last.orientation
                || now.duplex != last.duplex)
                m_printer.configureJob(m_sheetCode, m_sheetWidth, m_sheetHeight, now.orientation,
                                       now.bin, now.duplex + 1, copies);
        } else if (!last.any || now.paper != last.paper || now.width != last.width
                   || now.height != last.height || now.bin != last.bin
                   || now.orientation != last.orientation || now.duplex != last.duplex) {
            m_printer.configureJob(page->paperSize(), page->paperWidth(), page->paperHeight(),
                                   now.orientation, now.bin, now.duplex + 1, copies);
        }
        if (QString error = ensureStarted(); !error.isEmpty())
            return error;
        if (QString error = m_job->startSheet(); !error.isEmpty())
            return error;

        PageOnSheet place;
        place.pageIndex = index;
        place.copyNumber = copyNumber;
        double factor = 1;
        double centreX = 0;
        double centreY = 0;
        if (scaleToSheetSize) {
            const double sheetWidth = m_printer.paperWidth();
            const double sheetHeight = m_printer.paperHeight();
            factor = scaleToSheet(page->paperWidth(), page->paperHeight(), sheetWidth, sheetHeight);
            m_printScale = factor;
            // Kept in proportion, the page sits in the middle of the sheet.
            centreX = (sheetWidth - page->paperWidth() * factor) / 2;
            centreY = (sheetHeight - page->paperHeight() * factor) / 2;
        }
        place.scaleX = m_printer.dpiX() / kPixelsPerInch * factor;
        place.scaleY = m_printer.dpiY() / kPixelsPerInch * factor;
        place.offsetX = toPixels(centreX - m_printer.leftMargin(), m_printer.dpiX());
        place.offsetY = toPixels(centreY - m_printer.topMargin(), m_printer.dpiY());
        m_job->drawPage(m_pages, place);
        if (QString error = finishSheet(pageNumber); !error.isEmpty())
            return error;
        last = now;
        m_lastDuplex = now.duplex;
        return {};
    });
}

QString PrintRun::printSplit()
{
    bool configured = false;
    pgx::TPrinterOrientation lastOrientation = pgx::poPortrait;
    return forEachPage([&](const PageTurn &turn) -> QString {
        TpgxReportPage *page = turn.page;
        const int index = turn.index;
        const int pageNumber = turn.pageNumber;
        const int copies = turn.copies;
        const int copyNumber = turn.copyNumber;

        const SheetGrid grid
            = splitGrid(page->paperWidth(), page->paperHeight(), m_sheetWidth, m_sheetHeight);
        const pgx::TPrinterOrientation orientation
            = grid.landscape ? pgx::poLandscape : pgx::poPortrait;
        if (!configured || orientation != lastOrientation) {
            m_printer.configureJob(m_sheetCode, m_sheetWidth, m_sheetHeight, orientation,
                                   binOf(*page, index), duplexOf(*page) + 1, copies);
            configured = true;
            lastOrientation = orientation;
        }
        if (QString error = ensureStarted(); !error.isEmpty())
            return error;

        const int dpiX = m_printer.dpiX();
        const int dpiY = m_printer.dpiY();
        const double stepX = toPixels(grid.landscape ? m_sheetHeight : m_sheetWidth, dpiX);
        const double stepY = toPixels(grid.landscape ? m_sheetWidth : m_sheetHeight, dpiY);
        const double left = toPixels(m_printer.leftMargin(), dpiX);
        const double top = toPixels(m_printer.topMargin(), dpiY);
        const double right = toPixels(m_printer.rightMargin(), dpiX);
        const double bottom = toPixels(m_printer.bottomMargin(), dpiY);
        const double overlapX = toPixels(kSplitOverlap, dpiX);
        const double overlapY = toPixels(kSplitOverlap, dpiY);

        PageOnSheet place;
        place.pageIndex = index;
        place.copyNumber = copyNumber;
        place.scaleX = dpiX / kPixelsPerInch;
        place.scaleY = dpiY / kPixelsPerInch;
        place.offsetY = -top;
        double totalY = 0;
        double previousTop = 0;
        for (int row = 0; row < grid.rows; ++row) {
            place.offsetX = -left;
            double totalX = 0;
            double previousLeft = 0;
            for (int column = 0; column < grid.columns; ++column) {
                if (QString error = m_job->startSheet(); !error.isEmpty())
                    return error;
                m_job->drawPage(m_pages, place);
                if (QString error = m_job->finishSheet(); !error.isEmpty())
                    return error;
                // Each sheet goes on where the printable area of the one
                // before it ended, 3 mm back.
                totalX += stepX - previousLeft - right - overlapX;
                place.offsetX = -totalX;
                previousLeft = left;
            }
            totalY += stepY - previousTop - bottom - overlapY;
            place.offsetY = -totalY;
            previousTop = top;
        }
        m_host.progress(printingText(pageNumber), pageNumber);
        m_host.processEvents();
        m_pages.dropPageCache();
        return {};
    });
}

QString PrintRun::printJoin()
{
    const int count = m_pages.count();
    // The pages this mode takes: the range only; parity, order and the
    // page event do not apply.
    int next = 0;
    const auto nextPage = [&]() -> int {
        while (next < count && !m_selection.contains(next + 1))
            ++next;
        return next < count ? next++ : -1;
    };
    int index = nextPage();
    if (index < 0)
        return {};
    TpgxReportPage *first = m_pages.getPage(index);
    if (!first)
        return QStringLiteral("Page %1 cannot be built").arg(index + 1);
    const double pageWidth = first->paperWidth();
    const double pageHeight = first->paperHeight();
    const SheetGrid grid = joinGrid(m_sheetWidth, m_sheetHeight, pageWidth, pageHeight);
    m_printer.configureJob(m_sheetCode, m_sheetWidth, m_sheetHeight,
                           grid.landscape ? pgx::poLandscape : pgx::poPortrait, first->bin(),
                           duplexOf(*first) + 1, 1);
    if (QString error = ensureStarted(); !error.isEmpty())
        return error;

    const int dpiX = m_printer.dpiX();
    const int dpiY = m_printer.dpiY();
    const double stepX = toPixels(pageWidth, dpiX);
    const double stepY = toPixels(pageHeight, dpiY);
    // Collated copies come from the run around this loop; otherwise every
    // page is repeated here, its copies running on to the next sheet when
    // this one is full.
    const int repeats = m_options->collate ? 1 : m_copies;
    int copy = repeats + 1;   // the first slot fetches the first page
    next = 0;
    index = -1;
    int lastPlaced = 0;
    bool more = true;
    while (more) {
        if (QString error = m_job->startSheet(); !error.isEmpty())
            return error;
        PageOnSheet place;
        place.scaleX = dpiX / kPixelsPerInch;
        place.scaleY = dpiY / kPixelsPerInch;
        place.offsetY = -toPixels(m_printer.topMargin(), dpiY);
        for (int row = 0; row < grid.rows && more; ++row) {
            place.offsetX = -toPixels(m_printer.leftMargin(), dpiX);
            for (int column = 0; column < grid.columns && more; ++column) {
                if (copy > repeats) {
                    copy = 1;
                    index = nextPage();
                    if (index < 0) {
                        more = false;
                        break;
                    }
                }
                place.pageIndex = index;
                lastPlaced = index + 1;
                place.copyNumber = m_options->collate ? m_collationCopy : copy;
                ++copy;
                m_job->drawPage(m_pages, place);
                place.offsetX += stepX;
            }
            place.offsetY += stepY;
        }
        if (more && copy > repeats) {
            // Whether anything is left for another sheet.
            int peek = next;
            while (peek < count && !m_selection.contains(peek + 1))
                ++peek;
            more = peek < count;
        }
        if (QString error = finishSheet(lastPlaced); !error.isEmpty())
            return error;
        if (checkTerminated())
            return {};
    }
    return {};
}

QString PrintRun::run(const TpgxPrintOptions &options)
{
    m_options = &options;
    m_cancelled = false;
    m_printScale = 1;
    m_lastDuplex = 0;
    TpgxReport *report = m_pages.report();
    QString error;
    const std::optional<PageSelection> selection
        = PageSelection::parse(options.pageNumbers, m_pages.count(), error);
    if (!selection)
        return error;
    m_selection = *selection;
    m_pages.dropPageCache();

    if (options.printMode != TpgxPrintOptions::pmDefault) {
        m_sheetCode = options.printOnSheet;
        m_printer.selectSheet(m_sheetCode, 0, 0, pgx::poPortrait);
        m_sheetWidth = m_printer.paperWidth();
        m_sheetHeight = m_printer.paperHeight();
        if (!(m_sheetWidth > 0) || !(m_sheetHeight > 0)) {
            // A sheet code nobody knows: A4 rather than a division by zero.
            m_sheetCode = pgx::kDefaultPaper;
            m_printer.selectSheet(m_sheetCode, 0, 0, pgx::poPortrait);
            m_sheetWidth = m_printer.paperWidth();
            m_sheetHeight = m_printer.paperHeight();
        }
    }

    if (report)
        report->setTerminated(false);
    m_host.progressStarted();
    m_job = m_host.createJob(m_printer);
    QString title = report ? report->reportOptions()->name : QString();
    if (title.isEmpty() && report)
        title = QFileInfo(report->fileName()).fileName();
    m_job->setTitle(title);
    m_copies = std::max(1, options.copies);
    m_job->setCollated(options.collate && m_copies > 1);

    const auto loop = [this, &options]() {
        switch (options.printMode) {
        case TpgxPrintOptions::pmSplit: return printSplit();
        case TpgxPrintOptions::pmJoin: return printJoin();
        case TpgxPrintOptions::pmScale: return printPages(true);
        default: return printPages(false);
        }
    };
    if (options.collate) {
        for (m_collationCopy = 1; m_collationCopy <= m_copies && error.isEmpty();
             ++m_collationCopy) {
            const int sheetsBefore = m_job->sheetCount();
            m_lastDuplex = 0;
            error = loop();
            if (!error.isEmpty() || m_cancelled || checkTerminated())
                break;
            // A two-sided copy of an odd number of sheets gets a blank back,
            // so that the next copy starts on a sheet of its own.
            const bool twoSided = m_lastDuplex == TpgxReportPage::dmVertical
                || m_lastDuplex == TpgxReportPage::dmHorizontal;
            if (twoSided && (m_job->sheetCount() - sheetsBefore) % 2 == 1
                && m_collationCopy < m_copies) {
                error = m_job->startSheet();
                if (error.isEmpty())
                    error = m_job->finishSheet();
            }
        }
    } else {
        m_collationCopy = 1;
        error = loop();
    }
    if (!error.isEmpty())
        m_job->cancel();
    else if (m_job->isStarted())
        error = m_job->finish();
    m_host.progressStopped();
    m_job.reset();
    return error;
}

bool printPreparedReport(TpgxPreviewPages &pages, PrintHost &host)
{
    pgx::TpgxPrinters &printers = pgx::TpgxPrinters::instance();
    if (!printers.hasPhysicalPrinters()) {
        host.showError(pgxResources().get(QStringLiteral("prNoPrinters")));
        return false;
    }
    TpgxReport *report = pages.report();
    if (!report)
        return false;
    TpgxPrintOptions &options = *report->printOptions();
    const OptionsGuard restore(options);
    int duplexChoice = 0;
    report->applyPrinterOption();
    if (options.showDialog && !host.showPrintDialog(*report, duplexChoice))
        return false;

    host.printReportStarting();
    PrintRun run(pages, *printers.currentPrinter(), host);
    run.setDuplexChoice(duplexChoice);
    const QString error = run.run(options);
    host.printReportDone();
    if (!error.isEmpty()) {
        host.showError(error);
        return false;
    }
    return true;
}

}   // namespace pgx::prepared
