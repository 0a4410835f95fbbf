#include "platform/printing/VirtualPrinter.h"

#include "platform/printing/PaperTable.h"
#include "platform/printing/PrinterTexts.h"

#include <utility>

namespace pgx {

TpgxVirtualPrinter::TpgxVirtualPrinter()
    : TpgxCustomPrinter(printerText(PrinterText::prVirtual), QString())
{ }

void TpgxVirtualPrinter::initDevice()
{
    // Unlike a system printer this one cannot change, so initialising again
    // only restores the same values.
    m_name = printerText(PrinterText::prVirtual);
    m_port.clear();
    m_dpiX = m_dpiY = kDpi;
    selectDefaultPaper();
    m_orientation = m_defaultOrientation = poPortrait;
    resetLists();
    // Every row of the table, in table order, with the table's (empty)
    // names: the paper codes are what templates store.
    for (const TPaperInfo &row : kPaperTable)
        m_papers.append({QString::fromUtf8(row.name.data(), qsizetype(row.name.size())), row.code});
    m_binOverride = -1;
    m_initialized = true;
}

void TpgxVirtualPrinter::selectSheet(int code, double width, double height,
                                     TPrinterOrientation orientation)
{
    double tableWidth = 0;
    double tableHeight = 0;
    if (code != kCustomPaper && lookUpPaperSize(code, tableWidth, tableHeight)) {
        width = tableWidth;
        height = tableHeight;
        if (orientation == poLandscape)
            std::swap(width, height);
    } else {
        code = kCustomPaper;
    }
    m_paper = code;
    m_orientation = orientation;
    m_paperWidth = width;
    m_paperHeight = height;
    m_leftMargin = m_topMargin = m_rightMargin = m_bottomMargin = kMargin;
}

void TpgxVirtualPrinter::configureJob(int code, double width, double height,
                                      TPrinterOrientation orientation, int bin, int /*duplex*/,
                                      int /*copies*/)
{
    selectSheet(code, width, height, orientation);
    m_binOverride = bin;
}

}   // namespace pgx
