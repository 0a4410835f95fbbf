#pragma once

#include "platform/printing/CustomPrinter.h"
#include "platform/printing/PrinterBackend.h"

#include <QtCore/QStringList>
#include <memory>
#include <vector>

namespace pgx {

// The printers of the system in its order, or the virtual printer alone when
// there is none, and which of them is current. One instance serves the
// process (instance()); tests build their own over a backend of their own.
class TpgxPrinters
{
public:
    explicit TpgxPrinters(std::unique_ptr<PrinterBackend> backend);
    ~TpgxPrinters();
    TpgxPrinters(const TpgxPrinters &) = delete;
    TpgxPrinters &operator=(const TpgxPrinters &) = delete;

    // The process-wide list, enumerated on first use over the default
    // backend (libcups, or none when the virtual printer is forced).
    static TpgxPrinters &instance();
    // Drops the process-wide list; the next instance() builds it again over
    // the given backend, or the default one. Printers handed out before are
    // gone.
    static void resetInstance(std::unique_ptr<PrinterBackend> backend = nullptr);

    // Enumerates again and makes the default printer current. Printers
    // handed out before are gone.
    void refill();

    int count() const { return int(m_printers.size()); }
    TpgxCustomPrinter *printer(int index) const;
    // The current printer; there always is one.
    TpgxCustomPrinter *currentPrinter() const { return printer(m_printerIndex); }
    int printerIndex() const { return m_printerIndex; }
    // Makes printer `index` current (-1: the default printer) and initialises
    // it. An index outside the list is ignored. Raises Error when the
    // printer's metrics are unusable; it is still current then.
    void setPrinterIndex(int index);

    // Case-insensitive; -1 when no printer has that name.
    int indexOfPrinter(const QString &name) const;
    // The system's default printer as the system names it (possibly none).
    const QString &defaultPrinterName() const { return m_defaultPrinterName; }
    // The index the default printer has: the printer of that name, else the
    // first printer, so that a stale or empty system default still selects
    // a usable printer.
    int defaultPrinterIndex() const;
    const QStringList &printerNames() const { return m_names; }
    bool hasPhysicalPrinters() const { return m_hasPhysicalPrinters; }

private:
    std::unique_ptr<PrinterBackend> m_backend;
    std::vector<std::unique_ptr<TpgxCustomPrinter>> m_printers;
    QStringList m_names;
    QString m_defaultPrinterName;
    bool m_hasPhysicalPrinters = false;
    int m_printerIndex = 0;
};

}   // namespace pgx
