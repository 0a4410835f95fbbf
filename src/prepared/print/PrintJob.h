#pragma once

#include "platform/printing/PrintJobTicket.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>

#include <memory>

class QPainter;
class TpgxPreviewPages;

namespace pgx {
class TpgxCustomPrinter;
}

namespace pgx::prepared {

// Where and how one prepared page lands on the sheet being printed, in the
// printer's pixels: the page's paper origin falls on (offsetX, offsetY) from
// the corner of the sheet's printable area.
struct PageOnSheet
{
    int pageIndex = 0;
    double scaleX = 1;
    double scaleY = 1;
    double offsetX = 0;
    double offsetY = 0;
    int copyNumber = 0;
};

// One job on a printer: the sheets of a print run, each drawn in the paper
// size, source, duplex and copies the printer was configured for when the
// sheet started. The document is a PDF that goes to the printing system, or
// to the printer's output file when one is set (print to file), when the job
// finishes. A job destroyed before it finished is cancelled: nothing is sent.
class PrintJob
{
public:
    explicit PrintJob(pgx::TpgxCustomPrinter &printer);
    virtual ~PrintJob();
    PrintJob(const PrintJob &) = delete;
    PrintJob &operator=(const PrintJob &) = delete;

    pgx::TpgxCustomPrinter &printer() const { return m_printer; }
    bool isStarted() const { return m_started; }
    int sheetCount() const { return int(m_ticket.sheets.size()); }
    const pgx::PrintJobTicket &ticket() const { return m_ticket; }

    // The title the printing system shows for the job.
    void setTitle(const QString &title) { m_ticket.title = title; }
    void setCollated(bool on) { m_ticket.collated = on; }

    // Each returns empty on success, else the reason; the job is then to be
    // cancelled.
    QString start();
    // A new sheet as the printer is configured now.
    QString startSheet();
    void drawPage(TpgxPreviewPages &pages, const PageOnSheet &place);
    QString finishSheet();
    // Ends the document and hands it on: a job the printing system did not
    // take is a failure, never a success. A job without sheets sends nothing.
    QString finish();
    void cancel();

protected:
    // Where the sheets are drawn: a PDF here; tests record them instead.
    virtual QString beginDocument();
    virtual QString beginSheet(const pgx::PrintSheet &sheet);
    virtual void draw(TpgxPreviewPages &pages, const PageOnSheet &place);
    virtual QString endSheet() { return {}; }
    // The finished document to the printer's output file or the printing
    // system.
    virtual QString endDocument();
    virtual void abortDocument();

private:
    struct Document;

    pgx::TpgxCustomPrinter &m_printer;
    pgx::PrintJobTicket m_ticket;
    std::unique_ptr<Document> m_document;
    bool m_started = false;
};

// Bytes sent to a printer as they are (printer commands, plain text for a
// line printer), in one job.
class RawPrintJob
{
public:
    RawPrintJob(pgx::TpgxCustomPrinter &printer, QString title);
    void write(const QByteArray &bytes) { m_data += bytes; }
    // Empty when the printing system took the job, else why not.
    QString finish();

private:
    pgx::TpgxCustomPrinter &m_printer;
    QString m_title;
    QByteArray m_data;
};

}   // namespace pgx::prepared
