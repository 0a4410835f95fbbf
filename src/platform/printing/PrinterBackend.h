#pragma once

#include "platform/printing/PrintJobTicket.h"

#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <memory>
#include <optional>

namespace pgx {

// What the printing system tells about one paper a printer offers.
// Sizes and the printable-area margins are millimetres, portrait as the
// driver lists the paper.
struct PrinterPaper
{
    QString name;
    int code = 0;   // paper-table code, or kCustomPaper for a size not in it
    double width = 0;
    double height = 0;
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// One paper source (tray) of a printer.
struct PrinterBin
{
    QString name;
    int code = 0;   // 7 is the automatic choice
    // The printing system's own name for it ("tray-1"), what jobs ask for.
    QByteArray keyword = {};
};

// The capabilities and current defaults of one printer: what the platform
// reads from a printer's driver settings when the printer is first used.
struct PrinterCapabilities
{
    QList<PrinterPaper> papers;   // in the driver's order
    QList<PrinterBin> bins;       // in the driver's order
    // The default sheet; its size and margins are those of the paper entry
    // with this code, or the fields below for a custom (256) default.
    int defaultPaper = 0;
    double defaultWidth = 0;
    double defaultHeight = 0;
    double defaultLeft = 0;
    double defaultTop = 0;
    double defaultRight = 0;
    double defaultBottom = 0;
    bool defaultLandscape = false;
    int dpiX = 0;
    int dpiY = 0;
    bool duplexLongEdge = false;    // two-sided, turned on the long edge
    bool duplexShortEdge = false;   // two-sided, turned on the short edge
};

// The seam between the printer list and the system's printing service, so
// that tests can describe printers of their own. Implementations answer from
// the system as it is at the time of the call.
class PrinterBackend
{
public:
    virtual ~PrinterBackend();

    // The names of the printers, in the system's order.
    virtual QStringList printerNames() = 0;
    // The system's default printer, or an empty text when it names none.
    virtual QString defaultPrinterName() = 0;
    // The printer's capabilities; none when its settings cannot be read now
    // (the printer is then tried again the next time it is selected).
    virtual std::optional<PrinterCapabilities> capabilities(const QString &printerName) = 0;

    // Sends a PDF document as one job; empty once the printing system has
    // accepted it, else why it did not. The file may be removed afterwards.
    virtual QString submitPdf(const QString &printerName, const QString &pdfFile,
                              const PrintJobTicket &ticket);
    // Sends bytes the printer understands itself, untouched by any filter.
    virtual QString submitRaw(const QString &printerName, const QString &title,
                              const QByteArray &data);

    // The backend the process uses: libcups, or one without printers when
    // the environment variable kForceVirtualPrinterVariable is set to
    // anything but "" or "0", so that tests and batch runs never depend on
    // the machine's printers.
    static std::unique_ptr<PrinterBackend> createDefault();
    static bool virtualPrinterForced();
};

inline constexpr char kForceVirtualPrinterVariable[] = "PGX_VIRTUAL_PRINTER";

// A backend that knows no printer: the printer list then holds only the
// virtual printer.
class NoPrinterBackend final : public PrinterBackend
{
public:
    QStringList printerNames() override { return {}; }
    QString defaultPrinterName() override { return {}; }
    std::optional<PrinterCapabilities> capabilities(const QString &) override
    {
        return std::nullopt;
    }
};

}   // namespace pgx
