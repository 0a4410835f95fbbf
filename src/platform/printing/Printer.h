#pragma once

#include "platform/printing/CustomPrinter.h"
#include "platform/printing/PrinterBackend.h"

#include <optional>

namespace pgx {

// The settings a job sends to the printer: what ConfigureJob and SelectSheet
// leave for the print run to hand to the printing system.
struct TpgxDriverSettings
{
    int paperSize = 0;
    // Tenths of a millimetre; sent only with the custom paper (256).
    int paperWidth = 0;
    int paperLength = 0;
    TPrinterOrientation orientation = poPortrait;
    int copies = 1;
    // The paper source; 7 leaves the printer's own choice.
    int defaultSource = TpgxCustomPrinter::kDefaultBin;
    // 0 leaves the printer's own setting; else 1 one-sided, 2 two-sided on
    // the long edge (vertical), 3 on the short edge (horizontal).
    int duplex = 0;
};

// A printer of the system, known by name to the backend that listed it.
// The backend must outlive the printer (the printer list owns both).
class TpgxPrinter final : public TpgxCustomPrinter
{
public:
    TpgxPrinter(PrinterBackend &backend, QString name, QString port = {});

    void initDevice() override;
    void selectSheet(int code, double width, double height,
                     TPrinterOrientation orientation) override;
    void configureJob(int code, double width, double height, TPrinterOrientation orientation,
                      int bin, int duplex, int copies) override;

    PrintSheet currentSheet() const override;
    QString submitPdf(const QString &pdfFile, const PrintJobTicket &ticket) override;
    QString submitRaw(const QString &title, const QByteArray &data) override;

    const TpgxDriverSettings &settings() const { return m_settings; }

private:
    // The sheet the settings ask for: size and margins in millimetres,
    // portrait as the driver lists it.
    PrinterPaper sheetForSettings() const;
    // Current paper size and physical margins, in whole millimetres, from the
    // sheet the settings describe at the printer's resolution.
    void updateMetrics();

    PrinterBackend &m_backend;
    std::optional<PrinterCapabilities> m_capabilities;
    TpgxDriverSettings m_settings;
};

}   // namespace pgx
