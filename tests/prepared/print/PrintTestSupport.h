#pragma once

// A printer and a job that write down what a print run asks of them, and a
// store of empty pages in the sizes, bins and duplex modes a test gives.
#include "platform/printing/CustomPrinter.h"
#include "platform/printing/PaperTable.h"
#include "prepared/TpgxPreviewPages.h"
#include "prepared/print/PrintHost.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"
#include "report/views/ViewTestSupport.h"

#include <QtCore/QStringList>
#include <QtGui/QGuiApplication>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

namespace pgx::test {

inline QString mm(double value)
{
    return QString::number(value, 'g', 6);
}

// 254 dpi, so that a millimetre is ten pixels; 5 mm margins on every side.
class RecordingPrinter final : public TpgxCustomPrinter
{
public:
    explicit RecordingPrinter(QStringList &log) : TpgxCustomPrinter(QStringLiteral("Recorder"), {}), m_log(log)
    {
        m_dpiX = m_dpiY = 254;
        m_initialized = true;
    }

    void initDevice() override { }
    void selectSheet(int code, double width, double height,
                     TPrinterOrientation orientation) override
    {
        double w = 0, h = 0;
        if (code != kCustomPaper && lookUpPaperSize(code, w, h)) {
            width = w;
            height = h;
        } else {
            code = kCustomPaper;
        }
        if (orientation == poLandscape)
            std::swap(width, height);
        m_paper = code;
        m_orientation = orientation;
        m_paperWidth = width;
        m_paperHeight = height;
        m_leftMargin = m_topMargin = m_rightMargin = m_bottomMargin = 5;
    }
    void configureJob(int code, double width, double height, TPrinterOrientation orientation,
                      int bin, int duplex, int copies) override
    {
        m_log << QStringLiteral("configure %1 %2x%3 %4 bin %5 duplex %6 copies %7")
                     .arg(code)
                     .arg(mm(width), mm(height),
                          orientation == poLandscape ? QStringLiteral("landscape")
                                                     : QStringLiteral("portrait"))
                     .arg(bin)
                     .arg(duplex)
                     .arg(copies);
        selectSheet(code, width, height, orientation);
        m_bin = m_binOverride != -1 ? m_binOverride : bin;
        m_duplex = duplex;
        m_copies = copies;
    }
    PrintSheet currentSheet() const override
    {
        PrintSheet sheet = TpgxCustomPrinter::currentSheet();
        if (m_bin != kDefaultBin)
            sheet.mediaSource = "bin" + QByteArray::number(m_bin);
        sheet.duplex = m_duplex;
        sheet.copies = m_copies;
        return sheet;
    }

private:
    QStringList &m_log;
    int m_bin = kDefaultBin;
    int m_duplex = 0;
    int m_copies = 1;
};

class RecordingJob final : public prepared::PrintJob
{
public:
    RecordingJob(TpgxCustomPrinter &printer, QStringList &log) : PrintJob(printer), m_log(log) { }

protected:
    QString beginDocument() override
    {
        m_log << QStringLiteral("start");
        return {};
    }
    QString beginSheet(const PrintSheet &sheet) override
    {
        m_log << QStringLiteral("sheet %1x%2").arg(mm(sheet.width), mm(sheet.height));
        return {};
    }
    void draw(TpgxPreviewPages &, const prepared::PageOnSheet &place) override
    {
        m_log << QStringLiteral("  page %1 copy %2 at %3,%4 scale %5")
                     .arg(place.pageIndex + 1)
                     .arg(place.copyNumber)
                     .arg(std::lround(place.offsetX))
                     .arg(std::lround(place.offsetY))
                     .arg(mm(std::round(place.scaleX * 1000) / 1000));
    }
    QString endDocument() override
    {
        m_log << QStringLiteral("finish");
        return {};
    }
    void abortDocument() override { m_log << QStringLiteral("cancel"); }

private:
    QStringList &m_log;
};

class RecordingHost : public prepared::PrintHost
{
public:
    QStringList log;
    QStringList errors;
    // The report's Terminated is set once this page has been printed.
    int cancelAfterPage = 0;
    TpgxReport *report = nullptr;

    void showError(const QString &text) override { errors << text; }
    void progress(const QString &, int page) override
    {
        if (cancelAfterPage > 0 && cancelAfterPage == page && report)
            report->setTerminated(true);
    }
    std::unique_ptr<prepared::PrintJob> createJob(TpgxCustomPrinter &printer) override
    {
        return std::make_unique<RecordingJob>(printer, log);
    }
};

// How one page of the store is set up.
struct PageSpec
{
    int paper = 9;
    bool landscape = false;
    int bin = TpgxReportPage::kAutoBin;
    int binOtherPages = TpgxReportPage::kAutoBin;
    TpgxReportPage::TpgxDuplexMode duplex = TpgxReportPage::dmNone;
};

struct PrintStore
{
    TpgxReport report;
    TpgxPreviewPages store{&report};

    explicit PrintStore(const std::vector<PageSpec> &specs)
    {
        pgx::registerReportClasses();
        ensureGuiApplication();
        store.beginRun();
        std::vector<TpgxReportPage *> pages;
        for (const PageSpec &spec : specs) {
            auto *page = new TpgxReportPage(&report);
            page->setName(QStringLiteral("Page%1").arg(pages.size() + 1));
            if (spec.landscape)
                page->setOrientation(TpgxReportPage::poLandscape);
            page->setPaperSize(spec.paper);
            page->setBin(spec.bin);
            page->setBinOtherPages(spec.binOtherPages);
            page->setDuplex(spec.duplex);
            store.addSourcePage(page);
            pages.push_back(page);
        }
        store.beginPass();
        for (TpgxReportPage *page : pages)
            store.addPage(page);
        store.closeLogicalRun();
        store.endRun();
    }
};

}   // namespace pgx::test
