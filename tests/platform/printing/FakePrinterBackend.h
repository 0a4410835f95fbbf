#pragma once

#include "platform/printing/PrinterBackend.h"

#include <QtCore/QByteArray>
#include <QtCore/QHash>
#include <utility>

namespace pgx::test {

// Printers of the test's choosing; a printer without capabilities is one
// whose settings cannot be read.
class FakePrinterBackend final : public PrinterBackend
{
public:
    struct Printer
    {
        QString name;
        std::optional<PrinterCapabilities> capabilities;
    };

    QList<Printer> printers;
    QString defaultName;
    // How often each printer was asked for its capabilities.
    QHash<QString, int> capabilityRequests;

    QStringList printerNames() override
    {
        QStringList names;
        for (const Printer &printer : printers)
            names << printer.name;
        return names;
    }
    QString defaultPrinterName() override { return defaultName; }
    std::optional<PrinterCapabilities> capabilities(const QString &name) override
    {
        ++capabilityRequests[name];
        for (const Printer &printer : printers)
            if (printer.name == name)
                return printer.capabilities;
        return std::nullopt;
    }
};

// A4 and Letter with hardware margins, a custom size, two trays and the
// automatic source, duplex on the long edge, 300 dpi.
inline PrinterCapabilities officePrinter()
{
    PrinterCapabilities caps;
    caps.papers = {
        {"A4", 9, 210, 297, 3.4, 4.2, 5.6, 6.5},
        {"Photo 4x6", 256, 101.6, 152.4, 0, 0, 0, 0},
        {"Letter", 1, 215.9, 279.4, 6.35, 6.35, 6.35, 12.7},
        {"A5", 11, 148, 210, 3.4, 4.2, 5.6, 6.5},
    };
    caps.bins = {{"Automatic", 7}, {"Tray 1", 257}, {"Manual feed", 4}};
    caps.defaultPaper = 9;
    caps.dpiX = caps.dpiY = 300;
    caps.duplexLongEdge = true;
    return caps;
}

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv
{
public:
    ScopedEnv(const char *name, const QByteArray &value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

}   // namespace pgx::test
