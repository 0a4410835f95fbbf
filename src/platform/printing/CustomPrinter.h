#pragma once

#include "platform/printing/PrintJobTicket.h"

#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>

namespace pgx {

enum TPrinterOrientation { poPortrait, poLandscape };

// One entry of a printer's paper or bin list.
struct TpgxPrinterItem
{
    QString name;
    int code = 0;
};

// A printer as the report layers see it: its papers and bins, its resolution
// and the sheet currently selected, with the physical margins of that sheet.
// Lengths are millimetres. Every paper list begins with "Custom" (code 256)
// and every bin list with "Default" (code 7), initialised or not.
class TpgxCustomPrinter
{
public:
    // The automatic paper source: a page asking for it leaves the printer's
    // own choice alone.
    static constexpr int kDefaultBin = 7;
    // The duplex values ConfigureJob takes (the page's duplex mode + 1).
    static constexpr int kDuplexNone = 1;
    static constexpr int kDuplexVertical = 2;
    static constexpr int kDuplexHorizontal = 3;
    static constexpr int kDuplexSimplex = 4;

    TpgxCustomPrinter(QString name, QString port);
    virtual ~TpgxCustomPrinter();
    TpgxCustomPrinter(const TpgxCustomPrinter &) = delete;
    TpgxCustomPrinter &operator=(const TpgxCustomPrinter &) = delete;

    // Reads the printer's lists, defaults and metrics on first use; does
    // nothing once initialised. A printer whose settings cannot be read stays
    // uninitialised and is tried again on its next selection.
    virtual void initDevice() = 0;
    // Chooses a sheet without printing, to learn its size and margins.
    virtual void selectSheet(int code, double width, double height, TPrinterOrientation orientation)
        = 0;
    // Settings for the sheets that follow in a job: paper, orientation, paper
    // source, duplex (kDuplex...) and the copies the printer repeats itself.
    virtual void configureJob(int code, double width, double height,
                              TPrinterOrientation orientation, int bin, int duplex, int copies)
        = 0;

    // The sheet the settings describe for the sheets that follow, as a job
    // hands it on: the exact paper size (not whole millimetres), the paper
    // source, duplex and copies.
    virtual PrintSheet currentSheet() const;
    // Hands a finished job to the printing system: empty when it was taken,
    // else why not. The virtual printer takes everything and prints nothing.
    virtual QString submitPdf(const QString &pdfFile, const PrintJobTicket &ticket);
    virtual QString submitRaw(const QString &title, const QByteArray &data);

    // The printing flag: a job is open. Ending a job clears the bin chosen in
    // the driver's dialog.
    void setPrinting(bool on)
    {
        m_printing = on;
        if (!on)
            m_binOverride = -1;
    }

    // Positions in the lists, -1 when absent.
    int findBinIndex(int code) const;
    int findPaperIndex(int code) const;
    // The code of the first entry with that name; for an unknown name the
    // code of the first entry (7 for bins, 256 for papers).
    int binCodeByName(const QString &name) const;
    int paperCodeByName(const QString &name) const;

    const QString &name() const { return m_name; }
    const QString &port() const { return m_port; }
    const QList<TpgxPrinterItem> &bins() const { return m_bins; }
    const QList<TpgxPrinterItem> &papers() const { return m_papers; }
    QStringList binNames() const;
    QStringList paperNames() const;

    int dpiX() const { return m_dpiX; }
    int dpiY() const { return m_dpiY; }
    bool supportsDuplex() const { return m_duplexLongEdge || m_duplexShortEdge; }
    bool supportsDuplexLongEdge() const { return m_duplexLongEdge; }
    bool supportsDuplexShortEdge() const { return m_duplexShortEdge; }

    // The sheet currently selected, turned for landscape.
    int paperSize() const { return m_paper; }
    TPrinterOrientation orientation() const { return m_orientation; }
    double paperWidth() const { return m_paperWidth; }
    double paperHeight() const { return m_paperHeight; }
    double leftMargin() const { return m_leftMargin; }
    double topMargin() const { return m_topMargin; }
    double rightMargin() const { return m_rightMargin; }
    double bottomMargin() const { return m_bottomMargin; }

    // The sheet the printer was set to when first initialised: what new
    // pages take. Until then A4 portrait, so that pages stay sensible even
    // with a printer that cannot be read.
    int defaultPaper() const { return m_defaultPaper; }
    TPrinterOrientation defaultOrientation() const { return m_defaultOrientation; }
    double defaultPaperWidth() const { return m_defaultPaperWidth; }
    double defaultPaperHeight() const { return m_defaultPaperHeight; }

    // A paper source chosen in the driver's own dialog; it beats the pages'
    // bins until the job ends. -1 when none.
    int binOverride() const { return m_binOverride; }
    void setBinOverride(int bin) { m_binOverride = bin; }

    // Where a job goes: empty for the device, else this file.
    const QString &fileName() const { return m_fileName; }
    void setFileName(const QString &fileName) { m_fileName = fileName; }
    const QString &title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }

    bool isInitialized() const { return m_initialized; }
    bool isPrinting() const { return m_printing; }

protected:
    // Lists reduced to their leading "Custom" and "Default" entries, named
    // with the current resource texts.
    void resetLists();
    // The default paper of the table as the current and the default sheet.
    void selectDefaultPaper();

    QString m_name;
    QString m_port;
    QList<TpgxPrinterItem> m_bins;
    QList<TpgxPrinterItem> m_papers;
    int m_dpiX = 0;
    int m_dpiY = 0;
    bool m_duplexLongEdge = false;
    bool m_duplexShortEdge = false;

    int m_paper;
    TPrinterOrientation m_orientation = poPortrait;
    double m_paperWidth;
    double m_paperHeight;
    double m_leftMargin = 0;
    double m_topMargin = 0;
    double m_rightMargin = 0;
    double m_bottomMargin = 0;

    int m_defaultPaper;
    TPrinterOrientation m_defaultOrientation = poPortrait;
    double m_defaultPaperWidth;
    double m_defaultPaperHeight;

    int m_binOverride = -1;
    QString m_fileName;
    QString m_title;
    bool m_initialized = false;
    bool m_printing = false;
};

}   // namespace pgx
