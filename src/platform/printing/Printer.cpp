#include "platform/printing/Printer.h"

#include "platform/Error.h"
#include "platform/printing/PaperTable.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace pgx {

namespace {

// Whole numbers, ties to even, as all printer arithmetic rounds.
long nint(double value)
{
    return std::lrint(value);
}

long toPixels(double mm, int dpi)
{
    return nint(mm * dpi / 25.4);
}

double toMm(long pixels, int dpi)
{
    return double(nint(pixels * 25.4 / dpi));
}

// A custom size for the driver, in tenths of a millimetre; 0 (the driver's
// own sheet) for a size a template got wrong: not a number, not positive,
// or beyond any roll of paper.
int toTenths(double mm)
{
    constexpr double kLongestSheet = 100000;   // 100 m
    if (!std::isfinite(mm) || mm <= 0 || mm > kLongestSheet)
        return 0;
    return int(nint(mm * 10));
}

}   // namespace

TpgxPrinter::TpgxPrinter(PrinterBackend &backend, QString name, QString port)
    : TpgxCustomPrinter(std::move(name), std::move(port)), m_backend(backend)
{ }

void TpgxPrinter::initDevice()
{
    if (m_initialized)
        return;
    std::optional<PrinterCapabilities> capabilities = m_backend.capabilities(m_name);
    if (!capabilities)
        return;
    m_capabilities = std::move(capabilities);
    const PrinterCapabilities &caps = *m_capabilities;

    m_dpiX = caps.dpiX;
    m_dpiY = caps.dpiY;
    m_duplexLongEdge = caps.duplexLongEdge;
    m_duplexShortEdge = caps.duplexShortEdge;
    m_settings = TpgxDriverSettings();
    m_settings.paperSize = caps.defaultPaper;
    m_settings.orientation = caps.defaultLandscape ? poLandscape : poPortrait;
    updateMetrics();   // raises for a printer without a resolution: it stays uninitialised

    m_paper = m_defaultPaper = caps.defaultPaper;
    m_orientation = m_defaultOrientation = m_settings.orientation;
    // The defaults keep the paper's exact size, not the whole millimetres of
    // the metrics: new pages take them, and Letter is 215.9 mm wide, not 216.
    const PrinterPaper sheet = sheetForSettings();
    m_defaultPaperWidth = sheet.width;
    m_defaultPaperHeight = sheet.height;
    if (m_defaultOrientation == poLandscape)
        std::swap(m_defaultPaperWidth, m_defaultPaperHeight);

    resetLists();
    for (const PrinterPaper &paper : caps.papers)
        if (paper.code != kCustomPaper)
            m_papers.append({paper.name, paper.code});
    for (const PrinterBin &bin : caps.bins)
        if (bin.code != kDefaultBin)
            m_bins.append({bin.name, bin.code});
    m_binOverride = -1;
    m_initialized = true;
}

PrinterPaper TpgxPrinter::sheetForSettings() const
{
    const PrinterCapabilities &caps = *m_capabilities;
    // Drivers keep their hardware margins whatever the size, so a sheet the
    // printer does not list borrows those of the default sheet.
    PrinterPaper sheet;
    sheet.code = caps.defaultPaper;
    sheet.width = caps.defaultWidth;
    sheet.height = caps.defaultHeight;
    sheet.left = caps.defaultLeft;
    sheet.top = caps.defaultTop;
    sheet.right = caps.defaultRight;
    sheet.bottom = caps.defaultBottom;
    for (const PrinterPaper &paper : caps.papers) {
        if (paper.code == caps.defaultPaper && paper.code != kCustomPaper) {
            sheet = paper;
            break;
        }
    }

    const int code = m_settings.paperSize;
    if (code == kCustomPaper) {
        if (m_settings.paperWidth > 0 && m_settings.paperLength > 0) {
            sheet.code = kCustomPaper;
            sheet.width = m_settings.paperWidth / 10.0;
            sheet.height = m_settings.paperLength / 10.0;
        }
        return sheet;
    }
    for (const PrinterPaper &paper : caps.papers)
        if (paper.code == code)
            return paper;
    double width = 0;
    double height = 0;
    if (lookUpPaperSize(code, width, height)) {
        sheet.code = code;
        sheet.width = width;
        sheet.height = height;
    }
    return sheet;
}

