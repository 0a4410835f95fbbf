#include "platform/printing/PrinterBackend.h"

#include "platform/printing/CupsPrinterBackend.h"

#include <QtCore/QByteArray>

namespace pgx {

PrinterBackend::~PrinterBackend() = default;

QString PrinterBackend::submitPdf(const QString &printerName, const QString &, const PrintJobTicket &)
{
    return QStringLiteral("Printer '%1' cannot take jobs").arg(printerName);
}

QString PrinterBackend::submitRaw(const QString &printerName, const QString &, const QByteArray &)
{
    return QStringLiteral("Printer '%1' cannot take jobs").arg(printerName);
}

bool PrinterBackend::virtualPrinterForced()
{
    const QByteArray value = qgetenv(kForceVirtualPrinterVariable);
    return !value.isEmpty() && value != "0";
}

std::unique_ptr<PrinterBackend> PrinterBackend::createDefault()
{
    if (virtualPrinterForced())
        return std::make_unique<NoPrinterBackend>();
    return std::make_unique<CupsPrinterBackend>();
}

}   // namespace pgx
