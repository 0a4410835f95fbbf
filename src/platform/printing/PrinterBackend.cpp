#include "platform/printing/PrinterBackend.h"

#include "platform/printing/CupsPrinterBackend.h"

#include <QtCore/QByteArray>

namespace pgx {

PrinterBackend::~PrinterBackend() = default;

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
