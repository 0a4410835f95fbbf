#include "prepared/print/PrintJob.h"

#include "platform/SaveFile.h"
#include "platform/printing/CustomPrinter.h"
#include "prepared/TpgxPreviewPages.h"

#include <QtCore/QTemporaryFile>
#include <QtGui/QPageLayout>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>

#include <utility>

namespace pgx::prepared {

// The job's PDF while it is being drawn.
struct PrintJob::Document
{
    QTemporaryFile file;
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
};

PrintJob::PrintJob(pgx::TpgxCustomPrinter &printer) : m_printer(printer) { }

PrintJob::~PrintJob()
{
    if (m_started)
        cancel();
}

QString PrintJob::start()
{
    m_started = true;
    m_ticket.sheets.clear();
    m_printer.setPrinting(true);
    return beginDocument();
}

QString PrintJob::startSheet()
{
    m_ticket.sheets.append(m_printer.currentSheet());
    return beginSheet(m_ticket.sheets.last());
}

void PrintJob::drawPage(TpgxPreviewPages &pages, const PageOnSheet &place)
{
    draw(pages, place);
}

QString PrintJob::finishSheet()
{
    return endSheet();
}

QString PrintJob::finish()
{
    if (!m_started)
        return QStringLiteral("The print job was not started");
    m_started = false;
    const QString error = endDocument();
    m_printer.setPrinting(false);
    return error;
}

void PrintJob::cancel()
{
    if (!m_started)
        return;
    m_started = false;
    abortDocument();
    m_printer.setPrinting(false);
}

QString PrintJob::beginDocument()
{
    m_document = std::make_unique<Document>();
    if (!m_document->file.open())
        return QStringLiteral("Cannot create the print job's file: %1")
            .arg(m_document->file.errorString());
    m_document->writer = std::make_unique<QPdfWriter>(&m_document->file);
    m_document->writer->setTitle(m_ticket.title);
    m_document->writer->setCreator(QStringLiteral("Pagoryn"));
    m_document->writer->setResolution(std::max(1, m_printer.dpiX()));
    return {};
}

QString PrintJob::beginSheet(const pgx::PrintSheet &sheet)
{
    if (!m_document || !m_document->writer)
        return QStringLiteral("The print job was not started");
    // The sheet's printable area is the device, as a printer driver gives it:
    // the print run's offsets put the paper's corner where it belongs.
    const bool landscape = sheet.width > sheet.height;
    const QPageSize size(landscape ? QSizeF(sheet.height, sheet.width)
                                   : QSizeF(sheet.width, sheet.height),
                         QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    QPageLayout layout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(), QPageLayout::Millimeter);
    layout.setMinimumMargins(QMarginsF());
    layout.setMargins(QMarginsF(m_printer.leftMargin(), m_printer.topMargin(),
                                m_printer.rightMargin(), m_printer.bottomMargin()));
    QPdfWriter &writer = *m_document->writer;
    writer.setPageLayout(layout);
    QPainter &painter = m_document->painter;
    if (!painter.isActive()) {
        if (!painter.begin(&writer))
            return QStringLiteral("Cannot start the print job's document");
    } else if (!writer.newPage()) {
        return QStringLiteral("Cannot add sheet %1 to the print job").arg(sheetCount());
    }
    painter.resetTransform();
    // The document has one resolution; a printer with another vertical one
    // is drawn in its own pixels all the same.
    if (m_printer.dpiY() > 0 && m_printer.dpiY() != m_printer.dpiX())
        painter.scale(1.0, double(m_printer.dpiX()) / m_printer.dpiY());
    return {};
}

void PrintJob::draw(TpgxPreviewPages &pages, const PageOnSheet &place)
{
    if (!m_document || !m_document->painter.isActive())
        return;
    pages.drawPage(place.pageIndex, &m_document->painter, place.scaleX, place.scaleY,
                   place.offsetX, place.offsetY, true, place.copyNumber);
}

QString PrintJob::endDocument()
{
    std::unique_ptr<Document> document = std::move(m_document);
    if (!document || !document->writer)
        return QStringLiteral("The print job was not started");
    if (document->painter.isActive() && !document->painter.end())
        return QStringLiteral("Cannot finish the print job's document");
    if (m_ticket.sheets.isEmpty())
        return {};
    document->writer.reset();
    if (!document->file.flush())
        return QStringLiteral("Cannot write the print job's file: %1")
            .arg(document->file.errorString());
    if (!m_printer.fileName().isEmpty()) {
        document->file.seek(0);
        return saveFile(m_printer.fileName(), document->file.readAll());
    }
    return m_printer.submitPdf(document->file.fileName(), m_ticket);
}

void PrintJob::abortDocument()
{
    if (m_document && m_document->painter.isActive())
        m_document->painter.end();
    m_document.reset();
}

RawPrintJob::RawPrintJob(pgx::TpgxCustomPrinter &printer, QString title)
    : m_printer(printer), m_title(std::move(title))
{ }

QString RawPrintJob::finish()
{
    if (!m_printer.fileName().isEmpty())
        return saveFile(m_printer.fileName(), m_data);
    return m_printer.submitRaw(m_title, m_data);
}

}   // namespace pgx::prepared
