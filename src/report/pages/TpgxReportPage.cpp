#include "report/pages/TpgxReportPage.h"

#include "platform/Error.h"
#include "platform/format/NumberText.h"
#include "platform/printing/PaperTable.h"
#include "platform/printing/Printers.h"
#include "report/bands/TpgxBand.h"
#include "report/data/TpgxDataSet.h"
#include "report/resources/TpgxResources.h"
#include "report/root/ReportDataSets.h"

#include <QtCore/QMutex>
#include <cmath>
#include <utility>

namespace {

// Paper sizes keep 8 decimals (half to even): enough for any driver's
// sheet, and a size read back from a template equals the one written.
double roundPaper(double mm)
{
    return std::nearbyint(mm * 1e8) / 1e8;
}

QMutex backgroundMutex;
TpgxReportPage::BackgroundPainter &backgroundPainter()
{
    static TpgxReportPage::BackgroundPainter painter;
    return painter;
}

}   // namespace

void TpgxReportPage::setBackgroundPainter(BackgroundPainter painter)
{
    QMutexLocker lock(&backgroundMutex);
    backgroundPainter() = std::move(painter);
}

TpgxReportPage::TpgxReportPage(QObject *owner) : TpgxPage(owner)
{
    setNameStem(QStringLiteral("Page"));
    setPaperSize(pgx::kDefaultPaper);
}

void TpgxReportPage::setOrientation(TPrinterOrientation value)
{
    if (isLoading() || value == m_orientation) {
        m_orientation = value;
        return;
    }
    std::swap(m_paperWidth, m_paperHeight);
    const double left = m_leftMargin, right = m_rightMargin, top = m_topMargin,
                 bottom = m_bottomMargin;
    if (value == poLandscape) {
        m_leftMargin = top;
        m_rightMargin = bottom;
        m_topMargin = right;
        m_bottomMargin = left;
    } else {
        m_leftMargin = bottom;
        m_rightMargin = top;
        m_topMargin = left;
        m_bottomMargin = right;
    }
    m_orientation = value;
    updateDimensions();
}

void TpgxReportPage::setPaperWidth(double mm)
{
    m_paperWidth = roundPaper(mm);
    // While loading, a stored PaperSize decides (loaded()).
    if (isLoading())
        m_loadedSize = true;
    else
        m_paperSize = pgx::kCustomPaper;
    updateDimensions();
}

void TpgxReportPage::setPaperHeight(double mm)
{
    m_paperHeight = roundPaper(mm);
    // While loading, a stored PaperSize decides (loaded()).
    if (isLoading())
        m_loadedSize = true;
    else
        m_paperSize = pgx::kCustomPaper;
    updateDimensions();
}

void TpgxReportPage::setPaperSize(int code)
{
    m_paperSize = code;
    if (isLoading()) {
        m_loadedCode = true;
        return;
    }
    if (code >= pgx::kCustomPaper)
        return;
    double width = 0, height = 0;
    if (pgx::lookUpPaperSize(code, width, height)) {
        if (m_orientation == poLandscape)
            std::swap(width, height);
        m_paperWidth = width;
        m_paperHeight = height;
    }
    updateDimensions();
}

void TpgxReportPage::setSizeAndDimensions(int code, double width, double height)
{
    m_paperSize = code;
    m_paperWidth = roundPaper(width);
    m_paperHeight = roundPaper(height);
    updateDimensions();
}

void TpgxReportPage::setColumns(int n)
{
    if (n < 0 || n > kMaxColumns)
        throw pgx::Error(pgxResources().get(QStringLiteral("prInvProp")));
    m_columns = n;
    // A template stores width and positions of its own; they follow Columns.
    if (isLoading())
        return;
    m_columnPositions.clear();
    if (n == 0)
        return;
    m_columnWidth = printableWidth() / n;
    for (int i = 0; i < n; ++i)
        m_columnPositions.append(pgx::format::fileFloatText(i * m_columnWidth));
}

void TpgxReportPage::setDataSet(TpgxDataSet *value)
{
    m_dataSet.set(value);
}

QString TpgxReportPage::dataSetName() const
{
    return m_dataSet.name();
}

void TpgxReportPage::setDataSetName(const QString &value)
{
    pgx::datasets::linkByName(m_dataSet, this, value);
}

void TpgxReportPage::setFrame(const TpgxFrame *frame)
{
    if (frame)
        m_frame.assign(*frame);
}

void TpgxReportPage::applyPrinterDefaults()
{
    m_leftMargin = m_rightMargin = m_topMargin = m_bottomMargin = 10;
    const pgx::TpgxCustomPrinter *printer = pgx::TpgxPrinters::instance().currentPrinter();
    if (!printer)
        return updateDimensions();
    // The printer's default sheet is already turned for its orientation.
    m_orientation = printer->defaultOrientation() == pgx::poLandscape ? poLandscape : poPortrait;
    setSizeAndDimensions(printer->defaultPaper(), printer->defaultPaperWidth(),
                         printer->defaultPaperHeight());
}

TpgxBand *TpgxReportPage::firstBandOf(const QMetaObject &bandClass) const
{
    for (TpgxComponent *child : objects())
        if (child->metaObject()->inherits(&bandClass))
            return qobject_cast<TpgxBand *>(child);
    return nullptr;
}

void TpgxReportPage::updateDimensions()
{
    TpgxComponent::setWidth(std::nearbyint(m_paperWidth * kPg01cm));
    TpgxComponent::setHeight(std::nearbyint(m_paperHeight * kPg01cm));
}

QRectF TpgxReportPage::backgroundRect(double scaleX, double scaleY, double offsetX,
                                      double offsetY) const
{
    return QRectF(offsetX + m_leftMargin * kPg01cm * scaleX,
                  offsetY + m_topMargin * kPg01cm * scaleY, printableWidth() * kPg01cm * scaleX,
                  printableHeight() * kPg01cm * scaleY);
}

void TpgxReportPage::drawBackground(QPainter *canvas, double scaleX, double scaleY, double offsetX,
                                    double offsetY) const
{
    BackgroundPainter painter;
    {
        QMutexLocker lock(&backgroundMutex);
        painter = backgroundPainter();
    }
    if (painter)
        painter(*this, canvas, backgroundRect(scaleX, scaleY, offsetX, offsetY));
}

void TpgxReportPage::arrangeChildren()
{
    TpgxComponent::setWidth(printableWidth() * kPg01cm);
    TpgxComponent::setHeight(printableHeight() * kPg01cm);
    TpgxPage::arrangeChildren();
    for (TpgxComponent *child : objects()) {
        auto *band = qobject_cast<TpgxBand *>(child);
        if (!band)
            continue;
        if (band->vertical())
            band->setHeight(height() - band->top());
        else
            band->setWidth(width() - band->left());
        band->arrangeChildren();
    }
    updateDimensions();
}

QString TpgxReportPage::kindCaption() const
{
    return pgxResources().get(QStringLiteral("obRepPage"));
}

void TpgxReportPage::loaded()
{
    TpgxPage::loaded();
    // A stored code wins over stored sizes whenever the table knows it; sizes
    // stored without a code are a custom size; with neither, the page's code
    // gives the size in the stored orientation.
    if (m_loadedSize && !m_loadedCode)
        m_paperSize = pgx::kCustomPaper;
    else
        setPaperSize(m_paperSize);
    m_loadedCode = m_loadedSize = false;
    updateDimensions();
}
