#pragma once

#include "platform/printing/PrinterBackend.h"

struct cups_dest_s;

namespace pgx {

// The system's printers through libcups: its destinations (queues and their
// instances, named "queue/instance"), the default destination, and for one
// printer the media database (sizes and margins), media sources (bins),
// sides (duplex) and resolution, as the scheduler reports them from the
// queue's PPD or the printer's IPP attributes. Without a reachable
// scheduler it lists no printer.
class CupsPrinterBackend final : public PrinterBackend
{
public:
    CupsPrinterBackend();
    ~CupsPrinterBackend() override;
    CupsPrinterBackend(const CupsPrinterBackend &) = delete;
    CupsPrinterBackend &operator=(const CupsPrinterBackend &) = delete;

    // Asks the scheduler again each time, so that a refill sees printers
    // added or removed since.
    QStringList printerNames() override;
    QString defaultPrinterName() override;
    std::optional<PrinterCapabilities> capabilities(const QString &printerName) override;
    // Print-Job requests to the queue, with the instance's options and the
    // ticket's; the scheduler's answer decides success.
    QString submitPdf(const QString &printerName, const QString &pdfFile,
                      const PrintJobTicket &ticket) override;
    QString submitRaw(const QString &printerName, const QString &title,
                      const QByteArray &data) override;

    // The resolution taken when a printer reports none: what CUPS filters
    // render at unless the driver says otherwise.
    static constexpr int kFallbackDpi = 300;

private:
    void enumerate();
    void freeDests();
    cups_dest_s *findDest(const QString &printerName) const;

    cups_dest_s *m_dests = nullptr;
    int m_count = 0;
    bool m_enumerated = false;
};

}   // namespace pgx