void TpgxPrinter::updateMetrics()
{
    if (m_dpiX <= 0 || m_dpiY <= 0)
        throw Error(QStringLiteral("Printer selected is not valid"));
    PrinterPaper sheet = sheetForSettings();
    if (m_settings.orientation == poLandscape) {
        // The sheet turns a quarter: its left edge was the portrait top.
        std::swap(sheet.width, sheet.height);
        sheet = {sheet.name, sheet.code,  sheet.width,  sheet.height,
                 sheet.top,  sheet.right, sheet.bottom, sheet.left};
    }
    // As the device reports them: physical size, offset of the printable
    // area and its size, in pixels; margins follow from those so that they
    // add up with the printable area to the whole sheet.
    const long physicalWidth = toPixels(sheet.width, m_dpiX);
    const long physicalHeight = toPixels(sheet.height, m_dpiY);
    const long offsetX = toPixels(sheet.left, m_dpiX);
    const long offsetY = toPixels(sheet.top, m_dpiY);
    const long printableWidth = physicalWidth - offsetX - toPixels(sheet.right, m_dpiX);
    const long printableHeight = physicalHeight - offsetY - toPixels(sheet.bottom, m_dpiY);

    m_paperWidth = toMm(physicalWidth, m_dpiX);
    m_paperHeight = toMm(physicalHeight, m_dpiY);
    m_leftMargin = toMm(offsetX, m_dpiX);
    m_topMargin = toMm(offsetY, m_dpiY);
    m_rightMargin = m_paperWidth - toMm(printableWidth, m_dpiX) - m_leftMargin;
    m_bottomMargin = m_paperHeight - toMm(printableHeight, m_dpiY) - m_topMargin;
}

void TpgxPrinter::selectSheet(int code, double width, double height,
                              TPrinterOrientation orientation)
{
    initDevice();
    if (!m_capabilities)
        return;   // nothing to select on a printer that cannot be read
    if (code == kCustomPaper) {
        // The driver is asked for A4 to learn the margins; the sheet then
        // takes the size asked for.
        selectSheet(kDefaultPaper, 0, 0, orientation);
        m_paper = kCustomPaper;
        m_paperWidth = width;
        m_paperHeight = height;
        return;
    }
    m_settings.paperSize = code;
    m_settings.paperWidth = m_settings.paperLength = 0;
    m_settings.orientation = orientation;
    updateMetrics();
    m_paper = code;
    m_orientation = orientation;
}

void TpgxPrinter::configureJob(int code, double width, double height,
                               TPrinterOrientation orientation, int bin, int duplex, int copies)
{
    initDevice();
    if (!m_capabilities)
        return;
    m_settings.paperSize = code;
    if (code == kCustomPaper) {
        m_settings.paperLength = toTenths(height);
        m_settings.paperWidth = toTenths(width);
    } else {
        m_settings.paperLength = m_settings.paperWidth = 0;
    }
    m_settings.orientation = orientation;
    m_settings.copies = std::max(1, copies);
    // A source chosen in the driver's dialog wins; the automatic bin keeps
    // whatever source the printer is set to.
    const int source = m_binOverride != -1 ? m_binOverride : bin;
    if (source != kDefaultBin)
        m_settings.defaultSource = source;
    // "None" leaves the printer's own duplex setting; "simplex" asks for
    // one-sided printing explicitly.
    if (duplex == kDuplexSimplex)
        m_settings.duplex = 1;
    else if (duplex != kDuplexNone)
        m_settings.duplex = duplex;
    else
        m_settings.duplex = 0;
    updateMetrics();
    m_paper = code;
    m_orientation = orientation;
}

PrintSheet TpgxPrinter::currentSheet() const
{
    PrintSheet sheet = TpgxCustomPrinter::currentSheet();
    if (!m_capabilities)
        return sheet;
    if (m_settings.paperSize == m_paper) {
        // The paper's exact size: Letter is 215.9 mm wide, not 216.
        const PrinterPaper paper = sheetForSettings();
        const bool landscape = m_settings.orientation == poLandscape;
        sheet.width = landscape ? paper.height : paper.width;
        sheet.height = landscape ? paper.width : paper.height;
    }
    if (m_settings.defaultSource != kDefaultBin)
        for (const PrinterBin &bin : m_capabilities->bins)
            if (bin.code == m_settings.defaultSource)
                sheet.mediaSource = bin.keyword;
    sheet.duplex = m_settings.duplex;
    sheet.copies = std::max(1, m_settings.copies);
    return sheet;
}

QString TpgxPrinter::submitPdf(const QString &pdfFile, const PrintJobTicket &ticket)
{
    return m_backend.submitPdf(m_name, pdfFile, ticket);
}

QString TpgxPrinter::submitRaw(const QString &title, const QByteArray &data)
{
    return m_backend.submitRaw(m_name, title, data);
}

}   // namespace pgx
