#include "platform/printing/Printers.h"

#include "platform/Error.h"
#include "platform/printing/Printer.h"
#include "platform/printing/VirtualPrinter.h"

namespace pgx {

namespace {

std::unique_ptr<TpgxPrinters> &processList()
{
    static std::unique_ptr<TpgxPrinters> list;
    return list;
}

std::unique_ptr<PrinterBackend> &pendingBackend()
{
    static std::unique_ptr<PrinterBackend> backend;
    return backend;
}

}   // namespace

TpgxPrinters::TpgxPrinters(std::unique_ptr<PrinterBackend> backend)
    : m_backend(backend ? std::move(backend) : std::make_unique<NoPrinterBackend>())
{
    refill();
}

TpgxPrinters::~TpgxPrinters() = default;

TpgxPrinters &TpgxPrinters::instance()
{
    std::unique_ptr<TpgxPrinters> &list = processList();
    if (!list) {
        std::unique_ptr<PrinterBackend> backend = std::move(pendingBackend());
        list = std::make_unique<TpgxPrinters>(backend ? std::move(backend)
                                                      : PrinterBackend::createDefault());
    }
    return *list;
}

void TpgxPrinters::resetInstance(std::unique_ptr<PrinterBackend> backend)
{
    processList().reset();
    pendingBackend() = std::move(backend);
}

void TpgxPrinters::refill()
{
    m_printers.clear();
    m_names.clear();
    for (const QString &name : m_backend->printerNames()) {
        m_printers.push_back(std::make_unique<TpgxPrinter>(*m_backend, name));
        m_names << name;
    }
    m_defaultPrinterName = m_backend->defaultPrinterName();
    m_hasPhysicalPrinters = !m_printers.empty();
    if (!m_hasPhysicalPrinters) {
        m_printers.push_back(std::make_unique<TpgxVirtualPrinter>());
        m_names << m_printers.back()->name();
    }
    m_printerIndex = defaultPrinterIndex();
    try {
        m_printers[size_t(m_printerIndex)]->initDevice();
    } catch (const Error &) {
        // The list is usable without it: the printer stays uninitialised and
        // the error is raised again when someone selects it to print.
    }
}

TpgxCustomPrinter *TpgxPrinters::printer(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return m_printers[size_t(index)].get();
}

void TpgxPrinters::setPrinterIndex(int index)
{
    if (index == -1)
        index = defaultPrinterIndex();
    if (index < 0 || index >= count())
        return;
    m_printerIndex = index;
    m_printers[size_t(index)]->initDevice();
}

int TpgxPrinters::indexOfPrinter(const QString &name) const
{
    for (qsizetype i = 0; i < m_names.size(); ++i)
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int TpgxPrinters::defaultPrinterIndex() const
{
    if (!m_hasPhysicalPrinters)
        return 0;
    const int index = indexOfPrinter(m_defaultPrinterName);
    return index >= 0 ? index : 0;
}

}   // namespace pgx
